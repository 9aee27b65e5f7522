// Tests of `dravenloom-cli upload` that need no server: the list a dry run prints, the stored
// settings it starts from, the command lines refused before anything is sent, and the refusal
// to send two files of one name.
#include "support/UploadCliFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dravenloom::CliResult;

class UploadCommandTest : public dravenloom::UploadCliFixture {
protected:
    // The rows of the sample guide's list, each with its folder.
    std::string TourList(const std::string& uploadFolder, const std::string& imageFolder) {
        std::string list = Guide.string() + " -> " + uploadFolder + "\n";
        for (const char* name : {"Dravenloom.class", "About.class", "Progress.class",
                                 "GuideCanvas.class", "GuideFrame.class"})
            list += AppletFile(name) + " -> " + uploadFolder + "\n";
        return list + AppletFile("gray.gif") + " -> " + imageFolder + "\n" + Bulb.string() +
               " -> " + imageFolder + "\n";
    }
};

TEST_F(UploadCommandTest, DryRunPrintsEachFileWithTheFolderItGoesTo) {
    const CliResult plain = Run({"upload", Guide.string(), "--dry-run"});
    EXPECT_EQ(plain.Status, 0) << plain.Err;
    EXPECT_EQ(plain.Out, TourList(".", "."));
    EXPECT_EQ(plain.Err, "");

    const CliResult split =
        Run({"upload", Guide.string(), "--dry-run", "--dir", "www", "--image-dir", "img"});
    EXPECT_EQ(split.Status, 0) << split.Err;
    EXPECT_EQ(split.Out, TourList("www", "www/img"));

    // An HTML page comes first; an image directory from the root is not below the upload one;
    // the button picture is the one asked for.
    const fs::path page = Write("page.html", "<html></html>");
    const CliResult html = Run({"upload", Guide.string(), "--dry-run", "--html", page.string(),
                                "--dir", "www/", "--image-dir", "/pics", "--image", "red.gif"});
    EXPECT_EQ(html.Status, 0) << html.Err;
    std::string expected = TourList("www/", "/pics");
    expected.replace(expected.find("gray.gif"), 8, "red.gif");
    EXPECT_EQ(html.Out, page.string() + " -> www/\n" + expected);
    EXPECT_FALSE(fs::exists(SettingsFile())) << "a dry run stores nothing";
}

// The protocol comes from the command line over the stored one, and the port follows it
// unless it is given: a dry run stores nothing, so a refused login shows what was used.
TEST_F(UploadCommandTest, TheProtocolChosenSetsTheUsualPortUnlessOneIsGiven) {
    StoreSettings("Host=127.0.0.1\nUsername=anna\nPort=22\nProtocol=sftp\n");
    EXPECT_EQ(Run({"upload", Guide.string(), "--dry-run"}).Status, 0);
    // With FTP on port 1 nothing listens: the message names the port the run used.
    SetPassword("secret");
    for (const auto& [options, port] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--protocol", "ftp"}, "127.0.0.1:21"},
             {{"--protocol", "FTP", "--port", "1"}, "127.0.0.1:1"}}) {
        std::vector<std::string> arguments{"upload", Guide.string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.Status, 1);
        EXPECT_NE(result.Err.find(port), std::string::npos) << result.Err;
    }
    EXPECT_NE(dravenloom::ReadBytes(SettingsFile()).find("Protocol=ftp"), std::string::npos)
        << "the run stores the protocol it used";
}

