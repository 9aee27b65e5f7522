// `dravenloom-cli spell GUIDE [--lang LANG] [--json]`: the misspelled words of a guide, record
// by record, with the dictionary's suggestions.
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "QtApplication.h"
#include "TextOutput.h"

#include "document/Cp1252.h"
#include "document/Errors.h"
#include "document/GuideFile.h"
#include "document/NumberText.h"
#include "qtshared/QtSettingsStore.h"
#include "qtshared/SpellingFiles.h"
#include "shell/SpellingSettings.h"
#include "spelling/Dictionaries.h"
#include "spelling/GuideSpelling.h"
#include "spelling/HunspellChecker.h"

#include <QCoreApplication>

#include <algorithm>
#include <ostream>
#include <thread>

namespace dravenloom::cli {
namespace {

std::string Plural(std::size_t count, const char* one, const char* many) {
    return IntToStr(static_cast<std::int64_t>(count)) + " " + (count == 1 ? one : many);
}

void WriteText(BufferedOutput& out, const std::vector<Misspelling>& found, const std::string& name,
               std::int32_t records, const std::string& language) {
    const std::string about = name + " (" +
                              Plural(static_cast<std::size_t>(records), "record", "records") +
                              ", " + language + ")";
    if (found.empty()) {
        out << "OK: no misspelled words in " << about << "\n";
        return;
    }
    for (const Misspelling& entry : found) {
        out << "record " << IntToStr(entry.Record) << ": " << Cp1252ToUtf8(entry.Word);
        if (entry.Suggestions.empty()) {
            out << "  (no suggestions)\n";
            continue;
        }
        out << "  ->";
        for (std::size_t i = 0; i < entry.Suggestions.size(); ++i)
            out << (i == 0 ? " " : ", ") << Cp1252ToUtf8(entry.Suggestions[i]);
        out << "\n";
    }
    out << "\n"
        << Plural(found.size(), "misspelled word", "misspelled words") << " in " << about << "\n";
}

void WriteJson(BufferedOutput& out, const std::vector<Misspelling>& found) {
    out << "[";
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Misspelling& entry = found[i];
        out << (i == 0 ? "" : ",\n ") << "{\"record\": " << IntToStr(entry.Record)
            << ", \"word\": " << JsonString(Cp1252ToUtf8(entry.Word)) << ", \"suggestions\": [";
        for (std::size_t k = 0; k < entry.Suggestions.size(); ++k)
            out << (k == 0 ? "" : ", ") << JsonString(Cp1252ToUtf8(entry.Suggestions[k]));
        out << "]}";
    }
    out << "]\n";
}

int RunSpell(const std::vector<std::string>& arguments, std::ostream& stream, std::ostream&) {
    const ParsedArguments parsed = ParseArguments(arguments, {"--json"}, {"--lang"});
    const std::string& path = parsed.SingleOperand("GUIDE");
    const OpenedGuide guide(path);

    QtApplication application(QtApplication::Kind::EventLoop);
    const std::vector<DictionaryFiles> dictionaries = InstalledDictionaries(
        DictionaryFolders(QCoreApplication::applicationDirPath().toStdString()));
    std::string language;
    if (const auto asked = parsed.Value("--lang")) {
        language = *asked;
    } else {
        QtSettingsStore settings;
        language = DefaultLanguage(dictionaries, ReadSpellingChoice(settings).Language);
    }
    const std::optional<DictionaryFiles> dictionary = FindDictionary(dictionaries, language);
    if (!dictionary) {
        if (dictionaries.empty())
            throw DravenloomError("No spelling dictionary is installed (Hunspell's dictionaries, "
                                  "such as the package hunspell-en-us, go into "
                                  "/usr/share/hunspell)");
        throw DravenloomError("There is no dictionary for the language \"" + language +
                              "\". Installed: " + LanguageListText(dictionaries));
    }

    const PersonalWordList personal(PersonalWordListPath());
    SpellingSession session(std::make_unique<HunspellChecker>(*dictionary), personal);
    std::vector<Misspelling> found = SpellCheckRecords(guide.Document.Records, session, false);
    SuggestSideBySide(
        found, [&] { return std::make_unique<HunspellChecker>(*dictionary); }, personal.Read(),
        std::max(1U, std::thread::hardware_concurrency()));
    BufferedOutput out(stream);
    if (parsed.Has("--json"))
        WriteJson(out, found);
    else
        WriteText(out, found, FileNamePart(path), guide.Document.RecordCount, dictionary->Language);
    return found.empty() ? ExitOk : ExitFindings;
}

const CommandRegistrar Registrar(
    {"spell", "Lists the misspelled words of a guide, record by record, with suggestions",
     "dravenloom-cli spell GUIDE [--lang LANG] [--json]\n"
     "  Checks the dialogue and the responses of every record of GUIDE (a .dvx file) with a\n"
     "  Hunspell dictionary and prints each misspelled word once per record, with the\n"
     "  dictionary's suggestions. Link markup, web and mail addresses and numbers are not\n"
     "  checked; the words added to the program's dictionary are taken as correct.\n"
     "  --lang LANG  the dictionary to check with (\"en_US\", \"de_DE\"); by default the\n"
     "               program's \"Spelling Language\", else en_US\n"
     "  --json       print a JSON array of {\"record\": N, \"word\": W, \"suggestions\": [...]}\n"
     "  Exit status: 0 nothing misspelled, 1 misspelled words found, 2 the file cannot be\n"
     "  read or there is no dictionary for LANG (the message names the installed ones).\n",
     RunSpell});

} // namespace
} // namespace dravenloom::cli
