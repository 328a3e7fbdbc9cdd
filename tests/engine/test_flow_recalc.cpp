// The flow recalculation and the flow sheet's validation: messages and focus, the saturation limit, the valve row
// lookup, flows that agree with the flow equations called directly, pipe passes, label formats and the runs that
// cannot compute a flow. A headless flow sheet and main window made of form-runtime controls, and a small
// catalogue and noise database in a temporary folder.

#include "engine/flow_equations.h"
#include "engine/flow_recalc.h"
#include "engine/flow_sheet_access.h"
#include "engine/flow_validation.h"
#include "engine/main_window_access.h"
#include "engine/pipe_velocity.h"
#include "engine/water_steam.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/forms.h"
#include "platform/forms/scripted_ui_services.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"
#include "support/program_state.h"
#include "support/stand_in_windows.h"
#include "units/conversions.h"
#include "units/number_format.h"
#include "units/texts.h"

#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <cmath>

namespace {

using testsupport::FlowSheetStub;
using testsupport::kLinear;

struct ValveRow {
    int DN;
    QString inch;
    int Kennlinie;
    float Kvs;
    std::array<double, 6> a;
    std::array<double, 3> fl;
    std::array<double, 3> xt;
    QString Schalldaten;
};

const std::array<double, 6> kEqualPct = testsupport::kEqualPercentage;

// Rows in size and Kvs order; a0 differs in the last digit so that a test sees which row was read.
std::vector<ValveRow> series()
{
    return {
        {15, "1/2\"", 1, 2.5f, {0.021, 0.1, 0.3, 0.579, 0, 0}, {0.9, 0, 0}, {0.7, 0, 0}, "S1"},
        {25, "1\"", 0, 10.0f, kLinear, {0.85, 0.05, 0}, {0.6, 0.05, 0}, "S1"},
        {25, "1\"", 1, 6.3f, {0.023, 0.1, 0.3, 0.577, 0, 0}, {0.9, 0, 0}, {0.7, 0, 0}, "S1"},
        {25, "1\"", 1, 10.0f, kEqualPct, {0.92, -0.04, 0.02}, {0.72, -0.05, 0.03}, "S1"},
        {50, "2\"", 1, 40.0f, {0.024, 0.1, 0.3, 0.576, 0, 0}, {0.9, 0, 0}, {0.5, 0, 0}, "S1"},
        {50, "2\"", 0, 40.0f, {0, 1, 0, 0, 0, 0}, {0.9, 0, 0}, {0.5, 0, 0}, "SEQ"},
    };
}

std::vector<testsupport::CatalogueRow> catalogueRows(const std::vector<ValveRow> &rows)
{
    std::vector<testsupport::CatalogueRow> catalogue;
    for (const ValveRow &r : rows)
        catalogue.push_back({r.DN, r.inch, r.Kennlinie, r.Kvs, 0.0f, 50.0, r.a, r.fl, r.xt, r.Schalldaten});
    return catalogue;
}

// Everything a flow run needs, installed for the lifetime of the object; starts as water through DN 25, Kvs 10.
class Fixture {
public:
    Fixture() : scope(ui)
    {
        testsupport::resetProgramState();
        testsupport::installCatalogue(dir.path(), "TEST", catalogueRows(series()), testsupport::flatNoiseRows(0.5));
        SharedData &s = shared();
        s.Modus = 1;
        s.Medium = 1;
        s.Zustand = 1;
        s.Kennlinie = 1;
        s.DNVentil = "25";
        s.KvsCv = 10.0f;
        s.chkDNRohr = 0;
        setActiveFlowSheet(&sheet.access);
        setMainWindowAccess(&window.access);
        sheet.showInputs(10, 6, 20, 70);
    }
    ~Fixture() { testsupport::resetProgramState(); }

    void air()
    {
        SharedData &s = shared();
        s.Medium = 0;
        s.Zustand = 0;
        s.rhoN = 1.293;
        s.gammaMax = 1.4;
    }
    void steam(double T1)
    {
        SharedData &s = shared();
        s.Medium = 2;
        s.Zustand = 2;
        sheet.showInputs(10, 6, T1, 70);
    }
    QString status() const { return window.StatusBar.text(); }

