#pragma once

#include "state/shared_data.h"

// Besides the vapour pressures that the sheets show, the shared data hold three values in the fluid units pUnit
// and TUnit: the critical pressure pkrit (pUnit), the critical temperature Tkrit and a liquid's reference
// temperature TBezugFlüssigkeit (TUnit). Whoever changes pUnit or TUnit converts them with it, so that no value is
// read later in a unit it was not written in. Converts only; storing the new indices stays with the caller.
// An index outside its unit list (or equal old and new indices) leaves the values of that unit alone.
void convertHeldUnitValues(int oldPUnit, int newPUnit, int oldTUnit, int newTUnit, SharedData &data = shared());

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
