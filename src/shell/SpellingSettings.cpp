// Reading and writing the spelling check's settings.
#include "shell/SpellingSettings.h"

namespace dravenloom {

SpellingChoice ReadSpellingChoice(SettingsStore& settings) {
    SpellingChoice choice;
    if (!settings.OpenKey(SpellingKey, false))
        return choice;
    if (const auto check = settings.ReadBool(SpellingKey, "CheckAsYouType"); check.Found())
        choice.CheckAsYouType = check.Value;
    if (const auto language = settings.ReadString(SpellingKey, "Language"); language.Found())
        choice.Language = language.Value;
    return choice;
}

bool WriteSpellingChoice(SettingsStore& settings, const SpellingChoice& choice) {
    return settings.OpenKey(SpellingKey, true) &&
           settings.WriteBool(SpellingKey, "CheckAsYouType", choice.CheckAsYouType) &&
           settings.WriteString(SpellingKey, "Language", choice.Language);
}

} // namespace dravenloom
