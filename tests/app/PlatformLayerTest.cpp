// Tests of the Qt platform layer: message boxes, focus, pointer, addresses, file dialogs,
// the settings store and the code page edge of the text fields.
#include "app/GuideText.h"
#include "app/QtPlatform.h"
#include "qtshared/QtSettingsStore.h"
#include "app/WidgetTestSupport.h"
#include "document/Controls.h"
#include "document/RecordEditor.h"
#include "publish/AppletTag.h"
#include "shell/FileCommands.h"
#include "shell/RecoveryCopy.h"
#include "support/ScriptedPlatform.h"
#include "support/SettingsReadContract.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolTip>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace dravenloom {
namespace {

TEST(QtPlatformTest, FileFiltersAndDefaultExtension) {
    EXPECT_EQ(QtFileFilter("Dravenloom Guide|*.dvx"), QStringLiteral("Dravenloom Guide (*.dvx)"));
    EXPECT_EQ(QtFileFilter("CompuServe GIF (*.gif); JPEG (*.jpg, *.jpeg)|*.gif;*.jpg;*.jpeg"),
              QStringLiteral("CompuServe GIF (*.gif); JPEG (*.jpg, *.jpeg) (*.gif *.jpg *.jpeg)"));
    EXPECT_EQ(QtFileFilter("HTML files|*.htm;*.html|All files|*.*"),
              QStringLiteral("HTML files (*.htm *.html);;All files (*.*)"));

    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/guides/tour"), "dvx"),
              QStringLiteral("/guides/tour.dvx"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/guides/tour"), ".dvx"),
              QStringLiteral("/guides/tour.dvx"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/guides/tour.txt"), "dvx"),
              QStringLiteral("/guides/tour.txt"));
    // A dot in a directory name is not an extension.
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/my.guides/tour"), "dvx"),
              QStringLiteral("/my.guides/tour.dvx"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/guides/tour"), ""),
              QStringLiteral("/guides/tour"));
}

// What an open dialog shows for a filter: the combo's entries and the files listed in the
// folder it starts in (once the folder has been read), each list joined by bars.
struct ShownDialog {
    std::string Filters;
    std::string Files;
};

ShownDialog ShowOpenDialog(QtPlatform& platform, const std::string& filter, const QString& folder,
                           int expectedFiles) {
    QStringList filters;
    QStringList files;
    WhenModal([&filters, &files, expectedFiles] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            for (int i = 0; i < combo->count(); ++i)
                filters << combo->itemText(i);
        }
        if (auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"))) {
            const auto rows = [list] { return list->model()->rowCount(list->rootIndex()); };
            WaitFor([&] { return rows() >= expectedFiles; });
            // Give a file that should not be listed the time to turn up as well.
            WaitFor([] { return false; }, 200);
            for (int row = 0; row < rows(); ++row) {
                const QModelIndex index = list->model()->index(row, 0, list->rootIndex());
                if (index.flags() & Qt::ItemIsEnabled)
                    files << index.data().toString();
            }
            files.sort();
        }
        dialog->reject();
    });
    platform.OpenDialog(
        {"", filter, "", QDir(folder).filePath(QStringLiteral("x")).toStdString(), false});
    return {filters.join(QLatin1Char('|')).toStdString(),
            files.join(QLatin1Char('|')).toStdString()};
}

TEST(QtPlatformTest, FileDialogsShowEachFilterAsWordedAndApplyItsPatterns) {
    QTemporaryDir dir;
    for (const char* name : {"a.gif", "b.jpg", "c.jpeg", "d.txt", "e.dvx", "f.jpg,"}) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QtPlatform platform;

    const ShownDialog guide = ShowOpenDialog(platform, GuideFilter, dir.path(), 1);
    EXPECT_EQ(guide.Filters, "Dravenloom (*.dvx)");
    EXPECT_EQ(guide.Files, "e.dvx");

    const ShownDialog picture = ShowOpenDialog(platform, PictureFilter, dir.path(), 3);
    EXPECT_EQ(picture.Filters, "CompuServe GIF (*.gif); JPEG (*.jpg, *.jpeg)");
    EXPECT_EQ(picture.Files, "a.gif|b.jpg|c.jpeg");

    // Descriptions without a pattern list of their own are shown as they stand too.
    const ShownDialog two =
        ShowOpenDialog(platform, "HTML files|*.htm;*.html|All files|*.*", dir.path(), 0);
    EXPECT_EQ(two.Filters, "HTML files|All files");
}

