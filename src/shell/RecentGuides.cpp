// The list of recent guides.
#include "shell/RecentGuides.h"

#include "document/GuideFile.h"
#include "document/NumberText.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace dravenloom {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

std::filesystem::path NormalPath(const std::string& text) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(PathFromText(text), error);
    if (error)
        path = PathFromText(text);
    return path.lexically_normal();
}

std::string ValueName(std::size_t index) {
    return IntToStr(static_cast<std::int64_t>(index) + 1);
}

} // namespace

bool SameGuidePath(const std::string& a, const std::string& b) {
    std::error_code error;
    // The same file reached through a link, or spelled in another case where the file system
    // ignores case, is one guide.
    if (std::filesystem::equivalent(PathFromText(a), PathFromText(b), error))
        return true;
    return NormalPath(a) == NormalPath(b);
}

std::string RecentPathValue(const std::string& path) {
    std::string value;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '%') {
            value += '%';
            value += HexDigits[byte >> 4];
            value += HexDigits[byte & 0x0F];
        } else {
            value += c;
        }
    }
    return value;
}

std::string PathFromRecentValue(const std::string& value) {
    std::string path;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size() && HexDigitValue(value[i + 1]) >= 0 &&
            HexDigitValue(value[i + 2]) >= 0) {
            path +=
                static_cast<char>(HexDigitValue(value[i + 1]) * 16 + HexDigitValue(value[i + 2]));
            i += 2;
        } else {
            path += value[i];
        }
    }
    return path;
}

RecentGuides::RecentGuides(FileCommands& files, GuideDocument& document, SettingsStore& settings,
                           Platform& platform)
    : Files(files), Document(document), Settings(settings), Host(platform) {
    Files.FileUsedObservers.push_back([this] { Note(Document.GuideFileName); });
}

void RecentGuides::Read() {
    Entries.clear();
    if (!Settings.OpenKey(RecentKey, false))
        return;
    for (std::size_t index = 0; index < RecentGuideCount; ++index) {
        const auto value = Settings.ReadString(RecentKey, ValueName(index));
        if (!value.Found() || value.Value.empty())
            continue;
        const std::string path = PathFromRecentValue(value.Value);
        const bool known = std::any_of(Entries.begin(), Entries.end(), [&](const auto& entry) {
            return SameGuidePath(entry, path);
        });
        if (!known)
            Entries.push_back(path);
    }
}

void RecentGuides::Note(const std::string& path) {
    std::erase_if(Entries, [&](const std::string& entry) { return SameGuidePath(entry, path); });
    Entries.insert(Entries.begin(), path);
    if (Entries.size() > RecentGuideCount)
        Entries.resize(RecentGuideCount);
    Store();
}

void RecentGuides::RecentGuideClick(std::size_t index) {
    if (index >= Entries.size())
        return;
    const std::string path = Entries[index];
    std::error_code error;
    // Checked before the save-changes question: the author is not asked to save the guide
    // on screen for a file that cannot be opened anyway.
    if (!std::filesystem::is_regular_file(PathFromText(path), error)) {
        Entries.erase(Entries.begin() + static_cast<std::ptrdiff_t>(index));
        Store();
        Host.ShowMessage(PlainError("The guide \"" + path +
                                    "\" no longer exists. It has been removed from the list "
                                    "of recent guides."));
        return;
    }
    Files.OpenNamedGuide(path);
}

std::string RecentGuides::Caption(std::size_t index) const {
    std::string name;
    for (const char c : FileNamePart(Entries.at(index))) {
        if (c == '&')
            name += '&';
        name += c;
    }
    return "&" + ValueName(index) + " " + name;
}

void RecentGuides::Store() {
    if (!Settings.OpenKey(RecentKey, true))
        return;
    for (std::size_t index = 0; index < RecentGuideCount; ++index)
        Settings.WriteString(RecentKey, ValueName(index),
                             index < Entries.size() ? RecentPathValue(Entries[index]) : "");
}

} // namespace dravenloom
