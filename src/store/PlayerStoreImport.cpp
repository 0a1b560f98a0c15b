// Importing observations, matching them to stored records, and storing edits.
#include "NameKeys.h"
#include "PlayerStore.h"
#include "common/Log.h"

#include <algorithm>

namespace {
constexpr double rejectConfidence = 0.85;
constexpr float rejectGap = 0.05f;
constexpr qint64 pendingAdoptWindowMs = 3000;
constexpr double renameConfidence = 0.92;
constexpr qsizetype maxRecentReadings = 5;
constexpr int minNearKeyLength = 4;

bool hasSeatingOfType(const Player &player, const GameType &type)
{
    return std::any_of(player.seatings.cbegin(), player.seatings.cend(),
                       [&](const Seating &s) { return s.gameType == type; });
}

bool hasSeatingAt(const Player &player, const GameType &type, const QString &tableID)
{
    return std::any_of(player.seatings.cbegin(), player.seatings.cend(),
                       [&](const Seating &s) { return s.gameType == type && s.tableID == tableID; });
}

QString quoted(const QString &text) { return QLatin1Char('\'') + text + QLatin1Char('\''); }
} // namespace

const PlayerStore::CachedNameKeys &PlayerStore::nameKeys(const Player &player) const
{
    auto it = m_nameKeys.find(player.id);
    if (it != m_nameKeys.end() && it->name == player.name)
        return *it;
    CachedNameKeys keys;
    keys.name = player.name;
    keys.lowercased = NameKeys::lowercased(player.name);
    keys.compact = NameKeys::compact(player.name);
    keys.matchKey = NameKeys::matchKey(player.name);
    keys.matchKeyLength = NameKeys::characterCount(keys.matchKey);
    keys.folded = NameKeys::withoutDiacritics(player.name).toLower();
    return *m_nameKeys.insert(player.id, std::move(keys));
}

qsizetype PlayerStore::indexOfPlayer(const QUuid &id) const
{
    for (qsizetype i = 0; i < m_players.size(); ++i)
        if (m_players.at(i).id == id)
            return i;
    return -1;
}

qsizetype PlayerStore::indexMatching(const QString &name, std::optional<qint64> playerId, const GameType &gameType,
                                     const std::optional<QString> &tableID) const
{
    const qsizetype count = m_players.size();
    if (playerId) {
        for (qsizetype i = 0; i < count; ++i)
            if (m_players.at(i).playerId == playerId)
                return i;
    }

    // Stages 2 to 4 in one pass: the first lower-cased match wins at once;
    // the first compact match and the candidates at the table are kept for
    // when no record matches by lower-cased name.
    const QString lower = NameKeys::lowercased(name);
    const QString compact = NameKeys::compact(name);
    qsizetype firstCompact = -1;
    QList<qsizetype> candidates;
    for (qsizetype i = 0; i < count; ++i) {
        const Player &p = m_players.at(i);
        bool sameType = false;
        bool sameTable = false;
        for (const Seating &s : p.seatings) {
            if (s.gameType == gameType) {
                sameType = true;
                if (tableID && s.tableID == *tableID) {
                    sameTable = true;
                    break;
                }
            }
        }
        if (!sameType)
            continue;
        const CachedNameKeys &keys = nameKeys(p);
        if (keys.lowercased == lower)
            return i;
        if (firstCompact < 0 && keys.compact == compact)
            firstCompact = i;
        if (sameTable)
            candidates.append(i);
    }
    if (firstCompact >= 0)
        return firstCompact;

    if (!tableID)
        return -1;
    const QString key = NameKeys::matchKey(name);

    qsizetype exact = -1;
    int exactCount = 0;
    for (const qsizetype i : std::as_const(candidates)) {
        if (nameKeys(m_players.at(i)).matchKey == key) {
            exact = i;
            ++exactCount;
        }
    }
    if (exactCount == 1)
        return exact;

    const int keyLength = NameKeys::characterCount(key);
    if (keyLength < minNearKeyLength)
        return -1;
    qsizetype near = -1;
    int nearCount = 0;
    for (const qsizetype i : std::as_const(candidates)) {
        const CachedNameKeys &keys = nameKeys(m_players.at(i));
        // A distance below 2 needs lengths at most one apart; skip the rest
        // without computing it.
        if (keys.matchKeyLength < minNearKeyLength || std::abs(keys.matchKeyLength - keyLength) > 1)
            continue;
        if (NameKeys::editDistance(keys.matchKey, key) < 2) {
            near = i;
            ++nearCount;
        }
    }
    return nearCount == 1 ? near : -1;
}

