// The flow sheet's inputs, unit lists and options. Typing only stores and marks the results out of date; leaving a
// field, picking an entry or an option recalculates; unit switches convert the stored values in place, and those of
// p1, p2 and T1 recalculate.
#include "sheets/calc_flow.h"
#include "sheets/calc_flow_internal.h"
#include "sheets/sheet_common.h"

#include "engine/flow_recalc.h"
#include "engine/main_window_access.h"
#include "engine/validation.h"
#include "platform/core/number_text.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/held_unit_values.h"
#include "units/number_format.h"

#include <cmath>

namespace {

// The platform's numeric test on the user's number format; infinities and NaN are no numbers to store.
bool readNumber(const QString &text, double *value)
{
    return numtext::parse(text, value) && std::isfinite(*value);
}

QString zahl4(double value)
{
    return formatZahl4(Variant(value)).toString();
}

// A conversion result as a stored number: an empty result (nothing to convert) stores 0.
double stored(const Variant &converted)
{
    const double v = converted.asNumber();
    return std::isfinite(v) ? v : 0.0;
}

double pressure(double value, int from, int to)
{
    const double v = umrechnenDruck(Variant(value), from, to);
    return std::isfinite(v) ? v : 0.0;
}

double temperature(double value, int from, int to)
{
    const double v = umrechnenTemperatur(Variant(value), from, to);
    return std::isfinite(v) ? v : 0.0;
}

} // namespace

// --- Text fields

void FrmCalcFlow::storeInput(TextBox &box, double &datum, bool copiesLoadFlag)
{
    sheetcommon::storeInput(box, datum, copiesLoadFlag, shared().bLadenCalcFlow);
}

void FrmCalcFlow::leaveInputField(bool mayOpenWizard)
{
    // While loading nobody has left a field (the window is not shown yet), and a focus move made by a running
    // recalculation's validation must not start another one inside it.
    if (loading_ || recalculating_)
        return;
    if (mayOpenWizard && validation::fluidDataStale(false)) {
        // Modeless: the recalculation follows at once.
        if (const auto &show = flowsheet::wizardOpener())
            show();
    }
    recalculate();
}

void FrmCalcFlow::txtp1max_Change()
{
    storeInput(txtp1max, shared().p1Max, true);
}

void FrmCalcFlow::txtp1max_GotFocus()
{
    txtp1max.selectAll();
}

void FrmCalcFlow::txtp1max_LostFocus()
{
    leaveInputField(true);
}

void FrmCalcFlow::txtp2max_Change()
{
    storeInput(txtp2max, shared().p2Max, false);
}

void FrmCalcFlow::txtp2max_GotFocus()
{
    txtp2max.selectAll();
}

void FrmCalcFlow::txtp2max_LostFocus()
{
    leaveInputField(false);
}

void FrmCalcFlow::txtT1max_Change()
{
    storeInput(txtT1max, shared().T1Max, true);
}

void FrmCalcFlow::txtT1max_GotFocus()
{
    txtT1max.selectAll();
}

void FrmCalcFlow::txtT1max_LostFocus()
{
    leaveInputField(true);
}

// --- Opening

void FrmCalcFlow::cmbYmax_Change()
{
    double percent = 0.0;
    if (readNumber(cmbYmax.text(), &percent))
        shared().yMax = percent / 100;
    else
        mainwin::beep();
    sheetcommon::markOutOfDate();
}

void FrmCalcFlow::cmbYmax_Click()
{
    double percent = 0.0;
    if (readNumber(cmbYmax.list(cmbYmax.listIndex()), &percent))
        shared().yMax = percent / 100;
    sheetcommon::markOutOfDate();
    recalculate();
}

void FrmCalcFlow::cmbYmax_GotFocus()
{
    // The model keeps no selection for a list's text part; the widget selects its text when it takes the focus.
}

void FrmCalcFlow::cmbYmax_LostFocus()
{
    leaveInputField(false);
}

