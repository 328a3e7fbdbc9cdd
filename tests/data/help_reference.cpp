#include "help_reference.h"

#include "engine/flow_equations.h"
#include "engine/valve_opening.h"
#include "engine/water_steam.h"
#include "fluids/wizard_estimates.h"
#include "platform/db/database.h"
#include "support/if97.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

namespace reference {

namespace {

// Numerical constants of the 2011 edition for Kv, m3/h, bar, mm and mm2/s.
constexpr double N2 = 0.0016;
constexpr double N18 = 0.865;
constexpr double N32 = 140.0;

double trimExponentN(double cd2)
{
    return cd2 < 0.016 * N18 ? 1.0 + N32 * std::pow(cd2, 2.0 / 3.0) : N2 / (cd2 * cd2);
}

} // namespace

double reynoldsFactor2011(double rev, double fl, double cd2)
{
    const double n = trimExponentN(cd2);
    const double laminar = 0.026 / fl * std::sqrt(n * rev);
    double fr = laminar;
    if (rev >= 10.0) {
        const double transitional = 1.0 + 0.33 * std::sqrt(fl) / std::pow(n, 0.25) * std::log10(rev / 10000.0);
        fr = std::min(laminar, transitional);
    }
    return std::min(fr, 1.0);
}

double reynoldsFactorProgram(double rev)
{
    if (rev >= 10000.0)
        return 1.0;
    const double lg = std::log10(rev);
    if (rev >= 80.0)
        return std::pow(10.0, lg * (0.52805 - 0.0628 * lg) - 1.1075);
    return std::pow(10.0, 0.4919 * lg - 1.2661);
}

Reducers reducers(double d, double D1, double D2)
{
    Reducers z;
    const double b1 = d / D1, b2 = d / D2;
    z.zeta1 = 0.5 * std::pow(1.0 - b1 * b1, 2);
    z.zeta2 = 1.0 * std::pow(1.0 - b2 * b2, 2);
    z.zetaB1 = 1.0 - std::pow(b1, 4);
    z.zetaB2 = 1.0 - std::pow(b2, 4);
    return z;
}

double fp2011(const Reducers &z, double cd2)
{
    return 1.0 / std::sqrt(1.0 + (z.zeta1 + z.zeta2 + z.zetaB1 - z.zetaB2) / N2 * cd2 * cd2);
}

double flp2011(const Reducers &z, double fl, double cd2)
{
    return fl / std::sqrt(1.0 + fl * fl / N2 * (z.zeta1 + z.zetaB1) * cd2 * cd2);
}

double CatalogueValve::kv(double y) const
{
    double s = 0, p = 1;
    for (double c : a) {
        s += c * p;
        p *= y;
    }
    return kvs * s;
}

double CatalogueValve::flAt(double y) const
{
    return fl[0] + fl[1] * y + fl[2] * y * y;
}

double CatalogueValve::openingAt(double cd2) const
{
    const double d2 = double(dn) * dn;
    if (!(kv(1) / d2 > cd2))
        return 1;
    // Kv rises with the travel: halve down to the opening.
    double lo = 0, hi = 1;
    for (int k = 0; k < 60; ++k) {
        const double m = 0.5 * (lo + hi);
        (kv(m) / d2 > cd2 ? hi : lo) = m;
    }
    return lo;
}

double CatalogueValve::editionLimit() const
{
    return openingAt(kEditionLimit);
}

const std::vector<CatalogueValve> &catalogue()
{
    static const std::vector<CatalogueValve> valves = [] {
        const QString path = QDir(QStringLiteral(QUENDRA_SEED_DIR)).filePath(QStringLiteral("dbKenndaten.mdb"));
        const std::shared_ptr<Database> db = Database::open(path, Database::Mode::ReadOnly);
        std::vector<CatalogueValve> out;
        for (const QString &table : db->tableNames()) {
            // The work table and the user's own valve are not the catalogue.
            if (table.startsWith(QLatin1Char('_')) || table == QLatin1String("9999"))
                continue;
            const std::unique_ptr<Recordset> rs = db->openTable(table);
            for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
                CatalogueValve v;
                v.series = table;
                v.dn = int(rs->field("DN").toInt());
                v.characteristic = int(rs->field("Kennlinie").toInt());
                v.kvs = rs->field("Kvs").toDouble();
                for (int i = 0; i < 6; ++i)
                    v.a[i] = rs->field(QStringLiteral("a%1").arg(i)).toDouble();
                v.fl[0] = rs->field("aFL").toDouble();
                v.fl[1] = rs->field("bFL").toDouble();
                v.fl[2] = rs->field("cFL").toDouble();
                out.push_back(v);
            }
        }
        return out;
    }();
    return valves;
}

