#include "engine/valve_verdict.h"

#include "engine/recalc_common.h"
#include "state/shared_data.h"

#include <cmath>
#include <iterator>

namespace {

// A flow of the valve is computed to about a millionth of it: the Reynolds correction stops once the flow changes
// by less than that. A point that needs no more than this beyond the flow at full travel differs from it by the
// computation's rounding (a flow typed as the valve's full-open flow, which the Kvs and the curve's Kv at full
// travel reach by different roundings), not by a flow the valve lacks; it is far below the four digits a flow is
// shown with.
constexpr double kRounding = 1e-6;

struct PointData {
    bool active;
    double p1, p2, Q;
    recalc::PointFluid fluid;
    double y, Kv, required;
};

} // namespace

bool hasRequiredRangeability(double y, double Kv)
{
    return std::isfinite(y) && y != -1.0 && Kv > 0.0 && std::isfinite(Kv);
}

bool hasRequiredKv(double y, double Kv, double Q)
{
    return std::isfinite(y) && y != -1.0 && std::isfinite(Kv) && (Kv > 0.0 || !(Q > 0.0));
}

ValveVerdict judgeValve(const SharedData &s)
{
    ValveVerdict v;
    const PointData points[] = {
        {s.MIN, s.p1Min, s.p2Min, s.QMin, {s.rho1Min, s.gammaMin, s.nueMin, s.psatMin}, s.yMin, s.Kvmin,
         s.StellverhältnisMin},
        {s.NORM, s.p1Norm, s.p2Norm, s.QNorm, {s.rho1Norm, s.gammaNorm, s.nueNorm, s.psatNorm}, s.yNorm, s.Kvnorm,
         s.StellverhältnisNorm},
        {true, s.p1Max, s.p2Max, s.QMax, {s.rho1Max, s.gammaMax, s.nueMax, s.psatMax}, s.yMax, s.Kvmax,
         s.StellverhältnisMax}};
    const flow::ValveCurves curves = recalc::curvesOf(s);
    // What the valve's curve reaches, Kvs over its least Kv over the travel (Kv(0) for a curve rising from there): a
    // valve whose curve closes to less than its stated rangeability (a user's curve) cannot control a point below
    // that either. A curve that reaches 0 has no such limit.
    const double leastKv = curves.leastKv().kv;
    const double curveRange = leastKv > 0.0 ? curves.KvsCv / leastKv : 0.0;
    for (std::size_t i = 0; i < std::size(points); ++i) {
        const PointData &p = points[i];
        if (!p.active)
            continue;
        const flow::ValveFlow valve = recalc::valveAtPoint(s, curves, p.p1, p.p2, p.fluid);
        // The flow at full travel, as the opening solver tests it first.
        v.beyondFullTravel[i] = p.Q > 0 && p.Q > valve.flowAtOpening(1.0).Q * (1 + kRounding);
        // The maximum point of an on/off valve is not tested.
        v.rangeabilityJudged[i] = !(i == 2 && s.Kennlinie == 2);
        // Below what the curve reaches: a Kv below its least, or, where FL or xT change over the travel, a flow below
        // the least flow while the Kv the point needs with FL and xT of the smallest opening is not.
        const bool belowTheRange = p.y == 0.0 && p.Q > 0 &&
                                   ((curveRange > 0.0 && p.required > curveRange) || p.Q < valve.leastFlow().Q);
        v.rangeabilityShort[i] = v.rangeabilityJudged[i] && hasRequiredRangeability(p.y, p.Kv) &&
                                 (p.required > s.Stellverhältnis || belowTheRange);
    }
    // The sheet's rule: a valve without any reserve does not pass the maximum flow. Without a maximum flow the
    // reserve is undefined, and such a valve passes nothing that was asked for.
    if (s.QMax > 0)
        v.reserve = (s.Q100 - s.QMax) / s.QMax;
    v.noReserve = !(v.reserve && *v.reserve > 0);
    v.smallReserve = !v.noReserve && *v.reserve < s.DurchflussreserveMin;
    return v;
}
