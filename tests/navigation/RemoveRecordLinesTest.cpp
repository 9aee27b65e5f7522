// Removing a record's lines from the list: the one pass against the line-by-line walk, byte for
// byte renumbering, the link repair, and what the list looks like after a failure.
#include "navigation/RecordRemoval.h"
#include "support/ShortLines.h"

#include "document/Errors.h"
#include "document/NumberText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

// The removal walk written the plain way: lines erased in place, one by one, as it goes.
void ReferenceRemoval(std::vector<std::string>& lines, std::int32_t c, std::int32_t m) {
    const auto repair = [&](std::string& line) {
        const auto mark = line.find(TextMark);
        const std::string target = line.substr(mark + 1);
        if (target.empty())
            return;
        const std::int32_t t = StrToInt(target);
        if (t > c && t <= m)
            line = line.substr(0, mark + 1) + std::to_string(t - 1);
        else if (t == c)
            line = line.substr(0, mark + 1);
    };
    std::size_t r = 0;
    while (r < lines.size()) {
        if (LineNumber(lines[r]) != c) {
            if (r > 0 && LineNumber(lines[r]) == LineNumber(lines[r - 1]))
                repair(lines[r]);
            ++r;
            continue;
        }
        while (r < lines.size() && LineNumber(lines[r]) == c)
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(r));
        for (; r < lines.size(); ++r) {
            if (r > 0 && LineNumber(lines[r]) - 1 == LineNumber(lines[r - 1]))
                repair(lines[r]);
            const std::int32_t n = LineNumber(lines[r]);
            lines[r] = std::to_string(n - 1) + lines[r].substr(lines[r].find(NumberMark));
        }
    }
}

TEST(RemoveRecordLinesTest, MatchesTheLineByLineWalkOnRandomGuides) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        const std::int32_t count = 1 + static_cast<std::int32_t>(random() % 8);
        std::vector<std::string> lines;
        for (std::int32_t n = 1; n <= count; ++n) {
            // The last record sometimes has no lines, as one appended by a walk.
            if (n == count && count > 1 && random() % 4 == 0)
                break;
            lines.push_back(P(n, "Record " + std::to_string(n)));
            const int responses = static_cast<int>(random() % 7);
            for (int k = 0; k < responses; ++k) {
                const auto kind = random() % 5;
                std::string target;
                if (kind == 1)
                    target = std::to_string(1 + random() % count); // any record, itself too
                else if (kind == 2)
                    target = std::to_string(count + 1 + random() % 3); // dangling
                else if (kind == 3)
                    target = "0" + std::to_string(1 + random() % count); // leading zero
                lines.push_back(R(n, "r" + std::to_string(k), target));
            }
        }
        for (std::int32_t removed = 1; removed <= count; ++removed) {
            std::vector<std::string> expected = lines;
            ReferenceRemoval(expected, removed, count);
            RecordList actual(lines);
            RemoveRecordLines(actual, removed, count);
            ASSERT_EQ(actual.Lines, expected) << "round " << round << ", record " << removed;
        }
    }
}

TEST(RemoveRecordLinesTest, RenumbersByteForByteAndRepairsOnlyResponseTargets) {
    // Multi-digit numbers, a picture path whose text after the TextMark looks like a number,
    // odd bytes kept as they are.
    std::vector<std::string> lines;
    for (std::int32_t n = 1; n <= 12; ++n)
        lines.push_back(P(n, "R" + std::to_string(n)));
    lines[10] = BuildPrimaryLine(11, "Eleven \x93quoted\x94\r\nline", "12", "5", "6", true);
    lines.insert(lines.begin() + 11, R(11, "to twelve", "12"));
    lines.insert(lines.begin() + 1, R(1, "to ten", "10"));
    RecordList list(lines);
    RemoveRecordLines(list, 3, 12);
    ASSERT_EQ(list.Lines.size(), 13u);
    EXPECT_EQ(list.Lines[1], R(1, "to ten", "9"));
    EXPECT_EQ(list.Lines[3], P(3, "R4"));
    EXPECT_EQ(list.Lines[10], "10\xA4"
                              "Eleven \x93quoted\x94\r\nline\xB6"
                              "12\xAA"
                              "5\xB1"
                              "6\x80yes");
    EXPECT_EQ(list.Lines[11], R(10, "to twelve", "11"));
    EXPECT_EQ(list.Lines[12], P(11, "R12"));
}

TEST(RemoveRecordLinesTest, LeavesTheListAloneWhenALineCannotBeRead) {
    const std::vector<std::string> lines = {P(1, "One"), R(1, "go", "3"), P(2, "Two"),
                                            "x\xA4"
                                            "broken",
                                            P(3, "Three")};
    RecordList list(lines);
    EXPECT_THROW(RemoveRecordLines(list, 2, 3), ConversionError);
    EXPECT_EQ(list.Lines, lines);
}

TEST(RemoveRecordLinesTest, TargetThatIsNoNumberIsNoLinkAndStays) {
    RecordList list({P(1, "One"), R(1, "odd", "two"), R(1, "go", "3"), P(2, "Two"), P(3, "Three")});
    RemoveRecordLines(list, 2, 3);
    EXPECT_EQ(list.Lines, (std::vector<std::string>{P(1, "One"), R(1, "odd", "two"),
                                                    R(1, "go", "2"), P(2, "Three")}));
}

TEST(RemoveRecordLinesTest, OnePassOnALargeGuide) {
    std::vector<std::string> lines;
    for (std::int32_t n = 1; n <= 100000; ++n) {
        lines.push_back(P(n, "Record"));
        lines.push_back(R(n, "on", std::to_string(n + 1)));
        lines.push_back(R(n, "home", "1"));
        lines.push_back(R(n, "here", std::to_string(n)));
    }
    RecordList list(std::move(lines));
    const auto start = std::chrono::steady_clock::now();
    RemoveRecordLines(list, 1, 100000);
    // Erasing line by line from the front of 400,000 lines would take minutes.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_EQ(list.Lines.size(), 399996u);
    EXPECT_EQ(list.Lines[0], P(1, "Record"));
    EXPECT_EQ(list.Lines[1], R(1, "on", "2"));
    EXPECT_EQ(list.Lines[2], R(1, "home"));
    EXPECT_EQ(list.Lines[3], R(1, "here", "1"));
    EXPECT_EQ(list.Lines.back(), R(99999, "here", "99999"));
}

} // namespace
} // namespace dravenloom
