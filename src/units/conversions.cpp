#include "conversions.h"

#include "number_format.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "state/shared_data.h"

#include <array>
#include <cmath>

namespace {

constexpr double Atmosphaere = 1.01325; // bar added to a gauge pressure

bool zahl(const Variant &Wert, double *x)
{
    if (!Wert.isNumeric())
        return false;
    *x = Wert.toDouble();
    return std::isfinite(*x);
}

bool imBereich(int index, int anzahl)
{
    return index >= 0 && index < anzahl;
}

// Flows and mass flows: a converted value is handed back as the four-digit text.
Variant gerundet(double ergebnis, double x)
{
    if (!std::isfinite(ergebnis))
        return Variant();
    if (ergebnis != x)
        return formatZahl4(Variant(ergebnis));
    return Variant(ergebnis);
}

// A value handed back unconverted: an infinite or undefined number becomes an empty result, as any other unusable
// input does.
Variant endlich(const Variant &Wert)
{
    const bool zahlTyp = Wert.type() == Variant::Type::Double || Wert.type() == Variant::Type::Single;
    return zahlTyp && !Wert.isNumeric() ? Variant() : Wert;
}

Variant ungerundet(double ergebnis)
{
    return std::isfinite(ergebnis) ? Variant(ergebnis) : Variant();
}

// Density in kg/m3 for the flow and viscosity conversions; 0 when it is not usable.
double dichteKgM3(const Variant &Rho, int RhoEinheit)
{
    double rho = 0.0;
    if (!zahl(umrechnenDichte(Rho, RhoEinheit, 0), &rho))
        return 0.0;
    return rho;
}

// One cell of a flow table: the formula, and whether it needs the density.
struct Zelle {
    double (*formel)(double x, double rho);
    bool mitDichte;
};

// Rows: target unit, columns: source unit. The factors are those the program has always used, including the
// two lb and two cu.ft factors that differ by direction.
const std::array<std::array<Zelle, 5>, 5> tabelleGas = {{
    {{{[](double x, double) { return x; }, false},
      {[](double x, double r) { return x / r; }, true},
      {[](double x, double) { return 0.06 * x; }, false},
      {[](double x, double r) { return 0.454 * x / r; }, true},
      {[](double x, double) { return x / 35.32; }, false}}},
    {{{[](double x, double r) { return x * r; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double r) { return 0.06 * x * r; }, true},
      {[](double x, double) { return 0.454 * x; }, false},
      {[](double x, double r) { return x / 35.32 * r; }, true}}},
    {{{[](double x, double) { return x / 0.06; }, false},
      {[](double x, double r) { return x / r / 0.06; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double r) { return 0.45359 * x / r / 0.06; }, true},
      {[](double x, double) { return 0.028317 * x / 0.06; }, false}}},
    {{{[](double x, double r) { return x / 0.45359 * r; }, true},
      {[](double x, double) { return x / 0.45359; }, false},
      {[](double x, double r) { return x / 0.45359 * r * 0.06; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double r) { return 0.028317 * x / 0.45359 * r; }, true}}},
    {{{[](double x, double) { return x / 0.028317; }, false},
      {[](double x, double r) { return x / 0.028317 / r; }, true},
      {[](double x, double) { return x / 0.028317 * 0.06; }, false},
      {[](double x, double r) { return x / 0.028317 * 0.45359 / r; }, true},
      {[](double x, double) { return x; }, false}}},
}};

const std::array<std::array<Zelle, 6>, 6> tabelleFluessig = {{
    {{{[](double x, double) { return x; }, false},
      {[](double x, double r) { return x / r; }, true},
      {[](double x, double) { return 0.06 * x; }, false},
      {[](double x, double r) { return 0.454 * x / r; }, true},
      {[](double x, double) { return x / 35.32; }, false},
      {[](double x, double) { return x / 4.4; }, false}}},
    {{{[](double x, double r) { return x * r; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double r) { return 0.06 * x * r; }, true},
      {[](double x, double) { return 0.454 * x; }, false},
      {[](double x, double r) { return x / 35.32 * r; }, true},
      {[](double x, double r) { return x / 4.4 * r; }, true}}},
    {{{[](double x, double) { return x / 0.06; }, false},
      {[](double x, double r) { return x / r / 0.06; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double r) { return 0.454 * x / r / 0.06; }, true},
      {[](double x, double) { return x / 35.32 / 0.06; }, false},
      {[](double x, double) { return x / 4.4 / 0.06; }, false}}},
    {{{[](double x, double r) { return x / 0.454 * r; }, true},
      {[](double x, double) { return x / 0.454; }, false},
      {[](double x, double r) { return x / 0.454 * r * 0.06; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double r) { return x / 35.32 / 0.45359 * r; }, true},
      {[](double x, double r) { return x / 4.4 / 0.454 * r; }, true}}},
    {{{[](double x, double) { return 35.32 * x; }, false},
      {[](double x, double r) { return 35.32 * x / r; }, true},
      {[](double x, double) { return 0.06 * x * 35.32; }, false},
      {[](double x, double r) { return 35.32 * 0.454 * x / r; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double) { return x / 4.4 * 35.32; }, false}}},
    {{{[](double x, double) { return 4.4 * x; }, false},
      {[](double x, double r) { return 4.4 * x / r; }, true},
      {[](double x, double) { return 0.06 * x * 4.4; }, false},
      {[](double x, double r) { return 0.454 * x * 4.4 / r; }, true},
      {[](double x, double) { return x / 35.32 * 4.4; }, false},
      {[](double x, double) { return x; }, false}}},
}};

template <std::size_t N>
Variant umrechnenDurchfluss(const std::array<std::array<Zelle, N>, N> &tabelle, const Variant &Wert, int EinheitVon,
                            const Variant &Rho, int RhoEinheit, int EinheitNach)
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return Variant();
    if (!imBereich(EinheitVon, int(N)) || !imBereich(EinheitNach, int(N)))
        return gerundet(0.0, x);
    if (EinheitVon == EinheitNach)
        return Wert;
    const Zelle &zelle = tabelle[EinheitNach][EinheitVon];
    const double rho = zelle.mitDichte ? dichteKgM3(Rho, RhoEinheit) : 0.0;
    // Mass and volume cannot be converted into each other without a density.
    if (zelle.mitDichte && rho == 0.0)
        return Variant();
    return gerundet(zelle.formel(x, rho), x);
}

