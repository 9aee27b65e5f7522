// Every way the scripted server can fail a session: each ends in its own error code and a
// message that says what happened, within the (shortened) timeout, and is never success.
#include "FakeFtpServer.h"
#include "FtpTestSupport.h"

#include <QAbstractSocket>

namespace dravenloom {
namespace {

constexpr auto ShortTimeout = std::chrono::milliseconds(400);
constexpr int SocketRefused = FtpSocketErrorBase + QAbstractSocket::ConnectionRefusedError;
constexpr int SocketClosed = FtpSocketErrorBase + QAbstractSocket::RemoteHostClosedError;

struct FaultCase {
    const char* Name;
    std::function<void(FakeFtpServer&)> Script;
    int Code;
    std::string MessagePart;
    bool StaysConnected = false;
    const char* NeverSent = nullptr; // a command the client must not send after the fault
    bool Passive = true;
};

class Faults : public ClientFixture, public ::testing::WithParamInterface<FaultCase> {
protected:
    Faults() : ClientFixture(ShortTimeout) {}
};

// Runs Connect, Cwd, TypeSet and Put as the upload does, stopping at the first failure.
TEST_P(Faults, EndInTheirCodeAndMessage) {
    const FaultCase& fault = GetParam();
    FakeFtpServer server;
    fault.Script(server);
    Client.Port = server.PortText();
    Client.Passive = fault.Passive;
    Client.HostDirName = "www";
    Client.LocalFileName = LocalFile("hello\n");
    Client.HostFileName = "hello.txt";

    bool ok = Client.Connect() && Client.Cwd() && Client.TypeSet() && Client.Put();

    EXPECT_FALSE(ok);
    EXPECT_EQ(Client.ErrorCode(), fault.Code) << Client.ErrorMessage();
    EXPECT_NE(Client.ErrorMessage().find(fault.MessagePart), std::string::npos)
        << Client.ErrorMessage();
    ASSERT_FALSE(Done.empty());
    EXPECT_EQ(Done.back().substr(Done.back().find(' ') + 1), std::to_string(fault.Code));
    for (std::size_t i = 0; i + 1 < Done.size(); ++i)
        EXPECT_EQ(Done[i].substr(Done[i].find(' ') + 1), "0");
    EXPECT_EQ(Client.GetConnected(), fault.StaysConnected);
    EXPECT_LT(Elapsed(), 3 * ShortTimeout.count() + 1000);
    if (fault.NeverSent) {
        EXPECT_FALSE(server.Received(fault.NeverSent));
    }
}

std::string Repeated(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

const FaultCase FaultCases[] = {
    {"TooManyConnections",
     [](FakeFtpServer& s) { s.Greeting = "421 Too many connections (2) from this IP\r\n"; }, 421,
     "The server refused the session: 421 Too many connections", false, "USER"},
    {"UserRefused", [](FakeFtpServer& s) { s.Replies["USER"] = "530 Not for you\r\n"; }, 530,
     "530 Not for you", false, "PASS"},
    {"PasswordRefused",
     [](FakeFtpServer& s) { s.Replies["PASS"] = "530-Login incorrect.\r\n530 Bye.\r\n"; }, 530,
     "failed: 530 Login incorrect.", false, "CWD"},
    {"MissingDirectory",
     [](FakeFtpServer& s) { s.Replies["CWD"] = "550 No such file or directory.\r\n"; }, 550,
     "The server answered CWD www with 550 No such file or directory.", true, "STOR"},
    {"StoreNotAllowed",
     [](FakeFtpServer& s) { s.Replies["STOR"] = "550 Not enough privileges.\r\n"; }, 550,
     "STOR hello.txt with 550 Not enough privileges.", true},
    {"StoreCannotCreate",
     [](FakeFtpServer& s) { s.Replies["STOR"] = "553 Could not create file.\r\n"; }, 553,
     "553 Could not create file.", true},
    {"DiskFull", [](FakeFtpServer& s) { s.Replies["STOR"] = "552 Disk full\r\n"; }, 552,
     "552 Disk full", true},
    {"PassiveRefused", [](FakeFtpServer& s) { s.Replies["PASV"] = "500 PASV not understood\r\n"; },
     500, "PASV with 500", true, "STOR"},
    {"PassiveNumberOver255",
     [](FakeFtpServer& s) {
         s.PassiveReply = [](int) {
             return "227 Entering Passive Mode (1216,256,2,127,127,127)\r\n";
         };
     },
     FtpProtocolError, "names no address", true, "STOR"},
    {"NothingListensOnThePassivePort",
     [](FakeFtpServer& s) {
         s.PassiveReply = [](int) {
             quint16 dead = FakeFtpServer::DeadPort();
             return "227 Entering Passive Mode (127,0,0,1," + std::to_string(dead / 256) + ',' +
                    std::to_string(dead % 256) + ")\r\n";
         };
     },
     SocketRefused, "Data connection to 127.0.0.1:", false, "STOR"},
    {"PortRefused", [](FakeFtpServer& s) { s.Replies["PORT"] = "425 Can't connect\r\n"; }, 425,
     "PORT with 425", true, "STOR", false},
    {"NoDataConnectionAfter150",
     [](FakeFtpServer& s) {
         s.ConnectBackOnPort = false;
         s.StorePreliminary = "150 Ok\r\n425 Failed to establish connection.\r\n";
     },
     425, "425 Failed to establish connection.", true, nullptr, false},
    {"ServiceClosingAfter150",
     [](FakeFtpServer& s) {
         s.Handlers["STOR"] = [&s](const std::string&) {
             s.Send("150 Go\r\n421 Service not available, closing control connection\r\n");
             s.CloseControl();
         };
     },
     421, "421 Service not available", false},
    {"SilenceAfter150WithoutDataConnection", [](FakeFtpServer& s) { s.ConnectBackOnPort = false; },
     FtpTimeoutError, "Timed out after 0.4 s waiting for the server to open the data connection",
     false, nullptr, false},
    {"NoReplyToStore", [](FakeFtpServer& s) { s.Replies["STOR"] = ""; }, FtpTimeoutError,
     "Timed out after 0.4 s waiting for the reply to STOR"},
    {"NoFinalReplyAfterTheData", [](FakeFtpServer& s) { s.StoreFinal = ""; }, FtpTimeoutError,
     "Timed out after 0.4 s waiting for the reply to STOR"},
    {"SilentServer", [](FakeFtpServer& s) { s.Greeting = ""; }, FtpTimeoutError,
     "Timed out after 0.4 s waiting for the server's greeting", false, "USER"},
    {"SlowDirectoryChange", [](FakeFtpServer& s) { s.Replies["CWD"] = ""; }, FtpTimeoutError,
     "Timed out after 0.4 s waiting for the reply to CWD", false, "TYPE"},
    {"TimeoutInPlaceOfAReply", [](FakeFtpServer& s) { s.Replies["CWD"] = "421 Timeout!\r\n"; }, 421,
     "421 Timeout!", false, "TYPE"},
    {"IdleTimeoutBeforeTheNextCommand",
     [](FakeFtpServer& s) {
         s.Replies["PASS"] = "230 Logged in\r\n421 Control connection timed out.\r\n";
     },
     421, "421 Control connection timed out.", false, "CWD"},
    {"ControlClosedDuringTheStore",
     [](FakeFtpServer& s) {
         s.StoreFinal = "";
         s.Handlers["STOR"] = [&s](const std::string&) {
             s.StoreActive = true;
             s.Send("150 Go\r\n");
             s.CloseControl();
         };
     },
     SocketClosed, "Connection closed by 127.0.0.1:"},
    {"DataConnectionFromElsewhere",
     [](FakeFtpServer& s) {
         // Turned away, the connection reads as an empty file to the server, which says 226.
         s.ConnectBackFrom = QHostAddress(QStringLiteral("127.0.0.2"));
         s.ConnectBackAtStore = true;
     },
     FtpForeignDataConnectionError,
     "STOR hello.txt came from 127.0.0.2, not from the server at 127.0.0.1, and was turned away",
     true, nullptr, false},
    {"TransferAbortedAfterTheData",
     [](FakeFtpServer& s) { s.StoreFinal = "426 Connection closed; transfer aborted.\r\n"; }, 426,
     "426 Connection closed; transfer aborted.", true},
    {"CompleteBeforeTheDataWasSent",
     [](FakeFtpServer& s) { s.StorePreliminary = "150 Go\r\n226 Transfer complete\r\n"; },
     FtpProtocolError, "226 before all of the file was sent"},
    {"CompleteWithoutPreliminaryReply",
     [](FakeFtpServer& s) { s.Replies["STOR"] = "226 Transfer complete\r\n"; }, FtpProtocolError,
     "226 before any of the file was sent"},
    {"NotAReply", [](FakeFtpServer& s) { s.Greeting = "HELLO there\r\n"; }, FtpProtocolError,
     "not a reply: \"HELLO there\"", false, "USER"},
    {"EndlessLine", [](FakeFtpServer& s) { s.Greeting = "220 " + std::string(100000, 'x'); },
     FtpProtocolError, "longer than 4096 bytes", false, "USER"},
    {"EndlessMultiLineReply",
     [](FakeFtpServer& s) { s.Greeting = "220-Hello\r\n" + Repeated("220-and more\r\n", 6000); },
     FtpProtocolError, "reply longer than 65536 bytes", false, "USER"},
};

INSTANTIATE_TEST_SUITE_P(FakeServer, Faults, ::testing::ValuesIn(FaultCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ClientFixture, RefusedConnectionIsNeverSuccess) {
    Client.Port = std::to_string(FakeFtpServer::DeadPort());
    EXPECT_FALSE(Client.Connect());
    // The socket layer numbers "connection refused" 0.
    EXPECT_EQ(Client.ErrorCode(), SocketRefused);
    EXPECT_EQ(Client.ErrorMessage(), "Connection refused by 127.0.0.1:" + Client.Port);
    EXPECT_EQ(Done, (std::vector<std::string>{"Connect " + std::to_string(SocketRefused)}));
    EXPECT_FALSE(Client.GetConnected());
}

TEST_F(ClientFixture, SettingsThatCannotBeSentAreRefusedBeforeAnythingIsSent) {
    FakeFtpServer server;
    for (std::string port : {"0", "65536", "21x", "", "-21"}) {
        Client.Port = port;
        EXPECT_FALSE(Client.Connect()) << port;
        EXPECT_EQ(Client.ErrorCode(), FtpSettingsError) << port;
    }
    Client.Port = server.PortText();
    Client.UserName = "alice\r\nDELE guide.dvx";
    EXPECT_FALSE(Client.Connect());
    EXPECT_EQ(Client.ErrorCode(), FtpSettingsError);
    EXPECT_TRUE(server.Commands.empty());

    Client.UserName = "alice";
    ASSERT_TRUE(Client.Connect());
    Client.HostDirName = "www\r\nDELE guide.dvx";
    EXPECT_FALSE(Client.Cwd());
    EXPECT_EQ(Client.ErrorCode(), FtpSettingsError);
    Client.LocalFileName = LocalFile("x");
    Client.HostFileName = "a.txt\nDELE guide.dvx";
    EXPECT_FALSE(Client.Put());
    EXPECT_EQ(Client.ErrorCode(), FtpSettingsError);
    Client.HostFileName = "a.txt";
    Client.LocalFileName = Files.File("no such file");
    EXPECT_FALSE(Client.Put());
    EXPECT_EQ(Client.ErrorCode(), FtpLocalFileError);
    EXPECT_NE(Client.ErrorMessage().find("no such file"), std::string::npos);

    EXPECT_FALSE(server.Received("DELE"));
    EXPECT_FALSE(server.Received("PASV"));
    EXPECT_TRUE(Client.GetConnected());
}

TEST_F(ClientFixture, RequestsWithoutSessionFailButQuitAndAbortSucceed) {
    EXPECT_FALSE(Client.Cwd());
    EXPECT_EQ(Client.ErrorCode(), FtpNotConnectedError);
    EXPECT_FALSE(Client.Put());
    EXPECT_TRUE(Client.Quit());
    Client.Abort();
    EXPECT_EQ(Done, (std::vector<std::string>{"Cwd 20005", "Put 20005", "Quit 0", "Abort 0"}));
}

} // namespace
} // namespace dravenloom
