// Speed of the sheet printout: the whole document of a sizing (water, three points, every section, extended
// display) printed into the recorder and into a PDF file through Qt's PDF output. Prints the median milliseconds
// per printout. Targets: recorder 5 ms, PDF 50 ms.
// Usage: bench_report [--quick]
#include "engine/main_window_access.h"
#include "platform/db/database.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/print/print_recorder.h"
#include "platform/print/printer_list.h"
#include "platform/print/qt_print_back_end.h"
#include "reports/print_dialog.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"
#include "support/program_state.h"
#include "support/stand_in_windows.h"

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int rounds, const std::function<void()> &printout)
{
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        printout();
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    const int rounds = quick ? 3 : 51;

    QTemporaryDir dir;
    for (const QString &file : {QStringLiteral("dbKenndaten.mdb"), QStringLiteral("dbSchalldaten.mdb")}) {
        if (!testsupport::copySeedFile(file, dir.filePath(file))) {
            std::fprintf(stderr, "bench_report: cannot copy %s\n", qPrintable(testsupport::seedFile(file)));
            return 1;
        }
    }

    ScriptedUiServices ui;
    UiServicesScope services(ui);
    FixedPrinterList printers(QStringLiteral("Office"), {QStringLiteral("Office"), QStringLiteral("PDF")});
    PrinterListScope printerScope(printers);
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
        s.TextInfo = Variant(QStringLiteral("Angebot 2024-117\r\nRevision B"));
        s.TextFirma = Variant(QStringLiteral("Stadtwerke Musterstadt"));
        s.TextBetrifft = Variant(QStringLiteral("Regelventil Fernwärme Vorlauf, Übergabestation Nord"));
        s.TextPosition = Variant(QStringLiteral("Pos. 12"));
        s.TextMStelle = Variant(QStringLiteral("TIC 4711"));

        frmDruck dialog;
        dialog.load();

        RecordingBackEnd recorder;
        double recorded = 0;
        {
            PrintBackEndScope scope(recorder);
            dialog.druck_Berechnungsblatt(); // first use opens caches; not counted
            recorded = medianMs(rounds, [&] {
                recorder.clear();
                dialog.druck_Berechnungsblatt();
            });
        }
        const std::size_t pieces = recorder.last().texts.size();

        QtPrintBackEnd qt;
        double pdf = 0;
        {
            PrintBackEndScope scope(qt);
            selectPrinter(QStringLiteral("PDF"));
            const QString file = dir.filePath(QStringLiteral("bench.pdf"));
            auto once = [&] {
                ui.answerNextFileDialog(file);
                dialog.druck_Berechnungsblatt();
            };
            once();
            pdf = medianMs(rounds, once);
            if (dialog.lastPrintResult().status != PrintStatus::Printed) {
                std::fprintf(stderr, "bench_report: the PDF was not written\n");
                return 1;
            }
        }
        std::printf("sheet printout, water, every section, into the recorder: median %.2f ms (%zu texts, %d runs)\n",
                    recorded, pieces, rounds);
        std::printf("sheet printout, water, every section, into a PDF file:   median %.2f ms (%d runs)\n", pdf,
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
