// Tests of the drawing of a record screen: its spacing, its responses and hit regions, the
// record's picture, and how far a draw that fails gets.
#include "preview/ScreenRenderer.h"

#include "document/Errors.h"
#include "document/RecordList.h"
#include "publish/AppletOptions.h"
#include "support/RecordingCanvas.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

using Tops = std::array<std::int32_t, MaxResponses>;
using Targets = std::array<std::string, MaxResponses>;

std::string Primary(std::int32_t number, const std::string& dialogue,
                    const std::string& picture = "", const std::string& x = "300",
                    const std::string& y = "0", bool center = false) {
    return BuildPrimaryLine(number, dialogue, picture, x, y, center);
}

std::string Response(std::int32_t number, const std::string& text, const std::string& target) {
    return BuildResponseLine(number, text, target);
}

class ScreenTest : public testing::Test {
protected:
    ScriptedPlatform Host;
    AppletOptions Options{Host};
    RecordingCanvas Surface;
    FakePictureLoader Loader;
    ScreenRenderer Renderer{Surface, Loader, Host};
    RecordList Guide;
    std::string GuideFile = "Untitled";

    void Draw(std::int32_t record = 1) {
        Renderer.PrepareDemoCanvas(Options.Settings());
        Redraw(record);
    }
    void Redraw(std::int32_t record) {
        Renderer.DrawRecordScreen(Guide, record, Options.Settings(), GuideFile);
    }
    std::vector<int> ButtonTops() const {
        std::vector<int> tops;
        for (const auto& [x, y] : Surface.Buttons) {
            EXPECT_EQ(x, 5);
            tops.push_back(y);
        }
        return tops;
    }
};

TEST_F(ScreenTest, TheDefaultsPutTheFirstResponseAtFortyAndOneLineResponsesTwentySixApart) {
    Guide = RecordList(
        {Primary(1, "Hello"), Response(1, "Yes", "2"), Response(1, "No", "3"), Primary(2, "Two")});
    Draw();
    EXPECT_EQ(Surface.Points, 10);
    EXPECT_EQ(ButtonTops(), (std::vector<int>{40, 66}));
    ASSERT_EQ(Surface.Drawn.size(), 3u);
    EXPECT_EQ(Surface.Drawn[0], (TextLine{5, 5, "Hello", true, false}));
    EXPECT_EQ(Surface.Drawn[1], (TextLine{25, 40, "Yes", false, false}));
    EXPECT_EQ(Surface.Drawn[2], (TextLine{25, 66, "No", false, false}));
    EXPECT_EQ(Renderer.Regions.ResponseTops, (Tops{40, 66, 0, 0, 0, 0}));
    // Line positions in the list, counted from 0.
    EXPECT_EQ(Renderer.Regions.ResponseTargets, (Targets{"1", "2", "0", "0", "0", "0"}));
}

TEST_F(ScreenTest, TheWholeSurfaceIsSizedAndFilledBeforeAnythingIsDrawn) {
    Guide = RecordList({Primary(1, "Hello"), Response(1, "Yes", "2")});
    Options.Color1 = Rgb{1, 2, 3};
    Options.Color2 = Rgb{4, 5, 6};
    Options.FaceCombo.Text = "Arial";
    Draw();
    EXPECT_EQ(Surface.Width, ScreenWidth);
    EXPECT_EQ(Surface.Height, ScreenHeight);
    EXPECT_EQ(Surface.Fills, (std::vector<std::vector<int>>{{0, 0, 1279, 1023}}));
    EXPECT_EQ(Surface.Events, (std::vector<std::string>{"size", "fill", "text", "button", "text"}));
    EXPECT_EQ(Surface.Brush, (Rgb{1, 2, 3}));
    EXPECT_EQ(Surface.FontColour, (Rgb{4, 5, 6}));
    EXPECT_EQ(Surface.Face, "Arial");
}

struct SizeCase {
    const char* Size;
    int Points;
};

