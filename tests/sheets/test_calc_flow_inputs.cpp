// Typing into and leaving the flow sheet's fields, the opening list, unit switches, options and the validation that
// a recalculation runs on the sheet's inputs.
#include "calc_flow_fixture.h"

#include "engine/flow_recalc.h"
#include "units/conversions.h"
#include "units/number_format.h"

#include <QTest>

using namespace flowfixture;

class FlowSheetInputsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        numtext::resetUserLocale();
        FrmCalcFlow::setShowWizard({});
    }

    void typingStoresWithoutRecalculating_data();
    void typingStoresWithoutRecalculating();
    void leavingFieldRecalculates();
    void wizardMediumReopensWizardFromP1AndT1Only_data();
    void wizardMediumReopensWizardFromP1AndT1Only();
    void openingPickedOrTyped();
    void pressureUnitSwitchConvertsAllPointsAndMarksCurrent();
    void unitSwitchRunsOverTheShownValues_data();
    void unitSwitchRunsOverTheShownValues();
    void temperatureUnitSwitchShowsOneDecimal_data();
    void temperatureUnitSwitchShowsOneDecimal();
    void flowUnitSwitchConvertsByState_data();
    void flowUnitSwitchConvertsByState();
    void flowUnitSwitchWithoutADensityKeepsFlowsAndUnit_data();
    void flowUnitSwitchWithoutADensityKeepsFlowsAndUnit();
    void densityUnitSwitch_data();
    void densityUnitSwitch();
    void liquidOnlyUnitListsIgnoreGases();
    void velocityUnitSwitch();
    void pipeOptions_data();
    void pipeOptions();
    void validationMessagesAndFocus_data();
    void validationMessagesAndFocus();
    void leavingAFieldThatFailsTwiceDoesNotRecurse();
    void recalculationFromTheMenusDoesNotNest();
    void staleWizardDataStopTheRecalculation();
};

void FlowSheetInputsTest::typingStoresWithoutRecalculating_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed"); // C notation
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("stored");
    QTest::addColumn<bool>("staleFluidData");
    QTest::newRow("p1 2.5") << "txtp1max" << "2.5" << true << 2.5 << true;
    QTest::newRow("p2 letter") << "txtp2max" << "x" << false << 6.0 << false;
    QTest::newRow("p2 emptied") << "txtp2max" << "" << false << 6.0 << false;
    QTest::newRow("T1 negative") << "txtT1max" << "-12.5" << true << -12.5 << true;
    QTest::newRow("T1 letter") << "txtT1max" << "a" << false << 20.0 << true;
}

void FlowSheetInputsTest::typingStoresWithoutRecalculating()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, numeric);
    QFETCH(double, stored);
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        numtext::setUserLocale(locale);
        Fixture f;
        shared().PDFDruckerVorhanden = true;
        FrmCalcFlow &sheet = f.load();
        auto *box = static_cast<TextBox *>(sheet.control(field));
        box->setFocus();
        box->selectAll();
        const int recalculations = f.window.recalculations;
        const int beeps = f.ui.beepCount();
        if (typed.isEmpty())
            box->userBackspace();
        else
            box->userEdited(zahl(qPrintable(typed)), static_cast<int>(typed.size()));
        QCOMPARE(f.window.recalculations, recalculations);
        QCOMPARE(f.ui.beepCount() > beeps, !numeric);
        const double value = field == "txtp1max" ? shared().p1Max : field == "txtp2max" ? shared().p2Max
                                                                                         : shared().T1Max;
        QCOMPARE(value, stored);
        QTEST(!shared().StoffdatenAktuell, "staleFluidData");
        QCOMPARE(f.status(), outOfDate());
        QVERIFY(!f.window.mnuDrucken.enabled());
        QVERIFY(!f.window.mnuPDFDruck.enabled());
    }
}

