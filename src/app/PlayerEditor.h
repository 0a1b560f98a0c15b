#pragma once

#include "model/Player.h"

#include <QObject>
#include <QSet>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

// Where an editor reads the current record and stores an edited one.
class PlayerRecordSource {
public:
    virtual ~PlayerRecordSource() = default;
    virtual std::optional<Player> currentRecord(const QUuid &id) const = 0;
    virtual void storeRecord(const Player &player) = 0;
};

// The edits of one open player editor: types, tags, flag and the note,
// whose saves wait until typing pauses for 0.4 s.
//
// Edits are computed on a copy taken when the editor opens, but only the
// fields the user changed are written back, onto the store's current
// record: an import that updates the same player meanwhile (statistics,
// seatings, name) is never rolled back by a later save from here.
class PlayerEditor : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QObject *store READ store WRITE setStore NOTIFY storeChanged)
    Q_PROPERTY(QString playerID READ playerID WRITE setPlayerID NOTIFY playerChanged)
    Q_PROPERTY(QString flag READ flag NOTIFY playerChanged)
    Q_PROPERTY(QStringList villainTypes READ villainTypes NOTIFY playerChanged)
    Q_PROPERTY(QStringList phraseTags READ phraseTags NOTIFY playerChanged)
    Q_PROPERTY(QString noteText READ noteText WRITE setNoteText NOTIFY noteTextChanged)
    Q_PROPERTY(bool notePending READ notePending NOTIFY notePendingChanged)
    Q_PROPERTY(int noteDelay READ noteDelay WRITE setNoteDelay NOTIFY noteDelayChanged)

public:
    // The store seam: the current record with an id, and the update that
    // stores a record, stamps it and saves.
    using CurrentRecord = std::function<std::optional<Player>(const QUuid &)>;
    using Update = std::function<void(const Player &)>;

    explicit PlayerEditor(QObject *parent = nullptr);
    // Commits a pending note: the editor disappearing for any reason saves
    // what was typed.
    ~PlayerEditor() override;

    QObject *store() const { return m_store; }
    // An object that is a PlayerRecordSource; binds the seam to it.
    void setStore(QObject *store);
    void setBackend(CurrentRecord current, Update update);

    QString playerID() const;
    // Opens the editor on the store's current record with this id (upper-
    // or lower-case UUID text).
    void setPlayerID(const QString &id);
    // Opens the editor on a copy of this record.
    void open(const Player &player);
    const Player &editedPlayer() const { return m_edited; }

    QString flag() const;
    QStringList villainTypes() const { return m_edited.effectiveVillainTypes(); }
    QStringList phraseTags() const { return m_edited.effectivePhraseTags(); }
    QString noteText() const { return m_noteText; }
    // Typing: restarts the 0.4 s wait; only the last text is committed.
    void setNoteText(const QString &text);
    bool notePending() const { return m_noteTimer.isActive(); }
    int noteDelay() const { return m_noteTimer.interval(); }
    void setNoteDelay(int milliseconds);

    Q_INVOKABLE void toggleType(const QString &emoji);
    Q_INVOKABLE void toggleTag(const QString &label);
    Q_INVOKABLE void pickFlag(const QString &color);
    // Cancels the pending save and commits the typed note at once.
    Q_INVOKABLE void commitNow();
    // Closing: commit at once, then closed().
    Q_INVOKABLE void close();
    // Commits the pending note of every open editor.
    static void commitAll();

Q_SIGNALS:
    void storeChanged();
    void playerChanged();
    void noteTextChanged();
    void notePendingChanged();
    void noteDelayChanged();
    void closed();

private:
    enum Field { typesField = 1, tagsField = 2, flagField = 4, noteField = 8 };
    void commitNote(const QString &text);
    void save(int field);

    QObject *m_store = nullptr;
    CurrentRecord m_current;
    Update m_update;
    Player m_edited;
    bool m_open = false;
    QString m_noteText;
    QTimer m_noteTimer;
    // Legacy tags the user's edits turned into types or phrase tags.
    QSet<PlayerTag> m_removedTags;
};
