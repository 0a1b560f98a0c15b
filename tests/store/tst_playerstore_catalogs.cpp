#include "StoreFixture.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {
QStringList names(const QList<Player> &players)
{
    QStringList out;
    for (const Player &p : players)
        out.append(p.name);
    return out;
}

QJsonObject settingsFile(const StoreFixture &f)
{
    return QJsonDocument::fromJson(TestSupport::readFile(f.dir.filePath(u"settings.json"_s))).object();
}

// True when every object in the text lists its keys in ascending order.
bool keysSortedInText(const QByteArray &json)
{
    // Indented output puts one member per line: compare keys at equal depth.
    QList<QStringList> stack{{}};
    for (const QByteArray &raw : json.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('}') || line.startsWith(']')) {
            if (stack.size() > 1)
                stack.removeLast();
            continue;
        }
        if (line.startsWith('"')) {
            const qsizetype end = line.indexOf("\": ");
            if (end > 0) {
                const QString key = QString::fromUtf8(line.mid(1, end - 1));
                if (!stack.last().isEmpty() && stack.last().last() >= key)
                    return false;
                stack.last().append(key);
            }
        }
        if (line.endsWith('{') || line.endsWith('['))
            stack.append(QStringList{});
    }
    return true;
}
} // namespace

class TestPlayerStoreCatalogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void playerTypes();
    void removePlayerTypeKeepsRecords();
    void phraseTags_data();
    void phraseTags();
    void phraseTagLimits();
    void removePhraseTagStripsRecords();
    void flagColors();
    void orderedEnabledFlagColors();
    void search_data();
    void search();
    void exportContent();
    void exportErrorGoesToCaller();
};

void TestPlayerStoreCatalogs::playerTypes()
{
    StoreFixture f;
    PlayerStore &store = f.open();
    QSignalSpy changed(&store, &PlayerStore::playerTypeCatalogChanged);
    // The default catalog is full.
    QVERIFY(!store.addPlayerType(u"🐙"_s));
    store.removePlayerType(5);
    store.removePlayerType(4);
    QCOMPARE(changed.size(), 2);
    QVERIFY(!store.addPlayerType(u"🐙🐙"_s));
    QVERIFY(!store.addPlayerType(u"ab"_s));
    QVERIFY(!store.addPlayerType(u"  "_s));
    QVERIFY(!store.addPlayerType(u"🐢"_s));
    QVERIFY(store.addPlayerType(u"  🐙\n"_s));
    // A composed emoji is one character.
    QVERIFY(store.addPlayerType(u"👨‍👩‍👧"_s));
    QVERIFY(!store.addPlayerType(u"🇫🇷"_s));
    QCOMPARE(store.playerTypeEmojis(),
             (QStringList{u"🐢"_s, u"🐟"_s, u"🦈"_s, u"🐋"_s, u"🐙"_s, u"👨‍👩‍👧"_s}));
    QCOMPARE(changed.size(), 4);
    const QJsonArray saved = settingsFile(f)[u"playerTypeCatalog"_s].toArray();
    QCOMPARE(saved.size(), 6);
    QCOMPARE(saved.at(4).toObject()[u"emoji"_s].toString(), u"🐙"_s);

    // Out of range: ignored, nothing written.
    QFile::remove(f.dir.filePath(u"settings.json"_s));
    store.removePlayerType(6);
    store.removePlayerType(-1);
    QVERIFY(!QFile::exists(f.dir.filePath(u"settings.json"_s)));
}

void TestPlayerStoreCatalogs::removePlayerTypeKeepsRecords()
{
    StoreFixture f;
    Player p = makePlayer(u"Nit"_s, {}, f.time);
    p.villainTypes = QStringList{u"🐢"_s};
    PlayerStore &store = f.openWith({p});
    store.removePlayerType(0);
    QCOMPARE(store.players().first().villainTypes, p.villainTypes);
}

