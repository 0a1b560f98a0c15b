#pragma once

#include "model/Player.h"
#include "model/PlayerObservation.h"

#include <QObject>
#include <QPointer>
#include <QString>

class PlayerReader;
class PlayerStore;

// Hands what the reader publishes to the store: each observation that needs
// no confirmation to the import, closed and live tables and titles to the
// table bookkeeping. Then it tells its listener which stored player and
// which table key an observation resolved to. The sidebar and the headless
// mode both use it.
class ReaderForwarder : public QObject {
    Q_OBJECT

public:
    ReaderForwarder(PlayerReader *reader, PlayerStore *store, QObject *parent = nullptr);

Q_SIGNALS:
    // After an import: the stored record the observation belongs to and the
    // observation's table key (game type label, "|", table ID).
    void observationResolved(const PlayerObservation &observation, const Player &player, const QString &tableKey);
    // After closed or live tables reached the store (the sidebar animates
    // these).
    void tablesClosed(const QStringList &tableIDs);
    void liveTablesSynced(const QStringList &tableIDs);

private:
    void forwardObservation();
    void forwardClosedTables();
    void forwardLiveTables();
    void forwardTitles();

    QPointer<PlayerReader> m_reader;
    QPointer<PlayerStore> m_store;
};
