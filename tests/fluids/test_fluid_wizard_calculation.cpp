#include "wizard_fixture.h"

#include "units/number_format.h"
#include "units/unit_lists.h"

// The fluid-data wizard's calculation: the state decision, the rows a calculation shows, the range message, the
// inputs a calculation needs, the edits of the result fields, the acentric factor, and when "Stoffdaten
// übernehmen" may be pressed. Expected numbers are worked by hand from the Lee-Kesler vapour-pressure formula
// and ρ = p·M / (Z·R·T) with R = 8314.3 J/(kmol·K) (water: Ts 100 °C, Tc 374.2 °C, pc 221.2 bar, ω 0.344).

using namespace wizardfixture;

namespace {

const QString kRange = QStringLiteral("No calculation possible as range of equation validity is exceeded!");

// The columns shown in the density row: "min norm max" as 0/1.
QString densityColumns(const frmStoffdatenAssistent &w)
{
    return flag(w.txtrhomin.visible()) + flag(w.txtrhonorm.visible()) + flag(w.txtrhomax.visible());
}

} // namespace

class TestFluidWizardCalculation : public QObject {
    Q_OBJECT
    WizardFixture f;

    frmStoffdatenAssistent &openOn(const QString &entry, const Start &s = airAt(10, 150))
    {
        f.beginCase(s);
        frmStoffdatenAssistent &w = f.open();
        pick(w.lstSubstanz, entry);
        return w;
    }

private slots:
    void initTestCase() { f.initSuite(); }
    void cleanup() { f.endCase(); }

    void stateDecisionComparesInBarAndCelsius_data();
    void stateDecisionComparesInBarAndCelsius();
    void undecidedStateWaitsForTheUsersChoice();
    void vapourPressureOfWaterAtItsBoilingPoint();
    void rangeErrorStopsTheCalculationOnce_data();
    void rangeErrorStopsTheCalculationOnce();
    void calculationNeedsNumbers_data();
    void calculationNeedsNumbers();
    void editedDensityAndRealGasFactorRecomputeEachOther_data();
    void editedDensityAndRealGasFactorRecomputeEachOther();
    void handOverButtonFollowsTheCalculatedPoint_data();
    void handOverButtonFollowsTheCalculatedPoint();
    void vapourPressureUsesThePickedFactorAndZTheField();
    void vapourPressureIsInTheUnitItsListShows_data();
    void vapourPressureIsInTheUnitItsListShows();
    void acentricFactorAfterEdmister_data();
    void acentricFactorAfterEdmister();
};

void TestFluidWizardCalculation::stateDecisionComparesInBarAndCelsius_data()
{
    QTest::addColumn<double>("p1");
    QTest::addColumn<int>("p1Unit");
    QTest::addColumn<double>("T1");
    QTest::addColumn<int>("T1Unit");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("rows");
    // psat(150 °C) = 4.635 bar < 10 bar and 150 °C < Tc: liquid; the viscosity is 1 mm²/s.
    QTest::newRow("water at 10 bar abs. and 150 °C") << 10.0 << 0 << 150.0 << 0 << 1 << "rho Z ps nue";
    // Above Tc: gas, with the isentropic exponent 1.3.
    QTest::newRow("water at 10 bar abs. and 400 °C") << 10.0 << 0 << 400.0 << 0 << 2 << "rho Z ps gamma";
    // 50 psia = 3.447 bar < psat 4.635 bar: gas (compared as numbers of different units it would be liquid).
    QTest::newRow("p1 in psia") << 50.0 << 2 << 150.0 << 0 << 2 << "rho Z ps gamma";
    // 700 F = 371.1 °C < Tc and psat(371.1 °C) = 213.4 bar < 220 bar: liquid (700 against 374.2 would be gas).
    QTest::newRow("T1 in F") << 220.0 << 0 << 700.0 << 1 << 1 << "rho Z ps nue";
    // 9 bar gauge = 10.01 bar abs.
    QTest::newRow("p1 gauge") << 9.0 << 1 << 150.0 << 0 << 1 << "rho Z ps nue";
}

