#include "wizard_fixture.h"

// The fluid-data wizard's substance records on the fixture table: loading, the list and its picks, the unit lists
// of the base data, new, edit, apply, cancel and delete, and what the buttons allow after each. Expected numbers
// are worked by hand (1 psi = 0.06894757 bar, F = °C × 9/5 + 32, four significant digits where the wizard
// rounds); the sizing sheet is active unless a row says otherwise.

using namespace wizardfixture;

namespace {

const QStringList kColumns = {QStringLiteral("SUBSTANZ"), QStringLiteral("FORMEL"), QStringLiteral("M"),
                              QStringLiteral("TS"),       QStringLiteral("TKRIT"),  QStringLiteral("PKRIT"),
                              QStringLiteral("W"),        QStringLiteral("PUNIT"),  QStringLiteral("TUNIT")};

QStringList records(const QString &table = QStringLiteral("Assistent_d"))
{
    return tableRows(table, kColumns);
}

// Runs a named step of the record work as the user does it.
void act(frmStoffdatenAssistent &w, const QString &step)
{
    if (step == QLatin1String("Neu"))
        w.cmdNeu.userClick();
    else if (step == QLatin1String("Bearbeiten"))
        w.cmdBearbeiten.userClick();
    else if (step == QStringLiteral("Übernahme"))
        w.cmdÜbernahme.userClick();
    else if (step == QLatin1String("Abbruch"))
        w.cmdEscBearbeiten.userClick();
    else if (step == QStringLiteral("Löschen"))
        w.cmdLöschen.userClick();
    else if (step == QLatin1String("berechnen"))
        w.cmdCalc.userClick();
    else if (step == QLatin1String("Formel"))
        w.optSortiereFormel.userClick();
    else if (step == QLatin1String("Bezeichnung"))
        w.optSortiereName.userClick();
    else if (step.startsWith(QLatin1String("name ")))
        typeAndLeave(w.txtMedium, step.mid(5), w.txtFormel);
    else
        QVERIFY2(pick(w.lstSubstanz, step), qPrintable(step));
}

} // namespace

class TestFluidWizardRecords : public QObject {
    Q_OBJECT
    WizardFixture f;

private slots:
    void initTestCase() { f.initSuite(); }
    void cleanup() { f.endCase(); }

    void loadingOpensTheLanguageTableAndDropsNamelessRecords_data();
    void loadingOpensTheLanguageTableAndDropsNamelessRecords();
    void loadingPicksTheCurrentMediumOnlyWhenListed_data();
    void loadingPicksTheCurrentMediumOnlyWhenListed();
    void entriesPickTheirRecordInEitherOrder_data();
    void entriesPickTheirRecordInEitherOrder();
    void sortingKeepsTheWizardsOwnPick_data();
    void sortingKeepsTheWizardsOwnPick();
    void unitListsConvertTheBaseDataOnly_data();
    void unitListsConvertTheBaseDataOnly();
    void newStartsWithWaterInTheWizardUnits_data();
    void newStartsWithWaterInTheWizardUnits();
    void buttonsFollowTheRecordWork_data();
    void buttonsFollowTheRecordWork();
    void applyStoresTheRecordAndKeepsItAsPicked();
    void applyRefusesBadBaseDataBeforeStoring_data();
    void applyRefusesBadBaseDataBeforeStoring();
    void cancelShowsThePickedRecordAsStored_data();
    void cancelShowsThePickedRecordAsStored();
    void pendingRecordIsAbandonedFirst_data();
    void pendingRecordIsAbandonedFirst();
    void recordWorkActsOnThePickedRecord_data();
    void recordWorkActsOnThePickedRecord();
    void missingTableIsReportedAndNothingOpens_data();
    void missingTableIsReportedAndNothingOpens();
    void saveButtonFollowsTheFieldChangedLast_data();
    void saveButtonFollowsTheFieldChangedLast();
    void operatingPointIsCopiedFromTheActiveSheet_data();
    void operatingPointIsCopiedFromTheActiveSheet();
};

void TestFluidWizardRecords::loadingOpensTheLanguageTableAndDropsNamelessRecords_data()
{
    QTest::addColumn<int>("Sprache");
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("extraListed");
    QTest::newRow("German") << 0 << "Assistent_d" << false;
    QTest::newRow("Czech") << 5 << "Assistent_cz" << true;
}

