// Texts from outside (a saved page, a typed value) quoted back to the author in a message or on
// a terminal, with every control character written out so that it can neither hide nor act.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dravenloom {

// The code page bytes that are control characters: C0 (tab and line breaks too), DEL, and the
// five bytes the code page leaves undefined, which a browser reads as C1 controls.
bool IsControlByte(unsigned char byte);

// Code page 1252 bytes as UTF-8 in double quotes, each control byte as \xNN; a text longer
// than `longest` characters is cut there and ends in "...", so that a huge value cannot fill
// a message.
std::string QuotedForAuthor(std::string_view bytes, std::size_t longest = 60);

} // namespace dravenloom
