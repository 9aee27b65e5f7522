// The "Spelling Language" menu's behaviour: off and silent until asked, the choice kept in the
// settings, and a language whose dictionary went away.
#include "shell/SpellingOptions.h"
#include "support/MemorySettings.h"
#include "support/TestFiles.h"

#include "document/Errors.h"

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

TEST(SpellingOptions, OffUntilAskedThenStoredAndFollowedByTheNextRun) {
    TempDirectory temp;
    WriteBytes(temp.Path / "xx_TEST.aff", "SET UTF-8\n");
    WriteBytes(temp.Path / "xx_TEST.dic", "1\nlamp\n");
    const std::vector<std::filesystem::path> folders{temp.Path};
    MemorySettings settings;
    {
        SpellingOptions options(settings, folders, temp.File("words.txt"));
        options.Read();
        EXPECT_FALSE(options.CheckAsYouType());
        EXPECT_EQ(options.Check(), nullptr);
        EXPECT_TRUE(settings.Writes.empty()) << "an author who never asks finds nothing stored";

        options.CheckAsYouTypeClick(true);
        ASSERT_NE(options.Check(), nullptr);
        EXPECT_EQ(options.Language(), "xx_TEST") << "no en_US here: the first installed";
        EXPECT_FALSE(options.Check()->Misspelled("lamp"));
        EXPECT_TRUE(options.Check()->Misspelled("lmap"));
        options.LanguageClick("xx_TEST");
        EXPECT_EQ(settings.Bool(SpellingKey, "CheckAsYouType"), true);
        EXPECT_EQ(settings.String(SpellingKey, "Language"), "xx_TEST");

        // A language whose dictionary went since the menu was shown keeps the old check.
        SpellingSession* before = options.Check();
        EXPECT_THROW(options.LanguageClick("yy_GONE"), DravenloomError);
        EXPECT_EQ(options.Check(), before);
        EXPECT_EQ(settings.String(SpellingKey, "Language"), "xx_TEST");
    }
    SpellingOptions next(settings, folders, "");
    next.Read();
    EXPECT_TRUE(next.CheckAsYouType()) << "the next run checks from the start";

    // Without dictionaries, turning it on says so and leaves it off; a start stays silent.
    SpellingOptions none(settings, {temp.Path / "empty"}, "");
    none.Read();
    EXPECT_FALSE(none.CheckAsYouType());
    EXPECT_THROW(none.CheckAsYouTypeClick(true), DravenloomError);
    EXPECT_FALSE(none.CheckAsYouType());
    none.CheckAsYouTypeClick(false);
    EXPECT_EQ(settings.Bool(SpellingKey, "CheckAsYouType"), false);
}

} // namespace
} // namespace dravenloom
