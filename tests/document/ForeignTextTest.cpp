// Tests of typed text with characters a field can't hold: all of them found and named at once,
// the common ones replaced, and the author's answer deciding what is inserted.
#include "document/ForeignText.h"
#include "document/Cp1252.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

std::vector<char32_t> CodePoints(const ForeignText& found) {
    std::vector<char32_t> out;
    for (const ForeignCharacter& c : found.Characters)
        out.push_back(c.CodePoint);
    return out;
}

TEST(ForeignTextTest, EveryCharacterIsFoundOnceInTheOrderItFirstAppears) {
    const ForeignText found = FindForeignCharacters(
        "\u0141\u00F3d\u017A \u0142 \u20AC5 \U0001F600 \u0142\u20AC", TextRule::Record);
    // ó is in the code page, ź is not; Ł and ł are two characters.
    EXPECT_EQ(CodePoints(found), (std::vector<char32_t>{0x0141, 0x017A, 0x0142, 0x20AC, 0x1F600}));
    EXPECT_EQ(found.Replaced, "L\u00F3dz l EUR5  lEUR");

    // The applet's settings hold the euro sign: only what the code page lacks is named there.
    const ForeignText options = FindForeignCharacters("\u20AC5 \u0142 \u00B6", TextRule::CodePage);
    EXPECT_EQ(CodePoints(options), (std::vector<char32_t>{0x0142}));
    EXPECT_EQ(options.Replaced, "\u20AC5 l \u00B6");
}

TEST(ForeignTextTest, CharactersOutsideTheBasicPlaneAreNamedWholeAndLeftOut) {
    // A skin tone, a family joined by zero-width joiners, a flag of two regional indicators.
    const ForeignText found = FindForeignCharacters(
        "a\U0001F44D\U0001F3FDb\U0001F468\u200D\U0001F469\u200D\U0001F468c\U0001F1E9\U0001F1EA",
        TextRule::Record);
    EXPECT_EQ(CodePoints(found), (std::vector<char32_t>{0x1F44D, 0x1F3FD, 0x1F468, 0x200D, 0x1F469,
                                                        0x1F1E9, 0x1F1EA}));
    EXPECT_EQ(found.Replaced, "abc");
    EXPECT_EQ(CharacterName(0x1F600), "\U0001F600 (U+1F600)");
}

TEST(ForeignTextTest, CombiningSequencesAreComposedBeforeTheyAreJudged) {
    // e + combining acute is é, which the code page holds: nothing to name.
    const ForeignText composed = FindForeignCharacters("cafe\u0301", TextRule::Record);
    EXPECT_TRUE(composed.Characters.empty());
    EXPECT_EQ(composed.Replaced, "caf\u00E9");
    EXPECT_TRUE(Utf8ToGuideText(composed.Replaced).Accepted);

    // o + double acute is ő, named as the letter it makes and replaced by its base letter.
    const ForeignText letter = FindForeignCharacters("to\u030Bt", TextRule::Record);
    EXPECT_EQ(CodePoints(letter), (std::vector<char32_t>{0x0151}));
    EXPECT_EQ(letter.Replaced, "tot");

    // A mark that makes no letter of the code page is named on its own and left out.
    const ForeignText mark = FindForeignCharacters("q\u0301q\u0301", TextRule::Record);
    EXPECT_EQ(CodePoints(mark), (std::vector<char32_t>{0x0301}));
    EXPECT_EQ(mark.Replaced, "qq");
    EXPECT_EQ(CharacterName(0x0301), "\u25CC\u0301 (U+0301)");
}

TEST(ForeignTextTest, TextThatFitsComesBackAsItWas) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (!IsReservedMarkByte(static_cast<unsigned char>(b)))
            all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    const ForeignText found = FindForeignCharacters(utf8, TextRule::Record);
    EXPECT_TRUE(found.Characters.empty()) << CharacterName(found.Characters.at(0).CodePoint);
    EXPECT_EQ(found.Replaced, utf8);
    EXPECT_TRUE(FindForeignCharacters("", TextRule::Record).Replaced.empty());
}

