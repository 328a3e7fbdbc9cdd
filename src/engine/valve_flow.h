#pragma once

// The flow through a valve row at one operating point: every caller that needs "the flow at an opening" (the opening
// solver, the full-travel test of the verdict, the full-open flow of the valve choice, the choked flag of both
// sheets and the flow sheet) asks it here.

#include "engine/flow_equations.h"
#include "platform/core/variant.h"

#include <optional>

namespace flow {

// A valve row's characteristic curves over the relative travel y (1 = fully open): Kv in the unit of KvsCv.
struct ValveCurves {
    double KvsCv = 0.0;
    int KvUnit = 0;
    double a0 = 0.0, a1 = 0.0, a2 = 0.0, a3 = 0.0, a4 = 0.0, a5 = 0.0;
    double aFL = 0.0, bFL = 0.0, cFL = 0.0;
    double axT = 0.0, bxT = 0.0, cxT = 0.0;

    double kv(double y) const { return curveKv(KvsCv, a0, a1, a2, a3, a4, a5, y); }
    double fl(double y) const { return curveFL(aFL, bFL, cFL, y); }
    double xt(double y) const { return curveXT(axT, bxT, cxT, y); }

    // The least Kv of the curve over the travel from 0 to 1, and the opening where the curve first takes it. A curve
    // rising from y = 0 takes it there; a user's curve may dip below its Kv(0) on the way.
    struct Least {
        double y = 0.0;
        double kv = 0.0;
    };
    Least leastKv() const;
};

// A flow the valve passes, in the caller's flow unit.
struct Flow {
    double Q = 0.0;
    // Choked: for a liquid, its equation's choked branch; for a gas or steam, a pressure ratio x that reaches
    // Fγ·xTP, where its equation limits x. Never where no flow passes.
    bool choked = false;
    // Whether the choked state can be told at all: not for a gas whose equation has no choked pressure ratio (no
    // valve size, xT or isentropic exponent, reducers outside its range) or without a pressure ratio.
    bool chokedKnown = true;
};

// One valve at one operating point: the point converted to the equations' internal units once, for every opening
// asked about.
class ValveFlow {
public:
    ValveFlow(const ValveCurves &curves, int Medium, int Zustand, const Variant &DNVentil, const Variant &DN1Rohr,
              const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit, const Variant &p2, int p2Unit,
              const Variant &pkrit, const Variant &psat, int pUnit, const Variant &rho1, const Variant &rhoN,
              int rhoUnit, const Variant &nue, int nueUnit, const Variant &gamma, int QUnit);

    // The flow at opening y (Kv, FL and xT of the curves there) as the flow equations give it: four digits where
    // the caller's unit is not their internal one.
    Flow flowAtOpening(double y) const;
    // The flow through a flow coefficient C (in KvUnit) with the given FL or xT, likewise.
    Flow flowThrough(double C, double fl, double xt) const;

    // The same flows before any four-digit rounding, for the searches: rounded, the flows are a staircase whose
    // steps (up to 1e-3 of the flow) hide the opening or coefficient that passes a flow exactly. The choked state
    // is the liquid's only.
    Flow exactFlowAtOpening(double y) const;

    // The least flow the valve passes over its travel from 0 to 1 (exact), and the opening where it passes it: the
    // flow at y = 0 for a curve that rises from there.
    struct Least {
        double y = 0.0;
        double Q = 0.0;
    };
    Least leastFlow() const;

    // The flow coefficient (in KvUnit) through which the equations pass q with FL and xT of the end of the travel
    // y (0 or 1), with the flow through it; by bisection on the exact flows to the last digit. Nothing where no
    // coefficient passes q: reducers bound the flow through the valve's size whatever its Kv.
    std::optional<double> coefficientAt(double q, double y, Flow &through) const;

    const ValveCurves &curves() const { return curves_; }

private:
    // rounded: as the flow equations give it; otherwise before a conversion's four-digit rounding. gasState: with
    // a gas's choked state (the searches need only the liquid's).
    Flow flowIn(double C, double fl, double xt, bool rounded, bool gasState) const;
    Flow exactFlowThrough(double C, double fl, double xt) const { return flowIn(C, fl, xt, false, false); }

    ValveCurves curves_;
    int Zustand_;
    int QUnit_;
    Variant rhoN_;
    int rhoUnit_;
    LiquidConditions liquid_;
    GasConditions gas_;
    Variant liquidDensity_;
};

// Bisection of a flow coefficient stops at this many steps: to the last digit for any coefficient down to about
// 1e-44 of the one it starts from; a smaller one (a flow of no practical meaning) is bounded from above by 2^-200 of
// it.
constexpr int kCoefficientStepLimit = 200;

} // namespace flow
