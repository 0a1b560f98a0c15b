#include "app/CommandLine.h"
#include "app/Headless.h"
#include "app/Launch.h"
#include "app/ObjectTreeProbe.h"
#include "app/Screenshots.h"
#include "app/TarnwickApp.h"
#include "common/BuildConfig.h"
#include "common/TerminationSignals.h"
#include "store/PlayerStore.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QtQml/QQmlExtensionPlugin>

#include <cstdio>
#include <memory>

Q_IMPORT_QML_PLUGIN(TarnwickPlugin)

namespace {
void setApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
    QCoreApplication::setApplicationVersion(BuildConfig::version());
}

// Loads the store, writes the export file and exits; needs no display.
int runExport(int argc, char **argv, const CommandLine &options)
{
    QCoreApplication app(argc, argv);
    setApplicationIdentity();
    Launch::begin();
    PlayerStore store(options.dataDirectory);
    QString error;
    // A backup of a store that could not read its files would silently be
    // empty or incomplete: refuse it instead.
    if (const QStringList unreadable = store.unreadableFiles(); !unreadable.isEmpty())
        error = QStringLiteral("could not read %1").arg(unreadable.join(QStringLiteral(", ")));
    else
        store.exportData(options.exportFile, &error);
    if (!error.isEmpty()) {
        std::fputs(QStringLiteral("Export failed: %1\n").arg(error).toLocal8Bit().constData(), stderr);
        return 1;
    }
    return 0;
}

int runWindow(int argc, char **argv, const CommandLine &options)
{
    QGuiApplication app(argc, argv);
    setApplicationIdentity();
    quitOnTerminationSignals(&app);
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    Launch::begin();
    TarnwickApp shell({options.dataDirectory, options.port, options.launchClient, {}});
    shell.makeObjects();

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/"));
    QObject::connect(&engine, &QQmlApplicationEngine::objectCreationFailed, &app,
                     [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
    engine.load(QUrl(QStringLiteral("qrc:/Tarnwick/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    std::unique_ptr<ObjectTreeProbe> probe;
    if (const QString socket = qEnvironmentVariable(ObjectTreeProbe::environmentVariable); !socket.isEmpty())
        probe = std::make_unique<ObjectTreeProbe>(qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst()), socket);
    return app.exec();
}
} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    setApplicationIdentity();
    CommandLine options;
    QString message;
    int exitCode = 0;
    if (!options.parse(arguments, &message, &exitCode)) {
        std::fputs(message.toLocal8Bit().constData(), exitCode == 0 ? stdout : stderr);
        return exitCode;
    }
    if (options.mode == CommandLine::Mode::exportData)
        return runExport(argc, argv, options);
    if (options.mode == CommandLine::Mode::screenshots)
        return Screenshots::run(argc, argv, options.screenshotsDirectory);
    // Before any QGuiApplication: headless mode needs no display.
    if (options.mode == CommandLine::Mode::headless)
        return Headless::run(argc, argv, Headless::Options{options.dataDirectory, options.port, options.launchClient});
    return runWindow(argc, argv, options);
}
