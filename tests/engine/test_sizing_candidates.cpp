// Candidate table "_aktuell" and the sizing sheet's nominal-size and Kvs lists on small fixture catalogues.

#include "engine/candidate_table.h"
#include "engine/recalc_common.h"
#include "sizing_fixture.h"
#include "support/exec_sql.h"

#include <QtTest>

using namespace sizingfixture;

Q_DECLARE_METATYPE(std::vector<ValveRow>)

namespace {

// "DN/Kvs" of every row of the work table, in stored order.
QStringList workTable()
{
    QStringList rows;
    auto rs = shared().dbKenndaten->openTable("_aktuell");
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        rows << rs->field("DN").toString() + "/" + numtext::general(rs->field("Kvs").toDouble(), 7);
    return rows;
}

// A text written with a decimal point, in the user's decimal separator.
QString loc(QString text)
{
    return text.replace('.', numtext::userLocale().decimalPoint());
}

QStringList loc(QStringList texts)
{
    for (QString &t : texts)
        t = loc(t);
    return texts;
}

void rebuild()
{
    SharedData &s = shared();
    update_Tabelle_aktuell(*s.rsVentil, s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit, s.DNmin, s.KvsOpt);
}

std::vector<ValveRow> seriesOfSizes(const std::vector<int> &sizes)
{
    std::vector<ValveRow> rows;
    float kvs = 1;
    for (int dn : sizes) {
        rows.push_back({dn, 1, kvs});
        kvs *= 2;
    }
    return rows;
}

} // namespace

