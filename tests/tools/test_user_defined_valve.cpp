#include "tools_fixture.h"

#include "../units/two_locales.h"
#include "support/full_disk.h"
#include "units/number_format.h"

#include <QTest>

// The user-defined valve dialog on its own: what it shows on opening, its unit switches, the rangeability check,
// the estimate of the coefficients, and what "Übernehmen" and "Abbruch" leave in the table "9999" and the shared
// data. Captions stay German (no language database is open); numbers follow the user's locale.

using testlocale::zahl;
using toolsfixture::Fixture;

Q_DECLARE_METATYPE(MsgAnswer)

namespace {

QStringList boxTexts(const frmBenutzerdefiniert &d)
{
    return {d.txtA0.text(),    d.txtA1.text(),    d.txtA2.text(),    d.txtA3.text(),
            d.txtA4.text(),    d.txtA5.text(),    d.txtaFL_0.text(), d.txtaFL_1.text(),
            d.txtaFL_2.text(), d.txtaxT_0.text(), d.txtaxT_1.text(), d.txtaxT_2.text()};
}

// Numbers written in C notation, as the user's locale shows them.
QStringList zahlen(std::initializer_list<const char *> values)
{
    QStringList out;
    for (const char *v : values)
        out << zahl(v);
    return out;
}

OptionButton &option(frmBenutzerdefiniert &d, int kennlinie)
{
    return kennlinie == 0 ? d.optLinear : kennlinie == 1 ? d.optGleichprozentig : d.optAufZu;
}

} // namespace

class TestUserDefinedValve : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void init() { f.start(); }
    void cleanup() { f.stop(); }

    void openingShowsTheCurrentValve();
    void openingSelectsTheNominalSize_data();
    void openingSelectsTheNominalSize();
    void openingSelectsTheCharacteristic_data();
    void openingSelectsTheCharacteristic();
    void nominalSizeUnitSwitchKeepsTheSize_data();
    void nominalSizeUnitSwitchKeepsTheSize();
    void flowCoefficientUnitSwitchConverts_data();
    void flowCoefficientUnitSwitchConverts();
    void rangeabilityOutsideTenToHundredIsPutBack_data();
    void rangeabilityOutsideTenToHundredIsPutBack();
    void estimateFillsTheCoefficientBoxes_data();
    void estimateFillsTheCoefficientBoxes();
    void enteringABoxSelectsItsText();
    void applyStoresTheFlowCoefficient_data();
    void applyStoresTheFlowCoefficient();
    void applyStoresTheValveAndMakesItCurrent();
    void applyConvertsTheGivenPipeSizes_data();
    void applyConvertsTheGivenPipeSizes();
    void applyRefusesAnImpossibleValve_data();
    void applyRefusesAnImpossibleValve();
    void applyLeavesEverythingWhenTheTableCannotBeWritten_data();
    void applyLeavesEverythingWhenTheTableCannotBeWritten();
    void projectValveIsRestoredOrNotClaimed_data();
    void projectValveIsRestoredOrNotClaimed();
    void cancelReopensThePreviousSeriesInIndexOrder();
    void closingStoresNothing();
};

void TestUserDefinedValve::openingShowsTheCurrentValve()
{
    SharedData &d = shared();
    d.KvsCv = 12.5f;
    d.Stellverhältnis = 30;
    d.A3 = Variant::null();
    frmBenutzerdefiniert &w = f.open();
    QCOMPARE(w.caption(), QStringLiteral("Benutzerdefiniertes Ventil"));
    QCOMPARE(w.ventiltypAlt(), QStringLiteral("3548"));
    QCOMPARE(w.lblKvsCV.caption(), QStringLiteral("Durchflusskoeffizient"));
    QCOMPARE(w.cmdAbschätzen.caption(), QStringLiteral("Werte abschätzen"));
    QCOMPARE(w.txtBezeichnung.text(), QStringLiteral("Eigenbau"));
    QCOMPARE(w.cmbDNunit.items(), QStringList({"mm", "inch"}));
    QCOMPARE(w.cmbKvUnit.items(), QStringList({"Kvs", "CV"}));
    QCOMPARE(w.cmbKvUnit.listIndex(), 0);
    QCOMPARE(w.txtKvsCv.text(), zahl("12.5"));
    QCOMPARE(w.kvsCvText().toString(), zahl("12.5"));
    QCOMPARE(w.txtStellverhältnis.text(), QStringLiteral("30"));
    // A coefficient that holds nothing gives an empty box.
    QCOMPARE(boxTexts(w), zahlen({"0", "1", "0", "", "0", "0", "0.9", "0", "0", "0.7", "0", "0"}));
    QVERIFY(w.cmbDNVentil.style() == ComboBox::Style::DropdownList);
    QVERIFY(!w.cmbKvUnit.editable() && !w.cmbDNunit.editable());
}

void TestUserDefinedValve::openingSelectsTheNominalSize_data()
{
    QTest::addColumn<int>("DNunit");
    QTest::addColumn<QString>("DNVentil");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("shown");
    QTest::newRow("50 mm: position 7") << 0 << "50" << 7 << "50";
    QTest::newRow("2 inch: position 7") << 1 << "2\"" << 7 << "2\"";
    QTest::newRow("8 mm: position 0") << 0 << "8" << 0 << "8";
    QTest::newRow("empty: position 17") << 0 << "" << 17 << "400";
    QTest::newRow("450 mm: position 17") << 0 << "450" << 17 << "400";
    QTest::newRow("a mm size under inch: position 17") << 1 << "50" << 17 << "16\"";
}

