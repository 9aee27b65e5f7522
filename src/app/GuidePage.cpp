// The base of the main window's pages, and the caption-only page.
#include "app/GuidePage.h"

#include "app/Application.h"
#include "app/Artwork.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace dravenloom {

GuidePage::GuidePage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GuidePage::Forward(const std::function<void()>& command, Platform& host) {
    try {
        command();
    } catch (...) {
        ReportCurrentException(&host);
    }
    if (RefreshWindow)
        RefreshWindow();
    else
        Refresh();
}

void GuidePage::paintEvent(QPaintEvent*) {
    // The picture is painted once per size: once per run unless the window is resized.
    if (Background.size() != size())
        Background = PageBackground(size());
    QPainter painter(this);
    painter.drawPixmap(0, 0, Background);
}

void GuidePage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PageAnchors.Apply(size());
    update();
}

CaptionPage::CaptionPage(const QString& caption, QWidget* parent) : GuidePage(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("PageCaption"));
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
}

} // namespace dravenloom
