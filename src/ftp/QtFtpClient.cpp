// The FTP session: the control connection, login, directory, type, logout and Abort. Waiting
// is in QtFtpWait.cpp, the store in QtFtpPut.cpp, TLS in QtFtpTls.cpp.
#include "ftp/QtFtpClient.h"

#include <QEventLoop>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>

#include <charconv>

namespace dravenloom {
namespace {

std::optional<quint16> PortNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || value < 1 || value > 65535)
        return std::nullopt;
    return static_cast<quint16>(value);
}

} // namespace

QtFtpClient::QtFtpClient(QObject* parent) : QObject(parent) {}

QtFtpClient::~QtFtpClient() {
    // A request waiting inside its own event loop learns from Alive that the client is gone.
    *Alive = false;
    if (Loop)
        Loop->quit();
    DropSession();
}

bool QtFtpClient::GetConnected() const {
    return Control && Control->state() == QAbstractSocket::ConnectedState;
}


void QtFtpClient::LetGo(bool waiting) {
    if (waiting) {
        // Tell the server first, so it stops writing the file; the connection closes right
        // after, without waiting for its 426 and 226: a server that never answers must not keep
        // the window waiting on the button that was pressed to get out.
        if (Data && GetConnected()) {
            Control->write("ABOR\r\n");
            Control->flush();
        }
    }
    DropSession();
    if (Loop)
        Loop->quit();
}

void QtFtpClient::Wake(bool progress) {
    if (progress)
        Stirred = true;
    if (Loop)
        Loop->quit();
}

void QtFtpClient::WatchControl(QTcpSocket* socket) {
    connect(socket, &QTcpSocket::readyRead, this, [this] { Wake(); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this] { Wake(); });
    connect(socket, &QTcpSocket::connected, this, [this] { Wake(); });
    connect(socket, &QTcpSocket::errorOccurred, this,
            [this, socket](QAbstractSocket::SocketError error) {
                if (!ControlFailure) {
                    ControlFailure = static_cast<int>(error);
                    ControlFailureText = socket->errorString();
                }
                Wake(false);
            });
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        if (!ControlFailure) {
            ControlFailure = static_cast<int>(QAbstractSocket::RemoteHostClosedError);
            ControlFailureText = QStringLiteral("The server closed the connection");
        }
        Wake(false);
    });
}

void QtFtpClient::TuneData(QTcpSocket* socket) {
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // The timeout counts from the last bytes the system took; a send buffer of megabytes would
    // hide the tail of a transfer on a slow line for longer than the timeout.
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 256 * 1024);
}

void QtFtpClient::WatchData(QTcpSocket* socket) {
    if (socket->state() == QAbstractSocket::ConnectedState)
        TuneData(socket);
    connect(socket, &QTcpSocket::bytesWritten, this, [this] { Wake(); });
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        TuneData(socket);
        Wake();
    });
    connect(socket, &QTcpSocket::errorOccurred, this,
            [this, socket](QAbstractSocket::SocketError error) {
                if (!DataFailure && !DataClosing) {
                    DataFailure = static_cast<int>(error);
                    DataFailureText = socket->errorString();
                }
                Wake(false);
            });
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        if (!DataFailure && !DataClosing) {
            DataFailure = static_cast<int>(QAbstractSocket::RemoteHostClosedError);
            DataFailureText = QStringLiteral("The server closed the data connection");
        }
        Wake(false);
    });
}

void QtFtpClient::DropTransfer() {
    if (Data) {
        QTcpSocket* data = Data;
        Data = nullptr;
        data->disconnect(this);
        data->abort();
        data->deleteLater();
    }
    if (Listener) {
        QTcpServer* listener = Listener;
        Listener = nullptr;
        listener->disconnect(this);
        listener->close();
        listener->deleteLater();
    }
    DataFailure.reset();
    DataFailureText.clear();
    DataClosing = false;
    InTransit = false;
    TransitMoved = false;
    LastQueued.reset();
    DataWritten = 0;
    TurnedAwayPeer.clear();
}

void QtFtpClient::DropSession() {
    DropTransfer();
    if (Control) {
        QTcpSocket* control = Control;
        Control = nullptr;
        // abort() emits disconnected() from inside itself; nothing of ours may hear it.
        control->disconnect(this);
        control->abort();
        control->deleteLater();
    }
    Reader.Reset();
    LoggedIn = false;
    ServerType = 'A';
    ControlFailure.reset();
    ControlFailureText.clear();
}

bool QtFtpClient::Fail(int code, std::string message, bool dropSession) {
    Code = code;
    Message = std::move(message);
    if (dropSession)
        DropSession();
    return false;
}