void TestUserDefinedValve::openingSelectsTheNominalSize()
{
    QFETCH(int, DNunit);
    QFETCH(QString, DNVentil);
    QFETCH(int, position);
    QFETCH(QString, shown);
    shared().DNunit = DNunit;
    shared().DNVentil = DNVentil;
    frmBenutzerdefiniert &w = f.open();
    QCOMPARE(w.cmbDNunit.listIndex(), DNunit);
    QCOMPARE(w.cmbDNVentil.listCount(), 18);
    QCOMPARE(w.cmbDNVentil.listIndex(), position);
    QCOMPARE(w.cmbDNVentil.text(), shown);
}

void TestUserDefinedValve::openingSelectsTheCharacteristic_data()
{
    QTest::addColumn<int>("Kennlinie");
    QTest::newRow("linear") << 0;
    QTest::newRow("equal percentage") << 1;
    QTest::newRow("on/off") << 2;
}

void TestUserDefinedValve::openingSelectsTheCharacteristic()
{
    QFETCH(int, Kennlinie);
    shared().Kennlinie = Kennlinie;
    frmBenutzerdefiniert &w = f.open();
    for (int k = 0; k < 3; ++k)
        QCOMPARE(option(w, k).value(), k == Kennlinie);
    QCOMPARE(w.kennlinieWahl(), Kennlinie);
    // Applied without touching the options, the characteristic stays.
    w.cmdÜbernehmen.userClick();
    QCOMPARE(shared().Kennlinie, Kennlinie);
    QCOMPARE(f.stored("9999", "Kennlinie").toInt(), Kennlinie);
}

void TestUserDefinedValve::nominalSizeUnitSwitchKeepsTheSize_data()
{
    QTest::addColumn<QString>("DNVentil");
    QTest::addColumn<QString>("inch");
    QTest::newRow("50 mm") << "50" << "2\"";
    QTest::newRow("8 mm") << "8" << "1/4\"";
    QTest::newRow("40 mm") << "40" << "1 1/2\"";
    QTest::newRow("400 mm") << "400" << "16\"";
}

void TestUserDefinedValve::nominalSizeUnitSwitchKeepsTheSize()
{
    QFETCH(QString, DNVentil);
    QFETCH(QString, inch);
    shared().DNVentil = DNVentil;
    frmBenutzerdefiniert &w = f.open();
    const int position = w.cmbDNVentil.listIndex();
    w.cmbDNunit.userPick(1);
    QCOMPARE(w.dnUnitWahl(), 1);
    QCOMPARE(w.cmbDNVentil.listIndex(), position);
    QCOMPARE(w.cmbDNVentil.text(), inch);
    w.cmbDNunit.userPick(0);
    QCOMPARE(w.cmbDNVentil.text(), DNVentil);
    QCOMPARE(w.cmbDNVentil.listCount(), 18);
}

