#include "platform/forms/table_curve_display.h"

#include "platform/core/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
TableCurveDisplay *g_display = nullptr;

TableCurveDisplay &headless()
{
    static RecordingTableCurveDisplay display;
    return display;
}

// value * 10^power in two factors, so that neither factor nor the product in between over- or underflows
// (a power up to about 600 either way).
double timesPowerOfTen(double value, int power)
{
    const int half = power / 2;
    return value * std::pow(10.0, half) * std::pow(10.0, power - half);
}

// Decimals that show every multiple of the step exactly (step 0.05: two).
int decimalsOf(double step)
{
    int decimals = 0;
    while (decimals < 10 && std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) >
                                1e-6)
        ++decimals;
    return decimals;
}

} // namespace

int AxisScale::steps() const
{
    const double n = (hi - lo) / step;
    if (!(n >= 0.0)) // not a number either
        return 0;
    return static_cast<int>(std::lround(std::min(n, static_cast<double>(kMaxAxisSteps))));
}

double AxisScale::fraction(double value) const
{
    const double extent = hi - lo;
    if (!(extent > 0.0))
        return 0.0;
    return (timesPowerOfTen(value, -exponent) - lo) / extent;
}

QString AxisScale::label(int tick) const
{
    const double v = lo + tick * step;
    if (exponent == 0)
        return numtext::fixed(v, decimalsOf(step));
    // The tick's own power of ten joins the scale's: one digit before the separator.
    if (std::fabs(v) < step / 2)
        return QStringLiteral("0");
    int power = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    double mantissa = std::round(timesPowerOfTen(v, -power) * 1e6) / 1e6;
    if (std::fabs(mantissa) >= 10.0) {
        mantissa /= 10.0;
        ++power;
    }
    power += exponent;
    const QString digits = QString::number(std::abs(power)).rightJustified(2, QLatin1Char('0'));
    return numtext::general(mantissa, 6) + QLatin1Char('E') + QLatin1Char(power < 0 ? '-' : '+') + digits;
}

AxisScale niceScale(double minValue, double maxValue)
{
    if (!std::isfinite(minValue) || !std::isfinite(maxValue))
        return {};
    double lo = std::min({minValue, maxValue, 0.0});
    double hi = std::max({minValue, maxValue, 0.0});
    const double top = std::max(-lo, hi);
    if (!(top > 0.0))
        return {};
    // Huge and tiny values are scaled to a few units first: steps and bounds then stay finite, exact and whole
    // multiples of the step, however near the values lie to the ends of the doubles.
    int exponent = 0;
    if (top >= 1e6 || top < 1e-3)
        exponent = static_cast<int>(std::floor(std::log10(top)));
    lo = timesPowerOfTen(lo, -exponent);
    hi = timesPowerOfTen(hi, -exponent);
    const double extent = hi - lo;
    const double power = std::pow(10.0, std::floor(std::log10(extent / 5.0)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (extent / step <= 10.0)
            break;
    }
    // A small tolerance, so that a maximum of 0.3 stays the top line instead of adding a step above it.
    const double eps = 1e-9;
    lo = std::floor(lo / step + eps) * step;
    hi = std::ceil(hi / step - eps) * step;
    return {lo, hi, step, exponent};
}

CurveScales curveScales(const std::vector<std::pair<double, double>> &points)
{
    // Each axis over the values that are finite on it: the openings of a curve that overflows stay on their axis.
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;
    bool xFirst = true, yFirst = true;
    for (const auto &[x, y] : points) {
        if (std::isfinite(x)) {
            xMin = xFirst ? x : std::min(xMin, x);
            xMax = xFirst ? x : std::max(xMax, x);
            xFirst = false;
        }
        if (std::isfinite(y)) {
            yMin = yFirst ? y : std::min(yMin, y);
            yMax = yFirst ? y : std::max(yMax, y);
            yFirst = false;
        }
    }
    // A twentieth of the height above the highest point, added in parts that cannot overflow; at the very end of
    // the doubles the largest one stands in.
    double top = yMax + (0.05 * yMax - 0.05 * std::min(yMin, 0.0));
    if (!std::isfinite(top))
        top = std::numeric_limits<double>::max();
    return {niceScale(xMin, xMax), niceScale(yMin, top)};
}

TableCurveDisplay &tableCurveDisplay()
{
    return g_display ? *g_display : headless();
}

void setTableCurveDisplay(TableCurveDisplay *display)
{
    g_display = display;
}

TableCurveDisplayScope::TableCurveDisplayScope(TableCurveDisplay &display) : previous_(g_display)
{
    g_display = &display;
}

TableCurveDisplayScope::~TableCurveDisplayScope()
{
    g_display = previous_;
}
