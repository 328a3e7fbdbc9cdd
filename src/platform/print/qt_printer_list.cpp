#include "platform/print/qt_printer_list.h"

#include <QPrinterInfo>

const QString &QtPrinterList::pdfPrinterName()
{
    static const QString name = QStringLiteral("PDF");
    return name;
}

QString QtPrinterList::defaultPrinterName() const
{
    return QPrinterInfo::defaultPrinterName();
}

QStringList QtPrinterList::installedPrinterNames() const
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    if (!names.contains(pdfPrinterName()))
        names << pdfPrinterName();
    return names;
}
