// The sizing sheet's input handling: boxes, unit lists, value lists, options and column check boxes.

#include "sheets/calc_size.h"

#include "engine/candidate_table.h"
#include "engine/main_window_access.h"
#include "engine/sizing_recalc.h"
#include "engine/validation.h"
#include "engine/valve_verdict.h"
#include "engine/recalc_common.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "sheets/calc_size_geometry.h"
#include "sheets/sheet_common.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/held_unit_values.h"
#include "units/number_format.h"
#include "units/texts.h"

using namespace calcsize;

namespace {

QString zahl3(double v)
{
    return formatZahl3(Variant(v)).toString();
}

QString zahl4(double v)
{
    return formatZahl4(Variant(v)).toString();
}

// Runs a refill of the valve lists from the series table; a table that cannot be read is reported in the status
// line instead of ending the program.
template <class F>
void guardedRefill(F &&refill)
{
    SharedData &s = shared();
    if (!s.rsVentil)
        return;
    try {
        refill(*s.rsVentil);
    } catch (const DbError &e) {
        mainwin::setStatusText(getText("Berechnung nicht aktualisiert", s.Sprache) + ": " + recalc::databaseFailure(e));
        mainwin::setResultsCurrent(false);
        mainwin::beep();
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------- input boxes

void frmCalcSize::inputChanged(TextBox &box, double &stored, bool marksFluidData)
{
    sheetcommon::storeInput(box, stored, marksFluidData, shared().bLadenCalcSize);
}

void frmCalcSize::txtp1min_Change() { inputChanged(txtp1min, shared().p1Min, true); }
void frmCalcSize::txtp1norm_Change() { inputChanged(txtp1norm, shared().p1Norm, true); }
void frmCalcSize::txtp1max_Change() { inputChanged(txtp1max, shared().p1Max, true); }
void frmCalcSize::txtp2min_Change() { inputChanged(txtp2min, shared().p2Min, false); }
void frmCalcSize::txtp2norm_Change() { inputChanged(txtp2norm, shared().p2Norm, false); }
void frmCalcSize::txtp2max_Change() { inputChanged(txtp2max, shared().p2Max, false); }
void frmCalcSize::txtT1min_Change() { inputChanged(txtT1min, shared().T1Min, true); }
void frmCalcSize::txtT1norm_Change() { inputChanged(txtT1norm, shared().T1Norm, true); }
void frmCalcSize::txtT1max_Change() { inputChanged(txtT1max, shared().T1Max, true); }
void frmCalcSize::txtQmin_Change() { inputChanged(txtQmin, shared().QMin, false); }
void frmCalcSize::txtQnorm_Change() { inputChanged(txtQnorm, shared().QNorm, false); }
void frmCalcSize::txtQmax_Change() { inputChanged(txtQmax, shared().QMax, false); }

void frmCalcSize::pressureOrTemperatureLeft()
{
    // Stale wizard data: the wizard opens beside the sheet, and the recalculation reports the stale data at once.
    if (validation::fluidDataStale(true)) {
        if (Form *wizard = fluidWizard()) {
            wizard->centerOnScreen();
            wizard->show();
        }
    }
    calcDimensionierung();
}

void frmCalcSize::txtp1min_LostFocus() { pressureOrTemperatureLeft(); }
void frmCalcSize::txtp1norm_LostFocus() { pressureOrTemperatureLeft(); }
void frmCalcSize::txtp1max_LostFocus() { pressureOrTemperatureLeft(); }
void frmCalcSize::txtT1min_LostFocus() { pressureOrTemperatureLeft(); }
void frmCalcSize::txtT1norm_LostFocus() { pressureOrTemperatureLeft(); }
void frmCalcSize::txtT1max_LostFocus() { pressureOrTemperatureLeft(); }
void frmCalcSize::txtp2min_LostFocus() { calcDimensionierung(); }
void frmCalcSize::txtp2norm_LostFocus() { calcDimensionierung(); }
void frmCalcSize::txtp2max_LostFocus() { calcDimensionierung(); }
void frmCalcSize::txtQmin_LostFocus() { calcDimensionierung(); }
void frmCalcSize::txtQnorm_LostFocus() { calcDimensionierung(); }
void frmCalcSize::txtQmax_LostFocus() { calcDimensionierung(); }

// ----------------------------------------------------------------------------------------------- unit lists

void frmCalcSize::unitSwitched()
{
    // Loading runs its own recalculations.
    if (!shared().bLadenCalcSize)
        sheetcommon::recalculateAfterUnitSwitch([] { calcDimensionierung(); });
}

void frmCalcSize::cmbP1unit_Click()
{
    SharedData &s = shared();
    const int old = s.p1Unit;
    const int neu = cmbP1unit.listIndex();
    if (neu < 0)
        return;
    s.p1Unit = neu;
    s.p1Min = umrechnenDruck(Variant(s.p1Min), old, neu);
    s.p1Norm = umrechnenDruck(Variant(s.p1Norm), old, neu);
    s.p1Max = umrechnenDruck(Variant(s.p1Max), old, neu);
    txtp1min.setText(numtext::general(s.p1Min));
    txtp1norm.setText(numtext::general(s.p1Norm));
    txtp1max.setText(numtext::general(s.p1Max));
    unitSwitched();
}

void frmCalcSize::cmbP2unit_Click()
{
    SharedData &s = shared();
    const int old = s.p2Unit;
    const int neu = cmbP2unit.listIndex();
    if (neu < 0)
        return;
    s.p2Unit = neu;
    s.p2Min = umrechnenDruck(Variant(s.p2Min), old, neu);
    s.p2Norm = umrechnenDruck(Variant(s.p2Norm), old, neu);
    s.p2Max = umrechnenDruck(Variant(s.p2Max), old, neu);
    txtp2min.setText(numtext::general(s.p2Min));
    txtp2norm.setText(numtext::general(s.p2Norm));
    txtp2max.setText(numtext::general(s.p2Max));
    unitSwitched();
}

void frmCalcSize::cmbT1unit_Click()
{
    SharedData &s = shared();
    const int old = s.T1Unit;
    const int neu = cmbT1unit.listIndex();
    if (neu < 0)
        return;
    // The heat exchanger's rises are held in T1Unit too.
    switchHeldUnit(HeldUnit::T1Unit, neu, s);
    s.T1Min = umrechnenTemperatur(Variant(s.T1Min), old, neu);
    s.T1Norm = umrechnenTemperatur(Variant(s.T1Norm), old, neu);
    s.T1Max = umrechnenTemperatur(Variant(s.T1Max), old, neu);
    // The boxes' handlers read the one-decimal texts back, so every T1 ends up rounded to one decimal.
    txtT1min.setText(formatHashDot0(s.T1Min));
    txtT1norm.setText(formatHashDot0(s.T1Norm));
    txtT1max.setText(formatHashDot0(s.T1Max));
    unitSwitched();
}

void frmCalcSize::cmbQunit_Click()
{
    SharedData &s = shared();
    const int old = s.QUnit;
    const int neu = cmbQunit.listIndex();
    if (neu < 0 || revertingQunit_)
        return;
    const std::optional<std::array<double, 4>> flows = sheetcommon::convertedFlows(old, neu);
    if (!flows) {
        sheetcommon::refuseFlowUnit(cmbQunit, old, revertingQunit_);
        return;
    }
    s.QUnit = neu;
    s.QMin = (*flows)[0];
    s.QNorm = (*flows)[1];
    s.QMax = (*flows)[2];
    s.Q100 = (*flows)[3];
    txtQmin.setText(numtext::general(s.QMin));
    txtQnorm.setText(numtext::general(s.QNorm));
    txtQmax.setText(numtext::general(s.QMax));
    lblQymax.setCaption(zahl4(s.Q100));
    lblQymaxunit.setCaption(cmbQunit.list(neu));
    calcDimensionierung();
}

void frmCalcSize::cmbStoffwert1unit_Click()
{
    SharedData &s = shared();
    if (s.Zustand < 0 || s.Zustand > 2)
        return;
    const int old = s.rhoUnit;
    const int neu = cmbStoffwert1unit.listIndex();
    if (neu < 0)
        return;
    s.rhoUnit = neu;
    auto convert = [&](double rho) { return umrechnenDichte(Variant(rho), old, neu).asNumber(); };
    if (s.Zustand == 0) {
        s.rhoN = convert(s.rhoN);
        s.rho1Min = convert(s.rho1Min);
        s.rho1Norm = convert(s.rho1Norm);
        s.rho1Max = convert(s.rho1Max);
        lblStoffwert1max.setCaption(zahl3(s.rhoN));
        lblStoffwert2min.setCaption(zahl3(s.rho1Min));
        lblStoffwert2norm.setCaption(zahl3(s.rho1Norm));
        lblStoffwert2max.setCaption(zahl3(s.rho1Max));
    } else {
        s.rho1Min = convert(s.rho1Min);
        s.rho1Norm = convert(s.rho1Norm);
        s.rho1Max = convert(s.rho1Max);
        lblStoffwert1min.setCaption(zahl3(s.rho1Min));
        lblStoffwert1norm.setCaption(zahl3(s.rho1Norm));
        lblStoffwert1max.setCaption(zahl3(s.rho1Max));
    }
}

void frmCalcSize::cmbStoffwert2unit_Click()
{
    SharedData &s = shared();
    if (s.Zustand != 1)
        return;
    const int neu = cmbStoffwert2unit.listIndex();
    if (neu < 0)
        return;
    // The critical pressure follows with the vapour pressures; a liquid from a list or the wizard would otherwise
    // be calculated with its critical pressure read in the wrong unit.
    switchHeldUnit(HeldUnit::pUnit, neu, s);
    lblStoffwert2min.setCaption(zahl3(s.psatMin));
    lblStoffwert2norm.setCaption(zahl3(s.psatNorm));
    lblStoffwert2max.setCaption(zahl3(s.psatMax));
}

void frmCalcSize::cmbStoffwert3unit_Click()
{
    SharedData &s = shared();
    if (s.Zustand != 1)
        return;
    const int old = s.nueUnit;
    const int neu = cmbStoffwert3unit.listIndex();
    if (neu < 0)
        return;
    s.nueUnit = neu;
    auto convert = [&](double nue, double rho) {
        return umrechnenViskositaet(Variant(nue), old, Variant(rho), s.rhoUnit, neu).asNumber();
    };
    s.nueMin = convert(s.nueMin, s.rho1Min);
    s.nueNorm = convert(s.nueNorm, s.rho1Norm);
    s.nueMax = convert(s.nueMax, s.rho1Max);
    lblStoffwert3min.setCaption(zahl3(s.nueMin));
    lblStoffwert3norm.setCaption(zahl3(s.nueNorm));
    lblStoffwert3max.setCaption(zahl3(s.nueMax));
}

void frmCalcSize::cmbGeschwindigkeit_Click()
{
    SharedData &s = shared();
    const int old = s.vUnit;
    const int neu = cmbGeschwindigkeit.listIndex();
    if (neu < 0)
        return;
    s.vUnit = neu;
    for (double *v : {&s.v1Min, &s.v1Norm, &s.v1Max, &s.v2Min, &s.v2Norm, &s.v2Max})
        *v = umrechnenGeschwindigkeit(Variant(*v), old, neu).asNumber();
    lblV1min.setCaption(zeroPointZero(s.v1Min));
    lblV2min.setCaption(zeroPointZero(s.v2Min));
    lblV1norm.setCaption(zeroPointZero(s.v1Norm));
    lblV2norm.setCaption(zeroPointZero(s.v2Norm));
    lblV1max.setCaption(zeroPointZero(s.v1Max));
    lblV2max.setCaption(zeroPointZero(s.v2Max));
}

void frmCalcSize::cmbKvUnit_Click()
{
    SharedData &s = shared();
    const int old = s.KvUnit;
    const int neu = cmbKvUnit.listIndex();
    if (neu < 0)
        return;
    s.KvUnit = neu;
    guardedRefill([&](Recordset &rsVentil) {
        s.KvsCv = umrechnenKvsCvTabelle(Variant(s.KvsCv), old, neu).toFloat();
        update_frmCalcSize_cmbKvsCv(rsVentil, s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
    });
    s.Kvmin = umrechnenKvCv(Variant(s.Kvmin), old, neu).asNumber();
    s.Kvnorm = umrechnenKvCv(Variant(s.Kvnorm), old, neu).asNumber();
    s.Kvmax = umrechnenKvCv(Variant(s.Kvmax), old, neu).asNumber();
    // As the run shows them: "N/A" for a point whose opening was not found or that no Kv passes.
    lblKvmincalc.setCaption(hasRequiredKv(s.yMin, s.Kvmin, s.QMin) ? zahl4(s.Kvmin) : recalc::kNA);
    lblKvnormcalc.setCaption(hasRequiredKv(s.yNorm, s.Kvnorm, s.QNorm) ? zahl4(s.Kvnorm) : recalc::kNA);
    lblKvmaxcalc.setCaption(hasRequiredKv(s.yMax, s.Kvmax, s.QMax) ? zahl4(s.Kvmax) : recalc::kNA);
}

void frmCalcSize::cmbDNunit_Click()
{
    SharedData &s = shared();
    const int old = s.DNunit;
    const int neu = cmbDNunit.listIndex();
    if (neu < 0)
        return;
    s.DNunit = neu;
    convertNominalSizes(old, neu, s);
    guardedRefill([&](Recordset &rsVentil) {
        update_frmCalcSize_cmbDNVentil(rsVentil, s.Kennlinie, s.DNVentil, s.DNunit);
    });
    update_DNRohrleitung(s.DN1Rohr, s.DN2Rohr, s.DNunit);
}

// ---------------------------------------------------------------------------------------------- value lists

void frmCalcSize::cmbDNVentil_Click()
{
    SharedData &s = shared();
    if (!s.ListeDNbereit)
        return;
    s.DNVentil = cmbDNVentil.text();
    if (!s.DNmin && !s.KvsOpt)
        guardedRefill([&](Recordset &rsVentil) {
            update_frmCalcSize_cmbKvsCv(rsVentil, s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
        });
    calcDimensionierung();
}

void frmCalcSize::cmbKvsCv_Click()
{
    SharedData &s = shared();
    if (!s.ListeKvsbereit)
        return;
    double value = 0.0;
    if (numtext::parse(cmbKvsCv.text(), &value))
        s.KvsCv = static_cast<float>(value);
    calcDimensionierung();
}

void frmCalcSize::cmbDNRohr1_Click()
{
    if (!ListeDNRohrbereit)
        return;
    shared().DN1Rohr = cmbDNRohr1.text();
    calcDimensionierung();
}

void frmCalcSize::cmbDNRohr2_Click()
{
    if (!ListeDNRohrbereit)
        return;
    shared().DN2Rohr = cmbDNRohr2.text();
    calcDimensionierung();
}

// -------------------------------------------------------------------------------------------------- options

void frmCalcSize::characteristicChosen(int code)
{
    SharedData &s = shared();
    s.Kennlinie = code;
    guardedRefill([&](Recordset &rsVentil) {
        update_frmCalcSize_cmbDNVentil(rsVentil, s.Kennlinie, s.DNVentil, s.DNunit);
        update_frmCalcSize_cmbKvsCv(rsVentil, s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
    });
    update_frm_Kennlinie(s.Kennlinie);
    calcDimensionierung();
}

void frmCalcSize::optLinear_Click() { characteristicChosen(0); }
void frmCalcSize::optGleichprozentig_Click() { characteristicChosen(1); }
void frmCalcSize::optAufZu_Click() { characteristicChosen(2); }

void frmCalcSize::optDNMin_Click()
{
    shared().DNmin = true;
    cmbDNVentil.setEnabled(false);
    // Selecting "Optimiert" runs its handler (and its recalculation) only when it was not selected yet.
    optKvoptimal.setValue(true);
    optKvFest.setEnabled(false);
    calcDimensionierung();
}

void frmCalcSize::optDNfest_Click()
{
    shared().DNmin = false;
    cmbDNVentil.setEnabled(true);
    optKvFest.setEnabled(true);
}

void frmCalcSize::optKvoptimal_Click()
{
    shared().KvsOpt = true;
    cmbKvsCv.setEnabled(false);
    calcDimensionierung();
}

void frmCalcSize::optKvFest_Click()
{
    shared().KvsOpt = false;
    cmbKvsCv.setEnabled(true);
}

void frmCalcSize::pipeModeChosen(int mode)
{
    shared().chkDNRohr = mode;
    cmbDNRohr1.setEnabled(mode == 2);
    cmbDNRohr2.setEnabled(mode == 2);
    calcDimensionierung();
}

void frmCalcSize::optDNVentil_Click() { pipeModeChosen(0); }
void frmCalcSize::optOptimiert_Click() { pipeModeChosen(1); }
void frmCalcSize::optVorgabe_Click() { pipeModeChosen(2); }

// ---------------------------------------------------------------------------------------- column check boxes

void frmCalcSize::showColumn(bool minColumn, bool visible)
{
    const SharedData &s = shared();
    const bool liquid = s.Zustand == 1;
    const bool gas = s.Zustand == 0 || s.Zustand == 2;
    const bool extended = s.KD_Version == 6417;

    struct Cells {
        Control *min, *norm;
        bool shownWhenTicked; // where the column is on
        bool hiddenWhenOff;   // where the column is off
    };
    const Cells cells[] = {
        {&txtp1min, &txtp1norm, true, true},
        {&txtp2min, &txtp2norm, true, true},
        {&txtT1min, &txtT1norm, true, true},
        {&txtQmin, &txtQnorm, true, true},
        {&lblKvmincalc, &lblKvnormcalc, true, true},
        {&lblSTVmin, &lblSTVnorm, true, true},
        {&lblYmin, &lblYnorm, true, true},
        {&lblFlmin, &lblFlnorm, liquid, liquid},
        {&lblzyMin, &lblzyNorm, liquid && extended, liquid},
        {&lblxFMin, &lblxFNorm, liquid && extended, liquid},
        {&lblKavitationMin, &lblKavitationNorm, liquid && extended, liquid},
        {&lblxTMin, &lblxTNorm, gas, gas},
        {&lblxMin, &lblxNorm, gas && extended, gas},
        {&lblChokedFlowMin, &lblChokedFlowNorm, extended, true},
        {&lblV1min, &lblV1norm, true, true},
        {&lblV2min, &lblV2norm, true, true},
        {&lblStoffwert1min, &lblStoffwert1norm, true, true},
        {&lblStoffwert2min, &lblStoffwert2norm, true, true},
        {&lblStoffwert3min, &lblStoffwert3norm, s.Zustand == 0 || liquid, true},
        {&lblSchallVDMAmin, &lblSchallVDMAnorm, true, true},
        {&lblSchallkorrekturmin, &lblSchallkorrekturnorm, true, true},
        {&lblSchallerwartmin, &lblSchallerwartnorm, true, true},
    };
    for (const Cells &c : cells) {
        Control *cell = minColumn ? c.min : c.norm;
        if (visible && c.shownWhenTicked)
            cell->setVisible(true);
        else if (!visible && c.hiddenWhenOff)
            cell->setVisible(false);
    }
}

void frmCalcSize::chkMin_Click()
{
    if (silentColumnTick_)
        return;
    SharedData &s = shared();
    s.MIN = chkMin.value() != 0;
    showColumn(true, s.MIN);
    calcDimensionierung();
}

void frmCalcSize::chkNorm_Click()
{
    if (silentColumnTick_)
        return;
    SharedData &s = shared();
    s.NORM = chkNorm.value() != 0;
    showColumn(false, s.NORM);
    calcDimensionierung();
}

// --------------------------------------------------------------------------------------------- pipe lists

void frmCalcSize::update_DNRohrleitung(QString &DN1Rohr, QString &DN2Rohr, int DNunit)
{
    ListeDNRohrbereit = false;
    cmbDNRohr1.clear();
    cmbDNRohr2.clear();
    for (const QString &size : sheetcommon::pipeSizes(DNunit)) {
        cmbDNRohr1.addItem(size);
        cmbDNRohr2.addItem(size);
    }
    // Each position change raises the list's click, which stays quiet until the flag is set again.
    auto walk = [](ComboBox &list, const QString &stored) {
        const QString wanted = stored.trimmed();
        for (int i = 0; i < list.listCount(); ++i) {
            list.setListIndex(i);
            if (list.list(i).trimmed() == wanted)
                break;
        }
    };
    walk(cmbDNRohr1, DN1Rohr);
    walk(cmbDNRohr2, DN2Rohr);
    ListeDNRohrbereit = true;
}
