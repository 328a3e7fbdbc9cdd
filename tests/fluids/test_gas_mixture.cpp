#include "fluid_fixture.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_ui_services.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

// The gas-mixture dialog: its results at every keystroke, the conversions between norm density and molar mass,
// the take-over from the gas table, the focus rule of the shares, and OK's storing and hand-over. Expected values
// are worked by hand: norm density = M x 0.04462 kg/m3, 1 kg/m3 = 0.06243 lb./cu.ft., kappa = 1 + 1 / sum(x / (k - 1)).

using namespace fluidfixture;

namespace {

frmGasgemisch &mixture()
{
    return frmGasgemischInstance().get();
}

// Applies "field(i)=text" edits in order (fields: share, name, kappa, rho, m; "unit(i)=n" picks a row's unit,
// "option=rho" or "option=m" selects an option, "mixunit=n" the mixture's unit).
void apply(frmGasgemisch &d, const QStringList &edits)
{
    for (const QString &edit : edits) {
        const QString target = edit.section(QLatin1Char('='), 0, 0);
        const QString value = edit.section(QLatin1Char('='), 1);
        const QString kind = target.section(QLatin1Char('('), 0, 0);
        const int i = target.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0).toInt();
        if (kind == QLatin1String("share"))
            d.txtVolAnteil[i].setText(value);
        else if (kind == QLatin1String("name"))
            d.txtMedium[i].setText(value);
        else if (kind == QLatin1String("kappa"))
            d.txtKappa[i].setText(value);
        else if (kind == QLatin1String("rho"))
            d.txtRhon[i].setText(value);
        else if (kind == QLatin1String("m"))
            d.txtMGewicht[i].setText(value);
        else if (kind == QLatin1String("unit"))
            d.cmbRhounit[i].userPick(value.toInt());
        else if (kind == QLatin1String("mixunit"))
            d.cmbRhounitGemisch.userPick(value.toInt());
        else if (kind == QLatin1String("option"))
            (value == QLatin1String("rho") ? d.optNormdichte : d.optMGewicht).userClick();
        else
            QFAIL(qPrintable(QStringLiteral("unknown edit ") + edit));
    }
}

// Designation | total | kappa | molar mass | norm density | OK enabled.
QString results(frmGasgemisch &d)
{
    return QStringList{d.lblBezeichnungGemisch.caption(), d.lblVolAnteilGemisch.caption(),
                       d.lblKappaGemisch.caption(),       d.lblMGewichtGemisch.caption(),
                       d.lblRhoNGemisch.caption(),        d.cmdOK.enabled() ? QStringLiteral("OK") : QStringLiteral("-")}
        .join(QLatin1Char('|'));
}

QString row(frmGasgemisch &d, int i)
{
    return QStringList{d.txtVolAnteil[i].text(), d.txtMedium[i].text(), d.txtKappa[i].text(), d.txtRhon[i].text(),
                       QString::number(d.rowDensityUnit(i)), d.txtMGewicht[i].text()}
        .join(QLatin1Char('|'));
}

} // namespace

class TestGasMixture : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void initTestCase() { f.initSuite(); }
    void init() { f.beginCase(); }
    void cleanup() { f.endCase(); }

    void opensWithZeroSharesAndNoResults();
    void resultsFollowEveryEdit_data();
    void resultsFollowEveryEdit();
    void resultsFollowEveryKeyTyped_data();
    void resultsFollowEveryKeyTyped();
    void rowConvertsBetweenDensityAndMolarMass_data();
    void rowConvertsBetweenDensityAndMolarMass();
    void takeOverFillsTheFirstFreeRow_data();
    void takeOverFillsTheFirstFreeRow();
    void shareThatIsNoNumberKeepsTheFocus();
    void okRefusesAnIncompleteMixture_data();
    void okRefusesAnIncompleteMixture();
    void okStoresAndHandsOverTheMixture_data();
    void okStoresAndHandsOverTheMixture();
    void okFailureLeavesEverything_data();
    void okFailureLeavesEverything();
    void cancelChangesNoUnitAndNoValue();
};

