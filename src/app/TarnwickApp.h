#pragma once

#include "SidebarEvents.h"
#include "WindowBehaviorController.h"
#include "client/CWGMonitor.h"
#include "reader/PlayerReader.h"
#include "reader/ReaderForwarder.h"
#include "store/PlayerStore.h"

#include <QAbstractItemModel>
#include <QObject>
#include <QPointer>
#include <QWindow>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <memory>

class ClientLauncher;
class QQmlEngine;
class QJSEngine;
class SearchResultModel;
class TableSectionModel;

// The application: makes the program-wide objects once and hands them to
// the views, decides the first-run sheets, and runs the start-up tasks
// (first appearance, the client, the update check). QML reaches the one
// instance as the singleton App.
class TarnwickApp : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(App)
    QML_SINGLETON
    Q_PROPERTY(PlayerStore *store READ store CONSTANT)
    Q_PROPERTY(QAbstractItemModel *sections READ sections CONSTANT)
    Q_PROPERTY(QAbstractItemModel *searchResults READ searchResults CONSTANT)
    Q_PROPERTY(WindowBehaviorController *windowBehavior READ windowBehavior CONSTANT)
    Q_PROPERTY(CWGMonitor *monitor READ monitor CONSTANT)
    Q_PROPERTY(PlayerReader *reader READ reader CONSTANT)
    Q_PROPERTY(QObject *updateController READ updateController CONSTANT)
    Q_PROPERTY(SidebarEvents *events READ events CONSTANT)
    Q_PROPERTY(bool showWelcome READ showWelcome NOTIFY showWelcomeChanged)
    Q_PROPERTY(bool showConsent READ showConsent NOTIFY showConsentChanged)
    Q_PROPERTY(QString rootScreen READ rootScreen NOTIFY rootScreenChanged)
    Q_PROPERTY(QString privacyPolicyUrl READ privacyPolicyUrl CONSTANT)

public:
    struct Options {
        QString dataDirectory;
        quint16 port = 9222;
        // Whether the client task may start the poker client.
        bool launchClient = true;
        // A reader to use instead of the DevTools reader (tests, screenshots).
        std::function<std::unique_ptr<PlayerReader>()> makeReader;
    };

    // Reads the welcome key; the objects are made by makeObjects().
    explicit TarnwickApp(Options options, QObject *parent = nullptr);
    ~TarnwickApp() override;

    // The one instance, for QML.
    static TarnwickApp *instance();
    static TarnwickApp *create(QQmlEngine *, QJSEngine *);

    // Makes the program-wide objects, once.
    void makeObjects();

    PlayerStore *store() const { return m_store.get(); }
    QAbstractItemModel *sections() const;
    QAbstractItemModel *searchResults() const;
    TableSectionModel *sectionModel() const { return m_sections.get(); }
    SearchResultModel *searchModel() const { return m_search.get(); }
    WindowBehaviorController *windowBehavior() const { return m_windowBehavior.get(); }
    CWGMonitor *monitor() const { return m_monitor.get(); }
    ClientLauncher *launcher() const { return m_launcher.get(); }
    PlayerReader *reader() const { return m_reader.get(); }
    ReaderForwarder *forwarder() const { return m_forwarder.get(); }
    QObject *updateController() const { return m_updateController; }
    SidebarEvents *events() const { return m_events.get(); }

    bool showWelcome() const { return m_showWelcome; }
    bool showConsent() const { return m_showConsent; }
    // "sidebar" (the account screens choose "signIn" when they come).
    QString rootScreen() const { return m_rootScreen; }
    QString privacyPolicyUrl() const;

    // The welcome sheet's dismissal and the consent sheet's continue.
    Q_INVOKABLE void dismissWelcome();
    Q_INVOKABLE void continueConsent();
    // The three start-up tasks, when the window's content is first shown.
    Q_INVOKABLE void contentShown();
    void firstAppearance();
    void startClientTask();
    void startUpdateTask();
    // The sidebar's first appearance starts the reader.
    Q_INVOKABLE void startReader();
    // The empty state's restart button.
    Q_INVOKABLE void restartClient();
    // Finds the window: the window behaviour applies to it, and pending
    // edits are committed when it closes.
    Q_INVOKABLE void attachWindow(QWindow *window);
    // Every open editor saves what is still waiting (the window closes or
    // the program quits).
    Q_INVOKABLE void commitPendingEdits();
    // The section's clear button: inactive seatings of that game type go.
    Q_INVOKABLE void clearInactiveSeatings(const QString &variant, const QString &mode);

Q_SIGNALS:
    void showWelcomeChanged();
    void showConsentChanged();
    void rootScreenChanged();

private:
    void setShowWelcome(bool show);
    void setShowConsent(bool show);
    void connectReader();

    Options m_options;
    bool m_showWelcome = false;
    bool m_showConsent = false;
    bool m_contentShown = false;
    bool m_readerStarted = false;
    QString m_rootScreen = QStringLiteral("sidebar");
    std::unique_ptr<PlayerStore> m_store;
    std::unique_ptr<TableSectionModel> m_sections;
    std::unique_ptr<SearchResultModel> m_search;
    std::unique_ptr<WindowBehaviorController> m_windowBehavior;
    std::unique_ptr<ClientLauncher> m_launcher;
    std::unique_ptr<CWGMonitor> m_monitor;
    std::unique_ptr<SidebarEvents> m_events;
    std::unique_ptr<PlayerReader> m_reader;
    std::unique_ptr<ReaderForwarder> m_forwarder;
    QObject *m_updateController = nullptr;
};
