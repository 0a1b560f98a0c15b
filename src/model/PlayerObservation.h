#pragma once

#include "GameType.h"
#include "Player.h"

#include <QMetaType>
#include <QString>

#include <optional>

// One reading of one player at one table. Readers that recognise names less
// reliably fill the last four members; the DevTools reader reads the
// client's own data and always reports full certainty (1.0, false, 1.0, 100).
struct PlayerObservation {
    QString name;
    std::optional<PlayerStats> stats;
    GameType gameType;
    QString tableID;
    QString tableTitle;
    std::optional<qint64> playerId;
    double confidence = 1.0;
    bool needsConfirmation = false;
    float ambiguityGap = 1.0f;
    int nameHeightPx = 100;

    bool operator==(const PlayerObservation &) const = default;
};

Q_DECLARE_METATYPE(PlayerObservation)
