#pragma once

#include "state/shared_data.h"

// Besides the vapour pressures that the sheets show, the shared data hold three values in the fluid units pUnit
// and TUnit: the critical pressure pkrit (pUnit), the critical temperature Tkrit and a liquid's reference
// temperature TBezugFlüssigkeit (TUnit). Whoever changes pUnit or TUnit converts them with it, so that no value is
// read later in a unit it was not written in. Converts only; storing the new indices stays with the caller.
// An index outside its unit list (or equal old and new indices) leaves the values of that unit alone.
void convertHeldUnitValues(int oldPUnit, int newPUnit, int oldTUnit, int newTUnit, SharedData &data = shared());
