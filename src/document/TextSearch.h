// Searching guide texts (code page 1252 bytes) with PCRE2: a typed pattern, plain or a regular
// expression, with "Match case" and "Whole word", and the replacement text of a match.
#pragma once

#include "document/Errors.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {

struct SearchOptions {
    bool MatchCase = false;
    bool WholeWord = false;
    bool Regex = false; // a regular expression; otherwise the pattern is found as typed
};

// A pattern or a replacement that PCRE2 refuses. Offset is the character (counted from 0) of
// the pattern where it breaks, or npos when the failure names no place.
class PatternError : public DravenloomError {
public:
    PatternError(const std::string& message, std::size_t offset)
        : DravenloomError(message), Offset(offset) {}
    std::size_t Offset;
};

// One match in a text: byte offsets into the code page text.
struct TextMatch {
    std::size_t Start = 0;
    std::size_t Length = 0;

    bool operator==(const TextMatch&) const = default;
};

// A compiled pattern. The pattern and replacements are UTF-8 (what the author typed); the
// texts searched are guide bytes. The search runs on the texts converted to UTF-8 with
// Unicode's letters and case folding, so "é" finds "É" without "Match case", "Whole word"
// treats accented letters as letters, and offsets come back in bytes of the guide text.
class TextPattern {
public:
    // A PatternError when the pattern is empty or not a valid expression.
    TextPattern(std::string_view utf8Pattern, SearchOptions options);
    ~TextPattern();
    TextPattern(const TextPattern&) = delete;
    TextPattern& operator=(const TextPattern&) = delete;
    TextPattern(TextPattern&&) noexcept;
    TextPattern& operator=(TextPattern&&) noexcept;

    // Every match in `text`, left to right, none overlapping, none empty (an expression that
    // only matches empty text finds nothing). Appends to `matches`.
    void FindAll(std::string_view text, std::vector<TextMatch>& matches) const;

    // What takes the place of `match` (found in `text` by FindAll), as UTF-8. A regular
    // expression's replacement may name its groups ("$1", "${name}", "$$" for a dollar);
    // otherwise the replacement is taken as typed. A PatternError when it names a group the
    // expression lacks.
    std::string Replacement(std::string_view text, const TextMatch& match,
                            std::string_view utf8Replacement) const;

    const SearchOptions& Options() const { return Flags; }

private:
    struct Compiled;
    std::unique_ptr<Compiled> Code;
    SearchOptions Flags;
};

// The character position in a text field of byte `offset` of its guide text: each CR LF
// counts as one character, as the field shows it as one line break.
std::size_t FieldCharacterPosition(std::string_view text, std::size_t offset);

} // namespace dravenloom
