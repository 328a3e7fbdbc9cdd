#include "menu_fixture.h"

#include "engine/sizing_recalc.h"
#include "fluids/fluid_wizard.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "units/conversions.h"

// The valve-series, unit and medium menus on the real main window and sheets, in both modes, and a project that
// survives saving and reopening with its sheet.

using namespace menufixture;

namespace {

Variant item(const QString &column)
{
    for (const FileItem &i : projectItems())
        if (i.column == column)
            return std::visit([](auto member) { return Variant(shared().*member); }, i.member);
    return Variant();
}

// Ethane from the fluid-data wizard, as it opens with the sheet's operating points.
void handOverEthane(frmStoffdatenAssistent &w)
{
    const int ethane = w.lstSubstanz.items().indexOf(QStringLiteral("Ethan (C2H6)"));
    QVERIFY(ethane >= 0);
    w.lstSubstanz.userPick(ethane);
    w.cmdCalc.userClick();
    w.cmdOK.userClick();
    formruntime::collect();
}

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
    Fixture f;

    Menu &menu(const QString &name)
    {
        auto *m = dynamic_cast<Menu *>(f.w->control(name));
        Q_ASSERT(m);
        return *m;
    }
    // A disabled entry cannot be chosen; its handler is run directly to show it would do nothing either.
    void chooseOrRun(const QString &name)
    {
        Menu &entry = menu(name);
        if (!f.choose(entry) && entry.Click)
            entry.Click();
        formruntime::collect();
    }
    void prepare(int modus, const QString &medium)
    {
        if (modus == 1)
            QVERIFY(f.choose(f.w->mnuFlow));
        if (!medium.isEmpty())
            QVERIFY(f.choose(menu(medium)));
        f.ui.reset();
    }

private slots:
    void initTestCase() { f.initSuite(); }
    void init() { f.start(); }
    void cleanup() { f.stop(); }

    void seriesEntrySetsSeriesAndCharacteristic_data();
    void seriesEntrySetsSeriesAndCharacteristic();
    void submenuTitlesActWithoutAChoice_data();
    void submenuTitlesActWithoutAChoice();
    void seriesMenuNamesTheCatalogueAtFault_data();
    void seriesMenuNamesTheCatalogueAtFault();
    void pressureEntryConvertsPressuresAndHeldValues_data();
    void pressureEntryConvertsPressuresAndHeldValues();
    void temperatureEntryConvertsTemperaturesAndHeldValues_data();
    void temperatureEntryConvertsTemperaturesAndHeldValues();
    void pressureAndTemperatureEntriesRunOverTheShownValues_data();
    void pressureAndTemperatureEntriesRunOverTheShownValues();
    void pressureAndTemperatureEntriesLeaveWizardDataStale_data();
    void pressureAndTemperatureEntriesLeaveWizardDataStale();
    void reloadsLeaveStaleWizardDataStale_data();
    void reloadsLeaveStaleWizardDataStale();
    void savedWizardDataOpenAsTheyWereSaved_data();
    void savedWizardDataOpenAsTheyWereSaved();
    void flowEntryFollowsTheFluidState_data();
    void flowEntryFollowsTheFluidState();
    void flowSubmenuEnablesTheEntriesOfTheState_data();
    void flowSubmenuEnablesTheEntriesOfTheState();
    void otherUnitEntriesSetTheirList_data();
    void otherUnitEntriesSetTheirList();
    void mediumEntryRemapsFlowUnitAndRecalculates_data();
    void mediumEntryRemapsFlowUnitAndRecalculates();
    void printEntriesOnlyWithCurrentResults_data();
    void printEntriesOnlyWithCurrentResults();
    void savedProjectReopensToTheSameSheet_data();
    void savedProjectReopensToTheSameSheet();
};

void TestMenus::seriesEntrySetsSeriesAndCharacteristic_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("after");
    const struct {
        const char *entry;
        int before;
        const char *key;
        int after;
    } rows[] = {
        {"mnu4612", 2, "4612", 0},       {"mnu4625", 1, "4625", 1},       {"mnu4627_71", 0, "4627_71", 0},
        {"mnu4627_72", 2, "4627_72", 0}, {"mnu4638", 1, "4638", 1},       {"mnu4648", 2, "4648", 0},
        {"mnu4651_71", 1, "4651_71", 1}, {"mnu4651_72", 0, "4651_72", 0}, {"mnu4656", 2, "4656", 0},
        {"mnu3264", 2, "3264", 0},       {"mnu3425", 1, "3425", 1},       {"mnu3548", 2, "3548", 0},
        {"mnu3548", 1, "3548", 1},       {"mnu3926", 1, "3926", 0},       {"mnu2613", 2, "2613", 0},
        {"mnu3653", 1, "3653", 0},       {"mnu3786", 1, "3786", 0},       {"mnu2381", 0, "2381", 1},
        {"mnu3152", 1, "3152", 2},       {"mnu3378", 0, "3378", 2},       {"mnu3391", 1, "3391", 2},
        {"mnu3547", 0, "3547", 2},       {"mnu3652", 1, "3652", 2},       {"mnu3761", 0, "3761", 2},
        {"mnu3834", 1, "3834", 2},       {"mnu4644", 0, "4644", 2},
    };
    for (const auto &r : rows)
        QTest::addRow("%s from %d", r.entry, r.before) << 0 << r.entry << r.before << r.key << r.after;
    QTest::newRow("flow sheet: mnu3548 from 2") << 1 << "mnu3548" << 2 << "3548" << 0;
    QTest::newRow("flow sheet: mnu4644 from 1") << 1 << "mnu4644" << 1 << "4644" << 2;
    QTest::newRow("flow sheet: current series again") << 1 << "mnu4627_71" << 1 << "4627_71" << 1;
}

