#include "heat_exchanger_fixture.h"

#include <QTest>
#include <map>

// The four buttons of the heat-exchanger dialog: what "Daten übernehmen" writes into the shared data and which
// sheet it has loaded, what it refuses, what "Abbruch" and the close box leave, the print variables as the dialog
// shows them, the printed page with the drawing, and the PDF printer switched around the print dialog.

using namespace hxtools;
using testlocale::zahl;

namespace {

// Water at 6 bar abs. before and 2 bar abs. after the valve in all three columns (158.9 °C, 2178 kJ/kg), the sheet
// showing a liquid in lb./hr.; the norm column switched off and the temperatures turned to F in the dialog.
void uebergabeFall(SharedData &d)
{
    d.p1Min = d.p1Norm = d.p1Max = 6;
    d.p2Min = d.p2Norm = d.p2Max = 2;
    d.Zustand = 1;
    d.Medium = 1;
    d.NameMedium = QStringLiteral("Wasser");
    d.QUnit = 3;
}

void uebergabeEingaben(frmWärmetauscher &w)
{
    w.chkNorm.userClick();
    w.cmbT1unit.userPick(1);
}

// The shared values the hand-over writes (NameMedium apart), by name.
std::map<QString, double> uebergabewerte(const SharedData &d)
{
    return {{"MIN", d.MIN},           {"NORM", d.NORM},           {"p1Min", d.p1Min},        {"p1Norm", d.p1Norm},
            {"p1Max", d.p1Max},       {"p1Unit", d.p1Unit},       {"p2Min", d.p2Min},        {"p2Norm", d.p2Norm},
            {"p2Max", d.p2Max},       {"p2Unit", d.p2Unit},       {"T1Min", d.T1Min},        {"T1Norm", d.T1Norm},
            {"T1Max", d.T1Max},       {"T1Unit", d.T1Unit},       {"Mmin", d.Mmin},          {"Mnorm", d.Mnorm},
            {"Mmax", d.Mmax},         {"Munit", d.Munit},         {"CpMax", d.CpMax},        {"DeltaTMin", d.DeltaTMin},
            {"DeltaTNorm", d.DeltaTNorm}, {"DeltaTMax", d.DeltaTMax}, {"TaufheizMin", d.TaufheizMin},
            {"TaufheizNorm", d.TaufheizNorm}, {"TaufheizMax", d.TaufheizMax}, {"ZeitUnit", d.ZeitUnit},
            {"WTcalc", d.WTcalc},     {"WTLeistungMin", d.WTLeistungMin}, {"WTLeistungNorm", d.WTLeistungNorm},
            {"WTLeistungMax", d.WTLeistungMax}, {"QMin", d.QMin}, {"QNorm", d.QNorm}, {"QMax", d.QMax},
            {"QUnit", d.QUnit},       {"Medium", d.Medium},       {"Zustand", d.Zustand},    {"Modus", d.Modus}};
}

// The same as "name=value" lines, so that a failure names the value.
QStringList alsText(const std::map<QString, double> &werte)
{
    QStringList out;
    for (const auto &[name, wert] : werte)
        out << name + QLatin1Char('=') + QString::number(wert, 'g', 15);
    return out;
}

} // namespace

class TestHeatExchangerCommands : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void init() { f.start(); }
    void cleanup() { f.stop(); }

    void handOverWritesEveryValue();
    void handOverLoadsTheSizingSheet_data();
    void handOverLoadsTheSizingSheet();
    void handOverRefusesWhatASizingCannotUse_data();
    void handOverRefusesWhatASizingCannotUse();
    void handOverKeepsValuesTheDialogHasNot_data();
    void handOverKeepsValuesTheDialogHasNot();
    void cancelAndCloseChangeNothing_data();
    void cancelAndCloseChangeNothing();
    void printCopiesWhatTheDialogShows();
    void printedPageCarriesTheDrawing();
    void pdfPrintSwitchesThePrinter_data();
    void pdfPrintSwitchesThePrinter();
};