void TestFluidWizardCalculation::stateDecisionComparesInBarAndCelsius()
{
    QFETCH(double, p1);
    QFETCH(int, p1Unit);
    QFETCH(double, T1);
    QFETCH(int, T1Unit);
    QFETCH(int, state);
    QFETCH(QString, rows);
    Start s = airAt(p1, T1);
    s.p1Unit = p1Unit;
    s.T1Unit = T1Unit;
    f.beginCase(s);
    const QStringList before = fluidPicture(shared());
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Wasser (H2O)")));
    QVERIFY(!w.optflüssig.enabled());
    w.cmdCalc.userClick();
    QCOMPARE(w.assistentZustand(), state);
    QCOMPARE(w.optflüssig.value(), state == 1);
    QCOMPARE(w.optgasdampf.value(), state == 2);
    QVERIFY(w.optflüssig.enabled() && w.optgasdampf.enabled());
    QCOMPARE(shownRows(w), rows);
    QCOMPARE(densityColumns(w), QStringLiteral("001"));
    QVERIFY(w.cmdOK.enabled());
    if (state == 1) {
        QCOMPARE(w.txtnuemax.text(), loc("1.000"));
        QCOMPARE(w.lblnue_unit.caption(), EinheitViskositaet(Variant(0)));
    } else {
        QCOMPARE(w.txtgammamax.text(), loc("1.300"));
    }
    // The other option recalculates for its state.
    (state == 1 ? w.optgasdampf : w.optflüssig).userClick();
    QCOMPARE(w.assistentZustand(), 3 - state);
    QCOMPARE(shownRows(w), state == 1 ? QStringLiteral("rho Z ps gamma") : QStringLiteral("rho Z ps nue"));
    QVERIFY(f.ui.messages().empty());
    // Nothing reached the shared data.
    QCOMPARE(fluidPicture(shared()), before);
}

void TestFluidWizardCalculation::undecidedStateWaitsForTheUsersChoice()
{
    // At T1 = Tc the vapour pressure is 221.2 bar (Tr = 1): at 230 bar neither state holds.
    const Start s = airAt(230, 374.2);
    frmStoffdatenAssistent &w = openOn(QStringLiteral("Wasser (H2O)"), s);
    w.cmdCalc.userClick();
    QCOMPARE(w.txtpsatmax.text(), loc("221.2"));
    QVERIFY(!w.optflüssig.value() && !w.optgasdampf.value());
    QVERIFY(w.optflüssig.enabled() && w.optgasdampf.enabled());
    QCOMPARE(shownRows(w), QString());
    QVERIFY(!w.cmdOK.enabled());
    w.optflüssig.userClick();
    QCOMPARE(shownRows(w), QStringLiteral("rho Z ps nue"));
    QVERIFY(w.cmdOK.enabled());
}

void TestFluidWizardCalculation::vapourPressureOfWaterAtItsBoilingPoint()
{
    // Lee-Kesler at 100 °C: 0.9133 bar; above Tc the vapour pressure is 0.
    const Start s = airAt(5, 100);
    frmStoffdatenAssistent &w = openOn(QStringLiteral("Wasser (H2O)"), s);
    w.cmdCalc.userClick();
    QCOMPARE(w.txtpsatmax.text(), loc("0.9133"));
    QCOMPARE(w.lblp_unit.caption(), QStringLiteral("bar,abs."));
    typeAndLeave(w.txtT1max, QStringLiteral("400"), w.txtp1max);
    w.cmdCalc.userClick();
    QCOMPARE(w.txtpsatmax.text(), QStringLiteral("0"));
}

void TestFluidWizardCalculation::rangeErrorStopsTheCalculationOnce_data()
{
    QTest::addColumn<int>("Modus");
    QTest::addColumn<bool>("MIN");
    QTest::addColumn<bool>("tickMinAfterLoading");
    QTest::addColumn<double>("p1");
    QTest::addColumn<QString>("columns"); // density columns shown after the calculation that passes
    // pr = 0.001 / 221.2 is far below 0.01.
    QTest::newRow("pressure too low") << 0 << false << false << 0.001 << "001";
    // The sheet's min column switched on after loading: the wizard's hidden min fields hold "0".
    QTest::newRow("min ticked after loading") << 0 << false << true << 10.0 << "";
    QTest::newRow("min and max") << 0 << true << false << 0.001 << "101";
    // The flow sheet has the max column only, whatever MIN says.
    QTest::newRow("flow sheet") << 1 << true << false << 0.001 << "001";
}

