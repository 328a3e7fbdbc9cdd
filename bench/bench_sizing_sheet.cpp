// Speed of loading the sizing sheet: one load builds the sheet from the shared data and runs the recalculations
// its handlers start. Prints the median milliseconds per load for a water and an air case (extended display)
// on a copy of the shipped catalogue.
// Usage: bench_sizing_sheet [--quick]
#include "engine/main_window_access.h"
#include "platform/db/database.h"
#include "platform/forms/scripted_ui_services.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"
#include "support/program_state.h"
#include "support/stand_in_windows.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <vector>

namespace {

double medianLoadMs(int rounds)
{
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        {
            frmCalcSize sheet;
            sheet.load();
            sheet.unload();
        }
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    const int rounds = quick ? 3 : 31;

    QTemporaryDir dir;
    for (const QString &file : {QStringLiteral("dbKenndaten.mdb"), QStringLiteral("dbSchalldaten.mdb")}) {
        if (!testsupport::copySeedFile(file, dir.filePath(file))) {
            std::fprintf(stderr, "bench_sizing_sheet: cannot copy %s\n", qPrintable(testsupport::seedFile(file)));
            return 1;
        }
    }

    ScriptedUiServices ui;
    UiServicesScope services(ui);
    testsupport::MainWindowStub window;
    setMainWindowAccess(&window.access);
    try {
        testsupport::openShippedTexts();
        SharedData &s = shared();
        s.dbKenndaten = Database::open(dir.filePath(QStringLiteral("dbKenndaten.mdb")));
        s.dbSchalldaten = Database::open(dir.filePath(QStringLiteral("dbSchalldaten.mdb")));
        testsupport::openSeries(QStringLiteral("4627_71"));
        s.MIN = s.NORM = true;
        s.KD_Version = 6417;
        s.DNVentil = s.DN1Rohr = s.DN2Rohr = QStringLiteral("50");
        s.KvsCv = 40;

        testsupport::standardWaterPoints(s);
        medianLoadMs(1); // first use opens caches; not counted
        const double water = medianLoadMs(rounds);
        testsupport::standardAirPoints(s);
        const double air = medianLoadMs(rounds);
        std::printf("sizing sheet load, water, 3 points, extended display: median %.2f ms (%d loads)\n", water,
                    rounds);
        std::printf("sizing sheet load, air, 3 points, extended display:   median %.2f ms (%d loads)\n", air,
                    rounds);
        std::printf("status after the last load: %s\n", qPrintable(window.StatusBar.text()));
    } catch (const DbError &e) {
        std::fprintf(stderr, "bench_sizing_sheet: %s\n", qPrintable(e.text()));
        return 1;
    }
    testsupport::closeShippedTexts();
    testsupport::resetProgramState();
    return 0;
}
