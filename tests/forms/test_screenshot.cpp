// Renders a main window with a sheet offscreen to a PNG under the build tree, for a person to look at.
#include "platform/forms/forms.h"
#include "platform/qt/render_png.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

class MainWindow : public Form {
public:
    Menu mnuDatei{this, "mnuDatei"};
    Menu mnuNeu{&mnuDatei, "mnuNeu"};
    Menu mnuModus{this, "mnuModus"};
    Menu mnuDimens{&mnuModus, "mnuDimens"};
    Menu mnuEinheiten{this, "mnuEinheiten"};
    Menu mnuDruck{&mnuEinheiten, "mnuDruck"};
    ::StatusBar StatusBar{this, "StatusBar"};

    MainWindow() : Form("frmMDIMain")
    {
        setKind(Kind::MdiParent);
        move(0, 0, 11850, 9000);
        setCaption("Quendra 9.75 [DEFAULT]");
        mnuDatei.setCaption("&Datei");
        mnuNeu.setCaption("&Neu");
        mnuModus.setCaption("&Modus");
        mnuDimens.setCaption("Dimensionierung");
        mnuEinheiten.setCaption("&Einheiten");
        mnuDruck.setCaption("Druck");
        StatusBar.setText("Berechnung nicht aktualisiert: TAB ->|");
    }
};

// The top of a sizing sheet: the process-data block and the start of the valve block.
class Sheet : public Form {
public:
    Shape Shape1{this, "Shape1"};
    Label lblProzessdaten{this, "lblProzessdaten"};
    CheckBox chkMin{this, "chkMin"};
    CheckBox chkNorm{this, "chkNorm"};
    Label lblMax{this, "lblMax"};
    Label lblP1{this, "lblP1"};
    TextBox txtp1min{this, "txtp1min"};
    TextBox txtp1norm{this, "txtp1norm"};
    TextBox txtp1max{this, "txtp1max"};
    ComboBox cmbP1unit{this, "cmbP1unit"};
    Label lblT1{this, "lblT1"};
    TextBox txtT1max{this, "txtT1max"};
    ComboBox cmbT1unit{this, "cmbT1unit"};
    Image Image1{this, "Image1"};
    Frame frameKennlinie{this, "frameKennlinie"};
    OptionButton optLinear{&frameKennlinie, "optLinear"};
    OptionButton optGleichprozentig{&frameKennlinie, "optGleichprozentig"};
    OptionButton optAufZu{&frameKennlinie, "optAufZu"};
    Label lblStellverhaeltnis{this, "lblStellverhaeltnis"};
    Label lblSTVmax{this, "lblSTVmax"};
    Line Line1{this, "Line1"};

