#include "platform/db/database.h"
#include "state/shared_data.h"
#include "two_locales.h"
#include "units/conversions.h"
#include "units/number_format.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>
#include <sqlite3.h>

using testlocale::zahl;

Q_DECLARE_METATYPE(Variant)

namespace {
enum class Liste { Gas, Fluessig, Massenstrom, Masse };
// A unit list and two of its units, switched from one to the other and back.
struct Paar {
    Liste liste;
    int a, b;
};
} // namespace
Q_DECLARE_METATYPE(std::vector<Paar>)

namespace {
// A number in the locale's text, as a user would have typed it.
Variant text(const char *cNotation)
{
    return Variant(zahl(cNotation));
}

const QString leer = QStringLiteral("<empty>");
} // namespace

class TestConversions : public QObject {
    Q_OBJECT

private slots:
    void pressure_data();
    void pressure();
    void temperature_data();
    void temperature();
    void temperatureDifference_data();
    void temperatureDifference();
    void liquidFlow_data();
    void liquidFlow();
    void gasFlow_data();
    void gasFlow();
    void massFlow_data();
    void massFlow();
    void roundTripStaysPut_data();
    void roundTripStaysPut();
    void sameUnitGivesValueUnrounded_data();
    void sameUnitGivesValueUnrounded();
    void linearUnits_data();
    void linearUnits();
    void viscosity_data();
    void viscosity();
    void nominalSize_data();
    void nominalSize();
    void flowUnitRemap_data();
    void flowUnitRemap();
    void hugeValuesGiveNoInfinity();

    void coefficientFromValveTable_data();
    void coefficientFromValveTable();
    void valveTableLookupKeepsCurrentRow();
    void valveTableWithDoubleColumnsComparesExactly();
    void valveTableLookupWithoutTable();
    void cleanupTestCase();

private:
    void oeffneVentiltabelle();
    QTemporaryDir dir_;
    std::shared_ptr<Database> db_;
};

// ---------------------------------------------------------------------------------------------------------------
// Pressure and temperature return numbers.

void TestConversions::pressure_data()
{
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("nach");
    QTest::addColumn<double>("erwartet");

    QTest::newRow("0 bar g to bar abs, rounded") << Variant(0.0) << 1 << 0 << 1.013;
    QTest::newRow("0 bar abs to bar g stays negative") << Variant(0.0) << 0 << 1 << -1.013;
    QTest::newRow("0.5 bar g to psia") << Variant(0.5) << 1 << 2 << 21.95;
    QTest::newRow("0.5 bar g as locale text") << text("0.5") << 1 << 2 << 21.95;
    QTest::newRow("-2 bar g to bar abs clamped") << Variant(-2.0) << 1 << 0 << 0.0;
    QTest::newRow("-2 bar g to psig keeps sign") << Variant(-2.0) << 1 << 3 << -29.01;
    QTest::newRow("-20 psig to MPa abs clamped") << Variant(-20) << 3 << 4 << 0.0;
    QTest::newRow("same unit exact") << Variant(10) << 0 << 0 << 10.0;
    QTest::newRow("same unit unrounded") << Variant(1.23456) << 0 << 0 << 1.23456;
    QTest::newRow("same gauge unit keeps negative") << Variant(-5.5) << 1 << 1 << -5.5;
    QTest::newRow("bar abs to kPa abs rounded") << Variant(1.23456) << 0 << 6 << 123.5;
    QTest::newRow("psig to kPa g") << Variant(10) << 3 << 7 << 68.95;
    QTest::newRow("psia to kPa g") << Variant(20) << 2 << 7 << 36.57;
    QTest::newRow("bar abs to psig") << Variant(10) << 0 << 3 << 130.3;
    QTest::newRow("MPa g to psia") << Variant(1) << 5 << 2 << 159.7;
    QTest::newRow("kPa g to MPa abs") << Variant(500) << 7 << 4 << 0.6013;
    QTest::newRow("MPa abs to bar abs") << Variant(1.6) << 4 << 0 << 16.0;
    QTest::newRow("source index outside") << Variant(1) << 8 << 0 << 0.0;
    QTest::newRow("target index outside") << Variant(1) << 0 << -1 << 0.0;
    QTest::newRow("word") << Variant("abc") << 0 << 1 << 0.0;
    QTest::newRow("empty text") << Variant("") << 1 << 0 << 0.0;
    QTest::newRow("null field") << Variant::null() << 1 << 0 << 0.0;
}

void TestConversions::pressure()
{
    QFETCH(Variant, wert);
    QFETCH(int, von);
    QFETCH(int, nach);
    QFETCH(double, erwartet);
    const double ergebnis = umrechnenDruck(wert, von, nach);
    // The rounded value is the number read back from the four-digit text: exactly the decimal shown.
    QVERIFY2(ergebnis == erwartet, qPrintable(QString::number(ergebnis, 'g', 17)));
}

