// The printout of a calculation sheet on the recorder: the rows of each section with their columns, the
// judgements and markers, the page frame, page breaks and the footer's room.
#include "report_fixture.h"

#include "../engine/sizing_fixture.h"
#include "engine/sizing_recalc.h"
#include "reports/report_frame.h"
#include "units/data_folder.h"
#include "units/maker_identity.h"

#include <QTest>

using namespace reportfixture;

Q_DECLARE_METATYPE(Change)

namespace {

const double kLine8 = lineOf(8.0);

QStringList pieces(const RecordedDocument &d, int page)
{
    QStringList out;
    for (const RecordedText &t : d.texts)
        if (t.page == page)
            out << t.text;
    return out;
}

// The rows of the sheet printout's table tests.
void checkRowAfterChange()
{
    reportfixture::checkRowAfterChange<Fixture>([](Fixture &fx, int language) -> const RecordedDocument & {
        return fx.print([language](frmDruck &f) { f.cmbSprache.setListIndex(language); });
    });
}

bool isBold(const RecordedDocument &d, const QString &text)
{
    const RecordedText *t = d.find(text);
    return t && t->font.bold;
}

} // namespace

class TestSheetReport : public QObject {
    Q_OBJECT

private slots:
    void processSection_data();
    void processSection();
    void flowProcessRowIsBold();
    void valveSection_data();
    void valveSection();
    void rowSpacing_data();
    void rowSpacing();
    void markersAndWarnings_data();
    void markersAndWarnings();
    void pointsTheValveCannotPassAreMarked_data();
    void pointsTheValveCannotPassAreMarked();
    void screenAndPaperAgree_data();
    void screenAndPaperAgree();
    void rangeabilityOnScreenAndPaper_data();
    void rangeabilityOnScreenAndPaper();
    void beyondFullTravelOnScreenAndPaper_data();
    void beyondFullTravelOnScreenAndPaper();
    void numbersFitTheirColumns_data();
    void numbersFitTheirColumns();
    void extendedSection_data();
    void extendedSection();
    void pipeNoiseFluid_data();
    void pipeNoiseFluid();
    void headerBlock_data();
    void headerBlock();
    void longTextsStayOnThePage_data();
    void longTextsStayOnThePage();
    void pageHeaderAndFooter();
    void pageBreaks();
    void footerNeverOverprinted();
    void footerPage_data();
    void footerPage();
};

void TestSheetReport::processSection_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("expected");

    const Change none = [](SharedData &) {};
    QTest::newRow("column heads") << none << "Betriebszustand:"
                                  << QStringList{"10:Betriebszustand:", "55:min.", "77:norm.", "99:max."};
    QTest::newRow("pressure: blank before the value")
        << none << "Nachdruck P2" << QStringList{"10:Nachdruck P2", "55: 7", "77: " + z("6.5"), "99: 6", "110:bar,abs."};
    QTest::newRow("temperature ####.0") << none << "Temperatur T1"
                                        << QStringList{"10:Temperatur T1", "55:" + z("20.0"), "77:" + z("20.0"),
                                                       "99:" + z("20.0"), "110:°C"};
    QTest::newRow("flow four digits") << none << "Durchfluss Q"
                                      << QStringList{"10:Durchfluss Q", "55:" + z("10.00"), "77:" + z("20.00"),
                                                     "99:" + z("30.00"), "110:m3/h"};
    QTest::newRow("MIN set, QMin 0: no min entries")
        << Change([](SharedData &s) { s.QMin = 0; }) << "Vordruck P1"
        << QStringList{"10:Vordruck P1", "77: 10", "99: 10", "110:bar,abs."};
    QTest::newRow("MIN and NORM off: heads stay") << Change([](SharedData &s) { s.MIN = s.NORM = false; })
                                                  << "Betriebszustand:"
                                                  << QStringList{"10:Betriebszustand:", "55:min.", "77:norm.", "99:max."};
    QTest::newRow("MIN and NORM off: max only") << Change([](SharedData &s) { s.MIN = s.NORM = false; })
                                                << "Durchfluss Q"
                                                << QStringList{"10:Durchfluss Q", "99:" + z("30.00"), "110:m3/h"};
    QTest::newRow("negative QNorm: no norm entries") << Change([](SharedData &s) { s.QNorm = -5; }) << "Durchfluss Q"
                                                     << QStringList{"10:Durchfluss Q", "55:" + z("10.00"),
                                                                    "99:" + z("30.00"), "110:m3/h"};
    QTest::newRow("T1 0.5 prints .5") << Change([](SharedData &s) { s.MIN = s.NORM = false, s.T1Max = 0.5; })
                                      << "Temperatur T1" << QStringList{"10:Temperatur T1", "99:" + z(".5"), "110:°C"};
    QTest::newRow("T1 120") << Change([](SharedData &s) { s.MIN = s.NORM = false, s.T1Max = 120; }) << "Temperatur T1"
                            << QStringList{"10:Temperatur T1", "99:" + z("120.0"), "110:°C"};
    QTest::newRow("negative gauge pressure: its sign")
        << Change([](SharedData &s) { s.MIN = s.NORM = false, s.p2Unit = 1, s.p2Max = -0.5; }) << "Nachdruck P2"
        << QStringList{"10:Nachdruck P2", "99:" + z("-0.5"), "110:bar,ü."};
    QTest::newRow("steam: real gas, mass flow")
        << Change([](SharedData &s) {
               s.Medium = 2, s.Zustand = 2, s.NameMedium = "Wasserdampf", s.MIN = s.NORM = false;
           })
        << "Durchfluss Q" << QStringList{"10:Durchfluss Q", "99:" + z("30.00"), "110:kg/h"};
    QTest::newRow("steam heading") << Change([](SharedData &s) { s.Zustand = 2, s.NameMedium = "Wasserdampf"; })
                                   << "Prozessdaten / Medium: Wasserdampf / Zustandsverhalten: Reales Gas"
                                   << QStringList{"10:Prozessdaten / Medium: Wasserdampf / Zustandsverhalten: Reales Gas"};
    QTest::newRow("a user's liquid keeps its name") << Change([](SharedData &s) { s.NameMedium = "Glykol 30%"; })
                                                    << "Prozessdaten / Medium: Glykol 30% / Zustandsverhalten: Flüssigkeit"
                                                    << QStringList{"10:Prozessdaten / Medium: Glykol 30% / "
                                                                   "Zustandsverhalten: Flüssigkeit"};
    QTest::newRow("English printout, German gauge unit")
        << Change([](SharedData &s) { s.SpracheDruck = 1, s.MIN = s.NORM = false, s.p1Unit = 1; })
        << "Inlet pressure P1" << QStringList{"10:Inlet pressure P1", "99: 10", "110:bar,ü."};
    QTest::newRow("English heading translates the built-in medium")
        << Change([](SharedData &s) { s.SpracheDruck = 1, s.NameMedium = "Wasserdampf", s.Zustand = 2; })
        << "Process data / Medium: Steam / Fluid state: Real gas"
        << QStringList{"10:Process data / Medium: Steam / Fluid state: Real gas"};
    QTest::newRow("flow sheet: single entry, no heads row")
        << Change([](SharedData &s) { s.Modus = 1; }) << "Vordruck P1"
        << QStringList{"10:Vordruck P1", "99: 10", "110:bar,abs."};
    QTest::newRow("flow sheet: computed flow") << Change([](SharedData &s) { s.Modus = 1; })
                                               << "Durchfluss Q (berechnet)"
                                               << QStringList{"10:Durchfluss Q (berechnet)", "99:" + z("30.00"),
                                                              "110:m3/h"};
    QTest::newRow("flow sheet: no heads row") << Change([](SharedData &s) { s.Modus = 1; }) << "Betriebszustand:"
                                              << QStringList{};
}

void TestSheetReport::processSection()
{
    QFETCH(Change, change);
    QFETCH(QString, label);
    QFETCH(QStringList, expected);
    Fixture fx;
    change(shared());
    const int printLanguage = shared().SpracheDruck;
    const RecordedDocument &d = fx.print([&](frmDruck &f) { f.cmbSprache.setListIndex(printLanguage); });
    QCOMPARE(row(d, label), expected);
}

void TestSheetReport::flowProcessRowIsBold()
{
    Fixture fx;
    shared().Modus = 1;
    const RecordedDocument &d = fx.print();
    for (const QString &piece : {QStringLiteral("Durchfluss Q (berechnet)"), z("30.00"), QStringLiteral("m3/h")})
        QVERIFY2(isBold(d, piece), qPrintable(piece));
    // Bold is switched off between the pieces: the rows around stay regular.
    QVERIFY(!isBold(d, QStringLiteral("Temperatur T1")));
    QVERIFY(!isBold(d, QStringLiteral("bar,abs.")));
}

