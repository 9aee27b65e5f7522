// The spelling dictionaries installed on the machine: Hunspell's pairs of .aff and .dic files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

struct DictionaryFiles {
    std::string Language; // the files' common name, for example "en_US"
    std::filesystem::path Affixes; // the .aff file
    std::filesystem::path Words;   // the .dic file
};

// Where dictionaries are looked for, in this order: the folders named by DICPATH (separated as
// the system separates paths), the folder "dictionaries" beside the executable, then the
// system's: /usr/share/hunspell, /usr/share/myspell and /usr/share/myspell/dicts on Linux.
std::vector<std::filesystem::path> DictionaryFolders(const std::string& executableDirectory);

// Every dictionary in the folders, one per language (the first folder that has it wins), sorted
// by language. A .dic file without its .aff file is no dictionary.
std::vector<DictionaryFiles> InstalledDictionaries(
    const std::vector<std::filesystem::path>& folders);

// The language names of the dictionaries, separated by ", ", or "none" when there are none.
std::string LanguageListText(const std::vector<DictionaryFiles>& dictionaries);

// The dictionary of `language`, when one is installed.
std::optional<DictionaryFiles> FindDictionary(const std::vector<DictionaryFiles>& dictionaries,
                                              const std::string& language);

// The language checked when the author chose none, or chose one whose dictionary is gone: the
// stored choice when it is installed, else "en_US", else the first installed; empty when no
// dictionary is installed.
std::string DefaultLanguage(const std::vector<DictionaryFiles>& dictionaries,
                            const std::string& stored);

} // namespace dravenloom
