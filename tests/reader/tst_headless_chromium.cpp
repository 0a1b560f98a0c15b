#include "ReaderTestSupport.h"
#include "TestSupport.h"
#include "reader/CDPClient.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <csignal>

// The whole pipeline: the real tarnwick binary in headless mode reading
// real Chromium with the table simulator, its events on stdout and its data
// files on disk.
class TestHeadlessChromium : public QObject {
    Q_OBJECT

    SimulatorBrowser browser;
    QTemporaryDir dataDir;
    QProcess program;
    QList<QJsonObject> events;
    QByteArray pendingOutput;

    QList<QJsonObject> eventsNamed(const QString &name) const
    {
        QList<QJsonObject> found;
        for (const QJsonObject &event : events) {
            if (event.value("event").toString() == name)
                found.append(event);
        }
        return found;
    }

    bool liveTablesInclude(const QString &table) const
    {
        const auto live = eventsNamed("liveTables");
        return !live.isEmpty() && live.last().value("tableIDs").toArray().contains(table);
    }

    std::shared_ptr<CDPClient> pageClient(const QString &roomID)
    {
        for (const CDPTarget &page : browser.pages()) {
            if (page.url.contains(QStringLiteral("room_id=") + roomID)) {
                auto client = std::make_shared<CDPClient>(QUrl(page.webSocketDebuggerUrl));
                client->connect();
                return client;
            }
        }
        return nullptr;
    }

    bool run(const std::shared_ptr<CDPClient> &client, const QString &expression)
    {
        const auto result = awaitTask(client->evaluate(expression));
        if (result && !result->ok())
            qWarning() << "evaluation failed:" << result->error().description();
        return result && result->ok();
    }

    bool simulatorReady(const std::shared_ptr<CDPClient> &client)
    {
        const auto result = awaitTask(client->evaluate(QStringLiteral("typeof sim === 'object'")));
        return result && result->ok() && result->value() && result->value()->toBool();
    }

    QJsonDocument dataFile(const QString &name) const
    {
        return QJsonDocument::fromJson(TestSupport::readFile(dataDir.filePath(name)));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!QFileInfo(QStringLiteral("/usr/bin/chromium")).isExecutable())
            QSKIP("Chromium is not installed (tools/setup-debian.sh installs it)");
        QVERIFY(browser.start({SimulatorBrowser::pageURL(QStringLiteral("room_id=301&game_id=1&blind=Blinds%205%2F10"))}));

