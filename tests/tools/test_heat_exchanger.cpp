#include "heat_exchanger_fixture.h"

#include "../units/two_locales.h"

#include <QTest>
#include <cmath>
#include <map>

// The heat-exchanger dialog on its own: what its load shows, the chains of its columns (saturation temperature,
// enthalpy of vaporisation, power, steam flow) with worked numbers and a check against the steam tables, its unit
// lists, the column switches, and what a bad entry does. Captions stay German (no language database is open);
// numbers are typed and read in the user's locale.

using namespace hxtools;
using testlocale::zahl;

namespace {

// Records every caption, text, list position and option value the load writes, as "name=text", "name:position"
// and "name:value".
class WriteOrder : public FormObserver {
public:
    QStringList writes;
    void formChanged(Form &form, Prop what) override
    {
        if (what == Prop::Caption)
            writes << QStringLiteral("caption=") + form.caption();
    }
    void controlChanged(Control &c, Prop what) override
    {
        if (what == Prop::ListIndex)
            writes << c.name() + QStringLiteral(":position");
        else if (what == Prop::Value)
            writes << c.name() + QStringLiteral(":value");
        else if (what == Prop::Caption)
            writes << c.name() + QLatin1Char('=') + text(c);
    }

private:
    static QString text(const Control &c)
    {
        if (auto *l = dynamic_cast<const Label *>(&c))
            return l->caption();
        if (auto *t = dynamic_cast<const TextBox *>(&c))
            return t->text();
        if (auto *fr = dynamic_cast<const Frame *>(&c))
            return fr->caption();
        if (auto *o = dynamic_cast<const OptionButton *>(&c))
            return o->caption();
        if (auto *b = dynamic_cast<const CommandButton *>(&c))
            return b->caption();
        return QString();
    }
};

} // namespace

class TestHeatExchanger : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void init() { f.start(); }
    void cleanup() { f.stop(); }

    void loadShowsTheStoredCase();
    void loadWritesInItsOrder();
    void loadMapsTheFlowUnit_data();
    void loadMapsTheFlowUnit();
    void loadShowsTheSwitchedColumns_data();
    void loadShowsTheSwitchedColumns();
    void loadWithAGivenPower();
    void powerFromTheLiquid_data();
    void powerFromTheLiquid();
    void steamFlowFromPowerAndEnthalpy_data();
    void steamFlowFromPowerAndEnthalpy();
    void steamTablesHandCheck_data();
    void steamTablesHandCheck();
    void workedCaseAgainstTheSteamTables();
    void pressuresAtTheEdgesGiveFiniteLabels_data();
    void pressuresAtTheEdgesGiveFiniteLabels();
    void unitListsRewriteTheShownValues_data();
    void unitListsRewriteTheShownValues();
    void entriesThatAreNoNumbers_data();
    void entriesThatAreNoNumbers();
    void amountsBelowZeroAreRefused_data();
    void amountsBelowZeroAreRefused();
    void handOverOnlyWhileEveryShownColumnIsWhole_data();
    void handOverOnlyWhileEveryShownColumnIsWhole();
    void hiddenColumnsKeepTheirValues();
    void powerOptionsSwapInputsAndResults();
    void enteringAFieldSelectsItsText();
};

