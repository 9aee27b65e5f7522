// Colours as HTML writes them: "#" and the red, green and blue channels in hexadecimal.
#pragma once

#include "document/Rgb.h"

#include <optional>
#include <string>
#include <string_view>

namespace dravenloom {

// "#" followed by red, green and blue as two upper-case hexadecimal digits each: white gives
// "#FFFFFF", pure red "#FF0000".
std::string HtmlColorText(const Rgb& colour);

// Reads "#RRGGBB" back (either case of hexadecimal digit); nothing for any other text.
std::optional<Rgb> ReadHtmlColor(std::string_view text);

} // namespace dravenloom
