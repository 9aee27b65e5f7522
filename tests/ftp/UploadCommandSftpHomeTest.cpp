// `dravenloom-cli upload --protocol sftp` and the home the command runs in: a known_hosts file
// in its .ssh vouches for the server without --trust and is never written to, and a refused
// password is reported with the code the page shows.
#include "SftpServer.h"

#include "support/UploadCliFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

class UploadCommandSftpHomeTest : public UploadCliFixture {
protected:
    void SetUp() override {
        if (SftpServer::Unavailable())
            GTEST_SKIP() << "the SFTP test server needs python3-asyncssh";
        fs::create_directories(Root.Path / "www");
        Server = std::make_unique<SftpServer>(Root.Path);
        ASSERT_TRUE(Server->Ready()) << Server->Log;
        Upload = {"upload", Guide.string(),     "--protocol", "sftp",  "--host", "127.0.0.1",
                  "--port", Server->PortText(), "--user",     "alice", "--dir",  "www"};
    }

    TempDirectory Root;
    std::unique_ptr<SftpServer> Server;
    std::vector<std::string> Upload;
};

TEST_F(UploadCommandSftpHomeTest, KnownHostsOfTheHomeVouchesAndIsLeftAlone) {
    fs::create_directories(Home / ".ssh");
    const std::string known =
        "[127.0.0.1]:" + Server->PortText() + ' ' + ReadWholeFile(Server->PublicKeyFile);
    WriteBytes(Home / ".ssh" / "known_hosts", known);

    SetPassword("wrong");
    const CliResult refused = Run(Upload);
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Err, "dravenloom-cli upload: Could not complete upload: 30003 (Login to "
                           "127.0.0.1:" +
                               Server->PortText() +
                               " failed: the server refused the password for alice)\n");
    EXPECT_EQ(Server->PasswordsSeen(), 1);

    SetPassword("secret");
    const CliResult sent = Run(Upload);
    ASSERT_EQ(sent.Status, 0) << sent.Err;
    EXPECT_TRUE(ReadWholeFile(Root.Path / "www" / "tour.dvx") == ReadWholeFile(Guide));
    EXPECT_EQ(ReadWholeFile(Home / ".ssh" / "known_hosts"), known);
    // known_hosts vouched: nothing needed trusting, so nothing was kept as trusted.
    EXPECT_EQ(ReadWholeFile(SettingsFile()).find("SHA256:"), std::string::npos);
}

} // namespace
} // namespace dravenloom
