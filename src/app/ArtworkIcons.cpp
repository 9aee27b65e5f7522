// The program's icons: toolbar glyphs, Logic View node pictures, magnifier, application icon.
#include "app/Artwork.h"

#include "app/ArtworkPaint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <initializer_list>

namespace dravenloom {

using namespace art;

namespace {

QPen Outline(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Ruled text lines on a sheet.
void PaintTextLines(QPainter& painter, double left, double top, double gap,
                    std::initializer_list<double> lengths, double width) {
    painter.setPen(Outline(QColor(0x5D, 0x8E, 0x9A), width));
    double y = top;
    for (double length : lengths) {
        painter.drawLine(QPointF(left, y), QPointF(left + length, y));
        y += gap;
    }
}

// A pencil lying along +x from its tip at the origin.
void PaintPencilShape(QPainter& painter, bool shadow) {
    QPainterPath tip(QPointF(0, 0));
    tip.lineTo(5.5, -2.8);
    tip.lineTo(5.5, 2.8);
    tip.closeSubpath();
    const QRectF body(5.5, -2.8, 12.5, 5.6);
    const QRectF ferrule(18, -2.9, 2.6, 5.8);
    const QRectF eraser(20.6, -2.8, 3.2, 5.6);
    if (shadow) {
        QPainterPath all = tip;
        all.addRect(body);
        all.addRect(ferrule);
        all.addRoundedRect(eraser, 1.2, 1.2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 55));
        painter.drawPath(all.simplified());
        return;
    }
    const QPen edge = Outline(QColor(0x5A, 0x34, 0x0C), 0.7);
    QLinearGradient wood(0, -2.8, 0, 2.8);
    wood.setColorAt(0.0, QColor(0xFB, 0xE7, 0xC4));
    wood.setColorAt(1.0, QColor(0xE0, 0xB7, 0x7A));
    painter.setPen(edge);
    painter.setBrush(wood);
    painter.drawPath(tip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2A, 0x2F, 0x36));
    QPainterPath lead(QPointF(0, 0));
    lead.lineTo(2.0, -1.0);
    lead.lineTo(2.0, 1.0);
    lead.closeSubpath();
    painter.drawPath(lead);

    QLinearGradient paint(0, -2.8, 0, 2.8);
    paint.setColorAt(0.0, LightAmber());
    paint.setColorAt(0.45, Amber());
    paint.setColorAt(1.0, DarkAmber());
    painter.setPen(edge);
    painter.setBrush(paint);
    painter.drawRect(body);
    painter.setPen(Outline(QColor(0xFF, 0xF0, 0xD0, 160), 0.6));
    painter.drawLine(QPointF(6.2, -1.0), QPointF(17.4, -1.0));

    QLinearGradient metal(0, -2.9, 0, 2.9);
    metal.setColorAt(0.0, QColor(0xF2, 0xF4, 0xF6));
    metal.setColorAt(0.5, QColor(0xA9, 0xB3, 0xBC));
    metal.setColorAt(1.0, QColor(0x6C, 0x77, 0x82));
    painter.setPen(Outline(QColor(0x4A, 0x52, 0x5A), 0.6));
    painter.setBrush(metal);
    painter.drawRect(ferrule);

    QLinearGradient rubber(0, -2.8, 0, 2.8);
    rubber.setColorAt(0.0, QColor(0xF6, 0xB3, 0xA8));
    rubber.setColorAt(1.0, QColor(0xC9, 0x5E, 0x52));
    painter.setPen(Outline(QColor(0x7A, 0x2E, 0x26), 0.6));
    painter.setBrush(rubber);
    painter.drawRoundedRect(eraser, 1.2, 1.2);
}

void PaintEditGlyph(QPainter& painter) {
    PaintSheet(painter, QRectF(4.5, 2.5, 19, 25), 6);
    PaintTextLines(painter, 8, 11, 3.6, {12, 12, 9, 11, 6}, 1.3);
    painter.save();
    painter.translate(13.5, 29);
    painter.rotate(-45);
    painter.save();
    painter.translate(0.6, 1.4);
    PaintPencilShape(painter, true);
    painter.restore();
    PaintPencilShape(painter, false);
    painter.restore();
}

void PaintTreeNode(QPainter& painter, const QRectF& box, const QColor& light, const QColor& dark) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawRoundedRect(box.translated(0.5, 0.9), 1.8, 1.8);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.0, light);
    fill.setColorAt(1.0, dark);
    painter.setPen(Outline(dark.darker(160), 0.8));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, 1.8, 1.8);
    painter.setPen(Outline(QColor(255, 255, 255, 200), 0.9));
    const double y = box.center().y();
    painter.drawLine(QPointF(box.left() + 2, y), QPointF(box.right() - 2.2, y));
}

