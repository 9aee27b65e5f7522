// The FTP client the upload speaks to: its settings, its blocking requests, and the notification
// every request sends when it ends. ftp/ implements it over Qt Network; tests use a scripted
// double.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace dravenloom {

// How the files travel: plain FTP, FTP with TLS on the control and every data connection
// (explicit, AUTH TLS), or SFTP over SSH.
enum class UploadProtocol { Ftp, FtpTls, Sftp };

// The requests, as named in OnRequestDone.
enum class FtpRequest { Connect, Cwd, TypeSet, Put, Quit, Abort };

// "Connect", "Cwd", "TypeSet", "Put", "Quit", "Abort".
const char* FtpRequestName(FtpRequest request);

// Error codes. 0 is success; 100 to 599 are the server's own reply codes, passed on as received.
// The others are the client's:
inline constexpr int FtpSuccess = 0;
// A socket failure is this base plus the socket layer's own number. That layer numbers
// "connection refused" 0, which must never read as success.
inline constexpr int FtpSocketErrorBase = 10000;
// No reply, no connection and no progress of the transfer within Timeout, or a reply not
// complete within ReplyLimit.
inline constexpr int FtpTimeoutError = 20001;
// The request was abandoned by Abort, or because the program is ending.
inline constexpr int FtpAbortedError = 20002;
// A reply the client cannot read: not a reply line, too long, a 227 without an address.
inline constexpr int FtpProtocolError = 20003;
// LocalFileName cannot be opened or read.
inline constexpr int FtpLocalFileError = 20004;
// Cwd, TypeSet or Put without a logged-in connection.
inline constexpr int FtpNotConnectedError = 20005;
// A setting that cannot be sent: an empty host, a port outside 1..65535, a line break or NUL in
// a name (it would end the command early and smuggle in another).
inline constexpr int FtpSettingsError = 20006;
// Active mode: the data connection came from another address than the server's and was turned
// away, so nothing was stored through it, whatever the server answers afterwards.
inline constexpr int FtpForeignDataConnectionError = 20007;

// The server's certificate or host key could not be verified (no authority vouches for the
// certificate, or the host key is in no known_hosts file) and its fingerprint is not the one
// in TrustedFingerprint. Connect stops before the password is sent; ErrorMessage says why and
// ServerFingerprint gives what to trust.
inline constexpr int FtpUntrustedServerError = 20008;
// The server shows another certificate or host key than the one trusted for it (by
// TrustedFingerprint or a known_hosts file). ErrorMessage names both fingerprints.
inline constexpr int FtpServerChangedError = 20009;
// The server would not set up the protection asked for: AUTH TLS, PBSZ or PROT P refused, or
// a TLS handshake that failed for another reason than the certificate.
inline constexpr int FtpTlsError = 20010;
// SFTP: a refusal by the server is this base plus its SFTP status code (2 no such file, 3
// permission denied, 4 failure, ...), with the server's words in ErrorMessage; a refused login
// counts as permission denied.
inline constexpr int FtpSftpStatusBase = 30000;

// True for the client's socket codes (FtpSocketErrorBase + the socket layer's number).
inline bool IsFtpSocketError(int code) {
    return code >= FtpSocketErrorBase && code < FtpTimeoutError;
}