void TestHeatExchangerCommands::handOverWritesEveryValue()
{
    uebergabeFall(shared());
    frmWärmetauscher &w = f.open();
    uebergabeEingaben(w);
    w.cmdÜbernehmen.userClick();
    // Powers: 500 * 4.18 * 40 / 1800, 1000 * 4.18 * 60 / 3600, 2000 * 4.18 * 80 / 7200. Flows in lb./hr.:
    // 46.44 / 2178 / 0.85 * 3600 / 0.454, and so on. 158.9 °C are 318.0 F; the rises 40, 60, 80 K are 72, 108,
    // 144 °F.
    const std::map<QString, double> erwartet = {
        {"MIN", 1},          {"NORM", 0},           {"p1Min", 6},          {"p1Norm", 6},      {"p1Max", 6},
        {"p1Unit", 0},       {"p2Min", 2},          {"p2Norm", 2},         {"p2Max", 2},       {"p2Unit", 0},
        {"T1Min", 318.0},    {"T1Norm", 318.0},     {"T1Max", 318.0},      {"T1Unit", 1},      {"Mmin", 500},
        {"Mnorm", 1000},     {"Mmax", 2000},        {"Munit", 0},          {"CpMax", 4.18},    {"DeltaTMin", 72},
        {"DeltaTNorm", 108}, {"DeltaTMax", 144},    {"TaufheizMin", 0.5},  {"TaufheizNorm", 1}, {"TaufheizMax", 2},
        {"ZeitUnit", 2},     {"WTcalc", 1},         {"WTLeistungMin", 46.44}, {"WTLeistungNorm", 69.67},
        {"WTLeistungMax", 92.89}, {"QMin", 198.9},  {"QNorm", 298.4},      {"QMax", 397.9},    {"QUnit", 1},
        {"Medium", 2},       {"Zustand", 2},        {"Modus", 0}};
    QCOMPARE(alsText(uebergabewerte(shared())), alsText(erwartet));
    QCOMPARE(shared().NameMedium, QStringLiteral("Wasserdampf"));
    QVERIFY(!frmWärmetauscherInstance().isLoaded());
    QCOMPARE(f.ui.beepCount(), 0);
}

void TestHeatExchangerCommands::handOverLoadsTheSizingSheet_data()
{
    QTest::addColumn<int>("Modus");
    QTest::addColumn<int>("entladen");
    QTest::newRow("sizing sheet reloaded") << 0 << 0;
    QTest::newRow("flow sheet replaced by the sizing sheet") << 1 << 1;
}

void TestHeatExchangerCommands::handOverLoadsTheSizingSheet()
{
    QFETCH(int, Modus);
    QFETCH(int, entladen);
    shared().Modus = Modus;
    // What the sheet finds in the shared data when it loads.
    QList<int> mediumBeimLaden;
    toolhost::setSheetReload([&](int m) {
        f.sheetLoads.emplace_back(m, m);
        mediumBeimLaden << shared().Medium;
    });
    toolhost::setSheetReplace([&](int alt, int neu) {
        f.sheetLoads.emplace_back(alt, neu);
        mediumBeimLaden << shared().Medium;
    });
    frmWärmetauscher &w = f.open();
    w.cmdÜbernehmen.userClick();
    QCOMPARE(f.sheetLoads, (std::vector<std::pair<int, int>>{{entladen, 0}}));
    QCOMPARE(mediumBeimLaden, QList<int>{2});
    QCOMPARE(shared().Modus, 0);
    QVERIFY(!frmWärmetauscherInstance().isLoaded());
}

void TestHeatExchangerCommands::handOverRefusesWhatASizingCannotUse_data()
{
    QTest::addColumn<QStringList>("schritte");
    // Most cases end with a good entry elsewhere, which leaves the button off all the same.
    QTest::newRow("p1 of the min column") << QStringList{"txtp1min=abc", "txtp2max=3"};
    QTest::newRow("enthalpy of the norm column") << QStringList{"txtp2norm=", "txtp1max=10"};
    QTest::newRow("flow of the max column") << QStringList{"txtTaufheizMax=0", "txtp2min=1"};
    QTest::newRow("temperature of the max column") << QStringList{"txtp1max=", "txtp2max=3"};
    QTest::newRow("flow of a given power") << QStringList{"opt:Vorgabe", "txtWTLeistungNorm=", "txtp2max=3"};
    // Numbers no steam case can have: no saturated steam above 220.93 bar or below 0.006112 bar abs., and a
    // power beyond any sensible size.
    QTest::newRow("p1 above the critical point") << QStringList{"txtp1max=250"};
    QTest::newRow("p2 below the triple point") << QStringList{"txtp2norm=0"};
    QTest::newRow("given power 1e300") << QStringList{"opt:Vorgabe", "txtWTLeistungMin=1e300"};
    // A steam flow below zero would follow from them.
    QTest::newRow("mass below zero") << QStringList{"txtMmax=-1858", "txtp2min=1"};
    QTest::newRow("given power below zero") << QStringList{"opt:Vorgabe", "txtWTLeistungNorm=-100", "txtp2max=3"};
}