void TestFluidWizardRecords::loadingOpensTheLanguageTableAndDropsNamelessRecords()
{
    QFETCH(int, Sprache);
    QFETCH(QString, table);
    QFETCH(bool, extraListed);
    Start s;
    s.Sprache = Sprache;
    f.beginCase(s);
    // A record only the Czech table has, and one without a name in the table of the language.
    menufixture::execSql(fluiddb::databasePath(),
                         QStringLiteral("INSERT INTO Assistent_cz (SUBSTANZ, FORMEL, M, TS, TKRIT, PKRIT, W, PUNIT, "
                                        "TUNIT) VALUES ('Dusík', 'N2', 28.014, -195.8, -146.95, 33.98, 0.037, 0, 0);"
                                        "INSERT INTO %1 (FORMEL, M) VALUES ('X', 1);")
                             .arg(table));
    QCOMPARE(records(table).size(), int(standardSubstances().size()) + (extraListed ? 2 : 1));

    frmStoffdatenAssistent &w = f.open();
    QCOMPARE(w.lstSubstanz.items().contains(QStringLiteral("Dusík (N2)")), extraListed);
    // Name first, in alphabetical order; a record without a formula ends in empty brackets.
    QStringList items = w.lstSubstanz.items();
    items.removeAll(QStringLiteral("Dusík (N2)"));
    QCOMPARE(items, (QStringList{"Butan (n-) (C4H10)", "Luft (-)", "Methan (CH4)", "Ohne Formel ()", "Propan (C3H8)",
                                 "Stickstoff (N2)", "Wasser (H2O)"}));
    QCOMPARE(w.lstSubstanz.listCount(), int(standardSubstances().size()) + (extraListed ? 1 : 0));
    // The nameless record is gone from the table for good.
    QCOMPARE(records(table).size(), w.lstSubstanz.listCount());
    // Opened while the medium is water from the menu: nothing picked, only Neu, the list and Abbruch work.
    QCOMPARE(w.lstSubstanz.listIndex(), -1);
    QCOMPARE(states(w), QStringLiteral("1 0 0 0 0 0 0 1"));
    QVERIFY(w.cmdNeu.enabled());
    QVERIFY(w.optSortiereName.value());
    // The temperature list converts the empty fields as 0.
    QCOMPARE(baseData(w), (QStringList{"", "", "", loc("0.0"), loc("0.0"), "", ""}));
    QCOMPARE(f.ui.modalRuns(), QStringList{QStringLiteral("frmStoffdatenAssistent")});
    QCOMPARE(w.left(), (f.ui.screenWidthTwips() - w.width()) / 2);
}

void TestFluidWizardRecords::loadingPicksTheCurrentMediumOnlyWhenListed_data()
{
    QTest::addColumn<int>("Medium");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("picked"); // empty: nothing picked
    QTest::addColumn<QString>("states");
    QTest::newRow("wizard gas listed") << 5 << "Methan" << "CH4" << "Methan (CH4)" << "1 0 0 1 1 1 0 1";
    QTest::newRow("wizard liquid listed") << 6 << "Wasser" << "H2O" << "Wasser (H2O)" << "1 0 0 1 1 1 0 1";
    // A name with " (" is picked as a whole.
    QTest::newRow("name holding a bracket") << 5 << "Butan (n-)" << "C4H10" << "Butan (n-) (C4H10)"
                                            << "1 0 0 1 1 1 0 1";
    // Not listed: no entry is picked in its place.
    QTest::newRow("wizard medium not listed") << 5 << "Xenon" << "Xe" << "" << "1 0 0 0 0 0 0 1";
    QTest::newRow("formula differs") << 5 << "Methan" << "C2H6" << "" << "1 0 0 0 0 0 0 1";
    QTest::newRow("medium from the menu") << 1 << "Wasser" << "H2O" << "" << "1 0 0 0 0 0 0 1";
}

void TestFluidWizardRecords::loadingPicksTheCurrentMediumOnlyWhenListed()
{
    QFETCH(int, Medium);
    QFETCH(QString, name);
    QFETCH(QString, formula);
    QFETCH(QString, picked);
    QFETCH(QString, states);
    Start s;
    s.Medium = Medium;
    s.NameMedium = name;
    s.FORMEL = formula;
    s.Zustand = Medium == 5 ? 2 : 1;
    f.beginCase(s);
    frmStoffdatenAssistent &w = f.open();
    QCOMPARE(w.lstSubstanz.text(), picked);
    QCOMPARE(wizardfixture::states(w), states);
    if (!picked.isEmpty())
        QCOMPARE(w.txtMedium.text(), name);
}

