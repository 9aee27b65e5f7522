// The "&File" menu's list of the guides last opened or saved, most recent first, kept in the
// settings so that it outlives the run.
#pragma once

#include "document/Platform.h"
#include "document/SettingsStore.h"
#include "shell/FileCommands.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dravenloom {

// The list lives in a key of its own, as the values "1" (most recent) to "8"; an empty value
// is an unused place.
inline constexpr const char* RecentKey = "Software\\Korvessa\\Dravenloom\\Recent";
inline constexpr std::size_t RecentGuideCount = 8;

// Whether two path texts name the same guide: the same file on disk, or, for files that are
// not there, the same absolute path once "." and ".." are taken out.
bool SameGuidePath(const std::string& a, const std::string& b);

// A path text as it is stored: the settings hold code page 1252 text, while a path may hold
// any character, so every byte outside printable ASCII (and "%" itself) is written as "%XX".
std::string RecentPathValue(const std::string& path);
// Back from the stored form; a "%" without two hexadecimal digits stands for itself.
std::string PathFromRecentValue(const std::string& value);

class RecentGuides {
public:
    // Hears of every guide the file commands read or write.
    RecentGuides(FileCommands& files, GuideDocument& document, SettingsStore& settings,
                 Platform& platform);
    RecentGuides(const RecentGuides&) = delete;
    RecentGuides& operator=(const RecentGuides&) = delete;

    // Reads the list from the settings (the window's first show). Values that are missing,
    // unreadable or empty are skipped, and so is a second entry for the same guide.
    void Read();
    // Puts `path` on top of the list, drops any other entry for the same guide and the ninth
    // entry, and stores the list.
    void Note(const std::string& path);
    // The entry `index` (0 = the most recent) was chosen: a guide that is still there is
    // opened as "&Open..." opens a file; one that is gone is dropped from the list, with a
    // message.
    void RecentGuideClick(std::size_t index);

    const std::vector<std::string>& Paths() const { return Entries; }
    // The menu caption of entry `index`: "&1 lamp.dvx" (an "&" in the name doubled, so that it
    // is shown and not taken as an accelerator).
    std::string Caption(std::size_t index) const;

private:
    void Store();

    FileCommands& Files;
    GuideDocument& Document;
    SettingsStore& Settings;
    Platform& Host;
    std::vector<std::string> Entries;
};

} // namespace dravenloom
