// The "Spelling Language" menu's behaviour.
#include "shell/SpellingOptions.h"

#include "document/Errors.h"
#include "spelling/HunspellChecker.h"

namespace dravenloom {

SpellingOptions::SpellingOptions(SettingsStore& settings,
                                 std::vector<std::filesystem::path> folders,
                                 std::string personalWords)
    : Settings(settings), Folders(std::move(folders)), PersonalWords(std::move(personalWords)) {}

void SpellingOptions::FindDictionaries() { Installed = InstalledDictionaries(Folders); }

void SpellingOptions::Read() {
    Choice = ReadSpellingChoice(Settings);
    if (!Choice.CheckAsYouType)
        return;
    FindDictionaries();
    try {
        Session = Load(Language());
    } catch (const DravenloomError&) {
        // A dictionary removed since the last run is no reason to interrupt the start.
        Session.reset();
    }
}

std::unique_ptr<SpellingSession> SpellingOptions::Load(const std::string& language) const {
    const std::optional<DictionaryFiles> dictionary = FindDictionary(Installed, language);
    if (!dictionary)
        throw DravenloomError("No spelling dictionary is installed. Install one of the "
                              "hunspell-* packages, such as hunspell-en-us");
    return std::make_unique<SpellingSession>(std::make_unique<HunspellChecker>(*dictionary),
                                             PersonalWordList(PersonalWords));
}

void SpellingOptions::CheckAsYouTypeClick(bool on) {
    if (on) {
        FindDictionaries();
        Session = Load(Language());
    } else {
        Session.reset();
    }
    Choice.CheckAsYouType = on;
    WriteSpellingChoice(Settings, Choice);
}

void SpellingOptions::LanguageClick(const std::string& language) {
    if (Session)
        Session = Load(language);
    Choice.Language = language;
    WriteSpellingChoice(Settings, Choice);
}

} // namespace dravenloom
