// The spelling checker's interface: a dictionary asked about single words in code page 1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {

class SpellChecker {
public:
    virtual ~SpellChecker() = default;

    // Whether the word (code page 1252 bytes, as CheckedWords cut it) is spelled right.
    virtual bool Correct(std::string_view word) = 0;
    // Better spellings, best first, each one a guide text could hold; none when the dictionary
    // knows none.
    virtual std::vector<std::string> Suggestions(std::string_view word) = 0;
    // Takes the word as correct from now on, for as long as the checker lives.
    virtual void AddWord(std::string_view word) = 0;
};

} // namespace dravenloom
