#pragma once

#include "ClientCommand.h"
#include "ProcessTable.h"

#include <QCoroTask>
#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

#include <chrono>

// Timings and counts of starting, probing and quitting the client. The
// defaults are the program's; tests shorten them.
struct ClientTimings {
    std::chrono::milliseconds probeTimeout{1000};
    std::chrono::milliseconds portWaitStep{250};
    int portWaitSeconds = 10;
    std::chrono::milliseconds quitPause{100};
    int quitPauses = 20;
    std::chrono::milliseconds pollInterval{3000};
    int launchProbes = 20;
    std::chrono::milliseconds launchProbePause{250};
    std::chrono::milliseconds watchInterval{1000};
};

// Starts, probes and quits the poker client. Keeps no state between calls
// besides its configuration.
class ClientLauncher : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 defaultPort = 9222;
    static constexpr auto launchArgumentPrefix = "--remote-debugging-port=";
    // The macOS client's identity, kept for reference: on this platform the
    // client is recognised through ClientCommand instead.
    static constexpr auto macBundleIdentifier = "com.clubwptgold.electron";
    static constexpr auto macApplicationPath = "/Applications/ClubWPT Gold.app";

    // Without a process source, the system's process table is read.
    explicit ClientLauncher(ClientCommand command = ClientCommand::configured(), quint16 port = defaultPort,
                            ProcessSource processes = {}, ClientTimings timings = {},
                            QObject *parent = nullptr);

    const ClientCommand &command() const { return m_command; }
    quint16 port() const { return m_port; }
    const ClientTimings &timings() const { return m_timings; }
    // "http://127.0.0.1:<port>/json/version"
    QUrl probeUrl() const;

    // The top process of every running client instance.
    QList<ProcessInfo> runningClients() const;
    bool isClientRunning() const { return !runningClients().isEmpty(); }
    ProcessSource processSource() const { return m_processes; }

    // True when the probe URL answers HTTP 200 within the probe time-out.
    QCoro::Task<bool> isDebugPortOpen();
    // Starts the client with the launch argument, detached and with its
    // output discarded. Never starts a second instance: when one runs, does
    // nothing and reports success. False when the command cannot be started.
    QCoro::Task<bool> launch();
    QCoro::Task<bool> waitForDebugPort(int seconds);
    // Asks every running instance to quit (SIGTERM to its top process) and
    // waits briefly for them to go.
    QCoro::Task<> terminateAndWait();
    // The start-up step: returns whether the client is readable.
    QCoro::Task<bool> ensureClientRunning();

private:
    ClientCommand m_command;
    quint16 m_port;
    ProcessSource m_processes;
    ClientTimings m_timings;
    QNetworkAccessManager m_network;
};
