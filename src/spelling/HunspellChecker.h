// The spelling checker over Hunspell: one dictionary, its words looked up in the dictionary's own
// encoding (the SET line of its .aff file), the answers kept for words asked about again.
#pragma once

#include "spelling/Dictionaries.h"
#include "spelling/SpellChecker.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class Hunspell;

namespace dravenloom {

class HunspellChecker : public SpellChecker {
public:
    // Loads the dictionary; a FileError when one of its files cannot be read, a DravenloomError
    // when its encoding is one this system cannot convert to.
    explicit HunspellChecker(const DictionaryFiles& dictionary);
    ~HunspellChecker() override;
    HunspellChecker(const HunspellChecker&) = delete;
    HunspellChecker& operator=(const HunspellChecker&) = delete;

    bool Correct(std::string_view word) override;
    std::vector<std::string> Suggestions(std::string_view word) override;
    void AddWord(std::string_view word) override;

    const std::string& Language() const { return LanguageName; }
    // The dictionary's encoding as its .aff file names it ("UTF-8", "ISO8859-1").
    const std::string& Encoding() const { return DictionaryEncoding; }

private:
    class Converter;

    // The word in the dictionary's encoding; nothing when the encoding lacks one of its letters.
    std::optional<std::string> ToDictionary(std::string_view word) const;
    // A dictionary word as guide text; nothing when the code page lacks one of its letters or
    // it holds a mark character.
    std::optional<std::string> FromDictionary(const std::string& word) const;

    std::string LanguageName;
    std::string DictionaryEncoding;
    std::unique_ptr<Hunspell> Engine;
    std::unique_ptr<Converter> Convert; // none for a UTF-8 dictionary
    std::unordered_map<std::string, bool> Known;
    std::unordered_map<std::string, std::vector<std::string>> Suggested;
};

} // namespace dravenloom
