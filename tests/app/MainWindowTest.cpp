// Widget tests of the main window's frame around its pages: the status line, the toolbar's
// hints, the help key and the windows it places.
#include "app/MainWindowFixture.h"
#include "app/Tutorial.h"

#include <QAction>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
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

TEST_F(MainWindowTest, DemoStartsAtTheRecordBeingEditedAndTheToolbarAtRecordOne) {
    Page->NextBitBtn->click();
    ASSERT_EQ(Core().Document.CurrentRecord, 2);
    Page->BitBtn5->click();
    EXPECT_EQ(Core().DemoStartRecord, 2);
    EXPECT_EQ(Window->PageStack->currentIndex(), static_cast<int>(Page::Demonstration));
    EXPECT_EQ(Platform.CurrentPointer, PointerShape::Normal);

    Window->ToolbarButtons[0]->trigger();
    Window->ToolbarButtons[3]->trigger();
    EXPECT_EQ(Core().DemoStartRecord, 1);
    EXPECT_EQ(Window->PageStack->currentIndex(), static_cast<int>(Page::Demonstration));
}

TEST_F(MainWindowTest, TutorialOpensBesideTheMainWindowWhereTheScreenHasRoom) {
    QTemporaryDir dir;
    TTutorialForm tutorial(Platform, FsPath(dir.path()));
    // Small enough for the offscreen screen to have room beside the main window.
    tutorial.resize(150, 120);
    ASSERT_EQ(tutorial.width(), 150);
    Window->AttachWindows({nullptr, &tutorial, nullptr, nullptr, nullptr});
    const QRect screen = Window->screen()->availableGeometry();
    const auto showTutorial = [&] {
        tutorial.hide();
        Window->Tutorial2->trigger();
        ASSERT_TRUE(tutorial.isVisible());
        EXPECT_FALSE(tutorial.frameGeometry().intersects(Window->frameGeometry()));
        EXPECT_TRUE(screen.contains(tutorial.frameGeometry()));
        EXPECT_EQ(tutorial.frameGeometry().top(), Window->frameGeometry().top());
    };

    // Room on the right: it opens there.
    Window->move(screen.topLeft());
    showTutorial();
    EXPECT_GT(tutorial.frameGeometry().left(), Window->frameGeometry().right());

    // The main window at the right edge: it opens on the left.
    Window->move(screen.right() + 1 - Window->frameGeometry().width(), screen.top() + 20);
    showTutorial();
    EXPECT_LT(tutorial.frameGeometry().right(), Window->frameGeometry().left());

    // An open tutorial stays where the author moved it.
    tutorial.move(screen.topLeft() + QPoint(3, 4));
    Window->Tutorial2->trigger();
    EXPECT_EQ(tutorial.pos(), screen.topLeft() + QPoint(3, 4));
}

} // namespace
} // namespace dravenloom
