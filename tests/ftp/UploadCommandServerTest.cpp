// `dravenloom-cli upload` against pyftpdlib on 127.0.0.1: the sample guide from end to end
// (every file in its folder on the server's disk, byte for byte), a refused login, and the
// password taken from the environment before the stored one, with the settings a run leaves
// behind.
#include "PyFtpServer.h"

#include "publish/PasswordCipher.h"
#include "support/UploadCliFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

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
    const std::vector<std::string> lines = {"Host=127.0.0.1\n", "Username=alice\n",
                                            "Directory=www\n", "Passive=1\n",
                                            "Port=" + Server->PortText() + "\n"};
    for (const std::string& line : lines)
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

TEST_F(UploadCommandServerTest, ALogoutRefusedAfterEveryFileWasStoredIsSuccessAlone) {
    // Every file is on the server's disk; the refused QUIT changes nothing of that.
    Server = std::make_unique<PyFtpServer>(Root.Path, 0,
                                           QStringList{"--quit-reply", "500 Not now, thanks."});
    ASSERT_TRUE(Server->Ready()) << Server->Log;
    SetPassword("secret");
    const CliResult result =
        Run({"upload", Guide.string(), "--host", "127.0.0.1", "--port", Server->PortText(),
             "--user", "alice", "--dir", "www", "--passive"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
    EXPECT_NE(result.Out.find("[ 84%] Uploading bulb.jpg\nFile upload was successful.\n"),
              std::string::npos)
        << result.Out;
    EXPECT_TRUE(fs::exists(Root.Path / "www" / "bulb.jpg"));
}

// The text with every CR LF as LF: a text file sent in TYPE A, stored with the server's own line
// ends.
std::string WithLfLineEnds(std::string text) {
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

// Every file under the folder, by its path relative to it, with its bytes.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).generic_string()] = ReadWholeFile(entry.path());
    return files;
}

// A page whose element only the Java applet plays: the command says what its readers will see,
// on stderr, and sends it as it was asked to.
TEST_F(UploadCommandServerTest, APageOnlyJavaPlaysIsNamedAndSentAnyway) {
    const std::string text = "<html><body>\r\n<APPLET CODE=\"Dravenloom.class\">\r\n"
                             "<PARAM NAME=\"filename\" VALUE=\"tour.dvx\">\r\n</APPLET>\r\n"
                             "</body></html>\r\n";
    const fs::path page = Write("help.html", text);
    SetPassword("secret");
    const CliResult result =
        Run({"upload", Guide.string(), "--html", page.string(), "--host", "127.0.0.1", "--port",
             Server->PortText(), "--user", "alice", "--dir", "www", "--passive"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err.rfind("dravenloom-cli upload: The page help.html plays your guide with "
                               "the Java applet alone, and no current browser runs Java applets",
                               0),
              0u)
        << result.Err;
    EXPECT_EQ(result.Err.find("Upload anyway?"), std::string::npos) << result.Err;
    EXPECT_NE(result.Out.find("File upload was successful."), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(Root.Path / "www" / "help.html"));
}

class UploadEndToEndTest : public UploadCommandServerTest,
                           public ::testing::WithParamInterface<const char*> {};

// The sample guide with a page and an image directory: the page, the guide and the five
// classes land in the upload directory, the button picture and the guide's picture in the
// image directory below it, and nothing else anywhere.
TEST_P(UploadEndToEndTest, EveryFileLandsInItsFolderByteForByte) {
    const fs::path page = Write("tour.html", "<html>\r\n<body>A tour</body>\r\n</html>\r\n");
    SetPassword("secret");
    const CliResult result = Run({"upload", Guide.string(), "--html", page.string(), "--host",
                                  "127.0.0.1", "--port", Server->PortText(), "--user", "alice",
                                  "--dir", "www", "--image-dir", "img", GetParam()});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Out.find("[ 88%] Uploading bulb.jpg to img\n"
                              "File upload was successful.\n"),
              std::string::npos)
        << result.Out;

    std::map<std::string, std::string> expected;
    // Text files travel in TYPE A, as the program sends them.
    expected["www/tour.html"] = WithLfLineEnds(ReadWholeFile(page));
    expected["www/tour.dvx"] = WithLfLineEnds(ReadWholeFile(Guide));
    for (const char* name : {"Dravenloom.class", "About.class", "Progress.class",
                             "GuideCanvas.class", "GuideFrame.class"})
        expected[std::string("www/") + name] = ReadWholeFile(AppletFile(name));
    expected["www/img/gray.gif"] = ReadWholeFile(AppletFile("gray.gif"));
    expected["www/img/bulb.jpg"] = ReadWholeFile(Bulb);
    for (const auto& [name, bytes] : expected)
        ASSERT_FALSE(bytes.empty()) << name << " is empty here: nothing to compare";
    const auto stored = Tree(Root.Path);
    ASSERT_EQ(stored.size(), expected.size());
    for (const auto& [name, bytes] : expected) {
        const auto found = stored.find(name);
        ASSERT_NE(found, stored.end()) << name << " is not on the server";
        EXPECT_TRUE(found->second == bytes) << name << " differs: " << found->second.size()
                                            << " bytes on the server, " << bytes.size() << " sent";
    }
}

INSTANTIATE_TEST_SUITE_P(DataConnections, UploadEndToEndTest,
                         ::testing::Values("--passive", "--active"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param + 2);
                         });

} // namespace
} // namespace dravenloom
