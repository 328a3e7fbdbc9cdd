#pragma once

#include <QLocale>
#include <QString>

// All number text that a user sees or types goes through these helpers, on the user's regional settings
// (QLocale::system(): a decimal comma under a German locale, never group separators).
namespace numtext {

// The locale used for user-facing numbers. Tests may replace it for the running process.
QLocale userLocale();
void setUserLocale(const QLocale &locale);
void resetUserLocale();

// Reads a number as the user typed it: surrounding blanks are ignored, the decimal separator is the locale's,
// an exponent is allowed, group separators are not. Returns false for an empty or non-numeric text.
bool parse(const QString &text, double *value);

// Fixed number of decimals, rounded half away from zero on the decimal value shown with 15 significant digits
// (so 0.012345 to five decimals gives 0.01235), no group separators, locale decimal separator.
QString fixed(double value, int decimals);

// The plain text of a number: up to `significantDigits` significant digits (15 for a double, 7 for a single),
// no trailing zeros, exponent form ("1E-10", "1.5E+16") for very small or very large magnitudes.
QString general(double value, int significantDigits = 15);

} // namespace numtext
