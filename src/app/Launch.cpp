#include "Launch.h"

#include "services/Analytics.h"

#include <QSettings>

namespace Launch {

State begin()
{
    State state;
    state.showWelcome = !QSettings().value(QLatin1String(welcomeShownKey), false).toBool();
    Analytics::startAnalytics();
    Analytics::startCrashReporting();
    // signal() checks consent and the started client itself.
    Analytics::signal(QStringLiteral("App.Launched"));
    return state;
}

} // namespace Launch
