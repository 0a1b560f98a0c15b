#include "CDPClient.h"

#include "common/Log.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <QTimer>
#include <QWebSocket>

#include <coroutine>
#include <optional>

namespace {
std::optional<QString> strictUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}
} // namespace

// A one-shot completion of one request, awaited by its evaluate(). It is
// finished exactly once: whoever removes it from pending finishes it. The
// waiter resumes from the event loop, never inside the socket's signal that
// delivered the reply.
struct CDPClient::Completion {
    std::optional<EvaluationResult> result;
    std::coroutine_handle<> waiter;
    QTimer timeLimit;

    void finish(EvaluationResult value)
    {
        timeLimit.stop();
        result.emplace(std::move(value));
        if (auto handle = std::exchange(waiter, {}))
            QMetaObject::invokeMethod(QCoreApplication::instance(), [handle] { handle.resume(); },
                                      Qt::QueuedConnection);
    }

};

namespace {
// What evaluate() awaits; it shares the completion with pending.
struct CompletionAwaiter {
    std::shared_ptr<CDPClient::Completion> completion;

    bool await_ready() const noexcept { return completion->result.has_value(); }
    void await_suspend(std::coroutine_handle<> handle) noexcept { completion->waiter = handle; }
    EvaluationResult await_resume() { return std::move(*completion->result); }
};
} // namespace

CDPClient::CDPClient(QUrl webSocketURL, std::chrono::milliseconds requestTimeout)
    : m_webSocketURL(std::move(webSocketURL)), m_requestTimeout(requestTimeout)
{
}

CDPClient::~CDPClient()
{
    disconnect();
}

void CDPClient::connect()
{
    if (m_socket)
        return;
    auto *socket = new QWebSocket;
    m_socket = socket;
    QObject::connect(socket, &QWebSocket::connected, socket, [this] { sendHeldRequests(); });
    QObject::connect(socket, &QWebSocket::textMessageReceived, socket,
                     [this](const QString &text) { handleMessage(text); });
    QObject::connect(socket, &QWebSocket::binaryMessageReceived, socket, [this](const QByteArray &bytes) {
        if (const auto text = strictUtf8(bytes))
            handleMessage(*text);
    });
    // A failed handshake, a dropped connection or a close from the far side
    // all end the client.
    QObject::connect(socket, &QWebSocket::disconnected, socket, [this] { disconnect(); });
    QObject::connect(socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), socket, [this](QAbstractSocket::SocketError error) {
        qCDebug(lcReader) << "WebSocket error" << error << "on" << m_webSocketURL;
        disconnect();
    });
    m_isConnected = true;
    socket->open(m_webSocketURL);
}

void CDPClient::disconnect()
{
    m_isConnected = false;
    if (QWebSocket *socket = std::exchange(m_socket, nullptr)) {
        socket->disconnect();
        socket->close(QWebSocketProtocol::CloseCodeGoingAway);
        // This may run inside one of the socket's own signals.
        socket->deleteLater();
    }
    m_heldUntilOpen.clear();
    const auto pending = std::exchange(m_pending, {});
    for (const auto &completion : pending)
        completion->finish(CDPError::notConnected());
}

QCoro::Task<EvaluationResult> CDPClient::evaluate(QString expression)
{
    const auto self = shared_from_this();
    if (!m_isConnected || !m_socket)
        co_return CDPError::notConnected();

    const qint64 id = ++m_nextId;
    const QJsonObject params{{QStringLiteral("expression"), expression},
                             {QStringLiteral("returnByValue"), true},
                             {QStringLiteral("awaitPromise"), true}};
    const QJsonObject request{{QStringLiteral("id"), id},
                              {QStringLiteral("method"), QStringLiteral("Runtime.evaluate")},
                              {QStringLiteral("params"), params}};
    const auto text = strictUtf8(QJsonDocument(request).toJson(QJsonDocument::Compact));
    if (!text)
        co_return CDPError::decodingFailed();

    auto completion = std::make_shared<Completion>();
    m_pending.insert(id, completion);
    completion->timeLimit.setSingleShot(true);
    QObject::connect(&completion->timeLimit, &QTimer::timeout, &completion->timeLimit,
                     [weak = weak_from_this(), id] {
                         if (const auto client = weak.lock())
                             client->finish(id, CDPError::timeout());
                     });
    completion->timeLimit.start(m_requestTimeout);

    if (m_socket->state() == QAbstractSocket::ConnectedState)
        send(id, *text);
    else
        m_heldUntilOpen.append({id, *text});

    co_return co_await CompletionAwaiter{completion};
}

void CDPClient::send(qint64 id, const QString &text)
{
    // A send that writes nothing will never be answered.
    if (!m_socket || m_socket->sendTextMessage(text) <= 0)
        finish(id, CDPError::notConnected());
}

void CDPClient::sendHeldRequests()
{
    const auto held = std::exchange(m_heldUntilOpen, {});
    for (const auto &[id, text] : held) {
        if (m_pending.contains(id))
            send(id, text);
    }
}

void CDPClient::finish(qint64 id, EvaluationResult result)
{
    if (const auto completion = m_pending.take(id))
        completion->finish(std::move(result));
}

void CDPClient::handleMessage(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return;
    const QJsonObject message = document.object();
    const QJsonValue idValue = message.value(QLatin1String("id"));
    if (!idValue.isDouble())
        return;
    // Not a whole number: no request of ours (ids start at 1).
    const qint64 id = idValue.toInteger(0);
    const auto completion = m_pending.take(id);
    if (!completion)
        return;

    const QJsonValue error = message.value(QLatin1String("error"));
    if (error.isObject()) {
        const QJsonValue text = error.toObject().value(QLatin1String("message"));
        completion->finish(CDPError::evaluationFailed(text.isString() ? text.toString()
                                                                       : QStringLiteral("unknown CDP error")));
        return;
    }
    const QJsonValue result = message.value(QLatin1String("result"));
    if (!result.isObject()) {
        completion->finish(std::optional<QJsonValue>());
        return;
    }
    const QJsonObject outer = result.toObject();
    const QJsonValue details = outer.value(QLatin1String("exceptionDetails"));
    if (details.isObject()) {
        const QJsonObject detailObject = details.toObject();
        const QJsonValue description =
            detailObject.value(QLatin1String("exception")).toObject().value(QLatin1String("description"));
        const QJsonValue detailText = detailObject.value(QLatin1String("text"));
        QString messageText = QStringLiteral("JS exception in evaluate");
        if (description.isString())
            messageText = description.toString();
        else if (detailText.isString())
            messageText = detailText.toString();
        completion->finish(CDPError::evaluationFailed(messageText));
        return;
    }
    const QJsonValue inner = outer.value(QLatin1String("result"));
    if (inner.isObject() && inner.toObject().contains(QLatin1String("value")))
        completion->finish(std::optional<QJsonValue>(inner.toObject().value(QLatin1String("value"))));
    else
        completion->finish(std::optional<QJsonValue>());
}
