#include "fluid_fixture.h"

#include "tools/heat_exchanger.h"
#include "units/conversions.h"

// The hand-over of the two lists into the sheets: the medium menu opens a list, the user picks an entry and
// presses OK; the flow-unit index follows the change of fluid state, the properties arrive in the shared units and
// the sheet of the mode is loaded anew. Expected values are worked by hand from the stored records.

using namespace fluidfixture;

namespace {

QString header()
{
    Form *sheet = shared().Modus == 0 ? static_cast<Form *>(calcSizeSheet().ifLoaded())
                                      : static_cast<Form *>(frmCalcFlow().ifLoaded());
    if (!sheet)
        return QStringLiteral("(no sheet)");
    auto *label = dynamic_cast<Label *>(sheet->control(QStringLiteral("lblProzessdaten")));
    return label ? label->caption() : QString();
}

bool close(double actual, double expected)
{
    return std::fabs(actual - expected) <= 1e-12 * std::max(1.0, std::fabs(expected));
}

// A control by its name, with the index of a control array in brackets: "txtKappa(0)".
Control *controlNamed(Form &form, const QString &name)
{
    const QString base = name.section(QLatin1Char('('), 0, 0);
    const int index = name.contains(QLatin1Char('(')) ? name.section(QLatin1Char('('), 1).chopped(1).toInt() : -1;
    for (Control *c : form.controls()) {
        if (c->name().compare(base, Qt::CaseInsensitive) == 0 && (index < 0 || c->index() == index))
            return c;
    }
    return nullptr;
}

QString nameOf(const Control *c)
{
    if (!c)
        return QStringLiteral("(none)");
    return c->index() < 0 ? c->name() : QStringLiteral("%1(%2)").arg(c->name()).arg(c->index());
}

// One step of the user in a dialog: "click:name", "pick:list=entry" (a list box's entry or a unit list's
// position), "enter", or "field=text" typed into the field over its whole text.
void act(Form &form, const QString &step)
{
    const QString target = step.section(QLatin1Char('='), 0, 0);
    const QString value = step.section(QLatin1Char('='), 1);
    if (step == QLatin1String("enter")) {
        QVERIFY(form.pressEnter());
    } else if (target.startsWith(QLatin1String("click:"))) {
        Control *c = controlNamed(form, target.mid(6));
        if (auto *button = dynamic_cast<CommandButton *>(c))
            button->userClick();
        else if (auto *option = dynamic_cast<OptionButton *>(c))
            option->userClick();
        else
            QFAIL(qPrintable(QStringLiteral("no button ") + step));
    } else if (target.startsWith(QLatin1String("pick:"))) {
        Control *c = controlNamed(form, target.mid(5));
        if (auto *list = dynamic_cast<ListBox *>(c))
            QVERIFY2(pick(*list, value), qPrintable(step));
        else if (auto *units = dynamic_cast<ComboBox *>(c))
            units->userPick(value.toInt());
        else
            QFAIL(qPrintable(QStringLiteral("no list ") + step));
    } else if (auto *field = dynamic_cast<TextBox *>(controlNamed(form, target))) {
        QVERIFY2(field->setFocus(), qPrintable(step));
        field->selectAll();
        field->userType(value);
    } else {
        QFAIL(qPrintable(QStringLiteral("no field ") + step));
    }
}

// Every text field of a dialog as "name=text".
QStringList fieldTexts(Form &form)
{
    QStringList out;
    for (Control *c : form.controls()) {
        if (auto *t = dynamic_cast<TextBox *>(c))
            out << nameOf(c) + QLatin1Char('=') + t->text();
    }
    return out;
}

// Every record of the fluid database's German tables.
QStringList fluidTables()
{
    return tableRows(QStringLiteral("IdealeGase_d"),
                     {QStringLiteral("SUBSTANZ"), QStringLiteral("Kappa"), QStringLiteral("RHON")}) +
           tableRows(QStringLiteral("Flüssigkeiten_d"),
                     {QStringLiteral("SUBSTANZ"), QStringLiteral("RHO"), QStringLiteral("PSAT"),
                      QStringLiteral("PKRIT"), QStringLiteral("NUE")}) +
           tableRows(QStringLiteral("Assistent_d"), {QStringLiteral("SUBSTANZ"), QStringLiteral("M"),
                                                     QStringLiteral("TS"), QStringLiteral("TKRIT"),
                                                     QStringLiteral("PKRIT")});
}

} // namespace

