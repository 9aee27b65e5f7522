// The references that keep text from being read as markup.
#include "publish/HtmlText.h"

namespace dravenloom {
namespace {

std::string Escape(std::string_view text, bool quotes) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += quotes ? "&quot;" : "\"";
            break;
        case '\'':
            escaped += quotes ? "&#39;" : "'";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

std::string EscapeHtmlText(std::string_view text) {
    return Escape(text, false);
}

std::string EscapeHtml(std::string_view text) {
    return Escape(text, true);
}

} // namespace dravenloom