void FlowSheetInputsTest::leavingFieldRecalculates()
{
    Fixture f;
    FrmCalcFlow &sheet = f.load();
    const double before = shared().QMax;
    sheet.txtp2max.setFocus();
    sheet.txtp2max.selectAll();
    sheet.txtp2max.userType(QStringLiteral("4"));
    QCOMPARE(f.status(), outOfDate());
    const int recalculations = f.window.recalculations;
    QVERIFY(sheet.pressTab());
    QCOMPARE(f.window.recalculations, recalculations + 1);
    QCOMPARE(f.status(), current());
    QVERIFY(f.window.mnuDrucken.enabled());
    QVERIFY(shared().QMax > before);
}

void FlowSheetInputsTest::wizardMediumReopensWizardFromP1AndT1Only_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("wizardShown");
    QTest::newRow("T1") << "txtT1max" << 1;
    QTest::newRow("p1") << "txtp1max" << 1;
    QTest::newRow("p2") << "txtp2max" << 0;
}

void FlowSheetInputsTest::wizardMediumReopensWizardFromP1AndT1Only()
{
    QFETCH(QString, field);
    QFETCH(int, wizardShown);
    Fixture f;
    shared().Medium = 6; // wizard liquid
    FrmCalcFlow &sheet = f.load();
    QVERIFY(shared().StoffdatenAktuell); // texts written while loading keep the data current
    int shown = 0;
    int recalculationsAtShow = -1;
    FrmCalcFlow::setShowWizard([&] {
        ++shown;
        recalculationsAtShow = f.window.recalculations;
    });
    auto *box = static_cast<TextBox *>(sheet.control(field));
    box->setFocus();
    box->selectAll();
    box->userType(QStringLiteral("7"));
    const int recalculations = f.window.recalculations;
    sheet.cmbYmax.setFocus();
    QCOMPARE(shown, wizardShown);
    // The recalculation follows at once, after the wizard has been shown.
    QCOMPARE(f.window.recalculations, recalculations + 1);
    if (wizardShown)
        QCOMPARE(recalculationsAtShow, recalculations);
}

void FlowSheetInputsTest::openingPickedOrTyped()
{
    Fixture f;
    FrmCalcFlow &sheet = f.load();
    sheet.cmbYmax.setFocus();
    int recalculations = f.window.recalculations;
    sheet.cmbYmax.userPick(sheet.cmbYmax.findItem(QStringLiteral("50")));
    QCOMPARE(shared().yMax, 0.5);
    QCOMPARE(f.window.recalculations, recalculations + 1);
    QCOMPARE(f.status(), current());

    recalculations = f.window.recalculations;
    sheet.cmbYmax.userEdited(QStringLiteral("55"));
    QCOMPARE(shared().yMax, 0.55);
    QCOMPARE(f.window.recalculations, recalculations);
    QCOMPARE(f.status(), outOfDate());
    sheet.txtp1max.setFocus();
    QCOMPARE(f.window.recalculations, recalculations + 1);
    QCOMPARE(shared().yMax, 0.55);

    // Out of range: stored as typed, refused by the validation.
    sheet.cmbYmax.setFocus();
    sheet.cmbYmax.userEdited(QStringLiteral("120"));
    QCOMPARE(shared().yMax, 1.2);
    sheet.txtp1max.setFocus();
    QCOMPARE(f.status(), QString::fromUtf8("Berechnung nicht aktualisiert: Unzulässige Ventilöffnung!"));
    QCOMPARE(sheet.activeControl(), &sheet.cmbYmax);
}

