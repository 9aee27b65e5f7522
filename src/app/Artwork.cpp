// The program's pictures: start-up picture, about-box and wizard pictures, page background.
#include "app/Artwork.h"

#include "app/ArtworkPaint.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace dravenloom {

using namespace art;

namespace {

const QString ProductName = QStringLiteral("Dravenloom");
const QString Tagline = QStringLiteral("Interactive web guides");
const QString Maker = QStringLiteral("Korvessa Software");

// The deep night-teal ground shared by the splash and about pictures, with a warm glow and
// faint woven threads.
void PaintBrandGround(QPainter& painter, const QRectF& area, const QPointF& glowAt) {
    QLinearGradient ground(area.topLeft(), area.bottomRight());
    ground.setColorAt(0.0, QColor(0x0B, 0x2C, 0x4A));
    ground.setColorAt(0.55, DeepTeal());
    ground.setColorAt(1.0, QColor(0x12, 0x6A, 0x74));
    painter.fillRect(area, ground);

    QRadialGradient glow(glowAt, area.width() * 0.6);
    glow.setColorAt(0.0, QColor(0xF2, 0xA3, 0x32, 70));
    glow.setColorAt(0.5, QColor(0xF2, 0xA3, 0x32, 18));
    glow.setColorAt(1.0, QColor(0xF2, 0xA3, 0x32, 0));
    painter.fillRect(area, glow);

    PaintThreads(painter, area.adjusted(-30, 10, 30, -10), QColor(0x86, 0xC9, 0xCE, 46), 9, 0.4);

    QRadialGradient vignette(area.center(), area.width() * 0.75);
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0x08, 0x14, 110));
    painter.fillRect(area, vignette);
}

// The darker band along the bottom edge, with an amber hairline on top.
void PaintFootBand(QPainter& painter, const QRectF& band) {
    QLinearGradient shade(band.topLeft(), band.bottomLeft());
    shade.setColorAt(0.0, QColor(0x05, 0x17, 0x29, 170));
    shade.setColorAt(1.0, QColor(0x03, 0x10, 0x1E, 220));
    painter.fillRect(band, shade);
    QLinearGradient line(band.left(), 0, band.right(), 0);
    line.setColorAt(0.0, QColor(0xF2, 0xA3, 0x32, 0));
    line.setColorAt(0.25, Amber());
    line.setColorAt(0.75, Amber());
    line.setColorAt(1.0, QColor(0xF2, 0xA3, 0x32, 0));
    painter.fillRect(QRectF(band.left(), band.top(), band.width(), 1.5), line);
}

QBrush NameFill(double top, double bottom) {
    QLinearGradient fill(0, top, 0, bottom);
    fill.setColorAt(0.0, Qt::white);
    fill.setColorAt(0.6, QColor(0xE4, 0xF4, 0xF5));
    fill.setColorAt(1.0, QColor(0xFF, 0xE3, 0xB0));
    return fill;
}

QFont NameFont(int pixels) {
    QFont font(SerifFamily());
    font.setPixelSize(pixels);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    return font;
}

QFont SmallFont(int pixels, double spacing) {
    QFont font(SansFamily());
    font.setPixelSize(pixels);
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

QFont TaglineFont(int pixels) {
    QFont font(SerifFamily());
    font.setPixelSize(pixels);
    font.setItalic(true);
    return font;
}

QString Motto() {
    const QString dot = QStringLiteral("  ") + QChar(0x00B7) + QStringLiteral("  ");
    return QStringLiteral("WRITE") + dot + QStringLiteral("LINK") + dot + QStringLiteral("PUBLISH");
}

} // namespace

QPixmap SplashPicture() {
    QPixmap picture(395, 242);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area(0, 0, 395, 242);
    PaintBrandGround(painter, area, QPointF(330, 30));
    PaintFootBand(painter, QRectF(0, 204, 395, 38));

    PaintEmblem(painter, QRectF(24, 50, 104, 104));

    const QFont name = NameFont(44);
    PaintShadowedText(painter, QPointF(142, 100), name, ProductName, NameFill(66, 102),
                      QColor(0, 0, 0, 190));

    QLinearGradient rule(142, 0, 380, 0);
    rule.setColorAt(0.0, Amber());
    rule.setColorAt(1.0, QColor(0xF2, 0xA3, 0x32, 0));
    painter.fillRect(QRectF(143, 113, 236, 2), rule);

    painter.setFont(TaglineFont(18));
    painter.setPen(LightAmber());
    painter.drawText(QPointF(144, 139), Tagline);

    painter.setFont(SmallFont(9, 1.6));
    painter.setPen(QColor(0xB6, 0xDD, 0xE0, 210));
    painter.drawText(QPointF(145, 162), Motto());

    painter.setFont(SmallFont(11, 0.4));
    painter.setPen(QColor(0xD5, 0xEA, 0xEC, 220));
    painter.drawText(QPointF(16, 228), Maker);
    return picture;
}

