// The FTP client over Qt Network: the subset of RFC 959 the upload needs (USER, PASS, CWD,
// TYPE, PASV or PORT, STOR, QUIT, ABOR), written directly on QTcpSocket.
//
// Not libcurl: its model is one request per address, each finding its own way to the file. The
// upload is one session that changes directory and transfer type between stores, reports each
// request to the window as it ends, and must let go at once when the author presses Abort while
// the window's own event loop runs inside a request. A client that owns its sockets does all of
// that with a few hundred lines.
#pragma once

#include "ftp/FtpReplies.h"
#include "publish/FtpClient.h"

#include <QHostAddress>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QEventLoop;
class QFile;
class QTcpServer;
class QTcpSocket;

namespace dravenloom {

class QtFtpClient final : public QObject, public FtpClient {
public:
    explicit QtFtpClient(QObject* parent = nullptr);
    ~QtFtpClient() override;

    bool Connect() override;
    bool Cwd() override;
    bool TypeSet() override;
    bool Put() override;
    bool Quit() override;
    void Abort() override;

    bool GetConnected() const override;
    int ErrorCode() const override { return Code; }
    std::string ErrorMessage() const override { return Message; }

private:
    enum class Step { Wait, Done, Fail };
    // What bounds a wait besides silence: a reply must be complete within ReplyLimit; the bytes
    // of a store are bounded by silence alone.
    enum class Bound { Reply, SilenceOnly };

    // One request from start to notification; false at once when another request waits.
    bool RunRequest(FtpRequest request, bool (QtFtpClient::*body)());
    bool DoConnect();
    bool DoCwd();
    bool DoTypeSet();
    bool DoPut();
    bool DoQuit();

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
    std::string ServerText() const; // "host:port" as the author typed them
    std::string SocketFailure(int socketError, const QString& text) const;

    // Put's pieces.
    bool OpenDataConnection();
    bool StartStore();
    bool SendFile(QFile& file);
    bool FinishStore();
    bool TakeIncomingConnection();
    // The store ended by a final reply before the data connection was there.
    bool StoreEndedEarly(const FtpReply& reply, const char* when);
    // The write of `wanted` bytes to the data connection returned `wrote`.
    bool DataWriteFailed(qint64 wrote, qint64 wanted);
    // Looks at the bytes the system still holds for the data connection: fewer than last time
    // is progress; any at all means the store is still on its way.
    void NoteTransit();

    QTcpSocket* Control = nullptr;
    QTcpSocket* Data = nullptr;
    QTcpServer* Listener = nullptr;
    FtpReplyReader Reader;
    bool LoggedIn = false;
    char ServerType = 'A'; // the type the server uses now: RFC 959 starts every session in A

    // The request in progress.
    bool Busy = false;
    bool AbortRequested = false;
    bool InAbort = false;
    // The program's loop was told to end: no wait can run any more.
    bool Ending = false;
    // Bytes of the store are still on their way: the wait for its reply is bounded by silence.
    bool InTransit = false;
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

    int Code = 0;
    std::string Message;
    std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
};

} // namespace dravenloom
