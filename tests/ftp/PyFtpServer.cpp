// Starting and stopping the pyftpdlib test server.
#include "PyFtpServer.h"
#include "TestPython.h"

#include <QElapsedTimer>

namespace dravenloom {
bool PyFtpServer::Unavailable() {
    QProcess probe;
    probe.start(TestPython(), {QStringLiteral("-c"), QStringLiteral("import pyftpdlib")});
    return !probe.waitForFinished(20000) || probe.exitStatus() != QProcess::NormalExit ||
           probe.exitCode() != 0;
}

PyFtpServer::PyFtpServer(const std::filesystem::path& root, int readLimit,
                         const QStringList& options) {
    QStringList arguments{QStringLiteral(DRAVENLOOM_FTP_SERVER_SCRIPT),
                          QString::fromStdString(root.string())};
    if (readLimit > 0)
        arguments << QStringLiteral("--read-limit") << QString::number(readLimit);
    arguments << options;
    Process.setStandardErrorFile(QProcess::nullDevice()); // a line per command
    Process.start(TestPython(), arguments);
    if (!Process.waitForStarted(10000)) {
        Log = Process.errorString().toStdString();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    while (clock.elapsed() < 20000 && Process.state() == QProcess::Running) {
        Process.waitForReadyRead(200);
        out += Process.readAllStandardOutput();
        if (qsizetype at = out.indexOf("READY "); at >= 0 && out.indexOf('\n', at) > at) {
            Port = out.mid(at + 6, out.indexOf('\n', at) - at - 6).trimmed().toInt();
            return;
        }
    }
    Log = "no READY line from the server; it printed: " + out.toStdString();
}

PyFtpServer::~PyFtpServer() {
    Kill();
}

void PyFtpServer::Kill() {
    if (Process.state() != QProcess::NotRunning) {
        Process.kill();
        Process.waitForFinished(5000);
    }
}

} // namespace dravenloom
