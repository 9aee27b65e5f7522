// The main window: start-up, pages, refresh, and the windows it opens.
#include "app/Guidecode.h"

#include "app/About.h"
#include "app/Advanced.h"
#include "app/Application.h"
#include "app/DemoPage.h"
#include "app/EditPage.h"
#include "app/GeneratePage.h"
#include "app/GuidePage.h"
#include "app/LogicPage.h"
#include "app/Magnified.h"
#include "app/Tutorial.h"
#include "app/UploadFilesPage.h"
#include "app/WidgetSync.h"
#include "app/WindowStyle.h"
#include "app/Wizard.h"
#include "ftp/UploadClient.h"
#include "shell/WindowPlacement.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace dravenloom {

constexpr int StatusLineHeight = 22;

TGuideForm::TGuideForm(Platform& platform, FocusTargets& fields, SettingsStore& settings,
                       const std::string& executableDirectory,
                       const std::vector<std::string>& arguments, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                              Qt::WindowCloseButtonHint),
      Focus(platform), FieldTargets(fields), Form(Focus, settings, executableDirectory),
      Settings(settings) {
    setObjectName(QStringLiteral("GuideForm"));
    setFont(DialogFont());
    setContextMenuPolicy(Qt::NoContextMenu); // no menu that could hide the toolbar
    BuildMenus();
    BuildToolBar();
    BuildPages();
    BuildStatusLine();
    ConnectCore();

    // The default size is the smallest: the pages' client area, the toolbar dock, the status
    // line and the menu. Larger, the pages move and stretch their widgets.
    layout()->setSizeConstraint(QLayout::SetMinimumSize);
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, [this] { Forward([this] { Form.Timer1Timer(); }); });

    Forward([this, &arguments] { Form.FormCreate(arguments); });
    // Laid out at the default size first; from there the view area may only grow.
    adjustSize();
    PageStack->setMinimumSize(DefaultPageSize);
    PageStack->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setMinimumSize(size());
    RestorePlace();
}