namespace {

// The operating point of every duty: 10 bar before the valve, 9 bar behind it (not choked) or 0.1 bar (choked), a
// liquid of 1000 kg/m3 without vapour pressure.
constexpr double kP1 = 10.0, kP2 = 9.0, kP2Choked = 0.1, kRho = 1000.0;
constexpr double N4 = 70700.0;

double p2Of(bool choked)
{
    return choked ? kP2Choked : kP2;
}

// The nominal-size series of the pipe lists.
const std::vector<int> &nominalSizes()
{
    static const std::vector<int> sizes{8, 10, 15, 20, 25, 32, 40, 50, 65, 80, 100, 125, 150, 200, 250, 300, 350, 400};
    return sizes;
}

// Every valve of the catalogue with pipes from its own size up to two nominal sizes larger.
std::vector<Installation> installations(const CatalogueValve &v)
{
    const std::vector<int> &sizes = nominalSizes();
    const auto at = std::find(sizes.begin(), sizes.end(), v.dn);
    if (at == sizes.end())
        throw std::runtime_error("a valve size outside the pipe sizes");
    std::vector<Installation> out;
    for (auto p1 = at; p1 != sizes.end() && p1 - at <= 2; ++p1)
        for (auto p2 = at; p2 != sizes.end() && p2 - at <= 2; ++p2)
            out.push_back(Installation{&v, *p1, *p2});
    return out;
}

} // namespace

double programFlow(const Installation &at, double C, double fl, const Duty &duty, bool *choked)
{
    bool c = false;
    const double q = calcQ_inkompZahl(1, Variant(C), 0, Variant(fl), Variant(at.valve->dn), Variant(at.D1),
                                      Variant(at.D2), 0, Variant(kP1), 0, Variant(p2Of(duty.choked)), 0, Variant(0),
                                      Variant(0), 0, Variant(kRho), 0, Variant(duty.nu), 0, 0, c);
    if (choked)
        *choked = c;
    return q;
}

double programFP(const Installation &at, double C)
{
    bool choked = true;
    const double q = programFlow(at, C, at.valve->flAt(1), Duty{}, &choked);
    return choked ? NAN : q / (C * std::sqrt(1000 * (kP1 - kP2) / kRho));
}

double programFLP(const Installation &at, double C, double fl)
{
    bool choked = false;
    const double q = programFlow(at, C, fl, Duty{0, 0, true}, &choked);
    return choked ? q / (C * std::sqrt(1000 * kP1 / kRho)) : NAN;
}

double programOpening(const Installation &at, const Duty &duty, double cd2Limit)
{
    const CatalogueValve &v = *at.valve;
    bool choked = false;
    const Variant y = calcVentiloeffnung(
        Variant(duty.Q), 0, Variant(v.kvs), 0, Variant(v.a[0]), Variant(v.a[1]), Variant(v.a[2]), Variant(v.a[3]),
        Variant(v.a[4]), Variant(v.a[5]), Variant(v.fl[0]), Variant(v.fl[1]), Variant(v.fl[2]), Variant(0), Variant(0),
        Variant(0), Variant(v.dn), Variant(at.D1), Variant(at.D2), 0, Variant(kP1), 0, Variant(p2Of(duty.choked)), 0,
        Variant(20), 0, Variant(0), Variant(0), 0, Variant(kRho), Variant(0), 0, Variant(duty.nu), 0, Variant(0), 1, 1,
        choked);
    const double yn = y.asNumber();
    // Within the range of C/d² asked for, to the sizing's tolerance: the comparisons end there.
    if (!(yn > 0 && yn < 1) || choked != duty.choked || v.kv(yn) > cd2Limit * v.dn * v.dn * (1 + 1e-3))
        return NAN;
    // The opening passes the duty's flow (not an opening near 0 of a valve too large for it).
    bool c = false;
    const double q = programFlow(at, v.kv(yn), v.flAt(yn), duty, &c);
    return std::fabs(q / duty.Q - 1) < 1e-3 && c == duty.choked ? yn : NAN;
}

Duty programDuty(const Installation &at, double y, bool choked, double nuScale)
{
    const CatalogueValve &v = *at.valve;
    const double C = v.kv(y), fl = v.flAt(y);
    Duty duty{0, 0, choked};
    if (nuScale > 0) {
        // Laminar: a viscosity at which the flow, were it turbulent, would have Re_v 10.
        duty.nu = N4 * programFlow(at, C, fl, duty) / (10 * std::sqrt(fl * C));
    }
    Duty scaled = duty;
    scaled.nu *= nuScale;
    duty.Q = programFlow(at, C, fl, scaled);
    return duty;
}

