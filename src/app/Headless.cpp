#include "Headless.h"

#include "app/Launch.h"
#include "common/BuildConfig.h"
#include "common/Log.h"
#include "client/CWGMonitor.h"
#include "common/TerminationSignals.h"
#include "model/PlayerJson.h"
#include "reader/CDPPlayerReader.h"
#include "reader/ReaderForwarder.h"
#include "store/PlayerStore.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace Headless {
namespace {
void emitEvent(const QString &name, QJsonObject members)
{
    members.insert(QStringLiteral("event"), name);
    const QByteArray line = QJsonDocument(members).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

QJsonObject titlesJson(const QMap<QString, QString> &titles)
{
    QJsonObject object;
    for (auto it = titles.cbegin(); it != titles.cend(); ++it)
        object.insert(it.key(), it.value());
    return object;
}
} // namespace

QJsonObject observationJson(const PlayerObservation &observation)
{
    return QJsonObject{
        {QStringLiteral("name"), observation.name},
        {QStringLiteral("stats"), observation.stats ? QJsonValue(PlayerJson::toJson(*observation.stats)) : QJsonValue()},
        {QStringLiteral("gameType"), PlayerJson::toJson(observation.gameType)},
        {QStringLiteral("tableID"), observation.tableID},
        {QStringLiteral("tableTitle"), observation.tableTitle},
        {QStringLiteral("playerId"), observation.playerId ? QJsonValue(*observation.playerId) : QJsonValue()},
        {QStringLiteral("confidence"), observation.confidence},
        {QStringLiteral("needsConfirmation"), observation.needsConfirmation},
        {QStringLiteral("ambiguityGap"), double(observation.ambiguityGap)},
        {QStringLiteral("nameHeightPx"), observation.nameHeightPx},
    };
}

int run(int argc, char **argv, const Options &options)
{
    // stdout carries the events only.
    Log::setSink(Log::Sink::standardError);
    QCoreApplication app(argc, argv);
    quitOnTerminationSignals(&app);

    Launch::begin();
    PlayerStore store(options.dataDirectory);

    ReaderOptions readerOptions;
    readerOptions.port = options.port;
    CDPPlayerReader reader(readerOptions);
    // Connected after the forwarder, so each event is printed once the
    // store has taken it.
    ReaderForwarder forwarder(&reader, &store);

    QObject::connect(&reader, &PlayerReader::scanCountChanged, &app, [&reader] {
        if (const auto observation = reader.lastObservation())
            emitEvent(QStringLiteral("observation"), observationJson(*observation));
    });
    QObject::connect(&reader, &PlayerReader::liveTableIDsChanged, &app, [&reader] {
        if (const auto live = reader.liveTableIDs())
            emitEvent(QStringLiteral("liveTables"), {{QStringLiteral("tableIDs"), QJsonArray::fromStringList(*live)}});
    });
    QObject::connect(&reader, &PlayerReader::closedTableIDsChanged, &app, [&reader] {
        emitEvent(QStringLiteral("closedTables"),
                  {{QStringLiteral("tableIDs"), QJsonArray::fromStringList(reader.closedTableIDs())}});
    });
    QObject::connect(&reader, &PlayerReader::tableTitlesChanged, &app, [&reader] {
        emitEvent(QStringLiteral("titles"), {{QStringLiteral("titles"), titlesJson(reader.tableTitles())}});
    });
    QObject::connect(&reader, &PlayerReader::activeTableIDChanged, &app, [&reader] {
        const auto active = reader.activeTableID();
        emitEvent(QStringLiteral("activeTable"),
                  {{QStringLiteral("tableID"), active ? QJsonValue(*active) : QJsonValue()}});
    });

    // As the window does at start-up: watch the client, then start it when
    // it is not running.
    ClientLauncher launcher(ClientCommand::configured(), options.port);
    CWGMonitor monitor(&launcher);
    auto emitMonitorState = [&monitor] {
        emitEvent(QStringLiteral("monitor"), {{QStringLiteral("state"), monitor.stateName()}});
    };
    QObject::connect(&monitor, &CWGMonitor::stateChanged, &app, emitMonitorState);
    emitMonitorState();
    monitor.start();
    if (options.launchClient)
        launcher.ensureClientRunning();

    Log::line(QStringLiteral("Headless: reading the poker client at 127.0.0.1:") + QString::number(options.port)
              + QStringLiteral(", data in ") + store.dataDirectory());
    reader.startMonitoring();
    return app.exec();
}

} // namespace Headless
