// Finding the file of a record's picture.
#include "preview/PictureLocation.h"

#include "document/Cp1252.h"
#include "document/GuideDocument.h"
#include "document/GuideFile.h"

#include <system_error>

namespace dravenloom {

std::filesystem::path FindPictureFile(const std::string& storedPath, const std::string& guideFile) {
    namespace fs = std::filesystem;
    const fs::path stored = PathFromText(Cp1252ToUtf8(storedPath));
    if (stored.empty() || stored.has_root_path() || guideFile == UntitledName)
        return stored;
    // The guide's own path is the file system's; joining paths keeps any folder name whole,
    // also one the guide's code page cannot write.
    const fs::path beside = PathFromText(guideFile).parent_path() / stored;
    std::error_code error;
    if (fs::is_regular_file(beside, error))
        return beside;
    return stored;
}

} // namespace dravenloom
