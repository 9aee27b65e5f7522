// The figures of a guide that "Statistics" shows and dravenloom-cli stats prints: its size,
// its links and pictures, and the shape of the walks a reader can take from record 1.
#pragma once

#include "document/RecordList.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dravenloom {

struct GuideStatistics {
    std::int32_t Records = 0;
    std::size_t Responses = 0; // response lines
    std::size_t Words = 0;     // blank-separated words of the dialogues and responses
    std::size_t Jumps = 0;     // responses whose target is a record number
    std::size_t WebLinks = 0;  // responses with link markup the player opens
    std::size_t Pictures = 0;  // records with a picture
    // Records with lines that no walk from record 1 reaches by following targets, ascending.
    std::vector<std::int32_t> Unreachable;
    // Records a walk reaches that have no response at all, ascending.
    std::vector<std::int32_t> Endings;
    // The most clicks the shortest walk from record 1 needs to reach a reachable record.
    std::int32_t Depth = 0;
    // Records holding a response whose target is a number no record has, ascending.
    std::vector<std::int32_t> Dangling;
};

// The figures of the guide in `records`, whose record count is `recordCount`. A record's
// first block of lines is the record, as the editor reads it; a line that cannot be read
// fails with a ConversionError.
GuideStatistics ComputeStatistics(const RecordList& records, std::int32_t recordCount);

} // namespace dravenloom
