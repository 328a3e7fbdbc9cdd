#include "engine/pipe_velocity.h"
#include "engine/water_steam.h"
#include "platform/core/number_text.h"

#include <QtTest>
#include <cmath>

// Pipe velocities, recommended velocities and the nominal-size proposal.
// Units used below: Zustand 0 ideal gas, 1 liquid, 2 steam/real gas; flow 0 m3/h (liquid, gas norm) or kg/h
// (steam); density 0 kg/m3; pressure 0 bar abs; temperature 0 °C; viscosity 0 mm²/s, 1 mPas; velocity 0 m/s,
// 1 ft/s; nominal size 0 mm, 1 inch.
class TestPipeVelocity : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { numtext::resetUserLocale(); }

    void velocity_data();
    void velocity();
    void outletDensityByState_data();
    void outletDensityByState();
    void recommendedVelocity_data();
    void recommendedVelocity();
    void proposal_data();
    void proposal();
    void undefinedInputGivesZero_data();
    void undefinedInputGivesZero();
    void germanLocale();
};

Q_DECLARE_METATYPE(Variant)

namespace {

Variant waterVelocity(const Variant &dn, int dnUnit, int stelle = 1, int vUnit = 0)
{
    return calcGeschwindigkeit(stelle, dn, dnUnit, 10.0, 0, 1000.0, 1.2, 0, 5.0, 0, 3.0, 0, 20.0, 0, 1, 1, vUnit);
}

Variant waterProposal(double q, double nue, int vUnit = 0, int dnUnit = 0)
{
    return calcDNRohrVorschlag(1, q, 0, 1000.0, 1.2, 0, 5.0, 0, 3.0, 0, 20.0, 0, nue, 0, 1, 1, vUnit, dnUnit);
}

} // namespace

void TestPipeVelocity::velocity_data()
{
    QTest::addColumn<Variant>("velocity");
    QTest::addColumn<double>("expected");
    QTest::newRow("water 10 m3/h in DN 32") << waterVelocity(32, 0) << 3.4539;
    QTest::newRow("water 10 m3/h in DN 40") << waterVelocity(40, 0) << 2.2105;
    QTest::newRow("water 10 m3/h in DN 50") << waterVelocity(50, 0) << 1.4147;
    QTest::newRow("DN as text") << waterVelocity("50", 0) << 1.4147;
    QTest::newRow("inch size 2\"") << waterVelocity("2\"", 1) << 1.4147;
    QTest::newRow("inch size with blanks") << waterVelocity(" 2\" ", 1) << 1.4147;
    QTest::newRow("outlet of a liquid keeps the density") << waterVelocity(50, 0, 2) << 1.4147;
    QTest::newRow("in ft/s") << waterVelocity(50, 0, 1, 1) << 1.4147 / 0.305;
    QTest::newRow("no position") << waterVelocity(50, 0, 3) << 0.0;
    // Large enough for pi as 3.141593 (not the full value) to show: 1105.2 m/s.
    QTest::newRow("pi with six decimals") << calcGeschwindigkeit(1, 8, 0, 200.0, 0, 1000.0, 1.2, 0, 5.0, 0, 3.0, 0,
                                                                 20.0, 0, 1, 1, 0)
                                          << 4.0 * (200000.0 / 3600.0) / (1000.0 * 0.008 * 0.008 * 3.141593);
    QTest::newRow("liquid in kg/h") << calcGeschwindigkeit(1, 50, 0, 10000.0, 1, 1000.0, 0.0, 0, 5.0, 0, 3.0, 0, 20.0,
                                                           0, 1, 1, 0)
                                    << 1.4147;
    QTest::newRow("steam 1000 kg/h in DN 50, inlet") << calcGeschwindigkeit(1, 50, 0, 1000.0, 0, 5.0, 0.0, 0, 10.0, 0,
                                                                            5.0, 0, 200.0, 0, 2, 2, 0)
                                                     << 1000.0 / 3600.0 * 4.0 / (5.0 * 0.05 * 0.05 * 3.141593);
}

void TestPipeVelocity::velocity()
{
    QFETCH(Variant, velocity);
    QFETCH(double, expected);
    QVERIFY(velocity.isNumber());
    QVERIFY2(std::fabs(velocity.toDouble() - expected) < 5e-5, qPrintable(velocity.toString()));
}

// The outlet velocity over the inlet velocity is the inverse ratio of the densities used.
void TestPipeVelocity::outletDensityByState_data()
{
    QTest::addColumn<int>("zustand");
    QTest::addColumn<int>("medium");
    QTest::addColumn<double>("expectedRatio");
    const double rho1 = 8.0;
    QTest::newRow("ideal gas: rho1 p2/p1") << 0 << 3 << 10.0 / 4.0;
    QTest::newRow("real gas: rho1 p2/p1") << 2 << 5 << 10.0 / 4.0;
    QTest::newRow("steam: density at p2 and T1") << 2 << 2 << rho1 / water_steam::rhoDampf(4.0, 250.0);
    QTest::newRow("liquid: unchanged") << 1 << 4 << 1.0;
}