class TestFluidHandover : public QObject {
    Q_OBJECT
    Fixture f;

    // Switches to the mode and the medium (a medium-menu entry) and sets the flow unit, as the user would.
    void prepare(int modus, Menu *medium, int QUnit)
    {
        if (modus == 1)
            QVERIFY(f.choose(f.w->mnuFlow));
        if (medium)
            QVERIFY(f.choose(*medium));
        shared().QUnit = QUnit;
        f.ui.reset();
    }

    // Opens the list through its menu entry, lets `act` work in it, and checks that it closed.
    void inDialog(Menu &entry, const std::function<void(Form &)> &act)
    {
        bool ran = false;
        f.ui.onNextModal([&](Form &form) {
            ran = true;
            act(form);
        });
        QVERIFY(f.choose(entry));
        QVERIFY(ran);
        QVERIFY(!frmIdealesGasInstance().isLoaded());
        QVERIFY(!frmFlüssigkeitInstance().isLoaded());
    }

private slots:
    void initTestCase() { f.initSuite(); }
    void init() { f.beginCase(); }
    void cleanup() { f.endCase(); }

    void gasArrivesInEitherSheetFromEachState_data();
    void gasArrivesInEitherSheetFromEachState();
    void liquidArrivesWithItsReferenceTemperature_data();
    void liquidArrivesWithItsReferenceTemperature();
    void okMakesTheDialogUnitsShared_data();
    void okMakesTheDialogUnitsShared();
    void cancelChangesNoUnitAndNoValue_data();
    void cancelChangesNoUnitAndNoValue();
    void dialogIsCentredOnTheScreen_data();
    void dialogIsCentredOnTheScreen();
    void impossibleMediumIsNeitherStoredNorHandedOver_data();
    void impossibleMediumIsNeitherStoredNorHandedOver();
};

void TestFluidHandover::gasArrivesInEitherSheetFromEachState_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("medium"); // the entry chosen before, empty: the default project's water
    QTest::addColumn<int>("QUnit");
    QTest::addColumn<QString>("gas");
    QTest::addColumn<int>("expectedQUnit");
    QTest::addColumn<double>("kappa");
    QTest::addColumn<double>("rhoN");
    for (int modus : {0, 1}) {
        const QString m = modus == 0 ? QStringLiteral("sizing: ") : QStringLiteral("flow: ");
        // From a liquid, "G.P.M." (5) has no gas equivalent and becomes "scu.ft./hr." (4).
        QTest::newRow(qPrintable(m + "liquid G.P.M.")) << modus << "" << 5 << "Methan" << 4 << 1.31 << 0.7157;
        QTest::newRow(qPrintable(m + "liquid kg/h")) << modus << "" << 1 << "Methan" << 1 << 1.31 << 0.7157;
        // From steam, "kg/h" (0) is index 1 and "lb./hr." (1) index 3 of the gas list.
        QTest::newRow(qPrintable(m + "steam kg/h")) << modus << "mnuWasserdampf" << 0 << "Luft" << 1 << 1.4 << 1.293;
        QTest::newRow(qPrintable(m + "steam lb./hr.")) << modus << "mnuWasserdampf" << 1 << "Luft" << 3 << 1.4
                                                       << 1.293;
        // A gas stays a gas; a norm density stored in lb./cu.ft. arrives in kg/m3, unrounded.
        QTest::newRow(qPrintable(m + "gas, density in lb./cu.ft."))
            << modus << "mnuLuft" << 2 << "Leichtgas" << 2 << 1.3 << 0.05 / 0.06243;
    }
}

