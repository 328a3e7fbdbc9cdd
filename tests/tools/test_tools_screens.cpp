#include "tools_fixture.h"

#include "heat_exchanger_fixture.h"

#include "platform/qt/qt_table_curve_display.h"
#include "platform/qt/render_png.h"
#include "support/program_state.h"
#include "tools/characteristic_display.h"
#include "units/texts.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <cmath>
#include <limits>

// The user-defined valve dialog, the heat-exchanger dialog and the characteristic window as the renderer draws them,
// saved as pictures for a person to look at (the layout test measures the dialogs' captions), and the
// characteristic window's widgets.

using toolsfixture::Fixture;

namespace {

const char *const kLanguages[6] = {"de", "en", "fr", "it", "es", "cs"};

QString shot(const QString &name)
{
    return QStringLiteral(QUENDRA_TEST_OUTPUT_DIR "/") + name;
}

} // namespace

class TestToolsScreens : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void init()
    {
        f.start();
        testsupport::openShippedTexts();
    }
    void cleanup() { f.stop(); }
    void cleanupTestCase() { testsupport::closeShippedTexts(); }

    void dialogInThreeLanguages_data();
    void dialogInThreeLanguages();
    void characteristicWindowShowsTableAndCurve_data();
    void characteristicWindowShowsTableAndCurve();
    void anyFiniteTablePaintsWithFewTicks_data();
    void anyFiniteTablePaintsWithFewTicks();
    void heatExchangerTwoBarCase_data();
    void heatExchangerTwoBarCase();
};

void TestToolsScreens::dialogInThreeLanguages_data()
{
    QTest::addColumn<int>("sprache");
    for (int i : {0, 2, 5})
        QTest::newRow(kLanguages[i]) << i;
}

void TestToolsScreens::dialogInThreeLanguages()
{
    QFETCH(int, sprache);
    SharedData &d = shared();
    d.Sprache = sprache;
    d.Kennlinie = 1;
    frmBenutzerdefiniert &w = f.open();
    QCOMPARE(w.caption(), getText(QStringLiteral("Benutzerdefiniertes Ventil"), sprache));
    const QString path = shot(QStringLiteral("tools_user_defined_valve_%1.png").arg(kLanguages[sprache]));
    QFile::remove(path);
    QVERIFY(qtui::renderFormToPng(w, path));
    const QImage image(path);
    QCOMPARE(image.width(), w.width() / kTwipsPerPixel);
}

void TestToolsScreens::characteristicWindowShowsTableAndCurve_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<int>("columns");
    QTest::newRow("Kv") << "Kv" << 3;
    QTest::newRow("FL") << "FL" << 2;
}

void TestToolsScreens::characteristicWindowShowsTableAndCurve()
{
    QFETCH(QString, art);
    QFETCH(int, columns);
    toolsfixture::chooseUserValve();

    // The desktop's window, shown twice: one window, the second content in it.
    QtTableCurveDisplay display;
    {
        TableCurveDisplayScope scope(display);
        show_Kenndaten_Excel(Variant(QStringLiteral("xT")));
        QWidget *first = display.window();
        QVERIFY(first);
        show_Kenndaten_Excel(Variant(art));
        QCOMPARE(display.window(), first);
        QCOMPARE(first->windowTitle(),
                 getText(art == QLatin1String("FL") ? QStringLiteral("Anzeige Druckrückgewinn-Faktor FL")
                                                    : QStringLiteral("Anzeige Kennlinie"),
                         0));
        auto *table = first->findChild<QTableWidget *>();
        QVERIFY(table);
        QCOMPARE(table->columnCount(), columns);
        QCOMPARE(table->rowCount(), 11);
        QCOMPARE(table->item(5, 0)->text(), QStringLiteral("50"));
        auto *save = first->findChild<QPushButton *>();
        QVERIFY(save && !save->isHidden());
        QCOMPARE(save->text(), QStringLiteral("Arbeitsmappe speichern"));
        // The button runs the save: a cancelled file dialog writes nothing.
        save->click();
        QCOMPARE(f.ui.fileRequests().size(), std::size_t(1));
    }

    const kenndaten::Kurve k = *kenndaten::kurveAus(Variant(art));
    const QImage image = qtui::renderTableCurve(kenndaten::anzeige(kenndaten::parameterZellen(k), k, [] {}));
    QVERIFY(image.width() >= 500 && image.height() >= 300);
    const QString path = shot(QStringLiteral("tools_characteristic_%1.png").arg(art));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY(image.save(path, "PNG"));
}

