// The moves between records of the "&Edit" menu.
#include "shell/QuickMoves.h"

#include "document/NumberText.h"
#include "shell/GuideForm.h"

namespace dravenloom {

std::string GoToRecordPrompt(std::int32_t recordCount) {
    return "Go to record (1 to " + IntToStr(recordCount) + "):";
}

QuickMoves::QuickMoves(GuideForm& form) : Form(form) {}

bool QuickMoves::OnEditView() const {
    return Form.Pages.ActivePage == Page::EditView;
}

bool QuickMoves::PreviousAvailable() const {
    return OnEditView() && Form.View.PrevBitBtn.Enabled;
}

bool QuickMoves::NextAvailable() const {
    return OnEditView() && Form.View.NextBitBtn.Enabled;
}

bool QuickMoves::GoBackAvailable() const {
    return OnEditView() && Form.View.BackBitBtn.Enabled;
}

bool QuickMoves::LeaveField(const TextField* focused) {
    if (!focused || !OnEditView())
        return true;
    EditView& view = Form.View;
    if (focused == &view.DialogueMemo) {
        if (!view.DialogueMemo.Text.empty())
            return true;
        // An emptied dialogue offers to remove the record; whatever the answer, the author is
        // on a record with a dialogue again and has not moved.
        Form.DialogueMemoExit();
        return false;
    }
    for (int k = 1; k <= ResponseSlots; ++k) {
        if (focused != &view.Edit(k))
            continue;
        const std::string before = view.Edit(k).Text;
        Form.Editor.EditExit(k);
        // A refused link is emptied and the focus goes back to it.
        return view.Edit(k).Text == before;
    }
    return true;
}

void QuickMoves::GoToRecord1Click(const TextField* focused) {
    if (!LeaveField(focused))
        return;
    GuideDocument& document = Form.Document;
    const std::int32_t count = document.RecordCount;
    const auto answer = Form.Host.AskText(
        {GoToRecordCaption, GoToRecordPrompt(count), IntToStr(document.CurrentRecord)});
    if (!answer)
        return;
    const auto target = ReadNumber(*answer);
    if (!target || *target < 1 || *target > count) {
        const std::string range = "a number from 1 to " + IntToStr(count) + ".";
        Form.Host.ShowMessage(ValidationError(
            answer->empty() ? "Type " + range
                            : "\"" + *answer + "\" is not a record of this guide. Type " + range));
        return;
    }
    Form.Editor.CommitRecord();
    Form.Pages.ActivePage = Page::EditView;
    Form.Nav.LastViewedRecord = document.CurrentRecord;
    Form.Nav.WalkToRecord(*target);
}

void QuickMoves::Previous1Click(const TextField* focused) {
    if (PreviousAvailable() && LeaveField(focused))
        Form.Nav.StepPrevious();
}

void QuickMoves::Next1Click(const TextField* focused) {
    if (NextAvailable() && LeaveField(focused))
        Form.Nav.StepNext();
}

void QuickMoves::GoBack1Click(const TextField* focused) {
    if (GoBackAvailable() && LeaveField(focused))
        Form.Nav.GoBack();
}

} // namespace dravenloom
