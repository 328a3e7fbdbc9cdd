// Speed of loading the sizing sheet: one load builds the sheet from the shared data and runs the recalculations
// its handlers start. Prints the median milliseconds per load for a water and an air case (extended display)
// on a copy of the shipped catalogue.
// Usage: bench_sizing_sheet [--quick]
#include "engine/main_window_access.h"
#include "platform/db/database.h"
#include "platform/forms/scripted_ui_services.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "support/program_state.h"
#include "support/stand_in_windows.h"

#include "common.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>

namespace {

double medianLoadMs(int rounds)
{
    return bench::medianMs(rounds, [] {
        frmCalcSize sheet;
        sheet.load();
        sheet.unload();
    });
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int rounds = bench::quick(argc, argv) ? 3 : 31;

    QTemporaryDir dir;
    if (!bench::copyShippedCatalogue(dir.path(), "bench_sizing_sheet"))
        return 1;

    ScriptedUiServices ui;
    UiServicesScope services(ui);
    testsupport::MainWindowStub window;
    setMainWindowAccess(&window.access);
    try {
        bench::openShippedSizing(dir.path());
        SharedData &s = shared();
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
