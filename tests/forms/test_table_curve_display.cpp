#include "platform/forms/table_curve_display.h"

#include <QTest>
#include <cmath>
#include <limits>

// The axis scale of the table-and-curve window and the recording display that tests use in its place.

class TestTableCurveDisplay : public QObject {
    Q_OBJECT

private slots:
    void scaleRoundsOutToWholeSteps_data();
    void scaleRoundsOutToWholeSteps();
    void headlessDisplayRecordsWhatItIsShown();
};

void TestTableCurveDisplay::scaleRoundsOutToWholeSteps_data()
{
    QTest::addColumn<double>("minValue");
    QTest::addColumn<double>("maxValue");
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("step");
    QTest::newRow("openings 0 to 100 %") << 0.0 << 100.0 << 0.0 << 100.0 << 10.0;
    QTest::newRow("Kv up to 42") << 0.8 << 42.0 << 0.0 << 45.0 << 5.0;
    QTest::newRow("Cv up to 46.4") << 0.0 << 46.4 << 0.0 << 50.0 << 5.0;
    QTest::newRow("a flat FL of 0.8") << 0.8 << 0.8 << 0.0 << 0.8 << 0.1;
    QTest::newRow("small ratios up to 0.02217") << 0.0 << 0.02217 << 0.0 << 0.025 << 0.005;
    QTest::newRow("negative values") << -0.5 << 2.0 << -0.5 << 2.0 << 0.5;
    QTest::newRow("all zero") << 0.0 << 0.0 << 0.0 << 1.0 << 0.1;
    QTest::newRow("not a number") << std::nan("") << 1.0 << 0.0 << 1.0 << 0.1;
    QTest::newRow("infinite") << 0.0 << std::numeric_limits<double>::infinity() << 0.0 << 1.0 << 0.1;
}

void TestTableCurveDisplay::scaleRoundsOutToWholeSteps()
{
    QFETCH(double, minValue);
    QFETCH(double, maxValue);
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(double, step);
    const AxisScale s = niceScale(minValue, maxValue);
    QVERIFY2(std::fabs(s.lo - lo) < 1e-12, qPrintable(QString::number(s.lo)));
    QVERIFY2(std::fabs(s.hi - hi) < 1e-12, qPrintable(QString::number(s.hi)));
    QVERIFY2(std::fabs(s.step - step) < 1e-12, qPrintable(QString::number(s.step)));
}

void TestTableCurveDisplay::headlessDisplayRecordsWhatItIsShown()
{
    auto *recorder = dynamic_cast<RecordingTableCurveDisplay *>(&tableCurveDisplay());
    QVERIFY(recorder);
    recorder->reset();
    RecordingTableCurveDisplay own;
    {
        TableCurveDisplayScope scope(own);
        TableCurve t;
        t.caption = QStringLiteral("FL");
        tableCurveDisplay().show(t);
    }
    QCOMPARE(own.shown().size(), std::size_t(1));
    QCOMPARE(own.shown().front().caption, QStringLiteral("FL"));
    QVERIFY(recorder->shown().empty());
    QCOMPARE(&tableCurveDisplay(), static_cast<TableCurveDisplay *>(recorder));
}

QTEST_GUILESS_MAIN(TestTableCurveDisplay)
#include "test_table_curve_display.moc"
