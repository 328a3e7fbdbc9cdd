#include "tools/heat_exchanger.h"

#include "engine/water_steam.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/number_format.h"

#include <cmath>

// The chains of a column: p1 gives the saturation temperature, p2 the enthalpy of vaporisation, mass, cp, rise and
// time the power (while it is computed), power and enthalpy the steam mass flow. Every value is read from the text
// its field or label shows, in the user's number format.

namespace {

const QString kKeinWert = QStringLiteral("--");

// The steam condenses in the exchanger with this efficiency.
constexpr double kWirkungsgrad = 0.85;

bool istZahl(const QString &text)
{
    return Variant(text).isNumeric();
}

// Four significant digits of a result; "--" where there is no finite number to show.
QString vierStellen(const Variant &wert)
{
    return wert.isNumeric() ? formatZahl4(wert).toString() : kKeinWert;
}

} // namespace

double frmWärmetauscher::P_WTauscher(const Variant &m, int mUnit, const Variant &cp, const Variant &dT, int TUnit,
                                     const Variant &t, int tUnit)
{
    const double masseKg = umrechnenMasse(m, mUnit, 0).asNumber();
    // The difference of two converted temperatures: a rise in F counts 5/9, one in °C as it stands.
    const double anstiegK = umrechnenTemperatur(dT, TUnit, 0) - umrechnenTemperatur(Variant(0), TUnit, 0);
    const double zeitS = umrechnenZeit(t, tUnit, 0).asNumber();
    if (zeitS > 0)
        return masseKg * cp.asNumber() * anstiegK / zeitS;
    return 0.0;
}

// A mass, heat capacity, temperature rise or power below zero heats nothing; 0 is a case of its own. A heating time
// must be above 0. Whatever writes a field (the user, the load, a unit list) is judged by this one rule, and so is
// every shown field when the hand-over is weighed.
bool frmWärmetauscher::zulaessig(const TextBox &feld)
{
    double wert = 0.0;
    if (!Variant(feld.text()).toNumber(&wert))
        return false;
    for (const Spalte &s : spalten()) {
        if (&feld == &s.Taufheiz)
            return wert > 0;
        if (&feld == &s.p1 || &feld == &s.p2)
            return true;
    }
    return wert >= 0;
}

// A pressure without saturated steam is a number all the same: the label shows the edge of the steam table and the
// hand-over stays off, without a beep.
void frmWärmetauscher::sattdampfTemperatur(int k)
{
    const Spalte s = spalten()[static_cast<std::size_t>(k)];
    if (zulaessig(s.p1)) {
        s.T1.setCaption(vierStellen(calcTsatWasser(Variant(s.p1.text()), WT_p1Unit, WT_TUnit)));
    } else {
        uiServices().beep();
        s.T1.setCaption(kKeinWert);
    }
    pruefeUebernahme();
}

void frmWärmetauscher::verdampfungsEnthalpie(int k)
{
    const Spalte s = spalten()[static_cast<std::size_t>(k)];
    if (zulaessig(s.p2)) {
        s.r.setCaption(vierStellen(calcRVerdampfung(Variant(s.p2.text()), WT_p2Unit)));
    } else {
        uiServices().beep();
        s.r.setCaption(kKeinWert);
    }
    pruefeUebernahme();
}

// Mass, rise or time: the changed field beeps when refused; a column that lacks another input shows "--" silently
// (the user heard the beep when that one was refused).
void frmWärmetauscher::leistungAusEingabe(int k, const TextBox &geaendert)
{
    if (!WT_Berechnet)
        return;
    if (zulaessig(geaendert)) {
        spaltenLeistung(k);
    } else {
        uiServices().beep();
        spalten()[static_cast<std::size_t>(k)].P.setText(kKeinWert);
    }
    pruefeUebernahme();
}

// A power from an input its own handler refuses would be a number without meaning (a time of 0 would give 0): the
// column shows "--" instead, whether a field, cp, the power option or the load asks for it.
void frmWärmetauscher::spaltenLeistung(int k)
{
    const Spalte s = spalten()[static_cast<std::size_t>(k)];
    for (const TextBox *eingabe : {&s.M, &s.DeltaT, &s.Taufheiz, &txtCpMax}) {
        if (!zulaessig(*eingabe)) {
            s.P.setText(kKeinWert);
            return;
        }
    }
    const double P = P_WTauscher(Variant(s.M.text()), WT_Munit, Variant(txtCpMax.text()), Variant(s.DeltaT.text()),
                                 WT_TUnit, Variant(s.Taufheiz.text()), WT_ZeitUnit);
    s.P.setText(vierStellen(Variant(P)));
}

// A power the user gives is refused below zero like the liquid's data, with a beep; a power the program writes
// (computed, or loaded) beeps only in the given mode, where it is an input.
void frmWärmetauscher::leistungVorgegeben(int k)
{
    const TextBox &leistung = spalten()[static_cast<std::size_t>(k)].P;
    if (!WT_Berechnet && istZahl(leistung.text()) && !zulaessig(leistung))
        uiServices().beep();
    dampfMassenstrom(k);
}

// The flow follows the four-digit texts shown; an enthalpy of 0 (p2 at or above the critical pressure) has no flow,
// nor has a power below zero.
void frmWärmetauscher::dampfMassenstrom(int k)
{
    const Spalte s = spalten()[static_cast<std::size_t>(k)];
    const Variant P(s.P.text());
    const Variant r(s.r.caption());
    const bool rechenbar = zulaessig(s.P) && r.isNumeric() && r.toDouble() != 0.0;
    const double Q = rechenbar ? P.toDouble() / r.toDouble() / kWirkungsgrad * 3600.0 : 0.0;
    if (!rechenbar || !std::isfinite(Q))
        s.Q.setCaption(kKeinWert);
    else
        s.Q.setCaption(vierStellen(umrechnenMassenstrom(Variant(Q), 0, WT_QUnit)));
    pruefeUebernahme();
}

// cp serves every column and computes in either mode; in the given mode only the program can write it.
void frmWärmetauscher::txtCpMax_Change()
{
    if (zulaessig(txtCpMax)) {
        for (int k = 0; k < 3; ++k)
            spaltenLeistung(k);
    } else {
        uiServices().beep();
        for (const Spalte &s : spalten())
            s.P.setText(kKeinWert);
    }
    pruefeUebernahme();
}

void frmWärmetauscher::optWTberechnet_Click()
{
    WT_Berechnet = true;
    shared().WTDruck_WTcalc = Variant(true);
    for (int k = 0; k < 3; ++k)
        leistungAusEingabe(k, spalten()[static_cast<std::size_t>(k)].M);
    setzeEingabemodus(true);
    pruefeUebernahme();
}

void frmWärmetauscher::optWTVorgabe_Click()
{
    WT_Berechnet = false;
    shared().WTDruck_WTcalc = Variant(false);
    setzeEingabemodus(false);
    pruefeUebernahme();
}

// Computed: the liquid's data are the inputs and the powers results; given: the other way round.
void frmWärmetauscher::setzeEingabemodus(bool berechnet)
{
    for (TextBox *leistung : {&txtWTLeistungMin, &txtWTLeistungNorm, &txtWTLeistungMax})
        leistung->setEnabled(!berechnet);
    for (Control *eingabe : std::initializer_list<Control *>{
             &txtMmin, &txtMnorm, &txtMmax, &cmbMunit, &txtCpMax, &txtDeltaTmin, &txtDeltaTnorm, &txtDeltaTmax,
             &txtTaufheizMin, &txtTaufheizNorm, &txtTaufheizMax, &cmbZeitUnit})
        eingabe->setEnabled(berechnet);
}
