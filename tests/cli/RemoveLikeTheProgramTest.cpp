// dravenloom-cli remove writes the very bytes the program writes when the author removes the
// same record with "Remove" and saves.
#include "support/CliRunner.h"
#include "support/EditorFixture.h"
#include "support/GuideReadBack.h"
#include "support/ShortLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

struct RemoveCase {
    const char* Name;
    std::vector<std::string> Lines; // record list lines
    std::int32_t Removed;
};

void PrintTo(const RemoveCase& c, std::ostream* os) {
    *os << c.Name;
}

class RemoveLikeTheProgramTest : public EditorFixture,
                                 public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(RemoveLikeTheProgramTest, WritesTheSameBytes) {
    const RemoveCase& c = GetParam();
    const std::string original = Dir.File("original.dvx");
    WriteGuideFileBytes(original, c.Lines);
    const std::string byTool = Dir.File("tool.dvx");
    const CliResult result =
        RunCliIn(Dir.Path, {"remove", original, std::to_string(c.Removed), "--output", byTool});
    ASSERT_EQ(result.Status, 0) << result.Err;

    // The author: open, go to the record, "Remove", OK, "Save".
    const std::string byProgram = OpenGuide(c.Lines, "program.dvx");
    ShowRecord(c.Removed);
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveBitBtnClick();
    ASSERT_TRUE(Form.Removal.RemovalDone);
    Files().Save1Click();

    EXPECT_EQ(ReadBytes(byTool), ReadBytes(byProgram));
    EXPECT_TRUE(OpensAsGuide(byTool, Lines()));
    EXPECT_EQ(result.Out, "Removed record " + std::to_string(c.Removed) + "; " + byTool +
                              " holds " + std::to_string(Doc().RecordCount) +
                              (Doc().RecordCount == 1 ? " record\n" : " records\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Guides, RemoveLikeTheProgramTest,
    ::testing::Values(
        RemoveCase{"MiddleRecordWithLinkRepair",
                   {P(1, "One"), R(1, "to four", "4"), P(2, "Two"), R(2, "to three", "3"),
                    P(3, "Three"), P(4, "Four"), R(4, "to two", "2"), R(4, "to self", "4")},
                   2},
        RemoveCase{"LastRecord", {P(1, "One"), R(1, "on", "2"), P(2, "Two")}, 2},
        RemoveCase{"FirstRecord", {P(1, "One"), P(2, "Two"), R(2, "back", "1"), P(3, "Three")}, 1},
        // The record shown afterwards has a picture but no dialogue: it gets the placeholder.
        RemoveCase{"NextCurrentHasOnlyAPicture",
                   {BuildPrimaryLine(1, "", "C:\\Pics\\door.gif", "10", "20", true),
                    R(1, "on", "2"), P(2, "Two")},
                   2},
        // Record 2 has no lines (a gap in the file): shown afterwards, it is stored with the
        // placeholder.
        RemoveCase{"NextCurrentHasNoLines", {P(1, "One"), R(1, "far", "3"), P(3, "Three")}, 3},
        RemoveCase{"OnlyRecord", {P(1, "Alone"), R(1, "nowhere")}, 1},
        RemoveCase{"OnlyRecordWithoutDialogue",
                   {BuildPrimaryLine(1, "", "pic.gif", "300", "0", false)},
                   1}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace dravenloom
