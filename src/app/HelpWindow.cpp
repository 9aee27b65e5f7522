// The help window.
#include "app/HelpWindow.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace dravenloom {

HelpWindow::HelpWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), Host(platform), Viewer(new QTextBrowser(this)),
      Back(new QPushButton(tr("Back"), this)), Forward(new QPushButton(tr("Forward"), this)),
      Contents(new QPushButton(tr("Contents"), this)),
      CloseBtn(new QPushButton(QStringLiteral("Close"), this)) {
    setWindowTitle(QStringLiteral("Dravenloom Help"));
    resize(640, 480);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Contents);
    buttons->addWidget(Back);
    buttons->addWidget(Forward);
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(Viewer);

    // Every click is looked at first, so a link can never start a local program.
    Viewer->setOpenLinks(false);
    Back->setEnabled(false);
    Forward->setEnabled(false);
    connect(Viewer, &QTextBrowser::anchorClicked, this, &HelpWindow::LinkClicked);
    connect(Viewer, &QTextBrowser::backwardAvailable, Back, &QPushButton::setEnabled);
    connect(Viewer, &QTextBrowser::forwardAvailable, Forward, &QPushButton::setEnabled);
    connect(Back, &QPushButton::clicked, Viewer, &QTextBrowser::backward);
    connect(Forward, &QPushButton::clicked, Viewer, &QTextBrowser::forward);
    connect(Contents, &QPushButton::clicked, this,
            [this] { Viewer->setSource(QUrl::fromLocalFile(ContentsPath)); });
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);

    // A window of its own has no dialog's Escape; the keyboard closes it like the button.
    auto* closeKeys = new QAction(this);
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Close);
    keys.prepend(QKeySequence(Qt::Key_Escape));
    closeKeys->setShortcuts(keys);
    addAction(closeKeys);
    connect(closeKeys, &QAction::triggered, this, &QWidget::close);
}

void HelpWindow::ShowContents(const QString& contentsPath) {
    ShowPage(contentsPath, contentsPath);
}

void HelpWindow::ShowPage(const QString& pagePath, const QString& contentsPath) {
    ContentsPath = contentsPath;
    Viewer->setSource(QUrl::fromLocalFile(pagePath));
    show();
    raise();
    activateWindow();
}

void HelpWindow::LinkClicked(const QUrl& url) {
    const QUrl target = Viewer->source().resolved(url);
    if (target.isLocalFile()) {
        Viewer->setSource(target);
        return;
    }
    Host.OpenAddress(target.toString().toStdString());
}

} // namespace dravenloom
