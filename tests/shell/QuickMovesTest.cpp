// The "&Edit" menu's moves: "Go to record..." with its question, refusals and walk, and the
// keys for "Previous", "Next" and "Go back", which act as the buttons do, only when they could
// be pressed, and after the exit handling of the field the author is in.
#include "shell/QuickMoves.h"
#include "support/EditorFixture.h"
#include "support/ShortLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

class QuickMovesTest : public EditorFixture {
protected:
    QuickMoves& Moves() { return Form.Moves; }
    void GoTo(const std::optional<std::string>& answer, const TextField* focused = nullptr) {
        Platform.TextAnswers.push_back(answer);
        Moves().GoToRecord1Click(focused);
    }
};

TEST_F(QuickMovesTest, GoToRecordAsksWithTheCountAndWalksThereAsGoThereDoes) {
    OpenGuide(NumberedRecords(42));
    ShowRecord(7);
    TypeDialogue("Seven, edited");
    Platform.ClearRecords();
    GoTo("30");
    ASSERT_EQ(Platform.TextRequests.size(), 1u);
    EXPECT_EQ(Platform.TextRequests[0].Caption, "Go to record");
    EXPECT_EQ(Platform.TextRequests[0].Prompt, "Go to record (1 to 42):");
    EXPECT_EQ(Platform.TextRequests[0].Text, "7") << "starts at the record on show";
    EXPECT_EQ(Doc().CurrentRecord, 30);
    EXPECT_EQ(Doc().StatusText, "Record 30 of 42");
    EXPECT_EQ(View().DialogueMemo.Text, "Record 30");
    EXPECT_EQ(Form.Document.Records.ReadRecord(7).Dialogue, "Seven, edited") << "committed";
    EXPECT_TRUE(Platform.Messages.empty());
    // "Go back" returns to where the author was, twice back and forth.
    ClickGoBack();
    EXPECT_EQ(Doc().CurrentRecord, 7);
    ClickGoBack();
    EXPECT_EQ(Doc().CurrentRecord, 30);
    // Back down, with a number the one reader of numbers takes.
    GoTo("+03");
    EXPECT_EQ(Doc().CurrentRecord, 3);
    EXPECT_EQ(Platform.TextRequests.back().Text, "30");
    EXPECT_EQ(Nav().LastViewedRecord, 30);
}

TEST_F(QuickMovesTest, GoToRecordShowsTheEditViewFromAnyPage) {
    OpenGuide(NumberedRecords(5));
    Form.ToolbarButton972Click();
    ASSERT_EQ(Form.Pages.ActivePage, Page::LogicView);
    GoTo("4");
    EXPECT_EQ(Form.Pages.ActivePage, Page::EditView);
    EXPECT_EQ(Doc().CurrentRecord, 4);
    EXPECT_EQ(View().DialogueMemo.Text, "Record 4");
}

struct BadNumber {
    std::string Typed;
    std::string Message;
};

class GoToRecordRefusalTest : public QuickMovesTest,
                              public ::testing::WithParamInterface<BadNumber> {};

TEST_P(GoToRecordRefusalTest, SaysSoAndChangesNothing) {
    OpenGuide(NumberedRecords(12));
    ShowRecord(4);
    const auto lines = Lines();
    const auto back = Nav().LastViewedRecord;
    Platform.ClearRecords();
    GoTo(GetParam().Typed);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], ValidationError(GetParam().Message));
    EXPECT_EQ(Doc().CurrentRecord, 4);
    EXPECT_EQ(Doc().RecordCount, 12);
    EXPECT_EQ(Doc().StatusText, "Record 4 of 12");
    EXPECT_EQ(Nav().LastViewedRecord, back);
    EXPECT_EQ(Lines(), lines);
    EXPECT_FALSE(Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Typed, GoToRecordRefusalTest,
    ::testing::Values(
        BadNumber{"0", "\"0\" is not a record of this guide. Type a number from 1 to 12."},
        BadNumber{"13", "\"13\" is not a record of this guide. Type a number from 1 to 12."},
        BadNumber{"-2", "\"-2\" is not a record of this guide. Type a number from 1 to 12."},
        BadNumber{"abc", "\"abc\" is not a record of this guide. Type a number from 1 to 12."},
        BadNumber{" 5", "\" 5\" is not a record of this guide. Type a number from 1 to 12."},
        BadNumber{"5.0", "\"5.0\" is not a record of this guide. Type a number from 1 to 12."},
        BadNumber{"99999999999",
                  "\"99999999999\" is not a record of this guide. Type a number from 1 to 12."},
        BadNumber{"", "Type a number from 1 to 12."}));

