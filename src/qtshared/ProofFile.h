// Writing a proof copy to a file, as PDF or HTML by the ending of its name.
#pragma once

#include "publish/ProofCopy.h"

#include <string>

namespace dravenloom {

// Writes the proof copy to `path` (UTF-8) through a temporary file renamed into place. A
// ProofError for a name that ends in neither ".pdf" nor ".html" or ".htm", a FileError naming
// the file and the reason when it cannot be written.
void WriteProofCopy(const ProofCopy& copy, const std::string& path);

} // namespace dravenloom
