// The heat-exchanger printout on the recorder: the rows of its three sections with the column rule and the
// formats, the sections present, the bold result row, the page frame, the drawing kept above the footer, long
// header texts; and the page printed into a PDF file and read back.
#include "heat_exchanger_fixture.h"

#include "platform/print/qt_print_back_end.h"
#include "units/data_folder.h"
#include "units/maker_identity.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

using namespace hxfixture;
using reportfixture::Change;
using reportfixture::columnOf;
using reportfixture::heightOf;
using reportfixture::inLines;
using reportfixture::kLine10;
using reportfixture::linesBelowDate;
using reportfixture::row;

Q_DECLARE_METATYPE(Change)

namespace {

const QString kProcessHeading = QStringLiteral("Prozessdaten / Medium: Wasserdampf / Zustandsverhalten: Reales Gas");
const QString kSteam = QStringLiteral("Dampf- Massenstrom");

QString run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestHeatExchangerReport : public QObject {
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void sections_data();
    void sections();
    void resultRowIsBoldAndUnderlined();
    void pageFrame();
    void drawingAboveTheFooter_data();
    void drawingAboveTheFooter();
    void headerTextsAtTheirLimits_data();
    void headerTextsAtTheirLimits();
    void printedToPdf_data();
    void printedToPdf();
};

void TestHeatExchangerReport::rows_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<QStringList>("expected");

    const Change none = [](SharedData &) {};
    const Change minOff = [](SharedData &s) { s.WTDruck_MIN = false; };
    const Change minFlowZero = [](SharedData &s) { s.WTDruck_QMin = QStringLiteral("0"); };
    const Change minFlowNone = [](SharedData &s) { s.WTDruck_QMin = QStringLiteral("--"); };
    const Change maxFlowNone = [](SharedData &s) {
        s.WTDruck_MIN = s.WTDruck_NORM = false;
        s.WTDruck_QMax = QStringLiteral("--");
        s.WTDruck_p1Max = QStringLiteral("--");
        s.WTDruck_rMax = QStringLiteral("--");
    };

