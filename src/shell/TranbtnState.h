// The transparent bitmap button's behaviour without a screen: its border style, the pointer
// and press states that decide its frame, and where its bitmap and caption go.
#pragma once

#include <functional>

namespace dravenloom {

// The button's frame style: never framed, always framed (raised, sunken while pressed), or
// framed only while the pointer is over it or it is pressed.
enum class BStyle { BSnone = 0, BsNormal = 1, BsIe = 2 };

enum class FrameLook { None, Raised, Sunken };

// What the control must repaint after an event.
enum class Repaint { Nothing, FrameOnly, Whole };

struct TranRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool operator==(const TranRect&) const = default;
};

class TranBtnState {
public:
    BStyle Border = BStyle::BsNormal;
    bool MouseInside = false; // the pointer is considered over the control
    bool Pressed = false;     // the control is drawn pressed
    bool Captured = false;    // the press began on the control and the mouse is still down

    // The frame the control shows now.
    FrameLook Frame() const;

    Repaint PointerEnters();
    Repaint PointerLeaves();
    // `overBitmap`: the opaque-pixel test at the pointer, which decides MouseInside for
    // BSnone only.
    void PointerMoves(bool overBitmap);
    // Left button down on the control.
    Repaint ButtonDown();
    // Left button up at a point, `inside` the control or not. The click (when the press began
    // on the control and ends inside it) and the mouse-up event are raised before the pressed
    // state ends, so a dialog opened from the click runs while the button is drawn sunken.
    Repaint ButtonUp(bool inside, const std::function<void()>& click,
                     const std::function<void()>& mouseUp);

private:
    bool Framed() const { return Border == BStyle::BsNormal || Border == BStyle::BsIe; }
};

// Where the control draws its bitmap and caption.
struct TranBtnLayout {
    bool HasBitmap = false;
    TranRect BitmapRect; // where the bitmap is drawn when not pressed
    int BitmapX = 0;     // where it is drawn now (one pixel right and down while pressed)
    int BitmapY = 0;
    bool HasCaption = false;
    TranRect CaptionRect; // the caption is centred in it on one line
};

// A control of `width` x `height` with a bitmap of `bitmapWidth` x `bitmapHeight` (0 x 0 for
// none) and a caption whose line is `textHeight` high (`hasCaption` false for none). A bitmap
// larger than the control is placed at the control's edge rather than before it, so that it
// never lands at a coordinate the drawing cannot take.
TranBtnLayout LayOutTranBtn(int width, int height, int bitmapWidth, int bitmapHeight,
                            int textHeight, bool hasCaption, bool pressed);

} // namespace dravenloom
