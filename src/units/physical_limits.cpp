#include "units/physical_limits.h"

#include "units/conversions.h"
#include "units/number_format.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace physical {

namespace {

// Rounding in a sum of terms of these magnitudes: a few units in the last place of them.
double roundingSlack(double magnitudes)
{
    return 8.0 * DBL_EPSILON * magnitudes;
}

} // namespace

bool isSensibleNumber(double value)
{
    return std::isfinite(value) &&
           (std::fabs(value) <= largestMagnitude || vierstelligGleich(std::fabs(value), largestMagnitude));
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
    return isSensibleNumber(pressure) && (isValidVapourPressure(absoluterDruckBar(pressure, pressureUnit)) ||
                                          istVakuum(pressure, pressureUnit));
}

bool isValidCriticalPressure(double pressure, int pressureUnit)
{
    // Full vacuum as shown converts as 0 bar abs.
    return isSensibleNumber(pressure) && isValidCriticalPressure(absoluterDruckBar(pressure, pressureUnit)) &&
           !istVakuum(pressure, pressureUnit);
}

bool isValidCriticalTemperature(double criticalTemperature, double boilingPoint)
{
    return isSensibleNumber(boilingPoint) && sensibleAbove(criticalTemperature, boilingPoint);
}

bool isAboveAbsoluteZero(double temperature, int temperatureUnit)
{
    // Compared in the value's own unit, so no conversion rounds the limit.
    if (temperatureUnit == 0)
        return sensibleAbove(temperature, -273.15);
    if (temperatureUnit == 1)
        return sensibleAbove(temperature, -459.67);
    return false;
}

namespace {

constexpr int kDegree = 5;
using Bernstein = std::array<double, kDegree + 1>;

// Whether a polynomial stays within ±limit on an interval, from its Bernstein coefficients there: the first and
// the last are its values at the ends, and all of them enclose it, ever more closely as the interval is halved.
bool withinLimit(const Bernstein &b, double limit, int halvingsLeft)
{
    auto within = [limit](double v) { return std::fabs(v) <= limit; };
    if (!within(b.front()) || !within(b.back()))
        return false;
    if (std::all_of(b.begin(), b.end(), within))
        return true;
    // The curve touches the limit closer than the halvings can tell apart: within.
    if (halvingsLeft == 0)
        return true;
    // de Casteljau at the middle of the interval.
    Bernstein left{}, right{}, work = b;
    for (int r = 0; r <= kDegree; ++r) {
        left[r] = work[0];
        right[kDegree - r] = work[kDegree - r];
        for (int i = 0; i < kDegree - r; ++i)
            work[i] = 0.5 * (work[i] + work[i + 1]);
    }
    return withinLimit(left, limit, halvingsLeft - 1) && withinLimit(right, limit, halvingsLeft - 1);
}

} // namespace

bool isValidCharacteristic(const std::array<double, 6> &a)
{
    if (!std::all_of(a.begin(), a.end(), isSensibleNumber))
        return false;
    // Power to Bernstein form on [0, 1]: b_k = sum over i <= k of C(k, i) / C(5, i) a_i.
    static const double binomial[kDegree + 1][kDegree + 1] = {
        {1, 0, 0, 0, 0, 0}, {1, 1, 0, 0, 0, 0}, {1, 2, 1, 0, 0, 0},
        {1, 3, 3, 1, 0, 0}, {1, 4, 6, 4, 1, 0}, {1, 5, 10, 10, 5, 1}};
    Bernstein b{};
    for (int k = 0; k <= kDegree; ++k)
        for (int i = 0; i <= k; ++i)
            b[k] += binomial[k][i] / binomial[kDegree][i] * a[static_cast<std::size_t>(i)];
    constexpr int kHalvings = 40;
    double magnitudes = 0.0;
    for (double coefficient : a)
        magnitudes += std::fabs(coefficient);
    return withinLimit(b, largestRelativeFlowCoefficient + roundingSlack(magnitudes), kHalvings);
}

bool isValidValveFactorCurve(double a, double b, double c)
{
    if (!isSensibleNumber(a) || !isSensibleNumber(b) || !isSensibleNumber(c))
        return false;
    auto within = [=](double y) {
        const double f = a + b * y + c * y * y;
        const double slack = roundingSlack(std::fabs(a) + std::fabs(b * y) + std::fabs(c * y * y));
        return f > slack && f <= 1.0 + slack;
    };
    if (!within(0.0) || !within(1.0))
        return false;
    // A parabola takes its extremes at the ends and at its vertex; only a vertex inside the range counts.
    if (c != 0.0) {
        const double vertex = -b / (2.0 * c);
        if (vertex > 0.0 && vertex < 1.0 && !within(vertex))
            return false;
    }
    return true;
}

} // namespace physical
