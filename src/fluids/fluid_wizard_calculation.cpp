// The wizard's calculation: the state decision, the result rows, the edits of the result fields, the acentric
// factor, and the hand-over to the active sheet.
#include "fluids/fluid_wizard.h"

#include "fluids/medium_handover.h"
#include "fluids/wizard_estimates.h"
#include "platform/core/number_text.h"
#include "sheets/calc_flow.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/number_format.h"
#include "units/physical_limits.h"
#include "units/unit_lists.h"

namespace {

bool numeric(const TextBox &field)
{
    return Variant(field.text()).isNumeric();
}

double number(const TextBox &field)
{
    return Variant(field.text()).asNumber();
}

QString fourDigits(double value)
{
    return formatZahl4(Variant(value)).toString();
}

} // namespace

// ----------------------------------------------------------------------------------------- state decision

bool frmStoffdatenAssistent::columnActive(int column) const
{
    if (column == Max)
        return true;
    const SharedData &s = shared();
    if (s.Modus != 0)
        return false;
    // The sheet's boxes are read at each calculation; without the sheet, what they stand for.
    if (const frmCalcSize *sheet = calcSizeSheet().ifLoaded())
        return (column == Min ? sheet->chkMin.value() : sheet->chkNorm.value()) == 1;
    return column == Min ? s.MIN : s.NORM;
}

bool frmStoffdatenAssistent::calculationInputsReady()
{
    std::vector<std::pair<TextBox *, bool>> checks;
    for (int c : {int(Max), int(Min), int(Norm)}) {
        if (columnActive(c)) {
            checks.emplace_back(p1Row()[c], numeric(*p1Row()[c]));
            checks.emplace_back(T1Row()[c], numeric(*T1Row()[c]) &&
                                                physical::isAboveAbsoluteZero(number(*T1Row()[c]), T1Unit_));
        }
    }
    checks.emplace_back(&txtMol, numeric(txtMol) && number(txtMol) > 0.0);
    // The decision reads the critical temperature's field, the estimates the values kept at the pick.
    checks.emplace_back(&txtTkrit, numeric(txtTkrit) && picked_.Tkrit.isNumeric());
    checks.emplace_back(&txtpkrit, picked_.pkrit.isNumeric());
    checks.emplace_back(&txtazFaktor, numeric(txtazFaktor) && picked_.w.isNumeric());
    for (const auto &[field, ok] : checks) {
        if (!ok) {
            uiServices().beep();
            field->setFocus();
            return false;
        }
    }
    return true;
}

std::optional<double> frmStoffdatenAssistent::vapourPressure(const QString &T1)
{
    // In the unit the pressure list shows now, which an edit's cancel may have changed since the pick.
    const Estimate e = calcPsatLeeKesler(Variant(T1), T1Unit_, pickedCriticalPoint(), picked_.w, units_.pUnit);
    if (!e.hasValue())
        return std::nullopt;
    return e.value;
}

void frmStoffdatenAssistent::cmdCalc_Click()
{
    if (!calculationInputsReady())
        return;
    const std::optional<double> psat = vapourPressure(txtT1max.text());
    txtpsatmax.setText(psat ? fourDigits(*psat) : QString());
    if (!psat) {
        // A temperature at or below absolute zero: no state can be decided.
        uiServices().beep();
        return;
    }
    optflüssig.setEnabled(true);
    optgasdampf.setEnabled(true);
    optflüssig.setValue(false);
    optgasdampf.setValue(false);

    // Pressures absolute in bar, temperatures in °C; the vapour pressure as shown.
    auto p1 = [this] { return umrechnenDruck(Variant(txtp1max.text()), p1Unit_, 0); };
    auto ps = [this] { return umrechnenDruck(Variant(txtpsatmax.text()), units_.pUnit, 0); };
    auto T1 = [this] { return umrechnenTemperatur(Variant(txtT1max.text()), T1Unit_, 0); };
    auto Tc = [this] { return umrechnenTemperatur(Variant(txtTkrit.text()), units_.TUnit, 0); };
    bool decided = false;
    if (Tc() > T1() && ps() <= p1()) {
        AssistentZustand = 1;
        optflüssig.setValue(true);
        optgasdampf.setValue(false);
        decided = true;
    }
    if (Tc() < T1() || ps() > p1()) {
        AssistentZustand = 2;
        optflüssig.setValue(false);
        optgasdampf.setValue(true);
        decided = true;
    }
    // At the critical temperature the user chooses; results shown from before do not belong to this decision.
    if (!decided)
        cmdOK.setEnabled(false);
}

