#include "engine/valve_verdict.h"
#include "platform/core/number_text.h"
#include "reports/print_dialog.h"
#include "state/shared_data.h"
#include "units/number_format.h"
#include "units/texts.h"
#include "units/unit_lists.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const QString kNA = QStringLiteral("N/A");

// Pressures in the general number form, a blank in place of the sign of a value that is not negative.
QString pressureText(double v)
{
    return (v < 0 ? QString() : QStringLiteral(" ")) + numtext::general(v, 15);
}

QString zahl3(double v)
{
    return formatZahl3(Variant(v)).toString();
}

QString zahl4(double v)
{
    return formatZahl4(Variant(v)).toString();
}

QString pattern3(double v)
{
    return numtext::fixed(v, 3);
}

// The solver marks an opening it could not find with -1; the sheet shows it and what depends on it as "N/A".
bool openingFound(double y)
{
    return std::isfinite(y) && y != -1.0;
}

// A stored noise text in whole decibels; a text that is no number ("N/A", a blank) as it stands.
QString decibels(const QString &stored)
{
    const Variant v(stored);
    return v.isNumeric() ? numtext::fixed(v.toDouble(), 0) : stored;
}

} // namespace

QString frmDruck::t(const char *key) const
{
    return frame_->text(QString::fromUtf8(key));
}

bool frmDruck::minEntry() const
{
    const SharedData &d = shared();
    return d.QMin > 0 && d.MIN && d.Modus == 0;
}

bool frmDruck::normEntry() const
{
    const SharedData &d = shared();
    return d.QNorm > 0 && d.NORM && d.Modus == 0;
}

QString frmDruck::flowUnit() const
{
    const SharedData &d = shared();
    switch (d.Zustand) {
    case 0:
        return EinheitDurchflussGas(Variant(d.QUnit));
    case 1:
        return EinheitDurchflussFluessig(Variant(d.QUnit));
    case 2:
        return EinheitMassenstrom(Variant(d.QUnit));
    default:
        return QString();
    }
}

std::array<std::pair<bool, const char *>, 4> frmDruck::warnungen() const
{
    return {{{bWarnungStellverhältnis, "Stellverhältnis nicht ausreichend!"},
             {bWarnungVentilöffnung, "Ventilöffnung nicht ermittelbar!"},
             {bWarnungVentildurchfluss, "Ventildurchfluss nicht ausreichend!"},
             {bWarnungDurchflussreserve, "Durchflussreserve evtl. nicht ausreichend!"}}};
}

int frmDruck::nummer(Warnung w) const
{
    const auto list = warnungen();
    int number = 1;
    for (int i = 0; i < static_cast<int>(w); ++i)
        number += list[static_cast<std::size_t>(i)].first ? 1 : 0;
    return number;
}

void frmDruck::marker(QList<int> numbers)
{
    Printer &p = frame_->printer();
    std::sort(numbers.begin(), numbers.end());
    QStringList text;
    for (const int n : numbers)
        text << QString::number(n) + QLatin1Char(')');
    p.tab(report::kMarkerColumn);
    p.setFontItalic(true);
    p.setFontBold(true);
    p.printLine(text.join(QLatin1Char(' ')));
    p.setFontItalic(false);
    p.setFontBold(false);
}

void frmDruck::druckZeile(int labelColumn, const QString &label, const QString &min, const QString &norm,
                          const QString &max, const QString &unit)
{
    frame_->pointRow(labelColumn, label, minEntry() ? std::optional(min) : std::nullopt,
                     normEntry() ? std::optional(norm) : std::nullopt, max, unit);
}

namespace {

QString stateText(const ReportFrame &f, int Zustand)
{
    switch (Zustand) {
    case 0:
        return f.text(QStringLiteral("Ideales Gas"));
    case 1:
        return f.text(QStringLiteral("Flüssigkeit"));
    case 2:
        return f.text(QStringLiteral("Reales Gas"));
    default:
        return QString();
    }
}

// "<section> / Medium: <name> / Zustandsverhalten: <state>"; a built-in medium's name is translated.
QString mediumHeading(const ReportFrame &f, const QString &section)
{
    const SharedData &d = shared();
    return f.text(section) + QStringLiteral(" / ") + f.text(QStringLiteral("Medium")) + QStringLiteral(": ") +
           f.text(d.NameMedium) + QStringLiteral(" / ") + f.text(QStringLiteral("Zustandsverhalten")) +
           QStringLiteral(": ") + stateText(f, d.Zustand);
}

} // namespace

