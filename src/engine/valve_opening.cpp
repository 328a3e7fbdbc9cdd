#include "valve_opening.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using flow::Flow;

// One end of the bracket: an opening and its flow's difference from the required flow.
struct End {
    double y;
    double f;
};

struct Bracket {
    End lower; // flow at or below the required one
    End upper; // flow above it
};

// The coarse scan from `from` in steps of 0.1 of the travel, accumulated as they are added, its last step held at
// full travel: the first step whose flow exceeds q after one at or below it. Nothing when no later step within the
// travel rises through q.
std::optional<Bracket> scanFrom(const flow::ValveFlow &valve, double q, End from)
{
    End a = from;
    for (;;) {
        const double y = std::min(a.y + 0.1, 1.0);
        const End b{y, valve.exactFlowAtOpening(y).Q - q};
        if (a.f <= 0.0 && b.f > 0.0)
            return Bracket{a, b};
        if (y >= 1.0)
            return std::nullopt;
        a = b;
    }
}

// The trial of a refinement closest to q, and whether it meets the stop test.
struct Refined {
    End best{0.0, std::numeric_limits<double>::infinity()};
    Flow flow;
    bool met = false;
};

// Regula falsi, Illinois form, on the flow's difference from q; a step that does not halve the bracket is followed
// by a bisection, so that a flow flat at one end and steep at the other (a curve that starts at a Kv of nearly 0)
// cannot hold it up. It goes on past the stop test while the bracket can still shrink, to kOpeningTarget, so that
// the four digits of the Kv shown at the opening are those of the Kv that passes q exactly. It ends at its step limit
// or where the bracket's ends are neighbouring numbers: a flow that jumps across q there meets no stop test.
Refined refine(const flow::ValveFlow &valve, double q, Bracket bracket)
{
    End a = bracket.lower, b = bracket.upper;
    int kept = 0; // +1: the lower end was kept last time, -1: the upper one
    bool bisect = false;
    Refined r;
    for (int counter = 0; counter <= flow::kOpeningStepLimit; ++counter) {
        const double width = b.y - a.y;
        // The fraction first: the product of a tiny flow and a tiny width would underflow.
        const double yn = bisect ? a.y + width / 2 : a.y + (-a.f / (b.f - a.f)) * width;
        const Flow trial = valve.exactFlowAtOpening(yn);
        const double fn = trial.Q - q;
        if (std::fabs(fn) < std::fabs(r.best.f)) {
            r.best = {yn, fn};
            r.flow = trial;
        }
        if (std::fabs(fn) / q < flow::kOpeningTarget || !(std::nextafter(a.y, b.y) < b.y))
            break;
        if (fn > 0.0) {
            b = {yn, fn};
            if (kept == 1 && !bisect)
                a.f /= 2;
            kept = bisect ? 0 : 1;
        } else {
            a = {yn, fn};
            if (kept == -1 && !bisect)
                b.f /= 2;
            kept = bisect ? 0 : -1;
        }
        bisect = !bisect && b.y - a.y > width / 2;
    }
    // The stop test: the flow at the opening is q to 1e-4 of q.
    r.met = std::fabs(r.best.f) / q < flow::kOpeningTolerance;
    return r;
}

Variant solveOpening(const flow::ValveFlow &valve, double q, bool liquid, bool &ChokedFlow,
                     std::optional<double> *KvBedarf)
{
    if (KvBedarf)
        KvBedarf->reset();
    // A closed valve: no flow, and no coefficient needed.
    if (q <= 0.0) {
        ChokedFlow = false;
        if (KvBedarf)
            *KvBedarf = 0.0;
        return Variant(0);
    }

    // Beyond full travel: the valve stands fully open, and the point needs the coefficient that passes its flow with
    // FL and xT there; within the four-digit rounding of the full-open flow, where the exact flow there may still
    // exceed q, no less than the curve's Kv there.
    const Flow full = valve.flowAtOpening(1.0);
    if (full.Q <= q) {
        Flow through;
        std::optional<double> C = valve.coefficientAt(q, 1.0, through);
        const double kvFull = valve.curves().kv(1.0);
        if (C && *C < kvFull) {
            C = kvFull;
            through = full;
        }
        ChokedFlow = liquid && (C ? through.choked : full.choked);
        if (KvBedarf)
            *KvBedarf = C ? *C : std::numeric_limits<double>::infinity();
        return Variant(1);
    }

    const Flow bottom = valve.exactFlowAtOpening(0.0);
    std::optional<flow::ValveFlow::Least> least;
    if (q < bottom.Q) {
        // Below the valve's range: the least flow over its travel is more than the point needs.
        least = valve.leastFlow();
        if (q < least->Q) {
            Flow through;
            const std::optional<double> C = valve.coefficientAt(q, 0.0, through);
            ChokedFlow = liquid && through.choked;
            if (KvBedarf)
                *KvBedarf = C ? *C : 0.0;
            return Variant(0);
        }
    }

    // The first rise through q from y = 0 (a curve that dips below its Kv at y = 0 passes q after its dip); where
    // the flow jumps across q there, the next rise. A dip between two steps of the scan is found from the opening
    // of the least flow.
    Refined best;
    bool bracketed = false;
    std::optional<Bracket> bracket = scanFrom(valve, q, {0.0, bottom.Q - q});
    if (!bracket && least)
        bracket = scanFrom(valve, q, {least->y, least->Q - q});
    while (bracket) {
        bracketed = true;
        const Refined r = refine(valve, q, *bracket);
        if (std::fabs(r.best.f) < std::fabs(best.best.f))
            best = r;
        if (r.met)
            break;
        bracket = scanFrom(valve, q, bracket->upper);
    }
    // No rise through q within the travel: q lies within the four-digit rounding of the full-open flow, above its
    // exact value; the valve stands at full travel.
    if (!bracketed) {
        const Flow fullExact = valve.exactFlowAtOpening(1.0);
        ChokedFlow = liquid && fullExact.choked;
        return Variant(1.0);
    }
    ChokedFlow = liquid && best.flow.choked;
    return best.met ? Variant(best.best.y) : Variant(-1);
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
    return solveOpening(valve, Q.asNumber(), Zustand == 1, ChokedFlow, KvBedarf);
}
