#include "two_locales.h"
#include "units/number_format.h"

#include <QTest>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

using testlocale::zahl;

Q_DECLARE_METATYPE(Variant)

// Inputs given as a C-notation text are turned into the locale's text before the call.
struct Eingabe {
    enum Art { Zahl, Text, Leer, Null, Einzeln } art;
    double wert;
    const char *text;
};

static Variant eingabe(const Eingabe &e)
{
    switch (e.art) {
    case Eingabe::Zahl: return Variant(e.wert);
    case Eingabe::Einzeln: return Variant(static_cast<float>(e.wert));
    case Eingabe::Text: return Variant(zahl(e.text));
    case Eingabe::Leer: return Variant();
    case Eingabe::Null: return Variant::null();
    }
    return Variant();
}

class TestNumberFormats : public QObject {
    Q_OBJECT

private slots:
    void fourDigits_data();
    void fourDigits();
    void threeDigits_data();
    void threeDigits();
    void notNumericGivesEmpty_data();
    void notNumericGivesEmpty();
    void shownValueWithoutText_data();
    void shownValueWithoutText();
    void shownValueOverManyNumbers_data();
    void shownValueOverManyNumbers();
};

void TestNumberFormats::fourDigits_data()
{
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<QString>("erwartet"); // C notation; "" means an empty result

    auto zeile = [](const char *name, Eingabe e, const char *erwartet) {
        QTest::newRow(name) << eingabe(e) << QString::fromLatin1(erwartet);
    };
    zeile("all integer digits kept", {Eingabe::Zahl, 12345.6, nullptr}, "12346");
    zeile("pattern chosen before rounding", {Eingabe::Zahl, 999.96, nullptr}, "1000.0");
    zeile("thousands", {Eingabe::Zahl, 1234.56, nullptr}, "1235");
    zeile("half away from zero on the decimal", {Eingabe::Zahl, 0.012345, nullptr}, "0.01235");
    zeile("negative keeps its sign", {Eingabe::Zahl, -3.14159, nullptr}, "-3.142");
    zeile("negative thousands", {Eingabe::Zahl, -1234.5, nullptr}, "-1235");
    zeile("tens", {Eingabe::Zahl, 12.3456, nullptr}, "12.35");
    zeile("ten exactly", {Eingabe::Zahl, 10.0, nullptr}, "10.00");
    zeile("just below ten rounds up", {Eingabe::Zahl, 9.99996, nullptr}, "10.000");
    zeile("one", {Eingabe::Zahl, 1.0, nullptr}, "1.000");
    zeile("tenths", {Eingabe::Zahl, 0.5, nullptr}, "0.5000");
    zeile("smallest patterned magnitude", {Eingabe::Zahl, 1e-9, nullptr}, "0.000000001000");
    zeile("small value rounds into next decade", {Eingabe::Zahl, 0.000999996, nullptr}, "0.0010000");
    zeile("zero in general format", {Eingabe::Zahl, 0.0, nullptr}, "0");
    zeile("below the patterns: exponent form", {Eingabe::Zahl, 1e-10, nullptr}, "1E-10");
    zeile("below the patterns: mantissa kept", {Eingabe::Zahl, 9.5e-10, nullptr}, "9.5E-10");
    zeile("large value", {Eingabe::Zahl, 1234567.89, nullptr}, "1234568");
    // Beyond 15 integer digits the general format's exponent form, not hundreds of digits.
    zeile("fifteen integer digits", {Eingabe::Zahl, 999999999999999.0, nullptr}, "999999999999999");
    zeile("sixteen integer digits", {Eingabe::Zahl, 1e15, nullptr}, "1E+15");
    zeile("huge value keeps 15 digits", {Eingabe::Zahl, 123456789012345678.0, nullptr}, "1.23456789012346E+17");
    zeile("largest double magnitude", {Eingabe::Zahl, -1e308, nullptr}, "-1E+308");
    zeile("huge numeric text", {Eingabe::Text, 0, "2.5E+300"}, "2.5E+300");
    zeile("numeric text in the locale", {Eingabe::Text, 0, "2.5"}, "2.500");
    zeile("numeric text with blanks", {Eingabe::Text, 0, " 123.456 "}, "123.5");
    zeile("single precision value", {Eingabe::Einzeln, 0.1, nullptr}, "0.1000");
    zeile("whole number", {Eingabe::Zahl, 80, nullptr}, "80.00");
    zeile("never assigned counts as 0", {Eingabe::Leer, 0, nullptr}, "0");
    QTest::newRow("integer variant") << Variant(4711) << QStringLiteral("4711");
}

