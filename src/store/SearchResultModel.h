#pragma once

#include "KeyedListModel.h"
#include "PlayerRoles.h"

#include <QPointer>

class PlayerStore;

// The store's searchResults for QML, keyed by the record's UUID. Follows the
// store's change signals with inserts, removes and changes, never a reset.
class SearchResultModel : public KeyedListModel {
    Q_OBJECT

public:
    // Every role of PlayerRoles, and:
    enum Role {
        SeatingCountRole = PlayerRoles::End, // "seatingCount": number of tables the record was seen at
    };

    explicit SearchResultModel(PlayerStore *store, QObject *parent = nullptr);

    void refresh();
    const QList<Player> &players() const { return m_players; }
    // The row of the record with this UUID text, -1 when it is not listed.
    Q_INVOKABLE int indexOfPlayer(const QString &id) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    QPointer<PlayerStore> m_store;
    QList<Player> m_players;
};
