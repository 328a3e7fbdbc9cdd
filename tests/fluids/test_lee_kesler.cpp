#include "../units/two_locales.h"
#include "fluids/lee_kesler.h"

#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>

using testlocale::zahl;

// The Lee-Kesler real-gas factor: the range of validity with its four bounds inside, the interval of pr (a node
// starts its interval, pr 10 closes the last), the phase, the conversions of the operating point and the critical
// point, and what counts as outside the range. Expected values are hand calculations from the tabled coefficients.
class TestLeeKesler : public QObject {
    Q_OBJECT

private slots:
    void reducedTerms_data();
    void reducedTerms();
    void rangeBounds_data();
    void rangeBounds();
    void realGasFactor_data();
    void realGasFactor();
    void outsideRange_data();
    void outsideRange();
};

using Calc = std::function<Estimate()>;
Q_DECLARE_METATYPE(Calc)
Q_DECLARE_METATYPE(Variant)

void TestLeeKesler::reducedTerms_data()
{
    QTest::addColumn<double>("Tr");
    QTest::addColumn<double>("pr");
    QTest::addColumn<int>("phase");
    QTest::addColumn<double>("Z0");
    QTest::addColumn<double>("Z1");

    QTest::newRow("on the node 0.4: the pr 0.4 columns") << 1.2 << 0.4 << 2 << 0.920409824 << 0.054019584;
    QTest::newRow("pr 0.5: mean of the pr 0.4 and 0.6 columns") << 1.2 << 0.5 << 2 << 0.899126016 << 0.047369792;
    QTest::newRow("pr 0.8: the pr 0.8 columns") << 1.2 << 0.8 << 2 << 0.824891648 << 0.05061152;
    QTest::newRow("pr 10, liquid: the pr 10 columns") << 2.0 << 10.0 << 1 << 1.1668 << 0.3101;
    QTest::newRow("pr 10, gas: the same") << 2.0 << 10.0 << 2 << 1.1668 << 0.3101;
    QTest::newRow("below pr 1, liquid") << 0.7 << 0.5 << 1 << 0.084702 << -0.03627145;
    QTest::newRow("below pr 1, gas differs") << 0.7 << 0.5 << 2 << 0.4911230285 << -1.740787813;
    QTest::newRow("from pr 1, liquid") << 0.7 << 2.0 << 1 << 0.337912951 << -0.135251572;
    QTest::newRow("from pr 1, gas: the same") << 0.7 << 2.0 << 2 << 0.337912951 << -0.135251572;
}

void TestLeeKesler::reducedTerms()
{
    QFETCH(double, Tr);
    QFETCH(double, pr);
    QFETCH(int, phase);
    QFETCH(double, Z0);
    QFETCH(double, Z1);
    const auto t = lee_kesler::terms(Tr, pr, phase);
    QVERIFY(t.has_value());
    QVERIFY2(std::fabs(t->Z0 - Z0) < 1e-9, qPrintable(QString::number(t->Z0, 'g', 15)));
    QVERIFY2(std::fabs(t->Z1 - Z1) < 1e-9, qPrintable(QString::number(t->Z1, 'g', 15)));
}

void TestLeeKesler::rangeBounds_data()
{
    QTest::addColumn<double>("Tr");
    QTest::addColumn<double>("pr");
    QTest::addColumn<bool>("inside");

    QTest::newRow("Tr 0.3, pr 0.01") << 0.3 << 0.01 << true;
    QTest::newRow("Tr 4, pr 10") << 4.0 << 10.0 << true;
    QTest::newRow("Tr just below 0.3") << std::nextafter(0.3, 0.0) << 1.0 << false;
    QTest::newRow("Tr just above 4") << std::nextafter(4.0, 5.0) << 1.0 << false;
    QTest::newRow("pr just below 0.01") << 1.0 << std::nextafter(0.01, 0.0) << false;
    QTest::newRow("pr just above 10") << 1.0 << std::nextafter(10.0, 11.0) << false;
    QTest::newRow("pr 0") << 1.0 << 0.0 << false;
    QTest::newRow("Tr NaN") << std::nan("") << 1.0 << false;
    QTest::newRow("pr NaN") << 1.0 << std::nan("") << false;
}

void TestLeeKesler::rangeBounds()
{
    QFETCH(double, Tr);
    QFETCH(double, pr);
    QFETCH(bool, inside);
    for (int phase : {1, 2}) {
        const auto t = lee_kesler::terms(Tr, pr, phase);
        QCOMPARE(t.has_value(), inside);
        if (t)
            QVERIFY(std::isfinite(t->Z0) && std::isfinite(t->Z1));
    }
}

