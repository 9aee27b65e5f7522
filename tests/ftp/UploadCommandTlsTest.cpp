// `dravenloom-cli upload --protocol ftps` against pyftpdlib with TLS required and a certificate
// no authority vouches for: refused with its fingerprint until the author trusts it, then every
// file arrives, and the trust is kept for the next run.
#include "PyFtpServer.h"
#include "TestCertificate.h"

#include "support/UploadCliFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

class UploadCommandTlsTest : public UploadCliFixture {
protected:
    void SetUp() override {
        if (PyFtpServer::Unavailable() || TlsServerUnavailable())
            GTEST_SKIP() << "pyftpdlib with TLS needs python3-pyftpdlib, python3-openssl and "
                            "openssl";
        fs::create_directories(Root.Path / "www");
        Certificate = MakeTestCertificate(Keys.Path, "IP:127.0.0.1");
        ASSERT_TRUE(Certificate.Failure.empty()) << Certificate.Failure;
        Server = std::make_unique<PyFtpServer>(
            Root.Path, 0,
            QStringList{QStringLiteral("--cert"), QString::fromStdString(Certificate.Pem.string()),
                        QStringLiteral("--tls-required")});
        ASSERT_TRUE(Server->Ready()) << Server->Log;
    }

    TempDirectory Root;
    TempDirectory Keys;
    TestCertificate Certificate;
    std::unique_ptr<PyFtpServer> Server;
};

TEST_F(UploadCommandTlsTest, AnUnknownCertificateIsTrustedOnceAndKept) {
    SetPassword("secret");
    const std::vector<std::string> upload = {
        "upload",           Guide.string(), "--protocol", "ftps",  "--host", "127.0.0.1", "--port",
        Server->PortText(), "--user",       "alice",      "--dir", "www",    "--passive"};

    const CliResult refused = Run(upload);
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Err,
              "dravenloom-cli upload: the identity of the server 127.0.0.1:" + Server->PortText() +
                  " cannot be verified: its certificate is self-signed. Its "
                  "fingerprint is " +
                  Certificate.Fingerprint +
                  "; if that is your server's (ask your host), run again with "
                  "--trust " +
                  Certificate.Fingerprint + "\n");
    EXPECT_EQ(refused.Out.find("successful"), std::string::npos) << refused.Out;
    EXPECT_TRUE(fs::is_empty(Root.Path / "www"));

    std::vector<std::string> trusting = upload;
    trusting.insert(trusting.end(), {"--trust", Certificate.Fingerprint});
    const CliResult trusted = Run(trusting);
    ASSERT_EQ(trusted.Status, 0) << trusted.Err;
    EXPECT_NE(trusted.Out.find("File upload was successful.\n"), std::string::npos) << trusted.Out;
    EXPECT_TRUE(ReadWholeFile(Root.Path / "www" / "bulb.jpg") == ReadWholeFile(Bulb));
    EXPECT_TRUE(ReadWholeFile(Root.Path / "www" / "Dravenloom.class") ==
                ReadWholeFile(AppletFile("Dravenloom.class")));
    EXPECT_NE(ReadWholeFile(SettingsFile()).find(Certificate.Fingerprint), std::string::npos)
        << ReadWholeFile(SettingsFile());

    // The fingerprint is stored: the next run needs no --trust.
    fs::remove(Root.Path / "www" / "bulb.jpg");
    const CliResult again = Run(upload);
    ASSERT_EQ(again.Status, 0) << again.Err;
    EXPECT_EQ(again.Err, "");
    EXPECT_TRUE(ReadWholeFile(Root.Path / "www" / "bulb.jpg") == ReadWholeFile(Bulb));
}

} // namespace
} // namespace dravenloom
