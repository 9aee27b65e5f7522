// The magnified field window.
#include "app/Magnified.h"

#include "app/GuideText.h"
#include "app/WindowStyle.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace dravenloom {

TMagnifyForm::TMagnifyForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      Memo(new QPlainTextEdit(this)), Guard(new GuideTextGuard(Memo)), Panel(new QWidget(this)),
      Ok(new QPushButton(QStringLiteral("OK"), Panel)),
      Cancel(new QPushButton(QStringLiteral("Cancel"), Panel)) {
    setWindowTitle(QStringLiteral("Edit Dialogue"));
    setFont(DialogFont());

    Memo->setToolTip(
        QStringLiteral("Type text to be used as primary dialogue for your guide here."));
    Panel->setFixedHeight(34);
    Ok->resize(75, 25);
    Cancel->resize(75, 25);
    // Return belongs to the text box (a new line); OK is clicked, not defaulted.
    Ok->setAutoDefault(false);
    Cancel->setAutoDefault(false);
    connect(Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Memo, 1);
    layout->addWidget(Panel);

    FixClientSize(this, 530, 348);
}

std::optional<std::string> TMagnifyForm::Edit(const std::string& guideBytes) {
    Guard->SetGuideText(guideBytes);
    // Each opening edits afresh: undo can't reach the text of an earlier field.
    Memo->document()->clearUndoRedoStacks();
    Memo->moveCursor(QTextCursor::End);
    Memo->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Guard->GuideText();
}

void TMagnifyForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The two buttons sit centred with 6 pixels between them.
    const int half = Panel->width() / 2;
    const int top = (Panel->height() - Ok->height()) / 2;
    Ok->move(half - 78, top);
    Cancel->move(half + 3, top);
}

} // namespace dravenloom