    // The rows as the heat-exchanger window shows the steam case: pressures as typed, temperatures with one
    // decimal, times with two, the rest with four significant digits.
    QTest::newRow("heads") << none << "Betriebszustand:" << 0
                           << QStringList{"10:Betriebszustand:", "55:min.", "77:norm.", "99:max."};
    QTest::newRow("p1 as typed") << none << "Vordruck P1" << 0
                                 << QStringList{"10:Vordruck P1", "55:4", "77:" + z("6.0"), "99:" + z("10.00"),
                                                "110:bar,abs."};
    QTest::newRow("p2, gauge unit") << none << "Nachdruck P2" << 0
                                    << QStringList{"10:Nachdruck P2", "55:" + z("2.5"), "77:4", "99:7", "110:bar,ü."};
    QTest::newRow("T1 ####.0: 179.88 gives 179.9")
        << none << "Temperatur T1" << 0
        << QStringList{"10:Temperatur T1", "55:" + z("143.6"), "77:" + z("158.8"), "99:" + z("179.9"), "110:°C"};
    QTest::newRow("mass, four digits") << none << "Menge Flüssigkeit m" << 0
                                       << QStringList{"10:Menge Flüssigkeit m", "55:" + z("850.5"), "77:1200",
                                                      "99:" + z("12.35"), "110:kg"};
    QTest::newRow("heat capacity in the max column only")
        << none << "Wärmekapazität cp" << 0 << QStringList{"10:Wärmekapazität cp", "99:" + z("4.190"), "110:kJ/kg K"};
    QTest::newRow("rise ####.0: 0.5 gives .5")
        << none << "Temperaturdifferenz" << 0
        << QStringList{"10:Temperaturdifferenz", "55:" + z("50.0"), "77:" + z("60.0"), "99:" + z(".5"), "110:°C"};
    QTest::newRow("heating time ####.00: 0.5 gives .50")
        << none << "Aufheizzeit" << 0
        << QStringList{"10:Aufheizzeit", "55:" + z("1.00"), "77:" + z(".50"), "99:" + z("2.40"), "110:h"};
    QTest::newRow("enthalpy") << none << "Verdampfungs- Enthalpie" << 0
                              << QStringList{"10:Verdampfungs- Enthalpie", "55:2133", "77:2086", "99:2015",
                                             "110:kJ/kg"};
    QTest::newRow("power") << none << "Wärmetauscherleistung" << 0
                           << QStringList{"10:Wärmetauscherleistung", "55:" + z("49.48"), "77:" + z("167.6"),
                                          "99:" + z("0.1234"), "110:kW"};
    QTest::newRow("steam mass flow") << none << kSteam << 1
                                     << QStringList{"10:" + kSteam, "55:" + z("83.50"), "77:" + z("289.3"),
                                                    "99:1235", "110:kg/h"};
    // Four digits of 1E-09 ("0,000000001000", 15376 units of Arial's 2048 to the em) pass the max column's room
    // of 11 columns (904 units each) less a blank (569): printed as the window draws it, the unit on its line.
    QTest::newRow("steam mass flow of 1E-09 kg/h") << Change([](SharedData &s) { s.WTDruck_QMax = z("0.000000001"); })
                                                   << kSteam << 1
                                                   << QStringList{"10:" + kSteam, "55:" + z("83.50"),
                                                                  "77:" + z("289.3"), "99:1E-09", "110:kg/h"};
    QTest::newRow("units of other indices")
        << Change([](SharedData &s) {
               s.WTDruck_Munit = 1, s.WTDruck_ZeitUnit = 1, s.WTDruck_QUnit = 1, s.WTDruck_T1Unit = 1;
           })
        << "Aufheizzeit" << 0
        << QStringList{"10:Aufheizzeit", "55:" + z("1.00"), "77:" + z(".50"), "99:" + z("2.40"), "110:min."};
    // The column rule, in every section.
    QTest::newRow("min off: heads stay") << minOff << "Betriebszustand:" << 0
                                         << QStringList{"10:Betriebszustand:", "55:min.", "77:norm.", "99:max."};
    QTest::newRow("min off: process row") << minOff << "Vordruck P1" << 0
                                          << QStringList{"10:Vordruck P1", "77:" + z("6.0"), "99:" + z("10.00"),
                                                         "110:bar,abs."};
    QTest::newRow("min off: liquid row") << minOff << "Menge Flüssigkeit m" << 0
                                         << QStringList{"10:Menge Flüssigkeit m", "77:1200", "99:" + z("12.35"),
                                                        "110:kg"};
    QTest::newRow("min off: steam row") << minOff << kSteam << 1
                                        << QStringList{"10:" + kSteam, "77:" + z("289.3"), "99:1235", "110:kg/h"};
    QTest::newRow("min flow 0: liquid row") << minFlowZero << "Aufheizzeit" << 0
                                            << QStringList{"10:Aufheizzeit", "77:" + z(".50"), "99:" + z("2.40"),
                                                           "110:h"};
    QTest::newRow("min flow --: steam row") << minFlowNone << kSteam << 1
                                            << QStringList{"10:" + kSteam, "77:" + z("289.3"), "99:1235",
                                                           "110:kg/h"};
    QTest::newRow("norm flow negative, min active: no norm")
        << Change([](SharedData &s) { s.WTDruck_QNorm = z("-1.5"); }) << "Wärmetauscherleistung" << 0
        << QStringList{"10:Wärmetauscherleistung", "55:" + z("49.48"), "99:" + z("0.1234"), "110:kW"};
    QTest::newRow("norm off, its flow set: no norm")
        << Change([](SharedData &s) { s.WTDruck_NORM = false; }) << "Nachdruck P2" << 0
        << QStringList{"10:Nachdruck P2", "55:" + z("2.5"), "99:7", "110:bar,ü."};
    // Texts that are no numbers.
    QTest::newRow("max flow --: pressure printed as it stands") << maxFlowNone << "Vordruck P1" << 0
                                                                << QStringList{"10:Vordruck P1", "99:--", "110:bar,abs."};
    QTest::newRow("max flow --: four digits of -- are empty") << maxFlowNone << kSteam << 1
                                                              << QStringList{"10:" + kSteam, "110:kg/h"};
    QTest::newRow("max flow 0: max printed") << Change([](SharedData &s) { s.WTDruck_QMax = QStringLiteral("0"); })
                                             << kSteam << 1
                                             << QStringList{"10:" + kSteam, "55:" + z("83.50"), "77:" + z("289.3"),
                                                            "99:0", "110:kg/h"};
    QTest::newRow("#### patterns leave -- as it stands")
        << Change([](SharedData &s) {
               s.WTDruck_T1Norm = QStringLiteral("--"), s.WTDruck_TaufheizMin = QStringLiteral("--");
           })
        << "Aufheizzeit" << 0 << QStringList{"10:Aufheizzeit", "55:--", "77:" + z(".50"), "99:" + z("2.40"), "110:h"};