void TestHeatExchanger::loadShowsTheStoredCase()
{
    frmWärmetauscher &w = f.open();
    QCOMPARE(w.caption(), QStringLiteral("Massenstrom-Berechnung (Dampf)"));
    QCOMPARE(w.lblKommentar.caption(),
             QStringLiteral("Eine Flüssigkeit wird über einen Dampf-Wärmetauscher erhitzt. Der Sattdampf kondensiert "
                            "hierbei und gibt seine Kondensationswärme an die Flüssigkeit ab. Eingabegrößen sind: "
                            "Flüssigkeitsmenge, aufzuheizende Temperaturdifferenz und die Aufheizzeit. Berechnet "
                            "werden die benötigte Wärmetauscherleistung und der erforderliche Dampf-Massenstrom. "
                            "Anmerkung: Falls die Wärmetauscherleistung bereits bekannt ist, kann diese direkt "
                            "eingegeben werden."));
    QCOMPARE(gezeigt(w, {"lblDampf", "lblKondensat", "lblP1", "lblP2", "lblT1", "lblMasse", "lblWkapazität",
                         "lblTempDifferenz", "lblAufheizzeit", "lblVerdEnthalpie", "lblMassenstrom", "lblMax",
                         "lblTunit", "lblRunit", "lblWTLeistungUnit"}),
             QStringList({"Sattdampf", "Kondensat", "Vordruck P1", "Nachdruck P2", "Temperatur T1",
                          "Menge Flüssigkeit m", "Wärmekapazität cp", "Temperaturdifferenz", "Aufheizzeit",
                          "Verdampfungs- Enthalpie", "Dampf- Massenstrom", "max.", "°C", "kJ/kg", "kW"}));
    QCOMPARE(w.lblCpUnit.caption(), QStringLiteral("kJ/kg K (Wasser = ") + zahl("4.18") + QStringLiteral(")"));
    QCOMPARE(w.chkMin.caption(), QStringLiteral("min."));
    QCOMPARE(w.chkNorm.caption(), QStringLiteral("norm."));
    QCOMPARE(w.frameWTLeistung.caption(), QStringLiteral("Wärmetauscherleistung"));
    QCOMPARE(w.optWTberechnet.caption(), QStringLiteral("berechnet"));
    QCOMPARE(w.optWTVorgabe.caption(), QStringLiteral("Vorgabe"));
    QCOMPARE(QStringList({w.cmdÜbernehmen.caption(), w.cmdDruck.caption(), w.cmdPDFDruck.caption(),
                          w.cmdAbbruch.caption()}),
             QStringList({"Daten übernehmen", "Drucken", "PDF-Druck", "Abbruch"}));

    QCOMPARE(w.cmbP1unit.items(), QStringList({"bar,abs.", "bar,ü.", "psia", "psig", "MPa,abs.", "MPa,ü.",
                                               "kPa,abs.", "kPa,ü."}));
    QCOMPARE(w.cmbP2unit.items(), w.cmbP1unit.items());
    QCOMPARE(w.cmbT1unit.items(), QStringList({"°C", "F"}));
    QCOMPARE(w.cmbMunit.items(), QStringList({"kg", "lb."}));
    QCOMPARE(w.cmbZeitUnit.items(), QStringList({"sec.", "min.", "h"}));
    QCOMPARE(w.cmbQunit.items(), QStringList({"kg/h", "lb./hr."}));
    QCOMPARE(QList<int>({w.cmbP1unit.listIndex(), w.cmbP2unit.listIndex(), w.cmbT1unit.listIndex(),
                         w.cmbMunit.listIndex(), w.cmbZeitUnit.listIndex(), w.cmbQunit.listIndex()}),
             QList<int>({0, 0, 0, 0, 2, 0}));

    // The unit lists rewrite pressures, masses and times with four significant digits; rises and cp stand as
    // stored.
    QCOMPARE(gezeigt(w, {"txtp1min", "txtp1norm", "txtp1max", "txtp2min", "txtp2norm", "txtp2max"}),
             zahlen({"4.000", "6.000", "10.00", "1.000", "2.000", "3.000"}));
    QCOMPARE(gezeigt(w, {"txtMmin", "txtMnorm", "txtMmax", "txtCpMax", "txtDeltaTmin", "txtDeltaTnorm",
                         "txtDeltaTmax", "txtTaufheizMin", "txtTaufheizNorm", "txtTaufheizMax"}),
             zahlen({"500.0", "1000", "2000", "4.18", "40", "60", "80", "0.5000", "1.000", "2.000"}));
    // 500 kg * 4.18 * 40 K / 1800 s; 1000 * 4.18 * 60 / 3600; 2000 * 4.18 * 80 / 7200.
    QCOMPARE(gezeigt(w, kLeistungen), zahlen({"46.44", "69.67", "92.89"}));
    // 6 bar abs.: 158.83 °C in the steam tables; 2 bar abs.: 2201.6 kJ/kg there, the correlation gives 2178.
    QCOMPARE(w.lblT1norm.caption(), zahl("158.9"));
    QCOMPARE(w.lblVerdEnthalpieNorm.caption(), QStringLiteral("2178"));
    // 69.67 / 2178 / 0.85 * 3600.
    QCOMPARE(w.lblQnorm.caption(), zahl("135.5"));
    for (const QString &n : QStringList{"lblT1min", "lblT1max", "lblVerdEnthalpieMin", "lblVerdEnthalpieMax",
                                        "lblQmin", "lblQmax"})
        QVERIFY2(Variant(gezeigt(w, n)).isNumeric(), qPrintable(n + QLatin1Char('=') + gezeigt(w, n)));

    QVERIFY(w.optWTberechnet.value());
    QVERIFY(!w.optWTVorgabe.value());
    QVERIFY(w.wtBerechnet());
    QCOMPARE(shared().WTDruck_WTcalc, Variant(true));
    QVERIFY(!w.txtWTLeistungMax.enabled());
    QVERIFY(w.txtMmax.enabled() && w.txtCpMax.enabled() && w.cmbZeitUnit.enabled());
    QVERIFY(w.cmdÜbernehmen.enabled());
    QCOMPARE(f.loadBeeps, 0);

    // The drawing fills its picture box exactly.
    QVERIFY(!w.Picture1.picture().isNull());
    QCOMPARE(w.Picture1.picture().size(), QSize(w.Picture1.width(), w.Picture1.height()) / kTwipsPerPixel);
    QCOMPARE(w.schematicSizeTwips(), QSize(w.Picture1.width(), w.Picture1.height()));
    QVERIFY(w.lblDampf.container() == &w.Picture1 && w.lblKondensat.container() == &w.Picture1);
}

// The load's steps in their order: cp is written (and computes the three powers, which cannot be computed yet)
// before the rises and times; each unit list is positioned after its values, the flow list last.
void TestHeatExchanger::loadWritesInItsOrder()
{
    frmWärmetauscher w;
    WriteOrder order;
    w.addObserver(&order);
    {
        UiServicesScope scope(f.ui);
        w.load();
    }
    w.removeObserver(&order);
    const QStringList schritte = {
        "caption=Massenstrom-Berechnung (Dampf)", "lblKommentar=Eine Flüssigkeit", "lblDampf=Sattdampf",
        "lblKondensat=Kondensat", "chkMin:value", "chkNorm:value", "lblP1=Vordruck P1", "txtp1min=4",
        "lblT1min=", "cmbP1unit:position", "txtp1min=" + zahl("4.000"), "lblP2=Nachdruck P2", "txtp2min=1",
        "lblVerdEnthalpieMin=", "cmbP2unit:position", "lblT1=Temperatur T1", "cmbT1unit:position",
        "lblMasse=Menge Flüssigkeit m", "txtMmin=500", "cmbMunit:position", "lblWkapazität=Wärmekapazität cp",
        "txtCpMax=" + zahl("4.18"), "txtWTLeistungMin=--", "txtWTLeistungNorm=--", "txtWTLeistungMax=--",
        "lblCpUnit=kJ/kg K", "lblTempDifferenz=Temperaturdifferenz", "txtDeltaTmin=40",
        "lblAufheizzeit=Aufheizzeit", "txtTaufheizMin=" + zahl("0.5"), "cmbZeitUnit:position",
        "lblVerdEnthalpie=Verdampfungs- Enthalpie", "frameWTLeistung=Wärmetauscherleistung",
        "optWTberechnet=berechnet", "optWTVorgabe=Vorgabe", "optWTberechnet:value",
        "txtWTLeistungMin=" + zahl("46.44"), "lblMassenstrom=Dampf- Massenstrom", "cmbQunit:position",
        "cmdÜbernehmen=Daten übernehmen", "cmdDruck=Drucken", "cmdPDFDruck=PDF-Druck", "cmdAbbruch=Abbruch"};
    // Each step is found after the one before it.
    qsizetype at = 0;
    for (const QString &schritt : schritte) {
        while (at < order.writes.size() && !order.writes.at(at).startsWith(schritt))
            ++at;
        QVERIFY2(at < order.writes.size(), qPrintable(schritt + QStringLiteral("\n") + order.writes.join('\n')));
        ++at;
    }
    w.unload();
}

