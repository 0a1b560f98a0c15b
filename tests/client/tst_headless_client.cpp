// What a user sees on a machine without the real poker client: headless mode
// starts the default client (the table simulator in Chromium), reaches
// "ready" and lists the simulator's tables; with --no-launch it only watches.
#include "TestSupport.h"

#include "client/ClientCommand.h"
#include "client/ProcessTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>

#include <csignal>

class TestHeadlessClient : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QProcess m_program;
    QList<QJsonObject> m_events;
    QString m_cache;

    // The default client's profile lives in the cache folder given to the program.
    ClientCommand defaultClient() const
    {
        ClientCommand command;
        command.executableName = QStringLiteral("chromium");
        command.marker = QStringLiteral("--user-data-dir=") + m_cache + QStringLiteral("/Tarnwick/client-profile");
        return command;
    }

    int clientCount() const { return int(defaultClient().topProcesses(ProcessTable().snapshot(QStringLiteral("chromium"))).size()); }

    void killClients() const
    {
        for (const ProcessInfo &p : ProcessTable().snapshot(QStringLiteral("chromium")))
            if (defaultClient().matches(p))
                ::kill(pid_t(p.pid), SIGKILL);
    }

    QStringList monitorStates() const
    {
        QStringList states;
        for (const QJsonObject &event : m_events)
            if (event.value(QLatin1String("event")).toString() == QLatin1String("monitor"))
                states.append(event.value(QLatin1String("state")).toString());
        return states;
    }

    QStringList lastLiveTables() const
    {
        for (auto it = m_events.crbegin(); it != m_events.crend(); ++it)
            if (it->value(QLatin1String("event")).toString() == QLatin1String("liveTables")) {
                QStringList ids;
                for (const QJsonValue &v : it->value(QLatin1String("tableIDs")).toArray())
                    ids.append(v.toString());
                ids.sort();
                return ids;
            }
        return {};
    }

    void startProgram(const QStringList &extra)
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();

        m_events.clear();
        connect(&m_program, &QProcess::readyReadStandardOutput, this, [this] {
            while (m_program.canReadLine()) {
                const QJsonDocument line = QJsonDocument::fromJson(m_program.readLine());
                if (line.isObject())
                    m_events.append(line.object());
            }
        });
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QLatin1String(ClientCommand::commandVariable));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_cache);
        m_program.setProcessEnvironment(environment);
        m_program.setStandardErrorFile(m_dir.filePath(QStringLiteral("stderr.log")));
        m_program.start(QStringLiteral(TARNWICK_BINARY), QStringList{QStringLiteral("--headless"), QStringLiteral("--port"),
                                                                     QString::number(port), QStringLiteral("--data-dir"),
                                                                     m_dir.filePath(QStringLiteral("data"))}
                                                             + extra);
        QVERIFY(m_program.waitForStarted(5000));
    }

    void stopProgram()
    {
        if (m_program.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_program.processId()), SIGTERM);
        QVERIFY(m_program.waitForFinished(10000));
        QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_program.exitCode(), 0);
        disconnect(&m_program, nullptr, this, nullptr);
    }

private Q_SLOTS:
    void init() { m_cache = m_dir.filePath(QStringLiteral("cache-%1").arg(QTest::currentTestFunction())); }

    void cleanup()
    {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(5000);
        }
        disconnect(&m_program, nullptr, this, nullptr);
        killClients();
        QTRY_COMPARE_WITH_TIMEOUT(clientCount(), 0, 5000);
    }

    void startsTheSimulatorAndReadsItsTables()
    {
        startProgram({});
        QTRY_VERIFY_WITH_TIMEOUT(monitorStates().contains(QLatin1String("ready")), 20000);
        QCOMPARE(monitorStates().first(), QStringLiteral("offline"));
        QTRY_COMPARE_WITH_TIMEOUT(lastLiveTables(), (QStringList{QStringLiteral("100001"), QStringLiteral("200002")}), 20000);
        QCOMPARE(clientCount(), 1);
        stopProgram();
        // The client outlives the program, as a poker client would.
        QCOMPARE(clientCount(), 1);
    }

    void noLaunchOnlyWatches()
    {
        startProgram({QStringLiteral("--no-launch")});
        QTRY_VERIFY_WITH_TIMEOUT(!monitorStates().isEmpty(), 5000);
        QTest::qWait(4000); // longer than a poll
        QCOMPARE(monitorStates(), QStringList{QStringLiteral("offline")});
        QCOMPARE(clientCount(), 0);
        stopProgram();
    }
};

TARNWICK_TEST_MAIN(TestHeadlessClient)
#include "tst_headless_client.moc"
