// The reply forms servers really send, each through a whole session against the scripted
// server: a form the client misreads either fails the session or shifts every later reply by
// one, which the last requests would show.
#include "FakeFtpServer.h"
#include "FtpTestSupport.h"

namespace dravenloom {
namespace {

struct FormCase {
    const char* Name;
    std::function<void(FakeFtpServer&)> Script;
    bool Passive = true;
};

class ReplyForms : public ClientFixture, public ::testing::WithParamInterface<FormCase> {};

TEST_P(ReplyForms, SessionRunsToTheEnd) {
    FakeFtpServer server;
    GetParam().Script(server);
    Client.Port = server.PortText();
    Client.Passive = GetParam().Passive;
    const std::string bytes = BinaryBytes(70000);

    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    Client.HostDirName = "www";
    ASSERT_TRUE(Client.Cwd()) << Client.ErrorMessage();
    Client.SetBinary(true);
    ASSERT_TRUE(Client.TypeSet()) << Client.ErrorMessage();
    Client.LocalFileName = LocalFile(bytes);
    Client.HostFileName = "guide.dvx";
    ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
    EXPECT_TRUE(Client.GetConnected());
    ASSERT_TRUE(Client.Quit()) << Client.ErrorMessage();

    EXPECT_FALSE(Client.GetConnected());
    EXPECT_EQ(server.Stored.size(), bytes.size());
    EXPECT_TRUE(server.Stored.toStdString() == bytes);
    EXPECT_EQ(Done,
              (std::vector<std::string>{"Connect 0", "Cwd 0", "TypeSet 0", "Put 0", "Quit 0"}));
    EXPECT_TRUE(server.Received("CWD www"));
    EXPECT_TRUE(server.Received("TYPE I"));
    EXPECT_TRUE(server.Received("STOR guide.dvx"));
    EXPECT_TRUE(server.Received("QUIT"));
    EXPECT_EQ(Client.ErrorCode(), 0);
    EXPECT_EQ(Client.ErrorMessage(), "");
}

const FormCase Forms[] = {
    {"PlainReplies", [](FakeFtpServer&) {}},
    {"ActiveMode", [](FakeFtpServer&) {}, false},
    {"MultiLineGreetingWithUncodedLines",
     [](FakeFtpServer& s) {
         s.Greeting = "220-Welcome to the server\r\nsecond line without a code\r\n 220 indented, "
                      "not the end\r\n220-still not the end\r\n220 \r\n";
     }},
    {"MultiLineReplyToPass",
     [](FakeFtpServer& s) { s.Replies["PASS"] = "230-Welcome\r\n230-Rules apply\r\n230 In\r\n"; }},
    {"BareLineFeeds", [](FakeFtpServer& s) { s.BareLf = true; }},
    {"BareLineFeedsActive", [](FakeFtpServer& s) { s.BareLf = true; }, false},
    {"NotReadyThenReadyInOneRead",
     [](FakeFtpServer& s) { s.Greeting = "120 Ready in a moment\r\n220 Ready\r\n"; }},
    {"RepliesInOneBytePieces",
     [](FakeFtpServer& s) {
         s.Greeting = "220-Slow\r\n220 server\r\n";
         s.GreetingPieceSize = 1;
         s.Handlers["PASS"] = [&s](const std::string&) {
             s.SendInPieces("230-Hello\r\n230 Logged in\r\n", 1);
         };
     }},
    {"ThreeRepliesWorthInPiecesOfFive",
     [](FakeFtpServer& s) {
         s.Handlers["CWD"] = [&s](const std::string&) {
             s.SendInPieces("250-Directory\r\n250-changed to www\r\n250 OK\r\n", 5);
         };
     }},
    {"DataConnectionAlreadyOpen",
     [](FakeFtpServer& s) { s.StorePreliminary = "125 Data connection already open\r\n"; }},
    {"DataConnectionAlreadyOpenActive",
     [](FakeFtpServer& s) { s.StorePreliminary = "125 Data connection already open\r\n"; }, false},
    {"NoPasswordNeeded", [](FakeFtpServer& s) { s.Replies["USER"] = "230 Come in\r\n"; }},
    {"PassiveAddressNamesAnotherHost",
     // Only the port of a 227 is used: the data goes to the host we are connected to.
     [](FakeFtpServer& s) {
         s.PassiveReply = [](int port) {
             return "227 Entering Passive Mode (10,9,8,7," + std::to_string(port / 256) + ',' +
                    std::to_string(port % 256) + ")\r\n";
         };
     }},
};

INSTANTIATE_TEST_SUITE_P(FakeServer, ReplyForms, ::testing::ValuesIn(Forms),
                         [](const auto& info) { return std::string(info.param.Name); });

// The forms of 227 seen in the wild: six numbers, wherever they stand.
class PassiveForms : public ClientFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(PassiveForms, DataReachesTheServer) {
    FakeFtpServer server;
    const std::string form = GetParam();
    server.PassiveReply = [form](int port) {
        std::string numbers =
            "127,0,0,1," + std::to_string(port / 256) + ',' + std::to_string(port % 256);
        std::string reply = form;
        reply.replace(reply.find('@'), 1, numbers);
        return reply + "\r\n";
    };
    Client.Port = server.PortText();
    Client.Passive = true;
    ASSERT_TRUE(ConnectAndPut("abc")) << Client.ErrorMessage();
    EXPECT_EQ(server.Stored.toStdString(), "abc");
}

std::string PassiveFormName(const ::testing::TestParamInfo<const char*>& info) {
    const char* names[] = {"BracketsAndFullStop", "Brackets", "AfterFullStop", "PlainAtTheEnd",
                           "AfterEqualsSign"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(FakeServer, PassiveForms,
                         ::testing::Values("227 Entering Passive Mode (@).",
                                           "227 Entering Passive Mode (@)",
                                           "227 Entering passive mode. @",
                                           "227 Data transfer will passively listen to @",
                                           "227 =@"),
                         PassiveFormName);

TEST_F(ClientFixture, TypeASendsLineEndsAsCrLfAndTypeIAsTheyAre) {
    FakeFtpServer server;
    Client.Port = server.PortText();
    Client.Passive = true;
    const std::string text = "<html>\n<body>\r\nText\n\n</body>\n";
    const std::string crlf = "<html>\r\n<body>\r\nText\r\n\r\n</body>\r\n";
    ASSERT_TRUE(Client.Connect());
    Client.LocalFileName = LocalFile(text);

    // A session starts in TYPE A, so a text file sent before any TypeSet is text too.
    Client.HostFileName = "index.html";
    ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
    EXPECT_EQ(server.Stored.toStdString(), crlf);

    Client.SetBinary(true);
    ASSERT_TRUE(Client.TypeSet());
    ASSERT_TRUE(Client.Put());
    EXPECT_EQ(server.Stored.toStdString(), text);

    // SetBinary sends nothing: the server stays in TYPE I until TypeSet says otherwise.
    Client.SetBinary(false);
    ASSERT_TRUE(Client.Put());
    EXPECT_EQ(server.Stored.toStdString(), text);
    ASSERT_TRUE(Client.TypeSet());
    ASSERT_TRUE(Client.Put());
    EXPECT_EQ(server.Stored.toStdString(), crlf);
    EXPECT_TRUE(server.Received("TYPE A"));
}

TEST_F(ClientFixture, EmptyDirectoryStaysWhereTheLoginLeftAndEmptyFileIsStored) {
    FakeFtpServer server;
    Client.Port = server.PortText();
    ASSERT_TRUE(Client.Connect());
    Client.HostDirName = "";
    EXPECT_TRUE(Client.Cwd());
    EXPECT_FALSE(server.Received("CWD"));
    Client.LocalFileName = LocalFile("");
    Client.HostFileName = "empty.txt";
    ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
    EXPECT_TRUE(server.DataClosed);
    EXPECT_EQ(server.Stored.size(), 0);
}

} // namespace
} // namespace dravenloom
