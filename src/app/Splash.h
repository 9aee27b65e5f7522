// The splash window: the start-up picture while the program builds its windows.
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace dravenloom {

class TSplashForm : public QWidget {
    Q_OBJECT

public:
    explicit TSplashForm(QWidget* parent = nullptr);

    // Shows the window and paints it at once, before the event loop runs.
    void ShowAndPaint();

    QTimer* Timer1() const { return Timer; }
    QLabel* VersionLabel() const { return Version; }

private:
    // A second after creation the splash closes itself if it is still there.
    void Timer1Timer();

    QLabel* Picture;
    QLabel* Version;
    QTimer* Timer;
};

} // namespace dravenloom
