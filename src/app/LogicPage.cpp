// The Logic View page.
#include "app/LogicPage.h"

#include "app/Application.h"
#include "app/LogicTreeModel.h"
#include "app/WindowStyle.h"
#include "navigation/LogicTreeColumn.h"
#include "shell/GuideForm.h"

#include <QAction>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QToolTip>
#include <QTreeView>
#include <QVBoxLayout>

#include <optional>

namespace dravenloom {
namespace {

constexpr int TreeIndentation = 19;
constexpr int HintMaxWidth = 50;
constexpr int HintMargin = 3;
constexpr int DetailPadding = 12;

std::optional<TreeMouseButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return TreeMouseButton::Left;
    case Qt::RightButton:
        return TreeMouseButton::Right;
    case Qt::MiddleButton:
        return TreeMouseButton::Middle;
    default:
        return std::nullopt;
    }
}

} // namespace

LogicPage::LogicPage(GuideForm& form, QWidget* parent) : GuidePage(parent), Form(form) {
    setObjectName(QStringLiteral("TreeViewPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    Model = new LogicTreeModel(Form.Tree, this);
    TreeView1 = new QTreeView(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setModel(Model);
    // The caption column takes whatever width the page has; the record column keeps the width
    // of two five-digit numbers, so that the captions gain every pixel when the page grows.
    TreeView1->setHeaderHidden(false);
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->header()->setSectionsMovable(false);
    TreeView1->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    TreeView1->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    TreeView1->header()->resizeSection(
        1, TreeView1->fontMetrics().horizontalAdvance(QString::fromUtf8(WidestNodeDetail)) +
               DetailPadding);
    TreeView1->setIndentation(TreeIndentation);
    TreeView1->setUniformRowHeights(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setExpandsOnDoubleClick(false);
    TreeView1->setToolTip(QString::fromUtf8(TreeViewHint));
    TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    TreeView1->viewport()->installEventFilter(this);
    layout->addWidget(TreeView1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    JumpToRecord1 = PopupMenu1->addAction(QStringLiteral("Jump to record"));
    JumpToRecord1->setObjectName(QStringLiteral("JumpToRecord1"));
    RemoveRecord1 = PopupMenu1->addAction(QStringLiteral("Remove record"));
    RemoveRecord1->setObjectName(QStringLiteral("RemoveRecord1"));
    PopupMenu1->addSeparator();
    ExpandAll1 = PopupMenu1->addAction(QStringLiteral("Expand all"));
    ExpandAll1->setObjectName(QStringLiteral("ExpandAll1"));

    RecordHint = new QLabel(this, Qt::ToolTip);
    RecordHint->setObjectName(QStringLiteral("RecordHint"));
    RecordHint->setWordWrap(true);
    RecordHint->setMargin(HintMargin);
    RecordHint->setPalette(QToolTip::palette());
    RecordHint->setFont(DialogFont());
    RecordHint->setAutoFillBackground(true);
    RecordHint->setFrameShape(QFrame::Box);
    RecordHint->setLineWidth(1);

    // A large branch opens, and a whole tree is rebuilt, in one repaint.
    connect(Model, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { TreeView1->setUpdatesEnabled(false); });
    connect(Model, &QAbstractItemModel::modelReset, this, [this] {
        ShowOpened();
        TreeView1->setUpdatesEnabled(true);
    });
    connect(Model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this] { TreeView1->setUpdatesEnabled(false); });
    connect(Model, &QAbstractItemModel::rowsInserted, this,
            [this] { TreeView1->setUpdatesEnabled(true); });

    connect(TreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { CurrentChanged(current); });
    connect(TreeView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowPopupMenu(TreeView1->viewport()->mapToGlobal(pos)); });
    // The core keeps what is open, so that a rebuild can open it again.
    connect(TreeView1, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (const auto node = Model->NodeOf(index))
            Form.Tree.SetExpanded(*node, true);
    });
    connect(TreeView1, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (const auto node = Model->NodeOf(index))
            Form.Tree.SetExpanded(*node, false);
    });
    connect(JumpToRecord1, &QAction::triggered, this, [this] { Jump(); });
    connect(ExpandAll1, &QAction::triggered, this, [this] { ExpandAll(); });
    connect(RemoveRecord1, &QAction::triggered, this, [this] { Remove(); });
}

LogicPage::~LogicPage() = default;

void LogicPage::Run(const std::function<void()>& command) {
    try {
        command();
    } catch (...) {
        // The command ends at the failing step; what it did so far stays done.
        ReportCurrentException(&Form.Host);
    }
}

void LogicPage::Jump() {
    HideRecordHint();
    Run([this] { Form.JumpToRecord1Click(); });
    emit JumpedToRecord();
}

void LogicPage::Remove() {
    Run([this] { Form.RemoveRecord1Click(); });
    Refresh();
    emit RecordRemoved();
}

void LogicPage::ExpandAll() {
    HideRecordHint();
    Run([this] { Form.Tree.ExpandAll(); });
}

void LogicPage::ShowOpened() {
    // Right after a reset the view lays itself out again later anyway, so each expand() only
    // notes the index: opening 100,000 nodes costs one layout.
    const LogicTree& tree = Form.Tree;
    for (LogicTree::NodeId node = 0; node < tree.NodeCount(); ++node)
        if (tree.IsExpanded(node))
            TreeView1->expand(Model->IndexOf(node));
    Refresh();
    if (tree.Selected)
        TreeView1->scrollTo(Model->IndexOf(*tree.Selected));
    else
        TreeView1->scrollToTop();
}

void LogicPage::CurrentChanged(const QModelIndex& current) {
    Form.Tree.Select(Model->NodeOf(current));
}

void LogicPage::Refresh() {
    const QModelIndex wanted =
        Form.Tree.Selected ? Model->IndexOf(*Form.Tree.Selected) : QModelIndex();
    if (TreeView1->currentIndex() == wanted)
        return;
    const QSignalBlocker blocker(TreeView1->selectionModel());
    if (wanted.isValid())
        TreeView1->selectionModel()->setCurrentIndex(wanted, QItemSelectionModel::ClearAndSelect);
    else
        TreeView1->selectionModel()->clear();
    TreeView1->viewport()->update();
}

void LogicPage::PreparePopupMenu() {
    Form.Tree.PopupMenu1Popup();
    JumpToRecord1->setEnabled(Form.Tree.JumpToRecordItem.Enabled);
    RemoveRecord1->setEnabled(Form.Tree.RemoveRecordItem.Enabled);
    ExpandAll1->setEnabled(Form.Tree.ExpandAllItem.Enabled);
}

void LogicPage::ShowPopupMenu(const QPoint& globalPosition) {
    HideRecordHint();
    PreparePopupMenu();
    PopupMenu1->exec(globalPosition);
}

void LogicPage::ShowRecordHint(const QString& text, const QPoint& globalPosition) {
    RecordHint->setText(text);
    // Laid out for at most 50 pixels of text, wrapping a longer one.
    const QFontMetrics metrics(RecordHint->font());
    const QRect textBox =
        metrics.boundingRect(QRect(0, 0, HintMaxWidth, 0), Qt::TextWordWrap, text);
    const int frame = 2 * (HintMargin + RecordHint->frameWidth());
    const QSize size(textBox.width() + frame, textBox.height() + frame);
    RecordHint->setFixedSize(size);
    RecordHint->show();
    // Placed once shown, when the size of any frame the window system adds is known.
    const QSize outer = RecordHint->frameGeometry().size();
    RecordHint->move(globalPosition - QPoint(outer.width(), outer.height()));
    RecordHint->raise();
}

void LogicPage::HideRecordHint() {
    RecordHint->hide();
}

bool LogicPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched != TreeView1->viewport())
        return GuidePage::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const auto button = ButtonOf(mouse->button());
        if (!button)
            return false;
        const QModelIndex index = TreeView1->indexAt(mouse->position().toPoint());
        const TreePress press = Form.Tree.MousePress(*button, Model->NodeOf(index),
                                                     Form.Pages.ActivePage == Page::EditView);
        if (press.Select)
            Refresh();
        if (press.ShowHint)
            ShowRecordHint(QString::fromStdString(press.HintText),
                           mouse->globalPosition().toPoint());
        // A press the tree ignores (the middle button, or beside every node) must not move
        // the view's selection either; a press on a node goes on to the view for expanding.
        return !press.Select;
    }
    case QEvent::MouseButtonRelease:
        HideRecordHint();
        return false;
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        Jump();
        return true;
    }
    default:
        return false;
    }
}

} // namespace dravenloom