void TestGasMixture::opensWithZeroSharesAndNoResults()
{
    frmGasgemisch &d = mixture();
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(row(d, i), QStringLiteral("0||||%1|").arg(shared().rhoUnit));
        QCOMPARE(d.lblKomponente[i].caption(), QString::number(i + 1));
    }
    QCOMPARE(results(d), QStringLiteral("|||||-"));
    QVERIFY(!d.optNormdichte.value());
    QVERIFY(!d.optMGewicht.value());
    QVERIFY(d.txtRhon[0].enabled() && d.txtMGewicht[0].enabled());
    QCOMPARE(d.lstSubstanz.items(), QStringList({"Luft", "Methan", "Ethan", "Leichtgas"}));
    QCOMPARE(d.cmbRhounitGemisch.listIndex(), shared().rhoUnit);
}

void TestGasMixture::resultsFollowEveryEdit_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("expected");
    // 1 + 1 / (0.5 / 0.4 + 0.5 / 0.3) = 1.343.
    QTest::newRow("kappa 1.4 and 1.3 at 50/50")
        << QStringList{"name(0)=A", "kappa(0)=" + loc("1.4"), "name(1)=B", "kappa(1)=" + loc("1.3"), "share(0)=50",
                       "share(1)=50"}
        << "50 % A + 50 % B|100|" + loc("1.343") + "|0|0|OK";
    // 16.04 x 0.6 + 30.07 x 0.4 = 21.652, shown 21.65; 21.65 x 0.04462 = 0.9660 kg/m3. The molar masses are
    // typed before the shares, so that a share edit carries them into the mixture.
    QTest::newRow("Methan and Ethan at 60/40")
        << QStringList{"name(0)=Methan", "m(0)=" + loc("16.04"), "name(1)=Ethan", "m(1)=" + loc("30.07"),
                       "share(0)=60", "share(1)=40"}
        << "60 % Methan + 40 % Ethan|100|0|" + loc("21.65") + "|" + loc("0.9660") + "|OK";
    // The same in lb./cu.ft.: 0.9660 x 0.06243 = 0.06031.
    QTest::newRow("Methan and Ethan in lb./cu.ft.")
        << QStringList{"mixunit=1", "name(0)=Methan", "m(0)=" + loc("16.04"), "name(1)=Ethan",
                       "m(1)=" + loc("30.07"), "share(0)=60", "share(1)=40"}
        << "60 % Methan + 40 % Ethan|100|0|" + loc("21.65") + "|" + loc("0.06031") + "|OK";
    // The total is compared as read back from its fifteen-digit text.
    QTest::newRow("33.3, 33.3 and 33.4") << QStringList{"share(0)=" + loc("33.3"), "share(1)=" + loc("33.3"),
                                                        "share(2)=" + loc("33.4")}
                                         << loc("33.3 % |100|0|0|0|OK");
    // 10.1 + 80.1 + 9.8 is 99.99999999999999 in binary arithmetic, "100" as text.
    QTest::newRow("10.1, 80.1 and 9.8") << QStringList{"share(0)=" + loc("10.1"), "share(1)=" + loc("80.1"),
                                                       "share(2)=" + loc("9.8")}
                                        << loc("10.1 % |100|0|0|0|OK");
    QTest::newRow("50 and 49.99") << QStringList{"share(0)=50", "share(1)=" + loc("49.99")}
                                  << "50 % |" + loc("99.99") + "|0|0|0|-";
    QTest::newRow("100.01") << QStringList{"share(0)=" + loc("100.01")} << loc("100.01 % |100.01|0|0|0|-");
    // An exponent of 1 leaves the row out of kappa (1 + 1 / (0.5 / 0.4) = 1.8) but not out of the total and the
    // molar mass (28 x 0.5 + 2 x 0.5 = 15, 15 x 0.04462 = 0.6693).
    QTest::newRow("exponent 1") << QStringList{"name(0)=A", "kappa(0)=" + loc("1.4"), "m(0)=28", "name(1)=B",
                                               "kappa(1)=1", "m(1)=2", "share(0)=50", "share(1)=50"}
                                << "50 % A + 50 % B|100|" + loc("1.800") + "|" + loc("15.00") + "|" + loc("0.6693") +
                                       "|OK";
    // Rows 1 to 5 with share 0 stay out of the designation; row 0 is always in it.
    QTest::newRow("shares of 0") << QStringList{"name(0)=A", "name(1)=B", "name(2)=C", "name(3)=D", "share(1)=50",
                                                "share(3)=50"}
                                 << "0 % A + 50 % B + 50 % D|100|0|0|0|OK";
    QTest::newRow("every row empty") << QStringList{"name(0)=x", "name(0)="} << "0 % |||||-";
    // With no option selected a typed molar mass is carried into the mixture all the same: 28 x 0.04462 = 1.249.
    QTest::newRow("molar mass without an option")
        << QStringList{"share(0)=100", "name(0)=A", "m(0)=28"} << "100 % A|100|0|" + loc("28.00") + "|" + loc("1.249") +
                                                                      "|OK";
}

