// Tests of placing a window beside another: right when it fits, else left, else where it hides
// the least of the other window, always on the screen.
#include "shell/WindowPlacement.h"

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
        PlacementCase{"LargerThanTheScreen", {100, 100, 620, 470}, {1500, 1200}, Square, {0, 0}}),
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

} // namespace
} // namespace dravenloom
