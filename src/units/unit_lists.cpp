#include "unit_lists.h"

#include "state/shared_data.h"
#include "texts.h"

#include <array>
#include <cmath>
#include <initializer_list>

namespace {

constexpr int Plaetze = 17; // slots of every unit list

// Writes the list's entries into its slots on every call, so that a changed screen language shows at once, and
// answers the slot at Index; an index outside the slots or one that is no number gives an empty text.
QString eintrag(std::initializer_list<QString> eintraege, const Variant &Index)
{
    std::array<QString, Plaetze> liste;
    int i = 0;
    for (const QString &e : eintraege)
        liste[i++] = e;
    long long index = 0;
    if (Index.isNumeric()) {
        if (!(std::fabs(Index.toDouble()) < 1e9))
            return QString();
        index = Index.toInt();
    } else if (!Index.isEmpty()) {
        return QString();
    }
    if (index < 0 || index >= Plaetze)
        return QString();
    return liste[static_cast<std::size_t>(index)];
}

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

QString EinheitDruck(const Variant &Index)
{
    const int sprache = shared().Sprache;
    return eintrag({s("bar,abs."), getText(QStringLiteral("bar,ü."), sprache), s("psia"), s("psig"),
                    s("MPa,abs."), getText(QStringLiteral("MPa,ü."), sprache), s("kPa,abs."),
                    getText(QStringLiteral("kPa,ü."), sprache)},
                   Index);
}

QString EinheitTemperatur(const Variant &Index)
{
    return eintrag({s("°C"), s("F")}, Index);
}

QString EinheitDurchflussGas(const Variant &Index)
{
    return eintrag({s("m3/h (norm.)"), s("kg/h"), s("l/min (norm.)"), s("lb./hr."), s("scu.ft./hr.")}, Index);
}

QString EinheitDurchflussFluessig(const Variant &Index)
{
    return eintrag({s("m3/h"), s("kg/h"), s("l/min."), s("lb./hr."), s("cu.ft./hr."), s("G.P.M.")}, Index);
}

QString EinheitMassenstrom(const Variant &Index)
{
    return eintrag({s("kg/h"), s("lb./hr.")}, Index);
}

QString EinheitMasse(const Variant &Index)
{
    return eintrag({s("kg"), s("lb.")}, Index);
}

QString EinheitZeit(const Variant &Index)
{
    return eintrag({s("sec."), s("min."), s("h")}, Index);
}

QString EinheitDichte(const Variant &Index)
{
    return eintrag({s("kg/m3"), s("lb./cu.ft.")}, Index);
}

QString EinheitViskositaet(const Variant &Index)
{
    return eintrag({s("mm²/s (cSt)"), s("mPas (cP)")}, Index);
}

QString EinheitGeschwindigkeit(const Variant &Index)
{
    return eintrag({s("m/s"), s("ft./sec.")}, Index);
}

QString EinheitKvs(const Variant &Index)
{
    return eintrag({s("Kvs"), s("CV")}, Index);
}

QString EinheitKv(const Variant &Index)
{
    return eintrag({s("Kv"), s("CV")}, Index);
}

QString EinheitLaenge(const Variant &Index)
{
    return eintrag({s("mm"), s("inch")}, Index);
}
