// Loading the flow sheet: layout per fluid state and display variant, the handler chain and its recalculations,
// the lists and texts that loading leaves.
#include "calc_flow_fixture.h"

#include "units/data_folder.h"

#include <QImage>
#include <cmath>
#include <QTest>

using namespace flowfixture;

class FlowSheetLoadTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { numtext::resetUserLocale(); }

    void layoutPerStateAndVariant_data();
    void layoutPerStateAndVariant();
    void flowUnitListFollowsState_data();
    void flowUnitListFollowsState();
    void fluidSectionRowsPerState_data();
    void fluidSectionRowsPerState();
    void recalculatesUpToThreeTimesAndOnlyLastWithoutLoadFlag_data();
    void recalculatesUpToThreeTimesAndOnlyLastWithoutLoadFlag();
    void temperatureKeepsOneDecimal_data();
    void temperatureKeepsOneDecimal();
    void openingListAndStoredOpeningSurviveReload();
    void missingCharacteristicIsReplacedByFirstRow();
    void headersNameMediumAndState();
    void invalidInputsBeepOnceAndLastMessageStays();
    void failingFieldHoldsFocusAfterLoading();
    void twoLoadsGiveTheSameSheet();
    void pictureOfTheSeriesOrNone();
    void registersWhileLoaded();
    void damagedUnitIndicesLoadWithoutHarm();
};

void FlowSheetLoadTest::layoutPerStateAndVariant_data()
{
    QTest::addColumn<int>("zustand");
    QTest::addColumn<int>("kd");
    QTest::addColumn<QStringList>("rows"); // visible valve result rows with their tops
    QTest::addColumn<int>("pipe");
    QTest::addColumn<int>("noise");
    QTest::addColumn<int>("fluid");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("box");

    const QStringList gasNormal = {"lblxTMax@4800"};
    const QStringList gasExtended = {"lblxTMax@4800", "lblxMax@5040", "lblChokedFlowMax@5280"};
    QTest::newRow("gas normal") << 0 << 0 << gasNormal << 5160 << 6960 << 8160 << 10050 << 2535;
    QTest::newRow("gas partner") << 0 << 1 << gasNormal << 5160 << 6960 << 8160 << 10050 << 2535;
    QTest::newRow("gas extended") << 0 << 6417 << gasExtended << 5640 << 7440 << 8640 << 10530 << 3015;
    QTest::newRow("steam normal") << 2 << 0 << gasNormal << 5160 << 6960 << 8160 << 10050 << 2535;
    QTest::newRow("steam extended") << 2 << 6417 << gasExtended << 5640 << 7440 << 8640 << 10530 << 3015;
    QTest::newRow("liquid normal") << 1 << 0 << QStringList{"lblFlmax@4800"} << 5160 << 6960 << 8160 << 10050
                                   << 2535;
    QTest::newRow("liquid partner") << 1 << 1 << QStringList{"lblFlmax@4800"} << 5160 << 6960 << 8160 << 10050
                                    << 2535;
    QTest::newRow("liquid extended")
        << 1 << 6417
        << QStringList{"lblzyMax@4800", "lblxFMax@5040", "lblKavitationMax@5280", "lblFlmax@5520",
                       "lblChokedFlowMax@5760"}
        << 6120 << 7920 << 9120 << 11010 << 3515;
}

