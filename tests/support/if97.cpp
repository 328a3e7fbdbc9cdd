#include "if97.h"

#include <cmath>

namespace if97 {

namespace {

struct Term {
    int I;
    int J;
    double n;
};

// Region 1, Table 2 of the release.
constexpr Term kRegion1[] = {
    {0, -2, 0.14632971213167}, {0, -1, -0.84548187169114}, {0, 0, -0.37563603672040e1},
    {0, 1, 0.33855169168385e1}, {0, 2, -0.95791963387872}, {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1}, {0, 5, 0.81214629983568e-3}, {1, -9, 0.28319080123804e-3},
    {1, -7, -0.60706301565874e-3}, {1, -1, -0.18990068218419e-1}, {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1}, {1, 3, -0.52838357969930e-4}, {2, -3, -0.47184321073267e-3},
    {2, 0, -0.30001780793026e-3}, {2, 1, 0.47661393906987e-4}, {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15}, {3, -4, -0.31679644845054e-4}, {3, 0, -0.28270797985312e-5},
    {3, 6, -0.85205128120103e-9}, {4, -5, -0.22425281908000e-5}, {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12}, {5, -8, -0.40516996860117e-6}, {8, -11, -0.12734301741641e-8},
    {8, -6, -0.17424871230634e-9}, {21, -29, -0.68762131295531e-18}, {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22}, {30, -39, -0.11947622640071e-22}, {31, -40, 0.18228094581404e-23},
    {32, -41, -0.93537087292458e-25}};

// Region 2, ideal-gas part (Table 10: J and n) and residual part (Table 11).
constexpr Term kRegion2Ideal[] = {
    {0, 0, -0.96927686500217e1}, {0, 1, 0.10086655968018e2},  {0, -5, -0.56087911283020e-2},
    {0, -4, 0.71452738081455e-1}, {0, -3, -0.40710498223928}, {0, -2, 0.14240819171444e1},
    {0, -1, -0.43839511319450e1}, {0, 2, -0.28408632460772},  {0, 3, 0.21268463753307e-1}};
constexpr Term kRegion2Residual[] = {
    {1, 0, -0.17731742473213e-2},   {1, 1, -0.17834862292358e-1},  {1, 2, -0.45996013696365e-1},
    {1, 3, -0.57581259083432e-1},   {1, 6, -0.50325278727930e-1},  {2, 1, -0.33032641670203e-4},
    {2, 2, -0.18948987516315e-3},   {2, 4, -0.39392777243355e-2},  {2, 7, -0.43797295650573e-1},
    {2, 36, -0.26674547914087e-4},  {3, 0, 0.20481737692309e-7},   {3, 1, 0.43870667284435e-6},
    {3, 3, -0.32277677238570e-4},   {3, 6, -0.15033924542148e-2},  {3, 35, -0.40668253562649e-1},
    {4, 1, -0.78847309559367e-9},   {4, 2, 0.12790717852285e-7},   {4, 3, 0.48225372718507e-6},
    {5, 7, 0.22922076337661e-5},    {6, 3, -0.16714766451061e-10}, {6, 16, -0.21171472321355e-2},
    {6, 35, -0.23895741934104e2},   {7, 0, -0.59059564324270e-17}, {7, 11, -0.12621808899101e-5},
    {7, 25, -0.38946842435739e-1},  {8, 8, 0.11256211360459e-10},  {8, 36, -0.82311340897998e1},
    {9, 13, 0.19809712802088e-7},   {10, 4, 0.10406965210174e-18}, {10, 10, -0.10234747095929e-12},
    {10, 14, -0.10018179379511e-8}, {16, 29, -0.80882908646985e-10}, {16, 50, 0.10693031879409},
    {18, 57, -0.33662250574171},    {20, 20, 0.89185845355421e-24}, {20, 35, 0.30629316876232e-12},
    {20, 48, -0.42002467698208e-5}, {21, 21, -0.59056029685639e-25}, {22, 53, 0.37826947613457e-5},
    {23, 39, -0.12768608934681e-14}, {24, 26, 0.73087610595061e-28}, {24, 40, 0.55414715350778e-16},
    {24, 58, -0.94369707241210e-6}};

// Region 3, Table 30; the first coefficient belongs to ln(delta).
constexpr double kRegion3Log = 0.10658070028513e1;
constexpr Term kRegion3[] = {
    {0, 0, -0.15732845290239e2},  {0, 1, 0.20944396974307e2},   {0, 2, -0.76867707878716e1},
    {0, 7, 0.26185947787954e1},   {0, 10, -0.28080781148620e1}, {0, 12, 0.12053369696517e1},
    {0, 23, -0.84566812812502e-2}, {1, 2, -0.12654315477714e1},  {1, 6, -0.11524407806681e1},
    {1, 15, 0.88521043984318},    {1, 17, -0.64207765181607},   {2, 0, 0.38493460186671},
    {2, 2, -0.85214708824206},    {2, 6, 0.48972281541877e1},   {2, 7, -0.30502617256965e1},
    {2, 22, 0.39420536879154e-1}, {2, 26, 0.12558408424308},    {3, 0, -0.27999329698710},
    {3, 2, 0.13899799569460e1},   {3, 4, -0.20189915023570e1},  {3, 16, -0.82147637173963e-2},
    {3, 26, -0.47596035734923},   {4, 0, 0.43984074473500e-1},  {4, 2, -0.44476435428739},
    {4, 4, 0.90572070719733},     {4, 26, 0.70522450087967},    {5, 1, 0.10770512626332},
    {5, 3, -0.32913623258954},    {5, 26, -0.50871062041158},   {6, 0, -0.22175400873096e-1},
    {6, 2, 0.94260751665092e-1},  {6, 26, 0.16436278447961},    {7, 2, -0.13503372241348e-1},
    {8, 26, -0.14834345352472e-1}, {9, 2, 0.57922953628084e-3},  {9, 26, 0.32308904703711e-2},
    {10, 0, 0.80964802996215e-4}, {10, 1, -0.16557679795037e-3}, {11, 26, -0.44923899061815e-4}};

// Region 4, Table 34.
constexpr double kN4[] = {0.11670521452767e4,  -0.72421316703206e6, -0.17073846940092e2, 0.12020824702470e5,
                          -0.32325550322333e7, 0.14915108613530e2,  -0.48232657361591e4, 0.40511340542057e6,
                          -0.23855557567849,   0.65017534844798e3};

// Boundary B23, Table 1.
constexpr double kB23[] = {0.34805185628969e3, -0.11671859879975e1, 0.10192970039326e-2};

// Viscosity 2008: the dilute-gas coefficients H_i and the residual coefficients H_ij.
constexpr double kH0[] = {1.67752, 2.20462, 0.6366564, -0.241605};
constexpr Term kH1[] = {
    {0, 0, 0.520094},  {1, 0, 0.0850895},  {2, 0, -1.08374},   {3, 0, -0.289555},  {0, 1, 0.222531},
    {1, 1, 0.999115},  {2, 1, 1.88797},    {3, 1, 1.26613},    {5, 1, 0.120573},   {0, 2, -0.281378},
    {1, 2, -0.906851}, {2, 2, -0.772479},  {3, 2, -0.489837},  {4, 2, -0.25704},   {0, 3, 0.161913},
    {1, 3, 0.257399},  {0, 4, -0.0325372}, {3, 4, 0.0698452},  {4, 5, 0.00872102}, {3, 6, -0.00435673},
    {5, 6, -0.000593264}};

double ipow(double x, int n)
{
    return std::pow(x, n);
}

struct Region3Derivatives {
    double d = 0, dd = 0, t = 0, tt = 0, dt = 0; // phi_delta, phi_deltadelta, phi_tau, phi_tautau, phi_deltatau
};

Region3Derivatives region3Derivatives(double delta, double tau)
{
    Region3Derivatives r;
    r.d = kRegion3Log / delta;
    r.dd = -kRegion3Log / (delta * delta);
    for (const Term &t : kRegion3) {
        const double dI = ipow(delta, t.I), tJ = ipow(tau, t.J);
        if (t.I != 0) {
            r.d += t.n * t.I * ipow(delta, t.I - 1) * tJ;
            if (t.J != 0)
                r.dt += t.n * t.I * ipow(delta, t.I - 1) * t.J * ipow(tau, t.J - 1);
        }
        if (t.I > 1)
            r.dd += t.n * t.I * (t.I - 1) * ipow(delta, t.I - 2) * tJ;
        if (t.J != 0)
            r.t += t.n * dI * t.J * ipow(tau, t.J - 1);
        if (t.J > 1)
            r.tt += t.n * dI * t.J * (t.J - 1) * ipow(tau, t.J - 2);
    }
    return r;
}

double region3Pressure(double rho, double T)
{
    const double delta = rho / rhoc;
    double phiDelta = kRegion3Log / delta;
    const double tau = Tc / T;
    for (const Term &t : kRegion3)
        if (t.I != 0)
            phiDelta += t.n * t.I * ipow(delta, t.I - 1) * ipow(tau, t.J);
    return rho * R * T * delta * phiDelta / 1000.0;
}

// The density of region 3 at T whose pressure is p: the smallest such density (the vapour) or the largest (the
// liquid). The isotherm is scanned in small steps for its first or last crossing of p, which is then halved down.
double region3Density(double p, double T, bool vapour)
{
    const double step = 1.0;
    const double lowest = 50.0, highest = 800.0;
    double a = vapour ? lowest : highest;
    double fa = region3Pressure(a, T) - p;
    for (int i = 0; i < 100000; ++i) {
        const double b = vapour ? a + step : a - step;
        const double fb = region3Pressure(b, T) - p;
        if ((fa <= 0) != (fb <= 0)) {
            double lo = a, hi = b;
            double flo = fa;
            for (int k = 0; k < 60; ++k) {
                const double m = 0.5 * (lo + hi);
                const double fm = region3Pressure(m, T) - p;
                if ((fm <= 0) == (flo <= 0)) {
                    lo = m;
                    flo = fm;
                } else {
                    hi = m;
                }
            }
            return 0.5 * (lo + hi);
        }
        a = b;
        fa = fb;
        if (a < lowest - 1 || a > highest + 1)
            break;
    }
    return NAN;
}

} // namespace

double psat(double T)
{
    const double theta = T + kN4[8] / (T - kN4[9]);
    const double A = theta * theta + kN4[0] * theta + kN4[1];
    const double B = kN4[2] * theta * theta + kN4[3] * theta + kN4[4];
    const double C = kN4[5] * theta * theta + kN4[6] * theta + kN4[7];
    return std::pow(2 * C / (-B + std::sqrt(B * B - 4 * A * C)), 4);
}

double tsat(double p)
{
    const double beta = std::pow(p, 0.25);
    const double E = beta * beta + kN4[2] * beta + kN4[5];
    const double F = kN4[0] * beta * beta + kN4[3] * beta + kN4[6];
    const double G = kN4[1] * beta * beta + kN4[4] * beta + kN4[7];
    const double D = 2 * G / (-F - std::sqrt(F * F - 4 * E * G));
    return (kN4[9] + D - std::sqrt((kN4[9] + D) * (kN4[9] + D) - 4 * (kN4[8] + kN4[9] * D))) / 2;
}

State region1(double p, double T)
{
    const double pi = p / 16.53, tau = 1386.0 / T;
    double gp = 0, gpp = 0, gt = 0, gtt = 0, gpt = 0;
    for (const Term &t : kRegion1) {
        const double a = 7.1 - pi, b = tau - 1.222;
        if (t.I != 0) {
            gp += -t.n * t.I * ipow(a, t.I - 1) * ipow(b, t.J);
            gpt += -t.n * t.I * ipow(a, t.I - 1) * t.J * ipow(b, t.J - 1);
        }
        if (t.I > 1)
            gpp += t.n * t.I * (t.I - 1) * ipow(a, t.I - 2) * ipow(b, t.J);
        gt += t.n * ipow(a, t.I) * t.J * ipow(b, t.J - 1);
        gtt += t.n * ipow(a, t.I) * t.J * (t.J - 1) * ipow(b, t.J - 2);
    }
    State s;
    s.p = p;
    s.T = T;
    s.rho = p * 1000.0 / (R * T * pi * gp);
    s.h = R * T * tau * gt;
    s.w = std::sqrt(1000.0 * R * T * gp * gp / ((gp - tau * gpt) * (gp - tau * gpt) / (tau * tau * gtt) - gpp));
    return s;
}

State region2(double p, double T)
{
    const double pi = p, tau = 540.0 / T;
    double g0t = 0, g0tt = 0;
    for (const Term &t : kRegion2Ideal) {
        g0t += t.n * t.J * ipow(tau, t.J - 1);
        g0tt += t.n * t.J * (t.J - 1) * ipow(tau, t.J - 2);
    }
    double grp = 0, grpp = 0, grt = 0, grtt = 0, grpt = 0;
    for (const Term &t : kRegion2Residual) {
        const double b = tau - 0.5;
        grp += t.n * t.I * ipow(pi, t.I - 1) * ipow(b, t.J);
        grpp += t.n * t.I * (t.I - 1) * ipow(pi, t.I - 2) * ipow(b, t.J);
        grt += t.n * ipow(pi, t.I) * t.J * ipow(b, t.J - 1);
        grtt += t.n * ipow(pi, t.I) * t.J * (t.J - 1) * ipow(b, t.J - 2);
        grpt += t.n * t.I * ipow(pi, t.I - 1) * t.J * ipow(b, t.J - 1);
    }
    State s;
    s.p = p;
    s.T = T;
    s.rho = p * 1000.0 / (R * T * pi * (1.0 / pi + grp));
    s.h = R * T * tau * (g0t + grt);
    const double num = 1 + 2 * pi * grp + pi * pi * grp * grp;
    const double x = 1 + pi * grp - tau * pi * grpt;
    const double den = (1 - pi * pi * grpp) + x * x / (tau * tau * (g0tt + grtt));
    s.w = std::sqrt(1000.0 * R * T * num / den);
    return s;
}

State region3(double rho, double T)
{
    const double delta = rho / rhoc, tau = Tc / T;
    const Region3Derivatives f = region3Derivatives(delta, tau);
    State s;
    s.rho = rho;
    s.T = T;
    s.p = rho * R * T * delta * f.d / 1000.0;
    s.h = R * T * (tau * f.t + delta * f.d);
    const double x = delta * f.d - delta * tau * f.dt;
    s.w = std::sqrt(1000.0 * R * T * (2 * delta * f.d + delta * delta * f.dd - x * x / (tau * tau * f.tt)));
    return s;
}

double b23Pressure(double T)
{
    return kB23[0] + kB23[1] * T + kB23[2] * T * T;
}

namespace {

// The state of region 3 at T with the pressure p, on the vapour's or the liquid's side.
State region3At(double p, double T, bool vapour)
{
    State s = region3(region3Density(p, T, vapour), T);
    s.p = p;
    return s;
}

} // namespace

State saturatedLiquid(double T)
{
    return T <= 623.15 ? region1(psat(T), T) : region3At(psat(T), T, false);
}

State saturatedVapour(double T)
{
    return T <= 623.15 ? region2(psat(T), T) : region3At(psat(T), T, true);
}

State steam(double p, double T)
{
    if (T <= 623.15 || T >= 863.15 || p <= b23Pressure(T))
        return region2(p, T);
    return region3At(p, T, true);
}

State liquid(double p, double T)
{
    return T <= 623.15 ? region1(p, T) : region3At(p, T, false);
}

double enthalpyOfVaporisation(double p)
{
    const double T = tsat(p);
    return saturatedVapour(T).h - saturatedLiquid(T).h;
}

double viscosity(double rho, double T)
{
    const double Tr = T / Tc, rr = rho / rhoc;
    double sum0 = 0;
    for (int i = 0; i < 4; ++i)
        sum0 += kH0[i] / ipow(Tr, i);
    const double mu0 = 100.0 * std::sqrt(Tr) / sum0;
    double sum1 = 0;
    for (const Term &t : kH1)
        sum1 += t.n * ipow(1.0 / Tr - 1.0, t.I) * ipow(rr - 1.0, t.J);
    return mu0 * std::exp(rr * sum1) * 1e-6;
}

} // namespace if97
