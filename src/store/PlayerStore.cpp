#include "PlayerStore.h"

#include "SettingsSnapshot.h"
#include "common/Log.h"
#include "model/PlayerJson.h"
#include "services/Analytics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
// Reads a whole file and parses it as JSON. Returns the error text, empty on
// success.
QString readJson(const QString &path, QJsonDocument &document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    QJsonParseError parseError;
    document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return QStringLiteral("%1 at offset %2").arg(parseError.errorString()).arg(parseError.offset);
    return {};
}

QByteArray compact(const QJsonDocument &document) { return document.toJson(QJsonDocument::Compact); }
} // namespace

PlayerStore::PlayerStore(const QString &dataDirectory, Clock clock, QObject *parent)
    : QObject(parent)
    , m_dataDirectory(dataDirectory)
    , m_clock(clock ? std::move(clock) : systemClock())
    , m_phraseTagCatalog(defaultPhraseTagCatalog())
    , m_playerTypeCatalog(defaultPlayerTypeCatalog())
    , m_enabledFlagColors(defaultEnabledFlagColors())
{
    // A failure here is not reported on its own: the first read or write in
    // the folder reports its error.
    QDir().mkpath(m_dataDirectory);
    const QDir dir(m_dataDirectory);
    m_storageURL = dir.filePath(QStringLiteral("players.json"));
    m_tableCardOrderURL = dir.filePath(QStringLiteral("table-card-order.json"));
    m_tableTitlesURL = dir.filePath(QStringLiteral("table-titles.json"));
    m_settingsURL = dir.filePath(QStringLiteral("settings.json"));

    loadPlayers();
    mergeDuplicatePlayers();
    loadTableCardOrder();
    loadTableTitles();
    loadSettings();
}

PlayerStore::~PlayerStore() = default;

QString PlayerStore::defaultDataDirectory()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("Tarnwick"));
}

QStringList PlayerStore::defaultPhraseTagCatalog()
{
    return {QStringLiteral("aggro"), QStringLiteral("3bet-wide"), QStringLiteral("station"), QStringLiteral("bluffs"),
            QStringLiteral("tilt-prone")};
}

QList<PlayerType> PlayerStore::defaultPlayerTypeCatalog()
{
    return {{QStringLiteral("\U0001F422")}, {QStringLiteral("\U0001F41F")}, {QStringLiteral("\U0001F988")},
            {QStringLiteral("\U0001F40B")}, {QStringLiteral("\U0001F525")}, {QStringLiteral("\U0001F921")}};
}

QSet<PlayerColor> PlayerStore::defaultEnabledFlagColors()
{
    return {PlayerColor::red, PlayerColor::yellow, PlayerColor::green};
}

void PlayerStore::setSearchQuery(const QString &query)
{
    if (query == m_searchQuery)
        return;
    m_searchQuery = query;
    emit searchQueryChanged();
}