    QTemporaryDir dir;
    ScriptedUiServices ui;
    UiServicesScope scope;
    testsupport::MainWindowStub window;
    FlowSheetStub sheet;
};

QString z3(double v)
{
    return formatZahl3(Variant(v)).toString();
}

QString prefixed(const char *key)
{
    return getText("Berechnung nicht aktualisiert", 0) + ": " + getText(QString::fromUtf8(key), 0);
}

// The flow of the fixture's row through calcQ_inkomp or calcQ_komp with the shared data as the run left it.
double directFlow(const ValveRow &r, double y)
{
    SharedData &s = shared();
    const double kv = flow::curveKv(r.Kvs, r.a[0], r.a[1], r.a[2], r.a[3], r.a[4], r.a[5], y);
    const Variant dn(s.DNVentil), d1(s.DN1Rohr), d2(s.DN2Rohr);
    if (s.Zustand == 1) {
        bool choked = false;
        return calcQ_inkomp(s.Medium, Variant(kv), 0, Variant(flow::curveFL(r.fl[0], r.fl[1], r.fl[2], y)), dn, d1,
                            d2, 0, Variant(s.p1Max), s.p1Unit, Variant(s.p2Max), s.p2Unit, Variant(s.pkrit),
                            Variant(s.psatMax), s.pUnit, Variant(s.rho1Max), s.rhoUnit, Variant(s.nueMax),
                            s.nueUnit, s.QUnit, choked)
            .asNumber();
    }
    return calcQ_komp(Variant(kv), 0, Variant(flow::curveXT(r.xt[0], r.xt[1], r.xt[2], y)), dn, d1, d2, 0,
                      Variant(s.p1Max), s.p1Unit, Variant(s.p2Max), s.p2Unit, Variant(s.rho1Max), Variant(s.rhoN),
                      s.rhoUnit, Variant(s.gammaMax), s.Zustand, s.QUnit)
        .asNumber();
}

bool allFinite()
{
    const SharedData &s = shared();
    for (double v : {s.QMax, s.Kvmax, s.FLMax, s.XTMax, s.XMax, s.v1Max, s.v2Max, s.zyMax, s.xFMax, s.rho1Max,
                     s.nueMax, s.psatMax, s.gammaMax, s.pkrit, s.T1Max, s.yMax})
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

class TestFlowRecalc : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { numtext::resetUserLocale(); }

    void validation_data();
    void validation();
    void openingWithDecimalComma();
    void failedValidationLeavesResults();
    void saturationLimit_data();
    void saturationLimit();
    void rowLookup_data();
    void rowLookup();
    void noMatchingRow_data();
    void noMatchingRow();
    void flowAgreesWithEquations_data();
    void flowAgreesWithEquations();
    void pipeSizes();
    void chokedFlowAtEquality_data();
    void chokedFlowAtEquality();
    void noFlowIsNeitherChokedNorCavitating_data();
    void noFlowIsNeitherChokedNorCavitating();
    void cavitationAndMissingNoiseTable();
    void xFAboveOne();
    void printEntries_data();
    void printEntries();
    void degenerateInputsStayFinite_data();
    void degenerateInputsStayFinite();
    void iecWorkedExamples_data();
    void iecWorkedExamples();
    void chokedWhereTheFlowEquationLimitsX_data();
    void chokedWhereTheFlowEquationLimitsX();
    void temperatureAtOrBelowAbsoluteZeroIsRefused_data();
    void temperatureAtOrBelowAbsoluteZeroIsRefused();
    void saturatedTemperatureIsTheShownValue_data();
    void saturatedTemperatureIsTheShownValue();
    void missingNoiseTableIsAFlagOfItsOwn_data();
    void missingNoiseTableIsAFlagOfItsOwn();
    void databaseFailureSpeaksTheScreenLanguage();
};

void TestFlowRecalc::validation_data()
{
    QTest::addColumn<QStringList>("texts"); // p1, p2, T1, opening
    QTest::addColumn<int>("p1Unit");
    QTest::addColumn<int>("medium");
    QTest::addColumn<bool>("loading");
    QTest::addColumn<QString>("message"); // empty: passes
    QTest::addColumn<QString>("focus");   // txtT1max holds the focus beforehand
    QTest::addColumn<double>("yMax");     // 0.37 beforehand

    const QString none;
    QTest::newRow("valid") << QStringList{"10", "6", "20", "50"} << 0 << 1 << false << none << "txtT1max" << 0.5;
    QTest::newRow("opening 100") << QStringList{"10", "6", "20", "100"} << 0 << 1 << false << none << "txtT1max"
                                 << 1.0;
    QTest::newRow("opening 0") << QStringList{"10", "6", "20", "0"} << 0 << 1 << false << none << "txtT1max" << 0.0;
    QTest::newRow("opening 150 stays stored")
        << QStringList{"10", "6", "20", "150"} << 0 << 1 << false << prefixed("Unzulässige Ventilöffnung!")
        << "cmbYmax" << 1.5;
    QTest::newRow("negative opening") << QStringList{"10", "6", "20", "-5"} << 0 << 1 << false
                                      << prefixed("Unzulässige Ventilöffnung!") << "cmbYmax" << -0.05;
    QTest::newRow("opening not numeric") << QStringList{"10", "6", "20", "abc"} << 0 << 1 << false
                                         << prefixed("Kein numerischer Wert!") << "cmbYmax" << 0.37;
    QTest::newRow("T1 not numeric") << QStringList{"10", "6", "", "50"} << 0 << 1 << false
                                    << prefixed("Kein numerischer Wert!") << "txtT1max" << 0.5;
    QTest::newRow("p1 not numeric fails as a pressure")
        << QStringList{"x", "6", "20", "50"} << 0 << 1 << false << prefixed("Druckwert unzulässig!") << "txtp1max"
        << 0.5;
    QTest::newRow("p1 equal to p2: no focus") << QStringList{"6", "6", "20", "50"} << 0 << 1 << false
                                              << prefixed("Druckwert unzulässig!") << "txtT1max" << 0.5;
    QTest::newRow("p2 of 0 bar abs") << QStringList{"6", "0", "20", "50"} << 0 << 1 << false
                                     << prefixed("Druckwert unzulässig!") << "txtp2max" << 0.5;
    QTest::newRow("gauge p1 above absolute p2") << QStringList{"5", "6", "20", "50"} << 1 << 1 << false << none
                                                << "txtT1max" << 0.5;
    QTest::newRow("stale wizard data") << QStringList{"10", "6", "20", "50"} << 0 << 6 << false
                                       << prefixed("Stoffdaten nicht aktuell!") << "txtT1max" << 0.5;
    QTest::newRow("stale data while loading") << QStringList{"10", "6", "20", "50"} << 0 << 5 << true
                                              << prefixed("Stoffdaten nicht aktuell!") << "txtT1max" << 0.5;
    QTest::newRow("last failure wins") << QStringList{"6", "6", "y", "150"} << 0 << 1 << false
                                       << prefixed("Druckwert unzulässig!") << "cmbYmax" << 1.5;
}

void TestFlowRecalc::validation()
{
    QFETCH(QStringList, texts);
    QFETCH(int, p1Unit);
    QFETCH(int, medium);
    QFETCH(bool, loading);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(double, yMax);

    Fixture f;
    SharedData &s = shared();
    s.p1Unit = p1Unit;
    s.Medium = medium;
    f.sheet.txtp1max.setText(texts[0]);
    f.sheet.txtp2max.setText(texts[1]);
    f.sheet.txtT1max.setText(texts[2]);
    f.sheet.cmbYmax.setText(texts[3]);
    s.StoffdatenAktuell = false;
    s.bLadenCalcFlow = loading;
    s.yMax = 0.37;
    f.sheet.txtT1max.setFocus();
    f.window.StatusBar.setText(QString());
    const int beeps = f.ui.beepCount();

    QCOMPARE(checkEingabeDurchfluss(), message.isEmpty());
    QCOMPARE(f.status(), message);
    QCOMPARE(f.sheet.activeControl()->name(), focus);
    QCOMPARE(s.yMax, yMax);
    QCOMPARE(f.ui.beepCount(), beeps);
}

void TestFlowRecalc::openingWithDecimalComma()
{
    numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
    Fixture f;
    f.sheet.cmbYmax.setText("50,5");
    QVERIFY(checkEingabeDurchfluss());
    QCOMPARE(shared().yMax, 0.505);
}

void TestFlowRecalc::failedValidationLeavesResults()
{
    Fixture f;
    calcDurchfluss();
    const double q = shared().QMax;
    const QString shown = f.sheet.lblQmax.caption();
    const int beeps = f.ui.beepCount();
    f.sheet.txtp2max.setText("12");
    calcDurchfluss();
    QCOMPARE(f.status(), prefixed("Druckwert unzulässig!"));
    QCOMPARE(f.ui.beepCount(), beeps + 1);
    QCOMPARE(shared().QMax, q);
    QCOMPARE(f.sheet.lblQmax.caption(), shown);
    QVERIFY(!f.window.mnuDrucken.enabled());
}

void TestFlowRecalc::saturationLimit_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<double>("T1"); // NaN: exactly the saturation temperature
    QTest::addColumn<bool>("limited");
    QTest::addColumn<bool>("german");

