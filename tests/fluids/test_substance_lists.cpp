#include "fluid_fixture.h"
#include "support/damaged_files.h"
#include "support/full_disk.h"

// The ideal-gas list and the liquid list on fixture databases: what they show, the editing of their records, the
// rules of their fields and unit lists, and their failures. Expected numbers are worked by hand from the stored
// values and the unit factors (1 kg/m3 = 0.06243 lb./cu.ft., 1 psi = 0.06894757 bar, atmosphere 1.01325 bar).

using namespace fluidfixture;

namespace {

SubstanceListForm &dialog(const QString &which)
{
    if (which == QLatin1String("gas"))
        return frmIdealesGasInstance().get();
    return frmFlüssigkeitInstance().get();
}

// The numeric fields of a dialog as "name=text", in the column order.
QStringList fieldTexts(Form &form)
{
    QStringList out;
    for (Control *c : form.controls()) {
        if (auto *t = dynamic_cast<TextBox *>(c))
            out << c->name() + QLatin1Char('=') + t->text();
    }
    return out;
}

ComboBox &list(Form &form, const QString &name)
{
    auto *c = dynamic_cast<ComboBox *>(form.control(name));
    Q_ASSERT(c);
    return *c;
}

// list, fields, OK, Abbruch, Neu, Bearbeiten, Löschen enabled; Übernehmen shown: e.g. "1 0 0 1 1 0 0 0".
QString states(SubstanceListForm &d)
{
    const bool flags[] = {d.lstSubstanz.enabled(), d.txtMedium.enabled(), d.cmdOK.enabled(),
                          d.cmdEsc.enabled(),      d.cmdNeu.enabled(),    d.cmdBearbeiten.enabled(),
                          d.cmdLöschen.enabled(),  d.cmdÜbernahme.visible()};
    QStringList out;
    for (bool b : flags)
        out << (b ? QStringLiteral("1") : QStringLiteral("0"));
    return out.join(QLatin1Char(' '));
}

const QStringList gasColumns = {QStringLiteral("SUBSTANZ"), QStringLiteral("Kappa"), QStringLiteral("RHON"),
                                QStringLiteral("RHOUNIT")};
const QStringList liquidColumns = {QStringLiteral("SUBSTANZ"), QStringLiteral("RHO"), QStringLiteral("PSAT"),
                                   QStringLiteral("PKRIT"), QStringLiteral("NUE"), QStringLiteral("TBEZUG"),
                                   QStringLiteral("RHOUNIT"), QStringLiteral("PUNIT"), QStringLiteral("NUEUNIT"),
                                   QStringLiteral("TUNIT")};

QStringList rowsOf(const QString &which)
{
    return which == QLatin1String("gas") ? tableRows(QStringLiteral("IdealeGase_d"), gasColumns)
                                         : tableRows(QStringLiteral("Flüssigkeiten_d"), liquidColumns);
}

} // namespace

class TestSubstanceLists : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void initTestCase() { f.initSuite(); }
    void init() { f.beginCase(); }
    void cleanup() { f.endCase(); }

    void openingShowsEmptyNameAndZeroInUnitFields_data();
    void openingShowsEmptyNameAndZeroInUnitFields();
    void itemsNameTheirRecords_data();
    void itemsNameTheirRecords();
    void selectedRecordShowsInTheDialogUnits_data();
    void selectedRecordShowsInTheDialogUnits();
    void controlStatesFollowTheWorkflow_data();
    void controlStatesFollowTheWorkflow();
    void saveButtonFollowsTheFieldChangedLast_data();
    void saveButtonFollowsTheFieldChangedLast();
    void unitListsConvertTheirFieldsOnly_data();
    void unitListsConvertTheirFieldsOnly();
    void newEntryStartsWithDefaultsInTheDialogUnits_data();
    void newEntryStartsWithDefaultsInTheDialogUnits();
    void saveStoresTheFieldsAsTypedAndRefills_data();
    void saveStoresTheFieldsAsTypedAndRefills();
    void saveRefusesABadFieldBeforeStoring_data();
    void saveRefusesABadFieldBeforeStoring();
    void duplicateNameKeepsTheEntryForCorrection_data();
    void duplicateNameKeepsTheEntryForCorrection();
    void pendingEntryIsAbandonedBeforeTheNextAction_data();
    void pendingEntryIsAbandonedBeforeTheNextAction();
    void okRefusesRecordsWithoutNumbers_data();
    void okRefusesRecordsWithoutNumbers();
    void doubleClickWithoutSelectionDoesNothing_data();
    void doubleClickWithoutSelectionDoesNothing();
    void databaseFailuresAreReportedOnce_data();
    void databaseFailuresAreReportedOnce();
    void savingWhileAnotherConnectionIsOpen_data();
    void savingWhileAnotherConnectionIsOpen();
    void damagedDatabaseIsKeptAndReplaced_data();
    void damagedDatabaseIsKeptAndReplaced();
};

void TestSubstanceLists::openingShowsEmptyNameAndZeroInUnitFields_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("ideal gases") << "gas" << QStringList{"txtMedium=", "txtKappa=", "txtRhon=0"};
    QTest::newRow("liquids") << "liquid"
                             << QStringList{"txtMedium=",  "txtTBezug=0", "txtrho=0",
                                            "txtpsat=0",   "txtpkrit=0",  "txtnue=0"};
}

