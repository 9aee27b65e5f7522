// Tests of the guide check: one group per kind of finding, and guides that are clean.
#include "document/GuideCheck.h"

#include "document/Errors.h"
#include "document/RecordCodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dravenloom {
namespace {

// Guide lines written with readable marks: '|' NumberMark, '#' TextMark, '<' XMark, '>' YMark,
// '~' CenterMark.
std::string L(std::string text) {
    for (char& c : text) {
        switch (c) {
        case '|':
            c = NumberMark;
            break;
        case '#':
            c = TextMark;
            break;
        case '<':
            c = XMark;
            break;
        case '>':
            c = YMark;
            break;
        case '~':
            c = CenterMark;
            break;
        default:
            break;
        }
    }
    return text;
}

std::vector<std::string> Lines(std::initializer_list<const char*> lines) {
    std::vector<std::string> out;
    for (const char* line : lines)
        out.push_back(L(line));
    return out;
}

std::vector<FindingKind> Kinds(const GuideCheckResult& result) {
    std::vector<FindingKind> kinds;
    for (const auto& finding : result.Findings)
        kinds.push_back(finding.Kind);
    return kinds;
}

// The one finding of the result; fails the test when there is not exactly one.
GuideFinding Only(const GuideCheckResult& result) {
    if (result.Findings.size() != 1)
        for (const auto& finding : result.Findings)
            ADD_FAILURE() << "finding: " << FindingText(finding);
    EXPECT_EQ(result.Findings.size(), 1u);
    return result.Findings.empty() ? GuideFinding{FindingKind::NoRecords, 0, 0, ""}
                                   : result.Findings[0];
}

bool Says(const GuideFinding& finding, const std::string& part) {
    return finding.Message.find(part) != std::string::npos;
}

TEST(GuideCheckTest, CleanGuidesHaveNoFindings) {
    // Links forward and back, a picture, a centred record, a response without a jump (a web
    // link), a multi-line dialogue as held in the file and as held in the list.
    const auto fileLines = Lines({
        "1|Welcome\x9A"
        "Read on.#<>~no",
        "1|Start#2",
        "1|Help [url:https://example.org/]#",
        "2|Second#C:\\Pics\\logo.gif<300>0~yes",
        "2|Back#1",
        "2|On#3",
        "3|The end#<>~no",
    });
    const GuideCheckResult result = CheckGuideLines(fileLines);
    EXPECT_TRUE(result.Findings.empty()) << FindingText(result.Findings.front());
    EXPECT_EQ(result.RecordCount, 3);
    EXPECT_EQ(result.LineCount, 7u);

    std::vector<std::string> listLines;
    for (const auto& line : fileLines)
        listLines.push_back(DecodeLineFromFile(line));
    EXPECT_TRUE(CheckGuideLines(listLines).Findings.empty());

    // A guide of one record without responses is complete.
    const GuideCheckResult single = CheckGuideLines(Lines({"1|Only#<>~no"}));
    EXPECT_TRUE(single.Findings.empty());
    EXPECT_EQ(single.RecordCount, 1);
}

TEST(GuideCheckTest, EmptyFileHoldsNoRecords) {
    const GuideFinding finding = Only(CheckGuideText(""));
    EXPECT_EQ(finding.Kind, FindingKind::NoRecords);
    EXPECT_EQ(finding.Line, 0u);
    EXPECT_EQ(FindingText(finding), finding.Message);
}

TEST(GuideCheckTest, LinesWithoutRecordNumberAreNamedByLine) {
    const auto result = CheckGuideLines(Lines({
        "1|Welcome#<>~no",
        "",
        "hello",
        "0|Zero#<>~no",
        "-2|Minus#<>~no",
        "12 no mark#<>~no",
    }));
    ASSERT_EQ(Kinds(result), std::vector<FindingKind>(5, FindingKind::NoRecordNumber));
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(result.Findings[i].Line, i + 2);
        EXPECT_TRUE(Says(result.Findings[i], "refuses to open"));
    }
    EXPECT_TRUE(Says(result.Findings[0], "empty"));
    EXPECT_TRUE(Says(result.Findings[2], "numbered from 1"));
    EXPECT_EQ(FindingText(result.Findings[1]).rfind("line 3: ", 0), 0u);
    // The lines that do have numbers are still checked as one record.
    EXPECT_EQ(result.RecordCount, 1);
}

