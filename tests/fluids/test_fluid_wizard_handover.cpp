#include "wizard_fixture.h"

#include "units/conversions.h"

#include <cmath>

// The fluid-data wizard and the sheets: "Stoffdaten übernehmen" writes the wizard medium into the shared data and
// reloads the active sheet, Abbruch and the close box leave the project as it was, and a sheet whose wizard data
// are stale opens the wizard beside it. Expected numbers come from the fields the user saw (the hand-over passes
// on what is shown), from the ideal-gas law (ρ = ρN·(p/1.01325)·(273.15/T)) and from hand-worked unit factors.

using namespace wizardfixture;

namespace {

// The sheet's process-data header, which names the medium.
QString header(Form *sheet)
{
    auto *label = sheet ? dynamic_cast<Label *>(sheet->control(QStringLiteral("lblProzessdaten"))) : nullptr;
    return label ? label->caption() : QStringLiteral("(no sheet)");
}

// Everything of the project a cancelled wizard could touch: the fluid data, the operating point, the units.
QStringList project(const SharedData &d)
{
    QStringList out = fluidPicture(d);
    for (double v : {d.p1Min, d.p1Norm, d.p1Max, d.M, d.rhoN})
        out << QString::number(v, 'g', 17);
    for (int v : {d.p1Unit, d.Modus, int(d.StoffdatenAktuell), int(d.MIN), int(d.NORM)})
        out << QString::number(v);
    out << d.FORMEL;
    return out;
}

// Water picked, edited with the temperatures turned to F and the pressure to psia, and stored so.
void storeWaterInFAndPsia(frmStoffdatenAssistent &w)
{
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Wasser (H2O)")));
    w.cmdBearbeiten.userClick();
    w.T_unit.userPick(1);
    w.p_unit.userPick(2);
    w.cmdÜbernahme.userClick();
}

double number(const TextBox &field)
{
    return Variant(field.text()).toDouble();
}

} // namespace

class TestFluidWizardHandover : public QObject {
    Q_OBJECT
    WizardFixture f;

    // A liquid from the list becomes the medium (the liquid list's OK).
    void takeLiquidFromTheList()
    {
        f.ui.onNextModal([](Form &) {
            frmFlüssigkeit &d = frmFlüssigkeitInstance().get();
            QVERIFY(pick(d.lstSubstanz, QStringLiteral("Wasser @ 20°C")));
            d.cmdOK.userClick();
        });
        QVERIFY(f.choose(f.w->mnuFlüssigkeit));
        QCOMPARE(shared().Medium, 4);
    }

private slots:
    void initTestCase() { f.initSuite(); }
    void cleanup() { f.endCase(); }

    void cancelLeavesTheProjectAsItWas_data();
    void cancelLeavesTheProjectAsItWas();
    void handOverWritesTheWizardMedium_data();
    void handOverWritesTheWizardMedium();
    void handOverMakesTheWizardUnitsShared();
    void handOverNeedsNumbersInItsFields_data();
    void handOverNeedsNumbersInItsFields();
    void vapourPressuresAreThoseOfTheCalculation();
    void columnSwitchedOnSinceTheCalculationIsNotHandedOver_data();
    void columnSwitchedOnSinceTheCalculationIsNotHandedOver();
    void endToEndWithTheSheetOpeningTheWizard_data();
    void endToEndWithTheSheetOpeningTheWizard();
    void sheetUnitsChangedMeanwhileAreFollowed_data();
    void sheetUnitsChangedMeanwhileAreFollowed();
    void closingTheProgramClosesTheOpenWizard();
    void nitrogenAgreesWithTheIdealGasList_data();
    void nitrogenAgreesWithTheIdealGasList();
};

