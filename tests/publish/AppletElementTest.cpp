// Tests of reading a saved applet element back into the options: finding the element, the
// values that are taken and those that are refused, the round trip, and "Load From File".
#include "publish/AppletElement.h"
#include "document/Errors.h"
#include "publish/AppletTag.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    const auto element = FindAppletElement(html);
    ASSERT_TRUE(element);
    EXPECT_EQ(element->Params, (AppletParams{{"title", "A \"B\" &amp; C"}, {"size", "14"}}));
}

TEST(FindAppletElementTest, NothingWithoutTheGuidesElement) {
    EXPECT_FALSE(FindAppletElement(""));
    EXPECT_FALSE(FindAppletElement("<p>Dravenloom.class</p>"));
    EXPECT_FALSE(FindAppletElement("<APPLET CODE=\"Other.class\"><PARAM NAME=\"size\" "
                                   "VALUE=\"12\"></APPLET>"));
}

TEST(FindAppletElementTest, AnElementCutShortKeepsWhatItHolds) {
    const auto element = FindAppletElement(
        "<APPLET CODE=\"Dravenloom.class\"><PARAM NAME=\"face\" VALUE=\"Arial\">");
    ASSERT_TRUE(element);
    EXPECT_EQ(element->Params, (AppletParams{{"face", "Arial"}}));
}

// A page can hold anything: a tag of a million attributes, a million PARAMs of no setting, a
// million refused values. Every setting's PARAM is still taken, the others are counted past a
// screenful, and what is listed is a screenful too.
TEST(FindAppletElementTest, KeepsAScreenfulOfWhatIsOfNoUse) {
    std::string html = "<APPLET CODE=\"Dravenloom.class\"";
    for (int i = 0; i < 100000; ++i)
        html += " a" + std::to_string(i) + "=x";
    html += ">\n";
    for (int i = 0; i < 50000; ++i)
        html += "<PARAM NAME=\"unknown" + std::to_string(i) + "\" VALUE=\"v\">";
    html += "<PARAM NAME=\"title\" VALUE=\"Kept\"><PARAM NAME=\"size\" VALUE=\"40\">";
    for (int i = 0; i < 30000; ++i)
        html += "<PARAM NAME=\"face\" VALUE=\"Arial\">";
    html += "</APPLET>";
    const auto element = FindAppletElement(html);
    ASSERT_TRUE(element);
    EXPECT_EQ(element->Params.size(), MaxListedParams + 2 + 30000);
    EXPECT_EQ(element->OthersLeftOut, 50000 - MaxListedParams);
    EXPECT_EQ(element->Params.at(MaxListedParams),
              (std::pair<std::string, std::string>("title", "Kept")));

    ScriptedPlatform platform;
    AppletOptions options(platform);
    const auto problems = ApplyAppletElement(*element, options);
    EXPECT_EQ(options.TitleEdit.Text, "Kept");
    EXPECT_EQ(options.FaceCombo.Text, "Arial");
    ASSERT_EQ(problems.size(), MaxListedParams + 1);
    EXPECT_EQ(problems.front(), "\"unknown0\": not a setting of the guide");
    // The twenty listed are the first unknown names; the rest, the refused size among them,
    // are counted.
    EXPECT_EQ(problems.back(), "... and " + std::to_string(50000 - MaxListedParams + 1) + " more");
}

TEST(FindAppletElementTest, ReadsAttributeNamesInAnyCaseAndTakesTheFirstOfEach) {
    const auto element =
        FindAppletElement("<aPpLeT cOdE=Dravenloom.class code=Other.class>"
                          "<PaRaM VaLuE='b' nAmE=button name=title value=c></ApPlEt>");
    ASSERT_TRUE(element);
    EXPECT_EQ(element->Params, (AppletParams{{"button", "b"}}));
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
                                             {"title", "taken"},
                                             {"imageDir", "\x1B[2J\r"},
                                             {"\x1B]0;x\x07", "v"},
                                             {"imageDir", std::string(70, 'd') + "\n"}},
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
                            // Control characters are shown, not sent to the screen, and a
                            // long value is cut.
                            "button: \"two\\x0Alines\" (The value must stay on one line.)",
                            "imageDir: \"\\x1B[2J\\x0D\" (The value must stay on one line.)",
                            "\"\\x1B]0;x\\x07\": not a setting of the guide",
                            "imageDir: \"" + std::string(60, 'd') +
                                "...\" (The value must stay on one line.)"}));
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
    const auto element = FindAppletElement(Joined(lines));
    ASSERT_TRUE(element);
    EXPECT_TRUE(ApplyAppletElement(*element, restarted).empty());
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

TEST_F(ApplyAppletParamsTest, LoadFromFileStartsInTheGuidesFolderAndRefusesAHugePage) {
    TempDirectory dir;
    std::string lastFile;
    Platform.DialogAnswers.push_back(std::nullopt);
    LoadOptionsFromFile(Options, Platform, lastFile, dir.Path.string());
    ASSERT_EQ(Platform.OpenDialogs.size(), 1u);
    EXPECT_EQ(Platform.OpenDialogs[0].Directory, dir.Path.string());
    EXPECT_EQ(Platform.OpenDialogs[0].FileName, "");

    // One byte past the limit is refused before anything is read (the file is sparse: it
    // takes no room on the disk).
    const std::string huge = dir.File("huge.html");
    WriteBytes(huge, "<APPLET CODE=\"Dravenloom.class\"><PARAM NAME=\"title\" VALUE=\"T\">");
    std::filesystem::resize_file(huge, ElementPageLimit.Bytes + 1);
    Platform.DialogAnswers.push_back(huge);
    try {
        LoadOptionsFromFile(Options, Platform, lastFile, dir.Path.string());
        ADD_FAILURE() << "a page past the limit was read";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("It is larger than 16 MB"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(Options.TitleEdit.Text, "");
    // The next dialog offers the file chosen last, wherever the guide is.
    Platform.DialogAnswers.push_back(std::nullopt);
    LoadOptionsFromFile(Options, Platform, lastFile, "elsewhere");
    EXPECT_EQ(Platform.OpenDialogs.at(2).FileName, huge);

    // Exactly at the limit it is read.
    std::filesystem::resize_file(huge, ElementPageLimit.Bytes);
    Platform.DialogAnswers.push_back(huge);
    LoadOptionsFromFile(Options, Platform, lastFile);
    EXPECT_EQ(Options.TitleEdit.Text, "T");
}

} // namespace
} // namespace dravenloom
