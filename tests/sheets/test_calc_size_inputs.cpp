// The sizing sheet's input handling: typing and leaving boxes, unit switches, value lists, options, column check
// boxes, the pipe-size lists, the wizard hook, and the validation and warning texts the sheet ends up showing.

#include "engine/sizing_recalc.h"
#include "sheet_fixture.h"

#include "units/conversions.h"
#include "units/number_format.h"

using namespace sheetfixture;

namespace {

QString num(const char *dotted)
{
    return QString::fromLatin1(dotted).replace(QLatin1Char('.'), numtext::userLocale().decimalPoint());
}

// A window standing in for the fluid-data wizard.
class WizardStandIn : public Form {
public:
    WizardStandIn() : Form(QStringLiteral("frmStoffdatenAssistent"))
    {
        move(0, 0, 6000, 4500);
    }
};

} // namespace

class TestCalcSizeInputs : public QObject {
    Q_OBJECT

private slots:
    void typing_storesNumbersAndBeepsOtherwise();
    void emptiedBox_keepsValueAndFailsOnLeaving();
    void leavingABox_recalculates();
    void validationMessages_focusAndBeep_data();
    void validationMessages_focusAndBeep();
    void recalculationFromTheMenus_doesNotNest();
    void warnings_redAndBold();
    void temperatureUnit_roundsToOneDecimal();
    void temperatureUnit_hashPattern_data();
    void temperatureUnit_hashPattern();
    void pressureUnit_fourDigitsAndCurrentStatus();
    void unitSwitch_runsOverTheShownValues_data();
    void unitSwitch_runsOverTheShownValues();
    void flowUnit_convertsAllPointsAndFullOpenFlow_data();
    void flowUnit_convertsAllPointsAndFullOpenFlow();
    void flowUnit_withoutADensityKeepsFlowsAndUnit_data();
    void flowUnit_withoutADensityKeepsFlowsAndUnit();
    void fluidUnitLists_actOnlyForLiquids();
    void vapourPressureUnit_keepsCriticalPressureInStep();
    void densityAndVelocityUnits();
    void kvUnit_switchesToTableCv();
    void sizeUnit_convertsValveAndPipeSizes();
    void pipeLists_selectStoredSizes_data();
    void pipeLists_selectStoredSizes();
    void pipeOptions_enableListsAndRecalculate_data();
    void pipeOptions_enableListsAndRecalculate();
    void givenNominalSize_waitsForTheList();
    void characteristicChosen_refillsListsAndRecalculates();
    void columns_tickAndUntick_data();
    void columns_tickAndUntick();
    void normColumn_untickedAndTickedAgain();
    void onOffChosen_switchesColumnsOff();
    void staleWizardData_opensWizardCentredModeless();
    void seriesWithoutKvs_neverSaysUpdated_data();
    void seriesWithoutKvs_neverSaysUpdated();
};

void TestCalcSizeInputs::typing_storesNumbersAndBeepsOtherwise()
{
    Fixture f;
    shared().PDFDruckerVorhanden = true;
    frmCalcSize &sheet = f.loadSheet();
    QVERIFY(f.window.mnuDrucken.enabled());
    const int beeps = f.beeps();

    sheet.txtp2max.setFocus();
    sheet.txtp2max.userBackspace(); // the whole text is selected on entry
    QCOMPARE(sheet.txtp2max.text(), QString());
    sheet.txtp2max.userType(QStringLiteral("-"));
    QCOMPARE(shared().p2Max, 6.0);
    sheet.txtp2max.userType(QStringLiteral("5"));
    QCOMPARE(shared().p2Max, -5.0);
    // Emptied, then a lone minus sign: two beeps; the 5 is a number.
    QCOMPARE(f.beeps() - beeps, 2);
    QCOMPARE(f.status(), QStringLiteral("Berechnung nicht aktualisiert: TAB ->|"));
    QVERIFY(!f.window.mnuDrucken.enabled());
    QVERIFY(!f.window.mnuPDFDruck.enabled());

    // Leaving the box recalculates; a negative outlet pressure fails the validation.
    sheet.pressTab();
    QCOMPARE(f.status(), QStringLiteral("Berechnung nicht aktualisiert: Druckwert unzulässig!"));
}

void TestCalcSizeInputs::emptiedBox_keepsValueAndFailsOnLeaving()
{
    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    sheet.txtQmin.setFocus();
    const int beeps = f.beeps();
    sheet.txtQmin.userBackspace();
    QCOMPARE(sheet.txtQmin.text(), QString());
    QCOMPARE(shared().QMin, 10.0);
    QCOMPARE(f.beeps() - beeps, 1);
    sheet.txtQnorm.setFocus();
    QCOMPARE(f.status(), QStringLiteral("Berechnung nicht aktualisiert: Kein numerischer Wert!"));
    // The validation puts the focus back into the empty box and the recalculation beeps once more.
    QVERIFY(sheet.txtQmin.hasFocus());
    QCOMPARE(f.beeps() - beeps, 2);
}

void TestCalcSizeInputs::leavingABox_recalculates()
{
    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    const QString kvBefore = sheet.lblKvmaxcalc.caption();
    sheet.txtQmax.setFocus();
    sheet.txtQmax.userType(QStringLiteral("45"));
    QCOMPARE(shared().QMax, 45.0);
    QCOMPARE(sheet.lblKvmaxcalc.caption(), kvBefore);
    sheet.pressTab();
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));
    QVERIFY(sheet.lblKvmaxcalc.caption() != kvBefore);
    QVERIFY(f.window.mnuDrucken.enabled());
}

