// Tests of the applet options: their defaults, the checks when the author leaves a field, the
// colour choosers, the button swatches and the colour text.
#include "publish/AppletOptions.h"
#include "document/Errors.h"
#include "publish/HtmlColor.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace dravenloom {
namespace {

class AppletOptionsTest : public ::testing::Test {
protected:
    ScriptedPlatform Platform;
    AppletOptions Options{Platform};
};

TEST_F(AppletOptionsTest, StartsFromTheDefaults) {
    const AppletSettings s = Options.Settings();
    EXPECT_EQ(s.Title, "");
    EXPECT_EQ(s.Button, "");
    EXPECT_EQ(s.ImageDir, "");
    EXPECT_EQ(s.FrameWidth, "300");
    EXPECT_EQ(s.FrameHeight, "400");
    EXPECT_EQ(s.TextStart, "5");
    EXPECT_EQ(s.Face, "Times New Roman");
    EXPECT_EQ(s.Size, "12");
    EXPECT_FALSE(s.Bold);
    EXPECT_FALSE(s.Italic);
    EXPECT_FALSE(s.Html5);
    EXPECT_FALSE(Options.CheckHtml5.Checked);
    EXPECT_EQ(HtmlColorText(s.Background), "#FFFFFF");
    EXPECT_EQ(HtmlColorText(s.Text), "#000000");
    EXPECT_EQ(s.Image, "gray.gif");
    ASSERT_NE(s.Swatch, nullptr);
    EXPECT_STREQ(s.Swatch->FileName, "gray.gif");
    // The drop-downs show their entries with the default chosen.
    EXPECT_EQ(Options.FaceCombo.Items,
              (std::vector<std::string>{"Arial", "Courier", "Times New Roman"}));
    EXPECT_EQ(Options.FaceCombo.ItemIndex, 2);
    EXPECT_EQ(Options.SizeCombo.Items, (std::vector<std::string>{"10", "12", "14", "18"}));
    EXPECT_EQ(Options.SizeCombo.ItemIndex, 1);
}

TEST_F(AppletOptionsTest, SettingsFollowEveryControl) {
    Options.TitleEdit.Text = "My guide";
    Options.ButtonEdit.Text = "Go";
    Options.ImageDir.Text = "pics";
    Options.WidthEdit.Text = "640";
    Options.HeightEdit.Text = "480";
    Options.TextStart.Text = "20";
    AppletOptions::SetComboText(Options.FaceCombo, "Arial");
    Options.SizeCombo.Text = "11";
    Options.CheckBold.Checked = true;
    Options.CheckItalic.Checked = true;
    Options.CheckHtml5.Checked = true;
    Options.Color1 = Rgb{1, 2, 3};
    Options.Color2 = Rgb{4, 5, 6};
    Options.SwatchClick(2);
    const AppletSettings s = Options.Settings();
    EXPECT_EQ(s.Title, "My guide");
    EXPECT_EQ(s.Button, "Go");
    EXPECT_EQ(s.ImageDir, "pics");
    EXPECT_EQ(s.FrameWidth, "640");
    EXPECT_EQ(s.FrameHeight, "480");
    EXPECT_EQ(s.TextStart, "20");
    EXPECT_EQ(s.Face, "Arial");
    EXPECT_EQ(s.Size, "11");
    EXPECT_TRUE(s.Bold);
    EXPECT_TRUE(s.Italic);
    EXPECT_TRUE(s.Html5);
    EXPECT_EQ(s.Background, (Rgb{1, 2, 3}));
    EXPECT_EQ(s.Text, (Rgb{4, 5, 6}));
    EXPECT_EQ(s.Image, "red.gif");
    EXPECT_STREQ(s.Swatch->Colour, "red");
}

// The leave checks.

enum class Field { Width, Height, TextStart, Face, Size };

struct LeaveCase {
    const char* Name;
    Field Which;
    const char* Typed;
    bool Accepted;
};

void PrintTo(const LeaveCase& c, std::ostream* os) {
    *os << c.Name;
}

class LeaveCheckTest : public AppletOptionsTest, public ::testing::WithParamInterface<LeaveCase> {
protected:
    std::string& Text(Field which) {
        switch (which) {
        case Field::Width:
            return Options.WidthEdit.Text;
        case Field::Height:
            return Options.HeightEdit.Text;
        case Field::TextStart:
            return Options.TextStart.Text;
        case Field::Face:
            return Options.FaceCombo.Text;
        case Field::Size:
            break;
        }
        return Options.SizeCombo.Text;
    }
    void Leave(Field which) {
        switch (which) {
        case Field::Width:
            return Options.WidthEditExit();
        case Field::Height:
            return Options.HeightEditExit();
        case Field::TextStart:
            return Options.TextStartExit();
        case Field::Face:
            return Options.FaceComboExit();
        case Field::Size:
            break;
        }
        Options.SizeComboExit();
    }
    static const char* Default(Field which) {
        const OptionControl* controls[] = {&WidthControl, &HeightControl, &TextStartControl,
                                           &FaceControl, &SizeControl};
        return controls[static_cast<int>(which)]->Default;
    }
    static const char* Message(Field which) {
        const char* messages[] = {WidthMessage, HeightMessage, TextStartMessage, FaceMessage,
                                  SizeMessage};
        return messages[static_cast<int>(which)];
    }
    bool IsCombo(Field which) const { return which == Field::Face || which == Field::Size; }
};

TEST_P(LeaveCheckTest, AcceptsOrRepairs) {
    const auto& c = GetParam();
    Text(c.Which) = c.Typed;
    std::string textWhileWarned;
    Platform.OnMessage = [&](const MessageRequest&) { textWhileWarned = Text(c.Which); };
    Leave(c.Which);
    if (c.Accepted) {
        EXPECT_EQ(Text(c.Which), c.Typed);
        EXPECT_TRUE(Platform.Events.empty());
        return;
    }
    EXPECT_EQ(Text(c.Which), Default(c.Which));
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], ValidationError(Message(c.Which)));
    EXPECT_EQ(Platform.Messages[0].Caption, "Error");
    EXPECT_EQ(Platform.Messages[0].Icon, MsgIcon::Exclamation);
    ASSERT_EQ(Platform.FocusRequests.size(), 1u);
    if (IsCombo(c.Which)) {
        // The drop-downs warn while the bad text still shows, then repair it.
        EXPECT_EQ(Platform.Events, (std::vector<std::string>{"message:Error", "focus"}));
        EXPECT_EQ(textWhileWarned, c.Typed);
        EXPECT_EQ(Platform.FocusRequests[0].Combo,
                  c.Which == Field::Face ? &Options.FaceCombo : &Options.SizeCombo);
        const ComboBox& box = c.Which == Field::Face ? Options.FaceCombo : Options.SizeCombo;
        EXPECT_EQ(box.Items.at(static_cast<std::size_t>(box.ItemIndex)), Default(c.Which));
    } else {
        EXPECT_EQ(Platform.Events, (std::vector<std::string>{"focus", "message:Error"}));
        EXPECT_EQ(textWhileWarned, Default(c.Which));
        const TextField* fields[] = {&Options.WidthEdit, &Options.HeightEdit, &Options.TextStart};
        EXPECT_EQ(Platform.FocusRequests[0].Field, fields[static_cast<int>(c.Which)]);
        EXPECT_FALSE(Platform.FocusRequests[0].SelectAll);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, LeaveCheckTest,
    ::testing::Values(LeaveCase{"WidthZero", Field::Width, "0", false},
                      LeaveCase{"WidthNegative", Field::Width, "-5", false},
                      LeaveCase{"WidthWord", Field::Width, "abc", false},
                      LeaveCase{"WidthEmpty", Field::Width, "", false},
                      LeaveCase{"WidthBlankAround", Field::Width, " 300", false},
                      LeaveCase{"WidthBeyond32Bits", Field::Width, "2147483648", false},
                      LeaveCase{"WidthOne", Field::Width, "1", true},
                      LeaveCase{"WidthNoUpperBound", Field::Width, "5000", true},
                      LeaveCase{"WidthLeadingZeroKept", Field::Width, "021", true},
                      LeaveCase{"HeightZero", Field::Height, "0", false},
                      LeaveCase{"HeightHex", Field::Height, "0x10", false},
                      LeaveCase{"HeightPlusSign", Field::Height, "+7", true},
                      LeaveCase{"TextStartZero", Field::TextStart, "0", false},
                      LeaveCase{"TextStartLetter", Field::TextStart, "x", false},
                      LeaveCase{"TextStartOne", Field::TextStart, "1", true},
                      LeaveCase{"FaceLowerCase", Field::Face, "arial", false},
                      LeaveCase{"FaceTrailingBlank", Field::Face, "Courier ", false},
                      LeaveCase{"FaceEmpty", Field::Face, "", false},
                      LeaveCase{"FaceCourierNew", Field::Face, "Courier New", false},
                      LeaveCase{"FaceCourier", Field::Face, "Courier", true},
                      LeaveCase{"FaceArial", Field::Face, "Arial", true},
                      LeaveCase{"SizeNotInList", Field::Size, "11", true},
                      LeaveCase{"SizeLowest", Field::Size, "10", true},
                      LeaveCase{"SizeHighest", Field::Size, "18", true},
                      LeaveCase{"SizeBelow", Field::Size, "9", false},
                      LeaveCase{"SizeAbove", Field::Size, "19", false},
                      LeaveCase{"SizeWord", Field::Size, "twelve", false},
                      LeaveCase{"SizeEmpty", Field::Size, "", false}),
    [](const auto& info) { return std::string(info.param.Name); });