void TestGasMixture::resultsFollowEveryEdit()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, expected);
    frmGasgemisch &d = mixture();
    apply(d, edits);
    QCOMPARE(results(d), expected);
}

void TestGasMixture::resultsFollowEveryKeyTyped_data()
{
    QTest::addColumn<int>("unit"); // of the rows and the mixture
    QTest::addColumn<QStringList>("rows"); // share|name|exponent|molar mass, typed in this order
    QTest::addColumn<QString>("kappa");
    QTest::addColumn<QString>("molarMass");
    QTest::addColumn<QString>("normDensity");
    // 16.04 x 0.6 + 30.07 x 0.4 = 21.652, shown 21.65; 21.65 x 0.04462 = 0.9660 kg/m3. The density of the last
    // digit of 30.07 (1.3417 kg/m3) shows as 1.34 like that of 30. 1 + 1 / (0.6 / 0.31 + 0.4 / 0.19) = 1.247.
    QTest::newRow("Methan and Ethan at 60/40 in kg/m3")
        << 0 << QStringList{"60|Methan|" + loc("1.31") + "|" + loc("16.04"), "40|Ethan|" + loc("1.19") + "|" + loc("30.07")}
        << loc("1.247") << loc("21.65") << loc("0.9660");
    // 28.96 x 0.04462 = 1.2922 kg/m3 = 0.08067 lb./cu.ft.; the row shows .08 from the typed 28 on.
    QTest::newRow("Luft alone in lb./cu.ft.")
        << 1 << QStringList{"100|Luft|" + loc("1.4") + "|" + loc("28.96")} << loc("1.400") << loc("28.96")
        << loc("0.08067");
}

