#include "app/main_window.h"
#include "app/program_parameters.h"
#include "platform/print/print_session.h"
#include "reports/print_dialog.h"
#include "state/shared_data.h"

void frmMDIMain::connectPrintMenu()
{
    mnuDrucken.Click = [this] { mnuDrucken_Click(); };
    mnuPDFDruck.Click = [this] { mnuPDFDruck_Click(); };
    mnuDruckerEinrichten.Click = [this] { mnuDruckerEinrichten_Click(); };
    reports::setSaveProgrammParameter(
        [](const QString &folder, const QString &file) { SaveProgrammParameter(folder, file); });
}

void frmMDIMain::mnuDrucken_Click()
{
    frmDruck &dialog = frmDruckInstance().get();
    dialog.centerOnScreen();
    dialog.showModal();
}

void frmMDIMain::mnuPDFDruck_Click()
{
    const SharedData &d = shared();
    // Only the program's own current printer is switched, and back to the default when the dialog has closed.
    selectPrinter(d.PDFDrucker);
    mnuDrucken_Click();
    selectPrinter(d.StandardDrucker);
}

void frmMDIMain::mnuDruckerEinrichten_Click()
{
    runPrinterSetup(QString(mnuDruckerEinrichten.caption()).remove(QLatin1Char('&')));
}
