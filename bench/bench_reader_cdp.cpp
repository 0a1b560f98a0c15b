// (a) The scene-reading script inside a page with a 5,000-node scene, and
// the round trip of one Runtime.evaluate through CDPClient, side by side
// with chrome-remote-interface and puppeteer-core against the same page.
//
// Needs Chromium and `npm ci` in bench/ (for the two reference clients).
// Run: build/bench/bench_reader_cdp

#include "bench_reader_support.h"
#include "reader/TableSnapshot.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

using namespace BenchReader;

namespace {
Browser *s_browser = nullptr;
CDPTarget s_page;
std::shared_ptr<CDPClient> s_client;
const QString trivialExpression = QStringLiteral("1 + 1");

struct Percentiles {
    double p50 = 0, p99 = 0;
};
// Results by client name and expression name, for the summary.
std::map<std::string, std::map<std::string, Percentiles>> s_results;
Percentiles s_sceneInPage;

void BM_SceneScriptInPage(benchmark::State &state)
{
    // The script runs 20 times per sample so the page's coarse clock
    // (100 µs without cross-origin isolation) still resolves it.
    const QString expression = QStringLiteral("(() => { const run = () => %1; const out = [];"
                                              " for (let s = 0; s < 200; s++) { const t0 = performance.now();"
                                              " for (let k = 0; k < 20; k++) run();"
                                              " out.push((performance.now() - t0) * 1000 / 20); } return out; })()")
                                   .arg(sceneScript());
    std::vector<double> samples;
    for (auto _ : state) {
        const auto result = wait(s_client->evaluate(expression));
        if (!result || !result->ok() || !result->value()) {
            state.SkipWithError("evaluation failed");
            return;
        }
        const QJsonArray times = result->value()->toArray();
        double total = 0;
        for (const QJsonValue &time : times) {
            samples.push_back(time.toDouble());
            total += time.toDouble();
        }
        state.SetIterationTime(total / double(times.size()) / 1e6);
    }
    s_sceneInPage = {percentile(samples, 0.5), percentile(samples, 0.99)};
    state.counters["p50_us"] = s_sceneInPage.p50;
    state.counters["p99_us"] = s_sceneInPage.p99;
}

void roundTrip(benchmark::State &state, const QString &expression, const std::string &name,
               const std::string &client = "CDPClient")
{
    for (int i = 0; i < 200; ++i)
        wait(s_client->evaluate(expression));
    std::vector<double> samples;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        const auto result = wait(s_client->evaluate(expression));
        const qint64 elapsed = timer.nsecsElapsed();
        if (!result || !result->ok()) {
            state.SkipWithError("evaluation failed");
            return;
        }
        samples.push_back(double(elapsed) / 1000.0);
        state.SetIterationTime(double(elapsed) / 1e9);
    }
    const Percentiles p{percentile(samples, 0.5), percentile(samples, 0.99)};
    s_results[client][name] = p;
    state.counters["p50_us"] = p.p50;
    state.counters["p99_us"] = p.p99;
}

void BM_RoundTrip_CDPClient_Trivial(benchmark::State &state) { roundTrip(state, trivialExpression, "1 + 1"); }
void BM_RoundTrip_CDPClient_SceneScript(benchmark::State &state) { roundTrip(state, sceneScript(), "scene script"); }
// Measured again after the Node.js clients, so drift in the machine's load
// shows up in the table instead of favouring whichever ran first.
void BM_RoundTrip_CDPClient_Trivial_Again(benchmark::State &state)
{
    roundTrip(state, trivialExpression, "1 + 1", "CDPClient (again)");
}
void BM_RoundTrip_CDPClient_SceneScript_Again(benchmark::State &state)
{
    roundTrip(state, sceneScript(), "scene script", "CDPClient (again)");
}