void TestFluidWizardHandover::cancelLeavesTheProjectAsItWas_data()
{
    QTest::addColumn<int>("Modus");
    QTest::addColumn<QString>("medium"); // "menu" water, "list" liquid, "wizard" Methan as a wizard gas
    QTest::addColumn<bool>("closeBox");
    for (int Modus : {0, 1}) {
        const char *m = Modus == 0 ? "sizing" : "flow";
        QTest::addRow("%s, water from the menu, Abbruch", m) << Modus << "menu" << false;
        QTest::addRow("%s, liquid from the list, Abbruch", m) << Modus << "list" << false;
        QTest::addRow("%s, liquid from the list, close box", m) << Modus << "list" << true;
        QTest::addRow("%s, wizard gas, close box", m) << Modus << "wizard" << true;
    }
}

void TestFluidWizardHandover::cancelLeavesTheProjectAsItWas()
{
    QFETCH(int, Modus);
    QFETCH(QString, medium);
    QFETCH(bool, closeBox);
    if (medium == QLatin1String("wizard")) {
        f.beginCase(wizardMethan(10, 20, Modus));
    } else {
        Start s;
        s.Modus = Modus;
        s.T1 = 20;
        f.beginCase(s);
    }
    if (medium == QLatin1String("list"))
        takeLiquidFromTheList();
    Form *sheet = f.sheet();
    QVERIFY(sheet);
    const QStringList before = project(shared());
    const QStringList sheetBefore = menufixture::sheetPicture(*sheet);
    const QString status = f.w->StatusBar.text();

    // A pick, both unit lists changed and stored, a calculation that passed.
    frmStoffdatenAssistent &w = f.open();
    storeWaterInFAndPsia(w);
    w.cmdCalc.userClick();
    QVERIFY(w.cmdOK.enabled());
    QCOMPARE(w.units().TUnit, 1);
    QCOMPARE(w.units().pUnit, 2);
    if (closeBox)
        w.userClose();
    else
        w.cmdEsc.userClick();
    formruntime::collect();

    QVERIFY(!frmStoffdatenAssistentInstance().isLoaded());
    QCOMPARE(project(shared()), before);
    // The sheet was not reloaded: the same window shows the same.
    QCOMPARE(f.sheet(), sheet);
    QCOMPARE(menufixture::sheetPicture(*sheet), sheetBefore);
    QCOMPARE(f.w->StatusBar.text(), status);
}

void TestFluidWizardHandover::handOverWritesTheWizardMedium_data()
{
    QTest::addColumn<int>("Modus");
    QTest::addColumn<int>("fromMedium"); // 0 air, 1 water from the menu
    QTest::addColumn<int>("QUnit");
    QTest::addColumn<bool>("minNorm");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("Medium");
    QTest::addColumn<int>("Zustand");
    QTest::addColumn<int>("expectedQUnit");
    // Air's "l/min (norm.)" (2) is a liquid's "l/min." (2).
    QTest::newRow("liquid on the sizing sheet, max only") << 0 << 0 << 2 << false << "Wasser (H2O)" << 6 << 1 << 2;
    // From a liquid, "l/min." (2) becomes "kg/h" (0) of the vapour list.
    QTest::newRow("gas from a liquid") << 0 << 1 << 2 << false << "Methan (CH4)" << 5 << 2 << 0;
    QTest::newRow("gas on the flow sheet") << 1 << 1 << 5 << false << "Methan (CH4)" << 5 << 2 << 1;
    QTest::newRow("liquid with min and norm") << 0 << 0 << 0 << true << "Wasser (H2O)" << 6 << 1 << 0;
}