void TestToolsScreens::anyFiniteTablePaintsWithFewTicks_data()
{
    // A valve's curve from the characteristic display (art, Kvs, the twelve coefficients A0 to CxT), or a table
    // of its own (points).
    QTest::addColumn<QString>("art");
    QTest::addColumn<double>("kvs");
    QTest::addColumn<QList<double>>("coefficients");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QString>("xTop"); // label of the last tick of each axis, in C notation
    QTest::addColumn<QString>("yBottom");
    QTest::addColumn<QString>("yTop");
    QTest::addColumn<bool>("line"); // a line is drawn (two finite points in a row)
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const QList<double> none;
    const QList<QPointF> own;
    // Kv = 12.5 * 1e308 * y^5, finite up to 67 %: 12.5e308 * 0.135013 = 1.6877e308, with a twentieth of room
    // 1.772e308: nine steps of 2E+307 up to 1.8E+308 (a top line beyond the largest double).
    QTest::newRow("Kv, a5 near 1e308") << "Kv" << 12.5 << QList<double>{0, 0, 0, 0, 0, 1e308, 0.8, 0, 0, 0.6, 0, 0}
                                       << own << "100" << "0" << "1.8E+308" << true;
    // FL 1.7e308 everywhere, with room 1.785e308: up to 1.8E+308 as well.
    QTest::newRow("FL near the largest double")
        << "FL" << 12.5 << QList<double>{0, 1, 0, 0, 0, 0, 1.7e308, 0, 0, 0.6, 0, 0} << own << "100" << "0"
        << "1.8E+308" << true;
    // xT from -1.7e308 (closed) to 1.7e308 (open); the room above passes the largest double, which stands in:
    // -1.7 to 1.797 units of 1e308, steps of 0.5.
    QTest::newRow("xT from -1.7e308 to 1.7e308")
        << "xT" << 12.5 << QList<double>{0, 1, 0, 0, 0, 0, 0.8, 0, 0, -1.7e308, 1.7e308, 1.7e308} << own << "100"
        << "-2E+308" << "2E+308" << true;
    // Kv = 12.5 * 1e-321 * y, denormal: 1.248e-320 at 100 %, with room 1.31e-320, steps of 2E-321.
    QTest::newRow("Kv, tiny") << "Kv" << 12.5 << QList<double>{0, 1e-321, 0, 0, 0, 0, 0.8, 0, 0, 0.6, 0, 0} << own
                              << "100" << "0" << "1.4E-320" << true;
    // A flat FL of -3 (no room above a negative maximum): -3 to 0 in steps of 0.5.
    QTest::newRow("all equal, negative") << "FL" << 12.5 << QList<double>{0, 1, 0, 0, 0, 0, -3, 0, 0, 0.6, 0, 0}
                                         << own << "100" << "-3.0" << "0.0" << true;
    QTest::newRow("all zero") << "FL" << 12.5 << QList<double>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0.6, 0, 0} << own << "100"
                              << "0.0" << "1.0" << true;
    // One point: 0 to 50 in tens; 7.5 with room 7.875, up to 8 in ones; nothing to join.
    QTest::newRow("a single row") << "" << 0.0 << none << QList<QPointF>{{50, 7.5}} << "50" << "0" << "8" << false;
    // Only 2.5, 5 and 5 count: up to 5.25, in ones to 6; the line joins the last two.
    QTest::newRow("not a number and infinite")
        << "" << 0.0 << none << QList<QPointF>{{0, nan}, {10, inf}, {20, 2.5}, {30, -inf}, {40, 5}, {50, 5}, {nan, 1}}
        << "50" << "0" << "6" << true;
    // Openings up to 1.7e308: nine steps of 2E+307; the values 1 and 2 with room 2.1, in halves to 2.5.
    QTest::newRow("huge openings") << "" << 0.0 << none << QList<QPointF>{{0, 1}, {1.7e308, 2}} << "1.8E+308" << "0.0"
                                   << "2.5" << true;
}

