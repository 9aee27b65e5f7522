// The main window's toolbar, menu and start-up behaviour.
#include "shell/GuideForm.h"

#include "document/GuideFile.h"
#include "preview/Demonstration.h"
#include "shell/UploadPage.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace dravenloom {

GuideForm::GuideForm(Platform& platform, SettingsStore& settings, std::string executableDirectory)
    : Host(platform), Settings(settings), ExecutableDirectory(std::move(executableDirectory)),
      Editor(Document, View, Graphic, platform), Nav(Document, View, Editor),
      Files(Document, View, Editor, Nav, Pages, platform), Tree(Document, platform),
      Removal(Document, View, Editor, Nav, Tree, platform,
              [this] { return Pages.ActivePage == Page::LogicView; }),
      Applet(Document, Editor, Files, Pages, platform),
      Recovery(Document, Editor, Nav, Files, platform), Recent(Files, Document, settings, platform),
      Moves(*this),
      Exports(Document, Editor, Files, Applet.Options, platform, ExecutableDirectory),
      Proof(Document, Editor, platform) {
    ShowHintsItem.Checked = true;
    // A new guide empties the Logic View.
    Document.NewGuideObservers.push_back([this] { Tree.Clear(); });
    // A new, opened or closed guide starts a history of its own; a save is its clean point.
    Document.NewGuideObservers.push_back([this] { Document.History.Clear(); });
    Document.SavedObservers.push_back([this] { Document.History.MarkSaved(); });
    // The tick for browsers without Java is the author's standing choice, unlike the
    // appearance settings, which start from their defaults on every run.
    Applet.WebPlayerChosen = [this](bool checked) {
        if (Settings.OpenKey(ProgramKey, true))
            Settings.WriteBool(ProgramKey, WebPlayerValue, checked);
    };
}

void GuideForm::FormCreate(const std::vector<std::string>& arguments) {
    HintsEnabled = true;
    Files.NewGuideState();
    OpenAtStart = false;
    if (!arguments.empty()) {
        // The argument is tested as spelled: lower-casing it, as a case-blind file system
        // would allow, names another file (or none) on the others.
        std::error_code error;
        const auto path = PathFromText(arguments.front());
        if (std::filesystem::is_regular_file(path, error)) {
            StartFile = arguments.front();
            OpenAtStart = true;
        }
    }
}

void GuideForm::FormShow() {
    if (Settings.OpenKey(ProgramKey, true)) {
        // Missing or unreadable alike, hints stay on.
        if (const auto hints = Settings.ReadBool(ProgramKey, "Hints"); hints.Found()) {
            ShowHintsItem.Checked = hints.Value;
            HintsEnabled = hints.Value;
        }
        if (const auto web = Settings.ReadBool(ProgramKey, WebPlayerValue); web.Found())
            Applet.Options.CheckHtml5.Checked = web.Value;
    }
    if (Upload)
        Upload->ReadSettings();
    Recent.Read();
    HelpFile = TextFromPath(PathFromText(ExecutableDirectory) / HelpFileName);
    TimerEnabled = true;
}

void GuideForm::Timer1Timer() {
    if (!TimerEnabled)
        return;
    TimerEnabled = false;
    // Unsaved work left by a crash comes first. A recovered guide stays on show: the guide
    // named on the command line or the wizard would put it aside.
    if (Recovery.OfferLeftCopies())
        return;
    if (OpenAtStart) {
        Document.OpenDialogPath = StartFile;
        Files.OpenGuideFile();
        return;
    }
    bool show = true;
    if (Settings.OpenKey(ProgramKey, true)) {
        // A value that is missing or can't be read is a first run.
        if (const auto wizard = Settings.ReadBool(ProgramKey, "Wizard"); wizard.Found())
            show = wizard.Value;
        else
            Settings.WriteBool(ProgramKey, "Wizard", true);
    }
    if (show && ShowWizard)
        ShowWizard();
}

