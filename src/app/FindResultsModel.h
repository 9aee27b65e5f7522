// The list of matches of "Find..." as a Qt item model over the core's rows: where the match
// is, and the match in the words around it (drawn with the match in bold by MatchDelegate).
#pragma once

#include "shell/FindReplaceCommand.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

namespace dravenloom {

class FindResultsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FindResultsModel(const FindReplaceCommand& command, QObject* parent = nullptr);

    // The rows changed: a new search or a replacement.
    void Reload();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The three parts of the text column: before, match, after.
    static constexpr int PartsRole = Qt::UserRole + 1;

private:
    const FindReplaceCommand& Command;
};

// Draws the text column with the match in bold.
class MatchDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace dravenloom
