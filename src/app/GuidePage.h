// The base of the main window's pages: the shared white background picture behind transparent
// labels, and the refresh from the core's state that the window runs after every event.
#pragma once

#include "app/Anchors.h"

#include <QPixmap>
#include <QWidget>

#include <functional>

namespace dravenloom {

class Platform;

// The view area at the window's default size; every page is built for it, and larger pages
// move and stretch their widgets by their anchors.
inline constexpr QSize DefaultPageSize(620, 399);

class GuidePage : public QWidget {
    Q_OBJECT

public:
    explicit GuidePage(QWidget* parent = nullptr);

    // Brings every widget of the page up to the core's state; raises no widget signals.
    virtual void Refresh() {}

    // Set by the window: its one refresh (title, Save command, active page and every page),
    // run after every forwarded event; without it, only this page's Refresh.
    std::function<void()> RefreshWindow;

protected:
    // Runs one core command, reports a failure that escapes it to `host`, then refreshes. The
    // handler ends at the failing step; what it did so far stays done and is shown.
    void Forward(const std::function<void()>& command, Platform& host);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    // Notes how `widget`, placed for the default page size, follows a larger page.
    void Anchor(QWidget* widget, Anchors::Edges edges) { PageAnchors.Add(widget, edges); }

private:
    QPixmap Background;
    Anchors PageAnchors{DefaultPageSize};
};

// A page that shows only its caption, standing in until the page's own view is built.
class CaptionPage : public GuidePage {
    Q_OBJECT

public:
    explicit CaptionPage(const QString& caption, QWidget* parent = nullptr);
};

} // namespace dravenloom
