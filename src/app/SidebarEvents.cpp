#include "SidebarEvents.h"

void SidebarEvents::setHasOpenTables(bool open)
{
    if (m_hasOpenTables == open)
        return;
    m_hasOpenTables = open;
    Q_EMIT hasOpenTablesChanged();
}

void SidebarEvents::setActiveTableID(const QString &tableID)
{
    if (m_activeTableID != tableID) {
        m_activeTableID = tableID;
        Q_EMIT activeTableIDChanged();
    }
    if (!tableID.isEmpty())
        Q_EMIT tableFocused(tableID);
}
