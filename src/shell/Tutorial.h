// The tutorial window's behaviour: which page it shows, its caption, its status line and what
// a clicked link does. The window itself only shows this state.
#pragma once

#include "document/Platform.h"

#include <filesystem>
#include <string>

namespace dravenloom {

inline constexpr const char* TutorialCaption = "Dravenloom Tutorial";
inline constexpr const char* TutorialMissingText =
    "Files are missing from the Dravenloom Tutorial.  Please re-install.";
inline constexpr int TutorialPages = 4;

class Tutorial {
public:
    // The tutorial pages live in the folder "tutorial" beside the executable.
    Tutorial(Platform& platform, std::filesystem::path executableDir);

    // The window is being shown: it starts again at page 1.
    void FormShow();
    // Shows page n (1..4) when its file exists; otherwise tells the author the tutorial is
    // incomplete and keeps the page that was shown.
    void ShowPage(int page);
    // The mouse moved over a link (an empty target when it left one).
    void LinkHover(const std::string& target);
    // A link was clicked: web and mail addresses go to the default program, links to the
    // tutorial's own pages show that page, anything else is ignored.
    void LinkClick(const std::string& target);

    // The directory of the executable followed by "tutorial" and a separator.
    const std::filesystem::path& Directory() const { return TutorialDirectory; }
    std::filesystem::path PageFile(int page) const;

    const std::string& Caption() const { return WindowCaption; }
    const std::string& StatusText() const { return Status; }
    // The page being shown (0 before any page was loaded) and its file.
    int Page() const { return ShownPage; }
    const std::filesystem::path& ShownFile() const { return ShownPath; }
    // Counts the loads, so that a view reloads even when the same page is shown again.
    int LoadCount() const { return Loads; }

private:
    Platform& Host;
    std::filesystem::path ExecutableDir;
    std::filesystem::path TutorialDirectory;
    std::string WindowCaption = TutorialCaption;
    std::string Status;
    int ShownPage = 0;
    std::filesystem::path ShownPath;
    int Loads = 0;
};

// True when a link target names a web or mail address that the default program should open.
bool IsExternalAddress(const std::string& target);

} // namespace dravenloom
