// The "Spelling Language" menu's behaviour: checking as the author types (off until turned on),
// the language, both kept in the settings, and the check they make.
#pragma once

#include "document/SettingsStore.h"
#include "shell/SpellingSettings.h"
#include "spelling/Dictionaries.h"
#include "spelling/SpellingSession.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dravenloom {

class SpellingOptions {
public:
    // `folders`: where dictionaries are looked for; `personalWords`: the personal word list's
    // file (UTF-8; empty keeps added words for this run only).
    SpellingOptions(SettingsStore& settings, std::vector<std::filesystem::path> folders,
                    std::string personalWords);

    // Reads the stored choice and, when the author left checking on, loads the dictionary. A
    // dictionary that cannot be loaded then leaves checking off, silently.
    void Read();
    // Looks for the installed dictionaries again (the menu does so each time it opens).
    void FindDictionaries();

    const std::vector<DictionaryFiles>& Dictionaries() const { return Installed; }
    // The language checked: the chosen one while installed, else the default.
    std::string Language() const { return DefaultLanguage(Installed, Choice.Language); }
    bool CheckAsYouType() const { return Session != nullptr; }
    // The check while checking is on, else none.
    SpellingSession* Check() const { return Session.get(); }

    // "Check Spelling as You Type" ticked or unticked. Turning it on loads the dictionary; a
    // DravenloomError (checking stays off) when none is installed or it cannot be read.
    void CheckAsYouTypeClick(bool on);
    // A language chosen in the menu; while checking, its dictionary replaces the old one (a
    // DravenloomError, and the old one stays, when it cannot be loaded).
    void LanguageClick(const std::string& language);

private:
    std::unique_ptr<SpellingSession> Load(const std::string& language) const;

    SettingsStore& Settings;
    std::vector<std::filesystem::path> Folders;
    std::string PersonalWords;
    std::vector<DictionaryFiles> Installed;
    SpellingChoice Choice;
    std::unique_ptr<SpellingSession> Session;
};

} // namespace dravenloom
