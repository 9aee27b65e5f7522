// Widget tests of the main window that grows: the default size is the smallest, every page
// keeps its widgets exactly in place at it, and a larger window gives its room to the boxes
// while the buttons beside them keep their places; the size and place outlive the run.
#include "app/DemoPage.h"
#include "app/EditPage.h"
#include "app/GeneratePage.h"
#include "app/Guidecode.h"
#include "app/LogicPage.h"
#include "app/MainWindowFixture.h"
#include "app/UploadFilesPage.h"
#include "app/WidgetTestSupport.h"
#include "shell/WindowPlacement.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <map>

namespace dravenloom {
namespace {

constexpr QSize Extra(400, 300);

class WindowSizeTest : public MainWindowFixture {
protected:
    template <typename T> T* PageOf(dravenloom::Page which) {
        return qobject_cast<T*>(Window->PageWidget(which));
    }

    // Shows page `index`, laid out for the window's present size (the page stack lays out
    // only the page on show).
    void ShowPage(int index) {
        Window->PageStack->setCurrentIndex(index);
        QApplication::processEvents();
    }

    // Every widget on every page, each page shown in turn, with its geometry within its parent.
    std::map<const QWidget*, QRect> Geometries() {
        std::map<const QWidget*, QRect> all;
        for (int index = 0; index < Window->PageStack->count(); ++index) {
            ShowPage(index);
            for (const QWidget* widget : Window->PageStack->widget(index)->findChildren<QWidget*>())
                all[widget] = widget->geometry();
        }
        ShowPage(0);
        return all;
    }