void frmDruck::druck_Prozessdaten()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    using namespace report;
    frame_->heading(mediumHeading(*frame_, QStringLiteral("Prozessdaten")));
    frame_->columnHeads();

    auto row = [&](const QString &label, const QString &min, const QString &norm, const QString &max,
                   const QString &unit) { druckZeile(kLabelColumn, label, min, norm, max, unit); };
    row(t("Vordruck") + QStringLiteral(" P1"), pressureText(d.p1Min), pressureText(d.p1Norm), pressureText(d.p1Max),
        EinheitDruck(Variant(d.p1Unit)));
    row(t("Nachdruck") + QStringLiteral(" P2"), pressureText(d.p2Min), pressureText(d.p2Norm),
        pressureText(d.p2Max), EinheitDruck(Variant(d.p2Unit)));
    row(t("Temperatur") + QStringLiteral(" T1"), formatHashDot0(d.T1Min), formatHashDot0(d.T1Norm),
        formatHashDot0(d.T1Max), EinheitTemperatur(Variant(d.T1Unit)));
    row(t("Durchfluss") + QStringLiteral(" Q"), zahl4(d.QMin), zahl4(d.QNorm), zahl4(d.QMax), flowUnit());
    p.printLine();
}

void frmDruck::druck_Prozessdaten_Flow()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    using namespace report;
    frame_->heading(mediumHeading(*frame_, QStringLiteral("Prozessdaten")));

    auto row = [&](const QString &label, const QString &max, const QString &unit, bool bold) {
        frame_->pointRow(kLabelColumn, label, std::nullopt, std::nullopt, max, unit, bold);
    };
    row(t("Vordruck") + QStringLiteral(" P1"), pressureText(d.p1Max), EinheitDruck(Variant(d.p1Unit)), false);
    row(t("Nachdruck") + QStringLiteral(" P2"), pressureText(d.p2Max), EinheitDruck(Variant(d.p2Unit)), false);
    row(t("Temperatur") + QStringLiteral(" T1"), formatHashDot0(d.T1Max), EinheitTemperatur(Variant(d.T1Unit)),
        false);
    row(t("Durchfluss") + QStringLiteral(" Q (") + t("berechnet") + QLatin1Char(')'), zahl4(d.QMax), flowUnit(),
        true);
    p.printLine();
}

