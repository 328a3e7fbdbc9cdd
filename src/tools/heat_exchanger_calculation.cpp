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

// A mass, heat capacity, temperature rise or power below zero heats nothing; 0 is a case of its own.
bool istMenge(const QString &text)
{
    const Variant wert(text);
    return wert.isNumeric() && wert.toDouble() >= 0;
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

void frmWärmetauscher::sattdampfTemperatur(int k)
{
    const Spalte s = spalten()[static_cast<std::size_t>(k)];
    if (istZahl(s.p1.text())) {
        s.T1.setCaption(vierStellen(calcTsatWasser(Variant(s.p1.text()), WT_p1Unit, WT_TUnit)));
        // No steam case has a pressure without saturated steam. The label shows the edge of the steam table, a
        // number: the beep tells where the hand-over goes off. A hidden column is not handed over.
        if (spalteGezeigt(k) && !istSattdampfdruck(s.p1.text(), WT_p1Unit))
            uiServices().beep();
    } else {
        uiServices().beep();
        s.T1.setCaption(kKeinWert);
    }
    pruefeUebernahme();
}

void frmWärmetauscher::verdampfungsEnthalpie(int k)
{
    const Spalte s = spalten()[static_cast<std::size_t>(k)];
    if (istZahl(s.p2.text())) {
        s.r.setCaption(vierStellen(calcRVerdampfung(Variant(s.p2.text()), WT_p2Unit)));
        if (spalteGezeigt(k) && !istSattdampfdruck(s.p2.text(), WT_p2Unit))
            uiServices().beep();
    } else {
        uiServices().beep();
        s.r.setCaption(kKeinWert);
    }
    pruefeUebernahme();
}

// Without a heat capacity no power can be computed; the user heard the beep when cp was cleared.
void frmWärmetauscher::leistungAusMasseOderDifferenz(int k, const TextBox &geaendert)
{
    if (!WT_Berechnet)
        return;
    const Spalte s = spalten()[static_cast<std::size_t>(k)];
    if (!istMenge(geaendert.text())) {
        uiServices().beep();
        s.P.setText(kKeinWert);
    } else if (!istMenge(txtCpMax.text())) {
        s.P.setText(kKeinWert);
    } else {
        spaltenLeistung(k);
    }
    pruefeUebernahme();
}

void frmWärmetauscher::leistungAusZeit(int k)
{
    if (!WT_Berechnet)
        return;
    const Spalte s = spalten()[static_cast<std::size_t>(k)];
    const Variant zeit(s.Taufheiz.text());
    if (!zeit.isNumeric() || zeit.toDouble() <= 0) {
        uiServices().beep();
        s.P.setText(kKeinWert);
    } else if (!istMenge(txtCpMax.text())) {
        s.P.setText(kKeinWert);
    } else {
        spaltenLeistung(k);
    }
    pruefeUebernahme();
}

// A power from a blank or negative mass, rise or cp, or from a blank time, would be a number without meaning: the
// column shows "--" instead. A time of 0 reached here gives the power 0.
void frmWärmetauscher::spaltenLeistung(int k)
{
    const Spalte s = spalten()[static_cast<std::size_t>(k)];
    if (!istMenge(s.M.text()) || !istMenge(s.DeltaT.text()) || !istZahl(s.Taufheiz.text()) ||
        !istMenge(txtCpMax.text())) {
        s.P.setText(kKeinWert);
        return;
    }
    const double P = P_WTauscher(Variant(s.M.text()), WT_Munit, Variant(txtCpMax.text()), Variant(s.DeltaT.text()),
                                 WT_TUnit, Variant(s.Taufheiz.text()), WT_ZeitUnit);
    s.P.setText(vierStellen(Variant(P)));
}

// A power the user gives is refused below zero like the liquid's data, with a beep; a power the program writes
// (computed, or loaded) beeps only in the given mode, where it is an input.
void frmWärmetauscher::leistungVorgegeben(int k)
{
    const QString leistung = spalten()[static_cast<std::size_t>(k)].P.text();
    if (!WT_Berechnet && istZahl(leistung) && !istMenge(leistung))
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
    const bool rechenbar = istMenge(s.P.text()) && r.isNumeric() && r.toDouble() != 0.0;
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
    if (istMenge(txtCpMax.text())) {
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
    for (int k = 0; k < 3; ++k) {
        const Spalte s = spalten()[static_cast<std::size_t>(k)];
        leistungAusMasseOderDifferenz(k, s.M);
    }
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