void TestMenus::seriesEntrySetsSeriesAndCharacteristic()
{
    QFETCH(int, modus);
    QFETCH(QString, entry);
    QFETCH(int, before);
    QFETCH(QString, key);
    QFETCH(int, after);
    prepare(modus, QString());
    shared().Kennlinie = before;
    QVERIFY(f.sheet());
    const UnloadWatch sheet(*f.sheet());
    f.w->StatusBar.setText(QStringLiteral("-"));

    QVERIFY(f.choose(menu(entry)));

    QCOMPARE(shared().Ventiltyp, key);
    QCOMPARE(shared().rsVentil->table(), key);
    QCOMPARE(shared().Kennlinie, after);
    // The sheet of the mode has been loaded anew (and recalculated); the other one has not been created.
    QVERIFY(sheet.unloaded());
    QVERIFY(f.sheet());
    QCOMPARE(calcSizeSheet().isLoaded(), modus == 0);
    QCOMPARE(frmCalcFlow().isLoaded(), modus == 1);
    QVERIFY(f.w->StatusBar.text().startsWith(QStringLiteral("Berechnung")));
}

// Opening a submenu and closing it without a choice changes nothing, also at the next recalculation; the titles'
// rules apply with the entry chosen (seriesEntrySetsSeriesAndCharacteristic).
void TestMenus::submenuTitlesActWithoutAChoice_data()
{
    QTest::addColumn<QString>("series"); // chosen first; empty: the default project's equal-percentage valve
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("kennlinie");
    QTest::newRow("slide-gate title over an on/off series") << "mnu4644" << "mnuGS" << 2;
    QTest::newRow("shut-off title over an equal-percentage valve") << "" << "mnuAbsperr" << 1;
    QTest::newRow("seat valves have no handler") << "" << "mnuSitz" << 1;
}

void TestMenus::submenuTitlesActWithoutAChoice()
{
    QFETCH(QString, series);
    QFETCH(QString, title);
    QFETCH(int, kennlinie);
    if (!series.isEmpty())
        QVERIFY(f.choose(menu(series)));
    QCOMPARE(shared().Kennlinie, kennlinie);
    calcDimensionierung();
    const QString dn = shared().DNVentil;
    const float kvs = shared().KvsCv;
    const double y = shared().yMax;
    QVERIFY(f.sheet());
    const UnloadWatch sheet(*f.sheet());
    const QStringList picture = sheetPicture(*f.sheet());

    f.w->mnuBauform.userOpen();
    menu(title).userOpen(); // and the menu closes without a choice
    QCOMPARE(shared().Kennlinie, kennlinie);
    QVERIFY(!sheet.unloaded());
    QVERIFY(f.sheet());
    QCOMPARE(sheetPicture(*f.sheet()), picture);

    calcDimensionierung();
    QCOMPARE(shared().Kennlinie, kennlinie);
    QCOMPARE(shared().DNVentil, dn);
    QCOMPARE(shared().KvsCv, kvs);
    QCOMPARE(shared().yMax, y);
}

// A series chosen while the catalogue is damaged: the catalogue is named, kept aside and replaced as at New, and the
// series takes effect. One that cannot be opened at all is named with the reason, and the previous series, its
// table and the sheet stay.
void TestMenus::seriesMenuNamesTheCatalogueAtFault_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason"); // empty: mended; for "locked" the status line
    QTest::newRow("the chosen series without a table") << "DROP TABLE \"3548\"" << "";
    QTest::newRow("catalogue no database") << "bytes" << "";
    QTest::newRow("a folder at the catalogue's name")
        << "folder"
        << "Der Name bezeichnet keine gewöhnliche Datei, sondern einen Ordner, eine benannte Pipe oder ein Gerät.";
    QTest::newRow("catalogue held by another program")
        << "locked"
        << "Berechnung nicht aktualisiert: Datenbankfehler: dbKenndaten.mdb, _aktuell: Die Datei wird von einem "
           "anderen Programm verwendet.";
    // Set aside, the file would take the other program's commit along.
    QTest::newRow("the chosen series without a table while another program writes")
        << "writing" << "Die Datei wird von einem anderen Programm verwendet.";
}

void TestMenus::seriesMenuNamesTheCatalogueAtFault()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    damageCatalogue(damage);
    if (QTest::currentTestFailed())
        return;
    const QString series = shared().Ventiltyp;
    shared().Kennlinie = 1;
    QVERIFY(f.sheet());
    const UnloadWatch sheet(*f.sheet());
    const QString status = f.w->StatusBar.text();
    const QStringList filesBefore = QDir(dataFolder()).entryList(QDir::Files);
    {
        const HeldDatabase holder = catalogueHolder(damage);
        QVERIFY((damage != QLatin1String("locked") && damage != QLatin1String("writing")) || holder);
        QVERIFY(f.choose(f.w->mnu3548));
        if (damage == QLatin1String("writing"))
            QCOMPARE(sqlite3_exec(holder.get(), "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    // The other program's commit is in the file the program reads.
    if (damage == QLatin1String("writing"))
        QCOMPARE(float(Database::open(dataFile(QStringLiteral("dbKenndaten.mdb")))
                           ->openTable(QStringLiteral("9999"))
                           ->field(QStringLiteral("Kvs"))
                           .toDouble()),
                 66.6f);

    if (damage == QLatin1String("locked")) {
        // Another program's write leaves reading alone: the series is taken, nothing is replaced, and the run,
        // which writes the work table, says which file is held.
        QVERIFY(f.ui.messages().empty());
        QCOMPARE(shared().Ventiltyp, QStringLiteral("3548"));
        QVERIFY(sheet.unloaded());
        QCOMPARE(f.w->StatusBar.text(), reason);
        QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), filesBefore);
        return;
    }
    checkCatalogueNamed(f.ui.messages(), reason);
    if (QTest::currentTestFailed())
        return;
    if (!reason.isEmpty()) {
        QCOMPARE(shared().Ventiltyp, series);
        QCOMPARE(shared().rsVentil->table(), series);
        QCOMPARE(shared().Kennlinie, 1);
        QVERIFY(!sheet.unloaded());
        QCOMPARE(f.w->StatusBar.text(), status);
        QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), filesBefore);
        return;
    }
    QCOMPARE(shared().Ventiltyp, QStringLiteral("3548"));
    QCOMPARE(shared().rsVentil->table(), QStringLiteral("3548"));
    QVERIFY(sheet.unloaded());
    QVERIFY(f.sheet());
}

