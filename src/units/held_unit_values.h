#pragma once

#include "state/shared_data.h"

// Besides the fields a sheet converts with its unit lists, the shared data hold values in three units that
// nothing on the sheet shows in full: in pUnit the vapour pressures (shown only for a liquid) and the critical
// pressure pkrit; in TUnit the critical temperature Tkrit and a liquid's reference temperature
// TBezugFlüssigkeit; in T1Unit, beside T1, the heat exchanger's temperature rises DeltaTMin/Norm/Max. Whoever
// switches one of these units does it here, whichever road the switch takes (a unit menu, a sheet's unit list, a
// fluid dialog, a hand-over), so that no value is read later in a unit it was not written in.
enum class HeldUnit { pUnit, TUnit, T1Unit };

// Converts every value held in `unit` from its present index into `index` (the rises as differences: 10 K are
// 18 F) and stores `index`. An index outside its unit list (or the present one) changes nothing.
void switchHeldUnit(HeldUnit unit, int index, SharedData &data = shared());

// The unit indices of the fluid properties: density (rhoUnit), vapour and critical pressure (pUnit), critical and
// reference temperature (TUnit) and viscosity (nueUnit).
struct FluidUnits {
    int rhoUnit = 0;
    int pUnit = 0;
    int TUnit = 0;
    int nueUnit = 0;
};

FluidUnits fluidUnitsOf(const SharedData &data = shared());

// Makes `units` the shared fluid units and converts every shared value held in them: the densities and the norm
// density, the vapour and critical pressures, the viscosities (through each point's density), the critical
// temperature and the reference temperature. A fluid dialog does this on OK, before it writes its medium.
void adoptFluidUnits(const FluidUnits &units, SharedData &data = shared());

// The nominal sizes are texts of the size table in DNunit: the valve's and both pipes' follow every switch of it,
// whether a sheet's size list or the user-defined valve's hand-over makes it. A size the table lacks in the old
// unit becomes empty. Converts only; storing DNunit stays with the caller.
void convertNominalSizes(int oldDNunit, int newDNunit, SharedData &data = shared());