TEST_F(UploadCommandTest, SettingsNotGivenComeFromTheStoredOnes) {
    StoreSettings("Host=ftp.example.com\nUsername=anna\nPort=21\nDirectory=pub\n");
    EXPECT_EQ(Run({"upload", Guide.string(), "--dry-run"}).Out, TourList("pub", "pub"));
    EXPECT_EQ(Run({"upload", Guide.string(), "--dry-run", "--dir", "www"}).Out,
              TourList("www", "www"));

    // A stored port that is no port stops the upload as the page does.
    StoreSettings("Host=ftp.example.com\nUsername=anna\nPort=twenty\n");
    SetPassword("secret");
    const CliResult result = Run({"upload", Guide.string()});
    EXPECT_EQ(result.Status, 2);
    EXPECT_NE(result.Err.find("Port must be an integer value. Given: \"twenty\""),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(result.Out, "");
}

struct Refusal {
    const char* Name;
    std::vector<std::string> Options;
    const char* Password;
    const char* Message;
};

class UploadRefusalTest : public UploadCommandTest,
                          public ::testing::WithParamInterface<Refusal> {};

TEST_P(UploadRefusalTest, StopsBeforeAnythingIsSentOrStored) {
    const Refusal& refusal = GetParam();
    SetPassword(refusal.Password);
    std::vector<std::string> arguments{"upload", Guide.string()};
    arguments.insert(arguments.end(), refusal.Options.begin(), refusal.Options.end());
    const CliResult result = Run(arguments);
    EXPECT_EQ(result.Status, 2);
    EXPECT_NE(result.Err.find(refusal.Message), std::string::npos) << result.Err;
    EXPECT_EQ(result.Out, "");
    EXPECT_FALSE(fs::exists(SettingsFile()));
}

const std::vector<std::string> Server{"--host", "127.0.0.1", "--user", "alice"};

std::vector<std::string> With(std::vector<std::string> options,
                              const std::vector<std::string>& more) {
    options.insert(options.end(), more.begin(), more.end());
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, UploadRefusalTest,
    ::testing::Values(
        Refusal{"NoHost",
                {"--user", "alice"},
                "secret",
                "All server information must be filled out before upload. Missing, and not "
                "stored: the server (--host)\n"},
        Refusal{"NoPassword", Server, "", "Missing, and not stored: the password "},
        Refusal{"NoUserNorPassword",
                {"--host", "h"},
                "",
                "the username (--user), the password (DRAVENLOOM_FTP_PASSWORD)"},
        Refusal{"PortNoNumber", With(Server, {"--port", "ftp"}), "secret",
                "Port must be an integer value."},
        Refusal{"PortZero", With(Server, {"--port", "0"}), "secret",
                "Port must be an integer value."},
        Refusal{"PortTooHigh", With(Server, {"--port", "65536"}), "secret",
                "Port must be an integer value."},
        Refusal{"PasswordOption", With(Server, {"--password", "secret"}), "",
                "unknown option \"--password\""},
        Refusal{"HtmlMissing", With(Server, {"--html", "nowhere.html"}), "secret",
                "--html \"nowhere.html\" is no file"},
        Refusal{"UnknownButton", With(Server, {"--image", "pink.gif"}), "secret",
                "--image \"pink.gif\": The button picture is one of"},
        Refusal{"BothModes", With(Server, {"--passive", "--active"}), "secret",
                "--passive and --active exclude each other"},
        Refusal{"HostOnTwoLines",
                {"--host", "a\nb", "--user", "u"},
                "secret",
                "--host must stay on one line"},
        Refusal{"UnknownProtocol", With(Server, {"--protocol", "scp"}), "secret",
                "--protocol must be ftp, ftps or sftp, not \"scp\""},
        Refusal{"FingerprintOfAnotherForm", With(Server, {"--trust", "MD5:12:34"}), "secret",
                "--trust takes a fingerprint of the form SHA256:"},
        Refusal{"FingerprintCutShort",
                With(Server, {"--trust", "SHA256:47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuF"}),
                "secret", "--trust takes a fingerprint"},
        Refusal{"FtpsStillNeedsAPassword", With(Server, {"--protocol", "ftps"}), "",
                "Missing, and not stored: the password "}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.Name; });

// The button picture and a record's picture of the same name would land in one folder: the
// dry run says so, and the upload sends nothing (no server listens on port 1 either).
TEST_F(UploadCommandTest, TwoFilesOfOneNameAreNeverSent) {
    fs::create_directories(Directory / "pics");
    Write("pics/gray.gif", "GIF89a");
    const fs::path guide = Write("same.dvx", dravenloom::CliGuide({"1|Grey#pics/gray.gif<0>0~no"}));

    const CliResult dry = Run({"upload", guide.string(), "--dry-run"});
    EXPECT_EQ(dry.Status, 1);
    EXPECT_NE(dry.Out.find((Directory / "pics/gray.gif").string() + " -> .\n"), std::string::npos)
        << dry.Out;
    const std::string warning = "upload: Two files to upload have the same name and would "
                                "overwrite each other on the server:\n" +
                                AppletFile("gray.gif") + "\n" +
                                (Directory / "pics/gray.gif").string() + "\n";
    EXPECT_NE(dry.Err.find(warning), std::string::npos) << dry.Err;
    // With an image directory both go there, still together.
    EXPECT_EQ(Run({"upload", guide.string(), "--dry-run", "--image-dir", "img"}).Status, 1);

    SetPassword("secret");
    const CliResult run =
        Run({"upload", guide.string(), "--host", "127.0.0.1", "--port", "1", "--user", "alice"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find(warning), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find("Could not complete upload"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_FALSE(fs::exists(SettingsFile())) << "the run stopped before it began";
}

} // namespace