void FlowSheetInputsTest::pressureUnitSwitchConvertsAllPointsAndMarksCurrent()
{
    Fixture f;
    SharedData &s = shared();
    s.p1Min = 4;
    s.p1Norm = 8;
    FrmCalcFlow &sheet = f.load();
    sheet.cmbP1unit.setFocus();
    sheet.txtp1max.setText(QStringLiteral("10")); // marks out of date
    const int recalculations = f.window.recalculations;
    sheet.cmbP1unit.userPick(2); // psia
    QCOMPARE(s.p1Unit, 2);
    QCOMPARE(s.p1Max, umrechnenDruck(Variant(10.0), 0, 2));
    QCOMPARE(s.p1Min, umrechnenDruck(Variant(4.0), 0, 2));
    QCOMPARE(s.p1Norm, umrechnenDruck(Variant(8.0), 0, 2));
    QCOMPARE(sheet.txtp1max.text(), numtext::general(s.p1Max));
    QCOMPARE(f.window.recalculations, recalculations + 1);
    QCOMPARE(f.status(), current());
    QVERIFY(f.window.mnuDrucken.enabled());
    // The rewritten text counts as an edit outside loading.
    QVERIFY(!s.StoffdatenAktuell);

    s.p2Min = 2;
    sheet.cmbP2unit.userPick(1); // bar,ü.
    QCOMPARE(s.p2Max, umrechnenDruck(Variant(6.0), 0, 1));
    QCOMPARE(s.p2Min, umrechnenDruck(Variant(2.0), 0, 1));
    QCOMPARE(sheet.txtp2max.text(), numtext::general(s.p2Max));
}

// A p1, p2 or T1 switch of the sheet's own lists runs over what the fields then show, values rounded to four digits
// (water through both lists and back is a row of the Units menu's test, which positions these lists). A liquid of
// the fluid-data wizard at 100.05 / 100 bar abs. through the fully open Kvs 40; the flow by hand, Kvs sqrt(dp /
// (rho / 1000)) with its rho of 998.2 kg/m3. p2 leaves the wizard's data as current as they were; T1 makes them
// stale, and they stay so.
void FlowSheetInputsTest::unitSwitchRunsOverTheShownValues_data()
{
    QTest::addColumn<QStringList>("picks"); // unit list:position
    QTest::addColumn<double>("qMax");       // 0: no run computes
    QTest::addColumn<QString>("status");
    const QStringList p2 = {"cmbP2unit:2", "cmbP2unit:0"}; // 1450 psia, then 99.97 bar
    QTest::newRow("p2") << p2 << 40 * std::sqrt(0.08 / 0.9982) << current();
    QTest::newRow("T1, then p2") << (QStringList{"cmbT1unit:1", "cmbT1unit:0"} + p2) << 0.0
                                 << "Berechnung nicht aktualisiert: Stoffdaten nicht aktuell!";
}

void FlowSheetInputsTest::unitSwitchRunsOverTheShownValues()
{
    QFETCH(QStringList, picks);
    QFETCH(double, qMax);
    QFETCH(QString, status);
    Fixture f;
    SharedData &s = shared();
    s.Medium = 6;
    s.p1Max = 100.05;
    s.p2Max = 100;
    s.yMax = 1;
    s.rho1Max = 998.2;
    s.nueMax = 1.0;
    s.psatMax = 0.0234;
    s.pkrit = 221.2;
    FrmCalcFlow &sheet = f.load();
    QCOMPARE(f.status(), current());
    for (const QString &pick : picks)
        static_cast<ComboBox *>(sheet.control(pick.section(':', 0, 0)))->userPick(pick.section(':', 1).toInt());
    QCOMPARE(f.status(), status);
    QCOMPARE(f.window.mnuDrucken.enabled(), qMax > 0);
    if (qMax > 0)
        QVERIFY2(std::abs(s.QMax / qMax - 1) < 1e-3, qPrintable(QString::number(s.QMax)));
    QCOMPARE(s.StoffdatenAktuell, qMax > 0);
}

void FlowSheetInputsTest::temperatureUnitSwitchShowsOneDecimal_data()
{
    QTest::addColumn<double>("t1");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("stored");
    QTest::newRow("20") << 20.0 << "68.0" << 68.0;
    QTest::newRow("20.04") << 20.04 << "68.1" << 68.1;
}