// Two units: hin converts unit 0 to unit 1, zurueck unit 1 to unit 0.
Variant linear2(const Variant &Wert, int EinheitVon, int EinheitNach, double (*hin)(double), double (*zurueck)(double))
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return Variant();
    if (!imBereich(EinheitVon, 2) || !imBereich(EinheitNach, 2))
        return Variant();
    if (EinheitVon == EinheitNach)
        return Wert;
    return ungerundet(EinheitVon == 0 ? hin(x) : zurueck(x));
}

struct DNZeile {
    const char *mm;
    const char *zoll;
};

const std::array<DNZeile, 18> tabelleDN = {{
    {"8", "1/4\""},     {"10", "3/8\""},   {"15", "1/2\""},   {"20", "3/4\""},         {"25", "1\""},
    {"32", "1 1/4\""},  {"40", "1 1/2\""}, {"50", "2\""},     {"65", "2 1/2\""},       {"80", "3\""},
    {"100", "4\""},     {"125", "5\""},    {"150", "6\""},    {"200", "8\""},          {"250", "10\""},
    {"300", "12\""},    {"350", "14\""},   {"400", "16\""},
}};

// Catalogue columns declared Single give back the stored float: compare at that precision, so that a value read
// from the table (or its seven-digit text) finds its row again.
bool gleicherBeiwert(const Variant &feld, const Variant &Wert)
{
    if (!feld.isNumber() || !Wert.isNumeric())
        return false;
    const double w = Wert.toDouble();
    if (feld.type() == Variant::Type::Single)
        return static_cast<float>(w) == feld.toFloat();
    return feld.toDouble() == w;
}

