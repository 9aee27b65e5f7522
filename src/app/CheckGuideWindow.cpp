// The "Check Guide" window and its menu command.
#include "app/CheckGuideWindow.h"

#include "app/Guidecode.h"
#include "app/StatisticsWindow.h"
#include "app/WindowStyle.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravenloom {
namespace {

constexpr int WindowWidth = 600;
constexpr int WindowHeight = 300;

} // namespace

CheckGuideWindow::CheckGuideWindow(TGuideForm& window)
    : QDialog(&window), Window(window), Command(window.Core()) {
    setObjectName(QStringLiteral("CheckGuideWindow"));
    setWindowTitle(QStringLiteral("Check Guide"));
    setModal(false);
    setFont(DialogFont());
    resize(WindowWidth, WindowHeight);

    FindingList = new QListWidget(this);
    FindingList->setObjectName(QStringLiteral("FindingList"));
    FindingList->setToolTip(
        QStringLiteral("Double-click a line to go to its record in the Edit View."));
    DetailLabel = new QLabel(this);
    DetailLabel->setObjectName(QStringLiteral("DetailLabel"));
    DetailLabel->setWordWrap(true);
    DetailLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    DetailLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DetailLabel->setMinimumHeight(3 * DetailLabel->fontMetrics().lineSpacing());
    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    RefreshButton = new QPushButton(QStringLiteral("Refresh"), this);
    RefreshButton->setObjectName(QStringLiteral("RefreshButton"));
    StatisticsButton = new QPushButton(QStringLiteral("Statistics..."), this);
    StatisticsButton->setObjectName(QStringLiteral("StatisticsButton"));
    StatisticsButton->setAutoDefault(false);
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    // Enter in the list walks to the finding; it must not press a button as well.
    RefreshButton->setAutoDefault(false);
    CloseButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SummaryLabel, 1);
    buttons->addWidget(RefreshButton);
    buttons->addWidget(StatisticsButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FindingList, 1);
    layout->addWidget(DetailLabel);
    layout->addLayout(buttons);

    connect(FindingList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { GoTo(FindingList->row(item)); });
    connect(FindingList, &QListWidget::currentTextChanged, DetailLabel, &QLabel::setText);
    connect(RefreshButton, &QPushButton::clicked, this, &CheckGuideWindow::Check);
    connect(StatisticsButton, &QPushButton::clicked, this,
            [this] { ShowStatisticsWindow(Window); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
}

void CheckGuideWindow::Check() {
    Window.Forward([this] { Command.Refresh(); });
    ShowFindings();
}

void CheckGuideWindow::ShowFindings() {
    FindingList->clear();
    DetailLabel->clear();
    for (const GuideCheckCommand::Entry& entry : Command.Entries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.Text), FindingList);
        item->setToolTip(item->text());
    }
    SummaryLabel->setText(QString::fromStdString(Command.Summary()));
    if (FindingList->count() > 0)
        FindingList->setCurrentRow(0);
}

void CheckGuideWindow::GoTo(int row) {
    if (row < 0)
        return;
    bool walked = false;
    Window.Forward(
        [this, row, &walked] { walked = Command.GoToFinding(static_cast<std::size_t>(row)); });
    if (walked) {
        Window.raise();
        Window.activateWindow();
    }
}

QAction* AddCheckGuideCommand(TGuideForm& window, QMenu* file) {
    QAction* action = file->addAction(QStringLiteral("Check Guide"));
    action->setObjectName(QStringLiteral("CheckGuide1"));
    action->setShortcut(QKeySequence(Qt::Key_F7));
    QObject::connect(action, &QAction::triggered, &window, [&window] {
        auto* checker = window.findChild<CheckGuideWindow*>();
        if (!checker)
            checker = new CheckGuideWindow(window);
        checker->Check();
        checker->show();
        checker->raise();
        checker->activateWindow();
    });
    return action;
}

} // namespace dravenloom
