#include "StoreFixture.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {
QStringList groupKeys(const QList<TableGroup> &groups)
{
    QStringList keys;
    for (const TableGroup &g : groups)
        keys.append(g.id());
    return keys;
}

QStringList rowNames(const TableGroup &group)
{
    QStringList names;
    for (const TableRow &row : group.rows)
        names.append(row.player.name);
    return names;
}

QStringList activeKeys(const QList<Player> &players)
{
    QStringList keys;
    for (const Player &p : players)
        for (const Seating &s : p.seatings)
            if (s.isActive)
                keys.append(p.name + u"@"_s + s.id());
    return keys;
}
} // namespace

class TestPlayerStoreTables : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsAreOrderedWithinATable();
    void playerAtTwoTablesIsInBoth();
    void tablesWithoutActiveRowsAreHidden();
    void groupOrderFollowsCardOrderThenRecency();
    void searchNarrowsTheSections();
    void moveTableCard_data();
    void moveTableCard();
    void moveOfUnknownTableChangesNothing();
    void markTablesClosedIgnoresGameType();
    void syncLiveTables();
    void updateTableTitlesNeverReplaces();
    void clearInactiveSeatings();
    void shortTournamentTitle_data();
    void shortTournamentTitle();
};

void TestPlayerStoreTables::rowsAreOrderedWithinATable()
{
    StoreFixture f;
    const QDateTime t = f.time;
    QList<Player> players{
        makePlayer(u"zed"_s, {u"NLHE Ring|1"_s}, t),
        makePlayer(u"Bob"_s, {u"-NLHE Ring|1"_s}, t.addSecs(50)),
        makePlayer(u"amy"_s, {u"NLHE Ring|1"_s}, t),
        makePlayer(u"Éve"_s, {u"NLHE Ring|1"_s}, t),
        makePlayer(u"Carl"_s, {u"NLHE Ring|1"_s}, t.addSecs(30)),
        makePlayer(u"Dan"_s, {u"NLHE Ring|1"_s}, t.addSecs(30)),
        makePlayer(u"al"_s, {u"-NLHE Ring|1"_s}, t),
        makePlayer(u"Amy"_s, {u"NLHE Ring|1"_s}, t),
    };
    PlayerStore &store = f.openWith(players);
    const QList<TableGroup> groups = store.tableGroups();
    QCOMPARE(groups.size(), 1);
    // Carl is the most recent active row (tied with Dan, earlier in the list);
    // the other active rows by lower-cased name in code point order (É after
    // z), equal names in list order; then the inactive rows the same way.
    QCOMPARE(rowNames(groups.first()),
             (QStringList{u"Carl"_s, u"amy"_s, u"Amy"_s, u"Dan"_s, u"zed"_s, u"Éve"_s, u"al"_s, u"Bob"_s}));
    QCOMPARE(groups.first().rows.first().id(), PlayerJson::uuidText(players.at(4).id) + u"|NLHE Ring|1"_s);
    QCOMPARE(groups.first().tableID, u"1"_s);
    QCOMPARE(groups.first().gameType, nlheRing);
    QVERIFY(!groups.first().windowTitle);
    QCOMPARE(groups.first().lastActivity(), t.addSecs(50));
}

void TestPlayerStoreTables::playerAtTwoTablesIsInBoth()
{
    StoreFixture f;
    Player p = makePlayer(u"Roamer"_s, {u"NLHE Ring|1"_s, u"PLO Ring|1"_s}, f.time);
    p.seatings[1].updatedAt = f.time.addSecs(5);
    PlayerStore &store = f.openWith({p});
    const QList<TableGroup> groups = store.tableGroups();
    QCOMPARE(groupKeys(groups), (QStringList{u"PLO Ring|1"_s, u"NLHE Ring|1"_s}));
    QCOMPARE(groups.at(0).rows.first().seating, p.seatings.at(1));
    QCOMPARE(groups.at(1).rows.first().seating, p.seatings.at(0));
}

