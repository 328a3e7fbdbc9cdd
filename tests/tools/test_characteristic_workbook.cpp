#include "../units/two_locales.h"
#include "platform/workbook/xlsx_writer.h"
#include "support/fixture_catalogue.h"
#include "tools/characteristic_display.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <cmath>

// The characteristic workbook as a spreadsheet program reads it: written to a file and read back with unzip. The
// input sheet's cells, the formulas of the curve sheets with their computed values, the chart, and which sheet
// shows and which are hidden.

namespace {

// The input cells of the shipped user-defined valve (A3 left empty where a case says so).
kenndaten::Parameter shippedValve(bool emptyA3 = false)
{
    kenndaten::Parameter p;
    const QString texts[4] = {QStringLiteral("Ventilöffnung"), QStringLiteral("Kennlinie - Eigenbau <1> & \"2\""),
                              QStringLiteral("50 - 2\""), QStringLiteral("gleich%")};
    for (int i = 0; i < 4; ++i)
        p.zelle[static_cast<std::size_t>(i)] = Variant(texts[i]);
    p.zelle[4] = Variant(40.0f);
    p.zelle[5] = Variant(46.4f);
    const double a[12] = {0.02, 0.08277823, 0.07145153, 0.64708711, -0.77914652, 0.95782965, 0.8, 0, 0, 0.6, 0, 0};
    for (int i = 0; i < 12; ++i)
        p.zelle[static_cast<std::size_t>(6 + i)] = Variant(a[i]);
    if (emptyA3)
        p.zelle[9] = Variant();
    return p;
}

QString unzip(const QString &file, const QString &member)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, member});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The <c> element of a cell ("B5") in a sheet's XML, or an empty text.
QString cell(const QString &sheetXml, const QString &ref)
{
    const QRegularExpression re(QStringLiteral("<c r=\"%1\"[^>]*(/>|>.*?</c>)").arg(ref));
    return re.match(sheetXml).captured(0);
}

QString formulaOf(const QString &cellXml)
{
    return QRegularExpression(QStringLiteral("<f>(.*?)</f>")).match(cellXml).captured(1);
}

double valueOf(const QString &cellXml)
{
    return QRegularExpression(QStringLiteral("<v>(.*?)</v>")).match(cellXml).captured(1).toDouble();
}

// The text of a shared-string cell.
QString textOf(const QString &cellXml, const QString &sharedStrings)
{
    const int index = QRegularExpression(QStringLiteral("<v>(\\d+)</v>")).match(cellXml).captured(1).toInt();
    QRegularExpression si(QStringLiteral("<si><t[^>]*>(.*?)</t></si>"));
    auto it = si.globalMatch(sharedStrings);
    for (int i = 0; it.hasNext(); ++i) {
        const QString t = it.next().captured(1);
        if (i == index)
            return t;
    }
    return QString();
}

} // namespace

class TestCharacteristicWorkbook : public QObject {
    Q_OBJECT
    QTemporaryDir dir{testsupport::scratchTemplate(QStringLiteral("workbook"))};

    QString writeBook(kenndaten::Kurve k, const QString &name, bool emptyA3 = false)
    {
        const QString path = dir.filePath(name);
        QString error;
        if (!xlsx::write(kenndaten::arbeitsmappe(shippedValve(emptyA3), k), path, &error))
            qWarning("%s", qPrintable(error));
        return path;
    }

private slots:
    void initTestCase();
    void requestedSheetShowsAndTheOthersAreHidden_data();
    void requestedSheetShowsAndTheOthersAreHidden();
    void inputSheetHoldsTheEighteenCells();
    void curveSheetsCarryFormulasWithTheirValues_data();
    void curveSheetsCarryFormulasWithTheirValues();
    void emptyCoefficientIsAnEmptyCell();
    void eachCurveSheetHasASmoothScatterChart();
    void numbersKeepTheirPointUnderAGermanCLibrary();
    void overflowingValuesAreErrorsNotNumbers_data();
    void overflowingValuesAreErrorsNotNumbers();
};

void TestCharacteristicWorkbook::initTestCase()
{
    QVERIFY(dir.isValid());
    if (QProcess::execute(QStringLiteral("unzip"), {QStringLiteral("-v")}) != 0)
        QFAIL("unzip is not installed (scripts/lib.sh installs it)");
    // A copy for a person to open.
    QDir().mkpath(QStringLiteral(QUENDRA_TEST_OUTPUT_DIR));
    QFile::remove(QStringLiteral(QUENDRA_TEST_OUTPUT_DIR "/tools_characteristic_Kv.xlsx"));
    QVERIFY(xlsx::write(kenndaten::arbeitsmappe(shippedValve(), kenndaten::Kurve::Kv),
                        QStringLiteral(QUENDRA_TEST_OUTPUT_DIR "/tools_characteristic_Kv.xlsx")));
}

