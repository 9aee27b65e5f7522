// Widget tests of the Demonstration page in the main window: entered from the toolbar and from
// "Demo", a click on a drawn response button lands on its target, Back, Restart and Close
// behave, a picture is drawn, and the page's controls stand where the design puts them.
#include "app/DemoPage.h"

#include "app/EditPage.h"
#include "app/MainWindowFixture.h"
#include "document/RecordCodec.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

class DemoPageTest : public MainWindowFixture {
protected:
    DemoPageTest() { Demo = qobject_cast<DemoPage*>(Window->PageWidget(Page::Demonstration)); }

    // Writes the guide into the scratch folder and opens it as the author does.
    void OpenGuide(const std::vector<std::string>& lines) {
        const std::string path = (Dir.path() + QStringLiteral("/guide.dvx")).toStdString();
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : lines)
            out << EncodeLineForFile(line) << "\r\n";
        out.close();
        Core().Document.OpenDialogPath = path;
        Window->Forward([this] { Core().Files.OpenGuideFile(); });
    }
    // 1 -> 2 -> 3 by the first responses; the picture beside record 2's text.
    void OpenWalkGuide() {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(QColor(200, 30, 40));
        ASSERT_TRUE(picture.save(Dir.path() + QStringLiteral("/red.png")));
        OpenGuide({BuildPrimaryLine(1, "One", "", "300", "0", false),
                   BuildResponseLine(1, "To two", "2"), BuildResponseLine(1, "Also two", "2"),
                   BuildPrimaryLine(2, "Two", "red.png", "280", "100", false),
                   BuildResponseLine(2, "To three", "3"),
                   BuildPrimaryLine(3, "Three", "", "300", "0", false)});
    }
    // Releases a mouse button over the canvas at canvas coordinates.
    void ClickCanvas(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* canvas = Demo->ImageCanvasView;
        const QPointF at(x, y);
        QMouseEvent press(QEvent::MouseButtonPress, at, canvas->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(canvas, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, canvas->mapToGlobal(at), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &release);
    }
    void MoveOverCanvas(int x, int y) {
        QWidget* canvas = Demo->ImageCanvasView;
        const QPointF at(x, y);
        QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
    }
    QColor Pixel(int x, int y) const { return Demo->Surface.Image().pixelColor(x, y); }
    std::int32_t Shown() const { return Demo->Demo.DemoRecord; }

    QTemporaryDir Dir;
    DemoPage* Demo = nullptr;
};

TEST_F(DemoPageTest, TheToolbarShowsRecordOneOnTheWholeCanvas) {
    ASSERT_NE(Demo, nullptr);
    OpenWalkGuide();
    Window->ToolbarButtons[3]->trigger();
    EXPECT_EQ(Window->PageStack->currentWidget(), Demo);
    EXPECT_EQ(Shown(), 1);
    EXPECT_EQ(Demo->Surface.Image().size(), QSize(1279, 1023));
    EXPECT_EQ(Demo->ImageCanvasView->size(), QSize(1279, 1023));
    EXPECT_EQ(Demo->DemoTitleEdit->text(), QStringLiteral("Dravenloom"));
    // The response button: the gray swatch's face where the first response stands.
    EXPECT_NE(Pixel(12, 47), QColor(Qt::white));
    EXPECT_EQ(Pixel(400, 600), QColor(Qt::white));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy pointer is gone";
}

TEST_F(DemoPageTest, DemoStartsAtTheRecordBeingEditedAndAClickFollowsItsResponse) {
    OpenWalkGuide();
    Window->Forward([this] { Core().Nav.WalkToRecord(2); });
    Page->BitBtn5->click();
    EXPECT_EQ(Window->PageStack->currentWidget(), Demo);
    EXPECT_EQ(Shown(), 2);
    // The picture beside the text, at its place.
    EXPECT_EQ(Pixel(300, 115), QColor(200, 30, 40));
    EXPECT_EQ(Pixel(279, 115), QColor(Qt::white));

    // Any mouse button follows a response button.
    ClickCanvas(12, 47, Qt::RightButton);
    EXPECT_EQ(Shown(), 3);
    EXPECT_EQ(Pixel(300, 115), QColor(Qt::white)) << "record 3 has no picture";
}

