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
