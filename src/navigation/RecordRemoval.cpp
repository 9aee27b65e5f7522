// Removing a record with link repair.
#include "navigation/RecordRemoval.h"

#include "document/Errors.h"
#include "document/NumberText.h"
#include "document/RecordCodec.h"
#include "navigation/RemovalNote.h"

#include <charconv>
#include <utility>

namespace dravenloom {

void RepairLink(std::string& line, std::int32_t removed, std::int32_t count) {
    const auto mark = line.find(TextMark);
    if (mark == std::string::npos || mark + 1 == line.size())
        return;
    const auto target = ReadNumber(std::string_view(line).substr(mark + 1));
    if (!target)
        return;
    if (*target == removed)
        line.resize(mark + 1);
    else if (*target > removed && *target <= count)
        line.replace(mark + 1, std::string::npos, IntToStr(std::int64_t{*target} - 1));
}

namespace {

// Whether `text` is exactly the decimal text IntToStr gives for `value`, which is what the
// renumbering and the link repair write: only then does the reverse rule give it back.
bool PlainDecimal(std::string_view text, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return text == std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

// Whether a kept line comes back from its repaired form by the reverse rule alone.
bool ReversibleByRule(std::string_view line, bool renumbered, bool response, std::int32_t removed,
                      std::int32_t count) {
    if (renumbered && !PlainDecimal(line.substr(0, line.find(NumberMark)), LineNumber(line)))
        return false;
    if (!response)
        return true;
    const auto mark = line.find(TextMark);
    if (mark == std::string_view::npos || mark + 1 == line.size())
        return true;
    const std::string_view text = line.substr(mark + 1);
    const auto target = ReadNumber(text);
    if (!target || *target < removed || *target > count)
        return true; // left alone by the repair
    return *target != removed && PlainDecimal(text, *target);
}

void RemoveLines(RecordList& records, std::int32_t removed, std::int32_t count,
                 RemovalTrace* trace) {

    auto& lines = records.Lines;
    // Every number is read before anything changes, so a line that cannot be read leaves the
    // list as it was.
    std::vector<std::int32_t> numbers;
    numbers.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        numbers.push_back(LineNumber(lines[i]));
        // The walk renumbers every line after the removed record by one; a line out of order
        // there would come out as another record, or as record 0, which no guide may hold.
        if (i > 0 && numbers[i] < numbers[i - 1])
            throw GuideFormatError("Record " + IntToStr(removed) + " can't be removed: line " +
                                   IntToStr(static_cast<std::int64_t>(i) + 1) + " holds record " +
                                   IntToStr(numbers[i]) + " after record " +
                                   IntToStr(numbers[i - 1]) +
                                   ", but the records of a guide must stand in ascending order");
    }

    // One pass that closes the gap as it goes: each line after the removed record moves up
    // into place, so taking a record out of the middle costs one pass however long the guide.
    // Erasing the lines one by one would move the rest of the list for every line.
    std::size_t write = 0;
    // The number of the line before the one looked at, as it stands in the list at that
    // moment: already renumbered when it lies after the removed record.
    std::int64_t previous = 0;
    bool after = false;
    std::size_t i = 0;
    while (i < lines.size()) {
        const std::int64_t number = numbers[i];
        // The removed record's lines go; from there on every line moves up by one. A record
        // without lines (a gap in a file's numbering) still closes its gap, so that the jumps
        // repaired to t - 1 find the records that moved up.
        if (!after && number >= removed) {
            if (trace)
                trace->Start = write;
            while (i < lines.size() && numbers[i] == removed) {
                if (trace)
                    trace->RemovedLines.push_back(std::move(lines[i]));
                ++i;
            }
            after = true;
            continue;
        }
        std::string& line = lines[i];
        // A response line repeats the number of the line before it.
        const bool response = write > 0 && (after ? number - 1 : number) == previous;
        if (trace && !ReversibleByRule(line, after, response, removed, count))
            trace->Kept.emplace_back(write, line);
        if (response)
            RepairLink(line, removed, count);
        if (after) {
            previous = number - 1;
            line.replace(0, line.find(NumberMark), IntToStr(previous));
        } else {
            previous = number;
        }
        if (write != i)
            lines[write] = std::move(line);
        ++write;
        ++i;
    }
    lines.resize(write);
    if (trace && !after)
        trace->Start = write;
}

} // namespace

void RemoveRecordLines(RecordList& records, std::int32_t removed, std::int32_t count) {
    RemoveLines(records, removed, count, nullptr);
}

void RemoveRecordLines(RecordList& records, std::int32_t removed, std::int32_t count,
                       RemovalTrace& trace) {
    trace = RemovalTrace{removed, count, 0, {}, {}};
    RemoveLines(records, removed, count, &trace);
}

// The reverse rule: every line numbered from the removed record on moves back down by one,
// and every response target the repair lowered, removed <= t < count, goes back up; the lines
// the rule cannot restore are put back as they were. Then the removed lines go back in.
void RestoreRemovedRecord(RecordList& records, const RemovalTrace& trace) {
    auto& lines = records.Lines;
    auto kept = trace.Kept.begin();
    std::int32_t previous = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        const std::int32_t number = LineNumber(line);
        const bool response = i > 0 && number == previous;
        previous = number;
        if (kept != trace.Kept.end() && kept->first == i) {
            line = (kept++)->second;
            continue;
        }
        if (response) {
            const auto mark = line.find(TextMark);
            if (mark != std::string::npos && mark + 1 < line.size()) {
                const auto target = ReadNumber(std::string_view(line).substr(mark + 1));
                if (target && *target >= trace.Removed && *target < trace.Count)
                    line.replace(mark + 1, std::string::npos, IntToStr(std::int64_t{*target} + 1));
            }
        }
        if (number >= trace.Removed)
            line.replace(0, line.find(NumberMark), IntToStr(std::int64_t{number} + 1));
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(trace.Start),
                 trace.RemovedLines.begin(), trace.RemovedLines.end());
}

