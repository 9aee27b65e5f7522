// The line breaking of one paragraph of the record screen, and the link markup of responses.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {

class Canvas;

// One drawn string of the screen.
struct TextLine {
    int X = 0;
    int Y = 0;
    std::string Text;
    bool Bold = false;
    bool Italic = false;

    bool operator==(const TextLine&) const = default;
};

struct Paragraph {
    std::string_view Text;
    double WrapWidth = 0; // the capacity of a line comes from it
    int ClosingGap = 0;   // added below the last line
    int LineStep = 0;     // added below every other line
    int X = 0;
    bool Centred = false; // centred on WrapWidth, never left of x = 3
};

// Lays the paragraph out from y on, measuring with the canvas's current font, and appends its
// lines; y ends below the paragraph. The capacity of a line is estimated from the average
// character width of the text still to draw, measured once per line, as the published guide
// does, so that lines break where the reader will see them break.
void LayoutParagraph(const Paragraph& paragraph, const Canvas& measure, int& y, bool bold,
                     bool italic, std::vector<TextLine>& lines);

struct ResponseLink {
    std::string Address;   // as written between "[url:" and "]"
    std::string Displayed; // the text without the markup
};

// The link a response text carries: the first "[url:" in any case and the first "]" after it;
// a "]" before the markup means no link.
std::optional<ResponseLink> FindLink(std::string_view text);

// Where FindLink finds the markup: the offset of its "[url:" and the length up to and with its
// "]"; nothing when the text carries no link.
struct LinkMarkup {
    std::size_t Offset = 0;
    std::size_t Length = 0;
};
std::optional<LinkMarkup> FindLinkMarkup(std::string_view text);

} // namespace dravenloom
