// Storing one file: the data connection (PASV or PORT), STOR, the bytes, and the server's word
// that it has them all.
#include "ftp/QtFtpClient.h"
#include "ftp/SocketQueue.h"

#include <QFile>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace dravenloom {
namespace {

// Enough in the socket's buffer to keep the line busy between two wake-ups, and no more, so a
// file of any size costs the same memory. Pieces stay below the allocator's mmap threshold
// (128 KB): larger ones come fresh from the system every time, and their page faults cost more
// than the copying.
constexpr qint64 ChunkSize = 64 * 1024;
constexpr qint64 HighWater = 512 * 1024;
// With TLS every piece is copied three times on its way (into the socket's buffer, encrypted
// into memory, into the plain socket's buffer): a record's worth at a time, encrypted and
// handed on at once, keeps those copies in the cache and their buffers reused. Larger pieces,
// or encrypting all that is queued at once, took twice curl's time for the same file, spent
// in copying and in page faults of buffers freshly taken from the system.
constexpr qint64 TlsPiece = 16 * 1024;
constexpr qint64 TlsHighWater = 128 * 1024;
// How often the system's queue of a finished store is looked at while its tail is on its way.
constexpr std::chrono::milliseconds TransitLook{100};

int SocketErrorCode(QAbstractSocket::SocketError error) {
    // The socket layer's "unknown" is -1; it must still read as a socket failure.
    return FtpSocketErrorBase + (error == QAbstractSocket::UnknownSocketError ? 9999 : error);
}

// TYPE A sends every line end as CR LF; a CR LF already there stays as it is.
QByteArray WithCrLf(QByteArrayView chunk, bool& lastWasCr) {
    QByteArray out;
    out.reserve(chunk.size() + chunk.size() / 16 + 1);
    for (char c : chunk) {
        if (c == '\n' && !lastWasCr)
            out.append('\r');
        out.append(c);
        lastWasCr = c == '\r';
    }
    return out;
}

// Hands out unbuffered sockets, as the passive side opens them: the bytes of the file go from
// our buffer to the system without another copy and allocation in between. With TLS they are
// TLS sockets, on which the client starts the handshake: the client is the TLS client in both
// directions. (TLS sockets keep a buffer of their own for the bytes to encrypt.)
class DataListener final : public QTcpServer {
public:
    DataListener(bool tls, QObject* parent) : QTcpServer(parent), Tls(tls) {}

protected:
    void incomingConnection(qintptr descriptor) override {
        QTcpSocket* socket = Tls ? new QSslSocket(this) : new QTcpSocket(this);
        const QIODevice::OpenMode mode =
            Tls ? QIODevice::ReadWrite : QIODevice::ReadWrite | QIODevice::Unbuffered;
        if (socket->setSocketDescriptor(descriptor, QAbstractSocket::ConnectedState, mode))
            addPendingConnection(socket);
        else
            delete socket;
    }

private:
    bool Tls;
};

} // namespace

bool QtFtpClient::DoPut() {
    if (!SessionReady())
        return false;
    if (HostFileName.empty())
        return Fail(FtpSettingsError, "No name was given for the file on the server", false);
    if (!SafeCommandArgument(HostFileName))
        return Fail(FtpSettingsError, "The file name for the server holds a line break", false);
    QFile file(QString::fromStdString(LocalFileName));
    if (!file.open(QIODevice::ReadOnly))
        return Fail(FtpLocalFileError,
                    "Cannot read " + LocalFileName + ": " + file.errorString().toStdString(),
                    false);
    if (!OpenDataConnection())
        return false;
    if (!StartStore())
        return false;
    // On a slow line the system's buffer takes long to make room for more and longer to send
    // the tail of the file: it is looked at now and then, since it moves without a word.
    QTimer look;
    connect(&look, &QTimer::timeout, this, [this] { Wake(false); });
    look.start(std::clamp<std::chrono::milliseconds>(Timeout / 4, std::chrono::milliseconds(1),
                                                     TransitLook));
    if (!SendFile(file))
        return false;
    return FinishStore();
}

void QtFtpClient::NoteTransit() {
    // Once the server has closed its side, Qt lets go of the socket: nothing is on its way.
    const std::optional<qint64> queued =
        Data ? UnsentBytes(Data->socketDescriptor()) : std::nullopt;
    // Progress, but nothing to act on: the wait sleeps on as before, with its timeout renewed.
    if (queued && LastQueued && *queued < *LastQueued)
        TransitMoved = true;
    LastQueued = queued;
    InTransit = queued && *queued > 0;
}

