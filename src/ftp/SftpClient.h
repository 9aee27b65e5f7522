// The SFTP client: the upload's requests over SSH through libssh, behind the same FtpClient
// interface as the FTP client. libssh blocks, so each request runs on a thread of its own while
// the caller's event loop keeps the window live; Abort and the timeout let go of that thread at
// once (shutting its connection down under it) instead of waiting for it.
#pragma once

#include "ftp/SftpSession.h"
#include "ftp/RequestingClient.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

class QEventLoop;

namespace dravenloom {

class SftpClient final : public QObject, public RequestingClient {
public:
    explicit SftpClient(QObject* parent = nullptr);
    ~SftpClient() override;

    // Connect logs in with PassWord, or with the SSH agent and keys when it is empty. The host
    // key must be in a known_hosts file or have the fingerprint TrustedFingerprint; nothing is
    // ever written to known_hosts. Cwd needs an existing directory; TypeSet changes nothing
    // (files always go byte for byte); Passive means nothing here.

    bool GetConnected() const override { return Connected; }
    std::string ServerFingerprint() const override { return Fingerprint; }

    // A folder read in place of ~/.ssh (known_hosts, keys), and then without the system's
    // known_hosts. Empty: .ssh in the home the environment names (HOME), where the program
    // keeps its other files too, or libssh's own choice without HOME.
    std::string SshDirectory;
    // How many write requests of a store may wait for their answers at once (1: each waits).
    std::size_t WritesInFlight = 8;

private:
    struct Mailbox;

    bool DoConnect() override;
    bool DoCwd() override;
    bool DoTypeSet() override;
    bool DoPut() override;
    bool DoQuit() override;
    void LetGo(bool waiting) override;

    // Runs `work` on the session on a thread of its own and waits in the event loop until it
    // ends, the server falls silent for Timeout, Abort is called or the program's loop is told
    // to end. False unless the work ended (whatever its outcome, then in `outcome`). After
    // false the client may have been deleted: return at once without touching it.
    bool Perform(const std::function<SftpOutcome(SftpSession&)>& work, const std::string& what,
                 SftpOutcome& outcome);
    // Lets go of the session: interrupts its thread, if any, and forgets it.
    void Abandon();
    bool Fail(int code, std::string message);
    bool Failed(const SftpOutcome& outcome);
    bool SessionReady();
    void Wake(bool progress);
    std::string ServerText() const;

    std::shared_ptr<SftpSession> Session;
    std::shared_ptr<Mailbox> Box; // of the request that waits
    bool Connected = false;
    std::string Fingerprint;

    bool Stirred = false;
    QEventLoop* Loop = nullptr;
};

} // namespace dravenloom