// Whatever finite numbers a valve or a table holds, the window's scales have a handful of ticks and it paints its
// curve. The tick count is checked before painting, so that a scale without end fails here instead of hanging.
void TestToolsScreens::anyFiniteTablePaintsWithFewTicks()
{
    QFETCH(QString, art);
    QFETCH(double, kvs);
    QFETCH(QList<double>, coefficients);
    QFETCH(QList<QPointF>, points);
    QFETCH(QString, xTop);
    QFETCH(QString, yBottom);
    QFETCH(QString, yTop);
    QFETCH(bool, line);

    TableCurve t;
    if (!art.isEmpty()) {
        toolsfixture::chooseUserValve();
        SharedData &d = shared();
        d.KvsCv = static_cast<float>(kvs);
        Variant *targets[12] = {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5,
                                &d.AFL, &d.BFL, &d.CFL, &d.AxT, &d.BxT, &d.CxT};
        for (int i = 0; i < 12; ++i)
            *targets[i] = Variant(coefficients[i]);
        // Through the menu's road: no spreadsheet program, so the program's own window.
        show_Kenndaten_Excel(Variant(art));
        QCOMPARE(f.curves.shown().size(), std::size_t(1));
        t = f.curves.shown().back();
        QCOMPARE(t.curve.size(), std::size_t(101));
    } else {
        t.caption = QStringLiteral("Tabelle");
        t.columnTitles = {QStringLiteral("x"), QStringLiteral("y")};
        for (const QPointF &pt : points) {
            t.rows.push_back({QString::number(pt.x()), QString::number(pt.y())});
            t.curve.emplace_back(pt.x(), pt.y());
        }
    }

    const CurveScales scales = curveScales(t.curve);
    for (const AxisScale *s : {&scales.x, &scales.y}) {
        const double steps = (s->hi - s->lo) / s->step;
        QVERIFY2(std::isfinite(steps) && steps >= 1 && steps <= 12,
                 qPrintable(QStringLiteral("%1 to %2 in steps of %3 (10^%4)")
                                .arg(s->lo)
                                .arg(s->hi)
                                .arg(s->step)
                                .arg(s->exponent)));
    }
    QCOMPARE(scales.x.label(scales.x.steps()), testlocale::zahl(qPrintable(xTop)));
    QCOMPARE(scales.y.label(0), testlocale::zahl(qPrintable(yBottom)));
    QCOMPARE(scales.y.label(scales.y.steps()), testlocale::zahl(qPrintable(yTop)));

    const QImage image = qtui::renderTableCurve(t).convertToFormat(QImage::Format_RGB32);
    QVERIFY(image.width() >= 240 && image.height() >= 180);
    // The curve's own blue.
    int curvePixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            curvePixels += image.pixel(x, y) == qRgb(0, 70, 160) ? 1 : 0;
    if (line)
        QVERIFY2(curvePixels >= 20, qPrintable(QString::number(curvePixels)));
    else
        QCOMPARE(curvePixels, 0);
    const QString path = shot(QStringLiteral("tools_characteristic_extreme_%1.png")
                                  .arg(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '),
                                                                                             QLatin1Char('_'))));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY(image.save(path, "PNG"));
}

void TestToolsScreens::heatExchangerTwoBarCase_data()
{
    QTest::addColumn<int>("sprache");
    for (int i : {0, 1})
        QTest::newRow(kLanguages[i]) << i;
}

// Steam at 6 bar abs. condensing at 2 bar abs.: 1000 kg of water heated by 60 K in 1 h need 69.67 kW and
// 135.5 kg/h of steam; the min column is switched off.
void TestToolsScreens::heatExchangerTwoBarCase()
{
    QFETCH(int, sprache);
    SharedData &d = shared();
    hxtools::steamCase(d);
    d.Sprache = sprache;
    d.MIN = false;
    d.p1Norm = d.p1Max = 6;
    d.p2Norm = d.p2Max = 2;
    d.Mmax = 1000;
    d.DeltaTMax = 60;
    d.TaufheizMax = 1;
    frmWärmetauscher &w = frmWärmetauscherInstance().get();
    QCOMPARE(w.lblQmax.caption(), testlocale::zahl("135.5"));
    const QString path = shot(QStringLiteral("tools_heat_exchanger_2bar_%1.png").arg(kLanguages[sprache]));
    QFile::remove(path);
    QVERIFY(qtui::renderFormToPng(w, path));
    const QImage image(path);
    QCOMPARE(image.width(), w.width() / kTwipsPerPixel);
    frmWärmetauscherInstance().unload();
    formruntime::collect();
}

QTEST_MAIN(TestToolsScreens)
#include "test_tools_screens.moc"
