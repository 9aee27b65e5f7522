// The Logic View's second column: a node's record number and, for a response, where it goes.
#pragma once

#include "navigation/LogicTree.h"

#include <string>

namespace dravenloom {

// UTF-8. A record node: "5". A response of record 3: "3 → 5" (a forward jump, shown
// expanded), "3 ↩ 2" (back to an earlier record, not expanded), "3 ↻" (to its own record),
// "3 no link" (no target), "3 missing 12" (a number no record of the guide has) or
// "3 not a number" (a target the tree cannot read).
std::string NodeDetail(const LogicTree& tree, LogicTree::NodeId node);

// The widest detail the column is sized for: two record numbers of five digits.
inline constexpr const char* WidestNodeDetail = "99999 missing 99999";

} // namespace dravenloom
