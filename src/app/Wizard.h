// The getting-started wizard: a welcome, three suggested steps, and buttons that lead on.
#pragma once

#include "shell/Wizard.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QPushButton;

namespace dravenloom {

class TWizardForm : public QDialog {
    Q_OBJECT

public:
    explicit TWizardForm(SettingsStore& settings, QWidget* parent = nullptr);

    // The wizard became the active window: the check box shows the stored setting again.
    void FormActivate();

    Wizard& Core() { return Behaviour; }
    // The button that closed the wizard the last time (nothing when it was closed otherwise).
    std::optional<WizardOutcome> Outcome() const { return LastOutcome; }

    QCheckBox* CheckBox1() const { return DontShowBox; }
    QPushButton* OpenTutorialButton() const { return OpenTutorial; }
    QPushButton* GoToEditButton() const { return GoToEdit; }
    QPushButton* GoToGenerateButton() const { return GoToGenerate; }
    QPushButton* CloseButton() const { return Close; }

    // Escape and the window's close button count as "Close".
    void reject() override;

signals:
    // Emitted after the wizard closed: "Open Tutorial" and "Go to Generate".
    void OpenTutorialRequested();
    void GoToGenerateRequested();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Finish(WizardOutcome outcome);
    void Refresh();

    Wizard Behaviour;
    std::optional<WizardOutcome> LastOutcome;
    QCheckBox* DontShowBox;
    QPushButton* OpenTutorial;
    QPushButton* GoToEdit;
    QPushButton* GoToGenerate;
    QPushButton* Close;
};

} // namespace dravenloom
