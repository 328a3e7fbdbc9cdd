#include "engine/flow_equations.h"
#include "engine/valve_opening.h"
#include "platform/core/number_text.h"

#include <QtTest>

#include <cmath>
#include <optional>

namespace {

// One operating point and valve row; the defaults are turbulent water through a linear valve, Kvs 10, DN 50 in
// DN 50 pipe, with constant FL 0.9 and xT 0.7, everything in internal units.
struct Point {
    Variant q = 7.0;
    int qUnit = 0;
    Variant kvs = 10.0;
    int kvUnit = 0;
    double a[6] = {0.0, 1.0, 0.0, 0.0, 0.0, 0.0};
    double fl[3] = {0.9, 0.0, 0.0};
    double xt[3] = {0.7, 0.0, 0.0};
    Variant d = "50", d1 = "50", d2 = "50";
    int dnUnit = 0;
    Variant p1 = 5.0;
    int p1Unit = 0;
    Variant p2 = 3.0;
    int p2Unit = 0;
    Variant t1 = 20.0;
    int t1Unit = 0;
    Variant pc = 221.2, pv = 0.0234;
    int pUnit = 0;
    Variant rho1 = 1000.0, rhoN = 1.293;
    int rhoUnit = 0;
    Variant nue = 1.0;
    int nueUnit = 0;
    Variant gamma = 1.4;
    int medium = 1;
    int zustand = 1;

    Variant solve(bool &choked, std::optional<double> *kvNeeded = nullptr) const
    {
        return calcVentiloeffnung(q, qUnit, kvs, kvUnit, a[0], a[1], a[2], a[3], a[4], a[5], fl[0], fl[1], fl[2],
                                  xt[0], xt[1], xt[2], d, d1, d2, dnUnit, p1, p1Unit, p2, p2Unit, t1, t1Unit, pc, pv,
                                  pUnit, rho1, rhoN, rhoUnit, nue, nueUnit, gamma, medium, zustand, choked, kvNeeded);
    }

    // The flow this valve passes at opening y, by the flow equations, as a number in qUnit.
    double flowAt(double y) const
    {
        return flowThrough(flow::curveKv(kvs.asNumber(), a[0], a[1], a[2], a[3], a[4], a[5], y), y);
    }

    // The flow through a flow coefficient C (in kvUnit) with FL or xT of opening y, by the flow equations.
    double flowThrough(double C, double y, bool *choked = nullptr) const
    {
        if (zustand == 1) {
            bool c = false;
            const double q = calcQ_inkomp(medium, Variant(C), kvUnit, flow::curveFL(fl[0], fl[1], fl[2], y), d, d1,
                                          d2, dnUnit, p1, p1Unit, p2, p2Unit, pc, pv, pUnit, rho1, rhoUnit, nue,
                                          nueUnit, qUnit, c)
                                 .asNumber();
            if (choked)
                *choked = c;
            return q;
        }
        return calcQ_komp(Variant(C), kvUnit, flow::curveXT(xt[0], xt[1], xt[2], y), d, d1, d2, dnUnit, p1, p1Unit,
                          p2, p2Unit, rho1, rhoN, rhoUnit, gamma, zustand, qUnit)
            .asNumber();
    }
};

Point equalPercentageLiquid()
{
    Point p;
    const double a[6] = {0.02, 0.1, 0.2, 0.3, 0.2, 0.18};
    std::copy(a, a + 6, p.a);
    p.fl[0] = 0.95;
    p.fl[1] = -0.1;
    p.fl[2] = 0.05;
    p.xt[0] = 0.8;
    p.xt[1] = -0.2;
    p.xt[2] = 0.1;
    p.kvs = 40.0;
    return p;
}

Point gas(Point p)
{
    p.zustand = 2;
    p.medium = 2;
    p.p2 = 4.0;
    p.rho1 = 5.93;
    return p;
}

bool isWhole(const Variant &v, int n)
{
    return v.type() == Variant::Type::Int && v.toInt() == n;
}

} // namespace

Q_DECLARE_METATYPE(Point)
Q_DECLARE_METATYPE(Variant)

