// The layout cases that every player of a guide must lay out alike: the settings, a guide, a
// font whose every character has a given width, and what the record screen renderer makes of
// them, written as one JSON document.
#pragma once

#include <string>

namespace dravenloom {

// The whole JSON document of the cases, laid out afresh by the renderer.
std::string LayoutCasesJson();

// Where the document is kept, below the source tree.
inline constexpr const char* LayoutCasesFile = "player/layout-cases/cases.json";

} // namespace dravenloom
