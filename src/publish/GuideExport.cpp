// Export of a published guide: the folder, the one page, and the files both are made of.
#include "publish/GuideExport.h"

#include "document/Cp1252.h"
#include "document/GuideFile.h"
#include "document/RecordList.h"
#include "publish/AppletTag.h"
#include "publish/HtmlText.h"
#include "publish/UploadFiles.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

const char* const LineEnd = "\r\n";

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

std::string MissingPicture(const std::string& stored) {
    return "Unable to find image " + Cp1252ToUtf8(stored) +
           ".  Please check the path and try again.";
}

// A picture as the record stores it, found as stored or else beside the guide, as the upload
// finds it.
std::string LocatePicture(const std::string& stored, const fs::path& guideFolder) {
    const fs::path path = PathFromText(Cp1252ToUtf8(stored));
    if (IsFile(path))
        return TextFromPath(path);
    if (path.is_relative() && IsFile(guideFolder / path))
        return TextFromPath(guideFolder / path);
    throw ExportError(MissingPicture(stored));
}

// The image directory as a folder inside the export ("" for none): blanks around it and
// surplus separators dropped, backslashes read as slashes. A folder that leads out of the
// export (from the root, an address, "..") is refused, as a page served from the export
// could not reach it.
std::string ImageFolder(const std::string& imageDir) {
    if (IsBlank(imageDir))
        return {};
    std::string text = Cp1252ToUtf8(imageDir);
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    text = text.substr(first, last - first + 1);
    std::replace(text.begin(), text.end(), '\\', '/');
    const auto refuse = [&](const char* why) {
        throw ExportError("The image directory \"" + Cp1252ToUtf8(imageDir) + "\" " + why +
                          ": an exported folder holds its pictures in a folder below itself");
    };
    if (text.front() == '/')
        refuse("starts at the server's root");
    if (text.find(':') != std::string::npos)
        refuse("is an address or a drive");
    std::string folder;
    std::size_t at = 0;
    while (at <= text.size()) {
        const auto end = std::min(text.find('/', at), text.size());
        const std::string part = text.substr(at, end - at);
        if (part == "..")
            refuse("leads out of the folder");
        if (!part.empty() && part != ".")
            folder += (folder.empty() ? "" : "/") + part;
        at = end + 1;
    }
    return folder;
}

// A picture of the export: its file and its name on the server.
struct NamedPicture {
    std::string Source;
    std::string Name; // UTF-8, without folder
};

// The button picture and every picture the records name, each found; the same name twice for
// two different files is refused, since one would overwrite the other on the server.
std::vector<NamedPicture> Pictures(const ExportSource& source) {
    std::vector<NamedPicture> pictures;
    const fs::path button =
        PathFromText(source.AppletDirectory) / PathFromText(source.Settings.Image);
    if (!IsFile(button))
        throw ExportError("Unable to find applet files.  Please reinstall Dravenloom. (" +
                          TextFromPath(button) + " is missing)");
    pictures.push_back({TextFromPath(button), Cp1252ToUtf8(source.Settings.Image)});
    if (source.Records) {
        const fs::path guideFolder = PathFromText(source.GuideFile).parent_path();
        std::vector<std::string> stored;
        const auto failed =
            CollectPictures(*source.Records, stored, [](const std::string& path) { return path; });
        if (failed)
            throw ExportError(MissingPicture(*failed));
        for (const auto& path : stored)
            pictures.push_back(
                {LocatePicture(path, guideFolder), Cp1252ToUtf8(std::string(FileNameOf(path)))});
    }
    std::map<std::string, const NamedPicture*> byName;
    std::vector<NamedPicture> distinct;
    for (const auto& picture : pictures) {
        const auto [at, added] = byName.emplace(Lower(picture.Name), &picture);
        if (added) {
            distinct.push_back(picture);
            continue;
        }
        const NamedPicture& earlier = *at->second;
        if (earlier.Source != picture.Source &&
            ReadFileBytes(earlier.Source) != ReadFileBytes(picture.Source))
            throw ExportError("Two pictures would be exported under the same name and one "
                              "would overwrite the other: " +
                              earlier.Source + " and " + picture.Source);
        if (earlier.Name != picture.Name)
            distinct.push_back(picture); // the same picture, named in another case
    }
    return distinct;
}