void TestConversions::temperature_data()
{
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("nach");
    QTest::addColumn<double>("erwartet");

    QTest::newRow("boiling point to F") << Variant(100) << 0 << 1 << 212.0;
    QTest::newRow("boiling point from F") << Variant(212) << 1 << 0 << 100.0;
    QTest::newRow("where the scales meet") << Variant(-40) << 0 << 1 << -40.0;
    QTest::newRow("not rounded") << Variant(1.23456) << 0 << 1 << 1.23456 * 9.0 / 5.0 + 32.0;
    QTest::newRow("locale text") << text("37.5") << 0 << 1 << 99.5;
    QTest::newRow("same unit") << Variant(20.123456) << 1 << 1 << 20.123456;
    QTest::newRow("index outside") << Variant(20) << 0 << 2 << 0.0;
    QTest::newRow("word") << Variant("warm") << 0 << 1 << 0.0;
}

void TestConversions::temperature()
{
    QFETCH(Variant, wert);
    QFETCH(int, von);
    QFETCH(int, nach);
    QFETCH(double, erwartet);
    QCOMPARE(umrechnenTemperatur(wert, von, nach), erwartet);
}

void TestConversions::temperatureDifference_data()
{
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("nach");
    QTest::addColumn<double>("erwartet");

    QTest::newRow("10 K is 18 F, no offset") << Variant(10) << 0 << 1 << 18.0;
    QTest::newRow("18 F is 10 K") << Variant(18) << 1 << 0 << 10.0;
    QTest::newRow("zero stays zero") << Variant(0) << 1 << 0 << 0.0;
    QTest::newRow("same unit") << Variant(7.25) << 0 << 0 << 7.25;
    QTest::newRow("index outside") << Variant(10) << 3 << 0 << 0.0;
    QTest::newRow("empty text") << Variant("") << 0 << 1 << 0.0;
}

void TestConversions::temperatureDifference()
{
    QFETCH(Variant, wert);
    QFETCH(int, von);
    QFETCH(int, nach);
    QFETCH(double, erwartet);
    QCOMPARE(umrechnenTemperaturDifferenz(wert, von, nach), erwartet);
}

// ---------------------------------------------------------------------------------------------------------------
// Flows come back as the four-digit text when converted.

static void flussSpalten()
{
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<int>("von");
    QTest::addColumn<Variant>("rho");
    QTest::addColumn<int>("rhoEinheit");
    QTest::addColumn<int>("nach");
    QTest::addColumn<QString>("erwartet"); // C notation of the rounded text, or <empty>
}

static void pruefeText(const Variant &ergebnis, const QString &erwartet)
{
    if (erwartet == leer) {
        QVERIFY2(ergebnis.isEmpty(), qPrintable(ergebnis.toString()));
        return;
    }
    QVERIFY2(ergebnis.isString(), "a converted flow is the rounded text");
    QCOMPARE(ergebnis.toString(), zahl(erwartet.toLatin1().constData()));
}

// The number the result reads as, computed without the text: that of the expected text, 0 for no result.
static void pruefeZahl(double ergebnis, const QString &erwartet)
{
    const double soll = erwartet == leer ? 0.0 : erwartet.toDouble();
    QVERIFY2(ergebnis == soll, qPrintable(QString::number(ergebnis, 'g', 17)));
}

void TestConversions::liquidFlow_data()
{
    flussSpalten();
    const Variant wasser(1000);
    QTest::newRow("kg/h to m3/h") << Variant(1000) << 1 << wasser << 0 << 0 << "1.000";
    QTest::newRow("m3/h to G.P.M.") << Variant(1) << 0 << wasser << 0 << 5 << "4.400";
    QTest::newRow("lb/h to m3/h uses 0.454") << Variant(100) << 3 << wasser << 0 << 0 << "0.04540";
    QTest::newRow("m3/h to lb/h uses 0.454") << Variant(1) << 0 << wasser << 0 << 3 << "2203";
    QTest::newRow("cu.ft/h to lb/h uses 0.454 and 35.32") << Variant(100) << 4 << wasser << 0 << 3 << "6236";
    QTest::newRow("cu.ft/h to m3/h uses 35.32") << Variant(100) << 4 << wasser << 0 << 0 << "2.831";
    QTest::newRow("G.P.M. to lb/h") << Variant(10) << 5 << wasser << 0 << 3 << "5006";
    QTest::newRow("m3/h to cu.ft/h") << Variant(2) << 0 << wasser << 0 << 4 << "70.64";
    QTest::newRow("density in lb/cu.ft") << Variant(1000) << 1 << Variant(62.43) << 1 << 0 << "1.000";
    QTest::newRow("density as locale text") << Variant(1000) << 1 << text("998.2") << 0 << 0 << "1.002";
    QTest::newRow("value as locale text") << text("2.5") << 0 << wasser << 0 << 2 << "41.67";
    QTest::newRow("volume units need no density") << Variant(1) << 0 << Variant() << 0 << 2 << "16.67";
    QTest::newRow("density 0") << Variant(1000) << 1 << Variant(0) << 0 << 0 << leer;
    QTest::newRow("density missing") << Variant(1000) << 1 << Variant() << 0 << 0 << leer;
    QTest::newRow("density not a number") << Variant(1) << 0 << Variant("x") << 0 << 1 << leer;
    QTest::newRow("density unit outside") << Variant(1) << 0 << wasser << 2 << 1 << leer;
    QTest::newRow("value not a number") << Variant("viel") << 0 << wasser << 0 << 1 << leer;
    QTest::newRow("unit index outside gives 0") << Variant(5) << 6 << wasser << 0 << 0 << "0";
}

