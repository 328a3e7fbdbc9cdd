#include "../units/two_locales.h"
#include "fluids/wizard_estimates.h"

#include <QtTest>
#include <cmath>
#include <functional>

using testlocale::zahl;

// The wizard's property estimates on worked examples (water with the wizard's defaults, air at 10 bar and 20 °C,
// nitrogen), in several units, and the inputs that give no value. Expected values are hand calculations.
class TestWizardEstimates : public QObject {
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void noValue_data();
    void noValue();
    void densityOutsideRange_data();
    void densityOutsideRange();
};

using Calc = std::function<Estimate()>;
Q_DECLARE_METATYPE(Calc)
Q_DECLARE_METATYPE(Variant)

namespace {

// Water with the defaults of a new record (374.2 °C, 221.2 bar, w 0.344) and nitrogen (126.2 K, 33.98 bar).
const CriticalPoint kWasser{374.2, 0, 221.2, 0};
const CriticalPoint kStickstoff{-146.95, 0, 33.98, 0};

} // namespace

void TestWizardEstimates::values_data()
{
    QTest::addColumn<Calc>("calc");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");

    // Units: pressure 0 bar abs, 1 bar gauge, 2 psia; temperature 0 °C, 1 F; density 0 kg/m3, 1 lb./cu.ft.
    QTest::newRow("psat water 100 °C: 0.91 bar")
        << Calc([] { return calcPsatLeeKesler(100.0, 0, kWasser, 0.344); }) << 0.913254461492 << 1e-9;
    QTest::newRow("psat water 212 F") << Calc([] { return calcPsatLeeKesler(212.0, 1, kWasser, 0.344); })
                                      << 0.913254461492 << 1e-9;
    QTest::newRow("psat water, texts") << Calc([] {
        return calcPsatLeeKesler(zahl("100.0"), 0, {zahl("374.2"), 0, zahl("221.2"), 0}, zahl("0.344"));
    }) << 0.913254461492 << 1e-9;
    QTest::newRow("psat at Tc (Tr 1) is about pc")
        << Calc([] { return calcPsatLeeKesler(374.2, 0, kWasser, 0.344); }) << 221.206875003 << 1e-8;
    QTest::newRow("psat above Tc is 0") << Calc([] { return calcPsatLeeKesler(374.21, 0, kWasser, 0.344); })
                                        << 0.0 << 0.0;
    QTest::newRow("psat above Tc is 0, unconverted in gauge")
        << Calc([] { return calcPsatLeeKesler(500.0, 0, {374.2, 0, 220.2, 1}, 0.344); }) << 0.0 << 0.0;
    // In another unit the result has four significant digits. 3208 psia and 220.2 bar gauge are 221.2 bar abs.
    QTest::newRow("psat in psia") << Calc([] { return calcPsatLeeKesler(100.0, 0, {374.2, 0, 3208.0, 2}, 0.344); })
                                  << 13.25 << 0.0;
    QTest::newRow("psat in bar gauge")
        << Calc([] { return calcPsatLeeKesler(100.0, 0, {374.2, 0, 220.2, 1}, 0.344); }) << -0.1 << 0.0;

    // Density from the real-gas factor: nitrogen at 10 bar, 20 °C has Z 0.991821136.
    QTest::newRow("rho nitrogen 10 bar 20 °C")
        << Calc([] { return calcRhoRealgas(10.0, 0, 20.0, 0, zahl("28.014"), kStickstoff, 0.037, 2, 0); })
        << 11.5884720007 << 1e-9;
    QTest::newRow("rho nitrogen in lb/cu.ft")
        << Calc([] { return calcRhoRealgas(10.0, 0, 20.0, 0, 28.014, kStickstoff, 0.037, 2, 1); })
        << 0.723468307005 << 1e-11;

    // The partner of an edited field: air, M 28.96, at 10 bar and 20 °C; 8.987 bar gauge is 10.00 bar abs.
    QTest::newRow("density from Z 1: 11.88") << Calc([] { return densityFromZ(10.0, 0, 20.0, 0, 28.96, 1.0, 0); })
                                             << 11.8818199803 << 1e-9;
    QTest::newRow("density from Z in lb/cu.ft")
        << Calc([] { return densityFromZ(10.0, 0, 20.0, 0, 28.96, 1.0, 1); }) << 0.74178202137 << 1e-10;
    QTest::newRow("density from Z, gauge pressure")
        << Calc([] { return densityFromZ(8.987, 1, 20.0, 0, zahl("28.96"), zahl("1"), 0); }) << 11.8818199803
        << 1e-9;
    QTest::newRow("Z from 11.88: 1.000") << Calc([] { return zFromDensity(10.0, 0, 20.0, 0, 28.96, 11.88, 0); })
                                         << 1.00015319699 << 1e-10;
    QTest::newRow("Z from lb/cu.ft and F")
        << Calc([] { return zFromDensity(10.0, 0, 68.0, 1, 28.96, 11.88 * 0.06243, 1); }) << 1.00015319699 << 1e-10;

    // Viscosity 1 mm²/s; in mPas the density in kg/m3 divided by 1000. Isentropic exponent 1.3.
    QTest::newRow("nue 1 mm²/s") << Calc([] { return calcNueAssistent(20.0, 0, 998.0, 0, 0); }) << 1.0 << 0.0;
    QTest::newRow("nue 1.000 mPas at 1000 kg/m3")
        << Calc([] { return calcNueAssistent(20.0, 0, 1000.0, 0, 1); }) << 1.0 << 1e-12;
    QTest::newRow("nue mPas at 62.43 lb/cu.ft") << Calc([] { return calcNueAssistent(20.0, 0, 62.43, 1, 1); })
                                                << 1.0 << 1e-12;
    QTest::newRow("kappa 1.3") << Calc([] { return calcKappaAssistent(10.0, 0, 400.0, 0); }) << 1.3 << 0.0;

    // Edmister: Ts 100 °C, Tc 374.2 °C, pc 221.2 bar gives 0.3643 to four digits; 705.56 F is 374.2 °C.
    QTest::newRow("Edmister water") << Calc([] { return edmisterAcentricFactor(zahl("100"), kWasser); })
                                    << 0.364275404774 << 1e-10;
    QTest::newRow("Edmister water, F and psia")
        << Calc([] { return edmisterAcentricFactor(212.0, {705.56, 1, 3208.0, 2}); }) << 0.364275404774 << 1e-10;
}

