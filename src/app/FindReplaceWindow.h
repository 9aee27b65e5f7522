// The "Find" window of "Find..." (Ctrl+F) and "Replace..." (Ctrl+H): what to find, what to put
// instead, "Match case", "Whole word", "Regular expression", one row a match, and Enter or a
// double click on a row walking to the match and selecting it in its field. Modeless, owned by
// the main window.
#pragma once

#include "shell/FindReplaceCommand.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeView;

namespace dravenloom {

class FindResultsModel;
class TGuideForm;

class FindReplaceWindow : public QDialog {
    Q_OBJECT

public:
    explicit FindReplaceWindow(TGuideForm& window);

    // Lists the matches of what the find field holds (the Edit View stored first).
    void FindAll();
    // Walks to the match on `row` and selects it in its field in the Edit View.
    void GoTo(int row);
    // Replaces the match on the current row, or every match.
    void ReplaceCurrent();
    void ReplaceEverything();
    // Shows the window with the keyboard focus in the find field, or in the replace field.
    void Open(bool forReplace);

    const FindReplaceCommand& Command() const { return Finder; }

    QLineEdit* FindEdit = nullptr;
    QLineEdit* ReplaceEdit = nullptr;
    QCheckBox* MatchCaseCheck = nullptr;
    QCheckBox* WholeWordCheck = nullptr;
    QCheckBox* RegexCheck = nullptr;
    QPushButton* FindAllButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;
    QPushButton* CloseButton = nullptr;
    QTreeView* ResultList = nullptr;
    // What the last command found or did, or where the expression breaks.
    QLabel* MessageLabel = nullptr;

private:
    // The core takes the fields' texts and ticks.
    void TakeInput();
    void ShowResults(int currentRow);

    TGuideForm& Window;
    FindReplaceCommand Finder;
    FindResultsModel* Model = nullptr;
};

// Adds "Find..." (Ctrl+F) and "Replace..." (Ctrl+H) to `edit` so far.
void AddFindCommands(TGuideForm& window, QMenu* edit);

} // namespace dravenloom
