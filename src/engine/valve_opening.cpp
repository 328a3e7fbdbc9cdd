#include "valve_opening.h"

#include "units/conversions.h"

#include <cmath>

namespace flow {

ValveFlow::ValveFlow(const ValveCurves &curves, int Medium, int Zustand, const Variant &DNVentil,
                     const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit,
                     const Variant &p2, int p2Unit, const Variant &pkrit, const Variant &psat, int pUnit,
                     const Variant &rho1, const Variant &rhoN, int rhoUnit, const Variant &nue, int nueUnit,
                     const Variant &gamma, int QUnit)
    : curves_(curves), Zustand_(Zustand), QUnit_(QUnit), rhoN_(rhoN), rhoUnit_(rhoUnit)
{
    if (Zustand == 1)
        liquid_ = liquidConditions(Medium, DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2, p2Unit, pkrit, psat,
                                   pUnit, rho1, rhoUnit, nue, nueUnit);
    else
        gas_ = gasConditions(DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2, p2Unit, rho1, rhoUnit, gamma);
    liquidDensity_ = Variant(liquid_.rho);
}

Flow ValveFlow::flowAtOpening(double y) const
{
    const bool liquid = Zustand_ == 1;
    return flowThrough(curves_.kv(y), liquid ? curves_.fl(y) : 0.0, liquid ? 0.0 : curves_.xt(y));
}

Flow ValveFlow::flowThrough(double C, double fl, double xt) const
{
    return flowIn(C, fl, xt, true);
}

Flow ValveFlow::flowIn(double C, double fl, double xt, bool rounded) const
{
    Flow f;
    const double kv = kvCvZahl(Variant(C), curves_.KvUnit, 0);
    if (Zustand_ == 1) {
        double q = 0.0;
        bool choked = false;
        if (!liquidFlow(liquid_, kv, fl, q, choked))
            return f;
        f.Q = rounded ? durchflussFluessigZahl(Variant(q), 0, liquidDensity_, 0, QUnit_)
                      : durchflussFluessigUngerundet(q, 0, liquidDensity_, 0, QUnit_);
        f.choked = choked && q > 0.0;
        return f;
    }
    double W = 0.0;
    if (!gasFlow(gas_, kv, xt, W))
        return f;
    switch (Zustand_) {
    case 0:
        f.Q = rounded ? durchflussGasZahl(Variant(W), 1, rhoN_, rhoUnit_, QUnit_)
                      : durchflussGasUngerundet(W, 1, rhoN_, rhoUnit_, QUnit_);
        break;
    case 2: f.Q = rounded ? massenstromZahl(Variant(W), 0, QUnit_) : massenstromUngerundet(W, 0, QUnit_); break;
    default: break;
    }
    return f;
}

double ValveFlow::coefficientBelowRange(double q, Flow &through) const
{
    const double fl0 = curves_.fl(0.0), xt0 = curves_.xt(0.0);
    // Bisection between 0 (no flow) and Kv(0) (more than q) down to adjacent numbers, on the flows before their
    // four-digit rounding in a unit other than the equations' own: rounded, they are a staircase with a whole range
    // of coefficients on the step of q.
    double lo = 0.0, hi = curves_.kv(0.0);
    for (int step = 0; step < kCoefficientStepLimit; ++step) {
        const double mid = lo + (hi - lo) / 2;
        if (!(mid > lo && mid < hi))
            break;
        if (flowIn(mid, fl0, xt0, false).Q >= q)
            hi = mid;
        else
            lo = mid;
    }
    through = flowThrough(hi, fl0, xt0);
    return hi;
}

} // namespace flow

