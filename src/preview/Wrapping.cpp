// Line breaking of a paragraph and the link markup of a response.
#include "preview/Wrapping.h"

#include "preview/Canvas.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace dravenloom {

namespace {

constexpr std::string_view LineBreak = "\r\n";

// A line always takes at least one character (or its line break): a capacity below two would
// otherwise hyphenate nothing forever.
constexpr long long SmallestCapacity = 2;

long long Capacity(std::string_view rest, double wrapWidth, const Canvas& measure) {
    const double average =
        std::trunc(static_cast<double>(measure.TextWidth(rest)) / static_cast<double>(rest.size()));
    const auto whole = static_cast<long long>(rest.size()) + 1;
    // An average of 0 (characters narrower than a pixel on average) fits any text on a line.
    if (!(average > 0))
        return whole;
    const double capacity = std::trunc(wrapWidth / average);
    if (capacity >= static_cast<double>(whole))
        return whole;
    return std::max(SmallestCapacity, static_cast<long long>(capacity));
}

// A text start near the top of the integer range must not wrap round to a negative top, which
// would put a response above the screen and could read as a free hit region.
void Advance(int& y, int by) {
    y = by > 0 && y > std::numeric_limits<int>::max() - by ? std::numeric_limits<int>::max()
                                                           : y + by;
}

} // namespace

void LayoutParagraph(const Paragraph& paragraph, const Canvas& measure, int& y, bool bold,
                     bool italic, std::vector<TextLine>& lines) {
    std::string_view rest = paragraph.Text;
    for (;;) {
        // Nothing left (an empty text, or a line that ended with a blank at the very end):
        // no line of its own, only the closing gap.
        if (rest.empty()) {
            Advance(y, paragraph.ClosingGap);
            return;
        }
        long long n = Capacity(rest, paragraph.WrapWidth, measure);
        std::string_view suffix;
        bool last = false;
        const auto length = static_cast<long long>(rest.size());
        if (length < n) {
            n = length;
            last = true;
        } else {
            const std::string_view head = rest.substr(0, static_cast<std::size_t>(n));
            const auto blank = head.rfind(' ');
            if (blank != std::string_view::npos) {
                if (head.find(LineBreak) == std::string_view::npos)
                    n = static_cast<long long>(blank) + 1;
            } else {
                n -= 1;
                suffix = "-";
            }
        }
        const auto lineBreak = rest.substr(0, static_cast<std::size_t>(n)).find(LineBreak);
        const bool endsAtBreak = lineBreak != std::string_view::npos;
        if (endsAtBreak) {
            n = static_cast<long long>(lineBreak);
            suffix = "";
            last = false;
        }

        const auto count = static_cast<std::size_t>(n);
        std::string text(rest.substr(0, count));
        text += suffix;
        int x = paragraph.X;
        if (paragraph.Centred) {
            // Measures n characters plus one per suffix character, as the published guide
            // does: the hyphen's place is taken by the character it stands for.
            const auto measured = rest.substr(0, std::min(rest.size(), count + suffix.size()));
            const int half = measure.TextWidth(measured) / 2;
            const double start = std::trunc(paragraph.WrapWidth * 0.5 - half);
            x = start < 3 ? 3 : static_cast<int>(start);
        }
        lines.push_back({x, y, std::move(text), bold, italic});

        if (last) {
            Advance(y, paragraph.ClosingGap);
            return;
        }
        Advance(y, paragraph.LineStep);
        if (endsAtBreak) {
            if (rest.size() < count + 3)
                return;
            rest.remove_prefix(count + 2);
        } else {
            rest.remove_prefix(count);
        }
    }
}

std::optional<LinkMarkup> FindLinkMarkup(std::string_view text) {
    constexpr std::string_view Opening = "[url:";
    std::size_t open = std::string_view::npos;
    for (std::size_t i = 0; i + Opening.size() <= text.size(); ++i) {
        bool same = true;
        for (std::size_t j = 0; j < Opening.size() && same; ++j)
            same = std::tolower(static_cast<unsigned char>(text[i + j])) == Opening[j];
        if (same) {
            open = i;
            break;
        }
    }
    const std::size_t close = text.find(']');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return std::nullopt;
    return LinkMarkup{open, close + 1 - open};
}

std::optional<ResponseLink> FindLink(std::string_view text) {
    constexpr std::size_t OpeningSize = 5; // "[url:"
    const std::optional<LinkMarkup> markup = FindLinkMarkup(text);
    if (!markup)
        return std::nullopt;
    const std::size_t start = markup->Offset + OpeningSize;
    const std::size_t close = markup->Offset + markup->Length - 1;
    ResponseLink link;
    link.Address = std::string(text.substr(start, close - start));
    link.Displayed = std::string(text.substr(0, markup->Offset));
    link.Displayed += text.substr(close + 1);
    return link;
}

} // namespace dravenloom
