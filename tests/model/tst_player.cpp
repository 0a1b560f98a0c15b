#include "TestSupport.h"

#include "model/PlayerJson.h"

#include <QJsonDocument>
#include <QTimeZone>

using namespace PlayerJson;

namespace {
QJsonObject object(const char *json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

QDateTime at(const char *iso) { return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toUTC(); }

Player fullPlayer()
{
    Player p;
    p.id = QUuid::createUuid();
    p.name = QStringLiteral("Zoë \"the rock\"");
    p.playerId = 9007199254740993LL; // beyond 2^53: must stay exact
    p.stats = PlayerStats{23.5, 18.25, 1204};
    p.colorIndicator = PlayerColor::purple;
    p.tags = {PlayerTag::threeBetWide, PlayerTag::flag};
    p.phraseTags = QStringList{QStringLiteral("aggro")};
    p.villainTypes = QStringList{QStringLiteral("\U0001F988")};
    p.note = QStringLiteral("line one\nline two");
    p.createdAt = at("2025-01-31T14:02:11.250Z");
    p.updatedAt = at("2025-02-01T08:00:00.500Z");
    p.seatings = {Seating{{GameVariant::plo, GameMode::tournament}, QStringLiteral("42"), false, at("2025-01-31T14:02:11Z")},
                  Seating{{GameVariant::nlhe, GameMode::ring}, QString(), true, at("2025-02-01T08:00:00Z")}};
    p.isManuallyNamed = false;
    p.supersededNames = QStringList{QStringLiteral("Zoe")};
    return p;
}
} // namespace

class TestPlayer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void labelsAndKeys()
    {
        QCOMPARE((GameType{GameVariant::plo, GameMode::tournament}).id(), QStringLiteral("PLO Tournament"));
        QCOMPARE((Seating{{GameVariant::nlhe, GameMode::ring}, QStringLiteral("7"), true, {}}).id(), QStringLiteral("NLHE Ring|7"));
        QCOMPARE(rawValue(PlayerTag::threeBetWide), QStringLiteral("threeBetWide"));
        QCOMPARE(allPlayerColors().size(), 8);
        QCOMPARE(allPlayerTags().size(), 12);
    }

    void roundTripKeepsEveryField_data()
    {
        QTest::addColumn<int>("form");
        QTest::newRow("players file") << int(DateForm::referenceSeconds);
        QTest::newRow("export") << int(DateForm::iso8601);
    }

    void roundTripKeepsEveryField()
    {
        QFETCH(int, form);
        const auto dateForm = DateForm(form);
        Player original = fullPlayer();
        if (dateForm == DateForm::iso8601) {
            // The export keeps whole seconds only.
            original.createdAt = at("2025-01-31T14:02:11Z");
            original.updatedAt = at("2025-02-01T08:00:00Z");
        }
        // Through bytes, as the files do.
        const QByteArray bytes = QJsonDocument(toJson(original, dateForm)).toJson(QJsonDocument::Compact);
        Reader reader{dateForm, {}, {}};
        const auto read = reader.player(QJsonDocument::fromJson(bytes).object());
        QVERIFY2(read, qPrintable(reader.error));
        QCOMPARE(read->playerId, original.playerId);
        QVERIFY(*read == original);
    }

