// Loading of the sizing sheet and the procedures that lay out its variable blocks.

#include "sheets/calc_size.h"

#include "engine/main_window_access.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "sheets/calc_size_geometry.h"
#include "sheets/sheet_common.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/number_format.h"
#include "units/texts.h"
#include "units/unit_lists.h"

#include <QDir>
#include <algorithm>

using namespace calcsize;
using sheetcommon::fillUnitList;

namespace calcsize {

QString zeroPointZero(double value)
{
    return numtext::fixed(value, 1);
}

void fitTitle(Label &title)
{
    // About 105 twips a character of the bold title font; the renderer measures nothing here.
    const int width = 120 + 105 * static_cast<int>(title.caption().size());
    title.setWidth(std::clamp(width, kTitleMinWidth, kFrameWidth - 240));
}

} // namespace calcsize

namespace {

// Puts bLadenCalcSize back also when loading is cut short, so that later edits mark wizard data stale again.
class LoadingFlag {
public:
    LoadingFlag() { shared().bLadenCalcSize = true; }
    ~LoadingFlag() { shared().bLadenCalcSize = false; }
    LoadingFlag(const LoadingFlag &) = delete;
    LoadingFlag &operator=(const LoadingFlag &) = delete;
};

} // namespace

void frmCalcSize::Form_Load()
{
    SharedData &s = shared();
    // The engine reaches the sheet from the first recalculation that loading runs.
    setActiveSizingSheet(&access_);
    // Of the recalculations that loading runs, only the last one's beeps sound: it reports on the loaded sheet.
    mainwin::LoadingSound sound;
    LoadingFlag loading;
    // The new sheet's valve lists are empty until the characteristic option fills them and re-selects the stored
    // size and Kvs. The recalculations before that choose no valve: with a Kvs or size the series lacks they would
    // find no candidate and put the series' largest valve in place of the stored size.
    s.ListeDNbereit = false;
    s.ListeKvsbereit = false;

    setCaption(getText("Modus Dimensionierung", s.Sprache));
    setWidth(kSheetWidth);
    setTop(0);
    setLeft(0);

    lblProzessdaten.setCaption(sheetcommon::fluidHeader(getText("Prozessdaten", s.Sprache)));
    fitTitle(lblProzessdaten);
    lblP1.setCaption(getText("Vordruck", s.Sprache) + " P1");
    lblP2.setCaption(getText("Nachdruck", s.Sprache) + " P2");
    lblT1.setCaption(getText("Temperatur", s.Sprache) + " T1");
    lblQ.setCaption(getText("Durchfluss", s.Sprache) + " Q");

    // Each text runs the box's Change handler, which reads the value back.
    struct Column {
        TextBox &p1, &p2, &T1, &Q;
        const double &vp1, &vp2, &vT1, &vQ;
    };
    const Column columns[] = {{txtp1min, txtp2min, txtT1min, txtQmin, s.p1Min, s.p2Min, s.T1Min, s.QMin},
                              {txtp1norm, txtp2norm, txtT1norm, txtQnorm, s.p1Norm, s.p2Norm, s.T1Norm, s.QNorm},
                              {txtp1max, txtp2max, txtT1max, txtQmax, s.p1Max, s.p2Max, s.T1Max, s.QMax}};
    for (const Column &c : columns) {
        c.p1.setText(numtext::general(c.vp1));
        c.p2.setText(numtext::general(c.vp2));
        c.T1.setText(numtext::general(c.vT1));
        c.Q.setText(formatZahl4(Variant(c.vQ)).toString());
    }

    // The handler runs even when the box was already clear, so that the column is hidden and recalculated.
    if (s.MIN) {
        chkMin.setValue(1);
    } else {
        chkMin.setValue(0);
        chkMin_Click();
    }
    if (s.NORM) {
        chkNorm.setValue(1);
    } else {
        chkNorm.setValue(0);
        chkNorm_Click();
    }

    fillUnitList(cmbP1unit, EinheitDruck, 7, s.p1Unit);
    fillUnitList(cmbP2unit, EinheitDruck, 7, s.p2Unit);
    fillUnitList(cmbT1unit, EinheitTemperatur, 1, s.T1Unit);
    if (s.Zustand == 0)
        fillUnitList(cmbQunit, EinheitDurchflussGas, 4, s.QUnit);
    else if (s.Zustand == 1)
        fillUnitList(cmbQunit, EinheitDurchflussFluessig, 5, s.QUnit);
    else if (s.Zustand == 2)
        fillUnitList(cmbQunit, EinheitMassenstrom, 1, s.QUnit);
    else
        cmbQunit.clear();

    // A missing picture leaves the area empty.
    Image1.loadPicture(QDir(programFolder()).filePath(s.Ventiltyp + ".jpg"));

    lblVentildaten.setCaption(getText("Ventildaten", s.Sprache) + " / " +
                              getVentiltypName(s.Ventiltyp, s.Sprache).toString());
    fitTitle(lblVentildaten);
    frameNennweite.setCaption(getText("Nennweite", s.Sprache));
    frameKennlinie.setCaption(getText("Kennlinie", s.Sprache));
    frameDurchflusskoeffizient.setCaption(getText("Durchflusskoeffizient", s.Sprache));
    lblStellverhältnis.setCaption(getText("Stellverhältnis", s.Sprache));
    lblVentiloeffnung.setCaption(getText("Ventilöffnung", s.Sprache) + " y");
    lblMaxDurchfluss.setCaption(getText("Max. Durchfluss (y = 100%)", s.Sprache));
    lblDurchflussreserve.setCaption(getText("Durchflussreserve", s.Sprache));

    fillUnitList(cmbDNunit, EinheitLaenge, 1, s.DNunit);

    // No characteristic is selected at creation, so this always runs the option's handler.
    optLinear.setCaption(getText("(mod.) linear", s.Sprache));
    optGleichprozentig.setCaption(getText("gleich%", s.Sprache));
    optAufZu.setCaption(getText("Auf/Zu", s.Sprache));
    sheetcommon::selectOption(s.Kennlinie, {&optLinear, &optGleichprozentig, &optAufZu});

    if (s.rsVentil) {
        update_optKennlinie(*s.rsVentil);
    } else {
        for (OptionButton *option : {&optLinear, &optGleichprozentig, &optAufZu})
            option->setEnabled(false);
    }

    fillUnitList(cmbKvUnit, EinheitKvs, 1, s.KvUnit);

    optDNMin.setCaption(getText("Minimal", s.Sprache));
    optDNfest.setCaption(getText("Vorgabe", s.Sprache));
    if (s.DNmin)
        optDNMin.setValue(true);
    else
        optDNfest.setValue(true);

    lblKvmincalc.setVisible(s.MIN);
    lblKvnormcalc.setVisible(s.NORM);

    // "Optimiert" after every load, whatever KvsOpt held.
    optKvoptimal.setCaption(getText("Optimiert", s.Sprache));
    optKvoptimal.setValue(true);
    optKvFest.setCaption(getText("Vorgabe", s.Sprache));

    lblSTVmax.setCaption(zeroPointZero(s.StellverhältnisMax) + ":1");

    lblSTVmin.setVisible(s.MIN);
    lblYmin.setVisible(s.MIN);
    lblSTVnorm.setVisible(s.NORM);
    lblYnorm.setVisible(s.NORM);

    int position = kValveRowsTop;
    if (s.Zustand == 1)
        show_Ventildaten_inkomp(position);
    else
        show_Ventildaten_komp(position);
    show_rohrleitungsdaten(position);
    show_schalldaten(position);
    show_stoffdaten(position);

    setHeight(position + kHeightBelowLastBlock);
}

