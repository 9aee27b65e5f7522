// Tests of the guide file commands: New Guide, Open, Save, Save As, Close and the question when
// the window closes, with the files they write and read.
#include "document/Errors.h"
#include "document/GuideFile.h"
#include "support/EditorFixture.h"
#include "support/GuideReadBack.h"
#include "support/MarkedText.h"

#include <gtest/gtest.h>

#include <optional>

namespace dravenloom {
namespace {

using LineList = std::vector<std::string>;

enum class Command { NewGuide, Open, Close, CloseQuery };
enum class SaveDialogScript { NotShown, Cancelled, Chosen };
enum class Written { Nothing, OwnFile, ChosenFile };

struct CommandCase {
    const char* Name;
    Command Cmd;
    bool Named;                      // the guide has a file (own.dvx); else "Untitled"
    std::optional<MsgAnswer> Answer; // modified and asked; nothing: not modified
    SaveDialogScript SaveDialog;
    Written Writes;
    bool Proceeds; // the command went on after the question
};

void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.Name;
}

class FileCommandsTest : public EditorFixture {
protected:
    // The state New Guide leaves: an untitled, clean guide of the placeholder record alone.
    void ExpectNewUntitledGuide() {
        EXPECT_EQ(Doc().GuideFileName, "Untitled");
        EXPECT_EQ(Doc().WindowTitle, "Dravenloom - Untitled");
        EXPECT_EQ(Doc().StatusText, "Record 1 of 1");
        EXPECT_EQ(View().DialogueMemo.Text, PlaceholderDialogue);
        EXPECT_TRUE(Lines().empty());
        EXPECT_FALSE(Modified());
        EXPECT_FALSE(Doc().SaveAsItem.Enabled);
    }
};

class FileCommandTableTest : public FileCommandsTest,
                             public ::testing::WithParamInterface<CommandCase> {
protected:
    const LineList OwnLines = {Primary(1, "First"), Primary(2, "Second")};
    const LineList OtherLines = NumberedRecords(3);
};

TEST_P(FileCommandTableTest, FollowsTheAnswers) {
    const auto& c = GetParam();
    const std::string own = Dir.File("own.dvx");
    const std::string chosen = Dir.File("chosen.dvx");
    const std::string other = Dir.File("other.dvx");
    WriteGuideFileBytes(other, OtherLines);
    if (c.Named)
        OpenGuide(OwnLines, "own.dvx");
    const std::string nameBefore = Doc().GuideFileName;
    if (c.Answer) {
        TypeDialogue("Changed");
        Platform.MessageAnswers.push_back(*c.Answer);
    }
    if (c.SaveDialog == SaveDialogScript::Cancelled)
        Platform.DialogAnswers.push_back(std::nullopt);
    if (c.SaveDialog == SaveDialogScript::Chosen)
        Platform.DialogAnswers.push_back(chosen);
    if (c.Cmd == Command::Open)
        Platform.DialogAnswers.push_back(other);
    Platform.ClearRecords();

    bool mayClose = false;
    switch (c.Cmd) {
    case Command::NewGuide:
        Files().NewGuide1Click();
        break;
    case Command::Open:
        Files().Open1Click();
        break;
    case Command::Close:
        Files().Close1Click();
        break;
    case Command::CloseQuery:
        mayClose = Files().CloseQuery();
        break;
    }

    // The question.
    if (c.Answer) {
        const std::string name = c.Named ? "own.dvx" : "Untitled";
        EXPECT_EQ(Platform.Messages,
                  (std::vector<MessageRequest>{{"Confirm", "Save changes to " + name + "?",
                                                MsgButtons::YesNoCancel, MsgIcon::Question}}));
    } else {
        EXPECT_TRUE(Platform.Messages.empty());
    }

    // The save dialog.
    ASSERT_EQ(Platform.SaveDialogs.size(), c.SaveDialog == SaveDialogScript::NotShown ? 0u : 1u);
    if (!Platform.SaveDialogs.empty()) {
        const FileDialogRequest& dialog = Platform.SaveDialogs[0];
        EXPECT_EQ(dialog.Title, "Save Guide");
        EXPECT_EQ(dialog.Filter, "Dravenloom (*.dvx)|*.dvx");
        EXPECT_EQ(dialog.DefaultExt, "dvx");
        EXPECT_TRUE(dialog.OverwritePrompt);
        EXPECT_EQ(dialog.FileName, nameBefore);
    }

    // What was written.
    LineList guide = c.Named ? OwnLines : LineList{};
    if (c.Answer) {
        if (guide.empty())
            guide.push_back(Primary(1, "Changed"));
        else
            guide[0] = Primary(1, "Changed");
    }
    if (c.Named) {
        EXPECT_TRUE(OpensAsGuide(own, c.Writes == Written::OwnFile ? guide : OwnLines));
    }
    EXPECT_EQ(std::filesystem::exists(chosen), c.Writes == Written::ChosenFile);
    if (c.Writes == Written::ChosenFile) {
        EXPECT_TRUE(OpensAsGuide(chosen, guide));
    }

    // What followed.
    const bool opens = c.Cmd == Command::Open && c.Proceeds;
    EXPECT_EQ(Platform.OpenDialogs.size(), opens ? 1u : 0u);
    if (c.Cmd == Command::CloseQuery) {
        EXPECT_EQ(mayClose, c.Proceeds);
    }
    if (!c.Proceeds) {
        EXPECT_EQ(Doc().GuideFileName, nameBefore);
        EXPECT_TRUE(Modified());
        EXPECT_EQ(View().DialogueMemo.Text, "Changed");
    } else if (opens) {
        EXPECT_EQ(Doc().GuideFileName, other);
        EXPECT_EQ(Doc().WindowTitle, "Dravenloom - other.dvx");
        EXPECT_EQ(Doc().StatusText, "Record 1 of 3");
        EXPECT_EQ(View().DialogueMemo.Text, "Record 1");
        EXPECT_FALSE(Modified());
        EXPECT_TRUE(Doc().SaveAsItem.Enabled);
    } else if (c.Cmd != Command::CloseQuery) {
        ExpectNewUntitledGuide();
    }
}

constexpr auto Yes = MsgAnswer::Yes;
constexpr auto No = MsgAnswer::No;
constexpr auto Cancel = MsgAnswer::Cancel;
constexpr auto Clean = std::nullopt;
using S = SaveDialogScript;
using W = Written;

INSTANTIATE_TEST_SUITE_P(
    Rows, FileCommandTableTest,
    ::testing::Values(
        CommandCase{"NewGuideClean", Command::NewGuide, true, Clean, S::NotShown, W::Nothing, true},
        CommandCase{"NewGuideYesNamedAlwaysAsks", Command::NewGuide, true, Yes, S::Chosen,
                    W::ChosenFile, true},
        CommandCase{"NewGuideYesDialogCancelled", Command::NewGuide, true, Yes, S::Cancelled,
                    W::Nothing, false},
        CommandCase{"NewGuideYesUntitled", Command::NewGuide, false, Yes, S::Chosen, W::ChosenFile,
                    true},
        CommandCase{"NewGuideNo", Command::NewGuide, true, No, S::NotShown, W::Nothing, true},
        CommandCase{"NewGuideCancel", Command::NewGuide, true, Cancel, S::NotShown, W::Nothing,
                    false},
        CommandCase{"OpenClean", Command::Open, true, Clean, S::NotShown, W::Nothing, true},
        CommandCase{"OpenYesUntitledDialogCancelled", Command::Open, false, Yes, S::Cancelled,
                    W::Nothing, false},
        CommandCase{"OpenYesUntitled", Command::Open, false, Yes, S::Chosen, W::ChosenFile, true},
        CommandCase{"OpenYesNamed", Command::Open, true, Yes, S::NotShown, W::OwnFile, true},
        CommandCase{"OpenNo", Command::Open, false, No, S::NotShown, W::Nothing, true},
        CommandCase{"OpenCancel", Command::Open, true, Cancel, S::NotShown, W::Nothing, false},
        CommandCase{"CloseClean", Command::Close, true, Clean, S::NotShown, W::Nothing, true},
        CommandCase{"CloseYesUntitledDialogCancelled", Command::Close, false, Yes, S::Cancelled,
                    W::Nothing, false},
        CommandCase{"CloseYesUntitled", Command::Close, false, Yes, S::Chosen, W::ChosenFile, true},
        CommandCase{"CloseYesNamed", Command::Close, true, Yes, S::NotShown, W::OwnFile, true},
        CommandCase{"CloseNo", Command::Close, true, No, S::NotShown, W::Nothing, true},
        CommandCase{"CloseCancel", Command::Close, false, Cancel, S::NotShown, W::Nothing, false},
        CommandCase{"CloseQueryClean", Command::CloseQuery, false, Clean, S::NotShown, W::Nothing,
                    true},
        CommandCase{"CloseQueryYesUntitledDialogCancelled", Command::CloseQuery, false, Yes,
                    S::Cancelled, W::Nothing, false},
        CommandCase{"CloseQueryYesUntitled", Command::CloseQuery, false, Yes, S::Chosen,
                    W::ChosenFile, true},
        CommandCase{"CloseQueryYesNamed", Command::CloseQuery, true, Yes, S::NotShown, W::OwnFile,
                    true},
        CommandCase{"CloseQueryNo", Command::CloseQuery, true, No, S::NotShown, W::Nothing, true},
        CommandCase{"CloseQueryCancel", Command::CloseQuery, true, Cancel, S::NotShown, W::Nothing,
                    false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(FileCommandsTest, SaveNamesAnUntitledGuide) {
    TypeDialogue("Hello");
    ASSERT_TRUE(Modified());
    ASSERT_TRUE(Doc().SaveAsItem.Enabled);
    // No extension typed: the guide extension is added.
    Platform.DialogAnswers.push_back(Dir.File("my guide"));
    Files().Save1Click();
    const std::string path = Dir.File("my guide.dvx");
    EXPECT_EQ(Doc().GuideFileName, path);
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - my guide.dvx");
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(Doc().SaveAsItem.Enabled);
    EXPECT_TRUE(OpensAsGuide(path, {Primary(1, "Hello")}));
}

TEST_F(FileCommandsTest, CancelledSaveKeepsTheGuideModifiedAndUntitled) {
    TypeDialogue("Hello");
    Files().Save1Click();
    EXPECT_EQ(Platform.SaveDialogs.size(), 1u);
    EXPECT_TRUE(Doc().Untitled());
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - Untitled");
    EXPECT_TRUE(Modified());
}

TEST_F(FileCommandsTest, SaveOfANamedGuideWritesWithoutDialog) {
    const std::string path = OpenGuide(NumberedRecords(2));
    TypeDialogue("New first");
    Files().Save1Click();
    EXPECT_TRUE(Platform.SaveDialogs.empty());
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(Doc().SaveAsItem.Enabled);
    EXPECT_TRUE(OpensAsGuide(path, {Primary(1, "New first"), Primary(2, "Record 2")}));
}

TEST_F(FileCommandsTest, SaveAsRenamesAndCancelledSaveAsKeepsNameAndTitle) {
    const std::string path = OpenGuide(NumberedRecords(2), "own.dvx");
    TypeDialogue("Changed");
    Files().SaveAs1Click();
    EXPECT_EQ(Doc().GuideFileName, path);
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - own.dvx");
    EXPECT_TRUE(Modified());

    Platform.DialogAnswers.push_back(Dir.File("copy.dvx"));
    Files().SaveAs1Click();
    EXPECT_EQ(Doc().GuideFileName, Dir.File("copy.dvx"));
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - copy.dvx");
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(
        OpensAsGuide(Dir.File("copy.dvx"), {Primary(1, "Changed"), Primary(2, "Record 2")}));
    EXPECT_TRUE(OpensAsGuide(path, NumberedRecords(2)));
}

TEST_F(FileCommandsTest, NewGuideSavedAtOnceIsThePlaceholderLine) {
    Platform.DialogAnswers.push_back(Dir.File("new.dvx"));
    Files().Save1Click();
    EXPECT_EQ(ReadBytes(Dir.File("new.dvx")), ReadBytes(TestData("placeholder.dvx")));
    EXPECT_TRUE(OpensAsGuide(Dir.File("new.dvx"), {Primary(1, PlaceholderDialogue)}));
}

TEST_F(FileCommandsTest, GuideWhoseOnlyRecordIsEmptyIsAnEmptyFile) {
    TypeDialogue("");
    Platform.DialogAnswers.push_back(Dir.File("empty.dvx"));
    Files().Save1Click();
    EXPECT_TRUE(std::filesystem::exists(Dir.File("empty.dvx")));
    EXPECT_EQ(ReadBytes(Dir.File("empty.dvx")), "");
    EXPECT_TRUE(OpensAsGuide(Dir.File("empty.dvx"), {}));
}

TEST_F(FileCommandsTest, TypedWorkedExampleSavesAsTheGoldenFile) {
    TypeDialogue("Welcome");
    ClickCenter(true);
    Editor().GraphicCheckClick(true);
    Editor().GraphicEditChange("C:\\Pics\\logo.gif");
    ClickNext();
    TypeDialogue("Is it on?\r\nLook at the light.");
    TypeResponse(1, "Yes");
    TypeLink(1, "3");
    TypeResponse(2, "No");
    TypeResponse(4, "Help");
    TypeLink(4, "7");
    Platform.DialogAnswers.push_back(Dir.File("example.dvx"));
    Files().Save1Click();
    EXPECT_EQ(ReadBytes(Dir.File("example.dvx")), ReadBytes(TestData("worked-example.dvx")));
    EXPECT_TRUE(OpensAsGuide(Dir.File("example.dvx")));
}

TEST_F(FileCommandsTest, OpenShowsRecordOneAndSavesBackByteForByte) {
    Platform.DialogAnswers.push_back(TestData("worked-example.dvx"));
    Files().Open1Click();
    ASSERT_EQ(Platform.OpenDialogs.size(), 1u);
    EXPECT_EQ(Platform.OpenDialogs[0].Filter, "Dravenloom (*.dvx)|*.dvx");
    EXPECT_EQ(Platform.OpenDialogs[0].DefaultExt, "dvx");
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - worked-example.dvx");
    EXPECT_EQ(Doc().StatusText, "Record 1 of 2");
    EXPECT_EQ(View().DialogueMemo.Text, "Welcome");
    EXPECT_TRUE(View().CenterCheck.Checked);
    EXPECT_TRUE(Graphic().GraphicCheck.Checked);
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(Doc().SaveAsItem.Enabled);
    EXPECT_TRUE(View().NextBitBtn.Enabled);
    EXPECT_TRUE(View().RemoveBitBtn.Enabled);

    ClickNext();
    // The break mark in the file is a line break in the text.
    EXPECT_EQ(View().DialogueMemo.Text, "Is it on?\r\nLook at the light.");
    EXPECT_EQ(ShownResponses(), (LineList{"Yes>3", "No>", "Help>7", "", "", ""}));

    Platform.DialogAnswers.push_back(Dir.File("copy.dvx"));
    Files().SaveAs1Click();
    EXPECT_EQ(ReadBytes(Dir.File("copy.dvx")), ReadBytes(TestData("worked-example.dvx")));
    EXPECT_TRUE(OpensAsGuide(Dir.File("copy.dvx"), Lines()));

    // The open dialog starts with the file chosen last.
    Files().Open1Click();
    EXPECT_EQ(Platform.OpenDialogs.back().FileName, TestData("worked-example.dvx"));
}

TEST_F(FileCommandsTest, LoneLineFeedFileOpensAlikeAndIsWrittenWithCrLf) {
    Doc().OpenDialogPath = TestData("worked-example-lf.dvx");
    Files().OpenGuideFile();
    EXPECT_EQ(Doc().StatusText, "Record 1 of 2");
    EXPECT_EQ(Lines()[1], "2\xA4Is it on?\r\nLook at the light.\xB6\xAA\xB1\x80no");
    Platform.DialogAnswers.push_back(Dir.File("crlf.dvx"));
    Files().SaveAs1Click();
    EXPECT_EQ(ReadBytes(Dir.File("crlf.dvx")), ReadBytes(TestData("worked-example.dvx")));
    EXPECT_TRUE(OpensAsGuide(Dir.File("crlf.dvx"), Lines()));
}

TEST_F(FileCommandsTest, MixedLineEndsAndNulAreReadAndWrittenBackWithCrLf) {
    Doc().OpenDialogPath = TestData("mixed-line-ends.dvx");
    Files().OpenGuideFile();
    EXPECT_EQ(Doc().StatusText, "Record 1 of 3");
    Platform.DialogAnswers.push_back(Dir.File("mixed.dvx"));
    Files().SaveAs1Click();
    EXPECT_EQ(ReadBytes(Dir.File("mixed.dvx")),
              Marked("1¤A¶ª±€no\r\n1¤Yes¶2\r\n2¤B¶ª±€no\r\n3¤CšD¶ª±€yes\r\n"));
    EXPECT_TRUE(OpensAsGuide(Dir.File("mixed.dvx"), Lines()));

    Doc().OpenDialogPath = TestData("nul-ended.dvx");
    Files().OpenGuideFile();
    EXPECT_EQ(Doc().StatusText, "Record 1 of 2");
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(FileCommandsTest, RecordCountIsTheNumberOfTheLastLine) {
    OpenGuide({Primary(1, "a"), Primary(5, "b"), Primary(2, "c")});
    EXPECT_EQ(Doc().StatusText, "Record 1 of 2");
}

// Opening what cannot be a guide leaves a new untitled guide, so that no later Save can
// overwrite the file that was refused.
class RefusedOpenTest : public FileCommandsTest {
protected:
    // Opens `path` by the Open command and answers the error's message.
    std::string OpenRefused(const std::string& path) {
        OpenGuide(NumberedRecords(2));
        Platform.DialogAnswers.push_back(path);
        try {
            Files().Open1Click();
        } catch (const GuideFormatError& error) {
            return error.what();
        }
        ADD_FAILURE() << "no GuideFormatError for " << path;
        return {};
    }
};

// An empty file is what the program saves for a guide whose only record is empty, so it opens
// as that guide: named, clean, record 1 waiting for its dialogue, and saved again without a
// dialog.
TEST_F(FileCommandsTest, EmptyFileOpensAsAGuideOfOneEmptyRecord) {
    const std::string path = Dir.File("empty.dvx");
    WriteBytes(path, "");
    Doc().OpenDialogPath = path;
    Files().OpenGuideFile();
    EXPECT_EQ(Doc().GuideFileName, path);
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - empty.dvx");
    EXPECT_EQ(Doc().StatusText, "Record 1 of 1");
    EXPECT_EQ(View().DialogueMemo.Text, PlaceholderDialogue);
    EXPECT_FALSE(Doc().SaveItem.Enabled);
    EXPECT_TRUE(Doc().SaveAsItem.Enabled);
    EXPECT_TRUE(Lines().empty());
    TypeDialogue("Now written");
    Files().Save1Click();
    EXPECT_TRUE(Platform.SaveDialogs.empty());
    EXPECT_TRUE(OpensAsGuide(path, {Primary(1, "Now written")}));
}

TEST_F(RefusedOpenTest, LineWithoutRecordNumber) {
    const std::string path = TestData("missing-number.dvx");
    const std::string message = OpenRefused(path);
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find("line 3"), std::string::npos) << message;
    ExpectNewUntitledGuide();
}

// The refusal names the line and what is wrong with its start: a number below 1 is still a
// number, so the author is told where record numbers start.
struct BadLineCase {
    const char* Name;
    std::string Line; // the second line of the file, after record 1
    std::string Says;
};

void PrintTo(const BadLineCase& c, std::ostream* os) {
    *os << c.Name;
}

class RefusedLineTest : public RefusedOpenTest,
                        public ::testing::WithParamInterface<BadLineCase> {};

TEST_P(RefusedLineTest, MessageNamesTheLineAndWhatItStartsWith) {
    const std::string path = Dir.File("bad.dvx");
    WriteGuideFileBytes(path, {Primary(1, "One"), GetParam().Line, Primary(2, "Two")});
    const std::string message = OpenRefused(path);
    EXPECT_EQ(message,
              "The file \"" + path + "\" can't be opened as a guide: line 2 " + GetParam().Says);
    ExpectNewUntitledGuide();
}

INSTANTIATE_TEST_SUITE_P(
    LineStarts, RefusedLineTest,
    ::testing::Values(
        BadLineCase{"Zero", "0\xA4Zero\xB6\xAA\xB1\x80no",
                    "starts with the record number 0, but record numbers start at 1"},
        BadLineCase{"ZeroResponse",
                    "0\xA4Go\xB6"
                    "2",
                    "starts with the record number 0, but record numbers start at 1"},
        BadLineCase{"Negative", "-3\xA4Minus\xB6\xAA\xB1\x80no",
                    "starts with the record number -3, but record numbers start at 1"},
        BadLineCase{"NoMark", "Two\xB6\xAA\xB1\x80no", "does not start with a record number"},
        BadLineCase{"NotANumber", "x\xA4Two\xB6\xAA\xB1\x80no",
                    "does not start with a record number"},
        BadLineCase{"Empty", "", "does not start with a record number"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RefusedOpenTest, MissingFileIsAFileError) {
    OpenGuide(NumberedRecords(2));
    Platform.DialogAnswers.push_back(Dir.File("absent.dvx"));
    EXPECT_THROW(Files().Open1Click(), FileError);
    ExpectNewUntitledGuide();
}

TEST_F(FileCommandsTest, FailedSaveAsKeepsNameTitleAndModifiedState) {
    const std::string path = OpenGuide(NumberedRecords(2), "own.dvx");
    TypeDialogue("Changed");
    Platform.DialogAnswers.push_back(Dir.File("missing/copy.dvx"));
    EXPECT_THROW(Files().SaveAs1Click(), FileError);
    EXPECT_EQ(Doc().GuideFileName, path);
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - own.dvx");
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(OpensAsGuide(path, NumberedRecords(2)));

    // The same for an untitled guide's first Save.
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Files().NewGuide1Click();
    TypeDialogue("Fresh");
    Platform.DialogAnswers.push_back(Dir.File("missing/new.dvx"));
    EXPECT_THROW(Files().Save1Click(), FileError);
    EXPECT_TRUE(Doc().Untitled());
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - Untitled");
    EXPECT_TRUE(Modified());
}

TEST_F(FileCommandsTest, FailedWriteStopsTheCommandThatWasToFollow) {
    std::filesystem::create_directory(Dir.Path / "sub");
    OpenGuide(NumberedRecords(2), "sub/own.dvx");
    TypeDialogue("Changed");
    std::filesystem::remove_all(Dir.Path / "sub");

    Platform.MessageAnswers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes};
    EXPECT_THROW(Files().Close1Click(), FileError);
    EXPECT_THROW(Files().CloseQuery(), FileError);
    Platform.DialogAnswers.push_back(Dir.File("other.dvx"));
    EXPECT_THROW(Files().Open1Click(), FileError);
    EXPECT_TRUE(Platform.OpenDialogs.empty());
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - own.dvx");
    EXPECT_TRUE(Modified());
    EXPECT_EQ(View().DialogueMemo.Text, "Changed");
}

#ifndef _WIN32
TEST_F(FileCommandsTest, WriteFailingHalfWayKeepsTheSavedFile) {
    const std::string path = OpenGuide(NumberedRecords(2));
    const std::string saved = ReadBytes(path);
    TypeDialogue(std::string(500, 'x'));
    {
        FileSizeLimit limit(saved.size() + 10);
        EXPECT_THROW(Files().Save1Click(), FileError);
    }
    EXPECT_EQ(ReadBytes(path), saved);
    EXPECT_TRUE(OpensAsGuide(path, NumberedRecords(2)));
    EXPECT_TRUE(Modified());
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - guide.dvx");
}
#endif

} // namespace
} // namespace dravenloom
