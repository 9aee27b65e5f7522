// The tutorial window.
#include "app/Tutorial.h"

#include "app/WindowStyle.h"

#include <QShowEvent>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace dravenloom {
namespace {

QToolButton* ToolbarButton(QToolBar* bar, const QString& caption) {
    auto* button = new QToolButton(bar);
    button->setText(caption);
    button->setFixedSize(70, 25);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(button);
    return button;
}

} // namespace

TTutorialForm::TTutorialForm(Platform& platform, const std::filesystem::path& executableDir,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), Behaviour(platform, executableDir), ToolBar1(new QToolBar(this)),
      CloseBtn(nullptr), HTMLViewer1(new QTextBrowser(this)), StatusBar1(new QStatusBar(this)) {
    setFont(DialogFont());
    setWindowTitle(QString::fromUtf8(TutorialCaption));

    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    for (int page = 1; page <= TutorialPages; ++page) {
        if (page > 1)
            ToolBar1->addSeparator();
        QToolButton* button = ToolbarButton(ToolBar1, QStringLiteral("Page %1").arg(page));
        PageButtons[page - 1] = button;
        connect(button, &QToolButton::clicked, this, [this, page] { PageButtonClick(page); });
    }
    ToolBar1->addSeparator();
    CloseBtn = ToolbarButton(ToolBar1, QStringLiteral("Close"));
    connect(CloseBtn, &QToolButton::clicked, this, &QWidget::close);

    // The viewer only shows pages; every link goes through the tutorial's own rules first.
    HTMLViewer1->setOpenLinks(false);
    HTMLViewer1->setOpenExternalLinks(false);
    HTMLViewer1->setFont(SerifFont(11));
    HTMLViewer1->document()->setDefaultFont(SerifFont(11));
    HTMLViewer1->document()->setDefaultStyleSheet(
        QStringLiteral("pre, tt, code, kbd, samp { font-family: \"Courier New\", "
                       "\"Liberation Mono\", monospace; }"));
    QPalette white = HTMLViewer1->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    HTMLViewer1->setPalette(white);
    connect(HTMLViewer1, &QTextBrowser::anchorClicked, this, &TTutorialForm::LinkClicked);
    connect(HTMLViewer1, qOverload<const QUrl&>(&QTextBrowser::highlighted), this,
            &TTutorialForm::LinkHighlighted);

    StatusBar1->setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(HTMLViewer1, 1);
    layout->addWidget(StatusBar1);

    resize(600, 445);
    CentreOnScreen(this);
}

void TTutorialForm::PageButtonClick(int page) {
    Behaviour.ShowPage(page);
    Refresh();
}

void TTutorialForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window coming back from the task bar is not shown anew.
    if (event->spontaneous())
        return;
    Behaviour.FormShow();
    Refresh();
}

void TTutorialForm::LinkClicked(const QUrl& url) {
    Behaviour.LinkClick(url.toString().toStdString());
    Refresh();
}

void TTutorialForm::LinkHighlighted(const QUrl& url) {
    Behaviour.LinkHover(url.toString().toStdString());
    Refresh();
}

void TTutorialForm::Refresh() {
    setWindowTitle(QString::fromStdString(Behaviour.Caption()));
    const QString status = QString::fromStdString(Behaviour.StatusText());
    if (StatusBar1->currentMessage() != status)
        StatusBar1->showMessage(status);
    if (Behaviour.LoadCount() != ShownLoads) {
        ShownLoads = Behaviour.LoadCount();
        const QUrl page = QUrl::fromLocalFile(
            QString::fromStdU16String(Behaviour.ShownFile().generic_u16string()));
        if (HTMLViewer1->source() == page)
            HTMLViewer1->reload();
        else
            HTMLViewer1->setSource(page);
        // The tutorial keeps no history of its own.
        HTMLViewer1->clearHistory();
    }
}

} // namespace dravenloom
