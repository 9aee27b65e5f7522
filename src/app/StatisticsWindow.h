// The "Statistics" window: the figures of the guide, and the lists of unreachable records,
// endings and records with dangling targets, each entry walking to its record on Enter or a
// double click. Modeless, owned by the main window, opened from the "Check Guide" window.
#pragma once

#include "shell/StatisticsCommand.h"

#include <QDialog>

#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace dravenloom {

class TGuideForm;

class StatisticsWindow : public QDialog {
    Q_OBJECT

public:
    explicit StatisticsWindow(TGuideForm& window);

    // Counts the guide again (the Edit View stored first) and shows the figures.
    void Count();
    // Walks to the record of the entry on `row` of `list`.
    void GoTo(QListWidget* list, int row);

    const StatisticsCommand& Command() const { return Stats; }

    std::vector<QLabel*> ValueLabels; // one a figure, in the order of StatisticsCommand::Lines
    QListWidget* UnreachableList = nullptr;
    QListWidget* EndingList = nullptr;
    QListWidget* DanglingList = nullptr;
    QPushButton* RefreshButton = nullptr;
    QPushButton* CloseButton = nullptr;

private:
    TGuideForm& Window;
    StatisticsCommand Stats;
};

// Opens the window, or brings it to the front counted again.
void ShowStatisticsWindow(TGuideForm& window);

} // namespace dravenloom
