// Tests of the Qt canvas: the faces and their metrics, the size of fonts whatever the display,
// and what each drawing call puts into the image.
#include "qtshared/canvas/ImageCanvas.h"

#include "qtshared/canvas/PictureFiles.h"
#include "canvas/PictureWriters.h"
#include "document/Cp1252.h"
#include "document/Errors.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace dravenloom {
namespace {

// Each face the options offer, the family it is drawn in, and the advance widths of a few
// texts in it, measured with the Liberation fonts (whose widths match the faces they stand
// for) at the point sizes the four font sizes give.
struct FaceCase {
    const char* Face;
    const char* Family;
    int Points;
    bool Bold;
    std::array<int, 3> Widths; // of the three texts below
};

const std::array<std::string, 3> MeasuredTexts = {
    "Hello", "The quick brown fox jumps over the lazy dog.", "WWW iii 0123456789 \xe9\xe8\x80"};

class FaceMetrics : public testing::TestWithParam<FaceCase> {};

TEST_P(FaceMetrics, TheCanvasDrawsInTheExpectedFamilyWithItsWidths) {
    const FaceCase& face = GetParam();
    const QString family = CanvasFontFamily(face.Face);
    // The face itself, when installed, has the same widths as its Liberation twin.
    EXPECT_TRUE(family == QLatin1String(face.Family) || family == QLatin1String(face.Face))
        << family.toStdString();

    ImageCanvas canvas;
    canvas.SetFontFace(face.Face);
    canvas.SetFontSize(face.Points);
    canvas.SetFontStyle(face.Bold, false);
    const QFontInfo used(canvas.Font());
    ASSERT_EQ(used.family(), family)
        << "The canvas draws \"" << face.Face << "\" in \"" << used.family().toStdString()
        << "\" instead of \"" << family.toStdString()
        << "\": screens would be laid out differently. Install the Liberation fonts "
           "(apt-get install fonts-liberation).";
    std::array<int, 3> widths{};
    for (std::size_t i = 0; i < MeasuredTexts.size(); ++i)
        widths[i] = canvas.TextWidth(MeasuredTexts[i]);
    EXPECT_EQ(widths, face.Widths)
        << "\"" << face.Face << "\" at " << face.Points << " points measures {" << widths[0] << ", "
        << widths[1] << ", " << widths[2] << "} in " << used.family().toStdString()
        << ": a different font (or version) is installed. Install the Liberation fonts "
           "(apt-get install fonts-liberation).";
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FaceMetrics,
    testing::Values(FaceCase{"Times New Roman", "Liberation Serif", 10, false, {30, 249, 146}},
                    FaceCase{"Times New Roman", "Liberation Serif", 10, true, {31, 256, 149}},
                    FaceCase{"Times New Roman", "Liberation Serif", 15, false, {45, 374, 218}},
                    FaceCase{"Arial", "Liberation Sans", 8, false, {24, 221, 123}},
                    FaceCase{"Arial", "Liberation Sans", 11, true, {36, 318, 170}},
                    FaceCase{"Courier", "Liberation Mono", 10, false, {40, 352, 176}},
                    FaceCase{"Courier", "Liberation Mono", 15, true, {60, 528, 264}}));

// The canvas measures a text as the sum of its characters' advances (a line is measured once
// per laid-out line, over the whole rest of the text). That is exact only while the fonts join
// no pair of characters (no kerning, no ligature) and every advance is a whole pixel: checked
// here against the shaped width of every pair of printable characters, and of a long text.
class AdditiveWidths : public testing::TestWithParam<const char*> {};

TEST_P(AdditiveWidths, EveryPairIsAsWideAsItsTwoCharactersAndSoIsALongText) {
    for (const int points : {8, 15})
        for (int style = 0; style < 4; ++style) {
            const QFont font = CanvasFont(GetParam(), points, style & 1, style & 2);
            QImage device(1, 1, QImage::Format_RGB32);
            device.setDotsPerMeterX(3780);
            device.setDotsPerMeterY(3780);
            const QFontMetrics metrics(font, &device);
            std::vector<QChar> printable;
            for (int byte = 0x20; byte <= 0xff; ++byte) {
                const std::string utf8 = Cp1252ToUtf8(std::string(1, static_cast<char>(byte)));
                const QString text = QString::fromStdString(utf8);
                if (byte != 0x7f && text.size() == 1 && text[0].isPrint())
                    printable.push_back(text[0]);
            }
            int mismatches = 0;
            QString all;
            for (const QChar first : printable) {
                all += first;
                for (const QChar second : printable) {
                    const QString pair = QString(first) + second;
                    const int joined = metrics.horizontalAdvance(pair);
                    const int apart =
                        metrics.horizontalAdvance(first) + metrics.horizontalAdvance(second);
                    if (joined != apart && ++mismatches <= 5)
                        ADD_FAILURE() << GetParam() << " " << points << " pt, style " << style
                                      << ": \"" << pair.toStdString() << "\" is " << joined
                                      << " pixels, its characters " << apart;
                }
            }
            int sum = 0;
            for (const QChar c : all)
                sum += metrics.horizontalAdvance(c);
            EXPECT_EQ(metrics.horizontalAdvance(all), sum) << GetParam() << " " << points;
        }
}

INSTANTIATE_TEST_SUITE_P(Faces, AdditiveWidths,
                         testing::Values("Times New Roman", "Arial", "Courier"));

TEST(CanvasFonts, PointSizesAreSizedForNinetySixDotsPerInch) {
    // The four font sizes of the options give 8, 10, 11 and 15 points.
    EXPECT_EQ(CanvasPixelSize(8), 11);
    EXPECT_EQ(CanvasPixelSize(10), 13);
    EXPECT_EQ(CanvasPixelSize(11), 15);
    EXPECT_EQ(CanvasPixelSize(15), 20);
    EXPECT_EQ(CanvasPixelSize(0), 1); // never a font of no size
    EXPECT_EQ(CanvasPixelSize(1000000), 2048);
    EXPECT_EQ(CanvasFont("Arial", 10, false, false).pixelSize(), 13);
}

TEST(CanvasFonts, AFaceThatIsNotInstalledAndHasNoTwinIsHandedOnAsNamed) {
    EXPECT_EQ(CanvasFontFamily("No Such Face Anywhere"), QStringLiteral("No Such Face Anywhere"));
    if (!QFontDatabase::hasFamily(QStringLiteral("Courier"))) {
        EXPECT_EQ(CanvasFontFamily("Courier"), QStringLiteral("Liberation Mono"));
    }
}

class DrawnCanvas : public testing::Test {
protected:
    ImageCanvas Canvas;

