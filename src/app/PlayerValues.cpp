#include "PlayerValues.h"

namespace PlayerValues {

QString uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QVariantMap toMap(const Player &player)
{
    bool anyActive = false;
    for (const Seating &seating : player.seatings)
        anyActive = anyActive || seating.isActive;
    const std::optional<Seating> recent = player.mostRecentSeating();
    return {
        {QStringLiteral("id"), uuidText(player.id)},
        {QStringLiteral("name"), player.name},
        {QStringLiteral("note"), player.note},
        {QStringLiteral("flag"), player.colorIndicator ? rawValue(*player.colorIndicator) : QString()},
        {QStringLiteral("villainTypes"), player.effectiveVillainTypes()},
        {QStringLiteral("phraseTags"), player.effectivePhraseTags()},
        {QStringLiteral("hasStats"), player.stats.has_value()},
        {QStringLiteral("vpip"), player.stats ? player.stats->vpip : 0.0},
        {QStringLiteral("pfr"), player.stats ? player.stats->pfr : 0.0},
        {QStringLiteral("hands"), player.stats ? player.stats->hands : 0},
        {QStringLiteral("mostRecentMode"), recent ? rawValue(recent->gameType.mode) : QString()},
        {QStringLiteral("anyActive"), anyActive},
    };
}

QVariantMap seatingMap(const Seating &seating)
{
    return {
        {QStringLiteral("gameVariant"), rawValue(seating.gameType.variant)},
        {QStringLiteral("gameMode"), rawValue(seating.gameType.mode)},
        {QStringLiteral("tableID"), seating.tableID},
        {QStringLiteral("tableKey"), seating.id()},
        {QStringLiteral("isActive"), seating.isActive},
    };
}

QString rowID(const Player &player, const Seating &seating)
{
    return uuidText(player.id) + QLatin1Char('|') + seating.id();
}

} // namespace PlayerValues
