// Where a window opens beside another one on the screen, computed from plain rectangles so
// that the rule can be tested without a window system.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

class SettingsStore;

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

    // One past the last column and row, in 64 bits: a stored place may lie anywhere in the
    // integers, and its far edge past the largest int.
    long long Right() const { return 0LL + Left + Width; }
    long long Bottom() const { return 0LL + Top + Height; }
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

// The main window's place between runs: its area on the screen (without the frame) when not
// maximised, and whether it was maximised.
struct WindowPlace {
    ScreenRect Area;
    bool Maximised = false;
};

// Under the program key; the text is "left,top,width,height,maximised" (maximised 0 or 1).
inline constexpr const char* WindowPlaceValue = "WindowPlace";

std::string WindowPlaceText(const WindowPlace& place);
// Nothing for a text that is not five whole numbers in that form.
std::optional<WindowPlace> ParseWindowPlace(const std::string& text);

// The place to restore, from the stored one: only when one of `screens` (their whole areas)
// still holds all of it, so that the window never opens where the author cannot reach it. A
// stored size below `minimum` (written by hand, or by a program whose window was smaller) is
// raised to it, and must then still lie on that screen. Nothing means: the default size,
// centred.
std::optional<WindowPlace> RestoredPlace(const WindowPlace& stored, ScreenSize minimum,
                                         const std::vector<ScreenRect>& screens);

// Reading and writing the value; a missing or unreadable value reads as nothing.
std::optional<WindowPlace> ReadWindowPlace(SettingsStore& settings);
void WriteWindowPlace(SettingsStore& settings, const WindowPlace& place);

} // namespace dravenloom