// A dialog without a file of its own starts in the folder it is given (the guide's), not in the
// process's working folder; a file with a folder of its own still decides, and a bare name is
// offered in the given folder.
TEST(QtPlatformTest, FileDialogsStartInTheFolderTheyAreGiven) {
    QTemporaryDir guides;
    QTemporaryDir pages;
    QtPlatform platform;
    struct Shown {
        QString Folder, Name;
    };
    const auto show = [&platform](const FileDialogRequest& request, bool save) {
        Shown shown;
        WhenModal([&shown] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown.Folder = QDir(dialog->directory()).canonicalPath();
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                shown.Name = name->text();
            dialog->reject();
        });
        if (save)
            platform.SaveDialog(request);
        else
            platform.OpenDialog(request);
        return shown;
    };
    const QString guideFolder = QDir(guides.path()).canonicalPath();
    const QString pageFolder = QDir(pages.path()).canonicalPath();
    ASSERT_NE(QDir::currentPath(), guideFolder);

    FileDialogRequest open;
    open.Filter = HtmlFilter;
    open.Directory = guides.path().toStdString();
    EXPECT_EQ(show(open, false).Folder, guideFolder);

    open.FileName = QDir(pages.path()).filePath(QStringLiteral("page.html")).toStdString();
    EXPECT_EQ(show(open, false).Folder, pageFolder);

    FileDialogRequest save;
    save.Filter = HtmlFilter;
    save.DefaultExt = HtmlExtension;
    save.Directory = guides.path().toStdString();
    save.FileName = "lamp.html";
    const Shown saved = show(save, true);
    EXPECT_EQ(saved.Folder, guideFolder);
    EXPECT_EQ(saved.Name, QStringLiteral("lamp.html"));
}

TEST(QtPlatformTest, OnlyWebAndMailAddressesAreOpened) {
    for (const char* address : {"http://www.korvessa.example/", "https://www.korvessa.example/a",
                                "HTTPS://WWW.KORVESSA.EXAMPLE/", "mailto:support@korvessa.example"})
        EXPECT_TRUE(IsOpenableAddress(QUrl(QString::fromUtf8(address)))) << address;
    for (const char* address :
         {"file:///usr/bin/xterm", "/usr/bin/xterm", "C:/Windows/notepad.exe",
          "C:\\Windows\\notepad.exe", "javascript:alert(1)", "tutorial2.htm", "http://",
          "mailto:", "ftp://www.korvessa.example/", "smb://server/share", ""})
        EXPECT_FALSE(IsOpenableAddress(QUrl(QString::fromUtf8(address)))) << address;
}

