// Tests of the picture loader: every format decodes to the right size and colours, and every
// kind of bad file is an error that names the file, never a crash.
#include "qtshared/canvas/PictureFiles.h"

#include "canvas/PictureWriters.h"
#include "document/Cp1252.h"
#include "document/Errors.h"
#include "preview/PictureLocation.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace dravenloom {
namespace {

class PictureFilesTest : public testing::Test {
protected:
    TempDirectory Folder;
    PictureFiles Loader;

    // Writes `bytes` as `name` in the folder and loads it by its full name.
    QImage LoadAs(const std::string& name, const std::string& bytes) {
        WriteBytes(Folder.Path / name, bytes);
        const auto picture = Loader.Load(Folder.File(name));
        const auto* image = dynamic_cast<const ImagePicture*>(picture.get());
        EXPECT_NE(image, nullptr);
        EXPECT_EQ(picture->Width(), image->Image().width());
        EXPECT_EQ(picture->Height(), image->Image().height());
        return image->Image();
    }

    // The message of the FileError that loading `name` throws (empty when none is thrown).
    std::string FailureOf(const std::string& name) {
        try {
            Loader.Load(Folder.File(name));
        } catch (const FileError& error) {
            return error.what();
        }
        ADD_FAILURE() << name << " loaded";
        return {};
    }
    std::string FailureOf(const std::string& name, const std::string& bytes) {
        WriteBytes(Folder.Path / name, bytes);
        return FailureOf(name);
    }
};

void ExpectQuadrants(const QImage& image, int half, int tolerance) {
    ASSERT_EQ(image.size(), QSize(half * 2, half * 2));
    const int a = half / 2, b = half + half / 2;
    EXPECT_TRUE(Near(image.pixel(a, a), Red, tolerance)) << std::hex << image.pixel(a, a);
    EXPECT_TRUE(Near(image.pixel(b, a), Green, tolerance)) << std::hex << image.pixel(b, a);
    EXPECT_TRUE(Near(image.pixel(a, b), Blue, tolerance)) << std::hex << image.pixel(a, b);
    EXPECT_TRUE(Near(image.pixel(b, b), Yellow, tolerance)) << std::hex << image.pixel(b, b);
}

// Every extension, in any case, reaches the decoder of its format.
struct FormatCase {
    const char* Name;
    std::string (*Bytes)();
    int Tolerance;
};

std::string Jpeg() {
    return JpegBytes(Quadrants(16));
}
std::string Png() {
    return QtImageBytes(Quadrants(16), "PNG");
}
std::string Bmp() {
    return QtImageBytes(Quadrants(16), "BMP");
}
std::string Gif() {
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            indices.push_back(static_cast<std::uint8_t>((y / 16) * 2 + x / 16));
    return GifBytes(32, 32, {Red, Green, Blue, Yellow}, indices);
}

class EveryFormat : public PictureFilesTest, public testing::WithParamInterface<FormatCase> {};

TEST_P(EveryFormat, LoadsAtItsSizeWithItsColours) {
    ExpectQuadrants(LoadAs(GetParam().Name, GetParam().Bytes()), 16, GetParam().Tolerance);
}

INSTANTIATE_TEST_SUITE_P(Extensions, EveryFormat,
                         testing::Values(FormatCase{"a.jpg", Jpeg, 12},
                                         FormatCase{"b.JPG", Jpeg, 12},
                                         FormatCase{"c.Jpeg", Jpeg, 12},
                                         FormatCase{"d.jpeg", Jpeg, 12},
                                         FormatCase{"e.gif", Gif, 0}, FormatCase{"f.GIF", Gif, 0},
                                         FormatCase{"g.png", Png, 0}, FormatCase{"h.PNG", Png, 0},
                                         FormatCase{"i.bmp", Bmp, 0}),
                         [](const testing::TestParamInfo<FormatCase>& info) {
                             std::string name = info.param.Name;
                             name[1] = '_';
                             return name;
                         });

TEST_F(PictureFilesTest, TheExtensionNotTheContentChoosesTheDecoder) {
    // A PNG named .jpg is no JPEG: refused, not guessed at.
    EXPECT_NE(FailureOf("png.jpg", Png()), "");
    EXPECT_NE(FailureOf("jpeg.gif", Jpeg()), "");
}

TEST_F(PictureFilesTest, GreyAndInvertedCmykJpegsComeOutInColour) {
    const QImage grey = LoadAs("grey.jpg", JpegBytes(Quadrants(16), JpegInk::Gray));
    ASSERT_EQ(grey.size(), QSize(32, 32));
    EXPECT_TRUE(Near(grey.pixel(8, 8), Rgb{Red.Red, Red.Red, Red.Red}, 8));
    EXPECT_TRUE(Near(grey.pixel(8, 24), Rgb{Blue.Red, Blue.Red, Blue.Red}, 8));

    ExpectQuadrants(LoadAs("ink.jpg", JpegBytes(Quadrants(16), JpegInk::InvertedCmyk)), 16, 12);
}

TEST_F(PictureFilesTest, AGifsTransparentColourHasNoAlphaAndTheRestIsOpaque) {
    const QImage image =
        LoadAs("t.gif", GifBytes(2, 1, {Red, Green}, {0, 1}, GifFrame{0, 0, false, 1}));
    ASSERT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
    EXPECT_TRUE(Near(image.pixel(0, 0), Red, 0));
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
}

TEST_F(PictureFilesTest, AnInterlacedGifHasItsRowsInPlace) {
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 3; ++x)
            indices.push_back(static_cast<std::uint8_t>(y));
    std::vector<Rgb> palette;
    for (int y = 0; y < 11; ++y)
        palette.push_back(Rgb{static_cast<std::uint8_t>(y * 20), 0, 0});
    const QImage image = LoadAs("i.gif", GifBytes(3, 11, palette, indices, {0, 0, true}));
    ASSERT_EQ(image.size(), QSize(3, 11));
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(qRed(image.pixel(1, y)), y * 20) << "row " << y;
}

