// One language's spelling check with the author's own words.
#include "spelling/SpellingSession.h"

namespace dravenloom {

SpellingSession::SpellingSession(std::unique_ptr<SpellChecker> checker, PersonalWordList personal)
    : Checker(std::move(checker)), Words(std::move(personal)) {
    for (const std::string& word : Words.Read())
        Checker->AddWord(word);
}

bool SpellingSession::Misspelled(std::string_view word) {
    if (Ignored.count(std::string(word)) != 0)
        return false;
    return !Checker->Correct(word);
}

std::vector<WordSpan> SpellingSession::Misspellings(std::string_view text) {
    std::vector<WordSpan> wrong;
    for (const WordSpan& span : CheckedWords(text)) {
        if (Misspelled(text.substr(span.Offset, span.Length)))
            wrong.push_back(span);
    }
    return wrong;
}

void SpellingSession::Ignore(std::string_view word) { Ignored.emplace(word); }

void SpellingSession::AddToDictionary(std::string_view word) {
    Words.Add(word);
    Checker->AddWord(word);
}

} // namespace dravenloom