void TestMenus::pressureEntryConvertsPressuresAndHeldValues_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("medium");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("unit");
    QTest::addColumn<bool>("vapourShown");
    // The critical pressure in bar abs.: air's as held, converted once; water's and steam's as the run after the
    // switch sets it.
    QTest::addColumn<double>("critical");
    QTest::addColumn<QString>("note"); // of the status line
    // 10 to 30 m3/h (norm) of air and kg/h of steam lie below the smallest Kv of the default project's valve.
    const QString range = " / Stellverhältnis nicht ausreichend!";
    QTest::newRow("sizing, water: psia") << 0 << "" << "mnuPsia" << 2 << true << 221.2 << "";
    QTest::newRow("sizing, water: kPa,g.") << 0 << "" << "mnukPag" << 7 << true << 221.2 << "";
    QTest::newRow("sizing, air: psia") << 0 << "mnuLuft" << "mnuPsia" << 2 << false << 48.7 << range;
    QTest::newRow("sizing, steam: MPa,abs.") << 0 << "mnuWasserdampf" << "mnuMPaa" << 4 << false << 221.2 << range;
    QTest::newRow("flow, air: psia") << 1 << "mnuLuft" << "mnuPsia" << 2 << false << 48.7 << "";
    QTest::newRow("flow, steam: bar,g.") << 1 << "mnuWasserdampf" << "mnuBarg" << 1 << false << 221.2 << "";
    // On both sheets the vapour-pressure list changes pUnit itself and converts the critical pressure with it.
    QTest::newRow("flow, water: psia") << 1 << "" << "mnuPsia" << 2 << true << 221.2 << "";
}

void TestMenus::pressureEntryConvertsPressuresAndHeldValues()
{
    QFETCH(int, modus);
    QFETCH(QString, medium);
    QFETCH(QString, entry);
    QFETCH(int, unit);
    QFETCH(bool, vapourShown);
    QFETCH(double, critical);
    QFETCH(QString, note);
    prepare(modus, medium);
    SharedData &d = shared();
    QCOMPARE(d.pUnit, 0);
    QCOMPARE(f.list("cmbStoffwert2unit").visible(), vapourShown);
    d.pkrit = 48.7;
    const double p1 = d.p1Max, p2 = d.p2Max, psat = d.psatMax;
    QVERIFY(f.sheet());
    const UnloadWatch sheet(*f.sheet());

    QVERIFY(f.choose(menu(entry)));

    QCOMPARE(d.pUnit, unit);
    QCOMPARE(d.p1Unit, unit);
    QCOMPARE(d.p2Unit, unit);
    QCOMPARE(f.list("cmbP1unit").listIndex(), unit);
    QCOMPARE(f.list("cmbP2unit").listIndex(), unit);
    QCOMPARE(d.p1Max, umrechnenDruck(Variant(p1), 0, unit));
    QCOMPARE(d.p2Max, umrechnenDruck(Variant(p2), 0, unit));
    // The vapour pressures are held in pUnit whether or not their list is shown.
    QCOMPARE(d.psatMax, umrechnenDruck(Variant(psat), 0, unit));
    QCOMPARE(d.pkrit, umrechnenDruck(Variant(critical), 0, unit)); // once, not twice
    QCOMPARE(f.w->StatusBar.text(), "Berechnung aktualisiert" + note);
    QVERIFY(f.w->mnuDrucken.enabled());
    QVERIFY(!sheet.unloaded()); // never reloaded
}

void TestMenus::temperatureEntryConvertsTemperaturesAndHeldValues_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<bool>("byMenu"); // Einheiten > Temperatur, or the sheet's own T1 list
    QTest::newRow("sizing sheet, menu") << 0 << true;
    QTest::newRow("flow sheet, menu") << 1 << true;
    QTest::newRow("sizing sheet, T1 list") << 0 << false;
    QTest::newRow("flow sheet, T1 list") << 1 << false;
}

// T1 and the heat exchanger's rises are held in T1Unit (rises as differences: 40 / 50 / 60 K are 72 / 90 / 108 F),
// the critical and reference temperatures in TUnit, which only the menu switches.
void TestMenus::temperatureEntryConvertsTemperaturesAndHeldValues()
{
    QFETCH(int, modus);
    QFETCH(bool, byMenu);
    prepare(modus, QString());
    SharedData &d = shared();
    d.T1Max = 20.0;
    d.Tkrit = 374.15;
    d.TBezugFlüssigkeit = 20;
    d.DeltaTMin = 40.0;
    d.DeltaTNorm = 50.0;
    d.DeltaTMax = 60.0;
    QVERIFY(f.sheet());
    const UnloadWatch sheet(*f.sheet());
    auto choose = [&](int unit) {
        if (byMenu)
            QVERIFY(f.choose(unit == 1 ? f.w->mnuFahrenheit : f.w->mnuCelsius));
        else
            f.list("cmbT1unit").userPick(unit);
    };

    choose(1);
    QCOMPARE(d.TUnit, byMenu ? 1 : 0);
    QCOMPARE(d.T1Unit, 1);
    QCOMPARE(f.list("cmbT1unit").listIndex(), 1);
    QCOMPARE(d.T1Max, 68.0);
    QCOMPARE(QList<double>({d.DeltaTMin, d.DeltaTNorm, d.DeltaTMax}), QList<double>({72.0, 90.0, 108.0}));
    QCOMPARE(d.Tkrit, byMenu ? 374.15 * 9.0 / 5.0 + 32.0 : 374.15);
    QCOMPARE(d.TBezugFlüssigkeit, byMenu ? 68 : 20);
    QCOMPARE(f.w->StatusBar.text(), QStringLiteral("Berechnung aktualisiert"));

    choose(0);
    QCOMPARE(d.TUnit, 0);
    QCOMPARE(d.T1Max, 20.0);
    QCOMPARE(QList<double>({d.DeltaTMin, d.DeltaTNorm, d.DeltaTMax}), QList<double>({40.0, 50.0, 60.0}));
    QVERIFY(qAbs(d.Tkrit - 374.15) < 1e-9);
    QCOMPARE(d.TBezugFlüssigkeit, 20);
    QVERIFY(!sheet.unloaded());
}

