#pragma once

#include <QHashFunctions>
#include <QList>
#include <QString>

#include <optional>

enum class GameVariant { nlhe, plo };
enum class GameMode { ring, tournament };

// Raw values are both the JSON form and the display label.
QString rawValue(GameVariant variant);
QString rawValue(GameMode mode);
std::optional<GameVariant> gameVariantFromRaw(const QString &raw);
std::optional<GameMode> gameModeFromRaw(const QString &raw);
QList<GameVariant> allGameVariants();
QList<GameMode> allGameModes();

struct GameType {
    GameVariant variant = GameVariant::nlhe;
    GameMode mode = GameMode::ring;

    // The game type label, for example "PLO Tournament".
    QString id() const;

    bool operator==(const GameType &) const = default;
};

inline size_t qHash(const GameType &type, size_t seed = 0)
{
    return qHashMulti(seed, int(type.variant), int(type.mode));
}

// The table key: game type label, "|", table ID ("NLHE Ring|123456").
QString tableKey(const GameType &type, const QString &tableID);
