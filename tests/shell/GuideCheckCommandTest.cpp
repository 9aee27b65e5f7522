// "Check Guide" in the program: a damaged guide's findings one line each, what the Edit View
// holds counted, and the walk to a finding's record.
#include "shell/GuideCheckCommand.h"
#include "support/EditorFixture.h"
#include "support/ShortLines.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

// Record 2 links to itself, record 3 links to record 9 of 4, no path reaches record 4, and
// a hand edit left the reserved mark 0xAA in record 4's dialogue.
std::vector<std::string> DamagedGuide() {
    return {P(1, "One"),        R(1, "on", "2"), R(1, "three", "3"), P(2, "Two"),
            R(2, "again", "2"), P(3, "Three"),   R(3, "far", "9"),   P(4, "Fo\xAAur")};
}

class GuideCheckCommandTest : public EditorFixture {
protected:
    GuideCheckCommand Check{Form};

    std::vector<std::int32_t> Records() const {
        std::vector<std::int32_t> records;
        for (const auto& entry : Check.Entries())
            records.push_back(entry.Record);
        return records;
    }
    // The line about record `record` that holds `words`, or "" when there is none.
    std::string LineAbout(std::int32_t record, const std::string& words) const {
        for (const auto& entry : Check.Entries())
            if (entry.Record == record && entry.Text.find(words) != std::string::npos)
                return entry.Text;
        return "";
    }
};

TEST_F(GuideCheckCommandTest, ListsEveryFindingOfADamagedGuideOneLineEach) {
    OpenGuide(DamagedGuide());
    Check.Refresh();
    // The same findings, in the same order, as dravenloom-cli check gives for the file.
    const GuideCheckResult cli = CheckGuideLines(DamagedGuide());
    ASSERT_EQ(Check.Entries().size(), cli.Findings.size());
    for (std::size_t i = 0; i < cli.Findings.size(); ++i) {
        EXPECT_EQ(Check.Entries()[i].Record, cli.Findings[i].Record);
        EXPECT_EQ(Check.Entries()[i].Text, "Record " + std::to_string(cli.Findings[i].Record) +
                                               ": " + cli.Findings[i].Message);
        EXPECT_EQ(Check.Entries()[i].Text.find('\n'), std::string::npos);
    }
    EXPECT_NE(LineAbout(2, "itself"), "");
    EXPECT_NE(LineAbout(3, "9"), "");
    EXPECT_NE(LineAbout(4, "(byte 0xAA)"), "");
    EXPECT_NE(LineAbout(4, "no path of responses"), "");
    EXPECT_EQ(Check.Summary(), std::to_string(cli.Findings.size()) + " problems found.");
}

TEST_F(GuideCheckCommandTest, ChecksWhatTheEditViewHoldsAndSaysWhenAllIsWell) {
    OpenGuide({P(1, "One"), R(1, "on", "2"), P(2, "Two")});
    Check.Refresh();
    EXPECT_TRUE(Check.Entries().empty());
    EXPECT_EQ(Check.Summary(), NoProblemsFoundText);
    // Typed, not stored yet: the check stores it first and finds the self link, and record 2
    // no longer reached.
    TypeLink(1, "1");
    Check.Refresh();
    EXPECT_EQ(Records(), (std::vector<std::int32_t>{1, 2}));
    EXPECT_NE(LineAbout(1, "itself"), "");
    EXPECT_EQ(Check.Summary(), "2 problems found.");
    EXPECT_EQ(Doc().Records.Lines[1], R(1, "on", "1"));
    TypeResponse(1, "stay");
    TypeLink(1, "2");
    Check.Refresh();
    EXPECT_TRUE(Check.Entries().empty());
    EXPECT_EQ(Doc().Records.Lines[1], R(1, "stay", "2"));
}

TEST_F(GuideCheckCommandTest, GoingToAFindingWalksAsGoThereDoes) {
    OpenGuide(DamagedGuide());
    ShowRecord(2);
    Check.Refresh();
    Form.ToolbarButton972Click(); // the Logic View on show
    TypeDialogue("Two, edited");
    std::size_t four = Check.Entries().size();
    for (std::size_t i = 0; i < Check.Entries().size(); ++i)
        if (Check.Entries()[i].Record == 4)
            four = i;
    ASSERT_LT(four, Check.Entries().size());
    EXPECT_TRUE(Check.GoToFinding(four));
    EXPECT_EQ(Form.Pages.ActivePage, Page::EditView);
    EXPECT_EQ(Doc().CurrentRecord, 4);
    EXPECT_EQ(Doc().Records.ReadRecord(2).Dialogue, "Two, edited");
    EXPECT_EQ(Form.Nav.LastViewedRecord, 2);
    ClickGoBack();
    EXPECT_EQ(Doc().CurrentRecord, 2);
}

TEST_F(GuideCheckCommandTest, AFindingWithoutARecordOfTheGuideWalksNowhere) {
    OpenGuide(DamagedGuide());
    Check.Refresh();
    ASSERT_FALSE(Check.Entries().empty());
    // The guide shrank since the check: record 4 is gone; walking past the end would add
    // records.
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    ShowRecord(4);
    Form.RemoveBitBtnClick();
    ASSERT_EQ(Doc().RecordCount, 3);
    const std::int32_t before = Doc().CurrentRecord;
    for (std::size_t i = 0; i < Check.Entries().size(); ++i) {
        if (Check.Entries()[i].Record == 4) {
            EXPECT_FALSE(Check.GoToFinding(i));
        }
    }
    EXPECT_FALSE(Check.GoToFinding(Check.Entries().size()));
    EXPECT_EQ(Doc().RecordCount, 3);
    EXPECT_EQ(Doc().CurrentRecord, before);
}

} // namespace
} // namespace dravenloom
