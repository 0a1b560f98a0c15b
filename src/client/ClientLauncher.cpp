#include "ClientLauncher.h"

#include "common/Log.h"

#include <QCoroNetworkReply>
#include <QCoroTimer>
#include <QDeadlineTimer>
#include <QNetworkReply>
#include <QProcess>

#include <csignal>

ClientLauncher::ClientLauncher(ClientCommand command, quint16 port, ProcessSource processes, ClientTimings timings,
                               QObject *parent)
    : QObject(parent)
    , m_command(std::move(command))
    , m_port(port)
    , m_processes(processes ? std::move(processes) : ProcessTable().source(m_command.executableName))
    , m_timings(timings)
{
}

QUrl ClientLauncher::probeUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:") + QString::number(m_port) + QStringLiteral("/json/version"));
}

QList<ProcessInfo> ClientLauncher::runningClients() const
{
    return m_processes ? m_command.topProcesses(m_processes()) : QList<ProcessInfo>{};
}

QCoro::Task<bool> ClientLauncher::isDebugPortOpen()
{
    const QUrl url = probeUrl();
    if (!url.isValid())
        co_return false;
    QNetworkRequest request(url);
    request.setTransferTimeout(int(m_timings.probeTimeout.count()));
    QNetworkReply *reply = co_await m_network.get(request);
    reply->deleteLater();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    co_return reply->error() == QNetworkReply::NoError && status.isValid() && status.toInt() == 200;
}

QCoro::Task<bool> ClientLauncher::launch()
{
    if (isClientRunning())
        co_return true;
    if (!m_command.isValid())
        co_return false;
    QProcess process;
    process.setProgram(m_command.program);
    process.setArguments(QStringList(m_command.arguments)
                         << QString::fromLatin1(launchArgumentPrefix) + QString::number(m_port));
    // The client's output must never mix with ours (headless mode's stdout
    // carries JSON lines).
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    const bool started = process.startDetached(&pid);
    qCDebug(lcClient) << "launch" << m_command.program << (started ? "started" : "failed") << pid;
    co_return started;
}

QCoro::Task<bool> ClientLauncher::waitForDebugPort(int seconds)
{
    const QDeadlineTimer deadline{std::chrono::seconds(seconds)};
    while (!deadline.hasExpired()) {
        const bool open = co_await isDebugPortOpen();
        if (open)
            co_return true;
        co_await QCoro::sleepFor(m_timings.portWaitStep);
    }
    co_return false;
}

QCoro::Task<> ClientLauncher::terminateAndWait()
{
    for (const ProcessInfo &process : runningClients())
        ::kill(pid_t(process.pid), SIGTERM);
    for (int pause = 0; pause < m_timings.quitPauses; ++pause) {
        if (!isClientRunning())
            co_return;
        co_await QCoro::sleepFor(m_timings.quitPause);
    }
}

QCoro::Task<bool> ClientLauncher::ensureClientRunning()
{
    // Results are kept in locals: g++ 12 mishandles co_await inside
    // co_return and conditions.
    if (isClientRunning()) {
        const bool open = co_await isDebugPortOpen();
        co_return open;
    }
    const bool launched = co_await launch();
    if (!launched)
        co_return false;
    const bool open = co_await waitForDebugPort(m_timings.portWaitSeconds);
    co_return open;
}