void TestFluidWizardCalculation::rangeErrorStopsTheCalculationOnce()
{
    QFETCH(int, Modus);
    QFETCH(bool, MIN);
    QFETCH(bool, tickMinAfterLoading);
    QFETCH(double, p1);
    QFETCH(QString, columns);
    Start s = airAt(p1, 150);
    s.Modus = Modus;
    s.MIN = MIN;
    frmStoffdatenAssistent &w = openOn(QStringLiteral("Wasser (H2O)"), s);
    if (tickMinAfterLoading)
        calcSizeSheet().get().chkMin.setValue(1);
    f.ui.reset();
    w.cmdCalc.userClick();
    QCOMPARE(int(f.ui.messages().size()), 1);
    QCOMPARE(f.ui.messages().front().text, kRange);
    QCOMPARE(f.ui.messages().front().icon, MsgIcon::None);
    QVERIFY(!w.cmdOK.enabled());
    QCOMPARE(shownRows(w), QString());
    if (columns.isEmpty())
        return;
    QVERIFY(w.txtrhomax.text().isEmpty());
    // Inside the range again: the rows come back and the results may be handed over.
    typeAndLeave(w.txtp1max, QStringLiteral("10"), w.txtT1max);
    if (MIN)
        typeAndLeave(w.txtp1min, QStringLiteral("10"), w.txtT1max);
    w.cmdCalc.userClick();
    QCOMPARE(int(f.ui.messages().size()), 1);
    QCOMPARE(shownRows(w), QStringLiteral("rho Z ps nue"));
    QCOMPARE(densityColumns(w), columns);
    QVERIFY(w.cmdOK.enabled());
}

void TestFluidWizardCalculation::calculationNeedsNumbers_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("focus"); // the control with the focus afterwards
    // The sheet's min text was no number when the wizard copied it.
    QTest::newRow("operating point") << "min text" << "txtp1min";
    QTest::newRow("molar mass empty") << "M empty" << "txtMol";
    QTest::newRow("molar mass 0") << "M 0" << "txtMol";
    QTest::newRow("acentric factor empty") << "w empty" << "txtazFaktor";
    // A record without an acentric factor: the field is closed, the focus stays where it was.
    QTest::newRow("record without factor") << "no factor" << "lstSubstanz";
}

void TestFluidWizardCalculation::calculationNeedsNumbers()
{
    QFETCH(QString, setup);
    QFETCH(QString, focus);
    Start s = airAt(10, 150);
    s.MIN = setup == QLatin1String("min text");
    f.beginCase(s);
    if (setup == QLatin1String("min text"))
        calcSizeSheet().get().txtp1min.setText(QStringLiteral("zehn"));
    if (setup == QLatin1String("no factor"))
        menufixture::execSql(fluiddb::databasePath(),
                             QStringLiteral("INSERT INTO Assistent_d (SUBSTANZ, FORMEL, M, TS, TKRIT, PKRIT, PUNIT, "
                                            "TUNIT) VALUES ('Ohne Faktor', 'X', 20, 0, 100, 50, 0, 0)"));
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, setup == QLatin1String("no factor") ? QStringLiteral("Ohne Faktor (X)")
                                                                     : QStringLiteral("Wasser (H2O)")));
    if (setup.startsWith(QLatin1String("M ")) || setup == QLatin1String("w empty")) {
        // Editing leaves "Stoffdaten berechnen" enabled.
        w.cmdBearbeiten.userClick();
        TextBox &field = setup == QLatin1String("w empty") ? w.txtazFaktor : w.txtMol;
        field.setText(setup == QLatin1String("M 0") ? QStringLiteral("0") : QString());
        w.txtMedium.setFocus();
    }
    const int beeps = f.ui.beepCount();
    w.cmdCalc.press();
    QCOMPARE(f.ui.beepCount(), beeps + 1);
    QCOMPARE(w.activeControl() ? w.activeControl()->name() : QString(), focus);
    QVERIFY(!w.optflüssig.enabled());
    QCOMPARE(shownRows(w), QString());
    QVERIFY(f.ui.messages().empty());
}