        connect(&program, &QProcess::readyReadStandardOutput, this, [this] {
            pendingOutput += program.readAllStandardOutput();
            qsizetype end;
            while ((end = pendingOutput.indexOf('\n')) >= 0) {
                const QByteArray line = pendingOutput.left(end);
                pendingOutput.remove(0, end + 1);
                QJsonParseError error;
                const QJsonDocument document = QJsonDocument::fromJson(line, &error);
                // stdout carries nothing but events.
                QVERIFY2(document.isObject(), line.constData());
                events.append(document.object());
            }
        });
        program.setProcessChannelMode(QProcess::SeparateChannels);
        program.setStandardErrorFile(dataDir.filePath(QStringLiteral("stderr.log")));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TARNWICK_BINARY),
                      {QStringLiteral("--headless"), QStringLiteral("--no-launch"), QStringLiteral("--port"), QString::number(browser.port()),
                       QStringLiteral("--data-dir"), dataDir.path()});
        QVERIFY(program.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(liveTablesInclude(QStringLiteral("301")), 10000);
    }

    void cleanupTestCase()
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
        browser.stop();
    }

    void popupsBecomeObservations()
    {
        const auto page = pageClient(QStringLiteral("301"));
        QVERIFY(page);
        QTRY_VERIFY_WITH_TIMEOUT(simulatorReady(page), 10000);
        QVERIFY(eventsNamed("observation").isEmpty());
        QVERIFY(run(page, QStringLiteral("sim.openRingPopup({name: 'Rex', id: 4455667, vpip: '31%', pfr: '22%', hands: '150'})")));
        // Within two ticks (one second apart, plus the time a tick takes).
        QTRY_COMPARE_WITH_TIMEOUT(eventsNamed("observation").size(), 1, 3500);
        const QJsonObject observation = eventsNamed("observation").first();
        QCOMPARE(observation.value("name").toString(), QStringLiteral("Rex"));
        QCOMPARE(observation.value("playerId").toInteger(), 4455667);
        QCOMPARE(observation.value("tableID").toString(), QStringLiteral("301"));
        QCOMPARE(observation.value("tableTitle").toString(), QStringLiteral("Blinds 5/10"));
        QCOMPARE(observation.value("stats").toObject().value("vpip").toDouble(), 31.0);
        QCOMPARE(observation.value("stats").toObject().value("hands").toInteger(), 150);
        QCOMPARE(observation.value("confidence").toDouble(), 1.0);
        QCOMPARE(observation.value("needsConfirmation").toBool(), false);
        // The first sighting waits for confirmation: not in the file yet.
        QVERIFY(!dataFile(QStringLiteral("players.json")).array().size());

        // Kept open: no more observations.
        QTest::qWait(2500);
        QCOMPARE(eventsNamed("observation").size(), 1);

        // New figures: a second observation, which confirms the record.
        QVERIFY(run(page, QStringLiteral("sim.openRingPopup({name: 'Rex', id: 4455667, vpip: '31%', pfr: '22%', hands: '151'})")));
        QTRY_COMPARE_WITH_TIMEOUT(eventsNamed("observation").size(), 2, 3500);
        QCOMPARE(eventsNamed("observation").last().value("stats").toObject().value("hands").toInteger(), 151);
        const QJsonArray players = dataFile(QStringLiteral("players.json")).array();
        QCOMPARE(players.size(), 1);
        QCOMPARE(players.at(0).toObject().value("name").toString(), QStringLiteral("Rex"));
        QCOMPARE(players.at(0).toObject().value("playerId").toInteger(), 4455667);
        QCOMPARE(players.at(0).toObject().value("stats").toObject().value("hands").toInteger(), 151);
        page->disconnect();
    }

    void blindLabelBecomesTheTitle()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!eventsNamed("titles").isEmpty(), 3000);
        QCOMPARE(eventsNamed("titles").last().value("titles").toObject().value("NLHE Ring|301").toString(),
                 QStringLiteral("Blinds 5/10"));
        QTRY_COMPARE_WITH_TIMEOUT(
            dataFile(QStringLiteral("table-titles.json")).object().value("NLHE Ring|301").toString(),
            QStringLiteral("Blinds 5/10"), 3000);
    }

    void closingAPageClosesItsTable()
    {
        const auto opened = browser.openPage(SimulatorBrowser::pageURL(QStringLiteral("room_id=302&game_id=90")));
        QVERIFY(opened);
        QTRY_VERIFY_WITH_TIMEOUT(liveTablesInclude(QStringLiteral("302")), 5000);
        QVERIFY(eventsNamed("closedTables").isEmpty());
        QVERIFY(browser.closePage(opened->id));
        QTRY_COMPARE_WITH_TIMEOUT(eventsNamed("closedTables").size(), 1, 5000);
        QCOMPARE(eventsNamed("closedTables").first().value("tableIDs").toArray(), QJsonArray{"302"});
        QVERIFY(liveTablesInclude(QStringLiteral("301")));
        QVERIFY(!liveTablesInclude(QStringLiteral("302")));
    }

    void sigtermEndsWithStatusZero()
    {
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        // Log lines went to stderr, not among the events.
        QVERIFY(TestSupport::readFile(dataDir.filePath(QStringLiteral("stderr.log"))).contains("Headless: reading"));
    }
};

TARNWICK_TEST_MAIN(TestHeadlessChromium)
#include "tst_headless_chromium.moc"
