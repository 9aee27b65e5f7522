// The "Check Guide" window: every finding of the guide check one line each, a double click (or
// Enter) walking to the finding's record in the Edit View, and "Refresh" to check again.
// Modeless, owned by the main window, which opens it from "&File" / "Check Guide" (F7).
#pragma once

#include "shell/GuideCheckCommand.h"

#include <QDialog>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace dravenloom {

class TGuideForm;

class CheckGuideWindow : public QDialog {
    Q_OBJECT

public:
    explicit CheckGuideWindow(TGuideForm& window);

    // Checks the guide again (the Edit View stored first) and lists what was found.
    void Check();
    // Walks to the record of the finding on `row`.
    void GoTo(int row);

    QListWidget* FindingList = nullptr;
    // The selected finding in full, wrapped: a line of the list may be wider than the window.
    QLabel* DetailLabel = nullptr;
    QLabel* SummaryLabel = nullptr;
    QPushButton* RefreshButton = nullptr;
    // Opens the "Statistics" window.
    QPushButton* StatisticsButton = nullptr;
    QPushButton* CloseButton = nullptr;

private:
    void ShowFindings();

    TGuideForm& Window;
    GuideCheckCommand Command;
};

// Adds "Check Guide" (F7) to the end of `file` so far; it opens the window, or brings it to
// the front checked again.
QAction* AddCheckGuideCommand(TGuideForm& window, QMenu* file);

} // namespace dravenloom
