// Tests of reading a saved applet element back into the options: finding the element, the
// values that are taken and those that are refused, the round trip, and "Load From File".
#include "publish/AppletElement.h"
#include "document/Errors.h"
#include "publish/AppletTag.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

TEST(FindAppletElementTest, TakesTheFirstElementThatLoadsTheGuide) {
    const std::string html = "<html><body>\n"
                             "<!-- <APPLET CODE=\"Dravenloom.class\"><PARAM NAME=\"title\" "
                             "VALUE=\"in a comment\"></APPLET> -->\n"
                             "<applet code=\"Other.class\"><param name=\"title\" value=\"other\">"
                             "</applet>\n"
                             "<Applet Code='Dravenloom.class' width=75>\n"
                             "  <param name=title value='A &quot;B&quot; &amp; C'>\n"
                             "  <PARAM\tNAME=\"size\"   VALUE=14 />\n"
                             "</APPLET>\n"
                             "<APPLET CODE=\"Dravenloom.class\"><PARAM NAME=\"title\" "
                             "VALUE=\"second\"></APPLET>\n";
    const auto params = FindAppletElement(html);
    ASSERT_TRUE(params);
    EXPECT_EQ(*params, (AppletParams{{"title", "A \"B\" &amp; C"}, {"size", "14"}}));
}

TEST(FindAppletElementTest, NothingWithoutTheGuidesElement) {
    EXPECT_FALSE(FindAppletElement(""));
    EXPECT_FALSE(FindAppletElement("<p>Dravenloom.class</p>"));
    EXPECT_FALSE(FindAppletElement("<APPLET CODE=\"Other.class\"><PARAM NAME=\"size\" "
                                   "VALUE=\"12\"></APPLET>"));
}

TEST(FindAppletElementTest, AnElementCutShortKeepsWhatItHolds) {
    const auto params = FindAppletElement(
        "<APPLET CODE=\"Dravenloom.class\"><PARAM NAME=\"face\" VALUE=\"Arial\">");
    ASSERT_TRUE(params);
    EXPECT_EQ(*params, (AppletParams{{"face", "Arial"}}));
}

class ApplyAppletParamsTest : public ::testing::Test {
protected:
    ScriptedPlatform Platform;
    AppletOptions Options{Platform};
};

TEST_F(ApplyAppletParamsTest, TakesEveryValidValue) {
    const auto problems = ApplyAppletParams({{"frameWidth", "640"},
                                             {"frameHeight", "480"},
                                             {"filename", "other.dvx"},
                                             {"title", "T"},
                                             {"button", "B"},
                                             {"background", "#102030"},
                                             {"text", "#a0b0c0"},
                                             {"face", "Courier"},
                                             {"style", "Italic"},
                                             {"size", "11"},
                                             {"textStart", "9"},
                                             {"image", "purple.gif"},
                                             {"imageDir", "pics"}},
                                            Options);
    EXPECT_TRUE(problems.empty());
    const AppletSettings s = Options.Settings();
    EXPECT_EQ(s.FrameWidth, "640");
    EXPECT_EQ(s.FrameHeight, "480");
    EXPECT_EQ(s.Title, "T");
    EXPECT_EQ(s.Button, "B");
    EXPECT_EQ(s.Background, (Rgb{0x10, 0x20, 0x30}));
    EXPECT_EQ(s.Text, (Rgb{0xA0, 0xB0, 0xC0}));
    EXPECT_EQ(s.Face, "Courier");
    EXPECT_EQ(Options.FaceCombo.ItemIndex, 1);
    EXPECT_FALSE(s.Bold);
    EXPECT_TRUE(s.Italic);
    EXPECT_EQ(s.Size, "11");
    EXPECT_EQ(s.TextStart, "9");
    EXPECT_EQ(s.Image, "purple.gif");
    EXPECT_EQ(Options.ButtonSwatch, 9);
    EXPECT_EQ(s.ImageDir, "pics");
    EXPECT_TRUE(Platform.Events.empty());
}

TEST_F(ApplyAppletParamsTest, ListsWhatItRefusesAndKeepsThoseValues) {
    const auto problems = ApplyAppletParams({{"frameWidth", "0"},
                                             {"size", "20"},
                                             {"face", "arial"},
                                             {"background", "white"},
                                             {"style", "bold"},
                                             {"image", "pink.gif"},
                                             {"colour", "#000000"},
                                             {"button", "two\nlines"},
                                             {"title", "taken"}},
                                            Options);
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "frameWidth: \"0\" (Width must be a positive integer value.)",
                            "size: \"20\" (Font size must be between 10 and 18.)",
                            "face: \"arial\" (Invalid font face.)",
                            "background: \"white\" (A colour is written #RRGGBB.)",
                            "style: \"bold\" (The style is Regular, Bold, Italic or BoldItalic.)",
                            "image: \"pink.gif\" (The button picture is one of the twelve "
                            "swatches' files.)",
                            "\"colour\": not a setting of the guide",
                            "button: \"two\nlines\" (The value must stay on one line.)"}));
    const AppletSettings s = Options.Settings();
    EXPECT_EQ(s.FrameWidth, "300");
    EXPECT_EQ(s.Size, "12");
    EXPECT_EQ(s.Face, "Times New Roman");
    EXPECT_EQ(s.Background, White);
    EXPECT_FALSE(s.Bold);
    EXPECT_EQ(s.Image, "gray.gif");
    EXPECT_EQ(s.Title, "taken");
    EXPECT_EQ(s.Button, "");
}

