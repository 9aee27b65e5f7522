// Running `dravenloom-cli upload` in tests: the sample guide and its picture copied to the
// test's directory, and a home of its own, so that the settings the command reads and writes
// are the test's and never the user's.
#pragma once

#include "support/CliRunner.h"

#include <filesystem>
#include <string>

namespace dravenloom {

class UploadCliFixture : public CliFixture {
protected:
    UploadCliFixture() {
        namespace fs = std::filesystem;
        const fs::path examples = fs::path(DRAVENLOOM_SOURCE_DIR) / "examples";
        fs::copy_file(examples / "tour.dvx", Guide);
        fs::copy_file(examples / "bulb.jpg", Bulb);
        fs::create_directories(Home / "config");
        Environment = {{"HOME", Home.string()},
                       {"XDG_CONFIG_HOME", (Home / "config").string()},
                       // Empty counts as not set: the stored password is used.
                       {"DRAVENLOOM_FTP_PASSWORD", ""}};
    }

    void SetPassword(const std::string& password) {
        Environment.back() = {"DRAVENLOOM_FTP_PASSWORD", password};
    }
    // The settings file the program and the command share (QSettings' file on Linux).
    std::filesystem::path SettingsFile() const {
        return Home / "config" / "Korvessa" / "Dravenloom.conf";
    }
    // Settings as the program would have stored them: INI text of the "FTP" group's values.
    void StoreSettings(const std::string& ftpValues) {
        std::filesystem::create_directories(SettingsFile().parent_path());
        WriteBytes(SettingsFile(), "[FTP]\n" + ftpValues);
    }
    // The applet's files lie beside the program.
    static std::string AppletFile(const std::string& name) {
        return (std::filesystem::path(DRAVENLOOM_CLI).parent_path() / "Applet" / name).string();
    }

    std::filesystem::path Guide = Directory / "tour.dvx";
    std::filesystem::path Bulb = Directory / "bulb.jpg";
    std::filesystem::path Home = Directory / "home";
};

} // namespace dravenloom
