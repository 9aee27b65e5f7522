// Shared colours, fonts and drawing pieces of the program's painted pictures and icons.
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <functional>

namespace dravenloom::art {

// The house colours: deep blues and teals with warm amber accents.
inline QColor Navy() {
    return QColor(0x0A, 0x24, 0x3F);
}
inline QColor DeepTeal() {
    return QColor(0x0E, 0x4E, 0x5E);
}
inline QColor Teal() {
    return QColor(0x17, 0x7E, 0x8A);
}
inline QColor LightTeal() {
    return QColor(0x86, 0xC9, 0xCE);
}
inline QColor Mist() {
    return QColor(0xE8, 0xF4, 0xF5);
}
inline QColor Amber() {
    return QColor(0xF2, 0xA3, 0x32);
}
inline QColor LightAmber() {
    return QColor(0xFF, 0xD6, 0x85);
}
inline QColor DarkAmber() {
    return QColor(0xB5, 0x67, 0x10);
}
inline QColor Cream() {
    return QColor(0xFF, 0xF8, 0xEA);
}
inline QColor Ink() {
    return QColor(0x1E, 0x2B, 0x36);
}

// A serif family for the product name ("Liberation Serif", else "DejaVu Serif", else any serif).
QString SerifFamily();
// A clean sans-serif family for small print.
QString SansFamily();

// The Dravenloom emblem: a rounded teal tile with threads woven between amber knots.
void PaintEmblem(QPainter& painter, const QRectF& box);

// Soft woven threads across an area, used behind the splash and on the page background.
void PaintThreads(QPainter& painter, const QRectF& area, const QColor& colour, int count,
                  double phase);

// Text drawn as a filled path with a soft shadow beneath it.
void PaintShadowedText(QPainter& painter, const QPointF& baseline, const QFont& font,
                       const QString& text, const QBrush& fill, const QColor& shadow);

// A sheet of paper with a folded top-right corner.
void PaintSheet(QPainter& painter, const QRectF& sheet, double fold);

// Paints a glyph drawn on a 32-unit square into an image of `pixels` square.
QImage RenderGlyph(int pixels, double units, const std::function<void(QPainter&)>& paint);

// The greyed, faded form of a glyph for disabled buttons.
QImage DisabledGlyph(const QImage& image);

// An icon of `units` logical size with normal and disabled modes at single and double density.
QIcon GlyphIcon(int units, const std::function<void(QPainter&)>& paint);

} // namespace dravenloom::art
