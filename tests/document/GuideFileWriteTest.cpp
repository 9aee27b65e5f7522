// Tests of writing the guide file: CR LF line ends, a replace that never destroys the file that
// was there, saving through symbolic links, what is refused, and the reason a failure gives.
#include "document/Errors.h"
#include "document/GuideFile.h"
#include "document/RecordCodec.h"
#include "support/GuideReadBack.h"
#include "support/MarkedText.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dravenloom {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

int EntriesIn(const fs::path& directory) {
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(directory))
        ++entries;
    return entries;
}

// The message of the FileError that writing `lines` to `path` throws.
std::string WriteFailure(const std::string& path, const Lines& lines = {Marked("1¤New")}) {
    try {
        WriteGuideLines(path, lines);
    } catch (const FileError& error) {
        return error.what();
    }
    return "no error";
}

TEST(GuideFileWriteTest, WritesEveryLineWithCrLfAndLeavesNoTemporaryFile) {
    TempDirectory dir;
    const std::string path = dir.File("out.dvx");
    WriteGuideLines(path, {Marked("1¤a¶ª±€no"), Marked("1¤r¶"), Marked("2¤bšc¶ª±€yes")});
    EXPECT_EQ(ReadBytes(path), Marked("1¤a¶ª±€no\r\n1¤r¶\r\n2¤bšc¶ª±€yes\r\n"));
    EXPECT_TRUE(
        OpensAsGuide(path, {Marked("1¤a¶ª±€no"), Marked("1¤r¶"), Marked("2¤b\r\nc¶ª±€yes")}));
    // The writer writes the lines as it gets them, an empty one too: judging them is its
    // callers' work.
    WriteGuideLines(path, {Marked("1¤a¶ª±€no"), ""});
    EXPECT_EQ(ReadBytes(path), Marked("1¤a¶ª±€no\r\n\r\n"));
    // Replacing a longer file leaves nothing of it behind.
    WriteGuideLines(path, {});
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(EntriesIn(dir.Path), 1);
}

// The file's bytes are encoded straight from the record list, and read back decoded as they
// are split; both must agree with the line codec on every kind of line break, byte for byte.
TEST(GuideFileWriteTest, RecordLinesGoThroughTheFileAsTheLineCodecHasThem) {
    const Lines breaks{
        Marked("2¤Is it on?\r\nLook.¶ª±€no"), "a\r\n\r\nb", "a\rb\nc\n\rd", "a\r\r\nb", "\r\n", ""};
    std::string expected;
    for (const auto& line : breaks)
        expected += EncodeLineForFile(line) + "\r\n";
    EXPECT_EQ(GuideFileBytes(breaks), expected);
    EXPECT_EQ(GuideFileBytes({}), "");

    // Lines without a lone CR or LF come back from the file as they were, and a guide larger
    // than the pieces it is written and read in too.
    Lines list;
    for (int i = 0; i < 4000; ++i) {
        list.push_back(Marked("7¤" + std::string(static_cast<std::size_t>(i % 97), 'x') +
                              "\r\nline two\r\n¶ª±€no"));
        list.push_back(Marked("7¤Plain¶" + std::to_string(i)));
    }
    TempDirectory dir;
    const std::string path = dir.File("list.dvx");
    WriteRecordLines(path, list);
    EXPECT_EQ(ReadBytes(path), GuideFileBytes(list));
    EXPECT_EQ(ReadDecodedGuideLines(path), list);
    const Lines encoded = ReadGuideLines(path);
    ASSERT_EQ(encoded.size(), list.size());
    for (std::size_t i = 0; i < list.size(); i += 997)
        EXPECT_EQ(encoded[i], EncodeLineForFile(list[i])) << "line " << i;
    EXPECT_EQ(EntriesIn(dir.Path), 1);
}

TEST(GuideFileWriteTest, WriteIntoAMissingDirectoryNamesTheReason) {
    TempDirectory dir;
    const std::string path = dir.File("missing/out.dvx");
    EXPECT_EQ(WriteFailure(path), "Cannot create file \"" + path + "\": No such file or directory");
    EXPECT_FALSE(fs::exists(dir.Path / "missing"));
}

