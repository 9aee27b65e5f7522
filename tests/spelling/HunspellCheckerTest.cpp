// The spelling check with the real Hunspell: the system's en_US dictionary, an 8-bit dictionary
// made for the test, the personal word list, and a whole guide.
#include "spelling/HunspellChecker.h"
#include "spelling/Dictionaries.h"
#include "spelling/GuideSpelling.h"
#include "spelling/SpellingSession.h"
#include "support/TestFiles.h"

#include "document/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

DictionaryFiles English() {
    const auto found = FindDictionary(InstalledDictionaries(DictionaryFolders("")), "en_US");
    if (!found)
        ADD_FAILURE() << "the en_US dictionary is missing (hunspell-en-us)";
    return found.value_or(DictionaryFiles{});
}

bool Has(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

TEST(HunspellChecker, EnglishWordsSuggestionsAndAccents) {
    HunspellChecker checker(English());
    EXPECT_EQ(checker.Encoding(), "UTF-8");
    for (const char* right : {"light", "Look", "LIGHT", "don't", "don\x92t", "I"})
        EXPECT_TRUE(checker.Correct(right)) << right;
    // Debian's en_US spells these without accents.
    for (const char* wrong : {"teh", "ligth", "Dravenlom", "caf\xE9", "Z\xFCrich"})
        EXPECT_FALSE(checker.Correct(wrong)) << wrong;
    const std::vector<std::string> suggestions = checker.Suggestions("ligth");
    EXPECT_TRUE(Has(suggestions, "light")) << ::testing::PrintToString(suggestions);
    // é went to the dictionary as UTF-8, and the answer came back.
    EXPECT_TRUE(Has(checker.Suggestions("caf\xE9"), "cafe"));
    checker.AddWord("Dravenlom");
    EXPECT_TRUE(checker.Correct("Dravenlom"));
}

TEST(HunspellChecker, EightBitDictionaryGetsItsOwnEncoding) {
    TempDirectory temp;
    // Latin-1 bytes in the files: "café" is 63 61 66 E9 there as in the code page, "œuvre" has
    // no Latin-1 form at all, and "Straße" is known in its sharp-s spelling.
    WriteBytes(temp.Path / "xx_LATIN.aff", "SET ISO8859-1\nTRY aeioucfr\n");
    WriteBytes(temp.Path / "xx_LATIN.dic", "3\ncaf\xE9\nStra\xDF"
                                           "e\nvre\n");
    const auto dictionaries = InstalledDictionaries({temp.Path});
    ASSERT_EQ(dictionaries.size(), 1u);
    HunspellChecker checker(dictionaries.front());
    EXPECT_EQ(checker.Encoding(), "ISO8859-1");
    EXPECT_TRUE(checker.Correct("caf\xE9"));
    EXPECT_TRUE(checker.Correct("Stra\xDF"
                                "e"));
    EXPECT_FALSE(checker.Correct("cafe"));
    EXPECT_FALSE(checker.Correct("\x9C"
                                 "uvre")); // œ: not in the dictionary's encoding
    EXPECT_TRUE(Has(checker.Suggestions("cafx"), "caf\xE9"));
}

TEST(HunspellChecker, DictionaryFoldersAndLanguages) {
    TempDirectory first, second;
    WriteBytes(first.Path / "de_DE.aff", "SET UTF-8\n");
    WriteBytes(first.Path / "de_DE.dic", "1\nHaus\n");
    WriteBytes(first.Path / "fr_FR.dic", "1\nmaison\n"); // no .aff: no dictionary
    WriteBytes(second.Path / "de_DE.aff", "SET UTF-8\n");
    WriteBytes(second.Path / "de_DE.dic", "1\nBaum\n");
    WriteBytes(second.Path / "cy_GB.aff", "SET UTF-8\n");
    WriteBytes(second.Path / "cy_GB.dic", "1\nty\n");
    const auto found = InstalledDictionaries({first.Path, second.Path, first.Path / "none"});
    EXPECT_EQ(LanguageListText(found), "cy_GB, de_DE");
    EXPECT_EQ(FindDictionary(found, "de_DE")->Words, first.Path / "de_DE.dic");
    EXPECT_EQ(DefaultLanguage(found, "de_DE"), "de_DE");
    EXPECT_EQ(DefaultLanguage(found, "sv_SE"), "cy_GB") << "a stored language that is gone";
    EXPECT_EQ(DefaultLanguage({}, "de_DE"), "");
    EXPECT_EQ(LanguageListText({}), "none");

    fs::remove(first.Path / "de_DE.aff");
    EXPECT_THROW(HunspellChecker(*FindDictionary(found, "de_DE")), FileError);
}

TEST(SpellingSession, PersonalWordsLastAndIgnoredWordsDoNot) {
    TempDirectory temp;
    const std::string list = (temp.Path / "data" / "personal-words.txt").string();
    {
        SpellingSession session(std::make_unique<HunspellChecker>(English()),
                                PersonalWordList(list));
        EXPECT_TRUE(session.Misspelled("Dravenloom"));
        session.AddToDictionary("Dravenloom");
        session.AddToDictionary("Ve\xF1"
                                "ara"); // Veñara, kept as UTF-8 in the file
        session.AddToDictionary("Dravenloom");
        session.Ignore("Korvesa");
        EXPECT_FALSE(session.Misspelled("Dravenloom"));
        EXPECT_FALSE(session.Misspelled("Korvesa"));
        EXPECT_EQ(session.Misspellings("Dravenloom by Korvesa is greatt"),
                  (std::vector<WordSpan>{{25, 6}}));
    }
    EXPECT_EQ(ReadBytes(list), "Dravenloom\nVe\xC3\xB1"
                               "ara\n");
    SpellingSession next(std::make_unique<HunspellChecker>(English()), PersonalWordList(list));
    EXPECT_FALSE(next.Misspelled("Dravenloom"));
    EXPECT_FALSE(next.Misspelled("Ve\xF1"
                                 "ara"));
    EXPECT_TRUE(next.Misspelled("Korvesa")) << "ignoring lasts one run only";

    // A list that cannot be written keeps the word out, and says so.
    WriteBytes(temp.Path / "file", "");
    SpellingSession blocked(std::make_unique<HunspellChecker>(English()),
                            PersonalWordList((temp.Path / "file" / "words.txt").string()));
    EXPECT_THROW(blocked.AddToDictionary("Zorblax"), FileError);
    EXPECT_TRUE(blocked.Misspelled("Zorblax"));
}

TEST(GuideSpelling, EachRecordNamesItsWordsOnceInTheLinesTheProgramShows) {
    const std::string a = "\xA4", t = "\xB6", tail = "\xB6\xAA\xB1\x80no";
    RecordList records({
        "1" + a + "Teh light is on. Teh end." + tail,
        "1" + a + "Yes[url:www.exmaple.com]" + t + "2",
        "1" + a + "Mabye" + t,
        "2" + a + "teh second" + tail,
        "2" + a + "r1" + t,
        "2" + a + "r2" + t,
        "2" + a + "r3" + t,
        "2" + a + "r4" + t,
        "2" + a + "r5" + t,
        "2" + a + "r6" + t,
        "2" + a + "sevnth response the program never reads" + t,
        "3" + a + "All good." + tail,
        "2" + a + "A secnd run of record two" + tail,
    });
    SpellingSession session(std::make_unique<HunspellChecker>(English()), PersonalWordList());
    const std::vector<Misspelling> found = SpellCheckRecords(records, session, true);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].Record, 1);
    EXPECT_EQ(found[0].Word, "Teh");
    EXPECT_TRUE(Has(found[0].Suggestions, "The")) << ::testing::PrintToString(found[0].Suggestions);
    EXPECT_EQ(found[1].Record, 1);
    EXPECT_EQ(found[1].Word, "Mabye");
    EXPECT_EQ(found[2].Record, 2);
    EXPECT_EQ(found[2].Word, "teh");
    EXPECT_TRUE(SpellCheckRecords(records, session, false)[0].Suggestions.empty());
}

