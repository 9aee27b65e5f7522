// Removing a record in the editor: the list rewritten with its links repaired, the counters, the
// buttons and the view afterwards, the confirmation, the three places the removal is asked
// from, and the file saved afterwards.
#include "navigation/RecordRemoval.h"
#include "support/EditorFixture.h"
#include "support/GuideReadBack.h"
#include "support/ShortLines.h"

#include "document/Errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

const MessageRequest Confirmation{"Confirm",
                                  "Remove this dialogue and all of its options? Some links to "
                                  "other dialogues may be disrupted!",
                                  MsgButtons::OkCancel, MsgIcon::Question, MsgAnswer::Cancel};

class RemovalTest : public EditorFixture {
protected:
    // The worked example: records 1..4; record 1 links to 4, record 2 to 3, record 4 to 2
    // and to itself.
    void OpenWorkedExample() {
        OpenGuide({P(1, "One"), R(1, "to four", "4"), P(2, "Two"), R(2, "to three", "3"),
                   P(3, "Three"), P(4, "Four"), R(4, "to two", "2"), R(4, "to self", "4")});
    }
    RecordRemoval& Removal() { return Form.Removal; }
    // The status line once the removal's note has had its time.
    std::string StatusAfterNote() {
        Doc().EndStatusNote(Doc().Note.Serial);
        return Doc().StatusText;
    }
    // Saves the guide under its name and reads the file back through Open: it must open and
    // hold what the editor holds.
    void SaveAndReadBack() {
        Files().Save1Click();
        EXPECT_TRUE(OpensAsGuide(Doc().GuideFileName, Lines()));
    }
};

TEST_F(RemovalTest, WorkedExampleRemovingRecordTwo) {
    OpenWorkedExample();
    ShowRecord(2);
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    EXPECT_TRUE(Removal().RemovalDone);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], Confirmation);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{P(1, "One"), R(1, "to four", "3"), P(2, "Three"),
                                        P(3, "Four"), R(3, "to two"), R(3, "to self", "3")}));
    EXPECT_EQ(Doc().CurrentRecord, 1);
    EXPECT_EQ(Doc().RecordCount, 3);
    EXPECT_EQ(Doc().StatusText, "Record 2 removed; links cleared in record 3");
    EXPECT_EQ(StatusAfterNote(), "Record 1 of 3");
    EXPECT_EQ(View().DialogueMemo.Text, "One");
    EXPECT_EQ(ShownResponses()[0], "to four>3");
    EXPECT_FALSE(View().PrevBitBtn.Enabled);
    EXPECT_TRUE(View().BackBitBtn.Enabled);
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(Doc().TreeStale);
    // The Edit View keeps the focus on the dialogue (not selected: it is no placeholder).
    EXPECT_TRUE(LastFocusIs(View().DialogueMemo, false));
    SaveAndReadBack();
}

TEST_F(RemovalTest, EmptiedLinkKeepsItsResponseText) {
    OpenWorkedExample();
    ShowRecord(3);
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    // Record 2's link to the removed record is gone; its text stays, the link field empties
    // and offers "Create new".
    EXPECT_EQ(Doc().CurrentRecord, 2);
    EXPECT_EQ(ShownResponses()[0], "to three>");
    EXPECT_TRUE(CreateNewEnabled(1));
    EXPECT_TRUE(View().PrevBitBtn.Enabled);
}