void TestUserDefinedValve::flowCoefficientUnitSwitchConverts_data()
{
    QTest::addColumn<int>("KvUnit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("converted");
    QTest::addColumn<QString>("back");
    QTest::newRow("Kvs 10 to Cv 11.6") << 0 << "10" << "11.6" << "10";
    QTest::newRow("Cv 11.6 to Kvs 10") << 1 << "11.6" << "10" << "11.6";
    QTest::newRow("Kvs 0") << 0 << "0" << "0" << "0";
    QTest::newRow("no number empties the box") << 0 << "abc" << "" << "";
}

void TestUserDefinedValve::flowCoefficientUnitSwitchConverts()
{
    QFETCH(int, KvUnit);
    QFETCH(QString, typed);
    QFETCH(QString, converted);
    QFETCH(QString, back);
    shared().KvUnit = KvUnit;
    frmBenutzerdefiniert &w = f.open();
    w.txtKvsCv.setFocus();
    w.txtKvsCv.userType(zahl(typed.toLatin1().constData()));
    QCOMPARE(w.kvsCvText().toString(), zahl(typed.toLatin1().constData()));
    w.cmbKvUnit.userPick(1 - KvUnit);
    QCOMPARE(w.kvUnitWahl(), 1 - KvUnit);
    QCOMPARE(w.txtKvsCv.text(), zahl(converted.toLatin1().constData()));
    w.cmbKvUnit.userPick(KvUnit);
    QCOMPARE(w.txtKvsCv.text(), zahl(back.toLatin1().constData()));
}

void TestUserDefinedValve::rangeabilityOutsideTenToHundredIsPutBack_data()
{
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("10 stays") << 50.0 << "10" << "10";
    QTest::newRow("100 stays") << 50.0 << "100" << "100";
    QTest::newRow("55.5 stays") << 50.0 << "55.5" << "55.5";
    QTest::newRow("9.9") << 50.0 << "9.9" << "50";
    QTest::newRow("0") << 50.0 << "0" << "50";
    QTest::newRow("100.5") << 50.0 << "100.5" << "50";
    QTest::newRow("empty") << 50.0 << "" << "50";
    QTest::newRow("no number") << 50.0 << "x" << "50";
    // The value put back is the shared one, also when it lies outside the range itself.
    QTest::newRow("shared 5, 200 typed") << 5.0 << "200" << "5";
    QTest::newRow("shared 150, 9 typed") << 150.0 << "9" << "150";
}

void TestUserDefinedValve::rangeabilityOutsideTenToHundredIsPutBack()
{
    QFETCH(double, stored);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    shared().Stellverhältnis = stored;
    frmBenutzerdefiniert &w = f.open();
    w.txtStellverhältnis.setFocus();
    w.txtStellverhältnis.setText(zahl(typed.toLatin1().constData()));
    w.txtA0.setFocus();
    QCOMPARE(w.txtStellverhältnis.text(), zahl(after.toLatin1().constData()));
    QCOMPARE(shared().Stellverhältnis, stored);
    QCOMPARE(f.ui.beepCount(), 0);
    QVERIFY(f.ui.messages().empty());
}

void TestUserDefinedValve::estimateFillsTheCoefficientBoxes_data()
{
    QTest::addColumn<int>("kennlinie");
    QTest::addColumn<QString>("R");
    QTest::addColumn<QStringList>("a1to5");
    const QStringList top = {"0.2333", "-1.0787", "3.5176", "-4.2926", "2.6203"};
    const QStringList second = {"0.2503", "-1.1118", "3.5354", "-4.2005", "2.5265"};
    const QStringList band15 = {"0.8971", "-3.4281", "8.0286", "-7.4562", "2.9594"};
    const QStringList bottom = {"1.7139", "-6.9058", "15.268", "-14.191", "5.1167"};
    const QStringList line = {"1", "0", "0", "0", "0"};
    // What the boxes held before: kept outside every band.
    const QStringList kept = {"7", "7", "7", "7", "7"};
    QTest::newRow("equal %, R 100") << 1 << "100" << top;
    QTest::newRow("equal %, R 95") << 1 << "95" << top;
    QTest::newRow("equal %, R 94.99") << 1 << "94.99" << second;
    QTest::newRow("equal %, R 50") << 1 << "50"
                                   << QStringList{"0.3949", "-1.5233", "4.181", "-4.295", "2.2425"};
    QTest::newRow("equal %, R 15") << 1 << "15" << band15;
    QTest::newRow("equal %, R 14.9") << 1 << "14.9" << bottom;
    QTest::newRow("equal %, R 10") << 1 << "10" << bottom;
    QTest::newRow("equal %, R 105") << 1 << "105" << kept;
    QTest::newRow("equal %, R 4") << 1 << "4" << kept;
    QTest::newRow("equal %, R no number") << 1 << "x" << kept;
    QTest::newRow("linear, R 100") << 0 << "100" << line;
    QTest::newRow("on/off, R 4") << 2 << "4" << line;
}

void TestUserDefinedValve::estimateFillsTheCoefficientBoxes()
{
    QFETCH(int, kennlinie);
    QFETCH(QString, R);
    QFETCH(QStringList, a1to5);
    frmBenutzerdefiniert &w = f.open();
    option(w, kennlinie).userClick();
    for (TextBox *b : {&w.txtA0, &w.txtA1, &w.txtA2, &w.txtA3, &w.txtA4, &w.txtA5, &w.txtaFL_0, &w.txtaFL_1,
                       &w.txtaFL_2, &w.txtaxT_0, &w.txtaxT_1, &w.txtaxT_2})
        b->setText(QStringLiteral("7"));
    // Set from code, as a put-back leaves it: no focus move, so no check.
    w.txtStellverhältnis.setText(zahl(R.toLatin1().constData()));
    w.cmdAbschätzen.press();
    QStringList expected = {zahl("0")};
    for (const QString &a : a1to5)
        expected << zahl(a.toLatin1().constData());
    expected << zahlen({"0.8", "0", "0", "0.6", "0", "0"});
    QCOMPARE(boxTexts(w), expected);
    // The estimate stores nothing.
    QCOMPARE(shared().A1.toDouble(), 1.0);
    QCOMPARE(f.stored("9999", "a1").toDouble(), 0.08277823);
}

void TestUserDefinedValve::enteringABoxSelectsItsText()
{
    frmBenutzerdefiniert &w = f.open();
    for (TextBox *b : {&w.txtKvsCv, &w.txtStellverhältnis, &w.txtA0, &w.txtA1, &w.txtA2, &w.txtA3, &w.txtA4,
                       &w.txtA5, &w.txtaFL_0, &w.txtaFL_1, &w.txtaFL_2, &w.txtaxT_0, &w.txtaxT_1, &w.txtaxT_2}) {
        b->setText(QStringLiteral("12345"));
        b->setSelStart(2);
        QVERIFY(b->setFocus());
        QCOMPARE(b->selStart(), 0);
        QCOMPARE(b->selLength(), 5);
    }
    w.txtBezeichnung.setText(QStringLiteral("Ventil"));
    QVERIFY(w.txtBezeichnung.setFocus());
    QCOMPARE(w.txtBezeichnung.selLength(), 0);
}

void TestUserDefinedValve::applyStoresTheFlowCoefficient_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<float>("Kvs");
    QTest::addColumn<float>("Cv");
    QTest::addColumn<float>("KvsCv");
    QTest::addColumn<int>("KvUnit");
    // Cv = 1.16 Kvs, the converted column to four significant digits.
    QTest::newRow("Kvs 10: Cv 11.60") << 0 << "10" << 10.0f << 11.6f << 10.0f << 0;
    QTest::newRow("Kvs 2.5: Cv 2.900") << 0 << "2.5" << 2.5f << 2.9f << 2.5f << 0;
    QTest::newRow("Kvs 33: Cv 38.28") << 0 << "33" << 33.0f << 38.28f << 33.0f << 0;
    QTest::newRow("Cv 11.6: Kvs 10.00") << 1 << "11.6" << 10.0f << 11.6f << 11.6f << 1;
    QTest::newRow("Cv 50: Kvs 43.10") << 1 << "50" << 43.1f << 50.0f << 50.0f << 1;
    // Not a number: the table keeps its 40 and 46.4, and the shared data take the valve so stored, in Cv.
    QTest::newRow("no number in Cv") << 1 << "x" << 40.0f << 46.4f << 46.4f << 1;
}

