// The Qt application a command needs for fonts, pictures or an event loop, made without a
// display, and with Qt's own notes kept off the command's output.
#pragma once

#include <memory>

class QCoreApplication;

namespace dravenloom::cli {

class QtApplication {
public:
    enum class Kind {
        Offscreen, // a GUI application on the offscreen platform: fonts and images
        EventLoop, // a core application: sockets and timers
    };

    explicit QtApplication(Kind kind);
    ~QtApplication();
    QtApplication(const QtApplication&) = delete;
    QtApplication& operator=(const QtApplication&) = delete;

private:
    char Name[15] = "dravenloom-cli";
    char Option[10] = "-platform";
    char Platform[10] = "offscreen";
    char* Argv[4] = {Name, Option, Platform, nullptr};
    int Argc = 3;
    std::unique_ptr<QCoreApplication> Application;
};

} // namespace dravenloom::cli
