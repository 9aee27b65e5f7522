// Tests of moving between records: single steps, appending by "Next", the "Jumped from" list,
// "Go there", "Go back" and the walks behind "Go there!" and "Create new".
#include "support/EditorFixture.h"

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

using LineList = std::vector<std::string>;

class NavigatorTest : public EditorFixture {
protected:
    // The lines of every record but `skip`, in order.
    LineList LinesExcept(const LineList& lines, std::int32_t skip) {
        LineList kept;
        for (const auto& line : lines)
            if (LineNumber(line) != skip)
                kept.push_back(line);
        return kept;
    }
};

TEST_F(NavigatorTest, NewGuideStartsAtRecordOneOfOne) {
    EXPECT_EQ(Doc().StatusText, "Record 1 of 1");
    EXPECT_EQ(View().DialogueMemo.Text, PlaceholderDialogue);
    EXPECT_TRUE(LastFocusIs(View().DialogueMemo, true));
    EXPECT_FALSE(View().PrevBitBtn.Enabled);
    EXPECT_FALSE(View().BackBitBtn.Enabled);
    EXPECT_FALSE(View().GoBitBtn.Enabled);
    EXPECT_FALSE(View().ComboBox1.Enabled);
    EXPECT_TRUE(View().NextBitBtn.Enabled);
    EXPECT_TRUE(View().RemoveBitBtn.Enabled);
}

TEST_F(NavigatorTest, NextOnTheLastRecordAppendsOneWithThePlaceholderSelected) {
    OpenGuide(NumberedRecords(5));
    ShowRecord(5);
    Platform.ClearRecords();
    ClickNext();
    EXPECT_EQ(Doc().StatusText, "Record 6 of 6");
    EXPECT_EQ(View().DialogueMemo.Text, PlaceholderDialogue);
    EXPECT_TRUE(LastFocusIs(View().DialogueMemo, true));
    EXPECT_FALSE(View().NextBitBtn.Enabled);
    EXPECT_FALSE(View().RemoveBitBtn.Enabled);
    EXPECT_TRUE(View().PrevBitBtn.Enabled);
    EXPECT_TRUE(View().BackBitBtn.Enabled);
    // Stored at once.
    LineList expected = NumberedRecords(5);
    expected.push_back(Primary(6, PlaceholderDialogue));
    EXPECT_EQ(Lines(), expected);

    TypeDialogue("Hello");
    EXPECT_TRUE(View().NextBitBtn.Enabled);
    EXPECT_TRUE(View().RemoveBitBtn.Enabled);
}

TEST_F(NavigatorTest, PreviousStopsAtRecordOne) {
    OpenGuide(NumberedRecords(5));
    ClickNext();
    EXPECT_TRUE(View().PrevBitBtn.Enabled);
    EXPECT_EQ(View().DialogueMemo.Text, "Record 2");
    ClickPrevious();
    EXPECT_EQ(View().DialogueMemo.Text, "Record 1");
    EXPECT_EQ(Doc().StatusText, "Record 1 of 5");
    EXPECT_FALSE(View().PrevBitBtn.Enabled);
    EXPECT_TRUE(View().NextBitBtn.Enabled);
    EXPECT_TRUE(View().RemoveBitBtn.Enabled);
}

TEST_F(NavigatorTest, PreviousStoresAModifiedRecord) {
    OpenGuide(NumberedRecords(3));
    ShowRecord(2);
    TypeDialogue("Second");
    ClickPrevious();
    EXPECT_EQ(Doc().Records.ReadRecord(2).Dialogue, "Second");
}

