#include "GameType.h"

QString rawValue(GameVariant variant)
{
    switch (variant) {
    case GameVariant::nlhe: return QStringLiteral("NLHE");
    case GameVariant::plo: return QStringLiteral("PLO");
    }
    return {};
}

QString rawValue(GameMode mode)
{
    switch (mode) {
    case GameMode::ring: return QStringLiteral("Ring");
    case GameMode::tournament: return QStringLiteral("Tournament");
    }
    return {};
}

std::optional<GameVariant> gameVariantFromRaw(const QString &raw)
{
    for (const GameVariant v : allGameVariants())
        if (rawValue(v) == raw)
            return v;
    return std::nullopt;
}

std::optional<GameMode> gameModeFromRaw(const QString &raw)
{
    for (const GameMode m : allGameModes())
        if (rawValue(m) == raw)
            return m;
    return std::nullopt;
}

QList<GameVariant> allGameVariants() { return {GameVariant::nlhe, GameVariant::plo}; }
QList<GameMode> allGameModes() { return {GameMode::ring, GameMode::tournament}; }

QString GameType::id() const { return rawValue(variant) + QLatin1Char(' ') + rawValue(mode); }

QString tableKey(const GameType &type, const QString &tableID)
{
    return type.id() + QLatin1Char('|') + tableID;
}