namespace {

// The 2011 edition's flow and choked state through the valve at opening y for the duty: Re_v from the duty's flow,
// F_d = 1; F_P does not enter viscous flow, which the comparisons take without reducers.
double editionFlowAt(const Installation &at, double y, const Duty &duty, double rho0, bool &choked)
{
    const CatalogueValve &v = *at.valve;
    const double C = v.kv(y), fl = v.flAt(y), d = v.dn, cd2 = C / (d * d);
    if (!(C > 0) || !(fl > 0))
        return 0;
    const Reducers z = reducers(d, at.D1, at.D2);
    const double fp = fp2011(z, cd2), flp = flp2011(z, fl, cd2);
    const double relative = kRho / rho0, dp = kP1 - p2Of(duty.choked);
    choked = dp >= std::pow(flp / fp, 2) * kP1;
    if (duty.nu > 0) {
        const double rev = N4 * duty.Q / (duty.nu * std::sqrt(fl * C)) *
                           std::pow(std::pow(fl * C, 2) / (N2 * std::pow(double(at.D1), 4)) + 1.0, 0.25);
        if (rev < 10000.0)
            return reynoldsFactor2011(rev, fl, cd2) * C * std::sqrt(dp / relative);
    }
    return (choked ? flp * std::sqrt(kP1 / relative) : fp * std::sqrt(dp / relative)) * C;
}

} // namespace

double editionOpening(const Installation &at, const Duty &duty, double rho0, double top)
{
    if (std::isnan(top))
        top = at.valve->editionLimit();
    bool choked = false;
    // Reaching the duty's flow to the last digits: at the opening of the duty the edition sizes, its own flow.
    const auto below = [&](double y) { return editionFlowAt(at, y, duty, rho0, choked) < duty.Q * (1 - 1e-12); };
    if (!below(0))
        return NAN;
    // The first opening at which the flow reaches the duty's: where the flow falls again as the opening grows
    // (viscous flow), the smaller Kv is the one the edition asks for.
    constexpr int kSteps = 25;
    double lo = 0, hi = -1;
    for (int i = 1; i <= kSteps && hi < 0; ++i) {
        const double y = top * i / kSteps;
        (below(y) ? lo : hi) = y;
    }
    if (hi < 0)
        return NAN;
    for (int k = 0; k < 40; ++k) {
        const double m = 0.5 * (lo + hi);
        (below(m) ? lo : hi) = m;
    }
    editionFlowAt(at, hi, duty, rho0, choked);
    return choked == duty.choked ? hi : NAN;
}

Duty editionDuty(const Installation &at, double y, double lgRe, bool choked, double rho0)
{
    const CatalogueValve &v = *at.valve;
    Duty duty{0, 0, choked};
    bool c = false;
    if (std::isnan(lgRe)) {
        duty.Q = editionFlowAt(at, y, duty, rho0, c);
        return duty;
    }
    // The flow at Re_v = 10^lgRe, and the viscosity that gives it that Re_v.
    const double C = v.kv(y), fl = v.flAt(y), d = v.dn, rev = std::pow(10.0, lgRe);
    duty.Q = reynoldsFactor2011(rev, fl, C / (d * d)) * C * std::sqrt((kP1 - p2Of(choked)) * rho0 / kRho);
    duty.nu = N4 * duty.Q / (rev * std::sqrt(fl * C)) *
              std::pow(std::pow(fl * C, 2) / (N2 * std::pow(double(at.D1), 4)) + 1.0, 0.25);
    return duty;
}

namespace {

constexpr double kComparedFd = 0.5;

// The factor by which the program's Re_v (F_P · F_L under the root and in the pipe term) exceeds the one with F_L
// alone, at Kv C and F_L fl, with the engine's F_P.
double reynoldsNumberRatio(const Installation &at, double C, double fl)
{
    const double fp = programFP(at, C);
    const double pipe = N2 * std::pow(double(at.D1), 4);
    return std::pow((std::pow(fp * fl * C, 2) / pipe + 1.0) / (std::pow(fl * C, 2) / pipe + 1.0), 0.25) / std::sqrt(fp);
}

bool sameDutyEffect(Effect e)
{
    return e == Effect::FrSameDutySmaller || e == Effect::FpSameDutySmaller || e == Effect::FpSameDutyLarger ||
           e == Effect::FlpSameDutySmaller || e == Effect::ReynoldsSameDutySmaller ||
           e == Effect::FdSameDutySmaller || e == Effect::FdSameDutyReducersSmaller;
}

// The program sizes beyond the edition's range of C/d²: where its Kv is the larger, the comparison holds the 2011
// edition's alone to that range.
bool programUnbounded(Effect e)
{
    return e == Effect::FpSameDutyLarger;
}

bool overReynoldsNumbers(Effect e)
{
    return e == Effect::FrEqualReSmaller || e == Effect::FrEqualReLarger || e == Effect::FrSameDutySmaller;
}

bool withReducers(Effect e)
{
    return !overReynoldsNumbers(e) && e != Effect::FdSameDutySmaller;
}

} // namespace

