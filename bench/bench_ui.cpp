// The sidebar's response to a reading: with 10,000 stored players and 8
// open tables, the time from an observation's arrival (the reader's scan
// count changing) to the next frame the window shows with that player's
// editor open. The real window (Main.qml) renders offscreen.
#include "app/IsolatedGuiApp.h"
#include "app/ObjectTree.h"
#include "app/PlayerValues.h"
#include "app/TarnwickApp.h"
#include "model/PlayerJson.h"
#include "reader/PlayerReader.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>
#include <QtQml/QQmlExtensionPlugin>

#include <benchmark/benchmark.h>

Q_IMPORT_QML_PLUGIN(TarnwickPlugin)

namespace {

constexpr int storedPlayers = 10000;
constexpr int openTables = 8;
constexpr int playersPerTable = 6;
const GameType nlheRing{GameVariant::nlhe, GameMode::ring};

QString tableID(int table) { return QString::number(900100 + table); }

// A reader whose readings the benchmark publishes itself.
class ScriptedReader : public PlayerReader {
public:
    void startMonitoring() override {}
    void publish(const PlayerObservation &observation)
    {
        setLastObservation(observation);
        setScanCount(scanCount() + 1);
    }
    void setLive(const QStringList &tables) { setLiveTableIDs(tables); }
};

QList<Player> makePlayers()
{
    QRandomGenerator random(7);
    const QDateTime base(QDate(2025, 1, 1), QTime(12, 0), QTimeZone::utc());
    QList<Player> players;
    players.reserve(storedPlayers);
    for (int i = 0; i < storedPlayers; ++i) {
        Player p;
        p.id = QUuid::createUuid();
        p.name = QStringLiteral("player%1").arg(i);
        p.playerId = 5000000 + i;
        p.stats = PlayerStats{double(random.bounded(60)), double(random.bounded(30)), random.bounded(5000)};
        p.createdAt = base;
        p.updatedAt = base;
        if (i % 7 == 0)
            p.note = QStringLiteral("a read on player %1").arg(i);
        p.seatings.append(Seating{nlheRing, QString::number(100000 + random.bounded(500)), false, base.addSecs(i)});
        if (i < openTables * playersPerTable)
            p.seatings.append(Seating{nlheRing, tableID(i % openTables), true, base.addDays(400).addSecs(i)});
        players.append(p);
    }
    return players;
}

struct Fixture {
    QTemporaryDir dir;
    QList<Player> players = makePlayers();
    ScriptedReader *reader = nullptr;
    std::unique_ptr<TarnwickApp> app;
    std::unique_ptr<QQmlApplicationEngine> engine;
    QQuickWindow *window = nullptr;
    int readings = 0;
    double synchronousSeconds = 0; // import, save and bindings, before any frame

    Fixture()
    {
        QFile file(dir.filePath(QStringLiteral("players.json")));
        file.open(QIODevice::WriteOnly);
        file.write(QJsonDocument(PlayerJson::toJson(players, PlayerJson::DateForm::referenceSeconds))
                       .toJson(QJsonDocument::Compact));
        file.close();
        QSettings settings;
        settings.setValue(QStringLiteral("tarnwick.welcome.shown"), true);
        settings.setValue(QStringLiteral("tarnwick.consent.shown"), true);

        TarnwickApp::Options options;
        options.dataDirectory = dir.path();
        options.port = 1;
        options.launchClient = false;
        options.makeReader = [this] {
            auto scripted = std::make_unique<ScriptedReader>();
            reader = scripted.get();
            return scripted;
        };
        app = std::make_unique<TarnwickApp>(options);
        app->makeObjects();
        engine = std::make_unique<QQmlApplicationEngine>();
        engine->addImportPath(QStringLiteral("qrc:/"));
        engine->load(QUrl(QStringLiteral("qrc:/Tarnwick/Main.qml")));
        window = qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst());
        QStringList live;
        for (int t = 0; t < openTables; ++t)
            live.append(tableID(t));
        reader->setLive(live);
        settle(500);
    }

    static void settle(int milliseconds)
    {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec();
    }

    // A reading of the player seated `seated`-th, at that player's open
    // table, with new statistics.
    PlayerObservation readingOf(int seated, int hands) const
    {
        const Player &player = players.at(seated);
        PlayerObservation o;
        o.name = player.name;
        o.playerId = player.playerId;
        o.gameType = nlheRing;
        o.tableID = tableID(seated % openTables);
        o.stats = PlayerStats{double(hands % 60), 12.0, hands};
        return o;
    }

    // Publishes a reading of a seated player and returns the seconds until
    // a frame shows that player's editor.
    double readAndWaitForEditor()
    {
        const int n = readings++;
        const int seated = (n * 5) % (openTables * playersPerTable);
        const Player &player = players.at(seated);
        const PlayerObservation o = readingOf(seated, 1000 + n);
        const QString rowId = PlayerJson::uuidText(player.id) + QLatin1Char('|') + tableKey(nlheRing, o.tableID);

        QEventLoop loop;
        bool shown = false;
        const auto connection = QObject::connect(window, &QQuickWindow::frameSwapped, &loop, [&] {
            QObject *row = ObjectTree::find(window, QStringLiteral("row_") + rowId);
            if (row && row->property("isExpanded").toBool() && row->property("editor").value<QObject *>()) {
                shown = true;
                loop.quit();
            }
        });
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        QElapsedTimer timer;
        timer.start();
        reader->publish(o);
        synchronousSeconds += timer.nsecsElapsed() / 1e9;
        loop.exec();
        const double seconds = timer.nsecsElapsed() / 1e9;
        QObject::disconnect(connection);
        return shown ? seconds : -1;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_ImportOnly(benchmark::State &state)
{
    Fixture &f = fixture();
    int n = 0;
    for (auto _ : state) {
        f.app->store()->importObservation(f.readingOf((n * 5) % (openTables * playersPerTable), 2000 + n));
        ++n;
    }
}
BENCHMARK(BM_ImportOnly)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ObservationToEditorFrame(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        const double seconds = f.readAndWaitForEditor();
        if (seconds < 0) {
            state.SkipWithError("the editor never showed");
            break;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["sync_ms"] = 1000 * f.synchronousSeconds / std::max(1, f.readings);
    state.counters["players"] = storedPlayers;
    state.counters["tables"] = openTables;
}
BENCHMARK(BM_ObservationToEditorFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

} // namespace

int main(int argc, char **argv)
{
    IsolatedGuiApp app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
