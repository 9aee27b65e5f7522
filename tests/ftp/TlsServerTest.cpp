// FTP with TLS against pyftpdlib on 127.0.0.1 with a certificate made for the test, TLS required
// on the control and data connections: files byte for byte in both modes, and every way the
// session can be refused, each of which must keep the password from the server.
#include "FtpTestSupport.h"
#include "PyFtpServer.h"
#include "TestCertificate.h"

#include <filesystem>
#include <memory>
#include <sstream>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

class TlsServer : public ClientFixture {
protected:
    explicit TlsServer(int readLimit = 0)
        : ClientFixture(std::chrono::milliseconds(5000)), ReadLimit(readLimit) {}

    void SetUp() override {
        if (PyFtpServer::Unavailable() || TlsServerUnavailable())
            GTEST_SKIP() << "pyftpdlib with TLS needs python3-pyftpdlib, python3-openssl and "
                            "openssl";
        fs::create_directories(Root.Path / "www");
        Certificate = MakeTestCertificate(Keys.Path, "IP:127.0.0.1");
        ASSERT_TRUE(Certificate.Failure.empty()) << Certificate.Failure;
        Client.Protocol = UploadProtocol::FtpTls;
        Client.TrustedFingerprint = Certificate.Fingerprint;
        StartServer(Certificate.Pem);
    }

    // A server with this certificate (none: plain FTP), TLS required, every data connection
    // in the control connection's TLS session, and more options.
    void StartServer(const fs::path& pem, QStringList options = {}) {
        Server.reset();
        fs::remove(Commands());
        if (!pem.empty())
            options << QStringLiteral("--cert") << QString::fromStdString(pem.string())
                    << QStringLiteral("--tls-required") << QStringLiteral("--require-reuse");
        options << QStringLiteral("--commands") << QString::fromStdString(Commands().string());
        Server = std::make_unique<PyFtpServer>(Root.Path, ReadLimit, options);
        ASSERT_TRUE(Server->Ready()) << Server->Log;
        Client.Port = Server->PortText();
    }

    fs::path Commands() const { return Keys.Path / "commands.log"; }
    // The commands the server received, "VERB tls" or "VERB clear", one a line.
    std::string Received() const {
        return fs::exists(Commands()) ? ReadBytes(Commands()) : std::string();
    }
    std::string OnServer(const std::string& path) { return ReadBytes(Root.Path / path); }

    int ReadLimit;
    TempDirectory Root;
    TempDirectory Keys;
    TestCertificate Certificate;
    std::unique_ptr<PyFtpServer> Server;
};

struct TlsUploadCase {
    const char* Name;
    bool Passive;
    bool Binary;
    std::size_t Size;
    bool Tls12 = false; // a server without TLS 1.3, as many still are
};

class TlsUploads : public TlsServer, public ::testing::WithParamInterface<TlsUploadCase> {};

// Two files in one session, so that the second data connection is made from the session the
// first one left behind.
TEST_P(TlsUploads, FilesOnTheServerAreTheLocalFiles) {
    const TlsUploadCase& upload = GetParam();
    if (upload.Tls12)
        StartServer(Certificate.Pem, {QStringLiteral("--tls12")});
    Client.Passive = upload.Passive;
    const std::string bytes = upload.Binary ? BinaryBytes(upload.Size) : TextLines(upload.Size);
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    EXPECT_EQ(Client.ServerFingerprint(), Certificate.Fingerprint);
    Client.HostDirName = "www";
    ASSERT_TRUE(Client.Cwd()) << Client.ErrorMessage();
    Client.SetBinary(upload.Binary);
    ASSERT_TRUE(Client.TypeSet()) << Client.ErrorMessage();
    Client.LocalFileName = LocalFile(bytes);
    Client.HostFileName = "file.dat";
    ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
    Client.LocalFileName = LocalFile(BinaryBytes(1000), "second.bin");
    Client.HostFileName = "second.dat";
    ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
    ASSERT_TRUE(Client.Quit()) << Client.ErrorMessage();

    const std::string stored = OnServer("www/file.dat");
    EXPECT_EQ(stored.size(), bytes.size());
    EXPECT_TRUE(stored == bytes);
    EXPECT_TRUE(OnServer("www/second.dat") == BinaryBytes(1000));
    EXPECT_EQ(Done, (std::vector<std::string>{"Connect 0", "Cwd 0", "TypeSet 0", "Put 0", "Put 0",
                                              "Quit 0"}));
    // Only AUTH goes in clear.
    std::istringstream lines(Received());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "AUTH clear");
    while (std::getline(lines, line))
        EXPECT_EQ(line.substr(line.find(' ')), " tls") << line;
}

const TlsUploadCase TlsUploadCases[] = {
    {"PassiveBinaryEmpty", true, true, 0},
    {"PassiveBinarySeveralMegabytes", true, true, 5 * 1024 * 1024 + 17},
    {"ActiveBinaryEmpty", false, true, 0},
    {"ActiveBinarySeveralMegabytes", false, true, 5 * 1024 * 1024 + 17},
    {"PassiveTextSeveralMegabytes", true, false, 3 * 1024 * 1024},
    {"ActiveTextSmall", false, false, 5000},
    {"PassiveBinaryOverTls12", true, true, 1024 * 1024 + 3, true},
    {"ActiveBinaryOverTls12", false, true, 1024 * 1024 + 3, true},
};

