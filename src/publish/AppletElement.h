// Reading an applet element back: the first APPLET element of an HTML text that loads
// Dravenloom.class, its PARAM values, and the options set from them. A saved element holds
// every appearance setting, so it serves as their memory between runs.
#pragma once

#include "document/GuideFile.h"
#include "publish/AppletOptions.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravenloom {

// The PARAM lines of an element, in order: name and value (code page 1252 bytes, "&quot;"
// read back as a double quote).
using AppletParams = std::vector<std::pair<std::string, std::string>>;

// The largest page that is read for an element: a page with a saved element is a few
// kilobytes, and reading is refused before it starts, so a wrong choice costs no memory.
inline constexpr ReadLimit ElementPageLimit{
    std::uintmax_t{16} << 20,
    "It is larger than 16 MB, far more than a page with a saved element holds"};

// At most this many values that were not taken are listed, a screenful; the rest are counted.
inline constexpr std::size_t MaxListedParams = 20;

struct AppletElement {
    // Every PARAM that names a setting, and the first MaxListedParams of the other names.
    AppletParams Params;
    // The PARAMs of other names beyond those, counted only.
    std::size_t OthersLeftOut = 0;
};

// The parameters of the first APPLET element whose CODE is "Dravenloom.class", or nothing when
// the text holds no such element. Element and attribute names are read in any case; values may
// stand in double quotes, single quotes or none. Memory beyond the text stays a small part of
// its size, whatever the text holds.
std::optional<AppletElement> FindAppletElement(std::string_view html);

// Whether the text loads the player for browsers without Java: a SCRIPT element (any case)
// whose SRC names dravenloom.js, in any folder, as the line generation adds does.
bool LoadsWebPlayer(std::string_view html);

// Sets every option named by a parameter whose value passes its field's rule. Each unknown
// name and each value that fails keeps the option as it was and yields one line for the
// author (UTF-8, control characters shown as \xNN, long values cut), such as:
// size: "20" (Font size must be between 10 and 18.)
// At most MaxListedParams such lines; one more counts the rest and `othersLeftOut`.
std::vector<std::string> ApplyAppletParams(const AppletParams& params, AppletOptions& options,
                                           std::size_t othersLeftOut = 0);
// The same for an element as FindAppletElement reads it.
std::vector<std::string> ApplyAppletElement(const AppletElement& element, AppletOptions& options);

// The page an element is read from (at most ElementPageLimit). A FileError when it cannot be
// read or is larger.
std::string ReadElementPage(const std::string& path);

inline constexpr OptionControl LoadControl{
    "LoadBtn", "Load From File",
    "Click here to take the settings from an element saved in an HTML file.", ""};
inline constexpr const char* NotTakenIntro =
    "These settings of the element were not taken and keep their current values:";

// "Load From File": the open dialog (HTML files), then the options set from the first element
// of the chosen file, the box for browsers without Java ticked exactly when the file loads
// that player. A file without such an element changes nothing and says so; values that were
// not taken are listed in one message. `fileName` is the file the dialog offers first and
// becomes the one chosen; while there is none, the dialog starts in `startFolder` (the guide's
// folder). A FileError when the file cannot be read or is larger than ElementPageLimit.
void LoadOptionsFromFile(AppletOptions& options, Platform& platform, std::string& fileName,
                         const std::string& startFolder = {});

} // namespace dravenloom
