// Making test certificates with the openssl command.
#include "TestCertificate.h"
#include "TestPython.h"

#include "publish/ServerTrust.h"
#include "support/TestFiles.h"

#include <QProcess>
#include <QStringList>

#include <vector>

namespace dravenloom {
namespace {

// Runs openssl with the arguments, its standard input given; the output, or nothing on failure.
bool OpenSsl(const std::vector<std::string>& words, const QByteArray& input, QByteArray& output) {
    QStringList arguments;
    for (const std::string& word : words)
        arguments << QString::fromStdString(word);
    QProcess process;
    process.start(QStringLiteral("openssl"), arguments);
    if (!process.waitForStarted(10000))
        return false;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return false;
    output = process.readAllStandardOutput();
    return true;
}

} // namespace

TestCertificate MakeTestCertificate(const std::filesystem::path& folder,
                                    const std::string& subjectAltName) {
    TestCertificate made;
    const std::string name = subjectAltName.substr(subjectAltName.find(':') + 1);
    const auto key = folder / (name + ".key");
    const auto cert = folder / (name + ".crt");
    QByteArray ignored;
    if (!OpenSsl({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                  "-nodes", "-days", "30", "-subj", "/CN=" + name, "-addext",
                  "subjectAltName=" + subjectAltName, "-keyout", key.string(), "-out",
                  cert.string()},
                 {}, ignored)) {
        made.Failure = "openssl req could not make a certificate";
        return made;
    }
    QByteArray der;
    QByteArray digest;
    if (!OpenSsl({"x509", "-in", cert.string(), "-outform", "DER"}, {}, der) ||
        !OpenSsl({"dgst", "-sha256", "-binary"}, der, digest) || digest.size() != 32) {
        made.Failure = "openssl could not compute the certificate's digest";
        return made;
    }
    made.Fingerprint = Sha256Fingerprint(digest.toStdString());
    made.Pem = folder / (name + ".pem");
    WriteBytes(made.Pem, ReadBytes(cert) + ReadBytes(key));
    return made;
}

bool TlsServerUnavailable() {
    // Asked by every test: the answer does not change within a run.
    static const bool unavailable = [] {
        QProcess probe;
        probe.start(TestPython(),
                    {QStringLiteral("-c"), QStringLiteral("import pyftpdlib, OpenSSL")});
        if (!probe.waitForFinished(20000) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0)
            return true;
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"), {QStringLiteral("version")});
        return !openssl.waitForFinished(10000) || openssl.exitCode() != 0;
    }();
    return unavailable;
}

} // namespace dravenloom
