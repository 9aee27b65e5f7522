// JPEG pictures through libjpeg. Its errors leave the library by longjmp back into the functions
// below, which hold nothing that needs destroying, so a corrupt file is an exception and never
// ends the program.
#include "qtshared/canvas/PictureDecoders.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio> // jpeglib.h needs FILE declared first
#include <jerror.h>
#include <jpeglib.h>

namespace dravenloom {
namespace {

struct JpegErrors {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

// The library's own fatal errors, and its warnings about damaged data, which it would otherwise
// paper over (a truncated file would come out grey at the bottom).
void FailJpeg(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->Message);
    std::longjmp(errors->Jump, 1);
}

void JpegMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return; // trace messages
    switch (info->err->msg_code) {
    case JWRN_EXTRANEOUS_DATA: // stray bytes between markers: the picture itself is whole
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC: // a colour profile is of no use here anyway
        return;
    default:
        FailJpeg(info);
    }
}

struct JpegReader {
    jpeg_decompress_struct Info;
    JpegErrors Errors;
};

// Each step sets its own return point, as the longjmp must land in a frame still alive.
bool ReadJpegHeader(JpegReader& reader, const std::string& bytes) {
    if (setjmp(reader.Errors.Jump))
        return false;
    jpeg_mem_src(&reader.Info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&reader.Info, TRUE);
    switch (reader.Info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        reader.Info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        reader.Info.out_color_space = JCS_CMYK;
        break;
    default:
        reader.Info.out_color_space = JCS_RGB;
        break;
    }
    return true;
}

bool DecompressJpeg(JpegReader& reader, QImage& image) {
    if (setjmp(reader.Errors.Jump))
        return false;
    jpeg_start_decompress(&reader.Info);
    const int components = reader.Info.output_components;
    JSAMPARRAY row = (*reader.Info.mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(&reader.Info), JPOOL_IMAGE,
        reader.Info.output_width * static_cast<JDIMENSION>(components), 1);
    // Adobe writes CMYK inverted; so does nearly every program after it.
    const bool invertedInk = reader.Info.saw_Adobe_marker;
    while (reader.Info.output_scanline < reader.Info.output_height) {
        const int y = static_cast<int>(reader.Info.output_scanline);
        jpeg_read_scanlines(&reader.Info, row, 1);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        const JSAMPLE* source = row[0];
        for (JDIMENSION x = 0; x < reader.Info.output_width; ++x, source += components) {
            if (components == 1) {
                target[x] = qRgb(source[0], source[0], source[0]);
            } else if (components == 3) {
                target[x] = qRgb(source[0], source[1], source[2]);
            } else {
                int c = source[0], m = source[1], yellow = source[2], k = source[3];
                if (!invertedInk) {
                    c = 255 - c;
                    m = 255 - m;
                    yellow = 255 - yellow;
                    k = 255 - k;
                }
                // Inverted ink: each channel is already the share of light it lets through.
                target[x] = qRgb(c * k / 255, m * k / 255, yellow * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&reader.Info);
    return true;
}

bool CreateJpegReader(JpegReader& reader) {
    reader.Info.err = jpeg_std_error(&reader.Errors.Manager);
    reader.Errors.Manager.error_exit = FailJpeg;
    reader.Errors.Manager.emit_message = JpegMessage;
    reader.Errors.Message[0] = '\0';
    if (setjmp(reader.Errors.Jump))
        return false;
    jpeg_create_decompress(&reader.Info);
    return true;
}

// Destroys the library's state on every way out.
class JpegSession {
public:
    explicit JpegSession(JpegReader& reader) : Reader(reader) {}
    ~JpegSession() { jpeg_destroy_decompress(&Reader.Info); }
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;

private:
    JpegReader& Reader;
};

} // namespace

QImage DecodeJpeg(const std::string& bytes, const std::string& shownName) {
    JpegReader reader{};
    if (!CreateJpegReader(reader))
        ThrowPictureError(shownName, reader.Errors.Message);
    JpegSession session(reader);
    if (!ReadJpegHeader(reader, bytes))
        ThrowPictureError(shownName, reader.Errors.Message);
    CheckPictureSize(reader.Info.image_width, reader.Info.image_height, shownName);

    QImage image(static_cast<int>(reader.Info.image_width),
                 static_cast<int>(reader.Info.image_height), QImage::Format_RGB32);
    if (image.isNull())
        ThrowPictureError(shownName, "there is not enough memory for it");
    if (!DecompressJpeg(reader, image))
        ThrowPictureError(shownName, reader.Errors.Message);
    return image;
}

} // namespace dravenloom