Variant sucheInVentiltabelle(const Variant &Wert, const QString &spalteVon, const QString &spalteNach)
{
    const std::shared_ptr<Recordset> rs = shared().rsVentil;
    if (!rs)
        return Variant();
    try {
        // A clone, so that the caller's current row stays where it is.
        std::unique_ptr<Recordset> kopie = rs->clone();
        Variant ergebnis;
        kopie->moveFirst();
        while (!kopie->eof()) {
            if (gleicherBeiwert(kopie->field(spalteVon), Wert)) {
                ergebnis = kopie->field(spalteNach);
                break;
            }
            kopie->moveNext();
        }
        kopie->close();
        return ergebnis;
    } catch (const std::exception &) {
        return Variant();
    }
}

} // namespace

double umrechnenDruck(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return 0.0;
    if (!imBereich(EinheitVon, 8) || !imBereich(EinheitNach, 8))
        return 0.0;
    if (EinheitVon == EinheitNach)
        return x;
    // Even indices are absolute, odd gauge; pairs share the factor to bar.
    static constexpr std::array<double, 4> faktorBar = {1.0, 0.06894757, 10.0, 0.01};
    const bool vonUeber = EinheitVon % 2 == 1;
    const bool nachUeber = EinheitNach % 2 == 1;
    double bar = x * faktorBar[EinheitVon / 2];
    if (vonUeber && !nachUeber)
        bar += Atmosphaere;
    else if (!vonUeber && nachUeber)
        bar -= Atmosphaere;
    double ergebnis = bar / faktorBar[EinheitNach / 2];
    if (!nachUeber && ergebnis < 0.0)
        ergebnis = 0.0;
    if (!std::isfinite(ergebnis))
        return 0.0;
    if (ergebnis != x) {
        double gelesen = 0.0;
        if (numtext::parse(formatZahl4(Variant(ergebnis)).toString(), &gelesen))
            ergebnis = gelesen;
    }
    return ergebnis;
}

double umrechnenTemperatur(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return 0.0;
    if (!imBereich(EinheitVon, 2) || !imBereich(EinheitNach, 2))
        return 0.0;
    if (EinheitVon == EinheitNach)
        return x;
    const double ergebnis = EinheitVon == 0 ? x * 9.0 / 5.0 + 32.0 : (x - 32.0) * 5.0 / 9.0;
    return std::isfinite(ergebnis) ? ergebnis : 0.0;
}

double umrechnenTemperaturDifferenz(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return 0.0;
    if (!imBereich(EinheitVon, 2) || !imBereich(EinheitNach, 2))
        return 0.0;
    if (EinheitVon == EinheitNach)
        return x;
    const double ergebnis = EinheitVon == 0 ? x * 9.0 / 5.0 : x * 5.0 / 9.0;
    return std::isfinite(ergebnis) ? ergebnis : 0.0;
}

Variant umrechnenDurchflussGas(const Variant &Wert, int EinheitVon, const Variant &RhoN, int RhoNEinheit,
                               int EinheitNach)
{
    return umrechnenDurchfluss(tabelleGas, Wert, EinheitVon, RhoN, RhoNEinheit, EinheitNach);
}

Variant umrechnenDurchflussFluessig(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit,
                                    int EinheitNach)
{
    return umrechnenDurchfluss(tabelleFluessig, Wert, EinheitVon, Rho, RhoEinheit, EinheitNach);
}

Variant umrechnenMassenstrom(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return Variant();
    if (!imBereich(EinheitVon, 2) || !imBereich(EinheitNach, 2))
        return gerundet(0.0, x);
    if (EinheitVon == EinheitNach)
        return Wert;
    return gerundet(EinheitVon == 1 ? 0.454 * x : x / 0.454, x);
}

Variant umrechnenMasse(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    return linear2(Wert, EinheitVon, EinheitNach, [](double kg) { return kg / 0.454; },
                   [](double lb) { return 0.454 * lb; });
}

