#include "conversions.h"

#include "number_format.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "state/shared_data.h"

#include <array>
#include <cmath>

namespace {

constexpr double Atmosphaere = 1.01325; // bar added to a gauge pressure
// Bar per unit of each pair of the pressure list: even indices are absolute, odd gauge.
constexpr std::array<double, 4> faktorBar = {1.0, 0.06894757, 10.0, 0.01};

bool zahl(const Variant &Wert, double *x)
{
    return Wert.toNumber(x);
}

bool imBereich(int index, int anzahl)
{
    return index >= 0 && index < anzahl;
}

// A flow or mass-flow conversion before it becomes a Variant: no result, the value as given, or a converted
// number that is handed back as its four-digit text.
struct Fluss {
    enum class Art { Leer, WieGegeben, Umgerechnet } art = Art::Leer;
    double ergebnis = 0.0;
    double x = 0.0; // the value as a number
};

Fluss leer()
{
    return {};
}

Fluss wieGegeben(double x)
{
    return {Fluss::Art::WieGegeben, x, x};
}

Fluss umgerechnet(double ergebnis, double x)
{
    return {Fluss::Art::Umgerechnet, ergebnis, x};
}

Variant alsVariant(const Fluss &f, const Variant &Wert)
{
    switch (f.art) {
    case Fluss::Art::Leer: return Variant();
    case Fluss::Art::WieGegeben: return Wert;
    case Fluss::Art::Umgerechnet:
        if (!std::isfinite(f.ergebnis))
            return Variant();
        if (f.ergebnis != f.x)
            return formatZahl4(Variant(f.ergebnis));
        return Variant(f.ergebnis);
    }
    return Variant();
}

// What alsVariant(f).asNumber() gives, without making the text.
double alsZahl(const Fluss &f)
{
    switch (f.art) {
    case Fluss::Art::Leer: return 0.0;
    case Fluss::Art::WieGegeben: return f.x;
    case Fluss::Art::Umgerechnet: {
        if (!std::isfinite(f.ergebnis))
            return 0.0;
        if (f.ergebnis == f.x)
            return f.ergebnis;
        double gelesen = 0.0;
        return gezeigtVierstellig(f.ergebnis, &gelesen) ? gelesen : 0.0;
    }
    }
    return 0.0;
}

// The number of a conversion before its four-digit rounding.
double alsUngerundeteZahl(const Fluss &f)
{
    if (f.art == Fluss::Art::Leer || !std::isfinite(f.ergebnis))
        return 0.0;
    return f.ergebnis;
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
    return dichteZahl(Rho, RhoEinheit, 0);
}

// One cell of a flow table: the formula, and whether it needs the density.
struct Zelle {
    double (*formel)(double x, double rho);
    bool mitDichte;
};

// kg per lb and cu.ft per m3: the same factor in each direction, so that a value switched to a US unit and back
// keeps its four digits.
constexpr double kgJeLb = 0.454;
constexpr double cuftJeM3 = 35.32;

// Rows: target unit, columns: source unit, of the liquid list. The gas list is its first five units, at the norm
// state, with the norm density in place of the density.
const std::array<std::array<Zelle, 6>, 6> tabelleDurchfluss = {{
    {{{[](double x, double) { return x; }, false},
      {[](double x, double r) { return x / r; }, true},
      {[](double x, double) { return 0.06 * x; }, false},
      {[](double x, double r) { return kgJeLb * x / r; }, true},
      {[](double x, double) { return x / cuftJeM3; }, false},
      {[](double x, double) { return x / 4.4; }, false}}},
    {{{[](double x, double r) { return x * r; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double r) { return 0.06 * x * r; }, true},
      {[](double x, double) { return kgJeLb * x; }, false},
      {[](double x, double r) { return x / cuftJeM3 * r; }, true},
      {[](double x, double r) { return x / 4.4 * r; }, true}}},
    {{{[](double x, double) { return x / 0.06; }, false},
      {[](double x, double r) { return x / r / 0.06; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double r) { return kgJeLb * x / r / 0.06; }, true},
      {[](double x, double) { return x / cuftJeM3 / 0.06; }, false},
      {[](double x, double) { return x / 4.4 / 0.06; }, false}}},
    {{{[](double x, double r) { return x / kgJeLb * r; }, true},
      {[](double x, double) { return x / kgJeLb; }, false},
      {[](double x, double r) { return x / kgJeLb * r * 0.06; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double r) { return x / cuftJeM3 / kgJeLb * r; }, true},
      {[](double x, double r) { return x / 4.4 / kgJeLb * r; }, true}}},
    {{{[](double x, double) { return cuftJeM3 * x; }, false},
      {[](double x, double r) { return cuftJeM3 * x / r; }, true},
      {[](double x, double) { return 0.06 * x * cuftJeM3; }, false},
      {[](double x, double r) { return cuftJeM3 * kgJeLb * x / r; }, true},
      {[](double x, double) { return x; }, false},
      {[](double x, double) { return x / 4.4 * cuftJeM3; }, false}}},
    {{{[](double x, double) { return 4.4 * x; }, false},
      {[](double x, double r) { return 4.4 * x / r; }, true},
      {[](double x, double) { return 0.06 * x * 4.4; }, false},
      {[](double x, double r) { return kgJeLb * x * 4.4 / r; }, true},
      {[](double x, double) { return x / cuftJeM3 * 4.4; }, false},
      {[](double x, double) { return x; }, false}}},
}};
constexpr int einheitenGas = 5;
constexpr int einheitenFluessig = 6;

Fluss umrechnenDurchfluss(int einheiten, const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit,
                          int EinheitNach)
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return leer();
    if (!imBereich(EinheitVon, einheiten) || !imBereich(EinheitNach, einheiten))
        return umgerechnet(0.0, x);
    if (EinheitVon == EinheitNach)
        return wieGegeben(x);
    const Zelle &zelle = tabelleDurchfluss[std::size_t(EinheitNach)][std::size_t(EinheitVon)];
    const double rho = zelle.mitDichte ? dichteKgM3(Rho, RhoEinheit) : 0.0;
    // Mass and volume cannot be converted into each other without a density.
    if (zelle.mitDichte && rho == 0.0)
        return leer();
    return umgerechnet(zelle.formel(x, rho), x);
}