void TestHeatExchanger::loadMapsTheFlowUnit_data()
{
    QTest::addColumn<int>("Zustand");
    QTest::addColumn<int>("QUnit");
    QTest::addColumn<int>("WT_QUnit");
    const int gas[] = {0, 0, 0, 1, 1};
    const int fluessig[] = {0, 0, 0, 1, 1, 1};
    for (int i = 0; i < 5; ++i)
        QTest::addRow("ideal gas, flow unit %d", i) << 0 << i << gas[i];
    for (int i = 0; i < 6; ++i)
        QTest::addRow("liquid, flow unit %d", i) << 1 << i << fluessig[i];
    QTest::newRow("steam in kg/h") << 2 << 0 << 0;
    QTest::newRow("steam in lb./hr.") << 2 << 1 << 1;
}

void TestHeatExchanger::loadMapsTheFlowUnit()
{
    QFETCH(int, Zustand);
    QFETCH(int, QUnit);
    QFETCH(int, WT_QUnit);
    shared().Zustand = Zustand;
    shared().QUnit = QUnit;
    frmWärmetauscher &w = f.open();
    QCOMPARE(w.wtQUnit(), WT_QUnit);
    QCOMPARE(w.cmbQunit.listIndex(), WT_QUnit);
    // 69.67 kW at r 2178: 135.5 kg/h, or 135.478 / 0.454 lb./hr.
    QCOMPARE(w.lblQnorm.caption(), zahl(WT_QUnit == 0 ? "135.5" : "298.4"));
}

void TestHeatExchanger::loadShowsTheSwitchedColumns_data()
{
    QTest::addColumn<bool>("MIN");
    QTest::addColumn<bool>("NORM");
    QTest::newRow("all three") << true << true;
    QTest::newRow("norm and max") << false << true;
    QTest::newRow("min and max") << true << false;
    QTest::newRow("max only") << false << false;
}

void TestHeatExchanger::loadShowsTheSwitchedColumns()
{
    QFETCH(bool, MIN);
    QFETCH(bool, NORM);
    shared().MIN = MIN;
    shared().NORM = NORM;
    frmWärmetauscher &w = f.open();
    QCOMPARE(w.chkMin.value(), MIN ? 1 : 0);
    QCOMPARE(w.chkNorm.value(), NORM ? 1 : 0);
    QCOMPARE(w.wtMin(), MIN);
    QCOMPARE(w.wtNorm(), NORM);
    for (int k = 0; k < 3; ++k)
        for (const QString &n : spalte(k))
            QVERIFY2(w.control(n)->visible() == (k == 0 ? MIN : k == 1 ? NORM : true), qPrintable(n));
    QVERIFY(w.txtCpMax.visible());
    // A hidden column is computed all the same.
    QCOMPARE(gezeigt(w, kLeistungen), zahlen({"46.44", "69.67", "92.89"}));
}

void TestHeatExchanger::loadWithAGivenPower()
{
    shared().WTcalc = false;
    shared().WTLeistungMax = 100.25;
    frmWärmetauscher &w = f.open();
    QVERIFY(w.optWTVorgabe.value());
    QVERIFY(!w.wtBerechnet());
    QCOMPARE(shared().WTDruck_WTcalc, Variant(false));
    // The stored powers as plain numbers; each computes its column's flow.
    QCOMPARE(gezeigt(w, kLeistungen), zahlen({"25", "50", "100.25"}));
    // 50 / 2178 / 0.85 * 3600 = 97.23 kg/h.
    QCOMPARE(w.lblQnorm.caption(), zahl("97.23"));
    QVERIFY(w.txtWTLeistungMin.enabled() && w.txtWTLeistungNorm.enabled() && w.txtWTLeistungMax.enabled());
    for (Control *c : std::initializer_list<Control *>{&w.txtMmin, &w.txtMnorm, &w.txtMmax, &w.cmbMunit, &w.txtCpMax,
                                                       &w.txtDeltaTmin, &w.txtDeltaTnorm, &w.txtDeltaTmax,
                                                       &w.txtTaufheizMin, &w.txtTaufheizNorm, &w.txtTaufheizMax,
                                                       &w.cmbZeitUnit})
        QVERIFY2(!c->enabled(), qPrintable(c->name()));
    QVERIFY(w.cmdÜbernehmen.enabled());
    QCOMPARE(f.loadBeeps, 0);
}

void TestHeatExchanger::powerFromTheLiquid_data()
{
    QTest::addColumn<int>("Munit");
    QTest::addColumn<int>("T1Unit");
    QTest::addColumn<int>("ZeitUnit");
    QTest::addColumn<QStringList>("eingaben"); // max column: mass, rise, time
    QTest::addColumn<QString>("leistung");
    QTest::newRow("1000 kg, 60 K, 1 h") << 0 << 0 << 2 << QStringList{"1000", "60", "1"} << "69.67";
    QTest::newRow("the same in seconds") << 0 << 0 << 0 << QStringList{"1000", "60", "3600"} << "69.67";
    // 1000 * 0.454 * 4.18 * 60 / 3600.
    QTest::newRow("1000 lb., 108 F, 60 min.") << 1 << 1 << 1 << QStringList{"1000", "108", "60"} << "31.63";
    QTest::newRow("a small batch") << 0 << 0 << 0 << QStringList{"0.5", "2.5", "90"} << "0.05806";
}

