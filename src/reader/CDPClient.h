#pragma once

#include "CDPTypes.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

#include <qcoro/qcorotask.h>

#include <chrono>
#include <memory>

class QWebSocket;

// One DevTools connection to one page: evaluates expressions in the page
// over the page's WebSocket with Runtime.evaluate. Main thread only; create
// it through std::make_shared, because a waiting evaluation keeps its client
// alive until it is finished.
class CDPClient : public std::enable_shared_from_this<CDPClient> {
public:
    // A request whose reply does not arrive in time fails with timeout, so a
    // page that never answers cannot stall the reader's loop.
    static constexpr std::chrono::milliseconds defaultRequestTimeout{3000};

    explicit CDPClient(QUrl webSocketURL, std::chrono::milliseconds requestTimeout = defaultRequestTimeout);
    ~CDPClient();
    CDPClient(const CDPClient &) = delete;
    CDPClient &operator=(const CDPClient &) = delete;

    const QUrl &webSocketURL() const { return m_webSocketURL; }
    bool isConnected() const { return m_isConnected; }
    // The id of the last request sent; the first request has id 1.
    qint64 nextId() const { return m_nextId; }
    qsizetype pendingCount() const { return m_pending.size(); }
    bool isPending(qint64 id) const { return m_pending.contains(id); }
    std::chrono::milliseconds requestTimeout() const { return m_requestTimeout; }

    // Opens the socket without waiting for the handshake; a failed handshake
    // disconnects the client. Does nothing while a socket exists.
    void connect();
    // Closes the socket (code 1001) and fails every waiting request with
    // notConnected.
    void disconnect();
    // Evaluates an expression in the page and returns its JSON value (none
    // for undefined). Waits for the handshake when the socket is still
    // opening; requests in flight at once are matched to replies by id.
    QCoro::Task<EvaluationResult> evaluate(QString expression);

    // One inbound message; anything that is not a reply to a waiting request
    // is dropped.
    void handleMessage(const QString &text);

    struct Completion;

private:

    void finish(qint64 id, EvaluationResult result);
    void send(qint64 id, const QString &text);
    void sendHeldRequests();

    const QUrl m_webSocketURL;
    const std::chrono::milliseconds m_requestTimeout;
    QWebSocket *m_socket = nullptr;
    qint64 m_nextId = 0;
    QHash<qint64, std::shared_ptr<Completion>> m_pending;
    // Requests made before the handshake completed: a message sent earlier
    // would be dropped by the socket.
    QList<std::pair<qint64, QString>> m_heldUntilOpen;
    bool m_isConnected = false;
};
