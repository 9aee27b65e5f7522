// Tests of the graphic dialog's word on a picture path: which line for which file, and that the
// file is found where the renderer finds it.
#include "preview/PictureCheck.h"

#include "support/RecordingCanvas.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

class PictureCheckTest : public ::testing::Test {
protected:
    PictureCheckTest() {
        WriteBytes(Folder.Path / "logo.gif", "GIF89a");
        WriteBytes(Folder.Path / "notes.txt", "text");
        std::filesystem::create_directory(Folder.Path / "pictures.gif");
        Loader.Files[Folder.File("logo.gif")] = {40, 30};
    }

    PictureCheck Check(const std::string& path, const std::string& guide = "Untitled") {
        return CheckPicture(path, guide, Loader);
    }

    TempDirectory Folder;
    FakePictureLoader Loader;
};

struct LineCase {
    const char* Name;
    const char* File; // inside the folder; empty: the path is empty
    PictureState State;
    const char* Line;
};

class PictureCheckLineTest : public PictureCheckTest,
                             public ::testing::WithParamInterface<LineCase> {};

TEST_P(PictureCheckLineTest, SaysWhatIsAtThePath) {
    const LineCase& c = GetParam();
    const std::string path = *c.File ? Folder.File(c.File) : "";
    const PictureCheck check = Check(path);
    EXPECT_EQ(check.State, c.State);
    EXPECT_EQ(check.Message(), c.Line);
    EXPECT_EQ(check.Loaded != nullptr, c.State == PictureState::Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PictureCheckLineTest,
    ::testing::Values(
        LineCase{"Empty", "", PictureState::NoPath, ""},
        LineCase{"Missing", "gone.gif", PictureState::NoFile, "No file at this path."},
        LineCase{"Folder", "pictures.gif", PictureState::NoFile, "No file at this path."},
        LineCase{"Refused", "notes.txt", PictureState::NotAPicture,
                 "This file is not a picture Dravenloom can show (GIF, JPEG, PNG "
                 "or BMP)."},
        LineCase{"Picture", "logo.gif", PictureState::Shown, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PictureCheckTest, NoFileIsNeverHandedToTheLoader) {
    Check("");
    Check(Folder.File("gone.gif"));
    Check(Folder.File("pictures.gif"));
    EXPECT_TRUE(Loader.Requests.empty());
}

TEST_F(PictureCheckTest, ARelativePathIsFoundBesideTheGuide) {
    const PictureCheck check = Check("logo.gif", Folder.File("tour.dvx"));
    ASSERT_EQ(check.State, PictureState::Shown);
    EXPECT_EQ(check.Loaded->Width(), 40);
    EXPECT_EQ(Loader.Requests, (std::vector<std::string>{Folder.File("logo.gif")}));
}

TEST_F(PictureCheckTest, ARelativePathOfAnUntitledGuideHasNoFolderToLookIn) {
    EXPECT_EQ(Check("logo.gif").State, PictureState::NoFile);
}

} // namespace
} // namespace dravenloom
