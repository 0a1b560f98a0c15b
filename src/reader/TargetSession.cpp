#include "TargetSession.h"

#include <QHostAddress>
#include <QLocale>
#include <QRegularExpression>
#include <QUrlQuery>

QString rawValue(CDPMode mode)
{
    return mode == CDPMode::tournament ? QStringLiteral("tournament") : QStringLiteral("ring");
}

GameType TableParameters::gameType() const
{
    const bool plo = (mode == CDPMode::ring && gameIDRaw == 90) || (mode == CDPMode::tournament && mttGameMode == 4);
    return GameType{plo ? GameVariant::plo : GameVariant::nlhe,
                    mode == CDPMode::tournament ? GameMode::tournament : GameMode::ring};
}

std::optional<qint64> parseQueryInteger(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]+$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

TableParameters tableParameters(const QString &pageURL)
{
    TableParameters parameters;
    const QUrl url(pageURL);
    if (!url.isValid())
        return parameters;
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    const auto first = [&items](QLatin1String name) -> std::optional<QString> {
        for (const auto &[key, value] : items) {
            if (key == name)
                return value;
        }
        return std::nullopt;
    };
    if (first(QLatin1String("mtt_token")))
        parameters.mode = CDPMode::tournament;
    parameters.tableID = first(QLatin1String("room_id")).value_or(QString());
    if (const auto gameID = first(QLatin1String("game_id")))
        parameters.gameIDRaw = parseQueryInteger(*gameID);
    if (const auto mttGameMode = first(QLatin1String("mtt_game_mode")))
        parameters.mttGameMode = parseQueryInteger(*mttGameMode);
    return parameters;
}

QUrl debuggerSocketURL(const QString &webSocketDebuggerUrl)
{
    const QUrl url(webSocketDebuggerUrl, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const QString host = url.host();
    bool loopback = host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
    if (!loopback) {
        const QHostAddress address(host);
        loopback = !address.isNull() && address.isLoopback();
    }
    if (url.isValid() && (scheme == QLatin1String("ws") || scheme == QLatin1String("wss")) && loopback)
        return url;
    return QUrl(QString::fromLatin1(silentSocketURL));
}

QString popupSignature(const PopupSnapshot &popup)
{
    const auto number = [](double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); };
    return popup.name + QLatin1Char('|') + number(popup.stats.vpip) + QLatin1Char('|') + number(popup.stats.pfr)
        + QLatin1Char('|') + QString::number(popup.stats.hands);
}

GameType TargetSession::gameType() const
{
    return TableParameters{mode, tableID, gameIDRaw, mttGameMode}.gameType();
}

std::shared_ptr<TargetSession> TargetSession::create(const CDPTarget &target,
                                                     std::chrono::milliseconds requestTimeout)
{
    auto session = std::make_shared<TargetSession>();
    session->target = target;
    session->client = std::make_shared<CDPClient>(debuggerSocketURL(target.webSocketDebuggerUrl), requestTimeout);
    const TableParameters parameters = tableParameters(target.url);
    session->mode = parameters.mode;
    session->tableID = parameters.tableID;
    session->gameIDRaw = parameters.gameIDRaw;
    session->mttGameMode = parameters.mttGameMode;
    return session;
}
