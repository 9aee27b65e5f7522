// The spelling check of a whole guide.
#include "spelling/GuideSpelling.h"

#include "document/EditView.h"
#include "document/RecordCodec.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <unordered_map>
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

void SuggestSideBySide(std::vector<Misspelling>& found,
                       const std::function<std::unique_ptr<SpellChecker>()>& makeChecker,
                       const std::vector<std::string>& personalWords, unsigned workers) {
    std::vector<std::string> words;
    std::unordered_map<std::string, std::size_t> index;
    for (const Misspelling& entry : found)
        if (index.emplace(entry.Word, words.size()).second)
            words.push_back(entry.Word);
    if (words.empty())
        return;
    std::vector<std::vector<std::string>> suggestions(words.size());
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto work = [&] {
        try {
            const std::unique_ptr<SpellChecker> checker = makeChecker();
            for (const std::string& word : personalWords)
                checker->AddWord(word);
            for (std::size_t i = next++; i < words.size(); i = next++)
                suggestions[i] = checker->Suggestions(words[i]);
        } catch (...) {
            const std::lock_guard hold(failureLock);
            if (!failure)
                failure = std::current_exception();
            next = words.size(); // the others stop too
        }
    };
    // A dictionary takes a moment to load: no more workers than there are words to share.
    const std::size_t count =
        std::clamp<std::size_t>(std::min<std::size_t>(workers, words.size() / 4), 1, words.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < count; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
    for (Misspelling& entry : found)
        entry.Suggestions = suggestions[index.at(entry.Word)];
}

} // namespace dravenloom