    void SetUp() override {
        Canvas.SetSize(200, 100);
        Canvas.SetBrushColour(Rgb{0, 0, 128});
        Canvas.Fill(0, 0, 200, 100);
        Canvas.SetFontFace("Arial");
        Canvas.SetFontSize(10);
        Canvas.SetFontColour(Rgb{255, 255, 0});
    }
    QRgb At(int x, int y) const { return Canvas.Image().pixel(x, y); }
};

TEST_F(DrawnCanvas, TheImageHasTheSizeAskedAndNinetySixDotsPerInch) {
    EXPECT_EQ(Canvas.Image().size(), QSize(200, 100));
    EXPECT_EQ(Canvas.Image().logicalDpiX(), 96);
    EXPECT_EQ(Canvas.Image().logicalDpiY(), 96);
}

TEST_F(DrawnCanvas, FillPaintsUpToButNotIncludingTheSecondCorner) {
    Canvas.SetBrushColour(Rgb{10, 20, 30});
    Canvas.Fill(10, 10, 20, 15);
    EXPECT_EQ(At(10, 10), qRgb(10, 20, 30));
    EXPECT_EQ(At(19, 14), qRgb(10, 20, 30));
    EXPECT_EQ(At(20, 14), qRgb(0, 0, 128));
    EXPECT_EQ(At(19, 15), qRgb(0, 0, 128));
}

TEST_F(DrawnCanvas, OpaqueTextPaintsItsCellInTheBrushAndItsGlyphsInTheFontColour) {
    Canvas.SetBrushColour(Rgb{255, 255, 255});
    const std::string text = "Hello";
    const int width = Canvas.TextWidth(text);
    const int height = Canvas.LineHeight();
    Canvas.DrawTextOpaque(20, 30, text);
    // The cell's corners are the brush (the glyphs do not reach them); just outside, the fill.
    EXPECT_EQ(At(20, 30), qRgb(255, 255, 255));
    EXPECT_EQ(At(20 + width - 1, 30 + height - 1), qRgb(255, 255, 255));
    EXPECT_EQ(At(20 + width, 30), qRgb(0, 0, 128));
    EXPECT_EQ(At(20, 30 + height), qRgb(0, 0, 128));
    EXPECT_EQ(At(19, 30), qRgb(0, 0, 128));
    // Some pixels of the cell are text: full yellow at the heart of the strokes.
    int yellow = 0;
    for (int y = 30; y < 30 + height; ++y)
        for (int x = 20; x < 20 + width; ++x)
            yellow += Near(At(x, y), Rgb{255, 255, 0}, 40) ? 1 : 0;
    EXPECT_GT(yellow, 10);
}

// Texts and fills at places anywhere in the integers, as settings and records can name them:
// what lies on the surface is painted, the rest is not, and no corner overflows (the sanitizer
// build runs these).
struct FarPlace {
    const char* Name;
    int X, Y;
    int Painted; // -1: some of the cell, 0: none of it
};

class FarPlaces : public DrawnCanvas, public testing::WithParamInterface<FarPlace> {
protected:
    int WhitePixels() const {
        int white = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x)
                white += At(x, y) == qRgb(255, 255, 255) ? 1 : 0;
        return white;
    }
};

