#include "PlayerReader.h"

PlayerReader::PlayerReader(QObject *parent) : QObject(parent) {}

QVariant PlayerReader::lastObservationVariant() const
{
    return m_lastObservation ? QVariant::fromValue(*m_lastObservation) : QVariant();
}

QVariant PlayerReader::liveTableIDsVariant() const
{
    return m_liveTableIDs ? QVariant(*m_liveTableIDs) : QVariant();
}

QVariant PlayerReader::activeTableIDVariant() const
{
    return m_activeTableID ? QVariant(*m_activeTableID) : QVariant();
}

QVariantMap PlayerReader::tableTitlesVariant() const
{
    QVariantMap map;
    for (auto it = m_tableTitles.cbegin(); it != m_tableTitles.cend(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

void PlayerReader::startMonitoring()
{
    qFatal("PlayerReader.startMonitoring() must be overridden");
}

void PlayerReader::setScanCount(int count)
{
    m_scanCount = count;
    Q_EMIT scanCountChanged();
}

void PlayerReader::setLastObservation(const std::optional<PlayerObservation> &observation)
{
    m_lastObservation = observation;
    Q_EMIT lastObservationChanged();
}

void PlayerReader::setClosedTableIDs(const QStringList &ids)
{
    m_closedTableIDs = ids;
    Q_EMIT closedTableIDsChanged();
}

void PlayerReader::setLiveTableIDs(const std::optional<QStringList> &ids)
{
    m_liveTableIDs = ids;
    Q_EMIT liveTableIDsChanged();
}

void PlayerReader::setActiveTableID(const std::optional<QString> &id)
{
    m_activeTableID = id;
    Q_EMIT activeTableIDChanged();
}

void PlayerReader::setTableTitles(const QMap<QString, QString> &titles)
{
    m_tableTitles = titles;
    Q_EMIT tableTitlesChanged();
}