    QTest::newRow("water above saturation") << 1 << 200.0 << true << false;
    QTest::newRow("water above saturation, decimal comma") << 1 << 200.0 << true << true;
    QTest::newRow("paper stock above saturation") << 12 << 200.0 << true << false;
    QTest::newRow("water below saturation") << 1 << 150.0 << false << false;
    QTest::newRow("water at saturation") << 1 << qQNaN() << false << false;
    QTest::newRow("steam below saturation") << 2 << 150.0 << true << false;
    QTest::newRow("steam below saturation, decimal comma") << 2 << 150.0 << true << true;
    QTest::newRow("steam above saturation") << 2 << 250.0 << false << false;
    QTest::newRow("liquid from the list is never limited") << 4 << 200.0 << false << false;
}

void TestFlowRecalc::saturationLimit()
{
    QFETCH(int, medium);
    QFETCH(double, T1);
    QFETCH(bool, limited);
    QFETCH(bool, german);
    if (german)
        numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));

    Fixture f;
    SharedData &s = shared();
    s.Medium = medium;
    s.Zustand = medium == 2 ? 2 : 1;
    if (medium == 4) {
        s.rho1Max = 800;
        s.nueMax = 2;
        s.psatMax = 0.1;
        s.pkrit = 40;
    }
    const double ts = calcTsatWasser(Variant(10.0), 0, 0).asNumber();
    f.sheet.showInputs(10, 6, std::isnan(T1) ? 170 : T1, 70);
    if (std::isnan(T1))
        s.T1Max = ts; // the box may show fewer digits
    const double before = s.T1Max;
    const QString textBefore = f.sheet.txtT1max.text();

    calcDurchfluss();

    if (limited) {
        const QString shown = formatZahl4(Variant(ts)).toString();
        QCOMPARE(f.sheet.txtT1max.text(), shown);
        QCOMPARE(f.sheet.t1Changes, 1);
        double stored = 0;
        QVERIFY(numtext::parse(shown, &stored));
        QCOMPARE(s.T1Max, stored);
        // Four significant digits of 179.9 °C: what the box shows reads back as the saturation temperature.
        QVERIFY2(std::abs(s.T1Max - ts) < 0.05, qPrintable(shown));
    } else {
        QCOMPARE(f.sheet.txtT1max.text(), textBefore);
        QCOMPARE(f.sheet.t1Changes, 0);
        QCOMPARE(s.T1Max, before);
    }
    // The handler's "not current" is replaced by the run's own end.
    QCOMPARE(f.status(), getText("Berechnung aktualisiert", 0));
    QVERIFY(f.window.mnuDrucken.enabled());
}

void TestFlowRecalc::rowLookup_data()
{
    QTest::addColumn<int>("DNunit");
    QTest::addColumn<int>("KvUnit");
    QTest::addColumn<QString>("DNVentil");
    QTest::addColumn<float>("KvsCv");
    QTest::addColumn<int>("kennlinie");
    QTest::addColumn<int>("row"); // index into series()

    const float cv10 = static_cast<float>(1.16 * 10.0f);
    QTest::newRow("mm, Kvs") << 0 << 0 << "25" << 10.0f << 1 << 3;
    QTest::newRow("mm, Kvs, other Kvs of the size") << 0 << 0 << "25" << 6.3f << 1 << 2;
    QTest::newRow("mm, Cv") << 0 << 1 << "25" << cv10 << 1 << 3;
    QTest::newRow("inch, Kvs") << 1 << 0 << "1\"" << 10.0f << 1 << 3;
    QTest::newRow("inch, Cv") << 1 << 1 << "1\"" << cv10 << 1 << 3;
    QTest::newRow("linear row of the same size and Kvs") << 0 << 0 << "25" << 10.0f << 0 << 1;
}

void TestFlowRecalc::rowLookup()
{
    QFETCH(int, DNunit);
    QFETCH(int, KvUnit);
    QFETCH(QString, DNVentil);
    QFETCH(float, KvsCv);
    QFETCH(int, kennlinie);
    QFETCH(int, row);

    Fixture f;
    SharedData &s = shared();
    s.DNunit = DNunit;
    s.KvUnit = KvUnit;
    s.DNVentil = DNVentil;
    s.KvsCv = KvsCv;
    s.Kennlinie = kennlinie;
    calcDurchfluss();

    const ValveRow r = series()[row];
    QCOMPARE(f.status(), getText("Berechnung aktualisiert", 0));
    QCOMPARE(s.A0.toDouble(), r.a[0]);
    QCOMPARE(s.CFL.toDouble(), r.fl[2]);
    QCOMPARE(s.rsVentil->field("a0").toDouble(), r.a[0]);
    const double kv = flow::curveKv(KvsCv, r.a[0], r.a[1], r.a[2], r.a[3], r.a[4], r.a[5], 0.7);
    QCOMPARE(s.Kvmax, kv);
    QCOMPARE(s.FLMax, flow::curveFL(r.fl[0], r.fl[1], r.fl[2], 0.7));
}