void TestSubstanceLists::openingShowsEmptyNameAndZeroInUnitFields()
{
    QFETCH(QString, which);
    QFETCH(QStringList, fields);
    SubstanceListForm &d = dialog(which);
    QCOMPARE(fieldTexts(d), fields);
    QCOMPARE(d.lstSubstanz.listIndex(), -1);
    QCOMPARE(states(d), QStringLiteral("1 0 0 1 1 0 0 0"));
}

void TestSubstanceLists::itemsNameTheirRecords_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("shownName");
    QTest::addColumn<int>("recordsLeft");
    // Sorted as read; a Null name is purged at opening; a liquid whose temperature unit is neither 0 nor 1 is not
    // listed but stays; a name may hold " @ " itself.
    QTest::newRow("gases") << "gas" << QStringList{"Ethan", "Leichtgas", "Luft", "Methan"} << "Leichtgas"
                           << "Leichtgas" << 4;
    QTest::newRow("liquids") << "liquid"
                             << QStringList{loc("Kaltwasser @ 14.5°C"), "Lauge @ 5 % @ 20°C", "Öl @ 68F",
                                            loc("Warmwasser @ 15.5°C"), "Wasser @ 20°C"}
                             << "Lauge @ 5 % @ 20°C" << "Lauge @ 5 %" << 6;
}

void TestSubstanceLists::itemsNameTheirRecords()
{
    QFETCH(QString, which);
    QFETCH(QStringList, items);
    QFETCH(QString, picked);
    QFETCH(QString, shownName);
    QFETCH(int, recordsLeft);
    std::vector<LiquidRow> liquids = standardLiquids();
    liquids.push_back(liquid(QStringLiteral("Lauge @ 5 %"), 1050, 0.02, 220, 1.2, 20));
    liquids.push_back(liquid(QStringLiteral("Heißöl"), 800, 0.001, 15, 5, 300, 2));
    liquids.push_back(LiquidRow{Variant::null(), 1000, 0, 0, 221, 0, 1, 0, 20, 0});
    std::vector<GasRow> gases = standardGases();
    gases.push_back(GasRow{Variant::null(), 1.4, 1.2, 0});
    f.useDatabase(gases, liquids);

    SubstanceListForm &d = dialog(which);
    QCOMPARE(d.lstSubstanz.items(), items);
    QCOMPARE(rowsOf(which).size(), recordsLeft);
    QVERIFY(pick(d.lstSubstanz, picked));
    QCOMPARE(d.txtMedium.text(), shownName);
}

void TestSubstanceLists::selectedRecordShowsInTheDialogUnits_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QList<int>>("units"); // rhoUnit, pUnit, TUnit, nueUnit
    QTest::addColumn<QStringList>("fields");
    // 0.05 lb./cu.ft. / 0.06243 = 0.80090 kg/m3; 1.293 kg/m3 x 0.06243 = 0.080722 lb./cu.ft.
    QTest::newRow("gas stored in lb./cu.ft.") << "gas" << "Leichtgas" << QList<int>{0, 0, 0, 0}
                                              << QStringList{"txtMedium=Leichtgas", "txtKappa=" + loc("1.300"),
                                                             "txtRhon=" + loc("0.8009")};
    QTest::newRow("gas shown in lb./cu.ft.") << "gas" << "Luft" << QList<int>{1, 0, 0, 0}
                                             << QStringList{"txtMedium=Luft", "txtKappa=" + loc("1.400"),
                                                            "txtRhon=" + loc("0.08072")};
    QTest::newRow("liquid in its own units")
        << "liquid" << "Wasser @ 20°C" << QList<int>{0, 0, 0, 0}
        << QStringList{"txtMedium=Wasser", "txtTBezug=" + loc("20.00"), "txtrho=" + loc("998.2"),
                       "txtpsat=" + loc("0.02339"), "txtpkrit=" + loc("220.6"), "txtnue=" + loc("1.004")};
    // 998.2 x 0.06243 = 62.32; 0.02339 / 0.06894757 = 0.3392 psia; 220.64 / 0.06894757 = 3200 psia;
    // 1.004 mm²/s x (62.32 / 0.06243) kg/m3 / 1000 = 1.002 mPas; 20 °C = 68 F.
    QTest::newRow("liquid in other units")
        << "liquid" << "Wasser @ 20°C" << QList<int>{1, 2, 1, 1}
        << QStringList{"txtMedium=Wasser", "txtTBezug=" + loc("68.00"), "txtrho=" + loc("62.32"),
                       "txtpsat=" + loc("0.3392"), "txtpkrit=3200", "txtnue=" + loc("1.002")};
    // 68 F is 20 °C.
    QTest::newRow("liquid stored in F") << "liquid" << "Öl @ 68F" << QList<int>{0, 0, 0, 0}
                                        << QStringList{"txtMedium=Öl", "txtTBezug=" + loc("20.00"),
                                                       "txtrho=" + loc("870.0"), "txtpsat=" + loc("0.001000"),
                                                       "txtpkrit=" + loc("20.00"), "txtnue=" + loc("60.00")};
}

