#include "ProcessWatcher.h"

ProcessWatcher::ProcessWatcher(ClientCommand command, ProcessSource processes, std::chrono::milliseconds interval,
                               QObject *parent)
    : QObject(parent)
    , m_command(std::move(command))
    , m_processes(std::move(processes))
{
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &ProcessWatcher::check);
}

void ProcessWatcher::start()
{
    if (m_timer.isActive())
        return;
    m_known = currentPids();
    m_timer.start();
}

QSet<qint64> ProcessWatcher::currentPids() const
{
    QSet<qint64> pids;
    if (m_processes)
        for (const ProcessInfo &process : m_command.topProcesses(m_processes()))
            pids.insert(process.pid);
    return pids;
}

void ProcessWatcher::check()
{
    const QSet<qint64> now = currentPids();
    const QSet<qint64> gone = m_known - now;
    const QSet<qint64> added = now - m_known;
    m_known = now;
    for (const qint64 pid : gone)
        emit clientTerminated(pid);
    for (const qint64 pid : added)
        emit clientLaunched(pid);
}
