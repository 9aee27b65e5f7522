// The File menu's proof copy.
#include "shell/ProofCommands.h"

#include "document/Errors.h"
#include "document/GuideDocument.h"
#include "document/GuideFile.h"
#include "document/Platform.h"
#include "document/RecordEditor.h"

namespace dravenloom {

namespace {

std::string Sentence(std::string text) {
    if (!text.empty() && text.back() != '.')
        text += '.';
    return text;
}

} // namespace

ProofCommands::ProofCommands(GuideDocument& document, RecordEditor& editor, Platform& platform)
    : Document(document), Editor(editor), Host(platform) {}

void ProofCommands::ExportProofCopy1Click() {
    Editor.CommitRecord();
    FileDialogRequest request;
    request.Title = ProofTitle;
    request.Filter = ProofFilter;
    request.DefaultExt = ProofExtension;
    request.OverwritePrompt = true;
    request.Directory = FolderPart(Document.GuideFileName);
    request.FileName =
        TextFromPath(PathFromText(FileNamePart(Document.GuideFileName)).replace_extension(".pdf"));
    const auto chosen = Host.SaveDialog(request);
    if (!chosen || chosen->empty())
        return;
    std::string file = *chosen;
    if (PathFromText(file).extension().empty())
        file += ".pdf";
    if (!ProofKindOf(file)) {
        Host.ShowMessage(PlainError("Cannot write the proof copy \"" + file +
                                    "\": its name must end in .pdf, .html or .htm."));
        return;
    }
    Host.SetPointer(PointerShape::Busy);
    try {
        if (!WriteProof)
            throw ProofError("Cannot write the proof copy \"" + file + "\": no writer");
        WriteProof(BuildProofCopy(Document.Records, Document.GuideFileName), file);
    } catch (const DravenloomError& failure) {
        Host.SetPointer(PointerShape::Normal);
        Host.ShowMessage(PlainError(Sentence(failure.what())));
        return;
    }
    Host.SetPointer(PointerShape::Normal);
    Document.ShowStatusNote("Wrote the proof copy of " + FileNamePart(Document.GuideFileName) +
                            " to " + FileNamePart(file));
}

} // namespace dravenloom
