// The author's own words for the spelling check ("Add to Dictionary"): a text file in the user's
// data folder, one word a line in UTF-8, kept across runs and shared by every language.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {

class PersonalWordList {
public:
    // `path` (UTF-8) need not exist yet; without a path the list is kept for this run only.
    explicit PersonalWordList(std::string path = {});

    // The words in the file, as guide text (code page 1252); lines the code page cannot hold
    // and blank lines are passed over. A missing file is an empty list.
    std::vector<std::string> Read() const;
    // Adds the word (guide text) to the file unless it is there already; the folder is made
    // when it is missing. A FileError when the file cannot be written.
    void Add(std::string_view word);

    const std::string& Path() const { return FilePath; }

private:
    std::string FilePath;
};

} // namespace dravenloom