bool QtFtpClient::OpenDataConnection() {
    // The data connection goes to the host the control connection already reaches, never to
    // the address a 227 or an incoming connection names: a server behind NAT names its private
    // address, and a hostile one could name any machine and have us connect there for it.
    DataPeer = Control->peerAddress();
    if (Passive) {
        std::optional<FtpReply> reply = Command("PASV");
        if (!reply)
            return false;
        if (reply->Code != 227)
            return RefusedBy("PASV", *reply);
        std::optional<PassiveAddress> address = ParsePassiveReply(reply->Text);
        if (!address)
            return Fail(FtpProtocolError,
                        "The reply to PASV names no address and port: " + reply->Text, false);
        DataPort = address->Port;
        if (Tls) {
            auto* data = new QSslSocket(this);
            Data = data;
            WatchTls(data, false);
        } else {
            Data = new QTcpSocket(this);
        }
        WatchData(Data);
        Data->connectToHost(DataPeer, DataPort,
                            Tls ? QIODevice::ReadWrite
                                : QIODevice::ReadWrite | QIODevice::Unbuffered);
        auto connected = [this] {
            return Data->state() == QAbstractSocket::ConnectedState ? Step::Done : Step::Wait;
        };
        return WaitUntil(connected, "opening the data connection");
    }

    // PORT: listen before sending it, since some servers connect while handling the command.
    bool isIpv4 = false;
    quint32 ipv4 = Control->localAddress().toIPv4Address(&isIpv4);
    if (!isIpv4)
        return Fail(FtpSettingsError, "Active mode needs an IPv4 connection; use passive mode",
                    false);
    Listener = new DataListener(Tls, this);
    if (!Listener->listen(QHostAddress(ipv4), 0))
        return Fail(FtpSocketErrorBase + static_cast<int>(Listener->serverError()),
                    "Cannot listen for the data connection: " +
                        Listener->errorString().toStdString(),
                    false);
    connect(Listener, &QTcpServer::newConnection, this, [this] { Wake(); });
    DataPort = Listener->serverPort();
    std::optional<FtpReply> reply = Command("PORT", PortArgument(ipv4, DataPort));
    if (!reply)
        return false;
    if (reply->Code / 100 != 2)
        return RefusedBy("PORT", *reply);
    return true;
}

