// The Edit View page's widgets, their captions and hints, and their layout.
#include "app/EditPage.h"
#include "app/PageWidgets.h"

#include "app/Artwork.h"
#include "app/GuideText.h"
#include "app/MoveKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace dravenloom {
namespace {

constexpr int ButtonHeight = 23;
constexpr int LinkDigits = 3;

const char* const ResponseHints[ResponseSlots] = {
    "Type the first possible response to the dialogue here.",
    "Type the second possible response to the dialogue here.",
    "Type the third possible response to the dialogue here.",
    "Type the fourth possible response to the dialogue here.",
    "Type the fifth possible response to the dialogue here.",
    "Type the sixth possible response to the dialogue here.",
};

QString Name(const char* stem, int number) {
    return QString::fromUtf8(stem) + QString::number(number);
}

// A push button just wide enough for its caption (the style's 80-pixel minimum would not let
// the response rows fit).
QPushButton* MakeButton(QWidget* parent, const QString& name, const char* caption, const char* hint,
                        int minimumWidth = 0) {
    auto* button = new QPushButton(Utf8Text(caption), parent);
    button->setObjectName(name);
    button->setToolTip(Utf8Text(hint));
    button->setAutoDefault(false);
    const int width = button->fontMetrics().horizontalAdvance(button->text()) + 16;
    button->setFixedSize(std::max(width, minimumWidth), ButtonHeight);
    return button;
}

QToolButton* MakeMagnifier(QWidget* parent, const QString& name, const char* hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(MagnifierIcon());
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(Utf8Text(hint));
    button->setFixedSize(22, 22);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* caption) {
    auto* label = new QLabel(Utf8Text(caption), parent);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const QString& name, const char* hint) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setToolTip(Utf8Text(hint));
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setTabChangesFocus(true);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return memo;
}

} // namespace

void EditPage::BuildDialogue() {
    DialogueMemo = MakeMemo(this, QStringLiteral("DialogueMemo"),
                            "Type text to be used as primary dialogue for your guide here.");
    DialogueGuard = new GuideTextGuard(DialogueMemo);
    CenterCheck = new QCheckBox(QStringLiteral("Center"), this);
    CenterCheck->setObjectName(QStringLiteral("CenterCheck"));
    CenterCheck->setToolTip(
        Utf8Text("Enable this checkbox to center primary dialogue in this screen of your guide."));
    Image11 = MakeMagnifier(this, QStringLiteral("Image11"),
                            "Click here to view the primary dialogue field at an increased size!");
}

