#include "ClientCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>

#ifndef TARNWICK_SIMULATOR_SCRIPT
#define TARNWICK_SIMULATOR_SCRIPT ""
#endif

bool ClientCommand::matches(const ProcessInfo &process) const
{
    if (executableName.isEmpty() || QFileInfo(process.executable).fileName() != executableName)
        return false;
    return marker.isEmpty() || process.arguments.contains(marker);
}

QList<ProcessInfo> ClientCommand::topProcesses(const QList<ProcessInfo> &processes) const
{
    QSet<qint64> clientPids;
    for (const ProcessInfo &process : processes)
        if (matches(process))
            clientPids.insert(process.pid);
    QList<ProcessInfo> top;
    for (const ProcessInfo &process : processes)
        if (clientPids.contains(process.pid) && !clientPids.contains(process.parentPid))
            top.append(process);
    return top;
}

ClientCommand ClientCommand::fromCommandLine(const QString &commandLine, const QString &executableName,
                                             const QString &marker)
{
    ClientCommand command;
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return command;
    command.program = words.takeFirst();
    command.arguments = words;
    command.executableName = executableName.isEmpty() ? QFileInfo(command.program).fileName() : executableName;
    command.marker = marker;
    if (command.marker.isEmpty()) {
        for (const QString &argument : std::as_const(command.arguments))
            if (argument.startsWith(QLatin1String("--user-data-dir=")))
                command.marker = argument;
    }
    return command;
}

QString ClientCommand::defaultCommandLine()
{
    // The table simulator in Chromium, with a profile folder of its own so
    // the user's browser is never mistaken for the client.
    const QString profile = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
                                .filePath(QStringLiteral("Tarnwick/client-profile"));
    auto quoted = [](QString word) {
        word.replace(QLatin1Char('"'), QLatin1String("\"\"\""));
        return QLatin1Char('"') + word + QLatin1Char('"');
    };
    QString line = quoted(QString::fromUtf8(TARNWICK_SIMULATOR_SCRIPT)) + QLatin1Char(' ')
        + quoted(QStringLiteral("--user-data-dir=") + profile);
    // Without a display, a windowed Chromium cannot start.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        line += QStringLiteral(" --headless");
    return line;
}

ClientCommand ClientCommand::configured()
{
    QString line = qEnvironmentVariable(commandVariable);
    if (line.isEmpty())
        line = QSettings().value(QLatin1String(settingsKey)).toString();
    QString executable = qEnvironmentVariable(executableVariable);
    if (line.isEmpty()) {
        line = defaultCommandLine();
        if (executable.isEmpty())
            executable = QStringLiteral("chromium");
    }
    return fromCommandLine(line, executable, qEnvironmentVariable(markerVariable));
}
