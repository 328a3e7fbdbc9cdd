#include "tools/heat_exchanger.h"

#include "engine/water_steam.h"
#include "platform/print/print_session.h"
#include "reports/heat_exchanger_print_dialog.h"
#include "state/shared_data.h"
#include "tools/sheet_reload.h"
#include "units/conversions.h"
#include "units/held_unit_values.h"
#include "units/physical_limits.h"

#include <cmath>
#include <vector>

// The four buttons: cancel, print, print to PDF, and the hand-over of the operating points to the sizing sheet.

namespace {

Variant gezeigt(const TextBox &feld)
{
    return Variant(feld.text());
}

Variant gezeigt(const Label &wert)
{
    return Variant(wert.caption());
}

// A transferred text that is no number of a sensible size leaves the shared value as it was, so that no project
// value becomes garbage; the hand-over checks the values a sizing needs before it writes anything.
void uebernehmen(double &ziel, const QString &text)
{
    double wert = 0.0;
    if (Variant(text).toNumber(&wert) && physical::isSensibleNumber(wert))
        ziel = wert;
}

// A number that is no number of a sensible size; a text that is no number at all is not this check's concern.
bool unsinnig(const QString &text)
{
    double wert = 0.0;
    return Variant(text).toNumber(&wert) && !physical::isSensibleNumber(wert);
}

} // namespace

bool frmWärmetauscher::istSattdampfdruck(const QString &text, int einheit)
{
    double wert = 0.0;
    return Variant(text).toNumber(&wert) && water_steam::isSaturatedSteamPressure(absoluterDruckBar(wert, einheit));
}

void frmWärmetauscher::cmdAbbruch_Click()
{
    unload();
}

void frmWärmetauscher::druckvariablenFuellen()
{
    SharedData &d = shared();
    d.WTDruck_MIN = WT_MIN;
    d.WTDruck_NORM = WT_NORM;
    d.WTDruck_p1Min = gezeigt(txtp1min);
    d.WTDruck_p1Norm = gezeigt(txtp1norm);
    d.WTDruck_p1Max = gezeigt(txtp1max);
    d.WTDruck_p1Unit = WT_p1Unit;
    d.WTDruck_p2Min = gezeigt(txtp2min);
    d.WTDruck_p2Norm = gezeigt(txtp2norm);
    d.WTDruck_p2Max = gezeigt(txtp2max);
    d.WTDruck_p2Unit = WT_p2Unit;
    d.WTDruck_T1Min = gezeigt(lblT1min);
    d.WTDruck_T1Norm = gezeigt(lblT1norm);
    d.WTDruck_T1Max = gezeigt(lblT1max);
    d.WTDruck_T1Unit = WT_TUnit;
    d.WTDruck_Mmin = gezeigt(txtMmin);
    d.WTDruck_Mnorm = gezeigt(txtMnorm);
    d.WTDruck_Mmax = gezeigt(txtMmax);
    d.WTDruck_Munit = WT_Munit;
    d.WTDruck_Cp = gezeigt(txtCpMax);
    d.WTDruck_DeltaTMin = gezeigt(txtDeltaTmin);
    d.WTDruck_DeltaTNorm = gezeigt(txtDeltaTnorm);
    d.WTDruck_DeltaTMax = gezeigt(txtDeltaTmax);
    d.WTDruck_TaufheizMin = gezeigt(txtTaufheizMin);
    d.WTDruck_TaufheizNorm = gezeigt(txtTaufheizNorm);
    d.WTDruck_TaufheizMax = gezeigt(txtTaufheizMax);
    d.WTDruck_ZeitUnit = WT_ZeitUnit;
    d.WTDruck_rMin = gezeigt(lblVerdEnthalpieMin);
    d.WTDruck_rNorm = gezeigt(lblVerdEnthalpieNorm);
    d.WTDruck_rMax = gezeigt(lblVerdEnthalpieMax);
    d.WTDruck_WTLeistungMin = gezeigt(txtWTLeistungMin);
    d.WTDruck_WTLeistungNorm = gezeigt(txtWTLeistungNorm);
    d.WTDruck_WTLeistungMax = gezeigt(txtWTLeistungMax);
    d.WTDruck_QMin = gezeigt(lblQmin);
    d.WTDruck_QNorm = gezeigt(lblQnorm);
    d.WTDruck_QMax = gezeigt(lblQmax);
    d.WTDruck_QUnit = WT_QUnit;
}

void frmWärmetauscher::cmdDruck_Click()
{
    druckvariablenFuellen();
    // The print dialog is modal: the sheet cannot change while it prints what was copied.
    reports::showHeatExchangerPrintDialog(this);
}

// Only the program's own current printer is switched, and back to the default one afterwards; without a PDF
// printer the print goes to the current printer.
void frmWärmetauscher::cmdPDFDruck_Click()
{
    selectPrinter(shared().PDFDrucker);
    cmdDruck_Click();
    selectPrinter(shared().StandardDrucker);
}

// Every shown column's inputs (of the power option chosen) pass the rules they pass as they are typed, however they
// came there, and its saturation temperature and steam flow are numbers.
bool frmWärmetauscher::uebernahmeMoeglich()
{
    const std::array<Spalte, 3> alle = spalten();
    for (std::size_t k = 0; k < alle.size(); ++k) {
        const Spalte &s = alle[k];
        if (!spalteGezeigt(static_cast<int>(k)))
            continue;
        const std::vector<const TextBox *> eingaben =
            WT_Berechnet ? std::vector<const TextBox *>{&s.p1, &s.p2, &s.M, &s.DeltaT, &s.Taufheiz, &txtCpMax}
                         : std::vector<const TextBox *>{&s.p1, &s.p2, &s.P};
        for (const TextBox *feld : eingaben)
            if (!zulaessig(*feld))
                return false;
        if (!Variant(s.T1.caption()).isNumeric() || !Variant(s.Q.caption()).isNumeric())
            return false;
    }
    return true;
}