void TestHeatExchanger::powerFromTheLiquid()
{
    QFETCH(int, Munit);
    QFETCH(int, T1Unit);
    QFETCH(int, ZeitUnit);
    QFETCH(QStringList, eingaben);
    QFETCH(QString, leistung);
    shared().Munit = Munit;
    shared().T1Unit = T1Unit;
    shared().ZeitUnit = ZeitUnit;
    frmWärmetauscher &w = f.open();
    eingeben(w, {"txtMmax=" + eingaben[0], "txtDeltaTmax=" + eingaben[1], "txtTaufheizMax=" + eingaben[2]});
    QCOMPARE(w.txtWTLeistungMax.text(), zahl(leistung.toLatin1().constData()));
    QCOMPARE(f.ui.beepCount(), 0);
    QVERIFY(w.cmdÜbernehmen.enabled());
}

void TestHeatExchanger::steamFlowFromPowerAndEnthalpy_data()
{
    QTest::addColumn<int>("QUnit");
    QTest::addColumn<QString>("leistung");
    QTest::addColumn<QString>("enthalpie");
    QTest::addColumn<QString>("strom");
    // 100 / 2000 / 0.85 * 3600 = 211.76 kg/h; / 0.454 = 466.4 lb./hr.
    QTest::newRow("100 kW at 2000 kJ/kg in kg/h") << 0 << "100" << "2000" << "211.8";
    QTest::newRow("100 kW at 2000 kJ/kg in lb./hr.") << 1 << "100" << "2000" << "466.4";
    QTest::newRow("no enthalpy above the critical pressure") << 0 << "100" << "0" << "--";
    QTest::newRow("power not computed") << 0 << "--" << "2000" << "--";
    QTest::newRow("enthalpy not computed") << 0 << "100" << "--" << "--";
    QTest::newRow("power blank") << 0 << "" << "2000" << "--";
    QTest::newRow("a flow too large for a number") << 0 << "1e305" << "0.001" << "--";
    QTest::newRow("power 0") << 0 << "0" << "2000" << "0";
}

void TestHeatExchanger::steamFlowFromPowerAndEnthalpy()
{
    QFETCH(int, QUnit);
    QFETCH(QString, leistung);
    QFETCH(QString, enthalpie);
    QFETCH(QString, strom);
    shared().WTcalc = false;
    shared().QUnit = QUnit;
    frmWärmetauscher &w = f.open();
    eingeben(w, {"lblVerdEnthalpieMax=" + enthalpie, "txtWTLeistungMax=" + leistung});
    QCOMPARE(w.lblQmax.caption(), zahl(strom.toLatin1().constData()));
    // Whichever of the two changes, the flow follows.
    eingeben(w, {"txtWTLeistungMax=12345", "lblVerdEnthalpieMax=" + enthalpie, "txtWTLeistungMax=" + leistung});
    QCOMPARE(w.lblQmax.caption(), zahl(strom.toLatin1().constData()));
    // The flow beeps at nothing; the hand-over is on exactly while the column has a flow.
    QCOMPARE(f.ui.beepCount(), 0);
    QCOMPARE(w.cmdÜbernehmen.enabled(), strom != QLatin1String("--"));
}

// Saturation temperature and enthalpy of vaporisation of water after the steam tables (IAPWS-IF97), against the
// dialog's correlations: the temperature within 0.2 K, the enthalpy within 1.5 %.
void TestHeatExchanger::steamTablesHandCheck_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<double>("tsat");
    QTest::addColumn<double>("r");
    QTest::newRow("1 bar") << "1" << 99.61 << 2257.5;
    QTest::newRow("2 bar") << "2" << 120.21 << 2201.6;
    QTest::newRow("4 bar") << "4" << 143.61 << 2133.4;
    QTest::newRow("6 bar") << "6" << 158.83 << 2085.8;
    QTest::newRow("10 bar") << "10" << 179.88 << 2014.6;
    QTest::newRow("20 bar") << "20" << 212.38 << 1889.8;
}

void TestHeatExchanger::steamTablesHandCheck()
{
    QFETCH(QString, bar);
    QFETCH(double, tsat);
    QFETCH(double, r);
    frmWärmetauscher &w = f.open();
    eingeben(w, {"txtp1max=" + bar, "txtp2max=" + bar});
    const Variant t(w.lblT1max.caption());
    const Variant h(w.lblVerdEnthalpieMax.caption());
    QVERIFY2(t.isNumeric() && std::abs(t.toDouble() - tsat) <= 0.2, qPrintable(w.lblT1max.caption()));
    QVERIFY2(h.isNumeric() && std::abs(h.toDouble() - r) <= 0.015 * r, qPrintable(w.lblVerdEnthalpieMax.caption()));
}

// 1000 kg of water heated by 60 K in 1 h need 1000 * 4.18 * 60 / 3600 = 69.67 kW; with the tables' 2201.6 kJ/kg at
// 2 bar abs. that is 134.0 kg/h of steam, the dialog's correlation (2178 kJ/kg, -1.1 %) gives 135.5 kg/h.
void TestHeatExchanger::workedCaseAgainstTheSteamTables()
{
    frmWärmetauscher &w = f.open();
    eingeben(w, {"txtp1max=6", "txtp2max=2", "txtMmax=1000", "txtDeltaTmax=60", "txtTaufheizMax=1"});
    QCOMPARE(w.lblT1max.caption(), zahl("158.9"));
    QCOMPARE(w.lblVerdEnthalpieMax.caption(), QStringLiteral("2178"));
    QCOMPARE(w.txtWTLeistungMax.text(), zahl("69.67"));
    QCOMPARE(w.lblQmax.caption(), zahl("135.5"));
    const double tabellen = 69.67 / 2201.6 / 0.85 * 3600;
    QCOMPARE(QString::number(tabellen, 'f', 1), QStringLiteral("134.0"));
    QVERIFY(std::abs(Variant(w.lblQmax.caption()).toDouble() / tabellen - 1) < 0.012);
}

