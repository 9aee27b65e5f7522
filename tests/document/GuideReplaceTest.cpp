// Finding in a guide's record list (what is searched and what never is) and planning
// replacements: every refusal leaves the list as it was, and an applied plan undoes and
// redoes line for line.
#include "document/GuideReplace.h"
#include "support/ShortLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

// Record 1 with a picture whose path, number and target all hold "7", record 2 with a link.
std::vector<std::string> SampleLines() {
    return {BuildPrimaryLine(1, "Seven 7 days", "C:\\7\\x7.gif", "7", "7", false),
            R(1, "Go 7", "2"), R(1, "Stay", "7"), P(2, "Two\r\nlines 7"),
            R(2, "Web [url:www.7.example]")};
}

std::vector<GuideMatch> Find(const RecordList& list, const std::string& pattern,
                             SearchOptions options = {}) {
    return FindInGuide(list, TextPattern(pattern, options));
}

TEST(GuideSearch, SearchesDialoguesAndResponsesOnly) {
    const RecordList list(SampleLines());
    const std::vector<GuideMatch> found = Find(list, "7");
    const std::vector<GuideMatch> expected = {
        {1, MatchField::Dialogue, 0, 0, 6, 1},
        {1, MatchField::Response, 1, 1, 3, 1},
        {2, MatchField::Dialogue, 0, 3, 11, 1},
        {2, MatchField::Response, 1, 4, 13, 1},
    };
    EXPECT_EQ(found, expected);
    EXPECT_EQ(FieldName(found[1]), "response 1");
    EXPECT_EQ(FieldName(found[2]), "dialogue");
    // A seventh response line of a damaged file is not one the editor shows.
    std::vector<std::string> many = {P(1, "x")};
    for (int k = 1; k <= 7; ++k)
        many.push_back(R(1, "r" + std::to_string(k)));
    const std::vector<GuideMatch> slots = Find(RecordList(many), "r\\d", {false, false, true});
    ASSERT_EQ(slots.size(), 6u);
    EXPECT_EQ(slots.back().Response, 6);
}

TEST(GuideSearch, ContextShowsTheWordsAroundAMatchOnOneLine) {
    const std::string text = "First line\r\nthe lamp is here\r\nlast";
    const MatchContext near = ContextOf(text, 16, 4, 8);
    EXPECT_EQ(near.Before, "...ne  the ");
    EXPECT_EQ(near.Match, "lamp");
    EXPECT_EQ(near.After, " is here...");
    const MatchContext whole = ContextOf("a lamp", 2, 4);
    EXPECT_EQ(whole.Before + "|" + whole.Match + "|" + whole.After, "a |lamp|");
}

TEST(GuideReplace, RefusesBeforeAnyLineChanges) {
    struct Refused {
        const char* Name;
        std::vector<std::string> Lines;
        std::string Pattern;
        SearchOptions Options;
        std::string Replacement;
        const char* Words; // part of the reason given
    };
    const std::vector<Refused> cases = {
        {"EuroSignIsAMark",
         SampleLines(),
         "days",
         {},
         "\xE2\x82\xAC"
         "5",
         "\"\xE2\x82\xAC\" (U+20AC) can't be used in a guide"},
        {"PilcrowIsAMark", SampleLines(), "Stay", {}, "\xC2\xB6", "(U+00B6)"},
        {"OutsideTheCodePage",
         SampleLines(),
         "Go",
         {},
         "\xC5\x81\xC3\xB3"
         "dz",
         "\"\xC5\x81\" (U+0141) can't be stored in a guide"},
        // An expression's replacement is checked match by match, after its groups are put in.
        {"MarkThroughExpression",
         SampleLines(),
         "(Go) 7",
         {false, false, true},
         "$1 \xC2\xA4",
         "(U+00A4)"},
        {"EmptiedResponse", SampleLines(), "Stay", {}, "", "response 2 of record 1 empty"},
        {"EmptiedDialogueWithoutPicture",
         {P(1, "Only"), P(2, "Two")},
         "Two",
         {},
         "",
         "the dialogue of record 2 empty"},
        {"LoneLineBreak",
         SampleLines(),
         "\\n",
         {false, false, true},
         "",
         "half removed in the dialogue of record 2"},
    };
    for (const Refused& c : cases) {
        const RecordList list(c.Lines);
        const TextPattern pattern(c.Pattern, c.Options);
        const ReplacePlan plan =
            PlanReplacements(list, pattern, FindInGuide(list, pattern), c.Replacement);
        EXPECT_NE(plan.Refusal.find(c.Words), std::string::npos) << c.Name << ": " << plan.Refusal;
        EXPECT_NE(plan.Refusal.find("Nothing was replaced"), std::string::npos) << c.Name;
    }
}

TEST(GuideReplace, AppliesEveryMatchAndUndoesLineForLine) {
    RecordList list(SampleLines());
    const std::vector<std::string> before = list.Lines;
    const TextPattern pattern("7", {});
    const ReplacePlan plan = PlanReplacements(list, pattern, FindInGuide(list, pattern), "seven");
    ASSERT_EQ(plan.Refusal, "");
    EXPECT_EQ(plan.Replacements, 4u);
    EXPECT_EQ(plan.Records, 2u);
    ApplyLineEdits(list, plan.Edits);
    // The picture, its position and the targets keep their sevens.
    const std::vector<std::string> expected = {
        BuildPrimaryLine(1, "Seven seven days", "C:\\7\\x7.gif", "7", "7", false),
        R(1, "Go seven", "2"), R(1, "Stay", "7"), P(2, "Two\r\nlines seven"),
        R(2, "Web [url:www.seven.example]")};
    EXPECT_EQ(list.Lines, expected);

    LineEditsChange change(list, plan.Edits);
    change.Undo();
    EXPECT_EQ(list.Lines, before);
    change.Redo();
    EXPECT_EQ(list.Lines, expected);
    EXPECT_GT(change.Size(), 0u);

    // A dialogue may go when the record keeps its picture.
    RecordList pictured(
        std::vector<std::string>{BuildPrimaryLine(1, "Gone", "pic.gif", "300", "0", true)});
    const TextPattern gone("Gone", {});
    const ReplacePlan emptied = PlanReplacements(pictured, gone, FindInGuide(pictured, gone), "");
    EXPECT_EQ(emptied.Refusal, "");
    ApplyLineEdits(pictured, emptied.Edits);
    EXPECT_EQ(pictured.Lines[0], BuildPrimaryLine(1, "", "pic.gif", "300", "0", true));
}

} // namespace
} // namespace dravenloom
