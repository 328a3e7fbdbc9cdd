#include "units/held_unit_values.h"

#include "units/conversions.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

bool pressureUnit(int unit)
{
    return unit >= 0 && unit <= 7;
}

bool temperatureUnit(int unit)
{
    return unit == 0 || unit == 1;
}

// A conversion that yields no finite number keeps the old value rather than storing garbage.
void assignFinite(double &target, double value)
{
    if (std::isfinite(value))
        target = value;
}

} // namespace

void switchHeldUnit(HeldUnit unit, int index, SharedData &data)
{
    switch (unit) {
    case HeldUnit::pUnit:
        if (index == data.pUnit || !pressureUnit(index))
            return;
        if (pressureUnit(data.pUnit)) {
            for (double *p : {&data.psatMin, &data.psatNorm, &data.psatMax, &data.pkrit})
                assignFinite(*p, umrechnenDruck(Variant(*p), data.pUnit, index));
        }
        data.pUnit = index;
        return;
    case HeldUnit::TUnit:
        if (index == data.TUnit || !temperatureUnit(index))
            return;
        if (temperatureUnit(data.TUnit)) {
            assignFinite(data.Tkrit, umrechnenTemperatur(Variant(data.Tkrit), data.TUnit, index));
            // The reference temperature is a whole number of degrees in either unit.
            const double t = umrechnenTemperatur(Variant(data.TBezugFlüssigkeit), data.TUnit, index);
            if (std::isfinite(t))
                data.TBezugFlüssigkeit =
                    static_cast<int>(std::lround(std::clamp(t, double(INT_MIN), double(INT_MAX))));
        }
        data.TUnit = index;
        return;
    case HeldUnit::T1Unit:
        if (index == data.T1Unit || !temperatureUnit(index))
            return;
        if (temperatureUnit(data.T1Unit)) {
            for (double *rise : {&data.DeltaTMin, &data.DeltaTNorm, &data.DeltaTMax})
                assignFinite(*rise, umrechnenTemperaturDifferenz(Variant(*rise), data.T1Unit, index));
        }
        data.T1Unit = index;
        return;
    }
}

FluidUnits fluidUnitsOf(const SharedData &data)
{
    return FluidUnits{data.rhoUnit, data.pUnit, data.TUnit, data.nueUnit};
}

void adoptFluidUnits(const FluidUnits &units, SharedData &data)
{
    const FluidUnits old = fluidUnitsOf(data);

    // Viscosities first, through the densities still in the unit they were written in.
    if (old.nueUnit != units.nueUnit && (units.nueUnit == 0 || units.nueUnit == 1)) {
        auto convert = [&](double &nue, double rho) {
            const Variant v = umrechnenViskositaet(Variant(nue), old.nueUnit, Variant(rho), old.rhoUnit, units.nueUnit);
            // Without a density there is no conversion; the value is then left as it was.
            if (v.isNumeric())
                assignFinite(nue, v.toDouble());
        };
        convert(data.nueMin, data.rho1Min);
        convert(data.nueNorm, data.rho1Norm);
        convert(data.nueMax, data.rho1Max);
        data.nueUnit = units.nueUnit;
    }

    if (old.rhoUnit != units.rhoUnit && (units.rhoUnit == 0 || units.rhoUnit == 1)) {
        for (double *rho : {&data.rho1Min, &data.rho1Norm, &data.rho1Max, &data.rhoN}) {
            const Variant v = umrechnenDichte(Variant(*rho), old.rhoUnit, units.rhoUnit);
            if (v.isNumeric())
                assignFinite(*rho, v.toDouble());
        }
        data.rhoUnit = units.rhoUnit;
    }

    switchHeldUnit(HeldUnit::pUnit, units.pUnit, data);
    switchHeldUnit(HeldUnit::TUnit, units.TUnit, data);
}

void convertNominalSizes(int oldDNunit, int newDNunit, SharedData &data)
{
    for (QString *size : {&data.DNVentil, &data.DN1Rohr, &data.DN2Rohr})
        *size = umrechnenDN(Variant(*size), oldDNunit, newDNunit).toString();
}
