#include "WindowBehaviorController.h"

#include <QSettings>

WindowBehaviorController::WindowBehaviorController(QObject *parent)
    : QObject(parent)
    , m_applier(&WindowLayer::apply)
{
    QSettings settings;
    m_floatOnTop = settings.value(QLatin1String(floatOnTopKey), false).toBool();
    m_allSpaces = settings.value(QLatin1String(allSpacesKey), false).toBool();
}

void WindowBehaviorController::setFloatOnTop(bool on)
{
    if (m_floatOnTop == on)
        return;
    m_floatOnTop = on;
    QSettings().setValue(QLatin1String(floatOnTopKey), on);
    apply();
    Q_EMIT floatOnTopChanged();
}

void WindowBehaviorController::setAllSpaces(bool on)
{
    if (m_allSpaces == on)
        return;
    m_allSpaces = on;
    QSettings().setValue(QLatin1String(allSpacesKey), on);
    apply();
    Q_EMIT allSpacesChanged();
}

void WindowBehaviorController::setWindow(QWindow *window)
{
    if (m_window == window)
        return;
    m_window = window;
    apply();
    Q_EMIT windowChanged();
}

void WindowBehaviorController::apply()
{
    if (!m_window || !m_applier)
        return;
    // Both settings every time, so changing one never undoes the other.
    m_applier(m_window, windowLevel(), collectionBehavior());
}
