// Tests of the recovery copy kept while a guide has unsaved changes (written at the timer's
// tick, removed by saving and by putting the guide aside) and of its offer at start-up.
#include "shell/CrashRecovery.h"

#include "document/GuideFile.h"
#include "support/EditorFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t CrashTime = 1000;
constexpr std::int64_t StartTime = 2000;

// The clock the tests run on: a crash at 14:32, the next start at 16:05 the same day.
LocalTime TestLocalTime(std::int64_t seconds) {
    return seconds == CrashTime ? LocalTime{2026, 12, 8, 14, 32} : LocalTime{2026, 12, 8, 16, 5};
}

class CrashRecoveryTest : public EditorFixture {
protected:
    CrashRecoveryTest() { UseTestClock(Form, CrashTime); }

    static void UseTestClock(GuideForm& form, std::int64_t now) {
        form.Recovery.Clock = [now] { return now; };
        form.Recovery.ToLocalTime = TestLocalTime;
    }

    std::string Folder() const { return Dir.File("recovery"); }
    void KeepCopies() { Form.Recovery.UseDirectory(Folder()); }

    // The copies in the folder, read back.
    std::vector<RecoveryCopy> CopiesOnDisk() const {
        std::vector<RecoveryCopy> copies;
        if (!fs::exists(Folder()))
            return copies;
        for (const auto& entry : fs::directory_iterator(Folder())) {
            if (entry.path().extension() != ".recovery")
                continue;
            auto copy = DecodeRecoveryCopy(ReadBytes(entry.path()));
            EXPECT_TRUE(copy.has_value()) << entry.path();
            if (copy)
                copies.push_back(*copy);
        }
        return copies;
    }

    std::string TextOnDisk(std::int32_t record) const {
        const auto copies = CopiesOnDisk();
        EXPECT_EQ(copies.size(), 1u);
        return copies.empty() ? std::string()
                              : RecordList(copies[0].Lines).ReadRecord(record).Dialogue;
    }

    bool OwnCopyOnDisk() { return fs::exists(Form.Recovery.Store().OwnCopyPath()); }
};

