// The spelling check of a whole guide.
#include "spelling/GuideSpelling.h"

#include "document/EditView.h"
#include "document/RecordCodec.h"

#include <algorithm>
#include <unordered_set>

namespace dravenloom {

std::vector<Misspelling> SpellCheckRecords(const RecordList& records, SpellingSession& session,
                                           bool withSuggestions) {
    std::vector<Misspelling> found;
    std::unordered_set<std::int32_t> seen; // records whose primary line came already
    std::vector<std::string> recordWords;  // the misspelled words named for the current record
    std::int32_t current = 0;
    bool shown = false; // whether the current run of lines is what the program shows
    int responses = 0;
    bool first = true;
    for (const std::string& line : records.Lines) {
        const std::int32_t number = LineNumber(line);
        if (first || number != current) {
            first = false;
            current = number;
            responses = 0;
            recordWords.clear();
            // The program shows the first run of lines of a number; a later one is never read.
            shown = seen.insert(number).second;
        } else if (++responses > ResponseSlots) {
            continue;
        }
        if (!shown)
            continue;
        const std::string_view text = LineText(line);
        for (const WordSpan& span : session.Misspellings(text)) {
            std::string word(text.substr(span.Offset, span.Length));
            if (std::find(recordWords.begin(), recordWords.end(), word) != recordWords.end())
                continue;
            recordWords.push_back(word);
            Misspelling entry{number, std::move(word), {}};
            if (withSuggestions)
                entry.Suggestions = session.Suggestions(entry.Word);
            found.push_back(std::move(entry));
        }
    }
    return found;
}

} // namespace dravenloom