void TestFluidWizardHandover::handOverWritesTheWizardMedium()
{
    QFETCH(int, Modus);
    QFETCH(int, fromMedium);
    QFETCH(int, QUnit);
    QFETCH(bool, minNorm);
    QFETCH(QString, entry);
    QFETCH(int, Medium);
    QFETCH(int, Zustand);
    QFETCH(int, expectedQUnit);
    Start s = airAt(10, 150, Modus);
    if (fromMedium == 1) {
        s.Medium = 1;
        s.NameMedium = QStringLiteral("Wasser");
        s.Zustand = 1;
    }
    s.MIN = minNorm;
    s.NORM = minNorm;
    f.beginCase(s);
    shared().QUnit = QUnit;
    const double gammaMinBefore = shared().gammaMin;
    const double psatMinBefore = shared().psatMin;

    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, entry));
    // The wizard's operating point differs from the sheet's: the sheet takes it over.
    typeAndLeave(w.txtp1max, QStringLiteral("12"), w.txtT1max);
    if (minNorm)
        typeAndLeave(w.txtp1min, QStringLiteral("11"), w.txtT1max);
    w.cmdCalc.userClick();
    QCOMPARE(w.assistentZustand(), Zustand);
    const QStringList shown{w.txtrhomin.text(), w.txtrhonorm.text(), w.txtrhomax.text(),
                            w.txtpsatmin.text(), w.txtpsatnorm.text(), w.txtpsatmax.text(),
                            w.txtnuemax.text(), w.txtgammamax.text()};
    const QString name = w.txtMedium.text();
    const QString formula = w.txtFormel.text();
    const double M = number(w.txtMol);
    const double Tkrit = number(w.txtTkrit);
    const double pkrit = number(w.txtpkrit);
    QVERIFY(w.pressEnter()); // Enter presses "Stoffdaten übernehmen"
    formruntime::collect();

    QVERIFY(!frmStoffdatenAssistentInstance().isLoaded());
    const SharedData &d = shared();
    QCOMPARE(d.Medium, Medium);
    QCOMPARE(d.Zustand, Zustand);
    QCOMPARE(d.QUnit, expectedQUnit);
    QCOMPARE(d.NameMedium, name);
    QCOMPARE(d.FORMEL, formula);
    QCOMPARE(d.M, M);
    QCOMPARE(d.Tkrit, Tkrit);
    QCOMPARE(d.pkrit, pkrit);
    QVERIFY(d.StoffdatenAktuell);
    QCOMPARE(d.p1Max, 12.0);
    // Only the columns the sheet uses are written back.
    QCOMPARE(d.p1Min, minNorm ? 11.0 : 10.0);
    const double rhoMax = Variant(shown.at(2)).toDouble();
    QCOMPARE(d.rho1Max, rhoMax);
    QCOMPARE(d.psatMax, Variant(shown.at(5)).toDouble());
    if (minNorm) {
        QCOMPARE(d.rho1Min, Variant(shown.at(0)).toDouble());
        QCOMPARE(d.rho1Norm, Variant(shown.at(1)).toDouble());
        QCOMPARE(d.psatMin, Variant(shown.at(3)).toDouble());
        QCOMPARE(d.psatNorm, Variant(shown.at(4)).toDouble());
    } else {
        // Columns not calculated fall back to the max column, or keep what they had.
        QCOMPARE(d.rho1Min, rhoMax);
        QCOMPARE(d.rho1Norm, rhoMax);
        QCOMPARE(d.psatMin, psatMinBefore);
    }
    if (Zustand == 1) {
        // 1 mm²/s in every column; the isentropic exponents stay as they were.
        QCOMPARE(d.nueMax, 1.0);
        QCOMPARE(d.nueMin, 1.0);
        QCOMPARE(d.nueNorm, 1.0);
        QCOMPARE(d.gammaMin, gammaMinBefore);
    } else {
        QCOMPARE(d.gammaMax, 1.3);
        // No viscosity shown: 0, and the other columns follow the max column.
        QCOMPARE(d.nueMax, 0.0);
        QCOMPARE(d.nueMin, 0.0);
        QCOMPARE(d.nueNorm, 0.0);
    }
    // The sheet of the mode was loaded anew and shows the medium.
    Form *sheet = f.sheet();
    QVERIFY(header(sheet).contains(name));
    QCOMPARE(d.Modus, Modus);
}