void TestFluidWizardRecords::entriesPickTheirRecordInEitherOrder_data()
{
    QTest::addColumn<bool>("byFormula");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("pUnit");
    QTest::addColumn<int>("TUnit");
    // The pick shows the temperatures through the temperature list's handler: one decimal (-82.59 as -82.6).
    const QStringList methan{"Methan", "CH4", loc("16.043"), loc("-161.5"), loc("-82.6"), loc("45.99"),
                             loc("0.011")};
    QTest::newRow("by name") << false << "Methan (CH4)" << methan << 0 << 0;
    QTest::newRow("by formula") << true << "CH4 (Methan)" << methan << 0 << 0;
    QTest::newRow("name holding a bracket, by name")
        << false << "Butan (n-) (C4H10)"
        << QStringList{"Butan (n-)", "C4H10", loc("58.123"), loc("-0.5"), loc("152.0"), loc("37.96"), loc("0.2")}
        << 0 << 0;
    QTest::newRow("name holding a bracket, by formula")
        << true << "C4H10 (Butan (n-))"
        << QStringList{"Butan (n-)", "C4H10", loc("58.123"), loc("-0.5"), loc("152.0"), loc("37.96"), loc("0.2")}
        << 0 << 0;
    // Null formula: an empty pair of brackets, and the record is picked all the same.
    QTest::newRow("no formula") << false << "Ohne Formel ()"
                                << QStringList{"Ohne Formel", "", "30", loc("-50.0"), loc("100.0"), loc("40.00"),
                                               loc("0.1")}
                                << 0 << 0;
    // Stored in F and psia, shown in °C and bar: (-43.83 - 32) x 5/9 = -42.13 shown as -42.1, (206.02 - 32) x 5/9
    // = 96.68 shown as 96.7, 616.1 x 0.06894757 = 42.48.
    QTest::newRow("stored in F and psia") << false << "Propan (C3H8)"
                                          << QStringList{"Propan", "C3H8", loc("44.097"), loc("-42.1"),
                                                         loc("96.7"), loc("42.48"), loc("0.152")}
                                          << 0 << 0;
    // Water shown in F and psia: 212.0, 705.6 and 221.2 / 0.06894757 = 3208.
    QTest::newRow("shown in F and psia") << false << "Wasser (H2O)"
                                         << QStringList{"Wasser", "H2O", loc("18.015"), loc("212.0"), loc("705.6"),
                                                        "3208", loc("0.344")}
                                         << 2 << 1;
}

void TestFluidWizardRecords::entriesPickTheirRecordInEitherOrder()
{
    QFETCH(bool, byFormula);
    QFETCH(QString, entry);
    QFETCH(QStringList, fields);
    QFETCH(int, pUnit);
    QFETCH(int, TUnit);
    Start s;
    s.pUnit = pUnit;
    s.TUnit = TUnit;
    f.beginCase(s);
    frmStoffdatenAssistent &w = f.open();
    if (byFormula)
        w.optSortiereFormel.userClick();
    QVERIFY(pick(w.lstSubstanz, entry));
    QCOMPARE(baseData(w), fields);
    QCOMPARE(w.p_unit.listIndex(), pUnit);
    QCOMPARE(w.T_unit.listIndex(), TUnit);
    QCOMPARE(states(w), QStringLiteral("1 0 0 1 1 1 0 1"));
    // A pick writes nothing into the shared data.
    QCOMPARE(shared().NameMedium, QStringLiteral("Wasser"));
    QCOMPARE(shared().pUnit, pUnit);
}

void TestFluidWizardRecords::sortingKeepsTheWizardsOwnPick_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("entry"); // the entry selected afterwards, or empty
    QTest::addColumn<QStringList>("fields");
    const QStringList wasser{"Wasser", "H2O", loc("18.015"), loc("100.0"), loc("374.2"), loc("221.2"), loc("0.344")};
    // The sheet holds Methan from the wizard; the wizard's own pick is another substance.
    QTest::newRow("another pick, sorted by formula") << QStringList{"Wasser (H2O)", "Formel"} << "H2O (Wasser)"
                                                     << wasser;
    QTest::newRow("another pick, sorted by formula and back")
        << QStringList{"Wasser (H2O)", "Formel", "Bezeichnung"} << "Wasser (H2O)" << wasser;
    // A record just stored is the pick, though the refilled list selects nothing.
    QTest::newRow("a new record stored, then sorted")
        << QStringList{"Neu", "name Testgas", "Übernahme", "Formel"} << "H2O (Testgas)"
        << QStringList{"Testgas", "H2O", loc("18.015"), loc("100.0"), loc("374.2"), loc("221.2"), loc("0.344")};
    // The pick deleted: nothing is picked, not the sheet's medium either.
    QTest::newRow("the pick deleted, then sorted") << QStringList{"Wasser (H2O)", "Löschen", "Formel"} << ""
                                                   << QStringList{"", "", "", "", "", "", ""};
}

