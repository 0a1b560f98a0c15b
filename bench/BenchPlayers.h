#pragma once

// The stored opponents the benchmarks run against: a database grown over
// months, most players seen at a few long-closed tables, some with reads,
// and optionally a number of them seated at the tables open now.
#include "model/Player.h"

#include <QRandomGenerator>
#include <QTimeZone>

namespace BenchPlayers {

struct Shape {
    int count = 0;
    // Tables open now, and how many of the first players sit at each.
    int openTables = 0;
    int playersPerOpenTable = 0;
    // An open table's ID.
    QString (*openTableID)(int table) = nullptr;
    // How many distinct closed tables the rest were seen at.
    int closedTables = 5000;
    quint32 seed = 7;
};

inline QString randomName(QRandomGenerator &random)
{
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_");
    QString name;
    const int length = 5 + random.bounded(8);
    for (int i = 0; i < length; ++i)
        name.append(letters.at(random.bounded(int(letters.size()))));
    return name;
}

inline QList<Player> make(const Shape &shape)
{
    QRandomGenerator random(shape.seed);
    const GameType nlheRing{GameVariant::nlhe, GameMode::ring};
    const QDateTime base = QDateTime(QDate(2025, 1, 1), QTime(0, 0), QTimeZone::utc());
    QList<Player> players;
    players.reserve(shape.count);
    for (int i = 0; i < shape.count; ++i) {
        Player p;
        p.id = QUuid::createUuid();
        p.name = randomName(random);
        p.playerId = 1000000 + i;
        if (random.bounded(4) != 0)
            p.stats = PlayerStats{double(random.bounded(1000)) / 10.0, double(random.bounded(500)) / 10.0,
                                  random.bounded(20000)};
        if (random.bounded(5) == 0)
            p.colorIndicator = PlayerColor(random.bounded(5));
        if (random.bounded(3) == 0) {
            p.phraseTags = QStringList{QStringLiteral("aggro"), QStringLiteral("station")};
            p.villainTypes = QStringList{QStringLiteral("\U0001F41F")};
        }
        if (random.bounded(4) == 0)
            p.note = QStringLiteral("Calls three-bets light, folds to river raises. Seen tilting after bad beats.");
        p.createdAt = base.addSecs(random.bounded(30000000));
        p.updatedAt = p.createdAt.addSecs(random.bounded(100000));
        const int seatings = 1 + random.bounded(3);
        for (int s = 0; s < seatings; ++s)
            p.seatings.append(Seating{GameType{GameVariant(random.bounded(2)), GameMode(random.bounded(2))},
                                      QString::number(100000 + random.bounded(shape.closedTables)), false,
                                      p.createdAt.addSecs(s * 3600)});
        if (i < shape.openTables * shape.playersPerOpenTable)
            p.seatings.append(Seating{nlheRing, shape.openTableID(i % shape.openTables), true,
                                      base.addDays(400).addSecs(i)});
        players.append(p);
    }
    return players;
}

} // namespace BenchPlayers