void TestFluidWizardCalculation::editedDensityAndRealGasFactorRecomputeEachOther_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("rho");
    QTest::addColumn<QString>("Z");
    // Air (M 28.96) at 10 bar abs. and 20 °C: Z = 100·10·28.96 / (293.15·8.3143·11.88) = 1.0002; with Z = 1 the
    // density is 11.88 kg/m3.
    QTest::newRow("density typed") << "rho" << loc("11.88") << loc("11.88") << loc("1.000");
    QTest::newRow("real-gas factor typed") << "Z" << "1" << loc("11.88") << loc("1.000");
    // Letters are replaced by the text the field had; the partner follows the restored value.
    QTest::newRow("density letters") << "rho" << "abc" << "kept" << "from kept";
    QTest::newRow("real-gas factor 0") << "Z" << "0" << "kept" << loc("0");
}

void TestFluidWizardCalculation::editedDensityAndRealGasFactorRecomputeEachOther()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, rho);
    QFETCH(QString, Z);
    frmStoffdatenAssistent &w = openOn(QStringLiteral("Luft (-)"), airAt(10, 20));
    w.cmdCalc.userClick();
    QCOMPARE(w.assistentZustand(), 2);
    const QString rhoCalculated = w.txtrhomax.text();
    typeAndLeave(field == QLatin1String("rho") ? w.txtrhomax : w.txtZmax, typed, w.txtp1max);
    QCOMPARE(w.txtrhomax.text(), rho == QLatin1String("kept") ? rhoCalculated : rho);
    // The real-gas factor of a restored density, worked from the restored text; a real-gas factor of 0 gives no
    // density.
    if (Z == QLatin1String("from kept")) {
        const double restored = Variant(rhoCalculated).toDouble();
        QCOMPARE(w.txtZmax.text(),
                 formatZahl4(Variant(100.0 * 10 * 28.96 / (293.15 * 8.3143 * restored))).toString());
    } else {
        QCOMPARE(w.txtZmax.text(), Z);
    }
    QVERIFY(w.cmdOK.enabled());
}

void TestFluidWizardCalculation::handOverButtonFollowsTheCalculatedPoint_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed"); // empty: the user only passes through the field
    QTest::addColumn<bool>("enabled");
    QTest::newRow("p1 changed") << "txtp1max" << "11" << false;
    QTest::newRow("T1 changed") << "txtT1max" << "160" << false;
    // "10" becomes "10.00": the same operating point.
    QTest::newRow("p1 passed through") << "txtp1max" << "" << true;
    // Typing is a change, also when the value typed comes back to the one calculated.
    QTest::newRow("p1 retyped alike") << "txtp1max" << loc("10.0") << false;
    QTest::newRow("density edited") << "txtrhomax" << "900" << true;
    QTest::newRow("vapour pressure edited") << "txtpsatmax" << "5" << true;
}

void TestFluidWizardCalculation::handOverButtonFollowsTheCalculatedPoint()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, enabled);
    frmStoffdatenAssistent &w = openOn(QStringLiteral("Wasser (H2O)"));
    w.cmdCalc.userClick();
    QVERIFY(w.cmdOK.enabled());
    auto *box = dynamic_cast<TextBox *>(w.control(field));
    QVERIFY(box);
    if (typed.isEmpty()) {
        box->setFocus();
        w.cmdCalc.setFocus();
        QCOMPARE(box->text(), loc("10.00"));
    } else {
        typeAndLeave(*box, typed, w.cmdCalc);
    }
    QCOMPARE(w.cmdOK.enabled(), enabled);
    // A new calculation at the point shown enables it again.
    w.cmdCalc.userClick();
    QVERIFY(w.cmdOK.enabled());
}

void TestFluidWizardCalculation::vapourPressureUsesThePickedFactorAndZTheField()
{
    frmStoffdatenAssistent &w = openOn(QStringLiteral("Wasser (H2O)"));
    w.cmdCalc.userClick();
    const QString psat = w.txtpsatmax.text();
    const QString Z = w.txtZmax.text();
    w.cmdBearbeiten.userClick();
    w.txtazFaktor.setText(loc("0.5"));
    w.cmdCalc.userClick();
    QCOMPARE(w.txtpsatmax.text(), psat);
    QVERIFY2(w.txtZmax.text() != Z, qPrintable(Z));
    // An edited record is no calculation to hand over.
    QVERIFY(!w.cmdOK.enabled());
}

