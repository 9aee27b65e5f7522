// The main window's menu bar and toolbar, with their captions, hints and shortcuts.
#include "app/Guidecode.h"

#include "app/Artwork.h"
#include "app/CheckGuideWindow.h"
#include "qtshared/ProofFile.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace dravenloom {
namespace {

struct ToolbarEntry {
    ToolbarGlyph Glyph;
    const char* Name;
    const char* Caption;
    const char* Hint;
};

const ToolbarEntry ToolbarEntries[6] = {
    {ToolbarGlyph::EditView, "ToolbarButton971", "Edit View",
     "Click here to edit the text of your guide."},
    {ToolbarGlyph::LogicView, "ToolbarButton972", "Logic View",
     "Click here to view the structure of your guide."},
    {ToolbarGlyph::GenerateHtml, "ToolbarButton973", "Generate HTML",
     "Click here to set options and generate the HTML for your guide."},
    {ToolbarGlyph::Demonstration, "ToolbarButton975", "Demonstration",
     "Click here to see a preview of your guide."},
    {ToolbarGlyph::UploadFiles, "ToolbarButton976", "Upload Files",
     "Click here to upload the applet files to your server."},
    {ToolbarGlyph::Exit, "ToolbarButton974", "Exit", "Click here to exit the program."},
};

QAction* AddItem(QMenu* menu, const char* name, const char* caption,
                 const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace

void TGuideForm::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    NewGuide1 = AddItem(file, "NewGuide1", "&New Guide", QKeySequence::New);
    file->addSeparator();
    Open1 = AddItem(file, "Open1", "&Open...", QKeySequence::Open);
    file->addSeparator();
    Save1 = AddItem(file, "Save1", "&Save", QKeySequence::Save);
    SaveAs1 = AddItem(file, "SaveAs1", "Save &As...", QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    Close1 = AddItem(file, "Close1", "&Close");
    AddCheckGuideCommand(*this, file);
    file->addSeparator();
    ExportToFolder1 = AddItem(file, "ExportToFolder1", ExportFolderCaption);
    ExportAsOnePage1 = AddItem(file, "ExportAsOnePage1", ExportPageCaption);
    ExportProofCopy1 = AddItem(file, "ExportProofCopy1", ProofCaption);
    file->addSeparator();
    BuildRecentItems(file);
    Exit2 = AddItem(file, "Exit2", "E&xit", QKeySequence(QStringLiteral("Ctrl+Q")));

    FileMenu = file;
    BuildEditMenu(menuBar()->addMenu(QStringLiteral("&Edit")));
    BuildMoveItems(EditMenu);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    Contents2 = AddItem(help, "Contents2", "&Contents");
    Tutorial2 = AddItem(help, "Tutorial2", "&Tutorial");
    ShowHints2 = AddItem(help, "ShowHints2", "&Show Hints");
    ShowHints2->setCheckable(true);
    ShowHints2->setChecked(true);
    GettingStarted1 = AddItem(help, "GettingStarted1", "&Getting Started...");
    help->addSeparator();
    HomePage1 = AddItem(help, "HomePage1", "&Korvessa Software Home Page");
    About1 = AddItem(help, "About1", "&About...");
    // The help key belongs to the window, not to a menu item: it opens the page of the view
    // on show, while "&Contents" opens the contents.
    ViewHelp = new QAction(this);
    ViewHelp->setObjectName(QStringLiteral("ViewHelp"));
    ViewHelp->setShortcuts(QKeySequence::HelpContents);
    addAction(ViewHelp);

    FileCommands& files = Form.Files;
    connect(NewGuide1, &QAction::triggered, this,
            [this, &files] { Forward([&files] { files.NewGuide1Click(); }); });
    connect(Open1, &QAction::triggered, this,
            [this, &files] { Forward([&files] { files.Open1Click(); }); });
    connect(Save1, &QAction::triggered, this,
            [this, &files] { Forward([&files] { files.Save1Click(); }); });
    connect(SaveAs1, &QAction::triggered, this,
            [this, &files] { Forward([&files] { files.SaveAs1Click(); }); });
    connect(Close1, &QAction::triggered, this,
            [this, &files] { Forward([&files] { files.Close1Click(); }); });
    ExportCommands& exports = Form.Exports;
    connect(ExportToFolder1, &QAction::triggered, this,
            [this, &exports] { Forward([&exports] { exports.ExportToFolder1Click(); }); });
    connect(ExportAsOnePage1, &QAction::triggered, this,
            [this, &exports] { Forward([&exports] { exports.ExportAsOnePage1Click(); }); });
    exports.ChooseFolder = [this](const FileDialogRequest& request) -> std::optional<std::string> {
        const QString folder = QFileDialog::getExistingDirectory(
            this, QString::fromStdString(request.Title), QString::fromStdString(request.FileName));
        if (folder.isEmpty())
            return std::nullopt;
        return QDir::toNativeSeparators(folder).toStdString();
    };
    connect(ExportProofCopy1, &QAction::triggered, this,
            [this] { Forward([this] { Form.Proof.ExportProofCopy1Click(); }); });
    Form.Proof.WriteProof = [](const ProofCopy& copy, const std::string& path) {
        WriteProofCopy(copy, path);
    };
    // A big export names each file in the status line as it goes.
    exports.Progressed = [this] {
        StatusPanel->setText(QString::fromStdString(Form.Document.StatusText));
        StatusPanel->repaint();
    };
    connect(Exit2, &QAction::triggered, this, &QWidget::close);
    connect(Contents2, &QAction::triggered, this,
            [this] { Forward([this] { Form.Contents2Click(); }); });
    connect(ViewHelp, &QAction::triggered, this,
            [this] { Forward([this] { Form.ViewHelpKeyPress(); }); });
    connect(Tutorial2, &QAction::triggered, this, &TGuideForm::ShowTutorial);
    connect(ShowHints2, &QAction::triggered, this,
            [this] { Forward([this] { Form.ShowHints2Click(); }); });
    connect(GettingStarted1, &QAction::triggered, this,
            [this] { Forward([this] { ShowWizard(); }); });
    connect(HomePage1, &QAction::triggered, this,
            [this] { Forward([this] { Form.HomePage1Click(); }); });
    connect(About1, &QAction::triggered, this, &TGuideForm::ShowAbout);
}

void TGuideForm::BuildToolBar() {
    ToolBar = new QToolBar(QStringLiteral("Dravenloom"), this);
    ToolBar->setObjectName(QStringLiteral("ToolBar971"));
    // Docked along the top and nowhere else: no floating, no close.
    ToolBar->setAllowedAreas(Qt::TopToolBarArea);
    ToolBar->setFloatable(false);
    ToolBar->setMovable(true);
    ToolBar->toggleViewAction()->setEnabled(false);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar->setIconSize(QSize(16, 16));
    ToolBar->setFixedHeight(41);
    addToolBar(Qt::TopToolBarArea, ToolBar);

    for (int i = 0; i < 6; ++i) {
        const ToolbarEntry& entry = ToolbarEntries[i];
        if (i > 0)
            ToolBar->addSeparator();
        QAction* button =
            ToolBar->addAction(ToolbarIcon(entry.Glyph), QString::fromUtf8(entry.Caption));
        button->setObjectName(QString::fromUtf8(entry.Name));
        // The hint is a tool tip only: the status line belongs to the record status.
        button->setToolTip(QString::fromUtf8(entry.Hint));
        ToolbarButtons[i] = button;
    }
    connect(ToolbarButtons[0], &QAction::triggered, this,
            [this] { Forward([this] { Form.ToolbarButton971Click(); }); });
    connect(ToolbarButtons[1], &QAction::triggered, this,
            [this] { Forward([this] { Form.ToolbarButton972Click(); }); });
    connect(ToolbarButtons[2], &QAction::triggered, this,
            [this] { Forward([this] { Form.ToolbarButton973Click(); }); });
    connect(ToolbarButtons[3], &QAction::triggered, this,
            [this] { Forward([this] { Form.ToolbarButton975Click(); }); });
    connect(ToolbarButtons[4], &QAction::triggered, this,
            [this] { Forward([this] { Form.ToolbarButton976Click(); }); });
    connect(ToolbarButtons[5], &QAction::triggered, this, &QWidget::close);
}

} // namespace dravenloom
