// The "Generate HTML" page's widgets, their captions and hints, and where they stand. The page
// fills the fixed 620 x 399 view area: the text options on the left, the colours, button
// swatches and the box for browsers without Java on the right (the swatches where the published
// guide's designer put them: 15 x 15, 23 pixels apart at y = 112 from x = 326), the font across,
// and the element below.
#include "app/GeneratePage.h"
#include "app/PageWidgets.h"

#include "app/GuideText.h"
#include "app/Tranbtn.h"
#include "document/GuideFile.h"
#include "publish/AppletElement.h"
#include "publish/AppletTag.h"
#include "publish/ButtonPicture.h"
#include "shell/GuideForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

#include <filesystem>

namespace dravenloom {
namespace {

constexpr int Margin = 10;
constexpr int RowTop = 36;
constexpr int RowStep = 25;
constexpr int FieldHeight = 21;
constexpr int LabelWidth = 170;
constexpr int FieldLeft = Margin + LabelWidth;
constexpr int FieldWidth = 136;
constexpr int RightLeft = 326;
constexpr int RightLabelWidth = 100;
constexpr int BarLeft = RightLeft + RightLabelWidth + 4;
constexpr QSize ColourBar(97, 18);
constexpr int SwatchSide = 15;
constexpr int SwatchTop = 112;
constexpr int SwatchStep = 23;
constexpr int FontRowTop = 190;
constexpr int TagTop = 216;
constexpr int MemoTop = 240;
constexpr int ButtonWidth = 110;
constexpr int ButtonHeight = 25;
constexpr int PageWidth = 620;
constexpr int PageHeight = 399;

QLineEdit* MakeField(QWidget* parent, const OptionControl& control, int row) {
    const int top = RowTop + row * RowStep;
    MakePageLabel(parent, control.Caption, QRect(Margin, top, LabelWidth - 4, FieldHeight));
    auto* field = new QLineEdit(parent);
    field->setObjectName(Utf8Text(control.Name));
    field->setToolTip(Utf8Text(control.Hint));
    field->setGeometry(FieldLeft, top, FieldWidth, FieldHeight);
    return field;
}

QComboBox* MakeCombo(QWidget* parent, const OptionControl& control, const ComboBox& box,
                     QRect where) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(Utf8Text(control.Name));
    combo->setToolTip(Utf8Text(control.Hint));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr); // completing "A" to "Arial" would decide for the author
    for (const std::string& item : box.Items)
        combo->addItem(QString::fromStdString(item));
    combo->setGeometry(where);
    return combo;
}

QCheckBox* MakeCheck(QWidget* parent, const OptionControl& control, QRect where) {
    auto* box = new QCheckBox(Utf8Text(control.Caption), parent);
    box->setObjectName(Utf8Text(control.Name));
    box->setToolTip(Utf8Text(control.Hint));
    box->setGeometry(where);
    return box;
}

QPushButton* MakeButton(QWidget* parent, const OptionControl& control, int top) {
    auto* button = new QPushButton(Utf8Text(control.Caption), parent);
    button->setObjectName(Utf8Text(control.Name));
    button->setToolTip(Utf8Text(control.Hint));
    button->setAutoDefault(false);
    button->setGeometry(PageWidth - Margin - ButtonWidth, top, ButtonWidth, ButtonHeight);
    return button;
}

} // namespace

QImage SwatchPicture(const std::string& appletDirectory, int position) {
    const SwatchEntry& swatch = Swatches[static_cast<std::size_t>(position - 1)];
    const auto file = PathFromText(appletDirectory) / swatch.FileName;
    QImage picture(QString::fromStdU16String(file.u16string()));
    if (picture.isNull()) {
        // Without the Applet folder the page draws the same button the folder would hold.
        const ButtonPicture drawn = DrawButtonPicture(ButtonFace(swatch));
        picture = QImage(ButtonPictureSize, ButtonPictureSize, QImage::Format_RGB32);
        for (int y = 0; y < ButtonPictureSize; ++y)
            for (int x = 0; x < ButtonPictureSize; ++x) {
                const Rgb pixel = drawn.At(x, y);
                picture.setPixel(x, y, qRgb(pixel.Red, pixel.Green, pixel.Blue));
            }
    }
    if (picture.size() != QSize(SwatchSide, SwatchSide))
        picture = picture.scaled(SwatchSide, SwatchSide);
    return picture.convertToFormat(QImage::Format_RGB32);
}

void GeneratePage::BuildOptions() {
    auto* heading = new QLabel(Utf8Text(OptionsHeading), this);
    heading->setObjectName(QStringLiteral("OptionsHeading"));
    heading->setAttribute(Qt::WA_TranslucentBackground);
    QFont font = heading->font();
    font.setPointSize(12);
    font.setBold(true);
    heading->setFont(font);
    heading->setGeometry(Margin, 6, 300, 24);

    const OptionControl* controls[] = {&TitleControl, &ButtonControl, &ImageDirControl,
                                       &WidthControl, &HeightControl, &TextStartControl};
    QLineEdit** widgets[] = {&TitleEdit, &ButtonEdit, &ImageDir,
                             &WidthEdit, &HeightEdit, &TextStart};
    for (int row = 0; row < 6; ++row) {
        *widgets[row] = MakeField(this, *controls[row], row);
        FieldGuards[static_cast<std::size_t>(row)] =
            new GuideTextGuard(*widgets[row], TextRule::CodePage);
    }

    // The font across the page, one row.
    const int top = FontRowTop;
    MakePageLabel(this, FaceControl.Caption, QRect(Margin, top, 56, FieldHeight));
    FaceCombo = MakeCombo(this, FaceControl, Options.FaceCombo,
                          QRect(Margin + 58, top - 1, 130, FieldHeight + 2));
    FaceGuard = new GuideTextGuard(FaceCombo->lineEdit(), TextRule::CodePage);
    MakePageLabel(this, SizeControl.Caption, QRect(214, top, 54, FieldHeight));
    SizeCombo =
        MakeCombo(this, SizeControl, Options.SizeCombo, QRect(270, top - 1, 56, FieldHeight + 2));
    SizeGuard = new GuideTextGuard(SizeCombo->lineEdit(), TextRule::CodePage);
    MakePageLabel(this, FontStyleCaption, QRect(348, top, 62, FieldHeight));
    CheckBold = MakeCheck(this, BoldControl, QRect(412, top, 56, FieldHeight));
    CheckItalic = MakeCheck(this, ItalicControl, QRect(472, top, 62, FieldHeight));
}