void TestSubstanceLists::selectedRecordShowsInTheDialogUnits()
{
    QFETCH(QString, which);
    QFETCH(QString, item);
    QFETCH(QList<int>, units);
    QFETCH(QStringList, fields);
    SharedData &s = shared();
    s.rhoUnit = units[0];
    s.pUnit = units[1];
    s.TUnit = units[2];
    s.nueUnit = units[3];
    SubstanceListForm &d = dialog(which);
    QVERIFY(pick(d.lstSubstanz, item));
    QCOMPARE(fieldTexts(d), fields);
    QCOMPARE(d.units().rhoUnit, units[0]);
}

void TestSubstanceLists::controlStatesFollowTheWorkflow_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<int>("records");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("after");
    // After each step: list, fields, OK, Abbruch, Neu, Bearbeiten, Löschen enabled; Übernehmen shown.
    for (const char *which : {"gas", "liquid"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1: select, edit, abandon").arg(which)))
            << which << 4 << QStringList{"select", "edit", "abandon"}
            << QStringList{"1 0 1 1 1 1 1 0", "0 1 0 0 1 1 1 1", "1 0 0 1 1 0 0 0"};
        // OK is disabled in the new state too, so that OK cannot hand over the entry selected before.
        QTest::newRow(qPrintable(QStringLiteral("%1: select, new, save").arg(which)))
            << which << 4 << QStringList{"select", "new", "name", "save"}
            << QStringList{"1 0 1 1 1 1 1 0", "0 1 0 1 1 1 1 1", "0 1 0 1 1 1 1 1", "1 0 0 1 1 0 0 0"};
        // Abandoning ends in browsing with OK disabled, also where nothing had been selected (the liquid list
        // enables OK and the cleared selection disables it again).
        QTest::newRow(qPrintable(QStringLiteral("%1: new from browse, abandon").arg(which)))
            << which << 4 << QStringList{"new", "abandon"} << QStringList{"0 1 0 1 1 0 0 1", "1 0 0 1 1 0 0 0"};
        QTest::newRow(qPrintable(QStringLiteral("%1: one record cannot be deleted").arg(which)))
            << which << 1 << QStringList{"select"} << QStringList{"1 0 1 1 1 1 0 0"};
        // A delete ends in the browse state, also from the edit state.
        QTest::newRow(qPrintable(QStringLiteral("%1: delete from the edit state").arg(which)))
            << which << 4 << QStringList{"select", "edit", "delete"}
            << QStringList{"1 0 1 1 1 1 1 0", "0 1 0 0 1 1 1 1", "1 0 0 1 1 0 0 0"};
    }
}

void TestSubstanceLists::controlStatesFollowTheWorkflow()
{
    QFETCH(QString, which);
    QFETCH(int, records);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, after);
    std::vector<GasRow> gases = standardGases();
    std::vector<LiquidRow> liquids = standardLiquids();
    gases.resize(static_cast<size_t>(records));
    liquids.resize(static_cast<size_t>(records));
    f.useDatabase(gases, liquids);
    SubstanceListForm &d = dialog(which);
    QStringList seen;
    for (const QString &step : steps) {
        if (step == QLatin1String("select"))
            d.lstSubstanz.userPick(0);
        else if (step == QLatin1String("edit"))
            d.cmdBearbeiten.userClick();
        else if (step == QLatin1String("new"))
            d.cmdNeu.userClick();
        else if (step == QLatin1String("name"))
            d.txtMedium.userType(QStringLiteral("Neustoff"));
        else if (step == QLatin1String("save"))
            d.cmdÜbernahme.userClick();
        else if (step == QLatin1String("abandon"))
            d.cmdEscBearbeiten.userClick();
        else if (step == QLatin1String("delete"))
            d.cmdLöschen.userClick();
        seen << states(d);
    }
    QCOMPARE(seen, after);
    QCOMPARE(f.ui.beepCount(), 0);
    QVERIFY(f.ui.messages().empty());
}

void TestSubstanceLists::saveButtonFollowsTheFieldChangedLast_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("edits"); // field=text, in order
    QTest::addColumn<bool>("enabled");
    // After Neu the button is enabled although the name is empty: the numeric default written last decides.
    QTest::newRow("gas: defaults") << "gas" << QStringList{} << true;
    QTest::newRow("liquid: defaults") << "liquid" << QStringList{} << true;
    QTest::newRow("name typed and deleted") << "gas" << QStringList{"txtMedium=A", "txtMedium="} << false;
    QTest::newRow("number field not a number") << "liquid" << QStringList{"txtMedium=A", "txtrho=x"} << false;
    QTest::newRow("name after a bad number") << "liquid" << QStringList{"txtrho=x", "txtMedium=A"} << true;
    QTest::newRow("number after an empty name") << "gas" << QStringList{"txtMedium=", "txtRhon=2"} << true;
}

void TestSubstanceLists::saveButtonFollowsTheFieldChangedLast()
{
    QFETCH(QString, which);
    QFETCH(QStringList, edits);
    QFETCH(bool, enabled);
    SubstanceListForm &d = dialog(which);
    d.cmdNeu.userClick();
    QVERIFY(d.txtMedium.hasFocus());
    for (const QString &edit : edits) {
        const QString name = edit.section(QLatin1Char('='), 0, 0);
        auto *box = dynamic_cast<TextBox *>(d.control(name));
        QVERIFY(box);
        box->setFocus();
        box->setText(edit.section(QLatin1Char('='), 1));
    }
    QCOMPARE(d.cmdÜbernahme.enabled(), enabled);
}

