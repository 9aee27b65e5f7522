// "Check Guide" in the window: the "&File" item on F7 just before the separator above "E&xit",
// the modeless window listing a damaged guide's findings, a double click walking to the
// record, and "Refresh" checking what the Edit View holds.
#include "app/CheckGuideWindow.h"
#include "app/MainWindowFixture.h"
#include "support/ShortLines.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace dravenloom {
namespace {

class CheckGuideWindowTest : public MainWindowFixture {
protected:
    QAction* CheckGuide1() { return Window->findChild<QAction*>(QStringLiteral("CheckGuide1")); }
    CheckGuideWindow* Checker() { return Window->findChild<CheckGuideWindow*>(); }
    // A damaged guide in place of the record list, record 1 shown: record 2 links to itself,
    // record 3 to record 9 of 4, no path reaches record 4, and record 4's dialogue holds the
    // reserved mark 0xAA.
    void LoadDamagedGuide() {
        Window->Forward([this] {
            Core().Document.Records.Lines = {
                P(1, "One"),        R(1, "on", "2"), R(1, "three", "3"), P(2, "Two"),
                R(2, "again", "2"), P(3, "Three"),   R(3, "far", "9"),   P(4, "Fo\xAAur")};
            Core().Document.RecordCount = 4;
            Core().Document.CurrentRecord = 1;
            Core().Editor.LoadRecord();
        });
    }
    QStringList Lines() {
        QStringList lines;
        for (int row = 0; row < Checker()->FindingList->count(); ++row)
            lines << Checker()->FindingList->item(row)->text();
        return lines;
    }
    int RowOf(const QString& start) {
        const QStringList lines = Lines();
        for (int row = 0; row < lines.size(); ++row)
            if (lines[row].startsWith(start))
                return row;
        ADD_FAILURE() << "no line " << start.toStdString();
        return -1;
    }
    void DoubleClick(int row) {
        QListWidget* list = Checker()->FindingList;
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(CheckGuideWindowTest, StandsRightAfterCloseOnF7) {
    ASSERT_TRUE(CheckGuide1());
    EXPECT_EQ(CheckGuide1()->text(), QStringLiteral("Check Guide"));
    EXPECT_EQ(CheckGuide1()->shortcut(), QKeySequence(Qt::Key_F7));
    const QList<QAction*> items = Window->FileMenu->actions();
    const auto close = items.indexOf(Window->Close1);
    ASSERT_GE(close, 0);
    ASSERT_LT(close + 2, items.size());
    EXPECT_EQ(items[close + 1], CheckGuide1());
    // The recent guides (or, while there are none, "E&xit") follow after a separator.
    EXPECT_TRUE(items[close + 2]->isSeparator());
}

TEST_F(CheckGuideWindowTest, ListsTheFindingsAndADoubleClickWalksToTheRecord) {
    LoadDamagedGuide();
    QTest::keyClick(Window.get(), Qt::Key_F7);
    ASSERT_TRUE(Checker());
    EXPECT_TRUE(Checker()->isVisible());
    EXPECT_FALSE(Checker()->isModal());
    EXPECT_EQ(Checker()->windowTitle(), QStringLiteral("Check Guide"));
    const QStringList lines = Lines();
    // One line a finding: the self link, the dangling link, the reserved mark, the
    // unreachable record, each naming its record.
    ASSERT_GE(lines.size(), 4) << lines.join(u'\n').toStdString();
    for (const QString& line : lines)
        EXPECT_TRUE(line.startsWith(QStringLiteral("Record "))) << line.toStdString();
    EXPECT_EQ(Checker()->SummaryLabel->text(),
              QStringLiteral("%1 problems found.").arg(lines.size()));
    const int selfLink = RowOf(QStringLiteral("Record 2: "));
    const int unreachable = RowOf(QStringLiteral("Record 4: "));
    ASSERT_GE(selfLink, 0);
    ASSERT_GE(unreachable, 0);
    // The first finding is selected and shown in full below the list.
    EXPECT_EQ(Checker()->FindingList->currentRow(), 0);
    EXPECT_EQ(Checker()->DetailLabel->text(), lines[0]);
    EXPECT_GE(Lines().filter(QStringLiteral("Record 4: ")).size(), 2); // mark, unreachable
    EXPECT_GE(RowOf(QStringLiteral("Record 3: ")), 0);                 // the link to 9

    // A double click on record 4's finding: the Edit View on record 4, "Go back" to record 1.
    DoubleClick(unreachable);
    EXPECT_EQ(Core().Pages.ActivePage, Page::EditView);
    EXPECT_EQ(Core().Document.CurrentRecord, 4);
    EXPECT_EQ(Core().View.DialogueMemo.Text, "Fo\xAAur");
    EXPECT_EQ(Core().Nav.LastViewedRecord, 1);
    EXPECT_EQ(Page->DialogueMemo->toPlainText(), QStringLiteral("Fo\u00AAur"));
    EXPECT_TRUE(Checker()->isVisible());

    // Enter on a line does the same.
    Checker()->FindingList->setCurrentRow(selfLink);
    QTest::keyClick(Checker()->FindingList, Qt::Key_Return);
    EXPECT_EQ(Core().Document.CurrentRecord, 2);
    EXPECT_EQ(Core().Nav.LastViewedRecord, 4);
}

TEST_F(CheckGuideWindowTest, RefreshChecksWhatTheEditViewHoldsAndSaysWhenAllIsWell) {
    Window->Forward([this] {
        Core().Document.Records.Lines = {P(1, "One"), R(1, "on", "2"), P(2, "Two"),
                                         R(2, "back", "1")};
        Core().Document.RecordCount = 2;
        Core().Document.CurrentRecord = 2;
        Core().Editor.LoadRecord();
    });
    CheckGuide1()->trigger();
    ASSERT_TRUE(Checker());
    EXPECT_EQ(Checker()->FindingList->count(), 0);
    EXPECT_EQ(Checker()->SummaryLabel->text(), QStringLiteral("No problems found."));

    // Record 2's response typed to jump to itself, not yet stored: Refresh stores and finds it.
    Window->Forward([this] { Core().Editor.EditChange(1, "2"); });
    Checker()->RefreshButton->click();
    ASSERT_EQ(Checker()->FindingList->count(), 1) << Lines().join(u'\n').toStdString();
    EXPECT_TRUE(Lines()[0].startsWith(QStringLiteral("Record 2: "))) << Lines()[0].toStdString();
    EXPECT_EQ(Checker()->SummaryLabel->text(), QStringLiteral("1 problem found."));
    EXPECT_EQ(Core().Document.Records.Lines[3], R(2, "back", "2"));

    // F7 again brings the same window back, checked again.
    Checker()->close();
    Window->Forward([this] { Core().Editor.EditChange(1, "1"); });
    CheckGuide1()->trigger();
    EXPECT_EQ(Window->findChildren<CheckGuideWindow*>().size(), 1);
    EXPECT_TRUE(Checker()->isVisible());
    EXPECT_EQ(Checker()->SummaryLabel->text(), QStringLiteral("No problems found."));
}

} // namespace
} // namespace dravenloom