TEST_F(CrashRecoveryTest, WrittenOnlyWhileModifiedWithTheRecordOnScreen) {
    KeepCopies();
    const std::string guide = OpenGuide(NumberedRecords(3), "lamp.dvx");
    Form.Recovery.TimerTick();
    EXPECT_TRUE(CopiesOnDisk().empty()) << "a clean guide needs no copy";

    ShowRecord(2);
    TypeDialogue("Typed but not committed");
    const auto listBefore = Lines();
    Form.Recovery.TimerTick();
    EXPECT_EQ(TextOnDisk(2), "Typed but not committed");
    EXPECT_EQ(CopiesOnDisk().at(0).GuideFileName, guide);
    EXPECT_EQ(Lines(), listBefore) << "the Edit View is not committed";
    EXPECT_TRUE(Modified());

    TypeDialogue("Typed further");
    Form.Recovery.TimerTick();
    EXPECT_EQ(TextOnDisk(2), "Typed further");
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(CrashRecoveryTest, ACopyNoLongerNeededGoesAtTheNextTick) {
    KeepCopies();
    TypeDialogue("x");
    Form.Recovery.TimerTick();
    ASSERT_TRUE(OwnCopyOnDisk());
    // Back at the saved state without a save (as undoing all the way back does).
    Doc().SaveItem.Enabled = false;
    Form.Recovery.TimerTick();
    EXPECT_FALSE(OwnCopyOnDisk());
}

// Each way of writing the guide or putting it aside takes the copy away.
struct EndingCase {
    const char* Name;
    void (*Act)(CrashRecoveryTest& test, ScriptedPlatform& platform, GuideForm& form);
};

class CrashRecoveryEndingTest : public CrashRecoveryTest,
                                public ::testing::WithParamInterface<EndingCase> {};

TEST_P(CrashRecoveryEndingTest, RemovesTheCopy) {
    KeepCopies();
    OpenGuide(NumberedRecords(2), "lamp.dvx");
    TypeDialogue("Changed");
    Form.Recovery.TimerTick();
    ASSERT_TRUE(OwnCopyOnDisk());
    GetParam().Act(*this, Platform, Form);
    EXPECT_FALSE(OwnCopyOnDisk());
    EXPECT_TRUE(CopiesOnDisk().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CrashRecoveryEndingTest,
    ::testing::Values(
        EndingCase{"Save", [](CrashRecoveryTest&, ScriptedPlatform&,
                              GuideForm& form) { form.Files.Save1Click(); }},
        EndingCase{
            "SaveAs",
            [](CrashRecoveryTest&, ScriptedPlatform& platform, GuideForm& form) {
                platform.DialogAnswers.push_back(
                    (fs::path(form.Document.GuideFileName).parent_path() / "other.dvx").string());
                form.Files.SaveAs1Click();
            }},
        EndingCase{"CloseWithoutSaving",
                   [](CrashRecoveryTest&, ScriptedPlatform& platform, GuideForm& form) {
                       platform.MessageAnswers.push_back(MsgAnswer::No);
                       form.Files.Close1Click();
                   }},
        EndingCase{"NewGuideWithoutSaving",
                   [](CrashRecoveryTest&, ScriptedPlatform& platform, GuideForm& form) {
                       platform.MessageAnswers.push_back(MsgAnswer::No);
                       form.Files.NewGuide1Click();
                   }},
        EndingCase{"OpenAnother",
                   [](CrashRecoveryTest&, ScriptedPlatform& platform, GuideForm& form) {
                       platform.MessageAnswers.push_back(MsgAnswer::No);
                       platform.DialogAnswers.push_back(form.Document.GuideFileName);
                       form.Files.Open1Click();
                   }},
        EndingCase{"ProgramClosed",
                   [](CrashRecoveryTest&, ScriptedPlatform& platform, GuideForm& form) {
                       platform.MessageAnswers.push_back(MsgAnswer::No);
                       ASSERT_TRUE(form.Files.CloseQuery());
                       form.Recovery.ProgramClosed();
                   }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CrashRecoveryTest, CancellingTheSaveQuestionKeepsTheCopy) {
    KeepCopies();
    TypeDialogue("Changed");
    Form.Recovery.TimerTick();
    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    Files().Close1Click();
    EXPECT_TRUE(OwnCopyOnDisk());
}

TEST_F(CrashRecoveryTest, AFailedWriteIsReportedOnceUntilAWriteSucceeds) {
    WriteBytes(Folder(), "a file where the directory belongs");
    KeepCopies();
    TypeDialogue("Changed");
    Form.Recovery.TimerTick();
    Form.Recovery.TimerTick();
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Caption, "Error");
    EXPECT_NE(Platform.Messages[0].Text.find("recovery copy"), std::string::npos);
    EXPECT_NE(Platform.Messages[0].Text.find("Save the guide to keep its changes."),
              std::string::npos);

    fs::remove(Folder());
    Form.Recovery.TimerTick();
    EXPECT_TRUE(OwnCopyOnDisk());
    fs::remove_all(Folder());
    WriteBytes(Folder(), "in the way again");
    Form.Recovery.TimerTick();
    EXPECT_EQ(Platform.Messages.size(), 2u);
}

// A program that crashed: it kept copies in the same folder and ended without removing them.
class RecoveryOfferTest : public CrashRecoveryTest {
protected:
    // A program with the guide `lines` (opened from `name`, or new when `name` is empty) that
    // typed `typed` into record `record` and crashed after its copy was written.
    void Crash(const std::vector<std::string>& lines, const std::string& name, std::int32_t record,
               const std::string& typed, std::int64_t when = CrashTime) {
        ScriptedPlatform platform;
        MemorySettings settings;
        GuideForm crashed(platform, settings, Dir.Path.string());
        UseTestClock(crashed, when);
        crashed.FormCreate({});
        crashed.Recovery.UseDirectory(Folder());
        if (!name.empty()) {
            const std::string path = Dir.File(name);
            WriteGuideFileBytes(path, lines);
            crashed.Document.OpenDialogPath = path;
            crashed.Files.OpenGuideFile();
        }
        crashed.Editor.CommitRecord();
        crashed.Nav.LastViewedRecord = crashed.Document.CurrentRecord;
        crashed.Nav.WalkToRecord(record);
        crashed.Editor.DialogueMemoChange(typed);
        crashed.Recovery.TimerTick();
        ASSERT_TRUE(fs::exists(crashed.Recovery.Store().OwnCopyPath()));
    } // no ProgramClosed: the copy stays, its lock goes with the program

    // The next start: window creation with `arguments`, the show, the start-up timer.
    void Start(const std::vector<std::string>& arguments = {}) {
        Next = std::make_unique<GuideForm>(Platform, Settings, Dir.Path.string());
        UseTestClock(*Next, StartTime);
        Next->ShowWizard = [this] { ++WizardShown; };
        Next->FormCreate(arguments);
        Next->Recovery.UseDirectory(Folder());
        Next->FormShow();
        Next->Timer1Timer();
    }

    std::vector<std::string> Questions() const {
        std::vector<std::string> texts;
        for (const auto& request : Platform.Choices)
            texts.push_back(request.Text);
        return texts;
    }

    std::unique_ptr<GuideForm> Next;
    int WizardShown = 0;
};

constexpr int Recover = 0;
constexpr int Discard = 1;
constexpr int Later = 2;

TEST_F(RecoveryOfferTest, RecoverOpensTheGuideModifiedUnderItsOwnName) {
    Crash(NumberedRecords(4), "lamp.dvx", 3, "Every typed character: \xE9\r\n<&>");
    const std::string other = Dir.File("other.dvx");
    WriteGuideFileBytes(other, NumberedRecords(1));
    Platform.ChoiceAnswers.push_back(Recover);
    Start({other});

    ASSERT_EQ(Platform.Choices.size(), 1u);
    EXPECT_EQ(Platform.Choices[0].Text, "Recover unsaved changes to lamp.dvx from 14:32?");
    EXPECT_EQ(Platform.Choices[0].Caption, "Confirm");
    const GuideDocument& doc = Next->Document;
    EXPECT_EQ(doc.GuideFileName, Dir.File("lamp.dvx"));
    EXPECT_EQ(doc.WindowTitle, "Dravenloom - lamp.dvx");
    EXPECT_TRUE(doc.Modified());
    EXPECT_TRUE(doc.SaveAsItem.Enabled);
    EXPECT_EQ(doc.RecordCount, 4);
    EXPECT_EQ(doc.CurrentRecord, 3) << "the record that was on screen";
    EXPECT_EQ(doc.StatusText, "Record 3 of 4");
    EXPECT_EQ(Next->View.DialogueMemo.Text, "Every typed character: \xE9\r\n<&>");
    // The recovered guide stays: neither the guide on the command line nor the wizard.
    EXPECT_EQ(WizardShown, 0);
    EXPECT_TRUE(Platform.OpenDialogs.empty());
    // The copy now is this program's, holding the recovered work; the old one is gone.
    const auto copies = CopiesOnDisk();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_TRUE(fs::exists(Next->Recovery.Store().OwnCopyPath()));
    EXPECT_EQ(RecordList(copies[0].Lines).ReadRecord(3).Dialogue,
              "Every typed character: \xE9\r\n<&>");

    // Save writes the guide where it belongs, and the copy goes.
    Next->Files.Save1Click();
    EXPECT_TRUE(Platform.SaveDialogs.empty());
    const auto saved = ReadGuideLines(Dir.File("lamp.dvx"));
    ASSERT_EQ(saved.size(), 4u);
    EXPECT_EQ(
        RecordList(std::vector<std::string>{DecodeLineFromFile(saved[2])}).ReadRecord(3).Dialogue,
        "Every typed character: \xE9\r\n<&>");
    EXPECT_FALSE(Next->Document.Modified());
    EXPECT_TRUE(CopiesOnDisk().empty());
}

TEST_F(RecoveryOfferTest, AnUntitledGuideStaysUntitledAndSaveAsksForAName) {
    Crash({}, "", 1, "Never saved");
    Platform.ChoiceAnswers.push_back(Recover);
    Start();
    EXPECT_EQ(Questions(),
              std::vector<std::string>{"Recover unsaved changes to Untitled from 14:32?"});
    EXPECT_TRUE(Next->Document.Untitled());
    EXPECT_EQ(Next->Document.WindowTitle, "Dravenloom - Untitled");
    EXPECT_TRUE(Next->Document.Modified());
    EXPECT_EQ(Next->View.DialogueMemo.Text, "Never saved");

    Platform.DialogAnswers.push_back(Dir.File("named"));
    Next->Files.Save1Click();
    ASSERT_EQ(Platform.SaveDialogs.size(), 1u);
    EXPECT_EQ(ReadGuideLines(Dir.File("named.dvx")).size(), 1u);
    EXPECT_TRUE(CopiesOnDisk().empty());
}

TEST_F(RecoveryOfferTest, DiscardDeletesTheCopyAndStartsAsUsual) {
    Crash(NumberedRecords(2), "lamp.dvx", 1, "Thrown away");
    Platform.ChoiceAnswers.push_back(Discard);
    Start();
    EXPECT_EQ(Platform.Choices.size(), 1u);
    EXPECT_TRUE(Next->Document.Untitled());
    EXPECT_FALSE(Next->Document.Modified());
    EXPECT_EQ(WizardShown, 1);
    EXPECT_TRUE(CopiesOnDisk().empty());
    EXPECT_TRUE(fs::is_empty(Folder())) << "its lock file goes too";
}

TEST_F(RecoveryOfferTest, LaterKeepsTheCopyForTheNextStart) {
    Crash(NumberedRecords(2), "lamp.dvx", 1, "Kept for later");
    const std::string other = Dir.File("other.dvx");
    WriteGuideFileBytes(other, NumberedRecords(5));
    Platform.ChoiceAnswers.push_back(Later);
    Start({other});
    EXPECT_EQ(Next->Document.GuideFileName, other) << "the command-line guide after the question";
    EXPECT_EQ(CopiesOnDisk().size(), 1u);
    Next.reset();

    // Escape (or closing the box) is Later too.
    Start();
    EXPECT_EQ(Platform.Choices.size(), 2u);
    EXPECT_EQ(CopiesOnDisk().size(), 1u);
    EXPECT_EQ(WizardShown, 1);
}

TEST_F(RecoveryOfferTest, NewestFirstAndTheOthersWaitAfterARecover) {
    Crash(NumberedRecords(2), "older.dvx", 1, "Older", CrashTime);
    Crash(NumberedRecords(2), "newer.dvx", 2, "Newer", CrashTime + 1);
    Crash(NumberedRecords(2), "oldest.dvx", 1, "Oldest", CrashTime - 1);
    Platform.ChoiceAnswers = {Discard, Recover};
    Start();
    EXPECT_EQ(Questions(),
              (std::vector<std::string>{"Recover unsaved changes to newer.dvx from 16:05?",
                                        "Recover unsaved changes to older.dvx from 14:32?"}));
    EXPECT_EQ(Next->View.DialogueMemo.Text, "Older");
    std::vector<std::string> left;
    for (const auto& copy : CopiesOnDisk())
        left.push_back(fs::path(copy.GuideFileName).filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"older.dvx", "oldest.dvx"}))
        << "this program's copy of the recovered guide, and the one not asked about";
}

TEST_F(RecoveryOfferTest, ACopyOfAProgramStillRunningIsNotOffered) {
    KeepCopies();
    TypeDialogue("Still being typed");
    Form.Recovery.TimerTick();
    Start();
    EXPECT_TRUE(Platform.Choices.empty());
    EXPECT_EQ(WizardShown, 1);
    EXPECT_TRUE(OwnCopyOnDisk());
}

TEST_F(RecoveryOfferTest, UndoNeverCallsARecoveredGuideSaved) {
    Crash(NumberedRecords(3), "lamp.dvx", 2, "Recovered work");
    const std::string onDisk = ReadBytes(Dir.File("lamp.dvx"));
    Platform.ChoiceAnswers.push_back(Recover);
    Start();
    GuideForm& form = *Next;
    form.Editor.DialogueMemoChange("Recovered work, and a character");
    form.Undo1Click();
    EXPECT_EQ(form.View.DialogueMemo.Text, "Recovered work");
    EXPECT_TRUE(form.Document.Modified()) << "the file still holds the text from before";
    form.Recovery.TimerTick();
    EXPECT_EQ(CopiesOnDisk().size(), 1u) << "the copy of the recovered work stays";
    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    ASSERT_FALSE(form.Files.CloseQuery()) << "Close asks";
    EXPECT_EQ(Platform.Messages.back().Text, "Save changes to lamp.dvx?");
    EXPECT_EQ(ReadBytes(Dir.File("lamp.dvx")), onDisk);

    // Written, the recovered guide has a saved point like any other.
    form.Files.Save1Click();
    form.Editor.DialogueMemoChange("After the save");
    form.Undo1Click();
    EXPECT_FALSE(form.Document.Modified());
}

// Copies whose lines a guide file could not hold either: each is offered as one that cannot be
// restored, the window keeps the new guide, and the copy stays on disk until it is discarded.
TEST_F(RecoveryOfferTest, ACopyFailingTheGuideChecksIsNeverLoaded) {
    struct Case {
        std::vector<std::string> Lines;
        std::string Fault;
    };
    const std::vector<Case> cases = {
        {{Primary(1, "One"), "garbage"}, "line 2 does not start with a record number"},
        {{Primary(0, "Zero")},
         "line 1 starts with the record number 0, but record numbers start at 1"},
        {{Primary(1, "One"), Primary(-5, "Minus five")},
         "line 2 starts with the record number -5, but record numbers start at 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Fault);
        fs::remove_all(Folder());
        fs::create_directories(Folder());
        RecoveryCopy copy;
        copy.GuideFileName = Dir.File("lamp.dvx");
        copy.WrittenAt = CrashTime;
        copy.Lines = c.Lines;
        const std::string path = (fs::path(Folder()) / "4711-0123456789abcdef.recovery").string();
        WriteBytes(path, EncodeRecoveryCopy(copy));

        Platform.Choices.clear();
        Platform.ChoiceAnswers.push_back(static_cast<int>(UnrestorableAnswer::Later));
        Start();
        ASSERT_EQ(Platform.Choices.size(), 1u);
        const ChoiceRequest& asked = Platform.Choices[0];
        EXPECT_EQ(asked.Text, "Unsaved changes to lamp.dvx from 14:32 cannot be restored: " +
                                  c.Fault + ". The copy is kept until it is discarded.");
        EXPECT_EQ(asked.Choices, (std::vector<std::string>{"Discard", "Later"}));
        EXPECT_EQ(asked.EscapeChoice, static_cast<int>(UnrestorableAnswer::Later));
        EXPECT_TRUE(Next->Document.Untitled());
        EXPECT_FALSE(Next->Document.Modified());
        EXPECT_TRUE(Next->Document.Records.Lines.empty());
        EXPECT_EQ(Next->Document.StatusText, "Record 1 of 1");
        Next->Nav.StepNext(); // the guide on show holds nothing that fails
        EXPECT_EQ(Next->Document.CurrentRecord, 2);
        EXPECT_TRUE(fs::exists(path)) << "Later keeps it";
        Next.reset();

        Platform.ChoiceAnswers.push_back(static_cast<int>(UnrestorableAnswer::Discard));
        Start();
        EXPECT_EQ(Platform.Choices.size(), 2u) << "offered again at the next start";
        EXPECT_FALSE(fs::exists(path)) << "Discard deletes it";
        Next.reset();
    }
}

// The highest record number there can be is a guide file's right, and a copy's: the copy
// comes back at once, on the record that was on screen.
TEST_F(RecoveryOfferTest, ACopyUpToTheHighestRecordNumberIsRestored) {
    fs::create_directories(Folder());
    RecoveryCopy copy;
    copy.GuideFileName = Dir.File("lamp.dvx");
    copy.WrittenAt = CrashTime;
    copy.CurrentRecord = 2147483647;
    copy.Lines = {Primary(1, "One"), Primary(2147483647, "Last")};
    WriteBytes(fs::path(Folder()) / "4711-0123456789abcdef.recovery", EncodeRecoveryCopy(copy));
    Platform.ChoiceAnswers.push_back(Recover);
    Start();
    EXPECT_EQ(Next->Document.StatusText, "Record 2147483647 of 2147483647");
    EXPECT_EQ(Next->View.DialogueMemo.Text, "Last");
    EXPECT_TRUE(Next->Document.Modified());
}

TEST_F(RecoveryOfferTest, WithoutCopiesNothingIsAsked) {
    Start();
    EXPECT_TRUE(Platform.Choices.empty());
    EXPECT_EQ(WizardShown, 1);
}

} // namespace
} // namespace dravenloom
