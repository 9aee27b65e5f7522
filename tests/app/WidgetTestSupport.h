// Small helpers the widget tests share: a scratch directory and running the event loop.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace dravenloom {

// Runs the event loop until `done` holds or the time is up; answers whether it holds.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 3000) {
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Runs `action` as soon as the event loop turns again (inside a modal window's loop).
inline void WhenModal(std::function<void()> action) {
    QTimer::singleShot(0, qApp, std::move(action));
}

inline std::filesystem::path FsPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

} // namespace dravenloom
