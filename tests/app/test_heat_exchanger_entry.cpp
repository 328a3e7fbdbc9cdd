#include "menu_fixture.h"

#include "tools/heat_exchanger.h"
#include "units/two_locales.h"

// The steam heat exchanger on the real main window and sheets: the tools entry opens it centred and modal, its
// hand-over leaves the sizing sheet loaded with the steam case from either sheet, and a project saved after the
// hand-over and opened again brings the dialog back as it was.

using namespace menufixture;

namespace {

// 1000 kg of water heated by 60 K in 1 h in every column, steam at 6 bar abs. condensing at 2 bar abs.: 69.67 kW,
// 135.5 kg/h.
void zweiBarFall(frmWärmetauscher &w)
{
    w.optWTberechnet.userClick();
    for (TextBox *t : {&w.txtp1min, &w.txtp1norm, &w.txtp1max})
        t->setText(QStringLiteral("6"));
    for (TextBox *t : {&w.txtp2min, &w.txtp2norm, &w.txtp2max})
        t->setText(QStringLiteral("2"));
    for (TextBox *t : {&w.txtMmin, &w.txtMnorm, &w.txtMmax})
        t->setText(QStringLiteral("1000"));
    for (TextBox *t : {&w.txtDeltaTmin, &w.txtDeltaTnorm, &w.txtDeltaTmax})
        t->setText(QStringLiteral("60"));
    w.cmbZeitUnit.userPick(2);
    for (TextBox *t : {&w.txtTaufheizMin, &w.txtTaufheizNorm, &w.txtTaufheizMax})
        t->setText(QStringLiteral("1"));
    w.txtCpMax.setText(testlocale::zahl("4.18"));
}

} // namespace

class TestHeatExchangerEntry : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void initTestCase() { f.initSuite(); }
    void init() { f.start(); }
    void cleanup()
    {
        frmWärmetauscherInstance().unload();
        f.stop();
    }

    void handOverLoadsTheSizingSheet_data();
    void handOverLoadsTheSizingSheet();
    void savedProjectRestoresTheDialog();
};

void TestHeatExchangerEntry::handOverLoadsTheSizingSheet_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<int>("QUnit");
    QTest::newRow("from the sizing sheet, kg/h") << 0 << 0;
    QTest::newRow("from the flow sheet, kg/h") << 1 << 0;
    QTest::newRow("from the sizing sheet, lb./hr.") << 0 << 1;
    QTest::newRow("from the flow sheet, lb./hr.") << 1 << 1;
}

void TestHeatExchangerEntry::handOverLoadsTheSizingSheet()
{
    QFETCH(int, modus);
    QFETCH(int, QUnit);
    if (modus == 1)
        QVERIFY(f.choose(f.w->mnuFlow));
    QCOMPARE(shared().Modus, modus);
    const UnloadWatch vorher(*f.sheet());
    f.ui.setScreenSizeTwips(1920 * 15, 1080 * 15);
    QPoint lage;
    QString strom;
    f.ui.onNextModal([&](Form &form) {
        auto &w = dynamic_cast<frmWärmetauscher &>(form);
        lage = QPoint(w.left(), w.top());
        zweiBarFall(w);
        w.cmbQunit.userPick(QUnit);
        strom = w.lblQmax.caption();
        w.cmdÜbernehmen.userClick();
    });
    QVERIFY(f.choose(f.w->mnuWärmetauscher));

    QCOMPARE(f.ui.modalRuns().value(0), QStringLiteral("frmWärmetauscher"));
    const frmWärmetauscher probe;
    QCOMPARE(lage, QPoint((1920 * 15 - probe.width()) / 2, (1080 * 15 - probe.height()) / 2));
    // 135.5 kg/h; the shown 135.5 / 0.454 lb./hr.
    QCOMPARE(strom, testlocale::zahl(QUnit == 0 ? "135.5" : "298.5"));
    QVERIFY(!frmWärmetauscherInstance().isLoaded());
    QVERIFY(vorher.unloaded());
    QCOMPARE(shared().Modus, 0);
    QVERIFY(!frmCalcFlow().isLoaded());
    QVERIFY(calcSizeSheet().isLoaded());
    const SharedData &d = shared();
    QCOMPARE(d.Medium, 2);
    QCOMPARE(d.Zustand, 2);
    QCOMPARE(d.QUnit, QUnit);
    // The sizing sheet shows the steam case in the dialog's flow unit and has recalculated it.
    Form &sheet = *f.sheet();
    auto *unit = dynamic_cast<ComboBox *>(sheet.control(QStringLiteral("cmbQunit")));
    auto *qmax = dynamic_cast<TextBox *>(sheet.control(QStringLiteral("txtQmax")));
    auto *p2max = dynamic_cast<TextBox *>(sheet.control(QStringLiteral("txtp2max")));
    QVERIFY(unit && qmax && p2max);
    QCOMPARE(unit->items(), QStringList({"kg/h", "lb./hr."}));
    QCOMPARE(unit->text(), QString::fromUtf8(QUnit == 0 ? "kg/h" : "lb./hr."));
    QCOMPARE(Variant(qmax->text()).toDouble(), Variant(strom).toDouble());
    QCOMPARE(Variant(p2max->text()).toDouble(), 2.0);
    QVERIFY2(f.w->StatusBar.text().startsWith(getText(QStringLiteral("Berechnung aktualisiert"), d.Sprache)),
             qPrintable(f.w->StatusBar.text()));
}

