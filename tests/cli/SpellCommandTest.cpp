// `dravenloom-cli spell` with the real Hunspell and the system's en_US dictionary: exit codes,
// the text and JSON output, the stored language and the personal word list.
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using dravenloom::CliResult;

class SpellCommandTest : public dravenloom::CliFixture {
protected:
    SpellCommandTest() {
        fs::create_directories(Home / "config");
        fs::create_directories(Home / "data");
        Environment = {{"HOME", Home.string()},
                       {"XDG_CONFIG_HOME", (Home / "config").string()},
                       {"XDG_DATA_HOME", (Home / "data").string()}};
    }
    fs::path Guide(const std::string& text) {
        return Write("guide.dvx", dravenloom::CliMarks(text));
    }
    fs::path PersonalWords() const {
        return Home / "data" / "Korvessa" / "Dravenloom" / "personal-words.txt";
    }
    fs::path Home = Directory / "home";
};

// Record 1 has "Teh" twice and misspelled addresses; record 2 has "café" (which Debian's en_US
// spells "cafe"), a number and two misspelled words in a response; record 3 is spelled right.
const std::string Misspelled = "1|Teh lamp is on. Teh end at www.exmaple.com#<>~no\r\n"
                               "1|Read[url:http://exmaple.com/pgae]#2\r\n"
                               "2|A caf\xE9 in 1999#<>~no\r\n"
                               "2|Veiw the Dravenloom menu#3\r\n"
                               "3|All good.#<>~no\r\n";

TEST_F(SpellCommandTest, ListsEachWordOncePerRecordWithSuggestions) {
    const fs::path guide = Guide(Misspelled);
    const CliResult text = Run({"spell", guide.string(), "--lang", "en_US"});
    EXPECT_EQ(text.Status, 1) << text.Err;
    EXPECT_EQ(text.Err, "");
    EXPECT_EQ(text.Out.rfind("record 1: Teh  -> ", 0), 0u) << text.Out;
    EXPECT_NE(text.Out.find(", The, "), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("\nrecord 2: caf\xC3\xA9  -> cafe"), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("\nrecord 2: Veiw  -> "), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("\nrecord 2: Dravenloom  "), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("\n\n4 misspelled words in guide.dvx (3 records, en_US)\n"),
              std::string::npos)
        << text.Out;
    EXPECT_EQ(text.Out.find("exmaple"), std::string::npos) << "addresses are not checked";

    const CliResult json = Run({"spell", guide.string(), "--json", "--lang=en_US"});
    EXPECT_EQ(json.Status, 1) << json.Err;
    ASSERT_EQ(json.Out.rfind("[{\"record\": 1, \"word\": \"Teh\", \"suggestions\": [\"", 0), 0u)
        << json.Out;
    EXPECT_NE(json.Out.find("\"The\""), std::string::npos);
    EXPECT_NE(json.Out.find(",\n {\"record\": 2, \"word\": \"caf\xC3\xA9\", \"suggestions\": [\"cafe\""),
              std::string::npos)
        << json.Out;
    EXPECT_NE(json.Out.find(",\n {\"record\": 2, \"word\": \"Veiw\", \"suggestions\": [\""),
              std::string::npos)
        << json.Out;
    EXPECT_NE(json.Out.find("{\"record\": 2, \"word\": \"Dravenloom\", \"suggestions\": ["),
              std::string::npos);
    EXPECT_EQ(json.Out.substr(json.Out.size() - 3), "}]\n");
}

TEST_F(SpellCommandTest, CleanGuidesPersonalWordsAndTheStoredLanguage) {
    const fs::path guide = Guide("1|A caf\xE9 and a na\xEFve Dravenloom.#<>~no\r\n1|Yes#\r\n");
    EXPECT_EQ(Run({"spell", guide.string()}).Status, 1);

    // The words the program added to its dictionary are the command's too.
    fs::create_directories(PersonalWords().parent_path());
    dravenloom::WriteBytes(PersonalWords(), "Korvessa\ncaf\xC3\xA9\nna\xC3\xAFve\nDravenloom\n");
    const CliResult clean = Run({"spell", guide.string()});
    EXPECT_EQ(clean.Status, 0) << clean.Out << clean.Err;
    EXPECT_EQ(clean.Out, "OK: no misspelled words in guide.dvx (1 record, en_US)\n");
    const CliResult json = Run({"spell", guide.string(), "--json"});
    EXPECT_EQ(json.Status, 0);
    EXPECT_EQ(json.Out, "[]\n");

    // A stored language whose dictionary is gone falls back to en_US.
    fs::create_directories(Home / "config" / "Korvessa");
    dravenloom::WriteBytes(Home / "config" / "Korvessa" / "Dravenloom.conf",
                           "[Spelling]\nLanguage=xx_GONE\n");
    EXPECT_EQ(Run({"spell", guide.string()}).Out, clean.Out);
}

TEST_F(SpellCommandTest, BadGuidesAndMissingDictionariesExitTwo) {
    const CliResult language = Run({"spell", Guide("1|Hello#<>~no\r\n").string(), "--lang", "xx_YY"});
    EXPECT_EQ(language.Status, 2);
    EXPECT_EQ(language.Out, "");
    EXPECT_NE(language.Err.find("There is no dictionary for the language \"xx_YY\". Installed: "),
              std::string::npos)
        << language.Err;
    EXPECT_NE(language.Err.find("en_US"), std::string::npos) << language.Err;

    const CliResult notAGuide = Run({"spell", Write("bad.dvx", "no record here\r\n").string()});
    EXPECT_EQ(notAGuide.Status, 2);
    EXPECT_EQ(notAGuide.Out, "");
    const CliResult missing = Run({"spell", (Directory / "none.dvx").string()});
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(Run({"spell"}).Status, 2);
}

} // namespace
