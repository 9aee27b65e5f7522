// Searching guide texts with PCRE2: plain and regular patterns, case and whole words across
// the code page's accented letters, offsets in guide bytes, broken expressions and
// replacements with groups.
#include "document/TextSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

struct SearchCase {
    const char* Name;
    std::string Pattern; // UTF-8, as typed
    SearchOptions Options;
    std::string Text; // guide bytes (code page 1252)
    std::vector<TextMatch> Expected;
};

void PrintTo(const SearchCase& c, std::ostream* out) {
    *out << c.Name;
}

class TextSearchCases : public ::testing::TestWithParam<SearchCase> {};

TEST_P(TextSearchCases, FindsWhatTheAuthorMeans) {
    const SearchCase& c = GetParam();
    const TextPattern pattern(c.Pattern, c.Options);
    std::vector<TextMatch> found;
    pattern.FindAll(c.Text, found);
    EXPECT_EQ(found, c.Expected);
}

constexpr SearchOptions Plain{};
constexpr SearchOptions Cased{true, false, false};
constexpr SearchOptions Word{false, true, false};
constexpr SearchOptions Regex{false, false, true};
constexpr SearchOptions CasedRegex{true, false, true};
constexpr SearchOptions WordRegex{false, true, true};

INSTANTIATE_TEST_SUITE_P(
    All, TextSearchCases,
    ::testing::Values(
        SearchCase{
            "IgnoresCaseUnlessAsked", "lamp", Plain, "Lamp lamp LAMP", {{0, 4}, {5, 4}, {10, 4}}},
        SearchCase{"MatchCase", "lamp", Cased, "Lamp lamp LAMP", {{5, 4}}},
        // É is the byte 0xC9: found by its small letter, counted as one byte.
        SearchCase{"AccentedCapitalFoundBySmallLetter",
                   "caf\xC3\xA9",
                   Plain,
                   "Un CAF\xC9 noir, un caf\xE9.",
                   {{3, 4}, {17, 4}}},
        SearchCase{"AccentedMatchCase", "caf\xC3\xA9", Cased, "CAF\xC9 caf\xE9", {{5, 4}}},
        // The letters the code page keeps in 0x80..0x9F fold too: œ 0x9C and Œ 0x8C, ÿ 0xFF
        // and Ÿ 0x9F.
        SearchCase{
            "CodePageLettersFold", "\xC5\x93uvre \xC3\xBF", Plain, "\x8CUVRE \x9F", {{0, 7}}},
        SearchCase{"OffsetsAreBytesAfterAccents", "lamp", Plain, "\xE9\xE8\x80 lamp", {{4, 4}}},
        SearchCase{"WholeWordSkipsPartsOfWords", "lamp", Word, "lamps lamp, lamplight", {{6, 4}}},
        // "caf" is not a whole word of "café": the accented letter is a letter.
        SearchCase{"WholeWordAccentedLetterIsALetter", "caf", Word, "caf\xE9 caf.", {{5, 3}}},
        SearchCase{"WholeWordEndsInAccent",
                   "r\xC3\xA9",
                   Word,
                   "pr\xE9"
                   "fet r\xE9 r\xE9"
                   "el",
                   {{7, 2}}},
        SearchCase{"PlainPatternIsLiteral", "a.b (x", Plain, "axb (x a.b (x", {{7, 6}}},
        SearchCase{"PlainBackslashAndDollar", "\\$1", Plain, "pay \\$1 now", {{4, 3}}},
        SearchCase{"RegexClass", "l[a-z]+p", CasedRegex, "lamp Lamp loop", {{0, 4}, {10, 4}}},
        SearchCase{"RegexCaretAtEachLine", "^yes", Regex, "No\r\nYes\r\nyes", {{4, 3}, {9, 3}}},
        SearchCase{"RegexDotStopsAtLineBreak", "o.Y", Regex, "No\r\nYes", {}},
        SearchCase{"RegexWordClassHoldsAccents", "\\w+", Regex, "d\xE9j\xE0 vu", {{0, 4}, {5, 2}}},
        SearchCase{"EmptyMatchesAreNotFound", "x*", Regex, "axxb", {{1, 2}}},
        SearchCase{"WholeWordRegexAlternatives",
                   "on|off",
                   WordRegex,
                   "on online off offer",
                   {{0, 2}, {10, 3}}},
        SearchCase{"LinkMarkupIsText", "[url:", Plain, "See [URL:www.x.example]", {{4, 5}}},
        SearchCase{"EmptyText", "a", Plain, "", {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(TextSearch, NamesWhereABrokenExpressionBreaks) {
    struct Broken {
        std::string Pattern;
        SearchOptions Options;
        std::size_t Offset; // the character, from 0
        const char* Words;
    };
    const std::vector<Broken> cases = {
        {"l(amp", Regex, 5, "missing closing parenthesis"},
        // Characters, not bytes: "é" is one character of the pattern.
        {"\xC3\xA9[x", Regex, 3, "missing terminating ]"},
        // The wrapping of "Whole word" is not counted; the place is where PCRE2 noticed,
        // right after the bracket.
        {"ab)", WordRegex, 3, "unmatched closing parenthesis"},
        {"*x", Regex, 0, "quantifier does not follow a repeatable item"},
    };
    for (const Broken& c : cases) {
        try {
            TextPattern pattern(c.Pattern, c.Options);
            ADD_FAILURE() << c.Pattern << " compiled";
        } catch (const PatternError& error) {
            EXPECT_EQ(error.Offset, c.Offset) << c.Pattern;
            const std::string message = error.what();
            EXPECT_NE(message.find("The regular expression is not valid at character " +
                                   std::to_string(c.Offset + 1)),
                      std::string::npos)
                << message;
            EXPECT_NE(message.find(c.Words), std::string::npos) << message;
        }
    }
    EXPECT_THROW(TextPattern("", Plain), PatternError);
    // A plain pattern never breaks, whatever it holds.
    EXPECT_NO_THROW(TextPattern("l(amp[", Plain));
}

TEST(TextSearch, ReplacementsNameGroupsOnlyInExpressions) {
    const std::string text = "Call Anna and Bob.";
    const TextPattern names("(?<first>[A-Z])([a-z]+)", CasedRegex);
    std::vector<TextMatch> found;
    names.FindAll(text, found);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(names.Replacement(text, found[1], "$2-${first}$$"), "nna-A$");
    EXPECT_EQ(names.Replacement(text, found[2], "[$0]"), "[Bob]");
    EXPECT_THROW(names.Replacement(text, found[2], "$7"), PatternError);

    // Lookbehind sees the text before the match when the match is expanded again.
    const TextPattern after("(?<=\xC3\xA9)(\\w)", Regex);
    const std::string accented = "\xE9t\xE9s";
    found.clear();
    after.FindAll(accented, found);
    ASSERT_EQ(found, (std::vector<TextMatch>{{1, 1}, {3, 1}}));
    EXPECT_EQ(after.Replacement(accented, found[1], "<$1>"), "<s>");

    const TextPattern plain("Anna", Plain);
    EXPECT_EQ(plain.Replacement(text, {5, 4}, "$1 & ${x}"), "$1 & ${x}");
}

TEST(TextSearch, FieldPositionsCountALineBreakAsOneCharacter) {
    const std::string text = "ab\r\ncd\r\n\r\nef";
    EXPECT_EQ(FieldCharacterPosition(text, 0), 0u);
    EXPECT_EQ(FieldCharacterPosition(text, 2), 2u);
    EXPECT_EQ(FieldCharacterPosition(text, 4), 3u);
    EXPECT_EQ(FieldCharacterPosition(text, 10), 7u);
    EXPECT_EQ(FieldCharacterPosition(text, 12), 9u);
    EXPECT_EQ(FieldCharacterPosition(text, 99), 9u);
}

} // namespace
} // namespace dravenloom
