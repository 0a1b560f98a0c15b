#include "BuildConfig.h"

#include "BuildConfigValues.h"

#include <QtGlobal>

namespace {
QString valueOf(const char *environmentName, const char *builtIn)
{
    if (qEnvironmentVariableIsSet(environmentName))
        return qEnvironmentVariable(environmentName);
    return QString::fromUtf8(builtIn);
}
} // namespace

namespace BuildConfig {
QString version() { return valueOf("TARNWICK_VERSION", BuildConfigValues::version); }
QString analyticsAppId() { return valueOf("TARNWICK_ANALYTICS_APP_ID", BuildConfigValues::analyticsAppId); }
QString crashDsn() { return valueOf("TARNWICK_CRASH_DSN", BuildConfigValues::crashDsn); }
QString backendUrl() { return valueOf("TARNWICK_BACKEND_URL", BuildConfigValues::backendUrl); }
QString backendPublicKey() { return valueOf("TARNWICK_BACKEND_PUBLIC_KEY", BuildConfigValues::backendPublicKey); }
QString supportEmail() { return valueOf("TARNWICK_SUPPORT_EMAIL", BuildConfigValues::supportEmail); }
QString termsUrl() { return valueOf("TARNWICK_TERMS_URL", BuildConfigValues::termsUrl); }
QString privacyUrl() { return valueOf("TARNWICK_PRIVACY_URL", BuildConfigValues::privacyUrl); }
QString updateFeedUrl() { return valueOf("TARNWICK_UPDATE_FEED_URL", BuildConfigValues::updateFeedUrl); }
} // namespace BuildConfig
