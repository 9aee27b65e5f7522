// Which addresses a guide may have opened on the reader's desktop: web and mail addresses only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dravenloom {

// The address a link response hands to the desktop, as UTF-8, or nothing when the desktop must
// not see it. `target` is the link's address as written in the guide (code page 1252), blanks
// around it ignored. "http://", "https://" and "mailto:" addresses (the scheme in any case) go
// as given; a bare web address such as "www.example.com/page" gets "http://" in front. Anything
// else (a local path, "file:", "javascript:", an address with blanks or control characters
// inside) is refused: a guide is a document from someone else, and opening it must not run
// or open files on the reader's machine.
std::optional<std::string> OpenableGuideAddress(std::string_view target);

} // namespace dravenloom
