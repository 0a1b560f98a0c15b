#include "UiServices.h"

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
