#include "water_steam.h"

#include "units/conversions.h"

#include <cmath>

namespace {

constexpr double kPkrit = 220.93;          // bar, vapour-pressure equation
constexpr double kTkritK = 647.25;         // K, vapour-pressure equation
constexpr double kTsatUeberkritisch = 374.15;
constexpr double kTsatTripel = 0.01;
constexpr double kPTripelTsat = 0.006112;  // bar
constexpr double kPTripelR = 0.006108;     // bar
constexpr double kPkritDampf = 221.287;    // bar, steam density equation and enthalpy of vaporisation
constexpr double kTkritDampfK = 647.3;     // K
constexpr double kKelvin = 273.15;
constexpr double kPNorm = 1.01325;

// The widest start interval needs 15 halvings to fall below 0.01 K; the cap only matters for undefined input.
constexpr int kMaxHalvings = 100;

double finiteOrZero(double x)
{
    return std::isfinite(x) ? x : 0.0;
}

double bar(const Variant &p, int einheit)
{
    return umrechnenDruck(p, einheit, 0);
}

double celsius(const Variant &t, int einheit)
{
    return umrechnenTemperatur(t, einheit, 0);
}

double kgm3(const Variant &rho, int einheit)
{
    return umrechnenDichte(rho, einheit, 0).asNumber();
}

// Whether psatBar(t) lies below p (less than 0), above it (more than 0) or on it (0), decided exactly as
// comparing psatBar(t) with p does. A quick evaluation of the same curve (a polynomial in sqrt(tau), no powers)
// differs from psatBar by less than 1e-12 relative in the bisection's range; where it lies farther than 1e-9 from
// p the answer cannot differ, and only closer calls compute psatBar itself.
int comparePsat(double tC, double p)
{
    if (tC <= 374) {
        const double tr = (tC + kKelvin) / kTkritK;
        const double tau = 1.0 - tr;
        if (tau >= 0.0 && tau <= 0.6) {
            const double r = std::sqrt(tau);
            const double s = tau
                * (-7.8889166
                   + r * (2.5514255
                          + r * (-6.716169
                                 + r * (33.239495
                                        + r * (-105.38479 + r * (174.35319 + r * (-148.39348 + r * 48.631602)))))));
            const double quick = kPkrit * std::exp(s / tr);
            if (quick < p * (1.0 - 1e-9))
                return -1;
            if (quick > p * (1.0 + 1e-9))
                return 1;
        }
    }
    const double exact = water_steam::psatBar(tC);
    return exact < p ? -1 : exact > p ? 1 : 0;
}

} // namespace

namespace water_steam {

bool isSaturatedSteamPressure(double pBar)
{
    return pBar >= kPTripelTsat && pBar <= kPkrit;
}

double psatBar(double tC)
{
    if (tC > 374)
        return kPkrit;
    const double tr = (tC + kKelvin) / kTkritK;
    const double tau = 1.0 - tr;
    const double s = -7.8889166 * tau + 2.5514255 * std::pow(tau, 1.5) - 6.716169 * std::pow(tau, 2.0)
        + 33.239495 * std::pow(tau, 2.5) - 105.38479 * std::pow(tau, 3.0) + 174.35319 * std::pow(tau, 3.5)
        - 148.39348 * std::pow(tau, 4.0) + 48.631602 * std::pow(tau, 4.5);
    return finiteOrZero(kPkrit * std::exp(s / tr));
}

double tsatC(double p)
{
    if (std::isnan(p))
        p = 0.0;
    if (p > kPkrit)
        return kTsatUeberkritisch;
    if (p < kPTripelTsat)
        return kTsatTripel;
    const double t0 = -5600.0 / (std::log(p / kPkrit) - 9.5) - kKelvin;
    double lower = kTsatTripel;
    double upper = kTsatUeberkritisch;
    if (comparePsat(t0, p) > 0)
        upper = t0;
    else
        lower = t0;
    for (int i = 0; i < kMaxHalvings; ++i) {
        const double m = (lower + upper) / 2.0;
        if (comparePsat(m, p) < 0)
            lower = m;
        else
            upper = m;
        if (upper - lower < 0.01 || std::isnan(m))
            break;
    }
    return finiteOrZero((lower + upper) / 2.0);
}

double rhoDampf(double p, double tC)
{
    const double tr = (tC + kKelvin) / kTkritDampfK;
    const double pr = p / kPkritDampf;
    const double v = 0.0134992 * tr / pr - 0.0047331 / std::pow(tr, 2.82)
        - pr * pr * (0.00293945 / std::pow(tr, 14.0) + 0.00000435507 / std::pow(tr, 31.4));
    return finiteOrZero(1.0 / v);
}

} // namespace water_steam

