// Tests of the Edit View's behaviour as the author types: the per-response enabling rules, the
// link checks, and storing and showing the working copy.
#include "support/EditorFixture.h"
#include "support/MarkedText.h"

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

class RecordEditorTest : public EditorFixture {};

TEST_F(RecordEditorTest, ResponseTextEnablesItsLinkAndCreateNew) {
    EXPECT_FALSE(View().Edit(1).Enabled);
    EXPECT_TRUE(View().Edit(1).Inactive);
    EXPECT_FALSE(CreateNewEnabled(1));
    EXPECT_FALSE(Modified());

    Doc().TreeStale = false;
    TypeResponse(1, "x");
    EXPECT_TRUE(View().Edit(1).Enabled);
    EXPECT_FALSE(View().Edit(1).Inactive);
    EXPECT_TRUE(CreateNewEnabled(1));
    EXPECT_FALSE(GoThereEnabled(1));
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(Doc().SaveAsItem.Enabled);
    EXPECT_TRUE(Doc().TreeStale);
    // The other slots are untouched.
    EXPECT_FALSE(View().Edit(2).Enabled);
    EXPECT_FALSE(CreateNewEnabled(2));

    TypeResponse(1, "");
    EXPECT_FALSE(View().Edit(1).Enabled);
    EXPECT_TRUE(View().Edit(1).Inactive);
    EXPECT_FALSE(CreateNewEnabled(1));
}

TEST_F(RecordEditorTest, LinkNumberEnablesGoThereOnlyForAnotherExistingRecord) {
    OpenGuide(NumberedRecords(7));
    ShowRecord(3);
    TypeResponse(1, "x");

    TypeLink(1, "5");
    EXPECT_TRUE(GoThereEnabled(1));
    EXPECT_FALSE(CreateNewEnabled(1));
    TypeLink(1, "3");
    EXPECT_FALSE(GoThereEnabled(1));
    EXPECT_FALSE(CreateNewEnabled(1));
    for (const char* valid : {"1", "7", "02"}) {
        TypeLink(1, valid);
        EXPECT_TRUE(GoThereEnabled(1)) << valid;
    }
    for (const char* invalid : {"8", "0", "-2", "003"}) {
        TypeLink(1, invalid);
        EXPECT_FALSE(GoThereEnabled(1)) << invalid;
        EXPECT_EQ(View().Edit(1).Text, invalid);
    }
    // A response typed while its link holds a number does not offer "Create new".
    TypeResponse(1, "xy");
    EXPECT_FALSE(CreateNewEnabled(1));
}

TEST_F(RecordEditorTest, LetterEmptiesTheLinkWithoutMarkingTheGuideModified) {
    OpenGuide(WithResponses(NumberedRecords(7), 3, {Response(3, "x"), Response(3, "y", "5")}));
    ShowRecord(3);
    Doc().TreeStale = false;
    ASSERT_FALSE(Modified());
    ASSERT_FALSE(CreateNewEnabled(2));
    ASSERT_TRUE(GoThereEnabled(2));

    TypeLink(1, "a");
    EXPECT_EQ(View().Edit(1).Text, "");
    EXPECT_TRUE(CreateNewEnabled(1));
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(Doc().SaveAsItem.Enabled);
    EXPECT_FALSE(Doc().TreeStale);

    // A letter after a number empties the field too, and turns "Go there!" off.
    TypeLink(2, "5a");
    EXPECT_EQ(View().Edit(2).Text, "");
    EXPECT_FALSE(GoThereEnabled(2));
    EXPECT_TRUE(CreateNewEnabled(2));
    EXPECT_FALSE(Modified());
    Editor().CommitRecord();
    EXPECT_EQ(Doc().Records.ReadRecord(3).Responses[1], (ResponseSlot{"y", ""}));

    // A number is an edit.
    TypeLink(1, "5");
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(Doc().TreeStale);
}

