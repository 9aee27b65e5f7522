// Looks every window of the program shares.
#include "app/WindowStyle.h"

#include "shell/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace dravenloom {

QFont DialogFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    return font;
}

QFont SerifFont(int pointSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QFont FixedFont(int pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(pointSize);
    return font;
}

QColor InactiveCaptionTextColour() {
    return QColor(0xC0, 0xC0, 0xC0);
}

void FixClientSize(QWidget* window, int width, int height) {
    window->setFixedSize(width, height);
    CentreOnScreen(window);
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

void PlaceBesideWindow(QWidget* window, const QWidget* anchor) {
    const QScreen* screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect frame = anchor->frameGeometry();
    const QRect area = screen->availableGeometry();
    // Before a window is first shown its frame is not known; its size stands in for it.
    const QSize size = window->frameGeometry().size();
    const ScreenPoint at = PlaceBeside({frame.x(), frame.y(), frame.width(), frame.height()},
                                       {size.width(), size.height()},
                                       {area.x(), area.y(), area.width(), area.height()});
    window->move(at.X, at.Y);
}

} // namespace dravenloom
