// FTP with TLS against the scripted server, which speaks no TLS at all: every way the protection
// can fail before the login ends Connect with its code, and neither the user name nor the
// password is ever sent.
#include "FakeFtpServer.h"
#include "FtpTestSupport.h"

#include <QTimer>

namespace dravenloom {
namespace {

struct TlsFaultCase {
    const char* Name;
    std::function<void(FakeFtpServer&)> Script;
    int Code;
    std::string MessageStart; // "{server}" stands for 127.0.0.1:port
    UploadProtocol Protocol = UploadProtocol::FtpTls;
};

class TlsFaults : public ClientFixture, public ::testing::WithParamInterface<TlsFaultCase> {
protected:
    TlsFaults() : ClientFixture(std::chrono::milliseconds(1500)) {}
};

TEST_P(TlsFaults, EndConnectBeforeTheLogin) {
    const TlsFaultCase& fault = GetParam();
    FakeFtpServer server;
    fault.Script(server);
    Client.Port = server.PortText();
    Client.Protocol = fault.Protocol;
    Client.TrustedFingerprint = "SHA256:" + std::string(43, 'A');
    EXPECT_FALSE(Client.Connect());
    EXPECT_EQ(Client.ErrorCode(), fault.Code) << Client.ErrorMessage();
    std::string start = fault.MessageStart;
    if (const auto at = start.find("{server}"); at != std::string::npos)
        start.replace(at, 8, "127.0.0.1:" + server.PortText());
    EXPECT_EQ(Client.ErrorMessage().substr(0, start.size()), start) << Client.ErrorMessage();
    EXPECT_FALSE(Client.GetConnected());
    EXPECT_EQ(Done, std::vector<std::string>{"Connect " + std::to_string(fault.Code)});
    EXPECT_FALSE(server.Received("USER"));
    EXPECT_FALSE(server.Received("PASS"));
    EXPECT_LT(Elapsed(), 1500);
}

const TlsFaultCase TlsFaultCases[] = {
    {"AuthRefused",
     [](FakeFtpServer& server) { server.Replies["AUTH"] = "502 Unrecognized encryption type\r\n"; },
     FtpTlsError,
     "The server refused AUTH TLS: 502 Unrecognized encryption type; nothing more was sent"},
    {"AuthAnsweredWith421",
     [](FakeFtpServer& server) { server.Replies["AUTH"] = "421 Too many sessions\r\n"; }, 421,
     "The server refused AUTH TLS: 421 Too many sessions"},
    // Whoever can write into the connection before TLS could write the login's replies.
    {"PlainBytesAfter234",
     [](FakeFtpServer& server) { server.Replies["AUTH"] = "234 Go ahead\r\n230 Welcome\r\n"; },
     FtpTlsError, "The server sent more after its 234 to AUTH TLS, before the TLS handshake"},
    {"NoTlsAfter234",
     [](FakeFtpServer& server) {
         server.Handlers["AUTH"] = [&server](const std::string&) {
             server.Send("234 Go ahead\r\n");
             QTimer::singleShot(100, &server, [&server] { server.Send("200 Not TLS at all\r\n"); });
         };
     },
     FtpTlsError, "The TLS handshake with {server} failed: "},
    {"ClosedAfter234",
     [](FakeFtpServer& server) {
         server.Handlers["AUTH"] = [&server](const std::string&) {
             server.Send("234 Go ahead\r\n");
             QTimer::singleShot(100, &server, [&server] { server.CloseControl(); });
         };
     },
     FtpTlsError, "The TLS handshake with {server} failed: "},
    // This client speaks FTP; SFTP is another program's part.
    {"SftpAsked", [](FakeFtpServer&) {}, FtpSettingsError, "SFTP is not FTP", UploadProtocol::Sftp},
};

INSTANTIATE_TEST_SUITE_P(FakeServer, TlsFaults, ::testing::ValuesIn(TlsFaultCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace dravenloom
