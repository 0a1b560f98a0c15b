#pragma once

#include "model/Player.h"

#include <QByteArray>
#include <QHash>
#include <QVariant>

// The roles under which list models show one record to QML. Models add
// their own roles from PlayerRoles::End on.
namespace PlayerRoles {

enum Role {
    IdRole = Qt::UserRole + 1, // "id": the record's UUID, upper case
    NameRole,                  // "name"
    PokerPlayerIdRole,         // "pokerPlayerId": the poker client's ID, or undefined
    HasStatsRole,              // "hasStats": bool
    VpipRole,                  // "vpip": number, 0 without stats
    PfrRole,                   // "pfr": number, 0 without stats
    HandsRole,                 // "hands": integer, 0 without stats
    ColorIndicatorRole,        // "colorIndicator": raw colour ("red"), empty without a flag
    VillainTypesRole,          // "villainTypes": effective player types (list of emoji)
    PhraseTagsRole,            // "phraseTags": effective phrase tags
    NoteRole,                  // "note"
    IsManuallyNamedRole,       // "isManuallyNamed": bool
    IsRingPlayerRole,          // "isRingPlayer": the most recent seating is a ring table
    UpdatedAtRole,             // "updatedAt": QDateTime
    PlayerRole,                // "player": the whole Player (for C++)
    End
};

QHash<int, QByteArray> roleNames();
QVariant data(const Player &player, int role);

} // namespace PlayerRoles
