// The graphic dialog: the picture, if any, of the current record and where it is placed.
#pragma once

#include "qtshared/canvas/PictureFiles.h"
#include "document/RecordEditor.h"

#include <QDialog>

class QCheckBox;
class QLabel;
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
    // The chosen picture, made small; and the line under the path that says why there is none.
    QLabel* PreviewImage() const { return Preview; }
    QLabel* PictureLine() const { return Line; }

    // The preview box's side: a picture larger than this is shrunk into it.
    static constexpr int PreviewSide = 96;

    // Closing while X or Y has the focus leaves that field, so its number is checked first.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A file may have come or gone while the dialog was closed: the path is looked at again.
    void showEvent(QShowEvent* event) override;

private:
    void ShowField(QLineEdit* widget, GuideTextGuard* guard, const TextField& field);
    // Loads the path's picture into the preview when the path or the guide's place changed
    // since the last look (always when `again`).
    void ShowPicture(bool again);

    RecordEditor& Editor;
    FocusTargets& Focus;
    QCheckBox* Check;
    QLineEdit* PathEdit;
    QPushButton* Browse;
    QLineEdit* XEdit;
    QLineEdit* YEdit;
    QPushButton* Ok;
    QLabel* Preview;
    QLabel* Line;
    PictureFiles Pictures;
    std::string CheckedPath;  // what the preview shows, as the record stores it
    std::string CheckedGuide; // the guide the path was looked up beside
    GuideTextGuard* PathGuard;
    GuideTextGuard* XGuard;
    GuideTextGuard* YGuard;
};

} // namespace dravenloom
