#pragma once

#include "model/Player.h"
#include "model/PlayerJson.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// One opponent at one table: the record and its seating there.
struct TableRow {
    Player player;
    Seating seating;

    // The row ID: the record's UUID in upper case, "|", the table key.
    QString id() const { return PlayerJson::uuidText(player.id) + QLatin1Char('|') + seating.id(); }

    bool operator==(const TableRow &) const = default;
};

// One open table's section: its opponents, active ones first.
struct TableGroup {
    // Rows are grouped by game type and table ID.
    struct Key {
        GameType gameType;
        QString tableID;

        bool operator==(const Key &) const = default;
    };

    QString tableID;
    GameType gameType;
    QList<TableRow> rows;
    std::optional<QString> windowTitle;

    // The table key.
    QString id() const { return tableKey(gameType, tableID); }

    // The latest updatedAt among the rows' seatings.
    QDateTime lastActivity() const
    {
        QDateTime latest;
        for (const TableRow &row : rows)
            if (!latest.isValid() || row.seating.updatedAt > latest)
                latest = row.seating.updatedAt;
        return latest;
    }

    bool operator==(const TableGroup &) const = default;
};

inline size_t qHash(const TableGroup::Key &key, size_t seed = 0)
{
    return qHashMulti(seed, key.gameType, key.tableID);
}
