// Tests of the memory bound of the picture decoders: small files declaring pictures that would
// take more than PictureMemoryBudget to decode are refused from their headers, saying so, and
// the refusal comes before anything large is allocated (a child process with little address
// space gets it too); files that fit the budget are not refused for it.
#include "qtshared/canvas/PictureFiles.h"

#include "canvas/PictureWriters.h"
#include "document/Errors.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dravenloom {
namespace {

constexpr const char* OverBudget = "to decode, more than the 256 MB a picture may take";

std::string SmallGif(int screenWidth = 0, int screenHeight = 0) {
    return GifBytes(32, 32, {Red, Blue}, std::vector<std::uint8_t>(32 * 32, 1), {}, screenWidth,
                    screenHeight);
}
// The image descriptor after the 256-colour table that GifBytes writes.
std::size_t GifDescriptor(const std::string& bytes) {
    const std::size_t at = bytes.find(',', 13 + 3 * 256);
    EXPECT_NE(at, std::string::npos);
    return at;
}

struct BudgetCase {
    const char* Name;
    std::string (*Bytes)();
    bool Refused;     // for its memory; otherwise the small data behind the header fails it
    const char* Need; // the memory named in the refusal
};

const BudgetCase Cases[] = {
    // 9000 x 9000 at four bytes a pixel: 309 MB.
    {"screen.gif",
     [] {
         std::string bytes = SmallGif();
         PutLittle16(bytes, 6, 9000);
         PutLittle16(bytes, 8, 9000);
         return bytes;
     },
     true, "309 MB"},
    {"frame.gif",
     [] {
         std::string bytes = SmallGif();
         const std::size_t frame = GifDescriptor(bytes);
         PutLittle16(bytes, frame + 5, 9000);
         PutLittle16(bytes, frame + 7, 9000);
         return bytes;
     },
     true, "309 MB"},
    // A small frame far out on a small screen: the screen grows to hold it.
    {"faraway.gif",
     [] {
         std::string bytes = SmallGif();
         const std::size_t frame = GifDescriptor(bytes);
         PutLittle16(bytes, frame + 1, 8500);
         PutLittle16(bytes, frame + 3, 8500);
         return bytes;
     },
     true, "278 MB"},
    // A progressive CMYK picture keeps 2 bytes for each of its 4 components' samples besides
    // its 4 bytes a pixel: 6000 x 6000 is 413 MB, in one scan it would be 138 MB.
    {"progressive-cmyk.jpg",
     [] { return WithJpegSize(JpegBytes(Quadrants(8), JpegInk::InvertedCmyk, true), 6000, 6000); },
     true, "413 MB"},
    {"baseline-cmyk.jpg",
     [] { return WithJpegSize(JpegBytes(Quadrants(8), JpegInk::InvertedCmyk), 6000, 6000); }, false,
     ""},
    // Grey and progressive: 138 MB for the pixels and 69 MB for the coefficients.
    {"progressive-grey.jpg",
     [] { return WithJpegSize(JpegBytes(Quadrants(8), JpegInk::Gray, true), 6000, 6000); }, false,
     ""},
    // Colour with its chroma sampled at half: 138 MB + 69 + 2 x 17 MB, just under the budget.
    {"progressive-colour.jpg",
     [] { return WithJpegSize(JpegBytes(Quadrants(8), JpegInk::Rgb, true), 6000, 6000); }, false,
     ""},
    {"wide.png", [] { return WithPngSize(QtImageBytes(Quadrants(8), "PNG"), 15000, 5000); }, true,
     "287 MB"},
    {"wide.bmp",
     [] {
         std::string bytes = QtImageBytes(Quadrants(8), "BMP");
         PutLittle32(bytes, 18, 15000);
         PutLittle32(bytes, 22, 5000);
         return bytes;
     },
     true, "287 MB"},
};

class PictureBudget : public testing::TestWithParam<BudgetCase> {
protected:
    // The message loading the file gives; every case here fails one way or another.
    std::string FailureOf(const BudgetCase& c) {
        WriteBytes(Folder.Path / c.Name, c.Bytes());
        try {
            Loader.Load(Folder.Path / c.Name);
        } catch (const FileError& error) {
            return error.what();
        }
        ADD_FAILURE() << c.Name << " loaded";
        return {};
    }

    TempDirectory Folder;
    PictureFiles Loader;
};

TEST_P(PictureBudget, RefusesWhatWouldTakeMoreThanTheBudget) {
    const BudgetCase& c = GetParam();
    const std::string message = FailureOf(c);
    EXPECT_NE(message.find(c.Name), std::string::npos) << message;
    if (c.Refused) {
        EXPECT_NE(message.find(std::string("would need ") + c.Need + " " + OverBudget),
                  std::string::npos)
            << message;
    } else {
        EXPECT_EQ(message.find(OverBudget), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Headers, PictureBudget, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<BudgetCase>& info) {
                             std::string name = info.param.Name;
                             for (char& c : name)
                                 if (c == '.' || c == '-')
                                     c = '_';
                             return name;
                         });

// The bound the library is given besides leaves pictures within the budget as they were.
TEST_F(PictureBudget, ProgressivePicturesWithinItLoad) {
    for (const JpegInk ink : {JpegInk::Rgb, JpegInk::Gray, JpegInk::InvertedCmyk}) {
        WriteBytes(Folder.Path / "small.jpg", JpegBytes(Quadrants(40), ink, true));
        const auto picture = Loader.Load(Folder.Path / "small.jpg");
        const QImage& image = dynamic_cast<const ImagePicture&>(*picture).Image();
        ASSERT_EQ(image.size(), QSize(80, 80));
        const Rgb corner = ink == JpegInk::Gray ? Rgb{Red.Red, Red.Red, Red.Red} : Red;
        EXPECT_TRUE(Near(image.pixel(20, 20), corner, 12)) << std::hex << image.pixel(20, 20);
    }
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
// The address space the process holds now, in bytes.
unsigned long long AddressSpace() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmSize:") {
            unsigned long long kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
    return 0;
}

// In a child whose address space may grow by only 64 MB, each file over the budget is refused
// for it; a decoder that allocated first would fail for want of memory instead.
TEST_F(PictureBudget, RefusesBeforeAllocating) {
    std::vector<BudgetCase> refused;
    for (const BudgetCase& c : Cases)
        if (c.Refused) {
            WriteBytes(Folder.Path / c.Name, c.Bytes());
            refused.push_back(c);
        }
    const unsigned long long space = AddressSpace();
    ASSERT_GT(space, 0u);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{space + 64ULL * 1024 * 1024, space + 64ULL * 1024 * 1024};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(3);
        int wrong = 0;
        for (const BudgetCase& c : refused) {
            try {
                Loader.Load(Folder.Path / c.Name);
                ++wrong;
            } catch (const FileError& error) {
                wrong += std::string(error.what()).find(OverBudget) == std::string::npos ? 1 : 0;
            } catch (...) {
                ++wrong;
            }
        }
        _exit(wrong == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended with signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a file was not refused for its memory";
}
#endif

} // namespace
} // namespace dravenloom