    // The players file is written by a direct writer; it must say exactly
    // what the JSON model says, for awkward text too.
    void compactFileMatchesTheJsonModel()
    {
        Player awkward = fullPlayer();
        awkward.name = QStringLiteral("q\"uote \\ back\u0001\u001f\t\n\b\f \u2028 \U0001F468\u200D\U0001F469 é");
        awkward.note = QString(QChar(0xD800)) + QStringLiteral("lone surrogate");
        awkward.stats = PlayerStats{0.1, 1e-7, -5};
        Player plain;
        plain.id = QUuid::createUuid();
        plain.createdAt = referenceDate().addMSecs(-1);
        plain.updatedAt = referenceDate().addMSecs(1234567890123);
        const QList<Player> players{awkward, plain, fullPlayer()};

        const QByteArray bytes = compactPlayersFile(players, [&](const Player &p) { return p.id != players.at(2).id; });
        QJsonParseError error;
        const QJsonDocument parsed = QJsonDocument::fromJson(bytes, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray model{toJson(awkward, DateForm::referenceSeconds), toJson(plain, DateForm::referenceSeconds)};
        // Through text as well, so both sides treat the lone surrogate alike.
        const QJsonArray expected = QJsonDocument::fromJson(QJsonDocument(model).toJson()).array();
        QCOMPARE(parsed.array(), expected);
        QCOMPARE(compactPlayersFile({}), QByteArray("[]"));
    }

    void writesTheDocumentedShape()
    {
        Player p;
        p.id = QUuid::fromString(QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}"));
        p.name = QStringLiteral("bob");
        p.createdAt = referenceDate().addSecs(60);
        p.updatedAt = referenceDate().addMSecs(1500);
        const QJsonObject json = toJson(p, DateForm::referenceSeconds);
        QCOMPARE(json.value(QLatin1String("id")).toString(), QStringLiteral("0F8FAD5B-D9CB-469F-A165-70867728950E"));
        QCOMPARE(json.value(QLatin1String("createdAt")).toDouble(), 60.0);
        QCOMPARE(json.value(QLatin1String("updatedAt")).toDouble(), 1.5);
        // Always written, even when empty; absent optionals are left out.
        QCOMPARE(json.value(QLatin1String("tags")).toArray().size(), 0);
        QCOMPARE(json.value(QLatin1String("note")).toString(), QString());
        QCOMPARE(json.value(QLatin1String("seatings")).toArray().size(), 0);
        const QStringList keys = json.keys();
        for (const char *absentKey : {"playerId", "stats", "colorIndicator", "phraseTags", "villainTypes",
                                      "isManuallyNamed", "supersededNames", "gameType", "tableID", "isActive"})
            QVERIFY2(!keys.contains(QLatin1String(absentKey)), absentKey);

        QCOMPARE(toJson(at("2025-01-31T14:02:11.900Z"), DateForm::iso8601).toString(), QStringLiteral("2025-01-31T14:02:11Z"));
    }

    void readsLegacyRecords_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("seatingCount");
        QTest::addColumn<QString>("seatingKey");
        QTest::addColumn<bool>("active");

        QTest::newRow("empty seatings, no game type")
            << QByteArray(R"({"id":"0f8fad5b-d9cb-469f-a165-70867728950e","name":"a","seatings":[],"createdAt":1,"updatedAt":2,"tags":[],"note":""})")
            << 0 << QString() << false;
        QTest::newRow("single-table record")
            << QByteArray(R"({"id":"0F8FAD5B-D9CB-469F-A165-70867728950E","name":"a","gameType":{"variant":"PLO","mode":"Tournament"},"tableID":"42","createdAt":1,"updatedAt":2})")
            << 1 << QStringLiteral("PLO Tournament|42") << true;
        QTest::newRow("empty seatings with game type")
            << QByteArray(R"({"id":"0F8FAD5B-D9CB-469F-A165-70867728950E","name":"a","seatings":[],"gameType":{"variant":"NLHE","mode":"Ring"},"isActive":false,"createdAt":1,"updatedAt":2})")
            << 1 << QStringLiteral("NLHE Ring|") << false;
        QTest::newRow("null seatings with game type")
            << QByteArray(R"({"id":"0F8FAD5B-D9CB-469F-A165-70867728950E","name":"a","seatings":null,"gameType":{"variant":"NLHE","mode":"Ring"},"tableID":"9","createdAt":1,"updatedAt":2})")
            << 1 << QStringLiteral("NLHE Ring|9") << true;
    }