void TestFluidHandover::gasArrivesInEitherSheetFromEachState()
{
    QFETCH(int, modus);
    QFETCH(QString, medium);
    QFETCH(int, QUnit);
    QFETCH(QString, gas);
    QFETCH(int, expectedQUnit);
    QFETCH(double, kappa);
    QFETCH(double, rhoN);
    prepare(modus, medium.isEmpty() ? nullptr : dynamic_cast<Menu *>(f.w->control(medium)), QUnit);
    inDialog(f.w->mnuIdealesGas, [&](Form &) {
        frmIdealesGas &d = frmIdealesGasInstance().get();
        QVERIFY(pick(d.lstSubstanz, gas));
        d.lstSubstanz.userDoubleClick();
    });
    const SharedData &s = shared();
    QCOMPARE(s.QUnit, expectedQUnit);
    QCOMPARE(s.Zustand, 0);
    QCOMPARE(s.Medium, 3);
    QCOMPARE(s.NameMedium, gas);
    QCOMPARE(s.gammaMin, kappa);
    QCOMPARE(s.gammaNorm, kappa);
    QCOMPARE(s.gammaMax, kappa);
    QVERIFY2(close(s.rhoN, rhoN), qPrintable(QString::number(s.rhoN, 'g', 17)));
    // The sheet of the mode was loaded anew and shows the gas.
    QCOMPARE(s.Modus, modus);
    QVERIFY2(header().contains(gas), qPrintable(header()));
    QVERIFY(header().contains(getText(QStringLiteral("Ideales Gas"), s.Sprache)));
}

void TestFluidHandover::liquidArrivesWithItsReferenceTemperature_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("medium");
    QTest::addColumn<int>("QUnit");
    QTest::addColumn<int>("T1Unit");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("expectedQUnit");
    QTest::addColumn<int>("TBezug");
    QTest::addColumn<double>("T1");
    QTest::addColumn<double>("rho");
    QTest::addColumn<double>("psat");
    // A half goes to the even neighbour: 15.5 °C gives 16, 14.5 °C gives 14.
    QTest::newRow("sizing: 15.5 °C") << 0 << "" << 0 << 0 << loc("Warmwasser @ 15.5°C") << 0 << 16 << 16.0
                                     << 999.0 << 0.0177;
    QTest::newRow("flow: 14.5 °C") << 1 << "" << 0 << 0 << loc("Kaltwasser @ 14.5°C") << 0 << 14 << 14.0 << 999.2
                                   << 0.0165;
    // 20 °C handed to a sheet in F: the reference stays 20 (its unit is TUnit), the inlet becomes 68.
    QTest::newRow("sizing: inlet in F") << 0 << "" << 0 << 1 << "Wasser @ 20°C" << 0 << 20 << 68.0 << 998.2
                                        << 0.02339;
    // Stored at 68 F, handed over in °C: 20.
    QTest::newRow("flow: stored in F") << 1 << "" << 0 << 0 << "Öl @ 68F" << 0 << 20 << 20.0 << 870.0 << 0.001;
    // From steam, "lb./hr." (1) is index 3 of the liquid list; from a gas the index stays.
    QTest::newRow("sizing: from steam lb./hr.") << 0 << "mnuWasserdampf" << 1 << 0 << "Wasser @ 20°C" << 3 << 20
                                                << 20.0 << 998.2 << 0.02339;
    QTest::newRow("flow: from gas scu.ft./hr.") << 1 << "mnuLuft" << 4 << 0 << "Wasser @ 20°C" << 4 << 20 << 20.0
                                                << 998.2 << 0.02339;
}

void TestFluidHandover::liquidArrivesWithItsReferenceTemperature()
{
    QFETCH(int, modus);
    QFETCH(QString, medium);
    QFETCH(int, QUnit);
    QFETCH(int, T1Unit);
    QFETCH(QString, item);
    QFETCH(int, expectedQUnit);
    QFETCH(int, TBezug);
    QFETCH(double, T1);
    QFETCH(double, rho);
    QFETCH(double, psat);
    prepare(modus, medium.isEmpty() ? nullptr : dynamic_cast<Menu *>(f.w->control(medium)), QUnit);
    shared().T1Unit = T1Unit;
    inDialog(f.w->mnuFlüssigkeit, [&](Form &) {
        frmFlüssigkeit &d = frmFlüssigkeitInstance().get();
        QVERIFY(pick(d.lstSubstanz, item));
        d.cmdOK.userClick();
    });
    const SharedData &s = shared();
    const QString name = frmFlüssigkeit::itemName(item);
    QCOMPARE(s.QUnit, expectedQUnit);
    QCOMPARE(s.Zustand, 1);
    QCOMPARE(s.Medium, 4);
    QCOMPARE(s.NameMedium, name);
    QCOMPARE(s.TBezugFlüssigkeit, TBezug);
    QCOMPARE(QList<double>({s.T1Min, s.T1Norm, s.T1Max}), QList<double>({T1, T1, T1}));
    QCOMPARE(QList<double>({s.rho1Min, s.rho1Norm, s.rho1Max}), QList<double>({rho, rho, rho}));
    QCOMPARE(QList<double>({s.psatMin, s.psatNorm, s.psatMax}), QList<double>({psat, psat, psat}));
    QVERIFY2(header().contains(name), qPrintable(header()));
}

