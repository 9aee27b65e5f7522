// Reading an applet element back: the first APPLET element of an HTML text that loads
// Dravenloom.class, its PARAM values, and the options set from them. A saved element holds
// every appearance setting, so it serves as their memory between runs.
#pragma once

#include "publish/AppletOptions.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravenloom {

// The PARAM lines of an element, in order: name and value (code page 1252 bytes, "&quot;"
// read back as a double quote).
using AppletParams = std::vector<std::pair<std::string, std::string>>;

// The parameters of the first APPLET element whose CODE is "Dravenloom.class", or nothing when
// the text holds no such element. Element and attribute names are read in any case; values may
// stand in double quotes, single quotes or none.
std::optional<AppletParams> FindAppletElement(std::string_view html);

// Whether the text loads the player for browsers without Java: a SCRIPT element (any case)
// whose SRC names dravenloom.js, in any folder, as the line generation adds does.
bool LoadsWebPlayer(std::string_view html);

// Sets every option named by a parameter whose value passes its field's rule. Each unknown
// name and each value that fails keeps the option as it was and yields one line for the
// author (UTF-8), such as: size: "20" (Font size must be between 10 and 18.)
std::vector<std::string> ApplyAppletParams(const AppletParams& params, AppletOptions& options);

inline constexpr OptionControl LoadControl{
    "LoadBtn", "Load From File",
    "Click here to take the settings from an element saved in an HTML file.", ""};
inline constexpr const char* NotTakenIntro =
    "These settings of the element were not taken and keep their current values:";

// "Load From File": the open dialog (HTML files), then the options set from the first element
// of the chosen file, the box for browsers without Java ticked exactly when the file loads
// that player. A file without such an element changes nothing and says so; values that were
// not taken are listed in one message. `fileName` is the file the dialog offers first and
// becomes the one chosen. A FileError when the file cannot be read.
void LoadOptionsFromFile(AppletOptions& options, Platform& platform, std::string& fileName);

} // namespace dravenloom