// Water at 100.05 / 100 bar abs. and 20 C: psia shows 1451 / 1450, bar,abs. then 100.0 / 99.97. The entries run
// over what the boxes show, a value typed and not yet left too. By hand, with rho 998.2 kg/m3 (water at 20 C from
// the steam tables): Kv max = Q sqrt(rho / 1000 / dp) at 1 / 2 / 3 m3/h; the flow through the fully open valve,
// Kvs (A0 + ... + A5) sqrt(dp / (rho / 1000)).
void TestMenus::pressureAndTemperatureEntriesRunOverTheShownValues_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("typedBox");
    QTest::addColumn<double>("hand"); // Kv max, or the flow divided by the full-open Kv; 0: refused
    QTest::addColumn<QString>("status");
    const QStringList there = {"mnuPsia", "mnuBara"};
    const QString updated = QStringLiteral("Berechnung aktualisiert");
    const QString refused = QString::fromUtf8("Berechnung nicht aktualisiert: Druckwert unzulässig!");
    QTest::newRow("sizing: psia, bar,abs.") << 0 << there << "" << 3 * std::sqrt(0.9982 / 0.03) << updated;
    // The valve 6 m3/h need (Kvs 40) passes more than the minimum point's 1 m3/h at its smallest opening.
    QTest::newRow("sizing: F, 6 m3/h typed") << 0 << QStringList{"mnuFahrenheit"} << "txtQmax"
                                             << 6 * std::sqrt(0.9982 / 0.05)
                                             << updated + QStringLiteral(" / Stellverhältnis nicht ausreichend!");
    QTest::newRow("flow: psia, bar,abs.") << 1 << there << "" << std::sqrt(0.03 / 0.9982) << updated;
    // Both 1450 psia.
    QTest::newRow("flow: psia, bar,abs., psia") << 1 << (there + QStringList{"mnuPsia"}) << "" << 0.0 << refused;
}

void TestMenus::pressureAndTemperatureEntriesRunOverTheShownValues()
{
    QFETCH(int, modus);
    QFETCH(QStringList, entries);
    QFETCH(QString, typedBox);
    QFETCH(double, hand);
    QFETCH(QString, status);
    prepare(modus, QString());
    SharedData &d = shared();
    auto type = [&](const QString &box, double value) {
        auto *field = dynamic_cast<TextBox *>(f.sheet()->control(box));
        QVERIFY(field);
        field->setText(numtext::general(value));
    };
    for (auto [box, value] : {std::pair{"txtp1max", 100.05}, {"txtp2max", 100.0}, {"txtT1max", 20.0}})
        type(QString::fromLatin1(box), value);
    if (modus == 0) {
        for (auto [box, value] : {std::pair{"txtQmin", 1.0}, {"txtQnorm", 2.0}, {"txtQmax", 3.0}})
            type(QString::fromLatin1(box), value);
        calcDimensionierung();
    } else {
        f.list("cmbYmax").userPick(0); // 100 %
    }
    QCOMPARE(f.w->StatusBar.text(), QStringLiteral("Berechnung aktualisiert"));
    if (!typedBox.isEmpty())
        type(typedBox, 6);
    for (const QString &entry : entries)
        QVERIFY(f.choose(menu(entry)));
    QCOMPARE(f.w->StatusBar.text(), status);
    QCOMPARE(f.w->mnuDrucken.enabled(), hand > 0);
    if (hand == 0)
        return;
    const double kv100 = d.KvsCv * (d.A0.toDouble() + d.A1.toDouble() + d.A2.toDouble() + d.A3.toDouble() +
                                    d.A4.toDouble() + d.A5.toDouble());
    const double result = modus == 0 ? d.Kvmax : d.QMax / kv100;
    QVERIFY2(std::abs(result / hand - 1) < 1e-3, qPrintable(QString::number(result)));
}

void TestMenus::pressureAndTemperatureEntriesLeaveWizardDataStale_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("entry");
    QTest::newRow("sizing sheet: psia") << 0 << "mnuPsia";
    QTest::newRow("sizing sheet: F") << 0 << "mnuFahrenheit";
    QTest::newRow("flow sheet: psia") << 1 << "mnuPsia";
    QTest::newRow("flow sheet: F") << 1 << "mnuFahrenheit";
}

void TestMenus::pressureAndTemperatureEntriesLeaveWizardDataStale()
{
    QFETCH(int, modus);
    QFETCH(QString, entry);
    prepare(modus, QString());
    SharedData &d = shared();
    // A liquid from the fluid-data wizard whose data are current.
    d.Medium = 6;
    d.StoffdatenAktuell = true;

    QVERIFY(f.choose(menu(entry)));

    // The lists rewrite p1 (T1) outside the sheet's loading: the wizard's data no longer fit the inputs, and the
    // run over them says so.
    QVERIFY(!d.StoffdatenAktuell);
    QCOMPARE(f.w->StatusBar.text(), QStringLiteral("Berechnung nicht aktualisiert: Stoffdaten nicht aktuell!"));
    QVERIFY(!f.w->mnuDrucken.enabled());
    // Leaving p1 brings the wizard back.
    auto *p1 = dynamic_cast<TextBox *>(f.sheet()->control(QStringLiteral("txtp1max")));
    auto *p2 = dynamic_cast<TextBox *>(f.sheet()->control(QStringLiteral("txtp2max")));
    QVERIFY(p1 && p2 && p1->setFocus() && p2->setFocus());
    frmStoffdatenAssistent *wizard = frmStoffdatenAssistentInstance().ifLoaded();
    QVERIFY(wizard);
    wizard->unload();
    formruntime::collect();
}