void TestPlayerStoreTables::tablesWithoutActiveRowsAreHidden()
{
    StoreFixture f;
    PlayerStore &store = f.openWith({makePlayer(u"A"_s, {u"-NLHE Ring|1"_s, u"NLHE Ring|2"_s}, f.time),
                                     makePlayer(u"B"_s, {u"-NLHE Ring|1"_s, u"-NLHE Ring|2"_s}, f.time)});
    const QList<TableGroup> groups = store.tableGroups();
    QCOMPARE(groupKeys(groups), QStringList{u"NLHE Ring|2"_s});
    // The inactive row of a shown table is listed after the active one.
    QCOMPARE(rowNames(groups.first()), (QStringList{u"A"_s, u"B"_s}));
}

void TestPlayerStoreTables::groupOrderFollowsCardOrderThenRecency()
{
    StoreFixture f;
    const QDateTime t = f.time;
    TestSupport::writeFile(f.dir.filePath(u"table-card-order.json"_s), R"(["NLHE Ring|B","NLHE Ring|gone"])");
    TestSupport::writeFile(f.dir.filePath(u"table-titles.json"_s), R"({"NLHE Ring|A":"Table A"})");
    PlayerStore &store = f.openWith({makePlayer(u"a"_s, {u"NLHE Ring|A"_s}, t.addSecs(1)),
                                     makePlayer(u"b"_s, {u"NLHE Ring|B"_s}, t),
                                     makePlayer(u"c"_s, {u"NLHE Ring|C"_s}, t.addSecs(2)),
                                     // An inactive row counts for the last activity.
                                     makePlayer(u"d"_s, {u"-NLHE Ring|A"_s}, t.addSecs(3))});
    const QList<TableGroup> groups = store.tableGroups();
    QCOMPARE(groupKeys(groups), (QStringList{u"NLHE Ring|B"_s, u"NLHE Ring|A"_s, u"NLHE Ring|C"_s}));
    QCOMPARE(groups.at(1).windowTitle, std::optional<QString>(u"Table A"_s));
}

void TestPlayerStoreTables::searchNarrowsTheSections()
{
    StoreFixture f;
    PlayerStore &store = f.openWith({makePlayer(u"Shark"_s, {u"NLHE Ring|1"_s}, f.time),
                                     makePlayer(u"Minnow"_s, {u"NLHE Ring|1"_s, u"NLHE Ring|2"_s}, f.time)});
    store.setSearchQuery(u"shar"_s);
    const QList<TableGroup> groups = store.tableGroups();
    QCOMPARE(groupKeys(groups), QStringList{u"NLHE Ring|1"_s});
    QCOMPARE(rowNames(groups.first()), QStringList{u"Shark"_s});
}

void TestPlayerStoreTables::moveTableCard_data()
{
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QString>("dragged");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("expected");

    // Groups by recency: C, A, B.
    QTest::newRow("A onto B, empty order") << QStringList{} << u"A"_s << u"B"_s << QStringList{u"C"_s, u"A"_s, u"B"_s};
    QTest::newRow("B onto C, empty order") << QStringList{} << u"B"_s << u"C"_s << QStringList{u"B"_s, u"C"_s, u"A"_s};
    QTest::newRow("onto an unknown target appends")
        << QStringList{} << u"C"_s << u"Z"_s << QStringList{u"A"_s, u"B"_s, u"C"_s};
    QTest::newRow("stale keys stay") << QStringList{u"old"_s, u"B"_s} << u"A"_s << u"old"_s
                                     << QStringList{u"A"_s, u"old"_s, u"B"_s, u"C"_s};
    QTest::newRow("a listed key of a closed table can move")
        << QStringList{u"old"_s, u"B"_s} << u"old"_s << u"C"_s << QStringList{u"B"_s, u"old"_s, u"C"_s, u"A"_s};
}