TEST_F(QuickMovesTest, CancellingTheQuestionChangesNothing) {
    OpenGuide(NumberedRecords(3));
    GoTo(std::nullopt);
    EXPECT_EQ(Doc().CurrentRecord, 1);
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(QuickMovesTest, KeysActAsTheButtonsOnlyWhileTheyCanBePressed) {
    OpenGuide(NumberedRecords(3));
    // Record 1: "Previous" and "Go back" are off, and so are their keys.
    EXPECT_FALSE(Moves().PreviousAvailable());
    EXPECT_FALSE(Moves().GoBackAvailable());
    EXPECT_TRUE(Moves().NextAvailable());
    Moves().Previous1Click(nullptr);
    Moves().GoBack1Click(nullptr);
    EXPECT_EQ(Doc().CurrentRecord, 1);
    Moves().Next1Click(nullptr);
    Moves().Next1Click(nullptr);
    EXPECT_EQ(Doc().CurrentRecord, 3);
    Moves().Previous1Click(nullptr);
    EXPECT_EQ(Doc().CurrentRecord, 2);
    Moves().GoBack1Click(nullptr);
    EXPECT_EQ(Doc().CurrentRecord, 3);
    // "Next" on the last record appends, as the button does.
    Moves().Next1Click(nullptr);
    EXPECT_EQ(Doc().RecordCount, 4);
    EXPECT_FALSE(Moves().NextAvailable()) << "the new record's dialogue is the placeholder";
    // Away from the Edit View the keys do nothing: the buttons are not on show.
    Form.ToolbarButton972Click();
    EXPECT_FALSE(Moves().PreviousAvailable());
    EXPECT_FALSE(Moves().GoBackAvailable());
    Moves().Previous1Click(nullptr);
    EXPECT_EQ(Doc().CurrentRecord, 4);
}

TEST_F(QuickMovesTest, ARefusedLinkInTheFocusedFieldStopsTheMove) {
    OpenGuide(NumberedRecords(3));
    ShowRecord(2);
    TypeResponse(1, "onwards");
    TypeLink(1, "9");
    // The field's exit handling runs, as when a button takes the focus: the link is refused
    // and the author stays on the record.
    Moves().Next1Click(&View().Edit(1));
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], ValidationError("Record does not exist."));
    EXPECT_EQ(View().Edit(1).Text, "");
    EXPECT_EQ(Doc().CurrentRecord, 2);
    EXPECT_TRUE(LastFocusIs(View().Edit(1), false));
    // A link that is fine lets the move go on, and it is stored with the record.
    TypeLink(1, "3");
    Moves().Previous1Click(&View().Edit(1));
    EXPECT_EQ(Doc().CurrentRecord, 1);
    EXPECT_EQ(Form.Document.Records.ReadRecord(2).Responses[0].Target, "3");
    EXPECT_EQ(Platform.Messages.size(), 1u);
    // The same before the number question.
    ShowRecord(2);
    TypeLink(1, "2");
    Platform.TextAnswers.push_back("3");
    Moves().GoToRecord1Click(&View().Edit(1));
    EXPECT_EQ(Platform.Messages.back(),
              ValidationError("Can't make a recursive call to this record."));
    EXPECT_TRUE(Platform.TextRequests.empty()) << "not asked";
    EXPECT_EQ(Doc().CurrentRecord, 2);
}

TEST_F(QuickMovesTest, AnEmptiedDialogueInTheFocusedFieldOffersRemovalInsteadOfMoving) {
    OpenGuide(NumberedRecords(3));
    ShowRecord(2);
    TypeDialogue("");
    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    Moves().Next1Click(&View().DialogueMemo);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Caption, "Confirm");
    EXPECT_EQ(Doc().CurrentRecord, 2);
    EXPECT_EQ(View().DialogueMemo.Text, PlaceholderDialogue);
    // A dialogue with text is no reason to stop.
    Moves().Next1Click(&View().DialogueMemo);
    EXPECT_EQ(Doc().CurrentRecord, 3);
}

} // namespace
} // namespace dravenloom