void TestHeatExchangerCommands::handOverRefusesWhatASizingCannotUse()
{
    QFETCH(QStringList, schritte);
    frmWärmetauscher &w = f.open();
    const auto vorher = uebergabewerte(shared());
    eingeben(w, schritte);
    // The refusal shows before the click: the button is off, and clicking it changes nothing.
    QVERIFY(!w.cmdÜbernehmen.enabled());
    w.cmdÜbernehmen.userClick();
    QVERIFY(frmWärmetauscherInstance().isLoaded());
    QCOMPARE(alsText(uebergabewerte(shared())), alsText(vorher));
    QCOMPARE(shared().NameMedium, QStringLiteral("Wasserdampf"));
    QVERIFY(f.sheetLoads.empty());
}

void TestHeatExchangerCommands::handOverKeepsValuesTheDialogHasNot_data()
{
    QTest::addColumn<QStringList>("schritte");
    QTest::addColumn<QString>("wert");
    QTest::addColumn<double>("erwartet");
    // A column switched off is transferred all the same, but what it does not hold as a number stays as it was.
    // (A bad entry disables the button until a good one follows.)
    QTest::newRow("min column off: its numbers") << QStringList{"chk:min", "txtMmin=750"} << "Mmin" << 750.0;
    QTest::newRow("min column off: p1 letters") << QStringList{"chk:min", "txtp1min=abc", "txtp2max=3"} << "p1Min"
                                                << 4.0;
    QTest::newRow("min column off: no flow") << QStringList{"chk:min", "txtTaufheizMin=0", "txtp2max=3"} << "QMin"
                                             << 7.5;
    QTest::newRow("min column off: no power") << QStringList{"chk:min", "txtTaufheizMin=0", "txtp2max=3"}
                                              << "WTLeistungMin" << 25.0;
    QTest::newRow("min column off: MIN") << QStringList{"chk:min"} << "MIN" << 0.0;
    QTest::newRow("min column off: p1 without saturated steam") << QStringList{"chk:min", "txtp1min=250"} << "p1Min"
                                                                << 4.0;
    // ... but in the units the hand-over sets: 4 bar are 58.02 psia (4 / 0.06894757, four digits), 0 °C 32 F.
    QTest::newRow("min column off, psia: p1 kept, converted")
        << QStringList{"chk:min", "txtp1min=250", "unit:psia"} << "p1Min" << 58.02;
    QTest::newRow("min column off, F: T1 kept, converted") << QStringList{"chk:min", "txtp1min=250", "unit:F"}
                                                           << "T1Min" << 32.0;
    // With the power given, mass and time are no inputs; a blank one keeps the stored value.
    QTest::newRow("given power: blank mass") << QStringList{"opt:Vorgabe", "txtMmax=", "txtWTLeistungMax=100"}
                                             << "Mmax" << 2000.0;
    QTest::newRow("given power: the power") << QStringList{"opt:Vorgabe", "txtMmax=", "txtWTLeistungMax=100"}
                                            << "WTLeistungMax" << 100.0;
    QTest::newRow("given power: WTcalc") << QStringList{"opt:Vorgabe"} << "WTcalc" << 0.0;
    // The rises take the unit the hand-over sets; a blank one stays as a rise in F (40 K are 72 F).
    QTest::newRow("given power in F: blank rise") << QStringList{"opt:Vorgabe", "unit:F", "txtDeltaTmin="}
                                                  << "DeltaTMin" << 72.0;
}

void TestHeatExchangerCommands::handOverKeepsValuesTheDialogHasNot()
{
    QFETCH(QStringList, schritte);
    QFETCH(QString, wert);
    QFETCH(double, erwartet);
    shared().QMin = 7.5;
    frmWärmetauscher &w = f.open();
    eingeben(w, schritte);
    w.cmdÜbernehmen.userClick();
    QVERIFY(!frmWärmetauscherInstance().isLoaded());
    const auto gelesen = uebergabewerte(shared());
    QVERIFY(gelesen.count(wert));
    QCOMPARE(gelesen.at(wert), erwartet);
}

