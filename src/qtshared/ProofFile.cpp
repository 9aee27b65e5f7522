// Choosing the proof copy's writer and writing its file safely.
#include "qtshared/ProofFile.h"

#include "document/GuideFile.h"
#include "qtshared/ProofHtml.h"
#include "qtshared/ProofPdf.h"

namespace dravenloom {

void WriteProofCopy(const ProofCopy& copy, const std::string& path) {
    const auto kind = ProofKindOf(path);
    if (!kind)
        throw ProofError("Cannot write the proof copy \"" + path +
                         "\": its name must end in .pdf, .html or .htm");
    if (*kind == ProofKind::Html) {
        WriteFileAtomically(path, ProofHtml(copy));
        return;
    }
    const QByteArray pdf = ProofPdf(copy);
    WriteFileAtomically(path, std::string(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

} // namespace dravenloom
