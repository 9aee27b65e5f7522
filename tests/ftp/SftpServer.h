// The asyncssh SFTP server of tests/ftp/sftpd.py on 127.0.0.1, started by a test with its own
// root directory and host key, and stopped (SIGKILL, by its own process id) when the test ends
// or wants the server to die mid-transfer.
#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <filesystem>
#include <string>

namespace dravenloom {

class SftpServer {
public:
    // `options` go to tests/ftp/sftpd.py as they are (--write-delay, --client-keys).
    explicit SftpServer(const std::filesystem::path& root, const QStringList& options = {});
    ~SftpServer();

    // True when asyncssh is missing, so the tests that need it are skipped.
    static bool Unavailable();

    bool Ready() const { return Port != 0; }
    std::string PortText() const { return std::to_string(Port); }
    // How many passwords the server has been shown so far.
    int PasswordsSeen();
    void Kill();

    int Port = 0;
    std::string Fingerprint;             // as asyncssh prints it
    std::filesystem::path PublicKeyFile; // the host key, one OpenSSH line
    std::string Log;                     // what the server printed, when it failed to start

private:
    QTemporaryDir Scratch; // the host key's file, outside the served root
    QProcess Process;
    QByteArray Out;
};

} // namespace dravenloom
