#include "datagen/sources.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace datagen;

namespace {
QString write(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(content);
    return path;
}

const QByteArray kTsvHeader = "key\tde\ten\tfr\tit\tes\tcs\n";
} // namespace

class TestDatagen : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    int counter = 0;
    QString fresh(const QString &name) { return dir.filePath(QString::number(++counter) + QLatin1Char('/') + name); }

private slots:
    void headerTypesAndCells_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<int>("variantType");
        QTest::addColumn<QString>("text"); // the value as the C locale shows it
        using T = Variant::Type;
        QTest::newRow("double") << QByteArray("double") << QByteArray("0.1") << int(T::Double) << "0.1";
        QTest::newRow("double exponent") << QByteArray("double") << QByteArray("-1.5e-3") << int(T::Double) << "-0.0015";
        QTest::newRow("single nearest float") << QByteArray("single") << QByteArray("1.16") << int(T::Single)
                                              << QString::number(double(1.16f), 'g', 17);
        QTest::newRow("integer") << QByteArray("integer") << QByteArray("-32768") << int(T::Int) << "-32768";
        QTest::newRow("long") << QByteArray("long") << QByteArray("2147483647") << int(T::Int) << "2147483647";
        QTest::newRow("boolean True") << QByteArray("boolean") << QByteArray("True") << int(T::Bool) << "-1";
        QTest::newRow("boolean -1") << QByteArray("boolean") << QByteArray("-1") << int(T::Bool) << "-1";
        QTest::newRow("boolean 0") << QByteArray("boolean") << QByteArray("0") << int(T::Bool) << "0";
        QTest::newRow("text unquoted") << QByteArray("text") << QByteArray("Membranventil") << int(T::String) << "Membranventil";
        QTest::newRow("text quoted comma") << QByteArray("text") << QByteArray("\"a, b\"") << int(T::String) << "a, b";
        QTest::newRow("text doubled quote") << QByteArray("text") << QByteArray("\"1/2\"\"\"") << int(T::String) << "1/2\"";
        QTest::newRow("text number stays text") << QByteArray("text") << QByteArray("050") << int(T::String) << "050";
        QTest::newRow("memo line break") << QByteArray("memo") << QByteArray("\"eins\nzwei\"") << int(T::String) << "eins\nzwei";
        QTest::newRow("empty unquoted is null") << QByteArray("text") << QByteArray("") << int(T::Null) << "";
        QTest::newRow("empty quoted is empty text") << QByteArray("text") << QByteArray("\"\"") << int(T::String) << "";
        QTest::newRow("empty double is null") << QByteArray("double") << QByteArray("") << int(T::Null) << "";
        QTest::newRow("variant whole number") << QByteArray("variant") << QByteArray("7") << int(T::Int) << "7";
        QTest::newRow("variant number") << QByteArray("variant") << QByteArray("0.25") << int(T::Double) << "0.25";
        QTest::newRow("variant quoted number is text") << QByteArray("variant") << QByteArray("\"0.25\"") << int(T::String) << "0.25";
        QTest::newRow("variant word is text") << QByteArray("variant") << QByteArray("Sonderventil") << int(T::String) << "Sonderventil";
        QTest::newRow("variant null") << QByteArray("variant") << QByteArray("") << int(T::Null) << "";
    }

    void headerTypesAndCells()
    {
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, cell);
        QFETCH(int, variantType);
        QFETCH(QString, text);
        const QString path = write(fresh(QStringLiteral("Wärmetauscher.csv")),
                                   "# a comment before the header\nx:" + type + ",n:integer\n\n# between rows\n" + cell + ",1\n");
        TableSource t;
        QString error;
        QVERIFY2(readTable(path, &t, &error), qPrintable(error));
        QCOMPARE(t.name, QStringLiteral("Wärmetauscher"));
        QCOMPARE(t.fields.size(), size_t(2));
        QCOMPARE(t.rows.size(), size_t(1));
        const Variant v = t.rows[0][0];
        QCOMPARE(int(v.type()), variantType);
        QString shown;
        if (v.type() == Variant::Type::Single)
            shown = QString::number(v.toDouble(), 'g', 17);
        else if (v.type() == Variant::Type::Bool || v.type() == Variant::Type::Int)
            shown = QString::number(v.toInt());
        else if (v.type() == Variant::Type::Double)
            shown = QString::number(v.toDouble(), 'g', 15);
        else
            shown = v.toString();
        QCOMPARE(shown, text);
        QCOMPARE(t.rows[0][1].toInt(), 1LL);
    }

    void csvErrorsNameFileLineAndColumn_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unknown type") << QByteArray("a:double,b:float\n1,2\n") << ":1: column 2";
        QTest::newRow("header without type") << QByteArray("a:double,b\n") << ":1: column 2";
        QTest::newRow("too few cells") << QByteArray("a:double,b:text\n1,x\n2\n") << ":3: 1 cells, the header has 2";
        QTest::newRow("not a number") << QByteArray("a:text,b:double\nx,1\ny,1,5\n") << ":3: 3 cells";
        QTest::newRow("decimal comma") << QByteArray("a:text,b:double\nx,\"1,5\"\n") << ":2: column 2 \"b\"";
        QTest::newRow("integer too large") << QByteArray("# c\na:integer\n32768\n") << ":3: column 1 \"a\"";
        QTest::newRow("integer with decimals") << QByteArray("a:long\n1.5\n") << ":2: column 1";
        QTest::newRow("boolean word") << QByteArray("a:boolean\nyes\n") << ":2: column 1";
        QTest::newRow("quoted empty double") << QByteArray("a:double\n\"\"\n") << ":2: column 1";
        QTest::newRow("single overflow") << QByteArray("a:single\n1e39\n") << ":2: column 1";
        QTest::newRow("unclosed quote") << QByteArray("a:text,b:text\nx,\"open\n\n") << ":2: column 2";
        QTest::newRow("text after closing quote") << QByteArray("a:text\n\"x\"y\n") << ":2: column 1";
        QTest::newRow("quote in unquoted cell") << QByteArray("a:text\nx\"y\n") << ":2: column 1";
        QTest::newRow("line after a multi-line cell") << QByteArray("a:text,b:double\n\"1\n2\n3\",1\nz,q\n") << ":5: column 2";
        QTest::newRow("column twice") << QByteArray("a:text,A:double\n") << ":1: column 2";
        QTest::newRow("no header") << QByteArray("# only a comment\n") << "no header";
    }

    void csvErrorsNameFileLineAndColumn()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        const QString path = write(fresh(QStringLiteral("t.csv")), content);
        TableSource t;
        QString error;
        QVERIFY(!readTable(path, &t, &error));
        QVERIFY2(error.startsWith(path) && error.contains(expected), qPrintable(error));
    }

    void crlfAndBomAreAccepted()
    {
        const QString path = write(fresh(QStringLiteral("t.csv")), "\xEF\xBB\xBF" "a:text,b:double\r\n\"x\r\ny\",2.5\r\nz,\r\n");
        TableSource t;
        QString error;
        QVERIFY2(readTable(path, &t, &error), qPrintable(error));
        QCOMPARE(t.fields[0].name, QStringLiteral("a"));
        QCOMPARE(t.rows.size(), size_t(2));
        QCOMPARE(t.rows[0][0].toString(), QStringLiteral("x\ny"));
        QCOMPARE(t.rows[0][1].toDouble(), 2.5);
        QVERIFY(t.rows[1][1].isNull());
    }

    void textsEscapesAndErrors_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<QString>("expected"); // error text, or empty for success
        const QByteArray ok = kTsvHeader + "Druck\tDruck\tPressure\tPression\tPressione\tPresión\tTlak\n";
        QTest::newRow("good") << ok << QByteArray(kTsvHeader + "# comment\n\nTemperatur\tTemperatur\t\t\t\t\t\n") << QString();
        QTest::newRow("key twice across files")
            << ok << QByteArray(kTsvHeader + "\nDruck\tx\tx\tx\tx\tx\tx\n") << "b.tsv:3: the key \"Druck\" is already defined at ";
        QTest::newRow("key twice in one file")
            << QByteArray(ok + "Druck\ty\ty\ty\ty\ty\ty\n") << QByteArray(kTsvHeader) << "a.tsv:3: the key \"Druck\" is already defined at ";
        QTest::newRow("too few cells") << ok << QByteArray(kTsvHeader + "Fluss\tFluss\tFlow\n") << "b.tsv:2: 3 cells, expected 7";
        QTest::newRow("too many cells") << ok << QByteArray(kTsvHeader + "a\tb\tc\td\te\tf\tg\th\n") << "b.tsv:2: 8 cells";
        QTest::newRow("wrong header") << ok << QByteArray("key\tde\ten\n") << "b.tsv:1: the header";
    }

    void textsEscapesAndErrors()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(QString, expected);
        const QString a = write(fresh(QStringLiteral("a.tsv")), first);
        const QString b = write(QFileInfo(a).absolutePath() + QStringLiteral("/b.tsv"), second);
        std::vector<TextRow> rows;
        QString error;
        const bool ok = readTexts({a, b}, &rows, &error);
        if (expected.isEmpty()) {
            QVERIFY2(ok, qPrintable(error));
            QCOMPARE(rows.size(), size_t(2));
            QCOMPARE(rows[0].texts.at(4), QStringLiteral("Presión"));
            QCOMPARE(rows[1].texts, (QStringList{QStringLiteral("Temperatur"), QString(), QString(), QString(), QString(), QString()}));
            QVERIFY(!rows[1].texts.at(1).isNull()); // empty cells are empty texts
        } else {
            QVERIFY(!ok);
            QVERIFY2(error.contains(expected), qPrintable(error));
            if (expected.contains(QLatin1String("already defined")))
                QVERIFY2(error.contains(QFileInfo(a).absolutePath() + QStringLiteral("/a.tsv:2")), qPrintable(error));
        }
    }

    void textEscapes()
    {
        const QString a = write(fresh(QStringLiteral("a.tsv")),
                                kTsvHeader + "Zeile 1\\nZeile 2\tZeile 1\\nZeile 2\tLine 1\\nLine 2\ta\\tb\tC:\\Quendra\t\\\t\\x\n");
        std::vector<TextRow> rows;
        QString error;
        QVERIFY2(readTexts({a}, &rows, &error), qPrintable(error));
        QCOMPARE(rows[0].key, QStringLiteral("Zeile 1\nZeile 2"));
        QCOMPARE(rows[0].texts.at(1), QStringLiteral("Line 1\nLine 2"));
        QCOMPARE(rows[0].texts.at(2), QStringLiteral("a\tb"));
        QCOMPARE(rows[0].texts.at(3), QStringLiteral("C:\\Quendra")); // other backslashes stay
        QCOMPARE(rows[0].texts.at(4), QStringLiteral("\\"));
        QCOMPARE(rows[0].texts.at(5), QStringLiteral("\\x"));
    }

    void indexesAndWrittenDatabase()
    {
        const QString folder = fresh(QStringLiteral("dbKenndaten.mdb"));
        write(folder + QStringLiteral("/4627_71.csv"), "DN:integer,Kvs:single,Bez:text\n50,40,e\n15,2.5,b\n15,1.6,a\n25,10,\"\"\n");
        write(folder + QStringLiteral("/_aktuell.csv"), "DN:integer,Kvs:single\n");
        write(folder + QStringLiteral("/indexes.txt"), "# table index columns kind\n4627_71\tPrimaryKey\tDN,Kvs\tunique\n"
                                                     "4627_71\tByBez\tBez\tduplicates\n");
        write(folder + QStringLiteral("/README.md"), "ignored\n");
        DatabaseSource src;
        QString error;
        QVERIFY2(readDatabaseFolder(folder, &src, &error), qPrintable(error));
        QCOMPARE(src.fileName, QStringLiteral("dbKenndaten.mdb"));
        QCOMPARE(src.tables.size(), size_t(2));
        QCOMPARE(src.indexes.size(), size_t(2));
        const QString target = fresh(QStringLiteral("out.mdb"));
        QDir().mkpath(QFileInfo(target).absolutePath());
        QVERIFY2(writeDatabase(src, target, &error), qPrintable(error));

        auto db = Database::open(target);
        QCOMPARE(db->tableNames(), (QStringList{QStringLiteral("4627_71"), QStringLiteral("_aktuell")}));
        auto rs = db->openTable(QStringLiteral("4627_71"));
        QString stored;
        for (; !rs->eof(); rs->moveNext())
            stored += rs->field(QStringLiteral("DN")).toString() + QLatin1Char(' ');
        QCOMPARE(stored, QStringLiteral("50 15 15 25 ")); // file order is the stored order
        rs->setIndex(QStringLiteral("PrimaryKey"));
        QCOMPARE(rs->field(QStringLiteral("Bez")).toString(), QStringLiteral("a"));
        QVERIFY(rs->seek({Variant(15), Variant(1.6)})); // the single column holds exactly 1.6f
        QCOMPARE(rs->field(QStringLiteral("Kvs")).type(), Variant::Type::Single);
        QVERIFY(rs->seek(Variant(25)));
        QCOMPARE(rs->field(QStringLiteral("Bez")).type(), Variant::Type::String);
        QCOMPARE(db->openTable(QStringLiteral("_aktuell"))->recordCount(), 0L);
    }

    void indexErrors_data()
    {
        QTest::addColumn<QByteArray>("indexes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unknown table") << QByteArray("\n1234\tPrimaryKey\tDN\tunique\n") << "indexes.txt:2: column 1";
        QTest::newRow("unknown column") << QByteArray("t\tPrimaryKey\tDN,Kv\tunique\n") << "indexes.txt:1: column 3";
        QTest::newRow("bad kind") << QByteArray("t\tPrimaryKey\tDN\tprimary\n") << "indexes.txt:1: column 4";
        QTest::newRow("three cells") << QByteArray("t\tPrimaryKey\tDN\n") << "indexes.txt:1: 3 cells";
        QTest::newRow("index twice") << QByteArray("t\ta\tDN\tunique\nt\tA\tKvs\tunique\n") << "indexes.txt:2: column 2";
    }

    void indexErrors()
    {
        QFETCH(QByteArray, indexes);
        QFETCH(QString, expected);
        const QString folder = fresh(QStringLiteral("x.mdb"));
        write(folder + QStringLiteral("/t.csv"), "DN:integer,Kvs:single\n15,1\n");
        write(folder + QStringLiteral("/indexes.txt"), indexes);
        DatabaseSource src;
        QString error;
        QVERIFY(!readDatabaseFolder(folder, &src, &error));
        QVERIFY2(error.contains(expected), qPrintable(error));
    }

    void failedWriteLeavesNoFile()
    {
        const QString folder = fresh(QStringLiteral("dup.mdb"));
        write(folder + QStringLiteral("/t.csv"), "DN:integer\n15\n15\n");
        write(folder + QStringLiteral("/indexes.txt"), "t\tPrimaryKey\tDN\tunique\n");
        DatabaseSource src;
        QString error;
        QVERIFY2(readDatabaseFolder(folder, &src, &error), qPrintable(error));
        const QString target = QFileInfo(folder).absolutePath() + QStringLiteral("/dup-out.mdb");
        QVERIFY(!writeDatabase(src, target, &error));
        QVERIFY2(error.contains(QLatin1String("PrimaryKey")), qPrintable(error));
        QVERIFY(!QFile::exists(target));
        QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
    }

    void generateAllBuildsEveryFileOrNone()
    {
        const QString root = fresh(QStringLiteral("data"));
        write(root + QStringLiteral("/texts/b.tsv"), kTsvHeader + "Druck\tDruck\tPressure\tPression\tPressione\tPresión\tTlak\n");
        write(root + QStringLiteral("/texts/a.tsv"), kTsvHeader + "Ende\tEnde\tEnd\tFin\tFine\tFin\tKonec\n");
        write(root + QStringLiteral("/seed/Default.vls/Ausdruck.csv"), "TextInfo:variant,TextFirma:variant\n,\n");
        write(root + QStringLiteral("/program/blank.vls/Ausdruck.csv"), "TextInfo:variant,TextFirma:variant\n\"\",\n");
        const QString seed = QFileInfo(root).absolutePath() + QStringLiteral("/out/seed");
        const QString program = QFileInfo(root).absolutePath() + QStringLiteral("/out");
        QStringList written;
        QString error;
        QVERIFY2(generateAll(root, seed, program, &written, &error), qPrintable(error));
        QCOMPARE(written.size(), 3);

        auto texts = Database::open(seed + QStringLiteral("/dbSprache.mdb"));
        QCOMPARE(texts->columnNames(QStringLiteral("strings_sprache")),
                 (QStringList{QStringLiteral("strings_key"), QStringLiteral("strings_deutsch"), QStringLiteral("strings_englisch"),
                              QStringLiteral("strings_französisch"), QStringLiteral("strings_italienisch"),
                              QStringLiteral("strings_spanisch"), QStringLiteral("strings_tschechisch")}));
        auto rs = texts->openTable(QStringLiteral("strings_sprache"));
        QCOMPARE(rs->field(QStringLiteral("strings_key")).toString(), QStringLiteral("Ende")); // files in name order
        rs->setIndex(QStringLiteral("PrimaryKey"));
        QVERIFY(rs->seek(Variant("Druck")));
        QCOMPARE(rs->field(QStringLiteral("strings_tschechisch")).toString(), QStringLiteral("Tlak"));
        texts.reset();
        QVERIFY(Database::open(seed + QStringLiteral("/Default.vls"))->openTable(QStringLiteral("Ausdruck"))->field(QStringLiteral("TextInfo")).isNull());
        QCOMPARE(Database::open(program + QStringLiteral("/blank.vls"))->openTable(QStringLiteral("Ausdruck"))->field(QStringLiteral("TextInfo")).type(),
                 Variant::Type::String);

        // A fault in any source: no output is touched.
        QFile sprache(seed + QStringLiteral("/dbSprache.mdb"));
        const QDateTime before = QFileInfo(sprache).lastModified();
        write(root + QStringLiteral("/texts/c.tsv"), kTsvHeader + "Ende\tx\tx\tx\tx\tx\tx\n");
        QTest::qWait(20);
        QVERIFY(!generateAll(root, seed, program, &written, &error));
        QVERIFY2(error.contains(QLatin1String("c.tsv:2")) && error.contains(QLatin1String("a.tsv:2")), qPrintable(error));
        QCOMPARE(QFileInfo(sprache).lastModified(), before);
    }

    // Help pages and any other plain file beside the database folders arrive byte for byte, replace an older copy,
    // and are left alone when another source fails.
    void plainFilesAreCopiedUnchanged()
    {
        const QString root = fresh(QStringLiteral("data"));
        write(root + QStringLiteral("/texts/a.tsv"), kTsvHeader + "Ende\tEnde\tEnd\tFin\tFine\tFin\tKonec\n");
        const QByteArray page = QByteArrayLiteral("<p>Grüße\r\n\xEF\xBB\xBF</p>\n\0tail");
        QCOMPARE(page.size(), 25); // the NUL byte and what follows are part of it
        const QByteArray empty;
        write(root + QStringLiteral("/program/hilfe.html"), page);
        write(root + QStringLiteral("/program/blank.vls/Ausdruck.csv"), "TextInfo:variant\n1\n");
        write(root + QStringLiteral("/seed/leer.txt"), empty);
        const QString out = QFileInfo(root).absolutePath() + QStringLiteral("/out");
        const QString seed = out + QStringLiteral("/seed");
        write(out + QStringLiteral("/hilfe.html"), "old copy");
        QStringList written;
        QString error;
        QVERIFY2(generateAll(root, seed, out, &written, &error), qPrintable(error));
        QVERIFY(written.contains(out + QStringLiteral("/hilfe.html")));
        QVERIFY(written.contains(seed + QStringLiteral("/leer.txt")));
        QCOMPARE(written.size(), 4);
        QFile copy(out + QStringLiteral("/hilfe.html"));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), page);
        copy.close();
        QVERIFY(QFileInfo(seed + QStringLiteral("/leer.txt")).isFile());
        QCOMPARE(QFileInfo(seed + QStringLiteral("/leer.txt")).size(), 0);

        write(root + QStringLiteral("/program/hilfe.html"), "changed");
        write(root + QStringLiteral("/texts/b.tsv"), kTsvHeader + "Ende\tx\tx\tx\tx\tx\tx\n");
        QVERIFY(!generateAll(root, seed, out, &written, &error));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), page);
    }
};

QTEST_GUILESS_MAIN(TestDatagen)
#include "test_datagen.moc"