void TestHeatExchanger::pressuresAtTheEdgesGiveFiniteLabels_data()
{
    QTest::addColumn<QString>("druck");
    QTest::addColumn<QString>("tsat");
    QTest::addColumn<QString>("r");
    QTest::addColumn<QString>("strom");
    // Below the triple point 0.01 °C and 2501 kJ/kg; at and above the critical point 374.15 °C and no enthalpy. No
    // steam case has such a pressure: the hand-over stays off, but a number is no entry error and does not beep.
    QTest::newRow("0") << "0" << "0.01000" << "2501" << "23.78";
    QTest::newRow("-5") << "-5" << "0.01000" << "2501" << "23.78";
    QTest::newRow("1e300") << "1e300" << "374.2" << "0" << "--";
    QTest::newRow("250") << "250" << "374.2" << "0" << "--";
}

void TestHeatExchanger::pressuresAtTheEdgesGiveFiniteLabels()
{
    QFETCH(QString, druck);
    QFETCH(QString, tsat);
    QFETCH(QString, r);
    QFETCH(QString, strom);
    shared().WTcalc = false;
    frmWärmetauscher &w = f.open();
    // 14.04 kW: 14.04 / 2501 / 0.85 * 3600 = 23.78 kg/h.
    eingeben(w, {"txtWTLeistungMax=14.04", "txtp1max=" + druck, "txtp2max=" + druck});
    QCOMPARE(w.lblT1max.caption(), zahl(tsat.toLatin1().constData()));
    QCOMPARE(w.lblVerdEnthalpieMax.caption(), r);
    QCOMPARE(w.lblQmax.caption(), zahl(strom.toLatin1().constData()));
    QCOMPARE(f.ui.beepCount(), 0);
    QVERIFY(!w.cmdÜbernehmen.enabled());
}

void TestHeatExchanger::unitListsRewriteTheShownValues_data()
{
    QTest::addColumn<QStringList>("vorher"); // entries before the switch
    QTest::addColumn<QString>("liste");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("namen");
    QTest::addColumn<QStringList>("texte");

    // 10 K are 18 °F, 100 °C are 212 F; the powers stay as they were.
    QTest::newRow("°C to F") << QStringList{"txtDeltaTmax=10", "lblT1max=100"} << "cmbT1unit" << 1
                             << QStringList{"txtDeltaTmin", "txtDeltaTmax", "lblT1max", "lblTunit",
                                            "txtWTLeistungMin", "txtWTLeistungMax"}
                             << QStringList{"72.0", "18.0", "212.0", "F", "46.44", "11.61"};
    // 1000 kg / 0.454 = 2202.6 lb.; the power computed again from 2203 lb. = 1000.16 kg: 69.68 kW.
    QTest::newRow("kg to lb.") << QStringList{} << "cmbMunit" << 1
                               << QStringList{"txtMmin", "txtMnorm", "txtMmax", "txtWTLeistungMin",
                                              "txtWTLeistungNorm", "txtWTLeistungMax"}
                               << QStringList{"1101", "2203", "4405", "46.43", "69.68", "92.88"};
    QTest::newRow("h to min.") << QStringList{} << "cmbZeitUnit" << 1
                               << QStringList{"txtTaufheizMin", "txtTaufheizNorm", "txtTaufheizMax",
                                              "txtWTLeistungNorm"}
                               << QStringList{"30.00", "60.00", "120.0", "69.67"};
    // 6 bar / 0.06894757 = 87.02 psia, which is 6.000 bar again: the saturation temperature stays.
    QTest::newRow("bar,abs. to psia") << QStringList{} << "cmbP1unit" << 2
                                      << QStringList{"txtp1min", "txtp1norm", "txtp1max", "lblT1norm"}
                                      << QStringList{"58.02", "87.02", "145.0", "158.9"};
    // 2 bar abs. are 0.98675 bar,ü.: the enthalpy stays.
    QTest::newRow("bar,abs. to bar,ü.") << QStringList{} << "cmbP2unit" << 1
                                        << QStringList{"txtp2min", "txtp2norm", "txtp2max", "lblVerdEnthalpieNorm"}
                                        << QStringList{"-0.01325", "0.9868", "1.987", "2178"};
    // 135.5 kg/h / 0.454.
    QTest::newRow("kg/h to lb./hr.") << QStringList{} << "cmbQunit" << 1 << QStringList{"lblQnorm"}
                                     << QStringList{"298.5"};
    // 0 kPa,abs. lies below the triple point: 0.01 °C.
    QTest::newRow("a text that is no number becomes 0") << QStringList{"txtp1max=abc"} << "cmbP1unit" << 6
                                                        << QStringList{"txtp1max", "lblT1max", "txtp1norm"}
                                                        << QStringList{"0", "0.01000", "600.0"};
    QTest::newRow("a mass that is no number becomes 0") << QStringList{"txtMmax=abc"} << "cmbMunit" << 1
                                                        << QStringList{"txtMmax", "txtWTLeistungMax"}
                                                        << QStringList{"0", "0"};
    // A result that could not be computed is no 0 in another unit.
    QTest::newRow("a missing flow stays missing") << QStringList{"txtTaufheizMax=0"} << "cmbQunit" << 1
                                                  << QStringList{"lblQmax", "lblQnorm"}
                                                  << QStringList{"--", "298.5"};
    QTest::newRow("a missing temperature stays missing") << QStringList{"txtp1max="} << "cmbT1unit" << 1
                                                         << QStringList{"lblT1max", "lblT1min"}
                                                         << QStringList{"--", "290.5"};
}

