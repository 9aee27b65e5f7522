// Guide bytes written readably in tests: Marked("2¤Yes¶3") is the record line with the mark
// bytes 0xA4 and 0xB6. The six mark characters ¤ ¶ ª ± € š (UTF-8 in the source) become their
// code page 1252 bytes; every other byte stays as written.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace dravenloom {

inline std::string Marked(std::string_view utf8) {
    static const std::pair<std::string_view, char> marks[] = {
        {"\u00A4", '\xA4'}, {"\u00B6", '\xB6'}, {"\u00AA", '\xAA'},
        {"\u00B1", '\xB1'}, {"\u20AC", '\x80'}, {"\u0161", '\x9A'},
    };
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        bool replaced = false;
        for (const auto& [mark, byte] : marks) {
            if (utf8.substr(i, mark.size()) == mark) {
                out += byte;
                i += mark.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += utf8[i++];
    }
    return out;
}

} // namespace dravenloom
