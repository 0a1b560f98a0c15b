#include "TestSupport.h"
#include "reader/PlayerReader.h"
#include "reader/ReaderForwarder.h"
#include "store/PlayerStore.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {
// A reader whose published values the test assigns.
class ScriptedReader : public PlayerReader {
public:
    using PlayerReader::setActiveTableID;
    using PlayerReader::setClosedTableIDs;
    using PlayerReader::setLiveTableIDs;
    using PlayerReader::setTableTitles;

    void publish(const PlayerObservation &observation)
    {
        setLastObservation(observation);
        setScanCount(scanCount() + 1);
    }
    void startMonitoring() override {}
};

PlayerObservation seen(const QString &name, qint64 id, const QString &table, bool needsConfirmation = false)
{
    PlayerObservation observation;
    observation.name = name;
    observation.stats = PlayerStats{25, 20, 300};
    observation.gameType = GameType{GameVariant::nlhe, GameMode::ring};
    observation.tableID = table;
    observation.tableTitle = QStringLiteral("Blinds 1/2");
    observation.playerId = id;
    observation.needsConfirmation = needsConfirmation;
    return observation;
}

bool isActiveAt(const PlayerStore &store, const QString &name, const QString &table)
{
    for (const Player &player : store.players()) {
        if (player.name != name)
            continue;
        for (const Seating &seating : player.seatings) {
            if (seating.tableID == table)
                return seating.isActive;
        }
    }
    return false;
}

QJsonArray playersFile(const PlayerStore &store)
{
    return QJsonDocument::fromJson(TestSupport::readFile(store.storageURL())).array();
}
} // namespace

class TestForwarder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void observationsAreImportedAndResolved()
    {
        QTemporaryDir dir;
        PlayerStore store(dir.path());
        ScriptedReader reader;
        ReaderForwarder forwarder(&reader, &store);
        QSignalSpy resolved(&forwarder, &ReaderForwarder::observationResolved);

        reader.publish(seen(QStringLiteral("Ann"), 42, QStringLiteral("55")));
        QCOMPARE(store.players().size(), 1);
        QCOMPARE(resolved.count(), 1);
        QCOMPARE(resolved.at(0).at(1).value<Player>().name, QStringLiteral("Ann"));
        QCOMPARE(resolved.at(0).at(2).toString(), QStringLiteral("NLHE Ring|55"));
        // The first sighting waits for confirmation: nothing written yet.
        QVERIFY(playersFile(store).isEmpty());

        // A reading that needs confirmation is not imported.
        reader.publish(seen(QStringLiteral("Bob"), 7, QStringLiteral("55"), true));
        QCOMPARE(store.players().size(), 1);
        QCOMPARE(resolved.count(), 1);

        // The second sighting confirms and saves the record.
        reader.publish(seen(QStringLiteral("Ann"), 42, QStringLiteral("55")));
        QCOMPARE(resolved.count(), 2);
        const QJsonArray saved = playersFile(store);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved.at(0).toObject().value("name").toString(), QStringLiteral("Ann"));
        QCOMPARE(saved.at(0).toObject().value("playerId").toInteger(), 42);
    }

    // The same one-element list assigned twice is two closings for the store.
    void identicalClosedTablesReachTheStoreTwice()
    {
        QTemporaryDir dir;
        PlayerStore store(dir.path());
        ScriptedReader reader;
        ReaderForwarder forwarder(&reader, &store);
        QSignalSpy closed(&forwarder, &ReaderForwarder::tablesClosed);

        reader.publish(seen(QStringLiteral("Ann"), 42, QStringLiteral("8")));
        QVERIFY(isActiveAt(store, QStringLiteral("Ann"), QStringLiteral("8")));
        reader.setClosedTableIDs({QStringLiteral("8")});
        QVERIFY(!isActiveAt(store, QStringLiteral("Ann"), QStringLiteral("8")));

        reader.publish(seen(QStringLiteral("Ann"), 42, QStringLiteral("8")));
        QVERIFY(isActiveAt(store, QStringLiteral("Ann"), QStringLiteral("8")));
        reader.setClosedTableIDs({QStringLiteral("8")});
        QVERIFY(!isActiveAt(store, QStringLiteral("Ann"), QStringLiteral("8")));
        QCOMPARE(closed.count(), 2);

        // An empty list is not a closing.
        reader.setClosedTableIDs({});
        QCOMPARE(closed.count(), 2);
    }

    void liveTablesAndTitles()
    {
        QTemporaryDir dir;
        PlayerStore store(dir.path());
        ScriptedReader reader;
        ReaderForwarder forwarder(&reader, &store);
        QSignalSpy live(&forwarder, &ReaderForwarder::liveTablesSynced);

        reader.publish(seen(QStringLiteral("Ann"), 42, QStringLiteral("8")));
        reader.setLiveTableIDs(std::nullopt);
        QCOMPARE(live.count(), 0);
        QVERIFY(isActiveAt(store, QStringLiteral("Ann"), QStringLiteral("8")));
        reader.setLiveTableIDs(QStringList{QStringLiteral("8")});
        QVERIFY(isActiveAt(store, QStringLiteral("Ann"), QStringLiteral("8")));
        reader.setLiveTableIDs(QStringList{});
        QCOMPARE(live.count(), 2);
        QVERIFY(!isActiveAt(store, QStringLiteral("Ann"), QStringLiteral("8")));

        reader.setTableTitles({{QStringLiteral("NLHE Ring|9"), QStringLiteral("Blinds 5/10")}});
        QCOMPARE(store.tableTitles().value(QStringLiteral("NLHE Ring|9")), QStringLiteral("Blinds 5/10"));
        QVERIFY(TestSupport::readFile(store.tableTitlesURL()).contains("Blinds 5/10"));
    }
};

TARNWICK_TEST_MAIN(TestForwarder)
#include "tst_forwarder.moc"
