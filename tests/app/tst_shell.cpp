#include "TestSupport.h"

#include "app/ObjectTree.h"
#include "app/PlayerValues.h"
#include "app/TarnwickApp.h"
#include "services/Analytics.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(TarnwickPlugin)

// The real window (Main.qml) with the application's objects, offscreen.
class TestShell : public QObject {
    Q_OBJECT

    struct Running {
        std::unique_ptr<TarnwickApp> app;
        std::unique_ptr<QQmlApplicationEngine> engine;
        QQuickWindow *window = nullptr;

        QObject *find(const QString &name) const { return ObjectTree::find(window, name); }
        bool popupVisible(const QString &name) const { return find(name)->property("visible").toBool(); }
    };

    std::unique_ptr<Running> start(const QString &dataDir)
    {
        auto running = std::make_unique<Running>();
        running->app = std::make_unique<TarnwickApp>(TarnwickApp::Options{dataDir, 1, false});
        running->app->makeObjects();
        running->engine = std::make_unique<QQmlApplicationEngine>();
        running->engine->addImportPath(QStringLiteral("qrc:/"));
        running->engine->load(QUrl(QStringLiteral("qrc:/Tarnwick/Main.qml")));
        if (running->engine->rootObjects().isEmpty())
            return nullptr;
        running->window = qobject_cast<QQuickWindow *>(running->engine->rootObjects().constFirst());
        return running;
    }

    static PlayerObservation observation(const QString &name, qint64 id, const QString &table)
    {
        PlayerObservation o;
        o.name = name;
        o.playerId = id;
        o.stats = PlayerStats{31.5, 12.2, 240};
        o.gameType = GameType{GameVariant::nlhe, GameMode::ring};
        o.tableID = table;
        o.tableTitle = QStringLiteral("NLHE 0.5/1");
        return o;
    }

private Q_SLOTS:
    void initTestCase() { QQuickStyle::setStyle(QStringLiteral("Basic")); }
    void init() { TestSupport::clearSettings(); }

    void windowShape()
    {
        QTemporaryDir dir;
        auto running = start(dir.path());
        QVERIFY(running);
        QQuickWindow *w = running->window;
        QCOMPARE(w->objectName(), QStringLiteral("main"));
        QCOMPARE(w->title(), QStringLiteral("Tarnwick"));
        QCOMPARE(w->width(), 360);
        QCOMPARE(w->height(), 700);
        QCOMPARE(w->minimumWidth(), 220);
        QCOMPARE(w->maximumWidth(), 420);
        QCOMPARE(w->minimumHeight(), 420);
        QVERIFY(w->flags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(running->app->windowBehavior()->window(), w);
    }

    void firstRunOrder_data()
    {
        QTest::addColumn<bool>("welcomeShown");
        QTest::addColumn<bool>("consentShown");
        QTest::addColumn<bool>("welcomeVisible");
        QTest::addColumn<bool>("consentVisible");
        QTest::newRow("first launch: welcome") << false << false << true << false;
        QTest::newRow("quit during consent: consent alone") << true << false << false << true;
        QTest::newRow("later launches: neither") << true << true << false << false;
    }

    void firstRunOrder()
    {
        QFETCH(bool, welcomeShown);
        QFETCH(bool, consentShown);
        QFETCH(bool, welcomeVisible);
        QFETCH(bool, consentVisible);
        if (welcomeShown)
            TestSupport::setSetting(QStringLiteral("tarnwick.welcome.shown"), true);
        if (consentShown)
            TestSupport::setSetting(QStringLiteral("tarnwick.consent.shown"), true);
        QTemporaryDir dir;
        auto running = start(dir.path());
        QVERIFY(running);
        QCOMPARE(running->popupVisible(QStringLiteral("welcomeSheet")), welcomeVisible);
        QCOMPARE(running->popupVisible(QStringLiteral("consentSheet")), consentVisible);
    }

    // Welcome, then consent; then neither, with the keys stored.
    void welcomeThenConsent()
    {
        QTemporaryDir dir;
        auto running = start(dir.path());
        QVERIFY(running);
        QVERIFY(running->popupVisible(QStringLiteral("welcomeSheet")));
        QVERIFY(QMetaObject::invokeMethod(running->find(QStringLiteral("welcomeView")), "dismiss"));
        QCOMPARE(QSettings().value(QStringLiteral("tarnwick.welcome.shown")).toBool(), true);
        QVERIFY(!running->popupVisible(QStringLiteral("welcomeSheet")));
        QVERIFY(running->popupVisible(QStringLiteral("consentSheet")));
        QVERIFY(QMetaObject::invokeMethod(running->find(QStringLiteral("consentView")), "proceed"));
        QCOMPARE(QSettings().value(QStringLiteral("tarnwick.consent.shown")).toBool(), true);
        QVERIFY(!running->popupVisible(QStringLiteral("consentSheet")));
    }

    void dismissingWelcomeAfterConsentShowsNoConsent()
    {
        TestSupport::setSetting(QStringLiteral("tarnwick.consent.shown"), true);
        QTemporaryDir dir;
        auto running = start(dir.path());
        QVERIFY(running);
        running->app->dismissWelcome();
        QVERIFY(!running->app->showConsent());
    }

    // The sidebar lists the store's sections through the store's models,
    // and an observed row opens its editor.
    void sidebarShowsTheStoresTables()
    {
        TestSupport::setSetting(QStringLiteral("tarnwick.welcome.shown"), true);
        TestSupport::setSetting(QStringLiteral("tarnwick.consent.shown"), true);
        QTemporaryDir dir;
        auto running = start(dir.path());
        QVERIFY(running);
        PlayerStore *store = running->app->store();
        QVERIFY(running->find(QStringLiteral("emptyState"))->property("visible").toBool());
        store->importObservation(observation(QStringLiteral("Ann"), 11, QStringLiteral("500")), true);
        store->importObservation(observation(QStringLiteral("Bob"), 12, QStringLiteral("500")), true);
        QTRY_VERIFY(running->find(QStringLiteral("section_NLHE Ring|500")));
        QVERIFY(!running->find(QStringLiteral("emptyState"))->property("visible").toBool());

        const Player bob = *store->playerMatching(QStringLiteral("Bob"), 12, GameType{});
        const QString rowId = PlayerValues::rowID(bob, bob.seatings.first());
        Q_EMIT running->app->events()->rowObserved(rowId, QStringLiteral("NLHE Ring|500"));
        QObject *row = running->find(QStringLiteral("row_") + rowId);
        QVERIFY(!running->find(QStringLiteral("row_") + PlayerValues::rowID(*store->playerMatching(QStringLiteral("Ann"), 11, GameType{}), bob.seatings.first()))->property("isExpanded").toBool());
        QVERIFY(row);
        QTRY_VERIFY(row->property("isExpanded").toBool());

        // A note typed just before the window closes is saved.
        QObject *note = ObjectTree::find(row, QStringLiteral("noteEdit"));
        QVERIFY(note);
        note->setProperty("text", QStringLiteral("calls too much"));
        running->window->close();
        QCOMPARE(store->playerMatching(QStringLiteral("Bob"), 12, GameType{})->note, QStringLiteral("calls too much"));
    }
};

TARNWICK_TEST_MAIN(TestShell)
#include "tst_shell.moc"
