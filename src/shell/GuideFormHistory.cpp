// The main window's "&Edit" menu: undo and redo of the guide's changes.
#include "shell/GuideForm.h"

#include "document/NumberText.h"

#include <algorithm>

namespace dravenloom {

bool GuideForm::CanUndo() const {
    // Typing not yet stored can be undone too; the modified state is on while there is any.
    return Document.History.CanUndo() || Document.Modified();
}

bool GuideForm::CanRedo() const {
    return Document.History.CanRedo();
}

std::string GuideForm::UndoCaption() const {
    if (Editor.HasUncommittedChange())
        return "&Undo Typing in record " + IntToStr(Document.CurrentRecord);
    if (const HistoryStep* step = Document.History.NextUndo())
        return "&Undo " + step->Label;
    return "&Undo";
}

std::string GuideForm::RedoCaption() const {
    const HistoryStep* step = Document.History.NextRedo();
    if (!step || Editor.HasUncommittedChange())
        return "&Redo";
    return "&Redo " + step->Label;
}

void GuideForm::Undo1Click() {
    // Storing only what the author typed: storing a placeholder would be a step of its own
    // and end what could be redone.
    if (Editor.HasUncommittedChange())
        Editor.CommitRecord();
    if (const HistoryStep* step = Document.History.Undo())
        ShowHistoryStep(*step, step->Before);
}

void GuideForm::Redo1Click() {
    if (Editor.HasUncommittedChange())
        return;
    if (const HistoryStep* step = Document.History.Redo())
        ShowHistoryStep(*step, step->After);
}

void GuideForm::GraphicDialogOpened() {
    // Typing before the dialog is a step of its own, so that the dialog's step holds only
    // what the dialog changed.
    Editor.CommitRecord();
}

void GuideForm::GraphicDialogClosed() {
    HistoryGroup step(Document, StepKind::Command,
                      "Picture in record " + IntToStr(Document.CurrentRecord));
    Editor.CommitRecord();
}

void GuideForm::ShowHistoryStep(const HistoryStep& step, const GuidePosition& at) {
    if (step.Kind == StepKind::Options) {
        // The options are not the guide's: the page that shows them comes up, nothing else
        // changes.
        Pages.ActivePage = Page::GenerateHtml;
        return;
    }
    Nav.Walking = false;
    Document.RecordCount = std::max(at.RecordCount, 1);
    Document.CurrentRecord = std::clamp(at.CurrentRecord, 1, Document.RecordCount);
    // "Go back" never leads past the end, as after a removal.
    Nav.LastViewedRecord = std::min(Nav.LastViewedRecord, Document.RecordCount);
    Editor.LoadRecord();
    View.PrevBitBtn.Enabled = Document.CurrentRecord > 1;
    const bool last = Document.CurrentRecord == Document.RecordCount;
    // A last record without lines is one that a new guide or "Create new" began: it shows
    // the placeholder those put in, with "Next" and "Remove" on as they left them.
    const bool placeholder = last && View.DialogueMemo.Text.empty() &&
                             !Document.Records.FindPrimaryLine(Document.CurrentRecord);
    if (placeholder)
        Editor.ShowPlaceholderDialogue();
    // A record just appended by "Next" waits for its dialogue, and so does any last record
    // arrived at with an empty one.
    const bool waiting = last && (at.AwaitingDialogue || View.DialogueMemo.Text.empty());
    View.NextBitBtn.Enabled = !waiting;
    View.RemoveBitBtn.Enabled = !waiting;
    View.BackBitBtn.Enabled = Document.RecordCount > 1 && Nav.LastViewedRecord >= 1;
    View.GoBitBtn.Enabled = false;
    Editor.UpdateCreateButtons();
    Document.ShowRecordStatus();
    // The modified state follows the history: back at the state last written, the guide is
    // clean. An untitled guide there is the new guide, with nothing to save under a name.
    const bool clean = Document.History.AtSavedPoint();
    Document.SaveItem.Enabled = !clean;
    Document.SaveAsItem.Enabled = !clean || !Document.Untitled();
    Document.TreeStale = true;
    Tree.RecordsRenumbered();
    if (Pages.ActivePage == Page::LogicView)
        Tree.Build();
    else if (Pages.ActivePage == Page::EditView)
        Host.Focus(View.DialogueMemo, waiting || placeholder);
}

} // namespace dravenloom