void TestSheetReport::valveSection_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<QStringList>("expected");

    const Change none = [](SharedData &) {};
    QTest::newRow("size") << none << "Nennweite" << 0 << QStringList{"10:Nennweite", "99:50", "110:mm"};
    QTest::newRow("characteristic") << none << "Kennlinie" << 0 << QStringList{"10:Kennlinie", "99:gleich%"};
    QTest::newRow("Kvs and reduction, plain single") << none << "Durchflusskoeffizient" << 0
                                                     << QStringList{"10:Durchflusskoeffizient", "99:Kvs 40 (0%)"};
    QTest::newRow("Kvs 6.3, reduction 40")
        << Change([](SharedData &s) { s.KvsCv = 6.3f, s.Reduktion = 40.0f; }) << "Durchflusskoeffizient" << 0
        << QStringList{"10:Durchflusskoeffizient", "99:Kvs " + z("6.3") + " (40%)"};
    QTest::newRow("computed Kv") << none << "berechnet" << 0
                                 << QStringList{"18:berechnet", "55:Kv " + z("5.774"), "77:Kv " + z("11.09"),
                                                "99:Kv " + z("15.49")};
    QTest::newRow("computed Cv") << Change([](SharedData &s) { s.KvUnit = 1; }) << "berechnet" << 0
                                 << QStringList{"18:berechnet", "55:CV " + z("5.774"), "77:CV " + z("11.09"),
                                                "99:CV " + z("15.49")};
    QTest::newRow("valve rangeability") << none << "Stellverhältnis" << 0
                                        << QStringList{"10:Stellverhältnis", "99:" + z("50.0") + ":1"};
    QTest::newRow("required rangeability") << none << "berechnet" << 1
                                           << QStringList{"18:berechnet", "55:" + z("6.93") + ":1",
                                                          "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1"};
    QTest::newRow("openings") << none << "Ventilöffnung" << 0
                              << QStringList{"10:Ventilöffnung", "55:" + z("35.2"), "77:" + z("55.9"),
                                             "99:" + z("64.3"), "110:%"};
    QTest::newRow("full-open flow") << none << "Max. Durchfluss (y = 100%)" << 0
                                    << QStringList{"10:Max. Durchfluss (y = 100%)", "99:" + z("52.10"), "110:m3/h"};
    QTest::newRow("reserve #.#") << none << "Durchflussreserve" << 0
                                 << QStringList{"10:Durchflussreserve", "99:" + z("73.7"), "110:%"};
    QTest::newRow("liquid: FL") << none << "Druckrückgewinn-Faktor FL" << 0
                                << QStringList{"10:Druckrückgewinn-Faktor FL", "55:" + z("0.900"),
                                               "77:" + z("0.890"), "99:" + z("0.880")};
    QTest::newRow("gas: xT") << Change(airSizing) << "Krit. Druckverhältnis xT" << 0
                             << QStringList{"10:Krit. Druckverhältnis xT", "55:" + z("0.700"), "77:" + z("0.690"),
                                            "99:" + z("0.680")};
    QTest::newRow("min and norm off") << Change([](SharedData &s) { s.MIN = s.NORM = false; }) << "Ventilöffnung"
                                      << 0 << QStringList{"10:Ventilöffnung", "99:" + z("64.3"), "110:%"};
    QTest::newRow("rangeability rows off") << Change([](SharedData &s) { s.DruckStellverhältnis = Variant(false); })
                                           << "Stellverhältnis" << 0 << QStringList{};
    QTest::newRow("on/off: no rangeability") << Change([](SharedData &s) { s.Kennlinie = 2; }) << "Stellverhältnis"
                                             << 0 << QStringList{};
    QTest::newRow("on/off: no opening row") << Change([](SharedData &s) { s.Kennlinie = 2; }) << "Ventilöffnung" << 0
                                            << QStringList{};
    QTest::newRow("on/off: characteristic") << Change([](SharedData &s) { s.Kennlinie = 2; }) << "Kennlinie" << 0
                                            << QStringList{"10:Kennlinie", "99:Auf/Zu"};
    // An opening the solver could not find: the sheet shows "N/A" for it and all that depends on it.
    const Change notFound = [](SharedData &s) { s.yMax = -1, s.StellverhältnisMax = 0, s.FLMax = 0; };
    QTest::newRow("opening not found: Kv") << notFound << "berechnet" << 0
                                           << QStringList{"18:berechnet", "55:Kv " + z("5.774"), "77:Kv " + z("11.09"),
                                                          "99:Kv N/A"};
    QTest::newRow("opening not found: rangeability") << notFound << "berechnet" << 1
                                                     << QStringList{"18:berechnet", "55:" + z("6.93") + ":1",
                                                                    "77:" + z("3.61") + ":1", "99:N/A"};
    QTest::newRow("opening not found: opening, its note's marker")
        << notFound << "Ventilöffnung" << 0
        << QStringList{"10:Ventilöffnung", "55:" + z("35.2"), "77:" + z("55.9"), "99:N/A", "110:%", "120:1)"};
    QTest::newRow("opening not found: FL") << notFound << "Druckrückgewinn-Faktor FL" << 0
                                           << QStringList{"10:Druckrückgewinn-Faktor FL", "55:" + z("0.900"),
                                                          "77:" + z("0.890"), "99:N/A"};
    QTest::newRow("flow sheet: computed coefficient in Kv units")
        << Change([](SharedData &s) { s.Modus = 1, s.KvUnit = 1; }) << "berechnet" << 0
        << QStringList{"18:berechnet", "99:CV " + z("15.49")};
    QTest::newRow("flow sheet: computed coefficient is Kv, not Kvs") << Change([](SharedData &s) { s.Modus = 1; })
                                                                     << "berechnet" << 0
                                                                     << QStringList{"18:berechnet", "99:Kv " + z("15.49")};
    QTest::newRow("flow sheet: opening, four digits") << Change([](SharedData &s) { s.Modus = 1; }) << "Ventilöffnung"
                                                      << 0 << QStringList{"10:Ventilöffnung", "99:" + z("64.32"), "110:%"};
    QTest::newRow("flow sheet: FL max only") << Change([](SharedData &s) { s.Modus = 1; })
                                             << "Druckrückgewinn-Faktor FL" << 0
                                             << QStringList{"10:Druckrückgewinn-Faktor FL", "99:" + z("0.880")};
    QTest::newRow("flow sheet: no reserve") << Change([](SharedData &s) { s.Modus = 1; }) << "Durchflussreserve" << 0
                                            << QStringList{};
}

void TestSheetReport::valveSection()
{
    checkRowAfterChange();
}

void TestSheetReport::rowSpacing_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<int>("upperOccurrence");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<double>("lines");

    const QString water = "Prozessdaten / Medium: Wasser / Zustandsverhalten: Flüssigkeit";
    QTest::newRow("sizing: heads row under the rule") << Change([](SharedData &) {}) << water << 0
                                                      << "Betriebszustand:" << 2.0;
    QTest::newRow("sizing: an empty line before P1") << Change([](SharedData &) {}) << water << 0 << "Vordruck P1"
                                                     << 4.0;
    QTest::newRow("flow sheet: P1 right under the rule") << Change([](SharedData &s) { s.Modus = 1; }) << water << 0
                                                         << "Vordruck P1" << 2.0;
    QTest::newRow("computed coefficient on the next line") << Change([](SharedData &) {}) << "Durchflusskoeffizient"
                                                           << 0 << "berechnet" << 1.0;
    QTest::newRow("rangeability after an empty line") << Change([](SharedData &) {}) << "berechnet" << 0
                                                      << "Stellverhältnis" << 2.0;
    QTest::newRow("on/off: two empty lines before the full-open flow")
        << Change([](SharedData &s) { s.Kennlinie = 2; }) << "berechnet" << 0 << "Max. Durchfluss (y = 100%)" << 3.0;
    QTest::newRow("extended rows follow the valve rows directly")
        << Change([](SharedData &s) { s.DruckKenndaten = Variant(true); }) << "Druckrückgewinn-Faktor FL" << 0
        << "z-Wert" << 1.0;
    QTest::newRow("one empty line after the valve data") << Change([](SharedData &) {}) << "Druckrückgewinn-Faktor FL"
                                                         << 0 << "Rohrleitung" << 2.0;
}

void TestSheetReport::rowSpacing()
{
    QFETCH(Change, change);
    QFETCH(QString, upper);
    QFETCH(int, upperOccurrence);
    QFETCH(QString, lower);
    QFETCH(double, lines);
    Fixture fx;
    change(shared());
    const RecordedDocument &d = fx.print();
    const QStringList upperRow = row(d, upper, upperOccurrence);
    QVERIFY(!upperRow.isEmpty());
    double top = -1;
    int seen = 0;
    for (const RecordedText &t : d.texts)
        if (t.text == upper && seen++ == upperOccurrence)
            top = t.y;
    const double below = heightOf(d, lower);
    QVERIFY(below > 0);
    QCOMPARE(inLines(below - top), lines);
}

