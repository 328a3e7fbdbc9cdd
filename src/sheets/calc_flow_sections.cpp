// The lower half of the flow sheet: valve result rows, pipe, noise and fluid sections, stacked from the running
// position that loading passes on.
#include "sheets/calc_flow.h"
#include "sheets/calc_flow_internal.h"
#include "sheets/sheet_common.h"

#include "state/shared_data.h"
#include "units/texts.h"
#include "units/unit_lists.h"

using flowsheet::autoSize;
using sheetcommon::fillUnitList;

namespace {

// The access code of the extended display.
constexpr int kExtendedDisplay = 6417;

bool extended()
{
    return shared().KD_Version == kExtendedDisplay;
}

// Places a valve result row at Y and shows it.
void placeRow(Label &caption, Label &value, int Y, const QString &text)
{
    caption.setTop(Y);
    caption.setCaption(text);
    autoSize(caption);
    caption.setVisible(true);
    value.setTop(Y);
    value.setVisible(true);
}

void placeLine(Line &line, int Y)
{
    line.setPoints(240, Y + 120, 6840, Y + 120);
}

void grow(Shape &box, int by)
{
    box.setHeight(box.height() + by);
}

void placeCaption(Label &label, int Y, const QString &text)
{
    label.setTop(Y);
    label.setCaption(text);
    autoSize(label);
}

} // namespace

void FrmCalcFlow::show_Ventildaten_komp(int &Y)
{
    const int lang = shared().Sprache;
    placeRow(lblXTWert, lblxTMax, Y, getText(QStringLiteral("Krit. Druckverhältnis xT"), lang));
    Y += 240;
    grow(frameVentildaten, 360);
    if (extended()) {
        placeRow(lblxWert, lblxMax, Y, getText(QStringLiteral("Druckverhältnis x"), lang));
        Y += 240;
        placeRow(lblChokedFlow, lblChokedFlowMax, Y, getText(QStringLiteral("Durchflussbegrenzung?"), lang));
        grow(frameVentildaten, 480);
        Y += 240;
    }
    Y += 120;
}

void FrmCalcFlow::show_Ventildaten_inkomp(int &Y)
{
    const int lang = shared().Sprache;
    const bool ext = extended();
    if (ext) {
        placeRow(lblzyWert, lblzyMax, Y, getText(QStringLiteral("z-Wert"), lang));
        Y += 240;
        placeRow(lblxFWert, lblxFMax, Y, getText(QStringLiteral("Druckverhältnis xF"), lang));
        Y += 240;
        placeRow(lblKavitation, lblKavitationMax, Y, getText(QStringLiteral("Kavitation?"), lang));
        Y += 240;
    }
    placeRow(lblFLWert, lblFlmax, Y, getText(QStringLiteral("Druckrückgewinn-Faktor FL"), lang));
    Y += 240;
    grow(frameVentildaten, 360);
    if (ext) {
        placeRow(lblChokedFlow, lblChokedFlowMax, Y, getText(QStringLiteral("Durchflussbegrenzung?"), lang));
        // The box grows by 980 here, not 960: it ends 20 twips lower than the rows would need.
        grow(frameVentildaten, 980);
        Y += 240;
    }
    Y += 120;
}

void FrmCalcFlow::show_rohrleitungsdaten(int &Y)
{
    const SharedData &s = shared();
    const int lang = s.Sprache;
    const int S = Y;
    frameRohrleitung.setTop(S + 120);
    lblRohrleitung.setTop(S);
    flowsheet::setCaptionSized(lblRohrleitung, getText(QStringLiteral("Rohrleitung"), lang));
    Y = S + 360;

    placeCaption(lblRohrNennweite, Y, getText(QStringLiteral("Rohr-Nennweite"), lang));
    placeCaption(lblEingang, Y, getText(QStringLiteral("Eingang"), lang));
    placeLine(lineRohr1, Y);
    cmbDNRohr1.setTop(Y);
    optDNVentil.setTop(Y);
    optDNVentil.setCaption(getText(QStringLiteral("= Ventil-Nennweite"), lang));
    optOptimiert.setTop(Y + 240);
    optOptimiert.setCaption(getText(QStringLiteral("optimiert"), lang));
    optVorgabe.setTop(Y + 480);
    optVorgabe.setCaption(getText(QStringLiteral("Vorgabe"), lang));
    Y += 360;

    placeCaption(lblAusgang, Y, getText(QStringLiteral("Ausgang"), lang));
    placeLine(lineRohr2, Y);
    cmbDNRohr2.setTop(Y);
    Y += 240;

    placeCaption(lblStroemungsgeschwindigkeit, Y, getText(QStringLiteral("Strömungsgeschwindigkeit"), lang));
    Y += 240;

    placeCaption(lblEingang2, Y, getText(QStringLiteral("Eingang"), lang));
    placeLine(lineRohr3, Y);
    lblV1max.setTop(Y);
    Y += 240;

    placeCaption(lblAusgang2, Y, getText(QStringLiteral("Ausgang"), lang));
    placeLine(lineRohr4, Y);
    lblV2max.setTop(Y);
    cmbGeschwindigkeit.setTop(Y - 120);

    fillUnitList(cmbGeschwindigkeit, EinheitGeschwindigkeit, 1, s.vUnit);

    // Selecting the option runs its Click: the pipe lists are refilled, and modes 0 and 1 recalculate.
    sheetcommon::selectOption(s.chkDNRohr, {&optDNVentil, &optOptimiert, &optVorgabe});
    Y += 360;
}

