// Loading the sizing sheet: block positions and heights per fluid state and display variant, captions, columns,
// options and lists as loading leaves them.

#include "sheet_fixture.h"

#include "units/unit_lists.h"

using namespace sheetfixture;

class TestCalcSizeLoading : public QObject {
    Q_OBJECT

private slots:
    void blockPositions_data();
    void blockPositions();
    void extendedRows_data();
    void extendedRows();
    void titlesName_medium_and_state_data();
    void titlesName_medium_and_state();
    void captionsFollowTheScreenLanguage();
    void columnOff_hidesEveryCellOfIt_data();
    void columnOff_hidesEveryCellOfIt();
    void minOnNormOff_showsMinCellsOnly();
    void onOffCharacteristicAtLoad();
    void characteristicsNotOffered_areDisabled();
    void givenKvs_isOptimisedAfterLoad_data();
    void givenKvs_isOptimisedAfterLoad();
    void storedRangeability_oneDecimalInLocale();
    void temperature_oneDecimalAfterLoad();
    void unitListsFilledAndPositioned();
    void fluidRowsByState_data();
    void fluidRowsByState();
    void pictureAndSeriesTitle();
    void unknownSeries_loadsWithoutPictureOrName();
    void missingOrEmptySeries_loadsWithoutFailing_data();
    void missingOrEmptySeries_loadsWithoutFailing();
    void registersWithEngineWhileLoaded();
    void loadingFlag_andFluidDataStayAsFound_data();
    void loadingFlag_andFluidDataStayAsFound();
};

void TestCalcSizeLoading::blockPositions_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<int>("zustand");
    QTest::addColumn<int>("kd");
    QTest::addColumn<int>("pipe");
    QTest::addColumn<int>("noise");
    QTest::addColumn<int>("fluid");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("valveFrame");

    QTest::newRow("water, normal") << 1 << 1 << 0 << 6000 << 7800 << 9000 << 10880 << 3495;
    QTest::newRow("air, normal") << 0 << 0 << 0 << 6000 << 7800 << 9000 << 10880 << 3495;
    QTest::newRow("steam, normal") << 2 << 2 << 0 << 6000 << 7800 << 9000 << 10880 << 3495;
    QTest::newRow("water, partner variant") << 1 << 1 << 1 << 6000 << 7800 << 9000 << 10880 << 3495;
    QTest::newRow("air, extended") << 0 << 0 << 6417 << 6480 << 8280 << 9480 << 11360 << 3975;
    QTest::newRow("steam, extended") << 2 << 2 << 6417 << 6480 << 8280 << 9480 << 11360 << 3975;
    QTest::newRow("water, extended") << 1 << 1 << 6417 << 6960 << 8760 << 9960 << 11840 << 4475;
}

void TestCalcSizeLoading::blockPositions()
{
    QFETCH(int, medium);
    QFETCH(int, zustand);
    QFETCH(int, kd);
    QFETCH(int, pipe);
    QFETCH(int, noise);
    QFETCH(int, fluid);
    QFETCH(int, height);
    QFETCH(int, valveFrame);

    Fixture f;
    if (medium == 0)
        f.airCase();
    else if (medium == 2)
        f.steamCase();
    shared().KD_Version = kd;
    QCOMPARE(shared().Zustand, zustand);
    frmCalcSize &sheet = f.loadSheet();

    QCOMPARE(sheet.width(), 11400);
    QCOMPARE(sheet.left(), 0);
    QCOMPARE(sheet.top(), 0);
    QCOMPARE(sheet.lblRohrleitung.top(), pipe);
    QCOMPARE(sheet.frameRohrleitung.top(), pipe + 120);
    QCOMPARE(sheet.cmbDNRohr1.top(), pipe + 360);
    QCOMPARE(sheet.optVorgabe.top(), pipe + 840);
    QCOMPARE(sheet.lineRohr2.y1(), pipe + 840);
    QCOMPARE(sheet.lblV2max.top(), pipe + 1440);
    QCOMPARE(sheet.cmbGeschwindigkeit.top(), pipe + 1320);
    QCOMPARE(sheet.lblSchalldruck.top(), noise);
    QCOMPARE(sheet.frameSchalldruck.top(), noise + 120);
    QCOMPARE(sheet.lblSchallerwartmax.top(), noise + 840);
    QCOMPARE(sheet.lblStoffdaten.top(), fluid);
    QCOMPARE(sheet.frameStoffdaten.top(), fluid + 120);
    QCOMPARE(sheet.lblStoffwert3.top(), fluid + 1080);
    QCOMPARE(sheet.cmbStoffwert1unit.top(), fluid + 240);
    QCOMPARE(sheet.height(), height);
    QCOMPARE(sheet.frameVentildaten.top(), 2400);
    QCOMPARE(sheet.frameVentildaten.height(), valveFrame);
}

