// Speed of the fluid-data wizard's estimates: median nanoseconds per call over several rounds.
// Usage: bench_fluids [--quick]
#include "fluids/lee_kesler.h"
#include "fluids/wizard_estimates.h"

#include "common.h"

#include <QCoreApplication>
#include <clocale>
#include <cstdio>
#include <functional>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const bool quick = bench::quick(argc, argv);
    const int rounds = quick ? 3 : 15;
    const int calls = quick ? 200 : 200000;

    // Water's critical point; the operating point in the critical point's units, as the wizard mostly has it.
    const CriticalPoint water{Variant(374.2), 0, Variant(221.2), 0};
    const CriticalPoint nitrogen{Variant(-146.95), 0, Variant(33.98), 0};
    const Variant p(10.0), T(20.0), Tsteam(250.0), M(28.014), w(0.037), wWater(0.344);

    struct Case {
        const char *name;
        std::function<double()> call;
    };
    const std::vector<Case> cases{
        {"calcZLeeKesler (gas, 10 bar, 20 °C)", [&] { return calcZLeeKesler(p, 0, T, 0, nitrogen, w, 2).value; }},
        {"calcZLeeKesler (liquid, water)", [&] { return calcZLeeKesler(p, 0, T, 0, water, wWater, 1).value; }},
        {"calcPsatLeeKesler (water 250 °C)", [&] { return calcPsatLeeKesler(Tsteam, 0, water, wWater).value; }},
        {"calcRhoRealgas (gas)", [&] { return calcRhoRealgas(p, 0, T, 0, M, nitrogen, w, 2, 0).value; }},
        {"calcZLeeKesler (p in bar gauge)", [&] { return calcZLeeKesler(p, 1, T, 0, nitrogen, w, 2).value; }},
    };

    std::printf("median ns per call (%d rounds of %d calls%s)\n", rounds, calls, quick ? ", quick" : "");
    for (const Case &c : cases)
        std::printf("%-40s %10.1f\n", c.name, bench::medianNsPerCall(c.call, rounds, calls));
    return 0;
}
