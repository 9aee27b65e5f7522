// What runs while a request waits: the window's timers and buttons, Abort, a second request,
// the upload's error handler inside the notification, even the client's own deletion.
#include "FakeFtpServer.h"
#include "FtpTestSupport.h"

namespace dravenloom {
namespace {

class Waits : public ClientFixture {
protected:
    Waits() : ClientFixture(std::chrono::milliseconds(2000)) { Client.Port = Server.PortText(); }
    FakeFtpServer Server;
};

TEST_F(Waits, EventLoopRunsWhileARequestWaits) {
    Server.Greeting = "";
    Client.Timeout = std::chrono::milliseconds(300);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] { ++ticks; });
    ticker.start(10);
    EXPECT_FALSE(Client.Connect());
    EXPECT_EQ(Client.ErrorCode(), FtpTimeoutError);
    EXPECT_GE(ticks, 10);
}

TEST_F(Waits, AbortFromATimerEndsTheRequestAtOnceWithoutReportingIt) {
    Server.Replies["STOR"] = ""; // the server never answers
    ASSERT_TRUE(Client.Connect());
    Client.LocalFileName = LocalFile("data");
    Client.HostFileName = "a.bin";
    Later(100, [this] { Client.Abort(); });
    Clock.restart();

    EXPECT_FALSE(Client.Put());
    EXPECT_LT(Elapsed(), 1000);
    EXPECT_EQ(Client.ErrorCode(), FtpAbortedError);
    EXPECT_EQ(Client.ErrorMessage(), "Put was abandoned by Abort");
    EXPECT_FALSE(Client.GetConnected());
    // The abandoned Put notifies nothing: the caller asked for it.
    EXPECT_EQ(Done, (std::vector<std::string>{"Connect 0", "Abort 0"}));

    // The client is as good as new.
    FakeFtpServer next;
    Client.Port = next.PortText();
    ASSERT_TRUE(ConnectAndPut("again")) << Client.ErrorMessage();
    EXPECT_EQ(next.Stored.toStdString(), "again");
}

TEST_F(Waits, AbortWhileConnecting) {
    Server.Greeting = "";
    Later(50, [this] { Client.Abort(); });
    EXPECT_FALSE(Client.Connect());
    EXPECT_EQ(Client.ErrorCode(), FtpAbortedError);
    EXPECT_EQ(Done, (std::vector<std::string>{"Abort 0"}));
    EXPECT_FALSE(Server.Received("USER"));
}

TEST_F(Waits, ErrorHandlerMayAbortAndQuitInsideTheNotification) {
    // What the upload does with the first error of a run.
    Server.Replies["CWD"] = "550 No such directory\r\n";
    AfterRequest = [this](FtpRequest, int code) {
        if (code != 0) {
            Client.Abort();
            Client.Quit();
        }
    };
    ASSERT_TRUE(Client.Connect());
    Client.HostDirName = "missing";
    EXPECT_FALSE(Client.Cwd());
    EXPECT_EQ(Done, (std::vector<std::string>{"Connect 0", "Cwd 550", "Abort 0", "Quit 0"}));
    EXPECT_FALSE(Client.GetConnected());
    // The run goes on calling until it sees the list emptied; nothing breaks.
    AfterRequest = nullptr;
    EXPECT_FALSE(Client.TypeSet());
    EXPECT_EQ(Client.ErrorCode(), FtpNotConnectedError);
}

TEST_F(Waits, SecondRequestWhileOneWaitsIsRefusedAndTheFirstGoesOn) {
    Server.Handlers["CWD"] = [this](const std::string&) {
        QTimer::singleShot(150, &Server, [this] { Server.Send("250 OK\r\n"); });
    };
    ASSERT_TRUE(Client.Connect());
    bool secondResult = true;
    int codeSeenDuring = -1;
    Later(50, [&] {
        Client.SetBinary(true);
        secondResult = Client.TypeSet();
        codeSeenDuring = Client.ErrorCode();
    });
    Client.HostDirName = "www";
    EXPECT_TRUE(Client.Cwd()) << Client.ErrorMessage();
    EXPECT_FALSE(secondResult);
    EXPECT_EQ(codeSeenDuring, 0);
    EXPECT_FALSE(Server.Received("TYPE"));
    EXPECT_EQ(Done, (std::vector<std::string>{"Connect 0", "Cwd 0"}));
    // The reply to CWD went to CWD, so the next request gets its own.
    EXPECT_TRUE(Client.TypeSet());
}

TEST_F(Waits, ClientDeletedInsideItsOwnWait) {
    Server.Greeting = "";
    auto* client = new QtFtpClient;
    client->HostName = "127.0.0.1";
    client->Port = Server.PortText();
    bool notified = false;
    client->OnRequestDone = [&](FtpRequest, int) { notified = true; };
    QTimer::singleShot(50, &Server, [client] { delete client; });
    Clock.restart();
    EXPECT_FALSE(client->Connect());
    EXPECT_LT(Elapsed(), 1000);
    EXPECT_FALSE(notified);
}

TEST_F(Waits, TimeoutCountsSilenceNotTheLengthOfARequest) {
    // A server that keeps talking, however slowly, is alive; a long store on a slow line is the
    // same case, each batch of bytes the system takes counting as a sign of life.
    Client.Timeout = std::chrono::milliseconds(400);
    Server.Greeting = "220-Welcome\r\n";
    for (int line = 0; line < 16; ++line)
        Server.Greeting += "220-line " + std::to_string(line) + "\r\n";
    Server.Greeting += "220 Ready\r\n";
    Server.GreetingPieceSize = 12;
    Server.GreetingPieceInterval = 100;
    EXPECT_TRUE(Client.Connect()) << Client.ErrorMessage();
    EXPECT_GT(Elapsed(), 3 * Client.Timeout.count());

    // The same pieces with a pause longer than the timeout between two of them.
    FakeFtpServer stalling;
    stalling.Greeting = Server.Greeting;
    stalling.GreetingPieceSize = 12;
    stalling.GreetingPieceInterval = 800;
    Client.Port = stalling.PortText();
    EXPECT_FALSE(Client.Connect());
    EXPECT_EQ(Client.ErrorCode(), FtpTimeoutError);
}

} // namespace
} // namespace dravenloom
