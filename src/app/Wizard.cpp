// The getting-started wizard.
#include "app/Wizard.h"

#include "app/Artwork.h"
#include "app/WindowStyle.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace dravenloom {
namespace {

QLabel* TextLabel(QWidget* parent, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

QPushButton* WizardButton(QWidget* parent, const QString& caption, int left) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(left, 236, 100, 25);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TWizardForm::TWizardForm(SettingsStore& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), Behaviour(settings) {
    setWindowTitle(QStringLiteral("Getting Started with Dravenloom"));
    setFont(DialogFont());

    auto* panel = new QWidget(this);
    panel->setGeometry(0, 0, 493, 295);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);

    auto* heading = new QLabel(QStringLiteral("Welcome to Dravenloom!"), panel);
    heading->setFont(SerifFont(18, true));
    heading->adjustSize();
    heading->move(12, 8);
    auto* mark = new QLabel(QStringLiteral("TM"), panel);
    QFont small = DialogFont();
    small.setPointSize(6);
    mark->setFont(small);
    mark->adjustSize();
    mark->move(heading->x() + heading->width() + 1, heading->y() + 2);

    auto* picture = new QLabel(panel);
    picture->setPixmap(WizardPicture());
    picture->setGeometry(12, 48, 120, 90);

    const int left = 146;
    const int width = 493 - left - 12;
    TextLabel(panel,
              QStringLiteral("The following is a list of suggested steps to help you take "
                             "advantage of Dravenloom's many features."),
              QRect(left, 46, width, 28));
    const QStringList steps = {
        QStringLiteral("We suggest you take a look at the Dravenloom tutorial to gain a better "
                       "understanding of Dravenloom's capabilities."),
        QStringLiteral("To begin authoring a guide, first go to the Edit View screen.  Type the "
                       "first header you would like to display to the user in the field below "
                       "the text 'Add primary dialogue here:'. Then, you may specify possible "
                       "choices for the user by typing text into any of the other six fields."),
        QStringLiteral("To customize the look of your guide, go to the Generate HTML screen.  "
                       "There, you can specify a title and button caption for your guide as "
                       "well as choose colors and fonts."),
    };
    const int tops[] = {80, 112, 186};
    const int heights[] = {28, 70, 42};
    for (int k = 0; k < 3; ++k) {
        TextLabel(panel, QStringLiteral("%1.").arg(k + 1), QRect(left, tops[k], 14, 14));
        TextLabel(panel, steps[k], QRect(left + 16, tops[k], width - 16, heights[k]));
    }

    OpenTutorial = WizardButton(panel, QStringLiteral("Open Tutorial"), 12);
    GoToEdit = WizardButton(panel, QStringLiteral("Go To Edit"), 131);
    GoToGenerate = WizardButton(panel, QStringLiteral("Go to Generate"), 250);
    Close = WizardButton(panel, QStringLiteral("Close"), 381);

    DontShowBox = new QCheckBox(QStringLiteral("Do not show this form at startup"), panel);
    DontShowBox->setGeometry(12, 268, 300, 20);

    connect(OpenTutorial, &QPushButton::clicked, this,
            [this] { Finish(Behaviour.OpenTutorialClick()); });
    connect(GoToEdit, &QPushButton::clicked, this, [this] { Finish(Behaviour.GoToEditClick()); });
    connect(GoToGenerate, &QPushButton::clicked, this,
            [this] { Finish(Behaviour.GoToGenerateClick()); });
    // "Close" is the cancel button: Escape reaches it through reject().
    connect(Close, &QPushButton::clicked, this, [this] { Finish(Behaviour.CloseClick()); });
    connect(DontShowBox, &QCheckBox::clicked, this, [this](bool checked) {
        Behaviour.CheckBox1Click(checked);
        Refresh();
    });

    FixClientSize(this, 493, 295);
}

void TWizardForm::FormActivate() {
    Behaviour.FormActivate();
    Refresh();
}

void TWizardForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TWizardForm::showEvent(QShowEvent* event) {
    LastOutcome.reset();
    QDialog::showEvent(event);
}

void TWizardForm::reject() {
    if (!LastOutcome)
        LastOutcome = WizardOutcome::Close;
    QDialog::reject();
}

void TWizardForm::Finish(WizardOutcome outcome) {
    LastOutcome = outcome;
    if (outcome == WizardOutcome::Close)
        reject();
    else
        accept();
    if (outcome == WizardOutcome::OpenTutorial)
        emit OpenTutorialRequested();
    else if (outcome == WizardOutcome::GoToGenerate)
        emit GoToGenerateRequested();
}

void TWizardForm::Refresh() {
    const QSignalBlocker blocker(DontShowBox);
    DontShowBox->setChecked(Behaviour.CheckBox1.Checked);
}

} // namespace dravenloom