void TestFlowRecalc::noMatchingRow_data()
{
    QTest::addColumn<QString>("DNVentil");
    QTest::addColumn<float>("KvsCv");
    QTest::addColumn<int>("kennlinie");
    QTest::addColumn<int>("KvUnit");
    QTest::addColumn<bool>("gas");

    QTest::newRow("size not in the series") << "32" << 10.0f << 1 << 0 << false;
    QTest::newRow("Kvs not offered for the size") << "25" << 16.0f << 1 << 0 << false;
    QTest::newRow("characteristic not in the series") << "25" << 10.0f << 2 << 0 << true;
    QTest::newRow("flow-coefficient unit outside its list") << "25" << 10.0f << 1 << 2 << false;
}

void TestFlowRecalc::noMatchingRow()
{
    QFETCH(QString, DNVentil);
    QFETCH(float, KvsCv);
    QFETCH(int, kennlinie);
    QFETCH(int, KvUnit);
    QFETCH(bool, gas);

    Fixture f;
    SharedData &s = shared();
    if (gas)
        f.air();
    calcDurchfluss(); // a good run first: its results must not survive as current
    QVERIFY(s.QMax > 0);
    s.DNVentil = DNVentil;
    s.KvsCv = KvsCv;
    s.Kennlinie = kennlinie;
    s.KvUnit = KvUnit;
    const int beeps = f.ui.beepCount();
    calcDurchfluss();

    QCOMPARE(f.status(), prefixed("Ventil nicht in der Baureihe!"));
    QCOMPARE(f.ui.beepCount(), beeps + 1);
    QVERIFY(!f.window.mnuDrucken.enabled());
    QCOMPARE(s.QMax, 0.0);
    QCOMPARE(s.Kvmax, 0.0);
    QVERIFY(s.A0.isEmpty() && s.AFL.isEmpty() && s.CxT.isEmpty());
    for (Label *l : {&f.sheet.lblQmax, &f.sheet.lblV1max, &f.sheet.lblV2max, &f.sheet.lblChokedFlowMax,
                     &f.sheet.lblSchallVDMAmax})
        QCOMPARE(l->caption(), QStringLiteral("N/A"));
    // The fluid rows still show the properties of the point.
    QCOMPARE(f.sheet.lblStoffwert2max.caption(), gas ? z3(s.rho1Max) : z3(s.psatMax));
    QVERIFY(s.rho1Max > 0);
    QVERIFY(allFinite());
}

void TestFlowRecalc::flowAgreesWithEquations_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<bool>("german");
    QTest::newRow("water") << 1 << false;
    QTest::newRow("water, decimal comma") << 1 << true;
    QTest::newRow("air") << 0 << false;
    QTest::newRow("steam") << 2 << false;
    QTest::newRow("steam, decimal comma") << 2 << true;
}

void TestFlowRecalc::flowAgreesWithEquations()
{
    QFETCH(int, medium);
    QFETCH(bool, german);
    if (german)
        numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));

    Fixture f;
    SharedData &s = shared();
    if (medium == 0)
        f.air();
    if (medium == 2)
        f.steam(250);
    f.sheet.lblStoffwert3max.setCaption("previous");
    calcDurchfluss();

    const ValveRow r = series()[3];
    const double q = directFlow(r, 0.7);
    QVERIFY(q > 0);
    QCOMPARE(s.QMax, q);
    QCOMPARE(f.sheet.lblQmax.caption(), formatZahl4(Variant(q)).toString());
    QCOMPARE(f.status(), getText("Berechnung aktualisiert", 0));
    if (medium == 1) {
        QCOMPARE(s.rho1Max, calcRhoWasser(Variant(20.0), 0, 0).asNumber());
        QCOMPARE(f.sheet.lblFlmax.caption(), z3(s.FLMax));
        QCOMPARE(f.sheet.lblStoffwert1max.caption(), z3(s.rho1Max));
        QCOMPARE(f.sheet.lblStoffwert2max.caption(), z3(s.psatMax));
        QCOMPARE(f.sheet.lblStoffwert3max.caption(), z3(s.nueMax));
    } else {
        const double x = (10.0 - 6.0) / 10.0;
        QCOMPARE(s.XMax, x);
        QCOMPARE(f.sheet.lblxMax.caption(), z3(x));
        QCOMPARE(f.sheet.lblxTMax.caption(), z3(s.XTMax));
        QCOMPARE(s.ChokedFlowMax, x >= s.XTMax);
        QCOMPARE(f.sheet.lblStoffwert1max.caption(), medium == 0 ? z3(s.rhoN) : z3(s.rho1Max));
        QCOMPARE(f.sheet.lblStoffwert2max.caption(), medium == 0 ? z3(s.rho1Max) : z3(s.gammaMax));
        // Steam has no third fluid row: its previous text stays.
        QCOMPARE(f.sheet.lblStoffwert3max.caption(), medium == 0 ? z3(s.gammaMax) : QStringLiteral("previous"));
    }
    QCOMPARE(f.sheet.lblChokedFlowMax.caption(), getText(s.ChokedFlowMax ? "ja" : "nein", 0));
    const double v2 = calcGeschwindigkeit(2, Variant(s.DN2Rohr), 0, Variant(q), s.QUnit, Variant(s.rho1Max),
                                          Variant(s.rhoN), 0, Variant(s.p1Max), 0, Variant(s.p2Max), 0,
                                          Variant(s.T1Max), 0, s.Zustand, s.Medium, 0)
                          .asNumber();
    QCOMPARE(s.v2Max, v2);
    QCOMPARE(f.sheet.lblV2max.caption(), z3(v2));
}

