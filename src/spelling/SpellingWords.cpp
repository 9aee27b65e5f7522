// The word splitting of the spelling check.
#include "spelling/SpellingWords.h"

#include "preview/GuideAddress.h"
#include "preview/Wrapping.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace dravenloom {
namespace {

bool IsDigit(unsigned char byte) { return byte >= '0' && byte <= '9'; }

bool IsApostrophe(unsigned char byte) { return byte == '\'' || byte == 0x92; }

// Blanks, control characters and the no-break space end a run of text that could be an address.
bool IsBlank(unsigned char byte) { return byte <= 0x20 || byte == 0x7F || byte == 0xA0; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char lower, char c) {
               return std::tolower(static_cast<unsigned char>(c)) == lower;
           });
}

// A run of text between blanks that is an address: a scheme, "www.", a mailbox, or what the
// player would open as a bare web address ("example.com/page", and so file names too).
bool IsAddress(std::string_view chunk) {
    // Punctuation that closes a sentence or a bracket is not part of the address.
    const auto closing = [](char c) {
        return c == '.' || c == ',' || c == ';' || c == ':' || c == '!' || c == '?' || c == ')' ||
               c == '"' || c == '\'' || c == '\x94' || c == '\x92';
    };
    while (!chunk.empty() && closing(chunk.back()))
        chunk.remove_suffix(1);
    while (!chunk.empty() && (chunk.front() == '(' || chunk.front() == '"' ||
                              chunk.front() == '\x93' || chunk.front() == '\x91'))
        chunk.remove_prefix(1);
    if (chunk.empty())
        return false;
    if (chunk.find("://") != std::string_view::npos || StartsWithNoCase(chunk, "www.") ||
        StartsWithNoCase(chunk, "mailto:"))
        return true;
    const std::size_t at = chunk.find('@');
    if (at != std::string_view::npos && at > 0 && chunk.find('.', at) != std::string_view::npos)
        return true;
    return OpenableGuideAddress(chunk).has_value();
}

// Appends the words of one run of text without blanks that starts at `base` in the text.
void SplitChunk(std::string_view chunk, std::size_t base, std::vector<WordSpan>& words) {
    std::size_t i = 0;
    while (i < chunk.size()) {
        const auto byte = static_cast<unsigned char>(chunk[i]);
        if (!IsWordLetter(byte) && !IsDigit(byte)) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        bool digits = false;
        while (i < chunk.size()) {
            const auto c = static_cast<unsigned char>(chunk[i]);
            if (IsWordLetter(c)) {
                ++i;
            } else if (IsDigit(c)) {
                digits = true;
                ++i;
            } else if (IsApostrophe(c) && i > start && i + 1 < chunk.size() &&
                       IsWordLetter(static_cast<unsigned char>(chunk[i - 1])) &&
                       IsWordLetter(static_cast<unsigned char>(chunk[i + 1]))) {
                ++i;
            } else {
                break;
            }
        }
        if (!digits)
            words.push_back({base + start, i - start});
    }
}

} // namespace

bool IsWordLetter(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'))
        return true;
    if (byte >= 0xC0)
        return byte != 0xD7 && byte != 0xF7;
    switch (byte) {
    case 0x83: // ƒ
    case 0x8A: // Š
    case 0x8C: // Œ
    case 0x8E: // Ž
    case 0x9A: // š
    case 0x9C: // œ
    case 0x9E: // ž
    case 0x9F: // Ÿ
        return true;
    default:
        return false;
    }
}

std::vector<WordSpan> CheckedWords(std::string_view text) {
    // The link markup reads as blanks, so that what stands around it still splits as text.
    std::string blanked;
    if (const auto markup = FindLinkMarkup(text)) {
        blanked.assign(text);
        std::fill_n(blanked.begin() + static_cast<std::ptrdiff_t>(markup->Offset), markup->Length,
                    ' ');
        text = blanked;
    }
    std::vector<WordSpan> words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(static_cast<unsigned char>(text[i])))
            ++i;
        const std::string_view chunk = text.substr(start, i - start);
        if (!IsAddress(chunk))
            SplitChunk(chunk, start, words);
    }
    return words;
}

} // namespace dravenloom