QPixmap AboutPicture() {
    QPixmap picture(396, 230);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area(0, 0, 396, 230);
    PaintBrandGround(painter, area, QPointF(198, 60));
    PaintFootBand(painter, QRectF(0, 196, 396, 34));

    PaintEmblem(painter, QRectF(158, 16, 80, 80));

    const QFont name = NameFont(40);
    const double nameWidth = QFontMetricsF(name).horizontalAdvance(ProductName);
    PaintShadowedText(painter, QPointF((396 - nameWidth) / 2, 140), name, ProductName,
                      NameFill(110, 142), QColor(0, 0, 0, 190));

    const QFont tagline = TaglineFont(16);
    const double taglineWidth = QFontMetricsF(tagline).horizontalAdvance(Tagline);
    painter.setFont(tagline);
    painter.setPen(LightAmber());
    painter.drawText(QPointF((396 - taglineWidth) / 2, 164), Tagline);

    QLinearGradient rule(98, 0, 298, 0);
    rule.setColorAt(0.0, QColor(0xF2, 0xA3, 0x32, 0));
    rule.setColorAt(0.5, Amber());
    rule.setColorAt(1.0, QColor(0xF2, 0xA3, 0x32, 0));
    painter.fillRect(QRectF(98, 176, 200, 1.5), rule);

    painter.setFont(SmallFont(11, 0.4));
    painter.setPen(QColor(0xD5, 0xEA, 0xEC, 220));
    painter.drawText(QPointF(14, 218), QChar(0x00A9) + QStringLiteral(" ") + Maker);
    return picture;
}

QPixmap WizardPicture() {
    QPixmap picture(120, 90);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF card(1.5, 1.5, 117, 87);
    QLinearGradient ground(card.topLeft(), card.bottomRight());
    ground.setColorAt(0.0, Qt::white);
    ground.setColorAt(1.0, QColor(0xD6, 0xEC, 0xEE));
    painter.setPen(QPen(QColor(0x9C, 0xCD, 0xD2), 1.0));
    painter.setBrush(ground);
    painter.drawRoundedRect(card, 10, 10);

    // The three steps of the wizard as knots along a dashed path.
    const QPointF steps[] = {{70, 70}, {88, 47}, {104, 23}};
    QPainterPath trail(QPointF(46, 74));
    trail.cubicTo(56, 76, 64, 74, steps[0].x(), steps[0].y());
    trail.cubicTo(80, 64, 78, 54, steps[1].x(), steps[1].y());
    trail.cubicTo(98, 40, 96, 30, steps[2].x(), steps[2].y());
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Teal(), 1.6, Qt::DashLine, Qt::RoundCap));
    painter.drawPath(trail);

    QFont digits(SansFamily());
    digits.setPixelSize(10);
    digits.setBold(true);
    painter.setFont(digits);
    for (int i = 0; i < 3; ++i) {
        const QPointF at = steps[i];
        QRadialGradient glow(at - QPointF(2.5, 3), 10);
        glow.setColorAt(0.0, LightAmber());
        glow.setColorAt(1.0, DarkAmber());
        painter.setPen(QPen(QColor(0x7A, 0x44, 0x0A), 1.0));
        painter.setBrush(glow);
        painter.drawEllipse(at, 8, 8);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(at.x() - 8, at.y() - 8, 16, 16), Qt::AlignCenter,
                         QString::number(i + 1));
    }

    PaintEmblem(painter, QRectF(8, 22, 52, 52));
    return picture;
}

QPixmap PageBackground(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(size));

    // A faint mist along the top edge and a cool wash towards the bottom-right corner.
    QLinearGradient top(0, 0, 0, 70);
    top.setColorAt(0.0, QColor(0xE8, 0xF4, 0xF5, 150));
    top.setColorAt(1.0, QColor(0xE8, 0xF4, 0xF5, 0));
    painter.fillRect(area, top);
    QRadialGradient corner(area.bottomRight(), std::max(area.width(), area.height()) * 0.55);
    corner.setColorAt(0.0, QColor(0xD9, 0xEE, 0xF0, 150));
    corner.setColorAt(1.0, QColor(0xD9, 0xEE, 0xF0, 0));
    painter.fillRect(area, corner);

    // Woven threads that fade out before they reach the middle of the page.
    QImage threads(size, QImage::Format_ARGB32_Premultiplied);
    threads.fill(Qt::transparent);
    {
        QPainter threadPainter(&threads);
        const QRectF band(area.left() - 40, area.bottom() - area.height() * 0.32, area.width() + 80,
                          area.height() * 0.32);
        PaintThreads(threadPainter, band, QColor(0x4F, 0xA8, 0xB2, 60), 6, 1.1);
        threadPainter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QLinearGradient fade(area.topLeft(), area.bottomRight());
        fade.setColorAt(0.0, QColor(0, 0, 0, 0));
        fade.setColorAt(0.45, QColor(0, 0, 0, 0));
        fade.setColorAt(1.0, QColor(0, 0, 0, 255));
        threadPainter.fillRect(area, fade);
    }
    painter.drawImage(QPointF(0, 0), threads);

    QLinearGradient accent(area.width() * 0.55, 0, area.width(), 0);
    accent.setColorAt(0.0, QColor(0xF2, 0xA3, 0x32, 0));
    accent.setColorAt(1.0, QColor(0xF2, 0xA3, 0x32, 90));
    painter.fillRect(QRectF(0, area.bottom() - 2, area.width(), 2), accent);
    return picture;
}

} // namespace dravenloom