void TestCalcSizeInputs::validationMessages_focusAndBeep_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("min not numeric") << "txtp1min" << "abc" << "Kein numerischer Wert!" << "txtp1min";
    QTest::newRow("max not numeric") << "txtT1max" << "x" << "Kein numerischer Wert!!" << "txtT1max";
    // These tests move no focus: it stays in the box the user went to.
    QTest::newRow("p2 above p1") << "txtp2norm" << "12" << "Druckwert unzulässig!" << "txtp1max";
    QTest::newRow("flows out of order") << "txtQmin" << "40" << "Mengenangabe unzulässig!" << "txtp1max";
}

void TestCalcSizeInputs::validationMessages_focusAndBeep()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    const QString kvBefore = sheet.lblKvmaxcalc.caption();
    auto *field = static_cast<TextBox *>(sheet.control(box));
    field->setFocus();
    field->userType(text);
    const int beeps = f.beeps();
    // Leave for a box that itself is fine.
    sheet.txtp1max.setFocus();
    QCOMPARE(f.status(), QStringLiteral("Berechnung nicht aktualisiert: ") + message);
    QCOMPARE(sheet.activeControl()->name(), focus);
    QCOMPARE(f.beeps() - beeps, 1);
    QCOMPARE(sheet.lblKvmaxcalc.caption(), kvBefore);
    QVERIFY(!f.window.mnuDrucken.enabled());
}

void TestCalcSizeInputs::recalculationFromTheMenus_doesNotNest()
{
    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    sheet.txtQmax.setFocus();
    sheet.txtp1min.setText(QStringLiteral("x"));
    const int beeps = f.beeps();
    // The menus and dialogs run the recalculation themselves; its validation moves the focus away from the flow
    // box, whose LostFocus must not start a second run inside the first.
    calcDimensionierung();
    QCOMPARE(f.beeps() - beeps, 1);
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung nicht aktualisiert: ")));
    QCOMPARE(sheet.activeControl(), &sheet.txtp1min);
}

void TestCalcSizeInputs::warnings_redAndBold()
{
    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    QCOMPARE(sheet.lblQymax.foreColor(), colors::Black);
    QVERIFY(!sheet.lblQymax.fontBold());

    // Far more than the largest valve passes; the minimum point's 10 m3/h lie below that valve's smallest Kv.
    sheet.txtQmax.setFocus();
    sheet.txtQmax.userType(QStringLiteral("5000"));
    const int beeps = f.beeps();
    sheet.pressTab();
    QCOMPARE(f.status(), QStringLiteral("Berechnung aktualisiert / Stellverhältnis nicht ausreichend! / "
                                        "Ventildurchfluss nicht ausreichend!"));
    for (Label *label : {&sheet.lblQymax, &sheet.lblQymaxunit, &sheet.lblQReserve, &sheet.lblQResunit}) {
        QCOMPARE(label->foreColor(), colors::Red);
        QVERIFY(label->fontBold());
    }
    QCOMPARE(sheet.lblYmax.foreColor(), colors::Red);
    QVERIFY(!sheet.lblYmax.fontBold());
    QVERIFY(f.beeps() - beeps >= 1);

    // Back within the catalogue: the labels return to black and normal weight.
    sheet.txtQmax.setFocus();
    sheet.txtQmax.userType(QStringLiteral("30"));
    sheet.pressTab();
    QCOMPARE(sheet.lblQymax.foreColor(), colors::Black);
    QVERIFY(!sheet.lblQymax.fontBold());
    QCOMPARE(sheet.lblYmax.foreColor(), colors::Black);
}

void TestCalcSizeInputs::temperatureUnit_roundsToOneDecimal()
{
    Fixture f;
    shared().T1Min = shared().T1Norm = shared().T1Max = 21.33;
    frmCalcSize &sheet = f.loadSheet();
    // Loading already shows (and stores) one decimal.
    QCOMPARE(shared().T1Max, 21.3);
    shared().T1Max = 21.33;
    sheet.cmbT1unit.setListIndex(1);
    QCOMPARE(sheet.txtT1max.text(), num("70.4"));
    QCOMPARE(shared().T1Max, 70.4);
    QCOMPARE(shared().T1Unit, 1);
    sheet.cmbT1unit.setListIndex(0);
    QCOMPARE(sheet.txtT1max.text(), num("21.3"));
    QCOMPARE(shared().T1Max, 21.3);
    QCOMPARE(f.status(), QStringLiteral("Berechnung aktualisiert"));
    QVERIFY(f.window.mnuDrucken.enabled());
}

void TestCalcSizeInputs::temperatureUnit_hashPattern_data()
{
    QTest::addColumn<double>("fahrenheit");
    QTest::addColumn<QString>("shown");
    QTest::newRow("half a degree") << 32.9 << num(".5");
    QTest::newRow("zero") << 32.0 << num(".0");
    QTest::newRow("below zero") << 31.55 << num("-.3");
    QTest::newRow("hundreds") << 254.21 << num("123.5");
}

void TestCalcSizeInputs::temperatureUnit_hashPattern()
{
    QFETCH(double, fahrenheit);
    QFETCH(QString, shown);
    Fixture f;
    SharedData &s = shared();
    s.T1Unit = 1;
    s.T1Min = s.T1Norm = s.T1Max = 68;
    frmCalcSize &sheet = f.loadSheet();
    s.T1Norm = fahrenheit;
    sheet.cmbT1unit.setListIndex(0);
    QCOMPARE(sheet.txtT1norm.text(), shown);
    double back = 0;
    QVERIFY(numtext::parse(shown, &back));
    QCOMPARE(s.T1Norm, back);
}

