#pragma once

#include "GameType.h"

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

struct PlayerStats {
    double vpip = 0;
    double pfr = 0;
    qint64 hands = 0;

    bool operator==(const PlayerStats &) const = default;
};

enum class PlayerColor { red, orange, yellow, green, blue, purple, pink, white };

QString rawValue(PlayerColor color);
std::optional<PlayerColor> playerColorFromRaw(const QString &raw);
QList<PlayerColor> allPlayerColors();
inline size_t qHash(PlayerColor color, size_t seed = 0) { return ::qHash(int(color), seed); }
// The sRGB colour a flag is drawn with, components in 0...1 ("white" is a
// grey on purpose).
struct RgbColor {
    double red = 0, green = 0, blue = 0;
};
RgbColor displayColor(PlayerColor color);

// Fixed tags of older records; still read and written unchanged.
enum class PlayerTag { fish, nit, tag, lag, maniac, aggro, threeBetWide, callsDown, bluffs, foldProne, passive, flag };

QString rawValue(PlayerTag tag);
std::optional<PlayerTag> playerTagFromRaw(const QString &raw);
QList<PlayerTag> allPlayerTags();

struct PlayerType {
    QString emoji;

    bool operator==(const PlayerType &) const = default;
};

inline size_t qHash(const PlayerType &type, size_t seed = 0) { return qHash(type.emoji, seed); }

struct Seating {
    GameType gameType;
    QString tableID;
    bool isActive = false;
    QDateTime updatedAt;

    // The table key of this seating.
    QString id() const { return tableKey(gameType, tableID); }

    bool operator==(const Seating &) const = default;
};

struct Player {
    QUuid id;
    QString name;
    std::optional<qint64> playerId;
    std::optional<PlayerStats> stats;
    std::optional<PlayerColor> colorIndicator;
    QList<PlayerTag> tags;
    std::optional<QStringList> phraseTags;
    std::optional<QStringList> villainTypes;
    QString note;
    QDateTime createdAt;
    QDateTime updatedAt;
    QList<Seating> seatings;
    std::optional<bool> isManuallyNamed;
    std::optional<QStringList> supersededNames;

    // The seating with the latest updatedAt; the first of equals wins.
    std::optional<Seating> mostRecentSeating() const;
    // villainTypes when present, else the emoji the legacy tags stand for.
    QStringList effectiveVillainTypes() const;
    // phraseTags when present, else the phrases the legacy tags stand for.
    QStringList effectivePhraseTags() const;

    bool operator==(const Player &) const = default;
};

Q_DECLARE_METATYPE(Player)
