#include "pipe_velocity.h"

#include "engine/water_steam.h"
#include "units/conversions.h"

#include <array>
#include <cmath>

namespace {

constexpr double kPi = 3.141593;

struct Empfehlung {
    int dn;
    double c1, c2; // liquid at 100 and at 1 mm²/s
    double c3, c4; // gas at 1 and at 100 bar abs
    double c5, c6; // steam: c5 + c6 lg p
};

constexpr std::array<Empfehlung, 18> kDNReihe{{
    {8, 0.3, 0.8, 2.5, 7, 15, 0},
    {10, 0.3, 0.8, 2.5, 7, 15, 0},
    {15, 0.4, 1.1, 3.5, 10, 19.23, 12.805},
    {20, 0.48, 1.3, 4, 11, 20.02, 13.14},
    {25, 0.53, 1.5, 5, 13, 20.17, 13.52},
    {32, 0.6, 1.6, 5.5, 15, 20.37, 14.018},
    {40, 0.7, 2, 7, 18, 20.6, 14.534},
    {50, 0.8, 2.2, 8, 21, 20.89, 15.104},
    {65, 0.95, 2.5, 9, 25, 21.34, 15.798},
    {80, 1.1, 2.8, 10, 27, 21.8, 16.298},
    {100, 1.2, 3.2, 12, 30, 22.43, 16.665},
    {125, 1.3, 3.4, 13, 32, 23.34, 16.642},
    {150, 1.4, 3.6, 14, 35, 24.07, 16.086},
    {200, 1.5, 4, 15, 39, 24.75, 17.257},
    {250, 1.6, 4.1, 17, 40, 25.42, 16.637},
    {300, 1.7, 4.2, 18, 42, 25.75, 15.316},
    {350, 1.8, 4.5, 18, 45, 26.02, 14.091},
    {400, 1.8, 4.5, 18, 45, 26.06, 13.614},
}};

double finiteOrZero(double x)
{
    return std::isfinite(x) ? x : 0.0;
}

} // namespace

Variant calcGeschwindigkeit(int Stelle, const Variant &DN, int DNEinheit, const Variant &Q, int QEinheit,
                            const Variant &Rho1, const Variant &RhoN, int RhoEinheit, const Variant &p1,
                            int p1Einheit, const Variant &p2, int p2Einheit, const Variant &T1, int TEinheit,
                            int Zustand, int Medium, int vEinheit)
{
    const double d = umrechnenDN(DN, DNEinheit, 0).asNumber() / 1000.0;
    double rho = umrechnenDichte(Rho1, RhoEinheit, 0).asNumber();
    const double p1Bar = umrechnenDruck(p1, p1Einheit, 0);
    const double p2Bar = umrechnenDruck(p2, p2Einheit, 0);
    const double t1 = umrechnenTemperatur(T1, TEinheit, 0);

    if (Stelle == 2) {
        if (Zustand == 0)
            rho = rho * p2Bar / p1Bar;
        if (Medium == 2) {
            Variant p2Var(p2Bar);
            rho = calcRhoDampf(p2Var, 0, t1, 0, 0).asNumber();
        }
        if (Zustand == 2 && Medium != 2)
            rho = rho * p2Bar / p1Bar;
    }

    double mKgh = 0.0;
    if (Zustand == 0)
        mKgh = umrechnenDurchflussGas(Q, QEinheit, RhoN, RhoEinheit, 1).asNumber();
    else if (Zustand == 1)
        mKgh = umrechnenDurchflussFluessig(Q, QEinheit, Rho1, RhoEinheit, 1).asNumber();
    else if (Zustand == 2)
        mKgh = umrechnenMassenstrom(Q, QEinheit, 0).asNumber();
    const double m = mKgh / 3600.0;

    double w = 0.0;
    if (Stelle == 1 || Stelle == 2)
        w = 4.0 * m / (rho * d * d * kPi);
    // No size or no density: no meaningful velocity, and nothing infinite may reach a label.
    return umrechnenGeschwindigkeit(finiteOrZero(w), 0, vEinheit);
}

Variant calcRohrEmpfGeschwindigkeit(const Variant &DN, int DNEinheit, const Variant &Rho, int RhoEinheit,
                                    const Variant &p, int pEinheit, const Variant &Visk, int ViskEinheit, int Zustand,
                                    int Medium, int vEinheit)
{
    const double dn = umrechnenDN(DN, DNEinheit, 0).asNumber();
    const double pBar = umrechnenDruck(p, pEinheit, 0);
    const double nue = umrechnenViskositaet(Visk, ViskEinheit, Rho, RhoEinheit, 0).asNumber();

    Empfehlung c{0, 0, 0, 0, 0, 0, 0};
    for (const Empfehlung &row : kDNReihe) {
        if (row.dn == dn) {
            c = row;
            break;
        }
    }

    double w = 0.0;
    if (Zustand == 1) {
        w = c.c2 + (nue - 1.0) * (c.c1 - c.c2) / 99.0;
        if (nue < 1)
            w = c.c2;
        if (nue > 100)
            w = c.c1;
    }
    if (Medium == 2)
        w = c.c5 + c.c6 * (std::log(pBar) / std::log(10.0));
    if (Zustand != 1 && Medium != 2) {
        w = c.c3 + (pBar - 1.0) * (c.c4 - c.c3) / 99.0;
        if (pBar < 1)
            w = c.c3;
        if (pBar > 100)
            w = c.c4;
    }
    // Steam at a pressure of 0 has no logarithm.
    return umrechnenGeschwindigkeit(finiteOrZero(w), 0, vEinheit);
}

Variant calcDNRohrVorschlag(int Stelle, const Variant &Q, int QEinheit, const Variant &Rho1, const Variant &RhoN,
                            int RhoEinheit, const Variant &p1, int p1Einheit, const Variant &p2, int p2Einheit,
                            const Variant &T1, int TEinheit, const Variant &Visk, int ViskEinheit, int Zustand,
                            int Medium, int vEinheit, int DNEinheit)
{
    Variant pRef;
    int pRefEinheit = 0;
    if (Stelle == 1) {
        pRef = p1;
        pRefEinheit = p1Einheit;
    } else if (Stelle == 2) {
        pRef = p2;
        pRefEinheit = p2Einheit;
    }

    auto abstand = [&](int dn) {
        const double w = calcGeschwindigkeit(Stelle, dn, 0, Q, QEinheit, Rho1, RhoN, RhoEinheit, p1, p1Einheit, p2,
                                             p2Einheit, T1, TEinheit, Zustand, Medium, vEinheit)
                             .asNumber();
        const double wr = calcRohrEmpfGeschwindigkeit(dn, 0, Rho1, RhoEinheit, pRef, pRefEinheit, Visk, ViskEinheit,
                                                      Zustand, Medium, vEinheit)
                              .asNumber();
        return std::fabs(wr - w);
    };

    int vorschlag = kDNReihe.back().dn;
    double dPrev = abstand(kDNReihe.front().dn);
    for (std::size_t i = 1; i < kDNReihe.size(); ++i) {
        const double dNeu = abstand(kDNReihe[i].dn);
        if (dNeu - dPrev > 0) {
            vorschlag = kDNReihe[i - 1].dn;
            break;
        }
        dPrev = dNeu;
    }
    return umrechnenDN(vorschlag, 0, DNEinheit);
}