void TestFluidWizardRecords::sortingKeepsTheWizardsOwnPick()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, entry);
    QFETCH(QStringList, fields);
    f.beginCase(wizardMethan());
    frmStoffdatenAssistent &w = f.open();
    QCOMPARE(w.lstSubstanz.text(), QStringLiteral("Methan (CH4)"));
    for (const QString &step : steps)
        act(w, step);
    QCOMPARE(w.lstSubstanz.text(), entry);
    QCOMPARE(baseData(w), fields);
    // A calculation now starts from the pick shown: water at 10 bar abs. and 150 °C is a liquid.
    if (entry.contains(QLatin1String("Wasser"))) {
        w.cmdCalc.userClick();
        QCOMPARE(w.assistentZustand(), 1);
    }
    QCOMPARE(shared().NameMedium, QStringLiteral("Methan"));
}

void TestFluidWizardRecords::unitListsConvertTheBaseDataOnly_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("pkritBefore"); // typed first; "keep" leaves the picked value
    QTest::addColumn<QStringList>("fields");   // Ts, Tc, pc afterwards
    QTest::newRow("°C to F") << "T" << 1 << "keep" << QStringList{loc("212.0"), loc("705.6"), loc("221.2")};
    QTest::newRow("bar to psia") << "p" << 2 << "keep" << QStringList{loc("100.0"), loc("374.2"), "3208"};
    // 221.2 bar = 22.12 MPa abs.; an empty critical pressure stays empty.
    QTest::newRow("bar to MPa") << "p" << 4 << "keep" << QStringList{loc("100.0"), loc("374.2"), loc("22.12")};
    QTest::newRow("empty pressure") << "p" << 2 << "" << QStringList{loc("100.0"), loc("374.2"), ""};
    QTest::newRow("pressure no number") << "p" << 2 << "abc" << QStringList{loc("100.0"), loc("374.2"), "abc"};
}

void TestFluidWizardRecords::unitListsConvertTheBaseDataOnly()
{
    QFETCH(QString, list);
    QFETCH(int, index);
    QFETCH(QString, pkritBefore);
    QFETCH(QStringList, fields);
    f.beginCase();
    const QStringList before = fluidPicture(shared());
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Wasser (H2O)")));
    w.cmdBearbeiten.userClick();
    if (pkritBefore != QLatin1String("keep"))
        w.txtpkrit.setText(pkritBefore);
    (list == QLatin1String("T") ? w.T_unit : w.p_unit).userPick(index);
    QCOMPARE((QStringList{w.txtTs.text(), w.txtTkrit.text(), w.txtpkrit.text()}), fields);
    QCOMPARE(list == QLatin1String("T") ? w.units().TUnit : w.units().pUnit, index);
    // The shared units and values wait for the hand-over.
    QCOMPARE(fluidPicture(shared()), before);
}

void TestFluidWizardRecords::newStartsWithWaterInTheWizardUnits_data()
{
    QTest::addColumn<int>("pUnit");
    QTest::addColumn<int>("TUnit");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("bar and °C") << 0 << 0
                                << QStringList{"Methan", "H2O", loc("18.015"), loc("100.0"), loc("374.2"),
                                               loc("221.2"), loc("0.344")};
    // 100 °C = 212 F, 374.2 °C = 705.56 F, each shown with one decimal by the temperature list's handler; 221.2 bar
    // = 3208 psia (four digits).
    QTest::newRow("psia and F") << 2 << 1
                                << QStringList{"Methan", "H2O", loc("18.015"), loc("212.0"), loc("705.6"), "3208",
                                               loc("0.344")};
}

void TestFluidWizardRecords::newStartsWithWaterInTheWizardUnits()
{
    QFETCH(int, pUnit);
    QFETCH(int, TUnit);
    QFETCH(QStringList, fields);
    Start s;
    s.pUnit = pUnit;
    s.TUnit = TUnit;
    f.beginCase(s);
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Methan (CH4)")));
    w.cmdNeu.userClick();
    // The name field keeps the name shown before.
    QCOMPARE(baseData(w), fields);
    QCOMPARE(w.activeControl(), static_cast<Control *>(&w.txtMedium));
    QCOMPARE(w.p_unit.listIndex(), pUnit);
    QCOMPARE(w.T_unit.listIndex(), TUnit);
}

