// Tests of the line breaking of one paragraph and of the link markup, measured with fixed
// character widths.
#include "preview/Wrapping.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace dravenloom {
namespace {

// The primary wrap width of a 300-pixel guide: 42 characters of 6 pixels.
constexpr double PrimaryWrap = 300 - 300 * 0.15;
constexpr int Step = 16;
constexpr int Gap = 35;

struct Laid {
    std::vector<TextLine> Lines;
    int EndY = 0;
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& line : Lines)
            texts.push_back(line.Text);
        return texts;
    }
    std::vector<int> Tops() const {
        std::vector<int> tops;
        for (const auto& line : Lines)
            tops.push_back(line.Y);
        return tops;
    }
};

Laid Lay(const std::string& text, const RecordingCanvas& canvas = {}, double wrap = PrimaryWrap,
         bool centred = false) {
    Paragraph paragraph;
    paragraph.Text = text;
    paragraph.WrapWidth = wrap;
    paragraph.ClosingGap = Gap;
    paragraph.LineStep = Step;
    paragraph.X = 5;
    paragraph.Centred = centred;
    Laid laid;
    laid.EndY = 5;
    LayoutParagraph(paragraph, canvas, laid.EndY, true, false, laid.Lines);
    return laid;
}

std::string Repeat(char c, int count) {
    return std::string(static_cast<std::size_t>(count), c);
}

using Lines = std::vector<std::string>;

TEST(Wrapping, ATextShorterThanTheCapacityIsOneLineEvenWithoutBlanks) {
    const Laid laid = Lay(Repeat('a', 41));
    EXPECT_EQ(laid.Texts(), Lines{Repeat('a', 41)});
    EXPECT_EQ(laid.Lines[0].X, 5);
    EXPECT_EQ(laid.Lines[0].Y, 5);
    EXPECT_EQ(laid.EndY, 5 + Gap);
}

TEST(Wrapping, ALongWordIsHyphenatedOneShortOfTheCapacity) {
    const std::string word = Repeat('a', 41) + "b" + Repeat('c', 8);
    const Laid laid = Lay(word);
    EXPECT_EQ(laid.Texts(), (Lines{Repeat('a', 41) + "-", "b" + Repeat('c', 8)}));
    EXPECT_EQ(laid.Tops(), (std::vector<int>{5, 5 + Step}));
    EXPECT_EQ(laid.EndY, 5 + Step + Gap);
}

TEST(Wrapping, ALineEndsAfterTheLastBlankWithinTheCapacityAndKeepsIt) {
    const Laid laid = Lay("one " + Repeat('a', 30) + " " + Repeat('b', 10));
    EXPECT_EQ(laid.Texts(), (Lines{"one " + Repeat('a', 30) + " ", Repeat('b', 10)}));
}

TEST(Wrapping, ATextExactlyAsLongAsTheCapacityIsStillBroken) {
    EXPECT_EQ(Lay(Repeat('x', 38) + " yyy").Texts(), (Lines{Repeat('x', 38) + " ", "yyy"}));
    EXPECT_EQ(Lay(Repeat('x', 42)).Texts(), (Lines{Repeat('x', 41) + "-", "x"}));
}

TEST(Wrapping, ABlankExactlyAtTheCapacityLeavesNoEmptyLine) {
    const Laid laid = Lay(Repeat('x', 41) + " ");
    EXPECT_EQ(laid.Texts(), Lines{Repeat('x', 41) + " "});
    EXPECT_EQ(laid.EndY, 5 + Step + Gap);
}

TEST(Wrapping, TheCapacityComesFromTheTruncatedAverageOfWhatIsLeftMeasuredPerLine) {
    RecordingCanvas canvas;
    canvas.Widths['W'] = 12;
    // 30 wide and 30 narrow: average 9, capacity 28. The rest, 3 wide and 30 narrow, averages
    // 6.5, truncated to 6: capacity 42, so it fits on one line.
    const Laid laid = Lay(Repeat('W', 30) + Repeat('a', 30), canvas);
    EXPECT_EQ(laid.Texts(), (Lines{Repeat('W', 27) + "-", Repeat('W', 3) + Repeat('a', 30)}));
}

struct BreakCase {
    const char* Name;
    std::string Text;
    Lines Expected;
    std::vector<int> Tops;
    int EndY;
};

class LineBreaks : public testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaks, AlwaysEndTheLine) {
    const Laid laid = Lay(GetParam().Text);
    EXPECT_EQ(laid.Texts(), GetParam().Expected);
    EXPECT_EQ(laid.Tops(), GetParam().Tops);
    EXPECT_EQ(laid.EndY, GetParam().EndY);
}

INSTANTIATE_TEST_SUITE_P(
    Wrapping, LineBreaks,
    testing::Values(BreakCase{"Inside", "ab\r\ncd", {"ab", "cd"}, {5, 5 + Step}, 5 + Step + Gap},
                    BreakCase{"Twice",
                              "ab\r\n\r\ncd",
                              {"ab", "", "cd"},
                              {5, 5 + Step, 5 + 2 * Step},
                              5 + 2 * Step + Gap},
                    // A break at the very end adds a line step and no gap.
                    BreakCase{"AtTheEnd", "ab\r\n", {"ab"}, {5}, 5 + Step},
                    // Before the capacity is reached, even when a blank comes later in the line.
                    BreakCase{"BeforeABlank",
                              "a\r\nb " + Repeat('c', 45),
                              {"a", "b ", Repeat('c', 41) + "-", "cccc"},
                              {5, 5 + Step, 5 + 2 * Step, 5 + 3 * Step},
                              5 + 3 * Step + Gap},
                    // A lone CR or LF is an ordinary character.
                    BreakCase{"LoneCr", "ab\rcd", {"ab\rcd"}, {5}, 5 + Gap}),
    [](const auto& info) { return info.param.Name; });

