#include "units/physical_limits.h"

#include <QTest>

#include <cmath>
#include <limits>

// The limits every dialog and both recalculations apply to media and valves.
class TestPhysicalLimits : public QObject {
    Q_OBJECT

private slots:
    void limits_data();
    void limits();
    void criticalTemperature_data();
    void criticalTemperature();
    void absoluteZero_data();
    void absoluteZero();
    void pressuresInTheirUnits_data();
    void pressuresInTheirUnits();
    void characteristic_data();
    void characteristic();
    void valveFactorCurve_data();
    void valveFactorCurve();
};

enum Rule { Kappa, Density, Viscosity, VapourPressure, CriticalPressure, MolarMass, Coefficient };
Q_DECLARE_METATYPE(Rule)

static bool apply(Rule rule, double v)
{
    switch (rule) {
    case Kappa: return physical::isValidKappa(v);
    case Density: return physical::isValidDensity(v);
    case Viscosity: return physical::isValidViscosity(v);
    case VapourPressure: return physical::isValidVapourPressure(v);
    case CriticalPressure: return physical::isValidCriticalPressure(v);
    case MolarMass: return physical::isValidMolarMass(v);
    case Coefficient: return physical::isValidFlowCoefficient(v);
    }
    return false;
}

void TestPhysicalLimits::limits_data()
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("valid");
    QTest::newRow("kappa of air") << Kappa << 1.4 << true;
    QTest::newRow("kappa 1: cp = cv") << Kappa << 1.0 << false;
    QTest::newRow("kappa 0.5") << Kappa << 0.5 << false;
    QTest::newRow("kappa just above 1") << Kappa << 1.0001 << true;
    QTest::newRow("density of water") << Density << 998.2 << true;
    QTest::newRow("density 0") << Density << 0.0 << false;
    QTest::newRow("density -5") << Density << -5.0 << false;
    QTest::newRow("norm density 1e300") << Density << 1e300 << false;
    QTest::newRow("density at the size limit") << Density << 1e12 << true;
    // Values shown with four significant digits: 1.00004e12 shows as the limit, 1.001e12 beyond it.
    QTest::newRow("density at the size limit as shown") << Density << 1.00004e12 << true;
    QTest::newRow("density beyond the size limit as shown") << Density << 1.001e12 << false;
    QTest::newRow("density infinite") << Density << inf << false;
    QTest::newRow("density NaN") << Density << nan << false;
    QTest::newRow("viscosity -1") << Viscosity << -1.0 << false;
    QTest::newRow("viscosity 0") << Viscosity << 0.0 << false;
    QTest::newRow("viscosity 1000 cSt") << Viscosity << 1000.0 << true;
    QTest::newRow("vapour pressure 0: no vapour") << VapourPressure << 0.0 << true;
    QTest::newRow("vapour pressure negative") << VapourPressure << -0.01 << false;
    QTest::newRow("vapour pressure -1e-300") << VapourPressure << -1e-300 << false;
    QTest::newRow("vapour pressure NaN") << VapourPressure << nan << false;
    QTest::newRow("critical pressure 0") << CriticalPressure << 0.0 << false;
    QTest::newRow("critical pressure of water") << CriticalPressure << 220.64 << true;
    QTest::newRow("molar mass 0") << MolarMass << 0.0 << false;
    QTest::newRow("molar mass of methane") << MolarMass << 16.04 << true;
    QTest::newRow("Kvs 0") << Coefficient << 0.0 << false;
    QTest::newRow("Kvs -5") << Coefficient << -5.0 << false;
    QTest::newRow("coefficient 1e308") << Coefficient << 1e308 << false;
    QTest::newRow("Kvs 12.5") << Coefficient << 12.5 << true;
    QTest::newRow("Kvs -infinity") << Coefficient << -inf << false;
}

void TestPhysicalLimits::limits()
{
    QFETCH(Rule, rule);
    QFETCH(double, value);
    QFETCH(bool, valid);
    QCOMPARE(apply(rule, value), valid);
}

