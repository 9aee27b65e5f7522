// Tests of the Demonstration: entering it from both buttons, walking the guide by its response
// buttons, Back, Restart and Close, the links, and the pointer over the buttons.
#include "preview/Demonstration.h"

#include "document/Errors.h"
#include "support/EditorFixture.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

class DemonstrationTest : public EditorFixture {
protected:
    RecordingCanvas Surface;
    FakePictureLoader Loader;
    Demonstration Demo{Surface, Loader, Platform, Form.Document,
                       [this] { return Form.Applet.Options.Settings(); }};
    int Repaints = 0;

    DemonstrationTest() {
        Form.AttachDemonstration(Demo, [this] { ++Repaints; });
    }

    // 1 -> 2 -> 3 -> 4 by each record's first response; record 1 also has a link, a response
    // without a target and a response to a record that does not exist.
    void OpenWalkGuide() {
        OpenGuide({Primary(1, "One"), Response(1, "To two", "2"),
                   Response(1, "Home [url:www.example.com/home] page"), Response(1, "Nowhere"),
                   Response(1, "Lost", "9"), Primary(2, "Two"), Response(2, "To three", "3"),
                   Primary(3, "Three"), Response(3, "To four", "4"), Primary(4, "Four"),
                   Response(4, "To one", "1")});
    }
    // A click in the middle of the k-th drawn response button (k from 0).
    void ClickButton(int k) {
        const int top = Demo.Renderer.Regions.ResponseTops.at(static_cast<std::size_t>(k));
        ASSERT_NE(top, 0) << "no button " << k;
        Demo.ImageCanvasMouseUp(12, top + 7);
    }
    // The dialogue drawn last (the first bold line since the last fill).
    std::string Shown() const {
        for (auto line = Surface.Drawn.rbegin(); line != Surface.Drawn.rend(); ++line)
            if (line->Bold && line->X == 5 &&
                (line + 1 == Surface.Drawn.rend() || !(line + 1)->Bold))
                return line->Text;
        return "";
    }
    void Walk(std::initializer_list<int> buttons) {
        for (int k : buttons)
            ClickButton(k);
    }
};

TEST_F(DemonstrationTest, TheToolbarStartsAtRecordOneAndDemoAtTheRecordEditedWithItsEdits) {
    OpenWalkGuide();
    ShowRecord(3);
    TypeDialogue("Three, edited");
    Form.ToolbarButton975Click();
    EXPECT_EQ(Form.Pages.ActivePage, Page::Demonstration);
    EXPECT_EQ(Demo.DemoRecord, 1);
    EXPECT_EQ(Shown(), "One");
    EXPECT_EQ(Repaints, 1);

    Form.ToolbarButton971Click();
    Form.BitBtn5Click();
    EXPECT_EQ(Demo.DemoRecord, 3);
    EXPECT_EQ(Shown(), "Three, edited");
    EXPECT_EQ(Form.Pages.ActivePage, Page::Demonstration);
    EXPECT_EQ(Platform.CurrentPointer, PointerShape::Normal);
}

TEST_F(DemonstrationTest, TheTitleIsTheGuidesTitleOrTheProgramsName) {
    OpenWalkGuide();
    Form.ToolbarButton975Click();
    EXPECT_EQ(Demo.DemoTitleEdit.Text, "Dravenloom");
    Form.Applet.Options.TitleEdit.Text = "Lamp repair \xE9tape";
    Form.ToolbarButton975Click();
    EXPECT_EQ(Demo.DemoTitleEdit.Text, "Lamp repair \xE9tape");
}