Variant umrechnenZeit(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return Variant();
    if (!imBereich(EinheitVon, 3) || !imBereich(EinheitNach, 3))
        return Variant();
    if (EinheitVon == EinheitNach)
        return Wert;
    double ergebnis = 0.0;
    switch (EinheitVon * 3 + EinheitNach) {
    case 0 * 3 + 1: ergebnis = x / 60.0; break;
    case 0 * 3 + 2: ergebnis = x / 3600.0; break;
    case 1 * 3 + 0: ergebnis = x * 60.0; break;
    case 1 * 3 + 2: ergebnis = x / 60.0; break;
    case 2 * 3 + 0: ergebnis = x * 3600.0; break;
    case 2 * 3 + 1: ergebnis = x * 60.0; break;
    default: break;
    }
    return ungerundet(ergebnis);
}

Variant umrechnenDichte(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    return linear2(Wert, EinheitVon, EinheitNach, [](double kgm3) { return 0.06243 * kgm3; },
                   [](double lbcuft) { return lbcuft / 0.06243; });
}

Variant umrechnenDN(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    if (!imBereich(EinheitVon, 2) || !imBereich(EinheitNach, 2))
        return Variant();
    if (EinheitVon == EinheitNach)
        return endlich(Wert);
    const QString text = Wert.toString().trimmed();
    for (const DNZeile &zeile : tabelleDN) {
        const QString mm = QString::fromUtf8(zeile.mm);
        const QString zoll = QString::fromUtf8(zeile.zoll);
        if (EinheitVon == 0 && text == mm)
            return Variant(zoll);
        if (EinheitVon == 1 && text == zoll)
            return Variant(mm);
    }
    return Variant();
}

Variant umrechnenKvCv(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    return linear2(Wert, EinheitVon, EinheitNach, [](double kv) { return 1.16 * kv; },
                   [](double cv) { return cv / 1.16; });
}

Variant umrechnenKvsCvTabelle(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    if (EinheitNach == 0) {
        if (EinheitVon == 0)
            return endlich(Wert);
        if (EinheitVon == 1)
            return endlich(sucheInVentiltabelle(Wert, QStringLiteral("CV"), QStringLiteral("Kvs")));
    } else if (EinheitNach == 1) {
        if (EinheitVon == 1)
            return endlich(Wert);
        if (EinheitVon == 0)
            return endlich(sucheInVentiltabelle(Wert, QStringLiteral("Kvs"), QStringLiteral("Cv")));
    }
    return Variant();
}

Variant umrechnenGeschwindigkeit(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    return linear2(Wert, EinheitVon, EinheitNach, [](double ms) { return ms / 0.305; },
                   [](double fts) { return 0.305 * fts; });
}

Variant umrechnenViskositaet(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit,
                             int EinheitNach)
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return Variant();
    if (!imBereich(EinheitVon, 2) || !imBereich(EinheitNach, 2))
        return Variant();
    if (EinheitVon == EinheitNach)
        return Wert;
    // Kinematic and dynamic viscosity differ by the density; without one there is no result.
    const double rho = dichteKgM3(Rho, RhoEinheit);
    if (rho == 0.0)
        return Variant();
    return ungerundet(EinheitVon == 1 ? 1000.0 * x / rho : x * rho / 1000.0);
}

Variant umrechnenEinheitIndexDurchfluss(int ZustandAlt, int ZustandNeu, int EinheitIndex)
{
    const int i = EinheitIndex;
    if (ZustandAlt == ZustandNeu)
        return Variant(i);
    if (!imBereich(ZustandAlt, 3) || !imBereich(ZustandNeu, 3))
        return Variant();
    switch (ZustandAlt * 3 + ZustandNeu) {
    case 0 * 3 + 1:
        return Variant(i);
    case 0 * 3 + 2:
        if (i >= 0 && i <= 2)
            return Variant(0);
        if (i == 3 || i == 4)
            return Variant(1);
        break;
    case 1 * 3 + 0:
        if (i >= 0 && i <= 4)
            return Variant(i);
        if (i == 5)
            return Variant(4);
        break;
    case 1 * 3 + 2:
        if (i >= 0 && i <= 2)
            return Variant(0);
        if (i >= 3 && i <= 5)
            return Variant(1);
        break;
    case 2 * 3 + 0:
    case 2 * 3 + 1:
        if (i == 0)
            return Variant(1);
        if (i == 1)
            return Variant(3);
        break;
    default:
        break;
    }
    return Variant();
}
