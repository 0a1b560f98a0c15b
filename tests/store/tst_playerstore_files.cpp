#include "TestSupport.h"

#include "model/PlayerJson.h"
#include "services/Analytics.h"
#include "store/PlayerStore.h"

#include <QDir>
#include <QJsonDocument>
#include <QTimeZone>

namespace {
const QDateTime t0 = QDateTime(QDate(2026, 3, 1), QTime(10, 0), QTimeZone::utc());

Player record(const char *name, std::optional<qint64> playerId, QDateTime createdAt)
{
    Player p;
    p.id = QUuid::createUuid();
    p.name = QString::fromUtf8(name);
    p.playerId = playerId;
    p.createdAt = createdAt;
    p.updatedAt = createdAt;
    return p;
}

Seating seat(const char *table, bool active, QDateTime when, GameType type = {})
{
    return Seating{type, QString::fromLatin1(table), active, when};
}

QByteArray playersFile(const QList<Player> &players)
{
    return QJsonDocument(PlayerJson::toJson(players, PlayerJson::DateForm::referenceSeconds)).toJson(QJsonDocument::Compact);
}

QList<Player> readPlayersFile(const QString &path)
{
    PlayerJson::Reader reader;
    const auto players = reader.players(QJsonDocument::fromJson(TestSupport::readFile(path)).array());
    return players.value_or(QList<Player>{});
}
} // namespace

class TestPlayerStoreFiles : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString dataDir() const { return m_dir.filePath(QStringLiteral("Tarnwick")); }
    QString file(const char *name) const { return QDir(dataDir()).filePath(QString::fromLatin1(name)); }

