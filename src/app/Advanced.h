// The graphic dialog: the picture, if any, of the current record and where it is placed.
#pragma once

#include "document/RecordEditor.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace dravenloom {

class FocusTargets;
class GuideTextGuard;

class TAdvancedForm : public QDialog {
    Q_OBJECT

public:
    // Shows editor.Graphic and forwards every change to the editor's handlers. The path, X and
    // Y fields are registered with `focus`, so the editor's focus requests reach them.
    TAdvancedForm(RecordEditor& editor, FocusTargets& focus, QWidget* parent = nullptr);
    ~TAdvancedForm() override;

    // Shows the state of the graphic dialog's controls (call it after the core changed them,
    // for example after LoadRecord or ClearEditView).
    void Refresh();

    QCheckBox* GraphicCheck() const { return Check; }
    QLineEdit* GraphicEdit() const { return PathEdit; }
    QPushButton* GraphicBitBtn() const { return Browse; }
    QLineEdit* Edit7() const { return XEdit; }
    QLineEdit* Edit8() const { return YEdit; }
    QPushButton* OkButton() const { return Ok; }

    // Closing while X or Y has the focus leaves that field, so its number is checked first.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowField(QLineEdit* widget, GuideTextGuard* guard, const TextField& field);

    RecordEditor& Editor;
    FocusTargets& Focus;
    QCheckBox* Check;
    QLineEdit* PathEdit;
    QPushButton* Browse;
    QLineEdit* XEdit;
    QLineEdit* YEdit;
    QPushButton* Ok;
    GuideTextGuard* PathGuard;
    GuideTextGuard* XGuard;
    GuideTextGuard* YGuard;
};

} // namespace dravenloom
