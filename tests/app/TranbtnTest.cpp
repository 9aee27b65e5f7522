// Pixel tests of the transparent bitmap button over a coloured parent: its frames, a bitmap
// with a transparent colour, and the click raised only by a release on the button.
#include "app/Tranbtn.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

const QColor Ground(0, 160, 0);
const QColor Key(255, 0, 255);
const QColor Ink(0, 0, 200);

class TranbtnTest : public ::testing::Test {
protected:
    TranbtnTest() {
        Parent.setAutoFillBackground(true);
        QPalette palette = Parent.palette();
        palette.setColor(QPalette::Window, Ground);
        Parent.setPalette(palette);
        Parent.resize(60, 60);
        Button = new TMTranBtn(&Parent);
        Button->setGeometry(10, 10, 15, 15);
        QObject::connect(Button, &TMTranBtn::Click, [this] { ++Clicks; });
        Light = Button->palette().color(QPalette::Light);
        Dark = Button->palette().color(QPalette::Dark);
    }

    // What the screen shows where the button lies.
    QImage Shown() { return Parent.grab(Button->geometry()).toImage(); }

    void Send(QEvent::Type type, QPoint at) {
        QMouseEvent event(type, QPointF(at), QPointF(Button->mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(Button, &event);
    }
    void Enter() {
        QEnterEvent event(QPointF(5, 5), QPointF(15, 15),
                          QPointF(Button->mapToGlobal(QPoint(5, 5))));
        QCoreApplication::sendEvent(Button, &event);
    }
    void Leave() {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(Button, &event);
    }

    // Each edge in one colour, and the inside showing what lies beneath.
    void ExpectFrame(const QImage& image, const QColor& topLeft, const QColor& bottomRight) {
        const int last = image.width() - 1;
        for (int i = 0; i < last; ++i) {
            EXPECT_EQ(image.pixel(i, 0), topLeft.rgb()) << "top, x " << i;
            EXPECT_EQ(image.pixel(0, i), topLeft.rgb()) << "left, y " << i;
        }
        for (int i = 0; i <= last; ++i) {
            EXPECT_EQ(image.pixel(last, i), bottomRight.rgb()) << "right, y " << i;
            EXPECT_EQ(image.pixel(i, last), bottomRight.rgb()) << "bottom, x " << i;
        }
        ExpectGround(image, QRect(1, 1, last - 1, last - 1));
    }
    void ExpectGround(const QImage& image, const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ASSERT_EQ(image.pixel(x, y), Ground.rgb()) << "at " << x << ", " << y;
    }

    QWidget Parent;
    TMTranBtn* Button = nullptr;
    QColor Light;
    QColor Dark;
    int Clicks = 0;
};

TEST_F(TranbtnTest, StartsAsTheUsualThirtyPixelSquareInArial) {
    TMTranBtn fresh;
    EXPECT_EQ(fresh.size(), QSize(30, 30));
    EXPECT_EQ(fresh.Border(), BStyle::BsNormal);
    EXPECT_EQ(fresh.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(fresh.font().pointSize(), 9);
    fresh.SetCaption(QString(45, u'x'));
    EXPECT_EQ(fresh.Caption().size(), TMTranBtn::MaxCaptionLength);
}

TEST_F(TranbtnTest, IsRaisedSinksWhilePressedAndClicksOnceOnARelease) {
    ASSERT_NE(Light.rgb(), Dark.rgb());
    ExpectFrame(Shown(), Light, Dark);
    Send(QEvent::MouseButtonPress, QPoint(7, 7));
    ExpectFrame(Shown(), Dark, Light);
    // The click comes while the button is still drawn sunken, as a colour dialog opened from
    // it would show it.
    QRgb duringClick = 0;
    QObject::connect(Button, &TMTranBtn::Click,
                     [this, &duringClick] { duringClick = Shown().pixel(0, 0); });
    Send(QEvent::MouseButtonRelease, QPoint(7, 7));
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(duringClick, Dark.rgb());
    ExpectFrame(Shown(), Light, Dark);
}

TEST_F(TranbtnTest, PressedInsideAndReleasedOutsideRaisesNoClickAndRisesAgain) {
    Send(QEvent::MouseButtonPress, QPoint(7, 7));
    Leave();
    Send(QEvent::MouseMove, QPoint(30, 30));
    ExpectFrame(Shown(), Dark, Light);
    Send(QEvent::MouseButtonRelease, QPoint(30, 30));
    EXPECT_EQ(Clicks, 0);
    ExpectFrame(Shown(), Light, Dark);
}

TEST_F(TranbtnTest, IeStyleIsFramedOnlyWhileThePointerIsOverIt) {
    Button->SetBorder(BStyle::BsIe);
    ExpectGround(Shown(), QRect(0, 0, 15, 15));
    Enter();
    ExpectFrame(Shown(), Light, Dark);
    Leave();
    ExpectGround(Shown(), QRect(0, 0, 15, 15));
}

// A 9 x 9 bitmap keyed by its magenta bottom-left pixel, with a 3 x 3 block of ink at its
// middle, drawn without frame in the 15 x 15 button: at (3, 3), the block at (6, 6).
QImage KeyedBitmap() {
    QImage bitmap(9, 9, QImage::Format_RGB32);
    bitmap.fill(Key);
    for (int y = 3; y < 6; ++y)
        for (int x = 3; x < 6; ++x)
            bitmap.setPixelColor(x, y, Ink);
    return bitmap;
}

TEST_F(TranbtnTest, ABitmapShowsTheGroundThroughItsKeyColourAndMovesWhenPressed) {
    Button->SetBorder(BStyle::BSnone);
    Button->SetBitMap(KeyedBitmap());
    EXPECT_EQ(Button->TransparentColor(), Key);

    const QImage raised = Shown();
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            const bool ink = x >= 6 && x < 9 && y >= 6 && y < 9;
            ASSERT_EQ(raised.pixel(x, y), (ink ? Ink : Ground).rgb()) << x << ", " << y;
        }
    EXPECT_EQ(Button->BitmapRect(), QRect(3, 3, 9, 9));

    // Without a frame, only a press over the ink presses the button.
    Send(QEvent::MouseMove, QPoint(7, 7));
    Send(QEvent::MouseButtonPress, QPoint(7, 7));
    EXPECT_TRUE(Button->Pressed());
    const QImage pressed = Shown();
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            const bool ink = x >= 7 && x < 10 && y >= 7 && y < 10;
            ASSERT_EQ(pressed.pixel(x, y), (ink ? Ink : Ground).rgb()) << x << ", " << y;
        }
    Send(QEvent::MouseButtonRelease, QPoint(7, 7));
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Button->Pressed());

    Send(QEvent::MouseMove, QPoint(4, 4)); // over the magenta: not over the bitmap
    Send(QEvent::MouseButtonPress, QPoint(4, 4));
    EXPECT_FALSE(Button->Pressed());
}

TEST(DrawTransparentBitmap, PaintsOnlyTheOpaquePixelsAndLeavesTheBitmapAlone) {
    QImage target(12, 12, QImage::Format_RGB32);
    target.fill(Ground);
    const QImage bitmap = KeyedBitmap();
    const QImage before = bitmap.copy();
    {
        QPainter painter(&target);
        TMTranBtn::DrawTransparentBitmap(painter, bitmap, 2, 1, Key);
    }
    EXPECT_EQ(bitmap, before);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool ink = x >= 5 && x < 8 && y >= 4 && y < 7;
            ASSERT_EQ(target.pixel(x, y), (ink ? Ink : Ground).rgb()) << x << ", " << y;
        }
}

} // namespace
} // namespace dravenloom
