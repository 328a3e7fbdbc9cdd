#include "engine/sizing_recalc.h"

#include "engine/candidate_table.h"
#include "engine/flow_equations.h"
#include "engine/main_window_access.h"
#include "engine/noise.h"
#include "engine/pipe_velocity.h"
#include "engine/recalc_common.h"
#include "engine/sizing_sheet_access.h"
#include "engine/validation.h"
#include "engine/valve_opening.h"
#include "engine/valve_verdict.h"
#include "engine/water_steam.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/label.h"
#include "platform/forms/text_box.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/number_format.h"
#include "units/physical_limits.h"
#include "units/texts.h"

#include <cmath>
#include <optional>

namespace {

using namespace recalc;

// The shared values and the sheet's controls of one operating point.
struct Point {
    double &p1, &p2, &T1, &Q;
    double &rho1, &nue, &psat, &gamma;
    double &y, &Kv, &STV;
    bool &choked;
    double &v1, &v2;
    QString &LA, &DLA, &LAEff;
    double &zy, &xF, &FL;
    bool &cavitation;
    bool &noiseTableMissing;
    double &XT, &X;
    bool active;
    TextBox *txtT1;
    Label *lblY, *lblKv, *lblSTV;
    Label *lblV1, *lblV2;
    Label *lblLA, *lblDLA, *lblLAEff;
    Label *lblzy, *lblxF, *lblFl, *lblCavitation, *lblxT, *lblx, *lblChoked;
    Label *lblSw1, *lblSw2, *lblSw3;
    // The solver found the opening (not -1): only then are the values derived from it shown.
    bool openingFound = true;
    // The Kv the point needs where the valve's curve does not give it (no flow, or at either end of the travel).
    std::optional<double> KvBedarf{};
    // The Kv that noise, z and the choked flag are computed with: the point's, or where no Kv passes its flow the
    // curve's at full travel, where the valve stands.
    double KvThrough = 0.0;
};

bool finite(double v)
{
    return std::isfinite(v);
}

void setWarning(Label *label, bool warn, bool bold)
{
    if (!label)
        return;
    label->setForeColor(warn ? colors::Red : colors::Black);
    if (bold)
        label->setFontBold(warn);
}

// Pattern "####.0": one decimal and no digit before the separator when the integer part is 0 (0.52 gives .5).
QString hashPattern(double v)
{
    return finite(v) ? formatHashDot0(v) : kNA;
}

QString text(const char *key)
{
    return getText(QString::fromUtf8(key), shared().Sprache);
}

// Ends a run that cannot size anything: the reason in the status line after "Berechnung nicht aktualisiert". The
// results stay out of date (every run starts so).
void reportFailure(const QString &reason)
{
    mainwin::setStatusText(text("Berechnung nicht aktualisiert") + ": " + reason);
    mainwin::beep();
}

// The valve a pass of the choice read from the work table.
struct ChosenRow {
    int Kennlinie = -1;
    QString DN;
    float KvsCv = 0.0f;
};

class SizingRun {
public:
    SizingRun(SharedData &s, SizingSheetAccess &sheet)
        : s(s), sheet(sheet),
          pMin{s.p1Min, s.p2Min, s.T1Min, s.QMin, s.rho1Min, s.nueMin, s.psatMin, s.gammaMin, s.yMin, s.Kvmin,
               s.StellverhältnisMin, s.ChokedFlowMin, s.v1Min, s.v2Min, s.LAMin, s.DLAMin, s.LAEffMin, s.zyMin, s.xFMin,
               s.FLMin, s.KavitationMin, s.SchalltabelleFehltMin, s.XTMin, s.XMin, s.MIN, sheet.txtT1min, sheet.lblYmin,
               sheet.lblKvmincalc, sheet.lblSTVmin, sheet.lblV1min, sheet.lblV2min, sheet.lblSchallVDMAmin,
               sheet.lblSchallkorrekturmin, sheet.lblSchallerwartmin, sheet.lblzyMin, sheet.lblxFMin, sheet.lblFlmin,
               sheet.lblKavitationMin, sheet.lblxTMin, sheet.lblxMin, sheet.lblChokedFlowMin, sheet.lblStoffwert1min,
               sheet.lblStoffwert2min, sheet.lblStoffwert3min},
          pNorm{s.p1Norm, s.p2Norm, s.T1Norm, s.QNorm, s.rho1Norm, s.nueNorm, s.psatNorm, s.gammaNorm, s.yNorm,
                s.Kvnorm, s.StellverhältnisNorm, s.ChokedFlowNorm, s.v1Norm, s.v2Norm, s.LANorm, s.DLANorm, s.LAEffNorm,
                s.zyNorm, s.xFNorm, s.FLNorm, s.KavitationNorm, s.SchalltabelleFehltNorm, s.XTNorm, s.XNorm, s.NORM,
                sheet.txtT1norm, sheet.lblYnorm, sheet.lblKvnormcalc, sheet.lblSTVnorm, sheet.lblV1norm,
                sheet.lblV2norm, sheet.lblSchallVDMAnorm, sheet.lblSchallkorrekturnorm, sheet.lblSchallerwartnorm,
                sheet.lblzyNorm, sheet.lblxFNorm, sheet.lblFlnorm, sheet.lblKavitationNorm, sheet.lblxTNorm,
                sheet.lblxNorm, sheet.lblChokedFlowNorm, sheet.lblStoffwert1norm, sheet.lblStoffwert2norm,
                sheet.lblStoffwert3norm},
          pMax{s.p1Max, s.p2Max, s.T1Max, s.QMax, s.rho1Max, s.nueMax, s.psatMax, s.gammaMax, s.yMax, s.Kvmax,
               s.StellverhältnisMax, s.ChokedFlowMax, s.v1Max, s.v2Max, s.LAMax, s.DLAMax, s.LAEffMax, s.zyMax, s.xFMax,
               s.FLMax, s.KavitationMax, s.SchalltabelleFehltMax, s.XTMax, s.XMax, true, sheet.txtT1max, sheet.lblYmax,
               sheet.lblKvmaxcalc, sheet.lblSTVmax, sheet.lblV1max, sheet.lblV2max, sheet.lblSchallVDMAmax,
               sheet.lblSchallkorrekturmax, sheet.lblSchallerwartmax, sheet.lblzyMax, sheet.lblxFMax, sheet.lblFlmax,
               sheet.lblKavitationMax, sheet.lblxTMax, sheet.lblxMax, sheet.lblChokedFlowMax, sheet.lblStoffwert1max,
               sheet.lblStoffwert2max, sheet.lblStoffwert3max}
    {
    }