void frmStoffdatenAssistent::optflüssig_Click()
{
    AssistentZustand = 1;
    calcStoffdaten(AssistentZustand);
}

void frmStoffdatenAssistent::optgasdampf_Click()
{
    AssistentZustand = 2;
    calcStoffdaten(AssistentZustand);
}

// ------------------------------------------------------------------------------------------- result rows

void frmStoffdatenAssistent::hideResults()
{
    for (Label *l : {&lblrho, &bezRho, &lblrho_unit, &lblZ, &bezZ, &lblps, &bezpsat, &lblp_unit, &lblnue, &beznue,
                     &lblnue_unit, &lblgamma, &bezgamma})
        l->setVisible(false);
    for (const Row &row : {rhoRow(), ZRow(), psatRow(), nueRow(), gammaRow()}) {
        for (TextBox *f : row)
            f->setVisible(false);
    }
}

void frmStoffdatenAssistent::showRow(Label &symbol, Label &caption, const Row &fields, Label *unit)
{
    symbol.setVisible(true);
    caption.setVisible(true);
    for (int c : {int(Max), int(Min), int(Norm)}) {
        if (columnActive(c))
            fields[c]->setVisible(true);
    }
    if (unit)
        unit->setVisible(true);
}

void frmStoffdatenAssistent::rangeExceeded()
{
    // The one message of the wizard that is the same in every language.
    uiServices().messageBox(QStringLiteral("No calculation possible as range of equation validity is exceeded!"),
                            MsgButtons::OK, MsgIcon::None, QStringLiteral("Quendra"));
}

QStringList frmStoffdatenAssistent::operatingPoint() const
{
    QStringList out;
    for (const TextBox *f : {&txtp1min, &txtp1norm, &txtp1max, &txtT1min, &txtT1norm, &txtT1max}) {
        const Variant v(f->text());
        out << (v.isNumeric() ? formatZahl4(v).toString() : f->text());
    }
    return out;
}