void TestCalcSizeLoading::extendedRows_data()
{
    QTest::addColumn<bool>("liquid");
    QTest::addColumn<int>("kd");
    QTest::addColumn<QStringList>("shownRows");
    QTest::addColumn<QStringList>("hiddenRows");

    QTest::newRow("gas, extended") << false << 6417 << QStringList{"lblXTWert", "lblxWert", "lblChokedFlow"}
                                   << QStringList{"lblzyWert", "lblxFWert", "lblKavitation", "lblFLWert"};
    QTest::newRow("gas, normal") << false << 0 << QStringList{"lblXTWert"}
                                 << QStringList{"lblxWert", "lblChokedFlow", "lblFLWert", "lblzyWert"};
    QTest::newRow("liquid, extended")
        << true << 6417 << QStringList{"lblzyWert", "lblxFWert", "lblKavitation", "lblFLWert", "lblChokedFlow"}
        << QStringList{"lblXTWert", "lblxWert"};
    QTest::newRow("liquid, normal") << true << 0 << QStringList{"lblFLWert"}
                                    << QStringList{"lblzyWert", "lblxFWert", "lblKavitation", "lblChokedFlow",
                                                   "lblXTWert", "lblxWert"};
}

void TestCalcSizeLoading::extendedRows()
{
    QFETCH(bool, liquid);
    QFETCH(int, kd);
    QFETCH(QStringList, shownRows);
    QFETCH(QStringList, hiddenRows);

    Fixture f;
    if (!liquid)
        f.airCase();
    shared().KD_Version = kd;
    frmCalcSize &sheet = f.loadSheet();

    // The rows that apply stand from 5640 down in steps of 240, with their three cells beside them.
    int top = 5640;
    for (const QString &name : shownRows) {
        auto *caption = static_cast<Label *>(sheet.control(name));
        QVERIFY2(caption->visible(), qPrintable(name));
        QCOMPARE(caption->top(), top);
        QVERIFY2(!caption->caption().isEmpty(), qPrintable(name));
        top += 240;
    }
    for (const QString &name : hiddenRows)
        QVERIFY2(!sheet.control(name)->visible(), qPrintable(name));
    QCOMPARE(sheet.lblChokedFlowMax.visible(), kd == 6417);
    QCOMPARE(sheet.lblFlmax.visible(), liquid);
    QCOMPARE(sheet.lblxTMax.visible(), !liquid);
    if (liquid) {
        QCOMPARE(sheet.lblFLWert.caption(), QStringLiteral("Druckrückgewinn-Faktor FL"));
        QCOMPARE(sheet.lblFlmin.top(), sheet.lblFLWert.top());
        QCOMPARE(sheet.lblFlnorm.top(), sheet.lblFLWert.top());
    } else {
        QCOMPARE(sheet.lblXTWert.caption(), QStringLiteral("Krit. Druckverhältnis xT"));
        QCOMPARE(sheet.lblxTMin.top(), 5640);
    }
}

void TestCalcSizeLoading::titlesName_medium_and_state_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<QString>("process");
    QTest::addColumn<QString>("fluid");

    QTest::newRow("water") << 1 << "Prozessdaten / Medium: Wasser / Zustandsverhalten: Flüssigkeit"
                           << "Stoffdaten / Medium: Wasser / Zustandsverhalten: Flüssigkeit";
    QTest::newRow("air") << 0 << "Prozessdaten / Medium: Luft / Zustandsverhalten: Ideales Gas"
                         << "Stoffdaten / Medium: Luft / Zustandsverhalten: Ideales Gas";
    QTest::newRow("steam") << 2 << "Prozessdaten / Medium: Dampf / Zustandsverhalten: Reales Gas"
                           << "Stoffdaten / Medium: Dampf / Zustandsverhalten: Reales Gas";
}

