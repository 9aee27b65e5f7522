// The main window's behaviour without widgets: it owns the guide and every piece of the
// editor, and carries the toolbar, menu and start-up commands.
#pragma once

#include "document/EditView.h"
#include "document/GraphicDialog.h"
#include "document/GuideDocument.h"
#include "document/Platform.h"
#include "document/RecordEditor.h"
#include "document/SettingsStore.h"
#include "navigation/LogicTree.h"
#include "navigation/Navigator.h"
#include "navigation/RecordRemoval.h"
#include "shell/CrashRecovery.h"
#include "shell/ExportCommands.h"
#include "shell/FileCommands.h"
#include "shell/OptionsPage.h"
#include "shell/Pages.h"
#include "shell/ProofCommands.h"
#include "shell/QuickMoves.h"
#include "shell/RecentGuides.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dravenloom {

class Demonstration;
class UploadPage;

inline constexpr const char* HomePageAddress = "https://www.korvessa.example/dravenloom/";
inline constexpr const char* HelpFileName = "Dravenloom.hlp";
// The value under ProgramKey that remembers "Also play in browsers without Java".
inline constexpr const char* WebPlayerValue = "WebPlayer";

class GuideForm {
public:
    // `executableDirectory`: where the program's executable lies (help file, tutorial, applet).
    GuideForm(Platform& platform, SettingsStore& settings, std::string executableDirectory);
    GuideForm(const GuideForm&) = delete;
    GuideForm& operator=(const GuideForm&) = delete;

    // Start-up: window creation (with the command-line arguments after the program name),
    // the first show, and the one-shot start-up timer.
    void FormCreate(const std::vector<std::string>& arguments);
    void FormShow();
    void Timer1Timer();

    // Toolbar.
    void ToolbarButton971Click(); // "Edit View"
    void ToolbarButton972Click(); // "Logic View"
    void ToolbarButton973Click(); // "Generate HTML"
    void ToolbarButton975Click(); // "Demonstration": starts at record 1
    void ToolbarButton976Click(); // "Upload Files"

    // Help menu.
    void Contents2Click();
    // The help key: the help book's page about the view on show.
    void ViewHelpKeyPress();
    void ShowHints2Click();
    void HomePage1Click();

    // The Edit View's dialogue field lost the keyboard focus: an empty dialogue offers to
    // remove the record.
    void DialogueMemoExit();
    // "Remove" on the Edit View.
    void RemoveBitBtnClick();
    // "Demo" on the Edit View: the Demonstration starts at the record being edited.
    void BitBtn5Click();

    // "&Edit" menu. Undo first commits the Edit View, so that typing not yet stored is what
    // it takes back; Redo does nothing while the Edit View holds such typing (storing it
    // would end the steps that could be redone).
    void Undo1Click();
    void Redo1Click();
    // The items' captions as the menu shows them ("&Undo Remove record 3") and whether they
    // can act now.
    std::string UndoCaption() const;
    std::string RedoCaption() const;
    bool CanUndo() const;
    bool CanRedo() const;

    // The graphic dialog opens and closes: what it changes is a step of its own.
    void GraphicDialogOpened();
    void GraphicDialogClosed();

    // Logic View. A double click on the tree and "Jump to record" do the same: commit, show
    // the Edit View, and walk to the selected node's record (stay when none is selected).
    void TreeView1DblClick();
    void JumpToRecord1Click();
    // "Remove record": removes the selected node's record after confirmation.
    void RemoveRecord1Click();

    // Joins the Demonstration page to both of its buttons: each start repaints the page (when
    // `repaintPage` is given) and enters the Demonstration at the caller's record, and entering
    // makes the page the active one.
    void AttachDemonstration(Demonstration& demo, std::function<void()> repaintPage = {});
    // Joins the upload page: it reads its server settings when the window is first shown, and
    // the toolbar's "Upload Files" tells it that it is shown.
    void AttachUpload(UploadPage& upload) { Upload = &upload; }
    // The window is about to close (Exit, E&xit, its close button): a running upload is
    // stopped or kept by the author's answer, then the guide's changes are asked about. False
    // keeps the window open.
    bool CloseQuery();

    Platform& Host;
    SettingsStore& Settings;
    const std::string ExecutableDirectory;

    GuideDocument Document;
    EditView View;
    GraphicDialog Graphic;
    PageSwitch Pages;
    RecordEditor Editor;
    Navigator Nav;
    FileCommands Files;
    LogicTree Tree;
    RecordRemoval Removal;
    // The "Generate HTML" page: the applet options and the applet element. Created once with
    // the window; no guide command touches it.
    OptionsPage Applet;
    // Recovery copies of unsaved changes; the window names their directory and runs their
    // timer.
    CrashRecovery Recovery;
    // "&File"'s recent guides, read when the window is first shown; "&Edit"'s moves.
    RecentGuides Recent;
    QuickMoves Moves;
    // "&File"'s exports of the published guide to the local disk.
    ExportCommands Exports;
    // "&File"'s proof copy for reviewers; the window hands it the writer.
    ProofCommands Proof;

    MenuItem ShowHintsItem;    // "&Show Hints", ticked while hints are on
    bool HintsEnabled = true;  // the application-wide hint switch
    bool TimerEnabled = false; // the one-shot start-up timer
    bool OpenAtStart = false;
    std::string StartFile;
    std::string HelpFile;
    // The record the Demonstration starts at, as its last caller gave it (1 from the toolbar,
    // the record being edited from "Demo"); the Demonstration page reads it when it is entered.
    std::int32_t DemoStartRecord = 1;

    // Requests to the window: show the getting-started wizard modally; the Logic View page
    // was shown (after its tree applied its rebuild rule); the Demonstration was started; the
    // dialogue was left empty (after the removal it offers was answered). The Demonstration
    // is started with the guide committed, its page active and the busy pointer on.
    std::function<void()> ShowWizard;
    std::function<void()> LogicViewShown;
    std::function<void()> DemonstrationStarted;
    std::function<void()> DialogueLeftEmpty;

private:
    UploadPage* Upload = nullptr;

    // Puts the editor where a step of the history says, after the step was undone or redone.
    void ShowHistoryStep(const HistoryStep& step, const GuidePosition& at);

    // What both Demonstration buttons do around entering it: busy pointer, the page, the
    // commit that puts unsaved edits into the guide, then the start at `startRecord`.
    void StartDemonstration(std::int32_t startRecord);
};

} // namespace dravenloom