void TestHeatExchangerCommands::cancelAndCloseChangeNothing_data()
{
    QTest::addColumn<bool>("schliessfeld");
    QTest::newRow("Abbruch") << false;
    QTest::newRow("close box") << true;
}

void TestHeatExchangerCommands::cancelAndCloseChangeNothing()
{
    QFETCH(bool, schliessfeld);
    const auto vorher = uebergabewerte(shared());
    frmWärmetauscher &w = f.open();
    eingeben(w, {"txtp1max=8", "txtMmax=3000", "chk:min", "opt:Vorgabe", "txtWTLeistungMax=55"});
    w.cmbT1unit.userPick(1);
    if (schliessfeld)
        w.userClose();
    else
        w.cmdAbbruch.userClick();
    formruntime::collect();
    QVERIFY(!frmWärmetauscherInstance().isLoaded());
    QCOMPARE(alsText(uebergabewerte(shared())), alsText(vorher));
    QVERIFY(f.sheetLoads.empty());
    // The next opening shows the stored case again.
    frmWärmetauscher &wieder = f.open();
    QCOMPARE(gezeigt(wieder, {"txtp1max", "txtMmax", "txtWTLeistungMax"}), zahlen({"10.00", "2000", "92.89"}));
    QCOMPARE(wieder.chkMin.value(), 1);
    QCOMPARE(wieder.cmbT1unit.listIndex(), 0);
}

void TestHeatExchangerCommands::printCopiesWhatTheDialogShows()
{
    shared().QUnit = 1;
    frmWärmetauscher &w = f.open();
    eingeben(w, {"chk:norm", "txtTaufheizMax=0", "txtp2min=abc", "txtMnorm=1234.5"});
    QString modal;
    f.ui.onNextModal([&](Form &form) { modal = form.name(); });
    w.cmdDruck.userClick();
    QCOMPARE(modal, QStringLiteral("frmDruck_WTauscher"));
    // The dialog stays open under the print dialog and after it.
    QVERIFY(frmWärmetauscherInstance().isLoaded());

    const SharedData &d = shared();
    const QList<const Variant *> variablen = {
        &d.WTDruck_p1Min, &d.WTDruck_p1Norm, &d.WTDruck_p1Max, &d.WTDruck_p2Min, &d.WTDruck_p2Norm,
        &d.WTDruck_p2Max, &d.WTDruck_T1Min, &d.WTDruck_T1Norm, &d.WTDruck_T1Max, &d.WTDruck_Mmin,
        &d.WTDruck_Mnorm, &d.WTDruck_Mmax, &d.WTDruck_Cp, &d.WTDruck_DeltaTMin, &d.WTDruck_DeltaTNorm,
        &d.WTDruck_DeltaTMax, &d.WTDruck_TaufheizMin, &d.WTDruck_TaufheizNorm, &d.WTDruck_TaufheizMax,
        &d.WTDruck_rMin, &d.WTDruck_rNorm, &d.WTDruck_rMax, &d.WTDruck_WTLeistungMin,
        &d.WTDruck_WTLeistungNorm, &d.WTDruck_WTLeistungMax, &d.WTDruck_QMin, &d.WTDruck_QNorm, &d.WTDruck_QMax};
    QStringList kopiert;
    for (const Variant *v : variablen)
        kopiert << v->toString();
    QCOMPARE(kopiert, gezeigt(w, {"txtp1min", "txtp1norm", "txtp1max", "txtp2min", "txtp2norm", "txtp2max",
                                  "lblT1min", "lblT1norm", "lblT1max", "txtMmin", "txtMnorm", "txtMmax", "txtCpMax",
                                  "txtDeltaTmin", "txtDeltaTnorm", "txtDeltaTmax", "txtTaufheizMin",
                                  "txtTaufheizNorm", "txtTaufheizMax", "lblVerdEnthalpieMin",
                                  "lblVerdEnthalpieNorm", "lblVerdEnthalpieMax", "txtWTLeistungMin",
                                  "txtWTLeistungNorm", "txtWTLeistungMax", "lblQmin", "lblQnorm", "lblQmax"}));
    // As shown: a hidden column's values, "--" where nothing could be computed, a text that is no number.
    QCOMPARE(d.WTDruck_Mnorm.toString(), zahl("1234.5"));
    QCOMPARE(d.WTDruck_QMax.toString(), QStringLiteral("--"));
    QCOMPARE(d.WTDruck_rMin.toString(), QStringLiteral("--"));
    QCOMPARE(d.WTDruck_p2Min.toString(), QStringLiteral("abc"));
    QVERIFY(d.WTDruck_MIN && !d.WTDruck_NORM);
    QCOMPARE(QList<int>({d.WTDruck_p1Unit, d.WTDruck_p2Unit, d.WTDruck_T1Unit, d.WTDruck_Munit, d.WTDruck_ZeitUnit,
                         d.WTDruck_QUnit}),
             QList<int>({0, 0, 0, 0, 2, 1}));
    QCOMPARE(d.WTDruck_WTcalc, Variant(true));
}

