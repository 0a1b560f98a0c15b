#include "CommandLine.h"

#include "common/BuildConfig.h"
#include "store/PlayerStore.h"

#include <QCommandLineParser>

bool CommandLine::parse(const QStringList &arguments, QString *message, int *exitCode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tarnwick: reads your poker tables and keeps your reads on every opponent."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption dataDirOption(QStringLiteral("data-dir"),
                                           QStringLiteral("Folder that holds players.json and the other data files (default: %1).")
                                               .arg(PlayerStore::defaultDataDirectory()),
                                           QStringLiteral("DIR"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("DevTools port of the poker client (default: 9222)."),
                                        QStringLiteral("N"), QStringLiteral("9222"));
    const QCommandLineOption exportOption(QStringLiteral("export"),
                                          QStringLiteral("Write every saved player and the catalogs to FILE as JSON, then exit."),
                                          QStringLiteral("FILE"));
    parser.addOption(dataDirOption);
    parser.addOption(portOption);
    parser.addOption(exportOption);
    const QCommandLineOption headlessOption(
        QStringLiteral("headless"),
        QStringLiteral("Read the poker client without a window: one JSON object per event on stdout, log lines on stderr."));
    parser.addOption(headlessOption);
    const QCommandLineOption noLaunchOption(
        QStringLiteral("no-launch"),
        QStringLiteral("Watch the poker client, but never start or quit it."));
    parser.addOption(noLaunchOption);
    const QCommandLineOption screenshotsOption(
        QStringLiteral("screenshots"),
        QStringLiteral("Render the main screens with a small fixture database to PNG files in DIR (offscreen), then exit."),
        QStringLiteral("DIR"));
    parser.addOption(screenshotsOption);

    *exitCode = 1;
    if (!parser.parse(arguments)) {
        *message = parser.errorText() + QLatin1Char('\n');
        return false;
    }
    if (parser.isSet(helpOption)) {
        *message = parser.helpText();
        *exitCode = 0;
        return false;
    }
    if (parser.isSet(versionOption)) {
        *message = QStringLiteral("Tarnwick %1\n").arg(BuildConfig::version());
        *exitCode = 0;
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *message = QStringLiteral("Unexpected argument: %1\n").arg(parser.positionalArguments().first());
        return false;
    }

    dataDirectory = parser.isSet(dataDirOption) ? parser.value(dataDirOption) : PlayerStore::defaultDataDirectory();
    bool ok = false;
    const uint value = parser.value(portOption).toUInt(&ok);
    if (!ok || value == 0 || value > 65535) {
        *message = QStringLiteral("Invalid port: %1\n").arg(parser.value(portOption));
        return false;
    }
    port = quint16(value);
    launchClient = !parser.isSet(noLaunchOption);
    mode = Mode::window;
    if (parser.isSet(exportOption)) {
        exportFile = parser.value(exportOption);
        if (exportFile.isEmpty()) {
            *message = QStringLiteral("--export needs a file name\n");
            return false;
        }
        mode = Mode::exportData;
    }
    if (parser.isSet(headlessOption)) {
        if (mode == Mode::exportData) {
            *message = QStringLiteral("--headless and --export cannot be combined\n");
            return false;
        }
        mode = Mode::headless;
    }
    if (parser.isSet(screenshotsOption)) {
        if (mode != Mode::window) {
            *message = QStringLiteral("--screenshots cannot be combined with another mode\n");
            return false;
        }
        screenshotsDirectory = parser.value(screenshotsOption);
        mode = Mode::screenshots;
    }
    return true;
}
