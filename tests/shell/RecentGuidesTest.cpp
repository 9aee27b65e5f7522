// The recent guides of the "&File" menu: their order, the eight places, one entry per guide,
// the guides a save or an open puts on top, choosing an entry, a guide that has gone, and the
// list kept in the settings.
#include "shell/RecentGuides.h"
#include "document/Errors.h"
#include "document/GuideFile.h"
#include "support/EditorFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

using Paths = std::vector<std::string>;

class RecentGuidesTest : public EditorFixture {
protected:
    RecentGuides& Recent() { return Form.Recent; }
    // Guide files one.dvx ... made on disk without opening them.
    std::string MakeGuide(const std::string& name) {
        const std::string path = Dir.File(name);
        WriteGuideFileBytes(path, NumberedRecords(2));
        return path;
    }
    std::string Name(int n) { return "g" + std::to_string(n) + ".dvx"; }
    std::optional<std::string> Stored(int place) {
        return Settings.String(RecentKey, std::to_string(place));
    }
};

TEST_F(RecentGuidesTest, OpensPutTheGuideOnTopOnceAndEightAreKept) {
    Paths opened;
    for (int n = 1; n <= 10; ++n)
        opened.push_back(OpenGuide(NumberedRecords(2), Name(n)));
    EXPECT_EQ(Recent().Paths(), (Paths{opened[9], opened[8], opened[7], opened[6], opened[5],
                                       opened[4], opened[3], opened[2]}));
    // Opening one of them again moves it up; it is not listed twice, and nothing falls out.
    OpenGuide(NumberedRecords(2), Name(6));
    EXPECT_EQ(Recent().Paths(), (Paths{opened[5], opened[9], opened[8], opened[7], opened[6],
                                       opened[4], opened[3], opened[2]}));
    EXPECT_EQ(Recent().Caption(0), "&1 g6.dvx");
    EXPECT_EQ(Recent().Caption(7), "&8 g3.dvx");
}

TEST_F(RecentGuidesTest, OtherSpellingsOfTheSamePathAreOneGuide) {
    const std::string path = OpenGuide(NumberedRecords(2), "lamp.dvx");
    std::filesystem::create_directory(Dir.Path / "sub");
    Doc().OpenDialogPath = (Dir.Path / "sub" / ".." / "." / "lamp.dvx").string();
    Files().OpenGuideFile();
    ASSERT_EQ(Recent().Paths().size(), 1u);
    // The newest spelling is kept.
    EXPECT_EQ(Recent().Paths()[0], Doc().OpenDialogPath);
    EXPECT_TRUE(SameGuidePath(path, Doc().OpenDialogPath));
    EXPECT_FALSE(SameGuidePath(path, Dir.File("lamp2.dvx")));
    EXPECT_TRUE(SameGuidePath(Dir.File("gone/../x.dvx"), Dir.File("x.dvx")))
        << "paths of missing files compare by their normal form";
}

TEST_F(RecentGuidesTest, EverySaveOfTheGuidePutsItOnTop) {
    const std::string first = OpenGuide(NumberedRecords(2), "first.dvx");
    const std::string second = OpenGuide(NumberedRecords(2), "second.dvx");
    // Save As under a new name.
    const std::string renamed = Dir.File("renamed.dvx");
    Platform.DialogAnswers.push_back(renamed);
    Files().SaveAs1Click();
    EXPECT_EQ(Recent().Paths(), (Paths{renamed, second, first}));
    // Save of a guide opened earlier.
    Doc().OpenDialogPath = first;
    Files().OpenGuideFile();
    Doc().OpenDialogPath = second;
    Files().OpenGuideFile();
    TypeDialogue("changed");
    Files().Save1Click();
    EXPECT_EQ(Recent().Paths(), (Paths{second, first, renamed}));
    // A new guide saved through the question Close asks.
    Files().Close1Click();
    TypeDialogue("new");
    const std::string made = Dir.File("made.dvx");
    Platform.MessageAnswers.push_back(MsgAnswer::Yes);
    Platform.DialogAnswers.push_back(made);
    Files().Close1Click();
    EXPECT_EQ(Recent().Paths(), (Paths{made, second, first, renamed}));
    // A save that is cancelled or fails lists nothing.
    TypeDialogue("again");
    Platform.DialogAnswers.push_back(std::nullopt);
    Files().SaveAs1Click();
    Platform.DialogAnswers.push_back(Dir.File("no-such-folder/x.dvx"));
    EXPECT_THROW(Files().SaveAs1Click(), DravenloomError);
    EXPECT_EQ(Recent().Paths(), (Paths{made, second, first, renamed}));
}

TEST_F(RecentGuidesTest, ChoosingAnEntryOpensItAsOpenDoes) {
    const std::string lamp = OpenGuide(NumberedRecords(3), "lamp.dvx");
    OpenGuide(NumberedRecords(2), "other.dvx");
    TypeDialogue("unsaved");
    ASSERT_EQ(Recent().Paths()[1], lamp);
    // The modified guide is asked about first; Cancel keeps it.
    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    Recent().RecentGuideClick(1);
    EXPECT_EQ(Platform.Messages.back(), Question("Confirm", "Save changes to other.dvx?"));
    EXPECT_EQ(FileNamePart(Doc().GuideFileName), "other.dvx");
    EXPECT_EQ(View().DialogueMemo.Text, "unsaved");
    // No: the chosen guide is opened, and it is on top now.
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Recent().RecentGuideClick(1);
    EXPECT_EQ(Doc().GuideFileName, lamp);
    EXPECT_EQ(Doc().StatusText, "Record 1 of 3");
    EXPECT_EQ(Doc().OpenDialogPath, lamp) << "the open dialog starts there next time";
    EXPECT_EQ(Recent().Paths()[0], lamp);
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(Platform.ScriptUsedUp());
}

