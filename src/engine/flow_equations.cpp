#include "flow_equations.h"

#include "units/conversions.h"

#include <cmath>

namespace {

// Numerical constants of IEC 60534-2-1 for Kv, m3/h, kg/h, bar, mm, kg/m3 and mm2/s.
constexpr double N1 = 1.0;
constexpr double N2 = 0.0016;
constexpr double N4 = 70700.0;
constexpr double N5 = 0.0018;
constexpr double N6 = 31.6;
constexpr double Fd = 1.0;

// The Reynolds iteration stops when a step changes the flow by less than both of these. The absolute one alone
// ends tiny viscous flows (a few l/h and less) long before they settle; the relative one alone would iterate large
// flows beyond the digits anybody reads.
constexpr double kReynoldsTolerance = 0.0001;        // m3/h
constexpr double kReynoldsRelativeTolerance = 1e-6; // of the flow

// A root of a negative or non-finite number has no flow behind it.
double rootOrZero(double x)
{
    return (x > 0.0 && std::isfinite(x)) ? std::sqrt(x) : 0.0;
}

// pow(x, 2), where a base of 1 needs no power: pow(1, y) is exactly 1.
double square(double x)
{
    return x == 1.0 ? 1.0 : std::pow(x, 2);
}

double finiteOrZero(double x)
{
    return std::isfinite(x) ? x : 0.0;
}

// Nominal size as a diameter in mm: the size table gives a text, taken as a number; no row gives 0.
double diameterMm(const Variant &dn, int DNunit)
{
    // In millimetres already: the conversion would hand the value back as it is.
    if (DNunit == 0)
        return dn.asNumber();
    return umrechnenDN(dn, DNunit, 0).asNumber();
}

struct LiquidStep {
    double Q = 0.0;
    bool choked = false;
};

} // namespace

namespace flow {

ReducerCoefficients reducerCoefficients(double d, double D1, double D2)
{
    ReducerCoefficients z;
    // Pipes of the valve's size: every term below is exactly +0 (a ratio of 1, pow(0, 2) and pow(1, 4) are exact).
    if (d == D1 && d == D2 && d > 0.0 && std::isfinite(d))
        return z;
    const double beta1 = d <= D1 ? d / D1 : D1 / d;
    z.zeta1 = 0.5 * std::pow(1.0 - beta1 * beta1, 2);

    double beta2;
    if (d <= D2) {
        beta2 = d / D2;
        z.zeta2 = 1.0 * std::pow(1.0 - beta2 * beta2, 2);
    } else {
        beta2 = D2 / d;
        z.zeta2 = 0.5 * std::pow(1.0 - beta2 * beta2, 2);
    }
    z.zetaB1 = 1.0 - std::pow(beta1, 4);
    z.zetaB2 = 1.0 - std::pow(beta2, 4);
    return z;
}

double curveKv(double KvsCv, double a0, double a1, double a2, double a3, double a4, double a5, double y)
{
    return KvsCv * (a0 + a1 * y + a2 * std::pow(y, 2) + a3 * std::pow(y, 3) + a4 * std::pow(y, 4)
                    + a5 * std::pow(y, 5));
}

double curveFL(double aFL, double bFL, double cFL, double y)
{
    return aFL + bFL * y + cFL * std::pow(y, 2);
}

double curveXT(double axT, double bxT, double cxT, double y)
{
    return axT + bxT * y + cxT * std::pow(y, 2);
}

} // namespace flow

double calcFR(double ReV)
{
    if (std::isnan(ReV))
        return 1.0;
    if (ReV <= 0.0)
        return 0.0;
    if (ReV >= 10000.0)
        return 1.0;
    const double lgRev = std::log(ReV) / std::log(10.0);
    if (ReV < 80.0)
        return std::pow(10.0, 0.4919 * lgRev - 1.2661);
    return std::pow(10.0, lgRev * (0.52805 - 0.0628 * lgRev) - 1.1075);
}

