#include "StoreFixture.h"
#include "store/NameKeys.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;

class TestPlayerStoreImport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nameKeys_data();
    void nameKeys();
    void editDistanceCountsCharacters();
    void logNumbers();
    void matching_data();
    void matching();
    void newOpponentWaitsUntilSeenAgain();
    void lowConfidenceIsRejectedOrStaged_data();
    void lowConfidenceIsRejectedOrStaged();
    void userConfirmedPersistsImmediately();
    void tournamentSeatingKeepsRingStats();
    void renameRules_data();
    void renameRules();
    void recentReadingsKeepFive();
    void waitingRecordAdoptsBetterName_data();
    void waitingRecordAdoptsBetterName();
    void waitingRecordIsConfirmedByEdit();
    void updatePlayerIgnoresUnknownRecord();
    void titlesAreStoredOnlyWhenNewOrChanged();
    void changeSignalsNameTheRecord();
};

void TestPlayerStoreImport::nameKeys_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("compact");
    QTest::addColumn<QString>("matchKey");
    QTest::addColumn<QString>("squeezed");

    QTest::newRow("confusables") << u"B0b IL8"_s << u"b0b il8"_s << u"b0bil8"_s << u"bobllb"_s << u"boblb"_s;
    QTest::newRow("white space of every kind") << u"A\tb\u00a0c\u2003d\ne"_s << u"a\tb\u00a0c\u2003d\ne"_s
                                               << u"abcde"_s << u"abcde"_s << u"abcde"_s;
    QTest::newRow("full lower-casing") << u"ÉCOLE"_s << u"école"_s << u"école"_s << u"école"_s << u"école"_s;
    QTest::newRow("runs of one emoji") << u"🐟🐟x"_s << u"🐟🐟x"_s << u"🐟🐟x"_s << u"🐟🐟x"_s << u"🐟x"_s;
    QTest::newRow("runs of one flag") << u"🇫🇷🇫🇷"_s << u"🇫🇷🇫🇷"_s << u"🇫🇷🇫🇷"_s << u"🇫🇷🇫🇷"_s << u"🇫🇷"_s;
    QTest::newRow("different flags stay") << u"🇫🇷🇩🇪"_s << u"🇫🇷🇩🇪"_s << u"🇫🇷🇩🇪"_s << u"🇫🇷🇩🇪"_s << u"🇫🇷🇩🇪"_s;
}

void TestPlayerStoreImport::nameKeys()
{
    QFETCH(QString, name);
    QFETCH(QString, lower);
    QFETCH(QString, compact);
    QFETCH(QString, matchKey);
    QFETCH(QString, squeezed);
    QCOMPARE(NameKeys::lowercased(name), lower);
    QCOMPARE(NameKeys::compact(name), compact);
    QCOMPARE(NameKeys::matchKey(name), matchKey);
    QCOMPARE(NameKeys::squeezedKey(name), squeezed);
}

void TestPlayerStoreImport::editDistanceCountsCharacters()
{
    QCOMPARE(NameKeys::editDistance(u"kitten"_s, u"sitting"_s), 3);
    QCOMPARE(NameKeys::editDistance(QString(), u"abc"_s), 3);
    QCOMPARE(NameKeys::editDistance(u"abcd"_s, QString()), 4);
    // A flag is one character made of four UTF-16 units.
    QCOMPARE(NameKeys::editDistance(u"fran🇫🇷"_s, u"fran🇩🇪"_s), 1);
    QCOMPARE(NameKeys::editDistance(u"👨‍👩‍👧"_s, QString()), 1);
    QCOMPARE(NameKeys::characterCount(u"ab🇫🇷"_s), 3);
}

void TestPlayerStoreImport::logNumbers()
{
    QCOMPARE(NameKeys::formatNumber(1.0), u"1.0"_s);
    QCOMPARE(NameKeys::formatNumber(0.93), u"0.93"_s);
    QCOMPARE(NameKeys::formatNumber(0.05f), u"0.05"_s);
    QCOMPARE(NameKeys::formatNumber(1.0f), u"1.0"_s);
    QCOMPARE(NameKeys::formatNumber(0.1 + 0.2), u"0.30000000000000004"_s);
}