void TestPlayerStoreTables::moveTableCard()
{
    QFETCH(QStringList, order);
    QFETCH(QString, dragged);
    QFETCH(QString, target);
    QFETCH(QStringList, expected);

    const auto key = [](const QString &t) { return u"NLHE Ring|"_s + t; };
    StoreFixture f;
    QStringList fileOrder;
    for (const QString &t : order)
        fileOrder.append(key(t));
    TestSupport::writeFile(f.dir.filePath(u"table-card-order.json"_s),
                           QJsonDocument(QJsonArray::fromStringList(fileOrder)).toJson());
    PlayerStore &store = f.openWith({makePlayer(u"a"_s, {u"NLHE Ring|A"_s}, f.time.addSecs(2)),
                                     makePlayer(u"b"_s, {u"NLHE Ring|B"_s}, f.time.addSecs(1)),
                                     makePlayer(u"c"_s, {u"NLHE Ring|C"_s}, f.time.addSecs(3))});
    QSignalSpy changed(&store, &PlayerStore::tableCardOrderChanged);
    store.moveTableCard(key(dragged), key(target));
    QStringList expectedKeys;
    for (const QString &t : expected)
        expectedKeys.append(key(t));
    QCOMPARE(store.tableCardOrder(), expectedKeys);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(TestSupport::readFile(f.dir.filePath(u"table-card-order.json"_s)),
             QJsonDocument(QJsonArray::fromStringList(expectedKeys)).toJson(QJsonDocument::Compact));
    QCOMPARE(groupKeys(store.tableGroups()).first(), expectedKeys.first() == key(u"old"_s) ? expectedKeys.at(1)
                                                                                           : expectedKeys.first());
}

void TestPlayerStoreTables::moveOfUnknownTableChangesNothing()
{
    StoreFixture f;
    PlayerStore &store = f.openWith({makePlayer(u"a"_s, {u"NLHE Ring|A"_s}, f.time)});
    store.moveTableCard(u"NLHE Ring|A"_s, u"NLHE Ring|A"_s);
    store.moveTableCard(u"NLHE Ring|nowhere"_s, u"NLHE Ring|A"_s);
    QVERIFY(store.tableCardOrder().isEmpty());
    QVERIFY(!QFile::exists(f.dir.filePath(u"table-card-order.json"_s)));
}

void TestPlayerStoreTables::markTablesClosedIgnoresGameType()
{
    StoreFixture f;
    PlayerStore &store = f.openWith({makePlayer(u"a"_s, {u"NLHE Ring|77"_s, u"PLO Tournament|77"_s, u"NLHE Ring|8"_s}, f.time),
                                     makePlayer(u"b"_s, {u"-PLO Ring|77"_s}, f.time)});
    QSignalSpy changed(&store, &PlayerStore::playersChanged);
    f.advance(1000);
    store.markTablesClosed({u"77"_s});
    QCOMPARE(activeKeys(store.players()), QStringList{u"a@NLHE Ring|8"_s});
    QCOMPARE(changed.size(), 1);
    QCOMPARE(f.savedPlayers(), store.players());
    // updatedAt stays.
    QCOMPARE(store.players().first().seatings.first().updatedAt, f.time.addSecs(-1));

    QFile::remove(f.playersPath());
    store.markTablesClosed({u"77"_s, u"99"_s});
    QCOMPARE(changed.size(), 1);
    QVERIFY(!QFile::exists(f.playersPath()));
}

void TestPlayerStoreTables::syncLiveTables()
{
    StoreFixture f;
    PlayerStore &store = f.openWith({makePlayer(u"a"_s, {u"NLHE Ring|1"_s, u"PLO Ring|2"_s}, f.time),
                                     makePlayer(u"b"_s, {u"NLHE Tournament|3"_s}, f.time)});
    QSignalSpy changed(&store, &PlayerStore::playersChanged);
    store.syncLiveTables({u"2"_s, u"3"_s});
    QCOMPARE(activeKeys(store.players()), (QStringList{u"a@PLO Ring|2"_s, u"b@NLHE Tournament|3"_s}));
    QCOMPARE(changed.size(), 1);

    store.syncLiveTables({});
    QVERIFY(activeKeys(store.players()).isEmpty());
    QCOMPARE(changed.size(), 2);
    QCOMPARE(f.savedPlayers(), store.players());
    QVERIFY(store.tableGroups().isEmpty());

    QFile::remove(f.playersPath());
    store.syncLiveTables({});
    QVERIFY(!QFile::exists(f.playersPath()));
}

