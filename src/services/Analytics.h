#pragma once

#include "AnalyticsClients.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// Usage events and error reports, each only with the user's consent and a
// build-time configuration. Consent is read from the settings at every send,
// so withdrawing it stops further sends at once.
namespace Analytics {

// Settings keys (booleans; a key never written reads as false).
inline constexpr auto consentShownKey = "tarnwick.consent.shown";
inline constexpr auto consentAnalyticsKey = "tarnwick.consent.analytics";
inline constexpr auto consentCrashKey = "tarnwick.consent.crash";

// Keys that never leave the machine in a crash report (exact, case-sensitive).
QStringList sensitiveKeys();

void startAnalytics();
void startCrashReporting();

void signal(const QString &name, const Parameters &parameters = {});
void firstAttachLatency(qint64 milliseconds);
void captureStoreError(const QString &error, const QString &operation);
void captureAuthError(const QString &error, const QString &method);
void reportParseFailure(const QString &missingKey);

// The bucket label for a first-attach latency in whole milliseconds.
QString latencyBucket(qint64 milliseconds);

// The before-send hook: removes the user and every sensitive key from the
// extra data, the tags and each breadcrumb's data.
QJsonObject scrub(QJsonObject event);

bool analyticsStarted();
bool crashReportingStarted();

// The clients used from now on; not owned. Null restores the logging ones.
void setAnalyticsClient(AnalyticsClient *client);
void setCrashReporter(CrashReporter *reporter);

// Clears the started flags, for tests that start the clients repeatedly.
void resetForTesting();

} // namespace Analytics
