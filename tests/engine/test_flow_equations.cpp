#include "engine/flow_equations.h"
#include "platform/core/number_text.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <random>

namespace {

// One liquid operating point in the user's units; the defaults are a turbulent water case in internal units.
struct Liquid {
    int medium = 1;
    Variant kv = 10.0;
    int kvUnit = 0;
    Variant fl = 0.9;
    Variant d = "50", d1 = "50", d2 = "50";
    int dnUnit = 0;
    Variant p1 = 5.0;
    int p1Unit = 0;
    Variant p2 = 3.0;
    int p2Unit = 0;
    Variant pc = 221.2, pv = 0.0234;
    int pUnit = 0;
    Variant rho = 1000.0;
    int rhoUnit = 0;
    Variant nue = 1.0;
    int nueUnit = 0;
    int qUnit = 0;

    Variant run(bool &choked) const
    {
        return calcQ_inkomp(medium, kv, kvUnit, fl, d, d1, d2, dnUnit, p1, p1Unit, p2, p2Unit, pc, pv, pUnit, rho,
                            rhoUnit, nue, nueUnit, qUnit, choked);
    }
    // The same as a number, as the recalculations take it.
    double number(bool &choked) const
    {
        return calcQ_inkompZahl(medium, kv, kvUnit, fl, d, d1, d2, dnUnit, p1, p1Unit, p2, p2Unit, pc, pv, pUnit,
                                rho, rhoUnit, nue, nueUnit, qUnit, choked);
    }
};

// One gas operating point; the defaults are a subcritical gas in internal units, as steam (mass flow).
struct Gas {
    Variant kv = 10.0;
    int kvUnit = 0;
    Variant xt = 0.7;
    Variant d = "50", d1 = "50", d2 = "50";
    int dnUnit = 0;
    Variant p1 = 5.0;
    int p1Unit = 0;
    Variant p2 = 4.0;
    int p2Unit = 0;
    Variant rho1 = 5.93, rhoN = 1.293;
    int rhoUnit = 0;
    Variant kappa = 1.4;
    int zustand = 2;
    int qUnit = 0;

    Variant run() const
    {
        return calcQ_komp(kv, kvUnit, xt, d, d1, d2, dnUnit, p1, p1Unit, p2, p2Unit, rho1, rhoN, rhoUnit, kappa,
                          zustand, qUnit);
    }
    double number() const
    {
        return calcQ_kompZahl(kv, kvUnit, xt, d, d1, d2, dnUnit, p1, p1Unit, p2, p2Unit, rho1, rhoN, rhoUnit, kappa,
                              zustand, qUnit);
    }
};

// An iterated liquid flow stops within about a millionth of the flow it converges to.
constexpr double kIterated = 1e-6;

// The flow a laminar liquid valve converges to, by hand from IEC 60534-2-1 (pipes of the valve's size, so FP = 1;
// not choked; Rev below 80 at the result, which rev receives): with Q0 = C sqrt(1000 dp / rho) and
// Rev = k Q, k = N4 Fd / (nu sqrt(FL C)) (FL^2 C^2 / (N2 D^4) + 1)^(1/4), the laminar
// FR = 10^(0.4919 lg Rev - 1.2661) makes Q = FR Q0 a power law with the one solution
// Q = (Q0 10^-1.2661 k^0.4919)^(1 / (1 - 0.4919)).
double laminarConvergedFlow(double C, double FL, double D, double dp, double rho, double nu, double &rev)
{
    const double Q0 = C * std::sqrt(1000.0 * dp / rho);
    const double k = 70700.0 / (nu * std::sqrt(FL * C)) * std::pow(FL * FL * C * C / (0.0016 * std::pow(D, 4)) + 1, 0.25);
    const double Q = std::pow(Q0 * std::pow(10.0, -1.2661) * std::pow(k, 0.4919), 1.0 / (1.0 - 0.4919));
    rev = k * Q;
    return Q;
}

bool isWholeZero(const Variant &v)
{
    return v.type() == Variant::Type::Int && v.toDouble() == 0.0;
}

} // namespace

Q_DECLARE_METATYPE(Liquid)
Q_DECLARE_METATYPE(Gas)
Q_DECLARE_METATYPE(Variant)

class TestFlowEquations : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { numtext::resetUserLocale(); }

    void reducerCoefficients_data();
    void reducerCoefficients();
    void reynoldsFactor_data();
    void reynoldsFactor();
    void reynoldsFactorCurvesMeetAt80();
    void liquidFlow_data();
    void liquidFlow();
    void liquidUnits_data();
    void liquidUnits();
    void tinyViscousFlowsConverge_data();
    void tinyViscousFlowsConverge();
    void gasFlow_data();
    void gasFlow();
    void gasOfStateLiquidHasNoResult();
    void unusableLiquidInputs_data();
    void unusableLiquidInputs();
    void unusableGasInputs_data();
    void unusableGasInputs();
    void extremeMagnitudesStayFinite_data();
    void extremeMagnitudesStayFinite();
    void characteristicCurves();
    void numbersAsTheResultsRead_data();
    void numbersAsTheResultsRead();
};