void TestPhysicalLimits::criticalTemperature_data()
{
    QTest::addColumn<double>("critical");
    QTest::addColumn<double>("boiling");
    QTest::addColumn<bool>("valid");
    QTest::newRow("water in degrees C") << 373.95 << 100.0 << true;
    QTest::newRow("methane in degrees C, both below 0") << -82.6 << -161.5 << true;
    QTest::newRow("equal") << 100.0 << 100.0 << false;
    QTest::newRow("below the boiling point") << 90.0 << 100.0 << false;
    QTest::newRow("boiling point not finite") << 400.0 << std::nan("") << false;
}

void TestPhysicalLimits::criticalTemperature()
{
    QFETCH(double, critical);
    QFETCH(double, boiling);
    QFETCH(bool, valid);
    QCOMPARE(physical::isValidCriticalTemperature(critical, boiling), valid);
}

void TestPhysicalLimits::absoluteZero_data()
{
    QTest::addColumn<double>("temperature");
    QTest::addColumn<int>("unit"); // 0 °C, 1 F
    QTest::addColumn<bool>("valid");
    // -273.15 °C = -459.67 F.
    QTest::newRow("-300 °C") << -300.0 << 0 << false;
    QTest::newRow("absolute zero in °C") << -273.15 << 0 << false;
    QTest::newRow("just above absolute zero in °C") << -273.14 << 0 << true;
    QTest::newRow("absolute zero in F") << -459.67 << 1 << false;
    QTest::newRow("just below absolute zero in F") << -459.68 << 1 << false;
    QTest::newRow("just above absolute zero in F") << -459.66 << 1 << true;
    QTest::newRow("unit outside the list") << 20.0 << 2 << false;
}

void TestPhysicalLimits::absoluteZero()
{
    QFETCH(double, temperature);
    QFETCH(int, unit);
    QFETCH(bool, valid);
    QCOMPARE(physical::isAboveAbsoluteZero(temperature, unit), valid);
}

