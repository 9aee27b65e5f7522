// The "Generate HTML" page: the applet options (heading "Application Options"), the colour
// bars and the twelve button swatches under transparent bitmap buttons, and the applet element
// in its memo with "Generate HTML", "Save To File" and "Load From File". A view of the core's
// OptionsPage: every edit, focus loss and click goes to the core, and Refresh shows its state.
#pragma once

#include "app/GuidePage.h"
#include "publish/AppletOptions.h"

#include <QImage>

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace dravenloom {

class FocusTargets;
class GuideForm;
class GuideTextGuard;
class TMTranBtn;

// The picture of a swatch: its GIF from the `Applet` folder in `appletDirectory`, or a plain
// square of its colour when the file is missing or unreadable. Always 15 x 15.
QImage SwatchPicture(const std::string& appletDirectory, int position);

class GeneratePage : public GuidePage {
    Q_OBJECT

public:
    // The page registers its fields and drop-downs in `fields`, so that the core's focus
    // requests (the leave checks) reach them.
    GeneratePage(GuideForm& form, FocusTargets& fields, QWidget* parent = nullptr);
    ~GeneratePage() override;

    void Refresh() override;

    // The widgets, by the names the program's behaviour uses for them.
    QLineEdit* TitleEdit = nullptr;
    QLineEdit* ButtonEdit = nullptr;
    QLineEdit* ImageDir = nullptr;
    QLineEdit* WidthEdit = nullptr;
    QLineEdit* HeightEdit = nullptr;
    QLineEdit* TextStart = nullptr;
    QComboBox* FaceCombo = nullptr;
    QComboBox* SizeCombo = nullptr;
    QCheckBox* CheckBold = nullptr;
    QCheckBox* CheckItalic = nullptr;
    QWidget* ColorPanel1 = nullptr;
    QWidget* ColorPanel2 = nullptr;
    TMTranBtn* MTranBtn1 = nullptr;
    TMTranBtn* MTranBtn2 = nullptr;
    std::array<QLabel*, SwatchCount> SwatchImages{};     // the pictures under the buttons
    std::array<TMTranBtn*, SwatchCount> SwatchButtons{}; // MTranBtn3..MTranBtn14
    QLabel* CurrentImage = nullptr;
    QCheckBox* CheckHtml5 = nullptr; // "Also play in browsers without Java"
    QLabel* Html5Note = nullptr;     // why it matters, in small text under it
    QPlainTextEdit* HtmlMemo = nullptr;
    QPushButton* GenerateBitBtn = nullptr;
    QPushButton* SaveBtn = nullptr;
    QPushButton* LoadBtn = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildOptions();
    void BuildColours();
    void BuildSwatches();
    void BuildTag();
    void Connect();
    void ConnectText(GuideTextGuard* guard, TextField& field);
    void ConnectCombo(QComboBox* combo, GuideTextGuard* guard, ComboBox& box);
    void RegisterFields();

    // Runs one core command, reports a failure that escapes it, then refreshes.
    void Forward(const std::function<void()>& command);

    GuideForm& Form;
    AppletOptions& Options;
    FocusTargets& Fields;
    std::array<QImage, SwatchCount> Pictures;
    int ShownSwatch = 0;
    std::array<GuideTextGuard*, 6> FieldGuards{}; // title to text start, in that order
    GuideTextGuard* FaceGuard = nullptr;
    GuideTextGuard* SizeGuard = nullptr;
    GuideTextGuard* MemoGuard = nullptr;
};

} // namespace dravenloom