    void run();

private:
    bool waterLike() const { return s.Medium == 1 || s.Medium >= 10; }
    bool liquid() const { return s.Zustand == 1; }
    // Steps that run "min first" or "max first" over the active points.
    std::vector<Point *> minFirst() { return active({&pMin, &pNorm, &pMax}); }
    std::vector<Point *> maxFirst() { return active({&pMax, &pMin, &pNorm}); }
    static std::vector<Point *> active(std::initializer_list<Point *> order)
    {
        std::vector<Point *> points;
        for (Point *p : order)
            if (p->active)
                points.push_back(p);
        return points;
    }

    void limitAtSaturation();
    void fluidProperties();
    void proposePipes();
    // False when no valve row could be read; the reason is then in the status line.
    bool chooseValve();
    // One pass over the work table; returns the row chosen (row.found is false when there was none).
    ChosenRow chooseRow();
    void openings();
    void resultsAndReserve();
    void velocities();
    void noise();
    void ratios();
    void fluidRows();
    void statusAndWarnings();
    // The reason why the active points' media cannot be sized with, or empty.
    QString impossibleMedium();
    // Ends a run that cannot choose a valve because the sheet's valve lists are not filled: it computes nothing, and
    // the results shown, which are not those of the inputs, raise no warning.
    void listsNotReady();
    // Ends a run on data no valve can be sized with: the results are blanked and lose the warning colours of an
    // earlier run, the fluid rows show the data at fault, and the status line says why.
    void notComputable(const QString &reason);

