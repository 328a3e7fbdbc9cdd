// The sizing sheet's input validation: messages in the status line, the focus, and the beep of the recalculation.

#include "engine/sizing_recalc.h"
#include "engine/validation.h"
#include "sizing_fixture.h"

#include <QtTest>

using namespace sizingfixture;

namespace {

const QString kPrefix = QStringLiteral("Berechnung nicht aktualisiert: ");

// A language table with English texts for two keys, so that the translation of a message can be seen.
void openEnglishTexts(const QString &folder)
{
    auto db = Database::create(folder + "/dbSprache.mdb");
    std::vector<FieldDef> fields = {{"strings_key", FieldType::Text}};
    for (const char *c : {"strings_deutsch", "strings_englisch", "strings_französisch", "strings_italienisch",
                          "strings_spanisch", "strings_tschechisch"})
        fields.push_back({QString::fromUtf8(c), FieldType::Text});
    db->createTable("strings_sprache", fields);
    db->createIndex("strings_sprache", "PrimaryKey", {"strings_key"}, true);
    auto rs = db->openTable("strings_sprache");
    const std::pair<const char *, const char *> rows[] = {
        {"Berechnung nicht aktualisiert", "Calculation not updated"},
        {"Druckwert unzulässig!", "Pressure value not permitted!"}};
    for (const auto &[de, en] : rows) {
        rs->addNew();
        rs->setField("strings_key", Variant(QString::fromUtf8(de)));
        rs->setField("strings_deutsch", Variant(QString::fromUtf8(de)));
        rs->setField("strings_englisch", Variant(QString::fromUtf8(en)));
        rs->update();
    }
    std::shared_ptr<Recordset> texts = db->openTable("strings_sprache");
    texts->setIndex("PrimaryKey");
    shared().dbSprache = db;
    shared().rsSprache = texts;
}

} // namespace

