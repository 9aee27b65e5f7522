// Widget tests of the main window's frame around its pages: the status line, the toolbar's
// hints, the help key and the windows it places.
#include "app/MainWindowFixture.h"

#include <QAction>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

class MainWindowTest : public MainWindowFixture {};

TEST_F(MainWindowTest, ToolbarHintsAreToolTipsAndNeverReplaceTheRecordStatus) {
    const auto statusShown = [this] {
        return Window->StatusPanel->isVisible() &&
               Window->StatusPanel->text() == QStringLiteral("Record 1 of 1") &&
               Window->statusBar()->currentMessage().isEmpty();
    };
    ASSERT_TRUE(statusShown());
    for (QAction* action : Window->ToolbarButtons) {
        QWidget* button = Window->ToolBar->widgetForAction(action);
        ASSERT_NE(button, nullptr);
        // The pointer comes over the button, and any status tip a control sends on its way.
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), button->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(button, &enter);
        EXPECT_TRUE(statusShown()) << action->text().toStdString();
        QStatusTipEvent tip(action->toolTip());
        QApplication::sendEvent(button, &tip);
        EXPECT_TRUE(statusShown()) << action->text().toStdString();
    }

    // The hint is the button's tool tip, and "Show Hints" still switches it off and on.
    QWidget* demonstration = Window->ToolBar->widgetForAction(Window->ToolbarButtons[3]);
    EXPECT_EQ(demonstration->toolTip(),
              QStringLiteral("Click here to see a preview of your guide."));
    TipProbe probe;
    demonstration->installEventFilter(&probe);
    const auto askForTip = [demonstration] {
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), demonstration->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(demonstration, &tip);
    };
    askForTip();
    EXPECT_EQ(probe.Tips, 1);
    Window->ShowHints2->trigger();
    askForTip();
    EXPECT_EQ(probe.Tips, 1);
    Window->ShowHints2->trigger();
    askForTip();
    EXPECT_EQ(probe.Tips, 2);
    EXPECT_TRUE(statusShown());
}

TEST_F(MainWindowTest, HelpKeyShowsTheViewsPageAndContentsStaysTheContents) {
    QTest::keyClick(Page->DialogueMemo, Qt::Key_F1);
    ASSERT_EQ(Platform.HelpPages.size(), 1u);
    EXPECT_EQ(FsPath(QString::fromStdString(Platform.HelpPages[0])).filename(), "edit-view.html");

    Window->ToolbarButtons[1]->trigger();
    QTest::keyClick(Window.get(), Qt::Key_F1);
    ASSERT_EQ(Platform.HelpPages.size(), 2u);
    EXPECT_EQ(FsPath(QString::fromStdString(Platform.HelpPages[1])).filename(), "logic-view.html");

    EXPECT_FALSE(Window->Contents2->shortcuts().contains(QKeySequence(Qt::Key_F1)));
    Window->Contents2->trigger();
    EXPECT_EQ(Platform.HelpRequests.size(), 1u);
    EXPECT_EQ(Platform.HelpPages.size(), 2u);
}

} // namespace
} // namespace dravenloom
