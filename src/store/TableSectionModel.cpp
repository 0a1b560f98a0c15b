#include "TableSectionModel.h"

#include "PlayerStore.h"

TableSectionModel::TableSectionModel(PlayerStore *store, QObject *parent)
    : KeyedListModel(parent)
    , m_store(store)
{
    connect(store, &PlayerStore::playersChanged, this, &TableSectionModel::refresh);
    connect(store, &PlayerStore::searchQueryChanged, this, &TableSectionModel::refresh);
    connect(store, &PlayerStore::tableCardOrderChanged, this, &TableSectionModel::refresh);
    connect(store, &PlayerStore::tableTitlesChanged, this, &TableSectionModel::refresh);
    refresh();
}

void TableSectionModel::refresh()
{
    if (!m_store)
        return;
    const QList<TableGroup> groups = m_store->tableGroups();
    refreshRows(
        m_sections, groups, [](const Section &s) { return s.group.id(); },
        [](const TableGroup &g) { return g.id(); },
        [this](const TableGroup &g) {
            auto *rows = new TableRowModel(g.id(), this);
            rows->setRows(g.rows);
            return Section{g, rows};
        },
        [this](int i, const TableGroup &g) {
            Section &section = m_sections[i];
            if (section.group == g)
                return;
            const bool headerChanged = section.group.windowTitle != g.windowTitle;
            const QDateTime oldActivity = section.group.lastActivity();
            section.group = g;
            section.rows->setRows(g.rows);
            QList<int> roles{RowCountRole, ActiveCountRole};
            if (headerChanged)
                roles << WindowTitleRole << ShortTitleRole;
            if (oldActivity != g.lastActivity())
                roles << LastActivityRole;
            emit dataChanged(index(i), index(i), roles);
        });
    // Sections that went away take their row models with them.
    for (QObject *child : children()) {
        auto *rows = qobject_cast<TableRowModel *>(child);
        if (rows && indexOfSection(rows->tableKey()) < 0)
            rows->deleteLater();
    }
}

int TableSectionModel::indexOfSection(const QString &tableKey) const
{
    for (qsizetype i = 0; i < m_sections.size(); ++i)
        if (m_sections.at(i).group.id() == tableKey)
            return int(i);
    return -1;
}

TableRowModel *TableSectionModel::rowsOf(const QString &tableKey) const
{
    const int i = indexOfSection(tableKey);
    return i < 0 ? nullptr : m_sections.at(i).rows;
}

QList<TableGroup> TableSectionModel::groups() const
{
    QList<TableGroup> groups;
    for (const Section &s : m_sections)
        groups.append(s.group);
    return groups;
}

int TableSectionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_sections.size());
}

QVariant TableSectionModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Section &section = m_sections.at(index.row());
    const TableGroup &g = section.group;
    switch (role) {
    case Qt::DisplayRole:
    case TableKeyRole:
        return g.id();
    case TableIDRole:
        return g.tableID;
    case GameTypeRole:
        return g.gameType.id();
    case VariantRole:
        return rawValue(g.gameType.variant);
    case ModeRole:
        return rawValue(g.gameType.mode);
    case WindowTitleRole:
        return g.windowTitle.value_or(QString());
    case ShortTitleRole:
        return g.windowTitle ? PlayerStore::shortTournamentTitle(*g.windowTitle).value_or(QString()) : QString();
    case RowsRole:
        return QVariant::fromValue<QObject *>(section.rows);
    case RowCountRole:
        return int(g.rows.size());
    case ActiveCountRole:
        return int(std::count_if(g.rows.cbegin(), g.rows.cend(), [](const TableRow &r) { return r.seating.isActive; }));
    case LastActivityRole:
        return g.lastActivity();
    default:
        return {};
    }
}

QHash<int, QByteArray> TableSectionModel::roleNames() const
{
    return {
        {TableKeyRole, "tableKey"},   {TableIDRole, "tableID"},         {GameTypeRole, "gameType"},
        {VariantRole, "variant"},     {ModeRole, "mode"},               {WindowTitleRole, "windowTitle"},
        {ShortTitleRole, "shortTitle"}, {RowsRole, "rows"},             {RowCountRole, "rowCount"},
        {ActiveCountRole, "activeCount"}, {LastActivityRole, "lastActivity"},
    };
}
