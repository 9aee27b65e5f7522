// The status note after a removal.
#include "navigation/RemovalNote.h"

#include "document/NumberText.h"

#include <algorithm>

namespace dravenloom {

std::vector<std::int32_t> RecordsLosingLinks(const RecordList& records, std::int32_t removed) {
    std::vector<std::int32_t> cleared;
    for (const std::string& source : records.JumpedFrom(removed)) {
        const auto number = ReadNumber(source);
        if (!number || *number == removed)
            continue;
        cleared.push_back(*number > removed ? *number - 1 : *number);
    }
    std::sort(cleared.begin(), cleared.end());
    cleared.erase(std::unique(cleared.begin(), cleared.end()), cleared.end());
    return cleared;
}

std::string RemovalNote(std::int32_t removed, const std::vector<std::int32_t>& cleared) {
    std::string note = "Record " + IntToStr(removed) + " removed";
    if (cleared.empty())
        return note;
    note += cleared.size() == 1 ? "; links cleared in record " : "; links cleared in records ";
    for (std::size_t i = 0; i < cleared.size(); ++i) {
        if (i > 0)
            note += i + 1 == cleared.size() ? " and " : ", ";
        note += IntToStr(cleared[i]);
    }
    return note;
}

} // namespace dravenloom
