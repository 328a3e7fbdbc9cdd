// The conversions, number formats and engine routines give, bit for bit and letter for letter, the outputs recorded
// from their slower predecessors: 100,000 seeded random inputs per routine (every unit index, every medium,
// degenerate values), under the C and the German notation, and under the user's own locale when it writes numbers
// as one of those. See reproduction.h for how the recording is kept.
//
// To record anew from a build of the old code:  QUENDRA_RECORD_REPRODUCTION=<file> engine_test_exact_reproduction

#include "engine/flow_equations.h"
#include "engine/noise.h"
#include "engine/pipe_velocity.h"
#include "engine/valve_opening.h"
#include "engine/water_steam.h"
#include "reproduction.h"
#include "state/shared_data.h"
#include "units/conversions.h"
#include "units/number_format.h"

#include <QCoreApplication>

using namespace reproduction;

namespace {

constexpr int kBlocks = 100;
constexpr int kPerBlock = 1000;

const QString kRecording = QStringLiteral(QUENDRA_SOURCE_DIR "/tests/engine/reproduction/routines.tsv");

// Media of the flow equations: air, water, steam, ideal gas, liquid, wizard gas and liquid, paper stocks; and one
// that no list has.
int medium(Rng &rng)
{
    static const int media[] = {0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 7};
    return media[rng.range(0, 11)];
}

// Characteristic coefficients: the catalogue's equal-percentage and linear rows, a random set summing to 1, or any.
struct Curve {
    Variant a[6];
};
Curve curve(Rng &rng)
{
    Curve c;
    const double pick = rng.unit();
    if (pick < 0.35) {
        const double eq[] = {0.02, 0.1, 0.3, 0.58, 0, 0};
        for (int i = 0; i < 6; ++i)
            c.a[i] = Variant(eq[i]);
    } else if (pick < 0.55) {
        const double lin[] = {0.0, 1.0, 0, 0, 0, 0};
        for (int i = 0; i < 6; ++i)
            c.a[i] = Variant(lin[i]);
    } else if (pick < 0.90) {
        double w[6], sum = 0;
        for (double &x : w)
            sum += (x = rng.unit());
        for (int i = 0; i < 6; ++i)
            c.a[i] = Variant(w[i] / sum);
    } else {
        for (Variant &v : c.a)
            v = anyValue(rng);
    }
    return c;
}

// Pressures p1 > p2 mostly, in any of the eight pressure units.
struct Pressures {
    Variant p1, p2;
    int u1, u2;
};
Pressures pressures(Rng &rng)
{
    Pressures p;
    p.u1 = unitIndex(rng, 8);
    p.u2 = rng.chance(0.8) ? p.u1 : unitIndex(rng, 8);
    const double p1 = rng.logUniform(-1, 2.5);
    const double p2 = rng.chance(0.85) ? p1 * rng.uniform(0.05, 0.99) : p1 * rng.uniform(0.9, 1.5);
    p.p1 = rng.chance(0.06) ? anyValue(rng) : Variant(p1);
    p.p2 = rng.chance(0.06) ? anyValue(rng) : Variant(p2);
    if (rng.chance(0.1))
        p.p1 = Variant(localeText(p1, rng.range(3, 15), false));
    return p;
}

std::vector<Routine> routines()
{
    std::vector<Routine> r;
    auto add = [&r](const char *name, std::function<void(Rng &, Digest &)> once) {
        r.push_back({name, kBlocks, kPerBlock, std::move(once)});
    };

    // ---- number text and number formats
    add("numtext::parse", [](Rng &rng, Digest &d) {
        double v = -12345.678;
        const QString t = anyText(rng);
        d.flag(numtext::parse(t, &v));
        d.number(v);
    });
    add("numtext::fixed", [](Rng &rng, Digest &d) { d.text(numtext::fixed(anyNumber(rng), rng.range(-1, 16))); });
    add("numtext::general", [](Rng &rng, Digest &d) { d.text(numtext::general(anyNumber(rng), rng.range(0, 17))); });
    add("Variant", [](Rng &rng, Digest &d) {
        const Variant v = anyValue(rng);
        d.value(v);
        d.number(v.asNumber());
        d.whole(v.toInt());
        d.flag(v.toBool());
    });
    add("formatZahl3", [](Rng &rng, Digest &d) { d.value(formatZahl3(anyValue(rng))); });
    add("formatZahl4", [](Rng &rng, Digest &d) { d.value(formatZahl4(anyValue(rng))); });
    add("formatHashPatterns", [](Rng &rng, Digest &d) {
        const double x = anyNumber(rng);
        d.text(formatHashDot0(x));
        d.text(formatHashDotHash(x));
        d.text(formatHashHashDotHashHash(x));
    });

    // ---- conversions
    add("umrechnenDruck", [](Rng &rng, Digest &d) {
        d.number(umrechnenDruck(anyValue(rng), unitIndex(rng, 8), unitIndex(rng, 8)));
    });
    add("umrechnenTemperatur", [](Rng &rng, Digest &d) {
        const Variant v = anyValue(rng);
        const int from = unitIndex(rng, 2), to = unitIndex(rng, 2);
        d.number(umrechnenTemperatur(v, from, to));
        d.number(umrechnenTemperaturDifferenz(v, from, to));
    });
    add("umrechnenDurchflussGas", [](Rng &rng, Digest &d) {
        const Variant v = anyValue(rng);
        const int from = unitIndex(rng, 5);
        const Variant rho = rng.chance(0.8) ? plausible(rng, 0.05, 50, true) : anyValue(rng);
        const int rhoUnit = unitIndex(rng, 2);
        d.value(umrechnenDurchflussGas(v, from, rho, rhoUnit, unitIndex(rng, 5)));
    });
    add("umrechnenDurchflussFluessig", [](Rng &rng, Digest &d) {
        const Variant v = anyValue(rng);
        const int from = unitIndex(rng, 6);
        const Variant rho = rng.chance(0.8) ? plausible(rng, 1, 2000, true) : anyValue(rng);
        const int rhoUnit = unitIndex(rng, 2);
        d.value(umrechnenDurchflussFluessig(v, from, rho, rhoUnit, unitIndex(rng, 6)));
    });
    add("umrechnenMassenstrom", [](Rng &rng, Digest &d) {
        d.value(umrechnenMassenstrom(anyValue(rng), unitIndex(rng, 2), unitIndex(rng, 2)));
    });
    add("umrechnenLinear", [](Rng &rng, Digest &d) {
        const Variant v = anyValue(rng);
        const int from = unitIndex(rng, 2), to = unitIndex(rng, 2);
        d.value(umrechnenMasse(v, from, to));
        d.value(umrechnenDichte(v, from, to));
        d.value(umrechnenKvCv(v, from, to));
        d.value(umrechnenGeschwindigkeit(v, from, to));
        d.value(umrechnenZeit(v, unitIndex(rng, 3), unitIndex(rng, 3)));
    });
    add("umrechnenDN", [](Rng &rng, Digest &d) {
        const int from = unitIndex(rng, 2);
        d.value(umrechnenDN(nominalSize(rng, from), from, unitIndex(rng, 2)));
    });
    add("umrechnenViskositaet", [](Rng &rng, Digest &d) {
        const Variant v = anyValue(rng);
        const int from = unitIndex(rng, 2);
        const Variant rho = rng.chance(0.8) ? plausible(rng, 1, 2000, true) : anyValue(rng);
        const int rhoUnit = unitIndex(rng, 2);
        d.value(umrechnenViskositaet(v, from, rho, rhoUnit, unitIndex(rng, 2)));
    });
    add("umrechnenEinheitIndexDurchfluss", [](Rng &rng, Digest &d) {
        d.value(umrechnenEinheitIndexDurchfluss(rng.range(-1, 3), rng.range(-1, 3), rng.range(-1, 6)));
    });

    // ---- water and steam
    add("water_steam", [](Rng &rng, Digest &d) {
        const double t = rng.chance(0.9) ? rng.uniform(-50, 420) : anyNumber(rng);
        const double p = rng.chance(0.9) ? rng.logUniform(-3, 2.6) : anyNumber(rng);
        d.number(water_steam::psatBar(t));
        d.number(water_steam::tsatC(p));
        d.number(water_steam::rhoDampf(p, t));
    });
    add("calcTsatWasser", [](Rng &rng, Digest &d) {
        const int pUnit = unitIndex(rng, 8);
        const Variant p = rng.chance(0.85) ? plausible(rng, 1e-3, 400, true, 0.0) : anyValue(rng);
        d.value(calcTsatWasser(p, pUnit, unitIndex(rng, 2)));
    });
    add("calcPsatWasser", [](Rng &rng, Digest &d) {
        const Variant t = rng.chance(0.85) ? plausible(rng, -20, 420, false, 0.0) : anyValue(rng);
        d.value(calcPsatWasser(t, unitIndex(rng, 2), unitIndex(rng, 8)));
    });
    add("waterProperties", [](Rng &rng, Digest &d) {
        const Variant t = rng.chance(0.85) ? plausible(rng, -20, 420) : anyValue(rng);
        const Variant p = rng.chance(0.85) ? plausible(rng, 1e-3, 400, true) : anyValue(rng);
        const int tUnit = unitIndex(rng, 2), pUnit = unitIndex(rng, 8), rhoUnit = unitIndex(rng, 2);
        d.value(calcRhoWasser(t, tUnit, rhoUnit));
        Variant pSteam = rng.chance(0.05) ? Variant() : p;
        d.value(calcRhoDampf(pSteam, pUnit, t, tUnit, rhoUnit));
        d.value(pSteam);
        d.value(calcNueWasser(t, tUnit, plausible(rng, 1, 1500), rhoUnit, unitIndex(rng, 2)));
        d.value(calcRVerdampfung(p, pUnit));
        d.value(calcKappaDampf(p, pUnit, t, tUnit));
        d.value(calcRho1Gas(p, pUnit, t, tUnit, plausible(rng, 0.05, 50, true), rhoUnit, unitIndex(rng, 2)));
    });

    // ---- flow equations
    add("calcFR", [](Rng &rng, Digest &d) {
        d.number(calcFR(rng.chance(0.8) ? rng.logUniform(-3, 6) : anyNumber(rng)));
    });
    add("calcQ_inkomp", [](Rng &rng, Digest &d) {
        const int dnUnit = unitIndex(rng, 2);
        const Pressures p = pressures(rng);
        const int pUnit = rng.chance(0.8) ? p.u1 : unitIndex(rng, 8);
        bool choked = rng.chance(0.5);
        const Variant q = calcQ_inkomp(
            medium(rng), plausible(rng, 0.01, 5000, true), unitIndex(rng, 2), plausible(rng, 0.4, 1.0),
            nominalSize(rng, dnUnit), nominalSize(rng, dnUnit), nominalSize(rng, dnUnit), dnUnit, p.p1, p.u1, p.p2,
            p.u2, rng.chance(0.8) ? Variant(221.2) : plausible(rng, 1, 400), plausible(rng, 0.001, 20, true), pUnit,
            plausible(rng, 300, 1800), unitIndex(rng, 2), plausible(rng, 0.01, 100000, true), unitIndex(rng, 2),
            unitIndex(rng, 6), choked);
        d.value(q);
        d.flag(choked);
    });
    add("calcQ_komp", [](Rng &rng, Digest &d) {
        const int dnUnit = unitIndex(rng, 2);
        const Pressures p = pressures(rng);
        const int zustand = rng.chance(0.9) ? (rng.chance(0.6) ? 0 : 2) : rng.range(-1, 3);
        const int qUnit = unitIndex(rng, zustand == 2 ? 2 : 5);
        const Variant q = calcQ_komp(plausible(rng, 0.01, 5000, true), unitIndex(rng, 2), plausible(rng, 0.2, 0.9),
                                     nominalSize(rng, dnUnit), nominalSize(rng, dnUnit), nominalSize(rng, dnUnit),
                                     dnUnit, p.p1, p.u1, p.p2, p.u2, plausible(rng, 0.05, 100, true),
                                     plausible(rng, 0.05, 5, true), unitIndex(rng, 2), plausible(rng, 1.0, 1.7),
                                     zustand, qUnit);
        d.value(q);
        d.number(flow::chokedPressureRatio(plausible(rng, 0.01, 5000, true), unitIndex(rng, 2),
                                           plausible(rng, 0.2, 0.9), nominalSize(rng, dnUnit),
                                           nominalSize(rng, dnUnit), nominalSize(rng, dnUnit), dnUnit,
                                           plausible(rng, 1.0, 1.7)));
    });
    add("calcVentiloeffnung", [](Rng &rng, Digest &d) {
        const int dnUnit = unitIndex(rng, 2);
        const Pressures p = pressures(rng);
        const int zustand = rng.chance(0.95) ? rng.range(0, 2) : rng.range(-1, 3);
        const int med = zustand == 1 ? (rng.chance(0.7) ? 1 : medium(rng)) : (rng.chance(0.7) ? 0 : medium(rng));
        const int qUnit = unitIndex(rng, zustand == 1 ? 6 : zustand == 2 ? 2 : 5);
        const Curve c = curve(rng);
        const double kvsNumber = rng.logUniform(-1, 3.4);
        const Variant kvs = rng.chance(0.92) ? Variant(kvsNumber) : anyValue(rng);
        // Flows from a trickle to beyond what the valve passes fully open.
        const Variant q =
            rng.chance(0.9) ? Variant(kvsNumber * rng.logUniform(-2.5, 0.3)) : plausible(rng, 1e-3, 1e5, true);
        const Variant dn = nominalSize(rng, dnUnit);
        const bool samePipes = rng.chance(0.5);
        const Variant dn1 = samePipes ? dn : nominalSize(rng, dnUnit);
        const Variant dn2 = samePipes ? dn : nominalSize(rng, dnUnit);
        const double flA = rng.uniform(0.5, 0.98), xtA = rng.uniform(0.2, 0.85);
        bool choked = rng.chance(0.5);
        const Variant y = calcVentiloeffnung(
            q, qUnit, kvs, unitIndex(rng, 2), c.a[0], c.a[1], c.a[2], c.a[3], c.a[4], c.a[5],
            plausible(rng, flA, flA, false, 0.03), plausible(rng, -0.1, 0.1, false, 0.03),
            plausible(rng, -0.1, 0.1, false, 0.03), plausible(rng, xtA, xtA, false, 0.03),
            plausible(rng, -0.1, 0.1, false, 0.03), plausible(rng, -0.1, 0.1, false, 0.03), dn, dn1, dn2, dnUnit,
            p.p1, p.u1, p.p2, p.u2, plausible(rng, -10, 300), unitIndex(rng, 2),
            rng.chance(0.8) ? Variant(221.2) : plausible(rng, 1, 400), plausible(rng, 0.001, 20, true),
            rng.chance(0.8) ? p.u1 : unitIndex(rng, 8), plausible(rng, 0.5, 1500, true), plausible(rng, 0.05, 5, true),
            unitIndex(rng, 2), plausible(rng, 0.01, 50000, true), unitIndex(rng, 2), plausible(rng, 1.0, 1.7), med,
            zustand, choked);
        d.value(y);
        d.flag(choked);
    });

    // ---- velocities and pipe sizes
    auto velocityInputs = [](Rng &rng) {
        struct In {
            int zustand, medium, qUnit, rhoUnit, tUnit, vUnit, dnUnit, viskUnit;
            Variant q, rho1, rhoN, t1, visk;
            Pressures p;
        } in;
        in.zustand = rng.chance(0.95) ? rng.range(0, 2) : rng.range(-1, 3);
        in.medium = in.zustand == 1 ? (rng.chance(0.6) ? 1 : medium(rng))
                                    : (rng.chance(0.3) ? 2 : rng.chance(0.6) ? 0 : medium(rng));
        in.qUnit = unitIndex(rng, in.zustand == 1 ? 6 : in.zustand == 2 ? 2 : 5);
        in.rhoUnit = unitIndex(rng, 2);
        in.tUnit = unitIndex(rng, 2);
        in.vUnit = unitIndex(rng, 2);
        in.dnUnit = unitIndex(rng, 2);
        in.viskUnit = unitIndex(rng, 2);
        in.q = plausible(rng, 1e-2, 1e5, true);
        in.rho1 = plausible(rng, 0.1, 1500, true);
        in.rhoN = plausible(rng, 0.05, 5, true);
        in.t1 = plausible(rng, -20, 400);
        in.visk = plausible(rng, 0.1, 1000, true);
        in.p = pressures(rng);
        return in;
    };
    add("calcGeschwindigkeit", [velocityInputs](Rng &rng, Digest &d) {
        const auto in = velocityInputs(rng);
        const int stelle = rng.chance(0.9) ? rng.range(1, 2) : rng.range(-1, 3);
        d.value(calcGeschwindigkeit(stelle, nominalSize(rng, in.dnUnit), in.dnUnit, in.q, in.qUnit, in.rho1, in.rhoN,
                                    in.rhoUnit, in.p.p1, in.p.u1, in.p.p2, in.p.u2, in.t1, in.tUnit, in.zustand,
                                    in.medium, in.vUnit));
        d.value(calcRohrEmpfGeschwindigkeit(nominalSize(rng, in.dnUnit), in.dnUnit, in.rho1, in.rhoUnit, in.p.p1,
                                            in.p.u1, in.visk, in.viskUnit, in.zustand, in.medium, in.vUnit));
    });
    add("calcDNRohrVorschlag", [velocityInputs](Rng &rng, Digest &d) {
        const auto in = velocityInputs(rng);
        const int stelle = rng.chance(0.95) ? rng.range(1, 2) : rng.range(-1, 3);
        d.value(calcDNRohrVorschlag(stelle, in.q, in.qUnit, in.rho1, in.rhoN, in.rhoUnit, in.p.p1, in.p.u1, in.p.p2,
                                    in.p.u2, in.t1, in.tUnit, in.visk, in.viskUnit, in.zustand, in.medium, in.vUnit,
                                    unitIndex(rng, 2)));
    });

    // ---- gas noise (no table needed)
    add("calcSchallGas", [](Rng &rng, Digest &d) {
        static const char *series[] = {"4627_71", "3264", "3152", "2381", "4651_72", ""};
        const Pressures p = pressures(rng);
        shared().M = rng.chance(0.9) ? rng.uniform(2, 100) : anyNumber(rng);
        QString dla = QStringLiteral("?"), laEff = QStringLiteral("?");
        const Variant la = calcSchallGas(p.p1, p.u1, p.p2, p.u2, plausible(rng, -20, 400), unitIndex(rng, 2),
                                         plausible(rng, 0.5, 8000, true), unitIndex(rng, 2),
                                         plausible(rng, 0.05, 5, true), unitIndex(rng, 2),
                                         plausible(rng, 0, 400), unitIndex(rng, 2), rng.range(-1, 3), medium(rng),
                                         QString::fromLatin1(series[rng.range(0, 5)]), dla, laEff);
        d.value(la);
        d.text(dla);
        d.text(laEff);
    });
    return r;
}

} // namespace

