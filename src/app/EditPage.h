// The Edit View page: the working copy of the current record (dialogue, "Center", six
// responses with their links) and the navigation buttons, shown from the core's state and
// forwarding every edit, focus loss and click to the core.
#pragma once

#include "app/GuidePage.h"
#include "document/EditView.h"

#include <string>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace dravenloom {

class FocusTargets;
class GuideForm;
class GuideTextGuard;

class EditPage : public GuidePage {
    Q_OBJECT

public:
    // The page registers its fields in `fields`, so that the core's focus requests reach them.
    EditPage(GuideForm& form, FocusTargets& fields, QWidget* parent = nullptr);
    ~EditPage() override;

    void Refresh() override;

    // "Remove": the record removal command (the window sets GuideForm::RemoveBitBtnClick).
    std::function<void()> OnRemove;
    // "Graphic...": shows the graphic dialog modally.
    std::function<void()> OnGraphic;
    // A magnifier: shows the magnified field window with the field's text (guide bytes); the
    // edited text when the author confirms it, nothing when cancelled.
    std::function<std::optional<std::string>(const std::string& text)> OnMagnify;

    // The widgets, by the names the program's behaviour uses for them.
    QPlainTextEdit* DialogueMemo = nullptr;
    QCheckBox* CenterCheck = nullptr;
    QToolButton* Image11 = nullptr;                             // magnifier of the dialogue
    std::array<QPlainTextEdit*, ResponseSlots> Memos{};         // Memo1..Memo6
    std::array<QLineEdit*, ResponseSlots> Edits{};              // Edit1..Edit6
    std::array<QPushButton*, ResponseSlots> GoThereButtons{};   // Button1..Button6
    std::array<QPushButton*, ResponseSlots> CreateNewButtons{}; // Button7..Button12
    std::array<QToolButton*, ResponseSlots> Magnifiers{};       // Image5..Image10
    QFrame* NavigationBox = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* GoBitBtn = nullptr;
    QPushButton* PrevBitBtn = nullptr;
    QPushButton* NextBitBtn = nullptr;
    QPushButton* BackBitBtn = nullptr;
    QPushButton* RemoveBitBtn = nullptr;
    QPushButton* BitBtn4 = nullptr; // "Graphic..."
    QPushButton* BitBtn5 = nullptr; // "Demo"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildDialogue();
    void BuildNavigationBox();
    void BuildResponses();
    void Connect();
    void RegisterFields();
    // "Graphic..." carries a picture glyph, and its hint a line naming the file, while the
    // working copy has a picture path.
    void ShowPictureMark();

    // Runs one core command, reports a failure that escapes it, then refreshes.
    void Forward(const std::function<void()>& command);
    void Magnify(const TextField& field, const std::function<void(const std::string&)>& change);

    GuideForm& Form;
    FocusTargets& Fields;
    GuideTextGuard* DialogueGuard = nullptr;
    std::array<GuideTextGuard*, ResponseSlots> MemoGuards{};
    std::array<GuideTextGuard*, ResponseSlots> EditGuards{};
};

} // namespace dravenloom
