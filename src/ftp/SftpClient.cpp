// The SFTP client's requests: each runs the libssh work on a thread of its own and waits for it
// inside the caller's event loop.
#include "ftp/SftpClient.h"

#include "ftp/FtpReplies.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace dravenloom {
namespace {

std::optional<int> PortNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || value < 1 || value > 65535)
        return std::nullopt;
    return value;
}

// libssh takes C strings: a NUL would cut a name short and name another file.
bool HoldsNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

} // namespace

// What the thread of one request shares with the client: its outcome, and whom to wake. The
// client stops listening (Receiver empty) when it lets go of the request.
struct SftpClient::Mailbox {
    std::mutex Lock;
    SftpClient* Receiver = nullptr;
    bool Finished = false;
    SftpOutcome Outcome;
    std::atomic<bool> StirPending{false};

    // From the thread: wakes the waiting client, if it still listens. Posting happens under the
    // lock, so the client cannot be deleted between the look and the post; an event posted to
    // a client deleted later is dropped with it.
    void Post(bool progress) {
        std::lock_guard<std::mutex> lock(Lock);
        if (!Receiver)
            return;
        SftpClient* receiver = Receiver;
        QMetaObject::invokeMethod(
            receiver, [receiver, progress] { receiver->Wake(progress); }, Qt::QueuedConnection);
    }
    void Stir() {
        // One wake-up in flight is enough: the client looks at the time, not at a count.
        if (!StirPending.exchange(true))
            Post(true);
    }
};

SftpClient::SftpClient(QObject* parent) : QObject(parent) {
    Port = "22";
    Protocol = UploadProtocol::Sftp;
}

SftpClient::~SftpClient() {
    // A request waiting inside its own event loop learns from Alive that the client is gone.
    *Alive = false;
    if (Loop)
        Loop->quit();
    Abandon();
}

void SftpClient::LetGo(bool) {
    // The thread of the request is not waited for: its connection is shut down under it and
    // it ends by itself.
    Abandon();
    if (Loop)
        Loop->quit();
}

void SftpClient::Abandon() {
    if (Box) {
        std::lock_guard<std::mutex> lock(Box->Lock);
        Box->Receiver = nullptr;
    }
    Box.reset();
    if (Session)
        Session->Interrupt();
    Session.reset();
    Connected = false;
}

void SftpClient::Wake(bool progress) {
    if (progress) {
        Stirred = true;
        if (Box)
            Box->StirPending = false;
    }
    if (Loop)
        Loop->quit();
}

bool SftpClient::Perform(const std::function<SftpOutcome(SftpSession&)>& work,
                         const std::string& what, SftpOutcome& outcome) {
    auto alive = Alive;
    auto box = std::make_shared<Mailbox>();
    box->Receiver = this;
    Box = box;
    std::shared_ptr<SftpSession> session = Session;
    session->OnProgress = [box] { box->Stir(); };
    session->MaxInFlight = std::max<std::size_t>(1, WritesInFlight);
    // The thread holds the session and the mailbox: abandoned, it still finishes with them.
    std::thread([session, box, work] {
        SftpOutcome result = work(*session);
        {
            std::lock_guard<std::mutex> lock(box->Lock);
            box->Outcome = std::move(result);
            box->Finished = true;
        }
        box->Post(false);
    }).detach();

    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    connect(&idle, &QTimer::timeout, &loop, &QEventLoop::quit);
    idle.start(Timeout);
    Loop = &loop;
    Stirred = false;
    for (;;) {
        if (AbortRequested)
            break;
        {
            std::lock_guard<std::mutex> lock(box->Lock);
            if (box->Finished) {
                outcome = box->Outcome;
                Loop = nullptr;
                Box.reset();
                return true;
            }
        }
        if (Stirred) {
            Stirred = false;
            idle.start(Timeout);
            continue;
        }
        if (!idle.isActive()) {
            Fail(FtpTimeoutError, "Timed out after " + SecondsText(Timeout.count()) + " " + what);
            Abandon();
            break;
        }
        if (loop.exec() < 0) {
            // The application was told to quit: nothing can reach this wait any more.
            if (!*alive)
                return false;
            Ending = true;
            Abandon();
            break;
        }
        if (!*alive)
            return false; // deleted from inside the loop: nothing of ours is left to touch
    }
    Loop = nullptr;
    return false;
}

