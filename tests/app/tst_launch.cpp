#include "TestSupport.h"

#include "app/Launch.h"
#include "services/Analytics.h"
#include "store/PlayerStore.h"

class TestLaunch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        TestSupport::clearSettings();
        Analytics::resetForTesting();
        qputenv("TARNWICK_ANALYTICS_APP_ID", "app-id");
        qputenv("TARNWICK_CRASH_DSN", "https://k@h/1");
    }

    void startsClientsInOrderThenSendsLaunch()
    {
        TestSupport::setSetting(QLatin1String(Analytics::consentAnalyticsKey), true);
        TestSupport::setSetting(QLatin1String(Analytics::consentCrashKey), true);
        TestSupport::RecordingAnalytics rec;
        Launch::begin();
        QCOMPARE(rec.order, (QStringList{QStringLiteral("analytics.start"), QStringLiteral("crash.start"),
                                         QStringLiteral("signal:App.Launched")}));
        QVERIFY(rec.signals_.first().parameters.isEmpty());
    }

    void noLaunchEventWithoutAnAppId()
    {
        TestSupport::setSetting(QLatin1String(Analytics::consentAnalyticsKey), true);
        qputenv("TARNWICK_ANALYTICS_APP_ID", "");
        TestSupport::RecordingAnalytics rec;
        Launch::begin();
        QVERIFY(rec.signals_.isEmpty());
        QVERIFY(rec.startedAppIds.isEmpty());
    }

    void welcomeKeyDecidesTheWelcomeScreen()
    {
        QCOMPARE(Launch::begin().showWelcome, true);
        TestSupport::setSetting(QLatin1String(Launch::welcomeShownKey), true);
        QCOMPARE(Launch::begin().showWelcome, false);
    }

    // The store is made after the crash reporter, so its load failures are reported.
    void storeLoadFailuresReachTheCrashReporter()
    {
        TestSupport::setSetting(QLatin1String(Analytics::consentCrashKey), true);
        QTemporaryDir dir;
        TestSupport::writeFile(dir.filePath(QStringLiteral("players.json")), "not json");
        TestSupport::RecordingAnalytics rec;
        TestSupport::LogCapture log;
        Launch::begin();
        PlayerStore store(dir.path());
        QCOMPARE(rec.reports.size(), 1);
        QCOMPARE(rec.reports.first().tags.value(QStringLiteral("category")), QStringLiteral("playerStore.load"));
    }
};

TARNWICK_TEST_MAIN(TestLaunch)
#include "tst_launch.moc"
