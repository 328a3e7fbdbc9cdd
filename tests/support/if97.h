#pragma once

// Water and steam after the IAPWS Industrial Formulation 1997 (regions 1 to 4) and the viscosity after the IAPWS
// Formulation 2008 in its industrial form (no critical enhancement): a reference of its own, written from the
// releases and checked against their verification tables, against which the help pages state the accuracy of the
// program's short correlations. SI units: pressure in MPa, temperature in K, density in kg/m3, enthalpy in kJ/kg,
// speed of sound in m/s, dynamic viscosity in Pa s.
namespace if97 {

inline constexpr double Tc = 647.096;   // K
inline constexpr double pc = 22.064;    // MPa
inline constexpr double rhoc = 322.0;   // kg/m3
inline constexpr double R = 0.461526;   // kJ/(kg K)

struct State {
    double rho = 0; // kg/m3
    double h = 0;   // kJ/kg
    double w = 0;   // m/s
    double p = 0;   // MPa
    double T = 0;   // K
    // Isentropic exponent as the speed of sound defines it, kappa = w^2 rho / p.
    double kappa() const { return w * w * rho / (p * 1e6); }
};

// Region 4: saturation pressure at T (273.15 K to Tc) and saturation temperature at p (611.213 Pa to pc).
double psat(double T);
double tsat(double p);

// The basic equations at a given point: regions 1 and 2 by pressure and temperature, region 3 by density and
// temperature.
State region1(double p, double T);
State region2(double p, double T);
State region3(double rho, double T);

// Boundary between regions 2 and 3: the pressure at T (623.15 K to 863.15 K).
double b23Pressure(double T);

// Saturated liquid and vapour at T: regions 1 and 2 at psat(T) up to 623.15 K, above it the two densities of region
// 3 whose pressure is psat(T).
State saturatedLiquid(double T);
State saturatedVapour(double T);

// Steam (the vapour) at p and T above the saturation temperature: region 2, or region 3 between the saturation line
// and the boundary B23.
State steam(double p, double T);
// Liquid water at p and T below the saturation temperature: region 1 up to 623.15 K, region 3 above.
State liquid(double p, double T);

// Enthalpy of vaporisation at the saturation pressure p, kJ/kg.
double enthalpyOfVaporisation(double p);

// Dynamic viscosity at density and temperature, Pa s.
double viscosity(double rho, double T);

} // namespace if97