void TestMenus::reloadsLeaveStaleWizardDataStale_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("entry");   // a menu entry or a box of the sheet
    QTest::addColumn<bool>("handOver"); // ethane handed over for the max column only; else p1 edited since
    QTest::newRow("sizing sheet: series") << 0 << "mnu4625" << false;
    QTest::newRow("sizing sheet: to the flow sheet") << 0 << "mnuFlow" << false;
    QTest::newRow("flow sheet: series") << 1 << "mnu4625" << false;
    QTest::newRow("flow sheet: to the sizing sheet") << 1 << "mnuDimens" << false;
    QTest::newRow("flow sheet's hand-over, then to the sizing sheet") << 1 << "mnuDimens" << true;
    QTest::newRow("sizing sheet's hand-over without min, then min on") << 0 << "chkMin" << true;
}

void TestMenus::reloadsLeaveStaleWizardDataStale()
{
    QFETCH(int, modus);
    QFETCH(QString, entry);
    QFETCH(bool, handOver);
    prepare(modus, QString());
    SharedData &d = shared();
    // The sizing sheet's 10 to 30 m3/h (norm) of ethane need a Kv of 0.06 to 0.16, below the valve's smallest.
    const QString belowRange = QStringLiteral(" / Stellverhältnis nicht ausreichend!");
    if (handOver) {
        if (modus == 0) {
            calcSizeSheet().get().chkMin.userClick();
            QVERIFY(!d.MIN);
        }
        f.ui.onNextModal([&](Form &) { handOverEthane(frmStoffdatenAssistentInstance().get()); });
        QVERIFY(f.choose(f.w->mnuStoffdatenAssistent));
        QCOMPARE(d.Medium, 5);
        QCOMPARE(f.w->StatusBar.text(), "Berechnung aktualisiert" + (modus == 0 ? belowRange : QString()));
    } else {
        // A gas from the fluid-data wizard whose p1 was edited without a hand-over.
        d.Medium = 5;
        d.StoffdatenAktuell = false;
    }

    if (entry == QLatin1String("chkMin"))
        calcSizeSheet().get().chkMin.userClick();
    else
        QVERIFY(f.choose(menu(entry)));

    // The reloaded sheet writes p1 and T1 itself; only a hand-over makes the data current, and only for the
    // columns it computed.
    QCOMPARE(d.StoffdatenAktuell, handOver);
    QCOMPARE(f.w->StatusBar.text(), QStringLiteral("Berechnung nicht aktualisiert: Stoffdaten nicht aktuell!"));
    QVERIFY(!f.w->mnuDrucken.enabled());
    if (!handOver)
        return;

    // Leaving p1 opens the wizard beside the sheet; its hand-over computes every active column.
    auto *p1 = dynamic_cast<TextBox *>(f.sheet()->control(QStringLiteral("txtp1min")));
    auto *p2 = dynamic_cast<TextBox *>(f.sheet()->control(QStringLiteral("txtp2min")));
    QVERIFY(p1 && p2);
    p1->setFocus();
    p2->setFocus();
    frmStoffdatenAssistent *beside = frmStoffdatenAssistentInstance().ifLoaded();
    QVERIFY(beside);
    handOverEthane(*beside);
    QCOMPARE(f.w->StatusBar.text(), "Berechnung aktualisiert" + belowRange);
    QVERIFY(f.w->mnuDrucken.enabled());
}

// Ethane handed over, then saved and loaded again by each road: the fluid data are as current as in the session
// they were saved from.
void TestMenus::savedWizardDataOpenAsTheyWereSaved_data()
{
    QTest::addColumn<int>("modus");     // the sheet of the hand-over
    QTest::addColumn<bool>("edited");   // p1 typed after the hand-over
    QTest::addColumn<QString>("road");  // how the project is saved and loaded again
    QTest::addColumn<bool>("toSizing"); // then Modus > Dimensionierung, with min and norm on
    QTest::addColumn<bool>("stale");
    QTest::newRow("sizing sheet, p1 edited: Save as, New, Open") << 0 << true << "open" << false << true;
    QTest::newRow("flow sheet, p1 edited: Save as, New, Open") << 1 << true << "open" << false << true;
    QTest::newRow("sizing sheet, fresh: Save as, New, Open") << 0 << false << "open" << false << false;
    QTest::newRow("flow sheet's hand-over: Save as, New, Open, to the sizing sheet")
        << 1 << false << "open" << true << true;
    QTest::newRow("p1 edited: Save default, Load default") << 0 << true << "load default" << false << true;
    QTest::newRow("p1 edited: Save default, New") << 0 << true << "new" << false << true;
    QTest::newRow("p1 edited, a file without the flags: Open") << 0 << true << "older file" << false << false;
}

void TestMenus::savedWizardDataOpenAsTheyWereSaved()
{
    QFETCH(int, modus);
    QFETCH(bool, edited);
    QFETCH(QString, road);
    QFETCH(bool, toSizing);
    QFETCH(bool, stale);
    prepare(modus, QString());
    f.ui.onNextModal([](Form &) { handOverEthane(frmStoffdatenAssistentInstance().get()); });
    QVERIFY(f.choose(f.w->mnuStoffdatenAssistent));
    QCOMPARE(shared().Medium, 5);
    auto box = [this](const char *name) {
        auto *b = dynamic_cast<TextBox *>(f.sheet()->control(QString::fromLatin1(name)));
        Q_ASSERT(b);
        return b;
    };
    if (edited)
        box("txtp1max")->setText(QStringLiteral("30"));

    const QString path = QDir(f.projects()).filePath(QStringLiteral("Ethan.vls"));
    if (road == QLatin1String("open") || road == QLatin1String("older file")) {
        f.ui.answerNextFileDialog(path);
        QVERIFY(f.w->mnuSaveAs.userChoose());
        if (road == QLatin1String("older file"))
            execSql(path, QStringLiteral("ALTER TABLE Parameter DROP COLUMN StoffdatenAktuell; ALTER TABLE Parameter "
                                         "DROP COLUMN StoffdatenMin; ALTER TABLE Parameter DROP COLUMN StoffdatenNorm"));
        QVERIFY(f.choose(f.w->mnuNeu));
        QCOMPARE(shared().Medium, 1);
        f.ui.answerNextFileDialog(path);
        QVERIFY(f.choose(f.w->mnuOpen));
    } else {
        QVERIFY(f.choose(f.w->mnuStandardSpeichern));
        // Other data, current, in between.
        QVERIFY(f.choose(f.w->mnuWasser));
        QVERIFY(f.choose(road == QLatin1String("new") ? f.w->mnuNeu : f.w->mnuStandardLaden));
    }
    if (toSizing)
        QVERIFY(f.choose(f.w->mnuDimens));
    QVERIFY(f.ui.messages().empty());
    QCOMPARE(shared().Medium, 5);
    QVERIFY(shared().MIN && shared().NORM);

    // The sizing sheet's 10 to 30 m3/h (norm) of ethane lie below the valve's smallest Kv.
    const QString note = modus == 0 || toSizing ? QStringLiteral(" / Stellverhältnis nicht ausreichend!") : QString();
    QCOMPARE(f.w->StatusBar.text(), stale ? QStringLiteral("Berechnung nicht aktualisiert: Stoffdaten nicht aktuell!")
                                          : QStringLiteral("Berechnung aktualisiert") + note);
    QCOMPARE(f.w->mnuDrucken.enabled(), !stale);
    // Leaving p1 opens the wizard beside the sheet just when the data are stale.
    box("txtp1max")->setFocus();
    box("txtp2max")->setFocus();
    frmStoffdatenAssistent *beside = frmStoffdatenAssistentInstance().ifLoaded();
    QCOMPARE(beside != nullptr, stale);
    if (beside)
        beside->unload();
    formruntime::collect();
}