SameDuty sameDutyAt(Effect e, const Installation &at, double y, double lgRe)
{
    SameDuty r;
    // The duty is the one the side asking for the larger Kv sizes at opening y, so that the search reaches the
    // limit of C/d² with it.
    double scale = 0;
    switch (e) {
    case Effect::FrSameDutySmaller:
    case Effect::FpSameDutySmaller:
    case Effect::FlpSameDutySmaller:
        r.duty = editionDuty(at, y, lgRe, e == Effect::FlpSameDutySmaller, kProgramRho0);
        r.yOther = editionOpening(at, r.duty, kProgramRho0, y);
        r.yProgram = programOpening(at, r.duty);
        break;
    case Effect::FpSameDutyLarger:
        r.duty = programDuty(at, y, false, 0);
        r.yProgram = programOpening(at, r.duty, HUGE_VAL);
        r.yOther = editionOpening(at, r.duty, kProgramRho0);
        break;
    case Effect::ReynoldsSameDutySmaller:
        scale = reynoldsNumberRatio(at, at.valve->kv(y), at.valve->flAt(y));
        [[fallthrough]];
    case Effect::FdSameDutySmaller:
    case Effect::FdSameDutyReducersSmaller: {
        // Against the program itself, its Re_v with F_L alone (F_P = 1 in it) or with F_d: the engine given the
        // viscosity scaled by the ratio of the two Reynolds numbers.
        if (scale == 0)
            scale = 1 / kComparedFd;
        r.duty = programDuty(at, y, false, scale);
        Duty scaled = r.duty;
        scaled.nu *= scale;
        r.yOther = programOpening(at, scaled);
        r.yProgram = programOpening(at, r.duty);
        break;
    }
    default: break;
    }
    r.kvOther = at.valve->kv(r.yOther);
    r.kvProgram = at.valve->kv(r.yProgram);
    return r;
}

namespace {

// The largest value of f over [a, b]: the best of n + 1 equally spaced points, then a golden-section search between
// its neighbours (without refine, the best point alone); f is NaN where it has no value, and jumps at the breaks.
struct Peak {
    double x = NAN, value = -HUGE_VAL;
};

Peak largest(const std::function<double(double)> &f, double a, double b, int n, bool refine = true,
             const std::vector<double> &breaks = {})
{
    Peak best;
    const auto take = [&](double x) {
        const double v = f(x);
        if (v > best.value) // NaN never is
            best = Peak{x, v};
        return std::isnan(v) ? -HUGE_VAL : v;
    };
    std::vector<double> xs;
    for (int i = 0; i <= n; ++i)
        xs.push_back(a + (b - a) * i / n);
    // A jump of f is approached from both sides.
    for (double x : breaks)
        if (x > a && x < b)
            xs.insert(xs.end(), {std::nextafter(x, a), x});
    std::sort(xs.begin(), xs.end());
    std::size_t at = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double before = best.value;
        take(xs[i]);
        if (best.value > before)
            at = i;
    }
    if (!refine)
        return best;
    // Golden-section search between the best point's neighbours.
    double lo = xs[at == 0 ? 0 : at - 1], hi = xs[std::min(at + 1, xs.size() - 1)];
    const double g = (std::sqrt(5.0) - 1) / 2;
    double x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo);
    double f1 = take(x1), f2 = take(x2);
    while (hi - lo > 1e-7 * (b - a)) {
        if (f1 >= f2) {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - g * (hi - lo);
            f1 = take(x1);
        } else {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + g * (hi - lo);
            f2 = take(x2);
        }
    }
    return best;
}

double effectAt(Effect e, const Installation &at, double y, double lgRe)
{
    if (sameDutyEffect(e)) {
        const double ratio = sameDutyAt(e, at, y, lgRe).kvRatio();
        return e == Effect::FpSameDutyLarger ? ratio - 1 : 1 - ratio;
    }
    const CatalogueValve &v = *at.valve;
    const double C = v.kv(y), fl = v.flAt(y), cd2 = C / (double(v.dn) * v.dn), rev = std::pow(10.0, lgRe);
    const Reducers z = reducers(v.dn, at.D1, at.D2);
    switch (e) {
    case Effect::FrEqualReSmaller: return 1 - reynoldsFactor2011(rev, fl, cd2) / calcFR(rev);
    case Effect::FrEqualReLarger: return reynoldsFactor2011(rev, fl, cd2) / calcFR(rev);
    case Effect::FpFlowLarger: return programFP(at, C) / fp2011(z, cd2) - 1;
    case Effect::FpFlowSmaller: return 1 - programFP(at, C) / fp2011(z, cd2);
    case Effect::FlpFlowLarger: return programFLP(at, C, fl) / flp2011(z, fl, cd2) - 1;
    case Effect::ReynoldsNumberLarger: return reynoldsNumberRatio(at, C, fl) - 1;
    default: return NAN;
    }
}

