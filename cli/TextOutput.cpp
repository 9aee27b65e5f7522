// Guide texts for a terminal or JSON.
#include "TextOutput.h"

#include "document/Cp1252.h"

#include <cstdio>
#include <ostream>

namespace dravenloom::cli {
namespace {

void AppendEscaped(std::string& out, const char* format, unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, value);
    out += buffer;
}

} // namespace

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    out.reserve(utf8.size() + 2);
    std::size_t plain = 0; // start of the run of bytes that need no escape
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const bool c1 =
            b == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
        if (b >= 0x20 && b != '"' && b != '\\' && b != 0x7F && !c1)
            continue;
        out.append(utf8.substr(plain, i - plain));
        if (b == '"') {
            out += "\\\"";
        } else if (b == '\\') {
            out += "\\\\";
        } else if (b == '\r') {
            out += "\\r";
        } else if (b == '\n') {
            out += "\\n";
        } else if (c1) {
            // U+0080..U+009F: invisible controls, written out so that they can be seen.
            AppendEscaped(out, "\\u%04X", static_cast<unsigned char>(utf8[i + 1]));
            ++i;
        } else {
            AppendEscaped(out, "\\u%04X", b);
        }
        plain = i + 1;
    }
    out.append(utf8.substr(plain));
    out += '"';
    return out;
}

std::vector<std::string> TerminalLines(std::string_view guideBytes) {
    const std::string utf8 = Cp1252ToUtf8(guideBytes);
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto b = static_cast<unsigned char>(c);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else if ((b < 0x20 && c != '\t') || b == 0x7F) {
            AppendEscaped(lines.back(), "\\x%02X", b);
        } else if (b == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            // U+0080..U+009F: the bytes the code page leaves undefined.
            AppendEscaped(lines.back(), "\\x%02X", static_cast<unsigned char>(utf8[i + 1]));
            ++i;
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

std::string TerminalText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b >= 0x20 && b < 0x7F) {
            out += utf8[i++];
            continue;
        }
        // The length of the sequence this byte starts, and the smallest code point it may
        // carry (a longer form than needed is no valid UTF-8).
        std::size_t length = 0;
        char32_t least = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
            least = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            least = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            least = 0x10000;
        }
        char32_t point = length == 0 ? 0 : b & (0x7F >> length);
        bool valid = length > 0 && i + length <= utf8.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        valid = valid && point >= least && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
        if (!valid) {
            AppendEscaped(out, "\\x%02X", b); // a control byte, or a stray one
            ++i;
        } else if (point <= 0x9F) {
            AppendEscaped(out, "\\x%02X", static_cast<unsigned>(point)); // C1
            i += length;
        } else {
            out.append(utf8.substr(i, length));
            i += length;
        }
    }
    return out;
}

BufferedOutput::~BufferedOutput() {
    if (!Buffer.empty())
        Out.write(Buffer.data(), static_cast<std::streamsize>(Buffer.size()));
}

void BufferedOutput::Flush() {
    Out.write(Buffer.data(), static_cast<std::streamsize>(Buffer.size()));
    Buffer.clear();
    if (!Out)
        throw OutputError();
}

} // namespace dravenloom::cli