void TestFluidWizardHandover::handOverMakesTheWizardUnitsShared()
{
    f.beginCase(airAt(10, 150));
    frmStoffdatenAssistent &w = f.open();
    storeWaterInFAndPsia(w);
    // 374.2 °C = 705.56 F shown as 705.6; 221.2 bar = 3208 psia.
    QCOMPARE(w.txtTkrit.text(), loc("705.6"));
    QCOMPARE(w.txtpkrit.text(), QStringLiteral("3208"));
    w.cmdCalc.userClick();
    // The stored record is the picked one: Tc = (705.6 - 32) × 5/9 = 374.22 °C, pc = 3208 psia = 221.2 bar;
    // psat(150 °C) = 4.6329 bar = 67.19 psia.
    QCOMPARE(w.txtpsatmax.text(), loc("67.19"));
    const double psat = number(w.txtpsatmax);
    QCOMPARE(w.lblp_unit.caption(), QStringLiteral("psia"));
    w.cmdOK.userClick();
    const SharedData &d = shared();
    QCOMPARE(d.TUnit, 1);
    QCOMPARE(d.pUnit, 2);
    QCOMPARE(d.Tkrit, 705.6);
    QCOMPARE(d.pkrit, 3208.0);
    QCOMPARE(d.psatMax, psat);
}

void TestFluidWizardHandover::handOverNeedsNumbersInItsFields_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("letters in the density") << "abc";
    QTest::newRow("density emptied") << "";
}

void TestFluidWizardHandover::handOverNeedsNumbersInItsFields()
{
    QFETCH(QString, typed);
    f.beginCase(airAt(10, 150));
    const QStringList before = project(shared());
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Methan (CH4)")));
    w.cmdCalc.userClick();
    // Typed into the density without leaving it, then Enter.
    w.txtrhomax.setFocus();
    w.txtrhomax.selectAll();
    if (typed.isEmpty())
        w.txtrhomax.userBackspace();
    else
        w.txtrhomax.userType(typed);
    const int beeps = f.ui.beepCount();
    QVERIFY(w.cmdOK.enabled());
    QVERIFY(w.pressEnter());
    QCOMPARE(f.ui.beepCount(), beeps + 1);
    QVERIFY(frmStoffdatenAssistentInstance().isLoaded());
    QCOMPARE(w.activeControl(), static_cast<Control *>(&w.txtrhomax));
    QCOMPARE(project(shared()), before);
}

void TestFluidWizardHandover::vapourPressuresAreThoseOfTheCalculation()
{
    f.beginCase(airAt(10, 150));
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Wasser (H2O)")));
    w.cmdCalc.userClick();
    const double calculated = number(w.txtpsatmax);
    // psat(150 °C) = 4.635 bar.
    QCOMPARE(w.txtpsatmax.text(), loc("4.635"));
    typeAndLeave(w.txtpsatmax, QStringLiteral("5"), w.txtrhomax);
    QCOMPARE(w.txtpsatmax.text(), loc("5.000"));
    w.cmdOK.userClick();
    QCOMPARE(shared().psatMax, calculated);
}

void TestFluidWizardHandover::columnSwitchedOnSinceTheCalculationIsNotHandedOver_data()
{
    QTest::addColumn<QString>("column");
    QTest::newRow("min") << "min";
    QTest::newRow("norm") << "norm";
}

// The wizard beside the sizing sheet calculated the max point; then the sheet's min or norm column is switched on.
void TestFluidWizardHandover::columnSwitchedOnSinceTheCalculationIsNotHandedOver()
{
    QFETCH(QString, column);
    f.beginCase(airAt(10, 150));
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Wasser (H2O)")));
    w.cmdCalc.userClick();
    QVERIFY(w.cmdOK.enabled());
    frmCalcSize &sheet = calcSizeSheet().get();
    (column == QLatin1String("min") ? sheet.chkMin : sheet.chkNorm).setValue(1);
    const QStringList before = project(shared());
    const int beeps = f.ui.beepCount();
    w.cmdOK.userClick();
    QCOMPARE(f.ui.beepCount(), beeps + 1);
    QVERIFY(frmStoffdatenAssistentInstance().isLoaded());
    QVERIFY(!w.cmdOK.enabled());
    // The sheet keeps its operating point (10 bar, 150 °C in every column) and its medium.
    QCOMPARE(project(shared()), before);
    QCOMPARE(shared().p1Min, 10.0);
    QCOMPARE(shared().p1Norm, 10.0);
    QCOMPARE(shared().T1Min, 150.0);
    QCOMPARE(shared().Medium, 0);
}

