// The catalogs of player types, phrase tags and flag colours; search; export.
#include "NameKeys.h"
#include "PlayerStore.h"
#include "SettingsSnapshot.h"
#include "common/BuildConfig.h"
#include "model/PlayerJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

bool PlayerStore::addPlayerType(const QString &text)
{
    if (m_playerTypeCatalog.size() >= maxPlayerTypes)
        return false;
    const QString emoji = text.trimmed();
    if (emoji.isEmpty() || NameKeys::characterCount(emoji) != 1)
        return false;
    if (m_playerTypeCatalog.contains(PlayerType{emoji}))
        return false;
    m_playerTypeCatalog.append(PlayerType{emoji});
    emit playerTypeCatalogChanged();
    saveSettings();
    return true;
}

void PlayerStore::removePlayerType(int position)
{
    if (position < 0 || position >= m_playerTypeCatalog.size())
        return;
    m_playerTypeCatalog.removeAt(position);
    emit playerTypeCatalogChanged();
    saveSettings();
}

bool PlayerStore::addPhraseTag(const QString &text)
{
    if (m_phraseTagCatalog.size() >= maxPhraseTags)
        return false;
    // simplified() trims the ends and turns every inner run of white space
    // into a single space.
    const QString tag = text.simplified();
    if (tag.isEmpty() || NameKeys::characterCount(tag) > maxPhraseTagLength)
        return false;
    const QString lower = tag.toLower();
    for (const QString &existing : std::as_const(m_phraseTagCatalog))
        if (existing.toLower() == lower)
            return false;
    m_phraseTagCatalog.append(tag);
    emit phraseTagCatalogChanged();
    saveSettings();
    return true;
}

void PlayerStore::removePhraseTag(int position)
{
    if (position < 0 || position >= m_phraseTagCatalog.size())
        return;
    const QString tag = m_phraseTagCatalog.takeAt(position);
    emit phraseTagCatalogChanged();

    QList<QUuid> changedIds;
    for (Player &player : m_players) {
        if (player.phraseTags && player.phraseTags->removeAll(tag) > 0)
            changedIds.append(player.id);
    }
    saveSettings();
    if (changedIds.isEmpty())
        return;
    for (const QUuid &id : std::as_const(changedIds))
        emit playerUpdated(id);
    emit playersChanged();
    savePlayers();
}

void PlayerStore::setFlagColor(PlayerColor color, bool enabled)
{
    if (enabled) {
        if (!m_enabledFlagColors.contains(color)) {
            m_enabledFlagColors.insert(color);
            emit enabledFlagColorsChanged();
        }
    } else {
        if (m_enabledFlagColors.size() < 2 && m_enabledFlagColors.contains(color))
            return;
        if (m_enabledFlagColors.remove(color))
            emit enabledFlagColorsChanged();
    }
    saveSettings();
}

void PlayerStore::setFlagColor(const QString &color, bool enabled)
{
    if (const auto value = playerColorFromRaw(color))
        setFlagColor(*value, enabled);
}

QList<PlayerColor> PlayerStore::orderedEnabledFlagColors() const
{
    QList<PlayerColor> colors;
    for (const PlayerColor color :
         {PlayerColor::red, PlayerColor::orange, PlayerColor::yellow, PlayerColor::green, PlayerColor::blue})
        if (m_enabledFlagColors.contains(color))
            colors.append(color);
    return colors;
}

QStringList PlayerStore::orderedEnabledFlagColorNames() const
{
    QStringList names;
    for (const PlayerColor color : orderedEnabledFlagColors())
        names.append(rawValue(color));
    return names;
}

bool PlayerStore::nameMatchesQuery(const QString &name, const QString &query)
{
    if (query.isEmpty())
        return true;
    const QString lowerQuery = query.toLower();
    if (name.toLower().contains(lowerQuery))
        return true;
    if (NameKeys::withoutDiacritics(name).toLower().contains(lowerQuery))
        return true;
    // A query of white space only has an empty match key, which finds nothing
    // by itself.
    const QString queryKey = NameKeys::matchKey(query);
    return !queryKey.isEmpty() && NameKeys::matchKey(name).contains(queryKey);
}

QList<Player> PlayerStore::searchResults() const
{
    if (m_searchQuery.isEmpty())
        return m_players;
    const QString lowerQuery = m_searchQuery.toLower();
    const QString queryKey = NameKeys::matchKey(m_searchQuery);
    QList<Player> results;
    for (const Player &player : m_players) {
        const CachedNameKeys &keys = nameKeys(player);
        // Same tests as nameMatchesQuery, with the record's cached keys.
        if (keys.lowercased.contains(lowerQuery)
            || (!queryKey.isEmpty() && keys.matchKey.contains(queryKey))
            || keys.folded.contains(lowerQuery))
            results.append(player);
    }
    return results;
}

QByteArray PlayerStore::exportJson() const
{
    QJsonArray players;
    for (const Player &player : m_players)
        if (!m_pendingByID.contains(player.id))
            players.append(PlayerJson::toJson(player, PlayerJson::DateForm::iso8601));
    const QString version = BuildConfig::version();
    QJsonObject envelope;
    envelope.insert(QLatin1String("exportedAt"), PlayerJson::toJson(now(), PlayerJson::DateForm::iso8601));
    envelope.insert(QLatin1String("appVersion"), version.isEmpty() ? QStringLiteral("?") : version);
    envelope.insert(QLatin1String("schemaVersion"), 1);
    envelope.insert(QLatin1String("settings"), settingsSnapshot().toJson());
    envelope.insert(QLatin1String("players"), players);
    // QJsonObject keeps its keys sorted, so every object is written in
    // ascending key order.
    return QJsonDocument(envelope).toJson(QJsonDocument::Indented);
}

bool PlayerStore::exportData(const QString &filePath, QString *error) const
{
    const QByteArray bytes = exportJson();
    QSaveFile file(filePath);
    QString failure;
    if (!file.open(QIODevice::WriteOnly)) {
        failure = file.errorString();
    } else if (file.write(bytes) != bytes.size()) {
        failure = file.errorString();
        file.cancelWriting();
    } else if (!file.commit()) {
        failure = file.errorString();
    }
    if (failure.isEmpty())
        return true;
    if (error)
        *error = QStringLiteral("Could not write %1: %2").arg(filePath, failure);
    return false;
}
