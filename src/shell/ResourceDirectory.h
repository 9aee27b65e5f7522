// Where the program's own files (the Applet folder, the help book, the tutorial) are found.
#pragma once

#include <filesystem>

namespace dravenloom {

// The folder that holds the program's files once installed, relative to the folder of the
// installed executables ("../share/dravenloom" for the usual bin/ and share/ layout).
extern const char* const InstalledResourceFolder;

// The folder in which the program's files are looked for: beside the executable when any of
// them lies there (a program run from the build tree, or unpacked by hand), else the installed
// folder when any of them lies there, else beside the executable again, so that a missing file
// is reported where the program first looked.
std::filesystem::path ResourceDirectory(const std::filesystem::path& executableDirectory);

} // namespace dravenloom