void TestCalcSizeLoading::titlesName_medium_and_state()
{
    QFETCH(int, medium);
    QFETCH(QString, process);
    QFETCH(QString, fluid);

    Fixture f;
    if (medium == 0)
        f.airCase();
    else if (medium == 2)
        f.steamCase();
    frmCalcSize &sheet = f.loadSheet();
    QCOMPARE(sheet.lblProzessdaten.caption(), process);
    QCOMPARE(sheet.lblStoffdaten.caption(), fluid);
    QCOMPARE(sheet.caption(), QStringLiteral("Modus Dimensionierung"));
    QCOMPARE(sheet.lblP1.caption(), QStringLiteral("Vordruck P1"));
    QCOMPARE(sheet.lblQ.caption(), QStringLiteral("Durchfluss Q"));
    QCOMPARE(sheet.lblVentiloeffnung.caption(), QStringLiteral("Ventilöffnung y"));
    // The column heads keep their texts in every language.
    QCOMPARE(sheet.chkMin.caption(), QStringLiteral("min."));
    QCOMPARE(sheet.lblMax.caption(), QStringLiteral("max."));
}

void TestCalcSizeLoading::captionsFollowTheScreenLanguage()
{
    Fixture f;
    shared().Sprache = 1;
    // A medium name that is no text key is shown as it stands.
    shared().NameMedium = QStringLiteral("Sole 30 %");
    frmCalcSize &sheet = f.loadSheet();
    QCOMPARE(sheet.lblProzessdaten.caption(),
             QStringLiteral("Process data / Medium: Sole 30 % / Fluid state: Liquid"));
    QCOMPARE(sheet.lblP2.caption(), QStringLiteral("Outlet pressure P2"));
    QCOMPARE(sheet.optKvoptimal.caption(), QStringLiteral("Optimised"));
    QCOMPARE(sheet.optOptimiert.caption(), QStringLiteral("optimised"));
    QCOMPARE(sheet.lblSchallBerechnungVDMA.caption(), QStringLiteral("Calculation to VDMA 24422/79"));
    QCOMPARE(sheet.chkNorm.caption(), QStringLiteral("norm."));
    QVERIFY(sheet.lblVentildaten.caption().startsWith(QStringLiteral("Valve data / ")));
}

void TestCalcSizeLoading::columnOff_hidesEveryCellOfIt_data()
{
    QTest::addColumn<bool>("minColumn");
    QTest::addColumn<int>("kd");
    QTest::newRow("min off, normal") << true << 0;
    QTest::newRow("min off, extended") << true << 6417;
    QTest::newRow("norm off, extended") << false << 6417;
}

void TestCalcSizeLoading::columnOff_hidesEveryCellOfIt()
{
    QFETCH(bool, minColumn);
    QFETCH(int, kd);

    Fixture f;
    shared().KD_Version = kd;
    (minColumn ? shared().MIN : shared().NORM) = false;
    frmCalcSize &sheet = f.loadSheet();

    const QString end = minColumn ? QStringLiteral("min") : QStringLiteral("norm");
    auto name = [&](const QString &stem, bool capital) {
        return stem + (capital ? end.left(1).toUpper() + end.mid(1) : end);
    };
    const QStringList cells = {name("txtp1", false),        name("txtQ", false),
                               name("lblKv", false) + "calc", name("lblSTV", false),
                               name("lblY", false),         name("lblFl", false),
                               name("lblzy", true),         name("lblxF", true),
                               name("lblKavitation", true), name("lblChokedFlow", true),
                               name("lblV1", false),        name("lblV2", false),
                               name("lblStoffwert1", false), name("lblStoffwert3", false),
                               name("lblSchallVDMA", false), name("lblSchallerwart", false)};
    for (const QString &cell : cells) {
        Control *c = sheet.control(cell);
        QVERIFY2(c, qPrintable(cell));
        QVERIFY2(!c->visible(), qPrintable(cell));
    }
    CheckBox &box = minColumn ? sheet.chkMin : sheet.chkNorm;
    QCOMPARE(box.value(), 0);
    QVERIFY(box.visible());
    QCOMPARE(minColumn ? shared().MIN : shared().NORM, false);
    // The max column stays.
    QVERIFY(sheet.lblFlmax.visible());
    QVERIFY(sheet.lblSTVmax.visible());
    QVERIFY(sheet.txtp1max.visible());
}

