// A store's bytes on their way: a data connection the server resets is never success, the tail
// of a file on a slow line is a sign of life, a reply that never completes gives up after the
// reply limit, and a program told to end lets go of the request that waits.
#include "FakeFtpServer.h"
#include "FtpTestSupport.h"
#include "support/Watchdog.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace dravenloom {
namespace {

using std::chrono::milliseconds;

class Transit : public ClientFixture {
protected:
    Transit() : ClientFixture(milliseconds(300)) {
        Client.Port = Server.PortText();
        Client.ReplyLimit = milliseconds(600);
    }
    FakeFtpServer Server;
};

TEST_F(Transit, ADataConnectionResetMidStoreFailsWhateverTheServerAnswers) {
    // The server takes 1,000 bytes, resets the data connection and says 226 all the same.
    for (bool passive : {true, false}) {
        FakeFtpServer server;
        server.ResetDataAfter = 1000;
        Client.Port = server.PortText();
        Client.Passive = passive;
        Done.clear();
        EXPECT_FALSE(ConnectAndPut(BinaryBytes(16 * 1024 * 1024))) << passive;
        EXPECT_TRUE(IsFtpSocketError(Client.ErrorCode()))
            << Client.ErrorCode() << ' ' << Client.ErrorMessage();
        EXPECT_NE(Client.ErrorMessage().find("Data connection to 127.0.0.1:"), std::string::npos)
            << Client.ErrorMessage();
        EXPECT_EQ(Done.back(), "Put " + std::to_string(Client.ErrorCode()));
        EXPECT_LT(server.Stored.size(), 16 * 1024 * 1024);
    }
}

TEST_F(Transit, TheTailOfAStoreOnASlowLineIsASignOfLife) {
    // About 200 KB a second with small buffers on the server's side: the system's buffer on our
    // side takes longer than the timeout to make room and to send the tail of the file, and
    // the whole store takes longer than the reply limit, which bytes on their way are not
    // held to.
    const std::string bytes = BinaryBytes(600 * 1024);
    const auto store = [&](FakeFtpServer& server) {
        Client.Port = server.PortText();
        Client.Passive = true;
        Client.LocalFileName = LocalFile(bytes);
        Client.HostFileName = "slow.bin";
        Clock.restart();
        return Client.Connect() && Client.TypeSet() && Client.Put();
    };
    // Long enough to hold on a loaded machine, whose timers run late.
    Client.Timeout = milliseconds(1000);
    Client.ReplyLimit = milliseconds(1500);
    Server.SlowData = {4096, 20};
    ASSERT_TRUE(store(Server)) << Client.ErrorMessage() << " after " << Elapsed() << " ms";
    EXPECT_GT(Elapsed(), Client.ReplyLimit.count());
    EXPECT_EQ(Server.Stored.size(), bytes.size());
    EXPECT_TRUE(Server.Stored.toStdString() == bytes);

    // The same line stalling: silence is silence, tail or not.
    FakeFtpServer stalling;
    stalling.SlowData = {4096, 20};
    Later(400, [&stalling] { stalling.HoldData = true; });
    EXPECT_FALSE(store(stalling));
    EXPECT_EQ(Client.ErrorCode(), FtpTimeoutError) << Client.ErrorMessage();
    EXPECT_LT(Elapsed(), 400 + 3 * Client.Timeout.count() + 1000);
}

struct Trickle {
    const char* Name;
    // Keeps the server busy for a few seconds without ever completing the reply to CWD.
    std::function<void(FakeFtpServer&)> Script;
};

class Trickles : public Transit, public ::testing::WithParamInterface<Trickle> {};

TEST_P(Trickles, AReplyNotCompleteWithinTheLimitFailsItsRequest) {
    GetParam().Script(Server);
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    Client.HostDirName = "www";
    Clock.restart();
    EXPECT_FALSE(Client.Cwd());
    EXPECT_EQ(Client.ErrorCode(), FtpTimeoutError);
    EXPECT_EQ(Client.ErrorMessage(), "Gave up after 0.6 s waiting for the reply to CWD: the "
                                     "server kept the reply from being complete");
    EXPECT_GE(Elapsed(), Client.ReplyLimit.count() * 9 / 10); // timers may run 5 % early
    EXPECT_LT(Elapsed(), Client.ReplyLimit.count() + 1000);
    EXPECT_FALSE(Client.GetConnected());
    EXPECT_EQ(Done.back(), "Cwd " + std::to_string(FtpTimeoutError));
}

const Trickle TrickleCases[] = {
    {"OneByteAtATime",
     [](FakeFtpServer& s) {
         s.Handlers["CWD"] = [&s](const std::string&) {
             s.SendInPieces("250-Directory changed\r\n250-" + std::string(60, '.'), 1, 50);
         };
     }},
    {"PreliminaryRepliesOverAndOver",
     [](FakeFtpServer& s) {
         s.Handlers["CWD"] = [&s](const std::string&) {
             std::string waits;
             for (int i = 0; i < 60; ++i)
                 waits += "120 Wait a moment\r\n";
             s.SendInPieces(waits, 19, 50);
         };
     }},
};

INSTANTIATE_TEST_SUITE_P(FakeServer, Trickles, ::testing::ValuesIn(TrickleCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Transit, AProgramToldToEndLetsGoOfTheRequestThatWaits) {
    Server.Replies["STOR"] = ""; // a store that stalls
    Client.Timeout = milliseconds(5000);
    Client.ReplyLimit = milliseconds(5000);
    ASSERT_TRUE(Client.Connect());
    Client.LocalFileName = LocalFile("data");
    Client.HostFileName = "a.bin";
    // The window's close ends the program's loop while the request waits inside it: from then
    // on no event loop runs, so nothing the request waits for can come.
    Later(100, [] { QCoreApplication::exit(0); });
    {
        Watchdog watchdog(milliseconds(10000));
        EXPECT_FALSE(Client.Put());
        EXPECT_LT(Elapsed(), 1000);
        EXPECT_FALSE(Client.Quit());
    }
    // The program's loop would end here; run one so that loops work again for the next tests.
    QTimer::singleShot(0, &Client, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();

    EXPECT_EQ(Client.ErrorCode(), FtpAbortedError);
    EXPECT_EQ(Client.ErrorMessage(), "Quit was abandoned: the program is ending");
    EXPECT_FALSE(Client.GetConnected());
    EXPECT_EQ(Done, (std::vector<std::string>{"Connect 0"}));
    // A new session works.
    FakeFtpServer next;
    Client.Port = next.PortText();
    ASSERT_TRUE(ConnectAndPut("again")) << Client.ErrorMessage();
    EXPECT_EQ(next.Stored.toStdString(), "again");
}

} // namespace
} // namespace dravenloom
