#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

namespace numtext {

namespace {

// What the number text needs of a locale, read once per locale: a system locale query costs as much as the
// whole formatting. Qt reads the system's number symbols once per process on this platform, so the copy kept
// here cannot fall behind them; a locale set for a test replaces it.
struct Symbols {
    QString decimal; // the decimal separator as written
    // The quick reading of plain numbers needs a one-letter separator, "-" as the minus sign and the digits 0-9.
    char16_t decimalUnit = 0;
    bool plainNumbers = false;
};

Symbols symbolsOf(const QLocale &l)
{
    Symbols s;
    s.decimal = l.decimalPoint();
    const bool oneUnit = s.decimal.size() == 1;
    const char16_t u = oneUnit ? s.decimal.at(0).unicode() : 0;
    s.decimalUnit = u;
    s.plainNumbers = oneUnit && !(u >= u'0' && u <= u'9') && u != u'-' && u != u'+' && u > u' '
                     && l.negativeSign() == QLatin1String("-") && l.zeroDigit() == QLatin1String("0");
    return s;
}

struct Override {
    std::optional<QLocale> locale;
    Symbols symbols;
};

Override &overrideState()
{
    static Override state;
    return state;
}

const Symbols &symbols()
{
    const Override &o = overrideState();
    if (o.locale)
        return o.symbols;
    static const Symbols system = symbolsOf(QLocale::system());
    return system;
}

QLocale parsingLocale()
{
    QLocale l = userLocale();
    l.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    return l;
}

// 10^0 .. 10^19, every power of ten a 64-bit whole number holds.
constexpr std::array<std::uint64_t, 20> kPow10 = [] {
    std::array<std::uint64_t, 20> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

// Powers of ten that are exact doubles.
constexpr std::array<double, 23> kPow10Double = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Digits and decimal exponent of |value| rounded to `sig` significant digits, in the C locale: value ≈
// 0.digits × 10^exponent; digits has exactly `sig` characters (trailing zeros included), at least one.
struct Decimal {
    char digits[400];
    int count = 0;
    int exponent = 0;
};

void toDecimal(double value, int sig, Decimal &d)
{
    // std::to_chars, not printf: QCoreApplication adopts the system's LC_NUMERIC, and a German one would put a
    // comma into printf's digits.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific,
                                   std::clamp(sig, 1, 300) - 1);
    // buf: d.ddddde+XX
    const char *e = std::find(buf, res.ptr, 'e');
    d.count = 0;
    for (const char *p = buf; p < e; ++p)
        if (*p != '.')
            d.digits[d.count++] = *p;
    int exp10 = 0;
    const char *p = e + 1;
    const bool negativeExponent = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    for (; p < res.ptr; ++p)
        exp10 = exp10 * 10 + (*p - '0');
    d.exponent = (negativeExponent ? -exp10 : exp10) + 1;
}

// The text of a number assembled in UTF-16: sign, integer digits, separator and decimals.
class TextBuilder {
public:
    void put(char c) { buf_[n_++] = static_cast<char16_t>(c); }
    void put(const char *p, int count)
    {
        for (int i = 0; i < count; ++i)
            buf_[n_++] = static_cast<char16_t>(p[i]);
    }
    void zeros(int count)
    {
        for (int i = 0; i < count; ++i)
            buf_[n_++] = u'0';
    }
    void separator(const QString &sep)
    {
        for (QChar c : sep)
            buf_[n_++] = c.unicode();
    }
    QString text() const { return QString(reinterpret_cast<const QChar *>(buf_), n_); }

private:
    char16_t buf_[800];
    int n_ = 0;
};

// 5^k for the scalings below.
constexpr std::array<std::uint64_t, 28> kPow5 = [] {
    std::array<std::uint64_t, 28> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 5;
    return p;
}();

// The fifteen significant digits of |x| for 1e-9 <= |x| < 1e15 as to_chars rounds them (to nearest, ties to
// even on the exact binary value): |x| ≈ M · 10^(e - 14), 10^14 <= M < 10^15. Exact integer arithmetic: with
// |x| = m · 2^E (m < 2^53), the scaled value m · 5^k · 2^(E + k) fits 128 bits for the k (0..24) this range
// needs.
void fifteenDigits(double ax, std::uint64_t &M, int &e)
{
    // A normal double (this range has no others): ax = m · 2^E with the hidden bit restored.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &ax, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t m = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
    const int E = biased - 1075;
    // ax lies in [2^b, 2^(b+1)) with b = biased - 1023, so log10(ax) in [b lg 2, (b + 1) lg 2): floor(b lg 2)
    // (78913 / 2^18 is lg 2 to well within the exponents here) is at most one too small. Below 1e15 the exponent
    // is at most 14, so k is never negative.
    e = std::min(((biased - 1023) * 78913) >> 18, 14);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 14 - e;
        const unsigned __int128 p = static_cast<unsigned __int128>(m) * kPow5[static_cast<std::size_t>(k)];
        const int s = E + k;
        unsigned __int128 whole = 0, rest = 0, half = 0;
        if (s >= 0) {
            whole = p << s;
        } else if (-s < 128) {
            const int sh = -s;
            whole = p >> sh;
            rest = p & ((static_cast<unsigned __int128>(1) << sh) - 1);
            half = static_cast<unsigned __int128>(1) << (sh - 1);
        }
        if (whole < kPow10[14]) {
            --e;
            continue;
        }
        if (whole >= kPow10[15] && e < 14) {
            ++e;
            continue;
        }
        std::uint64_t w = static_cast<std::uint64_t>(whole);
        if (rest > half || (rest == half && half != 0 && (w & 1)))
            ++w;
        if (w == kPow10[15]) {
            w = kPow10[14];
            ++e;
        }
        M = w;
        return;
    }
    M = 0; // not reached for the range above
}

} // namespace

