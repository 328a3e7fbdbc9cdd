#pragma once

// Exact reproduction of recorded outputs. A routine is run on a seeded random sample, block by block; the outputs
// of each block (every bit of every number, every text) go into a 64-bit digest. The digests were recorded once
// from the code as it was before its speed-up and are kept in a file beside the suites; a suite recomputes them
// with the code of today and compares. The sample generator is our own (no library distribution), so the same
// seed gives the same inputs on every machine.

#include "platform/core/number_text.h"
#include "platform/core/variant.h"

#include <QFile>
#include <QLocale>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTextStream>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace reproduction {

// SplitMix64: small, fast and fully specified.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * unit(); }
    // Uniform whole number in [lo, hi].
    int range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1)); }
    bool chance(double p) { return unit() < p; }
    // 10^u for u uniform in [lo, hi].
    double logUniform(double lo, double hi) { return std::pow(10.0, uniform(lo, hi)); }

private:
    std::uint64_t state_;
};

// FNV-1a over the bytes of the outputs.
class Digest {
public:
    void bytes(const void *data, std::size_t n)
    {
        const auto *p = static_cast<const unsigned char *>(data);
        for (std::size_t i = 0; i < n; ++i) {
            h_ ^= p[i];
            h_ *= 0x100000001b3ULL;
        }
    }
    void tag(char c) { bytes(&c, 1); }
    void number(double v)
    {
        tag('d');
        if (std::isnan(v)) {
            tag('n'); // one NaN: its payload is no result
            return;
        }
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        bytes(&bits, sizeof bits);
    }
    void whole(long long v)
    {
        tag('i');
        bytes(&v, sizeof v);
    }
    void flag(bool b) { tag(b ? 'T' : 'F'); }
    void text(const QString &s)
    {
        tag('s');
        const qsizetype n = s.size();
        bytes(&n, sizeof n);
        bytes(s.utf16(), static_cast<std::size_t>(n) * 2);
    }
    // Kind, numeric reading, number and text of a value.
    void value(const Variant &v)
    {
        tag('v');
        tag(static_cast<char>('0' + static_cast<int>(v.type())));
        flag(v.isNumeric());
        number(v.toDouble());
        text(v.toString());
    }
    std::uint64_t result() const { return h_; }

private:
    std::uint64_t h_ = 0xcbf29ce484222325ULL;
};

// ---- inputs

// Decimal digits of x in C notation with the given significant digits, our own formatting (never the code tested).
inline QString cText(double x, int significant, bool scientific)
{
    char buf[64];
    const auto fmt = scientific ? std::chars_format::scientific : std::chars_format::general;
    const auto res = std::to_chars(buf, buf + sizeof buf, x, fmt, significant);
    return QString::fromLatin1(buf, res.ptr - buf);
}

// The same written as the current user locale writes numbers (its decimal separator).
inline QString localeText(double x, int significant, bool scientific)
{
    QString s = cText(x, significant, scientific);
    s.replace(QLatin1Char('.'), numtext::userLocale().decimalPoint());
    return s;
}

// Values where things happen: signed zeros, infinities, the ends of the double range, the thresholds of the
// significant-digit formats and the half-way points of their rounding.
inline const std::vector<double> &specialNumbers()
{
    static const std::vector<double> values = {
        0.0, -0.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::max(),
        -std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::denorm_min(), 1.0, -1.0, 1e15,
        999999999999999.5, 999999999999999.4, 1e15 - 1, 9.99995e14, 1e-9, 9.9995e-10, 9.99949999e-10, 0.5, 999.95,
        999.96, 9999.5, 99.995, 0.099995, 0.0099995, 1e300, -1e300, 1e-300, 9007199254740992.0, 9007199254740994.0,
        4.5e15, 1.79769313486231e308, 1.7976931348623e308, 2.2250738585072e-308, 4.9406564584124654e-324,
        1000.0, 100.0, 10.0, 0.1, 0.01, 0.001, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 0.00050005, 1.01325, 221.2, 0.06894757,
        -1.01325, -0.5, 123456789012345.0, 1234567890123456.0, 0.30000000000000004, 2.675, 1.005, 1.0005e-3};
    return values;
}

// A decimal half-way point of a rounding (d.dd…5 × 10^k) or next to it, a few units in the last place away.
inline double nearHalfway(Rng &rng)
{
    const int digits = rng.chance(0.7) ? rng.range(1, 5) : rng.range(6, 15);
    long long mantissa = 0;
    for (int i = 0; i < digits; ++i)
        mantissa = mantissa * 10 + rng.range(i == 0 ? 1 : 0, 9);
    mantissa = mantissa * 10 + 5;
    const int exponent = rng.range(-16, 17) - digits;
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, "%lldE%d", mantissa, exponent);
    double x = 0.0;
    std::from_chars(buf, buf + n, x);
    for (int steps = rng.range(-3, 3); steps != 0; steps += steps > 0 ? -1 : 1)
        x = std::nextafter(x, steps > 0 ? HUGE_VAL : -HUGE_VAL);
    return rng.chance(0.2) ? -x : x;
}

