// The record screen drawn by the renderer through the real canvas and picture loader: pixels
// where the background, the picture, the texts and the buttons should be, and a picture that
// cannot be loaded reported once.
#include "preview/ScreenRenderer.h"

#include "qtshared/canvas/ImageCanvas.h"
#include "qtshared/canvas/PictureFiles.h"
#include "canvas/PictureWriters.h"
#include "document/RecordList.h"
#include "publish/AppletOptions.h"
#include "publish/ButtonPicture.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace dravenloom {
namespace {

constexpr Rgb Navy{0, 0, 128};

std::string RedGifBytes() {
    return GifBytes(40, 20, {Red}, std::vector<std::uint8_t>(40 * 20, 0));
}
std::string HalfOfFile(std::string bytes) {
    bytes.resize(bytes.size() / 2);
    return bytes;
}
constexpr Rgb Ink{255, 255, 0};

class CanvasScreen : public testing::Test {
protected:
    TempDirectory Folder;
    ScriptedPlatform Host;
    AppletOptions Options{Host};
    ImageCanvas Surface;
    PictureFiles Pictures;
    ScreenRenderer Renderer{Surface, Pictures, Host};

    CanvasScreen() {
        Options.Color1 = Navy;
        Options.Color2 = Ink;
    }

    void Draw(const std::vector<std::string>& lines) {
        Renderer.PrepareDemoCanvas(Options.Settings());
        Renderer.DrawRecordScreen(RecordList(lines), 1, Options.Settings(), "Untitled");
    }
    QRgb At(int x, int y) const { return Surface.Image().pixel(x, y); }
    // How many pixels of the rectangle are (nearly) the text colour.
    int InkIn(int x, int y, int width, int height) const {
        int count = 0;
        for (int row = y; row < y + height; ++row)
            for (int column = x; column < x + width; ++column)
                count += Near(At(column, row), Ink, 60) ? 1 : 0;
        return count;
    }
    std::string RedGif(const std::string& name) {
        WriteBytes(Folder.Path / name, RedGifBytes());
        return Folder.File(name);
    }
};

TEST_F(CanvasScreen, BackgroundPictureTextsAndButtonsLandWhereTheyBelong) {
    Draw({BuildPrimaryLine(1, "Hello", RedGif("red.gif"), "100", "200", false),
          BuildResponseLine(1, "Yes", "2")});
    EXPECT_TRUE(Host.Messages.empty());
    EXPECT_EQ(Surface.Image().size(), QSize(1279, 1023));
    EXPECT_EQ(At(1278, 1022), qRgb(0, 0, 128));
    EXPECT_EQ(At(600, 500), qRgb(0, 0, 128));

    // The picture at its place and natural size.
    EXPECT_TRUE(Near(At(100, 200), Red, 0));
    EXPECT_TRUE(Near(At(139, 219), Red, 0));
    EXPECT_EQ(At(140, 219), qRgb(0, 0, 128));
    EXPECT_EQ(At(139, 220), qRgb(0, 0, 128));

    // The dialogue in bold at (5, 5), the response at (25, 40) behind its button at (5, 40).
    Surface.SetFontStyle(true, false);
    EXPECT_GT(InkIn(5, 5, Surface.TextWidth("Hello"), Surface.LineHeight()), 10);
    Surface.SetFontStyle(false, false);
    EXPECT_GT(InkIn(25, 40, Surface.TextWidth("Yes"), Surface.LineHeight()), 10);
    EXPECT_EQ(InkIn(5, 40 - 10, 200, 10), 0); // nothing between the dialogue and the response
    const Rgb face = ButtonFace(Swatches[DefaultSwatch - 1]);
    EXPECT_EQ(At(5 + 7, 40 + 7), qRgb(face.Red, face.Green, face.Blue));
    EXPECT_EQ(Renderer.Regions.ResponseTops[0], 40);
}

TEST_F(CanvasScreen, TextOverThePictureHasItsCellInTheBackgroundColour) {
    Draw({BuildPrimaryLine(1, "Hello", RedGif("under.gif"), "0", "0", false)});
    Surface.SetFontStyle(true, false);
    const int width = Surface.TextWidth("Hello");
    EXPECT_EQ(At(5 + width - 1, 5), qRgb(0, 0, 128)); // the cell's top row, past the glyphs
    EXPECT_TRUE(Near(At(4, 5), Red, 0));              // left of the cell, still the picture
}

TEST_F(CanvasScreen, ARelativePictureIsFoundBesideAGuideInAFolderWithAnAccentedName) {
    // The guide's path is the file system's UTF-8; the stored picture name is the guide's code
    // page: the two meet in one name for the loader.
    const std::filesystem::path folder = Folder.Path / "caf\xc3\xa9";
    std::filesystem::create_directory(folder);
    WriteBytes(folder / "p\xc3\xa8re.gif", RedGifBytes());
    const RecordList guide({BuildPrimaryLine(1, "Hello", "p\xe8re.gif", "100", "200", false)});
    Renderer.PrepareDemoCanvas(Options.Settings());
    Renderer.DrawRecordScreen(guide, 1, Options.Settings(), (folder / "guide.dvx").string());
    EXPECT_TRUE(Host.Messages.empty());
    EXPECT_TRUE(Near(At(100, 200), Red, 0));
}

// Every picture that cannot be shown: one message, and the rest of the screen as usual.
class UnloadablePicture : public CanvasScreen, public testing::WithParamInterface<const char*> {};

TEST_P(UnloadablePicture, IsReportedOnceAndTheScreenIsDrawnWithoutIt) {
    const std::string name = GetParam();
    if (name == "cut.gif")
        WriteBytes(Folder.Path / name, HalfOfFile(RedGifBytes()));
    else if (name == "noise.jpg")
        WriteBytes(Folder.Path / name, std::string(1000, '\x33'));
    else if (name == "huge.png")
        WriteBytes(Folder.Path / name, QtImageBytes(QImage(16001, 1, QImage::Format_RGB32), "PNG"));
    Draw({BuildPrimaryLine(1, "Hello", Folder.File(name), "0", "0", false),
          BuildResponseLine(1, "Yes", "2")});
    ASSERT_EQ(Host.Messages.size(), 1u);
    EXPECT_EQ(Host.Messages[0],
              (MessageRequest{"Dravenloom", GraphicMessage, MsgButtons::Ok, MsgIcon::None}));
    EXPECT_EQ(At(0, 0), qRgb(0, 0, 128));
    EXPECT_EQ(Renderer.Regions.ResponseTops[0], 40);
    EXPECT_GT(InkIn(25, 40, 40, Surface.LineHeight()), 10);
}

// A text start at the top of the integers puts every text below the screen: the screen is the
// background alone, and nothing on the way overflows (the sanitizer build runs this).
TEST_F(CanvasScreen, ATextStartNearTheLargestNumberDrawsOnlyTheBackground) {
    Options.TextStart.Text = "2147483640";
    Draw({BuildPrimaryLine(1, "Hello", "", "0", "0", true), BuildResponseLine(1, "Yes", "2")});
    EXPECT_EQ(InkIn(0, 0, 1279, 1023), 0);
    EXPECT_EQ(At(5, 5), qRgb(0, 0, 128));
}

INSTANTIATE_TEST_SUITE_P(Files, UnloadablePicture,
                         testing::Values("missing.gif", "cut.gif", "noise.jpg", "huge.png",
                                         "picture.tiff"));

} // namespace
} // namespace dravenloom
