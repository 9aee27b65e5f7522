// The base of the main window's pages: the shared white background picture behind transparent
// labels, and the refresh from the core's state that the window runs after every event.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace dravenloom {

class GuidePage : public QWidget {
    Q_OBJECT

public:
    explicit GuidePage(QWidget* parent = nullptr);

    // Brings every widget of the page up to the core's state; raises no widget signals.
    virtual void Refresh() {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap Background;
};

// A page that shows only its caption, standing in until the page's own view is built.
class CaptionPage : public GuidePage {
    Q_OBJECT

public:
    explicit CaptionPage(const QString& caption, QWidget* parent = nullptr);
};

} // namespace dravenloom
