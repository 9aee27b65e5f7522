// Waiting for the server inside the caller's event loop, and commands with their replies: the
// one place where the client sleeps, and where silence, slowness and failures end a wait.
#include "ftp/QtFtpClient.h"

#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>

namespace dravenloom {

std::string QtFtpClient::SocketFailure(int socketError, const QString& text) const {
    switch (static_cast<QAbstractSocket::SocketError>(socketError)) {
    case QAbstractSocket::ConnectionRefusedError:
        return "Connection refused by " + ServerText();
    case QAbstractSocket::HostNotFoundError:
        return "Server not found: " + HostName;
    case QAbstractSocket::RemoteHostClosedError:
        return "Connection closed by " + ServerText();
    default:
        return "Connection to " + ServerText() + " failed: " + text.toStdString();
    }
}

bool QtFtpClient::WaitUntil(const std::function<Step()>& step, const std::string& what,
                            Bound bound) {
    auto alive = Alive;
    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    connect(&idle, &QTimer::timeout, &loop, &QEventLoop::quit);
    idle.start(Timeout);
    // A reply has ReplyLimit to be complete, however busily the server sends meanwhile.
    const bool limited = bound == Bound::Reply;
    QTimer whole;
    whole.setSingleShot(true);
    if (limited) {
        connect(&whole, &QTimer::timeout, &loop, &QEventLoop::quit);
        whole.start(ReplyLimit);
    }
    Loop = &loop;
    Stirred = false;
    for (;;) {
        if (AbortRequested)
            break;
        if (Control && Control->bytesAvailable() > 0)
            Reader.Feed(Control->readAll().toStdString());
        Step now = step();
        if (now == Step::Done) {
            Loop = nullptr;
            return true;
        }
        if (now == Step::Fail || AbortRequested)
            break;
        if (Reader.Failed()) {
            Fail(FtpProtocolError, Reader.Failure(), true);
            break;
        }
        if (ControlFailure) {
            int failure = *ControlFailure;
            bool saysAll = failure == QAbstractSocket::ConnectionRefusedError ||
                           failure == QAbstractSocket::HostNotFoundError;
            Fail(FtpSocketErrorBase + failure,
                 SocketFailure(failure, ControlFailureText) + (saysAll ? "" : " while " + what),
                 true);
            break;
        }
        if (DataFailure) {
            Fail(FtpSocketErrorBase + *DataFailure,
                 "Data connection to " + DataPeer.toString().toStdString() + ':' +
                     std::to_string(DataPort) + " failed while " + what + ": " +
                     DataFailureText.toStdString(),
                 true);
            break;
        }
        // The reply to a store cannot come before its last bytes have arrived.
        if (limited && InTransit)
            whole.start(ReplyLimit);
        if (TransitMoved) {
            TransitMoved = false;
            idle.start(Timeout);
        }
        if (Stirred) {
            // Something moved, maybe from inside step() itself (a flush emits bytesWritten on
            // the spot): a quit() made outside exec() is lost, so look again before sleeping.
            Stirred = false;
            idle.start(Timeout);
            continue;
        }
        if (!idle.isActive()) {
            Fail(FtpTimeoutError, "Timed out after " + SecondsText(Timeout.count()) + " " + what,
                 true);
            break;
        }
        if (limited && !whole.isActive()) {
            Fail(FtpTimeoutError,
                 "Gave up after " + SecondsText(ReplyLimit.count()) + " " + what +
                     ": the server kept the reply from being complete",
                 true);
            break;
        }
        if (loop.exec() < 0) {
            // The application was told to quit: from now on exec() returns at once without
            // running anything, so no reply, timer or button can ever reach this wait, and
            // the loop that would end the program cannot run until the wait gives up.
            if (!*alive)
                return false;
            Ending = true;
            DropSession();
            break;
        }
        if (!*alive)
            return false; // deleted from inside the loop: nothing of ours is left to touch
    }
    Loop = nullptr;
    return false;
}

bool QtFtpClient::SendCommand(const std::string& verb, const std::string& argument) {
    if (!SafeCommandArgument(argument))
        return Fail(FtpSettingsError,
                    "The argument of " + verb + " holds a line break and was not sent", false);
    // A reply nobody asked for (the server timing out the idle session) would pair every
    // later reply with the wrong command.
    if (Control && Control->bytesAvailable() > 0)
        Reader.Feed(Control->readAll().toStdString());
    while (auto stale = Reader.Next()) {
        if (stale->Code == 421)
            return RefusedBy(verb, *stale, true);
    }
    if (!GetConnected())
        return Fail(FtpSocketErrorBase + static_cast<int>(QAbstractSocket::RemoteHostClosedError),
                    "Connection closed by " + ServerText() + " before " + verb, true);
    std::string line = argument.empty() ? verb : verb + ' ' + argument;
    Control->write(QByteArray::fromStdString(line + "\r\n"));
    Control->flush(); // now, not on the next pass of the loop: every command waits for a reply
    return true;
}

std::optional<FtpReply> QtFtpClient::WaitForReply(const std::string& verb, bool finalOnly,
                                                  const std::string& what) {
    std::optional<FtpReply> reply;
    auto step = [&] {
        while ((reply = Reader.Next())) {
            if (!finalOnly || !reply->Preliminary())
                return Step::Done;
        }
        return Step::Wait;
    };
    if (!WaitUntil(step, "waiting for " + (what.empty() ? "the reply to " + verb : what)))
        return std::nullopt;
    return reply;
}

std::optional<FtpReply> QtFtpClient::Command(const std::string& verb, const std::string& argument) {
    if (!SendCommand(verb, argument))
        return std::nullopt;
    return WaitForReply(verb, true);
}

} // namespace dravenloom
