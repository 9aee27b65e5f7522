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
