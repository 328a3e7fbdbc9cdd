#pragma once

// The program's shared state around a test or benchmark: its reset, the shipped data of the build tree, and the
// standard operating points.

#include <QString>

struct SharedData;

namespace testsupport {

// Detaches the sheets and the main window the recalculations reach and forgets every shared value.
void resetProgramState();

// A file of the seed data folder of the build tree.
QString seedFile(const QString &name);
// Copies a seed file to target, writable by its owner; false when it cannot be copied.
bool copySeedFile(const QString &name, const QString &target);

// Opens the shipped language database (held in the shared data, so after any reset) and sets the build tree's
// program folder (valve pictures); the close undoes both.
void openShippedTexts();
void closeShippedTexts();

// Water 10 bar abs. to 7 / 6.5 / 6 bar abs., 20 °C, 10 / 20 / 30 m3/h (the standard project's points).
void standardWaterPoints(SharedData &s);
// Air 6 bar abs. to 4 / 3.5 / 3 bar abs., 100 / 200 / 300 m3/h (norm), norm density 1.293, isentropic exponent 1.4.
void standardAirPoints(SharedData &s);

} // namespace testsupport
