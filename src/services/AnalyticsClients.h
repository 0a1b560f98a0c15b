#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>

#include <functional>

// The two outside clients the analytics layer drives. The program's own
// decisions (consent, configuration, scrubbing, vocabulary) live in
// Analytics; these interfaces are the transport seam, so tests can observe
// exactly what would leave the machine.
namespace Analytics {

using Parameters = QMap<QString, QString>;

class AnalyticsClient {
public:
    virtual ~AnalyticsClient();
    // Initialise with the app identifier and no other options.
    virtual void start(const QString &appId) = 0;
    // One usage event: a name and string parameters.
    virtual void send(const QString &name, const Parameters &parameters) = 0;
};

enum class Level { debug, info, warning, error, fatal };
QString levelName(Level level);

struct CrashReporterOptions {
    QString dsn;
    bool tracingEnabled = false;
    bool sendDefaultPii = false;
    double appHangTimeoutSeconds = 5.0;
    // Applied to every event before it is sent. Events are JSON objects in
    // the crash service's event shape ("user", "extra", "tags",
    // "breadcrumbs": {"values": [{"data": {...}}]}).
    std::function<QJsonObject(QJsonObject)> beforeSend;
};

class CrashReporter {
public:
    virtual ~CrashReporter();
    virtual void start(const CrashReporterOptions &options) = 0;
    virtual void captureError(const QString &error, const Parameters &tags) = 0;
    virtual void captureEvent(Level level, const QString &message, const Parameters &tags) = 0;
};

// Until the network transports exist, the default clients only log what they
// would send, on the tarnwick.services category.
class LoggingAnalyticsClient final : public AnalyticsClient {
public:
    void start(const QString &appId) override;
    void send(const QString &name, const Parameters &parameters) override;
};

class LoggingCrashReporter final : public CrashReporter {
public:
    void start(const CrashReporterOptions &options) override;
    void captureError(const QString &error, const Parameters &tags) override;
    void captureEvent(Level level, const QString &message, const Parameters &tags) override;

private:
    void submit(QJsonObject event);
    CrashReporterOptions m_options;
};

} // namespace Analytics
