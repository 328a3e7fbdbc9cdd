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

void convertHeldUnitValues(int oldPUnit, int newPUnit, int oldTUnit, int newTUnit, SharedData &data)
{
    if (oldPUnit != newPUnit && pressureUnit(oldPUnit) && pressureUnit(newPUnit))
        assignFinite(data.pkrit, umrechnenDruck(Variant(data.pkrit), oldPUnit, newPUnit));

    if (oldTUnit != newTUnit && temperatureUnit(oldTUnit) && temperatureUnit(newTUnit)) {
        assignFinite(data.Tkrit, umrechnenTemperatur(Variant(data.Tkrit), oldTUnit, newTUnit));
        // The reference temperature is a whole number of degrees in either unit.
        const double t = umrechnenTemperatur(Variant(data.TBezugFlüssigkeit), oldTUnit, newTUnit);
        if (std::isfinite(t))
            data.TBezugFlüssigkeit = static_cast<int>(std::lround(std::clamp(t, double(INT_MIN), double(INT_MAX))));
    }
}