INSTANTIATE_TEST_SUITE_P(Pyftpdlib, TlsUploads, ::testing::ValuesIn(TlsUploadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// Each way the session is refused: the code, the start of the message, and whether the server
// saw the password (only a refused password itself may have been sent).
TEST_F(TlsServer, RefusedSessions) {
    const TestCertificate otherName = MakeTestCertificate(Keys.Path, "DNS:other.example");
    ASSERT_TRUE(otherName.Failure.empty()) << otherName.Failure;
    const std::string server = "127.0.0.1:";
    struct Case {
        const char* Name;
        fs::path Pem;        // the server's certificate; empty: plain FTP
        QStringList Options; // more for the server
        std::string Trusted;
        std::string Password;
        int Code;
        std::string Message; // "{port}" stands for the server's port
        bool PasswordSent;
    };
    const std::vector<Case> cases = {
        {"unknown certificate",
         Certificate.Pem,
         {},
         "",
         "secret",
         FtpUntrustedServerError,
         "its certificate is self-signed",
         false},
        {"certificate for another name",
         otherName.Pem,
         {},
         "",
         "secret",
         FtpUntrustedServerError,
         "its certificate is self-signed and was issued for another name",
         false},
        {"changed certificate",
         otherName.Pem,
         {},
         Certificate.Fingerprint,
         "secret",
         FtpServerChangedError,
         "The certificate of 127.0.0.1:{port} has changed: trusted " + Certificate.Fingerprint +
             ", now " + otherName.Fingerprint,
         false},
        {"wrong password",
         Certificate.Pem,
         {},
         Certificate.Fingerprint,
         "wrong",
         530,
         "Login to 127.0.0.1:{port} failed: 530 Authentication failed.",
         true},
        {"PROT P refused",
         Certificate.Pem,
         {QStringLiteral("--refuse-prot")},
         Certificate.Fingerprint,
         "secret",
         FtpTlsError,
         "The server refused PROT P: 534 Protection level refused by policy.; no file was sent",
         true},
        {"no TLS at all",
         {},
         {},
         "",
         "secret",
         FtpTlsError,
         "The server refused AUTH TLS: 500 Command \"AUTH\" not understood.; nothing more was sent",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        StartServer(c.Pem, c.Options);
        Client.TrustedFingerprint = c.Trusted;
        Client.PassWord = c.Password;
        Done.clear();
        EXPECT_FALSE(Client.Connect());
        EXPECT_EQ(Client.ErrorCode(), c.Code);
        std::string message = c.Message;
        if (const auto at = message.find("{port}"); at != std::string::npos)
            message.replace(at, 6, Client.Port);
        EXPECT_EQ(Client.ErrorMessage(), message);
        EXPECT_FALSE(Client.GetConnected());
        EXPECT_EQ(Done, std::vector<std::string>{"Connect " + std::to_string(c.Code)});
        const std::string received = Received();
        EXPECT_EQ(received.find("PASS") != std::string::npos, c.PasswordSent) << received;
        EXPECT_EQ(received.find("PASS clear"), std::string::npos) << received;
        EXPECT_EQ(received.find("STOR"), std::string::npos) << received;
        if (!c.Pem.empty()) {
            EXPECT_EQ(Client.ServerFingerprint(),
                      c.Pem == otherName.Pem ? otherName.Fingerprint : Certificate.Fingerprint);
        }
    }
}

// The data connection must show the certificate the session was trusted with: another one may
// be someone else's, between us and the server.
TEST_F(TlsServer, ADataConnectionWithAnotherCertificateStoresNothing) {
    const TestCertificate other = MakeTestCertificate(Keys.Path, "DNS:other.example");
    ASSERT_TRUE(other.Failure.empty()) << other.Failure;
    StartServer(Certificate.Pem,
                {QStringLiteral("--data-cert"), QString::fromStdString(other.Pem.string())});
    Client.Passive = true;
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    Client.LocalFileName = LocalFile("not for a stranger");
    Client.HostFileName = "up.txt";
    EXPECT_FALSE(Client.Put());
    EXPECT_EQ(Client.ErrorCode(), FtpServerChangedError);
    EXPECT_EQ(Client.ErrorMessage(),
              "The data connection of 127.0.0.1:" + Client.Port +
                  " showed another certificate than the session: " + other.Fingerprint + ", not " +
                  Certificate.Fingerprint +
                  " (its certificate is self-signed and was issued for another name)");
    EXPECT_FALSE(Client.GetConnected());
    // The server may have opened the file; nothing of it was sent.
    EXPECT_TRUE(!fs::exists(Root.Path / "up.txt") || fs::file_size(Root.Path / "up.txt") == 0);
}

// A throttled server (about 1 MB a second), so that a store is still going when the test acts.
class SlowTlsServer : public TlsServer {
protected:
    SlowTlsServer() : TlsServer(1024 * 1024) {}
    const std::string Big = BinaryBytes(24 * 1024 * 1024);
};

// A store that takes longer than the timeout but keeps moving, to the last bytes the system
// holds after the file was handed over, is no timeout. (The throttled server pauses for up to
// two seconds at a time: a timeout shorter than that would be right to give up.)
TEST_F(SlowTlsServer, ALongStoreThatKeepsMovingSucceeds) {
    Client.Passive = true;
    Client.Timeout = std::chrono::milliseconds(2500);
    const std::string bytes = BinaryBytes(5 * 1024 * 1024);
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    ASSERT_TRUE(Client.TypeSet());
    Client.LocalFileName = LocalFile(bytes);
    Client.HostFileName = "long.bin";
    Clock.restart();
    ASSERT_TRUE(Client.Put()) << Client.ErrorMessage();
    EXPECT_GT(Elapsed(), 3000);
    EXPECT_TRUE(OnServer("long.bin") == bytes);
}

TEST_F(SlowTlsServer, KilledMidTransfer) {
    ExpectKilledMidTransferFails(Big, 700, [this] { Server->Kill(); });
}

TEST_F(SlowTlsServer, AbortMidTransfer) {
    ExpectAbortMidTransferEndsAtOnce(Big, 700, Root.Path);
}

} // namespace
} // namespace dravenloom
