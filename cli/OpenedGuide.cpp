// Opening a guide for a command, and reading its records in one pass.
#include "OpenedGuide.h"

#include "document/Errors.h"
#include "document/GuideFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace dravenloom::cli {

OpenedGuide::OpenedGuide(const std::string& path)
    : Editor(Document, View, Graphic, Host), Nav(Document, View, Editor),
      Files(Document, View, Editor, Nav, Pages, Host) {
    // A directory opens as an empty stream on some systems; say what it is instead.
    std::error_code error;
    if (std::filesystem::is_directory(PathFromText(path), error))
        throw FileError("Cannot open file \"" + path + "\". It is a directory");
    Files.NewGuideState();
    Document.OpenDialogPath = path;
    Files.OpenGuideFile();
}

RecordReader::RecordReader(const RecordList& records) : Records(records) {
    // A record's lines follow one another, so the first line of each run is where its number
    // starts; in a guide as the program writes it the runs come in ascending order, and the
    // index is made in one pass without sorting or hashing.
    const auto& lines = records.Lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::int32_t number = LineNumber(lines[i]);
        if (Starts.empty() || Starts.back().Number != number)
            Starts.push_back({number, i});
    }
    if (std::adjacent_find(Starts.begin(), Starts.end(), [](const Start& a, const Start& b) {
            return a.Number >= b.Number;
        }) == Starts.end())
        return;
    // Out of order or repeated further on: the first line of each number is the one a search
    // from the top finds, and the stable sort keeps it ahead of the later ones.
    std::stable_sort(Starts.begin(), Starts.end(),
                     [](const Start& a, const Start& b) { return a.Number < b.Number; });
    Starts.erase(std::unique(Starts.begin(), Starts.end(),
                             [](const Start& a, const Start& b) { return a.Number == b.Number; }),
                 Starts.end());
}

// The first start at `number` or above.
const RecordReader::Start* RecordReader::From(std::int32_t number) const {
    const auto found = std::lower_bound(
        Starts.begin(), Starts.end(), number,
        [](const Start& start, std::int32_t wanted) { return start.Number < wanted; });
    return found == Starts.end() ? nullptr : &*found;
}

const RecordReader::Start* RecordReader::Find(std::int32_t number) const {
    const Start* found = From(number);
    return found && found->Number == number ? found : nullptr;
}

std::optional<std::int32_t> RecordReader::NextWithLines(std::int32_t number) const {
    if (const Start* found = From(number))
        return found->Number;
    return std::nullopt;
}

GuideRecord RecordReader::Read(std::int32_t number) const {
    const Start* found = Find(number);
    if (!found)
        return GuideRecord{};
    // The primary line and the six lines after it are all that ReadRecord looks at once it has
    // found the record, so reading from that slice gives the same record.
    const auto begin = Records.Lines.begin() + static_cast<std::ptrdiff_t>(found->Line);
    const auto end = Records.Lines.begin() +
                     static_cast<std::ptrdiff_t>(
                         std::min(found->Line + 1 + ResponseSlots, Records.Lines.size()));
    return RecordList(std::vector<std::string>(begin, end)).ReadRecord(number);
}

} // namespace dravenloom::cli
