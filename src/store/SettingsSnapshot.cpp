#include "SettingsSnapshot.h"

#include <QJsonArray>

QJsonObject SettingsSnapshot::toJson() const
{
    QJsonObject object;
    object.insert(QLatin1String("phraseTagCatalog"), QJsonArray::fromStringList(phraseTagCatalog));
    object.insert(QLatin1String("enabledFlagColors"), QJsonArray::fromStringList(enabledFlagColors));
    QJsonArray types;
    for (const PlayerType &type : playerTypeCatalog.value_or(QList<PlayerType>{}))
        types.append(PlayerJson::toJson(type));
    object.insert(QLatin1String("playerTypeCatalog"), types);
    return object;
}

std::optional<SettingsSnapshot> SettingsSnapshot::fromJson(const QJsonValue &value, PlayerJson::Reader &reader)
{
    if (!value.isObject()) {
        reader.fail(PlayerJson::rootPath("settings"), QStringLiteral("expected an object"));
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    const PlayerJson::Path root = PlayerJson::rootPath("settings");
    SettingsSnapshot snapshot;
    const auto tags = reader.stringList(object.value(QLatin1String("phraseTagCatalog")), root.member(QLatin1String("phraseTagCatalog")));
    if (!tags)
        return std::nullopt;
    snapshot.phraseTagCatalog = *tags;
    const auto colors = reader.stringList(object.value(QLatin1String("enabledFlagColors")), root.member(QLatin1String("enabledFlagColors")));
    if (!colors)
        return std::nullopt;
    snapshot.enabledFlagColors = *colors;
    const QJsonValue types = object.value(QLatin1String("playerTypeCatalog"));
    const PlayerJson::Path typesPath = root.member(QLatin1String("playerTypeCatalog"));
    if (!types.isUndefined() && !types.isNull()) {
        if (!types.isArray()) {
            reader.fail(typesPath, QStringLiteral("expected an array"));
            return std::nullopt;
        }
        QList<PlayerType> catalog;
        const QJsonArray array = types.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            const auto type = reader.playerType(array.at(i), typesPath.at(i));
            if (!type)
                return std::nullopt;
            catalog.append(*type);
        }
        snapshot.playerTypeCatalog = catalog;
    }
    return snapshot;
}
