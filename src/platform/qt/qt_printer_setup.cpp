#include "platform/qt/qt_printer_setup.h"

#include "platform/print/qt_printer_list.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

std::optional<PrinterSetupChoice> QtPrinterSetupDialog::run(const QString &currentDevice, const PageSetup &current,
                                                             const QString &title)
{
    const bool pdf = currentDevice == QtPrinterList::pdfPrinterName();
    const QPrinterInfo info = QPrinterInfo::printerInfo(currentDevice);
    QPrinter printer = pdf || info.isNull() ? QPrinter() : QPrinter(info);
    if (pdf)
        printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(current.pageSizeId)));
    printer.setPageOrientation(current.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);

    QPrintDialog dialog(&printer, QApplication::activeWindow());
    // The set-up role: which printer, which paper, which way round; nothing about what to print.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    PrinterSetupChoice choice;
    choice.deviceName =
        printer.outputFormat() == QPrinter::PdfFormat ? QtPrinterList::pdfPrinterName() : printer.printerName();
    choice.page.pageSizeId = static_cast<int>(printer.pageLayout().pageSize().id());
    choice.page.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    return choice;
}
