#include "Analytics.h"

#include "common/BuildConfig.h"

#include <QJsonArray>
#include <QSettings>

namespace Analytics {

namespace {
// Written once at launch, before any send; never reset in a run.
bool s_analyticsStarted = false;
bool s_crashReportingStarted = false;

AnalyticsClient *s_analyticsClient = nullptr;
CrashReporter *s_crashReporter = nullptr;

AnalyticsClient &analyticsClient()
{
    static LoggingAnalyticsClient fallback;
    return s_analyticsClient ? *s_analyticsClient : fallback;
}

CrashReporter &crashReporter()
{
    static LoggingCrashReporter fallback;
    return s_crashReporter ? *s_crashReporter : fallback;
}

bool consented(const char *key) { return QSettings().value(QLatin1String(key), false).toBool(); }

bool mayReportErrors() { return s_crashReportingStarted && consented(consentCrashKey); }

QJsonObject withoutSensitiveKeys(QJsonObject object)
{
    for (const QString &key : sensitiveKeys())
        object.remove(key);
    return object;
}
} // namespace

QStringList sensitiveKeys()
{
    return {QStringLiteral("player"), QStringLiteral("playerName"), QStringLiteral("username"),
            QStringLiteral("handle"), QStringLiteral("table"), QStringLiteral("tableTitle"),
            QStringLiteral("blindLabel"), QStringLiteral("stakes"), QStringLiteral("email"),
            QStringLiteral("userId")};
}

void startAnalytics()
{
    if (!consented(consentAnalyticsKey))
        return;
    const QString appId = BuildConfig::analyticsAppId();
    if (appId.isEmpty())
        return;
    analyticsClient().start(appId);
    s_analyticsStarted = true;
}

void startCrashReporting()
{
    if (!consented(consentCrashKey))
        return;
    const QString dsn = BuildConfig::crashDsn();
    if (dsn.isEmpty())
        return;
    s_crashReportingStarted = true;
    CrashReporterOptions options;
    options.dsn = dsn;
    options.tracingEnabled = false;
    options.sendDefaultPii = false;
    options.appHangTimeoutSeconds = 5.0;
    options.beforeSend = scrub;
    crashReporter().start(options);
}

void signal(const QString &name, const Parameters &parameters)
{
    if (!s_analyticsStarted || !consented(consentAnalyticsKey))
        return;
    analyticsClient().send(name, parameters);
}

QString latencyBucket(qint64 milliseconds)
{
    if (milliseconds < 1000)
        return QStringLiteral("<1s");
    if (milliseconds < 3000)
        return QStringLiteral("1-3s");
    if (milliseconds < 5000)
        return QStringLiteral("3-5s");
    if (milliseconds < 10000)
        return QStringLiteral("5-10s");
    if (milliseconds < 30000)
        return QStringLiteral("10-30s");
    return QStringLiteral(">30s");
}

void firstAttachLatency(qint64 milliseconds)
{
    signal(QStringLiteral("CDP.FirstAttachLatency"), {{QStringLiteral("bucket"), latencyBucket(milliseconds)}});
}

void captureStoreError(const QString &error, const QString &operation)
{
    if (!mayReportErrors())
        return;
    crashReporter().captureError(error, {{QStringLiteral("category"), QStringLiteral("playerStore.") + operation}});
}

void captureAuthError(const QString &error, const QString &method)
{
    if (!mayReportErrors())
        return;
    crashReporter().captureError(error, {{QStringLiteral("category"), QStringLiteral("auth")},
                                         {QStringLiteral("method"), method}});
}

void reportParseFailure(const QString &missingKey)
{
    if (!mayReportErrors())
        return;
    crashReporter().captureEvent(Level::warning, QStringLiteral("CDP parse failure: missing ") + missingKey,
                                 {{QStringLiteral("category"), QStringLiteral("cdp.parse")},
                                  {QStringLiteral("missingKey"), missingKey}});
}

QJsonObject scrub(QJsonObject event)
{
    event.remove(QLatin1String("user"));
    for (const auto key : {QLatin1String("extra"), QLatin1String("tags")}) {
        if (event.value(key).isObject())
            event.insert(key, withoutSensitiveKeys(event.value(key).toObject()));
    }
    // Breadcrumbs come either as {"values": [...]} (the wire form) or as a
    // bare array; scrub both.
    const QJsonValue breadcrumbs = event.value(QLatin1String("breadcrumbs"));
    auto scrubList = [](QJsonArray list) {
        for (qsizetype i = 0; i < list.size(); ++i) {
            QJsonObject crumb = list.at(i).toObject();
            if (crumb.value(QLatin1String("data")).isObject())
                crumb.insert(QLatin1String("data"), withoutSensitiveKeys(crumb.value(QLatin1String("data")).toObject()));
            list.replace(i, crumb);
        }
        return list;
    };
    if (breadcrumbs.isArray()) {
        event.insert(QLatin1String("breadcrumbs"), scrubList(breadcrumbs.toArray()));
    } else if (breadcrumbs.isObject()) {
        QJsonObject wrapper = breadcrumbs.toObject();
        wrapper.insert(QLatin1String("values"), scrubList(wrapper.value(QLatin1String("values")).toArray()));
        event.insert(QLatin1String("breadcrumbs"), wrapper);
    }
    return event;
}

bool analyticsStarted() { return s_analyticsStarted; }
bool crashReportingStarted() { return s_crashReportingStarted; }

void setAnalyticsClient(AnalyticsClient *client) { s_analyticsClient = client; }
void setCrashReporter(CrashReporter *reporter) { s_crashReporter = reporter; }

void resetForTesting()
{
    s_analyticsStarted = false;
    s_crashReportingStarted = false;
}

} // namespace Analytics