// Saving through a symbolic link replaces the file at its end, beside that file, and keeps
// every link on the way.
struct LinkCase {
    const char* Name;
    // Makes the links inside the directory; answers the path saved to.
    std::function<std::string(const fs::path& dir)> Make;
    const char* Final; // the file that must receive the bytes, relative to the directory
    bool FinalExists = true;
};

void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.Name;
}

class SaveThroughLinkTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(SaveThroughLinkTest, WritesTheLinkedFileAndKeepsTheLinks) {
    TempDirectory dir;
    fs::create_directories(dir.Path / "real");
    fs::create_directories(dir.Path / "links");
    const fs::path final = dir.Path / GetParam().Final;
    if (GetParam().FinalExists)
        WriteBytes(final, Marked("1¤Old\r\n"));
    const std::string saved = GetParam().Make(dir.Path);
    ASSERT_TRUE(fs::is_symlink(saved));
    const fs::path link = fs::read_symlink(saved);

    WriteGuideLines(saved, {Marked("1¤New")});

    ASSERT_TRUE(fs::is_symlink(saved)) << "the link was replaced";
    EXPECT_EQ(fs::read_symlink(saved), link);
    EXPECT_EQ(ReadBytes(final), Marked("1¤New\r\n"));
    EXPECT_TRUE(OpensAsGuide(saved, {Marked("1¤New")}));
    EXPECT_EQ(EntriesIn(final.parent_path()), 1) << "a temporary file was left beside the file";
}