TEST_F(DemonstrationTest, EnteringSetsTheCanvasFromTheAppearanceSettingsOnceForTheWalk) {
    OpenWalkGuide();
    Form.Applet.Options.SizeCombo.Text = "18";
    Form.Applet.Options.FaceCombo.Text = "Arial";
    Form.Applet.Options.Color1 = Rgb{10, 20, 30};
    Form.Applet.Options.Color2 = Rgb{200, 210, 220};
    Form.ToolbarButton975Click();
    EXPECT_EQ(Surface.Points, 15);
    EXPECT_EQ(Surface.Face, "Arial");
    EXPECT_EQ(Surface.Brush, (Rgb{10, 20, 30}));
    EXPECT_EQ(Surface.FontColour, (Rgb{200, 210, 220}));

    // Restart draws again without setting the font again.
    Form.Applet.Options.SizeCombo.Text = "10";
    Demo.DemoStartButtonClick();
    EXPECT_EQ(Surface.Points, 15);
}

TEST_F(DemonstrationTest, BackRetracesTheWalkInReverseAndThenDoesNothing) {
    OpenWalkGuide();
    Form.ToolbarButton975Click();
    Walk({0, 0, 0});
    EXPECT_EQ(Demo.DemoRecord, 4);
    EXPECT_EQ(Shown(), "Four");
    for (int expected : {3, 2, 1}) {
        Demo.DemoBackButtonClick();
        EXPECT_EQ(Demo.DemoRecord, expected);
    }
    EXPECT_EQ(Shown(), "One");
    const std::size_t drawn = Surface.Drawn.size();
    Demo.DemoBackButtonClick();
    EXPECT_EQ(Demo.DemoRecord, 1);
    EXPECT_EQ(Surface.Drawn.size(), drawn) << "Back with an empty history draws nothing";
}

TEST_F(DemonstrationTest, RestartGoesToRecordOneWithAnEmptyHistory) {
    OpenWalkGuide();
    ShowRecord(2);
    Form.BitBtn5Click();
    Walk({0, 0});
    Demo.DemoStartButtonClick();
    EXPECT_EQ(Demo.DemoRecord, 1);
    EXPECT_EQ(Shown(), "One");
    EXPECT_FALSE(Demo.DemoHistory.HasAtLeast(1));
    // Entering again also starts a new history.
    Walk({0});
    Form.ToolbarButton975Click();
    EXPECT_FALSE(Demo.DemoHistory.HasAtLeast(1));
}

TEST_F(DemonstrationTest, OnlyTheInsideOfAButtonPictureCanBeClickedWithAnyMouseButton) {
    OpenWalkGuide();
    Form.ToolbarButton975Click();
    const int top = Demo.Renderer.Regions.ResponseTops[0];
    ASSERT_EQ(top, 40);
    // The edges of the open rectangle, and the response text beside the picture.
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{
             {5, 47}, {20, 47}, {12, top}, {12, top + 15}, {30, 47}, {200, 47}}) {
        Demo.ImageCanvasMouseUp(x, y);
        EXPECT_EQ(Demo.DemoRecord, 1) << x << "," << y;
    }
    // Just inside the corners.
    Demo.ImageCanvasMouseUp(19, top + 14);
    EXPECT_EQ(Demo.DemoRecord, 2);
    Demo.DemoBackButtonClick();
    Demo.ImageCanvasMouseUp(6, top + 1);
    EXPECT_EQ(Demo.DemoRecord, 2);
}

TEST_F(DemonstrationTest, AWebLinkIsOpenedAndTheScreenStaysAsItWas) {
    OpenWalkGuide();
    Form.ToolbarButton975Click();
    const HitRegions before = Demo.Renderer.Regions;
    const std::size_t drawn = Surface.Drawn.size();
    ClickButton(1);
    EXPECT_EQ(Platform.Addresses, (std::vector<std::string>{"http://www.example.com/home"}));
    EXPECT_EQ(Demo.DemoRecord, 1);
    EXPECT_FALSE(Demo.DemoHistory.HasAtLeast(1));
    EXPECT_EQ(Demo.Renderer.Regions, before);
    EXPECT_EQ(Surface.Drawn.size(), drawn);
}