void TestHeatExchanger::unitListsRewriteTheShownValues()
{
    QFETCH(QStringList, vorher);
    QFETCH(QString, liste);
    QFETCH(int, position);
    QFETCH(QStringList, namen);
    QFETCH(QStringList, texte);
    frmWärmetauscher &w = f.open();
    eingeben(w, vorher);
    auto *list = dynamic_cast<ComboBox *>(w.control(liste));
    QVERIFY(list);
    list->userPick(position);
    QCOMPARE(gezeigt(w, namen), zahlen(texte));
    const QList<int> indices{w.wtP1Unit(), w.wtP2Unit(), w.wtTUnit(), w.wtMunit(), w.wtZeitUnit(), w.wtQUnit()};
    const QStringList listen{"cmbP1unit", "cmbP2unit", "cmbT1unit", "cmbMunit", "cmbZeitUnit", "cmbQunit"};
    QCOMPARE(indices.at(listen.indexOf(liste)), position);
}

void TestHeatExchanger::entriesThatAreNoNumbers_data()
{
    QTest::addColumn<QStringList>("schritte");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QStringList>("namen");
    QTest::addColumn<QStringList>("texte");
    QTest::addColumn<bool>("uebernahme");

    QTest::newRow("p1 blank") << QStringList{"txtp1max="} << 1 << QStringList{"lblT1max"} << QStringList{"--"}
                              << false;
    QTest::newRow("p1 letters") << QStringList{"txtp1norm=abc"} << 1 << QStringList{"lblT1norm"}
                                << QStringList{"--"} << false;
    QTest::newRow("p2 letters") << QStringList{"txtp2max=x"} << 1 << QStringList{"lblVerdEnthalpieMax", "lblQmax"}
                                << QStringList{"--", "--"} << false;
    QTest::newRow("mass blank") << QStringList{"txtMmax="} << 1 << QStringList{"txtWTLeistungMax", "lblQmax"}
                                << QStringList{"--", "--"} << false;
    QTest::newRow("rise letters") << QStringList{"txtDeltaTmin=abc"} << 1
                                  << QStringList{"txtWTLeistungMin", "lblQmin"} << QStringList{"--", "--"} << false;
    QTest::newRow("time 0 in max") << QStringList{"txtTaufheizMax=0"} << 1
                                   << QStringList{"txtWTLeistungMax", "lblQmax", "txtWTLeistungNorm"}
                                   << QStringList{"--", "--", "69.67"} << false;
    QTest::newRow("time below 0") << QStringList{"txtTaufheizNorm=-1"} << 1
                                  << QStringList{"txtWTLeistungNorm", "lblQnorm"} << QStringList{"--", "--"}
                                  << false;
    QTest::newRow("cp cleared") << QStringList{"txtCpMax="} << 1
                                << QStringList{"txtWTLeistungMin", "txtWTLeistungNorm", "txtWTLeistungMax",
                                               "lblQmin", "lblQnorm", "lblQmax"}
                                << QStringList{"--", "--", "--", "--", "--", "--"} << false;
    QTest::newRow("cp typed again") << QStringList{"txtCpMax=", "txtCpMax=4.18"} << 1 << kLeistungen
                                    << QStringList{"46.44", "69.67", "92.89"} << true;
    QTest::newRow("mass typed while cp is blank") << QStringList{"txtCpMax=", "txtMmax=1000"} << 1
                                                  << QStringList{"txtWTLeistungMax"} << QStringList{"--"} << false;
    // A time of 0 stays refused when another field of its column is typed.
    QTest::newRow("time 0, then the mass") << QStringList{"txtTaufheizMax=0", "txtMmax=1000"} << 1
                                           << QStringList{"txtWTLeistungMax", "lblQmax"} << QStringList{"--", "--"}
                                           << false;
    // A power from a blank field would be a number without meaning.
    QTest::newRow("rise blank, then the mass") << QStringList{"txtDeltaTmax=", "txtMmax=1000"} << 1
                                               << QStringList{"txtWTLeistungMax", "lblQmax"}
                                               << QStringList{"--", "--"} << false;
    QTest::newRow("rise blank, then cp") << QStringList{"txtDeltaTmax=", "txtCpMax=4.2"} << 1 << kLeistungen
                                         << QStringList{"46.67", "70.00", "--"} << false;
    QTest::newRow("a power too large for a number") << QStringList{"txtCpMax=1e300", "txtMmax=1e300"} << 0
                                                    << QStringList{"txtWTLeistungMax", "lblQmax"}
                                                    << QStringList{"--", "--"} << false;
    // A good entry elsewhere leaves the hand-over off while a shown column lacks a value.
    QTest::newRow("p1 blank, then p2 fine") << QStringList{"txtp1max=", "txtp2max=2"} << 1
                                            << QStringList{"lblT1max", "lblVerdEnthalpieMax"}
                                            << QStringList{"--", "2178"} << false;
    // Typed key by key, a pressure passes numbers without saturated steam (0 and 0. bar abs.): no beep.
    QTest::newRow("p1 typed as 0, 0., 0.5") << QStringList{"txtp1max=0", "txtp1max=0.", "txtp1max=0.5"} << 0
                                            << QStringList{"txtp1max"} << QStringList{"0.5"} << true;
    QTest::newRow("p2 typed as 0, 0., 0.2") << QStringList{"txtp2norm=0", "txtp2norm=0.", "txtp2norm=0.2"} << 0
                                            << QStringList{"txtp2norm"} << QStringList{"0.2"} << true;
    QTest::newRow("p1 left at 0.") << QStringList{"txtp1max=0", "txtp1max=0."} << 0 << QStringList{"txtp1max"}
                                   << QStringList{"0."} << false;
    // With the power given, mass, rise and time compute nothing.
    QTest::newRow("given power: mass letters") << QStringList{"opt:Vorgabe", "txtMmax=abc", "txtTaufheizMax=0"} << 0
                                               << QStringList{"txtWTLeistungMax"} << QStringList{"92.89"} << true;
    // 100 / 2178 / 0.85 * 3600.
    QTest::newRow("given power typed") << QStringList{"opt:Vorgabe", "txtWTLeistungMax=100", "txtp2max=2"} << 0
                                       << QStringList{"lblQmax"} << QStringList{"194.5"} << true;
}