void FlowSheetLoadTest::layoutPerStateAndVariant()
{
    QFETCH(int, zustand);
    QFETCH(int, kd);
    QFETCH(QStringList, rows);
    Fixture f;
    if (zustand == 0)
        f.air();
    else if (zustand == 2)
        f.steam();
    shared().KD_Version = kd;
    FrmCalcFlow &sheet = f.load();

    const QStringList all = {"lblxTMax", "lblxMax", "lblChokedFlowMax", "lblzyMax", "lblxFMax", "lblKavitationMax",
                             "lblFlmax"};
    const QStringList captions = {"lblXTWert", "lblxWert", "lblChokedFlow", "lblzyWert", "lblxFWert",
                                  "lblKavitation", "lblFLWert"};
    QStringList shown;
    for (int i = 0; i < all.size(); ++i) {
        Control *value = sheet.control(all[i]);
        Control *caption = sheet.control(captions[i]);
        QCOMPARE(caption->visible(), value->visible());
        if (value->visible()) {
            QCOMPARE(caption->top(), value->top());
            shown << QStringLiteral("%1@%2").arg(all[i]).arg(value->top());
        }
    }
    shown.sort();
    rows.sort();
    QCOMPARE(shown, rows);

    QTEST(sheet.lblRohrleitung.top(), "pipe");
    QCOMPARE(sheet.frameRohrleitung.top(), sheet.lblRohrleitung.top() + 120);
    QTEST(sheet.lblSchalldruck.top(), "noise");
    QCOMPARE(sheet.frameSchalldruck.top(), sheet.lblSchalldruck.top() + 120);
    QTEST(sheet.lblStoffdaten.top(), "fluid");
    QCOMPARE(sheet.frameStoffdaten.top(), sheet.lblStoffdaten.top() + 120);
    QTEST(sheet.height(), "height");
    QTEST(sheet.frameVentildaten.height(), "box");
    QCOMPARE(sheet.Ypos + 450, sheet.height());
    QCOMPARE(sheet.width(), 11400);

    // Each box ends 105 twips above the next section (or the final position).
    QCOMPARE(sheet.frameRohrleitung.top() + sheet.frameRohrleitung.height(), sheet.lblSchalldruck.top() - 105);
    QCOMPARE(sheet.frameSchalldruck.top() + sheet.frameSchalldruck.height(), sheet.lblStoffdaten.top() - 105);
    QCOMPARE(sheet.frameStoffdaten.top() + sheet.frameStoffdaten.height(), sheet.Ypos - 105);

    // Rows of the pipe, noise and fluid sections relative to their section.
    const int pipe = sheet.lblRohrleitung.top();
    QCOMPARE(sheet.cmbDNRohr1.top(), pipe + 360);
    QCOMPARE(sheet.optOptimiert.top(), pipe + 600);
    QCOMPARE(sheet.optVorgabe.top(), pipe + 840);
    QCOMPARE(sheet.cmbDNRohr2.top(), pipe + 720);
    QCOMPARE(sheet.lblV1max.top(), pipe + 1200);
    QCOMPARE(sheet.lblV2max.top(), pipe + 1440);
    QCOMPARE(sheet.cmbGeschwindigkeit.top(), pipe + 1320);
    QCOMPARE(sheet.lineRohr4.y1(), pipe + 1560);
    const int noise = sheet.lblSchalldruck.top();
    QCOMPARE(sheet.lblSchallerwartmax.top(), noise + 840);
    const int fluid = sheet.lblStoffdaten.top();
    QCOMPARE(sheet.lblStoffwert3max.top(), fluid + 1080);
    QCOMPARE(sheet.cmbStoffwert1unit.top(), fluid + 240);
    QCOMPARE(sheet.lineStoffdaten2.y2(), fluid + 840);
}

void FlowSheetLoadTest::flowUnitListFollowsState_data()
{
    QTest::addColumn<int>("zustand");
    QTest::addColumn<QStringList>("units");
    QTest::newRow("ideal gas") << 0
                               << QStringList{"m3/h (norm.)", "kg/h", "l/min (norm.)", "lb./hr.", "scu.ft./hr."};
    QTest::newRow("liquid") << 1
                            << QStringList{"m3/h", "kg/h", "l/min.", "lb./hr.", "cu.ft./hr.", "G.P.M."};
    QTest::newRow("steam") << 2 << QStringList{"kg/h", "lb./hr."};
}

void FlowSheetLoadTest::flowUnitListFollowsState()
{
    QFETCH(int, zustand);
    QFETCH(QStringList, units);
    Fixture f;
    if (zustand == 0)
        f.air();
    else if (zustand == 2)
        f.steam();
    shared().QUnit = 1;
    FrmCalcFlow &sheet = f.load();
    QCOMPARE(sheet.cmbQunit.items(), units);
    QCOMPARE(sheet.cmbQunit.listIndex(), 1);
    QCOMPARE(sheet.cmbQunit.text(), units.at(1));
}

