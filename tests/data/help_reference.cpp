#include "help_reference.h"

#include "engine/water_steam.h"
#include "fluids/wizard_estimates.h"
#include "platform/db/database.h"
#include "support/if97.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace reference {

namespace {

// Numerical constants of the 2011 edition for Kv, m3/h, bar, mm and mm2/s.
constexpr double N2 = 0.0016;
constexpr double N18 = 0.865;
constexpr double N32 = 140.0;

// The Reynolds numbers the comparison looks at: 1 to 10 000, 400 to a decade, and 10 itself, where the edition
// changes from the laminar equation alone to the lesser of two.
const std::vector<double> &comparedReynoldsNumbers()
{
    static const std::vector<double> revs = [] {
        std::vector<double> r;
        for (int i = 0; i <= 1600; ++i)
            r.push_back(std::pow(10.0, i / 400.0));
        r.push_back(10.0);
        std::sort(r.begin(), r.end());
        return r;
    }();
    return revs;
}

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
    return std::pow(10.0, programLaminarExponent() * lg - 1.2661);
}

double programLaminarExponent()
{
    return 0.4919;
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

double fpProgram(const Reducers &z, double cd2)
{
    return 1.0 / std::sqrt(1.0 + (z.zeta1 + z.zeta2) / N2 * cd2 * cd2);
}

double flp2011(const Reducers &z, double fl, double cd2)
{
    return fl / std::sqrt(1.0 + fl * fl / N2 * (z.zeta1 + z.zetaB1) * cd2 * cd2);
}

double flpProgram(const Reducers &z, double fl, double cd2)
{
    return fl / std::sqrt(1.0 + fl * fl / N2 * z.zeta1 * cd2 * cd2);
}

double reynoldsNumberRatio(const Reducers &z, double fl, double C, double cd2, double D1)
{
    const double fp = fpProgram(z, cd2);
    const double pipe = N2 * std::pow(D1, 4);
    const double program = std::pow(std::pow(fp * fl * C, 2) / pipe + 1.0, 0.25) / std::sqrt(fp * fl * C);
    const double edition = std::pow(std::pow(fl * C, 2) / pipe + 1.0, 0.25) / std::sqrt(fl * C);
    return program / edition;
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

std::vector<CatalogueValve> catalogue()
{
    const QString path = QDir(QStringLiteral(QUENDRA_SEED_DIR)).filePath(QStringLiteral("dbKenndaten.mdb"));
    const std::shared_ptr<Database> db = Database::open(path, Database::Mode::ReadOnly);
    std::vector<CatalogueValve> valves;
    for (const QString &table : db->tableNames()) {
        // The work table and the user's own valve are not the catalogue.
        if (table.startsWith(QLatin1Char('_')) || table == QLatin1String("9999"))
            continue;
        const std::unique_ptr<Recordset> rs = db->openTable(table);
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            CatalogueValve v;
            v.series = table;
            v.dn = int(rs->field("DN").toInt());
            v.kvs = rs->field("Kvs").toDouble();
            for (int i = 0; i < 6; ++i)
                v.a[i] = rs->field(QStringLiteral("a%1").arg(i)).toDouble();
            v.fl[0] = rs->field("aFL").toDouble();
            v.fl[1] = rs->field("bFL").toDouble();
            v.fl[2] = rs->field("cFL").toDouble();
            valves.push_back(v);
        }
    }
    return valves;
}

const std::vector<int> &nominalSizes()
{
    static const std::vector<int> sizes{8, 10, 15, 20, 25, 32, 40, 50, 65, 80, 100, 125, 150, 200, 250, 300, 350, 400};
    return sizes;
}

std::vector<double> comparedOpenings(const CatalogueValve &v)
{
    const double d2 = double(v.dn) * v.dn;
    std::vector<double> ys;
    for (int i = 0; i <= 200; ++i)
        ys.push_back(i / 200.0);
    if (v.kv(0) / d2 < kEditionLimit && v.kv(1) / d2 > kEditionLimit) {
        // Kv rises with the travel: halve down to the opening at the limit.
        double lo = 0, hi = 1;
        for (int k = 0; k < 60; ++k) {
            const double m = 0.5 * (lo + hi);
            (v.kv(m) / d2 > kEditionLimit ? hi : lo) = m;
        }
        ys.push_back(lo);
    }
    std::vector<double> within;
    for (double y : ys)
        if (v.kv(y) / d2 <= kEditionLimit)
            within.push_back(y);
    return within;
}

namespace {

void keepIf(Extreme &e, bool better, double value, const CatalogueValve &v, double y, double rev, int D1, int D2)
{
    if (!better)
        return;
    e = Extreme{value, v.series, v.dn, v.kvs, y, rev, D1, D2};
}

CatalogueEffects computeEffects()
{
    CatalogueEffects e;
    e.frKvRatioMin.value = 1e300;
    e.fpFlowRatioMin.value = 1e300;
    const std::vector<double> &revs = comparedReynoldsNumbers();
    std::vector<double> sqrtRev, lgRatio, frProgram;
    for (double rev : revs) {
        sqrtRev.push_back(std::sqrt(rev));
        lgRatio.push_back(std::log10(rev / 10000.0));
        frProgram.push_back(reynoldsFactorProgram(rev));
    }
    const std::vector<int> &sizes = nominalSizes();

    for (const CatalogueValve &v : catalogue()) {
        auto s = std::find_if(e.series.begin(), e.series.end(),
                              [&v](const SeriesRange &r) { return r.series == v.series; });
        if (s == e.series.end()) {
            e.series.push_back(SeriesRange{v.series});
            s = e.series.end() - 1;
        }
        const double d2 = double(v.dn) * v.dn;
        s->cd2Min = std::min(s->cd2Min, v.kvs / d2);
        s->cd2Max = std::max(s->cd2Max, v.kvs / d2);

        const auto at = std::find(sizes.begin(), sizes.end(), v.dn);
        if (at == sizes.end())
            throw std::runtime_error("a valve size outside the pipe sizes");
        std::vector<int> pipes;
        for (auto p = at; p != sizes.end() && p - at <= 2; ++p)
            pipes.push_back(*p);

        for (double y : comparedOpenings(v)) {
            const double C = v.kv(y), fl = v.flAt(y), cd2 = C / d2;
            if (!(C > 0))
                continue;
            const double n = trimExponentN(cd2);
            const double laminar = 0.026 / fl * std::sqrt(n);
            const double transitional = 0.33 * std::sqrt(fl) / std::pow(n, 0.25);
            for (std::size_t k = 0; k < revs.size(); ++k) {
                double fr = laminar * sqrtRev[k];
                if (revs[k] >= 10.0)
                    fr = std::min(fr, 1.0 + transitional * lgRatio[k]);
                fr = std::min(fr, 1.0);
                const double ratio = fr / frProgram[k];
                s->kvRatioMin = std::min(s->kvRatioMin, ratio);
                s->kvRatioMax = std::max(s->kvRatioMax, ratio);
                keepIf(e.frKvRatioMin, ratio < e.frKvRatioMin.value, ratio, v, y, revs[k], v.dn, v.dn);
                keepIf(e.frKvRatioMax, ratio > e.frKvRatioMax.value, ratio, v, y, revs[k], v.dn, v.dn);
            }
            for (int D1 : pipes) {
                for (int D2 : pipes) {
                    const Reducers z = reducers(v.dn, D1, D2);
                    const double fp = fpProgram(z, cd2) / fp2011(z, cd2);
                    keepIf(e.fpFlowRatioMax, fp > e.fpFlowRatioMax.value, fp, v, y, 0, D1, D2);
                    keepIf(e.fpFlowRatioMin, fp < e.fpFlowRatioMin.value, fp, v, y, 0, D1, D2);
                    const double flp = flpProgram(z, fl, cd2) / flp2011(z, fl, cd2);
                    keepIf(e.flpFlowRatioMax, flp > e.flpFlowRatioMax.value, flp, v, y, 0, D1, D2);
                    const double rev = reynoldsNumberRatio(z, fl, C, cd2, D1);
                    keepIf(e.reynoldsNumberRatioMax, rev > e.reynoldsNumberRatioMax.value, rev, v, y, 0, D1, D2);
                }
            }
        }
    }
    return e;
}

} // namespace

const CatalogueEffects &catalogueEffects()
{
    static const CatalogueEffects effects = computeEffects();
    return effects;
}

double largestReynoldsFactorGain(double k)
{
    double gain = 1.0;
    for (double rev : comparedReynoldsNumbers())
        gain = std::max(gain, reynoldsFactorProgram(k * rev) / reynoldsFactorProgram(rev));
    return gain;
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

std::pair<double, double> deviationRange(Property property, double x0, double x1, double tMax)
{
    double lo = 1e300, hi = -1e300;
    const auto take = [&](const PropertyPoint &p) {
        if (!p.accepted)
            return;
        lo = std::min(lo, p.deviation);
        hi = std::max(hi, p.deviation);
    };
    const bool logarithmic = isPressureProperty(property);
    const auto grid = [&](int n, int i) {
        return logarithmic ? x0 * std::pow(x1 / x0, double(i) / n) : x0 + (x1 - x0) * i / n;
    };
    if (tMax < 0) {
        for (int i = 0; i <= 500; ++i)
            take(propertyAt(property, grid(500, i)));
        return {lo, hi};
    }
    for (int i = 0; i <= 100; ++i) {
        const double p = grid(100, i);
        // From the saturation temperature on both sides: neither calls the steam at the other's subcooled.
        const double ts = std::max(calcTsatWasser(Variant(p), 0, 0).asNumber(), if97::tsat(p / 10) - 273.15);
        for (int j = 0; j <= 100; ++j)
            take(propertyAt(property, p, ts + (tMax - ts) * j / 100));
    }
    return {lo, hi};
}

} // namespace reference
