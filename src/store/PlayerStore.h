#pragma once

#include "TableGroup.h"
#include "common/Clock.h"
#include "model/Player.h"
#include "model/PlayerObservation.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QVariantMap>

#include <functional>
#include <optional>

struct SettingsSnapshot;

// A record created by an import and not yet confirmed by a second reading or
// an edit. It lives in players but is never written to a file.
struct PendingRecord {
    QDateTime firstSeen;
    QString matchKey;
    double initialConfidence = 0;
};

// A reading of a stored record's name that differed from the stored name.
struct NameReading {
    QString name;
    double confidence = 0;
};

// The single owner of the opponents, the table bookkeeping and the catalogs.
// Loads its files once when created and writes the affected file after every
// change. Main thread only.
class PlayerStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<Player> players READ players NOTIFY playersChanged)
    Q_PROPERTY(int playerCount READ playerCount NOTIFY playersChanged)
    Q_PROPERTY(QString searchQuery READ searchQuery WRITE setSearchQuery NOTIFY searchQueryChanged)
    Q_PROPERTY(QStringList tableCardOrder READ tableCardOrder NOTIFY tableCardOrderChanged)
    Q_PROPERTY(QVariantMap tableTitles READ tableTitlesVariant NOTIFY tableTitlesChanged)
    Q_PROPERTY(QStringList phraseTagCatalog READ phraseTagCatalog NOTIFY phraseTagCatalogChanged)
    Q_PROPERTY(QStringList playerTypeCatalog READ playerTypeEmojis NOTIFY playerTypeCatalogChanged)
    Q_PROPERTY(QStringList enabledFlagColors READ enabledFlagColorNames NOTIFY enabledFlagColorsChanged)

public:
    // The data folder defaults to the user's application-data folder +
    // "Tarnwick"; tests pass a temporary folder and their own clock.
    explicit PlayerStore(const QString &dataDirectory = defaultDataDirectory(), Clock clock = systemClock(),
                         QObject *parent = nullptr);
    ~PlayerStore() override;

    static QString defaultDataDirectory();
    static QStringList defaultPhraseTagCatalog();
    static QList<PlayerType> defaultPlayerTypeCatalog();
    static QSet<PlayerColor> defaultEnabledFlagColors();

    const QList<Player> &players() const { return m_players; }
    int playerCount() const { return int(m_players.size()); }
    QString searchQuery() const { return m_searchQuery; }
    void setSearchQuery(const QString &query);
    QStringList tableCardOrder() const { return m_tableCardOrder; }
    const QMap<QString, QString> &tableTitles() const { return m_tableTitles; }
    QVariantMap tableTitlesVariant() const;
    QStringList phraseTagCatalog() const { return m_phraseTagCatalog; }
    const QList<PlayerType> &playerTypeCatalog() const { return m_playerTypeCatalog; }
    QStringList playerTypeEmojis() const;
    const QSet<PlayerColor> &enabledFlagColors() const { return m_enabledFlagColors; }
    QStringList enabledFlagColorNames() const;

    // File locations, fixed when the store is created.
    QString dataDirectory() const { return m_dataDirectory; }
    QString storageURL() const { return m_storageURL; }
    QString tableCardOrderURL() const { return m_tableCardOrderURL; }
    QString tableTitlesURL() const { return m_tableTitlesURL; }
    QString settingsURL() const { return m_settingsURL; }
    // Files that existed at start-up but could not be read (and were not
    // replaced since).
    QStringList unreadableFiles() const;

    // Import bookkeeping, in memory only.
    const QHash<QUuid, PendingRecord> &pendingByID() const { return m_pendingByID; }
    const QHash<QString, QUuid> &pendingByKey() const { return m_pendingByKey; }
    const QHash<QUuid, QList<NameReading>> &recentReadings() const { return m_recentReadings; }

    Q_INVOKABLE void savePlayers();
    Q_INVOKABLE void saveTableCardOrder();
    Q_INVOKABLE void saveTableTitles();
    Q_INVOKABLE void saveSettings();
    void mergeDuplicatePlayers();

    SettingsSnapshot settingsSnapshot() const;

    // --- Import and edits ---------------------------------------------------

    // Takes one reading of a player: keeps the table's title, finds the
    // stored record it belongs to (or creates one, waiting for confirmation
    // unless userConfirmed), seats it, refreshes its ID and statistics and
    // renames it only on strong evidence.
    void importObservation(const PlayerObservation &observation, bool userConfirmed = false);
    // The stored record an observation belongs to, or none. Without a table
    // ID the near-name stage is skipped. Changes nothing.
    std::optional<Player> playerMatching(const QString &name, std::optional<qint64> playerId, const GameType &gameType,
                                         const std::optional<QString> &tableID = std::nullopt) const;
    // Stores an edited record (matched by id): stamps updatedAt, confirms a
    // waiting record and saves. An unknown id changes nothing.
    void updatePlayer(const Player &player);

    // --- Tables --------------------------------------------------------------

    // One section per table with at least one active row, in the user's
    // order, then most recently active first. Computed on each call.
    QList<TableGroup> tableGroups() const;
    // Seatings at these table IDs (any game type) become inactive.
    Q_INVOKABLE void markTablesClosed(const QStringList &tableIDs);
    // Seatings at tables not in this list of open table IDs become inactive.
    Q_INVOKABLE void syncLiveTables(const QStringList &tableIDs);
    // Adds titles for table keys that have none yet; never replaces one.
    void updateTableTitles(const QMap<QString, QString> &titles);
    // Puts the dragged section just before the one it was dropped on.
    Q_INVOKABLE void moveTableCard(const QString &draggedKey, const QString &targetKey);
    // Drops every inactive seating of that game type, at every table.
    void clearInactiveSeatings(const GameType &gameType);
    // The short header of a tournament table, from its window title.
    static std::optional<QString> shortTournamentTitle(const QString &title);

    // --- Catalogs, search and export ----------------------------------------

    static constexpr int maxPlayerTypes = 6;
    static constexpr int maxPhraseTags = 8;
    static constexpr int maxPhraseTagLength = 16;

    Q_INVOKABLE bool addPlayerType(const QString &text);
    Q_INVOKABLE void removePlayerType(int position);
    Q_INVOKABLE bool addPhraseTag(const QString &text);
    Q_INVOKABLE void removePhraseTag(int position);
    void setFlagColor(PlayerColor color, bool enabled);
    // The same, with the colour's raw value ("red"); unknown names are ignored.
    Q_INVOKABLE void setFlagColor(const QString &color, bool enabled);
    // The colours the editor offers: red, orange, yellow, green, blue, as enabled.
    QList<PlayerColor> orderedEnabledFlagColors() const;
    QStringList orderedEnabledFlagColorNames() const;

    // The records whose name matches searchQuery, in list order; every
    // record when the query is empty.
    QList<Player> searchResults() const;
    // Whether a name matches a search query (see searchResults).
    static bool nameMatchesQuery(const QString &name, const QString &query);

    // Writes the export file: every confirmed record and the catalogs, as
    // indented JSON with sorted keys and ISO 8601 dates. Returns false with
    // the error text when it cannot be encoded or written; the store does
    // not change either way.
    bool exportData(const QString &filePath, QString *error = nullptr) const;
    QByteArray exportJson() const;