void frmDruck::druck_Ventildaten()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    using namespace report;
    frame_->heading(t("Ventildaten") + QStringLiteral(" / ") + getVentiltypName(d.Ventiltyp, d.SpracheDruck).toString());

    // The rangeability, the valve flow and the reserve are judged as on the sheet.
    const ValveVerdict verdict = judgeValve(d);
    struct Point {
        bool printed;
        int column;
        double y, Kv, required, FL, XT, Q;
        bool full;           // it needs more than the valve passes at full travel
        bool rangeShort;     // it needs more rangeability than the valve has
        bool found = false;  // the solver found the opening
        bool short_ = false; // ... and the rangeability rows print it
    };
    Point points[] = {
        {minEntry(), kMinColumn, d.yMin, d.Kvmin, d.StellverhältnisMin, d.FLMin, d.XTMin, d.QMin,
         verdict.beyondFullTravel[0], verdict.rangeabilityShort[0]},
        {normEntry(), kNormColumn, d.yNorm, d.Kvnorm, d.StellverhältnisNorm, d.FLNorm, d.XTNorm, d.QNorm,
         verdict.beyondFullTravel[1], verdict.rangeabilityShort[1]},
        {true, kMaxColumn, d.yMax, d.Kvmax, d.StellverhältnisMax, d.FLMax, d.XTMax, d.QMax,
         verdict.beyondFullTravel[2], verdict.rangeabilityShort[2]}};

    // Judged before the first row, so that every marker carries its note's number in the list, whose order is
    // fixed.
    const bool rangeabilityRows = d.Kennlinie != 2 && d.DruckStellverhältnis.toBool();
    bWarnungStellverhältnis = false;
    bWarnungVentilöffnung = false;
    bWarnungVentildurchfluss = verdict.noReserve || verdict.anyBeyondFullTravel();
    bWarnungDurchflussreserve = verdict.smallReserve;
    for (Point &pt : points) {
        if (!pt.printed)
            continue;
        pt.found = openingFound(pt.y);
        pt.short_ = rangeabilityRows && pt.rangeShort;
        bWarnungStellverhältnis |= pt.short_;
        bWarnungVentilöffnung |= !pt.found;
    }
    for (const auto &[set, key] : warnungen())
        AnzahlWarnungen += set ? 1 : 0;

    // The entries of the printed points, each bold where `bold` says; `after` is the column that follows the max
    // entry on its line (0: none).
    auto pointEntries = [&](const std::function<QString(const Point &)> &text,
                            const std::function<bool(const Point &)> &bold, int after) {
        std::vector<const Point *> shown;
        for (const Point &pt : points)
            if (pt.printed)
                shown.push_back(&pt);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            p.setFontBold(bold(*shown[i]));
            frame_->entry(shown[i]->column, text(*shown[i]), i + 1 < shown.size() ? shown[i + 1]->column : after);
            p.setFontBold(false);
        }
    };
    auto none = [](const Point &) { return false; };
    auto full = [](const Point &pt) { return pt.full; };
    // The notes of the Kv and opening rows; the opening row, where there is one, tells the openings not found.
    const bool openingRow = d.Kennlinie != 2;
    QList<int> kvNotes, openingNotes;
    if (verdict.anyBeyondFullTravel())
        kvNotes << nummer(Warnung::Ventildurchfluss);
    openingNotes = kvNotes;
    if (bWarnungVentilöffnung)
        (openingRow ? openingNotes : kvNotes) << nummer(Warnung::Ventilöffnung);

    p.tab(kLabelColumn);
    p.print(t("Nennweite"));
    p.tab(kMaxColumn);
    p.print(d.DNVentil);
    p.tab(kUnitColumn);
    p.printLine(EinheitLaenge(Variant(d.DNunit)));

    druckKennlinie();
    p.printLine();
    druckKvs();

    p.tab(kSubLabelColumn);
    p.print(t("berechnet"));
    const QString kvUnit = EinheitKv(Variant(d.KvUnit)) + QLatin1Char(' ');
    pointEntries([&](const Point &pt) { return kvUnit + (hasRequiredKv(pt.y, pt.Kv, pt.Q) ? zahl4(pt.Kv) : kNA); },
                 full,
                 kvNotes.isEmpty() ? 0 : kMarkerColumn);
    if (kvNotes.isEmpty())
        p.endLine();
    else
        marker(kvNotes);
    p.printLine();

    if (rangeabilityRows) {
        p.tab(kLabelColumn);
        p.print(t("Stellverhältnis"));
        frame_->entry(kMaxColumn, zahl3(d.Stellverhältnis) + QStringLiteral(":1"), 0);
        p.endLine();

        p.tab(kSubLabelColumn);
        p.print(t("berechnet"));
        pointEntries(
            [](const Point &pt) {
                return hasRequiredRangeability(pt.y, pt.Kv) ? zahl3(pt.required) + QStringLiteral(":1") : kNA;
            },
            [](const Point &pt) { return pt.short_; }, bWarnungStellverhältnis ? kMarkerColumn : 0);
        // Without a marker the line stays open; the next row's label starts a new one.
        if (bWarnungStellverhältnis)
            marker({nummer(Warnung::Stellverhältnis)});
    }

    if (openingRow) {
        p.tab(kLabelColumn);
        p.print(t("Ventilöffnung"));
        pointEntries([](const Point &pt) { return pt.found ? zahl3(pt.y * 100) : kNA; }, full, kUnitColumn);
        p.tab(kUnitColumn);
        p.print(QStringLiteral("%"));
        if (openingNotes.isEmpty())
            p.endLine();
        else
            marker(openingNotes);
    }
    p.printLine();

    p.tab(kLabelColumn);
    p.print(t("Max. Durchfluss (y = 100%)"));
    frame_->entry(kMaxColumn, zahl4(d.Q100), kUnitColumn);
    p.tab(kUnitColumn);
    p.printLine(flowUnit());

    p.tab(kLabelColumn);
    p.print(t("Durchflussreserve"));
    p.setFontBold(verdict.noReserve || verdict.smallReserve);
    frame_->entry(kMaxColumn, verdict.reserve ? formatHashDotHash(*verdict.reserve * 100) : kNA, kUnitColumn);
    p.setFontBold(false);
    p.tab(kUnitColumn);
    p.print(QStringLiteral("%"));
    if (verdict.noReserve)
        marker({nummer(Warnung::Ventildurchfluss)});
    else if (verdict.smallReserve)
        marker({nummer(Warnung::Durchflussreserve)});
    else
        p.endLine();
    p.printLine();

    p.tab(kLabelColumn);
    const bool liquid = d.Zustand == 1;
    p.print(liquid ? t("Druckrückgewinn-Faktor FL") : t("Krit. Druckverhältnis xT"));
    pointEntries([liquid](const Point &pt) { return pt.found ? pattern3(liquid ? pt.FL : pt.XT) : kNA; }, none, 0);
    p.endLine();
}

