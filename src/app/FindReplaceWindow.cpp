// The "Find" window and its two menu commands.
#include "app/FindReplaceWindow.h"

#include "app/FindResultsModel.h"
#include "app/Guidecode.h"
#include "app/QtPlatform.h"
#include "app/WindowStyle.h"
#include "document/TextSearch.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace dravenloom {
namespace {

constexpr int WindowWidth = 620;
constexpr int WindowHeight = 380;

QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    // Enter walks to a match in the list and searches in the find field; no button may take
    // it as well.
    button->setAutoDefault(false);
    return button;
}

} // namespace

FindReplaceWindow::FindReplaceWindow(TGuideForm& window)
    : QDialog(&window), Window(window), Finder(window.Core()) {
    setObjectName(QStringLiteral("FindReplaceWindow"));
    setWindowTitle(QStringLiteral("Find and Replace"));
    setModal(false);
    setFont(DialogFont());
    resize(WindowWidth, WindowHeight);

    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindEdit->setToolTip(QStringLiteral("Type the text to find in the dialogues and responses."));
    ReplaceEdit = new QLineEdit(this);
    ReplaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
    ReplaceEdit->setToolTip(QStringLiteral(
        "Type the text to put in place of each match. A regular expression's groups are $1, "
        "$2 ... ($$ for a dollar sign)."));
    auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findLabel->setBuddy(FindEdit);
    auto* replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
    replaceLabel->setBuddy(ReplaceEdit);

    MatchCaseCheck = new QCheckBox(QStringLiteral("Match &case"), this);
    MatchCaseCheck->setObjectName(QStringLiteral("MatchCaseCheck"));
    WholeWordCheck = new QCheckBox(QStringLiteral("&Whole word"), this);
    WholeWordCheck->setObjectName(QStringLiteral("WholeWordCheck"));
    RegexCheck = new QCheckBox(QStringLiteral("Regular e&xpression"), this);
    RegexCheck->setObjectName(QStringLiteral("RegexCheck"));

    FindAllButton = MakeButton("&Find All", "FindAllButton", this);
    ReplaceButton = MakeButton("&Replace", "ReplaceButton", this);
    ReplaceAllButton = MakeButton("Replace &All", "ReplaceAllButton", this);
    CloseButton = MakeButton("Close", "CloseButton", this);

    Model = new FindResultsModel(Finder, this);
    ResultList = new QTreeView(this);
    ResultList->setObjectName(QStringLiteral("ResultList"));
    ResultList->setModel(Model);
    ResultList->setItemDelegateForColumn(1, new MatchDelegate(ResultList));
    ResultList->setRootIsDecorated(false);
    ResultList->setUniformRowHeights(true);
    ResultList->setAllColumnsShowFocus(true);
    ResultList->setToolTip(
        QStringLiteral("Double-click a match, or press Enter, to show it in the Edit View."));
    ResultList->header()->setStretchLastSection(true);
    ResultList->setColumnWidth(0, 150);

    MessageLabel = new QLabel(this);
    MessageLabel->setObjectName(QStringLiteral("MessageLabel"));
    MessageLabel->setWordWrap(true);
    MessageLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(FindEdit, 0, 1);
    fields->addWidget(FindAllButton, 0, 2);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(ReplaceEdit, 1, 1);
    auto* replaceButtons = new QHBoxLayout;
    replaceButtons->addWidget(ReplaceButton);
    replaceButtons->addWidget(ReplaceAllButton);
    fields->addLayout(replaceButtons, 1, 2);
    auto* checks = new QHBoxLayout;
    checks->addWidget(MatchCaseCheck);
    checks->addWidget(WholeWordCheck);
    checks->addWidget(RegexCheck);
    checks->addStretch(1);
    fields->addLayout(checks, 2, 1, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(MessageLabel, 1);
    bottom->addWidget(CloseButton, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(ResultList, 1);
    layout->addLayout(bottom);

    connect(FindEdit, &QLineEdit::returnPressed, this, &FindReplaceWindow::FindAll);
    connect(FindAllButton, &QPushButton::clicked, this, &FindReplaceWindow::FindAll);
    connect(ReplaceButton, &QPushButton::clicked, this, &FindReplaceWindow::ReplaceCurrent);
    connect(ReplaceAllButton, &QPushButton::clicked, this, &FindReplaceWindow::ReplaceEverything);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
    connect(ResultList, &QTreeView::activated, this,
            [this](const QModelIndex& index) { GoTo(index.row()); });
}

void FindReplaceWindow::TakeInput() {
    Finder.FindText = FindEdit->text().toStdString();
    Finder.ReplaceText = ReplaceEdit->text().toStdString();
    Finder.MatchCase.Checked = MatchCaseCheck->isChecked();
    Finder.WholeWord.Checked = WholeWordCheck->isChecked();
    Finder.RegularExpression.Checked = RegexCheck->isChecked();
}

void FindReplaceWindow::ShowResults(int currentRow) {
    Model->Reload();
    MessageLabel->setText(QString::fromStdString(Finder.Message()));
    const int rows = Model->rowCount();
    ReplaceButton->setEnabled(rows > 0);
    ReplaceAllButton->setEnabled(rows > 0);
    if (rows > 0)
        ResultList->setCurrentIndex(Model->index(std::clamp(currentRow, 0, rows - 1), 0));
    // A broken expression: the find field shows where, the character selected.
    if (const auto at = Finder.ErrorAt()) {
        const int length = static_cast<int>(FindEdit->text().size());
        const int position = std::min(static_cast<int>(*at), length);
        FindEdit->setFocus(Qt::OtherFocusReason);
        FindEdit->setSelection(position, position < length ? 1 : 0);
    }
}

void FindReplaceWindow::FindAll() {
    TakeInput();
    Window.Forward([this] { Finder.Search(); });
    ShowResults(0);
}

void FindReplaceWindow::GoTo(int row) {
    if (row < 0)
        return;
    bool walked = false;
    Window.Forward(
        [this, row, &walked] { walked = Finder.GoToMatch(static_cast<std::size_t>(row)); });
    if (!walked) {
        ShowResults(row);
        return;
    }
    const FindReplaceCommand::FieldSelection& selection = Finder.Selection();
    auto* field = qobject_cast<QPlainTextEdit*>(Window.Fields().WidgetOf(*selection.Field));
    Window.raise();
    Window.activateWindow();
    if (!field)
        return;
    const std::string& text = selection.Field->Text;
    QTextCursor cursor(field->document());
    cursor.setPosition(static_cast<int>(FieldCharacterPosition(text, selection.Start)));
    cursor.setPosition(
        static_cast<int>(FieldCharacterPosition(text, selection.Start + selection.Length)),
        QTextCursor::KeepAnchor);
    field->setFocus(Qt::OtherFocusReason);
    field->setTextCursor(cursor);
    field->ensureCursorVisible();
}

void FindReplaceWindow::ReplaceCurrent() {
    const int row = ResultList->currentIndex().row();
    if (row < 0)
        return;
    TakeInput();
    Window.Forward([this, row] { Finder.ReplaceMatch(static_cast<std::size_t>(row)); });
    ShowResults(row);
}

void FindReplaceWindow::ReplaceEverything() {
    TakeInput();
    Window.Forward([this] { Finder.ReplaceAll(); });
    ShowResults(0);
}

void FindReplaceWindow::Open(bool forReplace) {
    show();
    raise();
    activateWindow();
    QLineEdit* field = forReplace && !FindEdit->text().isEmpty() ? ReplaceEdit : FindEdit;
    field->setFocus(Qt::ShortcutFocusReason);
    field->selectAll();
}

void AddFindCommands(TGuideForm& window, QMenu* edit) {
    auto open = [&window](bool forReplace) {
        auto* finder = window.findChild<FindReplaceWindow*>();
        if (!finder)
            finder = new FindReplaceWindow(window);
        finder->Open(forReplace);
    };
    QAction* find = edit->addAction(QStringLiteral("&Find..."));
    find->setObjectName(QStringLiteral("Find1"));
    find->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
    QAction* replace = edit->addAction(QStringLiteral("R&eplace..."));
    replace->setObjectName(QStringLiteral("Replace1"));
    replace->setShortcut(QKeySequence(QStringLiteral("Ctrl+H")));
    QObject::connect(find, &QAction::triggered, &window, [open] { open(false); });
    QObject::connect(replace, &QAction::triggered, &window, [open] { open(true); });
}

} // namespace dravenloom
