#include "CWGMonitor.h"

#include "common/Log.h"

#include <QCoroTimer>
#include <QPointer>

CWGMonitor::CWGMonitor(ClientLauncher *launcher, QObject *parent)
    : QObject(parent)
    , m_launcher(launcher)
    , m_watcher(new ProcessWatcher(launcher->command(), launcher->processSource(), launcher->timings().watchInterval, this))
{
    connect(m_watcher, &ProcessWatcher::clientLaunched, this, [this] { handleLaunch(); });
    connect(m_watcher, &ProcessWatcher::clientTerminated, this, [this] { setState(State::offline); });
}

QString CWGMonitor::stateName(State state)
{
    switch (state) {
    case State::offline: return QStringLiteral("offline");
    case State::attaching: return QStringLiteral("attaching");
    case State::ready: return QStringLiteral("ready");
    case State::noFlag: return QStringLiteral("noFlag");
    }
    return {};
}

void CWGMonitor::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    qCDebug(lcClient) << "client state" << stateName(state);
    emit stateChanged(state);
}

QCoro::Task<bool> CWGMonitor::probe()
{
    ++m_probes;
    const bool open = co_await m_launcher->isDebugPortOpen();
    co_return open;
}

void CWGMonitor::start()
{
    if (m_started)
        return;
    m_started = true;
    m_watcher->start();
    pollLoop();
}

QCoro::Task<> CWGMonitor::pollLoop()
{
    QPointer<CWGMonitor> self(this);
    ++m_pollLoops;
    const auto interval = m_launcher->timings().pollInterval;
    while (self) {
        // While attaching, whoever started the client is probing already.
        if (m_state != State::attaching) {
            const bool open = co_await probe();
            if (!self)
                co_return;
            const bool running = m_launcher->isClientRunning();
            setState(running ? (open ? State::ready : State::noFlag) : State::offline);
        }
        co_await QCoro::sleepFor(interval);
    }
}

QCoro::Task<> CWGMonitor::handleLaunch()
{
    QPointer<CWGMonitor> self(this);
    setState(State::attaching);
    const ClientTimings timings = m_launcher->timings();
    for (int attempt = 0; attempt < timings.launchProbes; ++attempt) {
        const bool open = co_await probe();
        if (!self)
            co_return;
        if (open) {
            setState(State::ready);
            co_return;
        }
        co_await QCoro::sleepFor(timings.launchProbePause);
        if (!self)
            co_return;
    }
    setState(State::noFlag);
}

void CWGMonitor::restart()
{
    restartTask();
}

QCoro::Task<> CWGMonitor::restartTask()
{
    QPointer<CWGMonitor> self(this);
    setState(State::attaching);
    co_await m_launcher->terminateAndWait();
    if (!self)
        co_return;
    const bool ok = co_await m_launcher->launch();
    if (!self)
        co_return;
    if (!ok) {
        setState(State::offline);
        co_return;
    }
    const bool open = co_await m_launcher->waitForDebugPort(m_launcher->timings().portWaitSeconds);
    if (self)
        setState(open ? State::ready : State::noFlag);
}