void TestPlayerStoreCatalogs::phraseTags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("stored");

    QTest::newRow("white space normalised") << u"  Tilt   Prone  "_s << true << u"Tilt Prone"_s;
    QTest::newRow("line breaks and tabs") << u"\tlimps\n\nlate "_s << true << u"limps late"_s;
    QTest::newRow("16 characters") << u"abcdefghijklmnop"_s << true << u"abcdefghijklmnop"_s;
    QTest::newRow("17 characters") << u"abcdefghijklmnopq"_s << false << QString();
    QTest::newRow("16 after squeezing spaces") << u"abcdefgh     ijklmno"_s << true << u"abcdefgh ijklmno"_s;
    QTest::newRow("emoji count once") << u"🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟"_s << true
                                     << u"🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟🐟"_s;
    QTest::newRow("empty") << u" \n "_s << false << QString();
    QTest::newRow("existing, other case") << u"AGGRO"_s << false << QString();
}

void TestPlayerStoreCatalogs::phraseTags()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, stored);
    StoreFixture f;
    PlayerStore &store = f.open();
    const QStringList before = store.phraseTagCatalog();
    QCOMPARE(store.addPhraseTag(text), accepted);
    QCOMPARE(store.phraseTagCatalog(), accepted ? before + QStringList{stored} : before);
    QCOMPARE(QFile::exists(f.dir.filePath(u"settings.json"_s)), accepted);
}

void TestPlayerStoreCatalogs::phraseTagLimits()
{
    StoreFixture f;
    PlayerStore &store = f.open();
    QVERIFY(store.addPhraseTag(u"  Tilt   Prone  "_s));
    QVERIFY(!store.addPhraseTag(u"tilt prone"_s));
    QVERIFY(store.addPhraseTag(u"seven"_s));
    QVERIFY(store.addPhraseTag(u"eight"_s));
    QCOMPARE(store.phraseTagCatalog().size(), 8);
    QVERIFY(!store.addPhraseTag(u"nine"_s));
    QCOMPARE(settingsFile(f)[u"phraseTagCatalog"_s].toArray().size(), 8);
}