// The colour choosers.

struct ColourCase {
    const char* Name;
    std::function<void(AppletOptions&)> Click;
    Rgb AppletOptions::*Colour;
};

class ColourChooserTest : public AppletOptionsTest,
                          public ::testing::WithParamInterface<ColourCase> {};

TEST_P(ColourChooserTest, StartsFromTheCurrentColourAndCancelChangesNothing) {
    const auto& c = GetParam();
    Options.*c.Colour = Rgb{10, 20, 30};
    Platform.ColourAnswers.push_back(std::nullopt);
    c.Click(Options);
    EXPECT_EQ(Options.*c.Colour, (Rgb{10, 20, 30}));
    Platform.ColourAnswers.push_back(Rgb{200, 100, 50});
    c.Click(Options);
    EXPECT_EQ(Options.*c.Colour, (Rgb{200, 100, 50}));
    c.Click(Options); // no answer scripted: cancelled
    EXPECT_EQ(Options.*c.Colour, (Rgb{200, 100, 50}));
    EXPECT_EQ(Platform.ColourRequests,
              (std::vector<Rgb>{{10, 20, 30}, {10, 20, 30}, {200, 100, 50}}));
    EXPECT_TRUE(Platform.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ColourChooserTest,
    ::testing::Values(ColourCase{"Background", [](AppletOptions& o) { o.MTranBtn1Click(); },
                                 &AppletOptions::Color1},
                      ColourCase{"Text", [](AppletOptions& o) { o.MTranBtn2Click(); },
                                 &AppletOptions::Color2}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(AppletOptionsTest, ChoosingOneColourLeavesTheOther) {
    Platform.ColourAnswers.push_back(Rgb{1, 1, 1});
    Options.MTranBtn2Click();
    EXPECT_EQ(Options.Color1, White);
    EXPECT_EQ(Options.Color2, (Rgb{1, 1, 1}));
}

// The swatches.

TEST_F(AppletOptionsTest, EachSwatchBecomesTheButtonPicture) {
    const char* names[] = {"white.gif",  "red.gif",   "orange.gif", "peach.gif",
                           "yellow.gif", "green.gif", "blue.gif",   "magenta.gif",
                           "purple.gif", "brown.gif", "gray.gif",   "black.gif"};
    for (int position = 1; position <= SwatchCount; ++position) {
        Options.SwatchClick(position);
        EXPECT_EQ(Options.Image, names[position - 1]);
        EXPECT_EQ(Options.ButtonSwatch, position);
        EXPECT_EQ(SwatchNamed(names[position - 1]), position);
    }
    EXPECT_TRUE(Platform.Events.empty());
}

TEST_F(AppletOptionsTest, TheNinthSwatchIsPurpleWithTheWordFuchsia) {
    Options.SwatchClick(9);
    EXPECT_EQ(Options.Image, "purple.gif");
    EXPECT_EQ(SwatchHint(Swatches[8]),
              "Click here to change the color of the buttons to be displayed in your guide to "
              "fuchsia.");
    EXPECT_EQ(SwatchHint(Swatches[0]),
              "Click here to change the color of the buttons to be displayed in your guide to "
              "white.");
}

TEST_F(AppletOptionsTest, ThereIsNoSwatchOutsideTheRow) {
    EXPECT_THROW(Options.SwatchClick(0), IndexError);
    EXPECT_THROW(Options.SwatchClick(13), IndexError);
    EXPECT_EQ(Options.Image, "gray.gif");
    EXPECT_EQ(SwatchNamed("pink.gif"), 0);
    EXPECT_EQ(SwatchNamed("Gray.gif"), 0);
}

// The colour text.

TEST(HtmlColorTextTest, WritesRedGreenBlueInUpperCaseHex) {
    EXPECT_EQ(HtmlColorText(White), "#FFFFFF");
    EXPECT_EQ(HtmlColorText(Black), "#000000");
    EXPECT_EQ(HtmlColorText(Rgb{255, 0, 0}), "#FF0000");
    EXPECT_EQ(HtmlColorText(Rgb{0, 0, 255}), "#0000FF");
    EXPECT_EQ(HtmlColorText(Rgb{0x12, 0xAB, 0x0F}), "#12AB0F");
}

TEST(HtmlColorTextTest, ReadsTheTextBack) {
    EXPECT_EQ(ReadHtmlColor("#12AB0F"), (Rgb{0x12, 0xAB, 0x0F}));
    EXPECT_EQ(ReadHtmlColor("#12ab0f"), (Rgb{0x12, 0xAB, 0x0F}));
    for (const char* bad : {"", "#12AB0", "12AB0F0", "#12AB0FF", "#GG0000", " #12AB0F"})
        EXPECT_EQ(ReadHtmlColor(bad), std::nullopt) << bad;
}

} // namespace
} // namespace dravenloom