Fluss massenstrom(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return leer();
    if (!imBereich(EinheitVon, 2) || !imBereich(EinheitNach, 2))
        return umgerechnet(0.0, x);
    if (EinheitVon == EinheitNach)
        return wieGegeben(x);
    return umgerechnet(EinheitVon == 1 ? kgJeLb * x : x / kgJeLb, x);
}

// An unrounded conversion before it becomes a Variant: no result, the value as given, or a new number.
struct Umrechnung {
    enum class Art { Leer, WieGegeben, Neu } art = Art::Leer;
    double wert = 0.0;
};

Variant alsVariant(const Umrechnung &u, const Variant &Wert)
{
    switch (u.art) {
    case Umrechnung::Art::Leer: return Variant();
    case Umrechnung::Art::WieGegeben: return Wert;
    case Umrechnung::Art::Neu: return ungerundet(u.wert);
    }
    return Variant();
}

// What alsVariant(u).asNumber() gives.
double alsZahl(const Umrechnung &u)
{
    switch (u.art) {
    case Umrechnung::Art::Leer: return 0.0;
    case Umrechnung::Art::WieGegeben: return u.wert;
    case Umrechnung::Art::Neu: return std::isfinite(u.wert) ? u.wert : 0.0;
    }
    return 0.0;
}

// Two units: hin converts unit 0 to unit 1, zurueck unit 1 to unit 0.
Umrechnung linear2(const Variant &Wert, int EinheitVon, int EinheitNach, double (*hin)(double),
                   double (*zurueck)(double))
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return {};
    if (!imBereich(EinheitVon, 2) || !imBereich(EinheitNach, 2))
        return {};
    if (EinheitVon == EinheitNach)
        return {Umrechnung::Art::WieGegeben, x};
    return {Umrechnung::Art::Neu, EinheitVon == 0 ? hin(x) : zurueck(x)};
}

double dichteHin(double kgm3)
{
    return 0.06243 * kgm3;
}
double dichteZurueck(double lbcuft)
{
    return lbcuft / 0.06243;
}
double kvHin(double kv)
{
    return 1.16 * kv;
}
double kvZurueck(double cv)
{
    return cv / 1.16;
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
    const bool vonUeber = EinheitVon % 2 == 1;
    const bool nachUeber = EinheitNach % 2 == 1;
    double bar = istVakuum(x, EinheitVon) ? (vonUeber ? -Atmosphaere : 0.0) : x * faktorBar[EinheitVon / 2];
    if (vonUeber && !nachUeber)
        bar += Atmosphaere;
    else if (!vonUeber && nachUeber)
        bar -= Atmosphaere;
    double ergebnis = bar / faktorBar[EinheitNach / 2];
    if (!nachUeber && ergebnis < 0.0)
        ergebnis = 0.0;
    if (!std::isfinite(ergebnis))
        return 0.0;
    double gelesen = 0.0;
    if (ergebnis != x && gezeigtVierstellig(ergebnis, &gelesen))
        ergebnis = gelesen;
    return ergebnis;
}

double absoluterDruckBar(double Wert, int Einheit)
{
    if (!imBereich(Einheit, 8))
        return std::nan("");
    const double bar = Wert * faktorBar[static_cast<std::size_t>(Einheit / 2)];
    return Einheit % 2 == 1 ? bar + Atmosphaere : bar;
}

bool istVakuum(double Wert, int Einheit)
{
    if (!imBereich(Einheit, 8))
        return false;
    const double vakuum = Einheit % 2 == 1 ? -Atmosphaere / faktorBar[static_cast<std::size_t>(Einheit / 2)] : 0.0;
    return vierstelligGleich(Wert, vakuum);
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
    return alsVariant(umrechnenDurchfluss(einheitenGas, Wert, EinheitVon, RhoN, RhoNEinheit, EinheitNach), Wert);
}

