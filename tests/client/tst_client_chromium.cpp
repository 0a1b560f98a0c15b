// Starting, recognising, probing and quitting a real client: the table
// simulator in Chromium on a free loopback port, with a profile folder of its
// own as the marker.
#include "TestSupport.h"

#include "client/CWGMonitor.h"

#include <QSignalSpy>
#include <QTcpServer>

#include <csignal>

namespace {
quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

const QStringList chromiumFlags{QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                                QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
                                QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
                                QStringLiteral("--disable-sync")};

ClientTimings testTimings()
{
    ClientTimings t;
    t.pollInterval = std::chrono::milliseconds(500);
    t.watchInterval = std::chrono::milliseconds(200);
    t.quitPauses = 60; // Chromium takes 1-2 s to exit after SIGTERM
    return t;
}
} // namespace

class TestClientChromium : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_profile = 0;
    ClientCommand m_command;
    quint16 m_port = 0;

    ClientCommand commandFor(const QString &profile) const
    {
        ClientCommand command;
        command.program = QStringLiteral(TARNWICK_SOURCE_DIR "/tools/simulator/start-simulator.sh");
        command.arguments = {QStringLiteral("--headless"), QStringLiteral("--user-data-dir=") + profile};
        command.executableName = QStringLiteral("chromium");
        command.marker = QStringLiteral("--user-data-dir=") + profile;
        return command;
    }

    // Starts the client the way a user would: its browser on the simulator's
    // table, without the debugging port.
    qint64 startWithoutFlag(const ClientCommand &command)
    {
        QProcess process;
        process.setProgram(QStringLiteral("/usr/bin/chromium"));
        process.setArguments(QStringList(chromiumFlags)
                             << command.marker
                             << QStringLiteral("file://" TARNWICK_SOURCE_DIR "/tools/simulator/clubwpt-table.html?room_id=100001"));
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        qint64 pid = 0;
        process.startDetached(&pid);
        return pid;
    }

    int clientCount(const ClientCommand &command) const { return int(command.topProcesses(ProcessTable().snapshot()).size()); }

    static void killAll(const ClientCommand &command)
    {
        for (const ProcessInfo &p : ProcessTable().snapshot())
            if (command.matches(p))
                ::kill(pid_t(p.pid), SIGKILL);
    }

private Q_SLOTS:
    void init()
    {
        m_command = commandFor(m_dir.filePath(QStringLiteral("profile-%1").arg(++m_profile)));
        m_port = freePort();
    }

    void cleanup()
    {
        killAll(m_command);
        QTRY_COMPARE_WITH_TIMEOUT(clientCount(m_command), 0, 5000);
    }

    void ensureClientRunningLaunchesOnce()
    {
        ClientLauncher launcher(m_command, m_port, {}, testTimings());
        QVERIFY(!launcher.isClientRunning());
        QVERIFY(!QCoro::waitFor(launcher.isDebugPortOpen()));
        QVERIFY(QCoro::waitFor(launcher.ensureClientRunning()));
        QVERIFY(QCoro::waitFor(launcher.isDebugPortOpen()));
        QCOMPARE(clientCount(m_command), 1);
        // Already running: no second instance, and still readable.
        QVERIFY(QCoro::waitFor(launcher.launch()));
        QVERIFY(QCoro::waitFor(launcher.ensureClientRunning()));
        QTest::qWait(500);
        QCOMPARE(clientCount(m_command), 1);

        QCoro::waitFor(launcher.terminateAndWait());
        QCOMPARE(clientCount(m_command), 0);
    }

    void clientWithoutTheFlagIsNoFlagWithinOnePoll()
    {
        startWithoutFlag(m_command);
        QTRY_COMPARE_WITH_TIMEOUT(clientCount(m_command), 1, 5000);
        ClientLauncher launcher(m_command, m_port, {}, testTimings());
        CWGMonitor monitor(&launcher);
        monitor.start();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::noFlag, int(testTimings().pollInterval.count()) + 1500);
        // Left alone by start-up: it runs, so no launch, and it is not readable.
        QVERIFY(!QCoro::waitFor(launcher.ensureClientRunning()));
        QCOMPARE(clientCount(m_command), 1);
    }

    void launchNotificationThenReadyOrNoFlag()
    {
        ClientTimings timings = testTimings();
        timings.pollInterval = std::chrono::hours(1); // only notifications move the state here
        ClientLauncher launcher(m_command, m_port, {}, timings);
        CWGMonitor monitor(&launcher);
        QList<CWGMonitor::State> states;
        connect(&monitor, &CWGMonitor::stateChanged, this, [&](CWGMonitor::State s) { states.append(s); });
        monitor.start();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::offline, 2000);

        QVERIFY(QCoro::waitFor(launcher.launch()));
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::ready, 10000);
        QVERIFY(states.contains(CWGMonitor::State::attaching));
        QVERIFY(states.indexOf(CWGMonitor::State::attaching) < states.indexOf(CWGMonitor::State::ready));

        // The terminate notification gives offline long before any poll.
        states.clear();
        QCoro::waitFor(launcher.terminateAndWait());
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::offline, 3000);

        // Started without the flag: the probes run out.
        states.clear();
        startWithoutFlag(m_command);
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::noFlag, 15000);
        QCOMPARE(states.first(), CWGMonitor::State::attaching);
    }

    void restartFromNoFlagEndsReady()
    {
        startWithoutFlag(m_command);
        QTRY_COMPARE_WITH_TIMEOUT(clientCount(m_command), 1, 5000);
        ClientLauncher launcher(m_command, m_port, {}, testTimings());
        CWGMonitor monitor(&launcher);
        monitor.start();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::noFlag, 5000);
        QCoro::waitFor(monitor.restartTask());
        QCOMPARE(monitor.state(), CWGMonitor::State::ready);
        QVERIFY(QCoro::waitFor(launcher.isDebugPortOpen()));
        QCOMPARE(clientCount(m_command), 1);
    }

    // The user's own Chromium (same executable, no marker) is never counted
    // as the client and never asked to quit.
    void othersOfTheSameExecutableAreLeftAlone()
    {
        const ClientCommand stranger = commandFor(m_dir.filePath(QStringLiteral("stranger-%1").arg(m_profile)));
        const qint64 strangerPid = startWithoutFlag(stranger);
        QTRY_COMPARE_WITH_TIMEOUT(clientCount(stranger), 1, 5000);
        const qint64 strangerTop = stranger.topProcesses(ProcessTable().snapshot()).first().pid;
        Q_UNUSED(strangerPid);

        ClientLauncher launcher(m_command, m_port, {}, testTimings());
        QVERIFY(!launcher.isClientRunning());
        QCoro::waitFor(launcher.terminateAndWait());
        QVERIFY(QCoro::waitFor(launcher.ensureClientRunning())); // launches ours beside it
        QCoro::waitFor(launcher.terminateAndWait());
        // terminateAndWait() gives up after its pauses; a loaded machine may need longer.
        QTRY_COMPARE_WITH_TIMEOUT(clientCount(m_command), 0, 10000);
        QTest::qWait(300);
        QCOMPARE(clientCount(stranger), 1);
        QCOMPARE(stranger.topProcesses(ProcessTable().snapshot()).first().pid, strangerTop);
        killAll(stranger);
    }
};

TARNWICK_TEST_MAIN(TestClientChromium)
#include "tst_client_chromium.moc"
