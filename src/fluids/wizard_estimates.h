#pragma once

#include "estimate.h"
#include "lee_kesler.h"
#include "platform/core/variant.h"

// Operating properties of a pure substance that the fluid-data wizard estimates from its base data. Values come as
// the wizard's fields hold them (numbers or texts) with their unit indices: pressures in the pressure list (0 bar
// abs … 7 kPa gauge), temperatures 0 °C / 1 F, densities 0 kg/m3 / 1 lb./cu.ft., viscosities 0 mm²/s / 1 mPas.
// Internally bar absolute, kelvin (°C + 273.15), kg/m3 and the gas constant 8314.3 J/(kmol·K).

// Vapour pressure after Lee and Kesler at T (in T1Unit), in the critical point's pUnit; w is the acentric factor
// kept from the pick. Above the critical temperature the result is 0, not converted; Tr = 1 is still computed.
// No value when T or the critical temperature is not above absolute zero, when the critical pressure is not above
// 0 or w is no number.
Estimate calcPsatLeeKesler(const Variant &T, int T1Unit, const CriticalPoint &kritisch, const Variant &w);
// The same in the pressure unit pUnit, which need not be the one the critical pressure is kept in.
Estimate calcPsatLeeKesler(const Variant &T, int T1Unit, const CriticalPoint &kritisch, const Variant &w, int pUnit);

// Density in rhoUnit at p (in p1Unit) and T (in T1Unit) from the real-gas factor of calcZLeeKesler, for the molar
// mass M in kg/kmol. Outside the range when the real-gas factor is; no value when M is no number above 0.
Estimate calcRhoRealgas(const Variant &p, int p1Unit, const Variant &T, int T1Unit, const Variant &M,
                        const CriticalPoint &kritisch, const Variant &w, int ZustandAssistent, int rhoUnit);

// Viscosity of the liquid in nueUnit: 1 mm²/s at every temperature, turned into a dynamic viscosity through rho (in
// rhoUnit). T is part of the estimate's interface only. No value when the unit needs a density that is not usable.
Estimate calcNueAssistent(const Variant &T, int T1Unit, const Variant &rho, int rhoUnit, int nueUnit);

// Isentropic exponent of the gas or vapour: 1.3 at every point.
Estimate calcKappaAssistent(const Variant &p, int p1Unit, const Variant &T, int T1Unit);

// The partner of an edited density or real-gas factor at the same operating point p1, T1, molar mass M:
// Z = 100·p·M / ((T + 273.15)·8.3143·ρ), and ρ = 100·p·M / ((T + 273.15)·Z·8.3143) in rhoUnit (p in bar abs, T in
// °C, ρ in kg/m3). No value unless pressure, absolute temperature, M and the given density or Z are numbers above 0.
Estimate zFromDensity(const Variant &p1, int p1Unit, const Variant &T1, int T1Unit, const Variant &M,
                      const Variant &rho, int rhoUnit);
Estimate densityFromZ(const Variant &p1, int p1Unit, const Variant &T1, int T1Unit, const Variant &M,
                      const Variant &Z, int rhoUnit);

// Acentric factor after Edmister from the boiling point Ts (in the critical point's TUnit) and the critical point:
// w = (3/7)·(θ/(1 − θ))·log10(pc/1.013) − 1, θ = Ts/Tc in kelvin, pc in bar abs. No value when any of Ts, Tc, pc is
// no number, when θ is not between 0 and 1 (exclusive), or when pc is not above 0.
Estimate edmisterAcentricFactor(const Variant &Ts, const CriticalPoint &kritisch);
