// Which words of a guide text the spelling check looks at.
#include "spelling/SpellingWords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

struct SplitCase {
    const char* Name;
    std::string Text; // code page 1252
    std::vector<std::string> Words;
};

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    for (const WordSpan& span : CheckedWords(text))
        words.push_back(text.substr(span.Offset, span.Length));
    return words;
}

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, GivesTheCheckedWords) {
    EXPECT_EQ(Words(GetParam().Text), GetParam().Words) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitTest,
    ::testing::Values(
        SplitCase{"Plain", "Is it on?", {"Is", "it", "on"}},
        SplitCase{"LineBreaks", "Look\r\nat the\nlight.", {"Look", "at", "the", "light"}},
        SplitCase{"Punctuation", "(Yes), \"no\"; maybe!", {"Yes", "no", "maybe"}},
        SplitCase{"ApostropheInside", "don't the authors' l'eau", {"don't", "the", "authors", "l'eau"}},
        SplitCase{"TypographicApostrophe", "it\x92s \x91quoted\x92", {"it\x92s", "quoted"}},
        SplitCase{"Hyphen", "well-known -- dash", {"well", "known", "dash"}},
        SplitCase{"Accents", "Caf\xE9 \xDC" "ber na\xEF" "ve \x8A" "koda \x9C" "uvre",
                  {"Caf\xE9", "\xDC" "ber", "na\xEF" "ve", "\x8A" "koda", "\x9C" "uvre"}},
        SplitCase{"SignsAreNoLetters", "3\xD7" "4 a\xF7" "b \xB5m", {"a", "b", "m"}},
        SplitCase{"Numbers", "In 1999 the 3rd mp3 cost 4.50 or 1,000", {"In", "the", "cost", "or"}},
        SplitCase{"LinkMarkup", "Read more[url:http://exmaple.com/pgae] now",
                  {"Read", "more", "now"}},
        SplitCase{"LinkMarkupAnyCase", "[URL:wwww.exmaple.org]Visit", {"Visit"}},
        SplitCase{"BracketBeforeMarkupIsNoLink", "a] b [url:zzq]", {"a", "b", "url", "zzq"}},
        SplitCase{"WebAddresses",
                  "see http://exmaple.com/a_b, www.exmaple.org. or exmaple.net/pgae",
                  {"see", "or"}},
        SplitCase{"MailAddresses", "write to anna@exmaple.com or mailto:bob@exmaple.org!",
                  {"write", "to", "or"}},
        SplitCase{"FileNames", "open readme.txt (bulb.jpg)", {"open"}},
        SplitCase{"EndOfSentence", "The end.Next one. Done", {"The", "one", "Done"}},
        SplitCase{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SpellingWords, SpansPointIntoTheText) {
    const std::string text = "ab\r\n cd";
    EXPECT_EQ(CheckedWords(text), (std::vector<WordSpan>{{0, 2}, {5, 2}}));
}

} // namespace
} // namespace dravenloom
