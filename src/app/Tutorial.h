// The tutorial window: the program's HTML tutorial pages, one at a time, with page buttons.
#pragma once

#include "shell/Tutorial.h"

#include <QWidget>

#include <array>
#include <filesystem>

class QStatusBar;
class QTextBrowser;
class QToolBar;
class QToolButton;
class QUrl;

namespace dravenloom {

class TTutorialForm : public QWidget {
    Q_OBJECT

public:
    // The pages are looked for in the folder "tutorial" of `executableDir`; a missing page is
    // reported through `platform`.
    TTutorialForm(Platform& platform, const std::filesystem::path& executableDir,
                  QWidget* parent = nullptr);

    // The page buttons ("Page 1".."Page 4", n = 1..4).
    void PageButtonClick(int page);

    Tutorial& Core() { return Behaviour; }
    QTextBrowser* Browser() const { return HTMLViewer1; }
    QToolButton* PageButton(int page) const { return PageButtons.at(page - 1); }
    QToolButton* CloseButton() const { return CloseBtn; }
    QStatusBar* StatusBar() const { return StatusBar1; }

protected:
    // Every time the window is shown it starts at page 1 again.
    void showEvent(QShowEvent* event) override;

private:
    void LinkClicked(const QUrl& url);
    void LinkHighlighted(const QUrl& url);
    // Shows the core's caption, status text and page.
    void Refresh();

    Tutorial Behaviour;
    QToolBar* ToolBar1;
    std::array<QToolButton*, TutorialPages> PageButtons{};
    QToolButton* CloseBtn;
    QTextBrowser* HTMLViewer1;
    QStatusBar* StatusBar1;
    int ShownLoads = 0;
};

} // namespace dravenloom
