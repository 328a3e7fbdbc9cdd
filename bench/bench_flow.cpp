// Speed of one flow recalculation (validation, valve row lookup, flow, pipes, velocities, noise, labels): median
// microseconds per run, on a small catalogue made here and, once generated, on the shipped catalogue with the
// last valve of a series (the longest row scan).
// Usage: bench_flow [--quick]
#include "engine/flow_recalc.h"
#include "engine/flow_sheet_access.h"
#include "engine/main_window_access.h"
#include "platform/core/number_text.h"
#include "platform/db/database.h"
#include "platform/forms/scripted_ui_services.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"
#include "support/program_state.h"
#include "support/stand_in_windows.h"
#include "units/texts.h"

#include "common.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <vector>

namespace {

using Sheet = testsupport::FlowSheetStub;
using Window = testsupport::MainWindowStub;

// A small series of eight equal-percentage valves and one noise table.
void makeCatalogue(const QString &folder)
{
    const int sizes[] = {15, 20, 25, 32, 40, 50, 65, 80};
    const float kvs[] = {4, 6.3f, 10, 16, 25, 40, 63, 100};
    std::vector<testsupport::CatalogueRow> rows;
    for (int i = 0; i < 8; ++i)
        rows.push_back({sizes[i], QString(), 1, kvs[i]});
    testsupport::installCatalogue(folder, "BENCH", rows, testsupport::flatNoiseRows(0.5));
}

// The shipped catalogue, read only; chooses the last valve of the first series found. False when not generated.
bool openShippedCatalogue()
{
    const QString seed = QStringLiteral(QUENDRA_SEED_DIR);
    if (!QFileInfo::exists(seed + "/dbKenndaten.mdb") || !QFileInfo::exists(seed + "/dbSchalldaten.mdb"))
        return false;
    SharedData &s = shared();
    try {
        s.dbKenndaten = Database::open(seed + "/dbKenndaten.mdb", Database::Mode::ReadOnly);
        s.dbSchalldaten = Database::open(seed + "/dbSchalldaten.mdb", Database::Mode::ReadOnly);
        for (const auto &[code, name] : valveSeriesNames()) {
            (void)name;
            if (!s.dbKenndaten->hasTable(code))
                continue;
            std::shared_ptr<Recordset> rs = s.dbKenndaten->openTable(code);
            rs->setIndex(code);
            if (rs->eof())
                continue;
            rs->moveLast();
            s.Ventiltyp = code;
            s.Kennlinie = static_cast<int>(rs->field("Kennlinie").toInt());
            s.DNVentil = rs->field("DN").toString().trimmed();
            s.KvsCv = rs->field("Kvs").toFloat();
            s.rsVentil = rs;
            std::printf("shipped catalogue: series %s, DN %s, Kvs %s\n", qPrintable(code), qPrintable(s.DNVentil),
                        qPrintable(numtext::general(s.KvsCv, 7)));
            return true;
        }
    } catch (const DbError &e) {
        std::printf("shipped catalogue not usable: %s\n", qPrintable(e.text()));
    }
    return false;
}

void waterCase(Sheet &sheet, int pipeMode)
{
    SharedData &s = shared();
    s.Medium = 1;
    s.Zustand = 1;
    s.chkDNRohr = pipeMode;
    sheet.showInputs(10, 6, 20, 70);
}

void airCase(Sheet &sheet)
{
    SharedData &s = shared();
    s.Medium = 0;
    s.Zustand = 0;
    s.rhoN = 1.293;
    s.gammaMax = 1.4;
    s.chkDNRohr = 0;
    sheet.txtp1max.setText("5");
    sheet.txtp2max.setText("3");
    s.p1Max = 5;
    s.p2Max = 3;
}

void measure(const char *label, Sheet &sheet, Window &window, int rounds, int runs)
{
    const double us = bench::medianPerCall<std::micro>(rounds, runs, [] { calcDurchfluss(); });
    std::printf("%-44s %8.1f us per run   (%s)\n", label, us, qPrintable(window.StatusBar.text()));
    (void)sheet;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const bool quick = bench::quick(argc, argv);
    const int rounds = quick ? 3 : 15;
    const int runs = quick ? 20 : 500;

    ScriptedUiServices ui;
    UiServicesScope scope(ui);
    Window window;
    Sheet sheet;
    setMainWindowAccess(&window.access);
    setActiveFlowSheet(&sheet.access);

    QTemporaryDir dir;
    makeCatalogue(dir.path());
    SharedData &s = shared();
    s.DNVentil = "80";
    s.KvsCv = 100;
    s.Kennlinie = 1;
    std::printf("flow recalculation, median of %d rounds of %d runs (target < 1000 us)\n", rounds, runs);
    waterCase(sheet, 0);
    measure("water, pipe = valve size, last of 8 rows", sheet, window, rounds, runs);
    waterCase(sheet, 1);
    measure("water, proposed pipes", sheet, window, rounds, runs);
    airCase(sheet);
    measure("air, pipe = valve size", sheet, window, rounds, runs);

    if (openShippedCatalogue()) {
        waterCase(sheet, 0);
        measure("shipped catalogue, water", sheet, window, rounds, runs);
        waterCase(sheet, 1);
        measure("shipped catalogue, water, proposed pipes", sheet, window, rounds, runs);
    }

    testsupport::resetProgramState();
    return 0;
}
