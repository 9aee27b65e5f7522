// The File menu's exports.
#include "shell/ExportCommands.h"

#include "document/GuideDocument.h"
#include "document/GuideFile.h"
#include "document/Platform.h"
#include "document/RecordEditor.h"
#include "publish/AppletOptions.h"
#include "publish/AppletTag.h"
#include "publish/GuideExport.h"
#include "publish/UploadFiles.h"
#include "shell/FileCommands.h"

#include <utility>

namespace dravenloom {

ExportCommands::ExportCommands(GuideDocument& document, RecordEditor& editor, FileCommands& files,
                               const AppletOptions& options, Platform& platform,
                               std::string executableDirectory)
    : Document(document), Editor(editor), Files(files), Options(options), Host(platform),
      ExecutableDirectory(std::move(executableDirectory)) {}

bool ExportCommands::GuideOnDisk() {
    Editor.CommitRecord();
    if (Document.Untitled())
        return Files.SaveUntitledGuide() && !Document.Untitled();
    if (!Document.Modified())
        return true;
    const std::string name = FileNamePart(Document.GuideFileName);
    switch (Host.ShowMessage({"Confirm", "Save changes to " + name + " before exporting?",
                              MsgButtons::YesNoCancel, MsgIcon::Question})) {
    case MsgAnswer::Yes:
        Files.WriteGuideFile();
        Document.MarkSaved();
        return true;
    case MsgAnswer::No:
        return true; // the export copies the file as it is on disk
    default:
        return false;
    }
}

ExportSource ExportCommands::Source() const {
    ExportSource source;
    source.GuideFile = Document.GuideFileName;
    source.Settings = Options.Settings();
    source.AppletDirectory = TextFromPath(PathFromText(ExecutableDirectory) / AppletFolder);
    return source;
}

void ExportCommands::Note(const std::string& text) {
    Document.ShowStatusNote(text);
    if (Progressed)
        Progressed();
}

void ExportCommands::ExportToFolder1Click() {
    if (!GuideOnDisk())
        return;
    FileDialogRequest request;
    request.Title = ExportFolderTitle;
    request.FileName = FolderName.empty()
                           ? TextFromPath(PathFromText(Document.GuideFileName).parent_path())
                           : FolderName;
    const auto folder = ChooseFolder ? ChooseFolder(request) : std::nullopt;
    if (!folder || folder->empty())
        return;
    FolderName = *folder;
    ExportSource source = Source();
    // The pictures of the guide on disk: the file the export copies.
    const RecordList records(ReadGuideLines(source.GuideFile));
    source.Records = &records;
    ExportToFolder(source, *folder, [this](const std::string& status) { Note(status); });
    Note("Exported " + FileNamePart(source.GuideFile) + " to " + *folder);
}

void ExportCommands::ExportAsOnePage1Click() {
    if (!GuideOnDisk())
        return;
    FileDialogRequest request;
    request.Title = ExportPageTitle;
    request.Filter = HtmlFilter;
    request.DefaultExt = HtmlExtension;
    request.OverwritePrompt = true;
    request.FileName =
        PageName.empty()
            ? TextFromPath(PathFromText(Document.GuideFileName).replace_extension(".html"))
            : PageName;
    auto chosen = Host.SaveDialog(request);
    if (!chosen || chosen->empty())
        return;
    std::string page = *chosen;
    if (PathFromText(page).extension().empty())
        page += ".html";
    PageName = page;
    ExportSource source = Source();
    const RecordList records(ReadGuideLines(source.GuideFile));
    source.Records = &records;
    const auto bytes =
        ExportAsOnePage(source, page, [this](const std::string& status) { Note(status); });
    Note("Exported " + FileNamePart(source.GuideFile) + " as " + FileNamePart(page));
    if (const std::string warning = LargePageWarning(bytes); !warning.empty())
        Host.ShowMessage(
            {"Warning", FileNamePart(page) + ": " + warning, MsgButtons::Ok, MsgIcon::Exclamation});
}

} // namespace dravenloom