struct LeaveLinkCase {
    const char* Typed;
    const char* Message; // nullptr: accepted silently
};

void PrintTo(const LeaveLinkCase& c, std::ostream* os) {
    *os << '"' << c.Typed << '"';
}

class LeaveLinkTest : public EditorFixture, public ::testing::WithParamInterface<LeaveLinkCase> {};

TEST_P(LeaveLinkTest, RefusesTheRecordItselfAndRecordsThatDoNotExist) {
    const auto& c = GetParam();
    OpenGuide(NumberedRecords(7));
    ShowRecord(3);
    TypeResponse(1, "x");
    TypeLink(1, c.Typed);
    Platform.ClearRecords();

    LeaveLink(1);
    if (c.Message) {
        ASSERT_EQ(Platform.Messages.size(), 1u);
        EXPECT_EQ(Platform.Messages[0],
                  (MessageRequest{"Error", c.Message, MsgButtons::Ok, MsgIcon::Exclamation}));
        EXPECT_EQ(View().Edit(1).Text, "");
        EXPECT_TRUE(LastFocusIs(View().Edit(1), false));
        EXPECT_EQ(Platform.Events.back(), "focus"); // after the box, so the author can retype
        EXPECT_FALSE(GoThereEnabled(1));
        EXPECT_TRUE(CreateNewEnabled(1));
    } else {
        EXPECT_TRUE(Platform.Messages.empty());
        EXPECT_TRUE(Platform.FocusRequests.empty());
        EXPECT_EQ(View().Edit(1).Text, c.Typed);
    }
}

constexpr const char* Recursive = "Can't make a recursive call to this record.";
constexpr const char* Missing = "Record does not exist.";

INSTANTIATE_TEST_SUITE_P(Values, LeaveLinkTest,
                         ::testing::Values(LeaveLinkCase{"3", Recursive},
                                           LeaveLinkCase{"03", Recursive},
                                           LeaveLinkCase{"0", Missing}, LeaveLinkCase{"8", Missing},
                                           LeaveLinkCase{"-1", Missing},
                                           LeaveLinkCase{"2147483647", Missing},
                                           LeaveLinkCase{"", nullptr}, LeaveLinkCase{"1", nullptr},
                                           LeaveLinkCase{"7", nullptr}));

TEST_F(RecordEditorTest, LoadingAndCommittingKeepACleanGuideClean) {
    const auto lines = WithResponses(
        {Marked("1¤Welcome¶C:\\Pics\\logo.gifª120±45€yes"), Primary(2, "Two"), Primary(3, "Three")},
        1, {Response(1, "On", "2"), Response(1, "Off")});
    OpenGuide(lines);
    Doc().TreeStale = false;
    ASSERT_FALSE(Modified());
    ASSERT_TRUE(Doc().SaveAsItem.Enabled);

    Editor().LoadRecord();
    Editor().CommitRecord();
    ClickNext();
    ClickNext();
    ClickPrevious();
    ClickPrevious();
    Nav().GoBack();
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(Doc().SaveAsItem.Enabled);
    EXPECT_FALSE(Doc().TreeStale);
    EXPECT_EQ(Lines(), lines);
}

TEST_F(RecordEditorTest, CommitNeverMarksAnUntitledGuideModified) {
    Doc().TreeStale = false;
    Editor().CommitRecord();
    EXPECT_FALSE(Modified());
    EXPECT_FALSE(Doc().SaveAsItem.Enabled);
    EXPECT_FALSE(Doc().TreeStale);
    EXPECT_EQ(Lines(), (std::vector<std::string>{Primary(1, PlaceholderDialogue)}));
}