void TestFlowRecalc::pipeSizes()
{
    Fixture f;
    SharedData &s = shared();

    // Given sizes stay and the flow passes through their reducers.
    s.chkDNRohr = 2;
    s.DN1Rohr = "50";
    s.DN2Rohr = "80";
    calcDurchfluss();
    QCOMPARE(s.DN1Rohr, QStringLiteral("50"));
    QCOMPARE(s.DN2Rohr, QStringLiteral("80"));
    QCOMPARE(s.QMax, directFlow(series()[3], 0.7));
    QCOMPARE(f.sheet.pipeRefills, 1);

    // Valve size: both pipes take it.
    s.chkDNRohr = 0;
    calcDurchfluss();
    QCOMPARE(s.DN1Rohr, QStringLiteral("25"));
    QCOMPARE(s.DN2Rohr, QStringLiteral("25"));

    // Proposed: the passes settle where the proposal of the final flow is the pipe the flow went through.
    s.chkDNRohr = 1;
    calcDurchfluss();
    auto proposal = [&s](int position) {
        return calcDNRohrVorschlag(position, Variant(s.QMax), s.QUnit, Variant(s.rho1Max), Variant(s.rhoN),
                                   s.rhoUnit, Variant(s.p1Max), s.p1Unit, Variant(s.p2Max), s.p2Unit,
                                   Variant(s.T1Max), s.T1Unit, Variant(s.nueMax), s.nueUnit, s.Zustand, s.Medium,
                                   s.vUnit, s.DNunit)
            .toString();
    };
    QCOMPARE(s.DN1Rohr, proposal(1));
    QCOMPARE(s.DN2Rohr, proposal(2));
    QVERIFY(s.DN2Rohr != QStringLiteral("25"));
    QCOMPARE(s.QMax, directFlow(series()[3], 0.7));

    // A closed linear valve passes nothing: one pass, a flow of 0.
    s.Kennlinie = 0;
    f.sheet.cmbYmax.setText("0");
    calcDurchfluss();
    QCOMPARE(s.QMax, 0.0);
    QCOMPARE(f.status(), getText("Berechnung aktualisiert", 0));
}

void TestFlowRecalc::chokedFlowAtEquality_data()
{
    QTest::addColumn<double>("p2");
    QTest::addColumn<QString>("choked");
    // Row 4 has xT 0.5 at every opening; x = (10 - p2) / 10.
    QTest::newRow("x equal to xT") << 5.0 << "ja";
    QTest::newRow("x below xT") << 5.5 << "nein";
    QTest::newRow("x above xT") << 4.0 << "ja";
}

void TestFlowRecalc::chokedFlowAtEquality()
{
    QFETCH(double, p2);
    QFETCH(QString, choked);
    Fixture f;
    f.air();
    SharedData &s = shared();
    s.DNVentil = "50";
    s.KvsCv = 40.0f;
    f.sheet.showInputs(10, p2, 20, 70);
    calcDurchfluss();
    QCOMPARE(f.sheet.lblxTMax.caption(), z3(0.5));
    QCOMPARE(f.sheet.lblChokedFlowMax.caption(), getText(choked, 0));
}

// The linear DN 25 valve (row 2) has no Kv at closed travel: at an opening of 0 no flow passes, which is neither
// choked nor cavitating, whatever the run before it at 70 % said (10 -> 1 bar: water choked, 9 bar beyond
// FL(0.7)^2 * 9.98 = 7.8, with xF 0.90 above z 0.5; air at x 0.9 beyond xT(0.7) = 0.635).
void TestFlowRecalc::noFlowIsNeitherChokedNorCavitating_data()
{
    QTest::addColumn<bool>("gas");
    QTest::newRow("water") << false;
    QTest::newRow("air") << true;
}

void TestFlowRecalc::noFlowIsNeitherChokedNorCavitating()
{
    QFETCH(bool, gas);
    Fixture f;
    if (gas)
        f.air();
    SharedData &s = shared();
    s.DNVentil = "25";
    s.KvsCv = 10.0f;
    s.Kennlinie = 0;
    f.sheet.showInputs(10, 1, 20, 70);
    calcDurchfluss();
    QCOMPARE(f.sheet.lblChokedFlowMax.caption(), getText("ja", 0));
    if (!gas)
        QCOMPARE(f.sheet.lblKavitationMax.caption(), getText("ja", 0));

    f.sheet.showInputs(10, 1, 20, 0);
    calcDurchfluss();
    QCOMPARE(f.status(), getText("Berechnung aktualisiert", 0));
    QCOMPARE(s.Kvmax, 0.0);
    QCOMPARE(s.QMax, 0.0);
    QVERIFY(!s.ChokedFlowMax);
    QCOMPARE(f.sheet.lblChokedFlowMax.caption(), getText("nein", 0));
    if (!gas) {
        QVERIFY(!s.KavitationMax);
        QCOMPARE(f.sheet.lblKavitationMax.caption(), getText("nein", 0));
    }
}

void TestFlowRecalc::cavitationAndMissingNoiseTable()
{
    Fixture f;
    SharedData &s = shared();
    // Row 5 names the noise table "SEQ", which does not exist yet.
    s.DNVentil = "50";
    s.KvsCv = 40.0f;
    s.Kennlinie = 0;
    calcDurchfluss();
    QCOMPARE(s.zyMax, 0.0);
    QCOMPARE(f.sheet.lblzyMax.caption(), QStringLiteral("N/A"));
    QCOMPARE(f.sheet.lblKavitationMax.caption(), QStringLiteral("N/A"));
    QVERIFY(!s.KavitationMax);
    QCOMPARE(f.sheet.lblSchallVDMAmax.caption(), QStringLiteral("N/A"));
    QCOMPARE(f.sheet.lblxFMax.caption(), numtext::fixed(s.xFMax, 3));
    const double xF = s.xFMax;
    QVERIFY(xF > 0.1 && xF < 1);

    // With z equal to xF there is no cavitation (the test is strict); just below it there is.
    testsupport::writeNoiseTable(*s.dbSchalldaten, "SEQ", testsupport::flatNoiseRows(xF));
    calcDurchfluss();
    QCOMPARE(s.xFMax, xF);
    QCOMPARE(s.zyMax, xF);
    QCOMPARE(f.sheet.lblzyMax.caption(), numtext::fixed(xF, 2));
    QCOMPARE(f.sheet.lblKavitationMax.caption(), getText("nein", 0));

    s.dbSchalldaten->dropTable("SEQ");
    testsupport::writeNoiseTable(*s.dbSchalldaten, "SEQ", testsupport::flatNoiseRows(xF - 0.01));
    calcDurchfluss();
    QVERIFY(s.KavitationMax);
    QCOMPARE(f.sheet.lblKavitationMax.caption(), getText("ja", 0));
}