class TestExactReproduction : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        recorded_ = readRecorded(kRecording);
        QVERIFY2(!recorded_.isEmpty(), qPrintable(QStringLiteral("no recording in %1").arg(kRecording)));
    }

    void cleanupTestCase() { numtext::resetUserLocale(); }

    void sameOutputs_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("routine");
        const std::vector<Routine> all = routines();
        for (const QString &locale : {QStringLiteral("C"), QStringLiteral("de")})
            for (int i = 0; i < int(all.size()); ++i)
                QTest::addRow("%s, %s", all[std::size_t(i)].name, qPrintable(locale)) << locale << i;
        // The user's own locale, through the system's number symbols, when it writes numbers as one of those.
        const QString own = recordedNotationOfSystem();
        if (!own.isEmpty())
            for (int i = 0; i < int(all.size()); ++i)
                QTest::addRow("%s, user's locale", all[std::size_t(i)].name) << (QStringLiteral("system:") + own)
                                                                              << i;
    }

    void sameOutputs()
    {
        QFETCH(QString, locale);
        QFETCH(int, routine);
        const Routine r = routines()[std::size_t(routine)];
        if (locale.startsWith(QLatin1String("system:"))) {
            numtext::resetUserLocale();
            locale = locale.mid(7);
        } else {
            numtext::setUserLocale(localeNamed(locale));
        }
        compareRoutine(recorded_, r, locale, r.blocks);
        numtext::resetUserLocale();
    }

private:
    Recorded recorded_;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (recordIfAsked(routines(), QStringLiteral("# Digests of seeded random samples of the conversions, number "
                                                 "formats and engine routines (reproduction.h), recorded from the "
                                                 "code before its speed-up; the gas and liquid flow conversions, "
                                                 "calcQ_komp and calcVentiloeffnung again once lb and cu.ft "
                                                 "converted with one factor both ways (0.454 kg per lb, 35.32 cu.ft "
                                                 "per m3); calcVentiloeffnung again once a flow below the valve's "
                                                 "smallest opening gave 0, the search started from the flow at "
                                                 "y = 0, and the choked flag followed the flow at the opening "
                                                 "reported; calcVentiloeffnung again once its search worked on the "
                                                 "flows before their four-digit rounding, refined to the flow itself "
                                                 "(Illinois regula falsi, bisection where a step does not halve the "
                                                 "bracket), took below the range what lies below the least flow over "
                                                 "the travel, and gave beyond full travel the Kv the flow needs.\n"
                                                 "# routine\tlocale\tblock\tdigest\n")))
        return 0;
    TestExactReproduction suite;
    return QTest::qExec(&suite, argc, argv);
}

#include "test_exact_reproduction.moc"