TEST(ForeignTextTest, AMalformedByteIsNamedAsTheReplacementCharacter) {
    const ForeignText found = FindForeignCharacters("a\xFF"
                                                    "b",
                                                    TextRule::CodePage);
    EXPECT_EQ(CodePoints(found), (std::vector<char32_t>{0xFFFD}));
    EXPECT_EQ(found.Replaced, "ab");
}

struct ReplacementCase {
    const char* Name;
    char32_t CodePoint;
    TextRule Rule;
    std::string Expected; // empty: left out
};

void PrintTo(const ReplacementCase& c, std::ostream* os) {
    *os << c.Name;
}

class ReplacementTest : public ::testing::TestWithParam<ReplacementCase> {};

TEST_P(ReplacementTest, GivesTheCommonReplacement) {
    const auto& c = GetParam();
    EXPECT_EQ(ReplacementOf(c.CodePoint, c.Rule), c.Expected);
}

constexpr TextRule Record = TextRule::Record;
constexpr TextRule CodePage = TextRule::CodePage;

INSTANTIATE_TEST_SUITE_P(
    LettersWithMarks, ReplacementTest,
    ::testing::Values(ReplacementCase{"LWithStroke", 0x0142, Record, "l"},
                      ReplacementCase{"CapitalLWithStroke", 0x0141, Record, "L"},
                      ReplacementCase{"ODoubleAcute", 0x0151, Record, "o"},
                      ReplacementCase{"ABreve", 0x0103, Record, "a"},
                      ReplacementCase{"SCedilla", 0x015F, Record, "s"},
                      ReplacementCase{"SCommaBelow", 0x0219, CodePage, "s"},
                      ReplacementCase{"DWithStroke", 0x0111, Record, "d"},
                      ReplacementCase{"DotlessI", 0x0131, Record, "i"},
                      ReplacementCase{"CapitalIWithDot", 0x0130, Record, "I"},
                      ReplacementCase{"ACaronKeepsNoMark", 0x01CE, Record, "a"},
                      ReplacementCase{"LigatureDzCaron", 0x01C6, CodePage, "d\u017E"},
                      ReplacementCase{"LigatureFi", 0xFB01, Record, "fi"},
                      ReplacementCase{"FullWidthA", 0xFF21, Record, "A"}),
    [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(RecordMarks, ReplacementTest,
                         ::testing::Values(ReplacementCase{"Euro", 0x20AC, Record, "EUR"},
                                           ReplacementCase{"PlusMinus", 0x00B1, Record, "+/-"},
                                           ReplacementCase{"Ordinal", 0x00AA, Record, "a"},
                                           ReplacementCase{"SCaron", 0x0161, Record, "s"},
                                           ReplacementCase{"CurrencySign", 0x00A4, Record, ""},
                                           ReplacementCase{"Pilcrow", 0x00B6, Record, ""}),
                         [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(
    Typographic, ReplacementTest,
    ::testing::Values(ReplacementCase{"NonBreakingHyphen", 0x2011, Record, "-"},
                      ReplacementCase{"FigureDash", 0x2012, Record, "\u2013"},
                      ReplacementCase{"HorizontalBar", 0x2015, Record, "\u2014"},
                      ReplacementCase{"MinusSign", 0x2212, Record, "-"},
                      ReplacementCase{"Prime", 0x2032, Record, "'"},
                      ReplacementCase{"VulgarThird", 0x2153, Record, "1/3"},
                      ReplacementCase{"EmSpace", 0x2003, Record, " "},
                      ReplacementCase{"DegreeCelsius", 0x2103, Record, "\u00B0C"},
                      ReplacementCase{"Ruble", 0x20BD, CodePage, "RUB"},
                      ReplacementCase{"Rupee", 0x20B9, Record, "INR"},
                      ReplacementCase{"ZeroWidthSpace", 0x200B, Record, ""},
                      ReplacementCase{"SpacingBreve", 0x02D8, Record, ""},
                      ReplacementCase{"Omega", 0x03A9, Record, ""},
                      ReplacementCase{"GreekWithAccent", 0x03AC, Record, ""},
                      ReplacementCase{"Ideograph", 0x6F22, Record, ""},
                      ReplacementCase{"Emoji", 0x1F600, CodePage, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

// Whatever a replacement is, the field can hold it: no character of the basic plane (and the
// first of the next) is replaced by one the guide would refuse again.
TEST(ForeignTextTest, EveryReplacementFitsItsField) {
    for (char32_t cp = 0x80; cp < 0x20000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        const std::string record = ReplacementOf(cp, TextRule::Record);
        ASSERT_TRUE(Utf8ToGuideText(record).Accepted) << CharacterName(cp) << " -> " << record;
        const std::string options = ReplacementOf(cp, TextRule::CodePage);
        ASSERT_TRUE(Utf8ToCodePageText(options).Accepted) << CharacterName(cp) << " -> " << options;
    }
}

TEST(ForeignTextTest, TheQuestionNamesEveryCharacterAndWhatBecomesOfIt) {
    const ForeignText found =
        FindForeignCharacters("\u0142 \u20AC \U0001F600 \u0142", TextRule::Record);
    const MessageRequest question = ReplacementQuestion(found, TextRule::Record);
    EXPECT_EQ(question.Caption, "Question");
    EXPECT_EQ(question.Buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.Icon, MsgIcon::Question);
    EXPECT_EQ(question.Text,
              "A guide can't store these characters: \u0142 (U+0142), \u20AC (U+20AC), "
              "\U0001F600 (U+1F600). The guide file reserves \u20AC to mark the parts of a "
              "record.\n\n"
              "Insert the text with these changes?\n"
              "    \u0142 becomes \"l\"\n"
              "    \u20AC becomes \"EUR\"\n"
              "    \U0001F600 is left out\n\n"
              "\"No\" leaves the field as it was.");

    const MessageRequest options = ReplacementQuestion(
        FindForeignCharacters("\u03A9", TextRule::CodePage), TextRule::CodePage);
    EXPECT_NE(options.Text.find("Western European character set has no place for these "
                                "characters: \u03A9 (U+03A9)."),
              std::string::npos)
        << options.Text;
    EXPECT_NE(options.Text.find("this change?\n    \u03A9 is left out\n"), std::string::npos)
        << options.Text;
}

TEST(ForeignTextTest, AVeryLongListNamesTheFirstTwentyAndCountsTheRest) {
    const std::string greek = "\u03B1\u03B2\u03B3\u03B4\u03B5\u03B6\u03B7\u03B8\u03B9\u03BA"
                              "\u03BB\u03BC\u03BD\u03BE\u03BF\u03C0\u03C1\u03C2\u03C3\u03C4"
                              "\u03C5\u03C6\u03C7\u03C8\u03C9";
    const ForeignText found = FindForeignCharacters(greek, TextRule::Record);
    ASSERT_EQ(found.Characters.size(), 25u);
    const std::string text = ReplacementQuestion(found, TextRule::Record).Text;
    EXPECT_NE(text.find(CharacterName(found.Characters[19].CodePoint)), std::string::npos);
    EXPECT_EQ(text.find(CharacterName(found.Characters[20].CodePoint)), std::string::npos);
    EXPECT_NE(text.find(" and 5 more."), std::string::npos) << text;
    EXPECT_NE(text.find("and the 5 others are replaced or left out"), std::string::npos) << text;
}

class OfferTest : public ::testing::Test {
protected:
    ScriptedPlatform Platform;
};

TEST_F(OfferTest, YesInsertsTheReplacedTextAndNoInsertsNothing) {
    const ForeignText found = FindForeignCharacters("Gda\u0144sk \u2011 \u20AC5", TextRule::Record);
    Platform.MessageAnswers.push_back(MsgAnswer::Yes);
    EXPECT_EQ(OfferReplacedText(Platform, found, TextRule::Record), "Gdansk - EUR5");
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    EXPECT_EQ(OfferReplacedText(Platform, found, TextRule::Record), std::nullopt);
    // One question each time, however many characters the text holds.
    ASSERT_EQ(Platform.Messages.size(), 2u);
    EXPECT_EQ(Platform.Messages[0], ReplacementQuestion(found, TextRule::Record));
}

TEST_F(OfferTest, TextThatOnlyNeedsComposingIsInsertedWithoutAQuestion) {
    const ForeignText found = FindForeignCharacters("nai\u0308ve", TextRule::Record);
    EXPECT_EQ(OfferReplacedText(Platform, found, TextRule::Record), "na\u00EFve");
    EXPECT_TRUE(Platform.Messages.empty());
}

} // namespace
} // namespace dravenloom