TEST(Wrapping, CentringIsOnThePrimaryWrapWidthAndNeverLeftOfThree) {
    // (255 × 0.5) - 24 / 2, truncated.
    EXPECT_EQ(Lay("abcd", {}, PrimaryWrap, true).Lines.at(0).X, 115);
    // A hyphenated line is measured with the character it leaves out: 42 characters here.
    const Laid wide = Lay(Repeat('a', 50), {}, PrimaryWrap, true);
    EXPECT_EQ(wide.Lines.at(0).X, 3);
    EXPECT_EQ(wide.Lines.at(1).X, 127 - 27);
}

// What the rules leave open: each ends, without failing.
TEST(Wrapping, AnEmptyTextTakesOnlyTheGap) {
    const Laid laid = Lay("");
    EXPECT_TRUE(laid.Lines.empty());
    EXPECT_EQ(laid.EndY, 5 + Gap);
}

TEST(Wrapping, AnAverageWidthOfZeroPutsTheTextOnOneLine) {
    RecordingCanvas canvas;
    canvas.CharWidth = 0;
    EXPECT_EQ(Lay(Repeat('a', 500), canvas).Texts(), Lines{Repeat('a', 500)});
    // Line breaks still end lines.
    EXPECT_EQ(Lay("ab\r\ncd", canvas).Texts(), (Lines{"ab", "cd"}));
    // An average below one pixel truncates to 0 too.
    canvas.CharWidth = 6;
    canvas.Widths['.'] = 0;
    EXPECT_EQ(Lay("a" + Repeat('.', 20), canvas).Texts(), Lines{"a" + Repeat('.', 20)});
}

TEST(Wrapping, ACapacityOfOneOrLessStillTakesACharacterALine) {
    EXPECT_EQ(Lay("abc", {}, 5).Texts(), (Lines{"a-", "b-", "c"}));
    EXPECT_EQ(Lay("a b", {}, 0).Texts(), (Lines{"a ", "b"}));
    EXPECT_EQ(Lay("ab", {}, -100).Texts(), (Lines{"a-", "b"}));
    const Laid breaks = Lay("\r\n\r\nx", {}, 1);
    EXPECT_LE(breaks.Lines.size(), 5u);
    EXPECT_EQ(breaks.Lines.back().Text, "x");
}

// Whatever the text and the width, every paragraph ends, and each line but the last takes at
// least one character or a line break. The rounds run on a thread of their own, so that a
// layout that never ends fails the test instead of hanging the suite.
std::string FirstLayoutThatMisbehaves() {
    std::mt19937 random(20261208);
    const std::string alphabet = "aW .-\r\n[]";
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    std::uniform_int_distribution<int> length(0, 400);
    std::uniform_int_distribution<int> anyWidth(1, 100000);
    std::uniform_int_distribution<int> tinyWidth(1, 30);
    std::uniform_int_distribution<int> charWidth(0, 20);
    for (int round = 0; round < 3000; ++round) {
        RecordingCanvas canvas;
        canvas.CharWidth = charWidth(random);
        canvas.Widths['W'] = charWidth(random);
        std::string text;
        for (int i = length(random); i > 0; --i)
            text += alphabet[static_cast<std::size_t>(pick(random))];
        const int width = round % 3 == 0 ? tinyWidth(random) : anyWidth(random);
        for (double wrap : {width - width * 0.15, width - width * 0.2}) {
            const Laid laid = Lay(text, canvas, wrap, round % 2 == 0);
            if (laid.Lines.size() > text.size() + 1 || laid.EndY <= 5)
                return "round " + std::to_string(round) + ", width " + std::to_string(width);
            for (const auto& line : laid.Lines)
                if (line.X < 3)
                    return "left of 3 in round " + std::to_string(round);
        }
    }
    return "";
}

TEST(Wrapping, EveryLayoutEnds) {
    auto result = std::make_shared<std::promise<std::string>>();
    auto answer = result->get_future();
    std::thread([result] { result->set_value(FirstLayoutThatMisbehaves()); }).detach();
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(60)), std::future_status::ready)
        << "a layout did not end";
    EXPECT_EQ(answer.get(), "");
}

TEST(ResponseLinks, TheAddressIsTakenAsWrittenAndTheMarkupLeavesItsBlanks) {
    const auto link = FindLink("Visit [url:http://Example.com/A] today");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->Address, "http://Example.com/A");
    EXPECT_EQ(link->Displayed, "Visit  today");
}

TEST(ResponseLinks, TheOpeningIsFoundInAnyCase) {
    const auto link = FindLink("[URL:www.example.com]go");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->Address, "www.example.com");
    EXPECT_EQ(link->Displayed, "go");
}

TEST(ResponseLinks, TheFirstOpeningAndTheFirstClosingCount) {
    const auto link = FindLink("a [url:x] b [url:y] c");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->Address, "x");
    EXPECT_EQ(link->Displayed, "a  b [url:y] c");
}

TEST(ResponseLinks, AClosingBracketBeforeTheMarkupMeansNoLink) {
    EXPECT_FALSE(FindLink("see [1] and [url:http://x]"));
    EXPECT_FALSE(FindLink("no link here"));
    EXPECT_FALSE(FindLink("[url:unclosed"));
    EXPECT_FALSE(FindLink("[ur:x]"));
}

TEST(ResponseLinks, ALinkMadeOnlyOfMarkupDisplaysNothing) {
    const auto link = FindLink("[url:]");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->Address, "");
    EXPECT_EQ(link->Displayed, "");
}

} // namespace
} // namespace dravenloom
