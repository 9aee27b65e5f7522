// The spelling check of a whole guide: every misspelled word of every record's dialogue and
// responses, as `dravenloom-cli spell` lists them.
#pragma once

#include "document/RecordList.h"
#include "spelling/SpellingSession.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dravenloom {

struct Misspelling {
    std::int32_t Record = 0;
    std::string Word;                     // code page 1252, as it stands in the text
    std::vector<std::string> Suggestions; // best first; empty unless asked for
};

// The misspelled words of the texts the program shows for each record (its first primary line
// and the up to six response lines after it), record by record; a word is named once per record,
// where it first stands. Suggestions only when `withSuggestions`. A ConversionError for a line
// without a record number.
std::vector<Misspelling> SpellCheckRecords(const RecordList& records, SpellingSession& session,
                                           bool withSuggestions);

} // namespace dravenloom