void TestMenus::flowEntryFollowsTheFluidState_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("medium");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("position"); // -1: the entry does nothing in that state
    QTest::newRow("water: US g.p.m.") << 0 << "" << "mnuUSgpm" << 5;
    QTest::newRow("water: kg/h") << 0 << "" << "mnuKgh" << 1;
    QTest::newRow("water: m3/h (norm.) does nothing") << 0 << "" << "mnuM3hnorm" << -1;
    QTest::newRow("air: kg/h") << 0 << "mnuLuft" << "mnuKgh" << 1;
    QTest::newRow("air: scu.ft./hr.") << 0 << "mnuLuft" << "mnuScufthr" << 4;
    QTest::newRow("air: m3/h does nothing") << 0 << "mnuLuft" << "mnuM3h" << -1;
    QTest::newRow("steam: lb./hr.") << 0 << "mnuWasserdampf" << "mnuLbhr" << 1;
    QTest::newRow("steam: l/min. does nothing") << 0 << "mnuWasserdampf" << "mnuLmin" << -1;
    QTest::newRow("flow sheet, water: lb./hr.") << 1 << "" << "mnuLbhr" << 3;
    QTest::newRow("flow sheet, air: l/min. (norm.)") << 1 << "mnuLuft" << "mnuLminnorm" << 2;
    QTest::newRow("flow sheet, steam: lb./hr.") << 1 << "mnuWasserdampf" << "mnuLbhr" << 1;
}

void TestMenus::flowEntryFollowsTheFluidState()
{
    QFETCH(int, modus);
    QFETCH(QString, medium);
    QFETCH(QString, entry);
    QFETCH(int, position);
    prepare(modus, medium);
    SharedData &d = shared();
    QCOMPARE(d.QUnit, 0);
    const double q = d.QMax;
    QVERIFY(f.sheet());
    const UnloadWatch sheet(*f.sheet());

    chooseOrRun(entry);

    const int expected = position < 0 ? 0 : position;
    QCOMPARE(d.QUnit, expected);
    QCOMPARE(f.list("cmbQunit").listIndex(), expected);
    if (position < 0)
        QCOMPARE(d.QMax, q);
    else if (modus == 0)
        QVERIFY(d.QMax != q); // the list's handler converted the stored flow
    QVERIFY(!sheet.unloaded());
}

void TestMenus::flowSubmenuEnablesTheEntriesOfTheState_data()
{
    QTest::addColumn<QString>("medium");
    QTest::addColumn<QStringList>("enabled");
    QTest::newRow("ideal gas") << "mnuLuft"
                               << QStringList{"mnuM3hnorm", "mnuKgh", "mnuLminnorm", "mnuLbhr", "mnuScufthr"};
    QTest::newRow("liquid") << "mnuWasser"
                            << QStringList{"mnuM3h", "mnuKgh", "mnuLmin", "mnuLbhr", "mnuCufthr", "mnuUSgpm"};
    QTest::newRow("steam") << "mnuWasserdampf" << QStringList{"mnuKgh", "mnuLbhr"};
}

void TestMenus::flowSubmenuEnablesTheEntriesOfTheState()
{
    QFETCH(QString, medium);
    QFETCH(QStringList, enabled);
    prepare(0, medium);
    f.w->mnuEinheiten.userOpen();
    f.w->mnuDurchfluss.userOpen();
    QStringList actual;
    for (Menu *entry : f.w->mnuDurchfluss.entries())
        if (entry->enabled())
            actual << entry->name();
    QCOMPARE(actual, enabled);
}

void TestMenus::otherUnitEntriesSetTheirList_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("medium");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("value");
    for (int modus : {0, 1}) {
        const char *sheet = modus == 0 ? "sizing" : "flow";
        QTest::addRow("%s: lb./cu.ft.", sheet) << modus << "" << "mnuLbcuft" << "cmbStoffwert1unit" << "rhoUnit" << 1;
        QTest::addRow("%s, water: cP", sheet) << modus << "" << "mnuCP" << "cmbStoffwert3unit" << "nueUnit" << 1;
        QTest::addRow("%s, air: cP does nothing", sheet)
            << modus << "mnuLuft" << "mnuCP" << "cmbStoffwert3unit" << "nueUnit" << 0;
        QTest::addRow("%s, steam: cP does nothing", sheet)
            << modus << "mnuWasserdampf" << "mnuCP" << "cmbStoffwert3unit" << "nueUnit" << 0;
        QTest::addRow("%s: ft./sec.", sheet) << modus << "" << "mnuFtsec" << "cmbGeschwindigkeit" << "vUnit" << 1;
        QTest::addRow("%s: inch", sheet) << modus << "" << "mnuInch" << "cmbDNunit" << "DNunit" << 1;
        QTest::addRow("%s: Cv", sheet) << modus << "" << "mnuCv" << "cmbKvUnit" << "KvUnit" << 1;
    }
}

