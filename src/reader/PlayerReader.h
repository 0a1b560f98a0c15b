#pragma once

#include "model/PlayerObservation.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// The source of what Tarnwick learns at the poker tables. Every assignment to
// one of its properties notifies, even when the value is unchanged: a
// repeated value is a new event here (a table closed twice must reach the
// store twice).
class PlayerReader : public QObject {
    Q_OBJECT
    Q_PROPERTY(int scanCount READ scanCount NOTIFY scanCountChanged)
    Q_PROPERTY(QVariant lastObservation READ lastObservationVariant NOTIFY lastObservationChanged)
    Q_PROPERTY(QStringList closedTableIDs READ closedTableIDs NOTIFY closedTableIDsChanged)
    Q_PROPERTY(QVariant liveTableIDs READ liveTableIDsVariant NOTIFY liveTableIDsChanged)
    Q_PROPERTY(QVariant activeTableID READ activeTableIDVariant NOTIFY activeTableIDChanged)
    Q_PROPERTY(QVariantMap tableTitles READ tableTitlesVariant NOTIFY tableTitlesChanged)

public:
    explicit PlayerReader(QObject *parent = nullptr);

    int scanCount() const { return m_scanCount; }
    const std::optional<PlayerObservation> &lastObservation() const { return m_lastObservation; }
    QVariant lastObservationVariant() const;
    const QStringList &closedTableIDs() const { return m_closedTableIDs; }
    const std::optional<QStringList> &liveTableIDs() const { return m_liveTableIDs; }
    QVariant liveTableIDsVariant() const;
    const std::optional<QString> &activeTableID() const { return m_activeTableID; }
    QVariant activeTableIDVariant() const;
    const QMap<QString, QString> &tableTitles() const { return m_tableTitles; }
    QVariantMap tableTitlesVariant() const;

    // Starts reading. A reader that does not override it is a fault in the
    // program.
    Q_INVOKABLE virtual void startMonitoring();

Q_SIGNALS:
    void scanCountChanged();
    void lastObservationChanged();
    void closedTableIDsChanged();
    void liveTableIDsChanged();
    void activeTableIDChanged();
    void tableTitlesChanged();

protected:
    // Each setter notifies on every call.
    void setScanCount(int count);
    void setLastObservation(const std::optional<PlayerObservation> &observation);
    void setClosedTableIDs(const QStringList &ids);
    void setLiveTableIDs(const std::optional<QStringList> &ids);
    void setActiveTableID(const std::optional<QString> &id);
    void setTableTitles(const QMap<QString, QString> &titles);

private:
    int m_scanCount = 0;
    std::optional<PlayerObservation> m_lastObservation;
    QStringList m_closedTableIDs;
    std::optional<QStringList> m_liveTableIDs;
    std::optional<QString> m_activeTableID;
    QMap<QString, QString> m_tableTitles;
};