// Suggestions worked out side by side are those one checker gives, for every worker count,
// with the personal words taken into each checker; a checker that cannot be made is reported.
TEST(GuideSpelling, SuggestionsSideBySideAreThoseOfOneChecker) {
    std::vector<std::string> lines;
    const char* words[] = {"Teh", "ligth", "swich", "bulbz", "wattage", "plugg",
                           "lamb",  "fuze",  "cabel", "socet", "Mabye",   "wirring"};
    for (int record = 1; record <= 24; ++record)
        lines.push_back(std::to_string(record) + "\xA4" + words[record % 12] + " and " +
                        words[(record * 5) % 12] + " \xB6\xAA\xB1\x80no");
    const RecordList records(lines);
    const DictionaryFiles english = English();
    // "plugg" is the author's own word: never misspelled, and offered where it fits.
    const std::vector<std::string> personal = {"plugg"};
    const auto checkerWithPersonalWords = [&] {
        auto checker = std::make_unique<HunspellChecker>(english);
        for (const std::string& word : personal)
            checker->AddWord(word);
        return checker;
    };
    SpellingSession serial(checkerWithPersonalWords(), PersonalWordList());
    const std::vector<Misspelling> expected = SpellCheckRecords(records, serial, true);
    ASSERT_GE(expected.size(), 20u);

    for (const unsigned workers : {1U, 3U, 8U}) {
        SpellingSession session(checkerWithPersonalWords(), PersonalWordList());
        std::vector<Misspelling> found = SpellCheckRecords(records, session, false);
        SuggestSideBySide(
            found, [&] { return std::make_unique<HunspellChecker>(english); }, personal, workers);
        ASSERT_EQ(found.size(), expected.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].Word, expected[i].Word);
            EXPECT_EQ(found[i].Suggestions, expected[i].Suggestions)
                << found[i].Word << " with " << workers << " workers";
        }
    }

    SpellingSession session(checkerWithPersonalWords(), PersonalWordList());
    std::vector<Misspelling> found = SpellCheckRecords(records, session, false);
    EXPECT_THROW(SuggestSideBySide(
                     found,
                     []() -> std::unique_ptr<SpellChecker> {
                         throw FileError("the dictionary went away");
                     },
                     {}, 4),
                 FileError);
}

} // namespace
} // namespace dravenloom
