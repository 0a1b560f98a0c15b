#include "app/CommandLine.h"
#include "app/Launch.h"
#include "app/WindowBehaviorController.h"
#include "common/BuildConfig.h"
#include "common/TerminationSignals.h"
#include "store/PlayerStore.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>
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

int runWindow(int argc, char **argv, const CommandLine &options)
{
    QGuiApplication app(argc, argv);
    setApplicationIdentity();
    quitOnTerminationSignals(&app);
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    const Launch::State launch = Launch::begin();
    Q_UNUSED(launch);
    auto store = std::make_unique<PlayerStore>(options.dataDirectory);

    WindowBehaviorController windowBehavior;
    qmlRegisterSingletonInstance("Tarnwick", 1, 0, "Store", store.get());

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/"));
    QObject::connect(&engine, &QQmlApplicationEngine::objectCreationFailed, &app,
                     [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
    engine.load(QUrl(QStringLiteral("qrc:/Tarnwick/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    windowBehavior.setWindow(qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst()));
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
    return runWindow(argc, argv, options);
}
