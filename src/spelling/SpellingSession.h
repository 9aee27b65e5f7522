// One language's spelling check as the author has shaped it: the dictionary, the personal word
// list, and the words ignored for this run.
#pragma once

#include "spelling/PersonalWordList.h"
#include "spelling/SpellChecker.h"
#include "spelling/SpellingWords.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace dravenloom {

class SpellingSession {
public:
    // Takes the personal words into the checker at once.
    SpellingSession(std::unique_ptr<SpellChecker> checker, PersonalWordList personal);

    // Neither in the dictionary, nor the personal list, nor ignored.
    bool Misspelled(std::string_view word);
    // The checked words of a guide text that are misspelled.
    std::vector<WordSpan> Misspellings(std::string_view text);
    std::vector<std::string> Suggestions(std::string_view word) {
        return Checker->Suggestions(word);
    }

    // "Ignore": the word passes for the rest of the run, in every field.
    void Ignore(std::string_view word);
    // "Add to Dictionary": the word goes into the personal list (a FileError when the file
    // cannot be written, and then the word is not taken) and passes from now on.
    void AddToDictionary(std::string_view word);

    PersonalWordList& Personal() { return Words; }

private:
    std::unique_ptr<SpellChecker> Checker;
    PersonalWordList Words;
    std::unordered_set<std::string> Ignored;
};

} // namespace dravenloom
