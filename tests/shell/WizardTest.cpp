// Tests of the getting-started wizard's "Do not show this form at startup" setting.
#include "shell/Wizard.h"
#include "support/MemorySettings.h"

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

TEST(WizardTest, ActivationShowsTheStoredSetting) {
    MemorySettings settings;
    Wizard wizard(settings);

    settings.SetBool(ProgramKey, "Wizard", false);
    wizard.FormActivate();
    EXPECT_TRUE(wizard.CheckBox1.Checked);

    // Read again at every activation; any integer but 0 means "show".
    settings.SetInt(ProgramKey, "Wizard", 7);
    wizard.FormActivate();
    EXPECT_FALSE(wizard.CheckBox1.Checked);
    EXPECT_TRUE(settings.Writes.empty());
}

TEST(WizardTest, UnreadableSettingIsWrittenAsShowAndTheBoxStaysAsItWas) {
    // First run: no key at all.
    MemorySettings settings;
    Wizard wizard(settings);
    wizard.FormActivate();
    EXPECT_TRUE(settings.KeyExists(ProgramKey));
    EXPECT_EQ(settings.Int(ProgramKey, "Wizard"), 1);
    EXPECT_FALSE(wizard.CheckBox1.Checked);

    // A value of the wrong type can't be read either.
    wizard.CheckBox1.Checked = true;
    settings.Writes.clear();
    settings.SetString(ProgramKey, "Wizard", "no");
    wizard.FormActivate();
    EXPECT_EQ(settings.Int(ProgramKey, "Wizard"), 1);
    EXPECT_TRUE(wizard.CheckBox1.Checked);

    // Nor a value of no type the program knows.
    settings.Writes.clear();
    settings.SetUnreadable(ProgramKey, "Wizard");
    wizard.FormActivate();
    EXPECT_EQ(settings.Int(ProgramKey, "Wizard"), 1);
    EXPECT_TRUE(wizard.CheckBox1.Checked);

    settings.FailReads = true;
    settings.Writes.clear();
    wizard.FormActivate();
    EXPECT_EQ(settings.Writes, std::vector<std::string>{std::string(ProgramKey) + "|Wizard=1"});
    EXPECT_TRUE(wizard.CheckBox1.Checked);
}

TEST(WizardTest, TickingAndClearingTheBoxWriteTheSetting) {
    MemorySettings settings;
    Wizard wizard(settings);

    wizard.CheckBox1Click(true);
    EXPECT_TRUE(wizard.CheckBox1.Checked);
    EXPECT_EQ(settings.Int(ProgramKey, "Wizard"), 0);

    wizard.CheckBox1Click(false);
    EXPECT_FALSE(wizard.CheckBox1.Checked);
    EXPECT_EQ(settings.Int(ProgramKey, "Wizard"), 1);

    // Cleared and activated again (opened from the menu at the next start): still cleared.
    wizard.FormActivate();
    EXPECT_FALSE(wizard.CheckBox1.Checked);
}

TEST(WizardTest, RegistryFailuresAreSilent) {
    MemorySettings settings;
    settings.SetBool(ProgramKey, "Wizard", false);
    settings.FailOpen = true;
    Wizard wizard(settings);

    wizard.FormActivate();
    EXPECT_FALSE(wizard.CheckBox1.Checked);
    wizard.CheckBox1Click(true);
    EXPECT_TRUE(wizard.CheckBox1.Checked);
    EXPECT_TRUE(settings.Writes.empty());

    settings.FailOpen = false;
    settings.FailWrites = true;
    wizard.CheckBox1Click(false);
    EXPECT_FALSE(wizard.CheckBox1.Checked);
    EXPECT_EQ(settings.Bool(ProgramKey, "Wizard"), false);
}

} // namespace
} // namespace dravenloom