void TestPlayerStoreTables::updateTableTitlesNeverReplaces()
{
    StoreFixture f;
    PlayerStore &store = f.open();
    const QString path = f.dir.filePath(u"table-titles.json"_s);
    store.updateTableTitles({{u"NLHE Ring|1"_s, u"One"_s}, {u"NLHE Ring|2"_s, QString()}});
    QCOMPARE(store.tableTitles(), (QMap<QString, QString>{{u"NLHE Ring|1"_s, u"One"_s}}));
    QVERIFY(QFile::exists(path));

    QFile::remove(path);
    store.updateTableTitles({{u"NLHE Ring|1"_s, u"Uno"_s}});
    QCOMPARE(store.tableTitles().value(u"NLHE Ring|1"_s), u"One"_s);
    QVERIFY(!QFile::exists(path));

    // Only an import replaces a title.
    PlayerObservation o = observation(u"Neo"_s, 1, nlheRing, u"1"_s);
    o.tableTitle = u"Uno"_s;
    store.importObservation(o);
    QCOMPARE(store.tableTitles().value(u"NLHE Ring|1"_s), u"Uno"_s);
}

void TestPlayerStoreTables::clearInactiveSeatings()
{
    StoreFixture f;
    PlayerStore &store = f.openWith(
        {makePlayer(u"a"_s, {u"-NLHE Ring|1"_s, u"NLHE Ring|2"_s, u"-PLO Ring|1"_s, u"-NLHE Tournament|1"_s}, f.time),
         makePlayer(u"b"_s, {u"-NLHE Ring|5"_s}, f.time)});
    store.clearInactiveSeatings(nlheRing);
    QCOMPARE(store.players().at(0).seatings.size(), 3);
    QCOMPARE(store.players().at(0).seatings.at(0).id(), u"NLHE Ring|2"_s);
    // A record left without seatings stays stored and can be found.
    QVERIFY(store.players().at(1).seatings.isEmpty());
    QCOMPARE(f.savedPlayers(), store.players());
    store.setSearchQuery(u"b"_s);
    QCOMPARE(store.searchResults().size(), 1);

    // Saved even when nothing was removed.
    QFile::remove(f.playersPath());
    QSignalSpy changed(&store, &PlayerStore::playersChanged);
    store.clearInactiveSeatings(nlheRing);
    QVERIFY(QFile::exists(f.playersPath()));
    QCOMPARE(changed.size(), 0);
}

void TestPlayerStoreTables::shortTournamentTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected"); // "<none>" for no title

    QTest::newRow("no bar: trimmed") << u"  Sunday Special \n"_s << u"Sunday Special"_s;
    QTest::newRow("chips and label") << u"Sunday Special | 2500 chips | turbo"_s << u"2500 Chips Turbo"_s;
    QTest::newRow("bounty before pko") << u"Big | PKO | Bounty hunters"_s << u"Bounty"_s;
    QTest::newRow("chips only, no space") << u"Main | 100CHIPS"_s << u"100 Chips"_s;
    QTest::newRow("decimal chips, singular") << u"Main | 1.5 chip"_s << u"1.5 Chips"_s;
    QTest::newRow("hyper first") << u"X | TURBO hyper"_s << u"Hyper"_s;
    QTest::newRow("ko only as a word") << u"X | knockout | KO"_s << u"KO"_s;
    QTest::newRow("word boundaries") << u"X | turbos | chipsy 100"_s << u"<none>"_s;
    QTest::newRow("deepstack") << u"Daily | Deepstack | 20000 Chips"_s << u"20000 Chips Deepstack"_s;
    QTest::newRow("a bar and spaces") << u"  |  "_s << u"<none>"_s;
    QTest::newRow("empty") << QString() << u"<none>"_s;
    QTest::newRow("white space only") << u" \t "_s << u"<none>"_s;
}

void TestPlayerStoreTables::shortTournamentTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, expected);
    const std::optional<QString> result = PlayerStore::shortTournamentTitle(title);
    QCOMPARE(result.value_or(u"<none>"_s), expected);
}

TARNWICK_TEST_MAIN(TestPlayerStoreTables)
#include "tst_playerstore_tables.moc"