void FlowSheetInputsTest::temperatureUnitSwitchShowsOneDecimal()
{
    QFETCH(double, t1);
    QFETCH(QString, shown);
    QFETCH(double, stored);
    numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
    Fixture f;
    FrmCalcFlow &sheet = f.load();
    SharedData &s = shared();
    s.T1Max = t1;
    s.T1Min = 100;
    s.T1Norm = -40;
    sheet.cmbT1unit.setFocus();
    sheet.cmbT1unit.userPick(1);
    QCOMPARE(sheet.txtT1max.text(), zahl(qPrintable(shown)));
    QCOMPARE(s.T1Max, stored);
    QCOMPARE(s.T1Min, 212.0);
    QCOMPARE(s.T1Norm, -40.0);
    QCOMPARE(f.status(), current());
}

void FlowSheetInputsTest::flowUnitSwitchConvertsByState_data()
{
    QTest::addColumn<int>("zustand");
    QTest::addColumn<int>("newUnit");
    QTest::newRow("gas to kg/h") << 0 << 1;
    QTest::newRow("liquid to kg/h") << 1 << 1;
    QTest::newRow("liquid to G.P.M.") << 1 << 5;
    QTest::newRow("steam to lb/hr") << 2 << 1;
}

void FlowSheetInputsTest::flowUnitSwitchConvertsByState()
{
    QFETCH(int, zustand);
    QFETCH(int, newUnit);
    Fixture f;
    if (zustand == 0)
        f.air();
    else if (zustand == 2)
        f.steam();
    FrmCalcFlow &sheet = f.load();
    SharedData &s = shared();
    s.QMin = 3;
    s.QNorm = 7;
    s.rho1Min = 990;
    s.rho1Norm = 980;
    const double qMax = s.QMax;
    QVERIFY(qMax > 0);
    sheet.cmbQunit.setFocus();
    const int recalculations = f.window.recalculations;
    const QString status = f.status();
    sheet.cmbQunit.userPick(newUnit);
    auto expected = [&](double q, double rho) {
        if (zustand == 0)
            return umrechnenDurchflussGas(Variant(q), 0, Variant(s.rhoN), s.rhoUnit, newUnit).asNumber();
        if (zustand == 1)
            return umrechnenDurchflussFluessig(Variant(q), 0, Variant(rho), s.rhoUnit, newUnit).asNumber();
        return umrechnenMassenstrom(Variant(q), 0, newUnit).asNumber();
    };
    QCOMPARE(s.QUnit, newUnit);
    QCOMPARE(s.QMax, expected(qMax, s.rho1Max));
    QCOMPARE(s.QMin, expected(3, 990));
    QCOMPARE(s.QNorm, expected(7, 980));
    QCOMPARE(sheet.lblQmax.caption(), formatZahl4(Variant(s.QMax)).toString());
    QCOMPARE(f.window.recalculations, recalculations);
    QCOMPARE(f.status(), status);
}

// Mass and volume flows do not convert into each other without a density: the flows and the unit stay.
void FlowSheetInputsTest::flowUnitSwitchWithoutADensityKeepsFlowsAndUnit_data()
{
    QTest::addColumn<int>("zustand");
    QTest::newRow("liquid without density") << 1;
    QTest::newRow("gas without norm density") << 0;
}

void FlowSheetInputsTest::flowUnitSwitchWithoutADensityKeepsFlowsAndUnit()
{
    QFETCH(int, zustand);
    Fixture f;
    if (zustand == 0)
        f.air();
    FrmCalcFlow &sheet = f.load();
    SharedData &s = shared();
    sheet.cmbQunit.setFocus();
    s.Medium = zustand == 0 ? 3 : 4;
    s.rhoN = 0;
    s.rho1Min = s.rho1Norm = s.rho1Max = 0;
    s.QMin = 3;
    s.QMax = 12;
    const int beeps = f.ui.beepCount();
    sheet.cmbQunit.userPick(1); // kg/h

    QCOMPARE(s.QUnit, 0);
    QCOMPARE(sheet.cmbQunit.listIndex(), 0);
    QCOMPARE(s.QMax, 12.0);
    QCOMPARE(s.QMin, 3.0);
    QCOMPARE(f.status(), QStringLiteral("Durchflusseinheit ohne Dichte nicht umrechenbar!"));
    QCOMPARE(f.ui.beepCount(), beeps + 1);
}