void TestCalcSizeLoading::minOnNormOff_showsMinCellsOnly()
{
    Fixture f;
    f.steamCase();
    shared().NORM = false;
    frmCalcSize &sheet = f.loadSheet();

    for (Control *c : std::initializer_list<Control *>{&sheet.txtp1min, &sheet.lblKvmincalc, &sheet.lblSTVmin,
                                                       &sheet.lblYmin, &sheet.lblxTMin, &sheet.lblV1min,
                                                       &sheet.lblV2min, &sheet.lblSchallVDMAmin,
                                                       &sheet.lblStoffwert1min, &sheet.lblStoffwert2min})
        QVERIFY2(c->visible(), qPrintable(c->name()));
    for (Control *c : std::initializer_list<Control *>{&sheet.txtp1norm, &sheet.lblKvnormcalc, &sheet.lblSTVnorm,
                                                       &sheet.lblYnorm, &sheet.lblxTNorm, &sheet.lblV1norm,
                                                       &sheet.lblSchallVDMAnorm, &sheet.lblStoffwert1norm})
        QVERIFY2(!c->visible(), qPrintable(c->name()));
    // The steam sheet's third fluid row stays hidden in every column.
    QVERIFY(!sheet.lblStoffwert3min.visible());
    QVERIFY(!sheet.lblStoffwert3max.visible());
    QVERIFY(sheet.lblSTVmax.visible());
    QVERIFY(sheet.lblYmax.visible());
    QCOMPARE(sheet.chkMin.value(), 1);
}

void TestCalcSizeLoading::onOffCharacteristicAtLoad()
{
    Fixture f;
    f.openSeries(QStringLiteral("3152"));
    shared().Kennlinie = 2;
    frmCalcSize &sheet = f.loadSheet();

    QVERIFY(sheet.optAufZu.value());
    QVERIFY(!shared().MIN);
    QVERIFY(!shared().NORM);
    for (Control *c : std::initializer_list<Control *>{
             &sheet.chkMin, &sheet.chkNorm, &sheet.txtp1min, &sheet.txtp2min, &sheet.txtT1min, &sheet.txtQmin,
             &sheet.txtp1norm, &sheet.txtp2norm, &sheet.txtT1norm, &sheet.txtQnorm, &sheet.lblReduktion,
             &sheet.lblStellverhältnis, &sheet.lblSTVmax, &sheet.lblSTVVentil, &sheet.lblVentiloeffnung,
             &sheet.lblYmax, &sheet.lblYunit})
        QVERIFY2(!c->visible(), qPrintable(c->name()));
    // The series offers only on/off.
    QVERIFY(!sheet.optLinear.enabled());
    QVERIFY(!sheet.optGleichprozentig.enabled());
    QVERIFY(sheet.optAufZu.enabled());
    QVERIFY(sheet.lblKvmaxcalc.visible());
}