void TestConversions::liquidFlow()
{
    QFETCH(Variant, wert);
    QFETCH(int, von);
    QFETCH(Variant, rho);
    QFETCH(int, rhoEinheit);
    QFETCH(int, nach);
    QFETCH(QString, erwartet);
    pruefeText(umrechnenDurchflussFluessig(wert, von, rho, rhoEinheit, nach), erwartet);
    pruefeZahl(durchflussFluessigZahl(wert, von, rho, rhoEinheit, nach), erwartet);
}

void TestConversions::gasFlow_data()
{
    flussSpalten();
    const Variant eins(1);
    QTest::newRow("lb/h to m3/h norm uses 0.454") << Variant(100) << 3 << eins << 0 << 0 << "45.40";
    // lb and cu.ft meet kg and m3 with 0.454 and 35.32 in every cell, each way.
    QTest::newRow("lb/h to l/min norm uses 0.454") << Variant(100) << 3 << eins << 0 << 2 << "756.7";
    QTest::newRow("lb/h to kg/h uses 0.454") << Variant(100) << 3 << eins << 0 << 1 << "45.40";
    QTest::newRow("lb/h to scu.ft/h") << Variant(100) << 3 << eins << 0 << 4 << "1604";
    QTest::newRow("kg/h to lb/h uses 0.454") << Variant(100) << 1 << eins << 0 << 3 << "220.3";
    QTest::newRow("air, 30 m3/h norm to lb/h") << Variant(30) << 0 << Variant(1.2922) << 0 << 3 << "85.39";
    QTest::newRow("l/min norm to lb/h") << Variant(100) << 2 << eins << 0 << 3 << "13.22";
    QTest::newRow("scu.ft/h to lb/h") << Variant(100) << 4 << eins << 0 << 3 << "6.236";
    QTest::newRow("scu.ft/h to m3/h uses 35.32") << Variant(100) << 4 << eins << 0 << 0 << "2.831";
    QTest::newRow("scu.ft/h to kg/h of air") << Variant(100) << 4 << Variant(1.2922) << 0 << 1 << "3.659";
    QTest::newRow("scu.ft/h to l/min norm") << Variant(100) << 4 << eins << 0 << 2 << "47.19";
    QTest::newRow("m3/h to scu.ft/h uses 35.32") << Variant(1) << 0 << eins << 0 << 4 << "35.32";
    QTest::newRow("kg/h to scu.ft/h") << Variant(100) << 1 << eins << 0 << 4 << "3532";
    QTest::newRow("l/min norm to scu.ft/h") << Variant(100) << 2 << eins << 0 << 4 << "211.9";
    QTest::newRow("l/min norm to scu.ft/h, five digits") << Variant(10000) << 2 << eins << 0 << 4 << "21192";
    QTest::newRow("m3/h norm to kg/h") << Variant(10) << 0 << Variant(1.293) << 0 << 1 << "12.93";
    QTest::newRow("norm density 0") << Variant(10) << 1 << Variant(0.0) << 0 << 0 << leer;
    QTest::newRow("norm density missing, mass to volume") << Variant(10) << 1 << Variant() << 0 << 2 << leer;
    QTest::newRow("norm density missing, volume to mass") << Variant(10) << 0 << Variant() << 0 << 1 << leer;
    QTest::newRow("unit index outside gives 0") << Variant(10) << 0 << eins << 0 << 5 << "0";
    QTest::newRow("zero converted is no text") << Variant(0) << 0 << eins << 0 << 2 << "0";
    // The gas equation's mass flow in m3/h norm (x / rhoN), here by exact divisions: the four digits are taken from
    // the fifteen significant digits and halves go away from zero; outside the patterns fifteen digits remain.
    QTest::newRow("kg/h to m3/h norm, binary below the half rounds up on fifteen digits")
        << Variant(1.00175) << 1 << Variant(0.5) << 0 << 0 << "2.004";
    QTest::newRow("kg/h to m3/h norm, negative half away from zero")
        << Variant(-617.25) << 1 << Variant(0.5) << 0 << 0 << "-1235";
    QTest::newRow("kg/h to m3/h norm, below every pattern")
        << Variant(2.469134e-12) << 1 << Variant(2.0) << 0 << 0 << "1.234567E-12";
    QTest::newRow("kg/h to m3/h norm, beyond the patterns")
        << Variant(2.469135802469136e18) << 1 << Variant(2.0) << 0 << 0 << "1.23456790123457E+18";
}

void TestConversions::gasFlow()
{
    QFETCH(Variant, wert);
    QFETCH(int, von);
    QFETCH(Variant, rho);
    QFETCH(int, rhoEinheit);
    QFETCH(int, nach);
    QFETCH(QString, erwartet);
    const Variant ergebnis = umrechnenDurchflussGas(wert, von, rho, rhoEinheit, nach);
    pruefeZahl(durchflussGasZahl(wert, von, rho, rhoEinheit, nach), erwartet);
    if (wert.toDouble() == 0.0 && von != nach) {
        // A result equal to the value is not rounded and stays a number.
        QVERIFY(ergebnis.isNumber());
        QCOMPARE(ergebnis.toDouble(), 0.0);
        return;
    }
    pruefeText(ergebnis, erwartet);
}