INSTANTIATE_TEST_SUITE_P(
    Links, SaveThroughLinkTest,
    ::testing::Values(LinkCase{"RelativeLinkIntoAnotherDirectory",
                               [](const fs::path& dir) {
                                   fs::create_symlink("../real/guide.dvx", dir / "links/guide.dvx");
                                   return (dir / "links/guide.dvx").string();
                               },
                               "real/guide.dvx"},
                      LinkCase{"AbsoluteLink",
                               [](const fs::path& dir) {
                                   fs::create_symlink(dir / "real/guide.dvx",
                                                      dir / "links/guide.dvx");
                                   return (dir / "links/guide.dvx").string();
                               },
                               "real/guide.dvx"},
                      // Each link is relative to its own directory.
                      LinkCase{"ChainOfLinks",
                               [](const fs::path& dir) {
                                   fs::create_symlink("../real/guide.dvx",
                                                      dir / "links/second.dvx");
                                   fs::create_symlink("links/second.dvx", dir / "first.dvx");
                                   return (dir / "first.dvx").string();
                               },
                               "real/guide.dvx"},
                      LinkCase{"LinkToAFileNotYetThere",
                               [](const fs::path& dir) {
                                   fs::create_symlink("../real/new.dvx", dir / "links/new.dvx");
                                   return (dir / "links/new.dvx").string();
                               },
                               "real/new.dvx", false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(GuideFileWriteTest, LinkLoopIsRefused) {
    TempDirectory dir;
    fs::create_symlink("b.dvx", dir.Path / "a.dvx");
    fs::create_symlink("a.dvx", dir.Path / "b.dvx");
    const std::string path = dir.File("a.dvx");
    EXPECT_EQ(WriteFailure(path),
              "Cannot write file \"" + path + "\": Too many levels of symbolic links");
    EXPECT_EQ(EntriesIn(dir.Path), 2);
}

// What saving refuses to replace, and the reason the message gives; nothing is changed.
struct RefusedWriteCase {
    const char* Name;
    std::function<std::string(const fs::path& dir)> Make; // answers the path saved to
    const char* Reason;
};

void PrintTo(const RefusedWriteCase& c, std::ostream* os) {
    *os << c.Name;
}

class RefusedWriteTest : public ::testing::TestWithParam<RefusedWriteCase> {};

TEST_P(RefusedWriteTest, NamesTheReasonAndChangesNothing) {
    TempDirectory dir;
    const std::string path = GetParam().Make(dir.Path);
    const int entries = EntriesIn(dir.Path);
    const auto before = fs::symlink_status(path);
    EXPECT_EQ(WriteFailure(path), "Cannot write file \"" + path + "\": " + GetParam().Reason);
    const auto after = fs::symlink_status(path);
    EXPECT_EQ(after.type(), before.type());
    EXPECT_EQ(after.permissions(), before.permissions());
    if (fs::is_regular_file(path)) {
        EXPECT_EQ(ReadBytes(path), "kept");
    }
    EXPECT_EQ(EntriesIn(dir.Path), entries) << "a temporary file was left behind";
}

std::vector<RefusedWriteCase> RefusedWrites() {
    std::vector<RefusedWriteCase> cases{
        {"Directory",
         [](const fs::path& dir) {
             fs::create_directory(dir / "guide.dvx");
             WriteBytes(dir / "guide.dvx/inside", "kept");
             return (dir / "guide.dvx").string();
         },
         "It is a directory"},
        // Decided from the permission bits: the tests run as root too, which may write anyway.
        {"ReadOnlyFile",
         [](const fs::path& dir) {
             WriteBytes(dir / "guide.dvx", "kept");
             fs::permissions(dir / "guide.dvx", fs::perms::owner_read | fs::perms::group_read |
                                                    fs::perms::others_read);
             return (dir / "guide.dvx").string();
         },
         "It is read-only"},
        {"LinkToAReadOnlyFile",
         [](const fs::path& dir) {
             WriteBytes(dir / "real.dvx", "kept");
             fs::permissions(dir / "real.dvx", fs::perms::owner_read);
             fs::create_symlink("real.dvx", dir / "guide.dvx");
             return (dir / "guide.dvx").string();
         },
         "It is read-only"},
    };
#ifndef _WIN32
    cases.push_back({"Pipe",
                     [](const fs::path& dir) {
                         ::mkfifo((dir / "guide.dvx").c_str(), 0600);
                         return (dir / "guide.dvx").string();
                     },
                     "It is not a regular file"});
    // Replacing the link's end would replace the device itself.
    cases.push_back({"LinkToADevice",
                     [](const fs::path& dir) {
                         fs::create_symlink("/dev/null", dir / "guide.dvx");
                         return (dir / "guide.dvx").string();
                     },
                     "It is not a regular file"});
#endif
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Targets, RefusedWriteTest, ::testing::ValuesIn(RefusedWrites()),
                         [](const auto& info) { return std::string(info.param.Name); });

#ifndef _WIN32
TEST(GuideFileWriteTest, ReplacedFileKeepsItsMode) {
    TempDirectory dir;
    for (const mode_t mode : {0600, 0640, 0664}) {
        const std::string path = dir.File("guide" + std::to_string(mode) + ".dvx");
        WriteBytes(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        WriteGuideLines(path, {Marked("1¤New")});
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, mode) << path;
    }
}

TEST(GuideFileWriteTest, ReplacedFileKeepsItsOwnerWhenRootSaves) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    TempDirectory dir;
    const std::string path = dir.File("guide.dvx");
    WriteBytes(path, "old");
    if (::chown(path.c_str(), 4321, 4322) != 0)
        GTEST_SKIP() << "this system has no such user";
    WriteGuideLines(path, {Marked("1¤New")});
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, 4321u);
    EXPECT_EQ(after.st_gid, 4322u);
}

// The reason comes from the system: a full disk says "No space left on device" the same way.
TEST(GuideFileWriteTest, WriteFailingHalfWayNamesTheReasonAndKeepsTheOldFile) {
    TempDirectory dir;
    const std::string path = dir.File("guide.dvx");
    WriteBytes(path, Marked("1¤Old¶ª±€no\r\n"));
    const Lines longer(50, Marked("1¤a long line that does not fit¶ª±€no"));
    std::string failure;
    {
        FileSizeLimit limit(64);
        failure = WriteFailure(path, longer);
    }
    EXPECT_EQ(failure, "Cannot write file \"" + path + "\": File too large");
    EXPECT_EQ(ReadBytes(path), Marked("1¤Old¶ª±€no\r\n"));
    EXPECT_TRUE(OpensAsGuide(path, {Marked("1¤Old¶ª±€no")}));
    EXPECT_EQ(EntriesIn(dir.Path), 1) << "a temporary file was left behind";
}
#endif

} // namespace
} // namespace dravenloom
