// The spelling check of a whole guide: every misspelled word of every record's dialogue and
// responses, as `dravenloom-cli spell` lists them.
#pragma once

#include "document/RecordList.h"
#include "spelling/SpellingSession.h"

#include <cstdint>
#include <functional>
#include <memory>
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

// Fills in the suggestions of every entry, each distinct word asked once, by up to `workers`
// checkers side by side: a dictionary needs about a tenth of a second for a word it knows
// nothing like, and a big guide holds hundreds of them. Each checker comes from `makeChecker`
// and is given `personalWords` first, so its suggestions are those the session's checker gives.
// An exception of a worker (a dictionary that fails to load) comes out here.
void SuggestSideBySide(std::vector<Misspelling>& found,
                       const std::function<std::unique_ptr<SpellChecker>()>& makeChecker,
                       const std::vector<std::string>& personalWords, unsigned workers);

} // namespace dravenloom
