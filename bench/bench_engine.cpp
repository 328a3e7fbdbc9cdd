// Speed of the engine's inner calls: median nanoseconds per call over several rounds.
// Usage: bench_engine [--quick]
#include "engine/flow_equations.h"
#include "engine/noise.h"
#include "engine/pipe_velocity.h"
#include "engine/valve_opening.h"
#include "engine/water_steam.h"

#include "common.h"

#include <QCoreApplication>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const bool quick = bench::quick(argc, argv);
    const int rounds = quick ? 3 : 15;
    const int calls = quick ? 200 : 20000;

    bool choked = false;
    // Water 10 → 6 bar through Kv 10 in DN 50 (m3/h, bar abs, kg/m3, mm²/s).
    auto liquidTurbulent = [&] {
        return calcQ_inkomp(1, 10.0, 0, 0.9, 50, 50, 50, 0, 10.0, 0, 6.0, 0, 221.2, 0.0234, 0, 998.0, 0, 1.0, 0, 0,
                            choked)
            .toDouble();
    };
    // A very viscous liquid through a small coefficient: the Reynolds correction dominates.
    auto liquidLaminar = [&] {
        return calcQ_inkomp(4, 0.5, 0, 0.9, 15, 15, 15, 0, 10.0, 0, 6.0, 0, 40.0, 0.001, 0, 1200.0, 0, 20000.0, 0, 0,
                            choked)
            .toDouble();
    };
    // Air 10 → 5 bar through Kv 50 (m3/h norm).
    auto gas = [&] {
        return calcQ_komp(50.0, 0, 0.7, 50, 50, 50, 0, 10.0, 0, 5.0, 0, 11.89, 1.293, 0, 1.4, 0, 0).toDouble();
    };
    // The number the recalculations take: the same flow without the four-digit text.
    auto gasNumber = [&] {
        return calcQ_kompZahl(50.0, 0, 0.7, 50, 50, 50, 0, 10.0, 0, 5.0, 0, 11.89, 1.293, 0, 1.4, 0, 0);
    };
    // The same in kg/h, the equation's own unit: no four-digit text rounding of the result.
    auto gasKgh = [&] {
        return calcQ_komp(50.0, 0, 0.7, 50, 50, 50, 0, 10.0, 0, 5.0, 0, 11.89, 1.293, 0, 1.4, 0, 1).toDouble();
    };
    // Opening of a nearly linear Kvs 25 valve for 10 m3/h of water.
    auto opening = [&] {
        return calcVentiloeffnung(10.0, 0, 25.0, 0, 0.01, 0.99, 0.0, 0.0, 0.0, 0.0, 0.9, 0.0, 0.0, 0.7, 0.0, 0.0, 50,
                                  50, 50, 0, 10.0, 0, 6.0, 0, 20.0, 0, 221.2, 0.0234, 0, 998.0, 0.0, 0, 1.0, 0, 0.0, 1,
                                  1, choked)
            .toDouble();
    };
    // The same valve for 0.1 m3/h, below the 0.5 m3/h it passes at y = 0: the least flow over the travel and the
    // Kv the point needs.
    auto openingBelowRange = [&] {
        return calcVentiloeffnung(0.1, 0, 25.0, 0, 0.01, 0.99, 0.0, 0.0, 0.0, 0.0, 0.9, 0.0, 0.0, 0.7, 0.0, 0.0, 50,
                                  50, 50, 0, 10.0, 0, 6.0, 0, 20.0, 0, 221.2, 0.0234, 0, 998.0, 0.0, 0, 1.0, 0, 0.0, 1,
                                  1, choked)
            .toDouble();
    };
    auto tsat = [] { return calcTsatWasser(10.0, 0, 0).toDouble(); };
    auto rhoSteam = [] {
        Variant p(10.0);
        return calcRhoDampf(p, 0, 200.0, 0, 0).toDouble();
    };
    auto proposal = [] {
        return calcDNRohrVorschlag(1, 10.0, 0, 1000.0, 0.0, 0, 5.0, 0, 3.0, 0, 20.0, 0, 1.0, 0, 1, 1, 0, 0).toDouble();
    };
    auto noiseGas = [] {
        QString dla, laEff;
        return calcSchallGas(10.0, 0, 5.0, 0, 20.0, 0, 50.0, 0, 1.293, 0, 50.0, 0, 0, 0, QStringLiteral("3241"), dla,
                             laEff)
            .toDouble();
    };

    struct Case {
        const char *name;
        std::function<double()> call;
    };
    const std::vector<Case> cases{
        {"calcQ_inkomp (turbulent)", liquidTurbulent},
        {"calcQ_inkomp (laminar)", liquidLaminar},
        {"calcQ_komp (m3/h norm)", gas},
        {"calcQ_kompZahl (m3/h norm)", gasNumber},
        {"calcQ_komp (kg/h)", gasKgh},
        {"calcVentiloeffnung", opening},
        {"calcVentiloeffnung (below range)", openingBelowRange},
        {"calcTsatWasser", tsat},
        {"calcRhoDampf", rhoSteam},
        {"calcDNRohrVorschlag", proposal},
        {"calcSchallGas", noiseGas},
    };

    std::printf("median ns per call (%d rounds of %d calls%s)\n", rounds, calls, quick ? ", quick" : "");
    for (const Case &c : cases) {
        // Opening solves cost some hundred flow calls: fewer calls per round keep the run short.
        const int n = std::string_view(c.name).starts_with("calcVentiloeffnung") ||
                              std::string_view(c.name) == "calcDNRohrVorschlag"
            ? std::max(1, calls / 20)
            : calls;
        std::printf("%-30s %12.1f\n", c.name, bench::medianNsPerCall(c.call, rounds, n));
    }
    return 0;
}
