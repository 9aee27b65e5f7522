// The scripted client that the upload's tests use keeps the rules of the real one, and so does
// the client the upload really uses, which hands each request on to the real one: the same
// calls, in the same situations, give the same notifications, results and states.
#include "FakeFtpServer.h"
#include "FtpTestSupport.h"
#include "ftp/UploadClient.h"
#include "support/ScriptedFtpClient.h"

namespace dravenloom {
namespace {

struct Outcome {
    std::vector<std::string> Done;
    std::vector<bool> Results;
    int LastCode = 0;
    bool Connected = true;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    for (const std::string& d : o.Done)
        out << d << "; ";
    out << "results";
    for (bool r : o.Results)
        out << ' ' << r;
    return out << " code " << o.LastCode << " connected " << o.Connected;
}

// The upload's order of calls, with its error handler: the first error aborts and quits.
Outcome RunLikeTheUpload(FtpClient& client, const std::function<void(int)>& duringPut = {}) {
    Outcome outcome;
    bool running = true;
    client.OnRequestDone = [&](FtpRequest request, int code) {
        outcome.Done.push_back(std::string(FtpRequestName(request)) + ' ' + std::to_string(code));
        if (code != 0 && running) {
            running = false;
            client.Abort();
            client.Quit();
        }
    };
    client.HostDirName = "www";
    outcome.Results.push_back(client.Connect());
    outcome.Results.push_back(client.Cwd());
    client.SetBinary(true);
    outcome.Results.push_back(client.TypeSet());
    if (duringPut)
        duringPut(0);
    outcome.Results.push_back(client.Put());
    outcome.LastCode = client.ErrorCode();
    outcome.Connected = client.GetConnected();
    if (outcome.Connected)
        client.Quit();
    client.OnRequestDone = nullptr;
    return outcome;
}

class Contract : public ClientFixture {
protected:
    Contract() {
        Client.Port = Server.PortText();
        Client.LocalFileName = LocalFile("bytes");
        Client.HostFileName = "up.bin";
        Scripted.LocalFileName = Client.LocalFileName;
        Scripted.HostFileName = Client.HostFileName;
        Handing.HostName = Client.HostName;
        Handing.Port = Client.Port;
        Handing.UserName = Client.UserName;
        Handing.PassWord = Client.PassWord;
        Handing.Timeout = Client.Timeout;
        Handing.LocalFileName = Client.LocalFileName;
        Handing.HostFileName = Client.HostFileName;
    }
    FakeFtpServer Server;
    ScriptedFtpClient Scripted;
    UploadClient Handing; // over a QtFtpClient of its own, to the same server
};

TEST_F(Contract, FirstErrorAbortsAndQuitsAndTheRestFailsWithoutSession) {
    Server.Replies["CWD"] = "550 No such directory\r\n";
    Scripted.Failures.push_back({FtpRequest::Cwd, 1, 550, "No such directory"});
    const Outcome expected{
        {"Connect 0", "Cwd 550", "Abort 0", "Quit 0", "TypeSet 20005", "Put 20005"},
        {true, false, false, false},
        FtpNotConnectedError,
        false};
    EXPECT_EQ(RunLikeTheUpload(Client), expected);
    EXPECT_EQ(RunLikeTheUpload(Scripted), expected);
    EXPECT_EQ(RunLikeTheUpload(Handing), expected);
}

TEST_F(Contract, AbortDuringAStoreEndsItSilently) {
    Server.Replies["STOR"] = "";
    Scripted.DuringRequest = [this](FtpRequest request, int) {
        if (request == FtpRequest::Put)
            Scripted.Abort();
    };
    const Outcome expected{{"Connect 0", "Cwd 0", "TypeSet 0", "Abort 0"},
                           {true, true, true, false},
                           FtpAbortedError,
                           false};
    EXPECT_EQ(RunLikeTheUpload(Client, [this](int) { Later(50, [this] { Client.Abort(); }); }),
              expected);
    EXPECT_EQ(RunLikeTheUpload(Scripted), expected);
    EXPECT_EQ(
        RunLikeTheUpload(Handing, [this](int) { Later(50, [this] { Handing.Abort(); }); }),
        expected);
}

TEST_F(Contract, CallWhileAnotherWaitsIsRefusedWithoutNotification) {
    Server.Handlers["CWD"] = [this](const std::string&) {
        QTimer::singleShot(100, &Server, [this] { Server.Send("250 OK\r\n"); });
    };
    bool refusedReal = false;
    bool refusedScripted = false;
    Scripted.DuringRequest = [&](FtpRequest request, int) {
        if (request == FtpRequest::Cwd)
            refusedScripted = !Scripted.TypeSet();
    };
    const Outcome expected{
        {"Connect 0", "Cwd 0", "TypeSet 0", "Put 0", "Quit 0"}, {true, true, true, true}, 0, true};
    Later(30, [&] { refusedReal = !Client.TypeSet(); });
    EXPECT_EQ(RunLikeTheUpload(Client), expected);
    EXPECT_EQ(RunLikeTheUpload(Scripted), expected);
    EXPECT_TRUE(refusedReal);
    EXPECT_TRUE(refusedScripted);
    bool refusedHanding = false;
    Later(30, [&] { refusedHanding = !Handing.TypeSet(); });
    EXPECT_EQ(RunLikeTheUpload(Handing), expected);
    EXPECT_TRUE(refusedHanding);
}

} // namespace
} // namespace dravenloom
