// Checking the picture path of the graphic dialog.
#include "preview/PictureCheck.h"

#include "document/Cp1252.h"
#include "document/GuideFile.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace dravenloom {
namespace {

bool IsFile(const std::string& storedPath) {
    std::error_code error;
    return std::filesystem::is_regular_file(PathFromText(Cp1252ToUtf8(storedPath)), error);
}

} // namespace

std::string PictureCheck::Message() const {
    switch (State) {
    case PictureState::NoFile:
        return NoPictureFileMessage;
    case PictureState::NotAPicture:
        return NotAPictureMessage;
    default:
        return {};
    }
}

std::optional<std::string> BesideGuide(const std::string& storedPath,
                                       const std::string& guideFile) {
    namespace fs = std::filesystem;
    const fs::path stored(storedPath);
    const fs::path guide(guideFile);
    if (stored.empty() || stored.is_absolute() || !guide.has_parent_path())
        return std::nullopt;
    // The guide's own path is UTF-8; the stored name is in the guide's code page.
    const std::optional<std::string> folder = Utf8ToCp1252(guide.parent_path().string());
    if (!folder)
        return std::nullopt;
    return (fs::path(*folder) / stored).string();
}

PictureCheck CheckPicture(const std::string& storedPath, const std::string& guideFile,
                          PictureLoader& pictures) {
    PictureCheck check;
    if (storedPath.empty())
        return check;
    std::optional<std::string> found;
    if (IsFile(storedPath))
        found = storedPath;
    else if (const auto beside = BesideGuide(storedPath, guideFile); beside && IsFile(*beside))
        found = beside;
    if (!found) {
        check.State = PictureState::NoFile;
        return check;
    }
    try {
        check.Loaded = pictures.Load(*found);
    } catch (const std::exception&) {
    }
    check.State = check.Loaded ? PictureState::Shown : PictureState::NotAPicture;
    return check;
}

} // namespace dravenloom
