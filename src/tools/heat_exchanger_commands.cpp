#include "tools/heat_exchanger.h"

#include "platform/print/print_session.h"
#include "reports/heat_exchanger_print_dialog.h"
#include "state/shared_data.h"
#include "tools/sheet_reload.h"

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

// A transferred text that is no number leaves the shared value as it was, so that no project value becomes
// garbage; the hand-over checks the values a sizing needs before it writes anything.
void uebernehmen(double &ziel, const QString &text)
{
    const Variant wert(text);
    if (wert.isNumeric())
        ziel = wert.toDouble();
}

} // namespace

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

bool frmWärmetauscher::uebernahmeMoeglich() const
{
    struct Spaltenwerte {
        bool gezeigt;
        const TextBox &p1, &p2;
        const Label &T1, &Q;
    };
    const Spaltenwerte spaltenwerte[] = {{WT_MIN, txtp1min, txtp2min, lblT1min, lblQmin},
                                         {WT_NORM, txtp1norm, txtp2norm, lblT1norm, lblQnorm},
                                         {true, txtp1max, txtp2max, lblT1max, lblQmax}};
    for (const Spaltenwerte &s : spaltenwerte) {
        if (!s.gezeigt)
            continue;
        for (const QString &text : {s.p1.text(), s.p2.text(), s.T1.caption(), s.Q.caption()})
            if (!Variant(text).isNumeric())
                return false;
    }
    return true;
}

void frmWärmetauscher::cmdÜbernehmen_Click()
{
    // Nothing is written unless every shown column has what the sizing needs.
    if (!uebernahmeMoeglich()) {
        uiServices().beep();
        cmdÜbernehmen.setEnabled(false);
        return;
    }

    SharedData &d = shared();
    d.MIN = WT_MIN;
    d.NORM = WT_NORM;
    uebernehmen(d.p1Min, txtp1min.text());
    uebernehmen(d.p1Norm, txtp1norm.text());
    uebernehmen(d.p1Max, txtp1max.text());
    d.p1Unit = WT_p1Unit;
    uebernehmen(d.p2Min, txtp2min.text());
    uebernehmen(d.p2Norm, txtp2norm.text());
    uebernehmen(d.p2Max, txtp2max.text());
    d.p2Unit = WT_p2Unit;
    uebernehmen(d.T1Min, lblT1min.caption());
    uebernehmen(d.T1Norm, lblT1norm.caption());
    uebernehmen(d.T1Max, lblT1max.caption());
    d.T1Unit = WT_TUnit;
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