void TestPlayerStoreCatalogs::removePhraseTagStripsRecords()
{
    StoreFixture f;
    Player withTag = makePlayer(u"A"_s, {}, f.time);
    withTag.phraseTags = QStringList{u"bluffs"_s, u"aggro"_s, u"bluffs"_s};
    Player legacy = makePlayer(u"B"_s, {}, f.time);
    legacy.tags = {PlayerTag::bluffs};
    Player other = makePlayer(u"C"_s, {}, f.time);
    other.phraseTags = QStringList{u"Bluffs"_s};
    PlayerStore &store = f.openWith({withTag, legacy, other});
    f.advance(60'000);
    store.removePhraseTag(3);
    QVERIFY(!store.phraseTagCatalog().contains(u"bluffs"_s));
    QCOMPARE(store.players().at(0).phraseTags, QStringList{u"aggro"_s});
    QCOMPARE(store.players().at(0).updatedAt, f.time.addSecs(-60));
    QCOMPARE(store.players().at(1).effectivePhraseTags(), QStringList{u"bluffs"_s});
    QCOMPARE(store.players().at(2).phraseTags, QStringList{u"Bluffs"_s});
    QCOMPARE(f.savedPlayers(), store.players());

    // No record carries the tag: only the settings are written.
    QFile::remove(f.playersPath());
    QCOMPARE(store.phraseTagCatalog().at(2), u"station"_s);
    store.removePhraseTag(2);
    QVERIFY(!QFile::exists(f.playersPath()));
    QVERIFY(!settingsFile(f)[u"phraseTagCatalog"_s].toArray().contains(u"station"_s));
}

void TestPlayerStoreCatalogs::flagColors()
{
    StoreFixture f;
    TestSupport::writeFile(f.dir.filePath(u"settings.json"_s),
                           R"({"phraseTagCatalog":["x"],"enabledFlagColors":["red"]})");
    PlayerStore &store = f.open();
    const QString path = f.dir.filePath(u"settings.json"_s);
    const QByteArray original = TestSupport::readFile(path);
    QSignalSpy changed(&store, &PlayerStore::enabledFlagColorsChanged);

    store.setFlagColor(PlayerColor::red, false);
    QCOMPARE(store.enabledFlagColors(), QSet<PlayerColor>{PlayerColor::red});
    QCOMPARE(TestSupport::readFile(path), original);

    store.setFlagColor(u"green"_s, true);
    QCOMPARE(changed.size(), 1);
    QFile::remove(path);
    store.setFlagColor(PlayerColor::blue, false);
    QCOMPARE(changed.size(), 1);
    QVERIFY(QFile::exists(path)); // still written
    store.setFlagColor(PlayerColor::red, false);
    QCOMPARE(store.enabledFlagColors(), QSet<PlayerColor>{PlayerColor::green});
    QCOMPARE(settingsFile(f)[u"enabledFlagColors"_s].toArray(), QJsonArray{u"green"_s});
    store.setFlagColor(u"mauve"_s, true);
    QCOMPARE(changed.size(), 2);
}

void TestPlayerStoreCatalogs::orderedEnabledFlagColors()
{
    StoreFixture f;
    TestSupport::writeFile(f.dir.filePath(u"settings.json"_s),
                           R"({"phraseTagCatalog":["x"],"enabledFlagColors":["white","blue","red"]})");
    PlayerStore &store = f.open();
    QCOMPARE(store.orderedEnabledFlagColors(), (QList<PlayerColor>{PlayerColor::red, PlayerColor::blue}));
    QCOMPARE(store.orderedEnabledFlagColorNames(), (QStringList{u"red"_s, u"blue"_s}));
}

void TestPlayerStoreCatalogs::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("expected");

    const QStringList all{u"Bob"_s, u"José"_s, u"Big Fish"_s, u"ZOË"_s, u"Idle"_s};
    QTest::newRow("empty query: everyone") << QString() << all;
    QTest::newRow("lower-cased containment") << u"BO"_s << QStringList{u"Bob"_s};
    QTest::newRow("diacritics ignored") << u"JOSE"_s << QStringList{u"José"_s};
    QTest::newRow("diacritics typed") << u"josé"_s << QStringList{u"José"_s};
    QTest::newRow("diaeresis") << u"zoe"_s << QStringList{u"ZOË"_s};
    QTest::newRow("match keys") << u"b0b"_s << QStringList{u"Bob"_s};
    QTest::newRow("match keys ignore spaces") << u"gf1"_s << QStringList{u"Big Fish"_s};
    QTest::newRow("match key folds i and l") << u"ldle"_s << QStringList{u"Idle"_s};
    QTest::newRow("query not trimmed") << u"g "_s << QStringList{u"Big Fish"_s};
    QTest::newRow("white space alone finds names with it") << u" "_s << QStringList{u"Big Fish"_s};
    QTest::newRow("no match") << u"xyz"_s << QStringList{};
}

void TestPlayerStoreCatalogs::search()
{
    QFETCH(QString, query);
    QFETCH(QStringList, expected);
    StoreFixture f;
    PlayerStore &store = f.openWith({makePlayer(u"Bob"_s, {u"NLHE Ring|1"_s}, f.time),
                                     makePlayer(u"José"_s, {u"-NLHE Ring|1"_s}, f.time),
                                     makePlayer(u"Big Fish"_s, {}, f.time),
                                     makePlayer(u"ZOË"_s, {u"PLO Ring|2"_s}, f.time),
                                     makePlayer(u"Idle"_s, {}, f.time)});
    QSignalSpy changed(&store, &PlayerStore::searchQueryChanged);
    store.setSearchQuery(query);
    QCOMPARE(changed.size(), query.isEmpty() ? 0 : 1);
    QCOMPARE(names(store.searchResults()), expected);
    for (const Player &p : store.players())
        QCOMPARE(PlayerStore::nameMatchesQuery(p.name, query), expected.contains(p.name));
}

