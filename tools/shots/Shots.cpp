// dravenloom-shots: builds the program's real windows over the real platform layer, drives
// them through a guide, and saves a picture of every window and page (for people who look at
// the program without a desktop, and for the tutorial's illustrations).
//
//   dravenloom-shots OUTPUT_DIR GUIDE_FILE [TUTORIAL_IMAGES_DIR]
#include "app/About.h"
#include "app/Advanced.h"
#include "app/Application.h"
#include "app/CheckGuideWindow.h"
#include "app/EditPage.h"
#include "app/EditSpelling.h"
#include "app/FindReplaceWindow.h"
#include "app/GeneratePage.h"
#include "app/GuidePage.h"
#include "app/GuideText.h"
#include "app/Guidecode.h"
#include "app/HelpWindow.h"
#include "app/LogicPage.h"
#include "app/Magnified.h"
#include "app/QtPlatform.h"
#include "qtshared/QtSettingsStore.h"
#include "app/Splash.h"
#include "app/StatisticsWindow.h"
#include "app/Tranbtn.h"
#include "app/Tutorial.h"
#include "app/UploadFilesPage.h"
#include "app/WindowStyle.h"
#include "app/Wizard.h"
#include "document/RecordCodec.h"
#include "document/RecordEditor.h"
#include "document/SettingsStore.h"
#include "shell/FileCommands.h"
#include "shell/RecoveryStore.h"
#include "shots/QuickShots.h"
#include "shots/ShotTools.h"
#include "shots/SpellingShot.h"
#include "spelling/Dictionaries.h"
#include "shots/UploadShot.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <ctime>
#include <filesystem>

