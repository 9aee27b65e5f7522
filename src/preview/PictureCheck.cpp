// Checking the picture path of the graphic dialog.
#include "preview/PictureCheck.h"

#include "preview/PictureLocation.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace dravenloom {

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

PictureCheck CheckPicture(const std::string& storedPath, const std::string& guideFile,
                          PictureLoader& pictures) {
    PictureCheck check;
    if (storedPath.empty())
        return check;
    const std::filesystem::path file = FindPictureFile(storedPath, guideFile);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        check.State = PictureState::NoFile;
        return check;
    }
    try {
        check.Loaded = pictures.Load(file);
    } catch (const std::exception&) {
    }
    check.State = check.Loaded ? PictureState::Shown : PictureState::NotAPicture;
    return check;
}

} // namespace dravenloom
