#pragma once

#include "platform/print/print_session.h"

// The printer set-up as Qt's print dialog offers it: the printer, and under its properties paper and
// orientation. Nothing is printed from it; its choice is handed back.
class QtPrinterSetupDialog : public PrinterSetupDialog {
public:
    std::optional<PrinterSetupChoice> run(const QString &currentDevice, const PageSetup &current,
                                          const QString &title) override;
};
