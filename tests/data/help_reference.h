#pragma once

// What the calculation-basis pages compare: the liquid sizing equations of IEC 60534-2-1:2011, written here from the
// edition, against the program, computed by its engine (its flow and its sizing), over the valves of the shipped
// catalogue; and the program's water and steam correlations against IAPWS-IF97. Units as on the pages: Kv, mm, bar,
// °C.

#include <QString>
#include <QStringList>

#include <cmath>
#include <functional>
#include <vector>

namespace reference {

// The 2011 edition's Reynolds number factor for the valve Reynolds number, FL and C/d² (Kv, mm): the full-trim
// equations at C/d² from 0.016 N18 up, the reduced-trim ones below.
double reynoldsFactor2011(double rev, double fl, double cd2);
// The program's one curve of the valve Reynolds number, as the page gives it.
double reynoldsFactorProgram(double rev);

// Loss coefficients of a reducer or expander between a valve of size d and pipes D1, D2 at least as large, and the
// 2011 edition's piping geometry factor and combined FL.
struct Reducers {
    double zeta1 = 0, zeta2 = 0, zetaB1 = 0, zetaB2 = 0;
};
Reducers reducers(double d, double D1, double D2);
double fp2011(const Reducers &z, double cd2);
double flp2011(const Reducers &z, double fl, double cd2);

// Every valve of the shipped catalogue, read from the seed characteristic database of the build.
inline constexpr double kEditionLimit = 0.04; // the largest C/d² the edition's equations reach
struct CatalogueValve {
    QString series;
    int dn = 0;
    int characteristic = 0; // 0 linear, 1 equal percentage, 2 on/off
    double kvs = 0;
    double a[6] = {};
    double fl[3] = {};
    double kv(double y) const;
    double flAt(double y) const;
    // The largest opening at which C/d² is at most cd2, or the edition's limit.
    double openingAt(double cd2) const;
    double editionLimit() const;
};
const std::vector<CatalogueValve> &catalogue();

// A valve between its inlet and outlet pipes (mm).
struct Installation {
    const CatalogueValve *valve = nullptr;
    int D1 = 0, D2 = 0;
};

// A duty both sides size the same valve for: a flow Q (m3/h) of a liquid of 1000 kg/m3 without vapour pressure at
// 10 bar, 9 bar behind the valve (not choked) or 0.1 bar (choked), of kinematic viscosity nu (mm2/s; 0: turbulent).
struct Duty {
    double Q = 0;
    double nu = 0;
    bool choked = false;
};

// The program's side, by the engine: the flow through Kv C at FL; F_P and F_LP as that flow gives them (NaN where
// the flow is not in the regime); the opening its sizing finds for the duty, NaN where the valve cannot take the
// duty within its travel and C/d² <= cd2Limit, or the regime differs; the duty it sizes at opening y, turbulent
// (nuScale 0) or laminar, sized at y with its viscosity scaled by nuScale.
double programFlow(const Installation &at, double C, double fl, const Duty &duty, bool *choked = nullptr);
double programFP(const Installation &at, double C);
double programFLP(const Installation &at, double C, double fl);
double programOpening(const Installation &at, const Duty &duty, double cd2Limit = kEditionLimit);
Duty programDuty(const Installation &at, double y, bool choked, double nuScale);

// The 2011 edition's side: the reference density its flow divides by (the program's 1000 kg/m3, so that a
// comparison shows the other differences alone, or water at 15 °C); the smallest opening at which its flow reaches
// the duty's, up to the opening top or the limit of C/d² (NaN where there is none, or the regime differs); the duty
// it sizes at opening y, turbulent (lgRe NaN) or at Re_v = 10^lgRe (F_d = 1, without reducers).
inline constexpr double kProgramRho0 = 1000.0;
inline constexpr double kWater15 = 999.1;
double editionOpening(const Installation &at, const Duty &duty, double rho0, double top = NAN);
Duty editionDuty(const Installation &at, double y, double lgRe, bool choked, double rho0);

// The differences the pages state, each as a quantity whose largest value over the catalogue they give: at equal
// Re_v (the program's Kv smaller by 1 - F_R 2011 / F_R program, or larger by the ratio); at the same valve and
// opening (a flow larger or smaller by, or Re_v larger by); for the same duty (the program's Kv smaller or larger
// by, against the 2011 edition's, or against the program's own with F_L alone in Re_v, or with F_d 0.5).
enum class Effect {
    FrEqualReSmaller,
    FrEqualReLarger,
    FrSameDutySmaller,
    FpFlowLarger,
    FpFlowSmaller,
    FpSameDutySmaller,
    FpSameDutyLarger,
    FlpFlowLarger,
    FlpSameDutySmaller,
    ReynoldsNumberLarger,
    ReynoldsSameDutySmaller,
    FdSameDutySmaller,         // without reducers
    FdSameDutyReducersSmaller, // with them
};

// Both sides sized for the same duty: the program, and the 2011 edition or the program with F_L alone in Re_v or
// with F_d; the duty is the one the side with the larger Kv sizes at opening y (and Re_v 10^lgRe of the 2011
// edition, for F_R).
struct SameDuty {
    Duty duty;
    double yProgram = NAN, yOther = NAN;
    double kvProgram = NAN, kvOther = NAN;
    double kvRatio() const { return kvProgram / kvOther; }
};
SameDuty sameDutyAt(Effect e, const Installation &at, double y, double lgRe);

// Where an effect is largest over every valve of the catalogue with pipes from its own size up to two nominal sizes
// larger (for F_R and for F_d alone without reducers), every opening within the edition's range and Re_v from 1 to
// 10 000: the value, the installation, the opening (the 2011 edition's for a same-duty comparison with it, the
// program's against itself) and lg Re_v. Where the program's Kv for the same duty is the larger, the 2011 edition's
// alone is held to its range: the program's opening, the one given, runs over the whole travel.
struct Extreme {
    double value = -HUGE_VAL;
    Installation at;
    double y = NAN, lgRe = NAN;
};
const Extreme &largestOverCatalogue(Effect e);

// Each series of the catalogue, in the database's table order: C/d² fully open, and the program's Kv / the 2011
// edition's from F_R alone at equal Re_v, over the openings and Reynolds numbers above.
struct SeriesRange {
    QString series;
    double cd2Min = HUGE_VAL, cd2Max = 0;
    double kvRatioMin = HUGE_VAL, kvRatioMax = 0;
};
const std::vector<SeriesRange> &seriesRanges();

// The largest ratio of the 2011 edition's F_R to the program's at F_L fl and C/d² cd2 over Re_v from 10^lgFrom to
// 10 000: the ratio and lg Re_v. Where the two cross below 10 000, lg Re_v of each crossing, in order.
std::pair<double, double> largestReynoldsFactorRatio(double fl, double cd2, double lgFrom = 0);
std::vector<double> reynoldsFactorCrossings(double fl, double cd2);

// The program's water and steam correlations against IAPWS-IF97, each as a deviation at a point: in per cent
// (program / reference - 1), in kelvin for the saturation temperature. x is a temperature in °C or a pressure in bar
// absolute as the property takes it; t a second, optional temperature in °C (superheated steam).
struct PropertyPoint {
    double program = 0;
    double reference = 0;
    double deviation = 0;
    bool accepted = true; // the program accepts the point (the steam's isentropic exponent above 1)
};
enum class Property {
    VapourPressure,        // x = t
    SaturationTemperature, // x = p
    WaterDensity,          // x = t, liquid at 1.01325 bar, above 100 °C at the saturation pressure
    WaterViscosity,        // x = t, kinematic, same states
    SteamDensity,          // x = p, saturated without t, superheated at t
    SteamKappa,            // x = p, as the density
    EnthalpyOfVaporisation, // x = p
    SteamMassFlow          // x = p, the heat exchanger's steam flow through the enthalpy at P2
};
PropertyPoint propertyAt(Property property, double x, double t = -1);
bool deviationInKelvin(Property property);
// The fluid-data wizard's estimates for water (critical point 373.946 °C and 220.64 bar, acentric factor 0.3443,
// molar mass 18.015, normal boiling point 99.974 °C) against IAPWS-IF97, deviations in per cent.
enum class WizardProperty {
    VapourPressure, // x = t
    VapourDensity,  // x = p, at t
    LiquidDensity,  // x = p, at t
    AcentricFactor  // the reference from IF97's vapour pressure at 0.7 Tc
};
PropertyPoint wizardAt(WizardProperty property, double x = 0, double t = 0);

// The temperature at which the program's isentropic exponent of steam at this pressure falls to 1, where the program
// stops accepting the steam.
double kappaLimit(double pBar);
// The smallest and largest deviation over x from x0 to x1 (saturated states), or over every superheated state at
// pressures from x0 to x1 up to tMax (°C) that the program accepts: searched, not sampled.
std::pair<double, double> deviationRange(Property property, double x0, double x1, double tMax = -1);

} // namespace reference
