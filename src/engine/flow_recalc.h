#pragma once

// The recalculation of the flow sheet: the flow through the chosen valve of the current series (size DNVentil,
// KvsCv, Kennlinie) at the opening yMax for the maximum operating point, with pressure ratios, choked flow,
// cavitation, pipe sizes, velocities and noise. Reads the shared data, writes its results into the shared data,
// the active flow sheet's labels and the main window's status line and print entries. Does nothing while no flow
// sheet is registered.
void calcDurchfluss();
