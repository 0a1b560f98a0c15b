#pragma once

#include "model/Player.h"

#include <QJsonValue>
#include <QString>

#include <optional>

// The profile popup of one reading.
struct PopupSnapshot {
    QString name;
    std::optional<qint64> playerId;
    PlayerStats stats;

    bool operator==(const PopupSnapshot &) const = default;
};

// What one evaluation of the scene-reading script found in a page.
struct TableSnapshot {
    std::optional<QString> blindLabel;
    std::optional<QString> roomName;
    std::optional<PopupSnapshot> popup;
    bool hasFocus = false;

    bool operator==(const TableSnapshot &) const = default;
};

// The scene-reading script: one JavaScript expression whose value is the
// result object ({popup, blind, roomName, hasFocus}). It only reads the page.
const QString &sceneScript();

// Decodes the script's result; none when the value is not a JSON object.
std::optional<TableSnapshot> decodeSnapshot(const QJsonValue &value);

// A JSON number read as a 64-bit integer with its fraction dropped; none for
// anything else, and for numbers that are not finite or do not fit in 64
// bits (a page can send 1e20).
std::optional<qint64> snapshotInteger(const QJsonValue &value);
