// Moving between records.
#include "navigation/Navigator.h"

#include "document/NumberText.h"

#include <algorithm>
#include <optional>

namespace dravenloom {

Navigator::Navigator(GuideDocument& document, EditView& view, RecordEditor& editor)
    : Document(document), View(view), Editor(editor) {}

void Navigator::Reset() {
    Walking = false;
    LastViewedRecord = 0;
    WalkPosition = 0;
    WalkTarget = 0;
}

void Navigator::StepPrevious() {
    if (!Walking) {
        LastViewedRecord = Document.CurrentRecord;
        if (Document.Modified())
            Editor.CommitRecord();
    }
    // Never below the first record, even when a caller steps from it.
    if (Document.CurrentRecord > 1)
        --Document.CurrentRecord;
    if (!Walking || WalkTarget >= WalkPosition)
        Editor.LoadRecord();
    if (Document.CurrentRecord == 1)
        View.PrevBitBtn.Enabled = false;
    Document.ShowRecordStatus();
    View.NextBitBtn.Enabled = true;
    View.RemoveBitBtn.Enabled = true;
    Editor.UpdateCreateButtons();
}

void Navigator::StepNext() {
    const auto next = NextRecordNumber(Document.CurrentRecord);
    if (!next) {
        RefuseRecordAfterHighest();
        return;
    }
    if (!Walking) {
        LastViewedRecord = Document.CurrentRecord;
        Editor.CommitRecord();
    }
    // Leaving the last record goes past it: the step appends a record.
    const bool appending = Document.CurrentRecord == Document.RecordCount;
    std::optional<HistoryGroup> added;
    if (appending)
        added.emplace(Document, StepKind::Command, "New record " + IntToStr(*next));
    Document.CurrentRecord = *next;
    if (appending)
        Document.RecordCount = Document.CurrentRecord;
    View.PrevBitBtn.Enabled = true;
    View.BackBitBtn.Enabled = true;
    if (!Walking || WalkPosition >= WalkTarget)
        Editor.LoadRecord();
    if (Document.CurrentRecord == Document.RecordCount) {
        if (appending)
            Editor.ClearEditView();
        if (View.DialogueMemo.Text.empty()) {
            if (!Walking) {
                Editor.DialogueMemoChange(PlaceholderDialogue);
                Editor.CommitRecord();
                Editor.LoadRecord();
                Editor.Host.Focus(View.DialogueMemo, true);
            }
            // Putting the placeholder in counts as a dialogue edit; the new record still
            // keeps "Next" and "Remove" off until the author writes its dialogue.
            View.NextBitBtn.Enabled = false;
            View.RemoveBitBtn.Enabled = false;
        }
    }
    Editor.UpdateCreateButtons();
    Document.ShowRecordStatus();
}

void Navigator::RefuseRecordAfterHighest() {
    Editor.Host.ShowMessage(ValidationError(NoRecordAfterHighestMessage));
}

// A walk is the same as single steps, but a damaged guide may claim a record count in the
// billions, and stepping there one record at a time would freeze the program. The steps in
// the middle of a walk load nothing; each sets the counters, the navigation buttons, the
// "Create new" buttons and the status line, and a step past the last record also empties the
// view. Once a run of such steps has begun, each further step of the run only repeats what
// the one before did, apart from the counters. So a run is replaced by its last step, taken
// from the counters the others would have left. A run ends where a step does something the
// steps before it did not: on arriving at the last record (which may disable "Next"), before
// the final step (whose view is loaded) and at the final step.
void Navigator::WalkToRecord(std::int32_t target) {
    Walking = true;
    WalkTarget = target;
    WalkPosition = Document.CurrentRecord;
    struct EndWalk {
        bool& Flag;
        ~EndWalk() { Flag = false; }
    } endWalk{Walking};
    if (WalkPosition < target) {
        if (WalkPosition < Document.RecordCount && Document.RecordCount < target - 1)
            RunNextStepsTo(Document.RecordCount);
        RunNextStepsTo(target - 1);
        RunNextStepsTo(target);
    } else if (WalkPosition > target) {
        RunPreviousStepsTo(target + 1);
        RunPreviousStepsTo(target);
    }
}

void Navigator::RunNextStepsTo(std::int32_t position) {
    if (position <= WalkPosition)
        return;
    if (position - 1 > WalkPosition) {
        // The steps skipped all append a record when the first of them does: the walk then
        // stands on the last record, and each append keeps it there. The current record moves
        // with the walk's position, one for one.
        const bool appending = Document.CurrentRecord == Document.RecordCount;
        WalkPosition = position - 1;
        Document.CurrentRecord = WalkPosition;
        if (appending)
            Document.RecordCount = WalkPosition;
    }
    ++WalkPosition;
    StepNext();
}

void Navigator::RunPreviousStepsTo(std::int32_t position) {
    if (position >= WalkPosition)
        return;
    if (position + 1 < WalkPosition) {
        // The current record moves back with the walk's position but stops at record 1.
        const std::int64_t skipped = std::int64_t{WalkPosition} - (std::int64_t{position} + 1);
        if (Document.CurrentRecord > 1)
            Document.CurrentRecord = static_cast<std::int32_t>(
                std::max<std::int64_t>(1, std::int64_t{Document.CurrentRecord} - skipped));
        WalkPosition = position + 1;
    }
    --WalkPosition;
    StepPrevious();
}

void Navigator::GoThere() {
    Editor.CommitRecord();
    LastViewedRecord = Document.CurrentRecord;
    const auto& combo = View.ComboBox1;
    const std::string entry =
        combo.ItemIndex >= 0 && combo.ItemIndex < static_cast<int>(combo.Items.size())
            ? combo.Items[combo.ItemIndex]
            : combo.Text;
    WalkToRecord(StrToInt(entry));
    View.GoBitBtn.Enabled = false;
}

void Navigator::GoBack() {
    Editor.CommitRecord();
    const std::int32_t target = LastViewedRecord;
    LastViewedRecord = Document.CurrentRecord;
    WalkToRecord(target);
}

void Navigator::JumpedFromPicked(int index) {
    auto& combo = View.ComboBox1;
    if (index < 0 || index >= static_cast<int>(combo.Items.size()))
        return;
    combo.ItemIndex = index;
    combo.Text = combo.Items[index];
    View.GoBitBtn.Enabled = true;
}

void Navigator::GoThereButtonClick(int k) {
    Editor.CommitRecord();
    LastViewedRecord = Document.CurrentRecord;
    WalkToRecord(StrToInt(View.Edit(k).Text));
}

void Navigator::CreateNewButtonClick(int k) {
    const auto created = NextRecordNumber(Document.RecordCount);
    if (!created) {
        RefuseRecordAfterHighest();
        return;
    }
    // What was typed before is a step of its own: undoing "Create new" takes back the link
    // and the record it made, not the response the author wrote.
    Editor.CommitRecord();
    HistoryGroup step(Document, StepKind::Command, "Create new record " + IntToStr(*created));
    Editor.EditChange(k, IntToStr(*created));
    Editor.CommitRecord();
    LastViewedRecord = Document.CurrentRecord;
    WalkToRecord(*created);
    Editor.LoadRecord();
    Editor.PutPlaceholderDialogue();
    Editor.UpdateCreateButtons();
}

} // namespace dravenloom