TEST_F(PictureFilesTest, AGifFrameSitsAtItsPlaceOnTheLogicalScreen) {
    const QImage image =
        LoadAs("f.gif", GifBytes(2, 2, {Blue}, {0, 0, 0, 0}, GifFrame{3, 1}, 6, 4));
    ASSERT_EQ(image.size(), QSize(6, 4));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0); // outside the frame: nothing
    EXPECT_TRUE(Near(image.pixel(3, 1), Blue, 0));
    EXPECT_TRUE(Near(image.pixel(4, 2), Blue, 0));
    EXPECT_EQ(qAlpha(image.pixel(5, 3)), 0);
}

TEST_F(PictureFilesTest, ANameInTheCodePageFindsItsFile) {
    // "é" is one byte in the guide and two in the file system's UTF-8.
    WriteBytes(Folder.Path / "caf\xc3\xa9.gif", Gif());
    EXPECT_EQ(Loader.Load(FindPictureFile("caf\xe9.gif", Folder.File("guide.dvx")))->Width(), 32);
}

TEST_F(PictureFilesTest, AMissingFileIsAnErrorNamingIt) {
    const std::string message = FailureOf("nowhere.gif");
    EXPECT_NE(message.find("nowhere.gif"), std::string::npos) << message;
    EXPECT_NE(message.find("does not exist"), std::string::npos) << message;
}

TEST_F(PictureFilesTest, AnUnknownExtensionIsAnErrorEvenWhenTheFileIsAPicture) {
    for (const char* name : {"picture.tif", "picture", "picture.gif.txt", "jpg"}) {
        const std::string message = FailureOf(name, Png());
        EXPECT_NE(message.find("unknown extension"), std::string::npos) << message;
    }
}

// Damaged files of every format: each is an error naming the file.
struct DamageCase {
    const char* Name;
    std::string (*Bytes)();
};

std::string HalfOf(std::string bytes) {
    bytes.resize(bytes.size() / 2);
    return bytes;
}

// Random pixels, so that the picture data (not the headers) makes up most of the file.
QImage Noise() {
    QImage image(64, 64, QImage::Format_RGB32);
    std::uint32_t state = 1;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            state = state * 1664525U + 1013904223U;
            image.setPixel(x, y, qRgb(state >> 24, (state >> 16) & 0xff, (state >> 8) & 0xff));
        }
    return image;
}

// The file without its last quarter: cut in the middle of the picture data.
std::string CutInTheData(std::string bytes) {
    bytes.resize(bytes.size() * 3 / 4);
    return bytes;
}

std::string NoiseGif() {
    const QImage noise = Noise();
    std::vector<Rgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.push_back(Rgb{static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)});
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            indices.push_back(static_cast<std::uint8_t>(qRed(noise.pixel(x, y))));
    return GifBytes(64, 64, palette, indices);
}

