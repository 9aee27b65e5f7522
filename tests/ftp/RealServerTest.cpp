// Uploads to pyftpdlib on 127.0.0.1: what lands on the server's disk, and the faults a real
// server produces (refused login, missing directory, refused store, death mid-transfer, Abort).
#include "FtpTestSupport.h"
#include "PyFtpServer.h"

#include <filesystem>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

class RealServer : public ClientFixture {
protected:
    explicit RealServer(int readLimit = 0)
        : ClientFixture(std::chrono::milliseconds(5000)), ReadLimit(readLimit) {}

    void SetUp() override {
        if (PyFtpServer::Unavailable())
            GTEST_SKIP() << "pyftpdlib is not installed (python3-pyftpdlib)";
        fs::create_directories(Root.Path / "www" / "img");
        Server = std::make_unique<PyFtpServer>(Root.Path, ReadLimit);
        ASSERT_TRUE(Server->Ready()) << Server->Log;
        Client.Port = Server->PortText();
    }

    std::string OnServer(const std::string& path) { return ReadBytes(Root.Path / path); }

    int ReadLimit;
    TempDirectory Root;
    std::unique_ptr<PyFtpServer> Server;
};

struct UploadCase {
    const char* Name;
    bool Passive;
    bool Binary;
    std::size_t Size;
};

class Uploads : public RealServer, public ::testing::WithParamInterface<UploadCase> {};

TEST_P(Uploads, FileOnTheServerIsTheLocalFile) {
    const UploadCase& upload = GetParam();
    Client.Passive = upload.Passive;
    const std::string bytes = upload.Binary ? BinaryBytes(upload.Size) : TextLines(upload.Size);
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    Client.HostDirName = "www";
    ASSERT_TRUE(Client.Cwd()) << Client.ErrorMessage();
    Client.SetBinary(upload.Binary);
    ASSERT_TRUE(Client.TypeSet()) << Client.ErrorMessage();
    Client.LocalFileName = LocalFile(bytes);
    Client.HostFileName = "file.dat";
    ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
    ASSERT_TRUE(Client.Quit()) << Client.ErrorMessage();

    // In TYPE A the lines travel with CR LF and the server stores its own line ends (LF).
    const std::string stored = OnServer("www/file.dat");
    EXPECT_EQ(stored.size(), bytes.size());
    EXPECT_TRUE(stored == bytes);
    EXPECT_EQ(Done,
              (std::vector<std::string>{"Connect 0", "Cwd 0", "TypeSet 0", "Put 0", "Quit 0"}));
}

const UploadCase UploadCases[] = {
    {"PassiveBinaryEmpty", true, true, 0},
    {"PassiveBinarySeveralMegabytes", true, true, 5 * 1024 * 1024 + 17},
    {"ActiveBinaryEmpty", false, true, 0},
    {"ActiveBinarySeveralMegabytes", false, true, 5 * 1024 * 1024 + 17},
    {"PassiveTextEmpty", true, false, 0},
    {"PassiveTextSeveralMegabytes", true, false, 3 * 1024 * 1024},
    {"ActiveTextSeveralMegabytes", false, false, 3 * 1024 * 1024},
};

INSTANTIATE_TEST_SUITE_P(Pyftpdlib, Uploads, ::testing::ValuesIn(UploadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RealServer, LargeFileGoesAtTheSpeedOfTheLine) {
    // Loopback and this server take 20 MB in well under a second in either mode; a client that
    // misses a wake-up sits idle between batches of bytes and takes many times as long.
    const std::string bytes = BinaryBytes(20 * 1024 * 1024);
    for (bool passive : {true, false}) {
        Client.Passive = passive;
        ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
        ASSERT_TRUE(Client.TypeSet());
        Client.LocalFileName = LocalFile(bytes);
        Client.HostFileName = "large.bin";
        Clock.restart();
        ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
        EXPECT_LT(Elapsed(), 2500) << (passive ? "passive" : "active");
        EXPECT_EQ(fs::file_size(Root.Path / "large.bin"), bytes.size());
        ASSERT_TRUE(Client.Quit());
    }
}

TEST_F(RealServer, OneSessionStoresIntoTwoDirectoriesAsTheUploadDoes) {
    Client.Passive = true;
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    Client.HostDirName = "www";
    ASSERT_TRUE(Client.Cwd());
    Client.SetBinary(false); // the first file goes in the session's own type
    Client.LocalFileName = LocalFile("<html>\n</html>\n", "index.html");
    Client.HostFileName = "index.html";
    ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
    Client.SetBinary(true);
    ASSERT_TRUE(Client.TypeSet());
    Client.LocalFileName = LocalFile(BinaryBytes(3000), "Dravenloom.class");
    Client.HostFileName = "Dravenloom.class";
    ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
    // The second directory is named from the first, as the image directory is.
    Client.HostDirName = "img";
    ASSERT_TRUE(Client.Cwd());
    Client.LocalFileName = LocalFile(BinaryBytes(1234), "gray.gif");
    Client.HostFileName = "gray.gif";
    ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
    EXPECT_TRUE(Client.GetConnected());
    ASSERT_TRUE(Client.Quit());
    EXPECT_FALSE(Client.GetConnected());

    EXPECT_EQ(OnServer("www/index.html"), "<html>\n</html>\n");
    EXPECT_EQ(OnServer("www/Dravenloom.class"), BinaryBytes(3000));
    EXPECT_EQ(OnServer("www/img/gray.gif"), BinaryBytes(1234));
}

TEST_F(RealServer, RefusedLogin) {
    Client.PassWord = "wrong";
    EXPECT_FALSE(Client.Connect());
    EXPECT_EQ(Client.ErrorCode(), 530);
    EXPECT_EQ(Client.ErrorMessage(),
              "Login to 127.0.0.1:" + Client.Port + " failed: 530 Authentication failed.");
    EXPECT_FALSE(Client.GetConnected());
    EXPECT_LT(Elapsed(), 3000);
}

TEST_F(RealServer, MissingDirectory) {
    ASSERT_TRUE(Client.Connect());
    Client.HostDirName = "no-such-dir";
    EXPECT_FALSE(Client.Cwd());
    EXPECT_EQ(Client.ErrorCode(), 550);
    EXPECT_EQ(Client.ErrorMessage(),
              "The server answered CWD no-such-dir with 550 No such file or directory.");
    EXPECT_TRUE(Client.GetConnected());
}

TEST_F(RealServer, RefusedStore) {
    Client.UserName = "reader";
    Client.Passive = true;
    EXPECT_FALSE(ConnectAndPut("not for this user"));
    EXPECT_EQ(Client.ErrorCode(), 550);
    EXPECT_EQ(Client.ErrorMessage(),
              "The server answered STOR up.bin with 550 Not enough privileges.");
    EXPECT_FALSE(fs::exists(Root.Path / "up.bin"));
    // The session goes on after a refused store.
    Client.HostFileName = "again.bin";
    EXPECT_FALSE(Client.Put());
    EXPECT_EQ(Client.ErrorCode(), 550);
}

// A throttled server (about 1 MB a second), so that a store is still going when the test acts.
class SlowServer : public RealServer {
protected:
    SlowServer() : RealServer(1024 * 1024) {}
    const std::string Big = BinaryBytes(24 * 1024 * 1024);
};

TEST_F(SlowServer, KilledMidTransfer) {
    ExpectKilledMidTransferFails(Big, 500, [this] { Server->Kill(); });
}

TEST_F(SlowServer, AbortMidTransfer) {
    ExpectAbortMidTransferEndsAtOnce(Big, 500, Root.Path);
}

} // namespace
} // namespace dravenloom