// One FTP session. Every request blocks its caller until it ends and keeps the caller's event
// loop running meanwhile, so the window stays live and Abort can be pressed. Calls in the order
// Connect, Cwd, then per file an optional TypeSet and a Put, possibly another Cwd, TypeSet and
// Puts, and Quit; Abort at any time, from anywhere (a button, a timer, OnRequestDone).
//
// Rules a caller can rely on:
// - Every request, when it ends, calls OnRequestDone(request, code) once, after the client is
//   ready for the next call (the handler may call Abort and Quit), and returns code == 0.
// - A request abandoned by Abort ends with FtpAbortedError and sends no notification of its own:
//   the caller asked for it, so there is nothing to report. Abort itself notifies (Abort, 0).
// - A request made while another one is waiting (the caller's loop runs inside a request) is
//   refused at once: it returns false, sends nothing, notifies nothing and leaves ErrorCode and
//   ErrorMessage to the request that waits. Abort is never refused.
// - ErrorCode and ErrorMessage describe the last request that ended (Abort excepted): 0 and an
//   empty text after a success.
// - A failed Connect, a timeout, a lost connection, an unreadable reply and a 421 leave the
//   client disconnected (GetConnected false): after any of them the replies can no longer be
//   paired with the commands. A refusal by reply code (550 to CWD or STOR) keeps the session.
// - Quit and Abort without a connection succeed and send nothing.
// - A session starts in TYPE A, as every FTP session does: a Put before any TypeSet sends text.
// - The client may be deleted from inside its own wait; the waiting call then returns false and
//   notifies nothing.
// - When the program's event loop is told to end while a request waits, nothing can reach the
//   request any more: it is abandoned at once as by Abort (FtpAbortedError, no notification,
//   the connection closed), and so is every request made after that.
class FtpClient {
public:
    virtual ~FtpClient() = default;

    // Settings, read by the requests that use them. Names and directories are sent byte for
    // byte (the upload gives UTF-8 for names taken from local paths).
    std::string HostName;
    std::string Port = "21"; // decimal text
    std::string UserName;
    std::string PassWord;
    bool Passive = false;      // PASV when set, else PORT
    std::string HostDirName;   // for Cwd; empty stays in the directory the login gave
    std::string HostFileName;  // for Put: the name on the server
    std::string LocalFileName; // for Put: the local path (UTF-8)
    bool Binary = true;        // for TypeSet: TYPE I when set, else TYPE A
    // Read by Connect. A client that cannot speak the protocol fails Connect with
    // FtpSettingsError.
    UploadProtocol Protocol = UploadProtocol::Ftp;
    // The fingerprint ("SHA256:" and the base64 digest without padding) the author trusts for
    // HostName:Port, or empty. A server that verifies by itself (an authority, known_hosts)
    // needs none; one that does not is accepted only with exactly this fingerprint.
    std::string TrustedFingerprint;
    // How long a request may wait without any sign of life from the server (a reply, a
    // connection, bytes of the transfer accepted by the system or taken by the server); a long
    // transfer that keeps moving never times out.
    std::chrono::milliseconds Timeout{15000};
    // How long a reply may take to be complete, whatever trickles in meanwhile (a line one byte
    // a second, "120" over and over). Bytes of a store on their way are held to Timeout only.
    std::chrono::milliseconds ReplyLimit{60000};

    // Sends nothing; the next TypeSet sends the type.
    void SetBinary(bool binary) { Binary = binary; }

    // Called when each request ends, with the request and its error code.
    std::function<void(FtpRequest request, int errorCode)> OnRequestDone;

    // Opens the control connection to HostName:Port and logs in with USER and PASS.
    virtual bool Connect() = 0;
    // CWD HostDirName.
    virtual bool Cwd() = 0;
    // TYPE I or TYPE A, after Binary.
    virtual bool TypeSet() = 0;
    // Stores LocalFileName as HostFileName in the current directory, through a data
    // connection made by PASV or PORT. In TYPE A, line ends go as CR LF. Succeeds only when
    // every byte was written, the data connection closed and the server confirmed the store; a
    // failed or short write fails it whatever the server answers.
    virtual bool Put() = 0;
    // QUIT and close the connection.
    virtual bool Quit() = 0;
    // Abandons the request in progress and closes the connection at once, without waiting for
    // the server. GetConnected is false afterwards.
    virtual void Abort() = 0;

    // True while the control connection is open.
    virtual bool GetConnected() const = 0;
    virtual int ErrorCode() const = 0;
    // What went wrong, in words ("Connection refused by 127.0.0.1:2121").
    virtual std::string ErrorMessage() const = 0;
    // The fingerprint of the certificate or host key the last Connect met, empty when none
    // (plain FTP, or the connection failed before the server showed one).
    virtual std::string ServerFingerprint() const { return {}; }
};

} // namespace dravenloom
