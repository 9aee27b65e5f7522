// A colour as its red, green and blue channels, 8 bits each.
#pragma once

#include <cstdint>

namespace dravenloom {

struct Rgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Black{0, 0, 0};

} // namespace dravenloom