std::optional<Player> PlayerStore::playerMatching(const QString &name, std::optional<qint64> playerId,
                                                  const GameType &gameType, const std::optional<QString> &tableID) const
{
    const qsizetype i = indexMatching(name, playerId, gameType, tableID);
    if (i < 0)
        return std::nullopt;
    return m_players.at(i);
}

void PlayerStore::importObservation(const PlayerObservation &observation, bool userConfirmed)
{
    using NameKeys::formatNumber;

    if (!observation.tableTitle.isEmpty()) {
        const QString key = tableKey(observation.gameType, observation.tableID);
        const auto it = m_tableTitles.constFind(key);
        if (it == m_tableTitles.cend() || it.value() != observation.tableTitle) {
            m_tableTitles.insert(key, observation.tableTitle);
            emit tableTitlesChanged();
            saveTableTitles();
        }
    }

    const qsizetype index = indexMatching(observation.name, observation.playerId, observation.gameType,
                                          observation.tableID);
    const bool ring = observation.gameType.mode == GameMode::ring;

    if (index < 0) {
        if (observation.confidence < rejectConfidence && observation.ambiguityGap < rejectGap) {
            Log::line(QStringLiteral("Import [rejected]: ") + quoted(observation.name) + QStringLiteral(" — conf=")
                      + formatNumber(observation.confidence) + QStringLiteral(", gap=")
                      + formatNumber(observation.ambiguityGap) + QStringLiteral(", h=")
                      + QString::number(observation.nameHeightPx) + QStringLiteral("px"));
            return;
        }
        Player player;
        player.id = QUuid::createUuid();
        player.name = observation.name;
        player.playerId = observation.playerId;
        if (ring)
            player.stats = observation.stats;
        player.createdAt = now();
        player.updatedAt = now();
        player.seatings.append(Seating{observation.gameType, observation.tableID, true, now()});

        if (userConfirmed) {
            Log::line(QStringLiteral("Import [new/user-confirmed]: ") + quoted(observation.name)
                      + QStringLiteral(" persists immediately"));
            m_players.append(player);
            emit playerAdded(player.id);
            emit playersChanged();
            savePlayers();
            return;
        }
        const QString key = NameKeys::matchKey(observation.name);
        Log::line(QStringLiteral("Import [pending]: ") + quoted(observation.name) + QStringLiteral(" staged (conf=")
                  + formatNumber(observation.confidence) + QStringLiteral(", key=") + key + QLatin1Char(')'));
        m_players.append(player);
        m_pendingByID.insert(player.id, PendingRecord{now(), key, observation.confidence});
        m_pendingByKey.insert(key, player.id);
        emit playerAdded(player.id);
        emit playersChanged();
        return;
    }

    Player copy = m_players.at(index);

    auto seating = std::find_if(copy.seatings.begin(), copy.seatings.end(), [&](const Seating &s) {
        return s.gameType == observation.gameType && s.tableID == observation.tableID;
    });
    if (seating != copy.seatings.end()) {
        seating->isActive = true;
        seating->updatedAt = now();
    } else {
        copy.seatings.append(Seating{observation.gameType, observation.tableID, true, now()});
    }

    bool adoptedPlayerId = false;
    if (!copy.playerId && observation.playerId) {
        copy.playerId = observation.playerId;
        adoptedPlayerId = true;
    }

    if (ring && observation.stats)
        copy.stats = observation.stats;

    const auto pending = m_pendingByID.constFind(copy.id);
    const bool wasPending = pending != m_pendingByID.cend();
    const bool mayRename = !copy.isManuallyNamed.value_or(false) && observation.name != copy.name;

    auto rename = [&copy](const QString &newName) {
        QStringList superseded = copy.supersededNames.value_or(QStringList{});
        superseded.append(copy.name);
        copy.supersededNames = superseded;
        copy.name = newName;
    };

    if (wasPending && mayRename) {
        const PendingRecord entry = pending.value();
        if (entry.firstSeen.msecsTo(now()) <= pendingAdoptWindowMs
            && observation.confidence > entry.initialConfidence) {
            const QString oldName = copy.name;
            rename(observation.name);
            Log::line(QStringLiteral("Import [pending-adopt]: ") + quoted(copy.name)
                      + QStringLiteral(" supersedes earlier ") + quoted(oldName) + QStringLiteral(" (conf ")
                      + formatNumber(entry.initialConfidence) + QStringLiteral(" → ")
                      + formatNumber(observation.confidence) + QLatin1Char(')'));
        }
    } else if (!wasPending && mayRename) {
        const QString observedKey = NameKeys::matchKey(observation.name);
        const CachedNameKeys &stored = nameKeys(copy);
        const QString observedSqueezed = NameKeys::squeezeRuns(observedKey);
        const bool squeezedEqual = observedSqueezed == NameKeys::squeezeRuns(stored.matchKey);
        const bool similar = NameKeys::lowercased(observation.name) == stored.lowercased
            || observedKey == stored.matchKey || squeezedEqual;
        const QStringList superseded = copy.supersededNames.value_or(QStringList{});
        const bool showsOldName = std::any_of(superseded.cbegin(), superseded.cend(), [&](const QString &old) {
            return NameKeys::matchKey(old) == observedKey;
        });
        if (similar && !showsOldName) {
            bool renameNow = squeezedEqual && NameKeys::characterCount(observedKey) > stored.matchKeyLength
                && observation.confidence >= renameConfidence;
            if (!renameNow) {
                QList<NameReading> &readings = m_recentReadings[copy.id];
                readings.append(NameReading{observation.name, observation.confidence});
                while (readings.size() > maxRecentReadings)
                    readings.removeFirst();
                int same = 0;
                double sum = 0;
                for (const NameReading &reading : std::as_const(readings)) {
                    if (reading.name == observation.name) {
                        ++same;
                        sum += reading.confidence;
                    }
                }
                renameNow = same >= 2 && sum / same >= renameConfidence;
            }
            if (renameNow) {
                rename(observation.name);
                m_recentReadings.remove(copy.id);
            }
        }
    }

    Log::line(QStringLiteral("Import [")
              + (wasPending ? QStringLiteral("fuzzy-match/pending→confirmed") : QStringLiteral("fuzzy-match"))
              + QStringLiteral("]: ") + quoted(observation.name) + QStringLiteral(" → ") + quoted(copy.name)
              + QStringLiteral(" (conf=") + formatNumber(observation.confidence) + QLatin1Char(')'));

    updatePlayer(copy);

    if (adoptedPlayerId)
        mergeDuplicatePlayers();
}