// A JSON string; "<" is escaped too, so that no "</script>" can end the element early.
std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || c == '<') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

// The player's text as the content of a script element: "</script" and "<!--" would end or
// derail the element, so their "<" is escaped, which JavaScript reads the same way.
std::string ScriptContent(std::string text) {
    std::string safe;
    safe.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '<' &&
            (Lower(text.substr(i, 8)) == "</script" || text.compare(i, 4, "<!--") == 0))
            safe += "\\x3C";
        else
            safe += text[i];
    }
    return safe;
}

std::string MediaType(std::string_view name) {
    const std::string lower = Lower(std::string(name));
    const auto ends = [&](const char* ext) {
        const std::string e(ext);
        return lower.size() >= e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0;
    };
    if (ends(".gif"))
        return "image/gif";
    if (ends(".jpg") || ends(".jpeg"))
        return "image/jpeg";
    if (ends(".png"))
        return "image/png";
    if (ends(".bmp"))
        return "image/bmp";
    return "application/octet-stream";
}

std::string DataAddress(std::string_view name, std::string_view bytes) {
    return "data:" + MediaType(name) + ";base64," + Base64(bytes);
}

std::string GuideName(const ExportSource& source) {
    return Cp1252ToUtf8(GuideNameForTag(source.GuideFile));
}

// The page around the element; `tail` follows the element's sixteen lines.
std::string PageText(const ExportSource& source, const std::string& tail) {
    AppletSettings settings = source.Settings;
    settings.Html5 = false;
    const std::string title = EscapeHtmlText(ExportTitle(source));
    std::string page = std::string("<!DOCTYPE html>") + LineEnd + "<html lang=\"en\">" + LineEnd +
                       "<head>" + LineEnd + "<meta charset=\"utf-8\">" + LineEnd +
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">" +
                       LineEnd + "<title>" + title + "</title>" + LineEnd + "</head>" + LineEnd +
                       "<body>" + LineEnd + "<main>" + LineEnd + "<h1>" + title + "</h1>" + LineEnd;
    for (const auto& line : AppletTagLines(settings, GuideNameForTag(source.GuideFile)))
        page += Cp1252ToUtf8(line) + LineEnd;
    page += tail;
    page += std::string("</main>") + LineEnd + "</body>" + LineEnd + "</html>" + LineEnd;
    return page;
}

fs::path AppletFile(const ExportSource& source, const char* name) {
    const fs::path path = PathFromText(source.AppletDirectory) / name;
    if (!IsFile(path))
        throw ExportError("Unable to find applet files.  Please reinstall Dravenloom. (" +
                          TextFromPath(path) + " is missing)");
    return path;
}

std::string Counted(const char* verb, const std::string& name, std::size_t index,
                    std::size_t count) {
    return std::string(verb) + " " + name + " (" + std::to_string(index + 1) + " of " +
           std::to_string(count) + ")";
}

} // namespace

std::string Base64(std::string_view bytes) {
    static const char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t v =
            static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
            static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8 |
            static_cast<unsigned char>(bytes[i + 2]);
        text += Digits[v >> 18];
        text += Digits[(v >> 12) & 63];
        text += Digits[(v >> 6) & 63];
        text += Digits[v & 63];
    }
    if (const std::size_t rest = bytes.size() - i; rest > 0) {
        std::uint32_t v = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (rest == 2)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        text += Digits[v >> 18];
        text += Digits[(v >> 12) & 63];
        text += rest == 2 ? Digits[(v >> 6) & 63] : '=';
        text += '=';
    }
    return text;
}

std::string ExportTitle(const ExportSource& source) {
    if (!source.Settings.Title.empty())
        return Cp1252ToUtf8(source.Settings.Title);
    return TextFromPath(PathFromText(source.GuideFile).stem());
}

