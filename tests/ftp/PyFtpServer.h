// pyftpdlib on 127.0.0.1, started by a test with its own root directory and stopped (SIGKILL,
// by its own process id) when the test ends or wants the server to die mid-transfer.
#pragma once

#include <QProcess>

#include <filesystem>
#include <string>

namespace dravenloom {

class PyFtpServer {
public:
    // readLimit > 0 throttles the data connections to that many bytes a second; `options` go to
    // tests/ftp/ftpd.py as they are.
    explicit PyFtpServer(const std::filesystem::path& root, int readLimit = 0,
                         const QStringList& options = {});
    ~PyFtpServer();

    // True when the Python module is missing, so the tests that need it are skipped.
    static bool Unavailable();

    bool Ready() const { return Port != 0; }
    std::string PortText() const { return std::to_string(Port); }
    void Kill();

    int Port = 0;
    std::string Log; // what the server printed before it was ready, when it failed

private:
    QProcess Process;
};

} // namespace dravenloom
