#pragma once

// Input validation of the flow sheet before its recalculation. Every test runs, also after an earlier one has
// failed: the status line ends with the message of the last failing test (after the text of "Berechnung nicht
// aktualisiert" and ": ") and the focus on the last box that took it. Sets yMax from the opening list whenever its
// text is numeric, also when the opening is out of range. Neither beeps nor recalculates; False without a
// registered flow sheet.
bool checkEingabeDurchfluss();
