#include "../support/pipe_watch.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <sqlite3.h>
#include <unistd.h>

Q_DECLARE_METATYPE(DbError::Kind)

namespace {
// Valve rows as a series table holds them, deliberately not in size order in the file.
std::shared_ptr<Database> makeValves(const QString &path)
{
    auto db = Database::create(path);
    db->createTable(QStringLiteral("4627_71"), {{QStringLiteral("DN"), FieldType::Integer},
                                                {QStringLiteral("Kvs"), FieldType::Single},
                                                {QStringLiteral("Stellverhältnis"), FieldType::Double},
                                                {QStringLiteral("Bez"), FieldType::Text}});
    auto rs = db->openTable(QStringLiteral("4627_71"));
    const struct { int dn; float kvs; const char *bez; } rows[] = {
        {25, 10.0f, "c"}, {15, 2.5f, "a"}, {50, 40.0f, "e"}, {15, 1.0f, "b"}, {40, 25.0f, "d"}};
    for (const auto &r : rows) {
        rs->addNew();
        rs->setField(QStringLiteral("DN"), r.dn);
        rs->setField(QStringLiteral("Kvs"), r.kvs);
        rs->setField(QStringLiteral("Stellverhältnis"), 50.0);
        rs->setField(QStringLiteral("Bez"), r.bez);
        rs->update();
    }
    db->createIndex(QStringLiteral("4627_71"), QStringLiteral("PrimaryKey"), {QStringLiteral("DN"), QStringLiteral("Kvs")},
                    true);
    db->createIndex(QStringLiteral("4627_71"), QStringLiteral("ByBez"), {QStringLiteral("Bez")}, false);
    return db;
}

QString walk(Recordset &rs, const QString &field = QStringLiteral("Bez"))
{
    QString out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out += rs.field(field).toString();
    return out;
}

// A statement run on the connection around the layer.
void around(Database &db, const char *sql)
{
    QCOMPARE(sqlite3_exec(db.handle(), sql, nullptr, nullptr, nullptr), SQLITE_OK);
}

DbError::Kind errorOf(const std::function<void()> &f, QString *text = nullptr)
{
    try {
        f();
    } catch (const DbError &e) {
        if (text)
            *text = e.text();
        return e.kind();
    }
    return DbError::Kind(-1);
}
} // namespace

class TestRecordset : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    int counter = 0;
    QString freshPath() { return dir.filePath(QStringLiteral("t%1.mdb").arg(++counter)); }