TEST_F(NavigatorTest, JumpedFromListsTheLinkingRecordsAndGoThereWalksToThePickedOne) {
    auto lines = WithResponses(NumberedRecords(9), 2, {Response(2, "To seven", "7")});
    lines = WithResponses(lines, 4, {Response(4, "Elsewhere", "1"), Response(4, "Seven", "7")});
    OpenGuide(lines);
    ShowRecord(7);
    EXPECT_TRUE(View().ComboBox1.Enabled);
    EXPECT_EQ(View().ComboBox1.Items, (std::vector<std::string>{"2", "4"}));
    EXPECT_EQ(View().ComboBox1.Text, "Select record");
    EXPECT_FALSE(View().GoBitBtn.Enabled);

    PickJumpedFrom("4");
    EXPECT_TRUE(View().GoBitBtn.Enabled);
    EXPECT_EQ(Doc().StatusText, "Record 7 of 9") << "picking alone moves nowhere";

    // An edit of record 7 is stored by "Go there"; the records passed on the way back are
    // neither stored (they would take record 7's text) nor shown.
    TypeDialogue("Seventh");
    ClickGoThere();
    EXPECT_EQ(Doc().StatusText, "Record 4 of 9");
    EXPECT_EQ(View().DialogueMemo.Text, "Record 4");
    EXPECT_EQ(ShownResponses()[1], "Seven>7");
    EXPECT_FALSE(View().GoBitBtn.Enabled);
    EXPECT_EQ(Doc().Records.ReadRecord(7).Dialogue, "Seventh");
    EXPECT_EQ(LinesExcept(Lines(), 7), LinesExcept(lines, 7));

    ClickGoBack();
    EXPECT_EQ(View().DialogueMemo.Text, "Seventh");
    ClickGoBack();
    EXPECT_EQ(View().DialogueMemo.Text, "Record 4");
    ClickGoBack();
    EXPECT_EQ(View().DialogueMemo.Text, "Seventh");
}

TEST_F(NavigatorTest, JumpedFromEntriesAreInTextOrder) {
    auto lines = WithResponses(NumberedRecords(12), 3, {Response(3, "a", "2")});
    lines = WithResponses(lines, 12, {Response(12, "b", "2")});
    OpenGuide(lines);
    ShowRecord(2);
    EXPECT_EQ(View().ComboBox1.Items, (std::vector<std::string>{"12", "3"}));
}

TEST_F(NavigatorTest, RecordWithoutIncomingLinksDisablesJumpedFrom) {
    OpenGuide(WithResponses(NumberedRecords(3), 1, {Response(1, "a", "2")}));
    ShowRecord(2);
    ASSERT_TRUE(View().ComboBox1.Enabled);
    ClickNext();
    EXPECT_FALSE(View().ComboBox1.Enabled);
    EXPECT_TRUE(View().ComboBox1.Items.empty());
    EXPECT_EQ(View().ComboBox1.Text, "");
    EXPECT_FALSE(View().GoBitBtn.Enabled);
}

TEST_F(NavigatorTest, GoBackTwiceReturnsToTheStart) {
    OpenGuide(NumberedRecords(4));
    ClickNext();
    ClickNext();
    ClickGoBack();
    EXPECT_EQ(Doc().StatusText, "Record 2 of 4");
    ClickGoBack();
    EXPECT_EQ(Doc().StatusText, "Record 3 of 4");
}

TEST_F(NavigatorTest, CreateNewLinksTheResponseToANewRecordAndShowsIt) {
    const LineList lines = WithResponses(NumberedRecords(9), 4, {Response(4, "One", "2")});
    OpenGuide(lines);
    ShowRecord(4);
    TypeResponse(2, "Two");
    ASSERT_TRUE(CreateNewEnabled(2));
    Platform.ClearRecords();

    ClickCreateNew(2);
    EXPECT_EQ(Doc().Records.ReadRecord(4).Responses[1], (ResponseSlot{"Two", "10"}));
    EXPECT_EQ(Doc().StatusText, "Record 10 of 10");
    EXPECT_EQ(Doc().RecordCount, 10);
    EXPECT_EQ(View().DialogueMemo.Text, PlaceholderDialogue);
    EXPECT_TRUE(LastFocusIs(View().DialogueMemo, true));
    EXPECT_EQ(ShownResponses(), LineList(6, ""));
    EXPECT_EQ(View().ComboBox1.Items, (std::vector<std::string>{"4"}));
    EXPECT_TRUE(View().ComboBox1.Enabled);
    // Only record 4 changed (one response line more); record 10 is stored at the next commit.
    EXPECT_EQ(Lines().size(), lines.size() + 1);
    EXPECT_EQ(LinesExcept(Lines(), 4), LinesExcept(lines, 4));

    ClickGoBack();
    EXPECT_EQ(Doc().StatusText, "Record 4 of 10");
    EXPECT_EQ(ShownResponses()[1], "Two>10");
    EXPECT_TRUE(GoThereEnabled(2));
    EXPECT_FALSE(CreateNewEnabled(2));
    EXPECT_EQ(Lines().back(), Primary(10, PlaceholderDialogue));
}

