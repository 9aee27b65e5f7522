// What `find` and `replace` share: the search options on the command line, and the matches of
// a pattern in an opened guide.
#pragma once

#include "CommandRegistry.h"

#include "document/GuideSearch.h"

#include <string_view>
#include <vector>

namespace dravenloom::cli {

// The flags --regex, --ignore-case and --whole-word.
inline const std::vector<std::string_view> SearchFlags = {"--regex", "--ignore-case",
                                                          "--whole-word"};

inline SearchOptions SearchOptionsOf(const ParsedArguments& parsed) {
    return {!parsed.Has("--ignore-case"), parsed.Has("--whole-word"), parsed.Has("--regex")};
}

// The usage lines of the three flags.
inline constexpr const char* SearchFlagsUsage =
    "  --regex        PATTERN is a regular expression (PCRE2, Perl's syntax); otherwise it\n"
    "                 is found as written\n"
    "  --ignore-case  capitals and small letters match each other, accented ones too\n"
    "  --whole-word   only where no letter, digit or underscore touches the match\n";

} // namespace dravenloom::cli
