#pragma once

#include "TestSupport.h"
#include "app/PlayerEditor.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <QVariantMap>

// A small in-memory record source for the view tests: the catalogs an
// editor offers and the records it edits, with a count of stores.
class FixtureStore : public QObject, public PlayerRecordSource {
    Q_OBJECT
    Q_PROPERTY(QStringList playerTypeCatalog MEMBER m_types NOTIFY catalogsChanged)
    Q_PROPERTY(QStringList phraseTagCatalog MEMBER m_tags NOTIFY catalogsChanged)
    Q_PROPERTY(QStringList enabledFlagColors MEMBER m_flags NOTIFY catalogsChanged)
    Q_PROPERTY(QString searchQuery MEMBER m_searchQuery NOTIFY searchQueryChanged)
    Q_PROPERTY(int storeCount MEMBER m_storeCount NOTIFY recordsChanged)

public:
    explicit FixtureStore(QObject *parent = nullptr);

    // Adds a record from a map (name, note, flag, villainTypes,
    // phraseTags, legacyTags, vpip/pfr/hands, seatings: [{gameVariant,
    // gameMode, tableID, isActive}]); returns its values (PlayerValues).
    Q_INVOKABLE QVariantMap addPlayer(const QVariantMap &values);
    // The stored record's values, plus "legacyTags".
    Q_INVOKABLE QVariantMap record(const QString &id) const;
    // What an import does meanwhile: new statistics and a new seating.
    Q_INVOKABLE void resetCount() { m_storeCount = 0; Q_EMIT recordsChanged(); }
    Q_INVOKABLE void importStats(const QString &id, double vpip, double pfr, int hands, const QString &tableID);

    std::optional<Player> currentRecord(const QUuid &id) const override;
    void storeRecord(const Player &player) override;

Q_SIGNALS:
    void catalogsChanged();
    void searchQueryChanged();
    void recordsChanged();

private:
    QStringList m_types;
    QStringList m_tags;
    QStringList m_flags;
    QString m_searchQuery;
    int m_storeCount = 0;
    QList<Player> m_players;
};

class PlayerStore;
class TableSectionModel;

// A real store in a temporary folder with its section model, for the
// changes the sidebar eases: tables closing, inactive rows cleared.
class FixtureTables : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject *sections READ sections NOTIFY opened)

public:
    explicit FixtureTables(QObject *parent = nullptr);
    ~FixtureTables() override;

    QObject *sections() const;
    // Opens a new store holding these opponents: [{name, seatings:
    // [{tableID, isActive}]}], all at NLHE Ring tables.
    Q_INVOKABLE void open(const QVariantList &players);
    Q_INVOKABLE void closeTables(const QStringList &tableIDs);
    Q_INVOKABLE void clearInactive(const QString &variant, const QString &mode);
    Q_INVOKABLE void moveTableCard(const QString &draggedKey, const QString &targetKey);

Q_SIGNALS:
    void opened();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PlayerStore> m_store;
    std::unique_ptr<TableSectionModel> m_sections;
};

// What the views sent to analytics, and the settings they wrote.
class ViewRecorder : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // [{name, parameters}]
    Q_INVOKABLE QVariantList events() const;
    Q_INVOKABLE QStringList eventNames() const;
    Q_INVOKABLE void reset();
    Q_INVOKABLE QVariant setting(const QString &key) const;
    Q_INVOKABLE void setSetting(const QString &key, const QVariant &value);
    Q_INVOKABLE bool hasSetting(const QString &key) const;
    // No stored keys at all (the analytics client stays started).
    Q_INVOKABLE void clearSettings() { TestSupport::clearSettings(); }

private:
    TestSupport::RecordingAnalytics m_analytics;
};