namespace flow {

LiquidConditions liquidConditions(int Medium, const Variant &DNVentil, const Variant &DN1Rohr, const Variant &DN2Rohr,
                                  int DNunit, const Variant &p1, int p1Unit, const Variant &p2, int p2Unit,
                                  const Variant &pkrit, const Variant &psat, int pUnit, const Variant &rho1,
                                  int rhoUnit, const Variant &nue, int nueUnit)
{
    LiquidConditions c;
    c.Medium = Medium;
    c.d = diameterMm(DNVentil, DNunit);
    c.D1 = diameterMm(DN1Rohr, DNunit);
    c.D2 = diameterMm(DN2Rohr, DNunit);
    c.P1 = umrechnenDruck(p1, p1Unit, 0);
    c.P2 = umrechnenDruck(p2, p2Unit, 0);
    const double pc = umrechnenDruck(pkrit, pUnit, 0);
    double pv = umrechnenDruck(psat, pUnit, 0);
    c.rho = dichteZahl(rho1, rhoUnit, 0);
    c.nu = viskositaetZahl(nue, nueUnit, rho1, rhoUnit, 0);
    if (c.d > 0.0)
        c.z = reducerCoefficients(c.d, c.D1, c.D2);

    if (pv > c.P1)
        pv = c.P1;
    if (pv == 0.0 || pc == 0.0) {
        c.FF = 0.96;
    } else {
        if (pv < 0.0)
            pv = 0.0;
        c.FF = 0.96 - 0.28 * std::sqrt(pv / pc);
    }
    c.pv = pv;
    return c;
}

bool liquidFlow(const LiquidConditions &c, double C, double fl, double &Q, bool &ChokedFlow)
{
    if (C <= 0.0)
        return false;
    // Without a valve bore, a recovery factor or a density the equation has nothing to say.
    if (!(c.d > 0.0) || !(fl > 0.0) || !(c.rho > 0.0))
        return false;

    const double d = c.d, rho = c.rho, nu = c.nu;
    const ReducerCoefficients &z = c.z;
    const double Cd2 = C / (d * d);
    const double Cd2Squared = std::pow(Cd2, 2);
    const double flSquared = std::pow(fl, 2);
    const double FP = 1.0 / std::sqrt(1.0 + ((z.zeta1 + z.zeta2) / N2) * Cd2Squared);
    const double FLP = fl / std::sqrt(1.0 + (flSquared / N2) * z.zeta1 * Cd2Squared);

    const double dp = c.P1 - c.P2;
    const double dpChoked = c.P1 - c.FF * c.pv;
    // Without reducers FP is 1 and FLP is FL: the square is the one just taken.
    const double ratio = FLP / FP;
    const double dpmax = (ratio == fl ? flSquared : std::pow(ratio, 2)) * dpChoked;

    const auto flowRule = [&](double FR) {
        LiquidStep s;
        if (dp < dpmax) {
            s.Q = N1 * FP * FR * C * rootOrZero(1000.0 * dp / rho);
            s.choked = false;
        } else {
            s.Q = N1 * FLP * FR * C * rootOrZero(1000.0 * dpChoked / rho);
            s.choked = true;
        }
        return s;
    };

    // Without a viscosity the flow is taken as turbulent; an inlet pipe of size 0 makes the Reynolds number
    // infinite, which calcFR answers with 1 as well.
    const bool viscous = nu > 0.0;
    // The parts of the valve Reynolds number that do not change from step to step. The second factor is 1 or
    // more (or NaN): where the first part alone reaches 10000 (or is NaN), so does the Reynolds number (or it is
    // NaN), and FR is 1 without it.
    const double reynoldsDivisor = viscous ? nu * std::sqrt(FP * fl * C) : 0.0;
    double reynoldsFactor = -1.0;
    // The rule at FR = 1, needed first and again at every turbulent step.
    const LiquidStep atFROne = flowRule(1.0);
    LiquidStep last = atFROne;
    last.Q = finiteOrZero(last.Q);
    double Qold = last.Q;
    for (int step = 0; step < kReynoldsStepLimit; ++step) {
        double FR = 1.0;
        if (viscous) {
            const double first = N4 * Fd * Qold / reynoldsDivisor;
            if (!(first >= 10000.0) && !std::isnan(first)) {
                if (reynoldsFactor < 0.0)
                    reynoldsFactor =
                        std::pow((square(FP) * flSquared * std::pow(C, 2)) / (N2 * c.D1pow4()) + 1.0, 0.25);
                FR = calcFR(first * reynoldsFactor);
            }
        }
        const LiquidStep next = FR == 1.0 ? atFROne : flowRule(FR);
        if (!std::isfinite(next.Q))
            break; // keep the last flow
        last = next;
        const double change = std::fabs(next.Q - Qold);
        if (change < kReynoldsTolerance && change <= kReynoldsRelativeTolerance * std::fabs(next.Q))
            break;
        Qold = next.Q;
    }

    Q = last.Q;
    switch (c.Medium) {
    case 10: Q = Q / 1.05; break;
    case 11: Q = Q / 1.1; break;
    case 12: Q = Q / 1.2; break;
    case 13: Q = Q / 1.25; break;
    default: break;
    }
    ChokedFlow = last.choked;
    return true;
}

} // namespace flow