void GeneratePage::BuildColours() {
    const ColourControl* colours[] = {&BackgroundControl, &TextColourControl};
    QWidget** panels[] = {&ColorPanel1, &ColorPanel2};
    TMTranBtn** buttons[] = {&MTranBtn1, &MTranBtn2};
    for (int i = 0; i < 2; ++i) {
        const int top = RowTop + i * RowStep;
        MakePageLabel(this, colours[i]->Caption,
                      QRect(RightLeft, top, RightLabelWidth, FieldHeight));
        const QRect bar(QPoint(BarLeft, top + (FieldHeight - ColourBar.height()) / 2), ColourBar);
        auto* panel = new QWidget(this);
        panel->setObjectName(Utf8Text(colours[i]->PanelName));
        panel->setAutoFillBackground(true);
        panel->setGeometry(bar);
        *panels[i] = panel;
        // The click area lies over the bar, so that the bar looks like a raised button.
        auto* button = new TMTranBtn(this);
        button->setObjectName(Utf8Text(colours[i]->ButtonName));
        button->setToolTip(Utf8Text(colours[i]->ButtonHint));
        button->setGeometry(bar);
        *buttons[i] = button;
    }
}

void GeneratePage::BuildSwatches() {
    const std::string applet = TextFromPath(PathFromText(Form.ExecutableDirectory) / "Applet");
    MakePageLabel(this, SwatchesCaption,
                  QRect(RightLeft, SwatchTop - FieldHeight - 2, RightLabelWidth, FieldHeight));
    for (int position = 1; position <= SwatchCount; ++position) {
        const auto i = static_cast<std::size_t>(position - 1);
        Pictures[i] = SwatchPicture(applet, position);
        const QRect where(RightLeft + static_cast<int>(i) * SwatchStep, SwatchTop, SwatchSide,
                          SwatchSide);
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("Swatch") + QString::number(position));
        picture->setPixmap(QPixmap::fromImage(Pictures[i]));
        picture->setGeometry(where);
        SwatchImages[i] = picture;
        auto* button = new TMTranBtn(this);
        button->setObjectName(QStringLiteral("MTranBtn") + QString::number(position + 2));
        button->setToolTip(QString::fromStdString(SwatchHint(Swatches[i])));
        button->setGeometry(where);
        SwatchButtons[i] = button;
    }
    const int top = SwatchTop + SwatchSide + 10;
    MakePageLabel(this, CurrentImageControl.Caption,
                  QRect(RightLeft, top, RightLabelWidth, FieldHeight));
    CurrentImage = new QLabel(this);
    CurrentImage->setObjectName(Utf8Text(CurrentImageControl.Name));
    CurrentImage->setToolTip(Utf8Text(CurrentImageControl.Hint));
    CurrentImage->setGeometry(BarLeft, top + (FieldHeight - SwatchSide) / 2, SwatchSide,
                              SwatchSide);
    // Beside "Text Starting Position", in the room the right column leaves above the font row,
    // with a line in small text under it that says why it matters.
    const int tickTop = RowTop + 5 * RowStep - 3;
    CheckHtml5 = MakeCheck(this, Html5Control,
                           QRect(RightLeft, tickTop, PageWidth - Margin - RightLeft, 18));
    const int noteLeft = RightLeft + CheckHtml5->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                         CheckHtml5->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    Html5Note = MakePageLabel(this, Html5NoteText,
                              QRect(noteLeft, tickTop + 18, PageWidth - Margin - noteLeft, 13));
    Html5Note->setObjectName(QStringLiteral("Html5Note"));
    QFont small = Html5Note->font();
    small.setPixelSize(11);
    Html5Note->setFont(small);
}

void GeneratePage::BuildTag() {
    MakePageLabel(this, TagHeading, QRect(Margin, TagTop, PageWidth - 2 * Margin, FieldHeight));
    HtmlMemo = new QPlainTextEdit(this);
    HtmlMemo->setObjectName(Utf8Text(HtmlMemoControl.Name));
    HtmlMemo->setToolTip(Utf8Text(HtmlMemoControl.Hint));
    HtmlMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    HtmlMemo->setTabChangesFocus(true);
    HtmlMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HtmlMemo->setGeometry(Margin, MemoTop, PageWidth - 3 * Margin - ButtonWidth,
                          PageHeight - Margin - MemoTop);
    MemoGuard = new GuideTextGuard(HtmlMemo, TextRule::CodePage);
    GenerateBitBtn = MakeButton(this, GenerateControl, MemoTop);
    SaveBtn = MakeButton(this, SaveControl, MemoTop + ButtonHeight + 6);
    LoadBtn = MakeButton(this, LoadControl, MemoTop + 2 * (ButtonHeight + 6));
    // In a larger window the element gets the room; its buttons stay at its right.
    Anchor(HtmlMemo, Anchors::All());
    for (QPushButton* button : {GenerateBitBtn, SaveBtn, LoadBtn})
        Anchor(button, Anchors::Top | Anchors::Right);
}

} // namespace dravenloom
