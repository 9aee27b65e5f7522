// The spelling check's stored settings: whether the Edit View checks as the author types (off
// until the author turns it on) and the language chosen under "Spelling Language".
#pragma once

#include "document/SettingsStore.h"

#include <string>

namespace dravenloom {

inline constexpr const char* SpellingKey = "Software\\Korvessa\\Dravenloom\\Spelling";

struct SpellingChoice {
    bool CheckAsYouType = false;
    std::string Language; // a dictionary's name ("en_US"); empty when none was chosen
    bool operator==(const SpellingChoice&) const = default;
};

// The stored choice; what cannot be read keeps its default, silently.
SpellingChoice ReadSpellingChoice(SettingsStore& settings);
// Stores the choice; false when the store refused it.
bool WriteSpellingChoice(SettingsStore& settings, const SpellingChoice& choice);

} // namespace dravenloom