void frmDruck::druckKennlinie()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    const QString kennlinie = kennlinieKey(d.Kennlinie);
    p.tab(report::kLabelColumn);
    p.print(t("Kennlinie"));
    p.tab(report::kMaxColumn);
    p.printLine(kennlinie.isEmpty() ? QString() : frame_->text(kennlinie));
}

void frmDruck::druckKvs()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    p.tab(report::kLabelColumn);
    p.print(t("Durchflusskoeffizient"));
    p.tab(report::kMaxColumn);
    p.printLine(EinheitKvs(Variant(d.KvUnit)) + QLatin1Char(' ') + numtext::general(d.KvsCv, 7) +
                QStringLiteral(" (") + numtext::general(d.Reduktion, 7) + QStringLiteral("%)"));
}

void frmDruck::druck_Ventildaten_Flow()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    using namespace report;
    frame_->heading(t("Ventildaten") + QStringLiteral(" / ") + getVentiltypName(d.Ventiltyp, d.SpracheDruck).toString());

    p.tab(kLabelColumn);
    p.print(t("Nennweite"));
    p.tab(kMaxColumn);
    p.print(d.DNVentil);
    p.tab(kUnitColumn);
    p.printLine(EinheitLaenge(Variant(d.DNunit)));
    druckKennlinie();
    p.printLine();
    druckKvs();

    p.tab(kSubLabelColumn);
    p.print(t("berechnet"));
    frame_->entry(kMaxColumn, EinheitKv(Variant(d.KvUnit)) + QLatin1Char(' ') + zahl4(d.Kvmax), 0);
    p.endLine();
    p.printLine();

    p.tab(kLabelColumn);
    p.setFontBold(true);
    p.print(t("Ventilöffnung"));
    frame_->entry(kMaxColumn, zahl4(d.yMax * 100), kUnitColumn);
    p.tab(kUnitColumn);
    p.printLine(QStringLiteral("%"));
    p.setFontBold(false);
    p.printLine();

    p.tab(kLabelColumn);
    const bool liquid = d.Zustand == 1;
    p.print(liquid ? t("Druckrückgewinn-Faktor FL") : t("Krit. Druckverhältnis xT"));
    frame_->entry(kMaxColumn, pattern3(liquid ? d.FLMax : d.XTMax), 0);
    p.endLine();
}

void frmDruck::druck_ErwKenndaten()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    using namespace report;
    const bool liquid = d.Zustand == 1;
    const bool gas = d.Zustand == 0 || d.Zustand == 2;
    struct Point {
        bool printed;
        int column;
        double y, X, zy, xF;
        bool cavitation, choked;
        // Without the valve's noise table z, and with it cavitation, are unknown.
        bool noZ;
    };
    const Point points[] = {{minEntry(), kMinColumn, d.yMin, d.XMin, d.zyMin, d.xFMin, d.KavitationMin,
                             d.ChokedFlowMin, d.SchalltabelleFehltMin},
                            {normEntry(), kNormColumn, d.yNorm, d.XNorm, d.zyNorm, d.xFNorm, d.KavitationNorm,
                             d.ChokedFlowNorm, d.SchalltabelleFehltNorm},
                            {true, kMaxColumn, d.yMax, d.XMax, d.zyMax, d.xFMax, d.KavitationMax, d.ChokedFlowMax,
                             d.SchalltabelleFehltMax}};
    const QString ja = t("ja");
    const QString nein = t("nein");

    // One row; a yes/no row leaves out its max entry without a maximum flow, and then keeps the line open.
    auto row = [&](const QString &label, const std::function<QString(const Point &)> &entry, bool yesNoRow) {
        p.tab(kLabelColumn);
        p.print(label);
        std::vector<const Point *> shown;
        for (const Point &pt : points)
            if (pt.printed && !(pt.column == kMaxColumn && yesNoRow && !(d.QMax > 0)))
                shown.push_back(&pt);
        for (std::size_t i = 0; i < shown.size(); ++i)
            frame_->entry(shown[i]->column, entry(*shown[i]), i + 1 < shown.size() ? shown[i + 1]->column : 0);
        if (!shown.empty() && shown.back()->column == kMaxColumn)
            p.endLine();
    };

    if (gas)
        row(t("Druckverhältnis x"), [](const Point &pt) { return pattern3(pt.X); }, false);
    if (liquid) {
        row(t("z-Wert"), [](const Point &pt) { return pt.noZ ? kNA : pattern3(pt.zy); }, false);
        row(t("Druckverhältnis xF"), [](const Point &pt) { return pattern3(pt.xF); }, false);
        row(t("Kavitation?"),
            [&](const Point &pt) { return pt.noZ ? kNA : (pt.cavitation ? ja : nein); }, true);
    }
    // On gas and steam the verdict needs xT at the opening, which an opening not found does not give.
    row(t("Durchflussbegrenzung?"),
        [&](const Point &pt) {
            if (gas && d.Modus == 0 && !openingFound(pt.y))
                return kNA;
            return pt.choked ? ja : nein;
        },
        true);
}

