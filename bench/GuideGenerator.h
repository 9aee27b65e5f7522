// Large guides for the benchmarks: realistic record texts, about three responses a record,
// links forward and back, written once per size to a temporary directory.
#pragma once

#include "document/RecordList.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace dravenloom::bench {

struct GeneratedGuide {
    RecordList Records; // the record list as the editor holds it (CR LF in texts)
    std::string Path;   // the same guide as a file
    std::int32_t RecordCount = 0;
    std::uintmax_t FileBytes = 0;
};

// A guide of `recordCount` records, the same for the same count on every run: dialogues of
// one to three lines of 40 to 120 characters, a picture on every fourth record, two to four
// responses of 15 to 60 characters (so about three), the first leading on to the next record
// and the others forward or back by up to twenty; every 500th record also links to the last.
// Generated once per count and kept until the program ends.
const GeneratedGuide& GuideOf(std::int32_t recordCount);

// A directory for the benchmarks' files, removed when the program ends.
const std::filesystem::path& BenchDirectory();

} // namespace dravenloom::bench