void frmCalcSize::resultRow(int Position, Label &caption, const QString &text, Label &cellMin, Label &cellNorm,
                            Label &cellMax)
{
    const SharedData &s = shared();
    caption.setVisible(true);
    caption.setTop(Position);
    caption.setCaption(text);
    // A row shows what applies and never hides a cell.
    if (s.MIN)
        cellMin.setVisible(true);
    cellMin.setTop(Position);
    if (s.NORM)
        cellNorm.setVisible(true);
    cellNorm.setTop(Position);
    cellMax.setVisible(true);
    cellMax.setTop(Position);
}

void frmCalcSize::show_Ventildaten_komp(int &Position)
{
    const SharedData &s = shared();
    resultRow(Position, lblXTWert, getText("Krit. Druckverhältnis xT", s.Sprache), lblxTMin, lblxTNorm, lblxTMax);
    Position += 240;
    frameVentildaten.setHeight(frameVentildaten.height() + 360);
    if (s.KD_Version == 6417) {
        resultRow(Position, lblxWert, getText("Druckverhältnis x", s.Sprache), lblxMin, lblxNorm, lblxMax);
        Position += 240;
        resultRow(Position, lblChokedFlow, getText("Durchflussbegrenzung?", s.Sprache), lblChokedFlowMin,
                  lblChokedFlowNorm, lblChokedFlowMax);
        frameVentildaten.setHeight(frameVentildaten.height() + 480);
        Position += 240;
    }
    Position += 120;
}

