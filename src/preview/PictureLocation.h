// Where the picture a record names is found: one rule for the Demonstration, the graphic
// dialog's preview, the upload and dravenloom-cli.
#pragma once

#include <filesystem>
#include <string>

namespace dravenloom {

// The file of the picture path `storedPath` (code page 1252, as the record stores it) of the
// guide `guideFile` (its full path in UTF-8, or "Untitled"). An absolute path names its file
// as it stands. A relative one is looked for beside the guide first and only then in the
// working folder, so that a guide and its pictures stay one set wherever the program was
// started; when no file is beside the guide (or the guide is untitled) the path stays relative
// to the working folder, where a missing file is then reported. Only a file counts: a folder
// of that name beside the guide does not. Empty for an empty path.
std::filesystem::path FindPictureFile(const std::string& storedPath, const std::string& guideFile);

} // namespace dravenloom
