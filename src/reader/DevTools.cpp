#include "DevTools.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QCoreApplication>
#include <QUrl>

#include <qcoro/qcoronetworkreply.h>

#include <memory>

QString CDPError::description() const
{
    switch (m_kind) {
    case Kind::httpError:
        return QStringLiteral("CDP HTTP error ") + QString::number(m_status);
    case Kind::evaluationFailed:
        return QStringLiteral("CDP evaluation failed: ") + m_message;
    case Kind::invalidURL:
        return QStringLiteral("Invalid CDP URL");
    case Kind::notConnected:
        return QStringLiteral("CDP WebSocket not connected");
    case Kind::decodingFailed:
        return QStringLiteral("CDP response decoding failed");
    case Kind::timeout:
        return QStringLiteral("CDP request timed out");
    }
    return {};
}

QString describe(const CDPFailure &failure)
{
    return std::visit([](const auto &error) { return error.description(); }, failure);
}

QNetworkAccessManager *sharedNetworkManager()
{
    // Owned by the application, so it goes before Qt's network layer does.
    static QPointer<QNetworkAccessManager> manager;
    if (!manager)
        manager = new QNetworkAccessManager(QCoreApplication::instance());
    return manager;
}

Expected<QList<CDPTarget>, PassedThroughError> decodeTargetList(const QByteArray &body)
{
    const auto jsonError = [](const QString &text) {
        return PassedThroughError{PassedThroughError::Source::json, text};
    };
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return jsonError(QStringLiteral("The target list is not valid JSON: ") + parseError.errorString());
    if (!document.isArray())
        return jsonError(QStringLiteral("The target list is not a JSON array"));

    QList<CDPTarget> targets;
    const QJsonArray array = document.array();
    targets.reserve(array.size());
    for (qsizetype index = 0; index < array.size(); ++index) {
        const QJsonValue element = array.at(index);
        if (!element.isObject())
            return jsonError(QStringLiteral("Target %1 is not a JSON object").arg(index));
        const QJsonObject object = element.toObject();
        QString fields[5];
        const char *keys[5] = {"id", "type", "title", "url", "webSocketDebuggerUrl"};
        for (int k = 0; k < 5; ++k) {
            const QJsonValue value = object.value(QLatin1String(keys[k]));
            if (!value.isString())
                return jsonError(QStringLiteral("Target %1: \"%2\" is missing or not a string")
                                     .arg(index)
                                     .arg(QLatin1String(keys[k])));
            fields[k] = value.toString();
        }
        targets.append(CDPTarget{fields[0], fields[1], fields[2], fields[3], fields[4]});
    }
    return targets;
}

QCoro::Task<TargetListResult> listTargets(QString host, int port)
{
    const QUrl url(QStringLiteral("http://") + host + QLatin1Char(':') + QString::number(port)
                       + QStringLiteral("/json"),
                   QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || url.port() != port)
        co_return CDPFailure(CDPError::invalidURL());

    QNetworkRequest request(url);
    request.setTransferTimeout(int(targetListTimeout.count()));
    std::unique_ptr<QNetworkReply, DeleteLater> reply(co_await sharedNetworkManager()->get(request));

    // An HTTP status means the endpoint answered; Qt also flags 4xx/5xx as
    // reply errors, so the status is looked at before the transport error.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        if (status.toInt() != 200)
            co_return CDPFailure(CDPError::httpError(status.toInt()));
        auto decoded = decodeTargetList(reply->readAll());
        if (!decoded)
            co_return CDPFailure(decoded.error());
        co_return decoded.value();
    }
    if (reply->error() != QNetworkReply::NoError)
        co_return CDPFailure(PassedThroughError{PassedThroughError::Source::transport, reply->errorString()});
    co_return CDPFailure(CDPError::httpError(-1));
}

QList<CDPTarget> tablePages(const QList<CDPTarget> &targets)
{
    static const QLatin1String excluded[] = {QLatin1String("dialog/index.html"), QLatin1String("update/index.html"),
                                             QLatin1String("sentry-screen-picker"),
                                             QLatin1String("downloading/index.html")};
    QList<CDPTarget> pages;
    for (const CDPTarget &target : targets) {
        if (target.type != QLatin1String("page"))
            continue;
        const QString url = target.url.toLower();
        if (!url.contains(QLatin1String("clubwpt")))
            continue;
        bool keep = true;
        for (const QLatin1String &part : excluded)
            keep = keep && !url.contains(part);
        if (keep)
            pages.append(target);
    }
    return pages;
}