    // Labels in the print language, gauge units in the screen language.
    QTest::newRow("English labels, German gauge unit")
        << Change([](SharedData &s) { s.SpracheDruck = 1; }) << "Outlet pressure P2" << 0
        << QStringList{"10:Outlet pressure P2", "55:" + z("2.5"), "77:4", "99:7", "110:bar,ü."};
    QTest::newRow("French: suffixes and fixed units untranslated")
        << Change([](SharedData &s) { s.SpracheDruck = 2; }) << "Capacité thermique cp" << 0
        << QStringList{"10:Capacité thermique cp", "99:" + z("4.190"), "110:kJ/kg K"};
}

void TestHeatExchangerReport::rows()
{
    reportfixture::checkRowAfterChange<Fixture>([](Fixture &fx, int language) -> const RecordedDocument & {
        return fx.printHx([language](frmDruck_WTauscher &f) { f.cmbSprache.setListIndex(language); });
    });
}

void TestHeatExchangerReport::sections_data()
{
    QTest::addColumn<Variant>("WTcalc");
    QTest::addColumn<bool>("liquid");
    QTest::addColumn<double>("steamHeading"); // lines below the process heading

    // Process data: heading, rule line, heads, empty, three rows, empty (8 lines); liquid: heading, rule line,
    // four rows, empty (7).
    QTest::newRow("computed power: liquid data") << Variant(true) << true << 15.0;
    QTest::newRow("given power: none") << Variant(false) << false << 8.0;
    QTest::newRow("empty: none") << Variant() << false << 8.0;
}

void TestHeatExchangerReport::sections()
{
    QFETCH(Variant, WTcalc);
    QFETCH(bool, liquid);
    QFETCH(double, steamHeading);
    Fixture fx;
    shared().WTDruck_WTcalc = WTcalc;
    const RecordedDocument &d = fx.printHx();
    QCOMPARE(d.find(QStringLiteral("Flüssigkeit")) != nullptr, liquid);
    QCOMPARE(d.find(QStringLiteral("Wärmekapazität cp")) != nullptr, liquid);
    const double process = heightOf(d, kProcessHeading);
    QVERIFY(process > 0);
    QCOMPARE(inLines(heightOf(d, kSteam) - process), steamHeading);
    // Every heading is bold at column 10 with a rule along the top of the line under it.
    for (const QString &heading : {kProcessHeading, QStringLiteral("Flüssigkeit"), kSteam}) {
        const RecordedText *t = d.find(heading);
        if (!t)
            continue;
        QVERIFY(t->font.bold);
        QCOMPARE(columnOf(*t), 10);
        bool rule = false;
        for (const RecordedLine &l : d.lines)
            rule |= std::abs(l.y1 - (t->y + kLine10)) < 1e-9 && l.x1 == 14.0 && l.x2 == 200.0 && l.y2 == l.y1;
        QVERIFY2(rule, qPrintable(heading));
    }
    QCOMPARE(d.pages, 1);
}

void TestHeatExchangerReport::resultRowIsBoldAndUnderlined()
{
    Fixture fx;
    const RecordedDocument &d = fx.printHx();
    const RecordedText *label = nullptr;
    for (const RecordedText &t : d.texts)
        if (t.text == kSteam && columnOf(t) == 10)
            label = &t; // the last: the row after the heading
    QVERIFY(label);
    int bold = 0;
    for (const RecordedText &t : d.texts) {
        if (std::abs(t.y - label->y) < 1e-9) {
            QVERIFY2(t.font.bold, qPrintable(t.text));
            ++bold;
        } else if (t.y > label->y && t.font.size == 10.0) {
            QVERIFY2(!t.font.bold, qPrintable(t.text));
        }
    }
    QCOMPARE(bold, 5);
    // The rows before it stay regular.
    QVERIFY(!d.find(QStringLiteral("Wärmetauscherleistung"))->font.bold);
    QVERIFY(!d.find(QStringLiteral("kW"))->font.bold);
    // The rule directly under the row, then one line more before the drawing's gap of 10 mm.
    bool rule = false;
    for (const RecordedLine &l : d.lines)
        rule |= std::abs(l.y1 - (label->y + kLine10)) < 1e-9 && l.x1 == 14.0 && l.x2 == 200.0;
    QVERIFY(rule);
    QCOMPARE(d.pictures.size(), std::size_t(2));
    QVERIFY(std::abs(d.pictures[1].place.top() - (label->y + 2 * kLine10 + 10)) < 1e-9);
    QCOMPARE(d.pictures[1].place.left(), 15.0);
}

