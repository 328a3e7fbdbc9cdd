#pragma once

#include "platform/core/variant.h"

// Flow velocities in the pipes at the valve and the proposal of a pipe nominal size. Every quantity comes with its
// unit index; the nominal size in mm serves as the inner diameter.

// Mean velocity at Stelle (1 valve inlet, 2 valve outlet; any other position gives 0) in a pipe of size DN, for the
// flow Q in the flow list of Zustand; in vEinheit. A size or density of 0 gives 0.
Variant calcGeschwindigkeit(int Stelle, const Variant &DN, int DNEinheit, const Variant &Q, int QEinheit,
                            const Variant &Rho1, const Variant &RhoN, int RhoEinheit, const Variant &p1,
                            int p1Einheit, const Variant &p2, int p2Einheit, const Variant &T1, int TEinheit,
                            int Zustand, int Medium, int vEinheit);

// Recommended velocity for a pipe of size DN (liquids by viscosity, steam and gases by pressure); 0 for a size
// outside the nominal-size series. Rho only converts a dynamic viscosity.
Variant calcRohrEmpfGeschwindigkeit(const Variant &DN, int DNEinheit, const Variant &Rho, int RhoEinheit,
                                    const Variant &p, int pEinheit, const Variant &Visk, int ViskEinheit, int Zustand,
                                    int Medium, int vEinheit);

// Proposed pipe size for Stelle: the last size of the series before the difference between recommended and actual
// velocity starts to grow; in DNEinheit as umrechnenDN gives it.
Variant calcDNRohrVorschlag(int Stelle, const Variant &Q, int QEinheit, const Variant &Rho1, const Variant &RhoN,
                            int RhoEinheit, const Variant &p1, int p1Einheit, const Variant &p2, int p2Einheit,
                            const Variant &T1, int TEinheit, const Variant &Visk, int ViskEinheit, int Zustand,
                            int Medium, int vEinheit, int DNEinheit);
