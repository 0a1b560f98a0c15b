#include "ReaderTestSupport.h"
#include "TestSupport.h"
#include "reader/CDPClient.h"
#include "reader/TableSnapshot.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

// The scene-reading script in a real page: Chromium with the table
// simulator, driven through our own DevTools client.
class TestSceneScriptChromium : public QObject {
    Q_OBJECT

    SimulatorBrowser browser;
    std::shared_ptr<CDPClient> client;

    QJsonValue run(const QString &expression)
    {
        const auto result = awaitTask(client->evaluate(expression));
        if (!result || !result->ok()) {
            qWarning() << "evaluation failed:" << (result ? result->error().description() : QStringLiteral("hung"));
            return QJsonValue(QJsonValue::Undefined);
        }
        return result->value().value_or(QJsonValue(QJsonValue::Undefined));
    }

    // The script's raw result object.
    QJsonObject read() { return run(sceneScript()).toObject(); }
    QJsonObject readPopup() { return read().value("popup").toObject(); }

    // Builds a scene from a function body that gets Node and label and
    // returns the root.
    void buildScene(const QString &body)
    {
        QVERIFY(run(QStringLiteral("(() => { const {Node, label} = sim; const build = () => { %1 }; "
                                   "sim.setScene(build()); return true; })()")
                        .arg(body))
                    .toBool());
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!QFileInfo(QStringLiteral("/usr/bin/chromium")).isExecutable())
            QSKIP("Chromium is not installed (tools/setup-debian.sh installs it)");
        QVERIFY(browser.start({SimulatorBrowser::pageURL(QStringLiteral("room_id=1&game_id=1&blind=Blinds%201%2F2"))}));
        const QList<CDPTarget> pages = browser.pages();
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages.first().url.contains(QLatin1String("clubwpt")));
        QVERIFY(pages.first().url.contains(QLatin1String("room_id=1")));
        client = std::make_shared<CDPClient>(QUrl(pages.first().webSocketDebuggerUrl));
        client->connect();
        QTRY_VERIFY_WITH_TIMEOUT(run(QStringLiteral("typeof sim === 'object'")).toBool(), 10000);
    }

    void init() { QVERIFY(run(QStringLiteral("sim.reset(), true")).toBool()); }

    void cleanupTestCase()
    {
        if (client)
            client->disconnect();
        browser.stop();
    }

    void tableWithoutPopup()
    {
        const QJsonObject result = read();
        QCOMPARE(result.keys(), (QStringList{"blind", "hasFocus", "popup", "roomName"}));
        QCOMPARE(result.value("blind").toString(), QStringLiteral("Blinds 1/2"));
        QVERIFY(result.value("popup").isNull());
        QVERIFY(result.value("roomName").isNull());
        QVERIFY(result.value("hasFocus").isBool());
    }

    void pageWithoutScene()
    {
        run(QStringLiteral("sim.setScene(null)"));
        QJsonObject result = read();
        QVERIFY(result.value("popup").isNull() && result.value("blind").isNull() && result.value("roomName").isNull());
        run(QStringLiteral("window.savedCC = window.cc; delete window.cc"));
        result = read();
        QVERIFY(result.value("popup").isNull());
        QVERIFY(result.value("hasFocus").isBool());
        run(QStringLiteral("window.cc = window.savedCC"));
    }

    void ringPopup_data()
    {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("percent labels") << "{name: 'Ann', id: 1234567, vpip: '23%', pfr: '17%', hands: '412'}"
                                        << QByteArray(R"({"kind":"ring","name":"Ann","playerId":1234567,"vpip":23,"pfr":17,"hands":412})");
        QTest::newRow("id without digits") << "{name: 'Bo', id: 'none', vpip: ' +5', pfr: '-3x', hands: 'n/a'}"
                                           << QByteArray(R"({"kind":"ring","name":"Bo","playerId":null,"vpip":5,"pfr":-3,"hands":null})");
        QTest::newRow("first digit run") << "{name: 'Cy', id: 'x12y34', vpip: 'abc', pfr: '', hands: '7.9'}"
                                         << QByteArray(R"({"kind":"ring","name":"Cy","playerId":12,"vpip":null,"pfr":null,"hands":7})");
    }

    void ringPopup()
    {
        QFETCH(QString, open);
        QFETCH(QByteArray, expected);
        run(QStringLiteral("sim.openRingPopup(%1)").arg(open));
        QCOMPARE(readPopup(), QJsonDocument::fromJson(expected).object());
    }

    void hugeIdDecodesAsMissing()
    {
        run(QStringLiteral("sim.openRingPopup({name: 'Dee', id: '123456789012345678901234', vpip: 1, pfr: 2, hands: 3})"));
        const auto snapshot = decodeSnapshot(run(sceneScript()));
        QVERIFY(snapshot && snapshot->popup);
        QCOMPARE(snapshot->popup->playerId, std::nullopt);
        QCOMPARE(snapshot->popup->stats, (PlayerStats{1, 2, 3}));
    }

    void tournamentPopup()
    {
        run(QStringLiteral("sim.openTournamentPopup({name: 'Eve', userId: 987654, vpip: '31%', pfr: '12'})"));
        QCOMPARE(readPopup(),
                 QJsonDocument::fromJson(R"({"kind":"tournament","name":"Eve","playerId":987654,"vpip":31,"pfr":12,"hands":null})")
                     .object());
        run(QStringLiteral("sim.openTournamentPopup({name: 'Fay', userId: null, vpip: '1', pfr: '2'})"));
        QVERIFY(readPopup().value("playerId").isNull());
        const auto snapshot = decodeSnapshot(run(sceneScript()));
        QCOMPARE(snapshot->popup->stats.hands, 0);
    }

    // A closed popup keeps its labels, but its node is inactive.
    void inactivePopupIsSkipped()
    {
        run(QStringLiteral("sim.openRingPopup({name: 'Gil', id: 5, vpip: 1, pfr: 1, hands: 1})"));
        QCOMPARE(readPopup().value("name").toString(), QStringLiteral("Gil"));
        run(QStringLiteral("sim.closePopup()"));
        QVERIFY(read().value("popup").isNull());
    }

    // Pre-order: a popup deep in the first subtree wins over a shallower one
    // in a later subtree; a popup under a hidden ancestor does not count.
    void firstPopupInPreOrderWins()
    {
        buildScene(QStringLiteral(R"(
            const ring = (parent, name, active) => {
                const n = new Node(name, parent, active);
                n.addComponent({nicknameLable: label(name), vPipRateLable: label('1'), pfrRateLable: label('1'),
                                totalHandsLable: label('1'), idLable: label('ID 1')});
                return n;
            };
            const s = new Node('Scene');
            const hidden = new Node('Hidden', s, false);
            ring(hidden, 'UnderHidden', true);
            const a = new Node('A', s);
            const a1 = new Node('A1', a);
            ring(a1, 'Deep', true);
            ring(s, 'Shallow', true);
            return s;)"));
        QCOMPARE(readPopup().value("name").toString(), QStringLiteral("Deep"));

        buildScene(QStringLiteral(R"(
            const s = new Node('Scene');
            const n = new Node('Popups', s);
            n.addComponent({nicknameLable: label('First'), vPipRateLable: null});
            n.addComponent({nicknameLable: label('Second'), vPipRateLable: label('2'), pfrRateLable: label('2')});
            return s;)"));
        const QJsonObject popup = readPopup();
        QCOMPARE(popup.value("name").toString(), QStringLiteral("First"));
        QVERIFY(popup.value("vpip").isNull());
    }

    // A component with vPipRateLable but no nickname is tested as a
    // tournament popup; null components and nodes are skipped.
    void ringTestComesFirst()
    {
        buildScene(QStringLiteral(R"(
            const s = new Node('Scene');
            s._children.push(null);
            const n = new Node('Popup', s);
            n._components.push(null);
            n.addComponent({vPipRateLable: label('9'), nicknameLable: label(''), playerNickName: label('Mtt'),
                            vpip: label('4'), pfr: label('3'), _player: {userId: '77'}});
            return s;)"));
        QCOMPARE(readPopup(),
                 QJsonDocument::fromJson(R"({"kind":"tournament","name":"Mtt","playerId":null,"vpip":4,"pfr":3,"hands":null})")
                     .object());
    }

    void blindLabel()
    {
        buildScene(QStringLiteral(R"(
            const s = new Node('Scene');
            new Node('Empty', s).addComponent({blindInfoLabel: label('')});
            const hidden = new Node('Hidden', s, false);
            hidden.addComponent({blindInfoLabel: label('NLHE 5/10')});
            new Node('Later', s).addComponent({blindInfoLabel: label('NLHE 1/2')});
            return s;)"));
        // Blind labels are read whether or not their node is active.
        QCOMPARE(read().value("blind").toString(), QStringLiteral("NLHE 5/10"));
    }

    void roomName_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QJsonValue>("expected");
        QTest::newRow("markup first") << "sim.setRoomName('33 Chip  Daily\\n Bounty ', '<nobr>33 Chip Daily Bounty</nobr>x', true)"
                                      << QJsonValue("33 Chip Daily Bounty");
        QTest::newRow("plain first") << "sim.setRoomName('33 Chip  Daily\\n Bounty ', '<nobr>33 Chip Daily Bounty</nobr>x', false)"
                                     << QJsonValue("33 Chip Daily Bounty");
        QTest::newRow("markup only") << "sim.setRoomName(null, '<b> Big\\u00a0 <i>Game</i> </b>', true)"
                                     << QJsonValue("Big Game");
        QTest::newRow("markup of only spaces") << "sim.setRoomName(null, '<b>  </b>', true)" << QJsonValue(QJsonValue::Null);
        QTest::newRow("plain spaces") << "sim.setRoomName('   ', '<b>Name</b>', true)" << QJsonValue("");
        QTest::newRow("lone angle bracket is plain") << "sim.setRoomName('a <> b', '', true)" << QJsonValue("a <> b");
    }

    void roomName()
    {
        QFETCH(QString, call);
        QFETCH(QJsonValue, expected);
        run(call);
        QCOMPARE(read().value("roomName"), expected);
    }

    void laterPlainNameReplacesEarlierPlain()
    {
        buildScene(QStringLiteral(R"(
            const s = new Node('Scene');
            new Node('A', s).addComponent({roomName: label('<b>Markup</b>')});
            new Node('B', s).addComponent({roomName: 'First plain'});
            new Node('C', s).addComponent({roomName: label('Second plain')});
            new Node('D', s).addComponent({roomName: label('<i>Late markup</i>')});
            return s;)"));
        QCOMPARE(read().value("roomName").toString(), QStringLiteral("Second plain"));
    }

    void largeScene()
    {
        QCOMPARE(run(QStringLiteral("sim.buildLargeScene(5000)")).toInt(), 5000);
        run(QStringLiteral("sim.openRingPopup({name: 'Big', id: 1, vpip: 1, pfr: 1, hands: 1})"));
        QCOMPARE(readPopup().value("name").toString(), QStringLiteral("Big"));
    }
};

TARNWICK_TEST_MAIN(TestSceneScriptChromium)
#include "tst_scenescript_chromium.moc"
