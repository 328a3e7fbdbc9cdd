// Start-up of the program up to the first shown main window (its Load handler: printers, language database,
// program parameters and default project, start picture, language switch with its project save; then the
// widgets), median in milliseconds (aim: below 500 ms). Runs offscreen on the generated seed in a temporary
// documents folder.

#include "app/main_window.h"
#include "platform/print/qt_printer_list.h"
#include "platform/qt/qt_ui_services.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"

#include "common.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QWidget>

#include <memory>
#include <vector>

int main(int argc, char *argv[])
{
    bench::OffscreenApplication app(argc, argv);
    if (!app.ok())
        return 1;
    const int runs = bench::quick(argc, argv) ? 3 : 25;

    QtUiServices ui;
    UiServicesScope uiScope(ui);
    QtPrinterList printers;
    PrinterListScope printerScope(printers);

    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        auto main = std::make_unique<frmMDIMain>();
        main->load();
        if (main->startFailed()) {
            QTextStream(stderr) << "start-up failed\n";
            return 1;
        }
        main->show();
        QApplication::processEvents();
        ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        main.reset(); // no shut-down: the next start reads the same files
        closeLanguageDatabase();
        QApplication::processEvents();
    }
    QTextStream(stdout) << "start-up to the shown main window: " << bench::summary(ms, 1, 500) << "\n";
    return 0;
}
