// The drawing of the response-button pictures.
#include "publish/ButtonPicture.h"

#include "document/Errors.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace dravenloom {
namespace {

constexpr int Last = ButtonPictureSize - 1;

std::uint8_t Channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// `from` moved the fraction `amount` of the way toward `to`.
Rgb Mix(Rgb from, Rgb to, double amount) {
    const auto step = [amount](std::uint8_t a, std::uint8_t b) {
        return Channel(a + (b - a) * amount);
    };
    return {step(from.Red, to.Red), step(from.Green, to.Green), step(from.Blue, to.Blue)};
}

double Lightness(Rgb colour) {
    return 0.299 * colour.Red + 0.587 * colour.Green + 0.114 * colour.Blue;
}

// The outline keeps a trace of the face's hue, but is never so dark that it vanishes on a black
// page nor so light that it vanishes on a white one.
Rgb OutlineFor(Rgb face) {
    constexpr double Darkest = 64;
    constexpr double Lightest = 100;
    Rgb outline = Mix(face, Black, 0.6);
    for (double lift = 0.05; Lightness(outline) < Darkest && lift <= 1.0; lift += 0.05)
        outline = Mix(Mix(face, Black, 0.6), White, lift);
    for (double drop = 0.05; Lightness(outline) > Lightest && drop <= 1.0; drop += 0.05)
        outline = Mix(Mix(face, Black, 0.6), Black, drop);
    return outline;
}

// The ring a pixel lies on, 0 for the outermost.
int RingOf(int x, int y) {
    return std::min({x, y, Last - x, Last - y});
}

// Whether a pixel of its ring lies on the lit top or left side; the two corners where the
// sides meet belong to the shadow, as on a window-system button.
bool OnLitSide(int x, int y, int ring) {
    return (y == ring && x < Last - ring) || (x == ring && y < Last - ring);
}

bool IsCorner(int x, int y) {
    return (x == 0 || x == Last) && (y == 0 || y == Last);
}

} // namespace

Rgb ButtonFace(const SwatchEntry& swatch) {
    for (const SwatchFace& entry : SwatchFaces)
        if (std::string_view(entry.Colour) == swatch.Colour)
            return entry.Face;
    throw IndexError(std::string("No button colour is called ") + swatch.Colour);
}

ButtonPicture DrawButtonPicture(Rgb face) {
    const Rgb outline = OutlineFor(face);
    const Rgb lit[] = {Mix(face, White, 0.7), Mix(face, White, 0.35)};
    const Rgb shaded[] = {Mix(face, Black, 0.5), Mix(face, Black, 0.25)};

    ButtonPicture picture;
    for (int y = 0; y <= Last; ++y)
        for (int x = 0; x <= Last; ++x) {
            const int ring = RingOf(x, y);
            if (ring == 0)
                picture.At(x, y) = outline;
            else if (ring <= 2)
                picture.At(x, y) = OnLitSide(x, y, ring) ? lit[ring - 1] : shaded[ring - 1];
            else
                picture.At(x, y) = face;
        }

    // Half way between the outline and a middle gray reads as a softened corner on white and
    // on black alike; it is moved off any colour the rest of the picture uses.
    Rgb corner = Mix(outline, Rgb{128, 128, 128}, 0.5);
    const auto usedElsewhere = [&picture](Rgb colour) {
        for (int y = 0; y <= Last; ++y)
            for (int x = 0; x <= Last; ++x)
                if (!IsCorner(x, y) && picture.At(x, y) == colour)
                    return true;
        return false;
    };
    while (usedElsewhere(corner))
        corner.Blue = static_cast<std::uint8_t>(corner.Blue + 1);
    for (int y : {0, Last})
        for (int x : {0, Last})
            picture.At(x, y) = corner;
    return picture;
}

} // namespace dravenloom
