#pragma once

#include "platform/core/variant.h"

#include <cmath>

// Flow through a control valve of a given flow coefficient after IEC 60534-2-1. Every quantity comes in the
// caller's unit with its unit index; the equations convert to bar abs., mm, kg/m3, mm2/s and Kv, compute, and
// return the flow in the caller's flow unit: at full precision in the internal unit (m3/h for liquids, kg/h for
// gases and steam), otherwise as the four-digit text of the conversion. A flow coefficient of 0 or less gives the
// whole number 0, and so do inputs for which the equations have no meaning: a valve size, FL or density of 0 or
// less (liquids); a valve size, xT, isentropic exponent or inlet pressure of 0 or less, or reducers so far outside
// the equation's range that its piping factor has no real root (gases). A pressure differential of 0 or less
// passes no flow. No result is ever NaN or infinite.

// Liquids. ChokedFlow receives the choked state of the last Reynolds step; it keeps its value when the result is
// the early 0 of an unusable input.
Variant calcQ_inkomp(int Medium, const Variant &Kv, int KvUnit, const Variant &FL, const Variant &DNVentil,
                     const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit,
                     const Variant &p2, int p2Unit, const Variant &pkrit, const Variant &psat, int pUnit,
                     const Variant &rho1, int rhoUnit, const Variant &nue, int nueUnit, int QUnit,
                     bool &ChokedFlow);

// Gases (Zustand 0, result through the norm density rhoN) and steam or real gases (Zustand 2, mass flow).
// Zustand 1 has no compressible result: an empty Variant.
Variant calcQ_komp(const Variant &Kv, int KvUnit, const Variant &xT, const Variant &DNVentil,
                   const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit,
                   const Variant &p2, int p2Unit, const Variant &rho1, const Variant &rhoN, int rhoUnit,
                   const Variant &gamma, int Zustand, int QUnit);

// The numbers calcQ_inkomp and calcQ_komp read as (their asNumber()), without making the four-digit text of a
// converted flow. The recalculations and the opening solver compute through flow::ValveFlow (valve_flow.h), which
// converts the operating point once; these serve a caller with one flow to compute (the tests, the benchmarks, the
// help's reference figures).
double calcQ_inkompZahl(int Medium, const Variant &Kv, int KvUnit, const Variant &FL, const Variant &DNVentil,
                        const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit,
                        const Variant &p2, int p2Unit, const Variant &pkrit, const Variant &psat, int pUnit,
                        const Variant &rho1, int rhoUnit, const Variant &nue, int nueUnit, int QUnit,
                        bool &ChokedFlow);
double calcQ_kompZahl(const Variant &Kv, int KvUnit, const Variant &xT, const Variant &DNVentil,
                      const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1, int p1Unit,
                      const Variant &p2, int p2Unit, const Variant &rho1, const Variant &rhoN, int rhoUnit,
                      const Variant &gamma, int Zustand, int QUnit);

// Reynolds-number factor for the valve Reynolds number. A Reynolds number of 0 or less gives 0 (the limit of the
// laminar curve); NaN gives 1, as for a Reynolds number too large to matter.
double calcFR(double ReV);

namespace flow {

// Loss and Bernoulli coefficients of the reducers at the valve's inlet and outlet; sizes in mm, valve size > 0.
struct ReducerCoefficients {
    double zeta1 = 0.0;  // inlet reducer
    double zeta2 = 0.0;  // outlet reducer (or expander)
    double zetaB1 = 0.0; // Bernoulli, inlet
    double zetaB2 = 0.0; // Bernoulli, outlet
};
ReducerCoefficients reducerCoefficients(double d, double D1, double D2);

// The pressure ratio Fγ·xTP at which the gas equation limits x, for the flow coefficient and xT at the opening and
// the reducers of the valve and pipe sizes: a gas or steam flow is choked when x reaches it. NaN where the gas
// equation has no meaning (no valve size, xT or isentropic exponent; reducers outside its range).
double chokedPressureRatio(const Variant &Kv, int KvUnit, const Variant &xT, const Variant &DNVentil,
                           const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &gamma);

// The flow equations for a caller that evaluates them for many flow coefficients (the opening solver): the
// operating point converted to the internal units once, then the flow for a Kv C (internal unit) and FL or xT.
// liquidFlow and gasFlow return false where calcQ_inkomp and calcQ_komp give their early 0; otherwise Q in m3/h
// (after the paper-stock factor) and the choked state, or W in kg/h, before any unit conversion.
struct LiquidConditions {
    int Medium = 0;
    double d = 0.0, D1 = 0.0, D2 = 0.0; // mm
    double P1 = 0.0, P2 = 0.0, pv = 0.0; // bar abs.; pv limited to [0, P1]
    double FF = 0.0;
    double rho = 0.0, nu = 0.0; // kg/m3, mm2/s
    ReducerCoefficients z;      // of d, D1 and D2 when d > 0
    // pow(D1, 4), taken once when first needed.
    double D1pow4() const
    {
        if (!D1pow4Known) {
            D1pow4Value = std::pow(D1, 4);
            D1pow4Known = true;
        }
        return D1pow4Value;
    }

private:
    mutable double D1pow4Value = 0.0;
    mutable bool D1pow4Known = false;
};
LiquidConditions liquidConditions(int Medium, const Variant &DNVentil, const Variant &DN1Rohr, const Variant &DN2Rohr,
                                  int DNunit, const Variant &p1, int p1Unit, const Variant &p2, int p2Unit,
                                  const Variant &pkrit, const Variant &psat, int pUnit, const Variant &rho1,
                                  int rhoUnit, const Variant &nue, int nueUnit);
bool liquidFlow(const LiquidConditions &c, double C, double fl, double &Q, bool &ChokedFlow);

struct GasConditions {
    double d = 0.0;             // mm
    double P1 = 0.0, P2 = 0.0;  // bar abs.
    double rho = 0.0;           // kg/m3
    double kappa = 0.0;
    ReducerCoefficients z;      // of d and the pipe sizes when d > 0
};
GasConditions gasConditions(const Variant &DNVentil, const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit,
                            const Variant &p1, int p1Unit, const Variant &p2, int p2Unit, const Variant &rho1,
                            int rhoUnit, const Variant &gamma);
bool gasFlow(const GasConditions &c, double C, double xt, double &W);
// chokedPressureRatio at the operating point of c, for a Kv C (internal unit, 0 or more).
double chokedPressureRatio(const GasConditions &c, double C, double xt);

// Characteristic curves of a valve row at the relative travel y (1 = fully open); Kv in the unit of KvsCv.
double curveKv(double KvsCv, double a0, double a1, double a2, double a3, double a4, double a5, double y);
double curveFL(double aFL, double bFL, double cFL, double y);
double curveXT(double axT, double bxT, double cxT, double y);

// Step cap of the Reynolds iteration; a flow that has not settled by then keeps its last value.
constexpr int kReynoldsStepLimit = 1000;

} // namespace flow
