// Widget tests of the main window and its Edit View page: typing, leaving fields and clicking
// reach the core, and the core's state (enabled states, texts, status line, title, Save
// commands, focus) reaches the widgets.
#include "app/EditPage.h"
#include "app/Advanced.h"
#include "app/Application.h"
#include "app/GuideText.h"
#include "app/Guidecode.h"
#include "app/LogicPage.h"
#include "app/Magnified.h"
#include "app/MainWindowFixture.h"
#include "app/QtPlatform.h"
#include "app/WidgetTestSupport.h"
#include "app/WindowStyle.h"
#include "app/Wizard.h"
#include "document/Errors.h"
#include "support/MemorySettings.h"
#include "support/ScriptedPlatform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

class EditPageTest : public MainWindowFixture {};

TEST_F(EditPageTest, NewGuideComesUpAsTheCoreSaysWithTheWindowAroundIt) {
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Dravenloom - Untitled"));
    EXPECT_EQ(Window->StatusPanel->text(), QStringLiteral("Record 1 of 1"));
    EXPECT_EQ(Page->DialogueMemo->toPlainText(), QStringLiteral("Enter primary dialogue here."));
    EXPECT_EQ(Window->PageStack->size(), QSize(620, 399));
    EXPECT_EQ(Window->ToolBar->height(), 41);
    EXPECT_FALSE(Window->Save1->isEnabled());
    EXPECT_FALSE(Window->SaveAs1->isEnabled());
    EXPECT_TRUE(Window->ShowHints2->isChecked());
    EXPECT_FALSE(Page->PrevBitBtn->isEnabled());
    EXPECT_TRUE(Page->NextBitBtn->isEnabled());
    EXPECT_FALSE(Page->ComboBox1->isEnabled());
    for (int i = 0; i < ResponseSlots; ++i) {
        EXPECT_FALSE(Page->Edits[i]->isEnabled());
        EXPECT_TRUE(Inactive(Page->Edits[i]));
        EXPECT_FALSE(Page->CreateNewButtons[i]->isEnabled());
    }
    // Hints as the program words them.
    EXPECT_EQ(Page->Memos[2]->toolTip(),
              QStringLiteral("Type the third possible response to the dialogue here."));
    EXPECT_EQ(Window->ToolbarButtons[5]->toolTip(),
              QStringLiteral("Click here to exit the program."));
    EXPECT_EQ(Window->ToolbarButtons[5]->text(), QStringLiteral("Exit"));
    EXPECT_TRUE(qobject_cast<LogicPage*>(Window->PageWidget(Page::LogicView)));
}

TEST_F(EditPageTest, TypingAResponseEnablesItsLinkAndCreateNewAndMarksTheGuide) {
    Type(Page->Memos[0], QStringLiteral("x"));
    EXPECT_EQ(Core().View.Memo(1).Text, "x");
    EXPECT_TRUE(Page->Edits[0]->isEnabled());
    EXPECT_FALSE(Inactive(Page->Edits[0]));
    EXPECT_TRUE(Page->CreateNewButtons[0]->isEnabled());
    EXPECT_FALSE(Page->GoThereButtons[0]->isEnabled());
    EXPECT_FALSE(Page->Edits[1]->isEnabled());
    EXPECT_TRUE(Window->Save1->isEnabled());
    EXPECT_TRUE(Window->SaveAs1->isEnabled());

    // A letter in the link field empties it at once and offers "Create new" again.
    Type(Page->Edits[0], QStringLiteral("2"));
    EXPECT_EQ(Core().View.Edit(1).Text, "2");
    EXPECT_FALSE(Page->CreateNewButtons[0]->isEnabled());
    Type(Page->Edits[0], QStringLiteral("a"));
    EXPECT_EQ(Page->Edits[0]->text(), QString());
    EXPECT_EQ(Core().View.Edit(1).Text, "");
    EXPECT_TRUE(Page->CreateNewButtons[0]->isEnabled());

    // Emptying the response takes the link field and "Create new" away again.
    Page->Memos[0]->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(Page->Memos[0], &erase);
    EXPECT_EQ(Core().View.Memo(1).Text, "");
    EXPECT_FALSE(Page->Edits[0]->isEnabled());
    EXPECT_TRUE(Inactive(Page->Edits[0]));
    EXPECT_FALSE(Page->CreateNewButtons[0]->isEnabled());
}

