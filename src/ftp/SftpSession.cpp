// The SSH connection and its SFTP channel over libssh: the host key check, the login, the
// directory and the stores.
#include "ftp/SftpSession.h"

#include "publish/FtpClient.h"
#include "publish/ServerTrust.h"

#include <QAbstractSocket>

#include <libssh/callbacks.h>
#include <libssh/libssh.h>
#include <libssh/sftp.h>

#include <fcntl.h>
#ifdef _WIN32
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

namespace dravenloom {
namespace {

#ifdef _WIN32
constexpr int ShutBoth = SD_BOTH;
#else
constexpr int ShutBoth = SHUT_RDWR;
#endif

// A socket failure in the numbering the FTP client uses, so that the page reads both alike.
int SocketCode(QAbstractSocket::SocketError error) {
    return FtpSocketErrorBase + static_cast<int>(error);
}

// The SHA-256 fingerprint of a public key, as ssh-keygen -l prints it.
std::string KeyFingerprint(ssh_key key) {
    unsigned char* hash = nullptr;
    size_t length = 0;
    if (!key || ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) != 0)
        return {};
    std::string digest(reinterpret_cast<const char*>(hash), length);
    ssh_clean_pubkey_hash(&hash);
    return Sha256Fingerprint(digest);
}

std::string ErrorText(ssh_session ssh) {
    const char* text = ssh ? ssh_get_error(ssh) : nullptr;
    return text && *text ? text : "no reason given";
}

// What the server said, without libssh's own prefix.
std::string ServerWords(ssh_session ssh) {
    std::string text = ErrorText(ssh);
    const std::string prefix = "sftp server: ";
    if (text.size() >= prefix.size() &&
        std::equal(prefix.begin(), prefix.end(), text.begin(),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
        text.erase(0, prefix.size());
    return text;
}

} // namespace

SftpSession::SftpSession() = default;

SftpSession::~SftpSession() {
    Release();
}

void SftpSession::Release() {
    if (Sftp) {
        sftp_free(Sftp);
        Sftp = nullptr;
    }
    if (Ssh) {
        {
            std::lock_guard<std::mutex> lock(SocketLock);
            Socket = -1; // closed by ssh_free below: Interrupt must not touch its number again
        }
        if (ssh_is_connected(Ssh) && !Lost && !Stopped)
            ssh_disconnect(Ssh);
        ssh_free(Ssh);
        Ssh = nullptr;
    }
    delete static_cast<ssh_callbacks_struct*>(Callbacks);
    Callbacks = nullptr;
}

void SftpSession::Interrupt() {
    Stopped = true;
    std::lock_guard<std::mutex> lock(SocketLock);
    // Shutting the socket down (not closing it: the number stays libssh's) wakes every wait
    // of libssh on it at once with an error.
    if (Socket >= 0)
        ::shutdown(Socket, ShutBoth);
}

void SftpSession::ConnectStatus(void* self, float) {
    // libssh reports its progress through the connection; the socket is there from the first
    // report on, and so is a sign of life.
    auto* session = static_cast<SftpSession*>(self);
    session->WatchSocket();
    if (session->OnProgress)
        session->OnProgress();
}

void SftpSession::WatchSocket() {
    std::lock_guard<std::mutex> lock(SocketLock);
    if (Socket >= 0 || !Ssh)
        return;
    socket_t fd = ssh_get_fd(Ssh);
    if (fd == SSH_INVALID_SOCKET)
        return;
    Socket = fd;
    if (Stopped)
        ::shutdown(Socket, ShutBoth);
}

SftpOutcome SftpSession::Failure(const std::string& what) {
    if (Stopped)
        return {FtpAbortedError, what + " was abandoned"};
    // Every request starts with the status cleared (Fresh), so a status here is the server's
    // answer to this one.
    const int status = Sftp ? sftp_get_error(Sftp) : SSH_FX_OK;
    if (!Ssh || !ssh_is_connected(Ssh) || status == SSH_FX_CONNECTION_LOST ||
        status == SSH_FX_NO_CONNECTION || status == SSH_FX_OK) {
        // Either the connection went away, or libssh failed without any word from the server:
        // in both cases nothing more can be paired with a request.
        Lost = true;
        return {SocketCode(QAbstractSocket::RemoteHostClosedError),
                "Connection to " + Server + " lost while " + what + ": " + ErrorText(Ssh)};
    }
    return SftpRefusal(status, what);
}

void SftpSession::Fresh() {
    if (Sftp)
        Sftp->errnum = SSH_FX_OK;
}

std::string SftpSession::LastError() const {
    return ErrorText(Ssh);
}

SftpOutcome SftpSession::SftpRefusal(int status, const std::string& what) {
    return {FtpSftpStatusBase + status, "The server refused " + what + ": " + ServerWords(Ssh) +
                                            " (SFTP status " + std::to_string(status) + ")"};
}

SftpOutcome SftpSession::Open(const SftpLogin& login) {
    Release();
    Lost = false;
    HostKey.clear();
    Directory.clear();
    Server = login.Host + ':' + std::to_string(login.Port);
    Ssh = ssh_new();
    if (!Ssh)
        return {FtpSettingsError, "The SSH library could not start a session"};

    int port = login.Port;
    // libssh counts its timeout in whole waits; ours is kept by the caller, so libssh's only
    // ends a wait the caller has already given up on.
    long microseconds = static_cast<long>(login.Timeout.count()) * 1000 + 5000000;
    bool processConfig = false;
    int verbosity = SSH_LOG_NOLOG;
    // The upload names its server, port and user itself; a Host block of ~/.ssh/config would
    // quietly send the files elsewhere, so no configuration file is read.
    ssh_options_set(Ssh, SSH_OPTIONS_PROCESS_CONFIG, &processConfig);
    ssh_options_set(Ssh, SSH_OPTIONS_LOG_VERBOSITY, &verbosity);
    if (ssh_options_set(Ssh, SSH_OPTIONS_HOST, login.Host.c_str()) != SSH_OK ||
        ssh_options_set(Ssh, SSH_OPTIONS_PORT, &port) != SSH_OK ||
        ssh_options_set(Ssh, SSH_OPTIONS_USER, login.User.c_str()) != SSH_OK)
        return {FtpSettingsError, "The server name or user name cannot be used: " + ErrorText(Ssh)};
    ssh_options_set(Ssh, SSH_OPTIONS_TIMEOUT_USEC, &microseconds);
    if (!login.SshDirectory.empty()) {
        const std::string known = login.SshDirectory + "/known_hosts";
        ssh_options_set(Ssh, SSH_OPTIONS_SSH_DIR, login.SshDirectory.c_str());
        ssh_options_set(Ssh, SSH_OPTIONS_KNOWNHOSTS, known.c_str());
    }
    if (!login.SystemKnownHosts) {
        const std::string none = login.SshDirectory + "/no-system-known-hosts";
        ssh_options_set(Ssh, SSH_OPTIONS_GLOBAL_KNOWNHOSTS, none.c_str());
    }
    auto* callbacks = new ssh_callbacks_struct{};
    Callbacks = callbacks;
    callbacks->userdata = this;
    callbacks->connect_status_function = &SftpSession::ConnectStatus;
    ssh_callbacks_init(callbacks);
    ssh_set_callbacks(Ssh, callbacks);

    if (Stopped)
        return {FtpAbortedError, "Connect was abandoned"};
    if (ssh_connect(Ssh) != SSH_OK) {
        if (Stopped)
            return {FtpAbortedError, "Connect was abandoned"};
        const std::string text = ErrorText(Ssh);
        Lost = true;
        QAbstractSocket::SocketError error = QAbstractSocket::NetworkError;
        std::string message = "Connection to " + Server + " failed: " + text;
        if (text.find("refused") != std::string::npos) {
            error = QAbstractSocket::ConnectionRefusedError;
            message = "Connection refused by " + Server;
        } else if (text.find("resolve") != std::string::npos) {
            error = QAbstractSocket::HostNotFoundError;
            message = "Server not found: " + login.Host;
        } else if (text.find("imeout") != std::string::npos) {
            return {FtpTimeoutError, "Timed out connecting to " + Server + ": " + text};
        }
        return {SocketCode(error), message};
    }
    WatchSocket();

    if (SftpOutcome verified = Verify(login); !verified.Ok())
        return verified;
    if (SftpOutcome in = Authenticate(login); !in.Ok())
        return in;

    Sftp = sftp_new(Ssh);
    if (!Sftp || sftp_init(Sftp) != SSH_OK) {
        SftpOutcome failed = Failure("starting SFTP");
        if (failed.Code >= FtpSftpStatusBase || !Sftp)
            failed = {FtpProtocolError,
                      "The server at " + Server + " offers no SFTP: " + ErrorText(Ssh)};
        if (Sftp) {
            sftp_free(Sftp);
            Sftp = nullptr;
        }
        return failed;
    }
    char* home = sftp_canonicalize_path(Sftp, ".");
    if (!home)
        return Failure("finding the home directory");
    Directory = home;
    ssh_string_free_char(home);
    return {};
}

SftpOutcome SftpSession::Verify(const SftpLogin& login) {
    ssh_key key = nullptr;
    if (ssh_get_server_publickey(Ssh, &key) != SSH_OK)
        return {FtpProtocolError, "The server at " + Server + " showed no host key"};
    HostKey = KeyFingerprint(key);
    ssh_key_free(key);
    if (HostKey.empty())
        return {FtpProtocolError, "The host key of " + Server + " cannot be read"};

    std::string reason;
    switch (ssh_session_is_known_server(Ssh)) {
    case SSH_KNOWN_HOSTS_OK:
        return {};
    case SSH_KNOWN_HOSTS_CHANGED:
    case SSH_KNOWN_HOSTS_OTHER: {
        const std::string known = KnownFingerprint(login);
        return {FtpServerChangedError, "The server " + Server + " shows the host key " + HostKey +
                                           ", but known_hosts holds " +
                                           (known.empty() ? "another key" : known) + " for it"};
    }
    case SSH_KNOWN_HOSTS_ERROR:
        reason = "its known_hosts file cannot be read";
        break;
    default: // not in any file, or no file at all
        reason = "its host key is in no known_hosts file";
        break;
    }
    if (login.Trusted.empty())
        return {FtpUntrustedServerError, reason};
    if (login.Trusted != HostKey)
        return {FtpServerChangedError, "The server " + Server + " shows the host key " + HostKey +
                                           ", but the key trusted for it is " + login.Trusted};
    return {};
}

SftpOutcome SftpSession::Authenticate(const SftpLogin& login) {
    int result = SSH_AUTH_DENIED;
    std::string how;
    if (!login.Password.empty()) {
        result = ssh_userauth_password(Ssh, nullptr, login.Password.c_str());
        how = "the password";
    } else {
        result = ssh_userauth_publickey_auto(Ssh, nullptr, nullptr);
        how = "the SSH agent and keys";
    }
    if (result == SSH_AUTH_SUCCESS)
        return {};
    if (result == SSH_AUTH_ERROR)
        return Failure("logging in");
    return {FtpSftpStatusBase + SSH_FX_PERMISSION_DENIED,
            "Login to " + Server + " failed: the server refused " + how + " for " + login.User};
}

std::string SftpSession::KnownFingerprint(const SftpLogin& login) const {
    // libssh says that known_hosts holds another key, but hands out only a matching entry: the
    // files are read again for the first entry of this host with another key.
    const std::string host =
        login.Port == 22 ? login.Host : '[' + login.Host + "]:" + std::to_string(login.Port);
    for (ssh_options_e option : {SSH_OPTIONS_KNOWNHOSTS, SSH_OPTIONS_GLOBAL_KNOWNHOSTS}) {
        char* file = nullptr;
        if (ssh_options_get(Ssh, option, &file) != SSH_OK || !file)
            continue;
        std::ifstream in(file);
        ssh_string_free_char(file);
        for (std::string line; std::getline(in, line);) {
            ssh_knownhosts_entry* entry = nullptr;
            if (ssh_known_hosts_parse_line(host.c_str(), line.c_str(), &entry) != SSH_OK) {
                ssh_knownhosts_entry_free(entry);
                continue;
            }
            std::string fingerprint = KeyFingerprint(entry->publickey);
            ssh_knownhosts_entry_free(entry);
            if (!fingerprint.empty() && fingerprint != HostKey)
                return fingerprint;
        }
    }
    return {};
}

std::string SftpSession::Resolve(const std::string& path) const {
    if (!path.empty() && path.front() == '/')
        return path;
    if (Directory.empty() || Directory == "/")
        return "/" + path;
    return Directory + '/' + path;
}

SftpOutcome SftpSession::ChangeDirectory(const std::string& directory) {
    if (!Usable())
        return {FtpNotConnectedError, "Not connected to " + Server};
    const std::string path = Resolve(directory);
    Fresh();
    sftp_attributes attributes = sftp_stat(Sftp, path.c_str());
    if (!attributes)
        return Failure("the directory " + directory);
    const bool isDirectory = attributes->type == SSH_FILEXFER_TYPE_DIRECTORY;
    sftp_attributes_free(attributes);
    if (!isDirectory)
        return {FtpSftpStatusBase + SSH_FX_NO_SUCH_FILE,
                "The server refused the directory " + directory + ": it is not a directory"};
    // The server's own name for it, so that ".." and links lead where the server says.
    Fresh();
    char* canonical = sftp_canonicalize_path(Sftp, path.c_str());
    if (!canonical)
        return Failure("the directory " + directory);
    Directory = canonical;
    ssh_string_free_char(canonical);
    return {};
}

SftpOutcome SftpSession::Store(const std::string& localFile, const std::string& name) {
    if (!Usable())
        return {FtpNotConnectedError, "Not connected to " + Server};
    const std::filesystem::path local(std::u8string(localFile.begin(), localFile.end()));
    std::ifstream in(local, std::ios::binary);
    if (!in)
        return {FtpLocalFileError, "Cannot open " + localFile};

    const std::string path = Resolve(name);
    Fresh();
    sftp_file file = sftp_open(Sftp, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!file)
        return Failure("storing " + name);

    const SftpOutcome outcome = WritePieces(file, in, name, localFile);
    if (!outcome.Ok()) {
        // The handle goes; the server's answer to that changes nothing of the failure. A
        // session that can no longer pair answers with requests is shut first, so that the
        // close fails at once instead of waiting for an answer that will not come.
        if (Lost)
            Interrupt();
        sftp_close(file);
        return outcome;
    }
    // The server says here whether it could write everything to its disk.
    Fresh();
    if (sftp_close(file) != SSH_OK)
        return Failure("closing " + name);
    return {};
}

SftpOutcome SftpSession::Close() {
    if (Sftp) {
        sftp_free(Sftp);
        Sftp = nullptr;
    }
    if (Ssh && ssh_is_connected(Ssh) && !Lost)
        ssh_disconnect(Ssh);
    Release();
    return {};
}

} // namespace dravenloom
