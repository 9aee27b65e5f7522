// The help window: the program's HTML help book with Back, Forward and Contents buttons.
#pragma once

#include "document/Platform.h"

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

namespace dravenloom {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // Links to web or mail addresses go to the platform; the book's own pages open here.
    explicit HelpWindow(Platform& platform, QWidget* parent = nullptr);

    // Shows the book's contents page (its path) and brings the window to the front.
    void ShowContents(const QString& contentsPath);

    QTextBrowser* Browser() const { return Viewer; }
    QPushButton* BackButton() const { return Back; }
    QPushButton* ForwardButton() const { return Forward; }
    QPushButton* ContentsButton() const { return Contents; }

private:
    void LinkClicked(const QUrl& url);

    Platform& Host;
    QString ContentsPath;
    QTextBrowser* Viewer;
    QPushButton* Back;
    QPushButton* Forward;
    QPushButton* Contents;
};

} // namespace dravenloom