TEST_F(RemovalTest, RemovingTheLastAndTheFirstRecord) {
    OpenGuide({P(1, "One"), R(1, "to three", "3"), R(1, "dangling", "7"), P(2, "Two"),
               R(2, "back", "1"), P(3, "Three")});
    ShowRecord(3);
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    // Nothing renumbered; the link to the last record emptied, the dangling one kept.
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{P(1, "One"), R(1, "to three"), R(1, "dangling", "7"),
                                        P(2, "Two"), R(2, "back", "1")}));
    EXPECT_EQ(Doc().CurrentRecord, 2);
    EXPECT_EQ(Doc().StatusText, "Record 3 removed; links cleared in record 1");
    EXPECT_EQ(StatusAfterNote(), "Record 2 of 2");

    ShowRecord(1);
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    // The old record 2 is record 1 now and shown; its link to the removed record 1 is gone.
    EXPECT_EQ(Lines(), (std::vector<std::string>{P(1, "Two"), R(1, "back")}));
    EXPECT_EQ(Doc().CurrentRecord, 1);
    EXPECT_EQ(Doc().StatusText, "Record 1 removed; links cleared in record 1");
    EXPECT_EQ(StatusAfterNote(), "Record 1 of 1");
    EXPECT_EQ(View().DialogueMemo.Text, "Two");
    EXPECT_FALSE(View().PrevBitBtn.Enabled);
    EXPECT_FALSE(View().BackBitBtn.Enabled);
    SaveAndReadBack();
}

TEST_F(RemovalTest, RemovingTheOnlyRecordLeavesThePlaceholderRecord) {
    OpenGuide({P(1, "Alone"), R(1, "nowhere")});
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    EXPECT_TRUE(Removal().RemovalDone);
    EXPECT_EQ(Lines(), (std::vector<std::string>{P(1, "Enter primary dialogue here.")}));
    EXPECT_EQ(Doc().CurrentRecord, 1);
    EXPECT_EQ(Doc().RecordCount, 1);
    EXPECT_EQ(View().DialogueMemo.Text, "Enter primary dialogue here.");
    EXPECT_TRUE(LastFocusIs(View().DialogueMemo, true));
    EXPECT_FALSE(View().BackBitBtn.Enabled);
    EXPECT_FALSE(View().PrevBitBtn.Enabled);
    EXPECT_EQ(ShownResponses(), std::vector<std::string>(6));
    SaveAndReadBack();
}

TEST_F(RemovalTest, GoBackPastTheEndGoesToTheLastRecordWithoutAppending) {
    OpenGuide(NumberedRecords(6));
    ShowRecord(6);
    ClickPrevious(); // "Go back" would return to 6
    for (int i = 0; i < 2; ++i) {
        Platform.MessageAnswers.push_back(MsgAnswer::Ok);
        Form.RemoveBitBtnClick();
    }
    ASSERT_EQ(Doc().RecordCount, 4);
    ASSERT_EQ(Doc().CurrentRecord, 3);
    const auto lines = Lines();
    ClickGoBack();
    EXPECT_EQ(Doc().CurrentRecord, 4);
    EXPECT_EQ(Doc().RecordCount, 4);
    EXPECT_EQ(Doc().StatusText, "Record 4 of 4");
    EXPECT_EQ(View().DialogueMemo.Text, "Record 6");
    EXPECT_EQ(Lines(), lines);
    // "Go back" again returns to where the author was.
    ClickGoBack();
    EXPECT_EQ(Doc().CurrentRecord, 3);
}

TEST_F(RemovalTest, CancelChangesNothing) {
    OpenWorkedExample();
    ShowRecord(2);
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick(); // a removal that was done first
    ASSERT_TRUE(Removal().RemovalDone);
    ShowRecord(2);
    TypeResponse(2, "unsaved");
    const auto lines = Lines();
    const auto shown = ShownResponses();
    const bool previous = View().PrevBitBtn.Enabled;
    Platform.ClearRecords();
    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    Form.RemoveBitBtnClick();
    EXPECT_FALSE(Removal().RemovalDone);
    EXPECT_EQ(Platform.Messages, std::vector<MessageRequest>{Confirmation});
    EXPECT_EQ(Lines(), lines);
    EXPECT_EQ(ShownResponses(), shown);
    EXPECT_EQ(View().DialogueMemo.Text, "Three");
    EXPECT_EQ(Doc().CurrentRecord, 2);
    EXPECT_EQ(Doc().RecordCount, 3);
    EXPECT_EQ(View().PrevBitBtn.Enabled, previous);
    EXPECT_TRUE(Platform.FocusRequests.empty());
}