constexpr int kOpeningPoints = 6;  // points over the travel, before the search between them
constexpr int kReynoldsPoints = 8; // over lg Re_v from 0 to 4, two a decade: 10 is one of them
constexpr double kLgReynoldsTurbulent = 4.0;

// An effect's coarse points at an installation, or its search there: over the opening up to the edition's limit
// of C/d² (the program's whole travel where it is unbounded) and, for F_R, over Re_v from 1 to 10 000, the search over Re_v for each opening of the search over the
// opening. The openings start just above 0.
Extreme searchAt(Effect e, const Installation &at, bool refine)
{
    Extreme x;
    x.at = at;
    const double top = programUnbounded(e) ? 1 : at.valve->editionLimit();
    const auto keep = [&](double value, double y, double r) {
        if (value > x.value)
            x.value = value, x.y = y, x.lgRe = r;
    };
    // The 2011 edition changes from the reduced-trim equations to the full-trim ones at C/d² = 0.016 N18.
    const std::vector<double> breaks{overReynoldsNumbers(e) ? at.valve->openingAt(0.016 * N18) : top};
    const auto overOpening = [&](const std::function<double(double)> &f) {
        return largest([&](double y) { return y > 0 ? f(y) : NAN; }, 0, top, kOpeningPoints, refine, breaks);
    };
    if (!overReynoldsNumbers(e)) {
        const Peak p = overOpening([&](double y) { return effectAt(e, at, y, NAN); });
        keep(p.value, p.x, NAN);
        return x;
    }
    overOpening([&](double y) {
        const Peak p = largest([&](double r) { return effectAt(e, at, y, r); }, 0, kLgReynoldsTurbulent,
                               kReynoldsPoints, refine);
        keep(p.value, y, p.x);
        return p.value;
    });
    return x;
}

// Installations alike in C/d² fully open, curves and diameter ratios have the same effects: the equations see the
// sizes through these alone. Each class once, by its first installation.
std::vector<std::vector<Installation>> classesOf(const std::vector<Installation> &all)
{
    std::map<std::vector<double>, std::size_t> index;
    std::vector<std::vector<Installation>> classes;
    for (const Installation &at : all) {
        const CatalogueValve &v = *at.valve;
        std::vector<double> key{v.kvs / (double(v.dn) * v.dn), double(v.dn) / at.D1, double(v.dn) / at.D2};
        key.insert(key.end(), std::begin(v.a), std::end(v.a));
        key.insert(key.end(), std::begin(v.fl), std::end(v.fl));
        const auto [it, added] = index.try_emplace(key, classes.size());
        if (added)
            classes.emplace_back();
        classes[it->second].push_back(at);
    }
    return classes;
}

// The installations an effect is compared over: with reducers, or without them for F_R and for F_d alone.
std::vector<Installation> comparedInstallations(Effect e)
{
    std::vector<Installation> out;
    for (const CatalogueValve &v : catalogue())
        for (const Installation &at : installations(v))
            if (withReducers(e) || (at.D1 == v.dn && at.D2 == v.dn))
                out.push_back(at);
    return out;
}

Extreme largestAt(Effect e, const Installation &at)
{
    return searchAt(e, at, true);
}

} // namespace

const Extreme &largestOverCatalogue(Effect e)
{
    static std::map<Effect, Extreme> found;
    if (const auto it = found.find(e); it != found.end())
        return it->second;
    // The search at every class; for the costly same-duty comparisons, at the six classes with the best coarse
    // points and those as good as the best. Effects closer than the sizing's own tolerance are the same: the first
    // installation in the catalogue's order (classes are in the order of their first) stands for them.
    const bool costly = sameDutyEffect(e);
    const double tie = costly ? 2e-4 : 1e-12;
    std::vector<Extreme> x;
    for (const std::vector<Installation> &c : classesOf(comparedInstallations(e)))
        x.push_back(searchAt(e, c.front(), !costly));
    if (costly) {
        std::vector<double> values;
        for (const Extreme &c : x)
            values.push_back(c.value);
        std::sort(values.rbegin(), values.rend());
        const double bar = std::min(values[std::min<std::size_t>(5, values.size() - 1)], values.front() - tie);
        for (Extreme &c : x)
            c = c.value >= bar ? searchAt(e, c.at, true) : Extreme{};
    }
    double best = -HUGE_VAL;
    for (const Extreme &c : x)
        best = std::max(best, c.value);
    for (const Extreme &c : x)
        if (c.value >= best - tie)
            return found[e] = c;
    return found[e] = Extreme{};
}

