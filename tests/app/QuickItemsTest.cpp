// Widget tests of the main window's quick ways about a guide: the "&Edit" menu's moves and
// their keys sent to the window, the hints that name the keys, the recent guides in "&File",
// the status line's note running out, and the removal question's default button in a real
// message box.
#include "app/MainWindowFixture.h"
#include "navigation/RecordRemoval.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

std::vector<std::string> NumberedLines(int count) {
    std::vector<std::string> lines;
    for (int n = 1; n <= count; ++n)
        lines.push_back(BuildPrimaryLine(n, "Record " + std::to_string(n), "", "300", "0", false));
    return lines;
}

class QuickItemsTest : public MainWindowFixture {
protected:
    std::string WriteGuide(const std::string& name, int records) {
        const std::string path =
            (Dir.path() + QLatin1Char('/') + QString::fromStdString(name)).toStdString();
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : NumberedLines(records))
            out << EncodeLineForFile(line) << "\r\n";
        return path;
    }
    std::string OpenGuide(const std::string& name, int records) {
        const std::string path = WriteGuide(name, records);
        Core().Document.OpenDialogPath = path;
        Window->Forward([this] { Core().Files.OpenGuideFile(); });
        return path;
    }
    QString Shown() { return Page->DialogueMemo->toPlainText(); }
    QString Status() { return Window->StatusPanel->text(); }

    QTemporaryDir Dir;
};

TEST_F(QuickItemsTest, EditMenuHoldsTheMovesAfterTheHistoryWithTheirKeys) {
    const QList<QAction*> items = Window->EditMenu->actions();
    // The history, finding and replacing, then the moves.
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items[0], Window->Undo1);
    EXPECT_EQ(items[1], Window->Redo1);
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->objectName(), QStringLiteral("Find1"));
    EXPECT_EQ(items[4]->objectName(), QStringLiteral("Replace1"));
    EXPECT_TRUE(items[5]->isSeparator());
    const struct {
        QAction* Item;
        const char* Caption;
        QKeySequence Key;
    } moves[] = {{Window->GoToRecord1, "&Go to record...", QKeySequence(QStringLiteral("Ctrl+G"))},
                 {Window->Previous1, "&Previous record", QKeySequence(QStringLiteral("Ctrl+PgUp"))},
                 {Window->Next1, "&Next record", QKeySequence(QStringLiteral("Ctrl+PgDown"))},
                 {Window->GoBack1, "Go &back", QKeySequence(QStringLiteral("Alt+Left"))}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items[6 + i], moves[i].Item);
        EXPECT_EQ(moves[i].Item->text(), QString::fromUtf8(moves[i].Caption));
        EXPECT_EQ(moves[i].Item->shortcut(), moves[i].Key) << moves[i].Caption;
    }
    // The hints keep their words and name the key on a line of their own.
    EXPECT_EQ(Page->PrevBitBtn->toolTip(),
              QStringLiteral("Click here to view the previous record.\n") +
                  QKeySequence(QStringLiteral("Ctrl+PgUp")).toString(QKeySequence::NativeText));
    EXPECT_EQ(Page->NextBitBtn->toolTip(),
              QStringLiteral("Click here to view the next record.\n") +
                  QKeySequence(QStringLiteral("Ctrl+PgDown")).toString(QKeySequence::NativeText));
    EXPECT_EQ(Page->BackBitBtn->toolTip(),
              QStringLiteral("Click here to return to the record last viewed.\n") +
                  QKeySequence(QStringLiteral("Alt+Left")).toString(QKeySequence::NativeText));
}

TEST_F(QuickItemsTest, KeysSentToTheWindowMoveTheRecordAsTheButtonsDo) {
    OpenGuide("keys.dvx", 5);
    Page->DialogueMemo->setFocus(Qt::MouseFocusReason);
    ASSERT_FALSE(Window->Previous1->isEnabled()) << "on record 1, as \"Previous\"";
    QTest::keyClick(Page->DialogueMemo, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Core().Document.CurrentRecord, 1);

    QTest::keyClick(Page->DialogueMemo, Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(Page->DialogueMemo, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Core().Document.CurrentRecord, 3);
    EXPECT_EQ(Shown(), QStringLiteral("Record 3"));
    EXPECT_EQ(Status(), QStringLiteral("Record 3 of 5"));
    EXPECT_TRUE(Window->Previous1->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), Page->DialogueMemo) << "the keys leave the focus";

    QTest::keyClick(Page->DialogueMemo, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Shown(), QStringLiteral("Record 2"));
    QTest::keyClick(Page->DialogueMemo, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Shown(), QStringLiteral("Record 3"));

    Platform.TextAnswers.push_back("5");
    QTest::keyClick(Window.get(), Qt::Key_G, Qt::ControlModifier);
    ASSERT_EQ(Platform.TextRequests.size(), 1u);
    EXPECT_EQ(Platform.TextRequests[0].Prompt, "Go to record (1 to 5):");
    EXPECT_EQ(Shown(), QStringLiteral("Record 5"));
    EXPECT_EQ(Status(), QStringLiteral("Record 5 of 5"));
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(QuickItemsTest, AKeyInALinkFieldRunsItsExitFirst) {
    OpenGuide("links.dvx", 3);
    Type(Page->Memos[0], QStringLiteral("onwards"));
    Type(Page->Edits[0], QStringLiteral("7"));
    QTest::keyClick(Page->Edits[0], Qt::Key_PageDown, Qt::ControlModifier);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], ValidationError("Record does not exist."));
    EXPECT_EQ(Core().Document.CurrentRecord, 1);
    EXPECT_TRUE(Page->Edits[0]->text().isEmpty());
    EXPECT_TRUE(Core().Document.Records.ReadRecord(1).Responses[0].Target.empty())
        << "the refused link never reached the guide";
}

