// Removing a record: its lines go, the later records move up by one, and every jump is
// repaired to point at the same record as before (jumps to the removed record are emptied).
#pragma once

#include "document/RecordEditor.h"
#include "navigation/LogicTree.h"
#include "navigation/Navigator.h"

#include <cstdint>
#include <functional>

namespace dravenloom {

inline constexpr const char* RemoveQuestion =
    "Remove this dialogue and all of its options? Some links to other dialogues may be "
    "disrupted!";

// The removal question: caption "Confirm", OK and Cancel, question icon, Cancel the default.
MessageRequest RemoveQuestionRequest();

// Removes record `removed` from `records` in one pass: its lines are deleted, every later line
// is renumbered N to N - 1 (the rest of the line kept byte for byte), and every response's
// target t is repaired: removed < t <= count becomes t - 1, t = removed is emptied (the
// response text stays), anything else is left alone. `count` is the record count before the
// removal. A line that cannot be read fails with a ConversionError, and lines out of number
// order (a line numbered below the one before it) with a GuideFormatError naming the first
// such line; either leaves the list as it was. A target that is not a number names no record
// and is left alone.
void RemoveRecordLines(RecordList& records, std::int32_t removed, std::int32_t count);

// Repairs the target of one response line when record `removed` of `count` goes.
void RepairLink(std::string& line, std::int32_t removed, std::int32_t count);

class RecordRemoval {
public:
    // `logicViewActive` tells whether the Logic View is the page shown.
    RecordRemoval(GuideDocument& document, EditView& view, RecordEditor& editor,
                  Navigator& navigator, LogicTree& tree, Platform& platform,
                  std::function<bool()> logicViewActive);

    // "Remove" and "Remove record": asks, then removes the current record, or, while the
    // Logic View is shown, the record of the selected node. RemovalDone tells what happened.
    void RemoveCurrentRecord();
    // The dialogue field was left; when it is empty, offers to remove the record and puts the
    // placeholder back, selected, when the author keeps it.
    void DialogueLeftEmpty();

    bool RemovalDone = false;

private:
    void Remove(bool fromTree);

    GuideDocument& Document;
    EditView& View;
    RecordEditor& Editor;
    Navigator& Nav;
    LogicTree& Tree;
    Platform& Host;
    std::function<bool()> LogicViewActive;
};

} // namespace dravenloom