void TestUserDefinedValve::applyStoresTheFlowCoefficient()
{
    QFETCH(int, unit);
    QFETCH(QString, typed);
    QFETCH(float, Kvs);
    QFETCH(float, Cv);
    QFETCH(float, KvsCv);
    QFETCH(int, KvUnit);
    frmBenutzerdefiniert &w = f.open();
    w.cmbKvUnit.userPick(unit);
    w.txtKvsCv.setFocus();
    w.txtKvsCv.userType(zahl(typed.toLatin1().constData()));
    w.cmdÜbernehmen.userClick();
    QCOMPARE(f.stored("9999", "Kvs").toFloat(), Kvs);
    QCOMPARE(f.stored("9999", "Cv").toFloat(), Cv);
    QCOMPARE(shared().KvsCv, KvsCv);
    QCOMPARE(shared().KvUnit, KvUnit);
}

void TestUserDefinedValve::applyStoresTheValveAndMakesItCurrent()
{
    const QString forty = QStringLiteral("Regelventil mit Sonderkegel, Baujahr 201");
    QCOMPARE(forty.size(), 40);
    shared().Modus = 1;
    frmBenutzerdefiniert &w = f.open();
    w.txtBezeichnung.setText(forty);
    w.cmbDNunit.userPick(1);
    w.cmbDNVentil.userPick(8); // 2 1/2"
    w.optGleichprozentig.userClick();
    w.txtStellverhältnis.setFocus();
    w.txtStellverhältnis.userType(QStringLiteral("75"));
    w.cmdAbschätzen.userClick();
    w.txtA3.setText(QString()); // left as it was in the table
    w.txtaFL_1.setText(zahl("0.05"));
    w.cmdÜbernehmen.userClick();
    formruntime::collect();

    QVERIFY(!frmBenutzerdefiniertInstance().isLoaded());
    const SharedData &d = shared();
    QCOMPARE(d.Ventiltyp, QStringLiteral("9999"));
    QVERIFY(d.rsVentil);
    QCOMPARE(d.rsVentil->table(), QStringLiteral("9999"));
    QVERIFY(!d.rsVentil->eof());
    QCOMPARE(d.Bezeichnung.toString(), forty.left(32));
    QCOMPARE(d.DNVentil, QStringLiteral("2 1/2\""));
    QCOMPARE(d.DNunit, 1);
    QCOMPARE(d.Kennlinie, 1);
    QCOMPARE(d.Stellverhältnis, 75.0);
    QCOMPARE(f.reloads, std::vector<int>{1});

    QCOMPARE(f.stored("9999", "DN").toInt(), 65);
    QCOMPARE(f.stored("9999", "DN_Zoll").toString(), QStringLiteral("2 1/2\""));
    QCOMPARE(f.stored("9999", "Kennlinie").toInt(), 1);
    QCOMPARE(f.stored("9999", "Stellverhältnis").toDouble(), 75.0);
    // R 75 lies in the band 75 to 85.
    const double expected[12] = {0, 0.2722, -1.1616, 0.64708711, -4.1329, 2.4356, 0.8, 0.05, 0, 0.6, 0, 0};
    const char *columns[12] = {"a0", "a1", "a2", "a3", "a4", "a5", "aFL", "bFL", "cFL", "axT", "bxT", "cxT"};
    for (int i = 0; i < 12; ++i)
        QCOMPARE(f.stored("9999", columns[i]).toDouble(), expected[i]);
    // The shared data hold them too: a sheet that stops at its input check rewrites none of them.
    const Variant shown[12] = {d.A0, d.A1, d.A2, d.A3, d.A4, d.A5, d.AFL, d.BFL, d.CFL, d.AxT, d.BxT, d.CxT};
    for (int i = 0; i < 12; ++i)
        QCOMPARE(shown[i].toDouble(), expected[i]);
    // Columns the dialog does not edit keep their values.
    QCOMPARE(f.stored("9999", "Reduktion").toFloat(), 100.0f);
    QCOMPARE(f.stored("9999", "Schalldaten").toString(), QStringLiteral("Benutzerdefiniert"));
    QVERIFY(f.ui.messages().empty());
}