TEST(QtPlatformTest, MessageBoxShowsTheRequestAndReturnsTheAnswer) {
    QtPlatform platform;
    struct Seen {
        QString Title, Text;
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons Buttons;
        Qt::WindowModality Modality = Qt::NonModal;
        bool Guarded = false;
    } seen;
    auto answerWith = [&](QMessageBox::StandardButton button) {
        WhenModal([&seen, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = {box->windowTitle(),     box->text(),           box->icon(),
                    box->standardButtons(), box->windowModality(), ModalGuard::Active()};
            box->button(button)->click();
        });
    };

    answerWith(QMessageBox::No);
    EXPECT_EQ(platform.ShowMessage(Question("Confirm", "Save changes to Untitled?")),
              MsgAnswer::No);
    EXPECT_EQ(seen.Title, QStringLiteral("Confirm"));
    EXPECT_EQ(seen.Text, QStringLiteral("Save changes to Untitled?"));
    EXPECT_EQ(seen.Icon, QMessageBox::Question);
    EXPECT_EQ(seen.Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(seen.Modality, Qt::ApplicationModal);
    EXPECT_TRUE(seen.Guarded);
    EXPECT_FALSE(ModalGuard::Active());

    answerWith(QMessageBox::Ok);
    EXPECT_EQ(platform.ShowMessage(ValidationError("X Coordinate must be a positive integer "
                                                   "value.")),
              MsgAnswer::Ok);
    EXPECT_EQ(seen.Title, QStringLiteral("Error"));
    EXPECT_EQ(seen.Icon, QMessageBox::Warning);
    EXPECT_EQ(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    answerWith(QMessageBox::Cancel);
    EXPECT_EQ(platform.ShowMessage({"Confirm", "Remove?", MsgButtons::OkCancel, MsgIcon::Question}),
              MsgAnswer::Cancel);
    EXPECT_EQ(seen.Buttons, QMessageBox::Ok | QMessageBox::Cancel);

    // Escape answers Cancel where there is one.
    WhenModal([] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(QApplication::activeModalWidget(), &escape);
    });
    EXPECT_EQ(platform.ShowMessage(Question("Question", "Go on?")), MsgAnswer::Cancel);
}

TEST(QtPlatformTest, ChoiceBoxHasTheButtonsInOrderWithDefaultAndEscape) {
    QtPlatform platform;
    const ChoiceRequest request =
        RecoveryQuestion("Recover unsaved changes to lamp.dvx from 14:32?");
    QStringList captions;
    QString title, text, defaultCaption;
    bool guarded = false;
    WhenModal([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons())
            captions << button->text();
        title = box->windowTitle();
        text = box->text();
        defaultCaption = box->defaultButton() ? box->defaultButton()->text() : QString();
        guarded = ModalGuard::Active();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == QStringLiteral("Discard"))
                button->click();
    });
    EXPECT_EQ(platform.Choose(request), static_cast<int>(RecoveryAnswer::Discard));
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Recover"), QStringLiteral("Discard"),
                                     QStringLiteral("Later")}));
    EXPECT_EQ(title, QStringLiteral("Confirm"));
    EXPECT_EQ(text, QStringLiteral("Recover unsaved changes to lamp.dvx from 14:32?"));
    EXPECT_EQ(defaultCaption, QStringLiteral("Recover"));
    EXPECT_TRUE(guarded);

    // Enter presses the default button, Escape the escape choice.
    for (const auto& [key, answer] : {std::pair{Qt::Key_Return, RecoveryAnswer::Recover},
                                      std::pair{Qt::Key_Escape, RecoveryAnswer::Later}}) {
        WhenModal([key = key] {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(QApplication::activeModalWidget(), &press);
        });
        EXPECT_EQ(platform.Choose(request), static_cast<int>(answer));
    }
}

