#include "TarnwickApp.h"

#include "Launch.h"
#include "PlayerEditor.h"
#include "SidebarEvents.h"
#include "WindowBehaviorController.h"
#include "client/CWGMonitor.h"
#include "client/ClientLauncher.h"
#include "reader/CDPPlayerReader.h"
#include "app/PlayerValues.h"
#include "common/BuildConfig.h"
#include "services/Analytics.h"
#include "store/PlayerStore.h"
#include "store/SearchResultModel.h"
#include "store/TableSectionModel.h"

#include <QCoroTask>
#include <QCoreApplication>
#include <QQmlEngine>
#include <QSettings>
#include <QUrl>
#include <QWindow>

namespace {
TarnwickApp *s_instance = nullptr;
}

TarnwickApp::TarnwickApp(Options options, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options))
{
    s_instance = this;
    m_showWelcome = !QSettings().value(QLatin1String(Launch::welcomeShownKey), false).toBool();
    // Pending edits are saved before the program ends.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TarnwickApp::commitPendingEdits);
}

TarnwickApp::~TarnwickApp()
{
    if (s_instance == this)
        s_instance = nullptr;
}

TarnwickApp *TarnwickApp::instance()
{
    return s_instance;
}

TarnwickApp *TarnwickApp::create(QQmlEngine *, QJSEngine *)
{
    QJSEngine::setObjectOwnership(s_instance, QJSEngine::CppOwnership);
    return s_instance;
}

void TarnwickApp::makeObjects()
{
    if (m_store)
        return;
    m_store = std::make_unique<PlayerStore>(m_options.dataDirectory);
    m_sections = std::make_unique<TableSectionModel>(m_store.get());
    m_search = std::make_unique<SearchResultModel>(m_store.get());
    m_windowBehavior = std::make_unique<WindowBehaviorController>();
    m_launcher = std::make_unique<ClientLauncher>(ClientCommand::configured(), m_options.port);
    m_monitor = std::make_unique<CWGMonitor>(m_launcher.get());
    m_events = std::make_unique<SidebarEvents>();
    if (m_options.makeReader) {
        m_reader = m_options.makeReader();
    } else {
        ReaderOptions readerOptions;
        readerOptions.port = m_options.port;
        m_reader = std::make_unique<CDPPlayerReader>(readerOptions);
    }
    connectReader();
}

void TarnwickApp::connectReader()
{
    // The store hears every reader event through the forwarder; the sidebar
    // hears what it resolved to.
    m_forwarder = std::make_unique<ReaderForwarder>(m_reader.get(), m_store.get());
    connect(m_forwarder.get(), &ReaderForwarder::observationResolved, this,
            [this](const PlayerObservation &observation, const Player &player, const QString &tableKey) {
                for (const Seating &seating : player.seatings) {
                    if (seating.id() == tableKey) {
                        Q_EMIT m_events->rowObserved(PlayerValues::rowID(player, seating), tableKey);
                        return;
                    }
                }
                Q_UNUSED(observation);
            });
    // Sections that leave because their tables closed fade out.
    connect(m_forwarder.get(), &ReaderForwarder::tablesClosed, m_events.get(), &SidebarEvents::tablesSynced);
    connect(m_forwarder.get(), &ReaderForwarder::liveTablesSynced, m_events.get(), &SidebarEvents::tablesSynced);
    PlayerReader *reader = m_reader.get();
    connect(reader, &PlayerReader::liveTableIDsChanged, this, [this, reader] {
        m_events->setHasOpenTables(reader->liveTableIDs() && !reader->liveTableIDs()->isEmpty());
    });
    connect(reader, &PlayerReader::activeTableIDChanged, this, [this, reader] {
        if (reader->activeTableID())
            m_events->setActiveTableID(*reader->activeTableID());
    });
}

QAbstractItemModel *TarnwickApp::sections() const
{
    return m_sections.get();
}

QAbstractItemModel *TarnwickApp::searchResults() const
{
    return m_search.get();
}

QString TarnwickApp::privacyPolicyUrl() const
{
    return BuildConfig::privacyUrl();
}

void TarnwickApp::setShowWelcome(bool show)
{
    if (m_showWelcome == show)
        return;
    m_showWelcome = show;
    Q_EMIT showWelcomeChanged();
}

void TarnwickApp::setShowConsent(bool show)
{
    if (m_showConsent == show)
        return;
    m_showConsent = show;
    Q_EMIT showConsentChanged();
}

void TarnwickApp::dismissWelcome()
{
    QSettings settings;
    settings.setValue(QLatin1String(Launch::welcomeShownKey), true);
    settings.sync();
    setShowWelcome(false);
    if (!settings.value(QLatin1String(Analytics::consentShownKey), false).toBool())
        setShowConsent(true);
}

void TarnwickApp::continueConsent()
{
    setShowConsent(false);
}

void TarnwickApp::contentShown()
{
    if (m_contentShown)
        return;
    m_contentShown = true;
    firstAppearance();
    startClientTask();
    startUpdateTask();
}

void TarnwickApp::firstAppearance()
{
    // A user who quit while the consent sheet was up sees it again.
    QSettings settings;
    if (settings.value(QLatin1String(Launch::welcomeShownKey), false).toBool()
        && !settings.value(QLatin1String(Analytics::consentShownKey), false).toBool())
        setShowConsent(true);
}

void TarnwickApp::startClientTask()
{
    if (!m_monitor)
        return;
    m_monitor->start();
    if (!m_options.launchClient)
        return;
    // The result is not used: the monitor reports the client's state.
    QCoro::connect(m_launcher->ensureClientRunning(), this, [](bool) {});
}

void TarnwickApp::startUpdateTask()
{
    // The background update check arrives with the update controller.
}

void TarnwickApp::startReader()
{
    if (m_readerStarted || !m_reader)
        return;
    m_readerStarted = true;
    m_reader->startMonitoring();
}

void TarnwickApp::restartClient()
{
    if (m_monitor)
        m_monitor->restart();
}

void TarnwickApp::commitPendingEdits()
{
    PlayerEditor::commitAll();
}

void TarnwickApp::clearInactiveSeatings(const QString &variant, const QString &mode)
{
    const auto v = gameVariantFromRaw(variant);
    const auto m = gameModeFromRaw(mode);
    if (m_store && v && m)
        m_store->clearInactiveSeatings(GameType{*v, *m});
}

void TarnwickApp::attachWindow(QWindow *window)
{
    if (!window)
        return;
    if (m_windowBehavior)
        m_windowBehavior->setWindow(window);
    connect(window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible)
            commitPendingEdits();
    });
}
