#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct ProcessInfo {
    qint64 pid = 0;
    qint64 parentPid = 0;
    QString executable; // absolute path of the running image
    QStringList arguments; // argv, the program name first

    bool operator==(const ProcessInfo &) const = default;
};

// A snapshot of the running processes. Injected wherever the program looks at
// the process table, so tests can feed their own.
using ProcessSource = std::function<QList<ProcessInfo>()>;

// Reads a Linux /proc folder (its location is injectable). Processes that end
// while being read, or that cannot be inspected, are skipped.
class ProcessTable {
public:
    explicit ProcessTable(QString procRoot = QStringLiteral("/proc"));

    // With an executable name, only processes running an image of that file
    // name are read in full: the table is read every second, and the other
    // processes' details are never needed.
    QList<ProcessInfo> snapshot(const QString &executableName = {}) const;
    ProcessSource source(const QString &executableName = {}) const;

private:
    QString m_procRoot;
};