void TestCalcSizeInputs::pressureUnit_fourDigitsAndCurrentStatus()
{
    Fixture f;
    // The norm column is off: its values are converted and rewritten like the others.
    shared().p1Min = shared().p1Norm = shared().p1Max = 10.123;
    shared().NORM = false;
    frmCalcSize &sheet = f.loadSheet();
    QCOMPARE(shared().p1Max, 10.123);
    sheet.txtQmax.setFocus();
    sheet.txtQmax.userType(QStringLiteral("3"));
    QVERIFY(!f.window.mnuDrucken.enabled());

    sheet.cmbP1unit.setListIndex(2);
    for (TextBox *box : {&sheet.txtp1min, &sheet.txtp1norm, &sheet.txtp1max})
        QCOMPARE(box->text(), num("146.8"));
    QCOMPARE(shared().p1Min, 146.8);
    QCOMPARE(shared().p1Norm, 146.8);
    QCOMPARE(shared().p1Max, 146.8);
    QCOMPARE(shared().p1Unit, 2);
    // The switch recalculates what the boxes show, the flow typed before too, below the min flow.
    QCOMPARE(f.status(), QStringLiteral("Berechnung nicht aktualisiert: Mengenangabe unzulässig!"));
    QVERIFY(!f.window.mnuDrucken.enabled());
    sheet.cmbP1unit.setListIndex(0);
    QCOMPARE(shared().p1Min, 10.12);
    QCOMPARE(shared().p1Norm, 10.12);
    QCOMPARE(shared().p1Max, 10.12);
    QCOMPARE(sheet.txtp1max.text(), num("10.12"));

    // Over valid inputs the switch ends current.
    sheet.txtQmax.setText(num("1000"));
    calcDimensionierung();
    QVERIFY2(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")), qPrintable(f.status()));
    // Gauge units: 6 bar abs. outlet is 4.987 bar,ü. The minimum point's 10 m3/h lie below the smallest Kv of the
    // valve that 1000 m3/h need.
    sheet.cmbP2unit.setListIndex(1);
    QCOMPARE(shared().p2Max, 4.987);
    QCOMPARE(sheet.txtp2max.text(), num("4.987"));
    QCOMPARE(f.status(), QStringLiteral("Berechnung aktualisiert / Stellverhältnis nicht ausreichend!"));
    QVERIFY(f.window.mnuDrucken.enabled());

    // The run after the switch warns as the one before did: no valve of the series passes 100000 m3/h.
    sheet.txtQmax.setText(num("100000"));
    calcDimensionierung();
    const QString warned = f.status();
    QVERIFY2(warned.startsWith(QStringLiteral("Berechnung aktualisiert / ")), qPrintable(warned));
    sheet.cmbP1unit.setListIndex(2);
    QCOMPARE(f.status(), warned);
    QCOMPARE(sheet.lblQymax.foreColor(), colors::Red);
    QVERIFY(f.window.mnuDrucken.enabled());
}

// A p1, p2 or T1 switch runs over what the boxes then show, values rounded to four digits. Water at 100.05 / 100
// bar abs. and 20 C, 1 / 2 / 3 m3/h; Kv by hand, Q sqrt(rho / 1000 / dp) with rho 998.2 kg/m3 (water at 20 C from
// the steam tables).
void TestCalcSizeInputs::unitSwitch_runsOverTheShownValues_data()
{
    QTest::addColumn<int>("medium");        // 1 water, 6 a wizard liquid with its data
    QTest::addColumn<QStringList>("picks"); // unit list:position
    QTest::addColumn<double>("kvMax");      // 0: no run computes
    QTest::addColumn<QString>("status");
    const QStringList p2 = {"cmbP2unit:2", "cmbP2unit:0"};
    const QString updated = QStringLiteral("Berechnung aktualisiert");
    // 100.05 bar are 1451 psia, and these 100.0 bar: no more than p2.
    QTest::newRow("p1 psia and back") << 1 << QStringList{"cmbP1unit:2", "cmbP1unit:0"} << 0.0
                                      << "Berechnung nicht aktualisiert: Druckwert unzulässig!";
    // 100 bar are 1450 psia, and these 99.97 bar.
    QTest::newRow("p2 psia and back") << 1 << p2 << 3 * std::sqrt(0.9982 / 0.08) << updated;
    // p2 leaves the wizard's data as current as they were; T1 makes them stale, and they stay so.
    QTest::newRow("wizard liquid, p2") << 6 << p2 << 3 * std::sqrt(0.9982 / 0.08) << updated;
    QTest::newRow("wizard liquid, T1, then p2") << 6 << (QStringList{"cmbT1unit:1", "cmbT1unit:0"} + p2) << 0.0
                                                << "Berechnung nicht aktualisiert: Stoffdaten nicht aktuell!";
}

void TestCalcSizeInputs::unitSwitch_runsOverTheShownValues()
{
    QFETCH(int, medium);
    QFETCH(QStringList, picks);
    QFETCH(double, kvMax);
    QFETCH(QString, status);
    Fixture f;
    SharedData &s = shared();
    s.QMin = 1;
    s.QNorm = 2;
    s.QMax = 3;
    s.p1Max = 100.05;
    s.p2Max = 100;
    s.Medium = medium;
    s.rho1Min = s.rho1Norm = s.rho1Max = 998.2;
    s.nueMin = s.nueNorm = s.nueMax = 1.0;
    s.psatMin = s.psatNorm = s.psatMax = 0.0234;
    s.pkrit = 221.2;
    frmCalcSize &sheet = f.loadSheet();
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));
    for (const QString &pick : picks)
        static_cast<ComboBox *>(sheet.control(pick.section(':', 0, 0)))->userPick(pick.section(':', 1).toInt());
    QCOMPARE(f.status(), status);
    QCOMPARE(f.window.mnuDrucken.enabled(), kvMax > 0);
    if (kvMax > 0)
        QVERIFY2(std::abs(s.Kvmax / kvMax - 1) < 1e-3, qPrintable(QString::number(s.Kvmax)));
    if (medium == 6)
        QCOMPARE(s.StoffdatenAktuell, kvMax > 0);
}