TEST_F(DemonstrationTest, ALinkThatIsNoWebOrMailAddressNeverReachesTheDesktop) {
    OpenGuide({Primary(1, "One"), Response(1, "Run [url:javascript:alert(document.cookie)]"),
               Response(1, "Disk [url:file:///home/reader/notes.txt]"),
               Response(1, "Mail [url:MAILTO:someone@example.com]")});
    Form.ToolbarButton975Click();
    ClickButton(0);
    ClickButton(1);
    EXPECT_TRUE(Platform.Addresses.empty());
    ClickButton(2);
    EXPECT_EQ(Platform.Addresses, (std::vector<std::string>{"MAILTO:someone@example.com"}));
}

TEST_F(DemonstrationTest, AResponseWithoutTargetDoesNothingAndTheTargetIsReadAtClickTime) {
    OpenWalkGuide();
    Form.ToolbarButton975Click();
    const std::size_t drawn = Surface.Drawn.size();
    ClickButton(2);
    EXPECT_EQ(Demo.DemoRecord, 1);
    EXPECT_FALSE(Demo.DemoHistory.HasAtLeast(1));
    EXPECT_EQ(Surface.Drawn.size(), drawn);

    // The guide changes under the drawn screen: the click goes where the guide says now.
    Lines()[1] = Response(1, "To two", "3");
    ClickButton(0);
    EXPECT_EQ(Demo.DemoRecord, 3);
}

TEST_F(DemonstrationTest, ATargetThatIsNoNumberFailsAndLeavesTheWalkAsItWas) {
    OpenGuide({Primary(1, "One"), Response(1, "Odd", "2"), Primary(2, "Two")});
    Form.ToolbarButton975Click();
    // A hand-edited guide: the Edit View would have emptied such a link.
    Lines()[1] = Response(1, "Odd", "two");
    EXPECT_THROW(ClickButton(0), ConversionError);
    EXPECT_EQ(Demo.DemoRecord, 1);
    EXPECT_FALSE(Demo.DemoHistory.HasAtLeast(1));
}

TEST_F(DemonstrationTest, AJumpToAMissingRecordKeepsTheOldScreenWithoutButtonsAndBackReturns) {
    OpenWalkGuide();
    Form.ToolbarButton975Click();
    const std::size_t drawn = Surface.Drawn.size();
    ClickButton(3);
    EXPECT_EQ(Demo.DemoRecord, 9);
    EXPECT_EQ(Surface.Drawn.size(), drawn) << "the old screen stays";
    EXPECT_EQ(Demo.Renderer.Regions, HitRegions());
    Demo.ImageCanvasMouseUp(12, 47);
    EXPECT_EQ(Demo.DemoRecord, 9);
    Demo.DemoBackButtonClick();
    EXPECT_EQ(Demo.DemoRecord, 1);
    EXPECT_EQ(Shown(), "One");
}

TEST_F(DemonstrationTest, TheKeysFollowTheResponsesInTheirPlaceAndAMissingRecordIsNamed) {
    OpenWalkGuide();
    Form.ToolbarButton975Click();
    // 1 follows the first response; 6 has no response on record 2, so nothing happens.
    Demo.ResponseKey(1);
    EXPECT_EQ(Demo.DemoRecord, 2);
    Demo.ResponseKey(6);
    Demo.ResponseKey(0);
    EXPECT_EQ(Demo.DemoRecord, 2);
    EXPECT_EQ(Shown(), "Two");
    Demo.DemoBackButtonClick();
    // 2 is the link (opened, the record stays), 3 has no target, 4 jumps to record 9.
    Demo.ResponseKey(2);
    EXPECT_EQ(Platform.Addresses, (std::vector<std::string>{"http://www.example.com/home"}));
    Demo.ResponseKey(3);
    EXPECT_EQ(Demo.DemoRecord, 1);
    EXPECT_EQ(Form.Document.Note.Text, "");
    Demo.ResponseKey(4);
    EXPECT_EQ(Demo.DemoRecord, 9);
    EXPECT_EQ(Shown(), "One") << "the old screen stays";
    EXPECT_EQ(Form.Document.Note.Text,
              "Record 9 does not exist: a response of record 1 jumps to it. Back returns to "
              "record 1.");
    // Nothing on the old screen answers a key any more; Back returns.
    Demo.ResponseKey(1);
    EXPECT_EQ(Demo.DemoRecord, 9);
    Demo.DemoBackButtonClick();
    EXPECT_EQ(Demo.DemoRecord, 1);
    // A closed screen answers no key.
    Demo.DemoCloseButtonClick();
    Demo.ResponseKey(1);
    EXPECT_EQ(Demo.DemoRecord, 1);
}

