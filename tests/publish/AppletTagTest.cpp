// Tests of the applet element's lines: the style word, the sixteen lines, the quoting of values
// and the guide's name as the element carries it.
#include "publish/AppletTag.h"
#include "document/Errors.h"
#include "document/VisibleText.h"
#include "publish/AppletOptions.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

using LineList = std::vector<std::string>;

TEST(StyleWordTest, NamesBothFlags) {
    EXPECT_EQ(StyleWord(true, true), "BoldItalic");
    EXPECT_EQ(StyleWord(true, false), "Bold");
    EXPECT_EQ(StyleWord(false, true), "Italic");
    EXPECT_EQ(StyleWord(false, false), "Regular");
}

TEST(AppletTagLinesTest, DefaultsGiveTheSixteenLines) {
    ScriptedPlatform platform;
    const AppletOptions options(platform);
    const LineList expected = {
        R"(<APPLET CODE="Dravenloom.class" WIDTH="75" HEIGHT="50" MAYSCRIPT>)",
        R"(<PARAM NAME="frameWidth" VALUE="300">)",
        R"(<PARAM NAME="frameHeight" VALUE="400">)",
        R"(<PARAM NAME="filename" VALUE="help.dvx">)",
        R"(<PARAM NAME="title" VALUE="">)",
        R"(<PARAM NAME="button" VALUE="">)",
        R"(<PARAM NAME="background" VALUE="#FFFFFF">)",
        R"(<PARAM NAME="text" VALUE="#000000">)",
        R"(<PARAM NAME="face" VALUE="Times New Roman">)",
        R"(<PARAM NAME="style" VALUE="Regular">)",
        R"(<PARAM NAME="size" VALUE="12">)",
        R"(<PARAM NAME="textStart" VALUE="5">)",
        R"(<PARAM NAME="image" VALUE="gray.gif">)",
        R"(<PARAM NAME="imageDir" VALUE="">)",
        "Sorry, but your browser does not support Java.",
        "</APPLET>",
    };
    EXPECT_EQ(AppletTagLines(options.Settings(), GuideNameForTag("C:\\guides\\help.dvx")),
              expected);
}

TEST(AppletTagLinesTest, AFullySetPageFillsEveryValue) {
    ScriptedPlatform platform;
    AppletOptions options(platform);
    options.TitleEdit.Text = "Caf\xE9 guide";
    options.ButtonEdit.Text = "Next >";
    options.ImageDir.Text = "/www/pics";
    options.WidthEdit.Text = "640";
    options.HeightEdit.Text = "021";
    options.TextStart.Text = "+9";
    AppletOptions::SetComboText(options.FaceCombo, "Courier");
    options.SizeCombo.Text = "11";
    options.CheckBold.Checked = true;
    options.Color1 = Rgb{0x00, 0x80, 0xFF};
    options.Color2 = Rgb{0xC0, 0x0A, 0x01};
    options.SwatchClick(9);
    const LineList lines = AppletTagLines(options.Settings(), "tour.dvx");
    const LineList expected = {
        R"(<APPLET CODE="Dravenloom.class" WIDTH="75" HEIGHT="50" MAYSCRIPT>)",
        R"(<PARAM NAME="frameWidth" VALUE="640">)",
        R"(<PARAM NAME="frameHeight" VALUE="021">)",
        R"(<PARAM NAME="filename" VALUE="tour.dvx">)",
        "<PARAM NAME=\"title\" VALUE=\"Caf\xE9 guide\">",
        R"(<PARAM NAME="button" VALUE="Next >">)",
        R"(<PARAM NAME="background" VALUE="#0080FF">)",
        R"(<PARAM NAME="text" VALUE="#C00A01">)",
        R"(<PARAM NAME="face" VALUE="Courier">)",
        R"(<PARAM NAME="style" VALUE="Bold">)",
        R"(<PARAM NAME="size" VALUE="11">)",
        R"(<PARAM NAME="textStart" VALUE="+9">)",
        R"(<PARAM NAME="image" VALUE="purple.gif">)",
        R"(<PARAM NAME="imageDir" VALUE="/www/pics">)",
        "Sorry, but your browser does not support Java.",
        "</APPLET>",
    };
    EXPECT_EQ(lines, expected);
}

TEST(AppletTagLinesTest, TheBoxForBrowsersWithoutJavaAddsOnlyTheScriptLine) {
    ScriptedPlatform platform;
    AppletOptions options(platform);
    options.TitleEdit.Text = "Tour";
    const LineList plain = AppletTagLines(options.Settings(), "tour.dvx");
    ASSERT_EQ(plain.size(), static_cast<std::size_t>(AppletTagLineCount));
    EXPECT_EQ(plain.back(), "</APPLET>");

    options.CheckHtml5.Checked = true;
    const LineList both = AppletTagLines(options.Settings(), "tour.dvx");
    ASSERT_EQ(both.size(), plain.size() + 1);
    EXPECT_EQ(LineList(both.begin(), both.end() - 1), plain);
    EXPECT_EQ(both.back(), "<script src=\"dravenloom.js\"></script>");
}

