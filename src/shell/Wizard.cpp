// The getting-started wizard's behaviour.
#include "shell/Wizard.h"

namespace dravenloom {

Wizard::Wizard(SettingsStore& settings) : Settings(settings) {}

void Wizard::FormActivate() {
    // Registry trouble stays silent: a key that can't be opened leaves the box alone.
    if (!Settings.OpenKey(ProgramKey, true))
        return;
    if (auto show = Settings.ReadBool(ProgramKey, WizardValue))
        CheckBox1.Checked = !*show;
    else
        Settings.WriteBool(ProgramKey, WizardValue, true);
}

void Wizard::CheckBox1Click(bool checked) {
    CheckBox1.Checked = checked;
    if (Settings.OpenKey(ProgramKey, true))
        Settings.WriteBool(ProgramKey, WizardValue, !checked);
}

} // namespace dravenloom
