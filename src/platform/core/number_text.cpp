#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace numtext {

namespace {
std::optional<QLocale> &overrideLocale()
{
    static std::optional<QLocale> locale;
    return locale;
}

QLocale parsingLocale()
{
    QLocale l = userLocale();
    l.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    return l;
}

// Digits and decimal exponent of |value| rounded to `sig` significant digits, in the C locale, e.g. "12345", -2.
struct Decimal {
    QString digits; // no leading zeros, at least one digit
    int exponent;   // value = 0.digits * 10^exponent
};

Decimal toDecimal(double value, int sig)
{
    // std::to_chars, not printf: QCoreApplication adopts the system's LC_NUMERIC, and a German one would put a
    // comma into printf's digits.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific,
                                   std::clamp(sig, 1, 300) - 1);
    *res.ptr = '\0';
    // buf: d.ddddde+XX
    QString s = QString::fromLatin1(buf);
    const int e = s.indexOf(QLatin1Char('e'));
    QString mant = s.left(e);
    mant.remove(QLatin1Char('.'));
    const int exp10 = s.mid(e + 1).toInt();
    return {mant, exp10 + 1};
}

QString decimalSeparator()
{
    return userLocale().decimalPoint();
}
} // namespace

QLocale userLocale()
{
    return overrideLocale() ? *overrideLocale() : QLocale::system();
}

void setUserLocale(const QLocale &locale)
{
    overrideLocale() = locale;
}

void resetUserLocale()
{
    overrideLocale().reset();
}

bool parse(const QString &text, double *value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    const double v = parsingLocale().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (value)
        *value = v;
    return true;
}

QString fixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString();
    if (decimals < 0)
        decimals = 0;
    const bool negative = std::signbit(value) && value != 0.0;
    // Decimal digits of the value as shown with 15 significant digits.
    Decimal d = toDecimal(value, 15);
    if (value == 0.0)
        d = {QStringLiteral("0"), 1};
    // Integer and fraction digits of the full decimal expansion.
    QString intPart, fracPart;
    if (d.exponent <= 0) {
        intPart = QStringLiteral("0");
        fracPart = QString(-d.exponent, QLatin1Char('0')) + d.digits;
    } else if (d.exponent >= d.digits.size()) {
        intPart = d.digits + QString(d.exponent - d.digits.size(), QLatin1Char('0'));
    } else {
        intPart = d.digits.left(d.exponent);
        fracPart = d.digits.mid(d.exponent);
    }
    // Round half away from zero at `decimals`.
    bool roundUp = fracPart.size() > decimals && fracPart.at(decimals) >= QLatin1Char('5');
    fracPart = fracPart.left(decimals);
    fracPart += QString(decimals - fracPart.size(), QLatin1Char('0'));
    QString all = intPart + fracPart;
    if (roundUp) {
        int i = all.size() - 1;
        while (i >= 0) {
            if (all[i] == QLatin1Char('9')) {
                all[i] = QLatin1Char('0');
                --i;
            } else {
                all[i] = QChar(all[i].unicode() + 1);
                break;
            }
        }
        if (i < 0)
            all.prepend(QLatin1Char('1'));
    }
    QString ip = all.left(all.size() - decimals);
    const QString fp = all.right(decimals);
    while (ip.size() > 1 && ip.startsWith(QLatin1Char('0')))
        ip.remove(0, 1);
    const bool allZero = QString(ip + fp).count(QLatin1Char('0')) == ip.size() + fp.size();
    QString out = (negative && !allZero) ? QStringLiteral("-") : QString();
    out += ip;
    if (decimals > 0)
        out += decimalSeparator() + fp;
    return out;
}

QString general(double value, int significantDigits)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0.0)
        return QStringLiteral("0");
    if (significantDigits < 1)
        significantDigits = 1;
    Decimal d = toDecimal(value, significantDigits);
    // Drop trailing zeros of the mantissa.
    while (d.digits.size() > 1 && d.digits.endsWith(QLatin1Char('0')))
        d.digits.chop(1);
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const int sciExp = d.exponent - 1; // value = d.ddd * 10^sciExp
    if (sciExp < -5 || sciExp >= significantDigits) {
        QString m = d.digits.left(1);
        if (d.digits.size() > 1)
            m += decimalSeparator() + d.digits.mid(1);
        const QString e = QString::asprintf("E%c%02d", sciExp < 0 ? '-' : '+', std::abs(sciExp));
        return sign + m + e;
    }
    QString out;
    if (d.exponent <= 0) {
        out = QStringLiteral("0") + decimalSeparator() + QString(-d.exponent, QLatin1Char('0')) + d.digits;
    } else if (d.exponent >= d.digits.size()) {
        out = d.digits + QString(d.exponent - d.digits.size(), QLatin1Char('0'));
    } else {
        out = d.digits.left(d.exponent) + decimalSeparator() + d.digits.mid(d.exponent);
    }
    return sign + out;
}

} // namespace numtext
