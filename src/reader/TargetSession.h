#pragma once

#include "CDPClient.h"
#include "CDPTypes.h"
#include "TableSnapshot.h"
#include "model/GameType.h"

#include <QString>
#include <QUrl>

#include <chrono>
#include <memory>
#include <optional>

// How a table page is played.
enum class CDPMode { ring, tournament };
QString rawValue(CDPMode mode);

// The table parameters of a page URL ("room_id", "game_id", "mtt_token",
// "mtt_game_mode"); for each name the first parameter with exactly that name
// counts.
struct TableParameters {
    CDPMode mode = CDPMode::ring;
    QString tableID;
    std::optional<qint64> gameIDRaw;
    std::optional<qint64> mttGameMode;

    // PLO for ring pages with game_id 90 and tournament pages with
    // mtt_game_mode 4; NLHE otherwise.
    GameType gameType() const;

    bool operator==(const TableParameters &) const = default;
};

TableParameters tableParameters(const QString &pageURL);

// A base-10 integer with an optional sign and nothing else; none otherwise.
std::optional<qint64> parseQueryInteger(const QString &text);

// The socket URL a session connects to. The target list is untrusted input:
// only a ws:// or wss:// URL on a loopback host is used; anything else gets
// a port nothing listens on, so that session stays silent.
QUrl debuggerSocketURL(const QString &webSocketDebuggerUrl);
inline constexpr auto silentSocketURL = "ws://127.0.0.1:1";

// The popup's name and figures, printed one fixed way.
QString popupSignature(const PopupSnapshot &popup);

// The reader's state for one table page.
struct TargetSession {
    CDPTarget target;
    std::shared_ptr<CDPClient> client;
    CDPMode mode = CDPMode::ring;
    QString tableID;
    std::optional<qint64> gameIDRaw;
    std::optional<qint64> mttGameMode;
    std::optional<qint64> lastPopupPlayerID;
    std::optional<QString> lastPopupSignature;
    std::optional<QString> cachedTableTitle;

    GameType gameType() const;

    // A new session with an unconnected client.
    static std::shared_ptr<TargetSession>
    create(const CDPTarget &target,
           std::chrono::milliseconds requestTimeout = CDPClient::defaultRequestTimeout);
};