void TestConversions::massFlow_data()
{
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("nach");
    QTest::addColumn<QString>("erwartet");
    QTest::newRow("lb/h to kg/h") << Variant(100) << 1 << 0 << "45.40";
    QTest::newRow("kg/h to lb/h") << Variant(100) << 0 << 1 << "220.3";
    QTest::newRow("locale text") << text("12.5") << 0 << 1 << "27.53";
    QTest::newRow("index outside gives 0") << Variant(100) << 2 << 0 << "0";
    QTest::newRow("not a number") << Variant("x") << 0 << 1 << leer;
}

void TestConversions::massFlow()
{
    QFETCH(Variant, wert);
    QFETCH(int, von);
    QFETCH(int, nach);
    QFETCH(QString, erwartet);
    pruefeText(umrechnenMassenstrom(wert, von, nach), erwartet);
    pruefeZahl(massenstromZahl(wert, von, nach), erwartet);
}

// A value switched between two units is rounded to four digits at each switch, as the sheets store it. The first
// switch may cost the typed value its last digit (10 m3/h of air is 28.46 lb/h, and 28.46 lb/h is 9.999 m3/h); after
// the first switch there and back nothing changes again. A value of four digits already keeps what the first switch
// gave, unless that is a power of ten: below it the digits are finer, and the next switch may settle just below.
void TestConversions::roundTripStaysPut_data()
{
    QTest::addColumn<std::vector<Paar>>("paare");
    QTest::addColumn<double>("rho"); // kg/m3: the norm density of a gas, the density of a liquid

    auto allePaare = [](Liste liste, int einheiten) {
        std::vector<Paar> paare;
        for (int a = 0; a < einheiten; ++a)
            for (int b = 0; b < einheiten; ++b)
                if (a != b)
                    paare.push_back({liste, a, b});
        return paare;
    };
    QTest::newRow("gas flow, every pair, air") << allePaare(Liste::Gas, 5) << 1.2922;
    QTest::newRow("liquid flow, every pair, water") << allePaare(Liste::Fluessig, 6) << 998.2;
    QTest::newRow("lb and kg in every list")
        << std::vector<Paar>{{Liste::Gas, 1, 3}, {Liste::Fluessig, 3, 1}, {Liste::Massenstrom, 0, 1},
                             {Liste::Massenstrom, 1, 0}, {Liste::Masse, 0, 1}, {Liste::Masse, 1, 0}}
        << 0.7179;
}

void TestConversions::roundTripStaysPut()
{
    QFETCH(std::vector<Paar>, paare);
    QFETCH(double, rho);

    auto umschalten = [rho](Liste liste, double wert, int von, int nach) {
        const Variant w(wert);
        switch (liste) {
        case Liste::Gas: return umrechnenDurchflussGas(w, von, Variant(rho), 0, nach).asNumber();
        case Liste::Fluessig: return umrechnenDurchflussFluessig(w, von, Variant(rho), 0, nach).asNumber();
        case Liste::Massenstrom: return umrechnenMassenstrom(w, von, nach).asNumber();
        case Liste::Masse: return formatZahl4(umrechnenMasse(w, von, nach)).asNumber(); // as the heat exchanger
        }
        return 0.0;
    };
    auto zehnerpotenz = [](double x) { return std::abs(std::log10(x) - std::round(std::log10(x))) < 1e-12; };

    // Four-digit values over four decades, and values typed with more digits.
    std::vector<std::pair<double, bool>> werte;
    for (int m = 1000; m < 10000; m += 7)
        for (double dekade : {0.001, 0.1, 10.0, 1000.0})
            werte.push_back({m * dekade, true});
    for (double w : {30.0123, 1.23456789, 987.654321, 0.0456789, 45678.9})
        werte.push_back({w, false});

    for (const Paar &p : paare) {
        for (const auto &[typed, vierstellig] : werte) {
            // Ten switches, five times there and back.
            double gezeigt[11] = {typed};
            for (int k = 1; k <= 10; ++k)
                gezeigt[k] = k % 2 ? umschalten(p.liste, gezeigt[k - 1], p.a, p.b)
                                   : umschalten(p.liste, gezeigt[k - 1], p.b, p.a);
            const QString wo = QStringLiteral("list %1, unit %2 <-> %3, typed %4: %5, %6, %7, %8")
                                   .arg(int(p.liste))
                                   .arg(p.a)
                                   .arg(p.b)
                                   .arg(typed, 0, 'g', 10)
                                   .arg(gezeigt[1], 0, 'g', 10)
                                   .arg(gezeigt[2], 0, 'g', 10)
                                   .arg(gezeigt[3], 0, 'g', 10)
                                   .arg(gezeigt[10], 0, 'g', 10);
            for (int k = 4; k <= 10; ++k)
                QVERIFY2(gezeigt[k] == gezeigt[k - 2], qPrintable(wo));
            if (vierstellig && !zehnerpotenz(gezeigt[1]))
                QVERIFY2(gezeigt[3] == gezeigt[1], qPrintable(wo));
            else if (vierstellig)
                QVERIFY2(gezeigt[3] <= gezeigt[1] && gezeigt[3] >= 0.999 * gezeigt[1], qPrintable(wo));
        }
    }
}