const std::vector<SeriesRange> &seriesRanges()
{
    static const std::vector<SeriesRange> ranges = [] {
        std::vector<SeriesRange> out;
        for (const std::vector<Installation> &c : classesOf(comparedInstallations(Effect::FrEqualReSmaller))) {
            const double smaller = largestAt(Effect::FrEqualReSmaller, c.front()).value;
            const double larger = largestAt(Effect::FrEqualReLarger, c.front()).value;
            for (const Installation &at : c) {
                const CatalogueValve &v = *at.valve;
                auto s = std::find_if(out.begin(), out.end(),
                                      [&](const SeriesRange &r) { return r.series == v.series; });
                if (s == out.end())
                    s = out.insert(out.end(), SeriesRange{v.series});
                const double d2 = double(v.dn) * v.dn;
                s->cd2Min = std::min(s->cd2Min, v.kvs / d2);
                s->cd2Max = std::max(s->cd2Max, v.kvs / d2);
                s->kvRatioMin = std::min(s->kvRatioMin, 1 - smaller);
                s->kvRatioMax = std::max(s->kvRatioMax, larger);
            }
        }
        // In the database's table order.
        const std::vector<CatalogueValve> &all = catalogue();
        const auto rank = [&](const QString &series) {
            return std::find_if(all.begin(), all.end(), [&](const CatalogueValve &v) { return v.series == series; }) -
                   all.begin();
        };
        std::sort(out.begin(), out.end(),
                  [&](const SeriesRange &a, const SeriesRange &b) { return rank(a.series) < rank(b.series); });
        return out;
    }();
    return ranges;
}

std::pair<double, double> largestReynoldsFactorRatio(double fl, double cd2, double lgFrom)
{
    const Peak p = largest([&](double r) { return reynoldsFactor2011(std::pow(10.0, r), fl, cd2) /
                                                  calcFR(std::pow(10.0, r)); },
                           lgFrom, kLgReynoldsTurbulent, kReynoldsPoints);
    return {p.value, p.x};
}

std::vector<double> reynoldsFactorCrossings(double fl, double cd2)
{
    const auto above = [&](double r) {
        return reynoldsFactor2011(std::pow(10.0, r), fl, cd2) > calcFR(std::pow(10.0, r));
    };
    // Up to just below 10 000, where both jump to 1; a hundred steps a decade, each change halved down.
    const double top = std::nextafter(kLgReynoldsTurbulent, 0.0);
    constexpr int kSteps = 400;
    std::vector<double> out;
    for (int i = 0; i < kSteps; ++i) {
        double lo = top * i / kSteps, hi = top * (i + 1) / kSteps;
        const bool from = above(lo);
        if (above(hi) == from)
            continue;
        for (int k = 0; k < 60; ++k) {
            const double m = 0.5 * (lo + hi);
            (above(m) == from ? lo : hi) = m;
        }
        out.push_back(hi);
    }
    return out;
}

namespace {

constexpr double kAtmosphere = 0.101325; // MPa

// Liquid water in the states the pages compare: at 1.01325 bar, above 100 °C at the saturation pressure.
if97::State waterAt(double tC)
{
    const double T = tC + 273.15;
    const double p = std::max(kAtmosphere, if97::psat(T));
    return T <= 623.15 ? if97::region1(p, T) : if97::saturatedLiquid(T);
}

if97::State steamAt(double pBar, double tC)
{
    return tC < 0 ? if97::saturatedVapour(if97::tsat(pBar / 10)) : if97::steam(pBar / 10, tC + 273.15);
}

double programSteamTemperature(double pBar, double tC)
{
    return tC < 0 ? calcTsatWasser(Variant(pBar), 0, 0).asNumber() : tC;
}

bool isPressureProperty(Property property)
{
    return property != Property::VapourPressure && property != Property::WaterDensity &&
           property != Property::WaterViscosity;
}

} // namespace

bool deviationInKelvin(Property property)
{
    return property == Property::SaturationTemperature;
}

