#include "platform/print/printer_list.h"

namespace {
PrinterList *g_printers = nullptr;

FixedPrinterList &noPrinters()
{
    static FixedPrinterList none;
    return none;
}
} // namespace

PrinterList &printerList()
{
    return g_printers ? *g_printers : noPrinters();
}

void setPrinterList(PrinterList *printers)
{
    g_printers = printers;
}

PrinterListScope::PrinterListScope(PrinterList &printers) : previous_(g_printers)
{
    g_printers = &printers;
}

PrinterListScope::~PrinterListScope()
{
    g_printers = previous_;
}