void FrmCalcFlow::unitSwitched()
{
    // Loading runs its own recalculation at its end.
    if (!loading_)
        sheetcommon::recalculateAfterUnitSwitch([this] { recalculate(); });
}

// --- Unit lists. Each converts the stored values of all three operating points, as the sizing sheet does, so that
// the minimum and normal points stay in the units the shared data name.

void FrmCalcFlow::cmbP1unit_Click()
{
    SharedData &s = shared();
    const int oldUnit = s.p1Unit;
    const int newUnit = cmbP1unit.listIndex();
    s.p1Unit = newUnit;
    for (double *p : {&s.p1Min, &s.p1Norm, &s.p1Max})
        *p = pressure(*p, oldUnit, newUnit);
    txtp1max.setText(numtext::general(s.p1Max));
    unitSwitched();
}

void FrmCalcFlow::cmbP2unit_Click()
{
    SharedData &s = shared();
    const int oldUnit = s.p2Unit;
    const int newUnit = cmbP2unit.listIndex();
    s.p2Unit = newUnit;
    for (double *p : {&s.p2Min, &s.p2Norm, &s.p2Max})
        *p = pressure(*p, oldUnit, newUnit);
    txtp2max.setText(numtext::general(s.p2Max));
    unitSwitched();
}

void FrmCalcFlow::cmbT1unit_Click()
{
    SharedData &s = shared();
    const int oldUnit = s.T1Unit;
    const int newUnit = cmbT1unit.listIndex();
    // The heat exchanger's rises are held in T1Unit too.
    switchHeldUnit(HeldUnit::T1Unit, newUnit, s);
    for (double *t : {&s.T1Min, &s.T1Norm, &s.T1Max})
        *t = temperature(*t, oldUnit, newUnit);
    txtT1max.setText(formatHashDot0(s.T1Max));
    unitSwitched();
}

void FrmCalcFlow::cmbQunit_Click()
{
    SharedData &s = shared();
    if (s.Zustand < 0 || s.Zustand > 2 || revertingQunit_)
        return;
    const int oldUnit = s.QUnit;
    const int newUnit = cmbQunit.listIndex();
    const std::optional<std::array<double, 4>> flows = sheetcommon::convertedFlows(oldUnit, newUnit);
    if (!flows) {
        sheetcommon::refuseFlowUnit(cmbQunit, oldUnit, revertingQunit_);
        return;
    }
    s.QUnit = newUnit;
    s.QMin = (*flows)[0];
    s.QNorm = (*flows)[1];
    s.QMax = (*flows)[2];
    s.Q100 = (*flows)[3];
    lblQmax.setCaption(zahl4(s.QMax));
}

void FrmCalcFlow::cmbGeschwindigkeit_Click()
{
    SharedData &s = shared();
    const int oldUnit = s.vUnit;
    const int newUnit = cmbGeschwindigkeit.listIndex();
    s.vUnit = newUnit;
    for (double *v : {&s.v1Min, &s.v1Norm, &s.v1Max, &s.v2Min, &s.v2Norm, &s.v2Max})
        *v = stored(umrechnenGeschwindigkeit(Variant(*v), oldUnit, newUnit));
    lblV1max.setCaption(numtext::fixed(s.v1Max, 1));
    lblV2max.setCaption(numtext::fixed(s.v2Max, 1));
}