// Typed as a user types, key by key into the dialog's window, with the molar mass chosen as the typed column: the
// mixture follows the last digit, and OK stores and hands over what it shows.
void TestGasMixture::resultsFollowEveryKeyTyped()
{
    QFETCH(int, unit);
    QFETCH(QStringList, rows);
    QFETCH(QString, kappa);
    QFETCH(QString, molarMass);
    QFETCH(QString, normDensity);
    shared().rhoUnit = unit;
    frmGasgemisch &d = mixture();
    {
        QtUiServices ui;
        UiServicesScope scope(ui);
        d.show();
        qtui::FormView *view = ui.viewOf(d);
        QVERIFY(view);
        auto typeInto = [&](TextBox &field, const QString &keys) {
            // The field selects its whole text on getting the focus; the keys replace it one by one.
            field.setFocus();
            auto *edit = qobject_cast<QLineEdit *>(view->widgetFor(field));
            QVERIFY(edit);
            QTest::keyClicks(edit, keys);
            QCOMPARE(field.text(), keys);
        };
        auto *option = qobject_cast<QRadioButton *>(view->widgetFor(d.optMGewicht));
        QVERIFY(option);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, 8));
        QVERIFY(d.optMGewicht.value());
        for (int i = 0; i < rows.size(); ++i) {
            const QStringList cells = rows[i].split(QLatin1Char('|'));
            typeInto(d.txtVolAnteil[i], cells[0]);
            typeInto(d.txtMedium[i], cells[1]);
            typeInto(d.txtKappa[i], cells[2]);
            typeInto(d.txtMGewicht[i], cells[3]);
            QCOMPARE(d.rowDensityUnit(i), unit);
        }
        QCOMPARE(d.lblKappaGemisch.caption(), kappa);
        QCOMPARE(d.lblMGewichtGemisch.caption(), molarMass);
        QCOMPARE(d.lblRhoNGemisch.caption(), normDensity);
        QCOMPARE(qobject_cast<QLabel *>(view->widgetFor(d.lblRhoNGemisch))->text(), normDensity);
        QVERIFY(d.cmdOK.enabled());
        d.hide();
    }
    d.cmdOK.userClick();
    QVERIFY(!frmGasgemischInstance().isLoaded());
    QCOMPARE(shared().rhoN, Variant(normDensity).toDouble());
    QCOMPARE(shared().Medium, 3);
    const QStringList stored = tableRows(QStringLiteral("IdealeGase_d"), {QStringLiteral("RHON")});
    QCOMPARE(stored.last(), QString::number(Variant(normDensity).toDouble(), 'g', 15));
}

void TestGasMixture::rowConvertsBetweenDensityAndMolarMass_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("expected"); // the row as share|name|kappa|density|unit|molar mass
    // 28.96 x 0.04462 = 1.292 kg/m3 = 0.08067 lb./cu.ft., shown "##.##".
    QTest::newRow("molar mass to kg/m3") << QStringList{"option=m", "m(0)=" + loc("28.96")}
                                         << "0|||" + loc("1.29") + "|0|" + loc("28.96");
    QTest::newRow("molar mass to lb./cu.ft.") << QStringList{"unit(0)=1", "option=m", "m(0)=" + loc("28.96")}
                                              << "0|||" + loc(".08") + "|1|" + loc("28.96");
    // 1.29 / 0.04462 = 28.91; 1.24936 / 0.04462 = 28.000: the separator stays.
    QTest::newRow("kg/m3 to molar mass") << QStringList{"option=rho", "rho(0)=" + loc("1.29")}
                                         << "0|||" + loc("1.29") + "|0|" + loc("28.91");
    QTest::newRow("whole molar mass") << QStringList{"option=rho", "rho(0)=" + loc("1.24936")}
                                      << "0|||" + loc("1.24936") + "|0|" + loc("28.");
    // 0.08053 / 0.06243 / 0.04462 = 28.91.
    QTest::newRow("lb./cu.ft. to molar mass") << QStringList{"unit(0)=1", "option=rho", "rho(0)=" + loc("0.08053")}
                                              << "0|||" + loc("0.08053") + "|1|" + loc("28.91");
    // 0.001 x 0.04462 shows no digit in "##.##": 0.
    QTest::newRow("density too small to show") << QStringList{"option=m", "m(0)=" + loc("0.001")}
                                               << "0|||0|0|" + loc("0.001");
    // A row's unit converts its density (1.29 kg/m3 = 0.08053 lb./cu.ft.) and its molar mass follows again.
    QTest::newRow("row unit changed") << QStringList{"option=rho", "rho(0)=" + loc("1.29"), "unit(0)=1"}
                                      << "0|||" + loc("0.08053") + "|1|" + loc("28.91");
    // Without an option neither column derives the other.
    QTest::newRow("no option") << QStringList{"m(0)=" + loc("28.96"), "rho(0)=5"} << "0|||5|0|" + loc("28.96");
}

