// The monitor's rules with a process table and a DevTools endpoint the test
// controls: a fake process list and a local HTTP server.
#include "TestSupport.h"

#include "client/CWGMonitor.h"

#include <QHttpServer>
#include <QSignalSpy>
#include <QTcpServer>

namespace {
ProcessInfo process(qint64 pid, qint64 parent, const char *exe, QStringList args)
{
    return ProcessInfo{pid, parent, QString::fromLatin1(exe), args};
}

const QString marker = QStringLiteral("--user-data-dir=/tmp/tarnwick-client");

ClientCommand clientCommand()
{
    return ClientCommand::fromCommandLine(QStringLiteral("/usr/bin/chromium ") + marker, QStringLiteral("chromium"));
}

// A port nothing listens on.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

ClientTimings fastTimings()
{
    ClientTimings t;
    t.probeTimeout = std::chrono::milliseconds(200);
    t.portWaitStep = std::chrono::milliseconds(20);
    t.portWaitSeconds = 1;
    t.quitPause = std::chrono::milliseconds(10);
    t.pollInterval = std::chrono::milliseconds(150);
    t.launchProbes = 5;
    t.launchProbePause = std::chrono::milliseconds(20);
    t.watchInterval = std::chrono::milliseconds(50);
    return t;
}
} // namespace

class TestClientMonitor : public QObject {
    Q_OBJECT

    QList<ProcessInfo> m_processes;
    ProcessSource source()
    {
        return [this] { return m_processes; };
    }
    void clientRuns() { m_processes = {process(4242, 1, "/usr/lib/chromium/chromium", {QStringLiteral("chromium"), marker})}; }
    void clientQuits() { m_processes.clear(); }

    // An endpoint that answers the probe with 200.
    std::unique_ptr<QHttpServer> m_devtools;
    quint16 openPort()
    {
        m_devtools = std::make_unique<QHttpServer>();
        m_devtools->route(QStringLiteral("/json/version"), [] { return QStringLiteral("{\"Browser\":\"sim\"}"); });
        return m_devtools->listen(QHostAddress::LocalHost, 0);
    }

private Q_SLOTS:
    void init()
    {
        m_processes.clear();
        m_devtools.reset();
    }

    void recognisesOnlyTheClientsTopProcess_data()
    {
        QTest::addColumn<QList<ProcessInfo>>("processes");
        QTest::addColumn<QList<qint64>>("top");
        const QStringList withMarker{QStringLiteral("chromium"), marker};
        const QStringList withoutMarker{QStringLiteral("chromium"), QStringLiteral("--user-data-dir=/home/u/.config/chromium")};

        QTest::newRow("the client") << QList<ProcessInfo>{process(10, 1, "/usr/lib/chromium/chromium", withMarker)} << QList<qint64>{10};
        QTest::newRow("the user's own browser")
            << QList<ProcessInfo>{process(10, 1, "/usr/lib/chromium/chromium", withoutMarker)} << QList<qint64>{};
        QTest::newRow("another program with the marker")
            << QList<ProcessInfo>{process(10, 1, "/usr/bin/python3", withMarker)} << QList<qint64>{};
        QTest::newRow("helpers of the client are not top processes")
            << QList<ProcessInfo>{process(10, 7, "/usr/lib/chromium/chromium", withMarker),
                                  process(11, 10, "/usr/lib/chromium/chromium", withMarker),
                                  process(12, 11, "/usr/lib/chromium/chromium", withMarker),
                                  process(7, 1, "/bin/bash", withMarker)}
            << QList<qint64>{10};
        QTest::newRow("two instances") << QList<ProcessInfo>{process(10, 1, "/usr/lib/chromium/chromium", withMarker),
                                                             process(20, 1, "/usr/lib/chromium/chromium", withMarker)}
                                       << QList<qint64>{10, 20};
    }

