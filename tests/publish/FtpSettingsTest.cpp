// Tests of the FTP settings kept between runs: what a reading takes from the store, where it
// stops, and what a writing leaves there.
#include "publish/FtpSettings.h"

#include "document/SettingsStore.h"
#include "publish/PasswordCipher.h"
#include "support/MemorySettings.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace dravenloom {
namespace {

struct Shown {
    std::string Host, User, Pass, Port, Dir;
    bool Passive;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* out) {
    *out << s.Host << "|" << s.User << "|" << s.Pass << "|" << s.Port << "|" << s.Dir << "|"
         << s.Passive;
}

Shown Read(MemorySettings& store) {
    FtpSettings settings;
    ReadFtpSettings(store, settings);
    return {settings.HostTxt.Text, settings.UserTxt.Text, settings.PassTxt.Text,
            settings.PortTxt.Text, settings.DirTxt.Text,  settings.PassiveCheck.Checked};
}

class FtpSettingsTest : public testing::Test {
protected:
    void SetUp() override {
        Store.CreateKey(FtpKey);
        Store.SetString(FtpKey, "Host", "ftp.example.com");
        Store.SetString(FtpKey, "Username", "anna");
        Store.SetString(FtpKey, "Password", EncipherPassword("secret", 77));
        Store.SetString(FtpKey, "Port", "021");
        Store.SetString(FtpKey, "Directory", "www/guide");
        Store.SetBool(FtpKey, "Passive", true);
    }
    MemorySettings Store;
};

TEST_F(FtpSettingsTest, EverythingStoredIsShownThePasswordDeciphered) {
    EXPECT_EQ(Read(Store), (Shown{"ftp.example.com", "anna", "secret", "021", "www/guide", true}));
}

TEST(FtpSettingsDefaults, WithoutTheKeyTheFieldsKeepTheirDefaults) {
    MemorySettings store;
    EXPECT_EQ(Read(store), (Shown{"", "", "", "21", "", false}));
    EXPECT_FALSE(store.KeyExists(FtpKey)) << "reading never creates the key";
}

TEST_F(FtpSettingsTest, AMissingTextReadsAsEmptyAndAMissingPassiveKeepsTheBox) {
    Store.Erase(FtpKey, "Port");
    Store.Erase(FtpKey, "Passive");
    EXPECT_EQ(Read(Store), (Shown{"ftp.example.com", "anna", "secret", "", "www/guide", false}));
}

// Each value is read on its own: a damaged one leaves its field as it was (the defaults here)
// and every other stored value still comes up.
struct DamagedValue {
    const char* Name;
    bool Unreadable; // a value that no read can take, else the text below
    const char* Text;
    Shown Expected;
};

class FtpSettingsDamageTest : public FtpSettingsTest,
                              public testing::WithParamInterface<DamagedValue> {};

TEST_P(FtpSettingsDamageTest, LeavesOnlyItsOwnFieldAsItWas) {
    const DamagedValue& damaged = GetParam();
    if (damaged.Unreadable)
        Store.SetUnreadable(FtpKey, damaged.Name);
    else
        Store.SetString(FtpKey, damaged.Name, damaged.Text);
    EXPECT_EQ(Read(Store), damaged.Expected) << damaged.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FtpSettingsDamageTest,
    testing::Values(
        DamagedValue{"Host", true, "", {"", "anna", "secret", "021", "www/guide", true}},
        DamagedValue{
            "Username", true, "", {"ftp.example.com", "", "secret", "021", "www/guide", true}},
        DamagedValue{
            "Password", true, "", {"ftp.example.com", "anna", "", "021", "www/guide", true}},
        // A stored password that is no encipherment (not hexadecimal, an odd number of digits).
        DamagedValue{"Password",
                     false,
                     "not hex",
                     {"ftp.example.com", "anna", "", "021", "www/guide", true}},
        DamagedValue{
            "Password", false, "ABC", {"ftp.example.com", "anna", "", "021", "www/guide", true}},
        DamagedValue{
            "Port", true, "", {"ftp.example.com", "anna", "secret", "21", "www/guide", true}},
        DamagedValue{"Directory", true, "", {"ftp.example.com", "anna", "secret", "021", "", true}},
        DamagedValue{"Passive",
                     false,
                     "yes",
                     {"ftp.example.com", "anna", "secret", "021", "www/guide", false}}));

TEST(FtpSettingsWrite, AllSixValuesAreWrittenThePasswordEnciphered) {
    MemorySettings store;
    FtpSettings settings;
    settings.HostTxt.Text = "h";
    settings.UserTxt.Text = "u";
    settings.PassTxt.Text = "pw";
    settings.PortTxt.Text = "2121";
    settings.DirTxt.Text = "d";
    settings.PassiveCheck.Checked = true;
    WriteFtpSettings(store, settings, 9);
    EXPECT_EQ(store.ReadString(FtpKey, "Password").Value, EncipherPassword("pw", 9));
    EXPECT_EQ(store.ReadString(FtpKey, "Port").Value, "2121");
    EXPECT_EQ(store.ReadBool(FtpKey, "Passive").Value, true);
    EXPECT_EQ(Read(store), (Shown{"h", "u", "pw", "2121", "d", true}));
}

} // namespace
} // namespace dravenloom

