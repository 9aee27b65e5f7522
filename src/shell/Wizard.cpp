// The getting-started wizard's behaviour.
#include "shell/Wizard.h"

namespace dravenloom {

Wizard::Wizard(SettingsStore& settings) : Settings(settings) {}

void Wizard::FormActivate() {
    // Registry trouble stays silent: a key that can't be opened leaves the box alone.
    if (!Settings.OpenKey(ProgramKey, true))
        return;
    // Missing or unreadable alike: written as "show", the box left as it is.
    if (const auto show = Settings.ReadBool(ProgramKey, WizardValue); show.Found())
        CheckBox1.Checked = !show.Value;
    else
        Settings.WriteBool(ProgramKey, WizardValue, true);
}

void Wizard::CheckBox1Click(bool checked) {
    CheckBox1.Checked = checked;
    if (Settings.OpenKey(ProgramKey, true))
        Settings.WriteBool(ProgramKey, WizardValue, !checked);
}

} // namespace dravenloom