TEST_F(RecentGuidesTest, AGuideThatIsGoneIsDroppedWithAMessage) {
    const std::string kept = OpenGuide(NumberedRecords(2), "kept.dvx");
    const std::string gone = OpenGuide(NumberedRecords(2), "gone.dvx");
    OpenGuide(NumberedRecords(4), "shown.dvx");
    TypeDialogue("unsaved");
    std::filesystem::remove(gone);
    Recent().RecentGuideClick(1);
    ASSERT_EQ(Platform.Messages.size(), 1u) << "no save-changes question for a missing guide";
    EXPECT_EQ(Platform.Messages[0],
              PlainError("The guide \"" + gone +
                         "\" no longer exists. It has been removed from the list of recent "
                         "guides."));
    EXPECT_EQ(Recent().Paths(), (Paths{Doc().GuideFileName, kept}));
    EXPECT_EQ(Stored(2), RecentPathValue(kept));
    EXPECT_EQ(Stored(3), "");
    // The guide on screen is untouched.
    EXPECT_EQ(View().DialogueMemo.Text, "unsaved");
    EXPECT_TRUE(Modified());
    // A place past the list does nothing.
    Recent().RecentGuideClick(5);
    EXPECT_EQ(Platform.Messages.size(), 1u);
}

TEST_F(RecentGuidesTest, TheListIsStoredAndReadBack) {
    const std::string odd = Dir.File("Ünïcode ж 100% & co, \"x\".dvx");
    WriteGuideFileBytes(odd, NumberedRecords(2));
    Doc().OpenDialogPath = odd;
    Files().OpenGuideFile();
    const std::string plain = OpenGuide(NumberedRecords(2), "plain.dvx");
    EXPECT_EQ(Stored(1), RecentPathValue(plain));
    EXPECT_EQ(Stored(2), RecentPathValue(odd));
    for (int place = 3; place <= 8; ++place)
        EXPECT_EQ(Stored(place), "") << place;
    // Only code page 1252's ASCII part is stored.
    const std::string stored = Stored(2).value_or("");
    for (const char c : stored)
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << stored;
    EXPECT_EQ(Settings.Bool(ProgramKey, "Hints"), std::nullopt) << "other values untouched";

    // The next run reads them when its window is shown.
    GuideForm next(Platform, Settings, Dir.Path.string());
    next.FormCreate({});
    EXPECT_TRUE(next.Recent.Paths().empty());
    next.FormShow();
    EXPECT_EQ(next.Recent.Paths(), (Paths{plain, odd}));
    EXPECT_EQ(next.Recent.Caption(1), "&2 Ünïcode ж 100% && co, \"x\".dvx");
}

TEST_F(RecentGuidesTest, ReadingSkipsEmptyUnreadableAndRepeatedValues) {
    const std::string a = MakeGuide("a.dvx");
    const std::string b = MakeGuide("b.dvx");
    Settings.SetString(RecentKey, "1", "");
    Settings.SetString(RecentKey, "2", a);
    Settings.SetUnreadable(RecentKey, "3");
    Settings.SetString(RecentKey, "4", b);
    Settings.SetString(RecentKey, "5", a);
    Settings.SetString(RecentKey, "9", MakeGuide("c.dvx"));
    Form.FormShow();
    EXPECT_EQ(Recent().Paths(), (Paths{a, b}));
    // No key at all (a first run): an empty list, and nothing is written.
    MemorySettings empty;
    GuideForm first(Platform, empty, Dir.Path.string());
    first.FormShow();
    EXPECT_TRUE(first.Recent.Paths().empty());
    EXPECT_FALSE(empty.KeyExists(RecentKey));
}

struct ValueCase {
    std::string Path;
    std::string Value;
};

class RecentPathValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(RecentPathValueTest, EncodesToPrintableAsciiAndBack) {
    EXPECT_EQ(RecentPathValue(GetParam().Path), GetParam().Value);
    EXPECT_EQ(PathFromRecentValue(GetParam().Value), GetParam().Path);
}

INSTANTIATE_TEST_SUITE_P(Paths, RecentPathValueTest,
                         ::testing::Values(ValueCase{"/home/a/lamp.dvx", "/home/a/lamp.dvx"},
                                           ValueCase{"C:\\Guides\\a b,c.dvx",
                                                     "C:\\Guides\\a b,c.dvx"},
                                           ValueCase{"/tmp/100%.dvx", "/tmp/100%25.dvx"},
                                           ValueCase{"/tmp/\xC3\xA4.dvx", "/tmp/%C3%A4.dvx"},
                                           ValueCase{"/tmp/\x7F\x01.dvx", "/tmp/%7F%01.dvx"}));

TEST(RecentPathValueReadTest, AStrayPercentStandsForItself) {
    EXPECT_EQ(PathFromRecentValue("/a/%zz%4"), "/a/%zz%4");
    EXPECT_EQ(PathFromRecentValue("%41%42%"), "AB%");
    EXPECT_EQ(PathFromRecentValue("%c3%a4"), "\xC3\xA4");
}

} // namespace
} // namespace dravenloom
