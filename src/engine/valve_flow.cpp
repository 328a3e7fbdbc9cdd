#include "engine/valve_flow.h"

#include "units/conversions.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A polynomial c[0] + c[1] y + c[2] y^2 + ...
using Polynomial = std::vector<double>;

double valueOf(const Polynomial &c, double y)
{
    double v = 0.0;
    for (auto it = c.rbegin(); it != c.rend(); ++it)
        v = v * y + *it;
    return v;
}

Polynomial derivativeOf(const Polynomial &c)
{
    Polynomial d;
    for (std::size_t i = 1; i < c.size(); ++i)
        d.push_back(static_cast<double>(i) * c[i]);
    return d;
}

// The real roots of a polynomial in [lo, hi], ascending. Between neighbouring roots of its derivative a polynomial
// is monotonic and has one root at most, which bisection finds to adjacent numbers; the derivative's roots come the
// same way, down to a straight line.
std::vector<double> rootsIn(Polynomial c, double lo, double hi)
{
    while (!c.empty() && c.back() == 0.0)
        c.pop_back();
    if (c.size() <= 1)
        return {};
    if (c.size() == 2) {
        const double r = -c[0] / c[1];
        return r >= lo && r <= hi ? std::vector<double>{r} : std::vector<double>{};
    }
    std::vector<double> ends{lo};
    for (double r : rootsIn(derivativeOf(c), lo, hi))
        if (r > ends.back())
            ends.push_back(r);
    if (hi > ends.back())
        ends.push_back(hi);
    std::vector<double> roots;
    auto add = [&roots](double r) {
        if (roots.empty() || r > roots.back())
            roots.push_back(r);
    };
    for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
        double a = ends[i], b = ends[i + 1];
        const double fa = valueOf(c, a), fb = valueOf(c, b);
        if (fa == 0.0) {
            add(a);
            continue;
        }
        if ((fa < 0.0) == (fb < 0.0) || fb == 0.0)
            continue;
        for (int step = 0; step < 200; ++step) {
            const double m = a + (b - a) / 2;
            if (!(m > a && m < b))
                break;
            if ((valueOf(c, m) < 0.0) == (fa < 0.0))
                a = m;
            else
                b = m;
        }
        add(a);
    }
    if (valueOf(c, hi) == 0.0)
        add(hi);
    return roots;
}

// The openings within the travel where the Kv curve turns.
std::vector<double> kvTurningPoints(const flow::ValveCurves &c)
{
    return rootsIn(derivativeOf({c.a0, c.a1, c.a2, c.a3, c.a4, c.a5}), 0.0, 1.0);
}

// Openings where a curve of the valve may turn: the turning points of the Kv curve and the vertex of the FL or
// xT parabola within the travel.
std::vector<double> turningPoints(const flow::ValveCurves &c, bool liquid)
{
    std::vector<double> ys = kvTurningPoints(c);
    const double b = liquid ? c.bFL : c.bxT, a2 = liquid ? c.cFL : c.cxT;
    if (a2 != 0.0) {
        const double vertex = -b / (2 * a2);
        if (vertex > 0.0 && vertex < 1.0)
            ys.push_back(vertex);
    }
    return ys;
}

// The least flow is looked for on this many equal steps of the travel and at the curves' turning points, then
// closed in around the least dips among them (this many at the most) by golden sections down to this width of
// travel (about 60 sections; their limit only guards against a width that cannot shrink).
constexpr int kLeastFlowSteps = 100;
constexpr std::size_t kLeastFlowDips = 8;
constexpr double kLeastFlowWidth = 1e-12;
constexpr int kLeastFlowSections = 200;

} // namespace

namespace flow {

ValveCurves::Least ValveCurves::leastKv() const
{
    Least least{0.0, kv(0.0)};
    std::vector<double> ys = kvTurningPoints(*this);
    ys.push_back(1.0);
    for (double y : ys) {
        const double k = kv(y);
        if (k < least.kv)
            least = {y, k};
    }
    return least;
}

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
    return flowIn(C, fl, xt, true, true);
}

Flow ValveFlow::exactFlowAtOpening(double y) const
{
    const bool liquid = Zustand_ == 1;
    return exactFlowThrough(curves_.kv(y), liquid ? curves_.fl(y) : 0.0, liquid ? 0.0 : curves_.xt(y));
}

Flow ValveFlow::flowIn(double C, double fl, double xt, bool rounded, bool gasState) const
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
    if (gasFlow(gas_, kv, xt, W)) {
        switch (Zustand_) {
        case 0:
            f.Q = rounded ? durchflussGasZahl(Variant(W), 1, rhoN_, rhoUnit_, QUnit_)
                          : durchflussGasUngerundet(W, 1, rhoN_, rhoUnit_, QUnit_);
            break;
        case 2: f.Q = rounded ? massenstromZahl(Variant(W), 0, QUnit_) : massenstromUngerundet(W, 0, QUnit_); break;
        default: break;
        }
    }
    if (gasState) {
        // The limit of x at this coefficient (at 0 for none): x reaching it is choked, where a flow passes.
        const double limit = chokedPressureRatio(gas_, kv > 0.0 ? kv : 0.0, xt);
        const double x = (gas_.P1 - gas_.P2) / gas_.P1;
        f.chokedKnown = std::isfinite(limit) && std::isfinite(x);
        f.choked = f.chokedKnown && f.Q > 0.0 && x >= limit;
    }
    return f;
}