void TestNumberFormats::fourDigits()
{
    QFETCH(Variant, wert);
    QFETCH(QString, erwartet);
    const Variant ergebnis = formatZahl4(wert);
    QVERIFY(ergebnis.isString());
    QCOMPARE(ergebnis.toString(), zahl(erwartet.toLatin1().constData()));
}

void TestNumberFormats::threeDigits_data()
{
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<QString>("erwartet");

    QTest::newRow("pattern chosen before rounding") << Variant(99.96) << QStringLiteral("100.0");
    QTest::newRow("half") << Variant(0.5) << QStringLiteral("0.500");
    QTest::newRow("hundreds") << Variant(150) << QStringLiteral("150");
    QTest::newRow("hundreds rounded") << Variant(150.5) << QStringLiteral("151");
    QTest::newRow("tens") << Variant(12.34) << QStringLiteral("12.3");
    QTest::newRow("units") << Variant(1.2345) << QStringLiteral("1.23");
    QTest::newRow("negative") << Variant(-0.012345) << QStringLiteral("-0.0123");
    QTest::newRow("smallest patterned magnitude") << Variant(1e-6) << QStringLiteral("0.00000100");
    QTest::newRow("below the patterns") << Variant(9.99e-7) << QStringLiteral("9.99E-07");
    QTest::newRow("zero") << Variant(0.0) << QStringLiteral("0");
    QTest::newRow("never assigned counts as 0") << Variant() << QStringLiteral("0");
    QTest::newRow("sixteen integer digits") << Variant(-2.5e15) << QStringLiteral("-2.5E+15");
    QTest::newRow("largest double magnitude") << Variant(1e308) << QStringLiteral("1E+308");
}

void TestNumberFormats::threeDigits()
{
    QFETCH(Variant, wert);
    QFETCH(QString, erwartet);
    QCOMPARE(formatZahl3(wert).toString(), zahl(erwartet.toLatin1().constData()));
}

void TestNumberFormats::notNumericGivesEmpty_data()
{
    QTest::addColumn<Variant>("wert");
    QTest::newRow("word") << Variant("abc");
    QTest::newRow("empty text") << Variant("");
    QTest::newRow("blanks") << Variant("   ");
    QTest::newRow("null field") << Variant::null();
    QTest::newRow("number with unit") << Variant("12 bar");
    QTest::newRow("not a finite number") << Variant(std::numeric_limits<double>::infinity());
    QTest::newRow("minus infinity") << Variant(-std::numeric_limits<double>::infinity());
    QTest::newRow("undefined number") << Variant(std::numeric_limits<double>::quiet_NaN());
    QTest::newRow("infinite single") << Variant(std::numeric_limits<float>::infinity());
    // A text in the other convention is no number: "1,5" under C, "1.5" under German.
    QTest::newRow("other decimal separator")
        << Variant(numtext::userLocale().decimalPoint() == QLatin1String(",") ? "1.5" : "1,5");
}

void TestNumberFormats::notNumericGivesEmpty()
{
    QFETCH(Variant, wert);
    QVERIFY(formatZahl4(wert).isEmpty());
    QVERIFY(formatZahl3(wert).isEmpty());
}