// --- Reducers ----------------------------------------------------------------------------------------------------

void TestFlowEquations::reducerCoefficients_data()
{
    QTest::addColumn<double>("d");
    QTest::addColumn<double>("D1");
    QTest::addColumn<double>("D2");
    QTest::addColumn<double>("zeta1");
    QTest::addColumn<double>("zeta2");
    QTest::addColumn<double>("zetaB1");
    QTest::addColumn<double>("zetaB2");

    QTest::newRow("equal sizes") << 50.0 << 50.0 << 50.0 << 0.0 << 0.0 << 0.0 << 0.0;
    // beta1 = 0.8: 0.5 (1 - 0.64)^2 = 0.0648, 1 - 0.8^4 = 0.5904; beta2 = 80/150: 1.0 (1 - 0.28444)^2 = 0.51202
    QTest::newRow("valve smaller than both pipes") << 80.0 << 100.0 << 150.0 << 0.0648 << 0.5120197530864 << 0.5904
                                                   << 0.9190913580247;
    // Valve larger than the pipes: beta = D/d = 0.8 and the coefficient 0.5 on both sides.
    QTest::newRow("valve larger than both pipes") << 100.0 << 80.0 << 80.0 << 0.0648 << 0.0648 << 0.5904 << 0.5904;
    // Outlet expander with a valve as large as the inlet: 1.0 (1 - 0.625^2)^2 = 0.371338
    QTest::newRow("outlet expander only") << 50.0 << 50.0 << 80.0 << 0.0 << 0.371337890625 << 0.0 << 0.847412109375;
}

void TestFlowEquations::reducerCoefficients()
{
    QFETCH(double, d);
    QFETCH(double, D1);
    QFETCH(double, D2);
    const flow::ReducerCoefficients z = flow::reducerCoefficients(d, D1, D2);
    QFETCH(double, zeta1);
    QFETCH(double, zeta2);
    QFETCH(double, zetaB1);
    QFETCH(double, zetaB2);
    QVERIFY(std::fabs(z.zeta1 - zeta1) < 1e-12);
    QVERIFY(std::fabs(z.zeta2 - zeta2) < 1e-12);
    QVERIFY(std::fabs(z.zetaB1 - zetaB1) < 1e-12);
    QVERIFY(std::fabs(z.zetaB2 - zetaB2) < 1e-12);
}

// --- Reynolds-number factor --------------------------------------------------------------------------------------

void TestFlowEquations::reynoldsFactor_data()
{
    QTest::addColumn<double>("rev");
    QTest::addColumn<double>("fr");

    QTest::newRow("laminar, Rev 1") << 1.0 << 0.0541876; // 10^-1.2661
    QTest::newRow("laminar, Rev 10") << 10.0 << 0.1681899; // 10^(0.4919 - 1.2661)
    QTest::newRow("transition, Rev 1000") << 1000.0 << 0.8155489; // 10^(3 (0.52805 - 0.1884) - 1.1075)
    QTest::newRow("transition, just below 10000") << 9999.99 << 0.9997697;
    QTest::newRow("turbulent, Rev 10000") << 10000.0 << 1.0;
    QTest::newRow("turbulent, Rev 1e6") << 1e6 << 1.0;
    QTest::newRow("no flow") << 0.0 << 0.0;
    QTest::newRow("negative") << -5.0 << 0.0;
    QTest::newRow("infinite (no viscosity)") << std::numeric_limits<double>::infinity() << 1.0;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 1.0;
}

void TestFlowEquations::reynoldsFactor()
{
    QFETCH(double, rev);
    QFETCH(double, fr);
    const double got = calcFR(rev);
    QVERIFY2(std::fabs(got - fr) < 5e-7, qPrintable(QString::number(got, 'g', 10)));
}

void TestFlowEquations::reynoldsFactorCurvesMeetAt80()
{
    // Below 80 the laminar curve, from 80 the transition curve; they differ by about 5e-5 there.
    const double below = calcFR(79.9999999);
    const double at = calcFR(80.0);
    QVERIFY(std::fabs(below - 0.4677674) < 5e-7);
    QVERIFY(std::fabs(at - 0.4677143) < 5e-7);
}

// --- Liquids -----------------------------------------------------------------------------------------------------

