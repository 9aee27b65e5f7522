// The splash window.
#include "app/Splash.h"

#include "app/Artwork.h"
#include "app/WindowStyle.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace dravenloom {

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), Picture(new QLabel(this)),
      Version(new QLabel(QStringLiteral("Ver. 1.0"), this)), Timer(new QTimer(this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(DialogFont());
    Picture->setGeometry(0, 0, 395, 242);
    Picture->setPixmap(SplashPicture());
    // Light lettering: the corner of the picture is dark.
    QPalette light = Version->palette();
    light.setColor(QPalette::WindowText, QColor(0xF2, 0xEC, 0xD8));
    Version->setPalette(light);
    Version->adjustSize();
    Version->move(395 - Version->width() - 12, 242 - Version->height() - 8);
    FixClientSize(this, 395, 242);

    Timer->setSingleShot(true);
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, &TSplashForm::Timer1Timer);
    Timer->start();
}

void TSplashForm::ShowAndPaint() {
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplashForm::Timer1Timer() {
    close();
}

} // namespace dravenloom
