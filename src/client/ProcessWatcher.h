#pragma once

#include "ClientCommand.h"
#include "ProcessTable.h"

#include <QObject>
#include <QSet>
#include <QTimer>

#include <chrono>

// Launch and terminate notifications for the client: compares the client's
// top processes in the process table about once a second.
class ProcessWatcher : public QObject {
    Q_OBJECT

public:
    ProcessWatcher(ClientCommand command, ProcessSource processes,
                   std::chrono::milliseconds interval = std::chrono::milliseconds(1000), QObject *parent = nullptr);

    // Takes the current table as the baseline (no notifications for what
    // already runs) and starts comparing. A second call does nothing.
    void start();
    bool isRunning() const { return m_timer.isActive(); }
    // Compares once, now.
    void check();

Q_SIGNALS:
    void clientLaunched(qint64 pid);
    void clientTerminated(qint64 pid);

private:
    QSet<qint64> currentPids() const;

    ClientCommand m_command;
    ProcessSource m_processes;
    QTimer m_timer;
    QSet<qint64> m_known;
};