void TestPhysicalLimits::pressuresInTheirUnits_data()
{
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("unit"); // 0 bar abs., 1 bar gauge, 2 psia, 3 psig, 4 MPa abs., 5 MPa gauge, 6 kPa abs., 7 kPa gauge
    QTest::addColumn<bool>("valid");
    // Gauge values count from the atmosphere, 1.01325 bar; 1 psi = 0.06894757 bar.
    QTest::newRow("vapour pressure 0 bar abs.") << VapourPressure << 0.0 << 0 << true;
    QTest::newRow("vapour pressure -1.01325 bar gauge: 0 abs.") << VapourPressure << -1.01325 << 1 << true;
    QTest::newRow("vapour pressure -2 bar gauge: -0.987 abs.") << VapourPressure << -2.0 << 1 << false;
    // Full vacuum, -1.01325 bar gauge, shows as -1.013 bar gauge, -14.70 psig (14.696), -0.1013 MPa gauge and
    // -101.3 kPa gauge: at the limit as shown, although slightly below it, it is the limit.
    QTest::newRow("vapour pressure -14.7 psig: -0.00028 bar abs.") << VapourPressure << -14.7 << 3 << true;
    QTest::newRow("vapour pressure -14.71 psig") << VapourPressure << -14.71 << 3 << false;
    QTest::newRow("vapour pressure -1.0133 bar gauge") << VapourPressure << -1.0133 << 1 << true;
    QTest::newRow("vapour pressure -1.014 bar gauge") << VapourPressure << -1.014 << 1 << false;
    QTest::newRow("vapour pressure -0.10133 MPa gauge") << VapourPressure << -0.10133 << 5 << true;
    QTest::newRow("vapour pressure -0.1014 MPa gauge") << VapourPressure << -0.1014 << 5 << false;
    QTest::newRow("vapour pressure -101.33 kPa gauge") << VapourPressure << -101.33 << 7 << true;
    QTest::newRow("vapour pressure -101.4 kPa gauge") << VapourPressure << -101.4 << 7 << false;
    QTest::newRow("vapour pressure 0 psia") << VapourPressure << 0.0 << 2 << true;
    QTest::newRow("vapour pressure -0.0001 psia") << VapourPressure << -0.0001 << 2 << false;
    QTest::newRow("vapour pressure -0.0001 MPa abs.") << VapourPressure << -0.0001 << 4 << false;
    QTest::newRow("vapour pressure -14.69 psig: 0.00041 bar abs.") << VapourPressure << -14.69 << 3 << true;
    QTest::newRow("vapour pressure -0.1 kPa abs.") << VapourPressure << -0.1 << 6 << false;
    QTest::newRow("critical pressure 0 kPa abs.") << CriticalPressure << 0.0 << 6 << false;
    QTest::newRow("critical pressure 0 kPa gauge: 1.01325 bar abs.") << CriticalPressure << 0.0 << 7 << true;
    QTest::newRow("critical pressure -0.2 MPa gauge: -0.987 bar abs.") << CriticalPressure << -0.2 << 5 << false;
    // Full vacuum as shown is no critical pressure; a step above it is.
    QTest::newRow("critical pressure -1.013 bar gauge") << CriticalPressure << -1.013 << 1 << false;
    QTest::newRow("critical pressure -1.012 bar gauge") << CriticalPressure << -1.012 << 1 << true;
    QTest::newRow("critical pressure -14.70 psig") << CriticalPressure << -14.7 << 3 << false;
    QTest::newRow("critical pressure -14.69 psig") << CriticalPressure << -14.69 << 3 << true;
    QTest::newRow("critical pressure -0.1013 MPa gauge") << CriticalPressure << -0.1013 << 5 << false;
    QTest::newRow("critical pressure -101.3 kPa gauge") << CriticalPressure << -101.3 << 7 << false;
    QTest::newRow("critical pressure -101.2 kPa gauge") << CriticalPressure << -101.2 << 7 << true;
    QTest::newRow("critical pressure 0 psia") << CriticalPressure << 0.0 << 2 << false;
    QTest::newRow("critical pressure 0.0001 MPa abs.") << CriticalPressure << 0.0001 << 4 << true;
    QTest::newRow("critical pressure of water in MPa") << CriticalPressure << 22.064 << 4 << true;
    QTest::newRow("critical pressure in psia") << CriticalPressure << 3200.0 << 2 << true;
    QTest::newRow("unit outside the list") << CriticalPressure << 220.0 << 8 << false;
    QTest::newRow("1e300 bar gauge") << CriticalPressure << 1e300 << 1 << false;
}

void TestPhysicalLimits::pressuresInTheirUnits()
{
    QFETCH(Rule, rule);
    QFETCH(double, value);
    QFETCH(int, unit);
    QFETCH(bool, valid);
    QCOMPARE(rule == VapourPressure ? physical::isValidVapourPressure(value, unit)
                                    : physical::isValidCriticalPressure(value, unit),
             valid);
}

using Coefficients = std::array<double, 6>;
Q_DECLARE_METATYPE(Coefficients)

void TestPhysicalLimits::characteristic_data()
{
    QTest::addColumn<Coefficients>("a");
    QTest::addColumn<bool>("valid");
    QTest::newRow("linear") << Coefficients{0, 1, 0, 0, 0, 0} << true;
    QTest::newRow("equal percentage for R 50") << Coefficients{0, 0.3949, -1.5233, 4.181, -4.295, 2.2425} << true;
    QTest::newRow("10 times Kvs at full opening") << Coefficients{0, 10, 0, 0, 0, 0} << true;
    QTest::newRow("11 times Kvs at full opening") << Coefficients{0, 1, 0, 0, 0, 10} << false;
    QTest::newRow("-11 when closed") << Coefficients{-11, 12, 0, 0, 0, 0} << false;
    // 50 y - 49 y^2 is 0 closed and 1 open, but 12.76 at y = 0.51.
    QTest::newRow("peak of 12.8 between the ends") << Coefficients{0, 50, -49, 0, 0, 0} << false;
    // -50 y + 51 y^2 reaches -12.25 at y = 0.49.
    QTest::newRow("trough of -12.3 between the ends") << Coefficients{0, -50, 51, 0, 0, 0} << false;
    // 38 y - 37 y^2 peaks at 9.76.
    QTest::newRow("peak of 9.76 between the ends") << Coefficients{0, 38, -37, 0, 0, 0} << true;
    // 40 y - 40 y^2 touches 10 at y = 0.5.
    QTest::newRow("touching 10 between the ends") << Coefficients{0, 40, -40, 0, 0, 0} << true;
    // 0.68 y - 1.39 y^2 + 10.71 y^5 is 10 at full opening (10.000000000000002 in doubles); 10.001 is beyond.
    QTest::newRow("10 at full opening within rounding") << Coefficients{0, 0.68, -1.39, 0, 0, 10.71} << true;
    QTest::newRow("10.001 at full opening") << Coefficients{0, 0.68, -1.39, 0, 0, 10.711} << false;
    QTest::newRow("-10 when closed") << Coefficients{-10, 11, 0, 0, 0, 0} << true;
    QTest::newRow("coefficient NaN") << Coefficients{0, std::nan(""), 0, 0, 0, 0} << false;
    QTest::newRow("coefficient 1e308") << Coefficients{0, 1, 0, 0, 0, 1e308} << false;
}

