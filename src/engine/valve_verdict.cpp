#include "engine/valve_verdict.h"

#include "engine/flow_equations.h"
#include "state/shared_data.h"

namespace {

// A flow of the valve is computed to about a millionth of it: the Reynolds correction stops once the flow changes
// by less than that. A point that needs no more than this beyond the flow at full travel differs from it by the
// computation's rounding (a flow typed as the valve's full-open flow, which the Kvs and the curve's Kv at full
// travel reach by different roundings), not by a flow the valve lacks; it is far below the four digits a flow is
// shown with.
constexpr double kRounding = 1e-6;

struct PointData {
    bool active;
    double p1, p2, Q, rho1, nue, psat, gamma;
};

// The flow the valve passes fully open at an operating point, in QUnit: its characteristic's Kv, FL and xT at full
// travel, as the opening solver tests it first.
double fullTravelFlow(const SharedData &s, const PointData &p)
{
    const Variant kv(flow::curveKv(s.KvsCv, s.A0.asNumber(), s.A1.asNumber(), s.A2.asNumber(), s.A3.asNumber(),
                                   s.A4.asNumber(), s.A5.asNumber(), 1.0));
    const Variant valve(s.DNVentil), inlet(s.DN1Rohr), outlet(s.DN2Rohr);
    if (s.Zustand == 1) {
        bool choked = false;
        const Variant fl(flow::curveFL(s.AFL.asNumber(), s.BFL.asNumber(), s.CFL.asNumber(), 1.0));
        return calcQ_inkompZahl(s.Medium, kv, s.KvUnit, fl, valve, inlet, outlet, s.DNunit, Variant(p.p1), s.p1Unit,
                                Variant(p.p2), s.p2Unit, Variant(s.pkrit), Variant(p.psat), s.pUnit, Variant(p.rho1),
                                s.rhoUnit, Variant(p.nue), s.nueUnit, s.QUnit, choked);
    }
    const Variant xt(flow::curveXT(s.AxT.asNumber(), s.BxT.asNumber(), s.CxT.asNumber(), 1.0));
    return calcQ_kompZahl(kv, s.KvUnit, xt, valve, inlet, outlet, s.DNunit, Variant(p.p1), s.p1Unit, Variant(p.p2),
                          s.p2Unit, Variant(p.rho1), Variant(s.rhoN), s.rhoUnit, Variant(p.gamma), s.Zustand, s.QUnit);
}

} // namespace

ValveVerdict judgeValve(const SharedData &s)
{
    ValveVerdict v;
    const PointData points[] = {
        {s.MIN, s.p1Min, s.p2Min, s.QMin, s.rho1Min, s.nueMin, s.psatMin, s.gammaMin},
        {s.NORM, s.p1Norm, s.p2Norm, s.QNorm, s.rho1Norm, s.nueNorm, s.psatNorm, s.gammaNorm},
        {true, s.p1Max, s.p2Max, s.QMax, s.rho1Max, s.nueMax, s.psatMax, s.gammaMax}};
    for (std::size_t i = 0; i < v.beyondFullTravel.size(); ++i) {
        const PointData &p = points[i];
        v.beyondFullTravel[i] = p.active && p.Q > 0 && p.Q > fullTravelFlow(s, p) * (1 + kRounding);
    }
    // The sheet's rule: a valve without any reserve does not pass the maximum flow. Without a maximum flow the
    // reserve is undefined, and such a valve passes nothing that was asked for.
    if (s.QMax > 0)
        v.reserve = (s.Q100 - s.QMax) / s.QMax;
    v.noReserve = !(v.reserve && *v.reserve > 0);
    v.smallReserve = !v.noReserve && *v.reserve < s.DurchflussreserveMin;
    return v;
}