TEST_F(EditPageTest, LeavingALinkToTheCurrentRecordIsRefusedAndTheFieldKeepsTheFocus) {
    Type(Page->Memos[0], QStringLiteral("Yes"));
    Type(Page->Edits[0], QStringLiteral("1"));
    Leave(Page->Edits[0], Page->Memos[1]);

    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], ValidationError("Can't make a recursive call to this record."));
    EXPECT_EQ(Page->Edits[0]->text(), QString());
    EXPECT_EQ(Core().View.Edit(1).Text, "");
    EXPECT_EQ(QApplication::focusWidget(), Page->Edits[0]);
    ASSERT_FALSE(Platform.FocusRequests.empty());
    EXPECT_EQ(Platform.FocusRequests.back().Field, &Core().View.Edit(1));

    // The focus coming back is not the author leaving the next field: no second message.
    EXPECT_EQ(Platform.Messages.size(), 1u);

    // A number beyond the guide is refused with its own message; an empty field is accepted.
    Type(Page->Edits[0], QStringLiteral("9"));
    Leave(Page->Edits[0], Page->Memos[1]);
    ASSERT_EQ(Platform.Messages.size(), 2u);
    EXPECT_EQ(Platform.Messages[1], ValidationError("Record does not exist."));
    Leave(Page->Edits[0], Page->Memos[1]);
    EXPECT_EQ(Platform.Messages.size(), 2u);
}

TEST_F(EditPageTest, CreateNewShowsTheNewRecordWithItsPlaceholderSelected) {
    Type(Page->Memos[0], QStringLiteral("On"));
    Page->CreateNewButtons[0]->click();

    EXPECT_EQ(Window->StatusPanel->text(), QStringLiteral("Record 2 of 2"));
    EXPECT_EQ(Page->DialogueMemo->toPlainText(), QStringLiteral("Enter primary dialogue here."));
    EXPECT_EQ(QApplication::focusWidget(), Page->DialogueMemo);
    EXPECT_EQ(Page->DialogueMemo->textCursor().selectedText(),
              QStringLiteral("Enter primary dialogue here."));
    EXPECT_EQ(Page->Memos[0]->toPlainText(), QString());
    EXPECT_TRUE(Page->ComboBox1->isEnabled());
    ASSERT_EQ(Page->ComboBox1->count(), 1);
    EXPECT_EQ(Page->ComboBox1->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(Page->ComboBox1->placeholderText(), QStringLiteral("Select record"));
    EXPECT_TRUE(Page->PrevBitBtn->isEnabled());
    EXPECT_FALSE(Page->GoBitBtn->isEnabled());

    // Picking the entry enables "Go there", which returns to record 1 and its link.
    Page->ComboBox1->activated(0);
    EXPECT_TRUE(Page->GoBitBtn->isEnabled());
    Page->GoBitBtn->click();
    EXPECT_EQ(Window->StatusPanel->text(), QStringLiteral("Record 1 of 2"));
    EXPECT_EQ(Page->Memos[0]->toPlainText(), QStringLiteral("On"));
    EXPECT_EQ(Page->Edits[0]->text(), QStringLiteral("2"));
    EXPECT_TRUE(Page->GoThereButtons[0]->isEnabled());
    EXPECT_FALSE(Page->CreateNewButtons[0]->isEnabled());
}

TEST_F(EditPageTest, SaveWritesTheFileAndTheTitleAndSaveCommandFollow) {
    QTemporaryDir dir;
    Page->DialogueMemo->selectAll();
    Type(Page->DialogueMemo, QStringLiteral("Hello"));
    Platform.DialogAnswers.push_back(dir.filePath(QStringLiteral("lamp")).toStdString());
    Window->Save1->trigger();

    ASSERT_EQ(Platform.SaveDialogs.size(), 1u);
    EXPECT_EQ(Platform.SaveDialogs[0].Title, "Save Guide");
    QFile file(dir.filePath(QStringLiteral("lamp.dvx")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("1\xA4"
                                          "Hello\xB6"));
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Dravenloom - lamp.dvx"));
    EXPECT_FALSE(Window->Save1->isEnabled());
    EXPECT_TRUE(Window->SaveAs1->isEnabled());

    // The next edit makes "Save" available again; saving a named guide asks nothing.
    Type(Page->Memos[0], QStringLiteral("y"));
    EXPECT_TRUE(Window->Save1->isEnabled());
    Window->Save1->trigger();
    EXPECT_EQ(Platform.SaveDialogs.size(), 1u);
    EXPECT_FALSE(Window->Save1->isEnabled());
}

TEST_F(EditPageTest, AFailedSaveIsReportedAndLeavesTheGuideModified) {
    QTemporaryDir dir;
    Type(Page->DialogueMemo, QStringLiteral("x"));
    Platform.DialogAnswers.push_back(
        dir.filePath(QStringLiteral("missing/folder/lamp.dvx")).toStdString());
    Window->Save1->trigger();

    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Caption, "Dravenloom");
    EXPECT_EQ(Platform.Messages[0].Icon, MsgIcon::Stop);
    EXPECT_EQ(Platform.Messages[0].Text.back(), '.');
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Dravenloom - Untitled"));
    EXPECT_TRUE(Window->Save1->isEnabled());
}

TEST_F(EditPageTest, RefusedCharactersNeverReachTheRecord) {
    Type(Page->Memos[0], QStringLiteral("a\u20ACb"));
    EXPECT_EQ(Core().View.Memo(1).Text, "ab");
    EXPECT_EQ(Page->Memos[0]->toPlainText(), QStringLiteral("ab"));
    Type(Page->DialogueMemo, QStringLiteral("\u00B6"));
    EXPECT_EQ(Core().View.DialogueMemo.Text.find('\xB6'), std::string::npos);

    // Line breaks reach the record as CR LF.
    Page->Memos[0]->moveCursor(QTextCursor::End);
    Type(Page->Memos[0], QStringLiteral("\nc"));
    EXPECT_EQ(Core().View.Memo(1).Text, "ab\r\nc");
}

TEST_F(EditPageTest, MagnifiedTextReachesTheFieldOnlyOnOk) {
    TMagnifyForm magnify(Window.get());
    Window->AttachWindows({nullptr, nullptr, nullptr, nullptr, &magnify});
    Type(Page->Memos[0], QStringLiteral("one"));

    WhenModal([&] {
        magnify.Memo1Guard()->SetGuideText("bigger text");
        magnify.CancelButton()->click();
    });
    Page->Magnifiers[0]->click();
    EXPECT_EQ(Core().View.Memo(1).Text, "one");

    WhenModal([&] {
        EXPECT_EQ(magnify.Memo1()->toPlainText(), QStringLiteral("one"));
        magnify.Memo1()->selectAll();
        magnify.Memo1()->insertPlainText(QStringLiteral("bigger text"));
        magnify.OkButton()->click();
    });
    Page->Magnifiers[0]->click();
    EXPECT_EQ(Core().View.Memo(1).Text, "bigger text");
    EXPECT_EQ(Page->Memos[0]->toPlainText(), QStringLiteral("bigger text"));
}

TEST_F(EditPageTest, ToolbarSwitchesPagesAndShowHintsSilencesEveryHint) {
    Window->ToolbarButtons[2]->trigger();
    EXPECT_EQ(Window->PageStack->currentIndex(), static_cast<int>(Page::GenerateHtml));
    Window->ToolbarButtons[1]->trigger();
    EXPECT_EQ(Window->PageStack->currentIndex(), static_cast<int>(Page::LogicView));
    Window->ToolbarButtons[0]->trigger();
    EXPECT_EQ(Window->PageStack->currentIndex(), static_cast<int>(Page::EditView));

    TipProbe probe;
    Page->NextBitBtn->installEventFilter(&probe);
    const auto askForTip = [&] {
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), Page->NextBitBtn->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(Page->NextBitBtn, &tip);
    };
    askForTip();
    EXPECT_EQ(probe.Tips, 1);

    Window->ShowHints2->trigger();
    EXPECT_FALSE(Window->ShowHints2->isChecked());
    EXPECT_EQ(Settings.Bool(ProgramKey, "Hints"), false);
    askForTip();
    EXPECT_EQ(probe.Tips, 1);

    Window->ShowHints2->trigger();
    askForTip();
    EXPECT_EQ(probe.Tips, 2);
}

