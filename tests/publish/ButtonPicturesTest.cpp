// Tests of the twelve response-button pictures: the GIF files kept under player/buttons and
// copied into the folder Applet beside the executables, read back with giflib.
#include "publish/ButtonPicture.h"
#include "support/TestFiles.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

const fs::path SourceFolder = fs::path(DRAVENLOOM_SOURCE_DIR) / "player" / "buttons";
const fs::path AppletFolder = DRAVENLOOM_APPLET_DIR;
constexpr int Last = ButtonPictureSize - 1;

// A decoded GIF: its first image as colours, rows from the top.
struct GifPicture {
    int Width = 0;
    int Height = 0;
    std::vector<Rgb> Pixels;

    Rgb At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};

// Reads the picture, or fails the test with giflib's reason.
GifPicture ReadGif(const fs::path& path) {
    GifPicture picture;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpenFileName(path.c_str(), &error));
    if (!gif) {
        ADD_FAILURE() << "cannot open " << path << ": " << GifErrorString(error);
        return picture;
    }
    if (DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) {
        ADD_FAILURE() << "cannot decode " << path << ": " << GifErrorString(gif->Error);
        return picture;
    }
    const SavedImage& image = gif->SavedImages[0];
    const ColorMapObject* map =
        image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    EXPECT_EQ(gif->ImageCount, 1) << path;
    EXPECT_EQ(gif->SWidth, image.ImageDesc.Width) << path;
    EXPECT_EQ(gif->SHeight, image.ImageDesc.Height) << path;
    EXPECT_FALSE(image.ImageDesc.Interlace) << path;
    if (!map) {
        ADD_FAILURE() << path << " has no colour map";
        return picture;
    }
    picture.Width = image.ImageDesc.Width;
    picture.Height = image.ImageDesc.Height;
    for (int i = 0; i < picture.Width * picture.Height; ++i) {
        const int index = image.RasterBits[i];
        if (index >= map->ColorCount) {
            ADD_FAILURE() << path << " uses colour " << index << " outside its map";
            return GifPicture{};
        }
        const GifColorType& colour = map->Colors[index];
        picture.Pixels.push_back({colour.Red, colour.Green, colour.Blue});
    }
    return picture;
}

double Lightness(Rgb colour) {
    return 0.299 * colour.Red + 0.587 * colour.Green + 0.114 * colour.Blue;
}

std::string Text(Rgb colour) {
    return "(" + std::to_string(colour.Red) + ", " + std::to_string(colour.Green) + ", " +
           std::to_string(colour.Blue) + ")";
}

class ButtonPictureTest : public ::testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(SourcePath())) << SourcePath();
        Picture = ReadGif(SourcePath());
        ASSERT_EQ(Picture.Width, ButtonPictureSize);
        ASSERT_EQ(Picture.Height, ButtonPictureSize);
    }

    const SwatchEntry& Swatch() const { return Swatches[GetParam()]; }
    fs::path SourcePath() const { return SourceFolder / Swatch().FileName; }

    GifPicture Picture;
};

TEST_P(ButtonPictureTest, ShowsTheSwatchColourInTheMiddle) {
    EXPECT_EQ(Text(Picture.At(ButtonPictureSize / 2, ButtonPictureSize / 2)),
              Text(ButtonFace(Swatch())));
}

// The page behind a published guide may be white or black; the button's edge must show on both,
// also for the white and the black button.
TEST_P(ButtonPictureTest, ItsEdgeStandsOutOnWhiteAndOnBlack) {
    constexpr double Apart = 48;
    for (int i = 0; i < ButtonPictureSize; ++i)
        for (const auto& [x, y] :
             {std::pair{i, 0}, std::pair{i, Last}, std::pair{0, i}, std::pair{Last, i}}) {
            const double lightness = Lightness(Picture.At(x, y));
            EXPECT_GE(lightness, Apart) << "lost on black at " << x << "," << y;
            EXPECT_LE(lightness, 255 - Apart) << "lost on white at " << x << "," << y;
        }
}