TextBox *frmWärmetauscher::unmoeglichesFeld()
{
    const std::array<Spalte, 3> alle = spalten();
    for (std::size_t k = 0; k < alle.size(); ++k) {
        const Spalte &s = alle[k];
        if (!spalteGezeigt(static_cast<int>(k)))
            continue;
        if (!istSattdampfdruck(s.p1.text(), WT_p1Unit))
            return &s.p1;
        if (!istSattdampfdruck(s.p2.text(), WT_p2Unit))
            return &s.p2;
        for (TextBox *feld : {&s.M, &s.DeltaT, &s.Taufheiz, &s.P}) {
            if (unsinnig(feld->text()))
                return feld;
        }
        // The steam flow follows from the power, which the user gives or computes from the mass.
        if (unsinnig(s.Q.caption()))
            return s.P.enabled() ? &s.P : &s.M;
    }
    return unsinnig(txtCpMax.text()) ? &txtCpMax : nullptr;
}

void frmWärmetauscher::pruefeUebernahme()
{
    cmdÜbernehmen.setEnabled(uebernahmeMoeglich() && !unmoeglichesFeld());
}

void frmWärmetauscher::cmdÜbernehmen_Click()
{
    // Nothing is written unless every shown column has what the sizing needs.
    if (!uebernahmeMoeglich()) {
        uiServices().beep();
        cmdÜbernehmen.setEnabled(false);
        return;
    }
    // Nor when it holds a number no steam case can have; the field that holds it takes the focus.
    if (TextBox *feld = unmoeglichesFeld()) {
        uiServices().beep();
        cmdÜbernehmen.setEnabled(false);
        feld->setFocus();
        return;
    }

    SharedData &d = shared();
    d.MIN = WT_MIN;
    d.NORM = WT_NORM;
    // A column switched off may hold a pressure without saturated steam: it and its saturation temperature stay
    // as they were, as letters do, but in the units the hand-over sets.
    auto bleibt = [](double &ziel, double umgerechnet) {
        if (std::isfinite(umgerechnet))
            ziel = umgerechnet;
    };
    auto dampf = [&](double &p, double &T, const TextBox &druck, const Label &temperatur) {
        if (!istSattdampfdruck(druck.text(), WT_p1Unit)) {
            bleibt(p, umrechnenDruck(Variant(p), d.p1Unit, WT_p1Unit));
            bleibt(T, umrechnenTemperatur(Variant(T), d.T1Unit, WT_TUnit));
            return;
        }
        uebernehmen(p, druck.text());
        uebernehmen(T, temperatur.caption());
    };
    auto nachdruck = [&](double &p, const TextBox &druck) {
        if (istSattdampfdruck(druck.text(), WT_p2Unit))
            uebernehmen(p, druck.text());
        else
            bleibt(p, umrechnenDruck(Variant(p), d.p2Unit, WT_p2Unit));
    };
    dampf(d.p1Min, d.T1Min, txtp1min, lblT1min);
    dampf(d.p1Norm, d.T1Norm, txtp1norm, lblT1norm);
    dampf(d.p1Max, d.T1Max, txtp1max, lblT1max);
    d.p1Unit = WT_p1Unit;
    nachdruck(d.p2Min, txtp2min);
    nachdruck(d.p2Norm, txtp2norm);
    nachdruck(d.p2Max, txtp2max);
    d.p2Unit = WT_p2Unit;
    // The rises take the dialog's unit with T1; one that is no number stays, converted.
    switchHeldUnit(HeldUnit::T1Unit, WT_TUnit, d);
    uebernehmen(d.Mmin, txtMmin.text());
    uebernehmen(d.Mnorm, txtMnorm.text());
    uebernehmen(d.Mmax, txtMmax.text());
    d.Munit = WT_Munit;
    uebernehmen(d.CpMax, txtCpMax.text());
    uebernehmen(d.DeltaTMin, txtDeltaTmin.text());
    uebernehmen(d.DeltaTNorm, txtDeltaTnorm.text());
    uebernehmen(d.DeltaTMax, txtDeltaTmax.text());
    uebernehmen(d.TaufheizMin, txtTaufheizMin.text());
    uebernehmen(d.TaufheizNorm, txtTaufheizNorm.text());
    uebernehmen(d.TaufheizMax, txtTaufheizMax.text());
    d.ZeitUnit = WT_ZeitUnit;
    d.WTcalc = WT_Berechnet;
    uebernehmen(d.WTLeistungMin, txtWTLeistungMin.text());
    uebernehmen(d.WTLeistungNorm, txtWTLeistungNorm.text());
    uebernehmen(d.WTLeistungMax, txtWTLeistungMax.text());
    uebernehmen(d.QMin, lblQmin.caption());
    uebernehmen(d.QNorm, lblQnorm.caption());
    uebernehmen(d.QMax, lblQmax.caption());
    // An index of the steam list, which is the flow list of the new state.
    d.QUnit = WT_QUnit;
    d.Medium = 2;
    d.Zustand = 2;
    d.NameMedium = QStringLiteral("Wasserdampf");

    // The sizing sheet's load rebuilds it from the shared data and recalculates; the hand-over computes nothing.
    if (d.Modus == 0) {
        toolhost::reloadSheet(0);
    } else if (d.Modus == 1) {
        toolhost::replaceSheet(1, 0);
        d.Modus = 0;
    }
    unload();
}
