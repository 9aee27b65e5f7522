// The matches of "Find..." as an item model, and the delegate that shows the match in bold.
#include "app/FindResultsModel.h"

#include <QApplication>
#include <QPainter>

namespace dravenloom {

FindResultsModel::FindResultsModel(const FindReplaceCommand& command, QObject* parent)
    : QAbstractTableModel(parent), Command(command) {}

void FindResultsModel::Reload() {
    beginResetModel();
    endResetModel();
}

int FindResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Command.Rows().size());
}

int FindResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant FindResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FindReplaceCommand::Row& row = Command.Rows()[static_cast<std::size_t>(index.row())];
    const QString before = QString::fromStdString(row.Before);
    const QString match = QString::fromStdString(row.Match);
    const QString after = QString::fromStdString(row.After);
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? QString::fromStdString(row.Place) : before + match + after;
    case Qt::ToolTipRole:
        return QString::fromStdString(row.Place) + QStringLiteral(": ") + before + match + after;
    case PartsRole:
        return QStringList{before, match, after};
    default:
        return {};
    }
}

QVariant FindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("Where") : QStringLiteral("Text");
}

void MatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    const QStringList parts = index.data(FindResultsModel::PartsRole).toStringList();
    if (index.column() != 1 || parts.size() != 3) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The cell's background and focus as usual, then the three parts side by side.
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    plain.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, widget);

    const QRect area =
        style->subElementRect(QStyle::SE_ItemViewItemText, &plain, widget).adjusted(2, 0, -2, 0);
    painter->save();
    painter->setClipRect(area);
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    QFont bold = option.font;
    bold.setBold(true);
    int x = area.left();
    for (int part = 0; part < 3; ++part) {
        const QFont& font = part == 1 ? bold : option.font;
        painter->setFont(font);
        const QRect rest(x, area.top(), area.right() - x + 1, area.height());
        painter->drawText(rest, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, parts[part]);
        x += QFontMetrics(font).horizontalAdvance(parts[part]);
        if (x > area.right())
            break;
    }
    painter->restore();
}

} // namespace dravenloom
