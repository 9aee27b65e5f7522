// The application-wide hint switch.
#include "app/HintSwitch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QToolTip>

namespace dravenloom {

HintSwitch::HintSwitch(QObject* parent) : QObject(parent) {
    if (auto* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

HintSwitch::~HintSwitch() {
    if (auto* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

void HintSwitch::SetEnabled(bool enabled) {
    if (On == enabled)
        return;
    On = enabled;
    if (!On)
        QToolTip::hideText();
}

bool HintSwitch::eventFilter(QObject*, QEvent* event) {
    if (On)
        return false;
    return event->type() == QEvent::ToolTip || event->type() == QEvent::StatusTip;
}

} // namespace dravenloom
