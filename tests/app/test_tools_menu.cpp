#include "menu_fixture.h"

#include "platform/forms/table_curve_display.h"
#include "platform/shell/recording_desktop_services.h"
#include "tools/user_defined_valve.h"

// The tools menu and the user-defined valve on the real main window and sheets: when the characteristic displays
// can be chosen, which curve they show, and the user-defined valve opened from the valve-series menu, applied to
// and cancelled on the sheet of each mode.

using namespace menufixture;

class TestToolsMenu : public QObject {
    Q_OBJECT
    Fixture f;
    RecordingTableCurveDisplay curves;
    std::unique_ptr<TableCurveDisplayScope> curveScope;
    // A desktop without a spreadsheet program: the curves come to the program's own window.
    RecordingDesktopServices desktop;
    std::unique_ptr<DesktopServicesScope> desktopScope;

    Menu &menu(const QString &name)
    {
        auto *m = dynamic_cast<Menu *>(f.w->control(name));
        Q_ASSERT(m);
        return *m;
    }
    void startExtended()
    {
        f.start([](SharedData &d) { d.KD_Version = 6417; });
        curves.reset();
    }

private slots:
    void initTestCase()
    {
        f.initSuite();
        curveScope = std::make_unique<TableCurveDisplayScope>(curves);
        desktop.setAnswer(false);
        desktopScope = std::make_unique<DesktopServicesScope>(desktop);
    }
    void cleanupTestCase()
    {
        desktopScope.reset();
        curveScope.reset();
    }
    void init() { startExtended(); }
    void cleanup() { f.stop(); }

    void displayEntriesFollowSeriesAndCharacteristic_data();
    void displayEntriesFollowSeriesAndCharacteristic();
    void displayEntryShowsItsCurve_data();
    void displayEntryShowsItsCurve();
    void userDefinedValveIsAppliedToTheSheet_data();
    void userDefinedValveIsAppliedToTheSheet();
    void cancelRecalculatesWithoutReloading_data();
    void cancelRecalculatesWithoutReloading();
};

void TestToolsMenu::displayEntriesFollowSeriesAndCharacteristic_data()
{
    QTest::addColumn<QString>("entry"); // a series entry chosen first, or a key set directly
    QTest::addColumn<int>("kennlinie"); // set after the choice; -1 keeps what the choice left
    QTest::addColumn<bool>("enabled");
    QTest::newRow("4644 right after Absperrventile") << "mnu4644" << -1 << false;
    QTest::newRow("3548 linear") << "mnu3548" << 0 << true;
    QTest::newRow("3548 equal percentage") << "mnu3548" << 1 << true;
    QTest::newRow("3425 never") << "mnu3425" << 1 << false;
    QTest::newRow("3425 linear never") << "mnu3425" << 0 << false;
    QTest::newRow("4627_71 of the 46 family") << "mnu4627_71" << 1 << true;
    QTest::newRow("4612 on/off") << "mnu4612" << 2 << false;
    QTest::newRow("3264") << "mnu3264" << 0 << true;
    QTest::newRow("2613") << "mnu2613" << 1 << true;
    QTest::newRow("2381") << "mnu2381" << -1 << true;
    QTest::newRow("3926") << "mnu3926" << -1 << false;
    QTest::newRow("9999 equal percentage") << "9999" << 1 << true;
    QTest::newRow("9999 on/off") << "9999" << 2 << false;
}

void TestToolsMenu::displayEntriesFollowSeriesAndCharacteristic()
{
    QFETCH(QString, entry);
    QFETCH(int, kennlinie);
    QFETCH(bool, enabled);
    if (entry.startsWith(QLatin1String("mnu")))
        QVERIFY(f.choose(menu(entry)));
    else
        shared().Ventiltyp = entry;
    if (kennlinie >= 0)
        shared().Kennlinie = kennlinie;
    // The opposite state first: opening the menu decides anew.
    for (Menu *m : {&f.w->mnuAnzeigeKennlinie, &f.w->mnuAnzeigeFL, &f.w->mnuAnzeigeXT})
        m->setEnabled(!enabled);
    f.w->mnuAnzeigeXT.setVisible(false);
    f.w->mnuTools.userOpen();
    QCOMPARE(f.w->mnuAnzeigeKennlinie.enabled(), enabled);
    QCOMPARE(f.w->mnuAnzeigeFL.enabled(), enabled);
    QCOMPARE(f.w->mnuAnzeigeXT.enabled(), enabled);
    // Visibility is the display variant's business.
    QVERIFY(f.w->mnuAnzeigeFL.visible());
    QVERIFY(!f.w->mnuAnzeigeXT.visible());
}

void TestToolsMenu::displayEntryShowsItsCurve_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("KvUnit");
    QTest::addColumn<QString>("curve"); // empty: nothing shown
    QTest::newRow("characteristic in Kv") << "mnuAnzeigeKennlinie" << 0 << "Kv";
    QTest::newRow("characteristic in Cv") << "mnuAnzeigeKennlinie" << 1 << "Cv";
    QTest::newRow("characteristic, unit out of range") << "mnuAnzeigeKennlinie" << 2 << "";
    QTest::newRow("FL") << "mnuAnzeigeFL" << 1 << "FL";
    QTest::newRow("xT") << "mnuAnzeigeXT" << 0 << "xT";
}

