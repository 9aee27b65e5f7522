// The spelling checker over Hunspell.
//
// Hunspell reads and answers in the dictionary's encoding. UTF-8 dictionaries (most of today's)
// take the code page's UTF-8 form; the older 8-bit ones go through iconv in both directions.
#include "spelling/HunspellChecker.h"

#include "document/Cp1252.h"
#include "document/Errors.h"

#include <hunspell/hunspell.hxx>

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>

namespace dravenloom {
namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Hunspell's names for 8-bit encodings as iconv knows them.
std::string IconvName(const std::string& encoding) {
    const std::string upper = Upper(encoding);
    if (upper.rfind("MICROSOFT-CP", 0) == 0)
        return "CP" + upper.substr(12);
    if (upper == "TIS620-2533")
        return "TIS-620";
    return upper;
}

bool Readable(const std::filesystem::path& path) {
    return std::ifstream(path, std::ios::binary).is_open();
}

} // namespace

// A pair of iconv conversions between the code page and the dictionary's encoding.
class HunspellChecker::Converter {
public:
    explicit Converter(const std::string& encoding)
        : ToDict(iconv_open(IconvName(encoding).c_str(), "CP1252")),
          FromDict(iconv_open("CP1252", IconvName(encoding).c_str())) {}
    ~Converter() {
        if (ToDict != Invalid)
            iconv_close(ToDict);
        if (FromDict != Invalid)
            iconv_close(FromDict);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Usable() const { return ToDict != Invalid && FromDict != Invalid; }
    std::optional<std::string> ToDictionary(std::string_view text) const { return Run(ToDict, text); }
    std::optional<std::string> FromDictionary(std::string_view text) const {
        return Run(FromDict, text);
    }

private:
    static inline const iconv_t Invalid = reinterpret_cast<iconv_t>(-1);

    // Nothing when a character has no place in the other encoding.
    static std::optional<std::string> Run(iconv_t cd, std::string_view text) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        std::string in(text);
        std::string out(text.size() * 4 + 8, '\0');
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

    iconv_t ToDict;
    iconv_t FromDict;
};

HunspellChecker::HunspellChecker(const DictionaryFiles& dictionary)
    : LanguageName(dictionary.Language) {
    for (const auto& file : {dictionary.Affixes, dictionary.Words}) {
        if (!Readable(file))
            throw FileError("Cannot open the dictionary file \"" + file.string() + "\"");
    }
    Engine = std::make_unique<Hunspell>(dictionary.Affixes.string().c_str(),
                                        dictionary.Words.string().c_str());
    DictionaryEncoding = Engine->get_dict_encoding();
    const std::string upper = Upper(DictionaryEncoding);
    if (upper != "UTF-8" && upper != "UTF8") {
        Convert = std::make_unique<Converter>(DictionaryEncoding);
        if (!Convert->Usable())
            throw DravenloomError("The dictionary " + LanguageName + " is written in the encoding " +
                                  DictionaryEncoding + ", which this system cannot read");
    }
}

HunspellChecker::~HunspellChecker() = default;

std::optional<std::string> HunspellChecker::ToDictionary(std::string_view word) const {
    // The typographic apostrophe is the plain one to every dictionary.
    std::string plain(word);
    std::replace(plain.begin(), plain.end(), '\x92', '\'');
    if (!Convert)
        return Cp1252ToUtf8(plain);
    return Convert->ToDictionary(plain);
}

std::optional<std::string> HunspellChecker::FromDictionary(const std::string& word) const {
    std::optional<std::string> bytes = Convert ? Convert->FromDictionary(word) : Utf8ToCp1252(word);
    if (!bytes || std::any_of(bytes->begin(), bytes->end(), [](char c) {
            return IsReservedMarkByte(static_cast<unsigned char>(c));
        }))
        return std::nullopt;
    return bytes;
}

bool HunspellChecker::Correct(std::string_view word) {
    const std::string key(word);
    if (const auto found = Known.find(key); found != Known.end())
        return found->second;
    const std::optional<std::string> converted = ToDictionary(word);
    const bool correct = converted && Engine->spell(*converted);
    Known.emplace(key, correct);
    return correct;
}

std::vector<std::string> HunspellChecker::Suggestions(std::string_view word) {
    const std::string key(word);
    if (const auto found = Suggested.find(key); found != Suggested.end())
        return found->second;
    std::vector<std::string> suggestions;
    if (const std::optional<std::string> converted = ToDictionary(word)) {
        for (const std::string& suggestion : Engine->suggest(*converted)) {
            std::optional<std::string> bytes = FromDictionary(suggestion);
            if (bytes && std::find(suggestions.begin(), suggestions.end(), *bytes) ==
                             suggestions.end())
                suggestions.push_back(std::move(*bytes));
        }
    }
    Suggested.emplace(key, suggestions);
    return suggestions;
}

void HunspellChecker::AddWord(std::string_view word) {
    if (const std::optional<std::string> converted = ToDictionary(word))
        Engine->add(*converted);
    Known[std::string(word)] = true;
}

} // namespace dravenloom