TEST_F(NavigatorTest, GoThereButtonStoresTheRecordAndShowsOnlyTheTarget) {
    const LineList lines = NumberedRecords(9);
    OpenGuide(lines);
    ShowRecord(3);
    TypeResponse(1, "Pick");
    TypeLink(1, "8");
    ASSERT_TRUE(GoThereEnabled(1));

    ClickGoThereButton(1);
    EXPECT_EQ(Doc().StatusText, "Record 8 of 9");
    EXPECT_EQ(View().DialogueMemo.Text, "Record 8");
    EXPECT_EQ(ShownResponses(), LineList(6, ""));
    EXPECT_EQ(View().ComboBox1.Items, (std::vector<std::string>{"3"}));
    EXPECT_EQ(LinesExcept(Lines(), 3), LinesExcept(lines, 3));
    EXPECT_EQ(Doc().Records.ReadRecord(3).Responses[0], (ResponseSlot{"Pick", "8"}));

    ClickGoBack();
    EXPECT_EQ(ShownResponses()[0], "Pick>8");
}

TEST_F(NavigatorTest, WalkPastTheEndAppendsEmptyRecordsWithoutStoringThem) {
    const LineList lines = NumberedRecords(3);
    OpenGuide(lines);
    ShowRecord(3);
    Editor().CommitRecord();
    Nav().WalkToRecord(6);
    EXPECT_EQ(Doc().StatusText, "Record 6 of 6");
    EXPECT_EQ(View().DialogueMemo.Text, "");
    EXPECT_EQ(ShownResponses(), LineList(6, ""));
    EXPECT_FALSE(View().NextBitBtn.Enabled);
    EXPECT_FALSE(View().RemoveBitBtn.Enabled);
    EXPECT_TRUE(View().PrevBitBtn.Enabled);
    EXPECT_EQ(Lines(), lines);
    EXPECT_FALSE(Nav().Walking);
}

// Records appended by a walk are stored when the author first writes into them, in whatever
// order that happens; the list stays in ascending order so that the file's last line still
// carries the record count.
TEST_F(NavigatorTest, RecordsAppendedByAWalkAreStoredInNumberOrder) {
    const std::string path = OpenGuide(NumberedRecords(4));
    ShowRecord(6);
    ASSERT_EQ(Doc().StatusText, "Record 6 of 6");
    TypeDialogue("Six");
    ClickPrevious();
    TypeDialogue("Five");
    ClickNext();
    LineList expected = NumberedRecords(4);
    expected.push_back(Primary(5, "Five"));
    expected.push_back(Primary(6, "Six"));
    EXPECT_EQ(Lines(), expected);

    Files().Save1Click();
    Doc().OpenDialogPath = path;
    Files().OpenGuideFile();
    EXPECT_EQ(Doc().StatusText, "Record 1 of 6");
    ShowRecord(6);
    EXPECT_EQ(View().DialogueMemo.Text, "Six");
}

// The way the author met it: two removals leave "Go back" pointing two records past the end.
// The road that once stored records out of order: two removals below the record last viewed,
// then "Go back". It now lands on the last record instead of appending empty ones, and what is
// saved opens with every record counted.
TEST_F(NavigatorTest, GoBackAfterRemovalsBelowTheRecordLastViewedKeepsTheGuideWhole) {
    const std::string path = OpenGuide(NumberedRecords(6));
    ShowRecord(6);
    ClickPrevious();
    Platform.MessageAnswers = {MsgAnswer::Ok, MsgAnswer::Ok};
    Form.RemoveBitBtnClick();
    Form.RemoveBitBtnClick();
    ASSERT_EQ(Doc().StatusText, "Record 4 removed");
    Doc().EndStatusNote(Doc().Note.Serial);
    ASSERT_EQ(Doc().StatusText, "Record 3 of 4");
    ClickGoBack();
    EXPECT_EQ(Doc().StatusText, "Record 4 of 4");
    TypeDialogue("Four");
    ClickPrevious();
    TypeDialogue("Three");
    Files().Save1Click();

    LineList expected = NumberedRecords(2);
    expected.push_back(Primary(3, "Three"));
    expected.push_back(Primary(4, "Four"));
    EXPECT_EQ(Lines(), expected);
    Doc().OpenDialogPath = path;
    Files().OpenGuideFile();
    EXPECT_EQ(Doc().StatusText, "Record 1 of 4");
    EXPECT_EQ(Lines(), expected);
}

} // namespace
} // namespace dravenloom
