// The guide being edited.
#include "document/GuideDocument.h"

#include "document/GuideFile.h"
#include "document/NumberText.h"

namespace dravenloom {

void GuideDocument::MarkModified() {
    SaveItem.Enabled = true;
    SaveAsItem.Enabled = true;
    TreeStale = true;
}

void GuideDocument::MarkSaved() {
    SaveItem.Enabled = false;
    for (const auto& observer : SavedObservers)
        observer();
}

void GuideDocument::ShowRecordStatus() {
    StatusText = "Record " + IntToStr(CurrentRecord) + " of " + IntToStr(RecordCount);
}

void GuideDocument::ShowStatusNote(const std::string& text) {
    StatusText = text;
    Note.Text = text;
    ++Note.Serial;
}

void GuideDocument::EndStatusNote(std::uint64_t serial) {
    if (serial == Note.Serial && StatusText == Note.Text)
        ShowRecordStatus();
}

void GuideDocument::SetTitleFromFileName(const std::string& path) {
    WindowTitle = std::string(TitlePrefix) + FileNamePart(path);
}

KeepCleanState::KeepCleanState(GuideDocument& document)
    : Document(document), SaveDisabled(!document.SaveItem.Enabled),
      SaveAsDisabled(!document.SaveAsItem.Enabled), TreeClear(!document.TreeStale) {}

KeepCleanState::~KeepCleanState() {
    if (SaveDisabled)
        Document.SaveItem.Enabled = false;
    if (SaveAsDisabled)
        Document.SaveAsItem.Enabled = false;
    if (TreeClear)
        Document.TreeStale = false;
}

HistoryGroup::HistoryGroup(GuideDocument& document, StepKind kind, std::string label,
                           std::int32_t record)
    : Document(document) {
    Document.History.Begin(kind, std::move(label), Document.Position(true), record);
}

HistoryGroup::~HistoryGroup() {
    Document.History.End(Document.Position());
}

} // namespace dravenloom
