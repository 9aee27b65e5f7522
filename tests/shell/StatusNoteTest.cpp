// The status line's short notes: "Saved lamp.dvx" after Save and Save As, "Record 3 removed;
// links cleared in ..." after a removal, and the record status that comes back when a note's
// time is up, unless something else took the status line meanwhile.
#include "navigation/RemovalNote.h"
#include "support/EditorFixture.h"
#include "support/ShortLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

class StatusNoteTest : public EditorFixture {
protected:
    void EndNote() { Doc().EndStatusNote(Doc().Note.Serial); }
};

TEST_F(StatusNoteTest, SaveSaysSavedUntilItsTimeIsUp) {
    OpenGuide(NumberedRecords(3), "lamp.dvx");
    ShowRecord(2);
    TypeDialogue("changed");
    const auto before = Doc().Note.Serial;
    Files().Save1Click();
    EXPECT_EQ(Doc().StatusText, "Saved lamp.dvx");
    EXPECT_EQ(Doc().Note.Serial, before + 1) << "the window times each new note";
    EndNote();
    EXPECT_EQ(Doc().StatusText, "Record 2 of 3");
    // Save As names the new file; Save of an untitled guide names the file chosen.
    Platform.DialogAnswers.push_back(Dir.File("copy.dvx"));
    Files().SaveAs1Click();
    EXPECT_EQ(Doc().StatusText, "Saved copy.dvx");
    Files().NewGuide1Click();
    TypeDialogue("new");
    Platform.DialogAnswers.push_back(Dir.File("fresh"));
    Files().Save1Click();
    EXPECT_EQ(Doc().StatusText, "Saved fresh.dvx");
}

TEST_F(StatusNoteTest, NothingSavedNoNote) {
    OpenGuide(NumberedRecords(3), "lamp.dvx");
    TypeDialogue("changed");
    Platform.DialogAnswers.push_back(std::nullopt);
    Files().SaveAs1Click();
    EXPECT_EQ(Doc().StatusText, "Record 1 of 3");
    EXPECT_EQ(Doc().Note.Serial, 0u);
}

TEST_F(StatusNoteTest, ANoteEndsOnlyWhileItIsStillShown) {
    OpenGuide(NumberedRecords(3), "lamp.dvx");
    Files().Save1Click();
    const auto first = Doc().Note.Serial;
    // A move shows its own status; the note's time running out later changes nothing.
    ClickNext();
    EXPECT_EQ(Doc().StatusText, "Record 2 of 3");
    Doc().StatusText = "something else";
    Doc().EndStatusNote(first);
    EXPECT_EQ(Doc().StatusText, "something else");
    // A later note has its own time: the first note's time does not end it.
    Files().Save1Click();
    Doc().EndStatusNote(first);
    EXPECT_EQ(Doc().StatusText, "Saved lamp.dvx");
    EndNote();
    EXPECT_EQ(Doc().StatusText, "Record 2 of 3");
}

TEST_F(StatusNoteTest, RemovalNamesTheRecordsWhoseLinksWereClearedAsNumberedAfterwards) {
    // Records 1, 2 and 5 link to record 3; record 3 links to itself; record 4 links elsewhere.
    OpenGuide({P(1, "One"), R(1, "a", "3"), P(2, "Two"), R(2, "b", "3"), R(2, "c", "3"),
               P(3, "Three"), R(3, "self", "3"), P(4, "Four"), R(4, "d", "1"), P(5, "Five"),
               R(5, "e", "3")});
    ShowRecord(3);
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    // Former record 5 is record 4 now, where the author finds its emptied link.
    EXPECT_EQ(Doc().StatusText, "Record 3 removed; links cleared in records 1, 2 and 4");
    EXPECT_EQ(Form.Document.Records.ReadRecord(4).Responses[0].Target, "");
    EndNote();
    EXPECT_EQ(Doc().StatusText, "Record 2 of 4");
    // Cancelled: no note.
    const auto serial = Doc().Note.Serial;
    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    Form.RemoveBitBtnClick();
    EXPECT_EQ(Doc().Note.Serial, serial);
    EXPECT_EQ(Doc().StatusText, "Record 2 of 4");
}

struct NoteCase {
    std::int32_t Removed;
    std::vector<std::int32_t> Cleared;
    std::string Note;
};

class RemovalNoteTest : public ::testing::TestWithParam<NoteCase> {};

TEST_P(RemovalNoteTest, Wording) {
    EXPECT_EQ(RemovalNote(GetParam().Removed, GetParam().Cleared), GetParam().Note);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, RemovalNoteTest,
    ::testing::Values(
        NoteCase{3, {}, "Record 3 removed"},
        NoteCase{3, {1}, "Record 3 removed; links cleared in record 1"},
        NoteCase{3, {1, 5}, "Record 3 removed; links cleared in records 1 and 5"},
        NoteCase{12, {1, 4, 5}, "Record 12 removed; links cleared in records 1, 4 and 5"}));

TEST(RecordsLosingLinksTest, OncePerRecordInOrderWithoutTheRemovedOne) {
    const RecordList records({P(1, "One"), R(1, "x", "4"), P(2, "Two"), R(2, "y", "9"),
                              P(4, "Four"), R(4, "self", "4"), P(7, "Seven"), R(7, "a", "4"),
                              R(7, "b", "4"), R(7, "c", "")});
    // Record 7 becomes 6; a link to another record or an empty one is not counted.
    EXPECT_EQ(RecordsLosingLinks(records, 4), (std::vector<std::int32_t>{1, 6}));
    EXPECT_TRUE(RecordsLosingLinks(records, 2).empty());
    EXPECT_TRUE(RecordsLosingLinks(RecordList(), 1).empty());
}

} // namespace
} // namespace dravenloom
