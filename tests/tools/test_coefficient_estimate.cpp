#include "tools/coefficient_estimate.h"

#include "../units/two_locales.h"

#include <QTest>
#include <cmath>

// The table of equal-percentage coefficients and the choice of its band.

using namespace kennlinienschaetzung;

namespace {
double polynom(const std::array<double, 5> &a, double y)
{
    double sum = 0.0;
    for (int i = 0; i < 5; ++i)
        sum += a[static_cast<std::size_t>(i)] * std::pow(y, i + 1);
    return sum;
}
} // namespace

class TestCoefficientEstimate : public QObject {
    Q_OBJECT

private slots:
    void everyRowApproximatesItsEqualPercentageCurve_data();
    void everyRowApproximatesItsEqualPercentageCurve();
    void bandHoldingTheRangeability_data();
    void bandHoldingTheRangeability();
};

void TestCoefficientEstimate::everyRowApproximatesItsEqualPercentageCurve_data()
{
    QTest::addColumn<double>("R0");
    // The band centres 100, 90, ..., 10, each looked up at its centre.
    for (int R0 = 100; R0 >= 10; R0 -= 10)
        QTest::addRow("R0 %d", R0) << double(R0);
}

void TestCoefficientEstimate::everyRowApproximatesItsEqualPercentageCurve()
{
    QFETCH(double, R0);
    const auto a = gleichprozentig(Variant(R0));
    QVERIFY(a);
    double sum = 0.0;
    for (double c : *a)
        sum += c;
    // Kv(1) is Kvs within 0.2 %.
    QVERIFY2(std::fabs(sum - 1.0) <= 0.002, qPrintable(QString::number(sum, 'g', 10)));
    QCOMPARE(polynom(*a, 0.0), 0.0);
    double previous = 0.0;
    for (int percent = 1; percent <= 100; ++percent) {
        const double y = percent / 100.0;
        const double kv = polynom(*a, y);
        QVERIFY2(kv > previous, qPrintable(QStringLiteral("falls at %1 %").arg(percent)));
        previous = kv;
        if (percent >= 10) {
            const double curve = std::pow(R0, y - 1.0);
            QVERIFY2(std::fabs(kv - curve) < 0.01,
                     qPrintable(QStringLiteral("%1 % : %2 against %3").arg(percent).arg(kv).arg(curve)));
        }
    }
}

void TestCoefficientEstimate::bandHoldingTheRangeability_data()
{
    QTest::addColumn<QString>("R");
    QTest::addColumn<bool>("inBand");
    QTest::addColumn<double>("a1");
    QTest::addColumn<double>("a5");
    QTest::newRow("100: top row") << "100" << true << 0.2333 << 2.6203;
    QTest::newRow("95: top row, lower bound included") << "95" << true << 0.2333 << 2.6203;
    QTest::newRow("94.99: second row") << "94.99" << true << 0.2503 << 2.5265;
    QTest::newRow("104.9: top row") << "104.9" << true << 0.2333 << 2.6203;
    QTest::newRow("50") << "50" << true << 0.3949 << 2.2425;
    QTest::newRow("15: row 15 to 25") << "15" << true << 0.8971 << 2.9594;
    QTest::newRow("14.9: bottom row") << "14.9" << true << 1.7139 << 5.1167;
    QTest::newRow("10: bottom row") << "10" << true << 1.7139 << 5.1167;
    QTest::newRow("5: bottom row") << "5" << true << 1.7139 << 5.1167;
    QTest::newRow("105: upper bound excluded") << "105" << false << 0.0 << 0.0;
    QTest::newRow("4: below every band") << "4" << false << 0.0 << 0.0;
    QTest::newRow("no number") << "abc" << false << 0.0 << 0.0;
    QTest::newRow("empty") << "" << false << 0.0 << 0.0;
}

void TestCoefficientEstimate::bandHoldingTheRangeability()
{
    QFETCH(QString, R);
    QFETCH(bool, inBand);
    QFETCH(double, a1);
    QFETCH(double, a5);
    // Typed in the user's notation.
    R.replace(QLatin1Char('.'), numtext::userLocale().decimalPoint());
    const auto a = gleichprozentig(Variant(R));
    QCOMPARE(bool(a), inBand);
    if (a) {
        QCOMPARE((*a)[0], a1);
        QCOMPARE((*a)[4], a5);
    }
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestCoefficientEstimate)
#include "test_coefficient_estimate.moc"