void frmStoffdatenAssistent::calcStoffdaten(int Zustand)
{
    if (!calculationInputsReady())
        return;
    hideResults();
    psat_ = {};
    const CriticalPoint kritisch = pickedCriticalPoint();
    const Variant w(txtazFaktor.text());
    const Variant M(txtMol.text());
    const Row p1 = p1Row();
    const Row T1 = T1Row();
    const Row rho = rhoRow();
    const int columns[3] = {Max, Min, Norm};

    for (int c : columns) {
        if (!columnActive(c))
            continue;
        const Estimate e = calcRhoRealgas(Variant(p1[c]->text()), p1Unit_, Variant(T1[c]->text()), T1Unit_, M,
                                          kritisch, w, Zustand, units_.rhoUnit);
        if (!e.hasValue()) {
            rho[c]->setText(QString());
            if (e.isOutsideRange())
                rangeExceeded();
            else
                uiServices().beep();
            cmdOK.setEnabled(false);
            return;
        }
        rho[c]->setText(fourDigits(e.value));
    }
    // Base data being edited are neither stored nor picked: nothing to hand over yet.
    cmdOK.setEnabled(!rsStoffdaten || !rsStoffdaten->editing());
    calculatedPoint_ = operatingPoint();
    for (int c : columns)
        calculatedColumns_[std::size_t(c)] = columnActive(c);

    lblrho_unit.setCaption(EinheitDichte(Variant(units_.rhoUnit)));
    showRow(lblrho, bezRho, rho, &lblrho_unit);

    const Row Z = ZRow();
    for (int c : columns) {
        if (!columnActive(c))
            continue;
        const Estimate e = calcZLeeKesler(Variant(p1[c]->text()), p1Unit_, Variant(T1[c]->text()), T1Unit_, kritisch,
                                          w, Zustand);
        Z[c]->setText(e.hasValue() ? fourDigits(e.value) : QString());
    }
    showRow(lblZ, bezZ, Z, nullptr);

    const Row psat = psatRow();
    psatUnit_ = units_.pUnit;
    for (int c : columns) {
        if (!columnActive(c))
            continue;
        const std::optional<double> ps = vapourPressure(T1[c]->text());
        psat[c]->setText(ps ? fourDigits(*ps) : QString());
        // What the hand-over passes on is the number shown.
        if (ps)
            psat_[std::size_t(c)] = Variant(psat[c]->text()).toDouble();
    }
    lblp_unit.setCaption(EinheitDruck(Variant(units_.pUnit)));
    showRow(lblps, bezpsat, psat, &lblp_unit);

    if (Zustand == 1) {
        const Row nue = nueRow();
        for (int c : columns) {
            if (!columnActive(c))
                continue;
            const Estimate e = calcNueAssistent(Variant(T1[c]->text()), T1Unit_, Variant(rho[c]->text()),
                                                units_.rhoUnit, units_.nueUnit);
            nue[c]->setText(e.hasValue() ? fourDigits(e.value) : QString());
        }
        lblnue_unit.setCaption(EinheitViskositaet(Variant(units_.nueUnit)));
        showRow(lblnue, beznue, nue, &lblnue_unit);
    } else {
        const Row gamma = gammaRow();
        for (int c : columns) {
            if (!columnActive(c))
                continue;
            const Estimate e =
                calcKappaAssistent(Variant(p1[c]->text()), p1Unit_, Variant(T1[c]->text()), T1Unit_);
            gamma[c]->setText(e.hasValue() ? fourDigits(e.value) : QString());
        }
        showRow(lblgamma, bezgamma, gamma, nullptr);
    }
}

// ---------------------------------------------------------------------------- operating-point and result fields

void frmStoffdatenAssistent::operatingPointChanged()
{
    // Results of another operating point must not be handed over (a mere reformat changes nothing).
    if (cmdOK.enabled() && operatingPoint() != calculatedPoint_)
        cmdOK.setEnabled(false);
}

void frmStoffdatenAssistent::resultGotFocus(TextBox &field)
{
    AlterWert = field.text();
    field.selectAll();
}

bool frmStoffdatenAssistent::numberPossible(const TextBox &field, double value) const
{
    if (!physical::isSensibleNumber(value))
        return false;
    auto oneOf = [&field](const TextBox &min, const TextBox &norm, const TextBox &max) {
        return &field == &min || &field == &norm || &field == &max;
    };
    if (oneOf(txtrhomin, txtrhonorm, txtrhomax))
        return physical::isValidDensity(value);
    if (oneOf(txtpsatmin, txtpsatnorm, txtpsatmax))
        return physical::isValidVapourPressure(value, psatUnit_);
    if (oneOf(txtnuemin, txtnuenorm, txtnuemax))
        return physical::isValidViscosity(value);
    if (oneOf(txtgammamin, txtgammanorm, txtgammamax))
        return physical::isValidKappa(value);
    if (oneOf(txtZmin, txtZnorm, txtZmax))
        return physical::isValidRealGasFactor(value);
    if (&field == &txtMol)
        return physical::isValidMolarMass(value);
    if (&field == &txtpkrit)
        return physical::isValidCriticalPressure(value, units_.pUnit);
    if (oneOf(txtT1min, txtT1norm, txtT1max))
        return physical::isAboveAbsoluteZero(value, T1Unit_);
    if ((&field == &txtTs || &field == &txtTkrit) && !physical::isAboveAbsoluteZero(value, units_.TUnit))
        return false;
    double Ts = 0.0;
    if (&field == &txtTkrit && Variant(txtTs.text()).toNumber(&Ts))
        return physical::isValidCriticalTemperature(value, Ts);
    return true;
}

void frmStoffdatenAssistent::resultValidate(TextBox &field, int &Cancel)
{
    double value = 0.0;
    if (Variant(field.text()).toNumber(&value) && !numberPossible(field, value)) {
        uiServices().beep();
        Cancel = 1;
    }
}