void TestSubstanceLists::unitListsConvertTheirFieldsOnly_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("item"); // empty: a new entry
    QTest::addColumn<QString>("setField"); // field=text written before the unit changes, or empty
    QTest::addColumn<QString>("unitList");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("1.29 kg/m3 in lb./cu.ft.") << "gas" << "" << "" << "rho_unit" << 1
                                              << QStringList{"txtMedium=", "txtKappa=" + loc("1.4"),
                                                             "txtRhon=" + loc("0.08053")};
    QTest::newRow("density not a number") << "gas" << "" << "txtRhon=dicht" << "rho_unit" << 1
                                          << QStringList{"txtMedium=", "txtKappa=" + loc("1.4"), "txtRhon=0"};
    // Vapour and critical pressure together: 0 bar = 0 psia, 221.1 / 0.06894757 = 3207 psia.
    QTest::newRow("pressures together") << "liquid" << "" << "" << "p_unit" << 2
                                        << QStringList{"txtMedium=", "txtTBezug=20", "txtrho=1000", "txtpsat=0",
                                                       "txtpkrit=3207", "txtnue=1"};
    // 1.004 x 998.2 / 1000 = 1.002 mPas.
    QTest::newRow("viscosity through the shown density")
        << "liquid" << "Wasser @ 20°C" << "" << "nue_unit" << 1
        << QStringList{"txtMedium=Wasser", "txtTBezug=" + loc("20.00"), "txtrho=" + loc("998.2"),
                       "txtpsat=" + loc("0.02339"), "txtpkrit=" + loc("220.6"), "txtnue=" + loc("1.002")};
    // The density unit leaves the viscosity alone.
    QTest::newRow("density leaves the viscosity")
        << "liquid" << "Wasser @ 20°C" << "" << "rho_unit" << 1
        << QStringList{"txtMedium=Wasser", "txtTBezug=" + loc("20.00"), "txtrho=" + loc("62.32"),
                       "txtpsat=" + loc("0.02339"), "txtpkrit=" + loc("220.6"), "txtnue=" + loc("1.004")};
    QTest::newRow("empty temperature") << "liquid" << "" << "txtTBezug=" << "T_unit" << 1
                                       << QStringList{"txtMedium=", "txtTBezug=0", "txtrho=1000", "txtpsat=0",
                                                      "txtpkrit=" + loc("221.1"), "txtnue=1"};
}

void TestSubstanceLists::unitListsConvertTheirFieldsOnly()
{
    QFETCH(QString, which);
    QFETCH(QString, item);
    QFETCH(QString, setField);
    QFETCH(QString, unitList);
    QFETCH(int, position);
    QFETCH(QStringList, fields);
    const FluidUnits before = fluidUnitsOf(shared());
    SubstanceListForm &d = dialog(which);
    if (item.isEmpty()) {
        d.cmdNeu.userClick();
    } else {
        QVERIFY(pick(d.lstSubstanz, item));
        d.cmdBearbeiten.userClick();
    }
    if (!setField.isEmpty())
        dynamic_cast<TextBox *>(d.control(setField.section(QLatin1Char('='), 0, 0)))
            ->setText(setField.section(QLatin1Char('='), 1));
    list(d, unitList).userPick(position);
    QCOMPARE(fieldTexts(d), fields);
    // The dialog's own unit changes at once; the shared one waits for OK.
    const FluidUnits now = d.units();
    const int chosen = unitList == QLatin1String("rho_unit")  ? now.rhoUnit
                       : unitList == QLatin1String("p_unit")  ? now.pUnit
                       : unitList == QLatin1String("T_unit")  ? now.TUnit
                                                              : now.nueUnit;
    QCOMPARE(chosen, position);
    const FluidUnits shared_ = fluidUnitsOf(shared());
    QCOMPARE(QList<int>({shared_.rhoUnit, shared_.pUnit, shared_.TUnit, shared_.nueUnit}),
             QList<int>({before.rhoUnit, before.pUnit, before.TUnit, before.nueUnit}));
}

void TestSubstanceLists::newEntryStartsWithDefaultsInTheDialogUnits_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QList<int>>("units"); // rhoUnit, pUnit, TUnit, nueUnit
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("gas in kg/m3") << "gas" << QList<int>{0, 0, 0, 0}
                                  << QStringList{"txtMedium=", "txtKappa=" + loc("1.4"), "txtRhon=" + loc("1.29")};
    // 1.29 x 0.06243, unrounded.
    QTest::newRow("gas in lb./cu.ft.") << "gas" << QList<int>{1, 0, 0, 0}
                                       << QStringList{"txtMedium=", "txtKappa=" + loc("1.4"),
                                                      "txtRhon=" + loc("0.0805347")};
    QTest::newRow("liquid in the first units") << "liquid" << QList<int>{0, 0, 0, 0}
                                               << QStringList{"txtMedium=", "txtTBezug=20", "txtrho=1000", "txtpsat=0",
                                                              "txtpkrit=" + loc("221.1"), "txtnue=1"};
    // 0 bar abs. is -1.013 bar,ü.; 221.1 - 1.01325 = 220.1 bar,ü.
    QTest::newRow("liquid in bar gauge") << "liquid" << QList<int>{0, 1, 0, 0}
                                         << QStringList{"txtMedium=", "txtTBezug=20", "txtrho=1000",
                                                        "txtpsat=" + loc("-1.013"), "txtpkrit=" + loc("220.1"),
                                                        "txtnue=1"};
    QTest::newRow("liquid in psia") << "liquid" << QList<int>{0, 2, 0, 0}
                                    << QStringList{"txtMedium=", "txtTBezug=20", "txtrho=1000", "txtpsat=0",
                                                   "txtpkrit=3207", "txtnue=1"};
    // 1000 kg/m3 = 62.43 lb./cu.ft.; 1 mm²/s at 1000 kg/m3 = 1 mPas; 20 °C = 68 F.
    QTest::newRow("liquid in the second units") << "liquid" << QList<int>{1, 0, 1, 1}
                                                << QStringList{"txtMedium=", "txtTBezug=68", "txtrho=" + loc("62.43"),
                                                               "txtpsat=0", "txtpkrit=" + loc("221.1"), "txtnue=1"};
}