TEST_F(DemonstrationTest, CloseBlanksTheScreenAndLeavesNothingToClick) {
    OpenWalkGuide();
    Form.ToolbarButton975Click();
    Walk({0});
    Demo.ImageCanvasMouseMove(12, 47);
    EXPECT_TRUE(Demo.HandPointer);
    Demo.DemoCloseButtonClick();
    EXPECT_EQ(Surface.Fills.back(), (std::vector<int>{0, 0, 1279, 1023}));
    EXPECT_FALSE(Demo.HandPointer);
    EXPECT_FALSE(Demo.DemoHistory.HasAtLeast(1));
    // Where a button was drawn, the blank screen does nothing and shows no hand.
    Demo.ImageCanvasMouseUp(12, 47);
    Demo.ImageCanvasMouseMove(12, 47);
    EXPECT_EQ(Demo.DemoRecord, 2);
    EXPECT_FALSE(Demo.HandPointer);
    // Restart leaves the blank screen.
    Demo.DemoStartButtonClick();
    EXPECT_EQ(Shown(), "One");
    ClickButton(0);
    EXPECT_EQ(Demo.DemoRecord, 2);
}

TEST_F(DemonstrationTest, TheHandShowsOverAButtonPictureOnly) {
    OpenWalkGuide();
    Demo.ImageCanvasMouseMove(12, 47);
    EXPECT_FALSE(Demo.HandPointer) << "nothing drawn yet";
    Form.ToolbarButton975Click();
    Demo.ImageCanvasMouseMove(12, 47);
    EXPECT_TRUE(Demo.HandPointer);
    Demo.ImageCanvasMouseMove(40, 47);
    EXPECT_FALSE(Demo.HandPointer);
    Demo.ImageCanvasMouseMove(12, Demo.Renderer.Regions.ResponseTops[3] + 3);
    EXPECT_TRUE(Demo.HandPointer);
    EXPECT_TRUE(std::count(Platform.Events.begin(), Platform.Events.end(), "pointer:busy") == 1)
        << "the hand is the canvas's own: the program's pointer is not touched";
}

TEST_F(DemonstrationTest, ASizeThatIsNoNumberStopsEnteringBeforeAnythingIsDrawn) {
    OpenWalkGuide();
    Form.Applet.Options.TitleEdit.Text = "Lamp";
    Form.Applet.Options.SizeCombo.Text = "big";
    EXPECT_THROW(Form.ToolbarButton975Click(), ConversionError);
    EXPECT_EQ(Demo.DemoTitleEdit.Text, "Lamp");
    EXPECT_EQ(Form.Pages.ActivePage, Page::Demonstration);
    EXPECT_TRUE(Surface.Events.empty());
    EXPECT_EQ(Platform.CurrentPointer, PointerShape::Normal);
}

TEST_F(DemonstrationTest, AFailingDrawIsDroppedSilently) {
    OpenWalkGuide();
    Form.Applet.Options.TextStart.Text = "top";
    Form.ToolbarButton975Click();
    EXPECT_TRUE(Platform.Messages.empty());
    EXPECT_TRUE(Surface.Drawn.empty());
}

TEST_F(DemonstrationTest, AboutNamesThePlayerWithTheInformationIcon) {
    Demo.DemoAboutButtonClick();
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Icon, MsgIcon::Information);
    EXPECT_EQ(Platform.Messages[0].Buttons, MsgButtons::Ok);
    EXPECT_EQ(Platform.Messages[0].Text.substr(0, Platform.Messages[0].Text.find('\n')),
              "Dravenloom Guide Player");
}

} // namespace
} // namespace dravenloom
