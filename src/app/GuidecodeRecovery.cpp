// The main window's recovery copies: their directory and the timer that writes them.
#include "app/Guidecode.h"

#include "app/Application.h"

#include <QDir>
#include <QStandardPaths>
#include <QTimer>

namespace dravenloom {

std::string RecoveryDirectory() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty())
        return {};
    return QDir(data).filePath(QStringLiteral("recovery")).toStdString();
}

int RecoveryInterval() {
    bool ok = false;
    const int interval = qEnvironmentVariableIntValue("DRAVENLOOM_RECOVERY_INTERVAL_MS", &ok);
    return ok && interval > 0 ? interval : RecoveryIntervalMilliseconds;
}

void TGuideForm::StartRecovery(const std::string& directory, int intervalMilliseconds) {
    Form.Recovery.UseDirectory(directory);
    if (!RecoveryTimer) {
        RecoveryTimer = new QTimer(this);
        RecoveryTimer->setObjectName(QStringLiteral("RecoveryTimer"));
        // Writing the copy changes nothing on screen, so the window is not refreshed: the tick
        // may come while a box or dialog is up.
        connect(RecoveryTimer, &QTimer::timeout, this, [this] {
            try {
                Form.Recovery.TimerTick();
            } catch (...) {
                ReportCurrentException(&Host());
            }
        });
    }
    RecoveryTimer->start(intervalMilliseconds);
}

} // namespace dravenloom