void TestSheetReport::markersAndWarnings_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("rangeabilityRow");
    QTest::addColumn<QStringList>("reserveRow");
    QTest::addColumn<QStringList>("boldPieces");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<int>("count");

    const QString r1 = "1) Stellverhältnis nicht ausreichend!";
    QTest::newRow("nothing short") << Change([](SharedData &) {})
                                   << QStringList{"18:berechnet", "55:" + z("6.93") + ":1", "77:" + z("3.61") + ":1",
                                                  "99:" + z("2.58") + ":1"}
                                   << QStringList{"10:Durchflussreserve", "99:" + z("73.7"), "110:%"} << QStringList{}
                                   << QStringList{} << 0;
    QTest::newRow("rangeability 50 against 20, 60, 80")
        << Change([](SharedData &s) {
               s.StellverhältnisMin = 20, s.StellverhältnisNorm = 60, s.StellverhältnisMax = 80;
           })
        << QStringList{"18:berechnet", "55:" + z("20.0") + ":1", "77:" + z("60.0") + ":1", "99:" + z("80.0") + ":1",
                       "120:1)"}
        << QStringList{"10:Durchflussreserve", "99:" + z("73.7"), "110:%"}
        << QStringList{z("60.0") + ":1", z("80.0") + ":1", "1)"} << QStringList{r1} << 1;
    // A curve dipping from Kv(0) 2.0 to its least Kv 1.28 (Kvs 40: 0.05 - 0.3 y + 1.25 y^2) reaches 31.25:1. A point
    // at opening 0 is judged against that, not against the 20:1 of Kv(0), whatever the stated 50:1.
    const Change dipping = [](SharedData &s) {
        s.A0 = Variant(0.05), s.A1 = Variant(-0.3), s.A2 = Variant(1.25), s.yMin = 0;
    };
    QTest::newRow("opening 0 between a dipping curve's least Kv and its Kv(0)")
        << Change([dipping](SharedData &s) { dipping(s), s.Kvmin = 1.6, s.StellverhältnisMin = 25; })
        << QStringList{"18:berechnet", "55:" + z("25.0") + ":1", "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{"10:Durchflussreserve", "99:" + z("73.7"), "110:%"} << QStringList{} << QStringList{} << 0;
    // Kvs 40, Kv/Kvs = 0.05 - 0.05 y / 1.2 + 0.025 y^2 / 0.144 + a5 y^5, a5 closing it to Kvs at full travel (least
    // Kv 1.9 at y 0.12, 21.04:1), with FL = 0.5 + 0.5 y:
    // choked from 10 to 1 bar, the flow FL Kv sqrt(1000 (10 - FF pv) / 998.2) is least at y = 0, 3.1616 m3/h. 3.1 m3/h
    // lies below it and needs Kv 1.9610 with FL(0) (20.4:1): above the curve's least Kv, yet below what the valve
    // passes anywhere; 3.2 m3/h does not.
    const auto flChanging = [](double Q, double Kv) {
        return Change([Q, Kv](SharedData &s) {
            s.KvsCv = 40.0f, s.A0 = Variant(0.05), s.A1 = Variant(-0.05 / 1.2), s.A2 = Variant(0.025 / 0.144);
            s.A5 = Variant(1 - 0.05 + 0.05 / 1.2 - 0.025 / 0.144);
            s.AFL = Variant(0.5), s.BFL = Variant(0.5), s.p2Min = 1, s.QMin = Q, s.yMin = 0;
            s.Kvmin = Kv, s.StellverhältnisMin = 40 / Kv;
        });
    };
    QTest::newRow("opening 0 below the least flow, its Kv above the least Kv")
        << flChanging(3.1, 1.9610413)
        << QStringList{"18:berechnet", "55:" + z("20.4") + ":1", "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1",
                       "120:1)"}
        << QStringList{"10:Durchflussreserve", "99:" + z("73.7"), "110:%"} << QStringList{z("20.4") + ":1", "1)"}
        << QStringList{r1} << 1;
    QTest::newRow("opening 0 at a flow the valve passes")
        << flChanging(3.2, 2.0243)
        << QStringList{"18:berechnet", "55:" + z("19.8") + ":1", "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{"10:Durchflussreserve", "99:" + z("73.7"), "110:%"} << QStringList{} << QStringList{} << 0;
    QTest::newRow("reserve 10 % after a rangeability marker")
        << Change([](SharedData &s) { s.StellverhältnisMax = 80, s.Q100 = 33; })
        << QStringList{"18:berechnet", "55:" + z("6.93") + ":1", "77:" + z("3.61") + ":1", "99:" + z("80.0") + ":1",
                       "120:1)"}
        << QStringList{"10:Durchflussreserve", "99:" + z("10."), "110:%", "120:2)"}
        << QStringList{z("80.0") + ":1", "1)", z("10."), "2)"}
        << QStringList{r1, "2) Durchflussreserve evtl. nicht ausreichend!"} << 2;
    QTest::newRow("reserve 0: valve flow, as on the sheet")
        << Change([](SharedData &s) { s.Q100 = 30; })
        << QStringList{"18:berechnet", "55:" + z("6.93") + ":1", "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{"10:Durchflussreserve", "99:0", "110:%", "120:1)"} << QStringList{"0", "1)"}
        << QStringList{"1) Ventildurchfluss nicht ausreichend!"} << 1;
    QTest::newRow("negative reserve: valve flow")
        << Change([](SharedData &s) { s.Q100 = 27; })
        << QStringList{"18:berechnet", "55:" + z("6.93") + ":1", "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{"10:Durchflussreserve", "99:" + z("-10."), "110:%", "120:1)"} << QStringList{z("-10."), "1)"}
        << QStringList{"1) Ventildurchfluss nicht ausreichend!"} << 1;
    QTest::newRow("no maximum flow: valve flow, as on the sheet")
        << Change([](SharedData &s) { s.QMax = 0; })
        << QStringList{"18:berechnet", "55:" + z("6.93") + ":1", "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{"10:Durchflussreserve", "99:N/A", "110:%", "120:1)"} << QStringList{"N/A", "1)"}
        << QStringList{"1) Ventildurchfluss nicht ausreichend!"} << 1;
    QTest::newRow("an opening not found is not judged; its note is listed")
        << Change([](SharedData &s) { s.yNorm = -1, s.StellverhältnisNorm = 0; })
        << QStringList{"18:berechnet", "55:" + z("6.93") + ":1", "77:N/A", "99:" + z("2.58") + ":1"}
        << QStringList{"10:Durchflussreserve", "99:" + z("73.7"), "110:%"} << QStringList{"1)"}
        << QStringList{"1) Ventilöffnung nicht ermittelbar!"} << 1;
    QTest::newRow("rangeability rows off: no rangeability warning")
        << Change([](SharedData &s) { s.StellverhältnisMax = 80, s.DruckStellverhältnis = Variant(false); })
        << QStringList{} << QStringList{"10:Durchflussreserve", "99:" + z("73.7"), "110:%"} << QStringList{}
        << QStringList{} << 0;
    QTest::newRow("on/off valve: no rangeability marker")
        << Change([](SharedData &s) { s.StellverhältnisMax = 80, s.Kennlinie = 2; }) << QStringList{}
        << QStringList{"10:Durchflussreserve", "99:" + z("73.7"), "110:%"} << QStringList{} << QStringList{} << 0;
    QTest::newRow("valve data off: no markers, no list")
        << Change([](SharedData &s) { s.StellverhältnisMax = 80, s.Q100 = 27, s.DruckVentildaten = Variant(false); })
        << QStringList{} << QStringList{} << QStringList{} << QStringList{} << 0;
    QTest::newRow("flow sheet judges nothing")
        << Change([](SharedData &s) { s.Modus = 1, s.StellverhältnisMax = 80, s.Q100 = 27; }) << QStringList{}
        << QStringList{} << QStringList{} << QStringList{} << 0;
}

void TestSheetReport::markersAndWarnings()
{
    QFETCH(Change, change);
    QFETCH(QStringList, rangeabilityRow);
    QFETCH(QStringList, reserveRow);
    QFETCH(QStringList, boldPieces);
    QFETCH(QStringList, warnings);
    QFETCH(int, count);
    Fixture fx;
    change(shared());
    frmDruck &f = fx.open();
    f.druck_Berechnungsblatt();
    const RecordedDocument &d = fx.recorder.last();
    QCOMPARE(row(d, QStringLiteral("berechnet"), 1), rangeabilityRow);
    QCOMPARE(row(d, QStringLiteral("Durchflussreserve")), reserveRow);
    const bool sizingValveRows = shared().Modus == 0 && heightOf(d, QStringLiteral("Kennlinie")) > 0;
    for (const RecordedText &t : d.texts) {
        const bool marker = t.text.endsWith(QLatin1Char(')')) && columnOf(t) == report::kMarkerColumn;
        const bool inValveRows = sizingValveRows && t.y > heightOf(d, QStringLiteral("Kennlinie")) &&
                                 t.y < heightOf(d, QStringLiteral("Rohrleitung"));
        if (!inValveRows && !marker)
            continue;
        QVERIFY2(t.font.bold == boldPieces.contains(t.text), qPrintable(t.text));
        if (marker)
            QVERIFY2(t.font.italic, qPrintable(t.text));
    }
    QStringList listed;
    for (const RecordedText *t : d.startingWith(QString()))
        if (columnOf(*t) == report::kLabelColumn && t->text.size() > 3 && t->text[1] == QLatin1Char(')')) {
            listed << t->text;
            QVERIFY(t->font.italic);
        }
    QCOMPARE(listed, warnings);
    QCOMPARE(f.AnzahlWarnungen, count);
    // The list stands under a rule of its own, one line below it.
    if (!warnings.isEmpty()) {
        const RecordedText *first = d.find(warnings.first());
        bool ruleAbove = false;
        for (const RecordedLine &l : d.lines)
            ruleAbove |= l.page == first->page && std::abs(first->y - kLine10 - l.y1) < 0.001;
        QVERIFY(ruleAbove);
    }
}

