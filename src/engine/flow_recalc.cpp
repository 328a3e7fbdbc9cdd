#include "engine/flow_recalc.h"

#include "engine/candidate_table.h"
#include "engine/flow_equations.h"
#include "engine/flow_sheet_access.h"
#include "engine/flow_validation.h"
#include "engine/main_window_access.h"
#include "engine/noise.h"
#include "engine/pipe_velocity.h"
#include "engine/recalc_common.h"
#include "engine/user_valve.h"
#include "engine/water_steam.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/label.h"
#include "platform/forms/menu.h"
#include "platform/forms/text_box.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/number_format.h"
#include "units/texts.h"

#include <cmath>

namespace {

using namespace recalc;

// The flow passes of a proposed pipe size stop at the latest after this many.
constexpr int kPipePassLimit = 11;

class FlowRun {
public:
    FlowRun(SharedData &s, FlowSheetAccess &sheet) : s(s), sheet(sheet) {}

    void run();

private:
    bool waterLike() const { return s.Medium == 1 || s.Medium >= 10; }
    bool liquid() const { return s.Zustand == 1; }

    void limitAtSaturation();
    void fluidProperties();
    bool rowMatches(const Recordset &rs) const;
    void findRow();
    void flowPasses();
    void velocities();
    void noise();
    void cavitation();
    void fluidLabels();
    void refreshPipeLists();
    // The point cannot be computed: the valve's results show `shown`, the status line says why.
    void notComputable(const QString &reason, const QString &shown = kNA);