TEST_F(RemovalTest, RecordWithoutLinesAfterCreateNew) {
    OpenGuide({P(1, "One"), P(2, "Two"), P(3, "Three")});
    ShowRecord(3);
    TypeResponse(1, "more");
    ClickCreateNew(1); // record 4 exists only in the view; record 3 links to it
    ASSERT_EQ(Doc().RecordCount, 4);
    ASSERT_EQ(Lines().back(), R(3, "more", "4"));
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    // Nothing deleted or renumbered, the link to it emptied, the counters moved back.
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{P(1, "One"), P(2, "Two"), P(3, "Three"), R(3, "more")}));
    EXPECT_EQ(Doc().CurrentRecord, 3);
    EXPECT_EQ(Doc().RecordCount, 3);
    EXPECT_EQ(ShownResponses()[0], "more>");
    SaveAndReadBack();
}

TEST_F(RemovalTest, LastRecordLeftWithoutDialogueGetsThePlaceholder) {
    // Record 1 has a picture but no dialogue: once it is current again, the placeholder goes
    // into its dialogue and is stored.
    OpenGuide({BuildPrimaryLine(1, "", "pic.gif", "10", "20", false), P(2, "Two")});
    ShowRecord(2);
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    EXPECT_EQ(Lines(), (std::vector<std::string>{BuildPrimaryLine(1, "Enter primary dialogue here.",
                                                                  "pic.gif", "10", "20", false)}));
    EXPECT_TRUE(LastFocusIs(View().DialogueMemo, true));
    // The only record is the last one: "Next" and "Remove" are on again with its dialogue.
    EXPECT_TRUE(View().NextBitBtn.Enabled);
    EXPECT_TRUE(View().RemoveBitBtn.Enabled);
}

TEST_F(RemovalTest, UnreadableListFailsBeforeAnythingChanges) {
    OpenWorkedExample();
    ShowRecord(2);
    Lines().insert(Lines().begin() + 4, "x\xA4"
                                        "broken");
    const auto lines = Lines();
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    EXPECT_THROW(Form.RemoveBitBtnClick(), ConversionError);
    EXPECT_EQ(Lines(), lines);
    EXPECT_EQ(View().DialogueMemo.Text, "Two");
    EXPECT_EQ(Doc().CurrentRecord, 2);
    EXPECT_EQ(Doc().RecordCount, 4);
}

// Lines out of number order: removing would renumber a later line into another record, or to
// record 0, and write a guide that Open refuses.
struct DisorderCase {
    const char* Name;
    std::vector<std::string> Lines;
    std::int32_t Removed;
    const char* Named; // what the error names
};

void PrintTo(const DisorderCase& c, std::ostream* os) {
    *os << c.Name;
}

class RemovalDisorderTest : public RemovalTest,
                            public ::testing::WithParamInterface<DisorderCase> {};

TEST_P(RemovalDisorderTest, RefusedBeforeAnythingChanges) {
    const DisorderCase& c = GetParam();
    OpenGuide(c.Lines);
    ShowRecord(c.Removed);
    const auto lines = Lines();
    const std::string dialogue = View().DialogueMemo.Text;
    const std::int32_t count = Doc().RecordCount;
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    try {
        Form.RemoveBitBtnClick();
        ADD_FAILURE() << "the removal went ahead";
    } catch (const GuideFormatError& error) {
        EXPECT_NE(std::string(error.what()).find(c.Named), std::string::npos) << error.what();
    }
    EXPECT_FALSE(Removal().RemovalDone);
    EXPECT_EQ(Lines(), lines);
    EXPECT_EQ(View().DialogueMemo.Text, dialogue);
    EXPECT_EQ(Doc().CurrentRecord, c.Removed);
    EXPECT_EQ(Doc().RecordCount, count);
    SaveAndReadBack();
}

