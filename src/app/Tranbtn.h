// TMTranBtn: a small button that paints only its bitmap (one colour left transparent), its
// caption and a one-pixel 3-D frame, so whatever lies beneath it shows through everywhere else;
// it sinks while pressed and raises a click when the left button is released on it.
#pragma once

#include "shell/TranbtnState.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <optional>

class QPainter;

namespace dravenloom {

class TMTranBtn : public QWidget {
    Q_OBJECT

public:
    static constexpr int MaxCaptionLength = 40;

    // 30 x 30, no bitmap, "Arial" 9 points, BsNormal.
    explicit TMTranBtn(QWidget* owner = nullptr);

    // The picture; setting it copies it into the control's own bitmap and repaints.
    const QImage& BitMap() const { return Bitmap; }
    void SetBitMap(const QImage& bitmap);
    // The colour left unpainted: the one set here, else the bitmap's bottom-left pixel (white
    // for a one-bit bitmap).
    void SetTransparentColor(const QColor& colour);
    QColor TransparentColor() const;

    BStyle Border() const { return State.Border; }
    void SetBorder(BStyle border);
    QString Caption() const { return CaptionText; }
    // Holds the first 40 characters.
    void SetCaption(const QString& caption);

    bool MouseInside() const { return State.MouseInside; }
    bool Pressed() const { return State.Pressed; }
    FrameLook Frame() const { return State.Frame(); }
    // Where the bitmap was last painted, in control coordinates.
    QRect BitmapRect() const;
    // Whether (x, y) lies over a pixel of the bitmap that is not the transparent colour.
    bool IsOverBitmap(const QPoint& point) const;

    // Draws `bitmap` with its top-left corner at (x, y), leaving every pixel of the
    // transparent colour unpainted; the caller's bitmap is unchanged.
    static void DrawTransparentBitmap(QPainter& target, const QImage& bitmap, quint16 x, quint16 y,
                                      const QColor& transparent);

signals:
    void Click();
    void MouseDown(const QPoint& position);
    void MouseMove(const QPoint& position);
    void MouseUp(const QPoint& position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Apply(Repaint repaint);

    TranBtnState State;
    QImage Bitmap;
    std::optional<QColor> Transparent;
    QString CaptionText;
    TranRect LastBitmapRect;
};

} // namespace dravenloom