void FlowSheetInputsTest::densityUnitSwitch_data()
{
    QTest::addColumn<int>("zustand");
    QTest::addColumn<bool>("normDensityConverted");
    QTest::newRow("ideal gas") << 0 << true;
    QTest::newRow("liquid") << 1 << false;
    QTest::newRow("steam") << 2 << false;
}

void FlowSheetInputsTest::densityUnitSwitch()
{
    QFETCH(int, zustand);
    QFETCH(bool, normDensityConverted);
    Fixture f;
    if (zustand == 0)
        f.air();
    else if (zustand == 2)
        f.steam();
    shared().rhoN = 1.293;
    FrmCalcFlow &sheet = f.load();
    SharedData &s = shared();
    const double rho1 = s.rho1Max;
    s.rho1Min = 100;
    sheet.cmbStoffwert1unit.setFocus();
    sheet.cmbStoffwert1unit.userPick(1);
    QCOMPARE(s.rhoUnit, 1);
    QCOMPARE(s.rho1Max, rho1 * 0.06243);
    QCOMPARE(s.rho1Min, 100 * 0.06243);
    QCOMPARE(s.rhoN, normDensityConverted ? 1.293 * 0.06243 : 1.293);
    if (zustand == 0) {
        QCOMPARE(sheet.lblStoffwert1max.caption(), formatZahl4(Variant(s.rhoN)).toString());
        QCOMPARE(sheet.lblStoffwert2max.caption(), formatZahl4(Variant(s.rho1Max)).toString());
    } else {
        QCOMPARE(sheet.lblStoffwert1max.caption(), formatZahl4(Variant(s.rho1Max)).toString());
    }
}

void FlowSheetInputsTest::liquidOnlyUnitListsIgnoreGases()
{
    {
        Fixture f;
        f.air();
        FrmCalcFlow &sheet = f.load();
        SharedData &s = shared();
        // The lists are hidden for gases; a position set by code still changes nothing.
        sheet.cmbStoffwert2unit.addItem(QStringLiteral("a"));
        sheet.cmbStoffwert2unit.addItem(QStringLiteral("b"));
        sheet.cmbStoffwert2unit.setListIndex(1);
        sheet.cmbStoffwert3unit.addItem(QStringLiteral("a"));
        sheet.cmbStoffwert3unit.addItem(QStringLiteral("b"));
        sheet.cmbStoffwert3unit.setListIndex(1);
        QCOMPARE(s.pUnit, 0);
        QCOMPARE(s.nueUnit, 0);
    }
    Fixture f;
    FrmCalcFlow &sheet = f.load();
    SharedData &s = shared();
    const double psat = s.psatMax;
    const double nue = s.nueMax;
    const double pkrit = s.pkrit;
    sheet.cmbStoffwert2unit.setFocus();
    sheet.cmbStoffwert2unit.userPick(6); // kPa,abs.
    QCOMPARE(s.pUnit, 6);
    QCOMPARE(s.psatMax, umrechnenDruck(Variant(psat), 0, 6));
    QCOMPARE(s.pkrit, umrechnenDruck(Variant(pkrit), 0, 6)); // the critical pressure follows pUnit
    QCOMPARE(sheet.lblStoffwert2max.caption(), formatZahl4(Variant(s.psatMax)).toString());
    sheet.cmbStoffwert3unit.userPick(1);
    QCOMPARE(s.nueMax, umrechnenViskositaet(Variant(nue), 0, Variant(s.rho1Max), s.rhoUnit, 1).asNumber());
    QCOMPARE(sheet.lblStoffwert3max.caption(), formatZahl4(Variant(s.nueMax)).toString());
}