    Sheet() : Form("frmCalcSize")
    {
        setKind(Kind::MdiChild);
        move(0, 0, 11400, 6000);
        setCaption("Modus Dimensionierung");
        Shape1.move(120, 240, 11055, 1935);
        lblProzessdaten.move(240, 120, 7000, 240);
        lblProzessdaten.setCaption(QString::fromUtf8(
            "Prozessdaten / Medium: Wasser / Zustandsverhalten: Flüssigkeit"));
        lblProzessdaten.setFontBold(true);
        lblProzessdaten.setOpaque(true);
        lblProzessdaten.setBackColor(colors::ButtonFace);
        chkMin.move(3840, 360, 1095, 255);
        chkMin.setCaption("min.");
        chkMin.setValue(1);
        chkNorm.move(5400, 360, 1095, 255);
        chkNorm.setCaption("norm.");
        lblMax.move(6960, 360, 1095, 255);
        lblMax.setCaption("max.");
        lblP1.move(240, 720, 3400, 285);
        lblP1.setCaption("Vordruck P1");
        lblP1.setFontBold(true);
        txtp1min.move(3840, 720, 1095, 285);
        txtp1min.setText("8");
        txtp1norm.move(5400, 720, 1095, 285);
        txtp1norm.setVisible(false);
        txtp1max.move(6960, 720, 1095, 285);
        txtp1max.setText("10,5");
        cmbP1unit.move(8280, 720, 1335, 315);
        cmbP1unit.setStyle(ComboBox::Style::DropdownList);
        for (const char *u : {"bar,abs.", "bar,ü.", "psia"})
            cmbP1unit.addItem(QString::fromUtf8(u));
        cmbP1unit.setListIndex(0);
        lblT1.move(240, 1080, 3400, 285);
        lblT1.setCaption("Temperatur T1");
        lblT1.setFontBold(true);
        txtT1max.move(6960, 1080, 1095, 285);
        txtT1max.setText("150,3");
        cmbT1unit.move(8280, 1080, 1335, 315);
        cmbT1unit.setStyle(ComboBox::Style::DropdownList);
        cmbT1unit.addItem(QString::fromUtf8("°C"));
        cmbT1unit.addItem("F");
        cmbT1unit.setListIndex(0);
        Image1.move(9720, 360, 1335, 1695);
        frameKennlinie.move(120, 2400, 3600, 1300);
        frameKennlinie.setCaption("Kennlinie");
        optLinear.move(120, 300, 3000, 255);
        optLinear.setCaption("(mod.) linear");
        optGleichprozentig.move(120, 600, 3000, 255);
        optGleichprozentig.setCaption("gleich%");
        optGleichprozentig.setValue(true);
        optAufZu.move(120, 900, 3000, 255);
        optAufZu.setCaption("Auf/Zu");
        optAufZu.setEnabled(false);
        lblStellverhaeltnis.move(240, 4440, 3400, 195);
        lblStellverhaeltnis.setCaption(QString::fromUtf8("Stellverhältnis"));
        lblSTVmax.move(6960, 4440, 1095, 195);
        lblSTVmax.setCaption("12,3:1");
        lblSTVmax.setForeColor(colors::Red);
        lblSTVmax.setFontBold(true);
        Line1.setPoints(120, 5520, 11175, 5520);
    }
};

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void mainWindowWithSheet();
    void missingPictureLeavesNoPicture();
};

void ScreenshotTest::mainWindowWithSheet()
{
    // A valve picture as a JPEG file, loaded as the sheet loads its series picture.
    QTemporaryDir dir;
    QImage valve(89, 113, QImage::Format_RGB32);
    valve.fill(Qt::white);
    {
        QPainter p(&valve);
        p.setBrush(QColor(40, 90, 160));
        p.drawRect(20, 40, 49, 50);
        p.drawRect(40, 5, 9, 35);
    }
    const QString jpg = dir.filePath("3241.jpg");
    QVERIFY(valve.save(jpg, "JPG"));

    MainWindow main;
    main.load();
    main.show();
    Sheet sheet;
    QVERIFY(sheet.Image1.loadPicture(jpg));
    QCOMPARE(sheet.Image1.picture().size(), QSize(89, 113));
    sheet.load();

    const QString path = QStringLiteral(QUENDRA_TEST_OUTPUT_DIR) + "/forms_main_window_with_sheet.png";
    QFile::remove(path);
    QVERIFY(qtui::renderFormToPng(main, path));
    const QImage shot(path);
    QVERIFY(!shot.isNull());
    QCOMPARE(shot.width(), 11850 / kTwipsPerPixel);
    QCOMPARE(shot.height(), 9000 / kTwipsPerPixel);
    // The red bold rangeability cell is drawn: some pixels are pure-ish red.
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                ++red;
        }
    QVERIFY(red > 10);

    const QString sheetPath = QStringLiteral(QUENDRA_TEST_OUTPUT_DIR) + "/forms_sheet.png";
    QVERIFY(qtui::renderFormToPng(sheet, sheetPath));
    QCOMPARE(QImage(sheetPath).size(), QSize(760, 400));
    sheet.unload();
    main.unload();
}

void ScreenshotTest::missingPictureLeavesNoPicture()
{
    Sheet sheet;
    QVERIFY(!sheet.Image1.loadPicture("/no/such/folder/9999.jpg"));
    QVERIFY(sheet.Image1.picture().isNull());
    QVERIFY(!sheet.Image1.loadPicture(QString()));
    QTemporaryDir dir;
    QFile f(dir.filePath("broken.jpg"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    QVERIFY(!sheet.Image1.loadPicture(f.fileName()));
    QVERIFY(qtui::renderForm(sheet).width() > 0); // draws without a picture
}

QTEST_MAIN(ScreenshotTest)
#include "test_screenshot.moc"