class DamagedFile : public PictureFilesTest, public testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedFile, IsAnErrorNamingTheFile) {
    const std::string message = FailureOf(GetParam().Name, GetParam().Bytes());
    EXPECT_NE(message.find(Cp1252ToUtf8(GetParam().Name)), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    testing::Values(
        DamageCase{"half.jpg", [] { return HalfOf(JpegBytes(Quadrants(64))); }},
        DamageCase{"half.gif", [] { return HalfOf(Gif()); }},
        DamageCase{"half.png", [] { return HalfOf(QtImageBytes(Quadrants(64), "PNG")); }},
        DamageCase{"half.bmp", [] { return HalfOf(QtImageBytes(Quadrants(64), "BMP")); }},
        DamageCase{"cutdata.jpg", [] { return CutInTheData(JpegBytes(Noise())); }},
        DamageCase{"cutdata.gif", [] { return CutInTheData(NoiseGif()); }},
        DamageCase{"cutdata.png", [] { return CutInTheData(QtImageBytes(Noise(), "PNG")); }},
        DamageCase{"header.jpg", [] { return Jpeg().substr(0, 20); }},
        DamageCase{"garbage.jpg", [] { return std::string(4096, '\x5a'); }},
        DamageCase{"garbage.gif", [] { return std::string("GIF89a") + std::string(50, '\xff'); }},
        DamageCase{"garbage.png", [] { return std::string(300, '\x01'); }},
        DamageCase{"empty.jpg", [] { return std::string(); }},
        DamageCase{"empty.gif", [] { return std::string(); }},
        DamageCase{"empty.png", [] { return std::string(); }}),
    [](const testing::TestParamInfo<DamageCase>& info) {
        std::string name = info.param.Name;
        name[name.find('.')] = '_';
        return name;
    });

constexpr unsigned Huge = 20000;

std::string HugeJpeg() {
    return WithJpegSize(Jpeg(), Huge, Huge);
}
std::string HugeGifScreen() {
    std::string bytes = Gif();
    PutLittle16(bytes, 6, Huge);
    PutLittle16(bytes, 8, Huge);
    return bytes;
}
std::string HugeGifFrame() {
    std::string bytes = Gif();
    const std::size_t descriptor = bytes.find(',', 13 + 3 * 256);
    EXPECT_NE(descriptor, std::string::npos);
    PutLittle16(bytes, descriptor + 5, Huge);
    PutLittle16(bytes, descriptor + 7, Huge);
    return bytes;
}
std::string HugePng() {
    return WithPngSize(Png(), Huge, Huge);
}
std::string HugeBmp() {
    std::string bytes = Bmp();
    PutLittle32(bytes, 18, Huge);
    PutLittle32(bytes, 22, Huge);
    return bytes;
}

class HugePicture : public PictureFilesTest, public testing::WithParamInterface<DamageCase> {};

TEST_P(HugePicture, IsRefusedFromItsHeader) {
    const std::string message = FailureOf(GetParam().Name, GetParam().Bytes());
    EXPECT_NE(message.find("more than 16000 a side"), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Headers, HugePicture,
    testing::Values(DamageCase{"huge.jpg", HugeJpeg}, DamageCase{"screen.gif", HugeGifScreen},
                    DamageCase{"frame.gif", HugeGifFrame}, DamageCase{"huge.png", HugePng},
                    DamageCase{"huge.bmp", HugeBmp}),
    [](const testing::TestParamInfo<DamageCase>& info) {
        std::string name = info.param.Name;
        return name.substr(0, name.find('.')) + "_" + name.substr(name.find('.') + 1);
    });

TEST_F(PictureFilesTest, AFolderNamedLikeAPictureIsAnError) {
    std::filesystem::create_directory(Folder.Path / "folder.gif");
    EXPECT_NE(FailureOf("folder.gif").find("not a file"), std::string::npos);
}

// The graphic dialog's preview: a large picture shrinks into the box with its shape kept, a
// small one keeps its size.
TEST(FitIntoBoxTest, ShrinksOnlyWhatDoesNotFitAndKeepsTheShape) {
    const ImagePicture wide(QImage(400, 100, QImage::Format_RGB32));
    EXPECT_EQ(FitIntoBox(wide, QSize(96, 96)).size(), QSize(96, 24));
    const ImagePicture tall(QImage(50, 200, QImage::Format_RGB32));
    EXPECT_EQ(FitIntoBox(tall, QSize(96, 96)).size(), QSize(24, 96));
    const ImagePicture small(QImage(40, 30, QImage::Format_RGB32));
    EXPECT_EQ(FitIntoBox(small, QSize(96, 96)).size(), QSize(40, 30));
}

} // namespace
} // namespace dravenloom
