#include "project_fixture.h"

#include "platform/core/number_text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

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
        QTest::newRow("2.5 -> 2") << "UPDATE Stoffdaten SET Medium = 2.5" << "Medium" << 2.0;
        QTest::newRow("3.5 -> 4") << "UPDATE Stoffdaten SET Medium = 3.5" << "Medium" << 4.0;
        QTest::newRow("4.5 -> 4") << "UPDATE Stoffdaten SET Medium = 4.5" << "Medium" << 4.0;
        QTest::newRow("mode without a sheet kept") << "UPDATE Parameter SET Modus = 2" << "Modus" << 2.0;
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
        QTest::newRow("gas flow unit 5") << "UPDATE Einheiten SET QUnit = 5" << int(K::Other) << "Einheiten"
                                         << "QUnit";
        QTest::newRow("steam flow unit 2")
            << "UPDATE Stoffdaten SET Zustand = 2; UPDATE Einheiten SET QUnit = 2" << int(K::Other) << "Einheiten"
            << "QUnit";
        QTest::newRow("fluid state 3") << "UPDATE Stoffdaten SET Zustand = 3" << int(K::Other) << "Stoffdaten"
                                       << "Zustand";
        QTest::newRow("medium 7") << "UPDATE Stoffdaten SET Medium = 7" << int(K::Other) << "Stoffdaten"
                                  << "Medium";
        QTest::newRow("characteristic 3") << "UPDATE Ventildaten SET Kennlinie = 3" << int(K::Other)
                                          << "Ventildaten" << "Kennlinie";
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
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_project_file.moc"