void PaintLogicGlyph(QPainter& painter) {
    painter.setPen(Outline(QColor(0x2C, 0x4A, 0x5A), 1.6));
    painter.setBrush(Qt::NoBrush);
    QPainterPath links;
    links.moveTo(16, 9.5);
    links.lineTo(16, 12.5);
    links.moveTo(7, 15.5);
    links.lineTo(7, 12.5);
    links.lineTo(23, 12.5);
    links.lineTo(23, 15.5);
    links.moveTo(23, 21.5);
    links.lineTo(23, 23.5);
    links.moveTo(17, 25.5);
    links.lineTo(17, 23.5);
    links.lineTo(28, 23.5);
    links.lineTo(28, 25.5);
    painter.drawPath(links);

    const QColor tealLight(0x4F, 0xB8, 0xC2), amberLight(0xFF, 0xD3, 0x7A);
    PaintTreeNode(painter, QRectF(9.5, 2, 13, 7.5), tealLight, DeepTeal());
    PaintTreeNode(painter, QRectF(1.5, 15.5, 11, 6), amberLight, DarkAmber());
    PaintTreeNode(painter, QRectF(17.5, 15.5, 11, 6), tealLight, Teal());
    PaintTreeNode(painter, QRectF(12.5, 25.5, 9, 5.5), amberLight, Amber().darker(115));
    PaintTreeNode(painter, QRectF(23.5, 25.5, 8, 5.5), tealLight, Teal());
}

void PaintHtmlGlyph(QPainter& painter) {
    PaintSheet(painter, QRectF(3.5, 2.5, 21, 26), 6.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Outline(QColor(0, 0, 0, 40), 3.2));
    QPolygonF open{{QPointF(10.5, 11.5), QPointF(6, 16), QPointF(10.5, 20.5)}};
    QPolygonF close{{QPointF(17.5, 11.5), QPointF(22, 16), QPointF(17.5, 20.5)}};
    painter.drawPolyline(open.translated(0.4, 0.8));
    painter.drawPolyline(close.translated(0.4, 0.8));
    painter.setPen(Outline(DeepTeal(), 2.5));
    painter.drawPolyline(open);
    painter.drawPolyline(close);
    painter.setPen(Outline(DarkAmber(), 2.2));
    painter.drawLine(QPointF(15.8, 9.5), QPointF(12.2, 22.5));

    // A spark at the corner: the tag is generated.
    QPainterPath spark;
    const QPointF c(26, 25.5);
    spark.moveTo(c + QPointF(0, -5.8));
    spark.quadTo(c + QPointF(0.9, -0.9), c + QPointF(5.8, 0));
    spark.quadTo(c + QPointF(0.9, 0.9), c + QPointF(0, 5.8));
    spark.quadTo(c + QPointF(-0.9, 0.9), c + QPointF(-5.8, 0));
    spark.quadTo(c + QPointF(-0.9, -0.9), c + QPointF(0, -5.8));
    QRadialGradient glow(c, 5.8);
    glow.setColorAt(0.0, Qt::white);
    glow.setColorAt(0.35, LightAmber());
    glow.setColorAt(1.0, Amber());
    painter.setPen(Outline(DarkAmber(), 0.7));
    painter.setBrush(glow);
    painter.drawPath(spark);
}

