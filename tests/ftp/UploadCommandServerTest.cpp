// `dravenloom-cli upload` against pyftpdlib on 127.0.0.1: a refused login, and the password
// taken from the environment before the stored one, with the settings a run leaves behind.
#include "PyFtpServer.h"

#include "publish/PasswordCipher.h"
#include "support/UploadCliFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

class UploadCommandServerTest : public UploadCliFixture {
protected:
    void SetUp() override {
        if (PyFtpServer::Unavailable())
            GTEST_SKIP() << "pyftpdlib is not installed (python3-pyftpdlib)";
        fs::create_directories(Root.Path / "www" / "img");
        Server = std::make_unique<PyFtpServer>(Root.Path);
        ASSERT_TRUE(Server->Ready()) << Server->Log;
    }

    // The stored settings' lines, one "Name=value" each.
    std::string StoredText() { return ReadWholeFile(SettingsFile()); }
    // The stored password, deciphered.
    std::string StoredPassword() {
        const std::string text = StoredText();
        const auto at = text.find("Password=");
        if (at == std::string::npos)
            return "(none)";
        const std::string ciphered = text.substr(at + 9, text.find('\n', at) - at - 9);
        return DecipherPassword(ciphered).value_or("(not enciphered: " + ciphered + ")");
    }

    TempDirectory Root;
    std::unique_ptr<PyFtpServer> Server;
};

TEST_F(UploadCommandServerTest, ARefusedLoginExitsOneWithTheServersCodeAndMessage) {
    SetPassword("nope");
    const CliResult result =
        Run({"upload", Guide.string(), "--host", "127.0.0.1", "--port", Server->PortText(),
             "--user", "alice", "--dir", "www", "--passive"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "dravenloom-cli upload: Could not complete upload: 530 (Login to "
                          "127.0.0.1:" +
                              Server->PortText() + " failed: 530 Authentication failed.)\n");
    EXPECT_EQ(result.Out.find("successful"), std::string::npos) << result.Out;
    EXPECT_TRUE(fs::is_empty(Root.Path / "www" / "img")) << "nothing sent";
    EXPECT_EQ(std::distance(fs::directory_iterator(Root.Path / "www"), fs::directory_iterator()),
              1);

    // The run got as far as connecting, so it stored the settings, as the program does: the
    // password enciphered, in a file only its owner may read.
    const std::string stored = StoredText();
    for (const std::string line : {"Host=127.0.0.1\n", "Username=alice\n", "Directory=www\n",
                                   "Passive=1\n", ("Port=" + Server->PortText() + "\n").c_str()})
        EXPECT_NE(stored.find(line), std::string::npos) << line << " in\n" << stored;
    EXPECT_EQ(stored.find("nope"), std::string::npos);
    EXPECT_EQ(StoredPassword(), "nope");
    EXPECT_EQ(fs::status(SettingsFile()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(UploadCommandServerTest, ThePasswordFromTheEnvironmentWinsOverTheStoredOne) {
    StoreSettings("Host=127.0.0.1\nUsername=alice\nPassword=" + EncipherPassword("wrong", 7) +
                  "\nPort=" + Server->PortText() + "\nDirectory=www\nPassive=0\n");
    SetPassword("secret");
    const CliResult result = Run({"upload", Guide.string()});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "[  0%] Uploading tour.dvx\n"
                          "[ 12%] Uploading Dravenloom.class\n"
                          "[ 24%] Uploading About.class\n"
                          "[ 36%] Uploading Progress.class\n"
                          "[ 48%] Uploading GuideCanvas.class\n"
                          "[ 60%] Uploading GuideFrame.class\n"
                          "[ 72%] Uploading gray.gif\n"
                          "[ 84%] Uploading bulb.jpg\n"
                          "File upload was successful.\n");
    EXPECT_EQ(result.Err, "");
    EXPECT_TRUE(fs::exists(Root.Path / "www" / "bulb.jpg"));
    EXPECT_EQ(StoredPassword(), "secret");

    // Without the variable the stored password is used: now the one that worked.
    fs::remove(Root.Path / "www" / "bulb.jpg");
    SetPassword("");
    const CliResult again = Run({"upload", Guide.string()});
    EXPECT_EQ(again.Status, 0) << again.Err;
    EXPECT_TRUE(fs::exists(Root.Path / "www" / "bulb.jpg"));
}

} // namespace
} // namespace dravenloom
