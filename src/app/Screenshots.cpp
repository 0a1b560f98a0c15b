#include "Screenshots.h"

#include "IsolatedGuiApp.h"
#include "ObjectTree.h"
#include "PlayerValues.h"
#include "TarnwickApp.h"
#include "common/Log.h"

#include <QDir>
#include <QEventLoop>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>

namespace {

// The screens are shown as they are; nothing is read.
class StillReader : public PlayerReader {
public:
    void startMonitoring() override {}
};

void settle(int milliseconds = 400)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

PlayerObservation observation(const QString &name, qint64 id, GameType type, const QString &table,
                              std::optional<PlayerStats> stats, const QString &title)
{
    PlayerObservation o;
    o.name = name;
    o.playerId = id;
    o.gameType = type;
    o.tableID = table;
    o.stats = stats;
    o.tableTitle = title;
    return o;
}

// Two tables with a few known opponents and their reads.
void fillFixtureStore(PlayerStore &store)
{
    const GameType ring{GameVariant::nlhe, GameMode::ring};
    const GameType tournament{GameVariant::plo, GameMode::tournament};
    struct Entry {
        QString name;
        qint64 id;
        GameType type;
        QString table;
        std::optional<PlayerStats> stats;
        QString note;
        std::optional<QStringList> types;
        std::optional<QStringList> tags;
        std::optional<PlayerColor> flag;
    };
    const QList<Entry> entries = {
        {QStringLiteral("RiverRat88"), 1001, ring, QStringLiteral("480112"), PlayerStats{38.4, 9.1, 1234},
         QStringLiteral("Calls any river bet. Never folds top pair."), QStringList{QStringLiteral("🐟")},
         QStringList{QStringLiteral("calls-down")}, std::nullopt},
        {QStringLiteral("Nitzsche"), 1002, ring, QStringLiteral("480112"), PlayerStats{14.2, 11.8, 15360},
         QString(), std::nullopt, std::nullopt, PlayerColor::blue},
        {QStringLiteral("<b>Mallory</b><img src=x>"), 1003, ring, QStringLiteral("480112"), PlayerStats{27.9, 22.5, 999},
         QStringLiteral("3-bets light from the button"), std::nullopt, QStringList{QStringLiteral("aggro"), QStringLiteral("3bet-wide")},
         PlayerColor::red},
        {QStringLiteral("Annika_K"), 1004, tournament, QStringLiteral("77031"), PlayerStats{22.0, 18.0, 310},
         QString(), QStringList{QStringLiteral("🦈")}, std::nullopt, std::nullopt},
        {QStringLiteral("bigstackbarry"), 1005, tournament, QStringLiteral("77031"), std::nullopt,
         QStringLiteral("shoves 15bb wide"), std::nullopt, QStringList{QStringLiteral("tilt-prone")}, PlayerColor::yellow},
    };
    for (const Entry &entry : entries) {
        const QString title = entry.type.mode == GameMode::ring ? QStringLiteral("NL Hold'em 0.5/1 - Table 12")
                                                                : QStringLiteral("Sunday PLO Bounty 10K (Table 4)");
        store.importObservation(observation(entry.name, entry.id, entry.type, entry.table, entry.stats, title), true);
        std::optional<Player> player = store.playerMatching(entry.name, entry.id, entry.type, entry.table);
        if (!player)
            continue;
        player->note = entry.note;
        player->villainTypes = entry.types;
        player->phraseTags = entry.tags;
        player->colorIndicator = entry.flag;
        store.updatePlayer(*player);
    }
}

} // namespace

namespace Screenshots {

int run(int argc, char **argv, const QString &directory)
{
    // Own settings and data folders: nothing of the user's is read or
    // written, and the first-run screens show.
    IsolatedGuiApp app(argc, argv);

    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "Cannot create %s\n", qPrintable(directory));
        return 1;
    }

    TarnwickApp::Options options;
    options.dataDirectory = app.homePath(QStringLiteral("data"));
    options.port = 1; // nothing listens there: the monitor stays offline
    options.launchClient = false;
    options.makeReader = [] { return std::make_unique<StillReader>(); };
    TarnwickApp shell(options);
    shell.makeObjects();

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/"));
    engine.load(QUrl(QStringLiteral("qrc:/Tarnwick/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    QObject *sidebar = ObjectTree::find(window, QStringLiteral("sidebar"));
    if (!window || !sidebar)
        return 1;

    int failures = 0;
    const auto shoot = [&](const QString &name) {
        settle();
        const QImage image = window->grabWindow();
        const QString path = QDir(directory).filePath(name + QStringLiteral(".png"));
        if (image.isNull() || !image.save(path)) {
            std::fprintf(stderr, "Could not write %s\n", qPrintable(path));
            ++failures;
            return;
        }
        std::printf("%s\n", qPrintable(path));
    };

    shoot(QStringLiteral("welcome"));
    shell.dismissWelcome();
    shoot(QStringLiteral("consent"));
    shell.continueConsent();

    const struct {
        const char *state;
        bool openTables;
        const char *name;
    } emptyStates[] = {
        {"offline", false, "empty-waiting"},
        {"ready", false, "empty-no-tables"},
        {"ready", true, "empty-no-players"},
        {"noFlag", false, "empty-no-flag"},
    };
    for (const auto &state : emptyStates) {
        sidebar->setProperty("monitorState", QString::fromLatin1(state.state));
        sidebar->setProperty("hasOpenTables", state.openTables);
        shoot(QString::fromLatin1(state.name));
    }

    fillFixtureStore(*shell.store());
    shoot(QStringLiteral("tables"));

    const std::optional<Player> opened = shell.store()->playerMatching(
        QStringLiteral("<b>Mallory</b><img src=x>"), 1003, GameType{}, QStringLiteral("480112"));
    if (opened && !opened->seatings.isEmpty()) {
        const Seating &seating = opened->seatings.first();
        QMetaObject::invokeMethod(sidebar, "openObservedRow", Q_ARG(QVariant, PlayerValues::rowID(*opened, seating)),
                                  Q_ARG(QVariant, seating.id()));
    }
    shoot(QStringLiteral("editor"));
    sidebar->setProperty("expandedRowID", QString());

    sidebar->setProperty("showSearch", true);
    shoot(QStringLiteral("search-hint"));
    shell.store()->setSearchQuery(QStringLiteral("an"));
    shoot(QStringLiteral("search-results"));
    shell.store()->setSearchQuery(QStringLiteral("  zz top "));
    shoot(QStringLiteral("search-no-matches"));

    window->setWidth(220);
    sidebar->setProperty("showSearch", false);
    shoot(QStringLiteral("tables-narrow"));
    return failures == 0 ? 0 : 1;
}

} // namespace Screenshots
