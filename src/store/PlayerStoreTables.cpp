// Table sections, seatings, titles and the user's order of sections.
#include "NameKeys.h"
#include "PlayerStore.h"

#include <QRegularExpression>

#include <algorithm>

QList<TableGroup> PlayerStore::tableGroups() const
{
    const QList<Player> source = searchResults();

    // Only tables with an active row are shown; find them first so rows of
    // long-closed tables are never built.
    QSet<TableGroup::Key> shown;
    for (const Player &player : source)
        for (const Seating &seating : player.seatings)
            if (seating.isActive)
                shown.insert({seating.gameType, seating.tableID});

    QList<TableGroup> groups;
    QHash<TableGroup::Key, qsizetype> groupIndex;
    for (const Player &player : source) {
        for (const Seating &seating : player.seatings) {
            const TableGroup::Key key{seating.gameType, seating.tableID};
            if (!shown.contains(key))
                continue;
            auto it = groupIndex.constFind(key);
            if (it == groupIndex.cend()) {
                it = groupIndex.insert(key, groups.size());
                TableGroup group;
                group.tableID = seating.tableID;
                group.gameType = seating.gameType;
                groups.append(group);
            }
            groups[it.value()].rows.append(TableRow{player, seating});
        }
    }

    // Rows with their lower-cased names, taken once before sorting.
    struct Named {
        QString lowercased;
        TableRow row;
    };
    const auto byName = [](const Named &a, const Named &b) {
        return NameKeys::compareCodePoints(a.lowercased, b.lowercased) < 0;
    };
    for (TableGroup &group : groups) {
        QList<Named> active;
        QList<Named> inactive;
        for (const TableRow &row : std::as_const(group.rows))
            (row.seating.isActive ? active : inactive).append(Named{nameKeys(row.player).lowercased, row});
        qsizetype recent = 0;
        for (qsizetype i = 1; i < active.size(); ++i)
            if (active.at(i).row.seating.updatedAt > active.at(recent).row.seating.updatedAt)
                recent = i;
        QList<TableRow> rows;
        rows.reserve(group.rows.size());
        rows.append(active.takeAt(recent).row);
        std::stable_sort(active.begin(), active.end(), byName);
        std::stable_sort(inactive.begin(), inactive.end(), byName);
        for (const Named &named : std::as_const(active))
            rows.append(named.row);
        for (const Named &named : std::as_const(inactive))
            rows.append(named.row);
        group.rows = std::move(rows);
        const auto title = m_tableTitles.constFind(group.id());
        if (title != m_tableTitles.cend())
            group.windowTitle = title.value();
    }

    QHash<QString, qsizetype> position;
    for (qsizetype i = 0; i < m_tableCardOrder.size(); ++i)
        if (!position.contains(m_tableCardOrder.at(i)))
            position.insert(m_tableCardOrder.at(i), i);
    struct Sorted {
        qsizetype position;
        QDateTime lastActivity;
        TableGroup group;
    };
    QList<Sorted> sorted;
    sorted.reserve(groups.size());
    for (TableGroup &group : groups)
        sorted.append(Sorted{position.value(group.id(), -1), group.lastActivity(), std::move(group)});
    std::stable_sort(sorted.begin(), sorted.end(), [](const Sorted &a, const Sorted &b) {
        if (a.position >= 0 && b.position >= 0)
            return a.position < b.position;
        if (a.position >= 0 || b.position >= 0)
            return a.position >= 0;
        return a.lastActivity > b.lastActivity;
    });
    QList<TableGroup> result;
    result.reserve(sorted.size());
    for (Sorted &entry : sorted)
        result.append(std::move(entry.group));
    return result;
}

bool PlayerStore::deactivateSeatings(const std::function<bool(const QString &tableID)> &closed)
{
    QList<QUuid> changedIds;
    for (Player &player : m_players) {
        bool changed = false;
        for (Seating &seating : player.seatings) {
            if (seating.isActive && closed(seating.tableID)) {
                seating.isActive = false;
                changed = true;
            }
        }
        if (changed)
            changedIds.append(player.id);
    }
    if (changedIds.isEmpty())
        return false;
    for (const QUuid &id : std::as_const(changedIds))
        emit playerUpdated(id);
    emit playersChanged();
    savePlayers();
    return true;
}

