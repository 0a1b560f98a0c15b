#pragma once

#include "PlayerReader.h"
#include "TargetSession.h"
#include "common/Clock.h"
#include "reader/DevTools.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <qcoro/qcorotask.h>

#include <chrono>
#include <memory>
#include <optional>

// Where and how often the reader reads; the defaults are the poker client's.
struct ReaderOptions {
    QString host = QString::fromLatin1(defaultDevToolsHost);
    int port = defaultDevToolsPort;
    std::chrono::milliseconds tickInterval{1000};
    std::chrono::milliseconds requestTimeout = CDPClient::defaultRequestTimeout;
    Clock clock = systemClock();
};

// Reads the poker client's table pages over the DevTools protocol: once per
// tick it evaluates the scene-reading script in every table page, and on odd
// ticks it first lists the pages to open and close sessions.
class CDPPlayerReader : public PlayerReader {
    Q_OBJECT

public:
    explicit CDPPlayerReader(QObject *parent = nullptr);
    explicit CDPPlayerReader(ReaderOptions options, QObject *parent = nullptr);
    ~CDPPlayerReader() override;

    // Starts the loop and returns at once. While a loop runs, a further call
    // does nothing: two loops must never read the same sessions.
    void startMonitoring() override;

    // One tick, run to completion: the refresh on odd ticks, then one
    // evaluation per session, one after another.
    QCoro::Task<> tick();
    QCoro::Task<> refreshSessions();

    // Sessions in the order their pages were first listed, each keyed by its
    // target id.
    const QList<std::shared_ptr<TargetSession>> &sessions() const { return m_sessions; }
    std::shared_ptr<TargetSession> session(const QString &targetID) const;
    int tickCount() const { return m_tickCount; }
    bool isMonitoring() const { return m_loopRunning; }
    std::optional<QDateTime> monitoringStartedAt() const { return m_monitoringStartedAt; }
    bool firstAttachReported() const { return m_firstAttachReported; }
    const ReaderOptions &options() const { return m_options; }

    // The parse-failure report goes out once per run; tests reset it.
    static void resetParseFailureReportForTesting();

private:
    QCoro::Task<> runLoop();
    void updateTitle(TargetSession &session, const TableSnapshot &snapshot);
    void handlePopup(TargetSession &session, const TableSnapshot &snapshot);

    ReaderOptions m_options;
    QList<std::shared_ptr<TargetSession>> m_sessions;
    bool m_loopRunning = false;
    int m_tickCount = 0;
    std::optional<QDateTime> m_monitoringStartedAt;
    bool m_firstAttachReported = false;
};
