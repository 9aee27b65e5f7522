// Tests of the recovery copy itself: what it is composed of, its bytes, a copy cut short, and
// the question that offers it.
#include "shell/RecoveryCopy.h"

#include "support/EditorFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

class RecoveryComposeTest : public EditorFixture {};

TEST_F(RecoveryComposeTest, HoldsTheRecordOnScreenWithoutCommittingIt) {
    OpenGuide(NumberedRecords(3), "lamp.dvx");
    ShowRecord(2);
    TypeDialogue("Typed\r\nnot committed");
    TypeResponse(1, "Onward");
    TypeLink(1, "3");
    const std::vector<std::string> listBefore = Lines();
    Doc().TreeStale = false; // as after a rebuild: composing must not set it

    const RecoveryCopy copy = ComposeRecoveryCopy(Editor(), 1234);

    EXPECT_EQ(copy.GuideFileName, Dir.File("lamp.dvx"));
    EXPECT_EQ(copy.WrittenAt, 1234);
    EXPECT_EQ(copy.CurrentRecord, 2);
    const RecordList shown(copy.Lines);
    EXPECT_EQ(shown.ReadRecord(2).Dialogue, "Typed\r\nnot committed");
    EXPECT_EQ(shown.ReadRecord(2).Responses[0].Text, "Onward");
    EXPECT_EQ(shown.ReadRecord(2).Responses[0].Target, "3");
    EXPECT_EQ(shown.ReadRecord(3).Dialogue, "Record 3");
    // The guide itself is as it was: the record is not stored, nothing else changes.
    EXPECT_EQ(Lines(), listBefore);
    EXPECT_EQ(RecordList(Lines()).ReadRecord(2).Dialogue, "Record 2");
    EXPECT_TRUE(Modified());
    EXPECT_FALSE(Doc().TreeStale);
}

TEST_F(RecoveryComposeTest, HoldsARecordNotStoredYet) {
    // A new guide's record 1 is stored at its first commit only.
    TypeDialogue("First words");
    ASSERT_TRUE(Lines().empty());
    const RecoveryCopy copy = ComposeRecoveryCopy(Editor(), 0);
    EXPECT_EQ(copy.GuideFileName, "Untitled");
    EXPECT_TRUE(Lines().empty());
    ASSERT_EQ(copy.Lines.size(), 1u);
    EXPECT_EQ(RecordList(copy.Lines).ReadRecord(1).Dialogue, "First words");
}

TEST_F(RecoveryComposeTest, GuideLinesAreTheBytesSaveWrites) {
    const std::string path = OpenGuide(
        WithResponses(NumberedRecords(2), 1, {Response(1, "Two\r\nlines \xE9", "2")}), "g.dvx");
    TypeDialogue("Caf\xE9 \x93quoted\x94\r\nend");
    const std::string copyBytes = EncodeRecoveryCopy(ComposeRecoveryCopy(Editor(), 5));
    Files().Save1Click();
    const std::string saved = ReadBytes(path);
    ASSERT_GE(copyBytes.size(), saved.size());
    EXPECT_EQ(copyBytes.substr(copyBytes.size() - saved.size()), saved);
}

RecoveryCopy SampleCopy(std::string path) {
    RecoveryCopy copy;
    copy.GuideFileName = std::move(path);
    copy.WrittenAt = 1796654520;
    copy.CurrentRecord = 2;
    copy.Lines = {BuildPrimaryLine(1, "One\r\ntwo", "", "300", "0", false),
                  BuildResponseLine(1, "Go \x80?", "2"),
                  BuildPrimaryLine(2, "Second", "pic.gif", "10", "20", true)};
    return copy;
}

class RecoveryBytesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RecoveryBytesTest, ReadBackAsWritten) {
    const RecoveryCopy copy = SampleCopy(GetParam());
    const auto back = DecodeRecoveryCopy(EncodeRecoveryCopy(copy));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->GuideFileName, copy.GuideFileName);
    EXPECT_EQ(back->WrittenAt, copy.WrittenAt);
    EXPECT_EQ(back->CurrentRecord, copy.CurrentRecord);
    EXPECT_EQ(back->Lines, copy.Lines);
}

