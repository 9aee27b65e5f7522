// The getting-started wizard's behaviour: its "Do not show this form at startup" box mirrors
// the "Wizard" setting, and its buttons say what the main window does after it closes.
#pragma once

#include "document/Controls.h"
#include "document/SettingsStore.h"

namespace dravenloom {

inline constexpr const char* WizardValue = "Wizard";

// What happens when a wizard button is pressed. Every outcome closes the wizard first.
enum class WizardOutcome {
    OpenTutorial, // "Open Tutorial": then the tutorial window is shown
    GoToEdit,     // "Go To Edit": nothing else (the Edit View is what the main window shows)
    GoToGenerate, // "Go to Generate": then the "Generate HTML" view is shown, nothing committed
    Close,        // "Close" (also Escape)
};

class Wizard {
public:
    explicit Wizard(SettingsStore& settings);

    CheckBox CheckBox1; // "Do not show this form at startup"

    // The wizard became the active window: the box shows the stored setting again. A setting
    // that can't be read is written as "show at start-up", leaving the box as it was.
    void FormActivate();
    // The author ticked or cleared the box: ticked means "don't show at start-up".
    void CheckBox1Click(bool checked);

    WizardOutcome OpenTutorialClick() const { return WizardOutcome::OpenTutorial; }
    WizardOutcome GoToEditClick() const { return WizardOutcome::GoToEdit; }
    WizardOutcome GoToGenerateClick() const { return WizardOutcome::GoToGenerate; }
    WizardOutcome CloseClick() const { return WizardOutcome::Close; }

private:
    SettingsStore& Settings;
};

} // namespace dravenloom