void FlowSheetInputsTest::velocityUnitSwitch()
{
    Fixture f;
    FrmCalcFlow &sheet = f.load();
    SharedData &s = shared();
    const double v1 = s.v1Max;
    s.v2Min = 3.05;
    sheet.cmbGeschwindigkeit.setFocus();
    const int recalculations = f.window.recalculations;
    sheet.cmbGeschwindigkeit.userPick(1);
    QCOMPARE(s.vUnit, 1);
    QCOMPARE(s.v1Max, v1 / 0.305);
    QVERIFY(qAbs(s.v2Min - 10.0) < 1e-12);
    QCOMPARE(sheet.lblV1max.caption(), numtext::fixed(s.v1Max, 1));
    QCOMPARE(f.window.recalculations, recalculations);
}

void FlowSheetInputsTest::pipeOptions_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("recalculates");
    QTest::addColumn<bool>("listsEnabled");
    QTest::newRow("given") << "optVorgabe" << 2 << false << true;
    QTest::newRow("proposed") << "optOptimiert" << 1 << true << false;
}

void FlowSheetInputsTest::pipeOptions()
{
    QFETCH(QString, option);
    QFETCH(int, mode);
    QFETCH(bool, recalculates);
    QFETCH(bool, listsEnabled);
    Fixture f;
    FrmCalcFlow &sheet = f.load();
    auto *button = static_cast<OptionButton *>(sheet.control(option));
    button->setFocus();
    const int recalculations = f.window.recalculations;
    button->userClick();
    QCOMPARE(shared().chkDNRohr, mode);
    QCOMPARE(f.window.recalculations, recalculations + (recalculates ? 1 : 0));
    QCOMPARE(sheet.cmbDNRohr1.enabled(), listsEnabled);
    QVERIFY(!sheet.optDNVentil.value());
    // The characteristic options form a group of their own.
    QVERIFY(sheet.optGleichprozentig.value());
}

void FlowSheetInputsTest::validationMessagesAndFocus_data()
{
    QTest::addColumn<QString>("p1");
    QTest::addColumn<QString>("p2");
    QTest::addColumn<QString>("t1");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("T1 not numeric") << "10" << "6" << "t" << "70" << "Kein numerischer Wert!" << "txtT1max";
    QTest::newRow("opening not numeric") << "10" << "6" << "20" << "y" << "Kein numerischer Wert!" << "cmbYmax";
    QTest::newRow("opening negative") << "10" << "6" << "20" << "-1"
                                      << QString::fromUtf8("Unzulässige Ventilöffnung!") << "cmbYmax";
    QTest::newRow("p2 above p1") << "6" << "10" << "20" << "70" << QString::fromUtf8("Druckwert unzulässig!") << "";
    // Every test runs; the last message and the last focus stay.
    QTest::newRow("p2 not numeric, so 0") << "10" << "x" << "20" << "70"
                                          << QString::fromUtf8("Druckwert unzulässig!") << "txtp2max";
    QTest::newRow("T1 text before pressures") << "6" << "10" << "t" << "70"
                                              << QString::fromUtf8("Druckwert unzulässig!") << "txtT1max";
    QTest::newRow("opening and pressures") << "0" << "0" << "20" << "120"
                                           << QString::fromUtf8("Druckwert unzulässig!") << "txtp2max";
}

