#include "CDPPlayerReader.h"

#include "common/Log.h"
#include "services/Analytics.h"

#include <QPointer>
#include <QSet>

#include <qcoro/qcorotimer.h>

namespace {
// Process-wide: a page that returns something unreadable is reported once
// per run, however often it happens.
bool s_parseFailureReported = false;

void reportParseFailureOnce()
{
    if (s_parseFailureReported)
        return;
    s_parseFailureReported = true;
    Analytics::reportParseFailure(QStringLiteral("popup-read-expression-result"));
}
} // namespace

CDPPlayerReader::CDPPlayerReader(QObject *parent) : CDPPlayerReader(ReaderOptions(), parent) {}

CDPPlayerReader::CDPPlayerReader(ReaderOptions options, QObject *parent)
    : PlayerReader(parent), m_options(std::move(options))
{
}

CDPPlayerReader::~CDPPlayerReader()
{
    for (const auto &session : std::as_const(m_sessions))
        session->client->disconnect();
}

void CDPPlayerReader::resetParseFailureReportForTesting()
{
    s_parseFailureReported = false;
}

std::shared_ptr<TargetSession> CDPPlayerReader::session(const QString &targetID) const
{
    for (const auto &session : m_sessions) {
        if (session->target.id == targetID)
            return session;
    }
    return nullptr;
}

void CDPPlayerReader::startMonitoring()
{
    if (m_loopRunning)
        return;
    m_tickCount = 0;
    m_monitoringStartedAt = m_options.clock();
    m_firstAttachReported = false;
    m_loopRunning = true;
    [[maybe_unused]] auto loop = runLoop(); // runs until the reader goes away
}

QCoro::Task<> CDPPlayerReader::runLoop()
{
    QPointer<CDPPlayerReader> reader(this);
    while (reader) {
        co_await reader->tick();
        if (!reader)
            break;
        co_await QCoro::sleepFor(reader->m_options.tickInterval);
    }
}

QCoro::Task<> CDPPlayerReader::tick()
{
    QPointer<CDPPlayerReader> guard(this);
    ++m_tickCount;
    if (m_tickCount % 2 == 1) {
        co_await refreshSessions();
        if (!guard)
            co_return;
    }

    std::optional<QString> focusedTableID;
    const auto sessions = m_sessions;
    for (const auto &session : sessions) {
        const EvaluationResult result = co_await session->client->evaluate(sceneScript());
        if (!guard)
            co_return;
        if (!result) {
            qCDebug(lcReader) << "Evaluation failed in" << session->target.id << result.error().description();
            continue;
        }
        const std::optional<QJsonValue> &value = result.value();
        const auto snapshot = value ? decodeSnapshot(*value) : std::nullopt;
        if (!snapshot) {
            if (value)
                reportParseFailureOnce();
            continue;
        }
        if (snapshot->hasFocus)
            focusedTableID = session->tableID;
        updateTitle(*session, *snapshot);
        handlePopup(*session, *snapshot);
    }

    if (focusedTableID && activeTableID() != focusedTableID)
        setActiveTableID(focusedTableID);
}

QCoro::Task<> CDPPlayerReader::refreshSessions()
{
    QPointer<CDPPlayerReader> guard(this);
    const TargetListResult listed = co_await listTargets(m_options.host, m_options.port);
    if (!guard)
        co_return;
    if (!listed) {
        qCDebug(lcReader) << "Listing the pages failed:" << describe(listed.error());
        co_return;
    }

    const QList<CDPTarget> pages = tablePages(listed.value());
    QSet<QString> ids;
    for (const CDPTarget &page : pages)
        ids.insert(page.id);

    for (qsizetype index = 0; index < m_sessions.size();) {
        const auto session = m_sessions.at(index);
        if (ids.contains(session->target.id)) {
            ++index;
            continue;
        }
        session->client->disconnect();
        m_sessions.removeAt(index);
        if (!session->tableID.isEmpty())
            setClosedTableIDs({session->tableID});
    }

    for (const CDPTarget &page : pages) {
        if (session(page.id))
            continue;
        auto created = TargetSession::create(page, m_options.requestTimeout);
        created->client->connect();
        m_sessions.append(created);
    }

    if (!m_firstAttachReported && !m_sessions.isEmpty() && m_monitoringStartedAt) {
        m_firstAttachReported = true;
        Analytics::firstAttachLatency(m_monitoringStartedAt->msecsTo(m_options.clock()));
    }

    QStringList live;
    for (const auto &session : std::as_const(m_sessions)) {
        if (!session->tableID.isEmpty())
            live.append(session->tableID);
    }
    if (liveTableIDs() != live)
        setLiveTableIDs(live);
}

void CDPPlayerReader::updateTitle(TargetSession &session, const TableSnapshot &snapshot)
{
    if (session.cachedTableTitle)
        return;
    const std::optional<QString> &title =
        session.mode == CDPMode::tournament ? snapshot.roomName : snapshot.blindLabel;
    if (!title || title->isEmpty() || session.tableID.isEmpty())
        return;
    const QString key = tableKey(session.gameType(), session.tableID);
    session.cachedTableTitle = *title;
    const auto existing = tableTitles().constFind(key);
    if (existing == tableTitles().cend() || *existing != *title) {
        QMap<QString, QString> titles = tableTitles();
        titles.insert(key, *title);
        setTableTitles(titles);
    }
}

void CDPPlayerReader::handlePopup(TargetSession &session, const TableSnapshot &snapshot)
{
    if (!snapshot.popup) {
        session.lastPopupPlayerID.reset();
        session.lastPopupSignature.reset();
        return;
    }
    const PopupSnapshot &popup = *snapshot.popup;
    const QString signature = popupSignature(popup);
    if (session.lastPopupPlayerID == popup.playerId && session.lastPopupSignature == signature)
        return;

    PlayerObservation observation;
    observation.name = popup.name;
    observation.stats = popup.stats;
    observation.gameType = session.gameType();
    observation.tableID = session.tableID;
    if (session.mode == CDPMode::tournament && snapshot.roomName && !snapshot.roomName->isEmpty())
        observation.tableTitle = *snapshot.roomName;
    else if (snapshot.blindLabel && !snapshot.blindLabel->isEmpty())
        observation.tableTitle = *snapshot.blindLabel;
    else
        observation.tableTitle = session.tableID;
    observation.playerId = popup.playerId;
    observation.confidence = 1.0;
    observation.needsConfirmation = false;
    observation.ambiguityGap = 1.0f;
    observation.nameHeightPx = 100;

    setLastObservation(observation);
    setScanCount(scanCount() + 1);
    session.lastPopupPlayerID = popup.playerId;
    session.lastPopupSignature = signature;
}