void TestMenus::otherUnitEntriesSetTheirList()
{
    QFETCH(int, modus);
    QFETCH(QString, medium);
    QFETCH(QString, entry);
    QFETCH(QString, list);
    QFETCH(QString, unit);
    QFETCH(int, value);
    prepare(modus, medium);
    QCOMPARE(item(unit).toInt(), 0);
    const int listBefore = f.list(list.toLatin1().constData()).listIndex();
    const QString valve = shared().DNVentil;
    QVERIFY(f.sheet());
    const UnloadWatch sheet(*f.sheet());

    QVERIFY(f.choose(menu(entry)));

    QCOMPARE(item(unit).toInt(), value);
    QCOMPARE(f.list(list.toLatin1().constData()).listIndex(), value == 0 ? listBefore : value);
    if (entry == QLatin1String("mnuInch"))
        QCOMPARE(shared().DNVentil, umrechnenDN(Variant(valve), 0, 1).toString());
    QVERIFY(!sheet.unloaded());
}

void TestMenus::mediumEntryRemapsFlowUnitAndRecalculates_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("from");      // medium chosen first
    QTest::addColumn<QString>("unitEntry"); // flow unit chosen then
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("rhoUnit");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("zustand");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("qUnitBefore");
    QTest::addColumn<int>("qUnitAfter");
    QTest::newRow("water cu.ft./hr. to steam") << 0 << "" << "mnuCufthr" << 0 << 0 << "mnuWasserdampf" << 2 << 2
                                               << "Wasserdampf" << 4 << 1;
    QTest::newRow("air to air keeps the unit") << 0 << "mnuLuft" << "mnuLbhr" << 0 << 0 << "mnuLuft" << 0 << 0
                                               << "Luft" << 3 << 3;
    QTest::newRow("water to air in lb./cu.ft.") << 0 << "" << "mnuUSgpm" << 0 << 1 << "mnuLuft" << 0 << 0 << "Luft"
                                                << 5 << 4;
    QTest::newRow("steam lb./hr. to water") << 0 << "mnuWasserdampf" << "mnuLbhr" << 0 << 0 << "mnuWasser" << 1 << 1
                                            << "Wasser" << 1 << 3;
    QTest::newRow("paper stock 2.5 %") << 0 << "" << "" << 0 << 0 << "mnuPapierstoff25" << 10 << 1
                                       << "Papierstoff c = 2.5%" << 0 << 0;
    QTest::newRow("paper stock 3 %, English") << 0 << "" << "" << 1 << 0 << "mnuPapierstoff3" << 11 << 1
                                              << "Paper stock c = 3%" << 0 << 0;
    QTest::newRow("paper stock 4 %, French") << 0 << "" << "" << 2 << 0 << "mnuPapierstoff4" << 12 << 1
                                             << QStringLiteral("Pâte à papier c = 4%") << 0 << 0;
    QTest::newRow("paper stock 5 % from steam") << 0 << "mnuWasserdampf" << "mnuLbhr" << 0 << 0 << "mnuPapierstoff5"
                                                << 13 << 1 << "Papierstoff c = 5%" << 1 << 3;
    QTest::newRow("flow sheet: water to air") << 1 << "" << "mnuUSgpm" << 0 << 0 << "mnuLuft" << 0 << 0 << "Luft"
                                              << 5 << 4;
    QTest::newRow("flow sheet: air to steam") << 1 << "mnuLuft" << "mnuLminnorm" << 0 << 0 << "mnuWasserdampf" << 2
                                              << 2 << "Wasserdampf" << 2 << 0;
}

void TestMenus::mediumEntryRemapsFlowUnitAndRecalculates()
{
    QFETCH(int, modus);
    QFETCH(QString, from);
    QFETCH(QString, unitEntry);
    QFETCH(int, language);
    QFETCH(int, rhoUnit);
    QFETCH(QString, entry);
    QFETCH(int, medium);
    QFETCH(int, zustand);
    QFETCH(QString, name);
    QFETCH(int, qUnitBefore);
    QFETCH(int, qUnitAfter);
    prepare(modus, from);
    SharedData &d = shared();
    if (!unitEntry.isEmpty())
        QVERIFY(f.choose(menu(unitEntry)));
    if (rhoUnit == 1)
        QVERIFY(f.choose(f.w->mnuLbcuft));
    QCOMPARE(d.QUnit, qUnitBefore);
    d.Sprache = language;
    // Stale air properties: the entry must set them before its own recalculation.
    d.rhoN = 3.0;
    d.gammaMin = d.gammaNorm = d.gammaMax = 1.1;
    const double q = d.QMax;
    QVERIFY(f.sheet());
    const UnloadWatch sheet(*f.sheet());

    QVERIFY(f.choose(menu(entry)));

    QCOMPARE(d.Medium, medium);
    QCOMPARE(d.Zustand, zustand);
    QCOMPARE(d.NameMedium, name);
    QCOMPARE(d.QUnit, qUnitAfter);
    QCOMPARE(f.list("cmbQunit").listIndex(), qUnitAfter);
    if (modus == 0)
        QCOMPARE(d.QMax, q); // only the index is carried over
    QVERIFY(sheet.unloaded());
    QVERIFY(f.sheet());
    if (medium == 0) {
        QCOMPARE(d.rhoN, umrechnenDichte(Variant(1.2922), 0, rhoUnit).toDouble());
        QCOMPARE(d.gammaMin, 1.4);
        QCOMPARE(d.gammaNorm, 1.4);
        QCOMPARE(d.gammaMax, 1.4);
    }
    if (modus == 0) {
        // The last recalculation already used the new properties: another one changes no result.
        const double kv = d.Kvmax;
        const QString shown = calcSizeSheet()->lblKvmaxcalc.caption();
        calcDimensionierung();
        QCOMPARE(d.Kvmax, kv);
        QCOMPARE(calcSizeSheet()->lblKvmaxcalc.caption(), shown);
    }
}

