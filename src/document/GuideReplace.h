// Replacing matches in a guide: every replacement worked out and checked before any line
// changes, then applied as one change of the record history.
#pragma once

#include "document/GuideSearch.h"
#include "document/UndoHistory.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {

// One line of the record list, before and after.
struct LineEdit {
    std::size_t Index = 0;
    std::string Before;
    std::string After;
};

struct ReplacePlan {
    std::vector<LineEdit> Edits;  // in list order
    std::size_t Replacements = 0; // matches replaced
    std::size_t Records = 0;      // records changed
    std::string Refusal;          // why nothing may change (UTF-8); empty when all may
};

// Works out the lines that replacing `matches` (found by FindInGuide with `pattern` in the
// list as it stands, in list order) with `utf8Replacement` gives. Refused, with the reason,
// when a replacement holds a character a record can't hold (one of the guide file's mark
// characters, or one the code page lacks), would leave a dialogue without picture or a
// response empty (the record or the response and its jump would be lost), or would leave a
// CR or LF alone (it would split the line in the file). A PatternError when the replacement
// names a group the expression lacks.
ReplacePlan PlanReplacements(const RecordList& records, const TextPattern& pattern,
                             const std::vector<GuideMatch>& matches,
                             std::string_view utf8Replacement);

// The edits of a plan as a change of the record history: each line put back or made again.
class LineEditsChange : public HistoryChange {
public:
    LineEditsChange(RecordList& list, std::vector<LineEdit> edits)
        : List(list), Edits(std::move(edits)) {}
    void Undo() override;
    void Redo() override;
    std::size_t Size() const override;

private:
    RecordList& List;
    std::vector<LineEdit> Edits;
};

// Puts the plan's lines into the list (it must stand as it was planned on).
void ApplyLineEdits(RecordList& records, const std::vector<LineEdit>& edits);

} // namespace dravenloom