void TestFluidWizardCalculation::vapourPressureIsInTheUnitItsListShows_data()
{
    QTest::addColumn<int>("pUnit");   // shared at loading: the unit the picked critical pressure is kept in
    QTest::addColumn<QString>("entry");
    QTest::addColumn<double>("p1");   // bar abs., at 20 °C or 150 °C below
    QTest::addColumn<double>("T1");
    QTest::addColumn<QString>("unit"); // the list after the cancelled edit: the record's own unit
    QTest::addColumn<QString>("psat");
    QTest::addColumn<int>("state");
    // Water kept as 3208 psia = 221.2 bar, shown in bar after the cancel: psat(150 °C) = 4.635 bar < 10 bar, liquid.
    QTest::newRow("kept in psia, shown in bar") << 2 << "Wasser (H2O)" << 10.0 << 150.0 << "bar,abs." << loc("4.635")
                                                << 1;
    // Propan kept as 96.68 °C and 42.48 bar, shown in F and psia after the cancel: psat(20 °C) = 8.404 bar
    // = 8.404 / 0.06894757 = 121.9 psia, above 5 bar: gas.
    QTest::newRow("kept in bar, shown in psia") << 0 << "Propan (C3H8)" << 5.0 << 20.0 << "psia" << loc("121.9") << 2;
}

// The kept critical point keeps the units of its pick; the vapour pressure is shown, compared and handed over in
// the unit the pressure list shows when the calculation runs.
void TestFluidWizardCalculation::vapourPressureIsInTheUnitItsListShows()
{
    QFETCH(int, pUnit);
    QFETCH(QString, entry);
    QFETCH(double, p1);
    QFETCH(double, T1);
    QFETCH(QString, unit);
    QFETCH(QString, psat);
    QFETCH(int, state);
    Start s = airAt(p1, T1);
    s.pUnit = pUnit;
    frmStoffdatenAssistent &w = openOn(entry, s);
    w.cmdBearbeiten.userClick();
    w.cmdEscBearbeiten.userClick();
    QCOMPARE(w.p_unit.text(), unit);
    w.cmdCalc.userClick();
    QCOMPARE(w.lblp_unit.caption(), unit);
    QCOMPARE(w.txtpsatmax.text(), psat);
    QCOMPARE(w.assistentZustand(), state);
    w.cmdOK.userClick();
    QCOMPARE(EinheitDruck(Variant(shared().pUnit)), unit);
    QCOMPARE(shared().psatMax, Variant(psat).toDouble());
}

void TestFluidWizardCalculation::acentricFactorAfterEdmister_data()
{
    QTest::addColumn<int>("TUnit");
    QTest::addColumn<int>("pUnit");
    QTest::addColumn<QString>("Ts"); // typed over the default, or empty
    QTest::addColumn<QString>("w");
    QTest::addColumn<int>("beeps");
    // θ = 373.15 / 647.35: (3/7)·(θ/(1 − θ))·log10(221.2 / 1.013) − 1 = 0.3643.
    QTest::newRow("water, °C and bar") << 0 << 0 << "" << loc("0.3643") << 0;
    // Neu shows 212.0 F and 705.6 F (one decimal): θ = 373.15 / 647.37 gives 0.3642.
    QTest::newRow("water, F and psia") << 1 << 2 << "" << loc("0.3642") << 0;
    // Ts = Tc has no factor; a boiling point that is no number does nothing at all.
    QTest::newRow("boiling at the critical point") << 0 << 0 << loc("374.2") << loc("0.344") << 1;
    QTest::newRow("boiling point letters") << 0 << 0 << "abc" << loc("0.344") << 0;
}

void TestFluidWizardCalculation::acentricFactorAfterEdmister()
{
    QFETCH(int, TUnit);
    QFETCH(int, pUnit);
    QFETCH(QString, Ts);
    QFETCH(QString, w);
    QFETCH(int, beeps);
    Start s = airAt(10, 150);
    s.TUnit = TUnit;
    s.pUnit = pUnit;
    f.beginCase(s);
    frmStoffdatenAssistent &wizard = f.open();
    wizard.cmdNeu.userClick();
    if (!Ts.isEmpty())
        wizard.txtTs.setText(Ts);
    wizard.cmdazFaktor.userClick();
    QCOMPARE(wizard.txtazFaktor.text(), w);
    QCOMPARE(f.ui.beepCount(), beeps);
}

QTEST_MAIN(TestFluidWizardCalculation)
#include "test_fluid_wizard_calculation.moc"
