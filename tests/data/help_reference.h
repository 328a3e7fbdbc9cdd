#pragma once

// What the calculation-basis pages compare, computed here from the equations themselves and not from the
// program's routines: the liquid sizing equations of IEC 60534-2-1:2011 and the program's curves as the pages give
// them, their effects over the valves of the shipped catalogue, and the program's water and steam correlations
// against IAPWS-IF97. Units as on the pages: Kv, mm, bar, °C.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace reference {

// The 2011 edition's Reynolds number factor for the valve Reynolds number, FL and C/d² (Kv, mm): the full-trim
// equations at C/d² from 0.016 N18 up, the reduced-trim ones below.
double reynoldsFactor2011(double rev, double fl, double cd2);
// The program's one curve of the valve Reynolds number.
double reynoldsFactorProgram(double rev);
// The exponent of the program's laminar branch (FR proportional to Rev to this power below Rev 80).
double programLaminarExponent();

// Loss coefficients of a reducer or expander between a valve of size d and pipes D1, D2 at least as large.
struct Reducers {
    double zeta1 = 0, zeta2 = 0, zetaB1 = 0, zetaB2 = 0;
};
Reducers reducers(double d, double D1, double D2);

// Piping geometry factor and combined FL: the 2011 edition's and the program's (without the Bernoulli terms).
double fp2011(const Reducers &z, double cd2);
double fpProgram(const Reducers &z, double cd2);
double flp2011(const Reducers &z, double fl, double cd2);
double flpProgram(const Reducers &z, double fl, double cd2);
// The factor by which the program's valve Reynolds number (F_P·F_L under the root and in the pipe term) exceeds the
// 2011 edition's (F_L), for the inlet pipe D1 (mm) and C in Kv.
double reynoldsNumberRatio(const Reducers &z, double fl, double C, double cd2, double D1);

// Every valve of the shipped catalogue, read from the seed characteristic database of the build.
struct CatalogueValve {
    QString series;
    int dn = 0;
    double kvs = 0;
    double a[6] = {};
    double fl[3] = {};
    double kv(double y) const;
    double flAt(double y) const;
};
std::vector<CatalogueValve> catalogue();
// The nominal-size series of the pipe lists.
const std::vector<int> &nominalSizes();

// The openings at which the comparison looks at a valve: 0 to 100 % in steps of 0.5 %, and the opening at which
// C/d² reaches the edition's limit, where it does; only those at which C/d² is at most that limit.
inline constexpr double kEditionLimit = 0.04;
std::vector<double> comparedOpenings(const CatalogueValve &v);

// The extremes over the catalogue, each with the valve and conditions where it occurs.
struct Extreme {
    double value = 0;
    QString series;
    int dn = 0;
    double kvs = 0;
    double y = 0;
    double rev = 0;
    int D1 = 0, D2 = 0;
};
struct SeriesRange {
    QString series;
    double cd2Min = 1e300, cd2Max = 0; // Kvs / DN², fully open
    double kvRatioMin = 1e300, kvRatioMax = 0; // program's Kv / the 2011 edition's from FR, Rev 1 to 10 000
};
struct CatalogueEffects {
    std::vector<SeriesRange> series; // in the database's table order
    Extreme frKvRatioMin, frKvRatioMax;   // program's Kv / 2011's through FR alone
    Extreme fpFlowRatioMax, fpFlowRatioMin; // program's flow / 2011's through FP (no choked flow)
    Extreme flpFlowRatioMax;              // through FLP (choked flow)
    Extreme reynoldsNumberRatioMax;       // through F_P·F_L in the Reynolds number
};
const CatalogueEffects &catalogueEffects();

// The factor by which FR of the program's curve rises at most when the Reynolds number is larger by k (the largest
// over Rev from 1 to 10 000).
double largestReynoldsFactorGain(double k);

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

// The smallest and largest deviation over x from x0 to x1 (saturated states), or over every superheated state at
// pressures from x0 to x1 up to tMax (°C) that the program accepts.
std::pair<double, double> deviationRange(Property property, double x0, double x1, double tMax = -1);

} // namespace reference