    void readsLegacyRecords()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, seatingCount);
        QFETCH(QString, seatingKey);
        QFETCH(bool, active);

        Reader reader;
        const auto p = reader.player(QJsonDocument::fromJson(json).object());
        QVERIFY2(p, qPrintable(reader.error));
        QCOMPARE(p->seatings.size(), seatingCount);
        if (seatingCount == 1) {
            QCOMPARE(p->seatings.first().id(), seatingKey);
            QCOMPARE(p->seatings.first().isActive, active);
            QCOMPARE(p->seatings.first().updatedAt, p->updatedAt);
        }
        // Written back with "seatings" and without the legacy keys; reads back equal.
        const QJsonObject written = toJson(*p, DateForm::referenceSeconds);
        QVERIFY(written.contains(QLatin1String("seatings")));
        QVERIFY(!written.contains(QLatin1String("gameType")));
        QVERIFY(!written.contains(QLatin1String("tableID")));
        QVERIFY(!written.contains(QLatin1String("isActive")));
        QCOMPARE(*Reader().player(written), *p);
    }

    void defaultsForMissingOptionalKeys()
    {
        const QDateTime fixed = at("2026-03-01T10:00:00Z");
        Reader reader{DateForm::referenceSeconds, [&] { return fixed; }, {}};
        const auto p = reader.player(object(R"({"id":"0f8fad5b-d9cb-469f-a165-70867728950e","name":"a","playerId":null,"stats":null})"));
        QVERIFY2(p, qPrintable(reader.error));
        QVERIFY(p->tags.isEmpty());
        QCOMPARE(p->note, QString());
        QVERIFY(!p->playerId);
        QVERIFY(!p->stats);
        QVERIFY(!p->phraseTags);
        QCOMPARE(p->createdAt, fixed);
        QCOMPARE(p->updatedAt, fixed);
        const QJsonObject written = toJson(*p, DateForm::referenceSeconds);
        QVERIFY(written.contains(QLatin1String("tags")));
        QVERIFY(written.contains(QLatin1String("note")));
    }

    void rejectsBadRecords_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("errorPath");

        const QByteArray id = R"("id":"0F8FAD5B-D9CB-469F-A165-70867728950E")";
        QTest::newRow("missing id") << QByteArray(R"({"name":"a"})") << QStringLiteral("player.id");
        QTest::newRow("id not a UUID") << QByteArray(R"({"id":"nope","name":"a"})") << QStringLiteral("player.id");
        QTest::newRow("missing name") << QByteArray("{" + id + "}") << QStringLiteral("player.name");
        QTest::newRow("name is a number") << QByteArray("{" + id + R"(,"name":5})") << QStringLiteral("player.name");
        QTest::newRow("unknown colour") << QByteArray("{" + id + R"(,"name":"a","colorIndicator":"teal"})") << QStringLiteral("player.colorIndicator");
        QTest::newRow("unknown tag") << QByteArray("{" + id + R"(,"name":"a","tags":["fish","shark"]})") << QStringLiteral("player.tags");
        QTest::newRow("fractional hands") << QByteArray("{" + id + R"(,"name":"a","stats":{"vpip":1,"pfr":1,"hands":2.5}})") << QStringLiteral("player.stats.hands");
        QTest::newRow("stats without pfr") << QByteArray("{" + id + R"(,"name":"a","stats":{"vpip":1,"hands":2}})") << QStringLiteral("player.stats.pfr");
        QTest::newRow("seating without isActive")
            << QByteArray("{" + id + R"(,"name":"a","seatings":[{"gameType":{"variant":"NLHE","mode":"Ring"},"tableID":"1","updatedAt":3}]})")
            << QStringLiteral("player.seatings[0].isActive");
        QTest::newRow("unknown variant")
            << QByteArray("{" + id + R"(,"name":"a","gameType":{"variant":"Stud","mode":"Ring"}})") << QStringLiteral("player.gameType.variant");
        QTest::newRow("date as text in players file") << QByteArray("{" + id + R"(,"name":"a","createdAt":"2025-01-01T00:00:00Z"})") << QStringLiteral("player.createdAt");
        QTest::newRow("phrase tags not strings") << QByteArray("{" + id + R"(,"name":"a","phraseTags":[1]})") << QStringLiteral("player.phraseTags[0]");
    }

    void rejectsBadRecords()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, errorPath);
        Reader reader;
        QVERIFY(!reader.player(QJsonDocument::fromJson(json).object()));
        QVERIFY2(reader.error.startsWith(errorPath + QLatin1String(": ")), qPrintable(reader.error));
    }

    void oneBadRecordFailsTheList()
    {
        Reader reader;
        const QJsonArray list = QJsonDocument::fromJson(
            R"([{"id":"0F8FAD5B-D9CB-469F-A165-70867728950E","name":"a"},{"id":"0F8FAD5B-D9CB-469F-A165-70867728950F","name":"b","tags":["x"]}])").array();
        QVERIFY(!reader.players(list));
        QVERIFY(reader.error.startsWith(QLatin1String("players[1].tags")));
    }

    void derivedValues()
    {
        Player legacy;
        legacy.tags = {PlayerTag::nit, PlayerTag::foldProne, PlayerTag::aggro};
        QCOMPARE(legacy.effectivePhraseTags(), (QStringList{QStringLiteral("tilt-prone"), QStringLiteral("aggro")}));
        QCOMPARE(legacy.effectiveVillainTypes(), QStringList{QStringLiteral("\U0001F422")});

        Player modern = legacy;
        modern.villainTypes = QStringList{};
        modern.phraseTags = QStringList{QStringLiteral("station")};
        QVERIFY(modern.effectiveVillainTypes().isEmpty());
        QCOMPARE(modern.effectivePhraseTags(), QStringList{QStringLiteral("station")});

        Player all;
        all.tags = allPlayerTags();
        QCOMPARE(all.effectiveVillainTypes().size(), 5);
        QCOMPARE(all.effectivePhraseTags(),
                 (QStringList{QStringLiteral("aggro"), QStringLiteral("3bet-wide"), QStringLiteral("calls-down"),
                              QStringLiteral("bluffs"), QStringLiteral("tilt-prone")}));
    }

    void mostRecentSeatingPrefersTheFirstOfEquals()
    {
        const QDateTime t = at("2025-01-01T00:00:00Z");
        Player p;
        QVERIFY(!p.mostRecentSeating());
        p.seatings = {Seating{{}, QStringLiteral("1"), true, t.addSecs(-5)},
                      Seating{{}, QStringLiteral("2"), true, t},
                      Seating{{}, QStringLiteral("3"), true, t}};
        QCOMPARE(p.mostRecentSeating()->tableID, QStringLiteral("2"));
    }
};

TARNWICK_TEST_MAIN(TestPlayer)
#include "tst_player.moc"
