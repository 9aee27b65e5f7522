// The appearance options that `tag` and `render` share: the settings of the "Generate HTML"
// page, from their defaults, then an element saved earlier (--from), then the command line.
#pragma once

#include "CommandRegistry.h"

#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {
class AppletOptions;
}

namespace dravenloom::cli {

// The options' names, for ParseArguments, with a command's own added.
std::vector<std::string_view> AppearanceFlags(std::initializer_list<std::string_view> own = {});
std::vector<std::string_view> AppearanceValues(std::initializer_list<std::string_view> own = {});

// Puts the settings of --from and then of every option given into `options`, each value checked
// as its field checks it. A value refused, or a --from file without a usable element, is
// reported on `err` as "dravenloom-cli COMMAND: ..." and the result is false.
bool TakeAppearance(const ParsedArguments& parsed, AppletOptions& options,
                    const std::string& command, std::ostream& err);

} // namespace dravenloom::cli
