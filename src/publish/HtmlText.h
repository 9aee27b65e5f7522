// Text made safe inside an HTML page.
#pragma once

#include <string>
#include <string_view>

namespace dravenloom {

// "&", "<" and ">" as references: safe as the text of an element.
std::string EscapeHtmlText(std::string_view text);
// The same, and both quotes too: safe in an attribute value as well.
std::string EscapeHtml(std::string_view text);

} // namespace dravenloom