void PaintDemoGlyph(QPainter& painter) {
    // Stand.
    QLinearGradient steel(0, 23, 0, 31);
    steel.setColorAt(0.0, QColor(0xC5, 0xCD, 0xD4));
    steel.setColorAt(1.0, QColor(0x6D, 0x78, 0x83));
    painter.setPen(Outline(QColor(0x3F, 0x48, 0x52), 0.8));
    painter.setBrush(steel);
    painter.drawPolygon(
        QPolygonF{{QPointF(13, 23), QPointF(19, 23), QPointF(20.5, 27.5), QPointF(11.5, 27.5)}});
    painter.drawRoundedRect(QRectF(7.5, 27, 17, 3.2), 1.6, 1.6);

    // Bezel and screen.
    const QRectF bezel(1.5, 3.5, 29, 21);
    QLinearGradient frame(bezel.topLeft(), bezel.bottomLeft());
    frame.setColorAt(0.0, QColor(0x3A, 0x4F, 0x63));
    frame.setColorAt(1.0, QColor(0x0F, 0x1C, 0x2A));
    painter.setPen(Outline(QColor(0x08, 0x10, 0x18), 0.9));
    painter.setBrush(frame);
    painter.drawRoundedRect(bezel, 2.6, 2.6);
    const QRectF screen(4, 6, 24, 15.5);
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0.0, QColor(0x5C, 0xC4, 0xCD));
    glass.setColorAt(0.6, Teal());
    glass.setColorAt(1.0, DeepTeal());
    painter.setPen(Qt::NoPen);
    painter.setBrush(glass);
    painter.drawRect(screen);
    QPainterPath gloss(screen.topLeft());
    gloss.lineTo(screen.right(), screen.top());
    gloss.lineTo(screen.right(), screen.top() + 3);
    gloss.lineTo(screen.left(), screen.top() + 9);
    gloss.closeSubpath();
    painter.setBrush(QColor(255, 255, 255, 45));
    painter.drawPath(gloss);

    // Play button.
    const QPointF centre = screen.center();
    QRadialGradient disc(centre - QPointF(1.5, 2), 7);
    disc.setColorAt(0.0, LightAmber());
    disc.setColorAt(1.0, DarkAmber());
    painter.setPen(Outline(QColor(0x6E, 0x3C, 0x08), 0.8));
    painter.setBrush(disc);
    painter.drawEllipse(centre, 5.6, 5.6);
    painter.setPen(Outline(QColor(0xFF, 0xFF, 0xFF), 0.6));
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF{
        {centre + QPointF(-1.7, -3), centre + QPointF(3.2, 0), centre + QPointF(-1.7, 3)}});
}

void PaintUploadGlyph(QPainter& painter) {
    QPainterPath cloud;
    for (const QRectF& puff :
         {QRectF(3, 11, 13, 13), QRectF(9.3, 4.3, 16.4, 16.4), QRectF(18.7, 11.2, 11.6, 11.6)}) {
        QPainterPath round;
        round.addEllipse(puff);
        cloud = cloud.united(round);
    }
    QPainterPath base;
    base.addRoundedRect(QRectF(9, 15, 16, 9), 3, 3);
    cloud = cloud.united(base);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawPath(cloud.translated(0.6, 1.2));
    QLinearGradient sky(0, 4, 0, 24);
    sky.setColorAt(0.0, Qt::white);
    sky.setColorAt(1.0, QColor(0xBF, 0xE0, 0xE6));
    painter.setPen(Outline(Teal(), 1.2));
    painter.setBrush(sky);
    painter.drawPath(cloud);

    QPolygonF arrow{{QPointF(16, 9.5), QPointF(23, 17.5), QPointF(19, 17.5), QPointF(19, 30),
                     QPointF(13, 30), QPointF(13, 17.5), QPointF(9, 17.5)}};
    QLinearGradient warm(9, 0, 23, 0);
    warm.setColorAt(0.0, LightAmber());
    warm.setColorAt(0.5, Amber());
    warm.setColorAt(1.0, DarkAmber());
    painter.setPen(Outline(QColor(0x7A, 0x44, 0x0A), 1.0));
    painter.setBrush(warm);
    painter.drawPolygon(arrow);
    painter.setPen(Outline(QColor(255, 255, 255, 150), 0.8));
    painter.drawLine(QPointF(14.2, 19), QPointF(14.2, 28.5));
}