void TestGasMixture::rowConvertsBetweenDensityAndMolarMass()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, expected);
    frmGasgemisch &d = mixture();
    apply(d, edits);
    QCOMPARE(row(d, 0), expected);
    QCOMPARE(row(d, 1), QStringLiteral("0||||%1|").arg(shared().rhoUnit));
}

void TestGasMixture::takeOverFillsTheFirstFreeRow_data()
{
    QTest::addColumn<int>("rhoUnit");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("gas");  // empty: none clicked
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("expected");
    // 0.7157 / 0.04462 = 16.04.
    QTest::newRow("Methan") << 0 << QStringList{} << "Methan" << false << 0
                            << "0|Methan|" + loc("1.310") + "|" + loc("0.7157") + "|0|" + loc("16.04");
    QTest::newRow("double click") << 0 << QStringList{"name(0)=A", "share(0)=10"} << "Methan" << true << 1
                                  << "0|Methan|" + loc("1.310") + "|" + loc("0.7157") + "|0|" + loc("16.04");
    // 0.05 lb./cu.ft. = 0.8009 kg/m3; 0.8009 / 0.04462 = 17.95.
    QTest::newRow("stored in lb./cu.ft.") << 0 << QStringList{} << "Leichtgas" << false << 0
                                          << "0|Leichtgas|" + loc("1.300") + "|" + loc("0.8009") + "|0|" +
                                                 loc("17.95");
    // The row takes the mixture's unit: 1.293 kg/m3 = 0.08072 lb./cu.ft.; 0.08072 / 0.06243 / 0.04462 = 28.98.
    QTest::newRow("mixture in lb./cu.ft.") << 1 << QStringList{} << "Luft" << false << 0
                                           << "0|Luft|" + loc("1.400") + "|" + loc("0.08072") + "|1|" + loc("28.98");
    QTest::newRow("row in another unit") << 0 << QStringList{"unit(0)=1"} << "Luft" << false << 0
                                         << "0|Luft|" + loc("1.400") + "|" + loc("1.293") + "|0|" + loc("28.98");
    // With the molar mass typed, the written molar mass rewrites the density "##.##" before Normdichte is chosen.
    QTest::newRow("molar mass option") << 0 << QStringList{"option=m"} << "Luft" << false << 0
                                       << "0|Luft|" + loc("1.400") + "|" + loc("1.29") + "|0|" + loc("28.98");
    // Before any gas is clicked, Übernehmen does nothing.
    QTest::newRow("nothing clicked") << 0 << QStringList{} << "" << false << 0 << "0||||0|";
}

void TestGasMixture::takeOverFillsTheFirstFreeRow()
{
    QFETCH(int, rhoUnit);
    QFETCH(QStringList, before);
    QFETCH(QString, gas);
    QFETCH(bool, doubleClick);
    QFETCH(int, target);
    QFETCH(QString, expected);
    shared().rhoUnit = rhoUnit;
    frmGasgemisch &d = mixture();
    apply(d, before);
    if (!gas.isEmpty())
        QVERIFY(pick(d.lstSubstanz, gas));
    if (doubleClick)
        d.lstSubstanz.userDoubleClick();
    else
        d.cmdÜbernahme.userClick();
    QCOMPARE(row(d, target), expected);
    if (!gas.isEmpty()) {
        QVERIFY(d.optNormdichte.value());
        QVERIFY(d.txtRhon[target].enabled());
        QVERIFY(!d.txtMGewicht[target].enabled());
    }
    QCOMPARE(d.mixtureDensityUnit(), rhoUnit);
}