void TestPlayerStoreImport::matching_data()
{
    QTest::addColumn<QStringList>("stored"); // "name#id@NLHE Ring|1,PLO Ring|2"
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("playerId"); // 0: none
    QTest::addColumn<QString>("gameType");
    QTest::addColumn<QString>("tableID"); // "-": none given
    QTest::addColumn<int>("expected");    // index in stored, -1: none

    QTest::newRow("player ID wins whatever the game type")
        << QStringList{u"Alice@NLHE Ring|1"_s, u"Zed#7@NLHE Ring|1"_s} << u"Alice"_s << qint64(7)
        << u"PLO Tournament"_s << u"9"_s << 1;
    QTest::newRow("unknown player ID falls back to the name")
        << QStringList{u"Alice@NLHE Ring|1"_s} << u"alice"_s << qint64(99) << u"NLHE Ring"_s << u"2"_s << 0;
    QTest::newRow("lower-cased name at another table of the game type")
        << QStringList{u"Alice@NLHE Ring|1"_s} << u"ALICE"_s << qint64(0) << u"NLHE Ring"_s << u"2"_s << 0;
    QTest::newRow("same name, other game type")
        << QStringList{u"Alice@NLHE Ring|1"_s} << u"Alice"_s << qint64(0) << u"PLO Ring"_s << u"1"_s << -1;
    QTest::newRow("same name, other mode")
        << QStringList{u"Alice@NLHE Ring|1"_s} << u"Alice"_s << qint64(0) << u"NLHE Tournament"_s << u"1"_s << -1;
    QTest::newRow("first of two equal names")
        << QStringList{u"Eve@PLO Ring|1"_s, u"Eve@NLHE Ring|4"_s, u"eve@NLHE Ring|5"_s} << u"EVE"_s << qint64(0)
        << u"NLHE Ring"_s << u"9"_s << 1;
    QTest::newRow("compact name")
        << QStringList{u"Big Fish@NLHE Ring|1"_s} << u"bigfish"_s << qint64(0) << u"NLHE Ring"_s << u"7"_s << 0;
    QTest::newRow("match key at the same table")
        << QStringList{u"B0b@NLHE Ring|1"_s} << u"bob"_s << qint64(0) << u"NLHE Ring"_s << u"1"_s << 0;
    QTest::newRow("match key at another table")
        << QStringList{u"B0b@NLHE Ring|1"_s} << u"bob"_s << qint64(0) << u"NLHE Ring"_s << u"2"_s << -1;
    QTest::newRow("match key without a table ID")
        << QStringList{u"B0b@NLHE Ring|1"_s} << u"bob"_s << qint64(0) << u"NLHE Ring"_s << u"-"_s << -1;
    QTest::newRow("two equal match keys, too short to be near")
        << QStringList{u"B0b@NLHE Ring|1"_s, u"Bob@NLHE Ring|1"_s} << u"bo8"_s << qint64(0) << u"NLHE Ring"_s
        << u"1"_s << -1;
    QTest::newRow("short names are never near") << QStringList{u"Ann@NLHE Ring|1"_s} << u"Anm"_s << qint64(0)
                                                << u"NLHE Ring"_s << u"1"_s << -1;
    QTest::newRow("one near name") << QStringList{u"Sharky@NLHE Ring|1"_s, u"Minnow@NLHE Ring|1"_s} << u"Sharkey"_s
                                   << qint64(0) << u"NLHE Ring"_s << u"1"_s << 0;
    QTest::newRow("two near names") << QStringList{u"Sharky@NLHE Ring|1"_s, u"Sharke@NLHE Ring|1"_s}
                                    << u"Sharkey"_s << qint64(0) << u"NLHE Ring"_s << u"1"_s << -1;
    QTest::newRow("distance two is not near") << QStringList{u"Sharky@NLHE Ring|1"_s} << u"Sharkeyy"_s << qint64(0)
                                              << u"NLHE Ring"_s << u"1"_s << -1;
    QTest::newRow("near counts a flag as one character")
        << QStringList{u"Fran🇫🇷@NLHE Ring|1"_s} << u"Fran🇩🇪"_s << qint64(0) << u"NLHE Ring"_s << u"1"_s << 0;
    QTest::newRow("a flag makes a short key")
        << QStringList{u"ab🇫🇷@NLHE Ring|1"_s} << u"ab🇩🇪"_s << qint64(0) << u"NLHE Ring"_s << u"1"_s << -1;
    QTest::newRow("near candidate with a short key is skipped")
        << QStringList{u"Abc@NLHE Ring|1"_s} << u"Abcd"_s << qint64(0) << u"NLHE Ring"_s << u"1"_s << -1;
    QTest::newRow("inactive seatings count")
        << QStringList{u"B0b@-NLHE Ring|1"_s} << u"bob"_s << qint64(0) << u"NLHE Ring"_s << u"1"_s << 0;
}