// A point that needs the valve's full travel gets no more than Kvs: the sheet shows its opening in red and warns
// "Ventildurchfluss nicht ausreichend!". On paper its Kv and its opening are bold, both rows carry the marker of
// that note, and the note stands once in the list, numbered in the list's order; so does an opening not found.
void TestSheetReport::pointsTheValveCannotPassAreMarked_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("kvRow");           // bold pieces as "column:*text"
    QTest::addColumn<QStringList>("rangeabilityRow");
    QTest::addColumn<QStringList>("openingRow");
    QTest::addColumn<QStringList>("reserveRow");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<int>("count");

    // At full travel Kv is the valve's 40, and the required rangeability 40 / 40; fully open the valve passes 69 and
    // 75 m3/h at the min and norm points.
    const Change failMin = [](SharedData &s) { s.yMin = 1, s.Kvmin = 40, s.StellverhältnisMin = 1, s.QMin = 70; };
    const Change failNorm = [](SharedData &s) { s.yNorm = 1, s.Kvnorm = 40, s.StellverhältnisNorm = 1, s.QNorm = 76; };
    auto both = [](Change a, Change b) {
        return Change([a, b](SharedData &s) {
            a(s);
            b(s);
        });
    };
    const QString kv = "18:berechnet";
    const QStringList stv = {"18:berechnet", "55:" + z("6.93") + ":1", "77:" + z("3.61") + ":1",
                             "99:" + z("2.58") + ":1"};
    const QString opening = "10:Ventilöffnung";
    const QStringList reserve = {"10:Durchflussreserve", "99:" + z("73.7"), "110:%"};
    const QString flow1 = "1) Ventildurchfluss nicht ausreichend!";

    QTest::newRow("min beyond full travel")
        << failMin << QStringList{kv, "55:*Kv " + z("40.00"), "77:Kv " + z("11.09"), "99:Kv " + z("15.49"), "120:*1)"}
        << QStringList{"18:berechnet", "55:" + z("1.00") + ":1", "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{opening, "55:*100", "77:" + z("55.9"), "99:" + z("64.3"), "110:%", "120:*1)"} << reserve
        << QStringList{flow1} << 1;
    QTest::newRow("norm beyond full travel, max passing")
        << failNorm << QStringList{kv, "55:Kv " + z("5.774"), "77:*Kv " + z("40.00"), "99:Kv " + z("15.49"), "120:*1)"}
        << QStringList{"18:berechnet", "55:" + z("6.93") + ":1", "77:" + z("1.00") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{opening, "55:" + z("35.2"), "77:*100", "99:" + z("64.3"), "110:%", "120:*1)"} << reserve
        << QStringList{flow1} << 1;
    QTest::newRow("min and norm beyond full travel: one note")
        << both(failMin, failNorm)
        << QStringList{kv, "55:*Kv " + z("40.00"), "77:*Kv " + z("40.00"), "99:Kv " + z("15.49"), "120:*1)"}
        << QStringList{"18:berechnet", "55:" + z("1.00") + ":1", "77:" + z("1.00") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{opening, "55:*100", "77:*100", "99:" + z("64.3"), "110:%", "120:*1)"} << reserve
        << QStringList{flow1} << 1;
    QTest::newRow("99.9 % open: unmarked")
        << Change([](SharedData &s) { s.yNorm = 0.999; })
        << QStringList{kv, "55:Kv " + z("5.774"), "77:Kv " + z("11.09"), "99:Kv " + z("15.49")} << stv
        << QStringList{opening, "55:" + z("35.2"), "77:" + z("99.9"), "99:" + z("64.3"), "110:%"} << reserve
        << QStringList{} << 0;
    QTest::newRow("after a rangeability marker the note is 2)")
        << both(failNorm, [](SharedData &s) { s.StellverhältnisMin = 80; })
        << QStringList{kv, "55:Kv " + z("5.774"), "77:*Kv " + z("40.00"), "99:Kv " + z("15.49"), "120:*2)"}
        << QStringList{"18:berechnet", "55:*" + z("80.0") + ":1", "77:" + z("1.00") + ":1", "99:" + z("2.58") + ":1",
                       "120:*1)"}
        << QStringList{opening, "55:" + z("35.2"), "77:*100", "99:" + z("64.3"), "110:%", "120:*2)"} << reserve
        << QStringList{"1) Stellverhältnis nicht ausreichend!", "2) Ventildurchfluss nicht ausreichend!"} << 2;
    QTest::newRow("min beyond full travel, the reserve 10 %: two notes")
        << both(failMin, [](SharedData &s) { s.Q100 = 33; })
        << QStringList{kv, "55:*Kv " + z("40.00"), "77:Kv " + z("11.09"), "99:Kv " + z("15.49"), "120:*1)"}
        << QStringList{"18:berechnet", "55:" + z("1.00") + ":1", "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{opening, "55:*100", "77:" + z("55.9"), "99:" + z("64.3"), "110:%", "120:*1)"}
        << QStringList{"10:Durchflussreserve", "99:*" + z("10."), "110:%", "120:*2)"}
        << QStringList{flow1, "2) Durchflussreserve evtl. nicht ausreichend!"} << 2;
    QTest::newRow("min beyond full travel, the reserve negative: one note")
        << both(failMin, [](SharedData &s) { s.Q100 = 27; })
        << QStringList{kv, "55:*Kv " + z("40.00"), "77:Kv " + z("11.09"), "99:Kv " + z("15.49"), "120:*1)"}
        << QStringList{"18:berechnet", "55:" + z("1.00") + ":1", "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{opening, "55:*100", "77:" + z("55.9"), "99:" + z("64.3"), "110:%", "120:*1)"}
        << QStringList{"10:Durchflussreserve", "99:*" + z("-10."), "110:%", "120:*1)"} << QStringList{flow1} << 1;
    // The maximum point is judged as the others, besides its reserve; fully open the valve passes 80 m3/h there.
    const Change failMax = [](SharedData &s) { s.yMax = 1, s.Kvmax = 40, s.StellverhältnisMax = 1, s.QMax = 90; };
    QTest::newRow("max beyond full travel, the reserve negative: one note")
        << both(failMax, [](SharedData &s) { s.Q100 = 81; })
        << QStringList{kv, "55:Kv " + z("5.774"), "77:Kv " + z("11.09"), "99:*Kv " + z("40.00"), "120:*1)"}
        << QStringList{"18:berechnet", "55:" + z("6.93") + ":1", "77:" + z("3.61") + ":1", "99:" + z("1.00") + ":1"}
        << QStringList{opening, "55:" + z("35.2"), "77:" + z("55.9"), "99:*100", "110:%", "120:*1)"}
        << QStringList{"10:Durchflussreserve", "99:*" + z("-10."), "110:%", "120:*1)"} << QStringList{flow1} << 1;
    QTest::newRow("max beyond its curve's full travel, its reserve from Kvs passing")
        << both(failMax, [](SharedData &s) { s.Q100 = 156.33; })
        << QStringList{kv, "55:Kv " + z("5.774"), "77:Kv " + z("11.09"), "99:*Kv " + z("40.00"), "120:*1)"}
        << QStringList{"18:berechnet", "55:" + z("6.93") + ":1", "77:" + z("3.61") + ":1", "99:" + z("1.00") + ":1"}
        << QStringList{opening, "55:" + z("35.2"), "77:" + z("55.9"), "99:*100", "110:%", "120:*1)"} << reserve
        << QStringList{flow1} << 1;
    QTest::newRow("opening not found: its note")
        << Change([](SharedData &s) { s.yNorm = -1, s.StellverhältnisNorm = 0; })
        << QStringList{kv, "55:Kv " + z("5.774"), "77:Kv N/A", "99:Kv " + z("15.49")}
        << QStringList{"18:berechnet", "55:" + z("6.93") + ":1", "77:N/A", "99:" + z("2.58") + ":1"}
        << QStringList{opening, "55:" + z("35.2"), "77:N/A", "99:" + z("64.3"), "110:%", "120:*1)"} << reserve
        << QStringList{"1) Ventilöffnung nicht ermittelbar!"} << 1;
    QTest::newRow("on/off valve: on the Kv row")
        << both(failMin, [](SharedData &s) { s.Kennlinie = 2; })
        << QStringList{kv, "55:*Kv " + z("40.00"), "77:Kv " + z("11.09"), "99:Kv " + z("15.49"), "120:*1)"}
        << QStringList{} << QStringList{} << reserve << QStringList{flow1} << 1;
    QTest::newRow("min column off: not judged")
        << both(failMin, [](SharedData &s) { s.MIN = false; })
        << QStringList{kv, "77:Kv " + z("11.09"), "99:Kv " + z("15.49")}
        << QStringList{"18:berechnet", "77:" + z("3.61") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{opening, "77:" + z("55.9"), "99:" + z("64.3"), "110:%"} << reserve << QStringList{} << 0;
    QTest::newRow("Czech printout")
        << both(failNorm, [](SharedData &s) { s.SpracheDruck = 5; })
        << QStringList{"18:vypočteno", "55:Kv " + z("5.774"), "77:*Kv " + z("40.00"), "99:Kv " + z("15.49"), "120:*1)"}
        << QStringList{"18:vypočteno", "55:" + z("6.93") + ":1", "77:" + z("1.00") + ":1", "99:" + z("2.58") + ":1"}
        << QStringList{"10:Otevření ventilu", "55:" + z("35.2"), "77:*100", "99:" + z("64.3"), "110:%", "120:*1)"}
        << QStringList{"10:Průtoková rezerva", "99:" + z("73.7"), "110:%"}
        << QStringList{"1) Průtok ventilem nedostatečný!"} << 1;
}

void TestSheetReport::pointsTheValveCannotPassAreMarked()
{
    QFETCH(Change, change);
    QFETCH(QStringList, kvRow);
    QFETCH(QStringList, rangeabilityRow);
    QFETCH(QStringList, openingRow);
    QFETCH(QStringList, reserveRow);
    QFETCH(QStringList, warnings);
    QFETCH(int, count);
    Fixture fx;
    change(shared());
    const int language = shared().SpracheDruck;
    frmDruck &f = fx.open();
    f.cmbSprache.setListIndex(language);
    f.druck_Berechnungsblatt();
    const RecordedDocument &d = fx.recorder.last();
    auto label = [language](const char *key) { return getText(QString::fromUtf8(key), language); };
    QCOMPARE(row(d, label("berechnet"), 0, true), kvRow);
    QCOMPARE(row(d, label("berechnet"), 1, true), rangeabilityRow);
    QCOMPARE(row(d, label("Ventilöffnung"), 0, true), openingRow);
    QCOMPARE(row(d, label("Durchflussreserve"), 0, true), reserveRow);
    QStringList listed;
    for (const RecordedText &t : d.texts) {
        if (columnOf(t) == report::kMarkerColumn)
            QVERIFY2(t.font.italic, qPrintable(t.text));
        if (columnOf(t) == report::kLabelColumn && t.text.size() > 3 && t.text[1] == QLatin1Char(')')) {
            listed << t.text;
            QVERIFY(t.font.italic);
        }
    }
    QCOMPARE(listed, warnings);
    QCOMPARE(f.AnzahlWarnungen, count);
}

// The sizing run's status line and the printout's notes give one verdict. A liquid of 1000 kg/m3 from 40 to 39 bar
// abs. (no vapour pressure, 0.01 mm2/s) passes Q = Kv m3/h through the DN 50 valve of the row, so that the reserve
// is (Kvs - QMax) / QMax and the flow fully open is the curve's Kv at full travel.
void TestSheetReport::screenAndPaperAgree_data()
{
    QTest::addColumn<float>("Kvs");
    QTest::addColumn<QList<double>>("curve"); // a0 .. a5
    QTest::addColumn<QString>("QMax");        // as typed
    QTest::addColumn<QStringList>("notes");   // in the order of the status line

    const QString flow = "Ventildurchfluss nicht ausreichend!";
    const QString reserve = "Durchflussreserve evtl. nicht ausreichend!";
    // The coefficients sum to 1 exactly: the valve passes its Kvs flow fully open, and no more.
    const QList<double> toKvs = {0.02, 0.08277823, 0.07145153, 0.64708711, -0.77914652, 0.95782965};
    QTest::newRow("max at the full-open flow: no reserve") << 40.0f << toKvs << "40" << QStringList{flow};
    // 0.7 + 0.2 + 0.1 is 1 - 2^-53 in binary: fully open the valve passes a rounding less than its Kvs flow, and
    // that flow is the maximum: no reserve, but not beyond the valve either.
    QTest::newRow("max at the curve's full-travel flow, a rounding below Kvs")
        << 25.0f << QList<double>{0.7, 0.2, 0.1, 0, 0, 0} << "24.999999999999996" << QStringList{flow};
    // Kv 9 at full travel: the reserve is -0.5 / 9.5, whatever Kvs would pass.
    QTest::newRow("curve ending below Kvs") << 10.0f << QList<double>{0.02, 0.88, 0, 0, 0, 0} << "9.5"
                                            << QStringList{flow};
    // Kv 9 at full travel: the reserve is 1 / 8, short of 15 %; from Kvs it would be 2 / 8.
    QTest::newRow("curve ending below Kvs, a small reserve") << 10.0f << QList<double>{0.02, 0.88, 0, 0, 0, 0} << "8"
                                                             << QStringList{reserve};
}

void TestSheetReport::screenAndPaperAgree()
{
    QFETCH(float, Kvs);
    QFETCH(QList<double>, curve);
    QFETCH(QString, QMax);
    QFETCH(QStringList, notes);
    Fixture fx;
    sizingfixture::ValveRow valve{50, 1, Kvs, 50, {}, {1, 0, 0}};
    std::copy(curve.begin(), curve.end(), valve.a.begin());
    sizingfixture::Fixture sizing({valve});
    SharedData &s = shared();
    s.Medium = 4, s.NameMedium = "Testflüssigkeit", s.MIN = s.NORM = false;
    s.p1Max = 40, s.p2Max = 39, s.rho1Max = 1000, s.nueMax = 0.01, s.psatMax = 0, s.pkrit = 221.2;
    s.DNmin = s.KvsOpt = false, s.KvsCv = Kvs;
    sizing.sheet.showStoredInputs();
    sizing.sheet.box("txtQmax").setText(QMax.replace('.', numtext::decimalSeparator()));
    calcDimensionierung();
    QCOMPARE(sizing.status(), (QStringList{"Berechnung aktualisiert"} + notes).join(" / "));

    s.DruckVentildaten = Variant(true);
    fx.open().druck_Berechnungsblatt();
    QStringList listed;
    for (const RecordedText &t : fx.recorder.last().texts)
        if (columnOf(t) == report::kLabelColumn && t.text.size() > 3 && t.text[1] == QLatin1Char(')'))
            listed << t.text.mid(3);
    // The list's order is fixed: the valve flow before the reserve.
    std::stable_partition(notes.begin(), notes.end(), [](const QString &n) { return n.startsWith("Ventil"); });
    QCOMPARE(listed, notes);
}

// A point's Kv and required rangeability, and their judgement, are the same on the sheet and on paper; below the
// valve's range as anywhere else, and without flow, where neither shows a number. The default project's valve (DN 50,
// Kvs 25, Kv(0) 0.5, 50:1) or a user's curve, and water at 20 °C from 10 to 7 bar at the minimum point: Kv =
// 0.57696 Q. A curve closing to 10:1 (a0 0.1) under the stated 50:1 cannot pass 2 m3/h (Kv 1.154, 21.7:1) although
// 21.7 is less than 50; a curve dipping from Kv(0) 1.25 to its least Kv 0.8 at y 0.12 passes 1.9 m3/h (Kv 1.096) on
// its rise, but not 1.3 m3/h (Kv 0.7500, 33.3:1 beyond the 31.25:1 it reaches).
void TestSheetReport::rangeabilityOnScreenAndPaper_data()
{
    QTest::addColumn<QList<double>>("curve"); // a0 .. a5; empty: the project's
    QTest::addColumn<int>("point");           // 0 min (the other points off but max), 2 max alone
    QTest::addColumn<double>("Q");
    QTest::addColumn<QString>("kv");     // sheet and paper
    QTest::addColumn<QString>("sheet");  // the sheet's rangeability
    QTest::addColumn<QString>("paper");  // the printout's
    QTest::addColumn<bool>("short_");

    const QList<double> project;
    const QList<double> linear{0, 1, 0, 0, 0, 0};
    QTest::newRow("min below the smallest Kv") << project << 0 << 0.85 << "0.4904" << "51.0:1" << "51.0:1" << true;
    QTest::newRow("min far below it") << project << 0 << 0.3 << "0.1731" << "144.4:1" << "144:1" << true;
    QTest::newRow("min just above it") << project << 0 << 0.87 << "0.5020" << "49.8:1" << "49.8:1" << false;
    QTest::newRow("no flow at the max point") << project << 2 << 0.0 << "0" << "N/A" << "N/A" << false;
    QTest::newRow("no flow at the max point, no Kv at closed travel") << linear << 2 << 0.0 << "0" << "N/A" << "N/A"
                                                                       << false;
    const QList<double> tenToOne{0.1, 0.9, 0, 0, 0, 0};
    QTest::newRow("curve closing at 10:1 under a stated 50:1, min below it")
        << tenToOne << 0 << 2.0 << "1.154" << "21.7:1" << "21.7:1" << true;
    const QList<double> dipping{0.05, -0.3, 1.25, 0, 0, 0};
    QTest::newRow("dipping curve, min between its least Kv and Kv(0)")
        << dipping << 0 << 1.9 << "1.096" << "22.8:1" << "22.8:1" << false;
    QTest::newRow("dipping curve, min below its least Kv")
        << dipping << 0 << 1.3 << "0.7500" << "33.3:1" << "33.3:1" << true;
}

void TestSheetReport::rangeabilityOnScreenAndPaper()
{
    QFETCH(QList<double>, curve);
    QFETCH(int, point);
    QFETCH(double, Q);
    QFETCH(QString, kv);
    QFETCH(QString, sheet);
    QFETCH(QString, paper);
    QFETCH(bool, short_);
    Fixture fx;
    sizingfixture::ValveRow valve{50, 1, 25.0f, 50, {0.02, 0.08277823, 0.07145153, 0.64708711, -0.77914652, 0.95782965},
                                  {0.97, -0.04, -0.01}, {0.8, -0.06, -0.02}};
    if (!curve.isEmpty())
        std::copy(curve.begin(), curve.end(), valve.a.begin());
    sizingfixture::Fixture sizing({valve});
    SharedData &s = shared();
    s.DNmin = s.KvsOpt = false, s.KvsCv = 25.0f, s.NORM = false, s.MIN = point == 0;
    sizing.input("txtp2min", 7);
    sizing.input(point == 0 ? "txtQmin" : "txtQmax", Q);
    calcDimensionierung();
    const QString suffix = point == 0 ? QStringLiteral("min") : QStringLiteral("max");
    const auto shown = [](const QString &c) { return z(qPrintable(c)); };
    const Label &stvLabel = sizing.sheet.label(QStringLiteral("lblSTV") + suffix);
    QCOMPARE(sizing.sheet.label(QStringLiteral("lblKv") + suffix + QStringLiteral("calc")).caption(), shown(kv));
    QCOMPARE(stvLabel.caption(), shown(sheet));
    QCOMPARE(stvLabel.foreColor() == colors::Red && stvLabel.fontBold(), short_);
    QCOMPARE(sizing.status().contains("Stellverhältnis nicht ausreichend!"), short_);

    s.DruckVentildaten = Variant(true);
    s.DruckStellverhältnis = Variant(true);
    fx.open().druck_Berechnungsblatt();
    const RecordedDocument &d = fx.recorder.last();
    const QString column = QString::number(point == 0 ? report::kMinColumn : report::kMaxColumn) + ":";
    QVERIFY(row(d, QStringLiteral("berechnet"), 0).contains(column + "Kv " + shown(kv)));
    const QStringList printed = row(d, QStringLiteral("berechnet"), 1, true);
    QVERIFY2(printed.contains(column + (short_ ? "*" : "") + shown(paper)), qPrintable(printed.join(" | ")));
    QCOMPARE(printed.contains("120:*1)"), short_);
    QCOMPARE(d.find(QStringLiteral("1) Stellverhältnis nicht ausreichend!")) != nullptr, short_);
}

// A point beyond full travel shows the Kv its flow needs on the sheet and on paper, in bold with the note of the
// valve flow, and its rangeability Kvs over that Kv; where no Kv passes its flow (the DN 150 pipes around the DN 50
// valve bound it below 60 m3/h) neither is a number. The default project's valve and water from 10 to 9.7 bar at the
// minimum point need Kv = 20 sqrt(0.99865 / 0.3) = 36.49 for 20 m3/h, 0.685:1.
void TestSheetReport::beyondFullTravelOnScreenAndPaper_data()
{
    QTest::addColumn<QString>("pipes");
    QTest::addColumn<double>("Q");
    QTest::addColumn<QString>("kv");  // sheet and paper
    QTest::addColumn<QString>("stv"); // paper

    QTest::newRow("water") << "" << 20.0 << "36.49" << "0.685:1";
    QTest::newRow("water beyond what any Kv passes") << "150" << 60.0 << "N/A" << "N/A";
}

void TestSheetReport::beyondFullTravelOnScreenAndPaper()
{
    QFETCH(QString, pipes);
    QFETCH(double, Q);
    QFETCH(QString, kv);
    QFETCH(QString, stv);
    Fixture fx;
    sizingfixture::ValveRow valve{50, 1, 25.0f, 50, {0.02, 0.08277823, 0.07145153, 0.64708711, -0.77914652, 0.95782965},
                                  {0.97, -0.04, -0.01}, {0.8, -0.06, -0.02}};
    sizingfixture::Fixture sizing({valve});
    SharedData &s = shared();
    s.DNmin = s.KvsOpt = false, s.KvsCv = 25.0f, s.NORM = false, s.MIN = true;
    if (!pipes.isEmpty())
        s.chkDNRohr = 2, s.DN1Rohr = s.DN2Rohr = pipes;
    sizing.input("txtQmax", std::max(Q, 30.0));
    sizing.input("txtp2min", 9.7);
    sizing.input("txtQmin", Q);
    calcDimensionierung();
    QVERIFY2(sizing.status().contains("Ventildurchfluss nicht ausreichend!"), qPrintable(sizing.status()));
    QCOMPARE(sizing.sheet.label("lblKvmincalc").caption(), z(qPrintable(kv)));

    s.DruckVentildaten = Variant(true);
    s.DruckStellverhältnis = Variant(true);
    fx.open().druck_Berechnungsblatt();
    const RecordedDocument &d = fx.recorder.last();
    const QString column = QString::number(report::kMinColumn) + ":";
    const QStringList kvRow = row(d, QStringLiteral("berechnet"), 0, true);
    QVERIFY2(kvRow.contains(column + "*Kv " + z(qPrintable(kv))), qPrintable(kvRow.join(" | ")));
    QVERIFY2(kvRow.contains("120:*1)"), qPrintable(kvRow.join(" | ")));
    const QStringList stvRow = row(d, QStringLiteral("berechnet"), 1, true);
    QVERIFY2(stvRow.contains(column + z(qPrintable(stv))), qPrintable(stvRow.join(" | ")));
    QVERIFY(d.find(QStringLiteral("1) Ventildurchfluss nicht ausreichend!")) != nullptr);
}

// A number wider than the room of its column (up to a blank before the next piece of its line) is printed the
// way the sheet draws it: with as many significant digits as fit and its exponent, so that the rest of the line
// stays on it. The widths are those of Arial at 10 points (2048 units to the em; digits 1139, "." and "," 569,
// "E" 1366, "-" 682, "+" 1196, blank 569), a print column 904 units: the room of 22 columns less a blank is
// 19319 units, of 11 columns 9375.
void TestSheetReport::numbersFitTheirColumns_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<QStringList>("expected");

    const Change maxOnly = [](SharedData &s) { s.MIN = s.NORM = false; };
    auto maxOnlyAnd = [maxOnly](Change more) {
        return Change([maxOnly, more](SharedData &s) {
            maxOnly(s);
            more(s);
        });
    };
    // "8,96117965879659E-10" is 17 digits, 21980 units; to 13 digits 19702; to 12 digits "8,9611796588E-10" (the
    // twelfth, a 0, dropped) 17424.
    const Change tinyMinOpening = [](SharedData &s) { s.yMin = 8.96117965879659e-12; };
    QTest::newRow("min opening 8.96E-10 %: the line stays whole")
        << tinyMinOpening << "Ventilöffnung" << 0
        << QStringList{"10:Ventilöffnung", "55:" + z("8.9611796588E-10"), "77:" + z("55.9"), "99:" + z("64.3"),
                       "110:%"};
    // Without the norm entry the min entry's room reaches to the max column.
    QTest::newRow("norm column off: room up to the max column")
        << Change([tinyMinOpening](SharedData &s) { tinyMinOpening(s), s.NORM = false; }) << "Ventilöffnung" << 0
        << QStringList{"10:Ventilöffnung", "55:" + z("8.96117965879659E-10"), "99:" + z("64.3"), "110:%"};
    // 4 digits and the exponent are 9451 units, 3 digits 8312.
    QTest::newRow("velocity 1.41E-10 m/s before its unit")
        << maxOnlyAnd([](SharedData &s) { s.v1Max = 1.41477847933016e-10; }) << "Eingang" << 1
        << QStringList{"18:Eingang", "99:" + z("1.41E-10"), "110:m/s"};
    // "0,000000001000" is 15376 units.
    QTest::newRow("flow of 1E-09 m3/h") << maxOnlyAnd([](SharedData &s) { s.QMax = 1e-9; }) << "Durchfluss Q" << 0
                                        << QStringList{"10:Durchfluss Q", "99:1E-09", "110:m3/h"};
    // The blank in place of the sign stays: " 0,123457" is 9111 units, " 0,1234568" 10250.
    QTest::newRow("pressure keeps its blank")
        << maxOnlyAnd([](SharedData &s) { s.p2Max = 0.123456789012345; }) << "Nachdruck P2" << 0
        << QStringList{"10:Nachdruck P2", "99: " + z("0.123457"), "110:bar,abs."};
    // "100000000000" is 13668 units.
    const Change hugeReserve = [](SharedData &s) { s.Q100 = 1e11, s.QMax = 1; };
    QTest::newRow("full-open flow of 1E+11 m3/h") << hugeReserve << "Max. Durchfluss (y = 100%)" << 0
                                                  << QStringList{"10:Max. Durchfluss (y = 100%)", "99:1E+11", "110:m3/h"};
    // "9999999999900," (the pattern #.#) is 15376 units; to 11 digits "9,9999999999E+12" is 17938, to 10 digits
    // it rounds up to "1E+13", 5979.
    QTest::newRow("reserve of 1E+13 %") << hugeReserve << "Durchflussreserve" << 0
                                        << QStringList{"10:Durchflussreserve", "99:1E+13", "110:%"};
    // The flow sheet's opening is bold, with four digits; bold Arial has the same widths.
    QTest::newRow("flow sheet: opening 8.96E-10 %")
        << Change([](SharedData &s) { s.Modus = 1, s.yMax = 8.96117965879659e-12; }) << "Ventilöffnung" << 0
        << QStringList{"10:Ventilöffnung", "99:" + z("8.96E-10"), "110:%"};
}

void TestSheetReport::numbersFitTheirColumns()
{
    checkRowAfterChange();
}

void TestSheetReport::extendedSection_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("expected");

    const Change extended = [](SharedData &s) { s.DruckKenndaten = Variant(true); };
    auto with = [extended](Change more) {
        return Change([extended, more](SharedData &s) {
            more(s);
            extended(s);
        });
    };
    QTest::newRow("liquid z") << extended << "z-Wert"
                              << QStringList{"10:z-Wert", "55:" + z("0.450"), "77:" + z("0.440"), "99:" + z("0.430")};
    QTest::newRow("liquid xF") << extended << "Druckverhältnis xF"
                               << QStringList{"10:Druckverhältnis xF", "55:" + z("0.300"), "77:" + z("0.350"),
                                              "99:" + z("0.400")};
    QTest::newRow("cavitation") << with([](SharedData &s) { s.KavitationMax = true; }) << "Kavitation?"
                                << QStringList{"10:Kavitation?", "55:nein", "77:nein", "99:ja"};
    QTest::newRow("choked") << with([](SharedData &s) { s.ChokedFlowNorm = true; }) << "Durchflussbegrenzung?"
                            << QStringList{"10:Durchflussbegrenzung?", "55:nein", "77:ja", "99:nein"};
    QTest::newRow("QMax 0: no max verdict") << with([](SharedData &s) { s.QMax = 0; }) << "Kavitation?"
                                            << QStringList{"10:Kavitation?", "55:nein", "77:nein"};
    QTest::newRow("QMax 0: z still has its max") << with([](SharedData &s) { s.QMax = 0; }) << "z-Wert"
                                                 << QStringList{"10:z-Wert", "55:" + z("0.450"), "77:" + z("0.440"),
                                                                "99:" + z("0.430")};
    QTest::newRow("QMax 0: next label on a line of its own") << with([](SharedData &s) { s.QMax = 0; })
                                                             << "Durchflussbegrenzung?"
                                                             << QStringList{"10:Durchflussbegrenzung?", "55:nein",
                                                                            "77:nein"};
    // The valve's noise table is missing: z and the cavitation verdict are unknown, whatever they hold.
    const Change noTable = [](SharedData &s) { s.SchalltabelleFehltNorm = true, s.KavitationNorm = true; };
    QTest::newRow("unknown z: z") << with(noTable) << "z-Wert"
                                  << QStringList{"10:z-Wert", "55:" + z("0.450"), "77:N/A", "99:" + z("0.430")};
    QTest::newRow("unknown z: cavitation") << with(noTable) << "Kavitation?"
                                           << QStringList{"10:Kavitation?", "55:nein", "77:N/A", "99:nein"};
    QTest::newRow("a z of 0 from a table is a number") << with([](SharedData &s) { s.zyMin = 0; }) << "z-Wert"
                                                       << QStringList{"10:z-Wert", "55:" + z("0.000"),
                                                                      "77:" + z("0.440"), "99:" + z("0.430")};
    QTest::newRow("gas: pressure ratio") << with(airSizing) << "Druckverhältnis x"
                                         << QStringList{"10:Druckverhältnis x", "55:" + z("0.333"), "77:" + z("0.417"),
                                                        "99:" + z("0.500")};
    QTest::newRow("gas: no z") << with(airSizing) << "z-Wert" << QStringList{};
    QTest::newRow("gas: opening not found, no verdict")
        << with([](SharedData &s) {
               airSizing(s);
               s.DruckKenndaten = Variant(true), s.yMin = -1, s.ChokedFlowMax = true;
           })
        << "Durchflussbegrenzung?" << QStringList{"10:Durchflussbegrenzung?", "55:N/A", "77:nein", "99:ja"};
    QTest::newRow("flow sheet: max only") << with([](SharedData &s) { s.Modus = 1; }) << "z-Wert"
                                          << QStringList{"10:z-Wert", "99:" + z("0.430")};
    QTest::newRow("off: not printed") << Change([](SharedData &) {}) << "z-Wert" << QStringList{};
}

