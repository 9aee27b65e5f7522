// Code page 1252 conversion and the check of typed text.
#include "document/Cp1252.h"

#include <array>
#include <cstdio>

namespace dravenloom {
namespace {

// 0x80..0x9F: the code page's own characters; undefined places keep their control value.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControlRange[byte - 0x80];
    return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at text[i], advancing i; nothing for a malformed sequence.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (i + extra >= text.size())
        return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t Least[] = {0, 0x80, 0x800, 0x10000};
    if (cp < Least[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    i += extra + 1;
    return cp;
}

std::string CodePointName(char32_t cp) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
    return buffer;
}

} // namespace

bool IsReservedMarkByte(unsigned char byte) {
    return byte == 0xA4 || byte == 0xB6 || byte == 0xAA || byte == 0xB1 || byte == 0x80 ||
           byte == 0x9A;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes)
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::optional<unsigned char> Cp1252FromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (std::size_t k = 0; k < HighControlRange.size(); ++k)
        if (HighControlRange[k] == cp)
            return static_cast<unsigned char>(0x80 + k);
    return std::nullopt;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        auto cp = NextCodePoint(utf8, i);
        if (!cp)
            return std::nullopt;
        auto byte = Cp1252FromCodePoint(*cp);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

namespace {

TypedTextConversion ConvertTyped(std::string_view utf8, bool refuseMarks) {
    TypedTextConversion result;
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        auto cp = NextCodePoint(utf8, i);
        if (!cp) {
            result.RefusedChar = "\xEF\xBF\xBD";
            result.Reason = "The text holds bytes that are not valid UTF-8 and can't be stored "
                            "in a guide.";
            return result;
        }
        const std::string shown(utf8.substr(start, i - start));
        auto byte = Cp1252FromCodePoint(*cp);
        if (!byte) {
            result.RefusedChar = shown;
            result.Reason =
                refuseMarks ? "The character \"" + shown + "\" (" + CodePointName(*cp) +
                                  ") can't be stored in a guide: the guide's Western European "
                                  "character set has no place for it."
                            : "The character \"" + shown + "\" (" + CodePointName(*cp) +
                                  ") can't be used here: the Western European character set has no "
                                  "place for it.";
            return result;
        }
        if (refuseMarks && IsReservedMarkByte(*byte)) {
            result.RefusedChar = shown;
            result.Reason = "The character \"" + shown + "\" (" + CodePointName(*cp) +
                            ") can't be used in a guide: the guide file reserves it to mark "
                            "the parts of a record.";
            return result;
        }
        out += static_cast<char>(*byte);
    }
    result.Accepted = true;
    result.Bytes = std::move(out);
    return result;
}

} // namespace

TypedTextConversion Utf8ToGuideText(std::string_view utf8) {
    return ConvertTyped(utf8, true);
}

TypedTextConversion Utf8ToCodePageText(std::string_view utf8) {
    return ConvertTyped(utf8, false);
}

std::string NormalizeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace dravenloom