// Runs the same measurement through the two Node.js clients.
void BM_RoundTrip_NodeClients(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString trivialFile = dir.filePath(QStringLiteral("trivial.js"));
    const QString sceneFile = dir.filePath(QStringLiteral("scene.js"));
    for (const auto &[path, text] : {std::pair{trivialFile, trivialExpression}, std::pair{sceneFile, sceneScript()}}) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text.toUtf8());
    }
    for (auto _ : state) {
        QProcess node;
        node.setWorkingDirectory(QStringLiteral(TARNWICK_SOURCE_DIR "/bench"));
        node.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        node.start(QStringLiteral("node"),
                   {QStringLiteral("cdp-roundtrip.js"), QStringLiteral("--port"), QString::number(s_browser->port),
                    QStringLiteral("--target"), s_page.id, QStringLiteral("--url"), s_page.url,
                    QStringLiteral("--iterations"), QString::number(state.range(0)), trivialFile, sceneFile});
        if (!node.waitForFinished(300000) || node.exitCode() != 0) {
            state.SkipWithError("node cdp-roundtrip.js failed (run npm ci in bench/)");
            return;
        }
        const QJsonObject results = QJsonDocument::fromJson(node.readAllStandardOutput()).object();
        for (auto it = results.begin(); it != results.end(); ++it) {
            const QJsonArray perExpression = it.value().toArray();
            const char *names[] = {"1 + 1", "scene script"};
            for (int i = 0; i < perExpression.size() && i < 2; ++i) {
                const QJsonObject r = perExpression.at(i).toObject();
                s_results[it.key().toStdString()][names[i]] = {r.value("p50_us").toDouble(), r.value("p99_us").toDouble()};
            }
        }
    }
}

void printSummary()
{
    std::printf("\nScene script inside the page (5,000 nodes): p50 %.1f us, p99 %.1f us\n", s_sceneInPage.p50,
                s_sceneInPage.p99);
    for (const char *expression : {"1 + 1", "scene script"}) {
        std::printf("\nRuntime.evaluate round trip, expression: %s\n", expression);
        std::printf("  %-26s %10s %10s %12s %12s\n", "client", "p50 us", "p99 us", "p50 ratio", "p99 ratio");
        const Percentiles ours = s_results["CDPClient"][expression];
        for (const char *client : {"CDPClient", "chrome-remote-interface", "puppeteer-core", "CDPClient (again)"}) {
            if (!s_results.count(client) || !s_results[client].count(expression))
                continue;
            const Percentiles p = s_results[client][expression];
            std::printf("  %-26s %10.1f %10.1f %12.2f %12.2f\n", client, p.p50, p.p99, ours.p50 / p.p50,
                        ours.p99 / p.p99);
        }
    }
    std::printf("(ratio = CDPClient / client; below 1 means CDPClient is faster)\n");
}
} // namespace

BENCHMARK(BM_SceneScriptInPage)->UseManualTime()->Iterations(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoundTrip_CDPClient_Trivial)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoundTrip_CDPClient_SceneScript)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoundTrip_NodeClients)->Arg(2000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoundTrip_CDPClient_Trivial_Again)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoundTrip_CDPClient_SceneScript_Again)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Browser browser;
    s_browser = &browser;
    if (!browser.start({simulatorPage(QStringLiteral("room_id=1&game_id=1"))})) {
        std::fprintf(stderr, "Chromium with the table simulator did not start\n");
        return 1;
    }
    s_page = browser.pages().first();
    // The in-page measurement runs the script 4,000 times in one evaluation.
    s_client = connectToPage(s_page, std::chrono::minutes(2));
    if (!s_client) {
        std::fprintf(stderr, "The simulator page did not load\n");
        return 1;
    }
    const auto nodes = wait(s_client->evaluate(QStringLiteral("sim.buildLargeScene(5000)")));
    std::printf("Scene nodes: %d\n", nodes && nodes->ok() && nodes->value() ? nodes->value()->toInt() : -1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    s_client->disconnect();
    return 0;
}
