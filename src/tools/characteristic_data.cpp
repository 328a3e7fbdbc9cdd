#include "tools/characteristic_data.h"

#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/texts.h"

#include <cmath>

namespace kenndaten {

std::optional<Kurve> kurveAus(const Variant &Art)
{
    if (!Art.isString())
        return std::nullopt;
    const QString a = Art.toString();
    if (a == QLatin1String("Kv"))
        return Kurve::Kv;
    if (a == QLatin1String("Cv"))
        return Kurve::Cv;
    if (a == QLatin1String("FL"))
        return Kurve::FL;
    if (a == QLatin1String("xT"))
        return Kurve::xT;
    return std::nullopt;
}

QString blattName(Kurve k)
{
    switch (k) {
    case Kurve::Kv: return QStringLiteral("Kv");
    case Kurve::Cv: return QStringLiteral("Cv");
    case Kurve::FL: return QStringLiteral("FL");
    case Kurve::xT: return QStringLiteral("xT");
    }
    return QString();
}

Parameter parameterZellen(Kurve k)
{
    const SharedData &d = shared();
    const int Sprache = d.Sprache;
    Parameter p;
    auto setze = [&p](int row, const Variant &v) { p.zelle[static_cast<std::size_t>(row - 1)] = v; };

    setze(1, Variant(getText(QStringLiteral("Ventilöffnung"), Sprache)));
    const QString name = getVentiltypName(d.Ventiltyp, Sprache).toString();
    QString titel;
    switch (k) {
    case Kurve::Kv:
    case Kurve::Cv: titel = getText(QStringLiteral("Kennlinie"), Sprache); break;
    case Kurve::FL: titel = getText(QStringLiteral("Druckrückgewinn-Faktor FL"), Sprache); break;
    case Kurve::xT: titel = getText(QStringLiteral("Krit. Druckverhältnis xT"), Sprache); break;
    }
    setze(2, Variant(titel + QStringLiteral(" - ") + name));
    setze(3, Variant(umrechnenDN(Variant(d.DNVentil), d.DNunit, 0).toString() + QStringLiteral(" - ") +
                     umrechnenDN(Variant(d.DNVentil), d.DNunit, 1).toString()));
    if (const QString kennlinie = kennlinieKey(d.Kennlinie); !kennlinie.isEmpty())
        setze(4, Variant(getText(kennlinie, Sprache)));
    setze(5, umrechnenKvsCvTabelle(Variant(d.KvsCv), d.KvUnit, 0));
    setze(6, umrechnenKvsCvTabelle(Variant(d.KvsCv), d.KvUnit, 1));
    const Variant *koeffizienten[] = {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5, &d.AFL, &d.BFL,
                                      &d.CFL, &d.AxT, &d.BxT, &d.CxT};
    for (int i = 0; i < 12; ++i)
        setze(zeileA0 + i, *koeffizienten[i]);
    return p;
}

double zahl(const Variant &v)
{
    if (!v.isNumeric())
        return 0.0;
    double x = v.toDouble();
    if (v.type() == Variant::Type::Single)
        x = QString::number(x, 'g', 7).toDouble();
    return std::isfinite(x) ? x : 0.0;
}

double verhaeltnis(const Parameter &p, double y)
{
    double summe = 0.0;
    double potenz = 1.0;
    for (int i = 0; i < 6; ++i) {
        summe += zahl(p.zeile(zeileA0 + i)) * potenz;
        potenz *= y;
    }
    return summe;
}

namespace {
double parabel(const Parameter &p, int ersteZeile, double y)
{
    return zahl(p.zeile(ersteZeile)) + zahl(p.zeile(ersteZeile + 1)) * y + zahl(p.zeile(ersteZeile + 2)) * y * y;
}
} // namespace

double wert(const Parameter &p, Kurve k, double y)
{
    switch (k) {
    case Kurve::Kv: return zahl(p.zeile(zeileKvs)) * verhaeltnis(p, y);
    case Kurve::Cv: return zahl(p.zeile(zeileCv)) * verhaeltnis(p, y);
    case Kurve::FL: return parabel(p, zeileAFL, y);
    case Kurve::xT: return parabel(p, zeileAxT, y);
    }
    return 0.0;
}

} // namespace kenndaten
