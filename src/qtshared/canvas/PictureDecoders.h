// The decoders behind PictureFiles, each over the bytes of a whole file.
#pragma once

#include <QImage>

#include <string>

namespace dravenloom {

// Each returns the picture or throws a FileError whose message names `shownName` (UTF-8) and
// the reason.
QImage DecodeJpeg(const std::string& bytes, const std::string& shownName);
QImage DecodeGif(const std::string& bytes, const std::string& shownName);

// The FileError every decoder throws: "Cannot load the picture "NAME": REASON".
[[noreturn]] void ThrowPictureError(const std::string& shownName, const std::string& reason);

// Refuses a picture larger than MaxPictureSide a side (or with no pixels at all).
void CheckPictureSize(long long width, long long height, const std::string& shownName);

// Refuses a picture whose decoding would take more than PictureMemoryBudget bytes.
void CheckPictureMemory(unsigned long long bytes, const std::string& shownName);

// The bytes of a picture of that size held at four bytes a pixel, as the canvas draws it.
unsigned long long PixelBytes(long long width, long long height);

} // namespace dravenloom