void frmStoffdatenAssistent::resultLostFocus(TextBox &field)
{
    const Variant v(field.text());
    field.setText(v.isNumeric() ? formatZahl4(v).toString() : AlterWert);
}

void frmStoffdatenAssistent::densityLeft(int column)
{
    const Estimate Z = zFromDensity(Variant(p1Row()[column]->text()), p1Unit_, Variant(T1Row()[column]->text()),
                                    T1Unit_, Variant(txtMol.text()), Variant(rhoRow()[column]->text()),
                                    units_.rhoUnit);
    // Without usable operands the partner stays as it is.
    if (Z.hasValue())
        ZRow()[column]->setText(fourDigits(Z.value));
}

void frmStoffdatenAssistent::realGasFactorLeft(int column)
{
    const Estimate rho = densityFromZ(Variant(p1Row()[column]->text()), p1Unit_, Variant(T1Row()[column]->text()),
                                      T1Unit_, Variant(txtMol.text()), Variant(ZRow()[column]->text()),
                                      units_.rhoUnit);
    if (rho.hasValue())
        rhoRow()[column]->setText(fourDigits(rho.value));
}

// ------------------------------------------------------------------------------------------ acentric factor

void frmStoffdatenAssistent::cmdazFaktor_Click()
{
    if (!numeric(txtTs) || !numeric(txtTkrit) || !numeric(txtpkrit))
        return;
    const CriticalPoint kritisch{Variant(txtTkrit.text()), units_.TUnit, Variant(txtpkrit.text()), units_.pUnit};
    const Estimate w = edmisterAcentricFactor(Variant(txtTs.text()), kritisch);
    // A boiling point not below the critical temperature, or no critical pressure, gives no factor.
    if (!w.hasValue()) {
        uiServices().beep();
        return;
    }
    txtazFaktor.setText(fourDigits(w.value));
}

// ------------------------------------------------------------------------------------------------ hand-over

bool frmStoffdatenAssistent::handOverInputsReady()
{
    auto refuse = [](TextBox &f) {
        uiServices().beep();
        f.setFocus();
        return false;
    };
    for (TextBox *f : {&txtrhomax, &txtMol, &txtTkrit, &txtpkrit}) {
        if (!numeric(*f))
            return refuse(*f);
    }
    // Every number handed over is possible; Enter hands over from a result field without leaving it, so the
    // field's own check has not run. A field that holds no number falls back as the hand-over says. The real-gas
    // factor is not handed over, but an impossible one typed just before Enter is refused, not silently dropped.
    std::vector<TextBox *> handedOver = {&txtMol, &txtTkrit, &txtpkrit};
    for (const Row &row : {rhoRow(), ZRow(), gammaRow(), nueRow()})
        handedOver.insert(handedOver.end(), row.begin(), row.end());
    for (TextBox *f : handedOver) {
        double value = 0.0;
        if (Variant(f->text()).toNumber(&value) && !numberPossible(*f, value))
            return refuse(*f);
    }
    return true;
}

