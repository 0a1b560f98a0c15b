#pragma once

#include "Player.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <functional>
#include <optional>

// JSON encoding of the player record and its parts. The players file writes
// dates as seconds since 2001-01-01 00:00:00 UTC; the export writes them as
// ISO 8601 text in UTC with whole seconds.
namespace PlayerJson {

enum class DateForm { referenceSeconds, iso8601 };

// Where a value sits in a document, for error texts ("players[3].stats.hands").
// Built as a chain on the stack and turned into text only when reading fails,
// so reading a large file allocates nothing for it.
struct Path {
    const Path *parent = nullptr;
    QLatin1String key;
    qsizetype index = -1;

    Path member(QLatin1String name) const { return Path{this, name, -1}; }
    Path at(qsizetype i) const { return Path{this, {}, i}; }
    QString text() const;
};

inline Path rootPath(const char *name) { return Path{nullptr, QLatin1String(name), -1}; }

// Reading state: the date form, a clock for dates missing from older records,
// and the first error met (with the path of the offending value).
struct Reader {
    DateForm dateForm = DateForm::referenceSeconds;
    std::function<QDateTime()> now;
    QString error;

    bool failed() const { return !error.isEmpty(); }
    void fail(const Path &path, const QString &what);

    std::optional<Player> player(const QJsonValue &value, const Path &path = rootPath("player"));
    std::optional<QList<Player>> players(const QJsonValue &value, const Path &path = rootPath("players"));
    std::optional<Seating> seating(const QJsonValue &value, const Path &path);
    std::optional<GameType> gameType(const QJsonValue &value, const Path &path);
    std::optional<PlayerStats> stats(const QJsonValue &value, const Path &path);
    std::optional<PlayerType> playerType(const QJsonValue &value, const Path &path);
    std::optional<QDateTime> date(const QJsonValue &value, const Path &path);
    std::optional<QString> string(const QJsonValue &value, const Path &path);
    std::optional<QStringList> stringList(const QJsonValue &value, const Path &path);
};

QJsonValue toJson(const QDateTime &date, DateForm form);
QJsonObject toJson(const GameType &type);
QJsonObject toJson(const PlayerStats &stats);
QJsonObject toJson(const PlayerType &type);
QJsonObject toJson(const Seating &seating, DateForm form);
QJsonObject toJson(const Player &player, DateForm form);
QJsonArray toJson(const QList<Player> &players, DateForm form);

// The record's UUID as written: 36 characters, upper-case hexadecimal.
QString uuidText(const QUuid &id);

// 2001-01-01 00:00:00 UTC, the origin of the players file's dates.
QDateTime referenceDate();

} // namespace PlayerJson

namespace PlayerJson {
// The players file's bytes: a compact JSON array of the records for which
// keep(record) is true, dates as seconds since the reference date. Written
// directly rather than through QJsonObject: the file is rewritten after most
// changes and building the object tree costs several times more than the text.
QByteArray compactPlayersFile(const QList<Player> &players, const std::function<bool(const Player &)> &keep = {});
// The same into `out`, replacing what it held but keeping its capacity: a
// caller that saves again and again reuses one buffer of the file's size
// instead of mapping fresh pages each time.
void writeCompactPlayersFile(QByteArray &out, const QList<Player> &players,
                             const std::function<bool(const Player &)> &keep = {});
}