PropertyPoint propertyAt(Property property, double x, double t)
{
    PropertyPoint r;
    switch (property) {
    case Property::VapourPressure:
        r.program = calcPsatWasser(Variant(x), 0, 0).asNumber();
        r.reference = if97::psat(x + 273.15) * 10;
        break;
    case Property::SaturationTemperature:
        r.program = calcTsatWasser(Variant(x), 0, 0).asNumber();
        r.reference = if97::tsat(x / 10) - 273.15;
        break;
    case Property::WaterDensity:
        r.program = calcRhoWasser(Variant(x), 0, 0).asNumber();
        r.reference = waterAt(x).rho;
        break;
    case Property::WaterViscosity: {
        const Variant rho = calcRhoWasser(Variant(x), 0, 0);
        r.program = calcNueWasser(Variant(x), 0, rho, 0, 0).asNumber();
        const if97::State w = waterAt(x);
        r.reference = if97::viscosity(w.rho, w.T) / w.rho * 1e6;
        break;
    }
    case Property::SteamDensity:
    case Property::SteamKappa: {
        const double tp = programSteamTemperature(x, t);
        Variant p(x);
        const double kappa = calcKappaDampf(Variant(x), 0, Variant(tp), 0).asNumber();
        // The program refuses steam whose isentropic exponent it computes at 1 or below.
        r.accepted = kappa > 1.0;
        const if97::State s = steamAt(x, t);
        if (property == Property::SteamDensity) {
            r.program = calcRhoDampf(p, 0, Variant(tp), 0, 0).asNumber();
            r.reference = s.rho;
        } else {
            r.program = kappa;
            r.reference = s.kappa();
        }
        break;
    }
    case Property::EnthalpyOfVaporisation:
    case Property::SteamMassFlow:
        r.program = calcRVerdampfung(Variant(x), 0).asNumber();
        r.reference = if97::enthalpyOfVaporisation(x / 10);
        break;
    }
    if (deviationInKelvin(property))
        r.deviation = r.program - r.reference;
    else if (property == Property::SteamMassFlow)
        r.deviation = (r.reference / r.program - 1) * 100; // the flow goes with 1 / r
    else
        r.deviation = (r.program / r.reference - 1) * 100;
    return r;
}

PropertyPoint wizardAt(WizardProperty property, double x, double t)
{
    const CriticalPoint water{Variant(373.946), 0, Variant(220.64), 0};
    const Variant w(0.3443), M(18.015);
    PropertyPoint r;
    switch (property) {
    case WizardProperty::VapourPressure:
        r.program = calcPsatLeeKesler(Variant(x), 0, water, w, 0).value;
        r.reference = if97::psat(x + 273.15) * 10;
        break;
    case WizardProperty::VapourDensity:
        r.program = calcRhoRealgas(Variant(x), 0, Variant(t), 0, M, water, w, 2, 0).value;
        r.reference = if97::region2(x / 10, t + 273.15).rho;
        break;
    case WizardProperty::LiquidDensity:
        r.program = calcRhoRealgas(Variant(x), 0, Variant(t), 0, M, water, w, 1, 0).value;
        r.reference = if97::region1(x / 10, t + 273.15).rho;
        break;
    case WizardProperty::AcentricFactor:
        r.program = edmisterAcentricFactor(Variant(99.974), water).value;
        r.reference = -1.0 - std::log10(if97::psat(0.7 * if97::Tc) / if97::pc);
        break;
    }
    r.deviation = (r.program / r.reference - 1) * 100;
    return r;
}

