#pragma once

#include "common/Log.h"
#include "services/AnalyticsClients.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

// Every test process gets its own settings and data folders (XDG_CONFIG_HOME,
// XDG_DATA_HOME) before Qt reads them, so tests never touch the user's files
// and can run in parallel. Use TARNWICK_TEST_MAIN instead of QTEST_MAIN.
namespace TestSupport {

void isolateEnvironment();

// Sets the boolean settings keys (consent and the like) for this process.
void setSetting(const QString &key, const QVariant &value);
void clearSettings();

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

// Collects the program's fixed log lines while alive.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    QStringList lines;
};

// Records what the analytics layer hands to its clients; installs itself
// while alive.
class RecordingAnalytics final : public Analytics::AnalyticsClient, public Analytics::CrashReporter {
public:
    RecordingAnalytics();
    ~RecordingAnalytics() override;

    struct Signal {
        QString name;
        Analytics::Parameters parameters;
    };
    struct Report {
        QString kind; // "error" or "event"
        QString text; // the error, or the event's message
        Analytics::Level level = Analytics::Level::error;
        Analytics::Parameters tags;
    };

    QStringList startedAppIds;
    QList<Analytics::CrashReporterOptions> crashStarts;
    QList<Signal> signals_;
    QList<Report> reports;
    QStringList order; // "analytics.start", "crash.start", "signal:<name>", ...

    void start(const QString &appId) override;
    void send(const QString &name, const Analytics::Parameters &parameters) override;
    void start(const Analytics::CrashReporterOptions &options) override;
    void captureError(const QString &error, const Analytics::Parameters &tags) override;
    void captureEvent(Analytics::Level level, const QString &message, const Analytics::Parameters &tags) override;
};

} // namespace TestSupport

#define TARNWICK_TEST_MAIN(TestObject)                                                                      \
    int main(int argc, char **argv)                                                                         \
    {                                                                                                       \
        TestSupport::isolateEnvironment();                                                                  \
        QGuiApplicationOrCore app(argc, argv);                                                              \
        QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));                                  \
        QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));                                   \
        TestObject tc;                                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                          \
        return QTest::qExec(&tc, argc, argv);                                                               \
    }

#ifdef QT_GUI_LIB
#include <QGuiApplication>
using QGuiApplicationOrCore = QGuiApplication;
#else
#include <QCoreApplication>
using QGuiApplicationOrCore = QCoreApplication;
#endif
