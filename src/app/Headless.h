#pragma once

#include "model/PlayerObservation.h"

#include <QJsonObject>
#include <QString>

// Headless mode: the reader, the store and the forwarding between them,
// without any window or display. Each event the reader publishes becomes one
// JSON object on its own line on stdout; the program's log lines go to
// stderr. The poker-client monitor runs too, and its state changes are events
// as well. SIGINT and SIGTERM end it with status 0.
namespace Headless {

struct Options {
    QString dataDirectory;
    quint16 port = 9222;
    // Start the client when it is not running, as the window does; without
    // it the client is only watched.
    bool launchClient = true;
};

// Runs until a termination signal; creates its own QCoreApplication.
int run(int argc, char **argv, const Options &options);

// The observation's members, as the "observation" event carries them.
QJsonObject observationJson(const PlayerObservation &observation);

} // namespace Headless