// The size unit chosen in the dialog converts the given pipe sizes as the sheet's size list does (DN 80 = 3",
// DN 100 = 4").
void TestUserDefinedValve::applyConvertsTheGivenPipeSizes_data()
{
    QTest::addColumn<int>("DNunit");
    QTest::addColumn<QStringList>("pipes");
    QTest::addColumn<QStringList>("converted");
    QTest::newRow("mm to inch") << 0 << QStringList{"80", "100"} << QStringList{"3\"", "4\""};
    QTest::newRow("inch to mm") << 1 << QStringList{"3\"", "4\""} << QStringList{"80", "100"};
}

void TestUserDefinedValve::applyConvertsTheGivenPipeSizes()
{
    QFETCH(int, DNunit);
    QFETCH(QStringList, pipes);
    QFETCH(QStringList, converted);
    SharedData &d = shared();
    d.DNunit = DNunit;
    d.DNVentil = DNunit == 0 ? QStringLiteral("50") : QStringLiteral("2\"");
    d.DN1Rohr = pipes[0];
    d.DN2Rohr = pipes[1];
    frmBenutzerdefiniert &w = f.open();
    w.cmbDNunit.userPick(1 - DNunit);
    w.cmdÜbernehmen.userClick();
    QCOMPARE(d.DNunit, 1 - DNunit);
    QCOMPARE(QStringList({d.DN1Rohr, d.DN2Rohr}), converted);
}

// Enter presses "Übernehmen" while the box typed last keeps the focus. A valve that cannot exist is refused with a
// beep and the focus in the box to mend, and nothing is stored; the rangeability is checked as on leaving its box.
void TestUserDefinedValve::applyRefusesAnImpossibleValve_data()
{
    QTest::addColumn<QStringList>("typed"); // "box=text" in typing order; "cmbKvUnit=1" picks Cv
    QTest::addColumn<QString>("refusedAt"); // empty: taken over
    QTest::addColumn<QString>("column");
    QTest::addColumn<double>("stored"); // the column afterwards, compared in single precision
    const double a1 = 0.08277823; // the table's a1 (the boxes show the shared straight line)
    QTest::newRow("Kvs 0") << QStringList{"txtKvsCv=0"} << "txtKvsCv" << "Kvs" << 40.0;
    QTest::newRow("Kvs -5") << QStringList{"txtKvsCv=-5"} << "txtKvsCv" << "Kvs" << 40.0;
    QTest::newRow("Cv -1") << QStringList{"cmbKvUnit=1", "txtKvsCv=-1"} << "txtKvsCv" << "Cv" << 46.4;
    QTest::newRow("Kvs 1e300") << QStringList{"txtKvsCv=1e300"} << "txtKvsCv" << "Kvs" << 40.0;
    // Kvs and Cv are singles, whose smallest above 0 is 2^-149 (1.4e-45); below half of it a value is held as 0.
    const double smallestSingle = 0x1p-149;
    QTest::newRow("Kvs 1e-46") << QStringList{"txtKvsCv=1e-46"} << "txtKvsCv" << "Kvs" << 40.0;
    QTest::newRow("Kvs 7e-46") << QStringList{"txtKvsCv=7e-46"} << "txtKvsCv" << "Kvs" << 40.0;
    // Held as 1.4e-45 itself, but its Kvs of 6.9e-46 as 0.
    QTest::newRow("Cv 8e-46") << QStringList{"cmbKvUnit=1", "txtKvsCv=8e-46"} << "txtKvsCv" << "Cv" << 46.4;
    QTest::newRow("Kvs 1e-45 taken over") << QStringList{"txtKvsCv=1e-45"} << "" << "Kvs" << smallestSingle;
    // Its Kvs of 1.03e-45 is held as 1.4e-45.
    QTest::newRow("Cv 1.2e-45 taken over")
        << QStringList{"cmbKvUnit=1", "txtKvsCv=1.2e-45"} << "" << "Kvs" << smallestSingle;
    QTest::newRow("FL coefficient 1e308") << QStringList{"txtaFL_0=1e308"} << "txtaFL_0" << "aFL" << 0.8;
    // Kv/Kvs = y + 10 y^5 is 11 at full opening.
    QTest::newRow("curve ends at 11") << QStringList{"txtA5=10"} << "txtA5" << "a5" << 0.95782965;
    // 50 y - 49 y^2 is 1 at full opening but 12.8 at half.
    QTest::newRow("curve peaks at 12.8") << QStringList{"txtA1=50", "txtA2=-49"} << "txtA1" << "a1" << a1;
    // 9.5 y with the table's a5 of 0.958 for the emptied box: 10.46 at full opening.
    QTest::newRow("an emptied box counts with the table's value")
        << QStringList{"txtA1=9.5", "txtA5="} << "txtA1" << "a1" << a1;
    // 38 y - 37 y^2 peaks at 9.76.
    QTest::newRow("curve peaking at 9.76 taken over") << QStringList{"txtA1=38", "txtA2=-37"} << "" << "a1" << 38.0;
    // FL and xT = a0 + a1 y + a2 y^2 lie in (0, 1] at every opening; the boxes show 0.9 and 0.7, the table holds
    // 0.8 and 0.6. A value closed outside that range is a0's alone; otherwise the largest other coefficient is
    // the likeliest wrong digit.
    QTest::newRow("FL 1e12 when closed") << QStringList{"txtaFL_0=1e12"} << "txtaFL_0" << "aFL" << 0.8;
    QTest::newRow("xT -1e12 + 1e12 y - 1e12 y^2 beside Kvs 1e12 and FL 1e-300")
        << QStringList{"txtKvsCv=1e12", "txtaFL_0=1e-300", "txtaxT_0=-1e12", "txtaxT_1=1e12", "txtaxT_2=-1e12"}
        << "txtaxT_0" << "axT" << 0.6;
    // 0.9 + 0.5 y is 1.4 at full opening.
    QTest::newRow("FL 1.4 at full opening") << QStringList{"txtaFL_1=0.5"} << "txtaFL_1" << "bFL" << 0.0;
    // Two-decimal curves that reach 1 at full opening (1.0000000000000002 summed in doubles).
    QTest::newRow("FL 0.34 + 0.56 y + 0.10 y^2 taken over")
        << QStringList{"txtaFL_0=0.34", "txtaFL_1=0.56", "txtaFL_2=0.10"} << "" << "bFL" << 0.56;
    QTest::newRow("xT 0.22 + 0.93 y - 0.15 y^2 taken over")
        << QStringList{"txtaxT_0=0.22", "txtaxT_1=0.93", "txtaxT_2=-0.15"} << "" << "bxT" << 0.93;
    // The table's 0.6 + 0.35 y stays below 1, where the box's 0.7 would not.
    QTest::newRow("xT with an emptied box counts with the table's value")
        << QStringList{"txtaxT_0=", "txtaxT_1=0.35"} << "" << "bxT" << 0.35;
    QTest::newRow("rangeability 0: the shared 50 stored")
        << QStringList{"txtStellverhältnis=0"} << "" << "Stellverhältnis" << 50.0;
    QTest::newRow("rangeability 200: the shared 50 stored")
        << QStringList{"txtStellverhältnis=200"} << "" << "Stellverhältnis" << 50.0;
}