void TestCalcSizeInputs::flowUnit_convertsAllPointsAndFullOpenFlow_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("newUnit");
    QTest::addColumn<QString>("unitName");

    QTest::newRow("water m3/h to kg/h") << 1 << 1 << "kg/h";
    QTest::newRow("water m3/h to G.P.M.") << 1 << 5 << "G.P.M.";
    QTest::newRow("air m3/h norm to kg/h") << 0 << 1 << "kg/h";
    QTest::newRow("steam kg/h to lb/h") << 2 << 1 << "lb./hr.";
}

void TestCalcSizeInputs::flowUnit_convertsAllPointsAndFullOpenFlow()
{
    QFETCH(int, medium);
    QFETCH(int, newUnit);
    QFETCH(QString, unitName);

    Fixture f;
    if (medium == 0)
        f.airCase();
    else if (medium == 2)
        f.steamCase();
    frmCalcSize &sheet = f.loadSheet();
    SharedData &s = shared();
    const double qMin = s.QMin, qMax = s.QMax, q100 = s.Q100;
    const double rhoMin = s.rho1Min, rhoMax = s.rho1Max;
    auto expected = [&](double q, double rho) {
        switch (medium) {
        case 0:
            return umrechnenDurchflussGas(Variant(q), 0, Variant(s.rhoN), s.rhoUnit, newUnit).asNumber();
        case 1:
            return umrechnenDurchflussFluessig(Variant(q), 0, Variant(rho), s.rhoUnit, newUnit).asNumber();
        default:
            return umrechnenMassenstrom(Variant(q), 0, newUnit).asNumber();
        }
    };
    const double wantMin = expected(qMin, rhoMin);
    const double wantMax = expected(qMax, rhoMax);
    const double wantQ100 = expected(q100, rhoMax);

    sheet.cmbQunit.setListIndex(newUnit);
    QCOMPARE(s.QUnit, newUnit);
    QCOMPARE(s.QMin, wantMin);
    QCOMPARE(s.QMax, wantMax);
    QCOMPARE(sheet.txtQmax.text(), numtext::general(wantMax));
    QCOMPARE(sheet.lblQymaxunit.caption(), unitName);
    // The recalculation that follows sizes the same valve in the new unit.
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));
    QVERIFY(std::abs(s.Q100 - wantQ100) <= 1e-3 * std::abs(wantQ100));
}

// Mass and volume flows do not convert into each other without a density: the switch is refused, and the flows,
// the unit and the list stay. Volume into volume needs none: 30 m3/h are 500 l/min.
void TestCalcSizeInputs::flowUnit_withoutADensityKeepsFlowsAndUnit_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("newUnit");
    QTest::addColumn<double>("expectedQMax"); // 0: refused

    QTest::newRow("liquid without density, m3/h to kg/h") << 4 << 1 << 0.0;
    QTest::newRow("liquid without density, m3/h to l/min") << 4 << 2 << 500.0;
    QTest::newRow("gas without norm density, m3/h (norm) to kg/h") << 0 << 1 << 0.0;
}

void TestCalcSizeInputs::flowUnit_withoutADensityKeepsFlowsAndUnit()
{
    QFETCH(int, medium);
    QFETCH(int, newUnit);
    QFETCH(double, expectedQMax);

    Fixture f;
    if (medium == 0)
        f.airCase();
    frmCalcSize &sheet = f.loadSheet();
    SharedData &s = shared();
    s.Medium = medium;
    s.rhoN = 0;
    s.rho1Min = s.rho1Norm = s.rho1Max = 0;
    s.QMax = 30;
    const double qMin = s.QMin, q100 = s.Q100;
    const int beeps = f.ui.beepCount();

    sheet.cmbQunit.setListIndex(newUnit);

    if (expectedQMax == 0) {
        QCOMPARE(s.QUnit, 0);
        QCOMPARE(sheet.cmbQunit.listIndex(), 0);
        QCOMPARE(s.QMax, 30.0);
        QCOMPARE(s.QMin, qMin);
        QCOMPARE(s.Q100, q100);
        QCOMPARE(f.status(), QStringLiteral("Durchflusseinheit ohne Dichte nicht umrechenbar!"));
        QCOMPARE(f.ui.beepCount(), beeps + 1);
    } else {
        QCOMPARE(s.QUnit, newUnit);
        QCOMPARE(s.QMax, expectedQMax);
    }
}

void TestCalcSizeInputs::fluidUnitLists_actOnlyForLiquids()
{
    Fixture f;
    f.airCase();
    frmCalcSize &sheet = f.loadSheet();
    SharedData &s = shared();
    const double psat = s.psatMax, nue = s.nueMax;
    // Lists of a gas sheet are empty and hidden; even a forced click changes nothing, not even the unit index.
    sheet.cmbStoffwert2unit.addItem(QStringLiteral("a"));
    sheet.cmbStoffwert2unit.addItem(QStringLiteral("b"));
    sheet.cmbStoffwert2unit.setListIndex(1);
    sheet.cmbStoffwert3unit.addItem(QStringLiteral("a"));
    sheet.cmbStoffwert3unit.addItem(QStringLiteral("b"));
    sheet.cmbStoffwert3unit.setListIndex(1);
    QCOMPARE(s.pUnit, 0);
    QCOMPARE(s.nueUnit, 0);
    QCOMPARE(s.psatMax, psat);
    QCOMPARE(s.nueMax, nue);
}

