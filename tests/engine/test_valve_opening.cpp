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

// The default point through a valve row of the given Kvs, Kv curve a0 .. a5 and FL curve.
Point withCurve(double kvs, std::initializer_list<double> a, std::initializer_list<double> fl = {0.9, 0, 0})
{
    Point p;
    p.kvs = kvs;
    std::fill(p.a, p.a + 6, 0.0);
    std::copy(a.begin(), a.end(), p.a);
    std::copy(fl.begin(), fl.end(), p.fl);
    return p;
}

// Kvs 40 falling from Kv(0) = 2 to its least Kv 1.28 at y = 0.12 and rising again: 0.05 - 0.3 y + 1.25 y^2.
Point dippingCurve()
{
    return withCurve(40.0, {0.05, -0.3, 1.25});
}

// Kvs 1 dipping between two steps of the scan: 10 (y - 0.15)^2 + 0.02, Kv 0.045 at y = 0.1 and 0.2.
Point dipBetweenScanSteps()
{
    return withCurve(1.0, {0.245, -3.0, 10.0});
}

// Choked water (5 to 0.5 bar) through Kvs 10 with a Kv falling and rising twice and FL = 0.375 - 0.6 y + 1.2 y^2:
// the flow, FL Kv sqrt(4.9776), has its least 3.19209 m3/h at y 0.73391, where neither Kv nor FL turns, in a dip
// narrower than the openings 0.73 and 0.74 (3.20285 and 3.21989) and lower than the dip at y 0.254 (3.20259); solved
// to 20 digits apart from the program.
Point twoDipsOfTheFlow()
{
    Point p = withCurve(10.0, {8.68134, -87.15272, 320.46144, -472.32, 240}, {0.375, -0.6, 1.2});
    p.p2 = 0.5;
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
    void chokedFlag_data();
    void chokedFlag();
    void flowJumpingAcrossQIsNotFound_data();
    void flowJumpingAcrossQIsNotFound();
    void curveFallingBeyondFullTravel();
    void leastKvOfTheCurve_data();
    void leastKvOfTheCurve();
    void belowTheValvesRange_data();
    void belowTheValvesRange();
    void beyondFullTravel_data();
    void beyondFullTravel();
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

// The flow at the opening found is the required flow to 1e-4 of it, however flat or steep the curve is where the
// flow lies. Where the opening has a closed form, it is checked too: the water of the default point passes
// Q = Kv sqrt(2) m3/h (turbulent, unchoked, no reducers), so Kv(y) = Q / sqrt(2).
void TestValveOpening::curvedCharacteristics_data()
{
    QTest::addColumn<Point>("point");
    QTest::addColumn<bool>("german");
    QTest::addColumn<double>("opening"); // by hand; NaN: none in closed form

    const double none = NAN;
    const Point eq = equalPercentageLiquid();
    Point p = eq;
    p.q = 10.0;
    QTest::newRow("liquid, curved Kv and FL") << p << false << none;
    p.q = 55.0;
    QTest::newRow("liquid, near full opening") << p << false << none;
    p.nue = 3000.0;
    p.q = 20.0;
    QTest::newRow("viscous liquid") << p << false << none;
    p = eq;
    p.d1 = "80";
    p.d2 = "100";
    p.q = 25.0;
    QTest::newRow("liquid between reducers") << p << false << none;
    for (const bool german : {false, true}) {
        p = eq;
        p.qUnit = 2; // l/min: every flow the equations give a four-digit number
        p.q = german ? "512,5" : "512.5";
        QTest::addRow("liquid in l/min%s", german ? " (de)" : " (C)") << p << german << none;
    }
    p = gas(eq);
    p.q = 1500.0;
    QTest::newRow("steam, curved Kv and xT") << p << false << none;
    p.p2 = 1.0;
    QTest::newRow("steam, choked") << p << false << none;
    p = gas(eq);
    p.zustand = 0;
    p.qUnit = 0; // m3/h norm through rhoN: four digits as well
    p.q = 800.0;
    QTest::newRow("ideal gas in m3/h norm") << p << false << none;

    // Kv = Kvs y^5 with Q the flow the equations give at y = 0.05 (laminar there): from the bracket 0 .. 0.1 the
    // first step lands on y 0.003125, whose flow is next to nothing, as the lower end's.
    p = withCurve(1000.0, {0, 0, 0, 0, 0, 1});
    p.q = p.flowAt(0.05);
    QTest::newRow("y^5, steep beyond its first step") << p << false << 0.05;
    // Curves flat at their bottom (Kvs 25, a0 0.01 + 0.99 y^n), 1 % above the flow there: Kv 0.2525,
    // y = ((0.2525 / 25 - 0.01) / 0.99)^(1/n).
    for (const int n : {2, 3, 5}) {
        p = withCurve(25.0, {0.01});
        p.a[n] = 0.99;
        p.q = 0.2525 * std::sqrt(2.0);
        QTest::addRow("a0 + y^%d, 1 %% above its bottom", n) << p << false << std::pow(0.0001 / 0.99, 1.0 / n);
    }
    // The dipping curve passes Kv 2.5 only on its rise, Kv 1.499 on its fall (5.4 %) and its rise (18.6 %): the
    // scan from y = 0 finds the rise, 1.25 y^2 - 0.3 y + 0.05 - Kv / 40 = 0 solved for the larger root.
    const auto rise = [](double kv) { return (0.3 + std::sqrt(0.09 - 5 * (0.05 - kv / 40))) / 2.5; };
    for (const double kv : {2.5, 1.499, 1.28 * 1.001}) {
        p = dippingCurve();
        p.q = kv * std::sqrt(2.0);
        QTest::addRow("dipping curve, Kv %g", kv) << p << false << rise(kv);
    }
    // That curve dips below Kv 0.03 only between the scan's steps 0.1 and 0.2: the search starts again from the
    // least flow at y = 0.15 and finds 0.15 + sqrt(0.001).
    p = dipBetweenScanSteps();
    p.q = 0.03 * std::sqrt(2.0);
    QTest::newRow("dip between two steps of the scan") << p << false << 0.15 + std::sqrt(0.001);
    p = twoDipsOfTheFlow();
    p.q = 3.19733;
    QTest::newRow("flow dipping where neither Kv nor FL turns") << p << false << 0.73658173300651674;
    // An xT curve 0 at the closed valve and below 0 up to y = 0.03 / 0.062 (a row no dialog stores; the search
    // takes any): no flow up to there, then air at 241 kg/m3 whose flow rises with the square root of xT, so
    // steeply that regula falsi alone keeps landing beside the flat end; bisection steps close in on the root.
    p = withCurve(7.6, {0.02, 0.1, 0.3, 0.58});
    p.zustand = p.medium = 0;
    p.qUnit = 2; // l/min norm
    p.xt[0] = 0.0, p.xt[1] = -0.03, p.xt[2] = 0.062;
    p.d = p.d1 = p.d2 = "80";
    p.p1 = 35.0, p.p2 = 2.65, p.rho1 = 241.0, p.rhoN = 0.25, p.gamma = 1.55;
    p.q = 0.06;
    QTest::newRow("flow rising steeply from none") << p << false << 0.03 / 0.062;
    // Kv = Kvs (2 y - 1.2 y^2) peaks at y = 0.8333 and falls to 0.8 Kvs at full travel: 188.56 l/min there, which four
    // digits make 188.6. 188.58 l/min passes the full-open test and lies on the curve's rise, where
    // 2 y - 1.2 y^2 = 188.58 / (10 sqrt(2) 1000 / 60).
    p = withCurve(10.0, {0, 2.0, -1.2});
    p.qUnit = 2;
    p.q = 188.58;
    const double share = 188.58 / (10 * std::sqrt(2.0) * 1000 / 60);
    QTest::newRow("curve falling to full travel, Q within the rounding of its flow there")
        << p << false << (2 - std::sqrt(4 - 4.8 * share)) / 2.4;
    // Steam into an outlet expander to DN 100: the gas equation holds below Kv 163.3, where the flow rises without
    // bound, and gives none above. A curve from Kv 200 at y = 0 down to 50 at y = 0.6 and up to 116.7 at full travel
    // (Kvs 100 (0.5 + (1.5 / 0.36) (y - 0.6)^2)) jumps from no flow to more than any Q on its way down through 163.3,
    // passes the flow of Kv 100 falling at y 0.2536 and rising at 0.6 + sqrt(0.12): the first rise is a jump across Q
    // that no opening meets, the search goes on to the next.
    const double k = 1.5 / 0.36;
    p = gas(withCurve(100.0, {0.5 + k * 0.36, -1.2 * k, k}));
    p.d2 = "100";
    p.q = p.flowThrough(100.0, 1.0);
    QTest::newRow("first rise a jump across Q, the next smooth") << p << false << 0.6 + std::sqrt(0.12);
}

void TestValveOpening::curvedCharacteristics()
{
    QFETCH(Point, point);
    QFETCH(bool, german);
    QFETCH(double, opening);
    numtext::setUserLocale(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
    bool choked = false;
    std::optional<double> needed;
    const Variant y = point.solve(choked, &needed);
    QCOMPARE(y.type(), Variant::Type::Double);
    QVERIFY(!needed);
    const double found = y.toDouble();
    QVERIFY2(found > 0.0 && found < 1.0, qPrintable(y.toString()));
    // The flow at the opening is Q to 1e-4 of it; a flow in a unit other than the equations' own comes back to the
    // four digits of its conversion, half a unit of the fourth digit off at the most.
    const double q = point.q.asNumber();
    const double fourthDigit = std::pow(10.0, std::floor(std::log10(q)) - 3);
    QVERIFY2(std::fabs(point.flowAt(found) - q) < std::max(1e-4 * q, 0.5 * fourthDigit * (1 + 1e-9)),
             qPrintable(QStringLiteral("y %1 gives %2").arg(found, 0, 'g', 17).arg(point.flowAt(found), 0, 'g', 17)));
    // The opening by hand to 1e-3 of it, enough to tell the roots of a curve apart: a flow 1e-4 off moves an
    // opening just above a flat bottom by far more than 1e-4 of it.
    if (!std::isnan(opening))
        QVERIFY2(std::fabs(found - opening) <= 1e-3 * opening,
                 qPrintable(QStringLiteral("y %1, by hand %2").arg(found, 0, 'g', 17).arg(opening, 0, 'g', 17)));
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

// The Reynolds factor jumps from 0.99977 to 1 at Rev = 10000: a viscous liquid through a linear valve (23.5 mm2/s,
// Rev = 235 800 sqrt(y) about) passes no flow between the two sides of that jump at any opening. A required flow
// in the middle of the jump, 1.15e-4 from either side, meets no stop test: the search closes in on the jump until
// its ends are neighbouring numbers and answers -1. One within 1e-4 of the upper side is found.
void TestValveOpening::flowJumpingAcrossQIsNotFound_data()
{
    QTest::addColumn<double>("between"); // where Q lies from the lower side (0) to the upper one (1) of the jump
    QTest::addColumn<bool>("found");

    QTest::newRow("middle of the jump") << 0.5 << false;
    QTest::newRow("within 1e-4 of its upper side") << 0.75 << true;
}

void TestValveOpening::flowJumpingAcrossQIsNotFound()
{
    QFETCH(double, between);
    QFETCH(bool, found);
    Point p;
    p.nue = 23.5;
    // The jump by bisection on the flow equations: lo passes the laminar side, hi the turbulent one.
    double lo = 0.3, hi = 0.7;
    QVERIFY2(p.flowAt(hi) / p.flowAt(lo) > 2.0, "fixture: the flow must rise over the interval");
    for (int i = 0; i < 200 && std::nextafter(lo, hi) < hi; ++i) {
        const double mid = lo + (hi - lo) / 2;
        (p.flowAt(mid) / (mid * 10 * std::sqrt(2.0)) < 0.9999 ? lo : hi) = mid;
    }
    const double below = p.flowAt(lo), above = p.flowAt(hi);
    QVERIFY2(above / below - 1 > 2.2e-4,
             qPrintable(QStringLiteral("fixture: a jump of %1 at y %2").arg(above / below - 1).arg(lo)));
    p.q = below + between * (above - below);
    bool choked = true;
    const Variant y = p.solve(choked);
    if (found) {
        QCOMPARE(y.type(), Variant::Type::Double);
        QVERIFY2(std::fabs(p.flowAt(y.toDouble()) - p.q.asNumber()) / p.q.asNumber() < 1e-4,
                 qPrintable(y.toString()));
    } else {
        QVERIFY2(isWhole(y, -1), qPrintable(y.toString()));
    }
    QVERIFY(!choked); // written although unfinished
}

void TestValveOpening::curveFallingBeyondFullTravel()
{
    // Kv = Kvs (2.04 y - y^2) peaks at y = 1.02. A required flow equal to the flow at the scan point
    // 0.9999999999999999, one step below full opening, passes the full-open test; the scan holds its last step at
    // full travel, where the flow falls again beyond, and the opening found passes the flow.
    Point p;
    p.a[0] = 0.0;
    p.a[1] = 2.04;
    p.a[2] = -1.0;
    double last = 0.0;
    for (int i = 0; i < 10; ++i)
        last += 0.1;
    p.q = p.flowAt(last);
    QVERIFY2(p.flowAt(1.0) >= p.q.asNumber(), "fixture: the flow must still rise at full opening");
    QVERIFY2(p.flowAt(last + 0.1) <= p.q.asNumber(), "fixture: the flow must fall beyond full opening");
    bool choked = true;
    const Variant y = p.solve(choked);
    QCOMPARE(y.type(), Variant::Type::Double);
    QVERIFY2(y.toDouble() >= last && y.toDouble() <= 1.0, qPrintable(y.toString()));
    QCOMPARE(p.flowAt(y.toDouble()), p.q.asNumber());
    QVERIFY(!choked);
}

// The least Kv over the travel (the dipping curve's at the bottom of its dip is the verdict's test): one that falls
// to the end at full travel; a curve dipping twice at the lower of its dips.
void TestValveOpening::leastKvOfTheCurve_data()
{
    QTest::addColumn<QList<double>>("a");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("kv"); // Kvs 10

    QTest::newRow("falling to full travel") << QList<double>{1.0, -0.5, 0, 0, 0, 0} << 1.0 << 5.0;
    // 0.5 + 16 (y - 0.25)^2 (y - 0.75)^2 - 0.1 y dips to 4.7434 at y 0.26359 and to 4.2440 at 0.76167 (its
    // turning points solved to 30 digits apart from the program).
    QTest::newRow("two dips, the lower later")
        << QList<double>{0.5 + 16 * 0.03515625, -16 * 0.375 - 0.1, 16 * 1.375, -16 * 2.0, 16.0, 0}
        << 0.761670132951150565 << 4.24403481549990895;
}

void TestValveOpening::leastKvOfTheCurve()
{
    QFETCH(QList<double>, a);
    QFETCH(double, y);
    QFETCH(double, kv);
    flow::ValveCurves c;
    c.KvsCv = 10.0;
    c.a0 = a[0], c.a1 = a[1], c.a2 = a[2], c.a3 = a[3], c.a4 = a[4], c.a5 = a[5];
    const flow::ValveCurves::Least least = c.leastKv();
    QVERIFY2(std::fabs(least.y - y) <= 1e-9, qPrintable(QString::number(least.y, 'g', 17)));
    QVERIFY2(std::fabs(least.kv - kv) <= 1e-12 * kv, qPrintable(QString::number(least.kv, 'g', 17)));
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
    // Below the least Kv of a curve that dips after y = 0 (1.28 at y 0.12), and below that of a dip between two
    // steps of the scan (0.02 at y 0.15): Kv = Q / sqrt(2).
    p = dippingCurve();
    p.q = 1.28 * 0.999 * std::sqrt(2.0);
    QTest::newRow("dipping curve, below its least Kv") << p << 1.28 * 0.999 << false;
    p = dipBetweenScanSteps();
    p.q = 0.0199 * std::sqrt(2.0);
    QTest::newRow("dip between two steps of the scan, below it") << p << 0.0199 << false;
    // Below the least flow of twoDipsOfTheFlow: Kv = Q / (FL(0) sqrt(5 - 0.95712 * 0.0234)), choked.
    p = twoDipsOfTheFlow();
    p.q = 3.19;
    QTest::newRow("flow dipping where neither Kv nor FL turns, below it") << p << 3.8128460529416662 << true;
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

// A flow beyond what the valve passes fully open gets the whole number 1 and the coefficient the flow equations need
// for it with FL and xT at full travel, solved by hand (the sizing's own test has water, reducers, air and steam):
// choked, Kv = Q / (FL sqrt(p1 - FF pv)) with FF pv = 0.95712 * 0.0234. An outlet expander to DN 100 (zeta2 0.5625,
// zetaB2 0.9375) gives the gas equation the piping factor 1 / sqrt(1 - 0.375 / N2 (Kv / 50^2)^2): no meaning from
// Kv 163.3 on, where the flow rises without bound; the flow through Kv 150 lies between the doubled coefficients 100
// and 200. 14.142 m3/h fully open are 235.7023 l/min, which four digits make 235.7: 235.7 l/min counts as beyond
// full travel, and needs no less than the curve's Kv 10 there.
void TestValveOpening::beyondFullTravel_data()
{
    QTest::addColumn<Point>("point");
    QTest::addColumn<double>("kv"); // by hand
    QTest::addColumn<bool>("choked");

    Point p; // linear, Kvs 10: 14.14 m3/h fully open
    p.p2 = 0.5;
    p.q = 25.0;
    QTest::newRow("liquid, choked") << p << 25 / (0.9 * std::sqrt(5 - 0.95712 * 0.0234)) << true;
    p = gas(withCurve(100.0, {0, 1}));
    p.d2 = "100";
    p.q = p.flowThrough(150.0, 1.0);
    QTest::newRow("steam into an expander, near the end of the equation's range") << p << 150.0 << false;
    p = Point();
    p.qUnit = 2;
    p.q = 235.7;
    QTest::newRow("liquid within the four-digit rounding of the full-open flow") << p << 10.0 << false;
}

void TestValveOpening::beyondFullTravel()
{
    QFETCH(Point, point);
    QFETCH(double, kv);
    QFETCH(bool, choked);
    QVERIFY2(point.q.asNumber() >= point.flowAt(1.0), "fixture: the flow must lie beyond full travel");
    bool flag = !choked;
    std::optional<double> needed;
    const Variant y = point.solve(flag, &needed);
    QVERIFY2(isWhole(y, 1), qPrintable(y.toString()));
    QVERIFY(needed);
    QCOMPARE(flag, choked);
    QVERIFY2(std::fabs(*needed - kv) <= 1e-9 * kv, qPrintable(QString::number(*needed, 'g', 17)));
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