TEST(QtPlatformTest, FieldExitIgnoresWindowSwitchesAndGuardedMoves) {
    QLineEdit field;
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QFocusEvent click(QEvent::FocusOut, Qt::MouseFocusReason);
    QFocusEvent window(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    EXPECT_TRUE(IsFieldExit(&field, &tab));
    EXPECT_TRUE(IsFieldExit(&field, &click));
    EXPECT_FALSE(IsFieldExit(&field, &window));
    EXPECT_FALSE(IsFieldExit(&field, &popup));
    {
        ModalGuard outer;
        ModalGuard inner;
        EXPECT_FALSE(IsFieldExit(&field, &tab));
    }
    EXPECT_TRUE(IsFieldExit(&field, &tab));
}

TEST(QtPlatformTest, FocusRequestsReachTheRegisteredWidget) {
    QtPlatform platform;
    QWidget window;
    auto* first = new QLineEdit(QStringLiteral("first"), &window);
    auto* memo = new QPlainTextEdit(QStringLiteral("memo text"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(memo);
    window.show();
    QApplication::setActiveWindow(&window);
    first->setFocus();
    ASSERT_TRUE(WaitFor([&] { return first->hasFocus(); }));

    TextField memoField;
    TextField unknown;
    platform.Fields().Register(memoField, memo);

    // The move is guarded: the field that loses the focus must not treat it as an exit.
    bool exitSeen = false;
    struct ExitWatch : QObject {
        bool* Seen;
        explicit ExitWatch(bool* seen) : Seen(seen) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::FocusOut &&
                IsFieldExit(static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(event)))
                *Seen = true;
            return false;
        }
    } watch(&exitSeen);
    first->installEventFilter(&watch);

    platform.Focus(memoField, true);
    EXPECT_TRUE(memo->hasFocus());
    EXPECT_EQ(memo->textCursor().selectedText(), QStringLiteral("memo text"));
    EXPECT_FALSE(exitSeen);

    platform.Focus(unknown, true); // nothing registered: nothing happens
    EXPECT_TRUE(memo->hasFocus());

    platform.Fields().Register(unknown, first);
    delete first; // a destroyed widget is forgotten, not used
    platform.Focus(unknown, false);
    EXPECT_EQ(platform.Fields().WidgetOf(unknown), nullptr);
}

TEST(QtPlatformTest, BusyPointerIsOneOverrideCursor) {
    QtPlatform platform;
    platform.SetPointer(PointerShape::Busy);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.SetPointer(PointerShape::Busy);
    platform.SetPointer(PointerShape::Normal);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    platform.SetPointer(PointerShape::Normal);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

class QtSettingsStoreTest : public ::testing::Test {
protected:
    QString Path() const { return Dir.filePath(QStringLiteral("config/Dravenloom.ini")); }
    QTemporaryDir Dir;
};

TEST_F(QtSettingsStoreTest, ValuesRoundTripAndPersist) {
    {
        QtSettingsStore store(Path());
        EXPECT_FALSE(store.OpenKey(ProgramKey, false));
        EXPECT_FALSE(store.OpenKey(FtpKey, false));
        EXPECT_EQ(store.ReadBool(ProgramKey, "Wizard"), BoolRead::Missing());

        ASSERT_TRUE(store.OpenKey(ProgramKey, true));
        EXPECT_TRUE(store.WriteBool(ProgramKey, "Wizard", false));
        EXPECT_TRUE(store.WriteBool(ProgramKey, "Hints", true));
        ASSERT_TRUE(store.OpenKey(FtpKey, true));
        EXPECT_TRUE(store.WriteString(FtpKey, "Host", "ftp.korvessa.example"));
        EXPECT_TRUE(store.WriteString(FtpKey, "Directory", "/guides, old;new @x"));
        EXPECT_TRUE(store.WriteString(FtpKey, "Username", ""));

        // Keys outside the program's own are not there.
        EXPECT_FALSE(store.OpenKey("Software\\Other", true));
        EXPECT_FALSE(store.WriteString("Software\\Other", "Host", "x"));
    }
    QtSettingsStore store(Path());
    EXPECT_TRUE(store.OpenKey(ProgramKey, false));
    EXPECT_TRUE(store.OpenKey(FtpKey, false));
    EXPECT_EQ(store.ReadBool(ProgramKey, "Wizard"), BoolRead::Of(false));
    EXPECT_EQ(store.ReadBool(ProgramKey, "Hints"), BoolRead::Of(true));
    EXPECT_EQ(store.ReadString(FtpKey, "Host"), TextRead::Of("ftp.korvessa.example"));
    EXPECT_EQ(store.ReadString(FtpKey, "Directory"), TextRead::Of("/guides, old;new @x"));
    EXPECT_EQ(store.ReadString(FtpKey, "Username"), TextRead::Of(""));
    EXPECT_EQ(store.ReadString(FtpKey, "Port"), TextRead::Missing());
    // "FTP" is a group of its own, not a value of the program key.
    EXPECT_EQ(store.ReadString(ProgramKey, "Host"), TextRead::Missing());

    // Booleans are stored as 0 and 1.
    QSettings raw(Path(), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Wizard")).toString(), QStringLiteral("0"));
    EXPECT_EQ(raw.value(QStringLiteral("Hints")).toString(), QStringLiteral("1"));
}

TEST_F(QtSettingsStoreTest, EveryCodePageByteRoundTrips) {
    // An enciphered password may hold any byte.
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    {
        QtSettingsStore store(Path());
        ASSERT_TRUE(store.WriteString(FtpKey, "Password", bytes));
    }
    QtSettingsStore store(Path());
    EXPECT_EQ(store.ReadString(FtpKey, "Password"), TextRead::Of(bytes));
}

TEST_F(QtSettingsStoreTest, BooleansReadAsTrueWhenNotZeroAndFailWhenNotNumbers) {
    {
        QSettings raw(Path(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("Wizard"), 7);
        raw.setValue(QStringLiteral("Hints"), QStringLiteral("yes"));
        raw.setValue(QStringLiteral("FTP/Passive"), QStringLiteral(" 1"));
        raw.setValue(QStringLiteral("FTP/Host"), QStringLiteral("\u6F22"));
    }
    QtSettingsStore store(Path());
    EXPECT_EQ(store.ReadBool(ProgramKey, "Wizard"), BoolRead::Of(true));
    EXPECT_EQ(store.ReadBool(ProgramKey, "Hints"), BoolRead::Unreadable());
    EXPECT_EQ(store.ReadBool(FtpKey, "Passive"), BoolRead::Unreadable());
    // A character the code page can't hold can't be read into a field.
    EXPECT_EQ(store.ReadString(FtpKey, "Host"), TextRead::Unreadable());
}

// The file as a person might have edited it: a list where a string belongs, and words where
// booleans belong.
TEST_F(QtSettingsStoreTest, TellsMissingFromUnreadableValues) {
    QDir().mkpath(QFileInfo(Path()).absolutePath());
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nHints=0\nWizard=yes\n"
               "[FTP]\nHost=ftp.example.org\nPort=21, 2121\nPassive=on\n");
    file.close();
    QtSettingsStore store(Path());
    ExpectReadStatesOfPreparedStore(store);
}

TEST_F(QtSettingsStoreTest, SettingsFileIsReadableByItsOwnerOnly) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the registry has no file permissions";
#else
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    auto otherBits = [&] {
        return QFile::permissions(Path()) &
               (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    };
    {
        QtSettingsStore store(Path());
        ASSERT_TRUE(store.OpenKey(FtpKey, true));
        ASSERT_TRUE(store.WriteString(FtpKey, "Password", "secret"));
    }
    ASSERT_TRUE(QFile::exists(Path()));
    EXPECT_EQ(otherBits(), QFileDevice::Permissions());
    EXPECT_TRUE(QFile::permissions(Path()) & QFileDevice::ReadOwner);

    // A file someone made readable for all is made private again at the next write.
    QFile::setPermissions(Path(), ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QtSettingsStore store(Path());
    ASSERT_TRUE(store.WriteString(FtpKey, "Password", "other"));
    EXPECT_EQ(otherBits(), QFileDevice::Permissions());
    EXPECT_EQ(store.ReadString(FtpKey, "Password"), TextRead::Of("other"));
#endif
}

TEST(QtSettingsStoreDefaultTest, UsesTheProgramsOwnLocation) {
    QtSettingsStore store;
    EXPECT_TRUE(store.Location().contains(QStringLiteral("Korvessa")));
    EXPECT_TRUE(store.Location().contains(QStringLiteral("Dravenloom")));
}

TEST(GuideTextTest, ConvertsBetweenGuideBytesAndWidgetText) {
    EXPECT_EQ(GuideToWidgetText("one\r\ntwo\rthree\nfour"),
              QStringLiteral("one\ntwo\nthree\nfour"));
    EXPECT_EQ(GuideToWidgetText("caf\xE9 \x93quoted\x94"),
              QStringLiteral("caf\u00E9 \u201Cquoted\u201D"));

    const TypedTextConversion lines = WidgetToGuideText(QStringLiteral("one\ntwo\u2028three"));
    ASSERT_TRUE(lines.Accepted);
    EXPECT_EQ(lines.Bytes, "one\r\ntwo\r\nthree");
    const TypedTextConversion quote = WidgetToGuideText(QStringLiteral("it\u2019s"));
    ASSERT_TRUE(quote.Accepted);
    EXPECT_EQ(quote.Bytes, "it\x92s");

    EXPECT_FALSE(WidgetToGuideText(QStringLiteral("5 \u20AC")).Accepted);
    EXPECT_FALSE(WidgetToGuideText(QStringLiteral("\u00A4")).Accepted);
    EXPECT_FALSE(WidgetToGuideText(QStringLiteral("\u6F22\u5B57")).Accepted);
}

void Collect(GuideTextGuard& guard, std::vector<std::string>& edited,
             std::vector<QString>& refused) {
    QObject::connect(&guard, &GuideTextGuard::Edited, &guard,
                     [&edited](const std::string& bytes) { edited.push_back(bytes); });
    QObject::connect(&guard, &GuideTextGuard::Refused, &guard,
                     [&refused](const QString& reason) { refused.push_back(reason); });
}

void Type(QWidget* field, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
}

TEST(GuideTextTest, LineEditRefusesMarksAndForeignCharactersKeepingItsText) {
    QLineEdit field;
    field.show();
    GuideTextGuard guard(&field);
    std::vector<std::string> edited;
    std::vector<QString> refused;
    Collect(guard, edited, refused);

    guard.SetGuideText("caf");
    EXPECT_EQ(field.text(), QStringLiteral("caf"));
    EXPECT_EQ(edited.size(), 0u);

    field.setCursorPosition(3);
    Type(&field, QStringLiteral("\u00E9"));
    EXPECT_EQ(field.text(), QStringLiteral("caf\u00E9"));
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited.at(0), "caf\xE9");

    Type(&field, QStringLiteral("\u20AC"));
    EXPECT_EQ(field.text(), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(field.cursorPosition(), 4);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_TRUE(guard.LastRefusal().contains(QStringLiteral("\u20AC")));
    EXPECT_TRUE(guard.LastRefusal().contains(QStringLiteral("reserves")));
    EXPECT_EQ(QToolTip::text(), guard.LastRefusal());

    QGuiApplication::clipboard()->setText(QStringLiteral("x\u6F22y"));
    field.paste();
    EXPECT_EQ(field.text(), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(refused.size(), 2u);
    EXPECT_TRUE(guard.LastRefusal().contains(QStringLiteral("\u6F22")));
    EXPECT_EQ(edited.size(), 1u);
    EXPECT_EQ(guard.GuideText(), "caf\xE9");

    // A one-line field never takes a line break into a guide text.
    QGuiApplication::clipboard()->setText(QStringLiteral("two\nlines"));
    field.paste();
    EXPECT_EQ(guard.GuideText().find_first_of("\r\n"), std::string::npos) << guard.GuideText();
}

TEST(GuideTextTest, PlainTextEditRefusesAndUndoCannotBringTheRefusalBack) {
    QPlainTextEdit field;
    field.show();
    GuideTextGuard guard(&field);
    std::vector<std::string> edited;
    std::vector<QString> refused;
    Collect(guard, edited, refused);

    // A no-break space (0xA0) survives the trip through the widget.
    guard.SetGuideText("first\r\nsecond\xA0line");
    EXPECT_EQ(guard.GuideText(), "first\r\nsecond\xA0line");
    EXPECT_EQ(edited.size(), 0u);

    QTextCursor cursor = field.textCursor();
    cursor.setPosition(5);
    field.setTextCursor(cursor);
    Type(&field, QStringLiteral("!"));
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited.at(0), "first!\r\nsecond\xA0line");

    Type(&field, QStringLiteral("\u20AC"));
    EXPECT_EQ(guard.GuideText(), "first!\r\nsecond\xA0line");
    EXPECT_EQ(field.textCursor().position(), 6);
    EXPECT_EQ(refused.size(), 1u);

    // Pasting over a selection: the selected text comes back.
    cursor.setPosition(7);
    cursor.setPosition(13, QTextCursor::KeepAnchor);
    field.setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(QStringLiteral("\u00B6 mark"));
    field.paste();
    EXPECT_EQ(guard.GuideText(), "first!\r\nsecond\xA0line");
    EXPECT_EQ(refused.size(), 2u);
    EXPECT_EQ(edited.size(), 1u);

    for (int k = 0; k < 5; ++k) {
        field.undo();
        EXPECT_FALSE(field.toPlainText().contains(QStringLiteral("\u20AC")));
        EXPECT_FALSE(field.toPlainText().contains(QStringLiteral("\u00B6")));
    }
    EXPECT_EQ(guard.GuideText(), "first\r\nsecond\xA0line");
    for (int k = 0; k < 5; ++k) {
        field.redo();
        EXPECT_FALSE(field.toPlainText().contains(QStringLiteral("\u20AC")));
        EXPECT_FALSE(field.toPlainText().contains(QStringLiteral("\u00B6")));
    }
    EXPECT_EQ(guard.GuideText(), "first!\r\nsecond\xA0line");
}

} // namespace
} // namespace dravenloom
