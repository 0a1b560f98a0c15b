#include "TestSupport.h"

#include "services/Analytics.h"

#include <QJsonDocument>

using TestSupport::RecordingAnalytics;

class TestAnalytics : public QObject {
    Q_OBJECT

    void configure(const char *appId, const char *dsn)
    {
        qputenv("TARNWICK_ANALYTICS_APP_ID", appId);
        qputenv("TARNWICK_CRASH_DSN", dsn);
    }
    void consent(bool analytics, bool crash)
    {
        TestSupport::setSetting(QLatin1String(Analytics::consentAnalyticsKey), analytics);
        TestSupport::setSetting(QLatin1String(Analytics::consentCrashKey), crash);
    }

private Q_SLOTS:
    void init()
    {
        TestSupport::clearSettings();
        Analytics::resetForTesting();
        configure("", "");
    }

    void startRules_data()
    {
        QTest::addColumn<bool>("analyticsConsent");
        QTest::addColumn<QByteArray>("appId");
        QTest::addColumn<bool>("crashConsent");
        QTest::addColumn<QByteArray>("dsn");
        QTest::addColumn<bool>("analyticsStarts");
        QTest::addColumn<bool>("crashStarts");

        QTest::newRow("both consented and configured") << true << QByteArray("app") << true << QByteArray("https://k@h/1") << true << true;
        QTest::newRow("no consent") << false << QByteArray("app") << false << QByteArray("https://k@h/1") << false << false;
        QTest::newRow("consent, nothing configured") << true << QByteArray("") << true << QByteArray("") << false << false;
        QTest::newRow("analytics only") << true << QByteArray("app") << false << QByteArray("https://k@h/1") << true << false;
        QTest::newRow("crash only") << false << QByteArray("app") << true << QByteArray("https://k@h/1") << false << true;
    }

    void startRules()
    {
        QFETCH(bool, analyticsConsent);
        QFETCH(QByteArray, appId);
        QFETCH(bool, crashConsent);
        QFETCH(QByteArray, dsn);
        QFETCH(bool, analyticsStarts);
        QFETCH(bool, crashStarts);

        consent(analyticsConsent, crashConsent);
        configure(appId, dsn);
        RecordingAnalytics rec;
        Analytics::startAnalytics();
        Analytics::startCrashReporting();
        Analytics::signal(QStringLiteral("App.Launched"));
        Analytics::captureStoreError(QStringLiteral("disk full"), QStringLiteral("save"));

        QCOMPARE(Analytics::analyticsStarted(), analyticsStarts);
        QCOMPARE(Analytics::crashReportingStarted(), crashStarts);
        QCOMPARE(rec.startedAppIds, analyticsStarts ? QStringList{QString::fromUtf8(appId)} : QStringList{});
        QCOMPARE(rec.signals_.size(), analyticsStarts ? 1 : 0);
        QCOMPARE(rec.reports.size(), crashStarts ? 1 : 0);
    }

    void crashReporterOptions()
    {
        consent(false, true);
        configure("", "https://public@crash.example/42");
        RecordingAnalytics rec;
        Analytics::startCrashReporting();
        QCOMPARE(rec.crashStarts.size(), 1);
        const Analytics::CrashReporterOptions &options = rec.crashStarts.first();
        QCOMPARE(options.dsn, QStringLiteral("https://public@crash.example/42"));
        QCOMPARE(options.tracingEnabled, false);
        QCOMPARE(options.sendDefaultPii, false);
        QCOMPARE(options.appHangTimeoutSeconds, 5.0);
        QVERIFY(options.beforeSend);
        const QJsonObject scrubbed = options.beforeSend(QJsonObject{{QLatin1String("user"), QJsonObject{{QLatin1String("id"), 1}}}});
        QVERIFY(!scrubbed.contains(QLatin1String("user")));
    }

    // Consent is read at every send: withdrawing it stops events at once, and
    // granting it later sends nothing until the next launch.
    void consentIsReadAtEverySend()
    {
        consent(true, true);
        configure("app", "https://k@h/1");
        RecordingAnalytics rec;
        Analytics::startAnalytics();
        Analytics::startCrashReporting();

        Analytics::signal(QStringLiteral("Note.Edited"));
        consent(false, false);
        Analytics::signal(QStringLiteral("Note.Edited"));
        Analytics::firstAttachLatency(10);
        Analytics::reportParseFailure(QStringLiteral("x"));
        QCOMPARE(rec.signals_.size(), 1);
        QCOMPARE(rec.reports.size(), 0);

        consent(true, true);
        Analytics::signal(QStringLiteral("Note.Edited"));
        QCOMPARE(rec.signals_.size(), 2);

        Analytics::resetForTesting(); // a launch without consent
        consent(false, false);
        Analytics::startAnalytics();
        consent(true, true); // granted later in that run
        Analytics::signal(QStringLiteral("Note.Edited"));
        QCOMPARE(rec.signals_.size(), 2);
    }