void TestUserDefinedValve::applyRefusesAnImpossibleValve()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, refusedAt);
    QFETCH(QString, column);
    QFETCH(double, stored);
    frmBenutzerdefiniert &w = f.open();
    for (const QString &entry : typed) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        const QString text = entry.section(QLatin1Char('='), 1);
        if (name == QLatin1String("cmbKvUnit")) {
            w.cmbKvUnit.userPick(text.toInt());
            continue;
        }
        auto *box = dynamic_cast<TextBox *>(w.control(name));
        QVERIFY2(box, qPrintable(name));
        QVERIFY(box->setFocus());
        box->setText(zahl(text.toLatin1().constData()));
    }
    QVERIFY(w.pressEnter());
    formruntime::collect();

    QCOMPARE(f.stored("9999", column).toFloat(), static_cast<float>(stored));
    if (refusedAt.isEmpty()) {
        QVERIFY(!frmBenutzerdefiniertInstance().isLoaded());
        QCOMPARE(f.ui.beepCount(), 0);
        QCOMPARE(f.reloads, std::vector<int>{0});
        QCOMPARE(shared().Ventiltyp, QStringLiteral("9999"));
        return;
    }
    QVERIFY(frmBenutzerdefiniertInstance().isLoaded());
    QCOMPARE(f.ui.beepCount(), 1);
    auto *box = dynamic_cast<TextBox *>(w.activeControl());
    QVERIFY(box);
    QCOMPARE(box->name(), refusedAt);
    // Its whole text selected, ready to be typed over.
    QCOMPARE(box->selStart(), 0);
    QCOMPARE(box->selLength(), box->text().size());
    QVERIFY(f.ui.messages().empty());
    QVERIFY(f.reloads.empty());
    QCOMPARE(shared().Ventiltyp, QStringLiteral("3548"));
    QCOMPARE(shared().KvsCv, 10.0f);
}

void TestUserDefinedValve::applyLeavesEverythingWhenTheTableCannotBeWritten_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only database") << "read-only" << "Zugriff verweigert";
    QTest::newRow("disk full") << "full" << "Auf dem Datenträger ist nicht genug Platz.";
    // A log that cannot grow fails with EFBIG here, whose number SQLite does not keep: its own words are told.
    QTest::newRow("disk full, write-ahead log") << "full, log" << "9999";
    QTest::newRow("empty table") << "empty" << "Die Tabelle enthält keine Zeile.";
    QTest::newRow("no table") << "missing" << "9999";
}

