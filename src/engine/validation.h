#pragma once

#include <QString>

// Input validation before a recalculation. The validators report the first problem in the main window's status
// line (after the text of "Berechnung nicht aktualisiert" and ": "), move the focus to the offending box where
// they have one, and return whether the recalculation may go on. They neither beep nor recalculate.

// The sizing sheet's twelve boxes, its temperatures, its pressures, the order of its flows and the currency of
// wizard fluid data.
bool checkEingabeDimensionierung();

// Rules both validators share.
namespace validation {

// A box text is numeric when it reads as a number in the user's regional settings; an empty text is not.
bool isNumericText(const QString &text);
// A pressure box's text in bar,abs. (0 for a text that is not numeric; four significant digits when converted).
double pressureBarAbs(const QString &text, int unit);
// A temperature box's text (numeric) lies above absolute zero in its unit (0 °C, 1 °F); no fluid has a state at
// or below it, and the property correlations give meaningless numbers there.
bool aboveAbsoluteZero(const QString &text, int T1Unit);
// A wizard medium (5 or 6) whose data are stale, or on the sizing sheet not computed for an active column; also
// while a sheet loads, which hands no data over.
bool fluidDataStale(bool sizingSheet);
// Writes a message (a German key) to the status line, translated into the screen language.
void reportMessage(const QString &key);
// Puts the text of "Berechnung nicht aktualisiert" and ": " before the status line's current text.
void prefixFailure();

} // namespace validation
