// The proof copy as a PDF through Qt's own PDF writer: the guide's name at the top and the
// page number at the foot of every page.
#pragma once

#include "publish/ProofCopy.h"

#include <QByteArray>
#include <QIODevice>
#include <QLocale>
#include <QPageSize>

namespace dravenloom {

// Letter where the locale measures in US units, A4 everywhere else.
QPageSize ProofPageSize(const QLocale& locale = QLocale::system());

// Writes the PDF document to `device`, open for writing.
void PaintPdf(const ProofCopy& copy, const QPageSize& pageSize, QIODevice& device);

// The PDF document's bytes.
QByteArray ProofPdf(const ProofCopy& copy, const QPageSize& pageSize = ProofPageSize());

} // namespace dravenloom