void EditPage::BuildNavigationBox() {
    NavigationBox = new QFrame(this);
    NavigationBox->setObjectName(QStringLiteral("NavigationBox"));
    NavigationBox->setFrameStyle(QFrame::Panel | QFrame::Raised);
    NavigationBox->setLineWidth(2);
    NavigationBox->setAutoFillBackground(true);

    auto* jumpedFrom = MakeLabel(NavigationBox, "Jumped from:");
    ComboBox1 = new QComboBox(NavigationBox);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setToolTip(
        Utf8Text("Click here to view a list of records from which the current record jumps."));
    ComboBox1->setFixedHeight(ButtonHeight);
    ComboBox1->setMinimumContentsLength(6);
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // "Select record" is the list's text, not a faint placeholder.
    QPalette comboPalette = ComboBox1->palette();
    comboPalette.setColor(QPalette::Active, QPalette::PlaceholderText,
                          comboPalette.color(QPalette::Active, QPalette::ButtonText));
    comboPalette.setColor(QPalette::Inactive, QPalette::PlaceholderText,
                          comboPalette.color(QPalette::Inactive, QPalette::ButtonText));
    ComboBox1->setPalette(comboPalette);

    // The nine cells share one width, so the box reads as a grid; the drop-down's text
    // "Select record" sets it.
    const int cell = std::max(
        76, ComboBox1->fontMetrics().horizontalAdvance(QStringLiteral("Select record")) + 34);
    GoBitBtn =
        MakeButton(NavigationBox, QStringLiteral("GoBitBtn"), "Go there",
                   "Click here to jump to the record displayed in the drop-down menu.", cell);
    PrevBitBtn = MakeButton(NavigationBox, QStringLiteral("PrevBitBtn"), "Previous",
                            "Click here to view the previous record.", cell);
    NextBitBtn = MakeButton(NavigationBox, QStringLiteral("NextBitBtn"), "Next",
                            "Click here to view the next record.", cell);
    BackBitBtn = MakeButton(NavigationBox, QStringLiteral("BackBitBtn"), "Go back",
                            "Click here to return to the record last viewed.", cell);
    // The keys that press these buttons (the "&Edit" menu's) follow their hints.
    PrevBitBtn->setToolTip(HintWithKey(PrevBitBtn->toolTip(), PreviousRecordKey()));
    NextBitBtn->setToolTip(HintWithKey(NextBitBtn->toolTip(), NextRecordKey()));
    BackBitBtn->setToolTip(HintWithKey(BackBitBtn->toolTip(), GoBackKey()));
    RemoveBitBtn = MakeButton(NavigationBox, QStringLiteral("RemoveBitBtn"), "Remove",
                              "Click here to remove the current record.", cell);
    BitBtn4 = MakeButton(NavigationBox, QStringLiteral("BitBtn4"), "Graphic...",
                         "Click here to specify a graphic for the current record.", cell);
    BitBtn5 = MakeButton(NavigationBox, QStringLiteral("BitBtn5"), "Demo",
                         "Click here to view the demonstration for the current record.", cell);
    ComboBox1->setFixedWidth(GoBitBtn->width());
    jumpedFrom->setFixedWidth(GoBitBtn->width());

    auto* grid = new QGridLayout(NavigationBox);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    grid->addWidget(jumpedFrom, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(GoBitBtn, 0, 2);
    grid->addWidget(PrevBitBtn, 1, 0);
    grid->addWidget(NextBitBtn, 1, 1);
    grid->addWidget(BackBitBtn, 1, 2);
    grid->addWidget(RemoveBitBtn, 2, 0);
    grid->addWidget(BitBtn4, 2, 1);
    grid->addWidget(BitBtn5, 2, 2);
}

void EditPage::BuildResponses() {
    for (int k = 1; k <= ResponseSlots; ++k) {
        const int i = k - 1;
        Memos[i] = MakeMemo(this, Name("Memo", k), ResponseHints[i]);
        MemoGuards[i] = new GuideTextGuard(Memos[i]);
        Edits[i] = new QLineEdit(this);
        Edits[i]->setObjectName(Name("Edit", k));
        Edits[i]->setToolTip(
            Utf8Text("Type a value to specify the record to which the current record will link."));
        const int digits = Edits[i]->fontMetrics().horizontalAdvance(QString(LinkDigits + 1, u'0'));
        Edits[i]->setFixedSize(digits + 10, ButtonHeight - 1);
        EditGuards[i] = new GuideTextGuard(Edits[i]);
        GoThereButtons[i] =
            MakeButton(this, Name("Button", k), "Go there!",
                       "Click here to jump to the record displayed in the field to the left.");
        CreateNewButtons[i] = MakeButton(this, Name("Button", k + ResponseSlots), "Create new",
                                         "Click here to create a new record.");
        Magnifiers[i] =
            MakeMagnifier(this, Name("Image", k + 4),
                          "Click here to view this response field at an increased size!");
    }
}

EditPage::EditPage(GuideForm& form, FocusTargets& fields, QWidget* parent)
    : GuidePage(parent), Form(form), Fields(fields) {
    setObjectName(QStringLiteral("EditPage"));
    // Built in reading order, which is also the order the Tab key follows.
    BuildDialogue();
    BuildNavigationBox();
    BuildResponses();

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, 6, 10, 8);
    page->setSpacing(4);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    auto* dialogue = new QVBoxLayout;
    dialogue->setSpacing(2);
    auto* dialogueLine = new QHBoxLayout;
    dialogueLine->setSpacing(4);
    dialogueLine->addWidget(MakeLabel(this, "Add primary dialogue here:"));
    dialogueLine->addWidget(Image11);
    dialogueLine->addStretch(1);
    dialogueLine->addWidget(CenterCheck);
    dialogue->addLayout(dialogueLine);
    dialogue->addWidget(DialogueMemo, 1);
    top->addLayout(dialogue, 1);
    top->addWidget(NavigationBox, 0, Qt::AlignBottom);
    page->addLayout(top);

    page->addSpacing(4);
    page->addWidget(MakeLabel(this, "Add responses to the dialogue:"));

    auto* responses = new QGridLayout;
    responses->setHorizontalSpacing(14);
    responses->setVerticalSpacing(8);
    for (int i = 0; i < ResponseSlots; ++i) {
        auto* slot = new QVBoxLayout;
        slot->setSpacing(3);
        slot->addWidget(Memos[i], 1);
        auto* link = new QHBoxLayout;
        link->setSpacing(4);
        link->addWidget(MakeLabel(this, "Jumps to record:"));
        link->addWidget(Edits[i]);
        link->addStretch(1);
        link->addWidget(GoThereButtons[i]);
        link->addWidget(CreateNewButtons[i]);
        link->addWidget(Magnifiers[i]);
        slot->addLayout(link);
        // Odd slots on the left, even slots on the right.
        responses->addLayout(slot, i / 2, i % 2);
    }
    page->addLayout(responses, 1);

    RegisterFields();
    Connect();
}

} // namespace dravenloom