QLocale userLocale()
{
    const Override &o = overrideState();
    return o.locale ? *o.locale : QLocale::system();
}

void setUserLocale(const QLocale &locale)
{
    Override &o = overrideState();
    o.locale = locale;
    o.symbols = symbolsOf(locale);
}

void resetUserLocale()
{
    overrideState().locale.reset();
}

QString decimalSeparator()
{
    return symbols().decimal;
}

namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

// Plain texts as the program writes them ("-12", "0.125", "12,5" under German settings) without the locale's
// general reader: optional minus, digits, and a separator followed by digits, of at most 2^53 as a whole number
// and 22 decimals. The value is then the quotient of two exact doubles, rounded once, as the general reader
// rounds. Anything else is left to the general reader.
std::optional<double> parsePlain(const QString &text)
{
    const Symbols &sym = symbols();
    if (!sym.plainNumbers)
        return std::nullopt;
    const char16_t *p = reinterpret_cast<const char16_t *>(text.utf16());
    const char16_t *end = p + text.size();
    while (p < end && isBlank(*p))
        ++p;
    while (end > p && isBlank(end[-1]))
        --end;
    bool negative = false;
    if (p < end && *p == u'-') {
        negative = true;
        ++p;
    }
    std::uint64_t whole = 0;
    int digits = 0, decimals = 0;
    bool afterSeparator = false;
    const char16_t *first = p;
    for (; p < end; ++p) {
        const char16_t c = *p;
        if (c >= u'0' && c <= u'9') {
            if (whole != 0 || c != u'0')
                ++digits;
            if (digits > 16)
                return std::nullopt;
            whole = whole * 10 + static_cast<std::uint64_t>(c - u'0');
            if (afterSeparator)
                ++decimals;
        } else if (c == sym.decimalUnit && !afterSeparator && p != first && p + 1 < end) {
            afterSeparator = true;
        } else {
            return std::nullopt;
        }
    }
    if (p == first || whole > (1ULL << 53) || decimals > 22)
        return std::nullopt;
    double v = static_cast<double>(whole);
    if (decimals > 0)
        v /= kPow10Double[static_cast<std::size_t>(decimals)];
    return negative ? -v : v;
}

} // namespace

