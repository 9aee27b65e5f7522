// The "&Edit" menu in the window: between "&File" and "&Help", its items on the platform's
// undo and redo keys, naming what they would take back, acting on records while a field's own
// undo keeps acting inside the field.
#include "app/MainWindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dravenloom {
namespace {

class EditMenuTest : public MainWindowFixture {
protected:
    QMenu* EditMenu() { return Window->EditMenu; }
    // Opens the menu as the author does, so that it works out its captions, and closes it.
    void PeekAtMenu() {
        emit EditMenu()->aboutToShow();
        emit EditMenu()->aboutToHide();
    }
};

TEST_F(EditMenuTest, StandsBetweenFileAndHelpWithTheStandardKeys) {
    QStringList titles;
    for (QAction* action : Window->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({QStringLiteral("&File"), QStringLiteral("&Edit"),
                                   QStringLiteral("&Help")}));
    EXPECT_EQ(Window->Undo1->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_EQ(Window->Redo1->shortcuts(), QKeySequence::keyBindings(QKeySequence::Redo));
    EXPECT_FALSE(Window->Undo1->isEnabled()) << "nothing to undo in a new guide";
    EXPECT_FALSE(Window->Redo1->isEnabled());
}

TEST_F(EditMenuTest, UndoTakesBackTheTypingOfTheRecordAndRedoBringsItBack) {
    Page->DialogueMemo->selectAll();
    Type(Page->DialogueMemo, QStringLiteral("Hello"));
    EXPECT_TRUE(Window->Undo1->isEnabled());
    PeekAtMenu();
    EXPECT_EQ(Window->Undo1->text(), QStringLiteral("&Undo Typing in record 1"));
    Window->Undo1->trigger();
    EXPECT_EQ(Page->DialogueMemo->toPlainText(), QStringLiteral("Enter primary dialogue here."));
    EXPECT_FALSE(Window->Save1->isEnabled()) << "back to the new guide as it was";
    ASSERT_TRUE(Window->Redo1->isEnabled());
    PeekAtMenu();
    EXPECT_EQ(Window->Redo1->text(), QStringLiteral("&Redo Typing in record 1"));
    Window->Redo1->trigger();
    EXPECT_EQ(Page->DialogueMemo->toPlainText(), QStringLiteral("Hello"));
    EXPECT_TRUE(Window->Save1->isEnabled());
}

TEST_F(EditMenuTest, TheUndoKeyInAFieldIsTheFieldsOwnUndo) {
    Page->DialogueMemo->selectAll();
    Type(Page->DialogueMemo, QStringLiteral("abc"));
    QKeyEvent undoKey(QEvent::ShortcutOverride, Qt::Key_Z, Qt::ControlModifier);
    QApplication::sendEvent(Page->DialogueMemo, &undoKey);
    EXPECT_TRUE(undoKey.isAccepted()) << "the field claims the key before the menu sees it";
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
    QApplication::sendEvent(Page->DialogueMemo, &press);
    EXPECT_NE(Page->DialogueMemo->toPlainText(), QStringLiteral("abc"));
    EXPECT_EQ(Core().Document.CurrentRecord, 1);
}

TEST_F(EditMenuTest, UndoingANewRecordGoesBackToTheRecordBefore) {
    Page->DialogueMemo->selectAll();
    Type(Page->DialogueMemo, QStringLiteral("First"));
    Page->NextBitBtn->click();
    ASSERT_EQ(Core().Document.RecordCount, 2);
    PeekAtMenu();
    EXPECT_EQ(Window->Undo1->text(), QStringLiteral("&Undo New record 2"));
    Window->Undo1->trigger();
    EXPECT_EQ(Core().Document.RecordCount, 1);
    EXPECT_EQ(Page->DialogueMemo->toPlainText(), QStringLiteral("First"));
    EXPECT_EQ(Window->StatusPanel->text(), QStringLiteral("Record 1 of 1"));
}

} // namespace
} // namespace dravenloom
