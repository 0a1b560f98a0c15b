#include "ViewFixtures.h"

#include "app/PlayerValues.h"
#include "model/PlayerJson.h"
#include "services/Analytics.h"
#include "store/PlayerStore.h"
#include "store/TableSectionModel.h"

#include <QJsonDocument>
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

FixtureTables::FixtureTables(QObject *parent)
    : QObject(parent)
{
}

FixtureTables::~FixtureTables()
{
    // The model follows the store; it goes first.
    m_sections.reset();
    m_store.reset();
}

QObject *FixtureTables::sections() const
{
    return m_sections.get();
}

void FixtureTables::open(const QVariantList &players)
{
    m_sections.reset();
    m_store.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    QList<Player> records;
    const QDateTime base = QDateTime::currentDateTimeUtc();
    for (const QVariant &entry : players) {
        const QVariantMap values = entry.toMap();
        Player player;
        player.id = QUuid::createUuid();
        player.name = values.value(QStringLiteral("name")).toString();
        player.createdAt = base;
        for (const QVariant &s : values.value(QStringLiteral("seatings")).toList()) {
            const QVariantMap map = s.toMap();
            Seating seating;
            seating.gameType = GameType{GameVariant::nlhe, GameMode::ring};
            seating.tableID = map.value(QStringLiteral("tableID")).toString();
            seating.isActive = map.value(QStringLiteral("isActive"), true).toBool();
            seating.updatedAt = base;
            player.seatings.append(seating);
        }
        records.append(player);
    }
    TestSupport::writeFile(m_dir->filePath(QStringLiteral("players.json")),
                           QJsonDocument(PlayerJson::toJson(records, PlayerJson::DateForm::referenceSeconds)).toJson());
    m_store = std::make_unique<PlayerStore>(m_dir->path());
    m_sections = std::make_unique<TableSectionModel>(m_store.get());
    Q_EMIT opened();
}

void FixtureTables::closeTables(const QStringList &tableIDs)
{
    m_store->markTablesClosed(tableIDs);
}

void FixtureTables::clearInactive(const QString &variant, const QString &mode)
{
    m_store->clearInactiveSeatings(GameType{*gameVariantFromRaw(variant), *gameModeFromRaw(mode)});
}

void FixtureTables::moveTableCard(const QString &draggedKey, const QString &targetKey)
{
    m_store->moveTableCard(draggedKey, targetKey);
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