void TestGasMixture::shareThatIsNoNumberKeepsTheFocus()
{
    frmGasgemisch &d = mixture();
    apply(d, {"name(0)=A", "kappa(0)=" + loc("1.4"), "m(0)=28", "name(1)=B", "kappa(1)=" + loc("1.3"), "m(1)=2",
              "share(0)=60", "share(1)=40"});
    QVERIFY(d.cmdOK.enabled());
    d.txtVolAnteil[0].setFocus();
    d.txtVolAnteil[0].userBackspace();
    d.txtVolAnteil[0].userBackspace();
    QCOMPARE(d.txtVolAnteil[0].text(), QString());
    // The total is not recomputed and OK keeps its state.
    QCOMPARE(d.lblVolAnteilGemisch.caption(), QStringLiteral("100"));
    QVERIFY(d.cmdOK.enabled());
    QVERIFY(!d.pressTab());
    QCOMPARE(f.ui.beepCount(), 1);
    d.txtMedium[1].userType(QStringLiteral("x"));
    d.cmdOK.userClick();
    QCOMPARE(f.ui.beepCount(), 3);
    QCOMPARE(d.activeControl(), &d.txtVolAnteil[0]);
    QCOMPARE(d.txtMedium[1].text(), QStringLiteral("B"));
    // Enter runs OK without a focus move; OK finds the share and keeps the dialog.
    QVERIFY(d.pressEnter());
    QCOMPARE(f.ui.beepCount(), 4);
    QVERIFY(d.isLoaded());
    // A number lets the focus go; Abbruch always works.
    d.txtVolAnteil[0].userType(QStringLiteral("5"));
    QVERIFY(d.pressTab());
    QCOMPARE(d.activeControl(), &d.txtMedium[0]);
    d.txtVolAnteil[0].setFocus();
    d.txtVolAnteil[0].setText(QStringLiteral("?"));
    d.cmdAbbruch.userClick();
    QVERIFY(!frmGasgemischInstance().isLoaded());
    QCOMPARE(f.ui.beepCount(), 4);
}

void TestGasMixture::okRefusesAnIncompleteMixture_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("focus"); // name(index) of the field that gets the focus
    const QStringList complete = {"name(0)=A", "kappa(0)=" + loc("1.4"), "m(0)=28", "share(0)=100"};
    QTest::newRow("exponent 1") << (complete + QStringList{"kappa(0)=1", "share(0)=100"}) << "txtKappa(0)";
    QTest::newRow("no name") << (complete + QStringList{"name(0)="}) << "txtMedium(0)";
    QTest::newRow("no molar mass") << (complete + QStringList{"m(0)="}) << "txtMGewicht(0)";
    // With the density typed the molar mass is closed: the density takes the focus.
    QTest::newRow("no density") << (complete + QStringList{"option=rho", "m(0)="}) << "txtRhon(0)";
    QTest::newRow("shares beyond 0 to 100") << QStringList{"name(0)=A", "kappa(0)=" + loc("1.4"), "m(0)=28",
                                                           "name(1)=B", "kappa(1)=" + loc("1.4"), "m(1)=28",
                                                           "share(0)=120", "share(1)=-20"}
                                            << "txtVolAnteil(0)";
    QTest::newRow("second row incomplete") << (complete + QStringList{"share(0)=50", "share(1)=50"})
                                           << "txtMedium(1)";
}

void TestGasMixture::okRefusesAnIncompleteMixture()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, focus);
    const QStringList before = fluidPicture(shared());
    const QStringList rows = tableRows(QStringLiteral("IdealeGase_d"), {QStringLiteral("SUBSTANZ")});
    frmGasgemisch &d = mixture();
    apply(d, edits);
    QVERIFY(d.cmdOK.enabled());
    d.cmdOK.userClick();
    QCOMPARE(f.ui.beepCount(), 1);
    QVERIFY(d.isLoaded());
    QVERIFY(d.activeControl());
    QCOMPARE(QStringLiteral("%1(%2)").arg(d.activeControl()->name()).arg(d.activeControl()->index()), focus);
    QCOMPARE(tableRows(QStringLiteral("IdealeGase_d"), {QStringLiteral("SUBSTANZ")}), rows);
    QCOMPARE(fluidPicture(shared()), before);
}

