// The transparent bitmap button.
#include "app/Tranbtn.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace dravenloom {
namespace {

constexpr int DefaultSide = 30;

// The bitmap as 32-bit pixels, so that its pixels compare with a colour.
QImage Pixels(const QImage& bitmap) {
    return bitmap.format() == QImage::Format_ARGB32 || bitmap.format() == QImage::Format_RGB32
               ? bitmap
               : bitmap.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TMTranBtn::TMTranBtn(QWidget* owner) : QWidget(owner) {
    // Nothing is filled under the control: its parent's pixels stay where it paints nothing.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    resize(DefaultSide, DefaultSide);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(9);
    setFont(arial);
}

void TMTranBtn::SetBitMap(const QImage& bitmap) {
    Bitmap = bitmap.copy();
    update();
}

void TMTranBtn::SetTransparentColor(const QColor& colour) {
    Transparent = colour;
    update();
}

QColor TMTranBtn::TransparentColor() const {
    if (Transparent)
        return *Transparent;
    if (Bitmap.isNull())
        return Qt::white;
    if (Bitmap.depth() == 1)
        return Qt::white;
    return Bitmap.pixelColor(0, Bitmap.height() - 1);
}

void TMTranBtn::SetBorder(BStyle border) {
    if (State.Border == border)
        return;
    State.Border = border;
    update();
}

void TMTranBtn::SetCaption(const QString& caption) {
    CaptionText = caption.left(MaxCaptionLength);
    update();
}

QRect TMTranBtn::BitmapRect() const {
    return QRect(QPoint(LastBitmapRect.Left, LastBitmapRect.Top),
                 QPoint(LastBitmapRect.Right - 1, LastBitmapRect.Bottom - 1));
}

bool TMTranBtn::IsOverBitmap(const QPoint& point) const {
    if (Bitmap.isNull() || !LastBitmapRect.Contains(point.x(), point.y()))
        return false;
    const QPoint pixel(point.x() - LastBitmapRect.Left, point.y() - LastBitmapRect.Top);
    if (!Bitmap.rect().contains(pixel))
        return false;
    return Bitmap.pixelColor(pixel).rgb() != TransparentColor().rgb();
}

void TMTranBtn::DrawTransparentBitmap(QPainter& target, const QImage& bitmap, quint16 x, quint16 y,
                                      const QColor& transparent) {
    if (bitmap.isNull())
        return;
    // The work copy carries the mask as its alpha: pixels of the transparent colour become
    // fully transparent, every other pixel fully opaque. The target is touched once.
    QImage work = Pixels(bitmap).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent.rgb() & RGB_MASK;
    for (int row = 0; row < work.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(work.scanLine(row));
        for (int column = 0; column < work.width(); ++column) {
            const QRgb colour = line[column] & RGB_MASK;
            line[column] = colour == key ? 0u : (colour | 0xFF000000u);
        }
    }
    target.drawImage(QPoint(x, y), work);
}

void TMTranBtn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const int textHeight = painter.fontMetrics().height();
    const TranBtnLayout layout = LayOutTranBtn(
        width(), height(), Bitmap.isNull() ? 0 : Bitmap.width(),
        Bitmap.isNull() ? 0 : Bitmap.height(), textHeight, !CaptionText.isEmpty(), State.Pressed);
    if (layout.HasBitmap) {
        LastBitmapRect = layout.BitmapRect;
        DrawTransparentBitmap(painter, Bitmap, static_cast<quint16>(layout.BitmapX),
                              static_cast<quint16>(layout.BitmapY), TransparentColor());
    }
    if (layout.HasCaption) {
        const TranRect& box = layout.CaptionRect;
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(QRect(box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs,
                         CaptionText);
    }
    const FrameLook look = State.Frame();
    if (look == FrameLook::None)
        return;
    const QColor highlight = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor topLeft = look == FrameLook::Raised ? highlight : shadow;
    const QColor bottomRight = look == FrameLook::Raised ? shadow : highlight;
    const int right = width() - 1;
    const int bottom = height() - 1;
    // The top-left colour runs from the bottom-left corner up and across to the top-right one,
    // both corners excluded; the bottom-right colour takes the rest, so each corner pixel has
    // one colour.
    painter.fillRect(0, 0, 1, bottom, topLeft);
    painter.fillRect(0, 0, right, 1, topLeft);
    painter.fillRect(right, 0, 1, height(), bottomRight);
    painter.fillRect(0, bottom, width(), 1, bottomRight);
}

void TMTranBtn::Apply(Repaint repaint) {
    if (repaint != Repaint::Nothing)
        update();
}

void TMTranBtn::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    Apply(State.PointerEnters());
}

void TMTranBtn::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Apply(State.PointerLeaves());
}

void TMTranBtn::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    State.PointerMoves(IsOverBitmap(position));
    emit MouseMove(position);
}

void TMTranBtn::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // Qt grabs the mouse for the widget under a press, as the capture of the button wants.
    emit MouseDown(event->position().toPoint());
    Apply(State.ButtonDown());
}

void TMTranBtn::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    Apply(State.ButtonUp(
        rect().contains(position), [this] { emit Click(); },
        [this, position] { emit MouseUp(position); }));
}

} // namespace dravenloom
