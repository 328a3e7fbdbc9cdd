#pragma once

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
};

// A flow the valve passes, in the caller's flow unit as the flow equations give it (four digits when that is not
// their internal unit). Choked is the liquid's choked state; it is false for gases and steam, and wherever no flow
// passes.
struct Flow {
    double Q = 0.0;
    bool choked = false;
};

// One valve at one operating point: the point converted to the equations' internal units once, for every opening
// asked about. Every caller that needs "the flow at an opening" (the opening solver, the full-travel test of the
// verdict, the full-open flow of the valve choice and the flow sheet) asks it here.
class ValveFlow {
public:
    ValveFlow(const ValveCurves &curves, int Medium, int Zustand, const Variant &DNVentil, const Variant &DN1Rohr,
              const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit, const Variant &p2, int p2Unit,
              const Variant &pkrit, const Variant &psat, int pUnit, const Variant &rho1, const Variant &rhoN,
              int rhoUnit, const Variant &nue, int nueUnit, const Variant &gamma, int QUnit);

    // The flow at opening y: Kv, FL and xT of the curves at y.
    Flow flowAtOpening(double y) const;
    // The flow through a flow coefficient C (in KvUnit) with the given FL or xT.
    Flow flowThrough(double C, double fl, double xt) const;
    // The flow coefficient (in KvUnit) through which the equations pass q with FL and xT of the smallest opening, for
    // a flow q above 0 and below the flow at y = 0; with the flow through it.
    double coefficientBelowRange(double q, Flow &through) const;

    const ValveCurves &curves() const { return curves_; }

private:
    // rounded: as the flow equations give it; otherwise before a conversion's four-digit rounding.
    Flow flowIn(double C, double fl, double xt, bool rounded) const;

    ValveCurves curves_;
    int Zustand_;
    int QUnit_;
    Variant rhoN_;
    int rhoUnit_;
    LiquidConditions liquid_;
    GasConditions gas_;
    Variant liquidDensity_;
};

// Regula falsi runs while its step counter is at most this value (at most 101 steps).
constexpr int kOpeningStepLimit = 100;

// Bisection of the flow coefficient below the range stops at this many steps: to the last digit for any coefficient
// down to about 1e-44 of Kv(0); a smaller one (a flow of no practical meaning) is bounded from above by 2^-200 Kv(0).
constexpr int kCoefficientStepLimit = 200;

} // namespace flow

// Relative travel y (1 = fully open) at which a valve row passes the required flow Q of one operating point:
// full-open test, a scan in steps of 0.1 from the flow at y = 0, then regula falsi. The result is the whole number 0
// for Q <= 0 and for a flow below what the valve passes at its smallest opening, the whole number 1 when the valve
// passes no more than Q fully open, the opening found as a double, or the whole number -1 when the refinement
// reaches its step limit. ChokedFlow receives the choked state of the flow at the opening reported: none for Q <= 0,
// the flow at full travel for 1, the last liquid trial for a refined opening or -1; False for gases and steam.
// KvBedarf, when given, receives the flow coefficient (in KvUnit) the point needs where the valve's curve does not
// give it: 0 for Q <= 0, and below the valve's range the coefficient through which the flow equations pass Q with
// FL and xT of the smallest opening (ChokedFlow is then its choked state); otherwise it is left empty. T1 and T1Unit
// are part of the operating point but take no part in the solution.
Variant calcVentiloeffnung(const Variant &Q, int QUnit, const Variant &KvsCv, int KvUnit, const Variant &a0,
                           const Variant &a1, const Variant &a2, const Variant &a3, const Variant &a4,
                           const Variant &a5, const Variant &aFL, const Variant &bFL, const Variant &cFL,
                           const Variant &axT, const Variant &bxT, const Variant &cxT, const Variant &DNVentil,
                           const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1,
                           int p1Unit, const Variant &p2, int p2Unit, const Variant &T1, int T1Unit,
                           const Variant &pkrit, const Variant &psat, int pUnit, const Variant &rho1,
                           const Variant &rhoN, int rhoUnit, const Variant &nue, int nueUnit, const Variant &gamma,
                           int Medium, int Zustand, bool &ChokedFlow, std::optional<double> *KvBedarf = nullptr);