void frmCalcSize::show_Ventildaten_inkomp(int &Position)
{
    const SharedData &s = shared();
    if (s.KD_Version == 6417) {
        resultRow(Position, lblzyWert, getText("z-Wert", s.Sprache), lblzyMin, lblzyNorm, lblzyMax);
        Position += 240;
        resultRow(Position, lblxFWert, getText("Druckverhältnis xF", s.Sprache), lblxFMin, lblxFNorm, lblxFMax);
        Position += 240;
        resultRow(Position, lblKavitation, getText("Kavitation?", s.Sprache), lblKavitationMin,
                  lblKavitationNorm, lblKavitationMax);
        Position += 240;
    }
    resultRow(Position, lblFLWert, getText("Druckrückgewinn-Faktor FL", s.Sprache), lblFlmin, lblFlnorm,
              lblFlmax);
    Position += 240;
    frameVentildaten.setHeight(frameVentildaten.height() + 360);
    if (s.KD_Version == 6417) {
        resultRow(Position, lblChokedFlow, getText("Durchflussbegrenzung?", s.Sprache), lblChokedFlowMin,
                  lblChokedFlowNorm, lblChokedFlowMax);
        frameVentildaten.setHeight(frameVentildaten.height() + 980);
        Position += 240;
    }
    Position += 120;
}

void frmCalcSize::show_rohrleitungsdaten(int &Position)
{
    SharedData &s = shared();
    const int B = Position;

    lblRohrleitung.setTop(B);
    lblRohrleitung.setCaption(getText("Rohrleitung", s.Sprache));
    fitTitle(lblRohrleitung);
    frameRohrleitung.setTop(B + 120);
    Position += 360;

    lblRohrNennweite.setTop(B + 360);
    lblRohrNennweite.setCaption(getText("Rohr-Nennweite", s.Sprache));
    lblEingang.setTop(B + 360);
    lblEingang.setCaption(getText("Eingang", s.Sprache));
    cmbDNRohr1.setTop(B + 360);
    optDNVentil.setTop(B + 360);
    optDNVentil.setCaption(getText("= Ventil-Nennweite", s.Sprache));
    lineRohr1.setPoints(kPipeCaptionLeft + 960, B + 480, kMinLeft, B + 480);
    optOptimiert.setTop(B + 600);
    optOptimiert.setCaption(getText("optimiert", s.Sprache));
    Position += 360;

    lblAusgang.setTop(B + 720);
    lblAusgang.setCaption(getText("Ausgang", s.Sprache));
    cmbDNRohr2.setTop(B + 720);
    optVorgabe.setTop(B + 840);
    optVorgabe.setCaption(getText("Vorgabe", s.Sprache));
    lineRohr2.setPoints(kPipeCaptionLeft + 960, B + 840, kMinLeft, B + 840);
    Position += 240;

    lblStroemungsgeschwindigkeit.setTop(B + 960);
    lblStroemungsgeschwindigkeit.setCaption(getText("Strömungsgeschwindigkeit", s.Sprache));
    Position += 240;

    lblEingang2.setTop(B + 1200);
    lblEingang2.setCaption(getText("Eingang", s.Sprache));
    for (Label *cell : {&lblV1min, &lblV1norm, &lblV1max})
        cell->setTop(B + 1200);
    cmbGeschwindigkeit.setTop(B + 1320);
    Position += 240;

    lblAusgang2.setTop(B + 1440);
    lblAusgang2.setCaption(getText("Ausgang", s.Sprache));
    for (Label *cell : {&lblV2min, &lblV2norm, &lblV2max})
        cell->setTop(B + 1440);
    Position += 360;

    fillUnitList(cmbGeschwindigkeit, EinheitGeschwindigkeit, 1, s.vUnit);

    update_DNRohrleitung(s.DN1Rohr, s.DN2Rohr, s.DNunit);

    // No pipe option is selected at creation: the handler runs and recalculates, the last time of a load.
    sheetcommon::selectOption(s.chkDNRohr, {&optDNVentil, &optOptimiert, &optVorgabe});

    lblV1min.setVisible(s.MIN);
    lblV2min.setVisible(s.MIN);
    lblV1norm.setVisible(s.NORM);
    lblV2norm.setVisible(s.NORM);
}

