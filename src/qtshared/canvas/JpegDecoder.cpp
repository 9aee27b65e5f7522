// JPEG pictures through libjpeg. Its errors leave the library by longjmp back into the functions
// below, which hold nothing that needs destroying, so a corrupt file is an exception and never
// ends the program. The memory a file asks for is worked out from its headers and refused
// before the library allocates it.
#include "qtshared/canvas/PictureDecoders.h"

#include "qtshared/canvas/PictureFiles.h"

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

// The memory the library and the picture will take, from the headers alone: the picture at
// four bytes a pixel, one row of samples, and, when the file comes in several scans (always
// so for a progressive one), the coefficients of every block of every component, which the
// library keeps until the last scan has arrived.
unsigned long long JpegMemory(jpeg_decompress_struct& info) {
    const auto roundUp = [](unsigned long long value, unsigned long long step) {
        return step == 0 ? value : (value + step - 1) / step * step;
    };
    const auto ceilDiv = [](unsigned long long value, unsigned long long by) {
        return by == 0 ? value : (value + by - 1) / by;
    };
    unsigned long long bytes = PixelBytes(info.image_width, info.image_height) +
                               4ULL * static_cast<unsigned long long>(info.image_width);
    if (!jpeg_has_multiple_scans(&info))
        return bytes;
    const unsigned long long maxH = static_cast<unsigned long long>(info.max_h_samp_factor);
    const unsigned long long maxV = static_cast<unsigned long long>(info.max_v_samp_factor);
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const auto h = static_cast<unsigned long long>(component.h_samp_factor);
        const auto v = static_cast<unsigned long long>(component.v_samp_factor);
        const unsigned long long blocksWide =
            roundUp(ceilDiv(info.image_width * h, maxH * DCTSIZE), h);
        const unsigned long long blocksHigh =
            roundUp(ceilDiv(info.image_height * v, maxV * DCTSIZE), v);
        bytes += blocksWide * blocksHigh * DCTSIZE2 * sizeof(JCOEF);
    }
    return bytes;
}

// Each step sets its own return point, as the longjmp must land in a frame still alive.
bool ReadJpegHeader(JpegReader& reader, const std::string& bytes, unsigned long long& memory) {
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
    memory = JpegMemory(reader.Info);
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
    unsigned long long memory = 0;
    if (!ReadJpegHeader(reader, bytes, memory))
        ThrowPictureError(shownName, reader.Errors.Message);
    CheckPictureSize(reader.Info.image_width, reader.Info.image_height, shownName);
    CheckPictureMemory(memory, shownName);
    // The library's own bound on what it allocates, should its buffers ever outgrow the
    // estimate: it then fails (it has no backing store) rather than take more.
    reader.Info.mem->max_memory_to_use = static_cast<long>(PictureMemoryBudget);

    QImage image(static_cast<int>(reader.Info.image_width),
                 static_cast<int>(reader.Info.image_height), QImage::Format_RGB32);
    if (image.isNull())
        ThrowPictureError(shownName, "there is not enough memory for it");
    if (!DecompressJpeg(reader, image))
        ThrowPictureError(shownName, reader.Errors.Message);
    return image;
}

} // namespace dravenloom