namespace {

// The liquid equation's flow in m3/h and the density in kg/m3; false where calcQ_inkomp gives its early 0.
bool liquidFlowM3h(int Medium, const Variant &Kv, int KvUnit, const Variant &FL, const Variant &DNVentil,
                   const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit,
                   const Variant &p2, int p2Unit, const Variant &pkrit, const Variant &psat, int pUnit,
                   const Variant &rho1, int rhoUnit, const Variant &nue, int nueUnit, bool &ChokedFlow, double &Q,
                   double &rho)
{
    const double C = kvCvZahl(Kv, KvUnit, 0);
    if (C <= 0.0)
        return false;
    const flow::LiquidConditions c = flow::liquidConditions(Medium, DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2,
                                                            p2Unit, pkrit, psat, pUnit, rho1, rhoUnit, nue, nueUnit);
    rho = c.rho;
    return flow::liquidFlow(c, C, FL.asNumber(), Q, ChokedFlow);
}

} // namespace

Variant calcQ_inkomp(int Medium, const Variant &Kv, int KvUnit, const Variant &FL, const Variant &DNVentil,
                     const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit,
                     const Variant &p2, int p2Unit, const Variant &pkrit, const Variant &psat, int pUnit,
                     const Variant &rho1, int rhoUnit, const Variant &nue, int nueUnit, int QUnit,
                     bool &ChokedFlow)
{
    double Q = 0.0, rho = 0.0;
    if (!liquidFlowM3h(Medium, Kv, KvUnit, FL, DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2, p2Unit, pkrit, psat,
                       pUnit, rho1, rhoUnit, nue, nueUnit, ChokedFlow, Q, rho))
        return Variant(0);
    // In m3/h already (Q is finite): the conversion would hand the value back as it is.
    if (QUnit == 0)
        return Variant(Q);
    return umrechnenDurchflussFluessig(Variant(Q), 0, Variant(rho), 0, QUnit);
}

double calcQ_inkompZahl(int Medium, const Variant &Kv, int KvUnit, const Variant &FL, const Variant &DNVentil,
                        const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit,
                        const Variant &p2, int p2Unit, const Variant &pkrit, const Variant &psat, int pUnit,
                        const Variant &rho1, int rhoUnit, const Variant &nue, int nueUnit, int QUnit,
                        bool &ChokedFlow)
{
    double Q = 0.0, rho = 0.0;
    if (!liquidFlowM3h(Medium, Kv, KvUnit, FL, DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2, p2Unit, pkrit, psat,
                       pUnit, rho1, rhoUnit, nue, nueUnit, ChokedFlow, Q, rho))
        return 0.0;
    if (QUnit == 0)
        return Q;
    return durchflussFluessigZahl(Variant(Q), 0, Variant(rho), 0, QUnit);
}

namespace {

// The piping geometry factor FP and the choked pressure ratio Fγ·xTP of the gas equation, internal units; both NaN
// where the equation has no meaning (no valve bore, xT or isentropic exponent, or reducers so far outside the
// equation's range that FP has no real root). z holds the reducers of d, D1 and D2 when d > 0.
struct GasGeometry {
    double FP = NAN;
    double xChoked = NAN;
};

GasGeometry gasGeometry(double C, double xt, double d, const flow::ReducerCoefficients &z, double kappa)
{
    GasGeometry g;
    if (!(d > 0.0) || !(xt > 0.0) || !(kappa > 0.0) || !(C >= 0.0))
        return g;
    const double Cd2 = C / (d * d);
    const double sumZeta = z.zeta1 + z.zeta2 + z.zetaB1 - z.zetaB2;
    const double Cd2Squared = std::pow(Cd2, 2);
    // An outlet expander makes the sum negative; far outside the equation's range the root has no meaning.
    const double fpRadicand = 1.0 + (sumZeta / N2) * Cd2Squared;
    if (!(fpRadicand > 0.0) || !std::isfinite(fpRadicand))
        return g;
    const double FP = 1.0 / std::sqrt(fpRadicand);
    const double xTP = (xt / square(FP)) / (1.0 + (xt * (z.zeta1 + z.zetaB1) / N5) * Cd2Squared);
    const double Fgamma = kappa / 1.4;
    if (!std::isfinite(xTP) || !(xTP > 0.0))
        return g;
    g.FP = FP;
    g.xChoked = Fgamma * xTP;
    return g;
}

} // namespace

