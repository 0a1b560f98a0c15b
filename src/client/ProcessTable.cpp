#include "ProcessTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The parent pid is the second field after the command name, which is in
// parentheses and may itself contain spaces and parentheses.
qint64 parentPidFromStat(const QByteArray &stat)
{
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() : 0;
}
} // namespace

ProcessTable::ProcessTable(QString procRoot) : m_procRoot(std::move(procRoot)) {}

QList<ProcessInfo> ProcessTable::snapshot(const QString &executableName) const
{
    QList<ProcessInfo> processes;
    const QDir root(m_procRoot);
    const QStringList entries = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        const QString dir = root.filePath(entry);
        ProcessInfo info;
        info.pid = pid;
        info.executable = QFileInfo(dir + QStringLiteral("/exe")).symLinkTarget();
        if (info.executable.isEmpty())
            continue; // kernel threads and processes we may not inspect
        if (!executableName.isEmpty() && QFileInfo(info.executable).fileName() != executableName)
            continue;
        const QByteArray stat = readAll(dir + QStringLiteral("/stat"));
        if (stat.isEmpty())
            continue;
        info.parentPid = parentPidFromStat(stat);
        QByteArray cmdline = readAll(dir + QStringLiteral("/cmdline"));
        if (cmdline.endsWith('\0'))
            cmdline.chop(1);
        if (!cmdline.isEmpty())
            for (const QByteArray &argument : cmdline.split('\0'))
                info.arguments.append(QString::fromLocal8Bit(argument));
        processes.append(info);
    }
    return processes;
}

ProcessSource ProcessTable::source(const QString &executableName) const
{
    return [table = *this, executableName] { return table.snapshot(executableName); };
}
