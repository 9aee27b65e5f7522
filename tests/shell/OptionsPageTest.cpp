// Tests of the "Generate HTML" page with the whole editor around it: generating the applet
// element (the commit, the untitled guide, the memo, the page, the title and the modified
// state), the Save To File button's rule, saving the element, and options that outlive guides.
#include "shell/OptionsPage.h"
#include "document/Errors.h"
#include "document/GuideFile.h"
#include "support/EditorFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dravenloom {
namespace {

using LineList = std::vector<std::string>;

class OptionsPageTest : public EditorFixture {
protected:
    OptionsPageTest() : Generate(Doc(), Editor(), Files(), Form.Pages, Platform) {}

    AppletTag& Tag() { return Generate.Tag; }
    AppletOptions& Options() { return Generate.Options; }
    void ClickGenerate() { Tag().GenerateBitBtnClick(); }
    // The author's own edit of the memo.
    void TypeIntoMemo(const std::string& text) {
        Tag().HtmlMemo.Text = text;
        Tag().HtmlMemoChange();
    }
    LineList DefaultTag(const std::string& name) {
        return AppletTagLines(Options().Settings(), name);
    }

    OptionsPage Generate;
};

TEST_F(OptionsPageTest, StartsWithAnEmptyMemoAndSaveDisabled) {
    EXPECT_EQ(Tag().HtmlMemo.Text, "");
    EXPECT_FALSE(Tag().SaveBtn.Enabled);
    EXPECT_TRUE(Tag().GenerateBitBtn.Enabled);
}

TEST_F(OptionsPageTest, GeneratesForANamedGuideWithoutWriting) {
    const std::string path = OpenGuide(NumberedRecords(2), "help.dvx");
    const std::string before = ReadBytes(path);
    Form.Pages.ActivePage = Page::EditView;
    ClickGenerate();
    EXPECT_EQ(Tag().MemoLines(), DefaultTag("help.dvx"));
    EXPECT_EQ(Tag().MemoLines().at(3), R"(<PARAM NAME="filename" VALUE="help.dvx">)");
    EXPECT_EQ(Tag().HtmlMemo.Text.find("\r\n"), Tag().MemoLines().at(0).size());
    EXPECT_TRUE(Tag().SaveBtn.Enabled);
    EXPECT_TRUE(Tag().MemoScrollBar);
    EXPECT_EQ(Form.Pages.ActivePage, Page::GenerateHtml);
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - help.dvx");
    EXPECT_TRUE(Platform.SaveDialogs.empty());
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_FALSE(Modified());
}

// Clearing the modified state of a named guide would let Close throw its unsaved edits away
// without a question; generation leaves it alone.
TEST_F(OptionsPageTest, LeavesANamedGuideModified) {
    const std::string path = OpenGuide(NumberedRecords(2), "help.dvx");
    TypeDialogue("Changed");
    ASSERT_TRUE(Modified());
    ClickGenerate();
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(Doc().SaveItem.Enabled);
    // Close still asks, and Yes writes the edit.
    Platform.MessageAnswers.push_back(MsgAnswer::Yes);
    Files().Close1Click();
    EXPECT_EQ(Platform.Messages.at(0).Text, "Save changes to help.dvx?");
    EXPECT_NE(ReadBytes(path).find("Changed"), std::string::npos);
}

TEST_F(OptionsPageTest, CommitsTheRecordBeingEdited) {
    OpenGuide(NumberedRecords(2), "help.dvx");
    TypeDialogue("Typed just now");
    ClickGenerate();
    EXPECT_EQ(Lines().at(0), Primary(1, "Typed just now"));
}

TEST_F(OptionsPageTest, SavesAnUntitledGuideFirst) {
    const std::string chosen = Dir.File("first");
    TypeDialogue("Hello");
    Platform.DialogAnswers.push_back(chosen);
    ClickGenerate();
    ASSERT_EQ(Platform.SaveDialogs.size(), 1u);
    EXPECT_EQ(Platform.SaveDialogs[0].Title, "Save Guide before generating HTML");
    EXPECT_EQ(Doc().StatusText, "Saved first.dvx");
    EXPECT_EQ(Doc().GuideFileName, chosen + ".dvx");
    EXPECT_EQ(ReadBytes(chosen + ".dvx"), EncodeLineForFile(Primary(1, "Hello")) + "\r\n");
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - first.dvx");
    EXPECT_FALSE(Modified());
    EXPECT_EQ(Tag().MemoLines(), DefaultTag("first.dvx"));
    EXPECT_EQ(Form.Pages.ActivePage, Page::GenerateHtml);
}

TEST_F(OptionsPageTest, CancellingTheSaveDialogChangesNothing) {
    TypeIntoMemo("earlier text");
    TypeDialogue("Hello");
    Form.Pages.ActivePage = Page::EditView;
    Platform.DialogAnswers.push_back(std::nullopt);
    ClickGenerate();
    EXPECT_EQ(Platform.SaveDialogs.size(), 1u);
    EXPECT_EQ(Tag().HtmlMemo.Text, "earlier text");
    EXPECT_TRUE(Tag().SaveBtn.Enabled);
    EXPECT_FALSE(Tag().MemoScrollBar);
    EXPECT_TRUE(Doc().Untitled());
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - Untitled");
    EXPECT_TRUE(Modified());
    EXPECT_EQ(Form.Pages.ActivePage, Page::EditView);
    EXPECT_TRUE(std::filesystem::is_empty(Dir.Path));
}

TEST_F(OptionsPageTest, GeneratingTwiceReplacesTheElement) {
    OpenGuide(NumberedRecords(1), "help.dvx");
    ClickGenerate();
    Options().TitleEdit.Text = "Second";
    ClickGenerate();
    const LineList lines = Tag().MemoLines();
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines.at(4), R"(<PARAM NAME="title" VALUE="Second">)");
}

