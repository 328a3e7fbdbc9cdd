#include "lee_kesler.h"

#include "lee_kesler_table.h"
#include "units/conversions.h"

#include <cmath>

namespace lee_kesler {

std::optional<Terms> terms(double Tr, double pr, int phase)
{
    // Written so that NaN fails every test.
    if (!(Tr >= 0.3 && Tr <= 4.0 && pr >= 0.01 && pr <= 10.0) || (phase != 1 && phase != 2))
        return std::nullopt;
    int lo = int(kNodes.size()) - 2;
    while (lo > 0 && pr < kNodes[std::size_t(lo)])
        --lo;
    const double prLo = kNodes[std::size_t(lo)];
    const double prHi = kNodes[std::size_t(lo + 1)];
    const double z0lo = column(Term::Z0, lo, Tr, phase);
    const double z0hi = column(Term::Z0, lo + 1, Tr, phase);
    const double z1lo = column(Term::Z1, lo, Tr, phase);
    const double z1hi = column(Term::Z1, lo + 1, Tr, phase);
    return Terms{z0lo + (pr - prLo) * (z0hi - z0lo) / (prHi - prLo), z1lo + (pr - prLo) * (z1hi - z1lo) / (prHi - prLo)};
}

} // namespace lee_kesler

Estimate calcZLeeKesler(const Variant &p, int p1Unit, const Variant &T, int T1Unit, const CriticalPoint &kritisch,
                        const Variant &w, int ZustandAssistent)
{
    const double TK = umrechnenTemperatur(T, T1Unit, 0) + 273.15;
    const double TcK = umrechnenTemperatur(kritisch.Tkrit, kritisch.TUnit, 0) + 273.15;
    const double pBar = umrechnenDruck(p, p1Unit, 0);
    const double pcBar = umrechnenDruck(kritisch.pkrit, kritisch.pUnit, 0);
    if (!(TcK > 0.0) || !(pcBar > 0.0) || !w.isNumeric())
        return Estimate::outsideRange();
    const double omega = w.toDouble();
    if (!std::isfinite(omega))
        return Estimate::outsideRange();
    const std::optional<lee_kesler::Terms> t = lee_kesler::terms(TK / TcK, pBar / pcBar, ZustandAssistent);
    if (!t)
        return Estimate::outsideRange();
    const double Z = t->Z0 + omega * t->Z1;
    if (!(Z > 0.0) || !std::isfinite(Z))
        return Estimate::outsideRange();
    return Estimate::of(Z);
}