void TestPlayerStoreImport::matching()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, name);
    QFETCH(qint64, playerId);
    QFETCH(QString, gameType);
    QFETCH(QString, tableID);
    QFETCH(int, expected);

    StoreFixture f;
    QList<Player> players;
    for (const QString &description : stored) {
        const qsizetype at = description.indexOf(QLatin1Char('@'));
        players.append(makePlayer(description.left(at), description.mid(at + 1).split(QLatin1Char(',')), f.time));
    }
    PlayerStore &store = f.openWith(players);
    const auto found = store.playerMatching(name, playerId ? std::optional<qint64>(playerId) : std::nullopt,
                                            gameTypeFromLabel(gameType),
                                            tableID == u"-"_s ? std::nullopt : std::optional<QString>(tableID));
    if (expected < 0) {
        QVERIFY2(!found, qPrintable(found ? found->name : QString()));
    } else {
        QVERIFY(found);
        QCOMPARE(found->id, players.at(expected).id);
    }
}

void TestPlayerStoreImport::newOpponentWaitsUntilSeenAgain()
{
    StoreFixture f;
    PlayerStore &store = f.open();
    TestSupport::LogCapture log;

    PlayerObservation first = observation(u"Neo"_s, 42, nlheRing, u"77"_s);
    first.stats = PlayerStats{23.5, 12, 140};
    store.importObservation(first);
    QCOMPARE(log.lines, QStringList{u"Import [pending]: 'Neo' staged (conf=1.0, key=neo)"_s});
    QCOMPARE(store.players().size(), 1);
    const Player waiting = store.players().first();
    QCOMPARE(waiting.stats, first.stats);
    QCOMPARE(waiting.createdAt, f.time);
    QCOMPARE(waiting.seatings, (QList<Seating>{Seating{nlheRing, u"77"_s, true, f.time}}));
    QVERIFY(store.pendingByID().contains(waiting.id));
    QCOMPARE(store.pendingByKey().value(u"neo"_s), waiting.id);
    QVERIFY(!QFile::exists(f.playersPath()));
    QString error;
    QVERIFY(store.exportData(f.dir.filePath(u"export.json"_s), &error));
    QVERIFY(!TestSupport::readFile(f.dir.filePath(u"export.json"_s)).contains("Neo"));

    // A save made for another reason still leaves the waiting record out.
    store.savePlayers();
    QCOMPARE(f.savedPlayers().size(), 0);

    log.lines.clear();
    f.advance(10'000);
    PlayerObservation second = first;
    second.stats = PlayerStats{24, 12.5, 150};
    store.importObservation(second);
    QCOMPARE(log.lines, QStringList{u"Import [fuzzy-match/pending→confirmed]: 'Neo' → 'Neo' (conf=1.0)"_s});
    QVERIFY(store.pendingByID().isEmpty());
    QVERIFY(store.pendingByKey().isEmpty());
    const QList<Player> saved = f.savedPlayers();
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.first().id, waiting.id);
    QCOMPARE(saved.first().stats, second.stats);
    QCOMPARE(saved.first().updatedAt, f.time);
    QCOMPARE(saved.first().seatings.first().updatedAt, f.time);

    // Later readings of a confirmed record log the plain label.
    log.lines.clear();
    store.importObservation(second);
    QCOMPARE(log.lines, QStringList{u"Import [fuzzy-match]: 'Neo' → 'Neo' (conf=1.0)"_s});
}