class TestSizingCandidates : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { numtext::resetUserLocale(); }

    void workTableHoldsTheCandidates_data()
    {
        QTest::addColumn<bool>("DNmin");
        QTest::addColumn<bool>("KvsOpt");
        QTest::addColumn<int>("Kennlinie");
        QTest::addColumn<int>("DNunit");
        QTest::addColumn<QString>("DNVentil");
        QTest::addColumn<int>("KvUnit");
        QTest::addColumn<float>("KvsCv");
        QTest::addColumn<QStringList>("expected");

        const QStringList allEqualPercentage = {"15/1", "15/2.5", "15/4", "20/6.3", "25/10",
                                                "32/16", "40/25", "50/40", "80/100"};
        QTest::newRow("minimal: every row of the characteristic, whatever size and Kvs say")
            << true << false << 1 << 0 << "999" << 0 << 0.5f << allEqualPercentage;
        QTest::newRow("minimal, linear") << true << true << 0 << 0 << "15" << 0 << 4.0f
                                         << QStringList{"15/4", "25/10", "50/40"};
        QTest::newRow("given size, optimised Kvs") << false << true << 1 << 0 << "15" << 0 << 40.0f
                                                   << QStringList{"15/1", "15/2.5", "15/4"};
        QTest::newRow("given inch size of DN 80") << false << true << 1 << 1 << "3\"" << 0 << 1.0f
                                                  << QStringList{"80/100"};
        QTest::newRow("given size and Kvs") << false << false << 1 << 0 << "15" << 0 << 2.5f
                                            << QStringList{"15/2.5"};
        QTest::newRow("given size and Cv") << false << false << 1 << 0 << "15" << 1
                                           << static_cast<float>(1.16 * 2.5f) << QStringList{"15/2.5"};
        QTest::newRow("no row of that size and Kvs: the series' last row, another characteristic")
            << false << false << 0 << 0 << "15" << 0 << 1.0f << QStringList{"80/100"};
        QTest::newRow("unknown inch text compares as 0") << false << true << 1 << 1 << "7\"" << 0 << 1.0f
                                                         << QStringList{"80/100"};
        QTest::newRow("Cv no row has") << false << false << 1 << 0 << "15" << 1 << 3.0f
                                       << QStringList{"80/100"};
    }
    void workTableHoldsTheCandidates()
    {
        QFETCH(bool, DNmin);
        QFETCH(bool, KvsOpt);
        QFETCH(int, Kennlinie);
        QFETCH(int, DNunit);
        QFETCH(QString, DNVentil);
        QFETCH(int, KvUnit);
        QFETCH(float, KvsCv);
        QFETCH(QStringList, expected);

        Fixture f;
        SharedData &s = shared();
        s.DNmin = DNmin;
        s.KvsOpt = KvsOpt;
        s.Kennlinie = Kennlinie;
        s.DNunit = DNunit;
        s.DNVentil = DNVentil;
        s.KvUnit = KvUnit;
        s.KvsCv = KvsCv;
        rebuild();
        QCOMPARE(workTable(), loc(expected));
        // The rebuild reads the options and writes none of them.
        QCOMPARE(s.DNVentil, DNVentil);
        QCOMPARE(s.KvsCv, KvsCv);
        QCOMPARE(s.Kennlinie, Kennlinie);
    }

    void workTableCopiesEveryColumnAndReplacesTheOldRows()
    {
        std::vector<ValveRow> series = {{15, 1, 2.5f, 30, {0.1, 0.2, 0.3, 0.4, 0, 0}, {0.9, -0.1, 0.05},
                                         {0.7, 0.05, -0.02}, 25.0f, "N15"},
                                        {20, 1, 6.3f}};
        Fixture f(series);
        SharedData &s = shared();
        s.DNmin = true;
        rebuild();
        QCOMPARE(workTable(), loc(QStringList{"15/2.5", "20/6.3"}));
        s.DNmin = false;
        s.DNVentil = "15";
        rebuild();
        QCOMPARE(workTable(), loc(QStringList{"15/2.5"}));

        auto work = s.dbKenndaten->openTable("_aktuell");
        auto source = s.dbKenndaten->openTable("TEST");
        work->moveFirst();
        source->moveFirst();
        for (const QString &column : candidates::workTableColumns())
            QVERIFY2(work->field(column) == source->field(column), qPrintable(column));
        QCOMPARE(candidates::workTableColumns().size(), 20);
    }

    void workTableRebuildIsAllOrNothing()
    {
        Fixture f;
        SharedData &s = shared();
        // A work table whose last column takes no text fails on the first row it writes, after it has deleted
        // the old rows; those must survive.
        s.dbKenndaten->dropTable("_aktuell");
        std::vector<FieldDef> fields;
        for (const QString &column : candidates::workTableColumns())
            fields.push_back({column, column == "Schalldaten" ? FieldType::Double : FieldType::Variant});
        s.dbKenndaten->createTable("_aktuell", fields);
        {
            auto work = s.dbKenndaten->openTable("_aktuell");
            work->addNew();
            work->setField("DN", Variant(65));
            work->setField("Kvs", Variant(63.0f));
            work->update();
        }
        QVERIFY_THROWS_EXCEPTION(DbError, rebuild());
        QCOMPARE(workTable(), QStringList{"65/63"});
        QVERIFY(!s.dbKenndaten->inTransaction());

        // A request whose candidates the table already holds leaves it as it is.
        s.dbKenndaten->dropTable("_aktuell");
        writeSeries(*s.dbKenndaten, "_aktuell", {});
        rebuild();
        const QStringList first = workTable();
        rebuild();
        QCOMPARE(workTable(), first);
    }

    void nominalSizeListFollowsTheCharacteristic_data()
    {
        QTest::addColumn<std::vector<ValveRow>>("series");
        QTest::addColumn<int>("Kennlinie");
        QTest::addColumn<int>("DNunit");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("KennlinieAfter");

        const std::vector<ValveRow> mixed = {{15, 1, 1}, {15, 1, 2}, {20, 0, 3}, {20, 1, 4}, {25, 1, 5}};
        QTest::newRow("repeated sizes once, other characteristics between do not interrupt")
            << mixed << 1 << 0 << QStringList{"15", "20", "25"} << 1;
        QTest::newRow("inch designations") << mixed << 1 << 1 << QStringList{"1/2\"", "3/4\"", "1\""} << 1;
        QTest::newRow("characteristic the series lacks: the first row's")
            << std::vector<ValveRow>{{15, 0, 1}, {20, 1, 2}, {25, 0, 3}} << 2 << 0 << QStringList{"15", "25"}
            << 0;
    }
    void nominalSizeListFollowsTheCharacteristic()
    {
        QFETCH(std::vector<ValveRow>, series);
        QFETCH(int, Kennlinie);
        QFETCH(int, DNunit);
        QFETCH(QStringList, items);
        QFETCH(int, KennlinieAfter);

        Fixture f(series);
        SharedData &s = shared();
        s.Kennlinie = Kennlinie;
        s.DNunit = DNunit;
        s.DNVentil = items.first();
        update_frmCalcSize_cmbDNVentil(*s.rsVentil, s.Kennlinie, s.DNVentil, s.DNunit);
        QCOMPARE(f.sheet.cmbDNVentil->items(), items);
        QCOMPARE(s.Kennlinie, KennlinieAfter);
    }

    void kvsListListsEveryRowOfTheSize_data()
    {
        QTest::addColumn<QString>("DNVentil");
        QTest::addColumn<int>("DNunit");
        QTest::addColumn<int>("KvUnit");
        QTest::addColumn<bool>("german");
        QTest::addColumn<QStringList>("items");

        QTest::newRow("Kvs, duplicates kept") << "15" << 0 << 0 << false << QStringList{"2.5", "2.5", "4"};
        QTest::newRow("size with blanks") << " 15 " << 0 << 0 << false << QStringList{"2.5", "2.5", "4"};
        QTest::newRow("Cv") << "20" << 0 << 1 << false << QStringList{"7.308"};
        QTest::newRow("inch size") << "3/4\"" << 1 << 0 << false << QStringList{"6.3"};
        QTest::newRow("decimal comma") << "20" << 0 << 0 << true << QStringList{"6,3"};
    }
    void kvsListListsEveryRowOfTheSize()
    {
        QFETCH(QString, DNVentil);
        QFETCH(int, DNunit);
        QFETCH(int, KvUnit);
        QFETCH(bool, german);
        QFETCH(QStringList, items);
        if (german)
            numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
        if (!german)
            items = loc(items);

        Fixture f({{15, 1, 2.5f}, {15, 1, 2.5f}, {15, 0, 3.0f}, {15, 1, 4.0f}, {20, 1, 6.3f}});
        SharedData &s = shared();
        s.Kennlinie = 1;
        s.DNunit = DNunit;
        s.KvUnit = KvUnit;
        s.KvsCv = 0;
        update_frmCalcSize_cmbKvsCv(*s.rsVentil, s.Kennlinie, DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
        QCOMPARE(f.sheet.cmbKvsCv->items(), items);
    }

    // A text in a number column a list reads is no item (it read as 0): the refill stops with the fault the run then
    // tells, naming the series table, the field and the value.
    void textInAListedColumnIsNoItem_data()
    {
        QTest::addColumn<QString>("update");
        QTest::addColumn<QString>("fault");
        QTest::newRow("a Kvs of the size") << "UPDATE TEST SET Kvs = 'x40' WHERE Kvs = 40" << "Kvs, Wert: \"x40\"";
        QTest::newRow("another size") << "UPDATE TEST SET DN = 'x80' WHERE DN = 80" << "DN, Wert: \"x80\"";
        QTest::newRow("another row's characteristic")
            << "UPDATE TEST SET Kennlinie = 'x1' WHERE DN = 80" << "Kennlinie, Wert: \"x1\"";
    }
    void textInAListedColumnIsNoItem()
    {
        QFETCH(QString, update);
        QFETCH(QString, fault);
        Fixture f({{50, 1, 25.0f}, {50, 1, 40.0f}, {80, 1, 100.0f}});
        SharedData &s = shared();
        testsupport::execSql(s.dbKenndaten->path(), update);
        s.Kennlinie = 1;
        s.DNVentil = "50";
        s.KvsCv = 25.0f;
        QVERIFY_THROWS_EXCEPTION(DbError, {
            update_frmCalcSize_cmbDNVentil(*s.rsVentil, s.Kennlinie, s.DNVentil, s.DNunit);
            update_frmCalcSize_cmbKvsCv(*s.rsVentil, s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
        });
        QVERIFY(!(s.ListeDNbereit && s.ListeKvsbereit) && s.ListenFehler);
        QCOMPARE(recalc::databaseFailure(*s.ListenFehler),
                 "Datenbankfehler: dbKenndaten.mdb, TEST: Der Wert ist keine Zahl. Feld: " + fault);
        QVERIFY(!f.sheet.cmbKvsCv->items().contains("0"));
    }

    // A stored size or Kvs the list lacks is replaced by the first item not smaller than it, by number.
    void reselectionComparesNumbers_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("DNunit");
        QTest::addColumn<QString>("selected");

        QTest::newRow("present stays") << "80" << 0 << "80";
        QTest::newRow("125 between 100 and 150") << "125" << 0 << "150";
        QTest::newRow("90 between 80 and 100") << "90" << 0 << "100";
        QTest::newRow("below the first") << "10" << 0 << "15";
        QTest::newRow("above the last") << "500" << 0 << "150";
        QTest::newRow("surrounding blanks") << " 40 " << 0 << "40";
        QTest::newRow("inch 5 between 4 and 6") << "5\"" << 1 << "6\"";
        QTest::newRow("inch present") << "1 1/2\"" << 1 << "1 1/2\"";
        QTest::newRow("inch above the last") << "16\"" << 1 << "6\"";
    }
    void reselectionComparesNumbers()
    {
        QFETCH(QString, stored);
        QFETCH(int, DNunit);
        QFETCH(QString, selected);

        Fixture f(seriesOfSizes({15, 20, 25, 32, 40, 50, 65, 80, 100, 150}));
        SharedData &s = shared();
        s.Kennlinie = 1;
        s.DNunit = DNunit;
        s.DNVentil = stored;
        s.ListeDNbereit = true;
        update_frmCalcSize_cmbDNVentil(*s.rsVentil, s.Kennlinie, s.DNVentil, s.DNunit);

        ComboBox &list = *f.sheet.cmbDNVentil;
        QCOMPARE(list.list(list.listIndex()), selected);
        QCOMPARE(s.DNVentil, stored == selected ? stored : selected);
        // Building the list selected an item without setting off the list's own handling.
        QCOMPARE(f.sheet.listClicksActing, 0);
        QVERIFY(s.ListeDNbereit);
    }

    void kvsReselectionComparesNumbers_data()
    {
        QTest::addColumn<float>("stored");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<float>("storedAfter");

        QTest::newRow("present") << 10.0f << "10" << 10.0f;
        QTest::newRow("12 between 10 and 16") << 12.0f << "16" << 16.0f;
        QTest::newRow("5 between 4 and 6.3") << 5.0f << "6.3" << 6.3f;
        QTest::newRow("below the first") << 1.0f << "4" << 4.0f;
        QTest::newRow("above the last") << 20.0f << "16" << 16.0f;
    }
    void kvsReselectionComparesNumbers()
    {
        QFETCH(float, stored);
        QFETCH(QString, selected);
        QFETCH(float, storedAfter);

        Fixture f({{25, 1, 4.0f}, {25, 1, 6.3f}, {25, 1, 10.0f}, {25, 1, 16.0f}});
        SharedData &s = shared();
        s.Kennlinie = 1;
        s.KvsCv = stored;
        s.ListeKvsbereit = true;
        update_frmCalcSize_cmbKvsCv(*s.rsVentil, s.Kennlinie, "25", 0, s.KvsCv, 0);

        ComboBox &list = *f.sheet.cmbKvsCv;
        QCOMPARE(list.list(list.listIndex()), loc(selected));
        QCOMPARE(s.KvsCv, storedAfter);
        QCOMPARE(f.sheet.listClicksActing, 0);
        QVERIFY(s.ListeKvsbereit);
    }

    void emptyKvsListSelectsNothing()
    {
        Fixture f;
        SharedData &s = shared();
        s.KvsCv = 7.0f;
        update_frmCalcSize_cmbKvsCv(*s.rsVentil, 1, "65", 0, s.KvsCv, 0);
        QCOMPARE(f.sheet.cmbKvsCv->listCount(), 0);
        QCOMPARE(f.sheet.cmbKvsCv->listIndex(), -1);
        QCOMPARE(s.KvsCv, 7.0f);
    }

    // While a list is being rebuilt, its ready flag keeps its handler from acting (and the sizing from running).
    void readyFlagIsFalseWhileTheListIsBuilt()
    {
        Fixture f;
        SharedData &s = shared();
        QList<bool> flagsSeen;
        f.sheet.cmbDNVentil->Click = [&] { flagsSeen << s.ListeDNbereit; };
        f.sheet.cmbKvsCv->Click = [&] { flagsSeen << s.ListeKvsbereit; };
        s.ListeDNbereit = s.ListeKvsbereit = true;
        s.DNVentil = "25";
        s.KvsCv = 10;
        update_frmCalcSize_cmbDNVentil(*s.rsVentil, s.Kennlinie, s.DNVentil, s.DNunit);
        update_frmCalcSize_cmbKvsCv(*s.rsVentil, s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
        QCOMPARE(flagsSeen, (QList<bool>{false, false}));
        QVERIFY(s.ListeDNbereit && s.ListeKvsbereit);
        QCOMPARE(f.sheet.cmbDNVentil->list(f.sheet.cmbDNVentil->listIndex()), QString("25"));
        QCOMPARE(f.sheet.cmbKvsCv->list(f.sheet.cmbKvsCv->listIndex()), QString("10"));
    }
};

QTEST_GUILESS_MAIN(TestSizingCandidates)
#include "test_sizing_candidates.moc"