TEST(GuideCheckTest, RecordNumbersWithSignOrLeadingZero) {
    const auto result = CheckGuideLines(Lines({"1|Welcome#<>~no", "01|Yes#2", "+2|Two#<>~no"}));
    ASSERT_EQ(Kinds(result),
              (std::vector<FindingKind>{FindingKind::NumberNotPlain, FindingKind::NumberNotPlain}));
    EXPECT_EQ(result.Findings[0].Line, 2u);
    EXPECT_TRUE(Says(result.Findings[0], "write it as 1"));
    EXPECT_EQ(result.Findings[1].Record, 2);
}

TEST(GuideCheckTest, GapsAndOrderOfRecords) {
    {
        const GuideFinding finding = Only(CheckGuideLines(Lines({"3|Three#<>~no"})));
        EXPECT_EQ(finding.Kind, FindingKind::NotFirstRecord);
        EXPECT_TRUE(Says(finding, "records 1 and 2 are missing")) << finding.Message;
    }
    {
        const auto result = CheckGuideLines(
            Lines({"1|One#<>~no", "1|Go#2", "2|Two#<>~no", "2|Go#5", "5|Five#<>~no"}));
        ASSERT_EQ(Kinds(result), std::vector<FindingKind>{FindingKind::RecordGap});
        EXPECT_EQ(FindingText(result.Findings[0])
                      .rfind("line 5: record 5 follows record 2: "
                             "records 3 and 4 are missing",
                             0),
                  0u)
            << result.Findings[0].Message;
    }
    {
        // Record 2 after record 3: the jump over 2 and the late 2 are both named. The program
        // counts from the last line, two records, so the link to 3 leaves the guide and
        // nothing leads to 2.
        const auto result = CheckGuideLines(
            Lines({"1|One#<>~no", "1|Go#3", "3|Three#<>~no", "3|Go#2", "2|Two#<>~no"}));
        ASSERT_EQ(Kinds(result),
                  (std::vector<FindingKind>{FindingKind::TargetOutOfRange, FindingKind::RecordGap,
                                            FindingKind::OutOfOrder, FindingKind::Unreachable}));
        EXPECT_TRUE(Says(result.Findings[1], "record 2 stands elsewhere"));
        EXPECT_EQ(result.Findings[2].Line, 5u);
        EXPECT_EQ(result.Findings[2].Record, 2);
        EXPECT_EQ(result.RecordCount, 2);
    }
    {
        // Lines of record 1 again after record 2 (twice), and record 3 goes on from 2.
        const auto result =
            CheckGuideLines(Lines({"1|One#<>~no", "1|Go#2", "2|Two#<>~no", "2|Go#3",
                                   "1|Again#<>~no", "2|Too#<>~no", "3|Three#<>~no"}));
        ASSERT_EQ(Kinds(result), std::vector<FindingKind>(2, FindingKind::RecordRepeated));
        EXPECT_EQ(result.Findings[0].Line, 5u);
        EXPECT_TRUE(Says(result.Findings[0], "line 1"));
        EXPECT_EQ(result.Findings[1].Record, 2);
    }
    {
        // A huge jump is described without listing what lies between.
        const auto result =
            CheckGuideLines(Lines({"1|One#<>~no", "1|Go#2000000000", "2000000000|Far#<>~no"}));
        ASSERT_EQ(Kinds(result), std::vector<FindingKind>{FindingKind::RecordGap});
        EXPECT_TRUE(Says(result.Findings[0], "records 2 to 1999999999 are missing"));
    }
    {
        // A record after the highest number there can be is out of order, not its successor.
        const auto result = CheckGuideLines(Lines(
            {"1|One#<>~no", "1|Go#2", "2|Two#<>~no", "2147483647|Top#<>~no", "3|Three#<>~no"}));
        ASSERT_EQ(Kinds(result),
                  (std::vector<FindingKind>{FindingKind::RecordGap, FindingKind::OutOfOrder,
                                            FindingKind::Unreachable}));
        EXPECT_TRUE(Says(result.Findings[1], "record 3 follows record 2147483647"))
            << result.Findings[1].Message;
        EXPECT_EQ(result.RecordCount, 3);
    }
}

