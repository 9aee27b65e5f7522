// The figures of a guide: counts, links and pictures, and the walks from record 1 (what no
// walk reaches, where walks end, how deep they go, which targets lead nowhere).
#include "shell/GuideStatistics.h"
#include "support/ShortLines.h"

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

using Numbers = std::vector<std::int32_t>;

TEST(GuideStatistics, CountsAndWalksAGuideWithEveryKindOfRecord) {
    // 1 -> 2 -> 4 -> 5 -> 8 (the deepest, four clicks; record 8 has no lines, an empty
    // screen), 1 -> 3 (a web link and a jump back), 6 and 7 jump to each other but nothing
    // reaches them, and 7 also names records 12 and 0 of 8.
    const std::vector<std::string> lines = {
        BuildPrimaryLine(1, "Start here\r\nnow", "C:\\a.gif", "1", "2", false),
        R(1, "Go on", "2"),
        R(1, "Other way", "3"),
        P(2, "Two"),
        R(2, "Down", "4"),
        P(3, "Three"),
        R(3, "Site [url:www.example.com]"),
        R(3, "Back", "1"),
        P(4, "Four"),
        R(4, "On", "5"),
        BuildPrimaryLine(5, "Five", "b.jpg", "300", "0", true),
        R(5, "  ", "8"),
        P(6, "Six"),
        R(6, "to seven", "7"),
        P(7, "Seven"),
        R(7, "to six", "6"),
        R(7, "nowhere", "12"),
        R(7, "zero", "0"),
        R(7, "not a number", "x"),
    };
    const GuideStatistics stats = ComputeStatistics(RecordList(lines), 8);
    EXPECT_EQ(stats.Records, 8);
    EXPECT_EQ(stats.Responses, 12u);
    // Line by line: 3 2 2 1 1 1 2 1 1 1 1 0 1 2 1 2 1 1 3 (the link markup one word).
    EXPECT_EQ(stats.Words, 27u);
    EXPECT_EQ(stats.Jumps, 10u);
    EXPECT_EQ(stats.WebLinks, 1u);
    EXPECT_EQ(stats.Pictures, 2u);
    EXPECT_EQ(stats.Unreachable, (Numbers{6, 7}));
    EXPECT_EQ(stats.Endings, (Numbers{8}));
    EXPECT_EQ(stats.Depth, 4);
    EXPECT_EQ(stats.Dangling, (Numbers{7}));
}

TEST(GuideStatistics, OneRecordAndAnEmptyGuide) {
    const GuideStatistics one = ComputeStatistics(RecordList({P(1, "Alone")}), 1);
    EXPECT_EQ(one.Endings, (Numbers{1}));
    EXPECT_EQ(one.Depth, 0);
    EXPECT_TRUE(one.Unreachable.empty());
    EXPECT_EQ(one.Words, 1u);
    // A new guide has no lines yet: its record 1 is an empty screen, an ending.
    const GuideStatistics empty = ComputeStatistics(RecordList(), 1);
    EXPECT_EQ(empty.Records, 1);
    EXPECT_EQ(empty.Endings, (Numbers{1}));
    EXPECT_EQ(empty.Words, 0u);
    // A link markup with its "]" first is no link, as the player reads it.
    const GuideStatistics broken =
        ComputeStatistics(RecordList({P(1, "x"), R(1, "] [url:www.example.com")}), 1);
    EXPECT_EQ(broken.WebLinks, 0u);
    EXPECT_TRUE(broken.Endings.empty());
}

} // namespace
} // namespace dravenloom
