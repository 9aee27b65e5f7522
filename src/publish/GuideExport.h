// Export of a published guide to the local disk: a folder that any static web server serves as
// it stands, or one HTML page that carries the player, the guide and its pictures itself.
#pragma once

#include "document/Errors.h"
#include "publish/AppletSettings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {

class RecordList;

inline constexpr const char* ExportPageName = "index.html";
// The one page is still written past this size, but the author is told how big it became.
inline constexpr std::uintmax_t LargePageBytes = 20u * 1024u * 1024u;
// The element in the one page that holds its files, read by dravenloom.js.
inline constexpr const char* EmbeddedFilesId = "dravenloom-files";

// A refused export: the message names the file and the reason.
class ExportError : public DravenloomError {
public:
    using DravenloomError::DravenloomError;
};

// What an export is made from.
struct ExportSource {
    std::string GuideFile;               // the guide on disk (UTF-8 path), copied byte for byte
    const RecordList* Records = nullptr; // the records whose pictures go with it
    AppletSettings Settings;             // the appearance, as the element carries it
    std::string AppletDirectory;         // the Applet folder: classes, player, button pictures
};

// One file of an export: where it comes from and where it goes.
struct ExportedFile {
    std::string Source; // UTF-8 path on disk
    std::string Target; // inside the export, folders joined by "/", UTF-8
};

// Told the file being written ("Exporting tour.dvx (2 of 9)") while an export runs.
using ExportProgress = std::function<void(const std::string& status)>;

// The files a folder export holds besides its page, in the upload's order and in the upload's
// folders: the guide, the five classes and dravenloom.js beside the page; the button picture
// and the records' pictures there too, or in the image directory when one is set. Pictures
// are found as the upload finds them (as stored, else beside the guide). An ExportError for a
// missing file, an image directory that leads out of the folder, or two different files that
// would land under one name.
std::vector<ExportedFile> FolderExportFiles(const ExportSource& source);

// The page of a folder export (UTF-8): a complete HTML document with the title, a main
// landmark headed by it, and the applet element that also loads dravenloom.js.
std::string FolderExportPage(const ExportSource& source);

// The one page (UTF-8): the same document, with the guide, the button picture and the
// records' pictures as data: addresses and the player written into it.
std::string OnePageExport(const ExportSource& source, const ExportProgress& progress = {});

// Writes index.html and every file of FolderExportFiles into `directory` (created when
// missing), each replacing a file of its name atomically; other files stay. Nothing is
// written when a file is missing or `directory` exists and is no folder.
void ExportToFolder(const ExportSource& source, const std::string& directory,
                    const ExportProgress& progress = {});

// Writes OnePageExport to `file` atomically; its size in bytes.
std::uintmax_t ExportAsOnePage(const ExportSource& source, const std::string& file,
                               const ExportProgress& progress = {});

// The warning for a page of `bytes` bytes, or an empty text when it is not large.
std::string LargePageWarning(std::uintmax_t bytes);

// The title the page shows: the Title option, else the guide's file name without extension
// (UTF-8).
std::string ExportTitle(const ExportSource& source);

// Base64 of bytes, as data: addresses carry them.
std::string Base64(std::string_view bytes);

} // namespace dravenloom