    SharedData &s;
    FlowSheetAccess &sheet;
    ValveRow row;
};

void FlowRun::run()
{
    limitAtSaturation();
    fluidProperties();
    try {
        findRow();
    } catch (const DbError &e) {
        row = ValveRow();
        notComputable(databaseFailure(e));
        return;
    }
    // Without its row the valve has no curves: a flow of 0 through it would be no result at all.
    if (!row.found) {
        notComputable(getText("Ventil nicht in der Baureihe!", s.Sprache));
        return;
    }
    // Data no flow can be computed from: nothing to show at all.
    QString impossible = impossibleFluid(s, {s.rho1Max, s.gammaMax, s.nueMax, s.psatMax});
    if (impossible.isEmpty())
        impossible = impossibleValve(s.KvsCv, row);
    if (!impossible.isEmpty()) {
        notComputable(impossible, QString());
        return;
    }

    s.Kvmax = finiteOr0(curvesOf(s.KvsCv, s.KvUnit, row).kv(s.yMax));
    if (s.chkDNRohr == 0 || s.chkDNRohr == 1) {
        s.DN1Rohr = s.DNVentil;
        s.DN2Rohr = s.DNVentil;
    }
    flowPasses();
    setCaption(sheet.lblQmax, zahl4(s.QMax));
    refreshPipeLists();
    velocities();
    noise();
    if (liquid())
        cavitation();
    fluidLabels();

    mainwin::setStatusText(getText("Berechnung aktualisiert", s.Sprache));
    mainwin::setResultsCurrent(true);
    keepCoefficients(row);
}

void FlowRun::limitAtSaturation()
{
    const bool steam = s.Medium == 2;
    if (!waterLike() && !steam)
        return;
    const double ts = calcTsatWasser(Variant(s.p1Max), s.p1Unit, s.T1Unit).asNumber();
    if (!std::isfinite(ts))
        return;
    const bool beyond = steam ? s.T1Max < ts : s.T1Max > ts;
    if (!beyond)
        return;
    // T1Max is the four-digit value its box shows. The box's Change handler stores the same, but it does not run
    // when the box already shows that text, as on every run after the first.
    s.T1Max = asShown4(ts);
    if (sheet.txtT1max)
        sheet.txtT1max->setText(zahl4(ts));
}

void FlowRun::fluidProperties()
{
    if (s.Zustand == 0)
        s.rho1Max = finiteOr0(calcRho1Gas(Variant(s.p1Max), s.p1Unit, Variant(s.T1Max), s.T1Unit, Variant(s.rhoN),
                                          s.rhoUnit, s.rhoUnit)
                                  .asNumber());
    if (waterLike()) {
        s.rho1Max = finiteOr0(calcRhoWasser(Variant(s.T1Max), s.T1Unit, s.rhoUnit).asNumber());
        s.nueMax = finiteOr0(
            calcNueWasser(Variant(s.T1Max), s.T1Unit, Variant(s.rho1Max), s.rhoUnit, s.nueUnit).asNumber());
        s.psatMax = finiteOr0(calcPsatWasser(Variant(s.T1Max), s.T1Unit, s.pUnit).asNumber());
        s.pkrit = finiteOr0(umrechnenDruck(Variant(221.2), 0, s.pUnit));
    }
    if (s.Medium == 2) {
        // The steam density may replace a pressure of 0 in the caller's variable.
        Variant p1(s.p1Max);
        s.rho1Max = finiteOr0(calcRhoDampf(p1, s.p1Unit, Variant(s.T1Max), s.T1Unit, s.rhoUnit).asNumber());
        s.p1Max = finiteOr0(p1.asNumber());
        s.gammaMax = finiteOr0(calcKappaDampf(Variant(s.p1Max), s.p1Unit, Variant(s.T1Max), s.T1Unit).asNumber());
        s.pkrit = finiteOr0(umrechnenDruck(Variant(221.2), 0, s.pUnit));
    }
}

bool FlowRun::rowMatches(const Recordset &rs) const
{
    if ((s.DNunit != 0 && s.DNunit != 1) || (s.KvUnit != 0 && s.KvUnit != 1))
        return false;
    const Variant kennlinie = rs.field(QStringLiteral("Kennlinie"));
    if (!kennlinie.isNumeric() || kennlinie.toDouble() != s.Kennlinie)
        return false;
    // The sheet's lists show the sizes as the table's texts (millimetres without blanks) and the coefficients as
    // the table's single-precision numbers, so these compare exactly with what it stored.
    const bool sameSize = s.DNunit == 1
                              ? rs.field(QStringLiteral("DN_Zoll")).toString() == s.DNVentil
                              : rs.field(QStringLiteral("DN")).toString().trimmed() == s.DNVentil.trimmed();
    if (!sameSize)
        return false;
    const Variant kvs = rs.field(s.KvUnit == 1 ? QStringLiteral("CV") : QStringLiteral("Kvs"));
    return kvs.isNumeric() && kvs.toFloat() == s.KvsCv;
}

void FlowRun::findRow()
{
    // The sheet's lists could not be read: no valve they could not offer is computed, and the run tells why.
    if (s.ListenFehler)
        throw *s.ListenFehler;
    Recordset *rs = s.rsVentil.get();
    if (!rs)
        return;
    rs->moveFirst();
    while (!rs->eof()) {
        if (rowMatches(*rs)) {
            // Read as the sizing reads its candidates: a value its column cannot hold, or a user-defined valve its
            // dialog would not store, is the database's fault, and both sheets say so alike.
            candidates::CandidateRow(*rs).readChecked();
            if (s.dbKenndaten)
                requireStorableUserValve(*rs, s.dbKenndaten->path());
            row = ValveFields(*rs).read();
            // The printout names the reduction of the valve the flow was computed for.
            s.Reduktion = rs->field(QStringLiteral("Reduktion")).toFloat();
            return;
        }
        rs->moveNext();
    }
}

void FlowRun::flowPasses()
{
    const double y = s.yMax;
    const flow::ValveCurves curves = curvesOf(s.KvsCv, s.KvUnit, row);
    double previous = 0.0;
    for (int pass = 1; pass <= kPipePassLimit; ++pass) {
        // The pipe sizes may change from pass to pass.
        const flow::Flow through =
            valveAtPoint(s, curves, s.p1Max, s.p2Max, {s.rho1Max, s.gammaMax, s.nueMax, s.psatMax}).flowAtOpening(y);
        s.QMax = finiteOr0(through.Q);
        if (liquid()) {
            s.FLMax = finiteOr0(curves.fl(y));
            setCaption(sheet.lblFlmax, zahl3(s.FLMax));
            s.ChokedFlowMax = through.choked;
            setCaption(sheet.lblChokedFlowMax, yesNo(s.ChokedFlowMax));
        } else {
            s.XTMax = finiteOr0(curves.xt(y));
            setCaption(sheet.lblxTMax, zahl3(s.XTMax));
            const double p1 = umrechnenDruck(Variant(s.p1Max), s.p1Unit, 0);
            const double p2 = umrechnenDruck(Variant(s.p2Max), s.p2Unit, 0);
            // The validation leaves p1 above 0; the guard only keeps a NaN out.
            s.XMax = p1 != 0 ? finiteOr0((p1 - p2) / p1) : 0.0;
            setCaption(sheet.lblxMax, zahl3(s.XMax));
            s.ChokedFlowMax = through.choked;
            setCaption(sheet.lblChokedFlowMax, through.chokedKnown ? yesNo(s.ChokedFlowMax) : kNA);
        }

        if (s.chkDNRohr != 1)
            break;
        auto proposal = [this](int position) {
            return calcDNRohrVorschlag(position, Variant(s.QMax), s.QUnit, Variant(s.rho1Max), Variant(s.rhoN),
                                       s.rhoUnit, Variant(s.p1Max), s.p1Unit, Variant(s.p2Max), s.p2Unit,
                                       Variant(s.T1Max), s.T1Unit, Variant(s.nueMax), s.nueUnit, s.Zustand,
                                       s.Medium, s.vUnit, s.DNunit)
                .toString();
        };
        s.DN1Rohr = proposal(1);
        s.DN2Rohr = proposal(2);
        if (s.QMax == previous)
            break;
        previous = s.QMax;
    }
}

void FlowRun::refreshPipeLists()
{
    if (sheet.update_DNRohrleitung)
        sheet.update_DNRohrleitung(s.chkDNRohr, s.DN1Rohr, s.DN2Rohr, s.DNVentil, s.DNunit);
}

void FlowRun::velocities()
{
    auto velocity = [this](int position, const QString &DN) {
        return finiteOr0(calcGeschwindigkeit(position, Variant(DN), s.DNunit, Variant(s.QMax), s.QUnit,
                                             Variant(s.rho1Max), Variant(s.rhoN), s.rhoUnit, Variant(s.p1Max),
                                             s.p1Unit, Variant(s.p2Max), s.p2Unit, Variant(s.T1Max), s.T1Unit,
                                             s.Zustand, s.Medium, s.vUnit)
                             .asNumber());
    };
    s.v1Max = velocity(1, s.DN1Rohr);
    setCaption(sheet.lblV1max, zahl3(s.v1Max));
    s.v2Max = velocity(2, s.DN2Rohr);
    setCaption(sheet.lblV2max, zahl3(s.v2Max));
}

void FlowRun::noise()
{
    Variant level;
    if (s.Zustand == 0 || s.Zustand == 2) {
        level = calcSchallGas(Variant(s.p1Max), s.p1Unit, Variant(s.p2Max), s.p2Unit, Variant(s.T1Max), s.T1Unit,
                              Variant(s.Kvmax), s.KvUnit, Variant(s.rhoN), s.rhoUnit, Variant(s.v2Max), s.vUnit,
                              s.Zustand, s.Medium, s.Ventiltyp, s.DLAMax, s.LAEffMax);
    } else {
        level = calcSchallFluessig(Variant(s.p1Max), s.p1Unit, Variant(s.p2Max), s.p2Unit, Variant(s.Kvmax),
                                   s.KvUnit, Variant(s.rho1Max), s.rhoUnit, Variant(s.psatMax), s.pUnit,
                                   Variant(s.v2Max), s.vUnit, s.Ventiltyp, Variant(row.Schalldaten), s.DLAMax,
                                   s.LAEffMax, s.zyMax, s.xFMax, &s.SchalltabelleFehltMax);
        s.zyMax = finiteOr0(s.zyMax);
        s.xFMax = finiteOr0(s.xFMax);
    }
    s.LAMax = level.toString();
    setCaption(sheet.lblSchallVDMAmax, s.LAMax);
    setCaption(sheet.lblSchallkorrekturmax, s.DLAMax);
    setCaption(sheet.lblSchallerwartmax, s.LAEffMax);
}

void FlowRun::cavitation()
{
    // Without the valve's noise table z is unknown, and so is cavitation.
    const bool zyUnknown = s.SchalltabelleFehltMax;
    setCaption(sheet.lblzyMax, zyUnknown ? kNA : fixedPattern(s.zyMax, 2));
    setCaption(sheet.lblxFMax, fixedPattern(s.xFMax, 3));
    // Without flow nothing cavitates.
    s.KavitationMax = s.QMax > 0 && !zyUnknown && s.xFMax > s.zyMax;
    setCaption(sheet.lblKavitationMax, zyUnknown ? kNA : yesNo(s.KavitationMax));
}

void FlowRun::fluidLabels()
{
    switch (s.Zustand) {
    case 0:
        setCaption(sheet.lblStoffwert1max, zahl3(s.rhoN));
        setCaption(sheet.lblStoffwert2max, zahl3(s.rho1Max));
        setCaption(sheet.lblStoffwert3max, zahl3(s.gammaMax));
        break;
    case 1:
        setCaption(sheet.lblStoffwert1max, zahl3(s.rho1Max));
        setCaption(sheet.lblStoffwert2max, zahl3(s.psatMax));
        setCaption(sheet.lblStoffwert3max, zahl3(s.nueMax));
        break;
    case 2:
        setCaption(sheet.lblStoffwert1max, zahl3(s.rho1Max));
        setCaption(sheet.lblStoffwert2max, zahl3(s.gammaMax));
        break;
    default:
        break;
    }
}

// The chosen valve has no row (or the table cannot be read), or the data are impossible: the point is not
// computable. The valve's results are cleared and shown as `shown`, the fluid rows still show the properties just
// computed, and the status line says why the results are not current.
void FlowRun::notComputable(const QString &reason, const QString &shown)
{
    s.Kvmax = 0.0;
    s.QMax = 0.0;
    s.FLMax = 0.0;
    s.XTMax = 0.0;
    s.ChokedFlowMax = false;
    s.v1Max = 0.0;
    s.v2Max = 0.0;
    s.LAMax = kNA;
    s.DLAMax = QStringLiteral(" ");
    s.LAEffMax = kNA;
    s.zyMax = 0.0;
    s.xFMax = 0.0;
    s.KavitationMax = false;
    // No noise estimate ran: z is unknown.
    s.SchalltabelleFehltMax = true;
    for (Label *label : {sheet.lblQmax, sheet.lblFlmax, sheet.lblxTMax, sheet.lblChokedFlowMax, sheet.lblzyMax,
                         sheet.lblxFMax, sheet.lblKavitationMax, sheet.lblV1max, sheet.lblV2max,
                         sheet.lblSchallVDMAmax, sheet.lblSchallerwartmax})
        setCaption(label, shown);
    // The correction has no "N/A" of its own: the estimate leaves a blank there.
    setCaption(sheet.lblSchallkorrekturmax, s.DLAMax);
    if (!liquid()) {
        const double p1 = umrechnenDruck(Variant(s.p1Max), s.p1Unit, 0);
        const double p2 = umrechnenDruck(Variant(s.p2Max), s.p2Unit, 0);
        s.XMax = p1 != 0 ? finiteOr0((p1 - p2) / p1) : 0.0;
        setCaption(sheet.lblxMax, zahl3(s.XMax));
    }
    refreshPipeLists();
    fluidLabels();

    mainwin::setStatusText(getText("Berechnung nicht aktualisiert", s.Sprache) + ": " + reason);
    mainwin::beep();
    keepCoefficients(row);
}

} // namespace

void calcDurchfluss()
{
    SharedData &s = shared();
    FlowSheetAccess *sheet = activeFlowSheet();
    static bool running = false;
    if (!sheet || running)
        return;
    recalc::RunGuard guard(running);

    mainwin::setStatusText(QString());
    mainwin::setResultsCurrent(false);
    if (!checkEingabeDurchfluss()) {
        mainwin::beep();
        return;
    }
    FlowRun(s, *sheet).run();
}
