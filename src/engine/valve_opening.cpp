#include "valve_opening.h"

#include "flow_equations.h"

#include "units/conversions.h"

#include <cmath>

Variant calcVentiloeffnung(const Variant &Q, int QUnit, const Variant &KvsCv, int KvUnit, const Variant &a0,
                           const Variant &a1, const Variant &a2, const Variant &a3, const Variant &a4,
                           const Variant &a5, const Variant &aFL, const Variant &bFL, const Variant &cFL,
                           const Variant &axT, const Variant &bxT, const Variant &cxT, const Variant &DNVentil,
                           const Variant &DN1Rohr, const Variant &DN2Rohr, int DNunit, const Variant &p1,
                           int p1Unit, const Variant &p2, int p2Unit, const Variant & /*T1*/, int /*T1Unit*/,
                           const Variant &pkrit, const Variant &psat, int pUnit, const Variant &rho1,
                           const Variant &rhoN, int rhoUnit, const Variant &nue, int nueUnit, const Variant &gamma,
                           int Medium, int Zustand, bool &ChokedFlow)
{
    const double kvs = KvsCv.asNumber();
    const double c0 = a0.asNumber(), c1 = a1.asNumber(), c2 = a2.asNumber(), c3 = a3.asNumber(),
                 c4 = a4.asNumber(), c5 = a5.asNumber();
    const double fa = aFL.asNumber(), fb = bFL.asNumber(), fc = cFL.asNumber();
    const double xa = axT.asNumber(), xb = bxT.asNumber(), xc = cxT.asNumber();

    bool choked = false;
    // The operating point in internal units, converted once for every trial.
    const bool liquid = Zustand == 1;
    flow::LiquidConditions liquidPoint;
    flow::GasConditions gasPoint;
    if (liquid)
        liquidPoint = flow::liquidConditions(Medium, DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2, p2Unit, pkrit,
                                             psat, pUnit, rho1, rhoUnit, nue, nueUnit);
    else
        gasPoint = flow::gasConditions(DNVentil, DN1Rohr, DN2Rohr, DNunit, p1, p1Unit, p2, p2Unit, rho1, rhoUnit,
                                       gamma);
    const Variant liquidDensity(liquidPoint.rho);
    // Trial flow at opening y, as calcQ_inkomp and calcQ_komp give it read as a number in QUnit (four digits when
    // QUnit is not the internal unit).
    const auto Qy = [&](double y) {
        const double C = kvCvZahl(Variant(flow::curveKv(kvs, c0, c1, c2, c3, c4, c5, y)), KvUnit, 0);
        if (liquid) {
            const double fl = Variant(flow::curveFL(fa, fb, fc, y)).asNumber();
            double q = 0.0;
            if (!flow::liquidFlow(liquidPoint, C, fl, q, choked))
                return 0.0;
            return durchflussFluessigZahl(Variant(q), 0, liquidDensity, 0, QUnit);
        }
        const double xt = Variant(flow::curveXT(xa, xb, xc, y)).asNumber();
        double W = 0.0;
        if (!flow::gasFlow(gasPoint, C, xt, W))
            return 0.0;
        switch (Zustand) {
        case 0: return durchflussGasZahl(Variant(W), 1, rhoN, rhoUnit, QUnit);
        case 2: return massenstromZahl(Variant(W), 0, QUnit);
        default: return 0.0;
        }
    };

    const double q = Q.asNumber();
    if (q <= 0.0)
        return Variant(0);

    const double Q100 = Qy(1.0);
    if (Q100 <= q)
        return Variant(1);

    // Coarse scan; the flow at y = 0 is taken as 0.
    double ya = 0.0, Qa = 0.0;
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

    ChokedFlow = choked;
    if (!finished)
        return Variant(-1);
    if (!anyStep)
        return Variant(1);
    return Variant(yn);
}
