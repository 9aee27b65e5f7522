// The Demonstration page: its widgets where the window's design puts them, and the forwarding
// of their events to the core's Demonstration.
#include "app/DemoPage.h"
#include "app/PageWidgets.h"

#include "app/GuideText.h"
#include "shell/GuideForm.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace dravenloom {
namespace {

constexpr QRect PanelArea(0, 0, 620, 399);
constexpr QRect TitleArea(8, 4, 298, 24);
constexpr int ButtonTop = 28;
constexpr QSize ButtonSize(75, 25);
constexpr QRect ViewportArea(8, 56, 599, 265);
constexpr int TitlePixels = 13;
const QColor TitleBackground(0, 0, 128); // navy

} // namespace

DemoCanvasView::DemoCanvasView(const ImageCanvas& canvas, QWidget* parent)
    : QWidget(parent), Canvas(canvas) {
    setObjectName(QStringLiteral("ImageCanvas"));
    setToolTip(Utf8Text(ImageCanvasHint));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Refresh();
}

void DemoCanvasView::Refresh() {
    const QSize size = Canvas.Image().isNull() ? QSize(0, 0) : Canvas.Image().size();
    if (this->size() != size)
        resize(size);
    update();
}

void DemoCanvasView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The screen is drawn at 96 dots per inch whatever the display says: one canvas pixel is
    // one device-independent pixel here.
    painter.drawImage(event->rect(), Canvas.Image(), event->rect());
}

void DemoCanvasView::mouseReleaseEvent(QMouseEvent* event) {
    if (MouseReleased)
        MouseReleased(event->position().toPoint().x(), event->position().toPoint().y());
}

void DemoCanvasView::mouseMoveEvent(QMouseEvent* event) {
    if (MouseMoved)
        MouseMoved(event->position().toPoint().x(), event->position().toPoint().y());
}

DemoPage::DemoPage(GuideForm& form, QWidget* parent)
    : GuidePage(parent), Demo(Surface, Pictures, form.Host, form.Document,
                              [&form] { return form.Applet.Options.Settings(); }),
      Form(form) {
    setObjectName(QStringLiteral("TabSheet4"));
    Build();
    Demo.Renderer.ScrollToOrigin = [this] {
        ScrollPanel2->horizontalScrollBar()->setValue(0);
        ScrollPanel2->verticalScrollBar()->setValue(0);
    };
    // The page is shown, with the busy pointer, before the first screen is drawn.
    Form.AttachDemonstration(Demo, [this] {
        if (RefreshWindow)
            RefreshWindow();
        repaint();
    });
}

void DemoPage::Build() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("DemoPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(PanelArea);
    panel->setAttribute(Qt::WA_TranslucentBackground);

    DemoTitleEdit = new QLineEdit(panel);
    DemoTitleEdit->setObjectName(QStringLiteral("DemoTitleEdit"));
    DemoTitleEdit->setGeometry(TitleArea);
    DemoTitleEdit->setToolTip(Utf8Text(DemoTitleHint));
    DemoTitleEdit->setReadOnly(true);
    QFont titleFont(QStringLiteral("MS Sans Serif"));
    titleFont.setPixelSize(TitlePixels);
    DemoTitleEdit->setFont(titleFont);
    QPalette titleColours = DemoTitleEdit->palette();
    titleColours.setColor(QPalette::Base, TitleBackground);
    titleColours.setColor(QPalette::Text, Qt::white);
    DemoTitleEdit->setPalette(titleColours);
    DemoTitleEdit->installEventFilter(this);

    const auto makeButton = [panel](const char* name, const char* caption, const char* hint,
                                    int left) {
        auto* button = new QPushButton(Utf8Text(caption), panel);
        button->setObjectName(Utf8Text(name));
        button->setToolTip(Utf8Text(hint));
        button->setGeometry(QRect(QPoint(left, ButtonTop), ButtonSize));
        return button;
    };
    DemoStartButton = makeButton("DemoStartButton", "Restart", DemoStartHint, 8);
    DemoBackButton = makeButton("DemoBackButton", "Back", DemoBackHint, 82);
    DemoCloseButton = makeButton("DemoCloseButton", "Close", DemoCloseHint, 156);
    DemoAboutButton = makeButton("DemoAboutButton", "About...", DemoAboutHint, 230);

    ScrollPanel2 = new QScrollArea(panel);
    ScrollPanel2->setObjectName(QStringLiteral("ScrollPanel2"));
    ScrollPanel2->setGeometry(ViewportArea);
    ScrollPanel2->setWidgetResizable(false);
    ScrollPanel2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ImageCanvasView = new DemoCanvasView(Surface, ScrollPanel2);
    ScrollPanel2->setWidget(ImageCanvasView);
    // In a larger window the viewport shows more of the screen, with fewer scroll bars.
    Anchor(panel, Anchors::All());
    Anchor(ScrollPanel2, Anchors::All());

    connect(DemoStartButton, &QPushButton::clicked, this,
            [this] { Run([this] { Demo.DemoStartButtonClick(); }); });
    connect(DemoBackButton, &QPushButton::clicked, this,
            [this] { Run([this] { Demo.DemoBackButtonClick(); }); });
    connect(DemoCloseButton, &QPushButton::clicked, this,
            [this] { Run([this] { Demo.DemoCloseButtonClick(); }); });
    connect(DemoAboutButton, &QPushButton::clicked, this,
            [this] { Run([this] { Demo.DemoAboutButtonClick(); }); });
    // The walk from the keyboard, while the page is on show (a hidden page's shortcuts sleep):
    // 1 to 6 follow the responses in their order, Backspace goes back, Home restarts.
    const auto addKey = [this](const QKeySequence& key, std::function<void()> command) {
        auto* action = new QAction(this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
            if (isVisible())
                Run(command);
        });
        addAction(action);
    };
    for (int k = 1; k <= 6; ++k)
        addKey(QKeySequence(Qt::Key_0 + k), [this, k] { Demo.ResponseKey(k); });
    addKey(QKeySequence(Qt::Key_Backspace), [this] { Demo.DemoBackButtonClick(); });
    addKey(QKeySequence(Qt::Key_Home), [this] { Demo.DemoStartButtonClick(); });

    ImageCanvasView->MouseReleased = [this](int x, int y) {
        Run([this, x, y] { Demo.ImageCanvasMouseUp(x, y); });
    };
    ImageCanvasView->MouseMoved = [this](int x, int y) {
        Demo.ImageCanvasMouseMove(x, y);
        ImageCanvasView->setCursor(Demo.HandPointer ? Qt::PointingHandCursor : Qt::ArrowCursor);
    };
}

void DemoPage::Run(const std::function<void()>& command) {
    Forward(command, Form.Host);
}

void DemoPage::Refresh() {
    const QString title = GuideToWidgetText(Demo.DemoTitleEdit.Text);
    if (DemoTitleEdit->text() != title)
        DemoTitleEdit->setText(title);
    ImageCanvasView->Refresh();
    ImageCanvasView->setCursor(Demo.HandPointer ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

bool DemoPage::eventFilter(QObject* watched, QEvent* event) {
    // The title can be read, never edited: the focus moves on the moment it arrives.
    if (watched == DemoTitleEdit && event->type() == QEvent::FocusIn) {
        if (PassFocus)
            PassFocus();
        else
            setFocus(Qt::OtherFocusReason);
    }
    return GuidePage::eventFilter(watched, event);
}

} // namespace dravenloom