void TestCalcSizeInputs::vapourPressureUnit_keepsCriticalPressureInStep()
{
    Fixture f;
    SharedData &s = shared();
    // A liquid from the list: its properties come from the dialog, not from the water routines.
    s.Medium = 4;
    s.NameMedium = QStringLiteral("Glykol");
    s.rho1Min = s.rho1Norm = s.rho1Max = 1110;
    s.psatMin = s.psatNorm = s.psatMax = 0.5;
    s.nueMin = s.nueNorm = s.nueMax = 20;
    s.pkrit = 80;
    frmCalcSize &sheet = f.loadSheet();
    const double q100 = s.Q100;

    sheet.cmbStoffwert2unit.setListIndex(2);
    QCOMPARE(s.pUnit, 2);
    QCOMPARE(s.psatMax, umrechnenDruck(Variant(0.5), 0, 2));
    QCOMPARE(s.pkrit, umrechnenDruck(Variant(80.0), 0, 2));
    QCOMPARE(sheet.lblStoffwert2max.caption(), formatZahl3(Variant(s.psatMax)).toString());
    // The same valve passes the same flow with both pressures in psia.
    sheet.txtQmax.setFocus();
    sheet.pressTab();
    QVERIFY(std::abs(s.Q100 - q100) <= 2e-3 * q100);

    sheet.cmbStoffwert3unit.setListIndex(1);
    QCOMPARE(s.nueUnit, 1);
    QCOMPARE(s.nueMax, 20 * 1110 / 1000.0);
}

void TestCalcSizeInputs::densityAndVelocityUnits()
{
    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    SharedData &s = shared();
    const double rho = s.rho1Max;
    const double v1 = s.v1Max, v2min = s.v2Min;
    QVERIFY(v1 > 0);

    sheet.cmbStoffwert1unit.setListIndex(1);
    QCOMPARE(s.rhoUnit, 1);
    QCOMPARE(s.rho1Max, rho * 0.06243);
    QCOMPARE(sheet.lblStoffwert1max.caption(), formatZahl3(Variant(rho * 0.06243)).toString());

    sheet.cmbGeschwindigkeit.setListIndex(1);
    QCOMPARE(s.vUnit, 1);
    QCOMPARE(s.v1Max, v1 / 0.305);
    QCOMPARE(sheet.lblV1max.caption(), numtext::fixed(v1 / 0.305, 1));
    QCOMPARE(sheet.lblV2min.caption(), numtext::fixed(v2min / 0.305, 1));
}

void TestCalcSizeInputs::kvUnit_switchesToTableCv()
{
    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    SharedData &s = shared();
    const float kvs = s.KvsCv;
    const double kvmax = s.Kvmax;
    const float tableCv = umrechnenKvsCvTabelle(Variant(kvs), 0, 1).toFloat();
    QVERIFY(tableCv > 0);
    // The minimum point's opening was not found, the normal point's flow passes no Kv (beyond full travel between
    // reducers): neither has a Kv to convert, and both keep showing "N/A" as the run showed them.
    s.yMin = -1, s.Kvmin = 0;
    s.yNorm = 1, s.Kvnorm = 0;
    QVERIFY(s.QMin > 0 && s.QNorm > 0);

    sheet.cmbKvUnit.setListIndex(1);
    QCOMPARE(sheet.lblKvmincalc.caption(), QStringLiteral("N/A"));
    QCOMPARE(sheet.lblKvnormcalc.caption(), QStringLiteral("N/A"));
    QCOMPARE(s.KvUnit, 1);
    QCOMPARE(s.KvsCv, tableCv);
    QCOMPARE(sheet.cmbKvsCv.text(), numtext::general(tableCv, 7));
    QCOMPARE(s.Kvmax, kvmax * 1.16);
    QCOMPARE(sheet.lblKvmaxcalc.caption(), formatZahl4(Variant(kvmax * 1.16)).toString());
    QCOMPARE(sheet.cmbKvUnit.text(), QStringLiteral("CV"));
}

void TestCalcSizeInputs::sizeUnit_convertsValveAndPipeSizes()
{
    Fixture f;
    shared().chkDNRohr = 2;
    shared().DN1Rohr = QStringLiteral("80");
    shared().DN2Rohr = QStringLiteral("100");
    frmCalcSize &sheet = f.loadSheet();
    SharedData &s = shared();
    const QString valveMm = s.DNVentil;

    sheet.cmbDNunit.setListIndex(1);
    QCOMPARE(s.DNunit, 1);
    QCOMPARE(s.DNVentil, umrechnenDN(Variant(valveMm), 0, 1).toString());
    QCOMPARE(s.DN1Rohr, QStringLiteral("3\""));
    QCOMPARE(s.DN2Rohr, QStringLiteral("4\""));
    QCOMPARE(sheet.cmbDNVentil.text(), s.DNVentil);
    QCOMPARE(sheet.cmbDNRohr1.text(), QStringLiteral("3\""));
    QCOMPARE(sheet.cmbDNRohr2.text(), QStringLiteral("4\""));
}

void TestCalcSizeInputs::pipeLists_selectStoredSizes_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("shown");

    QTest::newRow("blanks around 80") << " 80 " << 0 << 9 << "80";
    QTest::newRow("500 is not in the list") << "500" << 0 << 17 << "400";
    QTest::newRow("inch 1 1/2") << "1 1/2\"" << 1 << 6 << "1 1/2\"";
    QTest::newRow("mm text in the inch list") << "50" << 1 << 17 << "16\"";
}

