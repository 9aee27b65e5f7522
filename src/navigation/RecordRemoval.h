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

// What a removal needs to be taken back, without a copy of the guide: the lines taken out and
// where they stood, and the few lines that renumbering and link repair cannot reverse by rule
// (emptied links, numbers written with leading zeros or a sign), as they were.
struct RemovalTrace {
    std::int32_t Removed = 0;
    std::int32_t Count = 0;
    std::size_t Start = 0;
    std::vector<std::string> RemovedLines;
    std::vector<std::pair<std::size_t, std::string>> Kept; // index after the removal, old line
};

// RemoveRecordLines that also fills `trace`.
void RemoveRecordLines(RecordList& records, std::int32_t removed, std::int32_t count,
                       RemovalTrace& trace);

// Puts the list back as it was before the removal `trace` describes.
void RestoreRemovedRecord(RecordList& records, const RemovalTrace& trace);

// Repairs the target of one response line when record `removed` of `count` goes.
void RepairLink(std::string& line, std::int32_t removed, std::int32_t count);

// A removal as a step of the record history: undone by the reverse rule, redone by removing
// again.
class RemovalChange : public HistoryChange {
public:
    RemovalChange(RecordList& list, RemovalTrace trace) : List(list), Trace(std::move(trace)) {}
    void Undo() override { RestoreRemovedRecord(List, Trace); }
    void Redo() override { RemoveRecordLines(List, Trace.Removed, Trace.Count); }
    std::size_t Size() const override;

private:
    RecordList& List;
    RemovalTrace Trace;
};

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
