// The FTP client over Qt Network: the subset of RFC 959 the upload needs (USER, PASS, CWD,
// TYPE, PASV or PORT, STOR, QUIT, ABOR), written directly on QTcpSocket, and FTP with TLS
// (AUTH TLS, PBSZ, PROT P; RFC 4217) on QSslSocket.
//
// Not libcurl: its model is one request per address, each finding its own way to the file. The
// upload is one session that changes directory and transfer type between stores, reports each
// request to the window as it ends, and must let go at once when the author presses Abort while
// the window's own event loop runs inside a request. A client that owns its sockets does all of
// that with a few hundred lines.
#pragma once

#include "ftp/FtpReplies.h"
#include "ftp/RequestingClient.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class QEventLoop;
class QFile;
class QSslError;
class QSslSocket;
class QTcpServer;
class QTcpSocket;

namespace dravenloom {

class QtFtpClient final : public QObject, public RequestingClient {
public:
    explicit QtFtpClient(QObject* parent = nullptr);
    ~QtFtpClient() override;

    bool GetConnected() const override;
    std::string ServerFingerprint() const override { return SeenFingerprint; }

private:
    enum class Step { Wait, Done, Fail };
    // What bounds a wait besides silence: a reply must be complete within ReplyLimit; the bytes
    // of a store are bounded by silence alone.
    enum class Bound { Reply, SilenceOnly };

    bool DoConnect() override;
    bool DoCwd() override;
    bool DoTypeSet() override;
    bool DoPut() override;
    bool DoQuit() override;
    void LetGo(bool waiting) override;

    // Runs the event loop until step() says Done or Fail, the connection fails, the server
    // falls silent for Timeout, a reply takes longer than ReplyLimit, Abort is called or the
    // program's loop is told to end. False on all but Done. After false the client may have
    // been deleted: return at once without touching it.
    bool WaitUntil(const std::function<Step()>& step, const std::string& what,
                   Bound bound = Bound::Reply);
    // Sends a command and waits for its final reply (1xx replies are skipped).
    std::optional<FtpReply> Command(const std::string& verb, const std::string& argument = {});
    bool SendCommand(const std::string& verb, const std::string& argument);
    std::optional<FtpReply> WaitForReply(const std::string& verb, bool finalOnly,
                                         const std::string& what = {});

    bool Fail(int code, std::string message, bool dropSession);
    bool RefusedBy(const std::string& verb, const FtpReply& reply, bool dropSession = false);
    bool SessionReady();
    void Wake(bool progress = true);
    void WatchControl(QTcpSocket* socket);
    void WatchData(QTcpSocket* socket);
    void TuneData(QTcpSocket* socket);
    void DropSession();
    void DropTransfer();
    // After every request: its data connection and listener go.
    void RequestEnded() override { DropTransfer(); }
    std::string ServerText() const; // "host:port" as the author typed them
    std::string SocketFailure(int socketError, const QString& text) const;

    // FTP with TLS (QtFtpTls.cpp).
    // AUTH TLS and the handshake on the control connection, before anything else is sent.
    bool SecureControl();
    // PBSZ 0 and PROT P after the login: every data connection is protected.
    bool ProtectData();
    // The TLS handshake on the data connection, once the server has answered STOR with 1xx.
    bool SecureData();
    void WatchTls(QSslSocket* socket, bool control);
    // Decides on a certificate that does not verify: ignored when it is the trusted one.
    void CertificateErrors(QSslSocket* socket, const QList<QSslError>& errors, bool control);
    void NoteFingerprint(QSslSocket* socket);
    // Bytes handed to the data connection and not yet to the system (plain and encrypted).
    qint64 DataQueued() const;

    // Put's pieces.
    bool OpenDataConnection();
    bool StartStore();
    bool SendFile(QFile& file);
    bool FinishStore();
    // TLS: waits until the system has delivered every byte of the file.
    bool SendTail();
    // A final reply came while the file was still being sent: the store failed.
    bool EndedBeforeAllSent();
    bool TakeIncomingConnection();
    // The store ended by a final reply before the data connection was there.
    bool StoreEndedEarly(const FtpReply& reply, const char* when);
    // The write of `wanted` bytes to the data connection returned `wrote`.
    bool DataWriteFailed(qint64 wrote, qint64 wanted);
    // Looks at the bytes the system still holds for the data connection: fewer than last time
    // is progress; any at all means the store is still on its way.
    void NoteTransit();

    // Set by Connect: this session speaks TLS on the control and every data connection.
    bool Tls = false;
    std::string SeenFingerprint;     // of the certificate the control connection showed
    std::string AcceptedFingerprint; // the one trusted although it does not verify, or empty
    // A certificate turned away during a handshake: the code and the message for the request.
    std::optional<std::pair<int, std::string>> CertificateRefused;

    QTcpSocket* Control = nullptr;
    QTcpSocket* Data = nullptr;
    QTcpServer* Listener = nullptr;
    FtpReplyReader Reader;
    bool LoggedIn = false;
    char ServerType = 'A'; // the type the server uses now: RFC 959 starts every session in A

    // The request in progress.
    // Bytes of the store are still on their way: the wait for its reply is bounded by silence.
    bool InTransit = false;
    // The system sent some of them since it was last looked at.
    bool TransitMoved = false;
    QEventLoop* Loop = nullptr;
    bool Stirred = false;
    std::optional<int> ControlFailure; // socket error code, or RemoteHostClosed
    QString ControlFailureText;
    std::optional<int> DataFailure;
    QString DataFailureText;
    bool DataClosing = false;
    QHostAddress DataPeer;
    quint16 DataPort = 0;
    qint64 DataWritten = 0;           // bytes of the store handed to the data connection
    std::optional<qint64> LastQueued; // what the system held of them when last looked at
    QHostAddress TurnedAwayPeer;      // an active-mode connection from elsewhere, refused

};

} // namespace dravenloom
