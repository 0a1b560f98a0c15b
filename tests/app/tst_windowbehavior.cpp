#include "TestSupport.h"

#include "app/WindowBehaviorController.h"

#include <QSettings>
#include <QWindow>

class TestWindowBehavior : public QObject {
    Q_OBJECT

    struct Applied {
        int level;
        int behavior;
    };

private Q_SLOTS:
    void init() { TestSupport::clearSettings(); }

    void firstLaunchNeitherFloatsNorJoinsAllDesktops()
    {
        WindowBehaviorController controller;
        QCOMPARE(controller.floatOnTop(), false);
        QCOMPARE(controller.allSpaces(), false);
        QCOMPARE(controller.windowLevel(), 0);
        QCOMPARE(controller.collectionBehavior(), 132);
    }

    void valuesFollowTheSettings_data()
    {
        QTest::addColumn<bool>("floatOnTop");
        QTest::addColumn<bool>("allSpaces");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("behavior");
        QTest::newRow("neither") << false << false << 0 << 132;
        QTest::newRow("float") << true << false << 3 << 132;
        QTest::newRow("all spaces") << false << true << 0 << 149;
        QTest::newRow("both") << true << true << 3 << 149;
    }

    // Changing either setting re-applies both, with the stored keys written
    // first, and a new controller (the next launch) starts from them.
    void valuesFollowTheSettings()
    {
        QFETCH(bool, floatOnTop);
        QFETCH(bool, allSpaces);
        QFETCH(int, level);
        QFETCH(int, behavior);

        QWindow window;
        QList<Applied> applied;
        WindowBehaviorController controller;
        controller.setApplier([&](QWindow *w, int l, int b) {
            QCOMPARE(w, &window);
            applied.append({l, b});
        });
        controller.setWindow(&window);
        QCOMPARE(applied.size(), 1);

        controller.setFloatOnTop(floatOnTop);
        controller.setAllSpaces(allSpaces);
        QCOMPARE(controller.windowLevel(), level);
        QCOMPARE(controller.collectionBehavior(), behavior);
        QCOMPARE(applied.last().level, level);
        QCOMPARE(applied.last().behavior, behavior);
        QCOMPARE(applied.size(), 1 + int(floatOnTop) + int(allSpaces));

        QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("windowFloatOnTop")).toBool(), floatOnTop);
        QCOMPARE(settings.value(QStringLiteral("windowAllSpaces")).toBool(), allSpaces);

        WindowBehaviorController relaunched;
        QCOMPARE(relaunched.floatOnTop(), floatOnTop);
        QCOMPARE(relaunched.allSpaces(), allSpaces);
    }

    void turningAllSpacesOffKeepsTheWindowFloating()
    {
        QWindow window;
        QList<Applied> applied;
        WindowBehaviorController controller;
        controller.setApplier([&](QWindow *, int l, int b) { applied.append({l, b}); });
        controller.setWindow(&window);
        controller.setFloatOnTop(true);
        controller.setAllSpaces(true);
        controller.setAllSpaces(false);
        QCOMPARE(applied.last().level, 3);
        QCOMPARE(applied.last().behavior, 132);
    }

    // Without a window the settings still change and are stored.
    void settingsChangeWithoutAWindow()
    {
        WindowBehaviorController controller;
        QSignalSpy spy(&controller, &WindowBehaviorController::floatOnTopChanged);
        controller.setFloatOnTop(true);
        controller.setFloatOnTop(true);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(QSettings().value(QStringLiteral("windowFloatOnTop")).toBool(), true);
    }

    // The real platform layer: the window's stay-on-top flag follows the
    // setting, on a shown window too.
    void realWindowStaysOnTopFollowsTheSetting()
    {
        QWindow window;
        window.resize(300, 500);
        WindowBehaviorController controller;
        controller.setWindow(&window);
        QVERIFY(!window.flags().testFlag(Qt::WindowStaysOnTopHint));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        controller.setFloatOnTop(true);
        QVERIFY(window.flags().testFlag(Qt::WindowStaysOnTopHint));
        controller.setAllSpaces(true);
        QVERIFY(window.flags().testFlag(Qt::WindowStaysOnTopHint));
        controller.setFloatOnTop(false);
        QVERIFY(!window.flags().testFlag(Qt::WindowStaysOnTopHint));

        // A window found later gets the stored settings at once.
        TestSupport::setSetting(QStringLiteral("windowFloatOnTop"), true);
        WindowBehaviorController relaunched;
        QWindow second;
        relaunched.setWindow(&second);
        QVERIFY(second.flags().testFlag(Qt::WindowStaysOnTopHint));
    }

    // On X11 the window manager is asked to keep the window on every
    // desktop (_NET_WM_DESKTOP 0xFFFFFFFF), and to put it back on one.
    void allSpacesSetsTheX11StickyState()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs X11 (runs as tst_windowbehavior_x11 under Xvfb)");
        QWindow window;
        window.resize(300, 500);
        window.create();
        WindowBehaviorController controller;
        controller.setWindow(&window);
        QVERIFY(!WindowLayer::isSticky(&window));
        controller.setAllSpaces(true);
        QVERIFY(WindowLayer::isSticky(&window));
        controller.setFloatOnTop(true);
        QVERIFY(WindowLayer::isSticky(&window));
        controller.setAllSpaces(false);
        QVERIFY(!WindowLayer::isSticky(&window));
    }
};

TARNWICK_TEST_MAIN(TestWindowBehavior)
#include "tst_windowbehavior.moc"