void TestCalcSizeInputs::pipeLists_selectStoredSizes()
{
    QFETCH(QString, stored);
    QFETCH(int, unit);
    QFETCH(int, index);
    QFETCH(QString, shown);

    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    const QString status = f.status();
    const QString storedInlet = shared().DN1Rohr;
    QString dn1 = stored;
    QString dn2 = stored;
    sheet.update_DNRohrleitung(dn1, dn2, unit);
    QCOMPARE(sheet.cmbDNRohr1.listIndex(), index);
    QCOMPARE(sheet.cmbDNRohr2.listIndex(), index);
    QCOMPARE(sheet.cmbDNRohr1.text(), shown);
    // The stored sizes stay as they were, and the refill starts no recalculation.
    QCOMPARE(dn1, stored);
    QCOMPARE(shared().DN1Rohr, storedInlet);
    QCOMPARE(f.status(), status);
    QVERIFY(sheet.ListeDNRohrbereit);
}

void TestCalcSizeInputs::pipeOptions_enableListsAndRecalculate_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("listsEnabled");
    QTest::newRow("given") << "optVorgabe" << 2 << true;
    QTest::newRow("proposed") << "optOptimiert" << 1 << false;
}

void TestCalcSizeInputs::pipeOptions_enableListsAndRecalculate()
{
    QFETCH(QString, option);
    QFETCH(int, mode);
    QFETCH(bool, listsEnabled);

    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    QVERIFY(!sheet.cmbDNRohr1.enabled());
    sheet.txtQmax.setFocus();
    sheet.txtQmax.userType(QStringLiteral("38"));
    static_cast<OptionButton *>(sheet.control(option))->userClick();
    QCOMPARE(shared().chkDNRohr, mode);
    QCOMPARE(sheet.cmbDNRohr1.enabled(), listsEnabled);
    QCOMPARE(sheet.cmbDNRohr2.enabled(), listsEnabled);
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));

    if (listsEnabled) {
        // Picking a given outlet size stores it and recalculates with it.
        sheet.cmbDNRohr2.userPick(sheet.cmbDNRohr2.findItem(QStringLiteral("150")));
        QCOMPARE(shared().DN2Rohr, QStringLiteral("150"));
        QCOMPARE(sheet.lblV2max.caption(),
                 formatZahl3(Variant(shared().v2Max)).toString());
        QVERIFY(shared().v2Max < shared().v1Max);
    }
    sheet.optDNVentil.userClick();
    QVERIFY(!sheet.cmbDNRohr1.enabled());
    QCOMPARE(shared().DN1Rohr, shared().DNVentil);
}

void TestCalcSizeInputs::givenNominalSize_waitsForTheList()
{
    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    sheet.txtQmax.setFocus();
    sheet.txtQmax.userType(QStringLiteral("32"));
    const QString notCurrent = f.status();
    // Chosen from code, so that no focus move (and its recalculation) is involved.
    sheet.optDNfest.setValue(true);
    QVERIFY(!shared().DNmin);
    QVERIFY(sheet.cmbDNVentil.enabled());
    QVERIFY(sheet.optKvFest.enabled());
    QCOMPARE(f.status(), notCurrent);

    const int at = sheet.cmbDNVentil.findItem(QStringLiteral("80"));
    QVERIFY(at >= 0);
    sheet.cmbDNVentil.userPick(at);
    QCOMPARE(shared().DNVentil, QStringLiteral("80"));
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));

    // With the Kvs given as well, a size refills the Kvs list with that size's values.
    sheet.optKvFest.userClick();
    QVERIFY(sheet.cmbKvsCv.enabled());
    sheet.cmbDNVentil.userPick(sheet.cmbDNVentil.findItem(QStringLiteral("25")));
    QCOMPARE(shared().DNVentil, QStringLiteral("25"));
    QVERIFY(sheet.cmbKvsCv.listCount() > 0);
    const float kvs25 = shared().KvsCv;
    QCOMPARE(sheet.cmbKvsCv.text(), numtext::general(kvs25, 7));

    // A given Kvs is stored from the list and recalculated with.
    const int last = sheet.cmbKvsCv.listCount() - 1;
    sheet.cmbKvsCv.userPick(last);
    double picked = 0;
    QVERIFY(numtext::parse(sheet.cmbKvsCv.list(last), &picked));
    QCOMPARE(shared().KvsCv, static_cast<float>(picked));
    QCOMPARE(sheet.cmbKvsCv.listIndex(), last);
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));

    // "Minimal" takes the Kvs back to "Optimiert".
    sheet.optDNMin.userClick();
    QVERIFY(sheet.optKvoptimal.value());
    QVERIFY(!sheet.optKvFest.enabled());
    QVERIFY(!sheet.cmbDNVentil.enabled());
    QVERIFY(shared().KvsOpt);
}

void TestCalcSizeInputs::characteristicChosen_refillsListsAndRecalculates()
{
    Fixture f;
    f.useFixtureSeries(QStringLiteral("T3"), {{15, "1/2\"", 1, 2.5f}, {25, "1\"", 0, 6.3f}, {40, "1 1/2\"", 1, 25.0f},
                                              {50, "2\"", 0, 40.0f}, {80, "3\"", 0, 100.0f}});
    frmCalcSize &sheet = f.loadSheet();
    QCOMPARE(sheet.cmbDNVentil.items(), (QStringList{"15", "40"}));
    sheet.txtQmax.setFocus();
    sheet.txtQmax.userType(QStringLiteral("35"));

    sheet.optLinear.setValue(true);
    QCOMPARE(shared().Kennlinie, 0);
    QCOMPARE(sheet.cmbDNVentil.items(), (QStringList{"25", "50", "80"}));
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));
    // The sized valve is one of the linear rows.
    QVERIFY(sheet.cmbDNVentil.items().contains(shared().DNVentil));
    QCOMPARE(sheet.cmbDNVentil.text(), shared().DNVentil);
}

