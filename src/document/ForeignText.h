// Typed or pasted text with characters a field can't hold: finding them all, replacing the
// common ones, and the question that offers the replaced text to the author.
#pragma once

#include "document/Platform.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {

// What a field may hold: a record's text refuses the six mark characters of the guide file too;
// the applet's settings and element never enter a record, so only the code page limits them.
enum class TextRule { Record, CodePage };

// One character the field can't hold, and what takes its place.
struct ForeignCharacter {
    char32_t CodePoint = 0;
    std::string Replacement; // UTF-8; empty when the character is left out

    bool operator==(const ForeignCharacter&) const = default;
};

struct ForeignText {
    // Each character once, in the order the text first shows it.
    std::vector<ForeignCharacter> Characters;
    // The text (UTF-8) with every such character replaced or left out. Letters written as a
    // base letter and combining marks are composed first, so when Characters is empty this is
    // the composed text, which then fits the field as it is.
    std::string Replaced;
};

// Finds the characters of UTF-8 text that the rule's fields can't hold. A malformed byte
// counts as U+FFFD, which no field holds.
ForeignText FindForeignCharacters(std::string_view utf8, TextRule rule);

// What takes the place of one character that doesn't fit: empty when it is left out.
std::string ReplacementOf(char32_t codePoint, TextRule rule);

// How a character is named to the author: itself and its code, "ł (U+0142)". A combining mark
// is shown on a dotted circle, as character tables show it.
std::string CharacterName(char32_t codePoint);

// The sentences naming every character found, for a notice by the caret when the text is
// refused without a question.
std::string ForeignTextNotice(const ForeignText& found, TextRule rule);

// The Yes/No question that offers the replaced text and names each replacement. Yes inserts
// the replaced text; No leaves the field as it was.
MessageRequest ReplacementQuestion(const ForeignText& found, TextRule rule);

// The text to insert in place of the typed or pasted one: the composed text when every
// character fits, the replaced text when the author says Yes to the question, nothing when the
// author says No (the field then keeps what it had).
std::optional<std::string> OfferReplacedText(Platform& platform, const ForeignText& found,
                                             TextRule rule);

} // namespace dravenloom
