// The record screen drawn into a QImage.
#include "qtshared/canvas/ImageCanvas.h"

#include "qtshared/canvas/PictureFiles.h"
#include "document/Cp1252.h"
#include "document/Errors.h"

#include <QColor>
#include <QFontDatabase>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace dravenloom {
namespace {

// 96 dots per inch in dots per metre (96 / 0.0254, rounded).
constexpr int DotsPerMetre96 = 3780;
// Beyond this a glyph is of no use on a 1279-pixel screen and only costs memory.
constexpr int LargestPixelSize = 2048;

QImage BlankImage(int width, int height) {
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMetre96);
    image.setDotsPerMeterY(DotsPerMetre96);
    if (!image.isNull())
        image.fill(Qt::white);
    return image;
}

// The device fonts are resolved and measured against: 96 dots per inch whatever the display.
const QImage& MeasuringDevice() {
    static const QImage device = BlankImage(1, 1);
    return device;
}

QColor ColourOf(Rgb colour) {
    return QColor(colour.Red, colour.Green, colour.Blue);
}

QString TextOf(std::string_view bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

} // namespace

QString CanvasFontFamily(const std::string& face) {
    static constexpr std::array<std::pair<const char*, const char*>, 3> Twins{{
        {"Times New Roman", "Liberation Serif"},
        {"Arial", "Liberation Sans"},
        {"Courier", "Liberation Mono"},
    }};
    const QString named = QString::fromStdString(Cp1252ToUtf8(face));
    if (QFontDatabase::hasFamily(named))
        return named;
    for (const auto& [original, twin] : Twins)
        if (face == original)
            return QString::fromLatin1(twin);
    return named;
}

int CanvasPixelSize(int points) {
    // points * 96 / 72 rounded half away from zero, in integers as the window system does it.
    const long long scaled = static_cast<long long>(points) * 96;
    const long long rounded = scaled >= 0 ? (scaled + 36) / 72 : -((-scaled + 36) / 72);
    return static_cast<int>(std::clamp<long long>(rounded, 1, LargestPixelSize));
}

QFont CanvasFont(const std::string& face, int points, bool bold, bool italic) {
    QFont font(CanvasFontFamily(face));
    font.setPixelSize(CanvasPixelSize(points));
    font.setBold(bold);
    font.setItalic(italic);
    // Whole-pixel advances and no pair kerning: a text is as wide as the sum of its
    // characters, so the average-width line breaking and the drawn text agree.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

ImageCanvas::ImageCanvas() = default;

void ImageCanvas::SetSize(int width, int height) {
    if (!Surface.isNull() && Surface.width() == width && Surface.height() == height)
        return;
    Surface = BlankImage(width, height);
}

QRect ImageCanvas::OnSurface(long long x1, long long y1, long long x2, long long y2) const {
    // Coordinates come from settings and records, anywhere in the integers: the rectangle is
    // cut to the surface in 64 bits, so that no corner computed from them overflows.
    x1 = std::max(x1, 0LL);
    y1 = std::max(y1, 0LL);
    x2 = std::min<long long>(x2, Surface.width());
    y2 = std::min<long long>(y2, Surface.height());
    if (x2 <= x1 || y2 <= y1)
        return {};
    return QRect(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2 - x1),
                 static_cast<int>(y2 - y1));
}

void ImageCanvas::Fill(int x1, int y1, int x2, int y2) {
    const QRect area = OnSurface(x1, y1, x2, y2);
    if (Surface.isNull() || area.isEmpty())
        return;
    QPainter painter(&Surface);
    painter.fillRect(area, ColourOf(Brush));
}

const ImageCanvas::Measure& ImageCanvas::Current() const {
    std::optional<Measure>& cached = Cached[(Bold ? 1U : 0U) + (Italic ? 2U : 0U)];
    if (!cached) {
        const QFont font = CanvasFont(Face, Points, Bold, Italic);
        // const_cast: QFontMetrics takes a non-const device but only reads its resolution.
        cached.emplace(
            Measure{font, QFontMetrics(font, const_cast<QImage*>(&MeasuringDevice())), {}});
        cached->Advances.fill(-1);
    }
    return *cached;
}