void TestGasMixture::okStoresAndHandsOverTheMixture_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("medium");
    QTest::addColumn<int>("QUnit");
    QTest::addColumn<int>("mixUnit");
    QTest::addColumn<int>("expectedQUnit");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<double>("rhoN");
    // 60 % Methan + 40 % Ethan from the table: kappa 1 + 1 / (0.6 / 0.31 + 0.4 / 0.19) = 1.247; the densities
    // shown, 0.7157 and 1.342 kg/m3, give the molar masses 16.04 and 30.08, the mixture 21.66 and 0.9665 kg/m3.
    QTest::newRow("sizing, from liquid G.P.M.") << 0 << "" << 5 << 0 << 4
                                                << "60 % Methan + 40 % Ethan|1.247|0.9665|0" << 0.9665;
    QTest::newRow("flow, from steam lb./hr.") << 1 << "mnuWasserdampf" << 1 << 0 << 3
                                              << "60 % Methan + 40 % Ethan|1.247|0.9665|0" << 0.9665;
    // In lb./cu.ft. the rows show 0.04468 and 0.08376, which give 16.04 and 30.07, the mixture 21.65 and
    // 0.9660 kg/m3 = 0.06031 lb./cu.ft.; the shared density unit follows on OK.
    QTest::newRow("sizing, in lb./cu.ft.") << 0 << "mnuLuft" << 2 << 1 << 2
                                           << "60 % Methan + 40 % Ethan|1.247|0.06031|1" << 0.06031;
}

void TestGasMixture::okStoresAndHandsOverTheMixture()
{
    QFETCH(int, modus);
    QFETCH(QString, medium);
    QFETCH(int, QUnit);
    QFETCH(int, mixUnit);
    QFETCH(int, expectedQUnit);
    QFETCH(QString, stored);
    QFETCH(double, rhoN);
    if (modus == 1)
        QVERIFY(f.choose(f.w->mnuFlow));
    if (!medium.isEmpty())
        QVERIFY(f.choose(*dynamic_cast<Menu *>(f.w->control(medium))));
    shared().QUnit = QUnit;
    const QStringList columns = {QStringLiteral("SUBSTANZ"), QStringLiteral("Kappa"), QStringLiteral("RHON"),
                                 QStringLiteral("RHOUNIT")};
    const QStringList rows = tableRows(QStringLiteral("IdealeGase_d"), columns);
    f.ui.onNextModal([&](Form &) {
        frmGasgemisch &d = mixture();
        apply(d, {"mixunit=" + QString::number(mixUnit)});
        for (const char *gas : {"Methan", "Ethan"}) {
            QVERIFY(pick(d.lstSubstanz, QString::fromUtf8(gas)));
            d.cmdÜbernahme.userClick();
        }
        apply(d, {"share(0)=60", "share(1)=40"});
        QVERIFY(d.pressEnter());
    });
    QVERIFY(f.choose(f.w->mnuGasGemisch));
    QVERIFY(!frmGasgemischInstance().isLoaded());
    QCOMPARE(tableRows(QStringLiteral("IdealeGase_d"), columns), rows + QStringList{stored});

    const SharedData &s = shared();
    QCOMPARE(s.QUnit, expectedQUnit);
    QCOMPARE(s.Zustand, 0);
    QCOMPARE(s.Medium, 3);
    QCOMPARE(s.NameMedium, QStringLiteral("60 % Methan + 40 % Ethan"));
    QCOMPARE(QList<double>({s.gammaMin, s.gammaNorm, s.gammaMax}), QList<double>({1.247, 1.247, 1.247}));
    QCOMPARE(s.rhoN, rhoN);
    QCOMPARE(s.rhoUnit, mixUnit);
    QCOMPARE(s.Modus, modus);
    Form *sheet = f.sheet();
    QVERIFY(sheet);
    QVERIFY(dynamic_cast<Label *>(sheet->control(QStringLiteral("lblProzessdaten")))
                ->caption()
                .contains(QStringLiteral("60 % Methan + 40 % Ethan")));

    // The mixture is now a gas of the list.
    QVERIFY(frmIdealesGasInstance().get().lstSubstanz.items().contains(QStringLiteral("60 % Methan + 40 % Ethan")));
}