void FrmCalcFlow::cmbKvUnit_Click()
{
    SharedData &s = shared();
    const int oldUnit = s.KvUnit;
    const int newUnit = cmbKvUnit.listIndex();
    s.KvUnit = newUnit;
    s.KvsCv = static_cast<float>(stored(umrechnenKvsCvTabelle(Variant(s.KvsCv), oldUnit, newUnit)));
    for (double *kv : {&s.Kvmin, &s.Kvnorm, &s.Kvmax})
        *kv = stored(umrechnenKvCv(Variant(*kv), oldUnit, newUnit));
    update_frmCalcFlow_cmbDNventil(s.rsVentil.get(), s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
}

void FrmCalcFlow::cmbStoffwert1unit_Click()
{
    SharedData &s = shared();
    if (s.Zustand < 0 || s.Zustand > 2)
        return;
    const int oldUnit = s.rhoUnit;
    const int newUnit = cmbStoffwert1unit.listIndex();
    s.rhoUnit = newUnit;
    if (s.Zustand == 0)
        s.rhoN = stored(umrechnenDichte(Variant(s.rhoN), oldUnit, newUnit));
    for (double *rho : {&s.rho1Min, &s.rho1Norm, &s.rho1Max})
        *rho = stored(umrechnenDichte(Variant(*rho), oldUnit, newUnit));
    if (s.Zustand == 0) {
        lblStoffwert1max.setCaption(zahl4(s.rhoN));
        lblStoffwert2max.setCaption(zahl4(s.rho1Max));
    } else {
        lblStoffwert1max.setCaption(zahl4(s.rho1Max));
    }
}

void FrmCalcFlow::cmbStoffwert2unit_Click()
{
    SharedData &s = shared();
    if (s.Zustand != 1)
        return;
    // The critical pressure follows with the vapour pressures, as on the sizing sheet.
    switchHeldUnit(HeldUnit::pUnit, cmbStoffwert2unit.listIndex(), s);
    lblStoffwert2max.setCaption(zahl4(s.psatMax));
}

void FrmCalcFlow::cmbStoffwert3unit_Click()
{
    SharedData &s = shared();
    if (s.Zustand != 1)
        return;
    const int oldUnit = s.nueUnit;
    const int newUnit = cmbStoffwert3unit.listIndex();
    s.nueUnit = newUnit;
    s.nueMin = stored(umrechnenViskositaet(Variant(s.nueMin), oldUnit, Variant(s.rho1Min), s.rhoUnit, newUnit));
    s.nueNorm = stored(umrechnenViskositaet(Variant(s.nueNorm), oldUnit, Variant(s.rho1Norm), s.rhoUnit, newUnit));
    s.nueMax = stored(umrechnenViskositaet(Variant(s.nueMax), oldUnit, Variant(s.rho1Max), s.rhoUnit, newUnit));
    lblStoffwert3max.setCaption(zahl4(s.nueMax));
}

// --- Options

void FrmCalcFlow::optLinear_Click()
{
    SharedData &s = shared();
    s.Kennlinie = 0;
    update_frmCalcFlow_cmbDNventil(s.rsVentil.get(), s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
    recalculate();
}

void FrmCalcFlow::optGleichprozentig_Click()
{
    SharedData &s = shared();
    s.Kennlinie = 1;
    update_frmCalcFlow_cmbDNventil(s.rsVentil.get(), s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
    recalculate();
}

void FrmCalcFlow::optAufZu_Click()
{
    SharedData &s = shared();
    s.Kennlinie = 2;
    update_frmCalcFlow_cmbDNventil(s.rsVentil.get(), s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
    recalculate();
}

void FrmCalcFlow::optDNVentil_Click()
{
    SharedData &s = shared();
    s.chkDNRohr = 0;
    update_DNRohrleitung(s.chkDNRohr, s.DN1Rohr, s.DN2Rohr, s.DNVentil, s.DNunit);
    recalculate();
}

void FrmCalcFlow::optOptimiert_Click()
{
    SharedData &s = shared();
    s.chkDNRohr = 1;
    update_DNRohrleitung(s.chkDNRohr, s.DN1Rohr, s.DN2Rohr, s.DNVentil, s.DNunit);
    recalculate();
}

void FrmCalcFlow::optVorgabe_Click()
{
    SharedData &s = shared();
    s.chkDNRohr = 2;
    // Only unlocks the pipe lists; the next pick in one of them recalculates.
    update_DNRohrleitung(s.chkDNRohr, s.DN1Rohr, s.DN2Rohr, s.DNVentil, s.DNunit);
}
