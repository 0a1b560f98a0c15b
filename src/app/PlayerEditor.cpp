#include "PlayerEditor.h"

#include "services/Analytics.h"
#include "store/PlayerStore.h"

#include <QPointer>

namespace {
const QList<PlayerTag> legacyTypeTags = {PlayerTag::fish, PlayerTag::nit, PlayerTag::tag, PlayerTag::lag,
                                         PlayerTag::maniac};
const QList<PlayerTag> legacyPhraseTags = {PlayerTag::aggro, PlayerTag::threeBetWide, PlayerTag::callsDown,
                                           PlayerTag::bluffs, PlayerTag::foldProne};

// Adds or removes one entry of a list that may still be derived from
// legacy tags; returns whether it was added.
bool toggleEntry(std::optional<QStringList> &stored, const QStringList &derived, const QList<PlayerTag> &legacy,
                 QList<PlayerTag> &tags, QSet<PlayerTag> &removedTags, const QString &entry)
{
    QStringList list = stored.value_or(derived);
    if (!stored) {
        for (PlayerTag tag : legacy) {
            if (tags.removeAll(tag) > 0)
                removedTags.insert(tag);
        }
    }
    const bool added = !list.contains(entry);
    if (added)
        list.append(entry);
    else
        list.removeAll(entry);
    stored = list;
    return added;
}
} // namespace

namespace {
QSet<PlayerEditor *> &liveEditors()
{
    static QSet<PlayerEditor *> editors;
    return editors;
}
} // namespace

void PlayerEditor::commitAll()
{
    const QSet<PlayerEditor *> editors = liveEditors();
    for (PlayerEditor *editor : editors)
        editor->commitNow();
}

PlayerEditor::PlayerEditor(QObject *parent)
    : QObject(parent)
{
    liveEditors().insert(this);
    m_noteTimer.setSingleShot(true);
    m_noteTimer.setInterval(400);
    connect(&m_noteTimer, &QTimer::timeout, this, [this] {
        Q_EMIT notePendingChanged();
        commitNote(m_noteText);
    });
}

PlayerEditor::~PlayerEditor()
{
    liveEditors().remove(this);
    if (m_noteTimer.isActive()) {
        m_noteTimer.stop();
        commitNote(m_noteText);
    }
}

void PlayerEditor::setStore(QObject *store)
{
    if (m_store == store)
        return;
    m_store = store;
    if (auto *playerStore = qobject_cast<PlayerStore *>(store)) {
        QPointer<PlayerStore> guarded(playerStore);
        setBackend(
            [guarded](const QUuid &id) -> std::optional<Player> {
                if (guarded)
                    for (const Player &player : guarded->players())
                        if (player.id == id)
                            return player;
                return std::nullopt;
            },
            [guarded](const Player &player) {
                if (guarded)
                    guarded->updatePlayer(player);
            });
    } else if (auto *source = dynamic_cast<PlayerRecordSource *>(store)) {
        QPointer<QObject> guarded(store);
        setBackend(
            [guarded, source](const QUuid &id) -> std::optional<Player> {
                return guarded ? source->currentRecord(id) : std::nullopt;
            },
            [guarded, source](const Player &player) {
                if (guarded)
                    source->storeRecord(player);
            });
    }
    Q_EMIT storeChanged();
}

void PlayerEditor::setBackend(CurrentRecord current, Update update)
{
    m_current = std::move(current);
    m_update = std::move(update);
}

QString PlayerEditor::playerID() const
{
    return m_open ? m_edited.id.toString(QUuid::WithoutBraces).toUpper() : QString();
}

void PlayerEditor::setPlayerID(const QString &id)
{
    const QUuid uuid = QUuid::fromString(id);
    if (m_open && uuid == m_edited.id)
        return;
    if (!m_current)
        return;
    if (const std::optional<Player> player = m_current(uuid))
        open(*player);
}