void TestPlayerStoreImport::lowConfidenceIsRejectedOrStaged_data()
{
    QTest::addColumn<double>("confidence");
    QTest::addColumn<float>("gap");
    QTest::addColumn<QString>("expectedLog");

    QTest::newRow("rejected") << 0.8 << 0.02f << u"Import [rejected]: 'Vex' — conf=0.8, gap=0.02, h=14px"_s;
    QTest::newRow("gap at the limit") << 0.8 << 0.05f << u"Import [pending]: 'Vex' staged (conf=0.8, key=vex)"_s;
    QTest::newRow("confidence at the limit")
        << 0.85 << 0.0f << u"Import [pending]: 'Vex' staged (conf=0.85, key=vex)"_s;
}

void TestPlayerStoreImport::lowConfidenceIsRejectedOrStaged()
{
    QFETCH(double, confidence);
    QFETCH(float, gap);
    QFETCH(QString, expectedLog);

    StoreFixture f;
    PlayerStore &store = f.open();
    TestSupport::LogCapture log;
    PlayerObservation o = observation(u"Vex"_s, std::nullopt, nlheRing, u"5"_s, confidence);
    o.ambiguityGap = gap;
    o.nameHeightPx = 14;
    o.tableTitle = u"Table Five"_s;
    store.importObservation(o);
    QCOMPARE(log.lines, QStringList{expectedLog});
    const bool rejected = expectedLog.contains(u"rejected"_s);
    QCOMPARE(store.players().size(), rejected ? 0 : 1);
    QCOMPARE(store.pendingByID().size(), rejected ? 0 : 1);
    // The title is kept either way.
    QCOMPARE(store.tableTitles().value(u"NLHE Ring|5"_s), u"Table Five"_s);
}

void TestPlayerStoreImport::userConfirmedPersistsImmediately()
{
    StoreFixture f;
    PlayerStore &store = f.open();
    TestSupport::LogCapture log;
    PlayerObservation o = observation(u"Trinity"_s, std::nullopt, nlheTournament, u"8"_s);
    o.stats = PlayerStats{30, 20, 10};
    store.importObservation(o, true);
    QCOMPARE(log.lines, QStringList{u"Import [new/user-confirmed]: 'Trinity' persists immediately"_s});
    QVERIFY(store.pendingByID().isEmpty());
    const QList<Player> saved = f.savedPlayers();
    QCOMPARE(saved.size(), 1);
    // Tournament figures are never stored as the record's statistics.
    QVERIFY(!saved.first().stats);
    QVERIFY(!saved.first().phraseTags && !saved.first().villainTypes && !saved.first().isManuallyNamed
            && !saved.first().supersededNames);
}

void TestPlayerStoreImport::tournamentSeatingKeepsRingStats()
{
    StoreFixture f;
    Player ring = makePlayer(u"Morph#11"_s, {u"-NLHE Ring|3"_s}, f.time.addDays(-1));
    ring.stats = PlayerStats{40, 30, 500};
    PlayerStore &store = f.openWith({ring});

    PlayerObservation o = observation(u"Morph"_s, 11, nlheTournament, u"900"_s);
    o.stats = PlayerStats{10, 5, 20};
    store.importObservation(o);
    Player stored = store.players().first();
    QCOMPARE(stored.stats, ring.stats);
    QCOMPARE(stored.seatings.size(), 2);
    QCOMPARE(stored.seatings.at(1), (Seating{nlheTournament, u"900"_s, true, f.time}));
    QCOMPARE(stored.seatings.at(0).isActive, false);

    // Back at the ring table: that seating is reactivated, the figures replaced.
    f.advance(1000);
    o = observation(u"Morph"_s, 11, nlheRing, u"3"_s);
    o.stats = PlayerStats{41, 31, 510};
    store.importObservation(o);
    stored = store.players().first();
    QCOMPARE(stored.stats, o.stats);
    QCOMPARE(stored.seatings.at(0), (Seating{nlheRing, u"3"_s, true, f.time}));
    QCOMPARE(f.savedPlayers().first(), stored);
}

