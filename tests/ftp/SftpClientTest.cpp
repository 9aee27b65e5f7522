// The SFTP client against asyncssh on 127.0.0.1: what lands on the server's disk, whom the
// client trusts (known_hosts, the trusted fingerprint), and the faults of a real server (refused
// login, missing directory, death mid-transfer, a stall) and Abort. The client reads a
// temporary folder in place of ~/.ssh, never the user's own.
#include "FtpTestSupport.h"
#include "SftpServer.h"

#include "ftp/SftpClient.h"
#include "publish/ServerTrust.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTcpServer>

#include <filesystem>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

// The fingerprint ssh-keygen -l prints for a public key file.
std::string KeygenFingerprint(const fs::path& publicKey) {
    QProcess keygen;
    keygen.start(QStringLiteral("ssh-keygen"), {QStringLiteral("-l"), QStringLiteral("-f"),
                                                QString::fromStdString(publicKey.string())});
    if (!keygen.waitForFinished(10000))
        return "ssh-keygen did not finish";
    const QList<QByteArray> words = keygen.readAllStandardOutput().split(' ');
    return words.size() > 1 ? words[1].toStdString() : "ssh-keygen printed nothing";
}

// A fresh ed25519 key pair made by ssh-keygen; the path of its public half.
fs::path NewKey(const fs::path& privateKey) {
    QProcess keygen;
    keygen.start(QStringLiteral("ssh-keygen"),
                 {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"),
                  QStringLiteral("-N"), QString(), QStringLiteral("-f"),
                  QString::fromStdString(privateKey.string())});
    keygen.waitForFinished(10000);
    return privateKey.string() + ".pub";
}

class Sftp : public ::testing::Test {
protected:
    void SetUp() override { Start(); }

    void Start(const QStringList& options = {}) {
        if (SftpServer::Unavailable())
            GTEST_SKIP() << "asyncssh is not installed (python3-asyncssh)";
        fs::create_directories(Root.Path / "www" / "img");
        fs::create_directories(Root.Path / "pics");
        Server = std::make_unique<SftpServer>(Root.Path, options);
        ASSERT_TRUE(Server->Ready()) << Server->Log;
        Client.HostName = "127.0.0.1";
        Client.Port = Server->PortText();
        Client.UserName = "alice";
        Client.PassWord = "secret";
        Client.Timeout = std::chrono::milliseconds(5000);
        Client.SshDirectory = SshDir.Path.string();
        Client.TrustedFingerprint = Server->Fingerprint;
        Client.OnRequestDone = [this](FtpRequest request, int code) {
            Done.push_back(std::string(FtpRequestName(request)) + ' ' + std::to_string(code));
        };
    }

    // A known_hosts line for the test server with the key in `publicKey`.
    void KnowHost(const fs::path& publicKey) {
        WriteBytes(SshDir.Path / "known_hosts",
                   "[127.0.0.1]:" + Server->PortText() + ' ' + ReadBytes(publicKey));
    }

    std::string LocalFile(const std::string& bytes, const std::string& name) {
        WriteBytes(Files.Path / name, bytes);
        return Files.File(name);
    }

    bool PutFile(const std::string& bytes, const std::string& name) {
        Client.LocalFileName = LocalFile(bytes, name);
        Client.HostFileName = name;
        return Client.Put();
    }

    std::string OnServer(const fs::path& path) { return ReadBytes(Root.Path / path); }

    TempDirectory Root;
    TempDirectory Files;
    TempDirectory SshDir;
    std::unique_ptr<SftpServer> Server;
    SftpClient Client;
    std::vector<std::string> Done;
};

struct FolderCase {
    const char* Name;
    const char* UploadDir;
    const char* ImageDir;
    const char* ImagesLandIn; // below the server's root
    std::size_t WritesInFlight;
};

