// The check every guide's lines pass before the editor takes them: a guide file being opened
// and a recovery copy being restored alike.
#pragma once

#include <string>
#include <vector>

namespace dravenloom {

// What keeps `lines` (as read, still encoded or not) from being a guide, as the author reads
// it after a colon ("line 3 does not start with a record number"), or empty when nothing
// does. Every line must start with a record number of at least 1 and the record mark; the
// record count is taken from the last line, so no other numbering is checked.
std::string GuideLinesFault(const std::vector<std::string>& lines);

} // namespace dravenloom
