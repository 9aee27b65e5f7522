// The Logic View's tree as a Qt item model.
#include "app/LogicTreeModel.h"

#include "app/Artwork.h"
#include "document/Cp1252.h"
#include "navigation/LogicTreeColumn.h"

namespace dravenloom {

LogicTreeModel::LogicTreeModel(LogicTree& tree, QObject* parent)
    : QAbstractItemModel(parent),
      Tree(tree), Icons{TreeNodeIcon(0), TreeNodeIcon(1), TreeNodeIcon(2)} {
    Tree.AddObserver(this);
}

LogicTreeModel::~LogicTreeModel() {
    Tree.RemoveObserver(this);
}

void LogicTreeModel::TreeResetting() {
    beginResetModel();
}

void LogicTreeModel::TreeReset() {
    endResetModel();
}

namespace {
constexpr int ColumnCount = 2;
}

QModelIndex LogicTreeModel::IndexOf(LogicTree::NodeId node, int column) const {
    if (node >= Tree.NodeCount() || column < 0 || column >= ColumnCount)
        return {};
    return createIndex(static_cast<int>(Tree.Row(node)), column, static_cast<quintptr>(node));
}

std::optional<LogicTree::NodeId> LogicTreeModel::NodeOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return std::nullopt;
    return static_cast<LogicTree::NodeId>(index.internalId());
}

QModelIndex LogicTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= ColumnCount)
        return {};
    const auto node = NodeOf(parent);
    if (!node)
        return row == 0 && !Tree.Empty() ? IndexOf(Tree.Root(), column) : QModelIndex();
    const auto& children = Tree.Children(*node);
    if (static_cast<std::size_t>(row) >= children.size())
        return {};
    return IndexOf(children[static_cast<std::size_t>(row)], column);
}

QModelIndex LogicTreeModel::parent(const QModelIndex& child) const {
    const auto node = NodeOf(child);
    if (!node)
        return {};
    const auto up = Tree.Parent(*node);
    return up ? IndexOf(*up) : QModelIndex();
}

int LogicTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    const auto node = NodeOf(parent);
    if (!node)
        return Tree.Empty() ? 0 : 1;
    // Only the children made so far; the rest arrive through fetchMore.
    return static_cast<int>(Tree.Children(*node).size());
}

int LogicTreeModel::columnCount(const QModelIndex&) const {
    return ColumnCount;
}

bool LogicTreeModel::hasChildren(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return false;
    const auto node = NodeOf(parent);
    if (!node)
        return !Tree.Empty();
    return Tree.HasChildren(*node);
}

bool LogicTreeModel::canFetchMore(const QModelIndex& parent) const {
    const auto node = NodeOf(parent);
    return node && parent.column() == 0 && !Tree.ChildrenBuilt(*node) && Tree.HasChildren(*node);
}

void LogicTreeModel::fetchMore(const QModelIndex& parent) {
    const auto node = NodeOf(parent);
    if (!node || parent.column() != 0 || Tree.ChildrenBuilt(*node))
        return;
    const auto count = static_cast<int>(Tree.ChildCount(*node));
    if (count == 0) {
        Tree.Expand(*node);
        return;
    }
    beginInsertRows(parent, 0, count - 1);
    const bool readable = Tree.MakeChildren(*node);
    endInsertRows();
    // The message box runs its own event loop: the view must know of the new rows first.
    if (!readable)
        Tree.ShowFailure();
}

QVariant LogicTreeModel::data(const QModelIndex& index, int role) const {
    const auto node = NodeOf(index);
    if (!node)
        return {};
    if (index.column() == 1)
        return role == Qt::DisplayRole ? QString::fromStdString(NodeDetail(Tree, *node))
                                       : QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(Cp1252ToUtf8(Tree.Caption(*node)));
    case Qt::DecorationRole: {
        const int image = Tree.Image(*node);
        return image >= 0 && image < 3 ? QVariant(Icons[static_cast<std::size_t>(image)])
                                       : QVariant();
    }
    default:
        return {};
    }
}

QVariant LogicTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case 0:
        return QStringLiteral("Records and responses");
    case 1:
        return QStringLiteral("Record, jump");
    default:
        return {};
    }
}

Qt::ItemFlags LogicTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Read-only: captions are not edited in place.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace dravenloom