namespace {

Variant solveOpening(const flow::ValveFlow &valve, double q, bool &ChokedFlow, std::optional<double> *KvBedarf)
{
    using flow::Flow;
    if (KvBedarf)
        KvBedarf->reset();
    // A closed valve: no flow, and no coefficient needed.
    if (q <= 0.0) {
        ChokedFlow = false;
        if (KvBedarf)
            *KvBedarf = 0.0;
        return Variant(0);
    }

    const Flow full = valve.flowAtOpening(1.0);
    if (full.Q <= q) {
        ChokedFlow = full.choked;
        return Variant(1);
    }

    // Below the valve's range: its smallest opening passes more than the point needs.
    const Flow bottom = valve.flowAtOpening(0.0);
    if (q < bottom.Q) {
        Flow through;
        const double C = valve.coefficientBelowRange(q, through);
        ChokedFlow = through.choked;
        if (KvBedarf)
            *KvBedarf = C;
        return Variant(0);
    }

    // Coarse scan from the flow at the smallest opening.
    Flow last = bottom;
    const auto Qy = [&](double y) {
        last = valve.flowAtOpening(y);
        return last.Q;
    };
    double ya = 0.0, Qa = bottom.Q;
    double yb = 0.0, Qb = 0.0;
    for (;;) {
        if (ya > 1.0) {
            yb = ya;
            Qb = Qa;
            break;
        }
        const double y = ya + 0.1;
        Qb = Qy(y);
        if (Qa <= q && q < Qb) {
            yb = y;
            break;
        }
        ya = y;
        Qa = Qb;
    }

    // Regula falsi. The stop test compares two successive trial flows, relative to the required flow.
    double Qprev = Qa;
    double yn = 0.0;
    bool anyStep = false;
    bool finished = false;
    int counter = 0;
    while (counter <= flow::kOpeningStepLimit) {
        // Equal bracket flows (a curve falling again beyond full travel) leave nothing to interpolate: the
        // valve needs full opening, or the last opening tried stands.
        if (Qb == Qa) {
            finished = true;
            break;
        }
        const double next = ya + (q - Qa) * (yb - ya) / (Qb - Qa);
        if (!std::isfinite(next)) {
            finished = true;
            break;
        }
        yn = next;
        anyStep = true;
        const double Qn = Qy(yn);
        if (std::fabs(Qn - Qprev) / q < 0.0001) {
            finished = true;
            break;
        }
        if ((Qn - q) * (Qa - q) < 0.0) {
            yb = yn;
            Qb = Qn;
        } else {
            ya = yn;
            Qa = Qn;
        }
        Qprev = Qn;
        ++counter;
    }

    if (finished && !anyStep) {
        ChokedFlow = full.choked;
        return Variant(1);
    }
    ChokedFlow = last.choked;
    return finished ? Variant(yn) : Variant(-1);
}

} // namespace

Variant calcVentiloeffnung(const Variant &Q, int QUnit, const Variant &KvsCv, int KvUnit, const Variant &a0,
                           const Variant &a1, const Variant &a2, const Variant &a3, const Variant &a4,
                           const Variant &a5, const Variant &aFL, const Variant &bFL, const Variant &cFL,
                           const Variant &axT, const Variant &bxT, const Variant &cxT, const Variant &DNVentil,
                           const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1,
                           int p1Unit, const Variant &p2, int p2Unit, const Variant & /*T1*/, int /*T1Unit*/,
                           const Variant &pkrit, const Variant &psat, int pUnit, const Variant &rho1,
                           const Variant &rhoN, int rhoUnit, const Variant &nue, int nueUnit, const Variant &gamma,
                           int Medium, int Zustand, bool &ChokedFlow, std::optional<double> *KvBedarf)
{
    const flow::ValveCurves curves{KvsCv.asNumber(), KvUnit,          a0.asNumber(),  a1.asNumber(),
                                   a2.asNumber(),    a3.asNumber(),   a4.asNumber(),  a5.asNumber(),
                                   aFL.asNumber(),   bFL.asNumber(),  cFL.asNumber(), axT.asNumber(),
                                   bxT.asNumber(),   cxT.asNumber()};
    const flow::ValveFlow valve(curves, Medium, Zustand, DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2, p2Unit,
                                pkrit, psat, pUnit, rho1, rhoN, rhoUnit, nue, nueUnit, gamma, QUnit);
    return solveOpening(valve, Q.asNumber(), ChokedFlow, KvBedarf);
}