TEST_F(OptionsPageTest, ReplacesTheAuthorsEditsWhole) {
    OpenGuide(NumberedRecords(1), "help.dvx");
    TypeIntoMemo("line one\r\nline two\r\nline three");
    ClickGenerate();
    EXPECT_EQ(Tag().MemoLines(), DefaultTag("help.dvx"));
}

TEST_F(OptionsPageTest, SaveButtonFollowsTheMemo) {
    OpenGuide(NumberedRecords(1), "help.dvx");
    ClickGenerate();
    ASSERT_TRUE(Tag().SaveBtn.Enabled);
    TypeIntoMemo("");
    EXPECT_FALSE(Tag().SaveBtn.Enabled);
    TypeIntoMemo("x");
    EXPECT_TRUE(Tag().SaveBtn.Enabled);
    TypeIntoMemo("\r\n");
    EXPECT_TRUE(Tag().SaveBtn.Enabled); // a line break is text too
}

TEST_F(OptionsPageTest, RefusesAGuideNameTheHtmlFileCannotHold) {
    OpenGuide(NumberedRecords(1), "tour-\xE5\x90\x8D.dvx");
    TypeIntoMemo("earlier text");
    Form.Pages.ActivePage = Page::EditView;
    EXPECT_THROW(ClickGenerate(), DravenloomError);
    EXPECT_EQ(Tag().HtmlMemo.Text, "earlier text");
    EXPECT_EQ(Form.Pages.ActivePage, Page::EditView);
}

// Saving the element.

TEST_F(OptionsPageTest, SavesTheMemoWithCrLfAfterEveryLine) {
    OpenGuide(NumberedRecords(1), "help.dvx");
    Options().TitleEdit.Text = "Caf\xE9";
    ClickGenerate();
    const std::string target = Dir.File("page.html");
    Platform.DialogAnswers.push_back(target);
    Tag().SaveBtnClick();
    ASSERT_EQ(Platform.SaveDialogs.size(), 1u);
    const FileDialogRequest& request = Platform.SaveDialogs[0];
    EXPECT_EQ(request.Filter, "HTML Files (*.html, *.htm)|*.html; *.htm");
    EXPECT_EQ(request.DefaultExt, "html");
    EXPECT_TRUE(request.OverwritePrompt);
    std::string expected;
    for (const auto& line : Tag().MemoLines())
        expected += line + "\r\n";
    const std::string written = ReadBytes(target);
    EXPECT_EQ(written, expected);
    EXPECT_NE(written.find("VALUE=\"Caf\xE9\""), std::string::npos); // code page bytes
    EXPECT_EQ(written.substr(written.size() - 11), "</APPLET>\r\n");
}

// The page goes beside the guide it publishes: the first Save To File of a guide starts in
// its folder with a page named after it, later ones offer the page saved last, and another
// guide starts afresh. The status line says where the element went.
TEST_F(OptionsPageTest, SaveToFileStartsBesideTheGuideAndSaysWhereItSaved) {
    OpenGuide(NumberedRecords(1), "lamp.dvx");
    ClickGenerate();
    const std::string target = Dir.File("published.htm");
    Platform.DialogAnswers.push_back(target);
    Tag().SaveBtnClick();
    ASSERT_EQ(Platform.SaveDialogs.size(), 1u);
    EXPECT_EQ(Platform.SaveDialogs[0].Directory, Dir.Path.string());
    EXPECT_EQ(Platform.SaveDialogs[0].FileName, "lamp.html");
    EXPECT_EQ(Doc().StatusText, "Saved the applet element to published.htm");
    EXPECT_EQ(ReadBytes(target).substr(0, 7), "<APPLET");

    Platform.DialogAnswers.push_back(std::nullopt);
    Tag().SaveBtnClick();
    EXPECT_EQ(Platform.SaveDialogs.at(1).FileName, target);
    EXPECT_EQ(Doc().StatusText, "Saved the applet element to published.htm") << "cancelled";

    TempDirectory other;
    const std::string guide = other.File("tour");
    WriteGuideFileBytes(guide, NumberedRecords(1));
    Doc().OpenDialogPath = guide;
    Files().OpenGuideFile();
    Platform.DialogAnswers.push_back(std::nullopt);
    Tag().SaveBtnClick();
    EXPECT_EQ(Platform.SaveDialogs.at(2).Directory, other.Path.string());
    EXPECT_EQ(Platform.SaveDialogs.at(2).FileName, "tour.html");

    // Load From File starts in the guide's folder too, until a page was chosen.
    Platform.DialogAnswers.push_back(std::nullopt);
    Generate.LoadBtnClick();
    EXPECT_EQ(Platform.OpenDialogs.at(0).Directory, other.Path.string());
    EXPECT_EQ(Platform.OpenDialogs.at(0).FileName, "");
}

