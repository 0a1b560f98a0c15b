#include "PlayerJson.h"

#include <QTimeZone>

#include <cmath>
#include <limits>

namespace PlayerJson {

namespace {
QString typeName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null: return QStringLiteral("null");
    case QJsonValue::Bool: return QStringLiteral("a bool");
    case QJsonValue::Double: return QStringLiteral("a number");
    case QJsonValue::String: return QStringLiteral("a string");
    case QJsonValue::Array: return QStringLiteral("an array");
    case QJsonValue::Object: return QStringLiteral("an object");
    case QJsonValue::Undefined: return QStringLiteral("missing");
    }
    return QStringLiteral("unknown");
}

// A key that is missing or holds null counts as absent.
bool absent(const QJsonObject &object, QLatin1String key)
{
    const auto it = object.constFind(key);
    return it == object.constEnd() || it->isNull();
}


// Whole numbers only: JSON integers such as 42 (or 42.0), not 42.5, and only
// values a 64-bit signed integer can hold.
std::optional<qint64> wholeNumber(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (!std::isfinite(d) || std::floor(d) != d)
        return std::nullopt;
    if (d < -9223372036854775808.0 || d >= 9223372036854775808.0)
        return std::nullopt;
    // toInteger keeps integers beyond 2^53 exact when the text had no fraction.
    return value.toInteger(qint64(d));
}
} // namespace

QDateTime referenceDate()
{
    static const QDateTime origin(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    return origin;
}

QString uuidText(const QUuid &id) { return id.toString(QUuid::WithoutBraces).toUpper(); }

QString Path::text() const
{
    if (!parent)
        return QString(key);
    if (index >= 0)
        return parent->text() + QStringLiteral("[%1]").arg(index);
    return parent->text() + QLatin1Char('.') + key;
}

void Reader::fail(const Path &path, const QString &what)
{
    if (error.isEmpty())
        error = path.text() + QLatin1String(": ") + what;
}

std::optional<QString> Reader::string(const QJsonValue &value, const Path &path)
{
    if (!value.isString()) {
        fail(path, QStringLiteral("expected a string, found %1").arg(typeName(value)));
        return std::nullopt;
    }
    return value.toString();
}

std::optional<QStringList> Reader::stringList(const QJsonValue &value, const Path &path)
{
    if (!value.isArray()) {
        fail(path, QStringLiteral("expected an array of strings, found %1").arg(typeName(value)));
        return std::nullopt;
    }
    QStringList list;
    const QJsonArray array = value.toArray();
    list.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        const auto s = string(array.at(i), path.at(i));
        if (!s)
            return std::nullopt;
        list.append(*s);
    }
    return list;
}

std::optional<QDateTime> Reader::date(const QJsonValue &value, const Path &path)
{
    if (dateForm == DateForm::referenceSeconds) {
        if (!value.isDouble() || !std::isfinite(value.toDouble())) {
            fail(path, QStringLiteral("expected a date as a number, found %1").arg(typeName(value)));
            return std::nullopt;
        }
        const double ms = std::round(value.toDouble() * 1000.0);
        if (std::abs(ms) > 1e15) {
            fail(path, QStringLiteral("date out of range"));
            return std::nullopt;
        }
        return referenceDate().addMSecs(qint64(ms));
    }
    if (!value.isString()) {
        fail(path, QStringLiteral("expected a date as text, found %1").arg(typeName(value)));
        return std::nullopt;
    }
    const QDateTime parsed = QDateTime::fromString(value.toString(), Qt::ISODate);
    if (!parsed.isValid()) {
        fail(path, QStringLiteral("not an ISO 8601 date: %1").arg(value.toString()));
        return std::nullopt;
    }
    return parsed.toUTC();
}