void TestSheetReport::extendedSection()
{
    QFETCH(Change, change);
    QFETCH(QString, label);
    QFETCH(QStringList, expected);
    Fixture fx;
    change(shared());
    const RecordedDocument &d = fx.print();
    QCOMPARE(row(d, label), expected);
}

void TestSheetReport::pipeNoiseFluid_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<QStringList>("expected");

    const Change none = [](SharedData &) {};
    QTest::newRow("pipe size choice") << Change([](SharedData &s) { s.chkDNRohr = 1; }) << "Nennweite" << 1
                                      << QStringList{"10:Nennweite", "21: (für optimierte Strömungsgeschwindigkeit)"};
    QTest::newRow("pipe inlet") << none << "Eingang" << 0 << QStringList{"18:Eingang", "99:50", "110:mm"};
    QTest::newRow("inlet velocity") << none << "Eingang" << 1
                                    << QStringList{"18:Eingang", "55:" + z("1.42"), "77:" + z("2.83"), "99:" + z("4.24"),
                                                   "110:m/s"};
    QTest::newRow("velocity title") << none << "Strömungsgeschwindigkeit" << 0
                                    << QStringList{"10:Strömungsgeschwindigkeit"};
    QTest::newRow("noise whole decibels") << none << "Berechnung nach VDMA 24422/79" << 0
                                          << QStringList{"10:Berechnung nach VDMA 24422/79", "55:62", "77:66", "99:71",
                                                         "110:dB(A)"};
    QTest::newRow("noise N/A and blank") << Change([](SharedData &s) { s.LAEffNorm = "N/A", s.DLANorm = " "; })
                                         << "zu erwartender Wert" << 0
                                         << QStringList{"10:zu erwartender Wert", "55:62", "77:N/A", "99:71",
                                                        "110:dB(A)"};
    // The unit symbol as the sheet writes it, in every print language.
    QTest::newRow("noise correction, unit symbol in English")
        << Change([](SharedData &s) { s.SpracheDruck = 1; }) << "measured correction" << 0
        << QStringList{"10:measured correction", "55:0", "77:0", "99:0", "110:dB(A)"};
    QTest::newRow("liquid density") << none << "Dichte" << 0
                                    << QStringList{"10:Dichte", "55:998", "77:998", "99:998", "110:kg/m3"};
    QTest::newRow("vapour pressure") << none << "Dampfdruck" << 0
                                     << QStringList{"10:Dampfdruck", "55:" + z("0.0234"), "77:" + z("0.0234"),
                                                    "99:" + z("0.0234"), "110:bar,abs."};
    QTest::newRow("viscosity") << none << "Viskosität" << 0
                               << QStringList{"10:Viskosität", "55:" + z("1.00"), "77:" + z("1.00"), "99:" + z("1.00"),
                                              "110:mm²/s (cSt)"};
    QTest::newRow("gauge vapour pressure unit in the screen language")
        << Change([](SharedData &s) { s.SpracheDruck = 1, s.pUnit = 1; }) << "Vapour pressure" << 0
        << QStringList{"10:Vapour pressure", "55:" + z("0.0234"), "77:" + z("0.0234"), "99:" + z("0.0234"),
                       "110:bar,ü."};
    QTest::newRow("gas: standard density") << Change(airSizing) << "Normdichte" << 0
                                           << QStringList{"10:Normdichte", "99:" + z("1.29"), "110:kg/m3"};
    QTest::newRow("gas: isentropic exponent") << Change(airSizing) << "Isentropenexponent" << 0
                                              << QStringList{"10:Isentropenexponent", "55:" + z("1.40"),
                                                             "77:" + z("1.40"), "99:" + z("1.40"), "110:   -"};
    QTest::newRow("steam: no standard density") << Change([](SharedData &s) { airSizing(s), s.Zustand = 2; })
                                                << "Normdichte" << 0 << QStringList{};
    QTest::newRow("steam: density") << Change([](SharedData &s) { airSizing(s), s.Zustand = 2; }) << "Dichte" << 0
                                    << QStringList{"10:Dichte", "55:" + z("7.22"), "77:" + z("7.22"), "99:" + z("7.22"),
                                                   "110:kg/m3"};
    QTest::newRow("flow sheet: fluid max only") << Change([](SharedData &s) { s.Modus = 1; }) << "Dichte" << 0
                                                << QStringList{"10:Dichte", "99:998", "110:kg/m3"};
    QTest::newRow("flow sheet: velocity max only") << Change([](SharedData &s) { s.Modus = 1; }) << "Ausgang" << 1
                                                   << QStringList{"18:Ausgang", "99:" + z("4.24"), "110:m/s"};
}