// Every conversion hands back the value itself when the units agree: no rounding, no change of type.
void TestConversions::sameUnitGivesValueUnrounded_data()
{
    QTest::addColumn<int>("funktion");
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<int>("einheit");
    const Variant genau(1.23456789);
    const char *namen[] = {"gas flow", "liquid flow", "mass flow", "mass", "time", "density",
                           "flow coefficient", "velocity", "viscosity"};
    for (int f = 0; f < 9; ++f) {
        QTest::addRow("%s, number", namen[f]) << f << genau << 1;
        QTest::addRow("%s, locale text", namen[f]) << f << text("1.23456789") << 0;
    }
}

void TestConversions::sameUnitGivesValueUnrounded()
{
    QFETCH(int, funktion);
    QFETCH(Variant, wert);
    QFETCH(int, einheit);
    const Variant rho(0); // not needed when nothing is converted
    Variant ergebnis;
    switch (funktion) {
    case 0: ergebnis = umrechnenDurchflussGas(wert, einheit, rho, 0, einheit); break;
    case 1: ergebnis = umrechnenDurchflussFluessig(wert, einheit, rho, 0, einheit); break;
    case 2: ergebnis = umrechnenMassenstrom(wert, einheit, einheit); break;
    case 3: ergebnis = umrechnenMasse(wert, einheit, einheit); break;
    case 4: ergebnis = umrechnenZeit(wert, einheit, einheit); break;
    case 5: ergebnis = umrechnenDichte(wert, einheit, einheit); break;
    case 6: ergebnis = umrechnenKvCv(wert, einheit, einheit); break;
    case 7: ergebnis = umrechnenGeschwindigkeit(wert, einheit, einheit); break;
    case 8: ergebnis = umrechnenViskositaet(wert, einheit, rho, 0, einheit); break;
    }
    QCOMPARE(ergebnis.type(), wert.type());
    QCOMPARE(ergebnis.toString(), wert.toString());
}

void TestConversions::linearUnits_data()
{
    QTest::addColumn<int>("funktion");
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("nach");
    QTest::addColumn<Variant>("erwartet");

    enum { Masse, Zeit, Dichte, KvCv, Geschwindigkeit };
    QTest::newRow("lb to kg") << int(Masse) << Variant(1) << 1 << 0 << Variant(0.454);
    QTest::newRow("kg to lb") << int(Masse) << Variant(0.454) << 0 << 1 << Variant(1.0);
    QTest::newRow("s to min") << int(Zeit) << Variant(90) << 0 << 1 << Variant(1.5);
    QTest::newRow("s to h") << int(Zeit) << Variant(7200) << 0 << 2 << Variant(2.0);
    QTest::newRow("min to s") << int(Zeit) << Variant(1.5) << 1 << 0 << Variant(90.0);
    QTest::newRow("min to h") << int(Zeit) << Variant(30) << 1 << 2 << Variant(0.5);
    QTest::newRow("h to s") << int(Zeit) << Variant(2) << 2 << 0 << Variant(7200.0);
    QTest::newRow("h to min") << int(Zeit) << Variant(0.5) << 2 << 1 << Variant(30.0);
    QTest::newRow("time index outside") << int(Zeit) << Variant(1) << 3 << 0 << Variant();
    QTest::newRow("kg/m3 to lb/cu.ft") << int(Dichte) << Variant(1000) << 0 << 1 << Variant(62.43);
    QTest::newRow("lb/cu.ft to kg/m3") << int(Dichte) << Variant(62.43) << 1 << 0 << Variant(1000.0);
    QTest::newRow("density not rounded") << int(Dichte) << Variant(1.23456) << 0 << 1
                                         << Variant(0.06243 * 1.23456);
    QTest::newRow("density not a number") << int(Dichte) << Variant("dicht") << 0 << 1 << Variant();
    QTest::newRow("density index outside") << int(Dichte) << Variant(1) << 0 << 2 << Variant();
    QTest::newRow("Kv to Cv") << int(KvCv) << Variant(10) << 0 << 1 << Variant(11.6);
    QTest::newRow("Cv to Kv") << int(KvCv) << Variant(11.6) << 1 << 0 << Variant(10.0);
    QTest::newRow("Kv as locale text") << int(KvCv) << text("2.5") << 0 << 1 << Variant(2.9);
    QTest::newRow("coefficient index outside") << int(KvCv) << Variant(1) << -1 << 0 << Variant();
    QTest::newRow("ft/s to m/s") << int(Geschwindigkeit) << Variant(1) << 1 << 0 << Variant(0.305);
    QTest::newRow("m/s to ft/s") << int(Geschwindigkeit) << Variant(3.05) << 0 << 1 << Variant(10.0);
    QTest::newRow("velocity empty text") << int(Geschwindigkeit) << Variant("") << 0 << 1 << Variant();
    QTest::newRow("mass null") << int(Masse) << Variant::null() << 0 << 1 << Variant();
}

