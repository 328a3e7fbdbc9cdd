#pragma once

#include "platform/print/printer.h"

#include <QPageSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// One printout to be made on a device.
struct PrintJob {
    QString deviceName;
    QString documentName;
    // Asked once, when a job on the PDF output begins: the file to write, or nothing when the user cancels.
    std::function<std::optional<QString>()> choosePdfFile;
};

// Makes the devices the printer object draws on. The desktop program installs the Qt back-end; tests install a
// recorder. Without either, every job fails with "no printer".
class PrintBackEnd {
public:
    virtual ~PrintBackEnd() = default;
    virtual std::unique_ptr<PrintDevice> openDevice(const PrintJob &job) = 0;
};

PrintBackEnd &printBackEnd();
// Installs the back-end for the running process (not owned); null brings back the default.
void setPrintBackEnd(PrintBackEnd *backEnd);

class PrintBackEndScope {
public:
    explicit PrintBackEndScope(PrintBackEnd &backEnd);
    ~PrintBackEndScope();
    PrintBackEndScope(const PrintBackEndScope &) = delete;
    PrintBackEndScope &operator=(const PrintBackEndScope &) = delete;

private:
    PrintBackEnd *previous_;
};

// A printer object for the job on the installed back-end.
std::unique_ptr<Printer> openPrinter(const PrintJob &job);

// The program's current printer, by device name: the platform's default until another one is selected.
QString currentPrinter();
// Makes the first installed printer of that device name (exact comparison) current. False, and nothing
// changes, when none has it.
bool selectPrinter(const QString &deviceName);
// Back to the platform's default, and no page set-up kept (tests, and a new run).
void resetPrinterSession();

// Paper and orientation chosen in the printer set-up for one device, kept for the session.
struct PageSetup {
    int pageSizeId = QPageSize::A4; // a QPageSize::PageSizeId
    bool landscape = false;
};
PageSetup pageSetupFor(const QString &deviceName);
void setPageSetupFor(const QString &deviceName, const PageSetup &setup);

// The platform's printer set-up dialog: printer, paper, orientation.
struct PrinterSetupChoice {
    QString deviceName;
    PageSetup page;
};
class PrinterSetupDialog {
public:
    virtual ~PrinterSetupDialog() = default;
    // The user's choice, or nothing for a cancel; title is the dialog window's title.
    virtual std::optional<PrinterSetupChoice> run(const QString &currentDevice, const PageSetup &current,
                                                  const QString &title) = 0;
};
// Null when the program has none (headless): the set-up then does nothing.
PrinterSetupDialog *printerSetupDialog();
void setPrinterSetupDialog(PrinterSetupDialog *dialog);

// Shows the set-up dialog for the current printer; a choice becomes the current printer with its page set-up
// for the session, a cancel changes nothing. False when nothing changed.
bool runPrinterSetup(const QString &title = QString());
