#pragma once

#include "platform/core/variant.h"

// Built-in property correlations of water, steam and ideal gases. Each takes its inputs in the caller's units,
// computes in bar absolute, °C, kg/m3, mm²/s and kJ/kg, and returns the result in the unit asked for (a number, or
// an empty Variant where the target unit index is outside its list). Inputs that are not numeric count as 0; a
// point where a correlation is undefined gives 0 rather than an infinite or undefined number.

// Saturation pressure of water at T, in pEinheit.
Variant calcPsatWasser(const Variant &T, int TEinheit, int pEinheit);
// Saturation temperature of water at p, in TEinheit: 374.15 °C above the critical pressure, 0.01 °C below the
// triple point, in between the inverse of the vapour-pressure equation by bisection.
Variant calcTsatWasser(const Variant &p, int pEinheit, int TEinheit);
// Density of liquid water at T.
Variant calcRhoWasser(const Variant &T, int TEinheit, int RhoEinheit);
// Density of steam at p and T. A pressure of 0 (or an empty one) is replaced in the caller's variable by 0.000001
// in the same unit before the calculation.
Variant calcRhoDampf(Variant &p, int pEinheit, const Variant &T, int TEinheit, int RhoEinheit);
// Viscosity of water at T in ViskEinheit; Rho (in RhoEinheit) turns the kinematic value into a dynamic one.
Variant calcNueWasser(const Variant &T, int TEinheit, const Variant &Rho, int RhoEinheit, int ViskEinheit);
// Enthalpy of vaporisation of water at p, in kJ/kg.
Variant calcRVerdampfung(const Variant &p, int pEinheit);
// Isentropic exponent of steam at p and T.
Variant calcKappaDampf(const Variant &p, int pEinheit, const Variant &T, int TEinheit);
// Density of an ideal gas at p and T from its norm density (0 °C, 1.01325 bar).
Variant calcRho1Gas(const Variant &p, int pEinheit, const Variant &T, int TEinheit, const Variant &RhoN,
                    int RhoNEinheit, int RhoEinheit);

namespace water_steam {
// Whether a pressure of saturated steam (bar absolute) lies within the vapour-pressure equation, from the triple
// point (0.006112 bar) to the critical point (220.93 bar). Outside it there is no saturated steam: the saturation
// temperature is clamped and the steam density equation turns meaningless (negative above the critical point).
bool isSaturatedSteamPressure(double pBar);
// The same correlations in the internal units (bar absolute, °C), for callers that already converted.
double psatBar(double tC);
double tsatC(double pBar);
double rhoDampf(double pBar, double tC);
} // namespace water_steam
