#include "wizard_estimates.h"

#include "units/conversions.h"

#include <cmath>

namespace {

constexpr double kNullpunkt = 273.15; // °C to kelvin

// A numeric operand above 0 that a formula may divide by.
bool positiv(double x)
{
    return x > 0.0 && std::isfinite(x);
}

double dichteKgM3(const Variant &rho, int rhoUnit)
{
    const Variant kg = umrechnenDichte(rho, rhoUnit, 0);
    return kg.isNumeric() ? kg.toDouble() : 0.0;
}

// Positive finite results only; a partner field is left alone otherwise.
Estimate positivOderKein(double x)
{
    return positiv(x) ? Estimate::of(x) : Estimate::noValue();
}

} // namespace

Estimate calcPsatLeeKesler(const Variant &T, int T1Unit, const CriticalPoint &kritisch, const Variant &w)
{
    return calcPsatLeeKesler(T, T1Unit, kritisch, w, kritisch.pUnit);
}

Estimate calcPsatLeeKesler(const Variant &T, int T1Unit, const CriticalPoint &kritisch, const Variant &w, int pUnit)
{
    const double TK = umrechnenTemperatur(T, T1Unit, 0) + kNullpunkt;
    const double TcK = umrechnenTemperatur(kritisch.Tkrit, kritisch.TUnit, 0) + kNullpunkt;
    const double pc = umrechnenDruck(kritisch.pkrit, kritisch.pUnit, 0);
    if (!(TK > 0.0) || !(TcK > 0.0))
        return Estimate::noValue();
    const double Tr = TK / TcK;
    if (Tr > 1.0)
        return Estimate::of(0.0);
    if (!(pc > 0.0) || !w.isNumeric())
        return Estimate::noValue();
    const double lnTr = std::log(Tr);
    const double Tr6 = std::pow(Tr, 6);
    const double f0 = 5.92714 - 6.09648 / Tr - 1.28862 * lnTr + 0.169347 * Tr6;
    const double f1 = 15.2518 - 15.6875 / Tr - 13.4721 * lnTr + 0.43577 * Tr6;
    const double psat = pc * std::exp(f0 + w.toDouble() * f1);
    if (!std::isfinite(psat))
        return Estimate::noValue();
    return Estimate::of(umrechnenDruck(psat, 0, pUnit));
}

Estimate calcRhoRealgas(const Variant &p, int p1Unit, const Variant &T, int T1Unit, const Variant &M,
                        const CriticalPoint &kritisch, const Variant &w, int ZustandAssistent, int rhoUnit)
{
    const Estimate Z = calcZLeeKesler(p, p1Unit, T, T1Unit, kritisch, w, ZustandAssistent);
    if (!Z.hasValue())
        return Z;
    const double m = M.isNumeric() ? M.toDouble() : 0.0;
    if (!positiv(m))
        return Estimate::noValue();
    const double Rs = 8314.3 / m;
    const double pBar = umrechnenDruck(p, p1Unit, 0);
    const double TK = umrechnenTemperatur(T, T1Unit, 0) + kNullpunkt;
    const double rho = pBar * 100000.0 / (Z.value * TK * Rs);
    const Variant inEinheit = umrechnenDichte(rho, 0, rhoUnit);
    return inEinheit.isNumeric() ? Estimate::of(inEinheit.toDouble()) : Estimate::noValue();
}

Estimate calcNueAssistent(const Variant &, int, const Variant &rho, int rhoUnit, int nueUnit)
{
    const Variant nue = umrechnenViskositaet(1.0, 0, rho, rhoUnit, nueUnit);
    return nue.isNumeric() ? Estimate::of(nue.toDouble()) : Estimate::noValue();
}

Estimate calcKappaAssistent(const Variant &, int, const Variant &, int)
{
    return Estimate::of(1.3);
}

Estimate zFromDensity(const Variant &p1, int p1Unit, const Variant &T1, int T1Unit, const Variant &M,
                      const Variant &rho, int rhoUnit)
{
    const double pBar = umrechnenDruck(p1, p1Unit, 0);
    const double TC = umrechnenTemperatur(T1, T1Unit, 0);
    const double m = M.isNumeric() ? M.toDouble() : 0.0;
    const double rhoKg = dichteKgM3(rho, rhoUnit);
    if (!positiv(pBar) || !positiv(TC + kNullpunkt) || !positiv(m) || !positiv(rhoKg))
        return Estimate::noValue();
    return positivOderKein(100.0 * pBar * m / ((TC + kNullpunkt) * 8.3143 * rhoKg));
}

Estimate densityFromZ(const Variant &p1, int p1Unit, const Variant &T1, int T1Unit, const Variant &M,
                      const Variant &Z, int rhoUnit)
{
    const double pBar = umrechnenDruck(p1, p1Unit, 0);
    const double TC = umrechnenTemperatur(T1, T1Unit, 0);
    const double m = M.isNumeric() ? M.toDouble() : 0.0;
    const double z = Z.isNumeric() ? Z.toDouble() : 0.0;
    if (!positiv(pBar) || !positiv(TC + kNullpunkt) || !positiv(m) || !positiv(z))
        return Estimate::noValue();
    const double rhoKg = 100.0 * pBar * m / ((TC + kNullpunkt) * z * 8.3143);
    const Variant inEinheit = umrechnenDichte(rhoKg, 0, rhoUnit);
    return inEinheit.isNumeric() ? positivOderKein(inEinheit.toDouble()) : Estimate::noValue();
}

Estimate edmisterAcentricFactor(const Variant &Ts, const CriticalPoint &kritisch)
{
    if (!Ts.isNumeric() || !kritisch.Tkrit.isNumeric() || !kritisch.pkrit.isNumeric())
        return Estimate::noValue();
    const double TsK = umrechnenTemperatur(Ts, kritisch.TUnit, 0) + kNullpunkt;
    const double TcK = umrechnenTemperatur(kritisch.Tkrit, kritisch.TUnit, 0) + kNullpunkt;
    const double pc = umrechnenDruck(kritisch.pkrit, kritisch.pUnit, 0);
    if (!(TcK > 0.0) || !(pc > 0.0))
        return Estimate::noValue();
    const double theta = TsK / TcK;
    if (!(theta > 0.0 && theta < 1.0))
        return Estimate::noValue();
    return Estimate::of(3.0 / 7.0 * (theta / (1.0 - theta)) * (std::log(pc / 1.013) / std::log(10.0)) - 1.0);
}