void TestPlayerStoreImport::renameRules_data()
{
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QStringList>("superseded");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QStringList>("readings"); // "name@confidence", each with player ID 5
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<QStringList>("expectedSuperseded");
    QTest::addColumn<int>("expectedReadings");

    QTest::newRow("longer squeezed match, confident") << u"Kin"_s << QStringList{} << false
                                                      << QStringList{u"Kinn@0.95"_s} << u"Kinn"_s
                                                      << QStringList{u"Kin"_s} << 0;
    QTest::newRow("longer squeezed match, not confident enough")
        << u"Kin"_s << QStringList{} << false << QStringList{u"Kinn@0.9"_s} << u"Kin"_s << QStringList{} << 1;
    QTest::newRow("shorter squeezed match is only recorded")
        << u"Kinn"_s << QStringList{} << false << QStringList{u"Kin@0.99"_s} << u"Kinn"_s << QStringList{} << 1;
    QTest::newRow("equal match keys, two strong readings")
        << u"Bo1t"_s << QStringList{} << false << QStringList{u"Bolt@0.95"_s, u"Bolt@0.95"_s} << u"Bolt"_s
        << QStringList{u"Bo1t"_s} << 0;
    QTest::newRow("equal match keys, two weak readings")
        << u"Bo1t"_s << QStringList{} << false << QStringList{u"Bolt@0.9"_s, u"Bolt@0.93"_s} << u"Bo1t"_s
        << QStringList{} << 2;
    QTest::newRow("equal match keys, third reading tips the mean")
        << u"Bo1t"_s << QStringList{} << false << QStringList{u"Bolt@0.9"_s, u"Bolt@0.93"_s, u"Bolt@0.95"_s}
        << u"Bolt"_s << QStringList{u"Bo1t"_s} << 0;
    QTest::newRow("only readings of exactly that name count")
        << u"Bo1t"_s << QStringList{} << false << QStringList{u"Bolt@0.95"_s, u"BoIt@0.95"_s} << u"Bo1t"_s
        << QStringList{} << 2;
    QTest::newRow("letter case only") << u"neo"_s << QStringList{} << false
                                      << QStringList{u"Neo@0.99"_s, u"Neo@0.99"_s} << u"Neo"_s
                                      << QStringList{u"neo"_s} << 0;
    QTest::newRow("an old name is never taken back")
        << u"Kinn"_s << QStringList{u"Kin"_s} << false << QStringList{u"Kin@0.99"_s, u"Kin@0.99"_s, u"K1n@0.99"_s}
        << u"Kinn"_s << QStringList{u"Kin"_s} << 0;
    QTest::newRow("manually named") << u"Kin"_s << QStringList{} << true
                                    << QStringList{u"Kinn@0.99"_s, u"Kinn@0.99"_s} << u"Kin"_s << QStringList{} << 0;
    QTest::newRow("different names never rename")
        << u"Alice"_s << QStringList{} << false << QStringList{u"Bob@1.0"_s, u"Bob@1.0"_s} << u"Alice"_s
        << QStringList{} << 0;
    QTest::newRow("superseded names pile up, oldest first")
        << u"Kin"_s << QStringList{u"Kim"_s} << false << QStringList{u"Kinn@0.95"_s} << u"Kinn"_s
        << QStringList{u"Kim"_s, u"Kin"_s} << 0;
}