void TestFluidHandover::okMakesTheDialogUnitsShared_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("unitPicks"); // list=position, chosen while editing the entry
    QTest::addColumn<QString>("item");
    QTest::addColumn<QList<int>>("units");      // rhoUnit, pUnit, TUnit, nueUnit after OK
    QTest::addColumn<QList<double>>("values");  // rho1Max, rhoN, pkrit, Tkrit, nueMax, psatMax after OK
    // The default project holds water: rho1 998.2, rhoN 1.293, pkrit 221.2, Tkrit 374.15, nue 1.004,
    // psat 0.02339.
    // Gas in lb./cu.ft.: the norm density comes from the record in the new unit (the operating densities are the
    // sheet's to compute for a gas, as are viscosity and vapour pressure: NaN, not checked).
    QTest::newRow("gas, density unit") << "gas" << QStringList{"rho_unit=1"} << "Luft" << QList<int>{1, 0, 0, 0}
                                       << QList<double>{qQNaN(), 1.293 * 0.06243, 221.2, 374.15, qQNaN(), qQNaN()};
    // Liquid in bar,ü., F, mPas and lb./cu.ft.: 0.02339 - 1.01325 = -0.9899, 220.64 - 1.01325 = 219.6 bar,ü.;
    // Tkrit 374.15 °C = 705.47 F; 1.004 mm²/s x 998.2 kg/m3 / 1000 = 1.0021928 mPas.
    QTest::newRow("liquid, every unit") << "liquid"
                                        << QStringList{"rho_unit=1", "p_unit=1", "T_unit=1", "nue_unit=1"}
                                        << "Wasser @ 20°C" << QList<int>{1, 1, 1, 1}
                                        << QList<double>{998.2 * 0.06243, 1.293 * 0.06243, 219.6,
                                                         374.15 * 9.0 / 5.0 + 32.0, 1.004 * 998.2 / 1000.0,
                                                         -0.9899};
}

void TestFluidHandover::okMakesTheDialogUnitsShared()
{
    QFETCH(QString, which);
    QFETCH(QStringList, unitPicks);
    QFETCH(QString, item);
    QFETCH(QList<int>, units);
    QFETCH(QList<double>, values);
    Menu &entry = which == QLatin1String("gas") ? f.w->mnuIdealesGas : f.w->mnuFlüssigkeit;
    inDialog(entry, [&](Form &form) {
        auto &d = dynamic_cast<SubstanceListForm &>(form);
        QVERIFY(pick(d.lstSubstanz, item));
        // The units are changed while the entry is edited and the edit abandoned; the choice stays.
        d.cmdBearbeiten.userClick();
        for (const QString &p : unitPicks)
            dynamic_cast<ComboBox *>(d.control(p.section(QLatin1Char('='), 0, 0)))
                ->userPick(p.section(QLatin1Char('='), 1).toInt());
        d.cmdEscBearbeiten.userClick();
        QVERIFY(pick(d.lstSubstanz, item));
        d.cmdOK.userClick();
    });
    const SharedData &s = shared();
    QCOMPARE(QList<int>({s.rhoUnit, s.pUnit, s.TUnit, s.nueUnit}), units);
    const double got[] = {s.rho1Max, s.rhoN, s.pkrit, s.Tkrit, s.nueMax, s.psatMax};
    for (int i = 0; i < 6; ++i)
        QVERIFY2(std::isnan(values[i]) || close(got[i], values[i]),
                 qPrintable(QStringLiteral("value %1: %2, expected %3").arg(i).arg(got[i], 0, 'g', 17).arg(values[i],
                                                                                                        0, 'g', 17)));
}

void TestFluidHandover::cancelChangesNoUnitAndNoValue_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("gas, Abbruch") << "gas" << false;
    QTest::newRow("gas, close box") << "gas" << true;
    QTest::newRow("liquid, Abbruch") << "liquid" << false;
    QTest::newRow("liquid, close box") << "liquid" << true;
}