void TestCharacteristicWorkbook::requestedSheetShowsAndTheOthersAreHidden_data()
{
    QTest::addColumn<int>("curve");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("tab");
    QTest::newRow("Kv") << int(kenndaten::Kurve::Kv) << "Kv" << 1;
    QTest::newRow("Cv") << int(kenndaten::Kurve::Cv) << "Cv" << 2;
    QTest::newRow("FL") << int(kenndaten::Kurve::FL) << "FL" << 3;
    QTest::newRow("xT") << int(kenndaten::Kurve::xT) << "xT" << 4;
}

void TestCharacteristicWorkbook::requestedSheetShowsAndTheOthersAreHidden()
{
    QFETCH(int, curve);
    QFETCH(QString, shown);
    QFETCH(int, tab);
    const QString file = writeBook(kenndaten::Kurve(curve), shown + QStringLiteral(".xlsx"));
    const QString workbook = unzip(file, QStringLiteral("xl/workbook.xml"));
    QVERIFY2(!workbook.isEmpty(), "no workbook.xml");
    const QStringList names = {"Parameter", "Kv", "Cv", "FL", "xT"};
    QRegularExpression sheet(QStringLiteral("<sheet name=\"([^\"]*)\" sheetId=\"\\d+\"( state=\"hidden\")?"));
    auto it = sheet.globalMatch(workbook);
    QStringList found;
    while (it.hasNext()) {
        const auto m = it.next();
        found << m.captured(1);
        QCOMPARE(m.captured(2).isEmpty(), m.captured(1) == shown);
    }
    QCOMPARE(found, names);
    QVERIFY2(workbook.contains(QStringLiteral("activeTab=\"%1\"").arg(tab)), qPrintable(workbook));
}