bool QtFtpClient::TakeIncomingConnection() {
    while (!Data && Listener && Listener->hasPendingConnections()) {
        QTcpSocket* socket = Listener->nextPendingConnection();
        // Only the server we speak to may bring the data connection.
        if (!socket->peerAddress().isEqual(DataPeer, QHostAddress::TolerantConversion)) {
            TurnedAwayPeer = socket->peerAddress();
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setParent(this); // the listener is thrown away before the socket
        Data = socket;
        DataPort = socket->peerPort();
        if (Tls)
            WatchTls(static_cast<QSslSocket*>(socket), false);
        WatchData(Data);
        Listener->close();
    }
    return Data != nullptr;
}

bool QtFtpClient::StartStore() {
    const std::string verb = "STOR " + HostFileName;
    if (!SendCommand("STOR", HostFileName))
        return false;
    std::optional<FtpReply> reply;
    auto answered = [&] {
        if (!Passive)
            TakeIncomingConnection();
        reply = Reader.Next();
        return reply ? Step::Done : Step::Wait;
    };
    if (!WaitUntil(answered, "waiting for the reply to STOR"))
        return false;
    if (!reply->Preliminary())
        return StoreEndedEarly(*reply, "any of the file was sent");
    // TLS on the data connection starts only now: a server may take a handshake begun before
    // its 150 for bytes of a file it was not told about, and close the connection.
    if (Data)
        return !Tls || SecureData();

    // Active mode: the server connects after its 125 or 150, or says why it cannot.
    auto connected = [&] {
        if (TakeIncomingConnection())
            return Step::Done;
        while ((reply = Reader.Next())) {
            if (!reply->Preliminary()) {
                StoreEndedEarly(*reply, "the data connection was open");
                return Step::Fail;
            }
        }
        return Step::Wait;
    };
    if (!WaitUntil(connected, "waiting for the server to open the data connection"))
        return false;
    return !Tls || SecureData();
}

bool QtFtpClient::StoreEndedEarly(const FtpReply& reply, const char* when) {
    const std::string verb = "STOR " + HostFileName;
    // What the server says after its data connection was turned away tells of that connection,
    // not of the file: "226" then means an empty file, "425" a connection it thinks failed.
    if (!TurnedAwayPeer.isNull())
        return Fail(FtpForeignDataConnectionError,
                    "The data connection for " + verb + " came from " +
                        TurnedAwayPeer.toString().toStdString() + ", not from the server at " +
                        DataPeer.toString().toStdString() + ", and was turned away",
                    false);
    if (reply.Positive())
        return Fail(FtpProtocolError,
                    "The server answered " + verb + " with " + std::to_string(reply.Code) +
                        " before " + when,
                    true);
    return RefusedBy(verb, reply);
}

bool QtFtpClient::DataWriteFailed(qint64 wrote, qint64 wanted) {
    // An unbuffered socket keeps what the system cannot take yet and says it wrote it all, so
    // anything less is a failure; the bytes not taken never reach the server, whatever it says.
    const std::string why = Data->errorString().toStdString();
    return Fail(SocketErrorCode(Data->error()),
                "Data connection to " + DataPeer.toString().toStdString() + ':' +
                    std::to_string(DataPort) + " failed while sending " + HostFileName + " after " +
                    std::to_string(DataWritten + std::clamp<qint64>(wrote, 0, wanted)) +
                    " bytes: " + why,
                true);
}

bool QtFtpClient::EndedBeforeAllSent() {
    // A final reply now means the server ended the store before it had the whole file.
    const std::string verb = "STOR " + HostFileName;
    while (std::optional<FtpReply> reply = Reader.Next()) {
        if (reply->Preliminary())
            continue;
        if (reply->Positive())
            Fail(FtpProtocolError,
                 "The server answered " + verb + " with " + std::to_string(reply->Code) +
                     " before all of the file was sent",
                 true);
        else
            RefusedBy(verb, *reply, true);
        return true;
    }
    return false;
}

bool QtFtpClient::SendFile(QFile& file) {
    const bool ascii = ServerType == 'A';
    bool lastWasCr = false;
    bool fileDone = false;
    const qint64 piece = Tls ? TlsPiece : ChunkSize;
    const qint64 high = Tls ? TlsHighWater : HighWater;
    QByteArray buffer(piece, Qt::Uninitialized);
    auto sent = [&] {
        NoteTransit();
        if (EndedBeforeAllSent())
            return Step::Fail;
        while (!fileDone && DataQueued() < high) {
            qint64 got = file.read(buffer.data(), piece);
            if (got <= 0) {
                if (got < 0) {
                    Fail(FtpLocalFileError,
                         "Cannot read " + LocalFileName + ": " + file.errorString().toStdString(),
                         true);
                    return Step::Fail;
                }
                fileDone = true;
                break;
            }
            QByteArrayView chunk(buffer.constData(), got);
            const QByteArray lines = ascii ? WithCrLf(chunk, lastWasCr) : QByteArray();
            const QByteArrayView out = ascii ? QByteArrayView(lines) : chunk;
            const qint64 wrote = Data->write(out.data(), out.size());
            if (wrote != out.size()) {
                DataWriteFailed(wrote, out.size());
                return Step::Fail;
            }
            DataWritten += wrote;
            if (Tls)
                Data->flush();
            // An unbuffered socket hands the bytes straight to the system and may say nothing.
            Stirred = true;
        }
        Data->flush(); // hand the bytes to the system now rather than on the next pass
        return fileDone && DataQueued() == 0 ? Step::Done : Step::Wait;
    };
    return WaitUntil(sent, "sending " + HostFileName, Bound::SilenceOnly);
}

bool QtFtpClient::SendTail() {
    // The TLS closing message is the end of the file for the server, and closing after it lets
    // go of the socket: what the system still holds is followed to the end before that, as it
    // is followed after the half-close of a plain connection.
    auto delivered = [&] {
        if (EndedBeforeAllSent())
            return Step::Fail;
        NoteTransit();
        return !LastQueued || *LastQueued == 0 ? Step::Done : Step::Wait;
    };
    return WaitUntil(delivered, "sending " + HostFileName, Bound::SilenceOnly);
}

bool QtFtpClient::FinishStore() {
    // Every byte was handed over; the end of the data connection is the end of the file for the
    // server, and only its reply after that says the file is whole. Only the sending side is
    // closed, so that the bytes the system still holds can be followed: on a slow line the
    // tail of a file takes longer than the timeout to leave, and as long as it moves the
    // server is not silent.
    if (Tls && !SendTail())
        return false;
    DataClosing = true;
    const bool followed = !Tls && UnsentBytes(Data->socketDescriptor()).has_value() &&
                          CloseSending(Data->socketDescriptor());
    // TLS ends with its own closing message before the connection closes, so that the server
    // can tell the end of the file from a connection cut short.
    if (!followed)
        Data->disconnectFromHost();
    std::optional<FtpReply> reply;
    auto confirmed = [&] {
        while ((reply = Reader.Next())) {
            if (!reply->Preliminary()) {
                InTransit = false;
                return Step::Done;
            }
        }
        NoteTransit();
        return Step::Wait;
    };
    if (!WaitUntil(confirmed, "waiting for the reply to STOR"))
        return false;
    if (reply->Code / 100 != 2)
        return RefusedBy("STOR " + HostFileName, *reply);
    return true;
}

} // namespace dravenloom
