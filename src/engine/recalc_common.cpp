#include "engine/recalc_common.h"

#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/label.h"
#include "state/shared_data.h"
#include "units/file_messages.h"
#include "units/number_format.h"
#include "units/physical_limits.h"
#include "units/texts.h"

#include <QFileInfo>
#include <cmath>

namespace recalc {

ValveFields::ValveFields(const Recordset &rs)
    : a0(rs, QStringLiteral("a0")), a1(rs, QStringLiteral("a1")), a2(rs, QStringLiteral("a2")),
      a3(rs, QStringLiteral("a3")), a4(rs, QStringLiteral("a4")), a5(rs, QStringLiteral("a5")),
      aFL(rs, QStringLiteral("aFL")), bFL(rs, QStringLiteral("bFL")), cFL(rs, QStringLiteral("cFL")),
      axT(rs, QStringLiteral("axT")), bxT(rs, QStringLiteral("bxT")), cxT(rs, QStringLiteral("cxT")),
      Schalldaten(rs, QStringLiteral("Schalldaten"))
{
}

ValveRow ValveFields::read() const
{
    ValveRow row;
    row.found = true;
    row.a0 = a0();
    row.a1 = a1();
    row.a2 = a2();
    row.a3 = a3();
    row.a4 = a4();
    row.a5 = a5();
    row.aFL = aFL();
    row.bFL = bFL();
    row.cFL = cFL();
    row.axT = axT();
    row.bxT = bxT();
    row.cxT = cxT();
    row.Schalldaten = Schalldaten().toString();
    return row;
}

void keepCoefficients(const ValveRow &row)
{
    SharedData &s = shared();
    s.A0 = row.a0;
    s.A1 = row.a1;
    s.A2 = row.a2;
    s.A3 = row.a3;
    s.A4 = row.a4;
    s.A5 = row.a5;
    s.AFL = row.aFL;
    s.BFL = row.bFL;
    s.CFL = row.cFL;
    s.AxT = row.axT;
    s.BxT = row.bxT;
    s.CxT = row.cxT;
}

flow::ValveCurves curvesOf(double KvsCv, int KvUnit, const ValveRow &row)
{
    return {KvsCv,           KvUnit,          row.a0.asNumber(),  row.a1.asNumber(),  row.a2.asNumber(),
            row.a3.asNumber(), row.a4.asNumber(), row.a5.asNumber(), row.aFL.asNumber(), row.bFL.asNumber(),
            row.cFL.asNumber(), row.axT.asNumber(), row.bxT.asNumber(), row.cxT.asNumber()};
}

flow::ValveCurves curvesOf(const SharedData &s)
{
    return {s.KvsCv,           s.KvUnit,          s.A0.asNumber(),  s.A1.asNumber(),  s.A2.asNumber(),
            s.A3.asNumber(),   s.A4.asNumber(),   s.A5.asNumber(),  s.AFL.asNumber(), s.BFL.asNumber(),
            s.CFL.asNumber(),  s.AxT.asNumber(),  s.BxT.asNumber(), s.CxT.asNumber()};
}

flow::ValveFlow valveAtPoint(const SharedData &s, const flow::ValveCurves &curves, double p1, double p2,
                             const PointFluid &fluid)
{
    return flow::ValveFlow(curves, s.Medium, s.Zustand, Variant(s.DNVentil), Variant(s.DN1Rohr), Variant(s.DN2Rohr),
                           s.DNunit, Variant(p1), s.p1Unit, Variant(p2), s.p2Unit, Variant(s.pkrit),
                           Variant(fluid.psat), s.pUnit, Variant(fluid.rho1), Variant(s.rhoN), s.rhoUnit,
                           Variant(fluid.nue), s.nueUnit, Variant(fluid.gamma), s.QUnit);
}

double finiteOr0(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

void setCaption(Label *label, const QString &caption)
{
    if (label)
        label->setCaption(caption);
}

QString zahl3(double v)
{
    return std::isfinite(v) ? formatZahl3(Variant(v)).toString() : kNA;
}

QString zahl4(double v)
{
    return std::isfinite(v) ? formatZahl4(Variant(v)).toString() : kNA;
}

double asShown4(double v)
{
    double shown = 0.0;
    return std::isfinite(v) && gezeigtVierstellig(v, &shown) ? shown : v;
}

QString fixedPattern(double v, int decimals)
{
    return std::isfinite(v) ? numtext::fixed(v, decimals) : kNA;
}

QString yesNo(bool yes)
{
    return getText(yes ? QStringLiteral("ja") : QStringLiteral("nein"), shared().Sprache);
}

QString impossibleFluid(const SharedData &s, const PointFluid &point)
{
    auto reason = [&s](const char *key) { return getText(QString::fromUtf8(key), s.Sprache); };
    if (s.Zustand == 0 && !physical::isValidDensity(s.rhoN))
        return reason("Normdichte unzulässig!");
    if (!physical::isValidDensity(point.rho1))
        return reason("Dichtewert unzulässig!");
    if ((s.Zustand == 0 || s.Zustand == 2) && !physical::isValidKappa(point.gamma))
        return reason("Isentropenexponent unzulässig!");
    if (s.Zustand == 2 && s.Medium != 2 && !physical::isValidMolarMass(s.M))
        return reason("Molmasse unzulässig!");
    const bool givenLiquid = s.Zustand == 1 && s.Medium != 1 && s.Medium < 10;
    if (givenLiquid && !physical::isValidViscosity(point.nue))
        return reason("Viskosität unzulässig!");
    if (givenLiquid && !physical::isValidVapourPressure(point.psat, s.pUnit))
        return reason("Dampfdruck unzulässig!");
    if (givenLiquid && !physical::isValidCriticalPressure(s.pkrit, s.pUnit))
        return reason("Kritischer Druck unzulässig!");
    return QString();
}

QString impossibleValve(double KvsCv, const ValveRow &row)
{
    const int Sprache = shared().Sprache;
    if (!physical::isValidFlowCoefficient(KvsCv))
        return getText(QStringLiteral("Durchflusskoeffizient unzulässig!"), Sprache);
    if (!physical::isValidValveFactorCurve(row.aFL.asNumber(), row.bFL.asNumber(), row.cFL.asNumber()))
        return getText(QStringLiteral("FL-Kennlinie unzulässig!"), Sprache);
    if (!physical::isValidValveFactorCurve(row.axT.asNumber(), row.bxT.asNumber(), row.cxT.asNumber()))
        return getText(QStringLiteral("xT-Kennlinie unzulässig!"), Sprache);
    return QString();
}

QString databaseFailure(const DbError &e)
{
    const int Sprache = shared().Sprache;
    QString text = getText(QStringLiteral("Datenbankfehler"), Sprache);
    const QString file = QFileInfo(e.file()).fileName();
    if (!file.isEmpty())
        text += QStringLiteral(": ") + file;
    if (!e.table().isEmpty())
        text += (file.isEmpty() ? QStringLiteral(": ") : QStringLiteral(", ")) + e.table();
    return text + QStringLiteral(": ") + failureReasonInTable(e, Sprache);
}

} // namespace recalc