void FlowSheetLoadTest::fluidSectionRowsPerState_data()
{
    QTest::addColumn<int>("zustand");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<bool>>("unitLists");
    QTest::addColumn<bool>("thirdValueShown");
    QTest::newRow("ideal gas") << 0 << QStringList{"Normdichte", "Dichte", "Isentropenexponent"}
                               << QList<bool>{true, false, false} << true;
    QTest::newRow("liquid") << 1 << QStringList{"Dichte", "Dampfdruck", QString::fromUtf8("Viskosität")}
                            << QList<bool>{true, true, true} << true;
    QTest::newRow("steam") << 2 << QStringList{"Dichte", "Isentropenexponent", QString()}
                           << QList<bool>{true, false, false} << false;
}

void FlowSheetLoadTest::fluidSectionRowsPerState()
{
    QFETCH(int, zustand);
    QFETCH(QStringList, captions);
    QFETCH(QList<bool>, unitLists);
    Fixture f;
    if (zustand == 0)
        f.air();
    else if (zustand == 2)
        f.steam();
    shared().pUnit = 2;
    FrmCalcFlow &sheet = f.load();
    QCOMPARE((QStringList{sheet.lblStoffwert1.caption(), sheet.lblStoffwert2.caption(),
                          sheet.lblStoffwert3.caption()}),
             captions);
    QCOMPARE((QList<bool>{sheet.cmbStoffwert1unit.visible(), sheet.cmbStoffwert2unit.visible(),
                          sheet.cmbStoffwert3unit.visible()}),
             unitLists);
    QTEST(sheet.lblStoffwert3max.visible(), "thirdValueShown");
    QVERIFY(sheet.lineStoffdaten3.visible());
    QCOMPARE(sheet.cmbStoffwert1unit.items(), (QStringList{"kg/m3", "lb./cu.ft."}));
    if (zustand == 1) {
        QCOMPARE(sheet.cmbStoffwert2unit.listCount(), 8);
        QCOMPARE(sheet.cmbStoffwert2unit.listIndex(), 2);
    }
}

void FlowSheetLoadTest::recalculatesUpToThreeTimesAndOnlyLastWithoutLoadFlag_data()
{
    QTest::addColumn<int>("chkDNRohr");
    QTest::addColumn<int>("kennlinie");
    QTest::addColumn<QList<bool>>("flags");
    QTest::newRow("pipe = valve") << 0 << 1 << QList<bool>{true, true, false};
    QTest::newRow("pipe proposed") << 1 << 1 << QList<bool>{true, true, false};
    QTest::newRow("pipe given") << 2 << 1 << QList<bool>{true, false};
    // A characteristic the series lacks is replaced before its option is set, so its recalculation still runs.
    QTest::newRow("on/off replaced") << 2 << 2 << QList<bool>{true, false};
    QTest::newRow("no pipe option") << 7 << 0 << QList<bool>{true, false};
}

void FlowSheetLoadTest::recalculatesUpToThreeTimesAndOnlyLastWithoutLoadFlag()
{
    QFETCH(int, chkDNRohr);
    QFETCH(int, kennlinie);
    QFETCH(QList<bool>, flags);
    Fixture f;
    shared().chkDNRohr = chkDNRohr;
    shared().Kennlinie = kennlinie;
    f.load();
    QCOMPARE(QList<bool>(f.window.loadFlagAtRecalculation.begin(), f.window.loadFlagAtRecalculation.end()), flags);
    QVERIFY(!shared().bLadenCalcFlow);
    QCOMPARE(f.status(), current());
    QVERIFY(f.window.mnuDrucken.enabled());
}

void FlowSheetLoadTest::temperatureKeepsOneDecimal_data()
{
    QTest::addColumn<double>("t1");
    QTest::addColumn<QString>("shown"); // in C notation
    QTest::addColumn<double>("stored");
    QTest::newRow("20.26") << 20.26 << "20.3" << 20.3;
    QTest::newRow("0.5") << 0.5 << ".5" << 0.5;
    QTest::newRow("-0.44") << -0.44 << "-.4" << -0.4;
    QTest::newRow("0") << 0.0 << ".0" << 0.0;
}