void TestCalcSizeInputs::columns_tickAndUntick_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("kd");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");

    QTest::newRow("liquid, normal") << 1 << 0 << QStringList{"lblFlmin", "lblStoffwert3min", "txtT1min"}
                                    << QStringList{"lblzyMin", "lblxFMin", "lblKavitationMin",
                                                   "lblChokedFlowMin", "lblxTMin"};
    QTest::newRow("liquid, extended")
        << 1 << 6417 << QStringList{"lblFlmin", "lblzyMin", "lblxFMin", "lblKavitationMin", "lblChokedFlowMin"}
        << QStringList{"lblxTMin", "lblxMin"};
    QTest::newRow("steam, normal") << 2 << 0 << QStringList{"lblxTMin", "lblStoffwert2min"}
                                   << QStringList{"lblStoffwert3min", "lblxMin", "lblFlmin"};
}

void TestCalcSizeInputs::columns_tickAndUntick()
{
    QFETCH(int, medium);
    QFETCH(int, kd);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);

    Fixture f;
    if (medium == 2)
        f.steamCase();
    shared().KD_Version = kd;
    shared().MIN = false;
    frmCalcSize &sheet = f.loadSheet();
    for (const QString &name : shown)
        QVERIFY2(!sheet.control(name)->visible(), qPrintable(name));

    sheet.chkMin.userClick();
    QVERIFY(shared().MIN);
    for (const QString &name : shown)
        QVERIFY2(sheet.control(name)->visible(), qPrintable(name));
    for (const QString &name : hidden)
        QVERIFY2(!sheet.control(name)->visible(), qPrintable(name));
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));
    QVERIFY(!sheet.lblYmin.caption().isEmpty());

    // Off again: hidden, stored values untouched.
    const double qMin = shared().QMin;
    sheet.chkMin.userClick();
    QVERIFY(!shared().MIN);
    for (const QString &name : shown)
        QVERIFY2(!sheet.control(name)->visible(), qPrintable(name));
    QCOMPARE(shared().QMin, qMin);
}

void TestCalcSizeInputs::normColumn_untickedAndTickedAgain()
{
    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    const SharedData &s = shared();
    const double qNorm = s.QNorm;
    const QString shown = sheet.txtQnorm.text();
    // From code, so that no focus move recalculates in between.
    sheet.txtQmax.setText(QStringLiteral("35"));
    QVERIFY(!f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));

    sheet.chkNorm.setValue(0);
    QVERIFY(!s.NORM);
    for (Control *c : std::initializer_list<Control *>{&sheet.txtp1norm, &sheet.txtQnorm, &sheet.lblKvnormcalc,
                                                       &sheet.lblYnorm, &sheet.lblFlnorm, &sheet.lblV2norm,
                                                       &sheet.lblStoffwert3norm, &sheet.lblSchallerwartnorm})
        QVERIFY2(!c->visible(), qPrintable(c->name()));
    // Unticking recalculates; the min and max columns stay.
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));
    QVERIFY(sheet.txtQmin.visible());
    QCOMPARE(s.QNorm, qNorm);

    sheet.chkNorm.userClick();
    QVERIFY(s.NORM);
    QVERIFY(sheet.txtQnorm.visible());
    QCOMPARE(sheet.txtQnorm.text(), shown);
    QCOMPARE(s.QNorm, qNorm);
    QVERIFY(sheet.lblKvnormcalc.visible());
    QVERIFY(sheet.lblFlnorm.visible());
    QCOMPARE(sheet.lblKvnormcalc.caption(), formatZahl4(Variant(s.Kvnorm)).toString());
}

void TestCalcSizeInputs::onOffChosen_switchesColumnsOff()
{
    Fixture f;
    f.useFixtureSeries(QStringLiteral("T2"), {{25, "1\"", 1, 6.3f}, {25, "1\"", 2, 6.3f}, {50, "2\"", 1, 40.0f},
                                              {50, "2\"", 2, 40.0f}});
    frmCalcSize &sheet = f.loadSheet();
    QVERIFY(sheet.lblKvmincalc.visible());
    const int beeps = f.beeps();

    sheet.optAufZu.userClick();
    QCOMPARE(shared().Kennlinie, 2);
    QVERIFY(!shared().MIN);
    QVERIFY(!shared().NORM);
    QVERIFY(!sheet.chkMin.visible());
    QVERIFY(!sheet.txtQnorm.visible());
    QVERIFY(!sheet.lblSTVmax.visible());
    // The columns are off, so their ticks and results go as well.
    QCOMPARE(sheet.chkMin.value(), 0);
    QCOMPARE(sheet.chkNorm.value(), 0);
    QVERIFY(!sheet.lblKvmincalc.visible());
    QVERIFY(!sheet.lblV1norm.visible());
    QVERIFY(f.status().startsWith(QStringLiteral("Berechnung aktualisiert")));
    QCOMPARE(f.beeps(), beeps);

    // Back to a modulating characteristic: the boxes show the columns as off, and ticking brings them back.
    sheet.optGleichprozentig.userClick();
    QVERIFY(sheet.chkMin.visible());
    QVERIFY(sheet.lblSTVmax.visible());
    QVERIFY(!sheet.txtp1min.visible());
    sheet.chkMin.userClick();
    QVERIFY(shared().MIN);
    QVERIFY(sheet.txtp1min.visible());
    QVERIFY(sheet.lblKvmincalc.visible());
}

