// Finding the installed spelling dictionaries.
#include "spelling/Dictionaries.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <system_error>

namespace dravenloom {

std::vector<std::filesystem::path> DictionaryFolders(const std::string& executableDirectory) {
    namespace fs = std::filesystem;
    std::vector<fs::path> folders;
#ifdef _WIN32
    constexpr char Separator = ';';
#else
    constexpr char Separator = ':';
#endif
    if (const char* dicpath = std::getenv("DICPATH")) {
        std::string rest = dicpath;
        while (!rest.empty()) {
            const std::size_t end = rest.find(Separator);
            const std::string folder = rest.substr(0, end);
            if (!folder.empty())
                folders.emplace_back(folder);
            rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
        }
    }
    if (!executableDirectory.empty())
        folders.push_back(fs::path(executableDirectory) / "dictionaries");
#ifndef _WIN32
    folders.emplace_back("/usr/share/hunspell");
    folders.emplace_back("/usr/share/myspell");
    folders.emplace_back("/usr/share/myspell/dicts");
#endif
    return folders;
}

std::vector<DictionaryFiles> InstalledDictionaries(
    const std::vector<std::filesystem::path>& folders) {
    namespace fs = std::filesystem;
    std::vector<DictionaryFiles> found;
    std::set<std::string> languages;
    for (const fs::path& folder : folders) {
        std::error_code error;
        fs::directory_iterator entries(folder, error);
        if (error)
            continue;
        std::vector<DictionaryFiles> here;
        for (const fs::directory_entry& entry : entries) {
            const fs::path& words = entry.path();
            if (words.extension() != ".dic")
                continue;
            fs::path affixes = words;
            affixes.replace_extension(".aff");
            if (!fs::is_regular_file(words, error) || !fs::is_regular_file(affixes, error))
                continue;
            here.push_back({words.stem().string(), affixes, words});
        }
        // Within a folder the order of a directory listing is the system's; sorted, the same
        // language in two spellings of one folder resolves alike everywhere.
        std::sort(here.begin(), here.end(),
                  [](const auto& a, const auto& b) { return a.Language < b.Language; });
        for (auto& dictionary : here) {
            if (languages.insert(dictionary.Language).second)
                found.push_back(std::move(dictionary));
        }
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.Language < b.Language; });
    return found;
}

std::string LanguageListText(const std::vector<DictionaryFiles>& dictionaries) {
    if (dictionaries.empty())
        return "none";
    std::string text;
    for (const auto& dictionary : dictionaries)
        text += (text.empty() ? "" : ", ") + dictionary.Language;
    return text;
}

std::optional<DictionaryFiles> FindDictionary(const std::vector<DictionaryFiles>& dictionaries,
                                              const std::string& language) {
    for (const auto& dictionary : dictionaries) {
        if (dictionary.Language == language)
            return dictionary;
    }
    return std::nullopt;
}

std::string DefaultLanguage(const std::vector<DictionaryFiles>& dictionaries,
                            const std::string& stored) {
    if (!stored.empty() && FindDictionary(dictionaries, stored))
        return stored;
    if (FindDictionary(dictionaries, "en_US"))
        return "en_US";
    return dictionaries.empty() ? std::string() : dictionaries.front().Language;
}

} // namespace dravenloom
