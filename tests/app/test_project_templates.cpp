#include "project_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace fixture;

// The shipped project files as the build generates them from data/.
class TestProjectTemplates : public QObject {
    Q_OBJECT

    const QString seedDir_ = QStringLiteral(QUENDRA_SEED_DIR);
    const QString programDir_ = QStringLiteral(QUENDRA_PROGRAM_DIR);
    QTemporaryDir dir_;

    static QStringList columnsOf(const std::vector<FileItem> &items, const QString &table)
    {
        QStringList columns;
        for (const FileItem &item : items)
            if (item.table == table)
                columns << item.column;
        return columns;
    }

private slots:
    void templatesHoldTheTablesOfOneRecord_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("withParameters");
        QTest::newRow("blank.vls") << QStringLiteral(QUENDRA_PROGRAM_DIR "/blank.vls") << false;
        QTest::newRow("Default.vls") << QStringLiteral(QUENDRA_SEED_DIR "/Default.vls") << true;
    }
    void templatesHoldTheTablesOfOneRecord()
    {
        QFETCH(QString, file);
        QFETCH(bool, withParameters);
        QVERIFY2(QFileInfo::exists(file), qPrintable(file + QLatin1String(" has not been generated")));
        auto db = Database::open(file, Database::Mode::ReadOnly);
        QStringList expected = projectTables();
        if (withParameters)
            expected << QStringLiteral("_Programmparameter");
        QStringList actual = db->tableNames();
        actual.sort();
        expected.sort();
        QCOMPARE(actual, expected);
        for (const QString &table : projectTables()) {
            QCOMPARE(db->columnNames(table), columnsOf(projectItems(), table));
            QCOMPARE(db->openTable(table)->recordCount(), 1L);
        }
        if (withParameters) {
            QCOMPARE(db->columnNames(QStringLiteral("_Programmparameter")),
                     columnsOf(programParameterItems(), QStringLiteral("_Programmparameter")));
            QCOMPARE(db->openTable(QStringLiteral("_Programmparameter"))->recordCount(), 1L);
        }
    }

    void defaultProjectIsASizingCaseForWater()
    {
        const QString file = seedDir_ + QLatin1String("/Default.vls");
        QVERIFY2(QFileInfo::exists(file), qPrintable(file + QLatin1String(" has not been generated")));
        SharedData d;
        LoadProgrammParameter(seedDir_, QStringLiteral("Default"), d);
        LoadParameter(seedDir_, QStringLiteral("Default"), d);

        QCOMPARE(d.Modus, 0);
        QCOMPARE(d.Ventiltyp, QStringLiteral("4627_71"));
        QCOMPARE(d.Kennlinie, 1);
        QCOMPARE(d.DNVentil, QStringLiteral("50"));
        QCOMPARE(d.DNunit, 0);
        QCOMPARE(d.KvsCv, 40.0f);
        QCOMPARE(d.KvUnit, 0);
        QCOMPARE(d.Medium, 1);
        QCOMPARE(d.Zustand, 1);
        QCOMPARE(d.p1Unit, 0); // bar absolute, so p2 > 0 means a real outlet pressure
        QCOMPARE(d.p2Unit, 0);
        const double p1[] = {d.p1Min, d.p1Norm, d.p1Max};
        const double p2[] = {d.p2Min, d.p2Norm, d.p2Max};
        const double q[] = {d.QMin, d.QNorm, d.QMax};
        const double t1[] = {d.T1Min, d.T1Norm, d.T1Max};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(p1[i] > p2[i]);
            QVERIFY(p2[i] > 0.0);
            QVERIFY(q[i] > 0.0);
            QVERIFY(t1[i] > 0.0 && t1[i] < 100.0); // liquid water at these pressures
        }
        QVERIFY(d.QMin < d.QNorm && d.QNorm < d.QMax);

        QCOMPARE(d.Sprache, 0);
        QCOMPARE(d.Benutzername, QStringLiteral("0"));
        QCOMPARE(d.KD_Version, 0);
        QCOMPARE(d.FormTop.toDouble(), -1.0);
        QCOMPARE(d.FormLeft.toDouble(), -1.0);
        QVERIFY(d.FormHeight.toDouble() >= 5000.0);
        for (const Variant *s : {&d.DruckProzessdaten, &d.DruckVentildaten, &d.DruckStellverhältnis,
                                 &d.DruckRohrleitung, &d.DruckSchalldruck, &d.DruckStoffdaten})
            QVERIFY(s->toBool());
    }

    void blankTemplateTakesAFullSave()
    {
        const QString blank = programDir_ + QLatin1String("/blank.vls");
        QVERIFY2(QFileInfo::exists(blank), qPrintable(blank + QLatin1String(" has not been generated")));
        const QString copy = projectFilePath(dir_.path(), QStringLiteral("Neu"));
        QFile::remove(copy);
        QVERIFY(QFile::copy(blank, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

        // The untouched template names no valve series and is refused.
        SharedData untouched;
        QVERIFY_THROWS_EXCEPTION(DbError, LoadParameter(dir_.path(), QStringLiteral("Neu"), untouched));

        const auto written = sample();
        SaveParameter(dir_.path(), QStringLiteral("Neu"), *written);
        SharedData loaded;
        LoadParameter(dir_.path(), QStringLiteral("Neu"), loaded);
        const QString diff = firstDifference(*written, loaded, projectItems());
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }
};

QTEST_GUILESS_MAIN(TestProjectTemplates)
#include "test_project_templates.moc"