void PaintExitGlyph(QPainter& painter) {
    // Frame with warm light beyond the open door.
    const QRectF frame(4.5, 2.5, 16, 27);
    painter.setPen(Outline(QColor(0x06, 0x22, 0x2E), 1.0));
    painter.setBrush(DeepTeal());
    painter.drawRect(frame);
    const QRectF opening = frame.adjusted(2, 2, -2, 0);
    QLinearGradient light(opening.topLeft(), opening.bottomRight());
    light.setColorAt(0.0, Cream());
    light.setColorAt(1.0, LightAmber());
    painter.setPen(Qt::NoPen);
    painter.setBrush(light);
    painter.drawRect(opening);

    // The door, swung in on its left hinge.
    QPolygonF door{{QPointF(6.5, 4.5), QPointF(13.5, 7), QPointF(13.5, 27.5), QPointF(6.5, 29.5)}};
    QLinearGradient panel(6.5, 0, 13.5, 0);
    panel.setColorAt(0.0, QColor(0x2A, 0x9C, 0xA6));
    panel.setColorAt(1.0, Teal().darker(130));
    painter.setPen(Outline(QColor(0x06, 0x22, 0x2E), 0.9));
    painter.setBrush(panel);
    painter.drawPolygon(door);
    painter.setPen(Qt::NoPen);
    painter.setBrush(LightAmber());
    painter.drawEllipse(QPointF(11.8, 17.5), 1.0, 1.2);

    // The way out.
    QPolygonF arrow{{QPointF(14.5, 13.5), QPointF(22, 13.5), QPointF(22, 9.5), QPointF(30.5, 16.5),
                     QPointF(22, 23.5), QPointF(22, 19.5), QPointF(14.5, 19.5)}};
    painter.setBrush(QColor(0, 0, 0, 50));
    painter.drawPolygon(arrow.translated(0.6, 1.0));
    QLinearGradient red(0, 9.5, 0, 23.5);
    red.setColorAt(0.0, QColor(0xF5, 0x86, 0x5E));
    red.setColorAt(1.0, QColor(0xC2, 0x37, 0x1C));
    painter.setPen(Outline(QColor(0x6E, 0x17, 0x08), 1.0));
    painter.setBrush(red);
    painter.drawPolygon(arrow);
}

void PaintSmallSheet(QPainter& painter, double left) {
    PaintSheet(painter, QRectF(left, 1.5, 10, 13), 3.5);
    PaintTextLines(painter, left + 2, 6.5, 2.4, {6, 6, 4}, 0.9);
}

void PaintRecordNode(QPainter& painter) {
    PaintSmallSheet(painter, 3);
}

void PaintJumpNode(QPainter& painter) {
    PaintSmallSheet(painter, 5.5);
    QPolygonF arrow{{QPointF(0.5, 6.8), QPointF(5, 6.8), QPointF(5, 4.3), QPointF(9.6, 8),
                     QPointF(5, 11.7), QPointF(5, 9.2), QPointF(0.5, 9.2)}};
    QLinearGradient warm(0, 4.3, 0, 11.7);
    warm.setColorAt(0.0, LightAmber());
    warm.setColorAt(1.0, DarkAmber());
    painter.setPen(Outline(QColor(0x6E, 0x3C, 0x08), 0.7));
    painter.setBrush(warm);
    painter.drawPolygon(arrow);
}

