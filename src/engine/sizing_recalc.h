#pragma once

// The recalculation of the sizing sheet. Reads the operating points, the medium, the units and the valve options
// from the shared data, picks the valve of the current series from the characteristic database, and writes its
// results into the shared data, the active sizing sheet's labels and the main window's status line. Does nothing
// while no sizing sheet is registered.
void calcDimensionierung();