class TestSizingValidation : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { numtext::resetUserLocale(); }

    void inputsAreChecked_data()
    {
        QTest::addColumn<QStringList>("boxes"); // name=text pairs typed over the base water case
        QTest::addColumn<bool>("MIN");
        QTest::addColumn<bool>("NORM");
        QTest::addColumn<QList<double>>("flows"); // QMin, QNorm, QMax as stored
        QTest::addColumn<int>("Medium");
        QTest::addColumn<bool>("current"); // StoffdatenAktuell
        QTest::addColumn<bool>("loading"); // bLadenCalcSize
        QTest::addColumn<int>("p1Unit");
        QTest::addColumn<QString>("message"); // empty: passes
        QTest::addColumn<QString>("focus");   // box that takes the focus, empty: none
        QTest::addColumn<bool>("columnsComputed"); // the wizard's last hand-over computed the min and norm columns

        const QList<double> flows = {5, 15, 30};
        QTest::newRow("valid") << QStringList{} << true << true << flows << 1 << true << false << 0 << ""
                               << "" << true;
        QTest::newRow("min and max not numeric: the min field's message and focus")
            << QStringList{"txtp1max=x", "txtQmin=abc"} << true << true << flows << 1 << true << false << 0
            << "Kein numerischer Wert!" << "txtQmin" << true;
        QTest::newRow("max not numeric: two exclamation marks")
            << QStringList{"txtT1max=12a"} << true << true << flows << 1 << true << false << 0
            << "Kein numerischer Wert!!" << "txtT1max" << true;
        QTest::newRow("empty text is not numeric") << QStringList{"txtp2norm="} << true << true << flows << 1
                                                   << true << false << 0 << "Kein numerischer Wert!"
                                                   << "txtp2norm" << true;
        QTest::newRow("inactive column is still tested") << QStringList{"txtT1min=-"} << false << true << flows
                                                         << 1 << true << false << 0 << "Kein numerischer Wert!"
                                                         << "" << true;
        QTest::newRow("inactive min column with p2 above p1")
            << QStringList{"txtp1min=3", "txtp2min=4"} << false << false << flows << 1 << true << false << 0
            << "Druckwert unzulässig!" << "" << true;
        QTest::newRow("p1 equal to p2") << QStringList{"txtp2max=10"} << true << true << flows << 1 << true
                                        << false << 0 << "Druckwert unzulässig!" << "" << true;
        QTest::newRow("pressure of 0") << QStringList{"txtp2norm=0"} << true << true << flows << 1 << true
                                       << false << 0 << "Druckwert unzulässig!" << "" << true;
        QTest::newRow("gauge pressure below vacuum clamps to 0")
            << QStringList{"txtp1min=-2", "txtp1norm=5", "txtp1max=5", "txtp2min=1", "txtp2norm=1", "txtp2max=1"}
            << true << true << flows << 1 << true << false << 1 << "Druckwert unzulässig!" << "" << true;
        QTest::newRow("5 bar gauge over 6 bar abs passes")
            << QStringList{"txtp1min=5", "txtp1norm=5", "txtp1max=5", "txtp2min=6", "txtp2norm=6", "txtp2max=6"}
            << true << true << flows << 1 << true << false << 1 << "" << "" << true;
        QTest::newRow("equal flows pass") << QStringList{} << true << true << QList<double>{30, 30, 30} << 1
                                          << true << false << 0 << "" << "" << true;
        QTest::newRow("norm above max") << QStringList{} << true << true << QList<double>{5, 31, 30} << 1 << true
                                        << false << 0 << "Mengenangabe unzulässig!" << "" << true;
        QTest::newRow("min above norm") << QStringList{} << true << true << QList<double>{16, 15, 30} << 1
                                        << true << false << 0 << "Mengenangabe unzulässig!" << "" << true;
        QTest::newRow("min only: norm above max is not tested")
            << QStringList{} << true << false << QList<double>{5, 31, 30} << 1 << true << false << 0 << "" << ""
            << true;
        QTest::newRow("min only: min above max") << QStringList{} << true << false << QList<double>{31, 1, 30}
                                                 << 1 << true << false << 0 << "Mengenangabe unzulässig!" << ""
                                                 << true;
        QTest::newRow("norm only: norm above max") << QStringList{} << false << true
                                                   << QList<double>{0, 31, 30} << 1 << true << false << 0
                                                   << "Mengenangabe unzulässig!" << "" << true;
        QTest::newRow("neither: a maximum flow of 0 passes") << QStringList{} << false << false
                                                             << QList<double>{50, 50, 0} << 1 << true << false
                                                             << 0 << "" << "" << true;
        QTest::newRow("stale wizard liquid") << QStringList{} << true << true << flows << 6 << false << false
                                             << 0 << "Stoffdaten nicht aktuell!" << "" << true;
        QTest::newRow("stale wizard gas while the sheet loads") << QStringList{} << true << true << flows << 5
                                                                << false << true << 0
                                                                << "Stoffdaten nicht aktuell!" << "" << true;
        QTest::newRow("wizard gas computed for the max column only, min column on")
            << QStringList{} << true << false << flows << 5 << true << false << 0 << "Stoffdaten nicht aktuell!" << ""
            << false;
        QTest::newRow("wizard gas computed for the max column only, norm column on")
            << QStringList{} << false << true << flows << 5 << true << false << 0 << "Stoffdaten nicht aktuell!" << ""
            << false;
        QTest::newRow("stale flag of a list medium is ignored") << QStringList{} << true << true << flows << 4
                                                                << false << false << 0 << "" << "" << true;
    }
    void inputsAreChecked()
    {
        QFETCH(QStringList, boxes);
        QFETCH(bool, MIN);
        QFETCH(bool, NORM);
        QFETCH(QList<double>, flows);
        QFETCH(int, Medium);
        QFETCH(bool, current);
        QFETCH(bool, loading);
        QFETCH(int, p1Unit);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(bool, columnsComputed);

        Fixture f;
        SharedData &s = shared();
        for (const QString &entry : boxes) {
            const qsizetype at = entry.indexOf('=');
            f.sheet.box(entry.left(at)).setText(entry.mid(at + 1));
        }
        s.MIN = MIN;
        s.NORM = NORM;
        s.QMin = flows[0];
        s.QNorm = flows[1];
        s.QMax = flows[2];
        s.Medium = Medium;
        s.StoffdatenAktuell = current;
        s.StoffdatenMin = columnsComputed;
        s.StoffdatenNorm = columnsComputed;
        s.bLadenCalcSize = loading;
        s.p1Unit = p1Unit;
        // The inactive columns are hidden as on the sheet; their boxes cannot take the focus.
        for (const char *box : {"txtp1min", "txtp2min", "txtT1min", "txtQmin"})
            f.sheet.box(box).setVisible(MIN);
        for (const char *box : {"txtp1norm", "txtp2norm", "txtT1norm", "txtQnorm"})
            f.sheet.box(box).setVisible(NORM);
        f.window.StatusBar.setText(QString());
        const int beeps = f.ui.beepCount();

        const bool ok = checkEingabeDimensionierung();
        QCOMPARE(ok, message.isEmpty());
        QCOMPARE(f.status(), message.isEmpty() ? QString() : kPrefix + message);
        const Control *active = f.sheet.activeControl();
        QCOMPARE(active ? active->name() : QString(), focus);
        QCOMPARE(f.ui.beepCount(), beeps); // the validator itself is silent
    }

    // A failing validation stops the recalculation with one beep and leaves results and work table as they were.
    void recalculationStopsAtAFailure()
    {
        Fixture f;
        calcDimensionierung();
        QCOMPARE(f.status(), QString("Berechnung aktualisiert"));
        const QString opening = f.sheet.label("lblYmax").caption();
        const double q100 = shared().Q100;
        QVERIFY(!opening.isEmpty());

        f.input("txtQmax", 300);
        f.sheet.box("txtp2max").setText("12");
        const int beeps = f.ui.beepCount();
        calcDimensionierung();
        QCOMPARE(f.status(), kPrefix + "Druckwert unzulässig!");
        QCOMPARE(f.ui.beepCount(), beeps + 1);
        QCOMPARE(f.sheet.label("lblYmax").caption(), opening);
        QCOMPARE(shared().Q100, q100);
        QCOMPARE(shared().DurchflussreserveMin, 0.15);
    }

    void messagesAreTranslated()
    {
        Fixture f;
        openEnglishTexts(f.dir.path());
        shared().Sprache = 1;
        f.sheet.box("txtp2min").setText("11");
        QVERIFY(!checkEingabeDimensionierung());
        QCOMPARE(f.status(), QString("Calculation not updated: Pressure value not permitted!"));
    }

    // No fluid has a state at or below absolute zero (-273.15 °C, -459.67 °F): refused in any column, with the
    // focus in that box and the beep of the recalculation; the results stay.
    void temperatureAtOrBelowAbsoluteZeroIsRefused_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("T1Unit");
        QTest::addColumn<double>("T1");
        QTest::addColumn<bool>("refused");

        QTest::newRow("water at -300 °C") << "txtT1max" << 0 << -300.0 << true;
        QTest::newRow("at absolute zero, °C, norm column") << "txtT1norm" << 0 << -273.15 << true;
        QTest::newRow("at absolute zero, °F, min column") << "txtT1min" << 1 << -459.67 << true;
        QTest::newRow("just above absolute zero, °C") << "txtT1max" << 0 << -273.14 << false;
        QTest::newRow("just above absolute zero, °F") << "txtT1max" << 1 << -459.66 << false;
    }
    void temperatureAtOrBelowAbsoluteZeroIsRefused()
    {
        QFETCH(QString, box);
        QFETCH(int, T1Unit);
        QFETCH(double, T1);
        QFETCH(bool, refused);

        Fixture f;
        calcDimensionierung();
        const QString opening = f.sheet.label("lblYmax").caption();
        shared().T1Unit = T1Unit;
        f.sheet.box(box).setText(numtext::general(T1));
        f.sheet.box("txtQmax").setFocus();
        f.window.StatusBar.setText(QString());
        QCOMPARE(checkEingabeDimensionierung(), !refused);
        if (!refused)
            return;
        QCOMPARE(f.status(), kPrefix + "Temperaturwert unzulässig!");
        QCOMPARE(f.sheet.activeControl()->name(), box);
        const int beeps = f.ui.beepCount();
        calcDimensionierung();
        QCOMPARE(f.ui.beepCount(), beeps + 1);
        QCOMPARE(f.sheet.label("lblYmax").caption(), opening);
    }

    // No valve is sized for a flow below zero at an active point, even when the flows are in order: refused with
    // the focus in that box and the beep of the recalculation. A flow of 0 and an inactive column pass.
    void flowBelowZeroIsRefused_data()
    {
        QTest::addColumn<bool>("MIN");
        QTest::addColumn<bool>("NORM");
        QTest::addColumn<QList<double>>("flows"); // QMin, QNorm, QMax as typed
        QTest::addColumn<QString>("focus");       // empty: passes

        QTest::newRow("-30 / -20 / -10 m3/h in order") << true << true << QList<double>{-30, -20, -10} << "txtQmin";
        QTest::newRow("norm below zero, min column off") << false << true << QList<double>{5, -1, 30} << "txtQnorm";
        QTest::newRow("max below zero, no other column") << false << false << QList<double>{5, 15, -0.001}
                                                          << "txtQmax";
        QTest::newRow("inactive min column below zero") << false << true << QList<double>{-5, 15, 30} << "";
        QTest::newRow("flows of 0") << true << true << QList<double>{0, 0, 0} << "";
    }
    void flowBelowZeroIsRefused()
    {
        QFETCH(bool, MIN);
        QFETCH(bool, NORM);
        QFETCH(QList<double>, flows);
        QFETCH(QString, focus);

        Fixture f;
        shared().MIN = MIN;
        shared().NORM = NORM;
        f.input("txtQmin", flows[0]);
        f.input("txtQnorm", flows[1]);
        f.input("txtQmax", flows[2]);
        f.sheet.box("txtp1max").setFocus();
        f.window.StatusBar.setText(QString());
        QCOMPARE(checkEingabeDimensionierung(), focus.isEmpty());
        if (focus.isEmpty())
            return;
        QCOMPARE(f.status(), kPrefix + "Mengenangabe unzulässig!");
        QCOMPARE(f.sheet.activeControl()->name(), focus);
        const int beeps = f.ui.beepCount();
        calcDimensionierung();
        QCOMPARE(f.ui.beepCount(), beeps + 1);
        QCOMPARE(f.status(), kPrefix + "Mengenangabe unzulässig!");
    }

    void decimalCommaIsNumeric()
    {
        numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
        Fixture f;
        f.sheet.box("txtp1max").setText("10,5");
        QVERIFY(checkEingabeDimensionierung());
        f.sheet.box("txtp1max").setText("1.5");
        QVERIFY(!checkEingabeDimensionierung());
        QCOMPARE(f.status(), kPrefix + "Kein numerischer Wert!!");
    }
};

QTEST_GUILESS_MAIN(TestSizingValidation)
#include "test_sizing_validation.moc"
