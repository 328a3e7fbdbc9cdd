// Speed of the sheet printout: the whole document of a sizing (water, three points, every section, extended
// display) printed into the recorder and into a PDF file through Qt's PDF output. Prints the median milliseconds
// per printout. Targets: recorder 5 ms, PDF 50 ms.
// Usage: bench_report [--quick]
#include "engine/main_window_access.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/print/printer_list.h"
#include "reports/print_dialog.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "support/program_state.h"
#include "support/stand_in_windows.h"

#include "common.h"

#include <QApplication>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int rounds = bench::quick(argc, argv) ? 3 : 51;

    QTemporaryDir dir;
    if (!bench::copyShippedCatalogue(dir.path(), "bench_report"))
        return 1;

    ScriptedUiServices ui;
    UiServicesScope services(ui);
    FixedPrinterList printers(QStringLiteral("Office"), {QStringLiteral("Office"), QStringLiteral("PDF")});
    PrinterListScope printerScope(printers);
    testsupport::MainWindowStub window;
    setMainWindowAccess(&window.access);
    try {
        bench::openShippedSizing(dir.path());
        SharedData &s = shared();
        s.Benutzername = QStringLiteral("Bench");
        testsupport::standardWaterPoints(s);
        {
            frmCalcSize sheet;
            sheet.load();
            sheet.unload();
        }
        for (Variant *flag : {&s.DruckProzessdaten, &s.DruckVentildaten, &s.DruckStellverhältnis,
                              &s.DruckKenndaten, &s.DruckRohrleitung, &s.DruckSchalldruck, &s.DruckStoffdaten})
            *flag = Variant(true);
        bench::printHeader(s, QStringLiteral("Regelventil Fernwärme Vorlauf, Übergabestation Nord"));

        frmDruck dialog;
        dialog.load();

        bench::PrintoutTimes t;
        if (!bench::timePrintout(
                ui, dir.filePath(QStringLiteral("bench.pdf")), rounds, [&] { dialog.druck_Berechnungsblatt(); },
                [&] { return dialog.lastPrintResult().status == PrintStatus::Printed; }, "bench_report", t))
            return 1;
        std::printf("sheet printout, water, every section, into the recorder: median %.2f ms (%zu texts, %d runs)\n",
                    t.recorderMs, t.texts, rounds);
        std::printf("sheet printout, water, every section, into a PDF file:   median %.2f ms (%d runs)\n", t.pdfMs,
                    rounds);
        dialog.unload();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_report: %s\n", e.what());
        return 1;
    }
    testsupport::closeShippedTexts();
    testsupport::resetProgramState();
    return 0;
}
