// Reading the pictures of a proof copy with the program's own decoders.
#include "qtshared/ProofPictures.h"

#include "document/Errors.h"
#include "qtshared/canvas/PictureFiles.h"

namespace dravenloom {

const ProofPicture& ProofPictures::Of(const std::filesystem::path& file) {
    const auto known = Read.find(file);
    if (known != Read.end())
        return known->second;
    ProofPicture picture;
    try {
        const auto loaded = PictureFiles().Load(file);
        picture.Image = FitIntoBox(*loaded, QSize(ProofPictureWidth, ProofPictureHeight));
    } catch (const DravenloomError& failure) {
        picture.Problem = failure.what();
    }
    return Read.emplace(file, std::move(picture)).first->second;
}

} // namespace dravenloom
