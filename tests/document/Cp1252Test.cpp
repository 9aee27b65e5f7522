// Tests of the code page 1252 edge: byte-exact round trips and the refusal of typed characters
// that a guide cannot hold.
#include "document/Cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace dravenloom {
namespace {

TEST(Cp1252Test, EveryByteConvertsToUtf8AndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    // The code page's own characters in 0x80..0x9F, and Latin-1 above.
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(Cp1252ToUtf8("\x93\x94"), "\u201C\u201D");
    EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\u0178");
    EXPECT_EQ(Cp1252ToUtf8("\xE9"), "\u00E9");
    // The five places the code page leaves open keep their control value.
    for (unsigned char open : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(Cp1252FromCodePoint(open), open);
}

TEST(Cp1252Test, TypedTextBecomesGuideBytes) {
    const auto typed = Utf8ToGuideText("Gr\u00FC\u00DFe \u201Cdrei\u201D \u2013 \u2026 \u00E9");
    ASSERT_TRUE(typed.Accepted) << typed.Reason;
    EXPECT_EQ(typed.Bytes, "Gr\xFC\xDF"
                           "e \x93"
                           "drei\x94 \x96 \x85 \xE9");
    EXPECT_TRUE(Utf8ToGuideText("").Accepted);
}

struct RefusedCase {
    const char* Name;
    std::string Typed; // the refused character, UTF-8
    const char* Code;  // how the reason names it
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.Name;
}

class RefusedCharacterTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedCharacterTest, IsRefusedAndNamed) {
    const auto& c = GetParam();
    const auto typed = Utf8ToGuideText("Before " + c.Typed + " after");
    EXPECT_FALSE(typed.Accepted);
    EXPECT_TRUE(typed.Bytes.empty());
    EXPECT_EQ(typed.RefusedChar, c.Typed);
    EXPECT_NE(typed.Reason.find("\"" + c.Typed + "\""), std::string::npos) << typed.Reason;
    EXPECT_NE(typed.Reason.find(c.Code), std::string::npos) << typed.Reason;
}

INSTANTIATE_TEST_SUITE_P(Marks, RefusedCharacterTest,
                         ::testing::Values(RefusedCase{"NumberMark", "\u00A4", "U+00A4"},
                                           RefusedCase{"TextMark", "\u00B6", "U+00B6"},
                                           RefusedCase{"XMark", "\u00AA", "U+00AA"},
                                           RefusedCase{"YMark", "\u00B1", "U+00B1"},
                                           RefusedCase{"CenterMark", "\u20AC", "U+20AC"},
                                           RefusedCase{"BreakMark", "\u0161", "U+0161"}),
                         [](const auto& info) { return std::string(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(OutsideTheCodePage, RefusedCharacterTest,
                         ::testing::Values(RefusedCase{"Greek", "\u03A9", "U+03A9"},
                                           RefusedCase{"DoubleAcute", "\u0151", "U+0151"},
                                           RefusedCase{"Emoji", "\U0001F600", "U+1F600"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Cp1252Test, MarkReasonSaysTheCharacterIsReserved) {
    const auto mark = Utf8ToGuideText("\u00B6");
    const auto foreign = Utf8ToGuideText("\u03A9");
    // The two refusals give different reasons.
    EXPECT_NE(mark.Reason.find("reserve"), std::string::npos) << mark.Reason;
    EXPECT_EQ(foreign.Reason.find("reserve"), std::string::npos) << foreign.Reason;
}

// Texts outside the records (the applet's settings and element) may hold the mark characters;
// only what the code page has no byte for is refused, and the reason names it.
TEST(Cp1252Test, CodePageTextRefusesOnlyWhatTheCodePageCannotHold) {
    const auto marks = Utf8ToCodePageText("\u20AC 5 \u00B6 \u00A4 \u0161");
    ASSERT_TRUE(marks.Accepted) << marks.Reason;
    EXPECT_EQ(marks.Bytes, "\x80 5 \xB6 \xA4 \x9A");
    const auto foreign = Utf8ToCodePageText("Price \u03A9");
    EXPECT_FALSE(foreign.Accepted);
    EXPECT_EQ(foreign.RefusedChar, "\u03A9");
    EXPECT_NE(foreign.Reason.find("U+03A9"), std::string::npos) << foreign.Reason;
    EXPECT_FALSE(Utf8ToCodePageText("a\xFF").Accepted);
}

TEST(Cp1252Test, MalformedUtf8IsRefused) {
    for (const std::string bad : {"\xC3", "a\xFF", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82"}) {
        const auto typed = Utf8ToGuideText(bad);
        EXPECT_FALSE(typed.Accepted);
        EXPECT_FALSE(typed.Reason.empty());
        EXPECT_EQ(Utf8ToCp1252(bad), std::nullopt);
    }
}

TEST(Cp1252Test, LoneLineBreaksBecomeCrLf) {
    EXPECT_EQ(NormalizeLineBreaks("a\nb"), "a\r\nb");
    EXPECT_EQ(NormalizeLineBreaks("a\rb"), "a\r\nb");
    EXPECT_EQ(NormalizeLineBreaks("a\r\nb"), "a\r\nb");
    EXPECT_EQ(NormalizeLineBreaks("\n\r"), "\r\n\r\n");
    EXPECT_EQ(NormalizeLineBreaks("a\r\r\nb\n"), "a\r\n\r\nb\r\n");
}

} // namespace
} // namespace dravenloom