void TestFluidHandover::cancelChangesNoUnitAndNoValue()
{
    QFETCH(QString, which);
    QFETCH(bool, closeBox);
    const QStringList before = fluidPicture(shared());
    const QStringList picture = menufixture::sheetPicture(*f.sheet());
    const QString table = which == QLatin1String("gas") ? QStringLiteral("IdealeGase_d")
                                                         : QStringLiteral("Flüssigkeiten_d");
    const QStringList rows = tableRows(table, {QStringLiteral("SUBSTANZ")});
    Menu &entry = which == QLatin1String("gas") ? f.w->mnuIdealesGas : f.w->mnuFlüssigkeit;
    inDialog(entry, [&](Form &form) {
        auto &d = dynamic_cast<SubstanceListForm &>(form);
        d.lstSubstanz.userPick(0);
        d.cmdNeu.userClick();
        d.txtMedium.userType(QStringLiteral("Neustoff"));
        for (ComboBox *list : {dynamic_cast<ComboBox *>(d.control(QStringLiteral("rho_unit"))),
                               dynamic_cast<ComboBox *>(d.control(QStringLiteral("p_unit"))),
                               dynamic_cast<ComboBox *>(d.control(QStringLiteral("T_unit"))),
                               dynamic_cast<ComboBox *>(d.control(QStringLiteral("nue_unit")))}) {
            if (list)
                list->userPick(1);
        }
        // Left with the new entry pending: it is dropped.
        if (closeBox)
            d.userClose();
        else
            d.cmdEsc.userClick();
    });
    QCOMPARE(fluidPicture(shared()), before);
    QCOMPARE(menufixture::sheetPicture(*f.sheet()), picture);
    QCOMPARE(tableRows(table, {QStringLiteral("SUBSTANZ")}), rows);
}

void TestFluidHandover::dialogIsCentredOnTheScreen_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("ideal gases") << "mnuIdealesGas";
    QTest::newRow("liquids") << "mnuFlüssigkeit";
    QTest::newRow("mixture") << "mnuGasGemisch";
}

void TestFluidHandover::dialogIsCentredOnTheScreen()
{
    QFETCH(QString, entry);
    // A screen narrower than the dialog gives a negative left position, not moved back. The sizes leave no half
    // twip: the dialogs are an odd number of twips wide and an even number high.
    f.ui.setScreenSizeTwips(3001, 9000);
    int left = 0, top = 0, width = 0, height = 0;
    inDialog(*dynamic_cast<Menu *>(f.w->control(entry)), [&](Form &form) {
        left = form.left();
        top = form.top();
        width = form.width();
        height = form.height();
        QVERIFY(form.isModal());
        form.userClose();
    });
    QVERIFY(!frmGasgemischInstance().isLoaded());
    QCOMPARE(left, (3001 - width) / 2);
    QCOMPARE(top, (9000 - height) / 2);
    QVERIFY(left < 0);
}

