// Tests of reading settings from the in-memory store the other tests use: it must tell a
// missing value from one that is there but can't be read, as the registry does.
#include "support/MemorySettings.h"
#include "support/SettingsReadContract.h"

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

MemorySettings PreparedSettings() {
    MemorySettings settings;
    settings.SetBool(ProgramKey, "Hints", false);
    settings.SetString(ProgramKey, "Wizard", "yes");
    settings.SetString(FtpKey, "Host", "ftp.example.org");
    settings.SetUnreadable(FtpKey, "Port");
    settings.SetString(FtpKey, "Passive", "on");
    return settings;
}

TEST(MemorySettingsTest, TellsMissingFromUnreadableValues) {
    MemorySettings settings = PreparedSettings();
    ExpectReadStatesOfPreparedStore(settings);
}

TEST(MemorySettingsTest, ValueOfTheOtherTypeOrOfNoKnownTypeIsUnreadable) {
    MemorySettings settings;
    settings.SetInt(FtpKey, "Port", 21);
    settings.SetUnreadable(FtpKey, "Passive");
    EXPECT_EQ(settings.ReadString(FtpKey, "Port"), TextRead::Unreadable());
    EXPECT_EQ(settings.ReadBool(FtpKey, "Port"), BoolRead::Of(true));
    EXPECT_EQ(settings.ReadBool(FtpKey, "Passive"), BoolRead::Unreadable());
    EXPECT_EQ(settings.ReadString(FtpKey, "Passive"), TextRead::Unreadable());
}

TEST(MemorySettingsTest, FailingReadsAreUnreadableEvenForMissingValues) {
    MemorySettings settings = PreparedSettings();
    settings.FailReads = true;
    EXPECT_EQ(settings.ReadBool(ProgramKey, "Hints"), BoolRead::Unreadable());
    EXPECT_EQ(settings.ReadString(FtpKey, "Username"), TextRead::Unreadable());
}

} // namespace
} // namespace dravenloom