void TestHeatExchangerCommands::printedPageCarriesTheDrawing()
{
    frmWärmetauscher &w = f.open();
    f.ui.onNextModal([](Form &form) { dynamic_cast<frmDruck_WTauscher &>(form).cmdOK.press(); });
    w.cmdDruck.userClick();
    formruntime::collect();
    QCOMPARE(f.recorder.documents().size(), std::size_t(1));
    const RecordedDocument &seite = f.recorder.last();
    QCOMPARE(seite.deviceName, QStringLiteral("Office"));
    QCOMPARE(seite.pictures.size(), std::size_t(2)); // the logo and the drawing
    QCOMPARE(seite.pictures.back().pixels, QSize(240, 160));
    // The drawing keeps its size in the window: 3600 x 2400 twips are 63.5 x 42.3 mm.
    QCOMPARE(qRound(seite.pictures.back().place.width() * 10), 635);
    QCOMPARE(qRound(seite.pictures.back().place.height() * 10), 423);
    QVERIFY(seite.find(zahl("135.5")));
}

void TestHeatExchangerCommands::pdfPrintSwitchesThePrinter_data()
{
    QTest::addColumn<QStringList>("installiert"); // the platform's default first
    QTest::addColumn<QString>("PDFDrucker");
    QTest::addColumn<QString>("StandardDrucker");
    QTest::addColumn<QString>("gewaehlt"); // chosen in the printer set-up before; empty: none
    QTest::addColumn<QString>("waehrend");
    QTest::addColumn<QString>("danach");
    QTest::newRow("PDF printer, then the default again")
        << QStringList{"Office", "PDF"} << "PDF" << "Office" << "" << "PDF" << "Office";
    QTest::newRow("PDF printer among several") << QStringList{"Office", "Lab", "PDF", "Plotter"} << "PDF" << "Office"
                                               << "Plotter" << "PDF" << "Office";
    QTest::newRow("none found: the current printer stays") << QStringList{"Office", "Lab"} << "" << "Office"
                                                           << "Lab" << "Lab" << "Office";
    QTest::newRow("PDF printer gone since start-up") << QStringList{"Office", "Lab"} << "PDF" << "Office" << ""
                                                     << "Office" << "Office";
    QTest::newRow("names compare exactly") << QStringList{"Office", "PDF"} << "pdf" << "Office" << "" << "Office"
                                           << "Office";
    QTest::newRow("default printer gone: the PDF printer stays") << QStringList{"Lab", "PDF"} << "PDF" << "Office"
                                                                 << "" << "PDF" << "PDF";
}

void TestHeatExchangerCommands::pdfPrintSwitchesThePrinter()
{
    QFETCH(QStringList, installiert);
    QFETCH(QString, PDFDrucker);
    QFETCH(QString, StandardDrucker);
    QFETCH(QString, gewaehlt);
    QFETCH(QString, waehrend);
    QFETCH(QString, danach);
    f.printers.set(installiert.first(), installiert);
    resetPrinterSession();
    if (!gewaehlt.isEmpty())
        QVERIFY(selectPrinter(gewaehlt));
    shared().PDFDrucker = PDFDrucker;
    shared().StandardDrucker = StandardDrucker;
    frmWärmetauscher &w = f.open();
    QString imDialog;
    f.ui.onNextModal([&](Form &) { imDialog = currentPrinter(); });
    w.cmdPDFDruck.userClick();
    QCOMPARE(imDialog, waehrend);
    QCOMPARE(currentPrinter(), danach);
    QCOMPARE(shared().WTDruck_p1Max.toString(), w.txtp1max.text());
    QVERIFY(f.ui.messages().empty());
}

QTEST_MAIN(TestHeatExchangerCommands)
#include "test_heat_exchanger_commands.moc"
