#pragma once

#include "engine/valve_flow.h"
#include "platform/core/variant.h"

#include <optional>

namespace flow {

// The refinement runs while its step counter is at most this value (at most 101 steps).
constexpr int kOpeningStepLimit = 100;
// Its stop test: the flow at the opening is the required flow to this fraction of it; an opening that does not meet
// it is not found (-1).
constexpr double kOpeningTolerance = 1e-4;
// It goes on towards this fraction while the bracket can shrink, so that the Kv shown at the opening has the four
// digits of the Kv that passes the flow exactly.
constexpr double kOpeningTarget = 1e-8;

} // namespace flow

// Relative travel y (1 = fully open) at which a valve row passes the required flow Q of one operating point.
//
// The full-open test compares Q with the flow at full travel as the flow equations give it (the valve choice's
// Q100). Below it the search works on the exact flows (valve_flow.h): a scan in steps of 0.1 of the travel from the
// flow at y = 0 brackets the first opening where the flow rises through Q, and regula falsi in its Illinois form
// (an end kept twice in a row has its flow difference halved, so that neither end can stall), with a bisection step
// after any step that does not halve the bracket, closes in until the flow at the trial opening is Q to 1e-4 of Q
// (kOpeningTolerance), and on towards kOpeningTarget. Where the flow jumps across Q in that bracket, the scan goes on
// to the next rise. A curve that dips below its flow at y = 0 passes a Q below that flow too: where no step of the
// scan falls to Q, the scan starts again from the opening of the curve's least flow.
//
// Results: the whole number 0 for Q <= 0 and below the valve's range (Q below the least flow the valve passes over
// its travel); the whole number 1 when the valve passes no more than Q fully open; the opening found, a double (1.0
// for a Q within the four-digit rounding of the full-open flow, above its exact value, that no earlier opening
// passes); the whole number -1 when no opening passes Q to 1e-4: each refinement ended at its step limit or where its
// bracket's ends are neighbouring numbers (a flow that jumps across Q, as the Reynolds factor does at Rev = 10000).
//
// ChokedFlow receives the liquid's choked state of the flow at the opening reported (of the coefficient in KvBedarf
// where there is one; for -1, of the trial closest to Q): none for Q <= 0; False for gases and steam.
//
// KvBedarf, when given, receives the flow coefficient (in KvUnit) the point needs where the valve's curve does not
// give it: 0 for Q <= 0; at both ends of the travel (results 0 and 1) the coefficient through which the flow
// equations pass Q with FL and xT of that end (beyond full travel no less than the curve's Kv there), or infinity
// where no coefficient passes Q at full travel (reducers bound the flow through the valve's size). Otherwise it is
// left empty. T1 and T1Unit are part of the operating point but take no part in the solution.
Variant calcVentiloeffnung(const Variant &Q, int QUnit, const Variant &KvsCv, int KvUnit, const Variant &a0,
                           const Variant &a1, const Variant &a2, const Variant &a3, const Variant &a4,
                           const Variant &a5, const Variant &aFL, const Variant &bFL, const Variant &cFL,
                           const Variant &axT, const Variant &bxT, const Variant &cxT, const Variant &DNVentil,
                           const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1,
                           int p1Unit, const Variant &p2, int p2Unit, const Variant &T1, int T1Unit,
                           const Variant &pkrit, const Variant &psat, int pUnit, const Variant &rho1,
                           const Variant &rhoN, int rhoUnit, const Variant &nue, int nueUnit, const Variant &gamma,
                           int Medium, int Zustand, bool &ChokedFlow, std::optional<double> *KvBedarf = nullptr);