void TestFluidWizardRecords::buttonsFollowTheRecordWork_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("states"); // list, fields, Übernahme, Bearbeiten, Löschen, berechnen, OK, Abbruch
    const QString m = QStringLiteral("Methan (CH4)");
    QTest::newRow("pick") << QStringList{m} << "1 0 0 1 1 1 0 1";
    QTest::newRow("pick, calculate") << QStringList{m, "berechnen"} << "1 0 0 1 1 1 1 1";
    // Neu leaves the other buttons as they were, but a new record makes the results stale.
    QTest::newRow("calculate, Neu") << QStringList{m, "berechnen", "Neu"} << "0 1 1 1 1 1 0 1";
    QTest::newRow("calculate, Bearbeiten") << QStringList{m, "berechnen", "Bearbeiten"} << "0 1 1 1 1 1 0 0";
    QTest::newRow("calculate, Bearbeiten, Abbruch") << QStringList{m, "berechnen", "Bearbeiten", "Abbruch"}
                                                    << "1 0 0 1 1 1 0 1";
    QTest::newRow("calculate, Neu, Übernahme") << QStringList{m, "berechnen", "Neu", "name Testgas", "Übernahme"}
                                               << "1 0 0 0 0 1 0 1";
    QTest::newRow("calculate, Löschen") << QStringList{m, "berechnen", "Löschen"} << "1 0 0 0 0 0 0 1";
    // Deleting during an edit returns to the list (it would otherwise stay disabled with Abbruch).
    QTest::newRow("Bearbeiten, Löschen") << QStringList{m, "Bearbeiten", "Löschen"} << "1 0 0 0 0 0 0 1";
    QTest::newRow("calculate, another pick") << QStringList{m, "berechnen", "Wasser (H2O)"} << "1 0 0 1 1 1 0 1";
    // Sorting picks the current medium's entry or none: the results are stale, the record stays the picked one.
    QTest::newRow("calculate, sort by formula") << QStringList{m, "berechnen", "Formel"} << "1 0 0 1 1 1 0 1";
    // Without a pick there is nothing to show again.
    QTest::newRow("Neu, Abbruch without a pick") << QStringList{"Neu", "Abbruch"} << "1 0 0 0 0 0 0 1";
}

void TestFluidWizardRecords::buttonsFollowTheRecordWork()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, states);
    f.beginCase();
    frmStoffdatenAssistent &w = f.open();
    for (const QString &step : steps)
        act(w, step);
    QCOMPARE(wizardfixture::states(w), states);
    QCOMPARE(w.optSortiereFormel.enabled(), w.lstSubstanz.enabled());
}

void TestFluidWizardRecords::applyStoresTheRecordAndKeepsItAsPicked()
{
    Start s;
    s.TUnit = 1;
    f.beginCase(s);
    frmStoffdatenAssistent &w = f.open();
    const QStringList before = records();
    w.cmdNeu.userClick();
    typeAndLeave(w.txtMedium, QStringLiteral("Ammoniak"), w.txtFormel);
    typeAndLeave(w.txtFormel, QStringLiteral("NH3"), w.txtMol);
    typeAndLeave(w.txtMol, loc("17.031"), w.txtTs);
    typeAndLeave(w.txtTs, loc("-28"), w.txtTkrit);
    typeAndLeave(w.txtTkrit, loc("270.05"), w.txtpkrit);
    typeAndLeave(w.txtpkrit, loc("113.53"), w.txtazFaktor);
    typeAndLeave(w.txtazFaktor, loc("0.257"), w.txtMedium);
    w.cmdÜbernahme.userClick();
    // Stored as typed, in the units shown (F, bar); listed in its alphabetical place, nothing selected.
    QStringList expected = before;
    expected << QStringLiteral("Ammoniak|NH3|17.031|-28|270.05|113.53|0.257|0|1");
    QCOMPARE(records(), expected);
    QCOMPARE(w.lstSubstanz.items().first(), QStringLiteral("Ammoniak (NH3)"));
    QCOMPARE(w.lstSubstanz.listIndex(), -1);
    QCOMPARE(states(w), QStringLiteral("1 0 0 0 0 1 0 1"));
    // A calculation now starts from the stored record: at 10 bar abs. and 150 °C ammonia (Tc 270.05 F =
    // 132.25 °C) is above its critical temperature.
    w.cmdCalc.userClick();
    QCOMPARE(w.assistentZustand(), 2);
    QVERIFY(w.cmdOK.enabled());
}

