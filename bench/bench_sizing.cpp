// One full sizing recalculation (three operating points, water) on the shipped characteristic and noise
// databases; prints the median time. The databases are copied first, since every run rewrites "_aktuell".
// Without the generated seed databases it runs on the test fixture's small catalogue and says so.
//   bench_sizing [--quick]

#include "../tests/engine/sizing_fixture.h"
#include "engine/sizing_recalc.h"

#include "common.h"

#include <QCoreApplication>
#include <cstdio>

using namespace sizingfixture;

namespace {

// Switches the fixture to copies of the shipped databases; false when they are not there.
bool useShippedCatalogue(Fixture &f)
{
    const QString kenn = f.dir.filePath("shipped_dbKenndaten.mdb");
    const QString noise = f.dir.filePath("shipped_dbSchalldaten.mdb");
    if (!testsupport::copySeedFile("dbKenndaten.mdb", kenn) || !testsupport::copySeedFile("dbSchalldaten.mdb", noise))
        return false;
    SharedData &s = shared();
    s.rsVentil.reset();
    s.dbKenndaten = Database::open(kenn);
    s.dbSchalldaten = Database::open(noise, Database::Mode::ReadOnly);
    testsupport::openSeries("4627_71");
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool quick = bench::quick(argc, argv);
    const int runs = quick ? 20 : 500;

    Fixture f(defaultSeries(), false); // on disk, as the data folder is
    const bool shipped = useShippedCatalogue(f);
    f.baseWaterCase();

    struct Case {
        const char *name;
        bool DNmin;
    };
    for (const Case c : {Case{"size and Kvs computed", true}, Case{"size given, Kvs computed", false}}) {
        SharedData &s = shared();
        s.DNmin = c.DNmin;
        s.KvsOpt = true;
        s.DNVentil = "50";
        calcDimensionierung(); // warm-up; also checks that the case computes
        if (!f.status().startsWith(QLatin1String("Berechnung aktualisiert"))) {
            std::fprintf(stderr, "sizing failed: %s\n", qPrintable(f.status()));
            return 1;
        }
        const double ms = bench::medianMs(runs, [] { calcDimensionierung(); });
        std::printf("calcDimensionierung, water, 3 points, %s (%s catalogue, chosen DN %s Kvs %g): "
                    "median %.3f ms over %d runs (target < 2 ms)\n",
                    c.name, shipped ? "shipped" : "fixture", qPrintable(s.DNVentil),
                    static_cast<double>(s.KvsCv), ms, runs);
    }

    // A request that changes at every run rewrites the work table each time: one commit, flushed to disk.
    {
        SharedData &s = shared();
        s.DNmin = false;
        s.KvsOpt = true;
        const char *sizes[] = {"40", "50"};
        const int changingRuns = quick ? 6 : 60;
        int i = 0;
        const double ms = bench::medianMs(changingRuns, [&] {
            s.DNVentil = sizes[i++ % 2];
            calcDimensionierung();
        });
        std::printf("calcDimensionierung, water, 3 points, size alternating 40/50 (work table rewritten every "
                    "run): median %.3f ms over %d runs\n",
                    ms, changingRuns);
    }
    return 0;
}
