// The main window's "&Edit" menu: undo and redo of the guide's changes, and the moves
// between records.
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
}

} // namespace dravenloom