void PlayerStore::markTablesClosed(const QStringList &tableIDs)
{
    const QSet<QString> closed(tableIDs.cbegin(), tableIDs.cend());
    deactivateSeatings([&](const QString &id) { return closed.contains(id); });
}

void PlayerStore::syncLiveTables(const QStringList &tableIDs)
{
    const QSet<QString> live(tableIDs.cbegin(), tableIDs.cend());
    deactivateSeatings([&](const QString &id) { return !live.contains(id); });
}

void PlayerStore::updateTableTitles(const QMap<QString, QString> &titles)
{
    bool added = false;
    for (auto it = titles.cbegin(); it != titles.cend(); ++it) {
        if (it.value().isEmpty() || m_tableTitles.contains(it.key()))
            continue;
        m_tableTitles.insert(it.key(), it.value());
        added = true;
    }
    if (!added)
        return;
    emit tableTitlesChanged();
    saveTableTitles();
}

void PlayerStore::moveTableCard(const QString &draggedKey, const QString &targetKey)
{
    if (draggedKey == targetKey)
        return;
    QStringList order = m_tableCardOrder;
    for (const TableGroup &group : tableGroups()) {
        const QString key = group.id();
        if (!order.contains(key))
            order.append(key);
    }
    if (!order.contains(draggedKey))
        return;
    order.removeAll(draggedKey);
    const qsizetype target = order.indexOf(targetKey);
    if (target < 0)
        order.append(draggedKey);
    else
        order.insert(target, draggedKey);
    if (order != m_tableCardOrder) {
        m_tableCardOrder = order;
        emit tableCardOrderChanged();
    }
    saveTableCardOrder();
}

void PlayerStore::clearInactiveSeatings(const GameType &gameType)
{
    QList<QUuid> changedIds;
    for (Player &player : m_players) {
        const qsizetype removed = player.seatings.removeIf(
            [&](const Seating &s) { return s.gameType == gameType && !s.isActive; });
        if (removed > 0)
            changedIds.append(player.id);
    }
    if (!changedIds.isEmpty()) {
        for (const QUuid &id : std::as_const(changedIds))
            emit playerUpdated(id);
        emit playersChanged();
    }
    savePlayers();
}

std::optional<QString> PlayerStore::shortTournamentTitle(const QString &title)
{
    const QString trimmed = title.trimmed();
    if (!trimmed.isEmpty() && !trimmed.contains(QLatin1Char('|')))
        return trimmed;

    constexpr auto options = QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption;
    static const QRegularExpression chipsPattern(QStringLiteral(R"((\d+(?:\.\d+)?)\s*CHIPS?\b)"), options);
    struct Label {
        QRegularExpression pattern;
        QString label;
    };
    static const QList<Label> labels = {
        {QRegularExpression(QStringLiteral(R"(\bhyper\b)"), options), QStringLiteral("Hyper")},
        {QRegularExpression(QStringLiteral(R"(\bturbo\b)"), options), QStringLiteral("Turbo")},
        {QRegularExpression(QStringLiteral(R"(\bmystery\b)"), options), QStringLiteral("Mystery")},
        {QRegularExpression(QStringLiteral(R"(\bbounty\b)"), options), QStringLiteral("Bounty")},
        {QRegularExpression(QStringLiteral(R"(\bpko\b)"), options), QStringLiteral("PKO")},
        {QRegularExpression(QStringLiteral(R"(\bko\b)"), options), QStringLiteral("KO")},
        {QRegularExpression(QStringLiteral(R"(\bsatellite\b)"), options), QStringLiteral("Satellite")},
        {QRegularExpression(QStringLiteral(R"(\bfreeroll\b)"), options), QStringLiteral("Freeroll")},
        {QRegularExpression(QStringLiteral(R"(\bdeepstack\b)"), options), QStringLiteral("Deepstack")},
    };

    QString chips;
    const QRegularExpressionMatch match = chipsPattern.match(title);
    if (match.hasMatch())
        chips = match.captured(1);
    QString label;
    for (const Label &entry : labels) {
        if (entry.pattern.match(title).hasMatch()) {
            label = entry.label;
            break;
        }
    }
    if (!chips.isEmpty() && !label.isEmpty())
        return chips + QStringLiteral(" Chips ") + label;
    if (!label.isEmpty())
        return label;
    if (!chips.isEmpty())
        return chips + QStringLiteral(" Chips");
    return std::nullopt;
}
