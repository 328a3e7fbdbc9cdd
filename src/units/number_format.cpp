#include "number_format.h"

#include "platform/core/number_text.h"

#include <array>
#include <cmath>

namespace {

// A value that was never assigned counts as the number 0, as the sheets rely on when a conversion gave nothing.
bool zahlLesen(const Variant &Wert, double *x)
{
    if (Wert.isEmpty()) {
        *x = 0.0;
        return true;
    }
    if (!Wert.isNumeric())
        return false;
    *x = Wert.toDouble();
    return std::isfinite(*x);
}

// The pattern is chosen from the magnitude before rounding, so 999.96 keeps one decimal and becomes "1000.0".
Variant formatSignifikant(const Variant &Wert, const double *schwellen, int anzahl)
{
    double x = 0.0;
    if (!zahlLesen(Wert, &x))
        return Variant();
    const double betrag = std::fabs(x);
    // Beyond 15 integer digits the general format's exponent form keeps the text readable (1E+308, not 309 digits).
    if (betrag >= 1e15)
        return Variant(numtext::general(x, 15));
    for (int dezimalen = 0; dezimalen < anzahl; ++dezimalen) {
        if (betrag >= schwellen[dezimalen])
            return Variant(numtext::fixed(x, dezimalen));
    }
    return Variant(numtext::general(x, 15));
}

constexpr std::array<double, 13> schwellen4 = {1000.0, 100.0, 10.0, 1.0, 0.1, 0.01, 0.001, 0.0001, 0.00001,
                                               0.000001, 0.0000001, 0.00000001, 0.000000001};
constexpr std::array<double, 13> kZehnerpotenzen = {1.0,  1e1, 1e2, 1e3, 1e4,  1e5, 1e6,
                                                     1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
constexpr std::array<double, 9> schwellen3 = {100.0, 10.0, 1.0, 0.1, 0.01, 0.001, 0.0001, 0.00001, 0.000001};

// Patterns "#.0", "#.00": fixed decimals, and no digit before the separator when the integer part is 0.
QString hashDecimals(double value, int decimals)
{
    QString text = numtext::fixed(value, decimals);
    const QString sep = numtext::decimalSeparator();
    if (text.startsWith(QLatin1Char('0') + sep))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0") + sep))
        text.remove(1, 1);
    return text;
}

} // namespace

bool vierstelligGleich(double a, double b)
{
    return QString::number(a, 'g', 4).toDouble() == QString::number(b, 'g', 4).toDouble();
}

bool gezeigtVierstellig(double x, double *gelesen)
{
    const double betrag = std::fabs(x);
    if (std::isfinite(x) && betrag < 1e15) {
        for (std::size_t dezimalen = 0; dezimalen < schwellen4.size(); ++dezimalen) {
            if (betrag < schwellen4[dezimalen])
                continue;
            numtext::FixedDigits f;
            if (!numtext::fixedDigits(x, static_cast<int>(dezimalen), &f))
                break;
            // At most 16 digits and 12 decimals: one division of two exact doubles, rounded once, as reading
            // the text rounds.
            const double v = static_cast<double>(f.digits) / kZehnerpotenzen[dezimalen];
            *gelesen = f.negative ? -v : v;
            return true;
        }
    }
    // Tiny and huge values: through the text itself.
    return numtext::parse(formatZahl4(Variant(x)).toString(), gelesen);
}

Variant formatZahl3(const Variant &Wert)
{
    return formatSignifikant(Wert, schwellen3.data(), int(schwellen3.size()));
}

Variant formatZahl4(const Variant &Wert)
{
    return formatSignifikant(Wert, schwellen4.data(), int(schwellen4.size()));
}

QString formatHashDot0(double value)
{
    return hashDecimals(value, 1);
}

QString formatHashDot00(double value)
{
    return hashDecimals(value, 2);
}

namespace {

// The patterns "#.#" and "##.##": at most `decimals` decimals without trailing zeros, no digit before the
// separator when the integer part is 0, the separator written even when no decimal follows; a value that would
// show no digit at all gives "0".
QString hashPattern(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString();
    QString text = numtext::fixed(value, decimals);
    const QString sep = numtext::decimalSeparator();
    const qsizetype at = text.indexOf(sep);
    if (at >= 0) {
        qsizetype end = text.size();
        while (end > at + sep.size() && text[end - 1] == QLatin1Char('0'))
            --end;
        text.truncate(end);
    } else {
        text += sep;
    }
    const qsizetype digitsFrom = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (text.mid(digitsFrom).startsWith(QLatin1Char('0') + sep))
        text.remove(digitsFrom, 1);
    for (const QChar c : text)
        if (c.isDigit())
            return text;
    return QStringLiteral("0");
}

} // namespace

QString formatHashDotHash(double value)
{
    return hashPattern(value, 1);
}

QString formatHashHashDotHashHash(double value)
{
    return hashPattern(value, 2);
}