void TestConversions::linearUnits()
{
    QFETCH(int, funktion);
    QFETCH(Variant, wert);
    QFETCH(int, von);
    QFETCH(int, nach);
    QFETCH(Variant, erwartet);
    Variant ergebnis;
    switch (funktion) {
    case 0: ergebnis = umrechnenMasse(wert, von, nach); break;
    case 1: ergebnis = umrechnenZeit(wert, von, nach); break;
    case 2:
        ergebnis = umrechnenDichte(wert, von, nach);
        QVERIFY(dichteZahl(wert, von, nach) == erwartet.asNumber()); // the number without the Variant
        break;
    case 3:
        ergebnis = umrechnenKvCv(wert, von, nach);
        QVERIFY(kvCvZahl(wert, von, nach) == erwartet.asNumber());
        break;
    case 4: ergebnis = umrechnenGeschwindigkeit(wert, von, nach); break;
    }
    if (erwartet.isEmpty()) {
        QVERIFY(ergebnis.isEmpty());
        return;
    }
    QVERIFY2(ergebnis.isNumber(), "linear conversions are not rounded to text");
    QCOMPARE(ergebnis.toDouble(), erwartet.toDouble());
}

void TestConversions::viscosity_data()
{
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<int>("von");
    QTest::addColumn<Variant>("rho");
    QTest::addColumn<int>("rhoEinheit");
    QTest::addColumn<int>("nach");
    QTest::addColumn<Variant>("erwartet");

    QTest::newRow("dynamic to kinematic") << Variant(1) << 1 << Variant(1000) << 0 << 0 << Variant(1.0);
    QTest::newRow("kinematic to dynamic") << Variant(2) << 0 << Variant(800) << 0 << 1 << Variant(1.6);
    QTest::newRow("density in lb/cu.ft") << Variant(1) << 1 << Variant(62.43) << 1 << 0 << Variant(1.0);
    QTest::newRow("not rounded") << Variant(1.23456) << 1 << Variant(998.2) << 0 << 0
                                 << Variant(1000.0 * 1.23456 / 998.2);
    QTest::newRow("density 0") << Variant(1) << 1 << Variant(0) << 0 << 0 << Variant();
    QTest::newRow("density missing") << Variant(1) << 0 << Variant() << 0 << 1 << Variant();
    QTest::newRow("value not a number") << Variant("zäh") << 0 << Variant(1000) << 0 << 1 << Variant();
    QTest::newRow("index outside") << Variant(1) << 0 << Variant(1000) << 0 << 2 << Variant();
}

void TestConversions::viscosity()
{
    QFETCH(Variant, wert);
    QFETCH(int, von);
    QFETCH(Variant, rho);
    QFETCH(int, rhoEinheit);
    QFETCH(int, nach);
    QFETCH(Variant, erwartet);
    const Variant ergebnis = umrechnenViskositaet(wert, von, rho, rhoEinheit, nach);
    QVERIFY(viskositaetZahl(wert, von, rho, rhoEinheit, nach) == erwartet.asNumber());
    if (erwartet.isEmpty()) {
        QVERIFY(ergebnis.isEmpty());
        return;
    }
    QCOMPARE(ergebnis.toDouble(), erwartet.toDouble());
}

void TestConversions::nominalSize_data()
{
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("nach");
    QTest::addColumn<Variant>("erwartet");

    QTest::newRow("inch text to mm") << Variant("3\"") << 1 << 0 << Variant("80");
    QTest::newRow("inch text with blanks") << Variant("  3\" ") << 1 << 0 << Variant("80");
    QTest::newRow("mm text to inch") << Variant("80") << 0 << 1 << Variant("3\"");
    QTest::newRow("mm number to inch") << Variant(80) << 0 << 1 << Variant("3\"");
    QTest::newRow("fraction with whole inch") << Variant("1 1/4\"") << 1 << 0 << Variant("32");
    QTest::newRow("smallest size") << Variant("8") << 0 << 1 << Variant("1/4\"");
    QTest::newRow("largest size") << Variant("400") << 0 << 1 << Variant("16\"");
    QTest::newRow("no such size") << Variant("81") << 0 << 1 << Variant();
    QTest::newRow("inch sign missing") << Variant("3") << 1 << 0 << Variant();
    QTest::newRow("mm text is no inch text") << Variant("80") << 1 << 0 << Variant();
    QTest::newRow("same unit gives the value") << Variant("81") << 0 << 0 << Variant("81");
    QTest::newRow("index outside") << Variant("80") << 0 << 2 << Variant();
    QTest::newRow("null") << Variant::null() << 0 << 1 << Variant();
    // The value handed back unconverted is never a non-finite number.
    QTest::newRow("same unit, infinite") << Variant(std::numeric_limits<double>::infinity()) << 0 << 0 << Variant();
    QTest::newRow("same unit, undefined") << Variant(std::numeric_limits<double>::quiet_NaN()) << 1 << 1 << Variant();
    QTest::newRow("same unit, a number") << Variant(80.0) << 0 << 0 << Variant(80.0);
}

void TestConversions::nominalSize()
{
    QFETCH(Variant, wert);
    QFETCH(int, von);
    QFETCH(int, nach);
    QFETCH(Variant, erwartet);
    const Variant ergebnis = umrechnenDN(wert, von, nach);
    QCOMPARE(ergebnis.type(), erwartet.type());
    QCOMPARE(ergebnis.toString(), erwartet.toString());
}

