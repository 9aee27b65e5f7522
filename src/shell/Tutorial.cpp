// The tutorial window's behaviour.
#include "shell/Tutorial.h"

#include <system_error>

namespace dravenloom {

Tutorial::Tutorial(Platform& platform, std::filesystem::path executableDir)
    : Host(platform), ExecutableDir(std::move(executableDir)) {
    // An empty last component gives the path its trailing separator.
    TutorialDirectory = ExecutableDir / "tutorial" / "";
}

void Tutorial::FormShow() {
    TutorialDirectory = ExecutableDir / "tutorial" / "";
    ShowPage(1);
}

std::filesystem::path Tutorial::PageFile(int page) const {
    return TutorialDirectory / ("tutorial" + std::to_string(page) + ".htm");
}

void Tutorial::ShowPage(int page) {
    const std::filesystem::path file = PageFile(page);
    std::error_code error;
    // A directory of that name can't be shown either, so only a file counts.
    if (page < 1 || page > TutorialPages || !std::filesystem::is_regular_file(file, error)) {
        Host.ShowMessage({"Error", TutorialMissingText, MsgButtons::Ok, MsgIcon::Exclamation});
        return;
    }
    ShownPage = page;
    ShownPath = file;
    ++Loads;
    WindowCaption = std::string(TutorialCaption) + " - Page " + std::to_string(page);
}

void Tutorial::LinkHover(const std::string& target) {
    Status = target;
}

bool IsExternalAddress(const std::string& target) {
    // "https://" counts as well: pages written today link to secure sites.
    return target.find("http://") != std::string::npos ||
           target.find("https://") != std::string::npos ||
           target.find("mailto:") != std::string::npos;
}

void Tutorial::LinkClick(const std::string& target) {
    if (IsExternalAddress(target)) {
        Host.OpenAddress(target);
        return;
    }
    for (int page = 1; page <= TutorialPages; ++page) {
        if (target.find("tutorial" + std::to_string(page)) != std::string::npos) {
            ShowPage(page);
            return;
        }
    }
}

} // namespace dravenloom
