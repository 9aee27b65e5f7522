// The response-button pictures of the published guide: the face colour of each swatch and the
// drawing of a small raised button in that colour.
#pragma once

#include "document/Rgb.h"
#include "publish/AppletOptions.h"

#include <array>
#include <string_view>

namespace dravenloom {

// The colour a swatch's button is filled with.
struct SwatchFace {
    const char* Colour;
    Rgb Face;
};

// In the order of the swatch row; the names must follow it (checked below).
inline constexpr std::array<SwatchFace, SwatchCount> SwatchFaces{{
    {"white", {255, 255, 255}},
    {"red", {224, 0, 0}},
    {"orange", {255, 136, 0}},
    {"peach", {255, 196, 150}},
    {"yellow", {255, 230, 0}},
    {"green", {0, 160, 0}},
    {"blue", {0, 64, 224}},
    {"magenta", {255, 0, 255}},
    {"purple", {128, 0, 160}},
    {"brown", {140, 80, 30}},
    {"gray", {160, 160, 160}},
    {"black", {0, 0, 0}},
}};

constexpr bool FacesFollowTheSwatchRow() {
    for (std::size_t i = 0; i < Swatches.size(); ++i)
        if (std::string_view(SwatchFaces[i].Colour) != Swatches[i].Colour)
            return false;
    return true;
}
static_assert(FacesFollowTheSwatchRow(), "every swatch needs its face colour, in the same order");

inline constexpr int ButtonPictureSize = 15;

// A square picture of ButtonPictureSize pixels a side, rows from the top.
struct ButtonPicture {
    std::array<Rgb, ButtonPictureSize * ButtonPictureSize> Pixels{};

    Rgb At(int x, int y) const {
        return Pixels[static_cast<std::size_t>(y * ButtonPictureSize + x)];
    }
    Rgb& At(int x, int y) { return Pixels[static_cast<std::size_t>(y * ButtonPictureSize + x)]; }
};

// The face colour of a swatch of the row.
Rgb ButtonFace(const SwatchEntry& swatch);

// A raised button filled with `face`: a dark outline that still shows on black, a light bevel
// at the top and left, a dark one at the bottom and right. The four corners share a colour
// found nowhere else in the picture, so that a drawing that keys on the bottom-left pixel
// leaves the button whole and only rounds its corners.
ButtonPicture DrawButtonPicture(Rgb face);

} // namespace dravenloom