    void latencyBuckets_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("bucket");
        const std::pair<qint64, const char *> cases[] = {{0, "<1s"},      {999, "<1s"},     {1000, "1-3s"},    {2999, "1-3s"},
                                                         {3000, "3-5s"},  {4999, "3-5s"},   {5000, "5-10s"},   {9999, "5-10s"},
                                                         {10000, "10-30s"}, {29999, "10-30s"}, {30000, ">30s"}, {3600000, ">30s"}};
        for (const auto &[ms, bucket] : cases)
            QTest::addRow("%lld ms", ms) << ms << QString::fromLatin1(bucket);
    }

    void latencyBuckets()
    {
        QFETCH(qint64, ms);
        QFETCH(QString, bucket);
        QCOMPARE(Analytics::latencyBucket(ms), bucket);

        consent(true, false);
        configure("app", "");
        RecordingAnalytics rec;
        Analytics::startAnalytics();
        Analytics::firstAttachLatency(ms);
        QCOMPARE(rec.signals_.size(), 1);
        QCOMPARE(rec.signals_.first().name, QStringLiteral("CDP.FirstAttachLatency"));
        QCOMPARE(rec.signals_.first().parameters, (Analytics::Parameters{{QStringLiteral("bucket"), bucket}}));
    }

    void errorReportsCarryTheirTags()
    {
        consent(false, true);
        configure("", "https://k@h/1");
        RecordingAnalytics rec;
        Analytics::startCrashReporting();
        Analytics::captureStoreError(QStringLiteral("e1"), QStringLiteral("load"));
        Analytics::captureAuthError(QStringLiteral("e2"), QStringLiteral("magicLink"));
        Analytics::reportParseFailure(QStringLiteral("popup-read-expression-result"));

        QCOMPARE(rec.reports.size(), 3);
        QCOMPARE(rec.reports[0].text, QStringLiteral("e1"));
        QCOMPARE(rec.reports[0].tags, (Analytics::Parameters{{QStringLiteral("category"), QStringLiteral("playerStore.load")}}));
        QCOMPARE(rec.reports[1].tags, (Analytics::Parameters{{QStringLiteral("category"), QStringLiteral("auth")},
                                                            {QStringLiteral("method"), QStringLiteral("magicLink")}}));
        QCOMPARE(rec.reports[2].kind, QStringLiteral("event"));
        QCOMPARE(rec.reports[2].level, Analytics::Level::warning);
        QCOMPARE(rec.reports[2].text, QStringLiteral("CDP parse failure: missing popup-read-expression-result"));
        QCOMPARE(rec.reports[2].tags, (Analytics::Parameters{{QStringLiteral("category"), QStringLiteral("cdp.parse")},
                                                            {QStringLiteral("missingKey"), QStringLiteral("popup-read-expression-result")}}));
    }

    void scrubRemovesSensitiveKeysOnly()
    {
        const QJsonObject event = QJsonDocument::fromJson(R"({
            "event_id": "abc",
            "user": {"id": "u1", "email": "a@b.c"},
            "extra": {"tableTitle": "NL 1/2", "frames": 12},
            "tags": {"player": "Ann", "Player": "kept", "category": "auth", "email": "a@b.c", "userId": "7"},
            "breadcrumbs": {"values": [
                {"message": "m", "data": {"table": "5", "stakes": "1/2", "handle": "h", "blindLabel": "b", "count": 2}},
                {"message": "no data"}
            ]}
        })").object();
        const QJsonObject expected = QJsonDocument::fromJson(R"({
            "event_id": "abc",
            "extra": {"frames": 12},
            "tags": {"Player": "kept", "category": "auth"},
            "breadcrumbs": {"values": [
                {"message": "m", "data": {"count": 2}},
                {"message": "no data"}
            ]}
        })").object();
        QCOMPARE(Analytics::scrub(event), expected);
        QCOMPARE(Analytics::sensitiveKeys().size(), 10);
        for (const QString &key : Analytics::sensitiveKeys()) {
            const QJsonObject scrubbed = Analytics::scrub(QJsonObject{{QLatin1String("extra"), QJsonObject{{key, 1}, {QLatin1String("keep"), 1}}}});
            QCOMPARE(scrubbed.value(QLatin1String("extra")).toObject().keys(), QStringList{QStringLiteral("keep")});
        }
    }

    void loggingClientsScrubBeforeSending()
    {
        // The default reporter runs the hook before anything would leave.
        Analytics::LoggingCrashReporter reporter;
        bool hookRan = false;
        Analytics::CrashReporterOptions options;
        options.beforeSend = [&](QJsonObject e) {
            hookRan = true;
            return Analytics::scrub(e);
        };
        reporter.start(options);
        reporter.captureError(QStringLiteral("boom"), {{QStringLiteral("player"), QStringLiteral("Ann")}});
        QVERIFY(hookRan);
    }
};

TARNWICK_TEST_MAIN(TestAnalytics)
#include "tst_analytics.moc"
