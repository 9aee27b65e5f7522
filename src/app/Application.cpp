// The desktop program's application object and error report.
#include "app/Application.h"

#include "app/Artwork.h"
#include "app/QtPlatform.h"
#include "document/Errors.h"
#include "document/Platform.h"

#include <QMessageBox>

namespace dravenloom {

void ReportError(Platform* platform, const std::exception& error) {
    if (dynamic_cast<const AbortError*>(&error))
        return;
    const MessageRequest report{"Dravenloom", ErrorReportText(error.what()), MsgButtons::Ok,
                                MsgIcon::Stop};
    if (platform) {
        platform->ShowMessage(report);
        return;
    }
    // The box takes the focus from a field; that is not the author leaving it.
    ModalGuard guard;
    QMessageBox::critical(QApplication::activeWindow(), QString::fromUtf8(report.Caption),
                          QString::fromUtf8(report.Text));
}

void ReportCurrentException(Platform* platform) {
    try {
        throw;
    } catch (const std::exception& error) {
        ReportError(platform, error);
    } catch (...) {
        ReportError(platform, DravenloomError("An unknown error occurred"));
    }
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Dravenloom"));
    setOrganizationName(QStringLiteral("Korvessa"));
    // The installed desktop entry is dravenloom.desktop: a desktop matches the windows to it
    // (its name and icon in the task bar) by this name.
    setDesktopFileName(QStringLiteral("dravenloom"));
    setWindowIcon(ApplicationIcon());
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportCurrentException(Reporter);
    }
    return false;
}

} // namespace dravenloom
