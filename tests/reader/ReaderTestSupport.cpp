#include "ReaderTestSupport.h"

#include <QHttpServerResponse>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

FakeDevTools::FakeDevTools() : m_webSocketServer(QStringLiteral("fake-devtools"), QWebSocketServer::NonSecureMode)
{
    m_http.route(QStringLiteral("/json"), [this] {
        ++m_listRequests;
        if (m_listStatus != 0)
            return QHttpServerResponse(QByteArray("text/plain"), QByteArray("no"),
                                       QHttpServerResponse::StatusCode(m_listStatus));
        QJsonArray array;
        for (const CDPTarget &target : std::as_const(m_targets)) {
            array.append(QJsonObject{{QStringLiteral("id"), target.id},
                                     {QStringLiteral("type"), target.type},
                                     {QStringLiteral("title"), target.title},
                                     {QStringLiteral("url"), target.url},
                                     {QStringLiteral("webSocketDebuggerUrl"), target.webSocketDebuggerUrl}});
        }
        return QHttpServerResponse(array);
    });
    m_httpPort = m_http.listen(QHostAddress::LocalHost, 0);
    m_webSocketServer.listen(QHostAddress::LocalHost, 0);
    connect(&m_webSocketServer, &QWebSocketServer::newConnection, this, [this] {
        while (QWebSocket *socket = m_webSocketServer.nextPendingConnection()) {
            socket->setParent(this);
            m_sockets.append(socket);
            const QString pageID = socket->requestUrl().path().section(QLatin1Char('/'), -1);
            connect(socket, &QWebSocket::textMessageReceived, this,
                    [this, socket, pageID](const QString &message) { answer(socket, pageID, message); });
            connect(socket, &QWebSocket::disconnected, this, [this, socket] {
                m_sockets.removeAll(socket);
                socket->deleteLater();
            });
        }
    });
}

CDPTarget FakeDevTools::addPage(const QString &id, const QString &url, const QString &type)
{
    CDPTarget target{id, type, QStringLiteral("Table ") + id, url,
                     QStringLiteral("ws://127.0.0.1:%1/devtools/page/%2").arg(webSocketPort()).arg(id)};
    m_targets.append(target);
    return target;
}

void FakeDevTools::removePage(const QString &id)
{
    m_targets.removeIf([&id](const CDPTarget &target) { return target.id == id; });
}

int FakeDevTools::totalEvaluations() const
{
    int total = 0;
    for (const int count : m_evaluations)
        total += count;
    return total;
}

void FakeDevTools::answer(QWebSocket *socket, const QString &pageID, const QString &message)
{
    const QJsonObject request = QJsonDocument::fromJson(message.toUtf8()).object();
    m_evaluations[pageID] += 1;
    if (!m_results.contains(pageID))
        return;
    const QJsonValue value = m_results.value(pageID);
    QJsonObject inner{{QStringLiteral("type"), QStringLiteral("object")}};
    if (!value.isUndefined())
        inner.insert(QStringLiteral("value"), value);
    const QJsonObject reply{{QStringLiteral("id"), request.value(QLatin1String("id"))},
                            {QStringLiteral("result"), QJsonObject{{QStringLiteral("result"), inner}}}};
    socket->sendTextMessage(QString::fromUtf8(QJsonDocument(reply).toJson(QJsonDocument::Compact)));
}
