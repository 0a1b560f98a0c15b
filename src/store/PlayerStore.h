#pragma once

#include "common/Clock.h"
#include "model/Player.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QVariantMap>

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

Q_SIGNALS:
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
    QHash<QString, QUuid> m_pendingByKey;
    QHash<QUuid, QList<NameReading>> m_recentReadings;

    QSet<QString> m_unreadableFiles;
};
