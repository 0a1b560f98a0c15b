#pragma once

#include "reader/CDPTypes.h"

#include <QEventLoop>
#include <QHash>
#include <QHttpServer>
#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

#include <qcoro/qcorotask.h>

#include <chrono>
#include <memory>
#include <optional>

// Runs a task on the event loop until it finishes; fails the test (and
// returns none) when it takes longer than the limit.
template <typename T>
std::optional<T> awaitTask(QCoro::Task<T> task, std::chrono::milliseconds limit = std::chrono::seconds(15))
{
    std::optional<T> result;
    QEventLoop loop;
    QCoro::connect(std::move(task), &loop, [&](T value) {
        result.emplace(std::move(value));
        loop.quit();
    });
    if (!result) {
        QTimer::singleShot(limit, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return result;
}

inline bool awaitTask(QCoro::Task<> task, std::chrono::milliseconds limit = std::chrono::seconds(15))
{
    bool done = false;
    QEventLoop loop;
    QCoro::connect(std::move(task), &loop, [&] {
        done = true;
        loop.quit();
    });
    if (!done) {
        QTimer::singleShot(limit, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done;
}

// A DevTools endpoint the test controls: /json over HTTP, and one WebSocket
// per page that answers Runtime.evaluate with the value set for that page.
class FakeDevTools : public QObject {
    Q_OBJECT

public:
    FakeDevTools();
    ~FakeDevTools() override;

    quint16 httpPort() const { return m_httpPort; }
    quint16 webSocketPort() const { return m_webSocketServer.serverPort(); }

    // Adds a page to the target list; its socket answers with result.
    CDPTarget addPage(const QString &id, const QString &url, const QString &type = QStringLiteral("page"));
    void removePage(const QString &id);
    void setTargets(const QList<CDPTarget> &targets) { m_targets = targets; }
    QList<CDPTarget> targets() const { return m_targets; }

    // The value a page's evaluations return; an undefined QJsonValue means
    // the reply carries no value, and a page without an entry never replies.
    void setResult(const QString &pageID, const QJsonValue &value) { m_results.insert(pageID, value); }
    void setSilent(const QString &pageID) { m_results.remove(pageID); }
    // Makes /json fail with this status (0: answer normally).
    void setListStatus(int status) { m_listStatus = status; }

    int listRequests() const { return m_listRequests; }
    int evaluations(const QString &pageID) const { return m_evaluations.value(pageID); }
    int totalEvaluations() const;
    int openSockets() const { return int(m_sockets.size()); }

private:
    void answer(QWebSocket *socket, const QString &pageID, const QString &message);

    QHttpServer m_http;
    QWebSocketServer m_webSocketServer;
    quint16 m_httpPort = 0;
    QList<CDPTarget> m_targets;
    QHash<QString, QJsonValue> m_results;
    QHash<QString, int> m_evaluations;
    QList<QWebSocket *> m_sockets;
    int m_listRequests = 0;
    int m_listStatus = 0;
};

class QProcess;

// Headless Chromium on a free loopback port, started through the table
// simulator's script with its own temporary profile.
class SimulatorBrowser {
public:
    SimulatorBrowser();
    ~SimulatorBrowser();

    static QString simulatorPage(); // the file:// URL of the simulator page, no query
    static QString pageURL(const QString &query) { return simulatorPage() + QLatin1Char('?') + query; }
    static quint16 freePort();

    // Starts Chromium on the given pages and waits until they are listed.
    bool start(const QStringList &urls);
    void stop();
    quint16 port() const { return m_port; }

    QList<CDPTarget> pages(); // "page" targets, in the endpoint's order
    std::optional<CDPTarget> openPage(const QString &url);
    bool closePage(const QString &id);

private:
    QTemporaryDir m_profile;
    QProcess *m_process = nullptr;
    quint16 m_port = 0;
};