TEST(GuideCheckTest, MoreThanSixResponses) {
    const auto result = CheckGuideLines(Lines({
        "1|One#<>~no",
        "1|a#2",
        "1|b#2",
        "1|c#2",
        "1|d#2",
        "1|e#2",
        "1|f#2",
        "1|g#3",
        "1|h#3",
        "2|Two#<>~no",
        "3|Three#<>~no",
    }));
    // Only the seventh and eighth lead to record 3, and the program never shows them.
    ASSERT_EQ(Kinds(result),
              (std::vector<FindingKind>{FindingKind::TooManyResponses, FindingKind::Unreachable}));
    const GuideFinding& many = result.Findings[0];
    EXPECT_EQ(many.Line, 0u);
    EXPECT_EQ(many.Record, 1);
    EXPECT_TRUE(Says(many, "8 responses"));
    EXPECT_TRUE(Says(many, "lines 8 to 9"));
    EXPECT_EQ(FindingText(many).rfind("record 1: ", 0), 0u);
    EXPECT_EQ(result.Findings[1].Record, 3);
}

TEST(GuideCheckTest, MarkCharactersInsideTexts) {
    {
        // A euro sign typed into the dialogue, not the center mark after it.
        const GuideFinding finding = Only(CheckGuideLines(Lines({"1|Costs 5~ only#<>~yes"})));
        EXPECT_EQ(finding.Kind, FindingKind::StrayMark);
        EXPECT_EQ(finding.Line, 1u);
        EXPECT_TRUE(Says(finding, "the dialogue of record 1 holds \xE2\x82\xAC"));
        EXPECT_TRUE(Says(finding, "EUR"));
    }
    {
        // A second text mark in a response line: the first is the stray one in the text.
        const auto result =
            CheckGuideLines(Lines({"1|One#<>~no", "1|Yes # no#2", "1|Fine#2", "2|Two#<>~no"}));
        const GuideFinding finding = Only(result);
        EXPECT_EQ(finding.Kind, FindingKind::StrayMark);
        EXPECT_TRUE(Says(finding, "the text of response 1 of record 1 holds \xC2\xB6"));
    }
    {
        // The same mark twice in one field is one finding; other fields get their own.
        const auto result = CheckGuideLines(Lines({"1|a<b<c#pic|x.gif<300>0~no"}));
        ASSERT_EQ(Kinds(result), std::vector<FindingKind>(2, FindingKind::StrayMark));
        EXPECT_TRUE(Says(result.Findings[0], "the dialogue of record 1 holds \xC2\xAA"));
        EXPECT_TRUE(Says(result.Findings[0], "twice"));
        EXPECT_TRUE(Says(result.Findings[1], "the picture path of record 1 holds \xC2\xA4"));
    }
    {
        // Marks the layout needs but the line lacks.
        const auto result =
            CheckGuideLines(Lines({"1|Hello", "1|Yes 2", "1|Fine#2", "2|Two#<>no"}));
        ASSERT_EQ(Kinds(result), std::vector<FindingKind>(3, FindingKind::MissingMark));
        EXPECT_TRUE(Says(result.Findings[0], "\xC2\xB6 (byte 0xB6), \xC2\xAA (byte 0xAA), "
                                             "\xC2\xB1 (byte 0xB1) and \xE2\x82\xAC"));
        EXPECT_TRUE(Says(result.Findings[1], "response 1 of record 1 lacks \xC2\xB6"));
        EXPECT_EQ(result.Findings[2].Line, 4u);
        EXPECT_TRUE(Says(result.Findings[2], "lacks \xE2\x82\xAC"));
    }
}

// Texts are passed over eight bytes at a time while they are plain ASCII: a mark is found
// wherever it stands in such a word, and letters of the code page beyond ASCII are no marks.
TEST(GuideCheckTest, MarksAreFoundAtEveryPlaceInLongTexts) {
    for (std::size_t at = 0; at < 20; ++at) {
        std::string dialogue = std::string(24, 'a') + "\xE9t\xE9" + std::string(24, 'b');
        EXPECT_TRUE(CheckGuideLines({L("1|" + dialogue + "#<>~no")}).Findings.empty());
        dialogue.insert(at, L("<"));
        const GuideFinding finding = Only(CheckGuideLines({L("1|" + dialogue + "#<>~no")}));
        EXPECT_EQ(finding.Kind, FindingKind::StrayMark) << "mark at " << at;
        EXPECT_TRUE(Says(finding, "the dialogue of record 1 holds \xC2\xAA")) << "mark at " << at;
    }
}

TEST(GuideCheckTest, ResponseWithoutText) {
    const GuideFinding finding =
        Only(CheckGuideLines(Lines({"1|One#<>~no", "1|#2", "1|Next#2", "2|Two#<>~no"})));
    EXPECT_EQ(finding.Kind, FindingKind::EmptyResponse);
    EXPECT_EQ(finding.Line, 2u);
}

