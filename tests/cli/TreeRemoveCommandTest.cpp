// Tests of dravenloom-cli tree and remove: the built program run on guides in a temporary
// directory.
#include "support/CliRunner.h"
#include "support/GuideReadBack.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dravenloom::CliRecordLines;
using dravenloom::CliResult;
using dravenloom::OpensAsGuide;
using dravenloom::ReadWholeFile;

// Guide text with the stand-ins of CliMarks and a CR LF after every line given.
constexpr auto Guide = dravenloom::CliGuide;

using TreeRemoveCliTest = dravenloom::CliFixture;

// Records 1..4: record 1 (a two-line dialogue with é) links to 4, record 2 to 3, record 4 to 2
// and to itself.
const std::vector<std::string> WorkedExample = {
    "1|Caf\xE9^open#<>~no", "1|to four#4",   "2|Two#pic.gif<10>20~yes",
    "2|to three#3",         "3|Three#<>~no", "4|Four#<>~no",
    "4|to two#2",           "4|to self#4"};

TEST_F(TreeRemoveCliTest, RemoveRepairsLinksAndWritesTheOutput) {
    const fs::path guide = Write("guide.dvx", Guide(WorkedExample));
    const fs::path output = Directory / "out.dvx";
    const CliResult result = Run({"remove", guide.string(), "2", "--output", output.string()});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "Removed record 2; " + output.string() + " holds 3 records\n");
    const std::vector<std::string> removed = {
        "1|Caf\xE9^open#<>~no", "1|to four#3", "2|Three#<>~no",
        "3|Four#<>~no",         "3|to two#",   "3|to self#3"};
    EXPECT_EQ(ReadWholeFile(output), Guide(removed));
    EXPECT_TRUE(OpensAsGuide(output, CliRecordLines(removed)));
    // The guide itself is untouched.
    EXPECT_EQ(ReadWholeFile(guide), Guide(WorkedExample));

    // Without --output the guide is rewritten in place.
    const CliResult inPlace = Run({"remove", guide.string(), "4"});
    EXPECT_EQ(inPlace.Status, 0) << inPlace.Err;
    const std::vector<std::string> shorter = {"1|Caf\xE9^open#<>~no", "1|to four#",
                                              "2|Two#pic.gif<10>20~yes", "2|to three#3",
                                              "3|Three#<>~no"};
    EXPECT_EQ(ReadWholeFile(guide), Guide(shorter));
    EXPECT_TRUE(OpensAsGuide(guide, CliRecordLines(shorter)));
    // Nothing but the guide is left in the directory (the temporary file replaced it).
    int files = 0;
    for (const auto& entry : fs::directory_iterator(Directory))
        files += entry.path().extension() == ".dvx" ? 1 : 0;
    EXPECT_EQ(files, 2);
}

TEST_F(TreeRemoveCliTest, RemovingTheOnlyRecordLeavesThePlaceholder) {
    const fs::path guide = Write("one.dvx", Guide({"1|Alone#<>~no", "1|nowhere#"}));
    const CliResult result = Run({"remove", guide.string(), "1"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(ReadWholeFile(guide), Guide({"1|Enter primary dialogue here.#<>~no"}));
    EXPECT_TRUE(OpensAsGuide(guide, CliRecordLines({"1|Enter primary dialogue here.#<>~no"})));
}

TEST_F(TreeRemoveCliTest, RemoveRefusesLinesOutOfNumberOrderAndLeavesTheFile) {
    // Removing record 2 would renumber the second record 1 to record 0, which Open refuses.
    const std::string bytes =
        Guide({"1|One#<>~no", "2|Two#<>~no", "1|Again#<>~no", "3|Three#<>~no"});
    const fs::path guide = Write("disorder.dvx", bytes);
    const fs::path output = Directory / "out.dvx";
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"remove", guide.string(), "2"},
             {"remove", guide.string(), "3", "--output", output.string()}}) {
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.Status, 2);
        EXPECT_EQ(result.Out, "");
        EXPECT_NE(result.Err.find("line 3 holds record 1 after record 2"), std::string::npos)
            << result.Err;
        EXPECT_EQ(ReadWholeFile(guide), bytes);
        EXPECT_FALSE(fs::exists(output));
    }
}

