#include "TestSupport.h"
#include "reader/TableSnapshot.h"

#include <QJsonDocument>
#include <QJsonObject>

Q_DECLARE_METATYPE(std::optional<TableSnapshot>)

namespace {
QJsonValue json(const char *text)
{
    // Wrapped in an array so scalars and null parse too.
    return QJsonDocument::fromJson(QByteArray("[") + text + "]").array().at(0);
}

TableSnapshot snapshot(std::optional<QString> blind, std::optional<QString> room, std::optional<PopupSnapshot> popup,
                       bool focus)
{
    return TableSnapshot{std::move(blind), std::move(room), std::move(popup), focus};
}

PopupSnapshot popup(const QString &name, std::optional<qint64> id, double vpip, double pfr, qint64 hands)
{
    return PopupSnapshot{name, id, PlayerStats{vpip, pfr, hands}};
}
} // namespace

class TestSnapshot : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scriptIsOneExpression()
    {
        const QString &script = sceneScript();
        QVERIFY(script.startsWith(QLatin1String("(() => {")));
        QVERIFY(script.endsWith(QLatin1String("})()")));
        for (const char *member : {"getScene", "_components", "_children", "activeInHierarchy", "vPipRateLable",
                                   "nicknameLable", "pfrRateLable", "totalHandsLable", "idLable", "playerNickName",
                                   "_player", "userId", "blindInfoLabel", "roomName", "hasFocus"})
            QVERIFY2(script.contains(QLatin1String(member)), member);
    }

    void decode_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<std::optional<TableSnapshot>>("expected");

        QTest::newRow("array") << json("[1]") << std::optional<TableSnapshot>();
        QTest::newRow("string") << json("\"x\"") << std::optional<TableSnapshot>();
        QTest::newRow("null") << json("null") << std::optional<TableSnapshot>();
        QTest::newRow("empty page") << json(R"({"popup":null,"blind":null,"roomName":null,"hasFocus":false})")
                                    << std::optional(snapshot({}, {}, {}, false));
        QTest::newRow("empty object") << json("{}") << std::optional(snapshot({}, {}, {}, false));
        QTest::newRow("ring")
            << json(R"({"popup":{"kind":"ring","name":"Ann","playerId":1234567,"vpip":23,"pfr":17,"hands":412},"blind":"Blinds 1/2","roomName":null,"hasFocus":true})")
            << std::optional(snapshot(QStringLiteral("Blinds 1/2"), {}, popup("Ann", 1234567, 23, 17, 412), true));
        QTest::newRow("tournament hands null")
            << json(R"({"popup":{"kind":"tournament","name":"Bo","playerId":9,"vpip":30,"pfr":20,"hands":null},"blind":"","roomName":"Sunday Million"})")
            << std::optional(snapshot(QString(), QStringLiteral("Sunday Million"), popup("Bo", 9, 30, 20, 0), false));
        QTest::newRow("fractions dropped")
            << json(R"({"popup":{"name":"C","vpip":23.7,"pfr":-1.9,"hands":5.5}})")
            << std::optional(snapshot({}, {}, popup("C", {}, 23, -1, 5), false));
        QTest::newRow("64-bit id exact")
            << json(R"({"popup":{"name":"D","playerId":9007199254740993,"vpip":1,"pfr":1}})")
            << std::optional(snapshot({}, {}, popup("D", Q_INT64_C(9007199254740993), 1, 1, 0), false));
        QTest::newRow("huge id is missing") << json(R"({"popup":{"name":"E","playerId":1e20,"vpip":1,"pfr":1}})")
                                            << std::optional(snapshot({}, {}, popup("E", {}, 1, 1, 0), false));
        QTest::newRow("2^63 is missing")
            << json(R"({"popup":{"name":"E","playerId":9223372036854775808,"vpip":1,"pfr":1,"hands":-1e19}})")
            << std::optional(snapshot({}, {}, popup("E", {}, 1, 1, 0), false));
        QTest::newRow("huge vpip drops the popup") << json(R"({"popup":{"name":"F","vpip":1e300,"pfr":1}})")
                                                   << std::optional(snapshot({}, {}, {}, false));
        const auto withNumbers = [](double vpip, double playerId) {
            return QJsonValue(QJsonObject{{"popup", QJsonObject{{"name", "F"}, {"vpip", vpip}, {"pfr", 1},
                                                                {"playerId", playerId}}}});
        };
        QTest::newRow("infinite vpip drops the popup") << withNumbers(qInf(), 1)
                                                       << std::optional(snapshot({}, {}, {}, false));
        QTest::newRow("NaN vpip drops the popup") << withNumbers(qQNaN(), 1)
                                                  << std::optional(snapshot({}, {}, {}, false));
        QTest::newRow("infinite id is missing") << withNumbers(2, -qInf())
                                                << std::optional(snapshot({}, {}, popup("F", {}, 2, 1, 0), false));
        QTest::newRow("vpip null drops the popup") << json(R"({"popup":{"name":"G","vpip":null,"pfr":3}})")
                                                   << std::optional(snapshot({}, {}, {}, false));
        QTest::newRow("pfr text drops the popup") << json(R"({"popup":{"name":"G","vpip":3,"pfr":"3"}})")
                                                  << std::optional(snapshot({}, {}, {}, false));
        QTest::newRow("name missing drops the popup") << json(R"({"popup":{"vpip":3,"pfr":3}})")
                                                      << std::optional(snapshot({}, {}, {}, false));
        QTest::newRow("popup not an object") << json(R"({"popup":"Ann","blind":7,"hasFocus":"yes"})")
                                             << std::optional(snapshot({}, {}, {}, false));
        QTest::newRow("empty room name is none") << json(R"({"roomName":"","blind":""})")
                                                 << std::optional(snapshot(QString(), {}, {}, false));
    }

    void decode()
    {
        QFETCH(QJsonValue, value);
        QFETCH(std::optional<TableSnapshot>, expected);
        const auto decoded = decodeSnapshot(value);
        QCOMPARE(decoded.has_value(), expected.has_value());
        if (!expected)
            return;
        QCOMPARE(decoded->blindLabel, expected->blindLabel);
        QCOMPARE(decoded->roomName, expected->roomName);
        QCOMPARE(decoded->hasFocus, expected->hasFocus);
        QCOMPARE(decoded->popup.has_value(), expected->popup.has_value());
        if (expected->popup) {
            QCOMPARE(decoded->popup->name, expected->popup->name);
            QCOMPARE(decoded->popup->playerId, expected->popup->playerId);
            QCOMPARE(decoded->popup->stats.vpip, expected->popup->stats.vpip);
            QCOMPARE(decoded->popup->stats.pfr, expected->popup->stats.pfr);
            QCOMPARE(decoded->popup->stats.hands, expected->popup->stats.hands);
        }
        QVERIFY(*decoded == *expected);
    }
};

TARNWICK_TEST_MAIN(TestSnapshot)
#include "tst_snapshot.moc"