void TestPipeVelocity::outletDensityByState()
{
    QFETCH(int, zustand);
    QFETCH(int, medium);
    QFETCH(double, expectedRatio);
    // Mass flow units: gas 1 kg/h, liquid 1 kg/h, steam 0 kg/h.
    const int qUnit = zustand == 2 ? 0 : 1;
    const double w1 = calcGeschwindigkeit(1, 50, 0, 1000.0, qUnit, 8.0, 1.2, 0, 10.0, 0, 4.0, 0, 250.0, 0, zustand,
                                          medium, 0)
                          .toDouble();
    const double w2 = calcGeschwindigkeit(2, 50, 0, 1000.0, qUnit, 8.0, 1.2, 0, 10.0, 0, 4.0, 0, 250.0, 0, zustand,
                                          medium, 0)
                          .toDouble();
    QVERIFY(w1 > 0);
    QVERIFY2(std::fabs(w2 / w1 - expectedRatio) < 1e-9, qPrintable(QString::number(w2 / w1, 'g', 12)));
}

void TestPipeVelocity::recommendedVelocity_data()
{
    QTest::addColumn<Variant>("dn");
    QTest::addColumn<int>("dnUnit");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("visk");
    QTest::addColumn<int>("viskUnit");
    QTest::addColumn<int>("zustand");
    QTest::addColumn<int>("medium");
    QTest::addColumn<double>("expected");

    QTest::newRow("liquid DN 32 at 1 mm²/s") << Variant(32) << 0 << 5.0 << 1.0 << 0 << 1 << 1 << 1.6;
    QTest::newRow("liquid DN 40 at 1 mm²/s") << Variant(40) << 0 << 5.0 << 1.0 << 0 << 1 << 1 << 2.0;
    QTest::newRow("liquid DN 50 at 1 mm²/s") << Variant(50) << 0 << 5.0 << 1.0 << 0 << 1 << 1 << 2.2;
    QTest::newRow("liquid DN 50 at 50 mm²/s") << Variant(50) << 0 << 5.0 << 50.0 << 0 << 1 << 1 << 1.5071;
    QTest::newRow("liquid DN 50 at 50 mPas, rho 1000") << Variant(50) << 0 << 5.0 << 50.0 << 1 << 1 << 1 << 1.5071;
    QTest::newRow("liquid DN 50 at 100 mm²/s") << Variant(50) << 0 << 5.0 << 100.0 << 0 << 1 << 1 << 0.8;
    QTest::newRow("liquid below 1 mm²/s gives c2") << Variant(50) << 0 << 5.0 << 0.3 << 0 << 1 << 1 << 2.2;
    QTest::newRow("liquid above 100 mm²/s gives c1") << Variant(50) << 0 << 5.0 << 500.0 << 0 << 1 << 1 << 0.8;
    QTest::newRow("steam DN 8 at 1 bar") << Variant(8) << 0 << 1.0 << 0.0 << 0 << 2 << 2 << 15.0;
    QTest::newRow("steam DN 10 at 60 bar") << Variant(10) << 0 << 60.0 << 0.0 << 0 << 2 << 2 << 15.0;
    QTest::newRow("steam DN 50 at 10 bar") << Variant(50) << 0 << 10.0 << 0.0 << 0 << 2 << 2 << 20.89 + 15.104;
    QTest::newRow("gas DN 50 at 1 bar") << Variant(50) << 0 << 1.0 << 0.0 << 0 << 0 << 3 << 8.0;
    QTest::newRow("gas DN 50 at 50.5 bar") << Variant(50) << 0 << 50.5 << 0.0 << 0 << 0 << 3 << 14.5;
    QTest::newRow("gas DN 50 at 100 bar") << Variant(50) << 0 << 100.0 << 0.0 << 0 << 0 << 3 << 21.0;
    QTest::newRow("gas below 1 bar gives c3") << Variant(50) << 0 << 0.5 << 0.0 << 0 << 0 << 3 << 8.0;
    QTest::newRow("gas above 100 bar gives c4") << Variant(50) << 0 << 150.0 << 0.0 << 0 << 0 << 3 << 21.0;
    QTest::newRow("real gas by pressure") << Variant(50) << 0 << 50.5 << 0.0 << 0 << 2 << 5 << 14.5;
    QTest::newRow("inch size 2\"") << Variant("2\"") << 1 << 5.0 << 1.0 << 0 << 1 << 1 << 2.2;
    QTest::newRow("size outside the series") << Variant(60) << 0 << 5.0 << 1.0 << 0 << 1 << 1 << 0.0;
    QTest::newRow("largest size DN 400") << Variant(400) << 0 << 5.0 << 1.0 << 0 << 1 << 1 << 4.5;
}

