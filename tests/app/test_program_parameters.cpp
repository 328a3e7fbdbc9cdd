#include "project_fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace fixture;

class TestProgramParameters : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString &name) const { return projectFilePath(dir_.path(), name); }

    // A default project whose program parameters differ from the sample's.
    QString freshDefault(const QString &name)
    {
        QFile::setPermissions(path(name), QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path(name));
        SharedData first;
        first.Ventiltyp = QStringLiteral("4627_71");
        first.FormTop = Variant(-1.0f);
        createProject(path(name), first);
        return name;
    }

private slots:
    void saveThenLoadRestoresTheTwelveParameters_data()
    {
        QTest::addColumn<bool>("nulls");
        QTest::newRow("values") << false;
        // Window place and print switches may be Null (never stored yet) and load as Null without an error.
        QTest::newRow("Null window place and switches") << true;
    }
    void saveThenLoadRestoresTheTwelveParameters()
    {
        QFETCH(bool, nulls);
        const QString name = freshDefault(QStringLiteral("Default"));
        auto written = sample();
        if (nulls) {
            written->FormTop = written->FormLeft = written->FormHeight = Variant::null();
            written->DruckProzessdaten = written->DruckVentildaten = written->DruckStellverhältnis = Variant::null();
            written->DruckRohrleitung = written->DruckSchalldruck = written->DruckStoffdaten = Variant::null();
        }
        QCOMPARE(programParameterItems().size(), std::size_t(12));
        SaveProgrammParameter(dir_.path(), name, *written);

        SharedData loaded;
        LoadProgrammParameter(dir_.path(), name, loaded);
        const QString diff = firstDifference(*written, loaded, programParameterItems());
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        QCOMPARE(loaded.Benutzername, QStringLiteral("Jana Nováková"));
        QCOMPARE(loaded.KD_Version, 6417);
    }

    void emptyParameterIsStoredAsNull()
    {
        const QString name = freshDefault(QStringLiteral("empty"));
        SharedData d;
        d.FormHeight = Variant();
        d.DruckSchalldruck = Variant();
        SaveProgrammParameter(dir_.path(), name, d);
        SharedData loaded;
        loaded.FormHeight = Variant(1.0f);
        LoadProgrammParameter(dir_.path(), name, loaded);
        QVERIFY(loaded.FormHeight.isNull());
        QVERIFY(loaded.DruckSchalldruck.isNull());
    }

    void savingLeavesTheProjectTablesAlone()
    {
        const QString name = freshDefault(QStringLiteral("project"));
        const auto project = sample();
        SaveParameter(dir_.path(), name, *project);
        SharedData other;
        other.Sprache = 3;
        other.p1Max = -5.0; // project values of the parameter writer must not reach the file
        SaveProgrammParameter(dir_.path(), name, other);

        SharedData loaded;
        LoadParameter(dir_.path(), name, loaded);
        const QString diff = firstDifference(*project, loaded, projectItems());
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        LoadProgrammParameter(dir_.path(), name, loaded);
        QCOMPARE(loaded.Sprache, 3);
    }

    void whole16BitParametersRoundHalvesToEven_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("sprache");
        QTest::addColumn<int>("version");
        QTest::newRow("2.5 -> 2") << "UPDATE _Programmparameter SET Sprache = 2.5" << 2 << 0;
        QTest::newRow("3.5 -> 4") << "UPDATE _Programmparameter SET Sprache = 3.5" << 4 << 0;
        QTest::newRow("language without a flag kept") << "UPDATE _Programmparameter SET Sprache = 6" << 6 << 0;
        QTest::newRow("negative language kept") << "UPDATE _Programmparameter SET Sprache = -1" << -1 << 0;
        QTest::newRow("6416.5 -> 6416") << "UPDATE _Programmparameter SET KD_Version = 6416.5" << 0 << 6416;
    }
    void whole16BitParametersRoundHalvesToEven()
    {
        QFETCH(QString, sql);
        QFETCH(int, sprache);
        QFETCH(int, version);
        const QString name = freshDefault(QStringLiteral("round"));
        execSql(path(name), sql);
        SharedData loaded;
        loaded.Sprache = 1;
        loaded.KD_Version = 1;
        LoadProgrammParameter(dir_.path(), name, loaded);
        QCOMPARE(loaded.Sprache, sprache);
        QCOMPARE(loaded.KD_Version, version);
    }

    void failedLoadChangesNothing_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("column");
        using K = DbError::Kind;
        QTest::newRow("missing file") << "nofile" << int(K::NoSuchFile) << "";
        QTest::newRow("project without parameters") << "noparams" << int(K::NoSuchTable) << "";
        QTest::newRow("missing column") << "omit:DruckStoffdaten" << int(K::NoSuchColumn) << "DruckStoffdaten";
        QTest::newRow("no record") << "DELETE FROM _Programmparameter" << int(K::NoCurrentRecord) << "";
        QTest::newRow("Null language") << "UPDATE _Programmparameter SET Sprache = NULL" << int(K::TypeMismatch)
                                       << "Sprache";
        QTest::newRow("Null user name") << "UPDATE _Programmparameter SET Benutzername = NULL"
                                        << int(K::TypeMismatch) << "Benutzername";
        QTest::newRow("text display variant") << "UPDATE _Programmparameter SET KD_Version = 'extra'"
                                              << int(K::TypeMismatch) << "KD_Version";
    }
    void failedLoadChangesNothing()
    {
        QFETCH(QString, setup);
        QFETCH(int, kind);
        QFETCH(QString, column);
        const QString name = QStringLiteral("broken");
        QFile::remove(path(name));
        const auto file = sample();
        if (setup == QLatin1String("noparams"))
            createProject(path(name), *file, {}, false);
        else if (setup.startsWith(QLatin1String("omit:")))
            createProject(path(name), *file, {setup.mid(5)});
        else if (setup != QLatin1String("nofile")) {
            createProject(path(name), *file);
            execSql(path(name), setup);
        }

        SharedData data;
        data.Sprache = 1;
        data.Benutzername = QStringLiteral("Otto");
        data.FormTop = Variant(300.0f);
        const std::vector<Variant> before = snapshot(data, programParameterItems());
        bool thrown = false;
        try {
            LoadProgrammParameter(dir_.path(), name, data);
        } catch (const DbError &e) {
            thrown = true;
            QCOMPARE(int(e.kind()), kind);
            QVERIFY2(e.text().contains(path(name)), qPrintable(e.text()));
            if (setup != QLatin1String("nofile"))
                QVERIFY2(e.text().contains(QLatin1String("_Programmparameter")), qPrintable(e.text()));
            QVERIFY2(e.text().contains(column), qPrintable(e.text()));
        }
        QVERIFY(thrown);
        const QString changed = firstChange(data, before, programParameterItems());
        QVERIFY2(changed.isEmpty(), qPrintable(changed));
    }

    void failedSaveLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("kind");
        using K = DbError::Kind;
        QTest::newRow("read-only file") << "readonly" << int(K::ReadOnly);
        QTest::newRow("no record") << "DELETE FROM _Programmparameter" << int(K::NoCurrentRecord);
        QTest::newRow("missing last column") << "omit:DruckStoffdaten" << int(K::NoSuchColumn);
        QTest::newRow("display variant beyond 16 bits") << "version" << int(K::TypeMismatch);
    }
    void failedSaveLeavesTheFileAsItWas()
    {
        QFETCH(QString, setup);
        QFETCH(int, kind);
        const QString name = QStringLiteral("save");
        const QString file = path(name);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(file);
        createProject(file, SharedData(), setup.startsWith(QLatin1String("omit:")) ? QSet<QString>{setup.mid(5)}
                                                                                 : QSet<QString>{});
        auto data = sample();
        if (setup == QLatin1String("readonly"))
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        else if (setup == QLatin1String("version"))
            data->KD_Version = 64170;
        else if (!setup.startsWith(QLatin1String("omit:")))
            execSql(file, setup);
        const QByteArray before = bytesOf(file);
        bool thrown = false;
        try {
            SaveProgrammParameter(dir_.path(), name, *data);
        } catch (const DbError &e) {
            thrown = true;
            QCOMPARE(int(e.kind()), kind);
            QVERIFY2(e.text().contains(file), qPrintable(e.text()));
        }
        QVERIFY(thrown);
        QVERIFY(bytesOf(file) == before);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(TestProgramParameters)
#include "test_program_parameters.moc"
