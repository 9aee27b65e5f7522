// A guide whose tree doubles at almost every level, for the Logic View's tests of size.
#pragma once

#include "support/ShortLines.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dravenloom {

// Record r of `count` jumps to r + 1 and r + 2 (while they exist).
inline std::vector<std::string> Ladder(std::int32_t count) {
    std::vector<std::string> lines;
    for (std::int32_t r = 1; r <= count; ++r) {
        lines.push_back(P(r, "Step " + std::to_string(r)));
        for (std::int32_t t : {r + 1, r + 2})
            if (t <= count)
                lines.push_back(R(r, "to " + std::to_string(t), std::to_string(t)));
    }
    return lines;
}

} // namespace dravenloom