    SharedData &s;
    SizingSheetAccess &sheet;
    Point pMin, pNorm, pMax;
    ValveRow row;
};

void SizingRun::run()
{
    if (!s.ListeDNbereit || !s.ListeKvsbereit) {
        listsNotReady();
        return;
    }
    try {
        limitAtSaturation();
        fluidProperties();
        if (const QString reason = impossibleMedium(); !reason.isEmpty()) {
            notComputable(reason);
            return;
        }
        proposePipes();
        // A given Kvs of 0 or below matches no row, and the choice would fall back to the series' last one
        // and put its size over the user's.
        if (!s.DNmin && !s.KvsOpt && !physical::isValidFlowCoefficient(s.KvsCv)) {
            notComputable(text("Durchflusskoeffizient unzulässig!"));
            return;
        }
        if (!chooseValve())
            return;
        if (const QString reason = impossibleValve(s.KvsCv, row); !reason.isEmpty()) {
            notComputable(reason);
            return;
        }
        openings();
        resultsAndReserve();
        velocities();
        noise();
        ratios();
        if (sheet.update_DNRohrleitung)
            sheet.update_DNRohrleitung(s.DN1Rohr, s.DN2Rohr, s.DNunit);
        fluidRows();
    } catch (const DbError &e) {
        // The valve was not read whole: the coefficients of an earlier valve must not stand for this one.
        row = ValveRow();
        keepCoefficients(row);
        reportFailure(databaseFailure(e));
        return;
    }
    statusAndWarnings();
}

void SizingRun::listsNotReady()
{
    // No row was read: the coefficients of an earlier valve must not stand for this one.
    keepCoefficients(row);
    if (s.ListenFehler)
        reportFailure(databaseFailure(*s.ListenFehler));
    else
        reportFailure(text("Keine Ventildaten vorhanden!"));
}

void SizingRun::limitAtSaturation()
{
    if (!waterLike() && s.Medium != 2)
        return;
    for (Point *p : {&pMin, &pNorm, &pMax}) {
        const double ts = calcTsatWasser(Variant(p->p1), s.p1Unit, s.T1Unit).asNumber();
        const bool beyond = waterLike() ? p->T1 > ts : p->T1 < ts;
        if (!beyond)
            continue;
        // T1 is the four-digit value its box shows. The box's Change handler stores the same, but it does not
        // run when the box already shows that text, as on every run after the first.
        p->T1 = asShown4(ts);
        if (p->txtT1)
            p->txtT1->setText(zahl4(ts));
    }
}

void SizingRun::fluidProperties()
{
    Point *all[] = {&pMin, &pNorm, &pMax};
    if (s.Zustand == 0)
        for (Point *p : all)
            p->rho1 = finiteOr0(calcRho1Gas(Variant(p->p1), s.p1Unit, Variant(p->T1), s.T1Unit, Variant(s.rhoN),
                                            s.rhoUnit, s.rhoUnit)
                                    .asNumber());
    if (waterLike()) {
        for (Point *p : all) {
            p->rho1 = finiteOr0(calcRhoWasser(Variant(p->T1), s.T1Unit, s.rhoUnit).asNumber());
            p->nue = finiteOr0(
                calcNueWasser(Variant(p->T1), s.T1Unit, Variant(p->rho1), s.rhoUnit, s.nueUnit).asNumber());
            p->psat = finiteOr0(calcPsatWasser(Variant(p->T1), s.T1Unit, s.pUnit).asNumber());
        }
        s.pkrit = umrechnenDruck(Variant(221.2), 0, s.pUnit);
    } else if (s.Medium == 2) {
        for (Point *p : all) {
            Variant p1(p->p1);
            p->rho1 = finiteOr0(calcRhoDampf(p1, s.p1Unit, Variant(p->T1), s.T1Unit, s.rhoUnit).asNumber());
            p->p1 = p1.asNumber();
            p->gamma = finiteOr0(calcKappaDampf(Variant(p->p1), s.p1Unit, Variant(p->T1), s.T1Unit).asNumber());
        }
        s.pkrit = umrechnenDruck(Variant(221.2), 0, s.pUnit);
    }
}

QString SizingRun::impossibleMedium()
{
    for (Point *p : minFirst()) {
        const QString reason = impossibleFluid(s, {p->rho1, p->gamma, p->nue, p->psat});
        if (!reason.isEmpty())
            return reason;
    }
    return QString();
}

void SizingRun::notComputable(const QString &reason)
{
    for (Point *p : maxFirst()) {
        p->y = p->Kv = p->STV = p->v1 = p->v2 = p->zy = p->xF = p->FL = p->XT = p->X = 0.0;
        p->choked = p->cavitation = false;
        p->LA = p->DLA = p->LAEff = QString();
        for (Label *label : {p->lblY, p->lblKv, p->lblSTV, p->lblV1, p->lblV2, p->lblLA, p->lblDLA, p->lblLAEff,
                             p->lblzy, p->lblxF, p->lblFl, p->lblCavitation, p->lblxT, p->lblx, p->lblChoked})
            setCaption(label, QString());
        // A warning of an earlier run would stand beside the blank results, on the units too.
        setWarning(p->lblY, false, false);
        setWarning(p->lblSTV, false, true);
    }
    s.Q100 = 0.0;
    setCaption(sheet.lblQymax, QString());
    setCaption(sheet.lblQReserve, QString());
    setWarning(sheet.lblYunit, false, false);
    for (Label *label : {sheet.lblQymax, sheet.lblQymaxunit, sheet.lblQReserve, sheet.lblQResunit})
        setWarning(label, false, true);
    fluidRows();
    reportFailure(reason);
}

void SizingRun::proposePipes()
{
    if (s.chkDNRohr != 1)
        return;
    auto proposal = [this](int position) {
        return calcDNRohrVorschlag(position, Variant(s.QMax), s.QUnit, Variant(s.rho1Max), Variant(s.rhoN),
                                   s.rhoUnit, Variant(s.p1Max), s.p1Unit, Variant(s.p2Max), s.p2Unit,
                                   Variant(s.T1Max), s.T1Unit, Variant(s.nueMax), s.nueUnit, s.Zustand, s.Medium,
                                   s.vUnit, s.DNunit)
            .toString();
    };
    s.DN1Rohr = proposal(1);
    s.DN2Rohr = proposal(2);
}

bool SizingRun::chooseValve()
{
    if (!s.dbKenndaten || !s.rsVentil) {
        reportFailure(text("Keine Ventildaten vorhanden!"));
        return false;
    }
    // When no row qualifies, the work table falls back to the series' last row, which may be of another
    // characteristic or a size the lists do not have; the lists then select a substitute. The choice runs again
    // with the substitute, so that the valve the lists show is the valve computed, and the next run gives the
    // same answer. The second pass finds the substitute's own rows; the third is a safeguard only.
    constexpr int kChoicePasses = 3;
    for (int pass = 0; pass < kChoicePasses; ++pass) {
        const ChosenRow chosen = chooseRow();
        if (!row.found) {
            reportFailure(text("Keine Ventildaten vorhanden!"));
            return false;
        }
        update_frmCalcSize_cmbDNVentil(*s.rsVentil, s.Kennlinie, s.DNVentil, s.DNunit);
        update_frmCalcSize_cmbKvsCv(*s.rsVentil, s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit);
        if (chosen.Kennlinie == s.Kennlinie && chosen.DN == s.DNVentil && chosen.KvsCv == s.KvsCv)
            break;
    }
    return true;
}

ChosenRow SizingRun::chooseRow()
{
    ChosenRow chosen;
    row = ValveRow();
    update_Tabelle_aktuell(*s.rsVentil, s.Kennlinie, s.DNVentil, s.DNunit, s.KvsCv, s.KvUnit, s.DNmin, s.KvsOpt);

    std::unique_ptr<Recordset> rs = s.dbKenndaten->openTable(QStringLiteral("_aktuell"));
    const FieldReader size(*rs, s.DNunit == 1 ? "DN_Zoll" : "DN");
    const FieldReader kvs(*rs, s.KvUnit == 1 ? "Cv" : "Kvs");
    const ValveFields valve(*rs);
    const FieldReader reduktion(*rs, "Reduktion");
    const FieldReader stellverhaeltnis(*rs, "Stellverhältnis");
    const FieldReader kennlinieField(*rs, "Kennlinie");
    rs->moveFirst();
    while (!rs->eof()) {
        s.DNVentil = size().toString();
        if (s.chkDNRohr == 0) {
            s.DN1Rohr = s.DNVentil;
            s.DN2Rohr = s.DNVentil;
        }
        s.KvsCv = kvs().toFloat();
        row = valve.read();
        s.Reduktion = reduktion().toFloat();
        s.Stellverhältnis = stellverhaeltnis().toDouble();
        const Variant kennlinie = kennlinieField();
        chosen = {kennlinie.isNumeric() ? static_cast<int>(kennlinie.toInt()) : -1, s.DNVentil, s.KvsCv};

        const flow::ValveCurves curves = curvesOf(s.KvsCv, s.KvUnit, row);
        if (liquid()) {
            s.FLMax = curves.fl(1.0);
        } else {
            if (s.Medium == 2) {
                Variant p1(s.p1Max);
                s.rho1Max =
                    finiteOr0(calcRhoDampf(p1, s.p1Unit, Variant(s.T1Max), s.T1Unit, s.rhoUnit).asNumber());
                s.p1Max = p1.asNumber();
            }
            s.XTMax = curves.xt(1.0);
        }
        // The valve's flow at full travel: its curve's Kv, FL and xT there, which for a curve not ending at 1 is
        // not Kvs.
        s.Q100 = valveAtPoint(s, curves, s.p1Max, s.p2Max, {s.rho1Max, s.gammaMax, s.nueMax, s.psatMax})
                     .flowAtOpening(1.0)
                     .Q;
        s.Q100 = finiteOr0(s.Q100);
        if (s.Q100 > (1 + s.DurchflussreserveMin) * s.QMax)
            break;
        rs->moveNext();
    }
    rs->close();
    return chosen;
}

void SizingRun::openings()
{
    for (Point *p : maxFirst()) {
        const Variant y = calcVentiloeffnung(
            Variant(p->Q), s.QUnit, Variant(s.KvsCv), s.KvUnit, row.a0, row.a1, row.a2, row.a3, row.a4, row.a5,
            row.aFL, row.bFL, row.cFL, row.axT, row.bxT, row.cxT, Variant(s.DNVentil), Variant(s.DN1Rohr),
            Variant(s.DN2Rohr), s.DNunit, Variant(p->p1), s.p1Unit, Variant(p->p2), s.p2Unit, Variant(p->T1),
            s.T1Unit, Variant(s.pkrit), Variant(p->psat), s.pUnit, Variant(p->rho1), Variant(s.rhoN), s.rhoUnit,
            Variant(p->nue), s.nueUnit, Variant(p->gamma), s.Medium, s.Zustand, p->choked, &p->KvBedarf);
        p->y = y.asNumber();
        // An opening the solver could not find keeps -1 in the shared data but is never shown as a number.
        p->openingFound = finite(p->y) && p->y != -1.0;
        if (!finite(p->y))
            p->y = -1.0;
        setCaption(p->lblY, p->openingFound ? fixedPattern(p->y * 100, 1) : kNA);
    }
    const flow::ValveCurves curves = curvesOf(s.KvsCv, s.KvUnit, row);
    for (Point *p : maxFirst()) {
        // Without flow, and at both ends of the travel, the point's Kv is the one it needs, not the curve's; where
        // no Kv passes its flow it has none (0, shown as "N/A").
        p->Kv = !p->openingFound ? 0.0 : p->KvBedarf ? finiteOr0(*p->KvBedarf) : finiteOr0(curves.kv(p->y));
        const bool kvShown = hasRequiredKv(p->y, p->Kv, p->Q);
        setCaption(p->lblKv, kvShown ? zahl4(p->Kv) : kNA);
        p->KvThrough = kvShown || !p->openingFound ? p->Kv : finiteOr0(curves.kv(p->y));
    }
}

void SizingRun::resultsAndReserve()
{
    setCaption(sheet.lblReduktion, "(" + numtext::general(s.Reduktion, 7) + " %)");
    setCaption(sheet.lblSTVVentil, numtext::general(s.Stellverhältnis, 15) + ":1");

    for (Point *p : maxFirst()) {
        const double stv = hasRequiredRangeability(p->y, p->Kv) ? s.KvsCv / p->Kv : NAN;
        p->STV = finiteOr0(stv);
        setCaption(p->lblSTV, finite(stv) ? hashPattern(stv) + ":1" : kNA);
    }

    setCaption(sheet.lblQymax, zahl4(s.Q100));
    setCaption(sheet.lblQReserve, s.QMax != 0 ? zahl3((s.Q100 - s.QMax) / s.QMax * 100) : kNA);
}

void SizingRun::velocities()
{
    for (Point *p : maxFirst()) {
        p->v1 = finiteOr0(calcGeschwindigkeit(1, Variant(s.DN1Rohr), s.DNunit, Variant(p->Q), s.QUnit,
                                              Variant(p->rho1), Variant(s.rhoN), s.rhoUnit, Variant(p->p1),
                                              s.p1Unit, Variant(p->p2), s.p2Unit, Variant(p->T1), s.T1Unit,
                                              s.Zustand, s.Medium, s.vUnit)
                              .asNumber());
        p->v2 = finiteOr0(calcGeschwindigkeit(2, Variant(s.DN2Rohr), s.DNunit, Variant(p->Q), s.QUnit,
                                              Variant(p->rho1), Variant(s.rhoN), s.rhoUnit, Variant(p->p1),
                                              s.p1Unit, Variant(p->p2), s.p2Unit, Variant(p->T1), s.T1Unit,
                                              s.Zustand, s.Medium, s.vUnit)
                              .asNumber());
        setCaption(p->lblV1, zahl3(p->v1));
        setCaption(p->lblV2, zahl3(p->v2));
    }
}

void SizingRun::noise()
{
    for (Point *p : minFirst()) {
        Variant level;
        if (s.Zustand == 0 || s.Zustand == 2) {
            level = calcSchallGas(Variant(p->p1), s.p1Unit, Variant(p->p2), s.p2Unit, Variant(p->T1), s.T1Unit,
                                  Variant(p->KvThrough), s.KvUnit, Variant(s.rhoN), s.rhoUnit, Variant(p->v2), s.vUnit,
                                  s.Zustand, s.Medium, s.Ventiltyp, p->DLA, p->LAEff);
        } else {
            level = calcSchallFluessig(Variant(p->p1), s.p1Unit, Variant(p->p2), s.p2Unit, Variant(p->KvThrough),
                                       s.KvUnit, Variant(p->rho1), s.rhoUnit, Variant(p->psat), s.pUnit,
                                       Variant(p->v2), s.vUnit, s.Ventiltyp, Variant(row.Schalldaten), p->DLA,
                                       p->LAEff, p->zy, p->xF, &p->noiseTableMissing);
            p->zy = finiteOr0(p->zy);
            p->xF = finiteOr0(p->xF);
        }
        p->LA = level.toString();
    }
    for (Point *p : minFirst()) {
        setCaption(p->lblLA, p->LA);
        setCaption(p->lblDLA, p->DLA);
        setCaption(p->lblLAEff, p->LAEff);
    }
}

void SizingRun::ratios()
{
    const flow::ValveCurves curves = curvesOf(s.KvsCv, s.KvUnit, row);
    for (Point *p : maxFirst()) {
        if (liquid()) {
            // Without the valve's noise table z is unknown: neither z nor a cavitation verdict.
            const bool zyUnknown = p->noiseTableMissing;
            setCaption(p->lblzy, zyUnknown ? kNA : fixedPattern(p->zy, 2));
            setCaption(p->lblxF, fixedPattern(p->xF, 3));
            // FL at an opening that was not found is unknown.
            const double fl = p->openingFound ? curves.fl(p->y) : NAN;
            p->FL = finiteOr0(fl);
            setCaption(p->lblFl, zahl3(fl));
            setCaption(p->lblChoked, yesNo(p->choked));
            // Without flow nothing cavitates.
            p->cavitation = p->Q > 0 && !zyUnknown && p->xF > p->zy;
            setCaption(p->lblCavitation, zyUnknown ? kNA : yesNo(p->cavitation));
        } else {
            const double xt = p->openingFound ? curves.xt(p->y) : NAN;
            p->XT = finiteOr0(xt);
            setCaption(p->lblxT, zahl3(xt));
            const double p1a = umrechnenDruck(Variant(p->p1), s.p1Unit, 0);
            const double p2a = umrechnenDruck(Variant(p->p2), s.p2Unit, 0);
            const double x = p1a != 0 ? (p1a - p2a) / p1a : NAN;
            p->X = finiteOr0(x);
            setCaption(p->lblx, zahl3(x));
            // The flow through the point's Kv with xT at its opening tells whether it is choked.
            const flow::Flow through = valveAtPoint(s, curves, p->p1, p->p2, {p->rho1, p->gamma, p->nue, p->psat})
                                           .flowThrough(p->KvThrough, 0.0, xt);
            p->choked = p->Q > 0 && through.choked;
            setCaption(p->lblChoked, through.chokedKnown ? yesNo(p->choked) : kNA);
        }
    }
}

void SizingRun::fluidRows()
{
    for (Point *p : maxFirst()) {
        switch (s.Zustand) {
        case 0:
            if (p == &pMax)
                setCaption(p->lblSw1, zahl4(s.rhoN));
            setCaption(p->lblSw2, zahl4(p->rho1));
            setCaption(p->lblSw3, zahl3(p->gamma));
            break;
        case 1:
            setCaption(p->lblSw1, zahl4(p->rho1));
            setCaption(p->lblSw2, zahl4(p->psat));
            setCaption(p->lblSw3, zahl4(p->nue));
            break;
        case 2:
            setCaption(p->lblSw1, zahl4(p->rho1));
            setCaption(p->lblSw2, zahl3(p->gamma));
            break;
        default:
            break;
        }
    }
}

void SizingRun::statusAndWarnings()
{
    mainwin::setStatusText(text("Berechnung aktualisiert"));
    mainwin::setResultsCurrent(true);
    // Judged as the printout judges it. The coefficients go to the shared data first: the verdict reads the valve's
    // curves there.
    keepCoefficients(row);
    const ValveVerdict verdict = judgeValve(s);
    const auto index = [this](const Point &p) -> std::size_t { return &p == &pMin ? 0 : &p == &pNorm ? 1 : 2; };

    // Every failing point is marked and beeps once; its message goes into the status line once, unless it stands
    // there already.
    auto warnPoints = [this](const char *message, auto fails, auto mark, bool pending = true) {
        for (Point *p : minFirst()) {
            const std::optional<bool> failing = fails(*p);
            if (!failing)
                continue;
            mark(*p, *failing);
            if (!*failing)
                continue;
            if (pending) {
                mainwin::setStatusText(mainwin::statusText() + " / " + text(message));
                pending = false;
            }
            mainwin::beep();
        }
    };
    warnPoints(
        "Stellverhältnis nicht ausreichend!",
        [&](const Point &p) -> std::optional<bool> {
            if (!verdict.rangeabilityJudged[index(p)])
                return std::nullopt;
            return verdict.rangeabilityShort[index(p)];
        },
        [](const Point &p, bool failing) { setWarning(p.lblSTV, failing, true); });
    // An opening the solver could not find (-1) is a result that is missing, not a number to trust. The maximum
    // point's label is also the reserve's and is coloured below.
    warnPoints(
        "Ventilöffnung nicht ermittelbar!", [](const Point &p) -> std::optional<bool> { return p.y == -1.0; },
        [this](const Point &p, bool failing) {
            if (&p != &pMax)
                setWarning(p.lblY, failing, false);
        });

    const bool short_ = verdict.noReserve || verdict.smallReserve;
    setWarning(sheet.lblYmax, short_ || pMax.y == -1.0, false);
    setWarning(sheet.lblYunit, short_, false);
    setWarning(sheet.lblQymax, short_, true);
    setWarning(sheet.lblQymaxunit, short_, true);
    setWarning(sheet.lblQReserve, short_, true);
    setWarning(sheet.lblQResunit, short_, true);
    if (short_) {
        mainwin::setStatusText(mainwin::statusText() + " / " +
                               text(verdict.noReserve ? "Ventildurchfluss nicht ausreichend!"
                                                      : "Durchflussreserve evtl. nicht ausreichend!"));
        mainwin::beep();
    }
    // Any point, the maximum one too, may need more than the valve passes at full travel; a maximum point without
    // reserve was warned of above.
    warnPoints(
        "Ventildurchfluss nicht ausreichend!",
        [&](const Point &p) -> std::optional<bool> {
            if (&p == &pMax && verdict.noReserve)
                return std::nullopt;
            return verdict.beyondFullTravel[index(p)];
        },
        [](const Point &p, bool failing) {
            if (failing)
                setWarning(p.lblY, true, false);
        },
        !verdict.noReserve);
}

} // namespace

void calcDimensionierung()
{
    SharedData &s = shared();
    SizingSheetAccess *sheet = activeSizingSheet();
    static bool running = false;
    if (!sheet || running)
        return;
    recalc::RunGuard guard(running);

    s.DurchflussreserveMin = 0.15;
    mainwin::setStatusText(QString());
    mainwin::setResultsCurrent(false);

    if (!checkEingabeDimensionierung()) {
        mainwin::beep();
        return;
    }

    SizingRun(s, *sheet).run();
}