void TestSheetReport::pipeNoiseFluid()
{
    checkRowAfterChange();
}

void TestSheetReport::headerBlock_data()
{
    QTest::addColumn<QStringList>("fields"); // Info, Firma, Betrifft, Position, Messstelle
    QTest::addColumn<QStringList>("texts");  // every piece between the date and the first heading
    QTest::addColumn<QList<double>>("lines"); // their heights, in lines below the date line
    QTest::addColumn<double>("headingLine");

    QTest::newRow("all five")
        << QStringList{"Info", "ACME", "Pumpe 3", "P-101", "FIC 12"}
        << QStringList{"Info", "Firma:", "ACME", "Betrifft:", "Pumpe 3", "Position:", "P-101", "Messstelle:", "FIC 12"}
        << QList<double>{0, 3, 3, 5, 5, 7, 7, 8, 8} << 11.0;
    QTest::newRow("empty Info: one empty line") << QStringList{"", "ACME", "", "", ""}
                                                << QStringList{"Firma:", "ACME"} << QList<double>{1, 1} << 5.0;
    QTest::newRow("Info of one blank: the blank, two empty lines")
        << QStringList{" ", " ", " ", " ", " "} << QStringList{" "} << QList<double>{0} << 5.0;
    QTest::newRow("Firma of blanks only: no line") << QStringList{"", "   ", "", "", "M 1"}
                                                   << QStringList{"Messstelle:", "M 1"} << QList<double>{1, 1} << 4.0;
    QTest::newRow("two line feeds: no empty line") << QStringList{"eins\n\nzwei", "", "", "", ""}
                                                   << QStringList{"eins", "zwei"} << QList<double>{0, 1} << 6.0;
    QTest::newRow("CR LF is one break, CR not printed") << QStringList{"", "ACME\r\nWerk 2", "", "", ""}
                                                        << QStringList{"Firma:", "ACME", "Werk 2"}
                                                        << QList<double>{1, 1, 2} << 6.0;
    QTest::newRow("Position of 63 characters: one line")
        << QStringList{"", "", "", QString(63, 'x'), ""} << QStringList{"Position:", QString(63, 'x')}
        << QList<double>{1, 1} << 4.0;
    // One "A" is 1366/2048 em: 55 of them are 129.4 mm at 10 points, 56 would pass 130 mm.
    QTest::newRow("a 200-character word is split")
        << QStringList{QString(200, 'A'), "", "", "", ""}
        << QStringList{QString(55, 'A'), QString(55, 'A'), QString(55, 'A'), QString(35, 'A')}
        << QList<double>{0, 1, 2, 3} << 8.0;
    // One "W" is 1933/2048 em: 39 of them are 129.9 mm.
    QTest::newRow("a Position too wide for its line wraps")
        << QStringList{"", "", "", QString(63, 'W'), ""}
        << QStringList{"Position:", QString(39, 'W'), QString(24, 'W')} << QList<double>{1, 1, 2} << 5.0;
}

