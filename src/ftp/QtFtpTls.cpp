// FTP with TLS: AUTH TLS and the handshake on the control connection, PBSZ and PROT P, the
// handshake on each data connection, and what is done with a certificate that does not verify.
#include "ftp/QtFtpClient.h"
#include "publish/ServerTrust.h"

#include <QCryptographicHash>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QSslSocket>

#include <set>
#include <utility>

namespace dravenloom {
namespace {

// What is wrong with the certificate, as the end of "its certificate ...", ranked so that the
// reasons are told in the same order whatever order the checks found them in.
std::pair<int, std::string> Problem(const QSslError& error) {
    switch (error.error()) {
    case QSslError::SelfSignedCertificate:
    case QSslError::SelfSignedCertificateInChain:
        return {0, "is self-signed"};
    case QSslError::UnableToGetIssuerCertificate:
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
    case QSslError::CertificateUntrusted:
        return {1, "was issued by an authority this system does not know"};
    case QSslError::HostNameMismatch:
        return {2, "was issued for another name"};
    case QSslError::CertificateExpired:
        return {3, "has expired"};
    case QSslError::CertificateNotYetValid:
        return {4, "is not valid yet"};
    case QSslError::CertificateRevoked:
        return {5, "has been revoked"};
    case QSslError::InvalidPurpose:
    case QSslError::CertificateRejected:
        return {6, "is not meant for a server"};
    default:
        return {7, "cannot be checked (" + error.errorString().toStdString() + ")"};
    }
}

// "its certificate is self-signed and was issued for another name".
std::string Reason(const QList<QSslError>& errors) {
    std::set<std::pair<int, std::string>> problems;
    for (const QSslError& error : errors)
        problems.insert(Problem(error));
    if (problems.empty())
        return "its certificate cannot be checked";
    std::string text = "its certificate";
    std::size_t i = 0;
    for (const auto& [rank, problem] : problems) {
        text += (i == 0 ? " " : i + 1 == problems.size() ? " and " : ", ") + problem;
        ++i;
    }
    return text;
}

std::string FingerprintOf(const QSslCertificate& certificate) {
    if (certificate.isNull())
        return {};
    return Sha256Fingerprint(certificate.digest(QCryptographicHash::Sha256).toStdString());
}

QSslCertificate CertificateOf(QSslSocket* socket, const QList<QSslError>& errors) {
    QSslCertificate certificate = socket->peerCertificate();
    for (auto at = errors.begin(); certificate.isNull() && at != errors.end(); ++at)
        certificate = at->certificate();
    return certificate;
}

} // namespace

void QtFtpClient::WatchTls(QSslSocket* socket, bool control) {
    // Session tickets and resumption need the session kept; Qt drops it unless told.
    QSslConfiguration configuration = socket->sslConfiguration();
    configuration.setSslOption(QSsl::SslOptionDisableSessionPersistence, false);
    socket->setSslConfiguration(configuration);
    // The name the author typed, also on data connections made to an address.
    socket->setPeerVerifyName(QString::fromStdString(HostName));
    connect(socket, &QSslSocket::encrypted, this, [this] { Wake(); });
    connect(socket, &QSslSocket::encryptedBytesWritten, this, [this] { Wake(); });
    // Direct: the errors are ignored, or not, before the handshake goes on.
    connect(socket, &QSslSocket::sslErrors, this,
            [this, socket, control](const QList<QSslError>& errors) {
                CertificateErrors(socket, errors, control);
            });
}

void QtFtpClient::CertificateErrors(QSslSocket* socket, const QList<QSslError>& errors,
                                    bool control) {
    const std::string fingerprint = FingerprintOf(CertificateOf(socket, errors));
    if (control) {
        SeenFingerprint = fingerprint;
        if (!fingerprint.empty() && fingerprint == TrustedFingerprint) {
            // Exactly these errors, of exactly this certificate: anything else still fails.
            socket->ignoreSslErrors(errors);
            AcceptedFingerprint = fingerprint;
            return;
        }
        if (TrustedFingerprint.empty())
            CertificateRefused.emplace(FtpUntrustedServerError, Reason(errors));
        else
            CertificateRefused.emplace(FtpServerChangedError, "The certificate of " + ServerText() +
                                                                  " has changed: trusted " +
                                                                  TrustedFingerprint + ", now " +
                                                                  fingerprint);
        Wake(false);
        return;
    }
    // A data connection must show the certificate the control connection was trusted with.
    if (!fingerprint.empty() && fingerprint == AcceptedFingerprint) {
        socket->ignoreSslErrors(errors);
        return;
    }
    CertificateRefused.emplace(FtpServerChangedError,
                               "The data connection of " + ServerText() +
                                   " showed another certificate than the session: " +
                                   (fingerprint.empty() ? "none" : fingerprint) + ", not " +
                                   (SeenFingerprint.empty() ? "none" : SeenFingerprint) + " (" +
                                   Reason(errors) + ")");
    Wake(false);
}

void QtFtpClient::NoteFingerprint(QSslSocket* socket) {
    if (SeenFingerprint.empty())
        SeenFingerprint = FingerprintOf(socket->peerCertificate());
}

bool QtFtpClient::SecureControl() {
    std::optional<FtpReply> reply = Command("AUTH", "TLS");
    if (!reply)
        return false;
    if (reply->Code != 234)
        return Fail(reply->Code == 421 ? 421 : FtpTlsError,
                    "The server refused AUTH TLS: " + ReplyText(*reply) + "; nothing more was sent",
                    true);
    // Bytes after the 234 came in clear, where nobody may write into the session: a reply read
    // from them could be anybody's.
    if (Reader.HasPending() || Control->bytesAvailable() > 0)
        return Fail(FtpTlsError,
                    "The server sent more after its 234 to AUTH TLS, before the TLS handshake",
                    true);
    auto* control = static_cast<QSslSocket*>(Control);
    control->startClientEncryption();
    auto encrypted = [this, control] {
        if (CertificateRefused) {
            auto [code, message] = *CertificateRefused;
            Fail(code, std::move(message), true);
            return Step::Fail;
        }
        if (control->isEncrypted()) {
            NoteFingerprint(control);
            return Step::Done;
        }
        if (ControlFailure) {
            Fail(FtpTlsError,
                 "The TLS handshake with " + ServerText() +
                     " failed: " + ControlFailureText.toStdString(),
                 true);
            return Step::Fail;
        }
        return Step::Wait;
    };
    return WaitUntil(encrypted, "waiting for the TLS handshake with " + ServerText());
}

bool QtFtpClient::ProtectData() {
    for (const char* command : {"PBSZ 0", "PROT P"}) {
        const std::string line = command;
        const std::string verb = line.substr(0, 4);
        std::optional<FtpReply> reply = Command(verb, line.substr(5));
        if (!reply)
            return false;
        // Never on in clear: the files would travel unprotected although TLS was asked for.
        if (reply->Code / 100 != 2)
            return Fail(reply->Code == 421 ? 421 : FtpTlsError,
                        "The server refused " + line + ": " + ReplyText(*reply) +
                            "; no file was sent",
                        true);
    }
    return true;
}

bool QtFtpClient::SecureData() {
    auto* data = static_cast<QSslSocket*>(Data);
    // Read now, not at login: over TLS 1.3 the tickets to resume the session with come after
    // the handshake. Servers that insist on resumption refuse a data connection without it.
    QSslConfiguration configuration = static_cast<QSslSocket*>(Control)->sslConfiguration();
    data->setSslConfiguration(configuration);
    data->setPeerVerifyName(QString::fromStdString(HostName));
    data->startClientEncryption();
    auto encrypted = [this, data] {
        if (CertificateRefused) {
            auto [code, message] = *CertificateRefused;
            Fail(code, std::move(message), true);
            return Step::Fail;
        }
        if (data->isEncrypted())
            return Step::Done;
        if (DataFailure) {
            Fail(FtpTlsError,
                 "The TLS handshake of the data connection to " + ServerText() +
                     " failed: " + DataFailureText.toStdString(),
                 true);
            return Step::Fail;
        }
        // A final reply here says the server gave up on the data connection (522).
        while (std::optional<FtpReply> reply = Reader.Next()) {
            if (reply->Preliminary())
                continue;
            Fail(reply->Code / 100 == 2 ? FtpTlsError : reply->Code,
                 "The server answered STOR " + HostFileName + " with " + ReplyText(*reply) +
                     " during the TLS handshake of the data connection",
                 true);
            return Step::Fail;
        }
        return Step::Wait;
    };
    return WaitUntil(encrypted, "waiting for the TLS handshake of the data connection");
}

qint64 QtFtpClient::DataQueued() const {
    if (!Data)
        return 0;
    qint64 queued = Data->bytesToWrite();
    if (Tls)
        queued += static_cast<QSslSocket*>(Data)->encryptedBytesToWrite();
    return queued;
}

} // namespace dravenloom