void TestCalcSizeLoading::characteristicsNotOffered_areDisabled()
{
    Fixture f;
    f.useFixtureSeries(QStringLiteral("T1"),
                       {{15, "1/2\"", 1, 2.5f}, {25, "1\"", 1, 6.3f}, {50, "2\"", 1, 40.0f}});
    shared().Kennlinie = 0;
    frmCalcSize &sheet = f.loadSheet();

    QVERIFY(!sheet.optLinear.enabled());
    QVERIFY(sheet.optGleichprozentig.enabled());
    QVERIFY(!sheet.optAufZu.enabled());
    // Refilling the size list (from the size unit list, before the options) switched to the series' own
    // characteristic, whose option loading then selected.
    QCOMPARE(shared().Kennlinie, 1);
    QVERIFY(sheet.optGleichprozentig.value());

    // The walk changes no selection: an option the series lacks stays selected, and disabled.
    sheet.optLinear.setValue(true);
    sheet.update_optKennlinie(*shared().rsVentil);
    QVERIFY(sheet.optLinear.value());
    QVERIFY(!sheet.optLinear.enabled());
    QVERIFY(shared().rsVentil->eof());
}

void TestCalcSizeLoading::givenKvs_isOptimisedAfterLoad_data()
{
    QTest::addColumn<bool>("dnMin");
    QTest::newRow("size computed") << true;
    QTest::newRow("size given") << false;
}

void TestCalcSizeLoading::givenKvs_isOptimisedAfterLoad()
{
    QFETCH(bool, dnMin);
    Fixture f;
    shared().DNmin = dnMin;
    shared().KvsOpt = false;
    frmCalcSize &sheet = f.loadSheet();

    QVERIFY(shared().KvsOpt);
    QVERIFY(sheet.optKvoptimal.value());
    QVERIFY(!sheet.optKvFest.value());
    QVERIFY(!sheet.cmbKvsCv.enabled());
    QCOMPARE(sheet.optDNMin.value(), dnMin);
    QCOMPARE(sheet.optDNfest.value(), !dnMin);
    QCOMPARE(sheet.cmbDNVentil.enabled(), !dnMin);
    QCOMPARE(sheet.optKvFest.enabled(), !dnMin);
}

void TestCalcSizeLoading::storedRangeability_oneDecimalInLocale()
{
    Fixture f;
    numtext::setUserLocale(QLocale(QLocale::German, QLocale::Germany));
    shared().StellverhältnisMax = 12.345;
    // p2 above p1: every recalculation of the load stops at its validation, so the stored value stays shown.
    shared().p2Max = 11;
    frmCalcSize &sheet = f.loadSheet();
    const QString label = sheet.lblSTVmax.caption();
    const QString status = f.status();
    numtext::resetUserLocale();
    QCOMPARE(label, QStringLiteral("12,3:1"));
    QCOMPARE(status, QStringLiteral("Berechnung nicht aktualisiert: Druckwert unzulässig!"));
}

void TestCalcSizeLoading::temperature_oneDecimalAfterLoad()
{
    Fixture f;
    shared().T1Max = 15.27;
    shared().T1Min = 0.5;
    frmCalcSize &sheet = f.loadSheet();
    const QString sep = numtext::userLocale().decimalPoint();
    QCOMPARE(sheet.txtT1max.text(), "15" + sep + "3");
    QCOMPARE(shared().T1Max, 15.3);
    QCOMPARE(sheet.txtT1min.text(), sep + "5");
    QCOMPARE(shared().T1Min, 0.5);
    // p and Q boxes show the plain number.
    QCOMPARE(sheet.txtp2norm.text(), "6" + sep + "5");
    QCOMPARE(sheet.txtQmax.text(), QStringLiteral("30"));
}

