// Texts quoted back to the author with their control characters written out.
#include "document/VisibleText.h"

#include "document/Cp1252.h"

#include <cstdio>

namespace dravenloom {

bool IsControlByte(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
           byte == 0x90 || byte == 0x9D;
}

std::string QuotedForAuthor(std::string_view bytes, std::size_t longest) {
    std::string out = "\"";
    const std::string_view shown = bytes.substr(0, longest);
    std::size_t plain = 0; // start of the run of bytes shown as they are
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto byte = static_cast<unsigned char>(shown[i]);
        if (!IsControlByte(byte))
            continue;
        out += Cp1252ToUtf8(shown.substr(plain, i - plain));
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        out += escaped;
        plain = i + 1;
    }
    out += Cp1252ToUtf8(shown.substr(plain));
    if (bytes.size() > longest)
        out += "...";
    return out + "\"";
}

} // namespace dravenloom