void TestCalcSizeInputs::staleWizardData_opensWizardCentredModeless()
{
    Fixture f;
    SharedData &s = shared();
    s.Medium = 6;
    s.NameMedium = QStringLiteral("Ethanol");
    s.rho1Min = s.rho1Norm = s.rho1Max = 789;
    s.nueMin = s.nueNorm = s.nueMax = 1.5;
    s.psatMin = s.psatNorm = s.psatMax = 0.06;
    s.pkrit = 61;
    WizardStandIn wizard;
    int asked = 0;
    setFluidWizardProvider([&]() -> Form * {
        ++asked;
        return &wizard;
    });
    f.ui.setScreenSizeTwips(1920 * 15, 1200 * 15);
    frmCalcSize &sheet = f.loadSheet();
    QVERIFY(s.StoffdatenAktuell);

    // p2 and Q never open the wizard.
    sheet.txtp2max.setFocus();
    sheet.txtp2max.userType(QStringLiteral("5"));
    sheet.pressTab();
    QCOMPARE(asked, 0);

    sheet.txtT1max.setFocus();
    sheet.txtT1max.userType(QStringLiteral("25"));
    QVERIFY(!s.StoffdatenAktuell);
    sheet.pressTab();
    QCOMPARE(asked, 1);
    QVERIFY(wizard.visible());
    QVERIFY(!wizard.isModal());
    QCOMPARE(wizard.left(), (1920 * 15 - 6000) / 2);
    QCOMPARE(wizard.top(), (1200 * 15 - 4500) / 2);
    QVERIFY(f.ui.modalRuns().isEmpty());
    // The recalculation ran at once and reports the stale data.
    QCOMPARE(f.status(), QStringLiteral("Berechnung nicht aktualisiert: Stoffdaten nicht aktuell!"));
    wizard.unload();
}

// A series table without its Kvs column (a catalogue edited or damaged after New): the Kvs list cannot be
// filled, so no run can choose a valve. Whatever the user does on the sheet, the status line keeps the reason
// ("Berechnung nicht aktualisiert", the database error naming the file and the table), never "Berechnung
// aktualisiert" nor a warning about values no run computed, and printing stays off. Once the series can be read
// again, the next choice computes.
void TestCalcSizeInputs::seriesWithoutKvs_neverSaysUpdated_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("computes");

    QTest::newRow("loaded") << "" << false;
    QTest::newRow("loaded again, as after a hand-over") << "reload" << false;
    QTest::newRow("flow typed and left") << "leave" << false;
    QTest::newRow("characteristic chosen") << "linear" << false;
    QTest::newRow("min column switched off") << "min" << false;
    QTest::newRow("pipe size optimised") << "pipe" << false;
    QTest::newRow("valve size given and picked") << "size" << false;
    QTest::newRow("pressure unit switched") << "p1unit" << false;
    QTest::newRow("flow unit switched") << "qunit" << false;
    QTest::newRow("Cv chosen") << "kvunit" << false;
    QTest::newRow("inch chosen") << "dnunit" << false;
    QTest::newRow("a readable series, then a characteristic") << "mended" << true;
}

void TestCalcSizeInputs::seriesWithoutKvs_neverSaysUpdated()
{
    QFETCH(QString, step);
    QFETCH(bool, computes);
    Fixture f;
    shared().PDFDruckerVorhanden = true;
    const std::vector<FixtureRow> rows = {{15, "1/2\"", 1, 2.5f}, {25, "1\"", 0, 6.3f}, {40, "1 1/2\"", 1, 25.0f},
                                          {50, "2\"", 0, 40.0f}, {80, "3\"", 1, 100.0f}};
    writeFixtureSeries(*shared().dbKenndaten, QStringLiteral("MITKVS"), rows);
    f.useFixtureSeries(QStringLiteral("OHNEKVS"), rows, {QStringLiteral("Kvs")});
    frmCalcSize &sheet = f.loadSheet();

    if (step == QLatin1String("reload")) {
        f.loadSheet();
    } else if (step == QLatin1String("leave")) {
        sheet.txtQmax.setFocus();
        sheet.txtQmax.userType(QStringLiteral("35"));
        QVERIFY(sheet.txtQnorm.setFocus());
    } else if (step == QLatin1String("linear")) {
        sheet.optLinear.setValue(true);
    } else if (step == QLatin1String("min")) {
        sheet.chkMin.setValue(0);
    } else if (step == QLatin1String("pipe")) {
        sheet.optOptimiert.setValue(true);
    } else if (step == QLatin1String("size")) {
        sheet.optDNfest.setValue(true);
        QVERIFY(sheet.cmbDNVentil.listCount() > 1);
        sheet.cmbDNVentil.setListIndex(sheet.cmbDNVentil.listIndex() == 0 ? 1 : 0);
    } else if (step == QLatin1String("p1unit")) {
        sheet.cmbP1unit.setListIndex(2);
    } else if (step == QLatin1String("qunit")) {
        // l/min: a volume flow, converted without a density (no run has computed one).
        sheet.cmbQunit.setListIndex(2);
    } else if (step == QLatin1String("kvunit")) {
        sheet.cmbKvUnit.setListIndex(1);
    } else if (step == QLatin1String("dnunit")) {
        sheet.cmbDNunit.setListIndex(1);
    } else if (step == QLatin1String("mended")) {
        f.openSeries(QStringLiteral("MITKVS"));
        sheet.optLinear.setValue(true);
    }

    const QString status = f.status();
    if (computes) {
        QVERIFY2(status.startsWith(QStringLiteral("Berechnung aktualisiert")), qPrintable(status));
        QVERIFY(f.window.mnuDrucken.enabled() && f.window.mnuPDFDruck.enabled());
        return;
    }
    QVERIFY2(status.startsWith(QStringLiteral("Berechnung nicht aktualisiert: Datenbankfehler")), qPrintable(status));
    QVERIFY2(status.contains(QStringLiteral("dbKenndaten.mdb")) && status.contains(QStringLiteral("OHNEKVS")),
             qPrintable(status));
    QVERIFY2(!status.contains(QStringLiteral(" / ")), qPrintable(status));
    QVERIFY(!f.window.mnuDrucken.enabled() && !f.window.mnuPDFDruck.enabled());
}

QTEST_GUILESS_MAIN(TestCalcSizeInputs)
#include "test_calc_size_inputs.moc"