void TestFlowEquations::liquidFlow_data()
{
    QTest::addColumn<Liquid>("in");
    QTest::addColumn<double>("q");
    QTest::addColumn<bool>("choked");

    Liquid base;
    // FF = 0.96 - 0.28 sqrt(0.0234/221.2) = 0.95712, dpmax = 0.81 (5 - 0.95712 * 0.0234) = 4.0319 > 2;
    // Rev = 333 956, FR = 1: Q = 10 sqrt(1000 * 2 / 1000) = 14.142 m3/h.
    QTest::newRow("turbulent, not choked") << base << 14.1421356 << false;
    Liquid p = base;
    p.p2 = 1.0; // dp = 4 < 4.0319: still not choked, Q = 10 sqrt(4)
    QTest::newRow("just below the choked differential") << p << 20.0 << false;
    p.p2 = 0.5; // dp = 4.5 >= 4.0319: Q = 0.9 * 10 sqrt(1000 (5 - 0.95712 * 0.0234) / 1000)
    QTest::newRow("choked") << p << 20.0794889 << true;
    p = base;
    p.fl = 0.5;
    p.p1 = 8.0;
    p.p2 = 6.0;
    p.pv = 0.0; // FF 0.96, dpmax = 0.25 (8 - 0) = 2 = dp exactly: equality is choked; Q = 0.5 * 10 sqrt(8)
    QTest::newRow("differential equal to the choked one") << p << 14.1421356 << true;
    p = base;
    // Reynolds iteration, converged: Rev ~ 12.6, FR ~ 0.188 (laminar; see laminarConvergedFlow).
    p.nue = 5000.0;
    QTest::newRow("viscous, iterated") << p << 2.6620937 << false;
    p.d1 = "80"; // inlet reducer: FP = 0.99907 and the inlet pipe in Rev
    QTest::newRow("viscous behind an inlet reducer") << p << 2.6540382 << false;

    p = base;
    p.pv = 2.0;
    p.p2 = 0.5; // FF = 0.96 - 0.28 sqrt(2/221.2) = 0.93338: Q = 9 sqrt(5 - 1.86675)
    QTest::newRow("vapour pressure lowers FF") << p << 15.9308870 << true;
    p.pc = 0.0; // no critical pressure: FF = 0.96, Q = 9 sqrt(5 - 1.92)
    QTest::newRow("no critical pressure: FF 0.96") << p << 15.7949359 << true;
    p = base;
    p.pv = 10.0; // pv taken as p1: FF = 0.91790, dpmax = 0.33249 < 2, Q = 9 sqrt(5 - 0.91790 * 5)
    QTest::newRow("vapour pressure above p1") << p << 5.7662170 << true;
    p = base;
    p.pv = -1.0;
    p.p2 = 0.5; // a negative pv counts as 0: FF = 0.96, dpmax = 0.81 * 5 = 4.05 <= 4.5, Q = 9 sqrt(5)
    QTest::newRow("negative vapour pressure") << p << 20.1246118 << true;
    p.pc = 0.0; // without pc, FF = 0.96 and pv stays -1: dpmax = 0.81 (5 + 0.96) = 4.8276 > 4.5, Q = 10 sqrt(4.5)
    QTest::newRow("negative vapour pressure, no critical pressure") << p << 21.2132034 << false;

    p = base;
    p.medium = 12; // 4 % paper stock: the water result / 1.2
    QTest::newRow("paper stock 4 %") << p << 11.7851130 << false;
    p.medium = 10;
    QTest::newRow("paper stock 2.5 %") << p << 14.1421356 / 1.05 << false;
    p.medium = 11;
    QTest::newRow("paper stock 3 %") << p << 14.1421356 / 1.1 << false;
    p.medium = 13;
    QTest::newRow("paper stock 5 %") << p << 14.1421356 / 1.25 << false;

    // Hot water after IEC 60534-2-1 (90 degC): rho 965.4, pv 0.701 bar, pc 221.2 bar, nu 0.326 mm2/s,
    // p1 6.8, p2 2.2 bar abs., DN 150 in DN 150 pipe, FL 0.9, C = 165 Kv.
    // FF = 0.96 - 0.28 sqrt(0.701/221.2) = 0.94424, dpmax = 0.81 (6.8 - 0.94424 * 0.701) = 4.9719 > 4.6: not
    // choked; Rev ~ 6.5e6, FR = 1; Q = 165 sqrt(1000 * 4.6 / 965.4) = 165 * 2.18286 = 360.17 m3/h (the 360 m3/h
    // that the standard sizes to C = 165).
    Liquid iec;
    iec.kv = 165.0;
    iec.d = iec.d1 = iec.d2 = "150";
    iec.p1 = 6.8;
    iec.p2 = 2.2;
    iec.pv = 0.701;
    iec.rho = 965.4;
    iec.nue = 0.326;
    QTest::newRow("hot water, IEC style") << iec << 360.1713907 << false;
    // IEC 60534-2-1 example 2, segmented ball valve FL 0.6 in DN 100, rho 965: dpmax = 0.36 (6.8 - 0.94424 * 0.701)
    // = 2.2097 < 4.6, choked; Q = 0.6 * 238 sqrt(1000 * 6.13809 / 965) = 360.15 m3/h (the standard's C = 238).
    Liquid ball = iec;
    ball.kv = 238.0;
    ball.fl = 0.6;
    ball.d = ball.d1 = ball.d2 = "100";
    ball.rho = 965.0;
    QTest::newRow("segmented ball valve, choked, IEC example") << ball << 360.1481257 << true;

    // The same water through C = 60 in DN 80 between DN 100 and DN 150: zeta1 = 0.0648, zeta2 = 0.51202;
    // FP = 1 / sqrt(1 + (0.57682 / 0.0016)(60/6400)^2) = 0.98452 (no Bernoulli terms),
    // FLP = 0.9 / sqrt(1 + (0.81/0.0016) 0.0648 (60/6400)^2) = 0.89871; Q = 0.98452 * 60 * 2.18286.
    Liquid red = iec;
    red.kv = 60.0;
    red.d = "80";
    red.d1 = "100";
    red.d2 = "150";
    QTest::newRow("reducers, not choked") << red << 128.9445001 << false;
    red.p2 = 1.0; // dpmax = (FLP/FP)^2 (6.8 - 0.66193) = 5.1146 <= 5.8: Q = FLP * 60 sqrt(1000 * 6.13807 / 965.4)
    QTest::newRow("reducers, choked") << red << 135.9663789 << true;
    Liquid big = iec;
    big.kv = 60.0;
    big.d = "100";
    big.d1 = big.d2 = "80"; // valve larger than both pipes: 0.5 on both sides
    QTest::newRow("valve larger than the pipes") << big << 130.7808751 << false;
}

