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

FakeDevTools::~FakeDevTools()
{
    // The sockets go first: closing one emits signals whose handlers use
    // members that are destroyed before QObject deletes children.
    const auto sockets = std::exchange(m_sockets, {});
    for (QWebSocket *socket : sockets) {
        socket->disconnect(this);
        delete socket;
    }
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

#include "reader/DevTools.h"

#include <QDeadlineTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTcpServer>
#include <QTest>

#include <qcoro/qcoronetworkreply.h>

SimulatorBrowser::SimulatorBrowser() = default;

SimulatorBrowser::~SimulatorBrowser()
{
    stop();
    // Chromium's helper processes may still be writing the profile for a
    // moment after the browser ended.
    for (int attempt = 0; attempt < 20 && !m_profile.remove(); ++attempt)
        QTest::qWait(100);
}

QString SimulatorBrowser::simulatorPage()
{
    return QUrl::fromLocalFile(QStringLiteral(TARNWICK_SIMULATOR_DIR "/clubwpt-table.html")).toString();
}

quint16 SimulatorBrowser::freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool SimulatorBrowser::start(const QStringList &urls)
{
    m_port = freePort();
    m_process = new QProcess;
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    QStringList arguments{QStringLiteral(TARNWICK_SIMULATOR_DIR "/start-simulator.sh"), QStringLiteral("--headless"),
                          QStringLiteral("--port"), QString::number(m_port), QStringLiteral("--user-data-dir"),
                          m_profile.path()};
    arguments += urls;
    // Chromium's own chatter (D-Bus and the like) would drown test output.
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    m_process->setStandardErrorFile(m_profile.filePath(QStringLiteral("chromium.log")));
    m_process->start(QStringLiteral("bash"), arguments);
    if (!m_process->waitForStarted(5000))
        return false;
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (pages().size() >= urls.size())
            return true;
        QTest::qWait(100);
    }
    return false;
}

void SimulatorBrowser::stop()
{
    if (!m_process)
        return;
    m_process->terminate();
    if (!m_process->waitForFinished(10000)) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
    delete m_process;
    m_process = nullptr;
}

QList<CDPTarget> SimulatorBrowser::pages()
{
    const auto listed = awaitTask(listTargets(QStringLiteral("127.0.0.1"), m_port), std::chrono::seconds(5));
    QList<CDPTarget> result;
    if (!listed || !listed->ok())
        return result;
    for (const CDPTarget &target : listed->value()) {
        if (target.type == QLatin1String("page"))
            result.append(target);
    }
    return result;
}

namespace {
QCoro::Task<QByteArray> request(QByteArray verb, QUrl url)
{
    QNetworkRequest networkRequest(url);
    networkRequest.setTransferTimeout(5000);
    std::unique_ptr<QNetworkReply, DeleteLater> reply(co_await sharedNetworkManager()->sendCustomRequest(networkRequest, verb));
    co_return reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
}
} // namespace

std::optional<CDPTarget> SimulatorBrowser::openPage(const QString &url)
{
    QUrl endpoint(QStringLiteral("http://127.0.0.1:%1/json/new").arg(m_port));
    endpoint.setQuery(QString::fromLatin1(QUrl::toPercentEncoding(url)));
    const auto body = awaitTask(request("PUT", endpoint));
    if (!body || body->isEmpty())
        return std::nullopt;
    const QJsonObject object = QJsonDocument::fromJson(*body).object();
    return CDPTarget{object.value("id").toString(), object.value("type").toString(), object.value("title").toString(),
                     object.value("url").toString(), object.value("webSocketDebuggerUrl").toString()};
}

bool SimulatorBrowser::closePage(const QString &id)
{
    const auto body =
        awaitTask(request("GET", QUrl(QStringLiteral("http://127.0.0.1:%1/json/close/%2").arg(m_port).arg(id))));
    return body && !body->isEmpty();
}