TEST(GuideCheckTest, CenterFlagAndPicturePosition) {
    const auto result = CheckGuideLines(Lines({
        "1|One#<>~Yes", "1|Go#2", "2|Two#pic.gif<abc>-5~no", "2|Go#3",
        "3|Three#<abc>-5~no", // no picture: the position is not read
    }));
    ASSERT_EQ(Kinds(result),
              (std::vector<FindingKind>{FindingKind::CenterFlag, FindingKind::PicturePosition,
                                        FindingKind::PicturePosition}));
    EXPECT_TRUE(Says(result.Findings[0], "\"Yes\""));
    EXPECT_TRUE(Says(result.Findings[1], "X position of record 2 is \"abc\""));
    EXPECT_TRUE(Says(result.Findings[2], "Y position of record 2 is \"-5\""));
}

TEST(GuideCheckTest, BadTargets) {
    const auto result = CheckGuideLines(Lines({
        "1|One#<>~no", "1|Word#two", "1|Blank# 2", "1|Zero#0", "1|Far#4", "1|Self#1", "1|Good#2",
        "2|Two#<>~no",
        "2|Back#+1", // read as 1, as the program reads it
    }));
    ASSERT_EQ(Kinds(result), (std::vector<FindingKind>{
                                 FindingKind::TargetNotNumber, FindingKind::TargetNotNumber,
                                 FindingKind::TargetOutOfRange, FindingKind::TargetOutOfRange,
                                 FindingKind::LinksToItself}));
    EXPECT_TRUE(Says(result.Findings[0], "response 1 of record 1 jumps to \"two\""));
    EXPECT_EQ(result.Findings[3].Line, 5u);
    EXPECT_TRUE(Says(result.Findings[3], "records 1 to 2"));
    EXPECT_TRUE(Says(result.Findings[4], "response 5 of record 1 jumps to record 1 itself"));
}

TEST(GuideCheckTest, RecordsNoPathReaches) {
    // 1 -> 2 -> 4 -> 2 (a cycle); 3 and 5 link to others but nothing leads to them; 6 is
    // reached only from 5.
    const auto result = CheckGuideLines(Lines({
        "1|One#<>~no",
        "1|Go#2",
        "2|Two#<>~no",
        "2|Go#4",
        "3|Three#<>~no",
        "3|Go#1",
        "4|Four#<>~no",
        "4|Back#2",
        "5|Five#<>~no",
        "5|Go#6",
        "6|Six#<>~no",
    }));
    ASSERT_EQ(Kinds(result), std::vector<FindingKind>(3, FindingKind::Unreachable));
    EXPECT_EQ(result.Findings[0].Record, 3);
    EXPECT_EQ(result.Findings[1].Record, 5);
    EXPECT_EQ(result.Findings[2].Record, 6);
    EXPECT_EQ(FindingText(result.Findings[0]).rfind("record 3: no path", 0), 0u);
}

TEST(GuideCheckTest, NulByteHidesTheRestOfTheFile) {
    const std::string clean = L("1|One#<>~no\r\n");
    EXPECT_TRUE(CheckGuideText(clean + std::string(3, '\0')).Findings.empty());

    const auto result = CheckGuideText(clean + L(std::string("1|Go#2\0\r\n2|Two#<>~no\r\n", 22)));
    ASSERT_EQ(Kinds(result),
              (std::vector<FindingKind>{FindingKind::TargetOutOfRange, FindingKind::NulByte}));
    EXPECT_EQ(result.Findings[1].Line, 2u);
    EXPECT_TRUE(Says(result.Findings[1], "15 bytes"));
}

TEST(GuideCheckTest, FileThatCannotBeReadFails) {
    const auto directory = std::filesystem::temp_directory_path() / "dravenloom_check_test";
    std::filesystem::create_directories(directory);
    EXPECT_THROW(CheckGuideFile((directory / "missing.dvx").string()), FileError);
    EXPECT_THROW(CheckGuideFile(directory.string()), FileError);

    const auto path = directory / "guide.dvx";
    std::ofstream(path, std::ios::binary) << L("1|One#<>~no\n1|Go#3\n");
    const auto result = CheckGuideFile(path.string());
    EXPECT_EQ(Kinds(result), std::vector<FindingKind>{FindingKind::TargetOutOfRange});
    std::filesystem::remove_all(directory);
}

} // namespace
} // namespace dravenloom