void TestConversions::flowUnitRemap_data()
{
    QTest::addColumn<int>("alt");
    QTest::addColumn<int>("neu");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("erwartet"); // -1: empty

    QTest::newRow("liquid G.P.M. to gas scu.ft/h") << 1 << 0 << 5 << 4;
    QTest::newRow("liquid cu.ft/h to gas") << 1 << 0 << 4 << 4;
    QTest::newRow("liquid index outside to gas") << 1 << 0 << 6 << -1;
    QTest::newRow("steam lb/h to liquid lb/h") << 2 << 1 << 1 << 3;
    QTest::newRow("steam kg/h to liquid kg/h") << 2 << 1 << 0 << 1;
    QTest::newRow("steam kg/h to gas kg/h") << 2 << 0 << 0 << 1;
    QTest::newRow("steam index outside") << 2 << 0 << 2 << -1;
    QTest::newRow("gas l/min to steam kg/h") << 0 << 2 << 2 << 0;
    QTest::newRow("gas lb/h to steam lb/h") << 0 << 2 << 3 << 1;
    QTest::newRow("gas scu.ft/h to steam lb/h") << 0 << 2 << 4 << 1;
    QTest::newRow("gas index 5 to steam") << 0 << 2 << 5 << -1;
    QTest::newRow("liquid G.P.M. to steam lb/h") << 1 << 2 << 5 << 1;
    QTest::newRow("liquid m3/h to steam kg/h") << 1 << 2 << 0 << 0;
    QTest::newRow("gas to liquid keeps any index") << 0 << 1 << 7 << 7;
    QTest::newRow("same state keeps any index") << 2 << 2 << 9 << 9;
    QTest::newRow("unknown old state") << 3 << 0 << 1 << -1;
    QTest::newRow("unknown new state") << 0 << 4 << 1 << -1;
    QTest::newRow("negative state") << -1 << 2 << 1 << -1;
}

void TestConversions::flowUnitRemap()
{
    QFETCH(int, alt);
    QFETCH(int, neu);
    QFETCH(int, index);
    QFETCH(int, erwartet);
    const Variant ergebnis = umrechnenEinheitIndexDurchfluss(alt, neu, index);
    if (erwartet < 0) {
        QVERIFY(ergebnis.isEmpty());
        return;
    }
    QCOMPARE(ergebnis.type(), Variant::Type::Int);
    QCOMPARE(ergebnis.toInt(), erwartet);
}

void TestConversions::hugeValuesGiveNoInfinity()
{
    const Variant riesig(1e308);
    QCOMPARE(umrechnenDruck(riesig, 3, 6), 0.0);
    QCOMPARE(umrechnenTemperatur(riesig, 0, 1), 0.0);
    QCOMPARE(umrechnenTemperaturDifferenz(riesig, 0, 1), 0.0);
    QVERIFY(umrechnenDurchflussFluessig(riesig, 0, Variant(1000), 0, 4).isEmpty());
    QVERIFY(umrechnenDurchflussGas(riesig, 1, Variant(1e-300), 0, 0).isEmpty());
    QVERIFY(umrechnenZeit(riesig, 2, 0).isEmpty());
    QVERIFY(umrechnenViskositaet(riesig, 1, Variant(1e-300), 0, 0).isEmpty());
}

// ---------------------------------------------------------------------------------------------------------------
// Kvs and Cv of the chosen valve series, looked up in its table.

void TestConversions::oeffneVentiltabelle()
{
    if (db_)
        return;
    QVERIFY(dir_.isValid());
    db_ = Database::create(dir_.filePath(QStringLiteral("kenndaten.db")));
    db_->createTable(QStringLiteral("3241"), {{QStringLiteral("DN"), FieldType::Integer},
                                              {QStringLiteral("Kvs"), FieldType::Single},
                                              {QStringLiteral("Cv"), FieldType::Single}});
    db_->createTable(QStringLiteral("genau"), {{QStringLiteral("Kvs"), FieldType::Double},
                                               {QStringLiteral("CV"), FieldType::Double}});
    std::unique_ptr<Recordset> rs = db_->openTable(QStringLiteral("3241"));
    const struct {
        int dn;
        float kvs, cv;
    } zeilen[] = {{15, 0.1f, 0.12f}, {15, 1.6f, 1.9f}, {25, 4.0f, 4.7f}, {25, 1.6f, 9.9f}, {40, 6.3f, 7.3f}};
    for (const auto &z : zeilen) {
        rs->addNew();
        rs->setField(QStringLiteral("DN"), Variant(z.dn));
        rs->setField(QStringLiteral("Kvs"), Variant(z.kvs));
        rs->setField(QStringLiteral("Cv"), Variant(z.cv));
        rs->update();
    }
    std::unique_ptr<Recordset> genau = db_->openTable(QStringLiteral("genau"));
    genau->addNew();
    genau->setField(QStringLiteral("Kvs"), Variant(0.1));
    genau->setField(QStringLiteral("CV"), Variant(0.116));
    genau->update();
}