void TestCalcSizeLoading::unitListsFilledAndPositioned()
{
    Fixture f;
    SharedData &s = shared();
    s.p1Unit = 2;
    s.p2Unit = 1;
    s.p1Min = s.p1Norm = s.p1Max = 145;
    s.p2Min = s.p2Norm = s.p2Max = 5;
    s.QUnit = 5;
    s.vUnit = 1;
    s.DNunit = 1;
    s.DNVentil = s.DN1Rohr = s.DN2Rohr = QStringLiteral("2\"");
    frmCalcSize &sheet = f.loadSheet();

    QCOMPARE(sheet.cmbP1unit.listCount(), 8);
    QCOMPARE(sheet.cmbP1unit.listIndex(), 2);
    QCOMPARE(sheet.cmbP1unit.text(), QStringLiteral("psia"));
    QCOMPARE(sheet.cmbP2unit.text(), EinheitDruck(Variant(1)));
    QCOMPARE(sheet.cmbT1unit.listCount(), 2);
    QCOMPARE(sheet.cmbQunit.listCount(), 6);
    QCOMPARE(sheet.cmbQunit.text(), QStringLiteral("G.P.M."));
    QCOMPARE(sheet.lblQymaxunit.caption(), QStringLiteral("G.P.M."));
    QCOMPARE(sheet.cmbGeschwindigkeit.text(), QStringLiteral("ft./sec."));
    QCOMPARE(sheet.cmbDNunit.text(), QStringLiteral("inch"));
    QCOMPARE(sheet.cmbKvUnit.text(), QStringLiteral("Kvs"));
    QCOMPARE(sheet.cmbDNRohr1.listCount(), 18);
    QCOMPARE(sheet.cmbDNRohr1.list(0), QStringLiteral("1/4\""));
    QVERIFY(sheet.cmbDNVentil.text().endsWith(QLatin1Char('"')));
    QCOMPARE(sheet.cmbStoffwert2unit.listCount(), 8);
    QCOMPARE(sheet.cmbStoffwert3unit.text(), QStringLiteral("mm²/s (cSt)"));
    // Loading converts nothing: the units it positions are the stored ones.
    QCOMPARE(s.p1Max, 145.0);
    QCOMPARE(s.p1Unit, 2);
}

void TestCalcSizeLoading::fluidRowsByState_data()
{
    QTest::addColumn<int>("medium");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("vapourList");
    QTest::addColumn<bool>("thirdRow");
    QTest::addColumn<int>("flowUnits");

    QTest::newRow("air") << 0 << QStringList{"Normdichte", "Dichte", "Isentropenexponent"} << false << true << 5;
    QTest::newRow("water") << 1 << QStringList{"Dichte", "Dampfdruck", "Viskosität"} << true << true << 6;
    QTest::newRow("steam") << 2 << QStringList{"Dichte", "Isentropenexponent", ""} << false << false << 2;
}

void TestCalcSizeLoading::fluidRowsByState()
{
    QFETCH(int, medium);
    QFETCH(QStringList, captions);
    QFETCH(bool, vapourList);
    QFETCH(bool, thirdRow);
    QFETCH(int, flowUnits);

    Fixture f;
    if (medium == 0)
        f.airCase();
    else if (medium == 2)
        f.steamCase();
    frmCalcSize &sheet = f.loadSheet();

    QCOMPARE(sheet.lblStoffwert1.caption(), captions[0]);
    QCOMPARE(sheet.lblStoffwert2.caption(), captions[1]);
    QCOMPARE(sheet.lblStoffwert3.caption(), captions[2]);
    QVERIFY(sheet.cmbStoffwert1unit.visible());
    QCOMPARE(sheet.cmbStoffwert2unit.visible(), vapourList);
    QCOMPARE(sheet.cmbStoffwert3unit.visible(), medium != 2 && medium != 0);
    QCOMPARE(sheet.lblStoffwert3max.visible(), thirdRow);
    QCOMPARE(sheet.cmbQunit.listCount(), flowUnits);
    if (medium == 0) {
        // Only the norm density's max cell holds a value.
        QVERIFY(sheet.lblStoffwert1min.caption().isEmpty());
        QVERIFY(sheet.lblStoffwert1norm.caption().isEmpty());
        QVERIFY(!sheet.lblStoffwert1max.caption().isEmpty());
    }
    if (medium == 2)
        QCOMPARE(sheet.cmbQunit.list(1), QStringLiteral("lb./hr."));
}

void TestCalcSizeLoading::pictureAndSeriesTitle()
{
    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    QVERIFY(!sheet.Image1.picture().isNull());
    QVERIFY(sheet.Image1.picturePath().endsWith(QStringLiteral("/4627_71.jpg")));
    QCOMPARE(sheet.lblVentildaten.caption(),
             QStringLiteral("Ventildaten / ") + getVentiltypName(QStringLiteral("4627_71"), 0).toString());
    QVERIFY(sheet.lblVentildaten.caption().size() > QStringLiteral("Ventildaten / ").size());
    QCOMPARE(sheet.Image1.left(), 9720);
    QCOMPARE(sheet.Image1.width(), 1335);
    QCOMPARE(sheet.Image1.height(), 1695);
}