void TestToolsMenu::displayEntryShowsItsCurve()
{
    QFETCH(QString, entry);
    QFETCH(int, KvUnit);
    QFETCH(QString, curve);
    shared().Kennlinie = 1;
    QVERIFY(f.choose(f.w->mnu3548));
    shared().KvUnit = KvUnit;
    const SharedData before = shared();
    QVERIFY(f.choose(menu(entry)));
    if (curve.isEmpty()) {
        QVERIFY(curves.shown().empty());
    } else {
        QCOMPARE(curves.shown().size(), std::size_t(1));
        QCOMPARE(curves.shown().front().yTitle, curve);
        QVERIFY(curves.shown().front().heading.front().endsWith(QStringLiteral("Eck-Stellventil 3548")));
    }
    QVERIFY(f.ui.messages().empty());
    QCOMPARE(firstDifference(before, shared()), QString());
}

void TestToolsMenu::userDefinedValveIsAppliedToTheSheet_data()
{
    QTest::addColumn<int>("modus");
    QTest::newRow("sizing sheet") << 0;
    QTest::newRow("flow sheet") << 1;
}

void TestToolsMenu::userDefinedValveIsAppliedToTheSheet()
{
    QFETCH(int, modus);
    if (modus == 1)
        QVERIFY(f.choose(f.w->mnuFlow));
    QVERIFY(f.sheet());
    const UnloadWatch sheet(*f.sheet());
    f.ui.reset();
    f.ui.setScreenSizeTwips(1920 * 15, 1080 * 15);
    int left = 0;
    int top = 0;
    f.ui.onNextModal([&](Form &form) {
        auto &d = dynamic_cast<frmBenutzerdefiniert &>(form);
        left = d.left();
        top = d.top();
        d.txtBezeichnung.setText(QStringLiteral("Mein Ventil"));
        d.optGleichprozentig.userClick();
        d.txtStellverhältnis.setFocus();
        d.txtStellverhältnis.userType(QStringLiteral("50"));
        d.cmdAbschätzen.userClick();
        d.cmdÜbernehmen.userClick();
    });
    QVERIFY(f.w->mnu9999.visible());
    QVERIFY(f.choose(f.w->mnu9999));

    QCOMPARE(f.ui.modalRuns(), QStringList{QStringLiteral("frmBenutzerdefiniert")});
    QCOMPARE(left, (1920 * 15 - 7440) / 2);
    QCOMPARE(top, (1080 * 15 - 6420) / 2);
    QVERIFY(!frmBenutzerdefiniertInstance().isLoaded());
    QVERIFY(sheet.unloaded());
    Form *reloaded = f.sheet();
    QVERIFY(reloaded);
    const SharedData &d = shared();
    QCOMPARE(d.Ventiltyp, QStringLiteral("9999"));
    QCOMPARE(d.rsVentil->table(), QStringLiteral("9999"));
    auto *title = dynamic_cast<Label *>(reloaded->control(QStringLiteral("lblVentildaten")));
    QVERIFY(title);
    QVERIFY2(title->caption().endsWith(QStringLiteral("Mein Ventil")), qPrintable(title->caption()));
    // The recalculation took the estimated coefficients from the stored row (R 50: the band 45 to 55).
    QCOMPARE(d.A1.toDouble(), 0.3949);
    QCOMPARE(d.A5.toDouble(), 2.2425);
    QCOMPARE(d.AFL.toDouble(), 0.8);
    QCOMPARE(d.AxT.toDouble(), 0.6);
    QVERIFY(f.w->StatusBar.text().startsWith(QStringLiteral("Berechnung")));

    // The tools menu now offers the displays for the user's valve.
    f.w->mnuTools.userOpen();
    QVERIFY(f.w->mnuAnzeigeKennlinie.enabled());
    QVERIFY(f.choose(f.w->mnuAnzeigeKennlinie));
    QCOMPARE(curves.shown().size(), std::size_t(1));
    QVERIFY(curves.shown().front().heading.front().endsWith(QStringLiteral("Mein Ventil")));
}

void TestToolsMenu::cancelRecalculatesWithoutReloading_data()
{
    QTest::addColumn<int>("modus");
    QTest::newRow("sizing sheet") << 0;
    QTest::newRow("flow sheet") << 1;
}

void TestToolsMenu::cancelRecalculatesWithoutReloading()
{
    QFETCH(int, modus);
    if (modus == 1)
        QVERIFY(f.choose(f.w->mnuFlow));
    QVERIFY(f.sheet());
    const UnloadWatch sheet(*f.sheet());
    const QString series = shared().Ventiltyp;
    const QByteArray catalogue = fileBytes(dataFile(QStringLiteral("dbKenndaten.mdb")));
    f.w->StatusBar.setText(QStringLiteral("-"));
    f.ui.onNextModal([](Form &form) {
        auto &d = dynamic_cast<frmBenutzerdefiniert &>(form);
        d.txtBezeichnung.setText(QStringLiteral("Verworfen"));
        d.txtKvsCv.setText(QStringLiteral("99"));
        d.cmdAbschätzen.userClick();
        d.cmdAbbruch.userClick();
    });
    QVERIFY(f.choose(f.w->mnu9999));

    QVERIFY(!sheet.unloaded());
    // Recalculated: the status line is written again.
    QVERIFY(f.w->StatusBar.text().startsWith(QStringLiteral("Berechnung")));
    QCOMPARE(shared().Ventiltyp, series);
    QCOMPARE(shared().rsVentil->table(), series);
    QCOMPARE(shared().rsVentil->index(), series);
    QCOMPARE(fileBytes(dataFile(QStringLiteral("dbKenndaten.mdb"))), catalogue);
}

QTEST_GUILESS_MAIN(TestToolsMenu)
#include "test_tools_menu.moc"