std::vector<ExportedFile> FolderExportFiles(const ExportSource& source) {
    if (!IsFile(PathFromText(source.GuideFile)))
        throw ExportError("Cannot read file \"" + source.GuideFile + "\": there is no such file");
    const std::string folder = ImageFolder(source.Settings.ImageDir);
    std::vector<ExportedFile> files;
    files.push_back({source.GuideFile, GuideName(source)});
    for (const char* name : AppletClassesSent)
        files.push_back({TextFromPath(AppletFile(source, name)), name});
    files.push_back({TextFromPath(AppletFile(source, WebPlayerFile)), WebPlayerFile});
    for (auto& picture : Pictures(source)) {
        const std::string target = folder.empty() ? picture.Name : folder + "/" + picture.Name;
        const auto same = std::find_if(files.begin(), files.end(), [&](const ExportedFile& f) {
            return Lower(f.Target) == Lower(target);
        });
        if (same == files.end()) {
            files.push_back({std::move(picture.Source), target});
            continue;
        }
        // The same picture under a second spelling is one file on a folder that ignores case;
        // anything else of that name (the guide, a player file) would be overwritten by it.
        if (same->Source != picture.Source &&
            ReadFileBytes(same->Source) != ReadFileBytes(picture.Source))
            throw ExportError("Two files would be exported as " + target +
                              " and one would overwrite the other: " + same->Source + " and " +
                              picture.Source);
    }
    return files;
}

std::string FolderExportPage(const ExportSource& source) {
    return PageText(source, std::string(WebPlayerLine) + LineEnd);
}

std::string OnePageExport(const ExportSource& source, const ExportProgress& progress) {
    const std::string player = ReadFileBytes(TextFromPath(AppletFile(source, WebPlayerFile)));
    const std::vector<NamedPicture> pictures = Pictures(source);
    const std::size_t count = pictures.size() + 1;
    const std::string guideName = GuideName(source);
    if (progress)
        progress(Counted("Embedding", guideName, 0, count));
    std::string files = "{" + JsonString(guideName) + ":" +
                        JsonString(DataAddress(guideName, ReadFileBytes(source.GuideFile)));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (progress)
            progress(Counted("Embedding", pictures[i].Name, i + 1, count));
        files += std::string(",") + LineEnd + JsonString(pictures[i].Name) + ":" +
                 JsonString(DataAddress(pictures[i].Name, ReadFileBytes(pictures[i].Source)));
    }
    files += "}";
    const std::string tail = std::string("<script type=\"application/json\" id=\"") +
                             EmbeddedFilesId + "\">" + files + "</script>" + LineEnd + "<script>" +
                             LineEnd + ScriptContent(player) + "</script>" + LineEnd;
    return PageText(source, tail);
}

void ExportToFolder(const ExportSource& source, const std::string& directory,
                    const ExportProgress& progress) {
    const fs::path root = PathFromText(directory);
    std::error_code error;
    if (fs::exists(root, error) && !fs::is_directory(root, error))
        throw ExportError("Cannot export into \"" + directory + "\": it is a file, not a folder");
    // Every file is found and read before the first is written.
    const std::vector<ExportedFile> files = FolderExportFiles(source);
    std::vector<std::string> contents;
    contents.reserve(files.size());
    for (const auto& file : files)
        contents.push_back(ReadFileBytes(file.Source));
    const std::string page = FolderExportPage(source);

    const auto makeFolder = [&](const fs::path& folder) {
        std::error_code made;
        fs::create_directories(folder, made);
        if (made || !fs::is_directory(folder, made))
            throw ExportError("Cannot create folder \"" + TextFromPath(folder) + "\": " +
                              (made ? made.message() : "a file of that name is in the way"));
    };
    makeFolder(root);
    const std::size_t count = files.size() + 1;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (progress)
            progress(Counted("Exporting", files[i].Target, i, count));
        const fs::path target = root / PathFromText(files[i].Target);
        if (target.parent_path() != root)
            makeFolder(target.parent_path());
        WriteFileAtomically(TextFromPath(target), contents[i]);
    }
    if (progress)
        progress(Counted("Exporting", ExportPageName, files.size(), count));
    WriteFileAtomically(TextFromPath(root / ExportPageName), page);
}

std::uintmax_t ExportAsOnePage(const ExportSource& source, const std::string& file,
                               const ExportProgress& progress) {
    const std::string page = OnePageExport(source, progress);
    if (progress)
        progress("Writing " + FileNamePart(file));
    WriteFileAtomically(file, page);
    return page.size();
}

std::string LargePageWarning(std::uintmax_t bytes) {
    if (bytes <= LargePageBytes)
        return {};
    char size[32];
    std::snprintf(size, sizeof size, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return std::string("The page was written, but it is ") + size + " (" + std::to_string(bytes) +
           " bytes) large: readers download all of it before the guide starts. An export to a "
           "folder loads each picture only when a record shows it.";
}

} // namespace dravenloom