void TestCalcSizeLoading::unknownSeries_loadsWithoutPictureOrName()
{
    Fixture f;
    f.useFixtureSeries(QStringLiteral("X1"), {{25, "1\"", 1, 6.3f}, {50, "2\"", 1, 40.0f}});
    frmCalcSize &sheet = f.loadSheet();
    QVERIFY(sheet.Image1.picture().isNull());
    QCOMPARE(sheet.lblVentildaten.caption(), QStringLiteral("Ventildaten / "));
    QVERIFY(sheet.isLoaded());
}

void TestCalcSizeLoading::missingOrEmptySeries_loadsWithoutFailing_data()
{
    QTest::addColumn<bool>("tableExists");
    QTest::newRow("no series table open") << false;
    QTest::newRow("series without rows") << true;
}

void TestCalcSizeLoading::missingOrEmptySeries_loadsWithoutFailing()
{
    QFETCH(bool, tableExists);
    Fixture f;
    if (tableExists)
        f.useFixtureSeries(QStringLiteral("LEER"), {});
    else
        shared().rsVentil.reset();
    frmCalcSize &sheet = f.loadSheet();
    QVERIFY(sheet.isLoaded());
    QCOMPARE(sheet.height(), 10880);
    QVERIFY(!sheet.optLinear.enabled());
    QVERIFY(!sheet.optGleichprozentig.enabled());
    QVERIFY(!sheet.optAufZu.enabled());
    QCOMPARE(sheet.cmbDNVentil.listCount(), 0);
    QVERIFY(!shared().bLadenCalcSize);
    // With an empty table the lists are built (empty) and the recalculation finds no row and says so; without a
    // table the lists never become ready and the recalculation only ends its status stage.
    if (tableExists)
        QVERIFY(f.status().startsWith(QStringLiteral("Berechnung nicht aktualisiert")));
    else
        QVERIFY(!shared().ListeDNbereit);
}

void TestCalcSizeLoading::registersWithEngineWhileLoaded()
{
    Fixture f;
    frmCalcSize &sheet = f.loadSheet();
    QVERIFY(sheet.engineAccess().missingMembers().isEmpty());
    QCOMPARE(activeSizingSheet(), &sheet.engineAccess());
    QCOMPARE(activeSizingSheet()->txtQmax, &sheet.txtQmax);
    f.unloadSheet();
    QCOMPARE(activeSizingSheet(), nullptr);
}

void TestCalcSizeLoading::loadingFlag_andFluidDataStayAsFound_data()
{
    QTest::addColumn<bool>("current"); // the wizard's data as the load finds them
    QTest::addColumn<QString>("status");
    QTest::newRow("current data stay current") << true << "Berechnung aktualisiert";
    QTest::newRow("stale data stay stale") << false << "Berechnung nicht aktualisiert: Stoffdaten nicht aktuell!";
}

void TestCalcSizeLoading::loadingFlag_andFluidDataStayAsFound()
{
    QFETCH(bool, current);
    QFETCH(QString, status);
    Fixture f;
    SharedData &s = shared();
    s.Medium = 6;
    s.rho1Min = s.rho1Norm = s.rho1Max = 998;
    s.nueMin = s.nueNorm = s.nueMax = 1;
    s.psatMin = s.psatNorm = s.psatMax = 0.0234;
    s.pkrit = 221.2;
    s.StoffdatenAktuell = current;
    frmCalcSize &sheet = f.loadSheet();
    QVERIFY(!shared().bLadenCalcSize);
    // The boxes written while loading are no edit of the user's: the wizard's data stay as they were, and the
    // load's runs report stale data like any run.
    QCOMPARE(shared().StoffdatenAktuell, current);
    QVERIFY(f.status().startsWith(status));
    QCOMPARE(f.window.mnuDrucken.enabled(), current);
    QVERIFY(sheet.visible());
}

QTEST_GUILESS_MAIN(TestCalcSizeLoading)
#include "test_calc_size_loading.moc"