TEST_F(ApplyAppletParamsTest, TheSavedElementGivesTheSameElementAfterARestart) {
    Options.TitleEdit.Text = "The \"best\" guide \xE9";
    Options.ButtonEdit.Text = "Go &amp; on";
    Options.ImageDir.Text = "img";
    Options.WidthEdit.Text = "500";
    Options.HeightEdit.Text = "350";
    Options.TextStart.Text = "12";
    AppletOptions::SetComboText(Options.FaceCombo, "Arial");
    AppletOptions::SetComboText(Options.SizeCombo, "18");
    Options.CheckBold.Checked = true;
    Options.CheckItalic.Checked = true;
    Options.Color1 = Rgb{1, 2, 3};
    Options.Color2 = Rgb{250, 251, 252};
    Options.SwatchClick(5);
    const auto lines = AppletTagLines(Options.Settings(), "help.dvx");

    AppletOptions restarted(Platform);
    const auto params = FindAppletElement(Joined(lines));
    ASSERT_TRUE(params);
    EXPECT_TRUE(ApplyAppletParams(*params, restarted).empty());
    EXPECT_EQ(AppletTagLines(restarted.Settings(), "help.dvx"), lines);
}

TEST_F(ApplyAppletParamsTest, LoadFromFileSetsTheOptionsAndListsTheRest) {
    TempDirectory dir;
    const std::string page = dir.File("page.html");
    WriteBytes(page, "<APPLET CODE=\"Dravenloom.class\">\r\n<PARAM NAME=\"title\" VALUE=\"Loaded\">"
                     "\r\n<PARAM NAME=\"size\" VALUE=\"9\">\r\n</APPLET>\r\n");
    Platform.DialogAnswers.push_back(page);
    std::string lastFile;
    LoadOptionsFromFile(Options, Platform, lastFile);
    ASSERT_EQ(Platform.OpenDialogs.size(), 1u);
    EXPECT_EQ(Platform.OpenDialogs[0].Filter, HtmlFilter);
    EXPECT_EQ(lastFile, page);
    EXPECT_EQ(Options.TitleEdit.Text, "Loaded");
    EXPECT_EQ(Options.SizeCombo.Text, "12");
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0],
              ValidationError(std::string(NotTakenIntro) +
                              "\nsize: \"9\" (Font size must be between 10 and 18.)"));
}

struct WebPlayerCase {
    const char* Html;
    bool Loads;
};

class LoadsWebPlayerTest : public ::testing::TestWithParam<WebPlayerCase> {};

TEST_P(LoadsWebPlayerTest, ReadsTheScriptThatLoadsThePlayer) {
    EXPECT_EQ(LoadsWebPlayer(GetParam().Html), GetParam().Loads) << GetParam().Html;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, LoadsWebPlayerTest,
    ::testing::Values(
        WebPlayerCase{"</APPLET>\r\n<script src=\"dravenloom.js\"></script>\r\n", true},
        WebPlayerCase{"<SCRIPT SRC='player/Dravenloom.JS?v=2'></SCRIPT>", true},
        WebPlayerCase{"<script type=\"text/javascript\" src=https://cdn.example/dravenloom.js>",
                      true},
        WebPlayerCase{"<script src=\"lib\\dravenloom.js#x\"></script>", true},
        WebPlayerCase{"</APPLET>\r\n", false},
        WebPlayerCase{"<script src=\"other.js\"></script>", false},
        WebPlayerCase{"<script src=\"dravenloom.js.map\"></script>", false},
        WebPlayerCase{"<script>load('dravenloom.js')</script>", false},
        WebPlayerCase{"<img src=\"dravenloom.js\">", false},
        WebPlayerCase{"<!-- <script src=\"dravenloom.js\"></script> -->", false}));

TEST_F(ApplyAppletParamsTest, LoadFromFileTicksTheBoxExactlyWhenThePageLoadsThePlayer) {
    TempDirectory dir;
    const std::string withScript = dir.File("both.html");
    const std::string element = "<APPLET CODE=\"Dravenloom.class\">\r\n<PARAM NAME=\"title\" "
                                "VALUE=\"T\">\r\n</APPLET>\r\n";
    WriteBytes(withScript, element + "<script src=\"dravenloom.js\"></script>\r\n");
    const std::string plain = dir.File("plain.html");
    WriteBytes(plain, element);
    std::string lastFile;
    Platform.DialogAnswers.push_back(withScript);
    LoadOptionsFromFile(Options, Platform, lastFile);
    EXPECT_TRUE(Options.CheckHtml5.Checked);
    Platform.DialogAnswers.push_back(plain);
    LoadOptionsFromFile(Options, Platform, lastFile);
    EXPECT_FALSE(Options.CheckHtml5.Checked);
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(ApplyAppletParamsTest, LoadFromFileWithoutAnElementSaysSo) {
    TempDirectory dir;
    const std::string page = dir.File("plain.html");
    WriteBytes(page, "<html><p>No guide here.</p></html>");
    Options.TitleEdit.Text = "Mine";
    Platform.DialogAnswers.push_back(page);
    std::string lastFile;
    LoadOptionsFromFile(Options, Platform, lastFile);
    EXPECT_EQ(Options.TitleEdit.Text, "Mine");
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0],
              Information("The file \"plain.html\" holds no applet element for "
                          "Dravenloom.class. Nothing was changed."));
    // A cancelled dialog reads nothing.
    LoadOptionsFromFile(Options, Platform, lastFile);
    EXPECT_EQ(Platform.Messages.size(), 1u);
    // A file that can't be read reaches the error report.
    Platform.DialogAnswers.push_back(dir.File("missing.html"));
    EXPECT_THROW(LoadOptionsFromFile(Options, Platform, lastFile), FileError);
}

} // namespace
} // namespace dravenloom
