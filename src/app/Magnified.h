// The magnified field window: one text field of the Edit View in a larger box.
#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace dravenloom {

class GuideTextGuard;

class TMagnifyForm : public QDialog {
    Q_OBJECT

public:
    explicit TMagnifyForm(QWidget* parent = nullptr);

    // Shows the field's text (guide bytes) modally; the edited text on "OK", nothing on
    // "Cancel". The caller hands the new text to the field's own change handling.
    std::optional<std::string> Edit(const std::string& guideBytes);

    QPlainTextEdit* Memo1() const { return Memo; }
    GuideTextGuard* Memo1Guard() const { return Guard; }
    QWidget* Panel1() const { return Panel; }
    QPushButton* OkButton() const { return Ok; }
    QPushButton* CancelButton() const { return Cancel; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPlainTextEdit* Memo;
    GuideTextGuard* Guard;
    QWidget* Panel;
    QPushButton* Ok;
    QPushButton* Cancel;
};

} // namespace dravenloom
