#include "TableSnapshot.h"

#include <QFile>
#include <QJsonObject>
#include <QVariant>

#include <cmath>

static void initReaderResources()
{
    Q_INIT_RESOURCE(reader);
}

const QString &sceneScript()
{
    static const QString script = [] {
        initReaderResources();
        QFile file(QStringLiteral(":/reader/scene-script.js"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("The scene-reading script is missing from the program's resources");
        return QString::fromUtf8(file.readAll()).trimmed();
    }();
    return script;
}

std::optional<qint64> snapshotInteger(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    // Whole numbers that Qt keeps as 64-bit integers stay exact.
    const QVariant variant = value.toVariant();
    if (variant.typeId() == QMetaType::LongLong)
        return variant.toLongLong();
    const double number = std::trunc(value.toDouble());
    // 2^63 itself does not fit; every double below it does.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(number) || number >= limit || number < -limit)
        return std::nullopt;
    return qint64(number);
}

std::optional<TableSnapshot> decodeSnapshot(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();

    TableSnapshot snapshot;
    const QJsonValue blind = object.value(QLatin1String("blind"));
    if (blind.isString())
        snapshot.blindLabel = blind.toString();

    const QJsonValue popupValue = object.value(QLatin1String("popup"));
    if (popupValue.isObject()) {
        const QJsonObject popup = popupValue.toObject();
        const QJsonValue name = popup.value(QLatin1String("name"));
        const auto vpip = snapshotInteger(popup.value(QLatin1String("vpip")));
        const auto pfr = snapshotInteger(popup.value(QLatin1String("pfr")));
        if (name.isString() && vpip && pfr) {
            PopupSnapshot decoded;
            decoded.name = name.toString();
            decoded.playerId = snapshotInteger(popup.value(QLatin1String("playerId")));
            decoded.stats.vpip = double(*vpip);
            decoded.stats.pfr = double(*pfr);
            decoded.stats.hands = snapshotInteger(popup.value(QLatin1String("hands"))).value_or(0);
            snapshot.popup = decoded;
        }
    }

    const QJsonValue focus = object.value(QLatin1String("hasFocus"));
    snapshot.hasFocus = focus.isBool() && focus.toBool();

    const QJsonValue room = object.value(QLatin1String("roomName"));
    if (room.isString() && !room.toString().isEmpty())
        snapshot.roomName = room.toString();
    return snapshot;
}
