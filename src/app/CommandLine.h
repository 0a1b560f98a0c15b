#pragma once

#include <QString>
#include <QStringList>

// The program's command line. Every option is valid in every mode; modes that
// need no window run without a display.
struct CommandLine {
    // window: the sidebar. exportData: write the export file and exit.
    enum class Mode { window, exportData, headless, screenshots };

    Mode mode = Mode::window;
    QString dataDirectory; // the folder holding players.json and the other files
    quint16 port = 9222;    // the poker client's DevTools port
    QString exportFile;     // --export: where the export file goes
    bool launchClient = true; // --no-launch: watch the client, never start or quit it
    QString screenshotsDirectory; // --screenshots: where the PNG files go

    // Parses arguments (including the program name). On failure returns
    // false with a message for stderr; for --help/--version the message is
    // the text to print and exitCode is 0.
    bool parse(const QStringList &arguments, QString *message, int *exitCode);
};