void TestSheetReport::headerBlock()
{
    QFETCH(QStringList, fields);
    QFETCH(QStringList, texts);
    QFETCH(QList<double>, lines);
    QFETCH(double, headingLine);
    Fixture fx;
    const RecordedDocument &d = fx.print([&](frmDruck &f) {
        TextBox *boxes[] = {&f.txtInfo, &f.txtFirma, &f.txtBetrifft, &f.txtPosition, &f.txtMStelle};
        for (int i = 0; i < 5; ++i)
            boxes[i]->setText(fields[i]);
    });
    const double heading = heightOf(d, QStringLiteral("Prozessdaten / Medium: Wasser / Zustandsverhalten: Flüssigkeit"));
    QStringList printed;
    QList<double> at;
    for (const RecordedText &t : d.texts) {
        if (t.page != 1 || t.y < kBelowDate - 0.001 || t.y >= heading)
            continue;
        printed << t.text;
        at << linesBelowDate(t.y);
        const int column = columnOf(t);
        const bool label = column == report::kLabelColumn;
        QVERIFY2(label || column == report::kHeaderValueColumn, qPrintable(t.text));
        QVERIFY2(t.x + printmetrics::textWidth(t.font, t.text) <= (label ? 14.02 + 130 : 49.84 + 130),
                 qPrintable(t.text));
    }
    QCOMPARE(printed, texts);
    QCOMPARE(at, lines);
    QCOMPARE(linesBelowDate(heading), headingLine);
    // The block ends with a rule two lines above the first heading.
    bool rule = false;
    for (const RecordedLine &l : d.lines)
        rule |= l.page == 1 && std::abs(l.y1 - (heading - kLine10)) < 0.001 && l.x1 == 14.0 && l.x2 == 200.0;
    QVERIFY(rule);
}

void TestSheetReport::longTextsStayOnThePage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("headingLines");
    QTest::newRow("short name: one line") << "Wasser" << 1;
    QTest::newRow("long mixture name wraps") << "Mischung aus Stickstoff 78 %, Sauerstoff 21 %, Argon 0,9 % und "
                                                "Kohlendioxid 0,04 % (trocken)"
                                             << 2;
}