private Q_SLOTS:
    void init()
    {
        QDir(dataDir()).removeRecursively();
        TestSupport::clearSettings();
        Analytics::resetForTesting();
    }

    void firstStartCreatesTheFolderAndWritesNothing()
    {
        const QString nested = m_dir.filePath(QStringLiteral("deep/er/Tarnwick"));
        PlayerStore store(nested, [] { return t0; });
        QVERIFY(QFileInfo(nested).isDir());
        QVERIFY(QDir(nested).entryList(QDir::Files).isEmpty());
        QVERIFY(store.players().isEmpty());
        QCOMPARE(store.phraseTagCatalog(), PlayerStore::defaultPhraseTagCatalog());
        QCOMPARE(store.playerTypeCatalog(), PlayerStore::defaultPlayerTypeCatalog());
        QCOMPARE(store.enabledFlagColors(), PlayerStore::defaultEnabledFlagColors());
        QCOMPARE(store.storageURL(), QDir(nested).filePath(QStringLiteral("players.json")));
        QCOMPARE(QFileInfo(store.settingsURL()).fileName(), QStringLiteral("settings.json"));
        QCOMPARE(QFileInfo(store.tableCardOrderURL()).fileName(), QStringLiteral("table-card-order.json"));
        QCOMPARE(QFileInfo(store.tableTitlesURL()).fileName(), QStringLiteral("table-titles.json"));
    }

    void savesAreCompactAtomicAndReadBack()
    {
        Player p = record("Ann", 3, t0);
        p.seatings = {seat("5", true, t0)};
        TestSupport::writeFile(file("players.json"), playersFile({p}));
        {
            PlayerStore store(dataDir());
            QCOMPARE(store.players().size(), 1);
            QVERIFY(store.players().first() == p);
            store.savePlayers();
            store.saveSettings();
            store.saveTableCardOrder();
            store.saveTableTitles();
        }
        for (const char *name : {"players.json", "settings.json", "table-card-order.json", "table-titles.json"}) {
            const QByteArray bytes = TestSupport::readFile(file(name));
            QVERIFY2(!bytes.isEmpty(), name);
            QVERIFY2(!bytes.contains('\n') && !bytes.contains("  "), name); // compact
            QVERIFY2(!QJsonDocument::fromJson(bytes).isNull(), name);
        }
        // Only the four files: the temporary file was renamed over the target.
        QCOMPARE(QDir(dataDir()).entryList(QDir::Files | QDir::Hidden).size(), 4);
        QCOMPARE(TestSupport::readFile(file("table-card-order.json")), QByteArray("[]"));
        const QJsonObject settings = QJsonDocument::fromJson(TestSupport::readFile(file("settings.json"))).object();
        QCOMPARE(settings.value(QLatin1String("playerTypeCatalog")).toArray().size(), 6);
        QCOMPARE(settings.value(QLatin1String("enabledFlagColors")).toArray().size(), 3);

        PlayerStore again(dataDir());
        QVERIFY(again.players() == QList<Player>{p});
    }

    void mergesDuplicatesByPlayerId()
    {
        Player later = record("Seven", 7, t0);                // 10:00
        later.seatings = {seat("1", true, t0.addSecs(60)), seat("2", false, t0)};
        later.note = QStringLiteral("B");
        later.tags = {PlayerTag::fish, PlayerTag::nit};
        later.phraseTags = QStringList{QStringLiteral("aggro"), QStringLiteral("station")};
        later.colorIndicator = PlayerColor::red;
        later.supersededNames = QStringList{QStringLiteral("Sev")};
        later.stats = PlayerStats{1, 2, 3};
        Player canonical = record("seven", 7, t0.addSecs(-3600)); // 09:00
        canonical.seatings = {seat("1", false, t0)};
        canonical.note = QStringLiteral("A");
        canonical.tags = {PlayerTag::nit};
        canonical.villainTypes = QStringList{QStringLiteral("\U0001F422")};
        Player other = record("Other", 8, t0);

        TestSupport::writeFile(file("players.json"), playersFile({later, other, canonical}));
        TestSupport::LogCapture log;
        PlayerStore store(dataDir());

        // The merged record keeps the canonical record's place.
        QCOMPARE(store.players().size(), 2);
        QCOMPARE(store.players().at(0).id, other.id);
        const Player &merged = store.players().at(1);
        QCOMPARE(merged.id, canonical.id);
        QCOMPARE(merged.name, QStringLiteral("seven"));
        QCOMPARE(merged.createdAt, canonical.createdAt);
        QCOMPARE(merged.updatedAt, canonical.updatedAt);
        // The later seating at table 1 wins; table 2 is appended.
        QCOMPARE(merged.seatings.size(), 2);
        QCOMPARE(merged.seatings[0], seat("1", true, t0.addSecs(60)));
        QCOMPARE(merged.seatings[1], seat("2", false, t0));
        QCOMPARE(merged.note, QStringLiteral("A\n\nB"));
        QCOMPARE(merged.tags, (QList<PlayerTag>{PlayerTag::nit, PlayerTag::fish}));
        QCOMPARE(merged.phraseTags, (QStringList{QStringLiteral("aggro"), QStringLiteral("station")}));
        QCOMPARE(merged.colorIndicator, PlayerColor::red);
        QCOMPARE(merged.supersededNames, QStringList{QStringLiteral("Sev")});
        QCOMPARE(merged.stats, (PlayerStats{1, 2, 3}));
        QCOMPARE(merged.villainTypes, QStringList{QStringLiteral("\U0001F422")});

        QCOMPARE(log.lines, QStringList{QStringLiteral("Merge [playerId]: collapsed 1 duplicate row(s) into canonical profiles")});
        QCOMPARE(readPlayersFile(store.storageURL()), store.players());
    }

    void mergeFoldsNotesAndFlags_data()
    {
        QTest::addColumn<QString>("canonicalNote");
        QTest::addColumn<QString>("duplicateNote");
        QTest::addColumn<QString>("mergedNote");
        QTest::newRow("same note with spaces around") << "calls light" << "  calls light \n" << "calls light";
        QTest::newRow("two notes") << "A" << "B" << "A\n\nB";
        QTest::newRow("canonical empty") << " \n" << " B " << " B ";
        QTest::newRow("duplicate empty") << "A" << "   " << "A";
    }

    void mergeFoldsNotesAndFlags()
    {
        QFETCH(QString, canonicalNote);
        QFETCH(QString, duplicateNote);
        QFETCH(QString, mergedNote);
        Player canonical = record("a", 1, t0);
        canonical.note = canonicalNote;
        Player duplicate = record("A manual", 1, t0); // same time: the earlier in the list is canonical
        duplicate.note = duplicateNote;
        duplicate.isManuallyNamed = true;
        // An older seating that is active reactivates the canonical one without touching its time.
        canonical.seatings = {seat("9", false, t0)};
        duplicate.seatings = {seat("9", true, t0.addSecs(-10))};
        TestSupport::writeFile(file("players.json"), playersFile({canonical, duplicate}));

        PlayerStore store(dataDir());
        QCOMPARE(store.players().size(), 1);
        const Player &merged = store.players().first();
        QCOMPARE(merged.id, canonical.id);
        QCOMPARE(merged.note, mergedNote);
        QCOMPARE(merged.name, QStringLiteral("A manual"));
        QCOMPARE(merged.isManuallyNamed, std::optional<bool>(true));
        QCOMPARE(merged.seatings, QList<Seating>{seat("9", true, t0)});
    }

    void noDuplicatesMeansNoWriteAndNoLog()
    {
        const QByteArray original = playersFile({record("a", 1, t0), record("b", 2, t0), record("c", std::nullopt, t0), record("d", std::nullopt, t0)});
        TestSupport::writeFile(file("players.json"), original);
        TestSupport::LogCapture log;
        PlayerStore store(dataDir());
        QCOMPARE(store.players().size(), 4);
        QVERIFY(log.lines.isEmpty());
        QCOMPARE(TestSupport::readFile(file("players.json")), original);
    }

    void titleKeysWithMarkupAreDroppedAndRewritten()
    {
        TestSupport::writeFile(file("table-titles.json"),
                               R"({"NLHE Ring|5":"Blinds 1/2","PLO Ring|<b>6</b>":"x","NLHE Tournament|7>":"y"})");
        PlayerStore store(dataDir());
        QCOMPARE(store.tableTitles(), (QMap<QString, QString>{{QStringLiteral("NLHE Ring|5"), QStringLiteral("Blinds 1/2")}}));
        QCOMPARE(QJsonDocument::fromJson(TestSupport::readFile(file("table-titles.json"))).object(),
                 (QJsonObject{{QLatin1String("NLHE Ring|5"), QLatin1String("Blinds 1/2")}}));
    }

    void cleanTitlesAreNotRewritten()
    {
        const QByteArray original = R"({"NLHE Ring|5" : "Blinds 1/2"})";
        TestSupport::writeFile(file("table-titles.json"), original);
        PlayerStore store(dataDir());
        QCOMPARE(store.tableTitles().size(), 1);
        QCOMPARE(TestSupport::readFile(file("table-titles.json")), original);
    }

    void settingsFileRules_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("phraseTags");
        QTest::addColumn<QStringList>("colors");
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<bool>("failed");

        const QStringList defaultTags = PlayerStore::defaultPhraseTagCatalog();
        const QStringList defaultColors = {QStringLiteral("red"), QStringLiteral("yellow"), QStringLiteral("green")};
        QStringList defaultTypes;
        for (const PlayerType &t : PlayerStore::defaultPlayerTypeCatalog())
            defaultTypes.append(t.emoji);

        QTest::newRow("empty phrase tags keep the defaults")
            << QByteArray(R"({"phraseTagCatalog":[],"enabledFlagColors":["blue"]})") << defaultTags << QStringList{"blue"} << defaultTypes << false;
        QTest::newRow("unknown colours only keep the defaults")
            << QByteArray(R"({"phraseTagCatalog":["x"],"enabledFlagColors":["teal","mauve"]})") << QStringList{"x"} << defaultColors << defaultTypes << false;
        QTest::newRow("unknown colours are skipped")
            << QByteArray(R"({"phraseTagCatalog":["x"],"enabledFlagColors":["teal","pink","red"]})") << QStringList{"x"} << QStringList{"red", "pink"} << defaultTypes << false;
        QTest::newRow("empty type catalog is taken")
            << QByteArray(R"({"phraseTagCatalog":["x"],"enabledFlagColors":["red"],"playerTypeCatalog":[]})") << QStringList{"x"} << QStringList{"red"} << QStringList{} << false;
        QTest::newRow("type catalog beyond the limits is used as read")
            << QByteArray(R"({"phraseTagCatalog":["x"],"enabledFlagColors":["red"],"playerTypeCatalog":[{"emoji":"ab"},{"emoji":"ab"}]})") << QStringList{"x"} << QStringList{"red"} << QStringList{"ab", "ab"} << false;
        QTest::newRow("missing colours fail as a whole")
            << QByteArray(R"({"phraseTagCatalog":["x"],"playerTypeCatalog":[]})") << defaultTags << defaultColors << defaultTypes << true;
        QTest::newRow("not JSON") << QByteArray("{nope") << defaultTags << defaultColors << defaultTypes << true;
    }

    void settingsFileRules()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, phraseTags);
        QFETCH(QStringList, colors);
        QFETCH(QStringList, types);
        QFETCH(bool, failed);
        TestSupport::writeFile(file("settings.json"), json);
        TestSupport::LogCapture log;
        PlayerStore store(dataDir());
        QCOMPARE(store.phraseTagCatalog(), phraseTags);
        QCOMPARE(store.enabledFlagColorNames(), colors);
        QCOMPARE(store.playerTypeEmojis(), types);
        QCOMPARE(log.lines.size(), failed ? 1 : 0);
        if (failed)
            QVERIFY(log.lines.first().startsWith(QLatin1String("Failed to load settings: ")));
    }

    // A corrupt file must never be overwritten: the user's opponents would be lost.
    void unreadablePlayersFileIsKeptAside()
    {
        const QByteArray corrupt = "[{\"id\":\"0F8FAD5B-D9CB-469F-A165-70867728950E\",\"name\":\"Ann\"},\xff truncated";
        TestSupport::writeFile(file("players.json"), corrupt);
        TestSupport::LogCapture log;
        PlayerStore store(dataDir(), [] { return t0; });
        QVERIFY(store.players().isEmpty());
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(log.lines.first().startsWith(QLatin1String("Failed to load players: ")));
        // Loading alone changes nothing on disk.
        QCOMPARE(TestSupport::readFile(file("players.json")), corrupt);

        store.savePlayers();
        const QString aside = file("players.json.unreadable-20260301T100000Z");
        QCOMPARE(TestSupport::readFile(aside), corrupt);
        QCOMPARE(TestSupport::readFile(file("players.json")), QByteArray("[]"));
        QCOMPARE(log.lines.last(), QStringLiteral("Moved unreadable players.json aside to players.json.unreadable-20260301T100000Z"));

        // Later saves replace the new file normally and leave the kept one alone.
        store.savePlayers();
        QCOMPARE(QDir(dataDir()).entryList({QStringLiteral("players.json.unreadable-*")}, QDir::Files).size(), 1);
        QCOMPARE(TestSupport::readFile(aside), corrupt);
    }

    void everyUnreadableFileIsKeptAside()
    {
        TestSupport::writeFile(file("settings.json"), R"({"phraseTagCatalog":["mine"]})");
        TestSupport::writeFile(file("table-card-order.json"), R"({"not":"a list"})");
        TestSupport::writeFile(file("table-titles.json"), R"(["not an object"])");
        TestSupport::writeFile(file("players.json.unreadable-20260301T100000Z"), "older");
        PlayerStore store(dataDir(), [] { return t0; });
        store.saveSettings();
        store.saveTableCardOrder();
        store.saveTableTitles();
        QCOMPARE(TestSupport::readFile(file("settings.json.unreadable-20260301T100000Z")), QByteArray(R"({"phraseTagCatalog":["mine"]})"));
        QCOMPARE(TestSupport::readFile(file("table-card-order.json.unreadable-20260301T100000Z")), QByteArray(R"({"not":"a list"})"));
        QCOMPARE(TestSupport::readFile(file("table-titles.json.unreadable-20260301T100000Z")), QByteArray(R"(["not an object"])"));
        QCOMPARE(TestSupport::readFile(file("players.json.unreadable-20260301T100000Z")), QByteArray("older"));
    }

    void saveFailuresAreLoggedAndReported()
    {
        TestSupport::setSetting(QLatin1String(Analytics::consentCrashKey), true);
        qputenv("TARNWICK_CRASH_DSN", "https://key@crash.invalid/1");
        TestSupport::RecordingAnalytics analytics;
        Analytics::startCrashReporting();
        qunsetenv("TARNWICK_CRASH_DSN");

        // A plain file where the data folder should be makes every write
        // fail, even as root.
        const QString notAFolder = m_dir.filePath(QStringLiteral("not-a-folder"));
        TestSupport::writeFile(notAFolder, "x");
        TestSupport::LogCapture log;
        PlayerStore store(notAFolder);
        log.lines.clear();
        analytics.reports.clear();
        store.savePlayers();
        store.saveTableCardOrder();
        store.saveTableTitles();
        store.saveSettings();
        QCOMPARE(log.lines.size(), 4);
        QVERIFY(log.lines[0].startsWith(QLatin1String("Failed to save players: ")));
        QVERIFY(log.lines[1].startsWith(QLatin1String("Failed to save table card order: ")));
        QVERIFY(log.lines[2].startsWith(QLatin1String("Failed to save table titles: ")));
        QVERIFY(log.lines[3].startsWith(QLatin1String("Failed to save settings: ")));
        // Only the players file is worth a crash report.
        QCOMPARE(analytics.reports.size(), 1);
        QCOMPARE(analytics.reports.first().tags.value(QStringLiteral("category")), QStringLiteral("playerStore.save"));
    }

    void loadFailureIsReportedWithConsent()
    {
        TestSupport::setSetting(QLatin1String(Analytics::consentCrashKey), true);
        qputenv("TARNWICK_CRASH_DSN", "https://key@crash.invalid/1");
        TestSupport::RecordingAnalytics analytics;
        Analytics::startCrashReporting();
        qunsetenv("TARNWICK_CRASH_DSN");

        TestSupport::writeFile(file("players.json"), "{}");
        TestSupport::LogCapture log;
        PlayerStore store(dataDir());
        QCOMPARE(analytics.reports.size(), 1);
        QCOMPARE(analytics.reports.first().tags.value(QStringLiteral("category")), QStringLiteral("playerStore.load"));
        QCOMPARE(QStringLiteral("Failed to load players: ") + analytics.reports.first().text, log.lines.first());
    }

    // The fixed log lines of a start with every file damaged.
    void startupLogLinesMatchTheGoldenFile()
    {
        TestSupport::writeFile(file("players.json"), R"([{"id":"0F8FAD5B-D9CB-469F-A165-70867728950E"}])");
        TestSupport::writeFile(file("table-card-order.json"), R"(["NLHE Ring|1",2])");
        TestSupport::writeFile(file("table-titles.json"), R"({"NLHE Ring|1":3})");
        TestSupport::writeFile(file("settings.json"), R"({"enabledFlagColors":["red"]})");
        TestSupport::LogCapture log;
        PlayerStore store(dataDir());
        const QString goldenPath = QFINDTESTDATA("golden/startup-damaged-files.log");
        QVERIFY(!goldenPath.isEmpty());
        const QString actual = log.lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
        const QString expected = QString::fromUtf8(TestSupport::readFile(goldenPath));
        if (actual != expected) {
            TestSupport::writeFile(goldenPath + QStringLiteral(".fail"), actual.toUtf8());
            QFAIL(qPrintable(QStringLiteral("log differs from %1; see %1.fail (diff -u)").arg(goldenPath)));
        }
    }
};

TARNWICK_TEST_MAIN(TestPlayerStoreFiles)
#include "tst_playerstore_files.moc"