    void recognisesOnlyTheClientsTopProcess()
    {
        QFETCH(QList<ProcessInfo>, processes);
        QFETCH(QList<qint64>, top);
        QList<qint64> pids;
        for (const ProcessInfo &p : clientCommand().topProcesses(processes))
            pids.append(p.pid);
        QCOMPARE(pids, top);
    }

    void readsTheProcessTable()
    {
        QTemporaryDir proc;
        auto makeProcess = [&](const char *pid, const char *exe, const QByteArray &stat, const QByteArray &cmdline) {
            const QString dir = proc.filePath(QString::fromLatin1(pid));
            QDir().mkpath(dir);
            QFile::link(QString::fromLatin1(exe), dir + QStringLiteral("/exe"));
            TestSupport::writeFile(dir + QStringLiteral("/stat"), stat);
            TestSupport::writeFile(dir + QStringLiteral("/cmdline"), cmdline);
        };
        makeProcess("321", "/usr/lib/chromium/chromium", "321 (chrom (x) ium) S 17 321 0", QByteArray("chromium\0--flag=a b\0", 20));
        makeProcess("kthreadd", "/nope", "2 (kthreadd) S 0", QByteArray());
        QDir().mkpath(proc.filePath(QStringLiteral("5"))); // no exe link: a kernel thread
        makeProcess("400", "/usr/bin/bash", "400 (bash) S 1", QByteArray("bash\0", 5));
        QCOMPARE(ProcessTable(proc.path()).snapshot().size(), 2);
        const QList<ProcessInfo> table = ProcessTable(proc.path()).snapshot(QStringLiteral("chromium"));
        QCOMPARE(table.size(), 1);
        QCOMPARE(table.first(), process(321, 17, "/usr/lib/chromium/chromium", {QStringLiteral("chromium"), QStringLiteral("--flag=a b")}));
        // The real table has this very process in it.
        bool foundSelf = false;
        for (const ProcessInfo &p : ProcessTable().snapshot())
            foundSelf |= p.pid == QCoreApplication::applicationPid();
        QVERIFY(foundSelf);
    }

    void configuredFromTheEnvironment()
    {
        qputenv(ClientCommand::commandVariable, "\"/opt/my client/run\" --user-data-dir=/tmp/p --x");
        const ClientCommand command = ClientCommand::configured();
        qunsetenv(ClientCommand::commandVariable);
        QCOMPARE(command.program, QStringLiteral("/opt/my client/run"));
        QCOMPARE(command.arguments, (QStringList{QStringLiteral("--user-data-dir=/tmp/p"), QStringLiteral("--x")}));
        QCOMPARE(command.executableName, QStringLiteral("run"));
        QCOMPARE(command.marker, QStringLiteral("--user-data-dir=/tmp/p"));

        const ClientCommand fallback = ClientCommand::configured();
        QCOMPARE(fallback.executableName, QStringLiteral("chromium"));
        QVERIFY(fallback.program.endsWith(QLatin1String("start-simulator.sh")));
        QVERIFY(fallback.marker.startsWith(QLatin1String("--user-data-dir=")));
    }

    void watcherReportsLaunchesAndTerminations()
    {
        ProcessWatcher watcher(clientCommand(), source(), std::chrono::milliseconds(1000));
        QSignalSpy launched(&watcher, &ProcessWatcher::clientLaunched);
        QSignalSpy terminated(&watcher, &ProcessWatcher::clientTerminated);
        clientRuns();
        watcher.start(); // what runs at the start is the baseline
        watcher.check();
        QCOMPARE(launched.size(), 0);
        clientQuits();
        watcher.check();
        QCOMPARE(terminated.size(), 1);
        QCOMPARE(terminated.first().first().toLongLong(), 4242);
        m_processes = {process(99, 1, "/usr/lib/chromium/chromium", {QStringLiteral("chromium")})}; // not ours
        watcher.check();
        QCOMPARE(launched.size(), 0);
        clientRuns();
        watcher.check();
        QCOMPARE(launched.size(), 1);
    }