class TestValveOpening : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { numtext::resetUserLocale(); }

    void resultsWithoutRefinement_data();
    void resultsWithoutRefinement();
    void justBelowFullOpening();
    void linearCurveLandsOnProportion_data();
    void linearCurveLandsOnProportion();
    void scanPointHitReturnsAccumulatedOpening();
    void curvedCharacteristics_data();
    void curvedCharacteristics();
    void stopTestComparesSuccessiveFlows();
    void chokedFlag_data();
    void chokedFlag();
    void stepLimitGivesMinusOne();
    void curveFallingBeyondFullTravel();
    void belowTheValvesRange_data();
    void belowTheValvesRange();
    void justAboveTheBottom_data();
    void justAboveTheBottom();
};

// --- Results without refinement ----------------------------------------------------------------------------------

void TestValveOpening::resultsWithoutRefinement_data()
{
    QTest::addColumn<Point>("point");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("choked"); // of the flow at that opening, whatever the flag held before

    Point p;
    p.q = 0.0;
    QTest::newRow("no flow") << p << 0 << false;
    p.p2 = 0.5;
    QTest::newRow("no flow at a choking pressure drop") << p << 0 << false;
    p = Point();
    p.q = -2.0;
    QTest::newRow("negative flow") << p << 0 << false;
    p.q = "abc";
    QTest::newRow("flow not numeric") << p << 0 << false;
    p = Point();
    p.q = p.flowAt(1.0); // 14.142 m3/h: the valve passes exactly the required flow
    QTest::newRow("flow equal to the full-open flow") << p << 1 << false;
    p.q = 20.0;
    QTest::newRow("valve too small") << p << 1 << false;
    // dp 4.5 above the choked differential 0.81 * (5 - 0.95712 * 0.0234) = 4.032: choked at full travel, where the
    // valve passes 0.9 * 10 * sqrt(4.978) = 20.08 m3/h.
    p.p2 = 0.5;
    p.q = 25.0;
    QTest::newRow("valve too small, choked at full travel") << p << 1 << true;
    p = Point();
    p.kvs = 0.0;
    QTest::newRow("row without coefficient") << p << 1 << false;
    p = gas(Point());
    p.q = 5000.0;
    QTest::newRow("gas, valve too small") << p << 1 << false;
    p.p2 = 1.0;
    QTest::newRow("gas, valve too small at a choked pressure ratio") << p << 1 << false;
}

void TestValveOpening::resultsWithoutRefinement()
{
    QFETCH(Point, point);
    QFETCH(int, result);
    QFETCH(bool, choked);
    for (const bool preset : {false, true}) {
        bool flag = preset;
        const Variant y = point.solve(flag);
        QVERIFY2(isWhole(y, result), qPrintable(y.toString()));
        QCOMPARE(flag, choked);
    }
}

void TestValveOpening::justBelowFullOpening()
{
    Point p;
    p.q = p.flowAt(1.0) * (1.0 - 1e-6);
    bool choked = true;
    const Variant y = p.solve(choked);
    QCOMPARE(y.type(), Variant::Type::Double);
    QVERIFY2(y.toDouble() < 1.0 && y.toDouble() > 0.9999, qPrintable(y.toString()));
    QVERIFY(!choked);
}

// --- Refinement --------------------------------------------------------------------------------------------------

void TestValveOpening::linearCurveLandsOnProportion_data()
{
    QTest::addColumn<double>("q");
    QTest::newRow("low") << 0.5;
    QTest::newRow("middle") << 7.0;
    QTest::newRow("high") << 14.0;
}

void TestValveOpening::linearCurveLandsOnProportion()
{
    // Turbulent, unchoked, no reducers: the flow is proportional to y, so the first regula-falsi step lands on
    // Q / Q100 and the second confirms it.
    QFETCH(double, q);
    Point p;
    p.q = q;
    bool choked = true;
    const Variant y = p.solve(choked);
    QCOMPARE(y.type(), Variant::Type::Double);
    QVERIFY2(std::fabs(y.toDouble() - q / p.flowAt(1.0)) < 1e-12, qPrintable(y.toString()));
    QVERIFY(!choked);
}