void TestCharacteristicWorkbook::inputSheetHoldsTheEighteenCells()
{
    const QString file = writeBook(kenndaten::Kurve::Kv, QStringLiteral("parameter.xlsx"));
    const QString xml = unzip(file, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QString strings = unzip(file, QStringLiteral("xl/sharedStrings.xml"));
    QCOMPARE(textOf(cell(xml, "B1"), strings), QStringLiteral("Ventilöffnung"));
    // Markup characters are escaped, not lost.
    QCOMPARE(textOf(cell(xml, "B2"), strings), QStringLiteral("Kennlinie - Eigenbau &lt;1&gt; &amp; \"2\""));
    QCOMPARE(textOf(cell(xml, "B3"), strings), QStringLiteral("50 - 2\""));
    QCOMPARE(textOf(cell(xml, "B4"), strings), QStringLiteral("gleich%"));
    // Single-precision values as the decimals they show.
    QVERIFY2(cell(xml, "B5").contains(QStringLiteral("<v>40</v>")), qPrintable(cell(xml, "B5")));
    QVERIFY2(cell(xml, "B6").contains(QStringLiteral("<v>46.4</v>")), qPrintable(cell(xml, "B6")));
    const double values[12] = {0.02, 0.08277823, 0.07145153, 0.64708711, -0.77914652, 0.95782965,
                               0.8,  0,          0,          0.6,        0,           0};
    for (int r = 7; r <= 18; ++r) {
        const QString c = cell(xml, QStringLiteral("B%1").arg(r));
        QVERIFY2(c.contains(QStringLiteral("<v>")) && std::fabs(valueOf(c) - values[r - 7]) < 1e-15, qPrintable(c));
    }
    QVERIFY(cell(xml, "B19").isEmpty());
    QCOMPARE(textOf(cell(xml, "A7"), strings), QStringLiteral("A0"));
}

void TestCharacteristicWorkbook::curveSheetsCarryFormulasWithTheirValues_data()
{
    QTest::addColumn<int>("curve");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("formulaB13");
    QTest::addColumn<double>("valueB13");
    QTest::addColumn<double>("tolerance");
    // Row 13 is the opening 50 %. Kv/Kvs = 50^(0.5 - 1) = 0.1414 (the polynomial gives 0.141373).
    QTest::newRow("Kv") << int(kenndaten::Kurve::Kv) << "xl/worksheets/sheet2.xml"
                        << "Parameter!$B$5*C13" << 40 / std::sqrt(50.0) << 0.003;
    QTest::newRow("Cv") << int(kenndaten::Kurve::Cv) << "xl/worksheets/sheet3.xml"
                        << "Parameter!$B$6*C13" << 46.4 / std::sqrt(50.0) << 0.003;
    QTest::newRow("FL") << int(kenndaten::Kurve::FL) << "xl/worksheets/sheet4.xml"
                        << "Parameter!$B$13+Parameter!$B$14*(A13/100)+Parameter!$B$15*(A13/100)^2" << 0.8 << 1e-12;
    QTest::newRow("xT") << int(kenndaten::Kurve::xT) << "xl/worksheets/sheet5.xml"
                        << "Parameter!$B$16+Parameter!$B$17*(A13/100)+Parameter!$B$18*(A13/100)^2" << 0.6 << 1e-12;
}

void TestCharacteristicWorkbook::curveSheetsCarryFormulasWithTheirValues()
{
    QFETCH(int, curve);
    QFETCH(QString, member);
    QFETCH(QString, formulaB13);
    QFETCH(double, valueB13);
    QFETCH(double, tolerance);
    const QString file = writeBook(kenndaten::Kurve(curve), QStringLiteral("curve.xlsx"));
    const QString xml = unzip(file, member);
    const QString strings = unzip(file, QStringLiteral("xl/sharedStrings.xml"));
    QVERIFY2(!xml.isEmpty(), qPrintable(member));
    QCOMPARE(formulaOf(cell(xml, "A1")), QStringLiteral("Parameter!$B$2&amp;\"\""));
    QVERIFY(cell(xml, "A1").contains(QStringLiteral("Kennlinie - Eigenbau")));
    QCOMPARE(formulaOf(cell(xml, "B4")), QStringLiteral("Parameter!$B$5"));
    QCOMPARE(valueOf(cell(xml, "B4")), 40.0);
    QCOMPARE(valueOf(cell(xml, "B5")), 46.4);
    QCOMPARE(formulaOf(cell(xml, "A7")), QStringLiteral("Parameter!$B$1&amp;\" [%]\""));
    for (int i = 0; i <= 10; ++i)
        QCOMPARE(valueOf(cell(xml, QStringLiteral("A%1").arg(8 + i))), 10.0 * i);
    const QString b13 = cell(xml, "B13");
    QCOMPARE(formulaOf(b13), formulaB13);
    QVERIFY2(std::fabs(valueOf(b13) - valueB13) <= tolerance, qPrintable(b13));
    if (curve == int(kenndaten::Kurve::Kv) || curve == int(kenndaten::Kurve::Cv)) {
        const QString c13 = cell(xml, "C13");
        QCOMPARE(formulaOf(c13), QStringLiteral("Parameter!$B$7+Parameter!$B$8*(A13/100)+Parameter!$B$9*(A13/100)^2+"
                                                "Parameter!$B$10*(A13/100)^3+Parameter!$B$11*(A13/100)^4+"
                                                "Parameter!$B$12*(A13/100)^5"));
        QVERIFY2(std::fabs(valueOf(c13) - 1 / std::sqrt(50.0)) < 0.0001, qPrintable(c13));
        // At full opening the polynomial's coefficients add up to 1.
        QVERIFY(std::fabs(valueOf(cell(xml, "C18")) - 1.0) < 1e-9);
        QCOMPARE(textOf(cell(xml, "C7"), strings),
                 curve == int(kenndaten::Kurve::Kv) ? QStringLiteral("Kv/Kvs") : QStringLiteral("Cv/Cvs"));
    } else {
        QVERIFY(cell(xml, "C13").isEmpty());
    }
}

void TestCharacteristicWorkbook::emptyCoefficientIsAnEmptyCell()
{
    const QString file = writeBook(kenndaten::Kurve::Kv, QStringLiteral("empty.xlsx"), true);
    const QString parameter = unzip(file, QStringLiteral("xl/worksheets/sheet1.xml"));
    QVERIFY(cell(parameter, "B10").isEmpty() || !cell(parameter, "B10").contains(QStringLiteral("<v>")));
    // The curve counts it as 0, as the spreadsheet does: at 100 % 1 - 0.64708711.
    const QString kv = unzip(file, QStringLiteral("xl/worksheets/sheet2.xml"));
    QVERIFY(std::fabs(valueOf(cell(kv, "C18")) - (1.0 - 0.64708711)) < 1e-9);
}

void TestCharacteristicWorkbook::eachCurveSheetHasASmoothScatterChart()
{
    const QString file = writeBook(kenndaten::Kurve::FL, QStringLiteral("charts.xlsx"));
    const QStringList sheets = {"Kv", "Cv", "FL", "xT"};
    for (int i = 0; i < 4; ++i) {
        const QString chart = unzip(file, QStringLiteral("xl/charts/chart%1.xml").arg(i + 1));
        QVERIFY2(chart.contains(QStringLiteral("<c:scatterChart>")), qPrintable(sheets[i]));
        QVERIFY(chart.contains(QStringLiteral("<c:scatterStyle val=\"smoothMarker\"/>")));
        QVERIFY2(chart.contains(QStringLiteral("%1!$A$8:$A$18").arg(sheets[i])), qPrintable(chart.left(2000)));
        QVERIFY(chart.contains(QStringLiteral("%1!$B$8:$B$18").arg(sheets[i])));
        QVERIFY(chart.contains(QStringLiteral("%1!$A$1").arg(sheets[i])));
    }
}

void TestCharacteristicWorkbook::numbersKeepTheirPointUnderAGermanCLibrary()
{
    const char *previous = std::setlocale(LC_NUMERIC, nullptr);
    const QByteArray keep = previous ? QByteArray(previous) : QByteArray("C");
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        QSKIP("no German locale on this machine");
    const QString file = writeBook(kenndaten::Kurve::Kv, QStringLiteral("german.xlsx"));
    std::setlocale(LC_NUMERIC, keep.constData());
    const QString parameter = unzip(file, QStringLiteral("xl/worksheets/sheet1.xml"));
    QVERIFY2(cell(parameter, "B6").contains(QStringLiteral("<v>46.4</v>")), qPrintable(cell(parameter, "B6")));
    const QString kv = unzip(file, QStringLiteral("xl/worksheets/sheet2.xml"));
    QVERIFY2(!kv.contains(QRegularExpression(QStringLiteral("<v>-?\\d+,\\d"))), "a decimal comma in the file");
}

void TestCharacteristicWorkbook::overflowingValuesAreErrorsNotNumbers_data()
{
    QTest::addColumn<int>("curve");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QList<int>>("huge"); // the coefficients set to 1e308 (A0 = 0, ..., CxT = 11), the others 0
    QTest::addColumn<QString>("finiteCell");
    QTest::addColumn<QString>("overflowCell");
    // Kv = 40 * 1e308 * y^5: at 50 % 0.03125 * 4e309 = 1.25e308, at 60 % 0.07776 * 4e309 = 3.1e308, beyond.
    QTest::newRow("Kv, a5 = 1e308") << int(kenndaten::Kurve::Kv) << "xl/worksheets/sheet2.xml" << QList<int>{5}
                                    << "B13" << "B14";
    // FL = 1e308 + 1e308 * y: 1e308 when closed, twice that at full opening.
    QTest::newRow("FL, a = b = 1e308") << int(kenndaten::Kurve::FL) << "xl/worksheets/sheet4.xml"
                                       << QList<int>{6, 7} << "B8" << "B18";
}

// A curve value beyond the doubles is written as the error a spreadsheet computes for it, never as "INF", which
// no spreadsheet program reads as a number.
void TestCharacteristicWorkbook::overflowingValuesAreErrorsNotNumbers()
{
    QFETCH(int, curve);
    QFETCH(QString, member);
    QFETCH(QList<int>, huge);
    QFETCH(QString, finiteCell);
    QFETCH(QString, overflowCell);
    kenndaten::Parameter p = shippedValve();
    for (int i = 0; i < 12; ++i)
        p.zelle[static_cast<std::size_t>(6 + i)] = Variant(huge.contains(i) ? 1e308 : 0.0);
    const QString path = dir.filePath(QStringLiteral("overflow.xlsx"));
    QString error;
    QVERIFY2(xlsx::write(kenndaten::arbeitsmappe(p, kenndaten::Kurve(curve)), path, &error), qPrintable(error));
    const QString xml = unzip(path, member);
    QVERIFY(!xml.isEmpty());
    QVERIFY2(!xml.contains(QRegularExpression(QStringLiteral("<v>[^<]*(inf|nan)[^<]*</v>"),
                                              QRegularExpression::CaseInsensitiveOption)),
             qPrintable(xml));
    const QString finite = cell(xml, finiteCell);
    QVERIFY2(std::isfinite(valueOf(finite)) && valueOf(finite) > 1e300, qPrintable(finite));
    const QString overflow = cell(xml, overflowCell);
    QCOMPARE(formulaOf(overflow), formulaOf(cell(xml, finiteCell)).replace(finiteCell.mid(1), overflowCell.mid(1)));
    QVERIFY2(overflow.contains(QStringLiteral("<v>#NUM!</v>")), qPrintable(overflow));
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestCharacteristicWorkbook)
#include "test_characteristic_workbook.moc"
