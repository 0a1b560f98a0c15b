#include "AnalyticsClients.h"

#include "common/Log.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace Analytics {

AnalyticsClient::~AnalyticsClient() = default;
CrashReporter::~CrashReporter() = default;

QString levelName(Level level)
{
    switch (level) {
    case Level::debug: return QStringLiteral("debug");
    case Level::info: return QStringLiteral("info");
    case Level::warning: return QStringLiteral("warning");
    case Level::error: return QStringLiteral("error");
    case Level::fatal: return QStringLiteral("fatal");
    }
    return {};
}

namespace {
QJsonObject tagsObject(const Parameters &tags)
{
    QJsonObject object;
    for (auto it = tags.cbegin(); it != tags.cend(); ++it)
        object.insert(it.key(), it.value());
    return object;
}
} // namespace

void LoggingAnalyticsClient::start(const QString &appId)
{
    qCDebug(lcServices) << "analytics client started for app" << appId;
}

void LoggingAnalyticsClient::send(const QString &name, const Parameters &parameters)
{
    qCDebug(lcServices) << "analytics signal" << name << parameters;
}

void LoggingCrashReporter::start(const CrashReporterOptions &options)
{
    m_options = options;
    qCDebug(lcServices) << "crash reporter started";
}

void LoggingCrashReporter::captureError(const QString &error, const Parameters &tags)
{
    submit({{QLatin1String("level"), levelName(Level::error)},
            {QLatin1String("exception"), QJsonObject{{QLatin1String("values"), QJsonArray{QJsonObject{{QLatin1String("type"), QLatin1String("Error")}, {QLatin1String("value"), error}}}}}},
            {QLatin1String("tags"), tagsObject(tags)}});
}

void LoggingCrashReporter::captureEvent(Level level, const QString &message, const Parameters &tags)
{
    submit({{QLatin1String("level"), levelName(level)},
            {QLatin1String("message"), message},
            {QLatin1String("tags"), tagsObject(tags)}});
}

void LoggingCrashReporter::submit(QJsonObject event)
{
    if (m_options.beforeSend)
        event = m_options.beforeSend(event);
    qCDebug(lcServices).noquote() << "crash report" << QJsonDocument(event).toJson(QJsonDocument::Compact);
}

} // namespace Analytics