void TestPlayerStoreImport::renameRules()
{
    QFETCH(QString, storedName);
    QFETCH(QStringList, superseded);
    QFETCH(bool, manual);
    QFETCH(QStringList, readings);
    QFETCH(QString, expectedName);
    QFETCH(QStringList, expectedSuperseded);
    QFETCH(int, expectedReadings);

    StoreFixture f;
    Player p = makePlayer(storedName + u"#5"_s, {u"NLHE Ring|1"_s}, f.time);
    if (!superseded.isEmpty())
        p.supersededNames = superseded;
    if (manual)
        p.isManuallyNamed = true;
    PlayerStore &store = f.openWith({p});
    TestSupport::LogCapture log;
    for (const QString &reading : readings) {
        const qsizetype at = reading.indexOf(QLatin1Char('@'));
        f.advance(1000);
        store.importObservation(observation(reading.left(at), 5, nlheRing, u"1"_s, reading.mid(at + 1).toDouble()));
    }
    const Player stored = store.players().first();
    QCOMPARE(stored.name, expectedName);
    QCOMPARE(stored.supersededNames.value_or(QStringList{}), expectedSuperseded);
    QCOMPARE(store.recentReadings().value(p.id).size(), expectedReadings);
    QCOMPARE(f.savedPlayers().first().name, expectedName);
    // Every matched reading is logged with the name the record has after it.
    QCOMPARE(log.lines.size(), readings.size());
    const QString lastName = readings.last().left(readings.last().indexOf(QLatin1Char('@')));
    QVERIFY2(log.lines.last().startsWith(u"Import [fuzzy-match]: '%1' → '%2' (conf="_s.arg(lastName, expectedName)),
             qPrintable(log.lines.last()));
}

void TestPlayerStoreImport::recentReadingsKeepFive()
{
    StoreFixture f;
    const Player p = makePlayer(u"Bo1t#5"_s, {u"NLHE Ring|1"_s}, f.time);
    PlayerStore &store = f.openWith({p});
    const QStringList names{u"BoIt"_s, u"Bolt"_s, u"B0lt"_s, u"BOLT"_s, u"bo1t "_s, u"BoIt"_s};
    for (const QString &name : names)
        store.importObservation(observation(name, 5, nlheRing, u"1"_s, 0.5));
    const QList<NameReading> readings = store.recentReadings().value(p.id);
    QCOMPARE(readings.size(), 5);
    QCOMPARE(readings.first().name, u"Bolt"_s);
    QCOMPARE(readings.last().name, u"BoIt"_s);
    QCOMPARE(readings.last().confidence, 0.5);
}

void TestPlayerStoreImport::waitingRecordAdoptsBetterName_data()
{
    QTest::addColumn<qint64>("afterMs");
    QTest::addColumn<double>("confidence");
    QTest::addColumn<QString>("expectedName");

    QTest::newRow("within 3 s, more confident") << qint64(2000) << 0.9 << u"Bob"_s;
    QTest::newRow("exactly 3 s") << qint64(3000) << 0.9 << u"Bob"_s;
    QTest::newRow("after 3 s") << qint64(4000) << 0.9 << u"Rob"_s;
    QTest::newRow("not more confident") << qint64(1000) << 0.6 << u"Rob"_s;
}

void TestPlayerStoreImport::waitingRecordAdoptsBetterName()
{
    QFETCH(qint64, afterMs);
    QFETCH(double, confidence);
    QFETCH(QString, expectedName);

    StoreFixture f;
    PlayerStore &store = f.open();
    PlayerObservation o = observation(u"Rob"_s, 2, nlheRing, u"1"_s, 0.6);
    o.ambiguityGap = 0.5f;
    store.importObservation(o);
    TestSupport::LogCapture log;
    f.advance(afterMs);
    store.importObservation(observation(u"Bob"_s, 2, nlheRing, u"1"_s, confidence));

    QStringList expected;
    if (expectedName == u"Bob"_s)
        expected.append(u"Import [pending-adopt]: 'Bob' supersedes earlier 'Rob' (conf 0.6 → 0.9)"_s);
    expected.append(u"Import [fuzzy-match/pending→confirmed]: 'Bob' → '%1' (conf=%2)"_s.arg(
        expectedName, NameKeys::formatNumber(confidence)));
    QCOMPARE(log.lines, expected);
    QCOMPARE(f.savedNames(), QStringList{expectedName});
    QCOMPARE(store.players().first().supersededNames.has_value(), expectedName == u"Bob"_s);
    QVERIFY(store.pendingByID().isEmpty());
    QVERIFY(store.pendingByKey().isEmpty());
    // A confirmed record does not take names the way a waiting one does.
    QVERIFY(store.recentReadings().isEmpty());
}

