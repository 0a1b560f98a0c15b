#include "ViewFixtures.h"

#include "app/PlayerValues.h"
#include "services/Analytics.h"

#include <QSettings>

FixtureStore::FixtureStore(QObject *parent)
    : QObject(parent)
    , m_types{QStringLiteral("🐟"), QStringLiteral("🪨"), QStringLiteral("🦈"), QStringLiteral("🔥")}
    , m_tags{QStringLiteral("aggro"), QStringLiteral("3bet-wide"), QStringLiteral("calls-down"),
             QStringLiteral("bluffs"), QStringLiteral("tilt-prone")}
    , m_flags{QStringLiteral("blue"), QStringLiteral("red"), QStringLiteral("purple"), QStringLiteral("green")}
{
}

QVariantMap FixtureStore::addPlayer(const QVariantMap &values)
{
    Player player;
    player.id = QUuid::createUuid();
    player.name = values.value(QStringLiteral("name")).toString();
    player.note = values.value(QStringLiteral("note")).toString();
    player.colorIndicator = playerColorFromRaw(values.value(QStringLiteral("flag")).toString());
    if (values.contains(QStringLiteral("villainTypes")))
        player.villainTypes = values.value(QStringLiteral("villainTypes")).toStringList();
    if (values.contains(QStringLiteral("phraseTags")))
        player.phraseTags = values.value(QStringLiteral("phraseTags")).toStringList();
    for (const QString &raw : values.value(QStringLiteral("legacyTags")).toStringList())
        if (const auto tag = playerTagFromRaw(raw))
            player.tags.append(*tag);
    if (values.contains(QStringLiteral("vpip")))
        player.stats = PlayerStats{values.value(QStringLiteral("vpip")).toDouble(),
                                   values.value(QStringLiteral("pfr")).toDouble(),
                                   values.value(QStringLiteral("hands")).toLongLong()};
    const QDateTime base = QDateTime::currentDateTimeUtc();
    int index = 0;
    for (const QVariant &entry : values.value(QStringLiteral("seatings")).toList()) {
        const QVariantMap map = entry.toMap();
        Seating seating;
        seating.gameType.variant = gameVariantFromRaw(map.value(QStringLiteral("gameVariant")).toString()).value_or(GameVariant::nlhe);
        seating.gameType.mode = gameModeFromRaw(map.value(QStringLiteral("gameMode")).toString()).value_or(GameMode::ring);
        seating.tableID = map.value(QStringLiteral("tableID")).toString();
        seating.isActive = map.value(QStringLiteral("isActive"), true).toBool();
        seating.updatedAt = base.addSecs(index++);
        player.seatings.append(seating);
    }
    m_players.append(player);
    return PlayerValues::toMap(player);
}

QVariantMap FixtureStore::record(const QString &id) const
{
    const std::optional<Player> player = currentRecord(QUuid::fromString(id));
    if (!player)
        return {};
    QVariantMap map = PlayerValues::toMap(*player);
    QStringList legacy;
    for (PlayerTag tag : player->tags)
        legacy.append(rawValue(tag));
    map.insert(QStringLiteral("legacyTags"), legacy);
    map.insert(QStringLiteral("storedVillainTypes"),
               player->villainTypes ? QVariant(*player->villainTypes) : QVariant());
    map.insert(QStringLiteral("seatingCount"), player->seatings.size());
    return map;
}

void FixtureStore::importStats(const QString &id, double vpip, double pfr, int hands, const QString &tableID)
{
    for (Player &player : m_players) {
        if (player.id != QUuid::fromString(id))
            continue;
        player.stats = PlayerStats{vpip, pfr, hands};
        Seating seating;
        seating.tableID = tableID;
        seating.isActive = true;
        seating.updatedAt = QDateTime::currentDateTimeUtc();
        player.seatings.append(seating);
    }
    Q_EMIT recordsChanged();
}

std::optional<Player> FixtureStore::currentRecord(const QUuid &id) const
{
    for (const Player &player : m_players)
        if (player.id == id)
            return player;
    return std::nullopt;
}

void FixtureStore::storeRecord(const Player &player)
{
    for (Player &stored : m_players)
        if (stored.id == player.id)
            stored = player;
    ++m_storeCount;
    Q_EMIT recordsChanged();
}

QVariantList ViewRecorder::events() const
{
    QVariantList list;
    for (const auto &signal : m_analytics.signals_) {
        QVariantMap parameters;
        for (auto it = signal.parameters.cbegin(); it != signal.parameters.cend(); ++it)
            parameters.insert(it.key(), it.value());
        list.append(QVariantMap{{QStringLiteral("name"), signal.name}, {QStringLiteral("parameters"), parameters}});
    }
    return list;
}

QStringList ViewRecorder::eventNames() const
{
    QStringList names;
    for (const auto &signal : m_analytics.signals_)
        names.append(signal.name);
    return names;
}

void ViewRecorder::reset()
{
    m_analytics.signals_.clear();
    m_analytics.order.clear();
    TestSupport::clearSettings();
    // Events pass the consent gate only with a started client and consent.
    Analytics::resetForTesting();
    qputenv("TARNWICK_ANALYTICS_APP_ID", "view-tests");
    TestSupport::setSetting(QLatin1String(Analytics::consentAnalyticsKey), true);
    Analytics::startAnalytics();
    TestSupport::clearSettings();
    TestSupport::setSetting(QLatin1String(Analytics::consentAnalyticsKey), true);
}

QVariant ViewRecorder::setting(const QString &key) const
{
    return QSettings().value(key);
}

void ViewRecorder::setSetting(const QString &key, const QVariant &value)
{
    TestSupport::setSetting(key, value);
}

bool ViewRecorder::hasSetting(const QString &key) const
{
    return QSettings().contains(key);
}
