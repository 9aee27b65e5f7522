// The "Generate HTML" page: forwarding the author's input to the core, and showing its state.
#include "app/GeneratePage.h"

#include "shell/OptionsHistory.h"

#include "app/GuideText.h"
#include "app/QtPlatform.h"
#include "app/Tranbtn.h"
#include "app/WidgetSync.h"
#include "shell/GuideForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dravenloom {
namespace {

void ShowColour(QWidget* panel, const Rgb& colour) {
    const QColor wanted(colour.Red, colour.Green, colour.Blue);
    if (panel->palette().color(QPalette::Window) == wanted)
        return;
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, wanted);
    panel->setPalette(palette);
}

} // namespace

GeneratePage::GeneratePage(GuideForm& form, FocusTargets& fields, QWidget* parent)
    : GuidePage(parent), Form(form), Options(form.Applet.Options), Fields(fields) {
    setObjectName(QStringLiteral("GeneratePage"));
    // Built in reading order, which is also the order the Tab key follows.
    BuildOptions();
    BuildColours();
    BuildSwatches();
    BuildTag();
    RegisterFields();
    Connect();
    Refresh();
}

GeneratePage::~GeneratePage() {
    Fields.Unregister(Options.WidthEdit);
    Fields.Unregister(Options.HeightEdit);
    Fields.Unregister(Options.TextStart);
    Fields.Unregister(Options.FaceCombo);
    Fields.Unregister(Options.SizeCombo);
}

void GeneratePage::RegisterFields() {
    Fields.Register(Options.WidthEdit, WidthEdit);
    Fields.Register(Options.HeightEdit, HeightEdit);
    Fields.Register(Options.TextStart, TextStart);
    Fields.Register(Options.FaceCombo, FaceCombo);
    Fields.Register(Options.SizeCombo, SizeCombo);
    for (QWidget* field : {static_cast<QWidget*>(WidthEdit), static_cast<QWidget*>(HeightEdit),
                           static_cast<QWidget*>(TextStart), static_cast<QWidget*>(FaceCombo),
                           static_cast<QWidget*>(SizeCombo)})
        field->installEventFilter(this);
}

void GeneratePage::ConnectText(GuideTextGuard* guard, TextField& field) {
    connect(guard, &GuideTextGuard::Edited, this,
            [this, &field](const std::string& text) { Forward([&] { field.Text = text; }); });
}

void GeneratePage::ConnectCombo(QComboBox* combo, GuideTextGuard* guard, ComboBox& box) {
    connect(guard, &GuideTextGuard::Edited, this, [this, &box](const std::string& text) {
        Forward([&] { AppletOptions::SetComboText(box, text); });
    });
    // An entry picked from the list is put into the edit part without an edit of its own.
    connect(combo, &QComboBox::textActivated, this, [this, guard, &box] {
        Forward([&] { AppletOptions::SetComboText(box, guard->GuideText()); });
    });
}

void GeneratePage::Connect() {
    TextField* fields[] = {&Options.TitleEdit, &Options.ButtonEdit, &Options.ImageDir,
                           &Options.WidthEdit, &Options.HeightEdit, &Options.TextStart};
    for (std::size_t i = 0; i < FieldGuards.size(); ++i)
        ConnectText(FieldGuards[i], *fields[i]);
    ConnectCombo(FaceCombo, FaceGuard, Options.FaceCombo);
    ConnectCombo(SizeCombo, SizeGuard, Options.SizeCombo);
    connect(CheckBold, &QCheckBox::clicked, this,
            [this](bool checked) { Forward([&] { Options.CheckBold.Checked = checked; }); });
    connect(CheckItalic, &QCheckBox::clicked, this,
            [this](bool checked) { Forward([&] { Options.CheckItalic.Checked = checked; }); });
    connect(CheckHtml5, &QCheckBox::clicked, this,
            [this](bool checked) { Forward([&] { Form.Applet.CheckHtml5Click(checked); }); });
    connect(MTranBtn1, &TMTranBtn::Click, this,
            [this] { Forward([this] { Options.MTranBtn1Click(); }); });
    connect(MTranBtn2, &TMTranBtn::Click, this,
            [this] { Forward([this] { Options.MTranBtn2Click(); }); });
    for (int position = 1; position <= SwatchCount; ++position)
        connect(SwatchButtons[static_cast<std::size_t>(position - 1)], &TMTranBtn::Click, this,
                [this, position] { Forward([&] { Options.SwatchClick(position); }); });

    AppletTag& tag = Form.Applet.Tag;
    connect(MemoGuard, &GuideTextGuard::Edited, this, [this, &tag](const std::string& text) {
        Forward([&] {
            tag.HtmlMemo.Text = text;
            tag.HtmlMemoChange();
        });
    });
    connect(GenerateBitBtn, &QPushButton::clicked, this,
            [this, &tag] { Forward([&] { tag.GenerateBitBtnClick(); }); });
    connect(SaveBtn, &QPushButton::clicked, this,
            [this, &tag] { Forward([&] { tag.SaveBtnClick(); }); });
    connect(LoadBtn, &QPushButton::clicked, this,
            [this] { Forward([this] { Form.Applet.LoadBtnClick(); }); });
}