void FlowSheetLoadTest::temperatureKeepsOneDecimal()
{
    QFETCH(double, t1);
    QFETCH(QString, shown);
    QFETCH(double, stored);
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        numtext::setUserLocale(locale);
        Fixture f;
        shared().Medium = 4; // a liquid from the list: no saturation limit
        shared().T1Max = t1;
        FrmCalcFlow &sheet = f.load();
        QCOMPARE(sheet.txtT1max.text(), zahl(qPrintable(shown)));
        QCOMPARE(shared().T1Max, stored);
    }
}

void FlowSheetLoadTest::openingListAndStoredOpeningSurviveReload()
{
    Fixture f;
    shared().yMax = 0.3555;
    FrmCalcFlow &sheet = f.load();
    QCOMPARE(sheet.cmbYmax.items(),
             (QStringList{"100", "90", "80", "70", "60", "50", "40", "30", "20", "10", "0"}));
    QCOMPARE(sheet.cmbYmax.text(), zahl("35.55"));
    QCOMPARE(sheet.cmbYmax.listIndex(), -1);
    QCOMPARE(shared().yMax, 0.3555);
    const double q = shared().QMax;

    // The stored opening, not the design's 100 %, is what every recalculation of the load used.
    FrmCalcFlow &again = f.reload();
    QCOMPARE(again.cmbYmax.text(), zahl("35.55"));
    QCOMPARE(shared().yMax, 0.3555);
    QCOMPARE(shared().QMax, q);
    shared().yMax = 1.0;
    f.reload();
    QVERIFY(shared().QMax > q);
}

void FlowSheetLoadTest::missingCharacteristicIsReplacedByFirstRow()
{
    Fixture f;
    shared().Kennlinie = 2;
    FrmCalcFlow &sheet = f.load();
    QCOMPARE(shared().Kennlinie, 1);
    QVERIFY(sheet.optGleichprozentig.value());
    QVERIFY(!sheet.optAufZu.value());
    QVERIFY(!sheet.optAufZu.enabled());
    QVERIFY(sheet.optLinear.enabled());
    QVERIFY(sheet.optGleichprozentig.enabled());
}

void FlowSheetLoadTest::headersNameMediumAndState()
{
    Fixture f;
    f.steam();
    FrmCalcFlow &sheet = f.load();
    QCOMPARE(sheet.caption(), QStringLiteral("Modus Durchfluss-Berechnung"));
    QCOMPARE(sheet.lblProzessdaten.caption(),
             QStringLiteral("Prozessdaten / Medium: Wasserdampf / Zustandsverhalten: Reales Gas"));
    QCOMPARE(sheet.lblStoffdaten.caption(),
             QStringLiteral("Stoffdaten / Medium: Wasserdampf / Zustandsverhalten: Reales Gas"));
    QCOMPARE(sheet.lblP1.caption(), QStringLiteral("Vordruck P1"));
    QCOMPARE(sheet.lblVentiloeffnung.caption(), QString::fromUtf8("Ventilöffnung y"));
    QCOMPARE(sheet.lblQ.caption(), QStringLiteral("Durchfluss Q"));

    // With the shipped language table the medium's own name is translated too; an unknown name stays.
    const QString texts = QStringLiteral(QUENDRA_SEED_DIR "/dbSprache.mdb");
    if (!QFileInfo::exists(texts))
        QSKIP("the generated language database is missing");
    openLanguageDatabase(texts);
    shared().Sprache = 1;
    FrmCalcFlow &english = f.reload();
    QVERIFY2(english.lblProzessdaten.caption().contains(QStringLiteral(": Steam / ")),
             qPrintable(english.lblProzessdaten.caption()));
    QVERIFY(!english.lblP1.caption().startsWith(QStringLiteral("Vordruck")));
    shared().NameMedium = QStringLiteral("Frigen X12");
    FrmCalcFlow &unknown = f.reload();
    QVERIFY(unknown.lblStoffdaten.caption().contains(QStringLiteral(": Frigen X12 / ")));
    closeLanguageDatabase();
}