void TestFlowRecalc::xFAboveOne()
{
    numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
    Fixture f;
    // Water at 95 °C: vapour pressure about 0.85 bar, above the outlet pressure.
    f.sheet.showInputs(2, 0.5, 95, 70);
    calcDurchfluss();
    QCOMPARE(shared().xFMax, 1.0);
    QCOMPARE(f.sheet.lblxFMax.caption(), QStringLiteral("1,000"));
    QCOMPARE(f.sheet.lblSchallVDMAmax.caption(), QStringLiteral("N/A"));
    QCOMPARE(f.sheet.lblSchallkorrekturmax.caption(), QStringLiteral(" "));
    QCOMPARE(f.sheet.lblzyMax.caption(), QStringLiteral("0,50"));
}

void TestFlowRecalc::printEntries_data()
{
    QTest::addColumn<bool>("pdfPrinter");
    QTest::newRow("with PDF printer") << true;
    QTest::newRow("without PDF printer") << false;
}

void TestFlowRecalc::printEntries()
{
    QFETCH(bool, pdfPrinter);
    Fixture f;
    shared().PDFDruckerVorhanden = pdfPrinter;
    f.window.mnuDrucken.setEnabled(false);
    f.window.mnuPDFDruck.setEnabled(false);
    calcDurchfluss();
    QVERIFY(f.window.mnuDrucken.enabled());
    QCOMPARE(f.window.mnuPDFDruck.enabled(), pdfPrinter);

    f.window.mnuPDFDruck.setEnabled(true);
    shared().DNVentil = "32";
    calcDurchfluss();
    QVERIFY(!f.window.mnuDrucken.enabled());
    QCOMPARE(f.window.mnuPDFDruck.enabled(), !pdfPrinter);
}

void TestFlowRecalc::degenerateInputsStayFinite_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("zustand");
    QTest::addColumn<double>("density"); // rhoN for gases, rho1Max for liquids
    QTest::addColumn<double>("T1");

    QTest::newRow("gas without norm density") << 3 << 0 << 0.0 << 20.0;
    QTest::newRow("gas at absolute zero") << 3 << 0 << 1.2 << -273.15;
    QTest::newRow("liquid without density or viscosity") << 4 << 1 << 0.0 << 20.0;
    QTest::newRow("wizard gas without molar mass") << 5 << 2 << 0.0 << 20.0;
    QTest::newRow("water far below freezing") << 1 << 1 << 0.0 << -200.0;
}

void TestFlowRecalc::degenerateInputsStayFinite()
{
    QFETCH(int, medium);
    QFETCH(int, zustand);
    QFETCH(double, density);
    QFETCH(double, T1);

    Fixture f;
    SharedData &s = shared();
    s.Medium = medium;
    s.Zustand = zustand;
    s.rhoN = zustand == 1 ? 0 : density;
    s.rho1Max = zustand == 1 ? density : 0;
    s.gammaMax = zustand == 1 ? 0 : 1.3;
    s.chkDNRohr = 1;
    f.sheet.showInputs(10, 6, T1, 70);
    calcDurchfluss();

    QVERIFY(allFinite());
    for (Control *c : f.sheet.controls()) {
        if (auto *label = dynamic_cast<Label *>(c)) {
            const QString text = label->caption().toLower();
            QVERIFY2(!text.contains("nan") && !text.contains("inf"), qPrintable(label->name() + ": " + text));
        }
    }
}

// The worked examples of the control-valve sizing standard run backwards: the valve with the flow coefficient the
// standard computes, fully open, passes the example's flow. The ideal-gas density leaves out the example's
// compressibility factor Z = 0.988, so the gas flow is the example's times sqrt(Z).
void TestFlowRecalc::iecWorkedExamples_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("zustand");
    QTest::addColumn<double>("p1"); // bar abs.
    QTest::addColumn<double>("p2");
    QTest::addColumn<double>("T1"); // °C
    QTest::addColumn<int>("DN");    // valve and pipes
    QTest::addColumn<float>("Kvs");
    QTest::addColumn<double>("FLorXT");
    QTest::addColumn<double>("expectedQ");
    QTest::addColumn<bool>("choked");

    // Water at 363 K, 680 / 220 kPa, DN 150, FL 0.90: Kv 165 for 360 m3/h, not choked.
    QTest::newRow("liquid, non-choked turbulent") << 1 << 1 << 6.8 << 2.2 << 89.85 << 150 << 165.0f << 0.9
                                                  << 360.0 << false;
    // The same valve against 100 kPa: choked at FL^2 (p1 - FF pv) with FF 0.944, 497 kPa.
    QTest::newRow("liquid, choked") << 1 << 1 << 6.8 << 1.0 << 89.85 << 150 << 165.0f << 0.9
                                    << 165.0 * std::sqrt(0.81 * (6.8 - 0.944 * 0.701) / 0.9654) << true;
    // Carbon dioxide at 433 K, 680 / 310 kPa, gamma 1.30, xT 0.60, DN 80: Kv 62.7 for 3800 m3/h (norm.).
    QTest::newRow("gas, non-choked turbulent") << 3 << 0 << 6.8 << 3.1 << 159.85 << 80 << 62.7f << 0.6
                                               << 3800.0 * std::sqrt(0.988) << false;
    // The same valve against 150 kPa: x is held at Fgamma xT and Y at 2/3.
    const double xChoked = 1.3 / 1.4 * 0.6;
    const double xExample = (6.8 - 3.1) / 6.8;
    const double yExample = 1 - xExample / (3 * xChoked);
    QTest::newRow("gas, choked") << 3 << 0 << 6.8 << 1.5 << 159.85 << 80 << 62.7f << 0.6
                                 << 3800.0 * std::sqrt(0.988) * (2.0 / 3.0 * std::sqrt(xChoked))
                                        / (yExample * std::sqrt(xExample))
                                 << true;
}