namespace flow {

GasConditions gasConditions(const Variant &DNVentil, const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit,
                            const Variant &p1, int p1Unit, const Variant &p2, int p2Unit, const Variant &rho1,
                            int rhoUnit, const Variant &gamma)
{
    GasConditions c;
    c.P1 = umrechnenDruck(p1, p1Unit, 0);
    c.P2 = umrechnenDruck(p2, p2Unit, 0);
    c.rho = dichteZahl(rho1, rhoUnit, 0);
    c.d = diameterMm(DNVentil, DNunit);
    if (c.d > 0.0)
        c.z = reducerCoefficients(c.d, diameterMm(DN1Rohr, DNunit), diameterMm(DN2Rohr, DNunit));
    c.kappa = gamma.asNumber();
    return c;
}

bool gasFlow(const GasConditions &c, double C, double xt, double &W)
{
    if (C <= 0.0)
        return false;
    const GasGeometry g = gasGeometry(C, xt, c.d, c.z, c.kappa);
    if (!std::isfinite(g.xChoked) || !(c.P1 > 0.0))
        return false;

    double x = (c.P1 - c.P2) / c.P1;
    if (x > g.xChoked)
        x = g.xChoked;
    const double Y = 1.0 - x / (3.0 * g.xChoked);
    W = finiteOrZero(N6 * g.FP * C * Y * rootOrZero(x * c.P1 * c.rho));
    return true;
}

double chokedPressureRatio(const GasConditions &c, double C, double xt)
{
    return gasGeometry(C, xt, c.d, c.z, c.kappa).xChoked;
}

} // namespace flow

namespace {

// The gas equation's mass flow in kg/h; false where calcQ_komp gives its early 0.
bool gasFlowKgh(const Variant &Kv, int KvUnit, const Variant &xT, const Variant &DNVentil, const Variant &DN1Rohr,
                const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit, const Variant &p2, int p2Unit,
                const Variant &rho1, int rhoUnit, const Variant &gamma, double &W)
{
    const double C = kvCvZahl(Kv, KvUnit, 0);
    if (C <= 0.0)
        return false;
    const flow::GasConditions c =
        flow::gasConditions(DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2, p2Unit, rho1, rhoUnit, gamma);
    return flow::gasFlow(c, C, xT.asNumber(), W);
}

} // namespace

Variant calcQ_komp(const Variant &Kv, int KvUnit, const Variant &xT, const Variant &DNVentil,
                   const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit,
                   const Variant &p2, int p2Unit, const Variant &rho1, const Variant &rhoN, int rhoUnit,
                   const Variant &gamma, int Zustand, int QUnit)
{
    double W = 0.0;
    if (!gasFlowKgh(Kv, KvUnit, xT, DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2, p2Unit, rho1, rhoUnit, gamma,
                    W))
        return Variant(0);
    switch (Zustand) {
    case 0: return umrechnenDurchflussGas(Variant(W), 1, rhoN, rhoUnit, QUnit);
    case 2: return umrechnenMassenstrom(Variant(W), 0, QUnit);
    default: return Variant();
    }
}

double calcQ_kompZahl(const Variant &Kv, int KvUnit, const Variant &xT, const Variant &DNVentil,
                      const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit,
                      const Variant &p2, int p2Unit, const Variant &rho1, const Variant &rhoN, int rhoUnit,
                      const Variant &gamma, int Zustand, int QUnit)
{
    double W = 0.0;
    if (!gasFlowKgh(Kv, KvUnit, xT, DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2, p2Unit, rho1, rhoUnit, gamma,
                    W))
        return 0.0;
    switch (Zustand) {
    case 0: return durchflussGasZahl(Variant(W), 1, rhoN, rhoUnit, QUnit);
    case 2: return massenstromZahl(Variant(W), 0, QUnit);
    default: return 0.0;
    }
}

double flow::chokedPressureRatio(const Variant &Kv, int KvUnit, const Variant &xT, const Variant &DNVentil,
                                 const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit,
                                 const Variant &gamma)
{
    const double C = kvCvZahl(Kv, KvUnit, 0);
    const double d = diameterMm(DNVentil, DNunit);
    ReducerCoefficients z;
    if (d > 0.0)
        z = reducerCoefficients(d, diameterMm(DN1Rohr, DNunit), diameterMm(DN2Rohr, DNunit));
    return gasGeometry(C > 0.0 ? C : 0.0, xT.asNumber(), d, z, gamma.asNumber()).xChoked;
}
