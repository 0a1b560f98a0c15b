#pragma once

#include "model/Player.h"
#include "model/PlayerJson.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>

#include <optional>

// The content of settings.json, also part of the export.
struct SettingsSnapshot {
    QStringList phraseTagCatalog;
    QStringList enabledFlagColors; // raw values, in no particular order
    std::optional<QList<PlayerType>> playerTypeCatalog;

    QJsonObject toJson() const;
    // "phraseTagCatalog" and "enabledFlagColors" are required.
    static std::optional<SettingsSnapshot> fromJson(const QJsonValue &value, PlayerJson::Reader &reader);

    bool operator==(const SettingsSnapshot &) const = default;
};
