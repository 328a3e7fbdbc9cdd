#pragma once

#include "platform/print/printer_list.h"

// The printers of the platform's print system (CUPS through Qt Print Support), followed by Qt's own PDF output
// as one more installed printer named "PDF", which every machine has. A print-system queue that is itself called
// "PDF" stands for it, so the name stays unique.
class QtPrinterList : public PrinterList {
public:
    static const QString &pdfPrinterName();

    QString defaultPrinterName() const override;
    QStringList installedPrinterNames() const override;
};