namespace {

// The program's saturation temperature ends its bisection of its vapour-pressure curve within 0.01 K: a saw-tooth of
// less than 0.005 K either way on the curve's own inverse, with a jump at every tooth, too fine for any grid. Between
// two jumps the program's value stays all but constant while the real saturation temperature rises with the
// pressure; a property the program computes at its saturation temperature, and its deviation, go by teeth too. The
// deviation at the program's saturation temperature T and the pressure p is deviationAt(p, T). Within pressures
// where the deviation at the curve's inverse comes within a tooth of the extreme so far, every jump is located by
// bisection and the deviation taken on both sides of it.
std::pair<double, double> sawToothRange(double p0, double p1, const std::function<double(double, double)> &deviationAt)
{
    const auto program = [](double p) { return calcTsatWasser(Variant(p), 0, 0).asNumber(); };
    const auto deviation = [&](double p) { return deviationAt(p, program(p)); };
    const auto inverse = [](double p) {
        double lo = 0.01, hi = 374.15;
        for (int k = 0; k < 60; ++k) {
            const double m = 0.5 * (lo + hi);
            (calcPsatWasser(Variant(m), 0, 0).asNumber() < p ? lo : hi) = m;
        }
        return 0.5 * (lo + hi);
    };
    constexpr double kTooth = 0.005, kStep = 0.0005; // K
    constexpr int kSections = 500;
    // The deviation at the inverse and the most a tooth can add to it either way.
    struct End {
        double p, t, curve, tooth;
    };
    std::vector<End> ends;
    for (int i = 0; i <= kSections; ++i) {
        const double p = p0 * std::pow(p1 / p0, double(i) / kSections), t = inverse(p), curve = deviationAt(p, t);
        ends.push_back(End{p, t, curve,
                           std::max(std::fabs(deviationAt(p, t + kTooth) - curve),
                                    std::fabs(deviationAt(p, t - kTooth) - curve))});
    }
    double lo = std::min(deviation(p0), deviation(p1)), hi = std::max(deviation(p0), deviation(p1));
    const auto walk = [&](const End &a, const End &b) {
        double pPrev = a.p, vPrev = program(pPrev);
        const auto take = [&](double x) {
            const double d = deviation(x);
            hi = std::max(hi, d);
            lo = std::min(lo, d);
        };
        for (double t = a.t + kStep;; t += kStep) {
            const double p = t < b.t ? calcPsatWasser(Variant(t), 0, 0).asNumber() : b.p;
            const double v = program(p);
            if (std::fabs(v - vPrev) > kStep) {
                double below = pPrev, above = p;
                for (int k = 0; k < 60 && std::nextafter(below, above) < above; ++k) {
                    const double m = 0.5 * (below + above);
                    (std::fabs(program(m) - vPrev) <= kStep ? below : above) = m;
                }
                take(below);
                take(above);
            }
            take(p);
            pPrev = p;
            vPrev = v;
            if (t >= b.t)
                break;
        }
    };
    // The sections in the order of how far a tooth could take the deviation beyond the extreme so far: within a
    // section the curve and the tooth change by little more than between its ends.
    for (const double sign : {1.0, -1.0}) {
        std::vector<std::pair<double, std::size_t>> reach;
        for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
            const End &a = ends[i], &b = ends[i + 1];
            const double r = std::max(a.tooth, b.tooth) * 1.5 + std::fabs(b.curve - a.curve);
            reach.emplace_back(std::max(sign * a.curve, sign * b.curve) + r, i);
        }
        std::sort(reach.begin(), reach.end(), std::greater<>());
        for (const auto &[farthest, i] : reach) {
            if (farthest < sign * (sign > 0 ? hi : lo))
                break;
            walk(ends[i], ends[i + 1]);
        }
    }
    return {lo, hi};
}

std::pair<double, double> searchDeviationRange(Property property, double x0, double x1, double tMax);

} // namespace

double kappaLimit(double pBar)
{
    double lo = calcTsatWasser(Variant(pBar), 0, 0).asNumber(), hi = 2000;
    for (int k = 0; k < 80; ++k) {
        const double m = 0.5 * (lo + hi);
        (calcKappaDampf(Variant(pBar), 0, Variant(m), 0).asNumber() > 1.0 ? lo : hi) = m;
    }
    return lo;
}

std::pair<double, double> deviationRange(Property property, double x0, double x1, double tMax)
{
    static std::map<std::tuple<Property, double, double, double>, std::pair<double, double>> found;
    const auto key = std::make_tuple(property, x0, x1, tMax);
    if (const auto it = found.find(key); it != found.end())
        return it->second;
    return found[key] = searchDeviationRange(property, x0, x1, tMax);
}

namespace {

std::pair<double, double> searchDeviationRange(Property property, double x0, double x1, double tMax)
{
    if (property == Property::SaturationTemperature && tMax < 0)
        return sawToothRange(x0, x1, [](double p, double t) { return t - (if97::tsat(p / 10) - 273.15); });
    if (property == Property::SteamDensity && tMax < 0)
        return sawToothRange(x0, x1, [](double p, double t) {
            Variant pv(p);
            return (calcRhoDampf(pv, 0, Variant(t), 0, 0).asNumber() / steamAt(p, -1).rho - 1) * 100;
        });
    const bool logarithmic = isPressureProperty(property);
    const auto xOf = [&](double u) { return logarithmic ? x0 * std::pow(x1 / x0, u) : x0 + (x1 - x0) * u; };
    // Over the range and, for superheated steam, at each pressure over the temperatures from the saturation
    // temperature on both sides (neither calls the steam at the other's subcooled) up to tMax or to where the
    // program stops accepting the steam.
    const auto extreme = [&](double sign) {
        if (tMax < 0)
            return sign * largest([&](double u) { return sign * propertyAt(property, xOf(u)).deviation; }, 0, 1, 200)
                              .value;
        const auto overTemperature = [&](double u) {
            const double x = xOf(u);
            const double ts = std::max(calcTsatWasser(Variant(x), 0, 0).asNumber(), if97::tsat(x / 10) - 273.15);
            const double top = std::min(tMax, kappaLimit(x));
            const auto at = [&](double v) {
                const PropertyPoint p = propertyAt(property, x, ts + (top - ts) * v);
                return p.accepted ? sign * p.deviation : NAN;
            };
            return largest(at, 0, 1, 40).value;
        };
        return sign * largest(overTemperature, 0, 1, 40).value;
    };
    return {extreme(-1), extreme(1)};
}

} // namespace

} // namespace reference
