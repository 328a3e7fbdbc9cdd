#pragma once

#include "units/held_unit_values.h"

#include <functional>

// What every fluid dialog does when it hands a medium to the active sheet.
namespace handover {

// Makes the dialog's units the shared ones (converting the values held in them), then remaps the flow-unit index
// from the current fluid state's list to the new state's and sets the fluid state and the medium code.
void beginHandOver(const FluidUnits &dialogUnits, int Zustand, int Medium);

// Unloads and loads the sheet of the current mode, so that it rebuilds itself from the shared data, then runs
// `beforeRecalculation` (if any) and recalculates: the sizing sheet for Modus 0, the flow sheet for Modus 1.
void reloadActiveSheet(const std::function<void()> &beforeRecalculation = {});

} // namespace handover