TEST_F(TreeRemoveCliTest, RemoveRefusesBadRequestsAndLeavesTheGuide) {
    const std::string bytes = Guide(WorkedExample);
    const fs::path guide = Write("guide.dvx", bytes);
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"remove", guide.string(), "0"},
             {"remove", guide.string(), "5"},
             {"remove", guide.string(), "two"},
             {"remove", guide.string()},
             {"remove", guide.string(), "1", "2"},
             {"remove", guide.string(), "1", "--output", ""},
             {"remove", (Directory / "none.dvx").string(), "1"}}) {
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.Status, 2) << arguments.back();
        EXPECT_EQ(result.Out, "");
        EXPECT_FALSE(result.Err.empty());
        EXPECT_EQ(ReadWholeFile(guide), bytes);
    }
    EXPECT_NE(Run({"remove", guide.string(), "5"}).Err.find("records 1 to 4"), std::string::npos);
}

TEST_F(TreeRemoveCliTest, TreePrintsTheLogicViewDownToADepth) {
    const fs::path guide = Write("guide.dvx", Guide(WorkedExample));
    const CliResult result = Run({"tree", guide.string()});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "[0] Caf\xC3\xA9..."
                          " #1\n"
                          "  [1] to four #1\n"
                          "    [0] Four #4\n"
                          "      [0] to two #4\n"
                          "      [0] to self #4\n");
    const CliResult shallow = Run({"tree", "--depth", "1", guide.string()});
    EXPECT_EQ(shallow.Status, 0);
    EXPECT_EQ(shallow.Out, "[0] Caf\xC3\xA9... #1\n  [1] to four #1\n");
    EXPECT_EQ(Run({"tree", guide.string(), "--depth=0"}).Out, "[0] Caf\xC3\xA9... #1\n");

    EXPECT_EQ(Run({"tree", guide.string(), "--depth", "-1"}).Status, 2);
    EXPECT_EQ(Run({"tree", guide.string(), "--depth", "deep"}).Status, 2);
}

TEST_F(TreeRemoveCliTest, TreeExpandsSharedBranchesAndStopsAtTheDefaultDepth) {
    // A ladder: record r jumps to r + 1 and r + 2. Down to depth 8 that is records at depths
    // 0, 2, 4, 6, 8 (1 + 2 + 4 + 8 + 16) and responses at 1, 3, 5, 7 (2 + 4 + 8 + 16).
    std::vector<std::string> lines;
    for (int r = 1; r <= 40; ++r) {
        lines.push_back(std::to_string(r) + "|Step " + std::to_string(r) + "#<>~no");
        lines.push_back(std::to_string(r) + "|a#" + std::to_string(r + 1));
        lines.push_back(std::to_string(r) + "|b#" + std::to_string(r + 2));
    }
    const fs::path guide = Write("ladder.dvx", Guide(lines));
    const CliResult result = Run({"tree", guide.string()});
    EXPECT_EQ(result.Status, 0) << result.Err;
    std::istringstream out(result.Out);
    std::vector<std::string> printed;
    for (std::string line; std::getline(out, line);)
        printed.push_back(line);
    ASSERT_EQ(printed.size(), 61u);
    EXPECT_EQ(printed[0], "[0] Step 1 #1");
    EXPECT_EQ(printed[1], "  [1] a #1");
    EXPECT_EQ(printed[2], "    [0] Step 2 #2");
    EXPECT_EQ(printed[8], std::string(16, ' ') + "[0] Step 5 #5");
    EXPECT_EQ(printed.back(), std::string(16, ' ') + "[0] Step 9 #9");
}