constexpr int Largest = std::numeric_limits<int>::max();
constexpr int Smallest = std::numeric_limits<int>::min();

TEST_P(FarPlaces, DrawOnlyWhatLiesOnTheSurface) {
    const FarPlace& place = GetParam();
    Canvas.SetBrushColour(Rgb{255, 255, 255});
    Canvas.DrawTextOpaque(place.X, place.Y, "Hello");
    const int text = WhitePixels();
    Canvas.Fill(place.X, place.Y, place.X > Largest - 40 ? Largest : place.X + 40,
                place.Y > Largest - 20 ? Largest : place.Y + 20);
    Canvas.Fill(place.X, place.Y, Largest, Largest);
    Canvas.Fill(Smallest, Smallest, place.X, place.Y);
    if (place.Painted == 0) {
        EXPECT_EQ(text, 0);
    } else {
        EXPECT_GT(text, 0);
        EXPECT_LT(text, 200 * 100);
    }
}

INSTANTIATE_TEST_SUITE_P(Coordinates, FarPlaces,
                         testing::Values(FarPlace{"TextStartNearTheLargestInt", 5, Largest - 3, 0},
                                         FarPlace{"FarRight", Largest - 1, 30, 0},
                                         FarPlace{"FarLeftAndUp", Smallest, Smallest, 0},
                                         FarPlace{"FarLeft", Smallest + 2, 30, 0},
                                         FarPlace{"PartlyOffTheLeft", -10, 30, -1},
                                         FarPlace{"PartlyOffTheBottomRight", 190, 95, -1}),
                         [](const testing::TestParamInfo<FarPlace>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(DrawnCanvas, TextIsMeasuredAsTheCodePageCharactersItHolds) {
    // 0x80 is the euro sign in the code page, not a control character of no width.
    EXPECT_GT(Canvas.TextWidth("\x80"), Canvas.TextWidth("."));
    EXPECT_EQ(Canvas.TextWidth(""), 0);
    // Whole pixels, additive: no kerning pulls a pair together.
    EXPECT_EQ(Canvas.TextWidth("AV"), Canvas.TextWidth("A") + Canvas.TextWidth("V"));
}

TEST_F(DrawnCanvas, LineBreaksHaveNoWidth) {
    // The line breaking averages the width of a text that still holds its line breaks; every
    // player of a guide measures CR and LF as nothing, so they all break lines alike.
    EXPECT_EQ(Canvas.TextWidth("\r\n"), 0);
    EXPECT_EQ(Canvas.TextWidth("ab\r\ncd\r"), Canvas.TextWidth("abcd"));
    EXPECT_EQ(Canvas.TextWidth("a\nb"), Canvas.TextWidth("ab"));
}

TEST_F(DrawnCanvas, ATextMeasuresWhatTheFontLaysOutForIt) {
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    std::string prose;
    for (int i = 0; i < 40; ++i)
        prose += "Fix the lamp's plug: \xe9tape \x80" + std::to_string(i) + ", \"quoted\" (AV) ";
    for (const std::string& text : {prose, std::string("tab\there"), std::string("odd \x81 byte"),
                                    std::string("soft\xadhyphen and\xa0no-break space")})
        for (int style = 0; style < 4; ++style) {
            Canvas.SetFontStyle(style & 1, style & 2);
            const QFontMetrics shaped(Canvas.Font(), &device);
            EXPECT_EQ(Canvas.TextWidth(text),
                      shaped.horizontalAdvance(QString::fromStdString(Cp1252ToUtf8(text))))
                << text.substr(0, 20) << ", style " << style;
        }
}

TEST_F(DrawnCanvas, TheStyleChangesTheWidthAndBackAgain) {
    const int plain = Canvas.TextWidth("Hello, wide world");
    Canvas.SetFontStyle(true, false);
    const int bold = Canvas.TextWidth("Hello, wide world");
    EXPECT_GT(bold, plain);
    Canvas.SetFontStyle(false, false);
    EXPECT_EQ(Canvas.TextWidth("Hello, wide world"), plain);
    EXPECT_TRUE(Canvas.Font().pixelSize() == 13 && !Canvas.Font().bold());
}

TEST_F(DrawnCanvas, AButtonIsDrawnPixelForPixelAtItsNaturalSize) {
    const ButtonPicture button = DrawButtonPicture(Rgb{0, 160, 0});
    Canvas.DrawButton(5, 40, button);
    for (const auto& [x, y] : {std::pair{0, 0}, {7, 7}, {14, 14}, {3, 11}})
        EXPECT_EQ(At(5 + x, 40 + y),
                  qRgb(button.At(x, y).Red, button.At(x, y).Green, button.At(x, y).Blue));
    EXPECT_EQ(At(20, 40), qRgb(0, 0, 128));
    EXPECT_EQ(At(5, 55), qRgb(0, 0, 128));
}

TEST_F(DrawnCanvas, APictureIsDrawnAtItsNaturalSizeAndItsTransparentPixelsShowWhatIsBelow) {
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(qRgb(200, 0, 0));
    picture.setPixel(2, 1, qRgba(0, 0, 0, 0));
    Canvas.DrawPicture(50, 60, ImagePicture(picture));
    EXPECT_EQ(At(50, 60), qRgb(200, 0, 0));
    EXPECT_EQ(At(51, 61), qRgb(200, 0, 0));
    EXPECT_EQ(At(52, 61), qRgb(0, 0, 128));
    EXPECT_EQ(At(53, 60), qRgb(0, 0, 128));
}

TEST_F(DrawnCanvas, APictureOfAnotherKindIsRefused) {
    class Foreign : public Picture {
        int Width() const override { return 1; }
        int Height() const override { return 1; }
    };
    EXPECT_THROW(Canvas.DrawPicture(0, 0, Foreign()), DravenloomError);
}

TEST(ImageCanvasSize, DrawingBeforeTheFirstSizeDoesNothingAndMeasuringWorks) {
    ImageCanvas canvas;
    EXPECT_TRUE(canvas.Image().isNull());
    canvas.Fill(0, 0, 10, 10);
    canvas.DrawTextOpaque(0, 0, "x");
    EXPECT_GT(canvas.TextWidth("x"), 0);
    canvas.SetSize(1279, 1023);
    EXPECT_EQ(canvas.Image().size(), QSize(1279, 1023));
    EXPECT_EQ(canvas.Image().pixel(1278, 1022), qRgb(255, 255, 255));
}

} // namespace
} // namespace dravenloom
