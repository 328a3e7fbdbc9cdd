#include "noise.h"

#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "units/conversions.h"

#include <array>
#include <cmath>
#include <exception>
#include <vector>

namespace {

const QString kNA = QStringLiteral("N/A");
const QString kBlank = QStringLiteral(" ");

double lg(double x)
{
    return std::log(x) / std::log(10.0);
}

// Fix: towards zero, and never "-0" in a text.
double fix(double x)
{
    return std::trunc(x) + 0.0;
}

QString ganzzahlText(double x)
{
    return numtext::general(x);
}

struct SchallZeile {
    double kkv = 0.0;
    std::array<double, 6> la{};
    double zzy = 0.0;

    double korrektur(double xF) const
    {
        double sum = 0.0;
        for (int k = 0; k < 6; ++k)
            sum += la[k] * std::pow(xF, k);
        return sum;
    }
};

// Reads the noise curve in its stored order. Empty when there is no database, no such table, no row, or a cell
// without a number: the estimate cannot be made from such a table.
std::vector<SchallZeile> leseSchalldaten(const Variant &tabelle)
{
    std::vector<SchallZeile> zeilen;
    const std::shared_ptr<Database> &db = shared().dbSchalldaten;
    const QString name = tabelle.toString();
    if (!db || !db->isOpen() || name.isEmpty())
        return zeilen;
    try {
        // A missing table throws NoSuchTable, caught below; opening stands on the first row.
        std::unique_ptr<Recordset> rs = db->openTable(name);
        const FieldReader kkv(*rs, QStringLiteral("KKV"));
        const FieldReader zzy(*rs, QStringLiteral("ZZY"));
        const std::array<FieldReader, 6> la{
            FieldReader(*rs, QStringLiteral("LA0")), FieldReader(*rs, QStringLiteral("LA1")),
            FieldReader(*rs, QStringLiteral("LA2")), FieldReader(*rs, QStringLiteral("LA3")),
            FieldReader(*rs, QStringLiteral("LA4")), FieldReader(*rs, QStringLiteral("LA5"))};
        auto zahl = [](const FieldReader &spalte, double *ziel) {
            const Variant v = spalte();
            if (!v.isNumeric())
                return false;
            *ziel = v.toDouble();
            return true;
        };
        while (!rs->eof()) {
            SchallZeile z;
            bool ok = zahl(kkv, &z.kkv) && zahl(zzy, &z.zzy);
            for (int k = 0; ok && k < 6; ++k)
                ok = zahl(la[k], &z.la[k]);
            if (!ok) {
                zeilen.clear();
                break;
            }
            zeilen.push_back(z);
            rs->moveNext();
        }
        rs->close();
    } catch (const std::exception &) {
        zeilen.clear();
    }
    return zeilen;
}

Variant nichtGueltig(QString &DLA, QString &LAEff)
{
    DLA = kBlank;
    LAEff = kNA;
    return Variant(kNA);
}

Variant gueltig(double LA, double dLA, QString &DLA, QString &LAEff)
{
    const double la = fix(LA);
    const double dla = fix(dLA);
    DLA = ganzzahlText(dla);
    LAEff = ganzzahlText(la + dla);
    return Variant(la);
}

} // namespace