// The number the four-digit text reads back as, computed without the text. Expected values worked out with exact
// decimal arithmetic: the binary value's fifteen significant digits (ties to even), then the pattern's decimals
// (halves up).
void TestNumberFormats::shownValueWithoutText_data()
{
    QTest::addColumn<double>("wert");
    QTest::addColumn<bool>("lesbar");
    QTest::addColumn<double>("erwartet");
    auto zeile = [](const char *name, double wert, double erwartet) {
        QTest::newRow(name) << wert << true << erwartet;
    };
    zeile("binary just below the half rounds up on fifteen digits", 1.0005, 1.001);
    zeile("sixteenth digit lifts the tenth", 999.9499999999999, 1000.0);
    zeile("tie on the fifteenth digit goes to even, down", 123456789012344.5, 123456789012344.0);
    zeile("tie on the fifteenth digit goes to even, up", 123456789012345.5, 123456789012346.0);
    zeile("fifteen nines carry into sixteen digits", 999999999999999.5, 1e15);
    zeile("below the threshold, rounded onto it", 9.9995e-5, 0.0001);
    zeile("ten-thousandths", 0.00012345, 0.0001235);
    zeile("binary below the decimal half", 2.675, 2.675);
    zeile("negative half away from zero", -1234.5, -1235.0);
    zeile("smallest pattern", 1e-9, 1e-9);
    zeile("below every pattern: fifteen digits", 1.234567890123456e-10, 1.23456789012346e-10);
    zeile("beyond the patterns: fifteen digits", 1234567890123456789.0, 1.23456789012346e18);
    zeile("point one plus noise", 0.30000000000000004, 0.3);
    zeile("hundredths carry", 99.995, 100.0);
    zeile("zero", 0.0, 0.0);
    // Fifteen digits of the largest double round beyond the double range: the text reads as no number.
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << false << 0.0;
}

void TestNumberFormats::shownValueWithoutText()
{
    QFETCH(double, wert);
    QFETCH(bool, lesbar);
    QFETCH(double, erwartet);
    double gezeigt = -1.0;
    QCOMPARE(gezeigtVierstellig(wert, &gezeigt), lesbar);
    double gelesen = -1.0;
    QCOMPARE(numtext::parse(formatZahl4(Variant(wert)).toString(), &gelesen), lesbar);
    if (lesbar) {
        // To the last bit; the same number the text reads back as, in either notation.
        QVERIFY2(gezeigt == erwartet, qPrintable(QString::number(gezeigt, 'g', 17)));
        QVERIFY2(gelesen == erwartet, qPrintable(QString::number(gelesen, 'g', 17)));
    }
}