void TestSubstanceLists::newEntryStartsWithDefaultsInTheDialogUnits()
{
    QFETCH(QString, which);
    QFETCH(QList<int>, units);
    QFETCH(QStringList, fields);
    SharedData &s = shared();
    s.rhoUnit = units[0];
    s.pUnit = units[1];
    s.TUnit = units[2];
    s.nueUnit = units[3];
    SubstanceListForm &d = dialog(which);
    QVERIFY(pick(d.lstSubstanz, d.lstSubstanz.list(1)));
    d.cmdNeu.userClick();
    QCOMPARE(fieldTexts(d), fields);
}

void TestSubstanceLists::saveStoresTheFieldsAsTypedAndRefills_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("edits"); // field=text, or unit list=position
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("item");
    QTest::newRow("gas with its defaults") << "gas" << QStringList{"txtMedium=Biogas"} << "Biogas|1.4|1.29|0"
                                           << "Biogas";
    QTest::newRow("gas typed in lb./cu.ft.") << "gas" << QStringList{"txtMedium=Biogas", "rho_unit=1"}
                                             << "Biogas|1.4|0.08053|1" << "Biogas";
    QTest::newRow("gas with a decimal typed") << "gas"
                                              << QStringList{"txtMedium=Biogas", "txtKappa=" + loc("1.35")}
                                              << "Biogas|1.35|1.29|0" << "Biogas";
    QTest::newRow("liquid with its units") << "liquid"
                                           << QStringList{"txtMedium=Sole", "txtrho=1200", "p_unit=2",
                                                          "txtTBezug=" + loc("12.5")}
                                           << "Sole|1200|0|3207|1|12.5|0|2|0|0" << loc("Sole @ 12.5°C");
    QTest::newRow("liquid in F") << "liquid" << QStringList{"txtMedium=Sole", "T_unit=1"}
                                 << "Sole|1000|0|221.1|1|68|0|0|0|1" << "Sole @ 68F";
}

void TestSubstanceLists::saveStoresTheFieldsAsTypedAndRefills()
{
    QFETCH(QString, which);
    QFETCH(QStringList, edits);
    QFETCH(QString, stored);
    QFETCH(QString, item);
    SubstanceListForm &d = dialog(which);
    const QStringList before = rowsOf(which);
    d.cmdNeu.userClick();
    for (const QString &edit : edits) {
        Control *c = d.control(edit.section(QLatin1Char('='), 0, 0));
        const QString value = edit.section(QLatin1Char('='), 1);
        if (auto *box = dynamic_cast<TextBox *>(c))
            box->setText(value);
        else
            dynamic_cast<ComboBox *>(c)->userPick(value.toInt());
    }
    d.cmdÜbernahme.userClick();
    QCOMPARE(rowsOf(which), before + QStringList{stored});
    QVERIFY(d.lstSubstanz.items().contains(item));
    QCOMPARE(d.lstSubstanz.listIndex(), -1);
    QCOMPARE(d.txtMedium.text(), QString());
    QCOMPARE(states(d), QStringLiteral("1 0 0 1 1 0 0 0"));
    QCOMPARE(f.ui.beepCount(), 0);
}

void TestSubstanceLists::saveRefusesABadFieldBeforeStoring_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("focus");
    QTest::newRow("gas without a name") << "gas" << QStringList{} << "txtMedium";
    QTest::newRow("gas with a blank name") << "gas" << QStringList{"txtMedium=   "} << "txtMedium";
    // The name typed last enables the button; the check still finds the bad number.
    QTest::newRow("gas exponent not a number") << "gas" << QStringList{"txtKappa=x", "txtMedium=Biogas"}
                                               << "txtKappa";
    QTest::newRow("liquid temperature empty") << "liquid" << QStringList{"txtTBezug=", "txtMedium=Sole"}
                                              << "txtTBezug";
    QTest::newRow("liquid first of two bad fields") << "liquid"
                                                    << QStringList{"txtnue=?", "txtpsat=?", "txtMedium=Sole"}
                                                    << "txtpsat";
}

