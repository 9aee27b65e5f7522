// Moving between records.
#include "navigation/Navigator.h"

#include "document/NumberText.h"

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
    if (!Walking) {
        LastViewedRecord = Document.CurrentRecord;
        Editor.CommitRecord();
    }
    ++Document.CurrentRecord;
    bool appending = false;
    if (Document.CurrentRecord == Document.RecordCount + 1) {
        Document.RecordCount = Document.CurrentRecord;
        appending = true;
    }
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

void Navigator::WalkToRecord(std::int32_t target) {
    Walking = true;
    WalkTarget = target;
    WalkPosition = Document.CurrentRecord;
    struct EndWalk {
        bool& Flag;
        ~EndWalk() { Flag = false; }
    } endWalk{Walking};
    if (WalkPosition < target) {
        while (WalkPosition < target) {
            ++WalkPosition;
            StepNext();
        }
    } else {
        while (WalkPosition > target) {
            --WalkPosition;
            StepPrevious();
        }
    }
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
    const std::int32_t created = Document.RecordCount + 1;
    Editor.EditChange(k, IntToStr(created));
    Editor.CommitRecord();
    LastViewedRecord = Document.CurrentRecord;
    WalkToRecord(created);
    Editor.LoadRecord();
    Editor.PutPlaceholderDialogue();
    Editor.UpdateCreateButtons();
}

} // namespace dravenloom