// Any double, weighted towards what the program meets and where it can go wrong.
inline double anyNumber(Rng &rng)
{
    const double pick = rng.unit();
    if (pick < 0.10) {
        const auto &s = specialNumbers();
        return s[static_cast<std::size_t>(rng.range(0, int(s.size()) - 1))];
    }
    if (pick < 0.45) {
        const double m = rng.logUniform(-12, 18);
        return rng.chance(0.2) ? -m : m;
    }
    if (pick < 0.65)
        return rng.uniform(-10, 1000);
    if (pick < 0.90)
        return nearHalfway(rng);
    if (pick < 0.95) {
        const std::uint64_t bits = rng.next();
        double x = 0.0;
        std::memcpy(&x, &bits, sizeof x);
        return x;
    }
    return static_cast<double>(rng.range(-10, 1000));
}

// Texts a user or a file may hand over: numbers in the user's and in the other notation, with blanks, signs,
// exponents, group separators, and what is no number at all.
inline QString anyText(Rng &rng)
{
    static const std::array<const char *, 24> odd = {
        "", " ", "abc", "1,5", "1.5", "12.345,6", "12,345.6", "+3", "-", ".5", "5.", ",5", "5,", "1e400", "1e-400",
        "0x10", "1 000", "  -0  ", "--1", "1e", "e5", "NaN", "inf", "\xd9\xa1\xd9\xa2"};
    const double pick = rng.unit();
    if (pick < 0.15)
        return QString::fromUtf8(odd[static_cast<std::size_t>(rng.range(0, int(odd.size()) - 1))]);
    const double x = anyNumber(rng);
    if (!std::isfinite(x))
        return cText(x, 6, false);
    QString s = localeText(x, rng.range(1, 17), rng.chance(0.1));
    if (rng.chance(0.1))
        s = QLatin1Char(' ') + s + QLatin1Char(' ');
    if (rng.chance(0.05))
        s = cText(x, rng.range(1, 17), false); // C notation whatever the locale
    return s;
}

// The float nearest to x; beyond the float range an infinity (a plain cast would be undefined there).
inline float single(double x)
{
    if (std::fabs(x) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::isnan(x) ? std::numeric_limits<float>::quiet_NaN()
                             : (x > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity());
    return static_cast<float>(x);
}

// Any value as the procedures receive it: mostly doubles, also singles, whole numbers, Booleans, texts, Empty
// and Null.
inline Variant anyValue(Rng &rng)
{
    const double pick = rng.unit();
    if (pick < 0.70)
        return Variant(anyNumber(rng));
    if (pick < 0.75)
        return Variant(single(anyNumber(rng)));
    if (pick < 0.80)
        return Variant(static_cast<long long>(rng.range(-100, 100000)));
    if (pick < 0.82)
        return Variant(rng.chance(0.5));
    if (pick < 0.95)
        return Variant(anyText(rng));
    if (pick < 0.98)
        return Variant();
    return Variant::null();
}

// A plausible number in [lo, hi] (logarithmically spread when asked) as a Double or as the user's text; now and
// then any value at all.
inline Variant plausible(Rng &rng, double lo, double hi, bool logarithmic = false, double wild = 0.08)
{
    if (rng.chance(wild))
        return anyValue(rng);
    const double x = logarithmic ? rng.logUniform(std::log10(lo), std::log10(hi)) : rng.uniform(lo, hi);
    if (rng.chance(0.1))
        return Variant(localeText(x, rng.range(3, 15), false));
    return Variant(x);
}

// A unit index of a list of n units; now and then one outside the list.
inline int unitIndex(Rng &rng, int n)
{
    if (rng.chance(0.03)) {
        static const int outside[] = {-1, -2, 99, 1000};
        return rng.chance(0.5) ? n : outside[rng.range(0, 3)];
    }
    return rng.range(0, n - 1);
}

// Nominal sizes as the lists hold them (millimetres or inches), and a few that no list holds.
inline Variant nominalSize(Rng &rng, int unit)
{
    static const std::array<const char *, 18> mm = {"8",   "10",  "15",  "20",  "25",  "32",  "40",  "50",  "65",
                                                    "80",  "100", "125", "150", "200", "250", "300", "350", "400"};
    static const std::array<const char *, 18> inch = {
        "1/4\"", "3/8\"", "1/2\"", "3/4\"", "1\"", "1 1/4\"", "1 1/2\"", "2\"", "2 1/2\"",
        "3\"",   "4\"",   "5\"",   "6\"",   "8\"", "10\"",    "12\"",    "14\"", "16\""};
    const double pick = rng.unit();
    const std::size_t i = static_cast<std::size_t>(rng.range(0, 17));
    if (pick < 0.80)
        return Variant(QString::fromUtf8(unit == 1 ? inch[i] : mm[i]));
    if (pick < 0.88)
        return Variant(static_cast<long long>(QString::fromUtf8(mm[i]).toInt()));
    if (pick < 0.92)
        return Variant(QLatin1Char(' ') + QString::fromUtf8(unit == 1 ? inch[i] : mm[i]) + QLatin1Char(' '));
    return anyValue(rng);
}

// ---- recording and comparing

// One routine: a name, the blocks of its sample, and one call that draws its inputs and digests its outputs.
struct Routine {
    const char *name;
    int blocks;
    int perBlock;
    std::function<void(Rng &, Digest &)> once;
};

inline std::uint64_t seedOf(const char *routine, int block)
{
    Digest d;
    d.bytes(routine, std::strlen(routine));
    d.bytes(&block, sizeof block);
    return d.result();
}

inline std::uint64_t runBlock(const Routine &r, int block)
{
    Rng rng(seedOf(r.name, block));
    Digest d;
    for (int i = 0; i < r.perBlock; ++i)
        r.once(rng, d);
    return d.result();
}

// The two notations the suites record: C (decimal point) and German (decimal comma).
inline QLocale localeNamed(const QString &name)
{
    return name == QLatin1String("de") ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c();
}

// Key "routine/locale/block" -> digest in hex.
using Recorded = QMap<QString, QString>;

inline QString keyOf(const QString &routine, const QString &locale, int block)
{
    return routine + QLatin1Char('/') + locale + QLatin1Char('/') + QString::number(block);
}

inline Recorded readRecorded(const QString &path)
{
    Recorded out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1Char('#')) || line.trimmed().isEmpty())
            continue;
        const QStringList cols = line.split(QLatin1Char('\t'));
        if (cols.size() == 4)
            out.insert(keyOf(cols[0], cols[1], cols[2].toInt()), cols[3]);
    }
    return out;
}