QVariantMap PlayerStore::tableTitlesVariant() const
{
    QVariantMap map;
    for (auto it = m_tableTitles.cbegin(); it != m_tableTitles.cend(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

QStringList PlayerStore::playerTypeEmojis() const
{
    QStringList emojis;
    for (const PlayerType &type : m_playerTypeCatalog)
        emojis.append(type.emoji);
    return emojis;
}

QStringList PlayerStore::enabledFlagColorNames() const
{
    QStringList names;
    for (const PlayerColor color : allPlayerColors())
        if (m_enabledFlagColors.contains(color))
            names.append(rawValue(color));
    return names;
}

SettingsSnapshot PlayerStore::settingsSnapshot() const
{
    return {m_phraseTagCatalog, enabledFlagColorNames(), m_playerTypeCatalog};
}

QStringList PlayerStore::unreadableFiles() const
{
    QStringList files(m_unreadableFiles.cbegin(), m_unreadableFiles.cend());
    files.sort();
    return files;
}

void PlayerStore::rememberUnreadable(const QString &path)
{
    if (QFileInfo::exists(path))
        m_unreadableFiles.insert(path);
}

void PlayerStore::loadPlayers()
{
    if (!QFileInfo::exists(m_storageURL))
        return;
    QJsonDocument document;
    QString error = readJson(m_storageURL, document);
    if (error.isEmpty()) {
        PlayerJson::Reader reader{PlayerJson::DateForm::referenceSeconds, m_clock, {}};
        const QJsonValue root = document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
        if (auto players = reader.players(root)) {
            m_players = std::move(*players);
            emit playersChanged();
            return;
        }
        error = reader.error;
    }
    Log::line(QStringLiteral("Failed to load players: ") + error);
    Analytics::captureStoreError(error, QStringLiteral("load"));
    rememberUnreadable(m_storageURL);
}

void PlayerStore::loadTableCardOrder()
{
    if (!QFileInfo::exists(m_tableCardOrderURL))
        return;
    QJsonDocument document;
    QString error = readJson(m_tableCardOrderURL, document);
    if (error.isEmpty()) {
        PlayerJson::Reader reader;
        const QJsonValue root = document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
        if (const auto order = reader.stringList(root, PlayerJson::rootPath("tableCardOrder"))) {
            m_tableCardOrder = *order;
            emit tableCardOrderChanged();
            return;
        }
        error = reader.error;
    }
    Log::line(QStringLiteral("Failed to load table card order: ") + error);
    rememberUnreadable(m_tableCardOrderURL);
}

void PlayerStore::loadTableTitles()
{
    if (!QFileInfo::exists(m_tableTitlesURL))
        return;
    QJsonDocument document;
    QString error = readJson(m_tableTitlesURL, document);
    if (error.isEmpty() && !document.isObject())
        error = QStringLiteral("tableTitles: expected an object of strings");
    QMap<QString, QString> titles;
    bool dropped = false;
    if (error.isEmpty()) {
        const QJsonObject object = document.object();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (!it.value().isString()) {
                error = QStringLiteral("tableTitles.%1: expected a string").arg(it.key());
                break;
            }
            // Keys with angle brackets came from markup that older versions
            // failed to strip; they can never match a table again.
            if (it.key().contains(QLatin1Char('<')) || it.key().contains(QLatin1Char('>'))) {
                dropped = true;
                continue;
            }
            titles.insert(it.key(), it.value().toString());
        }
    }
    if (!error.isEmpty()) {
        Log::line(QStringLiteral("Failed to load table titles: ") + error);
        rememberUnreadable(m_tableTitlesURL);
        return;
    }
    m_tableTitles = titles;
    emit tableTitlesChanged();
    if (dropped)
        saveTableTitles();
}

void PlayerStore::loadSettings()
{
    if (!QFileInfo::exists(m_settingsURL))
        return;
    QJsonDocument document;
    QString error = readJson(m_settingsURL, document);
    std::optional<SettingsSnapshot> snapshot;
    if (error.isEmpty()) {
        PlayerJson::Reader reader;
        const QJsonValue root = document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array());
        snapshot = SettingsSnapshot::fromJson(root, reader);
        error = reader.error;
    }
    if (!snapshot) {
        Log::line(QStringLiteral("Failed to load settings: ") + error);
        rememberUnreadable(m_settingsURL);
        return;
    }
    if (!snapshot->phraseTagCatalog.isEmpty()) {
        m_phraseTagCatalog = snapshot->phraseTagCatalog;
        emit phraseTagCatalogChanged();
    }
    QSet<PlayerColor> colors;
    for (const QString &raw : snapshot->enabledFlagColors)
        if (const auto color = playerColorFromRaw(raw))
            colors.insert(*color);
    if (!colors.isEmpty()) {
        m_enabledFlagColors = colors;
        emit enabledFlagColorsChanged();
    }
    if (snapshot->playerTypeCatalog) {
        m_playerTypeCatalog = *snapshot->playerTypeCatalog;
        emit playerTypeCatalogChanged();
    }
}

QString PlayerStore::writeFile(const QString &path, const QByteArray &bytes)
{
    if (m_unreadableFiles.contains(path)) {
        // Keep what could not be read: the user may still recover it.
        const QString stamp = now().toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
        QString aside = path + QStringLiteral(".unreadable-") + stamp;
        for (int n = 2; QFileInfo::exists(aside); ++n)
            aside = path + QStringLiteral(".unreadable-") + stamp + QStringLiteral("-%1").arg(n);
        QFile file(path);
        if (file.exists() && !file.rename(aside))
            return QStringLiteral("could not move the unreadable %1 aside (%2); it was left untouched")
                .arg(QFileInfo(path).fileName(), file.errorString());
        if (QFileInfo::exists(aside))
            Log::line(QStringLiteral("Moved unreadable %1 aside to %2")
                          .arg(QFileInfo(path).fileName(), QFileInfo(aside).fileName()));
        m_unreadableFiles.remove(path);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

void PlayerStore::savePlayers()
{
    // Records still waiting for confirmation are never written.
    PlayerJson::writeCompactPlayersFile(m_playersFileBuffer, m_players, [this](const Player &player) {
        return !m_pendingByID.contains(player.id);
    });
    const QString error = writeFile(m_storageURL, m_playersFileBuffer);
    if (!error.isEmpty()) {
        Log::line(QStringLiteral("Failed to save players: ") + error);
        Analytics::captureStoreError(error, QStringLiteral("save"));
    }
}

void PlayerStore::saveTableCardOrder()
{
    const QString error = writeFile(m_tableCardOrderURL, compact(QJsonDocument(QJsonArray::fromStringList(m_tableCardOrder))));
    if (!error.isEmpty())
        Log::line(QStringLiteral("Failed to save table card order: ") + error);
}

void PlayerStore::saveTableTitles()
{
    QJsonObject object;
    for (auto it = m_tableTitles.cbegin(); it != m_tableTitles.cend(); ++it)
        object.insert(it.key(), it.value());
    const QString error = writeFile(m_tableTitlesURL, compact(QJsonDocument(object)));
    if (!error.isEmpty())
        Log::line(QStringLiteral("Failed to save table titles: ") + error);
}

void PlayerStore::saveSettings()
{
    const QString error = writeFile(m_settingsURL, compact(QJsonDocument(settingsSnapshot().toJson())));
    if (!error.isEmpty())
        Log::line(QStringLiteral("Failed to save settings: ") + error);
}

void PlayerStore::mergeDuplicatePlayers()
{
    QHash<qint64, QList<qsizetype>> groups;
    QList<qint64> groupOrder;
    for (qsizetype i = 0; i < m_players.size(); ++i) {
        const auto &pid = m_players.at(i).playerId;
        if (!pid)
            continue;
        auto &group = groups[*pid];
        if (group.isEmpty())
            groupOrder.append(*pid);
        group.append(i);
    }

    QSet<QUuid> removed;
    for (const qint64 pid : std::as_const(groupOrder)) {
        const QList<qsizetype> &indexes = groups.value(pid);
        if (indexes.size() < 2)
            continue;
        qsizetype canonicalIndex = indexes.first();
        for (const qsizetype i : indexes)
            if (m_players.at(i).createdAt < m_players.at(canonicalIndex).createdAt)
                canonicalIndex = i;

        Player merged = m_players.at(canonicalIndex);
        for (const qsizetype i : indexes) {
            if (i == canonicalIndex)
                continue;
            const Player &dup = m_players.at(i);
            for (const Seating &seating : dup.seatings) {
                auto it = std::find_if(merged.seatings.begin(), merged.seatings.end(), [&](const Seating &s) {
                    return s.gameType == seating.gameType && s.tableID == seating.tableID;
                });
                if (it == merged.seatings.end()) {
                    merged.seatings.append(seating);
                } else if (seating.updatedAt > it->updatedAt) {
                    it->isActive = seating.isActive;
                    it->updatedAt = seating.updatedAt;
                } else if (seating.isActive) {
                    it->isActive = true;
                }
            }
            if (!merged.stats)
                merged.stats = dup.stats;
            const QString dupNote = dup.note.trimmed();
            const QString ownNote = merged.note.trimmed();
            if (!dupNote.isEmpty() && dupNote != ownNote) {
                if (ownNote.isEmpty())
                    merged.note = dup.note;
                else
                    merged.note = merged.note + QStringLiteral("\n\n") + dup.note;
            }
            for (const PlayerTag tag : dup.tags)
                if (!merged.tags.contains(tag))
                    merged.tags.append(tag);
            if (dup.phraseTags) {
                QStringList tags = merged.phraseTags.value_or(QStringList{});
                for (const QString &tag : *dup.phraseTags)
                    if (!tags.contains(tag))
                        tags.append(tag);
                merged.phraseTags = tags;
            }
            if (!merged.colorIndicator)
                merged.colorIndicator = dup.colorIndicator;
            if (dup.isManuallyNamed.value_or(false) && !merged.isManuallyNamed.value_or(false)) {
                merged.isManuallyNamed = true;
                merged.name = dup.name;
            }
            if (dup.supersededNames && !dup.supersededNames->isEmpty()) {
                QStringList names = merged.supersededNames.value_or(QStringList{});
                for (const QString &name : *dup.supersededNames)
                    if (!names.contains(name))
                        names.append(name);
                merged.supersededNames = names;
            }
            removed.insert(dup.id);
        }
        m_players[canonicalIndex] = merged;
    }

    if (removed.isEmpty())
        return;
    m_players.removeIf([&](const Player &p) { return removed.contains(p.id); });
    // A removed record may still have been waiting or have had readings.
    forgetRecords(removed);
    emit playersRemoved(QList<QUuid>(removed.cbegin(), removed.cend()));
    emit playersChanged();
    savePlayers();
    Log::line(QStringLiteral("Merge [playerId]: collapsed %1 duplicate row(s) into canonical profiles").arg(removed.size()));
}
