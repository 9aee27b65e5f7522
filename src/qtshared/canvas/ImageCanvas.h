// ImageCanvas: the record screen's drawing surface as a QImage painted with QPainter, with
// geometry that does not depend on the display (fonts are sized for 96 dots per inch).
#pragma once

#include "preview/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace dravenloom {

// The family the canvas draws a face in: the face itself when it is installed, otherwise its
// metric-compatible free twin ("Times New Roman" -> "Liberation Serif", "Arial" -> "Liberation
// Sans", "Courier" -> "Liberation Mono"); any other face is handed on as named.
QString CanvasFontFamily(const std::string& face);

// The pixel height of a font of `points` points at 96 dots per inch, rounded as the window
// system rounds it (10 points -> 13 pixels, 11 -> 15, 15 -> 20).
int CanvasPixelSize(int points);

// The font the canvas draws with for a face, point size and style.
QFont CanvasFont(const std::string& face, int points, bool bold, bool italic);

class ImageCanvas : public Canvas {
public:
    ImageCanvas();

    // A new white image of that size; the same size keeps the picture as it is.
    void SetSize(int width, int height) override;
    void Fill(int x1, int y1, int x2, int y2) override;
    // The advance width of the text in whole pixels: the width of the cell DrawTextOpaque paints
    // and the distance the pen moves. The sum of the characters' advances, which the fonts'
    // whole-pixel advances without kerning or ligatures make exact (tests hold this).
    int TextWidth(std::string_view text) const override;
    void DrawTextOpaque(int x, int y, std::string_view text) override;
    // Only pictures of PictureFiles (ImagePicture) can be drawn; any other throws.
    void DrawPicture(int x, int y, const Picture& picture) override;
    void DrawButton(int x, int y, const ButtonPicture& button) override;

    void SetFontFace(const std::string& face) override;
    void SetFontSize(int points) override;
    int FontSize() const override { return Points; }
    void SetFontColour(Rgb colour) override { FontColour = colour; }
    void SetFontStyle(bool bold, bool italic) override;
    void SetBrushColour(Rgb colour) override { Brush = colour; }

    const QImage& Image() const { return Surface; }
    // The font texts are drawn and measured in now.
    QFont Font() const;
    // The height of a text cell: the font's ascent plus descent.
    int LineHeight() const;

private:
    struct Measure {
        QFont Font;
        QFontMetrics Metrics;
        // The advance of each code page byte, -1 until first asked for.
        mutable std::array<int, 256> Advances;
    };
    int Advance(const Measure& measure, unsigned char byte) const;
    // The part of the rectangle from (x1, y1) up to (x2, y2) on the surface; empty when none.
    QRect OnSurface(long long x1, long long y1, long long x2, long long y2) const;
    const Measure& Current() const;

    QImage Surface;
    std::string Face = "Times New Roman";
    int Points = 10;
    Rgb FontColour = Black;
    Rgb Brush = White;
    bool Bold = false;
    bool Italic = false;
    // One per style, rebuilt when the face or size changes: the screen switches between bold
    // and plain for every response, and measures once per laid-out line.
    mutable std::array<std::optional<Measure>, 4> Cached;
};

} // namespace dravenloom