Variant calcPsatWasser(const Variant &T, int TEinheit, int pEinheit)
{
    const double ps = water_steam::psatBar(celsius(T, TEinheit));
    return umrechnenDruck(ps, 0, pEinheit);
}

Variant calcTsatWasser(const Variant &p, int pEinheit, int TEinheit)
{
    const double ts = water_steam::tsatC(bar(p, pEinheit));
    return umrechnenTemperatur(ts, 0, TEinheit);
}

Variant calcRhoWasser(const Variant &T, int TEinheit, int RhoEinheit)
{
    const double t = celsius(T, TEinheit);
    const double rho = 1002.989 - 0.163879 * t - 0.002648607 * t * t;
    return umrechnenDichte(finiteOrZero(rho), 0, RhoEinheit);
}

Variant calcRhoDampf(Variant &p, int pEinheit, const Variant &T, int TEinheit, int RhoEinheit)
{
    // A zero pressure would divide by zero; the caller keeps the replacement.
    if (p.isEmpty() || (p.isNumeric() && p.toDouble() == 0.0))
        p = Variant(0.000001);
    const double rho = water_steam::rhoDampf(bar(p, pEinheit), celsius(T, TEinheit));
    return umrechnenDichte(rho, 0, RhoEinheit);
}

Variant calcNueWasser(const Variant &T, int TEinheit, const Variant &Rho, int RhoEinheit, int ViskEinheit)
{
    const double t = celsius(T, TEinheit);
    const double nue = 1.767101 - 0.05185435 * t + 0.0008383361 * std::pow(t, 2.0)
        - 0.000007388232 * std::pow(t, 3.0) + 0.00000003472778 * std::pow(t, 4.0)
        - 0.00000000008102186 * std::pow(t, 5.0) + 0.00000000000007342719 * std::pow(t, 6.0);
    return umrechnenViskositaet(finiteOrZero(nue), 0, Rho, RhoEinheit, ViskEinheit);
}

Variant calcRVerdampfung(const Variant &p, int pEinheit)
{
    const double pb = bar(p, pEinheit);
    if (pb >= kPkritDampf)
        return 0.0;
    if (pb <= kPTripelR)
        return 2501.0;
    const double x = water_steam::tsatC(pb) / 373.15;
    const double r = 2501.0
        * (0.9876 + 0.0678 * x - 2.6182 * std::pow(x, 2.0) + 5.0783 * std::pow(x, 3.0) - 3.3947 * std::pow(x, 4.0));
    return finiteOrZero(r);
}

Variant calcKappaDampf(const Variant &p, int pEinheit, const Variant &T, int TEinheit)
{
    const double pb = bar(p, pEinheit);
    const double dT = celsius(T, TEinheit) - water_steam::tsatC(pb);
    const double a = -0.000046938 + 0.0000064457 * pb - 0.00000014497 * std::pow(pb, 2.0)
        + 0.000000001395 * std::pow(pb, 3.0);
    const double b = -0.00000012864 - 0.000000020566 * pb + 0.00000000061929 * std::pow(pb, 2.0)
        - 0.0000000000068313 * std::pow(pb, 3.0);
    const double c = 1.3148 - 0.0011632 * pb + 0.0000062016 * std::pow(pb, 2.0);
    return finiteOrZero(c + a * dT + b * dT * dT);
}

Variant calcRho1Gas(const Variant &p, int pEinheit, const Variant &T, int TEinheit, const Variant &RhoN,
                    int RhoNEinheit, int RhoEinheit)
{
    const double rhoN = kgm3(RhoN, RhoNEinheit);
    const double rho = rhoN * bar(p, pEinheit) * kKelvin / ((celsius(T, TEinheit) + kKelvin) * kPNorm);
    return umrechnenDichte(finiteOrZero(rho), 0, RhoEinheit);
}
