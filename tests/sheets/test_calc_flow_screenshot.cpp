// The flow sheet inside a main window, rendered offscreen to a PNG for a person to look at: a water case on the
// shipped catalogue in the extended display.
#include "calc_flow_fixture.h"

#include "platform/qt/render_png.h"
#include "units/data_folder.h"

#include <QImage>
#include <QTest>

using namespace flowfixture;

class FlowSheetScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void waterCaseInMainWindow();
};

void FlowSheetScreenshotTest::waterCaseInMainWindow()
{
    const QString seed = QStringLiteral(QUENDRA_SEED_DIR);
    if (!QFileInfo::exists(seed + "/dbKenndaten.mdb") || !QFileInfo::exists(seed + "/dbSprache.mdb"))
        QSKIP("the generated catalogue is missing");
    Fixture f;
    SharedData &s = shared();
    s.dbKenndaten = Database::open(seed + "/dbKenndaten.mdb", Database::Mode::ReadOnly);
    s.dbSchalldaten = Database::open(seed + "/dbSchalldaten.mdb", Database::Mode::ReadOnly);
    openLanguageDatabase(seed + "/dbSprache.mdb");
    setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
    s.Ventiltyp = "4627_71";
    f.openSeries();
    s.DNVentil = "50";
    s.KvsCv = 25;
    s.KD_Version = 6417;
    s.chkDNRohr = 1;
    f.window.setCaption(QStringLiteral("Quendra 9.75 [DEFAULT]"));
    f.window.load();
    f.window.show();
    FrmCalcFlow &sheet = f.load();
    QCOMPARE(f.status(), current());
    QVERIFY(!sheet.Image1.picture().isNull());

    const QString path = QStringLiteral(QUENDRA_TEST_OUTPUT_DIR) + "/sheets_flow_sheet_water.png";
    QFile::remove(path);
    QVERIFY(qtui::renderFormToPng(f.window, path));
    const QImage shot(path);
    QVERIFY(!shot.isNull());
    QVERIFY(shot.width() >= 11400 / kTwipsPerPixel);

    frmCalcFlow().unload();
    f.window.unload();
    closeLanguageDatabase();
    setProgramFolder(QString());
}

QTEST_MAIN(FlowSheetScreenshotTest)
#include "test_calc_flow_screenshot.moc"
