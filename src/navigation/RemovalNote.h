// What the status line says after a record was removed: which records lost a link to it.
#pragma once

#include "document/RecordList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dravenloom {

// The records whose links to record `removed` are emptied when it goes, in ascending order,
// each once, numbered as they will be after the removal (the later records move up by one),
// since that is where the author will look for them. The removed record's own links to
// itself go with it and are not counted.
std::vector<std::int32_t> RecordsLosingLinks(const RecordList& records, std::int32_t removed);

// "Record 3 removed", followed by "; links cleared in record 1", "; links cleared in records
// 1 and 5" or "; links cleared in records 1, 4 and 5" when links were cleared.
std::string RemovalNote(std::int32_t removed, const std::vector<std::int32_t>& cleared);

} // namespace dravenloom
