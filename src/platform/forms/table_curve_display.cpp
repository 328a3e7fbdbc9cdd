#include "platform/forms/table_curve_display.h"

#include <algorithm>
#include <cmath>

namespace {
TableCurveDisplay *g_display = nullptr;

TableCurveDisplay &headless()
{
    static RecordingTableCurveDisplay display;
    return display;
}
} // namespace

AxisScale niceScale(double minValue, double maxValue)
{
    if (!std::isfinite(minValue) || !std::isfinite(maxValue))
        return {};
    double lo = std::min({minValue, maxValue, 0.0});
    double hi = std::max({minValue, maxValue, 0.0});
    if (hi - lo <= 0.0)
        return {};
    const double raw = (hi - lo) / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if ((hi - lo) / step <= 10.0)
            break;
    }
    // A small tolerance, so that a maximum of 0.3 stays the top line instead of adding a step above it.
    const double eps = 1e-9;
    lo = std::floor(lo / step + eps) * step;
    hi = std::ceil(hi / step - eps) * step;
    return {lo, hi, step};
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