void TestPhysicalLimits::characteristic()
{
    QFETCH(Coefficients, a);
    QFETCH(bool, valid);
    QCOMPARE(physical::isValidCharacteristic(a), valid);
}

// FL or xT = a + b y + c y^2 over the opening y from 0 to 1; the values in the comments are worked by hand.
void TestPhysicalLimits::valveFactorCurve_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");
    QTest::addColumn<bool>("valid");
    QTest::newRow("FL 0.8 at every opening (the estimate)") << 0.8 << 0.0 << 0.0 << true;
    QTest::newRow("0 when closed") << 0.0 << 0.8 << 0.0 << false;
    QTest::newRow("1.1 at full opening") << 0.9 << 0.2 << 0.0 << false;
    QTest::newRow("0 at full opening") << 0.9 << -0.9 << 0.0 << false;
    // 0.25 + 1.25 y - 0.5 y^2 rises to exactly 1 at full opening; its peak of 1.03 lies beyond, at y = 1.25.
    QTest::newRow("1 at full opening, peak beyond it") << 0.25 << 1.25 << -0.5 << true;
    // 0.5 + 2 y - 2 y^2: 0.5 at both ends, exactly 1 at y = 0.5.
    QTest::newRow("touching 1 between the ends") << 0.5 << 2.0 << -2.0 << true;
    // 0.5 - 2 y + 2 y^2: 0.5 at both ends, exactly 0 at y = 0.5.
    QTest::newRow("touching 0 between the ends") << 0.5 << -2.0 << 2.0 << false;
    // 1.00001 - 3.8 (y - 0.505)^2: 0.031 closed, 0.069 open, 0.999915 at y = 0.50 and 0.51, 1.00001 at 0.505.
    QTest::newRow("peak of 1.00001 between the whole percents") << 0.030915 << 3.838 << -3.8 << false;
    // Two-decimal curves that reach 1 at full opening; their sums in doubles are 1.0000000000000002.
    QTest::newRow("0.34 + 0.56 y + 0.10 y^2") << 0.34 << 0.56 << 0.10 << true;
    QTest::newRow("0.22 + 0.93 y - 0.15 y^2") << 0.22 << 0.93 << -0.15 << true;
    QTest::newRow("1.001 at full opening") << 0.34 << 0.56 << 0.101 << false;
    // 0.1 + 0.2 y - 0.3 y^2 reaches 0 at full opening (5.6e-17 in doubles).
    QTest::newRow("0 at full opening within rounding") << 0.1 << 0.2 << -0.3 << false;
    QTest::newRow("FL 1e12 when closed") << 1e12 << 0.0 << 0.0 << false;
    QTest::newRow("coefficient NaN") << std::nan("") << 0.0 << 0.0 << false;
}

void TestPhysicalLimits::valveFactorCurve()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, c);
    QFETCH(bool, valid);
    QCOMPARE(physical::isValidValveFactorCurve(a, b, c), valid);
}

QTEST_APPLESS_MAIN(TestPhysicalLimits)
#include "test_physical_limits.moc"
