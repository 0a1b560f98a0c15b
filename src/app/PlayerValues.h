#pragma once

#include "model/Player.h"

#include <QVariantMap>

// The plain values a player row and its editor show, as QML reads them:
// id (upper-case UUID), name, note, flag (raw colour or ""), villainTypes,
// phraseTags (both effective), hasStats, vpip, pfr, hands, mostRecentMode
// ("Ring", "Tournament" or "") and anyActive.
namespace PlayerValues {
QVariantMap toMap(const Player &player);
// A seating as {gameVariant, gameMode, tableID, tableKey, isActive}.
QVariantMap seatingMap(const Seating &seating);
// The row ID of a player's row in a table section.
QString rowID(const Player &player, const Seating &seating);
QString uuidText(const QUuid &id);
} // namespace PlayerValues
