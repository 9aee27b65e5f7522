// Where the program and dravenloom-cli keep the author's own spelling words.
#pragma once

#include <string>

namespace dravenloom {

// "personal-words.txt" in the user's data folder for the program
// (QStandardPaths::GenericDataLocation, then "Korvessa/Dravenloom"), UTF-8; empty when the
// system names no such folder.
std::string PersonalWordListPath();

} // namespace dravenloom
