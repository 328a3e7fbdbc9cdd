#include "two_locales.h"
#include "units/held_unit_values.h"

#include <QTest>
#include <cmath>

// A fluid dialog's OK makes its units the shared ones: every shared value held in a fluid unit is converted with
// it. Expected values worked by hand: 1 kg/m3 = 0.06243 lb./cu.ft., 1 psi = 0.06894757 bar, atmosphere 1.01325
// bar, F = °C x 9/5 + 32, mPas = mm²/s x kg/m3 / 1000; pressures rounded to four significant digits as the sheets
// round them.

namespace {

SharedData water()
{
    SharedData d;
    d.rho1Min = 1000.0;
    d.rho1Norm = 800.0;
    d.rho1Max = 998.2;
    d.rhoN = 1.293;
    d.psatMin = 3.0;
    d.psatNorm = 0.02339;
    d.psatMax = 0.02339;
    d.pkrit = 221.2;
    d.Tkrit = 374.15;
    d.TBezugFlüssigkeit = 20;
    d.nueMin = 1.0;
    d.nueNorm = 2.0;
    d.nueMax = 1.004;
    return d;
}

QList<double> held(const SharedData &d)
{
    return {d.rho1Min, d.rho1Norm, d.rho1Max, d.rhoN,   d.psatMin, d.psatNorm, d.psatMax,
            d.pkrit,   d.Tkrit,    double(d.TBezugFlüssigkeit), d.nueMin,  d.nueNorm,  d.nueMax};
}

} // namespace

class TestHeldUnitValues : public QObject {
    Q_OBJECT

private slots:
    void fluidUnitsConvertWhatTheyHold_data();
    void fluidUnitsConvertWhatTheyHold();
};

void TestHeldUnitValues::fluidUnitsConvertWhatTheyHold_data()
{
    QTest::addColumn<QList<int>>("units"); // rhoUnit, pUnit, TUnit, nueUnit
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QList<int>>("after");
    const QList<double> w = held(water());
    QTest::newRow("nothing changes") << QList<int>{0, 0, 0, 0} << w << QList<int>{0, 0, 0, 0};
    QTest::newRow("densities") << QList<int>{1, 0, 0, 0}
                               << QList<double>{62.43, 49.944, 62.317626, 0.08072199, 3.0, 0.02339, 0.02339, 221.2,
                                                374.15, 20, 1.0, 2.0, 1.004}
                               << QList<int>{1, 0, 0, 0};
    // 0.02339 / 0.06894757 = 0.3392; 3 / 0.06894757 = 43.51; 221.2 / 0.06894757 = 3208.
    QTest::newRow("pressures in psia") << QList<int>{0, 2, 0, 0}
                                       << QList<double>{1000, 800, 998.2, 1.293, 43.51, 0.3392, 0.3392, 3208, 374.15,
                                                        20, 1.0, 2.0, 1.004}
                                       << QList<int>{0, 2, 0, 0};
    // 3 - 1.01325 = 1.987 and 221.2 - 1.01325 = 220.2 bar,ü.; 0.02339 - 1.01325 = -0.9899.
    QTest::newRow("pressures gauge") << QList<int>{0, 1, 0, 0}
                                     << QList<double>{1000, 800, 998.2, 1.293, 1.987, -0.9899, -0.9899, 220.2, 374.15,
                                                      20, 1.0, 2.0, 1.004}
                                     << QList<int>{0, 1, 0, 0};
    QTest::newRow("temperatures in F") << QList<int>{0, 0, 1, 0}
                                       << QList<double>{1000, 800, 998.2, 1.293, 3.0, 0.02339, 0.02339, 221.2, 705.47,
                                                        68, 1.0, 2.0, 1.004}
                                       << QList<int>{0, 0, 1, 0};
    // Each point through its own density: 1 x 1000 / 1000, 2 x 800 / 1000, 1.004 x 998.2 / 1000.
    QTest::newRow("viscosities in mPas") << QList<int>{0, 0, 0, 1}
                                         << QList<double>{1000, 800, 998.2, 1.293, 3.0, 0.02339, 0.02339, 221.2,
                                                          374.15, 20, 1.0, 1.6, 1.0021928}
                                         << QList<int>{0, 0, 0, 1};
    // Together: the viscosities through the densities as they were (kg/m3), then the densities.
    QTest::newRow("density and viscosity together")
        << QList<int>{1, 0, 0, 1}
        << QList<double>{62.43, 49.944, 62.317626, 0.08072199, 3.0, 0.02339, 0.02339, 221.2, 374.15, 20, 1.0, 1.6,
                         1.0021928}
        << QList<int>{1, 0, 0, 1};
    // A unit outside its list is not taken.
    QTest::newRow("unknown units") << QList<int>{2, 8, 2, -1} << w << QList<int>{0, 0, 0, 0};
}

void TestHeldUnitValues::fluidUnitsConvertWhatTheyHold()
{
    QFETCH(QList<int>, units);
    QFETCH(QList<double>, values);
    QFETCH(QList<int>, after);
    SharedData d = water();
    adoptFluidUnits(FluidUnits{units[0], units[1], units[2], units[3]}, d);
    const QList<double> got = held(d);
    for (qsizetype i = 0; i < got.size(); ++i)
        QVERIFY2(std::fabs(got[i] - values[i]) <= 1e-9 * std::max(1.0, std::fabs(values[i])),
                 qPrintable(QStringLiteral("value %1: %2, expected %3").arg(i).arg(got[i], 0, 'g', 17).arg(values[i])));
    QCOMPARE(QList<int>({d.rhoUnit, d.pUnit, d.TUnit, d.nueUnit}), after);
    // Nothing else moves.
    QCOMPARE(d.p1Unit, 0);
    QCOMPARE(d.QUnit, 0);
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestHeldUnitValues)
#include "test_held_unit_values.moc"