void TestPipeVelocity::recommendedVelocity()
{
    QFETCH(Variant, dn);
    QFETCH(int, dnUnit);
    QFETCH(double, p);
    QFETCH(double, visk);
    QFETCH(int, viskUnit);
    QFETCH(int, zustand);
    QFETCH(int, medium);
    QFETCH(double, expected);
    const Variant w = calcRohrEmpfGeschwindigkeit(dn, dnUnit, 1000.0, 0, p, 0, visk, viskUnit, zustand, medium, 0);
    QVERIFY2(std::fabs(w.toDouble() - expected) < 5e-5, qPrintable(w.toString()));
    // The same in ft/s.
    const Variant wFt = calcRohrEmpfGeschwindigkeit(dn, dnUnit, 1000.0, 0, p, 0, visk, viskUnit, zustand, medium, 1);
    QVERIFY(std::fabs(wFt.toDouble() - expected / 0.305) < 5e-4);
}

void TestPipeVelocity::proposal_data()
{
    QTest::addColumn<Variant>("proposal");
    QTest::addColumn<Variant>("expected");
    QTest::newRow("water 10 m3/h, 1 mm²/s") << waterProposal(10.0, 1.0) << Variant(40);
    QTest::newRow("water 10 m3/h, 50 mm²/s") << waterProposal(10.0, 50.0) << Variant(50);
    QTest::newRow("velocities in ft/s choose the same") << waterProposal(10.0, 1.0, 1) << Variant(40);
    QTest::newRow("as inch text") << waterProposal(10.0, 1.0, 0, 1) << Variant("1 1/2\"");
    QTest::newRow("grows at once: DN 8") << waterProposal(0.001, 1.0) << Variant(8);
    QTest::newRow("never grows: DN 400") << waterProposal(100000.0, 1.0) << Variant(400);
    // No flow: the differences are the recommended velocities, equal for DN 8 and DN 10 (not growing), larger at 15.
    QTest::newRow("an equal difference moves on") << waterProposal(0.0, 0.5) << Variant(10);
    // Ideal gas, 1000 kg/h, 60 -> 20 bar abs., rho1 70 kg/m3: at the outlet the density 70 * 20/60 and the
    // recommended velocity at p2, c3 + 19 (c4 - c3) / 99; the differences fall up to DN 40 and grow at DN 50.
    // (Recommended at p1 instead, the walk would stop at DN 32.)
    QTest::newRow("gas outlet, recommended at p2") << calcDNRohrVorschlag(2, 1000.0, 1, 70.0, 1.2, 0, 60.0, 0, 20.0,
                                                                          0, 20.0, 0, 0.0, 0, 0, 3, 0, 0)
                                                   << Variant(40);
    QTest::newRow("steam outlet") << calcDNRohrVorschlag(2, 1000.0, 0, 5.0, 0.0, 0, 10.0, 0, 5.0, 0, 200.0, 0, 0.0, 0,
                                                         2, 2, 0, 0)
                                  << Variant(65);
}

void TestPipeVelocity::proposal()
{
    QFETCH(Variant, proposal);
    QFETCH(Variant, expected);
    QCOMPARE(proposal.toString(), expected.toString());
}

void TestPipeVelocity::undefinedInputGivesZero_data()
{
    QTest::addColumn<Variant>("velocity");
    QTest::newRow("size 0") << waterVelocity(0, 0);
    QTest::newRow("inch text not in the table") << waterVelocity("7\"", 1);
    QTest::newRow("density 0") << calcGeschwindigkeit(1, 50, 0, 10.0, 0, 0.0, 1.2, 0, 5.0, 0, 3.0, 0, 20.0, 0, 1, 1,
                                                      0);
    QTest::newRow("gas outlet with p1 = 0") << calcGeschwindigkeit(2, 50, 0, 100.0, 0, 5.0, 1.2, 0, 0.0, 0, 0.0, 0,
                                                                   20.0, 0, 0, 3, 0);
    QTest::newRow("steam recommended at p = 0") << calcRohrEmpfGeschwindigkeit(50, 0, 5.0, 0, 0.0, 0, 0.0, 0, 2, 2, 0);
    QTest::newRow("texts everywhere") << calcGeschwindigkeit(1, "x", 0, "y", 0, "z", "w", 0, "a", 0, "b", 0, "c", 0, 0,
                                                             3, 0);
}

void TestPipeVelocity::undefinedInputGivesZero()
{
    QFETCH(Variant, velocity);
    QVERIFY(velocity.isNumber());
    QCOMPARE(velocity.toDouble(), 0.0);
}

// Flow texts in another unit go through rounded texts, which must be read in the user's locale.
void TestPipeVelocity::germanLocale()
{
    numtext::setUserLocale(QLocale::c());
    const double english = calcGeschwindigkeit(1, 50, 0, "166.7", 2, 1000.0, 0.0, 0, 5.0, 0, 3.0, 0, 20.0, 0, 1, 1, 0)
                               .toDouble();
    numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
    const double german = calcGeschwindigkeit(1, 50, 0, "166,7", 2, "1000", 0.0, 0, "5", 0, "3", 0, "20", 0, 1, 1, 0)
                              .toDouble();
    QVERIFY(english > 1.4);
    QCOMPARE(german, english);
    QCOMPARE(waterProposal(10.0, 1.0, 0, 1).toString(), QStringLiteral("1 1/2\""));
}

QTEST_GUILESS_MAIN(TestPipeVelocity)
#include "test_pipe_velocity.moc"
