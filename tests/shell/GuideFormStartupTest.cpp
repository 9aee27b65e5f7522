// Tests of the main window's start-up (command-line guide, hints, the getting-started wizard),
// its help commands and its toolbar's page switching.
#include "document/Errors.h"
#include "support/EditorFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <utility>

namespace dravenloom {
namespace {

// A main window that is not created yet, so that each test starts it its own way.
class GuideFormStartupTest : public ::testing::Test {
protected:
    GuideFormStartupTest() : Form(Platform, Settings, Dir.Path.string()) {
        Form.ShowWizard = [this] { ++WizardShown; };
    }

    // Window creation with these command-line arguments, then the first show.
    void Start(const std::vector<std::string>& arguments = {}) {
        Form.FormCreate(arguments);
        Form.FormShow();
    }

    std::string WriteGuide(const std::string& name, std::int32_t records) {
        const std::string path = Dir.File(name);
        std::string bytes;
        for (std::int32_t n = 1; n <= records; ++n)
            bytes +=
                BuildPrimaryLine(n, "Record " + std::to_string(n), "", "300", "0", false) + "\r\n";
        WriteBytes(path, bytes);
        return path;
    }

    TempDirectory Dir;
    ScriptedPlatform Platform;
    MemorySettings Settings;
    GuideForm Form;
    int WizardShown = 0;
};

TEST_F(GuideFormStartupTest, FirstRunWritesWizardAndShowsIt) {
    Start();
    EXPECT_TRUE(Form.HintsEnabled);
    EXPECT_TRUE(Form.ShowHintsItem.Checked);
    EXPECT_TRUE(Settings.KeyExists(ProgramKey));
    EXPECT_EQ(WizardShown, 0) << "the wizard waits for the timer";
    EXPECT_TRUE(Form.TimerEnabled);

    Form.Timer1Timer();
    EXPECT_EQ(Settings.Int(ProgramKey, "Wizard"), 1);
    EXPECT_EQ(WizardShown, 1);
    EXPECT_FALSE(Form.TimerEnabled);
    // One shot.
    Form.Timer1Timer();
    EXPECT_EQ(WizardShown, 1);
    EXPECT_EQ(Settings.Writes.size(), 1u);
}

TEST_F(GuideFormStartupTest, StoredWizardSettingDecides) {
    Settings.SetBool(ProgramKey, "Wizard", false);
    Start();
    Form.Timer1Timer();
    EXPECT_EQ(WizardShown, 0);

    GuideForm again(Platform, Settings, Dir.Path.string());
    again.ShowWizard = [this] { ++WizardShown; };
    Settings.SetBool(ProgramKey, "Wizard", true);
    again.FormCreate({});
    again.FormShow();
    again.Timer1Timer();
    EXPECT_EQ(WizardShown, 1);
    EXPECT_TRUE(Settings.Writes.empty());
}

TEST_F(GuideFormStartupTest, StoredHintsOffAndTheMenuItemTogglesThem) {
    Settings.SetBool(ProgramKey, "Hints", false);
    Start();
    EXPECT_FALSE(Form.ShowHintsItem.Checked);
    EXPECT_FALSE(Form.HintsEnabled);

    Form.ShowHints2Click();
    EXPECT_TRUE(Form.ShowHintsItem.Checked);
    EXPECT_TRUE(Form.HintsEnabled);
    EXPECT_EQ(Settings.Int(ProgramKey, "Hints"), 1);
    Form.ShowHints2Click();
    EXPECT_FALSE(Form.HintsEnabled);
    EXPECT_EQ(Settings.Writes,
              (std::vector<std::string>{"Software\\Korvessa\\Dravenloom|Hints=1",
                                        "Software\\Korvessa\\Dravenloom|Hints=0"}));
}

TEST_F(GuideFormStartupTest, UnreachableSettingsLeaveHintsOnSilently) {
    Settings.SetBool(ProgramKey, "Hints", false);
    Settings.FailOpen = true;
    Start();
    EXPECT_TRUE(Form.HintsEnabled);
    Form.ShowHints2Click();
    EXPECT_FALSE(Form.HintsEnabled);
    Form.Timer1Timer();
    EXPECT_EQ(WizardShown, 1);
    EXPECT_TRUE(Settings.Writes.empty());
    EXPECT_TRUE(Platform.Messages.empty());
}

// "Hints" and "Wizard" values that are there but can't be read count as missing: hints stay
// on, and the wizard's first run is written and shown.
enum class Stored { Nothing, Text, OtherType };

class UnreadStartupSettingTest : public GuideFormStartupTest,
                                 public ::testing::WithParamInterface<Stored> {
protected:
    void Store(const char* name) {
        if (GetParam() == Stored::Text)
            Settings.SetString(ProgramKey, name, "0");
        else if (GetParam() == Stored::OtherType)
            Settings.SetUnreadable(ProgramKey, name);
    }
};

TEST_P(UnreadStartupSettingTest, CountsAsMissing) {
    Store("Hints");
    Store("Wizard");
    Start();
    EXPECT_TRUE(Form.HintsEnabled);
    EXPECT_TRUE(Form.ShowHintsItem.Checked);
    Form.Timer1Timer();
    EXPECT_EQ(WizardShown, 1);
    EXPECT_EQ(Settings.Writes, std::vector<std::string>{std::string(ProgramKey) + "|Wizard=1"});
}

INSTANTIATE_TEST_SUITE_P(Values, UnreadStartupSettingTest,
                         ::testing::Values(Stored::Nothing, Stored::Text, Stored::OtherType),
                         [](const auto& info) {
                             switch (info.param) {
                             case Stored::Nothing:
                                 return "Missing";
                             case Stored::Text:
                                 return "Text";
                             case Stored::OtherType:
                                 return "OfNoKnownType";
                             }
                             return "";
                         });

TEST_F(GuideFormStartupTest, CommandLineGuideIsOpenedByTheTimerInsteadOfTheWizard) {
    const std::string path = WriteGuide("start.dvx", 3);
    Start({path});
    EXPECT_TRUE(Form.OpenAtStart);
    EXPECT_EQ(Form.StartFile, path);
    EXPECT_EQ(Form.Document.WindowTitle, "Dravenloom - Untitled") << "opened only by the timer";

    Form.Timer1Timer();
    EXPECT_EQ(Form.Document.GuideFileName, path);
    EXPECT_EQ(Form.Document.WindowTitle, "Dravenloom - start.dvx");
    EXPECT_EQ(Form.Document.StatusText, "Record 1 of 3");
    EXPECT_EQ(Form.View.DialogueMemo.Text, "Record 1");
    EXPECT_EQ(WizardShown, 0);
    EXPECT_FALSE(Settings.Has(ProgramKey, "Wizard"));
}

TEST_F(GuideFormStartupTest, ArgumentThatIsNoFileGivesANewGuideAndTheWizardRule) {
    std::filesystem::create_directory(Dir.Path / "folder.dvx");
    for (const std::string& argument : {Dir.File("absent.dvx"), Dir.File("folder.dvx")}) {
        GuideForm form(Platform, Settings, Dir.Path.string());
        form.ShowWizard = [this] { ++WizardShown; };
        form.FormCreate({argument});
        form.FormShow();
        EXPECT_FALSE(form.OpenAtStart) << argument;
        form.Timer1Timer();
        EXPECT_EQ(form.Document.WindowTitle, "Dravenloom - Untitled");
        EXPECT_EQ(form.View.DialogueMemo.Text, PlaceholderDialogue);
    }
    EXPECT_EQ(WizardShown, 2);
    EXPECT_EQ(Settings.Int(ProgramKey, "Wizard"), 1);
}

TEST_F(GuideFormStartupTest, HelpFileLiesBesideTheExecutable) {
    Start();
    const std::filesystem::path help(Form.HelpFile);
    EXPECT_EQ(help.filename(), "Dravenloom.hlp");
    EXPECT_TRUE(std::filesystem::equivalent(help.parent_path(), Dir.Path));
    Form.Contents2Click();
    EXPECT_EQ(Platform.HelpRequests, (std::vector<std::string>{Form.HelpFile}));

    Form.HomePage1Click();
    ASSERT_EQ(Platform.Addresses.size(), 1u);
    EXPECT_EQ(Platform.Addresses[0].rfind("https://", 0), 0u) << Platform.Addresses[0];
}

// The help key shows the help book's page about the view on show; every view has its page in
// the book the program ships.
TEST_F(GuideFormStartupTest, HelpKeyShowsThePageOfTheViewOnShow) {
    Start();
    const std::pair<Page, const char*> views[] = {{Page::EditView, "edit-view.html"},
                                                  {Page::LogicView, "logic-view.html"},
                                                  {Page::GenerateHtml, "generate-html.html"},
                                                  {Page::Demonstration, "demonstration.html"},
                                                  {Page::Upload, "upload.html"}};
    const std::filesystem::path book =
        std::filesystem::path(DRAVENLOOM_SOURCE_DIR) / "resources" / HelpBookFolder;
    for (const auto& [view, page] : views) {
        Form.Pages.ActivePage = view;
        Form.ViewHelpKeyPress();
        ASSERT_FALSE(Platform.HelpPages.empty());
        const std::filesystem::path shown(Platform.HelpPages.back());
        EXPECT_EQ(shown.filename(), page) << PageCaption(view);
        EXPECT_TRUE(std::filesystem::equivalent(shown.parent_path().parent_path(), Dir.Path));
        EXPECT_EQ(shown.parent_path().filename(), HelpBookFolder);
        EXPECT_TRUE(std::filesystem::is_regular_file(book / shown.filename())) << page;
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(book / HelpContentsPage));
    EXPECT_TRUE(Platform.HelpRequests.empty()) << "the help key is not the contents";
    EXPECT_EQ(Platform.HelpPages.size(), 5u);
}

// The toolbar, on a created window.
class ToolbarTest : public EditorFixture {};

TEST_F(ToolbarTest, EditViewCommitsAndReloadsTheRecord) {
    OpenGuide(NumberedRecords(2));
    TypeDialogue("a\nb");
    Form.ToolbarButton973Click();
    EXPECT_EQ(Form.Pages.ActivePage, Page::GenerateHtml);
    EXPECT_EQ(Lines(), NumberedRecords(2)) << "Generate HTML commits nothing";

    Form.ToolbarButton971Click();
    EXPECT_EQ(Form.Pages.ActivePage, Page::EditView);
    EXPECT_EQ(Lines()[0], Primary(1, "a\r\nb"));
    EXPECT_EQ(View().DialogueMemo.Text, "a\r\nb") << "the view shows the record as stored";
    EXPECT_TRUE(Modified());
}

TEST_F(ToolbarTest, LogicViewAndUploadCommitFirst) {
    int logicShown = 0;
    Form.LogicViewShown = [&] {
        ++logicShown;
        EXPECT_EQ(Doc().Records.ReadRecord(1).Dialogue, "For the tree");
    };
    OpenGuide(NumberedRecords(2));
    TypeDialogue("For the tree");
    Form.ToolbarButton972Click();
    EXPECT_EQ(Form.Pages.ActivePage, Page::LogicView);
    EXPECT_EQ(logicShown, 1);

    TypeDialogue("For the upload");
    Form.ToolbarButton976Click();
    EXPECT_EQ(Form.Pages.ActivePage, Page::Upload);
    EXPECT_EQ(Doc().Records.ReadRecord(1).Dialogue, "For the upload");

    // A new guide brings the Edit View back.
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Files().NewGuide1Click();
    EXPECT_EQ(Form.Pages.ActivePage, Page::EditView);
}

TEST_F(ToolbarTest, SwitchingPagesKeepsACleanGuideClean) {
    OpenGuide(NumberedRecords(2));
    Form.ToolbarButton972Click();
    Form.ToolbarButton976Click();
    Form.ToolbarButton971Click();
    EXPECT_FALSE(Modified());
}

// The two ways into the Demonstration: the toolbar starts at record 1, the Edit View's "Demo"
// at the record being edited; both put the unsaved edits into the guide first.
struct DemonstrationCaller {
    const char* Name;
    void (GuideForm::*Click)();
    bool StartsAtCurrentRecord;
};

void PrintTo(const DemonstrationCaller& caller, std::ostream* out) {
    *out << caller.Name;
}

class DemonstrationStartTest : public EditorFixture,
                               public ::testing::WithParamInterface<DemonstrationCaller> {};

TEST_P(DemonstrationStartTest, CommitsFirstAndStartsAtItsRecord) {
    OpenGuide(NumberedRecords(4));
    ShowRecord(3);
    TypeDialogue("Not saved yet");
    Platform.ClearRecords();
    int started = 0;
    std::int32_t seenStart = 0;
    Form.DemonstrationStarted = [&] {
        ++started;
        EXPECT_EQ(Form.Pages.ActivePage, Page::Demonstration);
        EXPECT_EQ(Doc().Records.ReadRecord(3).Dialogue, "Not saved yet");
        EXPECT_EQ(Platform.CurrentPointer, PointerShape::Busy);
        seenStart = Form.DemoStartRecord;
    };
    (Form.*GetParam().Click)();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(seenStart, GetParam().StartsAtCurrentRecord ? 3 : 1);
    EXPECT_EQ(Platform.Events, (std::vector<std::string>{"pointer:busy", "pointer:normal"}));
    EXPECT_EQ(Doc().CurrentRecord, 3) << "the Edit View stays on its record";
    EXPECT_TRUE(Modified());

    // Started again from another record, the start follows the caller's rule again.
    Form.ToolbarButton971Click();
    ShowRecord(2);
    Form.DemonstrationStarted = nullptr;
    (Form.*GetParam().Click)();
    EXPECT_EQ(Form.DemoStartRecord, GetParam().StartsAtCurrentRecord ? 2 : 1);
}

TEST_P(DemonstrationStartTest, ACleanGuideStaysCleanAndAFailedStartGivesThePointerBack) {
    OpenGuide(NumberedRecords(2));
    (Form.*GetParam().Click)();
    EXPECT_FALSE(Modified());

    Form.DemonstrationStarted = [] { throw ConversionError("'x' is not a valid integer value"); };
    EXPECT_THROW((Form.*GetParam().Click)(), ConversionError);
    EXPECT_EQ(Platform.CurrentPointer, PointerShape::Normal);
    EXPECT_EQ(Form.Pages.ActivePage, Page::Demonstration);
}

INSTANTIATE_TEST_SUITE_P(
    Callers, DemonstrationStartTest,
    ::testing::Values(DemonstrationCaller{"Toolbar", &GuideForm::ToolbarButton975Click, false},
                      DemonstrationCaller{"Demo", &GuideForm::BitBtn5Click, true}),
    [](const ::testing::TestParamInfo<DemonstrationCaller>& info) {
        return std::string(info.param.Name);
    });

TEST_F(ToolbarTest, LeavingAnEmptyDialogueIsReported) {
    int leftEmpty = 0;
    Form.DialogueLeftEmpty = [&] { ++leftEmpty; };
    Form.DialogueMemoExit();
    EXPECT_EQ(leftEmpty, 0);
    TypeDialogue("");
    Form.DialogueMemoExit();
    EXPECT_EQ(leftEmpty, 1);
}

} // namespace
} // namespace dravenloom
