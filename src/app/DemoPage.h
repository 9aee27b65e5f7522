// The Demonstration page (TabSheet4): the guide's title, Restart, Back, Close and About, and
// the record screen in a scrolling viewport, over the core's Demonstration.
#pragma once

#include "app/GuidePage.h"
#include "qtshared/canvas/ImageCanvas.h"
#include "qtshared/canvas/PictureFiles.h"
#include "preview/Demonstration.h"

#include <functional>

class QLineEdit;
class QPushButton;
class QScrollArea;

namespace dravenloom {

class GuideForm;

// The record screen: shows the canvas's picture at its natural size and hands the mouse to
// the Demonstration in canvas coordinates. The hand pointer is this widget's own.
class DemoCanvasView : public QWidget {
    Q_OBJECT

public:
    DemoCanvasView(const ImageCanvas& canvas, QWidget* parent);

    // Follows the canvas's size (nothing until the first draw).
    void Refresh();

    std::function<void(int x, int y)> MouseReleased;
    std::function<void(int x, int y)> MouseMoved;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const ImageCanvas& Canvas;
};

class DemoPage : public GuidePage {
    Q_OBJECT

public:
    // Joins itself to both of the window's Demonstration buttons.
    explicit DemoPage(GuideForm& form, QWidget* parent = nullptr);

    void Refresh() override;

    // Where the keyboard focus goes when the title field receives it (the window's page
    // control); without it, the page itself.
    std::function<void()> PassFocus;

    QLineEdit* DemoTitleEdit = nullptr;
    QPushButton* DemoStartButton = nullptr;
    QPushButton* DemoBackButton = nullptr;
    QPushButton* DemoCloseButton = nullptr;
    QPushButton* DemoAboutButton = nullptr;
    QScrollArea* ScrollPanel2 = nullptr;
    DemoCanvasView* ImageCanvasView = nullptr;

    ImageCanvas Surface;
    PictureFiles Pictures;
    Demonstration Demo;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void Run(const std::function<void()>& command);

    GuideForm& Form;
};

} // namespace dravenloom
