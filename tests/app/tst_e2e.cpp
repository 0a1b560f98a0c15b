#include "ReaderTestSupport.h"
#include "TestSupport.h"
#include "reader/CDPClient.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>

#include <csignal>

// The real program with its window on an X server (Xvfb), reading the
// table simulator in real Chromium; the test looks at the program through
// its object-tree socket.
class TestEndToEnd : public QObject {
    Q_OBJECT

    SimulatorBrowser browser;
    QTemporaryDir home;
    QProcess program;
    QString socketName;
    QString tableURL;

    QJsonArray tree()
    {
        QLocalSocket socket;
        socket.connectToServer(socketName);
        if (!socket.waitForConnected(1000))
            return {};
        QByteArray bytes;
        while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(1000))
            bytes += socket.readAll();
        bytes += socket.readAll();
        return QJsonDocument::fromJson(bytes).array();
    }

    QJsonObject item(const QString &objectName)
    {
        for (const QJsonValue &value : tree())
            if (value.toObject().value("objectName").toString() == objectName)
                return value.toObject();
        return {};
    }

    // The table's rows by player name.
    QHash<QString, QJsonObject> rows()
    {
        QHash<QString, QJsonObject> found;
        for (const QJsonValue &value : tree()) {
            const QJsonObject object = value.toObject();
            if (object.value("objectName").toString().endsWith(QStringLiteral("|NLHE Ring|601")))
                found.insert(object.value("playerName").toString(), object);
        }
        return found;
    }

    bool sectionShown() { return !item(QStringLiteral("section_NLHE Ring|601")).isEmpty(); }
    bool emptyStateShown() { return item(QStringLiteral("emptyState")).value("effectivelyVisible").toBool(); }

    std::shared_ptr<CDPClient> page()
    {
        for (const CDPTarget &target : browser.pages()) {
            if (target.url.contains(QStringLiteral("room_id=601"))) {
                auto client = std::make_shared<CDPClient>(QUrl(target.webSocketDebuggerUrl));
                client->connect();
                return client;
            }
        }
        return nullptr;
    }

    bool run(const std::shared_ptr<CDPClient> &client, const QString &expression)
    {
        const auto result = awaitTask(client->evaluate(expression));
        return result && result->ok();
    }

    bool simulatorReady(const std::shared_ptr<CDPClient> &client)
    {
        const auto result = awaitTask(client->evaluate(QStringLiteral("typeof sim === 'object'")));
        return result && result->ok() && result->value() && result->value()->toBool();
    }

    static QString popup(const QString &name, int id, int hands)
    {
        return QStringLiteral("sim.openRingPopup({name: '%1', id: %2, vpip: '27%', pfr: '14%', hands: '%3'})")
            .arg(name)
            .arg(id)
            .arg(hands);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!QFileInfo(QStringLiteral("/usr/bin/chromium")).isExecutable())
            QSKIP("Chromium is not installed (tools/setup-debian.sh installs it)");
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X server (runs under xvfb-run)");
        tableURL = SimulatorBrowser::pageURL(QStringLiteral("room_id=601&game_id=1&blind=Blinds%200.5%2F1"));
        QVERIFY(browser.start({tableURL}));

        socketName = QStringLiteral("tarnwick-e2e-%1").arg(QCoreApplication::applicationPid());
        const QString runtime = home.filePath(QStringLiteral("runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        environment.insert(QStringLiteral("TARNWICK_INSPECT_SOCKET"), socketName);
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.setStandardOutputFile(home.filePath(QStringLiteral("program.log")));
        program.start(QStringLiteral(TARNWICK_BINARY),
                      {QStringLiteral("--no-launch"), QStringLiteral("--port"), QString::number(browser.port()),
                       QStringLiteral("--data-dir"), home.filePath(QStringLiteral("tarnwick"))});
        QVERIFY(program.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(!tree().isEmpty(), 10000);
    }

    void cleanupTestCase()
    {
        if (program.state() != QProcess::NotRunning) {
            ::kill(pid_t(program.processId()), SIGTERM);
            if (!program.waitForFinished(5000))
                program.kill();
        }
        browser.stop();
    }

    // Opponent A, then B, each read twice (the second reading stores a new
    // record): the section lists both with B's editor open.
    void readsTwoOpponentsAtOneTable()
    {
        auto client = page();
        QVERIFY(client);
        QTRY_VERIFY_WITH_TIMEOUT(simulatorReady(client), 10000);
        QVERIFY(run(client, popup(QStringLiteral("Alice"), 7001, 100)));
        QTest::qWait(2200);
        QVERIFY(run(client, popup(QStringLiteral("Alice"), 7001, 101)));
        QTRY_VERIFY_WITH_TIMEOUT(rows().contains(QStringLiteral("Alice")), 5000);
        QVERIFY(run(client, popup(QStringLiteral("Bruno"), 7002, 200)));
        QTest::qWait(2200);
        QVERIFY(run(client, popup(QStringLiteral("Bruno"), 7002, 201)));
        QTRY_VERIFY_WITH_TIMEOUT(rows().contains(QStringLiteral("Bruno")), 5000);

        QVERIFY(sectionShown());
        QTRY_VERIFY_WITH_TIMEOUT(rows().value(QStringLiteral("Bruno")).value("isExpanded").toBool(), 3000);
        QVERIFY(!rows().value(QStringLiteral("Alice")).value("isExpanded").toBool());
        QVERIFY(!emptyStateShown());
        client->disconnect();
    }

    void closingThePageEmptiesTheSidebar()
    {
        const auto pages = browser.pages();
        QCOMPARE(pages.size(), 1);
        QVERIFY(browser.closePage(pages.first().id));
        QTRY_VERIFY_WITH_TIMEOUT(!sectionShown(), 6000);
        QTRY_VERIFY_WITH_TIMEOUT(emptyStateShown(), 3000);
    }

    // Back at the same room, A is read again: A is active, B dimmed.
    void reopeningTheRoomShowsWhoIsBack()
    {
        QVERIFY(browser.openPage(tableURL));
        auto client = page();
        QVERIFY(client);
        QTRY_VERIFY_WITH_TIMEOUT(simulatorReady(client), 10000);
        QVERIFY(run(client, popup(QStringLiteral("Alice"), 7001, 102)));
        QTRY_VERIFY_WITH_TIMEOUT(sectionShown(), 6000);
        QTRY_COMPARE_WITH_TIMEOUT(rows().size(), 2, 3000);
        QCOMPARE(rows().value(QStringLiteral("Alice")).value("opacity").toDouble(), 1.0);
        QCOMPARE(rows().value(QStringLiteral("Bruno")).value("opacity").toDouble(), 0.4);
        QVERIFY(rows().value(QStringLiteral("Alice")).value("isExpanded").toBool());
        client->disconnect();
    }

    void sigtermEndsWithStatusZero()
    {
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

TARNWICK_TEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