// The entries typed in order; then the beeps, what the named controls show and whether "Daten übernehmen" is on.
void TestHeatExchanger::entriesThatAreNoNumbers()
{
    QFETCH(QStringList, schritte);
    QFETCH(int, beeps);
    QFETCH(QStringList, namen);
    QFETCH(QStringList, texte);
    QFETCH(bool, uebernahme);
    frmWärmetauscher &w = f.open();
    eingeben(w, schritte);
    QCOMPARE(f.ui.beepCount(), beeps);
    QCOMPARE(gezeigt(w, namen), zahlen(texte));
    QCOMPARE(w.cmdÜbernehmen.enabled(), uebernahme);
}

// A mass, cp, rise or given power below zero is refused as it is typed, like a text that is no number, so that no
// steam flow below zero can be handed over; 0 stays a case of its own.
void TestHeatExchanger::amountsBelowZeroAreRefused_data()
{
    QTest::addColumn<QStringList>("schritte");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QStringList>("namen");
    QTest::addColumn<QStringList>("texte");
    QTest::addColumn<bool>("uebernahme");

    QTest::newRow("mass -1858 in max") << QStringList{"txtMmax=-1858"} << 1
                                       << QStringList{"txtWTLeistungMax", "lblQmax"} << QStringList{"--", "--"}
                                       << false;
    QTest::newRow("a fall of temperature") << QStringList{"txtMmax=1000", "txtDeltaTmax=-60", "txtTaufheizMax=1"}
                                           << 1 << QStringList{"txtWTLeistungMax", "lblQmax"}
                                           << QStringList{"--", "--"} << false;
    QTest::newRow("cp below zero") << QStringList{"txtCpMax=-4.18"} << 1 << kLeistungen
                                   << QStringList{"--", "--", "--"} << false;
    QTest::newRow("mass below zero, then the rise") << QStringList{"txtMnorm=-1", "txtDeltaTnorm=50"} << 1
                                                    << QStringList{"txtWTLeistungNorm", "lblQnorm"}
                                                    << QStringList{"--", "--"} << false;
    QTest::newRow("given power below zero") << QStringList{"opt:Vorgabe", "txtWTLeistungMax=-100"} << 1
                                            << QStringList{"lblQmax"} << QStringList{"--"} << false;
    // 100 / 2178 / 0.85 * 3600.
    QTest::newRow("given power below zero, then mended")
        << QStringList{"opt:Vorgabe", "txtp2max=2", "txtWTLeistungMax=-100", "txtWTLeistungMax=100"} << 1
        << QStringList{"lblQmax"} << QStringList{"194.5"} << true;
    QTest::newRow("mass of 0") << QStringList{"txtMmax=0"} << 0 << QStringList{"txtWTLeistungMax", "lblQmax"}
                               << QStringList{"0", "0"} << true;
}

// Same columns and checks as entriesThatAreNoNumbers.
void TestHeatExchanger::amountsBelowZeroAreRefused()
{
    entriesThatAreNoNumbers();
}

// "Daten übernehmen" is on exactly while its click would hand every shown column over: whatever brought the values
// (a project, an entry, a column switch, the power option), one shown column without a steam flow or without
// saturated steam keeps it off, and a hidden column does not count.
void TestHeatExchanger::handOverOnlyWhileEveryShownColumnIsWhole_data()
{
    QTest::addColumn<QStringList>("gespeichert"); // shared values before the dialog opens
    QTest::addColumn<QStringList>("schritte");
    QTest::addColumn<bool>("uebernahme");

    QTest::newRow("all columns whole") << QStringList{} << QStringList{} << true;
    QTest::newRow("project: mass below zero in the min column") << QStringList{"Mmin=-500"} << QStringList{}
                                                                << false;
    QTest::newRow("project: the same, min column off") << QStringList{"Mmin=-500", "MIN=0"} << QStringList{}
                                                       << true;
    QTest::newRow("project: the same, min column switched on") << QStringList{"Mmin=-500", "MIN=0"}
                                                               << QStringList{"chk:min"} << false;
    QTest::newRow("project: given power below zero in the norm column")
        << QStringList{"WTcalc=0", "WTLeistungNorm=-100"} << QStringList{} << false;
    const QStringList vorgabe{"opt:Vorgabe", "txtWTLeistungMin=-100", "txtWTLeistungMax=100"};
    QTest::newRow("given: a good power typed while the min column holds -100") << QStringList{} << vorgabe << false;
    QTest::newRow("given: the same, min column switched off") << QStringList{} << vorgabe + QStringList{"chk:min"}
                                                              << true;
    QTest::newRow("given: the same, min power mended") << QStringList{} << vorgabe + QStringList{"txtWTLeistungMin=25"}
                                                       << true;
    QTest::newRow("computed again: the powers from the liquid") << QStringList{}
                                                                << vorgabe + QStringList{"opt:berechnet"} << true;
    QTest::newRow("given: a power the mass left out") << QStringList{"Mnorm=-1"} << QStringList{"opt:Vorgabe"}
                                                      << false;
    QTest::newRow("given: that power typed") << QStringList{"Mnorm=-1"}
                                             << QStringList{"opt:Vorgabe", "txtWTLeistungNorm=50"} << true;
    // 0 bar abs. is below the triple point: no saturated steam, although the labels show numbers.
    QTest::newRow("project: time 0 in the max column") << QStringList{"TaufheizMax=0"} << QStringList{} << false;
    QTest::newRow("project: time 0 in the min column, switched on") << QStringList{"TaufheizMin=0", "MIN=0"}
                                                                    << QStringList{"chk:min"} << false;
    QTest::newRow("p2 without saturated steam in the norm column") << QStringList{} << QStringList{"txtp2norm=0"}
                                                                   << false;
    QTest::newRow("the same, norm column switched off") << QStringList{} << QStringList{"txtp2norm=0", "chk:norm"}
                                                        << true;
}

