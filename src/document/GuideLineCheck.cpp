// The check of a guide's lines.
#include "document/GuideLineCheck.h"

#include "document/NumberText.h"
#include "document/RecordCodec.h"

#include <cstdint>

namespace dravenloom {

std::string GuideLinesFault(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::int32_t number = 0;
        const bool numbered = TryLineNumber(lines[i], number);
        if (numbered && number >= 1)
            continue;
        const std::string where = "line " + IntToStr(static_cast<std::int64_t>(i + 1));
        // A number below 1 is a record number all the same, so the author learns where
        // numbering starts rather than that the number is missing.
        if (numbered)
            return where + " starts with the record number " + IntToStr(number) +
                   ", but record numbers start at 1";
        return where + " does not start with a record number";
    }
    return {};
}

} // namespace dravenloom