void frmDruck::druck_Rohrleitung()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    using namespace report;
    frame_->heading(t("Rohrleitung"));

    static const char *const choices[] = {"= Ventil-Nennweite", "für optimierte Strömungsgeschwindigkeit",
                                          "Vorgabe"};
    p.tab(kLabelColumn);
    p.print(t("Nennweite"));
    p.printLine(QStringLiteral(" (") + (d.chkDNRohr >= 0 && d.chkDNRohr <= 2 ? t(choices[d.chkDNRohr]) : QString()) +
                QLatin1Char(')'));
    const QString length = EinheitLaenge(Variant(d.DNunit));
    for (const auto &[label, size] : {std::pair{"Eingang", &d.DN1Rohr}, std::pair{"Ausgang", &d.DN2Rohr}}) {
        p.tab(kSubLabelColumn);
        p.print(t(label));
        frame_->entry(kMaxColumn, *size, kUnitColumn);
        p.tab(kUnitColumn);
        p.printLine(length);
    }
    p.tab(kLabelColumn);
    p.printLine(t("Strömungsgeschwindigkeit"));
    const QString speed = EinheitGeschwindigkeit(Variant(d.vUnit));
    struct Velocity {
        const char *label;
        double min, norm, max;
    };
    for (const Velocity &v : {Velocity{"Eingang", d.v1Min, d.v1Norm, d.v1Max},
                              Velocity{"Ausgang", d.v2Min, d.v2Norm, d.v2Max}}) {
        druckZeile(kSubLabelColumn, t(v.label), zahl3(v.min), zahl3(v.norm), zahl3(v.max), speed);
    }
    p.printLine();
}

void frmDruck::druck_Schalldruck()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    using namespace report;
    frame_->heading(t("Schalldruck"));
    struct Level {
        const char *label;
        const QString &min, &norm, &max;
    };
    for (const Level &l : {Level{"Berechnung nach VDMA 24422/79", d.LAMin, d.LANorm, d.LAMax},
                           Level{"gemessene Korrektur", d.DLAMin, d.DLANorm, d.DLAMax},
                           Level{"zu erwartender Wert", d.LAEffMin, d.LAEffNorm, d.LAEffMax}}) {
        druckZeile(kLabelColumn, t(l.label), decibels(l.min), decibels(l.norm), decibels(l.max),
                   QStringLiteral("dB(A)"));
    }
    p.printLine();
}

void frmDruck::druck_Stoffdaten()
{
    const SharedData &d = shared();
    Printer &p = frame_->printer();
    using namespace report;
    frame_->heading(mediumHeading(*frame_, QStringLiteral("Stoffdaten")));

    auto row = [&](const QString &label, double min, double norm, double max, const QString &unit) {
        druckZeile(kLabelColumn, label, zahl3(min), zahl3(norm), zahl3(max), unit);
    };
    const QString density = EinheitDichte(Variant(d.rhoUnit));
    if (d.Zustand == 0) {
        p.tab(kLabelColumn);
        p.print(t("Normdichte"));
        frame_->entry(kMaxColumn, zahl3(d.rhoN), kUnitColumn);
        p.tab(kUnitColumn);
        p.printLine(density);
    }
    row(t("Dichte"), d.rho1Min, d.rho1Norm, d.rho1Max, density);
    if (d.Zustand == 0 || d.Zustand == 2)
        row(t("Isentropenexponent"), d.gammaMin, d.gammaNorm, d.gammaMax, QStringLiteral("   -"));
    if (d.Zustand == 1) {
        // Gauge pressure units are named in the screen language, as on the sheet.
        row(t("Dampfdruck"), d.psatMin, d.psatNorm, d.psatMax, EinheitDruck(Variant(d.pUnit)));
        row(t("Viskosität"), d.nueMin, d.nueNorm, d.nueMax, EinheitViskositaet(Variant(d.nueUnit)));
    }
    p.printLine();
}
