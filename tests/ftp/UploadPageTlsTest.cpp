// The upload page over the real client and pyftpdlib with TLS: a certificate nobody vouches for
// is asked about before anything else is sent; Yes trusts it from then on and the run goes on,
// No ends the run with nothing sent.
#include "PyFtpServer.h"
#include "TestCertificate.h"

#include "ftp/QtFtpClient.h"
#include "publish/ServerTrust.h"
#include "shell/UploadPage.h"
#include "support/EditorFixture.h"

#include <filesystem>
#include <memory>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

class UploadPageTlsTest : public EditorFixture {
protected:
    void SetUp() override {
        if (PyFtpServer::Unavailable() || TlsServerUnavailable())
            GTEST_SKIP() << "pyftpdlib with TLS needs python3-pyftpdlib, python3-openssl and "
                            "openssl";
        fs::create_directories(Root.Path / "www");
        fs::create_directories(Dir.Path / "Applet");
        for (const char* name : {"Dravenloom.class", "About.class", "Progress.class",
                                 "GuideCanvas.class", "GuideFrame.class", "gray.gif"})
            WriteBytes((Dir.Path / "Applet" / name).string(), std::string("bytes of ") + name);
        Certificate = MakeTestCertificate(Keys.Path, "IP:127.0.0.1");
        ASSERT_TRUE(Certificate.Failure.empty()) << Certificate.Failure;
        Server = std::make_unique<PyFtpServer>(
            Root.Path, 0,
            QStringList{QStringLiteral("--cert"), QString::fromStdString(Certificate.Pem.string()),
                        QStringLiteral("--tls-required"), QStringLiteral("--commands"),
                        QString::fromStdString((Keys.Path / "commands.log").string())});
        ASSERT_TRUE(Server->Ready()) << Server->Log;

        Client.Timeout = std::chrono::milliseconds(5000);
        ChooseProtocol(Upload.Server, UploadProtocol::FtpTls);
        Upload.Server.HostTxt.Text = "127.0.0.1";
        Upload.Server.PortTxt.Text = Server->PortText();
        Upload.Server.UserTxt.Text = "alice";
        Upload.Server.PassTxt.Text = "secret";
        Upload.Server.DirTxt.Text = "www";
        Upload.Server.PassiveCheck.Checked = true;
        OpenGuide(NumberedRecords(2));
    }

    // Runs "Upload" with these answers: the HTML question, then the question about the server.
    void RunUpload(MsgAnswer aboutServer) {
        Platform.ClearRecords();
        Platform.MessageAnswers = {MsgAnswer::No, aboutServer};
        Upload.UploadBtnClick();
    }
    std::string Received() const { return ReadBytes(Keys.Path / "commands.log"); }

    TempDirectory Root;
    TempDirectory Keys;
    TestCertificate Certificate;
    std::unique_ptr<PyFtpServer> Server;
    QtFtpClient Client;
    UploadPage Upload{Form.Document, Form.Editor, Form.Files, Form.Applet.Options,
                      Platform,      Settings,    Client,     Dir.Path.string()};
};

TEST_F(UploadPageTlsTest, NoSendsNothingYesTrustsTheServerFromThenOn) {
    RunUpload(MsgAnswer::No);
    ASSERT_EQ(Platform.Messages.size(), 2u);
    EXPECT_EQ(Platform.Messages[1].Text,
              UntrustedServerQuestion("127.0.0.1", Server->PortText(),
                                      "its certificate is self-signed", Certificate.Fingerprint));
    EXPECT_TRUE(fs::is_empty(Root.Path / "www"));
    EXPECT_EQ(Received().find("USER"), std::string::npos) << Received();
    EXPECT_FALSE(ReadTrustedFingerprint(Settings, "127.0.0.1", Server->PortText()));
    EXPECT_TRUE(Upload.AbortBtn.Enabled == false && Upload.UploadBtn.Enabled);

    RunUpload(MsgAnswer::Yes);
    ASSERT_EQ(Platform.Messages.size(), 3u);
    EXPECT_EQ(Platform.Messages[2].Text, SuccessMessage);
    EXPECT_EQ(ReadBytes(Root.Path / "www" / "Dravenloom.class"), "bytes of Dravenloom.class");
    EXPECT_EQ(ReadBytes(Root.Path / "www" / "gray.gif"), "bytes of gray.gif");
    EXPECT_EQ(ReadTrustedFingerprint(Settings, "127.0.0.1", Server->PortText()),
              Certificate.Fingerprint);

    // Trusted now: the next run asks nothing about the server.
    fs::remove(Root.Path / "www" / "gray.gif");
    Platform.ClearRecords();
    Platform.MessageAnswers = {MsgAnswer::No};
    Upload.UploadBtnClick();
    ASSERT_EQ(Platform.Messages.size(), 2u);
    EXPECT_EQ(Platform.Messages[1].Text, SuccessMessage);
    EXPECT_TRUE(fs::exists(Root.Path / "www" / "gray.gif"));
}

} // namespace
} // namespace dravenloom