void TestFluidWizardRecords::applyRefusesBadBaseDataBeforeStoring_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("focus");   // the field that gets the focus, or empty
    QTest::addColumn<QString>("message"); // the message shown, or empty
    QTest::newRow("empty name") << "txtMedium" << "" << "txtMedium" << "";
    QTest::newRow("blank name") << "txtMedium" << " " << "txtMedium" << "";
    QTest::newRow("molar mass no number") << "txtMol" << "abc" << "txtMol" << "";
    QTest::newRow("critical temperature empty") << "txtTkrit" << "" << "txtTkrit" << "";
    QTest::newRow("acentric factor no number") << "txtazFaktor" << "x" << "txtazFaktor" << "";
    QTest::newRow("name of another record") << "txtMedium" << "Methan" << "" << "Medium bereits vorhanden!";
}

void TestFluidWizardRecords::applyRefusesBadBaseDataBeforeStoring()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, focus);
    QFETCH(QString, message);
    f.beginCase();
    frmStoffdatenAssistent &w = f.open();
    const QStringList before = records();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Wasser (H2O)")));
    w.cmdBearbeiten.userClick();
    auto *box = dynamic_cast<TextBox *>(w.control(field));
    QVERIFY(box);
    box->setText(text);
    // Another field changed last enables the button all the same.
    TextBox &last = field == QLatin1String("txtazFaktor") ? w.txtMol : w.txtazFaktor;
    last.setText(loc("0.5"));
    QVERIFY(w.cmdÜbernahme.enabled());
    const int beeps = f.ui.beepCount();
    w.cmdÜbernahme.press();
    QCOMPARE(records(), before);
    // Still editing, with the fields as typed.
    QVERIFY(w.cmdÜbernahme.visible());
    QCOMPARE(box->text(), text);
    if (message.isEmpty()) {
        QCOMPARE(f.ui.beepCount(), beeps + 1);
        QCOMPARE(w.activeControl() ? w.activeControl()->name() : QString(), focus);
        QVERIFY(f.ui.messages().empty());
    } else {
        QCOMPARE(int(f.ui.messages().size()), 1);
        QCOMPARE(f.ui.messages().front().text, message);
    }
}

void TestFluidWizardRecords::cancelShowsThePickedRecordAsStored_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("pUnit");
    // Shown in psia, edited with the list turned to kPa: Abbruch shows the stored numbers in bar, the list bar.
    QTest::newRow("edit in other units")
        << QStringList{"Wasser (H2O)", "Bearbeiten", "kPa", "name Dampf", "Abbruch"}
        << QStringList{"Wasser", "H2O", loc("18.015"), "100", loc("374.2"), loc("221.2"), loc("0.344")} << 0;
    QTest::newRow("new after a pick") << QStringList{"Methan (CH4)", "Neu", "name Testgas", "Abbruch"}
                                      << QStringList{"Methan", "CH4", loc("16.043"), loc("-161.49"), loc("-82.59"),
                                                     loc("45.99"), loc("0.011")}
                                      << 0;
    QTest::newRow("new without a pick") << QStringList{"Neu", "name Testgas", "Abbruch"}
                                        << QStringList{"", "", "", "", "", "", ""} << 2;
}

void TestFluidWizardRecords::cancelShowsThePickedRecordAsStored()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, fields);
    QFETCH(int, pUnit);
    Start s;
    s.pUnit = 2;
    f.beginCase(s);
    frmStoffdatenAssistent &w = f.open();
    const QStringList before = records();
    for (const QString &step : steps) {
        if (step == QLatin1String("kPa"))
            w.p_unit.userPick(6);
        else
            act(w, step);
    }
    QCOMPARE(baseData(w), fields);
    QCOMPARE(w.p_unit.listIndex(), pUnit);
    QCOMPARE(w.units().pUnit, pUnit);
    QCOMPARE(records(), before);
    // Esc now closes the wizard.
    QVERIFY(w.cmdEsc.isCancel());
    QVERIFY(!w.cmdOK.enabled());
}