void TestWizardEstimates::values()
{
    QFETCH(Calc, calc);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    const Estimate e = calc();
    QVERIFY(e.hasValue());
    if (tolerance == 0.0)
        QCOMPARE(e.value, expected);
    else
        QVERIFY2(std::fabs(e.value - expected) <= tolerance, qPrintable(QString::number(e.value, 'g', 15)));
}

void TestWizardEstimates::noValue_data()
{
    QTest::addColumn<Calc>("calc");

    QTest::newRow("psat at absolute zero") << Calc([] { return calcPsatLeeKesler(-273.15, 0, kWasser, 0.344); });
    QTest::newRow("psat, Tc at absolute zero")
        << Calc([] { return calcPsatLeeKesler(20.0, 0, {-273.15, 0, 221.2, 0}, 0.344); });
    QTest::newRow("psat, pc 0") << Calc([] { return calcPsatLeeKesler(20.0, 0, {374.2, 0, 0.0, 0}, 0.344); });
    QTest::newRow("psat, w text") << Calc([] { return calcPsatLeeKesler(20.0, 0, kWasser, "abc"); });
    QTest::newRow("psat, w Null") << Calc([] { return calcPsatLeeKesler(20.0, 0, kWasser, Variant::null()); });
    QTest::newRow("psat, exponent overflows")
        << Calc([] { return calcPsatLeeKesler(-270.0, 0, kWasser, -1000.0); });

    QTest::newRow("rho, M 0") << Calc([] { return calcRhoRealgas(10.0, 0, 20.0, 0, 0.0, kStickstoff, 0.037, 2, 0); });
    QTest::newRow("rho, M empty") << Calc([] { return calcRhoRealgas(10.0, 0, 20.0, 0, "", kStickstoff, 0.037, 2, 0); });
    QTest::newRow("rho, density unit unknown")
        << Calc([] { return calcRhoRealgas(10.0, 0, 20.0, 0, 28.014, kStickstoff, 0.037, 2, 5); });

    QTest::newRow("nue mPas without density") << Calc([] { return calcNueAssistent(20.0, 0, 0.0, 0, 1); });
    QTest::newRow("nue, unit unknown") << Calc([] { return calcNueAssistent(20.0, 0, 1000.0, 0, 2); });

    QTest::newRow("Z from density 0") << Calc([] { return zFromDensity(10.0, 0, 20.0, 0, 28.96, 0.0, 0); });
    QTest::newRow("Z at -273.15 °C") << Calc([] { return zFromDensity(10.0, 0, -273.15, 0, 28.96, 11.88, 0); });
    QTest::newRow("Z, M empty") << Calc([] { return zFromDensity(10.0, 0, 20.0, 0, "", 11.88, 0); });
    QTest::newRow("Z, pressure 0") << Calc([] { return zFromDensity(0.0, 0, 20.0, 0, 28.96, 11.88, 0); });
    QTest::newRow("density from Z 0") << Calc([] { return densityFromZ(10.0, 0, 20.0, 0, 28.96, 0.0, 0); });
    QTest::newRow("density at -273.15 °C")
        << Calc([] { return densityFromZ(10.0, 0, -273.15, 0, 28.96, 1.0, 0); });
    QTest::newRow("density, M text") << Calc([] { return densityFromZ(10.0, 0, 20.0, 0, "abc", 1.0, 0); });
    QTest::newRow("density, pressure text") << Calc([] { return densityFromZ("abc", 0, 20.0, 0, 28.96, 1.0, 0); });

    QTest::newRow("Edmister, Ts = Tc") << Calc([] { return edmisterAcentricFactor(374.2, kWasser); });
    QTest::newRow("Edmister, Ts at absolute zero") << Calc([] { return edmisterAcentricFactor(-273.15, kWasser); });
    QTest::newRow("Edmister, Tc at absolute zero")
        << Calc([] { return edmisterAcentricFactor(100.0, {-273.15, 0, 221.2, 0}); });
    QTest::newRow("Edmister, pc 0") << Calc([] { return edmisterAcentricFactor(100.0, {374.2, 0, 0.0, 0}); });
    QTest::newRow("Edmister, Ts text") << Calc([] { return edmisterAcentricFactor("abc", kWasser); });
    QTest::newRow("Edmister, Tc empty") << Calc([] { return edmisterAcentricFactor(100.0, {"", 0, 221.2, 0}); });
    QTest::newRow("Edmister, pc text") << Calc([] { return edmisterAcentricFactor(100.0, {374.2, 0, "x", 0}); });
}

void TestWizardEstimates::noValue()
{
    QFETCH(Calc, calc);
    QCOMPARE(calc().kind, Estimate::Kind::NoValue);
}

// The density reports the real-gas factor's range error, before it looks at the molar mass.
void TestWizardEstimates::densityOutsideRange_data()
{
    QTest::addColumn<Variant>("p");
    QTest::addColumn<Variant>("M");
    QTest::newRow("pr below 0.01") << Variant(0.3) << Variant(28.014);
    QTest::newRow("pr below 0.01, M empty") << Variant(0.3) << Variant("");
    QTest::newRow("pr above 10") << Variant(400.0) << Variant(28.014);
}

void TestWizardEstimates::densityOutsideRange()
{
    QFETCH(Variant, p);
    QFETCH(Variant, M);
    QVERIFY(calcRhoRealgas(p, 0, 20.0, 0, M, kStickstoff, 0.037, 2, 0).isOutsideRange());
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestWizardEstimates)
#include "test_wizard_estimates.moc"