namespace {

// The number the four-digit text of x reads back as, worked out on decimal digits in C notation, apart from the
// code: the pattern's decimals chosen from |x| (none from 1000 up, one more per decade down to 1e-9), the fifteen
// significant digits of x (ties to even), rounded half away from zero to those decimals; outside the patterns the
// fifteen digits themselves. False where that number lies beyond the double range.
bool referenceShown(double x, double *shown)
{
    if (!std::isfinite(x))
        return false;
    const double magnitude = std::fabs(x);
    int decimals = -1;
    for (int d = 0; d <= 12 && magnitude < 1e15; ++d) {
        // The thresholds as decimal literals: 1000, 100, ..., 1e-9.
        const double exact = std::stod("1e" + std::to_string(3 - d));
        if (magnitude >= exact) {
            decimals = d;
            break;
        }
    }
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    const std::string fifteen(buf, written.ptr); // d.dddddddddddddde+XX
    std::string text = fifteen;
    if (decimals >= 0) {
        const std::string digits = fifteen.substr(0, 1) + fifteen.substr(2, 14);
        const int exponent = std::stoi(fifteen.substr(fifteen.find('e') + 1));
        const int keep = exponent + 1 + decimals; // digits down to the last decimal shown
        if (keep < 15) {
            std::uint64_t kept = keep > 0 ? std::stoull(digits.substr(0, std::size_t(keep))) : 0;
            if (keep >= 0 && digits[std::size_t(keep)] >= '5')
                ++kept;
            text = std::to_string(kept) + "e-" + std::to_string(decimals);
        }
    }
    double value = 0.0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    if (read.ec != std::errc())
        return false;
    *shown = std::signbit(x) && value != 0.0 ? -value : value;
    return true;
}

// Doubles of one kind, drawn from a fixed seed so that a failure repeats.
std::vector<double> numbersOfKind(int kind)
{
    constexpr int kPerKind = 20000;
    std::mt19937_64 rng(20261207 + kind);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto sign = [&] { return rng() % 2 ? -1.0 : 1.0; };
    std::vector<double> out;
    switch (kind) {
    case 0: // every pattern's range
        for (int i = 0; i < kPerKind; ++i)
            out.push_back(sign() * std::pow(10.0, -9.0 + 24.0 * unit(rng)));
        break;
    case 1: // next to each pattern's threshold and to the values that round onto it
        for (int d = 0; d <= 12; ++d) {
            const double threshold = std::stod("1e" + std::to_string(3 - d));
            const double half = threshold - 0.5 * std::stod("1e-" + std::to_string(d));
            for (double centre : {threshold, half, 10.0 * threshold - 0.5 * std::stod("1e-" + std::to_string(d))}) {
                double below = centre, above = centre;
                for (int k = 0; k < 200; ++k) {
                    out.push_back(below);
                    out.push_back(-above);
                    below = std::nextafter(below, 0.0);
                    above = std::nextafter(above, 1e300);
                }
            }
        }
        break;
    case 2: // decimal halves at the last decimal shown
        for (int i = 0; i < kPerKind; ++i) {
            const int d = int(rng() % 13);
            const int digits = 4 + int(rng() % 11); // 4 to 14 digits before the half
            const double whole = std::floor(std::pow(10.0, digits - 1) * (1.0 + 9.0 * unit(rng)));
            const double x = (whole + 0.5) / std::pow(10.0, d);
            out.push_back(sign() * x);
        }
        break;
    case 3: // numbers as typed: whole numbers and a few decimals
        for (int i = 0; i < kPerKind; ++i) {
            const double whole = std::floor(std::pow(10.0, 7.0 * unit(rng)));
            out.push_back(sign() * whole / std::pow(10.0, double(rng() % 6)));
        }
        break;
    case 4: // below every pattern, subnormal numbers and zeros among them
        out = {0.0, -0.0, std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::denorm_min(),
               std::numeric_limits<double>::min(), std::nextafter(1e-9, 0.0)};
        for (int i = 0; i < kPerKind; ++i)
            out.push_back(sign() * std::pow(10.0, -323.5 + 314.4 * unit(rng)));
        break;
    case 5: // beyond the patterns, up to the largest double
        out = {1e15, std::nextafter(1e15, 0.0), std::numeric_limits<double>::max(), 1.79769313486231e308,
               9.999999999999995e307};
        for (int i = 0; i < kPerKind; ++i)
            out.push_back(sign() * std::pow(10.0, 15.0 + 293.25 * unit(rng)));
        break;
    case 6: // any bit pattern, infinities and NaNs included
        for (int i = 0; i < kPerKind; ++i)
            out.push_back(std::bit_cast<double>(rng()));
        break;
    }
    return out;
}

} // namespace

// The number the four-digit text reads back as, without the text, to the last bit for every kind of double: the
// quick arithmetic, the text of today and a reference worked out on decimal digits agree.
void TestNumberFormats::shownValueOverManyNumbers_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("every pattern's range") << 0;
    QTest::newRow("next to the thresholds") << 1;
    QTest::newRow("decimal halves") << 2;
    QTest::newRow("numbers as typed") << 3;
    QTest::newRow("below every pattern, subnormal, zero") << 4;
    QTest::newRow("beyond the patterns") << 5;
    QTest::newRow("any bit pattern") << 6;
}

void TestNumberFormats::shownValueOverManyNumbers()
{
    QFETCH(int, kind);
    const std::vector<double> numbers = numbersOfKind(kind);
    int checked = 0;
    for (const double x : numbers) {
        double reference = 0.0, quick = 0.0, read = 0.0;
        const bool readable = referenceShown(x, &reference);
        const bool quickOk = gezeigtVierstellig(x, &quick);
        const QString text = formatZahl4(Variant(x)).toString();
        const bool textOk = numtext::parse(text, &read);
        const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
        const bool same = quickOk == readable && textOk == readable
                          && (!readable || (bits(quick) == bits(reference) && bits(read) == bits(reference)));
        QVERIFY2(same, qPrintable(QStringLiteral("%1: text \"%2\", quick %3, reference %4")
                                      .arg(QString::number(x, 'g', 17), text, QString::number(quick, 'g', 17),
                                           QString::number(reference, 'g', 17))));
        ++checked;
    }
    QVERIFY(checked >= 10000);
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestNumberFormats)
#include "test_number_formats.moc"
