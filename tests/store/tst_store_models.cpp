#include "StoreFixture.h"
#include "store/SearchResultModel.h"
#include "store/TableSectionModel.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {
// The keyed refresh on its own, over plain strings.
class StringModel : public KeyedListModel {
public:
    QStringList items;
    int updates = 0;

    void set(const QStringList &next)
    {
        const auto key = [](const QString &s) { return s; };
        refreshRows(items, next, key, key, key, [this](int, const QString &) { ++updates; });
    }
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(items.size()); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(items.at(index.row())) : QVariant();
    }
};

QStringList column(const QAbstractItemModel &model, int role)
{
    QStringList values;
    for (int i = 0; i < model.rowCount(); ++i)
        values.append(model.data(model.index(i, 0), role).toString());
    return values;
}

struct ResetWatch {
    QSignalSpy resets;
    explicit ResetWatch(QAbstractItemModel *model) : resets(model, &QAbstractItemModel::modelReset) {}
};
} // namespace

class TestStoreModels : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyedRefreshReachesAnyOrder();
    void importIntoTheSamePlayerKeepsRows();
    void sectionsFollowTablesAndOrder();
    void sectionHeaderRoles();
    void searchResults();
};

void TestStoreModels::keyedRefreshReachesAnyOrder()
{
    StringModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ResetWatch watch(&model);
    auto *random = QRandomGenerator::global();
    const QStringList pool{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s, u"g"_s, u"h"_s};
    for (int round = 0; round < 300; ++round) {
        QStringList next;
        for (const QString &key : pool)
            if (random->bounded(3) != 0)
                next.append(key);
        std::shuffle(next.begin(), next.end(), *random);
        QList<QPersistentModelIndex> kept;
        for (int i = 0; i < model.rowCount(); ++i)
            kept.append(QPersistentModelIndex(model.index(i, 0)));
        const QStringList before = model.items;
        model.set(next);
        QCOMPARE(model.items, next);
        // Rows that stayed are still reached through their old indexes.
        for (qsizetype i = 0; i < kept.size(); ++i) {
            if (next.contains(before.at(i))) {
                QVERIFY(kept.at(i).isValid());
                QCOMPARE(kept.at(i).data().toString(), before.at(i));
            } else {
                QVERIFY(!kept.at(i).isValid());
            }
        }
    }
    QCOMPARE(watch.resets.size(), 0);
}

