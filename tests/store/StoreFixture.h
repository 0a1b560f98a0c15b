#pragma once

#include "TestSupport.h"
#include "model/PlayerJson.h"
#include "store/PlayerStore.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTimeZone>

#include <memory>

// A store in a temporary folder with a clock the test moves by hand.
struct StoreFixture {
    QTemporaryDir dir;
    QDateTime time = QDateTime(QDate(2025, 1, 31), QTime(14, 2, 11), QTimeZone::utc());
    std::unique_ptr<PlayerStore> store;

    PlayerStore &open()
    {
        store = std::make_unique<PlayerStore>(dir.path(), [this] { return time; });
        return *store;
    }
    // Writes players.json with these records, then opens the store.
    PlayerStore &openWith(const QList<Player> &players)
    {
        TestSupport::writeFile(dir.filePath(QStringLiteral("players.json")),
                               QJsonDocument(PlayerJson::toJson(players, PlayerJson::DateForm::referenceSeconds)).toJson());
        return open();
    }
    void advance(qint64 ms) { time = time.addMSecs(ms); }

    QString playersPath() const { return dir.filePath(QStringLiteral("players.json")); }
    // The records in players.json, or an empty list when there is none.
    QList<Player> savedPlayers() const
    {
        const QByteArray bytes = TestSupport::readFile(playersPath());
        if (bytes.isEmpty())
            return {};
        PlayerJson::Reader reader;
        return reader.players(QJsonDocument::fromJson(bytes).array()).value_or(QList<Player>{});
    }
    QStringList savedNames() const
    {
        QStringList names;
        for (const Player &p : savedPlayers())
            names.append(p.name);
        return names;
    }
};

inline GameType gameTypeFromLabel(const QString &label)
{
    const QStringList parts = label.split(QLatin1Char(' '));
    return GameType{*gameVariantFromRaw(parts.at(0)), *gameModeFromRaw(parts.at(1))};
}

inline const GameType nlheRing{GameVariant::nlhe, GameMode::ring};
inline const GameType nlheTournament{GameVariant::nlhe, GameMode::tournament};
inline const GameType ploRing{GameVariant::plo, GameMode::ring};

// A stored record: "name" or "name#playerId", seated at the given tables
// ("NLHE Ring|12", active unless prefixed with "-").
inline Player makePlayer(const QString &description, const QStringList &tables, const QDateTime &when)
{
    Player p;
    p.id = QUuid::createUuid();
    const qsizetype hash = description.lastIndexOf(QLatin1Char('#'));
    p.name = hash < 0 ? description : description.left(hash);
    if (hash >= 0)
        p.playerId = description.mid(hash + 1).toLongLong();
    p.createdAt = when;
    p.updatedAt = when;
    for (QString table : tables) {
        const bool inactive = table.startsWith(QLatin1Char('-'));
        if (inactive)
            table.remove(0, 1);
        const qsizetype bar = table.indexOf(QLatin1Char('|'));
        p.seatings.append(Seating{gameTypeFromLabel(table.left(bar)), table.mid(bar + 1), !inactive, when});
    }
    return p;
}

inline PlayerObservation observation(const QString &name, std::optional<qint64> playerId = std::nullopt,
                                     const GameType &type = nlheRing, const QString &tableID = QStringLiteral("1"),
                                     double confidence = 1.0)
{
    PlayerObservation o;
    o.name = name;
    o.playerId = playerId;
    o.gameType = type;
    o.tableID = tableID;
    o.confidence = confidence;
    return o;
}