void frmCalcSize::show_schalldaten(int &Position)
{
    const SharedData &s = shared();
    const int B = Position;

    lblSchalldruck.setTop(B);
    lblSchalldruck.setCaption(getText("Schalldruck", s.Sprache));
    fitTitle(lblSchalldruck);
    frameSchalldruck.setTop(B + 120);

    struct Row {
        Label &caption;
        Label &min, &norm, &max, &unit;
        int top;
    };
    const Row rows[] = {{lblSchallBerechnungVDMA, lblSchallVDMAmin, lblSchallVDMAnorm, lblSchallVDMAmax,
                         lblSchallunit, B + 360},
                        {lblSchallkorrektur, lblSchallkorrekturmin, lblSchallkorrekturnorm, lblSchallkorrekturmax,
                         lblSchallunit2, B + 600},
                        {lblSchallerwartung, lblSchallerwartmin, lblSchallerwartnorm, lblSchallerwartmax,
                         lblSchallunit3, B + 840}};
    for (const Row &r : rows)
        for (Label *l : {&r.caption, &r.min, &r.norm, &r.max, &r.unit})
            l->setTop(r.top);
    lblSchallBerechnungVDMA.setCaption(getText("Berechnung nach VDMA 24422/79", s.Sprache));
    lblSchallkorrektur.setCaption(getText("gemessene Korrektur", s.Sprache));
    lblSchallerwartung.setCaption(getText("zu erwartender Wert", s.Sprache));

    for (Label *cell : {&lblSchallVDMAmin, &lblSchallkorrekturmin, &lblSchallerwartmin})
        cell->setVisible(s.MIN);
    for (Label *cell : {&lblSchallVDMAnorm, &lblSchallkorrekturnorm, &lblSchallerwartnorm})
        cell->setVisible(s.NORM);
    Position = B + 1200;
}