class SftpFolders : public Sftp, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(SftpFolders, FilesLandByteForByteInTheUploadAndImageFolders) {
    // The order of an upload: the page and guide as text, the player's files and pictures as
    // binary, the pictures in the image folder, which is relative to the upload folder.
    const FolderCase& folders = GetParam();
    Client.WritesInFlight = folders.WritesInFlight;
    const std::string guide = "1\xA4Hello\x9A there\r\n2\xA4Second\r\n";
    const std::string player = BinaryBytes(3 * 1024 * 1024 + 17);
    const std::string picture = BinaryBytes(70001);
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    Client.HostDirName = folders.UploadDir;
    ASSERT_TRUE(Client.Cwd()) << Client.ErrorMessage();
    Client.SetBinary(false);
    ASSERT_TRUE(PutFile(guide, "guide.dvx")) << Client.ErrorMessage();
    ASSERT_TRUE(PutFile("", "empty.htm")) << Client.ErrorMessage();
    Client.SetBinary(true);
    ASSERT_TRUE(Client.TypeSet()) << Client.ErrorMessage();
    ASSERT_TRUE(PutFile(player, "Dravenloom.class")) << Client.ErrorMessage();
    Client.HostDirName = folders.ImageDir;
    ASSERT_TRUE(Client.Cwd()) << Client.ErrorMessage();
    ASSERT_TRUE(Client.TypeSet()) << Client.ErrorMessage();
    ASSERT_TRUE(PutFile(picture, "gray.gif")) << Client.ErrorMessage();
    // A file stored again is replaced, not appended to.
    ASSERT_TRUE(PutFile("GIF89a", "gray.gif")) << Client.ErrorMessage();
    ASSERT_TRUE(Client.Quit()) << Client.ErrorMessage();
    EXPECT_FALSE(Client.GetConnected());

    const fs::path upload = folders.UploadDir;
    EXPECT_TRUE(OnServer(upload / "guide.dvx") == guide); // CR LF kept
    EXPECT_EQ(OnServer(upload / "empty.htm"), "");
    EXPECT_TRUE(OnServer(upload / "Dravenloom.class") == player);
    EXPECT_EQ(OnServer(fs::path(folders.ImagesLandIn) / "gray.gif"), "GIF89a");
    EXPECT_EQ(Done, (std::vector<std::string>{"Connect 0", "Cwd 0", "Put 0", "Put 0", "TypeSet 0",
                                              "Put 0", "Cwd 0", "TypeSet 0", "Put 0", "Put 0",
                                              "Quit 0"}));
}

const FolderCase FolderCases[] = {
    {"RelativeImageFolder", "www", "img", "www/img", 8},
    {"AbsoluteImageFolder", "www", "/pics", "pics", 8},
    {"ImageFolderUpAndAcross", "www/img", "../../pics", "pics", 3},
    {"LoginHomeThenSubfolderOneWriteAtATime", "", "www", "www", 1},
};

