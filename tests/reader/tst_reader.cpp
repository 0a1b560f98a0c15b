#include "ReaderTestSupport.h"
#include "TestSupport.h"
#include "reader/CDPPlayerReader.h"
#include "services/Analytics.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

using namespace std::chrono_literals;
using TestSupport::RecordingAnalytics;

Q_DECLARE_METATYPE(TableParameters)

namespace {
QString table(const QString &query) { return QStringLiteral("https://web.clubwpt.com/table/index.html?") + query; }

QJsonObject snapshotJson(const QJsonValue &popup, const QJsonValue &blind = QJsonValue::Null,
                         const QJsonValue &roomName = QJsonValue::Null, bool hasFocus = false)
{
    return QJsonObject{{"popup", popup}, {"blind", blind}, {"roomName", roomName}, {"hasFocus", hasFocus}};
}

QJsonObject ringPopup(const QString &name, qint64 id, int vpip, int pfr, int hands)
{
    return QJsonObject{{"kind", "ring"}, {"name", name}, {"playerId", id}, {"vpip", vpip}, {"pfr", pfr}, {"hands", hands}};
}

ReaderOptions optionsFor(const FakeDevTools &devTools)
{
    ReaderOptions options;
    options.port = devTools.httpPort();
    options.tickInterval = 50ms;
    options.requestTimeout = 500ms;
    return options;
}

bool tick(CDPPlayerReader &reader) { return awaitTask(reader.tick()); }
} // namespace

class TestReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        CDPPlayerReader::resetParseFailureReportForTesting();
        Analytics::resetForTesting();
    }

    void urlRules_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<TableParameters>("expected");
        QTest::addColumn<QString>("gameType");
        using P = TableParameters;
        QTest::newRow("PLO tournament") << table("mtt_token=abc&room_id=9876&mtt_game_mode=4")
                                        << P{CDPMode::tournament, "9876", {}, 4} << "PLO Tournament";
        QTest::newRow("NLHE tournament") << table("mtt_token=abc&room_id=9876&mtt_game_mode=1")
                                         << P{CDPMode::tournament, "9876", {}, 1} << "NLHE Tournament";
        QTest::newRow("empty token still tournament") << table("mtt_token&room_id=1&game_id=90")
                                                      << P{CDPMode::tournament, "1", 90, {}} << "NLHE Tournament";
        QTest::newRow("PLO ring") << table("room_id=55&game_id=90") << P{CDPMode::ring, "55", 90, {}} << "PLO Ring";
        QTest::newRow("signed game id") << table("room_id=55&game_id=%2B90") << P{CDPMode::ring, "55", 90, {}}
                                        << "PLO Ring";
        QTest::newRow("plus sign raw") << table("room_id=55&game_id=+90") << P{CDPMode::ring, "55", 90, {}}
                                       << "PLO Ring";
        QTest::newRow("not a number") << table("room_id=55&game_id=9a") << P{CDPMode::ring, "55", {}, {}}
                                      << "NLHE Ring";
        QTest::newRow("spaces are not a number") << table("room_id=55&game_id=%2090") << P{CDPMode::ring, "55", {}, {}}
                                                 << "NLHE Ring";
        QTest::newRow("mode 4 on a ring page") << table("room_id=5&mtt_game_mode=4") << P{CDPMode::ring, "5", {}, 4}
                                               << "NLHE Ring";
        QTest::newRow("first parameter counts") << table("room_id=1&room_id=2&game_id=90&game_id=1")
                                                << P{CDPMode::ring, "1", 90, {}} << "PLO Ring";
        QTest::newRow("valueless room") << table("room_id&game_id=-7") << P{CDPMode::ring, "", -7, {}} << "NLHE Ring";
        QTest::newRow("no query") << QStringLiteral("https://web.clubwpt.com/lobby") << P{} << "NLHE Ring";
        QTest::newRow("name must match exactly") << table("Room_ID=3&xroom_id=4") << P{} << "NLHE Ring";
        QTest::newRow("decoded value") << table("room_id=a%20b") << P{CDPMode::ring, "a b", {}, {}} << "NLHE Ring";
        QTest::newRow("too big") << table("room_id=1&game_id=99999999999999999999") << P{CDPMode::ring, "1", {}, {}}
                                 << "NLHE Ring";
    }

    void urlRules()
    {
        QFETCH(QString, url);
        QFETCH(TableParameters, expected);
        QFETCH(QString, gameType);
        const TableParameters parameters = tableParameters(url);
        QCOMPARE(int(parameters.mode), int(expected.mode));
        QCOMPARE(parameters.tableID, expected.tableID);
        QCOMPARE(parameters.gameIDRaw, expected.gameIDRaw);
        QCOMPARE(parameters.mttGameMode, expected.mttGameMode);
        QCOMPARE(parameters.gameType().id(), gameType);

        const auto session = TargetSession::create(CDPTarget{"T", "page", "", url, "ws://127.0.0.1:9/x"});
        QCOMPARE(session->tableID, expected.tableID);
        QCOMPARE(session->gameType().id(), gameType);
    }

    void socketURLs_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("used");
        const QString silent = QString::fromLatin1(silentSocketURL);
        QTest::newRow("chromium") << "ws://127.0.0.1:9222/devtools/page/AB" << "ws://127.0.0.1:9222/devtools/page/AB";
        QTest::newRow("localhost") << "ws://localhost:9222/devtools/page/AB" << "ws://localhost:9222/devtools/page/AB";
        QTest::newRow("loopback range") << "ws://127.8.0.1:1/x" << "ws://127.8.0.1:1/x";
        QTest::newRow("ipv6 loopback") << "ws://[::1]:9222/x" << "ws://[::1]:9222/x";
        QTest::newRow("other host") << "ws://192.168.1.5:9222/devtools/page/AB" << silent;
        QTest::newRow("named host") << "wss://example.com/devtools" << silent;
        QTest::newRow("not a socket") << "http://127.0.0.1:9222/json" << silent;
        QTest::newRow("empty") << "" << silent;
        QTest::newRow("garbage") << "ws://127.0.0.1:99999999/x" << silent;
    }

    void socketURLs()
    {
        QFETCH(QString, given);
        QFETCH(QString, used);
        QCOMPARE(debuggerSocketURL(given).toString(), used);
    }

    // Odd ticks list the pages before evaluating; even ticks only evaluate.
    void tickListsPagesOnOddTicks()
    {
        FakeDevTools devTools;
        devTools.addPage("A", table("room_id=1"));
        devTools.setResult("A", snapshotJson(QJsonValue::Null));
        CDPPlayerReader reader(optionsFor(devTools));
        QVERIFY(tick(reader));
        QCOMPARE(devTools.listRequests(), 1);
        QCOMPARE(devTools.evaluations("A"), 1);
        QCOMPARE(reader.liveTableIDs(), QStringList{"1"});
        QVERIFY(tick(reader));
        QCOMPARE(devTools.listRequests(), 1);
        QCOMPARE(devTools.evaluations("A"), 2);
        QVERIFY(tick(reader));
        QCOMPARE(devTools.listRequests(), 2);
        QCOMPARE(reader.tickCount(), 3);
    }

    void popupsBecomeObservations()
    {
        FakeDevTools devTools;
        devTools.addPage("A", table("room_id=55&game_id=90"));
        devTools.setResult("A", snapshotJson(ringPopup("Ann", 42, 23, 17, 100), "Blinds 1/2"));
        CDPPlayerReader reader(optionsFor(devTools));
        QSignalSpy scans(&reader, &PlayerReader::scanCountChanged);
        QVERIFY(tick(reader));
        QCOMPARE(reader.scanCount(), 1);
        PlayerObservation expected;
        expected.name = "Ann";
        expected.stats = PlayerStats{23, 17, 100};
        expected.gameType = GameType{GameVariant::plo, GameMode::ring};
        expected.tableID = "55";
        expected.tableTitle = "Blinds 1/2";
        expected.playerId = 42;
        QCOMPARE(reader.lastObservation(), std::optional(expected));

        // Open for several ticks: one observation.
        QVERIFY(tick(reader));
        QVERIFY(tick(reader));
        QCOMPARE(reader.scanCount(), 1);

        // New figures while open: a second one.
        devTools.setResult("A", snapshotJson(ringPopup("Ann", 42, 23, 17, 101), "Blinds 1/2"));
        QVERIFY(tick(reader));
        QCOMPARE(reader.scanCount(), 2);
        QCOMPARE(reader.lastObservation()->stats->hands, 101);

        // Closed, then opened again: a third.
        devTools.setResult("A", snapshotJson(QJsonValue::Null, "Blinds 1/2"));
        QVERIFY(tick(reader));
        devTools.setResult("A", snapshotJson(ringPopup("Ann", 42, 23, 17, 101), "Blinds 1/2"));
        QVERIFY(tick(reader));
        QCOMPARE(reader.scanCount(), 3);
        QCOMPARE(scans.count(), 3);

        // A popup that does not decode (no VPIP) yields nothing and counts as
        // no popup.
        QJsonObject broken = ringPopup("Ann", 42, 23, 17, 101);
        broken.insert("vpip", QJsonValue::Null);
        devTools.setResult("A", snapshotJson(broken));
        QVERIFY(tick(reader));
        QCOMPARE(reader.scanCount(), 3);
        QVERIFY(!reader.session("A")->lastPopupSignature);
    }

    void observationTitles_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QJsonValue>("blind");
        QTest::addColumn<QJsonValue>("room");
        QTest::addColumn<QString>("title");
        QTest::newRow("tournament room name") << "room_id=9&mtt_token=x" << QJsonValue("1/2") << QJsonValue("Sunday")
                                              << "Sunday";
        QTest::newRow("tournament without room") << "room_id=9&mtt_token=x" << QJsonValue("1/2")
                                                 << QJsonValue(QJsonValue::Null) << "1/2";
        QTest::newRow("ring ignores room") << "room_id=9" << QJsonValue("1/2") << QJsonValue("Sunday") << "1/2";
        QTest::newRow("nothing: table id") << "room_id=9" << QJsonValue("") << QJsonValue(QJsonValue::Null) << "9";
        QTest::newRow("no room id") << "game_id=1" << QJsonValue(QJsonValue::Null) << QJsonValue(QJsonValue::Null)
                                    << "";
    }

    void observationTitles()
    {
        QFETCH(QString, query);
        QFETCH(QJsonValue, blind);
        QFETCH(QJsonValue, room);
        QFETCH(QString, title);
        FakeDevTools devTools;
        devTools.addPage("A", table(query));
        devTools.setResult("A", snapshotJson(ringPopup("Bo", 1, 1, 1, 1), blind, room));
        CDPPlayerReader reader(optionsFor(devTools));
        QVERIFY(tick(reader));
        QVERIFY(reader.lastObservation());
        QCOMPARE(reader.lastObservation()->tableTitle, title);
    }

    // The first title a session publishes is final; a page without a table
    // ID never gets one.
    void tableTitles()
    {
        FakeDevTools devTools;
        devTools.addPage("R", table("room_id=5"));
        devTools.addPage("T", table("room_id=6&mtt_token=x&mtt_game_mode=4"));
        devTools.addPage("L", table("lobby=1"));
        devTools.setResult("R", snapshotJson(QJsonValue::Null, "Blinds 1/2", "Ignored"));
        devTools.setResult("T", snapshotJson(QJsonValue::Null, "Blinds", ""));
        devTools.setResult("L", snapshotJson(QJsonValue::Null, "Lobby", "Lobby"));
        CDPPlayerReader reader(optionsFor(devTools));
        QSignalSpy titles(&reader, &PlayerReader::tableTitlesChanged);
        QVERIFY(tick(reader));
        QCOMPARE(reader.tableTitles(), (QMap<QString, QString>{{"NLHE Ring|5", "Blinds 1/2"}}));

        devTools.setResult("R", snapshotJson(QJsonValue::Null, "Blinds 2/4"));
        devTools.setResult("T", snapshotJson(QJsonValue::Null, "Blinds", "Big  Game"));
        QVERIFY(tick(reader));
        devTools.setResult("T", snapshotJson(QJsonValue::Null, "Blinds", "Other"));
        QVERIFY(tick(reader));
        QCOMPARE(reader.tableTitles(),
                 (QMap<QString, QString>{{"NLHE Ring|5", "Blinds 1/2"}, {"PLO Tournament|6", "Big  Game"}}));
        QCOMPARE(titles.count(), 2);
    }

    // Two pages of the same table are two sessions; closing one reports the
    // table closed. A table closed again is reported again.
    void liveAndClosedTables()
    {
        FakeDevTools devTools;
        devTools.addPage("A", table("room_id=77"));
        devTools.addPage("B", table("room_id=77"));
        devTools.addPage("C", table("room_id=8"));
        devTools.addPage("L", table("lobby"));
        devTools.addPage("X", "https://example.com/?room_id=3");
        for (const char *id : {"A", "B", "C", "L"})
            devTools.setResult(id, snapshotJson(QJsonValue::Null));
        CDPPlayerReader reader(optionsFor(devTools));
        QSignalSpy live(&reader, &PlayerReader::liveTableIDsChanged);
        QSignalSpy closed(&reader, &PlayerReader::closedTableIDsChanged);
        QVERIFY(!reader.liveTableIDs());
        QVERIFY(tick(reader));
        QCOMPARE(reader.sessions().size(), 4);
        QCOMPARE(reader.liveTableIDs(), (QStringList{"77", "77", "8"}));
        QCOMPARE(live.count(), 1);

        QVERIFY(tick(reader));
        QVERIFY(tick(reader));
        QCOMPARE(live.count(), 1); // unchanged list: not assigned again

        devTools.removePage("A");
        devTools.removePage("C");
        devTools.removePage("L");
        QVERIFY(tick(reader));
        QVERIFY(tick(reader));
        QCOMPARE(closed.count(), 2);
        QCOMPARE(reader.closedTableIDs(), QStringList{"8"});
        QCOMPARE(reader.liveTableIDs(), QStringList{"77"});

        // The table opens and closes again: the same one-element list is
        // assigned again, and observers hear it again.
        devTools.addPage("C2", table("room_id=8"));
        devTools.setResult("C2", snapshotJson(QJsonValue::Null));
        QVERIFY(tick(reader));
        QVERIFY(tick(reader));
        QCOMPARE(reader.liveTableIDs(), (QStringList{"77", "8"}));
        devTools.removePage("C2");
        QVERIFY(tick(reader));
        QVERIFY(tick(reader));
        QCOMPARE(closed.count(), 3);
        QCOMPARE(closed.at(2), QList<QVariant>());
        QCOMPARE(reader.closedTableIDs(), QStringList{"8"});
    }

    void failedListingChangesNothing()
    {
        FakeDevTools devTools;
        devTools.addPage("A", table("room_id=1"));
        devTools.setResult("A", snapshotJson(QJsonValue::Null));
        CDPPlayerReader reader(optionsFor(devTools));
        QVERIFY(tick(reader));
        QVERIFY(tick(reader));
        devTools.setListStatus(500);
        devTools.removePage("A");
        QSignalSpy closed(&reader, &PlayerReader::closedTableIDsChanged);
        QSignalSpy live(&reader, &PlayerReader::liveTableIDsChanged);
        QVERIFY(tick(reader));
        QCOMPARE(reader.sessions().size(), 1);
        QCOMPARE(closed.count(), 0);
        QCOMPARE(live.count(), 0);
        QCOMPARE(devTools.evaluations("A"), 3);
    }

    void focusedTable()
    {
        FakeDevTools devTools;
        devTools.addPage("A", table("room_id=1"));
        devTools.addPage("L", table("lobby"));
        devTools.setResult("A", snapshotJson(QJsonValue::Null, QJsonValue::Null, QJsonValue::Null, true));
        devTools.setResult("L", snapshotJson(QJsonValue::Null));
        CDPPlayerReader reader(optionsFor(devTools));
        QSignalSpy active(&reader, &PlayerReader::activeTableIDChanged);
        QVERIFY(tick(reader));
        QCOMPARE(reader.activeTableID(), std::optional<QString>("1"));
        QVERIFY(tick(reader));
        QCOMPARE(active.count(), 1);

        // No page has focus: the value stays.
        devTools.setResult("A", snapshotJson(QJsonValue::Null));
        QVERIFY(tick(reader));
        QCOMPARE(reader.activeTableID(), std::optional<QString>("1"));

        // The lobby has focus: the empty text.
        devTools.setResult("L", snapshotJson(QJsonValue::Null, QJsonValue::Null, QJsonValue::Null, true));
        QVERIFY(tick(reader));
        QCOMPARE(reader.activeTableID(), std::optional<QString>(""));
        QCOMPARE(active.count(), 2);
    }

    // A page that never answers costs one time limit per tick, not the loop.
    void silentPageDoesNotStallTheTick()
    {
        FakeDevTools devTools;
        devTools.addPage("S", table("room_id=1"));
        devTools.addPage("A", table("room_id=2"));
        devTools.setResult("A", snapshotJson(ringPopup("Cy", 3, 1, 1, 1)));
        CDPPlayerReader reader(optionsFor(devTools));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(tick(reader));
        QVERIFY(timer.elapsed() >= 450);
        QCOMPARE(reader.scanCount(), 1);
        QCOMPARE(reader.session("S")->client->pendingCount(), 0);
        QVERIFY(tick(reader));
        QCOMPARE(devTools.evaluations("S"), 2);
    }

    void untrustedSocketURLStaysSilent()
    {
        FakeDevTools devTools;
        devTools.setTargets({CDPTarget{"E", "page", "", table("room_id=4"), "ws://203.0.113.9:9222/devtools/page/E"}});
        CDPPlayerReader reader(optionsFor(devTools));
        QVERIFY(tick(reader));
        QCOMPARE(reader.sessions().size(), 1);
        QCOMPARE(reader.sessions().first()->client->webSocketURL(), QUrl(QString::fromLatin1(silentSocketURL)));
        QCOMPARE(reader.liveTableIDs(), QStringList{"4"});
    }

    void parseFailureReportedOncePerRun()
    {
        qputenv("TARNWICK_CRASH_DSN", "https://key@crash.invalid/1");
        TestSupport::setSetting(QLatin1String(Analytics::consentCrashKey), true);
        RecordingAnalytics analytics;
        Analytics::startCrashReporting();

        FakeDevTools devTools;
        devTools.addPage("A", table("room_id=1"));
        devTools.addPage("B", table("room_id=2"));
        devTools.setResult("A", QJsonValue(QJsonValue::Undefined)); // nothing: never reported
        devTools.setResult("B", QJsonValue("not an object"));
        CDPPlayerReader reader(optionsFor(devTools));
        QVERIFY(tick(reader));
        QVERIFY(tick(reader));
        devTools.setResult("B", QJsonArray{1});
        QVERIFY(tick(reader));
        QCOMPARE(analytics.reports.size(), 1);
        QCOMPARE(analytics.reports.first().kind, QStringLiteral("event"));
        QCOMPARE(analytics.reports.first().tags.value("missingKey"), QStringLiteral("popup-read-expression-result"));
        TestSupport::clearSettings();
    }

    void firstAttachLatencyOncePerStart()
    {
        qputenv("TARNWICK_ANALYTICS_APP_ID", "app");
        TestSupport::setSetting(QLatin1String(Analytics::consentAnalyticsKey), true);
        RecordingAnalytics analytics;
        Analytics::startAnalytics();

        FakeDevTools devTools;
        CDPPlayerReader reader(optionsFor(devTools));
        reader.startMonitoring();
        QTRY_VERIFY(reader.tickCount() >= 3);
        QVERIFY(!reader.firstAttachReported()); // no pages yet
        devTools.addPage("A", table("room_id=1"));
        QTRY_VERIFY(reader.firstAttachReported());
        QTRY_VERIFY(reader.tickCount() >= 10);
        QStringList names;
        for (const auto &signal : analytics.signals_)
            names.append(signal.name);
        QCOMPARE(names, QStringList{"CDP.FirstAttachLatency"});
        QCOMPARE(analytics.signals_.first().parameters.value("bucket"), QStringLiteral("<1s"));
        TestSupport::clearSettings();
    }

    // A second start while the loop runs does nothing: one loop, one count.
    void secondStartIsIgnored()
    {
        FakeDevTools devTools;
        devTools.addPage("A", table("room_id=1"));
        devTools.setResult("A", snapshotJson(QJsonValue::Null));
        CDPPlayerReader reader(optionsFor(devTools));
        QVERIFY(!reader.isMonitoring());
        reader.startMonitoring();
        QVERIFY(reader.isMonitoring());
        QTRY_VERIFY(reader.tickCount() >= 4);
        const QDateTime started = *reader.monitoringStartedAt();
        reader.startMonitoring();
        QCOMPARE(*reader.monitoringStartedAt(), started);
        QVERIFY(reader.tickCount() >= 4);
        QTRY_VERIFY(reader.tickCount() >= 12);
        // One loop: one evaluation per tick, and one listing per odd tick.
        const int ticks = reader.tickCount();
        QVERIFY(devTools.evaluations("A") <= ticks);
        QVERIFY(devTools.listRequests() <= (ticks + 1) / 2 + 1);
    }
};

TARNWICK_TEST_MAIN(TestReader)
#include "tst_reader.moc"
