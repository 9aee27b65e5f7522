// PictureFiles: loads the picture a record names from its file, into a QImage. JPEG through
// libjpeg, GIF through giflib, PNG and BMP through Qt's readers.
#pragma once

#include "preview/Canvas.h"

#include <QImage>

#include <memory>
#include <string>

namespace dravenloom {

// A decoded picture, drawn by ImageCanvas at its natural size. Transparent pixels (a GIF's
// transparent colour, a PNG's alpha) have alpha 0.
class ImagePicture : public Picture {
public:
    explicit ImagePicture(QImage image) : Decoded(std::move(image)) {}
    int Width() const override { return Decoded.width(); }
    int Height() const override { return Decoded.height(); }
    const QImage& Image() const { return Decoded; }

private:
    QImage Decoded;
};

// The longest side a picture may have; a file claiming more is refused before anything is
// allocated for it.
inline constexpr int MaxPictureSide = 16000;

class PictureFiles : public PictureLoader {
public:
    // `fileName` is code page 1252 bytes, as stored in the guide, used as it stands (a relative
    // name is relative to the working directory). The decoder follows the extension, in any
    // case: ".jpg" and ".jpeg", ".gif", ".png", ".bmp". Throws a FileError naming the file for
    // an unknown extension, a missing or unreadable file, bad or truncated data and a picture
    // larger than MaxPictureSide a side.
    std::unique_ptr<Picture> Load(const std::string& fileName) override;
};

// `picture` (an ImagePicture) made small enough for a box of `box`, its aspect kept; a picture
// that fits already keeps its size. Any other kind of picture gives a null image.
QImage FitIntoBox(const Picture& picture, QSize box);

} // namespace dravenloom
