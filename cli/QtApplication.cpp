// The Qt application of a command.
#include "QtApplication.h"

#include "CommandRegistry.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>

namespace dravenloom::cli {
namespace {

// Qt's own notes (no runtime directory, a decoder's warning) are not the command's output:
// only what the command reports reaches stderr.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s: %s\n", ProgramName, message.toLocal8Bit().constData());
}

} // namespace

// A command never shows a window, so the GUI kind uses the offscreen platform whatever the
// environment says, and needs no display.
QtApplication::QtApplication(Kind kind) {
    qInstallMessageHandler(QuietQtMessages);
    if (QCoreApplication::instance())
        return;
    if (kind == Kind::Offscreen) {
        Application = std::make_unique<QGuiApplication>(Argc, Argv);
    } else {
        Argc = 1;
        Application = std::make_unique<QCoreApplication>(Argc, Argv);
    }
}

QtApplication::~QtApplication() = default;

} // namespace dravenloom::cli