void TestFlowRecalc::iecWorkedExamples()
{
    QFETCH(int, medium);
    QFETCH(int, zustand);
    QFETCH(double, p1);
    QFETCH(double, p2);
    QFETCH(double, T1);
    QFETCH(int, DN);
    QFETCH(float, Kvs);
    QFETCH(double, FLorXT);
    QFETCH(double, expectedQ);
    QFETCH(bool, choked);

    Fixture f;
    SharedData &s = shared();
    testsupport::writeValveSeries(*s.dbKenndaten, "IEC",
                                  {{DN, testsupport::inchText(DN), 0, Kvs, 0.0f, 50.0, kLinear, {FLorXT, 0, 0},
                                    {FLorXT, 0, 0}, QStringLiteral("S1")}});
    testsupport::openSeries("IEC");
    s.Medium = medium;
    s.Zustand = zustand;
    s.Kennlinie = 0;
    s.DNVentil = QString::number(DN);
    s.KvsCv = Kvs;
    s.rhoN = 44.01 / 22.414;
    s.gammaMax = 1.3;
    f.sheet.showInputs(p1, p2, T1, 100);
    calcDurchfluss();

    QCOMPARE(f.status(), getText("Berechnung aktualisiert", 0));
    QVERIFY2(std::abs(s.QMax / expectedQ - 1) < 0.005, qPrintable(QString::number(s.QMax)));
    QCOMPARE(s.ChokedFlowMax, choked);
    if (zustand == 1) {
        // The example's water data (965.4 kg/m3, 70.1 kPa) within the accuracy of the water correlations (the
        // density's quadratic fit gives 966.9).
        QVERIFY2(std::abs(s.rho1Max / 965.4 - 1) < 0.002, qPrintable(QString::number(s.rho1Max)));
        QVERIFY2(std::abs(s.psatMax / 0.701 - 1) < 0.01, qPrintable(QString::number(s.psatMax)));
    } else {
        QCOMPARE(s.XMax, (p1 - p2) / p1);
    }
}

// Choked flow is what the gas equation does: it limits x at Fgamma xTP, Fgamma = kappa / 1.4, not at xT.
void TestFlowRecalc::chokedWhereTheFlowEquationLimitsX_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<double>("gamma"); // ideal gases; steam takes its own
    QTest::addColumn<double>("p2");    // bar abs., p1 = 10
    QTest::addColumn<double>("T1");
    QTest::addColumn<QString>("valve"); // DN, Kvs; equal percentage
    QTest::addColumn<double>("opening");
    QTest::addColumn<QString>("pipes"); // empty: the valve's size
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("xT");
    QTest::addColumn<bool>("choked");

    // Steam at 10 bar abs. and 250 °C has kappa about 1.30: Fgamma xT = 1.30 / 1.4 * 0.7 = 0.65 < x = 0.66.
    QTest::newRow("steam, kappa below 1.4, x above Fgamma xT")
        << 2 << 0.0 << 3.4 << 250.0 << "25,6.3" << 70.0 << "" << 0.66 << 0.7 << true;
    // Helium, kappa 1.66: Fgamma = 1.66 / 1.4 = 1.1857, Fgamma xT = 0.830.
    QTest::newRow("helium, x between xT and Fgamma xT")
        << 3 << 1.66 << 2.5 << 20.0 << "25,6.3" << 70.0 << "" << 0.75 << 0.7 << false;
    QTest::newRow("helium, x above Fgamma xT")
        << 3 << 1.66 << 1.5 << 20.0 << "25,6.3" << 70.0 << "" << 0.85 << 0.7 << true;
    // Air through DN 100 pipes around a DN 50 valve, fully open: C = 40, d = 50, C/d^2 = 0.016, beta = 0.5.
    // zeta1 = 0.5 (1 - 0.25)^2 = 0.28125, zeta2 = 1.0 (0.75)^2 = 0.5625, zetaB1 = zetaB2 = 1 - 0.0625 = 0.9375;
    // sum zeta = 0.84375; FP^2 = 1 / (1 + 0.84375 / 0.0016 * 0.016^2) = 1 / 1.135;
    // xTP = 0.5 * 1.135 / (1 + 0.5 * (0.28125 + 0.9375) / 0.0018 * 0.016^2) = 0.5675 / 1.086667 = 0.52224.
    QTest::newRow("air through reducers, x between xT and xTP")
        << 0 << 1.4 << 4.9 << 20.0 << "50,40" << 100.0 << "100" << 0.51 << 0.5 << false;
    QTest::newRow("air through reducers, x above xTP")
        << 0 << 1.4 << 4.7 << 20.0 << "50,40" << 100.0 << "100" << 0.53 << 0.5 << true;
}

void TestFlowRecalc::chokedWhereTheFlowEquationLimitsX()
{
    QFETCH(int, medium);
    QFETCH(double, gamma);
    QFETCH(double, p2);
    QFETCH(double, T1);
    QFETCH(QString, valve);
    QFETCH(double, opening);
    QFETCH(QString, pipes);
    QFETCH(double, x);
    QFETCH(double, xT);
    QFETCH(bool, choked);

    Fixture f;
    SharedData &s = shared();
    s.Medium = medium;
    s.Zustand = medium == 2 ? 2 : 0;
    s.rhoN = medium == 3 ? 0.1785 : 1.293;
    s.gammaMax = gamma;
    s.DNVentil = valve.section(',', 0, 0);
    s.KvsCv = valve.section(',', 1, 1).toFloat();
    if (!pipes.isEmpty()) {
        s.chkDNRohr = 2;
        s.DN1Rohr = s.DN2Rohr = pipes;
    }
    f.sheet.showInputs(10, p2, T1, opening);
    calcDurchfluss();

    QCOMPARE(f.status(), getText("Berechnung aktualisiert", 0));
    QCOMPARE(f.sheet.lblxMax.caption(), numtext::fixed(x, 3));
    QCOMPARE(f.sheet.lblxTMax.caption(), numtext::fixed(xT, 3));
    QCOMPARE(s.ChokedFlowMax, choked);
    QCOMPARE(f.sheet.lblChokedFlowMax.caption(), getText(choked ? "ja" : "nein", 0));
    if (medium == 2)
        QVERIFY2(std::abs(s.gammaMax - 1.30) < 0.01, qPrintable(QString::number(s.gammaMax)));
}