void TestValveOpening::scanPointHitReturnsAccumulatedOpening()
{
    // The scan adds 0.1 in floating point: its eighth point is 0.7999999999999999, not 0.8. A required flow equal
    // to that point's flow moves the scan on (the bracket needs Q below the upper flow), and the first
    // refinement step returns the point itself.
    double eighth = 0.0;
    for (int i = 0; i < 8; ++i)
        eighth += 0.1;
    QVERIFY(eighth != 0.8);
    Point p;
    p.q = p.flowAt(eighth);
    bool choked = true;
    const Variant y = p.solve(choked);
    QCOMPARE(y.type(), Variant::Type::Double);
    QCOMPARE(y.toDouble(), eighth);
}

void TestValveOpening::curvedCharacteristics_data()
{
    QTest::addColumn<Point>("point");
    QTest::addColumn<bool>("german");

    const Point eq = equalPercentageLiquid();
    Point p = eq;
    p.q = 10.0;
    QTest::newRow("liquid, curved Kv and FL") << p << false;
    p.q = 55.0;
    QTest::newRow("liquid, near full opening") << p << false;
    p.nue = 3000.0;
    p.q = 20.0;
    QTest::newRow("viscous liquid") << p << false;
    p = eq;
    p.d1 = "80";
    p.d2 = "100";
    p.q = 25.0;
    QTest::newRow("liquid between reducers") << p << false;
    for (const bool german : {false, true}) {
        p = eq;
        p.qUnit = 2; // l/min: every trial flow a four-digit text
        p.q = german ? "512,5" : "512.5";
        QTest::addRow("liquid in l/min%s", german ? " (de)" : " (C)") << p << german;
    }
    p = gas(eq);
    p.q = 1500.0;
    QTest::newRow("steam, curved Kv and xT") << p << false;
    p.p2 = 1.0;
    QTest::newRow("steam, choked") << p << false;
    p = gas(eq);
    p.zustand = 0;
    p.qUnit = 0; // m3/h norm through rhoN
    p.q = 800.0;
    QTest::newRow("ideal gas in m3/h norm") << p << false;
}

