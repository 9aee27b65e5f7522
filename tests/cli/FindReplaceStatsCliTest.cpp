// Tests of dravenloom-cli find, replace and stats: the built program run on guides in a
// temporary directory, its exit statuses, its JSON and the files it writes.
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dravenloom::CliResult;
using dravenloom::ReadWholeFile;

constexpr auto Guide = dravenloom::CliGuide;

using FindReplaceStatsCliTest = dravenloom::CliFixture;

// Record 1 (a two-line dialogue with "Café", a picture whose path holds "cafe") jumps to 2
// and 3, record 2 holds a web link, record 3 jumps to 9 of 4, and no path reaches record 4.
const std::vector<std::string> Sample = {"1|Caf\xE9 open^CAF\xC9 closed#C:\\cafe\\x.gif<10>20~no",
                                         "1|To the caf\xE9#2",
                                         "1|Elsewhere#3",
                                         "2|Two#<>~no",
                                         "2|See [url:www.cafe.example]#",
                                         "3|Three#<>~no",
                                         "3|Far cafe#9",
                                         "4|Lost caf\xE9s#<>~no"};

TEST_F(FindReplaceStatsCliTest, FindListsMatchesAndTellsByItsExitStatus) {
    const fs::path guide = Write("guide.dvx", Guide(Sample));
    const CliResult cased = Run({"find", guide.string(), "caf\xC3\xA9"});
    EXPECT_EQ(cased.Status, 0) << cased.Err;
    EXPECT_EQ(cased.Out, "Record 1, response 1: To the \xC2\xAB"
                         "caf\xC3\xA9\xC2\xBB\n"
                         "Record 4, dialogue: Lost \xC2\xAB"
                         "caf\xC3\xA9\xC2\xBBs\n");

    const CliResult json =
        Run({"find", guide.string(), "caf\xC3\xA9", "--ignore-case", "--whole-word", "--json"});
    EXPECT_EQ(json.Status, 0) << json.Err;
    EXPECT_EQ(json.Out,
              "[\n"
              "  {\"record\": 1, \"field\": \"dialogue\", \"offset\": 0, \"match\": "
              "\"Caf\xC3\xA9\", \"text\": \"Caf\xC3\xA9 open  CAF\xC3\x89 closed\"},\n"
              "  {\"record\": 1, \"field\": \"dialogue\", \"offset\": 11, \"match\": "
              "\"CAF\xC3\x89\", \"text\": \"Caf\xC3\xA9 open  CAF\xC3\x89 closed\"},\n"
              "  {\"record\": 1, \"field\": \"response\", \"response\": 1, \"offset\": 7, "
              "\"match\": \"caf\xC3\xA9\", \"text\": \"To the caf\xC3\xA9\"}\n"
              "]\n");

    // The picture path, the targets and the record numbers are never searched.
    const CliResult none = Run({"find", guide.string(), "x.gif", "--json"});
    EXPECT_EQ(none.Status, 1);
    EXPECT_EQ(none.Out, "[]\n");
    EXPECT_EQ(Run({"find", guide.string(), "9"}).Status, 1);

    const CliResult broken = Run({"find", guide.string(), "caf(e", "--regex"});
    EXPECT_EQ(broken.Status, 2);
    EXPECT_NE(broken.Err.find("not valid at character 6: missing closing parenthesis"),
              std::string::npos)
        << broken.Err;
    EXPECT_EQ(Run({"find", (Directory / "missing.dvx").string(), "x"}).Status, 2);
}

TEST_F(FindReplaceStatsCliTest, ReplaceWritesAtomicallyOrNotAtAll) {
    const fs::path guide = Write("guide.dvx", Guide(Sample));
    const fs::path output = Directory / "out.dvx";
    const CliResult done = Run({"replace", guide.string(), "caf(\\w)", "b$1r", "--regex",
                                "--ignore-case", "--output", output.string()});
    EXPECT_EQ(done.Status, 0) << done.Err;
    EXPECT_EQ(done.Out, "Replaced 6 matches in 4 records; " + output.string() + " written\n");
    std::vector<std::string> expected = Sample;
    expected[0] = "1|b\xE9r open^b\xC9r closed#C:\\cafe\\x.gif<10>20~no";
    expected[1] = "1|To the b\xE9r#2";
    expected[4] = "2|See [url:www.ber.example]#";
    expected[6] = "3|Far ber#9";
    expected[7] = "4|Lost b\xE9rs#<>~no";
    EXPECT_EQ(ReadWholeFile(output), Guide(expected));
    EXPECT_EQ(ReadWholeFile(guide), Guide(Sample));

    // A mark character: exit 2, the reason on standard error, nothing written.
    const fs::path refused = Directory / "refused.dvx";
    const CliResult mark = Run({"replace", guide.string(), "Two",
                                "\xE2\x82\xAC"
                                "2",
                                "--output", refused.string()});
    EXPECT_EQ(mark.Status, 2);
    EXPECT_NE(mark.Err.find("\"\xE2\x82\xAC\" (U+20AC) can't be used in a guide"),
              std::string::npos)
        << mark.Err;
    EXPECT_FALSE(fs::exists(refused));
    EXPECT_EQ(Run({"replace", guide.string(), "Two", "\xC2\xB6"}).Status, 2);
    EXPECT_EQ(ReadWholeFile(guide), Guide(Sample));

    EXPECT_EQ(Run({"replace", guide.string(), "nothing here", "x"}).Status, 1);
    // In place, without --output.
    const CliResult inPlace = Run({"replace", guide.string(), "Lost", "Found", "--whole-word"});
    EXPECT_EQ(inPlace.Status, 0) << inPlace.Err;
    expected = Sample;
    expected[7] = "4|Found caf\xE9s#<>~no";
    EXPECT_EQ(ReadWholeFile(guide), Guide(expected));
}

TEST_F(FindReplaceStatsCliTest, StatsPrintsEveryFigure) {
    const fs::path guide = Write("guide.dvx", Guide(Sample));
    const CliResult json = Run({"stats", guide.string(), "--json"});
    EXPECT_EQ(json.Status, 0) << json.Err;
    EXPECT_EQ(json.Out, "{\"records\": 4, \"responses\": 4, \"words\": 16, \"jumps\": 3, "
                        "\"webLinks\": 1, \"pictures\": 1, \"unreachable\": [4], \"endings\": "
                        "[], \"depth\": 1, \"dangling\": [3]}\n");
    const CliResult text = Run({"stats", guide.string()});
    EXPECT_EQ(text.Status, 0);
    EXPECT_NE(text.Out.find("Unreachable:  4\n"), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("Dangling:     3\n"), std::string::npos) << text.Out;
}

} // namespace