std::size_t RemovalChange::Size() const {
    std::size_t bytes = sizeof(*this);
    for (const auto& line : Trace.RemovedLines)
        bytes += sizeof(line) + line.size();
    for (const auto& [index, line] : Trace.Kept)
        bytes += sizeof(index) + sizeof(line) + line.size();
    return bytes;
}

MessageRequest RemoveQuestionRequest() {
    return {"Confirm", RemoveQuestion, MsgButtons::OkCancel, MsgIcon::Question, MsgAnswer::Cancel};
}

RecordRemoval::RecordRemoval(GuideDocument& document, EditView& view, RecordEditor& editor,
                             Navigator& navigator, LogicTree& tree, Platform& platform,
                             std::function<bool()> logicViewActive)
    : Document(document), View(view), Editor(editor), Nav(navigator), Tree(tree), Host(platform),
      LogicViewActive(std::move(logicViewActive)) {}

void RecordRemoval::RemoveCurrentRecord() {
    Remove(LogicViewActive && LogicViewActive());
}

void RecordRemoval::DialogueLeftEmpty() {
    if (!View.DialogueMemo.Text.empty())
        return;
    // The field left empty is the current record's, whatever page the focus moved to.
    try {
        Remove(false);
    } catch (...) {
        // The record stays, so its dialogue comes back as when the author keeps it.
        Editor.PutPlaceholderDialogue();
        throw;
    }
    if (RemovalDone)
        return;
    Editor.PutPlaceholderDialogue();
}

void RecordRemoval::Remove(bool fromTree) {
    // A stray Enter must not remove a record: Cancel is the default button.
    const MsgAnswer answer = Host.ShowMessage(RemoveQuestionRequest());
    RemovalDone = false;
    if (answer != MsgAnswer::Ok)
        return;
    std::int32_t removed = Document.CurrentRecord;
    if (fromTree) {
        // Without a selected node there is nothing to remove, and the Edit View keeps the
        // working copy it holds.
        if (!Tree.Selected)
            return;
        removed = Tree.RecordNumber(*Tree.Selected);
    }
    const std::int32_t count = Document.RecordCount;
    const std::vector<std::int32_t> cleared = RecordsLosingLinks(Document.Records, removed);
    HistoryGroup step(Document, StepKind::Command, "Remove record " + IntToStr(removed));
    // The list first: one that cannot be read fails here, before anything has changed. The
    // view's clearing reads nothing of the list, so the order shows nowhere else.
    RemovalTrace trace;
    RemoveRecordLines(Document.Records, removed, count, trace);
    Document.History.Add(std::make_unique<RemovalChange>(Document.Records, std::move(trace)));
    Editor.ClearEditView();
    std::int32_t current = removed;
    if (current != 1)
        --current;
    Document.CurrentRecord = current;
    if (count > 1)
        Document.RecordCount = count - 1;
    // Until it is rebuilt, the tree's nodes carry the numbers from before the removal.
    Tree.RecordsRenumbered();
    if (Document.RecordCount == 1)
        View.BackBitBtn.Enabled = false;
    // "Go back" keeps its number through a removal, but one past the end would make the walk
    // append empty records until it got there: it goes to the last record instead.
    if (Nav.LastViewedRecord > Document.RecordCount)
        Nav.LastViewedRecord = Document.RecordCount;
    Document.ShowRecordStatus();
    Editor.LoadRecord();
    const bool placeholder = View.DialogueMemo.Text.empty();
    if (placeholder)
        Editor.DialogueMemoChange(PlaceholderDialogue);
    Editor.CommitRecord();
    if (LogicViewActive && LogicViewActive())
        Tree.Build();
    else
        Host.Focus(View.DialogueMemo, placeholder);
    if (Document.CurrentRecord == 1)
        View.PrevBitBtn.Enabled = false;
    Editor.UpdateCreateButtons();
    // The list changed even when the view had nothing to clear.
    Document.MarkModified();
    RemovalDone = true;
    Document.ShowStatusNote(RemovalNote(removed, cleared));
}

} // namespace dravenloom
