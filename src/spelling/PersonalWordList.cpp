// The author's own words, kept in a file.
#include "spelling/PersonalWordList.h"

#include "document/Cp1252.h"
#include "document/GuideFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace dravenloom {

PersonalWordList::PersonalWordList(std::string path) : FilePath(std::move(path)) {}

std::vector<std::string> PersonalWordList::Read() const {
    std::vector<std::string> words;
    std::error_code error;
    if (FilePath.empty() || !std::filesystem::is_regular_file(PathFromText(FilePath), error))
        return words;
    for (const std::string& line : SplitGuideText(ReadFileBytes(FilePath))) {
        std::string_view text = line;
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        if (text.empty())
            continue;
        if (std::optional<std::string> word = Utf8ToCp1252(text))
            words.push_back(std::move(*word));
    }
    return words;
}

void PersonalWordList::Add(std::string_view word) {
    if (FilePath.empty() || word.empty())
        return;
    std::vector<std::string> words = Read();
    if (std::find(words.begin(), words.end(), word) != words.end())
        return;
    words.emplace_back(word);
    std::string text;
    for (const std::string& each : words)
        text += Cp1252ToUtf8(each) + "\n";
    std::error_code ignored; // a folder that cannot be made shows as the write failing
    std::filesystem::create_directories(PathFromText(FilePath).parent_path(), ignored);
    WriteFileAtomically(FilePath, text);
}

} // namespace dravenloom