Q_SIGNALS:
    // playersChanged follows every change of players; the three before it
    // say which records changed, for views that update one row.
    void playerAdded(const QUuid &id);
    void playerUpdated(const QUuid &id);
    void playersRemoved(const QList<QUuid> &ids);
    void playersChanged();
    void searchQueryChanged();
    void tableCardOrderChanged();
    void tableTitlesChanged();
    void phraseTagCatalogChanged();
    void playerTypeCatalogChanged();
    void enabledFlagColorsChanged();

protected:
    QDateTime now() const { return m_clock(); }

private:
    void loadPlayers();
    void loadTableCardOrder();
    void loadTableTitles();
    void loadSettings();
    // Writes bytes atomically. A file that existed but could not be read at
    // start-up is first moved aside, never overwritten; returns the error
    // text, empty on success.
    QString writeFile(const QString &path, const QByteArray &bytes);
    void rememberUnreadable(const QString &path);

    QString m_dataDirectory;
    Clock m_clock;

    QList<Player> m_players;
    QString m_searchQuery;
    QStringList m_tableCardOrder;
    QMap<QString, QString> m_tableTitles;
    QStringList m_phraseTagCatalog;
    QList<PlayerType> m_playerTypeCatalog;
    QSet<PlayerColor> m_enabledFlagColors;

    QString m_storageURL;
    QString m_tableCardOrderURL;
    QString m_tableTitlesURL;
    QString m_settingsURL;

    QHash<QUuid, PendingRecord> m_pendingByID;
    // The players file as last written; kept so each save reuses its memory.
    QByteArray m_playersFileBuffer;
    QHash<QString, QUuid> m_pendingByKey;
    QHash<QUuid, QList<NameReading>> m_recentReadings;

    QSet<QString> m_unreadableFiles;

    // Name keys of each record, computed when first needed and recomputed
    // when the record's name changes.
    struct CachedNameKeys {
        QString name;
        QString lowercased;
        QString compact;
        QString matchKey;
        int matchKeyLength = 0;
        QString folded; // lower-cased with diacritics removed, for search
    };
    // The reference stays valid only until the next call.
    const CachedNameKeys &nameKeys(const Player &player) const;
    mutable QHash<QUuid, CachedNameKeys> m_nameKeys;

    qsizetype indexOfPlayer(const QUuid &id) const;
    qsizetype indexMatching(const QString &name, std::optional<qint64> playerId, const GameType &gameType,
                            const std::optional<QString> &tableID) const;
    // Leaves waiting-record and reading bookkeeping for records that are gone.
    void forgetRecords(const QSet<QUuid> &ids);
    bool deactivateSeatings(const std::function<bool(const QString &tableID)> &closed);
};