bool parse(const QString &text, double *value)
{
    if (const std::optional<double> plain = parsePlain(text)) {
        if (value)
            *value = *plain;
        return true;
    }
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

bool fixedDigits(double value, int decimals, FixedDigits *out)
{
    if (!std::isfinite(value) || decimals < 0 || decimals > 18)
        return false;
    const double ax = std::fabs(value);
    out->negative = std::signbit(value) && value != 0.0;
    out->decimals = decimals;
    // Below 1e-9 the fifteen digits start at the tenth decimal at the earliest.
    if (ax < 1e-9 && decimals <= 8) {
        out->digits = 0;
        out->negative = false;
        return true;
    }
    if (ax < 1e-9 || ax >= 1e15)
        return false;
    std::uint64_t M = 0;
    int e = 0;
    fifteenDigits(ax, M, e);
    // The shown value is M · 10^t at `decimals` decimals; rounded half away from zero on the next digit.
    const int t = e - 14 + decimals;
    std::uint64_t n = 0;
    if (t >= 0) {
        if (t > 3)
            return false; // beyond 18 digits
        n = M * kPow10[static_cast<std::size_t>(t)];
    } else {
        // One division by a power of ten: the digits down to the one after the last shown (M < 10^15, so nothing
        // is left beyond 16 places).
        const int cut = -t;
        const std::uint64_t withNext = cut <= 16 ? M / kPow10[static_cast<std::size_t>(cut - 1)] : 0;
        n = withNext / 10 + (withNext % 10 >= 5 ? 1 : 0);
    }
    out->digits = n;
    if (n == 0)
        out->negative = false;
    return true;
}

QString fixedText(const FixedDigits &f)
{
    char digits[24];
    const auto res = std::to_chars(digits, digits + sizeof digits, f.digits);
    const int count = static_cast<int>(res.ptr - digits);
    TextBuilder b;
    if (f.negative)
        b.put('-');
    const int intCount = count - f.decimals;
    if (intCount > 0)
        b.put(digits, intCount);
    else
        b.put('0');
    if (f.decimals > 0) {
        b.separator(symbols().decimal);
        if (intCount < 0)
            b.zeros(-intCount);
        const int from = std::max(intCount, 0);
        b.put(digits + from, count - from);
    }
    return b.text();
}

QString fixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString();
    if (decimals < 0)
        decimals = 0;
    FixedDigits f;
    if (fixedDigits(value, decimals, &f))
        return fixedText(f);

    // Large magnitudes, many decimals and tiny values: the decimal expansion written out digit by digit.
    const bool negative = std::signbit(value) && value != 0.0;
    // Decimal digits of the value as shown with 15 significant digits.
    Decimal d;
    toDecimal(value, 15, d);
    if (value == 0.0) {
        d.digits[0] = '0';
        d.count = 1;
        d.exponent = 1;
    }
    // Integer and fraction digits of the full decimal expansion.
    std::string intPart, fracPart;
    const std::string digits(d.digits, static_cast<std::size_t>(d.count));
    if (d.exponent <= 0) {
        intPart = "0";
        fracPart = std::string(static_cast<std::size_t>(-d.exponent), '0') + digits;
    } else if (d.exponent >= d.count) {
        intPart = digits + std::string(static_cast<std::size_t>(d.exponent - d.count), '0');
    } else {
        intPart = digits.substr(0, static_cast<std::size_t>(d.exponent));
        fracPart = digits.substr(static_cast<std::size_t>(d.exponent));
    }
    // Round half away from zero at `decimals`.
    const std::size_t dec = static_cast<std::size_t>(decimals);
    const bool roundUp = fracPart.size() > dec && fracPart[dec] >= '5';
    fracPart.resize(dec, '0');
    std::string all = intPart + fracPart;
    if (roundUp) {
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0) {
            if (all[static_cast<std::size_t>(i)] == '9') {
                all[static_cast<std::size_t>(i)] = '0';
                --i;
            } else {
                ++all[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0)
            all.insert(all.begin(), '1');
    }
    std::string ip = all.substr(0, all.size() - dec);
    const std::string fp = all.substr(all.size() - dec);
    const std::size_t firstNonZero = ip.find_first_not_of('0');
    ip = firstNonZero == std::string::npos ? std::string("0") : ip.substr(firstNonZero);
    const bool allZero = (ip + fp).find_first_not_of('0') == std::string::npos;
    TextBuilder b;
    if (negative && !allZero)
        b.put('-');
    b.put(ip.data(), static_cast<int>(ip.size()));
    if (decimals > 0) {
        b.separator(symbols().decimal);
        b.put(fp.data(), static_cast<int>(fp.size()));
    }
    return b.text();
}

namespace {

// The general form of a number from its decimal digits: `significantDigits` decides, as for the value itself, where
// the exponent form begins.
QString generalText(bool negative, Decimal &d, int significantDigits)
{
    // Drop trailing zeros of the mantissa.
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
    TextBuilder b;
    if (negative)
        b.put('-');
    const int sciExp = d.exponent - 1; // value = d.ddd * 10^sciExp
    if (sciExp < -5 || sciExp >= significantDigits) {
        b.put(d.digits, 1);
        if (d.count > 1) {
            b.separator(symbols().decimal);
            b.put(d.digits + 1, d.count - 1);
        }
        b.put('E');
        b.put(sciExp < 0 ? '-' : '+');
        char exp[8];
        const auto res = std::to_chars(exp, exp + sizeof exp, std::abs(sciExp));
        if (res.ptr - exp < 2)
            b.put('0');
        b.put(exp, static_cast<int>(res.ptr - exp));
        return b.text();
    }
    if (d.exponent <= 0) {
        b.put('0');
        b.separator(symbols().decimal);
        b.zeros(-d.exponent);
        b.put(d.digits, d.count);
    } else if (d.exponent >= d.count) {
        b.put(d.digits, d.count);
        b.zeros(d.exponent - d.count);
    } else {
        b.put(d.digits, d.exponent);
        b.separator(symbols().decimal);
        b.put(d.digits + d.exponent, d.count - d.exponent);
    }
    return b.text();
}

// Cuts decimal digits to `sig` significant ones, rounded half away from zero on the digits themselves, so that a
// tie is one in the decimal text (0.15 to one digit is 0.2, though the double lies below 0.15).
void roundHalfAwayFromZero(Decimal &d, int sig)
{
    if (sig >= d.count)
        return;
    const bool up = d.digits[sig] >= '5';
    d.count = sig;
    if (!up)
        return;
    int i = sig - 1;
    while (i >= 0 && d.digits[i] == '9')
        d.digits[i--] = '0';
    if (i >= 0) {
        ++d.digits[i];
    } else {
        d.digits[0] = '1';
        ++d.exponent;
    }
}

} // namespace

QString general(double value, int significantDigits)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0.0)
        return QStringLiteral("0");
    if (significantDigits < 1)
        significantDigits = 1;
    Decimal d;
    toDecimal(value, significantDigits, d);
    return generalText(value < 0, d, significantDigits);
}

QString numberThatFits(const QString &text, const std::function<bool(const QString &)> &fits)
{
    if (fits(text))
        return text;
    const QString ratio = QStringLiteral(":1");
    const QString suffix = text.endsWith(ratio) ? ratio : QString();
    double value = 0.0;
    if (!parse(text.chopped(suffix.size()), &value))
        return text;
    // Shortened from the fifteen digits the program shows of the value, not from the double.
    Decimal shown;
    toDecimal(value, 15, shown);
    QString shorter = text;
    for (int digits = 14; digits >= 1; --digits) {
        Decimal d = shown;
        roundHalfAwayFromZero(d, digits);
        shorter = generalText(value < 0, d, digits) + suffix;
        if (fits(shorter))
            break;
    }
    return shorter;
}

} // namespace numtext