void TestSubstanceLists::saveRefusesABadFieldBeforeStoring()
{
    QFETCH(QString, which);
    QFETCH(QStringList, edits);
    QFETCH(QString, focus);
    SubstanceListForm &d = dialog(which);
    const QStringList before = rowsOf(which);
    d.cmdNeu.userClick();
    for (const QString &edit : edits)
        dynamic_cast<TextBox *>(d.control(edit.section(QLatin1Char('='), 0, 0)))
            ->setText(edit.section(QLatin1Char('='), 1));
    const QStringList typed = fieldTexts(d);
    d.cmdÜbernahme.press();
    QCOMPARE(f.ui.beepCount(), 1);
    QCOMPARE(d.activeControl()->name(), focus);
    QCOMPARE(rowsOf(which), before);
    QCOMPARE(fieldTexts(d), typed);
    QVERIFY(d.cmdÜbernahme.visible());
    QVERIFY(f.ui.messages().empty());
}

void TestSubstanceLists::duplicateNameKeepsTheEntryForCorrection_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("existing");
    QTest::newRow("gas") << "gas" << "Luft";
    QTest::newRow("liquid") << "liquid" << "Wasser";
}

void TestSubstanceLists::duplicateNameKeepsTheEntryForCorrection()
{
    QFETCH(QString, which);
    QFETCH(QString, existing);
    SubstanceListForm &d = dialog(which);
    const QStringList before = rowsOf(which);
    d.cmdNeu.userClick();
    d.txtMedium.userType(existing);
    d.cmdÜbernahme.userClick();
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    QCOMPARE(f.ui.messages()[0].text, QStringLiteral("Medium bereits vorhanden!"));
    QCOMPARE(f.ui.messages()[0].buttons, MsgButtons::OK);
    QCOMPARE(rowsOf(which), before);
    QVERIFY(d.cmdÜbernahme.visible());
    QCOMPARE(d.txtMedium.text(), existing);
    QVERIFY(!d.lstSubstanz.enabled());

    // Corrected, the same entry is stored and the dialog returns to browsing.
    d.txtMedium.userType(QStringLiteral(" 2"));
    d.cmdÜbernahme.userClick();
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    QCOMPARE(rowsOf(which).size(), before.size() + 1);
    QCOMPARE(states(d), QStringLiteral("1 0 0 1 1 0 0 0"));
}

void TestSubstanceLists::pendingEntryIsAbandonedBeforeTheNextAction_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("rows"); // names left in the table, in stored order
    QTest::addColumn<QString>("shownName");
    // Edit, then Neu and abandon: the edited record is unchanged.
    QTest::newRow("edit then new") << "gas" << QStringList{"select Methan", "edit", "name X", "new", "abandon"}
                                   << QStringList{"Luft", "Methan", "Ethan", "Leichtgas"} << "";
    // New, then Bearbeiten: the new entry is dropped and the selected record is shown and edited.
    QTest::newRow("new then edit") << "gas" << QStringList{"select Methan", "new", "name X", "edit", "name Y", "save"}
                                   << QStringList{"Luft", "MethanY", "Ethan", "Leichtgas"} << "";
    // New, then Löschen: the selected record goes, no new one comes.
    QTest::newRow("new then delete") << "liquid"
                                     << QStringList{"select Wasser @ 20°C", "new", "name X", "delete"}
                                     << QStringList{"Warmwasser", "Kaltwasser", "Öl"} << "";
    QTest::newRow("edit then delete") << "liquid" << QStringList{"select Öl @ 68F", "edit", "name X", "delete"}
                                      << QStringList{"Wasser", "Warmwasser", "Kaltwasser"} << "";
}

void TestSubstanceLists::pendingEntryIsAbandonedBeforeTheNextAction()
{
    QFETCH(QString, which);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, rows);
    QFETCH(QString, shownName);
    SubstanceListForm &d = dialog(which);
    for (const QString &step : steps) {
        const QString arg = step.section(QLatin1Char(' '), 1);
        if (step.startsWith(QLatin1String("select")))
            QVERIFY(pick(d.lstSubstanz, arg));
        else if (step == QLatin1String("edit"))
            d.cmdBearbeiten.userClick();
        else if (step == QLatin1String("new"))
            d.cmdNeu.userClick();
        else if (step.startsWith(QLatin1String("name")))
            d.txtMedium.userType(arg);
        else if (step == QLatin1String("save"))
            d.cmdÜbernahme.userClick();
        else if (step == QLatin1String("abandon"))
            d.cmdEscBearbeiten.userClick();
        else if (step == QLatin1String("delete"))
            d.cmdLöschen.userClick();
    }
    QStringList names;
    for (const QString &row : rowsOf(which))
        names << row.section(QLatin1Char('|'), 0, 0);
    QCOMPARE(names, rows);
    QCOMPARE(d.txtMedium.text(), shownName);
    QCOMPARE(states(d), QStringLiteral("1 0 0 1 1 0 0 0"));
    QVERIFY(f.ui.messages().empty());
}