TEST_F(EditPageTest, StoredHintsOffComeUpUnchecked) {
    Settings.SetBool(ProgramKey, "Hints", false);
    TGuideForm window(Platform, Platform.Targets, Settings, ".", {});
    EXPECT_TRUE(window.ShowHints2->isChecked());
    window.show();
    EXPECT_FALSE(window.ShowHints2->isChecked());
}

TEST_F(EditPageTest, GuideOnTheCommandLineOpensAfterTheWindowIsShown) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("two.dvx"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1\xA4One\xB6\xAA\xB1\x80no\r\n1\xA4Go\xB6"
               "2\r\n2\xA4Two\xB6\xAA\xB1\x80no\r\n");
    file.close();

    TGuideForm window(Platform, Platform.Targets, Settings, ".", {path.toStdString()});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Dravenloom - Untitled"));
    window.show();
    ASSERT_TRUE(
        WaitFor([&] { return window.windowTitle() == QStringLiteral("Dravenloom - two.dvx"); }));
    EditPage* page = window.EditViewPage();
    EXPECT_EQ(window.StatusPanel->text(), QStringLiteral("Record 1 of 2"));
    EXPECT_EQ(page->DialogueMemo->toPlainText(), QStringLiteral("One"));
    // The new guide's placeholder was selected; the record shown over it is not.
    EXPECT_FALSE(page->DialogueMemo->textCursor().hasSelection());
    EXPECT_EQ(page->Edits[0]->text(), QStringLiteral("2"));
    EXPECT_TRUE(page->GoThereButtons[0]->isEnabled());
    EXPECT_FALSE(window.Save1->isEnabled());
    EXPECT_TRUE(window.SaveAs1->isEnabled());
}