void TestPlayerStoreImport::waitingRecordIsConfirmedByEdit()
{
    StoreFixture f;
    PlayerStore &store = f.open();
    store.importObservation(observation(u"Cypher"_s, std::nullopt, nlheRing, u"3"_s));
    store.importObservation(observation(u"Switch"_s, std::nullopt, nlheRing, u"3"_s));
    QCOMPARE(store.pendingByID().size(), 2);

    Player edited = store.players().first();
    edited.note = u"limps a lot"_s;
    f.advance(5000);
    store.updatePlayer(edited);
    QCOMPARE(f.savedNames(), QStringList{u"Cypher"_s});
    QCOMPARE(f.savedPlayers().first().note, u"limps a lot"_s);
    QCOMPARE(f.savedPlayers().first().updatedAt, f.time);
    QCOMPARE(store.pendingByID().size(), 1);
    QCOMPARE(store.pendingByKey().keys(), QStringList{u"swltch"_s});

    const QString exportPath = f.dir.filePath(u"export.json"_s);
    QVERIFY(store.exportData(exportPath));
    const QJsonArray exported = QJsonDocument::fromJson(TestSupport::readFile(exportPath)).object()[u"players"_s].toArray();
    QCOMPARE(exported.size(), 1);
    QCOMPARE(exported.first()[u"name"_s].toString(), u"Cypher"_s);
}

void TestPlayerStoreImport::updatePlayerIgnoresUnknownRecord()
{
    StoreFixture f;
    PlayerStore &store = f.open();
    QSignalSpy changed(&store, &PlayerStore::playersChanged);
    Player stranger = makePlayer(u"Ghost"_s, {u"NLHE Ring|1"_s}, f.time);
    store.updatePlayer(stranger);
    QVERIFY(store.players().isEmpty());
    QCOMPARE(changed.size(), 0);
    QVERIFY(!QFile::exists(f.playersPath()));
}

void TestPlayerStoreImport::titlesAreStoredOnlyWhenNewOrChanged()
{
    StoreFixture f;
    PlayerStore &store = f.open();
    const QString titlesPath = f.dir.filePath(u"table-titles.json"_s);
    QSignalSpy titlesChanged(&store, &PlayerStore::tableTitlesChanged);

    store.importObservation(observation(u"Neo"_s, 1, nlheRing, u"5"_s));
    QVERIFY(store.tableTitles().isEmpty());
    QVERIFY(!QFile::exists(titlesPath));

    PlayerObservation o = observation(u"Neo"_s, 1, nlheRing, u"5"_s);
    o.tableTitle = u"NL 1/2 | Table 5"_s;
    store.importObservation(o);
    QCOMPARE(TestSupport::readFile(titlesPath), QByteArray(R"({"NLHE Ring|5":"NL 1/2 | Table 5"})"));
    QCOMPARE(titlesChanged.size(), 1);

    QFile::remove(titlesPath);
    store.importObservation(o);
    QVERIFY(!QFile::exists(titlesPath));
    QCOMPARE(titlesChanged.size(), 1);

    o.tableTitle = u"NL 2/4 | Table 5"_s;
    store.importObservation(o);
    QCOMPARE(store.tableTitles().value(u"NLHE Ring|5"_s), o.tableTitle);
    QVERIFY(QFile::exists(titlesPath));
    QCOMPARE(titlesChanged.size(), 2);
}

void TestPlayerStoreImport::changeSignalsNameTheRecord()
{
    StoreFixture f;
    PlayerStore &store = f.open();
    QSignalSpy added(&store, &PlayerStore::playerAdded);
    QSignalSpy updated(&store, &PlayerStore::playerUpdated);
    QSignalSpy changed(&store, &PlayerStore::playersChanged);
    store.importObservation(observation(u"Neo"_s, 1));
    QCOMPARE(added.size(), 1);
    const QUuid id = added.first().first().value<QUuid>();
    QCOMPARE(id, store.players().first().id);
    store.importObservation(observation(u"Neo"_s, 1));
    QCOMPARE(updated.size(), 1);
    QCOMPARE(updated.first().first().value<QUuid>(), id);
    QCOMPARE(changed.size(), 2);
}

TARNWICK_TEST_MAIN(TestPlayerStoreImport)
#include "tst_playerstore_import.moc"
