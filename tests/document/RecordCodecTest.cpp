// Tests of the record line layout: building and parsing primary and response lines, the record
// number of a line, field extraction and the file's line-break rule.
#include "document/RecordCodec.h"
#include "document/Errors.h"
#include "support/MarkedText.h"
#include "support/RecordPrinters.h"

#include <gtest/gtest.h>

#include <string>

namespace dravenloom {
namespace {

TEST(RecordCodecTest, PrimaryLineWithoutPictureDropsPathAndPosition) {
    EXPECT_EQ(BuildPrimaryLine(2, "Is it on?\r\nLook.", "", "300", "0", false),
              Marked("2¤Is it on?\r\nLook.¶ª±€no"));
    // A path of blanks and control bytes only is no picture; X and Y are dropped with it.
    EXPECT_EQ(BuildPrimaryLine(1, "Hi", " \t ", "12", "34", true), Marked("1¤Hi¶ª±€yes"));
}

TEST(RecordCodecTest, PrimaryLineWithPictureKeepsPathUntrimmed) {
    EXPECT_EQ(BuildPrimaryLine(1, "Welcome", "C:\\Pics\\logo.gif", "300", "0", true),
              Marked("1¤Welcome¶C:\\Pics\\logo.gifª300±0€yes"));
    EXPECT_EQ(BuildPrimaryLine(12, "", " a.gif ", "5", "6", false), Marked("12¤¶ a.gif ª5±6€no"));
}

TEST(RecordCodecTest, ResponseLineWithAndWithoutTarget) {
    EXPECT_EQ(BuildResponseLine(2, "Yes", "3"), Marked("2¤Yes¶3"));
    EXPECT_EQ(BuildResponseLine(2, "No", ""), Marked("2¤No¶"));
    EXPECT_EQ(ParseResponseLine(Marked("2¤No¶")), (ResponseSlot{"No", ""}));
    EXPECT_EQ(ParseResponseLine(Marked("2¤Help¶7")), (ResponseSlot{"Help", "7"}));
}

TEST(RecordCodecTest, LoneLineBreaksInTextsAreStoredAsCrLf) {
    // A lone CR or LF would split the line in the file.
    EXPECT_EQ(BuildPrimaryLine(1, "a\nb\rc", "", "300", "0", false), Marked("1¤a\r\nb\r\nc¶ª±€no"));
    EXPECT_EQ(BuildResponseLine(1, "x\ry", "2"), Marked("1¤x\r\ny¶2"));
    EXPECT_EQ(BuildResponseLine(1, "x\r\ny", ""), Marked("1¤x\r\ny¶"));
}

TEST(RecordCodecTest, ParsePrimaryLineReadsEveryField) {
    const auto withPicture = ParsePrimaryLine(Marked("1¤Welcome¶C:\\Pics\\logo.gifª120±45€yes"));
    EXPECT_EQ(withPicture.Dialogue, "Welcome");
    EXPECT_EQ(withPicture.GraphicPath, "C:\\Pics\\logo.gif");
    EXPECT_EQ(withPicture.GraphicX, "120");
    EXPECT_EQ(withPicture.GraphicY, "45");
    EXPECT_TRUE(withPicture.Center);

    // Without a path, X and Y keep their defaults even when the line carries values.
    const auto noPicture = ParsePrimaryLine(Marked("3¤Hi¶ª9±9€no"));
    EXPECT_EQ(noPicture.GraphicPath, "");
    EXPECT_EQ(noPicture.GraphicX, "300");
    EXPECT_EQ(noPicture.GraphicY, "0");
    EXPECT_FALSE(noPicture.Center);
}

TEST(RecordCodecTest, CenterIsExactlyYes) {
    EXPECT_TRUE(ParsePrimaryLine(Marked("1¤d¶ª±€yes")).Center);
    EXPECT_FALSE(ParsePrimaryLine(Marked("1¤d¶ª±€Yes")).Center);
    EXPECT_FALSE(ParsePrimaryLine(Marked("1¤d¶ª±€yes ")).Center);
    EXPECT_FALSE(ParsePrimaryLine(Marked("1¤d¶ª±€")).Center);
    EXPECT_FALSE(ParsePrimaryLine(Marked("1¤d¶ª±")).Center);
}

TEST(RecordCodecTest, FieldsAreCutAtTheFirstOccurrenceOfEachMark) {
    // A second text mark belongs to the response's target, which runs to the end of the line.
    EXPECT_EQ(ParseResponseLine(Marked("4¤Go¶5¶6")), (ResponseSlot{"Go", Marked("5¶6")}));
    // A second number mark belongs to the text.
    EXPECT_EQ(ParseResponseLine(Marked("4¤a¤b¶1")), (ResponseSlot{Marked("a¤b"), "1"}));

    // X mark before the text mark: the dialogue runs to the text mark, and the path, whose end
    // comes before its start, is empty.
    const auto early = ParsePrimaryLine(Marked("1¤Hiª5¶p.gif±3€no"));
    EXPECT_EQ(early.Dialogue, Marked("Hiª5"));
    EXPECT_EQ(early.GraphicPath, "");
    EXPECT_EQ(early.GraphicX, "300");

    // Y mark before the X mark: the path runs to the X mark and X comes out empty.
    const auto swapped = ParsePrimaryLine(Marked("1¤d¶p±7ª9€yes€no"));
    EXPECT_EQ(swapped.GraphicPath, Marked("p±7"));
    EXPECT_EQ(swapped.GraphicX, "");
    EXPECT_EQ(swapped.GraphicY, Marked("7ª9"));
    EXPECT_FALSE(swapped.Center); // the flag is everything after the first center mark
}

TEST(RecordCodecTest, LineNumberReadsTheSignedDecimalBeforeTheNumberMark) {
    EXPECT_EQ(LineNumber(Marked("1¤d¶ª±€no")), 1);
    EXPECT_EQ(LineNumber(Marked("12¤")), 12);
    EXPECT_EQ(LineNumber(Marked("021¤x")), 21);
    EXPECT_EQ(LineNumber(Marked("-3¤x")), -3);
    EXPECT_EQ(LineNumber(Marked("7¤8¤")), 7);
}

class BadLineNumberTest : public ::testing::TestWithParam<const char*> {};

TEST_P(BadLineNumberTest, FailsWithAConversionError) {
    const std::string line = Marked(GetParam());
    std::int32_t number = 99;
    EXPECT_FALSE(TryLineNumber(line, number));
    EXPECT_EQ(number, 99);
    EXPECT_THROW(LineNumber(line), ConversionError);
}

INSTANTIATE_TEST_SUITE_P(Lines, BadLineNumberTest,
                         ::testing::Values("", "Two¶ª±€no", "12", "¤text", " 1¤x", "1 ¤x", "x1¤x",
                                           "0x1¤x", "2147483648¤x", "¶1¤x"));

TEST(RecordCodecTest, ConversionErrorOfALineShowsItsNumberPart) {
    try {
        LineNumber(Marked("Two¤x"));
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("'Two'"), std::string::npos) << error.what();
    }
}

TEST(RecordCodecTest, FileEncodingTurnsOnlyCrLfPairsIntoTheBreakMark) {
    EXPECT_EQ(EncodeLineForFile(Marked("2¤Is it on?\r\nLook.¶ª±€no")),
              Marked("2¤Is it on?šLook.¶ª±€no"));
    EXPECT_EQ(EncodeLineForFile("a\r\n\r\nb"), Marked("aššb"));
    EXPECT_EQ(EncodeLineForFile("a\rb\nc\n\rd"), "a\rb\nc\n\rd");
    EXPECT_EQ(EncodeLineForFile("a\r\r\nb"), Marked("a\ršb"));
    EXPECT_EQ(DecodeLineFromFile(Marked("ašbš")), "a\r\nb\r\n");
    EXPECT_EQ(DecodeLineFromFile("a\rb"), "a\rb");
}

} // namespace
} // namespace dravenloom
