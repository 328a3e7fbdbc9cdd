#include "platform/print/print_session.h"

#include "platform/print/printer_list.h"

#include <QHash>

namespace {

// The default when no back-end is installed: there is no printer to print on.
class NoPrinterDevice : public PrintDevice {
public:
    PrintResult begin() override { return {PrintStatus::Failed, PrintFailure::NoPrinter, QString(), 0, {}}; }
    void drawText(double, double, const PrintFont &, const QString &) override {}
    void drawLine(double, double, double, double) override {}
    void drawPicture(const QImage &, const QRectF &) override {}
    void newPage() override {}
    PrintResult end() override { return begin(); }
    void abort() override {}
};

class NoPrinterBackEnd : public PrintBackEnd {
public:
    std::unique_ptr<PrintDevice> openDevice(const PrintJob &) override { return std::make_unique<NoPrinterDevice>(); }
};

PrintBackEnd *g_backEnd = nullptr;
PrinterSetupDialog *g_setupDialog = nullptr;

struct Session {
    std::optional<QString> selected;
    QHash<QString, PageSetup> pages;
};

Session &session()
{
    static Session s;
    return s;
}

} // namespace

PrintBackEnd &printBackEnd()
{
    static NoPrinterBackEnd none;
    return g_backEnd ? *g_backEnd : none;
}

void setPrintBackEnd(PrintBackEnd *backEnd)
{
    g_backEnd = backEnd;
}

PrintBackEndScope::PrintBackEndScope(PrintBackEnd &backEnd) : previous_(g_backEnd)
{
    g_backEnd = &backEnd;
}

PrintBackEndScope::~PrintBackEndScope()
{
    g_backEnd = previous_;
}

std::unique_ptr<Printer> openPrinter(const PrintJob &job)
{
    return std::make_unique<Printer>(printBackEnd().openDevice(job));
}

QString currentPrinter()
{
    const Session &s = session();
    return s.selected ? *s.selected : printerList().defaultPrinterName();
}

bool selectPrinter(const QString &deviceName)
{
    for (const QString &name : printerList().installedPrinterNames()) {
        if (name == deviceName) {
            session().selected = name;
            return true;
        }
    }
    return false;
}

void resetPrinterSession()
{
    session() = Session();
}

PageSetup pageSetupFor(const QString &deviceName)
{
    return session().pages.value(deviceName);
}

void setPageSetupFor(const QString &deviceName, const PageSetup &setup)
{
    session().pages.insert(deviceName, setup);
}

PrinterSetupDialog *printerSetupDialog()
{
    return g_setupDialog;
}

void setPrinterSetupDialog(PrinterSetupDialog *dialog)
{
    g_setupDialog = dialog;
}

bool runPrinterSetup(const QString &title)
{
    PrinterSetupDialog *dialog = printerSetupDialog();
    if (!dialog)
        return false;
    const QString current = currentPrinter();
    const std::optional<PrinterSetupChoice> choice = dialog->run(current, pageSetupFor(current), title);
    if (!choice || !selectPrinter(choice->deviceName))
        return false;
    setPageSetupFor(choice->deviceName, choice->page);
    return true;
}
