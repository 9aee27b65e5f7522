// Placing a window beside another.
#include "shell/WindowPlacement.h"

#include "document/SettingsStore.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace dravenloom {
namespace {

// `start` moved as little as needed for `length` to lie within [low, high); a length that
// does not fit starts at `low`. In 64 bits, as every edge here.
long long Clamp(long long start, long long length, long long low, long long high) {
    return std::max(low, std::min(start, high - length));
}

int ToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

long long Overlap(const ScreenRect& a, const ScreenRect& b) {
    const long long width = std::min(a.Right(), b.Right()) - std::max(a.Left, b.Left);
    const long long height = std::min(a.Bottom(), b.Bottom()) - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width * height : 0;
}

bool Holds(const ScreenRect& screen, const ScreenRect& area) {
    return area.Left >= screen.Left && area.Top >= screen.Top && area.Right() <= screen.Right() &&
           area.Bottom() <= screen.Bottom();
}

} // namespace

ScreenPoint PlaceBeside(const ScreenRect& anchor, ScreenSize size, const ScreenRect& available) {
    const long long top = Clamp(anchor.Top, size.Height, available.Top, available.Bottom());
    const long long right = anchor.Right() + BesideGap;
    const long long left = 0LL + anchor.Left - BesideGap - size.Width;
    // (An anchor off the screen, as a stored place can be, has no side on it.)
    if (right >= available.Left && right + size.Width <= available.Right())
        return {ToInt(right), ToInt(top)};
    if (left >= available.Left && left + size.Width <= available.Right())
        return {ToInt(left), ToInt(top)};
    // No room on either side: each side pushed back onto the screen, and the one that hides
    // less of the anchor wins (the right on a tie).
    const ScreenPoint candidates[] = {
        {ToInt(Clamp(right, size.Width, available.Left, available.Right())), ToInt(top)},
        {ToInt(Clamp(left, size.Width, available.Left, available.Right())), ToInt(top)}};
    const auto covered = [&](const ScreenPoint& at) {
        return Overlap({at.X, at.Y, size.Width, size.Height}, anchor);
    };
    return covered(candidates[1]) < covered(candidates[0]) ? candidates[1] : candidates[0];
}

std::string WindowPlaceText(const WindowPlace& place) {
    const ScreenRect& a = place.Area;
    return std::to_string(a.Left) + "," + std::to_string(a.Top) + "," + std::to_string(a.Width) +
           "," + std::to_string(a.Height) + "," + (place.Maximised ? "1" : "0");
}

std::optional<WindowPlace> ParseWindowPlace(const std::string& text) {
    int numbers[5] = {};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 5; ++i) {
        if (i > 0) {
            if (at == end || *at != ',')
                return std::nullopt;
            ++at;
        }
        const auto [next, error] = std::from_chars(at, end, numbers[i]);
        if (error != std::errc() || next == at)
            return std::nullopt;
        at = next;
    }
    if (at != end || numbers[2] <= 0 || numbers[3] <= 0 || (numbers[4] != 0 && numbers[4] != 1))
        return std::nullopt;
    return WindowPlace{{numbers[0], numbers[1], numbers[2], numbers[3]}, numbers[4] == 1};
}

std::optional<WindowPlace> RestoredPlace(const WindowPlace& stored, ScreenSize minimum,
                                         const std::vector<ScreenRect>& screens) {
    WindowPlace place = stored;
    place.Area.Width = std::max(place.Area.Width, minimum.Width);
    place.Area.Height = std::max(place.Area.Height, minimum.Height);
    for (const ScreenRect& screen : screens) {
        if (Holds(screen, place.Area))
            return place;
    }
    return std::nullopt;
}

std::optional<WindowPlace> ReadWindowPlace(SettingsStore& settings) {
    if (!settings.OpenKey(ProgramKey, false))
        return std::nullopt;
    const SettingRead<std::string> read = settings.ReadString(ProgramKey, WindowPlaceValue);
    if (!read.Found())
        return std::nullopt;
    return ParseWindowPlace(read.Value);
}

void WriteWindowPlace(SettingsStore& settings, const WindowPlace& place) {
    if (settings.OpenKey(ProgramKey, true))
        settings.WriteString(ProgramKey, WindowPlaceValue, WindowPlaceText(place));
}

} // namespace dravenloom