void TestHeatExchangerReport::pageFrame()
{
    Fixture fx;
    const RecordedDocument &d = fx.printHx();
    QCOMPARE(d.pages, 1);
    QVERIFY(d.ended);
    const RecordedText *title = d.find(QStringLiteral("Berechnung Wärmetauscher (Dampf)"));
    QVERIFY(title);
    QCOMPARE(columnOf(*title), 10);
    QCOMPARE(title->y, 10.0);
    QVERIFY(title->font.bold && title->font.size == 12.0);
    QCOMPARE(title->font.name, QStringLiteral("ARIAL"));
    // The footer at 265 mm.
    const QString by = QStringLiteral("Quendra 9.75 / Berechnet von Tester");
    QCOMPARE(row(d, by), (QStringList{"10:" + by, "90:" + maker::productWeb}));
    QVERIFY(std::abs(heightOf(d, maker::company) - 265.0) < 1e-9);

    // The title in the print language.
    const RecordedDocument &english =
        fx.printHx([](frmDruck_WTauscher &f) { f.cmbSprache.setListIndex(1); });
    QVERIFY(english.find(QStringLiteral("Heat exchanger calculation (steam)")));
    QVERIFY(english.find(QStringLiteral("Quendra 9.75 / Calculated by Tester")));
}

void TestHeatExchangerReport::drawingAboveTheFooter_data()
{
    QTest::addColumn<int>("infoLines");
    QTest::addColumn<double>("top");    // lines of 10 points below the date line, on its page
    QTest::addColumn<double>("height"); // mm; the width keeps the proportion 3:2
    QTest::addColumn<int>("page");

    // Info of n lines: the process heading n + 4 lines below the date line, the drawing's line n + 25 (8 process,
    // 7 liquid, 6 steam lines), and 10 mm below that: 18.93 + 4.057 (n + 25) + 10 mm. Its own height 50.8 mm
    // fits above 265 mm up to n = 20.
    QTest::newRow("20 lines: own size, ends at 262.3 mm") << 20 << 45.0 << 50.8 << 1;
    QTest::newRow("21 lines: scaled to end at 265 mm") << 21 << 46.0 << 265.0 - (18.925 + 46 * 4.0566 + 10) << 1;
    QTest::newRow("30 lines: scaled to 0.255") << 30 << 55.0 << 265.0 - (18.925 + 55 * 4.0566 + 10) << 1;
    QTest::newRow("31 lines: below a quarter, next page at its own size") << 31 << 0.0 << 50.8 << 2;
}

void TestHeatExchangerReport::drawingAboveTheFooter()
{
    QFETCH(int, infoLines);
    QFETCH(double, top);
    QFETCH(double, height);
    QFETCH(int, page);
    Fixture fx;
    QStringList info;
    for (int i = 0; i < infoLines; ++i)
        info << QStringLiteral("Z%1").arg(i);
    const RecordedDocument &d =
        fx.printHx([&](frmDruck_WTauscher &f) { f.txtInfo.setText(info.join(QLatin1Char('\n'))); });
    QCOMPARE(d.pages, page);
    QCOMPARE(d.pictures.size(), std::size_t(page == 1 ? 2 : 3));
    const RecordedPicture &drawing = d.pictures.back();
    QCOMPARE(drawing.page, page);
    QCOMPARE(drawing.place.left(), 15.0);
    QCOMPARE(linesBelowDate(drawing.place.top() - 10.0), top);
    QVERIFY2(std::abs(drawing.place.height() - height) < 0.002, qPrintable(QString::number(drawing.place.height())));
    QVERIFY(std::abs(drawing.place.width() / drawing.place.height() - 1.5) < 1e-9);
    QVERIFY(drawing.place.bottom() <= 265.0 + 1e-9);
    QVERIFY(drawing.place.height() >= 50.8 / 4);
    // A new page carries the page header; the footer follows the drawing on its page.
    if (page == 2)
        QCOMPARE(d.pictures[1].place, QRectF(182, 4, 10, 10));
    QCOMPARE(d.find(maker::company)->page, page);
    for (const RecordedText &t : d.texts)
        if (t.page == page && t.font.size == 10.0)
            QVERIFY2(t.y + kLine10 <= 265.0, qPrintable(t.text));
}

void TestHeatExchangerReport::headerTextsAtTheirLimits_data()
{
    QTest::addColumn<bool>("manyLines");
    QTest::addColumn<int>("pages");
    QTest::newRow("every field full of words: one page") << false << 1;
    QTest::newRow("Info of 85 lines: on to a second page") << true << 2;
}