void TestFluidWizardHandover::endToEndWithTheSheetOpeningTheWizard_data()
{
    onBothSheets();
}

void TestFluidWizardHandover::endToEndWithTheSheetOpeningTheWizard()
{
    QFETCH(int, Modus);
    f.beginCase(airAt(10, 150, Modus));
    const QString stale = getText(QStringLiteral("Stoffdaten nicht aktuell!"), 0);

    // From the menu: modal, picked, calculated, handed over with Enter.
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Methan (CH4)")));
    w.cmdCalc.userClick();
    QVERIFY(w.pressEnter());
    formruntime::collect();
    QVERIFY(!frmStoffdatenAssistentInstance().isLoaded());
    QCOMPARE(shared().Medium, 5);
    QVERIFY(shared().StoffdatenAktuell);
    QVERIFY2(!f.w->StatusBar.text().contains(stale), qPrintable(f.w->StatusBar.text()));
    QVERIFY(header(f.sheet()).contains(QStringLiteral("Methan")));

    // A later p1 edit on the sheet: the data are stale, and leaving the field opens the wizard beside the sheet.
    Form *sheet = f.sheet();
    QVERIFY(sheet);
    auto *p1 = dynamic_cast<TextBox *>(sheet->control(QStringLiteral("txtp1max")));
    auto *p2 = dynamic_cast<TextBox *>(sheet->control(QStringLiteral("txtp2max")));
    QVERIFY(p1 && p2);
    f.ui.reset();
    p1->setFocus();
    p1->selectAll();
    p1->userType(QStringLiteral("8"));
    QVERIFY(!shared().StoffdatenAktuell);
    QVERIFY(!frmStoffdatenAssistentInstance().isLoaded());
    p2->setFocus();
    frmStoffdatenAssistent *modeless = frmStoffdatenAssistentInstance().ifLoaded();
    QVERIFY(modeless);
    QVERIFY(modeless->visible());
    QVERIFY(!modeless->isModal());
    QVERIFY(f.ui.modalRuns().isEmpty());
    QCOMPARE(f.ui.shownForms(), QStringList{QStringLiteral("frmStoffdatenAssistent")});
    QCOMPARE(modeless->txtp1max.text(), QStringLiteral("8"));
    QCOMPARE(modeless->lstSubstanz.text(), QStringLiteral("Methan (CH4)"));
    QVERIFY(f.w->StatusBar.text().contains(stale));

    // The menu entry now only brings it to the front: nothing loaded again, no modal run.
    modeless->txtT1max.setText(QStringLiteral("160"));
    QVERIFY(f.choose(f.w->mnuStoffdatenAssistent));
    QCOMPARE(frmStoffdatenAssistentInstance().ifLoaded(), modeless);
    QCOMPARE(modeless->txtT1max.text(), QStringLiteral("160"));
    QVERIFY(f.ui.modalRuns().isEmpty());
    QCOMPARE(f.ui.shownForms().size(), 2);

    // Handed over from beside the sheet: current again.
    modeless->cmdCalc.userClick();
    modeless->cmdOK.userClick();
    formruntime::collect();
    QVERIFY(shared().StoffdatenAktuell);
    QCOMPARE(shared().p1Max, 8.0);
    QCOMPARE(shared().T1Max, 160.0);
    QVERIFY2(!f.w->StatusBar.text().contains(stale), qPrintable(f.w->StatusBar.text()));
}