ValveFlow::Least ValveFlow::leastFlow() const
{
    std::vector<double> ys;
    for (int k = 0; k <= kLeastFlowSteps; ++k)
        ys.push_back(static_cast<double>(k) / kLeastFlowSteps);
    for (double y : turningPoints(curves_, Zustand_ == 1))
        ys.push_back(y);
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<double> Qs;
    for (double y : ys)
        Qs.push_back(exactFlowAtOpening(y).Q);

    Least least{ys.front(), Qs.front()};
    auto tried = [&](double y) {
        const double Q = exactFlowAtOpening(y).Q;
        if (Q < least.Q)
            least = {y, Q};
        return Q;
    };
    // Every opening tried whose flow is no more than its neighbours' lies in a dip of the flow (a minimum of Kv,
    // of FL or xT, or of their product, as the flow equations weigh them); the least few dips are closed in on by
    // golden sections between the neighbours, and the least flow of all is taken.
    std::vector<std::size_t> dips;
    for (std::size_t i = 0; i < ys.size(); ++i) {
        const bool belowLeft = i == 0 || Qs[i] <= Qs[i - 1];
        const bool belowRight = i + 1 == ys.size() || Qs[i] <= Qs[i + 1];
        if (belowLeft && belowRight)
            dips.push_back(i);
    }
    std::sort(dips.begin(), dips.end(), [&](std::size_t a, std::size_t b) { return Qs[a] < Qs[b]; });
    if (dips.size() > kLeastFlowDips)
        dips.resize(kLeastFlowDips);
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    for (const std::size_t at : dips) {
        tried(ys[at]);
        double a = ys[at == 0 ? 0 : at - 1], b = ys[std::min(at + 1, ys.size() - 1)];
        double c = b - ratio * (b - a), d = a + ratio * (b - a);
        double Qc = tried(c), Qd = tried(d);
        for (int section = 0; section < kLeastFlowSections && b - a > kLeastFlowWidth; ++section) {
            if (Qc <= Qd) {
                b = d;
                d = c;
                Qd = Qc;
                c = b - ratio * (b - a);
                Qc = tried(c);
            } else {
                a = c;
                c = d;
                Qc = Qd;
                d = a + ratio * (b - a);
                Qd = tried(d);
            }
        }
    }
    return least;
}

std::optional<double> ValveFlow::coefficientAt(double q, double y, Flow &through) const
{
    const double fl = curves_.fl(y), xt = curves_.xt(y);
    // A bracket from no flow to a coefficient that passes q: the curve's Kv at y, doubled as long as it passes less.
    double lo = 0.0, hi = curves_.kv(y);
    // A curve that closes at this end (or below): the valve's Kvs starts the bracket instead.
    if (!(hi > 0.0))
        hi = curves_.KvsCv;
    if (!(hi > 0.0) || !std::isfinite(hi))
        return std::nullopt;
    double Qhi = exactFlowThrough(hi, fl, xt).Q;
    while (Qhi < q) {
        const double next = 2 * hi;
        if (!std::isfinite(next))
            return std::nullopt;
        const double Qnext = exactFlowThrough(next, fl, xt).Q;
        if (Qnext > Qhi) {
            lo = hi;
            hi = next;
            Qhi = Qnext;
            continue;
        }
        // Doubled, the flow rises no more: reducers bound it below q, or the gas equation's range ends in between
        // (an outlet expander), where the flow rises steeply up to that end. Bisection looks for a coefficient
        // there that passes q: towards the end while the flow still rises, back from where it no longer does.
        double a = hi, b = next, Qa = Qhi;
        bool passes = false;
        for (int step = 0; step < kCoefficientStepLimit && std::nextafter(a, b) < b; ++step) {
            const double mid = a + (b - a) / 2;
            const double Qmid = exactFlowThrough(mid, fl, xt).Q;
            if (Qmid >= q) {
                lo = a;
                hi = mid;
                Qhi = Qmid;
                passes = true;
                break;
            }
            if (Qmid > Qa) {
                a = mid;
                Qa = Qmid;
            } else {
                b = mid;
            }
        }
        if (!passes)
            return std::nullopt;
    }
    // Bisection down to adjacent numbers.
    for (int step = 0; step < kCoefficientStepLimit; ++step) {
        const double mid = lo + (hi - lo) / 2;
        if (!(mid > lo && mid < hi))
            break;
        if (exactFlowThrough(mid, fl, xt).Q >= q)
            hi = mid;
        else
            lo = mid;
    }
    through = flowThrough(hi, fl, xt);
    return hi;
}

} // namespace flow