void TestGasMixture::okFailureLeavesEverything_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("message");
    QTest::newRow("designation stored already") << "duplicate" << "Medium bereits vorhanden!";
    QTest::newRow("store refused") << "refused" << "dbStoffdaten.mdb";
}

void TestGasMixture::okFailureLeavesEverything()
{
    QFETCH(QString, problem);
    QFETCH(QString, message);
    const QString path = fluiddb::databasePath();
    if (problem == QLatin1String("duplicate"))
        menufixture::execSql(path, QStringLiteral("INSERT INTO \"IdealeGase_d\" VALUES ('50 % Luft + 50 % Methan', "
                                                  "1.35, 1.0, 0)"));
    else
        menufixture::execSql(path, QStringLiteral("CREATE TRIGGER no_insert BEFORE INSERT ON \"IdealeGase_d\" "
                                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    const QStringList rows = tableRows(QStringLiteral("IdealeGase_d"), {QStringLiteral("SUBSTANZ")});
    const QStringList before = fluidPicture(shared());
    frmGasgemisch &d = mixture();
    for (const char *gas : {"Luft", "Methan"}) {
        QVERIFY(pick(d.lstSubstanz, QString::fromUtf8(gas)));
        d.cmdÜbernahme.userClick();
    }
    apply(d, {"share(0)=50", "share(1)=50"});
    const QString entries = row(d, 0) + row(d, 1) + results(d);
    d.cmdOK.userClick();
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    QVERIFY2(f.ui.messages()[0].text.contains(message), qPrintable(f.ui.messages()[0].text));
    QVERIFY(d.isLoaded());
    QCOMPARE(row(d, 0) + row(d, 1) + results(d), entries);
    QCOMPARE(tableRows(QStringLiteral("IdealeGase_d"), {QStringLiteral("SUBSTANZ")}), rows);
    QCOMPARE(fluidPicture(shared()), before);
    // Corrected, the mixture goes through.
    if (problem == QLatin1String("duplicate")) {
        apply(d, {"share(0)=40", "share(1)=60"});
        d.cmdOK.userClick();
        QVERIFY(!frmGasgemischInstance().isLoaded());
        QCOMPARE(shared().NameMedium, QStringLiteral("40 % Luft + 60 % Methan"));
    }
}

void TestGasMixture::cancelChangesNoUnitAndNoValue()
{
    const QStringList before = fluidPicture(shared());
    const QStringList picture = menufixture::sheetPicture(*f.sheet());
    const QStringList rows = tableRows(QStringLiteral("IdealeGase_d"), {QStringLiteral("SUBSTANZ")});
    f.ui.onNextModal([&](Form &) {
        frmGasgemisch &d = mixture();
        apply(d, {"mixunit=1", "unit(0)=1", "name(0)=A", "m(0)=28", "share(0)=100"});
        QCOMPARE(d.mixtureDensityUnit(), 1);
        d.cmdAbbruch.userClick();
    });
    QVERIFY(f.choose(f.w->mnuGasGemisch));
    QVERIFY(!frmGasgemischInstance().isLoaded());
    QCOMPARE(fluidPicture(shared()), before);
    QCOMPARE(menufixture::sheetPicture(*f.sheet()), picture);
    QCOMPARE(tableRows(QStringLiteral("IdealeGase_d"), {QStringLiteral("SUBSTANZ")}), rows);
}

QTEST_MAIN(TestGasMixture)
#include "test_gas_mixture.moc"