void TestFluidHandover::impossibleMediumIsNeitherStoredNorHandedOver_data()
{
    QTest::addColumn<QString>("entry"); // the menu entry that opens the dialog
    QTest::addColumn<QString>("sql");   // run on the fluid database before
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("focus"); // the control that holds the focus after the last step
    const QString gas = QStringLiteral("mnuIdealesGas");
    const QString liquid = QStringLiteral("mnuFlüssigkeit");
    const QString mixture = QStringLiteral("mnuGasGemisch");
    const QString wizard = QStringLiteral("mnuStoffdatenAssistent");
    const QString exchanger = QStringLiteral("mnuWärmetauscher");
    const QStringList newGas = {"click:cmdNeu", "txtMedium=Biogas"};
    const QStringList newLiquid = {"click:cmdNeu", "txtMedium=Sole"};
    const QString store = QStringLiteral("click:cmdÜbernahme");

    // A new entry of a list, stored by Übernehmen: the isentropic exponent is above 1, densities, norm densities
    // and viscosities above 0, a vapour pressure not below 0 absolute, a critical pressure above 0 absolute.
    QTest::newRow("gas: exponent 0.5") << gas << "" << newGas + QStringList{"txtKappa=" + loc("0.5"), store}
                                       << "txtKappa";
    QTest::newRow("gas: norm density -5") << gas << "" << newGas + QStringList{"txtRhon=-5", store} << "txtRhon";
    QTest::newRow("gas: norm density 1e300") << gas << "" << newGas + QStringList{"txtRhon=1e300", store}
                                             << "txtRhon";
    QTest::newRow("liquid: density -5") << liquid << "" << newLiquid + QStringList{"txtrho=-5", store} << "txtrho";
    QTest::newRow("liquid: viscosity -1") << liquid << "" << newLiquid + QStringList{"txtnue=-1", store}
                                          << "txtnue";
    // -2 bar gauge is -0.987 bar absolute (the conversion to bar abs. would show it as 0).
    QTest::newRow("liquid: vapour pressure -2 bar gauge")
        << liquid << "" << newLiquid + QStringList{"pick:p_unit=1", "txtpsat=-2", store} << "txtpsat";
    QTest::newRow("liquid: critical pressure 0") << liquid << "" << newLiquid + QStringList{"txtpkrit=0", store}
                                                 << "txtpkrit";
    // Temperatures at or below absolute zero, -273.15 °C or -459.67 F.
    QTest::newRow("liquid: reference temperature -300 °C")
        << liquid << "" << newLiquid + QStringList{"txtTBezug=-300", store} << "txtTBezug";
    QTest::newRow("liquid: reference temperature -459.67 F")
        << liquid << "" << newLiquid + QStringList{"pick:T_unit=1", "txtTBezug=" + loc("-459.67"), store}
        << "txtTBezug";
    // Records another tool stored: OK hands nothing over.
    QTest::newRow("gas stored with exponent 0.5")
        << gas << "UPDATE \"IdealeGase_d\" SET Kappa = 0.5 WHERE SUBSTANZ = 'Luft'"
        << QStringList{"pick:lstSubstanz=Luft", "click:cmdOK"} << "lstSubstanz";
    QTest::newRow("liquid stored with density -5")
        << liquid << "UPDATE \"Flüssigkeiten_d\" SET RHO = -5 WHERE SUBSTANZ = 'Wasser'"
        << QStringList{"pick:lstSubstanz=Wasser @ 20°C", "click:cmdOK"} << "lstSubstanz";

    // The mixture checks its own results as shown: 1 + 1 / (1 / 0.00001) shows as 1.000.
    QTest::newRow("mixture: exponent 1.000 as shown")
        << mixture << ""
        << QStringList{"txtMedium(0)=A", "txtKappa(0)=" + loc("1.00001"), "txtMGewicht(0)=28",
                       "txtVolAnteil(0)=100", "click:cmdOK"}
        << "txtKappa(0)";
    QTest::newRow("mixture: molar mass 1e13")
        << mixture << ""
        << QStringList{"txtMedium(0)=A", "txtKappa(0)=" + loc("1.4"), "txtMGewicht(0)=1e13", "txtVolAnteil(0)=100",
                       "click:cmdOK"}
        << "txtMGewicht(0)";
    QTest::newRow("mixture: take-over of a gas stored with exponent 0.5")
        << mixture << "UPDATE \"IdealeGase_d\" SET Kappa = 0.5 WHERE SUBSTANZ = 'Luft'"
        << QStringList{"pick:lstSubstanz=Luft", store} << "lstSubstanz";

    // The wizard: a result typed over cannot be left with an impossible number, nor handed over by Enter, which
    // leaves no field; base data are stored only when possible.
    QTest::newRow("wizard: exponent 0.09, Enter")
        << wizard << "" << QStringList{"pick:lstSubstanz=Methan (CH4)", "click:cmdCalc", "txtgammamax=" + loc("0.09"),
                                       "enter"}
        << "txtgammamax";
    QTest::newRow("wizard: density -128.1, OK clicked")
        << wizard << "" << QStringList{"pick:lstSubstanz=Methan (CH4)", "click:cmdCalc", "txtrhomax=" + loc("-128.1"),
                                       "click:cmdOK"}
        << "txtrhomax";
    QTest::newRow("wizard: real-gas factor -1, Enter")
        << wizard << "" << QStringList{"pick:lstSubstanz=Methan (CH4)", "click:cmdCalc", "txtZmax=-1", "enter"}
        << "txtZmax";
    QTest::newRow("wizard: critical temperature at the boiling point")
        << wizard << "" << QStringList{"pick:lstSubstanz=Wasser (H2O)", "click:cmdBearbeiten", "txtTkrit=100", store}
        << "txtTkrit";
    QTest::newRow("wizard: critical pressure 0")
        << wizard << "" << QStringList{"pick:lstSubstanz=Wasser (H2O)", "click:cmdBearbeiten", "txtpkrit=0", store}
        << "txtpkrit";
    QTest::newRow("wizard: boiling point -300 °C")
        << wizard << "" << QStringList{"pick:lstSubstanz=Wasser (H2O)", "click:cmdBearbeiten", "txtTs=-300", store}
        << "txtTs";
    QTest::newRow("wizard: inlet temperature -300 °C, Stoffdaten berechnen")
        << wizard << "" << QStringList{"pick:lstSubstanz=Methan (CH4)", "txtT1max=-300", "click:cmdCalc"}
        << "txtT1max";
    QTest::newRow("wizard: molar mass 0")
        << wizard << "" << QStringList{"pick:lstSubstanz=Wasser (H2O)", "click:cmdBearbeiten", "txtMol=0", store}
        << "txtMol";

    // The heat exchanger's steam: no saturated steam above the critical point (220.93 bar) or below the triple
    // point (0.006112 bar abs.; -1.01 bar gauge is 0.00325 bar abs.).
    QTest::newRow("heat exchanger: p1 250 bar")
        << exchanger << "" << QStringList{"txtp1max=250", "click:cmdÜbernehmen"} << "txtp1max";
    QTest::newRow("heat exchanger: p1 -1.01 bar gauge")
        << exchanger << "" << QStringList{"pick:cmbP1unit=1", "txtp1max=" + loc("-1.01"), "click:cmdÜbernehmen"}
        << "txtp1max";
}

