// Where the program's own files are found: beside the executable, or where they were installed.
#include "shell/ResourceDirectory.h"

#include "publish/UploadFiles.h"
#include "shell/Pages.h"

#include <system_error>

// The build passes the path from its install layout; this is the usual one.
#ifndef DRAVENLOOM_INSTALLED_RESOURCES
#define DRAVENLOOM_INSTALLED_RESOURCES "../share/dravenloom"
#endif

namespace dravenloom {

const char* const InstalledResourceFolder = DRAVENLOOM_INSTALLED_RESOURCES;

namespace {

// A folder counts when it holds one of the program's folders; a file of that name does not.
bool HoldsResources(const std::filesystem::path& folder) {
    for (const char* name : {AppletFolder, HelpBookFolder, "tutorial"}) {
        std::error_code error;
        if (std::filesystem::is_directory(folder / name, error))
            return true;
    }
    return false;
}

} // namespace

std::filesystem::path ResourceDirectory(const std::filesystem::path& executableDirectory) {
    if (HoldsResources(executableDirectory))
        return executableDirectory;
    const std::filesystem::path installed =
        (executableDirectory / InstalledResourceFolder).lexically_normal();
    if (HoldsResources(installed))
        return installed;
    return executableDirectory;
}

} // namespace dravenloom