void TestPlayerStoreCatalogs::exportContent()
{
    qputenv("TARNWICK_VERSION", "3.4.5");
    StoreFixture f;
    Player first = makePlayer(u"Alpha#1"_s, {u"NLHE Ring|1"_s}, f.time.addMSecs(-1500));
    first.stats = PlayerStats{25.5, 18, 300};
    first.colorIndicator = PlayerColor::red;
    first.phraseTags = QStringList{u"aggro"_s};
    Player second = makePlayer(u"Beta"_s, {}, f.time);
    PlayerStore &store = f.openWith({first, second});
    store.importObservation(observation(u"Waiting"_s, 9, nlheRing, u"1"_s));
    store.setFlagColor(PlayerColor::blue, true);

    const QString path = f.dir.filePath(u"out/export.json"_s);
    QDir().mkpath(f.dir.filePath(u"out"_s));
    const QByteArray playersBefore = TestSupport::readFile(f.playersPath());
    QString error;
    QVERIFY2(store.exportData(path, &error), qPrintable(error));
    QVERIFY(error.isEmpty());
    const QByteArray bytes = TestSupport::readFile(path);
    qunsetenv("TARNWICK_VERSION");

    QVERIFY(bytes.contains("\n    \"appVersion\": \"3.4.5\",\n"));
    QVERIFY(keysSortedInText(bytes));
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    QCOMPARE(root.keys(), (QStringList{u"appVersion"_s, u"exportedAt"_s, u"players"_s, u"schemaVersion"_s,
                                       u"settings"_s}));
    QCOMPARE(root[u"schemaVersion"_s].toInt(), 1);
    QCOMPARE(root[u"exportedAt"_s].toString(), u"2025-01-31T14:02:11Z"_s);
    const QJsonArray players = root[u"players"_s].toArray();
    QCOMPARE(players.size(), 2);
    QCOMPARE(players.at(0)[u"id"_s].toString(), PlayerJson::uuidText(first.id));
    QCOMPARE(players.at(0)[u"createdAt"_s].toString(), u"2025-01-31T14:02:09Z"_s);
    QCOMPARE(players.at(0)[u"seatings"_s][0][u"updatedAt"_s].toString(), u"2025-01-31T14:02:09Z"_s);
    QCOMPARE(players.at(1)[u"name"_s].toString(), u"Beta"_s);
    const QJsonObject settings = root[u"settings"_s].toObject();
    QCOMPARE(settings[u"phraseTagCatalog"_s].toArray().size(), 5);
    QCOMPARE(settings[u"playerTypeCatalog"_s].toArray().size(), 6);
    QCOMPARE(settings[u"enabledFlagColors"_s].toArray().size(), 4);

    // Read back with the export's date form, the records are the stored ones
    // up to whole seconds.
    PlayerJson::Reader reader{PlayerJson::DateForm::iso8601, {}, {}};
    const auto read = reader.player(players.at(1));
    QVERIFY2(read, qPrintable(reader.error));
    QCOMPARE(*read, store.players().at(1));

    // Exporting changed nothing in the store.
    QCOMPARE(store.pendingByID().size(), 1);
    QCOMPARE(TestSupport::readFile(f.playersPath()), playersBefore);
}

void TestPlayerStoreCatalogs::exportErrorGoesToCaller()
{
    StoreFixture f;
    PlayerStore &store = f.open();
    QString error;
    QVERIFY(!store.exportData(f.dir.filePath(u"missing/folder/export.json"_s), &error));
    QVERIFY(error.contains(u"missing/folder/export.json"_s));
    QVERIFY(!QFile::exists(f.dir.filePath(u"missing"_s)));
}

TARNWICK_TEST_MAIN(TestPlayerStoreCatalogs)
#include "tst_playerstore_catalogs.moc"
