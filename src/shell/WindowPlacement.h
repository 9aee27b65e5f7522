// Where a window opens beside another one on the screen, computed from plain rectangles so
// that the rule can be tested without a window system.
#pragma once

namespace dravenloom {

struct ScreenPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

struct ScreenSize {
    int Width = 0;
    int Height = 0;
};

// A rectangle in screen pixels; Left and Top are its first column and row.
struct ScreenRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return Left + Width; } // one past the last column
    int Bottom() const { return Top + Height; }
};

// Pixels left free between the two windows.
inline constexpr int BesideGap = 8;

// The top-left corner for a window of `size` (its frame) that should open beside the window
// whose frame is `anchor`, on a screen whose free area is `available`: to the right of the
// anchor when it fits there, else to its left, level with the anchor's top as far as the
// screen allows. When neither side has room, the window goes where it covers the least of the
// anchor while staying on the screen; a window larger than the screen keeps its top-left
// corner on it.
ScreenPoint PlaceBeside(const ScreenRect& anchor, ScreenSize size, const ScreenRect& available);

} // namespace dravenloom
