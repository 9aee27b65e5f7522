// The edge between guide bytes (code page 1252) and the UTF-8 the screen and terminal use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dravenloom {

// Guide bytes as UTF-8. Bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// become the control characters of the same value, so every byte converts and converts back.
std::string Cp1252ToUtf8(std::string_view bytes);

// The code page byte of one Unicode character, or nothing when the code page has none.
std::optional<unsigned char> Cp1252FromCodePoint(char32_t codePoint);

// The outcome of turning typed or pasted UTF-8 text into guide bytes.
struct TypedTextConversion {
    bool Accepted = false;
    std::string Bytes;       // the guide bytes, when accepted
    std::string RefusedChar; // the first character that was refused, as UTF-8
    std::string Reason;      // a sentence for the author naming that character and why
};

// Converts typed UTF-8 text to guide bytes. Refuses the six reserved mark characters and
// every character the code page cannot hold (invalid UTF-8 is refused as well).
TypedTextConversion Utf8ToGuideText(std::string_view utf8);

// The same for texts that never enter a record (the applet options and element): only the
// characters the code page cannot hold are refused; the mark characters are ordinary there.
TypedTextConversion Utf8ToCodePageText(std::string_view utf8);

// Converts UTF-8 to code page bytes without refusing marks; nothing when a character has no
// byte. For texts that are not record contents (file names shown back to the author, tests).
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// True for the six bytes that mark the parts of a record line.
bool IsReservedMarkByte(unsigned char byte);

// Every lone CR and every lone LF becomes CR LF; CR LF pairs stay as they are.
std::string NormalizeLineBreaks(std::string_view text);

} // namespace dravenloom
