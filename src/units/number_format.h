#pragma once

#include "platform/core/variant.h"

// Three and four significant digits, in the user's regional settings; an empty Variant when Wert is not numeric.
Variant formatZahl3(const Variant &Wert);
Variant formatZahl4(const Variant &Wert);

// The number formatZahl4 shows for x, as reading its text back gives it, computed without the text wherever
// that is exact; false (and `gelesen` unchanged) when the text does not read back as a number.
bool gezeigtVierstellig(double x, double *gelesen);
// Whether two numbers are the same to four significant digits: a value that reads as a limit is that limit.
bool vierstelligGleich(double a, double b);

// The pattern "#.0": one decimal, and no digit before the separator when the integer part is 0 (0.5 gives ".5").
QString formatHashDot0(double value);
// The pattern "#.00": two decimals, no digit before the separator when the integer part is 0 (0.5 gives ".50").
QString formatHashDot00(double value);

// The pattern "#.#": at most one decimal, no digit before the separator when the integer part is 0, and the
// separator even when no decimal follows (10 gives "10."); a value that would show no digit at all gives "0".
QString formatHashDotHash(double value);
// The pattern "##.##": the same with at most two decimals (28 gives "28.", 1.5 gives "1.5", 0.08 gives ".08").
QString formatHashHashDotHashHash(double value);