void TestUserDefinedValve::applyLeavesEverythingWhenTheTableCannotBeWritten()
{
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    SharedData &d = shared();
    if (fault == QLatin1String("read-only")) {
        d.rsVentil.reset();
        d.dbKenndaten = Database::open(f.database(), Database::Mode::ReadOnly);
        testsupport::openSeries(QStringLiteral("3548"));
    } else if (fault == QLatin1String("empty")) {
        d.dbKenndaten->clearTable(QStringLiteral("9999"));
    } else if (fault == QLatin1String("missing")) {
        d.dbKenndaten->dropTable(QStringLiteral("9999"));
    } else if (fault == QLatin1String("full, log")) {
        // The program's mode once a sizing has rebuilt the work table; the log already holds some 50 KB.
        QVERIFY(d.dbKenndaten->useWriteAheadLog());
        d.dbKenndaten->createTable(QStringLiteral("q_ballast"), {FieldDef{QStringLiteral("b"), FieldType::Memo}});
        const std::unique_ptr<Recordset> ballast = d.dbKenndaten->openTable(QStringLiteral("q_ballast"));
        for (int i = 0; i < 12; ++i) {
            ballast->addNew();
            ballast->setField(QStringLiteral("b"), Variant(QString(4000, QLatin1Char('x'))));
            ballast->update();
        }
        QVERIFY(QFileInfo(f.database() + QStringLiteral("-wal")).size() > 45000);
    }
    const bool full = fault.startsWith(QLatin1String("full"));
    const std::shared_ptr<Recordset> before = d.rsVentil;
    const QString storedA1 = f.stored("9999", "a1").toString();
    const QByteArray fileBefore = testsupport::fileBytes(f.database());

    frmBenutzerdefiniert &w = f.open();
    w.txtBezeichnung.setText(QStringLiteral("Neu"));
    w.cmbDNVentil.userPick(2);
    w.optAufZu.userClick();
    w.txtKvsCv.setText(QStringLiteral("99"));
    w.txtA1.setText(QStringLiteral("3"));
    {
        // The journal takes no page, the log no frame (its index of 32 KB stays as it is).
        std::unique_ptr<testsupport::FileSizeLimit> limit;
        if (full)
            limit = std::make_unique<testsupport::FileSizeLimit>(fault == QLatin1String("full") ? 1024 : 40000);
        w.cmdÜbernehmen.userClick();
    }
    formruntime::collect();

    QVERIFY(frmBenutzerdefiniertInstance().isLoaded());
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    const QString message = f.ui.messages().front().text;
    QVERIFY2(message.contains(QDir::toNativeSeparators(f.database())), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("\"9999\"")), qPrintable(message));
    QVERIFY2(message.contains(reason, Qt::CaseInsensitive), qPrintable(message));
    QCOMPARE(d.Ventiltyp, QStringLiteral("3548"));
    QCOMPARE(d.rsVentil, before);
    QCOMPARE(d.Bezeichnung.toString(), QStringLiteral("Eigenbau"));
    QCOMPARE(d.DNVentil, QStringLiteral("50"));
    QCOMPARE(d.KvsCv, 10.0f);
    QCOMPARE(d.Kennlinie, 0);
    QVERIFY(f.reloads.empty());
    QCOMPARE(f.stored("9999", "a1").toString(), storedA1);
    if (fault != QLatin1String("missing") && fault != QLatin1String("empty"))
        QCOMPARE(f.stored("9999", "Kvs").toFloat(), 40.0f);
    if (full)
        QVERIFY(testsupport::fileBytes(f.database()) == fileBefore);
}

// A project computed with its own user-defined valve ("Eigenbau": DN 50, Kvs 10, linear, FL 0.9) is loaded while
// "9999" holds the shipped one (DN 50, Kvs 40, equal percentage).
void TestUserDefinedValve::projectValveIsRestoredOrNotClaimed_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<int>("messages");
    QTest::addColumn<float>("storedKvs");
    QTest::addColumn<QString>("name");
    const QString user; // not claimed: no designation, the general name stands in its place
    QTest::newRow("restored") << "own" << MsgAnswer::Yes << 2 << 10.0f << "Eigenbau";
    QTest::newRow("restore cannot be written") << "own, read-only" << MsgAnswer::Yes << 2 << 40.0f << user;
    QTest::newRow("stored one kept") << "own" << MsgAnswer::No << 1 << 40.0f << user;
    // A valve the dialog would refuse is not stored, nor named as the one computed.
    QTest::newRow("impossible, Kvs 0") << "own, Kvs 0" << MsgAnswer::Yes << 0 << 40.0f << user;
    QTest::newRow("the stored one, in inch and Cv") << "stored, inch" << MsgAnswer::No << 0 << 40.0f << "Eigenbau";
    // A size in inch is named as the size lists show it, without "DN".
    QTest::newRow("own, in inch and Cv") << "own, inch" << MsgAnswer::No << 1 << 40.0f << user;
    // Kvs 25 with the estimate's coefficients (FL 0.8) applied where no sheet run follows: the project is that valve.
    QTest::newRow("defined in the dialog") << "dialog" << MsgAnswer::Yes << 0 << 25.0f << "Eigenbau";
}