void TGuideForm::RestorePlace() {
    CentreOnScreen(this);
    const std::optional<WindowPlace> stored = ReadWindowPlace(Settings);
    if (!stored)
        return;
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    const QSize smallest = minimumSize();
    const std::optional<WindowPlace> place =
        RestoredPlace(*stored, {smallest.width(), smallest.height()}, screens);
    if (!place)
        return;
    setGeometry(place->Area.Left, place->Area.Top, place->Area.Width, place->Area.Height);
    if (place->Maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TGuideForm::StorePlace() {
    // A maximised window keeps the place it goes back to when it is restored.
    const QRect area = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    if (!area.isValid())
        return;
    WriteWindowPlace(Settings, {{area.x(), area.y(), area.width(), area.height()}, isMaximized()});
}

TGuideForm::~TGuideForm() = default;

void TGuideForm::BuildPages() {
    PageStack = new QStackedWidget(this);
    PageStack->setObjectName(QStringLiteral("PageControl1"));
    PageStack->setFixedSize(DefaultPageSize);
    EditView = new EditPage(Form, FieldTargets, PageStack);
    EditView->RefreshWindow = [this] { Refresh(); };
    EditView->OnRemove = [this] { Form.RemoveBitBtnClick(); };
    PageStack->addWidget(EditView);
    // Stand-ins until each view's own page is set in (the upload page has no caption of its
    // own; its stand-in shows the toolbar's).
    auto* logic = new LogicPage(Form, PageStack);
    connect(logic, &LogicPage::JumpedToRecord, this, &TGuideForm::Refresh);
    connect(logic, &LogicPage::RecordRemoved, this, &TGuideForm::Refresh);
    PageStack->addWidget(logic);
    auto* generate = new GeneratePage(Form, FieldTargets, PageStack);
    generate->RefreshWindow = [this] { Refresh(); };
    PageStack->addWidget(generate);
    auto* demo = new DemoPage(Form, PageStack);
    demo->RefreshWindow = [this] { Refresh(); };
    demo->PassFocus = [this] { PageStack->setFocus(Qt::OtherFocusReason); };
    PageStack->addWidget(demo);
    auto* upload = new UploadFilesPage(Form, std::make_unique<UploadClient>(), PageStack);
    // A save made by the upload shows in the title and in Save at once.
    upload->RefreshWindow = [this] { Refresh(); };
    PageStack->addWidget(upload);
    setCentralWidget(PageStack);
}

void TGuideForm::BuildStatusLine() {
    StatusPanel = new QLabel(this);
    StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
    StatusPanel->setContentsMargins(4, 0, 4, 0);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(StatusLineHeight);
    statusBar()->addWidget(StatusPanel, 1);
}

void TGuideForm::ConnectCore() {
    Form.ShowWizard = [this] { ShowWizard(); };
}

void TGuideForm::AttachWindows(const SecondaryWindows& windows) {
    Secondary = windows;
    if (Secondary.Wizard) {
        connect(Secondary.Wizard, &TWizardForm::OpenTutorialRequested, this,
                &TGuideForm::ShowTutorial);
        connect(Secondary.Wizard, &TWizardForm::GoToGenerateRequested, this,
                [this] { Forward([this] { Form.ToolbarButton973Click(); }); });
    }
    EditView->OnGraphic = [this] { ShowGraphicDialog(); };
    EditView->OnMagnify = [this](const std::string& text) -> std::optional<std::string> {
        if (!Secondary.Magnify)
            return std::nullopt;
        return Secondary.Magnify->Edit(text);
    };
}

void TGuideForm::SetPage(Page which, GuidePage* page) {
    const int index = static_cast<int>(which);
    QWidget* old = PageStack->widget(index);
    const bool current = PageStack->currentIndex() == index;
    PageStack->insertWidget(index, page);
    PageStack->removeWidget(old);
    if (old == EditView)
        EditView = qobject_cast<EditPage*>(page);
    delete old;
    if (current)
        PageStack->setCurrentIndex(index);
    Refresh();
}

GuidePage* TGuideForm::PageWidget(Page which) const {
    return qobject_cast<GuidePage*>(PageStack->widget(static_cast<int>(which)));
}

void TGuideForm::Refresh() {
    const GuideDocument& document = Form.Document;
    const QString title = QString::fromStdString(document.WindowTitle);
    if (windowTitle() != title)
        setWindowTitle(title);
    ShowMenuItem(Save1, document.SaveItem);
    ShowMenuItem(SaveAs1, document.SaveAsItem);
    ShowMenuItem(ShowHints2, Form.ShowHintsItem);
    ShowEditMenuState();
    Hints.SetEnabled(Form.HintsEnabled);
    const QString status = QString::fromStdString(document.StatusText);
    if (StatusPanel->text() != status)
        StatusPanel->setText(status);
    const int active = static_cast<int>(Form.Pages.ActivePage);
    for (int index = 0; index < PageStack->count(); ++index) {
        if (auto* page = qobject_cast<GuidePage*>(PageStack->widget(index)))
            page->Refresh();
    }
    if (PageStack->currentIndex() != active)
        PageStack->setCurrentIndex(active);
    if (Secondary.Advanced)
        Secondary.Advanced->Refresh();
    RefreshQuickItems();
    Focus.Flush();
}

void TGuideForm::Forward(const std::function<void()>& command) {
    try {
        command();
    } catch (...) {
        // The command ends at the failing step; what it did so far stays done and is shown.
        ReportCurrentException(&Focus);
    }
    Refresh();
}

void TGuideForm::ShowTutorial() {
    if (!Secondary.Tutorial)
        return;
    // The tutorial asks to be read beside the main window while the author works along; a
    // tutorial already open stays where the author put it.
    if (!Secondary.Tutorial->isVisible())
        PlaceBesideWindow(Secondary.Tutorial, this);
    Secondary.Tutorial->show();
    Secondary.Tutorial->raise();
    Secondary.Tutorial->activateWindow();
}

void TGuideForm::ShowWizard() {
    if (Secondary.Wizard)
        Secondary.Wizard->exec();
}

void TGuideForm::ShowAbout() {
    if (Secondary.About)
        Secondary.About->exec();
}

void TGuideForm::ShowGraphicDialog() {
    if (!Secondary.Advanced)
        return;
    Forward([this] { Form.GraphicDialogOpened(); });
    Secondary.Advanced->Refresh();
    Secondary.Advanced->exec();
    Forward([this] { Form.GraphicDialogClosed(); });
}

bool TGuideForm::event(QEvent* event) {
    // QMainWindow would show a hovered control's status tip in place of the record status.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void TGuideForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (Shown)
        return;
    Shown = true;
    Forward([this] { Form.FormShow(); });
    if (Form.TimerEnabled)
        Timer1->start();
}

void TGuideForm::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    Forward([this, &mayClose] { mayClose = Form.CloseQuery(); });
    event->setAccepted(mayClose);
    if (!mayClose)
        return;
    StorePlace();
    // The author has answered for the changes: saved, or let them go.
    if (RecoveryTimer)
        RecoveryTimer->stop();
    Forward([this] { Form.Recovery.ProgramClosed(); });
    emit Closed();
}

} // namespace dravenloom