QFont ImageCanvas::Font() const {
    return Current().Font;
}

int ImageCanvas::LineHeight() const {
    return Current().Metrics.height();
}

int ImageCanvas::Advance(const Measure& measure, unsigned char byte) const {
    int& advance = measure.Advances[byte];
    if (advance < 0)
        advance = measure.Metrics.horizontalAdvance(
            TextOf(std::string_view(reinterpret_cast<const char*>(&byte), 1))[0]);
    return advance;
}

int ImageCanvas::TextWidth(std::string_view text) const {
    if (text.empty())
        return 0;
    const Measure& measure = Current();
    // The layout measures the whole rest of a text for every line it lays out: a table keeps
    // that linear in the text's length. Control characters (a tab, the code page's undefined
    // bytes) and the soft hyphen, which shows only where a line breaks, are laid out by the
    // font's shaping, so a text holding one is measured whole.
    long long width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || byte == 0x81 || byte == 0x8d || byte == 0x8f ||
            byte == 0x90 || byte == 0x9d || byte == 0xad)
            return measure.Metrics.horizontalAdvance(TextOf(text));
        width += Advance(measure, byte);
    }
    return static_cast<int>(std::min<long long>(width, std::numeric_limits<int>::max()));
}

void ImageCanvas::DrawTextOpaque(int x, int y, std::string_view text) {
    if (Surface.isNull() || text.empty())
        return;
    const Measure& measure = Current();
    // A text wholly off the surface (a text start near the largest number, say) draws
    // nothing; one that reaches it starts less than its own size away, so its baseline and
    // cell are plain ints.
    const QRect cell =
        OnSurface(x, y, 0LL + x + TextWidth(text), 0LL + y + measure.Metrics.height());
    if (cell.isEmpty())
        return;
    QPainter painter(&Surface);
    painter.fillRect(cell, ColourOf(Brush));
    painter.setFont(measure.Font);
    painter.setPen(ColourOf(FontColour));
    painter.drawText(QPoint(x, y + measure.Metrics.ascent()), TextOf(text));
}

void ImageCanvas::DrawPicture(int x, int y, const Picture& picture) {
    const auto* image = dynamic_cast<const ImagePicture*>(&picture);
    if (!image)
        throw DravenloomError("The canvas can only draw pictures it loaded itself");
    if (Surface.isNull() ||
        OnSurface(x, y, 0LL + x + image->Width(), 0LL + y + image->Height()).isEmpty())
        return;
    QPainter painter(&Surface);
    painter.drawImage(QPoint(x, y), image->Image());
}

void ImageCanvas::DrawButton(int x, int y, const ButtonPicture& button) {
    if (Surface.isNull() ||
        OnSurface(x, y, 0LL + x + ButtonPictureSize, 0LL + y + ButtonPictureSize).isEmpty())
        return;
    QImage picture(ButtonPictureSize, ButtonPictureSize, QImage::Format_RGB32);
    for (int row = 0; row < ButtonPictureSize; ++row)
        for (int column = 0; column < ButtonPictureSize; ++column) {
            const Rgb pixel = button.At(column, row);
            picture.setPixel(column, row, qRgb(pixel.Red, pixel.Green, pixel.Blue));
        }
    QPainter painter(&Surface);
    painter.drawImage(QPoint(x, y), picture);
}

void ImageCanvas::SetFontFace(const std::string& face) {
    Face = face;
    Cached = {};
}

void ImageCanvas::SetFontSize(int points) {
    Points = points;
    Cached = {};
}

void ImageCanvas::SetFontStyle(bool bold, bool italic) {
    Bold = bold;
    Italic = italic;
}

} // namespace dravenloom
