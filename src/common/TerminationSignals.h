#pragma once

class QCoreApplication;

// Ends the event loop with status 0 on SIGINT and SIGTERM, so the program
// exits cleanly (destructors run, stdout is flushed) when asked to stop.
// Uses the self-pipe pattern: the handler only writes one byte.
void quitOnTerminationSignals(QCoreApplication *app);