namespace dravenloom {
namespace {

// The protocol: stored by name, read back, and a missing or unknown name leaves plain FTP.
TEST(FtpSettingsProtocol, StoredByNameAndPlainFtpWhenMissingOrUnknown) {
    for (const auto& [stored, expected] : std::vector<std::pair<const char*, UploadProtocol>>{
             {nullptr, UploadProtocol::Ftp},
             {"sftp", UploadProtocol::Sftp},
             {"FTPS", UploadProtocol::FtpTls},
             {"gopher", UploadProtocol::Ftp},
             {"", UploadProtocol::Ftp}}) {
        MemorySettings store;
        store.CreateKey(FtpKey);
        if (stored)
            store.SetString(FtpKey, "Protocol", stored);
        FtpSettings settings;
        ReadFtpSettings(store, settings);
        EXPECT_EQ(ProtocolOf(settings), expected) << (stored ? stored : "(missing)");
        EXPECT_EQ(settings.PassiveCheck.Enabled, expected != UploadProtocol::Sftp);

        WriteFtpSettings(store, settings, 3);
        FtpSettings again;
        ReadFtpSettings(store, again);
        EXPECT_EQ(ProtocolOf(again), expected);
        EXPECT_EQ(again.ProtocolCombo.Text, ProtocolCaptions[static_cast<int>(expected)]);
    }
}

// The port follows the protocol only while it still holds the usual port of the one before.
TEST(FtpSettingsProtocol, ThePortFollowsWhileItHoldsTheUsualOne) {
    struct Step {
        UploadProtocol Chosen;
        const char* PortBefore;
        const char* PortAfter;
    };
    const std::vector<Step> steps = {
        {UploadProtocol::Sftp, "21", "22"},     {UploadProtocol::FtpTls, "22", "21"},
        {UploadProtocol::Ftp, "21", "21"},      {UploadProtocol::Sftp, "2121", "2121"},
        {UploadProtocol::Ftp, "2222", "2222"},  {UploadProtocol::Sftp, "", "22"},
        {UploadProtocol::Sftp, "22", "22"},
    };
    FtpSettings settings;
    for (const Step& step : steps) {
        settings.PortTxt.Text = step.PortBefore;
        ChooseProtocol(settings, step.Chosen);
        EXPECT_EQ(settings.PortTxt.Text, step.PortAfter)
            << ProtocolNames[static_cast<int>(step.Chosen)] << " from port " << step.PortBefore;
        EXPECT_EQ(ProtocolOf(settings), step.Chosen);
    }
}

} // namespace
} // namespace dravenloom