void TestSubstanceLists::okRefusesRecordsWithoutNumbers_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("item");
    QTest::newRow("gas exponent Null") << "gas" << "UPDATE \"IdealeGase_d\" SET Kappa = NULL WHERE SUBSTANZ = 'Luft'"
                                       << "Luft";
    QTest::newRow("gas density unit unknown")
        << "gas" << "UPDATE \"IdealeGase_d\" SET RHOUNIT = 7 WHERE SUBSTANZ = 'Luft'" << "Luft";
    QTest::newRow("liquid density a word")
        << "liquid" << "UPDATE \"Flüssigkeiten_d\" SET RHO = 'viel' WHERE SUBSTANZ = 'Wasser'" << "Wasser @ 20°C";
    QTest::newRow("liquid viscosity Null")
        << "liquid" << "UPDATE \"Flüssigkeiten_d\" SET NUE = NULL WHERE SUBSTANZ = 'Wasser'" << "Wasser @ 20°C";
    // 40000 °C does not fit the 16-bit reference temperature.
    QTest::newRow("liquid temperature beyond 16 bits")
        << "liquid" << "UPDATE \"Flüssigkeiten_d\" SET TBEZUG = 40000 WHERE SUBSTANZ = 'Wasser'"
        << "Wasser @ 40000°C";
}

void TestSubstanceLists::okRefusesRecordsWithoutNumbers()
{
    QFETCH(QString, which);
    QFETCH(QString, sql);
    QFETCH(QString, item);
    menufixture::execSql(fluiddb::databasePath(), sql);
    const QStringList before = fluidPicture(shared());
    SubstanceListForm &d = dialog(which);
    QVERIFY(pick(d.lstSubstanz, item));
    d.cmdOK.userClick();
    QCOMPARE(f.ui.beepCount(), 1);
    QVERIFY(d.isLoaded());
    QCOMPARE(fluidPicture(shared()), before);
}

void TestSubstanceLists::doubleClickWithoutSelectionDoesNothing_data()
{
    QTest::addColumn<QString>("which");
    QTest::newRow("gas") << "gas";
    QTest::newRow("liquid") << "liquid";
}

void TestSubstanceLists::doubleClickWithoutSelectionDoesNothing()
{
    QFETCH(QString, which);
    const QStringList before = fluidPicture(shared());
    SubstanceListForm &d = dialog(which);
    d.lstSubstanz.userDoubleClick();
    QVERIFY(d.isLoaded());
    QCOMPARE(fluidPicture(shared()), before);
}

void TestSubstanceLists::databaseFailuresAreReportedOnce_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("cause"); // the reason as the user reads it; empty: the system's own words
    const QString missing = QStringLiteral("Die Datei oder ihr Ordner ist nicht vorhanden.");
    const QString noTables = QStringLiteral("In der Datei fehlen Tabellen oder Felder, die das Programm braucht.");
    // No texts for the language: English.
    const QString noTablesEnglish = QStringLiteral("The file lacks tables or fields that the program needs.");
    for (const char *which : {"gas", "liquid"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1: file missing").arg(which))) << which << "missing" << false
                                                                                 << missing;
        QTest::newRow(qPrintable(QStringLiteral("%1: no table for the language").arg(which)))
            << which << "language" << false << noTablesEnglish;
        QTest::newRow(qPrintable(QStringLiteral("%1: column missing").arg(which))) << which << "column" << false
                                                                                   << noTables;
        QTest::newRow(qPrintable(QStringLiteral("%1: save refused").arg(which))) << which << "refused" << true << "";
    }
    QTest::newRow("gas: delete refused") << "gas" << "refused delete" << true << "";
    QTest::newRow("liquid: file locked") << "liquid" << "locked" << true
                                         << "Die Datei wird von einem anderen Programm verwendet.";
    QTest::newRow("gas: disk full") << "gas" << "full" << true << "Auf dem Datenträger ist nicht genug Platz.";
}