class FontSizes : public ScreenTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(FontSizes, AreFiveSixthsOfTheChosenSize) {
    Guide = RecordList({Primary(1, "Hello")});
    Options.SizeCombo.Text = GetParam().Size;
    Draw();
    EXPECT_EQ(Surface.Points, GetParam().Points);
}

INSTANTIATE_TEST_SUITE_P(Screen, FontSizes,
                         testing::Values(SizeCase{"10", 8}, SizeCase{"12", 10}, SizeCase{"14", 11},
                                         SizeCase{"18", 15}));

TEST_F(ScreenTest, SizeFourteenGivesGapFortySixStepTwentyThreeAndResponseGapThirtyFour) {
    Guide = RecordList({Primary(1, "a\r\nb"), Response(1, "Yes", "2"), Response(1, "No", "2")});
    Options.SizeCombo.Text = "14";
    Draw();
    EXPECT_EQ(Surface.Drawn.at(0).Y, 5);
    EXPECT_EQ(Surface.Drawn.at(1).Y, 5 + 23);
    EXPECT_EQ(ButtonTops(), (std::vector<int>{5 + 23 + 46, 5 + 23 + 46 + 34}));
}

TEST_F(ScreenTest, CourierAndBoldWidenTheGapAndBoldMakesResponsesBold) {
    Guide = RecordList({Primary(1, "Hi"), Response(1, "Yes", "2"), Response(1, "No", "2")});
    Options.FaceCombo.Text = "Courier";
    Options.CheckBold.Checked = true;
    Options.CheckItalic.Checked = true;
    Draw();
    // 10 + 35 - 10 + 5 + 5 = 45, and 45 × 3 / 4 = 33.
    EXPECT_EQ(ButtonTops(), (std::vector<int>{50, 83}));
    EXPECT_EQ(Surface.Drawn.at(0), (TextLine{5, 5, "Hi", true, true}));
    EXPECT_EQ(Surface.Drawn.at(1), (TextLine{25, 50, "Yes", true, true}));
}

TEST_F(ScreenTest, ABreakAtTheEndOfTheDialogueLeavesOneLineStepInsteadOfTheGap) {
    Guide = RecordList({Primary(1, "Hi\r\n"), Response(1, "Yes\r\n", "2"), Response(1, "No", "2")});
    Draw();
    EXPECT_EQ(ButtonTops(), (std::vector<int>{5 + 16, 5 + 16 + 16}));
}

TEST_F(ScreenTest, ResponsesWrapAtFourFifthsOfTheWidthBesideTheirButton) {
    // 240 / 6 = 40 characters a line.
    Guide = RecordList(
        {Primary(1, "Hi"), Response(1, std::string(45, 'r'), "2"), Response(1, "No", "2")});
    Draw();
    EXPECT_EQ(Surface.Drawn.at(1), (TextLine{25, 40, std::string(39, 'r') + "-", false, false}));
    EXPECT_EQ(Surface.Drawn.at(2), (TextLine{25, 56, std::string(6, 'r'), false, false}));
    EXPECT_EQ(ButtonTops(), (std::vector<int>{40, 56 + 26}));
}

TEST_F(ScreenTest, ACentredDialogueIsCentredOnItsWrapWidthAndResponsesAreNot) {
    Guide = RecordList({Primary(1, "abcd", "", "300", "0", true), Response(1, "abcd", "2")});
    Draw();
    EXPECT_EQ(Surface.Drawn.at(0).X, 115);
    EXPECT_EQ(Surface.Drawn.at(1).X, 25);
}