void FrmCalcFlow::show_schalldaten(int &Y)
{
    const int lang = shared().Sprache;
    const int S = Y;
    lblSchalldruck.setTop(S);
    flowsheet::setCaptionSized(lblSchalldruck, getText(QStringLiteral("Schalldruck"), lang));
    frameSchalldruck.setTop(S + 120);
    Y = S + 360;

    placeCaption(lblSchallBerechnungVDMA, Y, getText(QStringLiteral("Berechnung nach VDMA 24422/79"), lang));
    lblSchallVDMAmax.setTop(Y);
    lblSchallunit.setTop(Y);
    placeLine(lineSchalldruck1, Y);
    Y += 240;

    placeCaption(lblSchallkorrektur, Y, getText(QStringLiteral("gemessene Korrektur"), lang));
    lblSchallkorrekturmax.setTop(Y);
    lblSchallunit2.setTop(Y);
    placeLine(lineSchalldruck2, Y);
    Y += 240;

    placeCaption(lblSchallerwartung, Y, getText(QStringLiteral("zu erwartender Wert"), lang));
    lblSchallerwartmax.setTop(Y);
    lblSchallunit3.setTop(Y);
    placeLine(lineSchalldruck3, Y);
    Y += 360;
}

void FrmCalcFlow::show_stoffdaten(int &Y)
{
    const SharedData &s = shared();
    const int lang = s.Sprache;
    const int S = Y;
    frameStoffdaten.setTop(S + 120);
    lblStoffdaten.setTop(S);
    flowsheet::setCaptionSized(lblStoffdaten, sheetcommon::fluidHeader(getText(QStringLiteral("Stoffdaten"), lang)));
    Y = S + 360;

    const struct {
        Label &caption;
        Label &value;
        ComboBox &unit;
        Line &line;
    } rows[] = {{lblStoffwert1, lblStoffwert1max, cmbStoffwert1unit, lineStoffdaten1},
                {lblStoffwert2, lblStoffwert2max, cmbStoffwert2unit, lineStoffdaten2},
                {lblStoffwert3, lblStoffwert3max, cmbStoffwert3unit, lineStoffdaten3}};
    for (const auto &row : rows) {
        row.caption.setTop(Y);
        row.value.setTop(Y);
        row.unit.setTop(Y - 120);
        placeLine(row.line, Y);
        Y += 360;
    }

    auto setCaption = [](Label &label, const QString &text) {
        label.setCaption(text);
        autoSize(label);
    };
    switch (s.Zustand) {
    case 0:
        setCaption(lblStoffwert1, getText(QStringLiteral("Normdichte"), lang));
        fillUnitList(cmbStoffwert1unit, EinheitDichte, 1, s.rhoUnit);
        setCaption(lblStoffwert2, getText(QStringLiteral("Dichte"), lang));
        cmbStoffwert2unit.setVisible(false);
        setCaption(lblStoffwert3, getText(QStringLiteral("Isentropenexponent"), lang));
        cmbStoffwert3unit.setVisible(false);
        break;
    case 1:
        setCaption(lblStoffwert1, getText(QStringLiteral("Dichte"), lang));
        fillUnitList(cmbStoffwert1unit, EinheitDichte, 1, s.rhoUnit);
        setCaption(lblStoffwert2, getText(QStringLiteral("Dampfdruck"), lang));
        cmbStoffwert2unit.setVisible(true);
        fillUnitList(cmbStoffwert2unit, EinheitDruck, 7, s.pUnit);
        setCaption(lblStoffwert3, getText(QStringLiteral("Viskosität"), lang));
        fillUnitList(cmbStoffwert3unit, EinheitViskositaet, 1, s.nueUnit);
        break;
    case 2:
        setCaption(lblStoffwert1, getText(QStringLiteral("Dichte"), lang));
        fillUnitList(cmbStoffwert1unit, EinheitDichte, 1, s.rhoUnit);
        setCaption(lblStoffwert2, getText(QStringLiteral("Isentropenexponent"), lang));
        cmbStoffwert2unit.setVisible(false);
        lblStoffwert3.setCaption(QString());
        lblStoffwert3max.setVisible(false);
        cmbStoffwert3unit.setVisible(false);
        break;
    default:
        break;
    }
}
