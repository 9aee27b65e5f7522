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

// The most memory decoding one picture may take: its pixels and the decoder's own buffers
// (a progressive JPEG holds every coefficient of the picture while its scans arrive). A file
// whose headers ask for more is refused before any of it is allocated, so a small file
// declaring a huge picture costs nothing.
inline constexpr unsigned long long PictureMemoryBudget = 256ULL * 1024 * 1024;

class PictureFiles : public PictureLoader {
public:
    // The decoder follows the extension of `file`, in any case: ".jpg" and ".jpeg", ".gif",
    // ".png", ".bmp". Throws a FileError naming the file for an unknown extension, a missing or
    // unreadable file, bad or truncated data, a picture larger than MaxPictureSide a side and
    // one that would need more than PictureMemoryBudget to decode.
    std::unique_ptr<Picture> Load(const std::filesystem::path& file) override;
};

// `picture` (an ImagePicture) made small enough for a box of `box`, its aspect kept; a picture
// that fits already keeps its size. Any other kind of picture gives a null image.
QImage FitIntoBox(const Picture& picture, QSize box);

} // namespace dravenloom