void PlayerStore::updatePlayer(const Player &player)
{
    const qsizetype index = indexOfPlayer(player.id);
    if (index < 0)
        return;
    Player stored = player;
    stored.updatedAt = now();
    m_players[index] = stored;

    const auto pending = m_pendingByID.constFind(player.id);
    if (pending != m_pendingByID.cend()) {
        const QString key = pending->matchKey;
        m_pendingByID.erase(pending);
        const auto byKey = m_pendingByKey.constFind(key);
        if (byKey != m_pendingByKey.cend() && byKey.value() == player.id)
            m_pendingByKey.erase(byKey);
    }

    emit playerUpdated(player.id);
    emit playersChanged();
    savePlayers();
}

void PlayerStore::forgetRecords(const QSet<QUuid> &ids)
{
    for (const QUuid &id : ids) {
        const auto pending = m_pendingByID.constFind(id);
        if (pending != m_pendingByID.cend()) {
            const auto byKey = m_pendingByKey.constFind(pending->matchKey);
            if (byKey != m_pendingByKey.cend() && byKey.value() == id)
                m_pendingByKey.erase(byKey);
            m_pendingByID.erase(pending);
        }
        m_pendingByKey.removeIf([&](const auto &entry) { return entry.value() == id; });
        m_recentReadings.remove(id);
        m_nameKeys.remove(id);
    }
}
