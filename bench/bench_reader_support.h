#pragma once

// Shared by the reader benchmarks: Chromium with the table simulator on a
// free port, and small helpers to run tasks and take percentiles.

#include "reader/CDPClient.h"
#include "reader/DevTools.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace BenchReader {

template <typename T>
std::optional<T> wait(QCoro::Task<T> task)
{
    std::optional<T> result;
    QEventLoop loop;
    QCoro::connect(std::move(task), &loop, [&](T value) {
        result.emplace(std::move(value));
        loop.quit();
    });
    if (!result)
        loop.exec();
    return result;
}

inline void wait(QCoro::Task<> task)
{
    bool done = false;
    QEventLoop loop;
    QCoro::connect(std::move(task), &loop, [&] {
        done = true;
        loop.quit();
    });
    if (!done)
        loop.exec();
}

inline void sleepEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

inline double percentile(std::vector<double> samples, double p)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const auto index = size_t(std::lround(p * double(samples.size() - 1)));
    return samples[std::min(index, samples.size() - 1)];
}

inline QString simulatorPage(const QString &query)
{
    return QUrl::fromLocalFile(QStringLiteral(TARNWICK_SOURCE_DIR "/tools/simulator/clubwpt-table.html")).toString()
        + QLatin1Char('?') + query;
}

class Browser {
public:
    ~Browser()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished(3000);
    }

    bool start(const QStringList &urls)
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
        probe.close();
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(m_profile.filePath(QStringLiteral("chromium.log")));
        m_process.start(QStringLiteral("bash"),
                        QStringList{QStringLiteral(TARNWICK_SOURCE_DIR "/tools/simulator/start-simulator.sh"),
                                    QStringLiteral("--headless"), QStringLiteral("--port"), QString::number(port),
                                    QStringLiteral("--user-data-dir"), m_profile.path()}
                            + urls);
        QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired()) {
            if (pages().size() >= urls.size())
                return true;
            sleepEventLoop(100);
        }
        return false;
    }

    QList<CDPTarget> pages()
    {
        const auto listed = wait(listTargets(QStringLiteral("127.0.0.1"), port));
        return listed && listed->ok() ? tablePages(listed->value()) : QList<CDPTarget>();
    }

    quint16 port = 0;

private:
    QTemporaryDir m_profile;
    QProcess m_process;
};

// Connects to a simulator page and waits until its script has run.
inline std::shared_ptr<CDPClient>
connectToPage(const CDPTarget &page, std::chrono::milliseconds timeout = CDPClient::defaultRequestTimeout)
{
    auto client = std::make_shared<CDPClient>(QUrl(page.webSocketDebuggerUrl), timeout);
    client->connect();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto ready = wait(client->evaluate(QStringLiteral("typeof sim === 'object'")));
        if (ready && ready->ok() && ready->value() && ready->value()->toBool())
            return client;
        sleepEventLoop(100);
    }
    return nullptr;
}

} // namespace BenchReader
