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
    FirstLine.reserve(records.Count());
    for (std::size_t i = 0; i < records.Lines.size(); ++i) {
        const std::int32_t number = LineNumber(records.Lines[i]);
        if (FirstLine.emplace(number, i).second) // keeps the first line of each
            Numbers.push_back(number);
    }
    std::sort(Numbers.begin(), Numbers.end());
}

std::optional<std::int32_t> RecordReader::NextWithLines(std::int32_t number) const {
    const auto found = std::lower_bound(Numbers.begin(), Numbers.end(), number);
    if (found == Numbers.end())
        return std::nullopt;
    return *found;
}

GuideRecord RecordReader::Read(std::int32_t number) const {
    const auto found = FirstLine.find(number);
    if (found == FirstLine.end())
        return GuideRecord{};
    // The primary line and the six lines after it are all that ReadRecord looks at once it has
    // found the record, so reading from that slice gives the same record.
    const auto begin = Records.Lines.begin() + static_cast<std::ptrdiff_t>(found->second);
    const auto end = Records.Lines.begin() +
                     static_cast<std::ptrdiff_t>(
                         std::min(found->second + 1 + ResponseSlots, Records.Lines.size()));
    return RecordList(std::vector<std::string>(begin, end)).ReadRecord(number);
}

} // namespace dravenloom::cli