Variant umrechnenDurchflussFluessig(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit,
                                    int EinheitNach)
{
    return alsVariant(umrechnenDurchfluss(einheitenFluessig, Wert, EinheitVon, Rho, RhoEinheit, EinheitNach), Wert);
}

Variant umrechnenMassenstrom(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    return alsVariant(massenstrom(Wert, EinheitVon, EinheitNach), Wert);
}

double durchflussGasZahl(const Variant &Wert, int EinheitVon, const Variant &RhoN, int RhoNEinheit, int EinheitNach)
{
    return alsZahl(umrechnenDurchfluss(einheitenGas, Wert, EinheitVon, RhoN, RhoNEinheit, EinheitNach));
}

double durchflussFluessigZahl(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit,
                              int EinheitNach)
{
    return alsZahl(umrechnenDurchfluss(einheitenFluessig, Wert, EinheitVon, Rho, RhoEinheit, EinheitNach));
}

double massenstromZahl(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    return alsZahl(massenstrom(Wert, EinheitVon, EinheitNach));
}

double durchflussGasUngerundet(double Wert, int EinheitVon, const Variant &RhoN, int RhoNEinheit, int EinheitNach)
{
    return alsUngerundeteZahl(
        umrechnenDurchfluss(einheitenGas, Variant(Wert), EinheitVon, RhoN, RhoNEinheit, EinheitNach));
}

double durchflussFluessigUngerundet(double Wert, int EinheitVon, const Variant &Rho, int RhoEinheit, int EinheitNach)
{
    return alsUngerundeteZahl(
        umrechnenDurchfluss(einheitenFluessig, Variant(Wert), EinheitVon, Rho, RhoEinheit, EinheitNach));
}

double massenstromUngerundet(double Wert, int EinheitVon, int EinheitNach)
{
    return alsUngerundeteZahl(massenstrom(Variant(Wert), EinheitVon, EinheitNach));
}

Variant umrechnenMasse(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    return alsVariant(linear2(Wert, EinheitVon, EinheitNach, [](double kg) { return kg / kgJeLb; },
                              [](double lb) { return kgJeLb * lb; }),
                      Wert);
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
    return alsVariant(linear2(Wert, EinheitVon, EinheitNach, dichteHin, dichteZurueck), Wert);
}

double dichteZahl(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    return alsZahl(linear2(Wert, EinheitVon, EinheitNach, dichteHin, dichteZurueck));
}

Variant umrechnenDN(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    if (!imBereich(EinheitVon, 2) || !imBereich(EinheitNach, 2))
        return Variant();
    if (EinheitVon == EinheitNach)
        return endlich(Wert);
    // The table's texts made once; a result shares them.
    static const std::array<std::array<QString, 2>, 18> texte = [] {
        std::array<std::array<QString, 2>, 18> t;
        for (std::size_t i = 0; i < tabelleDN.size(); ++i)
            t[i] = {QString::fromLatin1(tabelleDN[i].mm), QString::fromLatin1(tabelleDN[i].zoll)};
        return t;
    }();
    const QString text = Wert.toString().trimmed();
    for (const auto &zeile : texte)
        if (text == zeile[static_cast<std::size_t>(EinheitVon)])
            return Variant(zeile[static_cast<std::size_t>(1 - EinheitVon)]);
    return Variant();
}

Variant umrechnenKvCv(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    return alsVariant(linear2(Wert, EinheitVon, EinheitNach, kvHin, kvZurueck), Wert);
}

double kvCvZahl(const Variant &Wert, int EinheitVon, int EinheitNach)
{
    return alsZahl(linear2(Wert, EinheitVon, EinheitNach, kvHin, kvZurueck));
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
    return alsVariant(linear2(Wert, EinheitVon, EinheitNach, [](double ms) { return ms / 0.305; },
                              [](double fts) { return 0.305 * fts; }),
                      Wert);
}

namespace {
Umrechnung viskositaet(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit, int EinheitNach)
{
    double x = 0.0;
    if (!zahl(Wert, &x))
        return {};
    if (!imBereich(EinheitVon, 2) || !imBereich(EinheitNach, 2))
        return {};
    if (EinheitVon == EinheitNach)
        return {Umrechnung::Art::WieGegeben, x};
    // Kinematic and dynamic viscosity differ by the density; without one there is no result.
    const double rho = dichteKgM3(Rho, RhoEinheit);
    if (rho == 0.0)
        return {};
    return {Umrechnung::Art::Neu, EinheitVon == 1 ? 1000.0 * x / rho : x * rho / 1000.0};
}
} // namespace

Variant umrechnenViskositaet(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit,
                             int EinheitNach)
{
    return alsVariant(viskositaet(Wert, EinheitVon, Rho, RhoEinheit, EinheitNach), Wert);
}

double viskositaetZahl(const Variant &Wert, int EinheitVon, const Variant &Rho, int RhoEinheit, int EinheitNach)
{
    return alsZahl(viskositaet(Wert, EinheitVon, Rho, RhoEinheit, EinheitNach));
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
