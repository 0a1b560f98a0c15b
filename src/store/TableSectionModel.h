#pragma once

#include "KeyedListModel.h"
#include "TableGroup.h"
#include "TableRowModel.h"

#include <QPointer>

class PlayerStore;

// The store's table sections (tableGroups) for QML, keyed by table key.
// Follows the store's change signals with inserts, removes, moves and
// changes, never a reset; each section's rows are a TableRowModel of their
// own that lives as long as the section.
class TableSectionModel : public KeyedListModel {
    Q_OBJECT

public:
    enum Role {
        TableKeyRole = Qt::UserRole + 1, // "tableKey": game type label, "|", table ID
        TableIDRole,                     // "tableID"
        GameTypeRole,                    // "gameType": the game type label ("NLHE Ring")
        VariantRole,                     // "variant": "NLHE" or "PLO"
        ModeRole,                        // "mode": "Ring" or "Tournament"
        WindowTitleRole,                 // "windowTitle": the table's title, empty when none
        ShortTitleRole,                  // "shortTitle": shortTournamentTitle of the title, empty when none
        RowsRole,                        // "rows": the section's TableRowModel
        RowCountRole,                    // "rowCount": number of rows
        ActiveCountRole,                 // "activeCount": number of active rows
        LastActivityRole,                // "lastActivity": latest seating time of the rows
    };

    explicit TableSectionModel(PlayerStore *store, QObject *parent = nullptr);

    // Recomputes the sections from the store; called on its change signals.
    void refresh();

    // The section with this table key, -1 when there is none.
    Q_INVOKABLE int indexOfSection(const QString &tableKey) const;
    TableRowModel *rowsOf(const QString &tableKey) const;
    QList<TableGroup> groups() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    struct Section {
        TableGroup group;
        TableRowModel *rows = nullptr;
    };
    QPointer<PlayerStore> m_store;
    QList<Section> m_sections;
};
