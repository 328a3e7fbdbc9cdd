// Data test of the printout's wording: in each of the six languages every row label, printed in its font at its
// column, ends before the first entry of its row, and a line without entries ends before the rule's right end.
#include "platform/print/printer.h"
#include "reports/report_frame.h"
#include "support/program_state.h"
#include "units/texts.h"

#include <QTest>

namespace {

struct LabelRow {
    QStringList keys;   // looked up and joined
    QString joiner;     // between the looked-up keys
    QString suffix;     // appended as it stands
    int column;         // where the label starts
    double end;         // the label must end left of this (millimetres)
    bool bold;
};

double at(int column)
{
    return Printer::columnX(column);
}

} // namespace

class TestReportLabels : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::openShippedTexts(); }
    void cleanupTestCase() { testsupport::closeShippedTexts(); }
    void labelsEndBeforeTheirEntries_data();
    void labelsEndBeforeTheirEntries();
};

void TestReportLabels::labelsEndBeforeTheirEntries_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("row");

    const char *const languages[] = {"de", "en", "fr", "it", "es", "cs"};
    for (int language = 0; language < 6; ++language)
        QTest::newRow(languages[language]) << language << 0;
}

void TestReportLabels::labelsEndBeforeTheirEntries()
{
    QFETCH(int, language);
    using namespace report;
    const double min = at(kMinColumn), max = at(kMaxColumn), value = at(kHeaderValueColumn);
    // A label before a min column must leave that column free; one whose row has only a single entry, column 99.
    const std::vector<LabelRow> rows = {
        {{"Betriebszustand"}, "", ":", kLabelColumn, min, false},
        {{"Vordruck"}, "", " P1", kLabelColumn, min, false},
        {{"Nachdruck"}, "", " P2", kLabelColumn, min, false},
        {{"Temperatur"}, "", " T1", kLabelColumn, min, false},
        {{"Durchfluss"}, "", " Q", kLabelColumn, min, false},
        {{"Durchfluss", "berechnet"}, " Q (", ")", kLabelColumn, max, true},
        {{"Nennweite"}, "", "", kLabelColumn, max, false},
        {{"Kennlinie"}, "", "", kLabelColumn, max, false},
        {{"Durchflusskoeffizient"}, "", "", kLabelColumn, max, false},
        {{"berechnet"}, "", "", kSubLabelColumn, min, false},
        {{"Stellverhältnis"}, "", "", kLabelColumn, max, false},
        {{"Ventilöffnung"}, "", "", kLabelColumn, min, false},
        {{"Ventilöffnung"}, "", "", kLabelColumn, max, true},
        {{"Max. Durchfluss (y = 100%)"}, "", "", kLabelColumn, max, false},
        {{"Durchflussreserve"}, "", "", kLabelColumn, max, false},
        {{"Krit. Druckverhältnis xT"}, "", "", kLabelColumn, min, false},
        {{"Druckrückgewinn-Faktor FL"}, "", "", kLabelColumn, min, false},
        {{"Druckverhältnis x"}, "", "", kLabelColumn, min, false},
        {{"z-Wert"}, "", "", kLabelColumn, min, false},
        {{"Druckverhältnis xF"}, "", "", kLabelColumn, min, false},
        {{"Kavitation?"}, "", "", kLabelColumn, min, false},
        {{"Durchflussbegrenzung?"}, "", "", kLabelColumn, min, false},
        {{"Nennweite", "= Ventil-Nennweite"}, " (", ")", kLabelColumn, kRuleRight, false},
        {{"Nennweite", "für optimierte Strömungsgeschwindigkeit"}, " (", ")", kLabelColumn, kRuleRight, false},
        {{"Nennweite", "Vorgabe"}, " (", ")", kLabelColumn, kRuleRight, false},
        {{"Eingang"}, "", "", kSubLabelColumn, min, false},
        {{"Ausgang"}, "", "", kSubLabelColumn, min, false},
        {{"Strömungsgeschwindigkeit"}, "", "", kLabelColumn, kRuleRight, false},
        {{"Berechnung nach VDMA 24422/79"}, "", "", kLabelColumn, min, false},
        {{"gemessene Korrektur"}, "", "", kLabelColumn, min, false},
        {{"zu erwartender Wert"}, "", "", kLabelColumn, min, false},
        {{"Normdichte"}, "", "", kLabelColumn, max, false},
        {{"Dichte"}, "", "", kLabelColumn, min, false},
        {{"Isentropenexponent"}, "", "", kLabelColumn, min, false},
        {{"Dampfdruck"}, "", "", kLabelColumn, min, false},
        {{"Viskosität"}, "", "", kLabelColumn, min, false},
        // "Firma:" must leave the zone at column 29 free, or its text moves to the next line.
        {{"Firma:"}, "", "", kLabelColumn, at(29), false},
        {{"Betrifft:"}, "", "", kLabelColumn, value, false},
        {{"Position:"}, "", "", kLabelColumn, value, false},
        {{"Messstelle:"}, "", "", kLabelColumn, value, false},
        {{"Stellverhältnis nicht ausreichend!"}, "", "", kLabelColumn, kRuleRight, false},
        {{"Ventildurchfluss nicht ausreichend!"}, "", "", kLabelColumn, kRuleRight, false},
        {{"Durchflussreserve evtl. nicht ausreichend!"}, "", "", kLabelColumn, kRuleRight, false},
    };
    QStringList over;
    for (const LabelRow &r : rows) {
        QStringList parts;
        for (const QString &key : r.keys)
            parts << getText(key, language);
        const QString label = parts.join(r.joiner) + r.suffix;
        const PrintFont font{QStringLiteral("ARIAL"), kBaseSize, r.bold, false};
        const double end = at(r.column) + printmetrics::textWidth(font, label);
        if (!(end < r.end))
            over << QStringLiteral("\"%1\" ends at %2 mm, not before %3 mm").arg(label).arg(end).arg(r.end);
    }
    // The footer's line for the longest user name ends before the maker's column.
    const QString name(32, QLatin1Char('M'));
    const QString by = QStringLiteral("Quendra 9.75 / ") + getText(QStringLiteral("Berechnet von"), language) +
                       QLatin1Char(' ') + name;
    const double end =
        at(kLabelColumn) + printmetrics::textWidth(PrintFont{QStringLiteral("ARIAL"), kFooterSize, true, false}, by);
    if (!(end < at(kMakerColumn)))
        over << QStringLiteral("\"%1\" ends at %2 mm").arg(by).arg(end);
    QVERIFY2(over.isEmpty(), qPrintable(over.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestReportLabels)
#include "test_report_labels.moc"