void TestValveOpening::curvedCharacteristics()
{
    QFETCH(Point, point);
    QFETCH(bool, german);
    numtext::setUserLocale(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
    bool choked = false;
    const Variant y = point.solve(choked);
    QCOMPARE(y.type(), Variant::Type::Double);
    const double opening = y.toDouble();
    QVERIFY2(opening > 0.0 && opening < 1.0, qPrintable(y.toString()));
    // The stop test compares successive trial flows; the flow at the opening found is then close to Q.
    const double q = point.q.asNumber();
    QVERIFY2(std::fabs(point.flowAt(opening) - q) / q < 1e-3,
             qPrintable(QStringLiteral("y %1 gives %2").arg(opening).arg(point.flowAt(opening))));
}

void TestValveOpening::stopTestComparesSuccessiveFlows()
{
    // Kv = Kvs y^5, Q the flow at y = 0.05: bracket 0 .. 0.1 with Qa = 0; the first step lands on
    // y = 0.1 * Q / Q(0.1) = 0.003125, whose flow differs from Qa by less than 1e-4 of Q. The test on successive
    // flows ends there, although that flow is far below Q.
    Point p;
    p.a[1] = 0.0;
    p.a[5] = 1.0;
    p.kvs = 1000.0;
    p.q = p.flowAt(0.05);
    const double firstStep = 0.1 * p.q.asNumber() / p.flowAt(0.1);
    bool choked = true;
    const Variant y = p.solve(choked);
    QCOMPARE(y.type(), Variant::Type::Double);
    QVERIFY2(std::fabs(y.toDouble() - firstStep) < 1e-12, qPrintable(y.toString()));
}

void TestValveOpening::chokedFlag_data()
{
    QTest::addColumn<Point>("point");
    QTest::addColumn<bool>("preset");
    QTest::addColumn<bool>("choked");

    Point p;
    p.p2 = 0.5; // dp 4.5 above the choked differential 4.03
    p.q = 12.0;
    QTest::newRow("choked liquid") << p << false << true;
    p = Point();
    QTest::newRow("unchoked liquid") << p << true << false;
    p = gas(Point());
    p.p2 = 1.0; // x 0.8 beyond xT: still False for gases
    p.q = 500.0;
    QTest::newRow("gas at a choked pressure ratio") << p << true << false;
    p.p2 = 4.0;
    QTest::newRow("subcritical gas") << p << true << false;
}

void TestValveOpening::chokedFlag()
{
    QFETCH(Point, point);
    QFETCH(bool, preset);
    QFETCH(bool, choked);
    bool flag = preset;
    const Variant y = point.solve(flag);
    QCOMPARE(y.type(), Variant::Type::Double);
    QCOMPARE(flag, choked);
}

// --- Ends of the refinement --------------------------------------------------------------------------------------

void TestValveOpening::stepLimitGivesMinusOne()
{
    // Kv = Kvs (2e-6 + (y - 0.31)^3): flat at the required flow, so regula falsi with one end fixed creeps and
    // each step still changes the flow by more than 1e-4 of Q. Gas with constant xT and no reducers: flow
    // proportional to Kv.
    Point p = gas(Point());
    p.kvs = 1e6;
    const double c = 0.31;
    p.a[0] = 2e-6 - c * c * c;
    p.a[1] = 3 * c * c;
    p.a[2] = -3 * c;
    p.a[3] = 1.0;
    p.a[4] = p.a[5] = 0.0;
    p.q = p.flowAt(c);
    bool choked = true;
    const Variant y = p.solve(choked);
    QVERIFY2(isWhole(y, -1), qPrintable(y.toString()));
    QVERIFY(!choked); // written although unfinished
}

void TestValveOpening::curveFallingBeyondFullTravel()
{
    // Kv = Kvs (2.04 y - y^2) peaks at y = 1.02. A required flow equal to the flow at the scan point
    // 0.9999999999999999, one step below full opening, passes the full-open test, and the scan runs past full
    // travel, where the flow falls again: both ends of the bracket are the same point. The solver answers full
    // opening instead of dividing by zero.
    Point p;
    p.a[0] = 0.0;
    p.a[1] = 2.04;
    p.a[2] = -1.0;
    double last = 0.0;
    for (int i = 0; i < 10; ++i)
        last += 0.1;
    p.q = p.flowAt(last);
    QVERIFY2(p.flowAt(1.0) > p.q.asNumber(), "fixture: the flow must still rise at full opening");
    QVERIFY2(p.flowAt(last + 0.1) <= p.q.asNumber(), "fixture: the flow must fall beyond full opening");
    bool choked = true;
    const Variant y = p.solve(choked);
    QVERIFY2(isWhole(y, 1), qPrintable(y.toString()));
    QVERIFY(!choked);
}

// --- The bottom of the valve's range -----------------------------------------------------------------------------

// A flow below what the valve passes at its smallest opening (Kv(0) = 40 * 0.02 = 0.8 here: 1.131 m3/h of the
// liquid, 56.43 kg/h of the steam) gets the whole number 0 and the flow coefficient the flow equations need for it
// with FL(0) = 0.95 and xT(0) = 0.8, solved by hand: liquid Kv = Q / sqrt(dp) (dp 2 bar, density 1000), choked
// Kv = Q / (FL sqrt(p1 - FF pv)), between reducers Kv = Q / sqrt(dp - k Q^2) with k = (zeta1 + zeta2) / N2 / d^4;
// gas Kv = W / (N6 Y sqrt(x p1 rho1)), Y = 1 - x / (3 xT) (x limited to xT).
void TestValveOpening::belowTheValvesRange_data()
{
    QTest::addColumn<Point>("point");
    QTest::addColumn<double>("kv");  // by hand, in the point's kvUnit; NaN: by the flow equations alone
    QTest::addColumn<bool>("choked");

    const Point eq = equalPercentageLiquid();
    Point p = eq;
    p.q = 0.5;
    QTest::newRow("liquid, 0.5 m3/h") << p << 0.3535533905932738 << false;
    p.p2 = 0.5; // dp 4.5 beyond the choked differential 0.9025 * (5 - 0.95712 * 0.0234) = 4.492
    QTest::newRow("liquid, choked") << p << 0.23590451573224303 << true;
    p = eq;
    p.q = 0.5;
    p.d1 = "80";
    p.d2 = "100"; // zeta1 0.18567, zeta2 0.5625
    QTest::newRow("liquid between reducers") << p << 0.35355504384029074 << false;
    p = eq;
    p.qUnit = 5;
    p.q = 2.2; // G.P.M.: every flow a four-digit number, 0.5 m3/h
    QTest::newRow("liquid in G.P.M.") << p << 0.3535533905932738 << false;
    p = eq;
    p.kvUnit = 1; // Kvs 40 Cv, Kv(0) 0.8 Cv
    p.q = 0.5;
    QTest::newRow("liquid, Cv") << p << 1.16 * 0.3535533905932738 << false;
    p = eq;
    p.nue = 3000.0;
    p.q = 0.05;
    QTest::newRow("viscous liquid") << p << double(NAN) << false;
    p = gas(eq);
    p.q = 20.0; // kg/h, x 0.2, Y 0.91667
    QTest::newRow("steam, 20 kg/h") << p << 0.28353333568003974 << false;
    p.p2 = 0.5; // x limited to 0.8, Y 2/3
    QTest::newRow("steam at a choked pressure ratio") << p << 0.19492916828002732 << false;
    p = gas(eq);
    p.zustand = 0;
    p.medium = 0;
    p.qUnit = 0;
    p.q = 10.0; // m3/h norm: 12.93 kg/h through the norm density
    QTest::newRow("ideal gas in m3/h norm") << p << 0.1833043015171457 << false;
}

void TestValveOpening::belowTheValvesRange()
{
    QFETCH(Point, point);
    QFETCH(double, kv);
    QFETCH(bool, choked);
    QVERIFY2(point.q.asNumber() < point.flowAt(0.0), "fixture: the flow must lie below the smallest opening's");
    for (const bool preset : {false, true}) {
        bool flag = preset;
        std::optional<double> needed;
        const Variant y = point.solve(flag, &needed);
        QVERIFY2(isWhole(y, 0), qPrintable(y.toString()));
        QVERIFY(needed);
        if (!std::isnan(kv))
            QVERIFY2(std::fabs(*needed - kv) <= 1e-9 * kv, qPrintable(QString::number(*needed, 'g', 17)));
        // Whatever the hand value, the flow equations pass the flow through the coefficient found.
        const double q = point.q.asNumber();
        QVERIFY2(std::fabs(point.flowThrough(*needed, 0.0) - q) <= 1e-4 * q,
                 qPrintable(QString::number(point.flowThrough(*needed, 0.0), 'g', 17)));
        QCOMPARE(flag, choked);
    }
}

// Just above the bottom the refinement starts from the flow at the smallest opening and meets its own tolerance:
// the flow at the opening found is the required one to 1e-4. Exactly at the bottom the opening is 0 and the curve's
// Kv(0) stands. A curve without Kv at closed travel has no bottom: the required flow far below its first step is
// found as before.
void TestValveOpening::justAboveTheBottom_data()
{
    QTest::addColumn<Point>("point");
    QTest::addColumn<double>("above"); // the flow over the flow at y = 0

    const Point eq = equalPercentageLiquid();
    QTest::newRow("liquid, exactly at the bottom") << eq << 1.0;
    QTest::newRow("liquid, 0.1 % above") << eq << 1.001;
    QTest::newRow("liquid, 1 % above") << eq << 1.01;
    QTest::newRow("liquid, 5 % above") << eq << 1.05;
    QTest::newRow("steam, 1 % above") << gas(eq) << 1.01;
    Point linear; // Kv(0) = 0
    QTest::newRow("linear curve, no bottom") << linear << 1.0;
}

void TestValveOpening::justAboveTheBottom()
{
    QFETCH(Point, point);
    QFETCH(double, above);
    const double bottom = point.flowAt(0.0);
    const double q = bottom > 0 ? bottom * above : 0.1;
    point.q = q;
    bool choked = true;
    std::optional<double> needed;
    const Variant y = point.solve(choked, &needed);
    QCOMPARE(y.type(), Variant::Type::Double);
    QVERIFY(!needed);
    if (above == 1.0 && bottom > 0) {
        QCOMPARE(y.toDouble(), 0.0);
        return;
    }
    QVERIFY2(y.toDouble() > 0.0 && y.toDouble() < 0.1, qPrintable(y.toString()));
    const double flowThere = point.flowAt(y.toDouble());
    QVERIFY2(std::fabs(flowThere - q) <= 1e-4 * q,
             qPrintable(QStringLiteral("y %1 gives %2 for %3").arg(y.toDouble()).arg(flowThere).arg(q)));
    QVERIFY(!choked);
}

QTEST_GUILESS_MAIN(TestValveOpening)
#include "test_valve_opening.moc"