void TestHeatExchangerReport::headerTextsAtTheirLimits()
{
    // Fields at their limits: nothing passes the rules' right end, and the drawing and every row end above the
    // footer on the footer's page. Only header texts of many lines reach a second page.
    QFETCH(bool, manyLines);
    QFETCH(int, pages);
    Fixture fx;
    const QString words = QStringLiteral("Dampfleitung Nord Heizhaus ");
    const QString full = words.repeated(20).left(255);
    const RecordedDocument &d = fx.printHx([&](frmDruck_WTauscher &f) {
        if (manyLines) {
            f.txtInfo.setText(QStringLiteral("a\r\n").repeated(85));
            return;
        }
        f.txtInfo.setText(full);
        f.txtFirma.setText(full);
        f.txtBetrifft.setText(full);
        f.txtPosition.setText(QString(63, QLatin1Char('W')));
        f.txtMStelle.setText(full);
    });
    QCOMPARE(d.pages, pages);
    for (const RecordedText &t : d.texts)
        QVERIFY2(t.x + printmetrics::textWidth(t.font, t.text) <= 200.0 + 1e-6, qPrintable(t.text));
    const RecordedPicture &drawing = d.pictures.back();
    QCOMPARE(drawing.page, pages);
    QVERIFY(drawing.place.bottom() <= 265.0 + 1e-9);
    QCOMPARE(d.find(maker::company)->page, pages);
    for (const RecordedText &t : d.texts)
        if (t.page == pages && t.font.size == 10.0)
            QVERIFY2(t.y + kLine10 <= 265.0 + 1e-9, qPrintable(t.text));
    if (manyLines)
        return;
    // The Messstelle of 255 characters (some 470 mm of text) wraps at column 33 into four lines of at most
    // 130 mm and loses no word.
    const RecordedText *mstelle = d.find(QStringLiteral("Messstelle:"));
    QVERIFY(mstelle);
    QStringList pointLines;
    for (const RecordedText &t : d.texts)
        if (columnOf(t) == 33 && t.y >= mstelle->y - 1e-9 && t.y < heightOf(d, kProcessHeading))
            pointLines << t.text;
    QCOMPARE(pointLines.size(), 4);
    QCOMPARE(pointLines.join(QLatin1Char(' ')), full.trimmed());
}

void TestHeatExchangerReport::printedToPdf_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("infoLines"); // besides the two of the offer
    QTest::newRow("offer") << "heat_exchanger" << 0;
    QTest::newRow("Info of 23 lines: the drawing scaled") << "heat_exchanger_long_header" << 21;
}

void TestHeatExchangerReport::printedToPdf()
{
    QFETCH(QString, name);
    QFETCH(int, infoLines);
    Fixture fx;
    QtPrintBackEnd qt;
    PrintBackEndScope scope(qt);
    const QString folder = QStringLiteral(QUENDRA_TEST_OUTPUT_DIR) + QStringLiteral("/reports");
    QDir().mkpath(folder);
    const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".pdf");
    QFile::remove(file);
    QVERIFY(selectPrinter(QStringLiteral("PDF")));
    fx.ui.answerNextFileDialog(file);
    frmDruck_WTauscher &f = fx.openDialog();
    QString info = QStringLiteral("Angebot 2024-117\r\nRevision B");
    for (int i = 1; i <= infoLines; ++i)
        info += QStringLiteral("\r\nAnlage %1").arg(i);
    f.txtInfo.setText(info);
    f.txtFirma.setText(QStringLiteral("Stadtwerke Musterstadt"));
    f.txtBetrifft.setText(QStringLiteral("Dampf-Wärmetauscher Warmwasserbereitung"));
    f.txtPosition.setText(QStringLiteral("Pos. 12"));
    f.txtMStelle.setText(QStringLiteral("TIC 4711"));
    f.cmdOK.userClick();
    formruntime::collect();
    QVERIFY2(fx.ui.messages().empty(), fx.ui.messages().empty() ? "" : qPrintable(fx.ui.messages()[0].text));

    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    for (const QString &t :
         {QStringLiteral("Berechnung Wärmetauscher (Dampf)"), kProcessHeading, QStringLiteral("Stadtwerke Musterstadt"),
          QStringLiteral("Wärmekapazität cp"), QStringLiteral("kJ/kg K"), QStringLiteral("Dampf- Massenstrom"),
          z("179.9"), z(".50"), QStringLiteral("Quendra 9.75 / Berechnet von Tester"), maker::company})
        QVERIFY2(text.contains(t), qPrintable(t + QStringLiteral("\n---\n") + text));
    QCOMPARE(text.count(QLatin1Char('\f')), 1);
    // The page as a picture for a person to look at.
    const QString png = folder + QLatin1Char('/') + name;
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"), file, png});
    QVERIFY(QFile::exists(png + QStringLiteral("-1.png")));
}

QTEST_MAIN(TestHeatExchangerReport)
#include "test_heat_exchanger_report.moc"