TEST_F(ScreenTest, ALinkResponseShowsItsTextWithoutMarkupAndItsRegionHoldsTheAddress) {
    Guide = RecordList({Primary(1, "Hi"), Response(1, "Go [URL:http://a.example/X] now", "0"),
                        Response(1, "[url:www.b.example]", "0"),
                        Response(1, "see [1] [url:http://c]", "4")});
    Draw();
    EXPECT_EQ(Surface.Drawn.at(1).Text, "Go  now");
    EXPECT_EQ(Surface.Drawn.at(2).Text, "see [1] [url:http://c]");
    EXPECT_EQ(Renderer.Regions.ResponseTargets,
              (Targets{"http://a.example/X", "www.b.example", "3", "0", "0", "0"}));
    // A link made only of markup takes no line of its own.
    EXPECT_EQ(ButtonTops(), (std::vector<int>{40, 66, 66 + 26}));
}

TEST_F(ScreenTest, ATextStartAtTheTopOfTheRangeKeepsTheResponsesBelowIt) {
    Guide = RecordList({Primary(1, "Hi"), Response(1, "a\r\nb", "2"), Response(1, "c", "2")});
    Options.TextStart.Text = "2147483600";
    Draw();
    EXPECT_EQ(Renderer.Regions.ResponseTops, (Tops{2147483635, 2147483647, 0, 0, 0, 0}));
    for (const auto& line : Surface.Drawn)
        EXPECT_GT(line.Y, 0);
}

TEST_F(ScreenTest, AtMostSixResponsesAreDrawn) {
    std::vector<std::string> lines{Primary(1, "Hi")};
    for (int k = 0; k < 7; ++k)
        lines.push_back(Response(1, "R" + std::to_string(k), "1"));
    lines.push_back(Primary(2, "Two"));
    Guide = RecordList(lines);
    Draw();
    EXPECT_EQ(Surface.Buttons.size(), 6u);
    EXPECT_EQ(Surface.Drawn.back().Text, "R5");
    EXPECT_EQ(Renderer.Regions.ResponseTops, (Tops{40, 66, 92, 118, 144, 170}));
    EXPECT_EQ(Renderer.Regions.ResponseTargets, (Targets{"1", "2", "3", "4", "5", "6"}));
}