INSTANTIATE_TEST_SUITE_P(
    Guides, RemovalDisorderTest,
    ::testing::Values(DisorderCase{"RecordAgainAfterALaterOne",
                                   {P(1, "One"), P(2, "Two"), P(1, "Again"), P(3, "Three")},
                                   2,
                                   "line 3 holds record 1 after record 2"},
                      DisorderCase{
                          "RemovedRecordAgainFurtherOn",
                          {P(1, "One"), P(2, "Two"), P(3, "Three"), R(3, "go", "1"), P(2, "Again")},
                          2,
                          "line 5 holds record 2 after record 3"},
                      DisorderCase{"DisorderBeforeTheRemovedRecord",
                                   {P(1, "One"), P(3, "Three"), P(2, "Two"), P(4, "Four")},
                                   4,
                                   "line 3 holds record 2 after record 3"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RemovalTest, RefusedRemovalOfAnEmptiedDialogueKeepsTheRecord) {
    OpenGuide({P(1, "One"), P(2, "Two"), P(1, "Again"), P(3, "Three")});
    ShowRecord(2);
    TypeDialogue("");
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    EXPECT_THROW(Form.DialogueMemoExit(), GuideFormatError);
    EXPECT_EQ(View().DialogueMemo.Text, "Enter primary dialogue here.");
    EXPECT_TRUE(LastFocusIs(View().DialogueMemo, true));
    EXPECT_EQ(Doc().RecordCount, 3);
}

TEST_F(RemovalTest, GapsInTheNumberingAreNoDisorder) {
    // Record 4 has no lines: removing it still moves record 5 up, where the repaired link
    // now looks for it.
    OpenGuide({P(1, "One"), R(1, "far", "5"), P(3, "Three"), P(5, "Five")});
    ShowRecord(4);
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    EXPECT_EQ(Lines(), (std::vector<std::string>{P(1, "One"), R(1, "far", "4"), P(3, "Three"),
                                                 P(4, "Five")}));
    SaveAndReadBack();
}

TEST_F(RemovalTest, DialogueLeftEmptyOffersRemoval) {
    OpenWorkedExample();
    ShowRecord(2);
    // A dialogue with text: nothing is asked.
    Form.DialogueMemoExit();
    EXPECT_TRUE(Platform.Messages.empty());

    // Cancel: the placeholder comes back, selected, with the focus; nothing removed.
    TypeDialogue("");
    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    Form.DialogueMemoExit();
    EXPECT_EQ(Platform.Messages, std::vector<MessageRequest>{Confirmation});
    EXPECT_FALSE(Removal().RemovalDone);
    EXPECT_EQ(View().DialogueMemo.Text, "Enter primary dialogue here.");
    EXPECT_TRUE(LastFocusIs(View().DialogueMemo, true));
    EXPECT_EQ(Doc().RecordCount, 4);

    // OK: the record goes.
    TypeDialogue("");
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.DialogueMemoExit();
    EXPECT_TRUE(Removal().RemovalDone);
    EXPECT_EQ(Doc().RecordCount, 3);
    EXPECT_EQ(View().DialogueMemo.Text, "One");
}

TEST_F(RemovalTest, DialogueLeftEmptyRemovesItsOwnRecordEvenWhenTheLogicViewIsShown) {
    // The focus may leave the field because the page changed: the record whose dialogue was
    // emptied is the one offered, not whatever node the tree has selected.
    OpenWorkedExample();
    ShowRecord(3);
    Form.ToolbarButton972Click();
    Form.Tree.Select(Form.Tree.Root());
    TypeDialogue("");
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.DialogueMemoExit();
    EXPECT_EQ(Lines(), (std::vector<std::string>{P(1, "One"), R(1, "to four", "3"), P(2, "Two"),
                                                 R(2, "to three"), P(3, "Four"),
                                                 R(3, "to two", "2"), R(3, "to self", "3")}));
    // The Logic View is shown, so its tree is rebuilt at once.
    EXPECT_EQ(LogicTreeOutline(Form.Tree, 1), "[0] One #1\n  [1] to four #1\n");
}

TEST_F(RemovalTest, FromTheLogicViewTheSelectedResponsesRecordGoes) {
    OpenWorkedExample();
    ShowRecord(2);
    Form.ToolbarButton972Click();
    auto& tree = Form.Tree;
    tree.Expand(tree.Root());
    const auto toFour = tree.Children(tree.Root())[0];
    tree.Expand(toFour);
    const auto four = tree.Children(toFour)[0];
    tree.Expand(four);
    const auto toSelf = tree.Children(four)[1];
    tree.MousePress(TreeMouseButton::Right, toSelf, false);
    tree.PopupMenu1Popup();
    ASSERT_TRUE(tree.RemoveRecordItem.Enabled);
    Platform.ClearRecords();
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveRecord1Click();
    EXPECT_TRUE(Form.Removal.RemovalDone);
    // Record 4, the owner of the response, is gone; record 3 became current.
    EXPECT_EQ(Lines(), (std::vector<std::string>{P(1, "One"), R(1, "to four"), P(2, "Two"),
                                                 R(2, "to three", "3"), P(3, "Three")}));
    EXPECT_EQ(Doc().CurrentRecord, 3);
    EXPECT_EQ(Doc().StatusText, "Record 4 removed; links cleared in record 1");
    EXPECT_EQ(StatusAfterNote(), "Record 3 of 3");
    EXPECT_EQ(View().DialogueMemo.Text, "Three");
    EXPECT_EQ(Form.Pages.ActivePage, Page::LogicView);
    // The tree is rebuilt, collapsed (nothing was open), nothing selected, and no focus is
    // moved to the hidden Edit View.
    EXPECT_FALSE(tree.Selected);
    EXPECT_FALSE(tree.IsExpanded(tree.Root()));
    EXPECT_EQ(LogicTreeOutline(tree, 10), "[0] One #1\n"
                                          "  [0] to four #1\n");
    EXPECT_TRUE(Platform.FocusRequests.empty());
}

TEST_F(RemovalTest, FromTheLogicViewWithoutSelectionNothingIsLost) {
    OpenWorkedExample();
    ShowRecord(2);
    Form.ToolbarButton972Click();
    const auto lines = Lines();
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveRecord1Click();
    EXPECT_FALSE(Form.Removal.RemovalDone);
    EXPECT_EQ(Lines(), lines);
    // The working copy is still the record's, so going back to the Edit View shows it whole.
    EXPECT_EQ(View().DialogueMemo.Text, "Two");
    EXPECT_EQ(ShownResponses()[0], "to three>3");
    EXPECT_EQ(Doc().CurrentRecord, 2);
    EXPECT_FALSE(Modified());
}

TEST_F(RemovalTest, TreeNotShownIsRebuiltEvenOnAnEmptyFirstRecord) {
    // A removal from the Edit View renumbers the records under the tree's nodes, so the next
    // "Logic View" must not show the old tree, even where it otherwise keeps it.
    OpenWorkedExample();
    Form.ToolbarButton972Click();
    Form.ToolbarButton971Click();
    ShowRecord(2);
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    ASSERT_EQ(Doc().CurrentRecord, 1);
    TypeDialogue("");
    Form.ToolbarButton972Click();
    EXPECT_EQ(LogicTreeOutline(Form.Tree, 0), "[0] One #1\n");
    Form.Tree.Expand(Form.Tree.Root());
    const auto toFour = Form.Tree.Children(Form.Tree.Root())[0];
    EXPECT_EQ(Form.Tree.Caption(toFour), "to four");
    Form.Tree.Expand(toFour);
    EXPECT_EQ(Form.Tree.RecordNumber(Form.Tree.Children(toFour)[0]), 3);
}

} // namespace
} // namespace dravenloom
