// Taking a removal back: for guides with every kind of link, removing each record and putting
// it back by the trace gives the list byte for byte, removing again gives the removal's bytes,
// and the trace holds only the lines the rule cannot give back.
#include "navigation/RecordRemoval.h"
#include "support/ShortLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

struct Guide {
    const char* Name;
    std::vector<std::string> Lines;
    std::int32_t Count;
};

// A number written with a leading zero or a plus sign reads as the number but is written back
// without it, so those lines are the ones the trace must keep.
std::string WithPrefix(const std::string& line, const std::string& prefix) {
    return prefix + line;
}

std::vector<Guide> Guides() {
    return {
        {"chain",
         {P(1, "a"), R(1, "on", "2"), P(2, "b"), R(2, "on", "3"), P(3, "c"), R(3, "back", "1"),
          R(3, "self", "3"), P(4, "d"), R(4, "to 2", "2")},
         4},
        {"links into the removed and past the end",
         {P(1, "a"), R(1, "x", "3"), R(1, "far", "99"), R(1, "none"), R(1, "text", "abc"),
          P(2, "b"), R(2, "x", "3"), R(2, "y", "1"), P(3, "c"), R(3, "x", "-1"), R(3, "z", "0")},
         3},
        {"numbers written oddly",
         {P(1, "a"), R(1, "x", "03"), R(1, "y", "+2"), WithPrefix(P(2, "b"), "0"),
          WithPrefix(R(2, "x", "3"), "0"), P(3, "c"), R(3, "x", "2")},
         3},
        {"a record without lines in the middle",
         {P(1, "a"), R(1, "x", "4"), R(1, "y", "2"), P(3, "c"), R(3, "x", "4"), P(4, "d")},
         4},
        {"one record", {P(1, "only"), R(1, "x", "1")}, 1},
        {"last record without lines", {P(1, "a"), R(1, "x", "2"), P(2, "b")}, 3},
    };
}

class RemovalReversal : public ::testing::TestWithParam<Guide> {};

TEST_P(RemovalReversal, EveryRemovalComesBackByteForByte) {
    const Guide& guide = GetParam();
    for (std::int32_t removed = 1; removed <= guide.Count; ++removed) {
        SCOPED_TRACE("removing record " + std::to_string(removed));
        RecordList list(guide.Lines);
        RemovalTrace trace;
        RemoveRecordLines(list, removed, guide.Count, trace);
        const std::vector<std::string> removedLines = list.Lines;

        RecordList plain(guide.Lines);
        RemoveRecordLines(plain, removed, guide.Count);
        EXPECT_EQ(plain.Lines, removedLines) << "the trace changes what a removal does";

        RestoreRemovedRecord(list, trace);
        EXPECT_EQ(list.Lines, guide.Lines);

        RemoveRecordLines(list, removed, guide.Count);
        EXPECT_EQ(list.Lines, removedLines);
    }
}

INSTANTIATE_TEST_SUITE_P(Guides, RemovalReversal, ::testing::ValuesIn(Guides()),
                         [](const auto& info) {
                             std::string name;
                             for (const char c : std::string(info.param.Name))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(RemovalTrace, KeepsOnlyWhatTheRuleCannotGiveBack) {
    // Record 2 goes from a chain of 2000 records, each linking to the next: every later line
    // is renumbered and every later link lowered, but the rule gives them all back. Only the
    // link into the removed record (emptied) is kept as it was.
    std::vector<std::string> lines;
    for (std::int32_t n = 1; n <= 2000; ++n) {
        lines.push_back(P(n, "Record " + std::to_string(n)));
        lines.push_back(R(n, "next", std::to_string(n % 2000 + 1)));
    }
    RecordList list(lines);
    RemovalTrace trace;
    RemoveRecordLines(list, 2, 2000, trace);
    ASSERT_EQ(trace.RemovedLines.size(), 2u);
    ASSERT_EQ(trace.Kept.size(), 1u);
    EXPECT_EQ(trace.Kept.front().first, 1u);
    EXPECT_EQ(trace.Kept.front().second, R(1, "next", "2"));
    RestoreRemovedRecord(list, trace);
    EXPECT_EQ(list.Lines, lines);
}

} // namespace
} // namespace dravenloom
