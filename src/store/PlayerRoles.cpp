#include "PlayerRoles.h"

#include "model/PlayerJson.h"

namespace PlayerRoles {

QHash<int, QByteArray> roleNames()
{
    return {
        {IdRole, "id"},
        {NameRole, "name"},
        {PokerPlayerIdRole, "pokerPlayerId"},
        {HasStatsRole, "hasStats"},
        {VpipRole, "vpip"},
        {PfrRole, "pfr"},
        {HandsRole, "hands"},
        {ColorIndicatorRole, "colorIndicator"},
        {VillainTypesRole, "villainTypes"},
        {PhraseTagsRole, "phraseTags"},
        {NoteRole, "note"},
        {IsManuallyNamedRole, "isManuallyNamed"},
        {IsRingPlayerRole, "isRingPlayer"},
        {UpdatedAtRole, "updatedAt"},
        {PlayerRole, "player"},
    };
}

QVariant data(const Player &player, int role)
{
    switch (role) {
    case IdRole:
        return PlayerJson::uuidText(player.id);
    case Qt::DisplayRole:
    case NameRole:
        return player.name;
    case PokerPlayerIdRole:
        return player.playerId ? QVariant(*player.playerId) : QVariant();
    case HasStatsRole:
        return player.stats.has_value();
    case VpipRole:
        return player.stats ? player.stats->vpip : 0.0;
    case PfrRole:
        return player.stats ? player.stats->pfr : 0.0;
    case HandsRole:
        return player.stats ? player.stats->hands : qint64(0);
    case ColorIndicatorRole:
        return player.colorIndicator ? rawValue(*player.colorIndicator) : QString();
    case VillainTypesRole:
        return player.effectiveVillainTypes();
    case PhraseTagsRole:
        return player.effectivePhraseTags();
    case NoteRole:
        return player.note;
    case IsManuallyNamedRole:
        return player.isManuallyNamed.value_or(false);
    case IsRingPlayerRole: {
        const auto seating = player.mostRecentSeating();
        return seating && seating->gameType.mode == GameMode::ring;
    }
    case UpdatedAtRole:
        return player.updatedAt;
    case PlayerRole:
        return QVariant::fromValue(player);
    default:
        return {};
    }
}

} // namespace PlayerRoles
