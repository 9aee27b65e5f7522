// The proof copy as one self-contained HTML page: every text escaped, the pictures scaled down
// into data: addresses, or a note where one cannot be read.
#pragma once

#include "publish/ProofCopy.h"

#include <string>

namespace dravenloom {

// The page (UTF-8).
std::string ProofHtml(const ProofCopy& copy);

} // namespace dravenloom
