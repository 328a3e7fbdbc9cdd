#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <functional>

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

// The decimal separator of the user's locale.
QString decimalSeparator();

// Fixed number of decimals, rounded half away from zero on the decimal value shown with 15 significant digits
// (so 0.012345 to five decimals gives 0.01235), no group separators, locale decimal separator.
QString fixed(double value, int decimals);

// What fixed() shows, as a whole number: the value shown is ±digits / 10^decimals. False where the digits would
// not fit 64 bits or the value is beyond the quick arithmetic (below 1e-9 with more than 8 decimals, 1e15 and
// above, not finite); fixed() then writes the text out digit by digit.
struct FixedDigits {
    bool negative = false; // never for a value shown as 0
    std::uint64_t digits = 0;
    int decimals = 0;
};
bool fixedDigits(double value, int decimals, FixedDigits *out);
// The text fixed() gives for those digits.
QString fixedText(const FixedDigits &digits);

// The plain text of a number: up to `significantDigits` significant digits (15 for a double, 7 for a single),
// no trailing zeros, exponent form ("1E-10", "1.5E+16") for very small or very large magnitudes.
QString general(double value, int significantDigits = 15);

// A number drawn in a place too narrow for it (a label of a window, a column of a printout): the text itself when
// `fits` takes it, else the number in the general form with the most significant digits that fit, rounded half
// away from zero on the digits shown, its exponent kept (one digit when nothing fits). A rangeability "n:1" keeps
// its ratio sign; any other text is returned as it stands. What is stored is never shortened, only what is drawn.
QString numberThatFits(const QString &text, const std::function<bool(const QString &)> &fits);

} // namespace numtext
