#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// What the sidebar hears from the reading side, in the terms it uses: the
// row whose editor opens after an import, the focused table, and whether
// any table page is live.
class SidebarEvents : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by the application")
    Q_PROPERTY(bool hasOpenTables READ hasOpenTables NOTIFY hasOpenTablesChanged)
    Q_PROPERTY(QString activeTableID READ activeTableID NOTIFY activeTableIDChanged)

public:
    using QObject::QObject;

    bool hasOpenTables() const { return m_hasOpenTables; }
    void setHasOpenTables(bool open);
    QString activeTableID() const { return m_activeTableID; }
    // Every assignment of a table is an event (focusing the same table again
    // brings it back into view).
    void setActiveTableID(const QString &tableID);

Q_SIGNALS:
    // An observation was imported: open this row (player UUID, "|", table
    // key) in its section.
    void rowObserved(const QString &rowId, const QString &tableKey);
    // Closed tables or the set of live tables just reached the store; the
    // sections that change because of it ease.
    void tablesSynced();
    void hasOpenTablesChanged();
    void activeTableIDChanged();
    void tableFocused(const QString &tableID);

private:
    bool m_hasOpenTables = false;
    QString m_activeTableID;
};
