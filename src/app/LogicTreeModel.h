// The Logic View's tree as a Qt item model: a read-only adapter over the core's LogicTree,
// whose children are fetched the first time a node is expanded. Column 0 is the caption,
// column 1 the record number and where a response goes.
#pragma once

#include "navigation/LogicTree.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <array>
#include <cstddef>
#include <optional>

namespace dravenloom {

class LogicTreeModel : public QAbstractItemModel, private LogicTreeObserver {
    Q_OBJECT

public:
    explicit LogicTreeModel(LogicTree& tree, QObject* parent = nullptr);
    ~LogicTreeModel() override;

    // The index of a core node, and the node of an index (none for the invisible top).
    QModelIndex IndexOf(LogicTree::NodeId node, int column = 0) const;
    std::optional<LogicTree::NodeId> NodeOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void TreeResetting() override;
    void TreeReset() override;

    LogicTree& Tree;
    std::array<QIcon, 3> Icons;
};

} // namespace dravenloom
