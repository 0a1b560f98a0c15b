// (b) One reader tick over 8 simulated tables (wall time per tick), and the
// program's CPU time per minute of reading while nothing changes.
//
// Needs Chromium. Run: build/bench/bench_reader_tick
// TARNWICK_BENCH_READ_SECONDS sets the idle-reading period (default 60).

#include "bench_reader_support.h"
#include "reader/CDPPlayerReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>

using namespace BenchReader;

namespace {
Browser *s_browser = nullptr;

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_TickEightTables(benchmark::State &state)
{
    ReaderOptions options;
    options.port = s_browser->port;
    CDPPlayerReader reader(options);
    wait(reader.tick()); // sessions open, sockets connect
    wait(reader.tick());
    std::vector<double> samples;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        wait(reader.tick());
        const qint64 elapsed = timer.nsecsElapsed();
        samples.push_back(double(elapsed) / 1e3);
        state.SetIterationTime(double(elapsed) / 1e9);
    }
    if (reader.sessions().size() != 8)
        state.SkipWithError("expected 8 sessions");
    state.counters["p50_us"] = percentile(samples, 0.5);
    state.counters["p99_us"] = percentile(samples, 0.99);
}
} // namespace

BENCHMARK(BM_TickEightTables)->UseManualTime()->Iterations(400)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Browser browser;
    s_browser = &browser;
    QStringList urls;
    for (int table = 1; table <= 8; ++table)
        urls.append(simulatorPage(table % 2 ? QStringLiteral("room_id=%1&game_id=1").arg(700 + table)
                                            : QStringLiteral("room_id=%1&mtt_token=t&mtt_game_mode=1").arg(700 + table)));
    if (!browser.start(urls)) {
        std::fprintf(stderr, "Chromium with 8 simulator pages did not start\n");
        return 1;
    }
    for (const CDPTarget &page : browser.pages()) {
        if (!connectToPage(page)) {
            std::fprintf(stderr, "A simulator page did not load\n");
            return 1;
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    // The real loop, one tick a second, while nothing on the tables changes.
    const int seconds = qEnvironmentVariableIntValue("TARNWICK_BENCH_READ_SECONDS") > 0
        ? qEnvironmentVariableIntValue("TARNWICK_BENCH_READ_SECONDS")
        : 60;
    ReaderOptions options;
    options.port = browser.port;
    CDPPlayerReader reader(options);
    reader.startMonitoring();
    sleepEventLoop(3000); // past the first attach
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    sleepEventLoop(seconds * 1000);
    const double cpu = processCpuSeconds() - cpuBefore;
    const double wallSeconds = double(wall.elapsed()) / 1000.0;
    std::printf("\nIdle reading of 8 tables for %.0f s: %d ticks, %zu sessions\n", wallSeconds, reader.tickCount(),
                size_t(reader.sessions().size()));
    std::printf("CPU time of this process: %.3f s per minute of reading = %.3f %% of one core (target < 1 %%)\n",
                cpu / wallSeconds * 60.0, cpu / wallSeconds * 100.0);
    return 0;
}