void TestStoreModels::importIntoTheSamePlayerKeepsRows()
{
    StoreFixture f;
    const Player neo = makePlayer(u"Neo#1"_s, {u"NLHE Ring|5"_s}, f.time);
    const Player ann = makePlayer(u"Ann#2"_s, {u"NLHE Ring|5"_s}, f.time.addSecs(-10));
    PlayerStore &store = f.openWith({neo, ann});
    TableSectionModel sections(&store);
    QAbstractItemModelTester sectionTester(&sections, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(column(sections, TableSectionModel::TableKeyRole), QStringList{u"NLHE Ring|5"_s});
    TableRowModel *rows = sections.rowsOf(u"NLHE Ring|5"_s);
    QVERIFY(rows);
    QCOMPARE(sections.data(sections.index(0), TableSectionModel::RowsRole).value<QObject *>(), rows);
    QAbstractItemModelTester rowTester(rows, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(column(*rows, PlayerRoles::NameRole), (QStringList{u"Neo"_s, u"Ann"_s}));

    ResetWatch sectionResets(&sections);
    ResetWatch rowResets(rows);
    QSignalSpy rowsRemoved(rows, &QAbstractItemModel::rowsRemoved);
    QSignalSpy rowsInserted(rows, &QAbstractItemModel::rowsInserted);
    QSignalSpy rowsMoved(rows, &QAbstractItemModel::rowsMoved);
    QSignalSpy rowChanged(rows, &QAbstractItemModel::dataChanged);
    const QPersistentModelIndex editorRow(rows->index(0));

    // The editor is open on Neo; new figures arrive for Neo.
    f.advance(1000);
    PlayerObservation o = observation(u"Neo"_s, 1, nlheRing, u"5"_s);
    o.stats = PlayerStats{31, 22, 400};
    store.importObservation(o);
    QCOMPARE(rowsRemoved.size(), 0);
    QCOMPARE(rowsInserted.size(), 0);
    QCOMPARE(rowsMoved.size(), 0);
    QCOMPARE(rowChanged.size(), 1);
    QVERIFY(editorRow.isValid());
    QCOMPARE(editorRow.row(), 0);
    QCOMPARE(editorRow.data(PlayerRoles::VpipRole).toDouble(), 31.0);
    QCOMPARE(editorRow.data(TableRowModel::RowIdRole).toString(),
             PlayerJson::uuidText(neo.id) + u"|NLHE Ring|5"_s);
    QCOMPARE(sections.rowsOf(u"NLHE Ring|5"_s), rows);

    // Ann is seen now: she becomes the most recent row and moves up.
    f.advance(1000);
    store.importObservation(observation(u"Ann"_s, 2, nlheRing, u"5"_s));
    QCOMPARE(column(*rows, PlayerRoles::NameRole), (QStringList{u"Ann"_s, u"Neo"_s}));
    QCOMPARE(rowsMoved.size(), 1);
    QCOMPARE(editorRow.row(), 1);
    QCOMPARE(editorRow.data(PlayerRoles::NameRole).toString(), u"Neo"_s);

    // A newcomer is inserted; nobody is removed.
    f.advance(1000);
    store.importObservation(observation(u"Zoe"_s, 3, nlheRing, u"5"_s));
    QCOMPARE(rowsInserted.size(), 1);
    QCOMPARE(column(*rows, PlayerRoles::NameRole), (QStringList{u"Zoe"_s, u"Ann"_s, u"Neo"_s}));
    QCOMPARE(rowsRemoved.size(), 0);
    QCOMPARE(sectionResets.resets.size(), 0);
    QCOMPARE(rowResets.resets.size(), 0);
    QCOMPARE(sections.data(sections.index(0), TableSectionModel::RowCountRole).toInt(), 3);
}

void TestStoreModels::sectionsFollowTablesAndOrder()
{
    StoreFixture f;
    PlayerStore &store = f.openWith({makePlayer(u"a"_s, {u"NLHE Ring|A"_s}, f.time.addSecs(2)),
                                     makePlayer(u"b"_s, {u"NLHE Ring|B"_s}, f.time.addSecs(1)),
                                     makePlayer(u"c"_s, {u"PLO Tournament|C"_s}, f.time.addSecs(3))});
    TableSectionModel sections(&store);
    QAbstractItemModelTester tester(&sections, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ResetWatch watch(&sections);
    QCOMPARE(column(sections, TableSectionModel::TableKeyRole),
             (QStringList{u"PLO Tournament|C"_s, u"NLHE Ring|A"_s, u"NLHE Ring|B"_s}));
    TableRowModel *rowsOfB = sections.rowsOf(u"NLHE Ring|B"_s);
    const QPersistentModelIndex sectionB(sections.index(2));

    QSignalSpy moved(&sections, &QAbstractItemModel::rowsMoved);
    store.moveTableCard(u"NLHE Ring|B"_s, u"PLO Tournament|C"_s);
    QCOMPARE(column(sections, TableSectionModel::TableKeyRole),
             (QStringList{u"NLHE Ring|B"_s, u"PLO Tournament|C"_s, u"NLHE Ring|A"_s}));
    QCOMPARE(moved.size(), 1);
    QCOMPARE(sectionB.row(), 0);
    QCOMPARE(sections.rowsOf(u"NLHE Ring|B"_s), rowsOfB);

    QSignalSpy removed(&sections, &QAbstractItemModel::rowsRemoved);
    store.markTablesClosed({u"C"_s});
    QCOMPARE(column(sections, TableSectionModel::TableKeyRole), (QStringList{u"NLHE Ring|B"_s, u"NLHE Ring|A"_s}));
    QCOMPARE(removed.size(), 1);

    QSignalSpy inserted(&sections, &QAbstractItemModel::rowsInserted);
    f.advance(10'000);
    store.importObservation(observation(u"d"_s, 4, ploRing, u"D"_s));
    // The drag listed every table then shown; a new table comes after them.
    QCOMPARE(column(sections, TableSectionModel::TableKeyRole),
             (QStringList{u"NLHE Ring|B"_s, u"NLHE Ring|A"_s, u"PLO Ring|D"_s}));
    QCOMPARE(inserted.size(), 1);

    store.setSearchQuery(u"a"_s);
    QCOMPARE(column(sections, TableSectionModel::TableKeyRole), QStringList{u"NLHE Ring|A"_s});
    store.setSearchQuery(QString());
    QCOMPARE(sections.rowCount(), 3);
    QCOMPARE(watch.resets.size(), 0);
}

void TestStoreModels::sectionHeaderRoles()
{
    StoreFixture f;
    TestSupport::writeFile(f.dir.filePath(u"table-titles.json"_s),
                           R"({"NLHE Tournament|9":"Sunday | 2500 chips | turbo"})");
    PlayerStore &store = f.openWith({makePlayer(u"a"_s, {u"NLHE Tournament|9"_s, u"-NLHE Ring|1"_s}, f.time),
                                     makePlayer(u"b"_s, {u"-NLHE Tournament|9"_s, u"NLHE Ring|1"_s}, f.time)});
    TableSectionModel sections(&store);
    QAbstractItemModelTester tester(&sections, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const int i = sections.indexOfSection(u"NLHE Tournament|9"_s);
    QVERIFY(i >= 0);
    const QModelIndex index = sections.index(i);
    QCOMPARE(index.data(TableSectionModel::TableIDRole).toString(), u"9"_s);
    QCOMPARE(index.data(TableSectionModel::GameTypeRole).toString(), u"NLHE Tournament"_s);
    QCOMPARE(index.data(TableSectionModel::ModeRole).toString(), u"Tournament"_s);
    QCOMPARE(index.data(TableSectionModel::WindowTitleRole).toString(), u"Sunday | 2500 chips | turbo"_s);
    QCOMPARE(index.data(TableSectionModel::ShortTitleRole).toString(), u"2500 Chips Turbo"_s);
    QCOMPARE(index.data(TableSectionModel::RowCountRole).toInt(), 2);
    QCOMPARE(index.data(TableSectionModel::ActiveCountRole).toInt(), 1);
    QCOMPARE(sections.roleNames().value(TableSectionModel::RowsRole), QByteArray("rows"));

    QSignalSpy changed(&sections, &QAbstractItemModel::dataChanged);
    PlayerObservation o = observation(u"a"_s, std::nullopt, nlheTournament, u"9"_s);
    o.tableTitle = u"Monday | hyper"_s;
    store.importObservation(o);
    QVERIFY(!changed.isEmpty());
    QCOMPARE(sections.index(sections.indexOfSection(u"NLHE Tournament|9"_s)).data(TableSectionModel::ShortTitleRole)
                 .toString(),
             u"Hyper"_s);
}

void TestStoreModels::searchResults()
{
    StoreFixture f;
    PlayerStore &store = f.openWith({makePlayer(u"Bob"_s, {u"NLHE Ring|1"_s}, f.time),
                                     makePlayer(u"José"_s, {}, f.time),
                                     makePlayer(u"Bobby"_s, {u"-NLHE Ring|1"_s}, f.time)});
    SearchResultModel results(&store);
    QAbstractItemModelTester tester(&results, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ResetWatch watch(&results);
    QCOMPARE(column(results, PlayerRoles::NameRole), (QStringList{u"Bob"_s, u"José"_s, u"Bobby"_s}));

    store.setSearchQuery(u"b0b"_s);
    QCOMPARE(column(results, PlayerRoles::NameRole), (QStringList{u"Bob"_s, u"Bobby"_s}));
    const QPersistentModelIndex bobby(results.index(1));
    QCOMPARE(results.indexOfPlayer(bobby.data(PlayerRoles::IdRole).toString()), 1);

    QSignalSpy changed(&results, &QAbstractItemModel::dataChanged);
    Player edited = bobby.data(PlayerRoles::PlayerRole).value<Player>();
    edited.note = u"check-raises flops"_s;
    store.updatePlayer(edited);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(bobby.data(PlayerRoles::NoteRole).toString(), u"check-raises flops"_s);
    QCOMPARE(bobby.data(SearchResultModel::SeatingCountRole).toInt(), 1);

    store.setSearchQuery(u"jose"_s);
    QCOMPARE(column(results, PlayerRoles::NameRole), QStringList{u"José"_s});
    QVERIFY(!bobby.isValid());
    store.setSearchQuery(QString());
    QCOMPARE(results.rowCount(), 3);
    QCOMPARE(watch.resets.size(), 0);
}

TARNWICK_TEST_MAIN(TestStoreModels)
#include "tst_store_models.moc"
