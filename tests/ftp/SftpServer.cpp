// Starting and stopping the asyncssh SFTP test server.
#include "SftpServer.h"
#include "TestPython.h"

#include <QElapsedTimer>

namespace dravenloom {
bool SftpServer::Unavailable() {
    QProcess probe;
    probe.start(TestPython(), {QStringLiteral("-W"), QStringLiteral("ignore"), QStringLiteral("-c"),
                           QStringLiteral("import asyncssh")});
    return !probe.waitForFinished(20000) || probe.exitStatus() != QProcess::NormalExit ||
           probe.exitCode() != 0;
}

SftpServer::SftpServer(const std::filesystem::path& root, const QStringList& options) {
    PublicKeyFile = std::filesystem::path(Scratch.path().toStdString()) / "host.pub";
    QStringList arguments{QStringLiteral(DRAVENLOOM_SFTP_SERVER_SCRIPT),
                          QString::fromStdString(root.string()),
                          QString::fromStdString(PublicKeyFile.string()), QStringLiteral("secret")};
    arguments << options;
    Process.setStandardErrorFile(QProcess::nullDevice());
    Process.start(TestPython(), arguments);
    if (!Process.waitForStarted(10000)) {
        Log = Process.errorString().toStdString();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000 && Process.state() == QProcess::Running) {
        Process.waitForReadyRead(200);
        Out += Process.readAllStandardOutput();
        qsizetype at = Out.indexOf("READY ");
        qsizetype end = at >= 0 ? Out.indexOf('\n', at) : -1;
        if (end > at) {
            const QList<QByteArray> words = Out.mid(at, end - at).trimmed().split(' ');
            if (words.size() == 3) {
                Port = words[1].toInt();
                Fingerprint = words[2].toStdString();
            }
            Out.remove(0, end + 1);
            return;
        }
    }
    Log = "no READY line from the server; it printed: " + Out.toStdString();
}

SftpServer::~SftpServer() {
    Kill();
}

int SftpServer::PasswordsSeen() {
    Process.waitForReadyRead(50);
    Out += Process.readAllStandardOutput();
    return static_cast<int>(Out.count("PASSWORD "));
}

void SftpServer::Kill() {
    if (Process.state() != QProcess::NotRunning) {
        Process.kill();
        Process.waitForFinished(5000);
    }
}

} // namespace dravenloom
