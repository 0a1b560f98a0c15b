#include "SearchResultModel.h"

#include "PlayerStore.h"

SearchResultModel::SearchResultModel(PlayerStore *store, QObject *parent)
    : KeyedListModel(parent)
    , m_store(store)
{
    connect(store, &PlayerStore::playersChanged, this, &SearchResultModel::refresh);
    connect(store, &PlayerStore::searchQueryChanged, this, &SearchResultModel::refresh);
    refresh();
}

void SearchResultModel::refresh()
{
    if (!m_store)
        return;
    const auto key = [](const Player &p) { return p.id; };
    refreshRows(m_players, m_store->searchResults(), key, key, [](const Player &p) { return p; },
                [this](int i, const Player &p) {
                    if (m_players.at(i) == p)
                        return;
                    m_players[i] = p;
                    emit dataChanged(index(i), index(i));
                });
}

int SearchResultModel::indexOfPlayer(const QString &id) const
{
    const QUuid uuid(id);
    for (qsizetype i = 0; i < m_players.size(); ++i)
        if (m_players.at(i).id == uuid)
            return int(i);
    return -1;
}

int SearchResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_players.size());
}

QVariant SearchResultModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Player &player = m_players.at(index.row());
    if (role == SeatingCountRole)
        return int(player.seatings.size());
    return PlayerRoles::data(player, role);
}

QHash<int, QByteArray> SearchResultModel::roleNames() const
{
    QHash<int, QByteArray> names = PlayerRoles::roleNames();
    names.insert(SeatingCountRole, "seatingCount");
    return names;
}
