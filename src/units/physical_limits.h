#pragma once

#include <array>

// What a medium or a valve can physically be. The dialogs refuse a typed or taken-over value outside these limits
// (beep, focus, nothing stored); the recalculations refuse stored data outside them, whatever brought it (an older
// project file, an edited database). Each rule holds in any of the units the program offers for its quantity.
// A value that is a limit it may reach to the four significant digits the program shows and converts with counts
// as that limit (-14.70 psig is a vapour pressure of 0), and a curve that reaches a bound within a few units in
// the last place reaches it (0.34 + 0.56 + 0.10 is 1).
namespace physical {

// The largest magnitude any quantity of the program reaches in any of its units. Beyond it a value is a typing
// accident or a damaged record, and squares and products of it in the flow equations lose all meaning.
inline constexpr double largestMagnitude = 1e12;

// Finite and no larger in magnitude than largestMagnitude.
bool isSensibleNumber(double value);

// Isentropic exponent: above 1 (cp > cv for every gas).
bool isValidKappa(double kappa);
// Density and norm density: above 0.
bool isValidDensity(double density);
// Kinematic or dynamic viscosity: above 0.
bool isValidViscosity(double viscosity);
// Vapour pressure (absolute): 0 or above.
bool isValidVapourPressure(double pressure);
// Critical pressure (absolute): above 0.
bool isValidCriticalPressure(double pressure);
// Molar mass: above 0.
bool isValidMolarMass(double molarMass);
// The two pressure rules for a value in a unit of the pressure list (0 bar abs. … 7 kPa gauge): a gauge value counts
// from the atmosphere, so -1.01325 bar gauge is a vapour pressure of 0.
bool isValidVapourPressure(double pressure, int pressureUnit);
bool isValidCriticalPressure(double pressure, int pressureUnit);
// Critical temperature above the normal boiling point, both in one unit (any offset scale keeps the order).
bool isValidCriticalTemperature(double criticalTemperature, double boilingPoint);
// A temperature in a unit of the temperature list (°C, F): above absolute zero.
bool isAboveAbsoluteZero(double temperature, int temperatureUnit);
// Real-gas factor: above 0 (pV = ZnRT with a positive volume).
bool isValidRealGasFactor(double z);
// Valve coefficient Kvs or Cvs: above 0.
bool isValidFlowCoefficient(double coefficient);

// The largest magnitude of Kv/Kvs a characteristic reaches at any opening: it is relative to Kvs and ends near 1.
inline constexpr double largestRelativeFlowCoefficient = 10.0;
// A Kv characteristic Kv/Kvs = a0 + a1 y + a2 y^2 + a3 y^3 + a4 y^4 + a5 y^5: every coefficient a sensible number,
// and the curve no larger in magnitude than largestRelativeFlowCoefficient at any opening y from 0 to 1.
bool isValidCharacteristic(const std::array<double, 6> &a);

// A pressure recovery factor FL or a critical pressure ratio xT over the opening, f = a + b y + c y^2: every
// coefficient a sensible number, and 0 < f <= 1 at every opening y from 0 to 1 (FL squared and xT each compare a
// pressure drop with a larger one).
bool isValidValveFactorCurve(double a, double b, double c);

} // namespace physical
