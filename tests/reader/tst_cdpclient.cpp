#include "ReaderTestSupport.h"
#include "TestSupport.h"
#include "reader/CDPClient.h"
#include "reader/DevTools.h"

#include <QHttpServer>
#include <QHttpServerResponse>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QWebSocketServer>

using namespace std::chrono_literals;

namespace {
// A page socket the test answers by hand.
class ManualPage : public QObject {
public:
    ManualPage() : server(QStringLiteral("page"), QWebSocketServer::NonSecureMode)
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QWebSocketServer::newConnection, this, [this] {
            socket = server.nextPendingConnection();
            connect(socket, &QWebSocket::textMessageReceived, this,
                    [this](const QString &text) { received.append(QJsonDocument::fromJson(text.toUtf8()).object()); });
            connect(socket, &QWebSocket::disconnected, this, [this] { closeCode = int(socket->closeCode()); });
        });
    }

    ~ManualPage() override
    {
        if (socket) {
            socket->disconnect(this);
            delete socket;
        }
    }

    QUrl url() const { return QUrl(QStringLiteral("ws://127.0.0.1:%1/devtools/page/A").arg(server.serverPort())); }
    void reply(const QJsonObject &message)
    {
        socket->sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    }
    void send(const QString &text) { socket->sendTextMessage(text); }

    QWebSocketServer server;
    QWebSocket *socket = nullptr;
    QList<QJsonObject> received;
    int closeCode = -1;
};

QJsonObject parse(const QByteArray &json) { return QJsonDocument::fromJson(json).object(); }

// Starts an evaluation and keeps its result once it arrives.
struct Evaluation {
    std::optional<EvaluationResult> result;
    QObject context;

    void start(const std::shared_ptr<CDPClient> &client, const QString &expression)
    {
        QCoro::connect(client->evaluate(expression), &context,
                       [this](EvaluationResult value) { result.emplace(std::move(value)); });
    }
};
} // namespace