void GuideForm::ToolbarButton971Click() {
    Editor.CommitRecord();
    Pages.ActivePage = Page::EditView;
    Editor.LoadRecord();
}

void GuideForm::ToolbarButton972Click() {
    Editor.CommitRecord();
    Pages.ActivePage = Page::LogicView;
    Tree.ApplyRebuildRule(View.DialogueMemo.Text);
    if (LogicViewShown)
        LogicViewShown();
}

void GuideForm::ToolbarButton973Click() {
    Pages.ActivePage = Page::GenerateHtml;
}

void GuideForm::ToolbarButton975Click() {
    StartDemonstration(1);
}

void GuideForm::BitBtn5Click() {
    StartDemonstration(Document.CurrentRecord);
}

void GuideForm::StartDemonstration(std::int32_t startRecord) {
    Host.SetPointer(PointerShape::Busy);
    try {
        Pages.ActivePage = Page::Demonstration;
        Editor.CommitRecord();
        DemoStartRecord = startRecord;
        if (DemonstrationStarted)
            DemonstrationStarted();
    } catch (...) {
        // A start that fails part way (an appearance setting that is not a number) must not
        // leave the whole program showing the busy pointer.
        Host.SetPointer(PointerShape::Normal);
        throw;
    }
    Host.SetPointer(PointerShape::Normal);
}

void GuideForm::AttachDemonstration(Demonstration& demo, std::function<void()> repaintPage) {
    demo.ActivatePage = [this] { Pages.ActivePage = Page::Demonstration; };
    demo.StatusNote = [this](const std::string& text) { Document.ShowStatusNote(text); };
    DemonstrationStarted = [this, &demo, repaint = std::move(repaintPage)] {
        if (repaint)
            repaint();
        demo.EnterDemonstration(DemoStartRecord);
    };
}

void GuideForm::ToolbarButton976Click() {
    Editor.CommitRecord();
    Pages.ActivePage = Page::Upload;
    if (Upload)
        Upload->PageShown();
}

bool GuideForm::CloseQuery() {
    // An upload waits for the server inside the window's loop: the program cannot end under it.
    if (Upload && !Upload->CloseQuery())
        return false;
    return Files.CloseQuery();
}

void GuideForm::Contents2Click() {
    Host.ShowHelpContents(HelpFile);
}

void GuideForm::ViewHelpKeyPress() {
    const auto page =
        PathFromText(ExecutableDirectory) / HelpBookFolder / HelpPage(Pages.ActivePage);
    Host.ShowHelpPage(TextFromPath(page));
}

void GuideForm::ShowHints2Click() {
    ShowHintsItem.Checked = !ShowHintsItem.Checked;
    HintsEnabled = ShowHintsItem.Checked;
    if (Settings.OpenKey(ProgramKey, true))
        Settings.WriteBool(ProgramKey, "Hints", HintsEnabled);
}

void GuideForm::HomePage1Click() {
    Host.OpenAddress(HomePageAddress);
}

void GuideForm::DialogueMemoExit() {
    if (!View.DialogueMemo.Text.empty())
        return;
    Removal.DialogueLeftEmpty();
    if (DialogueLeftEmpty)
        DialogueLeftEmpty();
}

void GuideForm::RemoveBitBtnClick() {
    Removal.RemoveCurrentRecord();
}

void GuideForm::TreeView1DblClick() {
    Editor.CommitRecord();
    Pages.ActivePage = Page::EditView;
    Nav.LastViewedRecord = Document.CurrentRecord;
    if (!Tree.Selected)
        return;
    Nav.WalkToRecord(Tree.RecordNumber(*Tree.Selected));
}

void GuideForm::JumpToRecord1Click() {
    TreeView1DblClick();
}

void GuideForm::RemoveRecord1Click() {
    Removal.RemoveCurrentRecord();
}

} // namespace dravenloom