void TestLeeKesler::realGasFactor_data()
{
    QTest::addColumn<Calc>("calc");
    QTest::addColumn<double>("expected");

    // Nitrogen at 10 bar and 20 °C: Tr = 293.15/126.2, pr = 10/33.98, gas. 145.04 psia is 10.00 bar after the
    // four-digit rounding, 68 F is 20 °C, 492.8 psia is 33.98 bar, -232.51 F is -146.95 °C.
    const double n2 = 0.991821136367;
    QTest::newRow("nitrogen, bar and °C") << Calc([] {
        return calcZLeeKesler(10.0, 0, 20.0, 0, {-146.95, 0, 33.98, 0}, 0.037, 2);
    }) << n2;
    QTest::newRow("nitrogen, texts") << Calc([] {
        return calcZLeeKesler(zahl("10"), 0, zahl("20"), 0, {zahl("-146.95"), 0, zahl("33.98"), 0}, zahl("0.037"), 2);
    }) << n2;
    QTest::newRow("nitrogen, psia and F") << Calc([] {
        return calcZLeeKesler(145.04, 2, 68.0, 1, {-232.51, 1, 492.8, 2}, 0.037, 2);
    }) << n2;
    // An edited acentric factor takes effect at once.
    QTest::newRow("nitrogen, w 0.5") << Calc([] {
        return calcZLeeKesler(10.0, 0, 20.0, 0, {-146.95, 0, 33.98, 0}, zahl("0.5"), 2);
    }) << 1.00141075136;
    // 0 bar gauge is 1.01325 bar, rounded to four digits: 1.013 bar; pr = 1.013/5, Tr = 293.15/373.15, liquid.
    QTest::newRow("0 bar gauge is 1.013 bar abs") << Calc([] {
        return calcZLeeKesler(0.0, 1, 20.0, 0, {100.0, 0, 5.0, 0}, 0.2, 1);
    }) << 0.0319599005486;
    // A temperature text that is no number counts as 0 °C: Tr = 273.15/373.15, pr = 0.2.
    QTest::newRow("temperature text counts as 0 °C") << Calc([] {
        return calcZLeeKesler(1.0, 0, "x", 0, {100.0, 0, 5.0, 0}, 0.0, 1);
    }) << 0.0340506610296;
}

void TestLeeKesler::realGasFactor()
{
    QFETCH(Calc, calc);
    QFETCH(double, expected);
    const Estimate z = calc();
    QVERIFY(z.hasValue());
    QVERIFY2(std::fabs(z.value - expected) < 1e-9, qPrintable(QString::number(z.value, 'g', 15)));
}

void TestLeeKesler::outsideRange_data()
{
    QTest::addColumn<Variant>("p");
    QTest::addColumn<Variant>("T");
    QTest::addColumn<Variant>("Tkrit");
    QTest::addColumn<Variant>("pkrit");
    QTest::addColumn<Variant>("w");
    QTest::addColumn<int>("phase");

    const Variant p(10.0), T(20.0), Tc(-146.95), pc(33.98), w(0.037);
    QTest::newRow("pressure 0") << Variant(0.0) << T << Tc << pc << w << 2;
    QTest::newRow("pr above 10") << Variant(340.0) << T << Tc << pc << w << 2;
    QTest::newRow("Tr above 4") << p << Variant(250.0) << Tc << pc << w << 2;
    QTest::newRow("Tr below 0.3") << p << Variant(-240.0) << Tc << pc << w << 2;
    QTest::newRow("temperature below absolute zero") << p << Variant(-300.0) << Tc << pc << w << 2;
    QTest::newRow("critical temperature 0 K") << p << T << Variant(-273.15) << pc << w << 2;
    QTest::newRow("critical pressure 0") << p << T << Tc << Variant(0.0) << w << 2;
    QTest::newRow("critical pressure text") << p << T << Tc << Variant("--") << w << 2;
    QTest::newRow("w empty text") << p << T << Tc << pc << Variant("") << 2;
    QTest::newRow("w text") << p << T << Tc << pc << Variant("abc") << 2;
    QTest::newRow("w never set") << p << T << Tc << pc << Variant() << 2;
    QTest::newRow("no phase") << p << T << Tc << pc << w << 0;
    // Z1 is positive here, so a large negative w drives Z below 0.
    QTest::newRow("Z not positive") << p << T << Tc << pc << Variant(-1000.0) << 2;
    QTest::newRow("w infinite") << p << T << Tc << pc << Variant(std::numeric_limits<double>::infinity()) << 2;
}

void TestLeeKesler::outsideRange()
{
    QFETCH(Variant, p);
    QFETCH(Variant, T);
    QFETCH(Variant, Tkrit);
    QFETCH(Variant, pkrit);
    QFETCH(Variant, w);
    QFETCH(int, phase);
    const Estimate z = calcZLeeKesler(p, 0, T, 0, CriticalPoint{Tkrit, 0, pkrit, 0}, w, phase);
    QVERIFY(z.isOutsideRange());
    QVERIFY(!z.hasValue());
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestLeeKesler)
#include "test_lee_kesler.moc"
