// Colours as HTML writes them.
#include "publish/HtmlColor.h"

namespace dravenloom {
namespace {

constexpr const char* HexDigits = "0123456789ABCDEF";

void AppendHex(std::string& text, std::uint8_t value) {
    text += HexDigits[value >> 4];
    text += HexDigits[value & 0x0F];
}

int HexValue(char digit) {
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    return -1;
}

} // namespace

std::string HtmlColorText(const Rgb& colour) {
    std::string text = "#";
    AppendHex(text, colour.Red);
    AppendHex(text, colour.Green);
    AppendHex(text, colour.Blue);
    return text;
}

std::optional<Rgb> ReadHtmlColor(std::string_view text) {
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    std::uint8_t channels[3] = {};
    for (int i = 0; i < 3; ++i) {
        const int high = HexValue(text[1 + 2 * i]);
        const int low = HexValue(text[2 + 2 * i]);
        if (high < 0 || low < 0)
            return std::nullopt;
        channels[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return Rgb{channels[0], channels[1], channels[2]};
}

} // namespace dravenloom