TEST_F(OptionsPageTest, SavesTheAuthorsOwnLines) {
    TypeIntoMemo("one\ntwo\r\rthree\r\n");
    const std::string target = Dir.File("mine");
    Platform.DialogAnswers.push_back(target);
    Tag().SaveBtnClick();
    EXPECT_EQ(ReadBytes(target + ".html"), "one\r\ntwo\r\n\r\nthree\r\n");
    // The dialog offers the file chosen last.
    Tag().SaveBtnClick();
    EXPECT_EQ(Platform.SaveDialogs.at(1).FileName, target + ".html");
}

TEST_F(OptionsPageTest, CancellingTheTagDialogWritesNothing) {
    TypeIntoMemo("text");
    Platform.DialogAnswers.push_back(std::nullopt);
    Tag().SaveBtnClick();
    EXPECT_TRUE(std::filesystem::is_empty(Dir.Path));
    EXPECT_EQ(Tag().HtmlMemo.Text, "text");
}

TEST_F(OptionsPageTest, AFailedWriteIsReportedAndKeepsTheMemo) {
    TypeIntoMemo("text");
    Platform.DialogAnswers.push_back(Dir.File("missing/page.html"));
    EXPECT_THROW(Tag().SaveBtnClick(), FileError);
    EXPECT_EQ(Tag().HtmlMemo.Text, "text");
    EXPECT_TRUE(Tag().SaveBtn.Enabled);
}

#ifndef _WIN32
TEST_F(OptionsPageTest, AWriteThatFailsHalfWayKeepsTheOldFile) {
    const std::string target = Dir.File("page.html");
    WriteBytes(target, "old page\r\n");
    TypeIntoMemo(std::string(4096, 'x'));
    Platform.DialogAnswers.push_back(target);
    {
        FileSizeLimit limit(100);
        EXPECT_THROW(Tag().SaveBtnClick(), FileError);
    }
    EXPECT_EQ(ReadBytes(target), "old page\r\n");
    EXPECT_EQ(Tag().HtmlMemo.Text, std::string(4096, 'x'));
}
#endif

// Load From File.

TEST_F(OptionsPageTest, GenerateSaveRestartLoadGivesTheSameElement) {
    OpenGuide(NumberedRecords(1), "help.dvx");
    Options().TitleEdit.Text = "Say \"hi\"";
    Options().SizeCombo.Text = "14";
    Options().CheckItalic.Checked = true;
    Options().SwatchClick(1);
    Platform.ColourAnswers.push_back(Rgb{9, 8, 7});
    Options().MTranBtn2Click();
    ClickGenerate();
    const std::string first = Tag().HtmlMemo.Text;
    const std::string page = Dir.File("page.html");
    Platform.DialogAnswers.push_back(page);
    Tag().SaveBtnClick();

    OptionsPage restarted(Doc(), Editor(), Files(), Form.Pages, Platform);
    Platform.DialogAnswers.push_back(page);
    restarted.LoadBtnClick();
    EXPECT_TRUE(Platform.Messages.empty());
    restarted.Tag.GenerateBitBtnClick();
    EXPECT_EQ(restarted.Tag.HtmlMemo.Text, first);
    EXPECT_EQ(restarted.Options.Color2, (Rgb{9, 8, 7}));
}

// The options belong to the window, not to the guide.

TEST_F(OptionsPageTest, OptionsNeitherMarkTheGuideNorFollowIt) {
    const std::string path = OpenGuide(NumberedRecords(1), "help.dvx");
    Options().TitleEdit.Text = "Kept";
    Options().WidthEdit.Text = "0";
    Options().WidthEditExit();
    Options().CheckBold.Checked = true;
    Options().SwatchClick(3);
    Platform.ColourAnswers.push_back(Rgb{1, 2, 3});
    Options().MTranBtn1Click();
    EXPECT_FALSE(Modified());
    Files().NewGuide1Click();
    Files().Close1Click();
    Platform.DialogAnswers.push_back(path);
    Files().Open1Click();
    ASSERT_EQ(Doc().GuideFileName, path);
    EXPECT_EQ(Options().TitleEdit.Text, "Kept");
    EXPECT_EQ(Options().WidthEdit.Text, "300");
    EXPECT_TRUE(Options().CheckBold.Checked);
    EXPECT_EQ(Options().Image, "orange.gif");
    EXPECT_EQ(Options().Color1, (Rgb{1, 2, 3}));
}

} // namespace
} // namespace dravenloom
