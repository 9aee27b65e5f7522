// Tests of where a record's picture is found: beside the guide before the working folder, an
// absolute path as it stands, an untitled guide with no folder of its own.
#include "preview/PictureLocation.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

enum class Where { None, Guide, Work, Both };
enum class Found { Empty, Stored, BesideGuide, Absolute };

struct LocationCase {
    const char* Name;
    std::string Stored; // code page 1252, as the record holds it
    const char* File;   // the file made for it (UTF-8), relative to each folder chosen
    Where Made;
    bool Untitled;
    Found Expected;
};

class PictureLocationTest : public testing::TestWithParam<LocationCase> {
protected:
    PictureLocationTest() {
        fs::create_directories(GuideFolder);
        fs::create_directories(WorkFolder);
        Previous = fs::current_path();
        fs::current_path(WorkFolder);
    }
    ~PictureLocationTest() override { fs::current_path(Previous); }

    void Make(const fs::path& folder, const std::string& file) {
        const fs::path path = folder / fs::path(std::u8string(file.begin(), file.end()));
        fs::create_directories(path.parent_path());
        WriteBytes(path, "GIF89a");
    }

    TempDirectory Root;
    fs::path GuideFolder = Root.Path / "guides";
    fs::path WorkFolder = Root.Path / "work";
    fs::path Previous;
};

TEST_P(PictureLocationTest, FindsTheFileBesideTheGuideFirst) {
    const LocationCase& c = GetParam();
    const std::string file = c.File;
    if (c.Made == Where::Guide || c.Made == Where::Both)
        Make(GuideFolder, file);
    if (c.Made == Where::Work || c.Made == Where::Both)
        Make(WorkFolder, file);
    std::string stored = c.Stored;
    if (c.Expected == Found::Absolute)
        stored = (WorkFolder / file).string(); // an ASCII name: the same bytes in either code
    const std::string guide = c.Untitled ? "Untitled" : (GuideFolder / "tour.dvx").string();

    const fs::path found = FindPictureFile(stored, guide);
    const fs::path utf8Name(std::u8string(file.begin(), file.end()));
    switch (c.Expected) {
    case Found::Empty:
        EXPECT_TRUE(found.empty()) << found;
        break;
    case Found::Stored:
        EXPECT_EQ(found, utf8Name);
        break;
    case Found::BesideGuide:
        EXPECT_EQ(found, GuideFolder / utf8Name);
        break;
    case Found::Absolute:
        EXPECT_EQ(found, WorkFolder / utf8Name);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PictureLocationTest,
    testing::Values(LocationCase{"GuideFolderWinsOverWorkingFolder", "logo.gif", "logo.gif",
                                 Where::Both, false, Found::BesideGuide},
                    LocationCase{"OnlyBesideTheGuide", "logo.gif", "logo.gif", Where::Guide, false,
                                 Found::BesideGuide},
                    LocationCase{"OnlyInTheWorkingFolder", "logo.gif", "logo.gif", Where::Work,
                                 false, Found::Stored},
                    LocationCase{"NowhereStaysAsStored", "logo.gif", "logo.gif", Where::None, false,
                                 Found::Stored},
                    LocationCase{"ARelativeFolderBesideTheGuide", "pics/a.gif", "pics/a.gif",
                                 Where::Both, false, Found::BesideGuide},
                    LocationCase{"AbsolutePathUntouched", "", "logo.gif", Where::Both, false,
                                 Found::Absolute},
                    LocationCase{"UntitledGuideHasOnlyTheWorkingFolder", "logo.gif", "logo.gif",
                                 Where::Both, true, Found::Stored},
                    LocationCase{"ACodePageNameFindsItsFileBesideTheGuide", "caf\xe9.gif",
                                 "caf\xc3\xa9.gif", Where::Both, false, Found::BesideGuide},
                    LocationCase{"EmptyPath", "", "logo.gif", Where::Both, false, Found::Empty}),
    [](const testing::TestParamInfo<LocationCase>& info) { return std::string(info.param.Name); });

TEST(PictureLocation, AFolderBesideTheGuideIsNoPicture) {
    TempDirectory root;
    fs::create_directories(root.Path / "guides" / "logo.gif");
    EXPECT_EQ(FindPictureFile("logo.gif", (root.Path / "guides" / "tour.dvx").string()),
              fs::path("logo.gif"));
}

} // namespace
} // namespace dravenloom
