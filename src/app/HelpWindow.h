// The help window: the program's HTML help book with Contents, Back, Forward and Close buttons.
// Escape and the platform's close shortcut close it too.
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
    // Shows one page of the book and brings the window to the front; "Contents" leads to
    // `contentsPath` from then on.
    void ShowPage(const QString& pagePath, const QString& contentsPath);

    QTextBrowser* Browser() const { return Viewer; }
    QPushButton* BackButton() const { return Back; }
    QPushButton* ForwardButton() const { return Forward; }
    QPushButton* ContentsButton() const { return Contents; }
    QPushButton* CloseButton() const { return CloseBtn; }

private:
    void LinkClicked(const QUrl& url);

    Platform& Host;
    QString ContentsPath;
    QTextBrowser* Viewer;
    QPushButton* Back;
    QPushButton* Forward;
    QPushButton* Contents;
    QPushButton* CloseBtn;
};

} // namespace dravenloom