void TestFlowEquations::liquidFlow()
{
    QFETCH(Liquid, in);
    QFETCH(double, q);
    QFETCH(bool, choked);
    bool gotChoked = !choked; // must be overwritten
    const Variant got = in.run(gotChoked);
    QCOMPARE(got.type(), Variant::Type::Double); // internal unit: full precision, no text
    QVERIFY2(std::fabs(got.toDouble() - q) < kIterated * std::max(1.0, q),
             qPrintable(QString::number(got.toDouble(), 'g', 12)));
    QCOMPARE(gotChoked, choked);
}

void TestFlowEquations::liquidUnits_data()
{
    QTest::addColumn<Liquid>("in");
    QTest::addColumn<bool>("german");
    QTest::addColumn<double>("q");
    QTest::addColumn<QString>("text"); // empty: the result is a number at full precision

    Liquid base;
    for (const bool german : {false, true}) {
        const char *loc = german ? " (de)" : " (C)";
        Liquid p = base;
        p.qUnit = 2; // 14.142136 / 0.06 = 235.70 l/min, four digits
        QTest::addRow("l/min as four-digit text%s", loc) << p << german << 235.7 << (german ? "235,7" : "235.7");
        p.qUnit = 5; // 4.4 * 14.142136 = 62.225 G.P.M.
        QTest::addRow("G.P.M. as four-digit text%s", loc) << p << german << 62.23 << (german ? "62,23" : "62.23");
        p = base;
        p.p1 = 4.0;
        p.p1Unit = 1; // 5.01325 bar abs. rounded to 5.013: Q = 10 sqrt(2.013), not 10 sqrt(2.01325)
        QTest::addRow("gauge inlet pressure, four digits%s", loc) << p << german << 14.1880231 << QString();
        p = base;
        p.p1 = "5";
        p.p2 = german ? "3,0" : "3.0"; // numbers as the user typed them
        QTest::addRow("pressures as texts%s", loc) << p << german << 14.1421356 << QString();
    }
    Liquid p = base;
    p.kv = 11.6;
    p.kvUnit = 1; // 11.6 Cv = 10 Kv
    QTest::newRow("Cv") << p << false << 14.1421356 << QString();
    p = base;
    p.rho = 62.43;
    p.rhoUnit = 1; // 62.43 lb/cu.ft = 1000 kg/m3
    p.nue = 5000.0;
    p.nueUnit = 1; // 5000 mPas at 1000 kg/m3 = 5000 mm2/s
    QTest::newRow("imperial density, dynamic viscosity") << p << false << 2.6620937 << QString();
    p = base;
    p.kv = 60.0;
    p.d = "3\"";
    p.d1 = "4\"";
    p.d2 = "6\""; // inch sizes: DN 80 between DN 100 and DN 150
    p.dnUnit = 1;
    p.p1 = 6.8;
    p.p2 = 2.2;
    p.pv = 0.701;
    p.rho = 965.4;
    p.nue = 0.326;
    QTest::newRow("inch sizes") << p << false << 128.9445001 << QString();
}

