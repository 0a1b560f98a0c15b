// Runs the real program's export mode, as backup scripts do.
#include "StoreFixture.h"

#include <QProcess>

using namespace Qt::StringLiterals;

class TestExportCommand : public QObject {
    Q_OBJECT

private:
    struct Run {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };

    static Run run(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // No display of any kind: the export must not need one.
        env.remove(u"QT_QPA_PLATFORM"_s);
        env.remove(u"DISPLAY"_s);
        env.remove(u"WAYLAND_DISPLAY"_s);
        env.insert(u"TARNWICK_VERSION"_s, u"7.8.9"_s);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(TARNWICK_BINARY), arguments);
        if (!process.waitForFinished(60'000))
            qFatal("tarnwick did not finish");
        Run result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

private Q_SLOTS:
    void writesTheExport();
    void unwritableFileFails();
    void unreadableStoreIsNotExported();
    void missingFileNameIsAnError();
};

void TestExportCommand::writesTheExport()
{
    StoreFixture f;
    Player a = makePlayer(u"Alpha#1"_s, {u"NLHE Ring|1"_s}, f.time);
    a.note = u"3-bets light"_s;
    f.openWith({a, makePlayer(u"Beta"_s, {}, f.time)});
    f.store.reset();
    const QString target = f.dir.filePath(u"backup.json"_s);

    const Run r = run({u"--export"_s, target, u"--data-dir"_s, f.dir.path()});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(TestSupport::readFile(target), &parseError);
    QCOMPARE(parseError.error, QJsonParseError::NoError);
    const QJsonObject root = doc.object();
    QCOMPARE(root[u"schemaVersion"_s].toInt(), 1);
    QCOMPARE(root[u"appVersion"_s].toString(), u"7.8.9"_s);
    const QJsonArray players = root[u"players"_s].toArray();
    QCOMPARE(players.size(), 2);
    QCOMPARE(players.at(0)[u"note"_s].toString(), u"3-bets light"_s);
    QCOMPARE(players.at(0)[u"createdAt"_s].toString(), u"2025-01-31T14:02:11Z"_s);
    QCOMPARE(root[u"settings"_s][u"phraseTagCatalog"_s].toArray().size(), 5);
    // The data folder is only read.
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), (QStringList{u"backup.json"_s, u"players.json"_s}));
}

void TestExportCommand::unwritableFileFails()
{
    StoreFixture f;
    const QString target = f.dir.filePath(u"no/such/folder/backup.json"_s);
    const Run r = run({u"--data-dir"_s, f.dir.path(), u"--export"_s, target});
    QVERIFY(r.exitCode != 0);
    QVERIFY2(r.err.startsWith("Export failed: "), r.err.constData());
    QVERIFY(r.err.contains(target.toLocal8Bit()));
    QVERIFY(!QFile::exists(target));
}

void TestExportCommand::unreadableStoreIsNotExported()
{
    StoreFixture f;
    TestSupport::writeFile(f.playersPath(), "[{\"broken\": ");
    const QString target = f.dir.filePath(u"backup.json"_s);
    const Run r = run({u"--export"_s, target, u"--data-dir"_s, f.dir.path()});
    QVERIFY(r.exitCode != 0);
    QVERIFY2(r.err.contains("players.json"), r.err.constData());
    QVERIFY(r.out.startsWith("Failed to load players: "));
    QVERIFY(!QFile::exists(target));
    // The unreadable file is left as it was.
    QCOMPARE(TestSupport::readFile(f.playersPath()), QByteArray("[{\"broken\": "));
}

void TestExportCommand::missingFileNameIsAnError()
{
    const Run r = run({u"--export"_s});
    QVERIFY(r.exitCode != 0);
    QVERIFY(!r.err.isEmpty());
}

TARNWICK_TEST_MAIN(TestExportCommand)
#include "tst_export_command.moc"
