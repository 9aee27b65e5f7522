// GIF pictures through giflib: the first frame, placed on the logical screen, its transparent
// colour (from the graphics control block before it) given alpha 0. Records are read one by
// one rather than slurped, so that the screen's and the frame's sizes (and the memory they
// need) are checked before their pixels are allocated and frames after the first are never
// decoded.
#include "qtshared/canvas/PictureDecoders.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

struct GifSource {
    const std::string* Bytes;
    std::size_t Position = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* buffer, int wanted) {
    auto* source = static_cast<GifSource*>(gif->UserData);
    const std::size_t left = source->Bytes->size() - source->Position;
    const std::size_t count = std::min(left, static_cast<std::size_t>(std::max(wanted, 0)));
    std::memcpy(buffer, source->Bytes->data() + source->Position, count);
    source->Position += count;
    return static_cast<int>(count); // fewer than wanted: giflib reports a read failure
}

class GifFile {
public:
    GifFile(GifSource& source, const std::string& shownName) {
        int error = 0;
        Gif = DGifOpen(&source, ReadGifBytes, &error);
        if (!Gif)
            ThrowPictureError(shownName, Reason(error));
    }
    ~GifFile() {
        int ignored = 0;
        DGifCloseFile(Gif, &ignored);
    }
    GifFile(const GifFile&) = delete;
    GifFile& operator=(const GifFile&) = delete;

    GifFileType* operator->() const { return Gif; }
    GifFileType* Get() const { return Gif; }

    static std::string Reason(int error) {
        const char* text = GifErrorString(error);
        return text ? text : "it is not a GIF file that can be read";
    }

private:
    GifFileType* Gif = nullptr;
};

// Reads the extension blocks of one extension record; keeps the graphics control block.
void ReadExtension(const GifFile& gif, GraphicsControlBlock& control,
                   const std::string& shownName) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif.Get(), &code, &block) != GIF_OK)
        ThrowPictureError(shownName, GifFile::Reason(gif->Error));
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
        DGifExtensionToGCB(block[0], block + 1, &control);
    while (block) {
        if (DGifGetExtensionNext(gif.Get(), &block) != GIF_OK)
            ThrowPictureError(shownName, GifFile::Reason(gif->Error));
    }
}

// The rows of a frame in the order they are stored.
std::vector<int> StoredRowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    constexpr int Start[] = {0, 4, 2, 1};
    constexpr int Step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = Start[pass]; y < height; y += Step[pass])
            rows.push_back(y);
    return rows;
}

QImage ReadFrame(const GifFile& gif, const GraphicsControlBlock& control,
                 const std::string& shownName) {
    if (DGifGetImageDesc(gif.Get()) != GIF_OK)
        ThrowPictureError(shownName, GifFile::Reason(gif->Error));
    const GifImageDesc& frame = gif->Image;
    CheckPictureSize(frame.Width, frame.Height, shownName);
    const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!colours || !colours->Colors)
        ThrowPictureError(shownName, "it has no colour table");

    // The frame on the logical screen; a screen too small for its frame (or of size 0) grows.
    const long long width = std::max<long long>(gif->SWidth, 0LL + frame.Left + frame.Width);
    const long long height = std::max<long long>(gif->SHeight, 0LL + frame.Top + frame.Height);
    CheckPictureSize(width, height, shownName);
    CheckPictureMemory(PixelBytes(width, height) + static_cast<unsigned long long>(frame.Width),
                       shownName);
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32);
    if (image.isNull())
        ThrowPictureError(shownName, "there is not enough memory for it");
    image.fill(Qt::transparent);

    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
    for (const int row : StoredRowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif.Get(), line.data(), frame.Width) != GIF_OK)
            ThrowPictureError(shownName, GifFile::Reason(gif->Error));
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(frame.Top + row)) + frame.Left;
        for (int x = 0; x < frame.Width; ++x) {
            const int index = line[static_cast<std::size_t>(x)];
            if (index == control.TransparentColor)
                continue; // stays transparent
            if (index >= colours->ColorCount) {
                target[x] = qRgb(0, 0, 0); // an index past the table: damaged, but drawable
                continue;
            }
            const GifColorType& colour = colours->Colors[index];
            target[x] = qRgb(colour.Red, colour.Green, colour.Blue);
        }
    }
    return image;
}

} // namespace

QImage DecodeGif(const std::string& bytes, const std::string& shownName) {
    GifSource source{&bytes};
    GifFile gif(source, shownName);
    // A screen of size 0 is allowed (the frame gives the size); a huge one is refused at once.
    CheckPictureSize(std::max(gif->SWidth, 1), std::max(gif->SHeight, 1), shownName);
    CheckPictureMemory(PixelBytes(gif->SWidth, gif->SHeight), shownName);

    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.Get(), &record) != GIF_OK)
            ThrowPictureError(shownName, GifFile::Reason(gif->Error));
        switch (record) {
        case IMAGE_DESC_RECORD_TYPE:
            return ReadFrame(gif, control, shownName);
        case EXTENSION_RECORD_TYPE:
            ReadExtension(gif, control, shownName);
            break;
        case TERMINATE_RECORD_TYPE:
            ThrowPictureError(shownName, "it holds no picture");
        default:
            ThrowPictureError(shownName, "it is damaged");
        }
    }
}

} // namespace dravenloom