// Record r jumps to r + 1 and r + 2, up to `count` records.
std::vector<std::string> LadderLines(int count) {
    std::vector<std::string> lines;
    for (int r = 1; r <= count; ++r) {
        lines.push_back(std::to_string(r) + "|Step " + std::to_string(r) + "#<>~no");
        for (int t : {r + 1, r + 2})
            if (t <= count)
                lines.push_back(std::to_string(r) + "|to " + std::to_string(t) + "#" +
                                std::to_string(t));
    }
    return lines;
}

std::vector<std::string> OutputLines(const std::string& out) {
    std::istringstream in(out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(TreeRemoveCliTest, TreePrintsAtMostMaxNodesAndSaysHowManyWereLeftOut) {
    const fs::path small = Write("small.dvx", Guide(LadderLines(40)));
    // Down to the default depth the ladder has 61 nodes.
    const CliResult all = Run({"tree", small.string()});
    const std::vector<std::string> allLines = OutputLines(all.Out);
    ASSERT_EQ(allLines.size(), 61u);
    const CliResult capped = Run({"tree", small.string(), "--max-nodes", "10"});
    EXPECT_EQ(capped.Status, 0) << capped.Err;
    std::vector<std::string> lines = OutputLines(capped.Out);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end() - 1),
              std::vector<std::string>(allLines.begin(), allLines.begin() + 10));
    EXPECT_EQ(lines.back(), "... 10 nodes printed; 51 more left out (--max-nodes N prints more)");
    EXPECT_EQ(Run({"tree", small.string(), "--max-nodes", "61"}).Out, all.Out);
    EXPECT_EQ(Run({"tree", small.string(), "--max-nodes", "0"}).Status, 2);
    EXPECT_EQ(Run({"tree", small.string(), "--max-nodes", "many"}).Status, 2);

    // Sixty records at depth 200: far more nodes than can be counted. The default limit
    // holds, the count stops, and it takes a moment, not gigabytes.
    const fs::path large = Write("large.dvx", Guide(LadderLines(60)));
    const auto start = std::chrono::steady_clock::now();
    const CliResult huge = Run({"tree", large.string(), "--depth", "200"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(huge.Status, 0) << huge.Err;
    lines = OutputLines(huge.Out);
    ASSERT_EQ(lines.size(), 100001u);
    EXPECT_EQ(lines[118], std::string(236, ' ') + "[2] Step 60 #60");
    EXPECT_EQ(lines.back(),
              "... 100000 nodes printed; over 1000000 more left out (--max-nodes N prints more)");
}

TEST_F(TreeRemoveCliTest, TreeReportsAGuideItCannotShowAndKeepsTheTerminalSafe) {
    const fs::path bad =
        Write("bad.dvx", Guide({"1|One#<>~no", "1|go#2", "1|odd#x2", "2|Two#<>~no"}));
    const CliResult failed = Run({"tree", bad.string()});
    EXPECT_EQ(failed.Status, 2);
    // The root is shown; opening it meets the damaged target.
    EXPECT_EQ(failed.Out, "[0] One #1\n");
    EXPECT_NE(failed.Err.find("line 3: it jumps to \"x2\", which is not a record number"),
              std::string::npos)
        << failed.Err;

    // A damaged record that no jump reaches does not keep the tree from being shown.
    const fs::path lost = Write(
        "lost.dvx", Guide({"1|One#<>~no", "1|go#2", "2|Two#<>~no", "3|Lost#<>~no", "3|odd#x"}));
    const CliResult shown = Run({"tree", lost.string()});
    EXPECT_EQ(shown.Status, 0) << shown.Err;
    EXPECT_EQ(shown.Out, "[0] One #1\n  [1] go #1\n    [2] Two #2\n");

    const fs::path odd = Write("odd.dvx", Guide({"1|Beep\x1B[2J#<>~no"}));
    const CliResult safe = Run({"tree", odd.string()});
    EXPECT_EQ(safe.Status, 0);
    EXPECT_EQ(safe.Out, "[0] Beep\\x1B[2J #1\n");
}

} // namespace
