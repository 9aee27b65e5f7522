// Loading the pictures that records name.
#include "qtshared/canvas/PictureFiles.h"

#include "document/Errors.h"
#include "document/GuideFile.h"
#include "qtshared/canvas/PictureDecoders.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace dravenloom {
namespace {

// No picture a guide can show is this large; a bigger file is refused before it is read.
constexpr std::uintmax_t LargestPictureFile = 256ULL * 1024 * 1024;

enum class PictureFormat { Jpeg, Gif, Png, Bmp, Unknown };

bool EndsWith(const std::string& lowered, std::string_view ending) {
    return lowered.size() >= ending.size() &&
           lowered.compare(lowered.size() - ending.size(), ending.size(), ending) == 0;
}

PictureFormat FormatOf(const std::string& fileName) {
    std::string lowered = fileName;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), [](unsigned char c) {
        return static_cast<char>(c < 0x80 ? std::tolower(c) : c);
    });
    if (EndsWith(lowered, ".jpg") || EndsWith(lowered, ".jpeg"))
        return PictureFormat::Jpeg;
    if (EndsWith(lowered, ".gif"))
        return PictureFormat::Gif;
    if (EndsWith(lowered, ".png"))
        return PictureFormat::Png;
    if (EndsWith(lowered, ".bmp"))
        return PictureFormat::Bmp;
    return PictureFormat::Unknown;
}

std::string ReadPictureFile(const std::filesystem::path& path, const std::string& shownName) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        ThrowPictureError(shownName, "the file does not exist");
    if (!std::filesystem::is_regular_file(status))
        ThrowPictureError(shownName, "it is not a file");
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        ThrowPictureError(shownName, error.message());
    if (size > LargestPictureFile)
        ThrowPictureError(shownName, "the file is too large for a picture");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        ThrowPictureError(shownName, "the file cannot be read");
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size))
        ThrowPictureError(shownName, "the file cannot be read");
    return bytes;
}

long long Little(const std::string& bytes, std::size_t at, int size) {
    unsigned long long value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    if (size == 4)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return static_cast<long long>(value);
}

// Qt's BMP reader neither gives the size before reading nor minds a file cut short (the
// missing rows come out black), so the header is checked here.
void CheckBmpHeader(const std::string& bytes, const std::string& shownName) {
    if (bytes.size() < 26 || bytes.compare(0, 2, "BM") != 0)
        ThrowPictureError(shownName, "it is not a BMP file");
    const long long dataStart = Little(bytes, 10, 4);
    const long long headerSize = Little(bytes, 14, 4);
    long long width = 0, height = 0, bitsPerPixel = 0, compression = 0;
    if (headerSize == 12) {
        width = Little(bytes, 18, 2);
        height = Little(bytes, 20, 2);
        bitsPerPixel = Little(bytes, 24, 2);
    } else {
        if (bytes.size() < 34)
            ThrowPictureError(shownName, "the file is cut short");
        width = Little(bytes, 18, 4);
        height = Little(bytes, 22, 4);
        bitsPerPixel = Little(bytes, 28, 2);
        compression = Little(bytes, 30, 4);
    }
    height = height < 0 ? -height : height; // negative: rows stored from the top
    CheckPictureSize(width, height, shownName);
    CheckPictureMemory(PixelBytes(width, height), shownName);
    constexpr long long Uncompressed = 0, BitFields = 3;
    if (compression == Uncompressed || compression == BitFields) {
        const long long rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
        if (dataStart < 0 || dataStart + rowBytes * height > static_cast<long long>(bytes.size()))
            ThrowPictureError(shownName, "the file is cut short");
    }
}

// PNG and BMP: Qt's readers, with the size taken from the header first.
QImage DecodeWithQt(const std::string& bytes, const char* format, const std::string& shownName) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(static_cast<int>(PictureMemoryBudget / (1024 * 1024)));
    const QSize size = reader.size();
    if (size.isValid()) {
        CheckPictureSize(size.width(), size.height(), shownName);
        CheckPictureMemory(PixelBytes(size.width(), size.height()), shownName);
    }
    QImage image = reader.read();
    if (image.isNull())
        ThrowPictureError(shownName, reader.errorString().toStdString());
    CheckPictureSize(image.width(), image.height(), shownName);
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                         : QImage::Format_RGB32);
}

} // namespace

void ThrowPictureError(const std::string& shownName, const std::string& reason) {
    throw FileError("Cannot load the picture \"" + shownName + "\": " + reason);
}

void CheckPictureSize(long long width, long long height, const std::string& shownName) {
    if (width <= 0 || height <= 0)
        ThrowPictureError(shownName, "it has no pixels");
    if (width > MaxPictureSide || height > MaxPictureSide)
        ThrowPictureError(shownName, "it is " + std::to_string(width) + " x " +
                                         std::to_string(height) + " pixels, more than " +
                                         std::to_string(MaxPictureSide) + " a side");
}

void CheckPictureMemory(unsigned long long bytes, const std::string& shownName) {
    if (bytes <= PictureMemoryBudget)
        return;
    constexpr unsigned long long Megabyte = 1024ULL * 1024;
    ThrowPictureError(
        shownName, "it would need " + std::to_string((bytes + Megabyte - 1) / Megabyte) +
                       " MB to decode, more than the " +
                       std::to_string(PictureMemoryBudget / Megabyte) + " MB a picture may take");
}

unsigned long long PixelBytes(long long width, long long height) {
    // Both sides are within MaxPictureSide by the time a decoder asks, so this cannot overflow.
    return 4ULL * static_cast<unsigned long long>(std::max(width, 0LL)) *
           static_cast<unsigned long long>(std::max(height, 0LL));
}

QImage FitIntoBox(const Picture& picture, QSize box) {
    const auto* image = dynamic_cast<const ImagePicture*>(&picture);
    if (!image)
        return {};
    const QImage& full = image->Image();
    if (full.width() <= box.width() && full.height() <= box.height())
        return full;
    return full.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

std::unique_ptr<Picture> PictureFiles::Load(const std::filesystem::path& file) {
    const std::string shownName = TextFromPath(file);
    const PictureFormat format = FormatOf(shownName);
    if (format == PictureFormat::Unknown)
        ThrowPictureError(shownName, "unknown extension");
    const std::string bytes = ReadPictureFile(file, shownName);
    switch (format) {
    case PictureFormat::Jpeg:
        return std::make_unique<ImagePicture>(DecodeJpeg(bytes, shownName));
    case PictureFormat::Gif:
        return std::make_unique<ImagePicture>(DecodeGif(bytes, shownName));
    case PictureFormat::Png:
        return std::make_unique<ImagePicture>(DecodeWithQt(bytes, "png", shownName));
    default:
        CheckBmpHeader(bytes, shownName);
        return std::make_unique<ImagePicture>(DecodeWithQt(bytes, "bmp", shownName));
    }
}

} // namespace dravenloom
