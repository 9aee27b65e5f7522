// The desktop program's application object: its name and the error report
// for failures that escape an event handler.
#pragma once

#include <QApplication>

#include <exception>

namespace dravenloom {

class Platform;

// Shows the application's error report for a failure: the message with a full stop added,
// caption "Dravenloom", OK, stop icon. A silent cancellation (AbortError) shows nothing.
void ReportError(Platform* platform, const std::exception& error);
// The same for whatever is being handled in a catch block (unknown failures get a plain text).
void ReportCurrentException(Platform* platform);

class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    // The box the error report uses; without one the report is a plain Qt message box.
    void SetErrorReporter(Platform* platform) { Reporter = platform; }

    // A failure that escapes an event handler ends that handler only: it is reported and the
    // program goes on.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Platform* Reporter = nullptr;
};

inline constexpr const char* UnrecoverableErrorText =
    "Dravenloom has has encountered an unrecoverable error during operation. Please restart.";

} // namespace dravenloom
