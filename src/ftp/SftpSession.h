// One SSH connection with its SFTP channel, over libssh: log in after checking the host key,
// change directory, store files, close. Every call blocks; SftpClient runs them on a thread of
// their own so that the window stays live, and may give up on them through Interrupt.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <mutex>
#include <string>

// libssh's handles, so that this header does not pull in libssh.
struct ssh_session_struct;
struct sftp_session_struct;
struct sftp_file_struct;

namespace dravenloom {

// How a call ended: Code 0 and no text for success, else one of FtpClient's error codes.
struct SftpOutcome {
    int Code = 0;
    std::string Message;
    bool Ok() const { return Code == 0; }
};

// What Open needs to reach the server and log in.
struct SftpLogin {
    std::string Host;
    int Port = 22;
    std::string User;
    // Empty: the SSH agent, then the keys in the SSH folder.
    std::string Password;
    // The fingerprint the author trusts for a server no known_hosts file knows, or empty.
    std::string Trusted;
    // In place of libssh's ~/.ssh (known_hosts, keys), when not empty.
    std::string SshDirectory;
    // Whether the system's known_hosts file is read too.
    bool SystemKnownHosts = true;
    std::chrono::milliseconds Timeout{15000};
};

class SftpSession {
public:
    SftpSession();
    ~SftpSession();
    SftpSession(const SftpSession&) = delete;
    SftpSession& operator=(const SftpSession&) = delete;

    // Connects, checks the host key (known_hosts, then Trusted), logs in and opens SFTP in the
    // login's home directory. The password leaves only after the key was accepted.
    SftpOutcome Open(const SftpLogin& login);
    // The SHA-256 fingerprint of the host key Open met, empty before.
    std::string Fingerprint() const { return HostKey; }
    // Changes to `directory`, relative to the current one unless it starts with "/"; it must
    // exist and be a directory.
    SftpOutcome ChangeDirectory(const std::string& directory);
    // Stores the local file (a UTF-8 path) as `name` in the current directory, byte for byte.
    SftpOutcome Store(const std::string& localFile, const std::string& name);
    // Ends SFTP and the SSH connection.
    SftpOutcome Close();
    // True while the connection is logged in and has not failed.
    bool Usable() const { return Sftp != nullptr && !Lost; }
    const std::string& CurrentDirectory() const { return Directory; }

    // Called on the calling thread whenever the server shows a sign of life (bytes taken).
    std::function<void()> OnProgress;
    // The largest piece of a file sent in one write request: OpenSSH's server drops the
    // connection on a message over 256 KB, headers included.
    std::size_t MaxChunk = 252 * 1024;
    // How many write requests may wait for their answers at once (2 MB in flight, as much as
    // OpenSSH's sftp keeps on its way).
    std::size_t MaxInFlight = 8;

    // From any thread: makes the call in progress, and every later one, fail at once by
    // shutting the connection down under it.
    void Interrupt();
    bool Interrupted() const { return Stopped.load(); }

private:
    SftpOutcome Verify(const SftpLogin& login);
    SftpOutcome Authenticate(const SftpLogin& login);
    // The fingerprint of another key that a known_hosts file holds for the server.
    std::string KnownFingerprint(const SftpLogin& login) const;
    // The outcome of a failed libssh call: the connection lost, or the server's refusal.
    SftpOutcome Failure(const std::string& what);
    // Clears the SFTP status before a request, so that a failure shows whose it is.
    void Fresh();
    SftpOutcome SftpRefusal(int status, const std::string& what);
    std::string Resolve(const std::string& path) const;
    std::string LastError() const;
    // The bytes of the open file, with several write requests in flight.
    SftpOutcome WritePieces(sftp_file_struct* file, std::istream& in, const std::string& name,
                            const std::string& localFile);
    bool Send(const char* bytes, std::size_t count);
    bool ReadExactly(void* into, std::size_t count);
    void WatchSocket();
    void Release();
    static void ConnectStatus(void* self, float status);

    ssh_session_struct* Ssh = nullptr;
    sftp_session_struct* Sftp = nullptr;
    std::string Server; // "host:port" for messages
    std::string HostKey;
    std::string Directory;
    bool Lost = false;

    std::mutex SocketLock;
    int Socket = -1; // the connection's socket once known, for Interrupt
    std::atomic<bool> Stopped{false};
    void* Callbacks = nullptr; // ssh_callbacks_struct, owned
};

} // namespace dravenloom
