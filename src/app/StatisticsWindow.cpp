// The "Statistics" window.
#include "app/StatisticsWindow.h"

#include "app/Guidecode.h"
#include "app/WindowStyle.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravenloom {
namespace {

constexpr int WindowWidth = 560;
constexpr int WindowHeight = 400;

QListWidget* NumberList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromUtf8(name));
    list->setToolTip(QStringLiteral("Double-click a record to go to it in the Edit View."));
    return list;
}

void Fill(QListWidget* list, const std::vector<std::int32_t>& records) {
    list->clear();
    for (const std::int32_t record : records) {
        auto* item = new QListWidgetItem(QStringLiteral("Record %1").arg(record), list);
        item->setData(Qt::UserRole, record);
    }
}

} // namespace

StatisticsWindow::StatisticsWindow(TGuideForm& window)
    : QDialog(&window), Window(window), Stats(window.Core()) {
    setObjectName(QStringLiteral("StatisticsWindow"));
    setWindowTitle(QStringLiteral("Statistics"));
    setModal(false);
    setFont(DialogFont());
    resize(WindowWidth, WindowHeight);

    auto* figures = new QFormLayout;
    figures->setLabelAlignment(Qt::AlignLeft);
    for (const auto& [caption, value] : Stats.Lines()) {
        auto* label = new QLabel(this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        ValueLabels.push_back(label);
        figures->addRow(QString::fromStdString(caption), label);
    }

    UnreachableList = NumberList("UnreachableList", this);
    EndingList = NumberList("EndingList", this);
    DanglingList = NumberList("DanglingList", this);
    auto* lists = new QHBoxLayout;
    const std::pair<const char*, QListWidget*> boxes[] = {{"Unreachable records", UnreachableList},
                                                          {"Endings", EndingList},
                                                          {"Dangling targets", DanglingList}};
    for (const auto& [title, list] : boxes) {
        auto* box = new QGroupBox(QString::fromUtf8(title), this);
        auto* inner = new QVBoxLayout(box);
        inner->addWidget(list);
        lists->addWidget(box);
        connect(list, &QListWidget::itemActivated, this,
                [this, list = list](QListWidgetItem* item) { GoTo(list, list->row(item)); });
    }

    RefreshButton = new QPushButton(QStringLiteral("Refresh"), this);
    RefreshButton->setObjectName(QStringLiteral("RefreshButton"));
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    // Enter in a list walks to the record; it must not press a button as well.
    RefreshButton->setAutoDefault(false);
    CloseButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(RefreshButton);
    buttons->addWidget(CloseButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(figures);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    connect(RefreshButton, &QPushButton::clicked, this, &StatisticsWindow::Count);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
}

void StatisticsWindow::Count() {
    Window.Forward([this] { Stats.Refresh(); });
    const auto lines = Stats.Lines();
    for (std::size_t i = 0; i < lines.size() && i < ValueLabels.size(); ++i)
        ValueLabels[i]->setText(QString::fromStdString(lines[i].second));
    Fill(UnreachableList, Stats.Figures().Unreachable);
    Fill(EndingList, Stats.Figures().Endings);
    Fill(DanglingList, Stats.Figures().Dangling);
}

void StatisticsWindow::GoTo(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    if (!item)
        return;
    const std::int32_t record = item->data(Qt::UserRole).toInt();
    bool walked = false;
    Window.Forward([this, record, &walked] { walked = Stats.GoToRecord(record); });
    if (walked) {
        Window.raise();
        Window.activateWindow();
    }
}

void ShowStatisticsWindow(TGuideForm& window) {
    auto* stats = window.findChild<StatisticsWindow*>();
    if (!stats)
        stats = new StatisticsWindow(window);
    stats->Count();
    stats->show();
    stats->raise();
    stats->activateWindow();
}

} // namespace dravenloom