void frmStoffdatenAssistent::cmdOK_Click()
{
    if (!cmdOK.enabled() || !handOverInputsReady())
        return;
    // A column the sizing sheet switched on since the calculation has no results, and the wizard's fields of it
    // were never filled from the sheet: handing over would write their "0" over the sheet's operating point.
    for (int c : {int(Min), int(Norm)}) {
        if (columnActive(c) && !calculatedColumns_[std::size_t(c)]) {
            uiServices().beep();
            cmdOK.setEnabled(false);
            return;
        }
    }
    SharedData &d = shared();
    if (AssistentZustand == 1 || AssistentZustand == 2) {
        const int Zustand = AssistentZustand;
        handover::beginHandOver(units_, Zustand, Zustand == 2 ? 5 : 6);
    } else {
        adoptFluidUnits(units_, d);
    }
    d.NameMedium = txtMedium.text();
    d.FORMEL = txtFormel.text();
    d.M = number(txtMol);
    d.Tkrit = number(txtTkrit);
    d.pkrit = number(txtpkrit);

    d.rho1Max = number(txtrhomax);
    d.rho1Min = numeric(txtrhomin) ? number(txtrhomin) : d.rho1Max;
    d.rho1Norm = numeric(txtrhonorm) ? number(txtrhonorm) : d.rho1Max;
    if (numeric(txtgammamax))
        d.gammaMax = number(txtgammamax);
    if (numeric(txtgammamin))
        d.gammaMin = number(txtgammamin);
    if (numeric(txtgammanorm))
        d.gammaNorm = number(txtgammanorm);
    d.nueMax = numeric(txtnuemax) ? number(txtnuemax) : 0.0;
    d.nueMin = numeric(txtnuemin) ? number(txtnuemin) : d.nueMax;
    d.nueNorm = numeric(txtnuenorm) ? number(txtnuenorm) : d.nueMax;
    // The vapour pressures are those the last calculation showed, not what was typed over them.
    double *psat[3] = {&d.psatMin, &d.psatNorm, &d.psatMax};
    for (int c = 0; c < 3; ++c) {
        if (psat_[std::size_t(c)])
            *psat[c] = umrechnenDruck(Variant(*psat_[std::size_t(c)]), psatUnit_, d.pUnit);
    }

    writeOperatingPointBack();

    rsStoffdaten.reset();
    dbStoffdaten.reset();
    const bool min = calculatedColumns_[std::size_t(Min)];
    const bool norm = calculatedColumns_[std::size_t(Norm)];
    unload();
    handover::reloadActiveSheet([min, norm] {
        SharedData &s = shared();
        s.StoffdatenAktuell = true;
        s.StoffdatenMin = min;
        s.StoffdatenNorm = norm;
    });
}

// The wizard's operating point into the sheet's fields, whose change handling stores it. Units the sheet changed
// while the wizard was open are followed; a sheet that is not loaded gets the numbers straight into the shared data.
void frmStoffdatenAssistent::writeOperatingPointBack()
{
    SharedData &d = shared();
    auto pressure = [&](const TextBox &f) {
        const Variant v(f.text());
        return v.isNumeric() && p1Unit_ != d.p1Unit ? numtext::general(umrechnenDruck(v, p1Unit_, d.p1Unit))
                                                    : f.text();
    };
    auto temperature = [&](const TextBox &f) {
        const Variant v(f.text());
        return v.isNumeric() && T1Unit_ != d.T1Unit ? numtext::general(umrechnenTemperatur(v, T1Unit_, d.T1Unit))
                                                    : f.text();
    };
    auto store = [](double &target, const QString &text) {
        const Variant v(text);
        if (v.isNumeric())
            target = v.toDouble();
    };

    if (d.Modus == 0) {
        const bool MIN = d.MIN;
        const bool NORM = d.NORM;
        if (frmCalcSize *sheet = calcSizeSheet().ifLoaded()) {
            if (MIN)
                sheet->txtT1min.setText(temperature(txtT1min));
            if (NORM)
                sheet->txtT1norm.setText(temperature(txtT1norm));
            sheet->txtT1max.setText(temperature(txtT1max));
            if (MIN)
                sheet->txtp1min.setText(pressure(txtp1min));
            if (NORM)
                sheet->txtp1norm.setText(pressure(txtp1norm));
            sheet->txtp1max.setText(pressure(txtp1max));
        } else {
            if (MIN) {
                store(d.T1Min, temperature(txtT1min));
                store(d.p1Min, pressure(txtp1min));
            }
            if (NORM) {
                store(d.T1Norm, temperature(txtT1norm));
                store(d.p1Norm, pressure(txtp1norm));
            }
            store(d.T1Max, temperature(txtT1max));
            store(d.p1Max, pressure(txtp1max));
        }
    } else if (d.Modus == 1) {
        if (FrmCalcFlow *sheet = frmCalcFlow().ifLoaded()) {
            sheet->txtT1max.setText(temperature(txtT1max));
            sheet->txtp1max.setText(pressure(txtp1max));
        } else {
            store(d.T1Max, temperature(txtT1max));
            store(d.p1Max, pressure(txtp1max));
        }
    }
}