// Whatever dialog brings a medium, a number that is no physical value is refused where it is typed or taken
// over: a beep, the focus on the field, the fields as typed, nothing stored, nothing handed to the sheet.
void TestFluidHandover::impossibleMediumIsNeitherStoredNorHandedOver()
{
    QFETCH(QString, entry);
    QFETCH(QString, sql);
    QFETCH(QStringList, steps);
    QFETCH(QString, focus);
    if (!sql.isEmpty())
        menufixture::execSql(fluiddb::databasePath(), sql);
    const SharedData &s = shared();
    auto picture = [&s] { return fluidPicture(s) << QString::number(s.p1Max) << QString::number(s.p2Max); };
    const QStringList before = picture();
    const QStringList sheet = menufixture::sheetPicture(*f.sheet());
    const QString status = f.w->StatusBar.text();
    const QStringList tables = fluidTables();
    bool ran = false;
    f.ui.onNextModal([&](Form &d) {
        ran = true;
        menufixture::UnloadWatch watch(d);
        // The heat exchanger refuses before its click: once the pressure is typed the hand-over is off, so that
        // the click does nothing.
        const bool refusedWhenTyped = entry == QStringLiteral("mnuWärmetauscher");
        for (int i = 0; i + 1 < steps.size(); ++i)
            act(d, steps[i]);
        const QStringList typed = fieldTexts(d);
        if (refusedWhenTyped)
            QVERIFY(!dynamic_cast<CommandButton &>(*controlNamed(d, QStringLiteral("cmdÜbernehmen"))).enabled());
        const int beeps = f.ui.beepCount();
        act(d, steps.last());
        QVERIFY2(!watch.unloaded(), "the dialog handed over and closed");
        QCOMPARE(f.ui.beepCount(), beeps + (refusedWhenTyped ? 0 : 1));
        QCOMPARE(nameOf(d.activeControl()), focus);
        QCOMPARE(fieldTexts(d), typed);
        d.userClose();
    });
    QVERIFY(f.choose(*dynamic_cast<Menu *>(f.w->control(entry))));
    QVERIFY(ran);
    QCOMPARE(fluidTables(), tables);
    QCOMPARE(picture(), before);
    frmWärmetauscherInstance().unload();
    QCOMPARE(menufixture::sheetPicture(*f.sheet()), sheet);
    QCOMPARE(f.w->StatusBar.text(), status);
}

QTEST_MAIN(TestFluidHandover)
#include "test_fluid_handover.moc"
