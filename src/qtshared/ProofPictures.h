// The pictures of a proof copy: each record's picture read once and scaled down to fit the
// page, or the reason it cannot be shown.
#pragma once

#include <QImage>

#include <filesystem>
#include <map>
#include <string>

namespace dravenloom {

// The box a picture of a proof copy is scaled down into, in pixels of 1/96 inch.
inline constexpr int ProofPictureWidth = 280;
inline constexpr int ProofPictureHeight = 210;

struct ProofPicture {
    QImage Image;        // scaled down; null when the file cannot be shown
    std::string Problem; // why not (UTF-8), naming the file
};

class ProofPictures {
public:
    // The picture of `file`, read the first time a record names it.
    const ProofPicture& Of(const std::filesystem::path& file);

private:
    std::map<std::filesystem::path, ProofPicture> Read;
};

} // namespace dravenloom
