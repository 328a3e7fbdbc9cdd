#pragma once

#include "platform/core/variant.h"

// Three and four significant digits, in the user's regional settings; an empty Variant when Wert is not numeric.
Variant formatZahl3(const Variant &Wert);
Variant formatZahl4(const Variant &Wert);

// The pattern "#.0": one decimal, and no digit before the separator when the integer part is 0 (0.5 gives ".5").
QString formatHashDot0(double value);

// The pattern "##.##": at most two decimals and no trailing zeros, no digit before the separator when the integer
// part is 0, and the separator written even when no decimal follows (0.5 gives ".5", 28 gives "28."). A value that
// would show no digit at all gives "0".
QString formatHashHashDotHashHash(double value);
