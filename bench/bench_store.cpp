// Start-up load and one savePlayers() of a realistic players file.
//   build/bench/bench_store [--benchmark_filter=...]
#include "model/PlayerJson.h"
#include "store/PlayerStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

namespace {
// A few seatings each, some notes and reads, as a real database grows.
QList<Player> makePlayers(int count)
{
    QRandomGenerator random(42);
    const QDateTime base = QDateTime(QDate(2025, 1, 1), QTime(0, 0), QTimeZone::utc());
    QList<Player> players;
    players.reserve(count);
    for (int i = 0; i < count; ++i) {
        Player p;
        p.id = QUuid::createUuid();
        p.name = QStringLiteral("Player_%1_%2").arg(i).arg(random.bounded(100000));
        p.playerId = 1000000 + i;
        if (random.bounded(4) != 0)
            p.stats = PlayerStats{double(random.bounded(1000)) / 10.0, double(random.bounded(500)) / 10.0, random.bounded(20000)};
        if (random.bounded(5) == 0)
            p.colorIndicator = PlayerColor(random.bounded(5));
        if (random.bounded(3) == 0) {
            p.phraseTags = QStringList{QStringLiteral("aggro"), QStringLiteral("station")};
            p.villainTypes = QStringList{QStringLiteral("\U0001F41F")};
        }
        if (random.bounded(4) == 0)
            p.note = QStringLiteral("Calls three-bets light, folds to river raises. Seen tilting after bad beats.");
        p.createdAt = base.addSecs(random.bounded(30000000));
        p.updatedAt = p.createdAt.addSecs(random.bounded(100000));
        const int seatings = 1 + random.bounded(4);
        for (int s = 0; s < seatings; ++s)
            p.seatings.append(Seating{GameType{GameVariant(random.bounded(2)), GameMode(random.bounded(2))},
                                      QString::number(100000 + random.bounded(5000)), random.bounded(10) == 0,
                                      p.createdAt.addSecs(s * 3600)});
        players.append(p);
    }
    return players;
}

struct Fixture {
    QTemporaryDir dir;
    qint64 bytes = 0;

    explicit Fixture(int count)
    {
        const QByteArray json = QJsonDocument(PlayerJson::toJson(makePlayers(count), PlayerJson::DateForm::referenceSeconds))
                                    .toJson(QJsonDocument::Compact);
        QFile file(dir.filePath(QStringLiteral("players.json")));
        file.open(QIODevice::WriteOnly);
        file.write(json);
        bytes = json.size();
    }
};

void BM_StartupLoad(benchmark::State &state)
{
    Fixture fixture(int(state.range(0)));
    for (auto _ : state) {
        PlayerStore store(fixture.dir.path());
        benchmark::DoNotOptimize(store.players().size());
    }
    state.counters["file_MB"] = double(fixture.bytes) / 1e6;
}

void BM_SavePlayers(benchmark::State &state)
{
    Fixture fixture(int(state.range(0)));
    PlayerStore store(fixture.dir.path());
    for (auto _ : state)
        store.savePlayers();
    state.counters["file_MB"] = double(QFileInfo(store.storageURL()).size()) / 1e6;
}
} // namespace

BENCHMARK(BM_StartupLoad)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePlayers)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
