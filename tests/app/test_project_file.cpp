#include "project_fixture.h"

#include "platform/core/number_text.h"
#include "support/damaged_files.h"
#include "support/interrupted_write.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

// Bytes this process has read from files so far (Linux keeps the count per process).
qint64 bytesReadSoFar()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

} // namespace

using namespace fixture;

class TestProjectFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString &name) const { return projectFilePath(dir_.path(), name); }

private slots:
    void cleanup() { numtext::resetUserLocale(); }

    void saveThenLoadRestoresEveryItem_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("C locale") << false;
        QTest::newRow("German locale") << true;
    }
    void saveThenLoadRestoresEveryItem()
    {
        QFETCH(bool, german);
        if (german)
            numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
        const QString name = german ? QStringLiteral("roundtrip_de") : QStringLiteral("roundtrip");
        QCOMPARE(projectItems().size(), std::size_t(134));
        QCOMPARE(projectTables().size(), 9);

        createProject(path(name), SharedData());
        const auto written = sample();
        SaveParameter(dir_.path(), name, *written);

        SharedData loaded;
        LoadParameter(dir_.path(), name, loaded);
        const QString diff = firstDifference(*written, loaded, projectItems());
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        // Kvs is found again in the catalogue by exact equality: it must come back as the same float.
        QCOMPARE(loaded.KvsCv, 0.1f);
        QVERIFY(double(loaded.KvsCv) != 0.1);
        QCOMPARE(loaded.Reduktion, 12.3f);
        QVERIFY(loaded.TextInfo.isNull() || loaded.TextInfo.isString() || loaded.TextInfo.isNumber());
    }

    void emptyVariantIsStoredAsNull()
    {
        createProject(path(QStringLiteral("empty")), SharedData());
        auto d = sample();
        d->Bezeichnung = Variant();
        d->A3 = Variant();
        d->TextFirma = Variant();
        SaveParameter(dir_.path(), QStringLiteral("empty"), *d);
        SharedData loaded;
        loaded.Bezeichnung = Variant(QStringLiteral("old"));
        LoadParameter(dir_.path(), QStringLiteral("empty"), loaded);
        QVERIFY(loaded.Bezeichnung.isNull());
        QVERIFY(loaded.A3.isNull());
        QVERIFY(loaded.TextFirma.isNull());
        // Texts are never Null, not even when nothing was ever assigned.
        SharedData blank;
        blank.Ventiltyp = QStringLiteral("9999");
        SaveParameter(dir_.path(), QStringLiteral("empty"), blank);
        SharedData texts;
        texts.NameMedium = QStringLiteral("old");
        LoadParameter(dir_.path(), QStringLiteral("empty"), texts);
        QCOMPARE(texts.NameMedium, QString());
        QVERIFY(texts.Bezeichnung.isNull());
        // A Null read is written back as Null.
        SaveParameter(dir_.path(), QStringLiteral("empty"), loaded);
        SharedData again;
        LoadParameter(dir_.path(), QStringLiteral("empty"), again);
        QVERIFY(again.Bezeichnung.isNull());
    }

    void storedValuesAreConvertedToTheItemType_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("column");
        QTest::addColumn<double>("expected");
        // Whole-number items take the nearest integer, a half going to the even neighbour.
        QTest::newRow("2.5 -> 2") << "UPDATE Stoffdaten SET Medium = 2.5, Zustand = 2; UPDATE Einheiten SET QUnit = 1"
                                  << "Medium" << 2.0;
        QTest::newRow("3.5 -> 4") << "UPDATE Stoffdaten SET Medium = 3.5" << "Medium" << 4.0;
        QTest::newRow("4.5 -> 4") << "UPDATE Stoffdaten SET Medium = 4.5" << "Medium" << 4.0;
        QTest::newRow("0.5 -> 0") << "UPDATE Einheiten SET p1Unit = 0.5" << "p1Unit" << 0.0;
        // Single items keep 32-bit precision even when the column holds a double.
        QTest::newRow("single from double") << "UPDATE Ventildaten SET KvsCv = 0.1" << "KvsCv" << double(0.1f);
        QTest::newRow("single reduction") << "UPDATE Ventildaten SET Reduktion = 33.3" << "Reduktion" << double(33.3f);
        // Booleans are -1/0 on file; any non-zero number is true (and True counts -1 as a number).
        QTest::newRow("boolean -1") << "UPDATE Parameter SET MIN = -1" << "MIN" << -1.0;
        QTest::newRow("boolean 2") << "UPDATE Parameter SET KvsOpt = 2" << "KvsOpt" << -1.0;
    }
    void storedValuesAreConvertedToTheItemType()
    {
        QFETCH(QString, sql);
        QFETCH(QString, column);
        QFETCH(double, expected);
        const QString name = QStringLiteral("convert");
        QFile::remove(path(name));
        createProject(path(name), *sample());
        execSql(path(name), sql);
        SharedData loaded;
        LoadParameter(dir_.path(), name, loaded);
        for (const FileItem &item : projectItems())
            if (item.column == column)
                QCOMPARE(valueOf(loaded, item).toDouble(), expected);
    }

    void onlyTheFirstRecordIsReadAndWritten()
    {
        const QString name = QStringLiteral("tworecords");
        auto first = sample();
        createProject(path(name), *first);
        execSql(path(name), QStringLiteral("INSERT INTO Betriebsdaten SELECT * FROM Betriebsdaten; "
                                           "UPDATE Betriebsdaten SET p1Max = 99 WHERE rowid = 2; "
                                           "INSERT INTO Ventildaten SELECT * FROM Ventildaten; "
                                           "UPDATE Ventildaten SET Ventiltyp = 'bogus' WHERE rowid = 2;"));
        SharedData loaded;
        LoadParameter(dir_.path(), name, loaded);
        QCOMPARE(loaded.p1Max, first->p1Max);
        QCOMPARE(loaded.Ventiltyp, first->Ventiltyp);

        loaded.p1Max = 7.0;
        SaveParameter(dir_.path(), name, loaded);
        auto db = Database::open(path(name), Database::Mode::ReadOnly);
        auto rs = db->openTable(QStringLiteral("Betriebsdaten"));
        QCOMPARE(rs->recordCount(), 2L);
        QCOMPARE(rs->field(QStringLiteral("p1Max")).toDouble(), 7.0);
        rs->moveNext();
        QCOMPARE(rs->field(QStringLiteral("p1Max")).toDouble(), 99.0);
        for (const QString &table : projectTables())
            QCOMPARE(db->openTable(table)->recordCount(),
                     table == QLatin1String("Betriebsdaten") || table == QLatin1String("Ventildaten") ? 2L : 1L);
    }

    void failedLoadChangesNothing_data()
    {
        QTest::addColumn<QString>("setup"); // what is done to a sound file
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        using K = DbError::Kind;
        QTest::newRow("missing file") << "nofile" << int(K::NoSuchFile) << "" << "";
        QTest::newRow("not a database") << "text" << int(K::NotADatabase) << "" << "";
        QTest::newRow("missing table") << "DROP TABLE Schalldaten" << int(K::NoSuchTable) << "Schalldaten" << "";
        QTest::newRow("missing column") << "omit:Tkrit" << int(K::NoSuchColumn) << "Stoffdaten" << "Tkrit";
        QTest::newRow("table without record") << "DELETE FROM \"Wärmetauscher\"" << int(K::NoCurrentRecord)
                                              << "Wärmetauscher" << "";
        QTest::newRow("Null in a double") << "UPDATE Betriebsdaten SET p1Max = NULL" << int(K::TypeMismatch)
                                          << "Betriebsdaten" << "p1Max";
        QTest::newRow("Null in an integer") << "UPDATE Einheiten SET DNunit = NULL" << int(K::TypeMismatch)
                                            << "Einheiten" << "DNunit";
        QTest::newRow("Null in a Boolean") << "UPDATE Parameter SET WTcalc = NULL" << int(K::TypeMismatch)
                                           << "Parameter" << "WTcalc";
        QTest::newRow("Null in a text") << "UPDATE Stoffdaten SET NameMedium = NULL" << int(K::TypeMismatch)
                                        << "Stoffdaten" << "NameMedium";
        QTest::newRow("text in a double") << "UPDATE Betriebsdaten SET QMax = 'viel'" << int(K::TypeMismatch)
                                          << "Betriebsdaten" << "QMax";
        QTest::newRow("infinite double") << "UPDATE Betriebsdaten SET T1Max = 1e999" << int(K::TypeMismatch)
                                         << "Betriebsdaten" << "T1Max";
        QTest::newRow("single overflow") << "UPDATE Ventildaten SET KvsCv = 1e300" << int(K::TypeMismatch)
                                         << "Ventildaten" << "KvsCv";
        QTest::newRow("integer beyond 16 bits") << "UPDATE Stoffdaten SET Medium = 40000" << int(K::TypeMismatch)
                                                << "Stoffdaten" << "Medium";
        QTest::newRow("pressure unit 8") << "UPDATE Einheiten SET p2Unit = 8" << int(K::Other) << "Einheiten"
                                         << "p2Unit";
        QTest::newRow("negative unit") << "UPDATE Einheiten SET vUnit = -1" << int(K::Other) << "Einheiten"
                                       << "vUnit";
        QTest::newRow("time unit 3") << "UPDATE Einheiten SET ZeitUnit = 3" << int(K::Other) << "Einheiten"
                                     << "ZeitUnit";
        QTest::newRow("gas flow unit 5")
            << "UPDATE Stoffdaten SET Medium = 3, Zustand = 0; UPDATE Einheiten SET QUnit = 5" << int(K::Other)
            << "Einheiten" << "QUnit";
        QTest::newRow("steam flow unit 2")
            << "UPDATE Stoffdaten SET Zustand = 2; UPDATE Einheiten SET QUnit = 2" << int(K::Other) << "Einheiten"
            << "QUnit";
        QTest::newRow("fluid state 3") << "UPDATE Stoffdaten SET Zustand = 3" << int(K::Other) << "Stoffdaten"
                                       << "Zustand";
        QTest::newRow("medium 7") << "UPDATE Stoffdaten SET Medium = 7" << int(K::Other) << "Stoffdaten"
                                  << "Medium";
        // Values only an edit of the file gives: no command saves them, and the sheets would take them as they come.
        QTest::newRow("mode 5") << "UPDATE Parameter SET Modus = 5" << int(K::Other) << "Parameter" << "Modus";
        QTest::newRow("water as an ideal gas") << "UPDATE Stoffdaten SET Medium = 1, Zustand = 0" << int(K::Other)
                                               << "Stoffdaten" << "Zustand";
        QTest::newRow("wizard vapour as a liquid") << "UPDATE Stoffdaten SET Medium = 5" << int(K::Other)
                                                   << "Stoffdaten" << "Zustand";
        QTest::newRow("given pipe size empty") << "UPDATE Rohrdaten SET DN1Rohr = ''" << int(K::Other) << "Rohrdaten"
                                               << "DN1Rohr";
        QTest::newRow("given pipe size 33 mm")
            << "UPDATE Einheiten SET DNunit = 0; UPDATE Rohrdaten SET DN1Rohr = '50', DN2Rohr = '33'" << int(K::Other)
            << "Rohrdaten" << "DN2Rohr";
        QTest::newRow("given pipe size in inches under mm")
            << "UPDATE Einheiten SET DNunit = 0; UPDATE Rohrdaten SET DN2Rohr = '80'" << int(K::Other) << "Rohrdaten"
            << "DN1Rohr";
        QTest::newRow("characteristic 3") << "UPDATE Ventildaten SET Kennlinie = 3" << int(K::Other)
                                          << "Ventildaten" << "Kennlinie";
        QTest::newRow("given valve size blank on the flow sheet") << "UPDATE Ventildaten SET DNVentil = ' '"
                                                                  << int(K::Other) << "Ventildaten" << "DNVentil";
        QTest::newRow("given valve size empty on the sizing sheet")
            << "UPDATE Parameter SET Modus = 0, DNmin = 0; UPDATE Ventildaten SET DNVentil = ''" << int(K::Other)
            << "Ventildaten" << "DNVentil";
        // The fluid-data flags, which older files lack, are checked as the other flags are.
        QTest::newRow("Null in a fluid-data flag") << "ALTER TABLE Parameter ADD COLUMN StoffdatenNorm BOOLEAN"
                                                   << int(K::TypeMismatch) << "Parameter" << "StoffdatenNorm";
        QTest::newRow("text in a fluid-data flag")
            << "ALTER TABLE Parameter ADD COLUMN StoffdatenAktuell BOOLEAN; "
               "UPDATE Parameter SET StoffdatenAktuell = 'vielleicht'"
            << int(K::TypeMismatch) << "Parameter" << "StoffdatenAktuell";
        QTest::newRow("unknown series") << "UPDATE Ventildaten SET Ventiltyp = '4627'" << int(K::Other)
                                        << "Ventildaten" << "Ventiltyp";
    }
    void failedLoadChangesNothing()
    {
        QFETCH(QString, setup);
        QFETCH(int, kind);
        QFETCH(QString, table);
        QFETCH(QString, column);

        const QString name = QStringLiteral("broken");
        QFile::remove(path(name));
        auto sound = sample();
        if (setup == QLatin1String("text")) {
            QFile f(path(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("This is no database, only a text that ends in .vls\n");
        } else if (setup.startsWith(QLatin1String("omit:"))) {
            createProject(path(name), *sound, {setup.mid(5)});
        } else if (setup != QLatin1String("nofile")) {
            createProject(path(name), *sound);
            execSql(path(name), setup);
        }

        // The running program's data: other values than the file's, and open handles.
        SharedData data;
        data.p1Max = 4.5;
        data.Ventiltyp = QStringLiteral("3264");
        data.Bezeichnung = Variant(QStringLiteral("mein Ventil"));
        QFile::remove(path(QStringLiteral("handle")));
        auto handle = Database::create(path(QStringLiteral("handle")));
        data.dbKenndaten = handle;
        data.Sprache = 2;
        const std::vector<Variant> before = snapshot(data, projectItems());

        bool thrown = false;
        try {
            LoadParameter(dir_.path(), name, data);
        } catch (const DbError &e) {
            thrown = true;
            QCOMPARE(int(e.kind()), kind);
            QVERIFY2(e.text().contains(path(name)), qPrintable(e.text()));
            QVERIFY2(e.text().contains(table), qPrintable(e.text()));
            QVERIFY2(e.text().contains(column), qPrintable(e.text()));
        }
        QVERIFY(thrown);
        const QString changed = firstChange(data, before, projectItems());
        QVERIFY2(changed.isEmpty(), qPrintable(changed));
        QCOMPARE(data.dbKenndaten, handle);
        QCOMPARE(data.Sprache, 2);
        handle.reset();
        data.dbKenndaten.reset();
        QFile::remove(path(QStringLiteral("handle")));
    }

    // Whether a wizard medium's data are current, per column, comes back as saved, into a file without the flags'
    // columns (as every older project and the templates are) and into one that has them. Such a file counts them
    // current.
    void fluidDataFlagsComeBackAsSaved_data()
    {
        QTest::addColumn<QList<bool>>("saved"); // StoffdatenAktuell, StoffdatenMin, StoffdatenNorm; empty: never
        QTest::addColumn<QList<bool>>("loaded");
        QTest::newRow("p1 edited since the hand-over") << QList<bool>{false, true, true} << QList<bool>{false, true, true};
        QTest::newRow("handed over for the max column only") << QList<bool>{true, false, false}
                                                             << QList<bool>{true, false, false};
        QTest::newRow("handed over without the norm column") << QList<bool>{true, true, false}
                                                             << QList<bool>{true, true, false};
        QTest::newRow("a file without them") << QList<bool>{} << QList<bool>{true, true, true};
    }
    void fluidDataFlagsComeBackAsSaved()
    {
        QFETCH(QList<bool>, saved);
        QFETCH(QList<bool>, loaded);
        const QString name = QStringLiteral("flags");
        QFile::remove(path(name));
        createProject(path(name), *sample());
        auto set = [](SharedData &d, const QList<bool> &v) {
            d.StoffdatenAktuell = v[0];
            d.StoffdatenMin = v[1];
            d.StoffdatenNorm = v[2];
        };
        if (!saved.isEmpty()) {
            // First the opposite, which adds the columns, then the values of the row into the columns there.
            auto d = sample();
            set(*d, {!saved[0], !saved[1], !saved[2]});
            SaveParameter(dir_.path(), name, *d);
            set(*d, saved);
            SaveParameter(dir_.path(), name, *d);
            // Held as the file holds its other flags.
            auto db = Database::open(path(name), Database::Mode::ReadOnly);
            for (const FieldDef &column : db->columns(QStringLiteral("Parameter")))
                if (column.name.startsWith(QLatin1String("Stoffdaten")))
                    QCOMPARE(int(column.type), int(FieldType::Boolean));
            QCOMPARE(db->columns(QStringLiteral("Parameter")).size(), std::size_t(10));
        }
        SharedData d;
        set(d, {!loaded[0], !loaded[1], !loaded[2]});
        LoadParameter(dir_.path(), name, d);
        QCOMPARE((QList<bool>{d.StoffdatenAktuell, d.StoffdatenMin, d.StoffdatenNorm}), loaded);
    }

    void failedSaveLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("table");
        using K = DbError::Kind;
        QTest::newRow("read-only file") << "readonly" << int(K::ReadOnly) << "";
        QTest::newRow("missing last table") << "DROP TABLE \"Wärmetauscher\"" << int(K::NoSuchTable) << "Wärmetauscher";
        // The eight tables before are written first; the transaction takes them back.
        QTest::newRow("last table without record") << "DELETE FROM \"Wärmetauscher\"" << int(K::NoCurrentRecord)
                                                   << "Wärmetauscher";
        QTest::newRow("missing column of the last table") << "omit:WTLeistungMax" << int(K::NoSuchColumn)
                                                          << "Wärmetauscher";
        QTest::newRow("integer beyond 16 bits") << "value:Medium" << int(K::TypeMismatch) << "Stoffdaten";
        QTest::newRow("not a number") << "value:QMax" << int(K::TypeMismatch) << "Betriebsdaten";
        QTest::newRow("missing file") << "nofile" << int(K::NoSuchFile) << "";
    }
    void failedSaveLeavesTheFileAsItWas()
    {
        QFETCH(QString, setup);
        QFETCH(int, kind);
        QFETCH(QString, table);

        const QString name = QStringLiteral("save");
        const QString file = path(name);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(file);
        auto data = sample();
        if (setup.startsWith(QLatin1String("omit:")))
            createProject(file, SharedData(), {setup.mid(5)});
        else if (setup != QLatin1String("nofile"))
            createProject(file, SharedData());
        if (setup == QLatin1String("readonly"))
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        else if (setup == QLatin1String("value:Medium"))
            data->Medium = 40000;
        else if (setup == QLatin1String("value:QMax"))
            data->QMax = std::numeric_limits<double>::quiet_NaN();
        else if (!setup.startsWith(QLatin1String("omit:")) && setup != QLatin1String("nofile"))
            execSql(file, setup);
        const QByteArray before = bytesOf(file);

        bool thrown = false;
        try {
            SaveParameter(dir_.path(), name, *data);
        } catch (const DbError &e) {
            thrown = true;
            QCOMPARE(int(e.kind()), kind);
            QVERIFY2(e.text().contains(file), qPrintable(e.text()));
            QVERIFY2(e.text().contains(table), qPrintable(e.text()));
        }
        QVERIFY(thrown);
        QCOMPARE(QFile::exists(file), setup != QLatin1String("nofile"));
        QVERIFY(bytesOf(file) == before);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    }

    void interruptedSaveIsUndoneBeforeLoading_data()
    {
        QTest::addColumn<QString>("change"); // the killed save's change of the first records
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("project items") << "UPDATE Betriebsdaten SET p1Max = 99; UPDATE Ventildaten SET Ventiltyp = 'x'"
                                       << false;
        QTest::newRow("program parameters") << "UPDATE _Programmparameter SET Sprache = 9, Benutzername = 'x'"
                                            << false;
        QTest::newRow("read-only file") << "UPDATE Betriebsdaten SET p1Max = 99" << true;
    }
    void interruptedSaveIsUndoneBeforeLoading()
    {
        QFETCH(QString, change);
        QFETCH(bool, readOnly);
        const QString name = QStringLiteral("killed");
        const QString file = path(name);
        QFile::remove(file);
        QFile::remove(interrupted::journalOf(file));
        const auto written = sample();
        createProject(file, *written);
        interrupted::killWriteInside(file, change);
        if (readOnly)
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
        const QByteArray fileBefore = bytesOf(file);
        const QByteArray journalBefore = bytesOf(interrupted::journalOf(file));

        SharedData loaded;
        try {
            LoadProgrammParameter(dir_.path(), name, loaded);
            LoadParameter(dir_.path(), name, loaded);
            QVERIFY(!readOnly);
        } catch (const DbError &e) {
            QVERIFY2(readOnly, qPrintable(e.text()));
            // The message names the journal; the file and the journal wait for write access, untouched.
            QCOMPARE(e.kind(), DbError::Kind::ReadOnly);
            QVERIFY2(e.text().contains(interrupted::journalOf(file)), qPrintable(e.text()));
            QVERIFY(bytesOf(file) == fileBefore);
            QVERIFY(bytesOf(interrupted::journalOf(file)) == journalBefore);
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
            return;
        }
        // The values from before the killed save, and a sound file without the save's ballast.
        QCOMPARE(firstDifference(*written, loaded, projectItems()), QString());
        QCOMPARE(firstDifference(*written, loaded, programParameterItems()), QString());
        QVERIFY(!QFile::exists(interrupted::journalOf(file)));
        auto db = Database::open(file, Database::Mode::ReadOnly);
        db->checkPages();
        QVERIFY(!db->hasTable(QStringLiteral("q_ballast")));
    }

    void damagedFileIsRefusedAndNeverWritten_data()
    {
        QTest::addColumn<QString>("harm");
        // Rohrdaten on the pages of Schalldaten reads its numbers (a load once took them) and a save of Rohrdaten
        // overwrote the sound levels.
        QTest::newRow("two tables on one b-tree") << damage::sharedPagesSql(QStringLiteral("Schalldaten"),
                                                                           QStringLiteral("Rohrdaten"));
        QTest::newRow("page owned by nothing") << "orphan page";
    }
    void damagedFileIsRefusedAndNeverWritten()
    {
        QFETCH(QString, harm);
        const QString name = QStringLiteral("damaged");
        const QString file = path(name);
        QFile::remove(file);
        createProject(file, *sample());
        if (harm == QLatin1String("orphan page"))
            damage::addOrphanPage(file);
        else
            execSql(file, harm);
        const QByteArray before = bytesOf(file);

        const std::function<void()> steps[] = {
            [&] {
                SharedData d;
                LoadParameter(dir_.path(), name, d);
            },
            [&] {
                SharedData d;
                LoadProgrammParameter(dir_.path(), name, d);
            },
            [&] { SaveParameter(dir_.path(), name, *sample()); },
            [&] { SaveProgrammParameter(dir_.path(), name, *sample()); },
        };
        const char *stepNames[] = {"load", "load parameters", "save", "save parameters"};
        for (int i = 0; i < 4; ++i) {
            QString text;
            try {
                steps[i]();
            } catch (const DbError &e) {
                QCOMPARE(e.kind(), DbError::Kind::NotADatabase);
                text = e.text();
            }
            QVERIFY2(text.contains(file) && text.contains(QLatin1String("damaged")),
                     qPrintable(QStringLiteral("%1: \"%2\"").arg(QLatin1String(stepNames[i]), text)));
            QVERIFY2(bytesOf(file) == before, stepNames[i]);
        }
    }

    void hugeTableCostsNoMoreThanItsFirstRecord_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("project table") << "Ausdruck";
        QTest::newRow("program parameters") << "_Programmparameter";
    }
    void hugeTableCostsNoMoreThanItsFirstRecord()
    {
        QFETCH(QString, table);
        const QString name = QStringLiteral("huge");
        const QString file = path(name);
        QFile::remove(file);
        const auto written = sample();
        createProject(file, *written);
        // 2^21 records, the first one as written, the others different.
        execSql(file, QStringLiteral("CREATE TABLE n AS WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c "
                                     "WHERE i < 2097151) SELECT i FROM c; "
                                     "INSERT INTO \"%1\" SELECT t.* FROM \"%1\" AS t, n; DROP TABLE n; "
                                     "UPDATE \"%1\" SET %2 WHERE rowid > 1")
                          .arg(table, table == QLatin1String("Ausdruck") ? QStringLiteral("TextFirma = 'andere'")
                                                                        : QStringLiteral("Sprache = 1")));
        const qint64 size = QFileInfo(file).size();
        QVERIFY(size > 40 * 1024 * 1024);

        const qint64 start = bytesReadSoFar();
        QVERIFY(start >= 0);
        SharedData loaded;
        LoadProgrammParameter(dir_.path(), name, loaded);
        LoadParameter(dir_.path(), name, loaded);
        const qint64 read = bytesReadSoFar() - start;
        QCOMPARE(firstDifference(*written, loaded, projectItems()), QString());
        QCOMPARE(firstDifference(*written, loaded, programParameterItems()), QString());
        // A project file of one record per table is some 40 KB; the loaders read about that much of this one.
        QVERIFY2(read < 1024 * 1024, qPrintable(QStringLiteral("%1 of %2 bytes read").arg(read).arg(size)));
        QFile::remove(file);
    }

    void numbersStoredAsTextLoadAlikeInEveryLocale_data()
    {
        // p1Max sits in a column without a declared type here, as a file written by another program may have it:
        // a text stays a text there, and a number a number.
        QTest::addColumn<QString>("value"); // SQL
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("message"); // part of the refusal, or empty
        const double none = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("decimal point") << "'2.5'" << 2.5 << "";
        QTest::newRow("exponent and blanks") << "' 1.5e3 '" << 1500.0 << "";
        QTest::newRow("decimal comma") << "'2,5'" << none << "holds \"2,5\", which is not a number";
        QTest::newRow("group separator") << "'1,000.5'" << none << "which is not a number";
        QTest::newRow("infinite text") << "'inf'" << none << "holds an infinite number";
        QTest::newRow("beyond the double range") << "'-1e999'" << none << "holds an infinite number";
        QTest::newRow("infinite number") << "-9e999" << none << "holds an infinite number";
        QTest::newRow("number") << "12.75" << 12.75 << "";
    }
    void numbersStoredAsTextLoadAlikeInEveryLocale()
    {
        QFETCH(QString, value);
        QFETCH(double, expected);
        QFETCH(QString, message);
        const QString name = QStringLiteral("textnumber");
        QFile::remove(path(name));
        createProject(path(name), *sample(), {QStringLiteral("p1Max")});
        execSql(path(name), QStringLiteral("ALTER TABLE Betriebsdaten ADD COLUMN p1Max; "
                                           "UPDATE Betriebsdaten SET p1Max = %1").arg(value));
        for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
            numtext::setUserLocale(locale);
            SharedData loaded;
            QString refusal;
            try {
                LoadParameter(dir_.path(), name, loaded);
            } catch (const DbError &e) {
                refusal = e.text();
            }
            const QString where = locale.name() + QStringLiteral(": ") + refusal;
            if (message.isEmpty()) {
                QVERIFY2(refusal.isEmpty(), qPrintable(where));
                QCOMPARE(loaded.p1Max, expected);
            } else {
                QVERIFY2(refusal.contains(message) && refusal.contains(QLatin1String("p1Max")), qPrintable(where));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_project_file.moc"
