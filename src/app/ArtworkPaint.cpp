// Shared colours, fonts and drawing pieces of the program's painted pictures and icons.
#include "app/ArtworkPaint.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace dravenloom::art {

namespace {

QString FirstAvailable(std::initializer_list<const char*> candidates, QFont::StyleHint hint) {
    const QStringList families = QFontDatabase::families();
    for (const char* candidate : candidates) {
        const QString family = QString::fromLatin1(candidate);
        if (families.contains(family, Qt::CaseInsensitive))
            return family;
    }
    QFont fallback;
    fallback.setStyleHint(hint);
    return fallback.defaultFamily();
}

// A thread of the emblem: a dark under-stroke gives the "passes over" gap of weaving.
void PaintThread(QPainter& painter, const QPainterPath& path, double width, bool over) {
    painter.setBrush(Qt::NoBrush);
    if (over) {
        QPen gap(QColor(0x0B, 0x3A, 0x4C), width * 2.1, Qt::SolidLine, Qt::RoundCap);
        painter.setPen(gap);
        painter.drawPath(path);
    }
    QPen shade(QColor(0, 0, 0, 70), width * 1.35, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(shade);
    painter.drawPath(path.translated(0, width * 0.25));
    QPen thread(Cream(), width, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(thread);
    painter.drawPath(path);
}

void PaintKnot(QPainter& painter, const QPointF& centre, double radius) {
    QRadialGradient glow(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
    glow.setColorAt(0.0, QColor(0xFF, 0xF1, 0xC8));
    glow.setColorAt(0.45, LightAmber());
    glow.setColorAt(0.8, Amber());
    glow.setColorAt(1.0, DarkAmber());
    painter.setPen(QPen(QColor(0x6E, 0x3C, 0x08, 200), radius * 0.16));
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

QString SerifFamily() {
    static const QString family =
        FirstAvailable({"Liberation Serif", "DejaVu Serif", "Times New Roman"}, QFont::Serif);
    return family;
}

QString SansFamily() {
    static const QString family =
        FirstAvailable({"Liberation Sans", "DejaVu Sans", "Arial"}, QFont::SansSerif);
    return family;
}

void PaintEmblem(QPainter& painter, const QRectF& box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / 100.0, box.height() / 100.0);
    const bool small = box.width() < 30;

    // Tile with a soft drop shadow.
    const QRectF tile(5, 4, 90, 90);
    if (!small) {
        for (int i = 3; i >= 1; --i) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0, 0, 0, 22));
            painter.drawRoundedRect(tile.translated(0, i * 1.0).adjusted(-i * 0.5, 0, i * 0.5, 0),
                                    22, 22);
        }
    }
    QLinearGradient body(tile.topLeft(), tile.bottomRight());
    body.setColorAt(0.0, QColor(0x23, 0x9A, 0xA4));
    body.setColorAt(0.5, Teal());
    body.setColorAt(1.0, Navy());
    painter.setPen(QPen(QColor(0x06, 0x2A, 0x3A), small ? 4.0 : 1.6));
    painter.setBrush(body);
    painter.drawRoundedRect(tile, 22, 22);

    // Glossy light across the upper half.
    QPainterPath gloss;
    gloss.moveTo(tile.left() + 6, tile.top() + 24);
    gloss.cubicTo(tile.left() + 6, tile.top() + 8, tile.left() + 14, tile.top() + 4,
                  tile.left() + 28, tile.top() + 4);
    gloss.lineTo(tile.right() - 28, tile.top() + 4);
    gloss.cubicTo(tile.right() - 14, tile.top() + 4, tile.right() - 6, tile.top() + 8,
                  tile.right() - 6, tile.top() + 24);
    gloss.cubicTo(tile.right() - 30, tile.top() + 40, tile.left() + 30, tile.top() + 40,
                  tile.left() + 6, tile.top() + 24);
    QLinearGradient shine(0, tile.top(), 0, tile.top() + 40);
    shine.setColorAt(0.0, QColor(255, 255, 255, 95));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawPath(gloss);

    // The threads: one record branching into two, whose paths cross and weave below.
    const QPointF root(50, 22), left(27, 50), right(73, 50), lowLeft(31, 79), lowRight(69, 79);
    const double width = small ? 9.0 : 5.2;
    QPainterPath toLeft(root);
    toLeft.cubicTo(40, 26, 28, 36, left.x(), left.y());
    QPainterPath toRight(root);
    toRight.cubicTo(60, 26, 72, 36, right.x(), right.y());
    QPainterPath leftDown(left);
    leftDown.cubicTo(30, 68, 62, 64, lowRight.x(), lowRight.y());
    QPainterPath rightDown(right);
    rightDown.cubicTo(70, 68, 38, 64, lowLeft.x(), lowLeft.y());
    PaintThread(painter, toLeft, width, false);
    PaintThread(painter, toRight, width, false);
    PaintThread(painter, rightDown, width, false);
    PaintThread(painter, leftDown, width, !small);

    PaintKnot(painter, root, small ? 11.5 : 8.8);
    if (!small) {
        PaintKnot(painter, left, 6.6);
        PaintKnot(painter, right, 6.6);
        PaintKnot(painter, lowLeft, 6.0);
        PaintKnot(painter, lowRight, 6.0);
    }
    painter.restore();
}

void PaintThreads(QPainter& painter, const QRectF& area, const QColor& colour, int count,
                  double phase) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const double step = area.height() / std::max(count, 1);
    for (int i = 0; i < count; ++i) {
        const double y = area.top() + (i + 0.5) * step;
        const double swing = step * (0.9 + 0.5 * std::sin(phase + i * 1.7));
        QPainterPath warp(QPointF(area.left(), y));
        warp.cubicTo(area.left() + area.width() * 0.3, y - swing, area.left() + area.width() * 0.6,
                     y + swing, area.right(), y - swing * 0.3);
        QColor c = colour;
        c.setAlphaF(colour.alphaF() * (0.55 + 0.45 * std::fabs(std::sin(phase * 0.7 + i))));
        painter.setPen(QPen(c, i % 3 == 0 ? 1.6 : 1.1));
        painter.drawPath(warp);

        QPainterPath weft(QPointF(area.left(), y + step * 0.5));
        weft.cubicTo(area.left() + area.width() * 0.35, y + step * 0.5 + swing * 1.2,
                     area.left() + area.width() * 0.7, y - swing, area.right(), y + swing * 0.6);
        c.setAlphaF(colour.alphaF() * 0.6);
        painter.setPen(QPen(c, 0.9));
        painter.drawPath(weft);
    }
    painter.restore();
}

