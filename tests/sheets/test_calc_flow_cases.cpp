// Whole flow-sheet cases: water, air and steam whose flows agree with the flow equations called directly, the
// saturation limit written back through the T1 field, and every series of the shipped catalogue.
#include "calc_flow_fixture.h"

#include "engine/flow_equations.h"
#include "engine/water_steam.h"
#include "units/conversions.h"
#include "units/number_format.h"

#include <QTest>

using namespace flowfixture;

namespace {

// Kv of the fixture's equal-percentage rows at the opening y.
double fixtureKv(double kvs, double y)
{
    return flow::curveKv(kvs, 0.02, 0.1, 0.3, 0.58, 0, 0, y);
}

} // namespace

class FlowSheetCasesTest : public QObject {
    Q_OBJECT

private slots:
    void waterFlowAgreesWithEngine();
    void airFlowAgreesWithEngine();
    void steamFlowAgreesWithEngine();
    void waterAboveSaturationIsLimitedThroughTheField();
    void proposedPipeSizesAreShown();
    void everyShippedSeriesLoads();
};

void FlowSheetCasesTest::waterFlowAgreesWithEngine()
{
    Fixture f;
    shared().KD_Version = 6417;
    FrmCalcFlow &sheet = f.load();
    const SharedData &s = shared();
    QCOMPARE(f.status(), current());

    const double y = 0.7;
    const Variant rho = calcRhoWasser(Variant(20.0), 0, 0);
    const Variant nue = calcNueWasser(Variant(20.0), 0, rho, 0, 0);
    const Variant psat = calcPsatWasser(Variant(20.0), 0, 0);
    const double fl = flow::curveFL(0.9, -0.05, 0, y);
    bool choked = false;
    const double q = calcQ_inkomp(1, Variant(fixtureKv(40, y)), 0, Variant(fl), Variant("50"), Variant("50"),
                                  Variant("50"), 0, Variant(10.0), 0, Variant(6.0), 0, Variant(221.2), psat, 0, rho,
                                  0, nue, 0, 0, choked)
                         .asNumber();
    QVERIFY(q > 0);
    QCOMPARE(s.QMax, q);
    QCOMPARE(sheet.lblQmax.caption(), formatZahl4(Variant(q)).toString());
    QCOMPARE(s.ChokedFlowMax, choked);
    QCOMPARE(sheet.lblFlmax.caption(), formatZahl3(Variant(fl)).toString());
    QCOMPARE(sheet.lblStoffwert1max.caption(), formatZahl3(rho).toString());
    QCOMPARE(sheet.lblChokedFlowMax.caption(), choked ? QStringLiteral("ja") : QStringLiteral("nein"));
    QVERIFY(!sheet.lblKavitationMax.caption().isEmpty());
    QCOMPARE(s.DN1Rohr, QStringLiteral("50"));
    QVERIFY(s.v1Max > 0);
}

void FlowSheetCasesTest::airFlowAgreesWithEngine()
{
    Fixture f;
    f.air();
    FrmCalcFlow &sheet = f.load();
    const SharedData &s = shared();
    QCOMPARE(f.status(), current());

    const double y = 0.7;
    const Variant rho1 = calcRho1Gas(Variant(6.0), 0, Variant(20.0), 0, Variant(1.293), 0, 0);
    const double xt = flow::curveXT(0.7, -0.02, 0, y);
    const double q = calcQ_komp(Variant(fixtureKv(40, y)), 0, Variant(xt), Variant("50"), Variant("50"),
                                Variant("50"), 0, Variant(6.0), 0, Variant(4.0), 0, rho1, Variant(1.293), 0,
                                Variant(1.4), 0, 0)
                         .asNumber();
    QVERIFY(q > 0);
    QCOMPARE(s.QMax, q);
    QCOMPARE(sheet.lblQmax.caption(), formatZahl4(Variant(q)).toString());
    QCOMPARE(sheet.lblxTMax.caption(), formatZahl3(Variant(xt)).toString());
    QCOMPARE(sheet.lblStoffwert1max.caption(), formatZahl3(Variant(1.293)).toString());
    QCOMPARE(sheet.lblStoffwert2max.caption(), formatZahl3(rho1).toString());
}

