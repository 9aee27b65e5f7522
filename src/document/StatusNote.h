// A short note that stands in the status line for a few seconds ("Saved lamp.dvx"), then gives
// way to the record status again.
#pragma once

#include <cstdint>
#include <string>

namespace dravenloom {

// How long a note stands before the record status comes back. The core keeps no clock: the
// window starts a timer of this length whenever Serial changes and, when it runs out, ends
// that note (GuideDocument::EndStatusNote).
inline constexpr int StatusNoteMilliseconds = 4000;

struct StatusNote {
    std::string Text;         // what the note put into the status line
    std::uint64_t Serial = 0; // counts the notes shown, so that a timer ends only its own note
};

} // namespace dravenloom
