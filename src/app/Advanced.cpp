// The graphic dialog.
#include "app/Advanced.h"

#include "app/GuideText.h"
#include "app/QtPlatform.h"
#include "app/WindowStyle.h"
#include "preview/PictureCheck.h"

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
      Ok(new QPushButton(QStringLiteral("OK"), this)), Preview(new QLabel(this)),
      Line(new QLabel(this)), PathGuard(new GuideTextGuard(PathEdit)),
      XGuard(new GuideTextGuard(XEdit)), YGuard(new GuideTextGuard(YEdit)) {
    setWindowTitle(QStringLiteral("Graphic"));
    setFont(DialogFont());
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    // The fields keep their places on the left; the line under the path pushes the position
    // row down, and the preview takes a column of its own on the right.
    Check->setGeometry(8, 6, 266, 20);
    PathEdit->setGeometry(8, 30, 186, 22);
    Browse->setGeometry(200, 29, 75, 24);
    Line->setGeometry(8, 54, 267, 28);
    Line->setWordWrap(true);
    Line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette warning = Line->palette();
    warning.setColor(QPalette::WindowText, QColor(0x99, 0x11, 0x11));
    Line->setPalette(warning);
    auto* xLabel = new QLabel(QStringLiteral("X Location:"), this);
    xLabel->setGeometry(8, 84, 58, 22);
    XEdit->setGeometry(66, 84, 50, 22);
    auto* yLabel = new QLabel(QStringLiteral("Y Location:"), this);
    yLabel->setGeometry(124, 84, 58, 22);
    YEdit->setGeometry(182, 84, 50, 22);
    Ok->setGeometry(200, 110, 75, 24);
    Ok->setDefault(true);
    Preview->setGeometry(284, 6, PreviewSide + 4, PreviewSide + 4);
    Preview->setFrameStyle(QFrame::Box | QFrame::Plain);
    Preview->setAlignment(Qt::AlignCenter);
    QPalette frame = Preview->palette();
    frame.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    Preview->setPalette(frame);

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

    FixClientSize(this, 392, 138);
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
    ShowPicture(false);
}

void TAdvancedForm::ShowPicture(bool again) {
    const std::string& path = Editor.Graphic.GraphicEdit.Text;
    const std::string& guide = Editor.Document.GuideFileName;
    if (!again && path == CheckedPath && guide == CheckedGuide)
        return;
    CheckedPath = path;
    CheckedGuide = guide;
    const PictureCheck check = CheckPicture(path, guide, Pictures);
    QPixmap shown;
    if (check.Loaded)
        shown = QPixmap::fromImage(FitIntoBox(*check.Loaded, QSize(PreviewSide, PreviewSide)));
    Preview->setPixmap(shown);
    Line->setText(QString::fromStdString(check.Message()));
}

void TAdvancedForm::showEvent(QShowEvent* event) {
    ShowPicture(true);
    QDialog::showEvent(event);
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