TEST_F(ScreenTest, OnlyTheDrawnRecordsResponsesAreDrawnAndTheRegionsFollowTheLastDraw) {
    Guide = RecordList({Primary(1, "One"), Response(1, "a", "2"), Response(1, "b", "2"),
                        Primary(2, "Two"), Response(2, "c", "1")});
    Draw(1);
    Redraw(2);
    EXPECT_EQ(Renderer.Regions.ResponseTops, (Tops{40, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Renderer.Regions.ResponseTargets, (Targets{"4", "0", "0", "0", "0", "0"}));
}

TEST_F(ScreenTest, TheRecordsPictureIsDrawnAtItsPlaceBeforeTheText) {
    Guide = RecordList({Primary(1, "Hi", "pic.gif", "20", "30")});
    Loader.Files["pic.gif"] = {40, 50};
    Draw();
    ASSERT_EQ(Surface.Pictures.size(), 1u);
    EXPECT_EQ(Surface.Pictures[0].X, 20);
    EXPECT_EQ(Surface.Pictures[0].Y, 30);
    EXPECT_EQ(Surface.Events, (std::vector<std::string>{"size", "fill", "picture", "text"}));
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(ScreenTest, AMissingPictureIsReportedOnceAndTheRestIsDrawn) {
    Guide = RecordList({Primary(1, "Hi", "gone.jpg", "20", "30"), Response(1, "Yes", "2")});
    Draw();
    ASSERT_EQ(Host.Messages.size(), 1u);
    EXPECT_EQ(Host.Messages[0],
              (MessageRequest{"Dravenloom",
                              "Dravenloom cannot load the graphic for this record.  Please "
                              "confirm that you have specified a valid image.",
                              MsgButtons::Ok, MsgIcon::None}));
    EXPECT_TRUE(Surface.Pictures.empty());
    EXPECT_EQ(Surface.Drawn.size(), 2u);
    EXPECT_EQ(Renderer.Regions.ResponseTops[0], 40);
    // Why it is missing stays for the caller until the next draw.
    EXPECT_EQ(Renderer.PictureProblem, "Cannot open gone.jpg");
    Loader.Files["gone.jpg"] = {10, 10};
    Redraw(1);
    EXPECT_EQ(Renderer.PictureProblem, "");
}

TEST_F(ScreenTest, APictureThatCannotBeDrawnIsReportedLikeOneThatCannotBeLoaded) {
    Guide = RecordList({Primary(1, "Hi", "pic.gif", "20", "30"), Response(1, "Yes", "2")});
    Loader.Files["pic.gif"] = {40, 50};
    Surface.PicturesFail = true;
    Draw();
    EXPECT_EQ(Host.Messages.size(), 1u);
    EXPECT_EQ(Surface.Drawn.size(), 2u);
}

TEST_F(ScreenTest, NoPictureMeansNoLoadingAndNoMessage) {
    Guide = RecordList({Primary(1, "Hi", "", "bad", "bad")});
    Draw();
    EXPECT_TRUE(Loader.Requests.empty());
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(ScreenTest, ARelativePictureBesideTheGuideWinsOverOneInTheWorkingFolder) {
    TempDirectory folder;
    std::filesystem::create_directories(folder.Path / "pics");
    WriteBytes(folder.Path / "pics" / "a.gif", "GIF89a");
    Guide = RecordList({Primary(1, "Hi", "pics/a.gif", "1", "2")});
    GuideFile = folder.File("tour.dvx");
    Loader.Files["pics/a.gif"] = {10, 10};
    Loader.Files[folder.File("pics/a.gif")] = {20, 20};
    Draw();
    EXPECT_EQ(Loader.Requests, std::vector<std::string>{folder.File("pics/a.gif")});
    EXPECT_EQ(Surface.Pictures.at(0).Width, 20);
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(ScreenTest, APictureNotBesideTheGuideIsLoadedAsStored) {
    TempDirectory folder;
    Guide = RecordList({Primary(1, "Hi", "pics/a.gif", "1", "2")});
    GuideFile = folder.File("tour.dvx");
    Loader.Files["pics/a.gif"] = {10, 10};
    Draw();
    EXPECT_EQ(Loader.Requests, std::vector<std::string>{"pics/a.gif"});
    EXPECT_EQ(Surface.Pictures.at(0).Width, 10);
}

TEST_F(ScreenTest, AnAbsolutePathOrAnUntitledGuideIsNotLookedForElsewhere) {
    Guide = RecordList(
        {Primary(1, "Hi", "/elsewhere/a.gif", "1", "2"), Primary(2, "Two", "b.gif", "1", "2")});
    GuideFile = "/guides/tour.dvx";
    Draw(1);
    GuideFile = "Untitled";
    Redraw(2);
    EXPECT_EQ(Loader.Requests, (std::vector<std::string>{"/elsewhere/a.gif", "b.gif"}));
    EXPECT_EQ(Host.Messages.size(), 2u);
}

TEST_F(ScreenTest, EveryCompletedDrawScrollsTheViewportBack) {
    int scrolls = 0;
    Renderer.ScrollToOrigin = [&] { ++scrolls; };
    Guide = RecordList({Primary(1, "Hi")});
    Draw();
    EXPECT_EQ(scrolls, 1);
    EXPECT_THROW(Redraw(5), DravenloomError);
    EXPECT_EQ(scrolls, 1);
}

// Whole screens with random texts, widths and sizes: every draw ends, never more than six
// responses are drawn, and every drawn response has a live region below the text start.
TEST_F(ScreenTest, EveryScreenEndsWhateverItsTextsAndWidth) {
    std::mt19937 random(8122026);
    const std::string alphabet = "ab [url:x]\r\n";
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    std::uniform_int_distribution<int> length(0, 120);
    std::uniform_int_distribution<int> responses(0, 8);
    std::uniform_int_distribution<int> width(1, 100000);
    const char* sizes[] = {"10", "12", "14", "18"};
    for (int round = 0; round < 300; ++round) {
        auto text = [&] {
            std::string t;
            for (int i = length(random); i > 0; --i)
                t += alphabet[static_cast<std::size_t>(pick(random))];
            return t;
        };
        std::vector<std::string> lines{Primary(1, text(), "", "300", "0", round % 2 == 0)};
        const int count = responses(random);
        for (int k = 0; k < count; ++k)
            lines.push_back(Response(1, text(), "1"));
        Guide = RecordList(lines);
        Options.WidthEdit.Text = std::to_string(round % 4 == 0 ? round % 7 + 1 : width(random));
        Options.SizeCombo.Text = sizes[round % 4];
        Surface.Buttons.clear();
        Draw();
        const int drawn = std::min(count, MaxResponses);
        ASSERT_EQ(static_cast<int>(Surface.Buttons.size()), drawn);
        for (int k = 0; k < MaxResponses; ++k) {
            const auto top = Renderer.Regions.ResponseTops[static_cast<std::size_t>(k)];
            if (k < drawn)
                ASSERT_GT(top, 5);
            else
                ASSERT_EQ(top, 0);
        }
    }
}

// A draw that ends early: the regions and the surface as far as it got.
class EarlyEnd : public ScreenTest {
protected:
    void SetUp() override {
        Guide = RecordList({Primary(1, "Hi"), Response(1, "Yes", "2"), Primary(2, "Two"),
                            Response(2, "a", "1"), Response(2, "b", "1")});
        Draw(1);
        Surface.Events.clear();
    }
};

TEST_F(EarlyEnd, ABadTextStartKeepsThePreviousRegionsAndDrawsNothing) {
    Options.TextStart.Text = "x";
    EXPECT_THROW(Redraw(2), ConversionError);
    EXPECT_EQ(Renderer.Regions.ResponseTops, (Tops{40, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(Surface.Events.empty());
}

TEST_F(EarlyEnd, ABadWidthKeepsThePreviousRegions) {
    Options.WidthEdit.Text = "";
    EXPECT_THROW(Redraw(2), ConversionError);
    EXPECT_EQ(Renderer.Regions.ResponseTops, (Tops{40, 0, 0, 0, 0, 0}));
}

TEST_F(EarlyEnd, ABadSizeClearsTheRegionsAndDrawsNothing) {
    Options.SizeCombo.Text = "big";
    EXPECT_THROW(Redraw(2), ConversionError);
    EXPECT_EQ(Renderer.Regions, HitRegions{});
    EXPECT_TRUE(Surface.Events.empty());
}

TEST_F(EarlyEnd, AMissingRecordKeepsThePreviousScreenWithNoLiveRegions) {
    EXPECT_THROW(Redraw(9), DravenloomError);
    EXPECT_EQ(Renderer.Regions, HitRegions{});
    EXPECT_TRUE(Surface.Events.empty());
}

TEST_F(EarlyEnd, ABadPicturePlaceLeavesTheFilledScreen) {
    Guide.Lines[2] = Primary(2, "Two", "p.gif", "left", "0");
    EXPECT_THROW(Redraw(2), ConversionError);
    EXPECT_EQ(Renderer.Regions, HitRegions{});
    EXPECT_EQ(Surface.Events, (std::vector<std::string>{"size", "fill"}));
}

TEST_F(EarlyEnd, AMalformedLineKeepsTheResponsesDrawnBeforeIt) {
    Guide.Lines[4] = "garbage";
    EXPECT_THROW(Redraw(2), ConversionError);
    EXPECT_EQ(Renderer.Regions.ResponseTops, (Tops{40, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Renderer.Regions.ResponseTargets, (Targets{"3", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(Surface.Events, (std::vector<std::string>{"size", "fill", "text", "button", "text"}));
}

} // namespace
} // namespace dravenloom