void TestSheetReport::longTextsStayOnThePage()
{
    QFETCH(QString, name);
    QFETCH(int, headingLines);
    Fixture fx;
    shared().NameMedium = name;
    const RecordedDocument &d = fx.print();
    int headings = 0;
    for (const RecordedText &t : d.texts) {
        // Nothing ends right of the rules, whatever its font.
        QVERIFY2(t.x + printmetrics::textWidth(t.font, t.text) <= 200.0 + 1e-6, qPrintable(t.text));
        if (t.font.bold && columnOf(t) == report::kLabelColumn && t.font.size == 10 &&
            t.y < heightOf(d, QStringLiteral("Betriebszustand:")))
            ++headings;
    }
    QCOMPARE(headings, headingLines);
    // The rule follows the heading's last line.
    const double firstRow = heightOf(d, QStringLiteral("Betriebszustand:"));
    bool rule = false;
    for (const RecordedLine &l : d.lines)
        rule |= std::abs(l.y1 - (firstRow - kLine10)) < 0.001;
    QVERIFY(rule);
}

void TestSheetReport::pageHeaderAndFooter()
{
    Fixture fx;
    const RecordedDocument &d = fx.print();
    QCOMPARE(d.pages, 1);
    // The shipped logo is square: 10 x 10 mm at the right end of its 22 x 10 mm place.
    const QImage logo(programFolder() + QStringLiteral("/Logo.jpg"));
    QVERIFY(!logo.isNull() && logo.width() == logo.height());
    QCOMPARE(d.pictures.size(), std::size_t(1));
    QCOMPARE(d.pictures[0].place, QRectF(182, 4, 10, 10));
    const RecordedText *title = d.find(QStringLiteral("Ventildimensionierung nach IEC 60534"));
    QVERIFY(title);
    QCOMPARE(columnOf(*title), 10);
    QCOMPARE(title->y, 10.0);
    QVERIFY(title->font.bold && title->font.size == 12.0);
    const QString date = numtext::userLocale().language() == QLocale::German ? QStringLiteral("05.03.24")
                                                                             : QStringLiteral("5 Mar 2024");
    QCOMPARE(row(d, date), QStringList{"110:" + date});
    QVERIFY(std::abs(heightOf(d, date) - (10 + kLine12)) < 0.001);

    const QString by = QStringLiteral("Quendra 9.75 / Berechnet von Tester");
    QCOMPARE(row(d, by), (QStringList{"10:" + by, "90:" + maker::productWeb}));
    const QString makerLines[] = {maker::company, maker::street, maker::phone, maker::web};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(row(d, makerLines[i]), QStringList{"90:" + makerLines[i]});
        QVERIFY(std::abs(heightOf(d, makerLines[i]) - (265 + i * kLine8)) < 0.001);
        QCOMPARE(d.find(makerLines[i])->font.size, 8.0);
    }
    QVERIFY(std::abs(heightOf(d, by) - (265 + 4 * kLine8)) < 0.001);
    QVERIFY(d.find(by)->font.bold && d.find(by)->font.size == 8.0);
    QVERIFY(!d.find(maker::productWeb)->font.bold);
    QCOMPARE(fx.recorder.last().deviceName, QStringLiteral("Office"));

    // The flow sheet's title.
    shared().Modus = 1;
    const RecordedDocument &flow = fx.print();
    QVERIFY(flow.find(QStringLiteral("Durchflussberechnung nach IEC 60534")));
}

void TestSheetReport::pageBreaks()
{
    // The tests are made at the frame: 240 + 34 passes 270, 236 + 34 does not.
    for (const auto &[height, pages] : {std::pair{240.0, 2}, std::pair{236.0, 1}}) {
        RecordingBackEnd recorder;
        Printer p(recorder.openDevice(PrintJob{QStringLiteral("Office"), QString(), {}}));
        ReportFrame frame(p, 0, QStringLiteral("Titel"), QImage(22, 10, QImage::Format_RGB32));
        p.setCurrentY(height);
        p.printLine(QStringLiteral("vorher"));
        p.setCurrentY(height);
        frame.pageBreakTest(34);
        QCOMPARE(p.page(), pages);
        p.endDoc();
        // A new page carries the page header; a logo of the place's proportions fills it.
        QCOMPARE(recorder.last().pictures.size(), std::size_t(pages - 1));
        if (pages == 2)
            QCOMPARE(recorder.last().pictures[0].place, QRectF(170, 4, 22, 10));
    }

    // In the driver the tests are made also before sections that are off: with every section off, a header
    // block that ends below 191 mm gets a new page before the valve data's 79 mm.
    // Info of n lines: the block ends n + 4 lines below the date line, 18.9 + 4.06 (n + 4) mm down.
    for (const auto &[infoLines, pages] : {std::pair{38, 1}, std::pair{39, 2}}) {
        Fixture fx;
        SharedData &s = shared();
        for (Variant *flag : {&s.DruckProzessdaten, &s.DruckVentildaten, &s.DruckRohrleitung, &s.DruckSchalldruck,
                              &s.DruckStoffdaten})
            *flag = Variant(false);
        QStringList info;
        for (int i = 0; i < infoLines; ++i)
            info << QString::number(i);
        const RecordedDocument &d = fx.print([&](frmDruck &f) { f.txtInfo.setText(info.join(QLatin1Char('\n'))); });
        QCOMPARE(d.pages, pages);
        QVERIFY(d.find(maker::company)->page == pages);
    }

    // A long Firma translation: after a label ending beyond column 29 the next zone is column 43, so the value
    // starts on the next line at column 33.
    RecordingBackEnd recorder;
    Printer p(recorder.openDevice(PrintJob{QStringLiteral("Office"), QString(), {}}));
    ReportFrame frame(p, 0, QStringLiteral("Titel"), QImage());
    p.tab(10);
    p.print(QStringLiteral("Auftraggebende Firma (Kunde):"));
    p.nextZone();
    QVERIFY(std::abs(p.currentX() - Printer::columnX(43)) < 1e-9);
    frame.druck_Zeilenumbruch(QStringLiteral("ACME"), 33, 130);
    p.endDoc();
    QCOMPARE(columnOf(*recorder.last().find(QStringLiteral("ACME"))), 33);
    QVERIFY(std::abs(recorder.last().find(QStringLiteral("ACME"))->y - kLine10) < 1e-9);
}

void TestSheetReport::footerNeverOverprinted()
{
    // Header texts of more and more lines push everything down: whatever the height, no line above the footer
    // reaches into it, the warnings list stays together under its rule, and the footer is on the last page.
    for (const bool warn : {true, false}) {
        bool moved = false;
        for (int infoLines = 0; infoLines <= 40; ++infoLines) {
            Fixture fx;
            SharedData &s = shared();
            if (warn) {
                s.StellverhältnisMax = 80;
                s.Q100 = 31;
            }
            QStringList info;
            for (int i = 0; i < infoLines; ++i)
                info << QStringLiteral("Z%1").arg(i);
            const RecordedDocument &d =
                fx.print([&](frmDruck &f) { f.txtInfo.setText(info.join(QLatin1Char('\n'))); });
            const int last = d.find(maker::company)->page;
            QCOMPARE(last, d.pages);
            for (const RecordedText &t : d.texts) {
                if (t.page != last || t.font.size == 8.0)
                    continue;
                QVERIFY2(t.y + kLine10 <= 265.0 + 1e-6,
                         qPrintable(QStringLiteral("%1 lines: \"%2\" at %3 mm").arg(infoLines).arg(t.text).arg(t.y)));
            }
            if (warn) {
                const RecordedText *first = d.find(QStringLiteral("1) Stellverhältnis nicht ausreichend!"));
                const RecordedText *second = d.find(QStringLiteral("2) Durchflussreserve evtl. nicht ausreichend!"));
                QVERIFY(first && second);
                QCOMPARE(first->page, second->page);
                // Moved to a page of its own, the list follows the page header directly.
                moved |= pieces(d, first->page).indexOf(first->text) == 2;
            } else {
                // Moved to a page of its own, the footer follows the page header directly.
                moved |= pieces(d, last).indexOf(maker::company) == 2;
            }
        }
        // The sweep reaches the heights at which the list or the footer must move.
        QVERIFY(moved);
    }
}

void TestSheetReport::footerPage_data()
{
    QTest::addColumn<double>("lastRowTop"); // mm; the row is one 10-point line of 4.057 mm
    QTest::addColumn<int>("emptyLines");    // ended after the row, as the sections close
    QTest::addColumn<bool>("ruleBelow");    // a rule at 266 mm after the empty lines
    QTest::addColumn<int>("footerPage");

    // Only what is printed counts: empty lines below the last row push the cursor, not the output.
    QTest::newRow("row ends at 264.06 mm: footer on its page") << 260.0 << 0 << false << 1;
    QTest::newRow("row ends at 264.06 mm, an empty line to 268.1 mm: footer on its page") << 260.0 << 1 << false << 1;
    QTest::newRow("row ends at 265.0 mm: footer on its page") << 265.0 - kLine10 << 2 << false << 1;
    QTest::newRow("row ends at 265.06 mm: next page") << 261.0 << 0 << false << 2;
    QTest::newRow("a rule at 266 mm: next page") << 250.0 << 1 << true << 2;
}

void TestSheetReport::footerPage()
{
    QFETCH(double, lastRowTop);
    QFETCH(int, emptyLines);
    QFETCH(bool, ruleBelow);
    QFETCH(int, footerPage);
    RecordingBackEnd recorder;
    Printer p(recorder.openDevice(PrintJob{QStringLiteral("Office"), QString(), {}}));
    ReportFrame frame(p, 0, QStringLiteral("Titel"), QImage());
    p.setCurrentY(lastRowTop);
    p.tab(10);
    p.printLine(QStringLiteral("Viskosität"));
    for (int i = 0; i < emptyLines; ++i)
        p.printLine();
    if (ruleBelow) {
        p.setCurrentY(266);
        frame.rule();
    }
    frame.druck_Fusszeile(QStringLiteral("Tester"));
    p.endDoc();
    const RecordedDocument &d = recorder.last();
    QCOMPARE(d.pages, footerPage);
    QCOMPARE(d.find(maker::company)->page, footerPage);
    QCOMPARE(d.find(maker::company)->y, 265.0);
}

QTEST_MAIN(TestSheetReport)
#include "test_sheet_report.moc"