TEST_F(EditPageTest, LeavingTheDialogueEmptyOffersRemovalAndCancelPutsThePlaceholderBack) {
    Page->DialogueMemo->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    Page->DialogueMemo->setFocus();
    QApplication::sendEvent(Page->DialogueMemo, &erase);
    EXPECT_EQ(Core().View.DialogueMemo.Text, "");

    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    Leave(Page->DialogueMemo, Page->Memos[0]);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Caption, "Confirm");
    EXPECT_EQ(Page->DialogueMemo->toPlainText(), QStringLiteral("Enter primary dialogue here."));
    EXPECT_EQ(QApplication::focusWidget(), Page->DialogueMemo);
    EXPECT_EQ(Page->DialogueMemo->textCursor().selectedText(),
              QStringLiteral("Enter primary dialogue here."));
}

TEST_F(EditPageTest, GraphicAndWizardWindowsOpenModallyAndTheWindowFollowsThem) {
    TAdvancedForm advanced(Core().Editor, Platform.Targets, Window.get());
    TWizardForm wizard(Settings, Window.get());
    Window->AttachWindows({nullptr, nullptr, &wizard, &advanced, nullptr});

    // Ticking the graphic box is an edit: "Save" is available when the dialog closes.
    WhenModal([&] {
        EXPECT_TRUE(advanced.isModal());
        advanced.GraphicCheck()->click();
        advanced.OkButton()->click();
    });
    Page->BitBtn4->click();
    EXPECT_TRUE(Core().Graphic.GraphicCheck.Checked);
    EXPECT_TRUE(Window->Save1->isEnabled());

    // "Go to Generate" closes the wizard and shows the Generate HTML page.
    WhenModal([&] { wizard.GoToGenerateButton()->click(); });
    Window->GettingStarted1->trigger();
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_EQ(Window->PageStack->currentIndex(), static_cast<int>(Page::GenerateHtml));
}

TEST_F(EditPageTest, GraphicButtonIsMarkedWhileTheRecordHasAPicture) {
    const QString hint = QStringLiteral("Click here to specify a graphic for the current record.");
    EXPECT_TRUE(Page->BitBtn4->icon().isNull());
    EXPECT_EQ(Page->BitBtn4->toolTip(), hint);

    Window->Forward([&] {
        Core().Editor.GraphicCheckClick(true);
        Core().Editor.GraphicEditChange("lamp.gif");
    });
    EXPECT_FALSE(Page->BitBtn4->icon().isNull());
    EXPECT_EQ(Page->BitBtn4->text(), QStringLiteral("Graphic..."));
    EXPECT_EQ(Page->BitBtn4->toolTip(), hint + QStringLiteral("\nThis record shows lamp.gif"));

    // The next record has none; going back to the first shows the mark again.
    Page->NextBitBtn->click();
    EXPECT_TRUE(Page->BitBtn4->icon().isNull());
    EXPECT_EQ(Page->BitBtn4->toolTip(), hint);
    Page->PrevBitBtn->click();
    EXPECT_FALSE(Page->BitBtn4->icon().isNull());

    Window->Forward([&] { Core().Editor.GraphicCheckClick(false); });
    EXPECT_TRUE(Page->BitBtn4->icon().isNull());
}

TEST(ErrorReportTest, NamesTheFailureWithAFullStopAndStaysSilentOnAbort) {
    ScriptedPlatform platform;
    ReportError(&platform, FileError("The file can't be written"));
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_EQ(platform.Messages[0], (MessageRequest{"Dravenloom", "The file can't be written.",
                                                    MsgButtons::Ok, MsgIcon::Stop}));
    ReportError(&platform, AbortError());
    EXPECT_EQ(platform.Messages.size(), 1u);
    try {
        throw 42;
    } catch (...) {
        ReportCurrentException(&platform);
    }
    EXPECT_EQ(platform.Messages.size(), 2u);
}

TEST_F(EditPageTest, ClosingAModifiedGuideAsksAndCancelKeepsTheWindow) {
    Type(Page->DialogueMemo, QStringLiteral("x"));
    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(Window->close());
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], Question("Confirm", "Save changes to Untitled?"));
    EXPECT_TRUE(Window->isVisible());

    Platform.MessageAnswers.push_back(MsgAnswer::No);
    EXPECT_TRUE(Window->close());
}

} // namespace
} // namespace dravenloom
