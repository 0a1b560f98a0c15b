#pragma once

#include <QString>

// Values fixed when the program is built. Each one can be overridden at run
// time by an environment variable named like its CMake cache variable (for
// example TARNWICK_ANALYTICS_APP_ID), which tests and local development use.
namespace BuildConfig {
QString version();
QString analyticsAppId();
QString crashDsn();
QString backendUrl();
QString backendPublicKey();
QString supportEmail();
QString termsUrl();
QString privacyUrl();
QString updateFeedUrl();
}