bool QtFtpClient::RefusedBy(const std::string& verb, const FtpReply& reply, bool dropSession) {
    // 421 means the server is closing the session, whatever the command was.
    return Fail(reply.Code, "The server answered " + verb + " with " + ReplyText(reply),
                dropSession || reply.Code == 421);
}

std::string QtFtpClient::ServerText() const {
    return HostName + ':' + Port;
}

bool QtFtpClient::SessionReady() {
    if (LoggedIn && GetConnected())
        return true;
    return Fail(FtpNotConnectedError, "Not connected to " + ServerText(), false);
}

bool QtFtpClient::DoConnect() {
    DropSession();
    std::optional<quint16> port = PortNumber(Port);
    if (HostName.empty())
        return Fail(FtpSettingsError, "No server name was given", false);
    if (!port)
        return Fail(FtpSettingsError, "The port \"" + Port + "\" is not a number from 1 to 65535",
                    false);
    if (!SafeCommandArgument(UserName) || !SafeCommandArgument(PassWord))
        return Fail(FtpSettingsError, "The user name or password holds a line break", false);
    if (Protocol == UploadProtocol::Sftp)
        return Fail(FtpSettingsError, "SFTP is not FTP: this client speaks FTP and FTP with TLS",
                    false);
    Tls = Protocol == UploadProtocol::FtpTls;
    SeenFingerprint.clear();
    AcceptedFingerprint.clear();
    CertificateRefused.reset();
    if (Tls && !QSslSocket::supportsSsl())
        return Fail(FtpTlsError,
                    "FTP with TLS is not available: the system has no TLS library that Qt can "
                    "use (OpenSSL 3)",
                    false);

    if (Tls) {
        auto* control = new QSslSocket(this);
        Control = control;
        WatchTls(control, true);
    } else {
        Control = new QTcpSocket(this);
    }
    WatchControl(Control);
    Control->connectToHost(QString::fromStdString(HostName), *port);
    auto connected = [this] {
        if (Control->state() != QAbstractSocket::ConnectedState)
            return Step::Wait;
        Control->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        return Step::Done;
    };
    if (!WaitUntil(connected, "connecting to " + ServerText()))
        return false;

    // 120 means "ready in a few minutes": the 220 follows.
    std::optional<FtpReply> greeting = WaitForReply("the greeting", true, "the server's greeting");
    if (!greeting)
        return false;
    if (greeting->Code != 220)
        return Fail(greeting->Code, "The server refused the session: " + ReplyText(*greeting),
                    true);
    // Nothing goes in clear after this, the user name included.
    if (Tls && !SecureControl())
        return false;

    std::optional<FtpReply> reply = Command("USER", UserName);
    if (!reply)
        return false;
    if (reply->Code == 331 || reply->Code == 332) {
        reply = Command("PASS", PassWord);
        if (!reply)
            return false;
    }
    if (reply->Code != 230 && reply->Code != 202)
        return Fail(reply->Code, "Login to " + ServerText() + " failed: " + ReplyText(*reply),
                    true);
    if (Tls && !ProtectData())
        return false;
    LoggedIn = true;
    ServerType = 'A';
    return true;
}

bool QtFtpClient::DoCwd() {
    if (!SessionReady())
        return false;
    // An empty directory keeps the one the login gave: "CWD" with no name is refused by some
    // servers and taken as the root by others.
    if (HostDirName.empty())
        return true;
    std::optional<FtpReply> reply = Command("CWD", HostDirName);
    if (!reply)
        return false;
    if (reply->Code / 100 != 2)
        return RefusedBy("CWD " + HostDirName, *reply);
    return true;
}

bool QtFtpClient::DoTypeSet() {
    if (!SessionReady())
        return false;
    char type = Binary ? 'I' : 'A';
    std::optional<FtpReply> reply = Command("TYPE", std::string(1, type));
    if (!reply)
        return false;
    if (reply->Code / 100 != 2)
        return RefusedBy(std::string("TYPE ") + type, *reply);
    ServerType = type;
    return true;
}

bool QtFtpClient::DoQuit() {
    if (!GetConnected()) {
        DropSession();
        return true;
    }
    if (!SendCommand("QUIT", {}))
        return false;
    std::optional<FtpReply> reply;
    auto closedOrAnswered = [&] {
        while ((reply = Reader.Next())) {
            if (!reply->Preliminary())
                return Step::Done;
        }
        // Some servers close without a word; that is what QUIT asked for.
        return ControlFailure ? Step::Done : Step::Wait;
    };
    bool answered = WaitUntil(closedOrAnswered, "waiting for the reply to QUIT");
    if (!answered)
        return false;
    DropSession();
    if (reply && reply->Code / 100 != 2)
        return RefusedBy("QUIT", *reply);
    return true;
}

} // namespace dravenloom
