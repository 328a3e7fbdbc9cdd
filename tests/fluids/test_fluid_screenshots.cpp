// The fluid dialogs rendered offscreen for a person to look at: German, with a chosen entry, a new entry, a
// mixture of two gases, and the fluid-data wizard after a calculation. (Whether every caption fits in the six
// languages is the layout test's.)
#include "wizard_fixture.h"
#include "platform/qt/render_png.h"

using namespace wizardfixture;

class TestFluidScreenshots : public QObject {
    Q_OBJECT
    WizardFixture f;

    QString shot(const QString &name) const
    {
        return QStringLiteral(QUENDRA_TEST_OUTPUT_DIR) + QStringLiteral("/fluids_") + name + QStringLiteral(".png");
    }

private slots:
    void initTestCase() { f.initSuite(); }
    void init() { f.start(); }
    void cleanup() { f.endCase(); }

    void dialogsRendered();
    void wizardRenderedAfterACalculation();
};

void TestFluidScreenshots::dialogsRendered()
{
    frmIdealesGas &g = frmIdealesGasInstance().get();
    QVERIFY(pick(g.lstSubstanz, QStringLiteral("Methan")));
    QVERIFY(qtui::renderFormToPng(g, shot(QStringLiteral("ideal_gas_list"))));
    g.cmdNeu.userClick();
    g.txtMedium.userType(QStringLiteral("Biogas"));
    QVERIFY(qtui::renderFormToPng(g, shot(QStringLiteral("ideal_gas_list_new"))));
    frmIdealesGasInstance().unload();

    frmFlüssigkeit &l = frmFlüssigkeitInstance().get();
    QVERIFY(pick(l.lstSubstanz, QStringLiteral("Wasser @ 20°C")));
    QVERIFY(qtui::renderFormToPng(l, shot(QStringLiteral("liquid_list"))));
    frmFlüssigkeitInstance().unload();

    frmGasgemisch &m = frmGasgemischInstance().get();
    for (const char *name : {"Methan", "Ethan"}) {
        QVERIFY(pick(m.lstSubstanz, QString::fromUtf8(name)));
        m.cmdÜbernahme.userClick();
    }
    m.txtVolAnteil[0].setText(QStringLiteral("60"));
    m.txtVolAnteil[1].setText(QStringLiteral("40"));
    QVERIFY(m.cmdOK.enabled());
    const QImage image = qtui::renderForm(m);
    QVERIFY(!image.isNull());
    QVERIFY(image.save(shot(QStringLiteral("gas_mixture"))));
    QCOMPARE(image.width(), m.width() / kTwipsPerPixel);
}

void TestFluidScreenshots::wizardRenderedAfterACalculation()
{
    f.endCase();
    // Water at three operating points of the sizing sheet: 9, 10 and 11 bar abs., 150 °C.
    Start s = airAt(10, 150);
    s.MIN = true;
    s.NORM = true;
    f.beginCase(s);
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Wasser (H2O)")));
    typeAndLeave(w.txtp1min, QStringLiteral("9"), w.txtp1norm);
    typeAndLeave(w.txtp1max, QStringLiteral("11"), w.txtT1max);
    w.cmdCalc.userClick();
    QVERIFY(w.cmdOK.enabled());
    QCOMPARE(shownRows(w), QStringLiteral("rho Z ps nue"));
    const QImage image = qtui::renderForm(w);
    QVERIFY(!image.isNull());
    QVERIFY(image.save(shot(QStringLiteral("fluid_wizard"))));
    QCOMPARE(image.width(), w.width() / kTwipsPerPixel);
}

QTEST_MAIN(TestFluidScreenshots)
#include "test_fluid_screenshots.moc"
