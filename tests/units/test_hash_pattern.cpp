#include "two_locales.h"
#include "units/number_format.h"

#include <QTest>

using testlocale::zahl;

// The patterns "#.#" as the printouts use it for the flow reserve and "##.##" as the gas mixture shows densities
// and molar masses.
class TestHashPattern : public QObject {
    Q_OBJECT

private slots:
    void hashDotHash_data();
    void hashDotHash();
    void hashHashDotHashHash_data();
    void hashHashDotHashHash();
};

void TestHashPattern::hashDotHash_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected"); // C notation
    QTest::newRow("whole number keeps its separator") << 10.0 << "10.";
    QTest::newRow("one decimal") << 73.6667 << "73.7";
    QTest::newRow("no digit before the separator") << 0.5 << ".5";
    QTest::newRow("half rounds away from zero") << 0.05 << ".1";
    QTest::newRow("negative below one") << -0.5 << "-.5";
    QTest::newRow("negative whole") << -10.0 << "-10.";
    QTest::newRow("zero prints a digit") << 0.0 << "0";
    QTest::newRow("rounds to zero: a digit") << 0.04 << "0";
    QTest::newRow("negative rounding to zero") << -0.04 << "0";
    QTest::newRow("large") << 7226.666 << "7226.7";
}

void TestHashPattern::hashDotHash()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatHashDotHash(value), zahl(expected.toLatin1().constData()));
}

void TestHashPattern::hashHashDotHashHash_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected"); // C notation
    QTest::newRow("two decimals") << 28.96 << "28.96";
    QTest::newRow("rounded") << 1.2921952 << "1.29";
    QTest::newRow("half rounds away from zero") << 0.125 << ".13";
    QTest::newRow("trailing zero dropped") << 1.5 << "1.5";
    QTest::newRow("whole number keeps its separator") << 28.0 << "28.";
    QTest::newRow("rounded to a whole number") << 27.999 << "28.";
    QTest::newRow("no digit before the separator") << 0.0806717 << ".08";
    QTest::newRow("negative below one") << -0.5 << "-.5";
    QTest::newRow("rounds to zero: a digit") << 0.004 << "0";
    QTest::newRow("negative rounding to zero") << -0.001 << "0";
    QTest::newRow("large") << 12345.678 << "12345.68";
}

void TestHashPattern::hashHashDotHashHash()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatHashHashDotHashHash(value), zahl(expected.toLatin1().constData()));
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestHashPattern)
#include "test_hash_pattern.moc"