void TestSubstanceLists::databaseFailuresAreReportedOnce()
{
    QFETCH(QString, which);
    QFETCH(QString, problem);
    QFETCH(bool, opens);
    QFETCH(QString, cause);
    const QString path = fluiddb::databasePath();
    const QByteArray fileBefore = testsupport::fileBytes(path);
    const QString table = which == QLatin1String("gas") ? QStringLiteral("IdealeGase_d")
                                                         : QStringLiteral("Flüssigkeiten_d");
    // A missing or damaged file gives way to the seed's copy; without one the dialog stays closed.
    if (problem == QLatin1String("missing") || problem == QLatin1String("column"))
        setProgramFolder(QFileInfo(path).path());
    if (problem == QLatin1String("missing"))
        QVERIFY(QFile::remove(path));
    else if (problem == QLatin1String("language"))
        shared().Sprache = 6;
    else if (problem == QLatin1String("column"))
        menufixture::execSql(path, QStringLiteral("ALTER TABLE \"%1\" DROP COLUMN RHOUNIT").arg(table));
    else if (problem.startsWith(QLatin1String("refused")))
        menufixture::execSql(path, QStringLiteral("CREATE TRIGGER no_insert BEFORE INSERT ON \"%1\" BEGIN "
                                                  "SELECT RAISE(ABORT, 'refused'); END; "
                                                  "CREATE TRIGGER no_delete BEFORE DELETE ON \"%1\" BEGIN "
                                                  "SELECT RAISE(ABORT, 'refused'); END;")
                                       .arg(table));

    Menu &entry = which == QLatin1String("gas") ? f.w->mnuIdealesGas : f.w->mnuFlüssigkeit;
    f.ui.onNextModal([&](Form &) {
        SubstanceListForm &d = dialog(which);
        const QStringList before = rowsOf(which);
        sqlite3 *lock = nullptr;
        if (problem == QLatin1String("locked")) {
            QVERIFY(sqlite3_open(QFile::encodeName(path).constData(), &lock) == SQLITE_OK);
            QVERIFY(sqlite3_exec(lock, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK);
        }
        if (problem == QLatin1String("refused delete")) {
            QVERIFY(pick(d.lstSubstanz, QStringLiteral("Luft")));
            d.cmdLöschen.userClick();
        } else {
            d.cmdNeu.userClick();
            d.txtMedium.userType(QStringLiteral("Neustoff"));
            {
                // No file can grow by a page: the journal takes no change.
                std::unique_ptr<testsupport::FileSizeLimit> limit;
                if (problem == QLatin1String("full"))
                    limit = std::make_unique<testsupport::FileSizeLimit>(1024);
                d.cmdÜbernahme.userClick();
            }
            QVERIFY(d.cmdÜbernahme.visible());
            QCOMPARE(d.txtMedium.text(), QStringLiteral("Neustoff"));
        }
        if (lock) {
            sqlite3_exec(lock, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(lock);
        }
        QCOMPARE(rowsOf(which), before);
        d.cmdEscBearbeiten.userClick();
        d.cmdEsc.userClick();
    });
    QVERIFY(f.choose(entry));
    QCOMPARE(f.ui.modalRuns().size(), opens ? qsizetype(1) : qsizetype(0));
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    QVERIFY2(f.ui.messages()[0].text.contains(QStringLiteral("dbStoffdaten.mdb")),
             qPrintable(f.ui.messages()[0].text));
    if (!cause.isEmpty())
        QVERIFY2(f.ui.messages()[0].text.contains(QStringLiteral("\n\n") + cause), qPrintable(f.ui.messages()[0].text));
    if (problem == QLatin1String("full"))
        QVERIFY(testsupport::fileBytes(path) == fileBefore);
    QVERIFY(!frmIdealesGasInstance().isLoaded());
    QVERIFY(!frmFlüssigkeitInstance().isLoaded());
    QVERIFY(calcSizeSheet().isLoaded());
}

void TestSubstanceLists::savingWhileAnotherConnectionIsOpen_data()
{
    QTest::addColumn<QString>("which");
    QTest::newRow("gas") << "gas";
    QTest::newRow("liquid") << "liquid";
}

void TestSubstanceLists::savingWhileAnotherConnectionIsOpen()
{
    QFETCH(QString, which);
    const QString table = which == QLatin1String("gas") ? QStringLiteral("IdealeGase_d")
                                                         : QStringLiteral("Flüssigkeiten_d");
    // Another dialog's handle on the same file, with a cursor that has read the table.
    std::shared_ptr<Database> other = Database::open(fluiddb::databasePath());
    std::unique_ptr<Recordset> rs = other->openTable(table);
    const long before = rs->recordCount();
    SubstanceListForm &d = dialog(which);
    d.cmdNeu.userClick();
    d.txtMedium.userType(QStringLiteral("Neustoff"));
    d.cmdÜbernahme.userClick();
    QVERIFY(f.ui.messages().empty());
    QCOMPARE(states(d), QStringLiteral("1 0 0 1 1 0 0 0"));
    rs->moveFirst();
    QCOMPARE(rs->recordCount(), before + 1);
    // And the other handle can write while the dialog's is open.
    rs->addNew();
    rs->setField(QStringLiteral("SUBSTANZ"), Variant(QStringLiteral("Fremdstoff")));
    rs->update();
    d.cmdNeu.userClick();
    d.txtMedium.userType(QStringLiteral("Fremdstoff"));
    d.cmdÜbernahme.userClick();
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    QCOMPARE(f.ui.messages()[0].text, QStringLiteral("Medium bereits vorhanden!"));
}

// A damaged fluid database gives way to the seed's copy: kept beside itself under its date, named in one message
// that says the user's own substances are in it, and the dialog opens on the fresh copy.
void TestSubstanceLists::damagedDatabaseIsKeptAndReplaced_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("random bytes") << damage::randomBytes();
    QTest::newRow("empty") << QByteArray();
}

void TestSubstanceLists::damagedDatabaseIsKeptAndReplaced()
{
    QFETCH(QByteArray, bytes);
    const QString path = fluiddb::databasePath();
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }
    bool opened = false;
    f.ui.onNextModal([&](Form &) {
        opened = dialog(QStringLiteral("gas")).lstSubstanz.listCount() > 0;
        dialog(QStringLiteral("gas")).cmdEsc.userClick();
    });
    QVERIFY(f.choose(f.w->mnuIdealesGas));
    QVERIFY(opened);
    QCOMPARE(testsupport::fileBytes(path), testsupport::fileBytes(QStringLiteral(QUENDRA_SEED_DIR "/dbStoffdaten.mdb")));
    const QStringList kept = QDir(QFileInfo(path).path()).entryList({QStringLiteral("dbStoffdaten *")}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(testsupport::fileBytes(QFileInfo(path).path() + QLatin1Char('/') + kept.at(0)), bytes);
    QCOMPARE(f.ui.messages().size(), std::size_t(1));
    const QString text = f.ui.messages()[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("Die Stoffdatenbank kann nicht geöffnet werden:")) &&
                 text.contains(kept.at(0)) &&
                 text.endsWith(QStringLiteral("Selbst angelegte Stoffe stehen nur in der aufbewahrten Datei.")),
             qPrintable(text));
}

QTEST_MAIN(TestSubstanceLists)
#include "test_substance_lists.moc"
