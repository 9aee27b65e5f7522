// The graphic dialog's word on the path the author typed: no file there, a file the program
// cannot show, or a picture (handed back for the preview). Files are found as the renderer
// finds them.
#pragma once

#include "preview/Canvas.h"

#include <memory>
#include <string>

namespace dravenloom {

inline constexpr const char* NoPictureFileMessage = "No file at this path.";
inline constexpr const char* NotAPictureMessage =
    "This file is not a picture Dravenloom can show (GIF, JPEG, PNG or BMP).";

enum class PictureState { NoPath, NoFile, NotAPicture, Shown };

struct PictureCheck {
    PictureState State = PictureState::NoPath;
    std::unique_ptr<Picture> Loaded; // set exactly when State is Shown
    // The line under the path: empty for no path and for a picture that loads.
    std::string Message() const;
};

// Finds `storedPath` (code page 1252, as the record stores it) as the renderer finds it
// (FindPictureFile: beside the guide `guideFile` first, then in the working folder) and loads
// it with `pictures`. A folder is no file; a file the loader refuses for any reason
// (extension, data, size) is not a picture.
PictureCheck CheckPicture(const std::string& storedPath, const std::string& guideFile,
                          PictureLoader& pictures);

} // namespace dravenloom