void TestFlowEquations::liquidUnits()
{
    QFETCH(Liquid, in);
    QFETCH(bool, german);
    QFETCH(double, q);
    QFETCH(QString, text);
    numtext::setUserLocale(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
    bool choked = true;
    const Variant got = in.run(choked);
    QVERIFY(!choked);
    if (text.isEmpty()) {
        QCOMPARE(got.type(), Variant::Type::Double);
        QVERIFY2(std::fabs(got.toDouble() - q) < kIterated * q, qPrintable(QString::number(got.toDouble(), 'g', 12)));
    } else {
        QCOMPARE(got.type(), Variant::Type::String);
        QCOMPARE(got.toString(), text);
        QCOMPARE(got.asNumber(), q);
    }
    // The number without the text: the four digits, or the full-precision result itself.
    const double number = in.number(choked);
    QVERIFY2(number == (text.isEmpty() ? got.toDouble() : q), qPrintable(QString::number(number, 'g', 17)));
}

// Flows of a few litres per hour and less change by less than 0.0001 m3/h from one Reynolds step to the next long
// before they settle: they must still come out converged, not overstated.
void TestFlowEquations::tinyViscousFlowsConverge_data()
{
    QTest::addColumn<double>("kv");
    QTest::addColumn<double>("nue");
    // DN 15 in DN 15 pipes, 6 to 5 bar abs., 900 kg/m3, FL 0.9.
    QTest::newRow("2.7 l/h (stopped at 2.779 l/h)") << 0.05 << 1000.0;
    QTest::newRow("0.023 l/h (stopped at 0.039 l/h)") << 0.002 << 1000.0;
    QTest::newRow("0.00011 l/h (stopped at 0.00085 l/h)") << 0.0005 << 30000.0;
}

void TestFlowEquations::tinyViscousFlowsConverge()
{
    QFETCH(double, kv);
    QFETCH(double, nue);
    Liquid in;
    in.kv = kv;
    in.d = in.d1 = in.d2 = "15";
    in.p1 = 6.0;
    in.p2 = 5.0;
    in.pv = 0.0;
    in.rho = 900.0;
    in.nue = nue;
    double rev = 0.0;
    const double expected = laminarConvergedFlow(kv, 0.9, 15.0, 1.0, 900.0, nue, rev);
    QVERIFY(rev < 80.0); // the laminar branch holds at the result
    bool choked = true;
    const double got = in.run(choked).toDouble();
    QVERIFY(!choked);
    QVERIFY2(std::fabs(got - expected) < kIterated * expected,
             qPrintable(QStringLiteral("%1 l/h, converged %2 l/h").arg(got * 1000, 0, 'g', 10).arg(expected * 1000, 0, 'g', 10)));
}

// --- Gases and steam ---------------------------------------------------------------------------------------------

void TestFlowEquations::gasFlow_data()
{
    QTest::addColumn<Gas>("in");
    QTest::addColumn<double>("w");    // when text is empty: the number at full precision
    QTest::addColumn<QString>("text"); // otherwise the four-digit text (C locale)

    Gas base;
    // x = 0.2, Fgamma = 1, Y = 1 - 0.2/2.1 = 0.90476: W = 31.6 * 10 * 0.90476 sqrt(0.2 * 5 * 5.93) = 696.22 kg/h
    QTest::newRow("steam, subcritical") << base << 696.2235919 << QString();
    Gas g = base;
    g.p2 = 1.0; // x = 0.8 limited to 0.7, Y = 2/3
    QTest::newRow("steam, choked") << g << 959.7479484 << QString();
    g.p2 = 0.2; // any lower p2 passes the same flow
    QTest::newRow("steam, choked at a lower p2") << g << 959.7479484 << QString();
    g.kappa = 1.3; // Fgamma = 0.92857: x limited to 0.65
    QTest::newRow("choked limit follows Fgamma") << g << 924.8362642 << QString();
    g = base;
    g.qUnit = 1; // 696.22 / 0.454 lb/h
    QTest::newRow("steam in lb/h") << g << 1534.0 << QString("1534");
    g = base;
    g.zustand = 0;
    g.qUnit = 1; // ideal gas in kg/h: the internal unit
    QTest::newRow("ideal gas in kg/h") << g << 696.2235919 << QString();

    // Carbon dioxide after IEC 60534-2-1: p1 6.8, p2 4.5 bar abs., T1 433 K, Z 0.988, M 44.01, kappa 1.30,
    // xT 0.60, DN 100 in DN 100 pipe, C = 67.2 Kv. rho1 = p1 M / (Z R T1) = 8.414 kg/m3, rhoN = 1.9635 kg/m3.
    // x = 2.3/6.8 = 0.33824 < Fgamma xT = 0.55714; Y = 1 - 0.33824 / (3 * 0.92857 * 0.6) = 0.79764;
    // W = 31.6 * 67.2 * 0.79764 sqrt(0.33824 * 6.8 * 8.414) = 7451.2 kg/h; / 1.9635 = 3794.9 m3/h norm, the
    // 3800 m3/h that the standard sizes to C = 67.2.
    Gas co2;
    co2.zustand = 0;
    co2.kv = 67.2;
    co2.xt = 0.6;
    co2.d = co2.d1 = co2.d2 = "100";
    co2.p1 = 6.8;
    co2.p2 = 4.5;
    co2.rho1 = 8.414;
    co2.rhoN = 1.9635;
    co2.kappa = 1.3;
    co2.qUnit = 0;
    QTest::newRow("carbon dioxide, IEC style") << co2 << 3795.0 << QString("3795");
    // IEC 60534-2-1 example 3 before its reducers are considered: p2 3.1 bar abs., DN 80: x = 0.54412 < Fgamma xT
    // = 0.55714, Y = 0.67446; W = 31.6 * 62.7 * 0.67446 sqrt(0.54412 * 6.8 * 8.414) = 7456.1 kg/h, 3797 m3/h norm
    // (the standard's 3800 m3/h and C = 62.7).
    Gas ex3 = co2;
    ex3.kv = 62.7;
    ex3.d = ex3.d1 = ex3.d2 = "80";
    ex3.p2 = 3.1;
    ex3.qUnit = 1; // kg/h
    QTest::newRow("carbon dioxide, IEC example without reducers") << ex3 << 7456.1156083 << QString();

    // Reducers with Bernoulli terms: DN 80 between DN 100 and DN 150, C = 60:
    // sum zeta = 0.0648 + 0.51202 + 0.5904 - 0.91909 = 0.24813, FP = 0.99325;
    // xTP = (0.6 / FP^2) / (1 + (0.6 * 0.6552 / 0.0018)(60/6400)^2) = 0.59672.
    Gas red = co2;
    red.zustand = 2;
    red.kv = 60.0;
    red.d = "80";
    red.d1 = "100";
    red.d2 = "150";
    red.p2 = 3.1;
    red.rho1 = 8.3;
    QTest::newRow("reducers with Bernoulli terms") << red << 7020.0784153 << QString();
    red.p2 = 1.0; // choked at Fgamma xTP = 0.55410 (not Fgamma xT), Y = 2/3
    QTest::newRow("reducers, choked at xTP") << red << 7020.9382148 << QString();
    red.p2 = 3.1;
    red.d = "100";
    red.d1 = red.d2 = "80"; // valve larger than both pipes
    QTest::newRow("valve larger than the pipes") << red << 7059.3834322 << QString();
}

void TestFlowEquations::gasFlow()
{
    QFETCH(Gas, in);
    QFETCH(double, w);
    QFETCH(QString, text);
    const Variant got = in.run();
    if (text.isEmpty()) {
        QCOMPARE(got.type(), Variant::Type::Double);
        QVERIFY2(std::fabs(got.toDouble() - w) < 5e-7 * w, qPrintable(QString::number(got.toDouble(), 'g', 12)));
    } else {
        QCOMPARE(got.type(), Variant::Type::String);
        QCOMPARE(got.toString(), text);
    }
    // The number without the text: the four digits, or the full-precision result itself.
    const double number = in.number();
    QVERIFY2(number == (text.isEmpty() ? got.toDouble() : text.toDouble()),
             qPrintable(QString::number(number, 'g', 17)));
}

void TestFlowEquations::gasOfStateLiquidHasNoResult()
{
    Gas g;
    g.zustand = 1;
    QVERIFY(g.run().isEmpty());
    QCOMPARE(g.number(), 0.0);
}

// --- Inputs without meaning --------------------------------------------------------------------------------------

void TestFlowEquations::unusableLiquidInputs_data()
{
    QTest::addColumn<Liquid>("in");
    QTest::addColumn<bool>("zero");    // the whole number 0, ChokedFlow untouched
    QTest::addColumn<double>("q");     // otherwise this flow
    QTest::addColumn<bool>("choked");

    Liquid base;
    Liquid p = base;
    p.kv = 0.0;
    QTest::newRow("no flow coefficient") << p << true << 0.0 << false;
    p.kv = -3.0;
    QTest::newRow("negative flow coefficient") << p << true << 0.0 << false;
    p.kv = "abc";
    QTest::newRow("flow coefficient not numeric") << p << true << 0.0 << false;
    p = base;
    p.d = "0";
    QTest::newRow("valve size 0") << p << true << 0.0 << false;
    p = base;
    p.d = "7\"";
    p.dnUnit = 1; // no row in the size table
    QTest::newRow("unknown inch size") << p << true << 0.0 << false;
    p = base;
    p.fl = 0.0;
    QTest::newRow("FL 0") << p << true << 0.0 << false;
    p = base;
    p.rho = 0.0;
    QTest::newRow("density 0") << p << true << 0.0 << false;

    p = base;
    p.nue = 0.0; // no viscosity: turbulent, FR = 1
    QTest::newRow("viscosity 0") << p << false << 14.1421356 << false;
    p.nue = -5.0;
    QTest::newRow("negative viscosity") << p << false << 14.1421356 << false;
    p = base;
    p.nue = 5000.0;
    p.d1 = "0"; // inlet pipe 0: Rev infinite, FR = 1; beta1 = 0, zeta1 = 0.5, FP = 1/sqrt(1.005)
    QTest::newRow("inlet pipe 0") << p << false << 14.1069127 << false;
    p = base;
    p.p2 = 6.0; // outlet above inlet: no flow, not choked
    QTest::newRow("reversed pressures") << p << false << 0.0 << false;
    p = base;
    p.p1 = 0.0;
    p.p2 = 0.0;
    QTest::newRow("no pressure at all") << p << false << 0.0 << true;
}

void TestFlowEquations::unusableLiquidInputs()
{
    QFETCH(Liquid, in);
    QFETCH(bool, zero);
    QFETCH(double, q);
    QFETCH(bool, choked);
    for (const bool preset : {false, true}) {
        bool flag = preset;
        const Variant got = in.run(flag);
        if (zero) {
            QVERIFY(isWholeZero(got));
            QCOMPARE(flag, preset);
            bool numberFlag = preset;
            QCOMPARE(in.number(numberFlag), 0.0);
            QCOMPARE(numberFlag, preset);
        } else {
            QVERIFY(std::isfinite(got.toDouble()));
            QVERIFY2(std::fabs(got.toDouble() - q) < 5e-7 * std::max(1.0, q),
                     qPrintable(QString::number(got.toDouble(), 'g', 12)));
            QCOMPARE(flag, choked);
        }
    }
}

void TestFlowEquations::unusableGasInputs_data()
{
    QTest::addColumn<Gas>("in");

    Gas base;
    Gas g = base;
    g.kv = 0.0;
    QTest::newRow("no flow coefficient") << g;
    g = base;
    g.xt = 0.0;
    QTest::newRow("xT 0") << g;
    g = base;
    g.xt = -0.5;
    QTest::newRow("negative xT") << g;
    g = base;
    g.kappa = 0.0;
    QTest::newRow("isentropic exponent 0") << g;
    g = base;
    g.d = "0";
    QTest::newRow("valve size 0") << g;
    g = base;
    g.p1 = "";
    QTest::newRow("no inlet pressure") << g;
    g = base;
    g.kv = 1000.0;
    g.d2 = "400"; // expander far outside the range: 1 + (sum zeta / N2)(C/d^2)^2 < 0
    QTest::newRow("negative piping-factor radicand") << g;
}

void TestFlowEquations::unusableGasInputs()
{
    QFETCH(Gas, in);
    QVERIFY(isWholeZero(in.run()));
    QCOMPARE(in.number(), 0.0);
}

void TestFlowEquations::extremeMagnitudesStayFinite_data()
{
    QTest::addColumn<bool>("liquid");
    QTest::addColumn<Variant>("kv");
    QTest::addColumn<Variant>("p1");
    QTest::addColumn<Variant>("nue");

    QTest::newRow("liquid, huge coefficient") << true << Variant(1e200) << Variant(5.0) << Variant(1.0);
    QTest::newRow("liquid, huge pressure") << true << Variant(10.0) << Variant(1e300) << Variant(1.0);
    QTest::newRow("liquid, tiny viscosity") << true << Variant(10.0) << Variant(5.0) << Variant(1e-300);
    QTest::newRow("liquid, huge viscosity") << true << Variant(10.0) << Variant(5.0) << Variant(1e300);
    QTest::newRow("gas, huge coefficient") << false << Variant(1e200) << Variant(5.0) << Variant();
    QTest::newRow("gas, huge pressure") << false << Variant(10.0) << Variant(1e308) << Variant();
}

void TestFlowEquations::extremeMagnitudesStayFinite()
{
    QFETCH(bool, liquid);
    QFETCH(Variant, kv);
    QFETCH(Variant, p1);
    QFETCH(Variant, nue);
    Variant got;
    if (liquid) {
        Liquid p;
        p.kv = kv;
        p.p1 = p1;
        p.nue = nue;
        bool choked = false;
        got = p.run(choked);
    } else {
        Gas g;
        g.kv = kv;
        g.p1 = p1;
        got = g.run();
    }
    QVERIFY(got.isNumeric());
    const double v = got.toDouble();
    QVERIFY(std::isfinite(v));
    QVERIFY(v >= 0.0);
}

void TestFlowEquations::characteristicCurves()
{
    // Kv = Kvs (a0 + a1 y + ... + a5 y^5); at full travel the sums of the coefficients.
    QCOMPARE(flow::curveKv(40.0, 0.01, 0.1, 0.2, 0.3, 0.2, 0.19, 1.0), 40.0 * (0.01 + 0.1 + 0.2 + 0.3 + 0.2 + 0.19));
    // y = 0.5: 40 (0.01 + 0.05 + 0.05 + 0.0375 + 0.0125 + 0.0059375) = 6.6375
    QVERIFY(std::fabs(flow::curveKv(40.0, 0.01, 0.1, 0.2, 0.3, 0.2, 0.19, 0.5) - 6.6375) < 1e-12);
    QCOMPARE(flow::curveFL(0.95, -0.1, 0.05, 1.0), 0.95 - 0.1 + 0.05);
    QVERIFY(std::fabs(flow::curveFL(0.95, -0.1, 0.05, 0.5) - 0.9125) < 1e-12);
    QVERIFY(std::fabs(flow::curveXT(0.8, -0.2, 0.1, 0.5) - 0.725) < 1e-12);
}

// The numbers the recalculations take are, to the last bit, those the results read as (a converted flow through
// its four-digit text in the user's notation), over random operating points in every flow unit.
void TestFlowEquations::numbersAsTheResultsRead_data()
{
    QTest::addColumn<bool>("liquid");
    QTest::addColumn<int>("zustand");
    QTest::addColumn<int>("qUnit");
    QTest::newRow("gas, m3/h norm") << false << 0 << 0;
    QTest::newRow("gas, kg/h") << false << 0 << 1;
    QTest::newRow("gas, l/min norm") << false << 0 << 2;
    QTest::newRow("gas, lb/h") << false << 0 << 3;
    QTest::newRow("gas, standard cu.ft/h") << false << 0 << 4;
    QTest::newRow("steam, kg/h") << false << 2 << 0;
    QTest::newRow("steam, lb/h") << false << 2 << 1;
    QTest::newRow("liquid, m3/h") << true << 1 << 0;
    QTest::newRow("liquid, kg/h") << true << 1 << 1;
    QTest::newRow("liquid, l/min") << true << 1 << 2;
    QTest::newRow("liquid, G.P.M.") << true << 1 << 5;
}

void TestFlowEquations::numbersAsTheResultsRead()
{
    QFETCH(bool, liquid);
    QFETCH(int, zustand);
    QFETCH(int, qUnit);
    std::mt19937_64 rng(30 + 7 * qUnit + zustand);
    auto between = [&](double lo, double hi) {
        return lo * std::pow(hi / lo, std::uniform_real_distribution<>(0, 1)(rng));
    };
    const char *sizes[] = {"15", "25", "50", "80", "150"};
    auto size = [&] { return Variant(sizes[rng() % 5]); };
    for (int i = 0; i < 5000; ++i) {
        double number = 0.0;
        Variant result;
        if (liquid) {
            Liquid p;
            p.kv = between(0.01, 2000);
            p.d = size();
            p.d1 = size();
            p.d2 = size();
            p.p1 = between(1, 100);
            p.p2 = p.p1.toDouble() * between(0.05, 1.2);
            p.rho = between(500, 1500);
            p.rhoUnit = int(rng() % 2);
            p.nue = between(0.1, 20000);
            p.qUnit = qUnit;
            bool choked = false, numberChoked = false;
            result = p.run(choked);
            number = p.number(numberChoked);
            QCOMPARE(numberChoked, choked);
        } else {
            Gas g;
            g.zustand = zustand;
            g.kv = between(0.01, 2000);
            g.d = size();
            g.d1 = size();
            g.d2 = size();
            g.p1 = between(1, 100);
            g.p2 = g.p1.toDouble() * between(0.05, 1.2);
            g.rho1 = between(0.1, 50);
            g.rhoN = between(0.1, 3);
            g.rhoUnit = int(rng() % 2);
            g.kappa = between(1.05, 1.67);
            g.qUnit = qUnit;
            result = g.run();
            number = g.number();
        }
        const double read = result.asNumber();
        QVERIFY2(std::memcmp(&number, &read, sizeof number) == 0,
                 qPrintable(QStringLiteral("%1 reads as %2, the number is %3")
                                .arg(result.toString(), QString::number(read, 'g', 17),
                                     QString::number(number, 'g', 17))));
    }
}

QTEST_GUILESS_MAIN(TestFlowEquations)
#include "test_flow_equations.moc"