Variant calcSchallFluessig(const Variant &p1, int p1Einheit, const Variant &p2, int p2Einheit, const Variant &Kv,
                           int KvUnit, const Variant &rho, int rhoUnit, const Variant &pv, int pUnit, const Variant &w2,
                           int vUnit, const QString &Ventiltyp, const Variant &Schalldaten, QString &DLA,
                           QString &LAEff, double &zy, double &xF, bool *tableMissing)
{
    Q_UNUSED(Ventiltyp);
    const double p1b = umrechnenDruck(p1, p1Einheit, 0);
    const double p2b = umrechnenDruck(p2, p2Einheit, 0);
    const double pvb = umrechnenDruck(pv, pUnit, 0);
    const double kv = umrechnenKvCv(Kv, KvUnit, 0).asNumber();
    const double dichte = umrechnenDichte(rho, rhoUnit, 0).asNumber();
    const double w = umrechnenGeschwindigkeit(w2, vUnit, 0).asNumber();
    const double dp = p1b - p2b;
    bool valid = true;

    if (kv < 1 || kv > 6000)
        valid = false;

    double xf = 0.0;
    if (p1b != pvb)
        xf = dp / (p1b - pvb);
    if (xf < 0.01 || xf > 1)
        valid = false;
    xF = std::fabs(xf) > 1 ? 1.0 : xf;

    const double wMax = p2b > pvb ? 4.5 * std::sqrt(p2b - pvb) : 0.0;
    if (w > 10 || w > wMax)
        valid = false;

    // zy is needed for the cavitation test even where the level cannot be estimated.
    const std::vector<SchallZeile> zeilen = leseSchalldaten(Schalldaten);
    if (tableMissing)
        *tableMissing = zeilen.empty();
    if (zeilen.empty()) {
        zy = 0.0;
        return nichtGueltig(DLA, LAEff);
    }

    const SchallZeile &erste = zeilen.front();
    const SchallZeile &letzte = zeilen.back();
    double dLA = 0.0;
    double z = 0.0;
    if (kv <= erste.kkv) {
        dLA = erste.korrektur(xf);
        z = erste.zzy;
    }
    if (kv >= letzte.kkv) {
        dLA = letzte.korrektur(xf);
        z = letzte.zzy;
    }
    if (kv > erste.kkv && kv < letzte.kkv) {
        // A table out of order may hold no enclosing pair: the last row's values then stand.
        dLA = letzte.korrektur(xf);
        z = letzte.zzy;
        for (std::size_t i = 0; i + 1 < zeilen.size(); ++i) {
            const SchallZeile &lo = zeilen[i];
            const SchallZeile &hi = zeilen[i + 1];
            if (lo.kkv < kv && kv <= hi.kkv) {
                const double r = (kv - lo.kkv) / (hi.kkv - lo.kkv);
                const double dLo = lo.korrektur(xf);
                const double dHi = hi.korrektur(xf);
                dLA = dLo + r * (dHi - dLo);
                z = lo.zzy + r * (hi.zzy - lo.zzy);
                break;
            }
        }
    }
    zy = std::isfinite(z) ? z : 0.0;

    if (!valid)
        return nichtGueltig(DLA, LAEff);

    // Logarithms of non-positive quantities have no level.
    if (!(p1b - pvb > 0) || !(dichte > 0))
        return nichtGueltig(DLA, LAEff);
    const double L0 = 10.0 * lg(kv) + 18.0 * lg(p1b - pvb) - 5.0 * lg(dichte);
    double LA;
    if (xf <= z)
        LA = L0 + 18.0 * lg(xf / z) + 40.0;
    else
        LA = L0 + 292.0 * std::pow(xf - z, 0.75) - (268.0 + 38.0 * z) * std::pow(xf - z, 0.935) + 40.0;
    if (!std::isfinite(LA) || !std::isfinite(dLA) || LA < 20)
        return nichtGueltig(DLA, LAEff);
    return gueltig(LA, dLA, DLA, LAEff);
}

Variant calcSchallGas(const Variant &p1, int p1Einheit, const Variant &p2, int p2Einheit, const Variant &T1,
                      int T1Unit, const Variant &Kv, int KvUnit, const Variant &rhoN, int rhoUnit, const Variant &w2,
                      int vUnit, int Zustand, int Medium, const QString &Ventiltyp, QString &DLA, QString &LAEff)
{
    if (Zustand == 1)
        return Variant();

    const double p1b = umrechnenDruck(p1, p1Einheit, 0);
    const double p2b = umrechnenDruck(p2, p2Einheit, 0);
    const double t1 = umrechnenTemperatur(T1, T1Unit, 0);
    double dichteN = umrechnenDichte(rhoN, rhoUnit, 0).asNumber();
    const double kv = umrechnenKvCv(Kv, KvUnit, 0).asNumber();
    const double w = umrechnenGeschwindigkeit(w2, vUnit, 0).asNumber();

    if (Zustand == 2) {
        const double M = Medium == 2 ? 18.1053 : shared().M;
        const double R = 8314.3 / M;
        dichteN = 100000.0 / (R * 273.15);
    }

    const double dp = p1b - p2b;
    const double T = t1 + 273.15;

    if (kv < 1 || kv > 6000)
        return nichtGueltig(DLA, LAEff);
    // Without a positive pressure, norm density (a molar mass of 0 gives none) or absolute temperature the ratio,
    // the speed of sound and the logarithms are undefined.
    if (!(p1b > 0) || !(p2b > 0) || !(dichteN > 0) || !std::isfinite(dichteN) || !(T > 0))
        return nichtGueltig(DLA, LAEff);
    const double x = dp / p1b;
    if (x < 0.01 || x > 1)
        return nichtGueltig(DLA, LAEff);
    const double c = std::sqrt(141855.0 * T / (273.15 * dichteN));
    if (w > 0.3 * c)
        return nichtGueltig(DLA, LAEff);

    const double LA = 14.0 * lg(kv) + 18.0 * lg(p1b) + 5.0 * lg(T) - 5.0 * lg(dichteN) + 20.0 * lg(lg(p1b / p2b))
        + 52.0;
    if (!std::isfinite(LA) || LA < 20)
        return nichtGueltig(DLA, LAEff);

    double dLA = 0.0;
    if (Ventiltyp.left(2) == QLatin1String("46")) {
        const double LS = 28.482 + 101.33 * x - 179.703 * x * x + 130.51 * x * x * x
            + (19.705 - 2.41 * x) * lg(kv) + 20.0 * lg(p1b) - 16.77;
        dLA = LS - LA;
        if (LA < 50)
            dLA = 0.0;
    }
    if (Ventiltyp == QLatin1String("3264") || Ventiltyp == QLatin1String("3152"))
        dLA = 3.0;
    return gueltig(LA, dLA, DLA, LAEff);
}