namespace {

using namespace dravenloom;
using namespace dravenloom::shots;

// The tutorial shows the page area of the main window at four fifths of its size.
void SaveTutorialPicture(TGuideForm& window, const QString& directory, const QString& name,
                         QWidget* what = nullptr) {
    if (directory.isEmpty())
        return;
    QDir().mkpath(directory);
    Settle();
    QWidget* source = what ? what : window.PageStack;
    QPixmap picture = source->grab();
    if (!what)
        picture = picture.scaled(496, 319, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QString path = directory + QLatin1Char('/') + name + QStringLiteral(".png");
    QTextStream(stdout) << (picture.save(path) ? "saved " : "FAILED ") << path << Qt::endl;
}

// A click on a transparent bitmap button, as the mouse makes it.
void Click(TMTranBtn* button) {
    const QPoint at(button->width() / 2, button->height() / 2);
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(at), QPointF(button->mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }
}

// The look the tutorial sets for the lamp guide, and its tag. The guide is still untitled, so
// generating asks for its name first: the lamp guide is saved as lamp.dvx in `folder`.
void GenerateLampTag(GeneratePage& page, const QString& folder) {
    Type(page.TitleEdit, QStringLiteral("Desk lamp helper"));
    Type(page.ButtonEdit, QStringLiteral("Lamp trouble?"));
    Type(page.WidthEdit, QStringLiteral("450"));
    Type(page.HeightEdit, QStringLiteral("350"));
    page.TextStart->setFocus();
    Click(page.SwatchButtons[6]); // blue
    QDir().mkpath(folder);
    const QString guide = QDir(folder).filePath(QStringLiteral("lamp.dvx"));
    QFile::remove(guide); // a lamp.dvx of an earlier run would stop the dialog with a question
    QTimer::singleShot(300, &page, [guide] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        // The name goes into the dialog's own field: selectFile() fills it only once the
        // folder has been read, which may be after the accept.
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(guide);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
    });
    page.GenerateBitBtn->click();
}

// A copy of the files the program finds beside itself (the applet and the help book) in a
// folder of the temporary directory; the folder's path.
std::string InstalledLookingCopy(const std::string& executableDirectory) {
    namespace fs = std::filesystem;
    const fs::path from = fs::u8path(executableDirectory);
    const fs::path to = fs::u8path(QDir::tempPath().toStdString()) / "dravenloom";
    std::error_code ignored;
    fs::remove_all(to, ignored);
    fs::create_directories(to, ignored);
    for (const char* folder : {"Applet", "help"})
        fs::copy(from / folder, to / folder, fs::copy_options::recursive, ignored);
    const std::u8string text = to.u8string();
    return std::string(text.begin(), text.end());
}

// The guide's folder copied to "examples" in the temporary directory; the copied guide's path.
std::string SampleGuideCopy(const QString& guidePath) {
    namespace fs = std::filesystem;
    const fs::path from = fs::u8path(guidePath.toStdString());
    const fs::path to = fs::u8path(QDir::tempPath().toStdString()) / "examples";
    std::error_code ignored;
    fs::remove_all(to, ignored);
    fs::create_directories(to, ignored);
    fs::copy(from.parent_path(), to, fs::copy_options::recursive, ignored);
    const std::u8string text = (to / from.filename()).u8string();
    return std::string(text.begin(), text.end());
}

// The server settings the tutorial shows, and the list of files for the lamp guide.
void ListLampFiles(UploadFilesPage& page) {
    Type(page.HostTxt, QStringLiteral("ftp.korvessa.example"));
    Type(page.UserTxt, QStringLiteral("anna"));
    Type(page.PassTxt, QStringLiteral("lamp"));
    Type(page.DirTxt, QStringLiteral("public_html/lamp"));
    AnswerBoxes(&page, QMessageBox::No, 3);
    page.ListBtn->click();
}

// Writes the start of the tutorial's lamp guide as the tutorial tells the author to, taking
// the pictures the tutorial pages show on the way.
void WriteLampGuide(TGuideForm& window, TAdvancedForm& advanced, const QString& pictures,
                    const QString& bulbPicture) {
    EditPage* edit = window.EditViewPage();
    Type(edit->DialogueMemo,
         QStringLiteral("My desk lamp does not light.\nIs the lamp plugged in?"));
    SaveTutorialPicture(window, pictures, QStringLiteral("edit-view"));

    Type(edit->Memos[0], QStringLiteral("No, it is not plugged in."));
    Type(edit->Memos[1], QStringLiteral("Yes, the plug is in the wall socket."));
    edit->CreateNewButtons[0]->click();
    SaveTutorialPicture(window, pictures, QStringLiteral("create-new"));

    Type(edit->DialogueMemo, QStringLiteral("Push the plug firmly into the wall socket and switch "
                                            "the lamp on.\nDoes it light now?"));
    edit->BackBitBtn->click();
    SaveTutorialPicture(window, pictures, QStringLiteral("responses"));

    edit->CreateNewButtons[1]->click();
    Type(edit->DialogueMemo, QStringLiteral("Plug another device, such as a radio, into the same "
                                            "socket.\nDoes it work?"));
    Type(edit->Memos[0], QStringLiteral("Yes, the radio works."));
    Type(edit->Memos[1], QStringLiteral("No, the socket is dead."));
    edit->CreateNewButtons[0]->click();
    Type(edit->DialogueMemo, QStringLiteral("The bulb has probably burnt out.\nFit a new bulb of "
                                            "the same type and wattage."));
    advanced.Refresh();
    advanced.GraphicCheck()->click();
    Type(advanced.GraphicEdit(), bulbPicture);
    advanced.show();
    SaveTutorialPicture(window, pictures, QStringLiteral("graphic-dialog"), &advanced);
    advanced.hide();

    Type(edit->Memos[0], QStringLiteral("The new bulb lights."));
    Type(edit->Memos[1],
         QStringLiteral("Order a new bulb [url:https://www.korvessa.example/lamps/]"));
    edit->CreateNewButtons[0]->click();
    Type(edit->DialogueMemo, QStringLiteral("The lamp lights again. Well done!"));
    edit->CenterCheck->click();

    // The other views, once they are built (a stand-in page is not worth a picture).
    const struct {
        Page Which;
        int Button;
        const char* Name;
    } views[] = {{Page::LogicView, 1, "logic-view"},
                 {Page::Demonstration, 3, "demonstration"},
                 {Page::GenerateHtml, 2, "generate-html"},
                 {Page::Upload, 4, "upload-files"}};
    for (const auto& view : views) {
        if (qobject_cast<CaptionPage*>(window.PageWidget(view.Which))) {
            QTextStream(stdout) << "skipped " << view.Name << " (the view is not built yet)"
                                << Qt::endl;
            continue;
        }
        window.ToolbarButtons.at(static_cast<std::size_t>(view.Button))->trigger();
        auto* generate = qobject_cast<GeneratePage*>(window.PageWidget(view.Which));
        if (generate && !pictures.isEmpty())
            GenerateLampTag(*generate, QDir::tempPath() + QStringLiteral("/lamp"));
        if (auto* logic = qobject_cast<LogicPage*>(window.PageWidget(view.Which)))
            logic->TreeView1->expandAll();
        auto* upload = qobject_cast<UploadFilesPage*>(window.PageWidget(view.Which));
        if (upload && !pictures.isEmpty())
            ListLampFiles(*upload);
        SaveTutorialPicture(window, pictures, QString::fromUtf8(view.Name));
    }
    window.ToolbarButtons.at(0)->trigger();
}

// The Logic View with every branch open and a response selected, so that the record column
// shows each kind of jump the sample guide has.
void ShootLogicViewExpanded(Camera& camera, TGuideForm& window) {
    auto* logic = qobject_cast<LogicPage*>(window.PageWidget(Page::LogicView));
    if (!logic)
        return;
    window.ToolbarButtons.at(1)->trigger();
    logic->ExpandAll1->trigger();
    QTreeView* tree = logic->TreeView1;
    tree->setCurrentIndex(tree->model()->index(0, 0, tree->model()->index(0, 0)));
    Settle(100);
    camera.Shoot(&window, QStringLiteral("page-logic-view-expanded"));
    window.ToolbarButtons.at(0)->trigger();
}

// "Check Guide" on the sample guide, which has nothing wrong, then on a guide with a dangling
// link, a self link, an unreachable record and a reserved mark left by a hand edit.
void ShootCheckGuide(Camera& camera, TGuideForm& window) {
    if (auto* command = window.findChild<QAction*>(QStringLiteral("CheckGuide1")))
        command->trigger();
    auto* checker = window.findChild<CheckGuideWindow*>();
    if (!checker) {
        QTextStream(stdout) << "FAILED check-guide (no window)" << Qt::endl;
        ++camera.Failures;
        return;
    }
    Settle(200);
    camera.Shoot(checker, QStringLiteral("check-guide-clean"));
    // Put in place of the record list as a hand edit outside the program would leave it
    // (record 3's dialogue holds the mark 0xAA), and shown from record 1.
    window.Forward([&window] {
        GuideForm& form = window.Core();
        form.Document.Records.Lines = {
            BuildPrimaryLine(1, "Welcome to the lamp repair guide.", "", "300", "0", false),
            BuildResponseLine(1, "The lamp stays dark", "2"),
            BuildResponseLine(1, "It flickers", "3"),
            BuildPrimaryLine(2, "Check the plug.", "", "300", "0", false),
            BuildResponseLine(2, "Still dark", "2"),
            BuildPrimaryLine(3, "Change the bulb \xAA now.", "", "300", "0", false),
            BuildResponseLine(3, "Order a bulb", "9"),
            BuildPrimaryLine(4, "An old note nobody reaches.", "", "300", "0", false)};
        form.Document.RecordCount = 4;
        form.Document.CurrentRecord = 1;
        form.Editor.LoadRecord();
    });
    checker->RefreshButton->click();
    Settle(100);
    camera.Shoot(checker, QStringLiteral("check-guide"));
    checker->StatisticsButton->click();
    if (auto* stats = window.findChild<StatisticsWindow*>()) {
        Settle(200);
        camera.Shoot(stats, QStringLiteral("statistics"));
        stats->hide();
    } else {
        QTextStream(stdout) << "FAILED statistics (no window)" << Qt::endl;
        ++camera.Failures;
    }
    checker->hide();
}

// "Replace..." on the sample guide: the matches of a word listed, then a broken expression
// named with where it breaks.
void ShootFindReplace(Camera& camera, TGuideForm& window) {
    if (auto* command = window.findChild<QAction*>(QStringLiteral("Replace1")))
        command->trigger();
    auto* finder = window.findChild<FindReplaceWindow*>();
    if (!finder) {
        QTextStream(stdout) << "FAILED find-replace (no window)" << Qt::endl;
        ++camera.Failures;
        return;
    }
    finder->FindEdit->setText(QStringLiteral("lamp"));
    finder->ReplaceEdit->setText(QStringLiteral("light"));
    finder->WholeWordCheck->setChecked(true);
    finder->FindAll();
    finder->ResultList->setCurrentIndex(finder->ResultList->model()->index(2, 0));
    Settle(200);
    camera.Shoot(finder, QStringLiteral("find-replace"));
    finder->RegexCheck->setChecked(true);
    finder->FindEdit->setText(QStringLiteral("lamp(s|shade"));
    finder->FindAll();
    Settle(100);
    camera.Shoot(finder, QStringLiteral("find-replace-error"));
    finder->FindEdit->clear();
    finder->RegexCheck->setChecked(false);
    finder->WholeWordCheck->setChecked(false);
    finder->FindAll();
    finder->hide();
}

void ShootPages(Camera& camera, TGuideForm& window) {
    const char* const names[] = {"page-edit-view", "page-logic-view", "page-generate-html",
                                 "page-demonstration", "page-upload"};
    for (int i = 1; i < PageCount; ++i) {
        window.ToolbarButtons.at(static_cast<std::size_t>(i))->trigger();
        camera.Shoot(&window, QString::fromUtf8(names[i]));
    }
    window.ToolbarButtons.at(0)->trigger();
    camera.Shoot(&window, QString::fromUtf8(names[0]));
}

// The question a paste with characters a guide can't hold asks; answered No, nothing changes.
void ShootPasteQuestion(Camera& camera, TGuideForm& window) {
    window.ToolbarButtons.at(0)->trigger();
    QPlainTextEdit* dialogue = window.EditViewPage()->DialogueMemo;
    dialogue->setFocus();
    dialogue->moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(
        QStringLiteral(" Meet us in \u0141\u00F3d\u017A or Timi\u0219oara: 5\u20AC (\u20BD 400), "
                       "\u03A9\u2011hall."));
    bool shot = false;
    QTimer::singleShot(400, &window, [&camera, &shot] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shot = camera.Shoot(box, QStringLiteral("paste-question"));
            box->button(QMessageBox::No)->click();
        }
    });
    dialogue->paste();
    Settle(800);
    if (!shot)
        camera.Missed(QStringLiteral("paste-question"), QStringLiteral("no question came"));
}

