// "Find..." and "Replace..." in the window: Ctrl+F and Ctrl+H open one modeless window, the
// matches are listed, Enter on a match walks to it and selects it in its field, Replace All
// reaches the Edit View, and a broken expression is named with where it breaks.
#include "app/FindReplaceWindow.h"
#include "app/CheckGuideWindow.h"
#include "app/EditPage.h"
#include "app/MainWindowFixture.h"
#include "app/StatisticsWindow.h"
#include "support/ShortLines.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace dravenloom {
namespace {

class FindReplaceWindowTest : public MainWindowFixture {
protected:
    FindReplaceWindow* Finder() { return Window->findChild<FindReplaceWindow*>(); }
    void LoadGuide() {
        Window->Forward([this] {
            Core().Document.Records.Lines = {P(1, "The lamp is dark."), R(1, "Check it", "2"),
                                             P(2, "Is the\r\ncaf\xE9 lamp on?"),
                                             R(2, "Lamp on", "1")};
            Core().Document.RecordCount = 2;
            Core().Document.CurrentRecord = 1;
            Core().Editor.LoadRecord();
        });
    }
    QString Cell(int row, int column) {
        QAbstractItemModel* model = Finder()->ResultList->model();
        return model->data(model->index(row, column)).toString();
    }
};

TEST_F(FindReplaceWindowTest, EnterOnAMatchSelectsItInItsField) {
    LoadGuide();
    QTest::keyClick(Window.get(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(Finder());
    EXPECT_TRUE(Finder()->isVisible());
    EXPECT_FALSE(Finder()->isModal());
    QTest::keyClicks(Finder()->FindEdit, QStringLiteral("CAF\u00C9 LAMP"));
    QTest::keyClick(Finder()->FindEdit, Qt::Key_Return);
    ASSERT_EQ(Finder()->ResultList->model()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("Record 2, dialogue"));
    EXPECT_EQ(Cell(0, 1), QStringLiteral("Is the  caf\u00E9 lamp on?"));
    EXPECT_EQ(Finder()->MessageLabel->text(), QStringLiteral("1 match in 1 record."));

    Finder()->ResultList->setFocus();
    Finder()->ResultList->setCurrentIndex(Finder()->ResultList->model()->index(0, 0));
    QTest::keyClick(Finder()->ResultList, Qt::Key_Return);
    EXPECT_EQ(Core().Document.CurrentRecord, 2);
    QPlainTextEdit* dialogue = Window->EditViewPage()->DialogueMemo;
    EXPECT_EQ(dialogue->textCursor().selectedText(), QStringLiteral("caf\u00E9 lamp"));
    EXPECT_EQ(dialogue->textCursor().selectionStart(), 7);

    // Ctrl+H brings the same window back, with what it found.
    Finder()->hide();
    QTest::keyClick(Window.get(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(Window->findChildren<FindReplaceWindow*>().size(), 1);
    EXPECT_TRUE(Finder()->isVisible());
    EXPECT_EQ(Finder()->ResultList->model()->rowCount(), 1);
}

TEST_F(FindReplaceWindowTest, ReplaceAllReachesTheEditViewAndUndoes) {
    LoadGuide();
    Window->findChild<QAction*>(QStringLiteral("Replace1"))->trigger();
    ASSERT_TRUE(Finder());
    Finder()->FindEdit->setText(QStringLiteral("lamp"));
    Finder()->ReplaceEdit->setText(QStringLiteral("light"));
    Finder()->WholeWordCheck->setChecked(true);
    Finder()->FindAll();
    EXPECT_EQ(Finder()->ResultList->model()->rowCount(), 3);
    Finder()->ReplaceAllButton->click();
    EXPECT_EQ(Finder()->ResultList->model()->rowCount(), 0);
    EXPECT_EQ(Finder()->MessageLabel->text(),
              QStringLiteral("Replaced 3 matches in 2 records. No matches."));
    EXPECT_EQ(Window->EditViewPage()->DialogueMemo->toPlainText(),
              QStringLiteral("The light is dark."));
    Window->Undo1->trigger();
    EXPECT_EQ(Window->EditViewPage()->DialogueMemo->toPlainText(),
              QStringLiteral("The lamp is dark."));
}

TEST_F(FindReplaceWindowTest, ABrokenExpressionIsNamedWhereItBreaks) {
    LoadGuide();
    Window->findChild<QAction*>(QStringLiteral("Find1"))->trigger();
    Finder()->RegexCheck->setChecked(true);
    Finder()->FindEdit->setText(QStringLiteral("la(mp"));
    Finder()->FindAllButton->click();
    EXPECT_EQ(Finder()->ResultList->model()->rowCount(), 0);
    EXPECT_TRUE(Finder()->MessageLabel->text().contains(
        QStringLiteral("not valid at character 6: missing closing parenthesis")));
    EXPECT_FALSE(Finder()->ReplaceAllButton->isEnabled());
}

TEST_F(FindReplaceWindowTest, StatisticsOpenFromCheckGuideAndWalk) {
    Window->Forward([this] {
        Core().Document.Records.Lines = {P(1, "One"), R(1, "to two", "2"), P(2, "Two"),
                                         P(3, "Lost")};
        Core().Document.RecordCount = 3;
        Core().Document.CurrentRecord = 1;
        Core().Editor.LoadRecord();
    });
    Window->findChild<QAction*>(QStringLiteral("CheckGuide1"))->trigger();
    auto* checker = Window->findChild<CheckGuideWindow*>();
    ASSERT_TRUE(checker);
    checker->StatisticsButton->click();
    auto* stats = Window->findChild<StatisticsWindow*>();
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->ValueLabels.front()->text(), QStringLiteral("3"));
    ASSERT_EQ(stats->UnreachableList->count(), 1);
    EXPECT_EQ(stats->UnreachableList->item(0)->text(), QStringLiteral("Record 3"));
    stats->GoTo(stats->UnreachableList, 0);
    EXPECT_EQ(Core().Document.CurrentRecord, 3);
    EXPECT_EQ(Window->EditViewPage()->DialogueMemo->toPlainText(), QStringLiteral("Lost"));
}

} // namespace
} // namespace dravenloom