std::optional<GameType> Reader::gameType(const QJsonValue &value, const Path &path)
{
    if (!value.isObject()) {
        fail(path, QStringLiteral("expected an object, found %1").arg(typeName(value)));
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    const auto variantText = string(object.value(QLatin1String("variant")), path.member(QLatin1String("variant")));
    const auto modeText = string(object.value(QLatin1String("mode")), path.member(QLatin1String("mode")));
    if (!variantText || !modeText)
        return std::nullopt;
    const auto variant = gameVariantFromRaw(*variantText);
    if (!variant) {
        fail(path.member(QLatin1String("variant")), QStringLiteral("unknown game variant \"%1\"").arg(*variantText));
        return std::nullopt;
    }
    const auto mode = gameModeFromRaw(*modeText);
    if (!mode) {
        fail(path.member(QLatin1String("mode")), QStringLiteral("unknown game mode \"%1\"").arg(*modeText));
        return std::nullopt;
    }
    return GameType{*variant, *mode};
}

std::optional<PlayerStats> Reader::stats(const QJsonValue &value, const Path &path)
{
    if (!value.isObject()) {
        fail(path, QStringLiteral("expected an object, found %1").arg(typeName(value)));
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    PlayerStats stats;
    for (const auto &[key, target] : {std::pair{QLatin1String("vpip"), &stats.vpip}, std::pair{QLatin1String("pfr"), &stats.pfr}}) {
        const QJsonValue v = object.value(key);
        if (!v.isDouble()) {
            fail(path.member(key), QStringLiteral("expected a number, found %1").arg(typeName(v)));
            return std::nullopt;
        }
        *target = v.toDouble();
    }
    const auto hands = wholeNumber(object.value(QLatin1String("hands")));
    if (!hands) {
        fail(path.member(QLatin1String("hands")), QStringLiteral("expected a whole number, found %1").arg(typeName(object.value(QLatin1String("hands")))));
        return std::nullopt;
    }
    stats.hands = *hands;
    return stats;
}

std::optional<PlayerType> Reader::playerType(const QJsonValue &value, const Path &path)
{
    if (!value.isObject()) {
        fail(path, QStringLiteral("expected an object, found %1").arg(typeName(value)));
        return std::nullopt;
    }
    const auto emoji = string(value.toObject().value(QLatin1String("emoji")), path.member(QLatin1String("emoji")));
    if (!emoji)
        return std::nullopt;
    return PlayerType{*emoji};
}

std::optional<Seating> Reader::seating(const QJsonValue &value, const Path &path)
{
    if (!value.isObject()) {
        fail(path, QStringLiteral("expected an object, found %1").arg(typeName(value)));
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    const auto type = gameType(object.value(QLatin1String("gameType")), path.member(QLatin1String("gameType")));
    if (!type)
        return std::nullopt;
    const auto tableID = string(object.value(QLatin1String("tableID")), path.member(QLatin1String("tableID")));
    if (!tableID)
        return std::nullopt;
    const QJsonValue active = object.value(QLatin1String("isActive"));
    if (!active.isBool()) {
        fail(path.member(QLatin1String("isActive")), QStringLiteral("expected a bool, found %1").arg(typeName(active)));
        return std::nullopt;
    }
    const auto updatedAt = date(object.value(QLatin1String("updatedAt")), path.member(QLatin1String("updatedAt")));
    if (!updatedAt)
        return std::nullopt;
    return Seating{*type, *tableID, active.toBool(), *updatedAt};
}

std::optional<Player> Reader::player(const QJsonValue &value, const Path &path)
{
    if (!value.isObject()) {
        fail(path, QStringLiteral("expected an object, found %1").arg(typeName(value)));
        return std::nullopt;
    }
    const QJsonObject o = value.toObject();
    Player p;

    const auto idText = string(o.value(QLatin1String("id")), path.member(QLatin1String("id")));
    if (!idText)
        return std::nullopt;
    p.id = QUuid::fromString(*idText);
    if (p.id.isNull() || idText->size() != 36) {
        fail(path.member(QLatin1String("id")), QStringLiteral("not a UUID: %1").arg(*idText));
        return std::nullopt;
    }
    const auto name = string(o.value(QLatin1String("name")), path.member(QLatin1String("name")));
    if (!name)
        return std::nullopt;
    p.name = *name;

    if (!absent(o, QLatin1String("playerId"))) {
        const auto id = wholeNumber(o.value(QLatin1String("playerId")));
        if (!id) {
            fail(path.member(QLatin1String("playerId")), QStringLiteral("expected a whole number"));
            return std::nullopt;
        }
        p.playerId = *id;
    }
    if (!absent(o, QLatin1String("stats"))) {
        p.stats = stats(o.value(QLatin1String("stats")), path.member(QLatin1String("stats")));
        if (!p.stats)
            return std::nullopt;
    }
    if (!absent(o, QLatin1String("colorIndicator"))) {
        const auto raw = string(o.value(QLatin1String("colorIndicator")), path.member(QLatin1String("colorIndicator")));
        if (!raw)
            return std::nullopt;
        p.colorIndicator = playerColorFromRaw(*raw);
        if (!p.colorIndicator) {
            fail(path.member(QLatin1String("colorIndicator")), QStringLiteral("unknown colour \"%1\"").arg(*raw));
            return std::nullopt;
        }
    }
    if (!absent(o, QLatin1String("tags"))) {
        const auto raws = stringList(o.value(QLatin1String("tags")), path.member(QLatin1String("tags")));
        if (!raws)
            return std::nullopt;
        for (const QString &raw : *raws) {
            const auto tag = playerTagFromRaw(raw);
            if (!tag) {
                fail(path.member(QLatin1String("tags")), QStringLiteral("unknown tag \"%1\"").arg(raw));
                return std::nullopt;
            }
            p.tags.append(*tag);
        }
    }
    for (const auto &[key, target] : {std::pair{QLatin1String("phraseTags"), &p.phraseTags},
                                      std::pair{QLatin1String("villainTypes"), &p.villainTypes},
                                      std::pair{QLatin1String("supersededNames"), &p.supersededNames}}) {
        if (absent(o, key))
            continue;
        *target = stringList(o.value(key), path.member(key));
        if (!*target)
            return std::nullopt;
    }
    if (!absent(o, QLatin1String("note"))) {
        const auto note = string(o.value(QLatin1String("note")), path.member(QLatin1String("note")));
        if (!note)
            return std::nullopt;
        p.note = *note;
    }
    for (const auto &[key, target] : {std::pair{QLatin1String("createdAt"), &p.createdAt},
                                      std::pair{QLatin1String("updatedAt"), &p.updatedAt}}) {
        if (absent(o, key)) {
            *target = now ? now() : QDateTime::currentDateTimeUtc();
            continue;
        }
        const auto d = date(o.value(key), path.member(key));
        if (!d)
            return std::nullopt;
        *target = *d;
    }
    if (!absent(o, QLatin1String("isManuallyNamed"))) {
        const QJsonValue flag = o.value(QLatin1String("isManuallyNamed"));
        if (!flag.isBool()) {
            fail(path.member(QLatin1String("isManuallyNamed")), QStringLiteral("expected a bool, found %1").arg(typeName(flag)));
            return std::nullopt;
        }
        p.isManuallyNamed = flag.toBool();
    }

    // Seatings, or the single table of an older record.
    const QJsonValue seatingsValue = o.value(QLatin1String("seatings"));
    const bool hasSeatings = !absent(o, QLatin1String("seatings"));
    if (hasSeatings && !seatingsValue.isArray()) {
        fail(path.member(QLatin1String("seatings")), QStringLiteral("expected an array, found %1").arg(typeName(seatingsValue)));
        return std::nullopt;
    }
    const QJsonArray seatingArray = seatingsValue.toArray();
    if (hasSeatings && !seatingArray.isEmpty()) {
        p.seatings.reserve(seatingArray.size());
        for (qsizetype i = 0; i < seatingArray.size(); ++i) {
            const auto s = seating(seatingArray.at(i), path.member(QLatin1String("seatings")).at(i));
            if (!s)
                return std::nullopt;
            p.seatings.append(*s);
        }
    } else if (!absent(o, QLatin1String("gameType"))) {
        const auto type = gameType(o.value(QLatin1String("gameType")), path.member(QLatin1String("gameType")));
        if (!type)
            return std::nullopt;
        Seating legacy{*type, QString(), true, p.updatedAt};
        if (!absent(o, QLatin1String("tableID"))) {
            const auto tableID = string(o.value(QLatin1String("tableID")), path.member(QLatin1String("tableID")));
            if (!tableID)
                return std::nullopt;
            legacy.tableID = *tableID;
        }
        if (!absent(o, QLatin1String("isActive"))) {
            const QJsonValue active = o.value(QLatin1String("isActive"));
            if (!active.isBool()) {
                fail(path.member(QLatin1String("isActive")), QStringLiteral("expected a bool, found %1").arg(typeName(active)));
                return std::nullopt;
            }
            legacy.isActive = active.toBool();
        }
        p.seatings.append(legacy);
    }
    return p;
}

std::optional<QList<Player>> Reader::players(const QJsonValue &value, const Path &path)
{
    if (!value.isArray()) {
        fail(path, QStringLiteral("expected an array, found %1").arg(typeName(value)));
        return std::nullopt;
    }
    const QJsonArray array = value.toArray();
    QList<Player> list;
    list.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        auto p = player(array.at(i), path.at(i));
        if (!p)
            return std::nullopt;
        list.append(std::move(*p));
    }
    return list;
}

QJsonValue toJson(const QDateTime &date, DateForm form)
{
    if (form == DateForm::referenceSeconds)
        return double(referenceDate().msecsTo(date)) / 1000.0;
    return date.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
}

QJsonObject toJson(const GameType &type)
{
    return {{QLatin1String("variant"), rawValue(type.variant)}, {QLatin1String("mode"), rawValue(type.mode)}};
}

QJsonObject toJson(const PlayerStats &stats)
{
    return {{QLatin1String("vpip"), stats.vpip}, {QLatin1String("pfr"), stats.pfr}, {QLatin1String("hands"), stats.hands}};
}

QJsonObject toJson(const PlayerType &type) { return {{QLatin1String("emoji"), type.emoji}}; }

QJsonObject toJson(const Seating &seating, DateForm form)
{
    return {{QLatin1String("gameType"), toJson(seating.gameType)},
            {QLatin1String("tableID"), seating.tableID},
            {QLatin1String("isActive"), seating.isActive},
            {QLatin1String("updatedAt"), toJson(seating.updatedAt, form)}};
}

QJsonObject toJson(const Player &player, DateForm form)
{
    QJsonObject o;
    o.insert(QLatin1String("id"), uuidText(player.id));
    o.insert(QLatin1String("name"), player.name);
    if (player.playerId)
        o.insert(QLatin1String("playerId"), *player.playerId);
    if (player.stats)
        o.insert(QLatin1String("stats"), toJson(*player.stats));
    if (player.colorIndicator)
        o.insert(QLatin1String("colorIndicator"), rawValue(*player.colorIndicator));
    QJsonArray tags;
    for (const PlayerTag tag : player.tags)
        tags.append(rawValue(tag));
    o.insert(QLatin1String("tags"), tags);
    if (player.phraseTags)
        o.insert(QLatin1String("phraseTags"), QJsonArray::fromStringList(*player.phraseTags));
    if (player.villainTypes)
        o.insert(QLatin1String("villainTypes"), QJsonArray::fromStringList(*player.villainTypes));
    o.insert(QLatin1String("note"), player.note);
    o.insert(QLatin1String("createdAt"), toJson(player.createdAt, form));
    o.insert(QLatin1String("updatedAt"), toJson(player.updatedAt, form));
    QJsonArray seatings;
    for (const Seating &seating : player.seatings)
        seatings.append(toJson(seating, form));
    o.insert(QLatin1String("seatings"), seatings);
    if (player.isManuallyNamed)
        o.insert(QLatin1String("isManuallyNamed"), *player.isManuallyNamed);
    if (player.supersededNames)
        o.insert(QLatin1String("supersededNames"), QJsonArray::fromStringList(*player.supersededNames));
    return o;
}

QJsonArray toJson(const QList<Player> &players, DateForm form)
{
    QJsonArray array;
    for (const Player &player : players)
        array.append(toJson(player, form));
    return array;
}

} // namespace PlayerJson