class TestCDPClient : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void errorTexts()
    {
        QCOMPARE(CDPError::httpError(404).description(), QStringLiteral("CDP HTTP error 404"));
        QCOMPARE(CDPError::evaluationFailed(QStringLiteral("boom")).description(),
                 QStringLiteral("CDP evaluation failed: boom"));
        QCOMPARE(CDPError::invalidURL().description(), QStringLiteral("Invalid CDP URL"));
        QCOMPARE(CDPError::notConnected().description(), QStringLiteral("CDP WebSocket not connected"));
        QCOMPARE(CDPError::decodingFailed().description(), QStringLiteral("CDP response decoding failed"));
        QCOMPARE(CDPError::timeout().description(), QStringLiteral("CDP request timed out"));
    }

    // The Part connects and evaluates at once: the request is held until the
    // handshake completes instead of being lost.
    void evaluateBeforeHandshakeAndIds()
    {
        ManualPage page;
        auto client = std::make_shared<CDPClient>(page.url());
        client->connect();
        QVERIFY(client->isConnected());
        Evaluation first;
        first.start(client, QStringLiteral("1 + 1"));
        QTRY_COMPARE(page.received.size(), 1);
        const QJsonObject request = page.received.at(0);
        QCOMPARE(request.value("id").toInteger(), 1);
        QCOMPARE(request.value("method").toString(), QStringLiteral("Runtime.evaluate"));
        const QJsonObject params = request.value("params").toObject();
        QCOMPARE(params.value("expression").toString(), QStringLiteral("1 + 1"));
        QCOMPARE(params.value("returnByValue"), QJsonValue(true));
        QCOMPARE(params.value("awaitPromise"), QJsonValue(true));
        QCOMPARE(request.size(), 3);

        // A second request in flight gets the next id; replies out of order
        // reach their own requests.
        Evaluation second;
        second.start(client, QStringLiteral("'x'"));
        QTRY_COMPARE(page.received.size(), 2);
        QCOMPARE(page.received.at(1).value("id").toInteger(), 2);
        page.reply(parse(R"({"id":2,"result":{"result":{"type":"string","value":"x"}}})"));
        page.reply(parse(R"({"id":1,"result":{"result":{"type":"number","value":2}}})"));
        QTRY_VERIFY(first.result && second.result);
        QVERIFY(first.result->ok());
        QCOMPARE(*first.result->value(), QJsonValue(2));
        QCOMPARE(*second.result->value(), QJsonValue(QStringLiteral("x")));
        QCOMPARE(client->pendingCount(), 0);
        QCOMPARE(client->nextId(), 2);
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("value"); // JSON of [value], or empty for none
        QTest::addColumn<QString>("error");

        QTest::newRow("value") << QByteArray(R"({"id":1,"result":{"result":{"type":"object","value":{"a":[1,2]}}}})")
                               << true << QByteArray(R"([{"a":[1,2]}])") << QString();
        QTest::newRow("null value") << QByteArray(R"({"id":1,"result":{"result":{"type":"object","value":null}}})")
                                    << true << QByteArray("[null]") << QString();
        QTest::newRow("undefined") << QByteArray(R"({"id":1,"result":{"result":{"type":"undefined"}}})") << true
                                   << QByteArray() << QString();
        QTest::newRow("no result object") << QByteArray(R"({"id":1})") << true << QByteArray() << QString();
        QTest::newRow("result not an object") << QByteArray(R"({"id":1,"result":5})") << true << QByteArray()
                                              << QString();
        QTest::newRow("exception description")
            << QByteArray(R"({"id":1,"result":{"result":{},"exceptionDetails":{"text":"Uncaught","exception":{"description":"TypeError: x is undefined"}}}})")
            << false << QByteArray() << QStringLiteral("CDP evaluation failed: TypeError: x is undefined");
        QTest::newRow("exception text only")
            << QByteArray(R"({"id":1,"result":{"exceptionDetails":{"text":"Uncaught SyntaxError"}}})") << false
            << QByteArray() << QStringLiteral("CDP evaluation failed: Uncaught SyntaxError");
        QTest::newRow("exception without texts")
            << QByteArray(R"({"id":1,"result":{"exceptionDetails":{"lineNumber":3}}})") << false << QByteArray()
            << QStringLiteral("CDP evaluation failed: JS exception in evaluate");
        QTest::newRow("protocol error") << QByteArray(R"({"id":1,"error":{"code":-32601,"message":"Method Foo was not found"}})")
                                        << false << QByteArray()
                                        << QStringLiteral("CDP evaluation failed: Method Foo was not found");
        QTest::newRow("protocol error without message") << QByteArray(R"({"id":1,"error":{"code":-32000}})") << false
                                                        << QByteArray()
                                                        << QStringLiteral("CDP evaluation failed: unknown CDP error");
        QTest::newRow("error not an object falls through to result")
            << QByteArray(R"({"id":1,"error":"x","result":{"result":{"value":7}}})") << true << QByteArray("[7]")
            << QString();
    }

    void replies()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, ok);
        QFETCH(QByteArray, value);
        QFETCH(QString, error);

        ManualPage page;
        auto client = std::make_shared<CDPClient>(page.url());
        client->connect();
        Evaluation evaluation;
        evaluation.start(client, QStringLiteral("x"));
        QTRY_COMPARE(page.received.size(), 1);
        page.send(QString::fromUtf8(reply));
        QTRY_VERIFY(evaluation.result);
        QCOMPARE(evaluation.result->ok(), ok);
        if (ok) {
            if (value.isEmpty()) {
                QVERIFY(!evaluation.result->value().has_value());
            } else {
                QVERIFY(evaluation.result->value().has_value());
                QCOMPARE(*evaluation.result->value(), QJsonDocument::fromJson(value).array().at(0));
            }
        } else {
            QCOMPARE(evaluation.result->error().kind(), CDPError::Kind::evaluationFailed);
            QCOMPARE(evaluation.result->error().description(), error);
        }
        QCOMPARE(client->pendingCount(), 0);
    }

    // Garbage, events and replies to other ids leave the waiting request alone.
    void garbageAndUnmatchedMessagesAreDropped()
    {
        ManualPage page;
        auto client = std::make_shared<CDPClient>(page.url());
        client->connect();
        Evaluation evaluation;
        evaluation.start(client, QStringLiteral("x"));
        QTRY_COMPARE(page.received.size(), 1);
        page.send(QStringLiteral("not json"));
        page.send(QStringLiteral("[1,2,3]"));
        page.send(QStringLiteral(R"({"method":"Runtime.consoleAPICalled","params":{}})"));
        page.send(QStringLiteral(R"({"id":"1","result":{"result":{"value":1}}})"));
        page.send(QStringLiteral(R"({"id":99,"result":{"result":{"value":1}}})"));
        page.send(QStringLiteral(R"({"id":1.5,"error":{"message":"half"}})"));
        page.socket->sendBinaryMessage(QByteArray("\xff\xfe{\"id\":1}", 10));
        QTest::qWait(200);
        QVERIFY(!evaluation.result);
        QVERIFY(client->isPending(1));

        // A binary frame holding UTF-8 text is read like a text frame.
        page.socket->sendBinaryMessage(QByteArray(R"({"id":1,"result":{"result":{"value":"é"}}})"));
        QTRY_VERIFY(evaluation.result);
        QCOMPARE(*evaluation.result->value(), QJsonValue(QStringLiteral("é")));
        // A second reply to the same id finds nothing waiting.
        page.send(QStringLiteral(R"({"id":1,"result":{"result":{"value":2}}})"));
        QTest::qWait(50);
        QCOMPARE(client->pendingCount(), 0);
    }

    void farSideCloseFailsEveryWaitingRequest()
    {
        ManualPage page;
        auto client = std::make_shared<CDPClient>(page.url());
        client->connect();
        Evaluation first, second;
        first.start(client, QStringLiteral("a"));
        second.start(client, QStringLiteral("b"));
        QTRY_COMPARE(page.received.size(), 2);
        page.socket->close();
        QTRY_VERIFY(first.result && second.result);
        QCOMPARE(first.result->error(), CDPError::notConnected());
        QCOMPARE(second.result->error(), CDPError::notConnected());
        QCOMPARE(client->pendingCount(), 0);
        QVERIFY(!client->isConnected());

        // A closed client fails at once and sends nothing; ids keep counting.
        Evaluation after;
        after.start(client, QStringLiteral("c"));
        QVERIFY(after.result);
        QCOMPARE(after.result->error(), CDPError::notConnected());
        QCOMPARE(client->nextId(), 2);
    }

    void disconnectClosesGoingAwayAndFailsWaiting()
    {
        ManualPage page;
        auto client = std::make_shared<CDPClient>(page.url());
        client->connect();
        Evaluation evaluation;
        evaluation.start(client, QStringLiteral("a"));
        QTRY_COMPARE(page.received.size(), 1);
        client->disconnect();
        QTRY_VERIFY(evaluation.result);
        QCOMPARE(evaluation.result->error(), CDPError::notConnected());
        QTRY_COMPARE(page.closeCode, int(QWebSocketProtocol::CloseCodeGoingAway));
        QCOMPARE(client->nextId(), 1);
    }

    void neverConnectedClientSendsNothing()
    {
        ManualPage page;
        auto client = std::make_shared<CDPClient>(page.url());
        Evaluation evaluation;
        evaluation.start(client, QStringLiteral("a"));
        QVERIFY(evaluation.result);
        QCOMPARE(evaluation.result->error(), CDPError::notConnected());
        QCOMPARE(client->nextId(), 0);
        QTest::qWait(50);
        QVERIFY(page.socket == nullptr);
    }

    // A failed handshake fails the held request as not connected, at once
    // rather than at its time limit.
    void failedHandshakeFailsHeldRequest()
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        const quint16 port = closed.serverPort();
        closed.close();
        auto client = std::make_shared<CDPClient>(QUrl(QStringLiteral("ws://127.0.0.1:%1/x").arg(port)), 10s);
        client->connect();
        Evaluation evaluation;
        evaluation.start(client, QStringLiteral("a"));
        QTRY_VERIFY_WITH_TIMEOUT(evaluation.result, 5000);
        QCOMPARE(evaluation.result->error(), CDPError::notConnected());
        QVERIFY(!client->isConnected());
        QCOMPARE(client->pendingCount(), 0);
    }

    // A reply that never comes fails the request after the time limit; it
    // leaves pending, and its late reply is dropped.
    void timeoutAndLateReply()
    {
        ManualPage page;
        auto client = std::make_shared<CDPClient>(page.url(), 300ms);
        QCOMPARE(CDPClient::defaultRequestTimeout, 3000ms);
        client->connect();
        Evaluation evaluation;
        QElapsedTimer timer;
        timer.start();
        evaluation.start(client, QStringLiteral("a"));
        QTRY_VERIFY(evaluation.result);
        QVERIFY(timer.elapsed() >= 280);
        QCOMPARE(evaluation.result->error(), CDPError::timeout());
        QCOMPARE(evaluation.result->error().description(), QStringLiteral("CDP request timed out"));
        QCOMPARE(client->pendingCount(), 0);
        QVERIFY(client->isConnected());

        page.reply(parse(R"({"id":1,"result":{"result":{"value":"late"}}})"));
        Evaluation next;
        next.start(client, QStringLiteral("b"));
        QTRY_COMPARE(page.received.size(), 2);
        QCOMPARE(page.received.at(1).value("id").toInteger(), 2);
        page.reply(parse(R"({"id":2,"result":{"result":{"value":"fresh"}}})"));
        QTRY_VERIFY(next.result);
        QCOMPARE(*next.result->value(), QJsonValue(QStringLiteral("fresh")));
    }

    void tablePagesFilter_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("kept");
        QTest::newRow("table page") << "page" << "https://game.clubwpt.com/table?room_id=1" << true;
        QTest::newRow("mixed case") << "page" << "file:///x/ClubWPT-Table.html" << true;
        QTest::newRow("no clubwpt") << "page" << "https://example.com/table" << false;
        QTest::newRow("updater") << "page" << "https://clubwpt.com/Update/Index.HTML" << false;
        QTest::newRow("dialog") << "page" << "https://clubwpt.com/dialog/index.html?x" << false;
        QTest::newRow("screen picker") << "page" << "https://clubwpt.com/Sentry-Screen-Picker" << false;
        QTest::newRow("downloading") << "page" << "https://clubwpt.com/downloading/index.html" << false;
        QTest::newRow("worker") << "service_worker" << "https://clubwpt.com/sw.js" << false;
        QTest::newRow("browser ui") << "browser_ui" << "chrome://clubwpt" << false;
        QTest::newRow("Page") << "Page" << "https://clubwpt.com/table" << false;
    }

    void tablePagesFilter()
    {
        QFETCH(QString, type);
        QFETCH(QString, url);
        QFETCH(bool, kept);
        const CDPTarget before{"0", "page", "", "https://clubwpt.com/a", "ws://127.0.0.1/0"};
        const CDPTarget target{"1", type, "t", url, "ws://127.0.0.1:9222/devtools/page/1"};
        const CDPTarget after{"2", "page", "", "https://clubwpt.com/b", "ws://127.0.0.1/2"};
        const QList<CDPTarget> expected = kept ? QList<CDPTarget>{before, target, after} : QList<CDPTarget>{before, after};
        QCOMPARE(tablePages({before, target, after}), expected);
    }

    void listTargetsDecodesTheList()
    {
        QHttpServer server;
        server.route(QStringLiteral("/json"), [] {
            const QJsonObject page{{"id", "B"}, {"type", "page"}, {"title", "T"},
                                   {"url", "https://clubwpt.com/?room_id=1"},
                                   {"webSocketDebuggerUrl", "ws://127.0.0.1:1/devtools/page/B"}, {"extra", 1}};
            const QJsonObject other{{"id", "A"}, {"type", "browser_ui"}, {"title", ""}, {"url", "chrome://x"},
                                    {"webSocketDebuggerUrl", "ws://127.0.0.1:1/devtools/page/A"}};
            return QHttpServerResponse(QByteArray("application/json"),
                                       QJsonDocument(QJsonArray{page, other}).toJson());
        });
        const quint16 port = server.listen(QHostAddress::LocalHost, 0);
        const auto result = awaitTask(listTargets(QStringLiteral("127.0.0.1"), port));
        QVERIFY(result);
        QVERIFY(result->ok());
        QCOMPARE(result->value().size(), 2);
        QCOMPARE(result->value().at(0),
                 (CDPTarget{"B", "page", "T", "https://clubwpt.com/?room_id=1", "ws://127.0.0.1:1/devtools/page/B"}));
        QCOMPARE(result->value().at(1).id, QStringLiteral("A"));
    }

    void listTargetsFailures_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("passedThrough");
        QTest::newRow("404") << 404 << QByteArray("gone") << QStringLiteral("CDP HTTP error 404") << false;
        QTest::newRow("500") << 500 << QByteArray("[]") << QStringLiteral("CDP HTTP error 500") << false;
        QTest::newRow("not json") << 200 << QByteArray("<html>") << QString() << true;
        QTest::newRow("not an array") << 200 << QByteArray(R"({"id":"A"})") << QString() << true;
        QTest::newRow("missing member")
            << 200 << QByteArray(R"([{"id":"A","type":"page","title":"","url":"x"}])") << QString() << true;
        QTest::newRow("member not a string")
            << 200 << QByteArray(R"([{"id":1,"type":"page","title":"","url":"x","webSocketDebuggerUrl":"wsa"}])")
            << QString() << true;
    }

    void listTargetsFailures()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        QFETCH(bool, passedThrough);
        QHttpServer server;
        server.route(QStringLiteral("/json"), [=] {
            return QHttpServerResponse(QByteArray("application/json"), body, QHttpServerResponse::StatusCode(status));
        });
        const quint16 port = server.listen(QHostAddress::LocalHost, 0);
        const auto result = awaitTask(listTargets(QStringLiteral("127.0.0.1"), port));
        QVERIFY(result);
        QVERIFY(!result->ok());
        if (passedThrough) {
            QVERIFY(std::holds_alternative<PassedThroughError>(result->error()));
            QCOMPARE(std::get<PassedThroughError>(result->error()).source, PassedThroughError::Source::json);
        } else {
            QCOMPARE(std::get<CDPError>(result->error()), CDPError::httpError(status));
            QCOMPARE(describe(result->error()), error);
        }
    }

    void listTargetsTransportErrors()
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        const quint16 port = closed.serverPort();
        closed.close();
        auto result = awaitTask(listTargets(QStringLiteral("127.0.0.1"), port));
        QVERIFY(result && !result->ok());
        QCOMPARE(std::get<PassedThroughError>(result->error()).source, PassedThroughError::Source::transport);

        result = awaitTask(listTargets(QStringLiteral("bad host/"), 9222));
        QVERIFY(result && !result->ok());
        QCOMPARE(std::get<CDPError>(result->error()), CDPError::invalidURL());
    }

    // An endpoint that accepts and never answers fails after 2 seconds.
    void listTargetsTimesOut()
    {
        QTcpServer silent;
        silent.listen(QHostAddress::LocalHost, 0);
        QElapsedTimer timer;
        timer.start();
        const auto result = awaitTask(listTargets(QStringLiteral("127.0.0.1"), silent.serverPort()));
        QVERIFY(result && !result->ok());
        QVERIFY(std::holds_alternative<PassedThroughError>(result->error()));
        QVERIFY2(timer.elapsed() >= 1900 && timer.elapsed() < 5000, QByteArray::number(timer.elapsed()));
    }
};

TARNWICK_TEST_MAIN(TestCDPClient)
#include "tst_cdpclient.moc"
