// Tests of reading the guide file: where lines end, and what is refused.
#include "document/GuideFile.h"
#include "document/Errors.h"
#include "support/MarkedText.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <string_view>
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
    const std::string& contents = GetParam().Contents;
    const Lines& expected = GetParam().Expected;
    EXPECT_EQ(SplitGuideText(contents), expected);
    const std::vector<std::string_view> views = SplitGuideTextViews(contents);
    EXPECT_EQ(Lines(views.begin(), views.end()), expected);
    // Read piece by piece, a line or a CR LF pair may be cut anywhere: in two pieces at every
    // place, and one byte a piece.
    GuideLineSplitter splitter;
    for (std::size_t cut = 0; cut <= contents.size(); ++cut) {
        splitter.Feed(std::string_view(contents).substr(0, cut));
        splitter.Feed(std::string_view(contents).substr(cut));
        EXPECT_EQ(splitter.Finish(), expected) << "cut after " << cut << " bytes";
    }
    for (const char c : contents)
        splitter.Feed(std::string_view(&c, 1));
    EXPECT_EQ(splitter.Finish(), expected) << "one byte a piece";
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
                      SplitCase{"BreakMarkStaysEncoded", Marked("ašb\r\n"), {Marked("ašb")}},
                      SplitCase{"CrBeforeNul", std::string("a\r\0\nb", 5), {"a"}},
                      SplitCase{"LinesLongerThanAWord",
                                "0123456789abcdef\r\nxyz\rlast line",
                                {"0123456789abcdef", "xyz", "last line"}}),
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

// The file is read in pieces: lines, CR LF pairs and a NUL that run over from one piece into
// the next must come out as from the whole text.
TEST(GuideFileTest, ReadsLargeFilesAsTheWholeTextSplits) {
    std::mt19937 random(18);
    const char* ends[] = {"\r\n", "\r", "\n"};
    std::string contents;
    while (contents.size() < 600000) {
        contents += std::to_string(contents.size()) + "\xA4";
        contents.append(random() % 300, static_cast<char>('a' + random() % 26));
        contents += ends[random() % 3];
    }
    TempDirectory dir;
    const std::string path = dir.File("large.dvx");
    WriteBytes(path, contents);
    const Lines whole = SplitGuideText(contents);
    EXPECT_GT(whole.size(), 3000u);
    EXPECT_EQ(ReadGuideLines(path), whole);
    EXPECT_EQ(ReadFileBytes(path), contents);

    // A CR LF pair split across the first two pieces read (64 KiB each), and a NUL further on.
    std::string split(65535, 'x');
    split[0] = '1';
    split[1] = '\xA4';
    split += "\r\n2\xA4y\r\n";
    split.append(100000, 'z');
    split += '\0';
    split += "3\xA4hidden\r\n";
    WriteBytes(path, split);
    const Lines lines = ReadGuideLines(path);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines, SplitGuideText(split));
    EXPECT_EQ(lines[1], "2\xA4y");
    EXPECT_EQ(lines[2], std::string(100000, 'z'));
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