void PaintEndNode(QPainter& painter) {
    PaintSmallSheet(painter, 1.5);
    painter.setPen(Outline(QColor(0x33, 0x33, 0x38), 1.0));
    painter.drawLine(QPointF(11, 6), QPointF(11, 15.2));
    QPolygonF flag{{QPointF(11, 5.5), QPointF(15.6, 7.6), QPointF(11, 10)}};
    QLinearGradient red(0, 5.5, 0, 10);
    red.setColorAt(0.0, QColor(0xF2, 0x6B, 0x4E));
    red.setColorAt(1.0, QColor(0xB3, 0x2A, 0x17));
    painter.setPen(Outline(QColor(0x6E, 0x17, 0x08), 0.6));
    painter.setBrush(red);
    painter.drawPolygon(flag);
}

void PaintMagnifier(QPainter& painter) {
    painter.setPen(Outline(QColor(0x3A, 0x22, 0x08), 3.4));
    painter.drawLine(QPointF(10.2, 10.2), QPointF(14.2, 14.2));
    painter.setPen(Outline(Amber(), 2.0));
    painter.drawLine(QPointF(10.2, 10.2), QPointF(14.2, 14.2));

    const QPointF centre(6.5, 6.5);
    QRadialGradient lens(centre - QPointF(1.4, 1.4), 5.2);
    lens.setColorAt(0.0, Qt::white);
    lens.setColorAt(1.0, QColor(0xB4, 0xDD, 0xE3));
    painter.setPen(Outline(DeepTeal(), 1.5));
    painter.setBrush(lens);
    painter.drawEllipse(centre, 4.7, 4.7);
    painter.setPen(Outline(QColor(255, 255, 255, 230), 0.9));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(3.6, 3.6, 5.8, 5.8), 100 * 16, 70 * 16);
}

// A small framed picture: a sky, an amber sun and a teal hill.
void PaintPictureMark(QPainter& painter) {
    const QRectF frame(1.5, 3.5, 13.0, 10.0);
    QLinearGradient sky(frame.topLeft(), frame.bottomLeft());
    sky.setColorAt(0.0, Mist());
    sky.setColorAt(1.0, LightTeal());
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRect(frame);
    painter.setBrush(Amber());
    painter.drawEllipse(QPointF(10.5, 6.8), 1.8, 1.8);
    QPainterPath hill;
    hill.moveTo(frame.left(), frame.bottom());
    hill.lineTo(5.2, 8.2);
    hill.lineTo(8.4, 11.0);
    hill.lineTo(10.4, 9.4);
    hill.lineTo(frame.right(), frame.bottom());
    hill.closeSubpath();
    painter.setBrush(Teal());
    painter.drawPath(hill);
    painter.setPen(Outline(Navy(), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
}

} // namespace

QIcon ToolbarIcon(ToolbarGlyph glyph) {
    switch (glyph) {
    case ToolbarGlyph::EditView:
        return GlyphIcon(32, PaintEditGlyph);
    case ToolbarGlyph::LogicView:
        return GlyphIcon(32, PaintLogicGlyph);
    case ToolbarGlyph::GenerateHtml:
        return GlyphIcon(32, PaintHtmlGlyph);
    case ToolbarGlyph::Demonstration:
        return GlyphIcon(32, PaintDemoGlyph);
    case ToolbarGlyph::UploadFiles:
        return GlyphIcon(32, PaintUploadGlyph);
    case ToolbarGlyph::Exit:
        return GlyphIcon(32, PaintExitGlyph);
    }
    return {};
}

QIcon TreeNodeIcon(int index) {
    switch (index) {
    case 1:
        return GlyphIcon(16, PaintJumpNode);
    case 2:
        return GlyphIcon(16, PaintEndNode);
    default:
        return GlyphIcon(16, PaintRecordNode);
    }
}

QIcon MagnifierIcon() {
    return GlyphIcon(16, PaintMagnifier);
}

QIcon PictureMarkIcon() {
    return GlyphIcon(16, PaintPictureMark);
}

QImage ApplicationIconImage(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintEmblem(painter, QRectF(0, 0, pixels, pixels));
    painter.end();
    return image;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(ApplicationIconImage(size)));
    return icon;
}

} // namespace dravenloom