void TestHeatExchanger::handOverOnlyWhileEveryShownColumnIsWhole()
{
    QFETCH(QStringList, gespeichert);
    QFETCH(QStringList, schritte);
    QFETCH(bool, uebernahme);
    SharedData &d = shared();
    const std::map<QString, double *> zahlen{{"Mmin", &d.Mmin}, {"Mnorm", &d.Mnorm},
                                             {"WTLeistungNorm", &d.WTLeistungNorm}, {"TaufheizMin", &d.TaufheizMin},
                                             {"TaufheizMax", &d.TaufheizMax}};
    const std::map<QString, bool *> schalter{{"MIN", &d.MIN}, {"WTcalc", &d.WTcalc}};
    for (const QString &wert : gespeichert) {
        const QString name = wert.section('=', 0, 0);
        const double zahl = wert.section('=', 1).toDouble();
        if (zahlen.count(name))
            *zahlen.at(name) = zahl;
        else
            *schalter.at(name) = zahl != 0;
    }
    frmWärmetauscher &w = f.open();
    eingeben(w, schritte);
    QCOMPARE(w.cmdÜbernehmen.enabled(), uebernahme);
    // What the button says is what its click does.
    w.cmdÜbernehmen.userClick();
    QCOMPARE(f.sheetLoads.size(), std::size_t(uebernahme ? 1 : 0));
    QCOMPARE(frmWärmetauscherInstance().isLoaded(), !uebernahme);
}

void TestHeatExchanger::hiddenColumnsKeepTheirValues()
{
    frmWärmetauscher &w = f.open();
    const QStringList minSpalte = spalte(0);
    const QStringList vorher = gezeigt(w, minSpalte);
    w.chkMin.userClick();
    QVERIFY(!w.wtMin());
    for (const QString &n : minSpalte)
        QVERIFY2(!w.control(n)->visible(), qPrintable(n));
    QCOMPARE(gezeigt(w, minSpalte), vorher);
    // Hidden, the column still follows cp.
    eingeben(w, {"txtCpMax=2.09"});
    QCOMPARE(w.txtWTLeistungMin.text(), zahl("23.22"));
    w.chkMin.userClick();
    QVERIFY(w.wtMin());
    for (const QString &n : minSpalte)
        QVERIFY2(w.control(n)->visible(), qPrintable(n));
    w.chkNorm.userClick();
    QVERIFY(!w.wtNorm() && !w.lblQnorm.visible() && w.lblQmax.visible());
    QCOMPARE(f.ui.beepCount(), 0);
    QCOMPARE(shared().MIN, true);
}

void TestHeatExchanger::powerOptionsSwapInputsAndResults()
{
    frmWärmetauscher &w = f.open();
    w.optWTVorgabe.userClick();
    QVERIFY(!w.wtBerechnet());
    QCOMPARE(shared().WTDruck_WTcalc, Variant(false));
    // The powers stay for editing.
    QCOMPARE(gezeigt(w, kLeistungen), zahlen({"46.44", "69.67", "92.89"}));
    QVERIFY(w.txtWTLeistungNorm.enabled() && !w.txtMnorm.enabled() && !w.cmbMunit.enabled());
    eingeben(w, {"txtWTLeistungNorm=5"});
    // With the power given, the temperature unit rewrites the rises and leaves powers and flows.
    const QStringList stroeme = gezeigt(w, kStroeme);
    w.cmbT1unit.userPick(1);
    QCOMPARE(w.txtDeltaTnorm.text(), QStringLiteral("108"));
    QCOMPARE(gezeigt(w, kLeistungen), zahlen({"46.44", "5", "92.89"}));
    QCOMPARE(gezeigt(w, kStroeme), stroeme);
    // Back to computed: all three powers at once, in the unit now shown (108 F is 60 K).
    w.optWTberechnet.userClick();
    QVERIFY(w.wtBerechnet());
    QCOMPARE(shared().WTDruck_WTcalc, Variant(true));
    QCOMPARE(gezeigt(w, kLeistungen), zahlen({"46.44", "69.67", "92.89"}));
    QVERIFY(!w.txtWTLeistungNorm.enabled() && w.txtMnorm.enabled() && w.cmbZeitUnit.enabled());
    QCOMPARE(f.ui.beepCount(), 0);
}

void TestHeatExchanger::enteringAFieldSelectsItsText()
{
    frmWärmetauscher &w = f.open();
    const QStringList eingaben = {"txtp1min", "txtp1norm", "txtp1max", "txtp2min", "txtp2norm", "txtp2max",
                                  "txtMmin", "txtMnorm", "txtMmax", "txtCpMax", "txtDeltaTmin", "txtDeltaTnorm",
                                  "txtDeltaTmax", "txtTaufheizMin", "txtTaufheizNorm", "txtTaufheizMax"};
    auto pruefen = [&](const QStringList &namen) {
        for (const QString &n : namen) {
            TextBox &box = feld(w, n);
            box.setSelStart(1);
            QVERIFY2(box.setFocus(), qPrintable(n));
            QCOMPARE(box.selStart(), 0);
            QCOMPARE(box.selLength(), static_cast<int>(box.text().size()));
            QVERIFY(box.selLength() > 0);
        }
    };
    pruefen(eingaben);
    w.optWTVorgabe.userClick();
    pruefen(kLeistungen);
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestHeatExchanger)
#include "test_heat_exchanger.moc"
