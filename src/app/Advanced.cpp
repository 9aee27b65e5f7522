// The graphic dialog.
#include "app/Advanced.h"

#include "app/GuideText.h"
#include "app/QtPlatform.h"
#include "app/WindowStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dravenloom {

TAdvancedForm::TAdvancedForm(RecordEditor& editor, FocusTargets& focus, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), Editor(editor), Focus(focus),
      Check(new QCheckBox(QStringLiteral("Include a graphic with this dialogue"), this)),
      PathEdit(new QLineEdit(this)), Browse(new QPushButton(QStringLiteral("Browse..."), this)),
      XEdit(new QLineEdit(this)), YEdit(new QLineEdit(this)),
      Ok(new QPushButton(QStringLiteral("OK"), this)), PathGuard(new GuideTextGuard(PathEdit)),
      XGuard(new GuideTextGuard(XEdit)), YGuard(new GuideTextGuard(YEdit)) {
    setWindowTitle(QStringLiteral("Graphic"));
    setFont(DialogFont());
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    Check->setGeometry(8, 6, 266, 20);
    PathEdit->setGeometry(8, 30, 186, 22);
    Browse->setGeometry(200, 29, 75, 24);
    auto* xLabel = new QLabel(QStringLiteral("X Location:"), this);
    xLabel->setGeometry(8, 60, 58, 22);
    XEdit->setGeometry(66, 60, 50, 22);
    auto* yLabel = new QLabel(QStringLiteral("Y Location:"), this);
    yLabel->setGeometry(124, 60, 58, 22);
    YEdit->setGeometry(182, 60, 50, 22);
    Ok->setGeometry(200, 82, 75, 24);
    Ok->setDefault(true);

    Check->setToolTip(
        QStringLiteral("Enable this checkbox to place an image on the screen for this record."));
    PathEdit->setToolTip(QStringLiteral("Displays the path to a graphic for the current record."));
    Browse->setToolTip(QStringLiteral("Click here to specify a graphic for this record."));
    YEdit->setToolTip(
        QStringLiteral("Displays the vertical position of the graphic for this record."));

    Focus.Register(Editor.Graphic.GraphicEdit, PathEdit);
    Focus.Register(Editor.Graphic.Edit7, XEdit);
    Focus.Register(Editor.Graphic.Edit8, YEdit);
    XEdit->installEventFilter(this);
    YEdit->installEventFilter(this);

    connect(Check, &QCheckBox::clicked, this, [this](bool checked) {
        Editor.GraphicCheckClick(checked);
        Refresh();
    });
    connect(PathGuard, &GuideTextGuard::Edited, this, [this](const std::string& text) {
        Editor.GraphicEditChange(text);
        Refresh();
    });
    connect(XGuard, &GuideTextGuard::Edited, this, [this](const std::string& text) {
        Editor.Edit7Change(text);
        Refresh();
    });
    connect(YGuard, &GuideTextGuard::Edited, this, [this](const std::string& text) {
        Editor.Edit8Change(text);
        Refresh();
    });
    connect(Browse, &QPushButton::clicked, this, [this] {
        Editor.GraphicBitBtnClick();
        Refresh();
    });
    connect(Ok, &QPushButton::clicked, this, &QDialog::accept);

    FixClientSize(this, 282, 109);
    Refresh();
}

TAdvancedForm::~TAdvancedForm() {
    Focus.Unregister(Editor.Graphic.GraphicEdit);
    Focus.Unregister(Editor.Graphic.Edit7);
    Focus.Unregister(Editor.Graphic.Edit8);
}

void TAdvancedForm::Refresh() {
    const GraphicDialog& state = Editor.Graphic;
    {
        const QSignalBlocker blocker(Check);
        Check->setChecked(state.GraphicCheck.Checked);
    }
    Check->setEnabled(state.GraphicCheck.Enabled);
    Browse->setEnabled(state.GraphicBitBtn.Enabled);
    ShowField(PathEdit, PathGuard, state.GraphicEdit);
    ShowField(XEdit, XGuard, state.Edit7);
    ShowField(YEdit, YGuard, state.Edit8);
}

void TAdvancedForm::ShowField(QLineEdit* widget, GuideTextGuard* guard, const TextField& field) {
    guard->SetGuideText(field.Text);
    widget->setEnabled(field.Enabled);
    QPalette colours = QApplication::palette(widget);
    if (field.Inactive)
        colours.setColor(QPalette::Base, InactiveCaptionTextColour());
    widget->setPalette(colours);
}

bool TAdvancedForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == XEdit || watched == YEdit) &&
        IsFieldExit(static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(event))) {
        if (watched == XEdit)
            Editor.Edit7Exit();
        else
            Editor.Edit8Exit();
        Refresh();
    }
    return QDialog::eventFilter(watched, event);
}

void TAdvancedForm::done(int result) {
    QWidget* focused = focusWidget();
    if (isVisible() && !ModalGuard::Active() && (focused == XEdit || focused == YEdit)) {
        const TextField& field = focused == XEdit ? Editor.Graphic.Edit7 : Editor.Graphic.Edit8;
        const std::string before = field.Text;
        if (focused == XEdit)
            Editor.Edit7Exit();
        else
            Editor.Edit8Exit();
        Refresh();
        // A number that was put right stays in view, with the focus, as after leaving it.
        if (field.Text != before)
            return;
    }
    QDialog::done(result);
}

} // namespace dravenloom