void TestFluidWizardHandover::sheetUnitsChangedMeanwhileAreFollowed_data()
{
    onBothSheets();
}

void TestFluidWizardHandover::sheetUnitsChangedMeanwhileAreFollowed()
{
    QFETCH(int, Modus);
    f.beginCase(airAt(10, 150, Modus));
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Methan (CH4)")));
    w.cmdCalc.userClick();
    // While the wizard is open the sheet turns p1 to psia and T1 to F.
    f.list("cmbP1unit").userPick(2);
    f.list("cmbT1unit").userPick(1);
    w.cmdOK.userClick();
    formruntime::collect();
    // The wizard's 10 bar abs. and 150 °C arrive as 10 / 0.06894757 = 145.0 psia and 302 F.
    QCOMPARE(shared().p1Unit, 2);
    QCOMPARE(shared().p1Max, 145.0);
    QCOMPARE(shared().T1Unit, 1);
    QCOMPARE(shared().T1Max, 302.0);
}

void TestFluidWizardHandover::closingTheProgramClosesTheOpenWizard()
{
    f.beginCase(wizardMethan());
    frmCalcSize &sheet = calcSizeSheet().get();
    sheet.txtT1max.setFocus();
    sheet.txtT1max.userType(QStringLiteral("0"));
    sheet.txtp2max.setFocus();
    frmStoffdatenAssistent *open = frmStoffdatenAssistentInstance().ifLoaded();
    QVERIFY(open && open->visible());
    // A record being edited when the program ends is not stored.
    open->cmdBearbeiten.userClick();
    open->txtMedium.setText(QStringLiteral("Erdgas"));
    const QStringList before = tableRows(QStringLiteral("Assistent_d"), {QStringLiteral("SUBSTANZ")});
    QVERIFY(f.w->userClose());
    QVERIFY(!frmStoffdatenAssistentInstance().isLoaded());
    QCOMPARE(tableRows(QStringLiteral("Assistent_d"), {QStringLiteral("SUBSTANZ")}), before);
}

void TestFluidWizardHandover::nitrogenAgreesWithTheIdealGasList_data()
{
    onBothSheets();
}

void TestFluidWizardHandover::nitrogenAgreesWithTheIdealGasList()
{
    QFETCH(int, Modus);
    Start s = airAt(2, 20, Modus);
    s.p2 = 1;
    f.beginCase(s);
    std::vector<GasRow> gases = standardGases();
    gases.push_back(gas(QStringLiteral("Stickstoff"), 1.4, 1.2505));
    f.useDatabase(gases, standardLiquids());

    f.ui.onNextModal([](Form &) {
        frmIdealesGas &d = frmIdealesGasInstance().get();
        QVERIFY(pick(d.lstSubstanz, QStringLiteral("Stickstoff")));
        d.cmdOK.userClick();
    });
    QVERIFY(f.choose(f.w->mnuIdealesGas));
    QCOMPARE(shared().Medium, 3);
    QCOMPARE(f.w->StatusBar.text(), getText(QStringLiteral("Berechnung aktualisiert"), 0));
    const double ideal = shared().rho1Max;
    // 1.2505 × (2 / 1.01325) × (273.15 / 293.15) = 2.2999 kg/m3.
    QVERIFY2(std::fabs(ideal - 2.2999) < 0.0005, qPrintable(QString::number(ideal)));

    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Stickstoff (N2)")));
    w.cmdCalc.userClick();
    QCOMPARE(w.assistentZustand(), 2);
    w.cmdOK.userClick();
    formruntime::collect();
    QCOMPARE(shared().Medium, 5);
    const double real = shared().rho1Max;
    QVERIFY2(std::fabs(real / ideal - 1.0) < 0.005,
             qPrintable(QStringLiteral("%1 against %2").arg(real).arg(ideal)));
}

QTEST_MAIN(TestFluidWizardHandover)
#include "test_fluid_wizard_handover.moc"
