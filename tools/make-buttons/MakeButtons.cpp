// dravenloom-make-buttons DIRECTORY: draws the twelve response-button pictures and writes them
// as GIF files, named as the swatch row names them, into DIRECTORY.
#include "publish/ButtonPicture.h"

#include <gif_lib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace dravenloom;

constexpr int PaletteSize = 16; // a power of two, as GIF wants, with room for every shade

// Writes the picture with its own palette, colours in the order they first appear.
bool WriteGif(const ButtonPicture& picture, const std::string& path, std::string& reason) {
    std::vector<Rgb> palette;
    std::vector<GifPixelType> indices;
    for (const Rgb& pixel : picture.Pixels) {
        std::size_t index = 0;
        while (index < palette.size() && !(palette[index] == pixel))
            ++index;
        if (index == palette.size())
            palette.push_back(pixel);
        indices.push_back(static_cast<GifPixelType>(index));
    }
    if (palette.size() > PaletteSize) {
        reason = "the picture has more than " + std::to_string(PaletteSize) + " colours";
        return false;
    }
    GifColorType colours[PaletteSize] = {};
    for (std::size_t i = 0; i < palette.size(); ++i)
        colours[i] = {palette[i].Red, palette[i].Green, palette[i].Blue};

    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) {
        reason = GifErrorString(error);
        return false;
    }
    ColorMapObject* map = GifMakeMapObject(PaletteSize, colours);
    bool written =
        map && EGifPutScreenDesc(gif, ButtonPictureSize, ButtonPictureSize, 8, 0, map) == GIF_OK &&
        EGifPutImageDesc(gif, 0, 0, ButtonPictureSize, ButtonPictureSize, false, nullptr) == GIF_OK;
    for (int row = 0; written && row < ButtonPictureSize; ++row)
        written =
            EGifPutLine(gif, indices.data() + row * ButtonPictureSize, ButtonPictureSize) == GIF_OK;
    if (!written)
        reason = GifErrorString(gif->Error);
    if (EGifCloseFile(gif, &error) != GIF_OK && written) {
        written = false;
        reason = GifErrorString(error);
    }
    GifFreeMapObject(map);
    return written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dravenloom-make-buttons DIRECTORY\n");
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    std::error_code made;
    std::filesystem::create_directories(directory, made);
    for (const SwatchEntry& swatch : Swatches) {
        const std::string path = (directory / swatch.FileName).string();
        std::string reason;
        if (!WriteGif(DrawButtonPicture(ButtonFace(swatch)), path, reason)) {
            std::fprintf(stderr, "dravenloom-make-buttons: cannot write %s: %s\n", path.c_str(),
                         reason.c_str());
            return 1;
        }
        // giflib creates its files readable by their owner only; the pictures are published.
        using std::filesystem::perms;
        std::filesystem::permissions(
            path, perms::owner_read | perms::owner_write | perms::group_read | perms::others_read,
            made);
    }
    return 0;
}
