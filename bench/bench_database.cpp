// The opponent database's hot paths at 1,000, 10,000 and 100,000 players:
// importing a reading of a known player, matching an unknown name, building
// the table sections, updating the section model after one import, and
// searching.
//   build/bench/bench_database [--benchmark_filter=...]
#include "BenchPlayers.h"
#include "common/Log.h"
#include "model/PlayerJson.h"
#include "store/PlayerStore.h"
#include "store/TableSectionModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>

namespace {
constexpr int openTables = 8;
constexpr int playersPerOpenTable = 9;
const GameType nlheRing{GameVariant::nlhe, GameMode::ring};

QString openTableID(int table) { return QStringLiteral("open%1").arg(table); }

QList<Player> makePlayers(int count)
{
    // Opponents seen over months at many tables, of whom 72 sit at the 8
    // open tables now.
    return BenchPlayers::make({.count = count, .openTables = openTables, .playersPerOpenTable = playersPerOpenTable,
                               .openTableID = openTableID, .closedTables = qMax(10, count / 20)});
}

struct Database {
    QTemporaryDir dir;
    QDateTime time = QDateTime(QDate(2026, 6, 1), QTime(12, 0), QTimeZone::utc());
    std::unique_ptr<PlayerStore> store;
    QList<Player> players;

    explicit Database(int count)
        : players(makePlayers(count))
    {
        QFile file(dir.filePath(QStringLiteral("players.json")));
        file.open(QIODevice::WriteOnly);
        file.write(QJsonDocument(PlayerJson::toJson(players, PlayerJson::DateForm::referenceSeconds))
                       .toJson(QJsonDocument::Compact));
        file.close();
        store = std::make_unique<PlayerStore>(dir.path(), [this] { return time = time.addMSecs(1); });
    }

    // A reading of one of the players seated at an open table.
    PlayerObservation knownReading(int n) const
    {
        const Player &p = players.at(n % (openTables * playersPerOpenTable));
        PlayerObservation o;
        o.name = p.name;
        o.playerId = p.playerId;
        o.gameType = nlheRing;
        o.tableID = openTableID(int(n % (openTables * playersPerOpenTable)) % openTables);
        o.stats = PlayerStats{double(n % 100), 12.5, 100 + n};
        return o;
    }
};

Database &database(int count)
{
    static std::map<int, std::unique_ptr<Database>> databases;
    auto &slot = databases[count];
    if (!slot)
        slot = std::make_unique<Database>(count);
    return *slot;
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

// Benchmarks whose every iteration writes the players file (about a second
// at 100,000 players) run a fixed number of iterations per size, so that a
// short timed part does not make them run for hours.
#define BENCHMARK_WITH_SAVES(fn, ...)                                                                           \
    BENCHMARK(fn)->Arg(1000)->Iterations(300)->Unit(benchmark::kMicrosecond) __VA_ARGS__;                        \
    BENCHMARK(fn)->Arg(10000)->Iterations(60)->Unit(benchmark::kMicrosecond) __VA_ARGS__;                        \
    BENCHMARK(fn)->Arg(100000)->Iterations(10)->Unit(benchmark::kMicrosecond) __VA_ARGS__

// Everything an import does before it writes the players file: the store
// notifies its views (playersChanged) right before saving, so the time to
// that signal is the in-memory part.
void BM_ImportKnownPlayer_InMemory(benchmark::State &state)
{
    Database &db = database(int(state.range(0)));
    std::chrono::steady_clock::time_point notified;
    const QMetaObject::Connection c = QObject::connect(db.store.get(), &PlayerStore::playersChanged,
                                                       [&] { notified = std::chrono::steady_clock::now(); });
    int n = 0;
    for (auto _ : state) {
        const PlayerObservation o = db.knownReading(n++);
        const auto start = std::chrono::steady_clock::now();
        db.store->importObservation(o);
        state.SetIterationTime(std::chrono::duration<double>(notified - start).count());
    }
    QObject::disconnect(c);
}
BENCHMARK_WITH_SAVES(BM_ImportKnownPlayer_InMemory, ->UseManualTime());

void BM_ImportKnownPlayer_WithSave(benchmark::State &state)
{
    Database &db = database(int(state.range(0)));
    int n = 0;
    for (auto _ : state)
        db.store->importObservation(db.knownReading(n++));
}
BENCHMARK_WITH_SAVES(BM_ImportKnownPlayer_WithSave);

// The worst case: no player ID, a name nobody has, at an open table, so every
// stage scans every record.
void BM_PlayerMatchingUnknownName(benchmark::State &state)
{
    Database &db = database(int(state.range(0)));
    const QString name = QStringLiteral("Nobody_Here_42");
    const std::optional<QString> table = openTableID(0);
    for (auto _ : state) {
        auto found = db.store->playerMatching(name, std::nullopt, nlheRing, table);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_PlayerMatchingUnknownName)->Apply(sizes);

void BM_TableGroups(benchmark::State &state)
{
    Database &db = database(int(state.range(0)));
    for (auto _ : state) {
        auto groups = db.store->tableGroups();
        if (groups.size() != openTables)
            state.SkipWithError("expected 8 open tables");
        benchmark::DoNotOptimize(groups);
    }
}
BENCHMARK(BM_TableGroups)->Apply(sizes);

// The section model's refresh after one import changed a seated player.
void BM_SectionModelAfterImport(benchmark::State &state)
{
    Database &db = database(int(state.range(0)));
    TableSectionModel model(db.store.get());
    QObject::disconnect(db.store.get(), nullptr, &model, nullptr);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        db.store->importObservation(db.knownReading(n++));
        state.ResumeTiming();
        model.refresh();
    }
}
BENCHMARK_WITH_SAVES(BM_SectionModelAfterImport);

void BM_SearchResultsShortQuery(benchmark::State &state)
{
    Database &db = database(int(state.range(0)));
    db.store->setSearchQuery(QStringLiteral("ab"));
    for (auto _ : state) {
        auto results = db.store->searchResults();
        benchmark::DoNotOptimize(results);
    }
    state.counters["results"] = double(db.store->searchResults().size());
    db.store->setSearchQuery(QString());
}
BENCHMARK(BM_SearchResultsShortQuery)->Apply(sizes);
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The import's trace lines would measure the terminal, not the store.
    Log::setCapture([](const QString &) {});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