TEST(AppletTagLinesTest, ADoubleQuoteCannotEndTheValue) {
    EXPECT_EQ(QuoteAttributeValue(R"(Say "hi")"), "Say &quot;hi&quot;");
    // Nothing else is touched: a value without double quotes stands as typed.
    EXPECT_EQ(QuoteAttributeValue("<b>&amp; 'x'</b>"), "<b>&amp; 'x'</b>");
    EXPECT_EQ(QuoteAttributeValue(""), "");
    ScriptedPlatform platform;
    AppletOptions options(platform);
    options.TitleEdit.Text = R"(The "best" guide)";
    options.ButtonEdit.Text = "\"";
    const LineList lines = AppletTagLines(options.Settings(), "a\"b.dvx");
    EXPECT_EQ(lines.at(3), R"(<PARAM NAME="filename" VALUE="a&quot;b.dvx">)");
    EXPECT_EQ(lines.at(4), R"(<PARAM NAME="title" VALUE="The &quot;best&quot; guide">)");
    EXPECT_EQ(lines.at(5), R"(<PARAM NAME="button" VALUE="&quot;">)");
}

// What an author types stands in the element byte for byte; a control character (which only a
// paste or the command line brings) stands there as a blank, so that no line of the element
// ever holds one.
TEST(AppletTagLinesTest, ControlCharactersBecomeBlanksAndNothingElseChanges) {
    std::string ordinary;
    std::string controls;
    for (int b = 1; b < 256; ++b)
        (IsControlByte(static_cast<unsigned char>(b)) ? controls : ordinary) +=
            static_cast<char>(b);
    ASSERT_EQ(controls.size(), 31u + 1 + 5) << "C0 but NUL, DEL, the five undefined bytes";
    controls += '\0';

    ScriptedPlatform platform;
    AppletOptions options(platform);
    options.TitleEdit.Text = ordinary;
    options.ButtonEdit.Text = "Go" + controls + "on";
    options.ImageDir.Text = std::string("pics\0dir", 8);
    const LineList lines = AppletTagLines(options.Settings(), "tour.dvx");
    std::string quoted;
    for (const char c : ordinary)
        quoted += c == '"' ? std::string("&quot;") : std::string(1, c);
    EXPECT_EQ(lines.at(4), "<PARAM NAME=\"title\" VALUE=\"" + quoted + "\">");
    EXPECT_EQ(lines.at(5),
              "<PARAM NAME=\"button\" VALUE=\"Go" + std::string(controls.size(), ' ') + "on\">");
    EXPECT_EQ(lines.at(13), "<PARAM NAME=\"imageDir\" VALUE=\"pics dir\">");
    for (const auto& line : lines)
        for (const char c : line)
            EXPECT_FALSE(IsControlByte(static_cast<unsigned char>(c))) << line;
}

TEST(GuideNameForTagTest, TakesTheLastComponentInTheCodePage) {
    EXPECT_EQ(GuideNameForTag("/guides/tours/help.dvx"), "help.dvx");
    EXPECT_EQ(GuideNameForTag("C:\\guides\\help.dvx"), "help.dvx");
    EXPECT_EQ(GuideNameForTag("/g/caf\xC3\xA9 \xE2\x82\xAC.dvx"), "caf\xE9 \x80.dvx");
}

TEST(GuideNameForTagTest, RefusesANameTheCodePageCannotHold) {
    try {
        GuideNameForTag("/g/tour-\xE5\x90\x8D.dvx");
        FAIL() << "no error";
    } catch (const DravenloomError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("\"\xE5\x90\x8D\""), std::string::npos) << message;
        EXPECT_NE(message.find("tour-\xE5\x90\x8D.dvx"), std::string::npos) << message;
    }
    // A blank in its place would name another file than the one uploaded.
    for (const char* name : {"/g/tab\there.dvx", "/g/esc\x1B[2J.dvx", "/g/c1-\xC2\x9D.dvx"}) {
        try {
            GuideNameForTag(name);
            ADD_FAILURE() << "no error for " << name;
        } catch (const DravenloomError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("holds a control character"), std::string::npos) << message;
            EXPECT_EQ(message.find_first_of("\t\x1B"), std::string::npos) << "shown, not sent";
        }
    }
}

} // namespace
} // namespace dravenloom