INSTANTIATE_TEST_SUITE_P(Asyncssh, SftpFolders, ::testing::ValuesIn(FolderCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// Whom the client believes: known_hosts first, then the fingerprint the author trusts.
enum class Key { None, Server, Other };

struct TrustCase {
    const char* Name;
    Key KnownHosts;
    Key Trusted;
    int Code;
    // The known_hosts names hashed, as Debian's ssh writes them (HashKnownHosts yes).
    bool Hashed = false;
};

class SftpTrust : public Sftp, public ::testing::WithParamInterface<TrustCase> {};

TEST_P(SftpTrust, HostKeyDecidesBeforeThePasswordIsSent) {
    const TrustCase& trust = GetParam();
    const fs::path other = NewKey(SshDir.Path / "other_key");
    const std::string otherFingerprint = KeygenFingerprint(other);
    ASSERT_TRUE(IsSha256Fingerprint(otherFingerprint)) << otherFingerprint;
    if (trust.KnownHosts != Key::None)
        KnowHost(trust.KnownHosts == Key::Server ? Server->PublicKeyFile : other);
    if (trust.Hashed) {
        QProcess keygen;
        keygen.start(QStringLiteral("ssh-keygen"),
                     {QStringLiteral("-H"), QStringLiteral("-f"),
                      QString::fromStdString((SshDir.Path / "known_hosts").string())});
        ASSERT_TRUE(keygen.waitForFinished(10000));
        ASSERT_EQ(ReadBytes(SshDir.Path / "known_hosts").rfind("|1|", 0), 0u);
    }
    Client.TrustedFingerprint = trust.Trusted == Key::None     ? ""
                                : trust.Trusted == Key::Server ? Server->Fingerprint
                                                               : otherFingerprint;

    EXPECT_EQ(Client.Connect(), trust.Code == 0) << Client.ErrorMessage();
    EXPECT_EQ(Client.ErrorCode(), trust.Code) << Client.ErrorMessage();
    // The fingerprint the page offers to trust is the server's, as asyncssh and ssh-keygen
    // print it.
    EXPECT_EQ(Client.ServerFingerprint(), Server->Fingerprint);
    EXPECT_EQ(Client.ServerFingerprint(), KeygenFingerprint(Server->PublicKeyFile));
    EXPECT_EQ(Client.GetConnected(), trust.Code == 0);
    EXPECT_EQ(Server->PasswordsSeen(), trust.Code == 0 ? 1 : 0);
    if (trust.Code == FtpUntrustedServerError) {
        EXPECT_EQ(Client.ErrorMessage(), "its host key is in no known_hosts file");
    }
    if (trust.Code == FtpServerChangedError) {
        // Both keys are named, so the author can tell which one changed.
        EXPECT_NE(Client.ErrorMessage().find(Server->Fingerprint), std::string::npos)
            << Client.ErrorMessage();
        EXPECT_NE(Client.ErrorMessage().find(otherFingerprint), std::string::npos)
            << Client.ErrorMessage();
    }
    if (trust.Code == 0) {
        EXPECT_TRUE(PutFile("trusted", "t.txt")) << Client.ErrorMessage();
        EXPECT_EQ(OnServer("t.txt"), "trusted");
    }
    // Trust lives in the settings: the client never writes a known_hosts file of its own.
    if (trust.KnownHosts == Key::None) {
        EXPECT_FALSE(fs::exists(SshDir.Path / "known_hosts"));
    }
}

const TrustCase TrustCases[] = {
    {"UnknownAndUntrusted", Key::None, Key::None, FtpUntrustedServerError},
    {"UnknownButTrusted", Key::None, Key::Server, 0},
    {"UnknownAndTrustedForAnotherKey", Key::None, Key::Other, FtpServerChangedError},
    {"KnownWithoutTrust", Key::Server, Key::None, 0},
    {"KnownHostsHoldsAnotherKey", Key::Other, Key::None, FtpServerChangedError},
    {"KnownHostsHoldsAnotherKeyEvenWhenTrusted", Key::Other, Key::Server, FtpServerChangedError},
    {"KnownHashed", Key::Server, Key::None, 0, true},
    {"KnownHostsHoldsAnotherKeyHashed", Key::Other, Key::None, FtpServerChangedError, true},
};

INSTANTIATE_TEST_SUITE_P(Asyncssh, SftpTrust, ::testing::ValuesIn(TrustCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Sftp, WrongPasswordFailsTheLogin) {
    Client.PassWord = "wrong";
    EXPECT_FALSE(Client.Connect());
    EXPECT_EQ(Client.ErrorCode(), FtpSftpStatusBase + 3);
    EXPECT_NE(Client.ErrorMessage().find("refused the password"), std::string::npos)
        << Client.ErrorMessage();
    EXPECT_FALSE(Client.GetConnected());
    EXPECT_FALSE(Client.Cwd());
    EXPECT_EQ(Client.ErrorCode(), FtpNotConnectedError);
}

TEST_F(Sftp, RefusalsKeepTheSession) {
    // A missing directory, a file in place of a directory and a local file that is not there
    // each fail their request with words; the session goes on in the folder it was in.
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    Client.HostDirName = "www";
    ASSERT_TRUE(Client.Cwd()) << Client.ErrorMessage();
    ASSERT_TRUE(PutFile("x", "plain.txt"));

    Client.HostDirName = "missing";
    EXPECT_FALSE(Client.Cwd());
    EXPECT_EQ(Client.ErrorCode(), FtpSftpStatusBase + 2) << Client.ErrorMessage();
    EXPECT_NE(Client.ErrorMessage().find("missing"), std::string::npos) << Client.ErrorMessage();
    Client.HostDirName = "plain.txt";
    EXPECT_FALSE(Client.Cwd());
    EXPECT_NE(Client.ErrorMessage().find("not a directory"), std::string::npos)
        << Client.ErrorMessage();
    Client.LocalFileName = Files.File("not-there.gif");
    Client.HostFileName = "not-there.gif";
    EXPECT_FALSE(Client.Put());
    EXPECT_EQ(Client.ErrorCode(), FtpLocalFileError);
    EXPECT_FALSE(fs::exists(Root.Path / "www" / "not-there.gif"));

    EXPECT_TRUE(Client.GetConnected());
    EXPECT_TRUE(PutFile("still here", "after.txt")) << Client.ErrorMessage();
    EXPECT_EQ(OnServer("www/after.txt"), "still here");
}

class SlowSftp : public Sftp {
protected:
    // Every write request of 32 KB or more waits this long at the server.
    void SetUp() override { Start({QStringLiteral("--write-delay"), QStringLiteral("0.2")}); }
};

TEST_F(SlowSftp, AbortMidFileEndsAtOnceAndTheClientIsAsGoodAsNew) {
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] { ++ticks; });
    ticker.start(10);
    QElapsedTimer clock;
    QTimer::singleShot(600, &Client, [&] {
        clock.start();
        Client.Abort();
    });
    EXPECT_FALSE(PutFile(BinaryBytes(8 * 1024 * 1024), "big.bin"));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_GE(ticks, 20); // the window stayed live meanwhile
    EXPECT_EQ(Client.ErrorCode(), FtpAbortedError);
    EXPECT_EQ(Client.ErrorMessage(), "Put was abandoned by Abort");
    EXPECT_FALSE(Client.GetConnected());
    EXPECT_EQ(Done, (std::vector<std::string>{"Connect 0", "Abort 0"}));

    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    EXPECT_TRUE(PutFile("again", "again.txt")) << Client.ErrorMessage();
    EXPECT_EQ(OnServer("again.txt"), "again");
}

TEST_F(SlowSftp, ServerKilledMidTransferIsAFailureNeverASuccess) {
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    QTimer::singleShot(600, &Client, [&] { Server->Kill(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(PutFile(BinaryBytes(8 * 1024 * 1024), "big.bin"));
    EXPECT_TRUE(IsFtpSocketError(Client.ErrorCode()))
        << Client.ErrorCode() << ' ' << Client.ErrorMessage();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_FALSE(Client.GetConnected());
    EXPECT_EQ(Done.back(), "Put " + std::to_string(Client.ErrorCode()));
}

TEST_F(SlowSftp, AProgramToldToEndLetsGoOfTheRequestThatWaits) {
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    // The window's close ends the program's loop while the store waits inside it.
    QTimer::singleShot(400, &Client, [] { QCoreApplication::exit(0); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(PutFile(BinaryBytes(8 * 1024 * 1024), "big.bin"));
    EXPECT_LT(clock.elapsed(), 1400);
    EXPECT_FALSE(Client.Quit());
    // The program's loop would end here; run one so that loops work again for the next tests.
    QTimer::singleShot(0, &Client, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();

    EXPECT_EQ(Client.ErrorCode(), FtpAbortedError);
    EXPECT_EQ(Client.ErrorMessage(), "Quit was abandoned: the program is ending");
    EXPECT_FALSE(Client.GetConnected());
    EXPECT_EQ(Done, (std::vector<std::string>{"Connect 0"}));
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    EXPECT_TRUE(PutFile("again", "again.txt")) << Client.ErrorMessage();
}

TEST_F(SlowSftp, ClientDeletedInsideItsOwnWait) {
    auto* client = new SftpClient;
    client->HostName = "127.0.0.1";
    client->Port = Server->PortText();
    client->UserName = "alice";
    client->PassWord = "secret";
    client->TrustedFingerprint = Server->Fingerprint;
    client->SshDirectory = SshDir.Path.string();
    ASSERT_TRUE(client->Connect()) << client->ErrorMessage();
    bool notified = false;
    client->OnRequestDone = [&](FtpRequest, int) { notified = true; };
    client->LocalFileName = LocalFile(BinaryBytes(4 * 1024 * 1024), "big.bin");
    client->HostFileName = "big.bin";
    QTimer::singleShot(400, [client] { delete client; });
    EXPECT_FALSE(client->Put()); // returns without touching the deleted client
    EXPECT_FALSE(notified);
}

TEST_F(Sftp, SilentListenerTimesOutOrIsAbortedWhileConnecting) {
    // Something that takes the connection and never says a word, in place of an SSH server.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    Client.Port = std::to_string(silent.serverPort());
    Client.Timeout = std::chrono::milliseconds(1000);
    for (const bool abort : {false, true}) {
        SCOPED_TRACE(abort ? "Abort" : "timeout");
        Done.clear();
        QElapsedTimer clock;
        if (abort)
            QTimer::singleShot(300, &Client, [&] {
                clock.start();
                Client.Abort();
            });
        else
            clock.start();
        EXPECT_FALSE(Client.Connect());
        EXPECT_EQ(Client.ErrorCode(), abort ? FtpAbortedError : FtpTimeoutError)
            << Client.ErrorMessage();
        EXPECT_LT(clock.elapsed(), abort ? 1000 : 10000);
        if (!abort) {
            EXPECT_GE(clock.elapsed(), 900);
        }
        EXPECT_EQ(Done, (std::vector<std::string>{abort ? "Abort 0" : "Connect 20001"}));
        EXPECT_FALSE(Client.GetConnected());
        EXPECT_EQ(Client.ServerFingerprint(), "");
    }
}

class FullSftp : public Sftp {
protected:
    // The server's disk takes 1 MB.
    void SetUp() override { Start({QStringLiteral("--write-limit"), QStringLiteral("1048576")}); }
};

TEST_F(FullSftp, WriteRefusedMidFileFailsThatStoreAndTheSessionGoesOn) {
    // Several write requests are on their way when the first refusal comes; their answers must
    // not be taken for the answers to the requests that follow.
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    EXPECT_FALSE(PutFile(BinaryBytes(5 * 1024 * 1024), "big.bin"));
    EXPECT_EQ(Client.ErrorCode(), FtpSftpStatusBase + 4) << Client.ErrorMessage();
    EXPECT_NE(Client.ErrorMessage().find("No space left on device"), std::string::npos)
        << Client.ErrorMessage();
    EXPECT_TRUE(Client.GetConnected());

    const std::string fits = BinaryBytes(700000);
    EXPECT_TRUE(PutFile(fits, "fits.bin")) << Client.ErrorMessage();
    EXPECT_TRUE(OnServer("fits.bin") == fits);
    Client.HostDirName = "www";
    EXPECT_TRUE(Client.Cwd()) << Client.ErrorMessage();
    EXPECT_TRUE(Client.Quit()) << Client.ErrorMessage();
}

struct ConnectFailure {
    const char* Name;
    const char* Host;
    const char* Port;
    UploadProtocol Protocol;
    int Code;
};

class SftpConnectFailures : public ::testing::TestWithParam<ConnectFailure> {};

TEST_P(SftpConnectFailures, FailWithTheirOwnCodeAndLeaveTheClientDisconnected) {
    const ConnectFailure& failure = GetParam();
    TempDirectory sshDir;
    SftpClient client;
    client.HostName = failure.Host;
    client.Port = failure.Port;
    client.Protocol = failure.Protocol;
    client.UserName = "alice";
    client.PassWord = "secret";
    client.SshDirectory = sshDir.Path.string();
    std::vector<std::string> done;
    client.OnRequestDone = [&](FtpRequest request, int code) {
        done.push_back(std::string(FtpRequestName(request)) + ' ' + std::to_string(code));
    };
    EXPECT_FALSE(client.Connect());
    EXPECT_EQ(client.ErrorCode(), failure.Code) << client.ErrorMessage();
    EXPECT_FALSE(client.ErrorMessage().empty());
    EXPECT_FALSE(client.GetConnected());
    EXPECT_EQ(done, (std::vector<std::string>{"Connect " + std::to_string(failure.Code)}));
    EXPECT_TRUE(client.Quit()); // nothing to close
}

const ConnectFailure ConnectFailures[] = {
    // "Connection refused" is the socket layer's 0, which must never read as success.
    {"Refused", "127.0.0.1", "1", UploadProtocol::Sftp, FtpSocketErrorBase + 0},
    {"NoSuchHost", "no.such.host.invalid", "22", UploadProtocol::Sftp, FtpSocketErrorBase + 2},
    {"PortOutOfRange", "127.0.0.1", "70000", UploadProtocol::Sftp, FtpSettingsError},
    {"PortNotANumber", "127.0.0.1", "22a", UploadProtocol::Sftp, FtpSettingsError},
    {"NoHost", "", "22", UploadProtocol::Sftp, FtpSettingsError},
    {"LineBreakInHost", "127.0.0.1\nevil", "22", UploadProtocol::Sftp, FtpSettingsError},
    {"AskedForFtp", "127.0.0.1", "22", UploadProtocol::Ftp, FtpSettingsError},
};

INSTANTIATE_TEST_SUITE_P(Sftp, SftpConnectFailures, ::testing::ValuesIn(ConnectFailures),
                         [](const auto& info) { return std::string(info.param.Name); });

class KeySftp : public Sftp {
protected:
    // alice's key is in the SSH folder under its usual name, and the server knows it.
    void SetUp() override {
        const fs::path key = NewKey(SshDir.Path / "id_ed25519");
        Start({QStringLiteral("--client-keys"), QString::fromStdString(key.string())});
    }
};

TEST_F(KeySftp, EmptyPasswordLogsInWithTheKeysOfTheSshFolder) {
    // No agent: the key file is what logs in.
    const QByteArray agent = qgetenv("SSH_AUTH_SOCK");
    qunsetenv("SSH_AUTH_SOCK");
    Client.PassWord.clear();
    const bool connected = Client.Connect();
    if (!agent.isEmpty())
        qputenv("SSH_AUTH_SOCK", agent);
    ASSERT_TRUE(connected) << Client.ErrorMessage();
    EXPECT_EQ(Server->PasswordsSeen(), 0);
    EXPECT_TRUE(PutFile("by key", "key.txt")) << Client.ErrorMessage();
    EXPECT_EQ(OnServer("key.txt"), "by key");

    // Without the key the same login is refused.
    ASSERT_TRUE(Client.Quit());
    fs::remove(SshDir.Path / "id_ed25519");
    qunsetenv("SSH_AUTH_SOCK");
    EXPECT_FALSE(Client.Connect());
    if (!agent.isEmpty())
        qputenv("SSH_AUTH_SOCK", agent);
    EXPECT_EQ(Client.ErrorCode(), FtpSftpStatusBase + 3) << Client.ErrorMessage();
}

class StalledSftp : public Sftp {
protected:
    void SetUp() override { Start({QStringLiteral("--write-delay"), QStringLiteral("30")}); }
};

TEST_F(StalledSftp, SilentServerTimesOut) {
    Client.Timeout = std::chrono::milliseconds(1000);
    ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(PutFile(BinaryBytes(100000), "stalled.bin"));
    EXPECT_EQ(Client.ErrorCode(), FtpTimeoutError) << Client.ErrorMessage();
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_FALSE(Client.GetConnected());
}

} // namespace
} // namespace dravenloom
