// Which words of a guide text the spelling check looks at: the word splitting shared by the
// Edit View's underline and `dravenloom-cli spell`.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace dravenloom {

// One word of a text, by its bytes' place in the text.
struct WordSpan {
    std::size_t Offset = 0;
    std::size_t Length = 0;
    bool operator==(const WordSpan&) const = default;
};

// Whether the code page 1252 byte is a letter: A to Z, a to z, the accented and other letters
// of 0xC0 to 0xFF (not the multiplication and division signs) and Š š Œ œ Ž ž Ÿ ƒ.
bool IsWordLetter(unsigned char byte);

// The words of a guide text (code page 1252 bytes, line breaks as CR LF or LF) that are checked:
// runs of letters, with an apostrophe (' or ’) inside a word kept as part of it; hyphens and
// other punctuation part words. Left out: the link markup "[url:...]" where the player finds
// it, web and mail addresses (and file names, which look like them), and every run that holds
// a digit ("1999", "3rd", "mp3").
std::vector<WordSpan> CheckedWords(std::string_view text);

} // namespace dravenloom
