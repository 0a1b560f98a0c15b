#pragma once

#include "ClientLauncher.h"
#include "ProcessWatcher.h"

#include <QCoroTask>
#include <QObject>

// Keeps the poker client's state current (offline, attaching, ready, or
// running without the debugging port) from launch and terminate
// notifications and a poll, and restarts the client with the port open.
class CWGMonitor : public QObject {
    Q_OBJECT
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    Q_PROPERTY(QString stateName READ stateName NOTIFY stateChanged)

public:
    enum class State { offline, attaching, ready, noFlag };
    Q_ENUM(State)

    // The monitor drives the launcher it is given (not owned).
    explicit CWGMonitor(ClientLauncher *launcher, QObject *parent = nullptr);

    State state() const { return m_state; }
    QString stateName() const { return stateName(m_state); }
    static QString stateName(State state);

    // Begins watching: notifications and the poll loop. A second call does
    // nothing.
    Q_INVOKABLE void start();
    bool isStarted() const { return m_started; }
    // Quits the client if it runs and starts it again with the port open.
    Q_INVOKABLE void restart();
    QCoro::Task<> restartTask();

    ClientLauncher *launcher() const { return m_launcher; }
    ProcessWatcher *watcher() const { return m_watcher; }
    int pollLoopCount() const { return m_pollLoops; }
    int probeCount() const { return m_probes; }

Q_SIGNALS:
    void stateChanged(CWGMonitor::State state);

private:
    void setState(State state);
    QCoro::Task<bool> probe();
    QCoro::Task<> pollLoop();
    QCoro::Task<> handleLaunch();

    ClientLauncher *m_launcher;
    ProcessWatcher *m_watcher;
    State m_state = State::offline;
    bool m_started = false;
    int m_pollLoops = 0;
    int m_probes = 0;
};
