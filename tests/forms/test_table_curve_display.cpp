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
    void ticksAreLabelledReadably_data();
    void ticksAreLabelledReadably();
    void headlessDisplayRecordsWhatItIsShown();
};

void TestTableCurveDisplay::scaleRoundsOutToWholeSteps_data()
{
    QTest::addColumn<double>("minValue");
    QTest::addColumn<double>("maxValue");
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("exponent"); // lo, hi and step are in units of 10^exponent
    QTest::newRow("openings 0 to 100 %") << 0.0 << 100.0 << 0.0 << 100.0 << 10.0 << 0;
    QTest::newRow("Kv up to 42") << 0.8 << 42.0 << 0.0 << 45.0 << 5.0 << 0;
    QTest::newRow("Cv up to 46.4") << 0.0 << 46.4 << 0.0 << 50.0 << 5.0 << 0;
    QTest::newRow("a flat FL of 0.8") << 0.8 << 0.8 << 0.0 << 0.8 << 0.1 << 0;
    QTest::newRow("small ratios up to 0.02217") << 0.0 << 0.02217 << 0.0 << 0.025 << 0.005 << 0;
    QTest::newRow("negative values") << -0.5 << 2.0 << -0.5 << 2.0 << 0.5 << 0;
    QTest::newRow("all zero") << 0.0 << 0.0 << 0.0 << 1.0 << 0.1 << 0;
    QTest::newRow("not a number") << std::nan("") << 1.0 << 0.0 << 1.0 << 0.1 << 0;
    QTest::newRow("infinite") << 0.0 << std::numeric_limits<double>::infinity() << 0.0 << 1.0 << 0.1 << 0;
    // 2.5 million: 2.5 units of 10^6, steps of 0.5.
    QTest::newRow("millions") << 0.0 << 2.5e6 << 0.0 << 2.5 << 0.5 << 6;
    // 1.797 units of 10^308: 8.98 steps of 0.2, rounded up to 1.8, beyond the largest double itself.
    QTest::newRow("the largest double") << 0.0 << std::numeric_limits<double>::max() << 0.0 << 1.8 << 0.2 << 308;
    // -1.7 to 1.7 units of 10^308: an extent that overflows unscaled; 6.8 steps of 0.5.
    QTest::newRow("huge both ways") << -1.7e308 << 1.7e308 << -2.0 << 2.0 << 0.5 << 308;
    // 1.3 units of 10^-320: 6.5 steps of 0.2.
    QTest::newRow("tiny") << 0.0 << 1.3e-320 << 0.0 << 1.4 << 0.2 << -320;
    // 4.94 units of 10^-324: 9.9 steps of 0.5.
    QTest::newRow("the smallest double") << 0.0 << std::numeric_limits<double>::denorm_min() << 0.0 << 5.0 << 0.5
                                         << -324;
}

void TestTableCurveDisplay::scaleRoundsOutToWholeSteps()
{
    QFETCH(double, minValue);
    QFETCH(double, maxValue);
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(double, step);
    QFETCH(int, exponent);
    const AxisScale s = niceScale(minValue, maxValue);
    QVERIFY2(std::fabs(s.lo - lo) < 1e-12, qPrintable(QString::number(s.lo)));
    QVERIFY2(std::fabs(s.hi - hi) < 1e-12, qPrintable(QString::number(s.hi)));
    QVERIFY2(std::fabs(s.step - step) < 1e-12, qPrintable(QString::number(s.step)));
    QCOMPARE(s.exponent, exponent);
}

void TestTableCurveDisplay::ticksAreLabelledReadably_data()
{
    QTest::addColumn<double>("minValue");
    QTest::addColumn<double>("maxValue");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("openings") << 0.0 << 100.0
                              << QStringList{"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"};
    QTest::newRow("decimals of the step") << 0.0 << 0.02217
                                          << QStringList{"0.000", "0.005", "0.010", "0.015", "0.020", "0.025"};
    QTest::newRow("negative") << -0.5 << 2.0 << QStringList{"-0.5", "0.0", "0.5", "1.0", "1.5", "2.0"};
    QTest::newRow("millions") << 0.0 << 2.5e6 << QStringList{"0", "5E+05", "1E+06", "1.5E+06", "2E+06", "2.5E+06"};
    QTest::newRow("the largest double")
        << 0.0 << std::numeric_limits<double>::max()
        << QStringList{"0", "2E+307", "4E+307", "6E+307", "8E+307", "1E+308", "1.2E+308", "1.4E+308", "1.6E+308",
                       "1.8E+308"};
    QTest::newRow("huge both ways") << -1.7e308 << 1.7e308
                                    << QStringList{"-2E+308", "-1.5E+308", "-1E+308", "-5E+307", "0", "5E+307",
                                                   "1E+308", "1.5E+308", "2E+308"};
    QTest::newRow("tiny") << 0.0 << 1.3e-320
                          << QStringList{"0", "2E-321", "4E-321", "6E-321", "8E-321", "1E-320", "1.2E-320",
                                         "1.4E-320"};
}

void TestTableCurveDisplay::ticksAreLabelledReadably()
{
    QFETCH(double, minValue);
    QFETCH(double, maxValue);
    QFETCH(QStringList, labels);
    const AxisScale s = niceScale(minValue, maxValue);
    QCOMPARE(s.steps(), int(labels.size()) - 1);
    QStringList shown;
    for (int i = 0; i <= s.steps(); ++i)
        shown << s.label(i);
    QCOMPARE(shown, labels);
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
