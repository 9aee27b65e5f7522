// The main window's quick ways about a guide: the recent guides in "&File", the moves between
// records in "&Edit" with their keys, and the timer that ends a note of the status line.
#include "app/Guidecode.h"

#include "app/EditPage.h"
#include "app/MoveKeys.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

namespace dravenloom {
namespace {

QAction* AddMove(QMenu* menu, const char* name, const char* caption, const QKeySequence& key) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(key);
    return action;
}

} // namespace

void TGuideForm::BuildRecentItems(QMenu* file) {
    // The full path of an entry is its tool tip: the status line keeps the record status.
    file->setToolTipsVisible(true);
    for (std::size_t index = 0; index < RecentItems.size(); ++index) {
        QAction* item = file->addAction(QString());
        item->setObjectName(QStringLiteral("Recent%1").arg(index + 1));
        item->setVisible(false);
        connect(item, &QAction::triggered, this,
                [this, index] { Forward([this, index] { Form.Recent.RecentGuideClick(index); }); });
        RecentItems[index] = item;
    }
    RecentSeparator = file->addSeparator();
    RecentSeparator->setVisible(false);
}

void TGuideForm::BuildMoveItems(QMenu* edit) {
    edit->addSeparator();
    GoToRecord1 = AddMove(edit, "GoToRecord1", "&Go to record...", GoToRecordKey());
    Previous1 = AddMove(edit, "Previous1", "&Previous record", PreviousRecordKey());
    Next1 = AddMove(edit, "Next1", "&Next record", NextRecordKey());
    GoBack1 = AddMove(edit, "GoBack1", "Go &back", GoBackKey());
    QuickMoves& moves = Form.Moves;
    connect(GoToRecord1, &QAction::triggered, this, [this, &moves] {
        Forward([this, &moves] { moves.GoToRecord1Click(FocusedEditField()); });
    });
    connect(Previous1, &QAction::triggered, this, [this, &moves] {
        Forward([this, &moves] { moves.Previous1Click(FocusedEditField()); });
    });
    connect(Next1, &QAction::triggered, this,
            [this, &moves] { Forward([this, &moves] { moves.Next1Click(FocusedEditField()); }); });
    connect(GoBack1, &QAction::triggered, this, [this, &moves] {
        Forward([this, &moves] { moves.GoBack1Click(FocusedEditField()); });
    });

    NoteTimer = new QTimer(this);
    NoteTimer->setObjectName(QStringLiteral("NoteTimer"));
    NoteTimer->setSingleShot(true);
    connect(NoteTimer, &QTimer::timeout, this,
            [this] { Forward([this] { Form.Document.EndStatusNote(NoteSerialTimed); }); });
}

const TextField* TGuideForm::FocusedEditField() {
    // The window's focus widget, which a menu that has just closed leaves in place.
    const QWidget* focused = focusWidget();
    if (!EditView || !focused)
        return nullptr;
    auto& view = Form.View;
    if (focused == EditView->DialogueMemo)
        return &view.DialogueMemo;
    for (int k = 1; k <= ResponseSlots; ++k) {
        if (focused == EditView->Edits[k - 1])
            return &view.Edit(k);
    }
    return nullptr;
}

void TGuideForm::RefreshQuickItems() {
    const std::vector<std::string>& paths = Form.Recent.Paths();
    for (std::size_t index = 0; index < RecentItems.size(); ++index) {
        QAction* item = RecentItems[index];
        const bool used = index < paths.size();
        if (used) {
            const QString caption = QString::fromStdString(Form.Recent.Caption(index));
            if (item->text() != caption)
                item->setText(caption);
            item->setToolTip(QDir::toNativeSeparators(QString::fromStdString(paths[index])));
        }
        item->setVisible(used);
    }
    RecentSeparator->setVisible(!paths.empty());

    Previous1->setEnabled(Form.Moves.PreviousAvailable());
    Next1->setEnabled(Form.Moves.NextAvailable());
    GoBack1->setEnabled(Form.Moves.GoBackAvailable());

    // Every new note gets its full time, also one that replaces a note still standing.
    const std::uint64_t serial = Form.Document.Note.Serial;
    if (serial != NoteSerialTimed) {
        NoteSerialTimed = serial;
        NoteTimer->start(NoteMilliseconds);
    }
}

} // namespace dravenloom