void PaintShadowedText(QPainter& painter, const QPointF& baseline, const QFont& font,
                       const QString& text, const QBrush& fill, const QColor& shadow) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addText(baseline, font, text);
    painter.setPen(Qt::NoPen);
    const QPointF offsets[] = {{0.0, 2.6}, {1.2, 1.8}, {-0.6, 1.8}, {0.6, 1.0}};
    for (const QPointF& offset : offsets) {
        QColor c = shadow;
        c.setAlphaF(shadow.alphaF() * 0.35);
        painter.setBrush(c);
        painter.drawPath(path.translated(offset));
    }
    painter.setBrush(fill);
    painter.drawPath(path);
    painter.restore();
}

void PaintSheet(QPainter& painter, const QRectF& sheet, double fold) {
    painter.save();
    QPainterPath outline(sheet.topLeft());
    outline.lineTo(sheet.right() - fold, sheet.top());
    outline.lineTo(sheet.right(), sheet.top() + fold);
    outline.lineTo(sheet.bottomRight());
    outline.lineTo(sheet.bottomLeft());
    outline.closeSubpath();
    QLinearGradient paper(sheet.topLeft(), sheet.bottomRight());
    paper.setColorAt(0.0, Qt::white);
    paper.setColorAt(1.0, QColor(0xE2, 0xEA, 0xEE));
    painter.setPen(
        QPen(QColor(0x4E, 0x62, 0x70), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    painter.setBrush(paper);
    painter.drawPath(outline);

    QPainterPath corner(QPointF(sheet.right() - fold, sheet.top()));
    corner.lineTo(sheet.right() - fold, sheet.top() + fold);
    corner.lineTo(sheet.right(), sheet.top() + fold);
    corner.closeSubpath();
    QLinearGradient curl(QPointF(sheet.right() - fold, sheet.top() + fold),
                         QPointF(sheet.right() - fold * 0.4, sheet.top() + fold * 0.4));
    curl.setColorAt(0.0, QColor(0xF4, 0xF7, 0xF9));
    curl.setColorAt(1.0, QColor(0xB8, 0xC7, 0xD0));
    painter.setBrush(curl);
    painter.drawPath(corner);
    painter.restore();
}

QImage RenderGlyph(int pixels, double units, const std::function<void(QPainter&)>& paint) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(pixels / units, pixels / units);
    paint(painter);
    painter.end();
    return image;
}

QImage DisabledGlyph(const QImage& image) {
    QImage faded = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < faded.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(faded.scanLine(y));
        for (int x = 0; x < faded.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = 120 + qGray(pixel) * 120 / 255;
            line[x] = qRgba(grey, grey, grey + 4, qAlpha(pixel) * 55 / 100);
        }
    }
    return faded;
}

QIcon GlyphIcon(int units, const std::function<void(QPainter&)>& paint) {
    QIcon icon;
    for (int scale : {1, 2}) {
        const QImage image = RenderGlyph(units * scale, units, paint);
        icon.addPixmap(QPixmap::fromImage(image), QIcon::Normal);
        icon.addPixmap(QPixmap::fromImage(DisabledGlyph(image)), QIcon::Disabled);
    }
    return icon;
}

} // namespace dravenloom::art