void TestFluidWizardRecords::pendingRecordIsAbandonedFirst_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("gone");  // records no longer in the table
    QTest::addColumn<QString>("shownName"); // txtMedium afterwards
    // The new record is dropped; Bearbeiten edits the picked record and shows it.
    QTest::newRow("Neu, then Bearbeiten") << QStringList{"Methan (CH4)", "Neu", "name Testgas", "Bearbeiten"}
                                          << QStringList{} << "Methan";
    // The new record is dropped, the picked one deleted.
    QTest::newRow("Neu, then Löschen") << QStringList{"Methan (CH4)", "Neu", "name Testgas", "Löschen"}
                                       << QStringList{"Methan"} << "";
    // The pending change of the name is not stored by the new record's start.
    QTest::newRow("Bearbeiten, then Neu") << QStringList{"Methan (CH4)", "Bearbeiten", "name Erdgas", "Neu"}
                                          << QStringList{} << "Erdgas";
}

void TestFluidWizardRecords::pendingRecordIsAbandonedFirst()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, gone);
    QFETCH(QString, shownName);
    f.beginCase();
    frmStoffdatenAssistent &w = f.open();
    QStringList expected = records();
    for (const QString &step : steps)
        act(w, step);
    for (const QString &name : gone) {
        for (qsizetype i = expected.size() - 1; i >= 0; --i) {
            if (expected.at(i).startsWith(name + QLatin1Char('|')))
                expected.removeAt(i);
        }
    }
    QCOMPARE(records(), expected);
    QCOMPARE(w.txtMedium.text(), shownName);
    // Closing now stores nothing either.
    w.userClose();
    QVERIFY(!frmStoffdatenAssistentInstance().isLoaded());
    QCOMPARE(records(), expected);
}

void TestFluidWizardRecords::recordWorkActsOnThePickedRecord_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("names"); // SUBSTANZ of the table afterwards, in stored order
    // Sorting refills the list and walks the table; the picked record is still the one acted on.
    QTest::newRow("sort, then Löschen") << QStringList{"Methan (CH4)", "Formel", "Löschen"}
                                        << QStringList{"Wasser", "Stickstoff", "Luft", "Propan", "Butan (n-)",
                                                       "Ohne Formel"};
    QTest::newRow("sort, then edit and apply")
        << QStringList{"Methan (CH4)", "Formel", "Bearbeiten", "name Erdgas", "Übernahme"}
        << QStringList{"Wasser", "Stickstoff", "Erdgas", "Luft", "Propan", "Butan (n-)", "Ohne Formel"};
    // A name holding " (" is edited as a whole.
    QTest::newRow("bracket in the name, edit and apply")
        << QStringList{"Butan (n-) (C4H10)", "Bearbeiten", "name n-Butan", "Übernahme"}
        << QStringList{"Wasser", "Stickstoff", "Methan", "Luft", "Propan", "n-Butan", "Ohne Formel"};
    QTest::newRow("no formula, Löschen") << QStringList{"Ohne Formel ()", "Löschen"}
                                         << QStringList{"Wasser", "Stickstoff", "Methan", "Luft", "Propan",
                                                        "Butan (n-)"};
}

void TestFluidWizardRecords::recordWorkActsOnThePickedRecord()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, names);
    f.beginCase();
    frmStoffdatenAssistent &w = f.open();
    for (const QString &step : steps)
        act(w, step);
    QCOMPARE(tableRows(QStringLiteral("Assistent_d"), {QStringLiteral("SUBSTANZ")}), names);
    QVERIFY(f.ui.messages().empty());
}

void TestFluidWizardRecords::missingTableIsReportedAndNothingOpens_data()
{
    QTest::addColumn<bool>("fromSheet");
    QTest::newRow("medium menu") << false;
    QTest::newRow("sheet with stale wizard data") << true;
}

void TestFluidWizardRecords::missingTableIsReportedAndNothingOpens()
{
    QFETCH(bool, fromSheet);
    f.beginCase(wizardMethan());
    menufixture::execSql(fluiddb::databasePath(), QStringLiteral("DROP TABLE Assistent_d"));
    // A damaged file gives way to the seed's copy; here there is none.
    setProgramFolder(QFileInfo(fluiddb::databasePath()).path());
    if (fromSheet) {
        frmCalcSize &sheet = calcSizeSheet().get();
        sheet.txtp1max.setFocus();
        sheet.txtp1max.userType(QStringLiteral("1"));
        sheet.txtp2max.setFocus();
    } else {
        QVERIFY(f.choose(f.w->mnuStoffdatenAssistent));
    }
    QCOMPARE(int(f.ui.messages().size()), 1);
    QVERIFY(f.ui.messages().front().text.contains(QStringLiteral("dbStoffdaten.mdb")));
    QVERIFY(!frmStoffdatenAssistentInstance().isLoaded());
    QVERIFY(f.ui.modalRuns().isEmpty());
    QVERIFY(!f.ui.shownForms().contains(QStringLiteral("frmStoffdatenAssistent")));
}