void PlayerEditor::open(const Player &player)
{
    commitNow();
    m_edited = player;
    m_open = true;
    m_removedTags.clear();
    const bool noteChanged = m_noteText != player.note;
    m_noteText = player.note;
    Q_EMIT playerChanged();
    if (noteChanged)
        Q_EMIT noteTextChanged();
}

QString PlayerEditor::flag() const
{
    return m_edited.colorIndicator ? rawValue(*m_edited.colorIndicator) : QString();
}

void PlayerEditor::setNoteText(const QString &text)
{
    if (m_noteText == text)
        return;
    m_noteText = text;
    Q_EMIT noteTextChanged();
    const bool wasPending = m_noteTimer.isActive();
    m_noteTimer.start();
    if (!wasPending)
        Q_EMIT notePendingChanged();
}

void PlayerEditor::setNoteDelay(int milliseconds)
{
    if (m_noteTimer.interval() == milliseconds)
        return;
    m_noteTimer.setInterval(milliseconds);
    Q_EMIT noteDelayChanged();
}

void PlayerEditor::toggleType(const QString &emoji)
{
    if (!m_open)
        return;
    const bool added = toggleEntry(m_edited.villainTypes, m_edited.effectiveVillainTypes(), legacyTypeTags,
                                   m_edited.tags, m_removedTags, emoji);
    save(typesField);
    Q_EMIT playerChanged();
    Analytics::signal(QStringLiteral("VillainType.Toggled"),
                      {{QStringLiteral("emoji"), emoji},
                       {QStringLiteral("action"), added ? QStringLiteral("added") : QStringLiteral("removed")}});
}

void PlayerEditor::toggleTag(const QString &label)
{
    if (!m_open)
        return;
    const bool added = toggleEntry(m_edited.phraseTags, m_edited.effectivePhraseTags(), legacyPhraseTags,
                                   m_edited.tags, m_removedTags, label);
    save(tagsField);
    Q_EMIT playerChanged();
    Analytics::signal(QStringLiteral("Tag.Toggled"),
                      {{QStringLiteral("label"), label},
                       {QStringLiteral("action"), added ? QStringLiteral("added") : QStringLiteral("removed")}});
}

void PlayerEditor::pickFlag(const QString &color)
{
    const std::optional<PlayerColor> picked = playerColorFromRaw(color);
    if (!m_open || !picked)
        return;
    const bool clearing = m_edited.colorIndicator == picked;
    if (clearing)
        m_edited.colorIndicator.reset();
    else
        m_edited.colorIndicator = picked;
    save(flagField);
    Q_EMIT playerChanged();
    Analytics::signal(QStringLiteral("Flag.Changed"),
                      {{QStringLiteral("color"), clearing ? QStringLiteral("cleared") : color}});
}

void PlayerEditor::commitNow()
{
    if (!m_noteTimer.isActive())
        return;
    m_noteTimer.stop();
    Q_EMIT notePendingChanged();
    commitNote(m_noteText);
}

void PlayerEditor::close()
{
    commitNow();
    Q_EMIT closed();
}

void PlayerEditor::commitNote(const QString &text)
{
    if (!m_open || m_edited.note == text)
        return;
    m_edited.note = text;
    save(noteField);
    if (!text.isEmpty())
        Analytics::signal(QStringLiteral("Note.Edited"));
}

void PlayerEditor::save(int field)
{
    if (!m_update)
        return;
    // Onto the store's current record, only the field just edited.
    Player record = m_edited;
    if (m_current) {
        const std::optional<Player> current = m_current(m_edited.id);
        if (!current)
            return;
        record = *current;
    }
    switch (field) {
    case typesField:
        record.villainTypes = m_edited.villainTypes;
        break;
    case tagsField:
        record.phraseTags = m_edited.phraseTags;
        break;
    case flagField:
        record.colorIndicator = m_edited.colorIndicator;
        break;
    case noteField:
        record.note = m_edited.note;
        break;
    }
    if (field == typesField || field == tagsField) {
        for (PlayerTag tag : std::as_const(m_removedTags))
            record.tags.removeAll(tag);
    }
    m_update(record);
}
