#pragma once

#include "platform/core/variant.h"

// Relative travel y (1 = fully open) at which a valve row passes the required flow Q of one operating point:
// full-open test, a scan in steps of 0.1, then regula falsi. The result is the whole number 0 for Q <= 0, the
// whole number 1 when the valve passes no more than Q fully open, the opening found as a double, or the whole
// number -1 when the refinement reaches its step limit. ChokedFlow receives the choked state of the last liquid
// trial (False for gases and steam) once the refinement has run, and keeps its value otherwise. T1 and T1Unit
// are part of the operating point but take no part in the solution.
Variant calcVentiloeffnung(const Variant &Q, int QUnit, const Variant &KvsCv, int KvUnit, const Variant &a0,
                           const Variant &a1, const Variant &a2, const Variant &a3, const Variant &a4,
                           const Variant &a5, const Variant &aFL, const Variant &bFL, const Variant &cFL,
                           const Variant &axT, const Variant &bxT, const Variant &cxT, const Variant &DNVentil,
                           const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1,
                           int p1Unit, const Variant &p2, int p2Unit, const Variant &T1, int T1Unit,
                           const Variant &pkrit, const Variant &psat, int pUnit, const Variant &rho1,
                           const Variant &rhoN, int rhoUnit, const Variant &nue, int nueUnit, const Variant &gamma,
                           int Medium, int Zustand, bool &ChokedFlow);

namespace flow {

// Regula falsi runs while its step counter is at most this value (at most 101 steps).
constexpr int kOpeningStepLimit = 100;

} // namespace flow