TEST_F(QuickItemsTest, KeysDoNothingAwayFromTheEditView) {
    OpenGuide("pages.dvx", 4);
    Window->ToolbarButtons[1]->trigger();
    EXPECT_FALSE(Window->Next1->isEnabled());
    QTest::keyClick(Window.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Core().Document.CurrentRecord, 1);
    // "Go to record..." shows the Edit View with the record.
    Platform.TextAnswers.push_back("3");
    Window->GoToRecord1->trigger();
    EXPECT_EQ(Core().Pages.ActivePage, Page::EditView);
    EXPECT_EQ(Shown(), QStringLiteral("Record 3"));
}

TEST_F(QuickItemsTest, RecentGuidesStandBeforeExitAndOpenWhenChosen) {
    const QList<QAction*> before = Window->FileMenu->actions();
    for (QAction* item : Window->RecentItems)
        EXPECT_FALSE(item->isVisible());
    EXPECT_FALSE(Window->RecentSeparator->isVisible());

    const std::string first = OpenGuide("first & co.dvx", 2);
    const std::string second = OpenGuide("second.dvx", 3);
    const QList<QAction*> items = Window->FileMenu->actions();
    const auto exit = items.indexOf(Window->Exit2);
    ASSERT_EQ(exit, items.size() - 1);
    EXPECT_EQ(items[exit - 1], Window->RecentSeparator);
    EXPECT_TRUE(Window->RecentSeparator->isVisible());
    EXPECT_EQ(items[exit - 1 - 8], Window->RecentItems[0]);
    EXPECT_TRUE(items[exit - 1 - 9]->isSeparator()) << "after \"&Close\"";
    EXPECT_EQ(Window->RecentItems[0]->text(), QStringLiteral("&1 second.dvx"));
    EXPECT_EQ(Window->RecentItems[1]->text(), QStringLiteral("&2 first && co.dvx"));
    EXPECT_EQ(Window->RecentItems[1]->toolTip(),
              QDir::toNativeSeparators(QString::fromStdString(first)));
    EXPECT_TRUE(Window->RecentItems[1]->isVisible());
    EXPECT_FALSE(Window->RecentItems[2]->isVisible());
    EXPECT_TRUE(Window->FileMenu->toolTipsVisible());

    Window->RecentItems[1]->trigger();
    EXPECT_EQ(Core().Document.GuideFileName, first);
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Dravenloom - first & co.dvx"));
    EXPECT_EQ(Window->RecentItems[0]->text(), QStringLiteral("&1 first && co.dvx"));
    EXPECT_EQ(Settings.String(RecentKey, "2"), RecentPathValue(second));
}

TEST_F(QuickItemsTest, SavedNoteGivesWayToTheRecordStatusWhenItsTimeIsUp) {
    EXPECT_EQ(Window->NoteMilliseconds, 4000);
    Window->NoteMilliseconds = 50;
    OpenGuide("note.dvx", 3);
    Type(Page->DialogueMemo, QStringLiteral("x"));
    Window->Save1->trigger();
    EXPECT_EQ(Status(), QStringLiteral("Saved note.dvx"));
    EXPECT_TRUE(Window->NoteTimer->isActive());
    EXPECT_TRUE(WaitFor([this] { return Status() == QStringLiteral("Record 1 of 3"); }));
}

// The removal question in a real message box: Enter presses Cancel, and nothing is removed.
TEST(RemovalQuestionTest, EnterInTheRealBoxKeepsTheRecord) {
    QtPlatform platform;
    MemorySettings settings;
    settings.SetBool(ProgramKey, "Wizard", false);
    TGuideForm window(platform, platform.Fields(), settings, ".", {});
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.isActiveWindow(); }));
    EditPage* page = window.EditViewPage();
    window.Forward([&] { window.Core().Editor.DialogueMemoChange("Keep me"); });
    QString caption;
    bool cancelIsDefault = false;
    WhenModal([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        cancelIsDefault = box->defaultButton() == box->button(QMessageBox::Cancel);
        QTest::keyClick(box, Qt::Key_Return);
    });
    page->RemoveBitBtn->click();
    EXPECT_EQ(caption, QStringLiteral("Confirm"));
    EXPECT_TRUE(cancelIsDefault);
    EXPECT_FALSE(window.Core().Removal.RemovalDone);
    EXPECT_EQ(window.Core().View.DialogueMemo.Text, "Keep me");
    EXPECT_EQ(window.StatusPanel->text(), QStringLiteral("Record 1 of 1"));
}

} // namespace
} // namespace dravenloom