// Lit from the top left: the top and left bevel is clearly lighter than the bottom and right.
TEST_P(ButtonPictureTest, LooksRaised) {
    double lit = 0;
    double shaded = 0;
    for (int ring = 1; ring <= 2; ++ring)
        for (int i = ring + 1; i < Last - ring; ++i) {
            lit += Lightness(Picture.At(i, ring)) + Lightness(Picture.At(ring, i));
            shaded += Lightness(Picture.At(i, Last - ring)) + Lightness(Picture.At(Last - ring, i));
        }
    const int pixels = 2 * ((Last - 3) + (Last - 5));
    EXPECT_GE((lit - shaded) / pixels, 40)
        << "lit " << lit / pixels << ", shaded " << shaded / pixels;
}

// Drawn with its bottom-left pixel as the transparent colour, the button must stay whole: that
// colour is only at the four corners.
TEST_P(ButtonPictureTest, ItsBottomLeftColourIsOnlyAtTheCorners) {
    const Rgb key = Picture.At(0, Last);
    for (int y = 0; y <= Last; ++y)
        for (int x = 0; x <= Last; ++x) {
            const bool corner = (x == 0 || x == Last) && (y == 0 || y == Last);
            EXPECT_EQ(Picture.At(x, y) == key, corner) << "at " << x << "," << y;
        }
}

// The kept files are the generator's output: a change of the drawing without running
// dravenloom_buttons is caught here.
TEST_P(ButtonPictureTest, IsWhatTheCodeDraws) {
    const ButtonPicture drawn = DrawButtonPicture(ButtonFace(Swatch()));
    for (int y = 0; y <= Last; ++y)
        for (int x = 0; x <= Last; ++x)
            ASSERT_EQ(Text(Picture.At(x, y)), Text(drawn.At(x, y))) << "at " << x << "," << y;
}

TEST_P(ButtonPictureTest, LiesInTheAppletFolderBesideTheExecutable) {
    const fs::path copy = AppletFolder / Swatch().FileName;
    ASSERT_TRUE(fs::exists(copy)) << copy;
    EXPECT_EQ(ReadBytes(copy), ReadBytes(SourcePath()));
}

INSTANTIATE_TEST_SUITE_P(EverySwatch, ButtonPictureTest,
                         ::testing::Range<std::size_t>(0, Swatches.size()),
                         [](const auto& info) { return std::string(Swatches[info.param].Colour); });

// Each folder holds the twelve pictures and no other GIF the upload could mistake for one.
TEST(ButtonPictureFolderTest, HoldsExactlyTheTwelvePictures) {
    std::set<std::string> expected;
    for (const SwatchEntry& swatch : Swatches)
        expected.insert(swatch.FileName);
    for (const fs::path& folder : {SourceFolder, AppletFolder}) {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".gif") {
                found.insert(entry.path().filename().string());
                const GifPicture picture = ReadGif(entry.path());
                EXPECT_EQ(picture.Width, ButtonPictureSize) << entry.path();
                EXPECT_EQ(picture.Height, ButtonPictureSize) << entry.path();
            }
        EXPECT_EQ(found, expected) << folder;
    }
}

// Twelve swatches, twelve colours: the purple one is not a second magenta.
TEST(ButtonPictureFolderTest, NoTwoSwatchesShareAColour) {
    for (std::size_t a = 0; a < Swatches.size(); ++a)
        for (std::size_t b = a + 1; b < Swatches.size(); ++b) {
            const Rgb one = ButtonFace(Swatches[a]);
            const Rgb other = ButtonFace(Swatches[b]);
            const int apart = std::abs(one.Red - other.Red) + std::abs(one.Green - other.Green) +
                              std::abs(one.Blue - other.Blue);
            EXPECT_GE(apart, 60) << Swatches[a].Colour << " and " << Swatches[b].Colour;
        }
}

} // namespace
} // namespace dravenloom