// Drucken and PDF-Druck are on exactly while the active sheet's results are current, whatever path loads or
// recalculates it: never beside a report that they are not.
void TestMenus::printEntriesOnlyWithCurrentResults_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("status");
    // The flow mode's small maximum flow comes back to the sizing sheet below its normal flow.
    QTest::newRow("sizing in psia, F and cu.ft./hr, flow mode at 10 %, sizing again")
        << "flow and back" << "Berechnung nicht aktualisiert: Mengenangabe unzulässig!";
    // A unit entry runs over what the boxes show, a p1 typed and not yet left too: 2 bar abs. is below p2.
    QTest::newRow("psia chosen while a typed p1 waits")
        << "unit after typing" << QString::fromUtf8("Berechnung nicht aktualisiert: Druckwert unzulässig!");
}

void TestMenus::printEntriesOnlyWithCurrentResults()
{
    QFETCH(QString, path);
    QFETCH(QString, status);
    // A PDF printer, so that PDF-Druck takes part.
    f.stop();
    f.installedPrinters = {QStringLiteral("Office"), QStringLiteral("PDFCreator")};
    f.start();
    f.installedPrinters = {QStringLiteral("Office")};
    QVERIFY(shared().PDFDruckerVorhanden);
    QVERIFY(f.w->mnuDrucken.enabled() && f.w->mnuPDFDruck.enabled());

    if (path == QLatin1String("flow and back")) {
        for (const char *unit : {"mnuPsia", "mnuFahrenheit", "mnuCufthr"})
            QVERIFY(f.choose(menu(QString::fromLatin1(unit))));
        QVERIFY(f.choose(f.w->mnuFlow));
        f.list("cmbYmax").userPick(9); // 10 %
        QVERIFY2(f.w->StatusBar.text() == QLatin1String("Berechnung aktualisiert"), qPrintable(f.w->StatusBar.text()));
        QVERIFY(f.w->mnuDrucken.enabled());
        QVERIFY(f.choose(f.w->mnuDimens));
    } else {
        auto *p1 = dynamic_cast<TextBox *>(f.sheet()->control(QStringLiteral("txtp1max")));
        QVERIFY(p1 && p1->setFocus());
        p1->userType(QStringLiteral("2"));
        const int beeps = f.ui.beepCount();
        QVERIFY(f.choose(menu(QStringLiteral("mnuPsia"))));
        // One run after p1 and p2, not one in between with p2 still in bar.
        QCOMPARE(f.ui.beepCount() - beeps, 1);
    }
    QCOMPARE(f.w->StatusBar.text(), status);
    QVERIFY(!f.w->mnuDrucken.enabled());
    QVERIFY(!f.w->mnuPDFDruck.enabled());
}

void TestMenus::savedProjectReopensToTheSameSheet_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<bool>("german");
    QTest::newRow("sizing sheet, decimal point") << 0 << false;
    QTest::newRow("flow sheet, decimal point") << 1 << false;
    QTest::newRow("sizing sheet, decimal comma") << 0 << true;
    QTest::newRow("flow sheet, decimal comma") << 1 << true;
}

void TestMenus::savedProjectReopensToTheSameSheet()
{
    QFETCH(int, modus);
    QFETCH(bool, german);
    struct LocaleScope {
        explicit LocaleScope(bool german)
        {
            numtext::setUserLocale(german ? QLocale(QLocale::German, QLocale::Germany)
                                          : QLocale(QLocale::English, QLocale::UnitedStates));
        }
        ~LocaleScope() { numtext::resetUserLocale(); }
    } localeScope(german);
    prepare(modus, QString());
    // A pressure with decimals, typed as the user's locale writes it.
    auto *p1 = dynamic_cast<TextBox *>(f.sheet()->control(QStringLiteral("txtp1max")));
    QVERIFY(p1);
    p1->setText(numtext::general(10.5));
    QCOMPARE(shared().p1Max, 10.5);
    const QString path = QDir(f.projects()).filePath(QStringLiteral("Anlage.vls"));
    f.ui.answerNextFileDialog(QDir(f.projects()).filePath(QStringLiteral("Anlage")));
    QVERIFY(f.w->mnuSaveAs.userChoose());
    QVERIFY(QFileInfo::exists(path));

    // Units first: they convert without recalculating, and the medium and series entries then reload the sheet,
    // so what is saved is what a load of these data shows.
    QVERIFY(f.choose(f.w->mnuPsia));
    QVERIFY(f.choose(f.w->mnuFahrenheit));
    QVERIFY(f.choose(f.w->mnuWasserdampf));
    QVERIFY(f.choose(f.w->mnuLbhr));
    QVERIFY(f.choose(f.w->mnu3548));
    QVERIFY(f.w->mnuSave.userChoose());
    const SharedData saved = shared();
    const QStringList picture = sheetPicture(*f.sheet());
    QVERIFY(f.ui.messages().empty());

    // Another project in between, then the saved one again.
    QVERIFY(f.w->mnuNeu.userChoose());
    formruntime::collect();
    QCOMPARE(shared().Ventiltyp, QStringLiteral("4627_71"));
    f.ui.answerNextFileDialog(path);
    QVERIFY(f.w->mnuOpen.userChoose());
    formruntime::collect();

    QCOMPARE(f.w->caption(), QStringLiteral("Quendra Ver. 9.75 [Anlage]"));
    QCOMPARE(shared().Ventiltyp, QStringLiteral("3548"));
    QCOMPARE(shared().Medium, 2);
    QCOMPARE(firstDifference(shared(), saved), QString());
    QVERIFY(f.sheet());
    QCOMPARE(sheetPicture(*f.sheet()), picture);
    // 10.5 bar became 152.3 psia, shown with the user's decimal separator.
    auto *reopened = dynamic_cast<TextBox *>(f.sheet()->control(QStringLiteral("txtp1max")));
    QVERIFY(reopened);
    QCOMPARE(shared().p1Max, 152.3);
    QCOMPARE(reopened->text(), german ? QStringLiteral("152,3") : QStringLiteral("152.3"));
}

QTEST_GUILESS_MAIN(TestMenus)
#include "test_menus.moc"
