// Start-up load and one savePlayers() of a realistic players file.
//   build/bench/bench_store [--benchmark_filter=...]
#include "BenchPlayers.h"
#include "model/PlayerJson.h"
#include "store/PlayerStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
struct Fixture {
    QTemporaryDir dir;
    qint64 bytes = 0;

    explicit Fixture(int count)
    {
        const QByteArray json = QJsonDocument(PlayerJson::toJson(BenchPlayers::make({.count = count, .seed = 42}), PlayerJson::DateForm::referenceSeconds))
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