private slots:
    void cleanup() { numtext::resetUserLocale(); }

    void storedAndIndexOrder()
    {
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        QCOMPARE(walk(*rs), QStringLiteral("caebd"));
        QCOMPARE(rs->recordCount(), 5L);
        rs->setIndex(QStringLiteral("primarykey")); // index names compare case-insensitively
        QCOMPARE(rs->index(), QStringLiteral("PrimaryKey"));
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("b")); // setIndex moves to the first row
        QCOMPARE(walk(*rs), QStringLiteral("bacde"));
        rs->moveLast();
        QString back;
        for (; !rs->bof(); rs->movePrevious())
            back += rs->field(QStringLiteral("Bez")).toString();
        QCOMPARE(back, QStringLiteral("edcab"));
        rs->setIndex(QString());
        QCOMPARE(walk(*rs), QStringLiteral("caebd"));
    }

    void equalIndexKeysKeepStoredOrder()
    {
        auto db = Database::create(freshPath());
        db->createTable(QStringLiteral("t"), {{QStringLiteral("k"), FieldType::Long}, {QStringLiteral("v"), FieldType::Text}});
        db->createIndex(QStringLiteral("t"), QStringLiteral("ix"), {QStringLiteral("k")}, false);
        auto rs = db->openTable(QStringLiteral("t"));
        for (auto [k, v] : std::vector<std::pair<int, const char *>>{{2, "x"}, {1, "y"}, {2, "z"}, {1, "w"}}) {
            rs->addNew();
            rs->setField(QStringLiteral("k"), k);
            rs->setField(QStringLiteral("v"), v);
            rs->update();
        }
        rs->setIndex(QStringLiteral("ix"));
        QCOMPARE(walk(*rs, QStringLiteral("v")), QStringLiteral("ywxz"));
        QVERIFY(rs->seek(Variant(2)));
        QCOMPARE(rs->field(QStringLiteral("v")).toString(), QStringLiteral("x")); // first match in index order
    }

    void storedOrderAfterDeletesAndInserts()
    {
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        rs->moveFirst();
        rs->moveNext(); // "a"
        rs->deleteRecord();
        QVERIFY(!rs->eof());
        QVERIFY(!rs->bof());
        QCOMPARE(errorOf([&] { rs->field(QStringLiteral("Bez")); }), DbError::Kind::NoCurrentRecord);
        rs->moveNext();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("e")); // the row after the deleted one
        rs->moveLast();
        rs->deleteRecord(); // the last row: "d"
        rs->movePrevious();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("b"));
        rs->addNew();
        rs->setField(QStringLiteral("DN"), 80);
        rs->setField(QStringLiteral("Bez"), "f");
        rs->update();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("b")); // current row unchanged by addNew
        QCOMPARE(walk(*rs), QStringLiteral("cebf"));
        QCOMPARE(rs->recordCount(), 4L);
    }

    void positionRulesAtTheEnds()
    {
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        rs->moveLast();
        rs->moveNext();
        QVERIFY(rs->eof());
        rs->moveNext(); // stays at eof
        QVERIFY(rs->eof());
        rs->movePrevious();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("d"));
        rs->moveFirst();
        rs->movePrevious();
        QVERIFY(rs->bof());
        QVERIFY(!rs->eof());
        rs->moveNext();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("c"));

        db->createTable(QStringLiteral("leer"), {{QStringLiteral("x"), FieldType::Double}});
        auto empty = db->openTable(QStringLiteral("leer"));
        QVERIFY(empty->eof() && empty->bof());
        QCOMPARE(empty->recordCount(), 0L);
        empty->moveNext();
        empty->moveLast();
        QVERIFY(empty->eof() && empty->bof());
        QCOMPARE(errorOf([&] { empty->edit(); }), DbError::Kind::NoCurrentRecord);
        QCOMPARE(errorOf([&] { empty->deleteRecord(); }), DbError::Kind::NoCurrentRecord);
    }

    void seekHitAndMiss_data()
    {
        QTest::addColumn<QVariantList>("keys");
        QTest::addColumn<bool>("hit");
        QTest::addColumn<QString>("bez");
        QTest::newRow("both columns") << QVariantList{15, 2.5} << true << "a";
        QTest::newRow("leading column, first in index order") << QVariantList{15} << true << "b";
        QTest::newRow("numeric text key") << QVariantList{QStringLiteral("40")} << true << "d";
        QTest::newRow("missing size") << QVariantList{20} << false << "";
        QTest::newRow("second column differs") << QVariantList{25, 11.0} << false << "";
        QTest::newRow("text that is no number") << QVariantList{QStringLiteral("abc")} << false << "";
        QTest::newRow("null key") << QVariantList{QVariant()} << false << "";
    }

    void seekHitAndMiss()
    {
        QFETCH(QVariantList, keys);
        QFETCH(bool, hit);
        QFETCH(QString, bez);
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        rs->setIndex(QStringLiteral("PrimaryKey"));
        std::vector<Variant> k;
        for (const QVariant &q : keys) {
            if (!q.isValid())
                k.push_back(Variant::null());
            else if (q.typeId() == QMetaType::Int)
                k.push_back(Variant(q.toInt()));
            else if (q.typeId() == QMetaType::Double)
                k.push_back(Variant(q.toDouble()));
            else
                k.push_back(Variant(q.toString()));
        }
        QCOMPARE(rs->seek(k), hit);
        QCOMPARE(rs->noMatch(), !hit);
        if (hit) {
            QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), bez);
            // The walk goes on in index order from the found row.
            const QString order = QStringLiteral("bacde");
            rs->moveNext();
            const int next = order.indexOf(bez) + 1;
            if (next < order.size())
                QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), order.mid(next, 1));
            else
                QVERIFY(rs->eof());
        } else {
            QVERIFY(rs->eof());
            QCOMPARE(errorOf([&] { rs->field(QStringLiteral("Bez")); }), DbError::Kind::NoCurrentRecord);
        }
    }

    void seekOnTextKeysIsExactAndSeesNewRows()
    {
        auto db = Database::create(freshPath());
        db->createTable(QStringLiteral("strings_sprache"), {{QStringLiteral("strings_key"), FieldType::Text},
                                                            {QStringLiteral("strings_französisch"), FieldType::Text}});
        db->createIndex(QStringLiteral("strings_sprache"), QStringLiteral("PrimaryKey"), {QStringLiteral("strings_key")}, true);
        auto rs = db->openTable(QStringLiteral("STRINGS_SPRACHE"));
        rs->setIndex(QStringLiteral("PrimaryKey"));
        QVERIFY(!rs->seek(Variant("Druck")));
        auto writer = db->openTable(QStringLiteral("strings_sprache"));
        writer->addNew();
        writer->setField(QStringLiteral("strings_key"), "Druck");
        writer->setField(QStringLiteral("STRINGS_FRANZÖSISCH"), "Pression");
        writer->update();
        QVERIFY(rs->seek(Variant("Druck")));
        QCOMPARE(rs->field(QStringLiteral("Strings_Französisch")).toString(), QStringLiteral("Pression"));
        QVERIFY(!rs->seek(Variant("druck")));
        QVERIFY(!rs->seek(Variant("Druck ")));
    }

    void seekWithoutIndexFails()
    {
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        QCOMPARE(errorOf([&] { rs->seek(Variant(15)); }), DbError::Kind::NoSuchIndex);
    }

    void cloneIsIndependent()
    {
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        rs->setIndex(QStringLiteral("PrimaryKey"));
        rs->moveNext(); // "a"
        auto c = rs->clone();
        QCOMPARE(c->field(QStringLiteral("Bez")).toString(), QStringLiteral("a"));
        QCOMPARE(c->index(), QStringLiteral("PrimaryKey"));
        c->moveLast();
        QVERIFY(c->seek({Variant(50)}));
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("a"));
        QVERIFY(!rs->noMatch());
        // A row added through the clone is seen by the original, which stays where it was.
        c->addNew();
        c->setField(QStringLiteral("DN"), 20);
        c->setField(QStringLiteral("Bez"), "g");
        c->update();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("a"));
        rs->moveNext();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("g"));
        QCOMPARE(rs->recordCount(), 6L);
        // The row under the original is deleted through the clone.
        QVERIFY(c->seek({Variant(20)}));
        c->deleteRecord();
        QCOMPARE(errorOf([&] { rs->field(QStringLiteral("Bez")); }), DbError::Kind::NoCurrentRecord);
        rs->moveNext();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("c"));
    }

    void otherConnectionsWritesAreSeen()
    {
        const QString path = freshPath();
        auto db1 = makeValves(path);
        auto db2 = Database::open(path);
        auto r1 = db1->openTable(QStringLiteral("4627_71"));
        QCOMPARE(r1->recordCount(), 5L);
        auto r2 = db2->openTable(QStringLiteral("4627_71"));
        r2->addNew();
        r2->setField(QStringLiteral("DN"), 100);
        r2->setField(QStringLiteral("Bez"), "h");
        r2->update();
        QCOMPARE(r1->recordCount(), 6L);
        QCOMPARE(walk(*r1), QStringLiteral("caebdh"));
    }

    void fieldNamesAreCaseInsensitive_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("as declared") << QStringLiteral("Stellverhältnis");
        QTest::newRow("lower") << QStringLiteral("stellverhältnis");
        QTest::newRow("upper with umlaut") << QStringLiteral("STELLVERHÄLTNIS");
    }

    void fieldNamesAreCaseInsensitive()
    {
        QFETCH(QString, name);
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        QVERIFY(rs->hasField(name));
        QCOMPARE(rs->field(name).toDouble(), 50.0);
        QCOMPARE(rs->fieldType(name), FieldType::Double);
        QVERIFY(!rs->hasField(QStringLiteral("Stellverhaltnis")));
    }

    // A field's position, found by its name in any case, reads and writes that field in every row while the
    // recordset lives: in its clones, and after its rows were read anew. A recordset on a table made anew with
    // other columns finds the field where it is now.
    void fieldPositions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("situation");
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("value"); // of the first row, afterwards
        QTest::newRow("as declared") << QStringLiteral("Stellverhältnis") << 0 << 2 << 50.0;
        QTest::newRow("upper case with umlaut") << QStringLiteral("STELLVERHÄLTNIS") << 0 << 2 << 50.0;
        QTest::newRow("read through a clone") << QStringLiteral("stellverhältnis") << 1 << 2 << 50.0;
        QTest::newRow("row edited by another connection") << QStringLiteral("Stellverhältnis") << 2 << 2 << 75.0;
        QTest::newRow("written through the position") << QStringLiteral("Stellverhältnis") << 3 << 2 << 60.0;
        QTest::newRow("table made anew with other columns") << QStringLiteral("Stellverhältnis") << 4 << 0 << 80.0;
    }

    void fieldPositions()
    {
        QFETCH(QString, name);
        QFETCH(int, situation);
        QFETCH(int, position);
        QFETCH(double, value);
        const QString path = freshPath();
        auto db = makeValves(path);
        const QString valves = QStringLiteral("4627_71");
        auto rs = db->openTable(valves);
        QCOMPARE(rs->fieldIndex(name), 2);
        std::unique_ptr<Recordset> reader;
        switch (situation) {
        case 1:
            reader = rs->clone();
            break;
        case 2: {
            auto second = Database::open(path);
            auto other = second->openTable(valves);
            other->edit();
            other->setField(QStringLiteral("Stellverhältnis"), 75.0);
            other->update();
            break;
        }
        case 3:
            rs->edit();
            rs->setField(rs->fieldIndex(name), 60.0);
            rs->update();
            break;
        case 4:
            rs.reset();
            db->dropTable(valves);
            db->createTable(valves, {{QStringLiteral("Stellverhältnis"), FieldType::Double},
                                     {QStringLiteral("DN"), FieldType::Integer}});
            rs = db->openTable(valves);
            rs->addNew();
            rs->setField(QStringLiteral("DN"), 25);
            rs->setField(QStringLiteral("Stellverhältnis"), 80.0);
            rs->update();
            break;
        }
        Recordset &r = reader ? *reader : *rs;
        r.moveFirst();
        const int at = r.fieldIndex(name);
        QCOMPARE(at, position);
        QCOMPARE(r.field(at).toDouble(), value);
        QCOMPARE(r.field(at).toDouble(), r.field(name).toDouble());
        QCOMPARE(r.field(r.fieldIndex(QStringLiteral("dn"))).toInt(), 25LL);
    }

    // A recordset opened anew, and one that moves to its first row, read the table as it is now, whatever wrote
    // it; a write to another table leaves a recordset's rows as they are.
    void recordsetsReadTheRowsAsTheyAreNow_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("rows"); // the Bez of the rows afterwards, in stored order
        QTest::newRow("added through another recordset") << 0 << QStringLiteral("caebdx");
        QTest::newRow("edited through another connection") << 1 << QStringLiteral("xaebd");
        QTest::newRow("cleared") << 2 << QString();
        QTest::newRow("deleted, then rolled back") << 3 << QStringLiteral("caebd");
        QTest::newRow("deleted inside a transaction, still in it") << 4 << QStringLiteral("aebd");
        QTest::newRow("written around the recordsets on the same connection") << 5 << QStringLiteral("caebdx");
        QTest::newRow("another table written") << 6 << QStringLiteral("caebd");
        QTest::newRow("written by a trigger on another table") << 7 << QStringLiteral("caebdx");
        QTest::newRow("written around the recordsets, then another table written") << 8 << QStringLiteral("caebdx");
        QTest::newRow("deleted in a transaction that a full disk undid") << 9 << QStringLiteral("caebd");
        QTest::newRow("made anew around the recordsets with the same columns") << 10 << QString();
        QTest::newRow("added around the recordsets in a transaction rolled back") << 11 << QStringLiteral("caebd");
        QTest::newRow("edited through another connection, with the write-ahead log") << 12
                                                                                       << QStringLiteral("xaebd");
    }

    void recordsetsReadTheRowsAsTheyAreNow()
    {
        QFETCH(int, change);
        QFETCH(QString, rows);
        const QString path = freshPath();
        auto db = makeValves(path);
        const QString valves = QStringLiteral("4627_71");
        db->createTable(QStringLiteral("andere"), {{QStringLiteral("x"), FieldType::Text}});
        if (change == 7)
            around(*db, "CREATE TRIGGER kopie AFTER INSERT ON andere BEGIN "
                        "INSERT INTO \"4627_71\" (Bez) VALUES (new.x); END");
        if (change == 12)
            QVERIFY(db->useWriteAheadLog());
        auto before = db->openTable(valves);
        QCOMPARE(walk(*before), QStringLiteral("caebd"));
        QCOMPARE(walk(*db->openTable(valves)), QStringLiteral("caebd")); // read once more, so that it is kept
        // A recordset on the other table, open before the change.
        auto andere = db->openTable(QStringLiteral("andere"));
        auto writeAndere = [&](const QString &text) {
            andere->addNew();
            andere->setField(QStringLiteral("x"), text);
            andere->update();
        };
        switch (change) {
        case 0: {
            auto other = db->openTable(valves);
            other->addNew();
            other->setField(QStringLiteral("Bez"), "x");
            other->update();
            break;
        }
        case 1:
        case 12: {
            auto second = Database::open(path);
            auto other = second->openTable(valves);
            other->edit();
            other->setField(QStringLiteral("Bez"), "x");
            other->update();
            break;
        }
        case 2:
            db->clearTable(valves);
            break;
        case 3:
        case 4:
            db->beginTransaction();
            before->moveFirst();
            before->deleteRecord();
            QCOMPARE(walk(*db->openTable(valves)), QStringLiteral("aebd"));
            if (change == 3)
                db->rollback();
            break;
        case 5:
            QCOMPARE(sqlite3_exec(db->handle(), "INSERT INTO \"4627_71\" (Bez) VALUES ('x')", nullptr, nullptr,
                                  nullptr),
                     SQLITE_OK);
            break;
        case 6: {
            auto other = db->openTable(QStringLiteral("andere"));
            other->addNew();
            other->setField(QStringLiteral("x"), "y");
            other->update();
            db->clearTable(QStringLiteral("andere"));
            break;
        }
        case 7:
            writeAndere(QStringLiteral("x"));
            break;
        case 8:
            around(*db, "INSERT INTO \"4627_71\" (Bez) VALUES ('x')");
            writeAndere(QStringLiteral("y"));
            break;
        case 9: {
            db->beginTransaction();
            before->moveFirst();
            before->deleteRecord();
            QCOMPARE(walk(*db->openTable(valves)), QStringLiteral("aebd"));
            // No page beyond those the file has (the limit cannot go below them): a long text cannot be stored,
            // and the statement's failure takes back the whole transaction.
            around(*db, "PRAGMA max_page_count = 1");
            QCOMPARE(errorOf([&] { writeAndere(QString(100000, QLatin1Char('y'))); }), DbError::Kind::Other);
            QVERIFY(!db->inTransaction());
            db->rollback(); // as a caller answers a failure
            around(*db, "PRAGMA max_page_count = 1073741823");
            break;
        }
        case 10:
            around(*db, "DROP TABLE \"4627_71\"");
            around(*db, "CREATE TABLE \"4627_71\" (DN SMALLINT, Kvs SINGLE, \"Stellverhältnis\" DOUBLE, Bez TEXT)");
            break;
        case 11:
            around(*db, "BEGIN");
            around(*db, "INSERT INTO \"4627_71\" (Bez) VALUES ('x')");
            QCOMPARE(walk(*db->openTable(valves)), QStringLiteral("caebdx"));
            around(*db, "ROLLBACK");
            break;
        }
        QCOMPARE(walk(*db->openTable(valves)), rows);
        QCOMPARE(walk(*before), rows);
        QCOMPARE(before->recordCount(), long(rows.size()));
        if (db->inTransaction())
            db->commit();
        QCOMPARE(walk(*Database::open(path)->openTable(valves)), rows);
    }

    // A write through a recordset is seen by the recordsets on every table it changed: the table it wrote, however
    // the case of its name changed since that recordset was opened, and the counter of a table that numbers its
    // rows itself.
    void writesAreSeenOnEveryTableTheyChange_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("table"); // the table read afterwards
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("rows"); // the field of its rows afterwards, in stored order
        // The recordset's statements name "Neu" and reach "NEU", the only row of which it edits.
        QTest::newRow("made anew with its name in another case, written through a recordset opened before")
            << 0 << QStringLiteral("NEU") << QStringLiteral("x") << QStringLiteral("z");
        // Two rows added to a table with AUTOINCREMENT: its counter stands at 2.
        QTest::newRow("the counter of a table with AUTOINCREMENT")
            << 1 << QStringLiteral("sqlite_sequence") << QStringLiteral("seq") << QStringLiteral("2");
    }

    void writesAreSeenOnEveryTableTheyChange()
    {
        QFETCH(int, change);
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QString, rows);
        const QString path = freshPath();
        auto db = Database::create(path);
        auto add = [](Recordset &rs, const QString &text) {
            rs.addNew();
            rs.setField(QStringLiteral("x"), text);
            rs.update();
        };
        std::unique_ptr<Recordset> writer;
        if (change == 0) {
            db->createTable(QStringLiteral("Neu"), {{QStringLiteral("x"), FieldType::Text}});
            add(*db->openTable(QStringLiteral("Neu")), QStringLiteral("a"));
            writer = db->openTable(QStringLiteral("neu"));
            db->dropTable(QStringLiteral("Neu"));
            db->createTable(QStringLiteral("NEU"), {{QStringLiteral("x"), FieldType::Text}});
            add(*db->openTable(QStringLiteral("NEU")), QStringLiteral("n"));
        } else {
            around(*db, "CREATE TABLE zaehler (id INTEGER PRIMARY KEY AUTOINCREMENT, x TEXT)");
            writer = db->openTable(QStringLiteral("zaehler"));
            add(*writer, QStringLiteral("a"));
        }
        auto before = db->openTable(table);
        const QString first = walk(*before, field);
        QCOMPARE(walk(*db->openTable(table), field), first); // read once more, so that it is kept
        if (change == 0) {
            writer->moveFirst();
            writer->edit();
            writer->setField(QStringLiteral("x"), QStringLiteral("z"));
            writer->update();
        } else {
            add(*writer, QStringLiteral("b"));
        }
        QCOMPARE(walk(*db->openTable(table), field), rows);
        QCOMPARE(walk(*before, field), rows);
        QCOMPARE(walk(*Database::open(path)->openTable(table), field), rows);
    }

    void nullIsDistinctFromZeroAndEmpty()
    {
        auto db = Database::create(freshPath());
        db->createTable(QStringLiteral("_aktuell"), {{QStringLiteral("d"), FieldType::Double},
                                                     {QStringLiteral("t"), FieldType::Text},
                                                     {QStringLiteral("v"), FieldType::Variant},
                                                     {QStringLiteral("b"), FieldType::Boolean}});
        auto rs = db->openTable(QStringLiteral("_aktuell"));
        const std::vector<std::vector<Variant>> rows = {
            {Variant::null(), Variant::null(), Variant::null(), Variant::null()},
            {Variant(0.0), Variant(""), Variant(""), Variant(false)},
            {Variant(), Variant(), Variant(), Variant()}, // Empty stores Null
        };
        for (const auto &r : rows) {
            rs->addNew();
            for (int i = 0; i < 4; ++i)
                rs->setField(rs->fieldNames().at(i), r[i]);
            rs->update();
        }
        rs->moveFirst();
        for (const QString &f : rs->fieldNames())
            QVERIFY2(rs->field(f).isNull(), qPrintable(f));
        rs->moveNext();
        QCOMPARE(rs->field(QStringLiteral("d")).type(), Variant::Type::Double);
        QCOMPARE(rs->field(QStringLiteral("t")).type(), Variant::Type::String);
        QCOMPARE(rs->field(QStringLiteral("v")).type(), Variant::Type::String);
        QCOMPARE(rs->field(QStringLiteral("b")).type(), Variant::Type::Bool);
        QVERIFY(rs->field(QStringLiteral("t")).toString().isEmpty());
        rs->moveNext();
        for (const QString &f : rs->fieldNames())
            QVERIFY2(rs->field(f).isNull(), qPrintable(f));
    }

    void valuesRoundTripByColumnType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("german"); // user-locale text written into the column, or "" for the typed value
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("readType");
        QTest::addColumn<double>("expected");
        const int Dbl = int(FieldType::Double), Sgl = int(FieldType::Single), Int = int(FieldType::Integer),
                  Lng = int(FieldType::Long), Bln = int(FieldType::Boolean);
        QTest::newRow("double") << Dbl << "" << 0.1 << int(Variant::Type::Double) << 0.1;
        QTest::newRow("single 0.1f exact") << Sgl << "" << double(0.1f) << int(Variant::Type::Single) << double(0.1f);
        QTest::newRow("single from double 1.16") << Sgl << "" << 1.16 << int(Variant::Type::Single) << double(1.16f);
        QTest::newRow("single 2.5") << Sgl << "" << 2.5 << int(Variant::Type::Single) << 2.5;
        QTest::newRow("single 63") << Sgl << "" << 63.0 << int(Variant::Type::Single) << 63.0;
        QTest::newRow("single product") << Sgl << "" << double(1.16f * 37.3f) << int(Variant::Type::Single)
                                        << double(1.16f * 37.3f);
        QTest::newRow("integer half to even") << Int << "" << 2.5 << int(Variant::Type::Int) << 2.0;
        QTest::newRow("integer 3.5") << Int << "" << 3.5 << int(Variant::Type::Int) << 4.0;
        QTest::newRow("integer lowest") << Int << "" << -32768.0 << int(Variant::Type::Int) << -32768.0;
        QTest::newRow("long") << Lng << "" << 2147483647.0 << int(Variant::Type::Int) << 2147483647.0;
        QTest::newRow("boolean true") << Bln << "" << 1.0 << int(Variant::Type::Bool) << -1.0;
        QTest::newRow("german text into double") << Dbl << "2,5" << 0.0 << int(Variant::Type::Double) << 2.5;
        QTest::newRow("german text into single") << Sgl << "1,16" << 0.0 << int(Variant::Type::Single) << double(1.16f);
        QTest::newRow("german text into integer") << Int << " 12 " << 0.0 << int(Variant::Type::Int) << 12.0;
        QTest::newRow("text True into boolean") << Bln << "True" << 0.0 << int(Variant::Type::Bool) << -1.0;
        QTest::newRow("text 0 into boolean") << Bln << "0" << 0.0 << int(Variant::Type::Bool) << 0.0;
    }

    void valuesRoundTripByColumnType()
    {
        QFETCH(int, type);
        QFETCH(QString, german);
        QFETCH(double, value);
        QFETCH(int, readType);
        QFETCH(double, expected);
        numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
        const QString path = freshPath();
        {
            auto db = Database::create(path);
            db->createTable(QStringLiteral("Wärmetauscher"), {{QStringLiteral("x"), FieldType(type)}});
            auto rs = db->openTable(QStringLiteral("Wärmetauscher"));
            rs->addNew();
            if (german.isEmpty())
                rs->setField(QStringLiteral("x"), FieldType(type) == FieldType::Single ? Variant(float(value)) : Variant(value));
            else
                rs->setField(QStringLiteral("x"), german);
            rs->update();
        }
        // Read back from a fresh connection, so that nothing comes from a cache.
        auto db = Database::open(path, Database::Mode::ReadOnly);
        QCOMPARE(db->columns(QStringLiteral("WÄRMETAUSCHER")).at(0).type, FieldType(type));
        auto rs = db->openTable(QStringLiteral("wärmetauscher"));
        const Variant v = rs->field(QStringLiteral("X"));
        QCOMPARE(int(v.type()), readType);
        if (readType == int(Variant::Type::Bool))
            QCOMPARE(v.toBool(), expected != 0.0);
        else
            QCOMPARE(v.toDouble(), expected);
    }

    void textColumnsKeepTheirText_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        for (int t : {int(FieldType::Text), int(FieldType::Memo), int(FieldType::Variant)}) {
            const QByteArray tag = QByteArray::number(t);
            QTest::newRow(tag + " leading zero") << t << QStringLiteral("0123");
            QTest::newRow(tag + " trailing zero") << t << QStringLiteral("1.50");
            QTest::newRow(tag + " line break and quotes") << t << QStringLiteral("a\n\"b\"'c");
            QTest::newRow(tag + " czech") << t << QStringLiteral("Průtok ž");
        }
    }

    void textColumnsKeepTheirText()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        auto db = Database::create(freshPath());
        db->createTable(QStringLiteral("9999"), {{QStringLiteral("x"), FieldType(type)}});
        auto rs = db->openTable(QStringLiteral("9999"));
        rs->addNew();
        rs->setField(QStringLiteral("x"), text);
        rs->update();
        rs->moveFirst();
        const Variant v = rs->field(QStringLiteral("x"));
        QCOMPARE(v.type(), Variant::Type::String);
        QCOMPARE(v.toString(), text);
    }

    void variantColumnKeepsNumbers()
    {
        auto db = Database::create(freshPath());
        db->createTable(QStringLiteral("Ventildaten"), {{QStringLiteral("A0"), FieldType::Variant}});
        auto rs = db->openTable(QStringLiteral("Ventildaten"));
        for (const Variant &v : {Variant(7), Variant(0.125), Variant(0.1f)}) {
            rs->addNew();
            rs->setField(QStringLiteral("a0"), v);
            rs->update();
        }
        rs->moveFirst();
        QCOMPARE(rs->field(QStringLiteral("A0")).type(), Variant::Type::Int);
        QCOMPARE(rs->field(QStringLiteral("A0")).toInt(), 7LL);
        rs->moveNext();
        QCOMPARE(rs->field(QStringLiteral("A0")).type(), Variant::Type::Double);
        QCOMPARE(rs->field(QStringLiteral("A0")).toDouble(), 0.125);
        rs->moveNext();
        QCOMPARE(rs->field(QStringLiteral("A0")).toDouble(), double(0.1f));
    }

    void typeMismatchKeepsTheBuffer_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("fault"); // what the error says is wrong with the value, for the user's message
        using F = DbError::Fault;
        QTest::newRow("letters into double") << int(FieldType::Double) << "abc" << 0.0 << int(F::NotANumber);
        QTest::newRow("empty text into double") << int(FieldType::Double) << "" << 0.0 << int(F::NotANumber);
        QTest::newRow("point under german into double") << int(FieldType::Double) << "1.5" << 0.0 << int(F::NotANumber);
        QTest::newRow("integer above range") << int(FieldType::Integer) << "" << 32768.0 << int(F::OutOfRange);
        QTest::newRow("integer below range") << int(FieldType::Integer) << "" << -32769.0 << int(F::OutOfRange);
        QTest::newRow("long above range") << int(FieldType::Long) << "" << 2147483648.0 << int(F::OutOfRange);
        QTest::newRow("single overflow") << int(FieldType::Single) << "" << 1e300 << int(F::OutOfRange);
        QTest::newRow("not a number") << int(FieldType::Double) << "" << std::nan("") << int(F::NotFinite);
        QTest::newRow("infinity into variant") << int(FieldType::Variant) << "" << HUGE_VAL << int(F::NotFinite);
        QTest::newRow("word into boolean") << int(FieldType::Boolean) << "ja" << 0.0 << int(F::NotBoolean);
    }

    void typeMismatchKeepsTheBuffer()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(int, fault);
        numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
        const QString path = freshPath();
        auto db = Database::create(path);
        db->createTable(QStringLiteral("Stoffdaten"), {{QStringLiteral("x"), FieldType(type)}});
        auto rs = db->openTable(QStringLiteral("Stoffdaten"));
        rs->addNew();
        rs->setField(QStringLiteral("x"), 1);
        QString message;
        const Variant bad = (text.isEmpty() && number != 0.0) ? Variant(number) : Variant(text);
        QCOMPARE(errorOf([&] { rs->setField(QStringLiteral("x"), bad); }, &message), DbError::Kind::TypeMismatch);
        QVERIFY2(message.contains(path) && message.contains(QLatin1String("Stoffdaten")), qPrintable(message));
        try {
            rs->setField(QStringLiteral("x"), bad);
        } catch (const DbError &e) {
            QCOMPARE(int(e.fault()), fault);
            QCOMPARE(e.column(), QStringLiteral("x"));
            QCOMPARE(e.value(), bad.toString());
        }
        QVERIFY(rs->editing());
        QCOMPARE(rs->field(QStringLiteral("x")).toDouble(), FieldType(type) == FieldType::Boolean ? -1.0 : 1.0);
        rs->update();
        QCOMPARE(rs->recordCount(), 1L);
    }

    void duplicateKeyKeepsPendingRecord()
    {
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        rs->addNew();
        rs->setField(QStringLiteral("DN"), 15);
        rs->setField(QStringLiteral("Kvs"), 2.5);
        QString message;
        QCOMPARE(errorOf([&] { rs->update(); }, &message), DbError::Kind::DuplicateKey);
        QVERIFY(message.contains(QLatin1String("4627_71")));
        int number = 0;
        try {
            rs->update();
        } catch (const DbError &e) {
            number = e.number();
        }
        QCOMPARE(number, 3022); // the dialogs tell a duplicate name by this number
        QVERIFY(rs->editing());
        rs->setField(QStringLiteral("Kvs"), 4.0);
        rs->update();
        QCOMPARE(rs->recordCount(), 6L);
        // The same through edit of an existing row.
        rs->setIndex(QStringLiteral("PrimaryKey"));
        rs->edit();
        rs->setField(QStringLiteral("Kvs"), 2.5);
        QCOMPARE(errorOf([&] { rs->update(); }), DbError::Kind::DuplicateKey);
        rs->cancelUpdate();
        QCOMPARE(rs->field(QStringLiteral("Kvs")).toDouble(), 1.0);
        // A unique index over rows that already repeat a key cannot be made.
        QCOMPARE(errorOf([&] { db->createIndex(QStringLiteral("4627_71"), QStringLiteral("DNonly"), {QStringLiteral("DN")}, true); }),
                 DbError::Kind::DuplicateKey);
    }

    void editKeepsTheRowCurrentAndMovingDropsTheBuffer()
    {
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        rs->setIndex(QStringLiteral("PrimaryKey"));
        rs->edit(); // "b", DN 15
        rs->setField(QStringLiteral("DN"), 45);
        QCOMPARE(rs->field(QStringLiteral("DN")).toInt(), 45LL); // the buffer is read while pending
        rs->update();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("b"));
        rs->moveNext();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("e")); // it moved to its new place
        rs->moveFirst();
        rs->edit();
        rs->setField(QStringLiteral("Bez"), "zz");
        rs->moveNext(); // drops the buffer
        QVERIFY(!rs->editing());
        QCOMPARE(walk(*rs), QStringLiteral("acdbe"));
        QCOMPARE(errorOf([&] { rs->setField(QStringLiteral("Bez"), "q"); }), DbError::Kind::Other);
        QCOMPARE(errorOf([&] { rs->update(); }), DbError::Kind::Other);
    }

    // A row marked on "a" (stored second, first in index order after "b"), something done to the table, then the
    // move back to the mark: which row is current afterwards, or the error.
    void bookmarksFindTheirRowWhateverHappenedMeanwhile_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("current"); // Bez of the current row after the move, or empty
        QTest::addColumn<int>("error");       // -1 none, else the DbError kind of the move
        const int none = -1;
        const int noCurrent = int(DbError::Kind::NoCurrentRecord);
        QTest::newRow("nothing") << "nothing" << "a" << none;
        QTest::newRow("order changed by an index") << "index" << "a" << none;
        QTest::newRow("rows before it deleted") << "delete before" << "a" << none;
        QTest::newRow("rows added through another connection") << "other adds" << "a" << none;
        QTest::newRow("a pending edit is dropped") << "pending edit" << "a" << none;
        QTest::newRow("the row itself deleted") << "delete it" << "" << noCurrent;
        QTest::newRow("deleted through another connection") << "other deletes it" << "" << noCurrent;
    }

    void bookmarksFindTheirRowWhateverHappenedMeanwhile()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, current);
        QFETCH(int, error);
        const QString path = freshPath();
        auto db = makeValves(path);
        auto rs = db->openTable(QStringLiteral("4627_71"));
        rs->moveFirst();
        rs->moveNext();
        const long long mark = rs->bookmark();
        rs->moveLast(); // "d"
        if (meanwhile == QLatin1String("index")) {
            rs->setIndex(QStringLiteral("ByBez"));
            rs->moveLast();
        } else if (meanwhile == QLatin1String("delete before")) {
            rs->moveFirst();
            rs->deleteRecord();
            rs->moveLast();
        } else if (meanwhile == QLatin1String("other adds")) {
            auto other = Database::open(path);
            auto o = other->openTable(QStringLiteral("4627_71"));
            for (int dn : {100, 150}) {
                o->addNew();
                o->setField(QStringLiteral("DN"), dn);
                o->setField(QStringLiteral("Bez"), "x");
                o->update();
            }
        } else if (meanwhile == QLatin1String("pending edit")) {
            rs->edit();
            rs->setField(QStringLiteral("Bez"), "zz");
        } else if (meanwhile == QLatin1String("delete it")) {
            rs->moveToBookmark(mark);
            rs->deleteRecord();
            rs->moveLast();
        } else if (meanwhile == QLatin1String("other deletes it")) {
            auto other = Database::open(path);
            auto o = other->openTable(QStringLiteral("4627_71"));
            o->moveFirst();
            o->moveNext();
            o->deleteRecord();
        }
        const DbError::Kind kind = errorOf([&] { rs->moveToBookmark(mark); });
        QCOMPARE(int(kind), error);
        if (error == -1) {
            QVERIFY(!rs->editing());
            QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), current);
            QCOMPARE(rs->bookmark(), mark);
        } else {
            // A failed move leaves the cursor on the row it stood on.
            QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("d"));
        }
        db.reset();
    }

    void lastModifiedMarksTheStoredRow()
    {
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        QCOMPARE(errorOf([&] { rs->lastModified(); }), DbError::Kind::NoCurrentRecord);
        rs->moveLast(); // "d"
        QCOMPARE(errorOf([&] { rs->moveNext(); rs->bookmark(); }), DbError::Kind::NoCurrentRecord); // at eof
        rs->moveFirst();
        rs->addNew();
        rs->setField(QStringLiteral("DN"), 80);
        rs->setField(QStringLiteral("Bez"), "f");
        rs->update();
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("c")); // the new row is not current
        rs->moveToBookmark(rs->lastModified());
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("f"));
        rs->moveFirst();
        rs->moveNext();
        rs->edit();
        rs->setField(QStringLiteral("Bez"), "g");
        rs->update();
        rs->moveFirst();
        rs->moveToBookmark(rs->lastModified());
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("g"));
    }

    void transactionRollbackLeavesTheFileUnchanged()
    {
        const QString path = freshPath();
        {
            auto db = makeValves(path);
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        {
            auto db = Database::open(path);
            auto rs = db->openTable(QStringLiteral("4627_71"));
            db->beginTransaction();
            QVERIFY(db->inTransaction());
            rs->moveFirst();
            rs->deleteRecord();
            rs->addNew();
            rs->setField(QStringLiteral("DN"), 65);
            rs->update();
            db->createTable(QStringLiteral("neu"), {{QStringLiteral("x"), FieldType::Text}});
            QCOMPARE(rs->recordCount(), 5L);
            db->rollback();
            QVERIFY(!db->inTransaction());
            QCOMPARE(walk(*rs), QStringLiteral("caebd")); // the cursor sees the old rows again
            QVERIFY(!db->hasTable(QStringLiteral("neu")));
        }
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void commitKeepsTheChanges()
    {
        const QString path = freshPath();
        {
            auto db = makeValves(path);
            db->beginTransaction();
            db->clearTable(QStringLiteral("4627_71"));
            db->commit();
        }
        auto db = Database::open(path);
        QCOMPARE(db->openTable(QStringLiteral("4627_71"))->recordCount(), 0L);
    }

    // The write-ahead log stays with the file; a Deferred transaction relaxes the flush for its own commit only,
    // and its changes are committed like any others.
    void writeAheadLogAndDeferredCommits_data()
    {
        QTest::addColumn<bool>("log");
        QTest::addColumn<bool>("deferred");
        QTest::addColumn<bool>("commit");
        QTest::addColumn<int>("synchronousInside");
        QTest::newRow("deferred commit with the log") << true << true << true << 1;
        QTest::newRow("deferred rollback with the log") << true << true << false << 1;
        QTest::newRow("full commit with the log") << true << false << true << 2;
        QTest::newRow("deferred without the log is full") << false << true << true << 2;
    }

    void writeAheadLogAndDeferredCommits()
    {
        QFETCH(bool, log);
        QFETCH(bool, deferred);
        QFETCH(bool, commit);
        QFETCH(int, synchronousInside);
        const QString path = freshPath();
        makeValves(path);
        auto synchronous = [](Database &db) {
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(db.handle(), "PRAGMA synchronous", -1, &st, nullptr);
            const int level = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
            sqlite3_finalize(st);
            return level;
        };
        {
            auto db = Database::open(path);
            const int own = synchronous(*db);
            QCOMPARE(own, 2); // FULL, the connection's own setting
            if (log)
                QVERIFY(db->useWriteAheadLog());
            QCOMPARE(db->writeAheadLog(), log);
            db->beginTransaction(deferred ? Database::Durability::Deferred : Database::Durability::Full);
            QCOMPARE(synchronous(*db), synchronousInside);
            db->clearTable(QStringLiteral("4627_71"));
            if (commit)
                db->commit();
            else
                db->rollback();
            QCOMPARE(synchronous(*db), own);
            // Another connection sees the committed state at once.
            auto other = Database::open(path);
            QCOMPARE(other->openTable(QStringLiteral("4627_71"))->recordCount(), commit ? 0L : 5L);
        }
        // The file keeps its mode; reopened, it holds what was committed.
        auto db = Database::open(path);
        QCOMPARE(db->openTable(QStringLiteral("4627_71"))->recordCount(), commit ? 0L : 5L);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db->handle(), "PRAGMA journal_mode", -1, &st, nullptr);
        QCOMPARE(sqlite3_step(st), SQLITE_ROW);
        QCOMPARE(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))),
                 log ? QStringLiteral("wal") : QStringLiteral("delete"));
        sqlite3_finalize(st);
    }

    void writeAheadLogRefusedWhereTheFileCannotSwitch()
    {
        const QString path = freshPath();
        makeValves(path);
        auto readOnly = Database::open(path, Database::Mode::ReadOnly);
        QVERIFY(!readOnly->useWriteAheadLog());
        auto db = Database::open(path);
        db->beginTransaction();
        QVERIFY(!db->useWriteAheadLog()); // not inside a transaction
        db->rollback();
        QVERIFY(!db->writeAheadLog());
    }

    // Statements are kept for reuse; a table dropped and made anew with other columns is still read as it is now.
    void keptStatementsReadTheTableAsItIsNow()
    {
        auto db = makeValves(freshPath());
        QCOMPARE(walk(*db->openTable(QStringLiteral("4627_71"))), QStringLiteral("caebd"));
        db->dropTable(QStringLiteral("4627_71"));
        QCOMPARE(errorOf([&] { db->openTable(QStringLiteral("4627_71")); }), DbError::Kind::NoSuchTable);
        db->createTable(QStringLiteral("4627_71"), {{QStringLiteral("Bez"), FieldType::Text},
                                                    {QStringLiteral("Neu"), FieldType::Long}});
        auto rs = db->openTable(QStringLiteral("4627_71"));
        QCOMPARE(rs->fieldNames(), QStringList({QStringLiteral("Bez"), QStringLiteral("Neu")}));
        QVERIFY(rs->eof());
        rs->addNew();
        rs->setField(QStringLiteral("Bez"), "x");
        rs->setField(QStringLiteral("Neu"), 7);
        rs->update();
        rs.reset();
        auto again = db->openTable(QStringLiteral("4627_71"));
        QCOMPARE(walk(*again), QStringLiteral("x"));
        again->moveFirst();
        QCOMPARE(again->field(QStringLiteral("Neu")).toInt(), 7LL);
        QVERIFY(!again->hasField(QStringLiteral("DN")));
    }

    // Table names and columns are kept while the file's schema is unchanged; every change, by this connection,
    // another one or around the layer, and a rolled-back one, is seen at the next look, as are the rows.
    // Another program drops what an open cursor reads: the next read fails naming what is gone, as an open of the
    // table would; a column's name never comes back as its value.
    void namesGoneUnderAnOpenCursorFailAsMissing_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("column");
        QTest::newRow("a column dropped") << "ALTER TABLE \"4627_71\" DROP COLUMN \"Stellverhältnis\""
                                          << int(DbError::Kind::NoSuchColumn) << "Stellverhältnis";
        QTest::newRow("the table dropped") << "DROP TABLE \"4627_71\"" << int(DbError::Kind::NoSuchTable) << "";
    }

    void namesGoneUnderAnOpenCursorFailAsMissing()
    {
        QFETCH(QString, sql);
        QFETCH(int, kind);
        QFETCH(QString, column);
        const QString path = freshPath();
        auto db = makeValves(path);
        auto rs = db->openTable(QStringLiteral("4627_71"));
        QCOMPARE(rs->field(QStringLiteral("Stellverhältnis")).toDouble(), 50.0);
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(other);
        Variant read;
        try {
            rs->moveFirst();
            read = rs->field(QStringLiteral("Stellverhältnis"));
        } catch (const DbError &e) {
            QCOMPARE(int(e.kind()), kind);
            QCOMPARE(e.table(), QStringLiteral("4627_71"));
            QCOMPARE(e.column(), column);
            return;
        }
        QFAIL(qPrintable(QStringLiteral("read \"%1\" instead of failing").arg(read.toString())));
    }

    void schemaChangesAreSeen_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("hasNeu");
        QTest::addColumn<QStringList>("columnsOfValves");
        QTest::addColumn<int>("rowsOfValves");
        const QStringList valves = {QStringLiteral("DN"), QStringLiteral("Kvs"), QStringLiteral("Stellverhältnis"),
                                    QStringLiteral("Bez")};
        QTest::newRow("another connection adds a table") << 0 << true << valves << 5;
        QTest::newRow("another connection makes a table anew with other columns")
            << 1 << false << QStringList({QStringLiteral("Bez"), QStringLiteral("Hub")}) << 0;
        QTest::newRow("a table added in a rolled-back transaction, then another one committed") << 2 << false
                                                                                               << valves << 5;
        QTest::newRow("this connection drops and adds") << 3 << true << QStringList({QStringLiteral("Nur")}) << 0;
        // The columns were looked at inside the transaction before its own change; after a rollback the old ones
        // are there again.
        QTest::newRow("made anew inside a transaction, committed") << 4 << false
                                                                   << QStringList({QStringLiteral("Nur")}) << 0;
        QTest::newRow("made anew inside a transaction, rolled back") << 5 << false << valves << 5;
        // Two transactions around the layer that each make the table anew reach the same schema version: the
        // second one's columns are not the first one's.
        QTest::newRow("made anew around the layer in a transaction rolled back, then in another")
            << 6 << false << QStringList({QStringLiteral("Hub")}) << 0;
        // The same columns, so the same statement reads the rows: those of the empty table inside, the old ones
        // after the rollback.
        QTest::newRow("made anew with the same columns inside a transaction, rolled back") << 7 << false << valves
                                                                                           << 5;
    }

    void schemaChangesAreSeen()
    {
        QFETCH(int, change);
        QFETCH(bool, hasNeu);
        QFETCH(QStringList, columnsOfValves);
        QFETCH(int, rowsOfValves);
        const QString path = freshPath();
        auto db = makeValves(path);
        const QString valves = QStringLiteral("4627_71");
        // Looked up once, so that they are kept.
        QVERIFY(!db->hasTable(QStringLiteral("neu")));
        QCOMPARE(db->columnNames(valves).size(), 4);
        QCOMPARE(db->openTable(valves)->recordCount(), 5L);
        auto other = Database::open(path);
        switch (change) {
        case 0:
            other->createTable(QStringLiteral("Neu"), {{QStringLiteral("x"), FieldType::Text}});
            break;
        case 1:
            other->dropTable(valves);
            other->createTable(valves, {{QStringLiteral("Bez"), FieldType::Text}, {QStringLiteral("Hub"), FieldType::Double}});
            break;
        case 2:
            db->beginTransaction();
            db->createTable(QStringLiteral("neu"), {{QStringLiteral("x"), FieldType::Text}});
            QVERIFY(db->hasTable(QStringLiteral("neu")));
            db->rollback();
            other->createTable(QStringLiteral("anders"), {{QStringLiteral("y"), FieldType::Text}});
            QVERIFY(db->hasTable(QStringLiteral("anders")));
            break;
        case 3:
            db->dropTable(valves);
            db->createTable(valves, {{QStringLiteral("Nur"), FieldType::Long}});
            db->createTable(QStringLiteral("NEU"), {{QStringLiteral("x"), FieldType::Text}});
            break;
        case 4:
        case 5:
            db->beginTransaction();
            QCOMPARE(db->openTable(valves)->fieldNames().size(), 4);
            db->dropTable(valves);
            db->createTable(valves, {{QStringLiteral("Nur"), FieldType::Long}});
            QCOMPARE(db->openTable(valves)->fieldNames(), QStringList({QStringLiteral("Nur")}));
            QCOMPARE(db->columnNames(valves), QStringList({QStringLiteral("Nur")}));
            if (change == 4)
                db->commit();
            else
                db->rollback();
            break;
        case 6:
            around(*db, "BEGIN");
            around(*db, "DROP TABLE \"4627_71\"");
            around(*db, "CREATE TABLE \"4627_71\" (Nur INTEGER)");
            QCOMPARE(db->columnNames(valves), QStringList({QStringLiteral("Nur")}));
            around(*db, "ROLLBACK");
            around(*db, "BEGIN");
            around(*db, "DROP TABLE \"4627_71\"");
            around(*db, "CREATE TABLE \"4627_71\" (Hub DOUBLE)");
            QCOMPARE(db->columnNames(valves), QStringList({QStringLiteral("Hub")}));
            QCOMPARE(db->openTable(valves)->fieldIndex(QStringLiteral("hub")), 0);
            around(*db, "COMMIT");
            break;
        case 7: {
            db->beginTransaction();
            const std::vector<FieldDef> same = db->columns(valves);
            db->dropTable(valves);
            db->createTable(valves, same);
            QCOMPARE(db->openTable(valves)->recordCount(), 0L);
            db->rollback();
            break;
        }
        }
        QCOMPARE(db->hasTable(QStringLiteral("neu")), hasNeu);
        QCOMPARE(db->columnNames(valves), columnsOfValves);
        auto rs = db->openTable(valves);
        QCOMPARE(rs->fieldNames(), columnsOfValves);
        QCOMPARE(rs->fieldIndex(columnsOfValves.last().toUpper()), int(columnsOfValves.size()) - 1);
        QCOMPARE(rs->recordCount(), long(rowsOfValves));
    }

    void openErrorsNameTheFile()
    {
        QString message;
        const QString missing = dir.filePath(QStringLiteral("fehlt.mdb"));
        QCOMPARE(errorOf([&] { Database::open(missing); }, &message), DbError::Kind::NoSuchFile);
        QVERIFY(message.contains(missing));
        QVERIFY(!QFile::exists(missing)); // opening never creates a file

        const QString junk = dir.filePath(QStringLiteral("junk.mdb"));
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray bytes;
        for (int i = 0; i < 4096; ++i)
            bytes.append(char((i * 7919) % 251));
        f.write(bytes);
        f.close();
        QCOMPARE(errorOf([&] { Database::open(junk); }, &message), DbError::Kind::NotADatabase);
        QVERIFY(message.contains(junk));

        // A database whose header survived but whose pages did not.
        const QString cut = freshPath();
        {
            auto db = makeValves(cut);
        }
        QVERIFY(QFile::resize(cut, 100));
        QCOMPARE(errorOf([&] { Database::open(cut)->openTable(QStringLiteral("4627_71"))->recordCount(); }),
                 DbError::Kind::NotADatabase);

        const QString exists = freshPath();
        Database::create(exists);
        QCOMPARE(errorOf([&] { Database::create(exists); }), DbError::Kind::Other);
    }

    // SQLite opens a file's journal, write-ahead log and log index as it finds them, beside the file a link leads
    // to; one that is no regular file (a link of any kind too) keeps the file shut, is never opened (a pipe would
    // hold the open for good), and is named; so is one the user may not read.
    void companionsThatAreNoRegularFileKeepTheFileShut_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("what"); // pipe, folder, link to nowhere, looping link, link to a file, unreadable
        QTest::addColumn<bool>("writeAheadLog");
        QTest::addColumn<bool>("linked"); // opened through a link, the companion beside its target
        QTest::newRow("pipe at the journal") << "-journal" << "pipe" << false << false;
        QTest::newRow("folder at the journal") << "-journal" << "folder" << false << false;
        QTest::newRow("pipe at the write-ahead log") << "-wal" << "pipe" << true << false;
        QTest::newRow("pipe at the log index") << "-shm" << "pipe" << true << false;
        QTest::newRow("pipe at the journal beside a link's target") << "-journal" << "pipe" << false << true;
        QTest::newRow("link to nowhere at the journal") << "-journal" << "link to nowhere" << false << false;
        QTest::newRow("link to itself at the write-ahead log") << "-wal" << "looping link" << true << false;
        QTest::newRow("link to a file at the journal") << "-journal" << "link to a file" << false << false;
        // Permissions do not stop the superuser, so these cases run only for others.
        if (geteuid() != 0) {
            QTest::newRow("unreadable journal") << "-journal" << "unreadable" << false << false;
            QTest::newRow("unreadable write-ahead log") << "-wal" << "unreadable" << true << false;
        }
    }

    void companionsThatAreNoRegularFileKeepTheFileShut()
    {
        QFETCH(QString, suffix);
        QFETCH(QString, what);
        QFETCH(bool, writeAheadLog);
        QFETCH(bool, linked);
        const QString file = freshPath();
        {
            const auto db = makeValves(file);
            QVERIFY(!writeAheadLog || db->useWriteAheadLog());
        }
        const QString opened = linked ? freshPath() : file;
        if (linked)
            QVERIFY(QFile::link(file, opened));
        const QString companion = QFileInfo(file).canonicalFilePath() + suffix;
        const bool pipe = what == QLatin1String("pipe");
        if (pipe || what == QLatin1String("folder"))
            QVERIFY(pipe ? testsupport::makePipe(companion) : QDir().mkdir(companion));
        else if (what == QLatin1String("unreadable"))
            QVERIFY(QFile(companion).open(QIODevice::WriteOnly) && QFile::setPermissions(companion, {}));
        else {
            QString target = what == QLatin1String("looping link") ? companion : file + QStringLiteral(".nowhere");
            if (what == QLatin1String("link to a file")) {
                target = freshPath();
                QVERIFY(QFile(target).open(QIODevice::WriteOnly));
            }
            QVERIFY(QFile::link(target, companion));
        }
        std::unique_ptr<testsupport::PipeWatch> watch;
        if (pipe)
            watch = std::make_unique<testsupport::PipeWatch>(companion);
        DbError::Kind kind = DbError::Kind::Other;
        FileProblem problem = FileProblem::None;
        QString named;
        try {
            Database::open(opened);
        } catch (const DbError &e) {
            kind = e.kind();
            problem = e.problem();
            named = e.companion();
        }
        const bool unreadable = what == QLatin1String("unreadable");
        QCOMPARE(kind, unreadable ? DbError::Kind::Other : DbError::Kind::NoSuchFile);
        QCOMPARE(problem, unreadable ? FileProblem::NoPermission : FileProblem::NotRegularFile);
        QCOMPARE(named, companion);
        QVERIFY(!watch || !watch->opened());
    }

    void missingNamesGiveTypedErrors()
    {
        const QString path = freshPath();
        auto db = makeValves(path);
        QString message;
        QCOMPARE(errorOf([&] { db->openTable(QStringLiteral("Fehlt")); }, &message), DbError::Kind::NoSuchTable);
        QVERIFY(message.contains(QLatin1String("Fehlt")) && message.contains(path));
        auto rs = db->openTable(QStringLiteral("4627_71"));
        QCOMPARE(errorOf([&] { rs->field(QStringLiteral("Kv")); }, &message), DbError::Kind::NoSuchColumn);
        QVERIFY(message.contains(QLatin1String("Kv")) && message.contains(QLatin1String("4627_71")) && message.contains(path));
        QCOMPARE(errorOf([&] { rs->fieldIndex(QStringLiteral("Kv")); }), DbError::Kind::NoSuchColumn);
        QCOMPARE(errorOf([&] { rs->field(4); }), DbError::Kind::NoSuchColumn);
        QCOMPARE(errorOf([&] { rs->field(-1); }), DbError::Kind::NoSuchColumn);
        rs->edit();
        QCOMPARE(errorOf([&] { rs->setField(4, 1); }), DbError::Kind::NoSuchColumn);
        rs->cancelUpdate();
        // A reader looks its name up at the first read, and fails there as a read by name does.
        const FieldReader missing(*rs, QStringLiteral("Kv"));
        QCOMPARE(errorOf([&] { missing(); }, &message), DbError::Kind::NoSuchColumn);
        QVERIFY(message.contains(QLatin1String("Kv")));
        QCOMPARE(errorOf([&] { rs->setIndex(QStringLiteral("Fehlt")); }, &message), DbError::Kind::NoSuchIndex);
        QVERIFY(message.contains(QLatin1String("4627_71")));
        QCOMPARE(errorOf([&] { db->createIndex(QStringLiteral("4627_71"), QStringLiteral("i"), {QStringLiteral("x")}, false); }),
                 DbError::Kind::NoSuchColumn);
        QCOMPARE(errorOf([&] { db->columns(QStringLiteral("fehlt")); }), DbError::Kind::NoSuchTable);
        QCOMPARE(db->indexNames(QStringLiteral("4627_71")), (QStringList{QStringLiteral("PrimaryKey"), QStringLiteral("ByBez")}));
        // Names that need quoting.
        const QString odd = QStringLiteral("Tab \"x\" ; DROP");
        db->createTable(odd, {{QStringLiteral("Spalte \"y\""), FieldType::Text}});
        db->createIndex(odd, QStringLiteral("Index \"z\""), {QStringLiteral("spalte \"Y\"")}, true);
        auto q = db->openTable(odd);
        q->addNew();
        q->setField(QStringLiteral("Spalte \"y\""), "v");
        q->update();
        q->setIndex(QStringLiteral("Index \"z\""));
        QVERIFY(q->seek(Variant("v")));
        QVERIFY(db->hasTable(QStringLiteral("4627_71")));
        // The same index name in two tables.
        db->createTable(QStringLiteral("_aktuell"), {{QStringLiteral("DN"), FieldType::Integer}});
        db->createIndex(QStringLiteral("_aktuell"), QStringLiteral("PrimaryKey"), {QStringLiteral("DN")}, true);
        QCOMPARE(db->indexNames(QStringLiteral("_aktuell")), QStringList{QStringLiteral("PrimaryKey")});
    }

    void readOnlyRefusesWrites()
    {
        const QString path = freshPath();
        {
            auto db = makeValves(path);
        }
        auto db = Database::open(path, Database::Mode::ReadOnly);
        auto rs = db->openTable(QStringLiteral("4627_71"));
        QCOMPARE(rs->field(QStringLiteral("DN")).toInt(), 25LL);
        QCOMPARE(errorOf([&] { rs->edit(); }), DbError::Kind::ReadOnly);
        QCOMPARE(errorOf([&] { rs->addNew(); }), DbError::Kind::ReadOnly);
        QCOMPARE(errorOf([&] { rs->deleteRecord(); }), DbError::Kind::ReadOnly);
        QCOMPARE(errorOf([&] { db->createTable(QStringLiteral("x"), {{QStringLiteral("x"), FieldType::Text}}); }),
                 DbError::Kind::ReadOnly);
    }

    void closingTheDatabaseClosesItsRecordsets()
    {
        auto db = makeValves(freshPath());
        auto rs = db->openTable(QStringLiteral("4627_71"));
        auto c = rs->clone();
        db->close();
        QVERIFY(rs->eof());
        QCOMPARE(errorOf([&] { rs->field(QStringLiteral("DN")); }), DbError::Kind::Other);
        QCOMPARE(errorOf([&] { c->moveNext(); }), DbError::Kind::Other);
        db.reset(); // recordsets outliving the database must still be safe to destroy
        rs.reset();
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "test_recordset.moc"
