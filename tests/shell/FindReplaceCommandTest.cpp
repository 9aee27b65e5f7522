// "Find..." and "Replace..." in the program: what the Edit View holds is searched, a match is
// walked to and selected in its field, Replace and Replace All are one step of the history
// each, and a refused replacement changes nothing.
#include "shell/FindReplaceCommand.h"
#include "shell/StatisticsCommand.h"
#include "support/EditorFixture.h"
#include "support/ShortLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

class FindReplaceCommandTest : public EditorFixture {
protected:
    FindReplaceCommand Find{Form};

    void OpenSample() {
        OpenGuide({P(1, "The lamp is dark."), R(1, "Check the lamp", "2"), R(1, "Give up", "3"),
                   P(2, "Is the lamp\r\nplugged in?"), R(2, "Lamp on", "3"), P(3, "Done."),
                   R(3, "Again", "1")});
    }
    void Search(const std::string& text) {
        Find.FindText = text;
        Find.Search();
    }
    std::vector<std::string> Places() const {
        std::vector<std::string> places;
        for (const auto& row : Find.Rows())
            places.push_back(row.Place);
        return places;
    }
};

TEST_F(FindReplaceCommandTest, ListsMatchesOfWhatTheEditViewHoldsAndWalksToThem) {
    OpenSample();
    // Typed, not yet stored: the search stores it first.
    TypeResponse(2, "Give up the lamp");
    Search("lamp");
    EXPECT_EQ(Places(), (std::vector<std::string>{"Record 1, dialogue", "Record 1, response 1",
                                                  "Record 1, response 2", "Record 2, dialogue",
                                                  "Record 2, response 1"}));
    EXPECT_EQ(Find.Message(), "5 matches in 2 records.");
    EXPECT_EQ(Find.Rows()[3].Before, "Is the ");
    EXPECT_EQ(Find.Rows()[3].Match, "lamp");
    EXPECT_EQ(Find.Rows()[3].After, "  plugged in?"); // the line break as blanks

    ASSERT_TRUE(Find.GoToMatch(4));
    EXPECT_EQ(Doc().CurrentRecord, 2);
    EXPECT_EQ(View().Memo(1).Text, "Lamp on");
    EXPECT_EQ(Find.Selection().Field, &View().Memo(1));
    EXPECT_EQ(Find.Selection().Start, 0u);
    EXPECT_EQ(Find.Selection().Length, 4u);
    // A walk like "Go there": "Go back" returns.
    ClickGoBack();
    EXPECT_EQ(Doc().CurrentRecord, 1);

    Find.RegularExpression.Checked = true;
    Search("lamp\\");
    EXPECT_TRUE(Find.Rows().empty());
    EXPECT_NE(Find.Message().find("not valid at character 6"), std::string::npos) << Find.Message();
    EXPECT_EQ(Find.ErrorAt(), std::optional<std::size_t>(5));
}

TEST_F(FindReplaceCommandTest, ReplaceAllIsOneStepThatUndoesAndRedoes) {
    OpenSample();
    const std::vector<std::string> before = Lines();
    ShowRecord(2);
    Search("lamp");
    Find.ReplaceText = "light";
    ASSERT_TRUE(Find.ReplaceAll());
    EXPECT_EQ(Find.Message(), "Replaced 4 matches in 2 records. No matches.");
    const std::vector<std::string> after = {
        P(1, "The light is dark."), R(1, "Check the light", "2"),
        R(1, "Give up", "3"),       P(2, "Is the light\r\nplugged in?"),
        R(2, "light on", "3"),      P(3, "Done."),
        R(3, "Again", "1")};
    EXPECT_EQ(Lines(), after);
    // The record on show shows the new text, and the guide is modified.
    EXPECT_EQ(View().DialogueMemo.Text, "Is the light\r\nplugged in?");
    EXPECT_TRUE(Modified());
    EXPECT_EQ(Form.UndoCaption(), "&Undo Replace All");

    Form.Undo1Click();
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(View().DialogueMemo.Text, "Is the lamp\r\nplugged in?");
    EXPECT_FALSE(Modified());
    Form.Redo1Click();
    EXPECT_EQ(Lines(), after);
}

TEST_F(FindReplaceCommandTest, ReplaceChangesTheChosenMatchAndRefusalsChangeNothing) {
    OpenSample();
    Search("lamp");
    Find.ReplaceText = "bulb";
    ASSERT_TRUE(Find.ReplaceMatch(1));
    EXPECT_EQ(Lines()[1], R(1, "Check the bulb", "2"));
    EXPECT_EQ(Lines()[0], P(1, "The lamp is dark."));
    EXPECT_EQ(Find.Rows().size(), 3u);
    EXPECT_EQ(Form.UndoCaption(), "&Undo Replace in record 1");

    const std::vector<std::string> kept = Lines();
    Find.ReplaceText = "\xE2\x82\xAC"; // the euro sign: a mark of the guide file
    EXPECT_FALSE(Find.ReplaceAll());
    EXPECT_EQ(Lines(), kept);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Caption, "Error");
    EXPECT_NE(Platform.Messages[0].Text.find("\xE2\x82\xAC"), std::string::npos);
    EXPECT_NE(Find.Message().find("Nothing was replaced"), std::string::npos);

    // A match that typing changed since the search is not replaced; the list is made again.
    Search("Lamp on");
    ShowRecord(2);
    TypeResponse(1, "Lamp off");
    Find.ReplaceText = "x";
    EXPECT_FALSE(Find.ReplaceMatch(0));
    EXPECT_EQ(Lines()[4], R(2, "Lamp off", "3"));
    EXPECT_TRUE(Find.Rows().empty());
    EXPECT_NE(Find.Message().find("changed since the search"), std::string::npos);
}

TEST_F(FindReplaceCommandTest, StatisticsWalkToTheirRecords) {
    OpenGuide({P(1, "One"), R(1, "to two", "2"), P(2, "Two"), P(3, "Lost"), R(3, "far", "9")});
    StatisticsCommand stats(Form);
    stats.Refresh();
    EXPECT_EQ(stats.Figures().Unreachable, (std::vector<std::int32_t>{3}));
    EXPECT_EQ(stats.Figures().Dangling, (std::vector<std::int32_t>{3}));
    EXPECT_EQ(stats.Lines().front(), (std::pair<std::string, std::string>{"Records:", "3"}));
    ASSERT_TRUE(stats.GoToRecord(3));
    EXPECT_EQ(Doc().CurrentRecord, 3);
    EXPECT_EQ(View().DialogueMemo.Text, "Lost");
    EXPECT_FALSE(stats.GoToRecord(4));
    EXPECT_EQ(Doc().RecordCount, 3);
}

} // namespace
} // namespace dravenloom