// No fluid has a state at or below absolute zero: such a T1 is refused like any other bad value.
void TestFlowRecalc::temperatureAtOrBelowAbsoluteZeroIsRefused_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("T1Unit");
    QTest::addColumn<double>("T1");
    QTest::addColumn<bool>("refused");

    QTest::newRow("water at -300 °C") << 1 << 0 << -300.0 << true;
    QTest::newRow("air at -300 °C") << 0 << 0 << -300.0 << true;
    QTest::newRow("air at absolute zero, °C") << 0 << 0 << -273.15 << true;
    QTest::newRow("air just above absolute zero, °C") << 0 << 0 << -273.14 << false;
    QTest::newRow("air at absolute zero, °F") << 0 << 1 << -459.67 << true;
    QTest::newRow("air just above absolute zero, °F") << 0 << 1 << -459.66 << false;
}

void TestFlowRecalc::temperatureAtOrBelowAbsoluteZeroIsRefused()
{
    QFETCH(int, medium);
    QFETCH(int, T1Unit);
    QFETCH(double, T1);
    QFETCH(bool, refused);

    Fixture f;
    SharedData &s = shared();
    if (medium == 0)
        f.air();
    calcDurchfluss();
    const double q = s.QMax;
    const QString shown = f.sheet.lblQmax.caption();
    s.T1Unit = T1Unit;
    f.sheet.txtT1max.setText(numtext::general(T1));
    f.sheet.txtp1max.setFocus();
    const int beeps = f.ui.beepCount();
    calcDurchfluss();

    if (refused) {
        QCOMPARE(f.status(), prefixed("Temperaturwert unzulässig!"));
        QCOMPARE(f.ui.beepCount(), beeps + 1);
        QCOMPARE(f.sheet.activeControl()->name(), QStringLiteral("txtT1max"));
        QCOMPARE(s.QMax, q);
        QCOMPARE(f.sheet.lblQmax.caption(), shown);
    } else {
        QCOMPARE(f.status(), getText("Berechnung aktualisiert", 0));
        QVERIFY(s.rho1Max > 0);
    }
    QVERIFY(allFinite());
}

// The stored T1 is the value its box shows after a saturation limit, on the first run and on every later one:
// 10 bar abs. saturates at 179.91 °C (355.85 °F), shown with four digits.
void TestFlowRecalc::saturatedTemperatureIsTheShownValue_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("T1Unit");
    QTest::addColumn<double>("T1");
    QTest::addColumn<double>("shown");
    QTest::addColumn<bool>("german");

    QTest::newRow("steam raised, °C") << 2 << 0 << 150.0 << 179.9 << false;
    QTest::newRow("steam raised, decimal comma") << 2 << 0 << 150.0 << 179.9 << true;
    QTest::newRow("water lowered, °C") << 1 << 0 << 200.0 << 179.9 << false;
    QTest::newRow("steam raised, °F") << 2 << 1 << 300.0 << 355.8 << false;
}

void TestFlowRecalc::saturatedTemperatureIsTheShownValue()
{
    QFETCH(int, medium);
    QFETCH(int, T1Unit);
    QFETCH(double, T1);
    QFETCH(double, shown);
    QFETCH(bool, german);
    if (german)
        numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));

    Fixture f;
    SharedData &s = shared();
    s.Medium = medium;
    s.Zustand = medium == 2 ? 2 : 1;
    s.T1Unit = T1Unit;
    f.sheet.showInputs(10, 6, T1, 70);

    std::vector<double> results;
    for (int run = 0; run < 2; ++run) {
        calcDurchfluss();
        QCOMPARE(s.T1Max, shown);
        QCOMPARE(f.sheet.txtT1max.text(), numtext::fixed(shown, 1));
        results.push_back(s.QMax);
        results.push_back(s.rho1Max);
    }
    QCOMPARE(results[2], results[0]);
    QCOMPARE(results[3], results[1]);
}

// A noise table may hold a z of 0 of its own; only a missing table leaves z and cavitation unknown.
void TestFlowRecalc::missingNoiseTableIsAFlagOfItsOwn_data()
{
    QTest::addColumn<bool>("tablePresent");
    QTest::addColumn<double>("zy"); // of the table
    QTest::addColumn<QString>("zyShown");
    QTest::addColumn<QString>("cavitation");

    QTest::newRow("table with z 0") << true << 0.0 << numtext::fixed(0, 2) << "ja";
    QTest::newRow("table with z 0.5") << true << 0.5 << numtext::fixed(0.5, 2) << "nein";
    QTest::newRow("no table") << false << 0.0 << "N/A" << "N/A";
}

void TestFlowRecalc::missingNoiseTableIsAFlagOfItsOwn()
{
    QFETCH(bool, tablePresent);
    QFETCH(double, zy);
    QFETCH(QString, zyShown);
    QFETCH(QString, cavitation);

    Fixture f;
    SharedData &s = shared();
    // Row 5 names the noise table "SEQ", which the fixture does not have.
    s.DNVentil = "50";
    s.KvsCv = 40.0f;
    s.Kennlinie = 0;
    if (tablePresent)
        testsupport::writeNoiseTable(*s.dbSchalldaten, "SEQ", testsupport::flatNoiseRows(zy));
    s.SchalltabelleFehltMax = tablePresent;
    calcDurchfluss();

    // Water 10 -> 6 bar abs. at 20 °C: xF = 4 / (10 - 0.023) = 0.40, cavitation when xF > z.
    QCOMPARE(f.sheet.lblxFMax.caption(), numtext::fixed(0.401, 3));
    QCOMPARE(s.SchalltabelleFehltMax, !tablePresent);
    QCOMPARE(f.sheet.lblzyMax.caption(), zyShown);
    QCOMPARE(f.sheet.lblKavitationMax.caption(), cavitation == "N/A" ? cavitation : getText(cavitation, 0));
    QCOMPARE(s.KavitationMax, cavitation == "ja");
}

void TestFlowRecalc::databaseFailureSpeaksTheScreenLanguage()
{
    Fixture f;
    testsupport::openShippedTexts();
    SharedData &s = shared();
    s.Sprache = 1;
    s.dbKenndaten->dropTable("TEST");
    calcDurchfluss();
    testsupport::closeShippedTexts();
    QCOMPARE(f.status(), QStringLiteral("Calculation not updated: Database error: dbKenndaten.mdb, TEST: The file lacks "
                                        "tables or fields that the program needs."));
}

QTEST_GUILESS_MAIN(TestFlowRecalc)
#include "test_flow_recalc.moc"
