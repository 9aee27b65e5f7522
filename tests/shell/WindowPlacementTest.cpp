// Tests of placing a window beside another: right when it fits, else left, else where it hides
// the least of the other window, always on the screen.
#include "shell/WindowPlacement.h"

#include "support/MemorySettings.h"

#include <gtest/gtest.h>

#include <ostream>

namespace dravenloom {

void PrintTo(const ScreenPoint& point, std::ostream* out) {
    *out << "(" << point.X << ", " << point.Y << ")";
}

namespace {

constexpr ScreenSize Tutorial{600, 445};
constexpr ScreenRect Wide{0, 0, 1920, 1080};
constexpr ScreenRect Square{0, 0, 1280, 1024};

struct PlacementCase {
    const char* Name;
    ScreenRect Anchor;
    ScreenSize Size;
    ScreenRect Available;
    ScreenPoint Expected;
};

class PlaceBesideTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlaceBesideTest, FindsTheCorner) {
    const PlacementCase& c = GetParam();
    EXPECT_EQ(PlaceBeside(c.Anchor, c.Size, c.Available), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceBesideTest,
    ::testing::Values(
        // The main window centred on a wide screen: the tutorial goes to its right, level with it.
        PlacementCase{"RightWhenItFits", {650, 305, 620, 470}, Tutorial, Wide, {1278, 305}},
        PlacementCase{
            "RightEdgeExactlyReached", {100, 0, 612, 470}, Tutorial, {0, 0, 1320, 800}, {720, 0}},
        PlacementCase{"LeftWhenTheRightIsFull", {1200, 100, 620, 470}, Tutorial, Wide, {592, 100}},
        PlacementCase{
            "LeftEdgeExactlyReached", {608, 40, 620, 470}, Tutorial, {0, 0, 1300, 800}, {0, 40}},
        // Neither side has room: the tutorial stays on the screen on the side that hides less.
        PlacementCase{"CrampedRightHidesLess", {300, 277, 620, 470}, Tutorial, Square, {680, 277}},
        PlacementCase{"CrampedLeftHidesLess", {400, 277, 620, 470}, Tutorial, Square, {0, 277}},
        PlacementCase{"CrampedTieGoesRight", {330, 277, 620, 470}, Tutorial, Square, {680, 277}},
        // Vertically level with the main window as far as the screen lets it.
        PlacementCase{"PushedUpFromTheBottom", {0, 900, 620, 100}, Tutorial, Square, {628, 579}},
        PlacementCase{
            "KeptBelowAPanelAtTheTop", {0, 10, 620, 470}, Tutorial, {0, 28, 1280, 996}, {628, 28}},
        // A screen to the right of the first one, and a window larger than the screen.
        PlacementCase{
            "SecondScreen", {2000, 100, 620, 470}, Tutorial, {1920, 0, 1920, 1080}, {2628, 100}},
        PlacementCase{"LargerThanTheScreen", {100, 100, 620, 470}, {1500, 1200}, Square, {0, 0}},
        // An anchor off the screen, its far edges past the largest int: still a place on the
        // screen, not beside it out there.
        PlacementCase{"AnchorNearTheLargestInt",
                      {2147483000, 2147483000, 620, 470},
                      Tutorial,
                      Square,
                      {680, 579}},
        PlacementCase{"AnchorFarToTheLeft", {-5000, 100, 620, 470}, Tutorial, Square, {0, 100}},
        PlacementCase{"AnchorOfTheLargestSize",
                      {100, 100, 2147483647, 2147483647},
                      Tutorial,
                      Square,
                      {0, 100}}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) {
        return std::string(info.param.Name);
    });

TEST(PlaceBesideTest, NeverCoversTheAnchorWhenASideHasRoom) {
    // Every anchor position along a wide screen: where either side has room, the windows
    // don't overlap and the tutorial lies wholly on the screen.
    for (int left = 0; left + 620 <= Wide.Width; left += 10) {
        const ScreenRect anchor{left, 200, 620, 470};
        const ScreenPoint at = PlaceBeside(anchor, Tutorial, Wide);
        const bool room = left + 620 + BesideGap + Tutorial.Width <= Wide.Width ||
                          left - BesideGap - Tutorial.Width >= 0;
        EXPECT_GE(at.X, Wide.Left) << left;
        EXPECT_LE(at.X + Tutorial.Width, Wide.Right()) << left;
        if (room) {
            EXPECT_TRUE(at.X >= anchor.Right() + BesideGap ||
                        at.X + Tutorial.Width + BesideGap <= anchor.Left)
                << left;
        }
    }
}

// The main window's place between runs: restored only where a screen still holds it.
constexpr ScreenSize Minimum{620, 462};
const std::vector<ScreenRect> TwoScreens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};

struct RestoreCase {
    const char* Name;
    WindowPlace Stored;
    std::optional<ScreenRect> Expected; // nothing: the default size, centred
};

class RestoredPlaceTest : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(RestoredPlaceTest, RestoresOnlyWhereAScreenHoldsIt) {
    const RestoreCase& c = GetParam();
    const std::optional<WindowPlace> restored = RestoredPlace(c.Stored, Minimum, TwoScreens);
    ASSERT_EQ(restored.has_value(), c.Expected.has_value());
    if (!restored)
        return;
    EXPECT_EQ(restored->Area.Left, c.Expected->Left);
    EXPECT_EQ(restored->Area.Top, c.Expected->Top);
    EXPECT_EQ(restored->Area.Width, c.Expected->Width);
    EXPECT_EQ(restored->Area.Height, c.Expected->Height);
    EXPECT_EQ(restored->Maximised, c.Stored.Maximised);
}

INSTANTIATE_TEST_SUITE_P(
    Places, RestoredPlaceTest,
    ::testing::Values(
        RestoreCase{
            "OnTheFirstScreen", {{100, 80, 900, 700}, false}, ScreenRect{100, 80, 900, 700}},
        RestoreCase{
            "OnTheSecondScreen", {{2000, 50, 1000, 900}, true}, ScreenRect{2000, 50, 1000, 900}},
        RestoreCase{"FillingAScreen", {{0, 0, 1920, 1080}, false}, ScreenRect{0, 0, 1920, 1080}},
        RestoreCase{"OffEveryScreen", {{4000, 100, 800, 600}, false}, std::nullopt},
        RestoreCase{"PartlyOffTheEdge", {{1500, 100, 800, 600}, false}, std::nullopt},
        RestoreCase{"AboveTheTop", {{100, -30, 800, 600}, false}, std::nullopt},
        RestoreCase{"SecondScreenIsShorter", {{2000, 500, 800, 600}, false}, std::nullopt},
        RestoreCase{"SmallerIsRaisedToTheMinimum",
                    {{100, 100, 300, 200}, false},
                    ScreenRect{100, 100, 620, 462}},
        RestoreCase{"RaisedPastTheEdge", {{1600, 900, 300, 100}, false}, std::nullopt},
        // Stored by hand near the ends of the integers: the far edges lie past them, never
        // wrapping round onto a screen (the sanitizer build runs these).
        RestoreCase{"NearTheLargestLeft", {{2147483000, 0, 800, 600}, false}, std::nullopt},
        RestoreCase{"NearTheLargestTop", {{0, 2147483000, 800, 600}, false}, std::nullopt},
        RestoreCase{"LargestSize", {{100, 100, 2147483647, 2147483647}, false}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RestoredPlaceTest, NoScreenHoldsNothing) {
    EXPECT_EQ(RestoredPlace({{0, 0, 700, 500}, false}, Minimum, {}), std::nullopt);
}

TEST(WindowPlaceTextTest, ReadsBackWhatItWritesAndRefusesAnythingElse) {
    const WindowPlace place{{-1200, 40, 1280, 960}, true};
    EXPECT_EQ(WindowPlaceText(place), "-1200,40,1280,960,1");
    const auto read = ParseWindowPlace(WindowPlaceText(place));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Area.Left, -1200);
    EXPECT_EQ(read->Area.Height, 960);
    EXPECT_TRUE(read->Maximised);
    for (const char* bad : {"", "1,2,3,4", "1,2,3,4,1,6", "1,2,0,4,0", "1,2,3,-4,0", "a,2,3,4,0",
                            "1,2,3,4,2", "1, 2,3,4,0", "1,2,3,4,0 ", "99999999999,2,3,4,0"})
        EXPECT_EQ(ParseWindowPlace(bad), std::nullopt) << bad;
}

TEST(WindowPlaceSettingTest, LivesUnderTheProgramKeyBesideTheOtherValues) {
    MemorySettings settings;
    EXPECT_EQ(ReadWindowPlace(settings), std::nullopt);
    settings.SetBool(ProgramKey, "Hints", false);
    WriteWindowPlace(settings, {{10, 20, 700, 500}, false});
    EXPECT_EQ(settings.Writes,
              (std::vector<std::string>{std::string(ProgramKey) + "|WindowPlace=10,20,700,500,0"}));
    EXPECT_EQ(settings.Bool(ProgramKey, "Hints"), false);
    const auto read = ReadWindowPlace(settings);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Area.Width, 700);

    settings.SetString(ProgramKey, "WindowPlace", "garbage");
    EXPECT_EQ(ReadWindowPlace(settings), std::nullopt);
    settings.SetUnreadable(ProgramKey, "WindowPlace");
    EXPECT_EQ(ReadWindowPlace(settings), std::nullopt);
}

} // namespace
} // namespace dravenloom