TEST_F(DemoPageTest, BackRestartAndCloseWalkAsTheButtonsSay) {
    OpenWalkGuide();
    Window->ToolbarButtons[3]->trigger();
    ClickCanvas(12, 47);
    ClickCanvas(12, 47);
    ASSERT_EQ(Shown(), 3);
    Demo->DemoBackButton->click();
    EXPECT_EQ(Shown(), 2);
    Demo->DemoStartButton->click();
    EXPECT_EQ(Shown(), 1);
    Demo->DemoBackButton->click();
    EXPECT_EQ(Shown(), 1) << "Restart emptied the history";

    MoveOverCanvas(12, 47);
    EXPECT_EQ(Demo->ImageCanvasView->cursor().shape(), Qt::PointingHandCursor);
    MoveOverCanvas(100, 47);
    EXPECT_EQ(Demo->ImageCanvasView->cursor().shape(), Qt::ArrowCursor);

    Demo->DemoCloseButton->click();
    EXPECT_EQ(Pixel(12, 47), QColor(Qt::white));
    EXPECT_EQ(Pixel(5, 5), QColor(Qt::white));
    ClickCanvas(12, 47);
    EXPECT_EQ(Shown(), 1);
}

TEST_F(DemoPageTest, TheKeysWalkTheGuideOnlyWhileThePageIsOnShow) {
    OpenWalkGuide();
    // On the Edit View the digits are the author's typing, not the walk.
    QTest::keyClick(Window.get(), Qt::Key_1);
    Window->ToolbarButtons[3]->trigger();
    ASSERT_EQ(Shown(), 1);
    QTest::keyClick(Window.get(), Qt::Key_2); // the second response: record 2
    EXPECT_EQ(Shown(), 2);
    QTest::keyClick(Window.get(), Qt::Key_2); // record 2 has one response
    EXPECT_EQ(Shown(), 2);
    QTest::keyClick(Window.get(), Qt::Key_1);
    EXPECT_EQ(Shown(), 3);
    QTest::keyClick(Window.get(), Qt::Key_Backspace);
    EXPECT_EQ(Shown(), 2);
    QTest::keyClick(Window.get(), Qt::Key_Home);
    EXPECT_EQ(Shown(), 1);
    QTest::keyClick(Window.get(), Qt::Key_Backspace);
    EXPECT_EQ(Shown(), 1) << "Home emptied the history";
}

TEST_F(DemoPageTest, EachDrawScrollsTheViewportBackToItsOrigin) {
    OpenWalkGuide();
    Window->ToolbarButtons[3]->trigger();
    Demo->ScrollPanel2->verticalScrollBar()->setValue(300);
    Demo->ScrollPanel2->horizontalScrollBar()->setValue(200);
    ASSERT_EQ(Demo->ScrollPanel2->verticalScrollBar()->value(), 300);
    ClickCanvas(12, 47);
    EXPECT_EQ(Demo->ScrollPanel2->verticalScrollBar()->value(), 0);
    EXPECT_EQ(Demo->ScrollPanel2->horizontalScrollBar()->value(), 0);
}

TEST_F(DemoPageTest, TheTitleCannotTakeTheFocusAndTheControlsStandWhereTheDesignSays) {
    Core().Applet.Options.TitleEdit.Text = "Lamp \xE9tape";
    Window->ToolbarButtons[3]->trigger();
    EXPECT_EQ(Demo->DemoTitleEdit->text(), QStringLiteral("Lamp \u00E9tape"));
    Demo->DemoTitleEdit->setFocus(Qt::MouseFocusReason);
    EXPECT_NE(QApplication::focusWidget(), Demo->DemoTitleEdit);

    const auto place = [this](QWidget* widget) {
        return QRect(widget->mapTo(Demo, QPoint(0, 0)), widget->size());
    };
    EXPECT_EQ(place(Demo->DemoTitleEdit), QRect(8, 4, 298, 24));
    EXPECT_EQ(place(Demo->DemoStartButton), QRect(8, 28, 75, 25));
    EXPECT_EQ(place(Demo->DemoBackButton), QRect(82, 28, 75, 25));
    EXPECT_EQ(place(Demo->DemoCloseButton), QRect(156, 28, 75, 25));
    EXPECT_EQ(place(Demo->DemoAboutButton), QRect(230, 28, 75, 25));
    EXPECT_EQ(place(Demo->ScrollPanel2), QRect(8, 56, 599, 265));
    EXPECT_EQ(Demo->DemoStartButton->toolTip(), QStringLiteral("Restarts the guide."));
    EXPECT_EQ(Demo->ImageCanvasView->toolTip(),
              QStringLiteral("Displays a demonstration of your guide."));
}

TEST_F(DemoPageTest, AboutShowsTheInformationBox) {
    Window->ToolbarButtons[3]->trigger();
    Platform.ClearRecords();
    Demo->DemoAboutButton->click();
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Icon, MsgIcon::Information);
}

} // namespace
} // namespace dravenloom