TEST_F(RecordEditorTest, PictureRecordShowsTheGraphicDialogTickedAndTheNextOneUnticked) {
    OpenGuide({Marked("1¤Welcome¶C:\\Pics\\logo.gifª120±45€yes"), Primary(2, "Plain")});
    const GraphicDialog& g = Graphic();
    EXPECT_TRUE(g.GraphicCheck.Checked);
    EXPECT_EQ(g.GraphicEdit.Text, "C:\\Pics\\logo.gif");
    EXPECT_EQ(g.Edit7.Text, "120");
    EXPECT_EQ(g.Edit8.Text, "45");
    ExpectPictureFieldsEnabled(true);
    EXPECT_TRUE(View().CenterCheck.Checked);

    ClickNext();
    EXPECT_FALSE(g.GraphicCheck.Checked);
    EXPECT_EQ(g.GraphicEdit.Text, "");
    EXPECT_EQ(g.Edit7.Text, "300");
    EXPECT_EQ(g.Edit8.Text, "0");
    ExpectPictureFieldsEnabled(false);
    EXPECT_FALSE(View().CenterCheck.Checked);
}

TEST_F(RecordEditorTest, ResponsesInSlotsOneAndFourComeBackInSlotsOneAndTwo) {
    OpenGuide(NumberedRecords(2));
    TypeResponse(1, "First");
    TypeLink(1, "2");
    TypeResponse(4, "Fourth");
    ClickNext();
    ClickPrevious();
    EXPECT_EQ(ShownResponses(), (std::vector<std::string>{"First>2", "Fourth>", "", "", "", ""}));
    EXPECT_TRUE(View().Edit(2).Enabled);
    EXPECT_TRUE(CreateNewEnabled(2));
    EXPECT_TRUE(GoThereEnabled(1));
    EXPECT_FALSE(View().Edit(4).Enabled);
    EXPECT_FALSE(CreateNewEnabled(4));
}

TEST_F(RecordEditorTest, ResponseLineWithoutTextInAFileDoesNotHideTheOnesAfterIt) {
    // The editor never writes a response without text, but a file edited by hand may hold one.
    OpenGuide(
        WithResponses(NumberedRecords(2), 1, {Response(1, "", "2"), Response(1, "Real", "2")}));
    EXPECT_EQ(ShownResponses()[1], "Real>2");
    ClickNext();
    // Stored again, the response without text is dropped and the others move up.
    EXPECT_EQ(Doc().Records.ReadRecord(1).Responses[0], (ResponseSlot{"Real", "2"}));
}

TEST_F(RecordEditorTest, EverythingTypedIsStoredAtTheNextCommit) {
    OpenGuide(NumberedRecords(3));
    ShowRecord(2);
    TypeDialogue("Two\nlines");
    ClickCenter(true);
    TypeResponse(1, "a\rb");
    TypeLink(1, "3");
    TypeResponse(3, "No target");
    TypeResponse(5, "");
    TypeLink(6, "1"); // a link without a response is not stored
    EXPECT_EQ(Lines(), NumberedRecords(3)) << "typing alone changes the list";

    Editor().CommitRecord();
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           Primary(1, "Record 1"), Marked("2¤Two\r\nlines¶ª±€yes"),
                           Marked("2¤a\r\nb¶3"), Marked("2¤No target¶"), Primary(3, "Record 3")}));
}

TEST_F(RecordEditorTest, EmptiedDialogueAndPictureLeaveTheStoredRecord) {
    OpenGuide(WithResponses(NumberedRecords(2), 1, {Response(1, "Go", "2")}));
    const auto before = Lines();
    TypeDialogue("");
    TypeResponse(1, "");
    Editor().CommitRecord();
    EXPECT_EQ(Lines(), before);
}

TEST_F(RecordEditorTest, CenterAndDialogueChangesMarkTheGuideModified) {
    OpenGuide(NumberedRecords(2));
    ClickCenter(true);
    EXPECT_TRUE(Modified());

    OpenGuide(NumberedRecords(2));
    TypeDialogue("Changed");
    EXPECT_TRUE(Modified());
}

} // namespace
} // namespace dravenloom
