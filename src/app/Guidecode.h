// The main window TGuideForm: the toolbar, the menus, the five pages without tabs and the
// status line, over the toolkit-free GuideForm that holds the guide and every command.
//
// The window only assembles its pages. Each page is a GuidePage; SetPage() puts a page's own
// view in place of the caption page that stands in for it:
//
//   window.SetPage(Page::LogicView, new LogicPage(window.Core(), ...));
//
// After every forwarded event the window runs one Refresh(): title, Save commands, status
// line, active page, hint switch, then every page's Refresh(), then the focus requests the
// core made meanwhile.
#pragma once

#include "app/DeferredFocus.h"
#include "app/HintSwitch.h"
#include "shell/GuideForm.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QTimer;
class QToolBar;

namespace dravenloom {

class EditPage;
class FocusTargets;
class GuidePage;
class TAboutBox;
class TAdvancedForm;
class TMagnifyForm;
class TTutorialForm;
class TWizardForm;

inline constexpr int PageCount = 5;

// Where the recovery copies are kept: "recovery" in the user's data directory
// (QStandardPaths::AppDataLocation), never beside a guide.
std::string RecoveryDirectory();
// The recovery timer's interval: DRAVENLOOM_RECOVERY_INTERVAL_MS when it holds a positive
// number of milliseconds (tests shorten the wait), otherwise a minute.
int RecoveryInterval();

// The windows the main window opens; created after it, kept for the whole run.
struct SecondaryWindows {
    TAboutBox* About = nullptr;
    TTutorialForm* Tutorial = nullptr;
    TWizardForm* Wizard = nullptr;
    TAdvancedForm* Advanced = nullptr;
    TMagnifyForm* Magnify = nullptr;
};

class TGuideForm : public QMainWindow {
    Q_OBJECT

public:
    // Creating the window starts a new guide and notes the guide named by `arguments` (the
    // command line after the program name). `fields` is where the pages register their text
    // fields so that the core's focus requests reach them.
    TGuideForm(Platform& platform, FocusTargets& fields, SettingsStore& settings,
               const std::string& executableDirectory, const std::vector<std::string>& arguments,
               QWidget* parent = nullptr);
    ~TGuideForm() override;

    GuideForm& Core() { return Form; }
    FocusTargets& Fields() { return FieldTargets; }
    // The platform the core speaks to (focus requests held back until the refresh).
    DeferredFocus& Host() { return Focus; }

    void AttachWindows(const SecondaryWindows& windows);
    // Keeps recovery copies of unsaved changes in `directory`, written by RecoveryTimer, and
    // offers those left by a crash at start-up. Without it the window keeps none.
    void StartRecovery(const std::string& directory, int intervalMilliseconds);
    const SecondaryWindows& Windows() const { return Secondary; }

    // Puts `page` (owned by the window from now on) in the place of the page shown for `which`.
    void SetPage(Page which, GuidePage* page);
    GuidePage* PageWidget(Page which) const;
    EditPage* EditViewPage() const { return EditView; }

    // Shows the core's state in every widget, then honours the held-back focus requests.
    void Refresh();
    // Runs one core command; a failure that escapes it is reported, then the window refreshes.
    void Forward(const std::function<void()>& command);

    // Windows opened from the menus, the wizard and the Edit View.
    void ShowTutorial();
    void ShowWizard();
    void ShowAbout();
    void ShowGraphicDialog();

    // Menu commands, by the program's names.
    QAction* NewGuide1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* ExportToFolder1 = nullptr;
    QAction* ExportAsOnePage1 = nullptr;
    QAction* ExportProofCopy1 = nullptr;
    QAction* Exit2 = nullptr;
    // "&Edit": the record history first, then the moves between records.
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* GoToRecord1 = nullptr;
    QAction* Previous1 = nullptr;
    QAction* Next1 = nullptr;
    QAction* GoBack1 = nullptr;
    // "&File"'s recent guides ("&1 lamp.dvx" ...), hidden while unused, and the separator
    // between them and "E&xit".
    std::array<QAction*, RecentGuideCount> RecentItems{};
    QAction* RecentSeparator = nullptr;
    QMenu* FileMenu = nullptr;
    QMenu* EditMenu = nullptr;
    QAction* Contents2 = nullptr;
    QAction* Tutorial2 = nullptr;
    QAction* ShowHints2 = nullptr;
    QAction* GettingStarted1 = nullptr;
    QAction* HomePage1 = nullptr;
    QAction* About1 = nullptr;
    // The help key (F1): the help page of the view on show.
    QAction* ViewHelp = nullptr;

    // The toolbar and its buttons, left to right: Edit View, Logic View, Generate HTML,
    // Demonstration, Upload Files, Exit.
    QToolBar* ToolBar = nullptr;
    std::array<QAction*, 6> ToolbarButtons{};
    QStackedWidget* PageStack = nullptr;
    QLabel* StatusPanel = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* RecoveryTimer = nullptr;
    // Ends a note of the status line when its time is up.
    QTimer* NoteTimer = nullptr;
    int NoteMilliseconds = StatusNoteMilliseconds;

signals:
    // The window was closed (the author agreed): the program ends.
    void Closed();

protected:
    // Status tips never reach the status line, which shows the record status and nothing else.
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildEditMenu(QMenu* edit);
    void ShowEditMenuCaptions();
    void ShowEditMenuState();
    void BuildRecentItems(QMenu* file);
    void BuildMoveItems(QMenu* edit);
    // The recent guides, the moves' enabled states and the note's timer.
    void RefreshQuickItems();
    // The Edit View's field that holds the keyboard focus, if any.
    const TextField* FocusedEditField();
    void BuildToolBar();
    void BuildPages();
    void BuildStatusLine();
    void ConnectCore();
    // The size and place of the last run, when a screen still holds them; else centred.
    void RestorePlace();
    void StorePlace();

    DeferredFocus Focus;
    FocusTargets& FieldTargets;
    GuideForm Form;
    SettingsStore& Settings;
    HintSwitch Hints;
    SecondaryWindows Secondary;
    EditPage* EditView = nullptr;
    bool Shown = false;
    std::uint64_t NoteSerialTimed = 0;
};

} // namespace dravenloom
