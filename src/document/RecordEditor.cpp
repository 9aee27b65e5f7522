// The Edit View's behaviour.
#include "document/RecordEditor.h"

#include "document/Cp1252.h"
#include "document/NumberText.h"

#include <algorithm>

namespace dravenloom {

bool IsJumpTarget(const std::string& text, std::int32_t count, std::int32_t current) {
    const auto value = ReadNumber(text);
    return value && *value >= 1 && *value <= count && *value != current;
}

RecordEditor::RecordEditor(GuideDocument& document, EditView& view, GraphicDialog& graphic,
                           Platform& platform)
    : Document(document), View(view), Graphic(graphic), Host(platform) {
    Document.AwaitingDialogue = [this](bool beforeTyping) {
        const bool off =
            beforeTyping && NextOffBeforeTyping ? *NextOffBeforeTyping : !View.NextBitBtn.Enabled;
        return off && Document.CurrentRecord == Document.RecordCount;
    };
}

GuideRecord RecordEditor::WorkingCopy() const {
    GuideRecord record;
    record.Dialogue = View.DialogueMemo.Text;
    record.GraphicPath = Graphic.GraphicEdit.Text;
    record.GraphicX = Graphic.Edit7.Text;
    record.GraphicY = Graphic.Edit8.Text;
    record.Center = View.CenterCheck.Checked;
    for (int k = 1; k <= ResponseSlots; ++k)
        record.Responses[k - 1] = {View.Memo(k).Text, View.Edit(k).Text};
    return record;
}

void RecordEditor::CommitRecord() {
    KeepCleanState keep(Document);
    HistoryGroup typing(Document, StepKind::Typing,
                        "Typing in record " + IntToStr(Document.CurrentRecord),
                        Document.CurrentRecord);
    Document.Records.StoreRecord(Document.CurrentRecord, WorkingCopy());
    NextOffBeforeTyping.reset();
}

bool RecordEditor::HasUncommittedChange() const {
    const GuideRecord copy = WorkingCopy();
    // The placeholder shown in a record without lines is the program's, not the author's.
    const bool placeholder =
        copy.Dialogue == PlaceholderDialogue && copy.GraphicPath.empty() && !copy.Center &&
        std::all_of(copy.Responses.begin(), copy.Responses.end(),
                    [](const ResponseSlot& slot) { return slot.Text.empty(); });
    if (placeholder && !Document.Records.FindPrimaryLine(Document.CurrentRecord))
        return false;
    return Document.Records.WouldChange(Document.CurrentRecord, copy);
}

void RecordEditor::ClearEditView() {
    DialogueMemoChange("");
    for (int k = 1; k <= ResponseSlots; ++k)
        MemoChange(k, "");
    for (int k = 1; k <= ResponseSlots; ++k)
        EditChange(k, "");
    GraphicEditChange("");
    Edit7Change(DefaultGraphicX);
    Edit8Change(DefaultGraphicY);
    // Unticked, with "Browse..." and the fields it governs disabled together.
    SetGraphicState(false);
    View.ComboBox1.Items.clear();
    View.ComboBox1.Text.clear();
    View.ComboBox1.ItemIndex = -1;
    View.GoBitBtn.Enabled = false;
    CenterCheckClick(false);
}

void RecordEditor::SetGraphicState(bool hasPicture) {
    Graphic.GraphicCheck.Checked = hasPicture;
    Graphic.SetFieldsEnabled(hasPicture);
}

void RecordEditor::LoadRecord() {
    KeepCleanState keep(Document);
    Document.History.NewVisit();
    ClearEditView();
    const GuideRecord record = Document.Records.ReadRecord(Document.CurrentRecord);
    DialogueMemoChange(record.Dialogue);
    GraphicEditChange(record.GraphicPath);
    CenterCheckClick(record.Center);
    SetGraphicState(!record.GraphicPath.empty());
    if (!record.GraphicPath.empty()) {
        Edit7Change(record.GraphicX);
        Edit8Change(record.GraphicY);
    }
    // Every slot read is shown, even one whose text is empty (a hand-edited file may hold such
    // a line): stopping there would hide the responses after it, and the next commit would
    // delete them.
    for (int k = 1; k <= ResponseSlots; ++k) {
        const auto& slot = record.Responses[k - 1];
        MemoChange(k, slot.Text);
        EditChange(k, slot.Target);
    }
    FillJumpedFromList();
    NextOffBeforeTyping.reset();
}

void RecordEditor::FillJumpedFromList() {
    auto sources = Document.Records.JumpedFrom(Document.CurrentRecord);
    // Each source once, sorted as text ("10" before "9"); a record's link to itself is left
    // out, since going there would go nowhere.
    const std::string self = IntToStr(Document.CurrentRecord);
    sources.erase(std::remove(sources.begin(), sources.end(), self), sources.end());
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    View.ComboBox1.Items = std::move(sources);
    View.ComboBox1.ItemIndex = -1;
    if (View.ComboBox1.Items.empty()) {
        View.ComboBox1.Enabled = false;
        View.ComboBox1.Text.clear();
    } else {
        View.ComboBox1.Enabled = true;
        View.ComboBox1.Text = "Select record";
    }
}

void RecordEditor::UpdateCreateButtons() {
    for (int k = 1; k <= ResponseSlots; ++k) {
        if (View.Memo(k).Text.empty())
            View.CreateNewButtons[k - 1].Enabled = false;
        else if (View.Edit(k).Text.empty())
            View.CreateNewButtons[k - 1].Enabled = true;
    }
}

void RecordEditor::DialogueMemoChange(const std::string& text) {
    if (View.DialogueMemo.Text == text)
        return;
    View.DialogueMemo.Text = text;
    if (!NextOffBeforeTyping)
        NextOffBeforeTyping = !View.NextBitBtn.Enabled;
    if (Document.CurrentRecord == Document.RecordCount) {
        View.NextBitBtn.Enabled = true;
        View.RemoveBitBtn.Enabled = true;
    }
    Document.MarkModified();
}

void RecordEditor::CenterCheckClick(bool checked) {
    if (View.CenterCheck.Checked == checked)
        return;
    View.CenterCheck.Checked = checked;
    Document.MarkModified();
}

void RecordEditor::MemoChange(int k, const std::string& text) {
    TextField& memo = View.Memo(k);
    if (memo.Text == text)
        return;
    memo.Text = text;
    TextField& link = View.Edit(k);
    Button& createNew = View.CreateNewButtons.at(k - 1);
    if (text.empty()) {
        link.Enabled = false;
        link.Inactive = true;
        createNew.Enabled = false;
    } else {
        link.Enabled = true;
        link.Inactive = false;
        if (link.Text.empty())
            createNew.Enabled = true;
    }
    Document.MarkModified();
}

void RecordEditor::EditChange(int k, const std::string& text) {
    TextField& link = View.Edit(k);
    if (link.Text == text)
        return;
    link.Text = text;
    Button& goThere = View.GoThereButtons.at(k - 1);
    Button& createNew = View.CreateNewButtons.at(k - 1);
    if (ReadNumber(text)) {
        goThere.Enabled = IsJumpTarget(text, Document.RecordCount, Document.CurrentRecord);
        createNew.Enabled = false;
        Document.MarkModified();
        return;
    }
    // Anything that is not a number empties the field at once; that alone is no edit.
    EditChange(k, "");
    goThere.Enabled = false;
    if (!View.Memo(k).Text.empty())
        createNew.Enabled = true;
}

void RecordEditor::EditExit(int k) {
    TextField& link = View.Edit(k);
    const auto value = ReadNumber(link.Text);
    if (!value)
        return;
    const char* message = nullptr;
    if (*value == Document.CurrentRecord)
        message = "Can't make a recursive call to this record.";
    else if (*value > Document.RecordCount || *value < 1)
        message = "Record does not exist.";
    if (!message)
        return;
    Host.ShowMessage(ValidationError(message));
    EditChange(k, "");
    Host.Focus(link, false);
}

void RecordEditor::ShowPlaceholderDialogue() {
    DialogueMemoChange(PlaceholderDialogue);
    NextOffBeforeTyping.reset();
}

void RecordEditor::PutPlaceholderDialogue() {
    ShowPlaceholderDialogue();
    Host.Focus(View.DialogueMemo, true);
}

void RecordEditor::GraphicCheckClick(bool checked) {
    if (Graphic.GraphicCheck.Checked == checked)
        return;
    Graphic.GraphicCheck.Checked = checked;
    if (checked) {
        Graphic.SetFieldsEnabled(true);
    } else {
        Graphic.SetFieldsEnabled(false);
        GraphicEditChange("");
        Edit7Change(DefaultGraphicX);
        Edit8Change(DefaultGraphicY);
    }
    Document.MarkModified();
}

void RecordEditor::GraphicEditChange(const std::string& text) {
    if (Graphic.GraphicEdit.Text == text)
        return;
    Graphic.GraphicEdit.Text = text;
    Document.MarkModified();
}

void RecordEditor::Edit7Change(const std::string& text) {
    if (Graphic.Edit7.Text == text)
        return;
    Graphic.Edit7.Text = text;
    Document.MarkModified();
}

void RecordEditor::Edit8Change(const std::string& text) {
    if (Graphic.Edit8.Text == text)
        return;
    Graphic.Edit8.Text = text;
    Document.MarkModified();
}

void RecordEditor::CoordinateExit(TextField& field, const char* reset, const char* message) {
    const auto value = ReadNumber(field.Text);
    if (value && *value >= 0)
        return;
    if (&field == &Graphic.Edit7)
        Edit7Change(reset);
    else
        Edit8Change(reset);
    Host.Focus(field, false);
    Host.ShowMessage(ValidationError(message));
}

void RecordEditor::Edit7Exit() {
    CoordinateExit(Graphic.Edit7, DefaultGraphicX,
                   "X Coordinate must be a positive integer value.");
}

void RecordEditor::Edit8Exit() {
    CoordinateExit(Graphic.Edit8, DefaultGraphicY,
                   "Y Coordinate must be a positive integer value.");
}

void RecordEditor::GraphicBitBtnClick() {
    FileDialogRequest request;
    request.Filter = PictureFilter;
    request.FileName = Cp1252ToUtf8(Graphic.GraphicEdit.Text);
    const auto chosen = Host.OpenDialog(request);
    if (!chosen)
        return;
    // The path is stored in the guide's character set; a name it cannot hold is refused.
    const TypedTextConversion path = Utf8ToGuideText(*chosen);
    if (!path.Accepted) {
        Host.ShowMessage(ValidationError(path.Reason));
        return;
    }
    CommitRecord();
    GraphicEditChange(path.Bytes);
}

} // namespace dravenloom
