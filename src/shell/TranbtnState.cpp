// The transparent bitmap button's states and layout.
#include "shell/TranbtnState.h"

#include <algorithm>

namespace dravenloom {

FrameLook TranBtnState::Frame() const {
    switch (Border) {
    case BStyle::BsNormal:
        return Pressed ? FrameLook::Sunken : FrameLook::Raised;
    case BStyle::BsIe:
        if (Pressed)
            return FrameLook::Sunken;
        return MouseInside ? FrameLook::Raised : FrameLook::None;
    case BStyle::BSnone:
        break;
    }
    return FrameLook::None;
}

Repaint TranBtnState::PointerEnters() {
    MouseInside = true;
    return Border == BStyle::BsIe ? Repaint::FrameOnly : Repaint::Nothing;
}

Repaint TranBtnState::PointerLeaves() {
    MouseInside = false;
    return Border == BStyle::BsIe ? Repaint::Whole : Repaint::Nothing;
}

void TranBtnState::PointerMoves(bool overBitmap) {
    MouseInside = Framed() || overBitmap;
}

Repaint TranBtnState::ButtonDown() {
    Captured = true;
    Pressed = Framed() || MouseInside;
    return Pressed ? Repaint::Whole : Repaint::Nothing;
}

Repaint TranBtnState::ButtonUp(bool inside, const std::function<void()>& click,
                               const std::function<void()>& mouseUp) {
    const bool clicked = Captured && inside;
    Captured = false;
    if (clicked && click)
        click();
    if (mouseUp)
        mouseUp();
    if (Framed() || MouseInside)
        Pressed = false;
    return Pressed ? Repaint::Nothing : Repaint::Whole;
}

TranBtnLayout LayOutTranBtn(int width, int height, int bitmapWidth, int bitmapHeight,
                            int textHeight, bool hasCaption, bool pressed) {
    TranBtnLayout layout;
    layout.HasBitmap = bitmapWidth > 0 && bitmapHeight > 0;
    layout.HasCaption = hasCaption;
    if (layout.HasBitmap) {
        const int bx = std::max(0, (width - bitmapWidth) / 2);
        const int by = std::max(0, hasCaption ? (height - bitmapHeight - textHeight) / 2
                                              : (height - bitmapHeight) / 2);
        layout.BitmapRect = {bx, by, bx + bitmapWidth, by + bitmapHeight};
        layout.BitmapX = pressed ? bx + 1 : bx;
        layout.BitmapY = pressed ? by + 1 : by;
    }
    if (hasCaption) {
        int top = layout.HasBitmap ? layout.BitmapRect.Bottom : (height - textHeight) / 2;
        int left = 0;
        if (pressed) {
            ++top;
            left = 2;
        }
        layout.CaptionRect = {left, top, width, top + textHeight};
    }
    return layout;
}

} // namespace dravenloom