void FlowSheetCasesTest::steamFlowAgreesWithEngine()
{
    Fixture f;
    f.steam();
    FrmCalcFlow &sheet = f.load();
    const SharedData &s = shared();
    QCOMPARE(f.status(), current());

    const double y = 0.7;
    Variant p1(10.0);
    const Variant rho = calcRhoDampf(p1, 0, Variant(200.0), 0, 0);
    const Variant kappa = calcKappaDampf(Variant(10.0), 0, Variant(200.0), 0);
    const double xt = flow::curveXT(0.7, -0.02, 0, y);
    const double q = calcQ_komp(Variant(fixtureKv(40, y)), 0, Variant(xt), Variant("50"), Variant("50"),
                                Variant("50"), 0, Variant(10.0), 0, Variant(7.0), 0, rho, Variant(0.0), 0, kappa, 2,
                                0)
                         .asNumber();
    QVERIFY(q > 0);
    QCOMPARE(s.QMax, q);
    QCOMPARE(sheet.cmbQunit.text(), QStringLiteral("kg/h"));
    QCOMPARE(sheet.lblStoffwert2max.caption(), formatZahl3(kappa).toString());

    // A flow unit switch afterwards converts the computed mass flow without recalculating.
    sheet.cmbQunit.setFocus();
    sheet.cmbQunit.userPick(1);
    QCOMPARE(s.QMax, umrechnenMassenstrom(Variant(q), 0, 1).asNumber());
}

void FlowSheetCasesTest::waterAboveSaturationIsLimitedThroughTheField()
{
    Fixture f;
    shared().p1Max = 2;
    shared().p2Max = 1;
    shared().T1Max = 150;
    FrmCalcFlow &sheet = f.load();
    const double ts = calcTsatWasser(Variant(2.0), 0, 0).asNumber();
    // The field shows four digits, and its Change handler stored what it shows.
    const QString shown = formatZahl4(Variant(ts)).toString();
    QCOMPARE(sheet.txtT1max.text(), shown);
    double back = 0;
    QVERIFY(numtext::parse(shown, &back));
    QCOMPARE(shared().T1Max, back);
    QCOMPARE(f.status(), current());
}

void FlowSheetCasesTest::proposedPipeSizesAreShown()
{
    Fixture f;
    shared().chkDNRohr = 1;
    shared().yMax = 1;
    FrmCalcFlow &sheet = f.load();
    QVERIFY(sheet.optOptimiert.value());
    QVERIFY(!shared().DN1Rohr.isEmpty());
    QCOMPARE(sheet.cmbDNRohr1.text(), shared().DN1Rohr.trimmed());
    QCOMPARE(sheet.cmbDNRohr2.text(), shared().DN2Rohr.trimmed());
    QVERIFY(!sheet.cmbDNRohr1.enabled());
    QCOMPARE(f.status(), current());
}

void FlowSheetCasesTest::everyShippedSeriesLoads()
{
    const QString kenn = QStringLiteral(QUENDRA_SEED_DIR "/dbKenndaten.mdb");
    const QString noise = QStringLiteral(QUENDRA_SEED_DIR "/dbSchalldaten.mdb");
    if (!QFileInfo::exists(kenn) || !QFileInfo::exists(noise))
        QSKIP("the generated catalogue is missing");
    Fixture f;
    SharedData &s = shared();
    s.dbKenndaten = Database::open(kenn, Database::Mode::ReadOnly);
    s.dbSchalldaten = Database::open(noise, Database::Mode::ReadOnly);
    int series = 0;
    for (const QString &table : s.dbKenndaten->tableNames()) {
        if (table.startsWith(QLatin1Char('_')))
            continue;
        ++series;
        f.water();
        s.Ventiltyp = table;
        f.openSeries();
        s.DNVentil = "50";
        s.KvsCv = 25;
        FrmCalcFlow &sheet = f.reload();
        QVERIFY2(sheet.cmbDNVentil.listCount() > 0, qPrintable(table));
        QVERIFY2(sheet.cmbKvsCv.listIndex() >= 0, qPrintable(table));
        QCOMPARE(sheet.cmbDNVentil.text(), s.DNVentil);
        QVERIFY2(f.status() == current(), qPrintable(table + ": " + f.status()));
        QVERIFY2(s.QMax > 0, qPrintable(table));
        QVERIFY(sheet.lblReduktion.caption().startsWith(QStringLiteral("Red. ")));
    }
    QVERIFY(series >= 20);
}

QTEST_GUILESS_MAIN(FlowSheetCasesTest)
#include "test_calc_flow_cases.moc"
