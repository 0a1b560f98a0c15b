#include "TableRowModel.h"

TableRowModel::TableRowModel(const QString &tableKey, QObject *parent)
    : KeyedListModel(parent)
    , m_tableKey(tableKey)
{
}

int TableRowModel::indexOfRow(const QString &rowId) const
{
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        if (m_rows.at(i).id() == rowId)
            return int(i);
    return -1;
}

void TableRowModel::setRows(const QList<TableRow> &rows)
{
    // The player's UUID is enough as a key inside one table.
    const auto key = [](const TableRow &row) { return row.player.id; };
    refreshRows(m_rows, rows, key, key, [](const TableRow &row) { return row; },
                [this](int i, const TableRow &row) {
                    if (m_rows.at(i) == row)
                        return;
                    m_rows[i] = row;
                    emit dataChanged(index(i), index(i));
                });
}

int TableRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant TableRowModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const TableRow &row = m_rows.at(index.row());
    switch (role) {
    case RowIdRole:
        return row.id();
    case IsActiveRole:
        return row.seating.isActive;
    case SeatedAtRole:
        return row.seating.updatedAt;
    case GameTypeRole:
        return row.seating.gameType.id();
    default:
        return PlayerRoles::data(row.player, role);
    }
}

QHash<int, QByteArray> TableRowModel::roleNames() const
{
    QHash<int, QByteArray> names = PlayerRoles::roleNames();
    names.insert(RowIdRole, "rowId");
    names.insert(IsActiveRole, "isActive");
    names.insert(SeatedAtRole, "seatedAt");
    names.insert(GameTypeRole, "gameType");
    return names;
}
