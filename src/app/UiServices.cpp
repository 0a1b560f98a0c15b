#include "UiServices.h"

#include "PlayerValues.h"
#include "services/Analytics.h"

#include <QSettings>

void AnalyticsEvents::signal(const QString &name, const QVariantMap &parameters)
{
    Analytics::Parameters converted;
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
        converted.insert(it.key(), it.value().toString());
    Analytics::signal(name, converted);
}

bool UserDefaults::boolValue(const QString &key) const
{
    return QSettings().value(key, false).toBool();
}

void UserDefaults::setBool(const QString &key, bool value)
{
    QSettings settings;
    settings.setValue(key, value);
    settings.sync();
}

QVariantMap RowValues::player(const QVariant &record) const
{
    if (record.canConvert<Player>() && record.metaType() == QMetaType::fromType<Player>())
        return PlayerValues::toMap(record.value<Player>());
    return record.toMap();
}

QVariantMap RowValues::seating(const QString &gameType, const QString &tableID, bool isActive) const
{
    const QString variant = gameType.section(QLatin1Char(' '), 0, 0);
    const QString mode = gameType.section(QLatin1Char(' '), 1, 1);
    return {
        {QStringLiteral("gameVariant"), variant},
        {QStringLiteral("gameMode"), mode},
        {QStringLiteral("tableID"), tableID},
        {QStringLiteral("tableKey"), gameType + QLatin1Char('|') + tableID},
        {QStringLiteral("isActive"), isActive},
    };
}
