// Placing a window beside another.
#include "shell/WindowPlacement.h"

#include <algorithm>

namespace dravenloom {
namespace {

// `start` moved as little as needed for `length` to lie within [low, high); a length that
// does not fit starts at `low`.
int Clamp(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

long long Overlap(const ScreenRect& a, const ScreenRect& b) {
    const long long width = std::min(a.Right(), b.Right()) - std::max(a.Left, b.Left);
    const long long height = std::min(a.Bottom(), b.Bottom()) - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width * height : 0;
}

} // namespace

ScreenPoint PlaceBeside(const ScreenRect& anchor, ScreenSize size, const ScreenRect& available) {
    const int top = Clamp(anchor.Top, size.Height, available.Top, available.Bottom());
    const int right = anchor.Right() + BesideGap;
    const int left = anchor.Left - BesideGap - size.Width;
    if (right + size.Width <= available.Right())
        return {right, top};
    if (left >= available.Left)
        return {left, top};
    // No room on either side: each side pushed back onto the screen, and the one that hides
    // less of the anchor wins (the right on a tie).
    const ScreenPoint candidates[] = {
        {Clamp(right, size.Width, available.Left, available.Right()), top},
        {Clamp(left, size.Width, available.Left, available.Right()), top}};
    const auto covered = [&](const ScreenPoint& at) {
        return Overlap({at.X, at.Y, size.Width, size.Height}, anchor);
    };
    return covered(candidates[1]) < covered(candidates[0]) ? candidates[1] : candidates[0];
}

} // namespace dravenloom