void TestUserDefinedValve::projectValveIsRestoredOrNotClaimed()
{
    QFETCH(QString, project);
    QFETCH(MsgAnswer, answer);
    QFETCH(int, messages);
    QFETCH(float, storedKvs);
    QFETCH(QString, name);
    SharedData &d = shared();
    if (project == QLatin1String("own, read-only")) {
        d.rsVentil.reset();
        d.dbKenndaten = Database::open(f.database(), Database::Mode::ReadOnly);
    }
    const SharedData own = d;
    testsupport::openSeries(QStringLiteral("9999"));
    if (project == QLatin1String("dialog")) {
        frmBenutzerdefiniert &w = f.open();
        w.txtKvsCv.setText(QStringLiteral("25"));
        w.cmdAbschätzen.userClick();
        w.cmdÜbernehmen.userClick();
        formruntime::collect();
    } else if (project == QLatin1String("stored, inch")) {
        toolsfixture::takeRow(*d.rsVentil);
        d.DNunit = 1;
        d.DNVentil = QStringLiteral("2\"");
        d.KvUnit = 1;
        d.KvsCv = static_cast<float>(1.16 * 40);
    } else if (project == QLatin1String("own, inch")) {
        d.DNunit = 1;
        d.DNVentil = QStringLiteral("2\"");
        d.KvUnit = 1;
        d.KvsCv = 11.6f;
    } else {
        d.DNVentil = own.DNVentil;
        d.KvsCv = project == QLatin1String("own, Kvs 0") ? 0.0f : own.KvsCv;
        d.Kennlinie = own.Kennlinie;
    }
    f.ui.answerNextMessage(answer);
    reconcileProjectUserValve(QStringLiteral("/p/Kessel.vls"), QStringLiteral("Quendra"));

    const auto &shown = f.ui.messages();
    QCOMPARE(int(shown.size()), messages);
    const bool inch = project == QLatin1String("own, inch");
    if (messages > 0)
        QVERIFY2(shown[0].text.startsWith(QDir::toNativeSeparators(QStringLiteral("/p/Kessel.vls"))) &&
                     shown[0].text.contains(inch ? "\"Eigenbau\", 2\", CV " + zahl("11.6") + ", (mod.) linear"
                                                 : QStringLiteral("\"Eigenbau\", DN 50, Kvs 10, (mod.) linear")) &&
                     shown[0].text.contains(inch ? ": 2\", CV " + zahl("46.4") + ", gleich%"
                                                 : QStringLiteral(": DN 50, Kvs 40, gleich%")),
                 qPrintable(shown[0].text));
    if (messages > 1 && storedKvs == 10.0f)
        QVERIFY2(shown[1].text.endsWith(QStringLiteral("\nDN 50, Kvs 40, gleich%")), qPrintable(shown[1].text));
    if (messages > 1 && storedKvs == 40.0f)
        QVERIFY2(shown[1].text.contains(QDir::toNativeSeparators(f.database())) &&
                     shown[1].text.contains(QStringLiteral("\"9999\"")),
                 qPrintable(shown[1].text));
    QCOMPARE(f.stored("9999", "Kvs").toFloat(), storedKvs);
    QCOMPARE(f.stored("9999", "aFL").toDouble(), storedKvs == 10.0f ? 0.9 : 0.8);
    // The valve computed is the stored one, whole.
    QCOMPARE(d.AFL.toDouble(), storedKvs == 10.0f ? 0.9 : 0.8);
    QCOMPARE(d.Bezeichnung.toString(), name);
    QCOMPARE(d.rsVentil->table(), QStringLiteral("9999"));
}

void TestUserDefinedValve::cancelReopensThePreviousSeriesInIndexOrder()
{
    SharedData &d = shared();
    // The series open in stored order, largest valve first.
    d.rsVentil = d.dbKenndaten->openTable(QStringLiteral("3548"));
    QCOMPARE(d.rsVentil->field("DN").toInt(), 100);
    const std::shared_ptr<Recordset> before = d.rsVentil;
    frmBenutzerdefiniert &w = f.open();
    w.txtBezeichnung.setText(QStringLiteral("Verworfen"));
    w.optAufZu.userClick();
    w.txtKvsCv.setText(QStringLiteral("99"));
    w.cmdAbschätzen.userClick();
    w.cmdAbbruch.userClick();
    formruntime::collect();

    QVERIFY(!frmBenutzerdefiniertInstance().isLoaded());
    QCOMPARE(d.Ventiltyp, QStringLiteral("3548"));
    QVERIFY(d.rsVentil != before);
    QCOMPARE(d.rsVentil->table(), QStringLiteral("3548"));
    QCOMPARE(d.rsVentil->index(), QStringLiteral("3548"));
    QCOMPARE(d.rsVentil->field("DN").toInt(), 15);
    QCOMPARE(d.Bezeichnung.toString(), QStringLiteral("Eigenbau"));
    QCOMPARE(d.Kennlinie, 0);
    QCOMPARE(d.KvsCv, 10.0f);
    QCOMPARE(d.A1.toDouble(), 1.0);
    QVERIFY(f.reloads.empty());
    QCOMPARE(f.stored("9999", "Kvs").toFloat(), 40.0f);
    QCOMPARE(f.stored("9999", "Kennlinie").toInt(), 1);
}

void TestUserDefinedValve::closingStoresNothing()
{
    SharedData &d = shared();
    const std::shared_ptr<Recordset> before = d.rsVentil;
    frmBenutzerdefiniert &w = f.open();
    w.txtBezeichnung.setText(QStringLiteral("Verworfen"));
    w.txtKvsCv.setText(QStringLiteral("99"));
    QVERIFY(w.userClose());
    formruntime::collect();
    QCOMPARE(d.rsVentil, before);
    QCOMPARE(d.Bezeichnung.toString(), QStringLiteral("Eigenbau"));
    QCOMPARE(d.KvsCv, 10.0f);
    QVERIFY(f.reloads.empty());
    QCOMPARE(f.stored("9999", "Kvs").toFloat(), 40.0f);
}

QUENDRA_TEST_MAIN_TWO_LOCALES(TestUserDefinedValve)
#include "test_user_defined_valve.moc"
