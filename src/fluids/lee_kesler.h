#pragma once

#include "estimate.h"
#include "platform/core/variant.h"

#include <optional>

// The picked substance's critical point as the wizard keeps it: numbers or texts in the units of its base-data
// lists, the temperature in TUnit (0 °C, 1 F) and the pressure in pUnit (the eight pressure units).
struct CriticalPoint {
    Variant Tkrit;
    int TUnit = 0;
    Variant pkrit;
    int pUnit = 0;
};

namespace lee_kesler {

struct Terms {
    double Z0 = 0.0;
    double Z1 = 0.0;
};

// Z0 and Z1 at a reduced state, interpolated linearly in pr between the two nodes around it (lo ≤ pr < hi, pr 10
// in the last interval). Empty outside 0.3 ≤ Tr ≤ 4, 0.01 ≤ pr ≤ 10, or for a phase other than 1 or 2.
std::optional<Terms> terms(double Tr, double pr, int phase);

} // namespace lee_kesler

// Real-gas factor Z = Z0 + w·Z1 of the Lee-Kesler correlation at the operating point p (in p1Unit) and T (in
// T1Unit), for the phase ZustandAssistent (1 liquid, 2 gas or vapour) and the acentric factor w. Pressures are made
// absolute in bar (with the four-digit rounding of the pressure conversion), temperatures kelvin. A text that is
// not a number counts as 0, as in every conversion.
// Outside the range of validity: a reduced state outside 0.3 ≤ Tr ≤ 4, 0.01 ≤ pr ≤ 10; a critical temperature
// (kelvin) or pressure not above 0; a w that is no number; a phase other than 1 or 2; a Z that is not a positive
// finite number.
Estimate calcZLeeKesler(const Variant &p, int p1Unit, const Variant &T, int T1Unit, const CriticalPoint &kritisch,
                        const Variant &w, int ZustandAssistent);
