// `dravenloom-cli upload --protocol sftp` against the asyncssh server: an unknown host key is
// refused with its fingerprint and nothing is sent; trusted, every file lands in its folder byte
// for byte; a server whose key is not the trusted one is refused with both fingerprints.
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

class UploadCommandSftpTest : public UploadCliFixture {
protected:
    void SetUp() override {
        if (SftpServer::Unavailable())
            GTEST_SKIP() << "the SFTP test server needs python3-asyncssh";
        fs::create_directories(Root.Path / "www" / "img");
        Server = std::make_unique<SftpServer>(Root.Path);
        ASSERT_TRUE(Server->Ready()) << Server->Log;
        SetPassword("secret");
        // No port given: the protocol's usual one would be taken, so the test's comes after.
        Upload = {"upload", Guide.string(), "--protocol", "sftp", "--host", "127.0.0.1",
                  "--port", Server->PortText(), "--user", "alice", "--dir", "www",
                  "--image-dir", "img"};
    }

    std::vector<std::string> Trusting(const std::string& fingerprint) const {
        std::vector<std::string> arguments = Upload;
        arguments.insert(arguments.end(), {"--trust", fingerprint});
        return arguments;
    }

    TempDirectory Root;
    std::unique_ptr<SftpServer> Server;
    std::vector<std::string> Upload;
};

TEST_F(UploadCommandSftpTest, AnUnknownHostKeyIsTrustedOnceAndEveryFileLandsInItsFolder) {
    const CliResult refused = Run(Upload);
    EXPECT_EQ(refused.Status, 1) << refused.Err;
    EXPECT_NE(refused.Err.find("cannot be verified"), std::string::npos) << refused.Err;
    EXPECT_NE(refused.Err.find("--trust " + Server->Fingerprint + "\n"), std::string::npos)
        << refused.Err;
    EXPECT_EQ(Server->PasswordsSeen(), 0) << "the password went to a server nobody vouched for";
    EXPECT_TRUE(fs::is_empty(Root.Path / "www" / "img"));

    const CliResult trusted = Run(Trusting(Server->Fingerprint));
    ASSERT_EQ(trusted.Status, 0) << trusted.Err;
    EXPECT_NE(trusted.Out.find("File upload was successful.\n"), std::string::npos);
    // The guide keeps its CR LF; the classes stay with it; the pictures go below.
    EXPECT_TRUE(ReadWholeFile(Root.Path / "www" / "tour.dvx") == ReadWholeFile(Guide));
    for (const char* name : {"Dravenloom.class", "About.class", "Progress.class",
                             "GuideCanvas.class", "GuideFrame.class"})
        EXPECT_TRUE(ReadWholeFile(Root.Path / "www" / name) == ReadWholeFile(AppletFile(name)))
            << name;
    EXPECT_TRUE(ReadWholeFile(Root.Path / "www" / "img" / "gray.gif") ==
                ReadWholeFile(AppletFile("gray.gif")));
    EXPECT_TRUE(ReadWholeFile(Root.Path / "www" / "img" / "bulb.jpg") == ReadWholeFile(Bulb));
    const std::string settings = ReadWholeFile(SettingsFile());
    EXPECT_NE(settings.find(Server->Fingerprint), std::string::npos) << settings;
    EXPECT_NE(settings.find("Protocol=sftp"), std::string::npos) << settings;
    EXPECT_EQ(settings.find("secret"), std::string::npos) << "the password is never in clear";

    // Trusted now: the stored protocol and fingerprint are enough (the image directory is an
    // appearance setting, never stored).
    fs::remove(Root.Path / "www" / "img" / "bulb.jpg");
    const CliResult again = Run({"upload", Guide.string(), "--image-dir", "img"});
    ASSERT_EQ(again.Status, 0) << again.Err;
    EXPECT_TRUE(ReadWholeFile(Root.Path / "www" / "img" / "bulb.jpg") == ReadWholeFile(Bulb));
}

TEST_F(UploadCommandSftpTest, AKeyOtherThanTheTrustedOneIsRefusedNamingBoth) {
    ASSERT_EQ(Run(Trusting(Server->Fingerprint)).Status, 0);
    for (const fs::path& file : fs::recursive_directory_iterator(Root.Path / "www"))
        if (fs::is_regular_file(file))
            fs::remove(file);
    // The server trusted before had another key.
    const std::string other = "SHA256:47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFU";
    std::string settings = ReadWholeFile(SettingsFile());
    const std::size_t at = settings.find(Server->Fingerprint);
    ASSERT_NE(at, std::string::npos) << settings;
    WriteBytes(SettingsFile(), settings.replace(at, Server->Fingerprint.size(), other));

    const CliResult refused = Run(Upload);
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("Could not complete upload: 20009 ("), std::string::npos)
        << refused.Err;
    EXPECT_NE(refused.Err.find(other), std::string::npos) << refused.Err;
    EXPECT_NE(refused.Err.find(Server->Fingerprint), std::string::npos) << refused.Err;
    EXPECT_TRUE(fs::is_empty(Root.Path / "www" / "img"));
    EXPECT_FALSE(fs::exists(Root.Path / "www" / "tour.dvx"));
    EXPECT_NE(ReadWholeFile(SettingsFile()).find(other), std::string::npos)
        << "a refused server changes no trust";
}

} // namespace
} // namespace dravenloom
