// Picture files made by the tests themselves: JPEG through libjpeg's compressor, GIF through
// giflib's encoder, PNG and BMP through QImage. Each returns the file's bytes.
//
//   const std::string jpeg = JpegBytes(Quadrants(16));          // 32 x 32, four colours
//   const std::string gif = GifBytes(4, 2, {Black, White}, {0, 1, 1, 0, 1, 0, 0, 1});
#pragma once

#include "document/Rgb.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cstdio>
#include <gif_lib.h>
#include <jpeglib.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace dravenloom {

inline constexpr Rgb Red{220, 20, 20};
inline constexpr Rgb Green{20, 200, 20};
inline constexpr Rgb Blue{20, 20, 220};
inline constexpr Rgb Yellow{230, 230, 20};

// A picture of `half` x 2 pixels a side: red at the top left, green at the top right, blue at
// the bottom left, yellow at the bottom right (flat areas that survive JPEG's losses).
inline QImage Quadrants(int half) {
    QImage image(half * 2, half * 2, QImage::Format_RGB32);
    const Rgb corners[2][2] = {{Red, Green}, {Blue, Yellow}};
    for (int y = 0; y < half * 2; ++y)
        for (int x = 0; x < half * 2; ++x) {
            const Rgb c = corners[y / half][x / half];
            image.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
        }
    return image;
}

enum class JpegInk { Rgb, Gray, InvertedCmyk };

// `image` as a JPEG: in colour, in grey (its red channel), or as CMYK ink stored inverted, as
// Adobe's programs write it (libjpeg marks such files with an Adobe marker); in one scan, or
// progressive (libjpeg's usual series of scans).
inline std::string JpegBytes(const QImage& image, JpegInk ink = JpegInk::Rgb,
                             bool progressive = false) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = ink == JpegInk::Gray ? 1 : ink == JpegInk::Rgb ? 3 : 4;
    info.in_color_space = ink == JpegInk::Gray  ? JCS_GRAYSCALE
                          : ink == JpegInk::Rgb ? JCS_RGB
                                                : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(image.width() * info.input_components));
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            JSAMPLE* out = row.data() + x * info.input_components;
            if (ink == JpegInk::Gray) {
                out[0] = static_cast<JSAMPLE>(qRed(pixel));
            } else if (ink == JpegInk::Rgb) {
                out[0] = static_cast<JSAMPLE>(qRed(pixel));
                out[1] = static_cast<JSAMPLE>(qGreen(pixel));
                out[2] = static_cast<JSAMPLE>(qBlue(pixel));
            } else {
                // Inverted ink with no black: each channel is the light that passes.
                out[0] = static_cast<JSAMPLE>(qRed(pixel));
                out[1] = static_cast<JSAMPLE>(qGreen(pixel));
                out[2] = static_cast<JSAMPLE>(qBlue(pixel));
                out[3] = 255;
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

inline int AppendGifBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

struct GifFrame {
    int Left = 0, Top = 0;
    bool Interlaced = false;
    int Transparent = NO_TRANSPARENT_COLOR;
};

// A GIF of one frame, `width` x `height` indices into `palette` (rows from the top), on a
// logical screen of `screenWidth` x `screenHeight` (the frame's size when 0).
inline std::string GifBytes(int width, int height, const std::vector<Rgb>& palette,
                            const std::vector<std::uint8_t>& indices, GifFrame frame = {},
                            int screenWidth = 0, int screenHeight = 0) {
    std::string bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendGifBytes, &error);
    EXPECT_NE(gif, nullptr);
    std::vector<GifColorType> colours(256);
    for (std::size_t i = 0; i < palette.size(); ++i)
        colours[i] = {palette[i].Red, palette[i].Green, palette[i].Blue};
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, screenWidth ? screenWidth : width, screenHeight ? screenHeight : height,
                      8, 0, map);
    if (frame.Transparent != NO_TRANSPARENT_COLOR) {
        GraphicsControlBlock control{};
        control.TransparentColor = frame.Transparent;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
    }
    EGifPutImageDesc(gif, frame.Left, frame.Top, width, height, frame.Interlaced, nullptr);
    std::vector<int> order;
    if (frame.Interlaced) {
        const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < height; y += step[pass])
                order.push_back(y);
    } else {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
    }
    for (const int y : order) {
        std::vector<GifPixelType> line(indices.begin() + y * width,
                                       indices.begin() + (y + 1) * width);
        EGifPutLine(gif, line.data(), width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

// `image` in a format QImage writes ("PNG", "BMP").
inline std::string QtImageBytes(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return data.toStdString();
}

// Big-endian and little-endian 16 and 32-bit numbers written into headers.
inline void PutBig16(std::string& bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value & 0xff);
}
inline void PutLittle16(std::string& bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xff);
    bytes[at + 1] = static_cast<char>(value >> 8);
}
inline void PutBig32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
}
inline void PutLittle32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// The CRC-32 of PNG chunks, over bytes [from, to).
inline std::uint32_t Crc32(const std::string& bytes, std::size_t from, std::size_t to) {
    std::uint32_t crc = 0xffffffffU;
    for (std::size_t i = from; i < to; ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320U & (0U - (crc & 1U)));
    }
    return ~crc;
}

// A JPEG file claiming `width` x `height` pixels in its frame header (baseline or
// progressive); the picture data stays that of the small picture it was.
inline std::string WithJpegSize(std::string bytes, unsigned width, unsigned height) {
    std::size_t frame = bytes.find("\xff\xc0");
    if (frame == std::string::npos)
        frame = bytes.find("\xff\xc2");
    EXPECT_NE(frame, std::string::npos);
    PutBig16(bytes, frame + 5, height);
    PutBig16(bytes, frame + 7, width);
    return bytes;
}

// A PNG file claiming `width` x `height` pixels, its header's checksum made right.
inline std::string WithPngSize(std::string bytes, std::uint32_t width, std::uint32_t height) {
    PutBig32(bytes, 16, width);
    PutBig32(bytes, 20, height);
    PutBig32(bytes, 29, Crc32(bytes, 12, 29));
    return bytes;
}

// Whether a pixel is within `tolerance` of a colour in every channel.
inline bool Near(QRgb pixel, Rgb colour, int tolerance = 10) {
    return std::abs(qRed(pixel) - colour.Red) <= tolerance &&
           std::abs(qGreen(pixel) - colour.Green) <= tolerance &&
           std::abs(qBlue(pixel) - colour.Blue) <= tolerance;
}

} // namespace dravenloom
