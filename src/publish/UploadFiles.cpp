// The rules of the upload list.
#include "publish/UploadFiles.h"

#include "document/RecordCodec.h"
#include "document/RecordList.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace dravenloom {
namespace {

bool BlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string ExtensionOf(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : Lower(name.substr(dot));
}

// The picture path of a primary line: the text between its first TextMark and first XMark.
std::string_view GraphicPathOf(std::string_view line) {
    const auto text = line.find(TextMark);
    if (text == std::string_view::npos)
        return {};
    const auto x = line.find(XMark, text + 1);
    return line.substr(text + 1,
                       x == std::string_view::npos ? std::string_view::npos : x - text - 1);
}

} // namespace

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), BlankOrControl);
}

std::string_view FileNameOf(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsImageFile(std::string_view path) {
    const std::string extension = ExtensionOf(path);
    return extension == ".gif" || extension == ".jpg" || extension == ".jpeg" ||
           extension == ".png" || extension == ".bmp";
}

bool IsBinaryFile(std::string_view path) {
    return IsImageFile(path) || ExtensionOf(path) == ".class";
}

std::optional<std::string>
CollectPictures(const RecordList& records, std::vector<std::string>& rows,
                const std::function<std::string(const std::string& stored)>& row) {
    if (records.Empty())
        return std::nullopt;
    std::string taken(GraphicPathOf(records.Lines[0]));
    // The first line's picture goes in even when a row already names it.
    if (!IsBlank(taken))
        rows.push_back(row(taken));
    std::int32_t previous = 0;
    if (!TryLineNumber(records.Lines[0], previous))
        return taken;
    for (std::size_t j = 1; j < records.Count(); ++j) {
        std::int32_t number = 0;
        if (!TryLineNumber(records.Lines[j], number))
            return taken;
        if (number != previous) {
            taken = std::string(GraphicPathOf(records.Lines[j]));
            if (!IsBlank(taken)) {
                std::string shown = row(taken);
                if (std::find(rows.begin(), rows.end(), shown) == rows.end())
                    rows.push_back(std::move(shown));
            }
        }
        previous = number;
    }
    return std::nullopt;
}

std::vector<bool> RowsForImageDirectory(const std::vector<std::string>& rows,
                                        bool imageDirectorySet) {
    std::vector<bool> toImages(rows.size(), false);
    if (!imageDirectorySet)
        return toImages;
    const auto first = std::find_if(rows.begin(), rows.end(),
                                    [](const std::string& row) { return IsImageFile(row); });
    std::fill(toImages.begin() + (first - rows.begin()), toImages.end(), true);
    return toImages;
}

std::optional<std::pair<std::string, std::string>>
RowsWithSameName(const std::vector<std::string>& rows, const std::vector<bool>& toImageDirectory) {
    std::map<std::pair<bool, std::string>, std::size_t> seen;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto [at, added] =
            seen.try_emplace({toImageDirectory[i], Lower(FileNameOf(rows[i]))}, i);
        // The same file twice is sent twice to the same place, which loses nothing.
        if (!added && rows[at->second] != rows[i])
            return std::make_pair(rows[at->second], rows[i]);
    }
    return std::nullopt;
}

int ProgressAfterRow(int current, std::size_t index, std::size_t rowCount) {
    if (rowCount == 0)
        return current;
    if (index + 1 == rowCount)
        return 100;
    return current + static_cast<int>(100 / rowCount);
}

} // namespace dravenloom
