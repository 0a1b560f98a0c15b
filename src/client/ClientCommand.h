#pragma once

#include "ProcessTable.h"

#include <QList>
#include <QString>
#include <QStringList>

// How the poker client is started and recognised. On this platform the
// client is whatever the configured command starts (by default the table
// simulator in Chromium with a profile folder of its own). A process counts
// as the client only when its executable has the configured name and, where
// a marker is configured, one of its arguments equals the marker: the user's
// own browser, or another program's Chromium, is never the client.
struct ClientCommand {
    QString program;
    QStringList arguments;
    QString executableName; // file name of the running image, e.g. "chromium"
    QString marker;         // an argument only the client's processes carry

    bool isValid() const { return !program.isEmpty() && !executableName.isEmpty(); }
    bool matches(const ProcessInfo &process) const;

    // The client's processes, keeping only the top ones: a client spawns
    // helper processes that carry the same marker, and only the top process
    // is asked to quit.
    QList<ProcessInfo> topProcesses(const QList<ProcessInfo> &processes) const;

    // The settings key and environment variables that configure the client.
    static constexpr auto settingsKey = "clientCommand";
    static constexpr auto commandVariable = "TARNWICK_CLIENT_COMMAND";
    static constexpr auto executableVariable = "TARNWICK_CLIENT_EXECUTABLE";
    static constexpr auto markerVariable = "TARNWICK_CLIENT_MARKER";

    // From the environment, else the settings, else the default. The command
    // is one line, split like a shell would (QProcess::splitCommand). The
    // executable name defaults to the program's file name and the marker to
    // the command's --user-data-dir argument.
    static ClientCommand configured();
    static ClientCommand fromCommandLine(const QString &commandLine, const QString &executableName = {},
                                         const QString &marker = {});
    static QString defaultCommandLine();
};
