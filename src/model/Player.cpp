#include "Player.h"

namespace {
struct ColorEntry {
    PlayerColor color;
    const char *raw;
    double r, g, b;
};

constexpr ColorEntry colorTable[] = {
    {PlayerColor::red, "red", 0.69, 0, 0.125},
    {PlayerColor::orange, "orange", 0.72, 0.45, 0.18},
    {PlayerColor::yellow, "yellow", 1.0, 0.843, 0},
    {PlayerColor::green, "green", 0.22, 0.58, 0.30},
    {PlayerColor::blue, "blue", 0.22, 0.40, 0.70},
    {PlayerColor::purple, "purple", 0.50, 0.28, 0.65},
    {PlayerColor::pink, "pink", 0.65, 0.28, 0.42},
    {PlayerColor::white, "white", 0.65, 0.65, 0.65},
};

struct TagEntry {
    PlayerTag tag;
    const char *raw;
};

constexpr TagEntry tagTable[] = {
    {PlayerTag::fish, "fish"},
    {PlayerTag::nit, "nit"},
    {PlayerTag::tag, "tag"},
    {PlayerTag::lag, "lag"},
    {PlayerTag::maniac, "maniac"},
    {PlayerTag::aggro, "aggro"},
    {PlayerTag::threeBetWide, "threeBetWide"},
    {PlayerTag::callsDown, "callsDown"},
    {PlayerTag::bluffs, "bluffs"},
    {PlayerTag::foldProne, "foldProne"},
    {PlayerTag::passive, "passive"},
    {PlayerTag::flag, "flag"},
};
} // namespace

QString rawValue(PlayerColor color)
{
    for (const auto &entry : colorTable)
        if (entry.color == color)
            return QString::fromLatin1(entry.raw);
    return {};
}

std::optional<PlayerColor> playerColorFromRaw(const QString &raw)
{
    for (const auto &entry : colorTable)
        if (raw == QLatin1String(entry.raw))
            return entry.color;
    return std::nullopt;
}

QList<PlayerColor> allPlayerColors()
{
    QList<PlayerColor> all;
    for (const auto &entry : colorTable)
        all.append(entry.color);
    return all;
}

RgbColor displayColor(PlayerColor color)
{
    for (const auto &entry : colorTable)
        if (entry.color == color)
            return {entry.r, entry.g, entry.b};
    return {};
}

QString rawValue(PlayerTag tag)
{
    for (const auto &entry : tagTable)
        if (entry.tag == tag)
            return QString::fromLatin1(entry.raw);
    return {};
}

std::optional<PlayerTag> playerTagFromRaw(const QString &raw)
{
    for (const auto &entry : tagTable)
        if (raw == QLatin1String(entry.raw))
            return entry.tag;
    return std::nullopt;
}

QList<PlayerTag> allPlayerTags()
{
    QList<PlayerTag> all;
    for (const auto &entry : tagTable)
        all.append(entry.tag);
    return all;
}

std::optional<Seating> Player::mostRecentSeating() const
{
    const Seating *best = nullptr;
    for (const Seating &seating : seatings)
        if (!best || seating.updatedAt > best->updatedAt)
            best = &seating;
    if (!best)
        return std::nullopt;
    return *best;
}

QStringList Player::effectiveVillainTypes() const
{
    if (villainTypes)
        return *villainTypes;
    QStringList types;
    for (const PlayerTag tag : tags) {
        switch (tag) {
        case PlayerTag::fish: types.append(QStringLiteral("\U0001F41F")); break;
        case PlayerTag::nit: types.append(QStringLiteral("\U0001F422")); break;
        case PlayerTag::tag: types.append(QStringLiteral("\U0001F988")); break;
        case PlayerTag::lag: types.append(QStringLiteral("\U0001F525")); break;
        case PlayerTag::maniac: types.append(QStringLiteral("\U0001F921")); break;
        default: break;
        }
    }
    return types;
}

QStringList Player::effectivePhraseTags() const
{
    if (phraseTags)
        return *phraseTags;
    QStringList phrases;
    for (const PlayerTag tag : tags) {
        switch (tag) {
        case PlayerTag::aggro: phrases.append(QStringLiteral("aggro")); break;
        case PlayerTag::threeBetWide: phrases.append(QStringLiteral("3bet-wide")); break;
        case PlayerTag::callsDown: phrases.append(QStringLiteral("calls-down")); break;
        case PlayerTag::bluffs: phrases.append(QStringLiteral("bluffs")); break;
        case PlayerTag::foldProne: phrases.append(QStringLiteral("tilt-prone")); break;
        default: break;
        }
    }
    return phrases;
}