inline QString hex(std::uint64_t v)
{
    return QStringLiteral("%1").arg(v, 16, 16, QLatin1Char('0'));
}

// With QUENDRA_RECORD_REPRODUCTION set to a file name, writes the digests of the routines there (the recording
// from the old code); returns false when it was not asked for.
inline bool recordIfAsked(const std::vector<Routine> &routines, const QString &header)
{
    const QString path = qEnvironmentVariable("QUENDRA_RECORD_REPRODUCTION");
    if (path.isEmpty())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QTextStream out(&f);
    out << header;
    for (const QString &locale : {QStringLiteral("C"), QStringLiteral("de")}) {
        numtext::setUserLocale(localeNamed(locale));
        for (const Routine &r : routines)
            for (int b = 0; b < r.blocks; ++b)
                out << r.name << '\t' << locale << '\t' << b << '\t' << hex(runBlock(r, b)) << '\n';
    }
    numtext::resetUserLocale();
    return true;
}

// Compares every block of a routine with the recording under the locale now in force, recorded as `locale`.
// `blocks` may be fewer than recorded (a shorter run); never more.
inline void compareRoutine(const Recorded &recorded, const Routine &r, const QString &locale, int blocks)
{
    for (int b = 0; b < blocks; ++b) {
        const QString key = keyOf(QString::fromLatin1(r.name), locale, b);
        QVERIFY2(recorded.contains(key), qPrintable(QStringLiteral("no recording for %1").arg(key)));
        const QString now = hex(runBlock(r, b));
        QVERIFY2(now == recorded.value(key),
                 qPrintable(QStringLiteral("%1: inputs %2 to %3 give other outputs than recorded")
                                .arg(key)
                                .arg(b * r.perBlock)
                                .arg((b + 1) * r.perBlock - 1)));
    }
}

// The recorded locale whose number notation the user's own locale shares; empty when it is neither.
inline QString recordedNotationOfSystem()
{
    const QLocale sys = QLocale::system();
    for (const QString &name : {QStringLiteral("C"), QStringLiteral("de")}) {
        const QLocale l = localeNamed(name);
        if (sys.decimalPoint() == l.decimalPoint() && sys.groupSeparator() == l.groupSeparator()
            && sys.negativeSign() == l.negativeSign() && sys.positiveSign() == l.positiveSign()
            && sys.exponential() == l.exponential() && sys.zeroDigit() == l.zeroDigit())
            return name;
    }
    return QString();
}

} // namespace reproduction
