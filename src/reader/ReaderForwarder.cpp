#include "ReaderForwarder.h"

#include "reader/PlayerReader.h"
#include "store/PlayerStore.h"

ReaderForwarder::ReaderForwarder(PlayerReader *reader, PlayerStore *store, QObject *parent)
    : QObject(parent), m_reader(reader), m_store(store)
{
    connect(reader, &PlayerReader::scanCountChanged, this, &ReaderForwarder::forwardObservation);
    connect(reader, &PlayerReader::closedTableIDsChanged, this, &ReaderForwarder::forwardClosedTables);
    connect(reader, &PlayerReader::liveTableIDsChanged, this, &ReaderForwarder::forwardLiveTables);
    connect(reader, &PlayerReader::tableTitlesChanged, this, &ReaderForwarder::forwardTitles);
}

void ReaderForwarder::forwardObservation()
{
    if (!m_reader || !m_store)
        return;
    const std::optional<PlayerObservation> observation = m_reader->lastObservation();
    if (!observation || observation->needsConfirmation)
        return;
    m_store->importObservation(*observation);
    const std::optional<Player> player = m_store->playerMatching(observation->name, observation->playerId,
                                                                 observation->gameType, observation->tableID);
    if (!player)
        return;
    Q_EMIT observationResolved(*observation, *player, tableKey(observation->gameType, observation->tableID));
}

void ReaderForwarder::forwardClosedTables()
{
    if (!m_reader || !m_store)
        return;
    const QStringList closed = m_reader->closedTableIDs();
    if (closed.isEmpty())
        return;
    m_store->markTablesClosed(closed);
    Q_EMIT tablesClosed(closed);
}

void ReaderForwarder::forwardLiveTables()
{
    if (!m_reader || !m_store)
        return;
    const std::optional<QStringList> live = m_reader->liveTableIDs();
    if (!live)
        return;
    m_store->syncLiveTables(*live);
    Q_EMIT liveTablesSynced(*live);
}

void ReaderForwarder::forwardTitles()
{
    if (!m_reader || !m_store)
        return;
    m_store->updateTableTitles(m_reader->tableTitles());
}
