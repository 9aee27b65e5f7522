// Tests of reading the guide file: where lines end, and what is refused.
#include "document/GuideFile.h"
#include "document/Errors.h"
#include "support/MarkedText.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dravenloom {
namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
    const char* Name;
    std::string Contents;
    Lines Expected;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.Name;
}

class SplitGuideTextTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitGuideTextTest, SplitsAtEveryKindOfLineEnd) {
    EXPECT_EQ(SplitGuideText(GetParam().Contents), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SplitGuideTextTest,
    ::testing::Values(SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                      SplitCase{"LoneCr", "a\rb\r", {"a", "b"}},
                      SplitCase{"LoneLf", "a\nb\n", {"a", "b"}},
                      SplitCase{"Mixed", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
                      SplitCase{"LastLineWithoutEnd", "a\r\nb", {"a", "b"}},
                      SplitCase{"LfThenCrIsTwoEnds", "a\n\rb", {"a", "", "b"}},
                      SplitCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
                      SplitCase{"EmptyLines", "\r\n\n", {"", ""}}, SplitCase{"Empty", "", {}},
                      SplitCase{"NulEndsText", std::string("a\r\nb\0c\r\nd\r\n", 11), {"a", "b"}},
                      SplitCase{"NulAtStart", std::string("\0a\r\n", 4), {}},
                      SplitCase{"BreakMarkStaysEncoded", Marked("ašb\r\n"), {Marked("ašb")}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(GuideFileTest, ReadsGoldenFilesByteForByte) {
    const Lines worked = ReadGuideLines(TestData("worked-example.dvx"));
    EXPECT_EQ(worked, (Lines{Marked("1¤Welcome¶C:\\Pics\\logo.gifª300±0€yes"),
                             Marked("2¤Is it on?šLook at the light.¶ª±€no"), Marked("2¤Yes¶3"),
                             Marked("2¤No¶"), Marked("2¤Help¶7")}));
    EXPECT_EQ(ReadGuideLines(TestData("worked-example-lf.dvx")), worked);

    EXPECT_EQ(ReadGuideLines(TestData("mixed-line-ends.dvx")),
              (Lines{Marked("1¤A¶ª±€no"), Marked("1¤Yes¶2"), Marked("2¤B¶ª±€no"),
                     Marked("3¤CšD¶ª±€yes")}));
    EXPECT_EQ(ReadGuideLines(TestData("nul-ended.dvx")),
              (Lines{Marked("1¤A¶ª±€no"), Marked("2¤B¶ª±€no")}));
    EXPECT_TRUE(ReadGuideLines(TestData("empty.dvx")).empty());
}

TEST(GuideFileTest, MissingFileIsAFileErrorNamingIt) {
    TempDirectory dir;
    const std::string path = dir.File("absent.dvx");
    try {
        ReadGuideLines(path);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
}

// What opening refuses, and the reason the message gives.
struct RefusedReadCase {
    const char* Name;
    std::function<std::string(const TempDirectory&)> Make; // the path to read
    const char* Reason;
};

void PrintTo(const RefusedReadCase& c, std::ostream* os) {
    *os << c.Name;
}

class RefusedReadTest : public ::testing::TestWithParam<RefusedReadCase> {};

TEST_P(RefusedReadTest, IsAFileErrorNamingTheFileAndTheReason) {
    TempDirectory dir;
    const std::string path = GetParam().Make(dir);
    try {
        ReadGuideLines(path);
        FAIL() << "read without error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + path + "\". " + GetParam().Reason);
    }
}

std::vector<RefusedReadCase> RefusedReads() {
    std::vector<RefusedReadCase> cases{
        {"Directory",
         [](const TempDirectory& dir) {
             std::filesystem::create_directory(dir.Path / "folder.dvx");
             return dir.File("folder.dvx");
         },
         "It is a directory"},
        // Sparse: takes no disk.
        {"LargerThanOneGiB",
         [](const TempDirectory& dir) {
             const std::string path = dir.File("huge.dvx");
             WriteBytes(path, "1\xA4x\r\n");
             std::filesystem::resize_file(path, MaxGuideFileBytes + 1);
             return path;
         },
         "It is larger than 1 GiB, more than a guide can hold"},
    };
#ifndef _WIN32
    // Devices that never end: reading them used to fill the memory.
    cases.push_back({"DevZero", [](const TempDirectory&) { return std::string("/dev/zero"); },
                     "It is not a regular file"});
    cases.push_back({"LinkToDevUrandom",
                     [](const TempDirectory& dir) {
                         std::filesystem::create_symlink("/dev/urandom", dir.Path / "r.dvx");
                         return dir.File("r.dvx");
                     },
                     "It is not a regular file"});
#endif
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedReadTest, ::testing::ValuesIn(RefusedReads()),
                         [](const auto& info) { return std::string(info.param.Name); });

#ifndef _WIN32
TEST(GuideFileTest, PipeIsRefusedWithoutWaitingForAWriter) {
    TempDirectory dir;
    const std::string path = dir.File("pipe.dvx");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    // Should the reading wait for a writer after all, one comes after a while, so that the
    // test fails instead of hanging.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!done)
            if (const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0)
                ::close(fd);
    });
    try {
        ReadGuideLines(path);
        ADD_FAILURE() << "a pipe was read";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file \"" + path + "\". It is not a regular file");
    }
    done = true;
    writer.join();
}
#endif

TEST(GuideFileTest, FileNamePartIsTheLastComponent) {
    EXPECT_EQ(FileNamePart("C:\\Guides\\help.dvx"), "help.dvx");
    EXPECT_EQ(FileNamePart("/guides/a/b.dvx"), "b.dvx");
    EXPECT_EQ(FileNamePart("Untitled"), "Untitled");
}

} // namespace
} // namespace dravenloom
