// The main window's "&Edit" menu: undo and redo of the guide's changes, find and replace,
// and the moves between records.
#include "app/FindReplaceWindow.h"
#include "app/Guidecode.h"

#include <QAction>
#include <QMenu>

namespace dravenloom {

void TGuideForm::BuildEditMenu(QMenu* edit) {
    EditMenu = edit;
    edit->setObjectName(QStringLiteral("Edit1"));
    Undo1 = edit->addAction(QStringLiteral("&Undo"));
    Undo1->setObjectName(QStringLiteral("Undo1"));
    Undo1->setShortcuts(QKeySequence::Undo);
    Undo1->setEnabled(false);
    Redo1 = edit->addAction(QStringLiteral("&Redo"));
    Redo1->setObjectName(QStringLiteral("Redo1"));
    Redo1->setShortcuts(QKeySequence::Redo);
    Redo1->setEnabled(false);
    edit->addSeparator();
    AddFindCommands(*this, edit);

    connect(Undo1, &QAction::triggered, this, [this] { Forward([this] { Form.Undo1Click(); }); });
    connect(Redo1, &QAction::triggered, this, [this] { Forward([this] { Form.Redo1Click(); }); });
    // The captions name what the items would take back or make again; working that out reads
    // the record list, so it is done when the menu opens rather than after every keystroke.
    connect(edit, &QMenu::aboutToShow, this, &TGuideForm::ShowEditMenuCaptions);
}

void TGuideForm::ShowEditMenuCaptions() {
    try {
        Undo1->setText(QString::fromStdString(Form.UndoCaption()));
        Redo1->setText(QString::fromStdString(Form.RedoCaption()));
    } catch (...) {
        // A list that cannot be read names no step; the items keep their plain captions.
        Undo1->setText(QStringLiteral("&Undo"));
        Redo1->setText(QStringLiteral("&Redo"));
    }
}

void TGuideForm::ShowEditMenuState() {
    Undo1->setEnabled(Form.CanUndo());
    Redo1->setEnabled(Form.CanRedo());
}

} // namespace dravenloom