void FlowSheetLoadTest::invalidInputsBeepOnceAndLastMessageStays()
{
    Fixture f;
    shared().p2Max = 12; // above p1
    f.load();
    QCOMPARE(f.window.recalculations, 3);
    // Each of the three refuses the inputs; the user hears the loaded sheet's refusal once.
    QCOMPARE(f.ui.beepCount(), 1);
    QCOMPARE(f.status(), QString::fromUtf8("Berechnung nicht aktualisiert: Druckwert unzulässig!"));
    QVERIFY(!f.window.mnuDrucken.enabled());
}

void FlowSheetLoadTest::failingFieldHoldsFocusAfterLoading()
{
    Fixture f;
    shared().p2Max = 0;
    FrmCalcFlow &sheet = f.load();
    // Focus moves of the validation while loading start no recalculation of their own.
    QCOMPARE(f.window.recalculations, 3);
    QCOMPARE(sheet.activeControl(), &sheet.txtp2max);
    QVERIFY(f.status().endsWith(QString::fromUtf8("Druckwert unzulässig!")));
}

void FlowSheetLoadTest::twoLoadsGiveTheSameSheet()
{
    Fixture f;
    f.air();
    shared().chkDNRohr = 1;
    FrmCalcFlow &first = f.load();
    auto snapshot = [](FrmCalcFlow &sheet) {
        QStringList texts;
        for (Control *c : sheet.controls()) {
            if (auto *label = dynamic_cast<Label *>(c))
                texts << c->name() + '=' + label->caption();
            else if (auto *box = dynamic_cast<TextBox *>(c))
                texts << c->name() + '=' + box->text();
            else if (auto *list = dynamic_cast<ComboBox *>(c))
                texts << c->name() + '=' + list->text() + '#' + list->items().join('|');
            texts << QStringLiteral("%1@%2,%3,%4").arg(c->name()).arg(c->top()).arg(c->visible()).arg(c->enabled());
        }
        return texts;
    };
    const QStringList before = snapshot(first);
    const double q = shared().QMax;
    const QString dn1 = shared().DN1Rohr;
    FrmCalcFlow &second = f.reload();
    QCOMPARE(snapshot(second), before);
    QCOMPARE(shared().QMax, q);
    QCOMPARE(shared().DN1Rohr, dn1);
}

void FlowSheetLoadTest::pictureOfTheSeriesOrNone()
{
    Fixture f;
    setProgramFolder(f.dir.path());
    FrmCalcFlow &without = f.load();
    QVERIFY(without.Image1.picture().isNull());
    QCOMPARE(f.status(), current());

    QImage picture(20, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(picture.save(f.dir.filePath("TEST.jpg"), "JPG"));
    FrmCalcFlow &with = f.reload();
    QCOMPARE(with.Image1.picture().size(), QSize(20, 30));
    setProgramFolder(QString());
}

void FlowSheetLoadTest::registersWhileLoaded()
{
    Fixture f;
    QVERIFY(!activeFlowSheet());
    FrmCalcFlow &sheet = f.load();
    QCOMPARE(activeFlowSheet(), &sheet.access());
    QVERIFY2(sheet.access().missingMembers().isEmpty(), qPrintable(sheet.access().missingMembers().join(',')));
    frmCalcFlow().unload();
    QVERIFY(!activeFlowSheet());
    formruntime::collect();
}

void FlowSheetLoadTest::damagedUnitIndicesLoadWithoutHarm()
{
    Fixture f;
    SharedData &s = shared();
    s.p1Unit = 12;
    s.QUnit = 9;
    s.DNunit = 5;
    s.KvUnit = -3;
    s.vUnit = 4;
    FrmCalcFlow &sheet = f.load();
    // The lists show no entry for an index they lack; nothing is converted or stored for them.
    QCOMPARE(sheet.cmbP1unit.listIndex(), -1);
    QCOMPARE(sheet.cmbQunit.listIndex(), -1);
    QCOMPARE(s.p1Unit, 12);
    QCOMPARE(sheet.cmbDNVentil.listCount(), 10);
    QVERIFY(std::isfinite(s.QMax));
    // A pressure in a unit the conversions do not know reads as 0, which the validation refuses.
    QCOMPARE(f.status(), QString::fromUtf8("Berechnung nicht aktualisiert: Druckwert unzulässig!"));
}

QTEST_GUILESS_MAIN(FlowSheetLoadTest)
#include "test_calc_flow_load.moc"