void TestFluidWizardRecords::saveButtonFollowsTheFieldChangedLast_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("molar mass cleared") << "txtMol" << "" << false;
    QTest::newRow("molar mass a number") << "txtMol" << loc("17.5") << true;
    QTest::newRow("boiling point letters") << "txtTs" << "abc" << false;
    QTest::newRow("name cleared") << "txtMedium" << "" << false;
    QTest::newRow("name given") << "txtMedium" << "X" << true;
    // The formula has no say: the state of the field changed before stays.
    QTest::newRow("formula cleared after a bad molar mass") << "txtFormel" << "" << false;
}

void TestFluidWizardRecords::saveButtonFollowsTheFieldChangedLast()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    f.beginCase();
    frmStoffdatenAssistent &w = f.open();
    QVERIFY(pick(w.lstSubstanz, QStringLiteral("Wasser (H2O)")));
    w.cmdBearbeiten.userClick();
    if (field == QLatin1String("txtFormel"))
        w.txtMol.setText(QStringLiteral("x"));
    auto *box = dynamic_cast<TextBox *>(w.control(field));
    QVERIFY(box);
    box->setText(text);
    QCOMPARE(w.cmdÜbernahme.enabled(), enabled);
}

void TestFluidWizardRecords::operatingPointIsCopiedFromTheActiveSheet_data()
{
    QTest::addColumn<int>("Modus");
    QTest::addColumn<bool>("MIN");
    QTest::addColumn<QString>("sheetMinText"); // typed into the sizing sheet's p1 min box, or empty
    QTest::addColumn<QStringList>("shown");    // p1 min, norm, max shown
    QTest::newRow("sizing, max only") << 0 << false << "" << QStringList{"0", "0", "1"};
    // The sheet's text exactly, also one that is no number.
    QTest::newRow("sizing with min") << 0 << true << "12x" << QStringList{"1", "0", "1"};
    QTest::newRow("flow sheet") << 1 << true << "" << QStringList{"0", "0", "1"};
}

void TestFluidWizardRecords::operatingPointIsCopiedFromTheActiveSheet()
{
    QFETCH(int, Modus);
    QFETCH(bool, MIN);
    QFETCH(QString, sheetMinText);
    QFETCH(QStringList, shown);
    Start s;
    s.Modus = Modus;
    s.MIN = MIN;
    f.beginCase(s);
    if (!sheetMinText.isEmpty())
        calcSizeSheet().get().txtp1min.setText(sheetMinText);
    QStringList sheetTexts; // p1 min, p1 max, T1 max as the active sheet shows them
    if (Modus == 0) {
        const frmCalcSize &sheet = calcSizeSheet().get();
        // A column the sheet does not use is not copied: its field keeps its design text.
        sheetTexts << (MIN ? sheet.txtp1min.text() : QStringLiteral("0")) << sheet.txtp1max.text()
                   << sheet.txtT1max.text();
    } else {
        const FrmCalcFlow &sheet = frmCalcFlow().get();
        sheetTexts << QStringLiteral("0") << sheet.txtp1max.text() << sheet.txtT1max.text();
    }
    QVERIFY(Variant(sheetTexts.at(1)).isNumeric());
    frmStoffdatenAssistent &w = f.open();
    QCOMPARE((QStringList{flag(w.txtp1min.visible()), flag(w.txtp1norm.visible()), flag(w.txtp1max.visible())}),
             shown);
    QCOMPARE(w.txtT1min.visible(), w.txtp1min.visible());
    QCOMPARE((QStringList{w.txtp1min.text(), w.txtp1max.text(), w.txtT1max.text()}), sheetTexts);
    if (!sheetMinText.isEmpty())
        QCOMPARE(w.txtp1min.text(), sheetMinText);
    QCOMPARE(w.lblp1_unit.caption(), QStringLiteral("bar,abs."));
    QCOMPARE(w.lblT1_unit.caption(), QStringLiteral("°C"));
}

QTEST_MAIN(TestFluidWizardRecords)
#include "test_fluid_wizard_records.moc"