INSTANTIATE_TEST_SUITE_P(GuideNames, RecoveryBytesTest,
                         ::testing::Values("Untitled", "/home/ann/lamp.dvx",
                                           "/tmp/odd\nname %41 100%.dvx", "C:\\guides\\lamp.dvx",
                                           "/tmp/caf\xC3\xA9 guide.dvx"));

TEST(RecoveryBytes, AnEmptyGuideReadsBackEmpty) {
    RecoveryCopy copy = SampleCopy("Untitled");
    copy.Lines.clear();
    const auto back = DecodeRecoveryCopy(EncodeRecoveryCopy(copy));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->Lines.empty());
}

TEST(RecoveryBytes, ACopyCutShortAnywhereIsNoCopy) {
    const std::string bytes = EncodeRecoveryCopy(SampleCopy("/home/ann/lamp.dvx"));
    for (std::size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(DecodeRecoveryCopy(bytes.substr(0, length)).has_value())
            << "cut after " << length << " bytes";
    EXPECT_FALSE(DecodeRecoveryCopy(bytes + "9").has_value());
}

TEST(RecoveryBytes, OtherFilesAreNoCopy) {
    const std::string bytes = EncodeRecoveryCopy(SampleCopy("/home/ann/lamp.dvx"));
    std::string otherSignature = bytes;
    otherSignature[25] = '2'; // "Dravenloom recovery copy 2"
    EXPECT_FALSE(DecodeRecoveryCopy(otherSignature).has_value());
    std::string badEscape = bytes;
    badEscape.replace(bytes.find("/home"), 5, "%G0me");
    EXPECT_FALSE(DecodeRecoveryCopy(badEscape).has_value());
    // A guide file is not a recovery copy.
    EXPECT_FALSE(DecodeRecoveryCopy(BuildPrimaryLine(1, "Record 1", "", "300", "0", false) + "\r\n")
                     .has_value());
}

struct QuestionCase {
    std::string Guide;
    LocalTime Written;
    LocalTime Now;
    std::string Text;
};

class RecoveryQuestionTest : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(RecoveryQuestionTest, NamesTheGuideAndTheTime) {
    RecoveryCopy copy;
    copy.GuideFileName = GetParam().Guide;
    EXPECT_EQ(RecoveryQuestionText(copy, GetParam().Written, GetParam().Now), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecoveryQuestionTest,
    ::testing::Values(QuestionCase{"/home/ann/lamp.dvx",
                                   {2026, 12, 8, 14, 32},
                                   {2026, 12, 8, 16, 5},
                                   "Recover unsaved changes to lamp.dvx from 14:32?"},
                      QuestionCase{"Untitled",
                                   {2026, 12, 8, 9, 5},
                                   {2026, 12, 8, 9, 6},
                                   "Recover unsaved changes to Untitled from 09:05?"},
                      QuestionCase{"/home/ann/lamp.dvx",
                                   {2026, 12, 7, 23, 59},
                                   {2026, 12, 8, 0, 1},
                                   "Recover unsaved changes to lamp.dvx from 2026-12-07 23:59?"},
                      QuestionCase{"C:\\guides\\tour.dvx",
                                   {2025, 12, 8, 8, 0},
                                   {2026, 12, 8, 8, 0},
                                   "Recover unsaved changes to tour.dvx from 2025-12-08 08:00?"}));

TEST(RecoveryQuestion, RecoverIsTheDefaultAndLaterTheEscape) {
    const ChoiceRequest request = RecoveryQuestion("text");
    EXPECT_EQ(request.Text, "text");
    EXPECT_EQ(request.Choices, (std::vector<std::string>{"Recover", "Discard", "Later"}));
    EXPECT_EQ(request.Choices.at(static_cast<std::size_t>(request.DefaultChoice)), "Recover");
    EXPECT_EQ(request.Choices.at(static_cast<std::size_t>(request.EscapeChoice)), "Later");
    EXPECT_EQ(request.Icon, MsgIcon::Question);
}

} // namespace
} // namespace dravenloom