    void Grow(QSize by) {
        Window->resize(Window->minimumSize() + by);
        QApplication::processEvents();
    }
};

TEST_F(WindowSizeTest, OpensAtItsSmallestSizeAndMayBeMaximised) {
    EXPECT_EQ(Window->PageStack->size(), QSize(620, 399));
    EXPECT_EQ(Window->size(), Window->minimumSize());
    EXPECT_TRUE(Window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(Window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    Window->resize(Window->minimumSize() - QSize(50, 50));
    QApplication::processEvents();
    EXPECT_EQ(Window->PageStack->size(), QSize(620, 399));
}

// The places the pages were designed with, at the default size.
TEST_F(WindowSizeTest, AtTheDefaultSizeThePagesKeepTheirDesignedPlaces) {
    Geometries(); // every page laid out once
    EXPECT_EQ(PageOf<GeneratePage>(dravenloom::Page::GenerateHtml)->HtmlMemo->geometry(),
              QRect(10, 240, 480, 149));
    EXPECT_EQ(PageOf<GeneratePage>(dravenloom::Page::GenerateHtml)->GenerateBitBtn->geometry(),
              QRect(500, 240, 110, 25));
    EXPECT_EQ(PageOf<DemoPage>(dravenloom::Page::Demonstration)->ScrollPanel2->geometry(),
              QRect(8, 56, 599, 265));
    const auto* upload = PageOf<UploadFilesPage>(dravenloom::Page::Upload);
    EXPECT_EQ(upload->FilesMemo->geometry(), QRect(318, 26, 294, 182));
    EXPECT_EQ(upload->UploadBtn->geometry(), QRect(8, 216, 90, 25));
    EXPECT_EQ(upload->ProgressBar1->geometry(), QRect(8, 274, 604, 18));
}

TEST_F(WindowSizeTest, ALargerWindowGrowsTheBoxesAndMovesTheButtonsBesideThem) {
    const auto before = Geometries();
    Grow(Extra);
    EXPECT_EQ(Window->PageStack->size(), QSize(620, 399) + Extra);

    // Edit View: the texts grow; the navigation box stays at the right edge.
    EXPECT_GT(Page->DialogueMemo->width(), before.at(Page->DialogueMemo).width() + 300);
    for (const QPlainTextEdit* memo : Page->Memos) {
        EXPECT_GT(memo->width(), before.at(memo).width() + 150);
        EXPECT_GT(memo->height(), before.at(memo).height() + 50);
    }
    EXPECT_EQ(Page->width() - Page->NavigationBox->geometry().right(),
              620 - before.at(Page->NavigationBox).right());
    EXPECT_EQ(Page->CreateNewButtons[1]->size(), before.at(Page->CreateNewButtons[1]).size());

    ShowPage(1);
    const auto* logic = PageOf<LogicPage>(dravenloom::Page::LogicView);
    EXPECT_EQ(logic->TreeView1->size(), before.at(logic->TreeView1).size() + Extra);

    ShowPage(2);
    const auto* generate = PageOf<GeneratePage>(dravenloom::Page::GenerateHtml);
    EXPECT_EQ(generate->HtmlMemo->geometry(), QRect(10, 240, 480 + 400, 149 + 300));
    EXPECT_EQ(generate->GenerateBitBtn->geometry(), QRect(900, 240, 110, 25));
    EXPECT_EQ(generate->TitleEdit->geometry(), before.at(generate->TitleEdit));

    ShowPage(3);
    const auto* demo = PageOf<DemoPage>(dravenloom::Page::Demonstration);
    EXPECT_EQ(demo->ScrollPanel2->geometry(), QRect(8, 56, 599 + 400, 265 + 300));
    EXPECT_EQ(demo->DemoStartButton->geometry(), before.at(demo->DemoStartButton));

    ShowPage(4);
    const auto* upload = PageOf<UploadFilesPage>(dravenloom::Page::Upload);
    EXPECT_EQ(upload->FilesMemo->geometry(), QRect(318, 26, 294 + 400, 182 + 300));
    EXPECT_EQ(upload->UploadBtn->geometry(), QRect(8, 216 + 300, 90, 25));
    EXPECT_EQ(upload->RemoveBtn->geometry(), QRect(414, 216 + 300, 90, 25));
    EXPECT_EQ(upload->ProgressBar1->geometry(), QRect(8, 274 + 300, 604 + 400, 18));
    EXPECT_EQ(upload->HostTxt->geometry(), before.at(upload->HostTxt));

    // Back at the default size everything is where it was.
    Grow(QSize(0, 0));
    EXPECT_EQ(Geometries(), before);
}

TEST(AnchoredTest, FollowsTheEdgesItIsTiedTo) {
    const QRect at(10, 20, 100, 50);
    const QSize extra(40, 30);
    EXPECT_EQ(Anchored(at, Anchors::Left | Anchors::Top, extra), at);
    EXPECT_EQ(Anchored(at, Anchors::All(), extra), QRect(10, 20, 140, 80));
    EXPECT_EQ(Anchored(at, Anchors::Right | Anchors::Bottom, extra), QRect(50, 50, 100, 50));
    EXPECT_EQ(Anchored(at, Anchors::Bottom, extra), QRect(30, 50, 100, 50));
    EXPECT_EQ(Anchored(at, Anchors::All(), QSize(0, 0)), at);
}

// The place is stored when the window closes and taken up by the next one.
TEST_F(WindowSizeTest, TheNextWindowOpensWhereThisOneClosed) {
    Window->setGeometry(QRect(QPoint(20, 30), Window->minimumSize() + QSize(60, 40)));
    QApplication::processEvents();
    const QRect closed = Window->geometry();
    Window->close();
    const auto stored = ReadWindowPlace(Settings);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->Area.Width, closed.width());
    EXPECT_FALSE(stored->Maximised);

    TGuideForm next(Platform, Platform.Targets, Settings, ".", {});
    EXPECT_EQ(next.geometry(), closed);
}

// A maximised window comes back maximised, and keeps the size it had before for un-maximising.
TEST_F(WindowSizeTest, AMaximisedWindowComesBackMaximised) {
    const QRect before(QPoint(10, 20), Window->minimumSize() + QSize(30, 20));
    WriteWindowPlace(Settings, {{before.x(), before.y(), before.width(), before.height()}, true});
    TGuideForm next(Platform, Platform.Targets, Settings, ".", {});
    EXPECT_TRUE(next.windowState().testFlag(Qt::WindowMaximized));
    next.show();
    QApplication::processEvents();
    next.close();
    const auto stored = ReadWindowPlace(Settings);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(stored->Maximised);
    EXPECT_EQ(stored->Area.Width, before.width());
    EXPECT_EQ(stored->Area.Height, before.height());
}

TEST_F(WindowSizeTest, APlaceOffEveryScreenOpensCentredAtTheDefaultSize) {
    WriteWindowPlace(Settings, {{50000, 50000, 900, 700}, false});
    TGuideForm next(Platform, Platform.Targets, Settings, ".", {});
    EXPECT_EQ(next.size(), next.minimumSize());
    EXPECT_TRUE(next.screen()->geometry().contains(next.geometry().center()));
}

} // namespace
} // namespace dravenloom