void TestHeatExchangerEntry::savedProjectRestoresTheDialog()
{
    f.ui.onNextModal([&](Form &form) {
        auto &w = dynamic_cast<frmWärmetauscher &>(form);
        zweiBarFall(w);
        w.txtMmax.setText(QStringLiteral("1500"));
        w.chkNorm.userClick();
        w.cmbT1unit.userPick(1);
        w.cmbMunit.userPick(1);
        w.cmbZeitUnit.userPick(1);
        w.cmbQunit.userPick(1);
        w.optWTVorgabe.userClick();
        w.txtWTLeistungMin.setText(testlocale::zahl("55.5"));
        w.cmdÜbernehmen.userClick();
    });
    QVERIFY(f.choose(f.w->mnuWärmetauscher));
    // The dialog as the handed-over values show it.
    QStringList uebergeben;
    f.ui.onNextModal([&](Form &form) {
        uebergeben = sheetPicture(form);
        dynamic_cast<frmWärmetauscher &>(form).cmdAbbruch.userClick();
    });
    QVERIFY(f.choose(f.w->mnuWärmetauscher));
    QVERIFY(uebergeben.contains(QStringLiteral("txtWTLeistungMin=") + testlocale::zahl("55.5")));
    QVERIFY(uebergeben.contains(QStringLiteral("cmbQunit=1 lb./hr. kg/h|lb./hr.")));

    const QString datei = QDir(f.projects()).filePath(QStringLiteral("Waermetauscher.vls"));
    f.ui.answerNextFileDialog(datei);
    QVERIFY(f.choose(f.w->mnuSaveAs));
    QVERIFY(QFile::exists(datei));
    // New brings the default project's values back; the project then brings its own.
    QVERIFY(f.choose(f.w->mnuNeu));
    QStringList neu;
    f.ui.onNextModal([&](Form &form) {
        neu = sheetPicture(form);
        dynamic_cast<frmWärmetauscher &>(form).cmdAbbruch.userClick();
    });
    QVERIFY(f.choose(f.w->mnuWärmetauscher));
    QVERIFY(neu != uebergeben);
    f.ui.answerNextFileDialog(datei);
    QVERIFY(f.choose(f.w->mnuOpen));

    QStringList geoeffnet;
    f.ui.onNextModal([&](Form &form) { geoeffnet = sheetPicture(form); });
    QVERIFY(f.choose(f.w->mnuWärmetauscher));
    QCOMPARE(geoeffnet, uebergeben);
}

QTEST_MAIN(TestHeatExchangerEntry)
#include "test_heat_exchanger_entry.moc"
