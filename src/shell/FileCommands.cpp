// The guide file commands.
#include "shell/FileCommands.h"

#include "document/Errors.h"
#include "document/GuideFile.h"
#include "document/GuideLineCheck.h"

namespace dravenloom {
namespace {

bool HasExtension(const std::string& path) {
    const std::string name = FileNamePart(path);
    const auto dot = name.rfind('.');
    return dot != std::string::npos && dot + 1 < name.size();
}

} // namespace

FileCommands::FileCommands(GuideDocument& document, EditView& view, RecordEditor& editor,
                           Navigator& navigator, PageSwitch& pages, Platform& platform)
    : Document(document), View(view), Editor(editor), Nav(navigator), Pages(pages), Host(platform) {
}

void FileCommands::NewGuideState() {
    Pages.ActivePage = Page::EditView;
    Editor.ClearEditView();
    Document.Records.Clear();
    Document.RecordCount = 1;
    Document.CurrentRecord = 1;
    Nav.Walking = false;
    Document.GuideFileName = UntitledName;
    Document.SetTitleFromFileName(UntitledName);
    Document.ShowRecordStatus();
    Editor.PutPlaceholderDialogue();
    View.PrevBitBtn.Enabled = false;
    for (int k = 1; k <= ResponseSlots; ++k) {
        View.Edit(k).Enabled = false;
        View.Edit(k).Inactive = true;
        View.GoThereButtons[k - 1].Enabled = false;
        View.CreateNewButtons[k - 1].Enabled = false;
    }
    View.GoBitBtn.Enabled = false;
    View.BackBitBtn.Enabled = false;
    View.ComboBox1.Enabled = false;
    Editor.CenterCheckClick(false);
    for (const auto& observer : Document.NewGuideObservers)
        observer();
    Document.SaveItem.Enabled = false;
    Document.SaveAsItem.Enabled = false;
    Document.TreeStale = true;
}

void FileCommands::OpenGuideFile() {
    NewGuideState();
    const std::string path = Document.OpenDialogPath;
    // Decoded as they are read (nothing below looks at a line break): each line is made once.
    std::vector<std::string> lines = ReadDecodedGuideLines(path);
    // An empty file is what saving a guide whose only record is empty writes. It opens as that
    // guide again, its record 1 waiting for a dialogue as in a new guide, so that the program
    // opens whatever it saved.
    if (lines.empty()) {
        Document.SetTitleFromFileName(path);
        Document.GuideFileName = path;
        Document.SaveAsItem.Enabled = true;
        TellFileUsed();
        return;
    }
    // A file that cannot be a guide is refused before the editor takes its name, so that a
    // later Save can never overwrite it with something else.
    if (const std::string fault = GuideLinesFault(lines); !fault.empty())
        throw GuideFormatError("The file \"" + path + "\" can't be opened as a guide: " + fault);
    Document.Records.Lines = std::move(lines);
    Document.SetTitleFromFileName(path);
    Document.GuideFileName = path;
    Document.RecordCount = Document.Records.CountFromLastLine();
    Document.ShowRecordStatus();
    Editor.LoadRecord();
    View.NextBitBtn.Enabled = true;
    View.RemoveBitBtn.Enabled = true;
    Document.SaveItem.Enabled = false;
    Document.SaveAsItem.Enabled = true;
    TellFileUsed();
}

void FileCommands::TellFileUsed() {
    for (const auto& observer : FileUsedObservers)
        observer();
}

void FileCommands::WriteGuideFile() {
    // Each line is encoded straight into the file's bytes, without a copy of the whole list.
    WriteRecordLines(Document.GuideFileName, Document.Records.Lines);
    // Whatever command wrote it, the file now holds the guide as it stands: undoing back to
    // this state is undoing back to the file, and undoing past it leaves the file behind,
    // although the modified state itself is the command's to set.
    Document.History.MarkSaved();
    TellFileUsed();
}

bool FileCommands::RunSaveDialog(const std::string& title) {
    FileDialogRequest request;
    request.Title = title;
    request.Filter = GuideFilter;
    request.DefaultExt = GuideExtension;
    request.FileName = Document.GuideFileName;
    request.OverwritePrompt = true;
    auto chosen = Host.SaveDialog(request);
    if (!chosen || chosen->empty())
        return false;
    if (!HasExtension(*chosen))
        *chosen += std::string(".") + GuideExtension;
    Document.GuideFileName = *chosen;
    return true;
}

FileCommands::Answer FileCommands::SaveChangesFirst(bool alwaysDialog) {
    const MsgAnswer answer = Host.ShowMessage(
        Question("Confirm", "Save changes to " + FileNamePart(Document.GuideFileName) + "?"));
    if (answer == MsgAnswer::Cancel)
        return Answer::Stop;
    if (answer == MsgAnswer::No)
        return Answer::Proceed;
    if (alwaysDialog || Document.Untitled()) {
        if (!SaveUnderChosenName())
            return Answer::Stop;
    } else {
        WriteGuideFile();
    }
    return Answer::Proceed;
}

void FileCommands::ChooseAndOpen() {
    FileDialogRequest request;
    request.Filter = GuideFilter;
    request.DefaultExt = GuideExtension;
    request.FileName = Document.OpenDialogPath;
    const auto chosen = Host.OpenDialog(request);
    if (!chosen)
        return;
    Document.OpenDialogPath = *chosen;
    OpenGuideFile();
}

void FileCommands::NewGuide1Click() {
    Editor.CommitRecord();
    if (Document.Modified() && SaveChangesFirst(true) == Answer::Stop)
        return;
    NewGuideState();
}

void FileCommands::Open1Click() {
    Editor.CommitRecord();
    if (Document.Modified() && SaveChangesFirst(false) == Answer::Stop)
        return;
    ChooseAndOpen();
}

void FileCommands::OpenNamedGuide(const std::string& path) {
    Editor.CommitRecord();
    if (Document.Modified() && SaveChangesFirst(false) == Answer::Stop)
        return;
    Document.OpenDialogPath = path;
    OpenGuideFile();
}

bool FileCommands::SaveUnderChosenName(const std::string& title) {
    const std::string before = Document.GuideFileName;
    if (!RunSaveDialog(title))
        return false;
    try {
        WriteGuideFile();
    } catch (...) {
        // A name the guide could not be written under must not become its name.
        Document.GuideFileName = before;
        throw;
    }
    return true;
}

void FileCommands::Save1Click() {
    Editor.CommitRecord();
    if (Document.Untitled()) {
        if (!SaveUnderChosenName())
            return;
    } else {
        WriteGuideFile();
    }
    Document.SetTitleFromFileName(Document.GuideFileName);
    Document.MarkSaved();
    ShowSavedNote();
}

void FileCommands::ShowSavedNote() {
    Document.ShowStatusNote("Saved " + FileNamePart(Document.GuideFileName));
}

bool FileCommands::SaveUntitledGuide(const std::string& dialogTitle) {
    if (!SaveUnderChosenName(dialogTitle))
        return false;
    Document.SetTitleFromFileName(Document.GuideFileName);
    return true;
}

void FileCommands::SaveAs1Click() {
    Editor.CommitRecord();
    if (!SaveUnderChosenName())
        return;
    Document.SetTitleFromFileName(Document.GuideFileName);
    Document.MarkSaved();
    ShowSavedNote();
}

void FileCommands::Close1Click() {
    Editor.CommitRecord();
    if (Document.Modified() && SaveChangesFirst(false) == Answer::Stop)
        return;
    NewGuideState();
}

bool FileCommands::CloseQuery() {
    Editor.CommitRecord();
    if (!Document.Modified())
        return true;
    return SaveChangesFirst(false) == Answer::Proceed;
}

} // namespace dravenloom