// The Edit menu open after some typing in a record: its items name what they would undo.
void ShootEditMenu(Camera& camera, TGuideForm& window) {
    window.ToolbarButtons.at(0)->trigger();
    QPlainTextEdit* dialogue = window.EditViewPage()->DialogueMemo;
    dialogue->setFocus();
    dialogue->moveCursor(QTextCursor::End);
    dialogue->insertPlainText(QStringLiteral(" Check the fuse first."));
    QMenu* menu = window.EditMenu;
    QTimer::singleShot(400, &window, [&camera, &window, menu] {
        camera.ShootWithPopup(&window, menu, QStringLiteral("edit-menu"));
        menu->close();
    });
    menu->popup(
        window.mapToGlobal(window.menuBar()->actionGeometry(menu->menuAction()).bottomLeft()));
    Settle(800);
    // The typing goes again, so that the pictures after this one show the guide as it was.
    window.Undo1->trigger();
}

} // namespace

int main(int argc, char* argv[]) {
    Application application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr,
                     "usage: dravenloom-shots OUTPUT_DIR GUIDE_FILE [TUTORIAL_IMAGES_DIR]\n");
        return 2;
    }
    Camera camera(arguments[1]);
    // The sample guide and its picture, from a folder whose name says nothing of the machine
    // the pictures are taken on (the open dialog shows it).
    const std::string guide = SampleGuideCopy(QDir(arguments[2]).absolutePath());
    const QString tutorialPictures = arguments.size() > 3 ? arguments[3] : QString();

    TSplashForm splash;
    splash.ShowAndPaint();
    camera.Shoot(&splash, QStringLiteral("splash"));
    splash.hide();

    QtPlatform platform;
    QtSettingsStore settings;
    // The wizard is taken on its own below; at start-up it would wait for an answer.
    settings.OpenKey(ProgramKey, true);
    settings.WriteBool(ProgramKey, "Wizard", false);
    application.SetErrorReporter(&platform);
    GuideTextGuard::SetPlatform(&platform);
    const std::string executableDirectory = QCoreApplication::applicationDirPath().toStdString();
    // The pictures show the files beside the program (the upload's list names them) as an
    // installed program has them, not in the build folder of whoever takes the pictures.
    const std::string shownDirectory = InstalledLookingCopy(executableDirectory);
    TGuideForm window(platform, platform.Fields(), settings, shownDirectory, {});
    TAboutBox about(platform, &window);
    TTutorialForm tutorial(platform, std::filesystem::u8path(executableDirectory));
    TWizardForm wizard(settings, &window);
    TAdvancedForm advanced(window.Core().Editor, platform.Fields(), &window);
    TMagnifyForm magnify(&window);
    window.AttachWindows({&about, &tutorial, &wizard, &advanced, &magnify});
    // The "&Tools" menu as the program has it; words added while the pictures are taken go
    // nowhere the author keeps.
    QTemporaryDir spellingWords;
    EditSpelling* spelling = AttachSpelling(
        window, {DictionaryFolders(executableDirectory),
                 spellingWords.filePath(QStringLiteral("personal-words.txt")).toStdString()});
    window.show();
    window.activateWindow();
    Settle(300);
    camera.Shoot(&window, QStringLiteral("main-new-guide"));

    const QString bulb = QDir::tempPath() + QStringLiteral("/lamp/bulb.gif");
    WriteLampGuide(window, advanced, tutorialPictures, QDir::toNativeSeparators(bulb));

    // The sample guide, opened as the start-up timer opens a guide named on the command line.
    window.Forward([&window, &guide] {
        window.Core().Document.OpenDialogPath = guide;
        window.Core().Files.OpenGuideFile();
    });
    camera.Shoot(&window, QStringLiteral("main-record-1"));
    EditPage* edit = window.EditViewPage();
    // Record 3: three responses, reached from three records.
    edit->NextBitBtn->click();
    edit->NextBitBtn->click();
    camera.Shoot(&window, QStringLiteral("main-edit-view"));
    ShootQuickItems(camera, window);
    ShootPages(camera, window);
    ShootLogicViewExpanded(camera, window);
    // Record 6 in the Demonstration: its picture beside the text, and a web-link response.
    if (!qobject_cast<CaptionPage*>(window.PageWidget(Page::Demonstration))) {
        window.Forward([&window] { window.Core().Nav.WalkToRecord(6); });
        edit->BitBtn5->click();
        Settle(100);
        camera.Shoot(&window, QStringLiteral("page-demonstration-picture-link"));
        window.ToolbarButtons.at(0)->trigger();
    }
    // The element of the sample guide with a few settings of its own.
    if (auto* generate = qobject_cast<GeneratePage*>(window.PageWidget(Page::GenerateHtml))) {
        window.ToolbarButtons.at(2)->trigger();
        Type(generate->TitleEdit, QStringLiteral("A tour of Dravenloom"));
        generate->CheckBold->click();
        Click(generate->SwatchButtons[1]); // red
        generate->GenerateBitBtn->click();
        camera.Shoot(&window, QStringLiteral("page-generate-html-element"));
        window.ToolbarButtons.at(0)->trigger();
    }
    // The upload page while a file is on its way to a local server.
    ShootUploadRunning(camera, window);
    ShootTrustQuestion(camera, window);

    // The window at its default (smallest) size and made larger: the boxes take the room.
    window.ToolbarButtons.at(0)->trigger();
    Settle(100);
    camera.Shoot(&window, QStringLiteral("main-window-default"));
    window.move(window.screen()->availableGeometry().topLeft());
    window.resize(1280, 960);
    Settle(300);
    camera.Shoot(&window, QStringLiteral("main-window-1280x960"));
    for (const auto& [button, name] :
         {std::pair{1, "main-window-1280x960-logic"}, std::pair{2, "main-window-1280x960-generate"},
          std::pair{3, "main-window-1280x960-demonstration"},
          std::pair{4, "main-window-1280x960-upload"}}) {
        window.ToolbarButtons.at(static_cast<std::size_t>(button))->trigger();
        // The tree opened a few levels, so that the room it gets shows.
        if (auto* logic = qobject_cast<LogicPage*>(window.PageWidget(Page::LogicView)))
            logic->TreeView1->expandToDepth(5);
        Settle(200);
        camera.Shoot(&window, QString::fromUtf8(name));
    }
    window.ToolbarButtons.at(0)->trigger();
    window.resize(window.minimumSize());
    CentreOnScreen(&window);
    Settle(100);

    about.setModal(false);
    camera.Shoot(&about, QStringLiteral("about"));
    about.hide();

    advanced.Refresh();
    camera.Shoot(&advanced, QStringLiteral("graphic-dialog"));
    advanced.hide();
    // The graphic dialog when the path names no file.
    window.Forward(
        [&window] { window.Core().Editor.GraphicEditChange("/no/such/folder/sunrise.gif"); });
    advanced.Refresh();
    camera.Shoot(&advanced, QStringLiteral("graphic-dialog-no-file"));
    advanced.hide();

    magnify.Memo1Guard()->SetGuideText(window.Core().View.DialogueMemo.Text);
    camera.Shoot(&magnify, QStringLiteral("magnified-field"));
    magnify.hide();

    ShootPasteQuestion(camera, window);
    ShootEditMenu(camera, window);
    ShootSpelling(camera, window, spelling);

    window.ShowTutorial();
    Settle(300);
    camera.ShootScreen(QStringLiteral("tutorial-beside-main"));
    // With the main window at the left edge there is room for the tutorial on its right.
    tutorial.hide();
    window.move(window.screen()->availableGeometry().topLeft());
    window.ShowTutorial();
    Settle(300);
    camera.ShootScreen(QStringLiteral("tutorial-beside-main-at-left"));
    CentreOnScreen(&window);
    camera.Shoot(&tutorial, QStringLiteral("tutorial"));
    tutorial.hide();

    camera.Shoot(&wizard, QStringLiteral("wizard"));
    wizard.hide();

    window.Core().Contents2Click();
    if (HelpWindow* help = platform.Help()) {
        Settle(300);
        camera.Shoot(help, QStringLiteral("help-window"));
        help->hide();
        // The help key on the Edit View opens the book at the Edit View's page.
        window.ToolbarButtons.at(0)->trigger();
        window.ViewHelp->trigger();
        Settle(300);
        camera.Shoot(help, QStringLiteral("help-window-edit-view"));
        help->hide();
    } else {
        QTextStream(stdout) << "FAILED help window (no help book beside the program)" << Qt::endl;
        ++camera.Failures;
    }

    // The question a start after a crash asks, about the copy a killed program left behind.
    QTemporaryDir recoveryFolder;
    {
        RecoveryStore crashed(recoveryFolder.path().toStdString());
        crashed.WriteOwnCopy(EncodeRecoveryCopy(
            ComposeRecoveryCopy(window.Core().Editor, std::time(nullptr) - 25 * 60)));
    }
    window.StartRecovery(recoveryFolder.path().toStdString(), RecoveryInterval());
    QTimer::singleShot(300, &window, [&camera] {
        if (QWidget* shown = QApplication::activeModalWidget()) {
            camera.Shoot(shown, QStringLiteral("recovery-question"));
            shown->close(); // Later: the copy stays where it is
        }
    });
    window.Forward([&window] { window.Core().Recovery.OfferLeftCopies(); });
    ShootFindReplace(camera, window);
    ShootCheckGuide(camera, window);

    // The open dialogs of the guide and of the picture, each with its filter as worded.
    const QString guideFolder = QFileInfo(QString::fromStdString(guide)).absolutePath();
    const struct {
        const char* Filter;
        const char* Name;
        QString FileName;
    } dialogs[] = {
        {GuideFilter, "open-dialog", QString::fromStdString(guide)},
        {PictureFilter, "picture-dialog", QDir(guideFolder).filePath(QStringLiteral("bulb.gif"))}};
    for (const auto& dialog : dialogs) {
        QTimer::singleShot(300, &window, [&camera, &dialog] {
            if (QWidget* shown = QApplication::activeModalWidget()) {
                camera.Shoot(shown, QString::fromUtf8(dialog.Name));
                shown->close();
            }
        });
        platform.OpenDialog({"", dialog.Filter, "", dialog.FileName.toStdString()});
    }

    GuideTextGuard::SetPlatform(nullptr);
    application.SetErrorReporter(nullptr);
    return camera.Failures == 0 ? 0 : 1;
}
