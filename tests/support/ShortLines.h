// Record lines written briefly in tests of guide tables: P(n, dialogue) is record n's primary
// line without a picture and not centred, R(n, text, target) a response line of record n.
#pragma once

#include "document/RecordCodec.h"

#include <cstdint>
#include <string>

namespace dravenloom {

inline std::string P(std::int32_t n, const std::string& dialogue) {
    return BuildPrimaryLine(n, dialogue, "", "300", "0", false);
}

inline std::string R(std::int32_t n, const std::string& text, const std::string& target = "") {
    return BuildResponseLine(n, text, target);
}

} // namespace dravenloom