void FlowSheetInputsTest::validationMessagesAndFocus()
{
    QFETCH(QString, p1);
    QFETCH(QString, p2);
    QFETCH(QString, t1);
    QFETCH(QString, opening);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    Fixture f;
    FrmCalcFlow &sheet = f.load();
    sheet.optLinear.setFocus();
    sheet.txtp1max.setText(p1);
    sheet.txtp2max.setText(p2);
    sheet.txtT1max.setText(t1);
    sheet.cmbYmax.setText(opening);
    const double q = shared().QMax;
    const int beeps = f.ui.beepCount();
    sheet.optLinear.userClick(); // a characteristic pick recalculates
    QCOMPARE(f.status(), QStringLiteral("Berechnung nicht aktualisiert: ") + message);
    QVERIFY(f.ui.beepCount() > beeps);
    QVERIFY(!f.window.mnuDrucken.enabled());
    QCOMPARE(shared().QMax, q);
    if (focus.isEmpty())
        QCOMPARE(sheet.activeControl(), &sheet.optLinear);
    else
        QCOMPARE(sheet.activeControl()->name(), focus);
}

void FlowSheetInputsTest::leavingAFieldThatFailsTwiceDoesNotRecurse()
{
    Fixture f;
    FrmCalcFlow &sheet = f.load();
    sheet.txtp2max.setText(QStringLiteral("0"));
    sheet.txtp1max.setFocus();
    sheet.txtp1max.selectAll();
    sheet.txtp1max.userType(QStringLiteral("0"));
    const int recalculations = f.window.recalculations;
    // Leaving p1 recalculates; its validation moves the focus to p1 and then p2, and p1 losing it again must not
    // start a recalculation inside the running one.
    f.window.recalculations = 0;
    QVERIFY(sheet.pressTab());
    QCOMPARE(f.window.recalculations, 1);
    QCOMPARE(sheet.activeControl(), &sheet.txtp2max);
    QCOMPARE(f.status(), QString::fromUtf8("Berechnung nicht aktualisiert: Druckwert unzulässig!"));
    (void)recalculations;
}

void FlowSheetInputsTest::recalculationFromTheMenusDoesNotNest()
{
    Fixture f;
    FrmCalcFlow &sheet = f.load();
    sheet.cmbYmax.setFocus();
    sheet.txtp1max.setText(QStringLiteral("0"));
    sheet.txtp2max.setText(QStringLiteral("0"));
    f.window.recalculations = 0;
    const int beeps = f.ui.beepCount();
    // The medium menu and the fluid dialogs run the recalculation themselves; the focus moves of its validation
    // make the opening list lose the focus, which must not start a second run inside it.
    calcDurchfluss();
    QCOMPARE(f.window.recalculations, 1);
    QCOMPARE(f.ui.beepCount(), beeps + 1);
    QCOMPARE(sheet.activeControl(), &sheet.txtp2max);
    QCOMPARE(f.status(), QString::fromUtf8("Berechnung nicht aktualisiert: Druckwert unzulässig!"));
}

void FlowSheetInputsTest::staleWizardDataStopTheRecalculation()
{
    Fixture f;
    // A wizard liquid like water.
    shared().Medium = 6;
    shared().rho1Max = 998.2;
    shared().nueMax = 1.0;
    shared().pkrit = 221.2;
    FrmCalcFlow &sheet = f.load();
    QCOMPARE(f.status(), current());
    int shown = 0;
    FrmCalcFlow::setShowWizard([&] { ++shown; });
    sheet.txtT1max.setFocus();
    sheet.txtT1max.selectAll();
    sheet.txtT1max.userType(QStringLiteral("30"));
    QVERIFY(!shared().StoffdatenAktuell);
    sheet.txtp2max.setFocus();
    QCOMPARE(shown, 1);
    QCOMPARE(f.status(), QStringLiteral("Berechnung nicht aktualisiert: Stoffdaten nicht aktuell!"));
    // The texts a reload writes are no hand-over: the data stay stale, and so does the reloaded sheet.
    f.reload();
    QVERIFY(!shared().StoffdatenAktuell);
    QCOMPARE(f.status(), QStringLiteral("Berechnung nicht aktualisiert: Stoffdaten nicht aktuell!"));
    QVERIFY(!f.window.mnuDrucken.enabled());
}

QTEST_GUILESS_MAIN(FlowSheetInputsTest)
#include "test_calc_flow_inputs.moc"
