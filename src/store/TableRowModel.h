#pragma once

#include "KeyedListModel.h"
#include "PlayerRoles.h"
#include "TableGroup.h"

// The rows of one table section, keyed by row ID. Owned by its section in
// TableSectionModel, which refreshes it; QML reads it through the section's
// "rows" role.
class TableRowModel : public KeyedListModel {
    Q_OBJECT
    Q_PROPERTY(QString tableKey READ tableKey CONSTANT)

public:
    // Every role of PlayerRoles for the row's record, and these:
    enum Role {
        RowIdRole = PlayerRoles::End, // "rowId": record UUID (upper case), "|", table key
        IsActiveRole,                 // "isActive": the seating is active
        SeatedAtRole,                 // "seatedAt": the seating's updatedAt
        GameTypeRole,                 // "gameType": the seating's game type label
    };

    explicit TableRowModel(const QString &tableKey, QObject *parent = nullptr);

    QString tableKey() const { return m_tableKey; }
    const QList<TableRow> &rows() const { return m_rows; }
    // The row with this ID, -1 when there is none.
    Q_INVOKABLE int indexOfRow(const QString &rowId) const;

    void setRows(const QList<TableRow> &rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    QString m_tableKey;
    QList<TableRow> m_rows;
};
