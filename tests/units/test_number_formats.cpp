#include "two_locales.h"
#include "units/number_format.h"

#include <QTest>
#include <limits>

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

QUENDRA_TEST_MAIN_TWO_LOCALES(TestNumberFormats)
#include "test_number_formats.moc"