bool GeneratePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    auto* field = qobject_cast<QWidget*>(watched);
    // A modal box, a menu or another window taking the focus is not the author leaving.
    if (!field || !IsFieldExit(field, static_cast<QFocusEvent*>(event)))
        return false;
    if (field == WidthEdit)
        Forward([this] { Options.WidthEditExit(); });
    else if (field == HeightEdit)
        Forward([this] { Options.HeightEditExit(); });
    else if (field == TextStart)
        Forward([this] { Options.TextStartExit(); });
    else if (field == FaceCombo)
        Forward([this] { Options.FaceComboExit(); });
    else if (field == SizeCombo)
        Forward([this] { Options.SizeComboExit(); });
    return false;
}

void GeneratePage::Forward(const std::function<void()>& command) {
    // Every edit of the page may change an option, and each such change can be undone.
    GuidePage::Forward(
        [&] { RecordOptionsEdit(Form.Document.History, Form.Applet.Options, command); },
        Form.Host);
}

void GeneratePage::Refresh() {
    QLineEdit* widgets[] = {TitleEdit, ButtonEdit, ImageDir, WidthEdit, HeightEdit, TextStart};
    const TextField* fields[] = {&Options.TitleEdit, &Options.ButtonEdit, &Options.ImageDir,
                                 &Options.WidthEdit, &Options.HeightEdit, &Options.TextStart};
    for (std::size_t i = 0; i < FieldGuards.size(); ++i) {
        ShowGuideText(*FieldGuards[i], widgets[i], fields[i]->Text);
        ShowFieldState(widgets[i], *fields[i]);
    }
    ShowGuideText(*FaceGuard, FaceCombo->lineEdit(), Options.FaceCombo.Text);
    ShowGuideText(*SizeGuard, SizeCombo->lineEdit(), Options.SizeCombo.Text);
    ShowCheckBox(CheckBold, Options.CheckBold);
    ShowCheckBox(CheckItalic, Options.CheckItalic);
    ShowCheckBox(CheckHtml5, Options.CheckHtml5);
    ShowColour(ColorPanel1, Options.Color1);
    ShowColour(ColorPanel2, Options.Color2);
    if (ShownSwatch != Options.ButtonSwatch) {
        ShownSwatch = Options.ButtonSwatch;
        CurrentImage->setPixmap(
            QPixmap::fromImage(Pictures[static_cast<std::size_t>(ShownSwatch - 1)]));
    }

    const AppletTag& tag = Form.Applet.Tag;
    ShowGuideText(*MemoGuard, HtmlMemo, tag.HtmlMemo.Text);
    const auto bar = tag.MemoScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (HtmlMemo->verticalScrollBarPolicy() != bar)
        HtmlMemo->setVerticalScrollBarPolicy(bar);
    ShowButton(GenerateBitBtn, tag.GenerateBitBtn);
    ShowButton(SaveBtn, tag.SaveBtn);
    ShowButton(LoadBtn, Form.Applet.LoadBtn);
}

} // namespace dravenloom