void TestConversions::coefficientFromValveTable_data()
{
    QTest::addColumn<Variant>("wert");
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("nach");
    QTest::addColumn<Variant>("erwartet");

    QTest::newRow("Kvs as read from the table") << Variant(0.1f) << 0 << 1 << Variant(0.12f);
    QTest::newRow("Kvs widened to double") << Variant(double(0.1f)) << 0 << 1 << Variant(0.12f);
    QTest::newRow("Kvs as typed decimal") << Variant(0.1) << 0 << 1 << Variant(0.12f);
    QTest::newRow("Kvs as shown in a list") << text("0.1") << 0 << 1 << Variant(0.12f);
    QTest::newRow("first matching row wins") << Variant(1.6f) << 0 << 1 << Variant(1.9f);
    QTest::newRow("Cv to Kvs") << Variant(4.7f) << 1 << 0 << Variant(4.0f);
    QTest::newRow("Cv of the later duplicate") << Variant(9.9) << 1 << 0 << Variant(1.6f);
    QTest::newRow("no such Kvs") << Variant(2.5) << 0 << 1 << Variant();
    QTest::newRow("near but not equal") << Variant(0.1001) << 0 << 1 << Variant();
    QTest::newRow("not a number") << Variant("viel") << 0 << 1 << Variant();
    QTest::newRow("same unit needs no row") << Variant(2.5) << 0 << 0 << Variant(2.5);
    QTest::newRow("same Cv unit") << Variant(3.3) << 1 << 1 << Variant(3.3);
    QTest::newRow("same unit, infinite") << Variant(-std::numeric_limits<double>::infinity()) << 0 << 0 << Variant();
    QTest::newRow("same Cv unit, undefined") << Variant(std::numeric_limits<double>::quiet_NaN()) << 1 << 1
                                             << Variant();
    QTest::newRow("same Cv unit, infinite single") << Variant(std::numeric_limits<float>::infinity()) << 1 << 1
                                                   << Variant();
    QTest::newRow("target outside") << Variant(0.1f) << 0 << 2 << Variant();
    QTest::newRow("source outside") << Variant(0.1f) << 2 << 0 << Variant();
}

void TestConversions::coefficientFromValveTable()
{
    oeffneVentiltabelle();
    shared().rsVentil = db_->openTable(QStringLiteral("3241"));
    QFETCH(Variant, wert);
    QFETCH(int, von);
    QFETCH(int, nach);
    QFETCH(Variant, erwartet);
    const Variant ergebnis = umrechnenKvsCvTabelle(wert, von, nach);
    QCOMPARE(ergebnis.type(), erwartet.type());
    QVERIFY2(ergebnis == erwartet, qPrintable(ergebnis.toString()));
}

void TestConversions::valveTableLookupKeepsCurrentRow()
{
    oeffneVentiltabelle();
    shared().rsVentil = db_->openTable(QStringLiteral("3241"));
    Recordset &rs = *shared().rsVentil;
    rs.moveFirst();
    rs.moveNext();
    rs.moveNext();
    QCOMPARE(rs.field(QStringLiteral("Kvs")).toFloat(), 4.0f);
    QVERIFY(umrechnenKvsCvTabelle(Variant(6.3f), 0, 1) == Variant(7.3f));
    QVERIFY(umrechnenKvsCvTabelle(Variant(99), 0, 1).isEmpty()); // walks to the end
    QCOMPARE(rs.field(QStringLiteral("Kvs")).toFloat(), 4.0f);
    QCOMPARE(rs.field(QStringLiteral("DN")).toInt(), 25LL);
}

void TestConversions::valveTableWithDoubleColumnsComparesExactly()
{
    oeffneVentiltabelle();
    shared().rsVentil = db_->openTable(QStringLiteral("genau"));
    QVERIFY(umrechnenKvsCvTabelle(Variant(0.1), 0, 1) == Variant(0.116));
    QVERIFY(umrechnenKvsCvTabelle(Variant(0.116), 1, 0) == Variant(0.1));
    // A float near 0.1 is not the stored double.
    QVERIFY(umrechnenKvsCvTabelle(Variant(0.1f), 0, 1).isEmpty());
    // A coefficient the table holds as infinity (written by another program) is no result.
    QCOMPARE(sqlite3_exec(db_->handle(), "INSERT INTO genau VALUES (2.0, 9e999)", nullptr, nullptr, nullptr), SQLITE_OK);
    shared().rsVentil = db_->openTable(QStringLiteral("genau"));
    QCOMPARE(shared().rsVentil->recordCount(), 2L);
    const Variant unendlich = umrechnenKvsCvTabelle(Variant(2.0), 0, 1);
    QVERIFY2(unendlich.isEmpty(), qPrintable(QString::number(unendlich.toDouble())));
    QCOMPARE(sqlite3_exec(db_->handle(), "DELETE FROM genau WHERE Kvs = 2.0", nullptr, nullptr, nullptr), SQLITE_OK);
}

void TestConversions::valveTableLookupWithoutTable()
{
    shared().rsVentil.reset();
    QVERIFY(umrechnenKvsCvTabelle(Variant(0.1), 0, 1).isEmpty());
    QVERIFY(umrechnenKvsCvTabelle(Variant(0.1), 0, 0) == Variant(0.1));
}

void TestConversions::cleanupTestCase()
{
    shared().rsVentil.reset();
    db_.reset();
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestConversions)
#include "test_conversions.moc"
