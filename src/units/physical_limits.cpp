#include "units/physical_limits.h"

#include "units/conversions.h"

#include <cmath>

namespace physical {

bool isSensibleNumber(double value)
{
    return std::isfinite(value) && std::fabs(value) <= largestMagnitude;
}

static bool sensibleAbove(double value, double bound)
{
    return isSensibleNumber(value) && value > bound;
}

bool isValidKappa(double kappa) { return sensibleAbove(kappa, 1.0); }
bool isValidDensity(double density) { return sensibleAbove(density, 0.0); }
bool isValidViscosity(double viscosity) { return sensibleAbove(viscosity, 0.0); }
bool isValidVapourPressure(double pressure) { return isSensibleNumber(pressure) && pressure >= 0.0; }
bool isValidCriticalPressure(double pressure) { return sensibleAbove(pressure, 0.0); }
bool isValidMolarMass(double molarMass) { return sensibleAbove(molarMass, 0.0); }
bool isValidRealGasFactor(double z) { return sensibleAbove(z, 0.0); }
bool isValidFlowCoefficient(double coefficient) { return sensibleAbove(coefficient, 0.0); }

bool isValidVapourPressure(double pressure, int pressureUnit)
{
    return isSensibleNumber(pressure) && isValidVapourPressure(absoluterDruckBar(pressure, pressureUnit));
}

bool isValidCriticalPressure(double pressure, int pressureUnit)
{
    return isSensibleNumber(pressure) && isValidCriticalPressure(absoluterDruckBar(pressure, pressureUnit));
}

bool isValidCriticalTemperature(double criticalTemperature, double boilingPoint)
{
    return isSensibleNumber(boilingPoint) && sensibleAbove(criticalTemperature, boilingPoint);
}

} // namespace physical
