// The transparent bitmap button's press, release and pointer states, and its layout.
#include "shell/TranbtnState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

struct Recorder {
    std::vector<std::string> Events;
    TranBtnState* State = nullptr;

    std::function<void()> Click() {
        return [this] {
            Events.push_back(State->Pressed ? "click while pressed" : "click while raised");
        };
    }
    std::function<void()> Up() {
        return [this] { Events.push_back("mouse up"); };
    }
};

TEST(TranBtnState, PressAndReleaseInsideClicksOnceWhileStillDrawnSunken) {
    TranBtnState button;
    Recorder record{{}, &button};
    EXPECT_EQ(button.Frame(), FrameLook::Raised);
    EXPECT_EQ(button.ButtonDown(), Repaint::Whole);
    EXPECT_EQ(button.Frame(), FrameLook::Sunken);
    EXPECT_EQ(button.ButtonUp(true, record.Click(), record.Up()), Repaint::Whole);
    EXPECT_EQ(record.Events, (std::vector<std::string>{"click while pressed", "mouse up"}));
    EXPECT_EQ(button.Frame(), FrameLook::Raised);
}

TEST(TranBtnState, ReleaseOutsideRaisesNoClickButEndsThePressedLook) {
    for (BStyle style : {BStyle::BsNormal, BStyle::BsIe}) {
        TranBtnState button;
        button.Border = style;
        Recorder record{{}, &button};
        button.PointerEnters();
        button.ButtonDown();
        button.PointerLeaves(); // captured: moving out does not lift the button
        EXPECT_TRUE(button.Pressed);
        button.ButtonUp(false, record.Click(), record.Up());
        EXPECT_EQ(record.Events, std::vector<std::string>{"mouse up"});
        EXPECT_FALSE(button.Pressed);
    }
}

TEST(TranBtnState, AReleaseWithoutAPressOnTheControlRaisesNoClick) {
    TranBtnState button;
    Recorder record{{}, &button};
    button.ButtonUp(true, record.Click(), record.Up());
    EXPECT_EQ(record.Events, std::vector<std::string>{"mouse up"});
}

TEST(TranBtnState, IeStyleIsFramedOnlyWhileThePointerIsOverItOrItIsPressed) {
    TranBtnState button;
    button.Border = BStyle::BsIe;
    EXPECT_EQ(button.Frame(), FrameLook::None);
    EXPECT_EQ(button.PointerEnters(), Repaint::FrameOnly);
    EXPECT_EQ(button.Frame(), FrameLook::Raised);
    button.ButtonDown();
    EXPECT_EQ(button.Frame(), FrameLook::Sunken);
    button.ButtonUp(true, {}, {});
    EXPECT_EQ(button.Frame(), FrameLook::Raised);
    EXPECT_EQ(button.PointerLeaves(), Repaint::Whole);
    EXPECT_EQ(button.Frame(), FrameLook::None);
}

TEST(TranBtnState, NormalStyleRepaintsNothingWhenThePointerComesAndGoes) {
    TranBtnState button;
    EXPECT_EQ(button.PointerEnters(), Repaint::Nothing);
    EXPECT_EQ(button.PointerLeaves(), Repaint::Nothing);
    EXPECT_EQ(button.Frame(), FrameLook::Raised);
}

TEST(TranBtnState, WithoutFrameOnlyAPressOverAnOpaquePixelPresses) {
    TranBtnState button;
    button.Border = BStyle::BSnone;
    button.PointerEnters();
    button.PointerMoves(false);
    EXPECT_FALSE(button.MouseInside);
    EXPECT_EQ(button.ButtonDown(), Repaint::Nothing);
    EXPECT_FALSE(button.Pressed);

    button.PointerMoves(true);
    EXPECT_TRUE(button.MouseInside);
    button.ButtonDown();
    EXPECT_TRUE(button.Pressed);
    EXPECT_EQ(button.Frame(), FrameLook::None);
    // Released where the bitmap is transparent: the press is not over yet.
    button.PointerMoves(false);
    EXPECT_EQ(button.ButtonUp(true, {}, {}), Repaint::Nothing);
    EXPECT_TRUE(button.Pressed);
    button.PointerMoves(true);
    button.ButtonDown();
    button.ButtonUp(true, {}, {});
    EXPECT_FALSE(button.Pressed);
}

TEST(TranBtnLayout, ABitmapAloneIsCentredAndMovesOnePixelWhenPressed) {
    const TranBtnLayout raised = LayOutTranBtn(30, 30, 15, 15, 14, false, false);
    EXPECT_EQ(raised.BitmapRect, (TranRect{7, 7, 22, 22}));
    EXPECT_EQ(raised.BitmapX, 7);
    const TranBtnLayout pressed = LayOutTranBtn(30, 30, 15, 15, 14, false, true);
    EXPECT_EQ(pressed.BitmapRect, raised.BitmapRect);
    EXPECT_EQ(pressed.BitmapX, 8);
    EXPECT_EQ(pressed.BitmapY, 8);
}

TEST(TranBtnLayout, ACaptionBeginsAtTheBitmapsBottomAndBothAreCentredTogether) {
    const TranBtnLayout layout = LayOutTranBtn(60, 50, 16, 16, 14, true, false);
    EXPECT_EQ(layout.BitmapRect, (TranRect{22, 10, 38, 26}));
    EXPECT_EQ(layout.CaptionRect, (TranRect{0, 26, 60, 40}));
    const TranBtnLayout pressed = LayOutTranBtn(60, 50, 16, 16, 14, true, true);
    EXPECT_EQ(pressed.CaptionRect, (TranRect{2, 27, 60, 41}));
}

TEST(TranBtnLayout, ACaptionWithoutBitmapIsCentredOnOneLine) {
    const TranBtnLayout layout = LayOutTranBtn(60, 31, 0, 0, 14, true, false);
    EXPECT_FALSE(layout.HasBitmap);
    EXPECT_EQ(layout.CaptionRect, (TranRect{0, 8, 60, 22}));
}

TEST(TranBtnLayout, ABitmapLargerThanTheControlStartsAtItsEdge) {
    const TranBtnLayout layout = LayOutTranBtn(10, 10, 20, 30, 14, false, false);
    EXPECT_EQ(layout.BitmapRect, (TranRect{0, 0, 20, 30}));
}

} // namespace
} // namespace dravenloom