bool SftpClient::Fail(int code, std::string message) {
    Code = code;
    Message = std::move(message);
    return false;
}

bool SftpClient::Failed(const SftpOutcome& outcome) {
    // A refusal keeps the session; a lost connection or a failed login does not.
    if (!Session || !Session->Usable())
        Abandon();
    return Fail(outcome.Code, outcome.Message);
}

bool SftpClient::SessionReady() {
    if (Connected && Session)
        return true;
    return Fail(FtpNotConnectedError, "Not connected to " + ServerText());
}

std::string SftpClient::ServerText() const {
    return HostName + ':' + Port;
}

bool SftpClient::DoConnect() {
    Abandon();
    Fingerprint.clear();
    if (Protocol != UploadProtocol::Sftp)
        return Fail(FtpSettingsError, "This client speaks SFTP only");
    std::optional<int> port = PortNumber(Port);
    if (HostName.empty())
        return Fail(FtpSettingsError, "No server name was given");
    if (!port)
        return Fail(FtpSettingsError, "The port \"" + Port + "\" is not a number from 1 to 65535");
    if (!SafeCommandArgument(HostName) || !SafeCommandArgument(UserName) || HoldsNul(PassWord))
        return Fail(FtpSettingsError,
                    "The server name, user name or password holds a line break or NUL");

    SftpLogin login;
    login.Host = HostName;
    login.Port = *port;
    login.User = UserName;
    login.Password = PassWord;
    login.Trusted = TrustedFingerprint;
    login.SshDirectory = SshDirectory;
    login.SystemKnownHosts = SshDirectory.empty();
    if (const char* home = std::getenv("HOME"); login.SshDirectory.empty() && home && *home)
        login.SshDirectory = std::string(home) + "/.ssh";
    login.Timeout = Timeout;
    Session = std::make_shared<SftpSession>();
    SftpOutcome outcome;
    if (!Perform([login](SftpSession& session) { return session.Open(login); },
                 "connecting to " + ServerText(), outcome))
        return false;
    Fingerprint = Session->Fingerprint();
    if (!outcome.Ok()) {
        Abandon();
        return Fail(outcome.Code, outcome.Message);
    }
    Connected = true;
    return true;
}

bool SftpClient::DoCwd() {
    if (!SessionReady())
        return false;
    if (HostDirName.empty())
        return true;
    if (HoldsNul(HostDirName))
        return Fail(FtpSettingsError, "The directory name holds a NUL and was not sent");
    const std::string directory = HostDirName;
    SftpOutcome outcome;
    if (!Perform([directory](SftpSession& session) { return session.ChangeDirectory(directory); },
                 "waiting for the directory " + directory, outcome))
        return false;
    return outcome.Ok() || Failed(outcome);
}

bool SftpClient::DoTypeSet() {
    // SFTP has no text mode: files go byte for byte, and the guide keeps its CR LF.
    return SessionReady();
}

bool SftpClient::DoPut() {
    if (!SessionReady())
        return false;
    if (HostFileName.empty() || HoldsNul(HostFileName) || HoldsNul(LocalFileName))
        return Fail(FtpSettingsError, "The file name is empty or holds a NUL");
    const std::string local = LocalFileName;
    const std::string remote = HostFileName;
    SftpOutcome outcome;
    if (!Perform([local, remote](SftpSession& session) { return session.Store(local, remote); },
                 "storing " + remote, outcome))
        return false;
    return outcome.Ok() || Failed(outcome);
}

bool SftpClient::DoQuit() {
    if (!Session) {
        Connected = false;
        return true;
    }
    SftpOutcome outcome;
    if (!Perform([](SftpSession& session) { return session.Close(); }, "closing the session",
                 outcome))
        return false;
    Abandon();
    return outcome.Ok() || Fail(outcome.Code, outcome.Message);
}

} // namespace dravenloom