    void startTwiceKeepsOneLoopAndOneWatcher()
    {
        ClientLauncher launcher(clientCommand(), closedPort(), source(), fastTimings());
        CWGMonitor monitor(&launcher);
        monitor.start();
        monitor.start();
        QCOMPARE(monitor.pollLoopCount(), 1);
        QVERIFY(monitor.watcher()->isRunning());
        QCOMPARE(monitor.findChildren<ProcessWatcher *>().size(), 1);
    }

    void pollClassifiesTheClient()
    {
        ClientLauncher launcher(clientCommand(), closedPort(), source(), fastTimings());
        CWGMonitor monitor(&launcher);
        clientRuns();
        monitor.start();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::noFlag, 1000);

        ClientLauncher open(clientCommand(), openPort(), source(), fastTimings());
        CWGMonitor readyMonitor(&open);
        readyMonitor.start();
        QTRY_COMPARE_WITH_TIMEOUT(readyMonitor.state(), CWGMonitor::State::ready, 1000);
    }

    void launchNotificationAttachesThenSettles()
    {
        const quint16 port = openPort();
        ClientTimings timings = fastTimings();
        timings.pollInterval = std::chrono::hours(1); // only notifications move the state here
        ClientLauncher launcher(clientCommand(), port, source(), timings);
        CWGMonitor monitor(&launcher);
        QSignalSpy changes(&monitor, &CWGMonitor::stateChanged);
        monitor.start();
        QTest::qWait(300); // let the first poll (client not running) finish
        QCOMPARE(monitor.state(), CWGMonitor::State::offline);
        clientRuns();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::ready, 2000);
        QCOMPARE(changes.first().first().value<CWGMonitor::State>(), CWGMonitor::State::attaching);

        // Without the port, the probes run out and the client has no flag.
        clientQuits();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::offline, 1000);
        m_devtools.reset();
        changes.clear();
        clientRuns();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::noFlag, 3000);
        QCOMPARE(changes.first().first().value<CWGMonitor::State>(), CWGMonitor::State::attaching);
    }

    void attachingIsLeftAloneByThePoll()
    {
        ClientTimings timings = fastTimings();
        timings.launchProbes = 1000; // the launch handling keeps probing a silent port
        ClientLauncher launcher(clientCommand(), closedPort(), source(), timings);
        CWGMonitor monitor(&launcher);
        monitor.start();
        clientRuns();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::attaching, 1000);
        // Several poll intervals pass: the poll must neither probe nor reclassify.
        QTest::qWait(3 * int(timings.pollInterval.count()));
        QCOMPARE(monitor.state(), CWGMonitor::State::attaching);
    }

    void terminationGivesOfflineBeforeThePoll()
    {
        ClientTimings timings = fastTimings();
        timings.pollInterval = std::chrono::hours(1);
        ClientLauncher launcher(clientCommand(), openPort(), source(), timings);
        CWGMonitor monitor(&launcher);
        clientRuns();
        monitor.start();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::ready, 1000);
        clientQuits();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::offline, 1000);
    }

    void restartWithACommandThatDoesNotExistEndsOffline()
    {
        ClientLauncher launcher(ClientCommand::fromCommandLine(QStringLiteral("/nonexistent/tarnwick-client ") + marker),
                                closedPort(), source(), fastTimings());
        CWGMonitor monitor(&launcher);
        QSignalSpy changes(&monitor, &CWGMonitor::stateChanged);
        monitor.restart();
        QTRY_COMPARE_WITH_TIMEOUT(monitor.state(), CWGMonitor::State::offline, 2000);
        QCOMPARE(changes.first().first().value<CWGMonitor::State>(), CWGMonitor::State::attaching);
    }
};

TARNWICK_TEST_MAIN(TestClientMonitor)
#include "tst_client_monitor.moc"