void frmCalcSize::show_stoffdaten(int &Position)
{
    const SharedData &s = shared();
    const int B = Position;

    frameStoffdaten.setTop(B + 120);
    lblStoffdaten.setTop(B);
    lblStoffdaten.setCaption(sheetcommon::fluidHeader(getText("Stoffdaten", s.Sprache)));
    fitTitle(lblStoffdaten);

    struct Row {
        Label &caption;
        Label &min, &norm, &max;
        ComboBox &unit;
    };
    const Row rows[] = {{lblStoffwert1, lblStoffwert1min, lblStoffwert1norm, lblStoffwert1max, cmbStoffwert1unit},
                        {lblStoffwert2, lblStoffwert2min, lblStoffwert2norm, lblStoffwert2max, cmbStoffwert2unit},
                        {lblStoffwert3, lblStoffwert3min, lblStoffwert3norm, lblStoffwert3max, cmbStoffwert3unit}};
    for (int i = 0; i < 3; ++i) {
        const int top = B + 360 + 360 * i;
        for (Label *l : {&rows[i].caption, &rows[i].min, &rows[i].norm, &rows[i].max})
            l->setTop(top);
        rows[i].unit.setTop(top - 120);
    }

    switch (s.Zustand) {
    case 0:
        lblStoffwert1.setCaption(getText("Normdichte", s.Sprache));
        lblStoffwert1min.setCaption(QString());
        lblStoffwert1norm.setCaption(QString());
        fillUnitList(cmbStoffwert1unit, EinheitDichte, 1, s.rhoUnit);
        lblStoffwert2.setCaption(getText("Dichte", s.Sprache));
        cmbStoffwert2unit.setVisible(false);
        lblStoffwert3.setCaption(getText("Isentropenexponent", s.Sprache));
        lblStoffwert3min.setCaption(QString());
        lblStoffwert3norm.setCaption(QString());
        cmbStoffwert3unit.setVisible(false);
        break;
    case 1:
        lblStoffwert1.setCaption(getText("Dichte", s.Sprache));
        fillUnitList(cmbStoffwert1unit, EinheitDichte, 1, s.rhoUnit);
        lblStoffwert2.setCaption(getText("Dampfdruck", s.Sprache));
        cmbStoffwert2unit.setVisible(true);
        fillUnitList(cmbStoffwert2unit, EinheitDruck, 7, s.pUnit);
        lblStoffwert3.setCaption(getText("Viskosität", s.Sprache));
        fillUnitList(cmbStoffwert3unit, EinheitViskositaet, 1, s.nueUnit);
        break;
    case 2:
        lblStoffwert1.setCaption(getText("Dichte", s.Sprache));
        fillUnitList(cmbStoffwert1unit, EinheitDichte, 1, s.rhoUnit);
        lblStoffwert2.setCaption(getText("Isentropenexponent", s.Sprache));
        cmbStoffwert2unit.setVisible(false);
        break;
    default:
        break;
    }

    for (Label *cell : {&lblStoffwert1min, &lblStoffwert2min, &lblStoffwert3min})
        cell->setVisible(s.MIN);
    for (Label *cell : {&lblStoffwert1norm, &lblStoffwert2norm, &lblStoffwert3norm})
        cell->setVisible(s.NORM);

    if (s.Zustand == 2) {
        lblStoffwert3.setCaption(QString());
        for (Control *c : std::initializer_list<Control *>{&lblStoffwert3min, &lblStoffwert3norm, &lblStoffwert3max,
                                                           &cmbStoffwert3unit})
            c->setVisible(false);
    }
    Position = B + 1440;
}

void frmCalcSize::update_optKennlinie(Recordset &rsVentil)
{
    OptionButton *options[] = {&optLinear, &optGleichprozentig, &optAufZu};
    for (OptionButton *option : options)
        option->setEnabled(true);
    for (int code = 0; code <= 2; ++code) {
        bool offered = false;
        // A table that cannot be read offers nothing.
        try {
            for (rsVentil.moveFirst(); !rsVentil.eof(); rsVentil.moveNext()) {
                const Variant k = rsVentil.field("Kennlinie");
                if (k.isNumeric() && k.toDouble() == code)
                    offered = true;
            }
        } catch (const DbError &) {
            offered = false;
        }
        if (!offered)
            options[code]->setEnabled(false);
    }
}

void frmCalcSize::update_frm_Kennlinie(int Kennlinie)
{
    SharedData &s = shared();
    TextBox *columnBoxes[] = {&txtp1min, &txtp2min, &txtT1min, &txtQmin,
                              &txtp1norm, &txtp2norm, &txtT1norm, &txtQnorm};
    Label *valveLabels[] = {&lblReduktion, &lblStellverhältnis, &lblSTVmax, &lblSTVVentil,
                            &lblVentiloeffnung, &lblYmax, &lblYunit};
    if (Kennlinie == 2) {
        const bool minWasOn = s.MIN;
        const bool normWasOn = s.NORM;
        s.MIN = false;
        s.NORM = false;
        chkMin.setVisible(false);
        chkNorm.setVisible(false);
        for (TextBox *box : columnBoxes)
            box->setVisible(false);
        for (Label *label : valveLabels)
            label->setVisible(false);
        // The columns are off: their ticks and result cells go too, so that neither shows a column that is not
        // calculated. Neither handler runs and nothing is recalculated here.
        silentColumnTick_ = true;
        chkMin.setValue(0);
        chkNorm.setValue(0);
        silentColumnTick_ = false;
        if (minWasOn)
            showColumn(true, false);
        if (normWasOn)
            showColumn(false, false);
    } else {
        chkMin.setVisible(true);
        chkNorm.setVisible(true);
        for (Label *label : valveLabels)
            label->setVisible(true);
    }
}
