#include "TestSupport.h"

#include "services/Analytics.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace TestSupport {

void isolateEnvironment()
{
    // Lives for the whole process; removed at exit.
    static QTemporaryDir root;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath(QStringLiteral("data"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(root.filePath(QStringLiteral("cache"))));
    const QString runtime = root.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void setSetting(const QString &key, const QVariant &value)
{
    QSettings settings;
    settings.setValue(key, value);
    settings.sync();
}

void clearSettings()
{
    QSettings settings;
    settings.clear();
    settings.sync();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

LogCapture::LogCapture()
{
    Log::setCapture([this](const QString &line) { lines.append(line); });
}

LogCapture::~LogCapture() { Log::setCapture(nullptr); }

RecordingAnalytics::RecordingAnalytics()
{
    Analytics::setAnalyticsClient(this);
    Analytics::setCrashReporter(this);
}

RecordingAnalytics::~RecordingAnalytics()
{
    Analytics::setAnalyticsClient(nullptr);
    Analytics::setCrashReporter(nullptr);
}

void RecordingAnalytics::start(const QString &appId)
{
    startedAppIds.append(appId);
    order.append(QStringLiteral("analytics.start"));
}

void RecordingAnalytics::send(const QString &name, const Analytics::Parameters &parameters)
{
    signals_.append({name, parameters});
    order.append(QStringLiteral("signal:") + name);
}

void RecordingAnalytics::start(const Analytics::CrashReporterOptions &options)
{
    crashStarts.append(options);
    order.append(QStringLiteral("crash.start"));
}

void RecordingAnalytics::captureError(const QString &error, const Analytics::Parameters &tags)
{
    reports.append({QStringLiteral("error"), error, Analytics::Level::error, tags});
    order.append(QStringLiteral("report:error"));
}

void RecordingAnalytics::captureEvent(Analytics::Level level, const QString &message, const Analytics::Parameters &tags)
{
    reports.append({QStringLiteral("event"), message, level, tags});
    order.append(QStringLiteral("report:event"));
}

} // namespace TestSupport
